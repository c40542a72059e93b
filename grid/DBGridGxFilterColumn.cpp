// The filter of one column (its key, list and data fields and the typed text with its parsed
// expression) and the grid's filter settings.
#include "grid/DBGridGxFilter.h"

#include "classes/MetaBuilder.h"
#include "grid/DBCtrlsGxLink.h"
#include "grid/DBGridGx.h"
#include "rtl/ScopeGuards.h"

ORV_META_IMPL(TSTColumnFilterGx)
void TSTColumnFilterGx::DeclareMeta(meta::Class<TSTColumnFilterGx>& c) {
    c.Property("DataField", &TSTColumnFilterGx::DataField, &TSTColumnFilterGx::DataField);
    c.Property("KeyField", &TSTColumnFilterGx::KeyField, &TSTColumnFilterGx::KeyField);
    c.Property("ListField", &TSTColumnFilterGx::ListField, &TSTColumnFilterGx::ListField);
    c.Property("Visible", &TSTColumnFilterGx::Visible, &TSTColumnFilterGx::SetVisible).Default(true);
}

TSTColumnFilterGx::TSTColumnFilterGx(TColumnGx* Column) : FColumn(Column) {
    ClearFilterExpression(FExpression);
    FKeyStrings = std::make_unique<TStringList>();
    FListStrings = std::make_unique<TStringList>();
    FListLink = std::make_unique<TFieldDataLinkGx>();
    FListLink->OnLinkActiveChange = [this](TFieldDataLinkGx*) { ListActiveChanged(); };
}

TSTColumnFilterGx::~TSTColumnFilterGx() = default;

TCustomDBGridGx* TSTColumnFilterGx::Grid() const {
    return FColumn ? FColumn->Grid() : nullptr;
}

TDataSource* TSTColumnFilterGx::ListSource() const {
    return FListLink->DataSource();
}
void TSTColumnFilterGx::SetListSource(TDataSource* Value) {
    FListLink->SetDataSource(Value);
}

void TSTColumnFilterGx::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    if (TCustomDBGridGx* g = Grid()) g->RequestLayout();
}

void TSTColumnFilterGx::Assign(const TPersistent* Source) {
    if (auto* s = dynamic_cast<const TSTColumnFilterGx*>(Source)) {
        DataField = s->DataField;
        SetVisible(s->Visible());
        KeyField = s->KeyField;
        ListField = s->ListField;
        SetListSource(s->ListSource());
        return;
    }
    TPersistent::Assign(Source);
}

TField* TSTColumnFilterGx::LookupFieldOfColumn() const {
    TCustomDBGridGx* g = Grid();
    if (!g || !g->DataLink()->Active() || !g->DataLink()->DataSet()) return nullptr;
    TField* f = g->DataLink()->DataSet()->FindField(FColumn->FieldName());
    return f && f->Lookup() ? f : nullptr;
}

String TSTColumnFilterGx::EffectiveDataField() const {
    if (!DataField.empty()) return DataField;
    if (TField* f = LookupFieldOfColumn()) return f->KeyFields();
    return FColumn ? FColumn->FieldName() : String();
}

String TSTColumnFilterGx::EffectiveKeyField() const {
    if (!KeyField.empty()) return KeyField;
    if (TField* f = LookupFieldOfColumn()) return f->LookupKeyFields();
    return String();
}

String TSTColumnFilterGx::EffectiveListField() const {
    if (!ListField.empty()) return ListField;
    if (TField* f = LookupFieldOfColumn()) return f->LookupResultField();
    return String();
}

TDataSet* TSTColumnFilterGx::EffectiveListDataSet() const {
    if (ListSource()) return ListSource()->DataSet();
    if (TField* f = LookupFieldOfColumn()) return f->LookupDataSet();
    return nullptr;
}

bool TSTColumnFilterGx::HasDropDownButton() const {
    TCustomDBGridGx* g = Grid();
    return ListSource() != nullptr || (g && g->MemTable());
}

Variant TSTColumnFilterGx::FirstOperand() const {
    return EffectiveKeyField().empty() ? FExpression.FirstValue : FKeyValues;
}

String TSTColumnFilterGx::ExpressionText() const {
    const TSTFilterExpressionGx& e = FExpression;
    if (e.ValueKind == stetUnknown || e.FirstOp == stoNone) return String();
    if (ListSource()) return VariantListToQuotedText(e.FirstValue);
    String s;
    FilterConditionText(e.FirstOp, e.FirstValue, s);
    // A junction without its second condition («> 5 and») writes the first alone.
    if (e.Junction != stoNone && e.SecondOp != stoNone) {
        s += String(" ") + FilterOperatorDisplayText[e.Junction] + " ";
        FilterConditionText(e.SecondOp, e.SecondValue, s);
    }
    return s;
}

void TSTColumnFilterGx::MapPickTextsToKeys(TSTFilterExpressionGx& Expression) {
    if (!FColumn || !FColumn->HasKeyList() || !FColumn->HasPickList()) return;
    TStrings* picks = FColumn->PickList();
    TStrings* keys = FColumn->KeyList();
    auto map = [&](const Variant& V) -> Variant {
        if (VarIsNull(V)) return V;
        int i = picks->IndexOf(VarToStr(V));
        return i >= 0 && i < keys->Count() ? Variant(keys->Strings(i)) : V;
    };
    auto mapOperand = [&](TSTFilterOpGx Op, Variant& Operand) {
        if (Op < stoEqual || Op > stoNotIn) return;
        if (!VarIsArray(Operand)) {
            Operand = map(Operand);
            return;
        }
        for (int i = VarArrayLowBound(Operand, 1); i <= VarArrayHighBound(Operand, 1); ++i)
            VarArrayPut(Operand, map(VarArrayGet(Operand, {i})), {i});
    };
    mapOperand(Expression.FirstOp, Expression.FirstValue);
    mapOperand(Expression.SecondOp, Expression.SecondValue);
}

String TSTColumnFilterGx::ParseText(const String& Text) {
    if (FColumn) {
        if (TField* f = FColumn->Field()) FExpression.ValueKind = FilterExpressionTypeOf(f->DataType());
        if (FColumn->HasKeyList() && FColumn->HasPickList()) FExpression.ValueKind = stetString;
    }
    ParseFilterExpression(Text, FExpression);
    MapPickTextsToKeys(FExpression);
    return ExpressionText();
}

void TSTColumnFilterGx::StoreFilterText(const String& Text) {
    ParseText(Text);
    if (!EffectiveKeyField().empty() && FExpression.FirstOp != stoIsNull &&
        FExpression.FirstOp != stoIsNotNull) {
        if (Text.empty())
            FKeyValues = Null();
        else if (TDataSet* ds = EffectiveListDataSet())
            FKeyValues = ds->Lookup(EffectiveListField(), Text, EffectiveKeyField());
        ParseFilterExpression(String(), FExpression);
        FExpression.ValueKind = stetString;
        if (VarIsNull(FKeyValues)) {
            FExpression.FirstOp = Text.empty() ? stoNone : stoIsNull;
        } else {
            FExpression.FirstOp = stoIn;
            FExpression.FirstValue = Text;
        }
    }
    FFilterText = Text;
}

void TSTColumnFilterGx::SetFilterText(const String& Text) {
    StoreFilterText(Text);
    if (TCustomDBGridGx* g = Grid()) {
        g->Invalidate();
        g->FilterTextChanged(FColumn);
    }
}

void TSTColumnFilterGx::ClearFilter() {
    FKeyValues = Null();
    SetFilterText(String());
}

void TSTColumnFilterGx::ListActiveChanged() {
    if (!FListLink->Active() || ListField.empty() || KeyField.empty()) return;
    TDataSet* ds = FListLink->DataSet();
    if (!ds) return;
    // Every activation fills the lists anew: appending again would list each entry twice.
    FListStrings->Clear();
    FKeyStrings->Clear();
    TField* list = ds->FieldByName(ListField);
    TField* key = ds->FieldByName(KeyField);
    ds->DisableControls();
    const TScopeExit enable([ds] { ds->EnableControls(); });
    for (ds->First(); !ds->Eof(); ds->Next()) {
        FListStrings->Add(list->AsString());
        FKeyStrings->Add(key->AsString());
    }
    ds->First();
}

std::unique_ptr<TDatasetFieldValueListGx> TSTColumnFilterGx::FieldValueList() const {
    TCustomDBGridGx* g = Grid();
    TDataSet* ds = ListSource() ? ListSource()->DataSet() : nullptr;
    if (!g || !g->DataLink()->Active() || !ds || !ds->Active()) return nullptr;
    String name = ListField.empty() ? FColumn->FieldName() : ListField;
    if (!ds->FindField(name)) return nullptr;
    auto list = std::make_unique<TDatasetFieldValueListGx>();
    list->SetValueFieldName(name);
    list->SetValueDataSet(ds);
    return list;
}

// ---- the column's and the grid's ownership ---------------------------------------------------------

void TColumnGx::SetSTFilter(const TSTColumnFilterGx* Value) {
    FSTFilter->Assign(Value);
}

void TColumnGx::SetFilterValueList(std::unique_ptr<IDistinctValuesGx> List) {
    FFilterValueList = std::move(List);
}

void TColumnGx::ForgetField() {
    FField = nullptr;
    FFilterValueList.reset();
}

// ---- TSTDBGridGxFilter ---------------------------------------------------------------------------

ORV_META_IMPL(TSTDBGridGxFilter)
void TSTDBGridGxFilter::DeclareMeta(meta::Class<TSTDBGridGxFilter>& c) {
    c.Property("Local", &TSTDBGridGxFilter::Local, &TSTDBGridGxFilter::SetLocal).Default(false);
    c.Property("Visible", &TSTDBGridGxFilter::Visible, &TSTDBGridGxFilter::SetVisible).Default(false);
}

void TSTDBGridGxFilter::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    if (!FGrid) return;
    if (!Value) FGrid->EndFilterEditing();
    FGrid->RequestLayout();
    if (FGrid->CellEditor()) FGrid->InvalidateEditor();
}

void TSTDBGridGxFilter::Assign(const TPersistent* Source) {
    if (auto* s = dynamic_cast<const TSTDBGridGxFilter*>(Source)) {
        SetVisible(s->Visible());
        SetLocal(s->Local());
        return;
    }
    TPersistent::Assign(Source);
}
