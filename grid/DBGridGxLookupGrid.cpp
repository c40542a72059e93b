// The column's lookup list grid: the drop-down grid its in-place editor shows for a lookup field,
// the list fields it shows, and the interface through which the column's drop-down box reaches it.
#include "grid/DBGridGxColumns.h"

#include "grid/DBGridGx.h"
#include "grid/DBLookupGridsGx.h"

TPopupDataGridGx* TColumnGx::LookupGrid() {
    if (!FLookupGrid) {
        auto grid = std::make_unique<TPopupDataGridGx>(nullptr);
        grid->SetName("DataList");
        FLookupGrid = std::move(grid);
    }
    return static_cast<TPopupDataGridGx*>(FLookupGrid.get());
}

String TColumnGx::LookupDisplayFields() const {
    if (Flagged(cvLookupDisplayFields)) return FLookupDisplayFields;
    TField* f = const_cast<TColumnGx*>(this)->Field();
    return f ? f->LookupResultField() : String();
}

void TColumnGx::SetLookupDisplayFields(const String& Value) {
    if (Flagged(cvLookupDisplayFields) || Value != LookupDisplayFields()) {
        FLookupDisplayFields = Value;
        Flag(cvLookupDisplayFields);
    }
    if (FLookupGrid) LookupGrid()->SetListField(Value);
    Changed(false);
}

bool TColumnGx::IsLookupDisplayFieldsStored() const {
    if (!Flagged(cvLookupDisplayFields)) return false;
    TField* f = const_cast<TColumnGx*>(this)->Field();
    return FLookupDisplayFields != (f ? f->LookupResultField() : String());
}

// ---- what the drop-down box reaches ----------------------------------------------------------------

void TColumnGx::NotifyOnFree(TComponent* AComponent) {
    TCustomDBGridGx* g = Grid();
    if (AComponent && g) AComponent->FreeNotification(g);
}

TDBLookupGridGxOptions TColumnGx::GetLookupOptions() {
    return LookupGrid()->LookupOptions();
}

void TColumnGx::SetLookupOptions(TDBLookupGridGxOptions Value) {
    LookupGrid()->SetLookupOptions(Value);
}
