// Byte streams: the abstract TStream and its memory, file and string kinds.
#pragma once

#include "rtl/Object.h"
#include "rtl/SysUtils.h"

#include <cstdio>
#include <vector>

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
    String ClassName() const override { return "TStream"; }

    // Read/Write move up to count bytes and return how many moved.
    virtual Int64 Read(void* buffer, Int64 count) = 0;
    virtual Int64 Write(const void* buffer, Int64 count) = 0;
    virtual Int64 Seek(Int64 offset, TSeekOrigin origin) = 0;

    // ReadBuffer/WriteBuffer move exactly count bytes or raise EReadError/EWriteError.
    void ReadBuffer(void* buffer, Int64 count);
    void WriteBuffer(const void* buffer, Int64 count);
    // Copies count bytes from source (all of it from its start when count is 0); returns bytes copied.
    Int64 CopyFrom(TStream& source, Int64 count);

    Int64 Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(Int64 pos) { Seek(pos, TSeekOrigin::soBeginning); }
    virtual Int64 Size();
    virtual void SetSize(Int64 newSize);
};

// A growable block of memory.
class TMemoryStream : public TStream {
public:
    String ClassName() const override { return "TMemoryStream"; }
    Int64 Read(void* buffer, Int64 count) override;
    Int64 Write(const void* buffer, Int64 count) override;
    Int64 Seek(Int64 offset, TSeekOrigin origin) override;
    Int64 Size() override { return static_cast<Int64>(FData.size()); }
    void SetSize(Int64 newSize) override;
    void Clear();
    Byte* Memory() { return FData.data(); }
    const Byte* Memory() const { return FData.data(); }
    const std::vector<Byte>& Bytes() const { return FData; }
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream);
    void LoadFromFile(const String& fileName);
    void SaveToFile(const String& fileName);
    // The bytes reserved for the data (at least Size(); 0 when the stream holds no memory).
    Int64 Capacity() const { return FCapacity; }

protected:
    // The stream needs room for NewCapacity bytes (0: it holds nothing): reserves a block and
    // records its capacity. The base grows by doubling; descendants change the step and call
    // ReserveBlock with the capacity they choose.
    virtual void SetCapacity(Int64 NewCapacity);
    // Reserves exactly Capacity bytes, keeping the data (0 frees the block); a failed allocation
    // raises EStreamError with Message and keeps the old block.
    void ReserveBlock(Int64 Capacity, const char* Message = "Out of memory while expanding memory stream");

private:
    std::vector<Byte> FData;
    Int64 FPosition = 0;
    Int64 FCapacity = 0;
};

// File modes, combinable: an open mode and a share mode.
enum : Word {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareCompat = 0x0000,
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyRead = 0x0030,
    fmShareDenyNone = 0x0040,
    fmCreate = 0xFF00,
};

// A file on disk. Raises EFOpenError / EFCreateError with the file name when it cannot.
class TFileStream : public TStream {
public:
    TFileStream(const String& fileName, Word mode);
    ~TFileStream() override;
    String ClassName() const override { return "TFileStream"; }
    Int64 Read(void* buffer, Int64 count) override;
    Int64 Write(const void* buffer, Int64 count) override;
    Int64 Seek(Int64 offset, TSeekOrigin origin) override;
    Int64 Size() override;
    void SetSize(Int64 newSize) override;
    const String& FileName() const { return FFileName; }

private:
    enum class LastOp { None, Reading, Writing };
    void SwitchTo(LastOp op);

    String FFileName;
    std::FILE* FFile = nullptr;
    LastOp FLastOp = LastOp::None;
};

// A stream over a string of bytes.
class TStringStream : public TStream {
public:
    explicit TStringStream(const String& data = String());
    String ClassName() const override { return "TStringStream"; }
    Int64 Read(void* buffer, Int64 count) override;
    Int64 Write(const void* buffer, Int64 count) override;
    Int64 Seek(Int64 offset, TSeekOrigin origin) override;
    Int64 Size() override { return static_cast<Int64>(FData.size()); }
    void SetSize(Int64 newSize) override;
    const String& DataString() const { return FData; }
    String ReadString(Int64 count);
    void WriteString(const String& s);

private:
    String FData;
    Int64 FPosition = 0;
};
