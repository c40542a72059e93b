// The tab control's geometry, hit tests, region cache, keyboard, hot tracking and its paint
// guarantees. Tab sizes are fixed (TabWidth, TabHeight) so that the numbers do not depend on fonts.
#include "controls/WnTabs.h"
#include "controls/WnCommon.h"

#include "gui/ExtCtrls.h"
#include "gui/Forms.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TProbe : public TWnCustomTabControl {
public:
    using TWnCustomTabControl::KeyDown;
    using TWnCustomTabControl::MouseDown;
    using TWnCustomTabControl::MouseMove;
    using TWnCustomTabControl::TWnCustomTabControl;
    TPoint Cursor{-100, -100};

protected:
    TPoint CursorPos() const override { return Cursor; }
};

struct Fixture {
    TForm Form{nullptr};
    TProbe* Tabs;
    Fixture(int count, TWnTabOrientation o, TWnTabStyle style, int w = 300, int h = 200) {
        Form.SetBounds(0, 0, w + 40, h + 40);
        Tabs = new TProbe(&Form);
        Tabs->SetParent(&Form);
        Tabs->SetBounds(0, 0, w, h);
        Tabs->SetTabOrientation(o);
        Tabs->SetTabStyle(style);
        const bool horz = o == toTop || o == toBottom;
        Tabs->SetTabWidth(horz ? 80 : 20);
        Tabs->SetTabHeight(horz ? 20 : 80);
        for (int i = 0; i < count; ++i)
            Tabs->Tabs()->Add()->Caption = "Tab " + std::to_string(i);
        Tabs->RequestLayout();
        Tabs->UpdateLayout();
    }
};

} // namespace

TEST(WnTabs, TabRectanglesPerOrientationAndSequence) {
    struct Case {
        TWnTabOrientation O;
        TWnTabSequence Seq;
        TWnTabStyle Style;
        int Index;
        TRect Expected;
    } cases[] = {
        // Single slant: tabs 80 long overlap by the slant (20 div 2) minus 1, so each starts 71 on.
        {toTop, tsStandard, tsSingleSlant, 1, TRect(71, 0, 151, 20)},
        {toTop, tsStandard, tsSingleSlant, 2, TRect(142, 0, 222, 20)},
        {toBottom, tsStandard, tsSingleSlant, 1, TRect(71, 179, 151, 199)},
        // Left: the standard sequence runs from the bottom up, the reverse one from the top down.
        {toLeft, tsStandard, tsSingleSlant, 1, TRect(0, 48, 20, 128)},
        {toRight, tsStandard, tsSingleSlant, 1, TRect(279, 71, 299, 151)},
        // Double slant overlaps by the whole slant (20) minus 1; back slant as single slant.
        {toTop, tsStandard, tsDoubleSlant, 1, TRect(61, 0, 141, 20)},
        {toLeft, tsStandard, tsDoubleSlant, 1, TRect(0, 58, 20, 138)},
        {toRight, tsStandard, tsDoubleSlant, 2, TRect(279, 122, 299, 202)},
        {toBottom, tsStandard, tsBackSlant, 1, TRect(71, 179, 151, 199)},
        // Reverse on top: from the right edge leftwards.
        {toTop, tsReverse, tsSingleSlant, 0, TRect(219, 0, 299, 20)},
        {toTop, tsReverse, tsSingleSlant, 1, TRect(148, 0, 228, 20)},
        // Round corners stand 1 apart (TabOverlap -1), 3 from the outer edge, 2 from the start;
        // the current tab grows by 2 at both ends and at the outer edge.
        {toTop, tsStandard, tsRoundCorners, 0, TRect(0, 1, 84, 23)},
        {toTop, tsStandard, tsRoundCorners, 1, TRect(84, 3, 164, 23)},
        {toLeft, tsReverse, tsRoundCorners, 1, TRect(3, 84, 23, 164)},
        // Cut corners: no growth, 1 apart.
        {toBottom, tsStandard, tsCutCorner, 1, TRect(82, 179, 162, 199)},
    };
    for (const Case& c : cases) {
        Fixture f(3, c.O, c.Style);
        f.Tabs->SetTabSequence(c.Seq);
        f.Tabs->UpdateLayout();
        EXPECT_EQ(f.Tabs->TabIndex(), 0);
        const TRect r = f.Tabs->GetTabRect(c.Index);
        EXPECT_EQ(r, c.Expected) << "orientation " << c.O << " sequence " << c.Seq << " style " << c.Style
                                 << " tab " << c.Index << ": " << r.Left << "," << r.Top << "," << r.Right
                                 << "," << r.Bottom;
    }
}

TEST(WnTabs, CardAndPageAreaFollowTheStrip) {
    Fixture top(3, toTop, tsSingleSlant);
    EXPECT_EQ(top.Tabs->TabAreaDepth(), 20);
    EXPECT_EQ(top.Tabs->GetCardRect(0), TRect(0, 20, 299, 199));
    // Room for the shadow on the right and at the bottom.
    EXPECT_EQ(top.Tabs->GetDisplayRect(), TRect(1, 21, 297, 197));
    Fixture left(3, toLeft, tsRoundCorners);
    EXPECT_EQ(left.Tabs->TabAreaDepth(), 23);
    EXPECT_EQ(left.Tabs->GetCardRect(0), TRect(23, 0, 299, 199));
    EXPECT_EQ(left.Tabs->GetDisplayRect(), TRect(24, 1, 299, 199));
    // Without tabs the card is the whole control.
    Fixture none(0, toTop, tsSingleSlant);
    EXPECT_EQ(none.Tabs->TabIndex(), -1);
    EXPECT_EQ(none.Tabs->GetCardRect(0), TRect(0, 0, 299, 199));
}

TEST(WnTabs, RowsOfAMultiLineStrip) {
    struct Case {
        int Count;
        int TabWidth;
        int Rows;
        int Depth;
    } cases[] = {
        {2, 100, 1, 20}, // all fit: one row
        {3, 100, 2, 35}, // 20 + (2 - 1) * (20 - 5)
        {4, 100, 2, 35}, {5, 100, 3, 50},
        {7, 100, 4, 65}, {3, 400, 3, 50}, // longer than a row: each alone in its own row, never split
    };
    for (const Case& c : cases) {
        Fixture f(c.Count, toTop, tsCutCorner);
        f.Tabs->SetTabWidth(c.TabWidth);
        f.Tabs->SetMultiLine(true);
        f.Tabs->UpdateLayout();
        EXPECT_EQ(f.Tabs->RowCount(), c.Rows) << c.Count << " tabs of " << c.TabWidth;
        EXPECT_EQ(f.Tabs->TabAreaDepth(), c.Depth) << c.Count << " tabs of " << c.TabWidth;
    }
}

TEST(WnTabs, TheCurrentTabsRowMovesNextToTheCard) {
    Fixture f(5, toTop, tsCutCorner);
    f.Tabs->SetTabWidth(100);
    f.Tabs->SetMultiLine(true);
    f.Tabs->UpdateLayout();
    ASSERT_EQ(f.Tabs->RowCount(), 3);
    EXPECT_EQ(f.Tabs->Tabs()->Items(4)->Row, 2);
    f.Tabs->SetTabIndex(4);
    // Rows move cyclically: the current row is 0, the rows before it go to the back.
    EXPECT_EQ(f.Tabs->Tabs()->Items(4)->Row, 0);
    EXPECT_EQ(f.Tabs->Tabs()->Items(0)->Row, 1);
    EXPECT_EQ(f.Tabs->Tabs()->Items(2)->Row, 2);
    EXPECT_EQ(f.Tabs->GetTabRect(4).Bottom, f.Tabs->TabAreaDepth());
}

TEST(WnTabs, HitTestsTryTheCurrentTabFirst) {
    // Slanted tabs 0 and 1 overlap between x 71 and 80; (74, 15) lies inside both outlines.
    struct Case {
        int Current;
        TPoint Point;
        int Hit;
    } cases[] = {
        {1, {74, 15}, 1},   {0, {74, 15}, 0},
        {2, {74, 15}, 0}, // neither is current: the first in search order from the first shown tab
        {0, {76, 2}, 1},  // above tab 0's slant
        {0, {250, 10}, -1}, {0, {100, 60}, -1},
    };
    for (const Case& c : cases) {
        Fixture f(3, toTop, tsSingleSlant);
        f.Tabs->SetTabIndex(c.Current);
        EXPECT_EQ(f.Tabs->TabAtPos(c.Point.X, c.Point.Y), c.Hit)
            << "current " << c.Current << " at " << c.Point.X << "," << c.Point.Y;
    }
}

TEST(WnTabs, RegionCacheAndShapeErrors) {
    TWnTabRegionCache cache(2);
    for (int bad : {0, -2}) {
        try {
            cache.SetCapacity(bad);
            ADD_FAILURE() << bad;
        } catch (const EWnTabControlError& e) {
            EXPECT_STREQ(e.what(), "Capacity must be -1 (to cache all regions) or > 0");
        }
    }
    EXPECT_THROW(TWnTabRegionCache(0), EWnTabControlError);
    const TRect a(0, 0, 1, 1), b(0, 0, 2, 2), c(0, 0, 3, 3);
    cache.Insert(a, TRegion(a));
    cache.Insert(b, TRegion(b));
    ASSERT_NE(cache.Lookup(a), nullptr); // a moves to the front
    cache.Insert(c, TRegion(c));         // b, the least recently used, goes
    EXPECT_EQ(cache.Count(), 2);
    EXPECT_EQ(cache.Lookup(b), nullptr);
    EXPECT_NE(cache.Lookup(a), nullptr);
    cache.SetCapacity(1);
    EXPECT_EQ(cache.Count(), 1);
    cache.SetCapacity(-1);
    for (int i = 0; i < 10; ++i)
        cache.Insert(TRect(i, i, i + 5, i + 5), TRegion());
    EXPECT_EQ(cache.Count(), 11);

    struct Shape {
        TWnTabStyle Style;
        bool Soft;
        int Points;
        bool Ok;
    } shapes[] = {
        {tsSingleSlant, false, 5, true},   {tsSingleSlant, true, 6, true}, {tsDoubleSlant, false, 4, true},
        {tsDoubleSlant, false, 5, false},  {tsCutCorner, true, 5, true},   {tsRoundCorners, false, 6, true},
        {tsRoundCorners, false, 5, false}, {tsBackSlant, false, 6, false},
    };
    for (const Shape& s : shapes) {
        if (s.Ok) {
            EXPECT_NO_THROW(TWnCustomTabControl::CheckTabShape(s.Style, s.Soft, s.Points));
            continue;
        }
        try {
            TWnCustomTabControl::CheckTabShape(s.Style, s.Soft, s.Points);
            ADD_FAILURE() << s.Style;
        } catch (const EWnTabControlError& e) {
            EXPECT_STREQ(e.what(), "Incorrect number of points in tab shape");
        }
    }
}

TEST(WnTabs, SettersIgnoreNegativesAndLinkShadowToFullFrame) {
    Fixture f(2, toTop, tsSingleSlant);
    f.Tabs->SetMargin(-3);
    f.Tabs->SetRowIndent(-1);
    f.Tabs->SetCutCornerSize(-5);
    EXPECT_EQ(f.Tabs->Margin(), 0);
    EXPECT_EQ(f.Tabs->RowIndent(), 5);
    EXPECT_EQ(f.Tabs->CutCornerSize(), 6);
    f.Tabs->SetShowFullFrame(false);
    EXPECT_FALSE(f.Tabs->ShowShadow());
    f.Tabs->SetShowShadow(true);
    EXPECT_TRUE(f.Tabs->ShowFullFrame());
    // A cut-corner size set under another style is kept for later without a layout.
    f.Tabs->UpdateLayout();
    f.Tabs->SetCutCornerSize(3);
    EXPECT_FALSE(f.Tabs->LayoutDirty());
    EXPECT_EQ(f.Tabs->CutCornerSize(), 3);
    EXPECT_THROW(f.Tabs->SetRegionCacheSize(0), EWnTabControlError);
}

TEST(WnTabs, FlatColorAdjustmentIsHeldInRangeSoPaintingNeverFails) {
    Fixture f(3, toTop, tsSingleSlant);
    f.Tabs->SetFlatColor(clRed);
    f.Tabs->SetFlatColorAdjustment(1000);
    EXPECT_EQ(f.Tabs->FlatColorAdjustment(), 255);
    f.Tabs->SetFlatColorAdjustment(-300);
    EXPECT_EQ(f.Tabs->FlatColorAdjustment(), -255);
    EXPECT_NO_THROW(f.Tabs->PaintOffscreen());
    // The outline takes the shifted colour: red shaded by 255 is black. The card's top edge lies
    // at y 20 right of the current tab.
    EXPECT_EQ(f.Tabs->OffscreenBitmap()->Canvas()->Pixels(250, 20), clBlack);
}

TEST(WnTabs, AFailingPaintStepLeavesCanvasClipAndFontAsTheyWere) {
    Fixture f(3, toTop, tsSingleSlant);
    TCanvas* c = f.Tabs->OffscreenBitmap()->Canvas();
    c->Font()->SetName("Arial");
    c->Font()->SetHeight(-20);
    c->Pen()->SetColor(clLime);
    c->Brush()->SetColor(clYellow);
    f.Tabs->OnGetTextColor = [](TObject*, int tab, TWnTextStyle, TColor&, bool&) {
        if (tab == 1) throw Exception("colour lookup failed");
    };
    EXPECT_THROW(f.Tabs->PaintOffscreen(), Exception);
    EXPECT_EQ(c->Font()->Name(), "Arial");
    EXPECT_EQ(c->Font()->Height(), -20);
    EXPECT_EQ(c->Font()->Orientation(), 0);
    EXPECT_FALSE(c->Font()->Style().Contains(fsBold));
    EXPECT_EQ(c->Pen()->Color(), clLime);
    EXPECT_EQ(c->Brush()->Color(), clYellow);
    TRegion clip;
    EXPECT_FALSE(c->GetClipRgn(clip));

    // The next paint draws the same picture as a control that never failed.
    f.Tabs->OnGetTextColor = nullptr;
    f.Tabs->PaintOffscreen();
    Fixture g(3, toTop, tsSingleSlant);
    g.Tabs->PaintOffscreen();
    TBitmap* a = f.Tabs->OffscreenBitmap();
    TBitmap* b = g.Tabs->OffscreenBitmap();
    int differ = 0;
    for (int y = 0; y < 200; y += 3)
        for (int x = 0; x < 300; x += 3)
            differ += a->Canvas()->Pixels(x, y) != b->Canvas()->Pixels(x, y);
    EXPECT_EQ(differ, 0);
}

TEST(WnTabs, KeyboardWalksToSelectableTabs) {
    Fixture f(4, toTop, tsSingleSlant);
    f.Tabs->Tabs()->Items(1)->Enabled = false;
    f.Tabs->RequestLayout();
    f.Tabs->UpdateLayout();
    int clicks = 0, changes = 0;
    f.Tabs->OnTabClick = [&](TObject*) { ++clicks; };
    f.Tabs->OnChange = [&](TObject*) { ++changes; };
    struct Step {
        Word Key;
        int Expected;
    } steps[] = {{VK_RIGHT, 2}, {VK_RIGHT, 3}, {VK_RIGHT, 0}, {VK_LEFT, 3},
                 {VK_END, 3},   {VK_HOME, 0},  {VK_END, 3}};
    int expectedClicks = 0;
    int prev = f.Tabs->TabIndex();
    for (const Step& s : steps) {
        Word key = s.Key;
        f.Tabs->KeyDown(key, TShiftState());
        EXPECT_EQ(f.Tabs->TabIndex(), s.Expected) << "key " << s.Key;
        if (s.Expected != prev) ++expectedClicks;
        prev = s.Expected;
    }
    EXPECT_EQ(clicks, expectedClicks);
    EXPECT_EQ(changes, expectedClicks);
    // A refusing OnChanging keeps the tab and fires nothing.
    f.Tabs->OnChanging = [](TObject*, int, bool& allow) { allow = false; };
    Word key = VK_RIGHT;
    f.Tabs->KeyDown(key, TShiftState());
    EXPECT_EQ(f.Tabs->TabIndex(), 3);
    EXPECT_EQ(clicks, expectedClicks);
    // With every other tab refused the arrows come back to the current tab.
    key = VK_LEFT;
    f.Tabs->KeyDown(key, TShiftState());
    EXPECT_EQ(f.Tabs->TabIndex(), 3);
    // A value past the last tab clears the selection without an error.
    f.Tabs->OnChanging = nullptr;
    f.Tabs->SetTabIndex(17);
    EXPECT_EQ(f.Tabs->TabIndex(), -1);
}

TEST(WnTabs, HotTrackingFollowsTheMouseAndItsTimerNoticesItLeave) {
    Fixture f(3, toTop, tsSingleSlant);
    f.Tabs->SetTabHints(true);
    f.Tabs->Tabs()->Items(1)->Hint = "second tab";
    f.Tabs->SetHint("strip");
    f.Tabs->Loaded();
    f.Tabs->MouseMove(TShiftState(), 110, 10);
    EXPECT_EQ(f.Tabs->HotTab(), 1);
    EXPECT_EQ(f.Tabs->Hint(), "second tab");
    ASSERT_NE(f.Tabs->HotTrackTimer(), nullptr);
    EXPECT_EQ(f.Tabs->HotTrackTimer()->Interval(), 60u);
    // The pointer is still over the tab: the tick keeps it hot.
    f.Tabs->Cursor = TPoint(110, 10);
    f.Tabs->HotTrackTimer()->Timer();
    EXPECT_EQ(f.Tabs->HotTab(), 1);
    // It left: the tick clears the hot tab, stops the timer and gives the hint back.
    f.Tabs->Cursor = TPoint(-50, 300);
    f.Tabs->HotTrackTimer()->Timer();
    EXPECT_EQ(f.Tabs->HotTab(), -1);
    EXPECT_EQ(f.Tabs->HotTrackTimer(), nullptr);
    EXPECT_EQ(f.Tabs->Hint(), "strip");
    // Over empty strip space with tab hints the control shows no hint.
    f.Tabs->MouseMove(TShiftState(), 280, 10);
    EXPECT_EQ(f.Tabs->Hint(), "");
}

TEST(WnTabs, ClicksSelectEnabledTabsOnly) {
    Fixture f(3, toTop, tsSingleSlant);
    f.Tabs->Tabs()->Items(2)->Enabled = false;
    int clicks = 0;
    f.Tabs->OnTabClick = [&](TObject*) { ++clicks; };
    f.Tabs->MouseDown(mbLeft, TShiftState(), 110, 10);
    EXPECT_EQ(f.Tabs->TabIndex(), 1);
    EXPECT_EQ(clicks, 1);
    f.Tabs->MouseDown(mbLeft, TShiftState(), 190, 10); // the disabled tab
    EXPECT_EQ(f.Tabs->TabIndex(), 1);
    EXPECT_EQ(clicks, 1);
}
