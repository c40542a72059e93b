// Images in data cells: a column's image list shows key images in place of the text (cell kind 4),
// or with ShowImageAndText an image in an area of its own at the cell's left; the grid follows the
// list (changes repaint, a freed list is let go).
#include "DBGridGxFixture.h"
#include "ImageProbe.h"
#include "gui/ControlShot.h"
#include "gui/Screenshot.h"
#include "rtl/FileUtils.h"

#include <gtest/gtest.h>

namespace {

const TColor Green = TColor(RGB(0, 160, 0)), Red = TColor(RGB(220, 0, 0)), Blue = TColor(RGB(0, 0, 220));

class CellImagesTest : public UnthemedGridTest {
protected:
    void SetUp() override {
        UnthemedGridTest::SetUp();
        Images = SolidImageList({Green, Red, Blue});
    }
    void Open(int Rows = 5, const String& Update = String()) {
        Fill(Rows);
        if (!Update.empty()) Run(Update);
        Grid->BeginLayout();
        for (const char* n : {"F_int", "F_text", "F_float"})
            Grid->Columns()->AddColumn()->SetFieldName(n);
        Grid->EndLayout();
        OpenGrid();
    }
    TColumnGx* Column(int I) { return Grid->Columns()->ColumnAt(I); }
    TRect Cell(int Col, int DataRow) { return Grid->CellScreenRect(Col, Grid->TitleOffset() + DataRow); }
    TBitmap& Shot() {
        GrabControl(Grid, FShot);
        return FShot;
    }
    // The 8 x 8 image centred in Area, as the cell draws it.
    static TRect Centred(const TRect& Area) {
        const int x = (Area.Left + Area.Right - 8) / 2, y = (Area.Top + Area.Bottom - 8) / 2;
        return TRect(x, y, x + 8, y + 8);
    }
    // The leftmost pixel of the cell that is neither Background nor one of the image colours.
    int TextLeft(const TRect& R, TColor Background) {
        TBitmap& shot = Shot();
        for (int x = R.Left; x < R.Right; ++x)
            for (int y = R.Top; y < R.Bottom; ++y) {
                const TColor p = shot.Canvas()->Pixels(x, y);
                if (p != Background && p != Green && p != Red && p != Blue) return x;
            }
        return R.Right;
    }
    std::unique_ptr<TImageList> Images;
    TBitmap FShot;
};

} // namespace

TEST_F(CellImagesTest, KeyImagesStandInPlaceOfTheText) {
    Open();
    Column(0)->SetImageList(Images.get());
    EXPECT_EQ(Column(0)->GetCellKind(), 4);
    Q->Last(); // the probed rows are not current
    // F_int is 1, 2, 3: images 1 and 2, and none for an index beyond the list.
    struct Case {
        int Row;
        TColor Image;
    } cases[] = {{0, Red}, {1, Blue}, {2, clNone}};
    for (const Case& c : cases) {
        const TRect r = Cell(1, c.Row);
        const TColor white = TColor(ColorToRGB(Grid->Color()));
        if (c.Image == clNone) {
            EXPECT_EQ(BoxOf(Shot(), r, Red).Left, r.Right) << c.Row;
            EXPECT_EQ(BoxOf(Shot(), r, Blue).Left, r.Right) << c.Row;
        } else {
            EXPECT_EQ(BoxOf(Shot(), r, c.Image), Centred(r)) << c.Row;
        }
        EXPECT_EQ(TextLeft(r, white), r.Right) << "no text in row " << c.Row;
    }
}

TEST_F(CellImagesTest, ImageBesideTheTextHasAnAreaOfItsOwn) {
    Open(5, "update T_grid set F_text = 'same' where F_int between 3 and 4");
    TColumnGx* text = Column(1);
    const TColor white = TColor(ColorToRGB(Grid->Color()));
    const int plainText = TextLeft(Cell(2, 0), white);
    text->SetImageList(Images.get());
    text->SetShowImageAndText(true);
    text->SetNotInKeyListIndex(1); // a text field: every row shows image 1
    text->SetHideDuplicates(true);
    EXPECT_EQ(text->GetCellKind(), 0);
    const TRect r = Cell(2, 0);
    const TRect area(r.Left, r.Top, r.Left + 8 + 4, r.Bottom);
    EXPECT_EQ(BoxOf(Shot(), r, Red), Centred(area));
    EXPECT_EQ(TextLeft(r, white), plainText + 12) << "the text starts right of the image area";
    // A hidden duplicate shows neither its text nor its image.
    EXPECT_NE(BoxOf(Shot(), Cell(2, 2), Red).Left, Cell(2, 2).Right);
    EXPECT_EQ(BoxOf(Shot(), Cell(2, 3), Red).Left, Cell(2, 3).Right);
    EXPECT_EQ(TextLeft(Cell(2, 3), white), Cell(2, 3).Right);

    // In a highlighted row the image area keeps the column's colour.
    Grid->SetOptions(Grid->Options() | dgRowSelect | dgAlwaysShowSelection);
    const TRect cur = Grid->CellScreenRect(2, Grid->CurrentCell().Y);
    TBitmap& shot = Shot();
    EXPECT_EQ(shot.Canvas()->Pixels(cur.Left + 1, cur.Top + 1), ColorToRGB(text->Color()));
    EXPECT_NE(shot.Canvas()->Pixels(cur.Right - 3, cur.Top + 1), ColorToRGB(text->Color()));
}

TEST_F(CellImagesTest, StandardDrawingFromTheEventDrawsTheKeyImage) {
    Open();
    Column(0)->SetImageList(Images.get());
    Grid->OnDrawColumnCell = [&](TObject*, const TRect& R, int DataCol, TColumnGx* Col,
                                 TGridDrawState State) {
        Grid->Canvas()->Brush()->SetColor(clYellow);
        Grid->DrawColumnCellStandard(R, DataCol, Col, State);
    };
    Grid->InvalidateWholeGrid();
    EXPECT_EQ(BoxOf(Shot(), Cell(1, 1), Blue), Centred(Cell(1, 1)));
}

TEST_F(CellImagesTest, TheGridFollowsTheImageLists) {
    Open();
    TColumnGx* col = Column(0);
    col->SetImageList(Images.get());
    Grid->SetTitleImages(Images.get());
    col->Title()->SetImageIndex(0);

    // A change of a list repaints the grid; a new title list lays it out.
    Grid->Invalidated.clear();
    TBitmap extra(8, 8);
    Images->Add(&extra, nullptr);
    EXPECT_TRUE(Grid->InvalidatedAt(Cell(1, 0).Left + 1, Cell(1, 0).Top + 1));
    const int layouts = Grid->LayoutCount();
    std::unique_ptr<TImageList> other = SolidImageList({Red});
    Grid->SetTitleImages(other.get());
    EXPECT_GT(Grid->LayoutCount(), layouts);
    Grid->SetTitleImages(Images.get());
    // ShowImageAndText changes the cell kind and repaints the column.
    Grid->Invalidated.clear();
    col->SetShowImageAndText(true);
    EXPECT_NE(col->GetCellKind(), 4);
    EXPECT_TRUE(Grid->InvalidatedAt(Cell(1, 0).Left + 1, Cell(1, 0).Top + 1));

    // Assign copies the list and the switch.
    TColumnGx* copy = Grid->Columns()->AddColumn();
    copy->Assign(col);
    EXPECT_EQ(copy->ImageList(), Images.get());
    EXPECT_TRUE(copy->ShowImageAndText());

    // A freed list is let go by the titles and by every column; painting goes on.
    Images.reset();
    EXPECT_EQ(Grid->TitleImages(), nullptr);
    EXPECT_EQ(col->ImageList(), nullptr);
    EXPECT_EQ(copy->ImageList(), nullptr);
    Shot();
}

TEST_F(CellImagesTest, ScreenshotOfTitleImagesImageCellsAndTheIndicatorTitle) {
    Open(6);
    std::unique_ptr<TImageList> titles = SolidImageList({Blue}, 12);
    Grid->BeginLayout();
    Grid->SetTitleImages(titles.get());
    Column(0)->SetImageList(Images.get());
    Column(1)->SetImageList(Images.get());
    Column(1)->SetShowImageAndText(true);
    Column(1)->SetNotInKeyListIndex(0);
    Column(1)->Title()->SetSortMarker(smDownGx);
    Column(2)->Title()->SetImageIndex(0);
    Grid->IndicatorTitle()->SetShowDropDownSign(true);
    Grid->EndLayout();
    TBitmap& shot = Shot();
    ForceDirectories(ORV_SCREEN_DIR);
    EXPECT_TRUE(SaveBitmapAsPng(shot, String(ORV_SCREEN_DIR) + "/grid_images.png"));
    const TRect title = Grid->CellScreenRect(3, 0);
    EXPECT_EQ(BoxOf(shot, title, Blue).Right - BoxOf(shot, title, Blue).Left, 12);
    EXPECT_EQ(BoxOf(shot, Cell(1, 0), Red), Centred(Cell(1, 0)));
    EXPECT_NE(BoxOf(shot, Cell(2, 0), Green).Left, Cell(2, 0).Right);
    const TRect corner = Grid->CellScreenRect(0, 0);
    EXPECT_NE(BoxOf(shot, corner, clBlack).Left, corner.Right) << "the drop-down sign";
}
