// The fee ledger window: opening, the charging method and its fee items, the pages, the search
// columns, the entry dates, the estate scope, deletion and the layout saved from the grid.
#include "FeesFixture.h"

#include "app/registers/ListSearchPanel.h"

#include "controls/WnPageControl.h"
#include "grid/DBGridGx.h"
#include "gui/ActnList.h"
#include "gui/ComCtrls.h"
#include "gui/StdCtrls.h"

namespace {

class FeeLedger : public Fees {};

TEST_F(FeeLedger, OpeningListsTheFirstItemOfTheFirstMethodFromTheFirstOfTheMonth) {
    TFeeRow row;
    for (const char* date : {"2027-04-30", "2027-05-01", "2027-05-31", "2027-06-01"}) {
        row.EditDate = date;
        AddFee(row);
    }
    auto ledger = OpenLedger();
    EXPECT_EQ(ledger->cbbListType->Text(), "按用量");
    EXPECT_EQ(ledger->CurSFtype, "按用量");
    EXPECT_EQ(ledger->CurSFname, "水费");
    EXPECT_EQ(ledger->CurSFprice, Currency::FromRaw(32000));
    EXPECT_EQ(ledger->Caption(), "应交物业费用管理-->水费");
    ASSERT_EQ(ledger->vleList->ItemCount(), 1);
    EXPECT_EQ(ledger->vleList->Items(0)->Caption(), "1");
    EXPECT_EQ(ledger->vleList->Column(1)->Caption(), "按用量");
    EXPECT_EQ(ledger->rpcList->ActivePageIndex(), 0);
    EXPECT_TRUE(ledger->dtpFromDate->Checked());
    EXPECT_EQ(ledger->dtpFromDate->Date(), EncodeDate(2027, 5, 1));
    EXPECT_EQ(ledger->dtpToDate->Date(), EncodeDate(2027, 5, 31));
    EXPECT_EQ(Listed(*ledger, "F_editDate"), (std::vector<String>{"2027-05-01", "2027-05-31"}));
    EXPECT_EQ(ledger->StatusBar->Panels(2)->Text(), "记录数：2");
    EXPECT_EQ(ledger->ComboBox1->ItemIndex(), -1);
    EXPECT_FALSE(ledger->Action4->Enabled());
    EXPECT_FALSE(ledger->Action5->Enabled());
    EXPECT_FALSE(ledger->tbQuery->Visible());
    EXPECT_TRUE(Messages.empty());
    // The dates bound the entry date both ways, each only while ticked.
    ledger->dtpFromDate->SetChecked(false);
    ledger->QueryFeeLedger();
    EXPECT_EQ(Listed(*ledger, "F_editDate"), (std::vector<String>{"2027-04-30", "2027-05-01", "2027-05-31"}));
    ledger->dtpToDate->SetChecked(false);
    ledger->QueryFeeLedger();
    EXPECT_EQ(Listed(*ledger, "F_editDate").size(), 4u);
    ledger->dtpFromDate->SetChecked(true);
    ledger->dtpFromDate->SetDate(EncodeDate(2027, 5, 31));
    ledger->QueryFeeLedger();
    EXPECT_EQ(Listed(*ledger, "F_editDate"), (std::vector<String>{"2027-05-31", "2027-06-01"}));
}

TEST_F(FeeLedger, TheMeterPageIsForExactlyTheUsageMethod) {
    Dm->RunSQL("insert into t_code (F_Name, F_type) values ('按用量计', 'sftype')");
    Dm->RunSQL(
        "insert into T_FYinfo (F_code, F_name, F_SFtype, F_SFprice) values ('004', '热水费', '按用量计', 8)");
    TFeeRow row;
    row.Method = "按面积";
    row.Item = "物业费";
    AddFee(row);
    auto ledger = OpenLedger();
    const struct {
        String Method, Item, Caption;
        int Page;
        Currency Price;
        size_t Rows;
    } cases[] = {
        {"按面积", "物业费", "应交物业费用管理-->物业费", 1, Currency::FromRaw(15000), 1},
        {"按用量", "水费", "应交物业费用管理-->水费", 0, Currency::FromRaw(32000), 0},
        {"按住户", "卫生费", "应交物业费用管理-->卫生费", 1, Currency::FromInt(10), 0},
        {"按用量计", "热水费", "应交物业费用管理-->热水费", 1, Currency::FromInt(8), 0},
        {"按自定义", "", "应交物业费用管理-->", 1, Currency(), 0}, // a method without items
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Method);
        ChooseMethod(*ledger, c.Method);
        EXPECT_EQ(ledger->CurSFname, c.Item);
        EXPECT_EQ(ledger->Caption(), c.Caption);
        EXPECT_EQ(ledger->rpcList->ActivePageIndex(), c.Page);
        EXPECT_EQ(ledger->CurSFprice, c.Price);
        EXPECT_EQ(ledger->vleList->ItemCount(), c.Item.empty() ? 0 : 1);
        EXPECT_EQ(ledger->vleList->Column(1)->Caption(), c.Method);
        EXPECT_EQ(Listed(*ledger, "F_ID").size(), c.Rows);
    }
    EXPECT_TRUE(Messages.empty());
}

TEST_F(FeeLedger, AClickOnAnItemListsItsRows) {
    Dm->RunSQL(
        "insert into T_FYinfo (F_code, F_name, F_SFtype, F_SFprice) values ('005', '电费', '按用量', 0.55)");
    TFeeRow row;
    row.Item = "电费";
    row.Memo = "电";
    AddFee(row);
    auto ledger = OpenLedger();
    ASSERT_EQ(ledger->vleList->ItemCount(), 2);
    EXPECT_EQ(ledger->vleList->Items(1)->Caption(), "2");
    ledger->vleList->SetItemIndex(1); // the user's click
    EXPECT_EQ(ledger->CurSFname, "电费");
    EXPECT_EQ(ledger->CurSFprice, Currency::FromRaw(5500));
    EXPECT_EQ(ledger->Caption(), "应交物业费用管理-->电费");
    EXPECT_EQ(Listed(*ledger, "F_memo1"), std::vector<String>{"电"});
}

TEST_F(FeeLedger, TheFourSearchColumnsMatchWhatIsTypedQuotesIncluded) {
    TFeeRow row;
    row.Room = "A'101";
    row.Owner = "O'Neil";
    row.Memo = "it's late";
    row.Estate = "海'景";
    AddFee(row);
    row.Room = "B202";
    row.Owner = "王五";
    row.Memo = "正常";
    row.Estate = "阳光小区";
    AddFee(row);
    auto ledger = OpenLedger();
    ASSERT_EQ(ledger->ComboBox1->Items()->Count(), 4);
    const char* captions[] = {"房间编号", "小区名称", "业主姓名", "备    注"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(ledger->ComboBox1->Items()->Strings(i), captions[i]);
    const struct {
        int Column;
        String Text;
        std::vector<String> Rooms;
    } cases[] = {
        {0, "'", {"A'101"}},   {0, "20", {"B202"}},   {1, "海'", {"A'101"}},
        {1, "阳光", {"B202"}}, {2, "O'N", {"A'101"}}, {2, "五", {"B202"}},
        {3, "t's", {"A'101"}}, {3, "'';--", {}},      {3, "", {"A'101", "B202"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        ledger->ComboBox1->SetItemIndex(c.Column);
        ledger->SearchPanel->ColumnChanged();
        ledger->Edit1->SetText(c.Text);
        EXPECT_EQ(Listed(*ledger, "F_FZcode"), c.Rooms);
    }
    EXPECT_TRUE(Messages.empty());
}

TEST_F(FeeLedger, ARestrictedOperatorSeesTheRowsOfItsEstates) {
    TFeeRow row;
    row.House = 1; // estate A
    AddFee(row);
    row.House = 2; // estate B
    AddFee(row);
    row.House = 3;
    const int noEstate = AddFee(row);
    Dm->RunSQL("update T_wyFYrec set F_XQname = '' where F_ID = " +
               IntToStr(noEstate)); // visible to everyone
    row.House = 4;
    const int nullEstate = AddFee(row);
    Dm->RunSQL("update T_wyFYrec set F_XQname = Null where F_ID = " + IntToStr(nullEstate));
    RestrictTo("'" + seed::EstateA + "'");
    auto ledger = OpenLedger();
    EXPECT_EQ(Listed(*ledger, "F_mainID"), (std::vector<String>{"1", "3", "4"}));
}

TEST_F(FeeLedger, DeletingAsksWithTheDeadlineAndRefusesAPaidRow) {
    TFeeRow row;
    row.SFdate = "2027-05-31";
    AddFee(row);
    row.SFdate = "2027-06-30";
    row.Paid = true;
    const int paid = AddFee(row);
    auto ledger = OpenLedger();
    ASSERT_EQ(Listed(*ledger, "F_ID").size(), 2u);
    User.Answer(IDOK);
    ledger->DeleteClick(); // the first, unpaid row
    ASSERT_EQ(User.Requests().size(), 1u);
    EXPECT_EQ(User.Requests()[0].Text, "真的要删除当前日期为 \"2027-05-31\" 物业费用记录吗？");
    EXPECT_EQ(User.Requests()[0].Caption, "系统提示");
    EXPECT_EQ(Listed(*ledger, "F_ID"), std::vector<String>{IntToStr(paid)});
    User.Answer(IDOK);
    ledger->DeleteClick(); // the paid row stays
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{"此费用已经交费，不能删除！", 0}}));
    EXPECT_EQ(One("select count(*) from T_wyFYrec where F_ID = " + IntToStr(paid)), "1");
    EXPECT_EQ(Listed(*ledger, "F_ID"), std::vector<String>{IntToStr(paid)});
}

TEST_F(FeeLedger, EditingAnEmptyListSaysSo) {
    auto ledger = OpenLedger();
    ledger->tbEdit->Click();
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{"此表为空，没有记录需要修改！", 3}}));
    Messages.clear();
    ledger->Action2->Execute();
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{"没有交费记录需要修改！", 0}}));
    Messages.clear();
    ledger->tbDel->Click(); // nothing on an empty list
    ledger->PrintListClick();
    ledger->PrintTableClick();
    EXPECT_TRUE(Messages.empty());
    EXPECT_TRUE(User.Requests().empty());
}

TEST_F(FeeLedger, TheLayoutSavedFromTheGridIsBackAtTheNextOpening) {
    {
        auto ledger = OpenLedger();
        TColumnGx* memo = ledger->DBGridGx1->ColumnByFieldName("F_memo1");
        memo->SetWidth(211);
        memo->Title()->SetCaption("说明");
        Answer = 1;
        ledger->SaveGridSettings();
        EXPECT_EQ(Messages.back(), (std::pair<String, int>{"真的要保存当前网格设置吗？", 1}));
    }
    auto ledger = OpenLedger();
    TColumnGx* memo = ledger->DBGridGx1->ColumnByFieldName("F_memo1");
    EXPECT_EQ(memo->Width(), 211);
    EXPECT_EQ(memo->Title()->Caption(), "说明");
    EXPECT_EQ(ledger->DBGridGx1->Columns()->Count(), 13);
    EXPECT_EQ(ledger->DBGridGx2->Columns()->Count(), 11);
}

} // namespace
