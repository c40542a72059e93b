// A data grid on a shown form whose in-place editor is under test: T_edit holds an integer, a
// text, a float, a date and a kind key, T_kind the kinds' names; the query's field F_kname looks
// the name up, and its column's lookup list grid is the editor's drop-down there.
#pragma once

#include "DBGridGxFixture.h"

#include "grid/DBGridGxInplaceEdit.h"
#include "grid/DBLookupGridsGx.h"
#include "gui/Forms.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"
#include "platform/db/DbFixture.h"

#include <vector>

class InplaceEditTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        Run("create table T_edit (F_ID counter, F_int long, F_text text(20), F_float double, F_date "
            "datetime, "
            "F_kind long)");
        Run("create table T_kind (F_kind long, F_kname text(20))");
        Run("insert into T_kind values (1, 'Utility')");
        Run("insert into T_kind values (2, 'Energy')");
        Run("insert into T_kind values (3, 'Water')");
        Run("insert into T_edit (F_int, F_text, F_float, F_date, F_kind) values (1, 'alpha', 1.5, "
            "#2024-03-15#, 1)");
        Run("insert into T_edit (F_int, F_text, F_float, F_date, F_kind) values (2, 'beta', 2.5, "
            "#2024-03-16#, 2)");
        form.SetBounds(0, 0, 700, 400);
        Grid = new TDBGridGx(&form);
        PinFont(Grid->Font());
        PinFont(Grid->TitleFont());
        Grid->SetParent(&form);
        Grid->SetBounds(0, 0, 650, 300);
        Grid->SetOptions(Grid->Options() | dgEditing | dgTitles | dgIndicator | dgColLines | dgRowLines);
        form.Show();
    }
    void TearDown() override {
        delete Grid;
        Q.reset();
        Kinds.reset();
    }
    // Opens the query with persistent fields (F_kname the lookup) and one column per field.
    void Open() {
        Kinds = Query("select F_kind, F_kname from T_kind order by F_kind");
        Kinds->Open();
        Q = Query("select F_int, F_text, F_float, F_date, F_kind from T_edit order by F_ID");
        auto add = [&](TField* f, const char* name) {
            f->SetFieldName(name);
            f->SetDataSet(Q.get());
            return f;
        };
        add(new TIntegerField(Q.get()), "F_int");
        add(new TStringField(Q.get()), "F_text")->SetSize(20);
        add(new TFloatField(Q.get()), "F_float");
        add(new TDateTimeField(Q.get()), "F_date");
        add(new TIntegerField(Q.get()), "F_kind");
        TField* name = add(new TStringField(Q.get()), "F_kname");
        name->SetFieldKind(fkLookup);
        name->SetKeyFields("F_kind");
        name->SetLookupDataSet(Kinds.get());
        name->SetLookupKeyFields("F_kind");
        name->SetLookupResultField("F_kname");
        Q->Open();
        Source.SetDataSet(Q.get());
        Grid->SetDataSource(&Source);
        for (const char* f : {"F_int", "F_text", "F_float", "F_date", "F_kind", "F_kname"})
            Grid->Columns()->AddColumn()->SetFieldName(f);
    }
    TColumnGx* Col(const String& FieldName) { return Grid->ColumnByFieldName(FieldName); }
    // The lookup column's drop-down.
    TPopupDataGridGx* LookupList() { return Col("F_kname")->LookupGrid(); }
    // Shows the lookup column's special row, which stands for Null with the text "(none)".
    void ShowNoneRow() {
        TSpecRowGx* spec = Col("F_kname")->DropDownSpecRow();
        spec->SetCellsText("(none)");
        spec->SetValue(Null());
        spec->SetVisible(true);
    }
    // Focuses the grid on the column's cell of the current record and shows the editor there.
    TDBGridInplaceEdit* Edit(const String& FieldName) {
        Grid->SetFocus();
        Grid->SetFocusCol(Col(FieldName)->Index() + Grid->IndicatorOffset());
        Grid->ShowCellEditor();
        Application()->ProcessMessages();
        return Grid->InplaceEditor();
    }
    TForm form{nullptr};
    TDBGridGx* Grid = nullptr;
    TDataSource Source{nullptr};
    std::unique_ptr<TADOQuery> Q, Kinds;
};
