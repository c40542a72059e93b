// The statistics window family: the queries of 信息查询 and the statistics of 报表中心. A member has
// a filter panel (GroupBox1 on Panel1), a tool bar whose "查询" composes its statement from the
// filled filters and the operator's estate scope, a read-only grid with footer sums and title
// sorting, print formats through report layouts in Qr, the designer on the same layout, the Excel
// export, the grid-layout popup and a status bar with the row count.
//
// What differs between the members is data: the member table (StatisticsMembers), one row per
// window. A member builds its filters and columns in its constructor and answers ResultStatement
// (and, over a work table, WorkTables and WorkStatements); the family runs them.
//
// Work tables (tempFYrec, tempJYrec, tempDepot) are made per connection before a member's first
// statement and again after the connection reopened (StatisticsWorkTables.h), so two stations
// running one member at once each fill and read their own rows.
//
// The pieces, each in its own file:
//   StatisticsWindow.cpp         construction: tool bar, filter panel, grid, popups, status bar
//   StatisticsWindowFilters.cpp  the filter controls and the conditions they add
//   StatisticsWindowQuery.cpp    "查询": the work-table statements, then the result
//   StatisticsWindowCommands.cpp navigation, title sorting, keys, print, design, export
#pragma once

#include "gui/ComCtrls.h"
#include "gui/Forms.h"

#include "app/registers/ListWindow.h"
#include "app/registers/RegisterStatement.h"

#include <functional>
#include <vector>

class TADOQuery;
class TCheckBox;
class TColumnGx;
class TComboBox;
class TDataSource;
class TDateTimePicker;
class TDBGridGx;
class TEdit;
class TGroupBox;
class TMenuItem;
class TPanel;
class TPopupMenu;
class TvrReport;

inline const String MsgSaveStatisticsGrid = "真的要保存当前网格设置吗？";
inline const String StatisticsCountLabel = "记录数/";

// One row of the member table.
struct TStatisticsMember {
    String ClassName;
    String Caption;
    int Action = 0;
    String MenuEntry;
    int Grids = 1;       // grids (3: the tabbed totals windows)
    String LoadKey;      // the cfg_Grid key read at opening ("" none)
    String SaveKey;      // the key "保存当前设置" writes
    int ColumnFormats;   // the ApplyColumnFormats mode at opening (0 none)
    String PrintLayout;  // the layout of "打印" ("" printed by page)
    String SecondLayout; // the layout of the second format ("" none or the grid print)
    bool GridPrint;      // the second format prints the grid; buttons wait for the first "查询"
    String ExcelTitle;   // the sheet title of "导出" ("" by page)
    bool FirstClickDescending; // the first title click sorts " DESC"
    bool SortsMemo;      // "mem" columns are sorted too (the repair statistics)
    bool ReportVariables; // the report asks vrReport1GetValue for its variables
};

// The ten members, in menu order.
const std::vector<TStatisticsMember>& StatisticsMembers();
// The row of a class (raises when there is none).
const TStatisticsMember& StatisticsMember(const String& className);

class TStatisticsWindow : public TForm {
public:
    TStatisticsWindow(TComponent* AOwner, const String& memberClass);
    ~TStatisticsWindow() override;
    String ClassName() const override { return FMember.ClassName; }
    const TStatisticsMember& Member() const { return FMember; }

    // ---- parts -----------------------------------------------------------------------------------
    TToolBar* ToolBar1;
    TToolButton* tbQuery;
    TToolButton* tbFirst;
    TToolButton* tbPrior;
    TToolButton* tbNext;
    TToolButton* tbLast;
    TToolButton* tbPrint;
    TToolButton* tbSet;
    TToolButton* tbExpert;
    TToolButton* tbExit;
    TPanel* Panel1;
    TGroupBox* GroupBox1;
    TDBGridGx* DBGridGx1;
    TADOQuery* QryTable;
    TDataSource* dsTable;
    TPopupMenu* PopupMenu1 = nullptr;
    TMenuItem* N1; // 显示字段列表
    TMenuItem* N2; // 保存当前设置
    TStatusBar* StatusBar;
    TvrReport* vrReport1;
    TPopupMenu* PopupMenu2 = nullptr; // the drop-down of "打印" (members with two formats)
    TPopupMenu* PopupMenu3 = nullptr; // the drop-down of "设置" (query windows with two layouts)
    // The pickers of the period line ("memDate", the grid print's header); nullptr: unticked.
    TDateTimePicker* PeriodFrom = nullptr;
    TDateTimePicker* PeriodTo = nullptr;

    // ---- commands ----------------------------------------------------------------------------------
    // "查询": the work tables made for this connection, the member's work-table statements one by
    // one on QryPub (a failing one ends the run with the database's message, the grid as it was),
    // then the result through OpenStatement and the row count in panel 2.
    void QueryClick();
    void FirstClick();
    void PriorClick();
    void NextClick();
    void LastClick();
    // The first format: the member's layout over the result (nothing when it is empty).
    virtual void PrintClick();
    // The second format: the grid print members print the grid, the others their second layout.
    virtual void PrintSecondClick();
    virtual void SetClick();
    void ExportClick();
    void ExitClick();
    void TitleClick(TColumnGx* column);
    // The title sort of a grid over its query (every further grid of a member binds its own).
    void SortByTitle(TDBGridGx* grid, TADOQuery* query, TColumnGx* column);
    void ShowFieldList();
    void SaveGridSettings();
    // The report's variables: "memDate", "sCaption", "Csz1" ... "Csz15"; false when the name is
    // none of them (the value is then left as it was).
    virtual bool vrReport1GetValue(const String& name, Variant& value);
    // "统计日期：自 ... 至 ..." of PeriodFrom and PeriodTo.
    String MemDate() const;
    // Clicks a button the way its key does: only while it is enabled.
    static bool ClickIfEnabled(TToolButton* button);
    // Whether the result (of the active page) is open and has rows.
    bool ResultEmpty() const;
    // The grid and query that navigation, print, design, export and the popup act on: the
    // active page's on the tabbed totals, else DBGridGx1 and QryTable. "查询" opens its result
    // into the active query.
    virtual TDBGridGx* ActiveGrid() const { return DBGridGx1; }
    virtual TADOQuery* ActiveQuery() const { return QryTable; }

protected:
    void DoShow() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;

    // The result statement from the filters.
    virtual TSqlStatement ResultStatement() = 0;
    // The work tables the member fills, and its statements, in the order they run.
    virtual std::vector<String> WorkTables() const { return {}; }
    virtual std::vector<TSqlStatement> WorkStatements() { return {}; }
    // After the result opened (fields' display, a detail query).
    virtual void ResultOpened() {}
    // Status panel 2 after a run.
    virtual String CountText() const;
    // After the common opening steps (column formats of the member's own).
    virtual void Opened() {}
    // The first format's layout, the Excel sheet title and the grid layout key of the active
    // page (the member table's own on single-grid members).
    virtual String ActivePrintLayout() const { return FMember.PrintLayout; }
    virtual String ActiveExcelTitle() const { return FMember.ExcelTitle; }
    virtual String ActiveSaveKey() const { return FMember.SaveKey; }

    // ---- building blocks ---------------------------------------------------------------------------
    // A read-only grid with row selection, one footer row with sums and the popup PopupMenu1
    // (once built), over the data source; DBGridGx1 and the tabbed pages' grids.
    TDBGridGx* NewGrid(const String& name, TWinControl* parent, TDataSource* source);
    // The columns of DBGridGx1 (or of a member's other grid) with their titles and footers.
    void BuildColumns(const std::vector<TGridColumnSpec>& columns, TDBGridGx* grid = nullptr);
    // Filter controls: a label and its control at a place of GroupBox1.
    TEdit* AddEdit(const String& name, const String& label, int left, int top, int width = 110);
    // A combo box filled through FillCombo each time it receives the focus.
    TComboBox* AddCombo(const String& name, const String& label, int left, int top,
                        std::function<String()> fillStatement, int width = 110);
    // The estate combo cbbXQname (its statement with the operator's estate names).
    TComboBox* AddEstateCombo(int left, int top);
    // A date picker with a check box, unticked; "from" pickers start on the month's first day.
    TDateTimePicker* AddDatePicker(const String& name, const String& label, int left, int top, bool from);
    // Drop-down entries of "打印" and "设置".
    TMenuItem* AddPrintEntry(const String& name, const String& caption, std::function<void()> click);
    TMenuItem* AddSetEntry(const String& name, const String& caption, std::function<void()> click);

    // ---- conditions --------------------------------------------------------------------------------
    // "<head> :pN " with the control's trimmed text as the value, "%" after it (prefix) or around
    // it (contains); nothing for an empty text. head is like "And F_XQname Like".
    static void AddPrefix(TSqlStatement& statement, const String& head, const String& text);
    static void AddContains(TSqlStatement& statement, const String& head, const String& text);
    // "<head> #yyyy-mm-dd# " while the picker is ticked.
    static void AddDateBound(TSqlStatement& statement, const String& head, const TDateTimePicker* picker);
    // The operator's estate scope on a qualified field, for statements that join.
    static String QualifiedScope(const String& qualifier);

    // Layout printing and design over the result (and a detail), with an optional step before
    // the pages are prepared.
    void ShowLayout(const String& layout, TDataSet* detail = nullptr,
                    const std::function<void(TvrReport*)>& before = nullptr);
    void DesignLayout(const String& layout, TDataSet* detail = nullptr);

private:
    void BuildToolBar();
    void BuildGrid();
    void BuildStatusBar();
    void BuildPopupMenu();
    void SetNavState(bool firstAndPrior, bool nextAndLast);
    bool RunWorkStatements();
    TStatisticsMember FMember;
    bool FOpened = false;
};
