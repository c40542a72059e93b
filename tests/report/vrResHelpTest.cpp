// Help through the desktop's opener: the help file beside the program, or a message saying why
// it cannot be shown.
#include "report/vrRes.h"

#include "gui/Forms.h"
#include "gui/Interaction.h"
#include "TempDir.h"
#include "rtl/FileUtils.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace {

// Runs the test body with PATH set to one folder, restoring it afterwards.
class TPathGuard {
public:
    explicit TPathGuard(const String& path) {
        if (const char* p = std::getenv("PATH")) FOld = p;
        setenv("PATH", path.c_str(), 1);
    }
    ~TPathGuard() { setenv("PATH", FOld.c_str(), 1); }

private:
    String FOld;
};

class TNamed : public TObject {
public:
    explicit TNamed(String name) : FName(std::move(name)) {}
    String ClassName() const override { return FName; }

private:
    String FName;
};

// Waits (a bounded while) for a file a started program writes.
String WaitForFile(const String& file) {
    for (int i = 0; i < 500 && !FileExists(file); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return TempDir::ReadAll(file);
}

} // namespace

TEST(vrResHelp, DesktopViewerOpensTheHelpFileOrSaysWhyNot) {
    TempDir dir, bin;
    SetProgramFolder(dir.Path());
    const String helpFile = ProgramFolder() + "DODade.chm";
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Answer(IDOK).Answer(IDOK);
    TvrResources r;
    TNamed memoEditor("TvrMemoEditorForm");

    r.OpenHelpTopic(&memoEditor); // no help file beside the program
    ASSERT_EQ(user.Requests().size(), 1u);
    EXPECT_EQ(user.Requests()[0].Caption, "错误");
    EXPECT_EQ(user.Requests()[0].Text, "找不到帮助文件 " + helpFile);
    EXPECT_EQ(user.Requests()[0].Flags, MB_OK | MB_ICONERROR);

    std::ofstream(helpFile) << "help";
    {
        TPathGuard path(bin.Path()); // nothing to open it with
        r.OpenHelpTopic(&memoEditor);
        ASSERT_EQ(user.Requests().size(), 2u);
        EXPECT_EQ(user.Requests()[1].Text, "没有可以打开帮助文件的程序: " + helpFile);
    }

    std::ofstream(bin.File("xdg-open")) << "#!/bin/sh\necho \"$1\" > '" << bin.File("opened.txt") << "'\n";
    std::filesystem::permissions(bin.File("xdg-open"), std::filesystem::perms::owner_all);
    {
        TPathGuard path(bin.Path());
        r.OpenHelpTopic(&memoEditor);
        EXPECT_EQ(WaitForFile(bin.File("opened.txt")), helpFile + "\n");
    }
    EXPECT_EQ(user.Requests().size(), 2u); // opened without a message
    SetProgramFolder(String());
}
