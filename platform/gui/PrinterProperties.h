// The properties dialog of a printer: paper, orientation, duplex and tray, each as the printer's
// queue offers them. Shown through the Interaction service, like every modal form.
#pragma once

#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

#include <vector>

class TPrinter;

class TPrinterPropertiesForm : public TForm {
    ORV_META(TPrinterPropertiesForm, TForm)
    explicit TPrinterPropertiesForm(TComponent* AOwner);

    TLabel *lblPaper = nullptr, *lblDuplex = nullptr, *lblTray = nullptr;
    // The printer's papers; duplex "单面", "长边翻转", "短边翻转" (DMDUP 1 to 3); the queue's own
    // tray choice "自动选择", then its trays.
    TComboBox* cbPaper = nullptr;
    TRadioGroup* rgOrientation = nullptr;
    TComboBox* cbDuplex = nullptr;
    TComboBox* cbTray = nullptr;
    TButton* btnOk = nullptr;
    TButton* btnCancel = nullptr;

    // Shows what the printer is set to.
    void Fill(TPrinter& printer);
    // Sets the printer to what the dialog shows.
    void WriteBack(TPrinter& printer) const;

private:
    std::vector<int> FPapers;
    std::vector<String> FTrays;
};

// Runs the dialog on the printer; true, with the printer set to the choices, after OK.
bool ShowPrinterProperties(TPrinter& printer);
