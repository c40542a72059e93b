// TvrVirtualPrinter: stands in when no printer is installed, answering from the paper table at
// 600 dpi so that layouts, page settings and the preview keep working; documents do nothing.
#include "report/vrClassPage.h"
#include "report/vrPrinter.h"

TvrVirtualPrinter::TvrVirtualPrinter(const String& name, const String& port) : TvrCustomPrinter(name, port) {}

TvrVirtualPrinter::~TvrVirtualPrinter() = default;

TvrPrinterCanvas* TvrVirtualPrinter::PrinterCanvas() {
    if (!FMeasure) FMeasure = std::make_unique<TPrinter>();
    return FMeasure->Canvas();
}

void TvrVirtualPrinter::LoadPrinterInfo() {
    if (FInitialized) return;
    FDPI = TPoint{600, 600};
    FDefPaper = DMPAPER_A4;
    FDefOrientation = poPortrait;
    FDefPaperWidth = 210;
    FDefPaperHeight = 297;
    // The table's name column is never filled: the papers are listed without names.
    for (Integer number : PaperTableNumbers())
        AddPaper(String(), number);
    SetPaperForView(FDefPaper, FDefOrientation, FDefPaperWidth, FDefPaperHeight);
    ChosenBin = ChosenDuplex = -1;
    FInitialized = true;
}

void TvrVirtualPrinter::SetPaperForView(Integer paper, TPrinterOrientation orientation, Extended width,
                                        Extended height) {
    Extended w = 0, h = 0;
    if (paper != DMPAPER_USER && PaperSizeFromTable(paper, w, h)) {
        FPaperWidth = orientation == poLandscape ? h : w;
        FPaperHeight = orientation == poLandscape ? w : h;
        FPaper = paper;
    } else {
        FPaper = DMPAPER_USER;
        FPaperWidth = width;
        FPaperHeight = height;
    }
    FOrientation = orientation;
    FLeftMargin = FTopMargin = FRightMargin = FBottomMargin = 5;
}

void TvrVirtualPrinter::SetPaperForPrint(Integer paper, TPrinterOrientation orientation, Integer,
                                         TvrDuplexMode, Integer bin, Extended width, Extended height) {
    SetPaperForView(paper, orientation, width, height);
    ChosenBin = bin;
}
