// The frames and backgrounds of the data grid's fixed and 3D cells: the themed toolbar-button
// background of fixed cells when the grid draws them with the visual theme, and the classic 3D
// edge of a cell.
#include "grid/DBGridGx.h"
#include "gui/ClassicEdges.h"

bool TCustomDBGridGx::FixedCellsThemed() const {
    return !Flat() && ThemedElementsEnabled() && (FOptionsGx & dghFixed3D) && (FOptions & dgColLines) &&
           (FOptions & dgRowLines);
}

void TCustomDBGridGx::FillFixedCellBackground(const TRect& Rect, bool HotOrHighlighted, const TRect* Clip) {
    TCanvas* c = Canvas();
    c->FillRect(Rect);
    if (!FixedCellsThemed()) return;
    // The themed button is drawn larger than the cell so that its own rim stays outside; only the
    // cell (or the given part of it) shows it.
    const int saved = c->SaveDC();
    c->IntersectClipRect(Clip ? *Clip : FPaintedCell);
    TRect r = Rect;
    InflateRect(r, 2, 2);
    DrawThemedElement(c, r, TThemedElement::ToolButton,
                      HotOrHighlighted ? TThemedState::Pressed : TThemedState::Hot);
    c->RestoreDC(saved);
}

// Cells reach the painting in screen coordinates, a right-to-left grid's too, so the sides asked
// for are the sides on the screen.
void TCustomDBGridGx::DrawCellEdge(const TRect& Rect, bool Sunken, bool LeftSide, bool RightSide) {
    TCanvas* c = Canvas();
    const unsigned edge = Sunken ? BDR_SUNKENINNER : BDR_RAISEDINNER;
    TRect r = Rect;
    if (!Flat()) {
        if (LeftSide && RightSide) {
            DrawEdge(c, r, edge, BF_RECT);
            return;
        }
        DrawEdge(c, r, edge, LeftSide ? BF_LEFT | BF_TOP : BF_TOP);
        r = Rect;
        DrawEdge(c, r, edge, RightSide ? BF_RIGHT | BF_BOTTOM : BF_BOTTOM);
        return;
    }
    // Flat: the bottom (and right) line takes the cell's own colour; only the inner top and left
    // edges show.
    TPen saved;
    saved.Assign(*c->Pen());
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(c->Brush()->Color());
    c->MoveTo(Rect.Left, Rect.Bottom - 1);
    if (RightSide) {
        c->LineTo(Rect.Right - 1, Rect.Bottom - 1);
        c->LineTo(Rect.Right - 1, Rect.Top - 1);
    } else {
        c->LineTo(Rect.Right, Rect.Bottom - 1);
    }
    c->Pen()->Assign(saved);
    DrawEdge(c, r, edge, LeftSide ? BF_LEFT | BF_TOP : BF_TOP);
}
