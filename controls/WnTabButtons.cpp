#include "controls/WnTabButtons.h"

#include "controls/WnCommon.h"
#include "controls/WnGrafx.h"

#include "classes/MetaBuilder.h"
#include "gui/ClassicEdges.h"
#include "gui/ExtCtrls.h"
#include "gui/Menus.h"

ORV_META_IMPL(TWnTabStripButton)
void TWnTabStripButton::DeclareMeta(meta::Class<TWnTabStripButton>& c) {
    c.Property("FrameColor", &TWnTabStripButton::FrameColor, &TWnTabStripButton::SetFrameColor)
        .TypeName("TColor")
        .Default(clBtnShadow);
}
ORV_META_IMPL(TWnTabScroller)
void TWnTabScroller::DeclareMeta(meta::Class<TWnTabScroller>&) {}
ORV_META_IMPL(TWnTabCloseButton)
void TWnTabCloseButton::DeclareMeta(meta::Class<TWnTabCloseButton>&) {}
ORV_META_IMPL(TWnTabMenuButton)
void TWnTabMenuButton::DeclareMeta(meta::Class<TWnTabMenuButton>&) {}

namespace {

TThemedState ThemedStateOf(bool pressed, bool enabled) {
    if (!enabled) return TThemedState::Disabled;
    return pressed ? TThemedState::Pressed : TThemedState::Normal;
}

} // namespace

TWnTabStripButton::TWnTabStripButton(TWnCustomTabControl* AOwner)
    : TCustomControl(AOwner), FTabControl(AOwner) {
    PaintWithBackground(false);
    SetBounds(-20, -20, 16, 16);
}

void TWnTabStripButton::SetFrameColor(TColor Value) {
    if (Value == FFrameColor) return;
    FFrameColor = Value;
    Invalidate();
}

void TWnTabStripButton::DrawButtonFace(TCanvas* C, const TRect& r, bool Pressed) {
    TWnTabColors* colors = FTabControl->TabColors();
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetColor(FFrameColor);
    if (FTabControl->UseGradients()) {
        const TRect inner(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
        if (Pressed)
            DrawGradient(C, inner, grdTopToBottom, colors->Shadow(), colors->Unselected(), 1);
        else
            DrawGradient(C, inner, grdTopToBottom, colors->Unselected(), colors->Shadow(), 1);
        C->Brush()->SetStyle(bsClear);
        C->Rectangle(r);
        C->Brush()->SetStyle(bsSolid);
    } else {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(colors->Unselected());
        C->Rectangle(r);
    }
}

// ---- scroller

TWnTabScroller::TWnTabScroller(TWnCustomTabControl* AOwner) : TWnTabStripButton(AOwner) {}

void TWnTabScroller::SetOrientation(TOrientation Value) {
    if (Value == FOrientation) return;
    FOrientation = Value;
    Invalidate();
}

TWnTabScroller::THalf TWnTabScroller::HalfAt(int X, int Y) const {
    if (FOrientation == orHorizontal) return X >= Width() / 2 ? hUpRight : hDownLeft;
    return Y <= Height() / 2 ? hUpRight : hDownLeft;
}

void TWnTabScroller::Fire(THalf Half) {
    if (Half == hUpRight && OnUpRightClick) OnUpRightClick(this);
    if (Half == hDownLeft && OnDownLeftClick) OnDownLeftClick(this);
}

void TWnTabScroller::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TWnTabStripButton::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    SetMouseCapture(true);
    FPressed = HalfAt(X, Y);
    FInside = true;
    if (!FTimer) {
        FTimer = new TTimer(this);
        FTimer->OnTimer = [this](TObject*) { Tick(); };
    }
    FTimer->SetInterval(400);
    FTimer->SetEnabled(true);
    Invalidate();
}

void TWnTabScroller::Tick() {
    FTimer->SetInterval(100);
    if (FPressed == hNone || !FInside) return;
    try {
        Fire(FPressed);
    } catch (...) {
        FTimer->SetEnabled(false);
        throw;
    }
}

void TWnTabScroller::MouseMove(TShiftState Shift, int X, int Y) {
    TWnTabStripButton::MouseMove(Shift, X, Y);
    if (FPressed == hNone) return;
    const bool inside = X >= 0 && Y >= 0 && X < Width() && Y < Height() && HalfAt(X, Y) == FPressed;
    if (inside != FInside) {
        FInside = inside;
        Invalidate();
    }
}

void TWnTabScroller::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FTimer) FTimer->SetEnabled(false);
    SetMouseCapture(false);
    const THalf half = FPressed;
    const bool inside = FInside;
    FPressed = hNone;
    FInside = false;
    Invalidate();
    if (half != hNone && inside) Fire(half);
    TWnTabStripButton::MouseUp(Button, Shift, X, Y);
}

void TWnTabScroller::Paint() {
    TCanvas* c = Canvas();
    const int w = Width(), h = Height();
    TRect downLeft, upRight;
    if (FOrientation == orHorizontal) {
        downLeft = TRect(0, 0, w / 2 + 1, h);
        upRight = TRect(w / 2, 0, w, h);
    } else {
        upRight = TRect(0, 0, w, h / 2 + 1);
        downLeft = TRect(0, h / 2, w, h);
    }
    // Which half scrolls forward follows the strip's direction.
    TWnCustomTabControl* t = FTabControl;
    const bool upRightForward = (t->TabOrientation() != toRight) == (t->TabSequence() == tsStandard);
    const bool canForward = !t->TabInView(t->LastVisibleTab());
    const bool canBack = t->FirstShownTab() > t->FirstVisibleTab();
    const bool upRightEnabled = upRightForward ? canForward : canBack;
    const bool downLeftEnabled = upRightForward ? canBack : canForward;
    if (ThemedElementsEnabled()) {
        // The platform's spin-button halves; a horizontal pair with a white line between them.
        const bool horz = FOrientation == orHorizontal;
        DrawThemedElement(c, downLeft, horz ? TThemedElement::SpinLeft : TThemedElement::SpinDown,
                          ThemedStateOf(FPressed == hDownLeft && FInside, downLeftEnabled));
        DrawThemedElement(c, upRight, horz ? TThemedElement::SpinRight : TThemedElement::SpinUp,
                          ThemedStateOf(FPressed == hUpRight && FInside, upRightEnabled));
        if (horz) {
            c->Pen()->SetStyle(psSolid);
            c->Pen()->SetColor(clWhite);
            c->MoveTo(w / 2, 0);
            c->LineTo(w / 2, h);
        }
        return;
    }
    DrawButtonFace(c, downLeft, FPressed == hDownLeft && FInside);
    DrawArrowGlyph(c, downLeft, 0, FOrientation == orHorizontal ? adLeft : adDown,
                   FPressed == hDownLeft && FInside, downLeftEnabled);
    DrawButtonFace(c, upRight, FPressed == hUpRight && FInside);
    DrawArrowGlyph(c, upRight, 0, FOrientation == orHorizontal ? adRight : adUp,
                   FPressed == hUpRight && FInside, upRightEnabled);
}

// ---- close button

TWnTabCloseButton::TWnTabCloseButton(TWnCustomTabControl* AOwner) : TWnTabStripButton(AOwner) {}

void TWnTabCloseButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TWnTabStripButton::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    SetMouseCapture(true);
    FPressed = FInside = true;
    Invalidate();
}

void TWnTabCloseButton::MouseMove(TShiftState Shift, int X, int Y) {
    TWnTabStripButton::MouseMove(Shift, X, Y);
    if (!FPressed) return;
    const bool inside = X >= 0 && Y >= 0 && X < Width() && Y < Height();
    if (inside != FInside) {
        FInside = inside;
        Invalidate();
    }
}

void TWnTabCloseButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    SetMouseCapture(false);
    const bool fire = FPressed && FInside;
    FPressed = FInside = false;
    Invalidate();
    TWnTabStripButton::MouseUp(Button, Shift, X, Y);
    if (fire && OnClose) OnClose(this);
}

void TWnTabCloseButton::Paint() {
    const TRect r(0, 0, Width(), Height());
    if (ThemedElementsEnabled()) {
        // The platform's close button, disabled while no tab is current.
        DrawThemedElement(Canvas(), r, TThemedElement::CloseButton,
                          ThemedStateOf(Pressed(), FTabControl->TabIndex() >= 0));
        return;
    }
    DrawButtonFace(Canvas(), r, Pressed());
    DrawCrossGlyph(Canvas(), r, 0, Pressed(), FTabControl->TabIndex() >= 0);
}

// ---- menu button

TWnTabMenuButton::TWnTabMenuButton(TWnCustomTabControl* AOwner) : TWnTabStripButton(AOwner) {
    FMenu = new TPopupMenu(this);
    FMenu->SetName("TabMenu");
}

void TWnTabMenuButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TWnTabStripButton::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft && X >= 0 && Y >= 0 && X < Width() && Y < Height()) Click();
}

void TWnTabMenuButton::Click() {
    TWnCustomTabControl* t = FTabControl;
    FMenu->Items()->Clear();
    FMenu->SetImages(t->Images());
    TWnTabDataList* tabs = t->Tabs();
    for (int i = 0; i < tabs->Count(); ++i) {
        const TWnTabData* tab = tabs->Items(i);
        if (!tab->Visible) continue;
        auto* item = new TMenuItem(FMenu);
        item->SetCaption(tab->Caption);
        item->SetEnabled(tab->Enabled);
        item->SetChecked(i == t->TabIndex());
        item->SetImageIndex(!tab->Enabled && tab->DisabledIndex != -1 ? tab->DisabledIndex : tab->ImageIndex);
        item->SetTag(i);
        item->OnClick = [t](TObject* sender) { t->SetTabIndex(static_cast<TMenuItem*>(sender)->Tag()); };
        FMenu->Items()->Add(item);
    }
    TPoint corner;
    TPopupAlignment align = paRight;
    const bool reverse = t->TabSequence() == tsReverse;
    switch (t->TabOrientation()) {
    case toTop:
        corner = reverse ? TPoint(0, Height()) : TPoint(Width(), Height());
        align = reverse ? paLeft : paRight;
        break;
    case toLeft:
        corner = TPoint(Width(), 0);
        align = paLeft;
        break;
    case toBottom:
        corner = reverse ? TPoint(0, 0) : TPoint(Width(), 0);
        align = reverse ? paLeft : paRight;
        break;
    case toRight:
        corner = TPoint(0, 0);
        align = paRight;
        break;
    }
    FMenu->SetAlignment(align);
    const TPoint p = ClientToScreen(corner);
    FMenu->Popup(p.X, p.Y);
}

void TWnTabMenuButton::Paint() {
    const TRect r(0, 0, Width(), Height());
    int dir = adDown;
    switch (FTabControl->TabOrientation()) {
    case toTop:
        dir = adDown;
        break;
    case toBottom:
        dir = adUp;
        break;
    case toLeft:
        dir = adRight;
        break;
    case toRight:
        dir = adLeft;
        break;
    }
    if (ThemedElementsEnabled()) {
        // The platform's arrow button pointing from the strip towards the card.
        const TThemedElement element = dir == adDown   ? TThemedElement::SpinDown
                                       : dir == adUp   ? TThemedElement::SpinUp
                                       : dir == adLeft ? TThemedElement::SpinLeft
                                                       : TThemedElement::SpinRight;
        DrawThemedElement(Canvas(), r, element, TThemedState::Normal);
        return;
    }
    DrawButtonFace(Canvas(), r, false);
    DrawArrowGlyph(Canvas(), r, 0, dir, false, true);
}

// ---- placing the buttons along the strip

void TWnCustomTabControl::PlaceStripButtons() {
    if (FLoading) return;
    const TRect a = TabAreaRect();
    const int b = ButtonSize(), m = FMargin;
    const int cs = CloseButtonSize(), ms = MenuButtonSize();
    const bool std_ = FTabSequence == tsStandard;
    const int shadowFix = FShowShadow ? 0 : 2;
    // Close button first from the strip's end, then the menu button, then the scroller.
    auto place = [&](int size, int offset) {
        switch (FTabOrientation) {
        case toTop:
            return std_ ? TPoint(a.Right - size - m - 1 + shadowFix - offset, a.Bottom - size - 2)
                        : TPoint(a.Left + m + offset, a.Bottom - size - 2);
        case toLeft:
            return std_ ? TPoint(a.Right - size - 2, a.Top + m + offset)
                        : TPoint(a.Right - size - 2, a.Bottom - size - m + 1 - offset);
        case toBottom:
            return std_ ? TPoint(a.Right - size - m + 1 - offset, a.Top + 2)
                        : TPoint(a.Left + m + offset, a.Top + 2);
        case toRight:
            return std_ ? TPoint(a.Left + 2, a.Bottom - size - m + 1 - offset)
                        : TPoint(a.Left + 2, a.Top + m + offset);
        }
        return TPoint();
    };
    if (FCloseButton && FShowCloseButton) {
        const TPoint p = place(cs, 0);
        FCloseButton->SetBounds(p.X, p.Y, cs, cs);
        FCloseButton->Invalidate();
    }
    const int closeRoom = FShowCloseButton ? cs + 2 : 0;
    if (FMenuButton && FShowMenuButton) {
        const TPoint p = place(ms, closeRoom);
        FMenuButton->SetBounds(p.X, p.Y, ms, ms);
        FMenuButton->Invalidate();
    }
    const int buttons = StripButtonsLength();
    if (!FScrollNeeded) {
        if (FScroller)
            FScroller->SetBounds(-FScroller->Width() - 1, -FScroller->Height() - 1, FScroller->Width(),
                                 FScroller->Height());
        return;
    }
    if (!FScroller) {
        FScroller = new TWnTabScroller(this);
        FScroller->SetParent(this);
        FScroller->SetFrameColor(ShiftLuminance(FFlatColor, FFlatColorAdjustment));
        const bool upRightForward = (FTabOrientation != toRight) == (FTabSequence == tsStandard);
        FScroller->OnUpRightClick = [this, upRightForward](TObject*) { ScrollTabs(upRightForward); };
        FScroller->OnDownLeftClick = [this, upRightForward](TObject*) { ScrollTabs(!upRightForward); };
    }
    const bool vertical = !Horz();
    FScroller->SetOrientation(vertical ? orVertical : orHorizontal);
    const int len = 2 * b - 1;
    TPoint p;
    switch (FTabOrientation) {
    case toTop:
        p = std_ ? TPoint(a.Right - len - m - buttons - 1 + shadowFix, a.Bottom - b - 2)
                 : TPoint(a.Left + m + buttons, a.Bottom - b - 2);
        break;
    case toLeft:
        p = std_ ? TPoint(a.Right - b - 2, a.Top + m + buttons)
                 : TPoint(a.Right - b - 2, a.Bottom - len - m + 1 - buttons);
        break;
    case toBottom:
        p = std_ ? TPoint(a.Right - len - m + 1 - buttons, a.Top + 2)
                 : TPoint(a.Left + m + buttons, a.Top + 2);
        break;
    case toRight:
        p = std_ ? TPoint(a.Left + 2, a.Bottom - len - m + 1 - buttons)
                 : TPoint(a.Left + 2, a.Top + m + buttons);
        break;
    }
    if (vertical)
        FScroller->SetBounds(p.X, p.Y, b, len);
    else
        FScroller->SetBounds(p.X, p.Y, len, b);
    FScroller->Invalidate();
}
