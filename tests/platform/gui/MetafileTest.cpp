#include "gui/Metafile.h"
#include "gui/Bitmap.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

namespace {

// The same picture at any whole scale k: coordinates, pen widths and font heights times k.
void PaintScene(TCanvas& c, int k, TBitmap& stamp) {
    c.Pen()->SetColor(clNavy);
    c.Pen()->SetWidth(k);
    c.Brush()->SetColor(clYellow);
    c.Rectangle(2 * k, 2 * k, 40 * k, 30 * k);
    c.Brush()->SetColor(clLime);
    c.Ellipse(45 * k, 5 * k, 90 * k, 35 * k);
    c.Brush()->SetStyle(bsDiagCross);
    c.Brush()->SetColor(clRed);
    TPoint tri[3] = {{5 * k, 70 * k}, {30 * k, 40 * k}, {55 * k, 70 * k}};
    c.Polygon(tri, 3);
    c.Pen()->SetColor(clPurple);
    c.MoveTo(60 * k, 40 * k);
    c.LineTo(95 * k, 75 * k);
    c.Font()->SetName("Arial");
    c.Font()->SetHeight(-12 * k);
    c.Font()->SetColor(clMaroon);
    c.Brush()->SetColor(clAqua);
    c.TextOut(4 * k, 10 * k, "Fee 12.50");
    c.Brush()->SetStyle(bsClear);
    c.Font()->SetName("宋体");
    c.TextOut(4 * k, 32 * k, "物业费");
    TRect clip = Rect(60 * k, 50 * k, 80 * k, 70 * k);
    c.IntersectClipRect(clip);
    c.Brush()->SetColor(clBlue);
    c.FillRect(Rect(50 * k, 45 * k, 100 * k, 80 * k));
    c.SelectClipRect(nullptr);
    c.StretchDraw(Bounds(82 * k, 40 * k, 10 * k, 10 * k), &stamp);
    c.SetPixels(99 * k, 79 * k, clBlack);
}

std::unique_ptr<TBitmap> Stamp() {
    auto b = std::make_unique<TBitmap>(10, 10, pf24bit);
    b->Canvas()->Brush()->SetColor(clFuchsia);
    b->Canvas()->FillRect(Rect(0, 0, 10, 10));
    b->Canvas()->Brush()->SetColor(clTeal);
    b->Canvas()->FillRect(Rect(0, 0, 5, 5));
    return b;
}

std::unique_ptr<TBitmap> White(int w, int h) {
    auto b = std::make_unique<TBitmap>(w, h, pf24bit);
    b->Canvas()->Brush()->SetColor(clWhite);
    b->Canvas()->FillRect(Rect(0, 0, w, h));
    return b;
}

// Number of pixels that differ.
int Differences(const TBitmap& a, const TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
    int n = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) ++n;
    return n;
}

std::unique_ptr<TMetafile> RecordScene(TBitmap& stamp) {
    auto mf = std::make_unique<TMetafile>();
    mf->SetWidth(100);
    mf->SetHeight(80);
    {
        TMetafileCanvas mc(mf.get());
        PaintScene(mc, 1, stamp);
    }
    return mf;
}

} // namespace

TEST(Metafile, ReplayAtScaleTwoEqualsDirectPaintingAtScaleTwo) {
    auto stamp = Stamp();
    auto mf = RecordScene(*stamp);
    EXPECT_GT(mf->RecordCount(), 10);
    for (int k : {1, 2, 3}) {
        auto replayed = White(100 * k, 80 * k);
        replayed->Canvas()->StretchDraw(Rect(0, 0, 100 * k, 80 * k), mf.get());
        auto direct = White(100 * k, 80 * k);
        PaintScene(*direct->Canvas(), k, *stamp);
        EXPECT_EQ(Differences(*replayed, *direct), 0) << "scale " << k;
    }
    // The replay drew something: the yellow rectangle and the clipped blue fill.
    auto replayed = White(200, 160);
    replayed->Canvas()->StretchDraw(Rect(0, 0, 200, 160), mf.get());
    EXPECT_EQ(replayed->Pixel(60, 50), clYellow);
    EXPECT_EQ(replayed->Pixel(130, 110), clBlue);
    EXPECT_NE(replayed->Pixel(105, 95), clBlue); // outside the clip
    EXPECT_EQ(replayed->Pixel(165, 81), clTeal);
}

TEST(Metafile, ReplayLeavesTheTargetCanvasAsItWas) {
    auto stamp = Stamp();
    auto mf = RecordScene(*stamp);
    auto b = White(100, 80);
    TCanvas* c = b->Canvas();
    c->Pen()->SetColor(clGreen);
    c->Brush()->SetColor(clSilver);
    c->Font()->SetName("Tahoma");
    c->IntersectClipRect(Rect(0, 0, 50, 80));
    c->Draw(0, 0, mf.get());
    EXPECT_EQ(c->Pen()->Color(), clGreen);
    EXPECT_EQ(c->Brush()->Color(), clSilver);
    EXPECT_EQ(c->Font()->Name(), "Tahoma");
    EXPECT_EQ(c->ClipRect(), Rect(0, 0, 50, 80));
    EXPECT_EQ(b->Pixel(70, 60), clWhite); // the target's clip held during the replay
}

TEST(Metafile, SavesAndLoadsItself) {
    auto stamp = Stamp();
    auto mf = RecordScene(*stamp);
    TMemoryStream ms;
    mf->SaveToStream(ms);
    ms.SetPosition(0);
    TMetafile loaded;
    loaded.LoadFromStream(ms);
    EXPECT_EQ(loaded.Width(), 100);
    EXPECT_EQ(loaded.Height(), 80);
    EXPECT_EQ(loaded.RecordCount(), mf->RecordCount());
    auto a = White(200, 160), b = White(200, 160);
    a->Canvas()->StretchDraw(Rect(0, 0, 200, 160), mf.get());
    b->Canvas()->StretchDraw(Rect(0, 0, 200, 160), &loaded);
    EXPECT_EQ(Differences(*a, *b), 0);
    ASSERT_EQ(loaded.TextRecords().size(), 2u);
    EXPECT_EQ(loaded.TextRecords()[1].Text, "物业费");

    TStringStream bad("ORVMETA1\x10\0\0\0short");
    EXPECT_THROW(loaded.LoadFromStream(bad), EInvalidGraphic);
    TStringStream other("GIF89a....");
    EXPECT_THROW(loaded.LoadFromStream(other), EInvalidGraphic);
}

TEST(Metafile, UnsizedMetafileTakesTheExtentOfItsDrawing) {
    TMetafile mf;
    {
        TMetafileCanvas mc(&mf);
        mc.Brush()->SetColor(clRed);
        mc.FillRect(Rect(10, 10, 60, 40));
    }
    EXPECT_EQ(mf.Width(), 60);
    EXPECT_EQ(mf.Height(), 40);
    EXPECT_EQ(mf.DrawnBounds(), Rect(10, 10, 60, 40));
}

namespace {

struct DrawTextCase {
    const char* Name;
    const char* Text;
    int Width;
    Cardinal Flags;
    std::vector<String> Lines;
};

std::vector<TMetaTextRecord> Layout(const String& text, const TRect& r, Cardinal flags,
                                    int* height = nullptr) {
    TMetafile mf;
    TMetafileCanvas mc(&mf);
    mc.Font()->SetName("Arial");
    mc.Font()->SetHeight(-13);
    mc.Brush()->SetStyle(bsClear);
    TRect rect = r;
    int h = mc.DrawText(text, rect, flags);
    if (height) *height = h;
    return mf.TextRecords();
}

} // namespace

TEST(DrawText, WordBreaksAndEllipses) {
    // Arial stands for Liberation Sans at 13 pixels; Chinese characters are 13 pixels wide.
    const DrawTextCase cases[] = {
        {"words",
         "The quick brown fox jumps over the lazy dog",
         100,
         DT_WORDBREAK,
         {"The quick brown", "fox jumps over", "the lazy dog"}},
        {"chinese breaks between characters",
         "物业管理系统收费明细表打印预览",
         60,
         DT_WORDBREAK,
         {"物业管理", "系统收费", "明细表打", "印预览"}},
        {"a long word stays whole",
         "Superlongwordwithoutspaces end",
         60,
         DT_WORDBREAK,
         {"Superlongwordwithoutspaces", "end"}},
        {"an edit control breaks it",
         "Superlongwordwithoutspaces end",
         60,
         DT_WORDBREAK | DT_EDITCONTROL,
         {"Superlong", "wordwitho", "utspaces", "end"}},
        {"end ellipsis", "A long caption text", 60, DT_SINGLELINE | DT_END_ELLIPSIS, {"A long c..."}},
        {"fits without ellipsis", "Short", 60, DT_SINGLELINE | DT_END_ELLIPSIS, {"Short"}},
        {"path ellipsis",
         "C:\\Program Files\\Orvanta\\Data\\wuyegl.mdb",
         150,
         DT_SINGLELINE | DT_PATH_ELLIPSIS,
         {"C:\\Progra...\\wuyegl.mdb"}},
        {"hard breaks", "one\r\ntwo\nthree", 200, 0, {"one", "two", "three"}},
        {"single line ignores breaks", "one\r\ntwo", 200, DT_SINGLELINE, {"onetwo"}},
        {"no line starts with a full stop", "收费明细。打印", 61, DT_WORDBREAK, {"收费明", "细。打印"}},
        {"prefix", "&File && Edit", 200, DT_SINGLELINE, {"File & Edit"}},
        {"no prefix", "&File", 200, DT_SINGLELINE | DT_NOPREFIX, {"&File"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto recs = Layout(c.Text, Rect(0, 0, c.Width, 200), c.Flags);
        ASSERT_EQ(recs.size(), c.Lines.size());
        TMetafile probe;
        TMetafileCanvas mc(&probe);
        mc.Font()->SetName("Arial");
        mc.Font()->SetHeight(-13);
        int lineHeight = mc.TextMetrics().tmHeight;
        for (size_t i = 0; i < recs.size(); ++i) {
            EXPECT_EQ(recs[i].Text, c.Lines[i]);
            EXPECT_EQ(recs[i].Bounds.Width(), mc.TextWidth(c.Lines[i]));
            EXPECT_EQ(recs[i].Y, static_cast<int>(i) * lineHeight);
            EXPECT_EQ(recs[i].ClipRect, Rect(0, 0, c.Width, 200));
            if (c.Lines[i] != "Superlongwordwithoutspaces") {
                EXPECT_LE(recs[i].Bounds.Width(), c.Width);
            }
        }
    }
}

TEST(DrawText, AlignmentCalcRectAndReturnValue) {
    TMetafile mf;
    TMetafileCanvas mc(&mf);
    mc.Font()->SetName("Arial");
    mc.Font()->SetHeight(-13);
    int lh = mc.TextMetrics().tmHeight;
    int w = mc.TextWidth("Total");

    TRect r = Rect(10, 10, 110, 60);
    EXPECT_EQ(mc.DrawText("Total", r, DT_SINGLELINE | DT_RIGHT | DT_VCENTER), (50 - lh) / 2 + lh);
    r = Rect(10, 10, 110, 60);
    EXPECT_EQ(mc.DrawText("Total", r, DT_SINGLELINE | DT_CENTER | DT_BOTTOM), 50);
    r = Rect(10, 10, 110, 60);
    EXPECT_EQ(mc.DrawText("Total\nSum", r, DT_LEFT), 2 * lh);
    auto recs = mf.TextRecords();
    ASSERT_EQ(recs.size(), 4u);
    EXPECT_EQ(recs[0].X, 110 - w);
    EXPECT_EQ(recs[0].Y, 10 + (50 - lh) / 2);
    EXPECT_EQ(recs[1].X, 10 + (100 - w) / 2);
    EXPECT_EQ(recs[1].Y, 60 - lh);
    EXPECT_EQ(recs[2].Y, 10);
    EXPECT_EQ(recs[3].Y, 10 + lh);

    // Measuring only: one line bounds its text; several take the widest line; nothing is drawn.
    r = Rect(0, 0, 300, 0);
    EXPECT_EQ(mc.DrawText("Total", r, DT_CALCRECT | DT_SINGLELINE), lh);
    EXPECT_EQ(r, Rect(0, 0, w, lh));
    r = Rect(0, 0, 100, 0);
    EXPECT_EQ(mc.DrawText("The quick brown fox jumps over the lazy dog", r, DT_CALCRECT | DT_WORDBREAK),
              3 * lh);
    EXPECT_EQ(r.Right, mc.TextWidth("The quick brown"));
    r = Rect(0, 0, 100, 0);
    EXPECT_EQ(mc.DrawText("", r, DT_CALCRECT), 0);
    EXPECT_EQ(r, Rect(0, 0, 0, 0));
    EXPECT_EQ(mf.TextRecords().size(), 4u);
}

TEST(DrawText, PrefixIsUnderlinedAndTabsExpand) {
    TMetafile mf;
    {
        TMetafileCanvas mc(&mf);
        mc.Font()->SetName("Arial");
        mc.Font()->SetHeight(-13);
        TRect r = Rect(0, 0, 300, 20);
        mc.DrawText("&File", r, DT_SINGLELINE);
        r = Rect(0, 20, 300, 40);
        mc.DrawText("a\tb", r, DT_SINGLELINE | DT_EXPANDTABS);
        int ave = mc.TextMetrics().tmAveCharWidth;
        auto recs = mf.TextRecords();
        ASSERT_EQ(recs.size(), 3u);
        EXPECT_EQ(recs[1].Text, "a");
        EXPECT_EQ(recs[2].Text, "b");
        EXPECT_EQ(recs[2].X, 8 * ave);
    }
    // Text record, underline, two tab pieces.
    EXPECT_EQ(mf.RecordCount(), 4);
}

TEST(Metafile, TextRecordsKeepAdvancesAlignmentAndRotation) {
    TMetafile mf;
    {
        TMetafileCanvas mc(&mf);
        mc.Font()->SetName("Arial");
        mc.Font()->SetHeight(-13);
        const int dx[3] = {10, 12, 14};
        TRect clip = Rect(0, 0, 30, 20);
        mc.ExtTextOut(5, 6, ETO_CLIPPED, &clip, String("abc"), dx);
        mc.SetTextAlign(TA_RIGHT | TA_BASELINE);
        int ascent = mc.TextMetrics().tmAscent;
        mc.TextOut(100, 50, "xyz");
        mc.SetTextAlign(TA_LEFT | TA_TOP);
        mc.Font()->SetOrientation(900);
        mc.TextOut(40, 40, "up");
        auto recs = mf.TextRecords();
        ASSERT_EQ(recs.size(), 3u);
        EXPECT_EQ(recs[0].Bounds.Width(), 36);
        EXPECT_EQ(recs[0].ClipRect, clip);
        EXPECT_EQ(recs[0].Options, static_cast<Cardinal>(ETO_CLIPPED));
        EXPECT_EQ(recs[1].X, 100 - mc.TextWidth("xyz"));
        EXPECT_EQ(recs[1].Y, 50 - ascent);
        EXPECT_EQ(recs[2].Orientation, 900);
        EXPECT_EQ(recs[2].FontName, "Arial");
    }
    // Replayed at twice the size the advances double.
    TMetafile copy;
    copy.Assign(mf);
    TMetafile big;
    {
        TMetafileCanvas mc(&big);
        mc.StretchDraw(Rect(0, 0, mf.Width() * 2, mf.Height() * 2), &copy);
    }
    EXPECT_EQ(big.TextRecords()[0].Bounds.Width(), 72);
    EXPECT_EQ(big.TextRecords()[0].ClipRect, Rect(0, 0, 60, 40));
}
