// The report's small windows: the progress window and the form it keeps disabled, the password
// question, the inheritance-clash question, the dialog page's window, their captions, mirroring,
// and the report's settings store.
#include "TempDir.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/ImgList.h"
#include "gui/InputSimulation.h"
#include "gui/Interaction.h"
#include "gui/ReadingOrder.h"
#include "gui/StdCtrls.h"
#include "report/vrClass.h"
#include "report/vrClassDialogPage.h"
#include "report/vrDialogForm.h"
#include "report/vrInheritError.h"
#include "report/vrPassw.h"
#include "report/vrProgress.h"
#include "rtl/IniFiles.h"
#include "rtl/Registry.h"
#include "vrClassTestObjects.h"

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

namespace {

// A shown form that is the active one, as the user's window while a report runs.
struct ActiveFormTest : ::testing::Test {
    void SetUp() override {
        owner = std::make_unique<TForm>(nullptr);
        owner->SetBounds(100, 100, 300, 200);
        owner->Show();
        Screen()->FormActivated(owner.get());
    }
    std::unique_ptr<TForm> owner;
};

using ProgressWindow = ActiveFormTest;

TEST_F(ProgressWindow, DisablesTheActiveFormUntilItHides) {
    auto progress = std::make_unique<TvrProgress>(nullptr);
    EXPECT_EQ(progress->DisabledForm(), owner.get());
    EXPECT_FALSE(owner->Enabled());
    progress->StartProgress(10, "准备页 1", true, true);
    EXPECT_TRUE(progress->Visible());
    EXPECT_FALSE(owner->Enabled());
    progress->Hide();
    EXPECT_TRUE(owner->Enabled());
    // Destroyed without hiding first: the form comes back too.
    auto second = std::make_unique<TvrProgress>(nullptr);
    EXPECT_FALSE(owner->Enabled());
    second.reset();
    EXPECT_TRUE(owner->Enabled());
}

TEST_F(ProgressWindow, ForgetsTheDisabledFormOnceItIsFreed) {
    auto progress = std::make_unique<TvrProgress>(nullptr);
    progress->StartProgress(0, String(), false, true);
    owner.reset();
    EXPECT_EQ(progress->DisabledForm(), nullptr);
    progress->Hide(); // nothing left to enable
    progress.reset();
}

TEST_F(ProgressWindow, StartShowsTheBarAndCancelAsAsked) {
    TvrProgress progress(nullptr);
    struct Case {
        bool Bar, Cancel;
        int MessageTop;
    } cases[] = {{true, true, 15}, {false, true, 35}, {true, false, 15}, {false, false, 35}};
    for (const Case& c : cases) {
        progress.StartProgress(7, "导出页 3", c.Bar, c.Cancel);
        EXPECT_EQ(progress.Bar->Visible(), c.Bar);
        EXPECT_EQ(progress.CancelB->Visible(), c.Cancel);
        EXPECT_EQ(progress.LMessage->Top(), c.MessageTop);
        EXPECT_EQ(progress.Bar->Max(), 7);
        EXPECT_EQ(progress.BarPosition(), 0);
        EXPECT_EQ(progress.LMessage->Caption(), "导出页 3");
        EXPECT_FALSE(progress.CancelRequested());
    }
}

TEST_F(ProgressWindow, StepsStopAtTheMaximum) {
    TvrProgress progress(nullptr);
    struct Case {
        int Maximum, Steps, Position;
    } cases[] = {{3, 2, 2}, {3, 3, 3}, {3, 5, 3}, {0, 4, 0}};
    for (const Case& c : cases) {
        progress.StartProgress(c.Maximum, String(), true, false);
        for (int i = 0; i < c.Steps; ++i)
            progress.StepProgress();
        EXPECT_EQ(progress.BarPosition(), c.Position) << c.Maximum << " " << c.Steps;
        EXPECT_EQ(progress.Bar->Position(), c.Position);
    }
}

TEST_F(ProgressWindow, CancelRequestsAndCloses) {
    TvrProgress progress(nullptr);
    progress.StartProgress(0, String(), false, true);
    SimulateClick(progress.CancelB, 10, 10);
    EXPECT_TRUE(progress.CancelRequested());
    EXPECT_FALSE(progress.Visible());
    EXPECT_TRUE(owner->Enabled());
    // Esc presses the Cancel button too.
    progress.StartProgress(0, String(), false, true);
    EXPECT_FALSE(progress.CancelRequested());
    SimulateKey(progress.CancelB, VK_ESCAPE);
    EXPECT_TRUE(progress.CancelRequested());
}

TEST_F(ProgressWindow, MovesWhenItsFaceIsDragged) {
    TvrProgress progress(nullptr);
    progress.StartProgress(5, "打印页 2", true, true);
    const int left = progress.Left(), top = progress.Top();
    SimulateMouseDown(progress.Panel1, mbLeft, 5, 5);
    SimulateMouseMove(progress.Panel1, 25, 15, TShiftState{ssLeft});
    SimulateMouseUp(progress.Panel1, mbLeft, 25, 15);
    EXPECT_EQ(progress.Left(), left + 20);
    EXPECT_EQ(progress.Top(), top + 10);
    // The button stays a button.
    SimulateMouseDown(progress.CancelB, mbLeft, 5, 5);
    SimulateMouseMove(progress.CancelB, 40, 40, TShiftState{ssLeft});
    SimulateMouseUp(progress.CancelB, mbLeft, 40, 40);
    EXPECT_EQ(progress.Left(), left + 20);
}

// The password question through the report: "*" in the edit, only the right password loads.
TEST(PasswordWindow, OnlyTheRightPasswordLoadsTheLayout) {
    RegisterTestObjects();
    TempDir dir;
    {
        TvrReport layout(nullptr);
        layout.ReportOptions()->Password = "物业2";
        new TTestReportPage(&layout);
        layout.SaveToFile(dir.File("p.di3"));
    }
    struct Case {
        bool Confirm;
        String Typed;
        bool Loaded;
    } cases[] = {{true, "物业2", true}, {true, "物业", false}, {false, "物业2", false}, {true, "", false}};
    for (const Case& c : cases) {
        TvrReport report(nullptr);
        report.EngineOptions()->NewSilentMode = simSilent;
        TScriptedResponder user;
        TInteractionScope scope(user);
        char passwordChar = 0;
        user.Form([&](TCustomForm* f) {
            auto* form = dynamic_cast<TvrPasswordForm*>(f);
            if (!form) return mrAbort;
            passwordChar = form->PasswordE->PasswordChar();
            SimulateTyping(form->PasswordE, c.Typed);
            (c.Confirm ? form->OkB : form->CancelB)->Click();
            return mrNone;
        });
        ASSERT_TRUE(report.LoadFromFile(dir.File("p.di3")));
        EXPECT_EQ(passwordChar, '*');
        EXPECT_EQ(report.GetPagesCount() > 0, c.Loaded) << c.Typed;
        EXPECT_EQ(report.ErrorList()->IndexOf("Invalid password") >= 0, !c.Loaded) << c.Typed;
        EXPECT_EQ(user.Requests().size(), 1u);
    }
}

TEST(DialogWindow, RefusesToCloseByItselfAndTellsWhenMoved) {
    TvrDialogForm form(nullptr);
    EXPECT_EQ(form.Owner(), nullptr);
    EXPECT_EQ(form.Caption(), " ");
    EXPECT_EQ(form.ClientWidth(), 115);
    EXPECT_EQ(form.ClientHeight(), 59);
    EXPECT_TRUE(form.KeyPreview());
    int changes = 0;
    form.OnLayoutChanged = [&](TObject* sender) {
        EXPECT_EQ(sender, &form);
        ++changes;
    };
    form.Show();
    Application()->ProcessMessages();
    changes = 0;
    form.Close();
    EXPECT_TRUE(form.Visible());
    SimulateWindowMove(&form, form.Left() + 30, form.Top() + 20);
    for (int i = 0; i < 50 && changes == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        Application()->ProcessMessages();
    }
    EXPECT_EQ(changes, 1);
    form.Hide();
}

TEST(DialogWindow, IsThreadSafeWhenItsPageRunsHeadless) {
    for (bool headless : {false, true}) {
        TvrReport report(nullptr);
        report.EngineOptions()->HeadlessMode = headless;
        auto* page = new TvrDialogPage(&report);
        EXPECT_EQ(page->Form()->ThreadSafe(), headless);
        EXPECT_EQ(page->Tag(), 0); // the page's own tag is back
    }
}

// Every caption of the four windows, as their controls show it.
TEST(SmallWindows, CaptionsComeFromTheResources) {
    TvrProgress progress(nullptr);
    TvrPasswordForm password(nullptr);
    TvrInheritErrorForm inherit(nullptr);
    TvrDialogForm dialog(nullptr);
    const std::pair<String, String> captions[] = {
        {progress.CancelB->Caption(), "取消"},
        {password.Caption(), "密码"},
        {password.PasswordL->Caption(), "输入密码:"},
        {password.OkB->Caption(), "确定"},
        {password.CancelB->Caption(), "取消"},
        {inherit.Caption(), "继承错误"},
        {inherit.MessageL->Caption(), "基本和继承的报表有重复的对象。该怎么办?"},
        {inherit.DeleteRB->Caption(), "删除重复对象"},
        {inherit.RenameRB->Caption(), "重命名重复对象"},
        {inherit.OkB->Caption(), "确定"},
        {inherit.CancelB->Caption(), "取消"},
        {dialog.Caption(), " "},
    };
    for (const auto& [shown, expected] : captions)
        EXPECT_EQ(shown, expected);
    EXPECT_EQ(progress.ClientWidth(), 271);
    EXPECT_EQ(progress.ClientHeight(), 101);
    EXPECT_EQ(progress.BorderStyle(), bsNone);
    EXPECT_EQ(password.ClientWidth(), 252);
    EXPECT_EQ(password.ClientHeight(), 92);
    EXPECT_EQ(inherit.ClientWidth(), 256);
    EXPECT_EQ(inherit.ClientHeight(), 152);
    EXPECT_TRUE(inherit.DeleteRB->Checked());
    EXPECT_TRUE(password.OkB->Default());
    EXPECT_TRUE(password.CancelB->Cancel());
    EXPECT_EQ(password.PasswordE->TabOrder(), 0);
    EXPECT_EQ(inherit.ImageList1->Count(), 1);
}

TEST(SmallWindows, MirrorForRightToLeftReading) {
    SetApplicationBiDiMode(bdRightToLeft);
    TvrPasswordForm mirrored(nullptr);
    SetApplicationBiDiMode(bdLeftToRight);
    TvrPasswordForm plain(nullptr);
    EXPECT_EQ(plain.PasswordE->Left(), 52);
    EXPECT_EQ(mirrored.PasswordE->Left(), 252 - 52 - 189);
    EXPECT_EQ(mirrored.Image1->Left(), 252 - 10 - 32);
    EXPECT_TRUE(UseRightToLeftAlignment(&mirrored));
    TvrProgress progress(nullptr); // a client-aligned panel stays where it is
    EXPECT_EQ(progress.Panel1->Left(), 0);
}

TEST(SmallWindows, TheSettingsStoreIsTheRegistryOrAnIniFile) {
    TempDir dir;
    TRegistry::SetStorageFile(dir.File("registry.ini"));
    TvrReport report(nullptr);
    EXPECT_EQ(report.IniFile, "\\Software\\Vure Vuviror");
    report.GetIniFile()->WriteInteger("Form4.TTestForm", "Left", 42);
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("\\Software\\Vure Vuviror\\Form4.TTestForm", false));
    EXPECT_EQ(registry.ReadString("Left"), "42");
    registry.WriteInteger("Top", 7);
    EXPECT_EQ(report.GetIniFile()->ReadInteger("Form4.TTestForm", "Top", 0), 7);
    EXPECT_EQ(report.GetIniFile()->ReadInteger("Form4.TTestForm", "Width", -1), -1);

    report.IniFile = dir.File("vr.ini");
    report.GetIniFile()->WriteString("Dock4.Site", "Size", "120");
    EXPECT_EQ(TIniFile(dir.File("vr.ini")).ReadString("Dock4.Site", "Size", ""), "120");
    TRegistry::SetStorageFile("");
}

} // namespace
