// The dock drag: past the drag threshold it asks the dock site under the pointer whether the
// control may dock there, shows the place it would take, and on release docks it there or floats
// it at the pointer.
#include "gui/ControlDrag.h"
#include "gui/Docking.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/DockAccess.h"
#include "gui/qt/QtSupport.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QRubberBand>

#include <cstdlib>

namespace {

struct TDockDragState {
    TControl* Control = nullptr;
    bool Started = false;
    TPoint Start;
    TWinControl* Target = nullptr;
    TControl* DropOn = nullptr;
    TAlign DropAlign = alNone;
    TRect Rect;
    QPointer<QRubberBand> Band;
};

TDockDragState& Drag() {
    static TDockDragState state;
    return state;
}

bool Holds(const TControl* outer, const TControl* inner) {
    for (const TControl* c = inner; c; c = c->Parent())
        if (c == outer) return true;
    return false;
}

bool ShowsAt(TControl* c, const TPoint& screen) {
    if (!c->Visible()) return false;
    const TPoint origin = c->ClientToScreen(Point(0, 0));
    return PtInRect(Bounds(origin.X, origin.Y, c->Width(), c->Height()), screen);
}

// The deepest dock site under the point inside the window control, skipping the dragged control.
TWinControl* DockSiteIn(TWinControl* w, const TPoint& screen, TControl* dragged) {
    if (w == dragged || !ShowsAt(w, screen)) return nullptr;
    for (int i = w->ControlCount() - 1; i >= 0; --i)
        if (auto* child = dynamic_cast<TWinControl*>(w->Controls(i)))
            if (TWinControl* site = DockSiteIn(child, screen, dragged)) return site;
    return w->DockSite() ? w : nullptr;
}

// The dock site under the point: in the active form first, then in the other shown forms.
TWinControl* DockSiteAt(const TPoint& screen, TControl* dragged) {
    std::vector<TCustomForm*> forms;
    if (TCustomForm* active = Screen()->ActiveForm()) forms.push_back(active);
    for (int i = 0; i < Screen()->FormCount(); ++i)
        if (Screen()->Forms(i) != Screen()->ActiveForm()) forms.push_back(Screen()->Forms(i));
    for (TCustomForm* f : forms) {
        if (!f->Visible() || f->Parent() || Holds(dragged, f)) continue;
        if (TWinControl* site = DockSiteIn(f, screen, dragged)) return site;
    }
    return nullptr;
}

// The screen rectangle the control would take in the site (or floating at the point).
TRect DockRectIn(TWinControl* site, TControl* control, const TPoint& screen, TControl*& dropOn,
                 TAlign& side) {
    dropOn = nullptr;
    side = alNone;
    if (!site) return Bounds(screen.X, screen.Y, control->UndockWidth(), control->UndockHeight());
    const TPoint origin = site->ClientToScreen(Point(0, 0));
    TRect r = Bounds(origin.X, origin.Y, site->ClientWidth(), site->ClientHeight());
    const bool across = site->Align() == alLeft || site->Align() == alRight;
    if (TDockAccess::SiteLength(site) == 0) {
        if (across)
            r.Right = r.Left + control->UndockWidth();
        else
            r.Bottom = r.Top + control->UndockHeight();
    }
    if (TDockTree* tree = site->DockManager()) {
        dropOn = tree->ControlAt(site->ScreenToClient(screen), side);
        if (dropOn) {
            const TPoint o = site->ClientToScreen(Point(dropOn->Left(), dropOn->Top()));
            TRect z = Bounds(o.X, o.Y, dropOn->Width(), dropOn->Height());
            if (side == alTop) z.Bottom = (z.Top + z.Bottom) / 2;
            if (side == alBottom) z.Top = (z.Top + z.Bottom) / 2;
            if (side == alLeft) z.Right = (z.Left + z.Right) / 2;
            if (side == alRight) z.Left = (z.Left + z.Right) / 2;
            r = z;
        }
    } else {
        r = Bounds(screen.X, screen.Y, control->Width(), control->Height());
    }
    return r;
}

void ShowFeedback(TDockDragState& d) {
    if (!d.Band) {
        d.Band = new QRubberBand(QRubberBand::Rectangle);
        d.Band->setAttribute(Qt::WA_TransparentForMouseEvents);
        d.Band->setAttribute(Qt::WA_ShowWithoutActivating);
    }
    d.Band->setGeometry(d.Rect.Left, d.Rect.Top, std::max(1, d.Rect.Width()), std::max(1, d.Rect.Height()));
    d.Band->show();
}

void StopFeedback(TDockDragState& d) {
    delete d.Band.data();
}

void Start(TDockDragState& d) {
    d.Started = true;
    if (d.Control->OnStartDock) d.Control->OnStartDock(d.Control);
}

} // namespace

void BeginDockDrag(TControl* Control, const TPoint& ScreenPos) {
    TDockDragState& d = Drag();
    if (d.Control) return; // one drag at a time
    d = TDockDragState();
    d.Control = Control;
    d.Start = ScreenPos;
}

void DockDragMove(const TPoint& ScreenPos) {
    TDockDragState& d = Drag();
    if (!d.Control) return;
    if (!d.Started) {
        const int threshold = Mouse()->DragThreshold();
        if (std::abs(ScreenPos.X - d.Start.X) < threshold && std::abs(ScreenPos.Y - d.Start.Y) < threshold)
            return;
        Start(d);
    }
    TWinControl* site = DockSiteAt(ScreenPos, d.Control);
    if (site) {
        TDragDockObject source(d.Control);
        source.DragPos = ScreenPos;
        source.DragTarget = site;
        source.DockRect = DockRectIn(site, d.Control, ScreenPos, source.DropOnControl, source.DropAlign);
        bool accept = true;
        const TPoint p = site->ScreenToClient(ScreenPos);
        site->DockOver(source, p.X, p.Y, accept);
        if (!accept) site = nullptr;
    }
    d.Target = site;
    d.Rect = DockRectIn(site, d.Control, ScreenPos, d.DropOn, d.DropAlign);
    ShowFeedback(d);
}

void EndDockDrag(const TPoint& ScreenPos, bool Drop) {
    TDockDragState& d = Drag();
    if (!d.Control) return;
    if (Drop && d.Started) DockDragMove(ScreenPos);
    TDockDragState ended = d;
    StopFeedback(d);
    d = TDockDragState();
    if (!Drop || !ended.Started) return;
    TControl* c = ended.Control;
    if (ended.Target) {
        TWinControl* host = c->HostDockSite();
        if (host && host != ended.Target && !host->DoUnDock(ended.Target, c)) return;
        TDragDockObject source(c);
        source.DragPos = ScreenPos;
        source.DragTarget = ended.Target;
        source.DropOnControl = ended.DropOn == c ? nullptr : ended.DropOn;
        source.DropAlign = ended.DropAlign;
        source.DockRect = ended.Rect;
        const TPoint p = ended.Target->ScreenToClient(ScreenPos);
        ended.Target->DockDrop(source, p.X, p.Y);
        if (c->OnEndDock) c->OnEndDock(c, ended.Target, p.X, p.Y);
    } else {
        c->ManualFloat(ended.Rect);
    }
}

TControl* DockDragControl() {
    return Drag().Control;
}

bool TDockAccess::DragStarted() {
    return Drag().Started;
}

TWinControl* DockDragTarget() {
    return Drag().Target;
}

TRect DockDragRect() {
    return Drag().Rect;
}

// --- the user's drag, simulated -------------------------------------------------------------

namespace {

void Send(QWidget* w, QEvent::Type type, const TPoint& screen, Qt::MouseButtons buttons) {
    const QPointF global(screen.X, screen.Y);
    const QPointF local = w->mapFromGlobal(global);
    QMouseEvent e(type, local, global, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

} // namespace

void SimulateDockDrag(TControl* Control, const TPoint& To) {
    QWidget* w = nullptr;
    TPoint from;
    TWinControl* host = Control->HostDockSite();
    if (host && host->DockManager()) {
        w = TDockAccess::Grabber(host->DockManager(), Control);
        if (w) {
            const QPoint c = w->mapToGlobal(w->rect().center());
            from = Point(c.x(), c.y());
        }
    } else if (auto* bar = dynamic_cast<TControlBar*>(host)) {
        const TRect grip = bar->GripRect(Control);
        from = bar->ClientToScreen(Point((grip.Left + grip.Right) / 2, (grip.Top + grip.Bottom) / 2));
        w = TControlAccess::Client(bar);
    } else {
        from = Control->ClientToScreen(Point(Control->Width() - 2, Control->Height() / 2));
        w = TControlAccess::Client(Control);
    }
    if (!w) return;
    Send(w, QEvent::MouseButtonPress, from, Qt::LeftButton);
    // A few steps of the way, as a hand moves.
    for (int i = 1; i <= 4; ++i)
        Send(w, QEvent::MouseMove, Point(from.X + (To.X - from.X) * i / 4, from.Y + (To.Y - from.Y) * i / 4),
             Qt::LeftButton);
    Send(w, QEvent::MouseButtonRelease, To, Qt::NoButton);
}
