// The data module's grid services on a real display with a window manager, as a new user on the
// default database: the decimal places window opened from the menu, the column chooser over a
// list, and an export of that list (to the desktop's spreadsheet program, and the error box when
// there is none). Screenshots are kept in ScreenshotFolder() to be looked at.
#include "XServer.h"
#include "app/core/StartupFixture.h"

#include "app/core/AppStart.h"
#include "app/core/DesktopStandIns.h"
#include "app/core/uFrmDispFieldXZ.h"
#include "app/core/uFrmSysInfoGl.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "gui/CheckLst.h"
#include "gui/ControlShot.h"
#include "gui/DialogWatch.h"
#include "gui/Menus.h"
#include "gui/Screenshot.h"
#include "rtl/FileUtils.h"

namespace {

bool Managed(TCustomForm* form) {
    return WaitFor([form] {
        return XProp(WindowSystemId(form), "_NET_WM_ALLOWED_ACTIONS").find("ACTION_MOVE") != String::npos;
    });
}

// A list window as the register windows will have it: a grid over the estates, with the layout
// of its window key.
class TTestList : public TForm {
public:
    explicit TTestList(TComponent* owner) : TForm(owner) {
        SetCaption("小区资料");
        SetBounds(100, 80, 900, 420);
        Query.SetConnection(dmData->ADOcnn());
        Query.SQL()->SetText("select * from T_XQinfo order by F_code");
        Query.Open();
        Source.SetDataSet(&Query);
        Grid = new TDBGridGx(this);
        Grid->SetParent(this);
        Grid->SetAlign(alClient);
        Grid->SetDataSource(&Source);
        dmData->LoadGridLayout(Grid, "XQinfoGL");
    }
    ~TTestList() override { DestroyComponents(); }
    TADOQuery Query;
    TDataSource Source{nullptr};
    TDBGridGx* Grid;
};

class GridServicesWindows : public Startup {
protected:
    void SetUp() override {
        if (!XServerRunning()) GTEST_SKIP() << XServerProblem();
        Startup::SetUp();
    }
    void StartAsNewUser() {
        ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
        User.Form(Login("admin", {""}));
        ASSERT_TRUE(StartOrvanta());
        FrmMain->Show();
        ASSERT_TRUE(Managed(FrmMain));
        Settle(300);
        for (int i = 1; i <= 3; ++i)
            dmData->ADOcnn()->Execute(
                "insert into T_XQinfo (F_code, F_name, F_address, F_LDamount) values ('00" + IntToStr(i) +
                "', '阳光小区" + IntToStr(i) + "', '中山路" + IntToStr(i) + "号', " + IntToStr(i * 4) + ")");
    }
};

TEST_F(GridServicesWindows, DecimalPlacesFromTheMenu) {
    StartAsNewUser();
    TMenuItem* item = FrmMain->mnuTop[0]->Find("系统当前配置");
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->Enabled());
    User.Form([](TCustomForm* form) {
        auto* window = dynamic_cast<TfrmSysInfoGl*>(form);
        EXPECT_NE(window, nullptr);
        if (!window) return static_cast<int>(mrCancel);
        EXPECT_TRUE(Managed(window));
        Settle();
        EXPECT_EQ(XProp(WindowSystemId(window), "_NET_WM_NAME"),
                  "_NET_WM_NAME(UTF8_STRING) = \"软件当前设置\"\n");
        SaveScreenAsPng(ScreenshotFolder() + "sysinfo.png");
        window->rceTotal->SetText("4");
        window->btnOk->Click();
        return static_cast<int>(mrNone);
    });
    User.Answer(IDOK); // "当前软件设置更改成功！"
    item->Click();
    EXPECT_EQ(User.Pending(), 0);
    EXPECT_EQ(FmtTotal, "￥,0.00##");
    EXPECT_EQ(User.Requests().back().Text, MsgSettingsSaved);
}

TEST_F(GridServicesWindows, TheChooserAndAnExportOfAList) {
    StartAsNewUser();
    TTestList list(FrmMain);
    list.Show();
    ASSERT_TRUE(Managed(&list));
    User.Form([](TCustomForm* form) {
        auto* chooser = dynamic_cast<TFrmDispFieldXZ*>(form);
        EXPECT_NE(chooser, nullptr);
        if (!chooser) return static_cast<int>(mrCancel);
        EXPECT_TRUE(Managed(chooser));
        Settle();
        SaveScreenAsPng(ScreenshotFolder() + "chooser.png");
        chooser->CheckListBox1->SetChecked(2, false); // 位置
        chooser->btnOk->Click();
        return static_cast<int>(mrNone);
    });
    dmData->ChooseGridColumns(list.Grid);
    EXPECT_FALSE(list.Grid->Columns()->ColumnAt(2)->Visible());
    Settle();
    SaveScreenAsPng(ScreenshotFolder() + "list.png");

    {
        const TDesktopStandIns desktop(Prog(), "libreoffice-calc.desktop");
        const String file = dmData->ExportGridToExcel(list.Grid, "小区资料统计列表");
        EXPECT_TRUE(WaitFor([&] { return FileExists(desktop.OpenedRecord()); }, 5000));
        EXPECT_EQ(TempDir::ReadAll(desktop.OpenedRecord()), file + "\n");
        std::remove(file.c_str());
    }

    // Without a spreadsheet program: the platform's error box, seen as it shows.
    const TDesktopStandIns none(Prog(), "");
    TInteractionResponder* responder = Interaction::SetResponder(nullptr);
    TToolkitDialog shown;
    WatchToolkitDialog(
        [&](const TToolkitDialog& dialog) {
            shown = dialog;
            SaveScreenAsPng(ScreenshotFolder() + "excel_missing.png");
            return true;
        },
        "确定");
    EXPECT_EQ(dmData->ExportGridToExcel(list.Grid, "小区资料统计列表"), "");
    Interaction::SetResponder(responder);
    EXPECT_EQ(shown.Title, "错误");
    EXPECT_EQ(shown.Text, MsgExcelMissing);
    list.Hide();
}

} // namespace
