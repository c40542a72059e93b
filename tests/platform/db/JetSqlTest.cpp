// The Jet dialect: each statement's translation, and its result on a real database.
#include "db/JetSql.h"
#include "DbFixture.h"
#include "db/DateStorage.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

namespace {

class JetSqlTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        Run("create table T_fee (F_ID counter, F_name text(50), F_XQname text(50), F_price currency, "
            "F_amount double, F_flag yesno, F_date datetime, F_memo memo, F_n long)");
        Run("insert into T_fee (F_name, F_XQname, F_price, F_amount, F_flag, F_date, F_memo, F_n) values "
            "('Water', 'East', 2.5, 10, True, #2026-03-01#, 'it''s', 3)");
        Run("insert into T_fee (F_name, F_XQname, F_price, F_amount, F_flag, F_date, F_memo, F_n) values "
            "('Power', 'west', 1.25, 4, False, #2026-03-15 10:30:00#, Null, 7)");
        Run("insert into T_fee (F_name, F_XQname, F_price, F_amount, F_flag, F_date, F_memo, F_n) values "
            "('Gas', 'East', 3, 1, False, #2026-04-02#, 'x', Null)");
        Run("create table T_stock (F_code text(10), F_amount double, F_total currency)");
        Run("create table T_part (F_code text(10), F_price double)");
        Run("insert into T_stock values ('A', 2, 0)");
        Run("insert into T_stock values ('B', 3, 0)");
        Run("insert into T_part values ('a', 1.5)");
    }
};

struct TCase {
    const char* Jet;
    const char* Sqlite; // the expected translation
    const char* Rows;   // the expected result rows, "a,b;c,d"
};

const TCase kSelectCases[] = {
    {"select F_name from T_fee where F_date = #2026-03-01#",
     "select F_name from T_fee where F_date = '2026-03-01'", "Water"},
    {"select F_name from T_fee where F_date >= #3/15/2026# order by F_ID",
     "select F_name from T_fee where F_date >= '2026-03-15' order by F_ID", "Power;Gas"},
    {"select F_name from T_fee where F_date <= #2026-03-15 10:30:00# order by F_ID",
     "select F_name from T_fee where F_date <= '2026-03-15 10:30:00' order by F_ID", "Water;Power"},
    {"select F_name from T_fee where F_flag = True", "select F_name from T_fee where F_flag = -1", "Water"},
    {"select count(*) from T_fee where (F_flag = false)", "select count(*) from T_fee where (F_flag = 0)",
     "2"},
    {"select F_name & '-' & F_XQname from T_fee where F_ID = 1",
     "select orv_concat(F_name, '-', F_XQname) from T_fee where F_ID = 1", "Water-East"},
    {"select F_name & F_memo from T_fee where F_ID = 2",
     "select orv_concat(F_name, F_memo) from T_fee where F_ID = 2", "Power"},
    {"select 'n=' & F_n + 1 from T_fee where F_ID = 1",
     "select orv_concat('n=', orv_add(F_n, 1)) from T_fee where F_ID = 1", "n=4"},
    {"select IIF(F_flag, 'yes', 'no') from T_fee order by F_ID",
     "select iif(F_flag, 'yes', 'no') from T_fee order by F_ID", "yes;no;no"},
    {"select Nz(F_n, 0) from T_fee order by F_ID", "select orv_nz(F_n, 0) from T_fee order by F_ID", "3;7;0"},
    {"select Format(F_date, 'yyyymmdd') from T_fee where F_ID = 2",
     "select orv_format(F_date, 'yyyymmdd') from T_fee where F_ID = 2", "20260315"},
    {"select Val(' 12 3abc') + 1", "select orv_add(orv_val(' 12 3abc'), 1)", "124"},
    {"select Len(F_name), Left(F_name, 2), Right(F_name, 3), Mid(F_name, 2, 2) from T_fee where F_ID = 1",
     "select orv_len(F_name), orv_left(F_name, 2), orv_right(F_name, 3), orv_mid(F_name, 2, 2) from T_fee "
     "where "
     "F_ID = 1",
     "5,Wa,ter,at"},
    {"select Trim('  a b  '), UCase('ab'), LCase('AB'), InStr('Water', 'TE')",
     "select trim('  a b  '), upper('ab'), lower('AB'), orv_instr('Water', 'TE')", "a b,AB,ab,3"},
    {"select Year(F_date), Month(F_date), Day(F_date) from T_fee where F_ID = 2",
     "select orv_year(F_date), orv_month(F_date), orv_day(F_date) from T_fee where F_ID = 2", "2026,3,15"},
    {"select DateAdd('m', 1, #2026-01-31#), DateAdd('d', -1, #2026-03-01#)",
     "select orv_dateadd('m', 1, '2026-01-31'), orv_dateadd('d', -1, '2026-03-01')", "2026-02-28,2026-02-28"},
    {"select DateDiff('d', #2026-03-01#, #2026-04-02#), DateDiff('m', #2025-12-31#, #2026-01-01#)",
     "select orv_datediff('d', '2026-03-01', '2026-04-02'), orv_datediff('m', '2025-12-31', '2026-01-01')",
     "32,1"},
    {"select top 2 F_name from T_fee order by F_n desc",
     "SELECT * FROM (select F_name, RANK() OVER (ORDER BY F_n desc) AS \"orv$rank\" from T_fee) WHERE "
     "\"orv$rank\" <= 2 ORDER BY \"orv$rank\"",
     "Power;Water"},
    {"select distinctrow F_XQname from T_fee where F_ID < 3 order by F_ID",
     "select F_XQname from T_fee where F_ID < 3 order by F_ID", "East;west"},
    {"select [F_name] as [名称] from [T_fee] where F_ID = 3",
     "select \"F_name\" as \"名称\" from \"T_fee\" where F_ID = 3", "Gas"},
    {"select F_name from T_fee where F_name like 'w%'", "select F_name from T_fee where F_name like 'w%'",
     "Water"},
    {"select F_name from T_fee where F_name like '*o?er'",
     "select F_name from T_fee where F_name like '%o_er'", "Power"},
    {"select F_name from T_fee where F_memo is null", "select F_name from T_fee where F_memo is null",
     "Power"},
    {"select count(*) from T_fee where F_XQname = 'EAST'",
     "select count(*) from T_fee where F_XQname = 'EAST'", "2"},
    {"select sum(F_price) from T_fee where F_ID > 100", "select sum(F_price) from T_fee where F_ID > 100",
     "null"},
    {"select F_name from T_fee where F_n in ()", "select F_name from T_fee where F_n in ()", ""},
    {"select F_amount / 4 from T_fee where F_ID = 2", "select orv_div(F_amount, 4) from T_fee where F_ID = 2",
     "1"},
    {"select 7 / 2, 7 mod 2", "select orv_div(7, 2), orv_mod(7, 2)", "3.5,1"},
    {"select F_name from T_fee where F_name = \"Gas\"", "select F_name from T_fee where F_name = 'Gas'",
     "Gas"},
    {"select F_memo from T_fee where F_memo = 'it''s'", "select F_memo from T_fee where F_memo = 'it''s'",
     "it's"},
};

TEST_F(JetSqlTest, SelectStatementsTranslateAndRun) {
    for (const TCase& c : kSelectCases) {
        SCOPED_TRACE(c.Jet);
        EXPECT_EQ(JetToSqlite(c.Jet), c.Sqlite);
        EXPECT_EQ(Rows(c.Jet), c.Rows);
    }
}

TEST_F(JetSqlTest, UpdateOverALeftJoinSetsUnmatchedRowsToNull) {
    const String jet = "update (T_stock as td Left join T_part as g on td.F_code = g.F_code) "
                       "set td.F_total = td.F_amount * g.F_price";
    EXPECT_EQ(JetToSqlite(jet),
              "UPDATE T_stock AS td SET F_total = td.F_amount * (SELECT g.F_price FROM T_part AS g "
              "WHERE td.F_code = g.F_code)");
    EXPECT_EQ(Cnn->Execute(jet), 2);
    // "A" matches "a" (text compares without regard to case); "B" has no part: Null.
    EXPECT_EQ(Rows("select F_code, F_total from T_stock order by F_code"), "A,3;B,null");
}

TEST_F(JetSqlTest, UpdateOverAnInnerJoinTouchesOnlyMatchedRows) {
    Run("update T_stock set F_total = 9");
    const String jet = "update T_stock inner join T_part on T_stock.F_code = T_part.F_code "
                       "set T_stock.F_total = T_part.F_price where T_stock.F_amount > 0";
    EXPECT_EQ(Cnn->Execute(jet), 1);
    EXPECT_EQ(Rows("select F_code, F_total from T_stock order by F_code"), "A,1.5;B,9");
}

TEST_F(JetSqlTest, SelectIntoMakesATable) {
    EXPECT_EQ(JetToSqlite("select F_name, F_n into T_copy from T_fee where F_n > 5"),
              "select F_name, F_n from T_fee where F_n > 5");
    Run("select F_name, F_n into T_copy from T_fee where F_n > 5");
    EXPECT_EQ(Rows("select * from T_copy"), "Power,7");
}

TEST_F(JetSqlTest, SelectIntoKeepsTheSourceTypesAndCountsTheRowsWritten) {
    auto into = Query("select F_name, F_flag, F_date, F_price into T_east from T_fee where F_XQname = :area");
    into->Parameters()->ParamByName("area")->SetValue("EAST");
    EXPECT_EQ(into->ExecSQL(), 2);
    EXPECT_EQ(into->RowsAffected(), 2);
    auto q = Query("select * from T_east order by F_date");
    q->Open();
    ASSERT_EQ(q->RecordCount(), 2);
    EXPECT_EQ(q->FieldByName("F_name")->DataType(), ftString);
    EXPECT_EQ(q->FieldByName("F_name")->Size(), 50);
    EXPECT_EQ(q->FieldByName("F_flag")->DataType(), ftBoolean);
    EXPECT_TRUE(q->FieldByName("F_flag")->AsBoolean());
    EXPECT_EQ(q->FieldByName("F_date")->DataType(), ftDateTime);
    EXPECT_EQ(q->FieldByName("F_date")->AsDateTime(), StorageEncodeDate(2026, 3, 1));
    EXPECT_EQ(q->FieldByName("F_price")->AsFloat(), 2.5);
    // The copy keeps the rules of its columns: text size, case, dates.
    EXPECT_THROW(Run("insert into T_east (F_name) values ('" + String(51, 'x') + "')"), EDatabaseError);
    EXPECT_EQ(Rows("select count(*) from T_east where F_name = 'water' and F_date < #2026-04-01#"), "1");
}

TEST_F(JetSqlTest, ATextParameterWrittenIntoADateColumnIsADate) {
    auto ins = Query("insert into T_fee (F_name, F_date) values (:name, :day)");
    const struct {
        const char* Name;
        const char* Day;
    } rows[] = {{"p1", "2024-1-5"}, {"p2", "2024/01/06"}, {"p3", "2024-01-07 08:30"}};
    for (const auto& r : rows) {
        ins->Parameters()->ParamByName("name")->SetValue(r.Name);
        ins->Parameters()->ParamByName("day")->SetValue(r.Day);
        ins->ExecSQL();
    }
    EXPECT_EQ(Rows("select F_name, F_date from T_fee where F_date >= #2024-01-05# and F_date < #2024-01-08# "
                   "order by F_date"),
              "p1,2024-01-05;p2,2024-01-06;p3,2024-01-07 08:30:00");
    ins->Parameters()->ParamByName("name")->SetValue("bad");
    ins->Parameters()->ParamByName("day")->SetValue("2024-02-30");
    try {
        ins->ExecSQL();
        ADD_FAILURE() << "stored";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Data type mismatch in criteria expression.");
    }
    EXPECT_EQ(Rows("select count(*) from T_fee where F_name = 'bad'"), "0");
}

TEST_F(JetSqlTest, APostedTextLongerThanItsColumnIsRefusedAndStaysInTheEditor) {
    auto q = Query("select F_code, F_amount from T_stock");
    q->Open();
    q->Append();
    q->FieldByName("F_code")->SetAsString("ABCDEFGHIJK"); // the column holds 10 characters
    try {
        q->Post();
        ADD_FAILURE() << "posted";
    } catch (const EDatabaseError& e) {
        EXPECT_NE(e.Message().find("The field is too small"), String::npos) << e.Message();
    }
    EXPECT_EQ(q->State(), dsInsert);
    q->FieldByName("F_code")->SetAsString("ABCDEFGHIJ");
    q->Post();
    EXPECT_EQ(Rows("select count(*) from T_stock where F_code = 'abcdefghij'"), "1");
}

TEST_F(JetSqlTest, TheRowsOfTopWithOrderByCanBeEdited) {
    auto q = Query("select top 1 F_name, F_n from T_fee order by F_n desc");
    q->Open();
    ASSERT_EQ(q->RecordCount(), 1);
    EXPECT_EQ(q->FieldCount(), 2); // the rank stays out of sight
    q->Edit();
    q->FieldByName("F_name")->SetAsString("Electricity");
    q->Post();
    EXPECT_EQ(Rows("select F_name from T_fee where F_n = 7"), "Electricity");
}

TEST_F(JetSqlTest, APatternParameterKeepsItsWildcards) {
    auto q = Query("select F_name from T_fee where F_name like '*' & :part & '*' order by F_ID");
    const struct {
        const char* Part;
        const char* Rows;
    } cases[] = {
        {"at", "Water"}, {"W", "Water;Power"}, {"o*r", "Power"}, {"?as", "Gas"}, {"%w%", "Water;Power"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Part);
        q->Close();
        q->Parameters()->ParamByName("part")->SetValue(c.Part);
        q->Open();
        String got;
        for (q->First(); !q->Eof(); q->Next())
            got += (got.empty() ? "" : ";") + q->Fields()[0]->AsString();
        EXPECT_EQ(got, c.Rows);
    }
}

TEST_F(JetSqlTest, CreateTableColumnTypesComeBackAsFieldClasses) {
    EXPECT_EQ(JetToSqlite("create table T (F_ID counter primary key, F_a text(20), F_b memo, F_c yesno)"),
              "create table T (F_ID INTEGER PRIMARY KEY AUTOINCREMENT, F_a VARCHAR(20) COLLATE NOCASE, "
              "F_b LONGTEXT COLLATE NOCASE, F_c BOOLEAN DEFAULT 0)");
    Run("create table T_types (F_ID autoincrement, F_s text(20), F_m memo, F_l long, F_i integer, "
        "F_sh short, F_d double, F_c currency, F_dt datetime, F_b bit, F_bin longbinary, "
        "constraint pk primary key (F_ID))");
    auto q = Query("select * from T_types");
    q->Open();
    const struct {
        const char* Name;
        const char* Class;
    } expected[] = {{"F_ID", "TAutoIncField"}, {"F_s", "TStringField"},  {"F_m", "TMemoField"},
                    {"F_l", "TIntegerField"},  {"F_i", "TIntegerField"}, {"F_sh", "TSmallintField"},
                    {"F_d", "TFloatField"},    {"F_c", "TBCDField"},     {"F_dt", "TDateTimeField"},
                    {"F_b", "TBooleanField"},  {"F_bin", "TBlobField"}};
    ASSERT_EQ(q->FieldCount(), 11);
    for (const auto& e : expected) {
        SCOPED_TRACE(e.Name);
        EXPECT_EQ(q->FieldByName(e.Name)->ClassName(), e.Class);
    }
    EXPECT_EQ(q->FieldByName("F_s")->Size(), 20);
    EXPECT_TRUE(q->FieldByName("F_ID")->ReadOnly());
}

TEST_F(JetSqlTest, YesNoColumnsReadMinusOneAsTrue) {
    Run("update T_fee set F_flag = -1 where F_ID = 2");
    auto q = Query("select F_flag from T_fee order by F_ID");
    q->Open();
    EXPECT_TRUE(q->Fields()[0]->AsBoolean());
    q->Next();
    EXPECT_TRUE(q->Fields()[0]->AsBoolean());
    q->Next();
    EXPECT_FALSE(q->Fields()[0]->AsBoolean());
}

TEST_F(JetSqlTest, DatesAreStoredAsIsoText) {
    auto q = Query("insert into T_fee (F_name, F_date) values ('D', :d)");
    q->Parameters()->ParamByName("D")->SetValue(VarFromDateTime(StorageEncodeDate(2026, 5, 4) + 0.5));
    q->ExecSQL();
    EXPECT_EQ(Rows("select F_date & '' from T_fee where F_name = 'D'"), "2026-05-04 12:00:00");
    EXPECT_EQ(Rows("select F_name from T_fee where F_date > #2026-05-04# and F_date < #2026-05-05#"), "D");
}

TEST_F(JetSqlTest, NamedParametersMatchWithoutRegardToCaseAndRepeat) {
    const TJetStatement s = TranslateJetSql("select * from T where a = :Code or b = :code or c = :Other");
    EXPECT_EQ(s.Sql, "select * from T where a = ?1 or b = ?1 or c = ?2");
    ASSERT_EQ(s.ParamNames.size(), 2u);
    EXPECT_EQ(s.ParamNames[0], "Code");
    EXPECT_EQ(s.ParamNames[1], "Other");
}

TEST_F(JetSqlTest, OnlyPlainOneTableSelectsAreWritable) {
    EXPECT_EQ(TranslateJetSql("select * from T_fee where F_ID = 1").UpdateTable, "T_fee");
    EXPECT_EQ(TranslateJetSql("select f.* from T_fee as f order by F_ID").UpdateTable, "T_fee");
    EXPECT_EQ(TranslateJetSql("select * from T_fee left join T_part on 1 = 1").UpdateTable, "");
    EXPECT_EQ(TranslateJetSql("select distinct F_name from T_fee").UpdateTable, "");
    EXPECT_EQ(TranslateJetSql("select F_name, count(*) from T_fee group by F_name").UpdateTable, "");
    EXPECT_EQ(TranslateJetSql("select sum(F_price) from T_fee").UpdateTable, "");
    EXPECT_EQ(TranslateJetSql("select * from T_fee, T_part").UpdateTable, "");
}

TEST_F(JetSqlTest, MalformedStatementsFailWithAMessage) {
    EXPECT_THROW(JetToSqlite("select * from T where a = 'open"), EJetSqlError);
    EXPECT_THROW(JetToSqlite("select * from T where d = #2026-13-01#"), EJetSqlError);
    EXPECT_THROW(JetToSqlite("select top 5 percent * from T"), EJetSqlError);
    try {
        Run("select * from T_missing");
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_NE(e.Message().find("T_missing"), String::npos);
    }
}

TEST_F(JetSqlTest, QuotedLiteralsNeverBreakAStatement) {
    const String evil = "x' or '1'='1";
    EXPECT_EQ(JetQuoted(evil), "'x'' or ''1''=''1'");
    EXPECT_EQ(Rows("select count(*) from T_fee where F_name = " + JetQuoted(evil)), "0");
    EXPECT_EQ(Rows("select count(*) from T_fee where F_memo = " + JetQuoted("it's")), "1");
}

// Jet's answers to the constructs a program of this kind sends: each statement runs (after its
// preparation, if any) against the fixture, inside a transaction rolled back after the case. A
// SELECT gives its rows "a,b;c,d"; another statement the rows it changed. A construct that cannot
// give Jet's answer fails with a message that names it (Error, a part of the message).
struct TJetAnswer {
    const char* Before; // run first ("" for none)
    const char* Jet;
    const char* Rows;
    const char* Error;
};

const TJetAnswer kJetAnswers[] = {
    // + joins texts, adds numbers, adds days to a date; Null propagates.
    {"", "select '1' + '2', 1 + 2, '1' + 2", "12,3,3", ""},
    {"", "select F_name + F_XQname from T_fee where F_ID = 1", "WaterEast", ""},
    {"", "select F_name + Null, F_n + Null from T_fee where F_ID = 1", "null,null", ""},
    {"", "select 'a' + 1", "", "Data type mismatch"},
    // Date arithmetic, and a date column compared with it.
    {"", "select #2024-03-01# - 30, #2024-01-31# - #2024-01-01#", "2024-01-31,30", ""},
    {"", "select DateDiff('d', Date(), Date() + 1), DateDiff('d', Date(), Date() - 1)", "1,-1", ""},
    {"", "select F_name from T_fee where F_date >= #2026-04-02# - 1", "Gas", ""},
    {"", "select count(*) from T_fee where F_date < Date() + 36500", "3", ""},
    // Named formats before any pattern.
    {"", "select Format(120.5, 'Fixed'), Format(1234.5, 'Standard'), Format(0.256, 'Percent')",
     "120.50,1,234.50,25.60%", ""},
    {"", "select Format(1234.5, 'General Number'), Format(-1, 'Yes/No'), Format(0, 'Yes/No')",
     "1234.5,Yes,No", ""},
    {"", "select Format(#2024-03-05#, 'yyyy.mm.dd'), Format(F_flag, 'True/False') from T_fee where F_ID = 1",
     "2024.03.05,True", ""},
    // DISTINCTROW: one row per row of the left table of the join.
    {"insert into T_part values ('A', 2)",
     "select distinctrow T_stock.F_code from T_stock inner join T_part on T_stock.F_code = T_part.F_code",
     "A", ""},
    {"insert into T_part values ('A', 2)",
     "select T_stock.F_code from T_stock inner join T_part on T_stock.F_code = T_part.F_code", "A;A", ""},
    // Text compares without regard to case also for functions and expressions.
    {"", "select count(*) from T_fee where Trim(F_XQname) = 'east'", "2", ""},
    {"", "select F_name from T_fee where F_XQname & '' = 'WEST'", "Power", ""},
    {"", "select F_name from T_fee where UCase(F_name) = 'gas' or IIf(F_n = 3, F_name, '') = 'WATER'",
     "Water;Gas", ""},
    // Yes/No: Yes is -1; = -1, = True, <> 0 and Not agree, also for a row set to 1 or -1.
    {"", "select F_name from T_fee where F_flag = -1", "Water", ""},
    // Changing a table's columns keeps its rules.
    {"alter table T_fee drop column F_flag", "update T_fee set F_name = Space(51) where F_ID = 1", "",
     "The field is too small"},
    {"alter table T_fee add column F_ok yesno", "update T_fee set F_ok = 5 where F_ID = 3; ", "1", ""},
    {"", "select count(*) from T_fee where Not F_flag", "2", ""},
    {"update T_fee set F_flag = 1 where F_ID = 2", "select F_name, F_flag from T_fee where F_flag = True",
     "Water,True;Power,True", ""},
    {"update T_fee set F_flag = -1 where F_ID = 3",
     "select F_name from T_fee where F_flag <> 0 and F_flag = -1", "Water;Gas", ""},
    {"update T_fee set F_flag = Not F_flag", "select F_name from T_fee where F_flag = True", "Power;Gas", ""},
    // SELECT ... INTO keeps the source columns' types and the case rule.
    {"select F_name, F_flag, F_date, F_price into T_copy from T_fee",
     "select F_name, F_flag, F_date from T_copy where F_name = 'WATER' and F_flag = True and "
     "F_date = #2026-03-01#",
     "Water,True,2026-03-01", ""},
    {"", "select F_name, F_n into T_copy from T_fee where F_n > 1", "2", ""},
    // Text written into a date column is a date when it reads as one.
    {"insert into T_fee (F_name, F_date) values ('d1', '2024-1-5')",
     "select F_name, F_date from T_fee where F_date between #2024-01-01# and #2024-01-31#", "d1,2024-01-05",
     ""},
    {"update T_fee set F_date = '2024/01/06' where F_ID = 3",
     "select F_name from T_fee where F_date = #2024-01-06#", "Gas", ""},
    {"", "insert into T_fee (F_name, F_date) values ('d2', 'next week')", "", "Data type mismatch"},
    {"insert into T_fee (F_name, F_date) values ('t1', '8:05')",
     "select F_name from T_fee where F_date = #08:05#", "t1", ""},
    // LIKE patterns built from parts.
    {"", "select F_name from T_fee where F_name like '*' & 'ate' & '*'", "Water", ""},
    {"", "select F_name from T_fee where F_name like F_XQname & '*'", "", ""},
    {"", "select F_name from T_fee where F_name like Left(F_name, 1) & '?s'", "Gas", ""},
    // TOP n with ORDER BY gives the ties of the last row.
    {"", "select top 1 F_name from T_fee order by F_XQname", "Water;Gas", ""},
    {"", "select top 2 F_name, F_amount * 2 as twice from T_fee order by twice desc", "Water,20;Power,8", ""},
    {"", "select top 1 F_name from T_fee where F_ID in (select top 1 F_ID from T_fee order by F_n)", "",
     "TOP with ORDER BY in a subquery is not supported"},
    // Statements the translation runs or refuses.
    {"", "insert into T_stock values ('C', 1, 0); insert into T_stock values ('D', 1, 0)", "",
     "Characters found after end of SQL statement"},
    {"", "delete * from T_stock where F_code = 'a'", "1", ""},
    {"", "delete T_stock.* from T_stock", "2", ""},
    {"", "select 7 \\ 2, 7.6 \\ 2, 2 ^ 10, -7 mod 3, 2 + 3 * 4 - 10 / 4", "3,4,1024,-1,11.5", ""},
    {"", "transform sum(F_amount) select F_name from T_fee group by F_name pivot F_XQname", "",
     "TRANSFORM is not supported"},
    {"", "insert into T_stock (F_code) values ('ABCDEFGHIJK')", "", "The field is too small"},
    {"", "update T_fee set F_name = F_name & Space(50) where F_ID = 1", "", "The field is too small"},
    // Out of range: Jet's overflow or division by zero instead of a value.
    {"", "select CLng(1e30)", "", "Overflow"},
    {"", "select CInt(40000)", "", "Overflow"},
    {"", "select DateAdd('m', 1e9, #2024-01-01#)", "", "Overflow"},
    {"", "select DateAdd('s', 1e9, #2000-01-01#), DateAdd('yyyy', 7999, #2000-01-01#)",
     "2031-09-09 01:46:40,9999-01-01", ""},
    {"", "select DateAdd('yyyy', 8000, #2000-01-01#)", "", "Overflow"},
    {"", "select DateSerial(99999, 1, 1)", "", "Overflow"},
    {"", "select Val('1e99999')", "", "Overflow"},
    {"", "select 1 / 0", "", "Division by zero"},
    {"", "select 5 mod 0", "", "Division by zero"},
    {"", "select Space(1e12)", "", "Out of string space"},
    {"", "select String(1e12, 'x')", "", "Out of string space"},
};

TEST_F(JetSqlTest, EachConstructGivesJetsAnswerOrSaysItIsNotSupported) {
    for (const TJetAnswer& c : kJetAnswers) {
        SCOPED_TRACE(c.Jet);
        Cnn->BeginTrans();
        try {
            if (*c.Before) Run(c.Before);
            const String jet = c.Jet;
            String got;
            if (StartsText("select", jet) && jet.find(" into ") == String::npos)
                got = Rows(jet);
            else
                got = IntToStr(Cnn->Execute(jet));
            EXPECT_EQ(*c.Error, '\0') << "no error, rows " << got;
            EXPECT_EQ(got, c.Rows);
        } catch (const Exception& e) {
            EXPECT_NE(*c.Error, '\0') << e.Message();
            if (*c.Error) {
                EXPECT_NE(e.Message().find(c.Error), String::npos) << e.Message();
            }
        }
        Cnn->RollbackTrans();
    }
}

} // namespace
