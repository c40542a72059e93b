// Printing prepared pages on a printer that records what it is asked and what each sheet shows:
// page lists, odd and even pages and order, termination, copies and collation, duplex, the print
// dialog, the four print modes with their sheet arithmetic, missing and invalid printers,
// failures during a job, and PaintPage telling a printer by its device.
#include "vrPrintTools.h"

#include "gui/Interaction.h"
#include "gui/Metafile.h"
#include "report/vrPrintDialog.h"
#include "rtl/CodePage.h"
#include "rtl/StrUtils.h"

#include <gtest/gtest.h>

namespace {

std::vector<String> Rows(std::initializer_list<int> numbers, const char* prefix = "P") {
    std::vector<String> rows;
    for (int n : numbers)
        rows.push_back(prefix + IntToStr(n));
    return rows;
}

class PrintPages : public ::testing::Test {
protected:
    void Build(Integer rows) {
        Made.AddPage(rows);
        Made.Prepare();
    }
    bool Print() { return Made.Pages()->SendToPrinter(); }
    TRecordingPrinter* Printer() const { return Printers.Printer(); }
    std::vector<String> Printed() const { return Printer()->SheetTexts("P"); }
    void Forget() {
        Printer()->Log.clear();
        Printer()->Sheets.clear();
    }

    TRecorderScope Printers; // before the report: its pages take the printer's paper
    TPrintReport Made;
    TvrPrintOptions& Options = *Made.Report.PrintOptions();
    TScriptedResponder User;
    TInteractionScope Scope{User};
};

} // namespace

TEST_F(PrintPages, PageListsParityAndOrderChooseThePages) {
    Build(7);
    struct TCase {
        const char* Numbers;
        TvrPrintPages Parity;
        bool Reverse;
        std::vector<String> Sheets;
    } cases[] = {
        {"", ppAll, false, Rows({1, 2, 3, 4, 5, 6, 7})},
        {"1,3,5-", ppAll, false, Rows({1, 3, 5, 6, 7})},
        {"8", ppAll, false, {}},
        {"3-1", ppAll, false, {}}, // names no page: nothing, not every page
        {"10-20", ppAll, false, {}},
        {"", ppOdd, false, Rows({1, 3, 5, 7})},
        {"", ppEven, false, Rows({2, 4, 6})},
        {"", ppEven, true, Rows({6, 4, 2})},
        {"5, 2", ppAll, true, Rows({2, 5})},
    };
    for (const TCase& c : cases) {
        Forget();
        Options.PageNumbers = c.Numbers;
        Options.PrintPages = c.Parity;
        Options.Reverse = c.Reverse;
        EXPECT_TRUE(Print()) << c.Numbers;
        EXPECT_EQ(Printed(), c.Sheets) << c.Numbers << " " << c.Parity;
        if (c.Sheets.empty()) {
            EXPECT_EQ(Printer()->LogText(), "") << c.Numbers;
        }
    }
}

// Stopping the report (the progress window's Cancel sets the same flag) aborts the document at
// the next page; the sheets sent stay sent, and no further copy begins.
TEST_F(PrintPages, AStoppedReportAbortsTheDocumentAfterThePageItStoppedOn) {
    Build(7);
    Made.Report.ReportOptions()->Name = "收费单";
    std::vector<String> progress;
    Made.Report.OnProgressStart = [&](TvrReport*, TvrProgressType kind, Integer) {
        progress.push_back("start " + IntToStr(kind));
    };
    Made.Report.OnProgress = [&](TvrReport* report, TvrProgressType, Integer page) {
        progress.push_back(IntToStr(page));
        if (page == 3) report->Terminated = true;
    };
    Made.Report.OnProgressStop = [&](TvrReport*, TvrProgressType kind, Integer) {
        progress.push_back("stop " + IntToStr(kind));
    };
    Options.Copies = 2;
    EXPECT_TRUE(Print());
    EXPECT_EQ(Printed(), Rows({1, 2, 3}));
    EXPECT_EQ(progress, (std::vector<String>{"start 2", "1", "2", "3", "stop 2"}));
    EXPECT_EQ(Printer()->LogText(), "paper 9 P 210x297 copies=1 duplex=dmNone bin=7\nstart 收费单\n"
                                    "page\nend\npage\nend\npage\nend\nabort");
}

TEST_F(PrintPages, CollatedCopiesRepeatTheSequenceUncollatedOnesTheSheets) {
    Build(3);
    std::vector<Integer> copies;
    Made.Report.OnPrintPage = [&](TvrComponent*, Integer copy) { copies.push_back(copy); };
    Options.Copies = 2;
    EXPECT_TRUE(Print());
    EXPECT_EQ(Printed(), Rows({1, 2, 3, 1, 2, 3}));
    EXPECT_EQ(copies, (std::vector<Integer>{1, 1, 1, 2, 2, 2}));
    EXPECT_EQ(Printer()->Log.front(), "paper 9 P 210x297 copies=1 duplex=dmNone bin=7");

    Forget();
    copies.clear();
    Options.Collate = false;
    EXPECT_TRUE(Print());
    EXPECT_EQ(Printed(), Rows({1, 2, 3}));
    EXPECT_EQ(copies, (std::vector<Integer>{1, 1, 1}));
    EXPECT_EQ(Printer()->Log.front(), "paper 9 P 210x297 copies=2 duplex=dmNone bin=7");
    EXPECT_EQ(Made.Pages()->CopyNo, 0);
}

// A copy of a two-sided report that ends on a front side gets a blank back, so that the next
// copy starts on a sheet of its own.
TEST_F(PrintPages, CollatedTwoSidedCopiesEachStartOnAFrontSide) {
    struct TCase {
        Integer Pages;
        TvrDuplexMode PageDuplex, Override;
        std::vector<String> Sheets;
    } cases[] = {
        {3, dmVertical, dmNone, {"P1", "P2", "P3", "", "P1", "P2", "P3"}},
        {2, dmVertical, dmNone, {"P1", "P2", "P1", "P2"}},
        {3, dmNone, dmNone, {"P1", "P2", "P3", "P1", "P2", "P3"}},
        {3, dmNone, dmHorizontal, {"P1", "P2", "P3", "", "P1", "P2", "P3"}},
        {3, dmVertical, dmSimplex, {"P1", "P2", "P3", "P1", "P2", "P3"}},
    };
    for (const TCase& c : cases) {
        TPrintReport made;
        made.AddPage(c.Pages)->Duplex = c.PageDuplex;
        made.Prepare();
        made.Report.PrintOptions()->Copies = 2;
        made.Report.PrintOptions()->DuplexOverride = c.Override;
        Forget();
        EXPECT_TRUE(made.Pages()->SendToPrinter());
        EXPECT_EQ(Printer()->SheetTexts("P"), c.Sheets)
            << c.Pages << " " << c.PageDuplex << " " << c.Override;
        EXPECT_EQ(made.Report.PrintOptions()->DuplexOverride, c.Override);
    }
}

// What the user changes in the dialog holds for the job only, except the duplex; the dialog's
// file (here none) is the printer's, not the options' own.
TEST_F(PrintPages, TheDialogsChoicesHoldForTheJobOnlyButItsDuplexStays) {
    Build(3);
    Made.Report.ReportOptions()->Name = "收费单";
    Options.ShowDialog = true;
    Options.OutputFileName = "/tmp/unused.prn";
    User.Form([](TCustomForm* f) {
        auto* d = static_cast<TvrPrintDialog*>(f);
        d->CopiesE->SetText("2");
        d->CollateCB->SetChecked(false);
        d->PageNumbersE->SetText("2-3");
        d->PageNumbersRB->SetChecked(true);
        d->DuplexCB->SetItemIndex(dmVertical);
        return mrOk;
    });
    EXPECT_TRUE(Print());
    EXPECT_EQ(Printed(), Rows({2, 3}));
    EXPECT_EQ(Printer()->Log[0], "paper 9 P 210x297 copies=2 duplex=dmVertical bin=7");
    EXPECT_EQ(Printer()->Log[1], "start 收费单");
    EXPECT_EQ(Options.Copies, 1);
    EXPECT_TRUE(Options.Collate);
    EXPECT_EQ(Options.PageNumbers, "");
    EXPECT_TRUE(Options.ShowDialog);
    EXPECT_EQ(Options.DuplexOverride, dmVertical);

    // Without the dialog the options' file is the printer's.
    Forget();
    Options.ShowDialog = false;
    EXPECT_TRUE(Print());
    EXPECT_EQ(Printer()->Log[1], "start 收费单 > /tmp/unused.prn");

    // Cancel prints nothing.
    Forget();
    Options.ShowDialog = true;
    User.Form([](TCustomForm*) { return mrCancel; });
    EXPECT_FALSE(Print());
    EXPECT_EQ(Printer()->LogText(), "");
    EXPECT_EQ(Made.Pages()->CopyNo, 0);
}

TEST_F(PrintPages, WithoutAPrinterOrWithAnInvalidOneNothingIsPrinted) {
    Build(2);
    {
        TRecorderScope none(std::vector<String>{});
        User.Answer(IDOK);
        EXPECT_FALSE(Print());
        ASSERT_FALSE(User.Requests().empty());
        EXPECT_EQ(User.Requests().back().Text, "在你的系统没有安装打印机");
    }
    User.Clear();
    TRecordingPrinter::Valid() = false;
    TRecorderScope invalid({"Ghost"});
    auto* ghost = invalid.Printer();
    ASSERT_NE(ghost, nullptr);
    EXPECT_FALSE(ghost->Initialized());
    std::vector<String> events;
    Made.Report.OnPrintReport = [&](TObject*) { events.push_back("print"); };
    Made.Report.OnAfterPrintReport = [&](TObject*) { events.push_back("after"); };
    User.Answer(IDOK);
    EXPECT_FALSE(Print());
    ASSERT_FALSE(User.Requests().empty());
    EXPECT_EQ(User.Requests().back().Text, "Printer selected is not valid");
    EXPECT_EQ(ghost->LogText(), "");
    EXPECT_EQ(events, (std::vector<String>{"print", "after"}));
}

TEST_F(PrintPages, TheDefaultModeSendsThePaperWhenItChanges) {
    TvrReportPage* first = Made.AddPage(2, DMPAPER_A4);
    first->Bin = DMBIN_UPPER;
    first->BinOtherPages = DMBIN_LOWER;
    Made.AddPage(2, DMPAPER_A3, "Q");
    Made.AddPage(1, DMPAPER_A4, "R", poLandscape);
    Made.Prepare();
    Made.Report.ReportOptions()->Name = "mixed";
    EXPECT_TRUE(Print());
    EXPECT_EQ(Printer()->LogText(), "paper 9 P 210x297 copies=1 duplex=dmNone bin=1\nstart mixed\npage\nend\n"
                                    "paper 9 P 210x297 copies=1 duplex=dmNone bin=2\npage\nend\n"
                                    "paper 8 P 297x420 copies=1 duplex=dmNone bin=7\npage\nend\npage\nend\n"
                                    "paper 9 L 297x210 copies=1 duplex=dmNone bin=7\npage\nend\nenddoc");
}

TEST_F(PrintPages, TheScaleModeFitsEachPageOnTheSheet) {
    Build(2);
    EXPECT_TRUE(Print());
    const TPrintedText actual = Printer()->Sheets[0][1]; // header, row
    ASSERT_EQ(actual.Text, "P1");

    Forget();
    Options.PrintMode = pmScale;
    Options.PrintOnSheet = DMPAPER_A5;
    std::vector<Extended> scales;
    Made.Report.OnProgress = [&](TvrReport*, TvrProgressType, Integer) {
        scales.push_back(Made.Pages()->PrintScale);
    };
    EXPECT_TRUE(Print());
    EXPECT_EQ(Printer()->Log[0], "paper 11 P 148x210 copies=1 duplex=dmNone bin=7");
    ASSERT_EQ(scales.size(), 2u);
    EXPECT_NEAR(static_cast<double>(scales[0]), 0.7048, 1e-4);
    EXPECT_EQ(Made.Pages()->PrintScale, 1);
    const TPrintedText scaled = Printer()->Sheets[0][1];
    ASSERT_EQ(scaled.Text, "P1");
    EXPECT_NEAR(scaled.X, actual.X * 148.0 / 210, 3);
    EXPECT_NEAR(scaled.Y, actual.Y * 210.0 / 297, 3);
}

// An A3 page on A4 sheets: turned, cut across its height, each piece clipped to the sheet's
// printable part, the overlap left blank after the first row. Margins that differ between the
// sides count on the side they lie on, so the page's foot is not lost.
TEST_F(PrintPages, TheSplitModeCutsALargePageOntoSheets) {
    TPrintReport made;
    made.AddPage(1, DMPAPER_A3);
    made.Prepare();
    made.Report.PrintOptions()->PrintMode = pmSplit;
    made.Report.PrintOptions()->PrintOnSheet = DMPAPER_A4;
    struct TCase {
        TvrSheetMargins Margins; // portrait
        std::vector<TRect> Clips;
    } cases[] = {
        {{0, 0, 0, 0}, {{0, 0, 2970, 2100}, {0, 30, 2970, 2100}}},
        {{5, 5, 5, 5}, {{0, 0, 2870, 2000}, {0, 30, 2870, 2000}, {0, 30, 2870, 2000}}},
        {{15, 0, 15, 0}, {{0, 0, 2970, 1800}, {0, 30, 2970, 1800}, {0, 30, 2970, 1800}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Margins.Left);
        TRecordingPrinter::Margins() = c.Margins;
        Forget();
        EXPECT_TRUE(made.Pages()->SendToPrinter());
        EXPECT_EQ(Printer()->Log[0], "paper 9 L 297x210 copies=1 duplex=dmNone bin=7");
        ASSERT_EQ(Printer()->Sheets.size(), c.Clips.size());
        int footers = 0;
        for (size_t s = 0; s < c.Clips.size(); ++s) {
            for (const TPrintedText& t : Printer()->Sheets[s]) {
                EXPECT_TRUE(t.Clipped);
                EXPECT_EQ(t.Clip, c.Clips[s]) << s;
                if (StartsStr("第", t.Text) && t.Y >= t.Clip.Top && t.Y < t.Clip.Bottom) ++footers;
            }
        }
        EXPECT_EQ(footers, 1); // the page's foot is printed once, inside a printable part
        EXPECT_EQ(Printer()->SheetTexts("P").front(), "P1");
    }
}

TEST_F(PrintPages, TheJoinModePutsPagesSideBySide) {
    struct TCase {
        Integer Paper;
        Integer Copies;
        const char* Sheet;
        std::vector<String> Sheets;
    } cases[] = {
        {DMPAPER_A4, 1, "paper 8 L 420x297 copies=1 duplex=dmNone bin=7", {"P1|P2", "P3"}},
        {DMPAPER_A4, 2, "paper 8 L 420x297 copies=1 duplex=dmNone bin=7", {"P1|P1", "P2|P2", "P3|P3"}},
        // Two Letter pages would run off an A3 sheet either way.
        {DMPAPER_LETTER, 1, "paper 8 P 297x420 copies=1 duplex=dmNone bin=7", {"P1", "P2", "P3"}},
    };
    for (const TCase& c : cases) {
        TPrintReport made;
        made.AddPage(3, c.Paper);
        made.Prepare();
        TvrPrintOptions& o = *made.Report.PrintOptions();
        o.PrintMode = pmJoin;
        o.PrintOnSheet = DMPAPER_A3;
        o.Copies = c.Copies;
        o.Reverse = true; // not for this mode
        Forget();
        EXPECT_TRUE(made.Pages()->SendToPrinter());
        EXPECT_EQ(Printer()->Log[0], c.Sheet);
        EXPECT_EQ(Printer()->SheetTexts("P"), c.Sheets) << c.Paper << " " << c.Copies;
    }
    // The second cell is a page's width to the right of the first.
    TPrintReport made;
    made.AddPage(2);
    made.Prepare();
    made.Report.PrintOptions()->PrintMode = pmJoin;
    made.Report.PrintOptions()->PrintOnSheet = DMPAPER_A3;
    Forget();
    made.Pages()->SendToPrinter();
    std::vector<TPrintedText> rows;
    for (const TPrintedText& t : Printer()->Sheets.front())
        if (StartsStr("P", t.Text)) rows.push_back(t);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].X - rows[0].X, 2100);
    EXPECT_EQ(rows[1].Y, rows[0].Y);
}

TEST(PrintSheets, PiecesCellsAndArrangements) {
    const struct {
        Extended Length, Unit;
        Integer Pieces, Cells;
    } counts[] = {
        {420, 297, 2, 1},    {297, 297, 1, 1},    {420, 210, 2, 2}, {305, 297, 1, 1},
        {310, 297, 2, 1},    {420, 207, 2, 2},    {420, 197, 3, 2}, {5, 297, 1, 1},
        {420, 215.9L, 2, 1}, {430, 215.9L, 2, 2}, {200, 297, 1, 1},
    };
    for (const auto& c : counts) {
        EXPECT_EQ(vrSplitPieces(c.Length, c.Unit), c.Pieces) << c.Length << "/" << c.Unit;
        EXPECT_EQ(vrJoinCells(c.Length, c.Unit), c.Cells) << c.Length << "/" << c.Unit;
    }
    const struct {
        Extended PageWidth, PageHeight;
        TvrSheetMargins Margins;
        Integer Across, Down;
        bool Turned;
    } splits[] = {
        {297, 420, {0, 0, 0, 0}, 1, 2, true},   {297, 420, {5, 5, 5, 5}, 1, 3, true},
        {297, 420, {15, 0, 15, 0}, 1, 3, true}, {297, 420, {0, 15, 0, 15}, 1, 2, true},
        {210, 297, {5, 5, 5, 5}, 1, 1, false},  {420, 594, {0, 0, 0, 0}, 2, 2, false},
    };
    for (const auto& s : splits) {
        const TvrSheetLayout l = vrSplitLayout(s.PageWidth, s.PageHeight, 210, 297, s.Margins, 3);
        EXPECT_EQ(l.Across, s.Across) << s.PageWidth << " " << s.Margins.Left << " " << s.Margins.Top;
        EXPECT_EQ(l.Down, s.Down) << s.PageWidth << " " << s.Margins.Left << " " << s.Margins.Top;
        EXPECT_EQ(l.Turned, s.Turned) << s.PageWidth;
    }
    const struct {
        Extended SheetWidth, SheetHeight, PageWidth, PageHeight;
        Integer Across, Down;
        bool Turned;
    } joins[] = {
        {297, 420, 210, 297, 2, 1, true},  {297, 420, 215.9L, 279.4L, 1, 1, false},
        {210, 297, 148, 210, 2, 1, true},  {297, 420, 105, 148, 4, 2, true},
        {210, 297, 297, 420, 1, 1, false},
    };
    for (const auto& j : joins) {
        const TvrSheetLayout l = vrJoinLayout(j.SheetWidth, j.SheetHeight, j.PageWidth, j.PageHeight);
        EXPECT_EQ(l.Across, j.Across) << j.PageWidth;
        EXPECT_EQ(l.Down, j.Down) << j.PageWidth;
        EXPECT_EQ(l.Turned, j.Turned) << j.PageWidth;
    }
}

TEST_F(PrintPages, APageOrSheetWithoutSizeEndsTheJobBeforeItStarts) {
    Build(3);
    // A page whose paper lost its size (a custom size of 0 read from a file, say).
    auto* source = static_cast<TvrReportPage*>(Made.Pages()->SourcePages()[0]);
    source->SetPaperSize(DMPAPER_USER);
    source->SetPaperWidth(0);
    for (TvrPrintMode mode : {pmDefault, pmScale, pmSplit, pmJoin}) {
        Forget();
        User.Clear();
        Options.PrintMode = mode;
        Options.PrintOnSheet = DMPAPER_A4;
        User.Answer(IDOK);
        EXPECT_FALSE(Print()) << mode;
        EXPECT_EQ(Printer()->LogText(), "") << mode;
        ASSERT_FALSE(User.Requests().empty());
        EXPECT_EQ(User.Requests().back().Text, vrInvalidPaperSize);
    }
    // A custom sheet of no size.
    source->SetPaperWidth(210);
    Made.Pages()->ClearPageCache();
    Forget();
    User.Clear();
    Options.PrintMode = pmScale;
    Options.PrintOnSheet = DMPAPER_USER;
    Printer()->SetPaperForView(DMPAPER_USER, poPortrait, 0, 0);
    User.Answer(IDOK);
    EXPECT_FALSE(Print());
    EXPECT_EQ(User.Requests().back().Text, vrInvalidPaperSize);
    Printer()->SetPaperForView(DMPAPER_A4, poPortrait, 0, 0);
}

// A failure of the printer or of the drawing in the middle of a job: a started document is
// abandoned, the options and the copy number come back, and the caller gets the error.
TEST_F(PrintPages, AnErrorDuringAJobAbandonsItAndReachesTheCaller) {
    Build(4);
    TRecordingPrinter::FailAtSheet() = 3;
    EXPECT_THROW(Print(), EPrinter);
    EXPECT_EQ(Printer()->LogText(),
              "paper 9 P 210x297 copies=1 duplex=dmNone bin=7\nstart \npage\nend\npage\nend");
    EXPECT_FALSE(Printer()->Printing());
    TRecordingPrinter::FailAtSheet() = 0;

    Forget();
    Options.ShowDialog = true;
    User.Form([](TCustomForm* f) {
        static_cast<TvrPrintDialog*>(f)->CopiesE->SetText("3");
        static_cast<TvrPrintDialog*>(f)->DuplexCB->SetItemIndex(dmHorizontal);
        return mrOk;
    });
    int pages = 0;
    Made.Report.OnPrintPage = [&](TvrComponent*, Integer) {
        if (++pages == 2) throw Exception("the handler failed");
    };
    EXPECT_THROW(Print(), Exception);
    EXPECT_EQ(Printer()->Log.back(), "abort");
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_EQ(Options.Copies, 1);
    EXPECT_EQ(Options.DuplexOverride, dmHorizontal);
    EXPECT_EQ(Made.Pages()->CopyNo, 0);
    EXPECT_EQ(Made.Pages()->PrintScale, 1);
}

// Objects that are not printable stay off every printer's canvas, and only off a printer's.
TEST_F(PrintPages, APrinterIsToldByItsDevice) {
    TvrReportPage* page = Made.AddPage(1);
    auto* hidden = new TvrMemoView(page->Children()[1]);
    hidden->SetName("Hidden");
    hidden->SetBounds(300, 0, 200, 20);
    hidden->SetText(u"屏幕专用");
    hidden->Printable = false;
    Made.Prepare();
    auto texts = [](const std::vector<TPrintedText>& records) {
        String all;
        for (const TPrintedText& t : records)
            all += t.Text + "|";
        return all;
    };
    std::vector<TPrintedText> printed;
    TSheetCanvas printer;
    printer.Texts = &printed;
    Made.Pages()->PaintPage(0, &printer, 254 / 96.0L, 254 / 96.0L, 0, 0);
    EXPECT_EQ(texts(printed).find("屏幕专用"), String::npos) << texts(printed);
    EXPECT_NE(texts(printed).find("P1"), String::npos);

    TMetafile picture;
    {
        TMetafileCanvas canvas(&picture);
        Made.Pages()->PaintPage(0, &canvas, 1, 1, 0, 0);
    }
    String shown;
    for (const TMetaTextRecord& r : picture.TextRecords())
        shown += r.Text + "|";
    EXPECT_NE(shown.find("屏幕专用"), String::npos) << shown;
}
