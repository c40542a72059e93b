// The repair register (action 307, "用户报修管理"): the repair records of t_ZHBX on the register
// family's list window, with the material lines of the current record in a second grid below,
// a side grouping list (接待人员, 维修人员, 满 意 度, 业主姓名) and the search panel, which runs
// on its button or Enter, not while typing. Records are added and edited in TfrmCltBXedit.
//
// The lines live in QryDetail, a client batch (ltBatchOptimistic) that follows the current record
// while the list is shown. The repair dialog detaches it for a new record (ShowDetailForCode), adds
// lines as pending changes and writes them with UpdateBatch inside its save's transaction, with
// the record and the stock; a cancelled dialog attaches it again and drops the pending lines.
//
// Stock: a new record takes each line's quantity from the part row the line was picked or looked
// up from (F_PJid); deleting the record gives it back to that row. Both run in one transaction
// with the record and its lines: a stock statement that fails rolls everything back.
#pragma once

#include "app/registers/ListWindow.h"

class TMenuItem;
class TPopupMenu;
class TSplitter;

inline const String RepairRegisterCaption = "用户报修管理";
inline const String MsgRepairDeleteFailed = "操作失败，请检查连接...";
// The next free record code (three digits).
String NextRepairCode();
inline const char* const RepairLayouts[] = {"frCltBXgl.di3", "frCltBXgl1.di3"};

class TfrmCltBXGL : public TListWindow {
public:
    explicit TfrmCltBXGL(TComponent* AOwner);
    ~TfrmCltBXGL() override;
    String ClassName() const override { return "TfrmCltBXGL"; }

    TPanel* PanelGrids;   // the two grids, right of the grouping list
    TDBGridGx* DBGridGx2; // the lines of the current record
    TADOQuery* QryDetail;
    TDataSource* dsDetail;
    TSplitter* Splitter1;
    TPopupMenu* PopupMenu2; // the lower grid's: 显示字段列表, 保存当前设置
    TPopupMenu* pmPrint;
    TMenuItem* nPrint1; // 打印报修统计列表
    TMenuItem* nPrint2; // 打印报修申报表格
    TPopupMenu* pmSet;
    TMenuItem* nSet1;
    TMenuItem* nSet2;

    // The lines of one record code, detached from the list (an empty list for a new code).
    void ShowDetailForCode(const String& code);
    // The lines follow the list's current record again.
    void LinkDetailToList();
    // "删除": the question, then the stock back, the record and its lines gone, in one transaction.
    void DeleteRepair();
    // The two layouts: 0 打印报修统计列表 (frCltBXgl.di3), 1 打印报修申报表格 (frCltBXgl1.di3).
    void PrintFormat(int format);
    void DesignFormat(int format);

    // The records, then the lines of the current one (they follow it).
    void RefreshList() override;
    void NewClick() override;
    void DeleteClick() override { DeleteRepair(); }
    void PrintClick() override { PrintFormat(0); }
    void SetClick() override { DesignFormat(0); }

protected:
    void DoShow() override;
    bool BuildListStatement(TSqlStatement& statement) override;
    void OpenEditor(bool editMode) override;
    bool EnterRunsSearch() const override { return true; }

private:
    void BuildDetailGrid();
    void DetailOpened();
    bool FDetailLayoutLoaded = false;
};

// Moves a part row's stock by a line's quantity inside the caller's transaction: the row the line
// names (partId > 0), or, for a line saved before lines kept their part row, every row of the
// code. Errors reach the caller. Returns the rows changed.
int MovePartStock(int partId, const String& partCode, double quantity, int sign);
