// The decimal places window (action 108, 系统当前配置): the decimal places of quantities, unit
// prices and money amounts, 0 to 10 each. "确定" writes them into SysInfo and only then makes
// them the program's counts and display formats; "关闭" closes without saving.
#pragma once

#include "gui/Forms.h"

class TButton;
class TGroupBox;
class TKxCalcEdit;
class TLabel;

inline const String MsgSettingsSaved = "当前软件设置更改成功！";

class TfrmSysInfoGl : public TForm {
public:
    explicit TfrmSysInfoGl(TComponent* AOwner);
    String ClassName() const override { return "TfrmSysInfoGl"; }

    TGroupBox* GroupBox1;
    TKxCalcEdit* rceAmount;
    TKxCalcEdit* rcePrice;
    TKxCalcEdit* rceTotal;
    TLabel* lblNote;
    TButton* btnOk;
    TButton* btnClose;

    // "确定": a failing update raises (the window stays open and the counts stay as they were).
    void btnOkClick();

protected:
    void DoShow() override;

private:
    TKxCalcEdit* NewPlacesEdit(const String& name, const String& caption, int top);
};

// Lets action 108 open the window.
void RegisterSysInfoWindow();
