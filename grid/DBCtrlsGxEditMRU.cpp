// The data-aware edit's list of remembered texts: while the user types, the remembered texts that
// begin with the typed text drop down under the text area; Enter or a release inside the list
// puts the chosen one into the edit. Each stored text is remembered.
#include "grid/DBCtrlsGxEdit.h"

#include "grid/ToolCtrlsGxDropDown.h"
#include "grid/ToolCtrlsGxMRUListBox.h"
#include "gui/PopupWindows.h"
#include "rtl/CodePage.h"
#include "rtl/EditMask.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"

#include <algorithm>

void TCustomDBEditGx::AcceptMRUItem(const String& ItemText, bool& Accept) {
    const String typed = Text();
    const String head = WideToUtf8(Utf8ToWide(ItemText).substr(0, Utf8ToWide(typed).size()));
    Accept = FMRUList->CaseSensitive() ? AnsiCompareStr(head, typed) == 0 : AnsiCompareText(head, typed) == 0;
    if (FMRUList->FilterItemHook) FMRUList->FilterItemHook(this, Accept);
}

void TCustomDBEditGx::MRUListBoxResized() {
    FMRUList->SetRows(FMRUListBox->VisibleRows());
    FMRUList->DropDownWidth = FMRUListBox->Width();
}

void TCustomDBEditGx::ShowMRUList() {
    if (!FMRUListBox) {
        FMRUListBox = new TMRUListboxGx(this);
        FMRUListBox->SetVisible(false);
        FMRUListBox->SetSorted(true);
        FMRUListBox->SetParent(this);
        FMRUListBox->OnMouseUp = [this](TObject*, TMouseButton Button, TShiftState, int X, int Y) {
            if (Button != mbLeft) return;
            const TRect client(0, 0, FMRUListBox->ClientWidth(), FMRUListBox->ClientHeight());
            HideMRUList(PtInRect(client, TPoint(X, Y)));
        };
    }
    TMRUListboxGx* list = FMRUListBox;
    const bool complete = FMRUList->FilterInto(list->Items(), Text());
    if (!complete) HideMRUList(false);
    const int count = list->Count();
    const int rows = std::max(1, std::min(count, FMRUList->Rows()));
    TRect area;
    TextAreaRect(area);
    const TPoint topLeft = ClientToScreen(TPoint(area.Left, area.Top));
    const TRect master(topLeft.X, topLeft.Y, topLeft.X + area.Width(), topLeft.Y + area.Height());
    if (MRUListShown() && count == 0) {
        HideMRUList(false);
        return;
    }
    if (count == 0) return;
    const bool shown = MRUListShown();
    DropDownMRUBox(list, shown, master, rows, FMRUList->DropDownWidth > 0 ? FMRUList->DropDownWidth : master.Width(),
                   Color(), Font(), [this](TObject*) { MRUListBoxResized(); });
    FMRUList->ListDroppedDown = true;
}

void TCustomDBEditGx::HideMRUList(bool Accept) {
    if (!MRUListShown()) return;
    if (TControl* capture = GetCaptureControl()) capture->SetMouseCapture(false);
    const bool focused = Focused();
    HidePopup(FMRUListBox);
    FMRUListBox->SetVisible(false);
    FMRUList->ListDroppedDown = false;
    if (focused && !Focused() && CanFocus()) SetFocus(); // hiding the pop-up keeps the edit focused
    if (Accept && !ReadOnly() && FDataLink->StartEdit()) {
        const int row = FMRUListBox->ItemIndex();
        if (row >= 0) {
            // The chosen text does not open the list again.
            FTakingMRUText = true;
            const TScopeExit taken([this] { FTakingMRUText = false; });
            PutText(FMRUListBox->Items()->Strings(row));
        }
        if (EditFocused()) SelectAll();
    }
}

void TCustomDBEditGx::MRUTextChanged() {
    const String blank = IsMasked() ? FormatMaskText(EditMask(), String()) : String();
    const String text = Text();
    if (MRUListShown() && text == blank) {
        HideMRUList(false);
        return;
    }
    if (FMRUList->Active() && Showing() && !FDropDownShown && text != blank && FEditFocused)
        FMRUList->RequestDropDown();
}

bool TCustomDBEditGx::MRUKeyDown(Word& Key, TShiftState Shift) {
    if (!MRUListShown()) {
        // Backspace on an empty text shows every remembered text.
        if (Key == VK_BACK && Text().empty() && FMRUList->Active() && Showing() && !FDropDownShown) {
            FMRUList->RequestDropDown();
        }
        return false;
    }
    if (Key == VK_RETURN || Key == VK_ESCAPE) {
        HideMRUList(Key == VK_RETURN);
        Key = 0;
        return true;
    }
    if (FMRUListBox->NavigationKey(Key, Shift)) {
        Key = 0;
        return true;
    }
    return false;
}
