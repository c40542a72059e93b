// Hint windows and the per-control hint query, reached through the toolkit's tool-tip event.
#include "gui/HintWindow.h"
#include "gui/Colors.h"
#include "gui/Forms.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/NamedFilter.h"

#include "classes/MetaBuilder.h"

#include <QAbstractScrollArea>
#include <QHelpEvent>
#include <QMouseEvent>

ORV_META_IMPL(THintWindow)
void THintWindow::DeclareMeta(meta::Class<THintWindow>&) {}

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    SetColor(clInfoBk);
    Font()->SetColor(clInfoText);
    SetVisible(false);
}

TRect THintWindow::CalcHintRect(int MaxWidth, const String& Hint, const TFont*) {
    TRect r = Rect(0, 0, MaxWidth, 0);
    String text = Hint;
    Canvas()->TextRect(r, text, TTextFormat(tfCalcRect | tfLeft | tfWordBreak | tfNoPrefix));
    r.Right += 6;
    r.Bottom += 2;
    return r;
}

ORV_META_IMPL(TToolTipsWindow)
void TToolTipsWindow::DeclareMeta(meta::Class<TToolTipsWindow>&) {}

TRect TToolTipsWindow::CalcHintRect(int MaxWidth, const String& Hint, const TFont* Data) {
    if (Data) {
        Font()->Assign(*Data);
        Canvas()->Font()->Assign(*Data);
    }
    return THintWindow::CalcHintRect(MaxWidth, Hint, Data);
}

void THintWindow::ActivateHint(const TRect& Rect, const String& Hint) {
    FHintText = Hint;
    QWidget* w = TControlAccess::Widget(this);
    w->setParent(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
    w->setGeometry(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
    SetVisible(true);
    w->show();
    Invalidate();
}

void THintWindow::ReleaseHandle() {
    SetVisible(false);
    if (QWidget* w = TControlAccess::Widget(this)) w->hide();
}

void THintWindow::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    c->Brush()->SetColor(clWindowFrame);
    c->FrameRect(r);
    c->Brush()->SetStyle(bsClear);
    TRect text = Rect(r.Left + 2, r.Top + 1, r.Right - 2, r.Bottom - 1);
    String s = FHintText;
    c->TextRect(text, s, TTextFormat(tfLeft | tfWordBreak | tfNoPrefix));
    c->Brush()->SetStyle(bsSolid);
}

namespace {

constexpr const char* kHintName = "orvHintQuery";
std::unique_ptr<THintWindow> GHint;
// The control whose hint shows and the client area it belongs to.
TControl* GHintControl = nullptr;
TRect GHintArea;

class THintFilter : public QObject {
public:
    THintFilter(TControl* control, THintQuery query) : FControl(control), FQuery(std::move(query)) {}
    void Set(THintQuery q) { FQuery = std::move(q); }
    const THintQuery& Query() const { return FQuery; }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseMove && GHint && GHintControl == FControl && !IsRectEmpty(GHintArea)) {
            // A hint of one part of the control goes when the pointer leaves that part.
            const QPoint m = static_cast<QMouseEvent*>(event)->position().toPoint();
            if (!PtInRect(GHintArea, TPoint(m.x(), m.y()))) HideControlHint();
            return false;
        }
        if (event->type() != QEvent::ToolTip) return false;
        const QPoint p = static_cast<QHelpEvent*>(event)->pos();
        ShowControlHint(FControl, TPoint(p.x(), p.y()));
        return true; // the toolkit's own tool tip stays away
    }

private:
    TControl* FControl;
    THintQuery FQuery;
};

// Shows the hint of the point under a resting pointer at once where the control's pause is 0.
class THintPauseFilter : public QObject {
public:
    THintPauseFilter(TControl* control, THintPauseQuery query)
        : FControl(control), FQuery(std::move(query)) {}
    void Set(THintPauseQuery q) { FQuery = std::move(q); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::MouseMove) return false;
        const auto* me = static_cast<QMouseEvent*>(event);
        if (me->buttons() != Qt::NoButton) return false;
        const QPoint m = me->position().toPoint();
        const TPoint p(m.x(), m.y());
        if (GHint && GHintControl == FControl && PtInRect(GHintArea, p)) return false;
        if (FQuery(FControl, p) == 0) ShowControlHint(FControl, p);
        return false;
    }

private:
    TControl* FControl;
    THintPauseQuery FQuery;
};

constexpr const char* kHintPauseName = "orvHintPause";

} // namespace

void SetControlHintPauseQuery(TControl* Control, THintPauseQuery Query) {
    const bool remove = !Query;
    // The pointer's moves reach the viewport of a control that scrolls.
    QWidget* w = TControlAccess::Client(Control);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(TControlAccess::Widget(Control)))
        w = area->viewport();
    SetNamedFilter<THintPauseFilter>(w, kHintPauseName, Control, std::move(Query), remove);
    // Moves without a button reach the widget only while it tracks the mouse.
    if (w && !remove) w->setMouseTracking(true);
}

THintWindow* ShownHintWindow() {
    return GHint.get();
}

void SetControlHintQuery(TControl* Control, THintQuery Query) {
    const bool remove = !Query;
    SetNamedFilter<THintFilter>(TControlAccess::Widget(Control), kHintName, Control, std::move(Query), remove);
}

THintWindow* ShowControlHint(TControl* Control, const TPoint& Pos) {
    HideControlHint();
    THintInfo info;
    info.HintStr = Control->Hint();
    info.Show = Control->ShowHint();
    const TPoint screen = Control->ClientToScreen(Pos);
    info.HintPos = TPoint(screen.X, screen.Y + 20);
    info.CursorPos = Pos;
    if (auto* f = FindNamedFilter<THintFilter>(TControlAccess::Widget(Control), kHintName)) f->Query()(Control, info);
    if (!info.Show || info.HintStr.empty()) return nullptr;
    GHint = info.HintWindowClass ? info.HintWindowClass() : std::make_unique<THintWindow>();
    TRect r = GHint->CalcHintRect(info.MaxWidth > 0 ? info.MaxWidth : Screen()->Width(), info.HintStr, info.HintData);
    OffsetRect(r, info.HintPos.X, info.HintPos.Y);
    GHint->ActivateHint(r, info.HintStr);
    GHintControl = Control;
    GHintArea = info.CursorRect;
    return GHint.get();
}

void HideControlHint() {
    GHint.reset();
    GHintControl = nullptr;
    GHintArea = TRect();
}
