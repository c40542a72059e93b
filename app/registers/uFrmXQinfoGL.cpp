#include "app/registers/uFrmXQinfoGL.h"

#include "app/registers/DialogControls.h"
#include "app/registers/RegisterCodes.h"
#include "app/registers/RegisterImages.h"
#include "app/registers/TypedText.h"

#include "app/core/DataDm.h"
#include "app/core/Vardessa.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "gui/Colors.h"
#include "gui/ExtCtrls.h"
#include "gui/Input.h"
#include "gui/StdCtrls.h"

namespace {

const TListWindowSpec EstateSpec{"小区信息设置", "T_XQinfo", "XQinfoGL", "frXQinfoGL.di3", "", 0};
constexpr int EstateCodeDigits = 3;

} // namespace

TfrmXQinfoGL::TfrmXQinfoGL(TComponent* AOwner) : TListWindow(AOwner, EstateSpec) {
    SetName("frmXQinfoGL");
    BuildToolBar({
        {"tbNew", "新增", tiNew, [this] { NewClick(); }},
        {"tbEdit", "修改", tiEdit, [this] { EditClick(); }},
        {"tbDel", "删除", tiDelete, [this] { DeleteClick(); }},
        {},
        NavButton(0),
        NavButton(1),
        NavButton(2),
        NavButton(3),
        {},
        {"tbSave", "保存", tiSave, [this] { SaveEstate(); }},
        {"tbCancel", "取消", tiCancel, [this] { CancelClick(); }},
        {},
        {"tbPrint", "打印", tiPrint, [this] { PrintClick(); }},
        {"tbset", "设置", tiSet, [this] { SetClick(); }},
        {},
        {"tbExit", "退出", tiExit, [this] { ExitClick(); }},
    });
    tbSave = dynamic_cast<TToolButton*>(FindComponent("tbSave"));
    tbCancel = dynamic_cast<TToolButton*>(FindComponent("tbCancel"));

    Panel1 = new TPanel(this);
    Panel1->SetName("Panel1");
    Panel1->SetParent(this);
    Panel1->SetAlign(alTop);
    Panel1->SetTop(ToolBar1->Height());
    Panel1->SetHeight(196);
    Panel1->SetCaption("");
    GroupBox1 = new TGroupBox(this);
    GroupBox1->SetParent(Panel1);
    GroupBox1->SetAlign(alClient);
    GroupBox1->SetCaption("小区资料");
    const int c1 = 12, c2 = 262, c3 = 512, w = 160;
    edtCode = AddEdit(this, GroupBox1, "edtCode", "小区编号：", c1, 20, w);
    edtCode->SetColor(clAqua);
    edtName = AddEdit(this, GroupBox1, "edtName", "小区名称：", c2, 20, w);
    edtAddress = AddEdit(this, GroupBox1, "edtAddress", "位    置：", c3, 20, w);
    rceLDamount = AddCalcEdit(this, GroupBox1, "rceLDamount", "楼 幢 数：", c1, 50, w);
    rceLDamount->SetButtonWidth(0);
    rceDYamount = AddCalcEdit(this, GroupBox1, "rceDYamount", "单 元 数：", c2, 50, w);
    rceDYamount->SetDecimalPlaces(0);
    rceFJamount = AddCalcEdit(this, GroupBox1, "rceFJamount", "房 间 数：", c3, 50, w);
    rceFJamount->SetDecimalPlaces(0);
    mem1 = AddMemo(this, GroupBox1, "mem1", "楼宇概况：", c1, 80, 410, 52);
    mem1->SetTabStop(false);
    mem2 = AddMemo(this, GroupBox1, "mem2", "备    注：", c1, 136, 410, 52);
    mem2->SetTabStop(false);
    cbbLCjiegou = AddCombo(this, GroupBox1, "cbbLCjiegou", "楼层结构：", c3, 80, w,
                           "select f_name from t_code where f_type = 'lcjiegou'");
    LimitToColumns(
        "T_XQinfo",
        {{edtCode, "F_code"}, {edtName, "F_name"}, {edtAddress, "F_address"}, {cbbLCjiegou, "F_LCjiegou"}});

    std::vector<TGridColumnSpec> columns;
    for (const auto& [field, caption] : std::vector<std::pair<String, String>>{{"F_code", "小区编号"},
                                                                               {"F_name", "小区名称"},
                                                                               {"F_address", "位置"},
                                                                               {"F_LDamount", "楼幢数"},
                                                                               {"F_DYamount", "单元数"},
                                                                               {"F_FJamount", "房间数"},
                                                                               {"F_LCjiegou", "楼层结构"},
                                                                               {"F_ZHamount", "住户数"},
                                                                               {"F_KZamount", "空置数"},
                                                                               {"F_mem1", "楼宇概况"},
                                                                               {"F_mem2", "备注"}})
        columns.emplace_back(field, caption);
    BuildColumns(columns);
    // The hidden panel always holds the current row.
    QryTable->AfterScroll = [this](TDataSet*) {
        if (!QryTable->IsEmpty()) LoadEstatePanel(true);
    };
    SetEstatePanelMode(true);
}

bool TfrmXQinfoGL::BuildListStatement(TSqlStatement& statement) {
    statement.Add("select * from T_XQinfo Order by F_Code");
    return true;
}

void TfrmXQinfoGL::OpenEditor(bool) {
    // The estate register edits in its panel (NewClick, EditClick).
}

void TfrmXQinfoGL::LoadEstatePanel(bool fromRow) {
    if (!fromRow) {
        FLoadedName.clear();
        FLoaded = TRowSnapshot();
        for (TEdit* edit : {edtCode, edtName, edtAddress})
            edit->SetText("");
        for (TKxCalcEdit* edit : {rceLDamount, rceDYamount, rceFJamount})
            edit->SetValue(0);
        mem1->SetText("");
        mem2->SetText("");
        cbbLCjiegou->SetText("");
        return;
    }
    if (ListEmpty()) return;
    auto field = [this](const char* name) { return QryTable->FieldByName(name); };
    FLoadedName = field("F_name")->AsString();
    FLoaded = TRowSnapshot::Take(*QryTable);
    edtCode->SetText(field("F_code")->AsString());
    edtName->SetText(FLoadedName);
    edtAddress->SetText(field("F_Address")->AsString());
    rceLDamount->SetValue(field("F_LDamount")->AsFloat());
    rceDYamount->SetValue(field("F_DYamount")->AsFloat());
    rceFJamount->SetValue(field("F_FJamount")->AsFloat());
    cbbLCjiegou->SetText(field("F_LCjiegou")->AsString());
    mem1->SetText(field("F_mem1")->AsString());
    mem2->SetText(field("F_mem2")->AsString());
}

void TfrmXQinfoGL::SetEstatePanelMode(bool browse) {
    Panel1->SetVisible(!browse);
    Panel1->SetEnabled(!browse);
    tbSave->SetEnabled(!browse);
    tbCancel->SetEnabled(!browse);
    for (TControl* control : std::initializer_list<TControl*>{tbNew, tbEdit, tbDel, tbFirst, tbPrior, tbNext,
                                                              tbLast, tbExit, DBGridGx1, tbPrint, tbset})
        control->SetEnabled(browse);
}

void TfrmXQinfoGL::NewClick() {
    SetEstatePanelMode(false);
    LoadEstatePanel(false);
    edtCode->SetText(dmData->NextCode(DigitCounterCodeSql("T_XQinfo", EstateCodeDigits), EstateCodeDigits));
    if (edtName->CanFocus()) edtName->SetFocus();
}

void TfrmXQinfoGL::EditClick() {
    if (ListEmpty()) {
        ShowMess(MsgNothingToEdit, 3);
        return;
    }
    SetEstatePanelMode(false);
    LoadEstatePanel(true);
    FEditFlag = true;
    if (edtName->CanFocus()) edtName->SetFocus();
}

void TfrmXQinfoGL::CancelClick() {
    SetEstatePanelMode(true);
    LoadEstatePanel(true);
    FEditFlag = false;
}

bool TfrmXQinfoGL::HandleListKey(Word key, TShiftState shift) {
    const bool ctrl = shift.Contains(ssCtrl);
    if (key == 'S' && ctrl) return ClickIfEnabled(tbSave);
    if (key == VK_ESCAPE && !ctrl) {
        if (tbCancel->Enabled())
            tbCancel->Click();
        else
            ExitClick();
        return true;
    }
    return TListWindow::HandleListKey(key, shift);
}
