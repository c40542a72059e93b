// The find dialog the grid's Ctrl+F opens: a registered data set entry's own one, else the
// program's dialog through the find-dialog hook.
#include "grid/DBGridGx.h"

#include "grid/DBGridGxFilter.h"
#include "grid/DBGridGxFindDlgs.h"
#include "grid/DBGridGxStyle.h"

void TDBGridGxCenter::ExecuteFindDialog(TCustomDBGridGx* Grid, const String& Text, const String& Text2,
                                        bool Modal) {
    TDataSet* ds = Grid->DataLink()->DataSet();
    if (TDataSetCapabilitiesGx* entry = ds ? FindDatasetFeatures(ds) : nullptr) {
        entry->ExecuteFindDialog(Grid, Text, Text2, Modal);
        return;
    }
    if (GridFindDialogProc) GridFindDialogProc(Grid, Text, String(), nullptr, Modal);
}

void TCustomDBGridGx::OpenFindDialog(const String& Text, const String& FieldName, bool Modal) {
    if (FCenter)
        FCenter->ExecuteFindDialog(this, Text, FieldName, Modal);
    else if (GridFindDialogProc)
        GridFindDialogProc(this, Text, FieldName, nullptr, Modal);
}
