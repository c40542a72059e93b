// The dialog page: its window in step with the page, a modal run through the interaction
// service with script events, the layout round trip, and a dialog control drawn from its control.
#include "ReportTextTools.h"
#include "classes/ClassRegistry.h"
#include "gui/Bitmap.h"
#include "gui/ExtCtrls.h"
#include "gui/Interaction.h"
#include "report/vrClass.h"
#include "report/vrClassObjects.h"

#include <gtest/gtest.h>

namespace {

// A dialog control over a panel, as a concrete control unit would make one.
class TvrPanelTestControl : public TvrDialogControl {
public:
    explicit TvrPanelTestControl(TComponent* AOwner) : TvrDialogControl(AOwner) {
        auto panel = std::make_unique<TPanel>(nullptr);
        panel->SetColor(clRed);
        panel->SetBevelOuter(bvNone);
        SetControl(std::move(panel));
    }
    String ClassName() const override { return "TvrPanelTestControl"; }
};

struct DialogPage : ::testing::Test {
    DialogPage() {
        vrStartUp();
        Page = new TvrDialogPage(&Report);
        Page->SetName("Dialog1");
    }
    TvrReport Report{nullptr};
    TvrDialogPage* Page;
};

} // namespace

TEST_F(DialogPage, WindowFollowsThePage) {
    EXPECT_EQ(Page->Color(), clBtnFace);
    EXPECT_EQ(Page->Font()->Name(), "Tahoma");
    EXPECT_EQ(Page->GetDescription(), "obDlgPage");
    Page->SetCaption("选择月份");
    Page->SetBounds(30, 40, 250, 150);
    EXPECT_EQ(Page->Form()->Caption(), "选择月份");
    EXPECT_EQ(Page->Form()->Left(), 30);
    EXPECT_EQ(Page->Form()->Top(), 40);
    EXPECT_EQ(Page->Form()->Width(), 250);
    Page->SetClientWidth(300);
    Page->SetClientHeight(120);
    EXPECT_EQ(Page->ClientWidth(), 300);
    EXPECT_EQ(Page->Width(), Page->Form()->Width());
    EXPECT_GE(Page->Width(), 300);
    EXPECT_EQ(Page->Height(), Page->Form()->Height());
    // Objects on a dialog page are placed in the window, not below the page's position.
    auto* control = new TvrPanelTestControl(Page);
    control->SetBounds(12, 8, 40, 20);
    EXPECT_EQ(control->AbsLeft(), 12);
    EXPECT_EQ(control->AbsTop(), 8);
    EXPECT_EQ(control->Control()->Parent(), Page->Form());
    EXPECT_EQ(control->Control()->Left(), 12);
    EXPECT_EQ(control->NamePrefix(), "PanelTest");
}

TEST_F(DialogPage, ShowModalRunsThroughTheInteractionServiceAndRunsScriptEvents) {
    Report.ScriptText()->SetText(
        "procedure DlgShow(Sender: TObject);\r\nbegin\r\n  Set('Shown', 1);\r\nend;\r\n"
        "begin\r\nend.");
    ASSERT_TRUE(Report.PrepareScript()) << Report.ErrorList()->Text();
    Report.EngineOptions()->DestroyForms = false; // events run outside a report run
    Page->OnShow = "DlgShow";
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Form([](TCustomForm* f) {
        f->SetBounds(70, 80, 260, 160);
        return mrOk;
    });
    EXPECT_EQ(Page->ShowModal(), mrOk);
    EXPECT_EQ(user.Requests().size(), 1u);
    EXPECT_EQ(Report.Variables()->Variables("Shown").AsInteger(), 1);
    // The window's bounds came back into the page.
    EXPECT_EQ(Page->Left(), 70);
    EXPECT_EQ(Page->Width(), 260);
    EXPECT_EQ(Page->Form()->FormStyle(), fsStayOnTop);
}

TEST_F(DialogPage, LayoutsKeepThePageAndItsWindowSize) {
    Page->SetCaption("Month");
    Page->SetColor(clWhite);
    Page->BorderStyle = bsDialog;
    Page->SetClientWidth(320);
    Page->SetClientHeight(200);
    Page->OnCloseQuery = "DlgClose";
    const String text = SaveReportText(Report);
    TvrReport loaded(nullptr);
    LoadReportText(loaded, text);
    auto* page = dynamic_cast<TvrDialogPage*>(loaded.FindObject("Dialog1"));
    ASSERT_NE(page, nullptr) << text;
    EXPECT_EQ(page->Caption(), "Month");
    EXPECT_EQ(page->Color(), clWhite);
    EXPECT_EQ(page->BorderStyle, bsDialog);
    EXPECT_EQ(page->ClientWidth(), 320);
    EXPECT_EQ(page->ClientHeight(), 200);
    EXPECT_EQ(page->OnCloseQuery, "DlgClose");
}

TEST_F(DialogPage, AControlDrawsItsPictureAtItsPlace) {
    auto* control = new TvrPanelTestControl(Page);
    control->SetBounds(10, 20, 30, 15);
    TBitmap b(100, 60);
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(TRect{0, 0, 100, 60});
    control->Draw(b.Canvas(), 1, 1, 0, 0);
    EXPECT_EQ(b.Canvas()->Pixels(25, 27), clRed);
    EXPECT_EQ(b.Canvas()->Pixels(45, 27), clWhite);
    EXPECT_EQ(b.Canvas()->Pixels(5, 5), clWhite);
}

TEST(StartUp, TheLibrarysClassesAreRegisteredByName) {
    vrStartUp();
    for (const char* name :
         {"TvrChild",         "TvrColumnFooter",  "TvrColumnHeader",   "TvrCustomMemoView", "TvrMasterData",
          "TvrDetailData",    "TvrSubdetailData", "TvrDataBand4",      "TvrDataBand5",      "TvrDataBand6",
          "TvrDialogPage",    "TvrFooter",        "TvrFrame",          "TvrGroupFooter",    "TvrGroupHeader",
          "TvrHeader",        "TvrHighlight",     "TvrLineView",       "TvrMemoView",       "TvrOverlay",
          "TvrPageFooter",    "TvrPageHeader",    "TvrPictureView",    "TvrReport",         "TvrReportPage",
          "TvrReportSummary", "TvrReportTitle",   "TvrShapeView",      "TvrSubreport",      "TvrSysMemoView",
          "TvrStyleItem",     "TvrNullBand",      "TvrCustomLineView", "TvrDataPage",       "TvrDMPPage",
          "TvrCheckBoxView"})
        EXPECT_NE(GetClass(name), nullptr) << name;
}
