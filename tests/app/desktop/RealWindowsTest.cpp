// The program's windows on a real display with a window manager (Xvfb and openbox, started by
// the test): frames inside the screen, the main window maximised by the window manager with its
// status bar in view, the login dialog without minimise and maximise, dialogs transient for
// their owner, titles exactly as given, and the toolkit's own boxes and file dialog in Chinese.
// Screenshots are kept in ScreenshotFolder() to be looked at.
#include "XServer.h"
#include "app/core/StartupFixture.h"

#include "app/core/AppStart.h"
#include "app/core/uFrmAboutInfo.h"

#include "gui/ComCtrls.h"
#include "gui/ControlShot.h"
#include "gui/DialogWatch.h"
#include "gui/Screenshot.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

// Waits until the window manager manages the form's window (it lists what the user may do).
bool Managed(TCustomForm* form) {
    return WaitFor([form] {
        return XProp(WindowSystemId(form), "_NET_WM_ALLOWED_ACTIONS").find("ACTION_MOVE") != String::npos;
    });
}

String HexId(TCustomForm* form) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx", std::stoull(WindowSystemId(form)));
    return text;
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
            EXPECT_TRUE(NoMinimiseOrMaximise(id));
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
        EXPECT_EQ(XProp(id, "WM_TRANSIENT_FOR"),
                  "WM_TRANSIENT_FOR(WINDOW): window id # " + HexId(FrmMain) + "\n");
        EXPECT_TRUE(NoMinimiseOrMaximise(id));
        EXPECT_EQ(XProp(id, "_NET_WM_NAME"), "_NET_WM_NAME(UTF8_STRING) = \"关于我们\"\n");
        EXPECT_TRUE(Inside(ShownFrameRect(about), ShownFrameRect(FrmMain)));
        return static_cast<int>(mrOk);
    });
    ShowAboutBox(FrmMain);
    EXPECT_EQ(User.Pending(), 0);
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
    EXPECT_EQ(shown.Title, "连接网络数据库");
    bool open = false, cancel = false;
    for (const String& b : shown.Buttons) {
        open = open || b.rfind("打开", 0) == 0;
        cancel = cancel || b == "取消";
    }
    EXPECT_TRUE(open && cancel) << shown.Buttons.size();
}

} // namespace
