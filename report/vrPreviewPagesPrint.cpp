// Printing prepared pages: SendToPrinter (the printer, the print dialog, the report's events) and
// the print job's walk over the pages for the default and scaled modes, with copies, collation,
// odd or even pages, order and duplex.
#include "report/vrPreviewPagesPrint.h"

#include "gui/Forms.h"
#include "report/vrClassPage.h"
#include "report/vrClassReport.h"
#include "report/vrPrintDialog.h"
#include "report/vrRes.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"

#include <algorithm>
#include <cmath>

namespace {

// The document title: the report's name, else its file name.
String DocumentTitle(TvrReport* report) {
    const String& name = report->ReportOptions()->Name;
    return name.empty() ? report->LayoutFileName : name;
}

Integer RoundMillimetres(Extended mm) {
    return static_cast<Integer>(std::nearbyint(mm));
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Page lists

bool TvrPageNumbers::Contains(Integer number) const {
    return std::find(Numbers.begin(), Numbers.end(), number) != Numbers.end();
}

TvrPageNumbers vrPageList(const String& text, Integer pageCount) {
    TvrPageNumbers result;
    TStringList numbers;
    ParsePageList(text, numbers, pageCount);
    for (Integer i = 0; i < numbers.Count(); ++i)
        result.Numbers.push_back(StrToInt(numbers[i]));
    result.Given = text.find_first_not_of(' ') != String::npos;
    return result;
}

// ---------------------------------------------------------------------------------------------
// SendToPrinter

bool TvrPreviewPages::SendToPrinter() {
    TvrReport* report = Report();
    if (!report) return false;
    TvrPrinters& printers = GetPrinters();
    if (!printers.PhysicalPrintersFound()) {
        ShowErrorMessage(GetResources().GetString("clNoPrinters"));
        return false;
    }
    PrintScale = 1;
    TvrPrintOptions* options = report->PrintOptions();
    TvrCustomExportFilter* dotMatrix = report->DotMatrixReport ? vrDotMatrixExportFilter() : nullptr;
    if (dotMatrix) {
        report->SelectPrinter();
        dotMatrix->ShowDialog = options->ShowDialog;
        dotMatrix->PageRange = options->PageNumbers;
        return SendToExportFilter(dotMatrix);
    }

    // Whatever the dialog changes is the job's only; the duplex chosen in it stays.
    TvrPrintOptions saved;
    saved.Assign(options);
    TvrDuplexMode duplexOverride = options->DuplexOverride;
    const TScopeExit restore([&] {
        options->Assign(&saved);
        options->DuplexOverride = duplexOverride;
        CopyNo = 0;
        PrintScale = 1;
    });
    report->SelectPrinter();
    bool dialogRan = false;
    if (options->ShowDialog) {
        TvrPrintDialog dialog(nullptr);
        dialog.EditedReport = report;
        dialog.DuplexChoice = duplexOverride;
        if (dialog.ShowModal() != mrOk) return false;
        duplexOverride = dialog.DuplexChoice;
        dialogRan = true;
    }
    // The dialog leaves the file it asked for (or none) in the printer; without it the options
    // name the file.
    TvrCustomPrinter* printer = printers.CurrentPrinter();
    if (!dialogRan) printer->FileName = options->OutputFileName;

    if (report->OnPrintReport) report->OnPrintReport(report);
    const TScopeExit afterPrint([report] {
        if (report->OnAfterPrintReport) report->OnAfterPrintReport(report);
    });
    report->DoNotifyEvent(report, report->OnReportPrint, true);
    if (!printer->Initialized()) {
        ShowErrorMessage("Printer selected is not valid");
        return false;
    }
    TvrPrintJob job(*this, *printer, duplexOverride);
    ClearPageCache();
    if (!job.CheckSizes()) return false;
    job.Run();
    return true;
}

// ---------------------------------------------------------------------------------------------
// The job

TvrPrintJob::TvrPrintJob(TvrPreviewPages& pages, TvrCustomPrinter& printer, TvrDuplexMode duplexOverride)
    : FPages(pages), FReport(pages.Report()), FOptions(*pages.Report()->PrintOptions()), FPrinter(printer),
      FDuplexOverride(duplexOverride), FCopies(std::max<Integer>(1, FOptions.Copies)),
      FList(vrPageList(FOptions.PageNumbers, pages.GetPageCount())) {
    if (FOptions.PrintMode == pmDefault) return;
    // The sheet of the other modes, portrait, as the printer has it.
    const bool custom = FOptions.PrintOnSheet == DMPAPER_USER;
    FPrinter.SetPaperForView(FOptions.PrintOnSheet, poPortrait, custom ? FPrinter.PaperWidth() : 0,
                             custom ? FPrinter.PaperHeight() : 0);
    FSheetWidth = FPrinter.PaperWidth();
    FSheetHeight = FPrinter.PaperHeight();
    FSheetMargins = {FPrinter.LeftMargin(), FPrinter.TopMargin(), FPrinter.RightMargin(),
                     FPrinter.BottomMargin()};
}

std::vector<Integer> TvrPrintJob::ChosenPages(bool parityAndOrder) const {
    const Integer pageCount = FPages.GetPageCount();
    const Integer positions = !FList.Numbers.empty() ? static_cast<Integer>(FList.Numbers.size())
                              : FList.Given          ? 0
                                                     : pageCount;
    std::vector<Integer> chosen;
    for (Integer k = 0; k < positions; ++k) {
        const Integer index = FList.Numbers.empty() ? k : FList.Numbers[static_cast<size_t>(k)] - 1;
        if (index < 0 || index >= pageCount) continue;
        if (parityAndOrder && FOptions.PrintPages != ppAll &&
            ((index + 1) % 2 == 0) == (FOptions.PrintPages == ppOdd))
            continue;
        chosen.push_back(index);
    }
    if (parityAndOrder && FOptions.Reverse) std::reverse(chosen.begin(), chosen.end());
    return chosen;
}

// The paper of a page without rebuilding it when it is a copy of a source page.
bool TvrPrintJob::PaperOf(Integer index, Extended& width, Extended& height) {
    const String& name = FPages.PageItem(index)->Name;
    TvrComponent* page = nullptr;
    if (StartsText("page", name) && name.size() > 4) {
        const Integer source = StrToIntDef(name.substr(4), -1);
        if (source >= 0 && source < static_cast<Integer>(FPages.SourcePages().size()))
            page = FPages.SourcePages()[static_cast<size_t>(source)];
    } else {
        page = FPages.GetPreparedPage(index);
    }
    auto* reportPage = dynamic_cast<TvrReportPage*>(page);
    if (!reportPage) return false;
    width = reportPage->PaperWidth();
    height = reportPage->PaperHeight();
    return true;
}

bool TvrPrintJob::CheckSizes() {
    bool valid = FOptions.PrintMode == pmDefault || (FSheetWidth > 0 && FSheetHeight > 0);
    for (Integer index : ChosenPages(false)) {
        Extended width = 0, height = 0;
        if (valid && PaperOf(index, width, height)) valid = width > 0 && height > 0;
    }
    if (!valid) ShowErrorMessage(vrInvalidPaperSize);
    return valid;
}

void TvrPrintJob::Run() {
    FReport->Terminated = false;
    FReport->ProgressStart(ptPrinting);
    const TScopeExit stop([this] {
        // A document left open by an error is abandoned; the error passes on.
        if (std::uncaught_exceptions() && FPrinter.Printing()) FPrinter.AbortDocument();
        FReport->ProgressStop(ptPrinting);
    });
    FPrinter.Title = DocumentTitle(FReport);
    if (FOptions.PrintMode == pmJoin) {
        // The join mode puts the copies in cells of their own.
        RunJoin();
    } else if (FOptions.Collate) {
        for (FCurrentCopy = 1; FCurrentCopy <= FCopies; ++FCurrentCopy) {
            if (!RunPages()) break;
            // Every copy starts on a front side.
            if (FCurrentCopy < FCopies && FAlternation && FDocumentStarted) BlankSheet();
        }
    } else {
        RunPages();
    }
    if (FDocumentStarted) {
        FDocumentStarted = false;
        FPrinter.EndDocument();
    }
}

bool TvrPrintJob::RunPages() {
    for (Integer index : ChosenPages(true)) {
        TvrReportPage* page = TakePage(index);
        if (FStopped) return false;
        if (!page) continue;
        if (FOptions.PrintMode == pmSplit ? !PrintPageInPieces(index, page) : !PrintWholePage(index, page))
            return false;
    }
    return true;
}

TvrReportPage* TvrPrintJob::TakePage(Integer index) {
    if (FReport->Terminated) {
        AbortDocument();
        return nullptr;
    }
    auto* page = dynamic_cast<TvrReportPage*>(FPages.GetPreparedPage(index));
    if (!page) return nullptr;
    if (FOptions.Collate) {
        FPages.CopyNo = FCurrentCopy;
        FSheetCopies = 1;
    } else {
        FPages.CopyNo = 1;
        FSheetCopies = FCopies;
    }
    if (FReport->OnPrintPage) FReport->OnPrintPage(page, FPages.CopyNo);
    FBin = index == 0 ? page->Bin : page->BinOtherPages;
    const TvrDuplexMode duplex = FDuplexOverride != dmNone ? FDuplexOverride : page->Duplex;
    // The flag tells a sheet printed on its front only, so that the next copy needs a blank back.
    if (duplex != FDuplex) FAlternation = false;
    if (duplex == dmVertical || duplex == dmHorizontal) FAlternation = !FAlternation;
    FDuplex = duplex;
    return page;
}

bool TvrPrintJob::PrintWholePage(Integer index, TvrReportPage* page) {
    const bool scale = FOptions.PrintMode == pmScale;
    const TPrinterOrientation orientation = page->Orientation();
    if (scale) {
        if (!FDocumentStarted || FBin != FSent.Bin || orientation != FSent.Orientation ||
            FDuplex != FSent.Duplex) {
            const bool turned = orientation == poLandscape;
            SendPaper(FOptions.PrintOnSheet, orientation, turned ? FSheetHeight : FSheetWidth,
                      turned ? FSheetWidth : FSheetHeight);
        }
    } else if (!FDocumentStarted || page->PaperSize() != FSent.Paper ||
               RoundMillimetres(page->PaperWidth()) != FSent.Width ||
               RoundMillimetres(page->PaperHeight()) != FSent.Height || FBin != FSent.Bin ||
               orientation != FSent.Orientation || FDuplex != FSent.Duplex) {
        SendPaper(page->PaperSize(), orientation, page->PaperWidth(), page->PaperHeight());
    }
    StartDocumentOnce();
    FPrinter.StartPage();
    Extended sx = 1, sy = 1;
    FPages.PrintScale = 1;
    if (scale) {
        // The sheet as the printer turned it.
        sx = FPrinter.PaperWidth() / page->PaperWidth();
        sy = FPrinter.PaperHeight() / page->PaperHeight();
        FPages.PrintScale = std::min(sx, sy);
    }
    const TPoint dpi = FPrinter.DPI();
    FPages.PaintPage(index, FPrinter.PrinterCanvas(), sx * dpi.X / 96, sy * dpi.Y / 96,
                     -DotsX(FPrinter.LeftMargin()), -DotsY(FPrinter.TopMargin()));
    FReport->ProgressStep(ptPrinting, index + 1);
    FPrinter.EndPage();
    FinishSheet();
    return true;
}

void TvrPrintJob::SendPaper(Integer paper, TPrinterOrientation orientation, Extended width, Extended height) {
    FPrinter.SetPaperForPrint(paper, orientation, FSheetCopies, FDuplex, FBin, width, height);
    FSent.Paper = paper;
    FSent.Width = RoundMillimetres(width);
    FSent.Height = RoundMillimetres(height);
    FSent.Bin = FBin;
    FSent.Orientation = orientation;
    FSent.Duplex = FDuplex;
}

void TvrPrintJob::StartDocumentOnce() {
    if (FDocumentStarted) return;
    FPrinter.StartDocument();
    FDocumentStarted = true;
}

void TvrPrintJob::AbortDocument() {
    FStopped = true;
    if (!FDocumentStarted) return;
    FDocumentStarted = false;
    FPrinter.AbortDocument();
}

void TvrPrintJob::FinishSheet() {
    ProcessMessages();
    ++FSheetsPrinted;
    FPages.ClearPageCache();
}

void TvrPrintJob::BlankSheet() {
    FPrinter.StartPage();
    FPrinter.EndPage();
    ++FSheetsPrinted;
    FAlternation = false;
}

void TvrPrintJob::ProcessMessages() {
    if (!FReport->EngineOptions()->HeadlessMode) Application()->ProcessMessages();
}

Extended TvrPrintJob::DotsX(Extended mm) const {
    return mm * FPrinter.DPI().X / 25.4L;
}

Extended TvrPrintJob::DotsY(Extended mm) const {
    return mm * FPrinter.DPI().Y / 25.4L;
}
