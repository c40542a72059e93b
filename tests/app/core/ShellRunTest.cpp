// The menu item 访问我们的网站 opens the maker's address with the desktop's opener, and tells
// the user when nothing opened it.
#include "app/core/ShellRun.h"
#include "DesktopStandIns.h"
#include "StartupFixture.h"
#include "app/core/AppStart.h"
#include "app/core/PubUnit.h"

#include "gui/Menus.h"

namespace {

TEST_F(Startup, VisitingTheWebSiteTellsWhenNothingOpenedIt) {
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
    User.Form(Login("admin", {""}));
    ASSERT_TRUE(StartOrvanta());
    TMenuItem* visit = FrmMain->mnuHelp->Find("访问我们的网站");
    ASSERT_NE(visit, nullptr);
    {
        const TDesktopStandIns desktop(Prog() + "opens/", "");
        visit->Click();
        EXPECT_TRUE(MessageTexts().empty());
        EXPECT_EQ(TempDir::ReadAll(desktop.OpenedRecord()), MakerWebAddress + "\n");
    }
    const TDesktopStandIns desktop(Prog() + "fails/", "", 3); // no program for the address
    User.Answer(IDOK);
    visit->Click();
    EXPECT_EQ(MessageTexts(), std::vector<String>{CannotOpenMessage(MakerWebAddress)});
}

} // namespace
