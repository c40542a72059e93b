// The dock site's splitter: its grip, its cursors, resizing the site by dragging and collapsing
// or restoring it by a click on the grip.
#include "report/vrDock.h"

#include "classes/MetaBuilder.h"
#include "gui/MouseTracking.h"

#include <cstdlib>

ORV_META_IMPL(TDockSplitter)
void TDockSplitter::DeclareMeta(meta::Class<TDockSplitter>&) {}

namespace {
// The hand shows this close to the middle (exclusive).
constexpr int GripReach = 20;
constexpr int DotCount = 7;
} // namespace

TDockSplitter::TDockSplitter(TvrDockSite* site) : TGraphicControl(site), FDockSite(site) {
    SetBounds(0, 0, Thickness, Thickness);
    // The cursor follows the mouse over the bar.
    SetMouseTracking(this, true);
}

TCursor TDockSplitter::CursorAt(int X, int Y) const {
    if (Horizontal()) return std::abs(X - Width() / 2) < GripReach ? crHandPoint : crVSplit;
    return std::abs(Y - Height() / 2) < GripReach ? crHandPoint : crHSplit;
}

// A grip of 29 x 6 pixels in the middle, with seven dots 3 pixels apart: a white pixel with grey
// ones to its right, below and diagonally.
void TDockSplitter::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(0, 0, Width(), Height()));
    const int halfW = Width() / 2, halfH = Height() / 2;
    c->Brush()->SetColor(GripColor);
    if (Horizontal())
        c->FillRect(Rect(halfW - 14, 0, halfW + 15, Thickness));
    else
        c->FillRect(Rect(0, halfH - 14, Thickness, halfH + 15));
    for (int i = 0; i < DotCount; ++i) {
        const int x = Horizontal() ? halfW - 9 + 3 * i : 2;
        const int y = Horizontal() ? 2 : halfH - 9 + 3 * i;
        c->SetPixels(x, y, clWhite);
        c->SetPixels(x + 1, y, clGray);
        c->SetPixels(x, y + 1, clGray);
        c->SetPixels(x + 1, y + 1, clGray);
    }
}

void TDockSplitter::ToggleSite() {
    TvrDockSite* site = FDockSite;
    const bool horizontal = site->Horizontal();
    const int current = horizontal ? site->Height() : site->Width();
    if (current != 0) {
        site->SetSize(current);
        site->SetAutoSize(false);
        if (horizontal)
            site->SetHeight(0);
        else
            site->SetWidth(0);
        return;
    }
    if (horizontal)
        site->SetHeight(site->Size());
    else
        site->SetWidth(site->Size());
    // The splitter goes to the site's edge, after a site on the top or left, before one on the
    // bottom or right.
    switch (site->Align()) {
    case alTop:
        SetTop(site->Top() + site->Height() + 1);
        break;
    case alBottom:
        SetTop(site->Top() - Thickness - 1);
        break;
    case alLeft:
        SetLeft(site->Left() + site->Width() + 1);
        break;
    case alRight:
        SetLeft(site->Left() - Thickness - 1);
        break;
    default:
        break;
    }
    site->SetAutoSize(true);
}

void TDockSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    SetCursor(CursorAt(X, Y));
    if (Cursor() == crHandPoint) {
        FDragging = false;
        ToggleSite();
        return;
    }
    FDragging = true;
}

void TDockSplitter::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FDragging) {
        SetCursor(CursorAt(X, Y));
        return;
    }
    TvrDockSite* site = FDockSite;
    site->SetAutoSize(false);
    switch (site->Align()) {
    case alTop:
        site->SetHeight(site->Height() + Y);
        break;
    case alBottom:
        site->SetHeight(site->Height() - Y);
        break;
    case alLeft:
        site->SetWidth(site->Width() + X);
        break;
    case alRight:
        site->SetWidth(site->Width() - X);
        break;
    default:
        break;
    }
    site->SetAutoSize(true);
}

void TDockSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    FDragging = false;
}
