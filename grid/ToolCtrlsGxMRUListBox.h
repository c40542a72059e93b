// The list box of remembered texts: the drop-down list box with a scroll bar of its own at the
// right, kept clear of the size grip, in place of the list's own scroll bars.
#pragma once

#include "grid/ToolCtrlsGxListBox.h"

#include <functional>

class TScrollBar;

class TMRUListboxGx : public TPopupListboxGx {
    ORV_META(TMRUListboxGx, TPopupListboxGx)
    explicit TMRUListboxGx(TComponent* AOwner);

    TScrollBar* RowScrollBar() const { return FRowScrollBar; }
    // Places the bar at the right edge beside the grip and shows it while not every row fits
    // (the grip is then a full square beside it when both are on the right).
    void RefreshScrollBar();
    void PlaceScrollBar();
    // The rows or the item count changed.
    void ItemsChanged();

    void SetBounds(int Left, int Top, int Width, int Height) override;
    Integer Perform(Cardinal Msg, std::uintptr_t WParam, std::intptr_t LParam) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

private:
    TRect ScrollBarRect() const;
    TScrollBar* FRowScrollBar = nullptr;
};

// Shows the filled box under Master, a rectangle in screen coordinates, left-aligned, without
// taking the focus. A box that shows already (Shown) is only placed again, its user-resized mark
// kept; otherwise it takes the colour, font and width, Rows rows, no chosen row and its size
// grip, whose resizing goes to Resized.
void DropDownMRUBox(TMRUListboxGx* Box, bool Shown, const TRect& Master, int Rows, int Width, TColor Color,
                    const TFont* Font, std::function<void(TObject* Sender)> Resized);
