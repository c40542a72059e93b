#include "gui/ControlInput.h"

#include "gui/qt/ControlImpl.h"

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
