// The side grouping list of a list window: a grouping combo, "刷新列表" and a report-style list of
// the grouping's values (key column, value column, whole rows). Row 1 "全部" (key "0") lists
// everything; another row narrows the list to rows whose grouping field holds its value. The
// values offered are those of the operator's estate scope, so a restricted operator sees no
// names from other estates.
#include "app/registers/ListWindow.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"

#include "db/ADODB.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/StdCtrls.h"
#include "rtl/Format.h"
#include "rtl/StringList.h"

void TListWindow::BuildGroupPanel(const std::vector<TListGrouping>& groupings) {
    FGroupings = groupings;
    PanelGroup = new TPanel(this);
    PanelGroup->SetName("PanelGroup");
    PanelGroup->SetParent(this);
    PanelGroup->SetAlign(alLeft);
    PanelGroup->SetWidth(180);
    PanelGroup->SetBevelOuter(bvNone);
    PanelGroup->SetCaption("");
    auto* top = new TPanel(this);
    top->SetParent(PanelGroup);
    top->SetAlign(alTop);
    top->SetHeight(34);
    top->SetBevelOuter(bvNone);
    top->SetCaption("");
    cbbListType = new TComboBox(this);
    cbbListType->SetName("cbbListType");
    cbbListType->SetParent(top);
    cbbListType->SetStyle(csDropDownList);
    cbbListType->SetBounds(4, 6, 100, 22);
    for (const TListGrouping& grouping : groupings)
        cbbListType->Items()->Add(grouping.Caption);
    cbbListType->SetItemIndex(0);
    cbbListType->OnChange = [this](TObject*) { RefillGroupList(); };
    Button1 = new TButton(this);
    Button1->SetName("Button1");
    Button1->SetParent(top);
    Button1->SetBounds(108, 5, 68, 24);
    Button1->SetCaption("刷新列表");
    Button1->SetTabStop(false);
    Button1->OnClick = [this](TObject*) { RefillGroupList(); };
    vleList = new TListView(this);
    vleList->SetName("vleList");
    vleList->SetParent(PanelGroup);
    vleList->SetAlign(alClient);
    vleList->SetViewStyle(vsReport);
    vleList->SetRowSelect(true);
    vleList->SetReadOnly(true);
    vleList->SetGridLines(true);
    vleList->AddColumn()->SetWidth(36);
    vleList->AddColumn()->SetWidth(136);
    vleList->OnSelectItem = [this](TObject*, TListItem*, bool selected) {
        if (selected && !FFillingGroups) RefreshList();
    };
}

String TListWindow::GroupStatement(int index) const {
    const String& field = FGroupings.at(static_cast<size_t>(index)).Field;
    return "select distinct " + field + " as F_name from " + FSpec.Table + " where (" + field + " <> '') " +
           XQScopeSQL + "group by " + field;
}

void TListWindow::RefillGroupList() {
    if (!cbbListType || FGroupings.empty()) return;
    const int index = std::max(0, cbbListType->ItemIndex());
    FillGroupList(GroupStatement(index), index + 1);
}

void TListWindow::FillGroupList(const String& statement, int group) {
    FFillingGroups = true;
    FGroup = group;
    vleList->ClearItems();
    TListItem* all = vleList->AddItem();
    all->SetCaption("0");
    all->SubItems()->Add("全部");
    vleList->SetSelected(all);
    FFillingGroups = false;
    RefreshList();
    vleList->Column(0)->SetCaption("");
    if (group >= 1 && group <= static_cast<int>(FGroupings.size()))
        vleList->Column(1)->SetCaption(FGroupings[static_cast<size_t>(group - 1)].Caption);
    TADOQuery values;
    values.SetConnection(dmData->ADOcnn());
    values.SQL()->SetText(statement);
    try {
        values.Open();
    } catch (const std::exception&) {
        return; // the list stays with "全部" only
    }
    int number = 0;
    for (values.First(); !values.Eof(); values.Next()) {
        TListItem* item = vleList->AddItem();
        item->SetCaption(IntToStr(++number));
        item->SubItems()->Add(values.FieldByName("F_name")->AsString());
    }
}

void TListWindow::AddGroupCondition(TSqlStatement& statement) const {
    if (!vleList || FGroup < 1 || FGroup > static_cast<int>(FGroupings.size())) return;
    const int row = vleList->ItemIndex();
    if (row <= 0) return; // "全部"
    const String value = vleList->Items(row)->SubItems()->Strings(0);
    statement.Add("and " + FGroupings[static_cast<size_t>(FGroup - 1)].Field + " = :" + statement.NewParam(value) +
                  " ");
}
