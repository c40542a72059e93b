// The combo box with a button: an edit in a sunken frame and a speed button beside it.
#include "report/vrCtrls.h"

#include "gui/Bitmap.h"
#include "gui/Buttons.h"

TvrComboEdit::TvrComboEdit(TComponent* AOwner) : TComboBox(AOwner) {
    SetStyle(csSimple);
    SetOwnFrame(true);
    FPanel = new TPanel(this);
    FPanel->SetParent(this);
    FPanel->SetBevelOuter(bvNone);
    FButton = new TSpeedButton(this);
    FButton->SetParent(FPanel);
    FButton->SetAlign(alClient);
    FButton->OnClick = [this](TObject*) {
        if (!FButton->Enabled()) return;
        if (CanFocus()) SetFocus();
        if (OnButtonClick) OnButtonClick(this);
    };
    SetHeight(21);
    PlaceParts();
}

TBitmap* TvrComboEdit::Glyph() const {
    return FButton->Glyph();
}

void TvrComboEdit::SetGlyph(TBitmap* value) {
    FButton->SetGlyph(value);
}

bool TvrComboEdit::ButtonEnabled() const {
    return FButton->Enabled();
}

void TvrComboEdit::SetButtonEnabled(bool value) {
    FButton->SetEnabled(value);
}

const String& TvrComboEdit::ButtonHint() const {
    return FButton->Hint();
}

void TvrComboEdit::SetButtonHint(const String& value) {
    FButton->SetHint(value);
    FButton->SetShowHint(!value.empty());
}

// The button is as wide as the edit is high, inside the frame on the right; the edit fills the
// rest.
void TvrComboEdit::PlaceParts() {
    const int side = std::max(0, Height() - 4);
    FPanel->SetBounds(Width() - 2 - side, 2, side, side);
    SetEditBounds(Rect(4, 3, Width() - 4 - side - 1, Height() - 3));
}

void TvrComboEdit::Resize() {
    TComboBox::Resize();
    PlaceParts();
}

void TvrComboEdit::PaintFrame() {
    TCanvas* c = Canvas();
    TRect r = Rect(0, 0, Width(), Height());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Enabled() ? Color() : clBtnFace);
    c->FillRect(r);
    Frame3D(c, r, clBtnShadow, clBtnHighlight, 1);
    Frame3D(c, r, cl3DDkShadow, cl3DLight, 1);
}
