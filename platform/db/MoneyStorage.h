// How the database keeps money. A CURRENCY column holds the amount itself as a number: a whole
// amount as an integer, any other as the double nearest its four decimals. Statements compare and
// compute with amounts as they are, and a stored number reads back as the exact Currency it was
// written from: below 10^11 a double tells ten-thousandths apart with room to spare. An amount of
// 10^11 or more (beyond 99,999,999,999.9999 either way) is refused with an overflow error instead
// of being stored without its last digits.
#pragma once

#include "rtl/Currency.h"

// Whether a money column holds the amount exactly.
bool MoneyStorable(Currency value);
// "Overflow: the amount ... is beyond what a money column holds (...)."
String MoneyOverflowMessage(const String& amount);
// Raises EDatabaseError with that message when the amount is not storable.
void CheckMoneyStorable(Currency value);

// The stored number of an amount: its count of ten-thousandths divided by 10000, correctly
// rounded (a whole amount is stored as an integer; see MoneyStorageIsWhole).
double MoneyToStorage(Currency value);
inline bool MoneyStorageIsWhole(Currency value) {
    return value.Value % 10000 == 0;
}
// The amount a stored number stands for: the nearest ten-thousandth, a tie going to the even
// neighbour. EOverflow beyond Currency's range.
Currency StorageToMoney(double value);
