// The data clearing window on a fixture with rows in every business table: what each group
// empties, the one question, all or nothing, and a clearing that meets another station's write.
#include "app/core/DataClear.h"
#include "GridServicesFixture.h"
#include "app/core/AdminWindows.h"
#include "app/core/uFrmDataClear.h"
#include "app/core/uFrmMain.h"

#include "db/SqliteDatabase.h"
#include "gui/Interaction.h"
#include "gui/StdCtrls.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <thread>

namespace {

using ClearMessages = std::vector<std::pair<String, int>>;
using ClearCounts = std::map<String, String>;

class DataClearing : public GridServices {
protected:
    void SetUp() override {
        GridServices::SetUp();
        RegisterAdminWindows();
        Seed();
    }
    void TearDown() override {
        RegisterActionWindow(105, nullptr);
        GridServices::TearDown();
    }
    void Run(const String& sql) { ASSERT_TRUE(Dm->RunSQL(sql)) << sql; }
    // One row in every table the groups touch; two fees of the ledger paid by receipt R1, one of
    // them from the prepayment account (withdrawal 30), a voided receipt's withdrawal and refund
    // (20 each), a deposit of 100 and a withdrawal of 5 entered in the prepayment register.
    void Seed() {
        Run("insert into T_XQinfo (F_code, F_name) values ('001', 'A')");
        Run("insert into T_FCinfo (F_XQname, F_LDcode, F_code) values ('A', '1', '0101')");
        Run("insert into T_publicSet (F_code) values ('000001')");
        Run("insert into T_BJinfo (F_code) values ('000001')");
        Run("insert into T_XLinfo (F_code) values ('000001')");
        Run("insert into T_PJinfo (F_code) values ('P1')");
        Run("insert into T_pjJHrec (F_PJcode) values ('P1')");
        Run("insert into T_FYinfo (F_code) values ('001')");
        Run("insert into t_GTinfo (F_code) values ('001')");
        Run("insert into t_GTdetail (F_code) values ('001')");
        Run("insert into t_code (F_Name, F_type) values ('一层', 'lcjiegou')");
        Run("insert into T_wyFYrec (F_mainID, F_totalPrice, F_GTflag, F_JFflag, F_JFcode) values (1, 50, 0, "
            "true, 'R1')");
        Run("insert into T_wyFYrec (F_mainID, F_totalPrice, F_GTflag, F_JFflag, F_JFcode) values (1, 30, 0, "
            "true, 'R1')");
        Run("insert into T_wyFYrec (F_mainID, F_totalPrice, F_GTflag, F_JFflag, F_JFcode) values (1, 7, 1, "
            "false, '')");
        Run("insert into t_wyGTrec (F_GTid) values ('00000001')");
        Run("insert into T_wyFKrec (F_mainID, F_code, F_SKprice) values (1, 'R1', 80)");
        Run("insert into T_YSKrec (F_mainID, F_price, F_billCode, F_memo1, F_OperFlag) values (1, 100, '', "
            "'存入', 1)");
        Run("insert into T_YSKrec (F_mainID, F_price, F_billCode, F_memo1, F_OperFlag) values (1, 5, '', "
            "'支取', -1)");
        Run("insert into T_YSKrec (F_mainID, F_price, F_billCode, F_memo1, F_OperFlag) values (1, 30, '', "
            "'支出物业费', -1)");
        Run("insert into T_YSKrec (F_mainID, F_price, F_billCode, F_memo1, F_OperFlag) values (1, 20, '', "
            "'支出物业费', -1)");
        Run("insert into T_YSKrec (F_mainID, F_price, F_billCode, F_memo1, F_OperFlag) values "
            "(1, 20, 'R0', '作废收款单退回', 1)");
        Run("insert into T_carPos (F_code) values ('C1')");
        Run("insert into T_ZHBX (F_code) values ('001')");
        Run("insert into t_ZHBXdetail (F_code) values ('001')");
        Run("insert into T_YJinfo (F_code) values ('001')");
    }
    // What the groups may change, each as one value.
    ClearCounts Probe() {
        const std::vector<std::pair<String, String>> probes = {
            {"XQ", "select count(*) from T_XQinfo"},
            {"FC", "select count(*) from T_FCinfo"},
            {"PS", "select count(*) from T_publicSet"},
            {"BJ", "select count(*) from T_BJinfo"},
            {"XL", "select count(*) from T_XLinfo"},
            {"PJ", "select count(*) from T_PJinfo"},
            {"PJJH", "select count(*) from T_pjJHrec"},
            {"FY", "select count(*) from T_FYinfo"},
            {"GTD", "select count(*) from t_GTdetail"},
            {"GTI", "select count(*) from t_GTinfo"},
            {"CODE", "select count(*) from t_code where F_type <> 'sftype'"},
            {"SFT", "select count(*) from t_code where F_type = 'sftype'"},
            {"FEE0", "select count(*) from T_wyFYrec where F_GTflag = 0"},
            {"FEE1", "select count(*) from T_wyFYrec where F_GTflag = 1"},
            {"PAID", "select count(*) from T_wyFYrec where F_JFflag = true or F_JFcode <> ''"},
            {"GTR", "select count(*) from t_wyGTrec"},
            {"FK", "select count(*) from T_wyFKrec"},
            {"YSK", "select count(*) from T_YSKrec"},
            {"BAL", "select sum(F_price * F_OperFlag) from T_YSKrec"},
            {"CAR", "select count(*) from T_carPos"},
            {"BX", "select count(*) from T_ZHBX"},
            {"BXD", "select count(*) from t_ZHBXdetail"},
            {"YJ", "select count(*) from T_YJinfo"},
        };
        ClearCounts counts;
        for (const auto& [name, sql] : probes)
            counts[name] = Rows(sql).at(0);
        return counts;
    }
    // Opens the window as action 105 does and plays it.
    void Open(std::function<void(TFrmDataClear*)> play) {
        User.Form([play](TCustomForm* form) {
            auto* window = dynamic_cast<TFrmDataClear*>(form);
            EXPECT_NE(window, nullptr);
            if (window) play(window);
            return static_cast<int>(mrCancel);
        });
        ASSERT_TRUE(HasActionWindow(105));
        ModalActionWindow<TFrmDataClear>(1)(nullptr);
    }
    void ClearGroup(int group) {
        Open([group](TFrmDataClear* window) {
            window->Boxes.at(group)->SetChecked(true);
            window->btnOk->Click();
        });
    }
    TScriptedResponder User;
    TInteractionScope Scope{User};
};

TEST_F(DataClearing, TheWindowShowsTheSixteenGroupsUntickedInItsOrder) {
    Open([](TFrmDataClear* window) {
        EXPECT_EQ(window->Caption(), "数据清理");
        std::vector<std::pair<int, String>> placed;
        for (TCheckBox* box : window->Boxes) {
            EXPECT_FALSE(box->Checked());
            placed.emplace_back(box->Left() / 100 * 1000 + box->Top(), box->Caption());
        }
        std::sort(placed.begin(), placed.end());
        std::vector<String> shown;
        for (const auto& p : placed)
            shown.push_back(p.second);
        EXPECT_EQ(shown, (std::vector<String>{"楼宇信息资料", "房屋信息档案", "小区公共设施", "保洁绿化",
                                              "保安巡逻", "配件管理", "物业收费项目", "公摊费用项目",
                                              "车位管理", "住户预交款", "选项...", "物业应交费用",
                                              "物业公摊费用", "住户交费记录", "报修管理", "建议意见"}));
        window->btnAll->Click();
        for (TCheckBox* box : window->Boxes)
            EXPECT_TRUE(box->Checked());
        window->btnNone->Click();
        for (TCheckBox* box : window->Boxes)
            EXPECT_FALSE(box->Checked());
    });
}

// Each group alone: what it empties, and nothing else.
TEST_F(DataClearing, EachGroupEmptiesItsTablesAndNothingElse) {
    const std::vector<ClearCounts> changes = {
        {{"XQ", "0"}},
        {{"FC", "0"}},
        {{"PS", "0"}},
        {{"BJ", "0"}},
        {{"XL", "0"}},
        {{"PJ", "0"}}, // the stock movements stay
        {{"FY", "0"}},
        {{"GTD", "0"}, {"GTI", "0"}},
        {{"CODE", "0"}}, // the charging methods stay
        {{"FEE0", "0"}, {"PAID", "0"}},
        {{"FEE1", "0"}, {"GTR", "0"}},
        // Receipts: the fees unpaid, the account as before the collections (the collections'
        // withdrawals and the void's refund go), the deposits and the register's withdrawal kept.
        {{"FK", "0"}, {"PAID", "0"}, {"YSK", "2"}, {"BAL", "95"}},
        {{"YSK", "0"}, {"BAL", ""}},
        {{"CAR", "0"}},
        {{"BX", "0"}, {"BXD", "0"}},
        {{"YJ", "0"}},
    };
    ASSERT_EQ(changes.size(), ClearGroups().size());
    const ClearCounts before = Probe();
    EXPECT_EQ(before.at("BAL"), "65");
    for (size_t group = 0; group < changes.size(); ++group) {
        Dm->ADOcnn()->BeginTrans();
        Messages.clear();
        ClearGroup(static_cast<int>(group));
        ClearCounts expected = before;
        for (const auto& [probe, value] : changes[group])
            expected[probe] = value;
        EXPECT_EQ(Probe(), expected) << ClearGroups()[group].Caption;
        EXPECT_EQ(Messages, (ClearMessages{{MsgClearQuestion, 1}, {MsgClearDone, 0}}))
            << ClearGroups()[group].Caption;
        Dm->ADOcnn()->RollbackTrans(); // the next group starts from the same rows
    }
    EXPECT_EQ(Rows("select F_JFflag, F_JFcode from T_wyFYrec where F_GTflag = 0"),
              std::vector<String>(2, "True|R1"));
}

TEST_F(DataClearing, ReceiptsClearedLeaveTheFeesUnpaidWithAnEmptyReceiptNumber) {
    ClearGroup(11);
    EXPECT_EQ(Rows("select F_JFflag, F_JFcode from T_wyFYrec order by F_ID"),
              std::vector<String>(3, "False|"));
    EXPECT_EQ(Rows("select F_memo1 from T_YSKrec order by F_ID"), (std::vector<String>{"存入", "支取"}));
}

TEST_F(DataClearing, NothingTickedStillAsksAndSucceeds) {
    const ClearCounts before = Probe();
    Open([](TFrmDataClear* window) { window->btnOk->Click(); });
    EXPECT_EQ(Messages, (ClearMessages{{MsgClearQuestion, 1}, {MsgClearDone, 0}}));
    EXPECT_EQ(Probe(), before);
}

TEST_F(DataClearing, TheAnswerNoClearsNothing) {
    const ClearCounts before = Probe();
    Answer = 2;
    Open([](TFrmDataClear* window) {
        window->btnAll->Click();
        window->btnOk->Click();
        EXPECT_TRUE(window->Boxes[0]->Checked()); // the boxes stay as they were
    });
    EXPECT_EQ(Messages, (ClearMessages{{MsgClearQuestion, 1}}));
    EXPECT_EQ(Probe(), before);
}

// A statement of the last group fails: every group of the run is undone.
TEST_F(DataClearing, AFailureInTheLastGroupUndoesEveryGroup) {
    Dm->ADOcnn()->Database().ExecuteSql(
        "CREATE TRIGGER refuse_clear BEFORE DELETE ON T_YJinfo BEGIN SELECT RAISE(ABORT, 'refused'); END");
    const ClearCounts before = Probe();
    Open([](TFrmDataClear* window) {
        window->btnAll->Click();
        window->btnOk->Click();
    });
    EXPECT_EQ(Messages, (ClearMessages{{MsgClearQuestion, 1}, {MsgClearFailed, 3}}));
    EXPECT_EQ(Probe(), before);
    // The connection is free for the next work.
    EXPECT_FALSE(Dm->ADOcnn()->InTransaction());
    EXPECT_TRUE(Dm->RunSQL("delete from T_XQinfo"));
}

// Another station is in the middle of a write: the clearing waits for it, then clears what it
// wrote too.
TEST_F(DataClearing, AClearingDuringAnotherStationsWriteWaitsThenClearsWhole) {
    auto other = std::make_unique<TdmData>(nullptr);
    ASSERT_TRUE(other->DataModuleCreate());
    std::atomic<bool> writing{false};
    std::thread station([&] {
        other->ADOcnn()->BeginTrans();
        other->ADOcnn()->Execute("insert into T_YJinfo (F_code) values ('002')");
        writing = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        other->ADOcnn()->CommitTrans();
    });
    while (!writing)
        std::this_thread::yield();
    Open([](TFrmDataClear* window) {
        window->btnAll->Click();
        window->btnOk->Click();
    });
    station.join();
    EXPECT_EQ(Messages, (ClearMessages{{MsgClearQuestion, 1}, {MsgClearDone, 0}}));
    const ClearCounts after = Probe();
    for (const auto& [probe, value] : after)
        if (probe != "SFT" && probe != "PJJH") {
            EXPECT_TRUE(value == "0" || value.empty()) << probe << " " << value;
        }
    EXPECT_EQ(after.at("SFT"), "4");
}

} // namespace
