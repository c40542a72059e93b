// The list window of the register family: one register's rows in a read-only grid with footer
// sums, a toolbar, an optional search panel and a status bar; records are added and edited in
// the member's edit dialog (EditDialog.h), which reads this window's query and repositions it.
//
// The pieces, each in its own file:
//   ListWindow.cpp         construction from the member's description, opening, the row count
//   ListWindowToolbar.cpp  the buttons (built from a table), navigation and their states
//   ListWindowSearch.cpp   the search panel (ListSearchPanel.h: column, text and code boxes)
//   ListWindowGrid.cpp     grid columns and footers, title sort, row colours, the grid's popup
//   ListWindowKeys.cpp     the window's keys (it sees them before the focused control)
//   ListWindowSave.cpp     re-opening after a save or delete, located by id; guarded deletion
//   ListWindowPrint.cpp    打印, 设置 and 导出 through the data module
//   ListWindowGroups.cpp   the side grouping list (FillGroupList) of the members that have one
//
// A member derives from TListWindow, builds its toolbar, search entries and columns in its
// constructor, and overrides BuildListStatement and the commands it has.
#pragma once

#include "gui/ComCtrls.h"
#include "gui/Forms.h"

#include "app/registers/RegisterStatement.h"
#include "grid/DBGridGxFooters.h"

#include <functional>
#include <vector>

class TADOQuery;
class TCustomADODataSet;
class TButton;
class TCheckBox;
class TColumnGx;
class TComboBox;
class TDataSource;
class TDBGridGx;
class TEdit;
class TListSearchPanel;
class TListView;
class TPanel;
class TMenuItem;
class TPopupMenu;
class TSpeedButton;
class TvrReport;

inline const String MsgNothingToEdit = "此表为空，没有记录需要修改！";
inline const String MsgSaveGridQuestion = "真的要保存当前网格设置吗？";

// What a member tells the family about itself.
struct TListWindowSpec {
    String Caption;       // the window's caption
    String Table;         // the table of the register
    String GridKey;       // its cfg_Grid key
    String LayoutFile;    // its report layout in Qr ("" when it prints none)
    String ExcelTitle;    // the title of its export ("" when it has none)
    int ColumnFormatMode; // ApplyColumnFormats mode (0: none)
};

// One toolbar button: component name, caption, picture (TToolImage, -1 none) and handler; a
// button with an empty name is a separator.
struct TListButton {
    String Name;
    String Caption;
    int Image = -1;
    std::function<void()> Click;
};

// One grouping of the side list: its caption (in cbbListType and over the value column) and the
// field whose distinct values it lists and whose value a chosen row asks for.
struct TListGrouping {
    String Caption;
    String Field;
};

// One designed grid column.
struct TGridColumnSpec {
    TGridColumnSpec(String field, String caption, int width = 80, TFooterValueType footer = fvtNon,
                    String footerText = String())
        : Field(std::move(field)), Caption(std::move(caption)), Width(width), Footer(footer),
          FooterText(std::move(footerText)) {}
    String Field;
    String Caption;
    int Width = 80;
    TFooterValueType Footer = fvtNon;
    String FooterText;
};

// A title click that sorts the grid's query on the client: the clicked column's marker goes from
// none or smDownGx to smUpGx, from smUpGx to smDownGx, the other columns' to none; the first click
// (smUpGx) sorts " DESC" when firstClickDescending, else " ASC", and the second the other way. With
// skipMemo a column whose field name holds "mem" changes its marker only. Nothing while the query
// is closed.
void SortByTitle(TDBGridGx* grid, TCustomADODataSet* query, TColumnGx* column, bool skipMemo,
                 bool firstClickDescending);

class TListWindow : public TForm {
public:
    TListWindow(TComponent* AOwner, const TListWindowSpec& spec);
    ~TListWindow() override;

    const TListWindowSpec& Spec() const { return FSpec; }

    // ---- parts (nullptr where a member has none) ----------------------------------------------
    TToolBar* ToolBar1;
    TToolButton* tbNew = nullptr;
    TToolButton* tbEdit = nullptr;
    TToolButton* tbDel = nullptr;
    TToolButton* tbFirst = nullptr;
    TToolButton* tbPrior = nullptr;
    TToolButton* tbNext = nullptr;
    TToolButton* tbLast = nullptr;
    TToolButton* tbQuery = nullptr;
    TToolButton* tbPrint = nullptr;
    TToolButton* tbset = nullptr;
    TToolButton* ToolButton1 = nullptr; // 导出
    TToolButton* tbExit = nullptr;
    TListSearchPanel* SearchPanel = nullptr;
    TComboBox* ComboBox1 = nullptr;
    TEdit* Edit1 = nullptr;
    TComboBox* ComboBox2 = nullptr;
    TSpeedButton* SpeedButton1 = nullptr;
    TCheckBox* CheckBox2 = nullptr; // 包含已停用
    TDBGridGx* DBGridGx1;
    TADOQuery* QryTable;
    TDataSource* dsTable;
    TPopupMenu* PopupMenu1;
    TMenuItem* N1;
    TMenuItem* N2;
    TStatusBar* StatusBar;
    TvrReport* vrReport1;
    // The side grouping list (members with BuildGroupPanel): a grouping combo, "刷新列表" and a
    // two-column list (key, value) whose chosen row narrows the list.
    TPanel* PanelGroup = nullptr;
    TComboBox* cbbListType = nullptr;
    TButton* Button1 = nullptr; // 刷新列表
    TListView* vleList = nullptr;

    // ---- the list ------------------------------------------------------------------------------
    // Builds the statement from the member's filters and opens it; the row count in panel 2.
    virtual void RefreshList();
    // The F_ID of the current row (0 when the list is closed or empty).
    int CurrentId() const;
    bool ListEmpty() const;
    // Status panel 2: "记录数：" and the row count.
    void ShowRowCount();
    // The list statement once more (as last built), positioned on the row with the id; on the
    // first row when the row is no longer listed (another station deleted it, a filter hides it).
    void ReopenAt(int id);

    // ---- the side grouping list (ListWindowGroups.cpp) ------------------------------------------
    // Empties vleList, adds "全部" (key "0") and selects it, runs RefreshList, titles the value
    // column by the group (1-based), then one row per value of the statement (key 1, 2, ...).
    void FillGroupList(const String& statement, int group);
    // The grouping chosen in cbbListType filled again (its change and "刷新列表").
    void RefillGroupList();
    // "select distinct <field> as F_name from <table> where (<field> <> '') <scope> group by <field>"
    // of a grouping (0-based): the operator's estate scope applies to the values offered too.
    String GroupStatement(int index) const;

    // ---- toolbar commands ------------------------------------------------------------------------
    void FirstClick();
    void PriorClick();
    void NextClick();
    void LastClick();
    virtual void NewClick();
    virtual void EditClick();
    virtual void DeleteClick();
    virtual void PrintClick();
    virtual void SetClick();
    virtual void ExportClick();
    void ExitClick();
    // The grid's popup menu: 显示字段列表 and 保存当前设置.
    void ShowFieldList();
    void SaveGridSettings();
    // Clicks a button the way its key does: only while it is visible and enabled.
    static bool ClickIfEnabled(TToolButton* button);

protected:
    void DoShow() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;

    // The list statement; false when there is no list to show (the house list before a node is
    // chosen).
    virtual bool BuildListStatement(TSqlStatement& statement) = 0;
    // Opens the member's edit dialog for a new record or the current one.
    virtual void OpenEditor(bool editMode) = 0;
    // The delete question of the current row (empty: the member does not delete).
    virtual String DeleteQuestion() const { return String(); }
    // Asks it: the platform's box with OK and Cancel, captioned "系统提示"; true for OK.
    virtual bool ConfirmDelete(const String& question);
    // The rows elsewhere that name the current row, counted inside the delete's transaction; a
    // row that others name is not deleted (RefusedDeleteMessage tells why).
    virtual int DependentRows(int id) const {
        (void)id;
        return 0;
    }
    virtual String RefusedDeleteMessage(int count) const {
        (void)count;
        return String();
    }
    // A key of the window: true when it acted (ListWindowKeys.cpp).
    virtual bool HandleListKey(Word key, TShiftState shift);
    // Whether the window moves the focus on Enter (the search box of the house list runs the
    // search instead).
    virtual bool EnterRunsSearch() const { return false; }

    // ---- building blocks for the members' constructors -----------------------------------------
    // The toolbar from a table; the family's buttons are then reachable through tbNew ... tbExit.
    void BuildToolBar(const std::vector<TListButton>& buttons);
    // The family's toolbar: 新增 修改 删除 | 首项 前项 后项 末项 | 查询 打印 设置 导出 | 退出.
    std::vector<TListButton> FamilyButtons();
    TListButton NavButton(int which);
    // The search panel above the grid (ListWindowSearch.cpp).
    TListSearchPanel* BuildSearchPanel();
    // The designed columns and one footer row (ListWindowGrid.cpp).
    void BuildColumns(const std::vector<TGridColumnSpec>& columns);
    // Title clicks sort the list on the client: none or smDownGx goes to smUpGx, smUpGx to
    // smDownGx; smDownGx sorts " DESC", smUpGx " ASC". With skipMemo a column whose field name
    // holds "mem" changes its marker only.
    void EnableTitleSort(bool skipMemo);
    // Rows the member draws in red on the button face (stopped facilities).
    std::function<bool()> RowIsStopped;

    // The side grouping list at the window's left, with its groupings (the first chosen).
    void BuildGroupPanel(const std::vector<TListGrouping>& groupings);
    // Appends "and <field> = <value> " of the chosen group row (nothing while "全部" is chosen).
    void AddGroupCondition(TSqlStatement& statement) const;

    // The navigation buttons after a move.
    void SetNavState(bool firstAndPrior, bool nextAndLast);

    // The row is deleted in one transaction with the count of rows that name it (ListWindowSave.cpp).
    void DeleteCurrentRow();

private:
    void BuildGrid();
    void BuildStatusBar();
    void BuildPopupMenu();
    TListWindowSpec FSpec;
    TSqlStatement FStatement; // the list statement as last built
    std::vector<TListGrouping> FGroupings;
    int FGroup = 0;           // the group vleList shows (1-based; 0 before the first fill)
    bool FFillingGroups = false;
    bool FOpened = false;
};
