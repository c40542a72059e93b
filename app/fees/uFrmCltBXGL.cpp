#include "app/fees/uFrmCltBXGL.h"

#include "app/fees/DetailBatch.h"
#include "app/fees/RepairLines.h"
#include "app/fees/uFrmCltBXedit.h"

#include "app/registers/ListSearchPanel.h"
#include "app/registers/RegisterCodes.h"
#include "app/registers/RegisterImages.h"
#include "app/registers/SaveTransaction.h"

#include "app/core/DataDm.h"
#include "app/core/NotSetDate.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "db/DataSource.h"
#include "grid/DBGridGx.h"
#include "gui/ExtCtrls.h"
#include "gui/Menus.h"
#include "rtl/StrUtils.h"

#include <memory>

namespace {

const TListWindowSpec RepairSpec{RepairRegisterCaption, "t_ZHBX", "cltBXgl1", "frCltBXgl.di3", "用户报修记录列表", 0};
const String DetailStatement = "select * from t_ZHBXdetail where F_code = :F_code order by F_PJcode";

TMenuItem* AddItem(TComponent* owner, TPopupMenu* menu, const String& name, const String& caption,
                   std::function<void()> click) {
    auto* item = new TMenuItem(owner);
    if (!name.empty()) item->SetName(name);
    item->SetCaption(caption);
    item->OnClick = [click](TObject*) { click(); };
    menu->Items()->Add(item);
    return item;
}

// Title clicks sort the lines grid on the client, every column (memo columns too), as the
// family sorts the records (EnableTitleSort).
void SortOnTitleClick(TDBGridGx* grid, TDataSet* dataSet) {
    grid->OnTitleClick = [grid, dataSet](TColumnGx* column) {
        auto* query = dynamic_cast<TCustomADODataSet*>(dataSet);
        if (!query || !query->Active()) return;
        TColumnTitleGx* title = column->Title();
        const TSortMarkerGx marker = title->SortMarker() == smUpGx ? smDownGx : smUpGx;
        for (int i = 0; i < grid->Columns()->Count(); ++i)
            if (grid->Columns()->ColumnAt(i) != column) grid->Columns()->ColumnAt(i)->Title()->SetSortMarker(smNoneGx);
        title->SetSortMarker(marker);
        query->SetSort(column->FieldName() + (marker == smDownGx ? " DESC" : " ASC"));
    };
}

} // namespace

String NextRepairCode() {
    return dmData->NextCode(DigitCounterCodeSql("t_ZHBX", 3), 3);
}

int MovePartStock(int partId, const String& partCode, double quantity, int sign) {
    TSqlStatement statement;
    statement.Add(String("update T_PJinfo set F_amount = F_amount ") + (sign < 0 ? "- " : "+ ") + ":amount ");
    statement.Param("amount", quantity);
    if (partId > 0)
        statement.Add("where F_ID = :id").Param("id", partId);
    else
        statement.Add("where F_code = :code").Param("code", partCode);
    return ExecStatement(dmData->QryPub(), statement);
}

TfrmCltBXGL::TfrmCltBXGL(TComponent* AOwner) : TListWindow(AOwner, RepairSpec) {
    SetName("frmCltBXGL");
    SetBounds(0, 0, 1000, 620);
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
        {"tbPrint", "打印", tiPrint, [this] { PrintFormat(0); }},
        {"tbset", "设置", tiSet, [this] { DesignFormat(0); }},
        {"tbExport", "导出", tiExport, [this] { ExportClick(); }},
        {},
        {"tbExit", "退出", tiExit, [this] { ExitClick(); }},
    });
    ToolButton1 = dynamic_cast<TToolButton*>(FindComponent("tbExport"));
    pmPrint = new TPopupMenu(this);
    pmPrint->SetName("pmPrint");
    nPrint1 = AddItem(this, pmPrint, "nPrint1", "打印报修统计列表", [this] { PrintFormat(0); });
    nPrint2 = AddItem(this, pmPrint, "nPrint2", "打印报修申报表格", [this] { PrintFormat(1); });
    pmSet = new TPopupMenu(this);
    pmSet->SetName("pmSet");
    nSet1 = AddItem(this, pmSet, "nSet1", "设置报修统计列表", [this] { DesignFormat(0); });
    nSet2 = AddItem(this, pmSet, "nSet2", "设置报修申报表格", [this] { DesignFormat(1); });
    tbPrint->SetStyle(tbsDropDown);
    tbPrint->SetDropdownMenu(pmPrint);
    tbset->SetStyle(tbsDropDown);
    tbset->SetDropdownMenu(pmSet);
    ToolBar1->ArrangeButtons();
    BuildSearchPanel()->SetEntries({
        {"房间编号", "F_FZcode", tmStartsWith, "", {}},
        {"业主姓名", "F_FZname", tmContains, "", {}},
        {"故障现象", "F_memo1", tmContains, "", {}},
        {"处理结果", "F_memo2", tmContains, "", {}},
    });
    // The list runs on the button or Enter in the box, not while typing; a new column only
    // empties the box.
    SearchPanel->OnSearch = nullptr;
    SpeedButton1->OnClick = [this](TObject*) { RefreshList(); };
    BuildGroupPanel({{"接待人员", "F_JDemp"}, {"维修人员", "F_WXemp"}, {"满 意 度", "F_MYtype"}, {"业主姓名", "F_FZname"}});
    // Right of the grouping list: the records above, the lines of the current one below.
    PanelGrids = new TPanel(this);
    PanelGrids->SetName("PanelGrids");
    PanelGrids->SetParent(this);
    PanelGrids->SetAlign(alClient);
    PanelGrids->SetBevelOuter(bvNone);
    PanelGrids->SetCaption("");
    DBGridGx1->SetParent(PanelGrids);
    DBGridGx1->SetAlign(alTop);
    DBGridGx1->SetHeight(300);
    BuildColumns({
        {"F_code", "编号", 60, fvtStaticText, "合  计"},
        {"F_JDemp", "接待人员", 70},
        {"F_bxDate", "报修日期", 80},
        {"F_WXemp", "维修人员", 70},
        {"F_memo1", "故障现象", 140},
        {"F_fwPrice", "服务费用", 80, fvtSum},
        {"F_wlPrice", "材料费用", 80, fvtSum},
        {"F_FZname", "业主姓名", 70},
        {"F_FZcode", "业主编号", 70},
        {"F_xfDate", "", 80},
        {"F_totalprice", "", 80, fvtSum},
        {"F_memo2", "", 120},
        {"F_MYtype", "", 60},
    });
    EnableTitleSort(false);
    // The grid's footer sums took the query's events over already: their handler runs first.
    QryTable->AfterOpen = [this, footers = QryTable->AfterOpen](TDataSet* dataSet) {
        if (footers) footers(dataSet);
        for (const char* name : {"F_bxDate", "F_xfDate"})
            if (TField* field = QryTable->FindField(name)) ShowNotSetDateEmpty(*field);
    };
    BuildDetailGrid();
}

TfrmCltBXGL::~TfrmCltBXGL() {
    QryTable->AfterOpen = nullptr;
    QryDetail->AfterOpen = nullptr;
    // The lines follow the records through dsTable: they let go of it first.
    QryDetail->SetDataSource(nullptr);
}

void TfrmCltBXGL::BuildDetailGrid() {
    QryDetail = new TADOQuery(this);
    QryDetail->SetName("QryDetail");
    QryDetail->SetConnection(dmData->ADOcnn());
    QryDetail->SetLockType(ltBatchOptimistic);
    QryDetail->SQL()->SetText(DetailStatement);
    QryDetail->AfterOpen = [this](TDataSet*) { DetailOpened(); };
    dsDetail = new TDataSource(this);
    dsDetail->SetName("dsDetail");
    dsDetail->SetDataSet(QryDetail);
    Splitter1 = new TSplitter(this);
    Splitter1->SetName("Splitter1");
    Splitter1->SetParent(PanelGrids);
    Splitter1->SetAlign(alTop);
    Splitter1->SetTop(DBGridGx1->Top() + DBGridGx1->Height());
    Splitter1->SetHeight(4);
    DBGridGx2 = new TDBGridGx(this);
    DBGridGx2->SetName("DBGridGx2");
    DBGridGx2->SetParent(PanelGrids);
    DBGridGx2->SetAlign(alClient);
    DBGridGx2->SetReadOnly(true);
    DBGridGx2->DrawMemoText = true;
    DBGridGx2->SetOptions(DBGridGx2->Options() | dgRowSelect | dgAlwaysShowSelection);
    DBGridGx2->SetFooterRowCount(1);
    DBGridGx2->SumList()->SetActive(true);
    DBGridGx2->SetDataSource(dsDetail);
    DBGridGx2->OnDblClick = [this](TObject*) { ClickIfEnabled(tbEdit); };
    BuildRepairLineColumns(DBGridGx2);
    SortOnTitleClick(DBGridGx2, QryDetail);
    PopupMenu2 = new TPopupMenu(this);
    PopupMenu2->SetName("PopupMenu2");
    AddItem(this, PopupMenu2, "N3", "显示字段列表", [this] { dmData->ChooseGridColumns(DBGridGx2); });
    AddItem(this, PopupMenu2, "N4", "保存当前设置", [this] {
        if (ShowMess(MsgSaveGridQuestion, 1) == 1) dmData->SaveGridLayout(DBGridGx2, "cltbxgl2");
    });
    DBGridGx2->SetPopupMenu(PopupMenu2);
}

void TfrmCltBXGL::DetailOpened() {
    AttachRepairLineRules(QryDetail);
}

void TfrmCltBXGL::DoShow() {
    if (!FDetailLayoutLoaded) {
        FDetailLayoutLoaded = true;
        dmData->LoadGridLayout(DBGridGx2, "cltBXgl2");
    }
    TListWindow::DoShow();
}

bool TfrmCltBXGL::BuildListStatement(TSqlStatement& statement) {
    statement.Add("select * from t_ZHBX where (1=1) " + XQScopeSQL);
    SearchPanel->AddCondition(statement);
    AddGroupCondition(statement);
    statement.Add("order by F_ID");
    return true;
}

void TfrmCltBXGL::RefreshList() {
    TListWindow::RefreshList();
    LinkDetailToList();
}

void TfrmCltBXGL::LinkDetailToList() {
    FollowListRows(QryDetail, DetailStatement, dsTable);
}

void TfrmCltBXGL::ShowDetailForCode(const String& code) {
    ShowRowsOfKey(QryDetail, DetailStatement, "F_code", code);
}

void TfrmCltBXGL::NewClick() {
    auto dialog = std::make_unique<TfrmCltBXedit>(this);
    DispFormPos(dialog.get(), 1);
    dialog->edtCode->SetText(NextRepairCode());
    ShowDetailForCode(dialog->edtCode->Text());
    if (dialog->ShowEditor(false) == mrOk) return;
    // Cancelled: the lines follow the list again, the picked ones dropped.
    LinkDetailToList();
    if (QryDetail->Active()) QryDetail->CancelBatch(arAll);
}

void TfrmCltBXGL::OpenEditor(bool editMode) {
    if (!editMode) return NewClick();
    auto dialog = std::make_unique<TfrmCltBXedit>(this);
    DispFormPos(dialog.get(), 1);
    if (dialog->ShowEditor(true) != mrOk && QryDetail->Active()) QryDetail->CancelBatch(arAll);
}

void TfrmCltBXGL::DeleteRepair() {
    if (ListEmpty()) return;
    const String code = QryTable->FieldByName("F_Code")->AsString();
    if (ShowMess("真的要删除当前报修单号为" + code + "报修记录吗？", 1) == 2) return;
    // The lines as stored: what the stock gets back is what the record took.
    struct TLine {
        int PartId;
        String PartCode;
        double Quantity;
    };
    std::vector<TLine> lines;
    TADOConnection* cnn = dmData->ADOcnn();
    cnn->BeginTrans();
    try {
        TADOQuery stored;
        stored.SetConnection(cnn);
        stored.SQL()->SetText("select F_PJid, F_PJcode, F_amount from t_ZHBXdetail where F_code = :code order by F_ID");
        stored.Parameters()->ParamByName("code")->SetValue(code);
        stored.Open();
        for (stored.First(); !stored.Eof(); stored.Next())
            lines.push_back({stored.Fields()[0]->AsInteger(), stored.Fields()[1]->AsString(),
                             stored.Fields()[2]->AsFloat()});
        stored.Close();
        for (const TLine& line : lines)
            if (!Trim(line.PartCode).empty()) MovePartStock(line.PartId, line.PartCode, line.Quantity, +1);
        TSqlStatement record;
        record.Add("delete from t_ZHBX where F_Code = :code").Param("code", code);
        ExecStatement(dmData->QryPub(), record);
        TSqlStatement detail;
        detail.Add("delete from t_ZHBXdetail where F_Code = :code").Param("code", code);
        ExecStatement(dmData->QryPub(), detail);
        cnn->CommitTrans();
    } catch (const std::exception&) {
        try {
            if (cnn->InTransaction()) cnn->RollbackTrans();
        } catch (const std::exception&) {
        }
        ShowMess(MsgRepairDeleteFailed, 3);
        return;
    }
    RefreshList();
}

void TfrmCltBXGL::PrintFormat(int format) {
    if (ListEmpty()) return;
    dmData->ShowLayoutReport(vrReport1, RepairLayouts[format == 1 ? 1 : 0], QryTable, QryDetail);
}

void TfrmCltBXGL::DesignFormat(int format) {
    dmData->DesignLayoutReport(vrReport1, RepairLayouts[format == 1 ? 1 : 0], QryTable, QryDetail);
}
