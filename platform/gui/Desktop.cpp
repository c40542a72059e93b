#include "gui/Desktop.h"

#include "gui/qt/QtSupport.h"
#include "rtl/FileUtils.h"

#include <QProcess>
#include <QStringList>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

bool StartDetached(const String& program, const std::vector<String>& args) {
    if (program.empty()) return false;
    QStringList list;
    for (const auto& a : args)
        list << ToQString(a);
    return QProcess::startDetached(ToQString(program), list);
}

bool IsUrl(const String& s) {
    auto colon = s.find(':');
    // "C:\..." is a drive, not a scheme; a scheme begins with a letter.
    return colon != String::npos && colon > 1 && s.find_first_of("/\\") > colon &&
           std::isalpha(static_cast<unsigned char>(s[0]));
}

// How long the opener's own result is waited for.
constexpr int OpenerWaitMs = 3000;

// Runs the program with one argument in a grandchild process of a session of its own, so it is
// never left for this process to wait for and lives on when the program ends; the grandchild
// waits for it and writes its exit status to reportFd (-1 when it could not run or did not end
// normally). Only calls that allocate nothing follow the fork.
bool StartReporting(const char* path, char* const* argv, int reportFd) {
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        setsid();
        const pid_t waiter = fork();
        if (waiter != 0) _exit(waiter < 0 ? 1 : 0);
        const pid_t program = fork();
        if (program == 0) {
            execve(path, argv, environ);
            _exit(127);
        }
        int status = 0;
        int code = -1;
        if (program > 0 && waitpid(program, &status, 0) == program && WIFEXITED(status) &&
            WEXITSTATUS(status) != 127)
            code = WEXITSTATUS(status);
        (void)!write(reportFd, &code, sizeof code);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Runs the opener and waits up to OpenerWaitMs for its result: true when it ended with 0 or
// still runs.
bool RunOpener(const String& opener, const String& target) {
    String path = opener, argument = target;
    char* argv[] = {path.data(), argument.data(), nullptr};
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return false;
    const bool started = StartReporting(path.c_str(), argv, fds[1]);
    close(fds[1]);
    bool opened = false;
    if (started) {
        pollfd p{fds[0], POLLIN, 0};
        int ready;
        do {
            ready = poll(&p, 1, OpenerWaitMs);
        } while (ready < 0 && errno == EINTR);
        int code = -1;
        if (ready == 0)
            opened = true; // still at work: the program it started runs
        else if (ready > 0 && read(fds[0], &code, sizeof code) == sizeof code)
            opened = code == 0;
    }
    close(fds[0]);
    return opened;
}

} // namespace

const std::vector<String>& CalculatorPrograms() {
    static const std::vector<String> programs = {"gnome-calculator", "kcalc",         "galculator",
                                                 "mate-calc",        "qalculate-gtk", "xcalc"};
    return programs;
}

const std::vector<String>& TextEditorPrograms() {
    // Editors with a window of their own; a terminal editor would need a terminal to show it.
    static const std::vector<String> programs = {
        "gedit", "gnome-text-editor", "mousepad", "kate", "kwrite", "xed", "pluma", "leafpad", "featherpad"};
    return programs;
}

String FindProgram(const std::vector<String>& candidates) {
    const char* path = std::getenv("PATH");
    if (!path) return String();
    std::vector<String> dirs;
    std::stringstream ss(path);
    String dir;
    while (std::getline(ss, dir, ':'))
        if (!dir.empty()) dirs.push_back(dir);
    for (const auto& name : candidates)
        for (const auto& d : dirs) {
            std::filesystem::path p = std::filesystem::path(d) / name;
            std::error_code ec;
            auto st = std::filesystem::status(p, ec);
            if (!ec && std::filesystem::is_regular_file(st) &&
                (st.permissions() & std::filesystem::perms::others_exec) != std::filesystem::perms::none)
                return p.string();
            if (!ec && std::filesystem::is_regular_file(st) &&
                (st.permissions() & std::filesystem::perms::owner_exec) != std::filesystem::perms::none)
                return p.string();
        }
    return String();
}

bool ShellOpen(const String& target) {
    if (target.empty()) return false;
    const String opener = FindProgram({"xdg-open"});
    if (opener.empty()) return false;
    if (IsUrl(target)) return RunOpener(opener, target);
    const String file = ExpandFileName(NormalizePath(target));
    if (!FileExists(file) && !DirectoryExists(file)) return false;
    return RunOpener(opener, file);
}

bool StartCalculator() {
    return StartDetached(FindProgram(CalculatorPrograms()), {});
}

bool StartTextEditor(const String& fileName) {
    String editor = FindProgram(TextEditorPrograms());
    if (editor.empty()) return false;
    if (fileName.empty()) return StartDetached(editor, {});
    return StartDetached(editor, {NormalizePath(fileName)});
}
