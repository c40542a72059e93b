#include "db/MoneyStorage.h"

#include "db/DB.h"
#include "rtl/Format.h"

#include <cmath>

namespace {

// 10^11 in ten-thousandths: the first amount a money column no longer holds exactly.
constexpr Int64 kMoneyLimit = 1000000000000000LL;

} // namespace

bool MoneyStorable(Currency value) {
    return value.Value > -kMoneyLimit && value.Value < kMoneyLimit;
}

String MoneyOverflowMessage(const String& amount) {
    return "Overflow: the amount " + amount + " is beyond what a money column holds (" +
           CurrToStr(Currency::FromRaw(kMoneyLimit - 1)) + " at most, either way).";
}

void CheckMoneyStorable(Currency value) {
    if (!MoneyStorable(value)) throw EDatabaseError(MoneyOverflowMessage(CurrToStr(value)));
}

double MoneyToStorage(Currency value) {
    // Both operands are exact doubles below 2^53, so the one division rounds correctly.
    return static_cast<double>(value.Value) / 10000.0;
}

Currency StorageToMoney(double value) {
    // The double product decides unless it lies next to a half, where the exact rounding of the
    // value x 10000 in extended precision takes over.
    const double scaled = value * 10000.0;
    if (std::fabs(scaled) < 9.0e15) {
        const double rounded = std::nearbyint(scaled);
        if (std::fabs(std::fabs(scaled - rounded) - 0.5) > 1e-6)
            return Currency::FromRaw(static_cast<Int64>(rounded));
    }
    return Currency::FromDouble(value);
}
