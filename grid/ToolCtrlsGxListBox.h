// The list box of drop-downs: owner-drawn with a fixed item height, never taking the focus from
// its owner, with type-ahead (a prefix typed within 2 seconds), hot tracking, a size grip in a
// corner and a height set in whole rows.
#pragma once

#include "grid/ToolCtrlsGxDropDown.h"
#include "grid/ToolCtrlsGxGrip.h"
#include "gui/StdCtrls.h"

#include <functional>

class TCustomImageList;

class TPopupListboxGx : public TCustomListBox {
    ORV_META(TPopupListboxGx, TCustomListBox)
    explicit TPopupListboxGx(TComponent* AOwner);

    TSizeGripGx* Grip() const { return FGrip; }
    // The height of n rows (at least one) plus the frame.
    void ShowRows(int Rows);
    int NonClientHeight() const;
    int VisibleRows() const { return FVisibleRows; }
    void SetBounds(int Left, int Top, int Width, int Height) override;
    const String& TypedPrefix() const { return FTypeAhead.Prefix(); }
    bool UserResized = false;
    // The millisecond clock of the type-ahead (a steady clock unless a test drives it).
    std::function<unsigned long long()> Clock;
    Integer Perform(Cardinal Msg, std::uintptr_t WParam, std::intptr_t LParam) override;

    // Images in a column at the left of the items (not owned); the image of an item is its
    // index unless ImageIndexHook (called with the list box's owner) says otherwise.
    TCustomImageList* ItemImages = nullptr;
    std::function<void(TObject* Sender, int ItemIndex, int& ImageIndex)> ImageIndexHook;
    // A list whose texts the list box shows (not owned); nullptr: its own Items. The texts are
    // taken over when the list is set and when Refresh is asked for.
    TStrings* ExternalItems() const { return FExternalItems; }
    void SetExternalItems(TStrings* Value);
    void RefreshExternalItems();
    // Draws one item: the image column (with ItemImages), the text, the focus rectangle.
    void DrawListItem(int Index, const TRect& Rect, TOwnerDrawState State);
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    // A navigation key its owner passes on while the focus stays with the owner: Page Up, Page
    // Down, Up and Down without Alt, Home and End with Ctrl; false for any other key.
    bool NavigationKey(Word Key, TShiftState Shift);

protected:
    void KeyPress(char16_t& Key) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;

private:
    TSizeGripGx* FGrip = nullptr;
    TTypeAheadGx FTypeAhead;
    int FVisibleRows = 0;
    TPoint FLastMousePoint{-1, -1};
    TStrings* FExternalItems = nullptr;
};
