// The resource manager's image lists: filled on first use from the packed image strips, cut into
// cells by the setters; a missing or damaged strip raises and leaves the list empty for a retry.
#include "report/vrRes.h"

#include "GZipMembers.h"
#include "gui/Bitmap.h"
#include "gui/ImgList.h"
#include "report/vrGZip.h"

#include <gtest/gtest.h>

namespace {

// The pixel of image index, transparent parts in clFuchsia.
TColor ImagePixel(TImageList* list, int index, int x, int y) {
    const TColor saved = list->BkColor();
    list->SetBkColor(clFuchsia);
    TBitmap b;
    list->GetBitmap(index, &b);
    list->SetBkColor(saved);
    return b.Pixel(x, y);
}

// A strip of cells of one colour each, with the cells' bottom-left pixels in clLime.
std::unique_ptr<TBitmap> Strip(int cell, const std::vector<TColor>& colours, int perRow) {
    const int rows = (static_cast<int>(colours.size()) + perRow - 1) / perRow;
    auto b = std::make_unique<TBitmap>(cell * perRow, cell * rows, pf24bit);
    for (size_t i = 0; i < colours.size(); ++i) {
        const int left = static_cast<int>(i) % perRow * cell, top = static_cast<int>(i) / perRow * cell;
        b->Canvas()->Brush()->SetColor(colours[i]);
        b->Canvas()->FillRect(TRect(left, top, left + cell, top + cell));
        b->Canvas()->SetPixels(left, top + cell - 1, clLime);
    }
    return b;
}

std::vector<Byte> Bytes(const String& s) {
    return std::vector<Byte>(s.begin(), s.end());
}

// Replaces a packed resource for one test and brings back the built-in one afterwards.
class TResourceGuard {
public:
    explicit TResourceGuard(String name) : FName(std::move(name)) {}
    ~TResourceGuard() { SetProgramResource(FName, {}); }
    void Set(const String& bytes) { SetProgramResource(FName, Bytes(bytes)); }

private:
    String FName;
};

} // namespace

TEST(vrResImages, BuiltInStripsFillEveryListOnFirstUse) {
    TvrResources r;
    EXPECT_EQ(r.GetPreviewImages()->Count(), 25); // the preview's buttons use images 0 to 24
    EXPECT_GE(r.GetDesignerImages()->Count(), 100);
    EXPECT_EQ(r.GetDisabledDesignerImages()->Count(), r.GetDesignerImages()->Count());
    EXPECT_GE(r.GetObjectImages()->Count(), 4);
    EXPECT_GE(r.GetWizardImages()->Count(), 3);
    EXPECT_EQ(r.GetWizardImages()->Width(), 32);
    EXPECT_EQ(r.GetPreviewImages()->Height(), 16);
    // Each cell's bottom-left pixel is its transparent colour; a button and its disabled form differ.
    for (TImageList* list : {r.GetPreviewImages(), r.GetObjectImages(), r.GetDesignerImages()})
        for (int i = 0; i < list->Count(); ++i)
            ASSERT_EQ(ImagePixel(list, i, 0, 15), clFuchsia) << i;
    int differing = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            differing += ImagePixel(r.GetDesignerImages(), 0, x, y) !=
                         ImagePixel(r.GetDisabledDesignerImages(), 0, x, y);
    EXPECT_GT(differing, 0);
    // The lists stay filled: a second call adds nothing.
    EXPECT_EQ(r.GetPreviewImages()->Count(), 25);
}

TEST(vrResImages, BuiltInResourcesAreBmpFilesInGzipMembers) {
    for (const char* name : {"DesgnButtons", "PreviewButtons", "ObjectButtons", "WizardButtons"}) {
        const std::vector<Byte> packed = ReadProgramResource(name);
        TMemoryStream in, out;
        in.WriteBuffer(packed.data(), static_cast<Int64>(packed.size()));
        in.SetPosition(0);
        EXPECT_EQ(ReadGZipStream(in, out), String(name) + ".bmp");
        ASSERT_GT(out.Size(), 54);
        EXPECT_EQ(out.Bytes()[0], 'B');
        EXPECT_EQ(out.Bytes()[1], 'M');
    }
    EXPECT_EQ(ReadProgramResource("previewbuttons"), ReadProgramResource("PreviewButtons")); // case-blind
    try {
        ReadProgramResource("NoSuchButtons");
        FAIL();
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource NoSuchButtons not found");
    }
}

TEST(vrResImages, SettersCutCellsInOrderAndAppendOrClear) {
    TvrResources r;
    auto strip = Strip(16, {clRed, clBlue, clGreen, clYellow, clNavy, clMaroon}, 2);
    r.SetPreviewImages(strip.get(), true);
    ASSERT_EQ(r.GetPreviewImages()->Count(), 6); // filled: the built-in strip is not loaded
    const TColor expected[] = {clRed, clBlue, clGreen, clYellow, clNavy, clMaroon};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(ImagePixel(r.GetPreviewImages(), i, 8, 8), expected[i]) << i;
        EXPECT_EQ(ImagePixel(r.GetPreviewImages(), i, 0, 15), clFuchsia) << i; // masked by clLime
    }
    r.SetPreviewImages(strip.get(), false);
    EXPECT_EQ(r.GetPreviewImages()->Count(), 12);
    r.SetPreviewImages(strip.get(), true);
    EXPECT_EQ(r.GetPreviewImages()->Count(), 6);

    // Designer cells go in pairs: the button, then its disabled form.
    r.SetDesignerImages(strip.get(), true);
    ASSERT_EQ(r.GetDesignerImages()->Count(), 3);
    ASSERT_EQ(r.GetDisabledDesignerImages()->Count(), 3);
    EXPECT_EQ(ImagePixel(r.GetDesignerImages(), 1, 8, 8), clGreen);
    EXPECT_EQ(ImagePixel(r.GetDisabledDesignerImages(), 1, 8, 8), clYellow);
    r.SetDesignerImages(strip.get(), false);
    EXPECT_EQ(r.GetDisabledDesignerImages()->Count(), 6);

    auto wizards = Strip(32, {clTeal, clOlive, clPurple}, 3);
    r.SetWizardImages(wizards.get(), true);
    ASSERT_EQ(r.GetWizardImages()->Count(), 3);
    EXPECT_EQ(ImagePixel(r.GetWizardImages(), 2, 20, 20), clPurple);
    r.SetObjectImages(wizards.get(), true); // 32-pixel cells into a 16-pixel list: cut at 16
    EXPECT_EQ(r.GetObjectImages()->Count(), 12);
}

TEST(vrResImages, DamagedOrMissingStripRaisesAndTheNextCallTriesAgain) {
    TResourceGuard guard("PreviewButtons");
    const String bmp = [] {
        auto strip = Strip(16, {clRed, clBlue, clGreen}, 3);
        TMemoryStream m;
        strip->SaveToStream(m);
        return String(m.Bytes().begin(), m.Bytes().end());
    }();
    TvrResources r;

    guard.Set(gziptest::Member(bmp, 0, "", gziptest::Adler(bmp) ^ 1)); // wrong checksum
    try {
        r.GetPreviewImages();
        FAIL();
    } catch (const EZDecompressionError& e) {
        EXPECT_EQ(e.Message(), "data error");
    }
    guard.Set("not a gzip member");
    EXPECT_THROW(r.GetPreviewImages(), EZDecompressionError);
    guard.Set(gziptest::Member("BM but no bitmap"));
    EXPECT_THROW(r.GetPreviewImages(), EInvalidGraphic);

    // Each failure left the list empty: the sound strip now fills it with exactly its cells.
    guard.Set(gziptest::Member(bmp));
    EXPECT_EQ(r.GetPreviewImages()->Count(), 3);
    EXPECT_EQ(ImagePixel(r.GetPreviewImages(), 2, 8, 8), clGreen);
}
