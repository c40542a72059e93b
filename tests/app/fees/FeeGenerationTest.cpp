// Batch generation: the estate's houses billed by the method in exact money into the ledger's
// client batch, the period dates by IncMonth, the exact estate within the scope, no period billed
// twice (also when another station saved it meanwhile), and nothing stored before the save.
#include "FeeScenario.h"

#include "app/fees/FeeGeneration.h"

#include "grid/DBGridGx.h"
#include "gui/ActnList.h"
#include "gui/ComCtrls.h"
#include "gui/StdCtrls.h"
#include "rtl/ScopeGuards.h"

namespace {

class FeeGeneration : public FeeScenario {};

TEST_F(FeeGeneration, TheAreaItemIsPendingUntilSavedThenStoredExactly) {
    auto ledger = LedgerOn("按面积", "物业管理费");
    Generate(*ledger);
    EXPECT_TRUE(ledger->Pending());
    EXPECT_TRUE(ledger->DBGridGx2->ReadOnly()); // the grids stay read-only
    EXPECT_EQ(One("select count(*) from T_wyFYrec where F_SFname = '物业管理费'"), "0");
    EXPECT_EQ(Listed(*ledger, "F_FZcode"), (std::vector<String>{"1-0101", "1-0102", "2-0301"}));
    ASSERT_TRUE(ledger->SaveEditClick());
    EXPECT_EQ(Stored("物业管理费"), (std::vector<String>{
                                       "1-0101|2027-02-28|2027-03-31|2027-04-30|0|86.5|86.5|1.5|129.75",
                                       "1-0102|2027-02-28|2027-03-31|2027-04-30|0|120|120|1.5|180",
                                       "2-0301|2027-02-28|2027-03-31|2027-04-30|0|65.35|65.35|1.5|98.025",
                                   }));
    EXPECT_EQ(One("select F_editDate, F_SFtype, F_memo1, F_JFflag, F_GTflag, F_OperName from T_wyFYrec "
                  "where F_FZcode = '2-0301' and F_SFname = '物业管理费'"),
              "2027-05-31|按面积||False|0|");
    EXPECT_EQ(One("select sum(F_totalPrice) from T_wyFYrec where F_SFname = '物业管理费'"), "407.775");
    EXPECT_TRUE(Messages.empty());
}

TEST_F(FeeGeneration, TheQuantityFollowsTheMethod) {
    struct TCase {
        const char* Method;
        const char* Item;
        std::vector<String> Rows; // room|previous|current|amount|total
    };
    const TCase cases[] = {
        {"按住户", "卫生费", {"1-0101|0|3|3|15", "1-0102|0|4|4|20", "2-0301|0|1|1|5"}},
        {"按自定义", "车位费", {"1-0101|0|3|3|6", "1-0102|0|4|4|8", "2-0301|0|1|1|2"}},
        // Without an earlier row the meter starts at 0; with them at the highest one.
        {"按用量", "水费", {"1-0101|1200.25|1200.25|0|0", "1-0102|0|0|0|0", "2-0301|500|500|0|0"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Method);
        auto ledger = LedgerOn(c.Method, c.Item);
        Generate(*ledger);
        ASSERT_TRUE(ledger->SaveEditClick());
        EXPECT_EQ(Rows("select F_FZcode, F_Bamount, F_Eamount, F_amount, F_totalPrice from T_wyFYrec where F_SFname = '" +
                       String(c.Item) + "' and F_toDate = #2027-03-31# order by F_FZcode"),
                  c.Rows);
    }
}

TEST_F(FeeGeneration, ThePeriodStartsOneMonthBeforeItsEnd) {
    struct TCase {
        TDateTime End;
        const char* Start;
    };
    const TCase cases[] = {
        {EncodeDate(2027, 3, 31), "2027-02-28"},
        {EncodeDate(2028, 3, 31), "2028-02-29"},
        {EncodeDate(2027, 1, 15), "2026-12-15"},
    };
    for (const TCase& c : cases) {
        auto ledger = LedgerOn("按面积", "物业管理费");
        Generate(*ledger, "绿园", c.End);
        ledger->QryTable->First();
        EXPECT_EQ(ledger->QryTable->FieldByName("F_fromDate")->AsString(), c.Start);
        ledger->CancelEditClick();
    }
}

TEST_F(FeeGeneration, TheDialogProposesTodayAndADeadlineAMonthOn) {
    const TClockOverride endOfJanuary(EncodeDate(2027, 1, 31) + EncodeTime(8, 0, 0, 0));
    auto ledger = LedgerOn("按面积", "物业管理费");
    Play<TDLGwyfySCedit>([](TDLGwyfySCedit* dialog) {
        EXPECT_EQ(dialog->Caption(), "物业费用台帐生成");
        EXPECT_EQ(dialog->edtSFname->Text(), "物业管理费");
        EXPECT_TRUE(dialog->edtSFname->ReadOnly());
        EXPECT_EQ(dialog->dtpToDate->Date(), EncodeDate(2027, 1, 31));
        EXPECT_EQ(dialog->dtpSFdate->Date(), EncodeDate(2027, 2, 28));
        dialog->btnCancel->Click();
    });
    ledger->Action1->Execute();
    EXPECT_FALSE(ledger->Pending());
}

TEST_F(FeeGeneration, AnEmptyEstateKeepsTheDialogOpen) {
    auto ledger = LedgerOn("按面积", "物业管理费");
    Play<TDLGwyfySCedit>([](TDLGwyfySCedit* dialog) {
        dialog->cbbXQname->SetText("   ");
        dialog->btnOk->Click();
        EXPECT_EQ(dialog->ModalResult(), mrNone);
    });
    PlayGeneration("绿园", EncodeDate(2027, 3, 31)); // the second turn of the same dialog
    ledger->Action1->Execute();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0], std::make_pair(String("当前小区名称不能为空！"), 0));
    EXPECT_EQ(ledger->QryTable->RecordCount(), 3);
}

TEST_F(FeeGeneration, TheEstateIsTakenExactlyAndWithinTheScope) {
    AddHouse("A", "1", "A-1", "甲", 10, 1, "已销售");
    AddHouse("AB", "1", "AB-1", "乙", 20, 1, "已销售");
    struct TCase {
        const char* Typed;
        const char* Scope; // "" all estates
        std::vector<String> Rooms;
    };
    const TCase cases[] = {
        {"绿园", "", {"1-0101", "1-0102", "2-0301"}}, // not 绿园二期
        {" 绿园 ", "", {"1-0101", "1-0102", "2-0301"}},
        {"A", "", {"A-1"}}, // not AB
        {"a", "", {"A-1"}},
        {"绿", "", {}},
        {"绿园", "'绿园二期'", {}},
        {"绿园二期", "'绿园二期'", {"1-0101"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(String(c.Typed) + " / " + c.Scope);
        if (*c.Scope) RestrictTo(c.Scope);
        auto ledger = LedgerOn("按面积", "物业管理费");
        Generate(*ledger, c.Typed);
        std::vector<String> rooms;
        for (const String& room : Listed(*ledger, "F_FZcode"))
            rooms.push_back(room);
        EXPECT_EQ(rooms, c.Rooms);
        EXPECT_EQ(ledger->Pending(), !c.Rooms.empty());
        ledger->CancelEditClick();
    }
}

TEST_F(FeeGeneration, CancellingLeavesTheDatabaseAsItWas) {
    const String before = One("select count(*) from T_wyFYrec");
    auto ledger = LedgerOn("按住户", "卫生费");
    Generate(*ledger);
    ledger->Action5->Execute();
    EXPECT_FALSE(ledger->Pending());
    EXPECT_EQ(ledger->QryTable->RecordCount(), 0);
    EXPECT_EQ(One("select count(*) from T_wyFYrec"), before);
}

TEST_F(FeeGeneration, APeriodIsNotBilledTwice) {
    auto ledger = LedgerOn("按面积", "物业管理费");
    Generate(*ledger);
    ASSERT_TRUE(ledger->SaveEditClick());
    Generate(*ledger);
    EXPECT_EQ(LastMessage(), "有 3 户本期费用已经存在，未重复生成！");
    EXPECT_EQ(Messages.back().second, 0);
    EXPECT_FALSE(ledger->Pending());
    EXPECT_EQ(One("select count(*) from T_wyFYrec where F_SFname = '物业管理费'"), "3");
    // Another period of the item, or the same period of another item, is billed.
    Generate(*ledger, "绿园", EncodeDate(2027, 4, 30));
    EXPECT_EQ(ledger->QryTable->RecordCount(), 6);
    ledger->CancelEditClick();
}

TEST_F(FeeGeneration, AHouseBilledForThePeriodIsSkippedTheOthersAdded) {
    // 1-0102's row of the period is stored but not listed (entered long ago).
    Dm->RunSQL("insert into T_wyFYrec (F_mainID, F_XQname, F_FZcode, F_toDate, F_editDate, F_SFtype, F_SFname) "
               "values (" + IntToStr(House102) + ", '绿园', '1-0102', '2027-03-31', '2027-01-01', '按面积', '物业管理费')");
    auto ledger = LedgerOn("按面积", "物业管理费");
    Generate(*ledger);
    EXPECT_EQ(LastMessage(), "有 1 户本期费用已经存在，未重复生成！");
    EXPECT_EQ(Listed(*ledger, "F_FZcode"), (std::vector<String>{"1-0101", "2-0301"}));
    EXPECT_TRUE(ledger->Pending());
}

TEST_F(FeeGeneration, TheSecondStationsSaveOfTheSamePeriodWritesNothing) {
    auto first = std::make_unique<TdmData>(nullptr);
    ASSERT_TRUE(first->DataModuleCreate());
    // Both stations generate the period; this one saves first, on its own connection.
    dmData = first.get();
    auto other = LedgerOn("按面积", "物业管理费");
    Generate(*other);
    dmData = Dm.get();
    auto ledger = LedgerOn("按面积", "物业管理费");
    Generate(*ledger);
    {
        dmData = first.get();
        const TScopeExit back([this] { dmData = Dm.get(); });
        ASSERT_TRUE(other->SaveEditClick());
    }
    EXPECT_FALSE(ledger->SaveEditClick());
    EXPECT_EQ(LastMessage(), "有 3 户本期费用已经存在，未重复生成！");
    EXPECT_TRUE(ledger->Pending());
    EXPECT_EQ(ledger->QryTable->RecordCount(), 3);
    EXPECT_EQ(One("select count(*) from T_wyFYrec where F_SFname = '物业管理费'"), "3");
    // Cancelled, the list shows the other station's rows.
    ledger->CancelEditClick();
    frmWYFYscgl = ledger.get();
    other.reset();
    ledger->QueryFeeLedger();
    EXPECT_EQ(ledger->QryTable->RecordCount(), 3);
}

TEST_F(FeeGeneration, PendingRowsAreCheckedOnTheirOwnPeriod) {
    // The pure checks: rows of two periods, one of them stored for one house.
    Dm->RunSQL("insert into T_wyFYrec (F_mainID, F_toDate, F_SFtype, F_SFname) values (" + IntToStr(House101) +
               ", '2027-03-31', '按面积', '物业管理费')");
    const std::vector<TPendingFeeRow> rows = {
        {House101, "按面积", "物业管理费", EncodeDate(2027, 3, 31)},
        {House101, "按面积", "物业管理费", EncodeDate(2027, 4, 30)},
        {House102, "按面积", "物业管理费", EncodeDate(2027, 3, 31)},
        {House101, "按住户", "物业管理费", EncodeDate(2027, 3, 31)},
    };
    EXPECT_EQ(PendingRowsAlreadyBilled(rows), 1);
    EXPECT_EQ(FeePeriodExistsMessage(12), "有 12 户本期费用已经存在，未重复生成！");
}

} // namespace
