// Collecting a house's fees against a numbered receipt, and voiding a receipt: the two writers of
// T_wyFKrec, each one write transaction on dmData's connection, called by the collection window,
// the receipt query and the tests alike.
//
// Collect: inside the transaction the house's prepayment balance is read again, the receipt number
// is taken (today as yyyymmdd and a three-digit counter, by NewDatedCode's insert form, which
// writes the receipt under it), the ticked rows of the caller's batch are stored paid under that
// number (an optimistic batch update: a row another station changed since it was loaded fails it),
// the rows carrying the number are counted and summed against the receipt's 选定笔数 and 本次交款,
// and a "预收款" receipt withdraws its amount due from the house's prepayment account. Whatever
// fails, nothing of the collection stays.
//
// Void: inside one transaction the receipt goes, its rows become unpaid again, and a "预收款"
// receipt's amount goes back into the house's account as a deposit naming the receipt.
#pragma once

#include "rtl/Currency.h"
#include "rtl/Types.h"

class TCustomADODataSet;

inline const String PrepaymentPayType = "预收款";
inline const String PrepaymentWithdrawalMemo = "支出物业费";
inline const String PrepaymentRefundMemo = "作废收款单退回";
inline const String MsgReceiptDayFull = "当日收款单据已满999张，不能再收款！";
inline const String MsgFeeRowsChanged = "费用记录已被其他用户更改，请重新选择！";
inline const String MsgPrepaymentAmount = "用预收款交费时，收款金额必须等于应收金额！";
inline const String MsgPrepaymentShort = "帐户余额不足，不能用预收款交费！";

// One collection as the window holds it. Amounts are exact; YSprice and ZLprice follow from the
// others (应收金额 = 本次交款 − 优惠金额, 找零 = 收款金额 − 应收金额).
struct TFeeReceipt {
    int HouseId = 0;
    String XQname, LDcode, FZcode, FZname;
    int QFnum = 0;     // 欠费笔数: the house's unpaid rows listed
    Currency QFprice;  // 欠费合计
    int XDnum = 0;     // 选定笔数: the ticked rows
    Currency FKprice;  // 本次交款: their total
    Currency YHprice;  // 优惠金额
    String SKtype;     // 收款方式
    Currency SKprice;  // 收款金额
    String Memo;       // 备注
    TDateTime JFdate = 0; // 收款日期 chosen in the window

    Currency YSprice() const { return FKprice - YHprice; }
    Currency ZLprice() const { return SKprice - YSprice(); }
    bool FromPrepayment() const;
};

// The statement whose highest value is today's last receipt number.
String TodaysReceiptsSql();
// The number the next receipt would get now (what the receipt's JFcode shows before collecting);
// raises when today's counter is full.
String NextReceiptNumber();

// Stores the ticked rows (F_JFflag true) of rows, a client batch of T_wyFYrec rows of the house
// loaded unpaid, as paid under a new receipt, writes the receipt and, paid from prepayment, the
// withdrawal. Refusals and failures are shown (ShowMess) and answer false with nothing written:
//   a "预收款" amount received other than the amount due   MsgPrepaymentAmount (before anything)
//   a "预收款" amount due above the balance read inside    MsgPrepaymentShort
//   the 1000th receipt of the day                          MsgReceiptDayFull
//   rows another station paid, changed or re-priced        MsgFeeRowsChanged
//   anything else                                          "保存失败，请检测数据库连接！"
// On success code is the receipt number. Either way the batch's rows no longer match the
// database: the caller loads the house's unpaid rows again.
bool CollectFees(TCustomADODataSet* rows, const TFeeReceipt& receipt, String& code);

// Voids the receipt of that number: deletes it, returns its rows to unpaid (F_JFflag false,
// F_JFcode '') and refunds a "预收款" receipt's F_SKprice as a deposit (F_billCode the number,
// memo PrepaymentRefundMemo). One transaction; a failure changes nothing and shows
// "保存失败，请检测数据库连接！". False also when there is no such receipt (nothing shown).
bool VoidReceipt(const String& code);
