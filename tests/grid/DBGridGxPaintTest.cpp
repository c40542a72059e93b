// Pixels of the painted data grid: indicator, titles, selection colours, row colours, marks,
// frames and footers, and a screenshot of the application's usual list grid.
#include "DBGridGxFixture.h"
#include "grid/DBGridGxPaint.h"
#include "grid/DBGridGxStyle.h"
#include "grid/DBGridGxText.h"
#include "gui/Bitmap.h"
#include "gui/ClassicEdges.h"
#include "gui/ControlShot.h"
#include "gui/Screenshot.h"
#include "rtl/FileUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

class GridPaintProbe : public UnthemedGridTest {
protected:
    void Open(int Rows = 5) {
        Fill(Rows);
        Grid->BeginLayout();
        for (const char* n : {"F_int", "F_text", "F_float"}) Grid->Columns()->AddColumn()->SetFieldName(n);
        Grid->EndLayout();
        OpenGrid();
    }
    TColor At(int X, int Y) {
        GrabControl(Grid, Shot);
        return Shot.Canvas()->Pixels(X, Y);
    }
    // A pixel of the cell right of its text (column F_text is left-aligned and short).
    TPoint Blank(int Col, int Row) {
        TRect r = Grid->CellScreenRect(Col, Row);
        return TPoint(r.Right - 6, r.Top + r.Height() / 2);
    }
    TColor BlankAt(int Col, int Row) {
        TPoint p = Blank(Col, Row);
        return At(p.X, p.Y);
    }
    int DataRow(int I) { return Grid->TitleOffset() + I; }
    bool HasInk(const TRect& R, TColor Background) {
        GrabControl(Grid, Shot);
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x)
                if (Shot.Canvas()->Pixels(x, y) != Background) return true;
        return false;
    }
    TBitmap Shot;
};

} // namespace

TEST_F(GridPaintProbe, IndicatorArrowSitsAtTheRightOfItsCell) {
    Open();
    const int row = Grid->CurrentCell().Y;
    TRect r = Grid->CellScreenRect(0, row);
    const bool is3D = Grid->CellIs3D(0, row, TGridDrawState{gdFixed});
    const int f = is3D ? 1 : 2;
    TRect inner = r;
    if (is3D) InflateRect(inner, -1, -1);
    TImageList* list = GridIndicatorImages();
    const int x = inner.Right - list->Width() - f, y = (inner.Top + inner.Bottom - list->Height()) / 2;
    // The arrow's stem is the image's second column, rows 1 to 7; its tip at (4, 4).
    EXPECT_EQ(At(x + 1, y + 4), clBlack);
    EXPECT_EQ(At(x + 4, y + 4), clBlack);
    EXPECT_EQ(At(x, y + 4), ColorToRGB(Grid->FixedColor()));
    EXPECT_EQ(Grid->SelectedIndicatorRow(), row);
    // Another row shows no image.
    TRect other = Grid->CellScreenRect(0, row + 1);
    EXPECT_FALSE(HasInk(TRect(other.Left + 2, other.Top + 2, other.Right - 2, other.Bottom - 2),
                        TColor(ColorToRGB(Grid->FixedColor()))));
}

TEST_F(GridPaintProbe, SelectedFixedCellsAreDarkWithWhiteText) {
    Open();
    Grid->Selection()->SelectAll();
    const TColor dark = TColor(RGB(64, 64, 64));
    TRect title = Grid->CellScreenRect(2, 0);
    EXPECT_EQ(At(title.Right - 4, title.Top + title.Height() / 2), dark);
    EXPECT_EQ(At(Grid->CellScreenRect(0, DataRow(2)).Left + 3, Grid->CellScreenRect(0, DataRow(2)).Top + 3), dark);
    // The caption is written in white.
    bool white = false;
    GrabControl(Grid, Shot);
    for (int y = title.Top; y < title.Bottom && !white; ++y)
        for (int x = title.Left; x < title.Right && !white; ++x)
            white = Shot.Canvas()->Pixels(x, y) == clWhite;
    EXPECT_TRUE(white);
}

TEST_F(GridPaintProbe, CurrentCellColours) {
    Open();
    TDBGridGxStyle* style = Grid->Style();
    ASSERT_NE(style, nullptr);
    // Unfocused with dgAlwaysShowSelection: the current cell in the button shadow.
    Grid->SetOptions(Grid->Options() | dgAlwaysShowSelection);
    const TGridCoord cur = Grid->CurrentCell();
    if (Grid->Focused()) form.SetActiveControl(nullptr);
    ASSERT_FALSE(Grid->Focused());
    EXPECT_EQ(BlankAt(cur.X, cur.Y), ColorToRGB(clBtnShadow));
    // Focused: the current cell in the highlight colour, another cell as before.
    Grid->SetFocus();
    ASSERT_TRUE(Grid->Focused());
    EXPECT_EQ(BlankAt(cur.X, cur.Y), ColorToRGB(clHighlight));
    EXPECT_EQ(BlankAt(cur.X + 1, cur.Y), ColorToRGB(Grid->Color()));
}

TEST_F(GridPaintProbe, SelectedRecordsOfAFocusedGridAreTinted) {
    Open();
    Grid->SetOptions(Grid->Options() | dgMultiSelect | dgRowSelect);
    Grid->SetFocus();
    ASSERT_TRUE(Grid->Focused());
    Q->MoveBy(2);
    Grid->Selection()->Rows()->SetCurrentRowSelected(true);
    Q->First();
    const TColor tint = TDBGridGxStyle::TintTowards(Grid->Color(), clHighlight, true);
    EXPECT_EQ(BlankAt(2, DataRow(2)), ColorToRGB(tint));
    EXPECT_EQ(BlankAt(2, DataRow(0)), ColorToRGB(clHighlight));
}

TEST_F(GridPaintProbe, OddAndEvenRowsByRecordNumber) {
    Open();
    Grid->SetOddRowColor(TColor(RGB(250, 240, 200)));
    Grid->SetEvenRowColor(TColor(RGB(200, 240, 250)));
    EXPECT_EQ(BlankAt(2, DataRow(2)), TColor(RGB(250, 240, 200))); // record 3
    EXPECT_EQ(BlankAt(2, DataRow(3)), TColor(RGB(200, 240, 250))); // record 4
}

TEST_F(GridPaintProbe, RequiredEmptyFieldIsMarkedWhileInserting) {
    Open();
    Grid->Columns()->ColumnAt(1)->SetHighlightRequired(true);
    Q->FieldByName("F_text")->SetRequired(true);
    Q->Append();
    const TRect r = Grid->CellScreenRect(2, Grid->CurrentCell().Y);
    TRect inner = r;
    EXPECT_EQ(At(inner.Left + 2, inner.Bottom - 1), TColor(RGB(255, 0, 0)));
    EXPECT_NE(At(inner.Left + 2, inner.Bottom - 3), TColor(RGB(255, 0, 0)));
    Q->FieldByName("F_text")->SetAsString("x");
    EXPECT_NE(At(inner.Left + 2, inner.Bottom - 1), TColor(RGB(255, 0, 0)));
    Q->Cancel();
}

TEST_F(GridPaintProbe, Data3DFramesAreRaisedAndSunkenWhenHighlighted) {
    Open();
    Grid->SetOptionsGx(Grid->OptionsGx() | dghData3D);
    Grid->SetOptions(Grid->Options() | dgAlwaysShowSelection | dgRowSelect);
    TRect plain = Grid->CellScreenRect(2, DataRow(3));
    TRect current = Grid->CellScreenRect(3, Grid->CurrentCell().Y); // highlighted with its row
    auto light = [](TColor C) {
        TColorRef c = ColorToRGB(C);
        return GetRValue(c) + GetGValue(c) + GetBValue(c);
    };
    // Raised: light top-left, dark bottom-right; sunken the other way round.
    EXPECT_GT(light(At(plain.Left, plain.Top)), light(At(plain.Right - 1, plain.Bottom - 1)));
    EXPECT_LT(light(At(current.Left, current.Top)), light(At(current.Right - 1, current.Bottom - 1)));
    EXPECT_EQ(At(plain.Left + 1, plain.Top + 1), ColorToRGB(Grid->Color())) << "the cell shrinks by one pixel";
}

TEST_F(GridPaintProbe, SortMarkersAndIndexesOfTwoMarkedColumns) {
    Open();
    Grid->SetOptionsGx(Grid->OptionsGx() | dghMultiSortMarking);
    Grid->Columns()->ColumnAt(1)->Title()->SetSortMarker(smDownGx);
    Grid->Columns()->ColumnAt(1)->Title()->SetSortIndex(1);
    Grid->Columns()->ColumnAt(2)->Title()->SetSortMarker(smUpGx);
    Grid->Columns()->ColumnAt(2)->Title()->SetSortIndex(2);
    Grid->RebuildSortMarkedList();
    ASSERT_EQ(Grid->SortMarkedColumns().Count(), 2);
    TImageList* images = GridTitleImages();
    TRect r = Grid->CellScreenRect(2, 0);
    TRect cell = r;
    InflateRect(cell, -1, -1); // 3D title cell
    TBitmap probe(10, 10);
    probe.Canvas()->Font()->Assign(*SortIndexFont());
    const int s = probe.Canvas()->TextWidth("1");
    const int x = cell.Right - images->Width() - s - 2, y = (cell.Top + cell.Bottom - images->Height()) / 2;
    // The down marker's widest row (row 1) is grey from x + 1 to x + 7.
    EXPECT_EQ(At(x + 4, y + 1), TColor(RGB(128, 128, 128)));
    EXPECT_TRUE(HasInk(TRect(cell.Right - s - 2, y - 1, cell.Right - 1, y + images->Height()),
                       TColor(ColorToRGB(Grid->FixedColor()))))
        << "the index is written right of the marker";
}

TEST_F(GridPaintProbe, HeaderTreeAndFooterOfTheUsualListGrid) {
    Open(6);
    const TColor fixed = TColor(0x9BCDFF);
    Grid->BeginLayout();
    Grid->SetFlat(true);
    Grid->SetFixedColor(fixed);
    Grid->SetRowHeight(2);
    Grid->SetRowLines(1);
    Grid->SetTitleHeight(13);
    Grid->SetVTitleMargin(7);
    Grid->SetUseMultiTitle(true);
    Grid->SetOptions(Grid->Options() | dgRowSelect | dgMultiSelect);
    Grid->Columns()->ColumnAt(0)->Title()->SetCaption("收费|金额");
    Grid->Columns()->ColumnAt(1)->Title()->SetCaption("收费|备注");
    Grid->Columns()->ColumnAt(2)->Title()->SetCaption("已付");
    Grid->SetFooterRowCount(1);
    Grid->SumList()->SetActive(true);
    Grid->EndLayout();
    Grid->Columns()->ColumnAt(1)->Footer()->SetValueType(fvtStaticText);
    Grid->Columns()->ColumnAt(1)->Footer()->SetValue("合  计");
    Grid->Columns()->ColumnAt(1)->Footer()->SetAlignment(taCenter);
    Grid->Columns()->ColumnAt(0)->Footer()->SetValueType(fvtSum);
    Grid->Columns()->ColumnAt(2)->Footer()->SetValueType(fvtSum);
    Grid->SumList()->RecalcAll();
    EXPECT_EQ(Grid->FooterValueText(0, Grid->Columns()->ColumnAt(0)), "21");
    EXPECT_EQ(Grid->FooterValueText(0, Grid->Columns()->ColumnAt(2)), "10.5");
    Q->MoveBy(1);
    Grid->Selection()->Rows()->SetCurrentRowSelected(true);
    Q->First();

    GrabControl(Grid, Shot);
    // The picture is kept beside the build's other screenshots for a look by eye.
    ForceDirectories(ORV_SCREEN_DIR);
    EXPECT_TRUE(SaveBitmapAsPng(Shot, String(ORV_SCREEN_DIR) + "/grid_list.png"));

    // The title row holds the tree: 收费 over the first two columns, 已付 the full height.
    THeadTreeNode* fee = Grid->TitleLeaf(0)->Host;
    ASSERT_NE(fee, Grid->TitleRoot());
    EXPECT_EQ(Grid->TitleLeaf(1)->Host, fee);
    EXPECT_EQ(Grid->TitleLeaf(2)->Height, Grid->TitleRoot()->Height);
    EXPECT_TRUE(fee->Painted);
    // The header reads as one cell: its caption is centred over both columns, and neither the
    // line between them nor the second column's frame shows through it.
    const TRect left = Grid->CellScreenRect(1, 0), right = Grid->CellScreenRect(2, 0);
    const int headerBottom = left.Bottom - Grid->TitleLeaf(0)->Height + 3;
    int inkLeft = right.Right, inkRight = left.Left;
    for (int y = left.Top + 2; y < headerBottom - 2; ++y)
        for (int x = left.Left + 2; x < right.Right - 2; ++x)
            if (Shot.Canvas()->Pixels(x, y) != fixed) inkLeft = std::min(inkLeft, x), inkRight = std::max(inkRight, x);
    ASSERT_LT(inkLeft, inkRight) << "the header's caption";
    EXPECT_NEAR((inkLeft + inkRight + 1) / 2.0, (left.Left + right.Right) / 2.0, 2.0);
    for (int x = left.Right - 1; x <= right.Left + 1; ++x)
        EXPECT_EQ(Shot.Canvas()->Pixels(x, (left.Top + headerBottom) / 2), fixed) << x;
    const TRect paid = Grid->CellScreenRect(3, 0);
    EXPECT_TRUE(HasInk(TRect(paid.Left + 2, paid.Top + 1, paid.Right - 2, paid.Bottom - 1), fixed));
    // The footer row: its text on the footer colour.
    const int footerRow = Grid->TotalRowsCount() - 1;
    const TRect footer = Grid->CellScreenRect(2, footerRow);
    EXPECT_EQ(Shot.Canvas()->Pixels(footer.Left + 1, footer.Top + footer.Height() / 2), ColorToRGB(Grid->FooterColor()));
    EXPECT_TRUE(HasInk(TRect(footer.Left + 1, footer.Top + 1, footer.Right - 1, footer.Bottom - 1),
                       TColor(ColorToRGB(Grid->FooterColor()))));
    // The marked record that is not current: highlighted without the focus, its indicator dark.
    const TRect ind = Grid->CellScreenRect(0, DataRow(1));
    EXPECT_EQ(Shot.Canvas()->Pixels(ind.Left + 2, ind.Top + 2), TColor(RGB(64, 64, 64)));
    EXPECT_NE(Shot.Canvas()->Pixels(Blank(2, DataRow(1)).X, Blank(2, DataRow(1)).Y), ColorToRGB(Grid->Color()));
}

TEST_F(GridPaintProbe, StandardDrawingFromTheEventKeepsAOnePixelBorderWithFooter3D) {
    Open();
    Grid->SetOptionsGx((Grid->OptionsGx() | dghFooter3D) & ~dghData3D);
    const TColor mine = TColor(RGB(10, 200, 10));
    Grid->OnDrawColumnCell = [&](TObject*, const TRect& R, int DataCol, TColumnGx* Column, TGridDrawState State) {
        Grid->Canvas()->Brush()->SetColor(mine);
        Grid->DrawColumnCellStandard(R, DataCol, Column, State);
    };
    Grid->Invalidate();
    const TRect r = Grid->CellScreenRect(2, DataRow(3));
    EXPECT_EQ(At(r.Left + 1, r.Top + 1), mine);
    EXPECT_NE(At(r.Left, r.Top + r.Height() / 2), mine);
}

TEST_F(GridPaintProbe, HideDuplicatesOverThreeEqualValues) {
    Fill(5);
    Run("update T_grid set F_text = 'same' where F_int between 2 and 4");
    Grid->BeginLayout();
    for (const char* n : {"F_int", "F_text", "F_float"}) Grid->Columns()->AddColumn()->SetFieldName(n);
    Grid->EndLayout();
    OpenGrid();
    const TColor mine = TColor(RGB(250, 240, 200));
    TColumnGx* col = Grid->Columns()->ColumnAt(1);
    col->SetColor(mine);
    col->SetHideDuplicates(true);
    auto text = [&](int I) {
        const TRect r = Grid->CellScreenRect(2, DataRow(I));
        return HasInk(TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), mine);
    };
    EXPECT_TRUE(text(1));
    EXPECT_FALSE(text(2));
    EXPECT_FALSE(text(3));
    EXPECT_TRUE(text(4));
    // The row lines inside the run are painted over in the column colour, the ones around it stay.
    auto lineBelow = [&](int I) {
        const TRect r = Grid->CellScreenRect(2, DataRow(I));
        return At(r.Left + r.Width() / 2, r.Bottom);
    };
    EXPECT_NE(lineBelow(0), mine);
    EXPECT_EQ(lineBelow(1), mine);
    EXPECT_EQ(lineBelow(2), mine);
    EXPECT_NE(lineBelow(3), mine);
}

TEST_F(GridPaintProbe, GridCellAndFooterParamsEvents) {
    Open();
    const TColor mine = TColor(RGB(10, 200, 10)), foot = TColor(RGB(200, 10, 200));
    TColor seenByColumn = clNone;
    Grid->OnGetCellParams = [&](TObject*, TColumnGx* Column, TFont*, TColor& Background, TGridDrawState) {
        if (Column == Grid->Columns()->ColumnAt(1)) Background = mine;
    };
    Grid->Columns()->ColumnAt(1)->OnGetCellParams = [&](TObject*, bool, TColCellParamsGx* P) {
        seenByColumn = P->Background;
    };
    Grid->SetFooterRowCount(1);
    std::vector<int> drawnFooters;
    Grid->OnGetFooterParams = [&](TObject*, int DataCol, int Row, TColumnGx*, TFont*, TColor& Background,
                                  TAlignment&, TGridDrawState, String& Text) {
        if (DataCol == 1 && Row == 0) Background = foot, Text.clear();
    };
    Grid->OnDrawFooterCell = [&](TObject*, int DataCol, TGridDrawState, const TRect&, TColumnGx*, int) {
        drawnFooters.push_back(DataCol);
    };
    EXPECT_EQ(BlankAt(2, DataRow(3)), mine);
    EXPECT_EQ(seenByColumn, mine);
    const TRect f = Grid->CellScreenRect(2, Grid->TotalRowsCount() - 1);
    EXPECT_EQ(At(f.Left + f.Width() / 2, f.Top + f.Height() / 2), foot);
    EXPECT_NE(std::find(drawnFooters.begin(), drawnFooters.end(), 1), drawnFooters.end());
}

TEST_F(GridPaintProbe, RowNumbersInTheIndicatorWhileBrowsingAndInserting) {
    Open(5);
    Grid->ShowSerialNo = true;
    Grid->RequestLayout();
    // Whether the indicator cell of the grid row shows the number where it belongs: at the
    // indicator's left (the column is as wide as the widest number and the image), its bottom two
    // pixels above the cell's bottom, in the cell's font (the grid's, for a row that is not
    // highlighted).
    auto shows = [&](int Row, const String& Text) {
        const TRect ind = Grid->CellScreenRect(0, Row), cell = Grid->CellScreenRect(1, Row);
        TBitmap expected(ind.Width(), ind.Height());
        TCanvas* e = expected.Canvas();
        e->Brush()->SetColor(Grid->FixedColor());
        e->FillRect(TRect(0, 0, ind.Width(), ind.Height()));
        e->Font()->Assign(*Grid->Font());
        e->Brush()->SetStyle(bsClear);
        const int x = TCustomDBGridGx::SerialNoX(ind.Width(), e->TextWidth(Text));
        const int y = cell.Bottom - e->TextHeight("0") - 2 - ind.Top;
        e->TextOut(x, y, Text);
        GrabControl(Grid, Shot);
        int inked = 0, same = 0;
        for (int py = 0; py < ind.Height(); ++py)
            for (int px = 0; px < ind.Width(); ++px) {
                const TColorRef c = ColorToRGB(e->Pixels(px, py));
                if (GetRValue(c) + GetGValue(c) + GetBValue(c) > 300) continue;
                ++inked;
                if (Shot.Canvas()->Pixels(ind.Left + px, ind.Top + py) == e->Pixels(px, py)) ++same;
            }
        return inked > 0 && same == inked;
    };
    for (int i : {2, 3, 4}) EXPECT_TRUE(shows(DataRow(i), IntToStr(i + 1))) << "record " << i + 1;
    EXPECT_FALSE(shows(DataRow(3), "3"));
    // While a record is inserted the rows are numbered by their place in the grid.
    Q->MoveBy(2);
    Q->Insert();
    for (int i : {3, 4, 5}) EXPECT_TRUE(shows(DataRow(i), IntToStr(i + 1))) << "grid row " << i;
    Q->Cancel();
    // The highlighted current row: its number keeps the grid's font (it took the highlighted
    // first cell's white and vanished on the light indicator).
    Grid->SetOptions(Grid->Options() | dgRowSelect | dgAlwaysShowSelection);
    Grid->SetFocus();
    Q->First();
    EXPECT_TRUE(shows(DataRow(0), "1"));
}

TEST_F(GridPaintProbe, RightToLeftGridWritesItsTextReadableAtTheCellsStart) {
    Open();
    Grid->SetRightToLeft(true);
    const TRect cell = Grid->CellScreenRect(2, DataRow(2)); // "t3", left-justified
    GrabControl(Grid, Shot);
    EXPECT_GT(cell.Left, Grid->CellScreenRect(3, DataRow(2)).Right) << "the first columns are at the right";
    // The text starts at the cell's right (its reading start), written as an upright "t3".
    TBitmap expected(cell.Width(), cell.Height());
    TCanvas* e = expected.Canvas();
    e->Brush()->SetColor(Grid->Color());
    e->FillRect(TRect(0, 0, cell.Width(), cell.Height()));
    e->Font()->Assign(*Grid->Font());
    const int w = e->TextWidth("t3");
    e->TextOut(cell.Width() - w - 3, 2, "t3");
    int inked = 0, same = 0, farLeft = cell.Right;
    for (int y = 0; y < cell.Height(); ++y)
        for (int x = 0; x < cell.Width(); ++x) {
            if (Shot.Canvas()->Pixels(cell.Left + x, cell.Top + y) != TColor(ColorToRGB(Grid->Color())))
                farLeft = std::min(farLeft, cell.Left + x);
            const TColorRef c = ColorToRGB(e->Pixels(x, y));
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) > 300) continue;
            ++inked;
            if (Shot.Canvas()->Pixels(cell.Left + x, cell.Top + y) == e->Pixels(x, y)) ++same;
        }
    EXPECT_GT(inked, 0);
    EXPECT_EQ(same, inked);
    EXPECT_GE(farLeft, cell.Right - w - 4) << "nothing else in the cell";
    // What the cell draws after its text lands on the cell too: the frame of a 3D data cell.
    Grid->SetOptionsGx(Grid->OptionsGx() | dghData3D);
    GrabControl(Grid, Shot);
    EXPECT_EQ(Shot.Canvas()->Pixels(cell.Left + 2, cell.Top), TColor(ColorToRGB(clBtnHighlight)));
    EXPECT_EQ(Shot.Canvas()->Pixels(cell.Right - 1, cell.Bottom - 1), TColor(ColorToRGB(clBtnShadow)));
}

TEST_F(GridPaintProbe, CheckBoxCellsShowTheirStateInABoxCentredInTheCell) {
    Open();
    TColumnGx* col = Grid->Columns()->ColumnAt(0);
    col->SetCheckboxes(true);
    col->KeyList()->SetCommaText("3,4"); // 3 checked, 4 unchecked
    col->SetColor(clWhite);
    const TSize box = StandardCheckBoxSize();
    struct Case {
        int Record;
        bool Mark;
    } cases[] = {{3, true}, {4, false}};
    GrabControl(Grid, Shot);
    for (const Case& k : cases) {
        const TRect cell = Grid->CellScreenRect(1, DataRow(k.Record - 1));
        const int left = cell.Left + (cell.Width() - box.cx) / 2, top = cell.Top + (cell.Height() - box.cy) / 2;
        const int midY = top + box.cy / 2;
        EXPECT_NE(Shot.Canvas()->Pixels(left, midY), clWhite) << "the box's left side " << k.Record;
        EXPECT_NE(Shot.Canvas()->Pixels(left + box.cx - 2, midY), clWhite) << "its right side " << k.Record;
        EXPECT_EQ(Shot.Canvas()->Pixels(left - 1, midY), clWhite) << k.Record;
        EXPECT_EQ(Shot.Canvas()->Pixels(left + box.cx, midY), clWhite) << k.Record;
        int dark = 0;
        for (int y = top + 3; y < top + box.cy - 3; ++y)
            for (int x = left + 3; x < left + box.cx - 3; ++x) {
                const TColorRef c = ColorToRGB(Shot.Canvas()->Pixels(x, y));
                if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) ++dark;
            }
        EXPECT_EQ(dark > 0, k.Mark) << k.Record;
    }
}
