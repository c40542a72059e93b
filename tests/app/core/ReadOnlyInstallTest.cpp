// A program folder that cannot be written: the settings go to the user's configuration folder
// (read first from then on), the login goes through, and a database folder that cannot be
// written is told before the recovery dialog.
#include "StartupFixture.h"
#include "app/core/AppConfig.h"
#include "app/core/AppStart.h"
#include "app/core/ConfigIni.h"

#include "rtl/FileUtils.h"
#include "rtl/StringList.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Makes a file or folder unwritable for this process while it lives: immutable for root (whom
// permissions do not stop), without write permission for anyone else.
class TUnwritable {
public:
    explicit TUnwritable(const String& path) : FPath(path) {
        if (::geteuid() == 0)
            FImmutable = std::system(("chattr +i '" + path + "' 2>/dev/null").c_str()) == 0;
        else
            FChmod = std::system(("chmod a-w '" + path + "'").c_str()) == 0;
    }
    ~TUnwritable() {
        if (FImmutable) std::system(("chattr -i '" + FPath + "'").c_str());
        if (FChmod) std::system(("chmod u+w '" + FPath + "'").c_str());
    }
    bool Done() const { return FImmutable || FChmod; }

private:
    String FPath;
    bool FImmutable = false;
    bool FChmod = false;
};

class ReadOnlyInstall : public Startup {};

TEST_F(ReadOnlyInstall, WritesGoBesideTheProgramWhileItsFolderIsWritable) {
    TConfigIni ini(ConfigFilePath(), UserConfigFilePath());
    ini.WriteString("Config", "CurOperName", "admin");
    EXPECT_EQ(TIniFile(ConfigFilePath()).ReadString("config", "CurOperName", ""), "admin");
    EXPECT_FALSE(FileExists(UserConfigFilePath()));
}

TEST_F(ReadOnlyInstall, TheUsersFileIsReadFirstForTheKeysItHolds) {
    TIniFile(ConfigFilePath()).WriteString("config", "ds", "shared/");
    TIniFile(ConfigFilePath()).WriteString("config", "ibak", "2");
    ASSERT_TRUE(ForceDirectories(ExtractFilePath(UserConfigFilePath())));
    TIniFile(UserConfigFilePath()).WriteString("config", "ds", "own/");
    TConfigIni ini(ConfigFilePath(), UserConfigFilePath());
    EXPECT_EQ(ini.ReadString("config", "ds", ""), "own/");
    EXPECT_EQ(ini.ReadInteger("config", "ibak", 0), 2);
    // Once the user's file is there, it takes the writes.
    ini.WriteString("config", "ibak", "3");
    EXPECT_EQ(TIniFile(ConfigFilePath()).ReadString("config", "ibak", ""), "2");
    EXPECT_EQ(ini.ReadInteger("config", "ibak", 0), 3);
    TStringList values;
    ini.ReadSectionValues("config", values);
    ASSERT_EQ(values.Count(), 2);
    EXPECT_EQ(values[0], "ds=own/");
    EXPECT_EQ(values[1], "ibak=3");
}

TEST_F(ReadOnlyInstall, LoginWorksAndTheOperatorLandsInTheUsersFile) {
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
    TIniFile(ConfigFilePath()).WriteString("config", "ibak", "0");
    TUnwritable file(ConfigFilePath());
    TUnwritable folder(Prog());
    if (!folder.Done() || DirectoryWritable(Prog())) GTEST_SKIP() << "cannot make a folder read-only here";
    User.Form(Login("admin", {""}));
    ASSERT_TRUE(StartOrvanta());
    EXPECT_EQ(OperName, "admin");
    EXPECT_TRUE(MessageTexts().empty());
    EXPECT_EQ(TIniFile(UserConfigFilePath()).ReadString("Config", "CurOperName", ""), "admin");
    EXPECT_EQ(TIniFile(ConfigFilePath()).ReadString("Config", "CurOperName", ""), "");
    // The next login offers the name remembered in the user's file.
    TfrmOperLogin login(nullptr);
    login.PrepareLogin();
    EXPECT_EQ(login.cbbOperName->Text(), "admin");
}

TEST_F(ReadOnlyInstall, AConfigFileMarkedReadOnlyStaysAsItIsAndTheOperatorGoesToTheUsersFile) {
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
    const std::string kept = "; the office's own settings\n[config]\nibak=0\n";
    TempDir::WriteAll(ConfigFilePath(), kept);
    ASSERT_EQ(::chmod(ConfigFilePath().c_str(), 0444), 0); // in a folder that can be written
    User.Form(Login("admin", {""}));
    ASSERT_TRUE(StartOrvanta());
    EXPECT_EQ(OperName, "admin");
    EXPECT_TRUE(MessageTexts().empty());
    EXPECT_EQ(TempDir::ReadAll(ConfigFilePath()), kept);
    struct stat info {};
    ASSERT_EQ(::stat(ConfigFilePath().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0444u);
    EXPECT_EQ(TIniFile(UserConfigFilePath()).ReadString("Config", "CurOperName", ""), "admin");
    TfrmOperLogin login(nullptr);
    login.PrepareLogin();
    EXPECT_EQ(login.cbbOperName->Text(), "admin");
}

TEST_F(ReadOnlyInstall, ASettingsFileThatCannotBeWrittenAnywhereDoesNotBlockTheLogin) {
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
    ASSERT_TRUE(ForceDirectories(ExtractFilePath(UserConfigFilePath())));
    TIniFile(UserConfigFilePath()).WriteString("Config", "CurOperName", "");
    TUnwritable user(ExtractFileDir(UserConfigFilePath()));
    TUnwritable file(ConfigFilePath());
    TUnwritable folder(Prog());
    if (!folder.Done() || !user.Done() || DirectoryWritable(Prog()))
        GTEST_SKIP() << "cannot make a folder read-only here";
    User.Form(Login("admin", {""}));
    ASSERT_TRUE(StartOrvanta());
    EXPECT_EQ(OperName, "admin");
    EXPECT_TRUE(MessageTexts().empty());
    EXPECT_THROW(IniFile->WriteString("Config", "CurOperName", "x"), EIniFileException);
}

TEST_F(ReadOnlyInstall, ADatabaseFolderThatCannotBeWrittenIsToldBeforeTheRecoveryDialog) {
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "db/"));
    TUnwritable data(Prog() + "data");
    if (!data.Done() || DirectoryWritable(Prog() + "data"))
        GTEST_SKIP() << "cannot make a folder read-only here";
    User.Answer(mrOk).File(Prog() + "db/wuyegl.mdb").Form(Login("admin", {""}));
    ASSERT_TRUE(StartOrvanta());
    ASSERT_GE(User.Requests().size(), 2u);
    EXPECT_EQ(User.Requests()[0].Kind, TInteractionKind::MessageBox);
    EXPECT_EQ(User.Requests()[0].Text, MsgFolderNotWritable + "\n" + Prog() + "data");
    EXPECT_EQ(User.Requests()[1].Kind, TInteractionKind::OpenFile);
    EXPECT_EQ(User.Requests()[1].Caption, "连接网络数据库");
    EXPECT_EQ(IniFile->ReadString("config", "ds", ""), Prog() + "db/");
}

} // namespace
