// Picture buttons: the glyph layout, the standard kinds of the bit button, glyph images and
// their transparent colour, and the grouping of speed buttons.
#include "gui/Buttons.h"
#include "gui/Bitmap.h"
#include "gui/ControlShot.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/InputSimulation.h"

#include "classes/MetaProps.h"

#include <gtest/gtest.h>

namespace {

// A glyph of `count` 16 x 16 images on lime (its bottom-left pixel, so transparent), each with a
// square of its colour in the middle.
std::unique_ptr<TBitmap> Glyph(std::initializer_list<TColor> colours) {
    auto bmp = std::make_unique<TBitmap>(16 * static_cast<int>(colours.size()), 16);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetColor(clLime);
    c->FillRect(TRect(0, 0, bmp->Width(), 16));
    int i = 0;
    for (TColor colour : colours) {
        c->Brush()->SetColor(colour);
        c->FillRect(TRect(i * 16 + 4, 4, i * 16 + 12, 12));
        ++i;
    }
    return bmp;
}

struct TSpot {
    int Count = 0;
    double X = 0, Y = 0; // centre of the pixels found
};

TSpot Find(const TBitmap& bmp, TColor colour) {
    TSpot s;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            if (bmp.Pixel(x, y) == colour) {
                ++s.Count;
                s.X += x;
                s.Y += y;
            }
    if (s.Count) {
        s.X /= s.Count;
        s.Y /= s.Count;
    }
    return s;
}

TSpot FindIn(TControl* c, TColor colour) {
    TBitmap bmp;
    GrabControl(c, bmp);
    return Find(bmp, colour);
}

} // namespace

TEST(Buttons, LayoutPlacesGlyphAndCaption) {
    TBitmap surface(10, 10);
    TCanvas* c = surface.Canvas();
    const TRect client(10, 20, 110, 60); // 100 x 40
    const TSize glyph{16, 16};
    struct Case {
        TButtonLayout Layout;
        int Margin, Spacing;
        TPoint Glyph;
    };
    // Without a caption only the glyph counts (spacing is irrelevant).
    const Case alone[] = {
        {blGlyphLeft, -1, 4, {10 + 42, 20 + 12}},    {blGlyphLeft, 5, 4, {10 + 5, 20 + 12}},
        {blGlyphRight, 5, 4, {10 + 79, 20 + 12}},    {blGlyphTop, -1, 4, {10 + 42, 20 + 12}},
        {blGlyphTop, 3, 4, {10 + 42, 20 + 3}},       {blGlyphBottom, 3, 4, {10 + 42, 20 + 21}},
        {blGlyphBottom, -1, -1, {10 + 42, 20 + 12}},
    };
    for (const Case& k : alone) {
        TPoint g;
        TRect t;
        CalcButtonLayout(c, client, TPoint(0, 0), "", k.Layout, k.Margin, k.Spacing, glyph, g, t);
        EXPECT_EQ(g, k.Glyph) << k.Layout << " " << k.Margin << " " << k.Spacing;
        EXPECT_EQ(t.Width(), 0);
    }

    // With a caption: the pair is centred, glyph and text Spacing apart.
    const TSize text = c->TextExtent("Save");
    TPoint g;
    TRect t;
    CalcButtonLayout(c, client, TPoint(1, 1), "Save", blGlyphLeft, -1, 4, glyph, g, t);
    const int margin = (100 - (16 + 4 + text.cx) + 1) / 2;
    EXPECT_EQ(g.X, 10 + margin + 1);
    EXPECT_EQ(t.Left, g.X + 16 + 4);
    EXPECT_EQ(t.Width(), text.cx);
    EXPECT_EQ(t.Top, 20 + (40 - t.Height() + 1) / 2 + 1);
    CalcButtonLayout(c, client, TPoint(0, 0), "Save", blGlyphRight, 2, 3, glyph, g, t);
    EXPECT_EQ(g.X, 10 + 100 - 2 - 16);
    EXPECT_EQ(t.Right, g.X - 3);
    // Margin and spacing both -1: the free room in three equal parts.
    CalcButtonLayout(c, client, TPoint(0, 0), "Save", blGlyphLeft, -1, -1, glyph, g, t);
    const int third = (100 - 16 - text.cx) / 3;
    EXPECT_EQ(g.X, 10 + third);
    EXPECT_EQ(t.Left, g.X + 16 + third);
    CalcButtonLayout(c, client, TPoint(0, 0), "Save", blGlyphTop, 0, 2, glyph, g, t);
    EXPECT_EQ(g.Y, 20);
    EXPECT_EQ(t.Top, 20 + 16 + 2);
}

TEST(Buttons, BitBtnKindsSetCaptionResultRoleAndGlyph) {
    struct Case {
        TBitBtnKind Kind;
        const char* Caption;
        TModalResult Result;
        bool Default, Cancel;
    };
    const Case cases[] = {
        {bkOK, "OK", mrOk, true, false},
        {bkCancel, "Cancel", mrCancel, false, true},
        {bkYes, "&Yes", mrYes, true, false},
        {bkNo, "&No", mrNo, false, true},
        {bkHelp, "&Help", mrNone, false, false},
        {bkClose, "&Close", mrNone, false, false},
        {bkAbort, "Abort", mrAbort, false, false},
        {bkRetry, "&Retry", mrRetry, false, false},
        {bkIgnore, "&Ignore", mrIgnore, false, false},
        {bkAll, "&All", mrAll, false, false},
    };
    TForm form(nullptr);
    auto* b = new TBitBtn(&form);
    b->SetParent(&form);
    for (const Case& k : cases) {
        b->SetKind(k.Kind);
        EXPECT_EQ(b->Kind(), k.Kind) << k.Caption;
        EXPECT_EQ(b->Caption(), k.Caption);
        EXPECT_EQ(b->ModalResult(), k.Result) << k.Caption;
        EXPECT_EQ(b->Default(), k.Default) << k.Caption;
        EXPECT_EQ(b->Cancel(), k.Cancel) << k.Caption;
        EXPECT_EQ(b->NumGlyphs(), 2);
        EXPECT_EQ(b->Glyph()->Width(), 36);
        EXPECT_EQ(b->Glyph()->Height(), 18);
    }

    // Changing what the kind set makes the button a custom one; the caption may change freely.
    b->SetKind(bkOK);
    b->SetCaption("确定");
    EXPECT_EQ(b->Kind(), bkOK);
    EXPECT_EQ(GetEnumProp(b, "Kind"), "bkOK");
    b->SetModalResult(mrCancel);
    EXPECT_EQ(b->Kind(), bkCustom);
    b->SetKind(bkYes);
    b->SetDefault(false);
    EXPECT_EQ(b->Kind(), bkCustom);
    b->SetKind(bkNo);
    auto own = Glyph({clRed});
    b->SetGlyph(own.get());
    EXPECT_EQ(b->Kind(), bkCustom);
    EXPECT_EQ(b->NumGlyphs(), 1);
}

TEST(Buttons, BitBtnClicksCloseOrSetTheModalResult) {
    TForm form(nullptr);
    auto* ok = new TBitBtn(&form);
    ok->SetParent(&form);
    ok->SetKind(bkOK);
    int clicks = 0;
    ok->OnClick = [&](TObject*) { ++clicks; };
    ok->Click();
    EXPECT_EQ(form.ModalResult(), mrOk);
    EXPECT_EQ(clicks, 1);

    // A close button closes its form and runs no OnClick.
    form.SetModalResult(mrNone);
    form.Show();
    auto* close = new TBitBtn(&form);
    close->SetParent(&form);
    close->SetKind(bkClose);
    close->OnClick = [&](TObject*) { ++clicks; };
    close->Click();
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(clicks, 1);
    // Without a form it is a plain button.
    TBitBtn loose(nullptr);
    loose.SetKind(bkClose);
    loose.OnClick = [&](TObject*) { ++clicks; };
    loose.Click();
    EXPECT_EQ(clicks, 2);
}

TEST(Buttons, GlyphImageCountFollowsTheGlyphsShape) {
    TBitBtn b(nullptr);
    struct Case {
        int Width;
        int Count;
    };
    // A multiple of the height gives the count; more than four, or no multiple, keeps it.
    const Case cases[] = {{64, 4}, {48, 3}, {16, 1}, {32, 2}, {80, 1}, {40, 1}};
    for (const Case& k : cases) {
        TBitmap g(k.Width, 16);
        b.SetNumGlyphs(1);
        b.SetGlyph(&g);
        EXPECT_EQ(b.NumGlyphs(), k.Count) << k.Width;
    }
    b.SetNumGlyphs(0);
    EXPECT_EQ(b.NumGlyphs(), 1);
    b.SetNumGlyphs(7);
    EXPECT_EQ(b.NumGlyphs(), 4);
}

TEST(Buttons, BitBtnDrawsItsGlyphWhereTheLayoutSays) {
    TForm form(nullptr);
    auto* b = new TBitBtn(&form);
    b->SetParent(&form);
    b->SetBounds(0, 0, 120, 60);
    b->SetCaption("Go");
    auto glyph = Glyph({clRed, clBlue});
    b->SetGlyph(glyph.get());
    ASSERT_EQ(b->NumGlyphs(), 2);
    form.Show();

    // The transparent colour never shows; the up image does.
    TSpot red = FindIn(b, clRed);
    EXPECT_EQ(red.Count, 64);
    EXPECT_EQ(FindIn(b, clLime).Count, 0);
    EXPECT_EQ(FindIn(b, clBlue).Count, 0);
    EXPECT_LT(red.X, 60);
    b->SetLayout(blGlyphRight);
    EXPECT_GT(FindIn(b, clRed).X, 60);
    b->SetLayout(blGlyphTop);
    red = FindIn(b, clRed);
    EXPECT_LT(red.Y, 30);
    EXPECT_NEAR(red.X, 60, 2);
    b->SetLayout(blGlyphBottom);
    b->SetMargin(2);
    red = FindIn(b, clRed);
    EXPECT_NEAR(red.Y, 60 - 2 - 2 - 8, 2); // bottom edge, margin, half the image

    // Disabled: the glyph's own disabled image.
    b->SetEnabled(false);
    EXPECT_EQ(FindIn(b, clRed).Count, 0);
    EXPECT_EQ(FindIn(b, clBlue).Count, 64);
    // With one image the disabled one is made greyed.
    auto single = Glyph({clRed});
    b->SetGlyph(single.get());
    EXPECT_EQ(FindIn(b, clRed).Count, 0);
    EXPECT_GE(FindIn(b, static_cast<TColor>(ColorToRGB(clBtnShadow))).Count, 64);
}

TEST(Buttons, SpeedButtonsOfAGroupStayDownOneAtATime) {
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 200, 40);
    TSpeedButton* b[3];
    int clicks = 0;
    for (int i = 0; i < 3; ++i) {
        b[i] = new TSpeedButton(&form);
        b[i]->SetParent(panel);
        b[i]->SetBounds(i * 30, 5, 25, 25);
        b[i]->SetGroupIndex(1);
        b[i]->OnClick = [&](TObject*) { ++clicks; };
    }
    form.Show();
    SimulateClick(b[0], 5, 5);
    EXPECT_TRUE(b[0]->Down());
    SimulateClick(b[1], 5, 5);
    EXPECT_TRUE(b[1]->Down());
    EXPECT_FALSE(b[0]->Down());
    // The down button stays down without AllowAllUp...
    SimulateClick(b[1], 5, 5);
    EXPECT_TRUE(b[1]->Down());
    EXPECT_EQ(clicks, 3);
    // ...and comes up with it, which one button sets for its whole group.
    b[2]->SetAllowAllUp(true);
    EXPECT_TRUE(b[1]->AllowAllUp());
    SimulateClick(b[1], 5, 5);
    EXPECT_FALSE(b[1]->Down());
    // Setting Down in code follows the group too.
    b[2]->SetDown(true);
    b[0]->SetDown(true);
    EXPECT_FALSE(b[2]->Down());
    // A press released outside changes nothing.
    SimulateMouseDown(b[1], mbLeft, 5, 5);
    SimulateMouseUp(b[1], mbLeft, 100, 5);
    EXPECT_FALSE(b[1]->Down());
    EXPECT_TRUE(b[0]->Down());

    // Without a group a button never stays down.
    auto* plain = new TSpeedButton(&form);
    plain->SetParent(panel);
    plain->SetDown(true);
    EXPECT_FALSE(plain->Down());
    SimulateClick(plain, 5, 5);
    EXPECT_FALSE(plain->Down());
}

TEST(Buttons, SpeedButtonDrawsGlyphAndHeldDownLook) {
    TForm form(nullptr);
    auto* b = new TSpeedButton(&form);
    b->SetParent(&form);
    b->SetBounds(0, 0, 40, 30);
    auto glyph = Glyph({clRed, clPurple, clBlue, clYellow});
    b->SetGlyph(glyph.get());
    EXPECT_EQ(b->NumGlyphs(), 4);
    form.Show();
    EXPECT_EQ(FindIn(b, clRed).Count, 64);
    TSpot up = FindIn(b, clRed);
    // Held down in a group: the exclusive image, one pixel down and right.
    b->SetGroupIndex(3);
    b->SetDown(true);
    TSpot held = FindIn(b, clYellow);
    EXPECT_EQ(held.Count, 64);
    EXPECT_EQ(held.X, up.X + 1);
    EXPECT_EQ(held.Y, up.Y + 1);
    b->SetEnabled(false);
    EXPECT_EQ(FindIn(b, clPurple).Count, 64);
}
