#include "app/core/uFrmUserInfo.h"

#include "app/core/DataDm.h"
#include "app/core/FormControls.h"
#include "app/core/NotSetDate.h"
#include "app/core/ShellRun.h"
#include "app/core/TypedInput.h"
#include "app/core/Vardessa.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "gui/ComCtrls.h"
#include "gui/Input.h"
#include "gui/StdCtrls.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

bool IsValidEmail(const String& s) {
    if (s.empty()) return false;
    for (char c : s) {
        const bool ok = c == '-' || c == '.' || c == '@' || c == '_' || (c >= '0' && c <= '9') ||
                        (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!ok) return false;
    }
    const size_t at = s.find('@');
    if (at == String::npos || s.find("..") != String::npos) return false;
    const String local = s.substr(0, at), domain = s.substr(at + 1);
    if (local.empty() || domain.size() < 4) return false;
    const size_t dot = domain.find('.');
    return dot != String::npos && dot + 1 < domain.size() - 2;
}

String HomePageTarget(const String& text) {
    const String page = Trim(text);
    if (page.empty()) return String();
    const String lower = LowerCase(page);
    if (StartsStr("http://", lower) || StartsStr("https://", lower)) return page;
    return "http://" + page;
}

TFrmUserInfo::TFrmUserInfo(TComponent* AOwner) : TForm(AOwner) {
    SetName("FrmUserInfo");
    SetCaption("公司信息");
    SetBorderStyle(bsDialog);
    // No close box: "关闭" closes the window.
    SetBorderIcons(TBorderIcons{});
    SetPosition(poOwnerFormCenter);
    SetKeyPreview(true);
    SetClientWidth(470);
    SetClientHeight(372);

    QryTable = new TADOQuery(this);
    QryTable->SetName("QryTable");
    QryTable->SetConnection(dmData->ADOcnn());
    QryTable->SQL()->SetText("Select * from SysInfo");

    PageControl1 = new TPageControl(this);
    PageControl1->SetName("PageControl1");
    PageControl1->SetParent(this);
    PageControl1->SetBounds(8, 8, 454, 316);
    tsBasic = new TTabSheet(this);
    tsBasic->SetName("tsBasic");
    tsBasic->SetPageControl(PageControl1);
    tsBasic->SetCaption("基本资料");
    tsProfile = new TTabSheet(this);
    tsProfile->SetName("tsProfile");
    tsProfile->SetPageControl(PageControl1);
    tsProfile->SetCaption("公司简介");
    PageControl1->SetActivePage(tsBasic);

    const int left = 20, width = 330;
    edtname = AddEdit(this, tsBasic, "edtname", "公司名称：", left, 14, width);
    edtaddress = AddEdit(this, tsBasic, "edtaddress", "联系地址：", left, 46, width);
    edtphone = AddEdit(this, tsBasic, "edtphone", "电    话：", left, 78, 130);
    edtfax = AddEdit(this, tsBasic, "edtfax", "传    真：", left, 110, 130);
    edtLinker = AddEdit(this, tsBasic, "edtLinker", "联 系 人：", left, 142, 130);
    edtHomepage = AddEdit(this, tsBasic, "edtHomepage", "公司主页：", left, 174, width);
    edtHomepage->SetCursor(crHandPoint);
    edtHomepage->OnDblClick = [this](TObject*) { HomePageDblClick(); };
    edtEmail = AddEdit(this, tsBasic, "edtEmail", "电子邮箱：", left, 206, width);
    edtEmail->SetCursor(crHandPoint);
    edtEmail->OnDblClick = [this](TObject*) { EmailDblClick(); };
    dtpBuildDate = AddDatePicker(this, tsBasic, "dtpBuildDate", "成立时间：", left, 238, 130);
    dtpBuildDate->SetShowCheckbox(true);

    edtEnroler = AddEdit(this, tsProfile, "edtEnroler", "注册法人：", left, 14, 130);
    ceEnrolprice = AddCurrencyEdit(this, tsProfile, "ceEnrolprice", "注册资金：", left, 46, 130);
    ceEnrolprice->SetDecimalPlaces(4);
    ceEnrolprice->SetDisplayFormat("￥,0.00##;-￥,0.00##");
    ceEnrolprice->SetMinValue(-99999999999.9999L);
    ceEnrolprice->SetMaxValue(99999999999.9999L);
    rceEmpNumber = AddCalcEdit(this, tsProfile, "rceEmpNumber", "员 工 数：", left, 78, 130);
    rceEmpNumber->SetDecimalPlaces(0);
    rceEmpNumber->SetMinValue(0);
    rceEmpNumber->SetMaxValue(999999999);
    Mem = AddMemo(this, tsProfile, "Mem", "公司简介：", left, 110, width, 164);

    auto button = [this](const char* name, const char* caption, int left) {
        auto* b = new TButton(this);
        b->SetName(name);
        b->SetParent(this);
        b->SetBounds(left, 336, 80, 26);
        b->SetCaption(caption);
        return b;
    };
    btnClear = button("btnClear", "重填", 110);
    btnClear->OnClick = [this](TObject*) { LoadCompanyInfo(false); };
    btnEdit = button("btnEdit", "修改", 198);
    btnEdit->OnClick = [this](TObject*) { LoadCompanyInfo(true); };
    btnSave = button("btnSave", "保存", 286);
    btnSave->OnClick = [this](TObject*) { btnSaveClick(); };
    btnClose = button("btnClose", "关闭", 374);
    btnClose->SetModalResult(mrCancel);
    DoCreate();

    LimitToColumns("SysInfo", {{edtname, "F_Name"},
                               {edtaddress, "F_Address"},
                               {edtphone, "F_Phone"},
                               {edtfax, "F_Fax"},
                               {edtLinker, "F_Linker"},
                               {edtHomepage, "F_HomePage"},
                               {edtEmail, "F_Email"},
                               {edtEnroler, "F_Enroler"}});
}

TFrmUserInfo::~TFrmUserInfo() = default;

void TFrmUserInfo::DoShow() {
    LoadCompanyInfo(true);
    TForm::DoShow();
}

void TFrmUserInfo::LoadCompanyInfo(bool fromDatabase) {
    if (!fromDatabase) {
        for (TEdit* edit :
             {edtname, edtaddress, edtphone, edtfax, edtLinker, edtHomepage, edtEmail, edtEnroler})
            edit->SetText("");
        Mem->SetText("");
        DateToPicker(*dtpBuildDate, NotSetDateText);
        ceEnrolprice->SetValue(0);
        rceEmpNumber->SetValue(0);
        return;
    }
    if (!dmData->OpenSQL("Select * from SysInfo", QryTable)) return;
    auto text = [this](const char* field) { return QryTable->FieldByName(field)->AsString(); };
    edtname->SetText(text("F_Name"));
    edtaddress->SetText(text("F_Address"));
    edtphone->SetText(text("F_Phone"));
    edtfax->SetText(text("F_Fax"));
    edtLinker->SetText(text("F_Linker"));
    edtHomepage->SetText(text("F_HomePage"));
    edtEmail->SetText(text("F_Email"));
    edtEnroler->SetText(text("F_Enroler"));
    const TField* built = QryTable->FieldByName("F_buildDate");
    DateToPicker(*dtpBuildDate, built->IsNull() || QryTable->IsEmpty()
                                    ? String()
                                    : FormatDateTime("yyyy-mm-dd", built->AsDateTime()));
    ceEnrolprice->SetValue(QryTable->FieldByName("F_EnrolPrice")->AsCurrency().ToDouble());
    rceEmpNumber->SetValue(QryTable->FieldByName("F_empNumber")->AsFloat());
    Mem->SetText(text("F_Mem"));
}

void TFrmUserInfo::btnSaveClick() {
    TADOConnection* connection = dmData->ADOcnn();
    if (!connection->Connected()) connection->Open();
    const std::vector<std::pair<const char*, Variant>> values = {
        {"F_name", TypedText(edtname->Text())},
        {"F_Address", TypedText(edtaddress->Text())},
        {"F_phone", TypedText(edtphone->Text())},
        {"F_fax", TypedText(edtfax->Text())},
        {"F_HomePage", TypedText(edtHomepage->Text())},
        {"F_linker", TypedText(edtLinker->Text())},
        {"F_buildDate", DateFromPicker(*dtpBuildDate)},
        {"F_email", TypedText(edtEmail->Text())},
        {"F_enroler", TypedText(edtEnroler->Text())},
        {"F_enrolPrice", MoneyOf(ceEnrolprice)},
        {"F_empNumber", static_cast<double>(rceEmpNumber->Value())},
        {"F_Mem", TypedText(Mem->Text())},
    };
    String update, columns, params;
    for (const auto& [field, value] : values) {
        (void)value;
        update += String(update.empty() ? "" : ",") + field + " = :" + field;
        columns += String(columns.empty() ? "" : ",") + field;
        params += String(params.empty() ? ":" : ",:") + field;
    }
    auto run = [&](const String& sql) {
        QryTable->Close();
        QryTable->SQL()->SetText(sql);
        for (const auto& [field, value] : values)
            QryTable->Parameters()->ParamByName(field)->SetValue(value);
        return QryTable->ExecSQL();
    };
    // The one settings row: every row is updated; a table without its row gets it now, so what
    // was typed is not lost behind a success message.
    connection->BeginTrans();
    try {
        if (run("Update SysInfo Set " + update + " ") == 0)
            run("Insert into SysInfo(" + columns + ") Values(" + params + ")");
        connection->CommitTrans();
    } catch (...) {
        connection->RollbackTrans();
        QryTable->Close();
        throw;
    }
    QryTable->Close();
    ShowMess(MsgCompanySaved, 0);
}

void TFrmUserInfo::HomePageDblClick() {
    const String target = HomePageTarget(edtHomepage->Text());
    if (!target.empty()) ShellOpenOrTell(target);
}

void TFrmUserInfo::EmailDblClick() {
    const String address = Trim(edtEmail->Text());
    if (IsValidEmail(address)) ShellOpenOrTell("mailto:" + address + "?subject");
}

void TFrmUserInfo::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_RETURN && !Shift.Contains(ssCtrl) && !dynamic_cast<TCustomMemo*>(ActiveControl())) {
        Key = 0;
        SelectNext(ActiveControl(), true, true);
        return;
    }
    TForm::KeyDown(Key, Shift);
}

void TFrmUserInfo::KeyPress(char16_t& Key) {
    if (Key == u'\r' && !dynamic_cast<TCustomMemo*>(ActiveControl())) Key = 0;
    TForm::KeyPress(Key);
}
