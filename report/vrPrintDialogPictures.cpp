// The print dialog's pictures, drawn in code: sheets and pages for the four print modes, and the
// copies collated (1 2 3, 1 2 3) or not (1 1, 2 2, 3 3).
#include "gui/Bitmap.h"
#include "gui/Picture.h"
#include "report/vrPrintDialog.h"

namespace {

// A sheet of paper: white with a grey edge.
void Sheet(TCanvas* c, int x, int y, int w, int h) {
    c->Pen()->SetColor(clGray);
    c->Brush()->SetColor(clWhite);
    c->Rectangle(x, y, x + w, y + h);
}

// A page drawn on a sheet: a blue outline with text lines.
void Page(TCanvas* c, int x, int y, int w, int h) {
    c->Pen()->SetColor(clNavy);
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(x, y, x + w, y + h);
    c->Pen()->SetColor(clSilver);
    for (int line = y + 3; line < y + h - 2; line += 3) {
        c->MoveTo(x + 2, line);
        c->LineTo(x + w - 2, line);
    }
    c->Brush()->SetStyle(bsSolid);
}

void Arrow(TCanvas* c, int x1, int y, int x2) {
    c->Pen()->SetColor(clMaroon);
    c->MoveTo(x1, y);
    c->LineTo(x2, y);
    c->MoveTo(x2 - 3, y - 3);
    c->LineTo(x2, y);
    c->LineTo(x2 - 3, y + 4);
}

// A sheet of a copy with its page number in the corner the sheets in front leave visible.
void NumberedSheet(TCanvas* c, int x, int y, int number) {
    Sheet(c, x, y, 24, 30);
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetName("Arial");
    c->Font()->SetHeight(-9);
    c->Font()->SetColor(clBlack);
    c->TextOut(x + 2, y + 1, std::to_string(number));
    c->Brush()->SetStyle(bsSolid);
}

} // namespace

void DrawPrintModePictures(TImageList* list) {
    list->Clear();
    for (int mode = pmDefault; mode <= pmScale; ++mode) {
        TBitmap bitmap;
        bitmap.SetSize(64, 32);
        TCanvas* c = bitmap.Canvas();
        c->Brush()->SetColor(clFuchsia); // the transparent colour
        c->FillRect(TRect(0, 0, 64, 32));
        switch (mode) {
        case pmDefault: // one page on one sheet
            Sheet(c, 22, 2, 21, 28);
            Page(c, 25, 5, 15, 22);
            break;
        case pmSplit: // a large page over two sheets
            Sheet(c, 10, 2, 21, 28);
            Sheet(c, 33, 2, 21, 28);
            Page(c, 13, 5, 38, 22);
            break;
        case pmJoin: // two small pages on one sheet
            Sheet(c, 22, 2, 21, 28);
            Page(c, 24, 5, 8, 22);
            Page(c, 33, 5, 8, 22);
            break;
        default: // a page scaled to the sheet
            Page(c, 4, 9, 10, 14);
            Arrow(c, 16, 16, 30);
            Sheet(c, 34, 2, 21, 28);
            Page(c, 37, 5, 15, 22);
            break;
        }
        list->AddMasked(&bitmap, clFuchsia);
    }
}

void DrawCopiesPicture(TPicture* picture, bool collated) {
    TBitmap bitmap;
    bitmap.SetSize(120, 44);
    TCanvas* c = bitmap.Canvas();
    c->Brush()->SetColor(clWindow);
    c->FillRect(TRect(0, 0, 120, 44));
    // Two copies of three pages: collated, two stacks of 1 2 3; else three stacks of two sheets.
    const int stacks = collated ? 2 : 3, perStack = collated ? 3 : 2;
    for (int stack = 0; stack < stacks; ++stack)
        for (int sheet = 0; sheet < perStack; ++sheet)
            NumberedSheet(c, stack * (collated ? 60 : 42) + sheet * 10, 1 + sheet * 6,
                          collated ? sheet + 1 : stack + 1);
    picture->SetGraphic(&bitmap);
}
