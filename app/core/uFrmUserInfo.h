// The company information window (action 101, 公司信息资料): the office's own data in the one
// SysInfo row. "修改" reads it again, "重填" empties the boxes, "保存" writes them (and makes the
// row when the table has none). A double click on the home page or the e-mail address opens it
// with the desktop's opener. The window has no close box: "关闭" closes it.
#pragma once

#include "gui/Forms.h"

class TButton;
class TCurrencyEdit;
class TDateTimePicker;
class TEdit;
class TKxCalcEdit;
class TMemo;
class TPageControl;
class TTabSheet;
class TADOQuery;

inline const String MsgCompanySaved = "当前软件设置更改成功！";

// Plausibility of an e-mail address: only "-", ".", digits, "@", ASCII letters and "_"; an "@"
// with something before it; no ".."; after the first "@" at least four characters whose first
// "." stands before the last two (its position, from 1, less than their count minus 2).
bool IsValidEmail(const String& s);
// What a home page opens: "" for an empty text; a text beginning "http://" or "https://" (in any
// case) as typed; any other text with "http://" in front, so it always names a web address.
String HomePageTarget(const String& text);

class TFrmUserInfo : public TForm {
public:
    explicit TFrmUserInfo(TComponent* AOwner);
    ~TFrmUserInfo() override;
    String ClassName() const override { return "TFrmUserInfo"; }

    TPageControl* PageControl1;
    TTabSheet* tsBasic;
    TTabSheet* tsProfile;
    TEdit* edtname;
    TEdit* edtaddress;
    TEdit* edtphone;
    TEdit* edtfax;
    TEdit* edtLinker;
    TEdit* edtHomepage;
    TEdit* edtEmail;
    TDateTimePicker* dtpBuildDate;
    TEdit* edtEnroler;
    TCurrencyEdit* ceEnrolprice;
    TKxCalcEdit* rceEmpNumber;
    TMemo* Mem;
    TButton* btnClear;
    TButton* btnEdit;
    TButton* btnSave;
    TButton* btnClose;
    TADOQuery* QryTable;

    // Fills the boxes from SysInfo (true) or empties them (false).
    void LoadCompanyInfo(bool fromDatabase);
    // "保存": a failing statement raises (nothing written, the window stays open).
    void btnSaveClick();
    void HomePageDblClick();
    void EmailDblClick();

protected:
    void DoShow() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;
};
