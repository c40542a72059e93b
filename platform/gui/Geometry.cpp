#include "gui/Geometry.h"

#include <algorithm>
#include <cstdint>

bool IntersectRect(TRect& dest, const TRect& a, const TRect& b) {
    TRect r(std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom));
    if (IsRectEmpty(r)) {
        dest = TRect();
        return false;
    }
    dest = r;
    return true;
}

bool UnionRect(TRect& dest, const TRect& a, const TRect& b) {
    if (IsRectEmpty(a)) {
        dest = IsRectEmpty(b) ? TRect() : b;
        return !IsRectEmpty(b);
    }
    if (IsRectEmpty(b)) {
        dest = a;
        return true;
    }
    dest = TRect(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                 std::max(a.Bottom, b.Bottom));
    return true;
}

bool EqualRect(const TRect& a, const TRect& b) {
    return a == b;
}

TPoint CenterPoint(const TRect& r) {
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) return -1;
    std::int64_t p = static_cast<std::int64_t>(number) * numerator;
    std::int64_t d = denominator;
    bool negative = (p < 0) != (d < 0);
    if (p < 0) p = -p;
    if (d < 0) d = -d;
    std::int64_t q = (p + d / 2) / d;
    return static_cast<int>(negative ? -q : q);
}
