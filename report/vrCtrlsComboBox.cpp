// The flat combo box: its colours, its frame and button in the flat, hot, dropped and disabled
// states, the edit beside them, and the size and side of its list.
#include "report/vrCtrls.h"

#include "gui/Colors.h"
#include "gui/Forms.h"
#include "rtl/StringList.h"

#include <algorithm>

TColor MixColors(TColor c1, TColor c2, int a) {
    const TColorRef rgb1 = ColorToPixelRGB(c1), rgb2 = ColorToPixelRGB(c2);
    const int b = a < 100 ? 100 : 1000;
    auto mix = [a, b](int ch1, int ch2) { return (ch2 * (b - a) + ch1 * a + b / 2) / b; };
    return static_cast<TColor>(RGB(mix(GetRValue(rgb1), GetRValue(rgb2)),
                                   mix(GetGValue(rgb1), GetGValue(rgb2)),
                                   mix(GetBValue(rgb1), GetBValue(rgb2))));
}

TvrCustomComboBox::TvrCustomComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {
    SetStyle(csDropDown);
    SetOwnFrame(true);
    SetOwnerDrawnItems(true);
    SetWidth(100);
    SetItemHeight(FontTextHeight());
    PlaceEdit();
}

int TvrCustomComboBox::FontTextHeight() {
    Canvas()->Font()->Assign(*Font());
    return Canvas()->TextHeight("Wg");
}

void TvrCustomComboBox::SetReadOnly(bool value) {
    FReadOnly = value;
    SetEditReadOnly(value);
}

void TvrCustomComboBox::SetEditOffset(int value) {
    FEditOffset = value;
    PlaceEdit();
    Invalidate();
}

void TvrCustomComboBox::PlaceEdit() {
    SetEditBounds(Bounds(FEditOffset + 3, 3, Width() - FButtonWidth - FEditOffset - 8, Height() - 6));
}

void TvrCustomComboBox::Resize() {
    TCustomComboBox::Resize();
    PlaceEdit();
}

int TvrCustomComboBox::ListHeight() const {
    const int count = Items()->Count();
    if (ItemHeight() > 0 && DropDownCount() > 0 && count > 0)
        return ItemHeight() * std::min(DropDownCount(), count) + 2;
    return ItemHeight() + 2;
}

int TvrCustomComboBox::ListWidthShown() const {
    return FListWidth > 0 ? FListWidth : Width();
}

// The list opens upward when its bottom, counted from below the combo, would leave the screen.
void TvrCustomComboBox::DropDown() {
    const TPoint bottom = ClientToScreen(Point(ListWidthShown(), FontTextHeight() + ListHeight() + 6));
    FListUpward = bottom.Y > Screen()->Height();
    TCustomComboBox::DropDown();
}

// The list takes ListWidth and the height of its entries, on the side DropDown found.
void TvrCustomComboBox::PlaceList(TListPlacement& Placement) {
    Placement.Width = ListWidthShown();
    Placement.Height = ListHeight();
    Placement.Above = FListUpward;
    // The list keeps its first entries in view while the selection is among them.
    if (ItemIndex() <= DropDownCount()) Placement.TopIndex = 0;
}

bool TvrCustomComboBox::Hot() const {
    return ComponentState().Contains(csDesigning) || DroppedDown() || EditFocused() || FMouseInControl;
}

void TvrCustomComboBox::PaintButton(TCanvas* c, bool dropped, bool hot) {
    const int w = Width(), h = Height();
    const TRect button = Rect(w - FButtonWidth - 3, 1, w - 1, h - 1);
    c->Brush()->SetStyle(bsSolid);
    if (dropped) {
        c->Brush()->SetColor(MixColors(clHighlight, clWindow, 50));
        c->FillRect(button);
    } else if (hot) {
        c->Brush()->SetColor(MixColors(clHighlight, clWindow, 30));
        c->FillRect(button);
    } else {
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(button);
        c->Brush()->SetColor(clWindow);
        c->FrameRect(button);
    }
    // The separator: the right edge of the window rectangle shrunk by the button and 4 pixels.
    c->Pen()->SetColor(hot || dropped ? clHighlight : clWindow);
    c->MoveTo(w - FButtonWidth - 4, 1);
    c->LineTo(w - FButtonWidth - 4, h - 1);
    c->Pen()->SetColor(dropped ? clCaptionText : clBtnText);
}

void TvrCustomComboBox::PaintFrame() {
    TCanvas* c = Canvas();
    const int w = Width(), h = Height();
    const int arrowX = FButtonWidth / 2 + w - FButtonWidth - 4;
    const int arrowY = (h - 4) / 2 + 1;
    c->Brush()->SetStyle(bsSolid);
    if (!Enabled()) {
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(Rect(0, 0, w, h));
        c->Brush()->SetColor(clBtnShadow);
        c->FrameRect(Rect(0, 0, w, h));
        c->Pen()->SetColor(clGrayText);
    } else {
        if (FEditOffset > 0) {
            c->Brush()->SetColor(clWindow);
            c->FillRect(Rect(3, 3, FEditOffset + 3, h - 3));
        }
        const bool hot = Hot();
        c->Brush()->SetColor(hot ? clHighlight : clBtnFace);
        c->FrameRect(Rect(0, 0, w, h));
        c->Brush()->SetColor(clWindow);
        c->FrameRect(Rect(1, 1, w - 1, h - 1));
        c->FrameRect(Rect(2, 2, w - 2 - (FButtonWidth + 2), h - 2));
        PaintButton(c, DroppedDown(), hot);
    }
    for (int i = 0; i < 3; ++i) {
        c->MoveTo(arrowX + i, arrowY + i);
        c->LineTo(arrowX - i + 5, arrowY + i);
    }
}

void TvrCustomComboBox::FontChanged() {
    TCustomComboBox::FontChanged();
    SetItemHeight(FontTextHeight());
    PlaceEdit();
    Invalidate();
}

void TvrCustomComboBox::EnabledChanged() {
    TCustomComboBox::EnabledChanged();
    Invalidate();
}

void TvrCustomComboBox::Change() {
    TCustomComboBox::Change();
    Invalidate();
}

void TvrCustomComboBox::CloseUp() {
    TCustomComboBox::CloseUp();
    Invalidate();
}

void TvrCustomComboBox::DoEnter() {
    TCustomComboBox::DoEnter();
    Invalidate();
}

void TvrCustomComboBox::DoExit() {
    TCustomComboBox::DoExit();
    Invalidate();
}

void TvrCustomComboBox::MouseEnter() {
    TCustomComboBox::MouseEnter();
    FMouseInControl = true;
    if (!EditFocused() && !DroppedDown()) Invalidate();
}

void TvrCustomComboBox::MouseLeave() {
    TCustomComboBox::MouseLeave();
    FMouseInControl = false;
    if (!EditFocused() && !DroppedDown()) Invalidate();
}
