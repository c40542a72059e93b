// Drawing prepared pages on bitmap and metafile canvases, and hit-testing them for the preview.
#include "WhiteBitmap.h"
#include "gui/Bitmap.h"
#include "gui/Forms.h"
#include "gui/Interaction.h"
#include "gui/Metafile.h"
#include "report/vrClassMemo.h"
#include "report/vrClassObjects.h"
#include "report/vrVariables.h"
#include "rtl/CodePage.h"
#include "rtl/ScopeGuards.h"
#include "vrPreviewPagesFixture.h"

#include <gtest/gtest.h>

namespace {

struct PaintPages : ::testing::Test, TPreparedFixture {
    TvrLinkTestView* Near = nullptr;
    TvrLinkTestView* Far = nullptr;
    void SetUp() override {
        Page->LeftMargin = 10; // mm
        Page->RightMargin = 30;
        Near = new TvrLinkTestView(Band);
        Near->SetName("Near");
        Near->SetBounds(0, 0, 100, 20);
        Far = new TvrLinkTestView(Band);
        Far->SetName("Far");
        Far->SetBounds(600, 0, 100, 20);
        Build(3);
        TvrLinkTestView::Drawn().clear();
    }
};

TEST_F(PaintPages, ViewsOutsideTheVisibleAreaAreSkippedExceptOnAMetafile) {
    TBitmap bmp(300, 200);
    Pages->PaintPage(0, bmp.Canvas(), 1, 1, 0, 0);
    ASSERT_FALSE(TvrLinkTestView::Drawn().empty());
    for (const auto& d : TvrLinkTestView::Drawn()) EXPECT_NE(d.Name, "Far");
    EXPECT_EQ(Pages->PaintedViews(), 3); // Memo1, Memo2 at 200 and Near; Far at 600 is off the bitmap

    TMetafile mf;
    {
        TMetafileCanvas canvas(&mf);
        Pages->PaintPage(0, &canvas, 1, 1, 0, 0);
    }
    EXPECT_EQ(Pages->PaintedViews(), 4);
    // Text objects are told the page count.
    EXPECT_EQ(TvrLinkTestView::Drawn().back().TotalPages, 3);
    Pages->PaintPage(7, bmp.Canvas(), 1, 1, 0, 0);
    EXPECT_EQ(Pages->PaintedViews(), 0);
}

TEST_F(PaintPages, TextObjectsPrintThePageCount) {
    vrStartUp();
    auto* total = new TvrMemoView(Band);
    total->SetName("Total");
    total->SetBounds(0, 40, 200, 20);
    total->SetText(u"of [TOTALPAGES#]");
    Build(3);
    TMetafile mf;
    {
        TMetafileCanvas canvas(&mf);
        Pages->PaintPage(0, &canvas, 1, 1, 0, 0);
    }
    String texts;
    for (const TMetaTextRecord& r : mf.TextRecords())
        texts += r.Text + "|";
    EXPECT_NE(texts.find("of 3"), String::npos) << texts;
}

TEST_F(PaintPages, EveryCopyFillsInItsOwnCopyNameFromThePreparedText) {
    vrStartUp();
    auto* copy = new TvrMemoView(Band);
    copy->SetName("CopyMemo");
    copy->SetBounds(0, 40, 200, 20);
    copy->SetText(u"copy [COPYNAME#]");
    Build(1);
    vrGlobalVariables()->SetVariable("CopyName1", Variant(String("Original")));
    vrGlobalVariables()->SetVariable("CopyName2", Variant(String("Duplicate")));
    const TScopeExit forget([] {
        vrGlobalVariables()->DeleteVariable("CopyName1");
        vrGlobalVariables()->DeleteVariable("CopyName2");
    });
    auto textsOf = [this](Integer copyNo) {
        Pages->CopyNo = copyNo;
        TMetafile mf;
        {
            TMetafileCanvas canvas(&mf);
            Pages->PaintPage(0, &canvas, 1, 1, 0, 0);
        }
        String texts;
        for (const TMetaTextRecord& r : mf.TextRecords())
            texts += r.Text + "|";
        return texts;
    };
    EXPECT_NE(textsOf(1).find("copy Original"), String::npos);
    const String second = textsOf(2);
    EXPECT_NE(second.find("copy Duplicate"), String::npos) << second;
    EXPECT_EQ(second.find("Original"), String::npos) << second;
    // The cached page keeps the text as prepared.
    auto* cached = dynamic_cast<TvrMemoView*>(Pages->GetPreparedPage(0)->FindObject("CopyMemo"));
    ASSERT_NE(cached, nullptr);
    EXPECT_EQ(WideToUtf8(cached->Text()), "copy [COPYNAME#]\r\n");
}

TEST_F(PaintPages, MirrorMarginsSwapLeftAndRightOnEvenPageNumbers) {
    Page->MirrorMargins = true;
    Build(2);
    TvrLinkTestView::Drawn().clear();
    TMetafile mf;
    TMetafileCanvas canvas(&mf);
    Pages->PaintPage(0, &canvas, 1, 1, 0, 0);
    const Extended first = TvrLinkTestView::Drawn().back().OffsetX;
    Pages->PaintPage(1, &canvas, 1, 1, 0, 0);
    const Extended second = TvrLinkTestView::Drawn().back().OffsetX;
    EXPECT_NEAR(static_cast<double>(first), 10 * fr01cm, 1e-6);
    EXPECT_NEAR(static_cast<double>(second), 30 * fr01cm, 1e-6);
    // The margins are back after drawing.
    auto* page = static_cast<TPPTestPage*>(Pages->GetPreparedPage(1));
    EXPECT_EQ(page->LeftMargin, 10);
}

TEST(PaintBackground, ReportPagesFromAPreparedFileDrawTheirBackgroundUnderTheirObjects) {
    vrStartUp();
    TPreparedFixture built;
    auto* page = new TvrReportPage(&built.Report);
    page->SetName("Page2");
    page->LeftMargin = 10; // mm
    page->RightMargin = 30;
    page->TopMargin = page->BottomMargin = 5;
    page->MirrorMargins = true;
    page->SetColor(clYellow);
    auto* band = new TvrMasterData(page);
    band->SetName("MasterData1");
    band->SetBounds(0, 50, 500, 20);
    auto* shape = new TvrShapeView(band);
    shape->SetName("Shape1");
    shape->SetBounds(100, 0, 50, 20);
    shape->Color = clRed;
    built.Pages->ClearAll();
    built.Pages->RegisterSourcePage(page);
    for (int i = 0; i < 2; ++i) {
        built.Pages->AddPageAction = TvrPreviewPages::apAdd;
        built.Pages->StartPreparedPage(page);
        built.Pages->AddBandToPage(band);
    }
    TStringStream file;
    built.Pages->WriteToStream(file);
    // The background comes with the source page of the file.
    TPreparedFixture loaded;
    TStringStream in(file.DataString());
    loaded.Pages->ReadFromStream(in, false);
    ASSERT_EQ(loaded.Pages->GetPageCount(), 2);
    TStringStream again;
    loaded.Pages->WriteToStream(again);
    EXPECT_EQ(again.DataString(), file.DataString());
    EXPECT_NE(file.DataString().find(" Color=\"65535\""), String::npos);

    const int inLeftMargin = 20, outsideLeft = 60, outsideRight = 720, y = 150;
    const int marginTop = static_cast<int>(5 * fr01cm) - 4;
    const int shapeX = static_cast<int>(10 * fr01cm) + 125, shapeY = static_cast<int>(5 * fr01cm) + 60;
    struct TCase {
        int index;
        TColor atOutsideLeft, atOutsideRight;
    };
    // The second page swaps the margins: its background starts 30 mm in and ends 10 mm short.
    for (const TCase& c : {TCase{0, clYellow, clWhite}, TCase{1, clWhite, clYellow}}) {
        TWhiteBitmap bmp(800, 300);
        loaded.Pages->PaintPage(c.index, bmp.Canvas(), 1, 1, 0, 0);
        EXPECT_EQ(bmp.At(outsideLeft, y), c.atOutsideLeft) << c.index;
        EXPECT_EQ(bmp.At(outsideRight, y), c.atOutsideRight) << c.index;
        EXPECT_EQ(bmp.At(inLeftMargin, y), clWhite) << c.index;
        EXPECT_EQ(bmp.At(300, marginTop), clWhite) << c.index;
        if (c.index == 0) {
            EXPECT_EQ(bmp.At(shapeX, shapeY), clRed); // the object lies over the background
        }
    }
    auto* rebuilt = dynamic_cast<TvrReportPage*>(loaded.Pages->GetPreparedPage(1));
    ASSERT_NE(rebuilt, nullptr);
    EXPECT_EQ(rebuilt->LeftMargin, 10); // the margins are back after drawing
    EXPECT_FALSE(rebuilt->InPrinting);
}

TEST_F(PaintPages, HitTestFindsTheTopmostViewAndReportsCursorLinkAndHint) {
    auto* under = new TvrLinkTestView(Band);
    under->SetName("Under");
    under->SetBounds(0, 0, 100, 20);
    under->URL = "@2";
    Near->URL = "http://example.com/";
    Near->Hint = "Short|Long text";
    Near->ShowHint = true;
    Build(3);
    TvrComponent* seen = nullptr;
    Report.OnMouseOverObject = [&](TvrComponent* v) { seen = v; };
    int cursor = 0;
    const int x = static_cast<int>(10 * fr01cm) + 5; // inside Near, past the left margin
    EXPECT_TRUE(Pages->HitTestObject(0, x, 25, mbLeft, TShiftState(), 1, 0, 0, false, cursor, false));
    const TvrHitTestResult& hit = Pages->LastHitTest();
    ASSERT_NE(hit.Object, nullptr);
    EXPECT_EQ(hit.Object->Name(), "Under"); // added last, so it lies on top
    EXPECT_EQ(hit.LinkText, "@2");
    EXPECT_EQ(cursor, -21);
    EXPECT_EQ(seen, hit.Object);

    delete Pages->GetPreparedPage(0)->FindObject("Under");
    cursor = 0;
    Pages->HitTestObject(0, x, 25, mbLeft, TShiftState(), 1, 0, 0, false, cursor, false);
    EXPECT_EQ(Pages->LastHitTest().Object->Name(), "Near");
    EXPECT_EQ(Pages->LastHitTest().HintText, "Long text");
    EXPECT_EQ(Pages->LastHitTest().ShortHint, "Short");
    EXPECT_TRUE(Pages->LastHitTest().ShowHint);
    EXPECT_FALSE(Pages->HitTestObject(0, 5000, 5000, mbLeft, TShiftState(), 1, 0, 0, true, cursor, false));
    Engine->Running = true;
    EXPECT_FALSE(Pages->HitTestObject(0, x, 25, mbLeft, TShiftState(), 1, 0, 0, true, cursor, false));
}

TEST_F(PaintPages, AClickHandlerThatChangesTheViewReplacesThePage) {
    Pages->OnClickObject = [](TvrComponent* v, TMouseButton, TShiftState, bool& modified) {
        static_cast<TvrLinkTestView*>(v)->Hint = "clicked";
        modified = true;
    };
    int cursor = 0;
    const int x = static_cast<int>(10 * fr01cm) + 5;
    Pages->HitTestObject(1, x, 25, mbLeft, TShiftState(), 1, 0, 0, true, cursor, false);
    EXPECT_TRUE(Pages->LastHitTest().Repaint);
    EXPECT_EQ(static_cast<TvrLinkTestView*>(Pages->GetPreparedPage(1)->FindObject("Near"))->Hint, "clicked");
}

TEST_F(PaintPages, LinksOpenOnlyConfirmedWebAndMailAddressesAndKnownPages) {
    Pages->CurPage = 2;
    Engine->CurY = 77;
    Pages->AddAnchor("Totals");
    struct TCase {
        const char* url;
        int answer;         // 0: no question is asked
        const char* opened; // what reaches the shell, "" for nothing
        Integer page, top;
    };
    const std::vector<TCase> cases = {
        {"http://example.com/a", IDYES, "http://example.com/a", -1, 0},
        {"https://example.com/", IDYES, "https://example.com/", -1, 0},
        {"mailto:office@example.com", IDYES, "mailto:office@example.com", -1, 0},
        {"http://example.com/a", IDNO, "", -1, 0},
        {"mailto:office@example.com", IDNO, "", -1, 0},
        {"file:x.sh", 0, "", -1, 0},
        {"xterm", 0, "", -1, 0},
        {"/bin/sh", 0, "", -1, 0},
        {"@3", 0, "", 2, 0},
        {"@x", 0, "", -1, 0},
        {"@99", 0, "", -1, 0},
        {"@0", 0, "", -1, 0},
        {"#totals", 0, "", 2, 77},
        {"#unknown", 0, "", -1, 0},
    };
    const int x = static_cast<int>(10 * fr01cm) + 5;
    for (const TCase& c : cases) {
        Near->URL = c.url;
        Build(3);
        Pages->AddAnchor("Totals");
        Pages->FindAnchor("Totals")->SetProp("page", "2");
        Pages->FindAnchor("Totals")->SetProp("top", "77");
        String opened;
        Pages->OpenLink = [&](const String& u) {
            opened = u;
            return true;
        };
        TScriptedResponder user;
        if (c.answer) user.Answer(c.answer);
        TInteractionScope scope(user);
        int cursor = 0;
        Pages->HitTestObject(0, x, 25, mbLeft, TShiftState(), 1, 0, 0, true, cursor, false);
        EXPECT_EQ(opened, c.opened) << c.url;
        EXPECT_EQ(static_cast<int>(user.Requests().size()), c.answer ? 1 : 0) << c.url;
        EXPECT_EQ(Pages->LastHitTest().JumpPage, c.page) << c.url;
        EXPECT_EQ(Pages->LastHitTest().JumpTop, c.top) << c.url;
    }
}

} // namespace
