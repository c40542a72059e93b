// The list box of drop-downs: owner-drawn with a fixed item height, never taking the focus from
// its owner, with type-ahead (a prefix typed within 2 seconds), hot tracking, a size grip in a
// corner and a height set in whole rows.
#pragma once

#include "grid/ToolCtrlsGxDropDown.h"
#include "grid/ToolCtrlsGxGrip.h"
#include "gui/StdCtrls.h"

#include <functional>

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

protected:
    void KeyPress(char16_t& Key) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;

private:
    TSizeGripGx* FGrip = nullptr;
    TTypeAheadGx FTypeAhead;
    int FVisibleRows = 0;
    TPoint FLastMousePoint{-1, -1};
};
