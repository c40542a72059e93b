#include "AppFixture.h"
#include "app/core/AppConfig.h"
#include "app/core/CodeNumbering.h"

#include "db/ADODB.h"
#include "gui/StdCtrls.h"

#include "rtl/DateUtils.h"
#include "rtl/Format.h"
#include "rtl/StringList.h"

#include <functional>

namespace {

using DefaultDatabase = AppFixture;

TEST_F(DefaultDatabase, HoldsTheRowsTheSystemExpects) {
    Connect();
    EXPECT_EQ(Rows("select F_Name, F_PassWord, F_Flag, F_XQflag from OperList"),
              std::vector<String>{"admin||False|0"});
    EXPECT_EQ(Dm->GetInteger("select count(*) from Limits where F_flag = true"), 34);
    EXPECT_EQ(Dm->GetString("select F_name from Limits where F_code = '209'"), "选项...");
    EXPECT_EQ(Rows("select F_iAmount, F_iPrice, F_iTotal from SysInfo"), std::vector<String>{"2|2|2"});
    EXPECT_EQ(Dm->GetString("select F_buildDate from SysInfo"), "1900-08-14");
    EXPECT_EQ(
        Dm->GetInteger("select count(*) from cfg_import where F_tablename = 'T_FCinfo' and F_iFlag = 1"), 32);
    EXPECT_EQ(Dm->GetInteger("select count(*) from cfg_Grid where F_name = 'fcinfogl'"), 32);
    EXPECT_EQ(Dm->GetInteger("select count(*) from LogRec"), 0);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(DefaultDatabase, FeeRowsInsertedWithoutFlagsAreUnpaidLedgerRows) {
    Connect();
    ASSERT_TRUE(Dm->RunSQL("insert into T_wyFYrec (F_mainID, F_SFname) values (1, 'x')"));
    EXPECT_EQ(Dm->GetInteger("select count(*) from T_wyFYrec where F_JFflag = false and F_GTflag = 0"), 1);
}

TEST_F(DefaultDatabase, AnExistingDatabaseIsNeverTouched) {
    Connect();
    ASSERT_TRUE(Dm->RunSQL("insert into t_code (F_Name, F_type) values ('mine', 'area')"));
    Dm.reset();
    EXPECT_FALSE(CreateDefaultDatabase(Prog() + "data/"));
    Dm = std::make_unique<TdmData>(nullptr);
    ASSERT_TRUE(Dm->DataModuleCreate());
    EXPECT_EQ(Dm->GetString("select F_Name from t_code where F_type = 'area'"), "mine");
}

TEST_F(DefaultDatabase, TheDatabaseNeedsItsPassword) {
    Connect();
    Dm.reset();
    TADOConnection cnn;
    cnn.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + Prog() +
                            "data/wuyegl.mdb;Jet OLEDB:Database Password=wrong");
    EXPECT_THROW(cnn.Open(), Exception);
}

using Connection = AppFixture;

TEST_F(Connection, AMissingDatabaseAsksForTheFileAndCancelGivesUp) {
    TdmData dm(nullptr);
    int asked = 0;
    dm.AskDatabaseFile = [&] {
        ++asked;
        return String();
    };
    EXPECT_FALSE(dm.DataModuleCreate());
    EXPECT_FALSE(dm.Connected());
    EXPECT_EQ(asked, 1);
    IniFile.reset();
    TIniFile ini(ConfigFilePath());
    EXPECT_FALSE(ini.ValueExists("config", "ds")); // cancelling leaves ds as it was
}

TEST_F(Connection, ThePickedFoldersDatabaseIsOpenedAndRemembered) {
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "elsewhere/"));
    TIniFile(ConfigFilePath()).WriteString("config", "ds", Prog() + "nowhere");
    TdmData dm(nullptr);
    std::vector<String> answers = {Prog() + "missing/wuyegl.mdb", Prog() + "elsewhere/other.mdb"};
    std::vector<String> statuses;
    dm.Status = [&](const String& s) { statuses.push_back(s); };
    dm.AskDatabaseFile = [&] {
        String a = answers.front();
        answers.erase(answers.begin());
        return a;
    };
    ASSERT_TRUE(dm.DataModuleCreate());
    EXPECT_TRUE(answers.empty()); // the first pick failed too, so the dialog came back
    EXPECT_EQ(TIniFile(ConfigFilePath()).ReadString("config", "ds", ""), Prog() + "elsewhere/");
    EXPECT_EQ(statuses.back(), "连接成功，正在登录 ...");
}

TEST_F(Connection, DsWithoutTrailingSeparatorOrWithBackslashesStillConnects) {
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "db/"));
    for (const String& ds : std::vector<String>{Prog() + "db", "db", "db\\"}) {
        TIniFile(ConfigFilePath()).WriteString("config", "ds", ds);
        TdmData dm(nullptr);
        EXPECT_TRUE(dm.DataModuleCreate()) << ds;
    }
}

using Operations = AppFixture;

TEST_F(Operations, GuardedOperationsShowTheirMessageAndReturnNeutralValues) {
    Connect();
    EXPECT_FALSE(Dm->RunSQL("update NoTable set x = 1"));
    EXPECT_EQ(Dm->GetString("select nothing from NoTable"), "");
    EXPECT_EQ(Dm->GetFloat("select nothing from NoTable"), 0.0);
    EXPECT_EQ(Dm->GetInteger("select nothing from NoTable"), 0);
    TADOQuery q;
    q.SetConnection(Dm->ADOcnn());
    EXPECT_FALSE(Dm->OpenSQL("select * from NoTable", &q));
    EXPECT_FALSE(q.Active());
    using M = std::pair<String, int>;
    EXPECT_EQ(Messages, (std::vector<M>{{MsgOperationFailed, 3},
                                        {MsgOperationFailed, 3},
                                        {MsgOperationFailed, 3},
                                        {MsgOperationFailed, 3},
                                        {MsgOpenFailed, 3}}));
    Messages.clear();
    EXPECT_FALSE(Dm->DeleteByID("NoTable", 1));
    EXPECT_EQ(Messages, (std::vector<M>{{MsgDeleteFailed, 3}}));
}

TEST_F(Operations, ScalarsOfNoRowOrNullAreEmptyAndShowNothing) {
    Connect();
    EXPECT_EQ(Dm->GetString("select F_Name from OperList where F_Name = 'nobody'"), "");
    EXPECT_EQ(Dm->GetInteger("select max(F_ID) from T_XQinfo"), 0);
    EXPECT_TRUE(Dm->DeleteByID("T_XQinfo", 12345)); // no such row: still a success
    EXPECT_TRUE(Messages.empty());
}

TEST_F(Operations, FillComboSkipsBlankValuesAndKeepsTheOthersAsRead) {
    Connect();
    for (const char* v : {"A", "", "  ", "B "})
        ASSERT_TRUE(Dm->RunSQL(String("insert into t_code (F_Name, F_type) values ('") + v + "', 'area')"));
    TStringList items;
    items.Add("old");
    Dm->FillCombo("select F_Name from t_code where F_type = 'AREA' order by F_ID", items);
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(items[0], "A");
    EXPECT_EQ(items[1], "B ");
    Dm->FillCombo("select broken from", items); // a failing statement keeps the items
    EXPECT_EQ(items.Count(), 2);
}

TEST_F(Operations, EachOperationRunsOnItsOwnSharedQuery) {
    Connect();
    TStringList items;
    struct Case {
        const char* name;
        std::function<void()> run;
        bool onPub; // QryPub, else QryTemp
        const char* statement;
    };
    const Case cases[] = {
        {"RunSQL", [&] { Dm->RunSQL("update t_code set F_type = F_type"); }, true, "update t_code"},
        {"DeleteByID", [&] { Dm->DeleteByID("t_code", 7); }, true, "delete from t_code where F_ID = 7"},
        {"GetString", [&] { Dm->GetString("select 's' as a"); }, false, "select 's'"},
        {"GetFloat", [&] { Dm->GetFloat("select 1.5 as a"); }, false, "select 1.5"},
        {"GetInteger", [&] { Dm->GetInteger("select 2 as a"); }, false, "select 2"},
        {"FillCombo", [&] { Dm->FillCombo("select F_Name from OperList", items); }, false, "from OperList"},
        {"WriteLog", [&] { Dm->WriteLog("x"); }, false, "insert into LogRec"},
        {"NextCode", [&] { Dm->NextCode("select max(F_code) from T_XQinfo", 3); }, false, "from T_XQinfo"},
        {"NewDatedCode", [&] { Dm->NewDatedCode("select max(F_code) from T_wyFKrec", "", 3); }, false,
         "from T_wyFKrec"},
    };
    for (const Case& c : cases) {
        // A result left open in either shared query is closed by the next operation on it.
        Dm->QryPub()->SQL()->SetText("select * from OperList");
        Dm->QryPub()->Open();
        Dm->QryTemp()->SQL()->SetText("select * from OperList");
        Dm->QryTemp()->Open();
        c.run();
        TADOQuery* used = c.onPub ? Dm->QryPub() : Dm->QryTemp();
        TADOQuery* other = c.onPub ? Dm->QryTemp() : Dm->QryPub();
        EXPECT_NE(used->SQL()->Text().find(c.statement), String::npos) << c.name;
        EXPECT_NE(other->SQL()->Text().find("select * from OperList"), String::npos) << c.name;
        EXPECT_TRUE(other->Active()) << c.name;
    }
    EXPECT_TRUE(Messages.empty());
}

TEST_F(Operations, FillComboLeavesTheTextOfTheBoxAlone) {
    Connect();
    for (const char* v : {"A", "B"})
        ASSERT_TRUE(Dm->RunSQL(String("insert into t_code (F_Name, F_type) values ('") + v + "', 'area')"));
    const String sql = "select F_Name from t_code where F_type = 'area' order by F_ID";
    TComboBox typed(nullptr);
    typed.SetText("typed");
    Dm->FillCombo(sql, *typed.Items());
    EXPECT_EQ(typed.Text(), "typed");
    TComboBox empty(nullptr);
    Dm->FillCombo(sql, *empty.Items());
    EXPECT_EQ(empty.Items()->Count(), 2);
    EXPECT_EQ(empty.Text(), ""); // no entry is chosen for the user
    EXPECT_EQ(empty.ItemIndex(), -1);
}

TEST_F(Operations, NumberingReadsTheHighestCode) {
    Connect();
    EXPECT_EQ(Dm->NextCode("Select Max(F_Code) As F_Code from T_XQinfo", 3), "001");
    ASSERT_TRUE(Dm->RunSQL("insert into T_XQinfo (F_code, F_name) values ('009', 'A')"));
    EXPECT_EQ(Dm->NextCode("Select Max(F_Code) As F_Code from T_XQinfo", 3), "010");
    // Dated codes take the day from the clock: the last second of a year still numbers that day.
    const TClockOverride clock(EncodeDateTime(2026, 12, 31, 23, 59, 59, 999));
    const String today = "20261231";
    const String receipts =
        "Select Max(F_code) As F_code from T_wyFKrec where (F_code Like '" + today + "%')";
    EXPECT_EQ(Dm->NewDatedCode(receipts, "", 3), today + "001");
    ASSERT_TRUE(Dm->RunSQL("insert into T_wyFKrec (F_code) values ('" + today + "017')"));
    EXPECT_EQ(Dm->NewDatedCode(receipts, "", 3), today + "018");
    ASSERT_TRUE(Dm->RunSQL("insert into T_XQinfo (F_code, F_name) values ('999', 'B')"));
    EXPECT_THROW(Dm->NextCode("Select Max(F_Code) As F_Code from T_XQinfo", 3), ECodeNumberingError);
    EXPECT_THROW(Dm->NextCode("Select broken from", 3), Exception); // errors reach the caller
}

TEST_F(Operations, WriteLogRecordsTheOperatorDateAndTime) {
    const TClockOverride clock(EncodeDateTime(2026, 12, 31, 23, 59, 59, 999));
    Connect();
    OperName = "O'Neil";
    Dm->WriteLog("更换操作员失败！");
    const auto rows = Rows("select F_EmpName, F_OperType, F_OperDate, F_OperTime from LogRec");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].substr(0, rows[0].find('|', 7)), "O'Neil|更换操作员失败！");
    EXPECT_EQ(rows[0], "O'Neil|更换操作员失败！|2026-12-31|23:59:59");
    Dm->ADOcnn()->Execute("drop table LogRec");
    Dm->WriteLog("登录失败！"); // its own failure is ignored
    EXPECT_TRUE(Messages.empty());
}

TEST_F(Operations, RightsComeFromOperLimitThroughLimits) {
    Connect();
    ASSERT_TRUE(Dm->RunSQL("insert into OperLimit (F_OperName, F_lmtName) values ('张三', '房产住户')"));
    OperName = "张三";
    EXPECT_TRUE(Dm->HasRight("301"));
    EXPECT_FALSE(Dm->HasRight("201"));
    OperName = "x' or '1'='1";
    EXPECT_FALSE(Dm->HasRight("301"));
    EXPECT_TRUE(Messages.empty());
}

TEST_F(Operations, AClosedConnectionIsOpenedAgainByTheNextOperation) {
    Connect();
    Dm->ADOcnn()->Close();
    EXPECT_EQ(Dm->GetString("select F_Name from OperList"), "admin");
}

} // namespace
