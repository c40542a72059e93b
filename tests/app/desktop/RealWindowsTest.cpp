// The program's windows on a real display with a window manager (Xvfb and openbox, started by
// the test): frames inside the screen, the main window maximised by the window manager with its
// status bar in view, the login dialog without minimise and maximise, dialogs transient for
// their owner, titles exactly as given, and the toolkit's own boxes and file dialog in Chinese.
// Screenshots are kept in ScreenshotFolder() to be looked at.
#include "XServer.h"
#include "app/core/StartupFixture.h"

#include "app/core/AppStart.h"
#include "app/core/ShellRun.h"
#include "app/core/uFrmAboutInfo.h"

#include "gui/ComCtrls.h"
#include "gui/ControlShot.h"
#include "gui/DialogWatch.h"
#include "gui/Screenshot.h"
#include "rtl/StrUtils.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>
#include <utime.h>

namespace {

// Waits until the window manager manages the form's window (it lists what the user may do).
bool Managed(TCustomForm* form) {
    return WaitFor([form] {
        return XProp(WindowSystemId(form), "_NET_WM_ALLOWED_ACTIONS").find("ACTION_MOVE") != String::npos;
    });
}

String HexId(const String& id) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx", std::stoull(id));
    return text;
}

String HexId(TCustomForm* form) {
    return HexId(WindowSystemId(form));
}

// What the window asks of the window manager (the toolkit's motif hints: the functions and the
// frame's parts it names) holds neither minimise nor maximise, and the window manager does not
// offer to maximise it. (Some window managers, openbox among them, still draw every button of
// their theme; minimising a modal form there is undone by the program.)
testing::AssertionResult NoMinimiseOrMaximise(const String& id) {
    const String hints = XProp(id, "_MOTIF_WM_HINTS");
    unsigned flags = 0, functions = 0, decorations = 0;
    const size_t at = hints.find('=');
    if (at == String::npos ||
        std::sscanf(hints.c_str() + at + 1, " %x, %x, %x", &flags, &functions, &decorations) != 3)
        return testing::AssertionFailure() << hints;
    const unsigned functionsGiven = 0x1, decorationsGiven = 0x2, all = 0x1;
    const unsigned minimiseFunction = 0x8, maximiseFunction = 0x10, minimiseButton = 0x20,
                   maximiseButton = 0x40;
    if (!(flags & (functionsGiven | decorationsGiven))) return testing::AssertionFailure() << hints;
    if ((flags & functionsGiven) && (functions & (all | minimiseFunction | maximiseFunction)))
        return testing::AssertionFailure() << hints;
    if ((flags & decorationsGiven) && (decorations & (all | minimiseButton | maximiseButton)))
        return testing::AssertionFailure() << hints;
    const String actions = XProp(id, "_NET_WM_ALLOWED_ACTIONS");
    if (actions.find("_NET_WM_ACTION_MAXIMIZE") != String::npos)
        return testing::AssertionFailure() << actions;
    return testing::AssertionSuccess();
}

// A dialog of its owner as the window manager is told: the dialog window type first, transient
// for the owner's window, and neither minimise nor maximise asked for.
testing::AssertionResult DialogOf(const String& id, const String& ownerHexId) {
    const String type = XProp(id, "_NET_WM_WINDOW_TYPE");
    if (type.find("= _NET_WM_WINDOW_TYPE_DIALOG") == String::npos) return testing::AssertionFailure() << type;
    const String owner = XProp(id, "WM_TRANSIENT_FOR");
    if (owner != "WM_TRANSIENT_FOR(WINDOW): window id # " + ownerHexId + "\n")
        return testing::AssertionFailure() << owner << " instead of " << ownerHexId;
    return NoMinimiseOrMaximise(id);
}

bool Inside(const TRect& inner, const TRect& outer) {
    return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
           inner.Bottom <= outer.Bottom;
}

class RealWindows : public Startup {
protected:
    void SetUp() override {
        if (!XServerRunning()) GTEST_SKIP() << XServerProblem();
        Startup::SetUp();
    }

    // Logs in as admin, after checking the login dialog as the window manager shows it.
    void StartAndLogin() {
        ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
        User.Form([](TCustomForm* form) {
            auto* login = dynamic_cast<TfrmOperLogin*>(form);
            EXPECT_NE(login, nullptr);
            if (!login) return static_cast<int>(mrCancel);
            EXPECT_TRUE(Managed(login));
            Settle();
            SaveScreenAsPng(ScreenshotFolder() + "login.png");
            const String id = WindowSystemId(login);
            // Before the main window shows, the login belongs to the program's window group.
            const String leader = XProp(id, "WM_CLIENT_LEADER");
            const size_t at = leader.find("0x");
            EXPECT_TRUE(DialogOf(id, at == String::npos ? leader : Trim(leader.substr(at))));
            EXPECT_EQ(XProp(id, "_NET_WM_NAME"), "_NET_WM_NAME(UTF8_STRING) = \"登录窗口\"\n");
            EXPECT_TRUE(Inside(ShownFrameRect(login), Screen()->WorkAreaRect()));
            // Centred on the screen, frame and all.
            const TRect frame = ShownFrameRect(login);
            EXPECT_LE(std::abs(frame.Left + frame.Right - 1366), 2);
            EXPECT_LE(std::abs(frame.Top + frame.Bottom - 768), 2);
            // Minimised (as a window manager may offer on any frame), it comes back at once.
            login->SetWindowState(wsMinimized);
            EXPECT_TRUE(WaitFor([&] {
                return XProp(id, "WM_STATE").find("window state: Normal") != String::npos &&
                       XProp(id, "_NET_WM_STATE").find("HIDDEN") == String::npos;
            }));
            EXPECT_EQ(login->WindowState(), wsNormal);
            login->cbbOperName->SetText("admin");
            login->btnOk->Click();
            return static_cast<int>(mrNone);
        });
        ASSERT_TRUE(StartOrvanta());
        FrmMain->Show(); // as the message loop shows it
        ASSERT_TRUE(Managed(FrmMain));
        ASSERT_TRUE(WaitFor([] {
            return XProp(WindowSystemId(FrmMain), "_NET_WM_STATE").find("MAXIMIZED_VERT") != String::npos;
        }));
        Settle(300);
    }
};

TEST_F(RealWindows, TheMainWindowIsMaximisedWithItsStatusBarOnTheScreen) {
    StartAndLogin();
    const TRect screen = Screen()->WorkAreaRect();
    EXPECT_EQ(screen, Rect(0, 0, 1366, 768));
    const TRect frame = ShownFrameRect(FrmMain);
    EXPECT_TRUE(Inside(frame, screen))
        << frame.Left << "," << frame.Top << "," << frame.Right << "," << frame.Bottom;
    EXPECT_GT(frame.Width() * frame.Height(), 1300 * 700);
    EXPECT_EQ(FrmMain->WindowState(), wsMaximized);
    TStatusBar* bar = FrmMain->StatusBar1;
    const TPoint bottom = bar->ClientToScreen(Point(bar->Width(), bar->Height()));
    EXPECT_LE(bottom.Y, 768);
    EXPECT_LE(bottom.X, 1366);
    EXPECT_EQ(XProp(WindowSystemId(FrmMain), "_NET_WM_NAME"),
              "_NET_WM_NAME(UTF8_STRING) = \"" + ProductName + ProductVersion + "\"\n");
    // One action whose window is there shows its picture in colour.
    RegisterActionWindow(301, [](TFrmMain*) {});
    Settle();
    EXPECT_TRUE(FrmBtnImage->ButtonOf(301)->Enabled());
    SaveScreenAsPng(ScreenshotFolder() + "main.png");
    RegisterActionWindow(301, nullptr);
}

TEST_F(RealWindows, ADialogIsTransientForItsOwnerWithoutMinimiseOrMaximise) {
    StartAndLogin();
    User.Form([](TCustomForm* about) {
        EXPECT_TRUE(Managed(about));
        Settle();
        SaveScreenAsPng(ScreenshotFolder() + "about.png");
        const String id = WindowSystemId(about);
        EXPECT_TRUE(DialogOf(id, HexId(FrmMain)));
        EXPECT_EQ(XProp(id, "_NET_WM_NAME"), "_NET_WM_NAME(UTF8_STRING) = \"关于我们\"\n");
        EXPECT_TRUE(Inside(ShownFrameRect(about), ShownFrameRect(FrmMain)));
        return static_cast<int>(mrOk);
    });
    ShowAboutBox(FrmMain);
    EXPECT_EQ(User.Pending(), 0);
}

TEST_F(RealWindows, MessageBoxesAreDialogsOfTheWindowInFront) {
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
    bool toldOverLogin = false;
    User.Form([&](TCustomForm* form) {
        auto* login = dynamic_cast<TfrmOperLogin*>(form);
        EXPECT_NE(login, nullptr);
        if (!login) return static_cast<int>(mrCancel);
        EXPECT_TRUE(Managed(login));
        const String loginId = WindowSystemId(login);
        // A wrong password, told in the toolkit's real box over the login.
        TInteractionResponder* responder = Interaction::SetResponder(nullptr);
        WatchToolkitDialog(
            [&](const TToolkitDialog& shown) {
                toldOverLogin = true;
                SaveScreenAsPng(ScreenshotFolder() + "wrong_password.png");
                EXPECT_EQ(shown.Text, "用户名或密码不正确，请重新输入！");
                EXPECT_TRUE(DialogOf(shown.WindowId, HexId(loginId)));
                return true;
            },
            "确定");
        login->cbbOperName->SetText("admin");
        login->edtPassWord->SetText("wrong");
        login->btnOk->Click();
        Interaction::SetResponder(responder);
        login->edtPassWord->SetText("");
        login->btnOk->Click();
        return static_cast<int>(mrNone);
    });
    ASSERT_TRUE(StartOrvanta());
    EXPECT_TRUE(toldOverLogin);
    FrmMain->Show();
    ASSERT_TRUE(Managed(FrmMain));
    TInteractionResponder* responder = Interaction::SetResponder(nullptr);
    bool toldOverMain = false;
    WatchToolkitDialog(
        [&](const TToolkitDialog& shown) {
            toldOverMain = true;
            SaveScreenAsPng(ScreenshotFolder() + "message_over_main.png");
            EXPECT_TRUE(DialogOf(shown.WindowId, HexId(FrmMain)));
            return true;
        },
        "确定");
    ShowMess(CannotOpenMessage(MakerWebAddress), 2);
    Interaction::SetResponder(responder);
    EXPECT_TRUE(toldOverMain);
}

TEST_F(RealWindows, AFormPlacedPartlyOffTheScreenIsMovedAndShrunkInside) {
    struct {
        int Left, Top, Width, Height;
    } cases[] = {{1200, 700, 400, 300}, {-50, -40, 300, 200}, {0, 0, 2000, 1000}};
    for (const auto& c : cases) {
        TForm form(nullptr);
        form.SetCaption("窗体");
        form.SetBounds(c.Left, c.Top, c.Width, c.Height);
        form.Show();
        ASSERT_TRUE(Managed(&form));
        EXPECT_TRUE(WaitFor([&form] { return Inside(ShownFrameRect(&form), Screen()->WorkAreaRect()); }))
            << c.Left << "," << c.Top << " " << c.Width << "x" << c.Height;
        // The form's bounds follow its window.
        const TRect frame = ShownFrameRect(&form);
        EXPECT_EQ(form.Left(), frame.Left);
        EXPECT_EQ(form.Top(), frame.Top);
        form.Hide();
    }
}

TEST_F(RealWindows, MessageBoxesHaveChineseButtons) {
    TInteractionResponder* responder = Interaction::SetResponder(nullptr); // the real boxes
    TToolkitDialog question, information;
    WatchToolkitDialog(
        [&](const TToolkitDialog& shown) {
            question = shown;
            SaveScreenAsPng(ScreenshotFolder() + "question.png");
            return true;
        },
        "否");
    EXPECT_EQ(ShowMess(ExitQuestion(), 1), 2);
    WatchToolkitDialog(
        [&](const TToolkitDialog& shown) {
            information = shown;
            SaveScreenAsPng(ScreenshotFolder() + "information.png");
            return true;
        },
        "确定");
    ShowMess("用户名或密码不正确，请重新输入！", 0);
    Interaction::SetResponder(responder);
    EXPECT_EQ(question.Title, "系统提示");
    EXPECT_EQ(question.Text, ExitQuestion());
    EXPECT_EQ(question.Buttons, (std::vector<String>{"是(Y)", "否(N)"}));
    EXPECT_EQ(information.Buttons, std::vector<String>{"确定"});
}

TEST_F(RealWindows, TheRecoveryUsesTheToolkitsFileDialogInChinese) {
    // A file of the program's folder with a size and a date that a narrow column would cut, and a
    // home folder with a long name in the side panel.
    const String old = Prog() + "old.mdb";
    TempDir::WriteAll(old, std::string(256 * 1024, 'x'));
    std::tm day{};
    day.tm_year = 124;
    day.tm_mon = 11;
    day.tm_mday = 11;
    day.tm_hour = 8;
    day.tm_min = 30;
    day.tm_isdst = -1;
    const std::time_t changed = std::mktime(&day);
    const utimbuf times{changed, changed};
    ASSERT_EQ(utime(old.c_str(), &times), 0);
    const String home = Prog() + "orvtest_home_of_the_office";
    ASSERT_TRUE(ForceDirectories(home));
    const String previousHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", home.c_str(), 1);

    TInteractionResponder* responder = Interaction::SetResponder(nullptr);
    TToolkitDialog shown;
    WatchToolkitDialog(
        [&](const TToolkitDialog& dialog) {
            shown = dialog;
            SaveScreenAsPng(ScreenshotFolder() + "recovery.png");
            return true;
        },
        "取消");
    EXPECT_FALSE(StartOrvanta()); // no database: the recovery dialog, cancelled
    Interaction::SetResponder(responder);
    setenv("HOME", previousHome.c_str(), 1);
    EXPECT_EQ(shown.Title, "连接网络数据库");
    bool open = false, cancel = false;
    for (const String& b : shown.Buttons) {
        open = open || b.rfind("打开", 0) == 0;
        cancel = cancel || b == "取消";
    }
    EXPECT_TRUE(open && cancel) << shown.Buttons.size();
    // Every entry of the side panel and every cell of the file list shows whole; dates in the
    // program's format.
    bool homeShown = false, fileShown = false;
    for (const String& row : shown.Rows) {
        EXPECT_EQ(row.find("…"), String::npos) << row;
        homeShown = homeShown || row == "orvtest_home_of_the_office";
        fileShown =
            fileShown || (row.rfind("old.mdb\t", 0) == 0 && row.find("\t2024-12-11 08:30") != String::npos);
    }
    EXPECT_TRUE(homeShown);
    EXPECT_TRUE(fileShown);
}

} // namespace
