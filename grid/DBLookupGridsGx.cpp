// The lookup grid's construction, its published properties, the mapping of its own options onto
// the data grid's, and the data link to the data source that receives the key.
#include "grid/DBLookupGridsGx.h"

#include "classes/MetaBuilder.h"
#include "db/DB.h"

// ---- bound data link ------------------------------------------------------------------------------

void TLookupGridDataLinkGx::ActiveChanged() { FGrid->BindDataFields(); }

void TLookupGridDataLinkGx::LayoutChanged() { FGrid->BindDataFields(); }

void TLookupGridDataLinkGx::RecordChanged(TField* Field) {
    const std::vector<TField*>& masters = FGrid->MasterFields();
    if (!Field || std::find(masters.begin(), masters.end(), Field) != masters.end()) FGrid->BoundRecordChanged(Field);
}

void TLookupGridDataLinkGx::FocusControl(TField** Field) {
    if (!Field || !*Field || FGrid->BoundFields().empty() || *Field != FGrid->BoundFields().front()) return;
    if (!FGrid->CanFocus()) return;
    FGrid->SetFocus();
    *Field = nullptr;
}

// ---- construction -----------------------------------------------------------------------------------

ORV_META_IMPL(TDBLookupGridGx)
void TDBLookupGridGx::DeclareMeta(meta::Class<TDBLookupGridGx>& c) {
    using T = TDBLookupGridGx;
    c.Property("AutoFitColWidths", &T::AutoFitColWidths, &T::SetAutoFitColWidths).Default(false);
    c.Property("DataField", &T::BoundDataField, &T::SetBoundDataField);
    c.Property("DataSource", &T::BoundDataSource, &T::SetBoundDataSource);
    c.Property("KeyField", &T::KeyField, &T::SetKeyField);
    c.Property("ListField", &T::ListField, &T::SetListField);
    c.Property("ListFieldIndex", &T::ListFieldIndex, &T::SetListFieldIndex).Default(0);
    c.Property("ListSource", &T::ListSource, &T::SetListSource);
    c.Property("Options", &T::LookupOptions, &T::SetLookupOptions).Default(TDBLookupGridGxOptions(dlgColLinesGx));
    c.Property("ReadOnly", &T::ReadOnly, &T::SetReadOnly).Default(false);
    c.Property("RowCount", &T::RowCount, &T::SetRowCount);
    c.Property("ShowTitles", &T::ShowTitles, &T::SetShowTitles).Default(false);
    c.Property("SpecRow", &T::SpecRow, &T::SetSpecRow);
    c.Property("UseMultiTitle", &T::UseMultiTitle, &T::SetUseMultiTitle).Default(false);
}

TDBLookupGridGx::TDBLookupGridGx(TComponent* AOwner) : TCustomDBGridGx(AOwner) {
    ReplaceColumns(std::make_unique<TDBGridColumnsGx>(this, TDBLookupGridColumnGx::StaticClassInfo()),
                   std::make_unique<TDBLookupGridColumnDefValuesGx>(this));
    FBoundLink = std::make_unique<TLookupGridDataLinkGx>(this);
    FLookupSource = std::make_unique<TDataSource>(nullptr);
    FSpecRow = std::make_unique<TSpecRowGx>(this);
    FSpecRow->RowChangedHook = [this](TObject*) {
        if (!ComponentState().Contains(csLoading)) SpecRowTouched();
    };
    FTrackingTimer = std::make_unique<TTimer>(nullptr);
    FTrackingTimer->SetEnabled(false);
    FTrackingTimer->OnTimer = [this](TObject*) { TrackingScrollStep(); };
    FKeyValue = Null();
    SetParentColor(false);
    SetOptions(dgColLines | dgRowSelect);
    SetOptionsGx(OptionsGx() | dghTraceColSizing);
    FLookupOptions = dlgColLinesGx;
    HorzScrollBar()->Tracking = true;
    VertScrollBar()->Tracking = true;
    SetFlat(true);
    DrawMemoText = true;
    SetTabStop(false);
    SetVTitleMargin(5);
}

TDBLookupGridGx::~TDBLookupGridGx() {
    Destroying();
    FTrackingTimer->SetEnabled(false);
    FBoundLink->SetDataSource(nullptr);
    // The list link lets go of the lookup source before the source goes.
    SetDataSource(nullptr);
}

// ---- properties -------------------------------------------------------------------------------------

void TDBLookupGridGx::SetLookupOptions(TDBLookupGridGxOptions Value) {
    if (Value == FLookupOptions) return;
    FLookupOptions = Value;
    auto put = [](auto& set, auto bit, bool on) {
        using S = std::remove_reference_t<decltype(set)>;
        set = on ? static_cast<S>(set | bit) : static_cast<S>(set & ~static_cast<S>(bit));
    };
    TDBGridOptions options = Options();
    put(options, dgColumnResize, (Value & dlgColumnResizeGx) != 0);
    put(options, dgColLines, (Value & dlgColLinesGx) != 0);
    put(options, dgRowLines, (Value & dlgRowLinesGx) != 0);
    SetOptions(options);
    TDBGridGxOptions optionsGx = OptionsGx();
    put(optionsGx, dghAutoSortMarking, (Value & dlgAutoSortMarkingGx) != 0);
    put(optionsGx, dghMultiSortMarking, (Value & dlgMultiSortMarkingGx) != 0);
    SetOptionsGx(optionsGx);
    ReapplyRowCount();
}

void TDBLookupGridGx::SetListSource(TDataSource* Value) {
    RejectInLookupMode();
    SetDataSource(Value);
}

void TDBLookupGridGx::SetKeyField(const String& Value) {
    RejectInLookupMode();
    if (Value == FKeyField) return;
    FKeyField = Value;
    BindListFields();
    FitColumnWidths();
}

void TDBLookupGridGx::SetListField(const String& Value) {
    if (Value == FListField) return;
    FListField = Value;
    BindListFields();
    FitColumnWidths();
}

void TDBLookupGridGx::SetListFieldIndex(int Value) {
    if (Value == FListFieldIndex) return;
    FListFieldIndex = Value;
    BindListFields();
}

void TDBLookupGridGx::SetKeyValue(const Variant& Value) {
    if (VariantsEqual(FKeyValue, Value)) return;
    FKeyValue = Value;
    KeyValueUpdated();
}

void TDBLookupGridGx::SetBoundDataSource(TDataSource* Value) {
    if (!(FBoundLink->DataSourceFixed && ComponentState().Contains(csLoading))) FBoundLink->SetDataSource(Value);
    if (Value) Value->FreeNotification(this);
}

void TDBLookupGridGx::SetBoundDataField(const String& Value) {
    if (Value == FBoundDataField) return;
    FBoundDataField = Value;
    BindDataFields();
}

void TDBLookupGridGx::SetUseMultiTitle(bool Value) {
    TCustomDBGridGx::SetUseMultiTitle(Value);
    ReapplyRowCount();
}

void TDBLookupGridGx::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomDBGridGx::Notification(AComponent, Operation);
    if (Operation == opRemove && FBoundLink && AComponent == FBoundLink->DataSource())
        FBoundLink->SetDataSource(nullptr);
}

void TDBLookupGridGx::SpecRowTouched() {
    // A row that shows or hides changes the fixed rows and the height the rows need.
    const int height = FSpecRow->Visible() ? SpecialRowHeight() : 0;
    if (height != FSpecRowHeight || FilterRowCount() + TitleRowCount() != TitleOffset()) {
        RequestLayout();
        ReapplyRowCount();
    }
    // The row shown, its value or its texts decide whether it stands for the key and what the
    // grid's text is.
    if (FListActive) KeyValueUpdated();
    Invalidate();
}

// ---- focus ------------------------------------------------------------------------------------------

bool TDBLookupGridGx::WantsKey(Word Key, TShiftState Shift) const {
    (void)Shift;
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN || Key == VK_PRIOR ||
           Key == VK_NEXT || Key == VK_HOME || Key == VK_END;
}

void TDBLookupGridGx::SetFocus() {
    if (FPopupMode) return;
    TCustomDBGridGx::SetFocus();
}

void TDBLookupGridGx::DoEnter() {
    TCustomDBGridGx::DoEnter();
    FFocused = true;
    Invalidate();
}

void TDBLookupGridGx::DoExit() {
    TCustomDBGridGx::DoExit();
    FFocused = false;
    Invalidate();
}
