// The paint hook: an event filter on the control's widget that paints through the hook around
// (or instead of) the widget's own paint event.
#include "gui/ControlPaintHook.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/NamedFilter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPaintEvent>

namespace {

constexpr const char* kHookName = "orvPaintHook";

class TPaintHookFilter : public QObject {
public:
    TPaintHookFilter(TWinControl* control, TControlPaintHook hook) : FControl(control), FHook(std::move(hook)) {}
    void Set(TControlPaintHook hook) { FHook = std::move(hook); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || FNative) return false;
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w) return false;
        if (FHook.Before && Run(w, static_cast<QPaintEvent*>(event)->rect(), [&](TCanvas* c) { return FHook.Before(c); })) return true;
        FNative = true; // the widget paints itself, then the hook adds to it
        QCoreApplication::sendEvent(w, event);
        FNative = false;
        if (FHook.After) Run(w, static_cast<QPaintEvent*>(event)->rect(), [&](TCanvas* c) {
                FHook.After(c);
                return true;
            });
        return true;
    }

private:
    template <class F> bool Run(QWidget* w, const QRect& area, F&& f) {
        QPainter painter(w);
        TControl::Impl& impl = TControlAccess::I(FControl);
        const QRect outer = impl.PaintRect;
        const QRegion outerRegion = impl.PaintRegion;
        impl.PaintRect = area;
        impl.PaintRegion = area;
        TControlCanvas canvas(FControl);
        canvas.Font()->Assign(FControl->Font());
        canvas.AttachPainter(&painter);
        const bool result = f(&canvas);
        canvas.DetachPainter();
        impl.PaintRect = outer;
        impl.PaintRegion = outerRegion;
        return result;
    }

    TWinControl* FControl;
    TControlPaintHook FHook;
    bool FNative = false;
};

} // namespace

void SetControlPaintHook(TWinControl* Control, TControlPaintHook Hook) {
    const bool remove = !Hook.Before && !Hook.After;
    SetNamedFilter<TPaintHookFilter>(TControlAccess::Widget(Control), kHookName, Control, std::move(Hook), remove);
}

void DrawControlBorder(TCanvas* Canvas, const TRect& Rect, TColor Color) {
    const TColor brush = Canvas->Brush()->Color();
    Canvas->Brush()->SetColor(Color);
    Canvas->FrameRect(Rect);
    Canvas->Brush()->SetColor(brush); // the caller's brush stays
}
