// RAW documents: bytes sent unchanged to a CUPS queue or written to a file.
#include "gui/Printers.h"

#include "gui/qt/PrinterImpl.h"
#include "rtl/FileUtils.h"

#include <cups/cups.h>

#include <csignal>
#include <filesystem>

namespace {

[[noreturn]] void RaiseCupsFailure() {
    throw EPrinter(String("Printing failed: ") + cupsLastErrorString());
}

} // namespace

void TPrinter::BeginRawDoc() {
    if (FPrinting) throw EPrinter("Printing in progress");
    Printers();
    bool toFile = IsPdfPrinter() || !FOutputFile.empty();
    if (toFile) {
        String target = !FOutputFile.empty() ? FOutputFile : GetTempDir() + SafeFileName(FTitle) + ".prn";
        FImpl->RawFile = std::fopen(target.c_str(), "wb");
        if (!FImpl->RawFile) throw EPrinter("Cannot create " + target);
        FImpl->Target = target;
    } else {
        // A queue that goes away while bytes are sent makes the write fail, not end the program.
        std::signal(SIGPIPE, SIG_IGN);
        String title = FTitle.empty() ? String("document") : FTitle;
        int options = 0;
        cups_option_t* opts = nullptr;
        options = cupsAddOption("raw", "true", options, &opts);
        int job = cupsCreateJob(CUPS_HTTP_DEFAULT, PrinterName().c_str(), title.c_str(), options, opts);
        cupsFreeOptions(options, opts);
        if (job == 0) RaiseCupsFailure();
        if (cupsStartDocument(CUPS_HTTP_DEFAULT, PrinterName().c_str(), job, title.c_str(), CUPS_FORMAT_RAW,
                              1) != HTTP_STATUS_CONTINUE) {
            cupsCancelJob(PrinterName().c_str(), job);
            RaiseCupsFailure();
        }
        FImpl->RawJob = job;
        FImpl->Target.clear();
    }
    FRaw = true;
    FPrinting = true;
    FAborted = false;
}

void TPrinter::WriteRaw(const void* data, size_t size) {
    if (!FRaw) throw EPrinter("Printer is not currently printing");
    if (size == 0) return;
    if (FImpl->RawFile) {
        if (std::fwrite(data, 1, size, FImpl->RawFile) != size)
            throw EPrinter("Cannot write " + FImpl->Target);
    } else if (cupsWriteRequestData(CUPS_HTTP_DEFAULT, static_cast<const char*>(data), size) !=
               HTTP_STATUS_CONTINUE) {
        RaiseCupsFailure();
    }
}

void TPrinter::EndRawDoc() {
    if (!FRaw) throw EPrinter("Printer is not currently printing");
    FRaw = false;
    FPrinting = false;
    if (FImpl->RawFile) {
        bool ok = std::fclose(FImpl->RawFile) == 0;
        FImpl->RawFile = nullptr;
        FLastOutputFile = FImpl->Target;
        if (!ok) throw EPrinter("Cannot write " + FImpl->Target);
        return;
    }
    FLastOutputFile.clear();
    ipp_status_t status = cupsFinishDocument(CUPS_HTTP_DEFAULT, PrinterName().c_str());
    FImpl->RawJob = 0;
    if (status > IPP_STATUS_OK_CONFLICTING) RaiseCupsFailure();
}

void TPrinter::AbortRawDoc() {
    if (!FRaw) return;
    FRaw = false;
    FPrinting = false;
    FAborted = true;
    if (FImpl->RawFile) {
        std::fclose(FImpl->RawFile);
        FImpl->RawFile = nullptr;
        std::error_code ec;
        std::filesystem::remove(FImpl->Target, ec);
    } else if (FImpl->RawJob) {
        cupsFinishDocument(CUPS_HTTP_DEFAULT, PrinterName().c_str());
        cupsCancelJob(PrinterName().c_str(), FImpl->RawJob);
        FImpl->RawJob = 0;
    }
}
