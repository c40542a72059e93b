// Queries over the client cursor: writing back, batches and conflicts, sort, master/detail.
#include "DbFixture.h"

namespace {

class QueryTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        Run("create table T_fy (F_ID counter, F_mainID long, F_name text(20), F_price currency, "
            "F_paid yesno, F_date datetime, F_memo1 memo, F_total double default 0)");
        Run("insert into T_fy (F_mainID, F_name, F_price, F_paid, F_date) values (1, 'Water', 10, False, "
            "#2026-01-05#)");
        Run("insert into T_fy (F_mainID, F_name, F_price, F_paid, F_date) values (1, 'Power', 20, False, "
            "#2026-01-03#)");
        Run("insert into T_fy (F_mainID, F_name, F_price, F_paid, F_date) values (2, 'Gas', 5, True, "
            "#2026-01-04#)");
        Run("create table T_nokey (F_code text(10), F_n long)");
        Run("insert into T_nokey values ('a', 1)");
        Run("insert into T_nokey values ('b', 2)");
    }
    TADOConnection& Second() {
        if (!FSecond) {
            FSecond = std::make_unique<TADOConnection>();
            FSecond->SetConnectionString(ConnectionStringFor(FileName, "tomervalix"));
        }
        return *FSecond;
    }
    std::unique_ptr<TADOConnection> FSecond;
};

TEST_F(QueryTest, PostsAndDeletesAreWrittenAtOnce) {
    auto q = Query("select * from T_fy order by F_ID");
    q->Open();
    ASSERT_EQ(q->RecordCount(), 3);
    q->Edit();
    q->FieldByName("F_name")->SetAsString("Cold water");
    q->Post();
    EXPECT_EQ(Rows("select F_name from T_fy where F_ID = 1"), "Cold water");

    q->Append();
    q->FieldByName("F_mainID")->SetAsInteger(3);
    q->FieldByName("F_name")->SetAsString("Heat");
    q->Post();
    EXPECT_EQ(q->FieldByName("F_ID")->AsInteger(), 4);    // the auto-number comes back
    EXPECT_EQ(q->FieldByName("F_total")->AsFloat(), 0.0); // and the column's default
    EXPECT_FALSE(q->FieldByName("F_total")->IsNull());
    EXPECT_EQ(Rows("select F_name from T_fy where F_ID = 4"), "Heat");

    ASSERT_FALSE(q->Locate("F_name", "power"));
    ASSERT_TRUE(q->Locate("F_name", "power", loCaseInsensitive));
    q->Delete();
    EXPECT_EQ(Rows("select count(*) from T_fy where F_name = 'Power'"), "0");
    EXPECT_EQ(q->RecordCount(), 3);
}

TEST_F(QueryTest, RowsOfATableWithoutAKeyAreLocatedByRowid) {
    auto q = Query("select F_code, F_n from T_nokey order by F_code");
    q->Open();
    q->Next();
    q->Edit();
    q->FieldByName("F_n")->SetAsInteger(20);
    q->Post();
    q->First();
    q->Delete();
    EXPECT_EQ(Rows("select F_code, F_n from T_nokey"), "b,20");
}

TEST_F(QueryTest, ExpressionColumnsAreReadOnlyAndJoinsCannotWrite) {
    auto q = Query("select F_ID, F_price * 2 as F_double from T_fy order by F_ID");
    q->Open();
    EXPECT_TRUE(q->FieldByName("F_double")->ReadOnly());
    EXPECT_EQ(q->FieldByName("F_double")->AsFloat(), 20.0);
    auto j = Query("select a.F_name, b.F_name from T_fy a inner join T_fy b on a.F_ID = b.F_ID");
    j->Open();
    EXPECT_FALSE(j->CanModify());
    EXPECT_THROW(j->Edit(), EDatabaseError);
    EXPECT_EQ(j->FieldCount(), 2); // the repeated name is told apart
}

TEST_F(QueryTest, BatchChangesStayLocalUntilUpdateBatch) {
    auto q = Query("select * from T_fy where F_mainID = 1 order by F_ID", ltBatchOptimistic);
    q->Open();
    q->Edit();
    q->FieldByName("F_paid")->SetAsBoolean(true);
    q->Post();
    EXPECT_EQ(q->UpdateStatus(), usModified);
    q->Next();
    q->Delete();
    q->Append();
    q->FieldByName("F_mainID")->SetAsInteger(1);
    q->FieldByName("F_name")->SetAsString("New");
    q->Post();
    EXPECT_EQ(q->UpdateStatus(), usInserted);
    // Nothing written yet.
    EXPECT_EQ(Rows("select F_name, F_paid from T_fy where F_mainID = 1 order by F_ID"),
              "Water,False;Power,False");
    EXPECT_TRUE(q->HasPendingChanges());
    q->UpdateBatch();
    EXPECT_FALSE(q->HasPendingChanges());
    EXPECT_EQ(Rows("select F_name, F_paid from T_fy where F_mainID = 1 order by F_ID"),
              "Water,True;New,False");
    EXPECT_EQ(q->UpdateStatus(), usUnmodified);
}

TEST_F(QueryTest, CancelBatchAndCloseDropTheChanges) {
    auto q = Query("select * from T_fy order by F_ID", ltBatchOptimistic);
    q->Open();
    q->Edit();
    q->FieldByName("F_name")->SetAsString("X");
    q->Post();
    q->Last();
    q->Delete();
    q->Append();
    q->FieldByName("F_name")->SetAsString("Y");
    q->Post();
    EXPECT_EQ(q->RecordCount(), 3);
    q->CancelBatch();
    EXPECT_EQ(q->RecordCount(), 3);
    q->First();
    EXPECT_EQ(q->FieldByName("F_name")->AsString(), "Water");
    q->Last();
    EXPECT_EQ(q->FieldByName("F_name")->AsString(), "Gas");

    q->Edit();
    q->FieldByName("F_name")->SetAsString("Z");
    q->Post();
    q->Close();
    q->Open();
    q->Last();
    EXPECT_EQ(q->FieldByName("F_name")->AsString(), "Gas");
    EXPECT_EQ(Rows("select count(*) from T_fy where F_name in ('X', 'Y', 'Z')"), "0");
}

TEST_F(QueryTest, AConflictingChangeByAnotherConnectionIsReportedNotOverwritten) {
    auto q = Query("select * from T_fy where F_mainID = 1 order by F_ID", ltBatchOptimistic);
    q->Open();
    q->Edit();
    q->FieldByName("F_paid")->SetAsBoolean(true);
    q->Post();
    q->Next();
    q->Edit();
    q->FieldByName("F_memo1")->SetAsString("mine");
    q->Post();
    // Another workstation marks the first row paid meanwhile.
    Second().Execute("update T_fy set F_paid = True, F_memo1 = 'theirs' where F_ID = 1");
    try {
        q->UpdateBatch();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_NE(e.Message().find("Row cannot be located for updating"), String::npos);
    }
    // Nothing of the batch was written; its changes are still pending.
    EXPECT_EQ(Rows("select F_memo1 from T_fy where F_ID in (1, 2) order by F_ID"), "theirs;null");
    EXPECT_TRUE(q->HasPendingChanges());
}

TEST_F(QueryTest, AnImmediatePostDoesNotOverwriteAnotherConnectionsChange) {
    auto q = Query("select * from T_fy order by F_ID");
    q->Open();
    Second().Execute("update T_fy set F_price = 99 where F_ID = 1");
    q->Edit();
    q->FieldByName("F_price")->SetAsFloat(11);
    EXPECT_THROW(q->Post(), EDatabaseError);
    EXPECT_EQ(q->State(), dsEdit); // the edit stays for the user to cancel
    q->Cancel();
    EXPECT_EQ(Rows("select F_price from T_fy where F_ID = 1"), "99");
    // A change to another column of the row does not stand in the way.
    Second().Execute("update T_fy set F_memo1 = 'other' where F_ID = 2");
    q->Next();
    q->Edit();
    q->FieldByName("F_price")->SetAsFloat(21);
    q->Post();
    EXPECT_EQ(Rows("select F_price, F_memo1 from T_fy where F_ID = 2"), "21,other");
    // A row another connection deleted.
    Second().Execute("delete from T_fy where F_ID = 3");
    q->Last();
    EXPECT_THROW(q->Delete(), EDatabaseError);
}

TEST_F(QueryTest, UpdateBatchInsideATransactionRollsBackWithIt) {
    auto q = Query("select * from T_fy order by F_ID", ltBatchOptimistic);
    q->Open();
    q->Edit();
    q->FieldByName("F_paid")->SetAsBoolean(true);
    q->Post();
    Cnn->BeginTrans();
    q->UpdateBatch();
    Cnn->RollbackTrans();
    EXPECT_EQ(Rows("select F_paid from T_fy where F_ID = 1"), "False");
}

TEST_F(QueryTest, ACheckInsideTheBatchsTransactionSeesItAndItsRefusalWritesNothing) {
    auto q = Query("select * from T_fy order by F_ID", ltBatchOptimistic);
    q->Open();
    q->Edit();
    q->FieldByName("F_paid")->SetAsBoolean(true);
    q->Post();
    q->Append();
    q->FieldByName("F_name")->SetAsString("New");
    q->Post();
    bool inside = false;
    EXPECT_THROW(q->UpdateBatch(arAll,
                                [&] {
                                    inside = Cnn->Database().TransactionLevel() > 0;
                                    throw Exception("refused");
                                }),
                 Exception);
    EXPECT_TRUE(inside);
    EXPECT_TRUE(q->HasPendingChanges());
    EXPECT_EQ(Rows("select F_paid from T_fy where F_ID = 1"), "False");
    EXPECT_EQ(Rows("select count(*) from T_fy where F_name = 'New'"), "0");
    // Let through, the batch is written after it.
    int seen = -1;
    q->UpdateBatch(arAll, [&] { seen = std::stoi(Rows("select count(*) from T_fy where F_name = 'New'")); });
    EXPECT_EQ(seen, 0);
    EXPECT_FALSE(q->HasPendingChanges());
    EXPECT_EQ(Rows("select F_paid from T_fy where F_ID = 1"), "True");
    EXPECT_EQ(Rows("select count(*) from T_fy where F_name = 'New'"), "1");
}

TEST_F(QueryTest, ClientSortOrdersTheLoadedRows) {
    auto q = Query("select F_name, F_price, F_date from T_fy order by F_ID");
    q->Open();
    const struct {
        const char* Sort;
        const char* Names;
    } cases[] = {{"F_price ASC", "Gas,Water,Power"},
                 {"F_price DESC", "Power,Water,Gas"},
                 {"F_date", "Power,Gas,Water"},
                 {"F_name desc", "Water,Power,Gas"},
                 {"", "Water,Power,Gas"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Sort);
        q->SetSort(c.Sort);
        String names;
        for (q->First(); !q->Eof(); q->Next())
            names += (names.empty() ? "" : ",") + q->Fields()[0]->AsString();
        EXPECT_EQ(names, c.Names);
    }
    // The current record stays current when the order changes.
    q->Locate("F_name", "Water");
    q->SetSort("F_price DESC");
    EXPECT_EQ(q->FieldByName("F_name")->AsString(), "Water");
    EXPECT_EQ(q->RecNo(), 2);
    EXPECT_THROW(q->SetSort("F_nothing"), EDatabaseError);
    EXPECT_EQ(q->Sort(), "F_price DESC");
}

TEST_F(QueryTest, DetailFollowsItsMastersCurrentRecord) {
    Run("create table T_house (F_ID counter, F_code text(10))");
    Run("insert into T_house (F_code) values ('h1')");
    Run("insert into T_house (F_code) values ('h2')");
    Run("insert into T_house (F_code) values ('h3')");
    auto master = Query("select F_ID as F_mainID, F_code from T_house order by F_ID");
    TDataSource ds;
    ds.SetDataSet(master.get());
    auto detail = Query("select F_name from T_fy where F_mainID = :F_mainID order by F_ID");
    detail->SetDataSource(&ds);
    master->Open();
    detail->Open();
    auto names = [&] {
        String s;
        for (detail->First(); !detail->Eof(); detail->Next())
            s += (s.empty() ? "" : ",") + detail->Fields()[0]->AsString();
        return s;
    };
    EXPECT_EQ(names(), "Water,Power");
    master->Next();
    EXPECT_EQ(names(), "Gas");
    master->Next();
    EXPECT_EQ(names(), "");
    master->First();
    EXPECT_EQ(names(), "Water,Power");
}

TEST_F(QueryTest, WhereInAnEmptyListGivesNoRows) {
    auto q = Query("select * from T_fy where F_ID in () order by F_ID");
    q->Open();
    EXPECT_TRUE(q->IsEmpty());
    EXPECT_TRUE(q->Bof());
    EXPECT_TRUE(q->Eof());
}

TEST_F(QueryTest, AFailingStatementRaisesAndLeavesTheQueryClosed) {
    auto q = Query("select * from T_fy where F_nothing = 1");
    try {
        q->Open();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_NE(e.Message().find("F_nothing"), String::npos) << e.Message();
    }
    EXPECT_FALSE(q->Active());
    auto p = Query("select * from T_fy where F_ID = :id");
    p->Parameters()->ParamByName("id")->SetValue(2);
    p->Open();
    EXPECT_EQ(p->FieldByName("F_name")->AsString(), "Power");
}

} // namespace
