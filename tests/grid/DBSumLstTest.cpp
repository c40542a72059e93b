// Footer aggregates over a query on a temporary database: full scans, the adjustment one posted,
// inserted or deleted record makes, filters, and the data set's own handlers kept and restored.
#include "grid/DBSumLst.h"

#include "platform/db/DbFixture.h"
#include "rtl/Format.h"

namespace {

class SumListTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        Run("create table T_fee (F_ID counter, F_name text(10), F_amount double, F_num long)");
    }
    void Insert(const String& name, const String& amount) {
        Run("insert into T_fee (F_name, F_amount) values ('" + name + "', " + amount + ")");
    }
    // An open query over T_fee in F_ID order, with a producer of the given items.
    std::unique_ptr<TADOQuery> OpenFees() {
        auto q = Query("select * from T_fee order by F_ID");
        q->Open();
        return q;
    }
    TDBSum* Add(TGroupOperation Op, const String& Field) {
        TDBSum* s = Producer.SumCollection()->Add();
        s->SetGroupOperation(Op);
        s->SetFieldName(Field);
        return s;
    }
    TDBSumListProducer Producer{nullptr};
};

} // namespace

TEST_F(SumListTest, TenthsAddUpExactly) {
    Insert("a", "0.1");
    Insert("b", "0.2");
    auto q = OpenFees();
    TDBSum* sum = Add(goSum, "f_AMOUNT");
    Producer.SetDataSet(q.get());
    EXPECT_EQ(sum->SumAmount.Value, 3000);
    EXPECT_EQ(CurrToStr(sum->SumAmount), "0.3");
    EXPECT_EQ(Producer.FindSum(goSum, "F_amount"), sum);
    EXPECT_EQ(Producer.FindSum(goAvg, "F_amount"), nullptr);
}

TEST_F(SumListTest, AverageFollowsEditsAndDeletesWithoutARescan) {
    Insert("a", "1");
    Insert("b", "null");
    Insert("c", "2");
    auto q = OpenFees();
    TDBSum* avg = Add(goAvg, "F_amount");
    TDBSum* count = Add(goCount, "F_amount");
    TDBSum* rows = Add(goCount, "");
    Producer.SetDataSet(q.get());
    EXPECT_EQ(avg->SumAmount.Value, 15000);
    EXPECT_EQ(avg->NotNullCount, 2);
    EXPECT_EQ(count->SumAmount, Currency::FromInt(2));
    EXPECT_EQ(rows->SumAmount, Currency::FromInt(3));
    int scans = 0;
    Producer.OnRecalcAll = [&](TObject*) { ++scans; };
    q->SetRecNo(2);
    q->Edit();
    q->FieldByName("F_amount")->SetAsFloat(3);
    q->Post();
    EXPECT_EQ(avg->SumAmount.Value, 20000);
    EXPECT_EQ(avg->NotNullCount, 3);
    EXPECT_EQ(count->SumAmount, Currency::FromInt(3));
    q->First();
    q->Delete();
    EXPECT_EQ(avg->SumAmount.Value, 25000);
    EXPECT_EQ(avg->NotNullCount, 2);
    EXPECT_EQ(rows->SumAmount, Currency::FromInt(2));
    // Back to null: the average leaves that record out.
    q->First();
    q->Edit();
    q->FieldByName("F_amount")->Clear();
    q->Post();
    EXPECT_EQ(avg->SumAmount.Value, 20000);
    EXPECT_EQ(avg->NotNullCount, 1);
    EXPECT_EQ(count->SumAmount, Currency::FromInt(1));
    EXPECT_EQ(scans, 0);
}

TEST_F(SumListTest, InsertedRecordCountsAtPost) {
    Insert("a", "5");
    auto q = OpenFees();
    TDBSum* count = Add(goCount, "F_amount");
    TDBSum* sum = Add(goSum, "F_amount");
    Producer.SetDataSet(q.get());
    q->Append();
    q->FieldByName("F_amount")->SetAsFloat(2.5);
    EXPECT_EQ(count->SumAmount, Currency::FromInt(1));
    q->Post();
    EXPECT_EQ(count->SumAmount, Currency::FromInt(2));
    EXPECT_EQ(sum->SumAmount.Value, 75000);
    q->Append();
    q->Cancel();
    EXPECT_EQ(count->SumAmount, Currency::FromInt(2));
}

TEST_F(SumListTest, ChangedFilterRecalculatesAtTheNextScroll) {
    for (const char* v : {"1", "2", "3", "4"})
        Insert("x", v);
    auto q = OpenFees();
    TDBSum* sum = Add(goSum, "F_amount");
    Producer.SetDataSet(q.get());
    EXPECT_EQ(sum->SumAmount.Value, 100000);
    q->SetFilter("F_amount > 2");
    q->SetFiltered(true);
    q->Last();
    EXPECT_EQ(sum->SumAmount.Value, 70000);
    EXPECT_EQ(q->RecNo(), 1);
    EXPECT_EQ(q->FieldByName("F_amount")->AsFloat(), 3);
}

TEST_F(SumListTest, SumWithoutAFieldStaysZeroAndScansNothing) {
    for (const char* v : {"1", "2", "3"})
        Insert("x", v);
    auto q = OpenFees();
    q->Last();
    TDBSum* sum = Add(goSum, "");
    Producer.SetDataSet(q.get());
    EXPECT_EQ(sum->SumAmount.Value, 0);
    EXPECT_EQ(q->RecNo(), 3); // no scan moved the data set
}

TEST_F(SumListTest, ExternalRecalcOnlyClearsAndAsks) {
    Insert("x", "4");
    auto q = OpenFees();
    TDBSum* sum = Add(goSum, "F_amount");
    Producer.SetDataSet(q.get());
    EXPECT_EQ(sum->SumAmount.Value, 40000);
    int asked = 0, after = 0;
    Producer.OnRecalcAll = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &Producer);
        EXPECT_EQ(sum->SumAmount.Value, 0);
        ++asked;
    };
    Producer.OnAfterRecalcAll = [&](TObject*) { ++after; };
    Producer.SetExternalRecalc(true);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(after, 0);
    EXPECT_EQ(sum->SumAmount.Value, 0);
}

TEST_F(SumListTest, TheDataSetsOwnHandlersRunAndComeBack) {
    Insert("x", "1");
    auto q = OpenFees();
    std::vector<String> calls;
    q->AfterPost = [&](TDataSet*) { calls.push_back("post"); };
    q->BeforeDelete = [&](TDataSet*) { calls.push_back("delete"); };
    q->AfterScroll = [&](TDataSet*) { calls.push_back("scroll"); };
    TDBSum* sum = Add(goSum, "F_amount");
    int changed = 0;
    Producer.SumListChanged = [&](TObject*) { ++changed; };
    Producer.SetDataSet(q.get());
    ASSERT_TRUE(Producer.EventsHooked());
    calls.clear();
    q->Edit();
    q->FieldByName("F_amount")->SetAsFloat(6);
    q->Post();
    EXPECT_EQ(sum->SumAmount.Value, 60000);
    EXPECT_EQ(calls, (std::vector<String>{"post"}));
    EXPECT_GT(changed, 0);
    Producer.SetActive(false);
    EXPECT_FALSE(Producer.EventsHooked());
    EXPECT_EQ(sum->SumAmount.Value, 0);
    calls.clear();
    q->Edit();
    q->FieldByName("F_amount")->SetAsFloat(7);
    q->Post();
    EXPECT_EQ(calls, (std::vector<String>{"post"}));
    EXPECT_EQ(sum->SumAmount.Value, 0);
    // Switched on again: a fresh scan.
    Producer.SetActive(true);
    EXPECT_EQ(sum->SumAmount.Value, 70000);
    // Closing clears; opening scans again.
    q->Close();
    EXPECT_EQ(sum->SumAmount.Value, 0);
    q->Open();
    EXPECT_EQ(sum->SumAmount.Value, 70000);
}

TEST_F(SumListTest, AFailedScanStillEnablesTheControls) {
    Insert("x", "1");
    auto q = OpenFees();
    Producer.SetDataSet(q.get());
    // The new item recalculates at once; its missing field stops the scan.
    EXPECT_ANY_THROW(Add(goSum, "F_missing"));
    EXPECT_FALSE(q->ControlsDisabled());
    EXPECT_ANY_THROW(Producer.RecalcAll());
    EXPECT_FALSE(q->ControlsDisabled());
    EXPECT_FALSE(Producer.RecalcInProgress());
}

TEST_F(SumListTest, MasterMovesRecalculateTheSums) {
    Run("create table T_house (F_ID counter, F_num long)");
    Run("insert into T_house (F_num) values (1)");
    Run("insert into T_house (F_num) values (2)");
    Insert("x", "10");
    auto master = Query("select * from T_house order by F_num");
    master->Open();
    TDataSource source;
    source.SetDataSet(master.get());
    // A table names its master through "MasterSource".
    TADOTable detail;
    detail.SetConnection(Cnn.get());
    detail.SetTableName("T_fee");
    detail.SetDataSource(&source);
    detail.Open();
    TDBSum* sum = Add(goSum, "F_amount");
    Producer.SetDataSet(&detail);
    EXPECT_EQ(Producer.MasterDataSet(), master.get());
    EXPECT_EQ(sum->SumAmount.Value, 100000);
    int scans = 0;
    int masterScrolls = 0;
    Producer.OnRecalcAll = [&](TObject*) { ++scans; };
    Producer.SetActive(false);
    master->AfterScroll = [&](TDataSet*) { ++masterScrolls; };
    Producer.SetActive(true);
    scans = 0;
    master->Next();
    EXPECT_EQ(scans, 1);
    EXPECT_EQ(masterScrolls, 1);
    Producer.SetDataSet(nullptr);
    master->Prior();
    EXPECT_EQ(masterScrolls, 2);
    EXPECT_EQ(scans, 1);
    // A query has no "MasterSource": no master is followed.
    auto q = OpenFees();
    Producer.SetDataSet(q.get());
    EXPECT_EQ(Producer.MasterDataSet(), nullptr);
}

TEST_F(SumListTest, AFreedDataSetIsLetGo) {
    Insert("x", "3");
    auto q = OpenFees();
    Add(goSum, "F_amount");
    Producer.SetDataSet(q.get());
    ASSERT_TRUE(Producer.EventsHooked());
    q.reset();
    EXPECT_EQ(Producer.DataSet(), nullptr);
    EXPECT_FALSE(Producer.EventsHooked());
    Producer.RecalcAll(); // nothing to reach
}
