// A small grid to print: T_print holds an integer, a text, a float and a long text column over a
// temporary database; the grid shows the first three with titles, and a footer row that sums
// the integers, counts the texts and sums the floats. Pages are recorded by a recorder that
// measures the fixed page of a missing printer (4676 x 6744 at 600 dpi), so positions do not
// depend on the machine's printers.
#pragma once

#include "grid/DBGridGx.h"
#include "gridprint/PrViewGxBox.h"
#include "gridprint/PrnDbggx.h"
#include "gui/Forms.h"
#include "platform/db/DbFixture.h"
#include "rtl/Format.h"

#include <optional>
#include <vector>

class TNoPrinterRecorder : public TPrinterPreview {
public:
    bool HasPrinter() override { return false; }
    std::vector<String> Printers() override { return {}; }
};

// A grid printer whose grid has one footer row of sums and counts.
class TFooterGridPrinter : public TPrintDBGridGx {
public:
    using TPrintDBGridGx::TPrintDBGridGx;
    std::vector<TPrintFooterCell> Footers; // per printed column of row 0
    int FooterRowsAsked = 0;
    TPrintFooterCell FooterCell(TColumnGx* Column, int Row) override {
        TPrintFooterCell cell = TPrintDBGridGx::FooterCell(Column, Row);
        int i = Column->Index();
        if (Row == 0 && i < static_cast<int>(Footers.size())) {
            TPrintFooterCell f = Footers[static_cast<size_t>(i)];
            f.Font = cell.Font;
            return f;
        }
        return cell;
    }
};

class GridPrintTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        Run("create table T_print (F_ID counter, F_int long, F_text text(50), F_float double, F_memo "
            "text(255))");
        Grid = new TDBGridGx(&form);
        Grid->SetParent(&form);
        Grid->Font()->SetName("DejaVu Sans");
        Grid->Font()->SetHeight(-12);
        Grid->TitleFont()->SetName("DejaVu Sans");
        Grid->TitleFont()->SetHeight(-12);
        Grid->SetBounds(0, 0, 500, 300);
        Grid->BeginLayout();
        for (const char* f : {"F_int", "F_text", "F_float"}) {
            TColumnGx* c = Grid->Columns()->AddColumn();
            c->SetFieldName(f);
            c->Title()->SetCaption(String("T") + (f + 2));
            c->SetWidth(80);
        }
        Grid->EndLayout();
        Printer.SetDBGridGx(Grid);
        Printer.Page()->SetTopMargin(Currency::FromInt(1));
        Printer.Page()->SetBottomMargin(Currency::FromInt(1));
        Printer.Page()->SetLeftMargin(Currency::FromInt(1));
        Printer.Page()->SetRightMargin(Currency::FromInt(1));
    }
    void TearDown() override {
        delete Grid;
        Grid = nullptr;
        Q.reset();
    }
    // Rows F_int = 1..n, F_text "t1".."tn", F_float = i / 2.
    void Fill(int n) {
        Cnn->BeginTrans();
        for (int i = 1; i <= n; ++i)
            Run("insert into T_print (F_int, F_text, F_float) values (" + IntToStr(i) + ", 't" + IntToStr(i) +
                "', " + FloatToStr(i / 2.0) + ")");
        Cnn->CommitTrans();
    }
    void Open() {
        Q = Query("select F_int, F_text, F_float, F_memo from T_print order by F_ID");
        Q->Open();
        Source.SetDataSet(Q.get());
        Grid->SetDataSource(&Source);
    }
    void WithFooters() {
        Grid->SetFooterRowCount(1);
        TPrintFooterCell sum, count, money;
        sum.ValueType = fvtSum;
        count.ValueType = fvtCount;
        money.ValueType = fvtSum;
        money.DisplayFormat = "0.00";
        Printer.Footers = {sum, count, money};
    }
    void Print() { Printer.PrintToPrinter(&Recorder); }
    int Pages() const { return Recorder.RecordedPageCount(); }
    std::vector<TMetaTextRecord> Texts(int page) const { return Recorder.RecordedPage(page)->TextRecords(); }
    // The texts of a page in recording order, joined with "|".
    String Joined(int page) const {
        String out;
        for (const TMetaTextRecord& r : Texts(page))
            out += (out.empty() ? "" : "|") + r.Text;
        return out;
    }
    std::optional<TMetaTextRecord> Find(int page, const String& text) const {
        for (const TMetaTextRecord& r : Texts(page))
            if (r.Text == text) return r;
        return std::nullopt;
    }

    TForm form{nullptr};
    TDBGridGx* Grid = nullptr;
    TDataSource Source{nullptr};
    std::unique_ptr<TADOQuery> Q;
    TFooterGridPrinter Printer{nullptr};
    TNoPrinterRecorder Recorder;
};
