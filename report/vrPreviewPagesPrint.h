// Internal to printing prepared pages: the run state of one print job and the sheet arithmetic
// of the split and join modes. Sizes are millimetres unless a name says dots.
#pragma once

#include "report/vrPreviewPages.h"
#include "report/vrPrinter.h"

#include <vector>

class TvrReportPage;

// The message of a page or sheet with a side of 0 or less.
inline constexpr const char* vrInvalidPaperSize = "Invalid paper size";

// The pages a page-number text chooses: its numbers in the order written. Given tells a text
// that names pages from one that is empty (all pages): a given text whose numbers are all out
// of range chooses no page.
struct TvrPageNumbers {
    std::vector<Integer> Numbers;
    bool Given = false;
    // Whether the 1-based page number is chosen.
    bool Contains(Integer number) const;
};
TvrPageNumbers vrPageList(const String& text, Integer pageCount);

// A page cut into pieces along one side: the whole number of units in the length, one more when
// what is left over is 11 mm or more, else the length over the unit rounded.
Integer vrSplitPieces(Extended length, Extended unit);
// Pages side by side along a sheet's side: as many as overhang it by less than 11 mm, at least one.
Integer vrJoinCells(Extended length, Extended unit);

// How a page lies on sheets (split) or pages lie on a sheet (join): columns and rows as printed,
// and whether the sheet is turned to landscape.
struct TvrSheetLayout {
    Integer Across = 1, Down = 1;
    bool Turned = false;
};

// The unprintable border of a portrait sheet.
struct TvrSheetMargins {
    Extended Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// A page of pageWidth x pageHeight on portrait sheets of sheetWidth x sheetHeight: the sheet is
// turned when that takes fewer sheets; then a side cut into more than one piece is counted again
// with each piece less the overlap and the margins across that side of the sheet as printed.
TvrSheetLayout vrSplitLayout(Extended pageWidth, Extended pageHeight, Extended sheetWidth,
                             Extended sheetHeight, const TvrSheetMargins& margins, Extended overlap);
// Pages of pageWidth x pageHeight on a portrait sheet of sheetWidth x sheetHeight: the
// arrangement, portrait or turned, that holds more pages (portrait when both hold as many).
TvrSheetLayout vrJoinLayout(Extended sheetWidth, Extended sheetHeight, Extended pageWidth,
                            Extended pageHeight);

// One print job over the prepared pages on a printer, following the report's print options.
// Run prints everything (copies, collation, the print mode); an error of the printer or of the
// drawing aborts a started document and passes on. The store's CopyNo and PrintScale are the
// caller's to reset.
class TvrPrintJob {
public:
    TvrPrintJob(TvrPreviewPages& pages, TvrCustomPrinter& printer, TvrDuplexMode duplexOverride);
    // False, with the message shown, when a page or the sheet has a side of 0 or less: nothing
    // is printed then.
    bool CheckSizes();
    void Run();
    Integer SheetsPrinted() const { return FSheetsPrinted; }

private:
    // The pages chosen by the page list, in order; with parity and order applied for the modes
    // that walk pages one by one.
    std::vector<Integer> ChosenPages(bool parityAndOrder) const;
    bool PaperOf(Integer index, Extended& width, Extended& height);
    // The sequence of pmDefault and pmScale, and of pmSplit: false when termination stopped it.
    bool RunPages();
    bool PrintWholePage(Integer index, TvrReportPage* page);
    bool PrintPageInPieces(Integer index, TvrReportPage* page);
    void RunJoin();
    // Steps 1 to 4 of each page: termination, the page rebuilt, the copy and OnPrintPage, bin
    // and duplex. nullptr when the page is skipped or the job stops (Stopped()).
    TvrReportPage* TakePage(Integer index);
    void SendPaper(Integer paper, TPrinterOrientation orientation, Extended width, Extended height);
    void StartDocumentOnce();
    void AbortDocument();
    // After a page's sheets: messages, the count, the page cache.
    void FinishSheet();
    void BlankSheet();
    void ProcessMessages();
    Extended DotsX(Extended mm) const;
    Extended DotsY(Extended mm) const;

    TvrPreviewPages& FPages;
    TvrReport* FReport;
    TvrPrintOptions& FOptions;
    TvrCustomPrinter& FPrinter;
    TvrDuplexMode FDuplexOverride;
    Integer FCopies;
    TvrPageNumbers FList;
    bool FDocumentStarted = false;
    bool FStopped = false;
    Integer FCurrentCopy = 0;
    Integer FSheetsPrinted = 0;
    bool FAlternation = false;
    // The sheet of the modes other than pmDefault, portrait, and its border.
    Extended FSheetWidth = 0, FSheetHeight = 0;
    TvrSheetMargins FSheetMargins;
    // What the current page asks for, and what was last sent to the printer.
    Integer FBin = 0, FSheetCopies = 1;
    TvrDuplexMode FDuplex = dmNone;
    struct TSent {
        Integer Paper = -1, Width = 0, Height = 0, Bin = -1;
        TPrinterOrientation Orientation = poPortrait;
        TvrDuplexMode Duplex = dmNone;
    } FSent;
};
