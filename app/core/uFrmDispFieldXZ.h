// The column chooser: one ticked line per grid column; "确定" confirms, "取消" and Esc cancel.
#pragma once

#include "gui/Forms.h"

class TButton;
class TCheckListBox;

class TFrmDispFieldXZ : public TForm {
public:
    explicit TFrmDispFieldXZ(TComponent* AOwner);
    String ClassName() const override { return "TFrmDispFieldXZ"; }

    TCheckListBox* CheckListBox1;
    TButton* btnOk;
    TButton* btnCancel;
};
