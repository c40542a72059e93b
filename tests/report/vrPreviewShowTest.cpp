// Showing a report: the window before the first page, the build told to the preview, the
// refresh interval, cancelling and closing, modal and modeless ends, the old-style progress, the
// drill-down commands, the designer's stand-in, and a window that goes while its report builds.
#include "vrPreviewFixture.h"

#include "gui/Buttons.h"
#include "report/vrClassDesigner.h"
#include "report/vrPreviewPages.h"
#include "rtl/TickCount.h"

#include <gtest/gtest.h>

namespace {

class ShowReport : public PreviewTest {
protected:
    void SetUp() override {
        PreviewTest::SetUp();
        Report->PreviewOptions()->Maximized = false;
    }
    void TearDown() override {
        if (auto* w = Report ? Report->PreviewWindow() : nullptr) {
            Report->SetPreview(nullptr);
            delete w;
        }
        PreviewTest::TearDown();
    }
    TvrPreviewForm* Shown() const { return static_cast<TvrPreviewForm*>(Report->PreviewWindow()); }
    void LogProgress() {
        Report->OnProgressStart = [this](TvrReport*, TvrProgressType, Integer) { Log.push_back("start"); };
        Report->OnProgress = [this](TvrReport*, TvrProgressType, Integer n) { Log.push_back("step " + IntToStr(n)); };
        Report->OnProgressStop = [this](TvrReport*, TvrProgressType, Integer) { Log.push_back("stop"); };
    }
    std::vector<String> Log;
};

TEST_F(ShowReport, TheWindowShowsBeforeTheFirstPageThenTheBuildFillsIt) {
    MakeTable(GroupedRows());
    LoadLayout(GroupedLayout);
    Report->PreviewOptions()->Modal = false;
    LogProgress();
    Report->ShowReport();
    ASSERT_NE(Shown(), nullptr);
    EXPECT_TRUE(Shown()->Visible());
    EXPECT_EQ(Shown()->Preview()->PageCount(), 0);
    EXPECT_TRUE(Log.empty());
    ASSERT_NE(Report->PrepareTimer(), nullptr);
    EXPECT_TRUE(Report->PrepareTimer()->Enabled());
    EXPECT_EQ(Report->PrepareTimer()->Interval(), 50u);
    Report->PrepareTimer()->Timer();
    EXPECT_FALSE(Report->PrepareTimer()->Enabled());
    EXPECT_EQ(Log, (std::vector<String>{"start", "step 1", "step 2", "step 3", "stop"}));
    TvrPreviewForm* w = Shown();
    EXPECT_EQ(w->Preview()->PageCount(), 3);
    EXPECT_EQ(w->StatusBar->Panels(0)->Text(), "页 1 / 3");
    EXPECT_EQ(w->CancelB->Caption(), "关闭(&X)");
    EXPECT_TRUE(w->PrintB->Enabled());
    EXPECT_EQ(w->Preview()->Workspace()->PageList()->Count(), 3);
    EXPECT_EQ(w->Preview()->Thumbnails()->PageList()->Count(), 3);
    // Closing a modeless window frees it.
    bool closed = false;
    Report->OnClosePreview = [&](TObject* sender) { closed = sender == w; };
    w->Close();
    Application()->ProcessMessages();
    EXPECT_TRUE(closed);
    EXPECT_EQ(Report->PreviewWindow(), nullptr);
    EXPECT_EQ(Report->Preview(), nullptr);
}

TEST_F(ShowReport, AModalWindowBuildsInItsLoopAndIsFreedWhenItCloses) {
    MakeTable(GroupedRows());
    LoadLayout(GroupedLayout);
    LogProgress();
    User.Form([&](TCustomForm* f) {
        auto* w = static_cast<TvrPreviewForm*>(f);
        Log.push_back("shown " + IntToStr(w->Preview()->PageCount()));
        Report->PrepareTimer()->Timer();
        Log.push_back("pages " + IntToStr(w->Preview()->PageCount()));
        return mrCancel;
    });
    Report->ShowReport();
    EXPECT_EQ(Log, (std::vector<String>{"shown 0", "start", "step 1", "step 2", "step 3", "stop", "pages 3"}));
    EXPECT_EQ(Report->PreviewWindow(), nullptr);
    EXPECT_EQ(Report->Preview(), nullptr);
    ASSERT_EQ(User.Requests().size(), 1u);
    EXPECT_EQ(User.Requests()[0].FormClass, "TvrPreviewForm");
}

TEST_F(ShowReport, OldStyleProgressPreparesFirstAndShowsNothingOnFailure) {
    MakeTable(GroupedRows());
    LoadLayout(GroupedLayout);
    Report->OldStyleProgress = true;
    Report->ShowProgress = false;
    LogProgress();
    User.Form([&](TCustomForm* f) {
        Log.push_back("shown " + IntToStr(static_cast<TvrPreviewForm*>(f)->Preview()->PageCount()));
        return mrCancel;
    });
    Report->ShowReport();
    EXPECT_EQ(Log, (std::vector<String>{"start", "step 1", "step 2", "step 3", "stop", "shown 3"}));
    Log.clear();
    User.Clear();
    Report->ScriptText()->SetText("begin x := ; end.");
    Report->ShowReport();
    EXPECT_TRUE(User.Requests().empty());
    EXPECT_EQ(Report->PreviewWindow(), nullptr);
}

TEST_F(ShowReport, AnAttachedControlShowsThePagesInstead) {
    Build();
    Attach();
    Report->ShowPreparedReport();
    EXPECT_EQ(Report->PreviewWindow(), nullptr);
    EXPECT_EQ(Control->PageCount(), 3);
    EXPECT_TRUE(User.Requests().empty());
}

TEST_F(ShowReport, TheRefreshIntervalFollowsHowFastTheFirstPageCame) {
    MakeTable(GroupedRows());
    LoadLayout(GroupedLayout);
    Cardinal now = 5000;
    TTickOverride ticks([&] { return now; });
    struct {
        Cardinal Elapsed;
        Integer Interval;
    } cases[] = {{0, 50}, {4, 50}, {5, 20}, {9, 20}, {10, 5}, {300, 5}};
    Report->PreviewOptions()->Modal = false;
    Report->ShowReport();
    for (const auto& c : cases) {
        Report->OnProgress = [&](TvrReport*, TvrProgressType, Integer n) {
            if (n == 2) now += c.Elapsed;
        };
        Report->PrepareTimer()->Timer();
        EXPECT_EQ(Shown()->Preview()->UpdateInterval(), c.Interval) << c.Elapsed;
    }
}

TEST_F(ShowReport, TheFirstPassOfATwoPassReportShowsItsCount) {
    MakeTable(GroupedRows());
    LoadLayout(GroupedLayout);
    Report->EngineOptions()->DoublePass = true;
    Report->PreviewOptions()->Modal = false;
    Report->ShowReport();
    TvrPreviewForm* w = Shown();
    std::vector<String> texts;
    auto show = w->Preview()->OnPageChanged;
    w->Preview()->OnPageChanged = [&](TvrPreview* p, Integer n) {
        show(p, n);
        texts.push_back(w->StatusBar->Panels(0)->Text());
    };
    Report->PrepareTimer()->Timer();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "第一次处理过程: 页  2"), texts.end());
    EXPECT_EQ(texts.back(), "页 1 / 3");
}

TEST_F(ShowReport, EscCancelsABuildAndThenClosesTheWindow) {
    MakeTable(GroupedRows());
    LoadLayout(GroupedLayout);
    Report->PreviewOptions()->Modal = false;
    Report->ShowReport();
    TvrPreviewForm* w = Shown();
    bool refused = false, cancelCaption = false, disabled = false;
    Report->OnProgress = [&](TvrReport*, TvrProgressType, Integer n) {
        if (n != 2) return;
        cancelCaption = w->CancelB->Caption() == "取消";
        disabled = !w->PrintB->Enabled();
        w->Close();
        refused = w->Visible();
        Word key = VK_ESCAPE;
        w->KeyDown(key, {});
    };
    Report->PrepareTimer()->Timer();
    EXPECT_TRUE(cancelCaption);
    EXPECT_TRUE(disabled);
    EXPECT_TRUE(refused);
    EXPECT_LT(w->Preview()->PageCount(), 3);
    EXPECT_FALSE(w->Preview()->Running());
    Word key = VK_ESCAPE;
    w->KeyDown(key, {});
    Application()->ProcessMessages();
    EXPECT_EQ(Report->PreviewWindow(), nullptr);
}

TEST_F(ShowReport, CollapseAndExpandAllComeAfterTheBuild) {
    MakeTable(GroupedRows());
    LoadLayout(GroupedOutlineLayout());
    Report->PreviewOptions()->Modal = false;
    Report->ShowReport();
    TvrPreviewForm* w = Shown();
    bool shownDuring = true;
    Report->OnProgress = [&](TvrReport*, TvrProgressType, Integer) {
        shownDuring = shownDuring && w->ExpandMI->Visible();
    };
    Report->PrepareTimer()->Timer();
    Report->OnProgress = nullptr;
    EXPECT_FALSE(shownDuring);
    EXPECT_TRUE(w->ExpandMI->Visible());
    EXPECT_TRUE(w->CollapseMI->Visible());
    EXPECT_TRUE(w->N1->Visible());
    const Integer expanded = w->Preview()->PageCount();
    w->CollapseMI->Click();
    EXPECT_LT(w->Preview()->PageCount(), expanded);
    EXPECT_EQ(w->Preview()->PageNo(), 1);
    EXPECT_EQ(w->Preview()->Workspace()->VertScrollOffset(), 0);
    w->ExpandMI->Click();
    EXPECT_EQ(w->Preview()->PageCount(), expanded);
}

TEST_F(ShowReport, ClosingTheReportsWindowDuringAModelessBuildCancelsItAndFreesTheReportAfterwards) {
    MakeTable(GroupedRows());
    LoadLayout(GroupedLayout);
    auto* owner = new TForm(nullptr);
    TvrReport* report = Report.release();
    owner->InsertComponent(report);
    report->PreviewOptions()->Modal = false;
    report->PreviewOptions()->Maximized = false;
    report->ShowReport();
    auto* window = static_cast<TvrPreviewForm*>(report->PreviewWindow());
    ASSERT_NE(window, nullptr);
    int steps = 0;
    report->OnProgress = [&](TvrReport*, TvrProgressType, Integer n) {
        ++steps;
        if (n == 1) delete owner; // the application's window goes while the engine runs
    };
    report->PrepareTimer()->Timer();
    EXPECT_LT(steps, 3);
    // The preview window stays, without its report.
    EXPECT_EQ(window->Preview()->Report, nullptr);
    EXPECT_EQ(window->Preview()->PageCount(), 0);
    window->Preview()->Workspace()->Repaint();
    delete window;
}

// --- the designer ---------------------------------------------------------------------------------

class TStandInDesigner : public TvrCustomDesigner {
public:
    using TvrCustomDesigner::TvrCustomDesigner;
    static inline std::vector<String> Calls;
    std::unique_ptr<TStringList> GetCode() override { return nullptr; }
    String InsertExpression(const String&) override { return String(); }
    void LockDesigner() override {}
    void ReloadPages(Integer) override {}
    void ReloadReport() override {}
    void UpdateDataTree() override {}
    void UpdatePage() override {}
    Integer Perform(Cardinal msg, std::uintptr_t w, std::intptr_t l) override {
        if (msg == vrDesignerStartUpMessage) Calls.push_back(PreviewDesigner() ? "start preview" : "start");
        return TvrCustomDesigner::Perform(msg, w, l);
    }
};

class Designer : public PreviewTest {
protected:
    void SetUp() override {
        PreviewTest::SetUp();
        TStandInDesigner::Calls.clear();
    }
    void TearDown() override {
        vrDesignerClass() = nullptr;
        PreviewTest::TearDown();
    }
    void Register() {
        vrDesignerClass() = [](TComponent* owner, TvrReport* report, bool preview) {
            return new TStandInDesigner(owner, report, preview);
        };
    }
};

TEST_F(Designer, WithoutARegisteredDesignerNothingHappens) {
    Build();
    Report->DesignReport();
    EXPECT_FALSE(Report->DesignPreviewPage());
    Attach();
    Control->EditCurrentPage();
    Control->DesignTemplate();
    EXPECT_TRUE(User.Requests().empty());
    EXPECT_EQ(Control->PageCount(), 3);
}

TEST_F(Designer, EditingAPageReplacesItWhenTheDesignerChangedIt) {
    Build();
    Attach();
    Register();
    Control->SetPageNo(2);
    User.Form([&](TCustomForm* f) {
        auto* d = static_cast<TStandInDesigner*>(f);
        EXPECT_TRUE(d->PreviewDesigner());
        TvrComponent* page = d->Report()->GetPage(0);
        // The copy is flat: no bands, objects on the page at their places.
        for (TvrComponent* obj : page->AllObjects())
            EXPECT_FALSE(obj->IsBand()) << obj->Name();
        TvrComponent* code = page->FindObject("CodeMemo");
        EXPECT_NE(code, nullptr);
        if (code) {
            EXPECT_EQ(code->Parent(), page);
            code->SetLeft(400);
        }
        d->SetModified(true);
        return mrOk;
    });
    Control->EditCurrentPage();
    EXPECT_EQ(TStandInDesigner::Calls, (std::vector<String>{"start preview"}));
    TvrComponent* page = Pages()->GetPreparedPage(1);
    TvrComponent* moved = page->FindObject("CodeMemo");
    ASSERT_NE(moved, nullptr);
    EXPECT_DOUBLE_EQ(static_cast<double>(moved->Left()), 400);
    // Unchanged: the page stays as it was.
    User.Form([](TCustomForm*) { return mrCancel; });
    Control->SetPageNo(1);
    Control->EditCurrentPage();
    EXPECT_NE(Pages()->GetPreparedPage(0)->FindObject("MasterData1"), nullptr);
}

TEST_F(Designer, DesignReportRunsOneDesignerAtATime) {
    Build();
    Register();
    Report->DesignReport(false, false);
    ASSERT_NE(Report->DesignerWindow(), nullptr);
    Report->DesignReport(false, false);
    EXPECT_FALSE(Report->DesignPreviewPage());
    EXPECT_EQ(TStandInDesigner::Calls, (std::vector<String>{"start"}));
    delete Report->DesignerWindow();
    EXPECT_EQ(Report->DesignerWindow(), nullptr);
    // The template: the source pages are the designer's report while it shows.
    Attach();
    User.Form([&](TCustomForm* f) {
        auto* d = static_cast<TStandInDesigner*>(f);
        EXPECT_EQ(d->Report()->GetPagesCount(), 1);
        return mrCancel;
    });
    Control->DesignTemplate();
    EXPECT_EQ(Pages()->SourcePages().front()->Parent(), nullptr);
    EXPECT_EQ(Control->PageCount(), 3);
}

} // namespace
