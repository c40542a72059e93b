// The picture exports: sizes at a resolution, the one tall picture and its cap, cropping, file
// names, non-printable objects, JPEG quality, refused resolutions; pictures read by Pillow.
#include "ExportFixture.h"

#include "gui/Bitmap.h"
#include "report/export/vrExportImage.h"
#include "report/vrClassMemo.h"
#include "rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace {

// Pillow's view of a picture: "width height extrema", plus the extra text of the script.
String Pillow(const String& file, const String& extra = String()) {
    String out;
    const String script = "from PIL import Image; im = Image.open('" + file +
                          "'); print(im.size[0], im.size[1], im.convert('L').getextrema())" + extra;
    EXPECT_EQ(RunProgram(SystemPython() + " -c \"" + script + "\"", &out), 0) << out;
    return Trim(out);
}

String Size(const String& file) {
    const String text = Pillow(file);
    const auto second = text.find(' ', text.find(' ') + 1);
    return text.substr(0, second);
}

template <class T> std::unique_ptr<T> New() {
    return TvrCustomExportFilter::CreateNoRegister<T>();
}

} // namespace

TEST(vrImageExport, ResolutionScalesThePage) {
    THandPages pages;
    TvrReportPage* page = pages.AddGridPage("P", 2, 2);
    auto bmp = New<TvrBMPExport>();
    bmp->ImageDpi = 192;
    TempDir dir;
    ASSERT_TRUE(pages.Drive(*bmp, dir.File("x.bmp")));
    const long w = std::lround(page->Width() * 2), h = std::lround(page->Height() * 2);
    EXPECT_EQ(Size(dir.File("x.1.bmp")), std::to_string(w) + " " + std::to_string(h));
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.bmp")));
}

TEST(vrImageExport, PagesGetNumberedFilesAndFormats) {
    const struct {
        const char* Name;
        std::unique_ptr<TvrCustomImageExport> Filter;
        const char* First;
        const char* Second;
    } cases[] = {
        {"BMP", New<TvrBMPExport>(), "x.1.bmp", "x.2.bmp"},
        {"JPEG", New<TvrJPEGExport>(), "x.1.jpg", "x.2.jpg"},
        {"GIF", New<TvrGIFExport>(), "x.1.gif", "x.2.gif"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        THandPages pages;
        pages.AddGridPage("P1", 1, 1);
        pages.AddGridPage("P2", 1, 1);
        TempDir dir;
        ASSERT_TRUE(pages.Drive(*c.Filter, dir.File("x.bmp")));
        for (const char* name : {c.First, c.Second}) {
            ASSERT_TRUE(std::filesystem::exists(dir.File(name))) << name;
            // Black text on white: the darkest pixel is dark, the lightest white.
            const String text = Pillow(dir.File(name));
            EXPECT_NE(text.find(", 255)"), String::npos) << text;
        }
    }
}

TEST(vrImageExport, OneTallPictureIsAsTallAsTheChosenPagesAndCapped) {
    for (const int count : {2, 30}) {
        SCOPED_TRACE(count);
        THandPages pages;
        pages.Report.EngineOptions()->NewSilentMode = simSilent;
        TvrReportPage* page = nullptr;
        for (int i = 0; i < count; ++i) page = pages.AddGridPage("P" + IntToStr(i), 1, 1);
        auto bmp = New<TvrBMPExport>();
        bmp->SeparateFiles = false;
        TempDir dir;
        ASSERT_TRUE(pages.Drive(*bmp, dir.File("x.bmp")));
        const long w = std::lround(page->Width()), h = std::lround(page->Height());
        const long tall = std::min<long>(h * count, 30000);
        EXPECT_EQ(Size(dir.File("x.bmp")), std::to_string(w) + " " + std::to_string(tall));
        const String errors = pages.Report.ErrorList()->Text();
        if (count == 30) {
            EXPECT_NE(errors.find("pages cut: 27, 28, 29, 30"), String::npos) << errors;
        } else {
            EXPECT_EQ(errors, "");
        }
    }
}

TEST(vrImageExport, CroppingKeepsTheDrawnObjects) {
    const struct {
        const char* Name;
        std::vector<TTextSpec> Texts;
        bool Printable;
        const char* Expected; // empty: the whole page
    } cases[] = {
        {"one object", {{100, 200, 200, 60, "x"}}, true, "201 61"},
        {"nothing drawn keeps the page", {}, true, ""},
        {"a non-printable object is not drawn", {{100, 200, 200, 60, "x"}}, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        THandPages pages;
        TvrReportPage* page = pages.AddPage("P", c.Texts);
        for (TvrMemoView* memo : pages.Texts) {
            memo->Frame()->Typ = TvrFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
            memo->Printable = c.Printable;
        }
        auto bmp = New<TvrBMPExport>();
        bmp->CropImages = true;
        bmp->ExportNotPrintable = true;
        TempDir dir;
        ASSERT_TRUE(pages.Drive(*bmp, dir.File("x.bmp")));
        const String expected = *c.Expected ? String(c.Expected)
                                            : std::to_string(std::lround(page->Width())) + " " +
                                                  std::to_string(std::lround(page->Height()));
        EXPECT_EQ(Size(dir.File("x.1.bmp")), expected);
        if (!c.Printable) {
            EXPECT_NE(Pillow(dir.File("x.1.bmp")).find("(255, 255)"), String::npos);
        }
    }
}

TEST(vrImageExport, JpegQualityReadsBack) {
    THandPages pages;
    pages.AddGridPage("P", 3, 3);
    auto jpeg = New<TvrJPEGExport>();
    jpeg->JPEGQuality = 50;
    TempDir dir;
    ASSERT_TRUE(pages.Drive(*jpeg, dir.File("x.jpg")));
    // Pillow saving at quality 50 uses the same standard quantization tables.
    const String out = Pillow(dir.File("x.1.jpg"), "; im.save('" + dir.File("p.jpg") +
                                                       "', quality=50); print(Image.open('" + dir.File("p.jpg") +
                                                       "').quantization == im.quantization)");
    EXPECT_NE(out.find("True"), String::npos) << out;
}

TEST(vrImageExport, ResolutionOfZeroOrLessIsRefused) {
    for (const int dpi : {0, -96}) {
        THandPages pages;
        pages.AddGridPage("P", 1, 1);
        auto bmp = New<TvrBMPExport>();
        bmp->ImageDpi = dpi;
        TempDir dir;
        EXPECT_THROW(pages.Drive(*bmp, dir.File("x.bmp")), EConvertError) << dpi;
    }
}

TEST(vrImageExport, Defaults) {
    auto bmp = New<TvrBMPExport>();
    auto jpeg = New<TvrJPEGExport>();
    auto gif = New<TvrGIFExport>();
    EXPECT_EQ(bmp->GetDescription(), "BMP 图");
    EXPECT_EQ(jpeg->GetDescription(), "JPEG 图");
    EXPECT_EQ(gif->GetDescription(), "Gif 图像");
    EXPECT_EQ(jpeg->DefaultExtension, ".jpg");
    EXPECT_EQ(gif->FilterDescription, "Gif file (*.gif)|*.gif");
    EXPECT_EQ(jpeg->JPEGQuality, 90);
    EXPECT_EQ(bmp->ImageDpi, 96);
    EXPECT_TRUE(bmp->SeparateFiles);
    EXPECT_NE(TvrJPEGExport::StaticClassInfo().FindProperty("JPEGQuality"), nullptr);
    EXPECT_EQ(TvrBMPExport::StaticClassInfo().FindProperty("JPEGQuality"), nullptr);
}
