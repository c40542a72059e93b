// TfPrnDBGridGxSetupDialog: the print settings of a grid printer (margins, print font, colours,
// fitting to the page width and its kind, row stretching, optimal column widths) and the printer
// setup. One instance for the run, created on first use. All four margins are checked before
// anything is written back: a bad number keeps the dialog open, and writes nothing.
#pragma once

#include "gui/Dialogs.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

class TPrintDBGridGx;

class TfPrnDBGridGxSetupDialog : public TForm {
    ORV_META(TfPrnDBGridGxSetupDialog, TForm)
    explicit TfPrnDBGridGxSetupDialog(TComponent* AOwner);

    TGroupBox* gbPrintFields = nullptr;
    TLabel *Label5 = nullptr, *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr;
    TEdit *seUpMargin = nullptr, *seLowMargin = nullptr, *seLeftMargin = nullptr, *seRightMargin = nullptr;
    TCheckBox* cbFitWidthToPage = nullptr;
    TRadioGroup* rgFitingType = nullptr;
    TCheckBox* cbOptimalColWidths = nullptr;
    TCheckBox* cbAutoStretch = nullptr;
    TCheckBox* cbColored = nullptr;
    TEdit* ePrintFont = nullptr;
    TButton* bPrintFont = nullptr;
    TButton* bPrinterSetupDialog = nullptr;
    TButton* bOk = nullptr;
    TButton* bCancel = nullptr;
    TFontDialog* FontDialog1 = nullptr;
    TPrinterSetupDialog* PrinterSetupDialog1 = nullptr;

    // Fills the controls from the component.
    void Fill(const TPrintDBGridGx& component);
    // The four margins in the order top, bottom, left, right, each rounded to four decimals;
    // raises the conversion error of the first edit that holds no number (and focuses it).
    void ReadMargins(Currency (&margins)[4]) const;
    // Writes every value back; the margins are all read first, so a bad one changes nothing.
    void WriteBack(TPrintDBGridGx& component) const;

    void cbFitWidthToPageClick();
    void bPrintFontClick();
    void bPrinterSetupDialogClick();
    void bOkClick();

private:
    TEdit* AddMarginEdit(const String& name, const String& caption, TLabel*& label, int x, int y);
};

// The dialog, created on first use and kept for the rest of the run.
TfPrnDBGridGxSetupDialog* PrnDBGridGxSetupDialog();
