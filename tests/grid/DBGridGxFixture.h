// A data grid on a shown form over a query of a temporary database: T_grid holds an integer, a
// text and a float column and as many rows as a test asks for. The grid notes every invalidated
// rectangle; its font is pinned so that measured sizes do not depend on the machine's fonts.
#pragma once

#include "grid/DBGridGx.h"
#include "gui/ClassicEdges.h"
#include "gui/Forms.h"
#include "platform/db/DbFixture.h"
#include "rtl/Format.h"

#include <vector>

class TTestDBGrid : public TDBGridGx {
public:
    using TDBGridGx::TDBGridGx;
    std::vector<TRect> Invalidated;
    void InvalidateGridRect(const TRect& R) override {
        Invalidated.push_back(R);
        TDBGridGx::InvalidateGridRect(R);
    }
    bool InvalidatedAt(int X, int Y) const {
        for (const TRect& r : Invalidated)
            if (PtInRect(r, TPoint(X, Y))) return true;
        return false;
    }
};

inline void PinFont(TFont* F) {
    F->SetName("DejaVu Sans");
    F->SetHeight(-12);
}

// A grid with pinned fonts, 500 x 300 at the top left of the form, which becomes 600 x 400 and
// shows.
inline TDBGridGx* ShowGridOnForm(TForm& Form) {
    Form.SetBounds(0, 0, 600, 400);
    auto* grid = new TDBGridGx(&Form);
    PinFont(grid->Font());
    PinFont(grid->TitleFont());
    grid->SetParent(&Form);
    grid->SetBounds(0, 0, 500, 300);
    Form.Show();
    return grid;
}

class DBGridTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        Run("create table T_grid (F_ID counter, F_int long, F_text text(20), F_float double)");
        form.SetBounds(0, 0, 700, 500);
        Grid = new TTestDBGrid(&form);
        PinFont(Grid->Font());
        PinFont(Grid->TitleFont());
        Grid->SetParent(&form);
        Grid->SetBounds(0, 0, 500, 300);
        form.Show();
    }
    // Inserts n rows F_int = 1..n, F_text "t1".."tn", F_float = i / 2.
    void Fill(int n) {
        Cnn->BeginTrans();
        for (int i = 1; i <= n; ++i)
            Run("insert into T_grid (F_int, F_text, F_float) values (" + IntToStr(i) + ", 't" + IntToStr(i) +
                "', " + FloatToStr(i / 2.0) + ")");
        Cnn->CommitTrans();
    }
    void OpenGrid(const String& sql = "select F_int, F_text, F_float from T_grid order by F_ID") {
        Q = Query(sql);
        Q->Open();
        Source.SetDataSet(Q.get());
        Grid->SetDataSource(&Source);
    }
    void TearDown() override {
        delete Grid;
        Q.reset();
    }
    TForm form{nullptr};
    TTestDBGrid* Grid = nullptr;
    TDataSource Source{nullptr};
    std::unique_ptr<TADOQuery> Q;
};

// The grid painted in the classic look, as pixel probes expect it; the themed look comes back after.
class UnthemedGridTest : public DBGridTest {
protected:
    void SetUp() override {
        DBGridTest::SetUp();
        SetThemedElementsEnabled(false);
    }
    void TearDown() override {
        SetThemedElementsEnabled(true);
        DBGridTest::TearDown();
    }
};
