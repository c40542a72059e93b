// The strip's own controls: the scroller of an overflowing row with its repeat timer, the menu
// button listing the tabs, the close button; accelerators, scrolling while dragging and page
// events that fail.
#include "controls/WnTabButtons.h"
#include "controls/WnPageControl.h"

#include "gui/Bitmap.h"
#include "gui/ClassicEdges.h"
#include "gui/ControlShot.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/InputSimulation.h"
#include "gui/Interaction.h"
#include "gui/Menus.h"

#include "rtl/ScopeGuards.h"

#include <gtest/gtest.h>

namespace {

class TPointerPages : public TWnPageControl {
public:
    using TWnPageControl::TWnPageControl;
    TPoint Cursor{0, 0};

protected:
    TPoint CursorPos() const override { return Cursor; }
};

struct Strip {
    TForm Form{nullptr};
    TPointerPages* PC;
    explicit Strip(std::vector<String> captions, int width = 300) {
        Form.SetBounds(0, 0, width + 20, 220);
        PC = new TPointerPages(&Form);
        PC->SetParent(&Form);
        PC->SetBounds(0, 0, width, 200);
        PC->SetTabWidth(80);
        PC->SetTabHeight(20);
        for (const String& c : captions) {
            auto* sheet = new TWnTabSheet(&Form);
            sheet->SetPageControl(PC);
            sheet->SetCaption(c);
        }
        PC->SetActivePageIndex(0);
        PC->PaintOffscreen();
    }
};

} // namespace

TEST(WnTabButtons, TheScrollerAppearsWhenOneRowOverflowsAndRepeats) {
    Strip s({"A", "B", "C", "D", "E", "F", "G"});
    ASSERT_TRUE(s.PC->ScrollNeeded());
    TWnTabScroller* sc = s.PC->Scroller();
    ASSERT_NE(sc, nullptr);
    const int b = s.PC->ButtonSize();
    const TRect a = s.PC->TabAreaRect();
    EXPECT_EQ(sc->Orientation(), orHorizontal);
    EXPECT_EQ(sc->BoundsRect(), Bounds(a.Right - (2 * b - 1) - 1, a.Bottom - b - 2, 2 * b - 1, b));
    int scrolled = 0;
    s.PC->OnScrolledTabs = [&](TObject*) { ++scrolled; };
    // The right half scrolls forward: at once on release, and every tick while held.
    SimulateMouseDown(sc, mbLeft, sc->Width() - 3, 3);
    ASSERT_NE(sc->RepeatTimer(), nullptr);
    EXPECT_EQ(sc->RepeatTimer()->Interval(), 400u);
    sc->RepeatTimer()->Timer();
    EXPECT_EQ(sc->RepeatTimer()->Interval(), 100u);
    EXPECT_EQ(s.PC->FirstShownTab(), 1);
    SimulateMouseUp(sc, mbLeft, sc->Width() - 3, 3);
    EXPECT_FALSE(sc->RepeatTimer()->Enabled());
    EXPECT_EQ(s.PC->FirstShownTab(), 2);
    EXPECT_EQ(scrolled, 2);
    // Tabs before the first shown one are neither drawn nor hit.
    EXPECT_FALSE(s.PC->TabInView(0));
    // Scrolling on past the end does nothing but still reports.
    for (int i = 0; i < 10; ++i)
        s.PC->ScrollTabs(true);
    EXPECT_TRUE(s.PC->TabInView(s.PC->LastVisibleTab()));
    const int last = s.PC->FirstShownTab();
    s.PC->ScrollTabs(true);
    EXPECT_EQ(s.PC->FirstShownTab(), last);
    EXPECT_EQ(scrolled, 13);
    // The left half goes back; a release outside the pressed half fires nothing more.
    SimulateMouseDown(sc, mbLeft, 2, 3);
    SimulateMouseMove(sc, sc->Width() - 2, 3, TShiftState{ssLeft});
    SimulateMouseUp(sc, mbLeft, sc->Width() - 2, 3);
    EXPECT_EQ(s.PC->FirstShownTab(), last);
    SimulateClick(sc, 2, 3);
    EXPECT_EQ(s.PC->FirstShownTab(), last - 1);
    // Making a tab before the first shown one current brings it into view.
    s.PC->SetTabIndex(0);
    EXPECT_EQ(s.PC->FirstShownTab(), 0);
}

TEST(WnTabButtons, TheMenuButtonListsTheVisibleTabs) {
    Strip s({"A", "B", "C"});
    s.PC->Pages(1)->SetTabVisible(false);
    s.PC->SetShowMenuButton(true);
    s.PC->PaintOffscreen();
    TWnTabMenuButton* mb = s.PC->MenuButton();
    ASSERT_NE(mb, nullptr);
    EXPECT_EQ(mb->Width(), s.PC->ButtonSize());
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.MenuItem("C");
    mb->Click();
    ASSERT_EQ(user.Requests().size(), 1u);
    EXPECT_EQ(user.Requests()[0].Kind, TInteractionKind::PopupMenu);
    EXPECT_EQ(user.Requests()[0].Items, (std::vector<String>{"A", "C"}));
    EXPECT_EQ(s.PC->TabIndex(), 1);
    EXPECT_EQ(s.PC->ActivePage()->Caption(), "C");
    // The menu was built while A was current.
    EXPECT_TRUE(mb->Menu()->Items()->Items(0)->Checked());
    EXPECT_FALSE(mb->Menu()->Items()->Items(1)->Checked());
    EXPECT_EQ(mb->Menu()->Items()->Items(1)->Tag(), 1);
}

TEST(WnTabButtons, TheCloseButtonClosesWhenReleasedInside) {
    Strip s({"A", "B", "C"});
    s.PC->SetShowCloseButton(true);
    s.PC->OnClose = [](TObject*, bool& allow) { allow = true; };
    s.PC->PaintOffscreen();
    TWnTabCloseButton* cb = s.PC->CloseButton();
    ASSERT_NE(cb, nullptr);
    const TRect a = s.PC->TabAreaRect();
    const int c = s.PC->ButtonSize();
    EXPECT_EQ(cb->BoundsRect(), Bounds(a.Right - c - 1, a.Bottom - c - 2, c, c));
    SimulateMouseDown(cb, mbLeft, 3, 3);
    EXPECT_TRUE(cb->Pressed());
    SimulateMouseMove(cb, 40, 40, TShiftState{ssLeft});
    EXPECT_FALSE(cb->Pressed());
    SimulateMouseUp(cb, mbLeft, 40, 40);
    EXPECT_EQ(s.PC->PageCount(), 3);
    SimulateClick(cb, 3, 3);
    EXPECT_EQ(s.PC->PageCount(), 2);
    EXPECT_EQ(s.PC->ActivePage()->Caption(), "B");
}

TEST(WnTabButtons, AcceleratorsPickTheirTab) {
    Strip s({"&Alpha", "&Beta", "Ga&&mma", "&Delta"});
    s.PC->Pages(3)->SetTabEnabled(false);
    s.Form.Show();
    int clicks = 0;
    s.PC->OnTabClick = [&](TObject*) { ++clicks; };
    EXPECT_TRUE(s.PC->DialogChar(u'b'));
    EXPECT_EQ(s.PC->TabIndex(), 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(s.PC->DialogChar(u'm')); // "&&" is a plain ampersand
    EXPECT_FALSE(s.PC->DialogChar(u'd')); // a disabled tab
    EXPECT_EQ(s.PC->TabIndex(), 1);
    s.Form.Hide();
}

TEST(WnTabButtons, DraggingBeyondTheStripEndScrollsEvery300ms) {
    Strip s({"A", "B", "C", "D", "E", "F", "G"});
    s.PC->SetAllowTabDragging(true);
    s.Form.Show();
    const TRect t = s.PC->GetTabRect(0);
    const int y = (t.Top + t.Bottom) / 2 + 2;
    SimulateMouseDown(s.PC, mbLeft, t.Left + 20, y);
    SimulateMouseMove(s.PC, t.Left + 40, y, TShiftState{ssLeft});
    SimulateMouseMove(s.PC, 150, 120, TShiftState{ssLeft}); // off the tabs
    TTimer* timer = s.PC->DragScrollTimer();
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->Interval(), 400u);
    s.PC->Cursor = TPoint(s.PC->Width() + 30, y); // right of the control
    timer->Timer();
    EXPECT_EQ(timer->Interval(), 300u);
    EXPECT_EQ(s.PC->FirstShownTab(), 1);
    s.PC->Cursor = TPoint(-30, y); // left of it
    timer->Timer();
    EXPECT_EQ(s.PC->FirstShownTab(), 0);
    s.PC->Cursor = TPoint(150, y); // over the control: no scrolling
    timer->Timer();
    EXPECT_EQ(s.PC->FirstShownTab(), 0);
    SimulateMouseUp(s.PC, mbLeft, 150, 120);
    EXPECT_FALSE(timer->Enabled());
    s.Form.Hide();
}

TEST(WnTabButtons, AFailingOnShowGoesToTheApplication) {
    Strip s({"A", "B"});
    s.PC->Pages(1)->OnShow = [](TObject*) { throw Exception("page failed"); };
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Answer(mrOk);
    EXPECT_NO_THROW(s.PC->SetActivePageIndex(1));
    EXPECT_EQ(s.PC->ActivePageIndex(), 1);
    ASSERT_EQ(user.Requests().size(), 1u);
    EXPECT_EQ(user.Requests()[0].Text, "page failed."); // the application's error box
}

TEST(WnTabButtons, TheStripBackgroundFollowsTheParent) {
    TForm form(nullptr);
    form.SetColor(clYellow);
    auto* tabs = new TWnCustomTabControl(&form);
    tabs->SetParent(&form);
    EXPECT_EQ(tabs->BackgroundColor(), clYellow);
    tabs->SetBackgroundColor(clRed);
    EXPECT_FALSE(tabs->ParentBackgroundColor());
    tabs->SetParentBackgroundColor(true);
    EXPECT_EQ(tabs->BackgroundColor(), clYellow);
}

TEST(WnTabButtons, StripButtonsTakeThePlatformsLookWhenThemed) {
    const bool wasThemed = ThemedElementsEnabled();
    TScopeExit restore([wasThemed] { SetThemedElementsEnabled(wasThemed); });
    Strip s({"A", "B", "C", "D", "E", "F", "G"});
    s.PC->SetShowCloseButton(true);
    s.PC->SetShowMenuButton(true);
    s.PC->PaintOffscreen();
    s.Form.Show();
    TWnTabScroller* sc = s.PC->Scroller();
    ASSERT_NE(sc, nullptr);
    ASSERT_NE(s.PC->CloseButton(), nullptr);
    ASSERT_NE(s.PC->MenuButton(), nullptr);
    const int w = sc->Width(), h = sc->Height();
    // Tabs on top, the first one shown: the scroller cannot go back; a tab is current.
    struct Case {
        TControl* Button;
        TRect Part;
        TThemedElement Element;
        TThemedState State;
    } cases[] = {
        {sc, TRect(0, 0, w / 2 + 1, h), TThemedElement::SpinLeft, TThemedState::Disabled},
        {sc, TRect(w / 2, 0, w, h), TThemedElement::SpinRight, TThemedState::Normal},
        {s.PC->CloseButton(), s.PC->CloseButton()->ClientRect(), TThemedElement::CloseButton,
         TThemedState::Normal},
        {s.PC->MenuButton(), s.PC->MenuButton()->ClientRect(), TThemedElement::SpinDown,
         TThemedState::Normal},
    };
    for (bool themed : {true, false}) {
        SetThemedElementsEnabled(themed);
        for (const Case& c : cases) {
            TBitmap shot;
            GrabControl(c.Button, shot);
            const int pw = c.Part.Right - c.Part.Left, ph = c.Part.Bottom - c.Part.Top;
            if (!themed) {
                // The classic face: a frame in the frame colour.
                EXPECT_EQ(ColorToRGB(shot.Canvas()->Pixels(c.Part.Left, c.Part.Top)),
                          ColorToRGB(static_cast<TWnTabStripButton*>(c.Button)->FrameColor()))
                    << static_cast<int>(c.Element);
                continue;
            }
            TBitmap expected(pw, ph, pf32bit);
            DrawThemedElement(expected.Canvas(), TRect(0, 0, pw, ph), c.Element, c.State);
            int differ = 0;
            for (int y = 1; y < ph - 1; ++y)
                for (int x = 1; x < pw - 1; ++x)
                    if (c.Part.Left + x != w / 2 || c.Button != sc) // the white line between halves
                        differ += ColorToRGB(shot.Canvas()->Pixels(c.Part.Left + x, c.Part.Top + y)) !=
                                  ColorToRGB(expected.Canvas()->Pixels(x, y));
            EXPECT_EQ(differ, 0) << static_cast<int>(c.Element);
        }
    }
    s.Form.Hide();
}
