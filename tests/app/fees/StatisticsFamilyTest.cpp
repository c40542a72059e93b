// What the statistics members share: the member table, navigation, title sorting, keys, the row
// count, the period line, failures of the result and of the work-table statements, printing.
#include "StatisticsFixture.h"

#include "app/fees/FeeWindows.h"
#include "app/fees/uFrmBXdetailTj.h"
#include "app/fees/uFrmJFTZbillTJ.h"
#include "app/fees/uFrmKCPJdetailTJ.h"

#include "app/core/uFrmMain.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"
#include "gui/Menus.h"
#include "gridprint/PrvFrmGx.h"
#include "gui/Metafile.h"
#include "report/vrClass.h"
#include "report/vrPreviewPages.h"

namespace {

class StatisticsFamily : public Statistics {
protected:
    void SetUp() override {
        Statistics::SetUp();
        AddRepair("001", seed::EstateA, "101", "王一", "2027-05-02", "2027-05-03", "10", "5");
        AddRepair("002", seed::EstateB, "102", "赵二", "2027-05-04", "1900-08-14", "20", "0");
        AddRepair("003", seed::EstateA, "201", "孙三", "2027-05-06", "2027-05-08", "30", "7.5");
    }
    // A key sent to the filter panel; the window sees it first.
    static void Press(TStatisticsWindow& window, Word key, TShiftState shift = {}) {
        SimulateKeyDown(window.GroupBox1, key, shift);
    }
};

} // namespace

TEST_F(StatisticsFamily, TheMemberTableIsData) {
    struct TRow {
        const char* Class;
        int Action;
        const char* Caption;
        bool GridPrint;
        bool Descending;
        bool SortsMemo;
    };
    const TRow rows[] = {
        {"TfrmJFTZbillTJ", 401, "缴费通知单查询统计", false, true, false},
        {"TfrmJFSKbillTJ", 402, "交费收款单查询统计", false, true, false},
        {"TfrmWYQKbillTJ", 403, "个人欠费查询统计列表", false, true, false},
        {"TfrmKCPJdetailTJ", 404, "库存配件查询汇总统计", false, false, false},
        {"TfrmYJFYdetailTJ", 501, "应交费用明细统计", true, false, false},
        {"TfrmYJFYtotalTJ", 502, "应交费用汇总统计", true, false, false},
        {"TfrmZHJFdetailTJ", 503, "住户交费明细统计", true, true, false},
        {"TfrmZHJFtotalTJ", 504, "住户交费汇总统计", true, false, false},
        {"TfrmWYJYtotalTJ", 506, "物业收费经营分析统计", true, false, false},
        {"TfrmBXdetailTj", 505, "住户报修统计列表", true, false, true},
    };
    ASSERT_EQ(StatisticsMembers().size(), std::size(rows));
    for (const TRow& row : rows) {
        const TStatisticsMember& member = StatisticsMember(row.Class);
        EXPECT_EQ(member.Action, row.Action) << row.Class;
        EXPECT_EQ(member.Caption, row.Caption) << row.Class;
        EXPECT_EQ(member.GridPrint, row.GridPrint) << row.Class;
        EXPECT_EQ(member.FirstClickDescending, row.Descending) << row.Class;
        EXPECT_EQ(member.SortsMemo, row.SortsMemo) << row.Class;
    }
    EXPECT_FALSE(StatisticsMember("TfrmKCPJdetailTJ").ReportVariables);
    EXPECT_THROW(StatisticsMember("TfrmNone"), std::out_of_range);
    // The members that have come open from their actions.
    RegisterFeeWindows();
    for (int action : {401, 403, 404, 505})
        EXPECT_TRUE(HasActionWindow(action)) << action;
}

TEST_F(StatisticsFamily, NavigationEndStates) {
    auto window = Open<TfrmBXdetailTj>();
    window->QueryClick();
    ASSERT_EQ(CountPanel(*window), "记录数/3");
    auto states = [&] {
        return String(window->tbFirst->Enabled() ? "F" : "-") + (window->tbPrior->Enabled() ? "P" : "-") +
               (window->tbNext->Enabled() ? "N" : "-") + (window->tbLast->Enabled() ? "L" : "-");
    };
    window->FirstClick();
    EXPECT_EQ(states(), "--NL");
    window->NextClick();
    EXPECT_EQ(window->QryTable->RecNo(), 2);
    EXPECT_EQ(states(), "FPNL");
    window->PriorClick();
    window->PriorClick(); // at the first row: the beginning reached, the row stays
    window->PriorClick();
    EXPECT_EQ(window->QryTable->RecNo(), 1);
    EXPECT_EQ(states(), "--NL");
    window->LastClick();
    EXPECT_EQ(window->QryTable->RecNo(), 3);
    EXPECT_EQ(states(), "FP--");
    window->tbNext->SetEnabled(true);
    window->NextClick();
    window->NextClick();
    EXPECT_EQ(window->QryTable->RecNo(), 3);
    EXPECT_EQ(states(), "FP--");
}

TEST_F(StatisticsFamily, TitleClicksSortByTheMembersRule) {
    auto repairs = Open<TfrmBXdetailTj>();
    repairs->QueryClick();
    TColumnGx* code = repairs->DBGridGx1->ColumnByFieldName("F_code");
    TColumnGx* fault = repairs->DBGridGx1->ColumnByFieldName("F_memo1");
    repairs->TitleClick(code);
    EXPECT_EQ(code->Title()->SortMarker(), smUpGx);
    EXPECT_EQ(Column(*repairs, "F_code"), (std::vector<String>{"001", "002", "003"})) << "first click ASC";
    repairs->TitleClick(code);
    EXPECT_EQ(code->Title()->SortMarker(), smDownGx);
    EXPECT_EQ(Column(*repairs, "F_code"), (std::vector<String>{"003", "002", "001"}));
    // Another column clears the marker; the repair statistics sort memo columns too.
    Exec("update T_ZHBX set F_memo1 = 'c' where F_code = '001'");
    Exec("update T_ZHBX set F_memo1 = 'a' where F_code = '002'");
    Exec("update T_ZHBX set F_memo1 = 'b' where F_code = '003'");
    repairs->QueryClick();
    repairs->TitleClick(fault);
    EXPECT_EQ(code->Title()->SortMarker(), smNoneGx);
    EXPECT_EQ(fault->Title()->SortMarker(), smUpGx);
    EXPECT_EQ(Column(*repairs, "F_code"), (std::vector<String>{"002", "003", "001"}));

    // The payment notices: the first click sorts descending; a memo column is marked, not sorted.
    TFeeRow row;
    for (const char* room : {"B2", "A1", "C3"}) {
        row.Room = room;
        row.Memo = String("memo ") + room;
        AddFee(row);
    }
    auto notices = Open<TfrmJFTZbillTJ>();
    notices->edtFZcode->SetText("");
    notices->QueryClick();
    const std::vector<String> listed = Column(*notices, "F_FZcode");
    TColumnGx* room = notices->DBGridGx1->ColumnByFieldName("F_FZcode");
    notices->TitleClick(room);
    std::vector<String> rooms = Column(*notices, "F_FZcode");
    EXPECT_TRUE(std::is_sorted(rooms.rbegin(), rooms.rend())) << "first click DESC";
    notices->TitleClick(room);
    rooms = Column(*notices, "F_FZcode");
    EXPECT_TRUE(std::is_sorted(rooms.begin(), rooms.end()));
    TColumnGx* memo = notices->DBGridGx1->ColumnByFieldName("F_memo1");
    notices->TitleClick(memo);
    EXPECT_EQ(memo->Title()->SortMarker(), smUpGx);
    EXPECT_EQ(Column(*notices, "F_FZcode"), rooms) << "a memo column does not sort";
}

TEST_F(StatisticsFamily, GridPrintMembersWaitForTheFirstQuery) {
    auto window = Open<TfrmBXdetailTj>();
    for (TToolButton* button : {window->tbFirst, window->tbPrior, window->tbNext, window->tbLast, window->tbPrint,
                                window->tbSet, window->tbExpert})
        EXPECT_FALSE(button->Enabled()) << button->Name();
    EXPECT_TRUE(window->tbQuery->Enabled());
    Press(*window, VK_NEXT);
    Press(*window, VK_END);
    EXPECT_FALSE(window->QryTable->Active()) << "keys do nothing meanwhile";
    Press(*window, 'Q', TShiftState{ssCtrl});
    EXPECT_EQ(CountPanel(*window), "记录数/3");
    EXPECT_TRUE(window->tbPrint->Enabled());
    Press(*window, VK_END);
    EXPECT_EQ(window->QryTable->RecNo(), 3);
    Press(*window, VK_HOME);
    EXPECT_EQ(window->QryTable->RecNo(), 1);
    Press(*window, VK_NEXT);
    EXPECT_EQ(window->QryTable->RecNo(), 2);
    // Esc closes whatever the buttons' state.
    EnableNavButtons(window.get(), false);
    window->tbExit->SetEnabled(false);
    Press(*window, VK_ESCAPE);
    EXPECT_FALSE(window->Visible());

    // The other members keep every button enabled from the start.
    auto notices = Open<TfrmJFTZbillTJ>();
    EXPECT_TRUE(notices->tbPrint->Enabled());
    EXPECT_TRUE(notices->tbFirst->Enabled());
}

TEST_F(StatisticsFamily, MemDateFollowsThePickers) {
    auto window = Open<TfrmBXdetailTj>();
    Variant value;
    ASSERT_TRUE(window->vrReport1GetValue("memDate", value));
    EXPECT_EQ(VarToStr(value), "统计日期：自 启用系统 至 记帐最后一天");
    Tick(window->dtpFromDate, 2027, 5, 1);
    EXPECT_EQ(window->MemDate(), "统计日期：自 2027-05-01 至 记帐最后一天");
    Tick(window->dtpToDate, 2027, 5, 31);
    EXPECT_EQ(window->MemDate(), "统计日期：自 2027-05-01 至 2027-05-31");
    EXPECT_FALSE(window->vrReport1GetValue("sCaption", value));
    // The pickers start unticked on the month's first day and today.
    auto fresh = Open<TfrmBXdetailTj>();
    EXPECT_FALSE(fresh->dtpFromDate->Checked());
    EXPECT_EQ(fresh->dtpFromDate->Date(), EncodeDate(2027, 5, 1));
    EXPECT_EQ(fresh->dtpToDate->Date(), EncodeDate(2027, 5, 31));
}

TEST_F(StatisticsFamily, AFailingResultKeepsTheCountAndEmptiesTheGrid) {
    auto window = Open<TfrmBXdetailTj>();
    window->QueryClick();
    ASSERT_EQ(CountPanel(*window), "记录数/3");
    Exec("ALTER TABLE T_ZHBX RENAME TO T_ZHBXgone");
    window->QueryClick();
    EXPECT_EQ(LastMessage(), MsgOpenFailed);
    EXPECT_FALSE(window->QryTable->Active());
    EXPECT_EQ(CountPanel(*window), "记录数/3");
}

TEST_F(StatisticsFamily, AFailingWorkStatementEndsTheRunWithTheGridAsItWas) {
    auto window = Open<TfrmKCPJdetailTJ>();
    window->QueryClick();
    ASSERT_TRUE(window->QryTable->Active());
    const int listed = window->QryTable->RecordCount();
    ASSERT_GT(listed, 0);
    Exec("ALTER TABLE T_pjJHrec RENAME TO T_pjJHgone");
    User.Clear();
    User.Answer(1);
    window->QueryClick();
    ASSERT_EQ(User.Requests().size(), 1u);
    EXPECT_NE(User.Requests()[0].Text.find("T_pjJHrec"), String::npos) << User.Requests()[0].Text;
    EXPECT_TRUE(window->QryTable->Active());
    EXPECT_EQ(window->QryTable->RecordCount(), listed);
    // The statements before the failing one ran: the work table holds the parts alone.
    EXPECT_EQ(One("select count(*) from tempDepot where F_flag = 0"), One("select count(*) from T_PJinfo"));
}

TEST_F(StatisticsFamily, PrintingNeedsRowsAndToleratesAMissingLayout) {
    auto window = Open<TfrmBXdetailTj>();
    window->dtpFromDate->SetDate(EncodeDate(2030, 1, 1));
    window->dtpFromDate->SetChecked(true);
    window->QueryClick();
    ASSERT_EQ(CountPanel(*window), "记录数/0");
    window->PrintClick();
    EXPECT_EQ(window->vrReport1->PreparedPages()->GetPageCount(), 0) << "an empty result prints nothing";
    window->dtpFromDate->SetChecked(false);
    window->QueryClick();
    window->PrintClick(); // no layouts installed: an empty report, no message
    EXPECT_TRUE(Messages.empty());
    EXPECT_TRUE(User.Requests().empty());
}

TEST_F(StatisticsFamily, TheSecondFormatPrintsTheGridWithCaptionAndPeriod) {
    auto window = Open<TfrmBXdetailTj>();
    Tick(window->dtpFromDate, 2027, 5, 1);
    window->QueryClick();
    ASSERT_NE(window->PopupMenu2, nullptr);
    EXPECT_EQ(window->PopupMenu2->Items()->Count(), 2);
    window->PrintSecondClick();
    std::vector<String> texts;
    TPrinterPreview* recorder = SharedPrinterPreview();
    ASSERT_GT(recorder->RecordedPageCount(), 0);
    for (const TMetaTextRecord& r : recorder->RecordedPage(1)->TextRecords())
        texts.push_back(r.Text);
    for (const String& expected : {String("住户报修统计列表"), String("统计日期：自 2027-05-01 至 记帐最后一天"),
                                   String("打印日期：2027-05-31"), String("孙三")})
        EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected;
    if (TPreviewFormGx* preview = SharedPreviewForm()) preview->Hide();
}
