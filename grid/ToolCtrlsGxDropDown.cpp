#include "grid/ToolCtrlsGxDropDown.h"

#include "gui/InputQueue.h"
#include "gui/Monitors.h"
#include "gui/SystemMetrics.h"

#include <algorithm>
#include <cstdlib>

TDropDownPlaceGx PlaceDropDownIn(const TRect& M, const TRect& W, int Width, int Height, int Alignment) {
    TDropDownPlaceGx r;
    r.Width = Width;
    r.Height = Height;
    const int H = Height;
    const bool upward = (W.Bottom < M.Bottom + H && M.Top - H >= W.Top) ||
                        (M.Top - H < W.Top && W.Bottom - M.Bottom < M.Top - W.Top);
    if (upward) {
        if (M.Top - H < W.Top) r.Height = M.Top - W.Top;
        r.Pos.Y = M.Top - r.Height;
        r.VerticalSide = 2;
    } else {
        if (W.Bottom < M.Bottom + H) r.Height = W.Bottom - M.Bottom;
        r.Pos.Y = M.Bottom;
        r.VerticalSide = 3;
    }
    int x = M.Left;
    if (Alignment == ddaRightGx)
        x = M.Right - r.Width;
    else if (Alignment == ddaCenterGx)
        x = M.Left - (r.Width - M.Width()) / 2;
    if (r.Width > W.Width()) r.Width = W.Width();
    if (x + r.Width > W.Right) {
        x = W.Right - r.Width;
        r.HorizontalSide = 0;
    } else if (x < W.Left) {
        x = W.Left;
        r.HorizontalSide = 1;
    } else {
        r.HorizontalSide = Alignment == ddaRightGx ? 0 : 1;
    }
    r.Pos.X = x;
    return r;
}

TPoint PlaceDropDownAt(const TRect& Master, TControl* DropDown, int Alignment) {
    TDropDownPlaceGx p = PlaceDropDownIn(Master, WorkAreaNearestRect(Master), DropDown->Width(),
                                         DropDown->Height(), Alignment);
    if (p.Height != DropDown->Height()) DropDown->SetHeight(p.Height);
    DropDown->Perform(GripSideMessage, static_cast<std::uintptr_t>(p.VerticalSide), 0);
    if (p.Width != DropDown->Width()) DropDown->SetWidth(p.Width);
    DropDown->Perform(GripSideMessage, static_cast<std::uintptr_t>(p.HorizontalSide), 0);
    return p.Pos;
}

TPoint PlaceDropDownUnder(TControl* Master, TControl* DropDown, int Alignment) {
    TRect bounds = Bounds(Master->Left(), Master->Top(), Master->Width(), Master->Height());
    if (TWinControl* parent = Master->Parent()) {
        TPoint topLeft = parent->ClientToScreen(bounds.TopLeft());
        TPoint bottomRight = parent->ClientToScreen(bounds.BottomRight());
        bounds = TRect(topLeft, bottomRight);
    }
    return PlaceDropDownAt(bounds, DropDown, Alignment);
}

int GripCornerAfterMove(int Corner, int Side) {
    switch (Side) {
    case 0: // left
        return Corner == 1 ? 0 : Corner == 2 ? 3 : Corner;
    case 1: // right
        return Corner == 0 ? 1 : Corner == 3 ? 2 : Corner;
    case 2: // top
        return Corner == 2 ? 1 : Corner == 3 ? 0 : Corner;
    case 3: // bottom
        return Corner == 1 ? 2 : Corner == 0 ? 3 : Corner;
    default:
        return Corner;
    }
}

bool TTypeAheadGx::KeyPress(char Key, unsigned long long NowMs) {
    const auto code = static_cast<unsigned char>(Key);
    if (code == 8 || code == 27) {
        FPrefix.clear();
        return false;
    }
    if (code < 32) return false;
    if (NowMs - FTypedTime > 2000) FPrefix.clear();
    FTypedTime = NowMs;
    if (FPrefix.size() < 32) FPrefix += Key;
    return true;
}

int ListHeightForRows(int Rows, int ItemHeight, int NonClientHeight) {
    return std::max(Rows, 1) * ItemHeight + NonClientHeight;
}

int ListRowsForHeight(int Height, int ItemHeight, int NonClientHeight) {
    if (ItemHeight <= 0) return 1;
    return std::max(1, (Height - NonClientHeight) / ItemHeight);
}

bool IsDoubleClickPair(const TPoint& Previous, const TPoint& Next, Cardinal Interval) {
    return Interval <= GetDoubleClickTime() &&
           std::abs(Next.X - Previous.X) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
           std::abs(Next.Y - Previous.Y) <= GetSystemMetrics(SM_CYDOUBLECLK);
}

namespace {

bool DiscardClick(TControl* Control, bool AcceptWindowed) {
    auto* windowed = dynamic_cast<TWinControl*>(Control);
    TWinControl* window = windowed ? windowed : Control->Parent();
    if (!window) return false;
    TPoint p;
    if (!PeekWaitingLeftPress(window, p)) return false;
    bool on = false;
    if (windowed) {
        on = AcceptWindowed && PtInRect(Control->ClientRect(), p);
    } else {
        const TRect bounds = Bounds(Control->Left(), Control->Top(), Control->Width(), Control->Height());
        on = PtInRect(bounds, p);
    }
    if (on) DropWaitingLeftPress(window);
    return on;
}

} // namespace

bool DiscardClickOnControl(TControl* Control) {
    return DiscardClick(Control, false);
}

bool DiscardClickInControl(TControl* Control) {
    return DiscardClick(Control, true);
}
