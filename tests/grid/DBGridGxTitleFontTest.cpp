// The title's own font: it follows the grid's TitleFont until it is set or changed, goes back to it
// with ResetToDefaults, is copied by Assign only when own, and sets the title row's height and the
// title tree's measuring.
#include "DBGridGxFixture.h"
#include "classes/MetaProps.h"
#include "grid/DBGridGxText.h"
#include "gui/Bitmap.h"

#include <gtest/gtest.h>

namespace {

class TitleFontTest : public DBGridTest {
protected:
    // Columns without fields, 60 pixels wide, with the captions given.
    void Columns(std::vector<String> Captions, bool MultiTitle) {
        Grid->BeginLayout();
        for (const String& caption : Captions) {
            TColumnGx* c = Grid->Columns()->AddColumn();
            c->Title()->SetCaption(caption);
            c->SetWidth(60);
        }
        Grid->SetUseMultiTitle(MultiTitle);
        Grid->EndLayout();
    }
    TColumnTitleGx* Title(int I) { return Grid->Columns()->ColumnAt(I)->Title(); }
    // The height of a caption word-wrapped into Width in Font, as the tree measures it.
    static int TextHeight(TFont* Font, const String& Text, int Width) {
        TBitmap b(10, 10);
        b.Canvas()->Font()->Assign(*Font);
        TRect r(0, 0, Width, 0);
        return b.Canvas()->DrawText(Text, r, CellTextAlignFlags[taLeftJustify] | DT_WORDBREAK | DT_CALCRECT);
    }
    std::unique_ptr<TFont> Big() {
        auto f = std::make_unique<TFont>();
        f->Assign(*Grid->TitleFont());
        f->SetHeight(-40);
        return f;
    }
};

} // namespace

TEST_F(TitleFontTest, FollowsTitleFontUntilOwn) {
    Columns({"A", "B"}, false);
    TColumnTitleGx* t = Title(0);
    const meta::TPropInfo* prop = t->ClassInfo()->FindProperty("Font");
    ASSERT_NE(prop, nullptr);
    EXPECT_TRUE(t->Font()->SameAs(*Grid->TitleFont()));
    EXPECT_FALSE(IsStoredProp(t, *prop));
    Grid->TitleFont()->SetHeight(-17);
    EXPECT_EQ(t->Font()->Height(), -17) << "an unset font follows TitleFont";
    EXPECT_FALSE(Grid->Columns()->ColumnAt(0)->Flagged(cvTitleFont));

    // Changing the font object makes it the title's own.
    t->Font()->SetColor(clRed);
    EXPECT_TRUE(Grid->Columns()->ColumnAt(0)->Flagged(cvTitleFont));
    EXPECT_TRUE(IsStoredProp(t, *prop));
    Grid->TitleFont()->SetHeight(-13);
    EXPECT_EQ(t->Font()->Height(), -17);
    EXPECT_EQ(t->Font()->Color(), clRed);

    // Assign copies an own font only.
    Title(1)->Assign(t);
    EXPECT_EQ(Title(1)->Font()->Color(), clRed);
    EXPECT_TRUE(Grid->Columns()->ColumnAt(1)->Flagged(cvTitleFont));
    t->ResetToDefaults();
    EXPECT_TRUE(t->Font()->SameAs(*Grid->TitleFont())) << "back to TitleFont";
    TFont set;
    set.Assign(*Grid->TitleFont());
    set.SetStyle(TFontStyles{fsBold});
    Title(1)->SetFont(&set);
    Title(1)->Assign(t);
    EXPECT_TRUE(Title(1)->Font()->Style().Contains(fsBold)) << "a default font is not copied";
}

TEST_F(TitleFontTest, WithoutGridTheTitleFollowsTheColumnFont) {
    TDBGridColumnsGx loose(nullptr);
    TColumnGx* c = loose.AddColumn();
    c->Font()->SetHeight(-21);
    EXPECT_EQ(c->Title()->Font()->Height(), -21);
}

TEST_F(TitleFontTest, TheTallestTitleFontSetsTheTitleRow) {
    Columns({"A", "B"}, false);
    const int small = Grid->RowHeightAt(0);
    std::unique_ptr<TFont> big = Big();
    Title(1)->SetFont(big.get());
    EXPECT_EQ(Grid->RowHeightAt(0), Grid->MeasureTextHeight(big.get(), "Wg") + Grid->Interlinear());
    EXPECT_GT(Grid->RowHeightAt(0), small);
    // Title lines count in the tallest title font.
    Grid->SetTitleLines(2);
    const TTextMetric tm = Grid->MeasureMetrics(big.get());
    EXPECT_EQ(Grid->RowHeightAt(0), 2 * tm.tmHeight + tm.tmExternalLeading + 2 + 1);
}

TEST_F(TitleFontTest, LeavesMeasureInTheirTitleFontHeadersInTitleFont) {
    const int margin = Grid->VTitleMargin();
    std::unique_ptr<TFont> big = Big();
    TFont* normal = Grid->TitleFont();
    struct Case {
        const char* Name;
        int BigColumn;
        int Height;
    } cases[] = {
        {"a full-height leaf", 1, TextHeight(big.get(), "Owner", 56) + margin},
        {"a leaf under a header", 0,
         TextHeight(normal, "Fee", 56) + margin + TextHeight(big.get(), "Amount", 56) + margin},
    };
    for (const Case& c : cases) {
        Grid->Columns()->Clear();
        Columns({"Fee|Amount", "Owner"}, true);
        Title(c.BigColumn)->SetFont(big.get());
        EXPECT_EQ(Grid->TitleRoot()->Height, c.Height) << c.Name;
    }
    EXPECT_GT(TextHeight(big.get(), "Owner", 56), 2 * TextHeight(normal, "Fee", 56) + margin)
        << "the full-height leaf decides";
}
