#include "gridprint/PrViewGx.h"

#include "gridprint/PrViewGxBox.h"

TPrinterPreview::TPrinterPreview() : FOwnPrinter(std::make_unique<TPrinter>()) {}

TPrinterPreview::~TPrinterPreview() {
    FPageCanvas.reset();
    FPages.clear();
}

bool TPrinterPreview::HasPrinter() {
    return !FOwnPrinter->Printers().empty();
}

TMetafile* TPrinterPreview::RecordedPage(int n) const {
    if (n < 1 || n > static_cast<int>(FPages.size())) return nullptr;
    return FPages[static_cast<size_t>(n - 1)].get();
}

void TPrinterPreview::DrawPage(TCanvas* canvas, int n) {
    TMetafile* page = RecordedPage(n);
    if (page && canvas) canvas->Draw(0, 0, page);
}

int TPrinterPreview::OffsetX() {
    return HasPrinter() ? FOwnPrinter->OffsetX() : NoPrinterOffsetX;
}
int TPrinterPreview::OffsetY() {
    return HasPrinter() ? FOwnPrinter->OffsetY() : NoPrinterOffsetY;
}

// Outside a document there is no page canvas; the own printer's canvas still measures.
TCanvas* TPrinterPreview::Canvas() {
    if (FPageCanvas) return FPageCanvas.get();
    return HasPrinter() ? FOwnPrinter->Canvas() : nullptr;
}

TCanvas* TPrinterPreview::Handle() {
    return FOwnPrinter->Canvas();
}

int TPrinterPreview::Capabilities() {
    return FOwnPrinter->Capabilities();
}
std::vector<String> TPrinterPreview::Fonts() {
    return FOwnPrinter->Fonts();
}
int TPrinterPreview::Copies() {
    return FOwnPrinter->Copies();
}
TPrinterOrientation TPrinterPreview::Orientation() {
    return FOwnPrinter->Orientation();
}
String TPrinterPreview::Title() {
    return FOwnPrinter->Title();
}
int TPrinterPreview::PrinterIndex() {
    return FOwnPrinter->PrinterIndex();
}
std::vector<String> TPrinterPreview::Printers() {
    return FOwnPrinter->Printers();
}
void TPrinterPreview::SetPrinterIndex(int index) {
    FOwnPrinter->SetPrinterIndex(index);
}
void TPrinterPreview::SetCopies(int copies) {
    FOwnPrinter->SetCopies(copies);
}
void TPrinterPreview::SetOrientation(TPrinterOrientation orientation) {
    FOwnPrinter->SetOrientation(orientation);
}
void TPrinterPreview::SetTitle(const String& title) {
    FOwnPrinter->SetTitle(title);
}
void TPrinterPreview::GetPrinter(String& device, String& driver, String& port) {
    TVirtualPrinter::GetPrinter(device, driver, port);
}
void TPrinterPreview::SetPrinter(const String& device, const String& driver, const String& port) {
    TVirtualPrinter::SetPrinter(device, driver, port);
}

int TPrinterPreview::PageWidth() {
    return HasPrinter() ? FOwnPrinter->PageWidth() : NoPrinterPageWidth;
}
int TPrinterPreview::PageHeight() {
    return HasPrinter() ? FOwnPrinter->PageHeight() : NoPrinterPageHeight;
}
int TPrinterPreview::PaperWidth() {
    return PageWidth() + 2 * OffsetX();
}
int TPrinterPreview::PaperHeight() {
    return PageHeight() + 2 * OffsetY();
}
int TPrinterPreview::DpiX() {
    return HasPrinter() ? FOwnPrinter->Canvas()->GetDeviceCaps(LOGPIXELSX) : NoPrinterDpi;
}
int TPrinterPreview::DpiY() {
    return HasPrinter() ? FOwnPrinter->Canvas()->GetDeviceCaps(LOGPIXELSY) : NoPrinterDpi;
}

// Fonts keep their point size and take the smaller of the two resolutions as pixels per inch.
int TPrinterPreview::FontDpi() {
    return std::min(DpiX(), DpiY());
}

void TPrinterPreview::OpenPageCanvas() {
    auto page = std::make_unique<TMetafile>();
    page->SetWidth(PaperWidth());
    page->SetHeight(PaperHeight());
    TMetafile* target = page.get();
    FPages.push_back(std::move(page));
    if (HasPrinter())
        FPageCanvas = std::make_unique<TMetafileCanvas>(target, FOwnPrinter->Canvas());
    else
        FPageCanvas = std::make_unique<TMetafileCanvas>(target, NoPrinterDpi,
                                                        TSize{NoPrinterPageWidth, NoPrinterPageHeight});
    FPageCanvas->Font()->SetPixelsPerInch(FontDpi());
}

void TPrinterPreview::ClosePageCanvas() {
    FPageCanvas.reset();
}

void TPrinterPreview::BeginDoc() {
    ClosePageCanvas();
    FPages.clear();
    OpenPageCanvas();
    FPageNumber = 1;
    FAborted = false;
    FPrinting = true;
    if (FPreviewBox) {
        FPreviewBox->SetPageCountValue(1);
        FPreviewBox->SetCurrentPageValue(1);
        FPreviewBox->DoPrinterPreviewChanged();
    }
}

void TPrinterPreview::NewPage() {
    ClosePageCanvas();
    OpenPageCanvas();
    if (FPreviewBox && FPages.size() == 2) FPreviewBox->RecomputeLayout();
    ++FPageNumber;
    if (FPreviewBox) {
        FPreviewBox->SetPageCountValue(static_cast<int>(FPages.size()) - 1);
        FPreviewBox->DoOpenPreviewer();
        FPreviewBox->DoPrinterPreviewChanged();
    }
}

void TPrinterPreview::EndDoc() {
    ClosePageCanvas();
    FPageNumber = -1;
    FPrinting = false;
    TNotifyEvent hook = std::move(FSetupHook);
    FSetupHook = nullptr;
    TPrintDBGridGx* pending = FPendingGridPrinter;
    FPendingGridPrinter = nullptr;
    if (!FPreviewBox) return;
    FPreviewBox->SetPageCountValue(static_cast<int>(FPages.size()));
    if (FPages.size() == 1) FPreviewBox->RecomputeLayout();
    FPreviewBox->SetSetupHook(hook);
    // The window is brought up before the last change is reported, so that a close asked for
    // while composing (which that report carries out) is not undone by bringing it up again.
    FPreviewBox->DoOpenPreviewer();
    FPreviewBox->SetGridPrinter(pending);
    FPreviewBox->DoPrinterPreviewChanged();
}
