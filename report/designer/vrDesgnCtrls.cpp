// The rulers, the popup window, the scroll box around the workspace.
#include "report/designer/vrDesgnCtrls.h"

#include "classes/MetaBuilder.h"
#include "rtl/Format.h"

#include "gui/Colors.h"
#include "gui/ScreenStrokes.h"

#include <algorithm>
#include <cmath>

namespace {
int RulerRound(Extended v) { return static_cast<int>(std::nearbyint(v)); }
} // namespace

// --- the ruler ------------------------------------------------------------------------------------

ORV_META_IMPL(TvrRuler)
void TvrRuler::DeclareMeta(meta::Class<TvrRuler>& c) {
    using T = TvrRuler;
    c.Property("Offset", &T::Offset, &T::SetOffset);
    c.Property("Scale", &T::Scale, &T::SetScale);
    c.Property("Start", &T::Start, &T::SetStart);
    c.Property("Units", &T::Units, &T::SetUnits);
    c.Property("Position", &T::Position, &T::SetPosition);
    c.Property("Size", &T::Size, &T::SetSize);
}

TvrRuler::TvrRuler(TComponent* AOwner) : TPanel(AOwner) {
    SetBevelOuter(bvNone);
    PaintWithBackground(false);
}

void TvrRuler::SetOffset(Integer Value) {
    FOffset = Value;
    Invalidate();
}
void TvrRuler::SetScale(Extended Value) {
    FScale = Value;
    Invalidate();
}
void TvrRuler::SetStart(Integer Value) {
    FStart = Value;
    Invalidate();
}
void TvrRuler::SetUnits(TvrRulerUnits Value) {
    FUnits = Value;
    Invalidate();
}
void TvrRuler::SetPosition(Extended Value) {
    FPosition = Value;
    Invalidate();
}
void TvrRuler::SetSize(Integer Value) {
    FSize = Value;
    Invalidate();
}

Extended TvrRuler::Step() const {
    switch (FUnits) {
    case ruCM:
        return fr01cm * FScale;
    case ruInches:
        return fr01in * FScale;
    case ruChars:
        return (IsVertical() ? fr1CharY : fr1CharX) * FScale / 10;
    case ruPixels:
        return FScale;
    }
    return FScale;
}

std::vector<TvrRulerMark> TvrRuler::Marks() {
    std::vector<TvrRulerMark> marks;
    const Extended step = Step();
    if (step <= 0) return marks;
    const bool pixels = FUnits == ruPixels;
    const int major = pixels ? 100 : 10, middle = pixels ? 50 : 5;
    const Extended majorLength = major * step;
    const Extended length = FSize != 0 ? FSize : (IsVertical() ? Height() : Width()) + FStart;
    TCanvas* c = Canvas();
    c->Font()->SetName("Arial");
    c->Font()->SetSize(7);
    const int last = RulerRound(length / step) + FStart;
    const int widest = c->TextWidth(IntToStr(pixels ? last : last / 10));
    int labelEvery = 4;
    if (widest <= 0.7 * majorLength)
        labelEvery = 1;
    else if (widest <= 1.5 * majorLength)
        labelEvery = 2;
    int origin = FOffset - FStart;
    if (FUnits == ruChars) origin += RulerRound((IsVertical() ? fr1CharY : fr1CharX) * FScale * 0.5);
    for (int k = 0; k * step < length; ++k) {
        const int p = RulerRound(k * step) + origin;
        if (p < FOffset) continue;
        int tick = 0;
        if (k == 0)
            tick = 0;
        else if (k % major == 0)
            tick = 6;
        else if (k % middle == 0)
            tick = majorLength >= 21 ? 4 : 0;
        else
            tick = !pixels && majorLength >= 41 ? 2 : 0;
        if (tick == 6 && (k / major) % labelEvery == 0) {
            marks.push_back({p, 0, IntToStr(pixels ? k : k / 10)});
            continue;
        }
        if (tick) marks.push_back({p, tick, String()});
    }
    return marks;
}

void TvrRuler::Paint() {
    TCanvas* c = Canvas();
    const int w = Width(), h = Height();
    const bool vertical = IsVertical();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(0, 0, w, h));
    c->Brush()->SetColor(clWindow);
    if (vertical)
        c->FillRect(Rect(3, FOffset, w - 5, FSize != 0 ? FOffset + FSize : h));
    else
        c->FillRect(Rect(FOffset, 3, FSize != 0 ? FOffset + FSize : w, h - 5));
    c->Pen()->SetColor(clBlack);
    c->Pen()->SetStyle(psSolid);
    c->Brush()->SetStyle(bsClear);
    const std::vector<TvrRulerMark> marks = Marks();
    c->Font()->SetName("Arial");
    c->Font()->SetSize(7);
    c->Font()->SetColor(clBlack);
    if (vertical) c->Font()->SetOrientation(900);
    c->SetBkMode(TRANSPARENT);
    for (const TvrRulerMark& m : marks) {
        if (!m.Label.empty()) {
            const int lw = c->TextWidth(m.Label);
            if (vertical)
                c->TextOut(w - c->TextHeight(m.Label) - 6, m.Pos + lw / 2 + 1, m.Label);
            else
                c->TextOut(m.Pos - lw / 2 + 1, 4, m.Label);
            continue;
        }
        const int from = (13 - m.Tick) / 2 + 3;
        if (vertical) {
            c->MoveTo(from, m.Pos);
            c->LineTo(from + m.Tick, m.Pos);
        } else {
            c->MoveTo(m.Pos, from);
            c->LineTo(m.Pos, from + m.Tick);
        }
    }
    c->Font()->SetOrientation(0);
    int origin = FOffset - FStart;
    if (FUnits == ruChars) origin += RulerRound((vertical ? fr1CharY : fr1CharX) * FScale * 0.5);
    const int marker = RulerRound(FPosition * Step() * (FUnits == ruPixels ? 1 : 10)) + origin;
    if (marker >= FOffset) {
        if (vertical) {
            c->MoveTo(3, marker);
            c->LineTo(16, marker);
        } else {
            c->MoveTo(marker, 3);
            c->LineTo(marker, 16);
        }
    }
}

// --- the popup window -----------------------------------------------------------------------------

Cardinal PopupCloseTime = 0;

ORV_META_IMPL(TvrPopupForm)
void TvrPopupForm::DeclareMeta(meta::Class<TvrPopupForm>& c) { (void)c; }

TvrPopupForm::TvrPopupForm(TComponent* AOwner) : TForm(AOwner) {
    SetName("frPopupForm");
    SetBorderStyle(bsNone);
    SetFormStyle(fsStayOnTop);
    SetColor(clBtnFace);
    TFont font;
    font.SetName("Tahoma");
    font.SetHeight(-11);
    SetFont(&font);
}

void TvrPopupForm::Deactivate() {
    TForm::Deactivate();
    PopupCloseTime = GetTickCount();
    Close();
}

void TvrPopupForm::DoClose(TCloseAction& Action) {
    TForm::DoClose(Action);
    Action = caFree;
}

// --- the scroll box ---------------------------------------------------------------------------------

ORV_META_IMPL(TvrScrollBox)
void TvrScrollBox::DeclareMeta(meta::Class<TvrScrollBox>& c) { (void)c; }

TvrScrollBox::TvrScrollBox(TComponent* AOwner) : TScrollBox(AOwner) {}

bool TvrScrollBox::WantsKey(Word Key, TShiftState Shift) const {
    // Arrow keys and Tab reach the workspace.
    if (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN || Key == VK_TAB) return true;
    return TScrollBox::WantsKey(Key, Shift);
}

void TvrScrollBox::KeyDown(Word& Key, TShiftState Shift) {
    TScrollBox::KeyDown(Key, Shift);
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* child = dynamic_cast<TWinControl*>(Controls(i))) {
            Word k = Key;
            child->KeyDown(k, Shift);
        }
}

void TvrScrollBox::KeyUp(Word& Key, TShiftState Shift) {
    TScrollBox::KeyUp(Key, Shift);
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* child = dynamic_cast<TWinControl*>(Controls(i))) {
            Word k = Key;
            child->KeyUp(k, Shift);
        }
}

void TvrScrollBox::KeyPress(char16_t& Key) {
    TScrollBox::KeyPress(Key);
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* child = dynamic_cast<TWinControl*>(Controls(i))) {
            char16_t k = Key;
            child->KeyPress(k);
        }
}
