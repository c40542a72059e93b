// The plain text export: the character size taken from the texts, the blank-column squeeze,
// frames, page breaks, a font size of 0 and a file that cannot be created.
#include "ExportFixture.h"

#include "report/export/vrExportText.h"
#include "rtl/StrUtils.h"
#include "rtl/SysUtils.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TvrSimpleTextExport> NewText() {
    auto filter = TvrCustomExportFilter::CreateNoRegister<TvrSimpleTextExport>();
    filter->ShowDialog = false;
    filter->ShowProgress = false;
    return filter;
}

String Written(THandPages& pages, TvrSimpleTextExport& text) {
    TempDir dir;
    const String file = dir.File("out.txt");
    EXPECT_TRUE(pages.Drive(text, file));
    return TempDir::ReadAll(file);
}

void SizeTen(THandPages& pages) {
    for (TvrMemoView* memo : pages.Texts) memo->Font()->SetSize(10);
}

} // namespace

TEST(vrSimpleTextExport, CharacterSizeFromTheText) {
    THandPages pages;
    pages.AddPage("P", {{150, 0, 100, 20, "ABCD"}});
    SizeTen(pages);
    auto text = NewText();
    // 100 × 6 / (10 × 4) = 15 units a character, 20 × 5 / (1 × 10) = 10 a line; the object
    // begins at column 150 / 15 = 10, of which the squeeze keeps two blank columns.
    EXPECT_EQ(Written(pages, *text), "  ABCD\r\n\x0C");
    EXPECT_EQ(text->CharWidth, 15);
    EXPECT_EQ(text->CharHeight, 10);
}

TEST(vrSimpleTextExport, AnEmptyObjectMakesTheWidthOnePixel) {
    THandPages pages;
    pages.AddPage("P", {{0, 0, 100, 20, "ABCD"}, {400, 0, 100, 20, "EF"}, {0, 100, 50, 20, ""}});
    SizeTen(pages);
    auto text = NewText();
    // Columns are pixels now; the squeeze leaves two blanks between the texts.
    EXPECT_EQ(Written(pages, *text), "ABCD  EF\r\n\x0C");
    EXPECT_EQ(text->CharWidth, 1);
}

TEST(vrSimpleTextExport, FramesAndPageBreaks) {
    THandPages pages;
    pages.AddPage("P", {{150, 20, 100, 20, "ABCD"}});
    SizeTen(pages);
    pages.Texts[0]->Frame()->Typ = TvrFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
    auto text = NewText();
    text->Frames = true;
    // 15 × 10 units a cell: the object is 7 columns (text in 6) and 2 rows from (10, 2). "-" above,
    // "|" on the left, the right "|" on the last text column, and the bottom on the object's
    // last row, where it overwrites the sides.
    EXPECT_EQ(Written(pages, *text), "  -------\r\n  |ABCD |\r\n  -------\r\n\x0C");
    text->Frames = false;
    text->PageBreaks = false;
    pages.AddPage("Q", {{150, 0, 100, 20, "ABCD"}});
    SizeTen(pages);
    EXPECT_EQ(Written(pages, *text), "  ABCD\r\n  ABCD\r\n");
}

TEST(vrSimpleTextExport, FontSizeZeroOffersNoCandidate) {
    THandPages pages;
    pages.AddPage("P", {{150, 0, 100, 20, "ABCD"}, {300, 0, 100, 20, "XY"}});
    SizeTen(pages);
    pages.Texts[1]->Font()->SetSize(0);
    auto text = NewText();
    const String out = Written(pages, *text);
    EXPECT_EQ(text->CharWidth, 15);
    EXPECT_NE(out.find("ABCD"), String::npos);
}

TEST(vrSimpleTextExport, AFileThatCannotBeCreatedIsReported) {
    THandPages pages;
    pages.AddPage("P", {{0, 0, 100, 20, "ABCD"}});
    auto text = NewText();
    EXPECT_THROW(pages.Drive(*text, "/nonexistent-folder/x.txt"), EFCreateError);
    text->FileName.clear();
    EXPECT_FALSE(text->Start());
}
