// The repair dialog's construction, modes, fields and keys; the material lines and the save are in
// uFrmCltBXeditLines.cpp.
#include "app/fees/uFrmCltBXedit.h"

#include "app/fees/RepairLines.h"
#include "app/fees/uFrmCltBXGL.h"

#include "app/registers/DialogControls.h"
#include "app/registers/TypedText.h"
#include "app/registers/uDLGfcinfoCX.h"

#include "app/core/DataDm.h"
#include "app/core/NotSetDate.h"
#include "app/core/Vardessa.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "db/DataSource.h"
#include "grid/DBGridGx.h"
#include "gui/ActnList.h"
#include "gui/Buttons.h"
#include "gui/Colors.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/Input.h"
#include "gui/Menus.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"
#include "rtl/StrUtils.h"

String UnknownPartMessage(const String& code) {
    return "配件编号 \"" + code + "\" 不存在，请检查输入？";
}

TfrmCltBXedit::TfrmCltBXedit(TfrmCltBXGL* list) : TEditDialog(list, RepairDialogTitle), FRegister(list) {
    SetName("frmCltBXedit");
    SetClientWidth(760);
    SetClientHeight(560);
    Button1->OnClick = [this](TObject*) { SaveRepair(); };
    BuildFields();
    BuildLines();
}

TfrmCltBXedit::~TfrmCltBXedit() {
    // The material grid shows the register's lines: it lets go of them before the register does.
    DBGridGx1->SetDataSource(nullptr);
}

void TfrmCltBXedit::BuildFields() {
    GroupBox1 = new TGroupBox(this);
    GroupBox1->SetName("GroupBox1");
    GroupBox1->SetParent(this);
    GroupBox1->SetAlign(alTop);
    GroupBox1->SetHeight(250);
    GroupBox1->SetCaption("");
    const int left = 14, middle = 264, right = 514, width = 150;
    edtFZcode = AddEdit(this, GroupBox1, "edtFZcode", "房间编号：", left, 16, width - 26);
    sbFind = new TSpeedButton(this);
    sbFind->SetName("sbFind");
    sbFind->SetParent(GroupBox1);
    sbFind->SetBounds(left + DialogLabelWidth + width - 24, 15, 24, 23);
    sbFind->SetCaption("…");
    sbFind->SetHint("选择房屋");
    sbFind->OnClick = [this](TObject*) { FindHouse(); };
    edtFZname = AddEdit(this, GroupBox1, "edtFZname", "业主姓名：", middle, 16, width);
    edtXQname = AddEdit(this, GroupBox1, "edtXQname", "小区名称：", right, 16, width - 10);
    edtLDcode = AddEdit(this, GroupBox1, "edtLDcode", "楼 幢 号：", left, 46, width);
    for (TEdit* skipped : {edtFZname, edtXQname, edtLDcode})
        skipped->SetTabStop(false);
    cbbJDemp = AddCombo(this, GroupBox1, "cbbJDemp", "接待人员：", middle, 46, width,
                        "select F_name from t_code where f_type = 'JDemp' ");
    dtpBXdate = AddDatePicker(this, GroupBox1, "dtpBXdate", "报修日期：", right, 46, width - 10);
    Memo1 = AddMemo(this, GroupBox1, "Memo1", "故障现象：", left, 76, 650, 50);
    cbbWXemp = AddCombo(this, GroupBox1, "cbbWXemp", "维修人员：", left, 134, width,
                        "select F_name from t_code where f_type = 'WXemp' ");
    dtpXFdate = AddDatePicker(this, GroupBox1, "dtpXFdate", "修复日期：", middle, 134, width);
    dtpXFdate->SetShowCheckbox(true);
    dtpXFdate->SetChecked(false);
    cbbMYtype = AddCombo(this, GroupBox1, "cbbMYtype", "满 意 度：", right, 134, width - 10,
                         "select F_name from t_code where f_type = 'MYtype' ");
    Memo2 = AddMemo(this, GroupBox1, "Memo2", "处理结果：", left, 164, 650, 50);
    ceFWprice = AddCurrencyEdit(this, GroupBox1, "ceFWprice", "服务费用：", left, 220, width);
    ceFWprice->SetDecimalPlaces(4);
    ceFWprice->SetDisplayFormat(PriceEditFormat);
    edtCode = AddEdit(this, GroupBox1, "edtCode", "记录编号：", right, 220, width - 10);
    ceWLprice = new TCurrencyEdit(this);
    ceWLprice->SetName("ceWLprice");
    ceWLprice->SetParent(GroupBox1);
    ceWLprice->SetVisible(false);
    ceWLprice->SetDecimalPlaces(4);
    LimitToColumns("t_ZHBX", {{edtFZcode, "F_FZcode"},
                              {edtFZname, "F_FZname"},
                              {edtXQname, "F_XQname"},
                              {edtLDcode, "F_LDcode"},
                              {cbbJDemp, "F_JDemp"},
                              {cbbWXemp, "F_WXemp"},
                              {cbbMYtype, "F_MYtype"},
                              {edtCode, "F_code"}});
}

void TfrmCltBXedit::BuildLines() {
    ActionList1 = new TActionList(this);
    ActionList1->SetName("ActionList1");
    Action1 = new TAction(this);
    Action1->SetName("Action1");
    Action1->SetCaption("新增");
    Action1->SetActionList(ActionList1);
    Action1->OnExecute = [this](TObject*) { PickParts(); };
    Action2 = new TAction(this);
    Action2->SetName("Action2");
    Action2->SetCaption("删除");
    Action2->SetActionList(ActionList1);
    Action2->OnExecute = [this](TObject*) { DeleteLine(); };
    PanelLines = new TPanel(this);
    PanelLines->SetName("PanelLines");
    PanelLines->SetParent(this);
    PanelLines->SetAlign(alTop);
    PanelLines->SetHeight(32);
    PanelLines->SetBevelOuter(bvNone);
    PanelLines->SetCaption("");
    auto* caption = new TLabel(this);
    caption->SetParent(PanelLines);
    caption->SetBounds(14, 9, 80, 16);
    caption->SetCaption("维修材料：");
    btnAdd = new TButton(this);
    btnAdd->SetName("btnAdd");
    btnAdd->SetParent(PanelLines);
    btnAdd->SetBounds(100, 4, 70, 24);
    btnAdd->SetAction(Action1);
    btnDel = new TButton(this);
    btnDel->SetName("btnDel");
    btnDel->SetParent(PanelLines);
    btnDel->SetBounds(176, 4, 70, 24);
    btnDel->SetAction(Action2);
    for (TButton* button : {btnAdd, btnDel})
        button->SetTabStop(false);
    DBGridGx1 = new TDBGridGx(this);
    DBGridGx1->SetName("DBGridGx1");
    DBGridGx1->SetParent(this);
    DBGridGx1->SetAlign(alClient);
    DBGridGx1->DrawMemoText = true;
    DBGridGx1->SetFooterRowCount(1);
    DBGridGx1->SumList()->SetActive(true);
    DBGridGx1->SetDataSource(FRegister->dsDetail);
    BuildRepairLineColumns(DBGridGx1, true);
    for (const char* field : {"F_PJname", "F_type", "F_spec", "F_address", "F_unit"})
        if (TColumnGx* column = DBGridGx1->ColumnByFieldName(field)) {
            column->SetReadOnly(true);
            column->SetColor(clAqua);
        }
    if (TColumnGx* name = DBGridGx1->ColumnByFieldName("F_PJname"))
        name->OnEditButtonClick = [this](TObject*, bool& handled) {
            handled = true;
            if (!EditMode()) PickParts();
        };
    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->SetName("PopupMenu1");
    for (TAction* action : {Action1, Action2}) {
        auto* item = new TMenuItem(this);
        item->SetAction(action);
        PopupMenu1->Items()->Add(item);
    }
    DBGridGx1->SetPopupMenu(PopupMenu1);
}

void TfrmCltBXedit::FillPickLists() {
    if (FPickListsFilled) return;
    FPickListsFilled = true;
    const std::pair<const char*, const char*> lists[] = {
        {"F_type", "select F_name from t_code where f_type = 'pjtype' "},
        {"F_pinpai", "select F_name from t_code where f_type = 'pinpai' "},
        {"F_unit", "select F_name from t_code where f_type = 'unit' "},
    };
    for (const auto& [field, sql] : lists)
        if (TColumnGx* column = DBGridGx1->ColumnByFieldName(field)) dmData->FillCombo(sql, *column->PickList());
}

void TfrmCltBXedit::SetEditorMode(bool editMode) {
    TEditDialog::SetEditorMode(editMode);
    FillPickLists();
    edtCode->SetReadOnly(editMode);
    edtCode->SetColor(editMode ? clAqua : clWindow);
    edtCode->SetTabStop(!editMode);
    // A saved record's lines have moved their stock: they are shown, not changed.
    Action1->SetEnabled(!editMode);
    Action2->SetEnabled(!editMode);
    DBGridGx1->SetReadOnly(editMode);
    const TDBGridOptions options = DBGridGx1->Options();
    DBGridGx1->SetOptions(static_cast<TDBGridOptions>(editMode ? (options & ~dgEditing) | dgRowSelect
                                                               : (options & ~dgRowSelect) | dgEditing));
    if (TColumnGx* name = DBGridGx1->ColumnByFieldName("F_PJname")) {
        name->SetButtonStyle(editMode ? cbsNone : cbsEllipsis);
        name->SetAlwaysShowEditButton(!editMode);
    }
}

void TfrmCltBXedit::LoadEditorFields(bool fromList) {
    if (!fromList) {
        for (TEdit* edit : {edtFZcode, edtFZname, edtXQname, edtLDcode})
            edit->SetText("");
        for (TComboBox* combo : {cbbJDemp, cbbWXemp, cbbMYtype})
            combo->SetText("");
        Memo1->SetText("");
        Memo2->SetText("");
        FHouseId = -1;
        dtpBXdate->SetDate(Date());
        dtpXFdate->SetDate(Date());
        dtpXFdate->SetChecked(false);
        ceFWprice->SetValue(0);
        ceWLprice->SetValue(0);
        return; // 记录编号 is the register's
    }
    TADOQuery* row = FRegister->QryTable;
    auto text = [row](const char* field) { return row->FieldByName(field)->AsString(); };
    edtCode->SetText(text("F_Code"));
    edtFZcode->SetText(text("F_FZcode"));
    edtFZname->SetText(text("F_FZname"));
    edtLDcode->SetText(text("F_LDcode"));
    edtXQname->SetText(text("F_XQname"));
    FHouseId = row->FieldByName("F_mainID")->IsNull() ? -1 : row->FieldByName("F_mainID")->AsInteger();
    DateFieldToPicker(*dtpBXdate, *row->FieldByName("F_bxDate"));
    cbbJDemp->SetText(text("F_JDemp"));
    Memo1->SetText(text("F_Memo1"));
    ceFWprice->SetValue(row->FieldByName("F_FWprice")->AsCurrency().ToDouble());
    ceWLprice->SetValue(row->FieldByName("F_WLprice")->AsCurrency().ToDouble());
    TField* repaired = row->FieldByName("F_xfDate");
    DateFieldToPicker(*dtpXFdate, *repaired);
    dtpXFdate->SetChecked(!IsDateNotSet(*repaired));
    cbbWXemp->SetText(text("F_WXemp"));
    cbbMYtype->SetText(text("F_MYtype"));
    Memo2->SetText(text("F_Memo2"));
}

void TfrmCltBXedit::FindHouse() {
    TDLGfcinfoCX picker(this);
    const int id = picker.SelectHouse(FHouseId);
    if (id == FHouseId) return;
    FHouseId = id;
    TADOQuery house;
    house.SetConnection(dmData->ADOcnn());
    house.SQL()->SetText("select F_ID,F_code,F_XQname,F_LDcode,F_FZname from T_FCinfo where (F_curStatus <> '未销售') "
                         "and F_ID = :id");
    house.Parameters()->ParamByName("id")->SetValue(id);
    try {
        house.Open();
    } catch (const std::exception&) {
        ShowMess(MsgOpenFailed, 3);
        return;
    }
    if (house.IsEmpty()) return;
    edtFZcode->SetText(house.FieldByName("F_code")->AsString());
    edtXQname->SetText(house.FieldByName("F_XQname")->AsString());
    edtLDcode->SetText(house.FieldByName("F_LDcode")->AsString());
    edtFZname->SetText(house.FieldByName("F_FZname")->AsString());
}

void TfrmCltBXedit::KeyDown(Word& Key, TShiftState Shift) {
    const bool ctrl = Shift.Contains(ssCtrl);
    if (Key == VK_RETURN && !ctrl) {
        // Enter in the material grid: the typed part code looked up (adding only).
        TWinControl* focused = ActiveControl();
        if (focused && (focused == DBGridGx1 || DBGridGx1->ContainsControl(focused))) {
            Key = 0;
            TField* field = DBGridGx1->SelectedField();
            if (!EditMode() && field && SameText(field->FieldName(), "F_PJcode")) LookUpMaterialCode();
            return;
        }
    }
    TEditDialog::KeyDown(Key, Shift);
}

void TfrmCltBXedit::KeyPress(char16_t& Key) {
    TEditDialog::KeyPress(Key);
}
