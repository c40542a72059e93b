// The code editor's painting: gutter, coloured text in the character grid, marks, message bar.
#include "report/designer/vrSynMemo.h"

#include "rtl/CodePage.h"
#include "rtl/Format.h"

#include <algorithm>

TFont* TvrSyntaxMemo::FontOfCode(int code) const {
    switch (code) {
    case 3:
        return FCommentFont.get();
    case 4:
        return FKeywordFont.get();
    case 5:
        return FStringFont.get();
    case 6:
        return FNumberFont.get();
    default:
        return FTextFont.get();
    }
}

void TvrSyntaxMemo::Paint() {
    TCanvas* c = Canvas();
    const TRect r = ClientRect();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    if (FGutter > 0) {
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(Rect(0, 0, FGutter - 2, r.Height()));
        c->Pen()->SetColor(clBtnHighlight);
        c->MoveTo(FGutter - 4, 0);
        c->LineTo(FGutter - 4, r.Height());
    }
    if (!FColouring) {
        ColourUpTo(FTopLine + FVisLines);
        for (int row = 0; row <= FVisLines; ++row) {
            const int y = FTopLine + row + 1;
            if (y > LineCount()) break;
            PaintLine(y, row);
        }
    }
    if (!FMessageText.empty()) {
        TFont bar;
        bar.SetName("Tahoma");
        bar.SetSize(8);
        bar.SetStyle(TFontStyles{fsBold});
        bar.SetColor(clWhite);
        c->Font()->Assign(bar);
        const int h = c->TextHeight("|");
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(TColor(0x000080));
        c->FillRect(Rect(0, r.Height() - h - 6, r.Width(), r.Height()));
        c->Brush()->SetStyle(bsClear);
        c->TextOut(6, r.Height() - h - 5, FMessageText);
        c->Brush()->SetStyle(bsSolid);
    }
}

// One line at its row: runs of one style drawn in the grid, the highlight of a selected or
// debug line continued to the right edge, then the gutter marks.
void TvrSyntaxMemo::PaintLine(int y, int row) {
    TCanvas* c = Canvas();
    const int top = row * FCharHeight;
    const String line = Line(y);
    const String& codes = FColour[static_cast<size_t>(y - 1)];
    const bool debug = y == FDebugLine;
    const bool hasSel = HasSelection();
    const TPos s = hasSel ? NormStart() : TPos{}, e = hasSel ? NormEnd() : TPos{};
    auto selected = [&](int x) {
        if (!hasSel) return false;
        const int p = y * 1024 + x;
        return p >= s.Y * 1024 + s.X && p < e.Y * 1024 + e.X;
    };
    struct TCell {
        String Text;
        int Column;
        int Width;
        int Style; // code, plus 8 when highlighted
    };
    // The visible characters with their styles.
    std::vector<TCell> cells;
    int col = 1;
    const int lastCol = FLeftCol + FVisCols + 1;
    for (size_t i = 0; i < line.size() && col <= lastCol;) {
        size_t len = 1;
        int w = 1;
        const auto b = static_cast<unsigned char>(line[i]);
        if (b >= 0x80) {
            char32_t cp = 0;
            len = Utf8Decode(line, i, cp);
            if (len == 0)
                len = 1;
            else
                w = 2;
        }
        const int code = i < codes.size() && static_cast<unsigned char>(codes[i]) <= 31 ? codes[i] : 1;
        if (col + w - 1 > FLeftCol) {
            const bool hi = debug || selected(col);
            String text = line.substr(i, len);
            if (text == "\t" || static_cast<unsigned char>(text[0]) < 32) text = " ";
            cells.push_back({text, col, w, code + (hi ? 8 : 0)});
        }
        col += w;
        i += len;
    }
    // The highlight reaches the right edge when column 1 is selected or the line is the debug line.
    if (debug || selected(1)) {
        const int blanks = FVisCols - ColumnCount(line) - FLeftCol + 3;
        for (int k = 0; k < blanks; ++k, ++col)
            if (col > FLeftCol) cells.push_back({" ", col, 1, 3 + 8});
    }
    auto drawRun = [&](size_t from, size_t to) {
        if (from >= to) return;
        const int style = cells[from].Style;
        const bool hi = style >= 8;
        TFont* f = FontOfCode(style & 7);
        c->Font()->Assign(*f);
        c->Font()->SetCharset(Font()->Charset());
        if (hi) c->Font()->SetColor(FSelectionTextColor);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(hi ? FSelectionColor : Color());
        const int x0 = FGutter + (cells[from].Column - FLeftCol - 1) * FCharWidth;
        const int x1 = FGutter + (cells[to - 1].Column + cells[to - 1].Width - FLeftCol - 1) * FCharWidth;
        c->FillRect(Rect(x0, top, x1, top + FCharHeight));
        c->Brush()->SetStyle(bsClear);
        bool narrow = true;
        for (size_t k = from; k < to && narrow; ++k)
            narrow = cells[k].Width == 1;
        if (FMonospace && narrow) {
            String text;
            for (size_t k = from; k < to; ++k)
                text += cells[k].Text;
            c->TextOut(x0, top, text);
        } else {
            // Each character at its own cell: proportional fonts keep the grid, and a wide
            // character is centred over its two cells.
            for (size_t k = from; k < to; ++k) {
                const int x = FGutter + (cells[k].Column - FLeftCol - 1) * FCharWidth;
                int dx = 0;
                if (cells[k].Width == 2) dx = std::max(0, (2 * FCharWidth - c->TextWidth(cells[k].Text)) / 2);
                c->TextOut(x + dx, top, cells[k].Text);
            }
        }
        c->Brush()->SetStyle(bsSolid);
    };
    size_t runStart = 0;
    for (size_t k = 1; k <= cells.size(); ++k)
        if (k == cells.size() || cells[k].Style != cells[runStart].Style) {
            drawRun(runStart, k);
            runStart = k;
        }
    if (!FGutterVisible) return;
    const int bookmark = BookmarkOfLine(y - 1);
    if (bookmark >= 0) {
        c->Pen()->SetColor(clBlack);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clBlack);
        c->FillRect(Rect(13, top + 3, 23, top + 14));
        c->Brush()->SetColor(clGreen);
        c->FillRect(Rect(12, top + 4, 22, top + 15));
        TFont digit;
        digit.SetName("Tahoma");
        digit.SetSize(7);
        digit.SetStyle(TFontStyles{fsBold});
        digit.SetColor(clWhite);
        c->Font()->Assign(digit);
        c->Brush()->SetStyle(bsClear);
        c->TextOut(14, top + 4, IntToStr(bookmark));
        c->Brush()->SetStyle(bsSolid);
    }
    if (LineMarkedExecutable(y)) {
        c->Pen()->SetColor(clBlack);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clBlue);
        c->Ellipse(4, top + 7, 8, top + 11);
        c->SetPixels(5, top + 7, clAqua);
        c->SetPixels(4, top + 8, clAqua);
    }
    if (IsBreakpoint(y)) {
        c->Pen()->SetColor(clRed);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clRed);
        c->Ellipse(2, top + 4, 13, top + 15);
    }
}
