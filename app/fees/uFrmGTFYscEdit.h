// The shared-fee dialog ("公表用户分摊记录"): one reading of a shared meter split among its
// households as fee rows of the register's fee-row query, pending until the save writes them with
// the header in one transaction. The amount to share is split at the office's money places with
// the remainder on the first rows, so the shares add up to it exactly; the rows carry the price
// the dialog shows. A record with a paid share opens as saved and is not saved again.
#pragma once

#include "app/registers/EditDialog.h"

#include "rtl/Currency.h"

class TAction;
class TActionList;
class TButton;
class TComboBox;
class TCurrencyEdit;
class TDateTimePicker;
class TDBGridGx;
class TEdit;
class TfrmGTFYscgl;
class TGroupBox;
class TMemo;
class TPanel;
class TPopupMenu;
class TSpeedButton;

inline const String SharedFeeDialogTitle = "公表用户分摊记录";
inline const String MsgSharedMeterEmpty = "公摊表编号不能为空！";
inline const String MsgSharedFeeSaveFailed = "保存失败，请检测数据库连接！";

class TfrmGTFYscEdit : public TEditDialog {
public:
    explicit TfrmGTFYscEdit(TfrmGTFYscgl* list);
    ~TfrmGTFYscEdit() override;
    String ClassName() const override { return "TfrmGTFYscEdit"; }

    TfrmGTFYscgl* Register() const { return FRegister; }

    TGroupBox* GroupBox1;
    TEdit* edtCode;
    TSpeedButton* sbFind;
    TEdit* edtName;
    TEdit* edtType;
    TDateTimePicker* dtpFromDate;
    TDateTimePicker* dtpToDate;
    TCurrencyEdit* rceBamount;
    TCurrencyEdit* rceEamount;
    TCurrencyEdit* rceAmount;
    TCurrencyEdit* cePrice;
    TCurrencyEdit* ceTotalPrice;
    TDateTimePicker* dtpSFdate;
    TComboBox* cbbEmpName;
    TDateTimePicker* dtpEditDate;
    TEdit* edtOperName;
    TMemo* Memo1;
    TComboBox* cbbXQname;
    TEdit* edtGTid;
    TPanel* PanelRows;
    TButton* btnPick;
    TButton* btnDel;
    TButton* btnSplit; // 平均分摊
    TActionList* ActionList1;
    TAction* Action1; // 编    辑 (Ctrl+A): the meter picker
    TAction* Action2; // 删    除 (Ctrl+D): the current fee row
    TDBGridGx* DBGridGx1;
    TPopupMenu* PopupMenu1;

    void SetEditorMode(bool editMode) override;
    void LoadEditorFields(bool fromList) override;

    // 0: usage and money, 1: usage, 2: money, on every fee row.
    void SplitEvenly(int what);
    // The record's id, dates, staff, price, item and memo into every fee row (pending).
    void StampShareRows(const String& id);
    void PickSharedMeter();
    void DeleteShareRow();
    // "确定" / Ctrl+S. True when the record was written.
    bool SaveSharedFee();
    // Whether the record loaded has a paid share (it is shown, not changed).
    bool Settled() const { return FSettled; }

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    int WriteRecord() override { return 0; }

private:
    void BuildFields();
    void BuildRows();
    void UsageChanged();
    void AmountsChanged();
    void WriteHeader(const String& id, int recordId);
    TfrmGTFYscgl* FRegister;
    bool FLoading = false;
    bool FSettled = false;
};
