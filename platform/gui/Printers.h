// TPrinter: the printers of the desktop (CUPS queues) and a PDF printer that is always there and
// is the default when nothing else is installed. A document is drawn page by page on the
// printer's canvas in device pixels; paper and orientation may change between pages, and a
// change of tray or duplex between pages sends the pages so far as one job and goes on in a new
// job of the same title. RAW documents send bytes unchanged to a queue or a file.
#pragma once

#include "gui/Graphics.h"

#include <memory>
#include <vector>

ORV_DECLARE_EXCEPTION(EPrinter, Exception)

struct TQueueInfo;

enum TPrinterOrientation { poPortrait, poLandscape };
ORV_ENUM(TPrinterOrientation, poPortrait, poLandscape)
enum TPrinterCapability { pcCopies, pcOrientation, pcCollation };

// Paper numbers as the platform numbers them (DMPAPER_*); 256 is a custom size.
enum : int {
    DMPAPER_LETTER = 1,
    DMPAPER_LEGAL = 5,
    DMPAPER_EXECUTIVE = 7,
    DMPAPER_A3 = 8,
    DMPAPER_A4 = 9,
    DMPAPER_A5 = 11,
    DMPAPER_B5 = 13,
    DMPAPER_USER = 256,
};
// Duplex settings (DMDUP_*).
enum : int { DMDUP_SIMPLEX = 1, DMDUP_VERTICAL = 2, DMDUP_HORIZONTAL = 3 };
// Paper trays as the platform numbers them (DMBIN_*); 7 is the printer's own choice, numbers
// from 256 on name trays that have no number of their own.
enum : int {
    DMBIN_UPPER = 1,
    DMBIN_LOWER = 2,
    DMBIN_MIDDLE = 3,
    DMBIN_MANUAL = 4,
    DMBIN_ENVELOPE = 5,
    DMBIN_AUTO = 7,
    DMBIN_TRACTOR = 8,
    DMBIN_LARGECAPACITY = 11,
    DMBIN_CASSETTE = 14,
    DMBIN_USER = 256,
};

struct TPaperInfo {
    int Number = 0; // DMPAPER number, 256 for sizes without one
    String Name;
    double WidthMM = 0; // portrait
    double HeightMM = 0;
};

// A tray of a queue: its DMBIN number, the keyword a job names it by and the text shown.
struct TTrayInfo {
    int Number = 0;
    String Name;
    String Text;
};

class TPrinter : public TObject {
public:
    TPrinter();
    ~TPrinter() override;
    String ClassName() const override { return "TPrinter"; }

    // The name of the PDF printer.
    static const char* const PdfPrinterName;

    // The printer names: the desktop's queues, then the PDF printer.
    const std::vector<String>& Printers();
    // Reads the list of queues again (keeps the selected printer when it is still there).
    void Refresh();
    // The selected printer; -1 selects the default printer. Raises EPrinter "Printer index out of
    // range" for a bad index and "Printing in progress" during a document (a new index only).
    int PrinterIndex();
    void SetPrinterIndex(int index);
    String PrinterName();
    bool IsPdfPrinter();
    // The desktop's default printer (the PDF printer when there is none).
    String DefaultPrinterName();

    // Documents.
    void BeginDoc();
    void NewPage();
    void EndDoc();
    // Abandons the document: nothing is printed and no file is left.
    void Abort();
    bool Printing() const { return FPrinting; }
    bool Aborted() const { return FAborted; }
    int PageNumber() const { return FPageNumber; }
    // The canvas of the page being printed; between documents it measures with the printer's
    // metrics and draws nothing.
    TCanvas* Canvas();

    const String& Title() const { return FTitle; }
    void SetTitle(const String& title) { FTitle = title; }
    int Copies() const { return FCopies; }
    void SetCopies(int copies);
    // Orientation and paper may change while a document is open: the next page takes them.
    TPrinterOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TPrinterOrientation orientation);
    // Dots per inch of the device (600 unless set).
    int Resolution() const { return FResolution; }
    void SetResolution(int dpi);
    // Duplex (DMDUP_*) and tray (a keyword of Trays(), "" for the queue's default) are sent with
    // each job; changed while a document is open, they start a new job with the next page.
    int Duplex() const { return FDuplex; }
    void SetDuplex(int duplex) { FDuplex = duplex; }
    const String& Tray() const { return FTray; }
    void SetTray(const String& name) { FTray = name; }
    // What the selected queue offers: two-sided printing, its default duplex (DMDUP_SIMPLEX when
    // it has none), its trays (the PPD's "InputSlot" choices, else its "media-source" values;
    // none for the PDF printer) and the keyword of its default tray ("" when it names none).
    bool CanDuplex();
    int DefaultDuplex();
    std::vector<TTrayInfo> Trays();
    String DefaultTray();
    // A set of TPrinterCapability bits.
    int Capabilities();

    // Paper: a DMPAPER number (false when the printer does not know it) or a custom size.
    bool SetPaper(int number);
    void SetCustomPaper(double widthMM, double heightMM);
    int Paper() const { return FPaper; }
    std::vector<TPaperInfo> Papers();
    // The queue's default paper (A4 for the PDF printer and queues that name none).
    int DefaultPaper();

    // Device metrics in device pixels: the printable area, the whole paper and the unprintable
    // border at the left and top (GetDeviceCaps HORZRES, PHYSICALWIDTH, PHYSICALOFFSETX ...).
    int PageWidth();
    int PageHeight();
    int PaperWidth();
    int PaperHeight();
    int OffsetX();
    int OffsetY();

    // "Print to file": GDI documents are written to this file as PDF and RAW documents' bytes as
    // they are, instead of going to the printer. The PDF printer always writes to a file: this
    // one, or "<title>.pdf" in the temporary folder when none is set.
    const String& OutputFile() const { return FOutputFile; }
    void SetOutputFile(const String& fileName) { FOutputFile = fileName; }
    // The file the last document went to ("" when it went to a queue).
    const String& LastOutputFile() const { return FLastOutputFile; }

    // RAW documents: bytes unchanged to the queue (CUPS raw) or to the output file. A write the
    // queue or the file does not take whole raises EPrinter.
    void BeginRawDoc();
    void WriteRaw(const void* data, size_t size);
    void WriteRaw(const std::string& bytes) { WriteRaw(bytes.data(), bytes.size()); }
    void EndRawDoc();
    void AbortRawDoc();

    // The font families the printer can print.
    std::vector<String> Fonts();

    struct Impl;

private:
    void LoadMetrics();
    String PdfTarget();
    // The document's next part: a new PDF file (and job) for a queue, the page layout applied.
    void OpenPart();
    // Closes the part being drawn; for a queue sends it as a job with the part's options.
    void SendPart();
    void ResetDocument();
    // What the selected queue offers (nothing for the PDF printer), read once per selection.
    const TQueueInfo& QueueInfo();
    std::unique_ptr<Impl> FImpl;
    std::vector<String> FPrinters;
    int FIndex = -1;
    bool FPrinting = false;
    bool FAborted = false;
    bool FRaw = false;
    int FPageNumber = 0;
    String FTitle;
    int FCopies = 1;
    TPrinterOrientation FOrientation = poPortrait;
    int FResolution = 600;
    int FDuplex = DMDUP_SIMPLEX;
    String FTray;
    int FPaper = DMPAPER_A4;
    double FPaperW = 210;
    double FPaperH = 297;
    double FMarginL = 0, FMarginT = 0, FMarginR = 0, FMarginB = 0; // mm, portrait
    String FOutputFile;
    String FLastOutputFile;
};

// The program's current printer object.
TPrinter* Printer();
// Makes printer the current printer (nullptr: the program's own again) and returns the previous
// one; a window with a printer of its own lends it to the print dialogs this way.
TPrinter* SetPrinter(TPrinter* printer);
