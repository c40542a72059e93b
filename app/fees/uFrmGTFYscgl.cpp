#include "app/fees/uFrmGTFYscgl.h"

#include "app/fees/DetailBatch.h"
#include "app/fees/FeeTables.h"
#include "app/fees/uFrmGTFYscEdit.h"

#include "app/registers/ListSearchPanel.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "db/DataSource.h"
#include "grid/DBGridGx.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/Menus.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuards.h"

#include <memory>

namespace {

const TListWindowSpec SharedFeeSpec{SharedFeeCaption, "t_wyGTrec", "wyGTFYscgl1", "frGTFYscgl.di3",
                                    "物业应交费用统计列表", 1};

TMenuItem* SharedFeeMenuItem(TComponent* owner, TPopupMenu* menu, const String& caption, std::function<void()> click) {
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    item->OnClick = [click](TObject*) { click(); };
    menu->Items()->Add(item);
    return item;
}

} // namespace

String NextSharedFeeId() {
    return dmData->NextCode("select Max(F_GTid) from t_wyGTrec ", 8);
}

bool SharedFeeRecordPaid(const String& id) {
    TSqlStatement statement;
    statement.Add("select count(*) from T_wyFYrec where F_GTflag = 1 and F_GTid = :id and F_JFflag <> 0")
        .Param("id", id);
    TADOQuery query;
    query.SetConnection(dmData->ADOcnn());
    SetStatement(&query, statement);
    query.Open();
    return query.Fields()[0]->AsInteger() > 0;
}

TfrmGTFYscgl::TfrmGTFYscgl(TComponent* AOwner) : TListWindow(AOwner, SharedFeeSpec) {
    SetName("frmGTFYscgl");
    SetBounds(0, 0, 1100, 640);
    std::vector<TListButton> buttons = FamilyButtons();
    std::erase_if(buttons, [](const TListButton& button) { return button.Name == "tbQuery"; });
    BuildToolBar(buttons);
    pmPrint = new TPopupMenu(this);
    pmPrint->SetName("pmPrint");
    SharedFeeMenuItem(this, pmPrint, "公摊费用记录列表", [this] { PrintFormat(0); });
    SharedFeeMenuItem(this, pmPrint, "公摊费用分布表格", [this] { PrintFormat(1); });
    pmSet = new TPopupMenu(this);
    pmSet->SetName("pmSet");
    SharedFeeMenuItem(this, pmSet, "公摊费用记录列表", [this] { DesignFormat(0); });
    SharedFeeMenuItem(this, pmSet, "公摊费用分布表格", [this] { DesignFormat(1); });
    tbPrint->SetStyle(tbsDropDown);
    tbPrint->SetDropdownMenu(pmPrint);
    tbset->SetStyle(tbsDropDown);
    tbset->SetDropdownMenu(pmSet);
    ToolBar1->ArrangeButtons();
    BuildSearchPanel()->SetEntries({
        {"公摊编号", "F_GTcode", tmContains, "", {}},
        {"公摊名称", "F_GTname", tmContains, "", {}},
        {"备    注", "F_memo1", tmContains, "", {}},
    });
    auto* label = new TLabel(this);
    label->SetParent(SearchPanel);
    label->SetBounds(516, 10, 80, 16);
    label->SetCaption("编辑日期：自");
    dtpFromDate = new TDateTimePicker(this);
    dtpFromDate->SetName("dtpFromDate");
    dtpFromDate->SetParent(SearchPanel);
    dtpFromDate->SetBounds(598, 6, 112, 22);
    dtpFromDate->SetShowCheckbox(true);
    auto* to = new TLabel(this);
    to->SetParent(SearchPanel);
    to->SetBounds(716, 10, 16, 16);
    to->SetCaption("至");
    dtpToDate = new TDateTimePicker(this);
    dtpToDate->SetName("dtpToDate");
    dtpToDate->SetParent(SearchPanel);
    dtpToDate->SetBounds(736, 6, 112, 22);
    dtpToDate->SetShowCheckbox(true);
    dtpFromDate->OnChange = [this](TObject*) { RefreshList(); };
    dtpToDate->OnChange = [this](TObject*) { RefreshList(); };
    SpeedButton1->SetBounds(856, 6, 48, 22);
    SpeedButton1->SetCaption("查询");
    BuildSide();
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
        {"F_GTcode", "公摊编号", 70, fvtStaticText, "合  计"},
        {"F_GTname", "公摊名称", 100},
        {"F_GTtype", "公摊类型", 70},
        {"F_GThs", "户数", 50},
        {"F_fromDate", "上次日期", 80},
        {"F_toDate", "本次日期", 80},
        {"F_SFdate", "交费期限", 80},
        {"F_Bamount", "上次读数", 70},
        {"F_Eamount", "本次读数", 70},
        {"F_amount", "实用量", 70, fvtSum},
        {"F_price", "单价", 60},
        {"F_totalPrice", "应交费用", 80, fvtSum},
        {"F_editDate", "编辑日期", 80},
    });
    EnableTitleSort(true);
    BuildRowsGrid();
}

TfrmGTFYscgl::~TfrmGTFYscgl() {
    QryDetail->SetDataSource(nullptr);
    vleList2->OnSelectItem = nullptr;
}

void TfrmGTFYscgl::BuildSide() {
    PanelSide = new TPanel(this);
    PanelSide->SetName("PanelSide");
    PanelSide->SetParent(this);
    PanelSide->SetAlign(alLeft);
    PanelSide->SetWidth(170);
    PanelSide->SetBevelOuter(bvNone);
    PanelSide->SetCaption("");
    vleList2 = new TListView(this);
    vleList2->SetName("vleList");
    vleList2->SetParent(PanelSide);
    vleList2->SetAlign(alClient);
    vleList2->SetViewStyle(vsReport);
    vleList2->SetRowSelect(true);
    vleList2->SetReadOnly(true);
    vleList2->SetGridLines(true);
    vleList2->AddColumn()->SetWidth(28);
    vleList2->AddColumn()->SetWidth(136);
    vleList2->OnSelectItem = [this](TObject*, TListItem* item, bool selected) {
        if (selected && item) SelectUsageItem(vleList2->ItemIndex());
    };
}

void TfrmGTFYscgl::BuildRowsGrid() {
    QryDetail = new TADOQuery(this);
    QryDetail->SetName("QryDetail");
    QryDetail->SetConnection(dmData->ADOcnn());
    QryDetail->SetLockType(ltBatchOptimistic);
    QryDetail->SQL()->SetText(SharedFeeRowsStatement);
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
    DBGridGx2->SetOptions(DBGridGx2->Options() | dgRowSelect | dgAlwaysShowSelection);
    DBGridGx2->SetDataSource(dsDetail);
    DBGridGx2->OnDblClick = [this](TObject*) { ClickIfEnabled(tbEdit); };
    DBGridGx2->BeginLayout();
    const std::pair<const char*, const char*> columns[] = {
        {"F_XQname", "小区名称"}, {"F_LDcode", "楼幢号"}, {"F_FZcode", "房间编号"},
        {"F_FZname", "业主姓名"}, {"F_amount", "分摊量"}, {"F_totalPrice", "分摊费用"},
    };
    for (const auto& [field, caption] : columns) {
        TColumnGx* column = DBGridGx2->Columns()->AddColumn();
        column->SetFieldName(field);
        column->Title()->SetCaption(caption);
        column->Title()->SetAlignment(taCenter);
        column->SetWidth(90);
    }
    DBGridGx2->EndLayout();
    auto* popup = new TPopupMenu(this);
    popup->SetName("PopupMenu2");
    SharedFeeMenuItem(this, popup, "显示字段列表", [this] { dmData->ChooseGridColumns(DBGridGx2); });
    SharedFeeMenuItem(this, popup, "保存当前设置", [this] {
        if (ShowMess(MsgSaveGridQuestion, 1) == 1) dmData->SaveGridLayout(DBGridGx2, "wyGTFYscgl2");
    });
    DBGridGx2->SetPopupMenu(popup);
}

void TfrmGTFYscgl::DoShow() {
    if (!FShown) {
        FShown = true;
        FOpening = true;
        const TScopeExit done([this] { FOpening = false; });
        dtpFromDate->SetDate(StartOfTheMonth(Date()));
        dtpToDate->SetDate(Now());
        dtpFromDate->SetChecked(true);
        dtpToDate->SetChecked(true);
        dmData->LoadGridLayout(DBGridGx2, "wyGTFYscgl2");
        dmData->ApplyColumnFormats(DBGridGx2, 1);
        FillUsageItemList(SharedFeeMethod);
        SelectUsageItem(0);
    }
    TListWindow::DoShow();
}

void TfrmGTFYscgl::FillUsageItemList(const String& method) {
    const auto click = vleList2->OnSelectItem;
    vleList2->OnSelectItem = nullptr;
    const TScopeExit attach([this, click] { vleList2->OnSelectItem = click; });
    vleList2->ClearItems();
    vleList2->Column(0)->SetCaption("");
    vleList2->Column(1)->SetCaption(method);
    TSqlStatement statement;
    statement.Add("select F_name from T_FYinfo where F_SFtype = :method ").Param("method", method);
    TADOQuery* query = dmData->QryPub();
    if (!OpenStatement(query, statement)) return;
    for (query->First(); !query->Eof(); query->Next()) {
        TListItem* item = vleList2->AddItem();
        item->SetCaption(IntToStr(query->RecNo()));
        item->SubItems()->Add(query->Fields()[0]->AsString());
    }
    query->Close();
    if (vleList2->ItemCount() > 0) vleList2->SetItemIndex(0);
}

void TfrmGTFYscgl::SelectUsageItem(int row) {
    const TListItem* item = row >= 0 && row < vleList2->ItemCount() ? vleList2->Items(row) : nullptr;
    CurSFname = item && item->SubItems()->Count() > 0 ? item->SubItems()->Strings(0) : String();
    CurSFprice = FeeItemPrice(CurSFtype, CurSFname);
    SetCaption(SharedFeeCaption + "-->" + CurSFname);
    RefreshList();
}

bool TfrmGTFYscgl::BuildListStatement(TSqlStatement& statement) {
    statement.Add("select * from T_wyGTrec  where (F_SFtype = :" + statement.NewParam(CurSFtype) +
                  " and F_SFname = :" + statement.NewParam(CurSFname) + ") " + XQScopeSQL);
    if (dtpFromDate->Checked())
        statement.Add("and F_editDate >= #" + FormatDateTime("yyyy-mm-dd", dtpFromDate->Date()) + "# ");
    if (dtpToDate->Checked())
        statement.Add("and F_editDate <= #" + FormatDateTime("yyyy-mm-dd", dtpToDate->Date()) + "# ");
    SearchPanel->AddCondition(statement);
    statement.Add("order by F_Editdate");
    return true;
}

void TfrmGTFYscgl::RefreshList() {
    if (FOpening && !FShown) return;
    TListWindow::RefreshList();
    AttachShareRows();
}

void TfrmGTFYscgl::AttachShareRows() {
    FollowListRows(QryDetail, SharedFeeRowsStatement, dsTable);
}

void TfrmGTFYscgl::DetachShareRows(const String& id) {
    ShowRowsOfKey(QryDetail, SharedFeeRowsStatement, "F_GTid", id);
}

void TfrmGTFYscgl::OpenEditor(bool editMode) {
    auto dialog = std::make_unique<TfrmGTFYscEdit>(this);
    DispFormPos(dialog.get(), 0);
    if (editMode) {
        if (dialog->ShowEditor(true) != mrOk && QryDetail->Active()) QryDetail->CancelBatch(arAll);
        return;
    }
    dialog->edtGTid->SetText(NextSharedFeeId());
    DetachShareRows(dialog->edtGTid->Text());
    if (dialog->ShowEditor(false) == mrOk) return;
    AttachShareRows();
    if (QryDetail->Active()) QryDetail->CancelBatch(arAll);
}

void TfrmGTFYscgl::DeleteSharedFee() {
    if (ListEmpty()) return;
    const String id = QryTable->FieldByName("F_GTid")->AsString();
    const String code = QryTable->FieldByName("F_GTcode")->AsString();
    if (ShowMess("真的要删除当前公表编号为" + code + "公摊用户记录吗？", 1) == 2) return;
    TADOConnection* cnn = dmData->ADOcnn();
    bool paid = false;
    try {
        cnn->BeginTrans();
        // A paid share keeps its receipt's row: the record stays whole.
        paid = SharedFeeRecordPaid(id);
        if (!paid)
            for (const char* sql : {"delete from t_wyGTrec where F_GTid = :id",
                                    "delete from t_wyFYrec where F_GTflag = 1 and F_GTid = :id"}) {
                TSqlStatement statement;
                statement.Add(sql).Param("id", id);
                ExecStatement(dmData->QryPub(), statement);
            }
        cnn->CommitTrans();
    } catch (const std::exception&) {
        try {
            if (cnn->InTransaction()) cnn->RollbackTrans();
        } catch (const std::exception&) {
        }
        ShowMess(MsgSharedFeeDeleteFailed, 3);
        return;
    }
    if (paid) {
        ShowMess(MsgSharedFeePaidNoDelete, 3);
        return;
    }
    RefreshList();
}

