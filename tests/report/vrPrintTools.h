// Test tools of printing prepared pages: a printer that records what a job asks of it and what
// each sheet shows, the scope that makes it the only printer of the list, and a report whose
// pages are told apart by their texts.
#pragma once

#include "report/vrClass.h"
#include "report/vrClassObjects.h"
#include "report/vrPreviewPages.h"
#include "report/vrPreviewPagesPrint.h"
#include "report/vrPrinter.h"

#include <vector>

// A text drawn on a sheet: where (device dots), and the clip in force (empty when none).
struct TPrintedText {
    String Text;
    int X = 0, Y = 0;
    TRect Clip;
    bool Clipped = false;
    int FontHeight = 0;
};

// A canvas at 254 dots per inch (ten dots a millimetre) that takes itself for a printer's and
// keeps the texts drawn on it.
class TSheetCanvas : public TCanvas {
public:
    std::vector<TPrintedText>* Texts = nullptr;
    TSize Size{2000, 2000};

protected:
    void DevTextOut(int x, int y, Cardinal options, const TRect* rect, const WideString& text, const int* dx,
                    bool bkOpaque, TColor bkColor) override;
    int DevCaps(int index) override;
    TSize DevSize() override { return Size; }
};

// A printer that keeps its calls in Log ("start", "paper 9 P copies=1 duplex=dmNone bin=7",
// "page", "end", "enddoc", "abort", "raw start", "raw <bytes>", "raw end") and the texts of each
// sheet in Sheets. Sizes come from the paper table; the margins, given for portrait, turn with
// the sheet.
class TRecordingPrinter : public TvrCustomPrinter {
public:
    TRecordingPrinter(const String& name, const String& port);

    // Set before the printer list is made.
    static TvrSheetMargins& Margins();
    static bool& Valid();
    // StartPage of that sheet (1-based) raises EPrinter, the printer idle; 0: never.
    static int& FailAtSheet();

    std::vector<String> Log;
    std::vector<std::vector<TPrintedText>> Sheets;
    // The pages' texts of each sheet, joined by "|" in the order drawn, page footers left out.
    std::vector<String> SheetTexts(const String& prefix = String()) const;
    // The log without the drawing: start, paper, end ...
    String LogText() const;

    void LoadPrinterInfo() override;
    void AbortDocument() override;
    void StartDocument() override;
    void StartPage() override;
    void StartRawDocument() override;
    void EndDocument() override;
    void EndPage() override;
    void EndRawDocument() override;
    void WriteRawData(const std::string& bytes) override;
    void SetPaperForView(Integer paper, TPrinterOrientation orientation, Extended width,
                         Extended height) override;
    void SetPaperForPrint(Integer paper, TPrinterOrientation orientation, Integer copies,
                          TvrDuplexMode duplex, Integer bin, Extended width, Extended height) override;
    void ShowPropertiesDialog() override {}
    TvrPrinterCanvas* PrinterCanvas() override { return &FCanvas; }

private:
    void SetPaper(Integer paper, TPrinterOrientation orientation, Extended width, Extended height);
    TSheetCanvas FCanvas;
};

// While it lives the printer list holds one TRecordingPrinter named "Recorder" (or the printers
// named), current; afterwards the platform's printers again.
class TRecorderScope {
public:
    explicit TRecorderScope(std::vector<String> names = {"Recorder"});
    ~TRecorderScope();
    TRecordingPrinter* Printer() const;

private:
    TvrPrinterNamesReader FReader;
    TvrPrinterMaker FMaker;
};

// A report built by the engine from code: report pages of the papers asked for, each giving as
// many prepared pages as it has rows, one row a page. Each page has "页眉" in its header, the
// row "<prefix><row>" (P1, P2 ...) and "第 <page> 页，共 <pages> 页" in its footer.
class TPrintReport {
public:
    TPrintReport();
    ~TPrintReport();
    TvrReport Report{nullptr};
    TvrPreviewPages* Pages() const { return static_cast<TvrPreviewPages*>(Report.PreparedPages()); }
    TvrReportPage* AddPage(Integer rows, Integer paper = DMPAPER_A4, const String& prefix = "P",
                           TPrinterOrientation orientation = poPortrait);
    // Prepares the report; the options print without the dialog.
    void Prepare();
};

// Stands in for the dot-matrix export: registers as the dot-matrix filter and prints, on the
// current printer as a raw document, "ESC @", then each text object as a line of bytes in the
// local code page, each page ended by a form feed. Sent keeps the bytes written.
class TDotMatrixStandIn : public TvrCustomExportFilter {
public:
    explicit TDotMatrixStandIn(TComponent* owner);
    std::vector<String> Calls;
    std::string Sent;
    int ShowModal() override;
    bool Start() override;
    void ExportObject(TvrComponent* obj) override;
    void FinishPage(TvrComponent* page, Integer index) override;
    void Finish() override;

private:
    void Write(const std::string& bytes);
};
