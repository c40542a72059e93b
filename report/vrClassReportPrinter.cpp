// The report's printer (the one its print options name) and its export of the prepared pages.
#include "report/vrClassReport.h"
#include "report/vrPrinter.h"

void TvrReport::SelectPrinter() {
    TvrPrinters& printers = GetPrinters();
    const Integer index = printers.IndexOf(FPrintOptions->Printer);
    if (index != -1) printers.SetActivePrinterIndex(index);
}

bool TvrReport::Export(TvrCustomExportFilter* Filter) {
    return FPreparedPages && FPreparedPages->SendToExportFilter(Filter);
}
