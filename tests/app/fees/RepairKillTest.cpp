// Repairs saved and deleted by a second program that is killed (SIGKILL) at a random moment or
// right after its k-th statement, many times: after each kill every part row's stock is its
// fixture stock less the quantities of the live lines taken from it, and no line lacks its record.
// The second program is this executable, started with the worker's filter; it plays the register,
// the dialog and the picker through the responder as the user would.
#include "RepairsFixture.h"

#include "app/core/DataDm.h"

#include "controls/kxCurrEdit.h"
#include "db/SqliteDatabase.h"
#include "gui/ActnList.h"
#include "gui/StdCtrls.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <map>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace {

const char* const kFolderVar = "ORV_REPAIR_CHURN_FOLDER";
const char* const kSeedVar = "ORV_REPAIR_CHURN_SEED";
const char* const kKillAfterVar = "ORV_REPAIR_CHURN_KILL_AFTER";

// The parts the worker takes: picked by row (one code in both estates included) or typed by a
// code that names one part.
const char* const kTypedCodes[] = {"P02", "P03", "P10"};

class RepairKill : public Repairs {
protected:
    // The fixture's stock of every part row, by F_ID.
    std::map<int, double> Stocks() {
        std::map<int, double> stocks;
        for (const String& row : Rows("select F_ID, F_amount from T_PJinfo"))
            stocks[StrToInt(row.substr(0, row.find('|')))] = StrToFloat(row.substr(row.find('|') + 1));
        return stocks;
    }
    pid_t Spawn(unsigned seed, int killAfter) {
        std::vector<String> vars = {String(kFolderVar) + "=" + Dir.Path(), String(kSeedVar) + "=" + std::to_string(seed),
                                    String(kKillAfterVar) + "=" + std::to_string(killAfter)};
        std::vector<char*> env;
        for (char** e = environ; *e; ++e)
            env.push_back(*e);
        for (String& var : vars)
            env.push_back(var.data());
        env.push_back(nullptr);
        char filter[] = "--gtest_filter=RepairChurnWorker.*";
        char self[] = "/proc/self/exe";
        char* argv[] = {self, filter, nullptr};
        pid_t pid = 0;
        EXPECT_EQ(posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, argv, env.data()), 0);
        return pid;
    }
};

TEST_F(RepairKill, StockAndLinesStayConsistentAfterEveryKill) {
    const std::map<int, double> fixture = Stocks();
    const unsigned seed = std::random_device{}();
    std::printf("repair kill test seed %u\n", seed);
    std::mt19937 random(seed);
    constexpr int kills = 24;
    int killedMidway = 0;
    for (int round = 0; round < kills; ++round) {
        const bool byStatement = round % 2 == 1;
        const int killAfter = byStatement ? std::uniform_int_distribution<int>(1, 600)(random) : 0;
        const unsigned workerSeed = random();
        SCOPED_TRACE("seed " + std::to_string(seed) + ", round " + std::to_string(round) + ", worker seed " +
                     std::to_string(workerSeed) + ", kill after statement " + std::to_string(killAfter));
        const pid_t pid = Spawn(workerSeed, killAfter);
        ASSERT_GT(pid, 0);
        if (!byStatement) {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::uniform_int_distribution<int>(150, 900)(random)));
            kill(pid, SIGKILL);
        }
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) ++killedMidway;
        // Every part row: its fixture stock less the quantities of the live lines taken from it.
        std::map<int, double> expected = fixture;
        for (const String& row : Rows("select F_PJid, F_amount from t_ZHBXdetail"))
            expected[StrToInt(row.substr(0, row.find('|')))] -= StrToFloat(row.substr(row.find('|') + 1));
        EXPECT_EQ(Stocks(), expected);
        EXPECT_EQ(One("select count(*) from t_ZHBXdetail where F_code not in (select F_code from t_ZHBX)"), "0");
        EXPECT_EQ(One("select count(*) from t_ZHBXdetail where F_PJid is null"), "0");
    }
    EXPECT_GT(killedMidway, kills / 2) << "the worker ran to its end too often to test anything";
    EXPECT_GT(StrToInt(One("select count(*) from t_ZHBX")), 0);
}

// The second program of the test above; runs only when that test starts it. Adds repairs (one to
// three lines, picked or typed, quantities 1 to 3) and deletes them at random, for a while.
TEST(RepairChurnWorker, SavesAndDeletesRepairsAtRandom) {
    const char* folder = std::getenv(kFolderVar);
    if (!folder) GTEST_SKIP() << "started by RepairKill.StockAndLinesStayConsistentAfterEveryKill";
    std::mt19937 random(static_cast<unsigned>(std::strtoul(std::getenv(kSeedVar), nullptr, 10)));
    const int killAfter = std::atoi(std::getenv(kKillAfterVar));
    int statements = 0;
    if (killAfter > 0)
        TSqliteDatabase::SetStatementObserver([&statements, killAfter](const String&) {
            if (++statements > killAfter) raise(SIGKILL);
        });
    SetProgramFolder(folder);
    TdmData dm(nullptr);
    ASSERT_TRUE(dm.DataModuleCreate());
    dmData = &dm;
    FormatSettings().DateSeparator = '-';
    FormatSettings().ShortDateFormat = "yyyy-MM-dd";
    OperName = "admin";
    IsAdmin = true;
    SetShowMessHandler([](const String&, int) { return 1; });
    TScriptedResponder user;
    TInteractionScope scope(user);
    std::vector<int> parts;
    {
        TADOQuery ids;
        ids.SetConnection(dm.ADOcnn());
        ids.SQL()->SetText("select F_ID from T_PJinfo");
        ids.Open();
        for (ids.First(); !ids.Eof(); ids.Next())
            parts.push_back(ids.Fields()[0]->AsInteger());
    }
    TfrmCltBXGL reg(nullptr);
    reg.Show();
    auto pick = [&](int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); };
    for (int step = 0; step < 400; ++step) {
        if (pick(3) == 0 && !reg.ListEmpty()) {
            reg.QryTable->First();
            reg.QryTable->MoveBy(pick(reg.QryTable->RecordCount()));
            reg.DeleteRepair();
            continue;
        }
        user.Form([&](TCustomForm* form) {
            auto* d = dynamic_cast<TfrmCltBXedit*>(form);
            if (!d) return static_cast<int>(mrCancel);
            d->CheckBox1->SetChecked(false);
            d->edtFZname->SetText("业主" + std::to_string(step));
            d->ceFWprice->SetValue(pick(50));
            const int lines = 1 + pick(3);
            for (int i = 0; i < lines; ++i) {
                TADOQuery* detail = d->Register()->QryDetail;
                if (pick(2) == 0) {
                    const int id = parts[static_cast<size_t>(pick(static_cast<int>(parts.size())))];
                    user.Form([id](TCustomForm* inner) {
                        auto* picker = dynamic_cast<TDLGpjInfoXZ*>(inner);
                        if (picker && picker->QryTable->Active() && picker->QryTable->Locate("F_ID", id))
                            picker->AddMaterialLine();
                        return static_cast<int>(mrCancel);
                    });
                    d->PickParts();
                    if (detail->IsEmpty()) continue;
                    detail->Last();
                    detail->Edit();
                    detail->FieldByName("F_amount")->SetAsFloat(1 + pick(3));
                    detail->Post();
                } else {
                    detail->Append();
                    detail->FieldByName("F_PJcode")->SetAsString(kTypedCodes[pick(3)]);
                    detail->FieldByName("F_amount")->SetAsFloat(1 + pick(3));
                    detail->Post();
                    if (pick(2) == 0) d->LookUpMaterialCode();
                }
            }
            return d->SaveRepair() ? static_cast<int>(mrNone) : static_cast<int>(mrCancel);
        });
        reg.NewClick();
    }
}

} // namespace
