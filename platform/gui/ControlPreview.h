// A preview of a window control's input and focus events: another party (the control that hosts
// it, for instance) sees each one first, before the control and its widget, and may mark it
// handled so that it goes no further.
#pragma once

#include "gui/Controls.h"

#include <functional>

// Message numbers of the previewed events (keys and focus as in Controls.h).
enum : Cardinal {
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
};

// One previewed event. Keys: WParam the virtual key (WM_KEYDOWN, WM_KEYUP) or the character
// (WM_CHAR). Mouse: Pos in client coordinates, ScreenPos on the screen. Setting Result nonzero
// marks it handled.
struct TControlMessage {
    Cardinal Msg = 0;
    std::uintptr_t WParam = 0;
    TShiftState Shift;
    TPoint Pos;
    TPoint ScreenPos;
    Integer Result = 0;
};
using TMessagePreview = std::function<void(TWinControl* Control, TControlMessage& Message)>;

// A Result that delivers the event to the widget alone, past the control's own handling (a
// hosted edit takes the keyboard focus while its form keeps its active control).
constexpr Integer PreviewDeliverDirect = -1;

// Sets (an empty function removes) the preview of Control's events.
void SetControlMessagePreview(TWinControl* Control, TMessagePreview Preview);
// Delivers a left double click at a client point of the control, as the user's would arrive.
void DeliverDoubleClick(TWinControl* Control, const TPoint& Pos);
// Delivers a button press at a client point of the control (a press another control received and
// hands on).
void DeliverMousePress(TWinControl* Control, TMouseButton Button, const TPoint& Pos);

// The control's window shown or hidden on screen, its Visible flag left as it is.
void ShowControlWindow(TWinControl* Control, bool Show);
bool ControlWindowVisible(const TWinControl* Control);
// Gives the control's window the keyboard focus without making it the form's active control.
void FocusControlWindow(TWinControl* Control);
bool ControlWindowFocused(const TWinControl* Control);
