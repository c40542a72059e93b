#include "app/core/uFrmOperGl.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"
#include "app/core/uFrmLimitGl.h"

#include "db/ADODB.h"
#include "db/DataSource.h"
#include "grid/DBGridGx.h"
#include "gui/ExtCtrls.h"
#include "gui/StdCtrls.h"
#include "rtl/StrUtils.h"

#include <memory>

String DeleteOperatorQuestion(const String& name) {
    return "真的要删除当前操作员 \"" + name + "\" 吗？";
}

TfrmOperGl::TfrmOperGl(TComponent* AOwner) : TForm(AOwner) {
    SetName("frmOperGl");
    SetCaption("操作员权限管理");
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poOwnerFormCenter);
    SetClientWidth(520);
    SetClientHeight(360);

    QryTable = new TADOQuery(this);
    QryTable->SetName("QryTable");
    QryTable->SetConnection(dmData->ADOcnn());
    QryTable->AfterScroll = [this](TDataSet*) { ShowCurrent(); };
    dsTable = new TDataSource(this);
    dsTable->SetName("dsTable");
    dsTable->SetDataSet(QryTable);

    DBGridGx1 = new TDBGridGx(this);
    DBGridGx1->SetName("DBGridGx1");
    DBGridGx1->SetParent(this);
    DBGridGx1->SetBounds(10, 10, 200, 302);
    DBGridGx1->SetReadOnly(true);
    DBGridGx1->SetOptions(DBGridGx1->Options() | dgRowSelect | dgAlwaysShowSelection);
    DBGridGx1->SetDataSource(dsTable);
    TColumnGx* column = DBGridGx1->Columns()->AddColumn();
    column->SetFieldName("F_Name");
    column->Title()->SetCaption("操作员");
    column->Title()->SetAlignment(taCenter);
    column->SetWidth(160);
    DBGridGx1->OnDblClick = [this](TObject*) {
        if (btnEdit->Enabled()) btnEditClick();
    };

    auto* lblMem = new TLabel(this);
    lblMem->SetParent(this);
    lblMem->SetBounds(222, 12, 120, 18);
    lblMem->SetCaption("其他描述");
    DBMemo1 = new TMemo(this);
    DBMemo1->SetName("DBMemo1");
    DBMemo1->SetParent(this);
    DBMemo1->SetBounds(222, 32, 288, 120);
    DBMemo1->SetReadOnly(true);
    DBMemo1->SetScrollBars(ssVertical);
    DBMemo1->SetText("");

    pScope = new TPanel(this);
    pScope->SetName("pScope");
    pScope->SetParent(this);
    pScope->SetBounds(222, 160, 288, 120);
    pScope->SetCaption("");
    pScope->SetEnabled(false);
    rgXQflag = new TRadioGroup(this);
    rgXQflag->SetName("rgXQflag");
    rgXQflag->SetParent(pScope);
    rgXQflag->SetBounds(8, 4, 272, 74);
    rgXQflag->SetCaption("小区范围");
    rgXQflag->Items()->Add("全部 全部 小区");
    rgXQflag->Items()->Add("显示 部分 小区");
    edtXQname = new TEdit(this);
    edtXQname->SetName("edtXQname");
    edtXQname->SetParent(pScope);
    edtXQname->SetBounds(8, 86, 272, 22);
    edtXQname->SetText("");

    chkShowDisabled = new TCheckBox(this);
    chkShowDisabled->SetName("chkShowDisabled");
    chkShowDisabled->SetParent(this);
    chkShowDisabled->SetBounds(222, 288, 160, 20);
    chkShowDisabled->SetCaption("显示禁用操作员");
    chkShowDisabled->OnClick = [this](TObject*) { RefreshOperList(); };

    auto button = [this](const char* name, const char* caption, int left) {
        auto* b = new TButton(this);
        b->SetName(name);
        b->SetParent(this);
        b->SetBounds(left, 322, 80, 26);
        b->SetCaption(caption);
        return b;
    };
    btnNew = button("btnNew", "新增", 154);
    btnNew->OnClick = [this](TObject*) { btnNewClick(); };
    btnEdit = button("btnEdit", "修改", 244);
    btnEdit->OnClick = [this](TObject*) { btnEditClick(); };
    btnDelete = button("btnDelete", "删除", 334);
    btnDelete->OnClick = [this](TObject*) { btnDeleteClick(); };
    btnClose = button("btnClose", "关闭", 424);
    btnClose->SetModalResult(mrCancel);
    btnClose->SetCancel(true);
    DoCreate();
}

TfrmOperGl::~TfrmOperGl() {
    QryTable->AfterScroll = nullptr;
}

void TfrmOperGl::DoShow() {
    RefreshOperList();
    if (!IsAdmin) {
        btnEdit->SetEnabled(false);
        btnDelete->SetEnabled(false);
    }
    TForm::DoShow();
}

void TfrmOperGl::RefreshOperList() {
    String sql = "select * from OperList where (1=1) ";
    if (!chkShowDisabled->Checked()) sql += "and F_flag = false ";
    sql += "order by F_ID";
    dmData->OpenSQL(sql, QryTable);
    ShowCurrent();
}

bool TfrmOperGl::LocateOperator(const String& name) {
    return QryTable->Active() && QryTable->Locate("F_Name", name, loCaseInsensitive);
}

void TfrmOperGl::ShowCurrent() {
    const bool any = QryTable->Active() && !QryTable->IsEmpty();
    const int flag = any ? QryTable->FieldByName("F_XQflag")->AsInteger() : 0;
    rgXQflag->SetItemIndex(any ? flag : -1);
    edtXQname->SetText(flag == 1 ? QryTable->FieldByName("F_XQname")->AsString() : String());
    edtXQname->SetVisible(flag == 1);
    DBMemo1->SetText(any ? QryTable->FieldByName("F_Mem")->AsString() : String());
}

void TfrmOperGl::RunEditor(bool editing) {
    auto editor = std::make_unique<TFrmLimitGl>(this);
    editor->ShowOperatorEditor(editing);
}

void TfrmOperGl::btnNewClick() {
    RunEditor(false);
}

void TfrmOperGl::btnEditClick() {
    if (!QryTable->Active() || QryTable->IsEmpty()) {
        ShowMess(MsgListEmptyNothingToEdit, 3);
        return;
    }
    if (IsAdminName(QryTable->FieldByName("F_Name")->AsString())) {
        ShowMess(MsgAdminCannotBeEdited, 3);
        return;
    }
    RunEditor(true);
}

void TfrmOperGl::btnDeleteClick() {
    // An empty list has no operator to delete.
    if (!QryTable->Active() || QryTable->IsEmpty()) return;
    const String name = QryTable->FieldByName("F_Name")->AsString();
    if (IsAdminName(name)) {
        ShowMess(MsgAdminCannotBeDeleted, 3);
        return;
    }
    if (ShowMess(DeleteOperatorQuestion(name), 1) != 1) return;
    QryTable->Delete();
    ShowCurrent();
}
