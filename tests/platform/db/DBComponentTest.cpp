// The data-aware classes as components: owners free them, references clear when the referenced
// component goes, published properties read and write by name, loading defers opening.
#include "DbFixture.h"
#include "classes/MetaProps.h"
#include "rtl/StrUtils.h"

namespace {

class ComponentTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        Run("create table T_a (F_ID counter, F_name text(10), F_kind long)");
        Run("insert into T_a (F_name, F_kind) values ('x', 1)");
    }
};

TEST_F(ComponentTest, PublishedPropertiesReadAndWriteByName) {
    TComponent form(nullptr);
    auto* q = new TADOQuery(&form); // the form frees it
    q->SetName("QryTable");
    ASSERT_NE(GetPropInfo(q, "SQL"), nullptr);
    q->SQL()->SetText("select * from T_a");
    SetPropValue(q, "LockType", "ltBatchOptimistic");
    q->SetConnection(Cnn.get());
    EXPECT_EQ(q->LockType(), ltBatchOptimistic);
    EXPECT_EQ(TrimRight(q->SQL()->Text()), "select * from T_a");
    SetPropValue(q, "Active", true);
    EXPECT_TRUE(q->Active());
    EXPECT_EQ(form.FindComponent("qrytable"), q);
    TField* f = q->FieldByName("F_kind");
    SetStrProp(f, "DisplayFormat", "0.0");
    EXPECT_EQ(f->DisplayText(), "1.0");
    EXPECT_EQ(VarToStr(GetPropValue(f, "Alignment")), "taRightJustify");
    EXPECT_TRUE(IsPublishedProp(q, "OnCalcFields"));
    EXPECT_TRUE(IsPublishedProp(Cnn.get(), "ConnectionString"));
}

TEST_F(ComponentTest, ActiveStoredInAFormOpensWhenTheFormIsLoaded) {
    TComponent form(nullptr);
    auto* q = new TADOQuery(&form);
    q->SetConnection(Cnn.get());
    q->SQL()->SetText("select * from T_a");
    q->BeginLoading();
    q->SetActive(true);
    EXPECT_FALSE(q->Active());
    q->EndReading();
    q->Loaded();
    EXPECT_TRUE(q->Active());
}

TEST_F(ComponentTest, ReferencesClearWhenTheReferencedComponentGoes) {
    TComponent form(nullptr);
    auto* master = new TADOQuery(&form);
    master->SetConnection(Cnn.get());
    master->SQL()->SetText("select F_kind from T_a");
    auto* kinds = new TADOQuery(&form);
    auto* source = new TDataSource(&form);
    source->SetDataSet(master);
    auto* detail = new TADOQuery(&form);
    detail->SetDataSource(source);
    TStringField lookup(&form);
    lookup.SetLookupDataSet(kinds);
    delete kinds;
    EXPECT_EQ(lookup.LookupDataSet(), nullptr);
    delete source;
    EXPECT_EQ(detail->DataSource(), nullptr);
    delete master;
    EXPECT_NO_THROW(detail->SetConnection(Cnn.get()));
}

TEST_F(ComponentTest, AMasterThatFollowsItsDetailIsRefused) {
    TADOQuery a, b;
    TDataSource sa, sb;
    sa.SetDataSet(&a);
    sb.SetDataSet(&b);
    b.SetDataSource(&sa);
    EXPECT_THROW(a.SetDataSource(&sb), EDatabaseError);
    EXPECT_THROW(a.SetDataSource(&sa), EDatabaseError);
}

} // namespace
