// Numbering new rows through the data module: the read of the highest code and the insert run in
// one write transaction, and the numbered columns carry unique indexes, so codes never repeat,
// also with a second program instance numbering the same table at the same moment.
#include "AppFixture.h"
#include "app/core/CodeNumbering.h"

#include "db/ADODB.h"

#include <cstdlib>
#include <set>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

const char* const kHighest = "select max(F_code) from t_publicSet ";
const char* const kWorkerVar = "ORV_NUMBERING_WORKER_FOLDER";
constexpr int kRowsEach = 300;

// Inserts one facility with the given code through QryPub.
void InsertFacility(TdmData& dm, const String& code, const String& name) {
    dm.QryPub()->Close();
    dm.QryPub()->SQL()->SetText("insert into t_publicSet (F_code, F_name) values (:code, :name)");
    dm.QryPub()->Parameters()->ParamByName("code")->SetValue(code);
    dm.QryPub()->Parameters()->ParamByName("name")->SetValue(name);
    dm.QryPub()->ExecSQL();
}

void NumberRows(TdmData& dm, const String& name) {
    for (int i = 0; i < kRowsEach; ++i)
        dm.NextCode(kHighest, 6, [&](const String& code) { InsertFacility(dm, code, name); });
}

using Numbering = AppFixture;

TEST_F(Numbering, ACodeTakenByARowTheStatementDoesNotSeeMovesOnToTheNext) {
    Connect();
    InsertFacility(*Dm, "000004", "seen");
    InsertFacility(*Dm, "000005", "hidden");
    const String code = Dm->NextCode("select max(F_code) from t_publicSet where F_name <> 'hidden'", 6,
                                     [&](const String& c) { InsertFacility(*Dm, c, "new"); });
    EXPECT_EQ(code, "000006");
    EXPECT_EQ(Rows("select F_code from t_publicSet where F_name = 'new'"), std::vector<String>{"000006"});
    EXPECT_FALSE(Dm->ADOcnn()->InTransaction());
}

TEST_F(Numbering, AFailingInsertLeavesNothingBehind) {
    Connect();
    EXPECT_THROW(
        Dm->NewDatedCode("select max(F_code) from T_wyFKrec", "", 3,
                         [&](const String&) { Dm->ADOcnn()->Execute("insert into nowhere values (1)"); }),
        EDatabaseError);
    EXPECT_FALSE(Dm->ADOcnn()->InTransaction());
    EXPECT_EQ(Dm->GetInteger("select count(*) from T_wyFKrec"), 0);
}

TEST_F(Numbering, TheNumberedColumnsRefuseASecondRowWithTheSameCode) {
    Connect();
    const char* inserts[] = {
        "insert into T_XQinfo (F_code) values ('001')",
        "insert into T_FCinfo (F_XQname, F_LDcode, F_code) values ('E', '1', '101')",
        "insert into t_publicSet (F_code) values ('000001')",
        "insert into T_BJinfo (F_code) values ('000001')",
        "insert into T_XLinfo (F_code) values ('000001')",
        "insert into T_YJinfo (F_code) values ('001')",
        "insert into T_FYinfo (F_code) values ('001')",
        "insert into T_wyFKrec (F_code) values ('20260301001')",
        "insert into t_wyGTrec (F_GTid) values ('00000001')",
        "insert into T_ZHBX (F_code) values ('001')",
    };
    for (const char* sql : inserts) {
        SCOPED_TRACE(sql);
        Dm->ADOcnn()->Execute(sql);
        EXPECT_THROW(Dm->ADOcnn()->Execute(sql), EDatabaseKeyViolation);
    }
    // The same room code in another building is another house.
    Dm->ADOcnn()->Execute("insert into T_FCinfo (F_XQname, F_LDcode, F_code) values ('E', '2', '101')");
}

TEST_F(Numbering, TwoInstancesNumberingOneTableHandOutDistinctCodes) {
    Connect();
    const String folder = Dir.Path();
    const String var = String(kWorkerVar) + "=" + folder;
    std::vector<char*> env;
    for (char** e = environ; *e; ++e)
        env.push_back(*e);
    env.push_back(const_cast<char*>(var.c_str()));
    env.push_back(nullptr);
    char filter[] = "--gtest_filter=NumberingWorker.*";
    char self[] = "/proc/self/exe";
    char* argv[] = {self, filter, nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, argv, env.data()), 0);
    NumberRows(*Dm, "parent");
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const auto codes = Rows("select F_code from t_publicSet");
    EXPECT_EQ(codes.size(), 2u * kRowsEach);
    EXPECT_EQ(std::set<String>(codes.begin(), codes.end()).size(), 2u * kRowsEach);
    EXPECT_EQ(Dm->GetInteger("select count(*) from t_publicSet where F_name = 'worker'"), kRowsEach);
    EXPECT_TRUE(Messages.empty());
}

// The second instance of the test above; runs only when that test starts it.
TEST(NumberingWorker, NumbersRowsInTheFolderItIsGiven) {
    const char* folder = std::getenv(kWorkerVar);
    if (!folder) GTEST_SKIP() << "started by Numbering.TwoInstancesNumberingOneTableHandOutDistinctCodes";
    SetProgramFolder(folder);
    TdmData dm(nullptr);
    ASSERT_TRUE(dm.DataModuleCreate());
    NumberRows(dm, "worker");
}

} // namespace
