#include "app/fees/SharedShares.h"

#include <algorithm>
#include <cstdlib>

std::vector<Currency> SplitMoney(Currency total, int count, int places) {
    std::vector<Currency> shares;
    if (count < 1) return shares;
    Int64 unit = 1; // in ten-thousandths
    for (int i = std::clamp(places, 0, 4); i < 4; ++i)
        unit *= 10;
    const bool negative = total.Value < 0;
    const Int64 units = (negative ? -total.Value : total.Value) / unit;
    const Int64 rest = (negative ? -total.Value : total.Value) % unit; // below the places
    const Int64 each = units / count;
    Int64 over = units % count;
    shares.reserve(count);
    for (int i = 0; i < count; ++i) {
        Int64 raw = each * unit;
        if (over > 0) {
            raw += unit;
            --over;
        }
        // What the places cannot hold (an amount typed with more decimals) stays with the first.
        if (i == 0) raw += rest;
        shares.push_back(Currency::FromRaw(negative ? -raw : raw));
    }
    return shares;
}
