// Key and mouse events built as Qt would deliver them and sent to a control's widget.
#include "gui/InputSimulation.h"

#include "gui/Forms.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/KeyMapQt.h"
#include "gui/qt/MenuAccess.h"
#include "gui/qt/QtSupport.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QWheelEvent>

void SimulateKey(TWinControl* Target, Word Key, TShiftState Shift) {
    DeliverKey(Target, Key, Shift, true, true);
}
void SimulateKeyDown(TWinControl* Target, Word Key, TShiftState Shift) {
    DeliverKey(Target, Key, Shift, true, false);
}
void SimulateKeyUp(TWinControl* Target, Word Key, TShiftState Shift) {
    DeliverKey(Target, Key, Shift, false, true);
}

void SimulateTyping(TWinControl* Target, const String& Text) {
    QWidget* w = TControlAccess::Widget(Target);
    if (!w) return;
    const QString text = ToQString(Text);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        // A character beyond the basic plane comes as one key event holding both halves, as the
        // keyboard and input methods deliver it; a half alone is no input.
        QString typed(ch);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            typed += text.at(++i);
        int key = typed.size() == 1 ? ch.toUpper().unicode() : 0;
        Qt::KeyboardModifiers mods = ch.isUpper() ? Qt::ShiftModifier : Qt::NoModifier;
        QKeyEvent press(QEvent::KeyPress, key, mods, typed);
        QCoreApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, key, mods, typed);
        QCoreApplication::sendEvent(w, &release);
    }
}

namespace {

void SendMouse(TControl* Target, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, int X,
               int Y, TShiftState Shift) {
    DeliverMouse(Target, type, button, buttons, X, Y, Shift);
}

} // namespace

void SimulateMouseDown(TControl* Target, TMouseButton Button, int X, int Y, TShiftState Shift) {
    SendMouse(Target, QEvent::MouseButtonPress, QtButton(Button), QtButton(Button), X, Y, Shift);
}

void SimulateMouseUp(TControl* Target, TMouseButton Button, int X, int Y, TShiftState Shift) {
    SendMouse(Target, QEvent::MouseButtonRelease, QtButton(Button), Qt::NoButton, X, Y, Shift);
}

void SimulateMouseMove(TControl* Target, int X, int Y, TShiftState Shift) {
    Qt::MouseButtons b;
    if (Shift.Contains(ssLeft)) b |= Qt::LeftButton;
    if (Shift.Contains(ssRight)) b |= Qt::RightButton;
    if (Shift.Contains(ssMiddle)) b |= Qt::MiddleButton;
    SendMouse(Target, QEvent::MouseMove, Qt::NoButton, b, X, Y, Shift);
}

void SimulateClick(TControl* Target, int X, int Y, TMouseButton Button, TShiftState Shift) {
    SimulateMouseDown(Target, Button, X, Y, Shift);
    SimulateMouseUp(Target, Button, X, Y, Shift);
}

void SimulateDblClick(TControl* Target, int X, int Y) {
    SimulateClick(Target, X, Y);
    SendMouse(Target, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, X, Y, TShiftState());
    SimulateMouseUp(Target, mbLeft, X, Y);
}

void SimulateWheel(TControl* Target, int WheelDelta, int X, int Y, TShiftState Shift) {
    QWidget* w = TControlAccess::Client(Target);
    if (!w) return;
    QPointF global = w->mapToGlobal(QPointF(X, Y));
    QWheelEvent e(QPointF(X, Y), global, QPoint(), QPoint(0, WheelDelta), Qt::NoButton,
                  QtModifiersFromShift(Shift), Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &e);
}

void SimulateMouseEnter(TControl* Target) {
    QWidget* w = TControlAccess::Widget(Target);
    if (!w) return;
    QEnterEvent e(QPointF(1, 1), w->mapToGlobal(QPointF(1, 1)), w->mapToGlobal(QPointF(1, 1)));
    QCoreApplication::sendEvent(w, &e);
}

void SimulateMouseLeave(TControl* Target) {
    QWidget* w = TControlAccess::Widget(Target);
    if (!w) return;
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(w, &e);
}

void SimulateContextMenu(TControl* Target, int X, int Y) {
    QWidget* w = TControlAccess::Client(Target);
    if (!w) return;
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(X, Y), w->mapToGlobal(QPoint(X, Y)));
    QCoreApplication::sendEvent(w, &e);
}

void SimulateWindowMove(TCustomForm* Form, int Left, int Top) {
    QWidget* w = TControlAccess::Widget(Form);
    if (w) w->move(Left, Top);
    QCoreApplication::processEvents();
}

namespace {

// The actions the item's drop-down shows, after it prepared itself for showing.
QList<QAction*> OpenMenu(TMenuItem* Item) {
    QMenu* menu = Item ? TMenuAccess::SubMenu(Item) : nullptr;
    if (!menu) return {};
    emit menu->aboutToShow();
    QList<QAction*> shown;
    for (QAction* a : menu->actions())
        if (a->isVisible()) shown.push_back(a);
    return shown;
}

} // namespace

std::vector<TMenuEntry> SimulateMenuOpen(TMenuItem* Item) {
    std::vector<TMenuEntry> entries;
    for (QAction* a : OpenMenu(Item)) {
        TMenuEntry e;
        e.Caption = FromQString(a->text().section('\t', 0, 0));
        e.Separator = a->isSeparator();
        e.Checked = a->isChecked();
        e.Enabled = a->isEnabled();
        entries.push_back(e);
    }
    return entries;
}

void SimulateMenuChoice(TMenuItem* Item, int Index) {
    QList<QAction*> shown = OpenMenu(Item);
    if (Index < 0 || Index >= shown.size()) throw EListError("Menu entry out of range");
    QAction* a = shown[Index];
    if (a->isEnabled() && !a->isSeparator()) a->trigger();
}

namespace {

// The menu bar that shows the item as one of its entries (nullptr when none).
QMenuBar* BarOf(TMenuItem* Item) {
    QAction* action = Item ? TMenuAccess::Display(Item) : nullptr;
    if (!action) return nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        for (QMenuBar* bar : top->findChildren<QMenuBar*>())
            if (bar->actions().contains(action)) return bar;
    return nullptr;
}

} // namespace

bool SimulateMenuDropDown(TMenuItem* Item) {
    QMenuBar* bar = BarOf(Item);
    if (!bar || !TMenuAccess::SubMenu(Item)) return false;
    bar->setActiveAction(TMenuAccess::Display(Item));
    QCoreApplication::processEvents();
    return TMenuAccess::SubMenu(Item)->isVisible();
}

void SimulateMenuClose(TMenuItem* Item) {
    if (QMenu* menu = Item ? TMenuAccess::SubMenu(Item) : nullptr) menu->hide();
    if (QMenuBar* bar = BarOf(Item)) bar->setActiveAction(nullptr);
    QCoreApplication::processEvents();
}
