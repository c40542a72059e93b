// The keypad calculator control and its drop-down: keys laid out from the table, clicks and
// typed keys, closing and the value handed back.
#include "grid/CalculatorGx.h"
#include "TempDir.h"
#include "grid/ToolCtrlsGxDropDown.h"
#include "gui/Bitmap.h"
#include "gui/ControlShot.h"
#include "gui/Forms.h"
#include "gui/Geometry.h"
#include "gui/InputSimulation.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(CalculatorControlTest, TheKeysAndTheirClicks) {
    TForm form(nullptr);
    TCalculatorGx calc(&form);
    calc.SetParent(&form);
    EXPECT_EQ(calc.Width(), 184);
    EXPECT_EQ(calc.Height(), 127);
    int keys = 0;
    for (int i = 0; i < calc.ComponentCount(); ++i)
        keys += dynamic_cast<TSpeedButtonGx*>(calc.Components(i)) != nullptr;
    EXPECT_EQ(keys, 22);
    TSpeedButtonGx* c = calc.Key("SpeedButton23");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Height(), 46);
    EXPECT_EQ(c->Caption(), "C");
    EXPECT_EQ(calc.Key("spEqual")->Width(), 56);
    EXPECT_EQ(KeyCharOfTag(18), '\b');
    EXPECT_EQ(KeyCharOfTag(12), 'A');

    for (const char* name : {"SpeedButton6", "SpeedButton13", "SpeedButton5"})
        SimulateClick(calc.Key(name), 5, 5);
    EXPECT_EQ(calc.TextBox()->Caption(), "3");
    EXPECT_EQ(calc.Key("spEqual")->Caption(), "=");
    SimulateClick(calc.Key("spEqual"), 5, 5);
    EXPECT_EQ(calc.TextBox()->Caption(), "5");
    EXPECT_EQ(calc.Key("spEqual")->Caption(), "Ok");
    SimulateTyping(&calc, "1/0=");
    EXPECT_EQ(calc.TextBox()->Caption(), "Error");
    SimulateKey(&calc, VK_DELETE);
    EXPECT_EQ(calc.TextBox()->Caption(), "0");
}

TEST(CalculatorControlTest, ScalesWithTheScreensResolutionFromItsDesign) {
    TForm form(nullptr);
    TCalculatorGx calc(&form);
    calc.SetParent(&form);
    for (int ppi : {144, 120, 96}) {
        SCOPED_TRACE(ppi);
        calc.ScaleToScreen(ppi);
        EXPECT_EQ(calc.Font()->Height(), MulDiv(CalculatorDesignFontHeight, ppi, 96));
        EXPECT_EQ(calc.Key("SpeedButton1")->Font()->Height(), calc.Font()->Height());
        const int h = calc.DigitTextHeight(), design = calc.DesignDigitTextHeight();
        auto scaled = [=](int v) { return h == design ? v : MulDiv(v, h, design); };
        if (ppi > 96) {
            EXPECT_GT(h, design);
        }
        EXPECT_EQ(calc.ClientWidth(), scaled(184));
        EXPECT_EQ(calc.ClientHeight(), scaled(127));
        TSpeedButtonGx* c = calc.Key("SpeedButton23"); // the "C" key, two rows high
        EXPECT_EQ(c->Left(), scaled(151));
        EXPECT_EQ(c->Height(), scaled(46));
        EXPECT_EQ(calc.Key("spEqual")->Width(), scaled(56));
    }
    EXPECT_EQ(calc.ClientWidth(), 184); // back at the design's resolution: the design's size
}

TEST(CalculatorControlTest, TheDropDownClosesAndHandsBackItsValue) {
    TForm form(nullptr);
    TPopupCalculatorGx calc(&form);
    calc.SetParent(&form);
    std::vector<bool> closes;
    calc.CloseDropDown = [&](bool accept) { closes.push_back(accept); };
    calc.SetPopupValue(Variant(0));
    for (char k : std::string("0-5"))
        calc.ForwardKey(k);
    EXPECT_FALSE(calc.CanCloseOnEnter());
    calc.ForwardKey('\r'); // completes the subtraction instead of closing
    EXPECT_TRUE(closes.empty());
    EXPECT_EQ(calc.GetPopupValue().AsDouble(), -5);
    calc.ForwardKey('\r');
    EXPECT_EQ(closes, (std::vector<bool>{true}));
    calc.ForwardKey(27);
    calc.Perform(DropDownCloseMessage, 0, 0);
    EXPECT_EQ(closes, (std::vector<bool>{true, false, false}));
    calc.ForwardKey('r');
    calc.SetPopupValue(Variant(0));
    calc.ForwardKey('r');
    EXPECT_EQ(VarType(calc.GetPopupValue()), varError);
    calc.SetPopupValue(Variant(2.5));
    EXPECT_EQ(calc.TextBox()->Caption(), "2.5");
}

TEST(CalculatorControlTest, APictureOfTheDropDown) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 140);
    TPopupCalculatorGx calc(&form);
    calc.SetParent(&form);
    for (char k : std::string("12.5*4"))
        calc.ForwardKey(k);
    TBitmap shot;
    GrabControl(&calc, shot);
    EXPECT_EQ(shot.Width(), 184);
    EXPECT_EQ(shot.Height(), 127);
    // Keep a picture for a look by eye when asked to.
    if (const char* dir = std::getenv("ORV_SHOT_DIR"))
        SaveControlAsPng(&calc, String(dir) + "/calculator.png");
}

} // namespace
