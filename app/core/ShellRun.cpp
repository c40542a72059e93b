#include "app/core/ShellRun.h"

#include "rtl/StrUtils.h"

#include <cstdlib>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

bool Spawn(const String& path, const std::vector<String>& args) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const String& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    // A double fork leaves no child to wait for: the intermediate child exits at once.
    pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        setsid();
        pid_t grandchild = 0;
        int rc = posix_spawn(&grandchild, path.c_str(), nullptr, nullptr, argv.data(), environ);
        _exit(rc == 0 ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

String FindOnPath(const String& program) {
    const char* path = std::getenv("PATH");
    if (!path) return String();
    for (const String& dir : SplitString(path, ":")) {
        if (dir.empty()) continue;
        const String candidate = dir + "/" + program;
        struct stat st;
        if (stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return String();
}

bool ShellOpen(const String& target) {
    const String opener = FindOnPath("xdg-open");
    return !opener.empty() && Spawn(opener, {target});
}

bool RunFirstProgram(const std::vector<String>& programs) {
    for (const String& program : programs) {
        const String path = FindOnPath(program);
        if (!path.empty()) return Spawn(path, {});
    }
    return false;
}
