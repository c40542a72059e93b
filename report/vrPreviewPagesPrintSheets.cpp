// Printing prepared pages on sheets of another size: a large page cut into pieces on several
// sheets (pmSplit), or several pages side by side on one sheet (pmJoin).
#include "report/vrClassPage.h"
#include "report/vrClassReport.h"
#include "report/vrPreviewPagesPrint.h"

#include <algorithm>
#include <cmath>

namespace {

// What is left over of a length, in millimetres, that counts as a piece of its own (or as an
// overhang that no longer fits).
constexpr Extended Slack = 11;

int RoundPixels(Extended value) {
    return static_cast<int>(std::lround(value));
}

} // namespace

Integer vrSplitPieces(Extended length, Extended unit) {
    const Extended whole = std::trunc(length / unit);
    const Extended pieces =
        std::fabs(whole * unit - length) >= Slack ? whole + 1 : std::nearbyint(length / unit);
    return std::max<Integer>(1, static_cast<Integer>(pieces));
}

Integer vrJoinCells(Extended length, Extended unit) {
    Integer cells = static_cast<Integer>(std::floor((length + Slack) / unit));
    if (cells * unit - length >= Slack) --cells;
    return std::max<Integer>(1, cells);
}

TvrSheetLayout vrSplitLayout(Extended pageWidth, Extended pageHeight, Extended sheetWidth,
                             Extended sheetHeight, const TvrSheetMargins& margins, Extended overlap) {
    TvrSheetLayout layout{vrSplitPieces(pageWidth, sheetWidth), vrSplitPieces(pageHeight, sheetHeight),
                          false};
    const Integer turnedAcross = vrSplitPieces(pageWidth, sheetHeight);
    const Integer turnedDown = vrSplitPieces(pageHeight, sheetWidth);
    if (turnedAcross * turnedDown < layout.Across * layout.Down) layout = {turnedAcross, turnedDown, true};
    // The sheet as printed: turned, its sides and the margins along them change places.
    const Extended printedWidth = layout.Turned ? sheetHeight : sheetWidth;
    const Extended printedHeight = layout.Turned ? sheetWidth : sheetHeight;
    const Extended marginsAcross =
        layout.Turned ? margins.Top + margins.Bottom : margins.Left + margins.Right;
    const Extended marginsDown = layout.Turned ? margins.Left + margins.Right : margins.Top + margins.Bottom;
    // The part of a sheet a piece fills, never less than a millimetre.
    if (layout.Across > 1)
        layout.Across =
            vrSplitPieces(pageWidth, std::max<Extended>(1, printedWidth - overlap - marginsAcross));
    if (layout.Down > 1)
        layout.Down = vrSplitPieces(pageHeight, std::max<Extended>(1, printedHeight - overlap - marginsDown));
    return layout;
}

TvrSheetLayout vrJoinLayout(Extended sheetWidth, Extended sheetHeight, Extended pageWidth,
                            Extended pageHeight) {
    const TvrSheetLayout upright{vrJoinCells(sheetWidth, pageWidth), vrJoinCells(sheetHeight, pageHeight),
                                 false};
    const TvrSheetLayout turned{vrJoinCells(sheetHeight, pageWidth), vrJoinCells(sheetWidth, pageHeight),
                                true};
    return turned.Across * turned.Down > upright.Across * upright.Down ? turned : upright;
}

// One page on Across x Down sheets. Each sheet shows the part of the page inside its printable
// area; after the first column or row the overlap is left blank at the sheet's leading edge, so
// that the sheets can be pasted together, and the page goes on where the sheet before ended.
bool TvrPrintJob::PrintPageInPieces(Integer index, TvrReportPage* page) {
    const TvrSheetLayout layout = vrSplitLayout(page->PaperWidth(), page->PaperHeight(), FSheetWidth,
                                                FSheetHeight, FSheetMargins, FOptions.SpliceOverlap);
    const TPrinterOrientation orientation = layout.Turned ? poLandscape : poPortrait;
    if (!FDocumentStarted || orientation != FSent.Orientation || FBin != FSent.Bin || FDuplex != FSent.Duplex)
        SendPaper(FOptions.PrintOnSheet, orientation, layout.Turned ? FSheetHeight : FSheetWidth,
                  layout.Turned ? FSheetWidth : FSheetHeight);
    StartDocumentOnce();
    const TPoint dpi = FPrinter.DPI();
    const Extended left = DotsX(FPrinter.LeftMargin()), right = DotsX(FPrinter.RightMargin());
    const Extended top = DotsY(FPrinter.TopMargin()), bottom = DotsY(FPrinter.BottomMargin());
    const Extended stepX = DotsX(FPrinter.PaperWidth()), stepY = DotsY(FPrinter.PaperHeight());
    const Extended overlapX = DotsX(FOptions.SpliceOverlap), overlapY = DotsY(FOptions.SpliceOverlap);
    TCanvas* canvas = FPrinter.PrinterCanvas();
    Extended offsetY = -top;
    for (Integer row = 0; row < layout.Down; ++row) {
        Extended offsetX = -left;
        for (Integer column = 0; column < layout.Across; ++column) {
            FPrinter.StartPage();
            const int saved = canvas->SaveDC();
            // The canvas's origin is the printable corner.
            const TRect printable(column > 0 ? RoundPixels(overlapX) : 0, row > 0 ? RoundPixels(overlapY) : 0,
                                  RoundPixels(stepX - left - right), RoundPixels(stepY - top - bottom));
            canvas->SelectClipRect(&printable);
            FPages.PaintPage(index, canvas, dpi.X / 96.0L, dpi.Y / 96.0L, offsetX, offsetY);
            canvas->RestoreDC(saved);
            FPrinter.EndPage();
            offsetX -= stepX - left - right - overlapX;
        }
        offsetY -= stepY - top - bottom - overlapY;
    }
    FReport->ProgressStep(ptPrinting, index + 1);
    FinishSheet();
    return true;
}

// The chosen pages in cells of Across x Down on each sheet, the grid of the first page's size;
// each page fills Copies cells in a row before the next page comes.
void TvrPrintJob::RunJoin() {
    const std::vector<Integer> chosen = ChosenPages(false);
    if (chosen.empty()) return;
    auto* first = dynamic_cast<TvrReportPage*>(FPages.GetPreparedPage(chosen.front()));
    if (!first) return;
    const TvrSheetLayout layout =
        vrJoinLayout(FSheetWidth, FSheetHeight, first->PaperWidth(), first->PaperHeight());
    const Extended cellWidth = DotsX(first->PaperWidth()), cellHeight = DotsY(first->PaperHeight());
    FDuplex = FDuplexOverride != dmNone ? FDuplexOverride : first->Duplex;
    FBin = first->Bin;
    FSheetCopies = 1;
    SendPaper(FOptions.PrintOnSheet, layout.Turned ? poLandscape : poPortrait,
              layout.Turned ? FSheetHeight : FSheetWidth, layout.Turned ? FSheetWidth : FSheetHeight);
    StartDocumentOnce();
    const TPoint dpi = FPrinter.DPI();
    TCanvas* canvas = FPrinter.PrinterCanvas();
    size_t next = 0;
    Integer copy = 1, index = chosen.front();
    while (next < chosen.size() || copy > 1) {
        FPrinter.StartPage();
        Extended offsetY = -DotsY(FPrinter.TopMargin());
        bool pagesLeft = true;
        for (Integer row = 0; row < layout.Down && pagesLeft; ++row) {
            Extended offsetX = -DotsX(FPrinter.LeftMargin());
            for (Integer column = 0; column < layout.Across; ++column) {
                if (copy == 1) {
                    if (next >= chosen.size()) {
                        pagesLeft = false;
                        break;
                    }
                    index = chosen[next++];
                }
                FPages.CopyNo = copy;
                if (TvrComponent* page = FPages.GetPreparedPage(index); page && FReport->OnPrintPage)
                    FReport->OnPrintPage(page, copy);
                FPages.PaintPage(index, canvas, dpi.X / 96.0L, dpi.Y / 96.0L, offsetX, offsetY);
                copy = copy < FCopies ? copy + 1 : 1;
                offsetX += cellWidth;
            }
            offsetY += cellHeight;
        }
        FReport->ProgressStep(ptPrinting, index + 1);
        FPrinter.EndPage();
        ProcessMessages();
        if (FReport->Terminated) {
            AbortDocument();
            return;
        }
        ++FSheetsPrinted;
        FPages.ClearPageCache();
    }
}
