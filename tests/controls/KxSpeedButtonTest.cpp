// The speed button: states, glyph images cut from one bitmap, the inactive grey, groups, the
// repeat timer and the layout of glyph and caption.
#include "controls/KXCtrls.h"
#include "gui/Colors.h"
#include "gui/ControlShot.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/InputSimulation.h"
#include "gui/Interaction.h"
#include "gui/Menus.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TBitmap> Strip(int width, int height, TColor colour) {
    auto b = std::make_unique<TBitmap>(width, height);
    b->Canvas()->Brush()->SetColor(clFuchsia);
    b->Canvas()->FillRect(Rect(0, 0, width, height));
    b->Canvas()->Brush()->SetColor(colour);
    b->Canvas()->FillRect(Rect(2, 2, 6, 6));
    return b;
}

struct TButtonForm {
    TForm Form{nullptr};
    TKxSpeedButton* Button;
    int Clicks = 0;
    TButtonForm() {
        Form.SetBounds(50, 50, 200, 100);
        Button = new TKxSpeedButton(&Form);
        Button->SetParent(&Form);
        Button->SetBounds(10, 10, 40, 30);
        Button->OnClick = [this](TObject*) { ++Clicks; };
        Form.Show();
    }
};

} // namespace

TEST(KxSpeedButton, GlyphCountFollowsTheBitmap) {
    struct Case {
        int Width, Height, Glyphs;
    };
    const Case cases[] = {{20, 20, 1}, {40, 20, 2}, {60, 20, 3}, {100, 20, 5}, {120, 20, 1}, {28, 12, 4}};
    TForm form(nullptr);
    auto* b = new TKxSpeedButton(&form);
    for (const Case& k : cases) {
        b->SetNumGlyphs(4);
        auto strip = Strip(k.Width, k.Height, clRed);
        b->SetGlyph(strip.get());
        EXPECT_EQ(b->NumGlyphs(), k.Glyphs) << k.Width << "x" << k.Height;
    }
    b->SetNumGlyphs(9);
    EXPECT_EQ(b->NumGlyphs(), 5) << "capped at five";
    EXPECT_EQ(b->ButtonGlyph()->TransparentColor(), clFuchsia) << "the bottom-left pixel's colour";
}

TEST(KxSpeedButton, GrayColorIsTheLuminance) {
    struct Case {
        TColor In, Out;
    };
    const Case cases[] = {
        {static_cast<TColor>(RGB(255, 0, 0)), static_cast<TColor>(RGB(76, 76, 76))},
        {static_cast<TColor>(RGB(0, 255, 0)), static_cast<TColor>(RGB(149, 149, 149))},
        {static_cast<TColor>(RGB(0, 0, 255)), static_cast<TColor>(RGB(28, 28, 28))},
        {static_cast<TColor>(RGB(100, 150, 200)), static_cast<TColor>(RGB(140, 140, 140))},
        {clWhite, static_cast<TColor>(RGB(255, 255, 255))},
        {clBlack, clBlack},
        {clFuchsia, clFuchsia}, // the transparent colour stays
        {static_cast<TColor>(ColorToRGB(clBtnFace)),
         static_cast<TColor>(ColorToRGB(clBtnFace))}, // and the face
    };
    for (const Case& k : cases)
        EXPECT_EQ(ColorToPixelRGB(GrayColor(k.In, clFuchsia)), ColorToPixelRGB(k.Out)) << std::hex << k.In;
}

TEST(KxSpeedButton, StateImagesAreCutAndShared) {
    TForm form(nullptr);
    auto* a = new TKxSpeedButton(&form);
    auto* b = new TKxSpeedButton(&form);
    auto strip = Strip(16, 16, static_cast<TColor>(RGB(255, 0, 0)));
    a->SetGlyph(strip.get());
    b->SetGlyph(strip.get());
    TKxButtonGlyph* g = a->ButtonGlyph();
    const int up = g->CreateButtonGlyph(rbsUp);
    const int down = g->CreateButtonGlyph(rbsDown);
    EXPECT_EQ(up, down) << "down with fewer than 3 glyphs is the up image";
    const int inactive = g->CreateButtonGlyph(rbsInactive);
    const TBitmap* grey = g->GlyphList()->Image(inactive);
    ASSERT_NE(grey, nullptr);
    EXPECT_EQ(ColorToPixelRGB(grey->Pixel(3, 3)), RGB(76, 76, 76));
    EXPECT_EQ(ColorToPixelRGB(grey->Pixel(0, 15)), ColorToPixelRGB(clFuchsia));
    const int disabled = g->CreateButtonGlyph(rbsDisabled);
    EXPECT_NE(disabled, up);
    // One list per image size, shared by both buttons.
    b->ButtonGlyph()->CreateButtonGlyph(rbsUp);
    EXPECT_EQ(a->ButtonGlyph()->GlyphList(), b->ButtonGlyph()->GlyphList());
    EXPECT_EQ(g->GlyphList()->Count(), 4);
    a->SetGlyph(nullptr);
    EXPECT_EQ(b->ButtonGlyph()->GlyphList()->Count(), 1) << "released images free their slots";
}

TEST(KxSpeedButton, StatesFollowTheMouse) {
    TButtonForm f;
    TKxSpeedButton* b = f.Button;
    EXPECT_EQ(b->State(), rbsUp);
    SimulateMouseDown(b, mbLeft, 5, 5);
    EXPECT_EQ(b->State(), rbsDown);
    SimulateMouseMove(b, 100, 5, TShiftState{ssLeft});
    EXPECT_EQ(b->State(), rbsUp) << "dragged outside";
    SimulateMouseMove(b, 5, 5, TShiftState{ssLeft});
    EXPECT_EQ(b->State(), rbsDown);
    SimulateMouseUp(b, mbLeft, 5, 5);
    EXPECT_EQ(b->State(), rbsUp);
    EXPECT_EQ(f.Clicks, 1);
    SimulateMouseDown(b, mbLeft, 5, 5);
    SimulateMouseUp(b, mbLeft, 100, 5);
    EXPECT_EQ(f.Clicks, 1) << "released outside";
    // Painting takes the disabled state (1) and gives it back when enabled.
    b->SetEnabled(false);
    TBitmap shot;
    GrabControl(b, shot);
    EXPECT_EQ(b->State(), rbsDisabled);
    b->SetEnabled(true);
    GrabControl(b, shot);
    EXPECT_EQ(b->State(), rbsUp);
    // A flat button out of the mouse shows the inactive look (4): no frame, the face only.
    b->SetFlat(true);
    GrabControl(b, shot);
    EXPECT_EQ(ColorToPixelRGB(shot.Pixel(0, 0)), ColorToPixelRGB(clBtnFace));
    b->SetFlat(false);
    GrabControl(b, shot);
    EXPECT_EQ(ColorToPixelRGB(shot.Pixel(0, 0)), ColorToPixelRGB(clBtnHighlight));
}

TEST(KxSpeedButton, GroupsKeepOneButtonDown) {
    TButtonForm f;
    auto* b1 = f.Button;
    auto* b2 = new TKxSpeedButton(&f.Form);
    b2->SetParent(&f.Form);
    b2->SetBounds(60, 10, 40, 30);
    b1->SetDown(true);
    EXPECT_FALSE(b1->Down()) << "no group index: never down";
    b1->SetGroupIndex(1);
    b2->SetGroupIndex(1);
    b1->SetDown(true);
    EXPECT_TRUE(b1->Down());
    EXPECT_EQ(b1->State(), rbsExclusive);
    b1->SetDown(false);
    EXPECT_TRUE(b1->Down()) << "without AllowAllUp the down button stays";
    b2->SetDown(true);
    EXPECT_TRUE(b2->Down());
    EXPECT_FALSE(b1->Down());
    EXPECT_EQ(b1->State(), rbsUp);
    // A release outside a down button leaves it down and does not click.
    int clicks2 = 0;
    b2->OnClick = [&](TObject*) { ++clicks2; };
    SimulateMouseDown(b2, mbLeft, 5, 5);
    SimulateMouseUp(b2, mbLeft, 100, 5);
    EXPECT_TRUE(b2->Down());
    EXPECT_EQ(b2->State(), rbsExclusive);
    EXPECT_EQ(clicks2, 0);
    // Clicking the other one moves the down state.
    SimulateClick(b1, 5, 5);
    EXPECT_TRUE(b1->Down());
    EXPECT_FALSE(b2->Down());
    EXPECT_EQ(f.Clicks, 1);
    // AllowAllUp spreads to the group and lets the down button rise.
    b2->SetAllowAllUp(true);
    EXPECT_TRUE(b1->AllowAllUp());
    SimulateClick(b1, 5, 5);
    EXPECT_FALSE(b1->Down());
}

TEST(KxSpeedButton, RepeatTimerStartsSlowThenRepeats) {
    TButtonForm f;
    TKxSpeedButton* b = f.Button;
    b->SetAllowTimer(true);
    SimulateMouseDown(b, mbLeft, 5, 5);
    ASSERT_NE(b->RepeatTimer(), nullptr);
    EXPECT_TRUE(b->RepeatTimer()->Enabled());
    EXPECT_EQ(b->RepeatTimer()->Interval(), 500u);
    EXPECT_EQ(f.Clicks, 0);
    b->RepeatTimer()->Timer(); // the first tick: after the initial pause
    EXPECT_EQ(b->RepeatTimer()->Interval(), 100u);
    EXPECT_EQ(f.Clicks, 1);
    b->RepeatTimer()->Timer();
    b->RepeatTimer()->Timer();
    EXPECT_EQ(f.Clicks, 3);
    SimulateMouseUp(b, mbLeft, 5, 5);
    EXPECT_FALSE(b->RepeatTimer()->Enabled());
    EXPECT_EQ(f.Clicks, 4) << "the release clicks once more";
    b->SetAllowTimer(false);
    EXPECT_EQ(b->RepeatTimer(), nullptr);
}

TEST(KxSpeedButton, PressButtonBrieflyClicks) {
    TButtonForm f;
    int waited = 0;
    SetKxPressPause([&](int ms) { waited += ms; });
    PressButtonBriefly(f.Button);
    SetKxPressPause(nullptr);
    EXPECT_EQ(waited, 20);
    EXPECT_EQ(f.Clicks, 1);
    EXPECT_EQ(f.Button->State(), rbsUp);
    f.Button->SetEnabled(false);
    PressButtonBriefly(f.Button);
    EXPECT_EQ(f.Clicks, 1);
}

TEST(KxSpeedButton, LayoutOfGlyphAndCaption) {
    TBitmap surface(10, 10);
    TCanvas* c = surface.Canvas();
    TKxButtonGlyph g;
    auto strip = Strip(16, 16, clRed);
    g.SetGlyph(strip.get());
    const TRect client(0, 0, 100, 40);
    const int tx = c->TextWidth("Save"), th = c->TextHeight("Save");
    struct Case {
        TButtonLayout Layout;
        int Margin, Spacing;
        bool Mark;
        TPoint Glyph;
        int TextLeft, TextTop;
    };
    const Case cases[] = {
        // M = S = -1: the free room in three parts.
        {blGlyphLeft, -1, -1, false, {(100 - 16 - tx) / 3, 12}, 2 * ((100 - 16 - tx) / 3) + 16, 20 - th / 2},
        // M = -1: centred.
        {blGlyphLeft, -1, 4, false, {50 - (16 + 4 + tx) / 2, 12}, 50 - (16 + 4 + tx) / 2 + 20, 20 - th / 2},
        // S = -1.
        {blGlyphLeft, 3, -1, false, {3, 12}, 3 + 16 + ((100 - 3 - 16) / 2 - tx / 2), 20 - th / 2},
        {blGlyphRight, 2, 3, false, {100 - 2 - 16, 12}, 100 - 2 - 16 - 3 - tx, 20 - th / 2},
        {blGlyphTop, 0, 1, false, {42, 0}, 50 - tx / 2, 17},
        {blGlyphBottom, 0, 1, false, {42, 40 - 16}, 50 - tx / 2, 40 - 16 - 1 - th},
        // The popup mark widens the glyph by 6 when it is not glyph-left.
        {blGlyphTop, 0, 1, true, {50 - 22 / 2, 0}, 50 - tx / 2, 17},
    };
    for (const Case& k : cases) {
        TPoint gp;
        TRect tb;
        String shown;
        g.CalcButtonLayout(c, client, "Save", k.Layout, k.Margin, k.Spacing, k.Mark, gp, tb, shown);
        EXPECT_EQ(gp, k.Glyph) << k.Layout << " " << k.Margin << " " << k.Spacing;
        EXPECT_EQ(tb.Left, k.TextLeft) << k.Layout << " " << k.Margin << " " << k.Spacing;
        EXPECT_EQ(tb.Top, k.TextTop) << k.Layout << " " << k.Margin << " " << k.Spacing;
        EXPECT_EQ(shown, "Save");
    }
    // A caption wider than the box is shortened with "...".
    TPoint gp;
    TRect tb;
    String shown;
    g.CalcButtonLayout(c, Rect(0, 0, 40, 40), "Calculator", blGlyphLeft, 0, 0, false, gp, tb, shown);
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(shown.substr(shown.size() - 3), "...");
    EXPECT_LE(c->TextWidth(shown), 40 - 16);
}

TEST(KxSpeedButton, PropertyWritesKeepTheirRules) {
    TForm form(nullptr);
    auto* b = new TKxSpeedButton(&form);
    EXPECT_EQ(b->Width(), 25);
    EXPECT_EQ(b->Height(), 25);
    EXPECT_EQ(b->Layout(), blGlyphTop);
    EXPECT_EQ(b->Spacing(), 1);
    EXPECT_EQ(b->InitPause(), 500);
    EXPECT_EQ(b->RepeatInterval(), 100);
    b->SetMargin(-2);
    EXPECT_EQ(b->Margin(), -1);
    b->SetMargin(4);
    EXPECT_EQ(b->Margin(), 4);
    b->SetModalResult(mrOk);
    b->SetParent(&form);
    b->Click();
    EXPECT_EQ(form.ModalResult(), mrOk);
}

TEST(KxSpeedButton, DropDownMenuPopsOnPressBelowTheButton) {
    TScriptedResponder user;
    TInteractionScope scope(user);
    TButtonForm f;
    auto* menu = new TPopupMenu(&f.Form);
    menu->SetName("pmTools");
    auto* item = new TMenuItem(menu);
    item->SetCaption("Copy");
    int chosen = 0;
    item->OnClick = [&](TObject*) { ++chosen; };
    menu->Items()->Add(item);
    f.Button->SetDropDownMenu(menu);
    EXPECT_EQ(f.Button->DropDownPosition(), Point(-1, f.Button->Height()));
    user.MenuItem("Copy");
    SimulateMouseDown(f.Button, mbLeft, 5, 5);
    ASSERT_EQ(user.Requests().size(), 1u);
    EXPECT_EQ(user.Requests()[0].Kind, TInteractionKind::PopupMenu);
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(menu->PopupComponent(), f.Button);
    EXPECT_EQ(f.Button->State(), rbsUp) << "the menu's return ends the press";
    SimulateMouseUp(f.Button, mbLeft, 5, 5);
    EXPECT_EQ(f.Clicks, 0) << "the release after the menu does not click";
    f.Button->SetMenuPosition(dmpRight);
    EXPECT_EQ(f.Button->DropDownPosition(), Point(f.Button->Width(), -1));
    delete menu;
    EXPECT_EQ(f.Button->DropDownMenu(), nullptr);
}
