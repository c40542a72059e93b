// Start-up of the program up to the login dialog: data module and connection, main window with
// its menus, actions and status bar, and the login dialog filled from OperList. The login is
// answered at once (admin, empty password) by the Interaction responder.
#include "app/core/AppStart.h"
#include "app/core/DataDm.h"
#include "app/core/DefaultDatabase.h"
#include "app/core/uFrmMain.h"
#include "app/core/uFrmOperLogin.h"

#include "gui/Interaction.h"
#include "gui/StdCtrls.h"
#include "rtl/FileUtils.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

void BM_StartupToLogin(benchmark::State& state) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    char pattern[] = "/tmp/orv_bench_app_XXXXXX";
    const String folder = IncludeTrailingPathDelimiter(mkdtemp(pattern));
    SetProgramFolder(folder);
    CreateDefaultDatabase(folder + "data/");
    TScriptedResponder user;
    TInteractionScope scope(user);
    for (auto _ : state) {
        user.Form([](TCustomForm* form) {
            auto* login = static_cast<TfrmOperLogin*>(form);
            login->cbbOperName->SetText("admin");
            login->btnOk->Click();
            return static_cast<int>(mrNone);
        });
        if (!StartOrvanta()) state.SkipWithError("start-up failed");
        state.PauseTiming();
        delete FrmMain;
        state.ResumeTiming();
    }
    delete dmData;
    SetProgramFolder("");
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_StartupToLogin)->Unit(benchmark::kMillisecond);

} // namespace
