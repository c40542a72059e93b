// The shares of a shared-fee record: the amount to share split among the households at the
// office's money places, so that the shares add up to the amount exactly.
#pragma once

#include "rtl/Currency.h"

#include <vector>

// `total` in `count` shares, each a multiple of one unit at `places` decimals (0 to 4; other
// values are held to that range): every share gets the amount divided and cut to the places, and
// the units left over go one at a time to the first shares. 100 in 3 at 2 places gives 33.34,
// 33.33, 33.33; -100 gives -33.34, -33.33, -33.33. No shares for a count below 1.
std::vector<Currency> SplitMoney(Currency total, int count, int places);
