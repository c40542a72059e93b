// The batch value dialog of the house import's preview (批量修改当前列): one edit for the value
// that the marked rows' current column takes.
#pragma once

#include "gui/Forms.h"

class TButton;
class TEdit;
class TLabel;

class TDLGeditCurList : public TForm {
public:
    explicit TDLGeditCurList(TComponent* AOwner);
    String ClassName() const override { return "TDLGeditCurList"; }

    TLabel* Label1;
    TEdit* edtCurValue;
    TButton* btnOk;
    TButton* btnCancel;
};
