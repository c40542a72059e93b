#include "app/fees/uFrmGTFYinfoGL.h"

#include "app/fees/DetailBatch.h"
#include "app/fees/uFrmGTFYinfoEdit.h"

#include "app/registers/ListSearchPanel.h"
#include "app/registers/RegisterImages.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "db/DataSource.h"
#include "grid/DBGridGx.h"
#include "gui/ExtCtrls.h"
#include "gui/Menus.h"

#include <memory>

namespace {

const TListWindowSpec MeterSpec{MeterRegisterCaption, "t_GTinfo", "GTFYinfoGL1", "frGTFYinfoGL.di3", "费用项目管理", 3};
const String UsageItemsSql = "select f_name from t_FYinfo where F_sfType = '按用量' ";

} // namespace

void BuildMeterHouseholdColumns(TDBGridGx* grid) {
    grid->BeginLayout();
    const std::pair<const char*, const char*> columns[] = {
        {"F_XQname", "小区名称"}, {"F_LDcode", "楼幢编号"}, {"F_FZcode", "房间编号"},
        {"F_FZname", "业主姓名"}, {"F_memo1", "备注"},
    };
    for (const auto& [field, caption] : columns) {
        TColumnGx* column = grid->Columns()->AddColumn();
        column->SetFieldName(field);
        column->Title()->SetCaption(caption);
        column->Title()->SetAlignment(taCenter);
        column->SetWidth(String(field) == "F_memo1" ? 120 : 80);
    }
    grid->EndLayout();
}

TfrmGTFYinfoGL::TfrmGTFYinfoGL(TComponent* AOwner) : TListWindow(AOwner, MeterSpec) {
    SetName("frmGTFYinfoGL");
    SetBounds(0, 0, 1000, 600);
    std::vector<TListButton> buttons = FamilyButtons();
    // The family's toolbar without 查询: the list runs while the search text is typed.
    std::erase_if(buttons, [](const TListButton& button) { return button.Name == "tbQuery"; });
    BuildToolBar(buttons);
    BuildSearchPanel()->SetEntries({
        {"编号", "F_code", tmContains, "", {}},
        {"名称", "F_name", tmContains, "", {}},
        {"类型", "F_type", tmContains, UsageItemsSql, {}},
        {"备注", "F_memo1", tmContains, "", {}},
    });
    BuildColumns({
        {"F_code", "编号", 70},
        {"F_name", "名称", 110},
        {"F_type", "类型", 80},
        {"F_amount", "读数", 80},
        {"F_XQname", "小区名称", 90},
        {"F_memo1", "备注", 120},
    });
    DBGridGx1->SetFooterRowCount(0);
    DBGridGx1->SetAlign(alLeft);
    DBGridGx1->SetWidth(560);
    BuildHouseholdGrid();
}

TfrmGTFYinfoGL::~TfrmGTFYinfoGL() {
    // The households follow the meters through dsTable: they let go of it first.
    QryDetail->SetDataSource(nullptr);
}

void TfrmGTFYinfoGL::BuildHouseholdGrid() {
    QryDetail = new TADOQuery(this);
    QryDetail->SetName("QryDetail");
    QryDetail->SetConnection(dmData->ADOcnn());
    QryDetail->SetLockType(ltBatchOptimistic);
    QryDetail->SQL()->SetText(MeterHouseholdsStatement);
    dsDetail = new TDataSource(this);
    dsDetail->SetName("dsDetail");
    dsDetail->SetDataSet(QryDetail);
    Splitter1 = new TSplitter(this);
    Splitter1->SetName("Splitter1");
    Splitter1->SetParent(DBGridGx1->Parent());
    Splitter1->SetAlign(alLeft);
    Splitter1->SetLeft(DBGridGx1->Left() + DBGridGx1->Width());
    Splitter1->SetWidth(4);
    DBGridGx2 = new TDBGridGx(this);
    DBGridGx2->SetName("DBGridGx2");
    DBGridGx2->SetParent(DBGridGx1->Parent());
    DBGridGx2->SetAlign(alClient);
    DBGridGx2->SetReadOnly(true);
    DBGridGx2->DrawMemoText = true;
    DBGridGx2->SetOptions(DBGridGx2->Options() | dgRowSelect | dgAlwaysShowSelection);
    DBGridGx2->SetDataSource(dsDetail);
    DBGridGx2->OnDblClick = [this](TObject*) { ClickIfEnabled(tbEdit); };
    DBGridGx2->SetPopupMenu(PopupMenu1); // acts on the meter grid
    BuildMeterHouseholdColumns(DBGridGx2);
}

void TfrmGTFYinfoGL::DoShow() {
    if (!FDetailLayoutLoaded) {
        FDetailLayoutLoaded = true;
        dmData->LoadGridLayout(DBGridGx2, "GTFYinfoGL2");
    }
    TListWindow::DoShow();
}

bool TfrmGTFYinfoGL::BuildListStatement(TSqlStatement& statement) {
    statement.Add("select * from t_GTinfo where (1=1) " + XQScopeSQL);
    SearchPanel->AddCondition(statement);
    statement.Add("order by f_code");
    return true;
}

void TfrmGTFYinfoGL::RefreshList() {
    TListWindow::RefreshList();
    AttachHouseholds();
}

void TfrmGTFYinfoGL::AttachHouseholds() {
    FollowListRows(QryDetail, MeterHouseholdsStatement, dsTable);
}

void TfrmGTFYinfoGL::DetachHouseholds(const String& code) {
    ShowRowsOfKey(QryDetail, MeterHouseholdsStatement, "F_code", code);
}

void TfrmGTFYinfoGL::OpenEditor(bool editMode) {
    auto dialog = std::make_unique<TfrmGTFYinfoEdit>(this);
    DispFormPos(dialog.get(), 1);
    if (editMode) {
        if (dialog->ShowEditor(true) != mrOk && QryDetail->Active()) QryDetail->CancelBatch(arAll);
        return;
    }
    DetachHouseholds("GTFYcode");
    if (dialog->ShowEditor(false) == mrOk) return;
    AttachHouseholds();
    if (QryDetail->Active()) QryDetail->CancelBatch(arAll);
}

void TfrmGTFYinfoGL::DeleteMeter() {
    if (ListEmpty()) return;
    const String code = QryTable->FieldByName("F_code")->AsString();
    if (ShowMess("真的要删除当前公表编号为" + code + "公摊用户记录吗？", 1) == 2) return;
    TADOConnection* cnn = dmData->ADOcnn();
    try {
        cnn->BeginTrans();
        // The shared-fee records made from the meter keep their own rows.
        for (const char* table : {"t_GTinfo", "t_GTdetail"}) {
            TSqlStatement statement;
            statement.Add(String("delete from ") + table + " where F_code = :code").Param("code", code);
            ExecStatement(dmData->QryPub(), statement);
        }
        cnn->CommitTrans();
    } catch (const std::exception&) {
        try {
            if (cnn->InTransaction()) cnn->RollbackTrans();
        } catch (const std::exception&) {
        }
        ShowMess(MsgMeterDeleteFailed, 3);
        return;
    }
    RefreshList();
}

void TfrmGTFYinfoGL::PrintClick() {
    if (ListEmpty()) return;
    dmData->ShowLayoutReport(vrReport1, MeterSpec.LayoutFile, QryTable, QryDetail);
}

void TfrmGTFYinfoGL::SetClick() {
    dmData->DesignLayoutReport(vrReport1, MeterSpec.LayoutFile, QryTable, QryDetail);
}
