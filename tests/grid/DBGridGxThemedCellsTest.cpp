// Fixed cells drawn with the visual theme: when the grid themes them, and the themed toolbar-button
// background in place of the classic frame, checked against the same element drawn alone.
#include "DBGridGxFixture.h"
#include "gui/Bitmap.h"
#include "gui/ClassicEdges.h"
#include "gui/ControlShot.h"

#include <gtest/gtest.h>

namespace {

class ThemedCellsTest : public DBGridTest {
protected:
    void SetUp() override {
        DBGridTest::SetUp();
        SetThemedElementsEnabled(true);
        Fill(3);
        Grid->BeginLayout();
        for (const char* n : {"F_int", "F_text"}) Grid->Columns()->AddColumn()->SetFieldName(n);
        Grid->EndLayout();
        OpenGrid();
    }
    void TearDown() override {
        SetThemedElementsEnabled(true);
        DBGridTest::TearDown();
    }
    // The pixel at (X, Y) of the themed button drawn over the 3D cell Cell on its colour.
    TColor Reference(const TRect& Cell, TColor Back, TThemedState State, int X, int Y) {
        TBitmap b(Cell.Width() + 2, Cell.Height() + 2);
        b.Canvas()->Brush()->SetColor(Back);
        b.Canvas()->FillRect(TRect(0, 0, b.Width(), b.Height()));
        DrawThemedElement(b.Canvas(), TRect(0, 0, b.Width(), b.Height()), TThemedElement::ToolButton, State);
        return b.Canvas()->Pixels(X - Cell.Left + 1, Y - Cell.Top + 1);
    }
};

} // namespace

TEST_F(ThemedCellsTest, WhenFixedCellsAreThemed) {
    struct Case {
        const char* Name;
        bool Flat, Themes;
        TDBGridGxOptions OptionsGx;
        TDBGridOptions Lines;
        bool Themed;
    } cases[] = {
        {"themed", false, true, dghFixed3D, dgColLines | dgRowLines, true},
        {"flat", true, true, dghFixed3D, dgColLines | dgRowLines, false},
        {"themes off", false, false, dghFixed3D, dgColLines | dgRowLines, false},
        {"fixed cells flat", false, true, 0, dgColLines | dgRowLines, false},
        {"no row lines", false, true, dghFixed3D, dgColLines, false},
        {"no column lines", false, true, dghFixed3D, dgRowLines, false},
    };
    for (const Case& c : cases) {
        Grid->SetFlat(c.Flat);
        SetThemedElementsEnabled(c.Themes);
        Grid->SetOptionsGx(c.OptionsGx);
        Grid->SetOptions((Grid->Options() & ~(dgColLines | dgRowLines)) | c.Lines);
        EXPECT_EQ(Grid->FixedCellsThemed(), c.Themed) << c.Name;
    }
}

TEST_F(ThemedCellsTest, TitleAndIndicatorShowTheThemedButtonInsteadOfTheFrame) {
    ASSERT_TRUE(Grid->FixedCellsThemed());
    const TColor fixed = TColor(ColorToRGB(Grid->FixedColor()));
    TBitmap shot;
    GrabControl(Grid, shot);
    const TRect title = Grid->CellScreenRect(2, 0);
    const TRect indicator = Grid->CellScreenRect(0, Grid->TitleOffset() + 1); // not the current row
    struct Probe {
        const char* Name;
        TRect Cell;
        int X, Y;
    } probes[] = {
        {"title edge", title, title.Left, title.Top + title.Height() / 2},
        {"title corner", title, title.Right - 1, title.Bottom - 1},
        {"title blank", title, title.Right - 4, title.Top + title.Height() / 2},
        {"indicator edge", indicator, indicator.Left, indicator.Top + indicator.Height() / 2},
        {"indicator middle", indicator, indicator.Left + 3, indicator.Top + indicator.Height() / 2},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(shot.Canvas()->Pixels(p.X, p.Y), Reference(p.Cell, fixed, TThemedState::Hot, p.X, p.Y)) << p.Name;

    // Unthemed, the same cell has its raised classic frame.
    SetThemedElementsEnabled(false);
    GrabControl(Grid, shot);
    EXPECT_EQ(shot.Canvas()->Pixels(title.Left, title.Top + title.Height() / 2), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(shot.Canvas()->Pixels(title.Right - 1, title.Top + title.Height() / 2), ColorToRGB(clBtnShadow));
}

TEST_F(ThemedCellsTest, ASelectedTitleShowsThePressedButton) {
    Grid->SetOptions(Grid->Options() | dgMultiSelect);
    Grid->Selection()->SelectAll();
    TBitmap shot;
    GrabControl(Grid, shot);
    const TRect title = Grid->CellScreenRect(2, 0);
    const int x = title.Right - 4, y = title.Top + title.Height() / 2;
    EXPECT_EQ(shot.Canvas()->Pixels(x, y), Reference(title, TColor(RGB(64, 64, 64)), TThemedState::Pressed, x, y));
}
