// TKxSpeedButton: states, mouse handling, grouping, the repeat timer, the drop-down menu and the
// painting of frame, glyph and caption.
#include "controls/KXCtrls.h"

#include "classes/MetaBuilder.h"
#include "controls/kxVclutils.h"
#include "gui/Colors.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/Menus.h"

#include <chrono>

namespace {
std::function<void(int)>& PressPause() {
    static std::function<void(int)> pause;
    return pause;
}

void BusyWait(int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
    }
}
} // namespace

void SetKxPressPause(std::function<void(int)> Pause) {
    PressPause() = std::move(Pause);
}

TKxSpeedButton::TKxSpeedButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FGlyph(std::make_unique<TKxButtonGlyph>()),
      FDrawImage(std::make_unique<TBitmap>()) {
    // The library's two cursors are registered with the first button.
    RegisterKxCursors();
    SetBounds(0, 0, 25, 25);
    FGlyph->OnChange = [this](TObject* s) { GlyphChanged(s); };
    SetParentShowHint(false);
    SetShowHint(true);
}

TKxSpeedButton::~TKxSpeedButton() {
    FGlyph->OnChange = nullptr;
}

void TKxSpeedButton::GlyphChanged(TObject*) {
    Invalidate();
}

void TKxSpeedButton::SetAllowAllUp(bool v) {
    if (v == FAllowAllUp) return;
    FAllowAllUp = v;
    UpdateExclusive();
}

void TKxSpeedButton::SetAllowTimer(bool v) {
    FAllowTimer = v;
    if (!v && FRepeatTimer) {
        delete FRepeatTimer;
        FRepeatTimer = nullptr;
    }
}

void TKxSpeedButton::SetAlignment(TAlignment v) {
    FGlyph->SetAlignment(v);
}

void TKxSpeedButton::SetWordWrap(bool v) {
    FGlyph->SetWordWrap(v);
}

void TKxSpeedButton::SetDown(bool v) {
    if (FGroupIndex == 0) v = false;
    if (v == FDown) return;
    if (FDown && !FAllowAllUp) return;
    FDown = v;
    if (v) {
        if (FState == rbsUp) Invalidate();
        FState = rbsExclusive;
    } else {
        FState = rbsUp;
    }
    Repaint();
    if (v) UpdateExclusive();
}

void TKxSpeedButton::SetDropDownMenu(TPopupMenu* v) {
    if (v == FDropDownMenu) return;
    FDropDownMenu = v;
    if (v) v->FreeNotification(this);
    if (FMarkDropDown) Invalidate();
}

void TKxSpeedButton::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDropDownMenu) {
        FDropDownMenu = nullptr;
        if (FMarkDropDown) Invalidate();
    }
}

void TKxSpeedButton::SetFlat(bool v) {
    if (v == FFlat) return;
    FFlat = v;
    Invalidate();
}

void TKxSpeedButton::SetFlatStandard(bool v) {
    if (v == FFlatStandard) return;
    FFlatStandard = v;
    Invalidate();
}

void TKxSpeedButton::SetGlyph(TBitmap* v) {
    FGlyph->SetGlyph(v);
    Invalidate();
}

void TKxSpeedButton::SetGrayedInactive(bool v) {
    if (v == FGrayedInactive) return;
    FGrayedInactive = v;
    Invalidate();
}

void TKxSpeedButton::SetGroupIndex(int v) {
    if (v == FGroupIndex) return;
    FGroupIndex = v;
    UpdateExclusive();
}

void TKxSpeedButton::SetLayout(TButtonLayout v) {
    if (v == FLayout) return;
    FLayout = v;
    Invalidate();
}

void TKxSpeedButton::SetMargin(int v) {
    if (v == FMargin || v < -1) return;
    FMargin = v;
    Invalidate();
}

void TKxSpeedButton::SetMarkDropDown(bool v) {
    if (v == FMarkDropDown) return;
    FMarkDropDown = v;
    Invalidate();
}

void TKxSpeedButton::SetNumGlyphs(TKxNumGlyphs v) {
    FGlyph->SetNumGlyphs(v);
    Invalidate();
}

void TKxSpeedButton::SetSpacing(int v) {
    if (v == FSpacing) return;
    FSpacing = v;
    Invalidate();
}

void TKxSpeedButton::SetStyle(TButtonStyle v) {
    if (v == FStyle) return;
    FStyle = v;
    Invalidate();
}

void TKxSpeedButton::SetTransparent(bool v) {
    if (v == FTransparent) return;
    FTransparent = v;
    Invalidate();
}

void TKxSpeedButton::SetTextValue(const String& v) {
    TGraphicControl::SetTextValue(v);
    Invalidate();
}

void TKxSpeedButton::UpdateExclusive() {
    if (FGroupIndex == 0 || !Parent()) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* b = dynamic_cast<TKxSpeedButton*>(Parent()->Controls(i)))
            b->ButtonPressed(FGroupIndex, this);
}

void TKxSpeedButton::ButtonPressed(int Group, TKxSpeedButton* Sender) {
    if (Group != FGroupIndex || Sender == this) return;
    if (Sender->Down() && FDown) {
        FDown = false;
        FState = rbsUp;
        Invalidate();
    }
    FAllowAllUp = Sender->AllowAllUp();
}

TPoint TKxSpeedButton::DropDownPosition() const {
    if (!FDropDownMenu) return Point(0, 0);
    const TPopupAlignment a = FDropDownMenu->Alignment();
    if (FMenuPosition == dmpBottom) {
        const int x = a == paLeft ? -1 : a == paRight ? Width() + 1 : Width() / 2;
        return Point(x, Height());
    }
    if (a == paLeft) return Point(Width(), -1);
    if (a == paRight) return Point(-1, -1);
    return Point(Width() / 2, Height());
}

bool TKxSpeedButton::PopDropDownMenu() {
    if (!FDropDownMenu || !FDropDownMenu->AutoPopup() || ComponentState().Contains(csDesigning)) return false;
    FDropDownMenu->SetPopupComponent(this);
    const TPoint p = ClientToScreen(DropDownPosition());
    FDropDownMenu->Popup(p.X, p.Y);
    // The menu ran its own loop (or was answered): the press ends here, and the release of the
    // press that opened the menu clicks nothing.
    FinishPress(mbLeft, -1, -1);
    FSkipInputClick = true;
    return true;
}

void TKxSpeedButton::Click() {
    if (FSkipInputClick) {
        FSkipInputClick = false;
        return;
    }
    if (TCustomForm* form = GetParentForm()) form->SetModalResult(FModalResult);
    TGraphicControl::Click();
}

void TKxSpeedButton::SetMouseInside(bool v) {
    if (v == FMouseInControl) return;
    FMouseInControl = v;
    if (v) {
        if (FFlat) Repaint();
        if (OnMouseEnter) OnMouseEnter(this);
    } else {
        if (FFlat) Invalidate();
        if (OnMouseLeave) OnMouseLeave(this);
    }
}

void TKxSpeedButton::CheckMouseInside() {
    SetMouseInside(Enabled() && FindVCLWindowAtCursor() == this && IsOwnThreadActive());
}

void TKxSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FMenuTracking) return;
    FSkipInputClick = false;
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (!FMouseInControl && Enabled()) {
        FMouseInControl = true;
        Repaint();
    }
    if (Button != mbLeft || !Enabled()) {
        CheckMouseInside();
        return;
    }
    SetMouseCapture(true);
    if (!FDown) {
        FState = rbsDown;
        Repaint();
    }
    FDragging = true;
    FMenuTracking = true;
    try {
        PopDropDownMenu();
    } catch (...) {
        FMenuTracking = false;
        throw;
    }
    FMenuTracking = false;
    if (FAllowTimer && FDragging) {
        if (!FRepeatTimer) {
            FRepeatTimer = new TTimer(this);
            FRepeatTimer->OnTimer = [this](TObject* s) { TimerExpired(s); };
        }
        FRepeatTimer->SetEnabled(false);
        FRepeatTimer->SetInterval(FInitPause);
        FRepeatTimer->SetEnabled(true);
    }
}

void TKxSpeedButton::TimerExpired(TObject*) {
    FRepeatTimer->SetInterval(FRepeatInterval);
    if (FState == rbsDown && MouseCapture()) {
        try {
            TControl::Click();
        } catch (...) {
            FRepeatTimer->SetEnabled(false);
            throw;
        }
    }
}

void TKxSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FDragging) return;
    const bool inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
    TKxButtonState s = inside ? (FDown ? rbsExclusive : rbsDown) : (FDown ? rbsExclusive : rbsUp);
    if (s != FState) {
        FState = s;
        Repaint();
    }
}

void TKxSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    FinishPress(Button, X, Y);
}

void TKxSpeedButton::FinishPress(TMouseButton Button, int X, int Y) {
    if (Button == mbLeft && FDragging) {
        const bool inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
        FDragging = false;
        if (FGroupIndex == 0) {
            FState = rbsUp;
            FMouseInControl = false;
            if (inside)
                Repaint();
            else
                Invalidate();
        } else if (inside) {
            SetDown(!FDown);
            if (FDown) Repaint();
        } else {
            if (FDown) FState = rbsExclusive;
            Repaint();
        }
        if (inside && !FMenuTracking) {
            // The input path clicks a control released inside after a press inside; this release
            // has clicked already.
            Click();
            FSkipInputClick = X >= 0 && Y >= 0 && PtInRect(ClientRect(), Point(X, Y));
        }
    }
    CheckMouseInside();
    if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
}

void TKxSpeedButton::DblClick() {
    if (FMenuTracking) return;
    if (FDown && OnDblClick) OnDblClick(this);
}

void TKxSpeedButton::EnabledChanged() {
    TGraphicControl::EnabledChanged();
    CheckMouseInside();
    Invalidate();
}

void TKxSpeedButton::DrawFrame(TCanvas* Canvas, TRect& R, bool Down) {
    const bool newStyle = FStyle != bsWin31;
    if (newStyle && !FFlat) {
        if (Down) {
            Frame3D(Canvas, R, clWindowFrame, clBtnHighlight, 1);
            Frame3D(Canvas, R, clBtnShadow, clBtnFace, 1);
        } else {
            Frame3D(Canvas, R, clBtnHighlight, clWindowFrame, 1);
            Frame3D(Canvas, R, clBtnFace, clBtnShadow, 1);
        }
    } else if (newStyle) {
        if (Down)
            Frame3D(Canvas, R, clBtnShadow, clBtnHighlight, 1);
        else
            Frame3D(Canvas, R, clBtnHighlight, clBtnShadow, 1);
    } else if (!FFlat) {
        Frame3D(Canvas, R, clWindowFrame, clWindowFrame, 1);
        if (Down) {
            Canvas->Pen()->SetColor(clBtnShadow);
            Canvas->MoveTo(R.Left, R.Bottom - 1);
            Canvas->LineTo(R.Left, R.Top);
            Canvas->LineTo(R.Right, R.Top);
            InflateRect(R, -1, -1);
        } else {
            Frame3D(Canvas, R, clBtnHighlight, clBtnShadow, 1);
        }
    } else if (Down) {
        Frame3D(Canvas, R, clWindowFrame, clBtnHighlight, 1);
    } else {
        Frame3D(Canvas, R, clBtnHighlight, clWindowFrame, 1);
    }
    InflateRect(R, -1, -1);
}

void TKxSpeedButton::DrawContent(TCanvas* Canvas, const TRect& R, bool PopupMark, TKxButtonState State) {
    const bool pressed = FState == rbsDown || FState == rbsExclusive;
    FGlyph->Draw(Canvas, R, pressed ? TPoint(1, 1) : TPoint(0, 0), Caption(), FLayout, FMargin, FSpacing,
                 PopupMark, State);
}

void TKxSpeedButton::Paint() {
    if (!Enabled()) {
        FState = rbsDisabled;
        FDragging = false;
    } else if (FState == rbsDisabled) {
        FState = FDown && FGroupIndex != 0 ? rbsExclusive : rbsUp;
    }
    TKxButtonState paintState = FState;
    if (FFlat && !FMouseInControl && !ComponentState().Contains(csDesigning)) paintState = rbsInactive;
    FDrawImage->SetSize(std::max(1, Width()), std::max(1, Height()));
    TCanvas* c = FDrawImage->Canvas();
    c->Font()->Assign(*Font());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    TRect r(0, 0, Width(), Height());
    c->FillRect(r);
    if (FTransparent) PaintParentImage(this, c);
    const bool down = FState == rbsDown || FState == rbsExclusive;
    if (paintState != rbsInactive || FState == rbsExclusive)
        DrawFrame(c, r, down);
    else
        InflateRect(r, -2, -2);
    if (FState == rbsExclusive && !FTransparent && (!FFlat || paintState == rbsInactive)) {
        // The dither of button face and highlight of a button held down.
        const TRect d(r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1);
        for (int y = std::max(0, d.Top); y < std::min(Height(), d.Bottom); ++y)
            for (int x = std::max(0, d.Left); x < std::min(Width(), d.Right); ++x)
                c->SetPixels(x, y, (x + y) % 2 ? clBtnHighlight : clBtnFace);
    }
    TKxButtonState glyphState = FState;
    if (FGrayedInactive && Enabled()) glyphState = paintState;
    if (FFlatStandard && glyphState == rbsInactive) glyphState = rbsExclusive;
    DrawContent(c, r, FMarkDropDown && FDropDownMenu, glyphState);
    Canvas()->Draw(0, 0, FDrawImage.get());
}

void PressButtonBriefly(TKxSpeedButton* Button) {
    if (!Button || Button->FMenuTracking || !Button->Enabled()) return;
    if (Button->FDropDownMenu && Button->FDropDownMenu->AutoPopup()) return;
    if (!Button->Down()) {
        Button->FState = rbsDown;
        Button->Repaint();
    }
    if (PressPause())
        PressPause()(20);
    else
        BusyWait(20);
    if (Button->GroupIndex() == 0) Button->Click();
    Button->FState = rbsUp;
    if (Button->GroupIndex() != 0) {
        Button->SetDown(!Button->Down());
        Button->Click();
    } else {
        Button->Repaint();
    }
}

ORV_META_IMPL(TKxSpeedButton)
void TKxSpeedButton::DeclareMeta(meta::Class<TKxSpeedButton>& c) {
    c.Property("Alignment", &TKxSpeedButton::Alignment, &TKxSpeedButton::SetAlignment).Default(taCenter);
    c.Property("AllowAllUp", &TKxSpeedButton::AllowAllUp, &TKxSpeedButton::SetAllowAllUp).Default(false);
    c.Property("AllowTimer", &TKxSpeedButton::AllowTimer, &TKxSpeedButton::SetAllowTimer).Default(false);
    c.Property("Caption", &TKxSpeedButton::Caption, &TKxSpeedButton::SetCaption);
    c.Property("Down", &TKxSpeedButton::Down, &TKxSpeedButton::SetDown).Default(false);
    c.Property("Flat", &TKxSpeedButton::Flat, &TKxSpeedButton::SetFlat).Default(false);
    c.Property("FlatStandard", &TKxSpeedButton::FlatStandard, &TKxSpeedButton::SetFlatStandard)
        .Default(false);
    c.Property("Glyph", &TKxSpeedButton::Glyph, &TKxSpeedButton::SetGlyph);
    c.Property("GrayedInactive", &TKxSpeedButton::GrayedInactive, &TKxSpeedButton::SetGrayedInactive)
        .Default(true);
    c.Property("GroupIndex", &TKxSpeedButton::GroupIndex, &TKxSpeedButton::SetGroupIndex).Default(0);
    c.Property("InitPause", &TKxSpeedButton::InitPause, &TKxSpeedButton::SetInitPause).Default(500);
    c.Property("Layout", &TKxSpeedButton::Layout, &TKxSpeedButton::SetLayout).Default(blGlyphTop);
    c.Property("Margin", &TKxSpeedButton::Margin, &TKxSpeedButton::SetMargin).Default(-1);
    c.Property("MarkDropDown", &TKxSpeedButton::MarkDropDown, &TKxSpeedButton::SetMarkDropDown).Default(true);
    c.Property("MenuPosition", &TKxSpeedButton::MenuPosition, &TKxSpeedButton::SetMenuPosition)
        .Default(dmpBottom);
    c.Property("ModalResult", &TKxSpeedButton::ModalResult, &TKxSpeedButton::SetModalResult).Default(0);
    c.Property("NumGlyphs", &TKxSpeedButton::NumGlyphs, &TKxSpeedButton::SetNumGlyphs)
        .TypeName("TKxNumGlyphs")
        .Default(1);
    c.Property("RepeatInterval", &TKxSpeedButton::RepeatInterval, &TKxSpeedButton::SetRepeatInterval)
        .Default(100);
    c.Property("Spacing", &TKxSpeedButton::Spacing, &TKxSpeedButton::SetSpacing).Default(1);
    c.Property("Style", &TKxSpeedButton::Style, &TKxSpeedButton::SetStyle).Default(bsAutoDetect);
    c.Property("Transparent", &TKxSpeedButton::Transparent, &TKxSpeedButton::SetTransparent).Default(false);
    c.Property("WordWrap", &TKxSpeedButton::WordWrap, &TKxSpeedButton::SetWordWrap).Default(false);
    c.Event("OnMouseEnter", &TKxSpeedButton::OnMouseEnter);
    c.Event("OnMouseLeave", &TKxSpeedButton::OnMouseLeave);
}
