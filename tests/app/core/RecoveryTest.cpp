// The recovery of the start-up when the database does not open: the user is told why a file was
// refused before the file dialog asks again.
#include "StartupFixture.h"
#include "app/core/AppConfig.h"
#include "app/core/AppStart.h"

#include "db/ADODB.h"
#include "rtl/FileUtils.h"

namespace {

class Recovery : public Startup {};

TEST_F(Recovery, AFileThatIsNoDatabaseOfTheProgramIsToldBeforeTheDialogAsksAgain) {
    const struct {
        const char* name;
        std::function<void(const String& file)> make;
        String told;
    } cases[] = {
        {"empty file", [](const String& file) { TempDir::WriteAll(file, ""); }, MsgNotValidDatabase},
        {"foreign file",
         [](const String& file) {
             TempDir::WriteAll(file, std::string("\0\1\0\0Standard Jet DB\0", 20) + "x");
         },
         MsgNotValidDatabase},
        {"another password", [](const String& file) { TADOConnection::CreateDatabase(file, "other"); },
         MsgNotValidDatabase},
        {"no wuyegl.mdb in the folder",
         [](const String& file) { TempDir::WriteAll(ExtractFilePath(file) + "other.mdb", ""); },
         MsgNoDatabaseInFolder},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const String folder = Prog() + "picked " + c.name + "/";
        ASSERT_TRUE(ForceDirectories(folder));
        c.make(folder + "wuyegl.mdb");
        const String picked =
            FileExists(folder + "wuyegl.mdb") ? folder + "wuyegl.mdb" : folder + "other.mdb";
        User.Clear();
        User.File(picked).Answer(IDOK).Cancel();
        EXPECT_FALSE(StartOrvanta());
        ASSERT_EQ(User.Requests().size(), 3u);
        EXPECT_EQ(User.Requests()[0].Kind, TInteractionKind::OpenFile); // nothing in data/: asked at once
        EXPECT_EQ(User.Requests()[1].Kind, TInteractionKind::MessageBox);
        const String told = User.Requests()[1].Text;
        EXPECT_EQ(told.rfind(c.told + "\n", 0), 0u) << told;
        EXPECT_NE(told.find(ExcludeTrailingPathDelimiter(folder)), String::npos) << told;
        EXPECT_EQ(User.Requests()[2].Kind, TInteractionKind::OpenFile);
        // The folder picked stays in ds, so the next start tries it (and tells it) first.
        EXPECT_EQ(TIniFile(ConfigFilePath()).ReadString("config", "ds", ""), folder);
        TIniFile(ConfigFilePath()).DeleteKey("config", "ds");
    }
}

TEST_F(Recovery, AConfiguredDatabaseThatDoesNotOpenIsToldAtTheFirstTry) {
    ASSERT_TRUE(ForceDirectories(Prog() + "data"));
    TempDir::WriteAll(Prog() + "data/wuyegl.mdb", "");
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "db/"));
    User.Answer(IDOK).File(Prog() + "db/wuyegl.mdb").Form(Login("admin", {""}));
    ASSERT_TRUE(StartOrvanta());
    ASSERT_GE(User.Requests().size(), 2u);
    EXPECT_EQ(User.Requests()[0].Kind, TInteractionKind::MessageBox);
    EXPECT_EQ(User.Requests()[0].Text.rfind(MsgNotValidDatabase + "\n" + Prog() + "data/wuyegl.mdb\n\n", 0),
              0u)
        << User.Requests()[0].Text;
    EXPECT_EQ(User.Requests()[1].Kind, TInteractionKind::OpenFile);
    EXPECT_EQ(OperName, "admin");
}

} // namespace
