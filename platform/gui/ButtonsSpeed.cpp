// The speed button: a button drawn on its parent, staying down alone or in a group.
#include "gui/Buttons.h"

#include "gui/Bitmap.h"
#include "gui/ExtCtrls.h"

#include "classes/MetaBuilder.h"

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 23, 22);
    SetColor(clBtnFace);
    FGlyphs.OnChange = [this](TObject*) { Invalidate(); };
}

TSpeedButton::~TSpeedButton() {
    FGlyphs.OnChange = nullptr;
}

void TSpeedButton::SetGroupIndex(int v) {
    if (v == FGroupIndex) return;
    FGroupIndex = v;
    UpdateExclusive();
}

void TSpeedButton::SetDown(bool v) {
    if (FGroupIndex == 0) v = false;
    if (v == FDown) return;
    // The down button of a group comes up only through another one, unless AllowAllUp.
    if (FDown && !FAllowAllUp) return;
    FDown = v;
    FState = v ? bsExclusive : bsUp;
    Invalidate();
    if (v) UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool v) {
    if (v == FAllowAllUp) return;
    FAllowAllUp = v;
    UpdateExclusive();
}

void TSpeedButton::UpdateExclusive() {
    if (FGroupIndex == 0 || !Parent()) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
        if (!other || other == this || other->FGroupIndex != FGroupIndex) continue;
        if (FDown && other->FDown) {
            other->FDown = false;
            other->FState = bsUp;
            other->Invalidate();
        }
        other->FAllowAllUp = FAllowAllUp;
    }
}

void TSpeedButton::SetFlat(bool v) {
    FFlat = v;
    Invalidate();
}

void TSpeedButton::SetTransparent(bool v) {
    FTransparent = v;
    Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* v) {
    FGlyphs.SetGlyph(v);
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout v) {
    FLayout = v;
    Invalidate();
}

void TSpeedButton::SetMargin(int v) {
    if (v < -1) return;
    FMargin = v;
    Invalidate();
}

void TSpeedButton::SetSpacing(int v) {
    FSpacing = v;
    Invalidate();
}

void TSpeedButton::SetTextValue(const String& v) {
    TGraphicControl::SetTextValue(v);
    Invalidate();
}

void TSpeedButton::EnabledChanged() {
    FState = !Enabled() ? bsDisabled : FDown ? bsExclusive : bsUp;
    FDragging = false;
    Invalidate();
    TGraphicControl::EnabledChanged();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled()) return;
    if (!FDown) {
        FState = bsDown;
        Invalidate();
    }
    FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FDragging) return;
    const bool inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
    TButtonState s = inside ? (FDown ? bsExclusive : bsDown) : (FDown ? bsExclusive : bsUp);
    if (s != FState) {
        FState = s;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!FDragging || Button != mbLeft) return;
    FDragging = false;
    const bool inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
    if (FGroupIndex == 0)
        FState = bsUp;
    else if (inside)
        SetDown(!FDown); // the click itself follows from the input path
    else
        FState = FDown ? bsExclusive : bsUp;
    Invalidate();
}

void TSpeedButton::Paint() {
    TCanvas* c = Canvas();
    TButtonState state = !Enabled() ? bsDisabled : FState;
    if (state != bsDisabled && FDown && state == bsUp) state = bsExclusive;
    const bool pressed = state == bsDown || state == bsExclusive;
    TRect r = ClientRect();
    if (!FFlat) {
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(r);
        if (pressed) {
            Frame3D(c, r, cl3DDkShadow, clBtnHighlight, 1);
            Frame3D(c, r, clBtnShadow, cl3DLight, 1);
        } else {
            Frame3D(c, r, clBtnHighlight, cl3DDkShadow, 1);
            Frame3D(c, r, cl3DLight, clBtnShadow, 1);
        }
    } else {
        if (!FTransparent) {
            c->Brush()->SetColor(Color());
            c->FillRect(r);
        }
        if (pressed)
            Frame3D(c, r, clBtnShadow, clBtnHighlight, 1);
        else
            InflateRect(r, -1, -1);
    }
    if (state == bsExclusive) {
        // A held-down button shows a dither of face and highlight.
        TBitmap pattern(8, 8);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                pattern.Canvas()->SetPixels(x, y, (x + y) % 2 ? clBtnHighlight : clBtnFace);
        c->Brush()->SetBitmap(&pattern);
        c->FillRect(r);
        c->Brush()->SetBitmap(nullptr);
    }
    c->Font()->Assign(*Font());
    FGlyphs.Draw(c, r, pressed ? TPoint(1, 1) : TPoint(0, 0), Caption(), FLayout, FMargin, FSpacing, state);
}

ORV_META_IMPL(TSpeedButton)
void TSpeedButton::DeclareMeta(meta::Class<TSpeedButton>& c) {
    c.Property("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp).Default(false);
    c.Property("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption);
    c.Property("Down", &TSpeedButton::Down, &TSpeedButton::SetDown).Default(false);
    c.Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat).Default(false);
    c.Property("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph);
    c.Property("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex).Default(0);
    c.Property("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout).Default(blGlyphLeft);
    c.Property("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin).Default(-1);
    c.Property("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs)
        .TypeName("TNumGlyphs")
        .Default(1);
    c.Property("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing).Default(4);
    c.Property("Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent).Default(true);
}
