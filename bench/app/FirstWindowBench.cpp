// The program's start as a user meets it, against the yardstick of a plain dialog of the toolkit
// (bench_plain_dialog: three line edits and two buttons). Both are started as programs of their
// own on a virtual display of the benchmark's own (Xvfb, no window manager, so nothing but the
// programs themselves decides when a window shows), interleaved in one run:
// - from the start of the process to its window mapped: the program's login, the plain dialog;
// - the resident memory once the window is painted: the program at its main window after the
//   login (Enter twice: the remembered operator admin and the empty password), the plain dialog
//   shown.
// The program runs from a folder of its own beside the built one (its config.ini and data/ are
// found beside it), so the built program's folder is left as it is. ORV_BENCH_PROGRAM names
// another build of the program to measure in its place.
// Built where the X client library and the program are (ORV_PLAIN_DIALOG names the yardstick).
#ifdef ORV_PLAIN_DIALOG

#include "app/core/DefaultDatabase.h"
#include "app/core/PubUnit.h"

#include "rtl/FileUtils.h"

#include <benchmark/benchmark.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using TClock = std::chrono::steady_clock;

double MillisecondsSince(TClock::time_point start) {
    return std::chrono::duration<double, std::milli>(TClock::now() - start).count();
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Xvfb on a free display, with a connection that hears every top-level window being mapped.
class TVirtualDisplay {
public:
    TVirtualDisplay() {
        int ready[2];
        if (pipe(ready) != 0) return;
        FServer = fork();
        if (FServer == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            close(ready[0]);
            const std::string fd = std::to_string(ready[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1366x768x24", "-nolisten",
                   "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(ready[1]);
        std::string number;
        pollfd p{ready[0], POLLIN, 0};
        char c;
        while (poll(&p, 1, 10000) > 0 && read(ready[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(ready[0]);
        if (number.empty()) return;
        FName = ":" + number;
        FConnection = xcb_connect(FName.c_str(), nullptr);
        if (xcb_connection_has_error(FConnection)) return;
        FRoot = xcb_setup_roots_iterator(xcb_get_setup(FConnection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(FConnection, FRoot, XCB_CW_EVENT_MASK, &mask);
        FTitleAtom = Atom("_NET_WM_NAME");
        FReturnKey = KeycodeOf(0xff0d);
        xcb_flush(FConnection);
    }
    ~TVirtualDisplay() {
        if (FConnection) xcb_disconnect(FConnection);
        if (FServer > 0) {
            kill(FServer, SIGTERM);
            waitpid(FServer, nullptr, 0);
        }
    }
    bool Running() const { return FConnection && !xcb_connection_has_error(FConnection) && FReturnKey; }
    const std::string& Name() const { return FName; }

    // Waits for a top-level window to be mapped whose title begins with the text; its id, or 0
    // after ten seconds.
    xcb_window_t WaitForWindow(const std::string& title) {
        const auto end = TClock::now() + std::chrono::seconds(10);
        while (TClock::now() < end) {
            xcb_generic_event_t* event = xcb_poll_for_event(FConnection);
            if (!event) {
                pollfd p{xcb_get_file_descriptor(FConnection), POLLIN, 0};
                poll(&p, 1, 10);
                continue;
            }
            xcb_window_t mapped = 0;
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY)
                mapped = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
            std::free(event);
            if (mapped && Title(mapped).rfind(title, 0) == 0) return mapped;
        }
        return 0;
    }

    // Enter pressed and released in the window.
    void PressEnter(xcb_window_t window) {
        for (const bool press : {true, false}) {
            xcb_key_press_event_t key{};
            key.response_type = press ? XCB_KEY_PRESS : XCB_KEY_RELEASE;
            key.detail = FReturnKey;
            key.root = FRoot;
            key.event = window;
            key.same_screen = 1;
            xcb_send_event(FConnection, 1, window,
                           press ? XCB_EVENT_MASK_KEY_PRESS : XCB_EVENT_MASK_KEY_RELEASE,
                           reinterpret_cast<const char*>(&key));
        }
        xcb_flush(FConnection);
    }

private:
    xcb_atom_t Atom(const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            FConnection, xcb_intern_atom(FConnection, 0, static_cast<uint16_t>(std::strlen(name)), name),
            nullptr);
        const xcb_atom_t atom = reply ? reply->atom : 0;
        std::free(reply);
        return atom;
    }
    std::string Title(xcb_window_t window) {
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            FConnection,
            xcb_get_property(FConnection, 0, window, FTitleAtom, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), nullptr);
        std::string title;
        if (reply) {
            title.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                         static_cast<size_t>(xcb_get_property_value_length(reply)));
            std::free(reply);
        }
        return title;
    }
    xcb_keycode_t KeycodeOf(xcb_keysym_t keysym) {
        const xcb_setup_t* setup = xcb_get_setup(FConnection);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
            FConnection,
            xcb_get_keyboard_mapping(FConnection, setup->min_keycode, static_cast<uint8_t>(count)), nullptr);
        xcb_keycode_t found = 0;
        if (reply) {
            const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(reply);
            for (int i = 0; i < count * reply->keysyms_per_keycode && !found; ++i)
                if (keysyms[i] == keysym)
                    found = static_cast<xcb_keycode_t>(setup->min_keycode + i / reply->keysyms_per_keycode);
            std::free(reply);
        }
        return found;
    }

    pid_t FServer = 0;
    std::string FName;
    xcb_connection_t* FConnection = nullptr;
    xcb_window_t FRoot = 0;
    xcb_atom_t FTitleAtom = 0;
    xcb_keycode_t FReturnKey = 0;
};

TVirtualDisplay& Display() {
    static TVirtualDisplay display;
    return display;
}

// A folder of the program's own beside the built program: the program (a hard link when the file
// system allows, else a copy), the default database in data/, and config.ini remembering admin.
const String& ProgramFolderForRun() {
    static const String folder = [] {
        // ORV_BENCH_PROGRAM names another build of the program to measure (an earlier one, to
        // compare), else the one built beside the benchmark.
        const char* other = std::getenv("ORV_BENCH_PROGRAM");
        const std::filesystem::path built(other && *other ? other : ORV_PROGRAM);
        String pattern = (built.parent_path() / "bench_start_XXXXXX").string();
        const String made = IncludeTrailingPathDelimiter(mkdtemp(pattern.data()));
        std::error_code error;
        std::filesystem::create_hard_link(built, made + "orvanta", error);
        if (error) std::filesystem::copy_file(built, made + "orvanta", error);
        CreateDefaultDatabase(made + "data/");
        std::ofstream(made + "config.ini") << "[Config]\nCurOperName=admin\n";
        std::atexit([] { std::filesystem::remove_all(ProgramFolderForRun()); });
        return made;
    }();
    return folder;
}

// A program started on the virtual display: its process, the window awaited and the time it took
// to map (-1 when it did not).
struct TStarted {
    pid_t Pid = -1;
    xcb_window_t Window = 0;
    double Milliseconds = -1;
};

TStarted Start(const String& program, const std::string& title) {
    // The environment of the benchmark, with the display, the toolkit's platform and the user's
    // settings folder of the run.
    std::vector<std::string> variables;
    for (char** v = environ; *v; ++v) {
        const std::string variable = *v;
        if (variable.rfind("DISPLAY=", 0) != 0 && variable.rfind("QT_QPA_PLATFORM=", 0) != 0 &&
            variable.rfind("ORVANTA_CONFIG_HOME=", 0) != 0)
            variables.push_back(variable);
    }
    variables.push_back("DISPLAY=" + Display().Name());
    variables.push_back("QT_QPA_PLATFORM=xcb");
    variables.push_back("ORVANTA_CONFIG_HOME=" + ProgramFolderForRun() + "home");
    std::vector<char*> environment;
    for (std::string& v : variables)
        environment.push_back(v.data());
    environment.push_back(nullptr);
    String path = program;
    char* arguments[] = {path.data(), nullptr};

    TStarted started;
    const TClock::time_point start = TClock::now();
    // The process is made as a shell makes it (no copy of the benchmark's own memory).
    if (posix_spawn(&started.Pid, path.c_str(), nullptr, nullptr, arguments, environment.data()) != 0)
        return {};
    started.Window = Display().WaitForWindow(title);
    if (started.Window) started.Milliseconds = MillisecondsSince(start);
    return started;
}

void Stop(pid_t pid) {
    if (pid <= 0) return;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

int ResidentKilobytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stoi(line.substr(6));
    return -1;
}

// The resident memory once the window is painted: unchanged over four readings 50 ms apart
// (at most three seconds), in megabytes.
double SettledResidentMegabytes(pid_t pid) {
    int last = -1, same = 0;
    for (int turn = 0; turn < 60 && same < 4; ++turn) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const int now = ResidentKilobytes(pid);
        same = now == last ? same + 1 : 0;
        last = now;
    }
    return last / 1024.0;
}

const String ProgramPath() {
    return ProgramFolderForRun() + "orvanta";
}
const std::string LoginTitle = "登录窗口";

void BM_StartToLoginAgainstPlainDialog(benchmark::State& state) {
    if (!Display().Running()) {
        state.SkipWithError("Xvfb did not start");
        return;
    }
    // Once each before the run, so both start from files in the cache.
    Stop(Start(ProgramPath(), LoginTitle).Pid);
    Stop(Start(ORV_PLAIN_DIALOG, LoginTitle).Pid);
    std::vector<double> login, plain;
    int turn = 0;
    for (auto _ : state) {
        TStarted program, dialog;
        // Which starts first alternates, so neither always meets the other's after-effects.
        if (turn++ % 2 == 0) {
            program = Start(ProgramPath(), LoginTitle);
            Stop(program.Pid);
            dialog = Start(ORV_PLAIN_DIALOG, LoginTitle);
            Stop(dialog.Pid);
        } else {
            dialog = Start(ORV_PLAIN_DIALOG, LoginTitle);
            Stop(dialog.Pid);
            program = Start(ProgramPath(), LoginTitle);
            Stop(program.Pid);
        }
        if (program.Milliseconds < 0 || dialog.Milliseconds < 0) {
            state.SkipWithError("a window did not show");
            return;
        }
        state.SetIterationTime(program.Milliseconds / 1000.0);
        login.push_back(program.Milliseconds);
        plain.push_back(dialog.Milliseconds);
    }
    state.counters["login_ms"] = Median(login);
    state.counters["plain_dialog_ms"] = Median(plain);
    state.counters["ratio"] = Median(login) / Median(plain);
}
BENCHMARK(BM_StartToLoginAgainstPlainDialog)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_ResidentAtMainWindowAgainstPlainDialog(benchmark::State& state) {
    if (!Display().Running()) {
        state.SkipWithError("Xvfb did not start");
        return;
    }
    std::vector<double> program, plain;
    for (auto _ : state) {
        const TStarted login = Start(ProgramPath(), LoginTitle);
        bool shown = false;
        if (login.Window) {
            // Enter in the operator's name (admin, remembered), Enter in the empty password.
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            Display().PressEnter(login.Window);
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            Display().PressEnter(login.Window);
            shown = Display().WaitForWindow(ProductName) != 0;
        }
        if (shown) program.push_back(SettledResidentMegabytes(login.Pid));
        Stop(login.Pid);
        const TStarted dialog = Start(ORV_PLAIN_DIALOG, LoginTitle);
        if (dialog.Window) plain.push_back(SettledResidentMegabytes(dialog.Pid));
        Stop(dialog.Pid);
        if (!shown || !dialog.Window) {
            state.SkipWithError("a window did not show");
            return;
        }
    }
    state.counters["main_window_MB"] = Median(program);
    state.counters["plain_dialog_MB"] = Median(plain);
    state.counters["ratio"] = Median(program) / Median(plain);
}
BENCHMARK(BM_ResidentAtMainWindowAgainstPlainDialog)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

#endif
