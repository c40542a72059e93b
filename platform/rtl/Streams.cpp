#include "rtl/Streams.h"

#include "rtl/FileUtils.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void RaiseReadError() {
    throw EReadError("Stream read error");
}
[[noreturn]] void RaiseWriteError() {
    throw EWriteError("Stream write error");
}

// Where a seek lands for a stream of the given size and current position.
Int64 SeekTarget(Int64 offset, TSeekOrigin origin, Int64 position, Int64 size) {
    switch (origin) {
    case TSeekOrigin::soBeginning:
        return offset;
    case TSeekOrigin::soCurrent:
        return position + offset;
    case TSeekOrigin::soEnd:
        return size + offset;
    }
    return position;
}

} // namespace

// --- TStream ---------------------------------------------------------------------------------

void TStream::ReadBuffer(void* buffer, Int64 count) {
    if (count < 0) RaiseReadError();
    if (count != 0 && Read(buffer, count) != count) RaiseReadError();
}

void TStream::WriteBuffer(const void* buffer, Int64 count) {
    if (count < 0) RaiseWriteError();
    if (count != 0 && Write(buffer, count) != count) RaiseWriteError();
}

Int64 TStream::CopyFrom(TStream& source, Int64 count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    const Int64 result = count;
    constexpr Int64 chunk = 64 * 1024;
    std::vector<Byte> buffer(static_cast<size_t>(std::min(count, chunk)));
    while (count > 0) {
        const Int64 n = std::min(count, chunk);
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        count -= n;
    }
    return result;
}

Int64 TStream::Size() {
    const Int64 pos = Seek(0, TSeekOrigin::soCurrent);
    const Int64 size = Seek(0, TSeekOrigin::soEnd);
    Seek(pos, TSeekOrigin::soBeginning);
    return size;
}

void TStream::SetSize(Int64) {}

// --- TMemoryStream ---------------------------------------------------------------------------

namespace {

// Reading, writing and resizing shared by the streams that keep their bytes in a container.
template <class Bytes> Int64 ReadBytes(const Bytes& data, Int64& position, void* buffer, Int64 count) {
    const Int64 size = static_cast<Int64>(data.size());
    if (count <= 0 || position >= size) return 0;
    const Int64 n = std::min(count, size - position);
    std::memcpy(buffer, data.data() + position, static_cast<size_t>(n));
    position += n;
    return n;
}

template <class Bytes> Int64 WriteBytes(Bytes& data, Int64& position, const void* buffer, Int64 count) {
    if (count <= 0) return 0;
    const Int64 end = position + count;
    if (end > static_cast<Int64>(data.size()))
        data.resize(static_cast<size_t>(end)); // a gap left by a seek past the end is zeroed
    std::memcpy(data.data() + position, buffer, static_cast<size_t>(count));
    position = end;
    return count;
}

template <class Bytes> void ResizeBytes(Bytes& data, Int64& position, Int64 newSize) {
    if (newSize < 0) newSize = 0;
    data.resize(static_cast<size_t>(newSize));
    if (position > newSize) position = newSize;
}

} // namespace

Int64 TMemoryStream::Read(void* buffer, Int64 count) {
    return ReadBytes(FData, FPosition, buffer, count);
}

Int64 TMemoryStream::Write(const void* buffer, Int64 count) {
    if (count > 0 && FPosition + count > FCapacity) SetCapacity(FPosition + count);
    return WriteBytes(FData, FPosition, buffer, count);
}

void TMemoryStream::SetCapacity(Int64 NewCapacity) {
    if (NewCapacity > FCapacity) NewCapacity = std::max(NewCapacity, 2 * FCapacity);
    if (NewCapacity > 0 && NewCapacity < Size()) NewCapacity = Size();
    ReserveBlock(NewCapacity);
}

void TMemoryStream::ReserveBlock(Int64 Capacity, const char* Message) {
    if (Capacity == FCapacity) return;
    if (Capacity <= 0) {
        std::vector<Byte>().swap(FData);
        FCapacity = 0;
        if (FPosition > 0) FPosition = 0;
        return;
    }
    try {
        std::vector<Byte> block;
        block.reserve(static_cast<size_t>(Capacity));
        const Int64 keep = std::min(Capacity, Size());
        block.assign(FData.begin(), FData.begin() + static_cast<std::ptrdiff_t>(keep));
        FData.swap(block);
    } catch (const std::exception&) {
        throw EStreamError(Message);
    }
    FCapacity = Capacity;
}

Int64 TMemoryStream::Seek(Int64 offset, TSeekOrigin origin) {
    const Int64 target = SeekTarget(offset, origin, FPosition, Size());
    if (target >= 0) FPosition = target;
    return FPosition;
}

void TMemoryStream::SetSize(Int64 newSize) {
    if (newSize < 0) newSize = 0;
    if (newSize > FCapacity || newSize == 0) SetCapacity(newSize);
    ResizeBytes(FData, FPosition, newSize);
}

void TMemoryStream::Clear() {
    SetCapacity(0);
    FData.clear();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
    stream.SetPosition(0);
    const Int64 count = stream.Size();
    std::vector<Byte> data(static_cast<size_t>(count));
    stream.ReadBuffer(data.data(), count);
    SetSize(0);
    SetSize(count);
    if (count > 0) std::memcpy(FData.data(), data.data(), static_cast<size_t>(count));
    FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream& stream) {
    stream.WriteBuffer(FData.data(), Size());
}

void TMemoryStream::LoadFromFile(const String& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const String& fileName) {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

// --- TFileStream -----------------------------------------------------------------------------

TFileStream::TFileStream(const String& fileName, Word mode) : FFileName(fileName) {
    const bool create = (mode & fmCreate) == fmCreate;
    int flags = 0;
    const char* fmode = "rb";
    if (create) {
        flags = O_RDWR | O_CREAT | O_TRUNC;
        fmode = "w+b";
    } else {
        switch (mode & 0x0003) {
        case fmOpenWrite:
            flags = O_WRONLY;
            fmode = "wb"; // on an fd opened without O_TRUNC, fdopen does not truncate
            break;
        case fmOpenReadWrite:
            flags = O_RDWR;
            fmode = "r+b";
            break;
        default:
            flags = O_RDONLY;
            fmode = "rb";
            break;
        }
    }
    const char* what = create ? "Cannot create file \"" : "Cannot open file \"";
    auto fail = [&](int err) {
        const String message = what + fileName + "\". " + std::strerror(err);
        if (create) throw EFCreateError(message);
        throw EFOpenError(message);
    };
    // Names written with "\" separators open the same file as with "/".
    const int fd = ::open(NormalizePath(fileName).c_str(), flags | O_CLOEXEC, 0666);
    if (fd < 0) fail(errno);
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        fail(EISDIR);
    }
    FFile = ::fdopen(fd, fmode);
    if (!FFile) {
        const int err = errno;
        ::close(fd);
        fail(err);
    }
}

TFileStream::~TFileStream() {
    if (FFile) std::fclose(FFile);
}

void TFileStream::SwitchTo(LastOp op) {
    // The C library needs a positioning call between reading and writing on one FILE.
    if (FLastOp != LastOp::None && FLastOp != op) ::fseeko(FFile, 0, SEEK_CUR);
    FLastOp = op;
}

Int64 TFileStream::Read(void* buffer, Int64 count) {
    if (count <= 0) return 0;
    SwitchTo(LastOp::Reading);
    const size_t n = std::fread(buffer, 1, static_cast<size_t>(count), FFile);
    if (n < static_cast<size_t>(count)) std::clearerr(FFile);
    return static_cast<Int64>(n);
}

Int64 TFileStream::Write(const void* buffer, Int64 count) {
    if (count <= 0) return 0;
    SwitchTo(LastOp::Writing);
    const size_t n = std::fwrite(buffer, 1, static_cast<size_t>(count), FFile);
    if (n < static_cast<size_t>(count)) std::clearerr(FFile);
    return static_cast<Int64>(n);
}

Int64 TFileStream::Seek(Int64 offset, TSeekOrigin origin) {
    const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                       : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                          : SEEK_END;
    if (!(origin == TSeekOrigin::soCurrent && offset == 0)) {
        ::fseeko(FFile, static_cast<off_t>(offset), whence);
        FLastOp = LastOp::None;
    }
    return static_cast<Int64>(::ftello(FFile));
}

Int64 TFileStream::Size() {
    std::fflush(FFile);
    struct stat st {};
    if (::fstat(::fileno(FFile), &st) != 0) return TStream::Size();
    return static_cast<Int64>(st.st_size);
}

void TFileStream::SetSize(Int64 newSize) {
    if (newSize < 0) newSize = 0;
    const Int64 pos = Position();
    std::fflush(FFile);
    if (::ftruncate(::fileno(FFile), static_cast<off_t>(newSize)) != 0)
        throw EStreamError("Stream write error");
    Seek(std::min(pos, newSize), TSeekOrigin::soBeginning);
}

// --- TStringStream ---------------------------------------------------------------------------

TStringStream::TStringStream(const String& data) : FData(data) {}

Int64 TStringStream::Read(void* buffer, Int64 count) {
    return ReadBytes(FData, FPosition, buffer, count);
}

Int64 TStringStream::Write(const void* buffer, Int64 count) {
    return WriteBytes(FData, FPosition, buffer, count);
}

Int64 TStringStream::Seek(Int64 offset, TSeekOrigin origin) {
    const Int64 target = SeekTarget(offset, origin, FPosition, Size());
    if (target >= 0) FPosition = std::min(target, Size());
    return FPosition;
}

void TStringStream::SetSize(Int64 newSize) {
    ResizeBytes(FData, FPosition, newSize);
}

String TStringStream::ReadString(Int64 count) {
    const Int64 n = std::max<Int64>(0, std::min(count, Size() - FPosition));
    String result = FData.substr(static_cast<size_t>(FPosition), static_cast<size_t>(n));
    FPosition += n;
    return result;
}

void TStringStream::WriteString(const String& s) {
    Write(s.data(), static_cast<Int64>(s.size()));
}
