// The combo edit: embedded button, text area, drop-down placement, opening and closing, keys.
#include "controls/kxToolEdit.h"

#include "classes/MetaBuilder.h"
#include "controls/kxVclutils.h"
#include "gui/Colors.h"
#include "gui/Forms.h"
#include "gui/SystemMetrics.h"

// ---------------------------------------------------------------------------------------------
// The button

TEditButton::TEditButton(TComponent* AOwner) : TKxSpeedButton(AOwner) {
    SetParentShowHint(true);
}

void TEditButton::Paint() {
    TKxSpeedButton::Paint();
    if (FState != rbsDown) {
        TCanvas* c = Canvas();
        c->Pen()->SetColor(Style() == bsWin31 ? clBtnShadow : clBtnFace);
        c->MoveTo(0, 0);
        c->LineTo(0, Height() - 1);
        c->Pen()->SetColor(clBtnHighlight);
        c->MoveTo(1, 1);
        c->LineTo(1, Height() - 2);
    }
}

void TEditButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        auto* edit = dynamic_cast<TCustomComboEdit*>(Owner());
        if (edit) {
            FNoAction = edit->Popup() && edit->PopupVisible();
            if (edit->PopupVisible())
                edit->ClosePopup(edit, FStandard);
            else if (edit->TabStop() && edit->CanFocus() && !edit->Focused())
                edit->SetFocus();
        }
    }
    TKxSpeedButton::MouseDown(Button, Shift, X, Y);
}

void TEditButton::Click() {
    // The press closed the drop-down: its click does not open it again.
    if (FNoAction) {
        FNoAction = false;
        return;
    }
    TKxSpeedButton::Click();
}

// ---------------------------------------------------------------------------------------------
// The drop-down window

TPopupWindow::TPopupWindow(TCustomComboEdit* AOwner) : TCustomPopupControl(AOwner), FEditor(AOwner) {
    SetColor(clBtnFace);
}

void TPopupWindow::CloseUp(bool Accept) {
    if (OnPopupClosed) OnPopupClosed(this, Accept);
}

void TPopupWindow::Show(const TPoint& Origin) {
    ShowAt(Origin);
}

void TPopupWindow::Hide() {
    HidePopup();
}

void TPopupWindow::InvalidateEditor() {
    if (FEditor) {
        FEditor->Invalidate();
        FEditor->Update();
    }
}

void TPopupWindow::CancelMode(TControl*) {
    if (FEditor) FEditor->ClosePopup(this, false);
}

void TPopupWindow::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomPopupControl::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft) CloseUp(PtInRect(ClientRect(), Point(X, Y)));
}

// ---------------------------------------------------------------------------------------------
// The edit

TCustomComboEdit::TCustomComboEdit(TComponent* AOwner) : TCustomPaintEdit(AOwner) {
    FCreating = true;
    FBtnControl = new TCustomControl(this);
    FBtnControl->SetBounds(0, 0, 21, 17);
    FBtnControl->SetColor(clBtnFace);
    FBtnControl->SetParent(this);
    FButton = new TEditButton(this);
    FButton->SetBounds(0, 0, FBtnControl->Width(), FBtnControl->Height());
    FButton->SetParent(FBtnControl);
    FButton->OnClick = [this](TObject* s) { EditButtonClick(s); };
    SetHeight(21);
    FDefNumGlyphs = 1;
    FGlyphKind = gkCustom;
    FCreating = false;
    LayoutButton();
}

TCustomComboEdit::~TCustomComboEdit() {
    if (FButton) FButton->OnClick = nullptr;
}

int TCustomComboEdit::ButtonWidth() const {
    return FButton->Width();
}

void TCustomComboEdit::SetButtonWidth(int v) {
    if (v == ButtonWidth()) return;
    FBtnControl->SetVisible(v > 1);
    if (FCreating) {
        FBtnControl->SetWidth(v);
        FButton->SetWidth(v);
    } else {
        const int limit = Parent() ? ClientWidth() : Width();
        if (v < limit) {
            FButton->SetWidth(v);
            LayoutButton();
        }
    }
    BuildButtonGlyph();
}

String TCustomComboEdit::ButtonHint() const {
    return FButton->Hint();
}

void TCustomComboEdit::SetButtonHint(const String& v) {
    FButton->SetHint(v);
}

TBitmap* TCustomComboEdit::Glyph() const {
    return FButton->Glyph();
}

void TCustomComboEdit::SetGlyph(TBitmap* v) {
    FButton->SetGlyph(v);
    FGlyphKind = gkCustom;
}

int TCustomComboEdit::NumGlyphs() const {
    return FButton->NumGlyphs();
}

void TCustomComboEdit::SetNumGlyphs(int v) {
    if (FGlyphKind == gkDropDown || FGlyphKind == gkEllipsis)
        FButton->SetNumGlyphs(1);
    else if (FGlyphKind == gkDefault)
        FButton->SetNumGlyphs(FDefNumGlyphs);
    else
        FButton->SetNumGlyphs(v);
}

void TCustomComboEdit::SetGlyphKind(TGlyphKind v) {
    if (v == FGlyphKind) return;
    FGlyphKind = v;
    if (v == gkCustom && ComponentState().Contains(csLoading)) FButton->SetGlyph(nullptr);
    BuildButtonGlyph();
    // The arrow button is as wide as a vertical scroll bar, as in a combo box.
    if (v == gkDropDown) SetButtonWidth(GetSystemMetrics(SM_CXVSCROLL));
}

TBitmap* TCustomComboEdit::DefaultGlyphBitmap(bool& DestroyAfterUse) {
    DestroyAfterUse = false;
    return nullptr;
}

void TCustomComboEdit::BuildButtonGlyph() {
    switch (FGlyphKind) {
    case gkDefault: {
        bool destroy = false;
        TBitmap* b = DefaultGlyphBitmap(destroy);
        FButton->SetGlyph(b);
        FButton->SetNumGlyphs(FDefNumGlyphs);
        if (destroy) delete b;
        break;
    }
    case gkDropDown: {
        // The combo-box arrow: a small downward triangle on the button face.
        TBitmap arrow(7, 4);
        arrow.Canvas()->Brush()->SetColor(clFuchsia);
        arrow.Canvas()->FillRect(Rect(0, 0, 7, 4));
        arrow.Canvas()->Pen()->SetColor(clBlack);
        for (int row = 0; row < 4; ++row) {
            arrow.Canvas()->MoveTo(row, row);
            arrow.Canvas()->LineTo(7 - row, row);
        }
        arrow.SetTransparentColor(clFuchsia);
        FButton->SetGlyph(&arrow);
        FButton->SetNumGlyphs(1);
        break;
    }
    case gkEllipsis: {
        const int w = std::max(1, ButtonWidth() - 6);
        TBitmap dots(w, 4);
        dots.Canvas()->Brush()->SetColor(clWhite);
        dots.Canvas()->FillRect(Rect(0, 0, w, 4));
        const int gap = std::clamp((w - 6) / 2, 1, 3);
        const int x = (w - 6 - 2 * gap) / 2;
        dots.Canvas()->Brush()->SetColor(clBlack);
        for (int i = 0; i < 3; ++i)
            dots.Canvas()->FillRect(Bounds(x + i * (2 + gap), 1, 2, 2));
        dots.SetTransparentColor(clWhite);
        FButton->SetGlyph(&dots);
        FButton->SetNumGlyphs(1);
        break;
    }
    case gkCustom:
        break;
    }
    if (FGlyphKind == gkDefault && Glyph() && !Glyph()->Empty()) {
        const int natural = Glyph()->Width() / std::max(1, NumGlyphs()) + 6;
        if (ButtonWidth() < natural && ButtonWidth() > 1) {
            FButton->SetWidth(natural);
            LayoutButton();
        }
    }
}

void TCustomComboEdit::SetDirectInput(bool v) {
    FDirectInput = v;
    TCustomEdit::SetReadOnly(!v || FReadOnly);
}

void TCustomComboEdit::SetReadOnly(bool v) {
    if (v == FReadOnly) return;
    FReadOnly = v;
    TCustomEdit::SetReadOnly(v || !FDirectInput);
}

int TCustomComboEdit::MinimumHeight() {
    TCanvas measure;
    measure.Font()->Assign(*Font());
    return measure.TextMetrics().tmHeight + 4 * 1 + 1;
}

void TCustomComboEdit::LayoutButton() {
    if (!FBtnControl) return;
    const int w = FButton->Width();
    const int f = FrameWidth();
    FBtnControl->SetBounds(Width() - w - f, f, w, std::max(0, Height() - 2 * f));
    FButton->SetBounds(0, 0, w, FBtnControl->Height());
    LimitTextArea();
}

void TCustomComboEdit::LimitTextArea() {
    const int w = FBtnControl->Visible() ? FBtnControl->Width() : (ButtonWidth() == 1 ? 1 : 0);
    SetTextMargins(0, 0, w, 0);
}

void TCustomComboEdit::Resize() {
    if (!FCreating && !ComponentState().Contains(csLoading)) {
        const int minimum = MinimumHeight();
        if (Height() < minimum) {
            SetHeight(minimum);
            return;
        }
    }
    LayoutButton();
    TCustomPaintEdit::Resize();
}

void TCustomComboEdit::FontChanged() {
    TCustomPaintEdit::FontChanged();
    LimitTextArea();
}

void TCustomComboEdit::EnabledChanged() {
    TCustomPaintEdit::EnabledChanged();
    FButton->SetEnabled(Enabled());
}

void TCustomComboEdit::EditButtonClick(TObject*) {
    if (FReadOnly) return;
    if (OnButtonClick) OnButtonClick(this);
    if (!FPopup) return;
    if (FPopupVisible)
        ClosePopup(FPopup, true);
    else
        OpenPopup(true);
}

void TCustomComboEdit::DoClick() {
    EditButtonClick(this);
}

void TCustomComboEdit::OpenPopup(bool DisableEdit) {
    if (!FPopup || FReadOnly || FPopupVisible) return;
    const TPoint p = ClientToScreen(Point(0, 0));
    const TRect screen = MonitorRectAt(p);
    int y = p.Y + Height();
    if (y + FPopup->Height() > screen.Bottom) y = p.Y - FPopup->Height();
    int x;
    if (FPopupAlign == epaRight) {
        x = p.X + Width() - FPopup->Width();
        if (x < screen.Left) x = p.X;
    } else {
        x = p.X;
        if (x + FPopup->Width() > screen.Right) x = p.X + Width() - FPopup->Width();
    }
    if (x < screen.Left)
        x = screen.Left;
    else if (x + FPopup->Width() > screen.Right)
        x = screen.Right - FPopup->Width();
    const String text = Text();
    WritePopupValue(text.empty() ? Null() : Variant(text));
    if (CanFocus()) SetFocus();
    PlacePopup(Point(x, y));
    FPopupVisible = true;
    if (DisableEdit) TCustomEdit::SetReadOnly(true);
    Invalidate();
}

void TCustomComboEdit::ClosePopup(TObject*, bool Accept) {
    if (!FPopup || !FPopupVisible) return;
    if (TControl* capture = GetCaptureControl()) capture->SetMouseCapture(false);
    const Variant v = ReadPopupValue();
    RemovePopup();
    try {
        if (CanFocus()) SetFocus();
    } catch (...) {
    }
    SetDirectInput(FDirectInput);
    Invalidate();
    try {
        if (Accept && PopupValueAcceptable(v) && !FReadOnly) {
            TakePopupValue(v);
            if (Focused() && FDirectInput) SelectAll();
        }
    } catch (...) {
        FPopupVisible = false;
        throw;
    }
    FPopupVisible = false;
}

void TCustomComboEdit::PlacePopup(const TPoint& Origin) {
    FPopup->Show(Origin);
}

void TCustomComboEdit::RemovePopup() {
    FPopup->Hide();
}

void TCustomComboEdit::NotifyChange() {
    TCustomPaintEdit::Change();
}

void TCustomComboEdit::TakePopupValue(const Variant& Value) {
    const String s = VarToStr(Value);
    if (s != Text()) {
        SetText(s);
        SetModified(true);
        FPopupVisible = FPopup && FPopup->PopupShowing();
        NotifyChange();
    }
}

void TCustomComboEdit::WritePopupValue(const Variant& Value) {
    if (FPopup) FPopup->SetValue(Value);
}

Variant TCustomComboEdit::ReadPopupValue() {
    return FPopup ? FPopup->GetValue() : Variant(String());
}

void TCustomComboEdit::Change() {
    if (FPopupVisible)
        PopupTextChanged();
    else
        NotifyChange();
}

void TCustomComboEdit::DoPaste() {
    if (FDirectInput && !FReadOnly) PlatformPaste();
}

void TCustomComboEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && FPopup) {
        if (CanFocus() && !Focused()) SetFocus();
        if (!Focused()) return;
        if (FPopupVisible) ClosePopup(FPopup, false);
    }
    TCustomPaintEdit::MouseDown(Button, Shift, X, Y);
}

bool TCustomComboEdit::WantsKey(Word Key, TShiftState Shift) const {
    if (FPopupVisible && (Key == VK_RETURN || Key == VK_ESCAPE)) return true;
    return TCustomPaintEdit::WantsKey(Key, Shift);
}

void TCustomComboEdit::KeyDown(Word& Key, TShiftState Shift) {
    if (Shift.Contains(ssCtrl) && (Key == VK_TAB || Key == VK_RETURN)) {
        if (TCustomForm* form = GetParentForm()) {
            form->KeyDown(Key, Shift);
            Key = 0;
            return;
        }
    }
    TCustomPaintEdit::KeyDown(Key, Shift);
    if (Key != 0 && ShortCut(Key, Shift) == FClickKey && ButtonWidth() > 0) {
        EditButtonClick(this);
        Key = 0;
    }
}

void TCustomComboEdit::KeyPress(char16_t& Key) {
    if (Key == 13 || Key == 27 || (Key == 10 && FPopupVisible)) {
        if (FPopupVisible) {
            ClosePopup(FPopup, Key != 27);
            Key = 0;
            return;
        }
        if (Key == 13) {
            TCustomPaintEdit::KeyPress(Key);
            Key = 0;
            return;
        }
    }
    if (Key == 9 || Key == 10) {
        Key = 0;
        if (TCustomForm* form = GetParentForm()) form->KeyPress(Key);
        return;
    }
    TCustomPaintEdit::KeyPress(Key);
}

void TCustomComboEdit::DoEnter() {
    FFocused = true;
    if (AutoSelect() && FDirectInput) SelectAll();
    TWinControl::DoEnter();
}

void TCustomComboEdit::DoExit() {
    FFocused = false;
    ClosePopup(FPopup, false);
    TWinControl::DoExit();
}

ORV_META_IMPL(TEditButton)
void TEditButton::DeclareMeta(meta::Class<TEditButton>&) {}
ORV_META_IMPL(TPopupWindow)
void TPopupWindow::DeclareMeta(meta::Class<TPopupWindow>&) {}
ORV_META_IMPL(TCustomComboEdit)
void TCustomComboEdit::DeclareMeta(meta::Class<TCustomComboEdit>&) {}
