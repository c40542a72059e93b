// The combo box's drop-down list: opened by the main button, Alt+Down or a typed character with
// AutoDrop, placed under (or over) the combo, fed with the items, steered by the navigation keys
// while the focus stays in the combo, and closed by Enter, Esc, a release over it, the main button
// or the focus leaving.
#include "grid/DBCtrlsGxCombo.h"

#include "grid/ToolCtrlsGxDropDown.h"
#include "grid/ToolCtrlsGxListBox.h"
#include "gui/ImgList.h"
#include "gui/Input.h"
#include "gui/PopupWindows.h"

#include <algorithm>

void TCustomDBComboBoxGx::OpenDropDown() {
    if (FListShown) return;
    TCustomDBEditGx::OpenDropDown();
    if (OnDropDown) OnDropDown(this);
    if (!FItemListBox) {
        FItemListBox = new TPopupListboxGx(this);
        FItemListBox->SetVisible(false);
        FItemListBox->SetParent(this);
        FItemListBox->OnMouseUp = [this](TObject*, TMouseButton Button, TShiftState, int X, int Y) {
            if (Button == mbLeft) ListReleased(X, Y);
        };
    }
    EnsureItems();
    TPopupListboxGx* list = FItemListBox;
    list->SetColor(Color());
    list->Font()->Assign(*Font());
    int itemHeight = list->Canvas()->TextHeight("Wg");
    TCustomImageList* images = ImageSettings()->Images();
    if (images && ImageSettings()->UseImageHeight() && itemHeight <= images->Height())
        itemHeight = images->Height();
    list->SetItemHeight(itemHeight);
    list->Items()->BeginUpdate();
    list->Items()->Clear();
    for (int i = 0; i < UsableItemCount(); ++i)
        list->Items()->Add(Items()->Strings(i));
    list->Items()->EndUpdate();
    list->SetItemIndex(ItemIndex());
    list->SetWidth(DropDownListWidth());
    list->ShowRows(std::max(1, std::min(DropDownBox()->Rows(), UsableItemCount())));
    const TPoint at = PlaceDropDownUnder(this, list, DropDownBox()->Align());
    ShowPopupNoActivate(list, at.X, at.Y);
    list->SetVisible(true);
    list->Grip()->SetVisible(DropDownBox()->Sizable());
    FListShown = true;
    SetDropDownShown(true);
    list->UserResized = false;
}

void TCustomDBComboBoxGx::CloseDropDown(bool Accept) {
    if (!FListShown) return;
    TPopupListboxGx* list = FItemListBox;
    if (TControl* capture = GetCaptureControl()) capture->SetMouseCapture(false);
    HidePopup(list);
    list->SetVisible(false);
    if (list->UserResized) {
        DropDownBox()->SetRows(list->VisibleRows());
        DropDownBox()->SetWidth(list->Width());
    }
    FListShown = false;
    TCustomDBEditGx::CloseDropDown(Accept);
    SetDropDownShown(false);
    if (OnAcceptCloseUp) OnAcceptCloseUp(this, Accept);
    if (Accept && !ReadOnly() && DataLink()->StartEdit()) {
        PutItemIndex(list->ItemIndex());
        if (EditFocused()) SelectAll();
    }
    if (OnCloseUp) OnCloseUp(this, Accept);
}

void TCustomDBComboBoxGx::MainButtonPressed(bool Lower) {
    if (EditButton()->Style() == ebsUpDownGx) {
        if (CanChange()) StepItem(!Lower);
        return;
    }
    TCustomDBEditGx::MainButtonPressed(Lower);
}

void TCustomDBComboBoxGx::ListReleased(int X, int Y) {
    const TRect client(0, 0, FItemListBox->ClientWidth(), FItemListBox->ClientHeight());
    CloseDropDown(PtInRect(client, TPoint(X, Y)));
}

bool TCustomDBComboBoxGx::WantsKey(Word Key, TShiftState Shift) const {
    if (FListShown && (Key == VK_RETURN || Key == VK_ESCAPE)) return true;
    return TCustomDBEditGx::WantsKey(Key, Shift);
}

void TCustomDBComboBoxGx::DoExit() {
    CloseDropDown(false);
    TCustomDBEditGx::DoExit();
}
