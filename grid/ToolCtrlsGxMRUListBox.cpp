#include "grid/ToolCtrlsGxMRUListBox.h"

#include "classes/MetaBuilder.h"
#include "grid/ToolCtrlsGxDropDown.h"
#include "gui/ListBoxView.h"
#include "gui/PopupWindows.h"
#include "gui/SystemMetrics.h"

#include <algorithm>

ORV_META_IMPL(TMRUListboxGx)
void TMRUListboxGx::DeclareMeta(meta::Class<TMRUListboxGx>&) {}

TMRUListboxGx::TMRUListboxGx(TComponent* AOwner) : TPopupListboxGx(AOwner) {
    SetListBoxScrollBarsShown(this, false, false);
    FRowScrollBar = new TScrollBar(this);
    FRowScrollBar->SetKind(sbVertical);
    FRowScrollBar->SetTabStop(false);
    FRowScrollBar->SetParent(this);
    FRowScrollBar->SetVisible(false);
    FRowScrollBar->OnChange = [this](TObject*) { SetTopIndex(FRowScrollBar->Position()); };
}

TRect TMRUListboxGx::ScrollBarRect() const {
    const int cw = ClientWidth(), ch = ClientHeight();
    const int bw = GetSystemMetrics(SM_CXVSCROLL);
    const int corner = Grip()->GripCorner();
    const int gh = Grip()->Height();
    switch (corner) {
    case 2: // bottom-right: from the top down to the grip
        return TRect(cw - bw, 0, cw, ch - gh);
    case 1: // top-right: from under the grip down to the bottom
        return TRect(cw - bw, gh, cw, ch);
    default: // the grip on the left: the whole height
        return TRect(cw - bw, 0, cw, ch);
    }
}

void TMRUListboxGx::PlaceScrollBar() {
    const TRect r = ScrollBarRect();
    FRowScrollBar->SetBounds(r.Left, r.Top, r.Width(), std::max(0, r.Height()));
}

void TMRUListboxGx::RefreshScrollBar() {
    if (!FRowScrollBar) return;
    PlaceScrollBar();
    const int itemHeight = std::max(1, ItemHeight());
    const int visible = ClientHeight() / itemHeight;
    const int count = Count();
    const bool gripOnRight = Grip()->GripCorner() == 1 || Grip()->GripCorner() == 2;
    if (count > 0 && visible < count) {
        FRowScrollBar->SetParams(std::clamp(TopIndex(), 0, count - 1), 0, count - 1);
        FRowScrollBar->SetPageSize(visible);
        FRowScrollBar->SetVisible(true);
        Grip()->SetTriangleShape(!gripOnRight);
    } else {
        FRowScrollBar->SetVisible(false);
        Grip()->SetTriangleShape(true);
    }
}

void TMRUListboxGx::ItemsChanged() {
    PlaceScrollBar();
    RefreshScrollBar();
}

void TMRUListboxGx::SetBounds(int Left, int Top, int Width, int Height) {
    TPopupListboxGx::SetBounds(Left, Top, Width, Height);
    RefreshScrollBar();
}

Integer TMRUListboxGx::Perform(Cardinal Msg, std::uintptr_t WParam, std::intptr_t LParam) {
    const Integer result = TPopupListboxGx::Perform(Msg, WParam, LParam);
    if (Msg == GripSideMessage) RefreshScrollBar();
    return result;
}

bool TMRUListboxGx::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    const bool handled = TPopupListboxGx::DoMouseWheel(Shift, WheelDelta, MousePos);
    PlaceScrollBar();
    RefreshScrollBar();
    return handled;
}

void DropDownMRUBox(TMRUListboxGx* Box, bool Shown, const TRect& Master, int Rows, int Width, TColor Color,
                    const TFont* Font, std::function<void(TObject* Sender)> Resized) {
    if (Shown) {
        const bool resized = Box->UserResized;
        const TPoint at = PlaceDropDownAt(Master, Box, ddaLeftGx);
        ShowPopupNoActivate(Box, at.X, at.Y);
        Box->UserResized = resized;
        Box->ItemsChanged();
        return;
    }
    Box->SetColor(Color);
    Box->Font()->Assign(*Font);
    Box->SetItemHeight(Box->Canvas()->TextHeight("Wg"));
    Box->SetItemIndex(-1);
    Box->SetWidth(Width);
    Box->ShowRows(Rows);
    const TPoint at = PlaceDropDownAt(Master, Box, ddaLeftGx);
    ShowPopupNoActivate(Box, at.X, at.Y);
    Box->SetVisible(true);
    Box->Grip()->SetVisible(true);
    Box->ItemsChanged();
    Box->UserResized = false;
    Box->Grip()->ResizedHook = std::move(Resized);
}
