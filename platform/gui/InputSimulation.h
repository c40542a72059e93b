// Typing and clicking as a user would, for tests and tools: real Qt key and mouse events sent to a
// control's widget, so they take the same road as the user's (shortcuts, dialog keys, key
// preview, the control's events, then the widget). Works offscreen.
#pragma once

#include "gui/Controls.h"

#include <vector>

// A key pressed and released on the control (with the character it types).
void SimulateKey(TWinControl* Target, Word Key, TShiftState Shift = TShiftState());
void SimulateKeyDown(TWinControl* Target, Word Key, TShiftState Shift = TShiftState());
void SimulateKeyUp(TWinControl* Target, Word Key, TShiftState Shift = TShiftState());
// Characters typed into the control, one key event each.
void SimulateTyping(TWinControl* Target, const String& Text);
// Mouse input at client coordinates of the control.
void SimulateMouseDown(TControl* Target, TMouseButton Button, int X, int Y,
                       TShiftState Shift = TShiftState());
void SimulateMouseUp(TControl* Target, TMouseButton Button, int X, int Y, TShiftState Shift = TShiftState());
void SimulateMouseMove(TControl* Target, int X, int Y, TShiftState Shift = TShiftState());
void SimulateClick(TControl* Target, int X, int Y, TMouseButton Button = mbLeft,
                   TShiftState Shift = TShiftState());
void SimulateDblClick(TControl* Target, int X, int Y);
void SimulateWheel(TControl* Target, int WheelDelta, int X, int Y, TShiftState Shift = TShiftState());
// The mouse comes over the control, and leaves it.
void SimulateMouseEnter(TControl* Target);
void SimulateMouseLeave(TControl* Target);
// The user asks for the context menu at a client point (the right button, as the desktop does it).
void SimulateContextMenu(TControl* Target, int X, int Y);

class TMenuItem;
class TCustomForm;

// The user drags a form's window to a new place by its title bar: the window system moves the
// top-level window (the form learns its bounds from it, as from a real move).
void SimulateWindowMove(TCustomForm* Form, int Left, int Top);

// One entry of a drop-down menu as it shows: its text ("&" marks kept, no shortcut text), whether
// it is a separator line, checked, enabled.
struct TMenuEntry {
    String Caption;
    bool Separator = false;
    bool Checked = false;
    bool Enabled = true;
};
// Opens the drop-down of a menu item's sub-items as the user does (the items update from their
// actions, the item's OnClick runs, an MDI frame adds its window list) and returns the entries it
// shows, hidden ones left out. Empty when the item has no sub-items.
std::vector<TMenuEntry> SimulateMenuOpen(TMenuItem* Item);
// Opens the drop-down and chooses its entry Index (counted as SimulateMenuOpen lists them).
void SimulateMenuChoice(TMenuItem* Item, int Index);
// Shows the drop-down of an item of a form's menu bar on the screen, under its entry in the bar,
// as the user's click opens it, and returns at once (to look at it); false when the item is not
// in a menu bar or has no sub-items. SimulateMenuClose closes it.
bool SimulateMenuDropDown(TMenuItem* Item);
void SimulateMenuClose(TMenuItem* Item);
