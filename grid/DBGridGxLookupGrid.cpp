// The column's lookup list grid: the drop-down grid its in-place editor shows for a lookup field.
#include "grid/DBGridGxColumns.h"

#include "grid/DBLookupGridsGx.h"

TPopupDataGridGx* TColumnGx::LookupGrid() {
    if (!FLookupGrid) {
        auto grid = std::make_unique<TPopupDataGridGx>(nullptr);
        grid->SetName("DataList");
        FLookupGrid = std::move(grid);
    }
    return static_cast<TPopupDataGridGx*>(FLookupGrid.get());
}
