// The border of a flat grid with a single border: a sunken one-pixel edge around the whole grid,
// and none otherwise.
#include "DBGridGxFixture.h"
#include "gui/Bitmap.h"
#include "gui/ClassicEdges.h"
#include "gui/ControlShot.h"

#include <gtest/gtest.h>

namespace {

class FlatBorderTest : public UnthemedGridTest {
protected:
    void SetUp() override {
        UnthemedGridTest::SetUp();
        Fill(3);
        OpenGrid();
    }
    bool Bordered() {
        TBitmap shot;
        GrabControl(Grid, shot);
        const int w = Grid->Width(), h = Grid->Height();
        const TColor dark = TColor(ColorToRGB(clBtnShadow)), light = TColor(ColorToRGB(clBtnHighlight));
        const bool edge = shot.Canvas()->Pixels(0, h / 2) == dark && shot.Canvas()->Pixels(w / 2, 0) == dark &&
                          shot.Canvas()->Pixels(w - 1, h / 2) == light &&
                          shot.Canvas()->Pixels(w / 2, h - 1) == light;
        // Inside the ring the grid shows itself: the indicator's own edge, a data cell.
        if (edge) {
            EXPECT_NE(shot.Canvas()->Pixels(1, h / 2), dark);
            EXPECT_NE(shot.Canvas()->Pixels(w - 2, h / 2), light);
        }
        return edge;
    }
};

} // namespace

TEST_F(FlatBorderTest, OnlyAFlatSingleBorderedGridHasTheEdge) {
    struct Case {
        bool Flat;
        TBorderStyle Style;
        bool Bordered;
    } cases[] = {{true, bsSingle, true}, {false, bsSingle, false}, {true, bsNone, false}, {true, bsSingle, true}};
    for (const Case& c : cases) {
        Grid->SetFlat(c.Flat);
        Grid->SetBorderStyle(c.Style);
        EXPECT_EQ(Bordered(), c.Bordered) << c.Flat << " " << c.Style;
    }
}

TEST_F(FlatBorderTest, TheEdgeFollowsTheGridsSize) {
    Grid->SetFlat(true);
    Grid->SetBounds(0, 0, 420, 260);
    EXPECT_TRUE(Bordered());
    Grid->SetBounds(0, 0, 300, 200);
    EXPECT_TRUE(Bordered());
}
