// The discount dialog of the collection window (TdlgFKman, "收费窗口"): 帐户余额, 本次结款 and
// 实结金额 shown, 优惠金额 typed. Every change of the discount sets 实结金额 := 本次结款 − 优惠金额;
// "确定" refuses a discount below 0 or above 本次结款 (MsgDiscountRange) and otherwise gives the
// window the discount, which sets its amount due to 本次结款 − discount; "关闭" writes nothing.
#pragma once

#include "gui/Forms.h"

#include "rtl/Currency.h"

class TButton;
class TCurrencyEdit;
class TLabel;
class TfrmWuyeFYjsgl;

inline const String DiscountCaption = "收费窗口";
inline const String MsgDiscountRange = "优惠金额不能小于零或大于本次结款！";

class TdlgFKman : public TForm {
public:
    explicit TdlgFKman(TfrmWuyeFYjsgl* window);
    String ClassName() const override { return "TdlgFKman"; }

    TLabel* lblTitle; // "现金收费窗口", hidden
    TCurrencyEdit* ceZHprice; // 帐户余额
    TCurrencyEdit* ceFKprice; // 本次结款
    TCurrencyEdit* ceYHprice; // 优惠金额
    TCurrencyEdit* ceSKprice; // 实结金额
    TButton* btnOk;    // 确定
    TButton* btnClose; // 关闭

    // "确定": checks the discount and writes it back; false (dialog open) when refused.
    bool Confirm();

private:
    TfrmWuyeFYjsgl* FWindow;
    Currency FTotal; // 本次结款 as the window holds it
};
