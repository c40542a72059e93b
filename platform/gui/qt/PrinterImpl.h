// Internal: the printer's state behind TPrinter (its canvas, the open document's device and file)
// and what the printer asks of CUPS (queues, what a queue offers, jobs).
#pragma once

#include "gui/Printers.h"
#include "gui/qt/PainterCanvas.h"

#include <QMarginsF>
#include <QPrinter>
#include <QRect>

#include <cstdio>
#include <memory>
#include <vector>

// The printer's canvas: paints on the document while one is open; measures at the printer's
// resolution always.
class TPrinterCanvas : public TPainterCanvas {
public:
    explicit TPrinterCanvas(TPrinter* owner) : FOwner(owner) {}
    QPrinter* Device = nullptr; // set while a document is open

protected:
    std::unique_ptr<QPainter> BeginPaint() override;
    int Resolution() override { return FOwner->Resolution(); }
    int DevCaps(int index) override;
    TSize DevSize() override { return {FOwner->PageWidth(), FOwner->PageHeight()}; }

private:
    TPrinter* FOwner;
};

// A paper a queue offers, with the unprintable border of its device, in millimetres.
struct TQueueMedia {
    double WidthMM = 0, HeightMM = 0;
    double Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// What one queue offers, read from CUPS once per selection of the queue.
struct TQueueInfo {
    std::vector<TPaperInfo> Papers;
    std::vector<TQueueMedia> Media;
    int DefaultPaper = DMPAPER_A4;
    std::vector<TTrayInfo> Trays;
    String TrayOption; // the job option that names a tray: "InputSlot" or "media-source"
    String DefaultTray;
    std::vector<String> Sides; // the "sides" values the queue takes
    String DefaultSides;
};

// The title as a file name: characters no file name may hold become "_"; "document" for none.
String SafeFileName(const String& title);

// The queues CUPS knows, with the default one; none when no CUPS service answers.
std::vector<String> CupsQueues(String& defaultName);
TQueueInfo ReadQueueInfo(const String& queue);
// The DMDUP number of a "sides" value and back.
int DuplexOfSides(const String& sides);
String SidesOfDuplex(int duplex);

// The options one job is sent with.
struct TJobOptions {
    int Copies = 1;
    int Duplex = DMDUP_SIMPLEX;
    String Tray; // "" sends the queue's default tray
};
// Sends a PDF file to the queue as one job; raises EPrinter "Printing failed: ..." when CUPS
// refuses it.
void SendPdfJob(const String& queue, const String& file, const String& title, const TQueueInfo& info,
                const TJobOptions& options);

struct TPrinter::Impl {
    std::unique_ptr<TPrinterCanvas> Canvas;
    std::unique_ptr<QPrinter> Device;
    String DefaultName;
    // What the selected queue offers, read on first use after each selection.
    bool QueueLoaded = false;
    TQueueInfo Queue;
    String Target;           // the file the document part is written to
    bool ToQueue = false;    // the document goes to a CUPS queue part by part
    TJobOptions PartOptions; // the options the part being drawn will be sent with
    // RAW documents
    std::FILE* RawFile = nullptr;
    int RawJob = 0;
    // metrics in device pixels
    QRect Full;
    QRect Paint;
    QMarginsF Margins; // mm, of the oriented page
};
