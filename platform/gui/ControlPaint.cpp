#include "gui/ControlPaint.h"

#include "gui/qt/ControlImpl.h"

#include <QCoreApplication>

namespace {

QWidget* PaintedWidget(const TControl* c) {
    // A control with a client widget paints there.
    return TControlAccess::Client(c);
}

} // namespace

void InvalidateControlRect(TControl* Control, const TRect* R) {
    QWidget* w = PaintedWidget(Control);
    if (!w) return;
    if (!R)
        w->update();
    else if (!IsRectEmpty(*R))
        w->update(QRect(R->Left, R->Top, R->Width(), R->Height()));
}

void ScrollControlRect(TControl* Control, int Dx, int Dy, const TRect& R) {
    QWidget* w = PaintedWidget(Control);
    if (!w || IsRectEmpty(R) || (Dx == 0 && Dy == 0)) return;
    w->scroll(Dx, Dy, QRect(R.Left, R.Top, R.Width(), R.Height()));
}

void PaintPending(TControl* Control) {
    QWidget* w = PaintedWidget(Control);
    if (!w || !w->isVisible()) return;
    // The window's queued update request repaints the dirty areas of its widgets.
    QCoreApplication::sendPostedEvents(w->window(), QEvent::UpdateRequest);
}

TRect ControlPaintRect(const TControl* Control) {
    const TControl::Impl& impl = TControlAccess::I(Control);
    if (impl.PaintRect.isValid())
        return Rect(impl.PaintRect.left(), impl.PaintRect.top(), impl.PaintRect.right() + 1,
                    impl.PaintRect.bottom() + 1);
    QWidget* w = PaintedWidget(Control);
    return w ? Rect(0, 0, w->width(), w->height()) : Rect(0, 0, Control->Width(), Control->Height());
}

std::vector<TRect> ControlPaintRects(const TControl* Control) {
    const TControl::Impl& impl = TControlAccess::I(Control);
    if (!impl.PaintRect.isValid() || impl.PaintRegion.isEmpty()) return {ControlPaintRect(Control)};
    std::vector<TRect> rects;
    for (const QRect& r : impl.PaintRegion)
        rects.push_back(Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1));
    return rects;
}
