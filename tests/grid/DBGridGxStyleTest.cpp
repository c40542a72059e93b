// The shared style's colours, the busy cursor and the indicator-title menu.
#include "DBGridGxFixture.h"
#include "gui/Clipbrd.h"

#include "grid/DBGridGxStyle.h"
#include "gui/ScreenColors.h"

TEST(DBGridGxStyle, TintTowards) {
    struct {
        TColor c, g;
        bool ungray;
        int want;
    } cases[] = {{clWhite, clWhite, false, 237}, {clWhite, clWhite, true, 255}, {clBlack, clBlack, false, 135},
                 {clBlack, clBlack, true, 138}};
    for (auto& c : cases)
        EXPECT_EQ(TDBGridGxStyle::TintTowards(c.c, c.g, c.ungray), static_cast<TColor>(RGB(c.want, c.want, c.want)))
            << c.want;
}

TEST(DBGridGxStyle, PaletteScreenTakesPlainColours) {
    TDBGridGxStyle style;
    EXPECT_EQ(style.ScreenColorCount(), -1);
    EXPECT_EQ(style.SelectionColor(clWhite, true), TDBGridGxStyle::TintTowards(clWhite, clHighlight, true));
    SetScreenColorCountOverride(256);
    style.RefreshScreenColors();
    EXPECT_EQ(style.SelectionColor(clWhite, true), clHighlight);
    EXPECT_EQ(style.SelectionColor(clWhite, false), clBtnFace);
    SetScreenColorCountOverride(0);
    style.RefreshScreenColors();
    EXPECT_EQ(style.ScreenColorCount(), -1);
}

TEST(DBGridGxStyle, NestedBusyCursor) {
    Screen()->SetCursor(crDefault);
    BeginBusyCursor();
    BeginBusyCursor();
    EndBusyCursor();
    EXPECT_EQ(Screen()->Cursor(), crHourGlass);
    EndBusyCursor();
    EXPECT_EQ(Screen()->Cursor(), crDefault);
    EndBusyCursor();
    EXPECT_EQ(BusyCursorCount(), 0);
    EXPECT_EQ(Screen()->Cursor(), crDefault);
}

TEST_F(DBGridTest, IndicatorMenuFollowsItsItems) {
    Fill(2);
    OpenGrid();
    Grid->EditActions = 0x1F;
    Grid->Selection()->SelectAll(); // copying, cutting and deleting act on a selection
    Clipboard()->SetAsText("x");    // pasting needs something to paste
    TDBGridGxCenter* center = Grid->Center();
    auto captions = [&] {
        std::vector<String> out;
        TPopupMenu* m = nullptr;
        center->BuildIndicatorMenu(Grid, m);
        for (int i = 0; i < m->Items()->Count(); ++i)
            out.push_back(m->Items()->Items(i)->Caption() + (m->Items()->Items(i)->Enabled() ? "" : "-off"));
        return out;
    };
    EXPECT_EQ(captions(), (std::vector<String>{"Visible columns", "Cut", "Copy", "Paste", "Delete", "Select All"}));
    TPopupMenu* m = nullptr;
    center->BuildIndicatorMenu(Grid, m);
    EXPECT_EQ(m->Items()->Items(0)->Count(), 3); // one entry per captioned column
    center->IndicatorMenuItems = imiCopyGx | imiDeleteGx;
    Grid->SetReadOnly(true);
    EXPECT_EQ(captions(), (std::vector<String>{"Copy", "Delete-off"}));
    center->IndicatorMenuItems = 63;
}
