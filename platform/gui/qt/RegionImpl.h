// Internal: the Qt region behind TRegion.
#pragma once

#include "gui/Graphics.h"

#include <QRegion>

struct TRegion::Impl {
    QRegion Region;
};

inline QRect ToQRect(const TRect& r) {
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}
inline TRect FromQRect(const QRect& r) {
    return Bounds(r.x(), r.y(), r.width(), r.height());
}
