// The field data link: standalone and bound modes, editing and modified flags, writing back.
#include "grid/DBCtrlsGxLink.h"
#include "gui/Controls.h"

TFieldDataLinkGx::TFieldDataLinkGx(TControl* AOwnerControl) : FOwnerControl(AOwnerControl) {
    SetVisualControl(true);
    FStandaloneValue = Null();
}

void TFieldDataLinkGx::SetDataSource(TDataSource* ADataSource) {
    if (ADataSource == DataSource()) return;
    TDataLink::SetDataSource(ADataSource);
    RecheckStandalone();
}

void TFieldDataLinkGx::SetBoundFieldName(const String& Value) {
    if (Value == FBoundFieldName) return;
    FBoundFieldName = Value;
    ResolveFields();
    RecheckStandalone();
}

bool TFieldDataLinkGx::HasField(const TField* Field) const {
    for (const TField* f : FBoundFields)
        if (f == Field) return true;
    return false;
}

bool TFieldDataLinkGx::IsLinkActive() const {
    return FStandalone || (Active() && BoundField() != nullptr);
}

bool TFieldDataLinkGx::CanModifyValue() const {
    if (TField* f = BoundField()) return f->CanModify();
    return FStandalone;
}

bool TFieldDataLinkGx::StartEdit() {
    if (FStandalone) {
        if (!FLinkEditing && !ReadOnly()) {
            FLinkEditing = true;
            FLinkModified = false;
            Call(OnLinkEditingChange, this);
        }
    } else if (CanModifyValue()) {
        Edit(); // the state change comes back as EditingChanged
    }
    return FLinkEditing;
}

void TFieldDataLinkGx::PutFieldText(const String& Text) {
    if (FStandalone) {
        FStandaloneValue = Variant(Text);
        RecordChanged(nullptr);
        return;
    }
    TField* f = BoundField();
    if (!f) return;
    if (f->DataType() == ftMemo || f->DataType() == ftFmtMemo)
        f->SetAsString(Text);
    else
        f->SetEditText(Text);
}

void TFieldDataLinkGx::PutFieldValue(const Variant& Value) {
    if (FStandalone) {
        FStandaloneValue = Value;
        RecordChanged(nullptr);
        return;
    }
    if (TField* f = BoundField()) f->SetAsVariant(Value);
}

void TFieldDataLinkGx::ResolveFields() {
    std::vector<TField*> fields;
    if (Active() && !FBoundFieldName.empty()) {
        // FieldByName raises "Field '%s' not found" for a name the data set lacks.
        fields.push_back(DataSet()->FieldByName(FBoundFieldName));
    }
    AssignFields(fields);
}

void TFieldDataLinkGx::AssignFields(const std::vector<TField*>& Fields) {
    FBoundFields = Fields;
    EditingChanged();
    RecordChanged(nullptr);
}

void TFieldDataLinkGx::RecheckStandalone() {
    const bool standalone = DataSource() == nullptr && FBoundFieldName.empty();
    if (standalone == FStandalone) return;
    FStandalone = standalone;
    FStandaloneValue = Null();
    LayoutChanged();
    if (FStandalone) RecordChanged(nullptr);
}

void TFieldDataLinkGx::SetLinkEditing(bool Value) {
    if (Value == FLinkEditing) return;
    FLinkEditing = Value;
    FLinkModified = false;
    Call(OnLinkEditingChange, this);
}

void TFieldDataLinkGx::ActiveChanged() {
    ResolveFields();
    Call(OnLinkActiveChange, this);
}

void TFieldDataLinkGx::LayoutChanged() {
    ResolveFields();
}

void TFieldDataLinkGx::RecordChanged(TField* Field) {
    if (Field && !HasField(Field)) return;
    Call(OnLinkDataChange, this);
    FLinkModified = false;
}

void TFieldDataLinkGx::EditingChanged() {
    SetLinkEditing(Editing() && CanModifyValue());
}

void TFieldDataLinkGx::UpdateData() {
    if (FStandalone) {
        if (FLinkModified) Call(OnLinkUpdateData, this);
        FLinkEditing = false;
        FLinkModified = false;
        return;
    }
    if (!FLinkModified) return;
    if (BoundField()) Call(OnLinkUpdateData, this);
    FLinkModified = false;
}

void TFieldDataLinkGx::FocusControl(TField** Field) {
    if (!Field || !*Field || !HasField(*Field)) return;
    auto* control = dynamic_cast<TWinControl*>(FOwnerControl);
    if (!control || !control->CanFocus()) return;
    *Field = nullptr; // no other control handles the request
    control->SetFocus();
}

void TFieldDataLinkGx::DataEvent(TDataEvent Event, intptr_t Info) {
    TDataLink::DataEvent(Event, Info);
    if (Event != deDisabledStateChange) return;
    if (Info & 0xFF)
        ResolveFields();
    else
        FBoundFields.clear();
}
