#include "app/fees/uFrmWYFYscgl.h"

#include "app/registers/ListSearchPanel.h"

#include "controls/WnPageControl.h"
#include "db/ADODB.h"
#include "db/DataSource.h"
#include "grid/DBGridGx.h"
#include "gui/ActnList.h"
#include "gui/Buttons.h"
#include "gui/Colors.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/Menus.h"
#include "gui/StdCtrls.h"

TfrmWYFYscgl* frmWYFYscgl = nullptr;

namespace {

const TListWindowSpec FeeLedgerSpec{
    FeeLedgerCaption, "T_wyFYrec", "wuyeFYscgl1", "frWYFYscgl.di3", "物业应交费用统计列表", 1};

std::vector<TSearchEntry> FeeLedgerSearch() {
    return {
        {"房间编号", "F_FZcode", tmContains, "", {}},
        {"小区名称", "F_XQname", tmContains, "", {}},
        {"业主姓名", "F_FZname", tmContains, "", {}},
        {"备    注", "F_memo1", tmContains, "", {}},
    };
}

std::vector<TGridColumnSpec> MeterColumns() {
    return {
        {"F_XQname", "小区名称", 90, fvtStaticText, "合  计"},
        {"F_LDcode", "楼幢号", 60},
        {"F_FZcode", "房间编号", 70},
        {"F_fromDate", "上次报表日期", 84},
        {"F_toDate", "本次报表日期", 84},
        {"F_SFdate", "交费限期", 80},
        {"F_Bamount", "上次读数", 70},
        {"F_Eamount", "本次读数", 70},
        {"F_amount", "实用量", 70, fvtSum},
        {"F_price", "单价", 60},
        {"F_totalPrice", "应交费用", 80, fvtSum},
        {"F_memo1", "备注", 120},
        {"F_editDate", "编辑日期", 80},
    };
}

std::vector<TGridColumnSpec> QuantityColumns() {
    return {
        {"F_XQname", "小区名称", 90, fvtStaticText, "合  计"},
        {"F_LDcode", "楼幢号", 60},
        {"F_FZcode", "房间编号", 70},
        {"F_fromDate", "上次报表日期", 84},
        {"F_toDate", "本次报表日期", 84},
        {"F_SFdate", "交费限期", 80},
        {"F_amount", "计费单位", 70, fvtSum},
        {"F_price", "单位价格", 70},
        {"F_totalPrice", "应交费用", 80, fvtSum},
        {"F_memo1", "备注", 120},
        {"F_editDate", "编辑日期", 80},
    };
}

TMenuItem* AddMenuItem(TComponent* owner, TMenu* menu, const String& name, const String& caption,
                       std::function<void()> click) {
    auto* item = new TMenuItem(owner);
    if (!name.empty()) item->SetName(name);
    item->SetCaption(caption);
    if (click) item->OnClick = [click](TObject*) { click(); };
    menu->Items()->Add(item);
    return item;
}

} // namespace

TfrmWYFYscgl::TfrmWYFYscgl(TComponent* AOwner) : TListWindow(AOwner, FeeLedgerSpec) {
    SetName("frmWYFYscgl");
    SetBounds(0, 0, 980, 600);
    QryTable->SetLockType(ltBatchOptimistic);
    QryTable->AfterOpen = [this](TDataSet*) { QueryOpened(); };
    QryTable->BeforeInsert = [this](TDataSet*) {
        if (InsertGuard && QryTable->Eof()) Abort();
    };
    BuildToolBar(FamilyButtons());
    tbQuery->SetVisible(false);
    BuildSearchPanel()->SetEntries(FeeLedgerSearch());
    BuildSearchDates();
    BuildActions();
    // Below the search panel: the buttons at the bottom, the side list on the left, the pages.
    PanelButtons = new TPanel(this);
    PanelButtons->SetName("PanelButtons");
    PanelButtons->SetParent(this);
    PanelButtons->SetAlign(alBottom);
    PanelButtons->SetHeight(36);
    PanelButtons->SetBevelOuter(bvNone);
    PanelButtons->SetCaption("");
    int left = 10;
    for (TAction* action : {Action1, Action2, Action3, Action4, Action5}) {
        auto* button = new TButton(this);
        button->SetName("btn" + action->Name());
        button->SetParent(PanelButtons);
        button->SetBounds(left, 6, 110, 24);
        button->SetAction(action);
        left += 118;
    }
    BuildSidePanel();
    BuildPages();
    BuildColumns(MeterColumns());
    BuildSecondGrid();
    BuildMenus();
    EnableTitleSort(true);
    ToolBar1->ArrangeButtons();
}

TfrmWYFYscgl::~TfrmWYFYscgl() {
    // The query's events name this window: they go before its parts do.
    QryTable->AfterOpen = nullptr;
    QryTable->BeforeInsert = nullptr;
}

void TfrmWYFYscgl::BuildSearchDates() {
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
    dtpFromDate->OnChange = [this](TObject*) { QueryFeeLedger(); };
    dtpToDate->OnChange = [this](TObject*) { QueryFeeLedger(); };
    SpeedButton1->SetBounds(856, 6, 48, 22);
    SpeedButton1->SetCaption("查询");
    SpeedButton2 = new TSpeedButton(this);
    SpeedButton2->SetName("SpeedButton2");
    SpeedButton2->SetParent(SearchPanel);
    SpeedButton2->SetBounds(910, 6, 24, 22);
    SpeedButton2->SetCaption("◀");
    SpeedButton2->SetHint("显示或隐藏费用项目");
    SpeedButton2->OnClick = [this](TObject*) {
        PanelSide->SetVisible(!PanelSide->Visible());
        SpeedButton2->SetCaption(PanelSide->Visible() ? "◀" : "▶");
    };
}

void TfrmWYFYscgl::BuildActions() {
    ActionList1 = new TActionList(this);
    ActionList1->SetName("ActionList1");
    struct TActionSpec {
        TAction* TfrmWYFYscgl::*Slot;
        const char* Name;
        const char* Caption;
        std::function<void()> Run;
    };
    const TActionSpec specs[] = {
        {&TfrmWYFYscgl::Action1, "Action1", "批量增加记录", [this] { BatchAddClick(); }},
        {&TfrmWYFYscgl::Action2, "Action2", "批量修改日期", [this] { BatchDateClick(); }},
        {&TfrmWYFYscgl::Action3, "Action3", "网格编辑记录", [this] { GridEditClick(); }},
        {&TfrmWYFYscgl::Action4, "Action4", "保存当前编辑", [this] { SaveEditClick(); }},
        {&TfrmWYFYscgl::Action5, "Action5", "取消当前编辑", [this] { CancelEditClick(); }},
    };
    for (const TActionSpec& spec : specs) {
        auto* action = new TAction(this);
        action->SetName(spec.Name);
        action->SetCaption(spec.Caption);
        action->SetActionList(ActionList1);
        std::function<void()> run = spec.Run;
        action->OnExecute = [run](TObject*) { run(); };
        this->*spec.Slot = action;
    }
    Action4->SetEnabled(false);
    Action5->SetEnabled(false);
}

void TfrmWYFYscgl::BuildSidePanel() {
    PanelSide = new TPanel(this);
    PanelSide->SetName("PanelSide");
    PanelSide->SetParent(this);
    PanelSide->SetAlign(alLeft);
    PanelSide->SetWidth(170);
    PanelSide->SetBevelOuter(bvNone);
    PanelSide->SetCaption("");
    auto* bottom = new TPanel(this);
    bottom->SetName("PanelSideBottom");
    bottom->SetParent(PanelSide);
    bottom->SetAlign(alBottom);
    bottom->SetHeight(62);
    bottom->SetBevelOuter(bvNone);
    bottom->SetCaption("");
    cbbListType = new TComboBox(this);
    cbbListType->SetName("cbbListType");
    cbbListType->SetParent(bottom);
    cbbListType->SetStyle(csDropDownList);
    cbbListType->SetBounds(4, 4, 162, 22);
    for (const char* method : {"按用量", "按面积", "按住户", "按自定义"})
        cbbListType->Items()->Add(method);
    cbbListType->OnChange = [this](TObject*) { SelectFeeType(); };
    Button1 = new TButton(this);
    Button1->SetName("Button1");
    Button1->SetParent(bottom);
    Button1->SetBounds(4, 32, 162, 24);
    Button1->SetCaption("刷新列表");
    Button1->OnClick = [this](TObject*) { SelectFeeType(); };
    vleList = new TListView(this);
    vleList->SetName("vleList");
    vleList->SetParent(PanelSide);
    vleList->SetAlign(alClient);
    vleList->SetViewStyle(vsReport);
    vleList->SetRowSelect(true);
    vleList->SetReadOnly(true);
    vleList->SetGridLines(true);
    TListColumn* key = vleList->AddColumn();
    key->SetWidth(28);
    TListColumn* value = vleList->AddColumn();
    value->SetWidth(136);
    vleList->OnSelectItem = [this](TObject*, TListItem* item, bool selected) {
        if (selected && item) SelectFeeItem(vleList->ItemIndex());
    };
}

void TfrmWYFYscgl::BuildPages() {
    rpcList = new TWnPageControl(this);
    rpcList->SetName("rpcList");
    rpcList->SetParent(this);
    rpcList->SetAlign(alClient);
    TabSheet1 = new TWnTabSheet(this);
    TabSheet1->SetName("TabSheet1");
    TabSheet1->SetPageControl(rpcList);
    TabSheet1->SetCaption(" 按 用 量 ");
    TabSheet2 = new TWnTabSheet(this);
    TabSheet2->SetName("TabSheet2");
    TabSheet2->SetPageControl(rpcList);
    TabSheet2->SetCaption(" 按 面 积 ");
    rpcList->HideAllTabs();
    rpcList->SetActivePageIndex(0);
    DBGridGx1->SetParent(TabSheet1);
    DBGridGx1->SetAlign(alClient);
    DBGridGx1->SetOptions(DBGridGx1->Options() | dgMultiSelect);
}

void TfrmWYFYscgl::BuildSecondGrid() {
    DBGridGx2 = new TDBGridGx(this);
    DBGridGx2->SetName("DBGridGx2");
    DBGridGx2->SetParent(TabSheet2);
    DBGridGx2->SetAlign(alClient);
    DBGridGx2->SetReadOnly(true);
    DBGridGx2->DrawMemoText = true;
    DBGridGx2->SetUseMultiTitle(true);
    DBGridGx2->SetOptions(DBGridGx2->Options() | dgRowSelect | dgAlwaysShowSelection | dgMultiSelect);
    DBGridGx2->SetFooterRowCount(1);
    DBGridGx2->SumList()->SetActive(true);
    DBGridGx2->SetDataSource(dsTable);
    DBGridGx2->OnDblClick = [this](TObject*) { ClickIfEnabled(tbEdit); };
    DBGridGx2->BeginLayout();
    for (const TGridColumnSpec& spec : QuantityColumns()) {
        TColumnGx* column = DBGridGx2->Columns()->AddColumn();
        column->SetFieldName(spec.Field);
        column->Title()->SetCaption(spec.Caption);
        column->Title()->SetAlignment(taCenter);
        column->SetWidth(spec.Width);
        column->Footer()->SetValueType(spec.Footer);
        if (!spec.FooterText.empty()) column->Footer()->SetValue(spec.FooterText);
        if (spec.Field == "F_XQname" || spec.Field == "F_LDcode" || spec.Field == "F_FZcode")
            column->SetColor(clAqua);
    }
    DBGridGx2->EndLayout();
}

void TfrmWYFYscgl::BuildMenus() {
    // The grid's popup: the family's two items, a line, the five actions; on both grids.
    AddMenuItem(this, PopupMenu1, "", "-", nullptr);
    for (TAction* action : {Action1, Action2, Action3, Action4, Action5}) {
        auto* item = new TMenuItem(this);
        item->SetAction(action);
        PopupMenu1->Items()->Add(item);
    }
    DBGridGx2->SetPopupMenu(PopupMenu1);
    pmPrint = new TPopupMenu(this);
    pmPrint->SetName("pmPrint");
    AddMenuItem(this, pmPrint, "miPrintList", "物业费用记录列表", [this] { PrintListClick(); });
    AddMenuItem(this, pmPrint, "miPrintTable", "应交物业费用表格", [this] { PrintTableClick(); });
    tbPrint->SetStyle(tbsDropDown);
    tbPrint->SetDropdownMenu(pmPrint);
    pmSet = new TPopupMenu(this);
    pmSet->SetName("pmSet");
    AddMenuItem(this, pmSet, "miSetList", "物业费用记录列表", [this] { DesignListClick(); });
    AddMenuItem(this, pmSet, "miSetTable", "应交物业费用表格", [this] { DesignTableClick(); });
    tbset->SetStyle(tbsDropDown);
    tbset->SetDropdownMenu(pmSet);
}
