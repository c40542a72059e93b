// The program's start as the user waits for it, each start in a fresh process (forked before the
// toolkit starts, so its own start-up counts): from the start to the login window on the screen,
// against the toolkit's bare dialog started the same way in the same run; and the peak memory of
// the process once the main window shows with its desktop.
//
// Runs offscreen unless a display or a platform is named (QT_QPA_PLATFORM=xcb on a display shows
// the real windows).
#include "app/core/AppStart.h"
#include "app/core/DefaultDatabase.h"
#include "app/core/uFrmMain.h"
#include "app/core/uFrmOperLogin.h"

#include "gui/Interaction.h"
#include "gui/StdCtrls.h"
#include "rtl/FileUtils.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using TClock = std::chrono::steady_clock;

// A program folder with the default database, made once for the run.
const String& ProgramFolderForRun() {
    static const String folder = [] {
        char pattern[] = "/tmp/orv_bench_start_XXXXXX";
        const String made = IncludeTrailingPathDelimiter(mkdtemp(pattern));
        CreateDefaultDatabase(made + "data/");
        std::atexit([] { std::filesystem::remove_all(ProgramFolderForRun()); });
        return made;
    }();
    return folder;
}

// What a child process reports: the number is written to the parent and the child ends there.
using TReport = std::function<void(double value)>;

// Runs part in a child process and returns the number it reports (-1 when it reported none).
double InChild(const std::function<void(TClock::time_point start, const TReport& report)>& part) {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    const TClock::time_point start = TClock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const TReport report = [&fds](double value) {
            (void)!write(fds[1], &value, sizeof value);
            _exit(0); // nothing to tidy: the process ends
        };
        part(start, report);
        report(-1);
    }
    close(fds[1]);
    double value = -1;
    if (read(fds[0], &value, sizeof value) != sizeof value) value = -1;
    close(fds[0]);
    waitpid(pid, nullptr, 0);
    return value;
}

double MillisecondsSince(TClock::time_point start) {
    return std::chrono::duration<double, std::milli>(TClock::now() - start).count();
}

// Plays the user who sees the first modal window: once it is painted, the time since the start
// is reported (and the child ends).
void ReportFirstWindow(TScriptedResponder& user, TClock::time_point start, const TReport& report) {
    user.Form([start, report](TCustomForm*) {
        Application()->ProcessMessages();
        report(MillisecondsSince(start));
        return static_cast<int>(mrCancel);
    });
}

// From the start to the login window on the screen.
void StartToLoginWindow(TClock::time_point start, const TReport& report) {
    SetProgramFolder(ProgramFolderForRun());
    setenv("ORVANTA_CONFIG_HOME", (ProgramFolderForRun() + "home").c_str(), 1);
    TScriptedResponder user;
    TInteractionScope scope(user);
    ReportFirstWindow(user, start, report);
    StartOrvanta();
}

// From the start to the toolkit's bare dialog on the screen: a form with a caption and a button.
void StartToBareDialog(TClock::time_point start, const TReport& report) {
    TScriptedResponder user;
    TInteractionScope scope(user);
    ReportFirstWindow(user, start, report);
    TForm dialog(nullptr);
    dialog.SetCaption("登录窗口");
    dialog.SetBorderStyle(bsDialog);
    dialog.SetPosition(poScreenCenter);
    TButton* ok = new TButton(&dialog);
    ok->SetParent(&dialog);
    ok->SetCaption("确定");
    dialog.ShowModal();
}

// The process's peak resident memory in megabytes once the main window shows.
void PeakMemoryAtMainWindow(TClock::time_point, const TReport& report) {
    SetProgramFolder(ProgramFolderForRun());
    setenv("ORVANTA_CONFIG_HOME", (ProgramFolderForRun() + "home").c_str(), 1);
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Form([](TCustomForm* form) {
        auto* login = static_cast<TfrmOperLogin*>(form);
        login->cbbOperName->SetText("admin");
        login->btnOk->Click();
        return static_cast<int>(mrNone);
    });
    if (!StartOrvanta()) return;
    FrmMain->Show();
    Application()->ProcessMessages();
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) report(std::stod(line.substr(6)) / 1024.0);
}

void BM_StartToLoginWindowAgainstBareDialog(benchmark::State& state) {
    ProgramFolderForRun();
    double login = 0, bare = 0;
    for (auto _ : state) {
        const double l = InChild(StartToLoginWindow);
        const double b = InChild(StartToBareDialog);
        if (l < 0 || b < 0) {
            state.SkipWithError("a start did not reach its window");
            break;
        }
        state.SetIterationTime(l / 1000.0);
        login += l;
        bare += b;
    }
    const double n = static_cast<double>(state.iterations());
    if (n > 0 && bare > 0) {
        state.counters["login_ms"] = login / n;
        state.counters["bare_dialog_ms"] = bare / n;
        state.counters["ratio"] = login / bare;
    }
}
BENCHMARK(BM_StartToLoginWindowAgainstBareDialog)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

void BM_PeakMemoryAtMainWindow(benchmark::State& state) {
    ProgramFolderForRun();
    double peak = 0;
    for (auto _ : state) {
        const double mb = InChild(PeakMemoryAtMainWindow);
        if (mb < 0) {
            state.SkipWithError("the main window did not show");
            break;
        }
        peak = std::max(peak, mb);
    }
    state.counters["peak_MB"] = peak;
}
BENCHMARK(BM_PeakMemoryAtMainWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
