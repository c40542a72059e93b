// Posted input is noted when posted and forgotten when the event loop delivers it; an
// application-wide event filter sees the delivery (and swallows a press that was dropped).
#include "gui/InputQueue.h"

#include "gui/qt/ControlImpl.h"
#include "gui/qt/KeyMapQt.h"
#include "gui/qt/QtSupport.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

#include <vector>

namespace {

struct TPostedInput {
    const QEvent* Event;
    QPointer<QWidget> Receiver;
    bool KeyDown;
    bool LeftPress;
    QPoint Pos;
    bool Dropped = false;
};

class TPostedInputWatch : public QObject {
public:
    std::vector<TPostedInput> Waiting;

    bool eventFilter(QObject* watched, QEvent* event) override {
        for (auto it = Waiting.begin(); it != Waiting.end(); ++it) {
            if (it->Event != event) continue;
            bool dropped = it->Dropped;
            Waiting.erase(it);
            if (dropped) return true;
            break;
        }
        return QObject::eventFilter(watched, event);
    }
};

TPostedInputWatch* TheWatch = nullptr;

// Made with the first posted input; before that nothing can wait.
TPostedInputWatch& Watch() {
    if (!TheWatch) {
        EnsureQtApp();
        TheWatch = new TPostedInputWatch;
        QCoreApplication::instance()->installEventFilter(TheWatch);
    }
    return *TheWatch;
}

// Events of a destroyed widget are never delivered: their notes go.
void ForgetOrphans() {
    if (!TheWatch) return;
    auto& list = Watch().Waiting;
    for (auto it = list.begin(); it != list.end();)
        it = it->Receiver.isNull() ? list.erase(it) : it + 1;
}

} // namespace

void PostKeyDown(TWinControl* Target, Word Key, TShiftState Shift) {
    QWidget* w = TControlAccess::Widget(Target);
    if (!w) return;
    bool keypad = false;
    int qk = QtKeyFromVirtualKey(Key, &keypad);
    Qt::KeyboardModifiers mods = QtModifiersFromShift(Shift);
    if (keypad) mods |= Qt::KeypadModifier;
    auto* event = new QKeyEvent(QEvent::KeyPress, qk, mods, TypedTextOfKey(Key, Shift));
    Watch().Waiting.push_back({event, w, true, false, QPoint()});
    QCoreApplication::postEvent(w, event);
}

void PostMouseDown(TWinControl* Target, TMouseButton Button, int X, int Y, TShiftState Shift) {
    QWidget* w = TControlAccess::Client(Target);
    if (!w) return;
    QPointF local(X, Y);
    auto* event = new QMouseEvent(QEvent::MouseButtonPress, local, w->mapToGlobal(local), QtButton(Button),
                                  QtButton(Button), QtModifiersFromShift(Shift));
    Watch().Waiting.push_back({event, w, false, Button == mbLeft, QPoint(X, Y)});
    QCoreApplication::postEvent(w, event);
}

bool KeyDownWaiting() {
    if (!TheWatch) return false;
    ForgetOrphans();
    for (const TPostedInput& p : Watch().Waiting)
        if (p.KeyDown && !p.Dropped) return true;
    return false;
}

namespace {

TPostedInput* FirstLeftPress(TWinControl* Window) {
    QWidget* w = TControlAccess::Client(Window);
    if (!w || !TheWatch) return nullptr;
    ForgetOrphans();
    for (TPostedInput& p : Watch().Waiting)
        if (p.LeftPress && !p.Dropped && p.Receiver.data() == w) return &p;
    return nullptr;
}

} // namespace

bool PeekWaitingLeftPress(TWinControl* Window, TPoint& ClientPoint) {
    TPostedInput* p = FirstLeftPress(Window);
    if (!p) return false;
    ClientPoint = TPoint(p->Pos.x(), p->Pos.y());
    return true;
}

bool DropWaitingLeftPress(TWinControl* Window) {
    TPostedInput* p = FirstLeftPress(Window);
    if (!p) return false;
    p->Dropped = true;
    return true;
}
