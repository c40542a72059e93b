#include "report/vrGZip.h"

#include "GZipMembers.h"

#include <gtest/gtest.h>

using gziptest::Adler;
using gziptest::Member;

namespace {

String Unpack(const String& member, String& name) {
    TStringStream in(member), out;
    name = ReadGZipStream(in, out);
    return out.DataString();
}

} // namespace

TEST(vrGZip, UnpacksMembersWithAndWithoutAStoredName) {
    String content;
    for (int i = 0; i < 5000; ++i)
        content += "BM" + std::to_string(i % 97);
    String name = "junk";
    EXPECT_EQ(Unpack(Member(content, 0, "", Adler(content)), name), content);
    EXPECT_EQ(name, "");
    EXPECT_EQ(Unpack(Member(content, 8, String("PreviewButtons.bmp\0", 19), Adler(content)), name), content);
    EXPECT_EQ(name, "PreviewButtons.bmp");
    EXPECT_EQ(Unpack(Member("", 0, "", Adler("")), name), "");
}

TEST(vrGZip, RejectsWhatIsNoMemberOfThisForm) {
    const String content = "image strip";
    String name;
    try {
        Unpack(Member(content, 0, "", Adler(content) ^ 1), name);
        FAIL();
    } catch (const EZDecompressionError& e) {
        EXPECT_EQ(e.Message(), "data error");
    }
    const String bad[] = {
        Member(content, 4,
               String("\x04\x00"
                      "abcd",
                      6),
               Adler(content)), // FEXTRA before the data
        "not a gzip member at all",
        "\x1F\x8B",
        "",
        String("\x1F\x8B\x08\x00\x00\x00\x00\x00\x00\x03", 10),
    };
    for (const String& member : bad)
        EXPECT_THROW(Unpack(member, name), EZDecompressionError);
    EXPECT_THROW(Unpack(String("\x1F\x8B\x08\x00", 4), name), EZLibError);
}

TEST(vrGZip, InflateBufferGrowsTheOutputAsNeeded) {
    const String content(100000, 'x'); // compresses to far less than it inflates to
    String packed(compressBound(100000), '\0');
    uLongf packedSize = static_cast<uLongf>(packed.size());
    compress(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
             reinterpret_cast<const Bytef*>(content.data()), static_cast<uLong>(content.size()));
    std::vector<Byte> out;
    InflateBuffer(packed.data(), static_cast<Integer>(packedSize), out);
    EXPECT_EQ(String(out.begin(), out.end()), content);
    InflateBuffer(packed.data(), static_cast<Integer>(packedSize), out, 100000);
    EXPECT_EQ(out.size(), 100000u);
    EXPECT_THROW(InflateBuffer(packed.data(), static_cast<Integer>(packedSize) / 2, out),
                 EZDecompressionError);
    EXPECT_TRUE(out.empty());

    // A zlib header asking for a preset dictionary (78 BB) ends with an error, not an endless loop.
    const Byte needsDictionary[] = {0x78, 0xBB, 0x00, 0x00, 0x00, 0x01, 0x03, 0x00};
    try {
        InflateBuffer(needsDictionary, sizeof needsDictionary, out);
        FAIL();
    } catch (const EZDecompressionError& e) {
        EXPECT_EQ(e.Message(), "need dictionary");
    }
    EXPECT_TRUE(out.empty());
}
