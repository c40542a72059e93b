// Temporary files, the program's own file and safe replacement of a file.
#include "report/vrUtils.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <stdlib.h>
#include <unistd.h>

namespace fs = std::filesystem;

String GetTempFile() {
    return GetTempFileInFolder(String());
}

String GetTempFileInFolder(const String& folder) {
    const String name = GetTempFileName(folder, "fr");
    if (name.empty())
        throw EFCreateError("Cannot create a temporary file in \"" +
                            (folder.empty() ? GetTempDir() : folder) + "\". " + std::strerror(errno));
    return name;
}

String GetProgramFileName() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? String() : exe.string();
}

String GetModulePath() {
    return ProgramFolder();
}

TvrReplacingFile::TvrReplacingFile(const String& fileName) : FFileName(NormalizePath(fileName)) {
    const fs::path target(FFileName);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    // Created like any new file (mode 0666 less the umask); the old file's mode is copied by Commit.
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

TvrReplacingFile::~TvrReplacingFile() {
    FStream.reset();
    if (!FCommitted) {
        std::error_code ec;
        fs::remove(FTempName, ec);
    }
}

void TvrReplacingFile::Commit() {
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

void WriteFileReplacing(const String& fileName, const std::function<void(TStream&)>& write) {
    TvrReplacingFile file(fileName);
    write(file.Stream());
    file.Commit();
}
