#include "gridprint/PrntsGx.h"

TPrinter* TVirtualPrinter::Target() {
    return Printer();
}

bool TVirtualPrinter::Aborted() {
    return Target()->Aborted();
}
TCanvas* TVirtualPrinter::Canvas() {
    return Target()->Canvas();
}
int TVirtualPrinter::Capabilities() {
    return Target()->Capabilities();
}
std::vector<String> TVirtualPrinter::Fonts() {
    return Target()->Fonts();
}
TCanvas* TVirtualPrinter::Handle() {
    return Target()->Canvas();
}
int TVirtualPrinter::Copies() {
    return Target()->Copies();
}
TPrinterOrientation TVirtualPrinter::Orientation() {
    return Target()->Orientation();
}
int TVirtualPrinter::PageHeight() {
    return Target()->PageHeight();
}
int TVirtualPrinter::PageWidth() {
    return Target()->PageWidth();
}
int TVirtualPrinter::PageNumber() {
    return Target()->PageNumber();
}
bool TVirtualPrinter::Printing() {
    return Target()->Printing();
}
String TVirtualPrinter::Title() {
    return Target()->Title();
}
int TVirtualPrinter::PaperWidth() {
    return Target()->PageWidth() + 2 * Target()->OffsetX();
}
int TVirtualPrinter::PaperHeight() {
    return Target()->PageHeight() + 2 * Target()->OffsetY();
}
int TVirtualPrinter::PrinterIndex() {
    return Target()->PrinterIndex();
}
std::vector<String> TVirtualPrinter::Printers() {
    return Target()->Printers();
}
int TVirtualPrinter::DpiX() {
    return Target()->Canvas()->GetDeviceCaps(LOGPIXELSX);
}
int TVirtualPrinter::DpiY() {
    return Target()->Canvas()->GetDeviceCaps(LOGPIXELSY);
}
void TVirtualPrinter::SetPrinterIndex(int index) {
    Target()->SetPrinterIndex(index);
}
void TVirtualPrinter::SetCopies(int copies) {
    Target()->SetCopies(copies);
}
void TVirtualPrinter::SetOrientation(TPrinterOrientation orientation) {
    Target()->SetOrientation(orientation);
}
void TVirtualPrinter::SetTitle(const String& title) {
    Target()->SetTitle(title);
}
void TVirtualPrinter::Abort() {
    Target()->Abort();
}
void TVirtualPrinter::BeginDoc() {
    Target()->BeginDoc();
}
void TVirtualPrinter::EndDoc() {
    Target()->EndDoc();
}
void TVirtualPrinter::NewPage() {
    Target()->NewPage();
}

void TVirtualPrinter::GetPrinter(String& device, String& driver, String& port) {
    device = Target()->PrinterName();
    driver.clear();
    port.clear();
}

void TVirtualPrinter::SetPrinter(const String& device, const String&, const String&) {
    const std::vector<String>& names = Target()->Printers();
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i] == device) {
            Target()->SetPrinterIndex(static_cast<int>(i));
            return;
        }
    throw EPrinter("Printer selected is not valid");
}
