// Internal to platform/gui: the event filter that turns a control's Qt events into the platform's
// input events (keys through the form's shortcut, dialog-key and key-preview steps; mouse with
// client coordinates and shift state; focus; geometry changes; window close and activation).
#pragma once

#include "gui/Controls.h"

#include <QEvent>
#include <QObject>

class QKeyEvent;
class QInputMethodEvent;

class TControlBridge : public QObject {
public:
    explicit TControlBridge(TControl* control) : FControl(control) {}
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool HandleKey(TWinControl* c, QObject* target, QKeyEvent* e);
    bool HandleMouse(QObject* watched, QEvent* event);
    bool HandleInputMethod(TWinControl* c, QInputMethodEvent* e);
    TControl* FControl;
};

// Delivers a key as typed on the keyboard to the control (down with the character it types, then
// up), through the same path as a real key.
void DeliverKey(TWinControl* target, Word vk, TShiftState shift, bool down, bool up);
// Delivers a mouse event at client coordinates of the control (item views take it on their
// viewport) and handles it at once.
void DeliverMouse(TControl* target, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, int x,
                  int y, TShiftState shift);
