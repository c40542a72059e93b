#include "rtl/Streams.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>

TEST(MemoryStream, WriteSeekReadAndGrowPastTheEnd) {
    TMemoryStream m;
    m.WriteBuffer("abcdef", 6);
    EXPECT_EQ(m.Size(), 6);
    EXPECT_EQ(m.Position(), 6);
    m.SetPosition(2);
    char buf[4] = {};
    EXPECT_EQ(m.Read(buf, 10), 4);
    EXPECT_EQ(std::string(buf, 4), "cdef");
    EXPECT_EQ(m.Read(buf, 1), 0);
    // A write after a seek past the end fills the gap with zeros.
    m.Seek(2, TSeekOrigin::soEnd);
    m.WriteBuffer("x", 1);
    ASSERT_EQ(m.Size(), 9);
    EXPECT_EQ(m.Bytes()[6], 0);
    EXPECT_EQ(m.Bytes()[8], 'x');
    m.SetSize(3);
    EXPECT_EQ(m.Position(), 3);
    m.Clear();
    EXPECT_EQ(m.Size(), 0);
    EXPECT_EQ(m.Position(), 0);
}

TEST(MemoryStream, ReadBufferPastTheEndRaisesReadError) {
    TMemoryStream m;
    m.WriteBuffer("ab", 2);
    m.SetPosition(0);
    char buf[3];
    try {
        m.ReadBuffer(buf, 3);
        FAIL() << "no exception";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Stream read error");
    }
}

// A stream that accepts nothing, to see WriteBuffer fail.
class TFullStream : public TStream {
public:
    Int64 Read(void*, Int64) override { return 0; }
    Int64 Write(const void*, Int64 count) override { return count > 1 ? 1 : 0; }
    Int64 Seek(Int64, TSeekOrigin) override { return 0; }
};

TEST(Stream, WriteBufferShortRaisesWriteError) {
    TFullStream s;
    try {
        s.WriteBuffer("abc", 3);
        FAIL() << "no exception";
    } catch (const EWriteError& e) {
        EXPECT_EQ(e.Message(), "Stream write error");
    }
}

TEST(Stream, CopyFromWithZeroCopiesTheWholeSource) {
    TStringStream src("hello world");
    src.SetPosition(5);
    TMemoryStream dst;
    EXPECT_EQ(dst.CopyFrom(src, 0), 11);
    EXPECT_EQ(std::string(dst.Bytes().begin(), dst.Bytes().end()), "hello world");
    src.SetPosition(6);
    TMemoryStream part;
    EXPECT_EQ(part.CopyFrom(src, 3), 3);
    EXPECT_EQ(std::string(part.Bytes().begin(), part.Bytes().end()), "wor");
    EXPECT_THROW(part.CopyFrom(src, 10), EReadError);
}

TEST(StringStream, OverwritesInPlaceAndReadsStrings) {
    TStringStream s("abcdef");
    s.SetPosition(2);
    s.WriteString("XY");
    EXPECT_EQ(s.DataString(), "abXYef");
    s.Seek(-1, TSeekOrigin::soEnd);
    s.WriteString("123");
    EXPECT_EQ(s.DataString(), "abXYe123");
    s.SetPosition(1);
    EXPECT_EQ(s.ReadString(3), "bXY");
    EXPECT_EQ(s.ReadString(100), "e123");
    EXPECT_EQ(s.ReadString(5), "");
}

TEST(FileStream, CreateWriteReopenAndRead) {
    TempDir dir;
    const String name = dir.File("data.bin");
    {
        TFileStream f(name, fmCreate);
        f.WriteBuffer("0123456789", 10);
        EXPECT_EQ(f.Size(), 10);
        f.SetPosition(4);
        char c;
        f.ReadBuffer(&c, 1);
        EXPECT_EQ(c, '4');
        f.WriteBuffer("X", 1); // write right after a read
        f.SetSize(8);
        EXPECT_EQ(f.Size(), 8);
    }
    EXPECT_EQ(TempDir::ReadAll(name), "01234X67");
    {
        // Opening for writing keeps the content; only the bytes written change.
        TFileStream f(name, fmOpenWrite);
        f.WriteBuffer("ab", 2);
        char c;
        EXPECT_EQ(f.Read(&c, 1), 0);
    }
    EXPECT_EQ(TempDir::ReadAll(name), "ab234X67");
    TFileStream r(name, fmOpenRead | fmShareDenyNone);
    EXPECT_EQ(r.Size(), 8);
    EXPECT_EQ(r.Write("z", 1), 0);
    r.Seek(-2, TSeekOrigin::soEnd);
    char buf[2];
    r.ReadBuffer(buf, 2);
    EXPECT_EQ(std::string(buf, 2), "67");
    EXPECT_THROW(r.ReadBuffer(buf, 1), EReadError);
}

TEST(FileStream, OpenErrorsNameTheFileAndTheReason) {
    TempDir dir;
    const String missing = dir.File("missing.txt");
    try {
        TFileStream f(missing, fmOpenRead);
        FAIL() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"" + missing + "\". " + std::strerror(ENOENT));
    }
    const String inMissingDir = dir.File("no/such/dir.txt");
    try {
        TFileStream f(inMissingDir, fmCreate);
        FAIL() << "no exception";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file \"" + inMissingDir + "\". " + std::strerror(ENOENT));
    }
    // A folder is not a file, even though the system lets one open it for reading.
    EXPECT_THROW(TFileStream(dir.Path(), fmOpenRead), EFOpenError);
}

TEST(MemoryStream, FileRoundTrip) {
    TempDir dir;
    TMemoryStream m;
    const std::string data("a\0b\r\n\xFF", 6);
    m.WriteBuffer(data.data(), 6);
    m.SaveToFile(dir.File("m.bin"));
    TMemoryStream n;
    n.LoadFromFile(dir.File("m.bin"));
    EXPECT_EQ(n.Position(), 0);
    EXPECT_EQ(std::string(n.Bytes().begin(), n.Bytes().end()), data);
    EXPECT_THROW(n.LoadFromFile(dir.File("none.bin")), EFOpenError);
}

TEST(FileStream, AcceptsBackslashSeparators) {
    TempDir dir;
    ::mkdir(dir.File("sub").c_str(), 0777);
    {
        TFileStream f(dir.Path() + "\\sub\\x.txt", fmCreate);
        f.WriteBuffer("ok", 2);
        EXPECT_EQ(f.FileName(), dir.Path() + "\\sub\\x.txt");
    }
    EXPECT_EQ(TempDir::ReadAll(dir.File("sub/x.txt")), "ok");
}
