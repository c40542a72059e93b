#include "app/core/AppStart.h"

#include "app/core/AppErrors.h"
#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"
#include "app/core/uFrmMain.h"
#include "app/core/uFrmOperLogin.h"
#include "app/core/uFrmSplash.h"
#include "app/core/uFrmSysInfoGl.h"

#include "controls/KxGIF.h"
#include "gui/Dialogs.h"
#include "gui/Display.h"
#include "report/vrpngimage.h"
#include "script/vs_iinterpreter_sys.h"
#include "rtl/FileUtils.h"

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
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    splash->SetStatus("连接成功，正在登录 .....");
    splash.reset();

    return ShowLogin(0);
}

int RunOrvanta() {
    // Without a display the windows would show nowhere and the login would wait for ever.
    if (!DisplayAvailable()) {
        std::fprintf(stderr, "%s\n", NoDisplayMessage.c_str());
        return 1;
    }
    if (!StartOrvanta()) return 0;
    Application()->Run();
    return 0;
}
