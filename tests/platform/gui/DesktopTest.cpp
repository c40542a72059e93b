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
