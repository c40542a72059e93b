#include "gui/Monitors.h"

#include "gui/qt/QtSupport.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <climits>

TRect WorkAreaNearestRect(const TRect& R) {
    EnsureQtApp();
    const QRect target(R.Left, R.Top, std::max(R.Right - R.Left, 1), std::max(R.Bottom - R.Top, 1));
    QScreen* best = nullptr;
    long long bestArea = 0;
    long long bestDistance = LLONG_MAX;
    for (QScreen* s : QGuiApplication::screens()) {
        const QRect g = s->geometry();
        const QRect common = g.intersected(target);
        const long long area = common.isEmpty() ? 0 : 1LL * common.width() * common.height();
        const long long dx = std::max({0, g.left() - target.right(), target.left() - g.right()});
        const long long dy = std::max({0, g.top() - target.bottom(), target.top() - g.bottom()});
        const long long distance = dx * dx + dy * dy;
        if (area > bestArea || (bestArea == 0 && area == 0 && distance < bestDistance)) {
            best = s;
            bestArea = area;
            bestDistance = distance;
        }
    }
    if (!best) return Rect(0, 0, 1024, 768);
    const QRect a = best->availableGeometry();
    return Bounds(a.x(), a.y(), a.width(), a.height());
}

TRect RectOnSomeMonitor(const TRect& R) {
    EnsureQtApp();
    const QRect target(R.Left, R.Top, std::max(R.Right - R.Left, 1), std::max(R.Bottom - R.Top, 1));
    for (QScreen* s : QGuiApplication::screens())
        if (s->geometry().intersects(target)) return R;
    const TRect area = WorkAreaNearestRect(R);
    const int width = std::min(R.Right - R.Left, area.Width());
    const int height = std::min(R.Bottom - R.Top, area.Height());
    const int left = std::clamp(R.Left, area.Left, area.Right - width);
    const int top = std::clamp(R.Top, area.Top, area.Bottom - height);
    return Bounds(left, top, width, height);
}
