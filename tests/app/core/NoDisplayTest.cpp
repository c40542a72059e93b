// The program started where there is no display (over ssh, no desktop session): it says so and
// ends with a failure code at once, instead of waiting invisibly for a login nobody sees.
#include "gui/Display.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

#ifdef ORV_PROGRAM

TEST(NoDisplay, TheProgramSaysSoAndEndsWithAFailureCode) {
    // A program still running after ten seconds is stopped (status 124): it waited instead of ending.
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 10 '" +
                                std::string(ORV_PROGRAM) + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    const int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(output, NoDisplayMessage + "\n");
}

#endif

TEST(NoDisplay, ADisplayIsANamedServerOrAnExplicitlyChosenPlatform) {
    const char* names[] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    std::string saved[3];
    bool had[3];
    for (int i = 0; i < 3; ++i) {
        const char* v = std::getenv(names[i]);
        had[i] = v != nullptr;
        saved[i] = v ? v : "";
        unsetenv(names[i]);
    }
    EXPECT_FALSE(DisplayAvailable());
    setenv("DISPLAY", "", 1);
    EXPECT_FALSE(DisplayAvailable()); // named, but empty
    for (const char* name : names) {
        setenv(name, name[0] == 'Q' ? "offscreen" : ":0", 1);
        EXPECT_TRUE(DisplayAvailable()) << name;
        unsetenv(name);
    }
    for (int i = 0; i < 3; ++i)
        if (had[i]) setenv(names[i], saved[i].c_str(), 1);
}
