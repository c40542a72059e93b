// Hints per point: a control whose pause is 0 shows the hint of the part under the pointer at
// once, keeps it while the pointer stays in that part and hides it when the pointer leaves.
#include "gui/Forms.h"
#include "gui/HintWindow.h"
#include "gui/InputSimulation.h"

#include <gtest/gtest.h>

TEST(HintPause, AZeroPauseShowsThePartsHintAtOnce) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* c = new TCustomControl(&form);
    c->SetParent(&form);
    c->SetBounds(0, 0, 200, 100);
    form.Show();
    // The left half has a hint of its own and no pause; the right half waits as usual.
    int asked = 0;
    SetControlHintQuery(c, [&](TControl*, THintInfo& Info) {
        ++asked;
        Info.Show = Info.CursorPos.X < 100;
        Info.HintStr = "left";
        Info.CursorRect = Rect(0, 0, 100, 100);
        Info.HintPos = TPoint(7, 9);
    });
    SetControlHintPauseQuery(c, [](TControl*, const TPoint& P) { return P.X < 100 ? 0 : 500; });
    SimulateMouseMove(c, 150, 50);
    EXPECT_EQ(ShownHintWindow(), nullptr);
    EXPECT_EQ(asked, 0);
    SimulateMouseMove(c, 50, 50);
    EXPECT_EQ(asked, 1);
    THintWindow* shown = ShownHintWindow();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->HintText(), "left");
    EXPECT_EQ(shown->Left(), 7);
    EXPECT_EQ(shown->Top(), 9);
    SimulateMouseMove(c, 60, 40); // still in the part: the same hint stays
    EXPECT_EQ(ShownHintWindow(), shown);
    EXPECT_EQ(asked, 1);
    SimulateMouseMove(c, 150, 40);
    EXPECT_EQ(ShownHintWindow(), nullptr);
    // Moves with a button held show nothing.
    SimulateMouseMove(c, 50, 50, TShiftState{ssLeft});
    EXPECT_EQ(ShownHintWindow(), nullptr);
    SetControlHintPauseQuery(c, {});
    SimulateMouseMove(c, 40, 50);
    EXPECT_EQ(ShownHintWindow(), nullptr);
    HideControlHint();
}
