// What the grid tells its in-place editor (accepted keys, limits, masks, start texts, whether it
// may show or modify) and how the edited text goes back into the fields.
#include "DBGridGxFixture.h"
#include "db/Field.h"

namespace {

class DBGridEditTest : public DBGridTest {
protected:
    void SetUp() override {
        DBGridTest::SetUp();
        Grid->SetOptions(Grid->Options() | dgEditing);
    }
    // Columns over F_int, F_text, F_float in that order.
    void OpenColumns(int Rows = 3) {
        Fill(Rows);
        OpenGrid();
        for (const char* name : {"F_int", "F_text", "F_float"})
            Grid->Columns()->AddColumn()->SetFieldName(name);
    }
    TColumnGx* Col(int I) { return Grid->Columns()->ColumnAt(I); }
    void Focus(int DataCol) { Grid->SetFocusCol(DataCol + Grid->IndicatorOffset()); }
    String StartText(int DataCol) {
        return Grid->EditTextOf(DataCol + Grid->IndicatorOffset(), Grid->CurrentCell().Y);
    }
    void KeyList(TColumnGx* C) {
        C->KeyList()->SetText("1\n2");
        C->PickList()->SetText("one\ntwo");
    }
    // Writes Text through the data link as the editor would, then posts.
    void Write(const String& Text) {
        ASSERT_TRUE(Grid->EditModifyAllowed());
        Grid->SetEditText(Text);
        Grid->WriteEditedValue();
        Q->Post();
    }
};

} // namespace

TEST_F(DBGridEditTest, LimitsAndMasksPerColumnKind) {
    OpenColumns();
    Col(2)->EditMask = "999;0;_";
    Q->FieldByName("F_text")->SetEditMask("LL;0;_");
    struct Case {
        int DataCol;
        bool WithKeyList;
        int Limit;
        String Mask;
    };
    const Case cases[] = {
        {1, false, 20, "LL;0;_"}, // a string field of size 20: its size and its mask
        {1, true, 0, ""},         // a key list: no limit and no mask
        {0, false, 0, ""},        // not a string field
        {2, false, 0, "999;0;_"}, // the column's own mask wins
    };
    for (const Case& c : cases) {
        Col(c.DataCol)->KeyList()->Clear();
        Col(c.DataCol)->PickList()->Clear();
        if (c.WithKeyList) KeyList(Col(c.DataCol));
        Focus(c.DataCol);
        EXPECT_EQ(Grid->EditTextLimit(), c.Limit) << c.DataCol << " " << c.WithKeyList;
        EXPECT_EQ(Grid->EditTextMask(c.DataCol + Grid->IndicatorOffset()), c.Mask) << c.DataCol;
    }
}

TEST_F(DBGridEditTest, AcceptedKeys) {
    OpenColumns();
    Focus(0);
    EXPECT_TRUE(Grid->EditAcceptsKey(u'7'));
    EXPECT_FALSE(Grid->EditAcceptsKey(u'x'));
    EXPECT_FALSE(Grid->EditAcceptsKey(u'中'));
    KeyList(Col(0)); // the field's character test is skipped
    EXPECT_TRUE(Grid->EditAcceptsKey(u'x'));
    Focus(1);
    EXPECT_TRUE(Grid->EditAcceptsKey(u'中'));
    Grid->EditorReadOnlyByParams = true;
    Grid->EditorReadOnly = true;
    EXPECT_FALSE(Grid->EditAcceptsKey(u'a'));
    Q->Close();
    Grid->EditorReadOnly = false;
    EXPECT_TRUE(Grid->EditAcceptsKey(u'a'));
}

TEST_F(DBGridEditTest, KeyListStartTextAndWriteBack) {
    OpenColumns();
    KeyList(Col(0));
    Focus(0);
    EXPECT_EQ(StartText(0), "one");
    Q->Next();
    Q->Next(); // F_int 3 is in no key list: the editor starts empty
    EXPECT_EQ(StartText(0), "");
    EXPECT_EQ(Grid->EditText(), "");
    Write("TWO");
    EXPECT_EQ(Q->FieldByName("F_int")->AsInteger(), 2);
    // Not in the pick list: the handler is asked, and without accepting the key becomes Null.
    String asked;
    Col(0)->OnNotInList = [&](TObject*, const String& Text, bool&) { asked = Text; };
    Write("three");
    EXPECT_EQ(asked, "three");
    EXPECT_TRUE(Q->FieldByName("F_int")->IsNull());
    // Accepted after the handler added it to the lists.
    Col(0)->OnNotInList = [&](TObject*, const String& Text, bool& Recheck) {
        Col(0)->PickList()->Add(Text);
        Col(0)->KeyList()->Add("3");
        Recheck = true;
    };
    Write("three");
    EXPECT_EQ(Q->FieldByName("F_int")->AsInteger(), 3);
}

TEST_F(DBGridEditTest, PlainAndPickListWrites) {
    OpenColumns();
    Focus(1);
    Write("new text");
    EXPECT_EQ(Q->FieldByName("F_text")->AsString(), "new text");
    Col(1)->PickList()->SetText("alpha\nbeta");
    int asked = 0;
    Col(1)->OnNotInList = [&](TObject*, const String&, bool&) { ++asked; };
    Write("BETA");
    EXPECT_EQ(asked, 0);
    Write("gamma"); // a plain pick list keeps the text after asking
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(Q->FieldByName("F_text")->AsString(), "gamma");
}

TEST_F(DBGridEditTest, CheckBoxesReadOnlyAndParameterOverride) {
    OpenColumns();
    Focus(1);
    EXPECT_TRUE(Grid->EditModifyAllowed());
    Q->Cancel();
    Col(1)->SetCheckboxes(true);
    EXPECT_FALSE(Grid->EditModifyAllowed());
    Col(1)->SetCheckboxes(false);
    Grid->SetReadOnly(true);
    EXPECT_FALSE(Grid->EditModifyAllowed());
    EXPECT_EQ(Q->State(), dsBrowse);
    // The cell's parameters made it writable: the data set goes into edit all the same.
    Grid->EditorReadOnlyByParams = true;
    EXPECT_TRUE(Grid->EditModifyAllowed());
    EXPECT_EQ(Q->State(), dsEdit);
    EXPECT_TRUE(Grid->DataLink()->Modified);
}

TEST_F(DBGridEditTest, MemoTextNeedsDrawMemoText) {
    Run("create table T_memo (F_ID counter, F_memo memo)");
    Run("insert into T_memo (F_memo) values ('x')");
    OpenGrid("select F_memo from T_memo");
    Grid->Columns()->AddColumn()->SetFieldName("F_memo");
    Q->Edit();
    Q->FieldByName("F_memo")->SetAsString("a\nb");
    Q->Post();
    Focus(0);
    EXPECT_FALSE(Grid->EditModifyAllowed());
    Grid->DrawMemoText = true;
    EXPECT_EQ(StartText(0), "a\r\nb");
    Write("c\r\nd");
    EXPECT_EQ(Q->FieldByName("F_memo")->AsString(), "c\r\nd");
}

TEST_F(DBGridEditTest, EditorWaitsForTheRectangleToClear) {
    OpenColumns();
    Grid->SetOptions(Grid->Options() | dgMultiSelect);
    Grid->SetFocus();
    Grid->OpenEditor();
    Focus(1);
    EXPECT_TRUE(Grid->EditorShowAllowed());
    Q->First();
    TBookmark a = Q->GetBookmark();
    Q->Next();
    Grid->Selection()->Rect()->SelectCell(0, a, false);
    Grid->Selection()->Rect()->SelectCell(1, Q->GetBookmark(), true);
    EXPECT_FALSE(Grid->EditorShowAllowed());
    Grid->Selection()->ClearSelection();
    EXPECT_TRUE(Grid->EditorShowAllowed());
    Col(1)->SetCheckboxes(true);
    EXPECT_FALSE(Grid->EditorShowAllowed());
}

TEST_F(DBGridEditTest, LookupColumnShowsTheSpecialRow) {
    Run("create table T_kind (F_kind long, F_kname text(20))");
    Run("insert into T_kind values (1, 'Utility')");
    Run("insert into T_kind values (2, 'Energy')");
    Fill(3);
    auto kinds = Query("select F_kind, F_kname from T_kind");
    kinds->Open();
    Q = Query("select F_int, F_text from T_grid order by F_ID");
    std::vector<std::unique_ptr<TField>> fields;
    auto add = [&](std::unique_ptr<TField> f, const char* name) {
        f->SetFieldName(name);
        f->SetDataSet(Q.get());
        fields.push_back(std::move(f));
        return fields.back().get();
    };
    add(std::make_unique<TIntegerField>(), "F_int");
    add(std::make_unique<TStringField>(), "F_text");
    TField* kname = add(std::make_unique<TStringField>(), "F_kname");
    kname->SetFieldKind(fkLookup);
    kname->SetKeyFields("F_int");
    kname->SetLookupDataSet(kinds.get());
    kname->SetLookupKeyFields("F_kind");
    kname->SetLookupResultField("F_kname");
    Q->Open();
    Source.SetDataSet(Q.get());
    Grid->SetDataSource(&Source);
    TColumnGx* c = Grid->Columns()->AddColumn();
    c->SetFieldName("F_kname");
    Focus(0);
    EXPECT_EQ(StartText(0), "Utility");
    EXPECT_EQ(VarToStr(Grid->EditKeyValue()), "1");
    TSpecRowGx* spec = c->DropDownSpecRow();
    spec->SetCellsText("(none)");
    spec->SetValue(Variant(1));
    spec->SetVisible(true);
    spec->SetShowIfNotInKeyList(false);
    EXPECT_EQ(StartText(0), "(none)");
    Q->SetRecNo(3); // key 3 is not in the list
    EXPECT_EQ(StartText(0), "");
    spec->SetShowIfNotInKeyList(true);
    EXPECT_EQ(StartText(0), "(none)");
    EXPECT_EQ(VarToStr(Grid->EditKeyValue()), "1");
    // Writing the chosen name sets the key.
    Q->SetRecNo(1);
    ASSERT_TRUE(Grid->EditModifyAllowed());
    Grid->SetEditText("Energy");
    Grid->SetEditKeyValue(Variant(2));
    Grid->WriteEditedValue();
    Q->Post();
    EXPECT_EQ(Q->FieldByName("F_int")->AsInteger(), 2);
    Grid->SetDataSource(nullptr);
    Source.SetDataSet(nullptr);
    Q->Close();
    Q.reset();
}
