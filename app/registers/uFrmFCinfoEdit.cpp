#include "app/registers/uFrmFCinfoEdit.h"

#include "app/registers/DialogControls.h"
#include "app/registers/TypedText.h"
#include "app/registers/uFrmFCinfoGL.h"

#include "app/core/DataDm.h"
#include "app/core/NotSetDate.h"
#include "app/core/PubUnit.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "grid/DBCtrlsGxNavigator.h"
#include "gui/Colors.h"
#include "gui/ComCtrls.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"

#include <initializer_list>

namespace {

struct THouseMode {
    const char* Caption;
    const char* State; // the state the mode writes (nullptr: as shown)
};

const THouseMode HouseModes[] = {
    {"房产住户档案 - 新增", "未销售"}, {"房产住户档案 - 修改", nullptr}, {"房产住户档案 - 复制", nullptr},
    {"房产销售 - 编辑", "已销售"},     {"住户入住 - 编辑", "已入住"},
};

void Lock(TControl* control) {
    control->SetColor(clAqua);
    if (auto* edit = dynamic_cast<TCustomEdit*>(control))
        edit->SetReadOnly(true);
    else
        control->SetEnabled(false);
}

} // namespace

TfrmFCinfoEdit::TfrmFCinfoEdit(TfrmFCinfoGL* list) : TEditDialog(list, "房产住户档案"), FHouseList(list) {
    SetName("frmFCinfoEdit");
    SetClientWidth(700);
    SetClientHeight(560);
    SetContinuousAddDefault(false);
    BuildBasicGroup();
    PageControl1 = new TPageControl(this);
    PageControl1->SetName("PageControl1");
    PageControl1->SetParent(this);
    PageControl1->SetAlign(alClient);
    BuildContractPage();
    BuildResidentPage();
    PageControl1->SetActivePage(TabSheet1);
    LimitToColumns("T_FCinfo", {{cbbXQname, "F_XQname"},       {edtLDcode, "F_LDcode"},
                                {edtDYcode, "F_DYcode"},       {edtcode, "F_code"},
                                {edtLouceng, "F_LouCeng"},     {cbbFXtype, "F_FXtype"},
                                {cbbChaoXiang, "F_chaoXiang"}, {cbbCurStatus, "F_curStatus"},
                                {cbbChanquan, "F_chanquan"},   {edtHTcode, "F_HTcode"},
                                {cbbHTtype, "F_HTtype"},       {edtFZname, "F_FZname"},
                                {edtSFZcode, "F_SFZcode"},     {cbbFZsex, "F_FZsex"},
                                {edtFZphone, "F_FZphone"},     {edthandphone, "F_handphone"},
                                {edtFZaddress, "F_FZaddress"}, {edtFZunit, "F_FZunit"},
                                {edtZHname, "F_ZHname"},       {edtZHsfzCode, "F_ZHSFZcode"},
                                {edtZHphone, "F_ZHphone"},     {edtZHhandphone, "F_ZHhandphone"},
                                {edtZHwork, "F_ZHwork"}});
}

void TfrmFCinfoEdit::BuildBasicGroup() {
    GroupBox1 = new TGroupBox(this);
    GroupBox1->SetName("GroupBox1");
    GroupBox1->SetParent(this);
    GroupBox1->SetAlign(alTop);
    GroupBox1->SetHeight(212);
    GroupBox1->SetCaption("基本信息");
    const int c1 = 10, c2 = 240, c3 = 470, w = 140;
    cbbXQname = AddCombo(this, GroupBox1, "cbbXQname", "小区名称：", c1, 22, w);
    cbbXQname->OnEnter = [this](TObject*) {
        const String text = cbbXQname->Text();
        dmData->FillCombo("select f_name from T_XQinfo where f_name <> '' " + XQNameScopeSQL,
                          *cbbXQname->Items());
        cbbXQname->SetText(text);
    };
    edtLDcode = AddEdit(this, GroupBox1, "edtLDcode", "楼 幢 号：", c2, 22, w);
    edtLDcode->SetTabStop(false);
    edtDYcode = AddEdit(this, GroupBox1, "edtDYcode", "单    元：", c3, 22, w);
    edtcode = AddEdit(this, GroupBox1, "edtcode", "房间编号：", c1, 52, w);
    edtLouceng = AddEdit(this, GroupBox1, "edtLouceng", "楼    层：", c2, 52, w);
    cbbFXtype = AddCombo(this, GroupBox1, "cbbFXtype", "房    型：", c3, 52, w,
                         "select f_name from t_code where f_type = 'fxtype'");
    cbbChaoXiang = AddCombo(this, GroupBox1, "cbbChaoXiang", "房间朝向：", c1, 82, w,
                            "select f_name from t_code where f_type = 'chaoxiang' ");
    cbbCurStatus = AddCombo(this, GroupBox1, "cbbCurStatus", "当前状态：", c2, 82, w,
                            "select f_name from t_code where f_type = 'curstatus' ");
    cbbChanquan = AddCombo(this, GroupBox1, "cbbChanquan", "产权状况：", c3, 82, w,
                           "select f_name from t_code where f_type = 'chanquan'");
    rcebuildarea = AddCalcEdit(this, GroupBox1, "rcebuildarea", "建筑面积：", c1, 112, w);
    rceusearea = AddCalcEdit(this, GroupBox1, "rceusearea", "实用面积：", c2, 112, w);
    mem1 = AddMemo(this, GroupBox1, "mem1", "房屋备注：", c1, 142, 610, 60);
}

void TfrmFCinfoEdit::BuildContractPage() {
    TabSheet1 = new TTabSheet(this);
    TabSheet1->SetName("TabSheet1");
    TabSheet1->SetPageControl(PageControl1);
    TabSheet1->SetCaption(" 合同信息 ");
    const int c1 = 10, c2 = 240, c3 = 470, w = 140;
    edtHTcode = AddEdit(this, TabSheet1, "edtHTcode", "合同编号：", c1, 12, w);
    ceHTprice = AddCurrencyEdit(this, TabSheet1, "ceHTprice", "合同金额：", c2, 12, w);
    dtpHTDate = AddDatePicker(this, TabSheet1, "dtpHTDate", "合同日期：", c3, 12, w);
    dtpHTDate->SetShowCheckbox(true);
    cbbHTtype = AddCombo(this, TabSheet1, "cbbHTtype", "合同类型：", c1, 42, w,
                         "select f_name from t_code where f_type = 'HTtype'");
    edtFZname = AddEdit(this, TabSheet1, "edtFZname", "业主姓名：", c2, 42, w);
    edtSFZcode = AddEdit(this, TabSheet1, "edtSFZcode", "身份证号：", c3, 42, w);
    cbbFZsex = AddCombo(this, TabSheet1, "cbbFZsex", "性    别：", c1, 72, w);
    cbbFZsex->Items()->Add("男");
    cbbFZsex->Items()->Add("女");
    edtFZphone = AddEdit(this, TabSheet1, "edtFZphone", "联系电话：", c2, 72, w);
    edthandphone = AddEdit(this, TabSheet1, "edthandphone", "联系手机：", c3, 72, w);
    edtFZaddress = AddEdit(this, TabSheet1, "edtFZaddress", "业主住址：", c1, 102, 370);
    edtFZunit = AddEdit(this, TabSheet1, "edtFZunit", "业主单位：", c3, 102, w);
    Mem2 = AddMemo(this, TabSheet1, "Mem2", "备    注：", c1, 132, 610, 90);
}

void TfrmFCinfoEdit::BuildResidentPage() {
    TabSheet2 = new TTabSheet(this);
    TabSheet2->SetName("TabSheet2");
    TabSheet2->SetPageControl(PageControl1);
    TabSheet2->SetCaption(" 住户信息 ");
    const int c1 = 10, c2 = 240, c3 = 470, w = 140;
    dtpRZdate = AddDatePicker(this, TabSheet2, "dtpRZdate", "入住日期：", c1, 12, w);
    dtpRZdate->SetShowCheckbox(true);
    edtZHname = AddEdit(this, TabSheet2, "edtZHname", "住户姓名：", c2, 12, w);
    edtZHsfzCode = AddEdit(this, TabSheet2, "edtZHsfzCode", "身份证号：", c3, 12, w);
    edtZHphone = AddEdit(this, TabSheet2, "edtZHphone", "联系电话：", c1, 42, w);
    edtZHhandphone = AddEdit(this, TabSheet2, "edtZHhandphone", "联系手机：", c2, 42, w);
    edtZHwork = AddEdit(this, TabSheet2, "edtZHwork", "从事行业：", c3, 42, w);
    rceZHnum = AddCalcEdit(this, TabSheet2, "rceZHnum", "实住人数：", c1, 72, w);
    Mem3 = AddMemo(this, TabSheet2, "Mem3", "备注信息：", c1, 102, 610, 120);
}

void TfrmFCinfoEdit::DoShow() {
    rcebuildarea->SetDisplayFormat(FmtAmount);
    rceusearea->SetDisplayFormat(FmtAmount);
    TEditDialog::DoShow();
}

int TfrmFCinfoEdit::SetHouseEditMode(int mode) {
    FMode = mode;
    SetEditorMode(mode == 1 || mode == 3 || mode == 4);
    DBNavigator1->SetVisible(mode == 1);
    SetCaption(HouseModes[mode].Caption);
    if (mode == 3 || mode == 4) LockHouseFields(true, mode == 4);
    LoadEditorFields(mode != 0);
    ProposeState();
    if (mode == 4) PageControl1->SetActivePage(TabSheet2);
    return ShowModal();
}

void TfrmFCinfoEdit::ProposeState() {
    if (const char* state = HouseModes[FMode].State) cbbCurStatus->SetText(state);
}

void TfrmFCinfoEdit::LockHouseFields(bool basic, bool contract) {
    if (basic)
        for (TControl* control : std::initializer_list<TControl*>{
                 cbbXQname, edtLDcode, edtDYcode, edtcode, cbbFXtype, edtLouceng, cbbChaoXiang, cbbCurStatus,
                 rcebuildarea, rceusearea, cbbChanquan, mem1})
            Lock(control);
    if (contract)
        for (TControl* control : std::initializer_list<TControl*>{
                 edtHTcode, ceHTprice, dtpHTDate, cbbHTtype, edtFZname, cbbFZsex, edtFZphone, edthandphone,
                 edtSFZcode, edtFZunit, edtFZaddress, Mem2})
            Lock(control);
}

TWinControl* TfrmFCinfoEdit::FirstField() const {
    return cbbXQname;
}

void TfrmFCinfoEdit::LoadEditorFields(bool fromList) {
    if (!fromList) {
        for (TEdit* edit : {edtLDcode, edtDYcode, edtcode, edtLouceng, edtHTcode, edtFZname, edtSFZcode,
                            edtFZphone, edthandphone, edtFZaddress, edtFZunit, edtZHname, edtZHsfzCode,
                            edtZHphone, edtZHhandphone, edtZHwork})
            edit->SetText("");
        for (TComboBox* combo :
             {cbbXQname, cbbFXtype, cbbChaoXiang, cbbCurStatus, cbbChanquan, cbbHTtype, cbbFZsex})
            combo->SetText("");
        for (TMemo* memo : {mem1, Mem2, Mem3})
            memo->SetText("");
        rcebuildarea->SetValue(0);
        rceusearea->SetValue(0);
        ceHTprice->SetValue(0);
        rceZHnum->SetValue(0);
        DateToPicker(*dtpHTDate, "");
        DateToPicker(*dtpRZdate, "");
        ProposeState();
        return;
    }
    TADOQuery* row = List()->QryTable;
    auto text = [row](const char* field) { return row->FieldByName(field)->AsString(); };
    cbbXQname->SetText(text("F_XQname"));
    edtLDcode->SetText(text("F_LDcode"));
    edtDYcode->SetText(text("F_DYcode"));
    edtcode->SetText(text("F_code"));
    edtLouceng->SetText(text("F_LouCeng"));
    cbbFXtype->SetText(text("F_FXtype"));
    cbbChaoXiang->SetText(text("F_chaoXiang"));
    cbbCurStatus->SetText(text("F_curStatus"));
    rcebuildarea->SetValue(row->FieldByName("F_buildArea")->AsFloat());
    rceusearea->SetValue(row->FieldByName("F_useArea")->AsFloat());
    cbbChanquan->SetText(text("F_chanquan"));
    mem1->SetText(text("F_mem1"));
    edtHTcode->SetText(text("F_HTcode"));
    ceHTprice->SetValue(row->FieldByName("F_HTprice")->AsCurrency().ToDouble());
    DateToPicker(*dtpHTDate, row->FieldByName("F_HTdate")->IsNull()
                                 ? String()
                                 : FormatDateTime("yyyy-MM-dd", row->FieldByName("F_HTdate")->AsDateTime()));
    cbbHTtype->SetText(text("F_HTtype"));
    edtFZname->SetText(text("F_FZname"));
    cbbFZsex->SetText(text("F_FZsex"));
    edtFZphone->SetText(text("F_FZphone"));
    edthandphone->SetText(text("F_handphone"));
    edtSFZcode->SetText(text("F_SFZcode"));
    edtFZunit->SetText(text("F_FZunit"));
    edtFZaddress->SetText(text("F_FZaddress"));
    Mem2->SetText(text("F_mem2"));
    edtZHname->SetText(text("F_ZHname"));
    DateToPicker(*dtpRZdate, row->FieldByName("F_RZdate")->IsNull()
                                 ? String()
                                 : FormatDateTime("yyyy-MM-dd", row->FieldByName("F_RZdate")->AsDateTime()));
    edtZHphone->SetText(text("F_ZHphone"));
    edtZHhandphone->SetText(text("F_ZHhandphone"));
    edtZHsfzCode->SetText(text("F_ZHSFZcode"));
    edtZHwork->SetText(text("F_ZHwork"));
    Mem3->SetText(text("F_mem3"));
    rceZHnum->SetValue(row->FieldByName("F_ZHnum")->AsFloat());
    RememberLoadedRow();
}
