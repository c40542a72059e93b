#include "app/core/AppStart.h"

#include "app/core/AppErrors.h"
#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"
#include "app/core/uFrmMain.h"
#include "app/core/uFrmOperLogin.h"
#include "app/core/uFrmDataBack.h"
#include "app/core/uFrmSplash.h"
#include "app/core/uFrmSysInfoGl.h"

#include "controls/KxGIF.h"
#include "gui/Dialogs.h"
#include "gui/Display.h"
#include "report/vrpngimage.h"
#include "rtl/FileUtils.h"
#include "script/vs_iinterpreter_sys.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

namespace {

std::unique_ptr<TfrmSplash> NewSplash() {
    auto splash = std::make_unique<TfrmSplash>(nullptr);
    splash->Show();
    splash->Repaint();
    Application()->ProcessMessages();
    return splash;
}

} // namespace

bool StartOrvanta() {
    InstallMessageBoxes();
    // Errors no window caught reach the user in the program's own words.
    Application()->OnException = [](TObject*, const std::exception& error) { ShowAppException(error); };
    // GIF and PNG pictures load like any other picture, by extension and by signature.
    RegisterGIFImage();
    RegisterPNGObject();
    // A script's ShowMessage shows the platform's message box.
    vsShowMessageProc() = [](const String& text) { ShowMessage(text); };
    // The windows of the application core that actions open.
    RegisterSysInfoWindow();
    RegisterDataBackWindow();
    std::unique_ptr<TfrmSplash> splash = NewSplash();
    Application()->SetTitle(ApplicationTitle);

    // The data module lives as long as the application; a former one (a second start in the
    // same process) goes first.
    delete dmData;
    dmData = new TdmData(Application());
    dmData->Status = [&splash](const String& text) {
        if (splash) splash->SetStatus(text);
    };
    dmData->AskDatabaseFile = [&splash]() -> String {
        splash.reset();
        TOpenDialog dialog(nullptr);
        dialog.SetTitle("连接网络数据库");
        dialog.SetFilter("Access数据库|*.MDB");
        dialog.SetInitialDir(ProgramFolder());
        if (!dialog.Execute()) return String();
        splash = NewSplash();
        return dialog.FileName();
    };
    const bool connected = dmData->DataModuleCreate();
    dmData->Status = nullptr;
    dmData->AskDatabaseFile = nullptr;
    if (!connected) {
        Application()->Terminate();
        return false;
    }

    splash->SetStatus("连接成功，正在登录 .....");
    delete FrmMain;
    TFrmMain* main = new TFrmMain(Application());
    Application()->SetMainForm(main);
    splash->SetStatus("连接成功，正在登录 ...");
    // The line shows for 20 milliseconds; the login dialog is made ready meanwhile, so the wait
    // costs the start nothing where the dialog takes as long.
    const auto lineShown = std::chrono::steady_clock::now();
    std::unique_ptr<TfrmOperLogin> login = PrepareLoginDialog(0);
    std::this_thread::sleep_until(lineShown + std::chrono::milliseconds(20));
    splash->SetStatus("连接成功，正在登录 .....");
    splash.reset();

    return RunLogin(std::move(login));
}

int RunOrvanta() {
    // Without a display the windows would show nowhere and the login would wait for ever; a
    // display that does not answer would end the toolkit's start in an abort.
    const String problem = DisplayProblem();
    if (!problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return 1;
    }
    if (!StartOrvanta()) return 0;
    Application()->Run();
    return 0;
}
