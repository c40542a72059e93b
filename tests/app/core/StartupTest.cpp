// The program's start-up, login, rights and main window, played through the Interaction
// responder with offscreen windows.
#include "StartupFixture.h"
#include "app/core/AppConfig.h"
#include "app/core/AppErrors.h"
#include "app/core/AppStart.h"
#include "app/core/Rights.h"
#include "app/core/uFrmBtnImage.h"
#include "app/core/uFrmMain.h"
#include "app/core/uFrmOperLogin.h"
#include "controls/WnPageControl.h"

#include "db/ADODB.h"

#include "gui/ActnList.h"
#include "gui/ComCtrls.h"
#include "gui/ControlShot.h"
#include "gui/InputSimulation.h"
#include "gui/Interaction.h"
#include "gui/Menus.h"
#include "gui/Picture.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"
#include "script/vs_iinterpreter_sys.h"

#include <algorithm>

namespace {

TEST_F(Startup, WithoutADatabaseTheRecoveryDialogAsksAndCancelEndsTheProgram) {
    User.Cancel();
    EXPECT_FALSE(StartOrvanta());
    ASSERT_EQ(User.Requests().size(), 1u);
    const TInteractionRequest& ask = User.Requests()[0];
    EXPECT_EQ(ask.Kind, TInteractionKind::OpenFile);
    EXPECT_EQ(ask.Caption, "连接网络数据库");
    EXPECT_EQ(ask.Filter, "Access数据库|*.MDB");
    EXPECT_EQ(IncludeTrailingPathDelimiter(ask.InitialDir), Prog());
    EXPECT_EQ(FrmMain, nullptr);
    TIniFile ini(ConfigFilePath());
    EXPECT_FALSE(ini.ValueExists("config", "ds"));
}

TEST_F(Startup, PickingTheDatabaseInTheRecoveryDialogConnectsAndWritesDs) {
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "db/"));
    User.File(Prog() + "db/wuyegl.mdb").Form(Login("admin", {""}));
    EXPECT_TRUE(StartOrvanta());
    EXPECT_EQ(TIniFile(ConfigFilePath()).ReadString("config", "ds", ""), Prog() + "db/");
    EXPECT_EQ(OperName, "admin");
}

TEST_F(Startup, GifAndPngPicturesLoadOnceTheProgramHasStarted) {
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
    User.Form(Login("admin", {""}));
    ASSERT_TRUE(StartOrvanta());
    std::vector<String> extensions;
    for (const TPictureFileFormat& format : TPicture::FileFormats())
        extensions.push_back(format.Extension);
    EXPECT_NE(std::find(extensions.begin(), extensions.end(), "gif"), extensions.end());
    EXPECT_NE(std::find(extensions.begin(), extensions.end(), "png"), extensions.end());
}

TEST_F(Startup, AScriptsShowMessageReachesTheUser) {
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
    User.Form(Login("admin", {""}));
    ASSERT_TRUE(StartOrvanta());
    const size_t asked = User.Requests().size();
    User.Answer(mrOk);
    ASSERT_TRUE(vsShowMessageProc());
    vsShowMessageProc()("来自脚本");
    ASSERT_EQ(User.Requests().size(), asked + 1);
    EXPECT_EQ(User.Requests().back().Text, "来自脚本");
}

TEST_F(Startup, AdminWithTheEmptyPasswordSeesEveryMenuAndTheDesktop) {
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
    // A date format other than the program's, as a user's regional settings may give it.
    FormatSettings().DateSeparator = '/';
    FormatSettings().ShortDateFormat = "dd/MM/yyyy";
    User.Form(Login(" Admin ", {""}));
    ASSERT_TRUE(StartOrvanta());
    EXPECT_EQ(OperName, "Admin");
    EXPECT_TRUE(IsAdmin);
    EXPECT_EQ(XQScopeSQL, "");
    EXPECT_EQ(TIniFile(ConfigFilePath()).ReadString("Config", "CurOperName", ""), "Admin");
    ASSERT_NE(FrmMain, nullptr);
    for (const TActionInfo& a : AppActions()) {
        EXPECT_TRUE(FrmMain->ActionOf(a.Code)->Visible()) << a.Code;
        // Enabled exactly when its window is there (the decimal places window among the first).
        EXPECT_EQ(FrmMain->ActionOf(a.Code)->Enabled(), HasActionWindow(a.Code)) << a.Code;
    }
    EXPECT_TRUE(HasActionWindow(108));
    for (TMenuItem* top : FrmMain->mnuTop)
        EXPECT_TRUE(top->Visible());
    EXPECT_EQ(FrmMain->StatusBar1->Panels(1)->Text(), " Admin");

    FrmMain->Show(); // the message loop's first showing
    EXPECT_EQ(FrmMain->Caption(), ProductName + ProductVersion);
    ASSERT_NE(FrmBtnImage, nullptr);
    EXPECT_EQ(FrmBtnImage->Caption(), "桌面");
    EXPECT_EQ(FrmBtnImage->PageControl1->ActivePageIndex(), 0);
    EXPECT_EQ(FrmBtnImage->PageControl1->ActivePage()->Caption(), "日常管理");
    EXPECT_EQ(VisibleDesktopButtons(), 34);
    EXPECT_EQ(FrmBtnImage->ButtonOf(304)->Caption(), "收取物业费");
    EXPECT_FALSE(FrmBtnImage->ButtonOf(304)->Enabled()); // its window has not come yet
    EXPECT_EQ(FormatSettings().ShortDateFormat, "yyyy-MM-dd");
    EXPECT_EQ(FormatSettings().DateSeparator, '-');
    EXPECT_EQ(dmData->GetString("select F_buildDate from SysInfo"), "1900-08-14");
    EXPECT_EQ(FmtTotal, "￥,0.00");
    EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(Startup, TheMenusTheStatusBarAndTheDesktopHoldTheirItemsInOrder) {
    const TClockOverride lastSecondOfTheYear(EncodeDateTime(2026, 12, 31, 23, 59, 59, 999));
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
    User.Form(Login("admin", {""}));
    ASSERT_TRUE(StartOrvanta());
    FrmMain->Show();
    const std::vector<std::pair<String, String>> menus = {
        {"系统管理", "公司信息资料,更改用户密码,用户权限管理,系统当前配置,-,数据备份恢复,系统数据清理,"
                     "导入住户信息,压缩修复数据,-,重新登录,退出系统"},
        {"基本资料", "小区信息设置,小区公共设施,-,保洁绿化,保安巡逻,配件管理,-,费用项目设置,"
                     "公摊费用设置,选项..."},
        {"日常管理", "房产住户,生成物业费,生成公摊费,收取物业费,预收款管理,车位管理,报修管理,建议意见"},
        {"信息查询", "缴费通知单查询,交费收款单查询,个人欠费查询统计,配件库存查询统计"},
        {"报表中心", "应交费用明细统计,应交费用汇总统计,住户交费明细统计,住户交费汇总统计,"
                     "物业报修查询统计,物业收费经营分析"},
        {"窗体", "重叠,横向重排,纵向重排,-,切换,关闭,全部关闭"},
        {"辅助", "计算器,笔记本,-,帮助文件,关于我们,访问我们的网站"},
        {"导航图", ""},
    };
    TMenuItem* root = FrmMain->MainMenu1->Items();
    ASSERT_EQ(root->Count(), static_cast<int>(menus.size()));
    for (int m = 0; m < root->Count(); ++m) {
        TMenuItem* top = root->Items(m);
        EXPECT_EQ(top->Caption(), menus[m].first);
        String items;
        for (int i = 0; i < top->Count(); ++i)
            items += (i ? "," : "") + top->Items(i)->Caption();
        EXPECT_EQ(items, menus[m].second) << menus[m].first;
    }

    const std::vector<std::pair<String, int>> panels = {
        {" 当前用户", 60}, {" admin", 80}, {" 当前日期时间", 100}, {"", 140}};
    for (int i = 0; i < 4; ++i) {
        if (i != 3) {
            EXPECT_EQ(FrmMain->StatusBar1->Panels(i)->Text(), panels[i].first) << i;
        }
        EXPECT_EQ(FrmMain->StatusBar1->Panels(i)->Width(), panels[i].second) << i;
    }
    EXPECT_EQ(FrmMain->StatusBar1->Panels(3)->Text(), " 2026-12-31 23:59:59");
    EXPECT_EQ(FrmMain->StatusBar1->Panels(4)->Text().find(ApplicationTitle), 0u);
    EXPECT_EQ(FrmMain->StatusBar1->Panels(4)->Alignment(), taRightJustify);

    // The desktop's pages, each with its buttons row by row.
    const std::vector<std::pair<String, std::vector<std::vector<int>>>> pages = {
        {"日常管理", {{301, 303, 309, 304}, {305, 306, 307, 308}}},
        {"信息查询", {{401, 402, 403, 404}}},
        {"报表中心", {{501, 502}, {503, 504}, {505, 506}}},
        {"基本资料", {{201, 203, 204, 205}, {206, 207, 208, 209}}},
        {"系统管理", {{101, 102, 103, 104}, {105, 106, 107, 108}}},
    };
    TWnPageControl* pc = FrmBtnImage->PageControl1;
    ASSERT_EQ(pc->PageCount(), 5);
    for (int p = 0; p < 5; ++p) {
        EXPECT_EQ(pc->Pages(p)->Caption(), pages[p].first);
        std::vector<std::vector<int>> rows;
        int lastTop = -1;
        for (TButton* b : FrmBtnImage->Buttons) {
            if (b->Parent() != pc->Pages(p)) continue;
            if (b->Top() != lastTop) rows.emplace_back();
            lastTop = b->Top();
            rows.back().push_back(b->Tag());
            EXPECT_EQ(b->Caption(), FindAction(b->Tag())->Caption);
        }
        EXPECT_EQ(rows, pages[p].second) << pages[p].first;
    }
    std::vector<String> labels;
    for (int i = 0; i < pc->Pages(2)->ControlCount(); ++i)
        if (auto* label = dynamic_cast<TLabel*>(pc->Pages(2)->Controls(i)))
            labels.push_back(label->Caption());
    EXPECT_EQ(labels, (std::vector<String>{"日常报表", "经营分析"}));
}

TEST_F(Startup, ThreeWrongPasswordsAreToldTheFourthEndsTheProgramAndIsLogged) {
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
    User.Form(Login("admin", {"a", "b", "c", "d"})).Answer(IDOK).Answer(IDOK).Answer(IDOK).Answer(IDOK);
    EXPECT_FALSE(StartOrvanta());
    const std::vector<String> expected = {"用户名或密码不正确，请重新输入！",
                                          "用户名或密码不正确，请重新输入！",
                                          "用户名或密码不正确，请重新输入！", "非法操作员!"};
    EXPECT_EQ(MessageTexts(), expected);
    Dm = std::make_unique<TdmData>(nullptr);
    ASSERT_TRUE(Dm->DataModuleCreate());
    EXPECT_EQ(Rows("select F_EmpName, F_OperType from LogRec"), std::vector<String>{"|登录失败！"});
}

TEST_F(Startup, AnUnknownOrDisabledOperatorIsRefusedWithoutCounting) {
    Connect();
    ASSERT_TRUE(Dm->RunSQL("insert into OperList (F_Name, F_PassWord, F_Flag) values ('off', '', true)"));
    Dm.reset();
    const auto tryDisabled = Login("off", {"", "", "", "", ""});
    User.Form([&](TCustomForm* form) {
        // Only enabled operators are offered.
        EXPECT_EQ(static_cast<TfrmOperLogin*>(form)->cbbOperName->Items()->CommaText(), "admin");
        tryDisabled(form);
        static_cast<TfrmOperLogin*>(form)->btnCancel->Click(); // five refusals later the user gives up
        return static_cast<int>(mrNone);
    });
    for (int i = 0; i < 5; ++i)
        User.Answer(IDOK);
    EXPECT_FALSE(StartOrvanta());
    const std::vector<String> texts = MessageTexts();
    ASSERT_EQ(texts.size(), 5u);
    for (const String& t : texts)
        EXPECT_EQ(t, "此操作员并不存在，请重新选择操作员！");
}

TEST_F(Startup, AnOperatorWithRights201And301SeesOnlyTheirMenusAndTwoButtons) {
    Connect();
    AddOperator("张三", "pw", {"201", "301"});
    Dm.reset();
    User.Form(Login("张三", {"pw"}));
    ASSERT_TRUE(StartOrvanta());
    EXPECT_FALSE(IsAdmin);
    EXPECT_TRUE(FrmMain->mnuTop[tmSystem]->Visible()); // 重新登录 and 退出系统 stay reachable
    EXPECT_TRUE(FrmMain->mnuRelogin->Visible());
    EXPECT_TRUE(FrmMain->mnuExit->Visible());
    EXPECT_TRUE(FrmMain->mnuTop[tmBasic]->Visible());
    EXPECT_TRUE(FrmMain->mnuTop[tmBasic]->Find("小区信息设置")->Visible());
    EXPECT_FALSE(FrmMain->mnuTop[tmBasic]->Find("小区公共设施")->Visible());
    EXPECT_FALSE(FrmMain->mnuTop[tmSystem]->Find("公司信息资料")->Visible());
    EXPECT_TRUE(FrmMain->mnuTop[tmDaily]->Visible());
    EXPECT_FALSE(FrmMain->mnuTop[tmQuery]->Visible());
    EXPECT_FALSE(FrmMain->mnuTop[tmReport]->Visible());
    EXPECT_TRUE(FrmMain->mnuWindow->Visible());
    EXPECT_TRUE(FrmMain->mnuHelp->Visible());
    EXPECT_TRUE(FrmMain->mnuNavigator->Visible());
    int visibleActions = 0;
    for (const TActionInfo& a : AppActions())
        visibleActions += FrmMain->ActionOf(a.Code)->Visible() ? 1 : 0;
    EXPECT_EQ(visibleActions, 2);
    FrmMain->Show();
    EXPECT_EQ(VisibleDesktopButtons(), 2);
    EXPECT_TRUE(FrmBtnImage->ButtonOf(201)->Visible());
    EXPECT_TRUE(FrmBtnImage->ButtonOf(301)->Visible());
}

TEST_F(Startup, ARestrictedOperatorGetsTheEstateScopeAndReloginAsAdminClearsIt) {
    Connect();
    AddOperator("李四", "", {});
    ASSERT_TRUE(
        Dm->RunSQL("update OperList set F_XQflag = 1, F_XQname = '''A'',''B''' where F_Name = '李四'"));
    Dm.reset();
    User.Form(Login("李四", {""}));
    ASSERT_TRUE(StartOrvanta());
    EXPECT_EQ(XQScopeSQL, "and ((F_XQname in ('A','B'))Or(F_XQname = '')or(F_XQname is Null)) ");
    EXPECT_EQ(XQNameScopeSQL, "and (F_name in ('A','B'))");
    User.Form(Login("admin", {""}));
    FrmMain->mnuRelogin->Click();
    EXPECT_EQ(OperName, "admin");
    EXPECT_EQ(XQScopeSQL, "");
    EXPECT_EQ(XQNameScopeSQL, "");
}

TEST_F(Startup, AnEstateScopeThatCannotBeReadRefusesTheLoginInsteadOfShowingEveryEstate) {
    Connect();
    AddOperator("李四", "", {"201"});
    ASSERT_TRUE(Dm->RunSQL("update OperList set F_XQflag = 1, F_XQname = '''A''' where F_Name = '李四'"));
    Dm->ADOcnn()->Execute("alter table OperList drop column F_XQflag");
    Dm.reset();
    User.Form([](TCustomForm* form) {
        auto* login = static_cast<TfrmOperLogin*>(form);
        login->cbbOperName->SetText("李四");
        login->btnOk->Click();
        EXPECT_EQ(login->ModalResult(), mrNone); // the dialog stays open
        login->btnCancel->Click();
        return static_cast<int>(mrNone);
    });
    User.Answer(IDOK);
    EXPECT_FALSE(StartOrvanta());
    EXPECT_EQ(MessageTexts(), std::vector<String>{MsgOperationFailed});
    EXPECT_EQ(OperName, "");
    EXPECT_EQ(XQScopeSQL, "");
    EXPECT_EQ(TIniFile(ConfigFilePath()).ReadString("Config", "CurOperName", ""), "");
}

TEST_F(Startup, AFailedReloginKeepsTheOperatorAndIsLogged) {
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
    User.Form(Login("admin", {""}));
    ASSERT_TRUE(StartOrvanta());
    User.Form(Login("admin", {"1", "2", "3", "4"})).Answer(IDOK).Answer(IDOK).Answer(IDOK).Answer(IDOK);
    FrmMain->mnuRelogin->Click();
    EXPECT_EQ(MessageTexts().back(), "更换操作员失败!");
    EXPECT_EQ(OperName, "admin");
    EXPECT_TRUE(IsAdmin);
    EXPECT_EQ(dmData->GetString("select F_EmpName & '|' & F_OperType from LogRec"), "admin|更换操作员失败！");
}

TEST_F(Startup, TheRememberedOperatorShowsSelectedSoANameTypedReplacesIt) {
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
    TIniFile(ConfigFilePath()).WriteString("Config", "CurOperName", "admin");
    String preset, typed;
    User.Form([&](TCustomForm* form) {
        auto* login = static_cast<TfrmOperLogin*>(form);
        preset = login->cbbOperName->SelText();
        SimulateTyping(login->cbbOperName, "zz");
        typed = login->cbbOperName->Text();
        login->btnCancel->Click();
        return static_cast<int>(mrNone);
    });
    EXPECT_FALSE(StartOrvanta());
    EXPECT_EQ(preset, "admin");
    EXPECT_EQ(typed, "zz");
}

TEST_F(Startup, EachStepOfTheFirstShowingFailsOnItsOwn) {
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
    TIniFile(ConfigFilePath()).WriteString("config", "ibak", "1");
    User.Form(Login("admin", {""})).Answer(IDOK);
    ASSERT_TRUE(StartOrvanta());
    // Set after the start, which installs the real backup as the hook.
    TFrmMain::DailyBackup = [] { throw EInOutError("backup folder missing"); };
    FrmMain->Show();
    TFrmMain::DailyBackup = nullptr;
    // The backup's failure is told; the desktop opened before it and the formats are read after it.
    EXPECT_EQ(MessageTexts(), std::vector<String>{MsgFileFailed + "\n\nbackup folder missing"});
    EXPECT_NE(FrmBtnImage, nullptr);
    EXPECT_EQ(FmtTotal, "￥,0.00");
    EXPECT_EQ(FmtAmount, "0.##");
}

TEST_F(Startup, TheExitQuestionAnsweredNoKeepsTheProgramRunning) {
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
    User.Form(Login("admin", {""}));
    ASSERT_TRUE(StartOrvanta());
    FrmMain->Show();
    User.Answer(IDNO);
    FrmMain->mnuExit->Click();
    ASSERT_EQ(MessageTexts().size(), 1u);
    EXPECT_EQ(MessageTexts()[0], "真的要退出“Orvanta物业管理软件 ”软件吗？");
    ASSERT_NE(FrmMain, nullptr);
    EXPECT_TRUE(FrmMain->Visible());
    EXPECT_NE(FrmBtnImage, nullptr);
}

TEST_F(Startup, TheNavigatorReopensOrRestoresTheOneDesktop) {
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
    User.Form(Login("admin", {""}));
    ASSERT_TRUE(StartOrvanta());
    FrmMain->Show();
    TFrmBtnImage* first = FrmBtnImage;
    first->SetWindowState(wsMinimized);
    FrmMain->mnuNavigator->Click();
    EXPECT_EQ(FrmBtnImage, first);
    EXPECT_EQ(first->WindowState(), wsNormal);
    FrmMain->CloseAllChildren();
    Application()->ProcessMessages(); // the closed desktop frees itself
    EXPECT_EQ(FrmBtnImage, nullptr);
    FrmMain->mnuNavigator->Click();
    ASSERT_NE(FrmBtnImage, nullptr);
    EXPECT_EQ(FrmBtnImage->PageControl1->ActivePageIndex(), 0);
}

TEST_F(Startup, TheDesktopHasItsTabsOnTheLeftAndShowsInTheWindowMenu) {
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
    User.Form(Login("admin", {""}));
    ASSERT_TRUE(StartOrvanta());
    FrmMain->Show();
    ASSERT_NE(FrmBtnImage, nullptr);
    // A fixed frame with only the system menu.
    EXPECT_EQ(ShownBorderIcons(FrmBtnImage), TBorderIcons{biSystemMenu});
    EXPECT_FALSE(ShownSizeable(FrmBtnImage));
    // Five tabs down the left edge from the top, 60 pixels long, every one within the window.
    TWnPageControl* pages = FrmBtnImage->PageControl1;
    EXPECT_EQ(pages->TabOrientation(), toLeft);
    ASSERT_EQ(pages->PageCount(), 5);
    pages->UpdateLayout();
    int lastBottom = 0;
    for (int i = 0; i < pages->PageCount(); ++i) {
        const TRect tab = pages->GetTabRect(i);
        EXPECT_LE(tab.Left, 3) << i;
        EXPECT_EQ(tab.Height(), i == pages->TabIndex() ? 64 : 60) << i;
        EXPECT_GE(tab.Top, lastBottom - 2) << i;
        EXPECT_LE(tab.Bottom, pages->Height()) << i;
        lastBottom = tab.Bottom;
    }
    // Every page's buttons lie inside the page.
    for (TButton* b : FrmBtnImage->Buttons) {
        auto* sheet = dynamic_cast<TWnTabSheet*>(b->Parent());
        ASSERT_NE(sheet, nullptr);
        pages->SetActivePage(sheet);
        EXPECT_LE(b->Left() + b->Width(), sheet->ClientWidth()) << b->Tag();
        EXPECT_LE(b->Top() + b->Height(), sheet->ClientHeight()) << b->Tag();
    }

    // The window menu lists the desktop below its own items, checked as the active child.
    EXPECT_EQ(FrmMain->WindowMenu(), FrmMain->mnuWindow);
    const std::vector<TMenuEntry> entries = SimulateMenuOpen(FrmMain->mnuWindow);
    ASSERT_EQ(entries.size(), 9u);
    EXPECT_TRUE(entries[3].Separator);
    EXPECT_EQ(entries[6].Caption, "全部关闭");
    EXPECT_TRUE(entries[7].Separator);
    EXPECT_EQ(entries[8].Caption, "&1 桌面");
    EXPECT_TRUE(entries[8].Checked);
    // Closed, the desktop leaves the list.
    FrmMain->CloseAllChildren();
    Application()->ProcessMessages();
    EXPECT_EQ(SimulateMenuOpen(FrmMain->mnuWindow).size(), 7u);
}

TEST_F(Startup, ARegisteredWindowEnablesItsActionAndOpensFromIt) {
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
    User.Form(Login("admin", {""}));
    ASSERT_TRUE(StartOrvanta());
    int opened = 0;
    RegisterActionWindow(209, [&](TFrmMain* main) {
        EXPECT_EQ(main, FrmMain);
        ++opened;
    });
    EXPECT_TRUE(FrmMain->ActionOf(209)->Enabled());
    FrmMain->mnuTop[tmBasic]->Find("选项...")->Click();
    EXPECT_EQ(opened, 1);
    RegisterActionWindow(209, nullptr);
    EXPECT_FALSE(FrmMain->ActionOf(209)->Enabled());
}

TEST(EnableNavButtons, SwitchesTheButtonsUpToTheFirstOneMissing) {
    TForm form(nullptr);
    std::vector<TButton*> buttons;
    for (const char* name : {"tbFirst", "tbPrior", "tbNext", "tbLast", "tbPrint", "tbExpert"}) {
        TButton* b = new TButton(&form);
        b->SetName(name);
        buttons.push_back(b);
    }
    EnableNavButtons(&form, false);
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(buttons[i]->Enabled()) << i;
    EXPECT_TRUE(buttons[5]->Enabled()); // after the missing tbSet: untouched
    EnableNavButtons(&form, true);
    for (TButton* b : buttons)
        EXPECT_TRUE(b->Enabled());
}

} // namespace
