#include "FeesWalkFixture.h"

#include "app/RegisterSeed.h"

#include "app/fees/FeeWindows.h"
#include "app/registers/RegisterWindows.h"

#include "app/core/AppStart.h"
#include "app/core/DefaultDatabase.h"

#include "db/ADODB.h"
#include "gui/ControlShot.h"
#include "gui/Screenshot.h"
#include "rtl/FileUtils.h"

#include <filesystem>

bool WalkManaged(TCustomForm* form) {
    return WaitFor([form] {
        return XProp(WindowSystemId(form), "_NET_WM_ALLOWED_ACTIONS").find("ACTION_MOVE") != String::npos;
    });
}

void WalkShot(const String& name) {
    Settle(200);
    SaveScreenAsPng(ScreenshotFolder() + name + ".png");
}

void FeesWalk::SetUp() {
    if (!XServerRunning()) GTEST_SKIP() << XServerProblem();
    Startup::SetUp();
}

void FeesWalk::StartSeeded() {
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
    // The program's layouts beside it, as the build puts them.
    ForceDirectories(Prog() + "Qr");
    for (const auto& entry : std::filesystem::directory_iterator(String(ORV_SOURCE_DIR) + "/app/Qr"))
        if (entry.path().extension() == ".di3")
            std::filesystem::copy_file(entry.path(), std::filesystem::path(Prog() + "Qr") / entry.path().filename());
    RegisterRegisterWindows();
    RegisterFeeWindows();
    User.Form(Login("admin", {""}));
    ASSERT_TRUE(StartOrvanta());
    FrmMain->Show();
    ASSERT_TRUE(WalkManaged(FrmMain));
    seed::SeedRegisters(dmData->ADOcnn());
}
