// The preview window's state without a display: buttons and status text follow the recorder,
// the next and previous buttons repeat while held, Esc stops a composition or closes, and the
// setup button runs the grid printer's setup and composes again.
#include "GridPrintFixture.h"

#include "gridprint/PrnDgDlg.h"
#include "gridprint/PrvFrmGx.h"
#include "gui/Input.h"
#include "gui/Interaction.h"

namespace {

class PreviewFormTest : public GridPrintTest {
protected:
    void SetUp() override {
        GridPrintTest::SetUp();
        Fill(120);
        Open();
        Printer.ShowPreview();
        Form = SharedPreviewForm();
        Box = Form->PreviewGx1;
    }
    void TearDown() override {
        Form->Hide();
        GridPrintTest::TearDown();
    }
    TPreviewFormGx* Form = nullptr;
    TPreviewBox* Box = nullptr;
};

TEST_F(PreviewFormTest, ButtonsAndStatusFollowTheRecorder) {
    ASSERT_GE(Box->PageCount(), 2);
    EXPECT_TRUE(Form->Visible());
    EXPECT_EQ(Form->stbMain->SimpleText(), "Page 1 of " + IntToStr(Box->PageCount()));
    EXPECT_EQ(Form->Caption(), "预览");
    EXPECT_FALSE(Form->tbStop->Enabled());
    EXPECT_TRUE(Form->tbClose->Enabled());
    EXPECT_EQ(Box->GridPrinter(), &Printer);
    Box->GoToPage(Box->PageCount());
    EXPECT_FALSE(Form->tbtNextPage->Enabled());
    EXPECT_TRUE(Form->tbtPrevPage->Enabled());
    EXPECT_TRUE(Form->ZoomItems[zoomWholePage]->Checked());
}

// Pressing starts the repeat after 400 ms, then every 100 ms; the click that ends a repeat
// is not one more step.
TEST_F(PreviewFormTest, NextPageRepeatsWhileHeld) {
    Form->StartAutoRepeat(Form->tbtNextPage);
    EXPECT_EQ(Form->Timer1->Interval(), 400u);
    EXPECT_TRUE(Form->Timer1->Enabled());
    Form->TimerTick();
    EXPECT_EQ(Form->Timer1->Interval(), 100u);
    EXPECT_EQ(Box->CurrentPage(), 2);
    Form->StopAutoRepeat();
    EXPECT_FALSE(Form->Timer1->Enabled());
    Form->tbtNextPage->Click(); // the click of the release
    EXPECT_EQ(Box->CurrentPage(), 2);
    Form->tbtNextPage->Click(); // an ordinary click
    EXPECT_EQ(Box->CurrentPage(), 3);
}

TEST_F(PreviewFormTest, EscClosesWhenNotComposing) {
    Word key = VK_ESCAPE;
    Form->OnKeyDown(Form, key, TShiftState{});
    EXPECT_FALSE(Form->Visible());
}

// The setup button runs the grid printer's setup dialog; confirmed, the grid is composed again
// with the new settings.
TEST_F(PreviewFormTest, SetupButtonComposesAgain) {
    ASSERT_TRUE(Form->tbtPrinterSetupDialog->Enabled());
    int pages = Box->PageCount();
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Form([](TCustomForm* f) {
        auto* d = static_cast<TfPrnDBGridGxSetupDialog*>(f);
        d->seUpMargin->SetText("15");
        return mrOk;
    });
    Form->tbtPrinterSetupDialog->Click();
    EXPECT_EQ(CurrToStr(Printer.Page()->TopMargin()), "15");
    EXPECT_GT(Box->PageCount(), pages);
    // Cancelled, nothing is composed.
    user.Form([](TCustomForm*) { return mrCancel; });
    int before = Box->PageCount();
    Form->tbtPrinterSetupDialog->Click();
    EXPECT_EQ(Box->PageCount(), before);
}

// The component that made the preview goes away: the box forgets it and its setup hook.
TEST_F(PreviewFormTest, DestroyedGridPrinterIsForgotten) {
    auto other = std::make_unique<TPrintDBGridGx>(nullptr);
    other->SetDBGridGx(Grid);
    other->ShowPreview();
    EXPECT_EQ(Box->GridPrinter(), other.get());
    other.reset();
    EXPECT_EQ(Box->GridPrinter(), nullptr);
    EXPECT_FALSE(Form->tbtPrinterSetupDialog->Enabled());
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Answer(0);
    Box->PrinterSetup(); // no hook: the printer setup dialog
    ASSERT_EQ(user.Requests().size(), 1u);
    EXPECT_EQ(user.Requests()[0].Kind, TInteractionKind::PrinterSetup);
}

} // namespace
