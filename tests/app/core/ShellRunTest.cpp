// The menu item 访问我们的网站 opens the maker's address with the desktop's opener, and tells
// the user when nothing opened it.
#include "app/core/ShellRun.h"
#include "StartupFixture.h"
#include "app/core/AppStart.h"
#include "app/core/PubUnit.h"

#include "gui/Menus.h"
#include "rtl/FileUtils.h"

#include <cstdlib>
#include <sys/stat.h>

namespace {

// An opener of our own alone on the PATH: it writes its arguments, one a line, beside itself and
// ends with the code given.
class ShellRun : public Startup {
protected:
    void SetUp() override {
        Startup::SetUp();
        const char* path = std::getenv("PATH");
        FPath = path ? path : "";
        ForceDirectories(Bin());
        setenv("PATH", Bin().c_str(), 1);
    }
    void TearDown() override {
        setenv("PATH", FPath.c_str(), 1);
        Startup::TearDown();
    }
    String Bin() const { return Prog() + "bin"; }
    void InstallOpener(int code) {
        const String opener = Bin() + "/xdg-open";
        TempDir::WriteAll(opener, "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.args\"\nexit " +
                                      std::to_string(code) + "\n");
        ::chmod(opener.c_str(), 0755);
    }
    String OpenerArgs() const { return TempDir::ReadAll(Bin() + "/xdg-open.args"); }

private:
    String FPath;
};

TEST_F(ShellRun, VisitingTheWebSiteTellsWhenNothingOpenedIt) {
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
    User.Form(Login("admin", {""}));
    ASSERT_TRUE(StartOrvanta());
    TMenuItem* visit = FrmMain->mnuHelp->Find("访问我们的网站");
    ASSERT_NE(visit, nullptr);
    InstallOpener(0);
    visit->Click();
    EXPECT_TRUE(MessageTexts().empty());
    EXPECT_EQ(OpenerArgs(), MakerWebAddress + "\n");
    InstallOpener(3); // the opener finds no program for the address
    User.Answer(IDOK);
    visit->Click();
    EXPECT_EQ(MessageTexts(), std::vector<String>{CannotOpenMessage(MakerWebAddress)});
}

} // namespace
