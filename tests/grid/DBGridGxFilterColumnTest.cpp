// A column's filter on a grid: the expression text by the column's field type, key and list fields
// over a list data set, pick texts mapped to keys, and the data set features registry.
#include "DBGridGxFixture.h"
#include "grid/DBGridGxFilter.h"

namespace {

class FilterColumnTest : public DBGridTest {
protected:
    void SetUp() override {
        DBGridTest::SetUp();
        Run("create table T_filter (F_text text(20), F_num double, F_when datetime, F_pic longbinary)");
        Run("insert into T_filter (F_text, F_num) values ('a', 1)");
        Run("create table T_city (F_code long, F_name text(20))");
        Run("insert into T_city values (1, 'Berlin')");
        Run("insert into T_city values (2, 'Paris')");
        Run("insert into T_city values (3, 'Rome')");
        OpenGrid("select F_text, F_num, F_when, F_pic from T_filter");
    }
    TColumnGx* Col(const String& Name) { return Grid->ColumnByFieldName(Name); }
    void OpenCities() {
        Cities = Query("select F_code, F_name from T_city order by F_code");
        Cities->Open();
        CitySource.SetDataSet(Cities.get());
    }
    std::unique_ptr<TADOQuery> Cities;
    TDataSource CitySource{nullptr};
};

} // namespace

TEST_F(FilterColumnTest, ExpressionTextFollowsTheFieldType) {
    struct {
        const char* Field;
        const char* Typed;
        const char* Text;
    } cases[] = {
        {"F_text", "in ('x','y')", "In ('x','y')"},
        {"F_text", "=Null", "=Null"},
        {"F_text", "~abc", "~ 'abc'"},
        {"F_text", "abc", "~ 'abc'"},
        {"F_text", "O'Brien", "~ 'O''Brien'"},
        {"F_text", "'O''Brien'", "~ 'O''Brien'"},
        {"F_num", "5", "= 5"},
        {"F_num", "1, 2,3", "In (1,2,3)"},
        {"F_num", "> 5 and < 10", "> 5 AND < 10"},
        {"F_num", "> 5 and", "> 5"},
        {"F_when", "> 12:30", "> 12:30:00"},
        {"F_when", "< 2024-01-05", "< 2024-01-05"},
        {"F_pic", "abc", ""},
        {"F_pic", "> 5", ""},
    };
    for (const auto& c : cases) {
        TSTColumnFilterGx filter(Col(c.Field));
        EXPECT_EQ(filter.ParseText(c.Typed), c.Text) << c.Field << " " << c.Typed;
    }
}

TEST_F(FilterColumnTest, StoredTextKeepsTheTypedTextAndItsExpression) {
    TSTColumnFilterGx filter(Col("F_num"));
    filter.SetFilterText("> 5 and < 10");
    EXPECT_EQ(filter.FilterText(), "> 5 and < 10");
    EXPECT_EQ(filter.Expression().FirstOp, stoGreater);
    EXPECT_EQ(filter.FirstOperand().AsDouble(), 5.0);
    EXPECT_EQ(filter.SecondOperand().AsDouble(), 10.0);
    EXPECT_EQ(filter.FilterFieldName(), "F_num");
    // A faulty text raises and leaves the stored text as it was.
    EXPECT_THROW(filter.SetFilterText("(5"), Exception);
    EXPECT_EQ(filter.FilterText(), "> 5 and < 10");
    filter.ClearFilter();
    EXPECT_EQ(filter.FilterText(), "");
    EXPECT_EQ(filter.Expression().FirstOp, stoNone);
}

TEST_F(FilterColumnTest, KeyAndListFieldsLookTheTypedTextUp) {
    OpenCities();
    TSTColumnFilterGx filter(Col("F_text"));
    filter.KeyField = "F_code";
    filter.ListField = "F_name";
    filter.DataField = "F_city";
    filter.SetListSource(&CitySource);
    EXPECT_TRUE(filter.HasDropDownButton());
    EXPECT_EQ(filter.FilterFieldName(), "F_city");

    filter.StoreFilterText("Paris");
    EXPECT_EQ(filter.KeyValues().AsInteger(), 2);
    EXPECT_EQ(filter.FirstOperand().AsInteger(), 2);
    EXPECT_EQ(filter.Expression().ValueKind, stetString);
    EXPECT_EQ(filter.Expression().FirstOp, stoIn);
    EXPECT_EQ(VarToStr(filter.Expression().FirstValue), "Paris");
    EXPECT_EQ(filter.ExpressionText(), "Paris");

    filter.StoreFilterText("Nowhere");
    EXPECT_TRUE(VarIsNull(filter.KeyValues()));
    EXPECT_EQ(filter.Expression().FirstOp, stoIsNull);

    filter.StoreFilterText("");
    EXPECT_EQ(filter.Expression().FirstOp, stoNone);

    filter.StoreFilterText("<>Null");
    EXPECT_EQ(filter.Expression().FirstOp, stoIsNotNull);
    EXPECT_EQ(filter.FilterText(), "<>Null");
}

TEST_F(FilterColumnTest, ListActivationsDoNotRepeatTheLists) {
    TSTColumnFilterGx filter(Col("F_num"));
    filter.KeyField = "F_code";
    filter.ListField = "F_name";
    filter.SetListSource(&CitySource);
    OpenCities();
    Cities->Next();
    Cities->Close();
    Cities->Open();
    EXPECT_EQ(filter.ListStrings()->CommaText(), "Berlin,Paris,Rome");
    EXPECT_EQ(filter.KeyStrings()->CommaText(), "1,2,3");
    EXPECT_TRUE(Cities->Bof());
}

TEST_F(FilterColumnTest, PickTextsBecomeKeys) {
    TColumnGx* col = Col("F_text");
    col->KeyList()->SetCommaText("K1,K2");
    col->PickList()->SetCommaText("one,two");
    TSTColumnFilterGx filter(col);
    EXPECT_EQ(filter.ParseText("In (one, two, three)"), "In ('K1','K2','three')");
    EXPECT_EQ(filter.ParseText("=two or <>Null"), "= 'K2' OR <>Null");
    EXPECT_EQ(filter.ParseText("one"), "~ 'K1'");
}

TEST_F(FilterColumnTest, AssignCopiesTheFields) {
    TSTColumnFilterGx a(Col("F_num")), b(Col("F_text"));
    a.KeyField = "k";
    a.ListField = "l";
    a.DataField = "d";
    a.SetListSource(&CitySource);
    a.SetVisible(false);
    b.Assign(&a);
    EXPECT_EQ(b.KeyField, "k");
    EXPECT_EQ(b.ListField, "l");
    EXPECT_EQ(b.DataField, "d");
    EXPECT_EQ(b.ListSource(), &CitySource);
    EXPECT_FALSE(b.Visible());
}

TEST_F(FilterColumnTest, RegistryFindsTheNearestClassFirstRegisteredAmongEquals) {
    TDatasetFeaturesRegistryGx& r = DatasetFeaturesRegistry();
    EXPECT_EQ(r.Count(), 0);
    EXPECT_EQ(FindDatasetFeatures(Q.get()), nullptr);
    auto* base = r.Register(std::make_unique<TDataSetCapabilitiesGx>("TDataSet"));
    auto* again = r.Register(std::make_unique<TDataSetCapabilitiesGx>("TDATASET"));
    EXPECT_EQ(FindDatasetFeatures(Q.get()), base);
    auto* ado = r.Register(std::make_unique<TDataSetCapabilitiesGx>("TCustomADODataSet"));
    EXPECT_EQ(FindDatasetFeatures(Q.get()), ado);
    EXPECT_EQ(FindDatasetFeaturesForClass(&TDataSet::StaticClassInfo()), base);
    EXPECT_EQ(FindDatasetFeaturesForClass(&TDataSource::StaticClassInfo()), nullptr);
    r.Unregister(base);
    r.Unregister(ado);
    EXPECT_EQ(FindDatasetFeatures(Q.get()), again);
    r.Unregister(again);
    EXPECT_EQ(r.Count(), 0);
}

TEST_F(FilterColumnTest, GridFilterSettings) {
    TSTDBGridGxFilter a(Grid), b(Grid);
    EXPECT_FALSE(a.Visible());
    a.SetVisible(true);
    a.SetLocal(true);
    b.Assign(&a);
    EXPECT_TRUE(b.Visible());
    EXPECT_TRUE(b.Local());
    b.BeginChange();
    b.BeginChange();
    b.EndChange();
    EXPECT_EQ(b.ChangeCount(), 1);
    b.EndChange();
    b.EndChange();
    EXPECT_EQ(b.ChangeCount(), 0);
    EXPECT_THROW(b.Assign(&CitySource), EConvertError);
}
