// The colour and line-style drop-downs: a panel in a popup window of its own below the control
// that opened it.
#include "report/designer/vrDesgnCtrls.h"

#include "classes/MetaBuilder.h"
#include "rtl/Format.h"

#include "gui/Colors.h"
#include "gui/Dialogs.h"

#include <algorithm>

namespace {

constexpr TColor clEmpty = clBtnFace; // marks an unused slot of the palette

constexpr std::array<TColor, 48> InitialPalette = {
    clTransparent, 0xFFFFFF, 0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
    0x808080,      0xC0C0C0, 0x808000, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF,
    0xCCCCCC,      0xE4E4E4, 0xFFFF00, 0x00CCFF, 0x00CC98, 0x98FFFF, 0xFFCC00, 0xFF98CC,
    0xD8D8D8,      0xF0F0F0, 0xFFFFDC, 0xCAE4FF, 0xCCFFCC, 0xCCFFFF, 0xFFF4CC, 0xCC98FF,
    clEmpty,       0x46DAFF, 0x9BEBFF, 0x00A47B, 0xFDBD97, 0xFED3BA, 0x6ACFFF, 0xFFF4CC,
    clEmpty,       clEmpty,  clEmpty,  clEmpty,  clEmpty,  clEmpty,  clEmpty,  clEmpty};

TvrPopupForm* NewPopupForm() { return new TvrPopupForm(nullptr); }

} // namespace

std::array<TColor, 48>& vrColorPalette() {
    static std::array<TColor, 48> palette = InitialPalette;
    return palette;
}

void vrResetColorPalette() { vrColorPalette() = InitialPalette; }

// --- the base ---------------------------------------------------------------------------------------

ORV_META_IMPL(TvrCustomSelector)
void TvrCustomSelector::DeclareMeta(meta::Class<TvrCustomSelector>& c) { (void)c; }

TvrCustomSelector::TvrCustomSelector(TControl* OwnerControl, int PresetWidth, int PresetHeight)
    : TPanel(NewPopupForm()), FPresetWidth(PresetWidth), FPresetHeight(PresetHeight) {
    FForm = static_cast<TvrPopupForm*>(Owner());
    SetBevelOuter(bvNone);
    PaintWithBackground(false);
    SetParent(FForm);
    SetBounds(0, 0, PresetWidth, PresetHeight);
    if (OwnerControl) SetTag(OwnerControl->Tag());
    FForm->SetClientWidth(PresetWidth);
    FForm->SetClientHeight(PresetHeight);
    TPoint at(0, 0);
    if (OwnerControl) at = OwnerControl->ClientToScreen(Point(0, OwnerControl->Height() + 2));
    FForm->SetBounds(at.X, at.Y, FForm->Width(), FForm->Height());
    FForm->Show();
}

void TvrCustomSelector::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TPanel::MouseDown(Button, Shift, X, Y);
    Highlight(X, Y, true);
}

void TvrCustomSelector::MouseMove(TShiftState Shift, int X, int Y) {
    TPanel::MouseMove(Shift, X, Y);
    Highlight(X, Y, false);
}

void TvrCustomSelector::Paint() {
    TCanvas* c = Canvas();
    c->Pen()->SetColor(clBtnShadow);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clWindow);
    c->Rectangle(0, 0, Width(), Height());
}

void TvrCustomSelector::HidePopup() {
    if (FForm) FForm->Hide();
}

// --- colours ----------------------------------------------------------------------------------------

ORV_META_IMPL(TvrColorSelector)
void TvrColorSelector::DeclareMeta(meta::Class<TvrColorSelector>& c) { (void)c; }

TvrColorSelector::TvrColorSelector(TControl* OwnerControl) : TvrCustomSelector(OwnerControl, 155, 143) {}

void TvrColorSelector::Paint() {
    TvrCustomSelector::Paint();
    TCanvas* c = Canvas();
    const auto& palette = vrColorPalette();
    c->Pen()->SetStyle(psSolid);
    for (int r = 0; r < 6; ++r)
        for (int col = 0; col < 8; ++col) {
            const TColor color = palette[r * 8 + col];
            const TRect cell = Rect(8 + 18 * col, 8 + 18 * r, 20 + 18 * col, 20 + 18 * r);
            c->Pen()->SetColor(0x808080);
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(r == 0 && col == 0 ? clWhite : color);
            c->Rectangle(cell);
            if (r == 0 && col == 0) {
                c->MoveTo(cell.Left, cell.Top);
                c->LineTo(cell.Right - 1, cell.Bottom - 1);
                c->MoveTo(cell.Right - 1, cell.Top);
                c->LineTo(cell.Left, cell.Bottom - 1);
            }
        }
    const TRect button = Rect(8, 116, Width() - 9, Height() - 9);
    c->Brush()->SetColor(clBtnFace);
    c->Pen()->SetColor(0x808080);
    c->Rectangle(button);
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(*Font());
    const String other = "Other...";
    c->TextOut(button.Left + (button.Width() - c->TextWidth(other)) / 2, 118, other);
    if (FHighlighted) {
        c->Brush()->SetStyle(bsClear);
        c->Pen()->SetColor(0xC56A31);
        c->Rectangle(FHighlight);
        c->Pen()->SetColor(0xE8E6E2);
        for (int inset : {1, 2})
            c->Rectangle(FHighlight.Left + inset, FHighlight.Top + inset, FHighlight.Right - inset,
                         FHighlight.Bottom - inset);
    }
}

void TvrColorSelector::Highlight(int x, int y, bool pressed) {
    (void)pressed;
    const int r = (y - 5) / 18;
    if (r > 5)
        FHighlight = Rect(5, 113, Width() - 6, Height() - 6);
    else {
        const int col = std::min((x - 5) / 18, 7);
        FHighlight = Rect(5 + 18 * col, 5 + 18 * r, 23 + 18 * col, 23 + 18 * r);
    }
    FHighlighted = true;
    Invalidate();
}

void TvrColorSelector::RememberColor(TColor color) {
    auto& palette = vrColorPalette();
    if (std::find(palette.begin(), palette.end(), color) != palette.end()) return;
    for (size_t i = 38; i < palette.size(); ++i)
        if (palette[i] == clEmpty) {
            palette[i] = color;
            return;
        }
    for (size_t i = 40; i < 47; ++i) palette[i] = palette[i + 1];
    palette[47] = color;
}

void TvrColorSelector::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TvrCustomSelector::MouseUp(Button, Shift, X, Y);
    const int r = (Y - 5) / 18;
    if (r > 5) {
        // The popup window gives way to the colour dialog.
        FForm->SetAutoSize(false);
        FForm->SetClientHeight(0);
        TColorDialog dialog(nullptr);
        dialog.SetOptions(TColorDialogOptions{cdFullOpen});
        dialog.SetColor(SelectedColor);
        if (!dialog.Execute()) return;
        SelectedColor = dialog.Color();
        RememberColor(SelectedColor);
    } else {
        const int col = std::min((X - 5) / 18, 7);
        SelectedColor = vrColorPalette()[std::clamp(r, 0, 5) * 8 + std::max(col, 0)];
    }
    Invalidate();
    if (OnSelected) OnSelected(this);
    HidePopup();
}

// --- line styles ------------------------------------------------------------------------------------

ORV_META_IMPL(TvrLineSelector)
void TvrLineSelector::DeclareMeta(meta::Class<TvrLineSelector>& c) { (void)c; }

TvrLineSelector::TvrLineSelector(TControl* OwnerControl) : TvrCustomSelector(OwnerControl, 98, 106) {}

int TvrLineSelector::RowAt(int y) {
    int c = y - 5;
    if (c < 0) c = y + 10;
    return c < 96 ? c / 16 : 5;
}

void TvrLineSelector::Paint() {
    TvrCustomSelector::Paint();
    TCanvas* c = Canvas();
    c->Pen()->SetColor(clBlack);
    c->Pen()->SetWidth(1);
    static const TPenStyle styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot};
    for (int i = 0; i < 6; ++i) {
        const int y = 12 + 16 * i;
        auto pair = [&](int at, TPenStyle style) {
            c->Pen()->SetStyle(style);
            for (int dy : {0, 1}) {
                c->MoveTo(7, at + dy);
                c->LineTo(Width() - 8, at + dy);
            }
        };
        if (i < 5)
            pair(y, styles[i]);
        else {
            pair(y - 2, psSolid);
            pair(y + 2, psSolid);
        }
    }
    c->Pen()->SetStyle(psSolid);
    if (FRow >= 0) {
        c->Brush()->SetStyle(bsClear);
        c->Pen()->SetColor(clBtnShadow);
        const int width = FPressed ? 2 : 1;
        for (int k = 0; k < width; ++k)
            c->Rectangle(5 + k, 5 + 16 * FRow + k, Width() - 5 - k, 21 + 16 * FRow - k);
    }
}

void TvrLineSelector::Highlight(int x, int y, bool pressed) {
    (void)x;
    FRow = RowAt(y);
    FPressed = pressed;
    Invalidate();
}

void TvrLineSelector::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TvrCustomSelector::MouseUp(Button, Shift, X, Y);
    SelectedStyle = RowAt(Y);
    Invalidate();
    if (OnSelected) OnSelected(this);
    HidePopup();
}
