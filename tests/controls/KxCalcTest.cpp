// The calculator: its state machine as key sequences and displays, the entry limit, the memory
// keys, and the drop-down under a calculator edit.
#include "controls/KxCalc.h"
#include "controls/kxCurrEdit.h"
#include "controls/kxVclutils.h"
#include "gui/Clipbrd.h"
#include "gui/Forms.h"
#include "gui/InputSimulation.h"

#include <gtest/gtest.h>

namespace {

class TQuiet {
public:
    TQuiet() {
        SetKxBeepHook([this] { ++Beeps; });
        SetKxPressPause([](int) {});
    }
    ~TQuiet() {
        SetKxBeepHook(nullptr);
        SetKxPressPause(nullptr);
    }
    int Beeps = 0;
};

// Runs the keys ("\b" Backspace) through the engine from a cleared calculator.
String Keys(TCalculatorPanel& panel, const std::u16string& keys) {
    panel.Clear();
    for (char16_t k : keys)
        panel.CalcKey(k);
    return panel.DisplayText();
}

} // namespace

TEST(Calculator, KeySequencesAndDisplays) {
    TQuiet quiet;
    TForm form(nullptr);
    TCalculatorPanel panel(&form, clPopup);
    struct Case {
        std::u16string Keys;
        const char* Display;
    };
    const Case cases[] = {
        {u"2+3*4=", "20"},   // left to right, no precedence
        {u"7+*2=", "14"},    // a second operator replaces the pending one
        {u"200+10%", "220"}, // 10 % of 200 added
        {u"200-10%", "180"},
        {u"50*10%", "5"},
        {u"50/10%", "500"},
        {u"9Q", "3"},
        {u"4R", "0.25"},
        {u"0R", "Error"},
        {u"2_Q", "Error"}, // square root of a negative
        {u"1/0=", "Error"},
        {u"1/0=5", "Error"}, // every key but C is ignored
        {u"1/0=5C", "0"},
        {u"1/0=\x1B", "Error"}, // Escape is C only through the key lookup of a typed key
        {u"1.2.3", "1.23"},
        {u"1,5", "1.5"},
        {u"-5", "5"}, // a leading "-" is an operator
        {u"5_", "-5"},
        {u"5_\b", "0"},
        {u"5\b", "0"},
        {u"12\b", "1"},
        {u"12+", "12"},
        {u"12+3", "3"},
        {u"0.1+0.2=", "0.3"},
        {u"6/4=", "1.5"},
        {u"2*3=*4=", "24"}, // "=" keeps the result as the next operand
        {u"3=5", "5"},      // after a result a digit starts a new number
        // Overflow to infinity, and NaN, show "Error" as a division by zero does.
        {u"99999999999999*99999999999999*99999999999999*99999999999999*99999999999999*"
         u"99999999999999*99999999999999*99999999999999*99999999999999*99999999999999*"
         u"99999999999999*99999999999999*99999999999999*99999999999999*99999999999999*"
         u"99999999999999*99999999999999*99999999999999*99999999999999*99999999999999*"
         u"99999999999999*99999999999999*99999999999999=",
         "Error"},
    };
    for (const Case& k : cases) {
        std::string keys(k.Keys.begin(), k.Keys.end());
        EXPECT_EQ(Keys(panel, k.Keys), k.Display) << keys;
    }
    // Error blocks every key until "C".
    Keys(panel, u"1/0=");
    EXPECT_EQ(panel.Status(), csError);
    panel.CalcKey(u'C');
    EXPECT_EQ(panel.Status(), csFirst);
    EXPECT_EQ(panel.DisplayText(), "0");
    EXPECT_EQ(panel.Operator(), u'=');
}

TEST(Calculator, OverflowAndNotANumberNeedC) {
    TQuiet quiet;
    TForm form(nullptr);
    TCalculatorPanel panel(&form, clPopup);
    // 1e300 squared overflows: the second operand comes from the clipboard while entering.
    panel.SetValue(1e300);
    panel.CalcKey(u'*');
    panel.CalcKey(u'1');
    Clipboard()->SetAsText("1E300");
    panel.CalcKey(22);
    EXPECT_EQ(panel.DisplayText(), "1E300");
    panel.CalcKey(u'=');
    EXPECT_EQ(panel.DisplayText(), "Error");
    EXPECT_EQ(panel.Status(), csError);
    EXPECT_EQ(quiet.Beeps, 1);
    panel.CalcKey(u'5');
    EXPECT_EQ(panel.DisplayText(), "Error");
    panel.CalcKey(u'c');
    EXPECT_EQ(panel.DisplayText(), "0");
    // "%" of a huge operand: its share is infinite.
    panel.SetValue(1e308);
    panel.CalcKey(u'-');
    panel.CalcKey(u'1');
    Clipboard()->SetAsText("1E308");
    panel.CalcKey(22);
    panel.CalcKey(u'%');
    EXPECT_EQ(panel.DisplayText(), "Error");
    panel.CalcKey(u'C');
    // A value that is not a number shown by the popup's own SetValue.
    panel.SetValue(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(panel.DisplayText(), "Error");
    EXPECT_DOUBLE_EQ(panel.DisplayValue(), 0);
}

TEST(Calculator, EntryStopsAtFifteenCharacters) {
    TQuiet quiet;
    TForm form(nullptr);
    TCalculatorPanel panel(&form, clPopup);
    EXPECT_EQ(Keys(panel, u"1234567890123456"), "123456789012345");
    EXPECT_EQ(quiet.Beeps, 1);
    // The decimal separator counts; a leading minus sign does not.
    EXPECT_EQ(Keys(panel, u"1234567.8901234567"), "1234567.8901234");
    EXPECT_EQ(Keys(panel, u"12345678901234_5"), "-123456789012345");
    quiet.Beeps = 0;
    panel.CalcKey(u'6');
    EXPECT_EQ(panel.DisplayText(), "-123456789012345");
    EXPECT_EQ(quiet.Beeps, 1);
}

TEST(Calculator, MemoryKeys) {
    TQuiet quiet;
    TForm form(nullptr);
    TCalculatorPanel panel(&form, clDialog);
    auto click = [&](int kind) {
        TCalcButton* b = panel.ButtonOfKind(kind);
        ASSERT_NE(b, nullptr) << kind;
        b->Click();
    };
    EXPECT_EQ(panel.MemoryText(), "");
    Keys(panel, u"12");
    click(24); // MS
    EXPECT_EQ(panel.Memory(), 12);
    EXPECT_EQ(panel.MemoryText(), "M");
    panel.CalcKey(u'3');
    EXPECT_EQ(panel.DisplayText(), "3") << "store ends the entry";
    click(23); // MP
    EXPECT_EQ(panel.Memory(), 15);
    panel.CalcKey(u'C');
    click(25); // MR
    EXPECT_EQ(panel.DisplayText(), "15");
    panel.CalcKey(u'0');
    EXPECT_EQ(panel.DisplayText(), "150") << "digits append to the recalled number";
    click(26); // MC
    EXPECT_EQ(panel.Memory(), 0);
    EXPECT_EQ(panel.MemoryText(), "");
    // The compact keypad has no memory keys; the full one has the bitmap keys.
    TCalculatorPanel compact(&form, clPopup);
    EXPECT_EQ(compact.ButtonOfKind(23), nullptr);
    EXPECT_EQ(panel.ButtonOfKind(27)->Glyph()->Width(), 14);
    EXPECT_EQ(panel.ButtonOfKind(27)->Glyph()->Height(), 13);
}

TEST(Calculator, KeysAndButtons) {
    TQuiet quiet;
    TForm form(nullptr);
    TCalculatorPanel panel(&form, clPopup);
    struct Case {
        char16_t Key;
        int Kind;
    };
    const Case cases[] = {{u'0', 1},  {u'9', 10}, {u'_', 11}, {u'.', 12}, {u',', 12}, {u'/', 13},
                          {u'*', 14}, {u'-', 15}, {u'+', 16}, {u'q', 17}, {u'%', 18}, {u'R', 19},
                          {u'=', 20}, {13, 20},   {8, 21},    {u'c', 22}, {27, 22}};
    for (const Case& k : cases) {
        TCalcButton* b = panel.FindCalcButton(k.Key);
        ASSERT_NE(b, nullptr) << static_cast<int>(k.Key);
        EXPECT_EQ(b->Kind(), k.Kind) << static_cast<int>(k.Key);
    }
    EXPECT_EQ(panel.FindCalcButton(u'x'), nullptr);
    // Typed keys press their button, which runs the engine.
    panel.Clear();
    for (char16_t k : std::u16string(u"12+3="))
        panel.CalcKeyPress(k);
    EXPECT_EQ(panel.DisplayText(), "15");
    // Captions and colours of the compact keypad.
    EXPECT_EQ(panel.ButtonOfKind(17)->Caption(), "sqrt");
    EXPECT_EQ(panel.ButtonOfKind(17)->Width(), 31);
    EXPECT_EQ(panel.ButtonOfKind(16)->Height(), 44);
    EXPECT_EQ(panel.ButtonOfKind(13)->Font()->Color(), clPurple);
    EXPECT_EQ(panel.ButtonOfKind(22)->Font()->Color(), clMaroon);
    EXPECT_EQ(panel.ButtonOfKind(1)->Tag(), 0);
    EXPECT_EQ(panel.Width(), 131);
    EXPECT_EQ(panel.Height(), 124);
}

TEST(Calculator, PopupTakesTheEditValueAndGivesTheResult) {
    TQuiet quiet;
    TForm form(nullptr);
    form.SetBounds(100, 100, 300, 200);
    auto* e = new TKxCalcEdit(&form);
    e->SetParent(&form);
    e->SetBounds(10, 10, 121, 21);
    form.Show();
    e->SetValue(1234.5L);
    e->SetFocus();
    int changes = 0;
    e->OnChange = [&](TObject*) { ++changes; };
    e->DoClick();
    ASSERT_TRUE(e->PopupVisible());
    auto* popup = static_cast<TPopupCalculator*>(e->Popup());
    EXPECT_EQ(popup->Calculator()->DisplayText(), "1234.5");
    EXPECT_EQ(popup->Calculator()->Status(), csFirst);
    EXPECT_EQ(e->PaintedText(), "1234.5");
    // Typing goes to the calculator; the first digit replaces the value shown.
    SimulateTyping(e, "2*3");
    EXPECT_EQ(popup->Calculator()->DisplayText(), "3");
    EXPECT_EQ(e->PaintedText(), "3");
    EXPECT_EQ(e->Text(), "1234.5");
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(FindFocusedControl(), e) << "the edit keeps the focus";
    SimulateTyping(e, "=");
    EXPECT_FALSE(e->PopupVisible());
    EXPECT_EQ(e->Value(), 6);
    EXPECT_EQ(e->Text(), "6");
    EXPECT_EQ(changes, 1);
    // Escape closes without taking the value.
    e->DoClick();
    SimulateTyping(e, "9");
    SimulateKey(e, VK_ESCAPE);
    EXPECT_FALSE(e->PopupVisible());
    EXPECT_EQ(e->Value(), 6);
    // Accepting "Error" gives 0 with a beep.
    e->DoClick();
    SimulateTyping(e, "1/0=");
    EXPECT_TRUE(e->PopupVisible()) << "an error does not accept";
    SimulateKey(e, VK_RETURN);
    EXPECT_TRUE(e->PopupVisible()) << "Enter is the calculator's \"=\", ignored in error";
    quiet.Beeps = 0;
    e->DoClick(); // the button closes with acceptance
    EXPECT_FALSE(e->PopupVisible());
    EXPECT_EQ(e->Value(), 0);
    EXPECT_EQ(quiet.Beeps, 1);
}
