// The fee ledger (T_wyFYrec), receipts (T_wyFKrec) and prepayments (T_YSKrec) as the fee windows
// read them. Money is Currency from the database to the caller; names and ids go into the
// statements as parameters.
#pragma once

#include "rtl/Currency.h"
#include "rtl/Types.h"

inline const String MsgFeePaidNoDelete = "此费用已经交费，不能删除！";

// The highest current reading (F_Eamount) of the house's ledger rows of that charging method and
// fee item, the reading a new period starts from; 0 when the house has none. A failing read shows
// the data module's open message and gives 0.
double PreviousReading(int houseId, const String& method, const String& item);
// The house's prepayment balance: deposits (F_OperFlag 1) less withdrawals (-1); 0 without rows.
Currency PrepaymentBalance(int houseId);
// The unit price of the fee item of that method (T_FYinfo.F_SFprice); 0 when there is none.
Currency FeeItemPrice(const String& method, const String& item);
