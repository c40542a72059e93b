// Title cells in their own fonts and with images in place of their captions, the room left for
// sort markers and indexes beside an image, the title buttons' paint parameters, the indicator
// title's drop-down sign and pressed look, and the headers of the title tree painted over the whole
// area above a leaf.
#include "DBGridGxFixture.h"
#include "ImageProbe.h"
#include "grid/DBGridGxPaint.h"
#include "gui/ControlShot.h"
#include "gui/InputSimulation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

const TColor Red = TColor(RGB(220, 0, 0));

class TitleImagesTest : public UnthemedGridTest {
protected:
    void SetUp() override {
        UnthemedGridTest::SetUp();
        Images = SolidImageList({Red});
        Fill(3);
        Grid->BeginLayout();
        for (const char* n : {"F_int", "F_text", "F_float"})
            Grid->Columns()->AddColumn()->SetFieldName(n);
        Grid->EndLayout();
        OpenGrid();
    }
    TColumnTitleGx* Title(int I) { return Grid->Columns()->ColumnAt(I)->Title(); }
    // The title cell of data column I as it is painted: inside its 3D frame.
    TRect TitleCell(int I) {
        TRect r = Grid->CellScreenRect(I + 1, 0);
        InflateRect(r, -1, -1);
        return r;
    }
    TBitmap& Shot() {
        GrabControl(Grid, FShot);
        return FShot;
    }
    // Whether a pixel of Area is dark (text or marker ink of the classic colours).
    bool HasDark(const TRect& Area) {
        TBitmap& shot = Shot();
        for (int y = Area.Top; y < Area.Bottom; ++y)
            for (int x = Area.Left; x < Area.Right; ++x) {
                const TColorRef c = ColorToRGB(shot.Canvas()->Pixels(x, y));
                if (GetRValue(c) < 90 && GetGValue(c) < 90 && GetBValue(c) < 90) return true;
            }
        return false;
    }
    static int Light(TColor C) {
        const TColorRef c = ColorToRGB(C);
        return GetRValue(c) + GetGValue(c) + GetBValue(c);
    }
    std::unique_ptr<TImageList> Images;
    TBitmap FShot;
};

} // namespace

TEST_F(TitleImagesTest, TitlesPaintInTheirOwnFont) {
    const TColor own = TColor(RGB(200, 0, 120));
    Title(1)->Font()->SetColor(own);
    TBitmap& shot = Shot();
    EXPECT_NE(BoxOf(shot, TitleCell(1), own).Left, TitleCell(1).Right);
    EXPECT_EQ(BoxOf(shot, TitleCell(0), own).Left, TitleCell(0).Right);
    EXPECT_TRUE(HasDark(TitleCell(0))) << "the other captions in TitleFont";
}

TEST_F(TitleImagesTest, TheImageStandsInPlaceOfTheCaption) {
    Grid->SetTitleImages(Images.get());
    Title(1)->SetImageIndex(0);
    Title(1)->SetTitleButton(true);
    struct Case {
        const char* Name;
        bool MultiTitle;
        TAlignment Alignment;
        bool Pressed;
    } cases[] = {
        {"left", false, taLeftJustify, false},
        {"right", false, taRightJustify, false},
        {"centre", false, taCenter, false},
        {"pressed", false, taLeftJustify, true},
        {"multi-title centres", true, taLeftJustify, false},
    };
    for (const Case& c : cases) {
        Grid->SetUseMultiTitle(c.MultiTitle);
        Title(1)->SetAlignment(c.Alignment);
        TRect area = TitleCell(1);
        if (c.MultiTitle) area = TCustomDBGridGx::LeafCaptionRect(area, Grid->TitleLeaf(1));
        const TAlignment placed = c.MultiTitle ? taCenter : c.Alignment;
        int x = placed == taLeftJustify    ? area.Left
                : placed == taRightJustify ? area.Right - 8
                                           : (area.Left + area.Right - 8) / 2;
        int y = (area.Top + area.Bottom - 8) / 2;
        const TRect cell = Grid->CellScreenRect(2, 0);
        if (c.Pressed) {
            SimulateMouseDown(Grid, mbLeft, cell.Left + cell.Width() / 2, cell.Top + cell.Height() / 2);
            ASSERT_TRUE(Grid->TitleHot());
            ++x, ++y;
        }
        EXPECT_EQ(BoxOf(Shot(), cell, Red), TRect(x, y, x + 8, y + 8)) << c.Name;
        EXPECT_FALSE(HasDark(TitleCell(1))) << c.Name << ": no caption";
        if (c.Pressed)
            SimulateMouseUp(Grid, mbLeft, cell.Left + cell.Width() / 2, cell.Top + cell.Height() / 2);
    }
}

TEST_F(TitleImagesTest, ANarrowTitleDropsTheMarkerThenTheIndex) {
    Grid->SetOptionsGx(Grid->OptionsGx() | dghMultiSortMarking);
    Grid->SetTitleImages(Images.get());
    Title(0)->SetSortMarker(smDownGx);
    Title(1)->SetSortMarker(smDownGx);
    Title(1)->SetImageIndex(0);
    ASSERT_EQ(Title(1)->SortIndex(), 2);
    TBitmap probe(10, 10);
    probe.Canvas()->Font()->Assign(*SortIndexFont());
    const int s = probe.Canvas()->TextWidth("2");
    // The painted width W keeps the marker while W - 16 >= 8, the index while W - 2 - s >= 8.
    struct Case {
        int Width;
        bool Marker, Index;
    } cases[] = {{40, true, true}, {10 + s + 1, false, true}, {9 + s, false, false}};
    ASSERT_LT(10 + s + 1, 24);
    for (const Case& c : cases) {
        Grid->Columns()->ColumnAt(1)->SetWidth(c.Width + 2);
        const TRect cell = TitleCell(1);
        TImageList* markers = GridTitleImages();
        const int y = (cell.Top + cell.Bottom - markers->Height()) / 2;
        const TRect marker(std::max(cell.Left, cell.Right - markers->Width() - s - 2), y, cell.Right - s - 2,
                           y + markers->Height());
        const TRect index(cell.Right - s - 2, cell.Top + 1, cell.Right, cell.Bottom - 1);
        const bool markerShown = BoxOf(Shot(), marker, TColor(RGB(128, 128, 128))).Left < marker.Right;
        EXPECT_EQ(markerShown, c.Marker) << c.Width;
        EXPECT_EQ(HasDark(index), c.Index) << c.Width;
    }
}

TEST_F(TitleImagesTest, ButtonParamsChangeMarkerAndBackgroundThenTheFont) {
    TColumnGx* unbound = Grid->Columns()->AddColumn();
    unbound->Title()->SetCaption("none");
    const TColor back = TColor(RGB(0, 200, 0)), early = TColor(RGB(250, 0, 0)), late = TColor(RGB(0, 0, 250));
    std::map<TColumnGx*, int> calls;
    bool anyHot = false;
    Grid->OnGetBtnParams = [&](TObject*, TColumnGx* Column, bool Hot, TSortMarkerGx& Marker,
                               TColor& Background, TFont* AFont) {
        const int n = ++calls[Column];
        anyHot = anyHot || Hot;
        Marker = smUpGx;
        Background = back;
        AFont->SetColor(n % 2 ? early : late); // only the second call's font counts
    };
    TBitmap& shot = Shot();
    const TRect cell = TitleCell(1);
    EXPECT_EQ(calls[Grid->Columns()->ColumnAt(1)] % 2, 0);
    EXPECT_GT(calls[Grid->Columns()->ColumnAt(1)], 0);
    EXPECT_EQ(calls.count(unbound), 0u) << "a column without field is not asked";
    EXPECT_FALSE(anyHot);
    EXPECT_EQ(shot.Canvas()->Pixels(cell.Left + 1, cell.Bottom - 2), back);
    // The caption in the second call's colour, the up marker at the right.
    EXPECT_NE(BoxOf(shot, cell, late).Left, cell.Right);
    EXPECT_EQ(BoxOf(shot, cell, early).Left, cell.Right);
    TImageList* markers = GridTitleImages();
    const TRect marker(cell.Right - markers->Width() - 2, cell.Top, cell.Right - 2, cell.Bottom);
    EXPECT_NE(BoxOf(shot, marker, TColor(RGB(128, 128, 128))).Left, marker.Right);
    // The unbound column keeps its own look.
    EXPECT_NE(shot.Canvas()->Pixels(TitleCell(3).Left + 1, TitleCell(3).Bottom - 2), back);
}

TEST_F(TitleImagesTest, IndicatorTitleShowsItsDropDownSignAndPressedLook) {
    const TRect cell = Grid->CellScreenRect(0, 0);
    TRect inner = cell;
    InflateRect(inner, -1, -1);
    EXPECT_EQ(BoxOf(Shot(), inner, clBlack).Left, inner.Right) << "no sign by default";
    Grid->IndicatorTitle()->SetShowDropDownSign(true);
    TImageList* images = GridTitleImages();
    const int x = (inner.Left + inner.Right - images->Width()) / 2,
              y = (inner.Top + inner.Bottom - images->Height()) / 2;
    TBitmap up;
    GrabControl(Grid, up);
    const TRect sign = BoxOf(up, inner, clBlack);
    ASSERT_LT(sign.Left, sign.Right);
    EXPECT_GE(sign.Left, x);
    EXPECT_GE(sign.Top, y);
    EXPECT_LE(sign.Right, x + images->Width());
    EXPECT_LE(sign.Bottom, y + images->Height());

    Grid->IndicatorTitle()->SetPressed(true);
    TBitmap down;
    GrabControl(Grid, down);
    TRect moved = sign;
    OffsetRect(moved, 1, 1);
    EXPECT_EQ(BoxOf(down, inner, clBlack), moved);
    // Raised when up, sunken when pressed.
    EXPECT_GT(Light(up.Canvas()->Pixels(cell.Left, cell.Top)),
              Light(up.Canvas()->Pixels(cell.Right - 1, cell.Bottom - 1)));
    EXPECT_LT(Light(down.Canvas()->Pixels(cell.Left, cell.Top)),
              Light(down.Canvas()->Pixels(cell.Right - 1, cell.Bottom - 1)));
}

TEST_F(TitleImagesTest, HeadersFillTheWholeAreaAboveTheLeafInTheirColour) {
    Grid->BeginLayout();
    Title(0)->SetCaption("Fee|Amount");
    Title(1)->SetCaption("Fee|Paid");
    Grid->SetUseMultiTitle(true);
    Grid->EndLayout();
    const TColor fixed = TColor(ColorToRGB(Grid->FixedColor()));
    for (int i : {0, 1}) {
        const TRect cell = TitleCell(i);
        const TRect leaf = TCustomDBGridGx::LeafCaptionRect(cell, Grid->TitleLeaf(i));
        TBitmap& shot = Shot();
        // Inside the header's frame: the fixed colour and the caption's ink, never another
        // background behind the caption; the row between the frame and the line below it too.
        int white = 0;
        for (int y = cell.Top + 2; y < leaf.Top - 1; ++y)
            for (int x = cell.Left + 2; x < cell.Right - 2; ++x)
                if (shot.Canvas()->Pixels(x, y) == TColor(ColorToRGB(clWhite))) ++white;
        EXPECT_EQ(white, 0) << i;
        EXPECT_EQ(shot.Canvas()->Pixels(cell.Left + cell.Width() / 2, leaf.Top - 2), fixed) << i;
    }
    EXPECT_TRUE(HasDark(TRect(TitleCell(0).Left, TitleCell(0).Top, TitleCell(1).Right,
                              TCustomDBGridGx::LeafCaptionRect(TitleCell(0), Grid->TitleLeaf(0)).Top)))
        << "the header's caption";
}
