// The program started where there is no display (over ssh, no desktop session) or where the
// display named does not answer: it says so in one line and ends with a failure code at once,
// instead of waiting invisibly for a login nobody sees or aborting in the toolkit.
#include "gui/Display.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <utility>

#ifdef ORV_PROGRAM

namespace {

// Runs the program with the environment changes given; its output and exit status.
std::pair<std::string, int> RunProgram(const std::string& environment) {
    // A program still running after ten seconds is stopped (status 124): it waited instead of ending.
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + environment +
                                " timeout 10 '" + std::string(ORV_PROGRAM) + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {"", -1};
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    return {output, pclose(pipe)};
}

} // namespace

TEST(NoDisplay, TheProgramSaysSoAndEndsWithAFailureCode) {
    const auto [output, status] = RunProgram("");
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(output, NoDisplayMessage + "\n");
}

TEST(NoDisplay, ADisplayThatDoesNotAnswerIsNamedInOneLineInsteadOfAnAbort) {
    // No X server runs on display 4711 (its socket would be /tmp/.X11-unix/X4711).
    const auto [output, status] = RunProgram("DISPLAY=:4711");
    ASSERT_TRUE(WIFEXITED(status)) << output; // not ended by a signal
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
    EXPECT_NE(output.find("cannot open display \":4711\""), std::string::npos) << output;
}

TEST(NoDisplay, AWaylandDisplayThatDoesNotAnswerIsNamedInOneLineInsteadOfAnAbort) {
    // The toolkit would try the Wayland display first and then fall back to X.
    for (const std::string x : {"", " DISPLAY=:4711"}) {
        const auto [output, status] = RunProgram("WAYLAND_DISPLAY=wayland-4711" + x);
        ASSERT_TRUE(WIFEXITED(status)) << x << ": " << output;
        EXPECT_EQ(WEXITSTATUS(status), 1) << x;
        EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
        EXPECT_NE(output.find("\"wayland-4711\""), std::string::npos) << output;
        EXPECT_EQ(output.find("\":4711\"") != std::string::npos, !x.empty()) << output;
    }
}

#endif

namespace {

// The display variables cleared while it lives, then put back as they were.
class TDisplayEnvironment {
public:
    TDisplayEnvironment() {
        for (int i = 0; i < 3; ++i) {
            const char* v = std::getenv(Names[i]);
            FHad[i] = v != nullptr;
            FSaved[i] = v ? v : "";
        }
        Clear();
    }
    ~TDisplayEnvironment() {
        Clear();
        for (int i = 0; i < 3; ++i)
            if (FHad[i]) setenv(Names[i], FSaved[i].c_str(), 1);
    }
    static void Clear() {
        for (const char* name : Names)
            unsetenv(name);
    }
    static constexpr const char* Names[] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};

private:
    std::string FSaved[3];
    bool FHad[3] = {};
};

} // namespace

TEST(NoDisplay, ADisplayIsANamedServerOrAnExplicitlyChosenPlatform) {
    const TDisplayEnvironment environment;
    EXPECT_FALSE(DisplayAvailable());
    setenv("DISPLAY", "", 1);
    EXPECT_FALSE(DisplayAvailable()); // named, but empty
    for (const char* name : TDisplayEnvironment::Names) {
        setenv(name, name[0] == 'Q' ? "offscreen" : ":0", 1);
        EXPECT_TRUE(DisplayAvailable()) << name;
        unsetenv(name);
    }
}

TEST(NoDisplay, OnlyTheDisplaysTheToolkitWouldTryAreOpened) {
    const TDisplayEnvironment environment;
    // No Wayland display answers under a runtime folder that is not there.
    const char* savedRuntime = std::getenv("XDG_RUNTIME_DIR");
    const std::string runtimeBefore = savedRuntime ? savedRuntime : "";
    setenv("XDG_RUNTIME_DIR", "/nonexistent-runtime-folder", 1);
    const struct {
        const char* display;
        const char* wayland;
        const char* platform;
        bool problem;
    } cases[] = {
        {nullptr, nullptr, nullptr, true},
        {":4711", nullptr, nullptr, true},
        {":4711", nullptr, "xcb", true},
        {nullptr, nullptr, "xcb", true},
        {":4711", nullptr, "offscreen", false},
        {":4711", nullptr, "xcb:foo;minimal", false}, // the next platform needs no display
        {":4711", "wayland-0", nullptr, true},        // neither answers
        {nullptr, "wayland-0", nullptr, true},
        {nullptr, "wayland-0", "wayland", true},
        {nullptr, nullptr, "wayland", true},
    };
    for (const auto& c : cases) {
        TDisplayEnvironment::Clear();
        if (c.display) setenv("DISPLAY", c.display, 1);
        if (c.wayland) setenv("WAYLAND_DISPLAY", c.wayland, 1);
        if (c.platform) setenv("QT_QPA_PLATFORM", c.platform, 1);
        const String problem = DisplayProblem();
        EXPECT_EQ(!problem.empty(), c.problem)
            << (c.display ? c.display : "-") << " " << (c.platform ? c.platform : "-");
        if (c.problem && c.display) {
            EXPECT_NE(problem.find(c.display), String::npos) << problem;
        }
        if (c.problem && c.wayland) {
            EXPECT_NE(problem.find(c.wayland), String::npos) << problem;
        }
    }
    if (savedRuntime)
        setenv("XDG_RUNTIME_DIR", runtimeBefore.c_str(), 1);
    else
        unsetenv("XDG_RUNTIME_DIR");
}
