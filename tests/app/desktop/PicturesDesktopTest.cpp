// The program's pictures on a real display (Xvfb and openbox): the main window with its desktop,
// each desktop page and a menu, with the icon theme and with the themes hidden from the search
// (the built-in pictures). Screenshots "pictures_*.png" are kept in ScreenshotFolder() to be looked
// at: every picture should say its caption to a new user.
#include "XServer.h"
#include "app/core/StartupFixture.h"

#include "app/core/AppStart.h"
#include "app/core/Rights.h"

#include "controls/WnPageControl.h"
#include "gui/Buttons.h"
#include "gui/IconTheme.h"
#include "gui/ImgList.h"
#include "gui/InputSimulation.h"
#include "gui/Menus.h"
#include "gui/Screenshot.h"

namespace {

class Pictures : public Startup {
protected:
    void SetUp() override {
        if (!XServerRunning()) GTEST_SKIP() << XServerProblem();
        Startup::SetUp();
        Saved = IconThemeSearchPaths();
    }
    void TearDown() override {
        Startup::TearDown();
        SetIconThemeSearchPaths(Saved);
    }

    void StartAsAdmin() {
        ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
        User.Form(Login("admin", {""}));
        ASSERT_TRUE(StartOrvanta());
        FrmMain->Show();
        ASSERT_TRUE(ManagedWindow(FrmMain));
        ASSERT_NE(FrmBtnImage, nullptr);
        Settle(300);
    }

    // Every page of the desktop, then the menu 日常管理 open, each as a screenshot.
    void ShootPagesAndMenu(const String& prefix) {
        TWnPageControl* pages = FrmBtnImage->PageControl1;
        for (int i = 0; i < pages->PageCount(); ++i) {
            pages->SetActivePageIndex(i);
            Settle(200);
            SaveScreenAsPng(ScreenshotFolder() + prefix + "_page" + std::to_string(i + 1) + ".png");
        }
        pages->SetActivePageIndex(0);
        ASSERT_TRUE(SimulateMenuDropDown(FrmMain->mnuTop[tmDaily]));
        Settle(300);
        SaveScreenAsPng(ScreenshotFolder() + prefix + "_menu.png");
        SimulateMenuClose(FrmMain->mnuTop[tmDaily]);
    }

    // Every action as if its window were there; back as it was.
    void EnableAll(bool on) {
        if (on) {
            for (const TActionInfo& action : AppActions())
                if (!HasActionWindow(action.Code)) {
                    RegisterActionWindow(action.Code, [](TFrmMain*) {});
                    Stand.push_back(action.Code);
                }
        } else {
            for (int code : Stand)
                RegisterActionWindow(code, nullptr);
            Stand.clear();
        }
        Settle();
    }

    std::vector<String> Saved;
    std::vector<int> Stand; // the actions given a stand-in window
};

TEST_F(Pictures, TheDesktopAndMenusShowTheThemesPictures) {
    StartAsAdmin();
    EXPECT_EQ(FrmBtnImage->ImageList1->Count(), 5);
    for (int i = 0; i < FrmBtnImage->ImageList1->Count(); ++i)
        EXPECT_TRUE(FrmBtnImage->ImageList1->FromIconTheme(i)) << i;
    for (int i = 0; i < 34; ++i) {
        EXPECT_TRUE(FrmMain->ImageList32->FromIconTheme(i)) << i;
        EXPECT_TRUE(FrmMain->ImageList16->FromIconTheme(i)) << i;
    }
    EXPECT_EQ(FrmMain->MainMenu1->Images(), FrmMain->ImageList16);
    EXPECT_EQ(FrmMain->mnuTop[tmDaily]->Find("房产住户")->ImageIndex(), FrmMain->ActionOf(301)->ImageIndex());
    // One action whose window is there: its button in colour beside the disabled ones.
    RegisterActionWindow(301, [](TFrmMain*) {});
    Settle();
    ShootPagesAndMenu("pictures_theme");
    // Every action there: each picture in colour.
    EnableAll(true);
    ShootPagesAndMenu("pictures_theme_enabled");
    EnableAll(false);
    RegisterActionWindow(301, nullptr);
}

TEST_F(Pictures, WithTheThemesHiddenTheBuiltInPicturesShow) {
    SetIconThemeSearchPaths({});
    StartAsAdmin();
    for (int i = 0; i < FrmBtnImage->ImageList1->Count(); ++i)
        EXPECT_FALSE(FrmBtnImage->ImageList1->FromIconTheme(i)) << i;
    for (int i = 0; i < 34; ++i)
        EXPECT_FALSE(FrmMain->ImageList32->FromIconTheme(i)) << i;
    RegisterActionWindow(301, [](TFrmMain*) {});
    Settle();
    ShootPagesAndMenu("pictures_builtin");
    EnableAll(true);
    ShootPagesAndMenu("pictures_builtin_enabled");
    EnableAll(false);
    RegisterActionWindow(301, nullptr);
}

} // namespace
