#include "XServer.h"

#include "gui/Forms.h"
#include "rtl/FileUtils.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/prctl.h>
#include <thread>
#include <unistd.h>

namespace {

String& Problem() {
    static String problem;
    return problem;
}

// Starts a program that ends with this process (it gets SIGTERM when the test program ends,
// however it ends). keepFd stays open in the child.
pid_t Spawn(const std::vector<String>& args, int keepFd = -1) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    for (int fd = 3; fd < 1024; ++fd)
        if (fd != keepFd) close(fd);
    if (FILE* null = std::fopen("/dev/null", "w")) {
        dup2(fileno(null), 1);
        dup2(fileno(null), 2);
    }
    std::vector<char*> argv;
    for (const String& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
}

String Run(const String& command) {
    String out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        out += buffer;
    pclose(pipe);
    return out;
}

bool Start() {
    for (const char* tool : {"Xvfb", "openbox", "xprop"})
        if (Run(String("command -v ") + tool).empty()) {
            Problem() = String(tool) + " is not installed";
            return false;
        }
    int ready[2];
    if (pipe(ready) != 0) return false;
    Spawn({"Xvfb", "-displayfd", std::to_string(ready[1]), "-screen", "0", "1366x768x24", "-nolisten", "tcp"},
          ready[1]);
    close(ready[1]);
    String number;
    pollfd p{ready[0], POLLIN, 0};
    char c;
    while (poll(&p, 1, 5000) > 0 && read(ready[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(ready[0]);
    if (number.empty()) {
        Problem() = "Xvfb did not start";
        return false;
    }
    const String display = ":" + number;
    setenv("DISPLAY", display.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    Spawn({"openbox", "--sm-disable"});
    // The window manager is there once it names its check window on the root window.
    for (int i = 0; i < 100; ++i) {
        if (Run("xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null").find("window id") != String::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    Problem() = "openbox did not start";
    return false;
}

} // namespace

bool XServerRunning() {
    static const bool running = Start();
    return running;
}

const String& XServerProblem() {
    return Problem();
}

String XProp(const String& windowId, const String& property) {
    return Run("xprop -id " + windowId + " " + property + " 2>/dev/null");
}

String ScreenshotFolder() {
    const String folder = IncludeTrailingPathDelimiter(ORV_SCREEN_DIR);
    ForceDirectories(folder);
    return folder;
}

bool WaitFor(const std::function<bool()>& condition, int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        Application()->ProcessMessages();
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

void Settle(int ms) {
    WaitFor([] { return false; }, ms);
}
