// The in-place editor's list of remembered texts: the column's remembered texts that begin with
// the typed text drop down under the text area while no other list is open; Enter or a release
// inside the list puts the chosen one into the cell.
#include "grid/DBGridGxInplaceEdit.h"

#include "grid/DBGridGx.h"
#include "grid/ToolCtrlsGxDropDown.h"
#include "grid/ToolCtrlsGxMRUListBox.h"

#include "gui/PopupWindows.h"
#include "rtl/ScopeGuards.h"

#include <algorithm>

TMRUListboxGx* TDBGridInplaceEdit::NewMRUListBox() {
    auto* box = new TMRUListboxGx(this);
    box->SetVisible(false);
    box->SetSorted(true);
    box->SetParent(this);
    box->OnMouseUp = [this, box](TObject*, TMouseButton Button, TShiftState, int X, int Y) {
        if (Button == mbLeft)
            MRUCloseUp(PtInRect(TRect(0, 0, box->ClientWidth(), box->ClientHeight()), TPoint(X, Y)));
    };
    return box;
}

void TDBGridInplaceEdit::MRUDropDown() {
    if (!FMRUList) return;
    if (!FMRUBox) FMRUBox = NewMRUListBox();
    TMRUListboxGx* box = FMRUBox;
    if (!FMRUList->FilterInto(box->Items(), Text())) FMRUList->RequestCloseUp(false);
    const int count = box->Count();
    const int rows = std::min(count, FMRUList->Rows());
    const TRect area = TextArea();
    const TPoint topLeft = ClientToScreen(area.TopLeft());
    const TRect master(topLeft.X, topLeft.Y, topLeft.X + area.Width(), topLeft.Y + area.Height());
    if (MRUDroppedDown() && count == 0) {
        MRUCloseUp(false);
        return;
    }
    if (count == 0) return;
    const int stored = FMRUList->DropDownWidth;
    DropDownMRUBox(box, MRUDroppedDown(), master, rows, stored > master.Width() ? stored : master.Width(),
                   Color(), Font(), [this](TObject*) { MRUBoxResized(); });
    FMRUList->ListDroppedDown = true;
}

void TDBGridInplaceEdit::MRUCloseUp(bool Accept) {
    if (!MRUDroppedDown() || !FMRUBox) return;
    if (GetCaptureControl()) ReleaseCapture();
    const bool boxFocused = FocusInside(FMRUBox);
    HidePopup(FMRUBox);
    FMRUBox->SetVisible(false);
    FMRUList->ListDroppedDown = false;
    if (boxFocused && CanFocus()) SetFocus();
    TCustomDBGridGx* g = DBGrid();
    if (!Accept || ReadOnly() || !g || !g->DataLink()->Edit()) return;
    const int row = FMRUBox->ItemIndex();
    if (row >= 0) {
        FTakingListText = true;
        const TScopeExit taken([this] { FTakingListText = false; });
        PutText(FMRUBox->Items()->Strings(row));
        g->SetEditText(Text());
    }
    if (Focused()) SelectAll();
}

void TDBGridInplaceEdit::MRUBoxResized() {
    if (!MRUDroppedDown() || !FMRUBox) return;
    FMRUList->SetRows(FMRUBox->VisibleRows());
    FMRUList->DropDownWidth = FMRUBox->Width();
}
