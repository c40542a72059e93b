// The one placement rule of every drop-down (below or above its master, aligned left, right or
// centred, kept inside the work area of the nearest monitor, telling the drop-down on which sides
// its size grip belongs), the grip's corner moves, and the type-ahead of drop-down lists.
#pragma once

#include "gui/Controls.h"

// Messages of the drop-down windows (Perform): move the size grip to a side (WParam 0 left,
// 1 right, 2 top, 3 bottom), and close the drop-down without accepting.
enum : Cardinal { GripSideMessage = 1124, DropDownCloseMessage = 1125 };

enum TDropDownAlignGx { ddaLeftGx = 0, ddaRightGx = 1, ddaCenterGx = 2 };

// The outcome of placing a drop-down of the given size under or over Master in WorkArea: its
// top-left point, its size (the height cut to the room on the chosen side, the width to the work
// area) and the grip sides (2 top or 3 bottom; 0 left or 1 right).
struct TDropDownPlaceGx {
    TPoint Pos;
    int Width = 0;
    int Height = 0;
    int VerticalSide = 3;
    int HorizontalSide = 1;
};
TDropDownPlaceGx PlaceDropDownIn(const TRect& Master, const TRect& WorkArea, int Width, int Height,
                                 int Alignment);

// Places DropDown for a master rectangle in screen coordinates: cuts its size where needed, sends
// it GripSideMessage twice (the vertical, then the horizontal side) and returns its top-left point.
TPoint PlaceDropDownAt(const TRect& Master, TControl* DropDown, int Alignment);
// The same for the master control's bounds, converted to the screen through its parent.
TPoint PlaceDropDownUnder(TControl* Master, TControl* DropDown, int Alignment);

// The grip corner after moving the grip to a side: 0 top-left, 1 top-right, 2 bottom-right,
// 3 bottom-left; a grip already on that side stays.
int GripCornerAfterMove(int Corner, int Side);

// True when the interval does not exceed the double-click time and the points differ by at most
// the double-click width and height.
bool IsDoubleClickPair(const TPoint& Previous, const TPoint& Next, Cardinal Interval);
// Looks at the first left press waiting for the control's window (the control itself when it is
// windowed, else its parent). DiscardClickOnControl removes it and answers true when it lies on a
// control drawn on that window (never for a windowed control); DiscardClickInControl also takes a
// windowed control and needs the press inside its client area. So the click that closed a
// drop-down does not open it again.
bool DiscardClickOnControl(TControl* Control);
bool DiscardClickInControl(TControl* Control);

// Type-ahead of a drop-down list: characters typed within 2000 ms of each other make one prefix
// of at most 32 characters; Backspace and Esc empty it.
class TTypeAheadGx {
public:
    // Returns true when the character was consumed (the caller then selects the first item that
    // begins with Prefix); Backspace, Esc and control characters are not consumed.
    bool KeyPress(char Key, unsigned long long NowMs);
    const String& Prefix() const { return FPrefix; }
    unsigned long long TypedTime() const { return FTypedTime; }

private:
    String FPrefix;
    unsigned long long FTypedTime = 0;
};

// The list-box height of n rows (at least one) plus the non-client height, and the rows that fit
// a requested height (at least one).
int ListHeightForRows(int Rows, int ItemHeight, int NonClientHeight);
int ListRowsForHeight(int Height, int ItemHeight, int NonClientHeight);
