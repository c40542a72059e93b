// Re-dating: nothing to re-date, nothing selected, the selection of the active page only, and
// "作用于所有业主" over the rows the ledger lists; pending until saved.
#include "FeeScenario.h"

#include "app/fees/uDLGggDateEdit.h"

#include "controls/WnPageControl.h"
#include "grid/DBGridGx.h"
#include "grid/DBGridGxSelection.h"
#include "gui/ActnList.h"
#include "gui/StdCtrls.h"

namespace {

class FeeRedate : public FeeScenario {
protected:
    // The three items of the scenario, generated and saved for 绿园.
    std::unique_ptr<TfrmWYFYscgl> SavedLedger(const String& method, const String& item) {
        auto ledger = LedgerOn(method, item);
        Generate(*ledger);
        EXPECT_TRUE(ledger->SaveEditClick());
        return ledger;
    }
    // Plays the dialog with new dates (and every row when all).
    void PlayDates(bool all) {
        Play<TDLGggDateEdit>([all](TDLGggDateEdit* dialog) {
            EXPECT_EQ(dialog->Caption(), "修改当前抄表日期");
            EXPECT_FALSE(dialog->CheckBox1->Checked());
            EXPECT_EQ(dialog->dtpFromDate->Date(), EncodeDate(2027, 4, 30));
            EXPECT_EQ(dialog->dtpSFdate->Date(), EncodeDate(2027, 6, 30));
            dialog->dtpFromDate->SetDate(EncodeDate(2027, 3, 1));
            dialog->dtpToDate->SetDate(EncodeDate(2027, 3, 31));
            dialog->dtpSFdate->SetDate(EncodeDate(2027, 4, 15));
            dialog->CheckBox1->SetChecked(all);
            dialog->btnOk->Click();
        });
    }
    static void Select(TfrmWYFYscgl& ledger, TDBGridGx* grid, const String& room) {
        ASSERT_TRUE(ledger.QryTable->Locate("F_FZcode", room));
        grid->SelectedRows()->SetCurrentRowSelected(true);
    }
    std::vector<String> Dates(const String& item) {
        return Rows("select F_FZcode, F_fromDate, F_toDate, F_SFdate from T_wyFYrec where F_SFname = '" + item +
                    "' and F_editDate = #2027-05-31# order by F_FZcode");
    }
};

TEST_F(FeeRedate, AnEmptyListHasNothingToRedate) {
    auto ledger = LedgerOn("按面积", "物业管理费");
    ledger->Action2->Execute();
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{"没有交费记录需要修改！", 0}}));
    EXPECT_TRUE(User.Requests().empty());
}

TEST_F(FeeRedate, NothingSelectedChangesNothing) {
    auto ledger = SavedLedger("按面积", "物业管理费");
    PlayDates(false);
    ledger->Action2->Execute();
    EXPECT_EQ(LastMessage(), "请选择需要更改交费记录！");
    EXPECT_EQ(Messages.back().second, 0);
    EXPECT_FALSE(ledger->Pending());
}

TEST_F(FeeRedate, TheActivePagesSelectedRowsOnly) {
    struct TCase {
        const char* Method;
        const char* Item;
        int Page;
    };
    for (const TCase& c : {TCase{"按面积", "物业管理费", 1}, TCase{"按用量", "水费", 0}}) {
        SCOPED_TRACE(c.Item);
        auto ledger = SavedLedger(c.Method, c.Item);
        ASSERT_EQ(ledger->rpcList->ActivePageIndex(), c.Page);
        TDBGridGx* grid = c.Page == 0 ? ledger->DBGridGx1 : ledger->DBGridGx2;
        Select(*ledger, grid, "1-0101");
        Select(*ledger, grid, "2-0301");
        PlayDates(false);
        ledger->Action2->Execute();
        EXPECT_TRUE(ledger->Pending());
        EXPECT_EQ(Dates(c.Item)[0], "1-0101|2027-02-28|2027-03-31|2027-04-30"); // not yet saved
        ASSERT_TRUE(ledger->SaveEditClick());
        EXPECT_EQ(Dates(c.Item), (std::vector<String>{"1-0101|2027-03-01|2027-03-31|2027-04-15",
                                                      "1-0102|2027-02-28|2027-03-31|2027-04-30",
                                                      "2-0301|2027-03-01|2027-03-31|2027-04-15"}));
    }
}

TEST_F(FeeRedate, EveryListedRowButNoOther) {
    auto ledger = SavedLedger("按面积", "物业管理费");
    ledger->ComboBox1->SetItemIndex(0); // 房间编号
    ledger->Edit1->SetText("1-01");
    ASSERT_EQ(ledger->QryTable->RecordCount(), 2);
    PlayDates(true);
    ledger->Action2->Execute();
    ASSERT_TRUE(ledger->SaveEditClick());
    EXPECT_EQ(Dates("物业管理费"), (std::vector<String>{"1-0101|2027-03-01|2027-03-31|2027-04-15",
                                                      "1-0102|2027-03-01|2027-03-31|2027-04-15",
                                                      "2-0301|2027-02-28|2027-03-31|2027-04-30"}));
    EXPECT_TRUE(Messages.empty());
}

} // namespace
