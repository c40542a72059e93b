// TField: identity, presentation, value access and text.
#include "db/Field.h"

#include "db/DataSet.h"
#include "db/DateStorage.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <algorithm>
#include <cmath>

namespace {
[[noreturn]] void ConvertError(const String& text, const char* what) {
    throw EConvertError("'" + text + "' is not a valid " + what);
}
} // namespace

TField::TField(TComponent* AOwner) : TComponent(AOwner) {}

TField::~TField() {
    if (FDataSet) FDataSet->RemoveField(this);
}

void TField::SetDataSet(TDataSet* ADataSet) {
    if (ADataSet == FDataSet) return;
    if (FDataSet) {
        if (FDataSet->Active()) DatabaseError("Cannot perform this operation on an open dataset");
        FDataSet->RemoveField(this);
    }
    if (ADataSet) {
        if (!FFieldName.empty() && ADataSet->FindField(FFieldName))
            DatabaseError("Duplicate field name '" + FFieldName + "'");
        ADataSet->AddField(this);
    }
    FDataSet = ADataSet;
}

void TField::SetFieldName(const String& Value) {
    if (FDataSet && FDataSet->Active()) DatabaseError("Cannot perform this operation on an open dataset");
    FFieldName = Value;
}

void TField::SetDisplayLabel(const String& Value) {
    FDisplayLabel = Value == FFieldName ? String() : Value;
    Changed();
}

int TField::Index() const {
    return FDataSet ? FDataSet->Fields().IndexOf(this) : -1;
}

void TField::SetIndex(int Value) {
    if (!FDataSet) return;
    auto& list = FDataSet->Fields().FList;
    const int current = Index();
    if (current < 0) return;
    Value = std::clamp(Value, 0, static_cast<int>(list.size()) - 1);
    if (Value == current) return;
    list.erase(list.begin() + current);
    list.insert(list.begin() + Value, this);
    Changed();
}

void TField::SetFieldKind(TFieldKind Value) {
    if (FDataSet && FDataSet->Active()) DatabaseError("Cannot perform this operation on an open dataset");
    FFieldKind = Value;
}

void TField::SetSize(int Value) {
    if (FDataSet && FDataSet->Active()) DatabaseError("Cannot perform this operation on an open dataset");
    FSize = Value;
}

void TField::SetDisplayWidth(int Value) {
    FDisplayWidth = Value;
    Changed();
}

void TField::SetAlignment(TAlignment Value) {
    FAlignment = Value;
    Changed();
}

void TField::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    Changed();
}

void TField::SetReadOnly(bool Value) {
    FReadOnly = Value;
    Changed();
}

void TField::Changed() {
    if (FDataSet && FDataSet->Active()) FDataSet->DataEvent(deLayoutChange, 0);
}

bool TField::CanModify() const {
    if (FReadOnly || !FDataSet) return false;
    if (FFieldKind != fkData) return FDataSet->State() == dsCalcFields || FFieldKind == fkLookup;
    return FDataSet->CanModify();
}

bool TField::IsValidChar(char Ch) const {
    return static_cast<unsigned char>(Ch) >= 0x20 || Ch == '\t';
}

void TField::SetKeyFields(const String& Value) {
    FKeyFields = Value;
}
void TField::SetLookupDataSet(TDataSet* Value) {
    if (FLookupDataSet == Value) return;
    if (FLookupDataSet) FLookupDataSet->RemoveFreeNotification(this);
    FLookupDataSet = Value;
    if (Value) Value->FreeNotification(this);
}

void TField::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FLookupDataSet) FLookupDataSet = nullptr;
}
void TField::SetLookupKeyFields(const String& Value) {
    FLookupKeyFields = Value;
}
void TField::SetLookupResultField(const String& Value) {
    FLookupResultField = Value;
}

void TField::FocusControl() {
    if (!FDataSet || !FDataSet->Active()) return;
    TField* self = this;
    FDataSet->DataEvent(deFocusControl, reinterpret_cast<intptr_t>(&self));
}

void TField::AccessError(const char* typeName) const {
    throw EDatabaseError("Cannot access field '" + DisplayName() + "' as type " + typeName);
}

// ---- value ---------------------------------------------------------------------------------------

const Variant& TField::RawValue() const {
    static const Variant null = Null();
    if (!FDataSet) DatabaseError("Field '" + DisplayName() + "' has no dataset");
    if (!FDataSet->Active()) return null;
    return FDataSet->FieldValue(this);
}

void TField::StoreValue(const Variant& Value) {
    if (!FDataSet) DatabaseError("Field '" + DisplayName() + "' has no dataset");
    if (FFieldKind == fkLookup && FDataSet->State() != dsCalcFields) {
        // Choosing a lookup value sets the key fields to the matching record's keys.
        if (!FLookupDataSet) DatabaseError("Field '" + DisplayName() + "' cannot be modified");
        Variant keys = Null();
        if (!VarIsNull(Value)) {
            keys = FLookupDataSet->Lookup(FLookupResultField, Value, FLookupKeyFields);
            if (VarIsNull(keys))
                DatabaseError("Field '" + DisplayName() + "': value not found in lookup data");
        }
        FDataSet->SetFieldValues(FKeyFields, keys);
        return;
    }
    FDataSet->SetFieldValue(this, Value);
}

bool TField::IsNull() const {
    const Variant& v = RawValue();
    return VarIsNull(v) || VarIsEmpty(v);
}

Variant TField::OldValue() const {
    if (!FDataSet || !FDataSet->Active()) return Null();
    return FDataSet->OldFieldValue(this);
}

Variant TField::AsVariant() const {
    const Variant& v = RawValue();
    return VarIsEmpty(v) ? Null() : v;
}

void TField::SetAsVariant(const Variant& Value) {
    if (VarIsNull(Value) || VarIsEmpty(Value)) {
        StoreValue(Null());
        return;
    }
    StoreValue(FFieldKind == fkLookup ? Value : ConvertValue(Value));
}

String TField::AsString() const {
    const Variant& v = RawValue();
    if (VarIsNull(v) || VarIsEmpty(v)) return String();
    if (VarType(v) == varDate) return DateTimeToStr(v.AsDateTime());
    if (VarType(v) == varBoolean) return v.AsBoolean() ? "True" : "False";
    return VarToStr(v);
}

void TField::SetAsString(const String& Value) {
    SetAsVariant(Value);
}

Integer TField::AsInteger() const {
    if (IsNull()) return 0;
    const Variant& v = RawValue();
    if (VarIsStr(v)) {
        Int64 i = 0;
        if (!TryStrToInt64(Trim(VarToStr(v)), i) || i < INT32_MIN || i > INT32_MAX)
            ConvertError(VarToStr(v), "integer value");
        return static_cast<Integer>(i);
    }
    if (VarType(v) == varBoolean || VarType(v) == varDate) AccessError("Integer");
    return v.AsInteger();
}

void TField::SetAsInteger(Integer Value) {
    SetAsVariant(Value);
}

Int64 TField::AsLargeInt() const {
    if (IsNull()) return 0;
    const Variant& v = RawValue();
    if (VarIsStr(v)) {
        Int64 i = 0;
        if (!TryStrToInt64(Trim(VarToStr(v)), i)) ConvertError(VarToStr(v), "integer value");
        return i;
    }
    if (VarType(v) == varBoolean || VarType(v) == varDate) AccessError("Largeint");
    return v.AsInt64();
}

void TField::SetAsLargeInt(Int64 Value) {
    SetAsVariant(Value);
}

double TField::AsFloat() const {
    if (IsNull()) return 0;
    const Variant& v = RawValue();
    if (VarIsStr(v)) {
        Extended e = 0;
        if (!TryStrToFloat(Trim(VarToStr(v)), e)) ConvertError(VarToStr(v), "floating point value");
        return static_cast<double>(e);
    }
    if (VarType(v) == varBoolean) AccessError("Float");
    return v.AsDouble();
}

void TField::SetAsFloat(double Value) {
    SetAsVariant(Value);
}

Currency TField::AsCurrency() const {
    if (IsNull()) return Currency();
    const Variant& v = RawValue();
    if (VarType(v) == varCurrency) return v.AsCurrency();
    return Currency::FromDouble(AsFloat());
}

void TField::SetAsCurrency(Currency Value) {
    SetAsVariant(Value);
}

bool TField::AsBoolean() const {
    if (IsNull()) return false;
    const Variant& v = RawValue();
    if (VarIsStr(v)) {
        const String s = Trim(VarToStr(v));
        if (!s.empty() && (s[0] == 'T' || s[0] == 't' || s[0] == 'Y' || s[0] == 'y')) return true;
        if (!s.empty() && (s[0] == 'F' || s[0] == 'f' || s[0] == 'N' || s[0] == 'n')) return false;
        throw EDatabaseError("'" + s + "' is not a valid boolean value for field '" + DisplayName() + "'");
    }
    if (VarType(v) == varBoolean) return v.AsBoolean();
    AccessError("Boolean");
}

void TField::SetAsBoolean(bool Value) {
    SetAsVariant(Value);
}

TDateTime TField::AsDateTime() const {
    if (IsNull()) return 0;
    const Variant& v = RawValue();
    if (VarIsStr(v)) {
        const String s = Trim(VarToStr(v));
        TDateTime d = 0;
        if (StorageToDateTime(s, d) || TryStrToDateTime(s, d)) return d;
        ConvertError(s, "date and time");
    }
    if (VarType(v) == varDate) return v.AsDateTime();
    AccessError("DateTime");
}

void TField::SetAsDateTime(TDateTime Value) {
    SetAsVariant(VarFromDateTime(Value));
}

WideString TField::AsWideString() const {
    return VarToWideStr(Variant(AsString()));
}

void TField::SetAsWideString(const WideString& Value) {
    SetAsString(VarToStr(Variant(Value)));
}

// ---- text ----------------------------------------------------------------------------------------

String TField::GetText(bool DisplayText) const {
    (void)DisplayText;
    return AsString();
}

String TField::DisplayText() const {
    String s;
    if (OnGetText) {
        OnGetText(const_cast<TField*>(this), s, true);
        return s;
    }
    // A blob shows its kind even when empty.
    return IsNull() && !IsBlob() ? String() : GetText(true);
}

String TField::Text() const {
    String s;
    if (OnGetText) {
        OnGetText(const_cast<TField*>(this), s, false);
        return s;
    }
    return IsNull() ? String() : GetText(false);
}

void TField::SetText(const String& Value) {
    if (OnSetText)
        OnSetText(this, Value);
    else
        SetAsString(Value);
}
