// The prepared-pages store: aliases, pages as differences, page editing, logical page numbers and
// the page cache.
#include "vrPreviewPagesFixture.h"

#include "report/vrClassObjects.h"
#include "report/vrClassOptions.h"

#include <gtest/gtest.h>

namespace {

struct PreviewPages : ::testing::Test, TPreparedFixture {};

TEST(Dictionary, AliasesAreTheFirstFreeNumberAfterHalving) {
    struct TCase {
        std::vector<String> taken;
        String expected;
    };
    const std::vector<TCase> cases = {
        {{}, "m1"},
        {{"m1"}, "m2"},
        {{"m1", "m2"}, "m3"},
        {{"m1", "m2", "m3", "m4", "m5"}, "m6"},
        // Sparse: the halving stops at the first taken number and walks up from it.
        {{"m1", "m39"}, "m40"},
        {{"m2"}, "m3"},
        {{"M1"}, "m2"}, // aliases are compared without regard to case
    };
    for (const TCase& c : cases) {
        TvrDictionary d;
        for (const String& a : c.taken) d.Add(a, "Page0." + a, nullptr);
        EXPECT_EQ(d.CreateUniqueName("m"), c.expected);
    }
    TvrDictionary dense;
    for (int i = 1; i <= 700; ++i) dense.AddUnique("m", "Page0.Memo" + IntToStr(i), nullptr);
    EXPECT_EQ(dense.CreateUniqueName("m"), "m701");
    EXPECT_EQ(dense.GetSourceName("M700"), "Page0.Memo700");
    EXPECT_EQ(dense.GetSourceName("x1"), "");
    EXPECT_EQ(dense.GetObject("x1"), nullptr);
}

TEST_F(PreviewPages, SourcePageRegistrationGivesAliasesAndDropsTheDataBinding) {
    Pages->RegisterSourcePage(Page);
    EXPECT_EQ(Band->PreparedAlias, "b1");
    EXPECT_EQ(Memo1->PreparedAlias, "m1");
    EXPECT_EQ(Memo2->PreparedAlias, "m2");
    auto* copy = dynamic_cast<TvrMemoTestView*>(Pages->Dictionary()->GetObject("m1"));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->SourceObject, Memo1);
    EXPECT_EQ(Memo1->SourceObject, copy);
    EXPECT_EQ(copy->DataField, "");
    EXPECT_EQ(Pages->Dictionary()->GetSourceName("m2"), "Page0.Memo2");
    // Generic-diff objects are rebuilt from the class name alone; others from their full text.
    EXPECT_EQ(Pages->BaseText(copy), "TvrMemoTestView");
    EXPECT_EQ(Pages->BaseText(Pages->Dictionary()->GetObject("b1")).rfind("TBandTestView ", 0), 0u);
    auto* m3 = new TvrMemoTestView(Band);
    Pages->RegisterRuntimeObject(m3);
    EXPECT_EQ(m3->PreparedAlias, "m3");
}

TEST_F(PreviewPages, PassesRecordTheBaseDifferenceOrTheObjectsOwnDifference) {
    auto* own = new TvrOwnDiffTestView(Band);
    own->SetName("Own1");
    Pages->RegisterSourcePage(Page);
    EXPECT_EQ(own->PreparedAlias, "o1"); // "OwnDiffTest" less "Tvr" and "View"
    Engine->FinalPass = false;
    AddPage(50, "First pass");
    TvrXMLItem* band = Pages->PageItem(0)->GetItem(0);
    EXPECT_EQ(band->Name, "b1");
    EXPECT_EQ(band->AttrText, "t=\"50\"");
    EXPECT_EQ(band->GetItem(0)->AttrText, ""); // the text is not part of the base difference
    Engine->FinalPass = true;
    Pages->AddPageAction = TvrPreviewPages::apAdd;
    AddPage(50, "Final");
    EXPECT_NE(Pages->PageItem(1)->GetItem(0)->GetItem(0)->AttrText.find("Final"), String::npos);
    EXPECT_EQ(band->GetItem(2)->AttrText, ""); // not final: the base difference only
    EXPECT_EQ(Pages->PageItem(1)->GetItem(0)->GetItem(2)->AttrText, "own=\"0\""); // final: its own Diff
    EXPECT_EQ(Pages->PageItem(1)->Name, "page0");
}

TEST_F(PreviewPages, RebuiltPagesCarryTheRecordedDifferences) {
    Build(3);
    TvrComponent* page = Pages->GetPreparedPage(2);
    ASSERT_NE(page, nullptr);
    EXPECT_STREQ(page->ClassName().c_str(), "TPPTestPage");
    ASSERT_EQ(page->Children().size(), 1u);
    TvrComponent* band = page->Children()[0];
    ASSERT_EQ(band->Children().size(), 2u);
    auto* memo = dynamic_cast<TvrMemoTestView*>(band->Children()[0]);
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->Name(), "Memo1");
    EXPECT_EQ(memo->Memo, "Row 2");
    EXPECT_EQ(memo->Left(), 10);
    EXPECT_EQ(band->Children()[1]->Left(), 200);
    EXPECT_EQ(Pages->GetPreparedPageSize(0).X, 794);
    EXPECT_EQ(Pages->GetPreparedPageSize(5).X, 0);
    EXPECT_EQ(Pages->GetPreparedPage(9), nullptr);
    TvrPreviewPages empty(&Report);
    EXPECT_EQ(empty.GetPreparedPage(0), nullptr);
}

TEST_F(PreviewPages, InvisibleAndUncopiedObjectsAreNotWritten) {
    Pages->RegisterSourcePage(Page);
    Memo2->SetVisible(false);
    AddPage(20, "x");
    EXPECT_EQ(Pages->PageItem(0)->GetItem(0)->ItemCount(), 1);
}

TEST_F(PreviewPages, HasBandOnPageKeepsASecondCopyOff) {
    Pages->RegisterSourcePage(Page);
    Pages->StartPreparedPage(Page);
    EXPECT_FALSE(Pages->HasBandOnPage(Band));
    Pages->AddBandToPage(Band);
    EXPECT_TRUE(Pages->HasBandOnPage(Band));
    Pages->StartPreparedPage(Page);
    EXPECT_FALSE(Pages->HasBandOnPage(Band));
}

// A report page with the bands whose kind decides what HasBandOnPage and LastBandBottom see.
struct BandKinds : PreviewPages {
    TvrReportPage* KindsPage = nullptr;
    std::map<String, TvrBand*> Bands;
    void SetUp() override {
        KindsPage = new TvrReportPage(&Report);
        KindsPage->SetName("Kinds");
        const auto add = [&](TvrBand* band, const String& name, Extended left, Extended top,
                             Extended height) {
            band->SetName(name);
            band->SetBounds(left, top, 300, height);
            Bands[name] = band;
        };
        add(new TvrPageFooter(KindsPage), "PageFooter1", 0, 900, 40);
        add(new TvrPageFooter(KindsPage), "PageFooter2", 0, 950, 40);
        add(new TvrColumnFooter(KindsPage), "ColumnFooter1", 0, 800, 20);
        add(new TvrColumnFooter(KindsPage), "ColumnFooter2", 0, 820, 20);
        add(new TvrMasterData(KindsPage), "MasterData1", 0, 100, 50);
        add(new TvrMasterData(KindsPage), "MasterData2", 300, 200, 50);
        add(new TvrPageHeader(KindsPage), "PageHeader1", 0, 0, 30);
        add(new TvrOverlay(KindsPage), "Overlay1", 0, 0, 1000);
        Pages->RegisterSourcePage(KindsPage);
    }
    void Start() {
        Pages->AddPageAction = TvrPreviewPages::apAdd;
        Pages->StartPreparedPage(KindsPage);
    }
};

TEST_F(BandKinds, ASecondPageOrColumnFooterIsKeptOffThePage) {
    struct TCase {
        const char* placed;
        const char* asked;
        bool onPage;
    };
    const TCase cases[] = {
        {"PageFooter1", "PageFooter2", true},    {"ColumnFooter1", "ColumnFooter2", true},
        {"PageFooter1", "ColumnFooter1", false}, {"MasterData1", "MasterData2", false},
        {"MasterData1", "MasterData1", true},    {"PageHeader1", "PageFooter1", false},
    };
    for (const TCase& c : cases) {
        Start();
        Pages->AddBandToPage(Bands[c.placed]);
        EXPECT_EQ(Pages->HasBandOnPage(Bands[c.asked]), c.onPage) << c.placed << " / " << c.asked;
    }
}

TEST_F(BandKinds, TheLastBandBottomLeavesOutFootersAndOverlays) {
    Start();
    for (const char* name : {"PageHeader1", "MasterData1", "MasterData2", "PageFooter1", "Overlay1"})
        Pages->AddBandToPage(Bands[name]);
    struct TCase {
        Extended x, bottom;
    };
    // Any left: all bands but the footer and overlay; a left of 300: that column's bands and the
    // page header; a left where nothing starts: the page header alone.
    for (const TCase& c : {TCase{0, 250}, TCase{300, 250}, TCase{500, 30}})
        EXPECT_DOUBLE_EQ(static_cast<double>(Pages->LastBandBottom(c.x)), static_cast<double>(c.bottom))
            << static_cast<double>(c.x);
    Start();
    Pages->AddBandToPage(Bands["MasterData1"]);
    EXPECT_DOUBLE_EQ(static_cast<double>(Pages->LastBandBottom(300)), 0.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(Pages->LastBandBottom(0)), 150.0);
}

TEST_F(PreviewPages, CutAndPasteShiftTheObjects) {
    Pages->RegisterSourcePage(Page);
    Pages->StartPreparedPage(Page);
    Band->SetTop(100);
    Pages->AddBandToPage(Band);
    const Integer pos = Pages->CurrentPosition();
    Band->SetLeft(5);
    Band->SetTop(140);
    Pages->AddBandToPage(Band);
    EXPECT_EQ(Pages->CurrentPosition(), 2);
    Pages->CutFromPosition(pos);
    EXPECT_EQ(Pages->CurrentPosition(), 1);
    EXPECT_DOUBLE_EQ(static_cast<double>(Pages->LastBandBottom(0)), 140.0);
    Pages->StartPreparedPage(Page);
    Pages->PasteCutObjects(0, 30);
    TvrXMLItem* moved = Pages->PageItem(1)->GetItem(0);
    EXPECT_EQ(moved->GetProp("l"), "0");
    EXPECT_EQ(moved->GetProp("t"), "30");
    EXPECT_DOUBLE_EQ(static_cast<double>(Pages->LastBandBottom(0)), 70.0);
    // With x only bands at that left count.
    EXPECT_DOUBLE_EQ(static_cast<double>(Pages->LastBandBottom(300)), 0.0);
    EXPECT_LT(Pages->XMLDoc()->Root()->IndexOfName("cutted"), 0);
    Pages->StartPreparedPage(Page);
    EXPECT_EQ(Pages->LastBandBottom(0), 0);
}

TEST_F(PreviewPages, LogicalPageNumbersAndTotals) {
    Build(0);
    for (int i = 0; i < 3; ++i) AddPage(20, "a");
    Pages->RestartLogicalPages(); // a new numbering run starts
    for (int i = 0; i < 2; ++i) AddPage(20, "b");
    TvrXMLItem* numbers = Pages->XMLDoc()->Root()->FindItem("logicalpagenumbers");
    ASSERT_EQ(numbers->ItemCount(), 5);
    const char* expected[][2] = {{"1", "3"}, {"2", "3"}, {"3", "3"}, {"1", ""}, {"2", ""}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(numbers->GetItem(i)->GetProp("n"), expected[i][0]) << i;
        EXPECT_EQ(numbers->GetItem(i)->GetProp("t"), expected[i][1]) << i;
    }
    Pages->CurPage = 1;
    EXPECT_EQ(Pages->LogicalPageNumber(), 2);
    EXPECT_EQ(Pages->LogicalPageTotal(), 3);
    Pages->CurPage = 4;
    EXPECT_EQ(Pages->LogicalPageTotal(), 0); // a single pass never closes the last run
}

TEST_F(PreviewPages, DroppingAPassKeepsAnchorsAndPageNumbers) {
    Build(0);
    Pages->MarkPassStart();
    AddPage(20, "a");
    Pages->AddAnchor("Chapter");
    Pages->PagesOutline()->AddItem("Item", 5);
    AddPage(20, "b");
    Pages->DropPassOutput();
    TvrXMLItem* root = Pages->XMLDoc()->Root();
    EXPECT_EQ(Pages->GetPageCount(), 0);
    EXPECT_EQ(root->FindItem("outline")->ItemCount(), 0);
    EXPECT_EQ(root->FindItem("anchors")->ItemCount(), 1);
    EXPECT_EQ(root->FindItem("logicalpagenumbers")->ItemCount(), 2);
    EXPECT_EQ(Pages->CurPage, -1);

    // A mark on a filled store keeps what came before it.
    Build(1);
    Pages->PagesOutline()->AddItem("Kept", 0);
    Pages->PagesOutline()->LevelRoot();
    Pages->MarkPassStart();
    Band->SetTop(300);
    Pages->AddBandToPage(Band);
    Pages->PagesOutline()->AddItem("Dropped", 0);
    Pages->AddPageAction = TvrPreviewPages::apAdd;
    AddPage(20, "c");
    Pages->DropPassOutput();
    EXPECT_EQ(Pages->GetPageCount(), 1);
    EXPECT_EQ(Pages->PageItem(0)->ItemCount(), 1);
    EXPECT_EQ(Pages->XMLDoc()->Root()->FindItem("outline")->ItemCount(), 1);
    EXPECT_EQ(Pages->CurPage, 0);
}

TEST_F(PreviewPages, SourcePageSizeOfAnEndlessPage) {
    Pages->RegisterSourcePage(Page);
    Pages->SetSourcePageSize(Page, 1000, 800);
    const String text = Pages->BaseText(Pages->SourcePages()[0]);
    EXPECT_NE(text.find("PaperSize=\"256\""), String::npos) << text;
    EXPECT_NE(text.find("PaperWidth=\"211.67\""), String::npos) << text;
    EXPECT_NE(text.find("PaperHeight=\"264.58\""), String::npos) << text;
    auto* copy = static_cast<TPPTestPage*>(Pages->SourcePages()[0]);
    EXPECT_EQ(copy->PaperSize, 256);
    Pages->SetSourcePageSize(Page, 377.953, 755.906);
    EXPECT_NE(Pages->BaseText(copy).find("PaperWidth=\"200\""), String::npos);
}

TEST_F(PreviewPages, InsertRemoveReplaceAndAppend) {
    Build(3);
    Pages->InsertBlankPage(1);
    EXPECT_EQ(Pages->GetPageCount(), 4);
    EXPECT_EQ(Pages->PageItem(1)->ItemCount(), 0);
    Pages->RemovePage(1);
    EXPECT_EQ(Pages->GetPageCount(), 3);
    TvrComponent* page = Pages->GetPreparedPage(0);
    static_cast<TvrMemoTestView*>(page->Children()[0]->Children()[0])->Memo = "Changed";
    Pages->ReplacePage(0, page);
    EXPECT_EQ(Pages->PagesInCacheCount(), 0);
    EXPECT_EQ(Pages->PageItem(0)->Name, "TPPTestPage");
    TvrComponent* again = Pages->GetPreparedPage(0);
    EXPECT_EQ(static_cast<TvrMemoTestView*>(again->Children()[0]->Children()[0])->Memo, "Changed");

    TPreparedFixture other;
    other.Build(2);
    other.Pages->AddAnchor("Other");
    other.Pages->PagesOutline()->AddItem("Chapter", 7);
    other.Pages->PagesOutline()->AddItem("Section", 8);
    Pages->AppendReport(&other.Report);
    EXPECT_EQ(Pages->GetPageCount(), 5);
    EXPECT_EQ(Pages->GetAnchorPage("Other"), 5); // page 1 of the other report, after three pages
    TvrOutline* outline = Pages->PagesOutline();
    outline->LevelRoot();
    String text;
    Integer pg = -1, top = -1;
    outline->EnterChild(0);
    outline->ReadChild(0, text, pg, top);
    EXPECT_EQ(text, "Section");
    EXPECT_EQ(pg, 4);
    EXPECT_EQ(top, 8);
    TvrComponent* appended = Pages->GetPreparedPage(4);
    EXPECT_EQ(static_cast<TvrMemoTestView*>(appended->Children()[0]->Children()[0])->Memo, "Row 1");

    TPreparedFixture single;
    single.Build(1);
    single.Pages->RemovePage(0); // the last page stays
    EXPECT_EQ(single.Pages->GetPageCount(), 1);
}

TEST_F(PreviewPages, PageCacheKeepsTheMostRecentPages) {
    Build(60);
    for (int i = 0; i < 60; ++i) ASSERT_NE(Pages->GetPreparedPage(i), nullptr);
    EXPECT_EQ(Pages->PagesInCacheCount(), 50);
    for (int i = 0; i < 10; ++i) EXPECT_FALSE(Pages->PageInCache(i)) << i;
    for (int i = 10; i < 60; ++i) EXPECT_TRUE(Pages->PageInCache(i)) << i;
    // A cached page is served again without rebuilding.
    TvrComponent* p = Pages->GetPreparedPage(30);
    EXPECT_EQ(Pages->GetPreparedPage(30), p);
    // While the engine runs the cache is not looked up.
    Engine->Running = true;
    EXPECT_NE(Pages->GetPreparedPage(30), p);
    Engine->Running = false;
}

TEST_F(PreviewPages, FileCacheSwapsPagesOutAndBringsThemBack) {
    Report.EngineOptions()->UseFileCache = true;
    Report.EngineOptions()->MaxMemSize = 1;
    Build(0);
    for (int i = 0; i < 400; ++i) AddPage(20, "Row " + IntToStr(i) + String(3000, 'x'));
    EXPECT_TRUE(Pages->PageItem(0)->IsLoaded);
    EXPECT_TRUE(Pages->PageItem(1)->IsLoaded);
    int swapped = 0;
    for (int i = 2; i < 400; ++i) swapped += !Pages->PageItem(i)->IsLoaded;
    EXPECT_GT(swapped, 0);
    for (int i : {0, 2, 150, 399}) {
        TvrComponent* page = Pages->GetPreparedPage(i);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(static_cast<TvrMemoTestView*>(page->Children()[0]->Children()[0])->Memo,
                  "Row " + IntToStr(i) + String(3000, 'x'));
    }
}

} // namespace
