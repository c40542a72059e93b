// The base grid on a real display (Xvfb with a window manager, started by the test), its pictures
// read back from the screen and kept in ScreenshotFolder() to be looked at: scrolled to row 50
// while a column is sized, and scrolled by moving painted pixels, which must leave what a fresh
// paint of the same state shows.
#include "../app/desktop/XServer.h"
#include "../grid/GridListScene.h"

#include "gui/ControlShot.h"
#include "gui/ScreenGrab.h"
#include "gui/Screenshot.h"

namespace {

struct GridOnScreenTest : ::testing::Test {
    // The display comes up before the form, so the toolkit starts on it and not off screen.
    bool Display = XServerRunning();
    TForm form{nullptr};
    TListLikeGrid* grid = nullptr;
    void Show(int Cols) {
        grid = ShowListGrid(form, Cols);
        ASSERT_TRUE(WaitFor([this] { return form.Active(); }));
        Settle();
    }
    void SetUp() override {
        if (!Display) GTEST_SKIP() << XServerProblem();
    }
};

} // namespace

TEST_F(GridOnScreenTest, FrozenColumnFootersScrolledWhileSizing) {
    Show(9);
    CheckScrolledWhileSizing(grid, [](TControl* c, TBitmap& b) {
        if (!GrabControlFromScreen(c, b)) return false;
        SaveBitmapAsPng(b, ScreenshotFolder() + "grid_sizing.png");
        return true;
    });
}

TEST_F(GridOnScreenTest, ScrolledPixelsMatchAFreshPaint) {
    Show(20);
    struct {
        TCustomGridGx::TScrollAxis Axis;
        TScrollCode Code;
    } steps[] = {{TCustomGridGx::saVertical, scLineDown},   {TCustomGridGx::saVertical, scLineDown},
                 {TCustomGridGx::saHorizontal, scLineDown}, {TCustomGridGx::saVertical, scLineUp},
                 {TCustomGridGx::saHorizontal, scLineDown}, {TCustomGridGx::saVertical, scPageDown}};
    for (const auto& s : steps) {
        grid->ApplyScrollCommand(s.Axis, s.Code, 0, false);
        Application()->ProcessMessages();
    }
    EXPECT_EQ(grid->TopLeftCell().X, 4);
    Settle();
    TBitmap screen, fresh;
    ASSERT_TRUE(GrabControlFromScreen(grid, screen));
    GrabControl(grid, fresh);
    SaveBitmapAsPng(screen, ScreenshotFolder() + "grid_scrolled.png");
    ASSERT_EQ(screen.Width(), fresh.Width());
    ASSERT_EQ(screen.Height(), fresh.Height());
    // The cells: the corner between the scroll bars is the platform's, not the grid's.
    ASSERT_LE(grid->ClientWidth(), fresh.Width());
    ASSERT_LE(grid->ClientHeight(), fresh.Height());
    int differing = 0;
    for (int y = 0; y < grid->ClientHeight(); ++y)
        for (int x = 0; x < grid->ClientWidth(); ++x)
            if (PixelAt(screen, x, y) != PixelAt(fresh, x, y)) ++differing;
    EXPECT_EQ(differing, 0);
}
