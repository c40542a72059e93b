// The picture object: recognising picture data, fitting the picture into the object, AutoSize,
// BLOB fields and the prepared-page record that keeps the picture once in the picture cache.
#include "WhiteBitmap.h"
#include "gui/Icon.h"
#include "gui/Jpeg.h"
#include "gui/Picture.h"
#include "report/vrClassObjects.h"
#include "report/vrPreviewPages.h"
#include "report/vrpngimage.h"
#include "vrPreviewPagesFixture.h"

#include <gtest/gtest.h>

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
