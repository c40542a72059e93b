// A base grid for the tests: each cell writes its address, every invalidated rectangle is noted,
// and the protected parts the tests reach are opened.
#pragma once

#include "grid/GridsGx.h"
#include "gui/Forms.h"
#include "gui/Graphics.h"
#include "rtl/Format.h"
#include "rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

class TTestGrid : public TCustomGridGx {
public:
    explicit TTestGrid(TComponent* AOwner) : TCustomGridGx(AOwner) {}

    struct TPainted {
        int Col, Row;
        TRect Rect;
        TGridDrawState State;
    };
    std::vector<TPainted> Painted;
    std::vector<TRect> Invalidated;
    bool AllowSelect = true;
    std::vector<String> EditTexts = std::vector<String>(64);
    std::vector<std::pair<TGridCoord, String>> Posted;
    std::vector<TGridCoord> ClickedCells;
    std::vector<TPoint> ClickedAt;
    int MaxLength = 0;

    void PaintCell(int Col, int Row, const TRect& R, TGridDrawState State) override {
        Painted.push_back({Col, Row, R, State});
        TCanvas* c = Canvas();
        c->Font()->SetColor(clBlack);
        c->Brush()->SetStyle(bsClear);
        c->TextOut(R.Left + 2, R.Top + 2, IntToStr(Col) + ":" + IntToStr(Row));
    }
    void InvalidateGridRect(const TRect& R) override {
        Invalidated.push_back(R);
        TCustomGridGx::InvalidateGridRect(R);
    }
    bool CanSelectCell(int, int) override { return AllowSelect; }
    String GetCellEditText(int Col, int Row) override {
        return EditTexts[static_cast<size_t>((Row * 8 + Col) % 64)];
    }
    void SetCellEditText(int Col, int Row, const String& Text) override {
        Posted.push_back({TGridCoord{Col, Row}, Text});
    }
    int GetEditorMaxLength() override { return MaxLength; }
    void DefaultCellMouseClick(TGridCoord Cell, TMouseButton, TShiftState, int X, int Y) override {
        ClickedCells.push_back(Cell);
        ClickedAt.push_back(TPoint(X, Y));
    }
    // Whether some invalidated rectangle holds the point.
    bool InvalidatedAt(int X, int Y) const {
        for (const TRect& r : Invalidated)
            if (PtInRect(r, TPoint(X, Y))) return true;
        return false;
    }

    using TCustomGridGx::ApplyScrollCommand;
    using TCustomGridGx::HitTestSizing;
    using TCustomGridGx::ShiftAxisCells;
    using TCustomGridGx::TSizingHit;
};

// A test grid of 500 x 300 pixels shown on a form, without scroll bars.
struct TShownGridTest : ::testing::Test {
    TForm form{nullptr};
    TTestGrid* grid = nullptr;
    void SetUp() override {
        form.SetBounds(0, 0, 700, 500);
        grid = new TTestGrid(&form);
        grid->SetParent(&form);
        grid->SetBounds(0, 0, 500, 300);
        grid->SetScrollBarsShown(ssNone);
        form.Show();
    }
};

// Runs F and returns the message of the EInvalidGridOperationGx it raises ("" when none).
template <class F> String GridErrorOf(F&& f) {
    try {
        f();
    } catch (const EInvalidGridOperationGx& e) {
        return e.Message();
    }
    return String();
}
