#include "grid/ToolCtrlsGxListBox.h"

#include "classes/MetaBuilder.h"
#include "gui/ListBoxSelect.h"

#include <algorithm>
#include <chrono>

ORV_META_IMPL(TPopupListboxGx)
void TPopupListboxGx::DeclareMeta(meta::Class<TPopupListboxGx>&) {}

TPopupListboxGx::TPopupListboxGx(TComponent* AOwner) : TCustomListBox(AOwner) {
    SetStyle(lbOwnerDrawFixed);
    SetTabStop(false);
    FGrip = new TSizeGripGx(this);
    FGrip->SetParent(this);
    FGrip->SetTriangleShape(true);
    Clock = [] {
        using namespace std::chrono;
        return static_cast<unsigned long long>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    };
}

int TPopupListboxGx::NonClientHeight() const {
    return Height() - ClientHeight();
}

void TPopupListboxGx::ShowRows(int Rows) {
    SetHeight(ListHeightForRows(Rows, ItemHeight(), NonClientHeight()));
}

void TPopupListboxGx::SetBounds(int Left, int Top, int Width, int Height) {
    const int itemHeight = ItemHeight() > 0 ? ItemHeight() : 16;
    FVisibleRows = ListRowsForHeight(Height, itemHeight, NonClientHeight());
    TCustomListBox::SetBounds(Left, Top, Width, NonClientHeight() + itemHeight * FVisibleRows);
    if (FGrip) FGrip->SnapToCorner();
    UserResized = true;
}

Integer TPopupListboxGx::Perform(Cardinal Msg, std::uintptr_t WParam, std::intptr_t LParam) {
    if (Msg == GripSideMessage) {
        FGrip->MoveGripToSide(static_cast<int>(WParam));
        return 0;
    }
    return TCustomListBox::Perform(Msg, WParam, LParam);
}

void TPopupListboxGx::KeyPress(char16_t& Key) {
    if (Key < 256 && FTypeAhead.KeyPress(static_cast<char>(Key), Clock())) {
        ListBoxSelectString(this, 65535, FTypeAhead.Prefix());
        Key = 0;
        return;
    }
    TCustomListBox::KeyPress(Key);
}

void TPopupListboxGx::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomListBox::MouseMove(Shift, X, Y);
    const TPoint p(X, Y);
    if (p == FLastMousePoint) return;
    FLastMousePoint = p;
    if (Shift.Contains(ssLeft) || Shift.Contains(ssRight) || Shift.Contains(ssMiddle)) return;
    const int index = ItemAtPos(p, true);
    if (index >= 0) SetItemIndex(index);
}
