// Keyboard and mouse input as the platform gives it to controls: virtual-key codes, the shift
// state set, mouse buttons, shortcuts (a key code with modifier bits) and the event signatures of
// the input events.
#pragma once

#include "classes/Meta.h"
#include "classes/Set.h"
#include "gui/Geometry.h"
#include "rtl/Events.h"

#include <functional>

// Virtual-key codes. Letters and digits are their upper-case ASCII codes ('A'..'Z', '0'..'9').
enum : Word {
    VK_LBUTTON = 0x01,
    VK_RBUTTON = 0x02,
    VK_CANCEL = 0x03,
    VK_MBUTTON = 0x04,
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_CLEAR = 0x0C,
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_CONTROL = 0x11,
    VK_MENU = 0x12,
    VK_PAUSE = 0x13,
    VK_CAPITAL = 0x14,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_SELECT = 0x29,
    VK_PRINT = 0x2A,
    VK_EXECUTE = 0x2B,
    VK_SNAPSHOT = 0x2C,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_HELP = 0x2F,
    VK_LWIN = 0x5B,
    VK_RWIN = 0x5C,
    VK_APPS = 0x5D,
    VK_NUMPAD0 = 0x60,
    VK_NUMPAD1 = 0x61,
    VK_NUMPAD2 = 0x62,
    VK_NUMPAD3 = 0x63,
    VK_NUMPAD4 = 0x64,
    VK_NUMPAD5 = 0x65,
    VK_NUMPAD6 = 0x66,
    VK_NUMPAD7 = 0x67,
    VK_NUMPAD8 = 0x68,
    VK_NUMPAD9 = 0x69,
    VK_MULTIPLY = 0x6A,
    VK_ADD = 0x6B,
    VK_SEPARATOR = 0x6C,
    VK_SUBTRACT = 0x6D,
    VK_DECIMAL = 0x6E,
    VK_DIVIDE = 0x6F,
    VK_F1 = 0x70,
    VK_F2 = 0x71,
    VK_F3 = 0x72,
    VK_F4 = 0x73,
    VK_F5 = 0x74,
    VK_F6 = 0x75,
    VK_F7 = 0x76,
    VK_F8 = 0x77,
    VK_F9 = 0x78,
    VK_F10 = 0x79,
    VK_F11 = 0x7A,
    VK_F12 = 0x7B,
    VK_F13 = 0x7C,
    VK_F24 = 0x87,
    VK_NUMLOCK = 0x90,
    VK_SCROLL = 0x91,
    VK_LSHIFT = 0xA0,
    VK_RSHIFT = 0xA1,
    VK_LCONTROL = 0xA2,
    VK_RCONTROL = 0xA3,
    VK_LMENU = 0xA4,
    VK_RMENU = 0xA5,
    VK_OEM_1 = 0xBA,      // ;:
    VK_OEM_PLUS = 0xBB,   // =+
    VK_OEM_COMMA = 0xBC,  // ,<
    VK_OEM_MINUS = 0xBD,  // -_
    VK_OEM_PERIOD = 0xBE, // .>
    VK_OEM_2 = 0xBF,      // /?
    VK_OEM_3 = 0xC0,      // `~
    VK_OEM_4 = 0xDB,      // [{
    VK_OEM_5 = 0xDC,      // \|
    VK_OEM_6 = 0xDD,      // ]}
    VK_OEM_7 = 0xDE,      // '"
    VK_PROCESSKEY = 0xE5,
};

// The shift state: modifier keys and mouse buttons held, and ssDouble for a double click.
enum TShiftStateElement { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
ORV_ENUM(TShiftStateElement, ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble)
using TShiftState = TSet<TShiftStateElement>;
ORV_SET(TShiftState)

enum TMouseButton { mbLeft, mbRight, mbMiddle };
ORV_ENUM(TMouseButton, mbLeft, mbRight, mbMiddle)

// Input events. A key handler may set Key to 0 to swallow the key; a key-press handler may change
// the character or set it to 0 to swallow it. Mouse coordinates are client coordinates of the
// control the event belongs to.
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char16_t& Key)>;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
// WheelDelta is a multiple of 120 per notch, positive away from the user; MousePos is in screen
// coordinates.
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
// MousePos is in client coordinates, (-1, -1) when the menu key asked for the popup.
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;

// Shortcuts: a virtual-key code in the low byte with the modifier bits.
using TShortCut = Word;
enum : Word { scNone = 0, scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000 };

TShortCut ShortCut(Word Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift);
// "Ctrl+S", "Shift+F2", "Del", "PgDn" ...; empty for scNone or a key without a name.
String ShortCutToText(TShortCut ShortCut);
// Reads the text ShortCutToText writes (names compared without regard to case); scNone for a text
// that names no key.
TShortCut TextToShortCut(const String& Text);

// Sends a key as if typed on the keyboard to the control that has the focus (down and up, or only
// the up stroke with KEYEVENTF_KEYUP). The program uses it to turn Enter into Tab.
enum : Cardinal { KEYEVENTF_EXTENDEDKEY = 1, KEYEVENTF_KEYUP = 2 };
void keybd_event(Byte bVk, Byte bScan, Cardinal dwFlags, std::uintptr_t dwExtraInfo);
// The state of a key now: negative while it is held (the modifier keys and mouse buttons).
SmallInt GetKeyState(int nVirtKey);
