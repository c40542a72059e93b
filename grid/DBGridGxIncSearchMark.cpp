// The mark of an incremental search: the text typed so far is written black on yellow over the
// matching beginning of the current cell's text, placed as the cell text is placed, so that the
// mark covers exactly the part of the text that matched.
#include "grid/DBGridGx.h"
#include "grid/DBGridGxPaint.h"
#include "grid/DBGridGxText.h"
#include "gui/DrawTextEx.h"
#include "rtl/CodePage.h"
#include "rtl/ScopeGuards.h"

void TCustomDBGridGx::PaintIncSearchMark(TColumnGx* Column, const TRect& Rect, int DX, int DY,
                                         const String& CellText, TAlignment Alignment, bool WordWrap) {
    const String& mark = FIncSearchText;
    if (mark.empty() || IsRectEmpty(Rect)) return;
    TCanvas* c = Canvas();
    TFont savedFont;
    savedFont.Assign(*c->Font());
    const TColor savedBrush = c->Brush()->Color();
    const TBrushStyle savedStyle = c->Brush()->Style();
    const int savedDC = c->SaveDC();
    const TScopeExit restore([&] {
        c->RestoreDC(savedDC);
        c->Font()->Assign(savedFont);
        c->Brush()->SetColor(savedBrush);
        c->Brush()->SetStyle(savedStyle);
    });
    int leftMargin = 0, rightMargin = 0;
    if (UseRightToLeftAlignment()) MirrorCellTextPlacement(Alignment, leftMargin, rightMargin);
    const String rest = Utf8Copy(CellText, Utf8Length(mark) + 1, Utf8Length(CellText));
    c->IntersectClipRect(Rect);
    c->Font()->SetColor(::IncSearchText);
    c->Brush()->SetColor(IncSearchBackground);
    c->Brush()->SetStyle(bsSolid);
    const TTextLayout layout = Column->Layout();
    if (WordWrap) {
        // Laid out like the cell's wrapped text; right and centred text leave the room of the rest
        // of the text at the right, so the mark ends where the rest begins.
        if (Alignment != taLeftJustify) rightMargin += c->TextWidth(rest);
        const Cardinal flags = CellTextAlignFlags[Alignment] | DT_WORDBREAK;
        TRect r(Rect.Left + DX, Rect.Top + DY, Rect.Right - DX, Rect.Bottom - DY);
        if (layout != tlTop) {
            TRect m = r;
            const int h = DrawTextEx(c, CellText, m, flags | DT_CALCRECT, nullptr);
            r.Top = layout == tlCenter ? r.Top + (r.Bottom - r.Top) / 2 - h / 2 : r.Bottom - h;
        }
        if (DX > 0) r.Bottom += 1;
        TDrawTextParams params;
        params.iLeftMargin = leftMargin;
        params.iRightMargin = rightMargin;
        c->SetBkMode(OPAQUE);
        c->SetBkColor(IncSearchBackground);
        DrawTextEx(c, mark, r, flags, &params);
        return;
    }
    // A single line starts where the cell's single-line text starts.
    const int w = c->TextWidth(CellText);
    int x;
    switch (Alignment) {
    case taRightJustify:
        x = Rect.Right - w - 3;
        break;
    case taCenter:
        x = Rect.Left + (Rect.Right - Rect.Left) / 2 - w / 2;
        break;
    default:
        x = Rect.Left + DX;
        break;
    }
    const int h = c->TextHeight(CellText.empty() ? mark : CellText);
    int y = Rect.Top + DY;
    if (h < Rect.Height() - DY) {
        if (layout == tlCenter) y = (Rect.Top + Rect.Bottom - h) / 2;
        if (layout == tlBottom) y = Rect.Bottom - h;
    }
    c->FillRect(TRect(x, y, x + c->TextWidth(mark), y + h));
    c->Brush()->SetStyle(bsClear);
    c->TextOut(x, y, mark);
}
