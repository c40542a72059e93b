// The data grid's answers to the base grid's editing questions: which keys a cell takes, whether
// it may be modified or edited, and the text, mask and length limit of the in-place editor; and the
// write of the edited text into the field, through pick lists, key lists and lookup fields.
#include "grid/DBGridGx.h"
#include "grid/DBGridGxInplaceEdit.h"

#include "grid/ToolCtrlsGxData.h"
#include "rtl/StrUtils.h"

namespace {

bool IsStringField(TField* F) {
    return F->DataType() == ftString || F->DataType() == ftWideString;
}

// The text of a memo field as the editor shows it: line breaks as CR LF.
String MemoEditText(TField* F) {
    return AdjustLineBreaks(F->AsString());
}

// The values of the lookup field's key fields in its own data set.
Variant RecordKey(TField* F) {
    return F->DataSet()->FieldValues(F->KeyFields());
}

bool NamesKeyFields(TField* F) {
    return F && F->Lookup() && !F->KeyFields().empty();
}

int IndexOfText(TStrings* List, const String& Text) {
    for (int i = 0; i < List->Count(); ++i)
        if (SameText(List->Strings(i), Text)) return i;
    return -1;
}

} // namespace

// ---- the column's lists ---------------------------------------------------------------------------

TSpecRowGx* TColumnGx::DropDownSpecRow() {
    if (!FDropDownSpecRow) FDropDownSpecRow = std::make_unique<TSpecRowGx>(this);
    return FDropDownSpecRow.get();
}

TDataSet* TColumnGx::ListDataSet() {
    TDataSource* source = DropDownBox()->ListSource();
    if (source && source->DataSet()) return source->DataSet();
    return FieldLookupDataSet();
}

TDataSet* TColumnGx::FieldLookupDataSet() {
    TField* f = Field();
    return f ? f->LookupDataSet() : nullptr;
}

// ---- questions of the base grid -----------------------------------------------------------------

bool TCustomDBGridGx::EditAcceptsKey(char16_t Key) {
    int i = FocusedColumnIndex();
    TColumnGx* column = i >= 0 && i < FColumns->Count() ? FColumns->ColumnAt(i) : nullptr;
    TField* f = column ? column->Field() : nullptr;
    if (FDataLink->Active() && f) {
        bool allowed = EditorReadOnlyByParams ? !EditorReadOnly : true;
        if (column->HasKeyList()) return allowed;
        // A character beyond ASCII is tested as the field tests any non-control byte.
        char c = Key < 0x80 ? static_cast<char>(Key) : static_cast<char>(0x80);
        return allowed && f->IsValidChar(c);
    }
    return EditorReadOnlyByParams ? !EditorReadOnly : false;
}

bool TCustomDBGridGx::EditModifyAllowed() {
    int i = FocusedColumnIndex();
    TColumnGx* column = i >= 0 && i < FColumns->Count() ? FColumns->ColumnAt(i) : nullptr;
    if ((column && column->GetCellKind() == 5) || FIncSearchActive) return false;
    bool result = false;
    if (EditorReadOnlyByParams) {
        if (EditorReadOnly) return false;
        FDataLink->Edit();
        MarkModified();
        result = true;
    }
    if (FReadOnly || !FDataLink->Active() || FDataLink->ReadOnly()) return result;
    if (!column || column->ReadOnly()) return result;
    TField* f = column->Field();
    if (f && FieldCanModify(f)) {
        if (f->IsBlob() && !f->OnSetText && !(f->DataType() == ftMemo && DrawMemoText)) return result;
        if (column->CanModify(false)) {
            FDataLink->Edit();
            result = FDataLink->Editing();
            if (result) MarkModified();
        }
    }
    return result;
}

bool TCustomDBGridGx::CanShowEditor() const {
    return const_cast<TCustomDBGridGx*>(this)->EditorShowAllowed();
}

bool TCustomDBGridGx::EditorShowAllowed() {
    if (FLayoutLock != 0 || !TCustomGridGx::CanShowEditor()) return false;
    int i = FocusedColumnIndex();
    bool ok = i >= 0 && i < FColumns->Count();
    if (ok) {
        int kind = FColumns->ColumnAt(i)->GetCellKind();
        ok = kind != 4 && kind != 5;
    }
    if (ok && FSelection->SelectionType() != gstNon && (FOptionsGx & dghClearSelection) &&
        (AllowedSelections & (1 << gstRectangle)))
        ok = false;
    if (ok && FIncSearchActive) ok = false;
    if (!ok && CellEditor() && CellEditor()->Visible()) HideEditorWindow();
    return ok;
}

int TCustomDBGridGx::EditTextLimit() {
    int i = FocusedColumnIndex();
    if (i >= 0 && i < FColumns->Count() && FColumns->ColumnAt(i)->HasKeyList()) return 0;
    TField* f = SelectedField();
    if (!f || !IsStringField(f)) return 0;
    return f->Size();
}

String TCustomDBGridGx::EditTextMask(int ACol) {
    if (!FDataLink->Active()) return String();
    int i = ACol - FIndicatorOffset;
    if (i < 0 || i >= FColumns->Count()) return String();
    TColumnGx* column = FColumns->ColumnAt(i);
    if (!column->EditMask.empty()) return column->EditMask;
    TField* f = column->Field();
    if (!f || column->HasKeyList()) return String();
    return f->EditMask();
}

String TCustomDBGridGx::EditTextOf(int ACol, int ARow) {
    (void)ARow;
    String text;
    int i = ACol - FIndicatorOffset;
    if (FDataLink->Active() && i >= 0 && i < FColumns->Count()) {
        TColumnGx* column = FColumns->ColumnAt(i);
        TField* f = column->Field();
        bool specRowText = false;
        if (f) {
            if (column->HasKeyList()) {
                int k = column->KeyList()->IndexOf(f->EditText());
                if (k >= 0 && k < column->PickList()->Count()) text = column->PickList()->Strings(k);
            } else if (DrawMemoText && f->DataType() == ftMemo) {
                text = MemoEditText(f);
            } else {
                text = f->EditText();
            }
            if (NamesKeyFields(f)) {
                TSpecRowGx* spec = column->DropDownSpecRow();
                Variant key = RecordKey(f);
                if (spec->Visible() && (VariantsEqual(key, spec->Value()) ||
                                        (spec->ShowIfNotInKeyList() && !LookupKeyInList(column)))) {
                    FEditKeyValue = spec->Value();
                    text = spec->CellText(0);
                    specRowText = true;
                } else {
                    FEditKeyValue = key;
                }
            } else {
                FEditKeyValue = Null();
            }
        }
        if (!specRowText) {
            TColCellParamsGx params;
            params.Text = text;
            params.Font = Canvas()->Font();
            column->GetColCellParams(true, &params);
            text = params.Text;
        }
    }
    FEditText = text;
    return text;
}

void TCustomDBGridGx::StoreEditText(int ACol, int ARow, const String& Text) {
    (void)ACol, (void)ARow;
    FEditText = Text;
}

bool TCustomDBGridGx::ColumnEditable(int DataCol) {
    if (DataCol < 0 || DataCol >= FColumns->Count()) return false;
    return FColumns->ColumnAt(DataCol)->CanModify(false) && (FOptions & dgEditing);
}

bool TCustomDBGridGx::FieldCanModify(TField* Field) {
    if (!Field->Lookup()) return Field->CanModify();
    if (Field->KeyFields().empty()) return false;
    for (TField* k : FieldArrayByNames(Field->DataSet(), nullptr, Field->KeyFields()))
        if (!k->CanModify()) return false;
    return true;
}

bool TCustomDBGridGx::LookupKeyInList(TColumnGx* Column) {
    TField* f = Column->Field();
    if (!f) return false;
    TDataSet* list = Column->ListDataSet();
    if (!list || !list->Active()) return false;
    TDataSet* lookup = Column->FieldLookupDataSet();
    if (!lookup) return false;
    return lookup->Locate(f->LookupKeyFields(), RecordKey(f), loCaseInsensitive);
}

// ---- writing the edited text --------------------------------------------------------------------

void TCustomDBGridGx::WriteEditedValue() {
    int i = FocusedColumnIndex();
    if (i < 0 || i >= FColumns->Count()) return;
    TColumnGx* c = FColumns->ColumnAt(i);
    TField* f = SelectedField();
    const String T = FEditText;
    if (!f) {
        c->UpdateData(T, Variant(T), true);
        return;
    }
    int kind = c->GetCellKind();
    if (kind == 1) {
        if (c->OnNotInList && IndexOfText(c->PickList(), T) < 0) {
            bool accept = false;
            c->OnNotInList(c, T, accept);
        }
        c->UpdateData(T, Variant(T), true);
    } else if (kind == 3) {
        int p = IndexOfText(c->PickList(), T);
        if (p >= 0 && p < c->KeyList()->Count()) {
            FEditKeyValue = c->KeyList()->Strings(p);
        } else if (p == -1) {
            if (T.empty()) {
                FEditKeyValue = Null();
            } else if (c->OnNotInList) {
                bool accept = false;
                c->OnNotInList(c, T, accept);
                FEditKeyValue = Null();
                if (accept) {
                    p = IndexOfText(c->PickList(), T);
                    if (p >= 0 && p < c->KeyList()->Count()) FEditKeyValue = c->KeyList()->Strings(p);
                }
            }
        }
        c->UpdateData(T, FEditKeyValue, false);
    } else if (NamesKeyFields(f)) {
        if (VarIsNull(FEditKeyValue) && !T.empty() && c->OnNotInList) {
            TDataSet* list = c->ListDataSet();
            if (list && !list->Locate(f->LookupResultField(), Variant(T), loCaseInsensitive)) {
                bool accept = false;
                c->OnNotInList(c, T, accept);
                if (accept && list->Locate(f->LookupResultField(), Variant(T), loCaseInsensitive))
                    FEditKeyValue = list->FieldValues(f->LookupKeyFields());
            }
        }
        if (FieldCanModify(f)) {
            f->DataSet()->Edit();
            c->UpdateData(T, FEditKeyValue, false);
            // The lookup field shows what the written key names: its text is not looked up again
            // (an emptied cell, the special row's text or a text not in the list name no record).
            return;
        }
        if (DrawMemoText && f->DataType() == ftMemo)
            f->SetAsString(T);
        else
            f->SetEditText(T);
    } else {
        c->UpdateData(T, Variant(T), true);
    }
}
