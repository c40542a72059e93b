// The report library's shared controls, docking and progress window on a real display (Xvfb with
// a window manager, started by the test), as a new user meets them: fonts picked from a font
// combo near the bottom of the screen, a tool window docked, a tool bar floated, a splitter grip
// clicked, the form closed and opened again with its arrangement back; then the 120-row report
// prepared with the old-style progress and cancelled in its progress window.
// Screenshots are kept in ScreenshotFolder().
#include "../app/desktop/XServer.h"
#include "../report/vrEngineFixture.h"

#include "TempDir.h"
#include "gui/ComCtrls.h"
#include "gui/Docking.h"
#include "gui/InputSimulation.h"
#include "gui/PopupWindows.h"
#include "gui/Screenshot.h"
#include "gui/StdCtrls.h"
#include "report/vrCtrls.h"
#include "report/vrDock.h"
#include "report/vrProgress.h"
#include "rtl/IniFiles.h"
#include "rtl/Registry.h"

namespace {

// The display comes up before the first window, so the toolkit starts on it.
struct TDisplayFirst {
    TDisplayFirst() { XServerRunning(); }
};

// A tool window of the test designer.
class TTreeWindow : public TForm {
public:
    using TForm::TForm;
    String ClassName() const override { return "TTreeWindow"; }
};

// The test designer: a control bar with a tool bar on top, dock sites left and right, a tool
// window docked on the right and a font combo at the bottom.
struct TDesignerForm {
    explicit TDesignerForm(int top) {
        form = std::make_unique<TForm>(nullptr);
        form->SetName("DesignForm");
        form->SetCaption("报表设计");
        form->SetBounds(100, top, 760, 420);
        controlBar = new TControlBar(form.get());
        controlBar->SetName("ControlBar1");
        controlBar->SetParent(form.get());
        controlBar->SetAlign(alTop);
        toolBar = new TToolBar(form.get());
        toolBar->SetName("TBStandard");
        toolBar->SetCaption("标准");
        toolBar->SetBounds(0, 0, 180, 26);
        toolBar->SetDragKind(dkDock);
        toolBar->SetDragMode(dmAutomatic);
        toolBar->SetShowCaptions(true);
        for (const char* caption : {"新建", "打开", "保存", "预览"}) {
            auto* b = new TToolButton(form.get());
            b->SetParent(toolBar);
            b->SetCaption(caption);
        }
        toolBar->ArrangeButtons();
        toolBar->ManualDock(controlBar);
        bottom = new TPanel(form.get());
        bottom->SetParent(form.get());
        bottom->SetAlign(alBottom);
        bottom->SetHeight(36);
        fonts = new TvrFontComboBox(form.get());
        fonts->SetMRURegKey("\\Software\\Vure Vuviror\\MRUFont");
        fonts->SetBounds(8, 7, 180, 22);
        fonts->SetParent(bottom);
        left = MakeSite("LeftDock", alLeft);
        right = MakeSite("RightDock", alRight);
        tree = new TTreeWindow(form.get());
        tree->SetName("ReportTree");
        tree->SetCaption("报表树");
        tree->SetBounds(0, 0, 160, 200);
        tree->SetColor(clWindow);
        auto* list = new TListBox(tree);
        list->SetParent(tree);
        list->SetAlign(alClient);
        for (const char* s : {"Page1", "ReportTitle1", "MasterData1", "PageFooter1"})
            list->Items()->Add(s);
        tree->ManualDock(right);
        tree->Show();
    }
    TvrDockSite* MakeSite(const char* name, TAlign align) {
        auto* site = new TvrDockSite(form.get());
        site->SetName(name);
        site->SetParent(form.get());
        site->SetAlign(align);
        site->SetDockSite(true);
        site->SetDesignerForm(form.get());
        return site;
    }
    void Save(TCustomIniFile* settings) {
        SaveFormState(settings, tree);
        SaveToolBarState(settings, toolBar);
        SaveDockSiteLayout(settings, left);
        SaveDockSiteLayout(settings, right);
    }
    void Restore(TCustomIniFile* settings) {
        RestoreDockSiteLayout(settings, left);
        RestoreDockSiteLayout(settings, right);
        RestoreFormState(settings, tree);
        RestoreToolBarState(settings, toolBar);
    }
    std::unique_ptr<TForm> form;
    TControlBar* controlBar;
    TToolBar* toolBar;
    TPanel* bottom;
    TvrFontComboBox* fonts;
    TvrDockSite* left;
    TvrDockSite* right;
    TTreeWindow* tree;
};

class ReportWindowsTest : private TDisplayFirst, public ::testing::Test {
protected:
    void SetUp() override {
        if (!XServerRunning()) GTEST_SKIP() << XServerProblem();
        TRegistry::SetStorageFile(dir.File("registry.ini"));
    }
    void TearDown() override { TRegistry::SetStorageFile(""); }
    void Shot(const String& name) {
        Settle(200);
        SaveScreenAsPng(ScreenshotFolder() + name);
    }
    TempDir dir;
};

TEST_F(ReportWindowsTest, ANewUserPicksFontsDocksFloatsAndFindsTheArrangementAgain) {
    TvrReport report(nullptr); // its settings store: the registry
    const int top = Screen()->WorkAreaRect().Bottom - 420 - 30;
    auto designer = std::make_unique<TDesignerForm>(top);
    TDesignerForm& d = *designer;
    d.form->Show();
    ASSERT_TRUE(WaitFor([&d] { return d.form->Active(); }));
    Settle();
    EXPECT_EQ(d.tree->HostDockSite(), d.right);
    EXPECT_EQ(d.right->Width(), 160);

    // Fonts: the list near the screen bottom opens upward, the preview above the combo.
    d.fonts->SetDroppedDown(true);
    Settle(200);
    EXPECT_TRUE(d.fonts->ListOpensUpward());
    const TRect list = d.fonts->DroppedListRect();
    const TPoint comboTop = d.fonts->ClientToScreen(Point(0, 0));
    EXPECT_LE(list.Bottom, comboTop.Y + 1);
    ASSERT_TRUE(PopupShowing(d.fonts->Preview()));
    EXPECT_EQ(d.fonts->Preview()->Top(), comboTop.Y - 50);
    EXPECT_EQ(d.fonts->Preview()->Left(), comboTop.X + d.fonts->Width() + 1);
    Shot("report_font_combo.png");
    const String first = d.fonts->Items()->Strings(3), second = d.fonts->Items()->Strings(5);
    d.fonts->ChooseListEntry(3);
    d.fonts->SetDroppedDown(true);
    d.fonts->ChooseListEntry(d.fonts->Items()->IndexOf(second));
    Settle();
    EXPECT_EQ(d.fonts->LastMRUIndex(), 1);
    EXPECT_EQ(d.fonts->Items()->Strings(0), second);
    EXPECT_EQ(d.fonts->Items()->Strings(1), first);
    EXPECT_FALSE(PopupShowing(d.fonts->Preview()));

    // The tool window by its grabber from the right to the left.
    SimulateDockDrag(d.tree, d.left->ClientToScreen(Point(d.left->Width() / 2, 80)));
    Settle();
    EXPECT_EQ(d.tree->HostDockSite(), d.left);
    EXPECT_EQ(d.left->Width(), 160);
    EXPECT_EQ(d.right->Width(), 0);
    // The tool bar by its grip out of the control bar: it floats.
    const TPoint away = d.form->ClientToScreen(Point(420, 160));
    SimulateDockDrag(d.toolBar, away);
    Settle();
    ASSERT_NE(d.toolBar->FloatHost(), nullptr);
    EXPECT_TRUE(d.toolBar->FloatHost()->Visible());
    Shot("report_docked_and_floating.png");

    // The splitter's grip collapses the left site and brings it back.
    TDockSplitter* splitter = d.left->Splitter();
    ASSERT_TRUE(splitter->Visible());
    SimulateClick(splitter, 3, splitter->Height() / 2);
    EXPECT_EQ(d.left->Width(), 0);
    Shot("report_site_collapsed.png");
    SimulateClick(splitter, 3, splitter->Height() / 2);
    EXPECT_EQ(d.left->Width(), 160);
    const TRect floatBounds = d.toolBar->FloatHost()->BoundsRect();

    // Closed and opened again: everything where the user left it.
    {
        auto settings = report.GetIniFile();
        d.Save(settings.get());
    }
    designer.reset();
    Settle();
    designer = std::make_unique<TDesignerForm>(top);
    TDesignerForm& again = *designer;
    again.form->Show();
    ASSERT_TRUE(WaitFor([&again] { return again.form->Active(); }));
    {
        auto settings = report.GetIniFile();
        again.Restore(settings.get());
    }
    Settle(300);
    EXPECT_EQ(again.tree->HostDockSite(), again.left);
    EXPECT_EQ(again.left->Width(), 160);
    EXPECT_EQ(again.right->Width(), 0);
    ASSERT_NE(again.toolBar->FloatHost(), nullptr);
    EXPECT_EQ(again.toolBar->FloatHost()->Left(), floatBounds.Left);
    EXPECT_EQ(again.toolBar->FloatHost()->Top(), floatBounds.Top);
    EXPECT_EQ(again.fonts->LastMRUIndex(), 1);
    EXPECT_EQ(again.fonts->Items()->Strings(1), first);
    Shot("report_arrangement_back.png");
}

// The engine tests' 120-row report, prepared with the old-style progress: the window shows the
// page being prepared over the disabled form, and its Cancel stops the build.
class ReportProgressTest : private TDisplayFirst, public EngineTest {
protected:
    void SetUp() override {
        if (!XServerRunning()) GTEST_SKIP() << XServerProblem();
        EngineTest::SetUp();
    }
};

TEST_F(ReportProgressTest, TheUserCancelsPreparingInTheProgressWindow) {
    TForm window(nullptr);
    window.SetCaption("收费清单");
    window.SetBounds(200, 150, 500, 300);
    window.Show();
    ASSERT_TRUE(WaitFor([&window] { return window.Active(); }));
    MakeTable(GroupedRows());
    LoadLayout(GroupedLayout);
    Report->OldStyleProgress = true;
    bool formDisabled = false;
    String shown;
    Report->OnProgress = [&](TvrReport* r, TvrProgressType, Integer page) {
        TvrProgress* progress = r->ProgressWindow();
        ASSERT_NE(progress, nullptr);
        if (page != 2) return;
        Settle(200);
        shown = progress->MessageText();
        formDisabled = !window.Enabled();
        SaveScreenAsPng(ScreenshotFolder() + "report_progress.png");
        SimulateClick(progress->CancelB, 10, 10);
    };
    Prepare();
    EXPECT_TRUE(Report->Terminated);
    EXPECT_EQ(shown, "准备页 1");
    EXPECT_TRUE(formDisabled);
    EXPECT_TRUE(window.Enabled());
    EXPECT_EQ(Report->ProgressWindow(), nullptr);
    EXPECT_EQ(Pages()->GetPageCount(), 2);
}

} // namespace
