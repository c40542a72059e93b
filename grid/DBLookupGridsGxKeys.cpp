// The lookup grid's key and list: resolving the key, list and bound fields, the lookup mode that
// follows a bound lookup field, locating the record of the key, and the only ways the grid
// chooses a key itself (a record, the special row).
#include "grid/DBLookupGridsGx.h"

#include "db/DB.h"
#include "grid/ToolCtrlsGxData.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"
#include "rtl/SysUtils.h"

#include <algorithm>

namespace {

String JoinedNames(const std::vector<TField*>& Fields) {
    String out;
    for (size_t i = 0; i < Fields.size(); ++i) {
        if (i) out += ";";
        out += Fields[i]->FieldName();
    }
    return out;
}

} // namespace

// ---- rules ------------------------------------------------------------------------------------------

void TDBLookupGridGx::RejectCircularLink() {
    TDataSource* bound = FBoundLink->DataSource();
    TDataSet* list = DataLink()->DataSet();
    if (bound && list && bound->IsLinkedTo(list)) DatabaseError("Circular datalinks are not allowed");
}

void TDBLookupGridGx::RejectInLookupMode() {
    if (FLookupMode) DatabaseError("Property already defined by lookup field");
    if (FBoundLink->DataSourceFixed) DatabaseError("Operation not allowed in a DBCtrlGrid");
}

bool TDBLookupGridGx::CanModify() {
    if (!FListActive || FBoundLink->ReadOnly()) return false;
    if (!FBoundLink->DataSource()) return true;
    if (FMasterFields.empty()) return false;
    for (TField* f : FMasterFields)
        if (!f->CanModify()) return false;
    return true;
}

// ---- binding ------------------------------------------------------------------------------------------

void TDBLookupGridGx::BindDataFields() {
    if (ComponentState().Contains(csDestroying)) return;
    FMasterFieldNames.clear();
    FBoundFields.clear();
    FMasterFields.clear();
    bool lookup = false;
    if (FBoundLink->Active() && !FBoundDataField.empty()) {
        RejectCircularLink();
        TDataSet* ds = FBoundLink->DataSet();
        FBoundFields = FieldArrayByNames(ds, this, FBoundDataField);
        lookup = FBoundFields.size() == 1 && FBoundFields.front()->Lookup();
        FMasterFields = lookup ? FieldArrayByNames(ds, this, FBoundFields.front()->KeyFields()) : FBoundFields;
        FMasterFieldNames = JoinedNames(FMasterFields);
    }
    if (lookup != FLookupMode) {
        FLookupMode = lookup;
        ApplyLookupMode();
    }
    BoundRecordChanged(nullptr);
}

void TDBLookupGridGx::ApplyLookupMode() {
    if (FLookupMode) {
        TField* field = FBoundFields.front();
        FLookupSource->SetDataSet(field->LookupDataSet());
        FKeyField = field->LookupKeyFields();
        SetDataSource(FLookupSource.get());
        BindListFields();
    } else {
        SetDataSource(nullptr);
        FKeyField.clear();
        FLookupSource->SetDataSet(nullptr);
        FMasterFields = FBoundFields;
        FMasterFieldNames = JoinedNames(FMasterFields);
    }
}

void TDBLookupGridGx::ResolveListFields() {
    FListActive = false;
    FDisplayField = nullptr;
    FKeyFields.clear();
    FListFields.clear();
    if (!DataLink()->Active() || FKeyField.empty()) return;
    RejectCircularLink();
    TDataSet* ds = DataLink()->DataSet();
    FKeyFields = FieldArrayByNames(ds, this, FKeyField);
    for (const String& part : SplitString(FListField, ";")) {
        const String name = Trim(part);
        if (name.empty()) continue;
        TField* field = ds->FindField(name);
        if (!field) DatabaseError(Format("Field '%s' not found", {FListField}));
        FListFields.push_back(field);
    }
    if (FLookupMode) {
        FDisplayField = ds->FieldByName(FBoundFields.front()->LookupResultField());
        if (std::find(FListFields.begin(), FListFields.end(), FDisplayField) == FListFields.end())
            FListFields.insert(FListFields.begin(), FDisplayField);
    } else {
        if (FListFields.empty()) FListFields = FKeyFields;
        const bool inRange = FListFieldIndex >= 0 && FListFieldIndex < static_cast<int>(FListFields.size());
        FDisplayField = FListFields[inRange ? static_cast<size_t>(FListFieldIndex) : 0];
    }
    FListActive = true;
}

void TDBLookupGridGx::BindListFields() {
    if (ComponentState().Contains(csDestroying)) return;
    ResolveListFields();
    // The columns the grid makes itself follow the list fields.
    RequestLayout();
    if (FListActive)
        KeyValueUpdated();
    else
        RefreshRecordPosition();
}

void TDBLookupGridGx::BoundRecordChanged(TField* Field) {
    (void)Field;
    if (FMasterFields.empty()) {
        SetKeyValue(Null());
        return;
    }
    SetKeyValue(FBoundLink->DataSet()->FieldValues(FMasterFieldNames));
}

// ---- the key record -------------------------------------------------------------------------------

Variant TDBLookupGridGx::ActiveRecordKey() {
    TDataSet* ds = DataLink()->DataSet();
    return ds ? ds->FieldValues(FKeyField) : Variant(Null());
}

bool TDBLookupGridGx::LocateKeyRecord() {
    TDataSet* ds = DataLink()->DataSet();
    if (VarIsNull(FKeyValue) || !ds || !ds->Active() || FKeyField.empty()) return false;
    try {
        // Data events while the data set moves may change the key: it is put back.
        const Variant key = FKeyValue;
        if (!ds->Locate(FKeyField, key, 0)) return false;
        FKeyValue = key;
        return true;
    } catch (...) {
        return false;
    }
}

int TDBLookupGridGx::HeldKeyRecord() {
    TGridDataLinkGx* link = DataLink();
    if (!link->Active() || VarIsNull(FKeyValue) || FKeyField.empty()) return -1;
    const int saved = link->ActiveRecord();
    const TScopeExit restore([link, saved] { link->SetActiveRecord(saved); });
    for (int i = 0; i < link->RecordCount(); ++i) {
        link->SetActiveRecord(i);
        if (VariantsEqual(ActiveRecordKey(), FKeyValue)) return i;
    }
    return -1;
}

void TDBLookupGridGx::KeyValueUpdated() {
    if (FSpecRow->Visible()) {
        FSpecRowSelected = VariantsEqual(FKeyValue, FSpecRow->Value());
        if (!FLockPosition && !FSpecRowSelected && FSpecRow->ShowIfNotInKeyList()) {
            if (LocateKeyRecord())
                RefreshRecordPosition();
            else
                FSpecRowSelected = true;
        }
    } else {
        FSpecRowSelected = false;
    }
    if (FListActive && !FLockPosition) {
        if (LocateKeyRecord() || FSpecRowSelected)
            RefreshRecordPosition();
        else if (TDataSet* ds = DataLink()->DataSet(); ds && ds->Active())
            ds->First();
    }
    if (FSpecRow->Visible() && FSpecRowSelected)
        FDisplayText = FSpecRow->CellText(FListFieldIndex);
    else if (FDisplayField && FListActive)
        FDisplayText = FDisplayField->DisplayText();
    else
        FDisplayText.clear();
    SyncCurrentRow();
    Invalidate();
}

// ---- choosing ----------------------------------------------------------------------------------------

void TDBLookupGridGx::ChooseKeyValue(const Variant& Value) {
    if (FMasterFields.empty()) {
        SetKeyValue(Value);
    } else if (FBoundLink->Edit()) {
        AssignFieldValues(FBoundLink->DataSet(), FMasterFieldNames, Value);
    }
    SyncCurrentRow();
    Invalidate();
    Click();
}

void TDBLookupGridGx::ChooseCurrentRecord() {
    const bool saved = FLockPosition;
    FLockPosition = true;
    const TScopeExit unlock([this, saved] { FLockPosition = saved; });
    const Variant value = ActiveRecordKey();
    if (!VariantsEqual(value, FKeyValue)) ChooseKeyValue(value);
}

void TDBLookupGridGx::ChooseSpecRow() {
    const bool saved = FLockPosition;
    FLockPosition = true;
    const TScopeExit unlock([this, saved] { FLockPosition = saved; });
    if (!VariantsEqual(FSpecRow->Value(), FKeyValue)) ChooseKeyValue(FSpecRow->Value());
    FSpecRowSelected = true;
    FDisplayText = FSpecRow->CellText(FListFieldIndex);
    Invalidate();
}
