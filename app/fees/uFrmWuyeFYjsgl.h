// The fee collection window (action 304, 收取物业费, caption "物业交费管理"): the operator finds a
// house, ticks its unpaid fee rows, may grant a discount (TdlgFKman), takes cash or draws on the
// house's prepayment account and prints a numbered receipt (Qr/frWuyeFYjsGL.di3). The collection
// itself is CollectFees (FeeCollection.h); this window holds what the operator chose.
//
// Amounts are exact (Currency) in the window; the edits only show them. They always keep
// 应收金额 = 本次交款 − 优惠金额 and 找零 = 收款金额 − 应收金额: a new ticked total (a tick, 全选,
// 重选, another house, a reload) clears the discount and sets the amount received to the amount
// due; the discount dialog refuses a discount below 0 or above 本次结款. Changing the month or the
// fee item reloads the rows. A search that finds no house clears the rows, totals and house boxes
// and disables the buttons. A collection that fails loads the unpaid rows again with the ticks
// that are still possible re-applied.
//
// The pieces, each in its own file:
//   uFrmWuyeFYjsgl.cpp         construction: search, house grid, fee-row grid, amount boxes
//   uFrmWuyeFYjsglRows.cpp     house search, unpaid rows, totals, ticks, title sort
//   uFrmWuyeFYjsglCollect.cpp  discount, collect, print, design and the receipt's variables
// The discount dialog is uDLGFKman.h.
#pragma once

#include "gui/Forms.h"

#include "rtl/Currency.h"

#include <set>

class TADOQuery;
class TButton;
class TColumnGx;
class TComboBox;
class TCurrencyEdit;
class TDataSource;
class TDateTimePicker;
class TDBGridGx;
class TEdit;
class TKxCalcEdit;
class TLabel;
class TMemo;
class TPanel;
class TRadioGroup;
class TSpeedButton;
class TvrReport;
struct TFeeReceipt;

inline const String FeeCollectionCaption = "物业交费管理";
inline const String FeeCollectionLayout = "frWuyeFYjsGL.di3";
inline const String MsgEstateEmpty = "当前小区名称不能为空！";
inline const String MsgPrintReceipt = "打印此收款单据吗？";
inline const String FeeCollectionHint = "    收款方式：填预收款，会自动从，预交款中扣除物业费的！";

class TfrmWuyeFYjsgl : public TForm {
public:
    explicit TfrmWuyeFYjsgl(TComponent* AOwner);
    ~TfrmWuyeFYjsgl() override;
    String ClassName() const override { return "TfrmWuyeFYjsgl"; }

    // ---- parts (names are the system's) -----------------------------------------------------------
    TPanel* PanelTop;
    TComboBox* cbbXQname;
    TEdit* edtQRYcode;
    TSpeedButton* SpeedButton1;
    TDBGridGx* DBGridGx1; // houses
    TADOQuery* QryTable;
    TDataSource* dsTable;
    TDBGridGx* DBGridGx2; // unpaid rows
    TADOQuery* QryTable1;
    TDataSource* dsTable1;
    TADOQuery* QryTemp; // the ticked rows the receipt prints
    TRadioGroup* RadioGroup1;
    TDateTimePicker* dtpYF;
    TComboBox* cbbSX;
    TButton* Button1; // 全选
    TButton* Button2; // 重选
    TEdit* edtFZcode;
    TEdit* edtFZname;
    TKxCalcEdit* rceQFnum;
    TCurrencyEdit* ceQFprice;
    TKxCalcEdit* rceXDnum;
    TCurrencyEdit* ceFKprice;
    TCurrencyEdit* ceBankPrice;
    TCurrencyEdit* ceYHprice;
    TCurrencyEdit* ceYSprice;
    TDateTimePicker* dtpJFdate;
    TComboBox* cbbSKtype;
    TCurrencyEdit* ceSKprice;
    TCurrencyEdit* ceZLprice;
    TMemo* Memo1;
    TButton* bYH;    // 优惠
    TButton* bSK;    // 收款
    TButton* bSet;   // 设置单据
    TButton* bPrint; // 打印单据
    TButton* Button6; // 退出
    TLabel* lblHint;
    TvrReport* vrReport1;

    // ---- amounts as held (exact) ------------------------------------------------------------------
    int QFnum() const { return FQFnum; }
    Currency QFprice() const { return FQFprice; }
    int XDnum() const { return FXDnum; }
    Currency FKprice() const { return FFKprice; }
    Currency BankPrice() const { return FBankPrice; }
    Currency YHprice() const { return FYHprice; }
    Currency YSprice() const { return FYSprice; }
    Currency SKprice() const { return FSKprice; }
    Currency ZLprice() const { return FZLprice; }
    // The amount received, as typed into ceSKprice or set by the program.
    void SetSKprice(Currency value);
    // The discount (the dialog's "确定"): 应收金额 := 本次交款 − discount, received := 应收金额.
    void ApplyDiscount(Currency discount);
    // The receipt number of the last successful collection ("" before one).
    const String& LastReceipt() const { return FLastReceipt; }

    // ---- operations -------------------------------------------------------------------------------
    // The house search (estate combo change, SpeedButton1).
    void QueryHouses();
    // The current house's unpaid rows by the choice of RadioGroup1; ticks not saved are lost.
    void LoadUnpaidFees();
    // House boxes, counts, totals and the balance.
    void RefreshTotals();
    // 1 total of all rows, 2 total of the ticked rows (both exact), 3 number of ticked rows.
    Currency SumFees(int kind);
    int TickedCount();
    // Ticks or unticks the current row (the 交费 check box).
    void ToggleTick();
    void SelectAllClick();
    void ReselectClick();
    void ChoiceChanged();
    void ShowDiscount();
    // 收款: the questions, the optional receipt print, CollectFees, then the reload.
    void CollectClick();
    void PrintClick();
    void DesignClick();
    // The receipt's variables (vrReport1's value event); false for a name it does not answer.
    bool vrReport1GetValue(const String& name, Variant& value);
    // What the receipt carries now.
    TFeeReceipt Receipt() const;

protected:
    void DoShow() override;

private:
    void BuildSearch();
    void BuildGrids();
    void BuildFilter();
    void BuildAmounts();
    void BuildButtons();
    void HouseChanged();
    void ClearHouse();
    // Shows the held amounts in the edits and the buttons' state.
    void ShowAmounts();
    // A new ticked total from the rows: clears the discount, due := total, received := due.
    void TicksChanged();
    void TitleClick(TDBGridGx* grid, TADOQuery* query, TColumnGx* column);
    // The rows again with the ticks of those ids re-applied where the row is still unpaid.
    void ReloadWithTicks(const std::set<int>& ticked);
    std::set<int> TickedIds();
    // The ticked rows copied into QryTemp (fresh from the database), the amounts kept.
    void PrepareReceiptRows();

    int FQFnum = 0, FXDnum = 0;
    Currency FQFprice, FFKprice, FBankPrice, FYHprice, FYSprice, FSKprice, FZLprice;
    bool FShowing = false; // the program is setting the edits
    bool FTicking = false; // 全选 or a reload posts rows: one recount at the end
    bool FShown = false;
    bool FPrinting = false; // the receipt's report walks the house list
    String FLastReceipt;
};

// The open collection window (nullptr while none is open); the discount dialog reaches it here.
extern TfrmWuyeFYjsgl* frmWuyeFYjsgl;
