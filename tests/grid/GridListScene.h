// A grid as a list window shows it: titles, row numbers, a frozen column, 200 data rows and two
// footer rows. The checks are shared by the offscreen test and the one on a real display; each
// passes in how it takes the picture.
#pragma once

#include "GridTestSupport.h"

#include "gui/Bitmap.h"
#include "gui/InputSimulation.h"

#include <functional>

class TListLikeGrid : public TTestGrid {
public:
    using TTestGrid::TTestGrid;
    void PaintCell(int Col, int Row, const TRect& R, TGridDrawState State) override {
        TCanvas* c = Canvas();
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(State.Contains(gdFixed) ? FixedColor()
                             : Row >= RowsCount()    ? 0x00E0F0FF
                                                     : Color());
        if (State.Contains(gdSelected) && !State.Contains(gdFixed)) c->Brush()->SetColor(0x00FFE8D0);
        c->FillRect(R);
        String text;
        if (Row == 0)
            text = Col == 0 ? "No." : Col == 1 ? "House" : "Fee " + IntToStr(Col);
        else if (Row >= RowsCount())
            text = Col == 1   ? (Row == RowsCount() ? "Sum" : "Avg")
                   : Col >= 2 ? IntToStr(Col * 1000 + Row)
                              : "";
        else
            text = Col == 0   ? IntToStr(Row)
                   : Col == 1 ? "A-" + IntToStr(100 + Row)
                              : IntToStr(Col * Row) + ".00";
        c->Font()->SetColor(clBlack);
        c->Brush()->SetStyle(bsClear);
        c->TextOut(R.Left + 3, R.Top + 4, text);
    }
};

// 200 data rows, a title column and a frozen one, two footer rows, filling a shown form.
inline TListLikeGrid* ShowListGrid(TForm& form, int Cols) {
    form.SetCaption("Grid");
    form.SetBounds(40, 40, 620, 420);
    auto* grid = new TListLikeGrid(&form);
    grid->SetParent(&form);
    grid->SetAlign(alClient);
    grid->SetColsCount(Cols);
    grid->SetRowsCount(201);
    grid->SetFixedColsCount(2);
    grid->SetFrozenColCount(1);
    grid->SetContraRowCount(2);
    form.Show();
    Application()->ProcessMessages();
    return grid;
}

inline TColor PixelAt(TBitmap& b, int x, int y) {
    return static_cast<TColor>(ColorToPixelRGB(b.Canvas()->Pixels(x, y)));
}

// Takes the picture of a control; false when it cannot.
using TGridShot = std::function<bool(TControl*, TBitmap&)>;

// Scrolls the grid to row 50, drags column 3's line 30 pixels to the right and checks the picture
// taken meanwhile at the line positions the layout computes.
inline void CheckScrolledWhileSizing(TListLikeGrid* grid, const TGridShot& Shot) {
    grid->SetColWidthAt(0, 40);
    grid->SetColWidthAt(1, 80);
    grid->SetGridOptions(grid->GridOptions() + TGridOptions{goColSizing});
    grid->SetFocus();
    Application()->ProcessMessages();
    grid->MoveFocus(3, 55, true, true);
    grid->MoveTopLeftTo(2, 50);
    ASSERT_EQ(grid->TopLeftCell(), (TGridCoord{2, 50}));

    // Start sizing column 3 by its line in the titles and drag it 30 pixels to the right.
    GridLayout l = grid->CalcGridLayout();
    const int line = TCustomGridGx::CellStartPos(l.Cols, 3) + grid->ColWidthAt(3);
    SimulateMouseDown(grid, mbLeft, line, 10);
    ASSERT_EQ(grid->GridActivity(), gaColSizing);
    SimulateMouseMove(grid, line + 30, 10, TShiftState{ssLeft});
    grid->Repaint();
    Application()->ProcessMessages();

    TBitmap shot;
    ASSERT_TRUE(Shot(grid, shot));
    ASSERT_EQ(shot.Width(), grid->Width());

    l = grid->CalcGridLayout();
    const int dataY = TCustomGridGx::CellStartPos(l.Rows, 52) + 20; // below the text of row 52
    // The frozen column's right edge and the title column's line.
    EXPECT_EQ(PixelAt(shot, l.Cols.FixedEnd - 1, dataY), clBlack);
    EXPECT_EQ(PixelAt(shot, 40, dataY), clBlack);
    // The first data line after the first visible scrolling column.
    const int dataLine = l.Cols.FixedEnd + grid->ColWidthAt(2);
    EXPECT_EQ(PixelAt(shot, dataLine, dataY), clSilver);
    EXPECT_EQ(PixelAt(shot, dataLine, TCustomGridGx::CellStartPos(l.Rows, 53) - 1), clSilver);
    // The footer strip's top line, footers below it in their colour.
    EXPECT_EQ(l.Rows.ContraStart, grid->ClientHeight() - 2 * 25 - 1);
    EXPECT_EQ(PixelAt(shot, dataLine + 10, l.Rows.ContraStart), clBlack);
    EXPECT_EQ(PixelAt(shot, dataLine + 40, l.Rows.ContraStart + 22), 0x00E0F0FF);
    // The dotted sizing line inverts the white cells it crosses: dark pixels where it runs.
    int dark = 0;
    for (int y = dataY; y < dataY + 4; ++y)
        if (PixelAt(shot, line + 30, y) != 0xFFFFFF) ++dark;
    EXPECT_GE(dark, 1);
    EXPECT_EQ(PixelAt(shot, line + 29, dataY), 0xFFFFFF);

    SimulateMouseUp(grid, mbLeft, line + 30, 10);
    EXPECT_EQ(grid->ColWidthAt(3), 64 + 30);
}
