// The output file of the exports and their shared helpers.
#include "report/export/vrExportFile.h"

#include "gui/Desktop.h"
#include "report/vrClassReport.h"
#include "report/vrUtils.h"
#include "rtl/CodePage.h"
#include "rtl/FileUtils.h"
#include "rtl/SysUtils.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

TvrExportFile::TvrExportFile(const String& fileName) : FFileName(NormalizePath(fileName)) {
    const fs::path target(FFileName);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0;; ++attempt) {
        FTempName = (folder / ("." + target.filename().string() + "." + std::to_string(::getpid()) + "." +
                               std::to_string(counter++) + ".tmp"))
                        .string();
        const int fd = ::open(FTempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            break;
        }
        if (errno != EEXIST || attempt > 100)
            throw EFCreateError("Cannot create file \"" + fileName + "\". " + std::strerror(errno));
    }
    try {
        FStream = std::make_unique<TFileStream>(FTempName, fmOpenWrite);
    } catch (...) {
        std::error_code ec;
        fs::remove(FTempName, ec);
        throw;
    }
}

TvrExportFile::~TvrExportFile() {
    FStream.reset();
    if (!FCommitted) {
        std::error_code ec;
        fs::remove(FTempName, ec);
    }
}

void TvrExportFile::Commit() {
    const Int64 written = FStream->Size();
    FStream.reset();
    std::error_code ec;
    // A short file after closing means the last buffered bytes did not reach the disk.
    if (static_cast<Int64>(fs::file_size(FTempName, ec)) != written || ec) throw EWriteError("Stream write error");
    const fs::perms perms = fs::status(FFileName, ec).permissions();
    if (!ec && perms != fs::perms::unknown) fs::permissions(FTempName, perms, ec);
    fs::rename(FTempName, FFileName, ec);
    if (ec) throw EFCreateError("Cannot create file \"" + FFileName + "\". " + ec.message());
    FCommitted = true;
}

String vrExportTarget(const TvrCustomExportFilter& filter) {
    String name = filter.FileName;
    if (name.empty()) return name;
    if (!filter.DefaultPath.empty() && ExtractFileDir(NormalizePath(name)).empty())
        name = IncludeTrailingPathDelimiter(NormalizePath(filter.DefaultPath)) + name;
    return NormalizePath(name);
}

void vrExportError(TvrReport* report, const String& text) {
    if (!report) {
        ShowErrorMessage(text);
        return;
    }
    const TvrSilentMode mode = report->EngineOptions()->NewSilentMode;
    if (mode == simSilent)
        report->ErrorList()->Add(text);
    else
        ReportLibraryError(mode, text);
}

void vrOpenExportedFile(TvrReport* report, const String& fileName) {
    if (!ShellOpen(fileName)) vrExportError(report, "Cannot open file \"" + fileName + "\"");
}

AnsiString vrExportBytes(const String& utf8, bool oem) {
    return oem ? CharToOem(utf8) : AnsiFromUtf8(utf8);
}
