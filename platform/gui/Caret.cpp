// The custom controls' caret: a small child widget of the owner's client widget, blinking on a
// timer; and the input method's text and caret rectangle for the owner.
#include "gui/Caret.h"

#include "gui/qt/ControlImpl.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QPointer>
#include <QTimer>

namespace {

struct TCaretData {
    TWinControl* Control = nullptr;
    QPointer<QWidget> Bar;
    QPointer<QTimer> Timer;
    TRect Bounds;
    bool Shown = false;
    bool BlinkOn = true;
};

TCaretData& Data() {
    static TCaretData data;
    return data;
}

bool OwnerFocused(const TCaretData& d) {
    return d.Control && d.Control->Focused();
}

// The bar shows while the caret is shown, its owner focused and the blink phase on.
void Apply() {
    TCaretData& d = Data();
    if (!d.Bar) return;
    d.Bar->setGeometry(d.Bounds.Left, d.Bounds.Top, d.Bounds.Width(), d.Bounds.Height());
    d.Bar->setVisible(d.Shown && d.BlinkOn && OwnerFocused(d));
    if (d.Bar->isVisible()) d.Bar->raise();
}

void Release() {
    TCaretData& d = Data();
    delete d.Timer.data();
    delete d.Bar.data();
    d = TCaretData();
}

} // namespace

void TControlCaret::Create(TWinControl* control, int width, int height) {
    Release();
    QWidget* client = TControlAccess::Client(control);
    QWidget* widget = TControlAccess::Widget(control);
    if (!client || !widget) return;
    TCaretData& d = Data();
    d.Control = control;
    d.Bounds = Rect(0, 0, width, height);
    auto* bar = new QWidget(client);
    bar->setAttribute(Qt::WA_TransparentForMouseEvents);
    bar->setAutoFillBackground(true);
    QPalette pal = bar->palette();
    pal.setColor(QPalette::Window, Qt::black);
    bar->setPalette(pal);
    bar->setFocusPolicy(Qt::NoFocus);
    bar->hide();
    d.Bar = bar;
    auto* timer = new QTimer(bar);
    const int flash = QApplication::cursorFlashTime();
    if (flash > 0) {
        timer->setInterval(flash / 2);
        QObject::connect(timer, &QTimer::timeout, [] {
            Data().BlinkOn = !Data().BlinkOn;
            Apply();
        });
        timer->start();
    }
    d.Timer = timer;
    widget->setAttribute(Qt::WA_InputMethodEnabled, true);
    if (client != widget) client->setAttribute(Qt::WA_InputMethodEnabled, true);
}

void TControlCaret::Destroy(TWinControl* control) {
    if (Data().Control == control) Release();
}

void TControlCaret::SetPos(TWinControl* control, int x, int y) {
    TCaretData& d = Data();
    if (d.Control != control) return;
    d.Bounds = Rect(x, y, x + d.Bounds.Width(), y + d.Bounds.Height());
    d.BlinkOn = true;
    if (d.Timer && d.Timer->isActive()) d.Timer->start();
    Apply();
    if (QWidget* w = TControlAccess::Widget(control))
        if (w->hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

void TControlCaret::Show(TWinControl* control) {
    TCaretData& d = Data();
    if (d.Control != control) return;
    d.Shown = true;
    d.BlinkOn = true;
    Apply();
}

void TControlCaret::Hide(TWinControl* control) {
    TCaretData& d = Data();
    if (d.Control != control) return;
    d.Shown = false;
    Apply();
}

TControlCaret::TState TControlCaret::State() {
    const TCaretData& d = Data();
    TState s;
    s.Control = d.Control;
    s.Bounds = d.Bounds;
    s.Shown = d.Control && d.Shown && OwnerFocused(d);
    return s;
}

void SimulateInputMethodText(TWinControl* target, const WideString& text) {
    QWidget* w = TControlAccess::Widget(target);
    if (!w) return;
    QInputMethodEvent e;
    e.setCommitString(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
    QCoreApplication::sendEvent(w, &e);
}

TRect InputMethodCaretRect(TWinControl* target) {
    QWidget* w = TControlAccess::Widget(target);
    if (!w) return TRect();
    QInputMethodQueryEvent q(Qt::ImCursorRectangle);
    QCoreApplication::sendEvent(w, &q);
    const QRect r = q.value(Qt::ImCursorRectangle).toRect();
    if (!r.isValid()) return TRect();
    return Rect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}
