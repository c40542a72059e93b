// The 3D edge of a cell: the whole frame, or only the sides asked for, raised or sunken; a flat
// grid's cells show their top and left edges with bottom and right in the cell's colour.
#include "DBGridGxFixture.h"
#include "gui/Bitmap.h"
#include "gui/ClassicEdges.h"
#include "gui/ControlShot.h"

#include <gtest/gtest.h>

namespace {

class CellEdgeTest : public UnthemedGridTest {
protected:
    // Draws the edge inside a data cell filled with the test's colour while the grid paints it, and
    // answers the colours at the middles of its left, top, right and bottom sides.
    std::vector<TColor> Edge(bool Flat, bool Sunken, bool Left, bool Right) {
        Grid->SetFlat(Flat);
        TRect r;
        Grid->OnDrawColumnCell = [&](TObject*, const TRect& R, int DataCol, TColumnGx*, TGridDrawState) {
            if (DataCol != 1 || !IsRectEmpty(r)) return;
            r = R;
            InflateRect(r, -3, -3);
            Grid->Canvas()->Brush()->SetColor(Back);
            Grid->Canvas()->FillRect(r);
            Grid->DrawCellEdge(r, Sunken, Left, Right);
        };
        TBitmap shot;
        GrabControl(Grid, shot);
        Grid->OnDrawColumnCell = nullptr;
        const int mx = (r.Left + r.Right) / 2, my = (r.Top + r.Bottom) / 2;
        auto at = [&](int X, int Y) { return shot.Canvas()->Pixels(X, Y); };
        return {at(r.Left, my), at(mx, r.Top), at(r.Right - 1, my), at(mx, r.Bottom - 1)};
    }
    const TColor Back = TColor(RGB(10, 200, 10));
};

} // namespace

TEST_F(CellEdgeTest, SidesAndLooks) {
    Fill(2);
    OpenGrid();
    // Raised: highlight over shadow; sunken: the dark shadow over the light face.
    const TColor hi = TColor(ColorToRGB(clBtnHighlight)), sh = TColor(ColorToRGB(clBtnShadow));
    const TColor dk = TColor(ColorToRGB(cl3DDkShadow)), lt = TColor(ColorToRGB(cl3DLight));
    const TColor back = Back;
    struct Case {
        const char* Name;
        bool Flat, Sunken, Left, Right;
        std::vector<TColor> Colours; // left, top, right, bottom
    } cases[] = {
        {"raised frame", false, false, true, true, {hi, hi, sh, sh}},
        {"sunken frame", false, true, true, true, {dk, dk, lt, lt}},
        {"no left side", false, false, false, true, {back, hi, sh, sh}},
        {"no right side", false, false, true, false, {hi, hi, back, sh}},
        {"flat", true, false, true, true, {hi, hi, back, back}},
        {"flat sunken without left", true, true, false, true, {back, dk, back, back}},
    };
    for (const Case& c : cases) EXPECT_EQ(Edge(c.Flat, c.Sunken, c.Left, c.Right), c.Colours) << c.Name;
}
