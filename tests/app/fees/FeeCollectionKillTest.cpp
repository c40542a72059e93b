// Collections and voids from second programs on one database file: two programs collecting 300
// receipts each never share a number or a row; a program collecting (cash and "预收款") and voiding
// at random, killed (SIGKILL) at a random moment or right after its k-th statement hundreds of
// times, leaves receipts, fee rows and prepayment balances in step after every kill. The second
// programs are this executable, started with the worker's filter; they run the same units
// (CollectFees, VoidReceipt) the windows call.
#include "CollectionFixture.h"

#include "db/SqliteDatabase.h"
#include "rtl/StrUtils.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace {

const char* const kFolderVar = "ORV_COLLECT_FOLDER";
const char* const kModeVar = "ORV_COLLECT_MODE"; // "numbers" or "churn"
const char* const kSeedVar = "ORV_COLLECT_SEED";
const char* const kKillAfterVar = "ORV_COLLECT_KILL_AFTER";

pid_t SpawnWorker(const String& folder, const String& mode, unsigned seed, int killAfter) {
    std::vector<String> vars = {String(kFolderVar) + "=" + folder, String(kModeVar) + "=" + mode,
                                String(kSeedVar) + "=" + std::to_string(seed),
                                String(kKillAfterVar) + "=" + std::to_string(killAfter)};
    std::vector<char*> env;
    for (char** e = environ; *e; ++e)
        env.push_back(*e);
    for (String& var : vars)
        env.push_back(var.data());
    env.push_back(nullptr);
    char filter[] = "--gtest_filter=CollectionWorker.*";
    char self[] = "/proc/self/exe";
    char* argv[] = {self, filter, nullptr};
    pid_t pid = 0;
    EXPECT_EQ(posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, argv, env.data()), 0);
    return pid;
}

class CollectionKill : public Collection {
protected:
    // More rows to collect: each of the four houses gets rows of 1.00 to 9.99 (exact cents).
    void AddRows(int perHouse) {
        Dm->ADOcnn()->BeginTrans();
        int n = 0;
        for (int house : {House101, House102, House301, OtherEstate101})
            for (int i = 0; i < perHouse; ++i, ++n) {
                TFeeRow row;
                row.House = house;
                row.Room = "R" + IntToStr(house);
                row.Owner = "业主";
                row.Estate = "绿园";
                row.Method = "按自定义";
                row.Item = "车位费";
                row.Amount = "1";
                row.Total = FloatToStr(1 + (n * 37 % 900) / 100.0);
                row.Price = row.Total;
                row.SFdate = "2027-04-30";
                AddFee(row);
            }
        Dm->ADOcnn()->CommitTrans();
    }
    String IntegrityCheck() {
        auto st = Dm->ADOcnn()->Database().Prepare("PRAGMA integrity_check");
        return st->Step() ? st->ColumnValue(0).AsString() : String();
    }
    // "F_ID|F_totalPrice" of every fee row.
    std::vector<String> FeeRows() { return Rows("select F_ID, F_totalPrice from T_wyFYrec order by F_ID"); }
    std::map<int, Currency> Balances() {
        std::map<int, Currency> balances;
        TADOQuery q;
        q.SetConnection(Dm->ADOcnn());
        q.SQL()->SetText("select F_mainID, sum(F_price * F_OperFlag) from T_YSKrec group by F_mainID");
        q.Open();
        for (; !q.Eof(); q.Next())
            balances[q.Fields()[0]->AsInteger()] = q.Fields()[1]->AsCurrency();
        return balances;
    }
    // Receipts, rows and balances in step.
    void ExpectConsistent(const std::vector<String>& fixtureRows, const std::map<int, Currency>& fixtureBalances) {
        EXPECT_EQ(IntegrityCheck(), "ok");
        EXPECT_EQ(FeeRows(), fixtureRows) << "a fee row lost, doubled or re-priced";
        EXPECT_EQ(One("select count(*) - count(distinct F_code) from T_wyFKrec"), "0");
        struct TReceipt {
            int House;
            int Rows;
            Currency Total;
            bool Prepaid;
            Currency Received;
        };
        std::map<String, TReceipt> receipts;
        {
            TADOQuery q;
            q.SetConnection(Dm->ADOcnn());
            q.SQL()->SetText("select F_code, F_mainID, F_XDnum, F_FKprice, F_SKtype, F_SKprice from T_wyFKrec");
            q.Open();
            for (; !q.Eof(); q.Next())
                receipts[q.Fields()[0]->AsString()] = {q.Fields()[1]->AsInteger(), q.Fields()[2]->AsInteger(),
                                                       q.Fields()[3]->AsCurrency(),
                                                       Trim(q.Fields()[4]->AsString()) == PrepaymentPayType,
                                                       q.Fields()[5]->AsCurrency()};
        }
        std::map<String, std::pair<int, Currency>> settled;
        TADOQuery rows;
        rows.SetConnection(Dm->ADOcnn());
        rows.SQL()->SetText("select F_JFflag, F_JFcode, F_totalPrice from T_wyFYrec");
        rows.Open();
        for (; !rows.Eof(); rows.Next()) {
            const bool paid = rows.Fields()[0]->AsBoolean();
            const String code = rows.Fields()[1]->AsString();
            if (!paid) {
                EXPECT_EQ(code, "") << "an unpaid row names a receipt";
                continue;
            }
            EXPECT_TRUE(receipts.count(code)) << "a paid row names no live receipt: " << code;
            settled[code].first += 1;
            settled[code].second += rows.Fields()[2]->AsCurrency();
        }
        std::map<int, Currency> expected = fixtureBalances;
        for (const auto& [code, receipt] : receipts) {
            EXPECT_EQ(settled[code].first, receipt.Rows) << code;
            EXPECT_EQ(settled[code].second, receipt.Total) << code;
            if (receipt.Prepaid) expected[receipt.House] -= receipt.Received;
        }
        const std::map<int, Currency> balances = Balances();
        for (const auto& [house, balance] : expected) {
            const auto found = balances.find(house);
            const Currency actual = found == balances.end() ? Currency() : found->second;
            EXPECT_EQ(actual, balance) << "house " << house;
            EXPECT_GE(actual, Currency()) << "house " << house;
        }
    }
};

TEST_F(CollectionKill, TwoProgramsNeverShareANumberOrARow) {
    Dm->RunSQL("delete from T_wyFYrec");
    AddRows(160);
    const pid_t first = SpawnWorker(Dir.Path(), "numbers", 1, 0);
    const pid_t second = SpawnWorker(Dir.Path(), "numbers", 2, 0);
    for (pid_t pid : {first, second}) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(One("select count(*), count(distinct F_code) from T_wyFKrec"), "600|600");
    EXPECT_EQ(One("select count(*) from T_wyFYrec where F_JFflag = true"), "600");
    EXPECT_EQ(One("select count(distinct F_JFcode) from T_wyFYrec where F_JFflag = true"), "600");
    EXPECT_EQ(One("select min(F_code), max(F_code) from T_wyFKrec"), "20270405001|20270405600");
    ExpectConsistent(FeeRows(), Balances());
}

TEST_F(CollectionKill, ReceiptsRowsAndBalancesStayInStepAfterEveryKill) {
    AddRows(40);
    Deposit(House101, "500");
    Deposit(House102, "80.5");
    const std::vector<String> fixtureRows = FeeRows();
    const std::map<int, Currency> fixtureBalances = Balances();
    const unsigned seed = std::random_device{}();
    std::printf("collection kill test seed %u\n", seed);
    std::mt19937 random(seed);
    constexpr int kills = 200;
    int killedMidway = 0;
    for (int round = 0; round < kills; ++round) {
        const bool byStatement = round % 2 == 1;
        const int killAfter = byStatement ? std::uniform_int_distribution<int>(1, 400)(random) : 0;
        const unsigned workerSeed = random();
        SCOPED_TRACE("seed " + std::to_string(seed) + ", round " + std::to_string(round) + ", worker seed " +
                     std::to_string(workerSeed) + ", kill after statement " + std::to_string(killAfter));
        const pid_t pid = SpawnWorker(Dir.Path(), "churn", workerSeed, killAfter);
        ASSERT_GT(pid, 0);
        if (!byStatement) {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::uniform_int_distribution<int>(60, 500)(random)));
            kill(pid, SIGKILL);
        }
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) ++killedMidway;
        ExpectConsistent(fixtureRows, fixtureBalances);
        if (HasFailure()) break;
    }
    std::printf("%d of %d workers killed before their end\n", killedMidway, kills);
    EXPECT_GE(killedMidway, kills / 2) << "the worker ran to its end too often to test anything";
    EXPECT_GT(StrToInt(One("select count(*) from T_wyFKrec")), 0);
}

// The second program of the tests above; runs only when one of them starts it.
TEST(CollectionWorker, CollectsAndVoidsAtRandom) {
    const char* folder = std::getenv(kFolderVar);
    if (!folder) GTEST_SKIP() << "started by the CollectionKill tests";
    const String mode = std::getenv(kModeVar);
    std::mt19937 random(static_cast<unsigned>(std::strtoul(std::getenv(kSeedVar), nullptr, 10)));
    const int killAfter = std::atoi(std::getenv(kKillAfterVar));
    int statements = 0;
    if (killAfter > 0)
        TSqliteDatabase::SetStatementObserver([&statements, killAfter](const String&) {
            if (++statements > killAfter) raise(SIGKILL);
        });
    // Churning programs collect on days of their own, so no day runs out of its 999 numbers.
    const unsigned day = mode == "churn" ? static_cast<unsigned>(random() % 200) : 0;
    TClockOverride clock(EncodeDate(2027, 4, 5) + day + EncodeTime(10, 0, 0, 0));
    SetProgramFolder(folder);
    TdmData dm(nullptr);
    ASSERT_TRUE(dm.DataModuleCreate());
    dmData = &dm;
    FormatSettings().DateSeparator = '-';
    FormatSettings().ShortDateFormat = "yyyy-MM-dd";
    OperName = "admin";
    IsAdmin = true;
    SetShowMessHandler([](const String&, int) { return 1; });
    std::vector<int> houses;
    {
        TADOQuery ids;
        ids.SetConnection(dm.ADOcnn());
        ids.SQL()->SetText("select distinct F_mainID from T_wyFYrec");
        ids.Open();
        for (; !ids.Eof(); ids.Next())
            houses.push_back(ids.Fields()[0]->AsInteger());
    }
    ASSERT_FALSE(houses.empty());
    auto pick = [&](int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); };
    // One collection of a house's unpaid rows: the first (numbers) or a random few (churn).
    auto collect = [&](int house, bool some, bool prepaid) {
        TADOQuery rows;
        rows.SetConnection(dm.ADOcnn());
        rows.SetLockType(ltBatchOptimistic);
        rows.SQL()->SetText("select * from T_wyFYrec where F_JFflag = false and F_mainID = :house order by F_ID");
        rows.Parameters()->ParamByName("house")->SetValue(house);
        rows.Open();
        if (rows.IsEmpty()) return false;
        TFeeReceipt receipt;
        receipt.HouseId = house;
        receipt.XQname = "绿园";
        receipt.QFnum = rows.RecordCount();
        rows.MoveBy(some ? pick(rows.RecordCount()) : 0);
        const int count = some ? 1 + pick(3) : 1;
        for (int i = 0; i < count && !rows.Eof(); ++i, rows.Next()) {
            rows.Edit();
            rows.FieldByName("F_JFflag")->SetAsBoolean(true);
            rows.Post();
            ++receipt.XDnum;
            receipt.FKprice += rows.FieldByName("F_totalPrice")->AsCurrency();
        }
        receipt.YHprice = some && pick(3) == 0 ? Currency::FromRaw(100 * pick(50)) : Currency();
        if (receipt.YHprice > receipt.FKprice) receipt.YHprice = Currency();
        receipt.SKtype = prepaid ? PrepaymentPayType : String("现  金");
        receipt.SKprice = prepaid ? receipt.YSprice() : receipt.YSprice() + Currency::FromInt(pick(20));
        receipt.JFdate = Date();
        String code;
        return CollectFees(&rows, receipt, code);
    };
    if (mode == "numbers") {
        for (int collected = 0, tries = 0; collected < 300 && tries < 5000; ++tries)
            if (collect(houses[static_cast<size_t>(pick(static_cast<int>(houses.size())))], false, false)) ++collected;
        return;
    }
    for (int step = 0; step < 1000; ++step) {
        const int choice = pick(4);
        if (choice == 0) {
            TADOQuery codes;
            codes.SetConnection(dm.ADOcnn());
            codes.SQL()->SetText("select F_code from T_wyFKrec");
            codes.Open();
            if (codes.IsEmpty()) continue;
            codes.MoveBy(pick(codes.RecordCount()));
            VoidReceipt(codes.Fields()[0]->AsString());
            continue;
        }
        collect(houses[static_cast<size_t>(pick(static_cast<int>(houses.size())))], true, choice == 3);
    }
}

} // namespace
