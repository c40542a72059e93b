#include "app/core/ShellRunMime.h"

#include "app/core/ShellRun.h"

#include "rtl/StrUtils.h"

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

String DefaultDesktopProgram(const String& mimeType) {
    const String tool = FindOnPath("xdg-mime");
    if (tool.empty()) return String();
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return String();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const char* argv[] = {tool.c_str(), "query", "default", mimeType.c_str(), nullptr};
    pid_t pid = 0;
    const int started = posix_spawn(&pid, tool.c_str(), &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    String output;
    if (started == 0) {
        char buffer[512];
        ssize_t n;
        while ((n = read(pipeEnds[0], buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR))
            if (n > 0) output.append(buffer, static_cast<size_t>(n));
    }
    close(pipeEnds[0]);
    if (started != 0) return String();
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? Trim(output) : String();
}
