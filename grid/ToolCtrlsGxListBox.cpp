#include "grid/ToolCtrlsGxListBox.h"

#include "classes/MetaBuilder.h"
#include "gui/ImgList.h"
#include "gui/ListBoxSelect.h"
#include "gui/ListBoxView.h"
#include "rtl/StringList.h"

#include <algorithm>
#include <chrono>

ORV_META_IMPL(TPopupListboxGx)
void TPopupListboxGx::DeclareMeta(meta::Class<TPopupListboxGx>&) {}

TPopupListboxGx::TPopupListboxGx(TComponent* AOwner) : TCustomListBox(AOwner) {
    SetStyle(lbOwnerDrawFixed);
    SetTabStop(false);
    SetListBoxScrollBarsShown(this, true, false);
    FGrip = new TSizeGripGx(this);
    FGrip->SetParent(this);
    FGrip->SetTriangleShape(true);
    OnDrawItem = [this](TObject*, int Index, const TRect& Rect, TOwnerDrawState State) {
        DrawListItem(Index, Rect, State);
    };
    Clock = [] {
        using namespace std::chrono;
        return static_cast<unsigned long long>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    };
}

int TPopupListboxGx::NonClientHeight() const {
    // The frame of the list's own window lies inside its client area.
    return std::max(Height() - ClientHeight(), ListBoxFrameHeight(this));
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

void TPopupListboxGx::SetExternalItems(TStrings* Value) {
    if (Value == FExternalItems) return;
    FExternalItems = Value;
    RefreshExternalItems();
}

void TPopupListboxGx::RefreshExternalItems() {
    if (!FExternalItems) return;
    const int index = ItemIndex();
    Items()->Assign(*FExternalItems);
    if (index < Count()) SetItemIndex(index);
}

void TPopupListboxGx::DrawListItem(int Index, const TRect& Rect, TOwnerDrawState State) {
    TCanvas* canvas = Canvas();
    if (!ItemImages) {
        canvas->FillRect(Rect);
        if (Index >= 0 && Index < Count()) canvas->TextOut(Rect.Left + 2, Rect.Top, Items()->Strings(Index));
        return;
    }
    if (Index < 0) {
        canvas->FillRect(Rect);
        return;
    }
    const int imageWidth = ItemImages->Width();
    const TRect column(Rect.Left, Rect.Top, Rect.Left + imageWidth + 4, Rect.Bottom);
    canvas->FillRect(column);
    int image = Index;
    if (ImageIndexHook) ImageIndexHook(Owner(), Index, image);
    if (image >= 0)
        ItemImages->Draw(canvas, column.Left + (column.Width() - imageWidth) / 2,
                         column.Top + (column.Height() - ItemImages->Height()) / 2, image, Enabled());
    TRect text = Rect;
    text.Left = column.Right;
    if (Index < Count())
        canvas->TextRect(text, Rect.Left + imageWidth + 5, Rect.Top, Items()->Strings(Index));
    if (State.Contains(odFocused)) canvas->DrawFocusRect(text);
}

bool TPopupListboxGx::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    if (TCustomListBox::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    if (WheelDelta == 0) return false;
    // One row per step: down shows the next row at the top, up the previous one.
    SetTopIndex(std::max(0, TopIndex() + (WheelDelta < 0 ? 1 : -1)));
    return true;
}

bool TPopupListboxGx::NavigationKey(Word Key, TShiftState Shift) {
    const int count = Count();
    if (count == 0) return false;
    const int page = std::max(1, VisibleRows() - 1);
    int index = ItemIndex();
    const bool ctrl = Shift.Contains(ssCtrl), alt = Shift.Contains(ssAlt);
    switch (Key) {
    case VK_UP:
        if (alt) return false;
        index = index < 0 ? count - 1 : std::max(0, index - 1);
        break;
    case VK_DOWN:
        if (alt) return false;
        index = std::min(count - 1, index + 1);
        break;
    case VK_PRIOR:
        if (alt) return false;
        index = std::max(0, index - page);
        break;
    case VK_NEXT:
        if (alt) return false;
        index = std::min(count - 1, std::max(index, 0) + page);
        break;
    case VK_HOME:
        if (!ctrl) return false;
        index = 0;
        break;
    case VK_END:
        if (!ctrl) return false;
        index = count - 1;
        break;
    default:
        return false;
    }
    SetItemIndex(index);
    return true;
}
