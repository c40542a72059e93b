// The cell matrix: the edge cases of placing objects and preparing the grid, one table.
#include "ExportFixture.h"

#include "gui/Bitmap.h"
#include "gui/Metafile.h"
#include "report/export/vrExportMatrix.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

struct TMatrixCase {
    const char* Name;
    std::function<void(TvrIEMatrix& m, TLooseObjects& objects)> Fill;
    std::function<void(TvrIEMatrix& m)> Check;
};

std::vector<Extended> Rows(const TvrIEMatrix& m) {
    std::vector<Extended> v;
    for (Integer i = 0; i < m.RowCount; ++i)
        v.push_back(m.RowPos(i));
    return v;
}

TvrFrameTypes AllSides() {
    return TvrFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
}

const TMatrixCase MatrixCases[] = {
    {"edges 0.3 apart merge at tolerance 0.5, the later one surviving",
     [](TvrIEMatrix& m, TLooseObjects& o) {
         m.MergeTolerance = 0.5;
         m.AddObject(o.Memo(10, 0, 50, 20));
         m.AddObject(o.Memo(10.3L, 20, 49.7L, 20));
     },
     [](TvrIEMatrix& m) {
         ASSERT_EQ(m.ColumnCount, 2);
         EXPECT_DOUBLE_EQ(static_cast<double>(m.ColumnPos(0)), 10.3);
         EXPECT_DOUBLE_EQ(static_cast<double>(m.ColumnPos(1)), 60);
     }},
    {"edges 0.3 apart stay two at tolerance 0",
     [](TvrIEMatrix& m, TLooseObjects& o) {
         m.AddObject(o.Memo(10, 0, 50, 20));
         m.AddObject(o.Memo(10.3L, 20, 49.7L, 20));
     },
     [](TvrIEMatrix& m) { EXPECT_EQ(m.ColumnCount, 3); }},
    {"a 1200-unit row gap is cut at 562.784 and 1125.568",
     [](TvrIEMatrix& m, TLooseObjects& o) {
         m.MaxRowHeight = 562.784L;
         m.AddObject(o.Memo(0, 0, 50, 1200));
     },
     [](TvrIEMatrix& m) {
         ASSERT_EQ(m.RowCount, 4);
         EXPECT_NEAR(static_cast<double>(m.RowPos(1)), 562.784, 1e-9);
         EXPECT_NEAR(static_cast<double>(m.RowPos(2)), 1125.568, 1e-9);
         EXPECT_EQ(m.RowPos(3), 1200);
         Integer c, r, cs, rs;
         m.ObjectPlacement(0, c, r, cs, rs);
         EXPECT_EQ(rs, 3);
     }},
    {"equal looks share a style, another format makes a second",
     [](TvrIEMatrix& m, TLooseObjects& o) {
         m.AddObject(o.Memo(0, 0, 50, 20));
         m.AddObject(o.Memo(50, 0, 50, 20));
         TvrMemoView* other = o.Memo(100, 0, 50, 20);
         other->DisplayFormat()->FormatStr = "%2.2f";
         m.AddObject(other);
     },
     [](TvrIEMatrix& m) {
         EXPECT_EQ(m.StyleCount(), 2);
         EXPECT_EQ(m.ObjectByIndex(0)->StyleNo, m.ObjectByIndex(1)->StyleNo);
         EXPECT_NE(m.ObjectByIndex(0)->StyleNo, m.ObjectByIndex(2)->StyleNo);
     }},
    {"a picture partly covered is cut; the first fragment keeps the bitmap and the outer sides",
     [](TvrIEMatrix& m, TLooseObjects& o) {
         auto* ellipse = o.Add<TvrShapeView>(0, 0, 90, 90);
         ellipse->Shape = skEllipse;
         ellipse->Frame()->Typ = AllSides();
         m.AddObject(ellipse);
         m.AddObject(o.Memo(60, 0, 60, 30, "on top"));
     },
     [](TvrIEMatrix& m) {
         ASSERT_EQ(m.ObjectCount(), 4);
         TvrIEMObject* first = m.ObjectAt(0, 0);
         TvrIEMObject* second = m.ObjectAt(1, 1);
         ASSERT_TRUE(first && second);
         EXPECT_EQ(m.ObjectAt(0, 1), first);
         EXPECT_NE(first, m.ObjectByIndex(0));
         EXPECT_TRUE(first->Bitmap != nullptr);
         EXPECT_FALSE(first->HoldsText);
         EXPECT_TRUE(second->Bitmap == nullptr);
         EXPECT_TRUE(m.ObjectByIndex(0)->Bitmap == nullptr);
         EXPECT_EQ(first->CellStyle->Frame.Typ, (TvrFrameTypes{ftLeft, ftTop, ftBottom}));
         EXPECT_EQ(second->CellStyle->Frame.Typ, (TvrFrameTypes{ftRight, ftBottom}));
         EXPECT_EQ(m.ObjectAt(1, 0)->Text(), "on top");
     }},
    {"a transparent text over a fill takes it, unless the fill is its font colour",
     [](TvrIEMatrix& m, TLooseObjects& o) {
         TvrMemoView* fill = o.Memo(0, 0, 200, 40, "");
         fill->Color = clYellow;
         m.AddObject(fill);
         m.AddObject(o.Memo(10, 10, 50, 20, "black on yellow"));
         TvrMemoView* yellow = o.Memo(100, 10, 50, 20, "yellow");
         yellow->Font()->SetColor(clYellow);
         m.AddObject(yellow);
     },
     [](TvrIEMatrix& m) {
         EXPECT_EQ(m.ObjectByIndex(1)->CellStyle->Color, clYellow);
         EXPECT_EQ(m.ObjectByIndex(2)->CellStyle->Color, clTransparent);
     }},
    {"without empty rows a blank band goes, the rows below and the page ends move up",
     [](TvrIEMatrix& m, TLooseObjects& o) {
         m.KeepEmptyRows = false;
         m.AddObject(o.Memo(0, 0, 100, 20, "A"));
         m.AddObject(o.Memo(0, 60, 100, 20, "B"));
         m.AddPage(poPortrait, false, 0, 10, 10, 10, 10, 1123, 794);
         m.AddObject(o.Memo(0, 0, 100, 20, "C"));
         m.AddPage(poPortrait, false, 1, 10, 10, 10, 10, 1123, 794);
     },
     [](TvrIEMatrix& m) {
         EXPECT_EQ(Rows(m), (std::vector<Extended>{0, 20, 40, 60}));
         EXPECT_EQ(m.ObjectAt(0, 1)->Text(), "B");
         EXPECT_EQ(m.ObjectAt(0, 2)->Text(), "C");
         // The second page still begins where its first row does.
         EXPECT_EQ(m.PageBottom(0), 40);
         EXPECT_EQ(m.PageBottom(1), 60);
     }},
    {"an empty matrix has no edges and no cells",
     [](TvrIEMatrix&, TLooseObjects&) {},
     [](TvrIEMatrix& m) {
         EXPECT_EQ(m.ColumnCount, 0);
         EXPECT_EQ(m.RowCount, 0);
         EXPECT_EQ(m.CellAt(0, 0), -1);
         EXPECT_EQ(m.ObjectAt(0, 0), nullptr);
         EXPECT_EQ(m.PageBottom(0), 0);
     }},
    {"mirrored margins swap on the second and fourth pages",
     [](TvrIEMatrix& m, TLooseObjects&) {
         for (Integer i = 0; i < 4; ++i)
             m.AddPage(poPortrait, true, i, 5, 20, 5, 10, 1123, 794);
     },
     [](TvrIEMatrix& m) {
         const Extended lefts[] = {10, 20, 10, 20};
         for (Integer i = 0; i < 4; ++i) {
             EXPECT_EQ(m.PageLeftMargin(i), lefts[i]) << i;
             EXPECT_EQ(m.PageRightMargin(i), 30 - lefts[i]) << i;
             EXPECT_EQ(m.PageByIndex(i)->Mirrored, i % 2 == 1);
         }
     }},
    {"lines become frame sides of thin cells; a rectangle without fill becomes four lines",
     [](TvrIEMatrix& m, TLooseObjects& o) {
         m.AddObject(o.Add<TvrLineView>(0, 0, 0, 100));
         auto* rect = o.Add<TvrShapeView>(50, 0, 100, 50);
         rect->Shape = skRectangle;
         m.AddObject(rect);
     },
     [](TvrIEMatrix& m) {
         ASSERT_GE(m.ObjectCount(), 5); // the corners where two edges meet add fragments
         EXPECT_EQ(m.ObjectByIndex(0)->CellStyle->Frame.Typ, TvrFrameTypes{ftLeft});
         EXPECT_EQ(m.ObjectByIndex(0)->Width, 1);
         EXPECT_EQ(m.ObjectByIndex(1)->CellStyle->Frame.Typ, TvrFrameTypes{ftTop}); // top edge
         EXPECT_EQ(m.ObjectByIndex(2)->CellStyle->Frame.Typ, TvrFrameTypes{ftLeft}); // left edge
     }},
    {"pictures are drawn into a 24-bit bitmap one pixel larger, or with metafiles into a metafile",
     [](TvrIEMatrix& m, TLooseObjects& o) {
         auto* ellipse = o.Add<TvrShapeView>(0, 0, 40, 30);
         ellipse->Shape = skEllipse;
         ellipse->Color = clRed;
         m.AddObject(ellipse);
         m.MetafilePictures = true;
         m.AddObject(ellipse);
         m.TakePictures = false;
         m.AddObject(ellipse);
     },
     [](TvrIEMatrix& m) {
         TvrIEMObject* bitmap = m.ObjectByIndex(0);
         ASSERT_TRUE(bitmap->Bitmap != nullptr);
         EXPECT_EQ(bitmap->Bitmap->Width(), 41);
         EXPECT_EQ(bitmap->Bitmap->Height(), 31);
         EXPECT_EQ(bitmap->Bitmap->PixelFormat(), pf24bit);
         EXPECT_EQ(bitmap->Bitmap->Canvas()->Pixels(20, 15), clRed);
         EXPECT_TRUE(bitmap->MetaPicture == nullptr);
         TvrIEMObject* meta = m.ObjectByIndex(1);
         ASSERT_TRUE(meta->MetaPicture != nullptr);
         EXPECT_EQ(meta->MetaPicture->Width(), 40);
         EXPECT_TRUE(meta->Bitmap == nullptr);
         // Without pictures the object is an empty text cell showing its fill.
         TvrIEMObject* empty = m.ObjectByIndex(2);
         EXPECT_TRUE(empty->HoldsText && !empty->Bitmap && !empty->MetaPicture);
         EXPECT_EQ(empty->CellStyle->Color, clRed);
     }},
    {"pages stack: each page's objects lie below the lowest object before it",
     [](TvrIEMatrix& m, TLooseObjects& o) {
         m.AddObject(o.Memo(0, 5, 100, 20));
         m.AddPage(poLandscape, false, 0, 1, 2, 3, 4, 600, 800);
         m.AddObject(o.Memo(0, 5, 100, 20));
     },
     [](TvrIEMatrix& m) {
         EXPECT_EQ(m.ObjectByIndex(1)->Top, 30);
         EXPECT_EQ(m.PageOrientation(0), poLandscape);
         EXPECT_EQ(m.PageBottomMargin(0), 1);
         EXPECT_EQ(m.PageHeight(0), 600);
     }},
};

} // namespace

TEST(vrIEMatrix, EdgeCases) {
    for (const TMatrixCase& c : MatrixCases) {
        SCOPED_TRACE(c.Name);
        TLooseObjects objects;
        TvrIEMatrix m;
        m.ProgressWindow = false;
        c.Fill(m, objects);
        m.Prepare();
        c.Check(m);
    }
}

TEST(vrIEMatrix, AnchorLinksNameTheirPage) {
    TExportReport made;
    TLooseObjects objects;
    TvrIEMatrix m;
    m.ProgressWindow = false;
    m.OwnerReport = &made.Report;
    TvrMemoView* link = objects.Memo(0, 0, 50, 20);
    link->URL = "#nowhere";
    m.AddObject(link);
    EXPECT_EQ(m.ObjectByIndex(0)->Hyperlink, "@1");
}

TEST(vrIEMatrix, ClearEmptiesButKeepsTheSwitches) {
    TLooseObjects objects;
    TvrIEMatrix m;
    m.ProgressWindow = false;
    m.MergeTolerance = 5;
    m.AddObject(objects.Memo(0, 0, 50, 20));
    m.AddPage(poPortrait, false, 0, 0, 0, 0, 0, 0, 0);
    m.Prepare();
    m.Clear();
    EXPECT_EQ(m.ObjectCount(), 0);
    EXPECT_EQ(m.PageCount(), 0);
    EXPECT_EQ(m.StyleCount(), 0);
    EXPECT_EQ(m.CellAt(0, 0), -1);
    EXPECT_EQ(m.PageOffsetY, 0);
    EXPECT_EQ(m.MergeTolerance, 5);
}
