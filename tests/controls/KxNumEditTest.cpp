// The numeric edits: the range and rounding check, the edit and display texts, key filtering,
// paste, leaving the control, and the Text write.
#include "classes/MetaProps.h"
#include "controls/KxCalc.h"
#include "controls/kxCurrEdit.h"
#include "controls/kxVclutils.h"
#include "gui/Clipbrd.h"
#include "gui/Forms.h"
#include "gui/InputSimulation.h"
#include "gui/Interaction.h"
#include "rtl/Format.h"
#include "rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// Counts the beeps of the controls library while it lives.
class TBeepCounter {
public:
    TBeepCounter() {
        SetKxBeepHook([this] { ++Count; });
    }
    ~TBeepCounter() { SetKxBeepHook(nullptr); }
    int Count = 0;
};

// A form with a calculator edit and a plain edit to move the focus to.
struct TEditForm {
    TForm Form{nullptr};
    TKxCalcEdit* Edit;
    TEdit* Other;
    TEditForm() {
        Form.SetBounds(100, 100, 300, 120);
        Edit = new TKxCalcEdit(&Form);
        Edit->SetParent(&Form);
        Edit->SetBounds(10, 10, 121, 21);
        Other = new TEdit(&Form);
        Other->SetParent(&Form);
        Other->SetBounds(10, 50, 121, 21);
        Form.Show();
    }
};

} // namespace

TEST(NumEdit, ConstrainValueRoundsAndLimits) {
    TForm form(nullptr);
    auto* e = new TKxCalcEdit(&form);
    struct Case {
        bool Round;
        int Places;
        Extended Min, Max, In, Out;
    };
    const Case cases[] = {
        // Rounding half away from zero with the bias 0.50000001 of the last place.
        {true, 2, 0, 0, 0.125L, 0.13L},
        {true, 2, 0, 0, -0.125L, -0.13L},
        {true, 2, 0, 0, 2.345L, 2.35L},
        {true, 2, 0, 0, -2.345L, -2.35L},
        {true, 2, 0, 0, 0, 0},
        {true, 0, 0, 0, 3.5L, 4},
        {true, 0, 0, 0, 3.49999L, 3},
        {true, 1, 0, 0, 0.04999L, 0},
        {true, 3, 0, 0, 1.0005L, 1.001L},
        {true, 4, 0, 0, 12.34565L, 12.3457L},
        // The bias: 0.4999999 of the last place does not round up, 0.49999999 does.
        {true, 0, 0, 0, 0.4999999L, 0},
        {true, 0, 0, 0, 0.49999999L, 1},
        {false, 2, 0, 0, 0.125L, 0.125L},
        // Min = Max: no limit.
        {false, 2, 0, 0, -5, -5},
        {false, 2, 3, 3, 100, 100},
        // Min < Max: both limits.
        {false, 2, 0, 10, 25, 10},
        {false, 2, 0, 10, -1, 0},
        {false, 2, 1900, 3000, 1850, 1900},
        // Min > Max: one-sided.
        {false, 2, 5, 0, 1, 5},
        {false, 2, 5, 0, 100, 100},
        {false, 2, 0, -5, 10, -5},
        {false, 2, 0, -5, -100, -100},
        {false, 2, 7, 3, 100, 100},
        // Huge and tiny values keep their size (no 64-bit integer in the rounding).
        {true, 2, 0, 0, 1e25L, 1e25L},
        {true, 4, 0, 0, -3e30L, -3e30L},
        {true, 2, 0, 0, 1e-9L, 0},
        {false, 2, 0, 0, 1e-300L, 1e-300L},
    };
    for (const Case& k : cases) {
        e->SetMinValue(0);
        e->SetMaxValue(0);
        e->SetDecimalPlaceRound(k.Round);
        e->SetDecimalPlaces(k.Places);
        e->SetMinValue(k.Min);
        e->SetMaxValue(k.Max);
        const Extended got = e->ConstrainValue(k.In, false);
        EXPECT_NEAR(static_cast<double>(got), static_cast<double>(k.Out),
                    std::fabs(static_cast<double>(k.Out)) * 1e-15 + 1e-15)
            << "round " << k.Round << " places " << k.Places << " min " << static_cast<double>(k.Min)
            << " max " << static_cast<double>(k.Max) << " in " << static_cast<double>(k.In);
    }
}

TEST(NumEdit, ConstrainValueRaisesTheRangeMessage) {
    TForm form(nullptr);
    auto* e = new TKxCalcEdit(&form);
    e->SetMaxValue(10);
    try {
        e->ConstrainValue(25, true);
        FAIL() << "no error";
    } catch (const ERangeError& x) {
        EXPECT_EQ(x.Message(), "Value must be between 0.00 and 10.00");
    }
    EXPECT_NO_THROW(e->ConstrainValue(5, true));
    e->SetDecimalPlaces(0);
    e->SetMinValue(1);
    try {
        e->ConstrainValue(0, true);
        FAIL() << "no error";
    } catch (const ERangeError& x) {
        EXPECT_EQ(x.Message(), "Value must be between 1 and 10");
    }
}

TEST(NumEdit, EditAndDisplayTexts) {
    TForm form(nullptr);
    auto* calc = new TKxCalcEdit(&form);
    auto* money = new TCurrencyEdit(&form);
    EXPECT_EQ(calc->DisplayFormat(), ",0.##");
    EXPECT_EQ(money->DisplayFormat(), "\xEF\xBF\xA5,0.00;-\xEF\xBF\xA5,0.00");
    struct Case {
        TCustomNumEdit* Edit;
        const char* Format; // nullptr: the default
        int Places;
        bool ZeroEmpty;
        Extended Value;
        const char* EditText;
        const char* Display;
    };
    const Case cases[] = {
        {calc, nullptr, 2, true, 1234.5L, "1234.5", "1,234.5"},
        {calc, nullptr, 2, true, -1234.567L, "-1234.57", "-1,234.57"},
        {calc, nullptr, 2, true, 0, "", "0"},
        {calc, nullptr, 2, false, 0, "0", "0"},
        {calc, nullptr, 0, true, 3.6L, "4", "3.6"},
        {calc, "", 2, true, 1234.5L, "1234.5", "1234.5"},
        {calc, "0", 0, true, 7, "7", "7"},
        {calc, "0.##", 2, true, 2.5L, "2.5", "2.5"},
        {calc, "\xEF\xBF\xA5,0.00##;-\xEF\xBF\xA5,0.00##", 4, true, 12.3456L, "12.3456",
         "\xEF\xBF\xA5"
         "12.3456"},
        {calc, "\xEF\xBF\xA5,0.00##;-\xEF\xBF\xA5,0.00##", 4, true, 1234.5L, "1234.5",
         "\xEF\xBF\xA5"
         "1,234.50"},
        {money, nullptr, 2, true, 1234.5L, "1234.5",
         "\xEF\xBF\xA5"
         "1,234.50"},
        {money, nullptr, 2, true, -3, "-3",
         "-\xEF\xBF\xA5"
         "3.00"},
        {money, nullptr, 2, true, 0, "",
         "\xEF\xBF\xA5"
         "0.00"},
    };
    for (const Case& k : cases) {
        k.Edit->SetDisplayFormat(k.Format ? String(k.Format) : k.Edit->DefaultDisplayFormat());
        k.Edit->SetDecimalPlaces(k.Places);
        k.Edit->SetZeroEmpty(k.ZeroEmpty);
        k.Edit->SetValue(k.Value);
        EXPECT_EQ(k.Edit->Text(), k.EditText) << static_cast<double>(k.Value);
        EXPECT_EQ(k.Edit->DisplayValueText(), k.Display) << static_cast<double>(k.Value);
    }
}

TEST(NumEdit, CurrencyDefaultFollowsTheFormatSettings) {
    TFormatSettings saved = FormatSettings();
    FormatSettings().CurrencyString = "kr.";
    FormatSettings().CurrencyFormat = 3;
    FormatSettings().CurrencyDecimals = 2;
    TForm form(nullptr);
    auto* money = new TCurrencyEdit(&form);
    const String expected = ",0.00 kr'.';-,0.00 kr'.'";
    const String format = money->DisplayFormat();
    money->SetValue(1234.5L);
    const String shown = money->DisplayValueText();
    FormatSettings() = saved;
    EXPECT_EQ(format, expected);
    EXPECT_EQ(shown, "1,234.50 kr.");
}

TEST(NumEdit, KeysAreFilteredBeforeTheTextChanges) {
    TBeepCounter beeps;
    TEditForm f;
    TKxCalcEdit* e = f.Edit;
    e->SetFocus();
    struct Case {
        int Places;
        Extended Min, Max;
        const char* Start; // the text, caret at its end
        const char* Typed;
        const char* Result;
        int Beeps;
    };
    const Case cases[] = {
        {2, 0, 0, "", "12.34", "12.34", 0},  {2, 0, 0, "12.34", "5", "12.34", 1}, // a third decimal
        {2, 0, 0, "12", ".5.6", "12.56", 1},                                      // one decimal separator
        {2, 0, 0, "1", ",234", "1,234", 0}, // the thousands separator stays
        {0, 0, 0, "12", ".5", "12.", 1},    // no digit after the separator
        {2, 0, 0, "", "-5", "-5", 0},       // no range: a minus is fine
        {2, 0, 10, "", "-", "-", 0},        // a lone minus passes (minus zero)
        {2, 0, 10, "", "-5", "-", 1},       // but no negative number
        {2, 0, 10, "", "25", "25", 0},      // out of range is typed, clamped later
        {2, 0, 0, "", "1a2", "12", 1},      // letters
        {2, 0, 0, "", "1e5", "15", 1},      // "1e" does not parse
        {2, 0, 0, "", "+7", "+7", 0},       // a plus sign
    };
    for (const Case& k : cases) {
        e->SetMinValue(0);
        e->SetMaxValue(0);
        e->SetDecimalPlaces(k.Places);
        e->SetMinValue(k.Min);
        e->SetMaxValue(k.Max);
        e->SetText(k.Start[0] ? String(k.Start) : String("0"));
        if (!k.Start[0]) e->Clear();
        e->SetSelStart(static_cast<int>(e->Text().size()));
        beeps.Count = 0;
        SimulateTyping(e, k.Typed);
        EXPECT_EQ(e->Text(), k.Result) << k.Start << " + " << k.Typed;
        EXPECT_EQ(beeps.Count, k.Beeps) << k.Start << " + " << k.Typed;
    }
    // Backspace is never filtered: "E5" can be left, and reads as MinValue.
    e->SetMinValue(1);
    e->SetMaxValue(100);
    e->SetText("15");
    e->SetSelStart(0);
    SimulateTyping(e, "E");
    EXPECT_EQ(e->Text(), "15") << "E first is not a number";
    EXPECT_EQ(e->CharIsAcceptable(u'E'), false);
}

// The decimals are counted up to an exponent mark, and a minus passes unless the range is
// wholly non-negative. The texts are put in as a program would, past the key filter.
TEST(NumEdit, AcceptableKeysAgainstExponentAndRange) {
    TEditForm f;
    TKxCalcEdit* e = f.Edit;
    struct Case {
        int Places;
        Extended Min, Max;
        const char* Start;
        int Caret;
        char16_t Key;
        bool Accepted;
    };
    const Case cases[] = {
        {2, 0, 0, "1.25E", 5, u'3', true},  // two decimals before the mark
        {2, 0, 0, "1.25E", 4, u'3', false}, // a third decimal before the mark
        {2, 0, 0, "1.2E5", 3, u'4', true},
        {0, 0, 0, "1.25E", 5, u'3', false}, // no decimals allowed at all
        {2, -5, 10, "", 0, u'-', true},     // the range reaches below zero
        {2, -5, 10, "-", 1, u'5', true},
        {2, 5, 0, "-", 1, u'5', true},      // only a lower limit: the key passes, the value is raised later
        {2, 0, -5, "-", 1, u'5', true},     // only an upper limit below zero
        {2, 0, 10, "-", 1, u'5', false},    // 0 to 10: no negative number
        {2, 1, 10, "", 0, u'-', true},      // a lone minus is minus zero
        {2, 1, 10, "", 0, u'+', true},
    };
    for (const Case& k : cases) {
        e->SetMinValue(0);
        e->SetMaxValue(0);
        e->SetDecimalPlaces(k.Places);
        e->SetMinValue(k.Min);
        e->SetMaxValue(k.Max);
        static_cast<TCustomEdit*>(e)->SelectAll();
        static_cast<TCustomEdit*>(e)->SetSelText(k.Start);
        e->SetSelStart(k.Caret);
        e->SetSelLength(0);
        EXPECT_EQ(e->CharIsAcceptable(k.Key), k.Accepted)
            << k.Start << " at " << k.Caret << " + " << static_cast<char>(k.Key);
    }
}

// A typed "." or "," that is not the thousands separator enters the locale's decimal separator.
TEST(NumEdit, TypedSeparatorFollowsTheLocale) {
    TFormatSettings saved = FormatSettings();
    struct Case {
        char Decimal, Thousand;
        const char* Typed;
        const char* Result;
    };
    const Case cases[] = {
        {',', ' ', "12.5", "12,5"},
        {',', ' ', "12,5", "12,5"},
        {',', '.', "1.234", "1.234"}, // the thousands separator stays as typed
        {'.', ' ', "3,25", "3.25"},
    };
    std::vector<String> got;
    {
        TEditForm f;
        TKxCalcEdit* e = f.Edit;
        e->SetFocus();
        for (const Case& k : cases) {
            FormatSettings().DecimalSeparator = k.Decimal;
            FormatSettings().ThousandSeparator = k.Thousand;
            static_cast<TCustomEdit*>(e)->SelectAll();
            static_cast<TCustomEdit*>(e)->SetSelText("");
            SimulateTyping(e, k.Typed);
            got.push_back(e->Text());
        }
    }
    FormatSettings() = saved;
    for (size_t i = 0; i < got.size(); ++i)
        EXPECT_EQ(got[i], cases[i].Result) << cases[i].Typed;
}

TEST(NumEdit, SelectionIsReplacedByTheKey) {
    TBeepCounter beeps;
    TEditForm f;
    TKxCalcEdit* e = f.Edit;
    e->SetFocus();
    e->SetText("12.34");
    e->SelectAll();
    SimulateTyping(e, "7");
    EXPECT_EQ(e->Text(), "7");
    EXPECT_EQ(beeps.Count, 0);
}

TEST(NumEdit, ValueReadsTheEditText) {
    TEditForm f;
    TKxCalcEdit* e = f.Edit;
    e->SetMaxValue(10);
    e->SetFocus();
    e->SelectAll();
    SimulateTyping(e, "25");
    EXPECT_EQ(e->Text(), "25");
    EXPECT_EQ(e->Value(), 10) << "clamped on read; the box keeps what was typed";
    EXPECT_EQ(e->Text(), "25");
    // Leaving without CheckOnExit clamps silently.
    f.Other->SetFocus();
    EXPECT_EQ(e->Text(), "10");
    EXPECT_EQ(e->DisplayValueText(), "10");
}

TEST(NumEdit, UnparsableTextReadsAsMinValue) {
    TEditForm f;
    TKxCalcEdit* e = f.Edit;
    e->SetMinValue(3);
    e->SetMaxValue(9);
    e->SetFocus();
    e->SetSelStart(0);
    // Bypass the key filter as a program would: the platform edit's own text.
    static_cast<TCustomEdit*>(e)->SelectAll();
    e->SetSelText("E5");
    EXPECT_EQ(e->Value(), 3);
    EXPECT_EQ(e->Text(), "E5");
}

TEST(NumEdit, LeavingWithBadTextKeepsTheFocus) {
    TScriptedResponder user;
    TInteractionScope scope(user);
    TEditForm f;
    TKxCalcEdit* e = f.Edit;
    e->SetMaxValue(10);
    e->SetCheckOnExit(true);
    int exits = 0;
    e->OnExit = [&](TObject*) { ++exits; };
    e->SetFocus();
    e->SelectAll();
    SimulateTyping(e, "25");
    try {
        f.Other->SetFocus();
        FAIL() << "left with an out-of-range value";
    } catch (const ERangeError& x) {
        EXPECT_EQ(x.Message(), "Value must be between 0.00 and 10.00");
    }
    EXPECT_EQ(f.Form.ActiveControl(), e);
    EXPECT_EQ(e->SelText(), "25");
    EXPECT_EQ(exits, 0);
    // Unparsable text fails the exit with or without CheckOnExit.
    e->SetCheckOnExit(false);
    e->SetSelText("-");
    EXPECT_NO_THROW(f.Other->SetFocus()) << "a lone minus reads as zero";
    EXPECT_EQ(exits, 1);
    e->SetFocus();
    e->SelectAll();
    e->SetSelText("1e");
    EXPECT_THROW(f.Other->SetFocus(), EConvertError);
    EXPECT_EQ(f.Form.ActiveControl(), e);
    EXPECT_EQ(e->SelText(), "1e");
    EXPECT_EQ(exits, 1);
}

TEST(NumEdit, TextWriteParsesOrRaisesChangingNothing) {
    TForm form(nullptr);
    auto* e = new TKxCalcEdit(&form);
    int changes = 0;
    e->OnChange = [&](TObject*) { ++changes; };
    e->SetText("1,234.5");
    EXPECT_EQ(e->Value(), 1234.5L);
    EXPECT_EQ(e->Text(), "1234.5");
    EXPECT_EQ(changes, 1);
    EXPECT_THROW(e->SetText("abc"), EConvertError);
    EXPECT_EQ(e->Value(), 1234.5L);
    EXPECT_EQ(e->Text(), "1234.5");
    EXPECT_EQ(changes, 1);
    e->Clear();
    EXPECT_EQ(e->Value(), 0);
    EXPECT_EQ(e->Text(), "");
    e->SetValue(5);
    EXPECT_EQ(changes, 3);
    e->SetValue(5);
    EXPECT_EQ(changes, 3) << "the same edit text: no change";
}

TEST(NumEdit, PasteOfABadTextRestoresTheOldText) {
    TBeepCounter beeps;
    TEditForm f;
    TKxCalcEdit* e = f.Edit;
    e->SetFocus();
    e->SetText("12");
    e->SetSelStart(2);
    Clipboard()->SetAsText("abc");
    e->PasteText();
    EXPECT_EQ(e->Text(), "12");
    EXPECT_EQ(e->SelText(), "12");
    EXPECT_EQ(beeps.Count, 1);
    Clipboard()->SetAsText("3.5");
    e->SetSelStart(2);
    e->PasteText();
    EXPECT_EQ(e->Text(), "123.5");
    EXPECT_EQ(e->Value(), 123.5L);
    // The paste keys take the same road.
    Clipboard()->SetAsText("x");
    e->SetSelStart(0);
    SimulateKey(e, 'V', TShiftState{ssCtrl});
    EXPECT_EQ(e->Text(), "123.5");
    EXPECT_EQ(beeps.Count, 2);
    // Read-only: nothing is pasted.
    e->SetReadOnly(true);
    Clipboard()->SetAsText("9");
    e->PasteText();
    EXPECT_EQ(e->Text(), "123.5");
}

TEST(NumEdit, FocusShowsEditTextAndLeavingShowsTheDisplay) {
    TEditForm f;
    TKxCalcEdit* e = f.Edit;
    int changes = 0;
    e->OnChange = [&](TObject*) { ++changes; };
    e->SetValue(0);
    changes = 0;
    EXPECT_EQ(e->PaintedText(), "0");
    e->SetFocus();
    EXPECT_EQ(e->Text(), "") << "zero is empty while editing";
    e->SetValue(1234.5L);
    f.Other->SetFocus();
    EXPECT_EQ(e->PaintedText(), "1,234.5");
    e->SetFocus();
    EXPECT_EQ(e->Text(), "1234.5");
    EXPECT_EQ(e->SelText(), "1234.5");
    EXPECT_EQ(changes, 1) << "only the Value write fires OnChange";
}

TEST(NumEdit, StripFormattingAndThousandSeparators) {
    struct Case {
        char Decimal, Thousand;
        const char* In;
        const char* Stripped;
    };
    const Case cases[] = {
        {'.', ',', " 1,234.5 ", "1234.5"},
        {'.', ',', "", "0"},
        {'.', ',', "-", "-0"},
        {',', ' ', "1.5", "1,5"},
        {',', '.', "1.234,5", "1234,5"},
        {'.', ',', "\t1", "\t1"},
    };
    TFormatSettings saved = FormatSettings();
    for (const Case& k : cases) {
        FormatSettings().DecimalSeparator = k.Decimal;
        FormatSettings().ThousandSeparator = k.Thousand;
        EXPECT_EQ(TCustomNumEdit::StripFormatting(k.In), k.Stripped) << k.In;
    }
    FormatSettings() = saved;
    EXPECT_EQ(TCustomNumEdit::InsertThousandSeparators("-1234567.891", true), "-1,234,567.891");
    EXPECT_EQ(TCustomNumEdit::InsertThousandSeparators("123", true), "123");
    EXPECT_EQ(TCustomNumEdit::InsertThousandSeparators("1234E5", true), "1,234E5");
    EXPECT_EQ(TCustomNumEdit::InsertThousandSeparators("1234", false), "1234");
}

TEST(NumEdit, DecimalCommaLocaleReadsGroupedText) {
    TFormatSettings saved = FormatSettings();
    FormatSettings().DecimalSeparator = ',';
    FormatSettings().ThousandSeparator = '.';
    Extended v = 0;
    {
        TForm form(nullptr);
        auto* e = new TKxCalcEdit(&form);
        static_cast<TCustomEdit*>(e)->SetSelText("1.234,5");
        v = e->Value();
    }
    FormatSettings() = saved;
    EXPECT_EQ(v, 1234.5L);
}

TEST(NumEdit, PublishedPropertiesThroughReflection) {
    TForm form(nullptr);
    auto* e = new TKxCalcEdit(&form);
    SetFloatProp(e, "Value", 12.5L);
    EXPECT_EQ(e->Value(), 12.5L);
    SetOrdProp(e, "DecimalPlaces", 0);
    EXPECT_EQ(e->Text(), "13");
    EXPECT_EQ(GetStrProp(e, "DisplayFormat"), ",0.##");
    EXPECT_EQ(GetEnumProp(e, "Alignment"), "taRightJustify");
    EXPECT_EQ(GetOrdProp(e, "ButtonWidth"), 21);
    EXPECT_EQ(GetOrdProp(e, "ClickKey"), 32808);
}

TEST(NumEdit, FormatOnEditingGroupsWhileTyping) {
    TEditForm f;
    TKxCalcEdit* e = f.Edit;
    e->SetFormatOnEditing(true);
    e->SetFocus();
    SimulateTyping(e, "1234567.5");
    EXPECT_EQ(e->Text(), "1,234,567.5");
    EXPECT_EQ(e->SelStart(), static_cast<int>(e->Text().size()))
        << "the caret keeps its distance from the end";
    EXPECT_EQ(e->Value(), 1234567.5L);
    // Without a "," in the display format the digits stay ungrouped.
    e->SetDisplayFormat("0.##");
    e->SelectAll();
    SimulateTyping(e, "98765");
    EXPECT_EQ(e->Text(), "98765");
    // Off: the text is rebuilt from the value.
    e->SetDisplayFormat(",0.##");
    e->SelectAll();
    SimulateTyping(e, "4321");
    EXPECT_EQ(e->Text(), "4,321");
    e->SetFormatOnEditing(false);
    EXPECT_EQ(e->Text(), "4321");
}

TEST(NumEdit, EscapeRestoresTheValueText) {
    TEditForm f;
    TKxCalcEdit* e = f.Edit;
    e->SetValue(5);
    e->SetFocus();
    e->SetSelStart(1);
    SimulateTyping(e, "9");
    EXPECT_EQ(e->Text(), "59");
    SimulateKey(e, VK_ESCAPE);
    EXPECT_EQ(e->Text(), "5");
    EXPECT_EQ(e->SelText(), "5");
}

// BeepOnError covers the edit's refused keys and failed pastes and reaches its calculator.
TEST(NumEdit, BeepOnErrorReachesTheCalculator) {
    SetKxPressPause([](int) {});
    TBeepCounter beeps;
    TEditForm f;
    TKxCalcEdit* e = f.Edit;
    e->SetFocus();
    for (bool beep : {true, false}) {
        e->SetBeepOnError(beep);
        beeps.Count = 0;
        e->Clear();
        SimulateTyping(e, "x");
        Clipboard()->SetAsText("abc");
        e->PasteText();
        e->DoClick();
        ASSERT_TRUE(e->PopupVisible());
        SimulateTyping(e, "1/0=");
        EXPECT_EQ(static_cast<TPopupCalculator*>(e->Popup())->Calculator()->Precision(), 15);
        SimulateKey(e, VK_ESCAPE); // the closing popup reads its value: "Error" beeps once more
        EXPECT_EQ(beeps.Count, beep ? 4 : 0) << "key, paste, 1/0 and the read of Error";
    }
    SetKxPressPause(nullptr);
}
