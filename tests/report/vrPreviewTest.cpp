// The preview's workspace and control: rows of pages, the page at the top of the view, zoom,
// keys, the search, clicks on objects, dragging, thumbnails and editing the page list.
#include "vrPreviewFixture.h"

#include "gui/Metafile.h"
#include "gui/SystemMetrics.h"
#include "report/vrPreviewPages.h"
#include "report/vrSearchDialog.h"
#include "rtl/FileUtils.h"
#include "rtl/StrUtils.h"
#include "rtl/TickCount.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

namespace {

constexpr Extended PreviewMargin = 37.7953; // 10 mm

String WithTitleURL(const String& url) {
    return StringReplace(GroupedLayout, "Text=\"物业收费清单\"/>", "Text=\"物业收费清单\" URL=\"" + url + "\"/>",
                         TReplaceFlags{});
}

// --- geometry -------------------------------------------------------------------------------------

TEST(PreviewPageList, RowsAreFilledLeftToRightAndCentred) {
    TvrPageList list;
    for (int i = 0; i < 3; ++i)
        list.AppendPage(397, 562, 1.0);
    list.LayoutRows(957);
    struct {
        int Index, Left, Top;
    } expected[] = {{0, 86, 10}, {1, 493, 10}, {2, 290, 582}};
    for (const auto& e : expected) {
        EXPECT_EQ(list.Item(e.Index)->Left, e.Left) << e.Index;
        EXPECT_EQ(list.Item(e.Index)->Top, e.Top) << e.Index;
    }
    EXPECT_EQ(list.ExtentSize(), TPoint(814, 1144));
    EXPECT_EQ(list.MaxRowWidth, 814);
}

TEST(PreviewPageList, ANarrowWindowHoldsOnePageARowTenPixelsFromTheEdge) {
    TvrPageList list;
    list.AppendPage(794, 1123, 1.0);
    list.AppendPage(794, 1123, 1.0);
    list.LayoutRows(300);
    EXPECT_EQ(list.Item(0)->Left, 10);
    EXPECT_EQ(list.Item(1)->Left, 10);
    EXPECT_EQ(list.Item(1)->Top, 10 + 1123 + 10);
}

TEST(PreviewPageList, BoundsOutOfRangeAreAnA4PageCentred) {
    TvrPageList list;
    EXPECT_EQ(list.PageBounds(0, 1000, false, 1.0), TRect(103, 10, 897, 1133));
    EXPECT_EQ(list.PageBounds(-1, 500, false, 1.0), TRect(10, 10, 804, 1133));
    EXPECT_EQ(list.ExtentSize(), TPoint(0, 0));
    list.AppendPage(100, 200, 1.0);
    list.LayoutRows(1000);
    const TRect ltr = list.PageBounds(0, 1000, false, 1.0), rtl = list.PageBounds(0, 1000, true, 1.0);
    EXPECT_EQ(rtl.Left, 1000 - 100 - ltr.Left);
}

TEST(PreviewPageList, APageBecomesCurrentAFifthOfItsHeightBeforeItsTop) {
    TvrPageList list;
    for (int i = 0; i < 3; ++i)
        list.AppendPage(500, 1000, 1.0);
    list.LayoutRows(600);
    ASSERT_EQ(list.Item(1)->Top, 1020);
    struct {
        Integer Y, Page;
    } cases[] = {{0, 0}, {819, 0}, {820, 1}, {1500, 1}, {1840, 2}, {-5, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(list.PageAt(c.Y, 0), c.Page) << c.Y;
    // A point of a page (x given) is looked up by the rectangles.
    EXPECT_EQ(list.PageAt(1015, 100), 0); // in the gap: the last page whose top lies above
    EXPECT_EQ(list.PageAt(1030, 100), 1);
}

// --- the control ----------------------------------------------------------------------------------

class PreviewControl : public PreviewTest {};

TEST_F(PreviewControl, ShowsTheReportsPagesInRowsFromTheFirstPage) {
    Build();
    Attach(1000, 800);
    ASSERT_EQ(Control->PageCount(), 3);
    EXPECT_EQ(Control->PageNo(), 1);
    TvrPreviewWorkspace* w = Control->Workspace();
    EXPECT_EQ(w->PageList()->Count(), 3);
    EXPECT_EQ(w->PageList()->Item(0)->Width, 794);
    EXPECT_EQ(w->PageList()->Item(0)->Height, 1123);
    // One A4 page a row in a 1000-pixel window, centred.
    const Integer avail = w->Width() - GetSystemMetrics(SM_CXVSCROLL) - 26;
    EXPECT_EQ(w->PageList()->Item(0)->Left, std::max<Integer>(0, (avail - 804 + 10) / 2) + 10);
    EXPECT_EQ(w->VertExtent(), 10 + 3 * 1123 + 2 * 10 + 10); // the last page's bottom and 10
    EXPECT_EQ(Control->Thumbnails()->PageList()->Item(0)->Height, 112);
}

TEST_F(PreviewControl, APageWithNoPreparedPagesIsZeroAndCommandsDoNothing) {
    MakeTable({});
    LoadLayout(LayoutText(""));
    Attach();
    Report->PreparedPages()->ClearAll();
    Control->SetPageNo(5);
    EXPECT_EQ(Control->PageNo(), 0);
    Control->GoToLastPage();
    Control->InsertEmptyPage();
    Control->DeleteCurrentPage();
    EXPECT_EQ(Control->PageCount(), 0);
    EXPECT_TRUE(User.Requests().empty());
}

TEST_F(PreviewControl, PageNumbersAreClampedAndTheViewFollows) {
    Build();
    Attach(1000, 800);
    std::vector<Integer> changes;
    Control->OnPageChanged = [&](TvrPreview*, Integer n) { changes.push_back(n); };
    struct {
        Integer Asked, Shown;
    } cases[] = {{2, 2}, {9, 3}, {0, 1}, {-4, 1}};
    for (const auto& c : cases) {
        Control->SetPageNo(c.Asked);
        EXPECT_EQ(Control->PageNo(), c.Shown) << c.Asked;
        EXPECT_EQ(Control->Workspace()->PageNo, c.Shown);
        EXPECT_EQ(Control->Thumbnails()->PageNo, c.Shown);
    }
    EXPECT_EQ(changes, (std::vector<Integer>{2, 3, 1, 1}));
    Control->SetPageNo(3);
    TvrPreviewWorkspace* w = Control->Workspace();
    EXPECT_EQ(w->VertScrollOffset(), std::min(w->PageList()->Item(2)->Top - 10, w->VertExtent() - w->VertPageSize()));
    // Scrolling the view makes the page at its top current, without scrolling back.
    w->SetVertScrollOffset(w->PageList()->Item(1)->Top - 100);
    EXPECT_EQ(Control->PageNo(), 2);
    EXPECT_EQ(w->VertScrollOffset(), w->PageList()->Item(1)->Top - 100);
    // Where the last page cannot reach the top of the view, it still is the one chosen.
    Host->SetClientHeight(2000);
    Control->RelayoutPages();
    Control->GoToLastPage();
    EXPECT_EQ(Control->PageNo(), 3);
}

TEST_F(PreviewControl, ZoomHasAFloorAndTheWheelZoomsWithCtrl) {
    Build();
    Attach(1000, 800);
    struct {
        Extended Asked, Zoom;
    } cases[] = {{0.1, 0.25}, {0.25, 0.25}, {1.5, 1.5}};
    for (const auto& c : cases) {
        Control->SetZoom(c.Asked);
        EXPECT_DOUBLE_EQ(static_cast<double>(Control->Zoom()), static_cast<double>(c.Zoom)) << c.Asked;
        EXPECT_EQ(Control->ZoomMode(), zmDefault);
    }
    EXPECT_EQ(Control->Workspace()->PageList()->Item(0)->Width, 1191);
    Control->SetZoom(0.35);
    Control->WheelScroll(-120, false, true);
    EXPECT_NEAR(static_cast<double>(Control->Zoom()), 0.3, 1e-9);
    Control->WheelScroll(120, false, true);
    EXPECT_NEAR(static_cast<double>(Control->Zoom()), 0.4, 1e-9);
    // Without Ctrl the wheel scrolls 20 pixels a notch.
    Control->SetZoom(1);
    Control->WheelScroll(-120, false, false);
    EXPECT_EQ(Control->Workspace()->VertScrollOffset(), 20);
    Control->WheelScroll(0, false, false);
    EXPECT_EQ(Control->Workspace()->VertScrollOffset(), 20);
}

TEST_F(PreviewControl, FittedZoomsFollowTheWindowAndKeepTheFloor) {
    MakeTable(GroupedRows());
    LoadLayout(StringReplace(GroupedLayout, "PaperWidth=\"210\" PaperHeight=\"297\"",
                             "PaperWidth=\"297\" PaperHeight=\"210\" Orientation=\"poLandscape\"", TReplaceFlags{}));
    ASSERT_TRUE(Prepare());
    ASSERT_EQ(Pages()->GetPreparedPageSize(0), TPoint(1123, 794));
    Attach(600, 1000);
    TvrPreviewWorkspace* w = Control->Workspace();
    const Extended byWidth = static_cast<Extended>(w->Width() - GetSystemMetrics(SM_CXVSCROLL) - 26) / 1123;
    Control->SetZoomMode(zmWholePage); // a landscape page in a tall window fits its width
    EXPECT_NEAR(static_cast<double>(Control->Zoom()), static_cast<double>(byWidth), 1e-9);
    Control->SetZoomMode(zmPageWidth);
    EXPECT_NEAR(static_cast<double>(Control->Zoom()), static_cast<double>(byWidth), 1e-9);
    // A small window: the fitted zoom would be tiny; it takes the floor a typed one has.
    Host->SetClientWidth(120);
    Host->SetClientHeight(100);
    Control->SetZoomMode(zmWholePage);
    EXPECT_DOUBLE_EQ(static_cast<double>(Control->Zoom()), 0.25);
    Control->SetZoomMode(zmPageWidth);
    EXPECT_DOUBLE_EQ(static_cast<double>(Control->Zoom()), 0.25);
}

TEST_F(PreviewControl, KeysPageScrollAndRunTheCommandsTheButtonsAllow) {
    Build();
    Attach(1000, 800);
    TvrPreviewWorkspace* w = Control->Workspace();
    auto press = [&](Word key, TShiftState shift = {}) { w->KeyDown(key, shift); };
    press(VK_END);
    EXPECT_EQ(Control->PageNo(), 3);
    press(VK_HOME);
    EXPECT_EQ(Control->PageNo(), 1);
    press(VK_NEXT, TShiftState{ssCtrl});
    EXPECT_EQ(Control->PageNo(), 2);
    press(VK_PRIOR, TShiftState{ssCtrl});
    EXPECT_EQ(Control->PageNo(), 1);
    press(VK_NEXT);
    EXPECT_EQ(w->VertScrollOffset(), 300);
    press(VK_UP);
    EXPECT_EQ(w->VertScrollOffset(), 292);

    // Ctrl+F, Ctrl+O and Ctrl+S ask the user only with their buttons.
    Report->PreviewOptions()->Buttons = TvrPreviewButtons{};
    for (Word key : {Word('F'), Word('O'), Word('S'), Word(VK_F3)})
        press(key, TShiftState{ssCtrl});
    EXPECT_TRUE(User.Requests().empty());
    Report->PreviewOptions()->Buttons = TvrPreviewButtons{pbFind, pbLoad, pbSave};
    User.Answer(mrCancel).Cancel().Cancel();
    for (Word key : {Word('F'), Word('O'), Word('S')})
        press(key, TShiftState{ssCtrl});
    ASSERT_EQ(User.Requests().size(), 3u);
    EXPECT_EQ(User.Requests()[0].FormClass, "TvrSearchDialog");
    EXPECT_EQ(User.Requests()[1].Kind, TInteractionKind::OpenFile);
    EXPECT_EQ(User.Requests()[1].Filter, "预览报表 (*.dp3)|*.dp3");
    EXPECT_EQ(User.Requests()[2].Kind, TInteractionKind::SaveFile);
}

// --- search ---------------------------------------------------------------------------------------

class PreviewSearch : public PreviewTest {
protected:
    // Runs the search dialog with the text; fromTop checks its box.
    void Find(const String& text, bool fromTop, bool caseSensitive = false, bool found = true) {
        User.Form([=](TCustomForm* f) {
            auto* d = static_cast<TvrSearchDialog*>(f);
            d->TextE->SetText(text);
            d->TopCB->SetChecked(fromTop);
            d->CaseCB->SetChecked(caseSensitive);
            return mrOk;
        });
        if (!found) User.Answer(IDOK);
        Control->FindTextDialog();
    }
    std::pair<Integer, Integer> Hit() const {
        return {Control->Workspace()->SearchPage, vrPreviewSearch().LastFoundRecord};
    }
    int NotFoundBoxes() const {
        int n = 0;
        for (const TInteractionRequest& r : User.Requests())
            n += r.Kind == TInteractionKind::MessageBox && r.Text == "Text not found";
        return n;
    }
};

TEST_F(PreviewSearch, FindsEachOccurrenceOnAPageThenGoesOn) {
    Build();
    Attach();
    // "A00" is on page 1 nine times (A001 .. A009).
    Find("a00", true);
    ASSERT_TRUE(vrPreviewSearch().Found);
    std::vector<std::pair<Integer, Integer>> hits{Hit()};
    for (int i = 0; i < 8; ++i) {
        Control->FindAgain();
        ASSERT_TRUE(vrPreviewSearch().Found) << i;
        hits.push_back(Hit());
    }
    for (size_t i = 1; i < hits.size(); ++i) {
        EXPECT_EQ(hits[i].first, 0);
        EXPECT_GT(hits[i].second, hits[i - 1].second);
    }
    User.Answer(IDOK).Answer(IDOK);
    Control->FindAgain();
    EXPECT_FALSE(vrPreviewSearch().Found);
    EXPECT_EQ(NotFoundBoxes(), 1);
    // Past the last page every further search reports again.
    Control->FindAgain();
    EXPECT_EQ(NotFoundBoxes(), 2);
}

TEST_F(PreviewSearch, OneOccurrenceAPageMovesFromPageToPage) {
    Build();
    Attach();
    Find("页，共", true);
    std::vector<Integer> pages{Hit().first};
    Control->FindAgain();
    pages.push_back(Hit().first);
    Control->FindAgain();
    pages.push_back(Hit().first);
    EXPECT_EQ(pages, (std::vector<Integer>{0, 1, 2}));
    // The view shows the hit.
    const TvrPreviewWorkspace* w = Control->Workspace();
    const TRect hit = vrPreviewSearch().FoundRect;
    const Integer top = w->PageList()->Item(2)->Top + hit.Bottom;
    EXPECT_LE(w->VertScrollOffset(), top);
    EXPECT_GE(w->VertScrollOffset() + w->ClientHeight(), top);
}

TEST_F(PreviewSearch, ANewSearchStartsAtTheCurrentPageUnlessFromTheTop) {
    Build();
    Attach();
    Control->SetPageNo(2);
    Find("页，共", false);
    EXPECT_EQ(Hit().first, 1);
    Find("页，共", true);
    EXPECT_EQ(Hit().first, 0);
    // Case: exact or not.
    Find("a001", true, true, false);
    EXPECT_FALSE(vrPreviewSearch().Found);
    Find("a001", true, false);
    EXPECT_TRUE(vrPreviewSearch().Found);
    EXPECT_EQ(TvrSearchDialog::LastText(), "a001");
}

TEST_F(PreviewSearch, ACancelledDialogStillAllowsFindAgainAndARelayoutWithdrawsIt) {
    Build();
    Attach();
    EXPECT_FALSE(Control->FindNextAllowed());
    User.Answer(mrCancel);
    Control->FindTextDialog();
    EXPECT_TRUE(Control->FindNextAllowed());
    Control->SetZoom(2);
    EXPECT_FALSE(Control->FindNextAllowed());
    EXPECT_EQ(Control->Workspace()->CachedSearchPage(), -1);
}

// --- the mouse ------------------------------------------------------------------------------------

class PreviewMouse : public PreviewTest {
protected:
    // The point of the title text on page index.
    TPoint Title(Integer index = 0) const { return PointOn(index, PreviewMargin + 20, PreviewMargin + 10); }
    void Click(const TPoint& p, TMouseButton button = mbLeft) {
        Control->Workspace()->MouseDown(button, {}, p.X, p.Y);
        Control->Workspace()->MouseUp(button, {}, p.X, p.Y);
    }
};

TEST_F(PreviewMouse, AnAtLinkShowsThatPage) {
    Build(WithTitleURL("@3"));
    Attach();
    Click(Title());
    EXPECT_EQ(Control->PageNo(), 3);
}

TEST_F(PreviewMouse, AnAnchorLinkShowsTheAnchorsPlace) {
    Build(WithTitleURL("#end"));
    Pages()->CurPage = 2;
    Pages()->AddAnchor("end");
    Attach(1000, 400);
    Click(Title());
    TvrPreviewWorkspace* w = Control->Workspace();
    const Integer top = StrToInt(Pages()->FindAnchor("end")->GetProp("top"));
    const Integer expected = w->PageList()->Item(2)->Top + static_cast<Integer>(std::lround(PreviewMargin + top)) - 10;
    EXPECT_EQ(w->VertScrollOffset(), std::min(expected, w->VertExtent() - w->VertPageSize()));
    EXPECT_EQ(Control->PageNo(), 3);
}

TEST_F(PreviewMouse, HoveringShowsTheLinkAndTheHandCursor) {
    Build(WithTitleURL("@3"));
    OpenWindow();
    const TPoint p = Title();
    Control->Workspace()->MouseMove({}, p.X, p.Y);
    EXPECT_EQ(Control->Workspace()->Cursor(), crHandPoint);
    EXPECT_EQ(Window->StatusBar->Panels(1)->Text(), "@3");
    // Away from the object the default cursor and an empty text come back.
    Control->Workspace()->MouseMove({}, p.X + 600, p.Y + 600);
    EXPECT_EQ(Control->Workspace()->Cursor(), crDefault);
    EXPECT_EQ(Window->StatusBar->Panels(1)->Text(), "");
    EXPECT_EQ(Control->PageNo(), 1);
}

TEST_F(PreviewMouse, TwoClicksWithinTheDoubleClickTimePassTheDoubleClickFlag) {
    Build();
    Attach();
    std::vector<String> log;
    Report->OnClickObject = [&](TvrComponent* v, TMouseButton, TShiftState, bool&) { log.push_back("click " + v->Name()); };
    Report->OnDblClickObject = [&](TvrComponent* v, TMouseButton, TShiftState, bool&) { log.push_back("dbl " + v->Name()); };
    Cardinal now = 100000;
    TTickOverride ticks([&] { return now; });
    Click(Title());
    now += GetDoubleClickTime() / 2;
    Click(Title());
    now += 10;
    Click(Title());
    now += GetDoubleClickTime() + 1;
    Click(Title());
    EXPECT_EQ(log, (std::vector<String>{"click TitleMemo", "dbl TitleMemo", "click TitleMemo", "click TitleMemo"}));
    // The right button selects the page only.
    log.clear();
    Click(Title(), mbRight);
    EXPECT_TRUE(log.empty());
}

TEST_F(PreviewMouse, AClickHandlerThatChangesTheObjectRedrawsItAndTheHitStaysValid) {
    Build();
    Attach();
    Report->OnClickObject = [&](TvrComponent* v, TMouseButton, TShiftState, bool& modified) {
        v->SetWidth(v->Width() + 50);
        modified = true;
    };
    Click(Title());
    const TvrHitTestResult& hit = Pages()->LastHitTest();
    EXPECT_TRUE(hit.Repaint);
    ASSERT_NE(hit.Object, nullptr);
    // The object hit is that of the page as it is now.
    TvrComponent* page = Pages()->GetPreparedPage(0);
    EXPECT_EQ(page->FindObject("TitleMemo"), hit.Object);
    EXPECT_DOUBLE_EQ(static_cast<double>(hit.Object->Width()), 350);
}

TEST_F(PreviewMouse, ADrillDownClickRebuildsInPlace) {
    Build(GroupedOutlineLayout());
    Attach(1000, 800);
    const Integer before = Control->PageCount();
    Extended groupTop = -1;
    for (const TPreparedBand& b : BandsOf(0))
        if (b.Name == "GroupHeader1") groupTop = b.Top;
    ASSERT_GE(groupTop, 0);
    const TPoint p = PointOn(0, PreviewMargin + 10, PreviewMargin + groupTop + 5);
    Control->Workspace()->MouseMove({}, p.X, p.Y);
    EXPECT_EQ(Control->Workspace()->Cursor(), crHandPoint);
    Click(p);
    EXPECT_EQ(Report->DrillDownNames()->Count(), 1);
    EXPECT_LT(Control->PageCount(), before);
    EXPECT_EQ(Control->PageNo(), 1);
    EXPECT_FALSE(Control->Locked());
    EXPECT_FALSE(Control->Refreshing());
    EXPECT_EQ(Control->Workspace()->PageList()->Count(), Control->PageCount());
}

TEST_F(PreviewMouse, DraggingMovesTheViewAgainstTheMouseButNotTheThumbnails) {
    Build();
    Attach(600, 500);
    Control->SetZoom(1.5);
    TvrPreviewWorkspace* w = Control->Workspace();
    w->MouseDown(mbLeft, {}, 200, 200);
    w->MouseMove(TShiftState{ssLeft}, 170, 140);
    EXPECT_EQ(w->HorzScrollOffset(), 30);
    EXPECT_EQ(w->VertScrollOffset(), 60);
    w->MouseUp(mbLeft, {}, 170, 140);
    EXPECT_FALSE(w->IsDragging());
    Control->SetThumbnailVisible(true);
    TvrPreviewWorkspace* t = Control->Thumbnails();
    t->MouseDown(mbLeft, {}, 50, 50);
    t->MouseMove(TShiftState{ssLeft}, 50, 10);
    EXPECT_EQ(t->VertScrollOffset(), 0);
}

TEST_F(PreviewMouse, AThumbnailClickShowsThatPageInTheMainWorkspace) {
    Build();
    Attach(1000, 600);
    Control->SetThumbnailVisible(true);
    EXPECT_TRUE(Control->ThumbnailVisible());
    EXPECT_FALSE(Control->OutlineVisible());
    TvrPreviewWorkspace* t = Control->Thumbnails();
    ASSERT_EQ(t->PageList()->Count(), 3);
    const TRect third = t->ScreenBounds(2);
    t->MouseUp(mbLeft, {}, third.Left + 5, third.Top + 5);
    EXPECT_EQ(Control->PageNo(), 3);
    TvrPreviewWorkspace* w = Control->Workspace();
    EXPECT_EQ(w->VertScrollOffset(), std::min(w->PageList()->Item(2)->Top - 10, w->VertExtent() - w->VertPageSize()));
    EXPECT_EQ(t->VertScrollOffset(), 0); // the clicked strip stays where it is
}

// --- outline --------------------------------------------------------------------------------------

TEST_F(PreviewControl, TheOutlineListsTheGroupsAndAClickShowsTheirPlace) {
    Build(GroupedOutlineLayout());
    Report->PreviewOptions()->OutlineVisible = true;
    Attach(1000, 400);
    EXPECT_TRUE(Control->OutlineVisible());
    TTreeNodes* nodes = Control->OutlineTree()->Items();
    ASSERT_EQ(nodes->Count(), 3);
    EXPECT_EQ(nodes->Item(0)->Text(), "G1");
    EXPECT_EQ(nodes->Item(2)->Text(), "G3");
    Control->OutlineClick(nodes->Item(2));
    EXPECT_EQ(Control->PageNo(), nodes->Item(2)->ImageIndex());
    Control->SetThumbnailVisible(true);
    EXPECT_FALSE(Control->OutlineVisible());
}

// --- editing the page list ------------------------------------------------------------------------

TEST_F(PreviewControl, DeletingAMiddlePageKeepsItsPlaceAndTheLastStepsBack) {
    Build();
    Attach();
    Control->InsertEmptyPage(); // a blank page before page 1
    ASSERT_EQ(Control->PageCount(), 4);
    std::vector<Integer> changes;
    Control->OnPageChanged = [&](TvrPreview*, Integer n) { changes.push_back(n); };
    Control->SetPageNo(2);
    Control->DeleteCurrentPage();
    EXPECT_EQ(Control->PageCount(), 3);
    EXPECT_EQ(Control->PageNo(), 2); // the page that took its place
    Control->SetPageNo(3);
    Control->DeleteCurrentPage();
    EXPECT_EQ(Control->PageCount(), 2);
    EXPECT_EQ(Control->PageNo(), 2);
    EXPECT_EQ(std::vector<Integer>(changes.begin(), changes.begin() + 3), (std::vector<Integer>{2, 2, 3}));
    EXPECT_EQ(changes.back(), 2);
    EXPECT_EQ(Control->Workspace()->PageList()->Count(), 2);
}

TEST_F(PreviewControl, ABlankPageInsertedBeforeTheSecondDrawsAndSavesAndReopens) {
    MakeTable({{"A001", "G1", 1}});
    LoadLayout(GroupedLayout);
    ASSERT_TRUE(Prepare());
    Attach();
    ASSERT_EQ(Control->PageCount(), 1);
    Control->InsertEmptyPage(); // at index 0
    Control->SetPageNo(2);
    Pages()->InsertBlankPage(1); // before the second: the one-source report's name stays valid
    Control->RelayoutPages();
    ASSERT_EQ(Control->PageCount(), 3);
    for (Integer i = 0; i < 3; ++i)
        EXPECT_NE(Pages()->GetPreparedPage(i), nullptr) << i;
    EXPECT_EQ(Pages()->GetPreparedPageSize(1), TPoint(794, 1123));
    const String file = Dir.File("blank.dp3");
    Control->SaveToFile(file);
    Control->ClearPreview();
    EXPECT_EQ(Control->PageCount(), 0);
    Control->LoadFromFile(file);
    EXPECT_EQ(Control->PageCount(), 3);
    EXPECT_EQ(Control->PageNo(), 1);
    EXPECT_NE(Pages()->GetPreparedPage(2), nullptr);
}

TEST_F(PreviewControl, OpeningAFileThatIsNoPreparedReportKeepsThePagesShown) {
    Build();
    Attach();
    const String file = Dir.File("other.dp3");
    {
        std::ofstream out(file, std::ios::binary);
        out << "no prepared report";
    }
    EXPECT_ANY_THROW(Control->LoadFromFile(file));
    EXPECT_EQ(Control->PageCount(), 3);
    EXPECT_FALSE(Control->Locked());
    EXPECT_FALSE(Control->MessagePanel()->Visible());
    EXPECT_EQ(Control->Workspace()->PageList()->Count(), 3);
    // A missing file is no failure.
    Control->LoadFromFile(Dir.File("missing.dp3"));
}

TEST_F(PreviewControl, SavingThroughTheDialogGivesTheFileItsExtension) {
    Build();
    Attach();
    User.File(Dir.File("清单.txt"));
    Control->SaveToFileDialog();
    EXPECT_TRUE(FileExists(Dir.File("清单.dp3")));
    User.File(Dir.File("清单.dp3"));
    Control->ClearPreview();
    Control->LoadFromFileDialog();
    EXPECT_EQ(Control->PageCount(), 3);
}

TEST_F(PreviewControl, LockingShowsOnlyTheBackgroundAndIgnoresTheMouse) {
    Build(WithTitleURL("@3"));
    Attach();
    Control->LockView();
    Control->ShowMessagePanel("载入文件...");
    EXPECT_TRUE(Control->MessagePanel()->Visible());
    EXPECT_EQ(Control->MessageLabel()->Caption(), "载入文件...");
    Control->SetZoom(2);
    EXPECT_DOUBLE_EQ(static_cast<double>(Control->Workspace()->Zoom), 1.0); // no relayout while locked
    const TPoint p = PointOn(0, PreviewMargin + 20, PreviewMargin + 10);
    Control->Workspace()->MouseUp(mbLeft, {}, p.X, p.Y);
    EXPECT_EQ(Control->PageNo(), 1);
    Control->UnlockView();
    EXPECT_FALSE(Control->MessagePanel()->Visible());
    EXPECT_DOUBLE_EQ(static_cast<double>(Control->Workspace()->Zoom), 2.0);
}

TEST_F(PreviewControl, TheWorkspacePaintsOnlyTheBackgroundWithoutPages) {
    MakeTable({});
    LoadLayout(LayoutText(""));
    Attach(300, 200);
    Report->PreparedPages()->ClearAll();
    Control->RelayoutPages();
    TMetafile picture;
    {
        TMetafileCanvas canvas(&picture);
        Control->Workspace()->PaintWorkspace(&canvas, false);
    }
    EXPECT_TRUE(picture.TextRecords().empty());
    EXPECT_GE(picture.RecordCount(), 1);
}

} // namespace
