// Exclusive-or strokes over a shown control, the window-moved notification and the tick count.
#include "gui/ScreenStrokes.h"

#include "gui/qt/ControlImpl.h"
#include "gui/qt/QtSupport.h"

#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <chrono>

namespace {

QRect StrokeBounds(const TScreenStroke& s) {
    return QRect(QPoint(std::min(s.From.X, s.To.X), std::min(s.From.Y, s.To.Y)),
                 QPoint(std::max(s.From.X, s.To.X), std::max(s.From.Y, s.To.Y)))
        .adjusted(-1, -1, 1, 1);
}

void ShowNow(TControl* control, const QRect& area) {
    QWidget* w = TControlAccess::Client(control);
    if (!w) return;
    if (w->isVisible())
        w->repaint(area);
    else
        w->update(area);
}

} // namespace

void PaintXorStrokes(TControl* control, QPainter& p) {
    const auto& strokes = TControlAccess::I(control).XorStrokes;
    if (strokes.empty()) return;
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setBrush(Qt::NoBrush);
    for (const TScreenStroke& s : strokes) {
        QPen pen(ToQColor(s.Color));
        pen.setWidth(1);
        pen.setCosmetic(true);
        if (s.Dotted) pen.setDashPattern({1, 1});
        p.setPen(pen);
        if (s.From == s.To)
            p.drawPoint(s.From.X, s.From.Y);
        else
            p.drawLine(s.From.X, s.From.Y, s.To.X, s.To.Y);
    }
    p.restore();
}

void DrawXorStroke(TControl* Control, const TScreenStroke& Stroke) {
    if (!Control) return;
    auto& strokes = TControlAccess::I(Control).XorStrokes;
    auto it = std::find(strokes.begin(), strokes.end(), Stroke);
    if (it != strokes.end())
        strokes.erase(it);
    else
        strokes.push_back(Stroke);
    ShowNow(Control, StrokeBounds(Stroke));
}

void DrawXorFrame(TControl* Control, const TRect& Rect, TColor Color, bool Dotted) {
    const int l = Rect.Left, t = Rect.Top, r = Rect.Right, b = Rect.Bottom;
    DrawXorStroke(Control, {{l, t}, {r, t}, Color, Dotted});
    if (b != t) DrawXorStroke(Control, {{l, b}, {r, b}, Color, Dotted});
    if (b - t > 1) {
        DrawXorStroke(Control, {{l, t + 1}, {l, b - 1}, Color, Dotted});
        if (r != l) DrawXorStroke(Control, {{r, t + 1}, {r, b - 1}, Color, Dotted});
    }
}

std::vector<TScreenStroke> XorStrokes(const TControl* Control) {
    if (!Control) return {};
    return TControlAccess::I(Control).XorStrokes;
}

void ClearXorStrokes(TControl* Control) {
    if (!Control) return;
    auto& strokes = TControlAccess::I(Control).XorStrokes;
    if (strokes.empty()) return;
    QRect area;
    for (const TScreenStroke& s : strokes) area = area.united(StrokeBounds(s));
    strokes.clear();
    ShowNow(Control, area);
}

// ---------------------------------------------------------------------------------------------

namespace {

// Watches the control's widget and every widget above it for moves.
class TWindowMoveWatch : public QObject {
public:
    TWindowMoveWatch(QWidget* widget, std::function<void()> handler)
        : QObject(widget), FWidget(widget), FHandler(std::move(handler)) {
        setObjectName("orvWindowMoveWatch");
        Rewatch();
    }
    void SetHandler(std::function<void()> handler) { FHandler = std::move(handler); }

    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Move) {
            if (FHandler) FHandler();
        } else if (e->type() == QEvent::ParentChange) {
            Rewatch();
        }
        (void)watched;
        return false;
    }

private:
    void Rewatch() {
        for (QPointer<QWidget>& w : FWatched)
            if (w) w->removeEventFilter(this);
        FWatched.clear();
        for (QWidget* w = FWidget; w; w = w->parentWidget()) {
            w->installEventFilter(this);
            FWatched.emplace_back(w);
            if (w->isWindow()) break;
        }
    }

    QPointer<QWidget> FWidget;
    std::vector<QPointer<QWidget>> FWatched;
    std::function<void()> FHandler;
};

} // namespace

void SetWindowMovedHandler(TControl* Control, std::function<void()> Handler) {
    QWidget* w = TControlAccess::Widget(Control);
    if (!w) return;
    auto* watch = w->findChild<TWindowMoveWatch*>("orvWindowMoveWatch", Qt::FindDirectChildrenOnly);
    if (!Handler) {
        delete watch;
        return;
    }
    if (watch)
        watch->SetHandler(std::move(Handler));
    else
        new TWindowMoveWatch(w, std::move(Handler));
}
