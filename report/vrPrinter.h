// The report library's view of printers: one process-wide list (GetPrinters) of printer objects,
// one per name the platform's printer offers (the CUPS queues, then "PDF"), one of them current;
// with no name at all a single virtual printer answers from the paper table. All sizes and
// margins here are millimetres.
//
// A document: StartDocument, then per page SetPaperForPrint as needed, StartPage, drawing on
// PrinterCanvas(), EndPage; finally EndDocument, or AbortDocument to abandon it. A RAW document:
// StartRawDocument, WriteRawData any number of times, EndRawDocument. A call that fails (an
// output file that cannot be written, a job the queue refuses, bytes the queue does not take)
// raises EPrinter once the printer is idle again, so the caller need not clean up.
#pragma once

#include "gui/Printers.h"
#include "report/vrClassOptions.h"
#include "rtl/StringList.h"

#include <functional>
#include <memory>
#include <vector>

// The platform printer's canvas already keeps an assigned font's point size at its resolution.
using TvrPrinterCanvas = TCanvas;

// What a printer is set to; applied to the platform printer before each use. Custom sizes are
// portrait millimetres; Duplex is a DMDUP number, Bin a DMBIN number (7: the queue's default).
struct TvrDevMode {
    Integer Paper = DMPAPER_A4;
    Extended PaperWidth = 0, PaperHeight = 0;
    TPrinterOrientation Orientation = poPortrait;
    Integer Copies = 1;
    Integer Duplex = DMDUP_SIMPLEX;
    Integer Bin = DMBIN_AUTO;
};

class TvrCustomPrinter : public TObject {
public:
    TvrCustomPrinter(const String& name, const String& port);
    ~TvrCustomPrinter() override;
    String ClassName() const override { return "TvrCustomPrinter"; }

    // Reads DPI, defaults, papers and bins (once; an invalid printer is tried again next time).
    virtual void LoadPrinterInfo() = 0;
    virtual void AbortDocument() = 0;
    virtual void StartDocument() = 0;
    virtual void StartPage() = 0;
    virtual void StartRawDocument() = 0;
    virtual void EndDocument() = 0;
    virtual void EndPage() = 0;
    virtual void EndRawDocument() = 0;
    virtual void WriteRawData(const std::string& bytes) = 0;
    // The page format used for layout.
    virtual void SetPaperForView(Integer paper, TPrinterOrientation orientation, Extended width,
                                 Extended height) = 0;
    // The format of the next page printed.
    virtual void SetPaperForPrint(Integer paper, TPrinterOrientation orientation, Integer copies,
                                  TvrDuplexMode duplex, Integer bin, Extended width, Extended height) = 0;
    virtual void ShowPropertiesDialog() = 0;

    // The index of the list item whose number is given; -1 when none.
    Integer IndexOfBin(Integer bin) const;
    Integer IndexOfPaper(Integer paper) const;
    // The number of the first item of that name (case ignored); an unknown name gives the first
    // item's number (7 for bins, 256 for papers).
    Integer BinNameToNumber(const String& name) const;
    Integer PaperNameToNumber(const String& name) const;

    const String& PrinterName() const { return FName; }
    const String& PortName() const { return FPort; }
    // Bin names with their numbers as objects, "预设" (7) first; paper names likewise, "自定"
    // (256) first.
    TStringList* BinList() const { return FBins.get(); }
    TStringList* PaperList() const { return FPapers.get(); }
    virtual TvrPrinterCanvas* PrinterCanvas() = 0;
    TPoint DPI() const { return FDPI; }

    Integer DefPaper() const { return FDefPaper; }
    Integer DefBin() const { return FDefBin; }
    Integer DefDuplex() const { return FDefDuplex; }
    TPrinterOrientation DefOrientation() const { return FDefOrientation; }
    Extended DefPaperWidth() const { return FDefPaperWidth; }
    Extended DefPaperHeight() const { return FDefPaperHeight; }

    Integer Paper() const { return FPaper; }
    TPrinterOrientation Orientation() const { return FOrientation; }
    // The paper as oriented, and the unprintable border of the device.
    Extended PaperWidth() const { return FPaperWidth; }
    Extended PaperHeight() const { return FPaperHeight; }
    Extended LeftMargin() const { return FLeftMargin; }
    Extended TopMargin() const { return FTopMargin; }
    Extended RightMargin() const { return FRightMargin; }
    Extended BottomMargin() const { return FBottomMargin; }

    // Chosen in the properties dialog (-1: not chosen); they override what a report asks until
    // the document ends.
    Integer ChosenBin = -1;
    Integer ChosenDuplex = -1;
    // The next document's title and output file ("" prints to the printer).
    String Title;
    String FileName;
    bool Printing() const { return FPrinting; }
    bool Initialized() const { return FInitialized; }

protected:
    void AddBin(const String& name, Integer number);
    void AddPaper(const String& name, Integer number);
    String FName, FPort;
    std::unique_ptr<TStringList> FBins, FPapers;
    TPoint FDPI;
    Integer FDefPaper = DMPAPER_A4, FDefBin = DMBIN_AUTO, FDefDuplex = DMDUP_SIMPLEX;
    TPrinterOrientation FDefOrientation = poPortrait;
    Extended FDefPaperWidth = 210, FDefPaperHeight = 297;
    Integer FPaper = DMPAPER_A4;
    TPrinterOrientation FOrientation = poPortrait;
    Extended FPaperWidth = 210, FPaperHeight = 297;
    Extended FLeftMargin = 0, FTopMargin = 0, FRightMargin = 0, FBottomMargin = 0;
    bool FPrinting = false;
    bool FInitialized = false;
};

// A printer of the platform: owns a platform printer set to its name.
class TvrPrinter : public TvrCustomPrinter {
public:
    TvrPrinter(const String& name, const String& port);
    ~TvrPrinter() override;
    String ClassName() const override { return "TvrPrinter"; }

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
    // Our properties dialog (paper, orientation, duplex, tray) through the Interaction service.
    // On OK the tray becomes ChosenBin and a changed duplex ChosenDuplex; Cancel changes nothing.
    void ShowPropertiesDialog() override;
    TvrPrinterCanvas* PrinterCanvas() override;

    const TvrDevMode& DevMode() const { return FDevMode; }
    TPrinter* Device() const { return FDevice.get(); }

private:
    // Selects the printer's name on the platform printer and applies the record; false when the
    // platform has no printer of that name.
    bool Apply();
    // Reads DPI, paper and margins from the platform's metrics; shows "Printer selected is not
    // valid" and gives false when the printer has no resolution.
    bool ReadMetrics();
    // The tray keyword of a bin number ("" for the queue's default).
    String TrayOfBin(Integer bin) const;
    // Puts the document state back after the document ended or failed.
    void Finish();
    std::unique_ptr<TPrinter> FDevice;
    TvrDevMode FDevMode;
    bool FPageStarted = false;
};

// The printer that stands in when there is none: the paper table at 600 dpi; documents do nothing.
class TvrVirtualPrinter : public TvrCustomPrinter {
public:
    TvrVirtualPrinter(const String& name, const String& port);
    ~TvrVirtualPrinter() override;
    String ClassName() const override { return "TvrVirtualPrinter"; }

    void LoadPrinterInfo() override;
    void AbortDocument() override {}
    void StartDocument() override {}
    void StartPage() override {}
    void StartRawDocument() override {}
    void EndDocument() override {}
    void EndPage() override {}
    void EndRawDocument() override {}
    void WriteRawData(const std::string&) override {}
    void SetPaperForView(Integer paper, TPrinterOrientation orientation, Extended width,
                         Extended height) override;
    void SetPaperForPrint(Integer paper, TPrinterOrientation orientation, Integer copies,
                          TvrDuplexMode duplex, Integer bin, Extended width, Extended height) override;
    void ShowPropertiesDialog() override {}
    // Measures at 600 dpi and draws nothing.
    TvrPrinterCanvas* PrinterCanvas() override;

private:
    std::unique_ptr<TPrinter> FMeasure;
};

// The printer names the list is made from, with the default one.
struct TvrPrinterNames {
    std::vector<String> Names;
    String DefaultName;
};
using TvrPrinterNamesReader = std::function<TvrPrinterNames()>;
// Makes the printer object of a name and its port.
using TvrPrinterMaker =
    std::function<std::unique_ptr<TvrCustomPrinter>(const String& name, const String& port)>;

class TvrPrinters : public TObject {
public:
    TvrPrinters();
    ~TvrPrinters() override;
    String ClassName() const override { return "TvrPrinters"; }

    // Reads the names the list is made from through the given reader (nullptr: the platform's);
    // gives the previous one. Fill reads them anew.
    static TvrPrinterNamesReader SetNamesReader(TvrPrinterNamesReader reader);
    // Makes the printer objects through the given maker (nullptr: a TvrPrinter per name); gives
    // the previous one. Fill makes them anew.
    static TvrPrinterMaker SetPrinterMaker(TvrPrinterMaker maker);
    // Frees the printers and makes the list anew: one printer per name, the default current (the
    // first when the default is not listed); with no name a virtual printer "虚拟".
    void Fill();
    void Clear();

    const TStringList& PrinterNames() const { return *FNames; }
    Integer Count() const { return static_cast<Integer>(FPrinters.size()); }
    // The printer at the index; nullptr for any index outside the list.
    TvrCustomPrinter* Items(Integer index) const;
    // The first printer of that name (case ignored); -1 when none.
    Integer IndexOf(const String& name) const;
    Integer ActivePrinterIndex() const { return FActiveIndex; }
    // -1 selects the default printer; an index outside the list is refused (nothing changes);
    // the printer chosen is initialised.
    void SetActivePrinterIndex(Integer index);
    TvrCustomPrinter* CurrentPrinter() const { return Items(FActiveIndex); }
    bool PhysicalPrintersFound() const { return FPhysicalPrintersFound; }
    // The default printer's name as the names reader gave it.
    const String& DefaultPrinterName() const { return FDefaultName; }

private:
    std::vector<std::unique_ptr<TvrCustomPrinter>> FPrinters;
    std::unique_ptr<TStringList> FNames;
    Integer FActiveIndex = -1;
    bool FPhysicalPrintersFound = false;
    String FDefaultName;
};

// The process-wide list, made on first use.
TvrPrinters& GetPrinters();
