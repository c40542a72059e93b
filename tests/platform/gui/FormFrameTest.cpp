// The window frame of forms: the title-bar buttons BorderIcons and BorderStyle give, fixed borders
// the user cannot resize, for top-level forms and MDI children alike; an MDI child's client area
// is the size its bounds say, with the sub-window's title bar around it.
#include "gui/Bitmap.h"
#include "gui/ControlShot.h"
#include "gui/Forms.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// An MDI frame made the main form for the test's time (children need one).
class MdiFrame : public testing::Test {
protected:
    void SetUp() override {
        FPrevious = Application()->MainForm();
        Frame = std::make_unique<TForm>(nullptr);
        Frame->SetFormStyle(fsMDIForm);
        Frame->SetBounds(0, 0, 800, 600);
        Application()->SetMainForm(Frame.get());
        Frame->Show();
    }
    void TearDown() override {
        Frame.reset();
        Application()->SetMainForm(FPrevious);
    }
    // The border is set before the style, as a form's stored properties come in.
    std::unique_ptr<TForm> Child(TBorderStyle style, TBorderIcons icons) {
        auto child = std::make_unique<TForm>(nullptr);
        child->SetBorderStyle(style);
        child->SetBorderIcons(icons);
        child->SetFormStyle(fsMDIChild);
        child->SetBounds(10, 10, 300, 200);
        return child;
    }
    std::unique_ptr<TForm> Frame;

private:
    TCustomForm* FPrevious = nullptr;
};

struct TFrameCase {
    TBorderStyle Style;
    TBorderIcons Icons;
    TBorderIcons Shown;
    bool Sizeable;
};

const TFrameCase FrameCases[] = {
    {bsSizeable, {biSystemMenu, biMinimize, biMaximize}, {biSystemMenu, biMinimize, biMaximize}, true},
    {bsSingle, {biSystemMenu}, {biSystemMenu}, false},
    {bsSingle, {biSystemMenu, biMinimize}, {biSystemMenu, biMinimize}, false},
    {bsSizeable, {biSystemMenu, biMaximize}, {biSystemMenu, biMaximize}, true},
    // Without the system menu there are no buttons at all.
    {bsSizeable, {biMinimize, biMaximize}, {}, true},
    // A dialog frame has no minimise or maximise button; help shows where neither does.
    {bsDialog, {biSystemMenu, biMinimize, biMaximize}, {biSystemMenu}, false},
    {bsDialog, {biSystemMenu, biHelp}, {biSystemMenu, biHelp}, false},
    {bsSingle, {biSystemMenu, biMinimize, biHelp}, {biSystemMenu, biMinimize}, false},
    {bsSizeToolWin, {biSystemMenu, biMinimize}, {biSystemMenu}, true},
    {bsNone, {biSystemMenu, biMinimize, biMaximize}, {}, false},
};

} // namespace

TEST(FormFrame, TopLevelFormsShowTheButtonsOfTheirBorderIconsAndStyle) {
    int n = 0;
    for (const TFrameCase& c : FrameCases) {
        SCOPED_TRACE(n++);
        TForm form(nullptr);
        form.SetBorderStyle(c.Style);
        form.SetBorderIcons(c.Icons);
        form.SetBounds(0, 0, 300, 200);
        form.Show();
        EXPECT_EQ(ShownBorderIcons(&form), c.Shown);
        EXPECT_EQ(ShownSizeable(&form), c.Sizeable);
        // A fixed border still lets the program give the form another size.
        form.SetBounds(0, 0, 360, 240);
        TBitmap shot;
        GrabControl(&form, shot);
        EXPECT_EQ(shot.Width(), 360);
        EXPECT_EQ(shot.Height(), 240);
    }
}

TEST_F(MdiFrame, ChildrenShowTheButtonsOfTheirBorderIconsAndStyle) {
    int n = 0;
    for (const TFrameCase& c : FrameCases) {
        SCOPED_TRACE(n++);
        auto child = Child(c.Style, c.Icons);
        child->Show();
        EXPECT_EQ(ShownBorderIcons(child.get()), c.Shown);
        EXPECT_EQ(ShownSizeable(child.get()), c.Sizeable);
    }
}

TEST_F(MdiFrame, ChangingTheBorderIconsOfAShownChildChangesItsTitleBar) {
    auto child = Child(bsSizeable, {biSystemMenu, biMinimize, biMaximize});
    child->Show();
    child->SetBorderIcons({biSystemMenu});
    EXPECT_EQ(ShownBorderIcons(child.get()), TBorderIcons{biSystemMenu});
    child->SetBorderStyle(bsSingle);
    EXPECT_FALSE(ShownSizeable(child.get()));
    EXPECT_TRUE(child->Visible());
}

TEST_F(MdiFrame, AChildsClientAreaIsTheSizeItsBoundsGive) {
    auto child = Child(bsSingle, {biSystemMenu});
    child->SetClientWidth(420);
    child->SetClientHeight(260);
    child->Show();
    TBitmap shot;
    GrabControl(child.get(), shot);
    EXPECT_EQ(shot.Width(), 420);
    EXPECT_EQ(shot.Height(), 260);
    EXPECT_EQ(child->ClientWidth(), 420);
    EXPECT_EQ(child->ClientHeight(), 260);
    // Set again while shown, the fixed border takes the new size.
    child->SetBounds(20, 30, 300, 180);
    GrabControl(child.get(), shot);
    EXPECT_EQ(shot.Width(), 300);
    EXPECT_EQ(shot.Height(), 180);
    EXPECT_EQ(child->Left(), 20);
    EXPECT_EQ(child->Top(), 30);
}

TEST_F(MdiFrame, AMaximisedFixedChildFillsTheFrameAndComesBackToItsBounds) {
    auto child = Child(bsSingle, {biSystemMenu, biMaximize});
    child->Show();
    child->SetWindowState(wsMaximized);
    TBitmap shot;
    GrabControl(child.get(), shot);
    EXPECT_GT(shot.Width(), 600);
    EXPECT_EQ(child->Width(), shot.Width());
    EXPECT_EQ(child->WindowState(), wsMaximized);
    child->SetWindowState(wsNormal);
    GrabControl(child.get(), shot);
    EXPECT_EQ(shot.Width(), 300);
    EXPECT_EQ(shot.Height(), 200);
    EXPECT_EQ(child->Width(), 300);
    EXPECT_EQ(child->Left(), 10);
    EXPECT_FALSE(ShownSizeable(child.get()));
    child->SetWindowState(wsMinimized);
    EXPECT_EQ(child->WindowState(), wsMinimized);
    EXPECT_EQ(child->Width(), 300); // a minimised child keeps its bounds
}
