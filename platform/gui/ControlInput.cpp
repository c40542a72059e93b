#include "gui/ControlInput.h"

#include "gui/ControlPreview.h"
#include "gui/qt/ControlBridge.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/KeyMapQt.h"
#include "gui/qt/QtSupport.h"

#include <QCoreApplication>
#include <QKeyEvent>

void PostCharMessage(TWinControl* Target, char16_t Ch) {
    QWidget* w = TControlAccess::Widget(Target);
    if (!w || Ch == 0) return;
    const QString text(QChar(static_cast<char16_t>(Ch)));
    // No key code: only the character travels, as a character message does (a backspace is the
    // toolkit's backspace key).
    const int key = Ch == 8 ? Qt::Key_Backspace : 0;
    QCoreApplication::postEvent(w, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
}

void SendKeyMessage(TWinControl* Target, Word Key, TShiftState Shift) {
    // A widget that hands its focus to an inner one (a calendar to its day table) takes its keys
    // there.
    QWidget* w = TControlAccess::Widget(Target);
    if (w && w->focusProxy()) {
        bool keypad = false;
        int qk = QtKeyFromVirtualKey(Key, &keypad);
        Qt::KeyboardModifiers mods = QtModifiersFromShift(Shift);
        if (keypad) mods |= Qt::KeypadModifier;
        QKeyEvent press(QEvent::KeyPress, qk, mods, TypedTextOfKey(Key, Shift));
        QCoreApplication::sendEvent(w->focusProxy(), &press);
        return;
    }
    DeliverKey(Target, Key, Shift, true, false);
}

void SendMouseMessage(TControl* Target, Cardinal Msg, int X, int Y, TShiftState Shift) {
    switch (Msg) {
    case WM_LBUTTONDOWN:
        DeliverMouse(Target, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, X, Y, Shift);
        break;
    case WM_MOUSEMOVE:
        DeliverMouse(Target, QEvent::MouseMove, Qt::NoButton, Shift.Contains(ssLeft) ? Qt::LeftButton : Qt::NoButton, X,
                     Y, Shift);
        break;
    case WM_LBUTTONUP:
        DeliverMouse(Target, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, X, Y, Shift);
        break;
    default:
        break;
    }
}
