// The printer objects' common part and the process-wide printer list.
#include "report/vrPrinter.h"

#include "report/vrRes.h"
#include "rtl/FileUtils.h"
#include "rtl/StrUtils.h"

#include <cstdint>

namespace {

// The lists keep bin and paper numbers in their items' objects, as the platform's lists do.
TObject* NumberObject(Integer number) {
    return reinterpret_cast<TObject*>(static_cast<std::intptr_t>(number));
}
Integer ObjectNumber(TObject* object) {
    return static_cast<Integer>(reinterpret_cast<std::intptr_t>(object));
}

Integer IndexOfNumber(const TStringList& list, Integer number) {
    for (Integer i = 0; i < list.Count(); ++i)
        if (ObjectNumber(list.Objects(i)) == number) return i;
    return -1;
}

Integer NumberOfName(const TStringList& list, const String& name) {
    for (Integer i = 0; i < list.Count(); ++i)
        if (AnsiSameText(list.Strings(i), name)) return ObjectNumber(list.Objects(i));
    return ObjectNumber(list.Objects(0));
}

TvrPrinterNamesReader& NamesReader() {
    static TvrPrinterNamesReader reader;
    return reader;
}

TvrPrinterMaker& PrinterMaker() {
    static TvrPrinterMaker maker;
    return maker;
}

// The platform's printer names: the CUPS queues, then "PDF".
TvrPrinterNames PlatformPrinterNames() {
    TPrinter printer;
    return {printer.Printers(), printer.DefaultPrinterName()};
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TvrCustomPrinter

TvrCustomPrinter::TvrCustomPrinter(const String& name, const String& port)
    : FName(name), FPort(port), FBins(std::make_unique<TStringList>()),
      FPapers(std::make_unique<TStringList>()) {
    FBins->AddObject(GetResources().GetString("prDefault"), NumberObject(DMBIN_AUTO));
    FPapers->AddObject(GetResources().GetString("prCustom"), NumberObject(DMPAPER_USER));
}

TvrCustomPrinter::~TvrCustomPrinter() = default;

Integer TvrCustomPrinter::IndexOfBin(Integer bin) const {
    return IndexOfNumber(*FBins, bin);
}

Integer TvrCustomPrinter::IndexOfPaper(Integer paper) const {
    return IndexOfNumber(*FPapers, paper);
}

Integer TvrCustomPrinter::BinNameToNumber(const String& name) const {
    return NumberOfName(*FBins, name);
}

Integer TvrCustomPrinter::PaperNameToNumber(const String& name) const {
    return NumberOfName(*FPapers, name);
}

void TvrCustomPrinter::AddBin(const String& name, Integer number) {
    FBins->AddObject(name, NumberObject(number));
}

void TvrCustomPrinter::AddPaper(const String& name, Integer number) {
    FPapers->AddObject(name, NumberObject(number));
}

// ---------------------------------------------------------------------------------------------
// TvrPrinters

TvrPrinters::TvrPrinters() : FNames(std::make_unique<TStringList>()) {
    Fill();
}

TvrPrinters::~TvrPrinters() {
    Clear();
}

TvrPrinterNamesReader TvrPrinters::SetNamesReader(TvrPrinterNamesReader reader) {
    TvrPrinterNamesReader previous = NamesReader();
    NamesReader() = std::move(reader);
    return previous;
}

TvrPrinterMaker TvrPrinters::SetPrinterMaker(TvrPrinterMaker maker) {
    TvrPrinterMaker previous = PrinterMaker();
    PrinterMaker() = std::move(maker);
    return previous;
}

void TvrPrinters::Clear() {
    FPrinters.clear();
    FNames->Clear();
    FActiveIndex = -1;
}

void TvrPrinters::Fill() {
    Clear();
    const TvrPrinterNames names = NamesReader() ? NamesReader()() : PlatformPrinterNames();
    FDefaultName = names.DefaultName;
    for (const String& name : names.Names) {
        // The PDF printer's port is the folder its files go to.
        const String port = name == TPrinter::PdfPrinterName ? GetTempDir() : String();
        FPrinters.push_back(PrinterMaker() ? PrinterMaker()(name, port)
                                           : std::make_unique<TvrPrinter>(name, port));
        FNames->Add(name);
    }
    FPhysicalPrintersFound = !FPrinters.empty();
    if (FPhysicalPrintersFound) {
        SetActivePrinterIndex(-1);
        if (FActiveIndex < 0) SetActivePrinterIndex(0);
        return;
    }
    FPrinters.push_back(std::make_unique<TvrVirtualPrinter>(GetResources().GetString("prVirtual"), String()));
    FNames->Add(FPrinters.back()->PrinterName());
    SetActivePrinterIndex(0);
}

TvrCustomPrinter* TvrPrinters::Items(Integer index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return FPrinters[static_cast<size_t>(index)].get();
}

Integer TvrPrinters::IndexOf(const String& name) const {
    for (Integer i = 0; i < Count(); ++i)
        if (AnsiSameText(FPrinters[static_cast<size_t>(i)]->PrinterName(), name)) return i;
    return -1;
}

void TvrPrinters::SetActivePrinterIndex(Integer index) {
    if (index == -1) index = IndexOf(FDefaultName);
    if (index < -1 || index >= Count()) return;
    FActiveIndex = index;
    if (index >= 0) FPrinters[static_cast<size_t>(index)]->LoadPrinterInfo();
}

TvrPrinters& GetPrinters() {
    static TvrPrinters printers;
    return printers;
}
