// Data sets, the process-wide list, and the database data set over a real SQLite table.
#include "../platform/db/DbFixture.h"
#include "db/DataSet.h"
#include "db/Field.h"
#include "report/vrClass.h"
#include "report/vrDBSet.h"
#include "report/vrRes.h"
#include "vrClassTestObjects.h"

#include <gtest/gtest.h>

namespace {

TEST(DataSets, CountedRangeStopsAtItsLastRecord) {
    TvrUserDataSet ds(nullptr);
    ds.RangeEnd = reCount;
    ds.RangeEndCount = 3;
    int nexts = 0;
    ds.OnNext = [&](TObject*) { ++nexts; };
    ds.First();
    ds.Next();
    ds.Next();
    EXPECT_EQ(ds.RecNo, 2);
    EXPECT_FALSE(ds.Eof());
    ds.Next();
    EXPECT_EQ(ds.RecNo, 2);
    EXPECT_TRUE(ds.Eof());
    EXPECT_EQ(nexts, 2);
    EXPECT_EQ(ds.RecordCount(), 3);
    ds.OnCheckEOF = [](TObject*, bool& eof) { eof = false; };
    EXPECT_FALSE(ds.Eof());
}

TEST(DataSets, UserNameFollowsTheFirstNameAndRefusesBlanks) {
    TvrUserDataSet ds(nullptr);
    ds.SetName("vrDBDataset1");
    EXPECT_EQ(ds.UserName(), "vrDBDataset1");
    ds.SetName("vrDBDataset2");
    EXPECT_EQ(ds.UserName(), "vrDBDataset1");
    try {
        ds.SetUserName("   ");
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), GetResources().GetString("prInvProp"));
    }
    EXPECT_EQ(ds.UserName(), "vrDBDataset1");
}

TEST(DataSets, AReportNeverGetsTheDataSetInsideAnotherReport) {
    RegisterTestObjects();
    TvrReport a(nullptr), b(nullptr);
    a.CheckDataPage();
    auto* inA = new TvrUserDataSet(a.GetPage(0));
    inA->SetName("InA");
    inA->SetUserName("vrDM");
    TComponent module(nullptr);
    auto* onModule = new TvrUserDataSet(&module);
    onModule->SetName("OnModule");
    onModule->SetUserName("vrDM");
    EXPECT_EQ(FindGlobalDataSet(nullptr, "VRDM", &a), inA);
    EXPECT_EQ(FindGlobalDataSet(nullptr, "vrDM", &b), onModule);
    EXPECT_EQ(FindGlobalDataSet(nullptr, "", &b), nullptr);
    EXPECT_EQ(FindGlobalDataSet(inA, "nothing", &b), inA);
    // With the global list off, only the allowed data sets count.
    b.EngineOptions()->LookupGlobalDataSets = false;
    EXPECT_EQ(b.FindDataSet(onModule, "vrDM"), nullptr);
    b.AllowedDataSets()->Add(onModule);
    EXPECT_EQ(b.FindDataSet(nullptr, "vrdm"), onModule);
    // The report's own list by name; a freed data set leaves it.
    b.Datasets()->Add(onModule);
    EXPECT_EQ(b.GetDataset("VRDM"), onModule);
    EXPECT_EQ(b.GetAlias(onModule), "vrDM");
    delete onModule;
    EXPECT_EQ(b.Datasets()->Count(), 0);
}

TEST(DataSets, UserDataSetValuesComeFromItsEvents) {
    TvrUserDataSet ds(nullptr);
    ds.Fields()->Add("A");
    ds.OnGetValue = [](const String& name, Variant& v) { v = name + "1"; };
    ds.OnNewGetValue = [](TObject*, const String& name, Variant& v) { v = v.AsString() + "/" + name; };
    EXPECT_EQ(ds.Value("A").AsString(), "A1/A");
    EXPECT_TRUE(ds.HasField("a"));
    EXPECT_EQ(ds.FieldsCount(), 1);
}

class DBDataset : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        RegisterTestObjects();
        Run("CREATE TABLE T (F_id INTEGER, F_name TEXT(30), F_amount CURRENCY, F_big BIGINT, F_when DATETIME)");
        for (int i = 1; i <= 4; ++i)
            Run("INSERT INTO T (F_id, F_name, F_amount, F_big) VALUES (" + std::to_string(i) + ", 'n" +
                std::to_string(i) + "', " + std::to_string(i) + ".5, " + std::to_string(i) + ")");
        Query_ = Query("SELECT * FROM T ORDER BY F_id");
        Data = new TvrDBDataset(&Module);
        Data->SetName("vrDM");
        Data->SetDataSet(Query_.get());
        Data->ServingReport = &Report;
        Report.EngineOptions()->NewSilentMode = simSilent;
        Report.Datasets()->Add(Data);
    }
    std::vector<String> Walk() {
        std::vector<String> names;
        for (Data->First(); !Data->Eof(); Data->Next())
            names.push_back(Data->Value("F_name").AsString());
        return names;
    }
    TComponent Module{nullptr};
    TvrReport Report{nullptr};
    std::unique_ptr<TADOQuery> Query_;
    TvrDBDataset* Data = nullptr;
};

TEST_F(DBDataset, AliasesOfferNamesAndHideFields) {
    Data->FieldAliases()->Add("F_name=Name");
    Data->FieldAliases()->Add("-F_id=Id");
    Data->PrepareForRun();
    Data->First();
    TStringList list;
    Data->GetFieldList(list);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list[0], "Name");
    Variant v;
    ASSERT_TRUE(Report.GetValueByName("vrDM.\"Name\"", v));
    EXPECT_EQ(v.AsString(), "n1");
    ASSERT_TRUE(Report.GetValueByName("vrDM.\"F_name\"", v));
    EXPECT_TRUE(VarIsNull(v) || v.AsString().empty());
    EXPECT_GE(Report.ErrorList()->IndexOf("字段不存在: vrDM.\"F_name\""), 0) << Report.ErrorList()->Text();
    Data->EndOfRun();
}

TEST_F(DBDataset, MissingFieldIsReportedWithTheCurrentObject) {
    Data->PrepareForRun();
    Data->First();
    Report.CurrentObjectName = "Memo1";
    EXPECT_TRUE(VarIsNull(Data->Value("X")));
    EXPECT_GE(Report.ErrorList()->IndexOf("Memo1: 字段不存在: vrDM.\"X\""), 0) << Report.ErrorList()->Text();
    EXPECT_EQ(Data->DisplayText("X"), u"字段不存在: vrDM.\"X\"");
    Data->EndOfRun();
}

TEST_F(DBDataset, RangesFromAndToTheCurrentRecord) {
    Query_->Open();
    Query_->First();
    Query_->Next(); // n2 is current when the report opens the data set
    struct TCase {
        TvrRangeBegin Begin;
        TvrRangeEnd End;
        std::vector<String> Rows;
    };
    for (const TCase& c : {TCase{rbCurrent, reLast, {"n2", "n3", "n4"}}, TCase{rbFirst, reCurrent, {"n1", "n2"}},
                           TCase{rbCurrent, reCurrent, {"n2"}}, TCase{rbFirst, reLast, {"n1", "n2", "n3", "n4"}}}) {
        Data->RangeBegin = c.Begin;
        Data->RangeEnd = c.End;
        Data->PrepareForRun();
        EXPECT_EQ(Walk(), c.Rows);
        Data->EndOfRun();
        EXPECT_TRUE(Query_->Active()); // an open query is not closed or reopened
        if (c.Begin == rbCurrent || c.End == reCurrent) { // back where it stood
            EXPECT_EQ(Query_->FieldByName("F_name")->AsString(), "n2");
        }
    }
}

TEST_F(DBDataset, TheQuerysOwnHandlersAreBackAfterAFailedRun) {
    int afterOpen = 0, beforeClose = 0;
    Query_->AfterOpen = [&](TDataSet*) { ++afterOpen; };
    Query_->BeforeClose = [&](TDataSet*) { ++beforeClose; };
    Data->PrepareForRun();
    Data->First(); // opens the query: its own handler runs through ours
    EXPECT_EQ(afterOpen, 1);
    try {
        Report.Calc("vrDM.\"F_name\" +"); // fails part-way
    } catch (const Exception&) {
    }
    Data->EndOfRun();
    Query_->Close();
    Query_->Open();
    EXPECT_EQ(afterOpen, 2);
    EXPECT_EQ(beforeClose, 1);
    EXPECT_EQ(Data->FieldsCount(), 5);
}

TEST_F(DBDataset, ValuesWidthsAndTypesByFieldKind) {
    Data->BCDToCurrency = true;
    Data->PrepareForRun();
    Data->First();
    EXPECT_EQ(VarType(Data->Value("F_amount")), varCurrency);
    EXPECT_DOUBLE_EQ(Data->Value("F_amount").AsDouble(), 1.5);
    EXPECT_EQ(Data->GetFieldType("F_name"), fftString);
    EXPECT_EQ(Data->GetFieldType("F_id"), fftNumeric);
    EXPECT_EQ(Data->DisplayText("F_name"), u"n1");
    EXPECT_EQ(Data->RecordCount(), 4);
    Run("UPDATE T SET F_name = NULL WHERE F_id = 1");
    Data->EndOfRun();
    Query_->Close();
    // Null fields through the report: ConvertNulls gives 0 or an empty string.
    Data->PrepareForRun();
    Data->First();
    Variant v;
    Report.GetValueByName("vrDM.\"F_when\"", v);
    EXPECT_EQ(v.AsInteger(), 0);
    Report.GetValueByName("vrDM.\"F_name\"", v);
    EXPECT_EQ(VarType(v), varString);
    EXPECT_EQ(v.AsString(), "");
    Data->EndOfRun();
    // Widths from the field definitions of a closed query.
    Query_->Close();
    EXPECT_EQ(Data->DisplayWidth("F_when"), 20);
    EXPECT_EQ(Data->DisplayWidth("F_big"), 15);
    EXPECT_EQ(Data->DisplayWidth("F_id"), 10);
}

TEST_F(DBDataset, WidthsOfAQueryThatWasNeverOpened) {
    // The query stays closed: its field definitions are read without opening it.
    ASSERT_FALSE(Query_->Active());
    const std::pair<const char*, Integer> cases[] = {
        {"F_when", 20}, {"F_big", 15}, {"F_id", 10}, {"F_amount", 10}, {"F_name", 30}};
    for (const auto& [field, width] : cases)
        EXPECT_EQ(Data->DisplayWidth(field), width) << field;
    EXPECT_FALSE(Query_->Active());
    EXPECT_EQ(Query_->RecordCount(), 0);
    EXPECT_THROW(Data->DisplayWidth("F_none"), Exception);
    // An open query's definitions stay those it opened with.
    Query_->Open();
    Query_->UpdateFieldDefs();
    EXPECT_EQ(Query_->FieldDefs().Count(), 5);
}

TEST_F(DBDataset, NoSourceMeansNotConnected) {
    Data->SetDataSet(nullptr);
    EXPECT_THROW(Data->PrepareForRun(), Exception);
}

} // namespace
