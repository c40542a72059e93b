// The marked-record list over a real query, the data link hook, distinct values, the field
// routines and the variant comparison.
#include "grid/ToolCtrlsGxData.h"
#include "platform/db/DbFixture.h"

namespace {

// A bookmark list over one data set that counts the data set's comparisons and its notices.
class TTestBMList : public TBMListGx {
public:
    explicit TTestBMList(TDataSet* DataSet) : FDataSet(DataSet) {}
    ~TTestBMList() override { ReleaseMarks(); }
    mutable int Comparisons = 0;
    int Cleared = 0;
    int Changed = 0;

protected:
    TDataSet* ListDataSet() const override {
        ++Comparisons;
        return FDataSet;
    }
    void ListCleared() override { ++Cleared; }
    void MarksChanged() override { ++Changed; }

private:
    TDataSet* FDataSet;
};

class BookmarkListTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        Run("create table T_row (F_ID counter, F_code text(10), F_note text(10))");
        for (const char* c : {"a", "b", "c", "d", "e"})
            Run(String("insert into T_row (F_code) values ('") + c + "')");
        Q = Query("select * from T_row order by F_code desc");
        Q->Open();
    }
    void MarkAt(TBMListGx& list, int recNo) {
        Q->SetRecNo(recNo);
        list.SetCurrentRowMarked(true);
    }
    String MarkedCodes(TBMListGx& list) {
        String s;
        for (int i = 0; i < list.BookmarkCount(); ++i) {
            Q->GotoBookmark(list.BookmarkAt(i));
            s += Q->FieldByName("F_code")->AsString();
        }
        return s;
    }
    std::unique_ptr<TADOQuery> Q;
};

TEST_F(BookmarkListTest, MarksInAnyOrderStayInRecordOrder) {
    TTestBMList list(Q.get());
    list.SetLinked(true);
    int index = -1;
    EXPECT_FALSE(list.LocateBookmark(Q->GetBookmark(), index));
    EXPECT_EQ(index, 0);
    for (int recNo : {4, 1, 5, 2})
        MarkAt(list, recNo);
    // The query shows e d c b a: records 1, 2, 4, 5 are e, d, b, a.
    EXPECT_EQ(MarkedCodes(list), "edba");
    Q->SetRecNo(3);
    EXPECT_FALSE(list.CurrentRowMarked());
    list.SetCurrentRowMarked(false); // unmarking an unmarked record changes nothing
    EXPECT_EQ(list.BookmarkCount(), 4);
    Q->SetRecNo(2);
    EXPECT_TRUE(list.CurrentRowMarked());
    list.SetCurrentRowMarked(false);
    EXPECT_EQ(MarkedCodes(list), "eba");
}

TEST_F(BookmarkListTest, TheCacheAnswersARepeatedQuestionUntilTheListChanges) {
    TTestBMList list(Q.get());
    list.SetLinked(true);
    for (int recNo : {1, 3, 5})
        MarkAt(list, recNo);
    Q->SetRecNo(3);
    const TBookmark b = Q->GetBookmark();
    int index = -1;
    list.Comparisons = 0;
    EXPECT_TRUE(list.LocateBookmark(b, index));
    EXPECT_EQ(index, 1);
    const int first = list.Comparisons;
    EXPECT_GT(first, 0);
    EXPECT_TRUE(list.LocateBookmark(b, index));
    EXPECT_EQ(list.Comparisons, first);
    MarkAt(list, 2);
    list.Comparisons = 0;
    EXPECT_TRUE(list.LocateBookmark(b, index));
    EXPECT_EQ(index, 2);
    EXPECT_GT(list.Comparisons, 0);
}

TEST_F(BookmarkListTest, UnlinkedListRefusesAndRemovingNothingNotifiesNothing) {
    TTestBMList list(Q.get());
    EXPECT_THROW(
        {
            try {
                list.CurrentBookmark();
            } catch (const Exception& e) {
                EXPECT_EQ(e.Message(), "Cannot perform this operation on a closed dataset");
                throw;
            }
        },
        Exception);
    EXPECT_THROW(list.SetCurrentRowMarked(true), Exception);
    list.RemoveAllMarks();
    EXPECT_EQ(list.Cleared, 0);
    EXPECT_EQ(list.Changed, 0);
    list.SetLinked(true);
    MarkAt(list, 1);
    list.RemoveAllMarks();
    EXPECT_EQ(list.Cleared, 1);
}

TEST_F(BookmarkListTest, DeleteMarkedRecordsFromTheLastToTheFirst) {
    TTestBMList list(Q.get());
    list.SetLinked(true);
    for (int recNo : {2, 4})
        MarkAt(list, recNo);
    std::vector<String> deleted;
    Q->BeforeDelete = [&](TDataSet* ds) { deleted.push_back(ds->FieldByName("F_code")->AsString()); };
    list.DeleteMarkedRecords();
    EXPECT_EQ(deleted, (std::vector<String>{"b", "d"}));
    EXPECT_EQ(list.BookmarkCount(), 0);
    EXPECT_EQ(Rows("select F_code from T_row order by F_code"), "a;c;e");
}

TEST_F(BookmarkListTest, DataLinkHookSeesEveryEventAndDistinctValuesFollowTheData) {
    TDataSource source;
    source.SetDataSet(Q.get());
    TDataLinkGx link;
    std::vector<TDataEvent> events;
    link.DataEventHook = [&](TDataEvent e, intptr_t) { events.push_back(e); };
    link.SetDataSource(&source);
    Q->Next();
    EXPECT_NE(std::find(events.begin(), events.end(), deDataSetScroll), events.end());
    link.SetDataSource(nullptr);

    Run("insert into T_row (F_code) values ('b')");
    Q->Close();
    Q->Open();
    TDatasetFieldValueListGx values;
    values.SetValueDataSet(Q.get());
    values.SetValueFieldName("F_code");
    EXPECT_EQ(values.GetDistinctValues()->CommaText(), "a,b,c,d,e");
    EXPECT_FALSE(values.ValuesObsolete());
    Q->Append();
    Q->FieldByName("F_code")->SetAsString("f");
    Q->Post();
    EXPECT_TRUE(values.ValuesObsolete());
    EXPECT_EQ(values.GetDistinctValues()->CommaText(), "a,b,c,d,e,f");
    values.SetValueFieldName("F_none");
    EXPECT_EQ(values.GetDistinctValues()->Count(), 0);
    EXPECT_TRUE(values.ValuesObsolete());
}

TEST_F(BookmarkListTest, FieldRoutines) {
    Q->First();
    EXPECT_EQ(FieldArrayByNames(Q.get(), nullptr, "F_code; F_ID").size(), 2u);
    try {
        FieldArrayByNames(Q.get(), nullptr, "F_code;F_none;F_other");
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Field 'F_none' not found");
    }
    Q->Edit();
    AssignFieldValues(Q.get(), "F_code", Variant("z"));
    EXPECT_EQ(Q->FieldByName("F_code")->AsString(), "z");
    Q->FieldByName("F_note")->SetAsString("n");
    AssignFieldValues(Q.get(), "F_code;F_note", Null());
    EXPECT_TRUE(Q->FieldByName("F_code")->IsNull());
    EXPECT_TRUE(Q->FieldByName("F_note")->IsNull());
    Q->Cancel();
}

TEST(VariantsEqualTest, Cases) {
    struct Case {
        Variant A, B;
        bool Equal;
    } cases[] = {
        {Unassigned(), Unassigned(), true},
        {Unassigned(), Null(), false},
        {Null(), Unassigned(), false},
        {Variant(1), Variant(1.0), true},
        {Variant("a"), Variant("b"), false},
        {VarArrayOf({1, "x"}), VarArrayOf({1, "x"}), true},
        {VarArrayOf({1, "x"}), VarArrayOf({1, "y"}), false},
        {VarArrayOf({1}), VarArrayOf({1, 2}), false},
        {VarArrayOf({1}), Variant(1), false},
        {Variant("abc"), Variant(3), false}, // a failing conversion compares unequal
    };
    for (const Case& c : cases)
        EXPECT_EQ(VariantsEqual(c.A, c.B), c.Equal) << VarToStr(c.A) << " / " << VarToStr(c.B);
}

} // namespace
