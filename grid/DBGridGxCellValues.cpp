// What a column's cell shows for the current record (kind, text, image, check box) and how a
// value is written into its field: every write goes through UpdateData.
#include "grid/DBGridGx.h"

#include "rtl/Format.h"
#include "rtl/ShortestDecimal.h"
#include "rtl/StrUtils.h"

#include <cmath>

namespace {
bool IsNumericType(TFieldType t) {
    return t == ftSmallint || t == ftInteger || t == ftWord || t == ftFloat || t == ftCurrency || t == ftBCD ||
           t == ftFMTBcd;
}
// Check boxes read ftWord as text.
bool IsCheckNumericType(TFieldType t) { return t != ftWord && IsNumericType(t); }
} // namespace

int TColumnGx::GetCellKind() {
    if (Checkboxes()) return 5;
    TField* f = Field();
    if (f && f->FieldKind() == fkLookup) return 2;
    if (HasPickList() && !HasKeyList()) return 1;
    if (FImageList && !FShowImageAndText) return 4;
    if (HasKeyList() && HasPickList()) return 3;
    return 0;
}

String TColumnGx::FormatFieldText(TField* F, const String& Format) {
    if (Format.empty()) return F->DisplayText();
    if (F->IsNull()) return String();
    // Money as the exact amount and other numbers as they read, so a cell rounds a half as its
    // footer and the field's own display text do.
    if (F->DataType() == ftBCD || F->DataType() == ftFMTBcd) return FormatCurr(Format, F->AsCurrency());
    if (F->DataType() == ftFloat || F->DataType() == ftCurrency)
        return FormatFloat(Format, ShortestDecimalValue(F->AsFloat()));
    if (IsNumericType(F->DataType()) || F->DataType() == ftLargeint) return FormatFloat(Format, F->AsFloat());
    if (F->DataType() == ftDateTime || F->DataType() == ftDate || F->DataType() == ftTime) {
        String s;
        DateTimeToString(s, Format, F->AsDateTime());
        return s;
    }
    return String();
}

String TColumnGx::CurrentCellText() {
    TField* f = Field();
    if (!f || GetCellKind() == 4) return String();
    if (HasKeyList()) {
        int n = FPickList ? FPickList->Count() : 0;
        int i = FKeyList->IndexOf(f->EditText());
        if (i >= 0 && i < n) return FPickList->Strings(i);
        if (FNotInKeyListIndex >= 0 && FNotInKeyListIndex < n) return FPickList->Strings(FNotInKeyListIndex);
        return String();
    }
    TCustomDBGridGx* g = Grid();
    if (g && g->DrawMemoText && f->DataType() == ftMemo) return f->AsString();
    return FormatFieldText(f, FDisplayFormat);
}

int TColumnGx::CurrentImageIndex() {
    TField* f = Field();
    if (!f) return -1;
    int r = -1;
    if (HasKeyList())
        r = FKeyList->IndexOf(f->EditText());
    else if (HasPickList())
        r = FPickList->IndexOf(f->EditText());
    else if (IsNumericType(f->DataType()) && !f->IsNull()) {
        double v = f->AsFloat();
        if (v >= -2147483648.0 && v <= 2147483647.0) r = static_cast<int>(v);
    }
    return r == -1 ? FNotInKeyListIndex : r;
}

bool TColumnGx::KeyTextMatches(const String& KeyText, const String& Value) {
    if (KeyText.empty() && Value.empty()) return true;
    size_t start = 0;
    for (;;) {
        size_t end = KeyText.find(';', start);
        String name = Trim(KeyText.substr(start, end == String::npos ? String::npos : end - start));
        if (AnsiSameText(name, Value)) return true;
        if (end == String::npos) break;
        start = end + 1;
    }
    return !KeyText.empty() && KeyText.back() == ';' && Value.empty();
}

TCheckBoxState TColumnGx::CurrentCheckboxState() {
    TField* f = Field();
    if (!f) return cbUnchecked;
    if (f->DataType() == ftBoolean && !HasKeyList())
        return f->IsNull() ? cbGrayed : f->AsBoolean() ? cbChecked : cbUnchecked;
    if (IsCheckNumericType(f->DataType()) && !HasKeyList())
        return f->IsNull() ? cbGrayed : f->AsFloat() == 1 ? cbChecked : cbUnchecked;
    String t = f->EditText();
    if (FKeyList && FKeyList->Count() > 0 && KeyTextMatches(FKeyList->Strings(0), t)) return cbChecked;
    if (FKeyList && FKeyList->Count() > 1 && KeyTextMatches(FKeyList->Strings(1), t)) return cbUnchecked;
    return cbGrayed;
}

void TColumnGx::SetCheckboxState(TCheckBoxState State) {
    TField* f = Field();
    if (!f) return;
    if (State == cbGrayed) return UpdateData(String(), Null(), false);
    if (f->DataType() == ftBoolean && !HasKeyList()) return UpdateData(String(), Variant(State == cbChecked), false);
    if (IsCheckNumericType(f->DataType()) && !HasKeyList())
        return UpdateData(String(), Variant(State == cbChecked ? 1 : 0), false);
    int i = State == cbChecked ? 0 : 1;
    String text = FKeyList && FKeyList->Count() > i ? FKeyList->Strings(i) : String();
    size_t semi = text.find(';');
    if (semi != String::npos) text = text.substr(0, semi);
    UpdateData(text, Variant(text), true);
}

void TColumnGx::InitCellParams(TColCellParamsGx* Params) {
    Params->Row = -1;
    Params->Col = -1;
    Params->State = TGridDrawState();
    Params->Font = Font();
    Params->Background = Color();
    Params->Alignment = Alignment();
    Params->ImageIndex = CurrentImageIndex();
    Params->Text = CurrentCellText();
    Params->CheckState = CurrentCheckboxState();
    Params->ReadOnly = ReadOnly();
}

void TColumnGx::GetColCellParams(bool EditMode, TColCellParamsGx* Params) {
    if (OnGetCellParams) OnGetCellParams(this, EditMode, Params);
}

bool TColumnGx::ModifyAllowed(bool BlobByTextHandlerOnly) {
    TCustomDBGridGx* g = Grid();
    bool allowed = true;
    if (g) allowed = !g->ReadOnly() && g->DataLink()->Active() && !g->DataLink()->ReadOnly();
    allowed = allowed && !ReadOnly();
    TField* f = Field();
    if (!f) return false;
    TField* target = f;
    if (f->Lookup()) {
        TDataSet* ds = f->DataSet();
        allowed = allowed && !f->KeyFields().empty();
        if (allowed) {
            TStringList names;
            names.SetDelimiter(';');
            names.SetStrictDelimiter(true);
            names.SetDelimitedText(f->KeyFields());
            for (int i = 0; i < names.Count() && allowed; ++i) {
                TField* k = ds->FindField(Trim(names.Strings(i)));
                allowed = k && k->CanModify();
                if (i == 0) target = k;
            }
        }
    }
    if (!allowed || !target) return false;
    if (!target->CanModify()) return false;
    if (target->IsBlob()) {
        bool viaText = static_cast<bool>(target->OnSetText);
        bool memo = !BlobByTextHandlerOnly && g && g->DrawMemoText && target->DataType() == ftMemo;
        if (!viaText && !memo) return false;
    }
    if (g) {
        TDataSet* ds = g->DataLink()->DataSet();
        bool inserting = ds->State() == dsInsert;
        if (ds->IsEmpty()) {
            if (!(g->AllowedOperations & (alopInsertGx | alopAppendGx))) return false;
        } else if (!(g->AllowedOperations & alopUpdateGx) && !inserting) {
            return false;
        }
    }
    return true;
}

bool TColumnGx::CanModify(bool TryEdit) {
    bool result = ModifyAllowed(false);
    TCustomDBGridGx* g = Grid();
    if (TryEdit && result && g) {
        result = g->DataLink()->Edit();
        if (result) g->DataLink()->Modified = true;
    }
    return result;
}

void TColumnGx::UpdateData(String Text, Variant Value, bool UseText) {
    TCustomDBGridGx* g = Grid();
    if (!g) return;
    if (OnUpdateData) {
        bool handled = false;
        OnUpdateData(this, Text, Value, UseText, handled);
        if (handled) return;
    }
    TField* f = Field();
    if (!f) return;
    if (UseText) {
        if (g->DrawMemoText && f->DataType() == ftMemo)
            f->SetAsString(Text);
        else
            f->SetEditText(Text);
    } else if (f->Lookup() && !f->KeyFields().empty()) {
        f->DataSet()->FieldByName(f->KeyFields())->SetAsVariant(Value);
    } else {
        f->SetAsVariant(Value);
    }
    if (FMRUList->AutoAdd() && FMRUList->Active() && g->EditingActive() && g->CellEditor() &&
        g->CellEditor()->IsShowing())
        FMRUList->AddRecent(Text);
}

void TColumnGx::StepValue(double Inc) {
    TCustomDBGridGx* g = Grid();
    bool allowed = ModifyAllowed(true);
    if (allowed && g) {
        allowed = g->DataLink()->Edit();
        if (allowed) g->DataLink()->Modified = true;
    }
    if (!allowed) return;
    TField* f = Field();
    String text = g && g->EditingActive() && g->CellEditor() ? g->CellEditor()->Text() : f->EditText();
    bool forward = Inc == 1;
    int kind = GetCellKind();
    if (kind == 5) {
        SetCheckboxState(CurrentCheckboxState() == cbChecked ? cbUnchecked : cbChecked);
        return;
    }
    if (kind == 3 || kind == 4) {
        if (!HasKeyList()) return;
        int n = FKeyList->Count(), i = FKeyList->IndexOf(f->EditText());
        int j = forward ? (i == -1 || i == n - 1 ? 0 : i + 1) : (i == -1 || i == 0 ? n - 1 : i - 1);
        UpdateData(text, Variant(FKeyList->Strings(j)), false);
        return;
    }
    if (kind == 1) {
        // The wrap-around steps go through UpdateData like every other write, so OnUpdateData
        // and its veto see them too.
        int n = FPickList->Count(), i = FPickList->IndexOf(f->EditText());
        int j = forward ? (i == -1 || i == n - 1 ? 0 : i + 1) : (i == -1 || i == 0 ? n - 1 : i - 1);
        String e = FPickList->Strings(j);
        UpdateData(e, Variant(e), true);
        return;
    }
    if (IsNumericType(f->DataType())) {
        Variant v = f->IsNull() ? Variant(-Inc) : f->AsVariant();
        try {
            UpdateData(text, v + Variant(Inc), false);
        } catch (const EDatabaseError&) {
            // The field keeps its value.
        }
    }
}
