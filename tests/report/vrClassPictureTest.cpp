// The picture object: recognising picture data, fitting the picture into the object, AutoSize,
// BLOB fields and the prepared-page record that keeps the picture once in the picture cache.
#include "PeakMemory.h"
#include "WhiteBitmap.h"
#include "gui/Icon.h"
#include "gui/Jpeg.h"
#include "gui/Picture.h"
#include "report/vrClassObjects.h"
#include "report/vrPreviewPages.h"
#include "report/vrpngimage.h"
#include "report/vrUtils.h"
#include "report/vrXML.h"
#include "vrPreviewPagesFixture.h"

#include <gtest/gtest.h>

#include <zlib.h>

namespace {

std::unique_ptr<TBitmap> Filled(int w, int h, TColor color) {
    auto bmp = std::make_unique<TBitmap>(w, h, pf24bit);
    bmp->Canvas()->Brush()->SetColor(color);
    bmp->Canvas()->FillRect(TRect{0, 0, w, h});
    return bmp;
}

std::vector<Byte> Bytes(TGraphic& g) {
    TMemoryStream s;
    g.SaveToStream(s);
    std::vector<Byte> out(static_cast<size_t>(s.Size()));
    s.SetPosition(0);
    if (!out.empty()) s.ReadBuffer(out.data(), s.Size());
    return out;
}

std::vector<Byte> PngBytes(int w, int h) {
    TPNGObject png;
    png.Assign(*Filled(w, h, clRed));
    return Bytes(png);
}

// The header a database keeps before a stored picture.
std::vector<Byte> WithBlobHeader(const std::vector<Byte>& data) {
    const auto n = static_cast<uint32_t>(data.size());
    std::vector<Byte> out{1, 0, 0, 1, Byte(n), Byte(n >> 8), Byte(n >> 16), Byte(n >> 24)};
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

void Fill(TMemoryStream& s, const std::vector<Byte>& data) {
    s.SetSize(0);
    if (!data.empty()) s.WriteBuffer(data.data(), static_cast<Int64>(data.size()));
}

// A data set with one BLOB field holding the given bytes.
class TBlobDataSet : public TvrDataSet {
public:
    explicit TBlobDataSet(TComponent* AOwner) : TvrDataSet(AOwner) {}
    std::vector<Byte> Data;
    bool IsBlobField(const String& Field) override { return Field == "Photo"; }
    void AssignBlobTo(const String&, TObject* Target) override {
        if (auto* s = dynamic_cast<TStream*>(Target))
            s->WriteBuffer(Data.data(), static_cast<Int64>(Data.size()));
    }
};

} // namespace

TEST(Picture, TheFirstBytesChooseThePictureKind) {
    TJPEGImage jpeg;
    jpeg.Assign(*Filled(8, 8, clBlue));
    std::vector<Byte> wmf(40, 0);
    wmf[0] = 0xD7, wmf[1] = 0xCD, wmf[2] = 0xC6, wmf[3] = 0x9A;
    std::vector<Byte> emf(120, 0);
    emf[40] = ' ', emf[41] = 'E', emf[42] = 'M', emf[43] = 'F';
    struct TCase {
        const char* Name;
        std::vector<Byte> Data;
        Integer Result;
        const char* Class; // nullptr: the picture is cleared
    } cases[] = {
        {"bitmap", Bytes(*Filled(4, 3, clRed)), 0, "TBitmap"},
        {"jpeg", Bytes(jpeg), 0, "TJPEGImage"},
        {"png", PngBytes(5, 2), 0, "TPNGObject"},
        {"png after the BLOB header", WithBlobHeader(PngBytes(5, 2)), 0, "TPNGObject"},
        {"placeable metafile", wmf, vrPictureInvalidArg, nullptr},
        {"enhanced metafile", emf, vrPictureInvalidArg, nullptr},
        {"unknown", std::vector<Byte>(30, 0x41), vrPictureInvalidArg, nullptr},
        {"empty", {}, 0, nullptr},
    };
    EXPECT_EQ(vrPictureInvalidArg, static_cast<Integer>(0x80070057u));
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TvrPictureView v(nullptr);
        v.Picture()->SetGraphic(Filled(2, 2, clGreen).get());
        TMemoryStream s;
        Fill(s, c.Data);
        EXPECT_EQ(v.LoadPictureFromStream(s, true), c.Result);
        if (c.Class) {
            ASSERT_NE(v.Picture()->Graphic(), nullptr);
            EXPECT_EQ(v.Picture()->Graphic()->ClassName(), c.Class);
        } else {
            EXPECT_EQ(v.Picture()->Graphic(), nullptr);
        }
    }
}

TEST(Picture, ReadsFromTheStreamPositionUnlessAskedForTheStart) {
    const std::vector<Byte> png = PngBytes(3, 3);
    std::vector<Byte> data{'x', 'y'};
    data.insert(data.end(), png.begin(), png.end());
    TMemoryStream s;
    Fill(s, data);
    TvrPictureView v(nullptr);
    s.SetPosition(2);
    EXPECT_EQ(v.LoadPictureFromStream(s, false), 0);
    EXPECT_EQ(v.Picture()->Width(), 3);
    s.SetPosition(2);
    EXPECT_EQ(v.LoadPictureFromStream(s, true), vrPictureInvalidArg);
}

TEST(Picture, StretchedPicturesKeepTheirProportionsAndCentre) {
    struct TCase {
        bool Center;
        int RedY, WhiteY;
    } cases[] = {{false, 25, 75}, {true, 50, 10}};
    for (const TCase& c : cases) {
        TvrPictureView v(nullptr);
        v.SetBounds(0, 0, 100, 100);
        v.Center = c.Center;
        v.Picture()->SetGraphic(Filled(200, 100, clRed).get());
        TWhiteBitmap b;
        v.Draw(b.Canvas(), 1, 1, 0, 0);
        const TRect r = v.PictureRect();
        EXPECT_EQ(r.Right - r.Left, 100);
        EXPECT_EQ(r.Bottom - r.Top, 50);
        EXPECT_EQ(r.Top, c.Center ? 25 : 0);
        EXPECT_EQ(b.At(50, c.RedY), clRed);
        EXPECT_EQ(b.At(50, c.WhiteY), clWhite);
        EXPECT_EQ(b.At(50, 99), clWhite);
    }
}

TEST(Picture, NaturalSizeIsCutAtTheObjectsEdges) {
    TvrPictureView v(nullptr);
    v.SetBounds(10, 10, 40, 40);
    v.Stretched = false;
    v.Picture()->SetGraphic(Filled(100, 20, clRed).get());
    TWhiteBitmap b;
    v.Draw(b.Canvas(), 1, 1, 0, 0);
    EXPECT_EQ(b.At(45, 15), clRed);
    EXPECT_EQ(b.At(60, 15), clWhite); // past the right edge
    EXPECT_EQ(b.At(45, 35), clWhite); // below the picture
    // The canvas clip is given back: drawing outside the object works again.
    b.Canvas()->Brush()->SetColor(clBlue);
    b.Canvas()->FillRect(TRect{200, 100, 210, 110});
    EXPECT_EQ(b.At(205, 105), clBlue);
}

TEST(Picture, AutoSizeTakesThePicturesPixels) {
    TvrPictureView v(nullptr);
    v.SetBounds(0, 0, 10, 10);
    v.SetAutoSize(true);
    v.Picture()->SetGraphic(Filled(64, 32, clRed).get());
    EXPECT_EQ(v.Width(), 64);
    EXPECT_EQ(v.Height(), 32);
    EXPECT_TRUE(v.PictureChanged());
    EXPECT_EQ(v.GetDescription(), "obPicture");
}

TEST(Picture, BlobFieldsLoadAndFileLinksToNothingClear) {
    vrStartUp();
    TvrReport report(nullptr);
    auto* ds = new TBlobDataSet(&report);
    ds->SetUserName("Photos");
    ds->Data = WithBlobHeader(PngBytes(6, 4));
    auto* page = new TvrReportPage(&report);
    auto* v = new TvrPictureView(page);
    v->SetDataSet(ds);
    v->DataField = "Photo";
    v->GetData();
    ASSERT_NE(dynamic_cast<TPNGObject*>(v->Picture()->Graphic()), nullptr);
    EXPECT_EQ(v->Picture()->Width(), 6);
    // A field that is no BLOB leaves the picture as it is.
    v->DataField = "Name";
    v->GetData();
    EXPECT_NE(v->Picture()->Graphic(), nullptr);
    v->FileLink = "/nonexistent/picture.bmp";
    v->GetData();
    EXPECT_EQ(v->Picture()->Graphic(), nullptr);
}

TEST(Picture, PreparedPagesKeepEachChangedPictureOnceInTheCache) {
    TPreparedFixture f;
    auto* v = new TvrPictureView(f.Band);
    v->SetName("Picture1");
    v->SetBounds(300, 0, 50, 20);
    v->Picture()->SetGraphic(Filled(4, 4, clRed).get());
    TvrPictureView copy(nullptr);
    copy.SetBounds(300, 0, 50, 20);
    String first = v->Diff(&copy);
    EXPECT_EQ(v->ImageIndex, 1);
    EXPECT_FALSE(v->PictureChanged());
    EXPECT_NE(first.find("ImageIndex=\"1\""), String::npos);
    // Unchanged: the number is written again, the cache does not grow.
    v->Transparent = true;
    v->TransparentColor = clRed;
    String second = v->Diff(&copy);
    EXPECT_EQ(f.Pages->PictureCache()->Count(), 1);
    EXPECT_NE(second.find("ImageIndex=\"1\""), String::npos);
    EXPECT_NE(second.find("Transparent=\"True\""), String::npos);
    EXPECT_NE(second.find("TransparentColor=\"255\""), String::npos);
}

TEST(Picture, SourceCopiesCarryNoPictureSoEveryPageShowsItsOwn) {
    TPreparedFixture f;
    auto* v = new TvrPictureView(f.Band);
    v->SetName("Picture1");
    v->SetBounds(300, 0, 50, 20);
    v->Picture()->SetGraphic(Filled(4, 4, clRed).get()); // the layout's picture
    f.Pages->RegisterSourcePage(f.Page);
    EXPECT_TRUE(v->IsPictureStored); // the layout object still writes its picture
    auto* copy = dynamic_cast<TvrPictureView*>(f.Pages->Dictionary()->GetObject(v->PreparedAlias));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Picture()->Graphic(), nullptr);
    EXPECT_FALSE(copy->IsPictureStored);
    EXPECT_EQ(f.Pages->BaseText(copy).find("Picture."), String::npos) << f.Pages->BaseText(copy);

    // A pass that is not the final one puts nothing into the picture cache.
    f.Engine->FinalPass = false;
    f.AddPage(20, "first pass");
    EXPECT_EQ(f.Pages->PictureCache()->Count(), 0);
    f.Pages->DropPassOutput();
    f.Engine->FinalPass = true;

    // The layout's picture, a picture from the data, and none.
    f.AddPage(20, "layout");
    v->Picture()->SetGraphic(Filled(6, 2, clBlue).get());
    f.AddPage(20, "data");
    v->Picture()->SetGraphic(nullptr);
    f.AddPage(20, "none");
    ASSERT_EQ(f.Pages->GetPageCount(), 3);
    EXPECT_EQ(f.Pages->PictureCache()->Count(), 2);

    TStringStream file;
    f.Pages->WriteToStream(file);
    EXPECT_EQ(file.DataString().find("Picture.PropData"), String::npos); // only the cache holds pictures
    TPreparedFixture loaded;
    TStringStream in(file.DataString());
    loaded.Pages->ReadFromStream(in, false);
    struct TCase {
        int page, width, height;
    };
    for (TvrPreviewPages* pages : {f.Pages, loaded.Pages})
        for (const TCase& c : {TCase{0, 4, 4}, TCase{1, 6, 2}, TCase{2, 0, 0}}) {
            TvrComponent* page = pages->GetPreparedPage(c.page);
            ASSERT_NE(page, nullptr);
            auto* rebuilt = dynamic_cast<TvrPictureView*>(page->FindObject("Picture1"));
            ASSERT_NE(rebuilt, nullptr);
            const TGraphic* g = rebuilt->Picture()->Graphic();
            EXPECT_EQ(g ? g->Width() : 0, c.width) << c.page;
            EXPECT_EQ(g ? g->Height() : 0, c.height) << c.page;
        }
}

namespace {

// Bytes of a picture whose header says width x height, its header checksum put right.
std::vector<Byte> PngClaiming(uint32_t width, uint32_t height) {
    std::vector<Byte> png = PngBytes(2, 2);
    for (int i = 0; i < 4; ++i) {
        png[static_cast<size_t>(16 + i)] = Byte(width >> (24 - 8 * i));
        png[static_cast<size_t>(20 + i)] = Byte(height >> (24 - 8 * i));
    }
    const uLong crc = crc32(crc32(0, nullptr, 0), png.data() + 12, 17);
    for (int i = 0; i < 4; ++i)
        png[static_cast<size_t>(29 + i)] = Byte(crc >> (24 - 8 * i));
    return png;
}

std::vector<Byte> JpegClaiming(uint16_t width, uint16_t height) {
    TJPEGImage jpeg;
    jpeg.Assign(*Filled(8, 8, clRed));
    std::vector<Byte> bytes = Bytes(jpeg);
    for (size_t i = 0; i + 8 < bytes.size(); ++i)
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
            bytes[i + 5] = Byte(height >> 8);
            bytes[i + 6] = Byte(height);
            bytes[i + 7] = Byte(width >> 8);
            bytes[i + 8] = Byte(width);
            break;
        }
    return bytes;
}

} // namespace

TEST(Picture, APictureThatCannotBeDecodedDrawsAsItsFrameAndTheRestOfThePageDraws) {
    std::vector<Byte> damagedPng = PngBytes(8, 8);
    damagedPng.resize(damagedPng.size() - 20); // the image data cut short
    std::vector<Byte> badBmp = {'B', 'M'};
    badBmp.resize(60, 0xEE);
    std::vector<Byte> damagedJpeg = Bytes(*[] {
        auto j = std::make_unique<TJPEGImage>();
        j->Assign(*Filled(8, 8, clRed));
        return j;
    }());
    damagedJpeg.resize(damagedJpeg.size() / 2);
    const std::pair<const char*, std::vector<Byte>> cases[] = {
        {"damaged PNG", damagedPng},
        {"PNG of 60000 x 60000", PngClaiming(60000, 60000)},
        {"bad BMP", badBmp},
        {"damaged JPEG", damagedJpeg},
        {"JPEG of 60000 x 60000", JpegClaiming(60000, 60000)},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        TPreparedFixture f;
        auto* bad = new TvrPictureView(f.Band);
        bad->SetName("Bad");
        bad->SetBounds(0, 0, 50, 20);
        bad->Frame()->Typ = TvrFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
        bad->Picture()->SetGraphic(Filled(4, 4, clBlue).get());
        auto* good = new TvrPictureView(f.Band);
        good->SetName("Good");
        good->SetBounds(100, 0, 50, 20);
        good->KeepAspectRatio = false;
        good->Picture()->SetGraphic(Filled(4, 4, clRed).get());
        f.Build(1);
        // The first picture's bytes in the cache are damaged.
        TvrXMLDocument doc;
        f.Pages->PictureCache()->SaveToXML(doc.Root());
        ASSERT_EQ(doc.Root()->ItemCount(), 2);
        TMemoryStream damaged;
        damaged.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
        doc.Root()->GetItem(0)->SetProp("stream", StreamToHex(damaged));
        f.Pages->PictureCache()->LoadFromXML(doc.Root());
        f.Pages->ClearPageCache();
        for (int paint = 0; paint < 2; ++paint) {
            TBitmap bmp(300, 100, pf24bit);
            EXPECT_NO_THROW(f.Pages->PaintPage(0, bmp.Canvas(), 1, 1, 0, 0));
            // The page's top is at 20 units: the good picture is red, the bad one an empty frame.
            EXPECT_EQ(bmp.Canvas()->Pixels(125, 30), clRed);
            EXPECT_EQ(bmp.Canvas()->Pixels(25, 30), clWhite);
            EXPECT_EQ(bmp.Canvas()->Pixels(0, 30), clBlack);
        }
        EXPECT_EQ(f.Report.ErrorList()->Count(), 1) << f.Report.ErrorList()->Text();
        EXPECT_EQ(f.Report.ErrorList()->Text().rfind("Bad: ", 0), 0u) << f.Report.ErrorList()->Text();
    }
}

TEST(Picture, ALargePictureInASmallBoxIsShrunkOnceAndKept) {
    // 6000 x 6000 pixels: a full-size copy at 32 bits would take 144 MB.
    std::unique_ptr<TBitmap> big = Filled(6000, 6000, clRed);
    big->Canvas()->Brush()->SetColor(clBlue);
    big->Canvas()->FillRect(TRect{0, 0, 3000, 6000}); // the left half blue
    TPNGObject png;
    png.Assign(*big);
    struct Case {
        const char* Name;
        TGraphic* Graphic;
        bool HighQuality;
    };
    const Case cases[] = {{"bitmap", big.get(), false}, {"bitmap, high quality", big.get(), true},
                          {"PNG", &png, false}, {"PNG, high quality", &png, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TvrPictureView v(nullptr);
        v.SetBounds(0, 0, 100, 30);
        v.KeepAspectRatio = false;
        v.HightQuality = c.HighQuality;
        v.Picture()->SetGraphic(c.Graphic);
        TBitmap canvas(200, 100, pf24bit);
        ResetPeakMemory();
        const long before = PeakMemoryKb();
        for (int zoom = 1; zoom <= 2; ++zoom)
            for (int paint = 0; paint < 3; ++paint)
                v.Draw(canvas.Canvas(), zoom, zoom, 0, 0);
        EXPECT_LT(PeakMemoryKb() - before, 40 * 1024);
        // Drawn at zoom 2 into 200 x 60 pixels: blue left, red right.
        EXPECT_EQ(canvas.Canvas()->Pixels(20, 30), clBlue);
        EXPECT_EQ(canvas.Canvas()->Pixels(180, 30), clRed);
    }
}
