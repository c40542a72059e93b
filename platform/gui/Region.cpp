#include "gui/Graphics.h"
#include "gui/qt/RegionImpl.h"

#include <QPolygon>

TRegion::TRegion() : FImpl(std::make_unique<Impl>()) {}

TRegion::TRegion(const TRect& r) : TRegion() {
    if (!IsRectEmpty(r)) FImpl->Region = QRegion(ToQRect(r));
}

TRegion::TRegion(const TPoint* points, int count, int fillMode) : TRegion() {
    QPolygon poly;
    for (int i = 0; i < count; ++i)
        poly << QPoint(points[i].X, points[i].Y);
    FImpl->Region = QRegion(poly, fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
}

TRegion TRegion::Ellipse(const TRect& r) {
    TRegion e;
    if (!IsRectEmpty(r)) e.FImpl->Region = QRegion(ToQRect(r), QRegion::Ellipse);
    return e;
}

TRegion::TRegion(const TRegion& other) : FImpl(std::make_unique<Impl>(*other.FImpl)) {}
TRegion& TRegion::operator=(const TRegion& other) {
    if (this != &other) *FImpl = *other.FImpl;
    return *this;
}
TRegion::TRegion(TRegion&& other) noexcept : FImpl(std::make_unique<Impl>()) {
    std::swap(FImpl, other.FImpl);
}
TRegion& TRegion::operator=(TRegion&& other) noexcept {
    std::swap(FImpl, other.FImpl);
    return *this;
}
TRegion::~TRegion() = default;

bool TRegion::IsEmpty() const {
    return FImpl->Region.isEmpty();
}
bool TRegion::Contains(const TPoint& p) const {
    return FImpl->Region.contains(QPoint(p.X, p.Y));
}
bool TRegion::Intersects(const TRect& r) const {
    return FImpl->Region.intersects(ToQRect(r));
}
TRect TRegion::Bounds() const {
    return IsEmpty() ? TRect() : FromQRect(FImpl->Region.boundingRect());
}

std::vector<TRect> TRegion::Rects() const {
    std::vector<TRect> out;
    for (const QRect& r : FImpl->Region)
        out.push_back(FromQRect(r));
    return out;
}

int TRegion::Kind() const {
    if (IsEmpty()) return NULLREGION;
    return FImpl->Region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

void TRegion::Offset(int dx, int dy) {
    FImpl->Region.translate(dx, dy);
}

void TRegion::Combine(const TRegion& other, int mode) {
    QRegion& r = FImpl->Region;
    const QRegion& o = other.FImpl->Region;
    switch (mode) {
    case RGN_AND:
        r = r.intersected(o);
        break;
    case RGN_OR:
        r = r.united(o);
        break;
    case RGN_XOR:
        r = r.xored(o);
        break;
    case RGN_DIFF:
        r = r.subtracted(o);
        break;
    case RGN_COPY:
        r = o;
        break;
    default:
        break;
    }
}

bool TRegion::operator==(const TRegion& other) const {
    return FImpl->Region == other.FImpl->Region;
}
