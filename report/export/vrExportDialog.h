// TvrExportDialog: what the settings dialogs of the file exports share. The page range group
// (all pages, the current page, a page list typed as "1,3,5-12"), the group of export settings the
// descendant fills, OK and Cancel, and the save dialog that asks for the file after OK. Captions
// come from the report library's string resources; the dialog mirrors itself for right-to-left
// reading and opens its help topic on F1. It is modal, created and freed by its filter:
//
//   dialog.FillPageRange(filter); ... fill the own controls ...
//   if (dialog.ShowModal() == mrOk) { dialog.ReadPageRange(filter); ... ; dialog.ChooseFile(filter) }
#pragma once

#include "gui/Dialogs.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

class TvrCustomExportFilter;

class TvrExportDialog : public TForm {
    ORV_META(TvrExportDialog, TForm)
    explicit TvrExportDialog(TComponent* AOwner);

    TButton *OkB = nullptr, *CancelB = nullptr;
    TGroupBox* GroupPageRange = nullptr;
    TRadioButton *AllRB = nullptr, *CurPageRB = nullptr, *PageNumbersRB = nullptr;
    TEdit* PageNumbersE = nullptr;
    TLabel* DescrL = nullptr;
    TGroupBox* GroupQuality = nullptr;
    TSaveDialog* SaveDialog1 = nullptr;

    // The page list and the save dialog from the filter: its OverwritePrompt, and as file name
    // the filter's FileName or else the report's file name without folder with the dialog's
    // default extension.
    void FillPageRange(TvrCustomExportFilter& filter);
    // After OK: the current-page switch and the page list from the radio buttons.
    void ReadPageRange(TvrCustomExportFilter& filter);
    // Asks for the file in the filter's DefaultPath; true (and FileName set) when one was chosen.
    bool ChooseFile(TvrCustomExportFilter& filter);

    // Checks the dialog before OK closes it; false keeps it open (the descendant tells why).
    virtual bool CanClose() { return true; }
    // The OK button: closes with OK when CanClose agrees.
    void OkClick();

protected:
    // Places a control; parent nullptr means the form.
    template <class T> T* Place(TWinControl* parent, const String& name, int x, int y, int w, int h) {
        auto* c = new T(this);
        c->SetName(name);
        c->SetParent(parent ? parent : this);
        c->SetBounds(x, y, w, h);
        return c;
    }
    // Lays out OK and Cancel at the bottom right, sets the shared captions, mirrors the form for
    // right-to-left reading and finishes its creation; the descendant's constructor calls it last.
    void FinishCreate(int clientWidth, int clientHeight);
    // An edit that takes only the characters allowed (and backspace), and checks radio when typed in.
    static void FilterKeys(TEdit* edit, TRadioButton* radio, const String& allowed);
};
