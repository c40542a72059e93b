// Platform services a custom-drawn grid needs: window scrolling with repainting of what it
// uncovers, poly-polylines and flat-capped wide pens, system metrics and the cursor, a control's
// reading order, and the masked single-line edit.
#include "gui/Bitmap.h"
#include "gui/ControlInput.h"
#include "gui/ControlPaint.h"
#include "gui/ControlShot.h"
#include "gui/CursorPos.h"
#include "gui/DeferredCall.h"
#include "gui/Forms.h"
#include "gui/InputSimulation.h"
#include "gui/Mask.h"
#include "gui/ReadingOrder.h"
#include "gui/SystemMetrics.h"

#include <gtest/gtest.h>

namespace {

class TRecordingControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<TRect> PaintRects;

protected:
    void Paint() override { PaintRects.push_back(ControlPaintRect(this)); }
};

TColor PixelOf(TBitmap& b, int x, int y) {
    return static_cast<TColor>(ColorToPixelRGB(b.Canvas()->Pixels(x, y)));
}

} // namespace

TEST(GridPlatformServices, ScrollingARectangleRepaintsOnlyWhatItUncovers) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* c = new TRecordingControl(&form);
    c->SetParent(&form);
    c->SetBounds(0, 0, 200, 150);
    form.Show();
    c->Repaint();
    Application()->ProcessMessages();
    c->PaintRects.clear();
    ScrollControlRect(c, 0, -10, Rect(0, 20, 100, 80));
    PaintPending(c);
    ASSERT_FALSE(c->PaintRects.empty());
    TRect all;
    for (const TRect& r : c->PaintRects)
        UnionRect(all, all, r);
    // The strip the move left behind at the bottom of the rectangle, nothing outside it.
    EXPECT_LE(all.Top, 70);
    EXPECT_GE(all.Top, 20);
    EXPECT_LE(all.Bottom, 80);
    EXPECT_LE(all.Right, 100);
    c->PaintRects.clear();
    const TRect r = Rect(150, 10, 160, 20);
    InvalidateControlRect(c, &r);
    PaintPending(c);

    ASSERT_EQ(c->PaintRects.size(), 1u);
    EXPECT_EQ(c->PaintRects[0], r);
    // Outside a paint the whole client area counts.
    EXPECT_EQ(ControlPaintRect(c), Rect(0, 0, 200, 150));
}

// A control has at most one deferred call waiting; a discarded call never runs, also when another
// call for the same control was posted after it.
TEST(GridPlatformServices, OneDeferredCallAControlAndDiscardable) {
    TCustomControl c(nullptr);
    std::vector<String> ran;
    EXPECT_TRUE(PostDeferredCall(&c, [&] { ran.push_back("first"); }));
    EXPECT_FALSE(PostDeferredCall(&c, [&] { ran.push_back("second"); }));
    EXPECT_TRUE(DeferredCallPending(&c));
    Application()->ProcessMessages();
    EXPECT_EQ(ran, (std::vector<String>{"first"}));
    EXPECT_FALSE(DeferredCallPending(&c));

    ran.clear();
    EXPECT_TRUE(PostDeferredCall(&c, [&] { ran.push_back("discarded"); }));
    DiscardDeferredCall(&c);
    EXPECT_FALSE(DeferredCallPending(&c));
    EXPECT_TRUE(PostDeferredCall(&c, [&] { ran.push_back("again"); }));
    Application()->ProcessMessages();
    Application()->ProcessMessages();
    EXPECT_EQ(ran, (std::vector<String>{"again"}));
    EXPECT_FALSE(DeferredCallPending(&c));
}

// The control's own scroll bar keeps its page within the range and its position where a whole page
// still fits; a bar shown with nothing to scroll takes room from the client area all the same.
TEST(GridPlatformServices, OwnScrollBarKeepsPageAndPositionInRange) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* c = new TCustomControl(&form);
    c->SetParent(&form);
    c->SetBounds(0, 0, 200, 150);
    struct {
        int min, max, page, pos;
        int wantPage, wantPos;
    } cases[] = {
        {1, 100, 10, 50, 10, 50},  // inside
        {1, 100, 10, 95, 10, 91},  // the last whole page
        {1, 100, 10, -5, 10, 1},   // before the start
        {0, 4, 0, 2, 0, 2},        // no page
        {1, 5, 20, 3, 5, 1},       // page larger than the range
    };
    for (auto& k : cases) {
        TScrollInfo si{};
        si.fMask = SIF_ALL;
        si.nMin = k.min;
        si.nMax = k.max;
        si.nPage = static_cast<Cardinal>(k.page);
        si.nPos = k.pos;
        EXPECT_EQ(c->SetScrollInfo(SB_VERT, si), k.wantPos) << k.max << " " << k.pos;
        TScrollInfo got{};
        got.fMask = SIF_ALL;
        ASSERT_TRUE(c->GetScrollInfo(SB_VERT, got));
        EXPECT_EQ(static_cast<int>(got.nPage), k.wantPage) << k.max << " " << k.pos;
        EXPECT_EQ(c->GetScrollPos(SB_VERT), k.wantPos) << k.max << " " << k.pos;
    }
    EXPECT_EQ(c->SetScrollPos(SB_VERT, 9), 1);
    c->ShowScrollBar(SB_VERT, false);
    const int hidden = c->ClientWidth();
    c->ShowScrollBar(SB_VERT, true);
    EXPECT_LT(c->ClientWidth(), hidden);
}

TEST(GridPlatformServices, PolyPolylineDrawsSeparateFlatCappedStrokes) {
    TBitmap b;
    b.SetSize(40, 40);
    TCanvas* cv = b.Canvas();
    cv->Brush()->SetColor(clWhite);
    cv->FillRect(Rect(0, 0, 40, 40));
    cv->Pen()->SetColor(clBlack);
    cv->Pen()->SetWidth(3);
    cv->Pen()->SetEndCap(pecFlat);
    cv->Pen()->SetJoinStyle(pjsMiter);
    const TPoint pts[4] = {TPoint(11, 5), TPoint(11, 30), TPoint(25, 5), TPoint(25, 30)};
    const int counts[2] = {2, 2};
    cv->PolyPolyline(pts, counts, 2);
    // Three pixels wide, centred on the line; flat ends stop at the end points.
    for (int x : {10, 11, 12, 24, 25, 26})
        EXPECT_EQ(PixelOf(b, x, 15), clBlack) << x;
    for (int x : {9, 13, 18, 23, 27})
        EXPECT_EQ(PixelOf(b, x, 15), clWhite) << x;
    EXPECT_EQ(PixelOf(b, 11, 3), clWhite);  // no round or square cap above the start
    EXPECT_EQ(PixelOf(b, 11, 32), clWhite); // nor below the end
    TPen copy;
    copy.Assign(*cv->Pen());
    EXPECT_EQ(copy.EndCap(), pecFlat);
    EXPECT_EQ(copy.JoinStyle(), pjsMiter);
    EXPECT_TRUE(copy.SameAs(*cv->Pen()));
}

TEST(GridPlatformServices, MetricsAndTheCursor) {
    TForm form(nullptr);
    EXPECT_GT(GetSystemMetrics(SM_CXVSCROLL), 0);
    EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_GT(GetSystemMetrics(SM_CXDOUBLECLK), 0);
    EXPECT_GT(GetDoubleClickTime(), 0u);
    const Cardinal t1 = GetMessageTime();
    const Cardinal t2 = GetMessageTime();
    EXPECT_LE(t1, t2);
    SetCursorPos(TPoint(33, 44));
    EXPECT_EQ(GetCursorPos(), TPoint(33, 44));
}

TEST(GridPlatformServices, ReadingOrderOfAControl) {
    TForm form(nullptr);
    auto* c = new TRecordingControl(&form);
    c->SetParent(&form);
    EXPECT_EQ(ControlBiDiMode(c), bdLeftToRight);
    EXPECT_FALSE(UseRightToLeftAlignment(c));
    SetControlBiDiMode(c, bdRightToLeftReadingOnly);
    EXPECT_FALSE(UseRightToLeftAlignment(c));
    EXPECT_TRUE(UseRightToLeftReading(c));
    SetControlBiDiMode(c, bdRightToLeft);
    EXPECT_TRUE(UseRightToLeftAlignment(c));
}

TEST(GridPlatformServices, MaskedEditTakesOnlyWhatTheMaskAllows) {
    TForm form(nullptr);
    auto* e = new TMaskEdit(&form);
    e->SetParent(&form);
    form.Show();
    e->SetFocus();
    e->SetEditMask("000-0000;1;_");
    EXPECT_TRUE(e->IsMasked());
    EXPECT_EQ(e->EditText(), "___-____");
    SimulateTyping(e, "55a51234");
    EXPECT_EQ(e->EditText(), "555-1234");
    EXPECT_EQ(e->Text(), "555-1234");
    e->SetEditMask("");
    e->SetText("hello");
    e->SetSelection(1, 3);
    EXPECT_EQ(e->SelStart(), 1);
    EXPECT_EQ(e->SelEnd(), 3);
    EXPECT_EQ(e->CaretPosition(), 3);
    e->SetCaretPosition(5);
    EXPECT_EQ(e->SelLength(), 0);
    EXPECT_EQ(e->CharFromPos(TPoint(0, 5)), 0);
    EXPECT_EQ(e->CharFromPos(TPoint(e->Width() - 1, 5)), 5);
    e->SetTextRect(Rect(2, 2, e->Width() - 2, e->Height()));
    EXPECT_EQ(e->TextRect(), Rect(2, 2, e->Width() - 2, e->Height()));
    // Changes are told; read-only takes no typing; the length is limited.
    int changes = 0;
    e->OnChange = [&](TObject*) { ++changes; };
    e->SetMaxLength(6);
    SimulateTyping(e, "xyz");
    EXPECT_EQ(e->Text(), "hellox");
    EXPECT_GE(changes, 1);
    e->SetReadOnly(true);
    SimulateTyping(e, "q");
    EXPECT_EQ(e->Text(), "hellox");
    // A character posted to the edit arrives through the key path.
    e->SetReadOnly(false);
    e->SetMaxLength(0);
    PostCharMessage(e, u'!');
    Application()->ProcessMessages();
    EXPECT_EQ(e->Text(), "hellox!");
}
