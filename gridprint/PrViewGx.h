// TPrinterPreview: the page recorder of grid printing. It overrides every printer operation:
// each page of a document is recorded into a metafile of its own, measured against a printer
// object the recorder owns; the preview box it reports to shows and prints the recorded pages.
// Without an installed printer the recorder measures a fixed page of 4676 x 6744 pixels at 600
// pixels per inch with unprintable borders of 130 (left) and 150 (top).
#pragma once

#include "gridprint/PrntsGx.h"
#include "gui/Metafile.h"

#include <memory>
#include <vector>

class TPreviewBox;
class TPrintDBGridGx;

class TPrinterPreview : public TVirtualPrinter {
public:
    TPrinterPreview();
    ~TPrinterPreview() override;
    String ClassName() const override { return "TPrinterPreview"; }

    // The page a recorder measures when no printer is installed.
    static constexpr int NoPrinterPageWidth = 4676;
    static constexpr int NoPrinterPageHeight = 6744;
    static constexpr int NoPrinterDpi = 600;
    static constexpr int NoPrinterOffsetX = 130;
    static constexpr int NoPrinterOffsetY = 150;

    void SetPreviewBox(TPreviewBox* box) { FPreviewBox = box; }
    TPreviewBox* PreviewBox() const { return FPreviewBox; }
    void SetSetupHook(const TNotifyEvent& hook) { FSetupHook = hook; }
    const TNotifyEvent& SetupHook() const { return FSetupHook; }
    void SetPendingGridPrinter(TPrintDBGridGx* component) { FPendingGridPrinter = component; }
    TPrintDBGridGx* PendingGridPrinter() const { return FPendingGridPrinter; }
    TPrinter* OwnPrinter() const { return FOwnPrinter.get(); }
    // Whether the own printer lists an installed printer.
    virtual bool HasPrinter();
    // The recorded pages (complete ones and, during a document, the one being recorded).
    int RecordedPageCount() const { return static_cast<int>(FPages.size()); }
    TMetafile* RecordedPage(int n) const;
    // Draws page n (1-based) on the canvas at (0, 0) at its recorded size.
    void DrawPage(TCanvas* canvas, int n);
    // The unprintable border of the page at the left and top.
    int OffsetX();
    int OffsetY();

    bool Aborted() override { return FAborted; }
    TCanvas* Canvas() override;
    int Capabilities() override;
    std::vector<String> Fonts() override;
    TCanvas* Handle() override;
    int Copies() override;
    TPrinterOrientation Orientation() override;
    int PageHeight() override;
    int PageWidth() override;
    int PageNumber() override { return FPageNumber; }
    bool Printing() override { return FPrinting; }
    String Title() override;
    int PaperWidth() override;
    int PaperHeight() override;
    int PrinterIndex() override;
    std::vector<String> Printers() override;
    int DpiX() override;
    int DpiY() override;
    void SetPrinterIndex(int index) override;
    void SetCopies(int copies) override;
    void SetOrientation(TPrinterOrientation orientation) override;
    void SetTitle(const String& title) override;
    void Abort() override { FAborted = true; }
    void BeginDoc() override;
    void EndDoc() override;
    void NewPage() override;
    void GetPrinter(String& device, String& driver, String& port) override;
    void SetPrinter(const String& device, const String& driver, const String& port) override;

protected:
    TPrinter* Target() override { return FOwnPrinter.get(); }

private:
    void OpenPageCanvas();
    void ClosePageCanvas();
    int FontDpi();

    bool FAborted = false;
    std::unique_ptr<TMetafileCanvas> FPageCanvas;
    std::vector<std::unique_ptr<TMetafile>> FPages;
    TNotifyEvent FSetupHook;
    int FPageNumber = 0;
    TPreviewBox* FPreviewBox = nullptr;
    std::unique_ptr<TPrinter> FOwnPrinter;
    TPrintDBGridGx* FPendingGridPrinter = nullptr;
    bool FPrinting = false;
};
