#include "TempDir.h"
#include "app/core/AppConfig.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"

#include "rtl/DateUtils.h"
#include "rtl/FileUtils.h"

#include <gtest/gtest.h>

namespace {

TEST(Passwords, GetPassUndoesSavePass) {
    for (const String& p : std::vector<String>{"", "a", "secret", " blanks ", "密码123", "~41",
                                               String("\0x", 2), String(200, 'z')})
        EXPECT_EQ(GetPass(SavePass(p)), p) << p;
    EXPECT_EQ(SavePass(""), "");
    EXPECT_NE(SavePass("secret"), "secret");
    EXPECT_NE(SavePass("secret").find('~'), String::npos);
}

TEST(Passwords, AStoredTextNotInTheStoredFormIsTheClearPassword) {
    EXPECT_EQ(GetPass(""), "");
    EXPECT_EQ(GetPass("plain"), "plain");
    EXPECT_EQ(GetPass("~XYZ1"), "~XYZ1");
}

class ProgramFolderFixture : public testing::Test {
protected:
    void SetUp() override { SetProgramFolder(Dir.Path()); }
    void TearDown() override { SetProgramFolder(""); }
    TempDir Dir;
    String Prog() const { return IncludeTrailingPathDelimiter(Dir.Path()); }
};

using DatabaseFolder = ProgramFolderFixture;

TEST_F(DatabaseFolder, DsNamesTheRightFolderHoweverItIsWritten) {
    EXPECT_EQ(DatabaseFolderFromDs(""), Prog() + "data/");
    EXPECT_EQ(DatabaseFolderFromDs("   "), Prog() + "data/");
    EXPECT_EQ(DatabaseFolderFromDs("/srv/db/"), "/srv/db/");
    EXPECT_EQ(DatabaseFolderFromDs("/srv/db"), "/srv/db/"); // no trailing separator
    EXPECT_EQ(DatabaseFolderFromDs("\\srv\\db"), "/srv/db/");
    EXPECT_EQ(DatabaseFolderFromDs("\\srv\\db\\"), "/srv/db/");
    EXPECT_EQ(DatabaseFolderFromDs("data\\"), Prog() + "data/"); // relative to the program
}

TEST_F(DatabaseFolder, ConfigIniWithoutDsLooksInData) {
    TIniFile ini(ConfigFilePath());
    EXPECT_EQ(ReadDatabaseFolder(ini), Prog() + "data/");
    EXPECT_EQ(ReadAutoBackupMode(ini), 0);
    EXPECT_EQ(ReadCurOperName(ini), "");
    EXPECT_FALSE(FileExists(ConfigFilePath())); // reading writes nothing
}

TEST_F(DatabaseFolder, ThePickedFilesFolderIsWrittenAndReadBack) {
    TIniFile ini(ConfigFilePath());
    const String ds = DsForPickedFile(Dir.Path() + "/db/other.mdb");
    EXPECT_EQ(ds, Prog() + "db/");
    WriteDatabaseFolder(ini, ds);
    EXPECT_EQ(ReadDatabaseFolder(ini), Prog() + "db/");
    EXPECT_EQ(ConnectionStringFor(ReadDatabaseFolder(ini)),
              "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + Prog() +
                  "db/wuyegl.mdb;Persist Security Info=True;Jet OLEDB:Database Password=tomervalix");
}

TEST_F(DatabaseFolder, KeysOfEitherSectionSpellingAreOneSection) {
    TempDir::WriteAll(ConfigFilePath(), "[Config]\nds=/x/\nibak=2\n");
    TIniFile ini(ConfigFilePath());
    EXPECT_EQ(ReadDatabaseFolder(ini), "/x/");
    EXPECT_EQ(ReadAutoBackupMode(ini), 2);
    WriteCurOperName(ini, "张三");
    EXPECT_EQ(ReadCurOperName(ini), "张三");
    EXPECT_EQ(TempDir::ReadAll(ConfigFilePath()).find("[config]"), std::string::npos);
}

TEST(AutoBackup, FollowsTheSchedule) {
    const TDateTime monday = EncodeDate(2026, 3, 2), tuesday = EncodeDate(2026, 3, 3),
                    first = EncodeDate(2026, 4, 1);
    EXPECT_FALSE(AutoBackupDue(0, monday));
    EXPECT_TRUE(AutoBackupDue(1, tuesday));
    EXPECT_TRUE(AutoBackupDue(2, monday));
    EXPECT_FALSE(AutoBackupDue(2, tuesday));
    EXPECT_TRUE(AutoBackupDue(3, first));
    EXPECT_FALSE(AutoBackupDue(3, tuesday));
    EXPECT_FALSE(AutoBackupDue(7, first));
}

TEST(OperatorState, AdminIsRecognisedWithoutRegardToCaseAndBlanks) {
    EXPECT_TRUE(IsAdminName(" Admin "));
    EXPECT_TRUE(IsAdminName("ADMIN"));
    EXPECT_FALSE(IsAdminName("admin1"));
    EXPECT_FALSE(IsAdminName(""));
}

TEST(OperatorState, DisplayFormatsFollowTheDecimalPlaces) {
    EXPECT_EQ(MoneyFormat(0), "￥,0.");
    EXPECT_EQ(MoneyFormat(2), "￥,0.00");
    EXPECT_EQ(MoneyFormat(4), "￥,0.00##");
    EXPECT_EQ(MoneyFormat(5), "￥,0.00###");
    EXPECT_EQ(AmountFormat(2), "0.##");
    EXPECT_EQ(AmountFormat(0), "0.");
}

} // namespace
