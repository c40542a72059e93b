// The picture cache: entry numbering, pictures sharing a stream, streams past the size limit,
// temporary files, and saving to and loading from the prepared report file.
#include "TempDir.h"
#include "gui/Picture.h"
#include "report/vrPictureCache.h"
#include "report/vrUtils.h"
#include "rtl/FileUtils.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TPicture> MakePicture(int w, int h, Byte shade) {
    auto bmp = std::make_unique<TBitmap>(w, h);
    for (int y = 0; y < h; ++y) {
        Byte* row = bmp->ScanLine(y);
        for (int x = 0; x < w * 3; ++x) row[x] = static_cast<Byte>(shade + x + y);
    }
    auto p = std::make_unique<TPicture>();
    p->SetGraphic(std::move(bmp));
    return p;
}

// The bytes of the picture's graphic in its stored form.
String Bytes(TPicture& p) {
    TMemoryStream m;
    p.Graphic()->SaveToStream(m);
    return StreamToHex(m);
}

struct LimitGuard {
    Int64 saved = TvrPictureCache::StreamLimit;
    ~LimitGuard() { TvrPictureCache::StreamLimit = saved; }
};

TEST(PictureCache, EntriesAreNumberedFromOneAndReadToTheirOwnEnd) {
    TvrPictureCache cache;
    TPicture empty;
    EXPECT_EQ(cache.AddPicture(&empty), 0);
    auto a = MakePicture(3, 2, 10), b = MakePicture(5, 4, 90);
    EXPECT_EQ(cache.AddPicture(a.get()), 1);
    EXPECT_EQ(cache.AddPicture(b.get()), 2);
    EXPECT_EQ(cache.StreamCount(), 1);
    TPicture out;
    cache.GetPicture(1, &out);
    ASSERT_NE(out.Graphic(), nullptr);
    EXPECT_EQ(out.Width(), 3);
    EXPECT_EQ(Bytes(out), Bytes(*a));
    cache.GetPicture(2, &out);
    EXPECT_EQ(out.Width(), 5);
    EXPECT_EQ(Bytes(out), Bytes(*b));
    for (Integer bad : {0, -1, 3}) {
        cache.GetPicture(1, &out);
        cache.GetPicture(bad, &out);
        EXPECT_EQ(out.Graphic(), nullptr) << bad;
    }
}

TEST(PictureCache, SizeLimitedStreamsReportTheLimitAsTheirEnd) {
    TvrMemoryStream m;
    const String data(100, 'x');
    m.Write(data.data(), 100);
    m.SetPosition(10);
    m.SizeLimit = 40;
    EXPECT_EQ(m.Seek(0, TSeekOrigin::soEnd), 40);
    EXPECT_EQ(m.Position(), 10); // did not move
    EXPECT_EQ(m.Size(), 40);
    char buf[100];
    EXPECT_EQ(m.Read(buf, 100), 30);
    m.SizeLimit = 0;
    EXPECT_EQ(m.Size(), 100);
    EXPECT_EQ(m.Seek(0, TSeekOrigin::soEnd), 100);
}

TEST(PictureCache, ANewStreamStartsPastTheLimitAndTemporaryFilesGoWithClear) {
    LimitGuard guard;
    TvrPictureCache::StreamLimit = 50;
    TempDir dir;
    TvrPictureCache cache;
    cache.SetFileCache(true);
    cache.SetTempFolder(dir.Path());
    auto a = MakePicture(4, 4, 1), b = MakePicture(6, 6, 2), c = MakePicture(2, 2, 3);
    cache.AddPicture(a.get());
    cache.AddPicture(b.get());
    cache.AddPicture(c.get());
    EXPECT_EQ(cache.StreamCount(), 3);
    cache.SetFileCache(false); // no effect while streams exist
    ASSERT_EQ(cache.TempFiles().size(), 3u);
    for (const String& f : cache.TempFiles()) {
        EXPECT_TRUE(FileExists(f));
        EXPECT_EQ(ExtractFileName(f).rfind("frPic", 0), 0u) << f;
    }
    TPicture out;
    cache.GetPicture(2, &out);
    EXPECT_EQ(Bytes(out), Bytes(*b));
    const std::vector<String> files = cache.TempFiles();
    cache.Clear();
    for (const String& f : files) EXPECT_FALSE(FileExists(f)) << f;
    EXPECT_EQ(cache.Count(), 0);
}

TEST(PictureCache, SaveAndLoadKeepTheNumbering) {
    TvrPictureCache cache;
    auto a = MakePicture(3, 3, 7), b = MakePicture(2, 5, 70);
    cache.AddPicture(a.get());
    cache.AddPicture(b.get());
    TvrXMLItem item;
    cache.SaveToXML(&item);
    ASSERT_EQ(item.ItemCount(), 2);
    EXPECT_EQ(item.GetItem(0)->AttrText.rfind("stream=\"424D", 0), 0u); // "BM", upper-case hex
    TvrPictureCache loaded;
    loaded.LoadFromXML(&item);
    TPicture out;
    loaded.GetPicture(2, &out);
    EXPECT_EQ(Bytes(out), Bytes(*b));
    loaded.GetPicture(1, &out);
    EXPECT_EQ(Bytes(out), Bytes(*a));

    for (const char* bad : {"stream=\"424\"", "stream=\"42ZZ\""}) {
        TvrXMLItem damaged;
        damaged.Add()->AttrText = bad;
        EXPECT_THROW(loaded.LoadFromXML(&damaged), TvrInvalidXMLException) << bad;
    }
}

} // namespace
