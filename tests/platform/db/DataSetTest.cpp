// The data set: navigation, states and events, Abort, bookmarks, Locate/Lookup, filters,
// calculated and lookup fields, field texts, data links.
#include "DbFixture.h"
#include "db/DateStorage.h"
#include "rtl/StrUtils.h"
#include "rtl/Streams.h"

namespace {

class DataSetTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        Run("create table T_item (F_ID counter, F_code text(10), F_name text(20), F_price currency, "
            "F_qty double, F_flag yesno, F_date datetime, F_kind long)");
        const char* rows[] = {"('001', 'Water', 10.5, 2, True, #2026-03-01#, 1)",
                              "('002', 'Power', 20, 0.5, False, #2026-03-02#, 2)",
                              "('003', 'gas', 3, 4, False, Null, 1)",
                              "('004', 'Heat', Null, Null, True, #2026-03-04#, 9)",
                              "('005', 'Waste', 7.25, 1, False, #2026-03-05#, 2)"};
        for (const char* r : rows)
            Run(String(
                    "insert into T_item (F_code, F_name, F_price, F_qty, F_flag, F_date, F_kind) values ") +
                r);
        Run("create table T_kind (F_kind long, F_kname text(10))");
        Run("insert into T_kind values (1, 'Utility')");
        Run("insert into T_kind values (2, 'Energy')");
        Q = Query("select * from T_item order by F_ID");
    }
    String Codes() {
        String s;
        for (Q->First(); !Q->Eof(); Q->Next())
            s += (s.empty() ? "" : ",") + Q->FieldByName("F_code")->AsString();
        return s;
    }
    std::unique_ptr<TADOQuery> Q;
};

TEST_F(DataSetTest, NavigationFollowsThePlatform) {
    Q->Open();
    EXPECT_TRUE(Q->Bof());
    EXPECT_FALSE(Q->Eof());
    EXPECT_EQ(Q->RecNo(), 1);
    EXPECT_EQ(Q->RecordCount(), 5);
    Q->Prior(); // at the start: stays, Bof
    EXPECT_TRUE(Q->Bof());
    Q->Next();
    EXPECT_FALSE(Q->Bof());
    EXPECT_EQ(Q->FieldByName("F_code")->AsString(), "002");
    Q->Last();
    EXPECT_TRUE(Q->Eof());
    EXPECT_EQ(Q->RecNo(), 5);
    Q->Next(); // at the end: stays, Eof
    EXPECT_EQ(Q->RecNo(), 5);
    EXPECT_EQ(Q->MoveBy(-2), -2);
    EXPECT_EQ(Q->RecNo(), 3);
    EXPECT_EQ(Q->MoveBy(10), 2);
    EXPECT_TRUE(Q->Eof());
    Q->SetRecNo(2);
    EXPECT_EQ(Q->FieldByName("F_code")->AsString(), "002");
    EXPECT_EQ(Codes(), "001,002,003,004,005");
}

TEST_F(DataSetTest, EventsComeInThePlatformsOrder) {
    String log;
    auto note = [&](const char* what) { return [&log, what](TDataSet*) { log += String(what) + " "; }; };
    Q->BeforeOpen = note("BO");
    Q->AfterOpen = note("AO");
    Q->AfterScroll = note("AS");
    Q->BeforeInsert = note("BI");
    Q->OnNewRecord = note("NR");
    Q->AfterInsert = note("AI");
    Q->BeforePost = note("BP");
    Q->AfterPost = note("AP");
    Q->BeforeEdit = note("BE");
    Q->BeforeDelete = note("BD");
    Q->AfterDelete = note("AD");
    Q->BeforeClose = note("BC");
    Q->AfterClose = note("AC");
    Q->Open();
    Q->Append();
    Q->FieldByName("F_code")->SetAsString("006");
    Q->Post();
    Q->Edit();
    Q->Cancel();
    Q->Delete();
    Q->Close();
    EXPECT_EQ(log, "BO AO AS BI NR AI AS BP AP BE BD AD AS BC AC ");
}

TEST_F(DataSetTest, AbortInABeforeEventCancelsTheStep) {
    Q->BeforeInsert = [](TDataSet* ds) {
        if (ds->Eof()) Abort(); // refuse a new record past the last one
    };
    Q->BeforeDelete = [](TDataSet*) { Abort(); };
    Q->Open();
    Q->Last();
    EXPECT_THROW(Q->Append(), EAbort);
    EXPECT_EQ(Q->State(), dsBrowse);
    EXPECT_EQ(Q->RecordCount(), 5);
    EXPECT_THROW(Q->Delete(), EAbort);
    EXPECT_EQ(Q->RecordCount(), 5);
    Q->BeforePost = [](TDataSet*) { Abort(); };
    Q->Edit();
    Q->FieldByName("F_name")->SetAsString("X");
    EXPECT_THROW(Q->Post(), EAbort);
    EXPECT_EQ(Q->State(), dsEdit);
    Q->Cancel();
    EXPECT_EQ(Q->FieldByName("F_name")->AsString(), "Waste");
    EXPECT_EQ(Rows("select F_name from T_item where F_code = '005'"), "Waste");
}

TEST_F(DataSetTest, MovingWhileEditingPostsAModifiedRecordAndCancelsAnUntouchedOne) {
    Q->Open();
    Q->Edit();
    Q->FieldByName("F_name")->SetAsString("Cold");
    Q->Next();
    EXPECT_EQ(Q->State(), dsBrowse);
    EXPECT_EQ(Rows("select F_name from T_item where F_code = '001'"), "Cold");
    Q->Append();
    Q->Prior(); // nothing typed: the new record goes
    EXPECT_EQ(Q->RecordCount(), 5);
    EXPECT_THROW(Q->FieldByName("F_name")->SetAsString("x"), EDatabaseError); // not editing
}

TEST_F(DataSetTest, BookmarksSurviveSortingAndCompareInRecordOrder) {
    Q->Open();
    Q->SetRecNo(2);
    const TBookmark b2 = Q->GetBookmark();
    Q->SetRecNo(4);
    const TBookmark b4 = Q->GetBookmark();
    EXPECT_LT(Q->CompareBookmarks(b2, b4), 0);
    EXPECT_GT(Q->CompareBookmarks(b4, b2), 0);
    EXPECT_EQ(Q->CompareBookmarks(b2, b2), 0);
    EXPECT_LT(Q->CompareBookmarks(TBookmark(), b2), 0);
    Q->SetSort("F_code DESC"); // 004 now comes before 002
    EXPECT_GT(Q->CompareBookmarks(b2, b4), 0);
    Q->GotoBookmark(b2);
    EXPECT_EQ(Q->FieldByName("F_code")->AsString(), "002");
    EXPECT_TRUE(Q->BookmarkValid(b4));
    Q->GotoBookmark(b4);
    Q->Delete();
    EXPECT_FALSE(Q->BookmarkValid(b4));
    EXPECT_THROW(Q->GotoBookmark(b4), EDatabaseError);
    Q->Close();
    EXPECT_FALSE(Q->BookmarkValid(b2));
}

TEST_F(DataSetTest, LocateAndLookup) {
    Q->Open();
    const struct {
        const char* Fields;
        Variant Values;
        TLocateOptions Options;
        const char* Found; // code of the record found, "" for none
    } cases[] = {
        {"F_name", "gas", 0, "003"},
        {"F_name", "GAS", 0, ""},
        {"F_name", "GAS", loCaseInsensitive, "003"},
        {"F_name", "Wa", 0, ""},
        {"F_name", "Wa", loPartialKey, "001"},
        {"F_name", "wast", loPartialKey | loCaseInsensitive, "005"},
        {"F_kind;F_flag", VarArrayOf({2, false}), 0, "002"},
        {"F_price", Null(), 0, "004"},
        {"F_price", 7.25, 0, "005"},
        {"F_date", VarFromDateTime(StorageEncodeDate(2026, 3, 4)), 0, "004"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Fields + String(" ") + (VarIsArray(c.Values) ? String("[...]") : VarToStr(c.Values)));
        Q->First();
        const bool found = Q->Locate(c.Fields, c.Values, c.Options);
        EXPECT_EQ(found, *c.Found != '\0');
        EXPECT_EQ(Q->FieldByName("F_code")->AsString(), found ? c.Found : "001");
    }
    Q->First();
    EXPECT_EQ(VarToStr(Q->Lookup("F_code", "005", "F_name")), "Waste");
    EXPECT_TRUE(VarIsNull(Q->Lookup("F_code", "999", "F_name")));
    const Variant both = Q->Lookup("F_code", "002", "F_name;F_kind");
    EXPECT_EQ(VarToStr(VarArrayGet(both, {1})), "2");
    EXPECT_EQ(Q->RecNo(), 1); // Lookup does not move
}

TEST_F(DataSetTest, FilterTextAndOnFilterRecord) {
    Q->Open();
    const struct {
        const char* Filter;
        const char* Codes;
    } cases[] = {
        {"F_kind = 1", "001,003"},
        {"F_name = 'WATER'", "001"},
        {"F_price > 5 and F_qty <= 2", "001,002,005"},
        {"F_price is null or F_name like 'w%'", "001,004,005"},
        {"not (F_kind = 1) and F_flag = True", "004"},
        {"F_date >= #2026-03-02# and F_date < #2026-03-05#", "002,004"},
        {"F_kind in (2, 9)", "002,004,005"},
        {"[F_name] like '*a?e*'", "001"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Filter);
        Q->SetFilter(c.Filter);
        Q->SetFiltered(true);
        EXPECT_EQ(Codes(), c.Codes);
        Q->SetFiltered(false);
    }
    EXPECT_THROW(Q->SetFilter("F_kind = "), EDatabaseError);
    Q->SetFilter("");
    Q->OnFilterRecord = [](TDataSet* ds, bool& accept) { accept = ds->FieldByName("F_qty")->AsFloat() >= 2; };
    Q->SetFiltered(true);
    EXPECT_EQ(Codes(), "001,003");
    EXPECT_EQ(Q->RecordCount(), 2);
}

TEST_F(DataSetTest, CalculatedAndLookupFields) {
    auto kinds = Query("select * from T_kind");
    kinds->Open();
    // Persistent fields: the data fields named, a calculated and a lookup field added.
    std::vector<std::unique_ptr<TField>> fields;
    auto add = [&](std::unique_ptr<TField> f, const char* name) {
        f->SetFieldName(name);
        f->SetDataSet(Q.get());
        fields.push_back(std::move(f));
        return fields.back().get();
    };
    add(std::make_unique<TStringField>(), "F_code");
    add(std::make_unique<TBCDField>(), "F_price");
    add(std::make_unique<TFloatField>(), "F_qty");
    add(std::make_unique<TIntegerField>(), "F_kind");
    TField* total = add(std::make_unique<TFloatField>(), "F_total");
    total->SetFieldKind(fkCalculated);
    TField* kname = add(std::make_unique<TStringField>(), "F_kname");
    kname->SetFieldKind(fkLookup);
    kname->SetKeyFields("F_kind");
    kname->SetLookupDataSet(kinds.get());
    kname->SetLookupKeyFields("F_kind");
    kname->SetLookupResultField("F_kname");
    int calcCalls = 0;
    Q->OnCalcFields = [&](TDataSet* ds) {
        ++calcCalls;
        EXPECT_EQ(ds->State(), dsCalcFields);
        ds->FieldByName("F_total")->SetAsFloat(ds->FieldByName("F_price")->AsFloat() *
                                               ds->FieldByName("F_qty")->AsFloat());
    };
    Q->Open();
    EXPECT_FALSE(Q->DefaultFields());
    EXPECT_EQ(Q->FieldCount(), 6);
    EXPECT_DOUBLE_EQ(total->AsFloat(), 21.0);
    EXPECT_EQ(kname->AsString(), "Utility");
    Q->Next();
    EXPECT_DOUBLE_EQ(total->AsFloat(), 10.0);
    EXPECT_EQ(kname->AsString(), "Energy");
    Q->SetRecNo(4);
    EXPECT_TRUE(kname->IsNull()); // kind 9 has no name
    // Changing the key in an edit changes the lookup; so does choosing the lookup value.
    Q->Edit();
    Q->FieldByName("F_kind")->SetAsInteger(1);
    EXPECT_EQ(kname->AsString(), "Utility");
    kname->SetAsString("Energy");
    EXPECT_EQ(Q->FieldByName("F_kind")->AsInteger(), 2);
    Q->Post();
    EXPECT_EQ(Rows("select F_kind from T_item where F_code = '004'"), "2");
    EXPECT_GT(calcCalls, 0);
    EXPECT_THROW(total->SetAsFloat(1), EDatabaseError); // only while calculating
}

TEST_F(DataSetTest, FieldTextsFollowFormatsAndEvents) {
    Q->Open();
    TField* price = Q->FieldByName("F_price");
    TField* qty = Q->FieldByName("F_qty");
    TField* date = Q->FieldByName("F_date");
    TField* flag = Q->FieldByName("F_flag");
    EXPECT_EQ(price->AsString(), "10.5");
    EXPECT_EQ(qty->DisplayText(), "2");
    dynamic_cast<TNumericField*>(qty)->SetDisplayFormat("0.00");
    EXPECT_EQ(qty->DisplayText(), "2.00");
    EXPECT_EQ(qty->Text(), "2"); // the edit text ignores the display format
    dynamic_cast<TDateTimeField*>(date)->SetDisplayFormat("yyyymmdd");
    EXPECT_EQ(date->DisplayText(), "20260301");
    EXPECT_EQ(date->AsString(), "2026-03-01");
    EXPECT_EQ(flag->DisplayText(), "True");
    dynamic_cast<TBooleanField*>(flag)->SetDisplayValues("是;否");
    EXPECT_EQ(flag->DisplayText(), "是");
    qty->OnGetText = [](TField* f, String& text, bool display) {
        text = display ? "[" + f->AsString() + "]" : f->AsString();
    };
    EXPECT_EQ(qty->DisplayText(), "[2]");
    EXPECT_EQ(price->Alignment(), taRightJustify);
    EXPECT_EQ(Q->FieldByName("F_name")->Alignment(), taLeftJustify);
    EXPECT_EQ(Q->FieldByName("F_name")->DisplayWidth(), 20);
    EXPECT_EQ(Q->FieldByName("F_name")->Size(), 20);
    // Null shows nothing.
    Q->SetRecNo(4);
    EXPECT_TRUE(price->IsNull());
    EXPECT_EQ(price->DisplayText(), "");
    EXPECT_EQ(price->AsFloat(), 0.0);
    // Typed text goes through the field's conversions and OnSetText.
    Q->Edit();
    price->SetText("12.345");
    EXPECT_EQ(price->AsCurrency(), Currency::FromRaw(123450));
    EXPECT_THROW(price->SetText("abc"), EConvertError);
    flag->SetText("否");
    EXPECT_FALSE(flag->AsBoolean());
    EXPECT_THROW(flag->SetText("maybe"), EDatabaseError);
    date->SetText("");
    EXPECT_TRUE(date->IsNull());
    Q->FieldByName("F_name")->OnSetText = [](TField* f, const String& t) { f->SetAsString(Trim(t)); };
    Q->FieldByName("F_name")->SetText("  Steam  ");
    EXPECT_EQ(Q->FieldByName("F_name")->AsString(), "Steam");
    EXPECT_TRUE(Q->FieldByName("F_kind")->IsValidChar('7'));
    EXPECT_FALSE(Q->FieldByName("F_kind")->IsValidChar('x'));
    EXPECT_FALSE(Q->FieldByName("F_kind")->IsValidChar('.'));
    EXPECT_TRUE(qty->IsValidChar('.'));
    Q->Post();
}

TEST_F(DataSetTest, OnChangeChainsAndOnValidateRefuses) {
    Q->Open();
    TField* price = Q->FieldByName("F_price");
    TField* qty = Q->FieldByName("F_qty");
    TField* kind = Q->FieldByName("F_kind");
    // As the fee ledger does: a change of one field recomputes another, whose change runs on.
    qty->OnChange = [&](TField*) { price->SetAsFloat(qty->AsFloat() * 10); };
    price->OnChange = [&](TField*) { kind->SetAsInteger(static_cast<int>(price->AsFloat())); };
    qty->OnValidate = [](TField* f) {
        if (f->AsFloat() < 0) throw EDatabaseError("negative");
    };
    Q->Edit();
    qty->SetAsFloat(3);
    EXPECT_EQ(price->AsFloat(), 30.0);
    EXPECT_EQ(kind->AsInteger(), 30);
    EXPECT_THROW(qty->SetAsFloat(-1), EDatabaseError);
    EXPECT_EQ(qty->AsFloat(), 3.0);
    EXPECT_EQ(qty->OldValue().AsDouble(), 2.0);
    Q->Post();
    EXPECT_EQ(Rows("select F_qty, F_price, F_kind from T_item where F_code = '001'"), "3,30,30");
}

TEST_F(DataSetTest, MemoFieldsShowTheirKindAndStreamTheirText) {
    Run("create table T_memo (F_m memo)");
    Run("insert into T_memo values ('line one')");
    Run("insert into T_memo values (Null)");
    auto q = Query("select * from T_memo");
    q->Open();
    auto* memo = dynamic_cast<TMemoField*>(q->Fields()[0]);
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->IsBlob());
    EXPECT_EQ(memo->DisplayText(), "(MEMO)");
    EXPECT_EQ(memo->AsString(), "line one");
    TMemoryStream out;
    memo->SaveToStream(out);
    EXPECT_EQ(out.Size(), 8);
    q->Next();
    EXPECT_EQ(memo->DisplayText(), "(memo)");
    q->Edit();
    out.SetPosition(0);
    memo->LoadFromStream(out);
    q->Post();
    EXPECT_EQ(Rows("select count(*) from T_memo where F_m = 'line one'"), "2");
}

TEST_F(DataSetTest, RequiredFieldsMustHaveAValue) {
    Q->Open();
    Q->FieldByName("F_code")->SetRequired(true);
    Q->Append();
    Q->FieldByName("F_name")->SetAsString("x");
    try {
        Q->Post();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Field 'F_code' must have a value");
    }
    EXPECT_EQ(Q->State(), dsInsert);
    Q->Cancel();
}

// A link that records what it is told.
class TRecordingLink : public TDataLink {
public:
    String Log;

protected:
    void ActiveChanged() override { Log += Active() ? "active " : "inactive "; }
    void DataSetChanged() override { Log += "changed "; }
    void DataSetScrolled(int Distance) override { Log += "scrolled" + std::to_string(Distance) + " "; }
    void EditingChanged() override { Log += Editing() ? "editing " : "browsing "; }
    void RecordChanged(TField* Field) override {
        Log += Field ? "field:" + Field->FieldName() + " " : "record ";
    }
    void UpdateData() override { Log += "update "; }
    void LayoutChanged() override { Log += "layout "; }
};

TEST_F(DataSetTest, DataLinksSeeAWindowThatFollowsTheCurrentRecord) {
    TDataSource ds;
    ds.SetDataSet(Q.get());
    TRecordingLink link;
    link.SetDataSource(&ds);
    link.SetBufferCount(3);
    String dataChanges;
    ds.OnDataChange = [&](TObject*, TField* f) { dataChanges += f ? f->FieldName() + " " : "- "; };
    Q->Open();
    EXPECT_EQ(link.Log, "active ");
    EXPECT_EQ(link.RecordCount(), 3);
    EXPECT_EQ(link.ActiveRecord(), 0);
    link.Log.clear();
    Q->Next();
    Q->Next();
    EXPECT_EQ(link.ActiveRecord(), 2);
    Q->Next(); // the window moves one record
    EXPECT_EQ(link.ActiveRecord(), 2);
    EXPECT_EQ(link.FirstRecord(), 1);
    EXPECT_EQ(link.Log, "scrolled0 scrolled0 scrolled1 ");
    // Painting another row: fields read that record while it is active.
    link.SetActiveRecord(0);
    EXPECT_EQ(Q->FieldByName("F_code")->AsString(), "002");
    link.SetActiveRecord(2);
    EXPECT_EQ(Q->FieldByName("F_code")->AsString(), "004");
    Q->Last();
    EXPECT_EQ(link.FirstRecord(), 2);
    EXPECT_EQ(link.ActiveRecord(), 2);
    link.Log.clear();
    Q->Edit();
    Q->FieldByName("F_name")->SetAsString("N");
    Q->Post();
    EXPECT_EQ(link.Log, "editing record field:F_name update browsing changed ");
    link.Log.clear();
    Q->DisableControls();
    Q->First();
    Q->Next();
    EXPECT_EQ(link.Log, "");
    Q->EnableControls();
    EXPECT_EQ(link.Log, "changed ");
    EXPECT_EQ(link.FirstRecord(), 1);
    Q->Close();
    EXPECT_FALSE(link.Active());
    EXPECT_NE(dataChanges.find("F_name"), String::npos);
}

TEST_F(DataSetTest, ADataSourceEditsThroughItsLinks) {
    TDataSource ds;
    ds.SetDataSet(Q.get());
    TRecordingLink link;
    link.SetDataSource(&ds);
    Q->Open();
    EXPECT_TRUE(link.Edit());
    EXPECT_EQ(Q->State(), dsEdit);
    Q->Cancel();
    ds.SetAutoEdit(false);
    EXPECT_FALSE(link.Edit());
    EXPECT_EQ(Q->State(), dsBrowse);
    ds.SetEnabled(false);
    EXPECT_FALSE(link.Active());
}

// A field's Index moves it among the data set's fields, kept within the list; the links of an
// open data set take it as a new layout.
TEST_F(DataSetTest, AFieldsIndexMovesItAmongTheFields) {
    TDataSource ds;
    ds.SetDataSet(Q.get());
    TRecordingLink link;
    link.SetDataSource(&ds);
    Q->Open();
    auto names = [&] {
        String s;
        for (TField* f : Q->Fields())
            s += (s.empty() ? "" : ",") + f->FieldName();
        return s;
    };
    ASSERT_EQ(names(), "F_ID,F_code,F_name,F_price,F_qty,F_flag,F_date,F_kind");
    struct Case {
        const char* Field;
        int Index;
        const char* Names;
        const char* Log;
    };
    const Case cases[] = {
        {"F_name", 0, "F_name,F_ID,F_code,F_price,F_qty,F_flag,F_date,F_kind", "layout "},
        {"F_ID", 7, "F_name,F_code,F_price,F_qty,F_flag,F_date,F_kind,F_ID", "layout "},
        {"F_qty", 99, "F_name,F_code,F_price,F_flag,F_date,F_kind,F_ID,F_qty", "layout "},
        {"F_code", -4, "F_code,F_name,F_price,F_flag,F_date,F_kind,F_ID,F_qty", "layout "},
        {"F_code", 0, "F_code,F_name,F_price,F_flag,F_date,F_kind,F_ID,F_qty", ""},
    };
    for (const Case& c : cases) {
        link.Log.clear();
        Q->FieldByName(c.Field)->SetIndex(c.Index);
        EXPECT_EQ(names(), c.Names) << c.Field << " " << c.Index;
        EXPECT_EQ(link.Log, c.Log) << c.Field << " " << c.Index;
    }
    // The values stay with their fields.
    Q->First();
    EXPECT_EQ(Q->Fields()[0]->AsString(), "001");
    EXPECT_EQ(Q->FieldByName("F_name")->AsString(), "Water");
    // A field outside any data set has no place to move to.
    TIntegerField loose;
    loose.SetIndex(3);
    EXPECT_EQ(loose.Index(), -1);
}

} // namespace
