// A grid as the user sees it: 200 rows, a frozen column, two footer rows, scrolled to row 50 while a
// column's line is being dragged, drawn offscreen and checked at the line positions the layout
// computes. The same picture taken from a real display is in tests/grid_desktop.
#include "GridListScene.h"

#include "gui/ControlShot.h"

TEST(GridScreenshot, FrozenColumnFootersScrolledWhileSizing) {
    TForm form(nullptr);
    CheckScrolledWhileSizing(ShowListGrid(form, 9), [](TControl* c, TBitmap& b) {
        GrabControl(c, b);
        return true;
    });
}
