// Several polylines drawn in one call (grid lines are drawn this way, one stroke per line).
#include "gui/Graphics.h"

#include <vector>

void TCanvas::PolyPolyline(const TPoint* points, const int* counts, int polyCount) {
    if (!points || !counts || polyCount <= 0) return;
    Changing();
    std::vector<TPoint> d;
    for (int i = 0; i < polyCount; ++i) {
        const int n = counts[i];
        if (n < 0) break;
        if (n >= 2) {
            d.resize(static_cast<size_t>(n));
            for (int k = 0; k < n; ++k)
                d[static_cast<size_t>(k)] = LPtoDP(points[k]);
            DevPolyline(d.data(), n);
        }
        points += n;
    }
    DidChange();
}
