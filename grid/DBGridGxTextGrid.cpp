// The grid's own text, check box and in-cell button output: these know the grid's canvas mapping
// and unmirror a right-to-left grid's canvas around the drawing.
#include "grid/DBGridGx.h"
#include "grid/DBGridGxText.h"
#include "gui/ClassicEdges.h"
#include "gui/ReadingOrder.h"
#include "rtl/ScopeGuards.h"

#include <utility>

namespace {

// Whether the canvas mapping mirrors it horizontally.
bool CanvasMirrored(const TCanvas* Canvas) {
    return Canvas->GetMapMode() == MM_ANISOTROPIC &&
           (Canvas->GetWindowExt().cx < 0) != (Canvas->GetViewportExt().cx < 0);
}

// Switches a right-to-left grid's mirroring off for a step and on again, also when it fails. A
// canvas that is not mirrored (the base grid mirrors the cells' rectangles instead) stays as it is:
// switching the mirroring on afterwards would mirror whatever the cell draws next.
class UnmirrorScope {
public:
    UnmirrorScope(TCustomDBGridGx* Grid, bool RightToLeft)
        : FGrid(Grid), FActive(RightToLeft && CanvasMirrored(Grid->Canvas())) {
        if (FActive) FGrid->MapCanvasRightToLeft(false);
    }
    ~UnmirrorScope() {
        if (FActive) FGrid->MapCanvasRightToLeft(true);
    }

private:
    TCustomDBGridGx* FGrid;
    bool FActive;
};

} // namespace

void TCustomDBGridGx::MapCanvasRightToLeft(bool On) {
    TCanvas* c = Canvas();
    const int w = ClientWidth(), h = ClientHeight();
    c->SetMapMode(MM_ANISOTROPIC);
    if (On) {
        c->SetWindowOrgEx(w, 0);
        c->SetWindowExtEx(-w, h);
    } else {
        c->SetWindowOrgEx(0, 0);
        c->SetWindowExtEx(w, h);
    }
    c->SetViewportExtEx(w, h);
}

TRect TCustomDBGridGx::UnmirroredRect(const TRect& R) {
    TPoint a = Canvas()->LPtoDP(R.TopLeft()), b = Canvas()->LPtoDP(R.BottomRight());
    if (a.X > b.X) std::swap(a.X, b.X);
    return TRect(a.X, a.Y, b.X, b.Y);
}

void TCustomDBGridGx::PaintCellText(TColumnGx* Column, TCanvas* ACanvas, const TRect& ARect, bool Fill, int DX,
                                    int DY, const String& Text, TAlignment Alignment, TTextLayout Layout,
                                    bool WordWrap, bool EndEllipsis, int LeftMargin, int RightMargin) {
    (void)Column;
    const bool rtl = UseRightToLeftAlignment();
    TRect r = ARect;
    if (rtl) {
        r = UnmirroredRect(ARect);
        MirrorCellTextPlacement(Alignment, LeftMargin, RightMargin);
    }
    UnmirrorScope scope(this, rtl);
    DrawCellText(ACanvas, r, Fill, DX, DY, Text, Alignment, Layout, WordWrap, EndEllipsis, LeftMargin, RightMargin,
                 ::UseRightToLeftReading(this));
}

void TCustomDBGridGx::PaintCheckBox(TCanvas* ACanvas, const TRect& ARect, TCheckBoxState State, bool Enabled,
                                    bool Pressed, bool IsFlat, bool Hot, TColor ParentColor) {
    const bool rtl = UseRightToLeftAlignment();
    TRect r = rtl ? UnmirroredRect(ARect) : ARect;
    UnmirrorScope scope(this, rtl);
    ::PaintEditButton(ACanvas, r, ParentColor, bdsCheckBoxGx, Pressed ? 1 : 0, IsFlat, Hot, Enabled,
                      static_cast<int>(State));
}

void TCustomDBGridGx::PaintEditButton(TColumnGx* Column, TCanvas* ACanvas, TBitmap* Glyph, TColor ButtonColor,
                                      bool Enabled, bool IsFlat, bool Pressed, bool Hot, const TRect& CellRect,
                                      TRect ButtonRect, TEditButtonStyleGx Style) {
    (void)Column;
    const bool rtl = UseRightToLeftAlignment();
    const bool clip = ButtonRect.Left < CellRect.Left;
    TRegion savedClip;
    const bool hadClip = clip && ACanvas->GetClipRgn(savedClip);
    const TScopeExit restoreClip([&] {
        if (clip) ACanvas->SelectClipRgn(hadClip ? &savedClip : nullptr);
    });
    if (clip) ACanvas->IntersectClipRect(CellRect);
    if (IsFlat) {
        TRect strip = rtl ? TRect(ButtonRect.Right - 1, ButtonRect.Top, ButtonRect.Right, ButtonRect.Bottom)
                          : TRect(ButtonRect.Left, ButtonRect.Top, ButtonRect.Left + 1, ButtonRect.Bottom);
        ACanvas->Brush()->SetColor(Pressed ? clBtnFace : ButtonColor);
        ACanvas->FrameRect(strip);
        if (rtl)
            ButtonRect.Right -= 1;
        else
            ButtonRect.Left += 1;
    }
    TRect r = rtl ? UnmirroredRect(ButtonRect) : ButtonRect;
    UnmirrorScope scope(this, rtl);
    if (Style == ebsGlyphGx) {
        if (IsFlat) {
            ACanvas->Brush()->SetColor(ButtonColor);
            ACanvas->FrameRect(r);
            InflateRect(r, -1, -1);
            ACanvas->Brush()->SetColor(clBtnFace);
            ACanvas->FillRect(r);
        } else {
            DrawEdge(ACanvas, r, EDGE_RAISED, BF_RECT | BF_MIDDLE);
            InflateRect(r, -2, -2);
        }
        if (Glyph) DrawImageClipped(nullptr, Glyph, ACanvas, taCenter, 0, 0, r);
    } else {
        ::PaintEditButton(ACanvas, r, ButtonColor, DrawStyleOf(Style), Pressed ? 1 : 0, IsFlat, Hot, Enabled, 0);
    }
}
