// A data grid on a shown form whose in-place editor is under test: T_edit holds an integer, a
// text, a float, a date and a kind key, T_kind the kinds' names; the query's field F_kname looks
// the name up. The editor's lookup drop-down is a small stand-in list that records what the
// editor hands it.
#pragma once

#include "DBGridGxFixture.h"

#include "grid/DBGridGxInplaceEdit.h"
#include "gui/Forms.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"
#include "platform/db/DbFixture.h"

#include <vector>

// The lookup drop-down stand-in: a plain window that keeps what it is told.
class TFakeDataList : public TCustomControl, public IInplaceDataListGx {
public:
    explicit TFakeDataList(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 80, 100); }
    TWinControl* ListControl() override { return this; }
    void PrepareDropDown(const TDataListDropDownGx& Settings) override {
        Prepared = Settings;
        ++Preparations;
    }
    int RowCount() override { return Rows; }
    void SetRowCount(int Value) override { Rows = std::clamp(Value, 1, 100); }
    int ColumnsClientWidth() override { return ColumnsWidth; }
    void SetAutoFitColWidths(bool Value) override { AutoFit = Value; }
    void SetSizeGripVisible(bool Value) override { GripVisible = Value; }
    bool UserResized() override { return Resized; }
    void ClearUserResized() override { Resized = false; }
    void FinishDropDown() override { ++Finished; }
    Variant KeyValue() override { return Key; }
    void SetKeyValue(const Variant& Value) override { Key = Value; }
    String DisplayText() override { return Display; }
    TRect DataRect() override { return ClientRect(); }
    String SpecRowCellsText() override { return String(); }
    void SetCloseUpHook(std::function<void(bool Accept)> Hook) override { CloseUpHook = std::move(Hook); }
    void SetColumnMovedHook(std::function<void()> Hook) override { ColumnMovedHook = std::move(Hook); }

    TDataListDropDownGx Prepared;
    int Preparations = 0, Finished = 0;
    int Rows = 7;
    int ColumnsWidth = 200;
    bool AutoFit = false, GripVisible = false, Resized = false;
    Variant Key;
    String Display;
    std::function<void(bool)> CloseUpHook;
    std::function<void()> ColumnMovedHook;
};

class TTestInplaceEdit : public TDBGridInplaceEdit {
public:
    using TDBGridInplaceEdit::TDBGridInplaceEdit;
    TFakeDataList* List = nullptr;

protected:
    IInplaceDataListGx* ColumnDataList(TColumnGx* Column) override {
        return Column->Field() && Column->Field()->Lookup() ? List : nullptr;
    }
};

class TInplaceTestGrid : public TDBGridGx {
public:
    using TDBGridGx::TDBGridGx;
    TFakeDataList* List = nullptr;

protected:
    TInplaceEdit* CreateCellEditor() override {
        auto* editor = new TTestInplaceEdit(this);
        editor->List = List;
        return editor;
    }
};

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
        Grid = new TInplaceTestGrid(&form);
        List = new TFakeDataList(&form);
        Grid->List = List;
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
    // Focuses the grid on the column's cell of the current record and shows the editor there.
    TDBGridInplaceEdit* Edit(const String& FieldName) {
        Grid->SetFocus();
        Grid->SetFocusCol(Col(FieldName)->Index() + Grid->IndicatorOffset());
        Grid->ShowCellEditor();
        Application()->ProcessMessages();
        return Grid->InplaceEditor();
    }
    TForm form{nullptr};
    TInplaceTestGrid* Grid = nullptr;
    TFakeDataList* List = nullptr;
    TDataSource Source{nullptr};
    std::unique_ptr<TADOQuery> Q, Kinds;
};
