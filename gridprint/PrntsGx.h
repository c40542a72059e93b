// TVirtualPrinter: the printer grid printing draws on. Every operation is virtual; this base
// forwards each one to the program's current printer, and the page recorder (TPrinterPreview)
// overrides them all to record pages instead.
#pragma once

#include "gui/Printers.h"

#include <vector>

class TVirtualPrinter : public TObject {
public:
    TVirtualPrinter() = default;
    ~TVirtualPrinter() override = default;
    String ClassName() const override { return "TVirtualPrinter"; }

    virtual bool Aborted();
    virtual TCanvas* Canvas();
    // A set of TPrinterCapability bits.
    virtual int Capabilities();
    virtual std::vector<String> Fonts();
    // The device the pages go to (a canvas measuring with the device's metrics).
    virtual TCanvas* Handle();
    virtual int Copies();
    virtual TPrinterOrientation Orientation();
    virtual int PageHeight();
    virtual int PageWidth();
    virtual int PageNumber();
    virtual bool Printing();
    virtual String Title();
    // The printable size plus twice the unprintable border at the left and top.
    virtual int PaperWidth();
    virtual int PaperHeight();
    virtual int PrinterIndex();
    virtual std::vector<String> Printers();
    virtual int DpiX();
    virtual int DpiY();
    virtual void SetPrinterIndex(int index);
    virtual void SetCopies(int copies);
    virtual void SetOrientation(TPrinterOrientation orientation);
    virtual void SetTitle(const String& title);
    virtual void Abort();
    virtual void BeginDoc();
    virtual void EndDoc();
    virtual void NewPage();
    // The selected printer's name (the device; driver and port stay empty on this platform).
    virtual void GetPrinter(String& device, String& driver, String& port);
    // Selects the printer named device; an unknown name raises EPrinter.
    virtual void SetPrinter(const String& device, const String& driver, const String& port);

protected:
    // The printer the operations above go to.
    virtual TPrinter* Target();
};
