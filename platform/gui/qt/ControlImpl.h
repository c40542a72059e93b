// Internal to platform/gui: the Qt side of the controls. Every control shows through one widget
// (a form through a top-level window with an inner client widget); a bridge object filters the
// widget's events and turns them into the platform's events. Included only by .cpp files.
#pragma once

#include "gui/Controls.h"
#include "gui/ScreenStrokes.h"
#include "gui/qt/ControlBridge.h"
#include "gui/qt/PainterCanvas.h"

#include <QPointer>
#include <QRegion>
#include <QScrollBar>
#include <QWidget>

#include <memory>

class QKeyEvent;
class QMouseEvent;
class TControlBridge;

// The canvas of a control: draws on the painter of the paint event running, measures otherwise.
// The platform scroll code of a Qt slider action (a line, a page, an end, or tracking).
TScrollCode ScrollCodeOfSliderAction(int action);

class TControlCanvas : public TPainterCanvas {
public:
    explicit TControlCanvas(TControl* control) : FControl(control) {}
    TControl* Control() const { return FControl; }

protected:
    std::unique_ptr<QPainter> BeginPaint() override { return nullptr; }
    TSize DevSize() override;

private:
    TControl* FControl;
};

struct TControl::Impl {
    QPointer<QWidget> Widget; // the control's widget (a form's top-level window)
    QPointer<QWidget> Client; // where held controls go; client coordinates start here
    std::unique_ptr<TControlBridge> Bridge;
    // The control is pushing its state to the widget: widget signals must not echo back.
    int Applying = 0;
    bool ClickEvents = true;  // a left click (press and release inside) runs Click
    bool DoubleClicks = true; // a double click runs DblClick
    bool Pressed = false;     // left button went down inside, not yet released
    // The control's own scroll bars (TWinControl::SetScrollInfo).
    TScrollInfo Scroll[2];
    QPointer<QScrollBar> Bars[2];
    bool BarShown[2] = {false, false};
    // The area the paint event running now repaints (invalid outside a paint), and its parts.
    QRect PaintRect;
    QRegion PaintRegion;
    // Exclusive-or strokes shown over the painting (ScreenStrokes.h).
    std::vector<TScreenStroke> XorStrokes;
};

// Draws the control's exclusive-or strokes over what the painter has painted.
void PaintXorStrokes(TControl* control, QPainter& p);

// A widget that paints through the control (custom, graphic, panels, forms' client area).
class TOrvWidget : public QWidget {
public:
    explicit TOrvWidget(TControl* control, QWidget* parent = nullptr);
    TControl* Control() const { return FControl; }
    // Fill the background with the control's colour before painting.
    bool FillBackground = true;
    // The widget belongs to a form's client area: OnPaint of the form runs.
    bool FormClient = false;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    TControl* FControl;
};

struct TControlAccess {
    static TControl::Impl& I(const TControl* c) { return *c->FImpl; }
    static QWidget* Widget(const TControl* c) { return c ? c->FImpl->Widget.data() : nullptr; }
    static QWidget* Client(const TControl* c) {
        if (!c) return nullptr;
        return c->FImpl->Client ? c->FImpl->Client.data() : c->FImpl->Widget.data();
    }
    template <class W> static W* As(const TControl* c) { return static_cast<W*>(Widget(c)); }
    // Gives the control its widget (replacing one it had), with the control's state applied; client
    // is where held controls go (the widget itself when nullptr).
    static void SetWidget(TControl* c, QWidget* w, QWidget* client = nullptr);
    // Adds a widget whose input events belong to the control (a viewport, an inner editor).
    static void Watch(TControl* c, QWidget* w);
    // The control a widget shows (the widget or its nearest parent that belongs to a control).
    static TControl* FromWidget(const QObject* o);
    static void Paint(TControl* c, QPainter& p, const QRect& r);
    // The widget was resized or moved by Qt (the user, a window manager): take over the bounds.
    static void WidgetGeometryChanged(TControl* c);
    static void SetPressed(TControl* c, bool v) { c->FImpl->Pressed = v; }
    // Input entry points of the bridge.
    static void MouseDown(TControl* c, TMouseButton b, TShiftState s, int x, int y) {
        c->MouseDown(b, s, x, y);
    }
    static void MouseUp(TControl* c, TMouseButton b, TShiftState s, int x, int y) { c->MouseUp(b, s, x, y); }
    static void MouseMove(TControl* c, TShiftState s, int x, int y) { c->MouseMove(s, x, y); }
    static void DblClick(TControl* c) { c->DblClick(); }
    static void MouseEnter(TControl* c) { c->MouseEnter(); }
    static void MouseLeave(TControl* c) { c->MouseLeave(); }
    static bool MouseWheel(TControl* c, TShiftState s, int d, TPoint p) { return c->DoMouseWheel(s, d, p); }
    static void ContextPopup(TControl* c, TPoint p, bool& h) { c->DoContextPopup(p, h); }
    static bool AutoDragOnPress(TControl* c, TShiftState s) { return c->AutoDragOnPress(s); }
    static void FireResize(TControl* c) { c->Resize(); }
    static void ApplyBounds(TControl* c) { c->ApplyBounds(); }
    static void ApplyFont(TControl* c) { c->ApplyFont(); }
    static void ApplyColor(TControl* c) { c->ApplyColor(); }
    static void SetTextField(TControl* c, const String& s) { c->FText = s; }
    static const String& TextField(const TControl* c) { return c->FText; }
    static void SetVisibleField(TControl* c, bool v) { c->FVisible = v; }
    static void SetBoundsFields(TControl* c, int l, int t, int w, int h) {
        c->FLeft = l;
        c->FTop = t;
        c->FWidth = w;
        c->FHeight = h;
    }
    static void PaintCustom(TCustomControl* c) { c->Paint(); }
    static void PaintGraphic(TGraphicControl* c) { c->Paint(); }
};

// Qt colours and fonts of a control's font.
QFont QFontOf(const TFont& font);

// Applying a state to a widget: widget signals fired meanwhile do not echo back as events.
class TApplyGuard {
public:
    explicit TApplyGuard(TControl* c) : FImpl(TControlAccess::I(c)) { ++FImpl.Applying; }
    ~TApplyGuard() { --FImpl.Applying; }
    TApplyGuard(const TApplyGuard&) = delete;
    TApplyGuard& operator=(const TApplyGuard&) = delete;

private:
    TControl::Impl& FImpl;
};
inline bool IsApplying(const TControl* c) {
    return TControlAccess::I(c).Applying > 0;
}

// The Qt cursor shape of a platform cursor.
Qt::CursorShape QtCursorShape(TCursor cursor);
// The Qt cursor of a platform cursor: a registered one (CursorTable.h) or the standard shape.
QCursor QtCursorOf(TCursor cursor);
