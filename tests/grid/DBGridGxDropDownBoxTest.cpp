// A lookup column's drop-down settings: the list fields it shows (the lookup field's result field
// until set), and the drop-down box, whose columns, column defaults, options and local sorting are
// those of the column's lookup list grid.
#include "InplaceEditFixture.h"

#include "classes/Meta.h"
#include "grid/DBLookupGridsGx.h"

namespace {

TEST_F(InplaceEditTest, LookupDisplayFieldsFollowTheResultFieldUntilSet) {
    Open();
    TColumnGx* column = Col("F_kname");
    EXPECT_EQ(column->LookupDisplayFields(), "F_kname");
    EXPECT_EQ(Col("F_text")->LookupDisplayFields(), ""); // not a lookup field
    // The value it shows already: not its own.
    column->SetLookupDisplayFields("F_kname");
    EXPECT_FALSE(column->Flagged(cvLookupDisplayFields));
    // Its own value goes to the lookup list grid as well.
    TPopupDataGridGx* list = column->LookupGrid();
    column->SetLookupDisplayFields("F_kname;F_kind");
    EXPECT_TRUE(column->Flagged(cvLookupDisplayFields));
    EXPECT_TRUE(column->IsLookupDisplayFieldsStored());
    EXPECT_EQ(list->ListField(), "F_kname;F_kind");
    // Copied only when the source has its own.
    TColumnGx* other = Col("F_int");
    other->Assign(column);
    EXPECT_EQ(other->LookupDisplayFields(), "F_kname;F_kind");
    column->ResetToDefaults();
    EXPECT_EQ(column->LookupDisplayFields(), "F_kname");
    TColumnGx* plain = Col("F_float");
    plain->Assign(column);
    EXPECT_FALSE(plain->Flagged(cvLookupDisplayFields));
    EXPECT_NE(column->ClassInfo()->FindProperty("LookupDisplayFields"), nullptr);
}

TEST_F(InplaceEditTest, TheDropDownBoxKeepsPartOfItsSettingsInTheLookupGrid) {
    Open();
    TColumnGx* column = Col("F_kname");
    TColumnDropDownBoxGx* box = column->DropDownBox();
    TPopupDataGridGx* list = column->LookupGrid();
    EXPECT_EQ(box->Options(), dlgColLinesGx);
    box->SetOptions(dlgColLinesGx | dlgRowLinesGx);
    EXPECT_EQ(list->LookupOptions(), dlgColLinesGx | dlgRowLinesGx);
    box->SetSortLocal(true);
    EXPECT_TRUE(list->SortLocal);
    EXPECT_EQ(box->Columns(), list->Columns());
    EXPECT_EQ(box->ColumnDefValues(), list->ColumnDefValues());
    EXPECT_FALSE(box->IsColumnsStored());
    box->Columns()->AddColumn()->SetFieldName("F_kname");
    EXPECT_TRUE(box->IsColumnsStored());

    // A box without a column keeps nothing of the grid's.
    TColumnDropDownBoxGx loose;
    EXPECT_EQ(loose.Columns(), nullptr);
    EXPECT_EQ(loose.ColumnDefValues(), nullptr);
    EXPECT_EQ(loose.Options(), 0);
    EXPECT_FALSE(loose.SortLocal());
    loose.SetOptions(dlgRowLinesGx);
    loose.SetSortLocal(true);
    EXPECT_FALSE(loose.SortLocal());

    String names;
    for (const meta::TPropInfo* p : TColumnDropDownBoxGx::StaticClassInfo().Properties())
        names += p->Name + ";";
    EXPECT_EQ(names, "AutoFitColWidths;ColumnDefValues;Columns;ListSource;Options;SortLocal;UseMultiTitle;");
}

// Assign copies the fitting, the column defaults, the columns the source's grid does not make
// itself, the options, the titles and the list source; never the local sorting.
TEST_F(InplaceEditTest, AssigningADropDownBoxCopiesItsSettings) {
    Open();
    auto* listSource = new TDataSource(nullptr);
    listSource->SetDataSet(Kinds.get());
    TColumnDropDownBoxGx* from = Col("F_kname")->DropDownBox();
    from->SetAutoFitColWidths(false);
    from->SetUseMultiTitle(true);
    from->SetOptions(dlgRowLinesGx);
    from->SetSortLocal(true);
    from->SetListSource(listSource);
    from->ColumnDefValues()->ToolTips = true;
    from->Columns()->AddColumn()->SetFieldName("F_kname");
    from->Columns()->ColumnAt(0)->SetWidth(77);

    TColumnDropDownBoxGx* to = Col("F_kind")->DropDownBox();
    to->Columns()->AddColumn()->SetFieldName("F_kind");
    to->Columns()->AddColumn()->SetFieldName("F_kname");
    to->Assign(from);
    EXPECT_FALSE(to->AutoFitColWidths());
    EXPECT_TRUE(to->UseMultiTitle());
    EXPECT_EQ(to->Options(), dlgRowLinesGx);
    EXPECT_FALSE(to->SortLocal());
    EXPECT_EQ(to->ListSource(), listSource);
    EXPECT_TRUE(to->ColumnDefValues()->ToolTips);
    ASSERT_EQ(to->Columns()->Count(), 1);
    EXPECT_EQ(to->Columns()->ColumnAt(0)->FieldName(), "F_kname");
    EXPECT_EQ(to->Columns()->ColumnAt(0)->Width(), 77);

    // The columns of a source whose grid makes its own are not copied: the own ones go.
    from->Columns()->Clear();
    to->Assign(from);
    EXPECT_FALSE(to->IsColumnsStored());
    // A freed list source is let go by both.
    delete listSource;
    EXPECT_EQ(from->ListSource(), nullptr);
    EXPECT_EQ(to->ListSource(), nullptr);
}

} // namespace
