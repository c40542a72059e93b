// Handing prepared pages to export filters: a recording filter drives the protocol (the order of
// its calls, the page background, pages chosen, suppressed page headers and footers, margins,
// errors), a stand-in of the dot-matrix filter prints a dot-matrix report as raw bytes, and
// filters made unlisted stay out of the registry.
#include "vrPrintTools.h"

#include "gui/Interaction.h"
#include "report/vrClassMemo.h"
#include "report/vrDsgnIntf.h"
#include "rtl/CodePage.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <gtest/gtest.h>

namespace {

// Keeps every call of the protocol as a line: "page <index>", the background with
// its colour, frame and bounds, bands and objects by name (text objects with their text and left).
class TRecordingFilter : public TvrCustomExportFilter {
public:
    explicit TRecordingFilter(TComponent* owner) : TvrCustomExportFilter(owner) { Hook(); }
    explicit TRecordingFilter(TUnlisted unlisted) : TvrCustomExportFilter(unlisted) { Hook(); }

    std::vector<String> Log;
    int DialogResult = 1;
    bool StartResult = true;
    String FailOn; // an object of that name raises

    int ShowModal() override {
        Log.push_back("dialog");
        return DialogResult;
    }
    bool Start() override {
        Log.push_back("start");
        return StartResult;
    }
    void StartPage(TvrComponent*, Integer index) override { Log.push_back("page " + IntToStr(index)); }
    void ExportObject(TvrComponent* obj) override {
        String line = obj->Name();
        if (auto* memo = dynamic_cast<TvrCustomMemoView*>(obj))
            line += " " + Trim(WideToUtf8(memo->Text())) +
                    Format(" x=%.1f", {static_cast<double>(memo->AbsLeft())});
        if (auto* picture = dynamic_cast<TvrPictureView*>(obj))
            line += Format(" color=%d frame=%d stretched=%d keep=%d %.1f,%.1f %.1fx%.1f",
                           {picture->Color, picture->Frame()->Color(), picture->Stretched ? 1 : 0,
                            picture->KeepAspectRatio ? 1 : 0, static_cast<double>(picture->Left()),
                            static_cast<double>(picture->Top()), static_cast<double>(picture->Width()),
                            static_cast<double>(picture->Height())});
        Log.push_back(line);
        if (obj->Name() == FailOn) throw Exception("the disk is full");
    }
    void FinishPage(TvrComponent*, Integer index) override { Log.push_back("endpage " + IntToStr(index)); }
    void Finish() override { Log.push_back("finish"); }
    // The log's lines that start with prefix.
    std::vector<String> Lines(const String& prefix) const {
        std::vector<String> lines;
        for (const String& line : Log)
            if (StartsStr(prefix, line)) lines.push_back(line);
        return lines;
    }

private:
    void Hook() {
        ShowDialog = false;
        OnBeginExport = [this](TObject* sender) { Log.push_back(sender == this ? "begin" : "begin?"); };
    }
};

class TStubPreview : public TvrCustomPreview {
public:
    using TvrCustomPreview::TvrCustomPreview;
    void InitPreview() override {}
    void BuildStarted() override {}
    void BuildStep(Integer) override {}
    void BuildFinished() override {}
};

class ExportPages : public ::testing::Test {
protected:
    void Build(Integer rows) {
        Page = Made.AddPage(rows);
        Made.Prepare();
    }
    bool Export() { return Made.Report.Export(Filter.get()); }

    TRecorderScope Printers;
    TPrintReport Made;
    TvrReportPage* Page = nullptr;
    std::unique_ptr<TRecordingFilter> Filter = TvrCustomExportFilter::CreateNoRegister<TRecordingFilter>();
    TScriptedResponder User;
    TInteractionScope Scope{User};
};

} // namespace

TEST_F(ExportPages, TheFilterIsCalledInTheProtocolsOrder) {
    TvrReportPage* page = Made.AddPage(2);
    page->SetColor(clYellow);
    page->Frame()->SetColor(clRed);
    Made.Prepare();
    EXPECT_TRUE(Export());
    const std::vector<String> expected = {
        "begin",
        "start",
        "page 0",
        "_pagebackground color=65535 frame=255 stretched=1 keep=0 37.8,37.8 718.1x1046.9",
        "PageHeader1",
        "HeaderMemo1 页眉 x=37.8",
        "MasterData1",
        "RowMemo1 P1 x=37.8",
        "PageFooter1",
        "PageMemo1 第 1 页，共 2 页 x=37.8",
        "endpage 0",
        "page 1",
        "_pagebackground color=65535 frame=255 stretched=1 keep=0 37.8,37.8 718.1x1046.9",
        "PageHeader1",
        "HeaderMemo1 页眉 x=37.8",
        "MasterData1",
        "RowMemo1 P2 x=37.8",
        "PageFooter1",
        "PageMemo1 第 2 页，共 2 页 x=37.8",
        "endpage 1",
        "finish",
    };
    EXPECT_EQ(Filter->Log, expected);
    EXPECT_EQ(Filter->Report, &Made.Report);
    // Without a preview the pages are not kept: drawn again, they start at the paper's corner.
    EXPECT_FALSE(Made.Pages()->PageInCache(1));
    EXPECT_EQ(Made.Pages()->GetPreparedPage(1)->Left(), 0);
}

TEST_F(ExportPages, TheDialogAndStartCanStopIt) {
    Build(2);
    Filter->ShowDialog = true;
    Filter->DialogResult = 2;
    EXPECT_FALSE(Export());
    EXPECT_EQ(Filter->Log, (std::vector<String>{"dialog"}));

    Filter->Log.clear();
    Filter->DialogResult = 1;
    Filter->StartResult = false;
    EXPECT_TRUE(Export());
    EXPECT_EQ(Filter->Log, (std::vector<String>{"dialog", "begin", "start"}));
    EXPECT_FALSE(Made.Pages()->SendToExportFilter(nullptr));
}

TEST_F(ExportPages, ThePageRangeChoosesThePagesInPageOrder) {
    Build(4);
    const struct {
        const char* Range;
        std::vector<String> Pages;
    } cases[] = {
        {"", {"page 0", "page 1", "page 2", "page 3"}},
        {"3,1", {"page 0", "page 2"}},
        {"2", {"page 1"}},
        {"8", {}},
        {"3-1", {}}, // names no page: nothing, not every page
    };
    for (const auto& c : cases) {
        Filter->Log.clear();
        Filter->PageRange = c.Range;
        EXPECT_TRUE(Export());
        EXPECT_EQ(Filter->Lines("page "), c.Pages) << c.Range;
        EXPECT_EQ(Filter->Log.back(), "finish");
    }
}

TEST_F(ExportPages, CurrentPageOnlyTakesThePreviewsPage) {
    Build(3);
    Filter->CurrentPageOnly = true;
    Made.Pages()->CurPreviewPage = 2;
    EXPECT_TRUE(Export()); // no preview: the first page
    EXPECT_EQ(Filter->Lines("page "), (std::vector<String>{"page 0"}));

    TStubPreview preview(nullptr);
    Made.Report.SetPreview(&preview);
    Filter->Log.clear();
    EXPECT_TRUE(Export());
    EXPECT_EQ(Filter->PageRange, "2");
    EXPECT_EQ(Filter->Lines("page "), (std::vector<String>{"page 1"}));
    // The preview keeps the page, back at the paper's corner.
    EXPECT_TRUE(Made.Pages()->PageInCache(1));
    EXPECT_EQ(Made.Pages()->GetPreparedPage(1)->Left(), 0);
    EXPECT_EQ(Made.Pages()->GetPreparedPage(1)->Top(), 0);
    Made.Report.SetPreview(nullptr);
}

TEST_F(ExportPages, PageHeadersAndFootersCanBeLeftOutButOnTheFirstAndLastPage) {
    Build(3);
    Filter->SuppressPageHeadersFooters = true;
    EXPECT_TRUE(Export());
    EXPECT_EQ(Filter->Lines("HeaderMemo1"), (std::vector<String>{"HeaderMemo1 页眉 x=37.8"}));
    EXPECT_EQ(Filter->Lines("PageMemo1"), (std::vector<String>{"PageMemo1 第 3 页，共 3 页 x=37.8"}));
    EXPECT_EQ(Filter->Lines("RowMemo1").size(), 3u);
}

TEST_F(ExportPages, MirroredMarginsPlaceOddIndexesFromTheRightMargin) {
    TvrReportPage* page = Made.AddPage(2);
    page->LeftMargin = 10;
    page->RightMargin = 30;
    page->TopMargin = 20;
    page->MirrorMargins = true;
    Made.Prepare();
    EXPECT_TRUE(Export());
    EXPECT_EQ(Filter->Lines("_page"),
              (std::vector<String>{
                  "_pagebackground color=536870911 frame=0 stretched=1 keep=0 37.8,75.6 642.5x1009.1",
                  "_pagebackground color=536870911 frame=0 stretched=1 keep=0 113.4,75.6 642.5x1009.1"}));
    EXPECT_EQ(Filter->Lines("RowMemo1"), (std::vector<String>{"RowMemo1 P1 x=37.8", "RowMemo1 P2 x=113.4"}));
}

// An error ends the export: the page and the filter are still finished, and the user reads it
// with the report's error list.
TEST_F(ExportPages, AnErrorIsReportedAndTheFilterStillFinished) {
    Build(2);
    Made.Report.EngineOptions()->NewSilentMode = simMessageBoxes;
    Filter->FailOn = "RowMemo1";
    User.Answer(IDOK);
    EXPECT_FALSE(Export());
    EXPECT_EQ(Filter->Lines("page "), (std::vector<String>{"page 0"}));
    EXPECT_EQ(Filter->Log[Filter->Log.size() - 2], "endpage 0");
    EXPECT_EQ(Filter->Log.back(), "finish");
    ASSERT_EQ(User.Requests().size(), 1u);
    EXPECT_EQ(User.Requests()[0].Text, "发生下列的错误:\r\nthe disk is full\r\n");
    EXPECT_EQ(Made.Report.ErrorList()->Text(), "the disk is full\r\n");
}

TEST_F(ExportPages, FiltersMadeUnlistedStayOutOfTheRegistry) {
    const int before = ExportFilterRegistry()->Count();
    EXPECT_TRUE(Filter->Unlisted);
    EXPECT_EQ(ExportFilterRegistry()->Count(), before);
    {
        TRecordingFilter listed(nullptr);
        EXPECT_FALSE(listed.Unlisted);
        EXPECT_EQ(ExportFilterRegistry()->Count(), before + 1);
    }
    EXPECT_EQ(ExportFilterRegistry()->Count(), before);
}

TEST(DotMatrixFilter, TheLastOneMadeIsTheOneUntilItGoes) {
    EXPECT_EQ(vrDotMatrixExportFilter(), nullptr);
    auto first = std::make_unique<TDotMatrixStandIn>(nullptr);
    EXPECT_EQ(vrDotMatrixExportFilter(), first.get());
    auto second = std::make_unique<TDotMatrixStandIn>(nullptr);
    EXPECT_EQ(vrDotMatrixExportFilter(), second.get());
    first.reset();
    EXPECT_EQ(vrDotMatrixExportFilter(), second.get());
    second.reset();
    EXPECT_EQ(vrDotMatrixExportFilter(), nullptr);
}

// A dot-matrix report prints through the dot-matrix filter on the report's printer: the print
// options' dialog flag and page numbers become the filter's, and the report's print events
// bracket the raw document.
TEST(DotMatrixFilter, ADotMatrixReportPrintsThroughIt) {
    TRecorderScope printers({"Recorder", "Dots"});
    TPrintReport made;
    made.AddPage(3);
    made.Prepare();
    made.Report.DotMatrixReport = true;
    TvrPrintOptions& options = *made.Report.PrintOptions();
    options.Printer = "Dots";
    options.PageNumbers = "2";

    // Without the filter it prints as any report does.
    EXPECT_TRUE(made.Pages()->SendToPrinter());
    EXPECT_EQ(printers.Printer()->SheetTexts("P"), (std::vector<String>{"P2"}));

    TDotMatrixStandIn filter(nullptr);
    options.ShowDialog = true;
    std::vector<String> events;
    auto* dots = static_cast<TRecordingPrinter*>(GetPrinters().Items(1));
    dots->Log.clear();
    made.Report.OnPrintReport = [&](TObject*) { events.push_back("print " + IntToStr(dots->Log.size())); };
    made.Report.OnAfterPrintReport = [&](TObject*) { events.push_back("after " + dots->Log.back()); };
    EXPECT_TRUE(made.Pages()->SendToPrinter());
    EXPECT_TRUE(filter.ShowDialog);
    EXPECT_EQ(filter.PageRange, "2");
    EXPECT_EQ(filter.Calls, (std::vector<String>{"dialog"}));
    EXPECT_EQ(events, (std::vector<String>{"print 0", "after raw end"}));
    EXPECT_EQ(dots->LogText(), "raw start dot-matrix\nraw \x1B@\nraw \xD2\xB3\xC3\xBC\r\n\nraw P2\r\n\n"
                               "raw \xB5\xDA 2 \xD2\xB3\xA3\xAC\xB9\xB2 3 \xD2\xB3\r\n\nraw \x0C\nraw end");
}
