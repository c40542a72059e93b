// Virtual-key codes against Qt keys, and the shortcut texts.
#include "gui/qt/KeyMapQt.h"

#include "rtl/StrUtils.h"

#include <array>
#include <cctype>

namespace {

struct TKeyPair {
    int Qt;
    Word Vk;
};

// Keys whose code differs between the two (letters and digits share theirs).
constexpr TKeyPair KeyTable[] = {
    {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Clear, VK_CLEAR},
    {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},
    {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Select, VK_SELECT},
    {Qt::Key_Printer, VK_PRINT},
    {Qt::Key_Execute, VK_EXECUTE},
    {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Help, VK_HELP},
    {Qt::Key_Meta, VK_LWIN},
    {Qt::Key_Super_L, VK_LWIN},
    {Qt::Key_Super_R, VK_RWIN},
    {Qt::Key_Menu, VK_APPS},
    {Qt::Key_NumLock, VK_NUMLOCK},
    {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Semicolon, VK_OEM_1},
    {Qt::Key_Colon, VK_OEM_1},
    {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA},
    {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},
    {Qt::Key_Underscore, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD},
    {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2},
    {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3},
    {Qt::Key_AsciiTilde, VK_OEM_3},
    {Qt::Key_BracketLeft, VK_OEM_4},
    {Qt::Key_BraceLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5},
    {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6},
    {Qt::Key_BraceRight, VK_OEM_6},
    {Qt::Key_Apostrophe, VK_OEM_7},
    {Qt::Key_QuoteDbl, VK_OEM_7},
};

// Shifted digits on the US layout give these keys.
constexpr std::array<int, 10> ShiftedDigits = {
    Qt::Key_ParenRight, Qt::Key_Exclam,      Qt::Key_At,        Qt::Key_NumberSign, Qt::Key_Dollar,
    Qt::Key_Percent,    Qt::Key_AsciiCircum, Qt::Key_Ampersand, Qt::Key_Asterisk,   Qt::Key_ParenLeft};

// Keys of the numeric pad (with KeypadModifier).
constexpr TKeyPair KeypadTable[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},       {Qt::Key_Comma, VK_SEPARATOR},
    {Qt::Key_Minus, VK_SUBTRACT},    {Qt::Key_Period, VK_DECIMAL}, {Qt::Key_Slash, VK_DIVIDE},
};

} // namespace

Word VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return static_cast<Word>(keypad ? VK_NUMPAD0 + (qtKey - Qt::Key_0) : qtKey);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<Word>(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return static_cast<Word>(VK_F1 + (qtKey - Qt::Key_F1));
    if (keypad)
        for (const auto& p : KeypadTable)
            if (p.Qt == qtKey) return p.Vk;
    for (const auto& p : KeyTable)
        if (p.Qt == qtKey) return p.Vk;
    for (size_t i = 0; i < ShiftedDigits.size(); ++i)
        if (ShiftedDigits[i] == qtKey) return static_cast<Word>('0' + i);
    return 0;
}

int QtKeyFromVirtualKey(Word vk, bool* keypad) {
    if (keypad) *keypad = false;
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return vk;
    if (vk >= VK_F1 && vk <= VK_F24) return Qt::Key_F1 + (vk - VK_F1);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) {
        if (keypad) *keypad = true;
        return Qt::Key_0 + (vk - VK_NUMPAD0);
    }
    for (const auto& p : KeypadTable)
        if (p.Vk == vk) {
            if (keypad) *keypad = true;
            return p.Qt;
        }
    for (const auto& p : KeyTable)
        if (p.Vk == vk) return p.Qt; // the first entry is the unshifted key
    return 0;
}

TShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    TShiftState s;
    if (modifiers.testFlag(Qt::ShiftModifier)) s << ssShift;
    if (modifiers.testFlag(Qt::AltModifier)) s << ssAlt;
    if (modifiers.testFlag(Qt::ControlModifier)) s << ssCtrl;
    if (buttons.testFlag(Qt::LeftButton)) s << ssLeft;
    if (buttons.testFlag(Qt::RightButton)) s << ssRight;
    if (buttons.testFlag(Qt::MiddleButton)) s << ssMiddle;
    return s;
}

Qt::KeyboardModifiers QtModifiersFromShift(TShiftState shift) {
    Qt::KeyboardModifiers m;
    if (shift.Contains(ssShift)) m |= Qt::ShiftModifier;
    if (shift.Contains(ssAlt)) m |= Qt::AltModifier;
    if (shift.Contains(ssCtrl)) m |= Qt::ControlModifier;
    return m;
}

Qt::MouseButton QtButton(TMouseButton button) {
    switch (button) {
    case mbRight:
        return Qt::RightButton;
    case mbMiddle:
        return Qt::MiddleButton;
    default:
        return Qt::LeftButton;
    }
}

QString TypedTextOfKey(Word vk, TShiftState shift) {
    const bool sh = shift.Contains(ssShift);
    if (shift.Contains(ssCtrl) || shift.Contains(ssAlt)) {
        // Ctrl with a letter types the control character, as on the platform.
        if (shift.Contains(ssCtrl) && !shift.Contains(ssAlt) && vk >= 'A' && vk <= 'Z')
            return QString(QChar(static_cast<char16_t>(vk - 'A' + 1)));
        return {};
    }
    if (vk >= 'A' && vk <= 'Z') return QString(QChar(static_cast<char16_t>(sh ? vk : vk + 32)));
    if (vk >= '0' && vk <= '9')
        return QString(QChar(static_cast<char16_t>(sh ? ")!@#$%^&*("[vk - '0'] : vk)));
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return QString(QChar(static_cast<char16_t>('0' + vk - VK_NUMPAD0)));
    switch (vk) {
    case VK_SPACE:
        return QStringLiteral(" ");
    case VK_RETURN:
        return QStringLiteral("\r");
    case VK_TAB:
        return QStringLiteral("\t");
    case VK_BACK:
        return QStringLiteral("\b");
    case VK_ESCAPE:
        return QString(QChar(27));
    case VK_MULTIPLY:
        return QStringLiteral("*");
    case VK_ADD:
        return QStringLiteral("+");
    case VK_SUBTRACT:
        return QStringLiteral("-");
    case VK_DECIMAL:
        return QStringLiteral(".");
    case VK_DIVIDE:
        return QStringLiteral("/");
    case VK_OEM_1:
        return sh ? QStringLiteral(":") : QStringLiteral(";");
    case VK_OEM_PLUS:
        return sh ? QStringLiteral("+") : QStringLiteral("=");
    case VK_OEM_COMMA:
        return sh ? QStringLiteral("<") : QStringLiteral(",");
    case VK_OEM_MINUS:
        return sh ? QStringLiteral("_") : QStringLiteral("-");
    case VK_OEM_PERIOD:
        return sh ? QStringLiteral(">") : QStringLiteral(".");
    case VK_OEM_2:
        return sh ? QStringLiteral("?") : QStringLiteral("/");
    case VK_OEM_3:
        return sh ? QStringLiteral("~") : QStringLiteral("`");
    case VK_OEM_4:
        return sh ? QStringLiteral("{") : QStringLiteral("[");
    case VK_OEM_5:
        return sh ? QStringLiteral("|") : QStringLiteral("\\");
    case VK_OEM_6:
        return sh ? QStringLiteral("}") : QStringLiteral("]");
    case VK_OEM_7:
        return sh ? QStringLiteral("\"") : QStringLiteral("'");
    default:
        return {};
    }
}

// ---------------------------------------------------------------------------------------------
// Shortcuts

namespace {

struct TKeyName {
    Word Vk;
    const char* Name;
};

constexpr TKeyName KeyNames[] = {
    {VK_BACK, "BkSp"},    {VK_TAB, "Tab"},        {VK_ESCAPE, "Esc"},      {VK_RETURN, "Enter"},
    {VK_SPACE, "Space"},  {VK_PRIOR, "PgUp"},     {VK_NEXT, "PgDn"},       {VK_END, "End"},
    {VK_HOME, "Home"},    {VK_LEFT, "Left"},      {VK_UP, "Up"},           {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},    {VK_INSERT, "Ins"},     {VK_DELETE, "Del"},      {VK_MULTIPLY, "Num *"},
    {VK_ADD, "Num +"},    {VK_SUBTRACT, "Num -"}, {VK_DECIMAL, "Num Del"}, {VK_DIVIDE, "Num /"},
    {VK_OEM_1, ";"},      {VK_OEM_PLUS, "="},     {VK_OEM_COMMA, ","},     {VK_OEM_MINUS, "-"},
    {VK_OEM_PERIOD, "."}, {VK_OEM_2, "/"},        {VK_OEM_3, "`"},         {VK_OEM_4, "["},
    {VK_OEM_5, "\\"},     {VK_OEM_6, "]"},        {VK_OEM_7, "'"},
};

String KeyName(Word vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return String(1, static_cast<char>(vk));
    if (vk >= VK_F1 && vk <= VK_F24) return "F" + std::to_string(vk - VK_F1 + 1);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return "Num " + std::to_string(vk - VK_NUMPAD0);
    for (const auto& k : KeyNames)
        if (k.Vk == vk) return k.Name;
    return {};
}

} // namespace

TShortCut ShortCut(Word Key, TShiftState Shift) {
    if (Key & 0xFF00) return scNone;
    TShortCut r = Key;
    if (Shift.Contains(ssShift)) r |= scShift;
    if (Shift.Contains(ssCtrl)) r |= scCtrl;
    if (Shift.Contains(ssAlt)) r |= scAlt;
    return r;
}

void ShortCutToKey(TShortCut sc, Word& Key, TShiftState& Shift) {
    Key = sc & 0xFF;
    Shift = TShiftState();
    if (sc & scShift) Shift << ssShift;
    if (sc & scCtrl) Shift << ssCtrl;
    if (sc & scAlt) Shift << ssAlt;
}

String ShortCutToText(TShortCut sc) {
    String name = KeyName(sc & 0xFF);
    if (name.empty()) return {};
    String r;
    if (sc & scShift) r += "Shift+";
    if (sc & scCtrl) r += "Ctrl+";
    if (sc & scAlt) r += "Alt+";
    return r + name;
}

TShortCut TextToShortCut(const String& Text) {
    String rest = Trim(Text);
    TShortCut mods = 0;
    for (;;) {
        String up = UpperCase(rest);
        auto take = [&](const char* prefix, TShortCut bit) {
            size_t n = std::char_traits<char>::length(prefix);
            if (up.size() > n && up.compare(0, n, prefix) == 0) {
                mods |= bit;
                rest = rest.substr(n);
                return true;
            }
            return false;
        };
        if (take("SHIFT+", scShift) || take("CTRL+", scCtrl) || take("ALT+", scAlt)) continue;
        break;
    }
    if (rest.empty()) return scNone;
    for (int vk = 1; vk < 256; ++vk) {
        String name = KeyName(static_cast<Word>(vk));
        if (!name.empty() && SameText(name, rest)) return static_cast<TShortCut>(vk | mods);
    }
    return scNone;
}
