// The fee ledger window (action 303, 生成物业费): the ledger rows of one charging method and one
// fee item at a time, on the register family's list window. Beside the family's parts it has the
// fee items of the chosen method in a side list (vleList, under it the method box cbbListType and
// "刷新列表"), two grids over one query in a page control with hidden tabs (page 0 the meter
// readings of exactly "按用量", page 1 the quantities of every other method), the entry-date range
// in the search panel, and a grid edit mode whose changes stay in the query's client batch until
// "保存当前编辑" writes them all in one transaction or "取消当前编辑" drops them.
//
// While changes are pending nothing reloads the list: the search, the dates, the method box, the
// item list, "刷新列表", "新增", "修改" and "删除" are disabled until the batch is saved or
// cancelled. A save that fails (another station changed a row meanwhile included) writes nothing,
// says "保存失败，请检测数据库连接！" and keeps the rows pending; so does a save of generated
// rows whose period another station saved meanwhile, with "有 n 户本期费用已经存在，未重复生成！".
// A paid row keeps what its receipt covers: it is not deleted, and its readings, quantity, price
// and amount due are read-only.
//
// The pieces, each in its own file:
//   uFrmWYFYscgl.cpp          construction: side list, pages, grids, search dates, actions, menus
//   uFrmWYFYscglList.cpp      opening, the charging method and fee item, the list statement
//   uFrmWYFYscglEdit.cpp      the grid edit mode, save and cancel, the insert guard, closing
//   uFrmWYFYscglCommands.cpp  delete, print and design in three formats, export
// The record editors (uFrmWYFYscEdit.h, uFrmWYFYscEdit1.h) and the batch dialogs
// (uDLGwyfySCedit.h, uDLGggDateEdit.h) have files of their own.
//
// The record editors and the two batch dialogs reach the window through frmWYFYscgl while it is
// open: its query, CurSFtype, CurSFname, CurSFprice, the insert guard and SetGridEditMode.
#pragma once

#include "app/registers/ListWindow.h"

#include "rtl/Currency.h"

class TAction;
class TActionList;
class TButton;
class TDateTimePicker;
class TLabel;
class TListView;
class TPanel;
class TWnPageControl;
class TWnTabSheet;

inline const String FeeLedgerCaption = "应交物业费用管理";
inline const String MsgFeePendingClose = "当前交费已经更改，保存当前更改吗？";
inline const String MsgNoFeeRowsToRedate = "没有交费记录需要修改！";

class TfrmWYFYscgl : public TListWindow {
public:
    explicit TfrmWYFYscgl(TComponent* AOwner);
    ~TfrmWYFYscgl() override;
    String ClassName() const override { return "TfrmWYFYscgl"; }

    // ---- parts beyond the family's ---------------------------------------------------------------
    TPanel* PanelSide;
    TListView* vleList;         // the fee items of the method: key 1, 2, ..., value the item name
    TComboBox* cbbListType;     // the charging method (option list sftype)
    TButton* Button1;           // 刷新列表
    TSpeedButton* SpeedButton2; // shows or hides the side panel
    TWnPageControl* rpcList;
    TWnTabSheet* TabSheet1; // " 按 用 量 ": DBGridGx1
    TWnTabSheet* TabSheet2; // " 按 面 积 ": DBGridGx2
    TDBGridGx* DBGridGx2;
    TDateTimePicker* dtpFromDate;
    TDateTimePicker* dtpToDate;
    TPanel* PanelButtons;
    TActionList* ActionList1;
    TAction* Action1; // 批量增加记录
    TAction* Action2; // 批量修改日期
    TAction* Action3; // 网格编辑记录
    TAction* Action4; // 保存当前编辑
    TAction* Action5; // 取消当前编辑
    TPopupMenu* pmPrint;
    TPopupMenu* pmSet;

    // ---- state the editors and batch dialogs read ------------------------------------------------
    String CurSFtype;    // the chosen charging method (trimmed text of cbbListType)
    String CurSFname;    // the current fee item ("" when the method has none)
    Currency CurSFprice; // its unit price (0 when the item is not found)
    // Refuses (silently) an insert into QryTable while it stands past its last row, so moving down
    // from a grid's last row adds no row; batch generation lifts it while it appends.
    bool InsertGuard = true;
    // Whether batch generation appended rows that are not yet saved (the save checks them).
    bool RowsGenerated = false;

    // ---- operations --------------------------------------------------------------------------------
    // The fee items of the method into vleList, the first chosen (its click not run).
    void LoadFeeItems(const String& method);
    // The method box changed (or "刷新列表"): its items, the page, the first item, the list.
    void SelectFeeType();
    // A row of vleList chosen (0-based): that item becomes current and the list is run.
    void SelectFeeItem(int row);
    // Runs the list statement; does nothing while changes are pending.
    void QueryFeeLedger() { RefreshList(); }
    void RefreshList() override;
    // Switches the grid edit mode: on disables 批量增加记录, 批量修改日期 and 网格编辑记录, enables
    // 保存当前编辑 and 取消当前编辑, hides the toolbar, locks what would reload the list and draws
    // the six key columns of both grids aqua and read-only; off the reverse (the key columns
    // stay read-only). The grids' own editability is the caller's (GridEditClick).
    void SetGridEditMode(bool on);
    // Whether changes are pending (保存当前编辑 enabled).
    bool Pending() const;

    // The bottom buttons and popup items.
    void BatchAddClick();
    void BatchDateClick();
    void GridEditClick();
    // Writes every pending row in one transaction; false (rows kept pending) when that failed.
    bool SaveEditClick();
    void CancelEditClick();
    // 打印 menu: 物业费用记录列表 and 应交物业费用表格; 设置 menu alike for the designer.
    void PrintListClick();
    void PrintTableClick();
    void DesignListClick();
    void DesignTableClick();
    // The layout file of 应交物业费用表格 for the active page.
    String TableLayoutFile() const;

    bool CloseQuery() override;

protected:
    void DoShow() override;
    bool BuildListStatement(TSqlStatement& statement) override;
    void OpenEditor(bool editMode) override;
    void EditClick() override;
    void PrintClick() override { PrintListClick(); }
    void SetClick() override { DesignListClick(); }
    String DeleteQuestion() const override;
    int DependentRows(int id) const override;
    String RefusedDeleteMessage(int count) const override;

private:
    void BuildSidePanel();
    void BuildPages();
    void BuildSecondGrid();
    void BuildSearchDates();
    void BuildActions();
    void BuildMenus();
    // What reloads the list, on or off together.
    void LockReloading(bool locked);
    void SetGridsEditable(bool editable);
    // Both grids' paid rows keep their readings, quantity, price and amount due.
    void GuardPaidCells(TDBGridGx* grid);
    // The fields' rules after every opening of the query.
    void QueryOpened();
    bool FShown = false;
    bool FOpening = false; // the opening's steps run no list of their own
};

// The open fee ledger window (nullptr while none is open); set by the action that shows it.
extern TfrmWYFYscgl* frmWYFYscgl;
