// The shared-fee register (action 309, "生成公摊费"): the shared-fee records (t_wyGTrec) of one fee
// item charged by usage, chosen in the side list, with the fee rows of the current record below
// (T_wyFYrec rows with F_GTflag 1 and the record's F_GTid). Records are added and edited in
// TfrmGTFYscEdit; both grids are read-only.
//
// The fee rows live in QryDetail, a client batch (ltBatchOptimistic) that follows the current
// record; the dialog detaches it for a new record, and writes its pending rows with UpdateBatch in
// its save's transaction with the header. A record with a paid share is neither deleted nor
// changed: its receipts keep the rows they settled.
#pragma once

#include "app/registers/ListWindow.h"

#include "rtl/Currency.h"

class TDateTimePicker;
class TSplitter;

inline const String SharedFeeCaption = "应交物业费用管理";
inline const String SharedFeeMethod = "按用量";
inline const String MsgSharedFeeDeleteFailed = "操作失败，请检查连接...";
inline const String MsgSharedFeePaidNoDelete = "当前公摊记录已有住户交费，不能删除！";
inline const String MsgSharedFeePaidNoEdit = "当前公摊记录已有住户交费，不能修改！";
inline const String SharedFeeRowsStatement = "select * from t_wyFYrec where (F_GTid = :F_GTid) order by F_ID";
inline const char* const SharedFeeLayouts[] = {"frGTFYscgl.di3", "frGTFYscgl1.di3"};

// The next free record id: eight digits, "00000001" for the first.
String NextSharedFeeId();
// Whether a fee row of the record id is paid.
bool SharedFeeRecordPaid(const String& id);

class TfrmGTFYscgl : public TListWindow {
public:
    explicit TfrmGTFYscgl(TComponent* AOwner);
    ~TfrmGTFYscgl() override;
    String ClassName() const override { return "TfrmGTFYscgl"; }

    TPanel* PanelSide;
    TListView* vleList2; // the usage fee items: key 1, 2, ..., value the item name
    TPanel* PanelGrids;
    TDBGridGx* DBGridGx2; // the fee rows of the current record
    TADOQuery* QryDetail;
    TDataSource* dsDetail;
    TSplitter* Splitter1;
    TDateTimePicker* dtpFromDate;
    TDateTimePicker* dtpToDate;
    TPopupMenu* pmPrint;
    TPopupMenu* pmSet;

    String CurSFtype = SharedFeeMethod;
    String CurSFname;
    Currency CurSFprice;

    // The fee items of the method into the side list, the first chosen.
    void FillUsageItemList(const String& method);
    // A row of the side list chosen (0-based).
    void SelectUsageItem(int row);
    void DetachShareRows(const String& id);
    void AttachShareRows();
    void DeleteSharedFee();
    // 0 公摊费用记录列表 (frGTFYscgl.di3), 1 公摊费用分布表格 (frGTFYscgl1.di3).
    void PrintFormat(int format);
    void DesignFormat(int format);

    void RefreshList() override;
    void DeleteClick() override { DeleteSharedFee(); }
    void PrintClick() override { PrintFormat(0); }
    void SetClick() override { DesignFormat(0); }

protected:
    void DoShow() override;
    bool BuildListStatement(TSqlStatement& statement) override;
    void OpenEditor(bool editMode) override;

private:
    void BuildSide();
    void BuildRowsGrid();
    bool FShown = false;
    bool FOpening = false;
};
