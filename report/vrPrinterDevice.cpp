// TvrPrinter: a printer of the platform. Its record (paper, orientation, copies, duplex, bin) is
// applied to its own platform printer before each use; metrics are read back in millimetres.
#include "report/vrPrinter.h"

#include "gui/PrinterProperties.h"
#include "report/vrUtils.h"
#include "rtl/ScopeGuards.h"

#include <algorithm>
#include <cmath>

namespace {

// Device units to whole millimetres, halves to the even neighbour.
Extended Millimetres(int deviceUnits, int dpi) {
    return std::nearbyint(static_cast<Extended>(deviceUnits) / dpi * 25.4L);
}

Extended Tenths(Extended mm) {
    return std::nearbyint(mm * 10) / 10;
}

const char* const UntitledDocument = "Zezu Derevu Document";

} // namespace

TvrPrinter::TvrPrinter(const String& name, const String& port)
    : TvrCustomPrinter(name, port), FDevice(std::make_unique<TPrinter>()) {}

TvrPrinter::~TvrPrinter() = default;

TvrPrinterCanvas* TvrPrinter::PrinterCanvas() {
    return FDevice->Canvas();
}

bool TvrPrinter::Apply() {
    const std::vector<String>& names = FDevice->Printers();
    const auto it = std::find(names.begin(), names.end(), FName);
    if (it == names.end()) return false;
    const int index = static_cast<int>(it - names.begin());
    if (FDevice->PrinterIndex() != index) {
        if (FDevice->Printing()) return false;
        FDevice->SetPrinterIndex(index);
    }
    FDevice->SetOrientation(FDevMode.Orientation);
    if (FDevMode.Paper == DMPAPER_USER)
        FDevice->SetCustomPaper(FDevMode.PaperWidth, FDevMode.PaperHeight);
    else
        FDevice->SetPaper(FDevMode.Paper);
    FDevice->SetCopies(FDevMode.Copies);
    FDevice->SetDuplex(FDevMode.Duplex);
    FDevice->SetTray(TrayOfBin(FDevMode.Bin));
    return true;
}

String TvrPrinter::TrayOfBin(Integer bin) const {
    if (bin == DMBIN_AUTO) return String();
    for (const TTrayInfo& tray : FDevice->Trays())
        if (tray.Number == bin) return tray.Name;
    return String();
}

bool TvrPrinter::ReadMetrics() {
    TCanvas* canvas = FDevice->Canvas();
    const bool valid = Apply();
    FDPI =
        valid ? TPoint{canvas->GetDeviceCaps(LOGPIXELSX), canvas->GetDeviceCaps(LOGPIXELSY)} : TPoint{0, 0};
    if (FDPI.X == 0 || FDPI.Y == 0) {
        ShowErrorMessage("Printer selected is not valid");
        return false;
    }
    FPaperHeight = Millimetres(canvas->GetDeviceCaps(PHYSICALHEIGHT), FDPI.Y);
    FPaperWidth = Millimetres(canvas->GetDeviceCaps(PHYSICALWIDTH), FDPI.X);
    FLeftMargin = Millimetres(canvas->GetDeviceCaps(PHYSICALOFFSETX), FDPI.X);
    FTopMargin = Millimetres(canvas->GetDeviceCaps(PHYSICALOFFSETY), FDPI.Y);
    FRightMargin = FPaperWidth - Millimetres(canvas->GetDeviceCaps(HORZRES), FDPI.X) - FLeftMargin;
    FBottomMargin = FPaperHeight - Millimetres(canvas->GetDeviceCaps(VERTRES), FDPI.Y) - FTopMargin;
    return true;
}

void TvrPrinter::LoadPrinterInfo() {
    if (FInitialized) return;
    const std::vector<String>& names = FDevice->Printers();
    const auto it = std::find(names.begin(), names.end(), FName);
    if (it != names.end() && !FDevice->Printing()) {
        FDevice->SetPrinterIndex(static_cast<int>(it - names.begin()));
        FDevMode = TvrDevMode();
        FDevMode.Paper = FDevice->DefaultPaper();
        FDevMode.Duplex = FDevice->DefaultDuplex();
    }
    if (!ReadMetrics()) return;
    FDefPaper = FPaper = FDevMode.Paper;
    FDefBin = FDevMode.Bin;
    FDefDuplex = FDevMode.Duplex;
    FDefPaperWidth = FPaperWidth;
    FDefPaperHeight = FPaperHeight;
    FDefOrientation = FOrientation = FDevMode.Orientation;
    Integer papers = 0;
    for (const TPaperInfo& paper : FDevice->Papers())
        if (paper.Number != DMPAPER_USER && papers++ < 256) AddPaper(paper.Name, paper.Number);
    Integer bins = 0;
    for (const TTrayInfo& tray : FDevice->Trays())
        if (tray.Number != DMBIN_AUTO && bins++ < 256) AddBin(tray.Text, tray.Number);
    ChosenBin = ChosenDuplex = -1;
    FInitialized = true;
}

void TvrPrinter::SetPaperForView(Integer paper, TPrinterOrientation orientation, Extended width,
                                 Extended height) {
    if (paper == DMPAPER_USER) {
        // DPI and margins are those of A4.
        SetPaperForView(DMPAPER_A4, orientation, width, height);
        FPaperWidth = width;
        FPaperHeight = height;
    } else {
        const TvrDevMode kept = FDevMode;
        FDevMode.Paper = paper;
        FDevMode.Orientation = orientation;
        if (!ReadMetrics()) {
            FDevMode = kept;
            return;
        }
    }
    FPaper = paper;
    FOrientation = orientation;
}

void TvrPrinter::SetPaperForPrint(Integer paper, TPrinterOrientation orientation, Integer copies,
                                  TvrDuplexMode duplex, Integer bin, Extended width, Extended height) {
    FDevMode.Paper = paper;
    FDevMode.Orientation = orientation;
    FDevMode.Copies = copies;
    if (paper == DMPAPER_USER) {
        // The record keeps the portrait size.
        FDevMode.PaperWidth = Tenths(orientation == poLandscape ? height : width);
        FDevMode.PaperHeight = Tenths(orientation == poLandscape ? width : height);
    }
    if (ChosenBin >= 0) bin = ChosenBin;
    FDevMode.Bin = bin == DMBIN_AUTO ? FDefBin : bin;
    Integer sides = duplex == dmNone ? FDefDuplex : static_cast<Integer>(duplex) + 1;
    if (sides == 4) sides = DMDUP_SIMPLEX;
    if (ChosenDuplex >= 0) sides = ChosenDuplex;
    FDevMode.Duplex = sides;
    if (!ReadMetrics()) return;
    FPaper = paper;
    FOrientation = orientation;
}

void TvrPrinter::StartDocument() {
    FPrinting = true;
    FPageStarted = false;
    FDevice->SetTitle(Title.empty() ? String(UntitledDocument) : Title);
    FDevice->SetOutputFile(FileName);
}

void TvrPrinter::StartPage() {
    if (!FPrinting) return;
    const TScopeExit idleOnFailure([this] {
        if (std::uncaught_exceptions()) Finish();
    });
    Apply();
    if (FPageStarted) {
        FDevice->NewPage();
    } else {
        FDevice->BeginDoc();
        FPageStarted = true;
    }
}

void TvrPrinter::EndPage() {}

void TvrPrinter::EndDocument() {
    const TScopeExit idle([this] { Finish(); });
    if (FPageStarted && FDevice->Printing()) FDevice->EndDoc();
}

void TvrPrinter::AbortDocument() {
    FDevice->Abort();
    EndDocument();
}

void TvrPrinter::Finish() {
    FPrinting = false;
    FPageStarted = false;
    ChosenBin = ChosenDuplex = -1;
    FDevMode.Bin = FDefBin;
    FDevMode.Duplex = FDefDuplex;
    if (!FDevice->Printing()) Apply();
}

void TvrPrinter::StartRawDocument() {
    const TScopeExit idleOnFailure([this] {
        if (std::uncaught_exceptions()) FPrinting = false;
    });
    Apply();
    FDevice->SetTitle(Title);
    FDevice->SetOutputFile(FileName);
    FPrinting = true;
    FDevice->BeginRawDoc();
}

void TvrPrinter::WriteRawData(const std::string& bytes) {
    const TScopeExit idleOnFailure([this] {
        if (!std::uncaught_exceptions()) return;
        FDevice->AbortRawDoc();
        FPrinting = false;
    });
    FDevice->WriteRaw(bytes);
}

void TvrPrinter::EndRawDocument() {
    const TScopeExit idle([this] { FPrinting = false; });
    if (FDevice->Printing()) FDevice->EndRawDoc();
}

void TvrPrinter::ShowPropertiesDialog() {
    if (!Apply()) return;
    const Integer remembered = FDevMode.Duplex;
    if (!ShowPrinterProperties(*FDevice)) return;
    FDevMode.Orientation = FDevice->Orientation();
    FDevMode.Paper = FDevice->Paper();
    FDevMode.Duplex = FDevice->Duplex();
    FDevMode.Bin = DMBIN_AUTO;
    for (const TTrayInfo& tray : FDevice->Trays())
        if (tray.Name == FDevice->Tray()) FDevMode.Bin = tray.Number;
    ChosenBin = FDevMode.Bin;
    if (FDevMode.Duplex != remembered) ChosenDuplex = FDevMode.Duplex;
    ReadMetrics();
}
