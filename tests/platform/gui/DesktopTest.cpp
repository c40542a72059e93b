#include "GuiTestSupport.h"

#include "gui/Desktop.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

// Runs the test body with PATH set to one folder, restoring it afterwards.
class PathGuard {
public:
    explicit PathGuard(const String& path) {
        if (const char* p = std::getenv("PATH")) FOld = p;
        setenv("PATH", path.c_str(), 1);
    }
    ~PathGuard() { setenv("PATH", FOld.c_str(), 1); }

private:
    String FOld;
};

void MakeProgram(const String& file) {
    std::ofstream(file) << "#!/bin/sh\nexit 0\n";
    std::filesystem::permissions(file, std::filesystem::perms::owner_all);
}

} // namespace

TEST(Desktop, ProgramsAreFoundOnThePathInOrder) {
    TTempDir dir;
    MakeProgram(dir.File("xcalc"));
    MakeProgram(dir.File("mousepad"));
    std::ofstream(dir.File("kcalc")) << "not executable\n";
    PathGuard guard(dir.File(""));
    EXPECT_EQ(FindProgram(CalculatorPrograms()), dir.File("xcalc"));
    EXPECT_EQ(FindProgram(TextEditorPrograms()), dir.File("mousepad"));
    EXPECT_TRUE(StartCalculator());
    EXPECT_TRUE(StartTextEditor(dir.File("notes.txt")));
}

TEST(Desktop, NothingToStartGivesFalse) {
    TTempDir dir;
    PathGuard guard(dir.File(""));
    EXPECT_EQ(FindProgram(CalculatorPrograms()), "");
    EXPECT_FALSE(StartCalculator());
    EXPECT_FALSE(StartTextEditor());
    EXPECT_FALSE(ShellOpen("http://localhost/"));
}

TEST(Desktop, ShellOpenNeedsAnExistingFileOrAUrl) {
    TTempDir dir;
    MakeProgram(dir.File("xdg-open"));
    std::ofstream(dir.File("report.xls")) << "x";
    PathGuard guard(dir.File(""));
    EXPECT_TRUE(ShellOpen(dir.File("report.xls")));
    EXPECT_TRUE(ShellOpen("mailto:office@example.com"));
    EXPECT_FALSE(ShellOpen(dir.File("missing.xls")));
    EXPECT_FALSE(ShellOpen(""));
}

TEST(Desktop, TheOpenersOwnResultCountsAndNoTargetReadsAsAnOption) {
    TTempDir dir;
    // The opener writes its arguments, one a line, beside itself and ends with the code given.
    const auto opener = [&](int code) {
        std::ofstream(dir.File("xdg-open"))
            << "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.args\"\nexit " << code << "\n";
        std::filesystem::permissions(dir.File("xdg-open"), std::filesystem::perms::owner_all);
        std::filesystem::remove(dir.File("xdg-open.args"));
    };
    const auto passed = [&] {
        std::ifstream in(dir.File("xdg-open.args"));
        return String(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    std::ofstream(dir.File("--help")) << "x";
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.File(""));
    PathGuard guard(dir.File(""));
    const struct {
        int code;
        const char* target;
        bool opened;
        String passed;
    } cases[] = {
        {0, "http://www.example.com/", true, "http://www.example.com/\n"},
        {3, "http://www.example.com/", false, "http://www.example.com/\n"}, // nothing opens it
        {4, "mailto:office@example.com", false, "mailto:office@example.com\n"},
        {0, "--help", true, dir.File("--help") + "\n"}, // a file, by its full path
        {0, "-e:rm", false, ""},                        // no such file: the opener does not run
    };
    for (const auto& c : cases) {
        opener(c.code);
        EXPECT_EQ(ShellOpen(c.target), c.opened) << c.code << " " << c.target;
        EXPECT_EQ(passed(), c.passed) << c.target;
    }
    std::filesystem::current_path(previous);
}
