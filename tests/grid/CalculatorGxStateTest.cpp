// The calculator's keys as a state machine.
#include "grid/CalculatorGxState.h"
#include "rtl/SysUtils.h"

#include <gtest/gtest.h>

namespace {

// Presses the keys of a text; "\r" is Enter, "~" backspace.
TCalculatorStateGx Keys(const std::string& keys) {
    TCalculatorStateGx c;
    for (char k : keys)
        c.HandleKey(k == '~' ? char(8) : k);
    return c;
}

TEST(CalculatorStateTest, Sequences) {
    struct Case {
        const char* Keys;
        const char* Display;
        const char* Equal;
    } cases[] = {
        {"2+3", "3", "="},
        {"2+3=", "5", "Ok"},
        {"0-5", "5", "="}, // an operator waits after a first operand of 0 too
        {"0-5\r", "-5", "Ok"},
        {"200*5%", "10", "Ok"},
        {"200+5%", "210", "Ok"},
        {"200-5%", "190", "Ok"},
        {"2+*3=", "6", "Ok"}, // a second operator replaces the first
        {"3r", "0.333333333333333", "Ok"},
        {"4s", "2", "Ok"},
        {"5i", "-5", "Ok"},
        {"-5", "5", "="},
        {"-5\r", "-5", "Ok"},
        {"5i~", "0", "Ok"},
        {"12~", "1", "Ok"},
        {"1.5.2", "1.52", "Ok"},
        {",5", "0.5", "Ok"},
        {"1234567890123456789", "123456789012345", "Ok"},
        {"5i1234567890123456", "-512345678901234", "Ok"},
        {"7/2=", "3.5", "Ok"},
        {"9c", "0", "Ok"},
    };
    for (const Case& c : cases) {
        TCalculatorStateGx calc = Keys(c.Keys);
        EXPECT_EQ(calc.DisplayText(), c.Display) << c.Keys;
        EXPECT_EQ(calc.EqualKeyCaption(), c.Equal) << c.Keys;
    }
}

TEST(CalculatorStateTest, ErrorsLeaveOnlyC) {
    for (const char* keys : {"0r", "4is", "5/0="}) {
        TCalculatorStateGx calc = Keys(keys);
        EXPECT_EQ(calc.DisplayText(), "Error") << keys;
        EXPECT_EQ(calc.EntryState(), esError);
        EXPECT_EQ(calc.DisplayValue(), 0);
        for (char k : std::string("123+=\ri~s"))
            calc.HandleKey(k);
        EXPECT_EQ(calc.DisplayText(), "Error");
        calc.HandleKey('c');
        EXPECT_EQ(calc.DisplayText(), "0");
        EXPECT_EQ(calc.EntryState(), esReady);
    }
}

TEST(CalculatorStateTest, AResultThatIsNotFiniteShowsError) {
    TCalculatorStateGx calc;
    calc.ShowValue(1e300);
    calc.HandleKey('*');
    calc.HandleKey('1');
    calc.PutDisplayText("1e300");
    calc.HandleKey('=');
    EXPECT_EQ(calc.DisplayText(), "Error");
    EXPECT_EQ(calc.EntryState(), esError);
}

TEST(CalculatorStateTest, AnExponentDisplayTakesNoMoreDigitsAndPasteReadsANumber) {
    TCalculatorStateGx calc;
    calc.HandleKey('1');
    calc.PutDisplayText("1E20");
    calc.HandleKey('5');
    EXPECT_EQ(calc.DisplayText(), "1E20");
    String copied;
    calc.CopyHook = [&](const String& t) { copied = t; };
    calc.HandleKey(3);
    EXPECT_EQ(copied, "1E20");
    calc.PasteHook = [](String& t) {
        t = " 12.5 ";
        return true;
    };
    calc.HandleKey(22);
    EXPECT_EQ(calc.DisplayText(), "12.5");
    calc.PasteHook = [](String& t) {
        t = "abc";
        return true;
    };
    EXPECT_THROW(calc.HandleKey(22), Exception);
}

} // namespace
