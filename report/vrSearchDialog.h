// TvrSearchDialog: the text to find in a prepared report, from the top or onwards, with or
// without regard to case. The preview control reads TextE, TopCB and CaseCB after OK.
#pragma once

#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

class TvrSearchDialog : public TForm {
    ORV_META(TvrSearchDialog, TForm)
    explicit TvrSearchDialog(TComponent* AOwner);

    TPanel* Panel2 = nullptr;
    TLabel* TextL = nullptr;
    TEdit* TextE = nullptr;
    TPanel* ReplacePanel = nullptr;
    TLabel* ReplaceL = nullptr;
    TEdit* ReplaceE = nullptr;
    TPanel* Panel3 = nullptr;
    TGroupBox* SearchL = nullptr;
    TCheckBox *TopCB = nullptr, *CaseCB = nullptr;
    TButton *OkB = nullptr, *CancelB = nullptr;

    // The text of the last search confirmed with OK, shared by every dialog of the process.
    static String& LastText();

    // Shows the dialog with the last text; after OK the text becomes the last text.
    int ShowModal() override;

protected:
    void Activate() override;
};
