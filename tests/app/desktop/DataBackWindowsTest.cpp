// The backup window on a real display with a window manager, as a new user on the default
// database: opened from the menu, the folder chooser, a backup into a new folder and a restore of
// it. Screenshots are kept in ScreenshotFolder() to be looked at.
#include "XServer.h"
#include "app/core/StartupFixture.h"

#include "app/core/AppStart.h"
#include "app/core/DataBackup.h"
#include "app/core/uDlgSelectPath.h"
#include "app/core/uFrmDataBack.h"

#include "db/ADODB.h"
#include "gui/ComCtrls.h"
#include "gui/ControlShot.h"
#include "gui/Menus.h"
#include "gui/Screenshot.h"
#include "rtl/DateUtils.h"
#include "rtl/FileUtils.h"

namespace {

bool Framed(TCustomForm* form) {
    return WaitFor([form] {
        return XProp(WindowSystemId(form), "_NET_WM_ALLOWED_ACTIONS").find("ACTION_MOVE") != String::npos;
    });
}

class DataBackWindows : public Startup {
protected:
    void SetUp() override {
        if (!XServerRunning()) GTEST_SKIP() << XServerProblem();
        Startup::SetUp();
    }
};

TEST_F(DataBackWindows, BackupFolderChooserAndRestoreFromTheMenu) {
    TClockOverride clock(EncodeDate(2026, 12, 14) + EncodeTime(10, 0, 0, 0));
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
    ForceDirectories(Prog() + "archive/2026");
    User.Form(Login("admin", {""}));
    ASSERT_TRUE(StartOrvanta());
    FrmMain->Show();
    ASSERT_TRUE(Framed(FrmMain));
    Settle(300);
    dmData->ADOcnn()->Execute("insert into T_XQinfo (F_code, F_name) values ('001', '阳光小区')");

    TMenuItem* item = FrmMain->mnuTop[0]->Find("数据备份恢复");
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->Enabled());
    const String folder = Prog() + "archive";
    const String backup = folder + "/2026/new/dp20261214.back";
    User.Form([&](TCustomForm* form) {
        auto* window = dynamic_cast<TFrmDataBack*>(form);
        EXPECT_NE(window, nullptr);
        if (!window) return static_cast<int>(mrCancel);
        EXPECT_TRUE(Framed(window));
        Settle();
        EXPECT_EQ(XProp(WindowSystemId(window), "_NET_WM_NAME"),
                  "_NET_WM_NAME(UTF8_STRING) = \"数据备份及恢复\"\n");
        window->edtBackPath->SetText(folder);
        Settle();
        SaveScreenAsPng(ScreenshotFolder() + "databack.png");
        window->btnSelectPath->Click();
        EXPECT_EQ(window->edtBackPath->Text(), folder + "/2026");
        window->edtBackPath->SetText(folder + "/2026/new");
        window->btnBackup->Click();
        EXPECT_TRUE(FileExists(backup));
        dmData->ADOcnn()->Execute("delete from T_XQinfo");
        window->btnRestore->Click();
        EXPECT_EQ(window->Caption(), "数据备份及恢复");
        Settle();
        SaveScreenAsPng(ScreenshotFolder() + "databack_restored.png");
        window->btnClose->Click();
        return static_cast<int>(mrNone);
    });
    User.Form([&](TCustomForm* form) {
        auto* chooser = dynamic_cast<TDlgSelectPath*>(form);
        EXPECT_NE(chooser, nullptr);
        if (!chooser) return static_cast<int>(mrCancel);
        EXPECT_TRUE(Framed(chooser));
        EXPECT_EQ(chooser->lblPath->Caption(), folder);
        TTreeNode* node = chooser->tvFolders->Selected();
        EXPECT_NE(node, nullptr);
        if (node) node->SetExpanded(true);
        chooser->tvFolders->SetSelected(chooser->FindFolderNode(folder + "/2026"));
        Settle();
        SaveScreenAsPng(ScreenshotFolder() + "selectpath.png");
        chooser->btnOk->Click();
        return static_cast<int>(mrNone);
    });
    User.Answer(IDYES).Answer(IDNO).Answer(IDOK); // create the folder; no compaction; done
    User.Input(RestoreAccessCode).File(backup).Answer(IDYES).Answer(IDNO); // restore, connect again
    item->Click();
    EXPECT_EQ(User.Pending(), 0);
    EXPECT_EQ(MessageTexts(), (std::vector<String>{"当前目录" + folder + "/2026/new 不存在，是否创建！",
                                                   MsgCompactQuestion, MsgBackupDone, MsgRestoreQuestion,
                                                   MsgRestoreRestart}));
    EXPECT_TRUE(dmData->ADOcnn()->Connected());
    EXPECT_EQ(dmData->GetString("select F_name from T_XQinfo"), "阳光小区");
}

} // namespace
