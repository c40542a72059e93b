// Workbooks written by TWorkbookWriter and read back by an independent reader (openpyxl).
#include "office/WorkbookWriter.h"
#include "TempDir.h"
#include "WorkbookReader.h"

#include "rtl/FileUtils.h"

#include <gtest/gtest.h>

namespace {

std::string Repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

TEST(WorkbookWriter, CellsFormatsAndWidthsReadBack) {
    TempDir dir;
    const String file = dir.File("book.xlsx");
    TWorkbookWriter book(file);
    book.AddSheet("房屋列表");
    book.WriteText(0, 0, "房间编号");
    book.WriteText(0, 1, "合同金额");
    book.WriteText(0, 2, "备注");
    book.WriteText(1, 0, "007");
    book.WriteNumber(1, 1, 1234.5, "￥#,##0.00");
    book.WriteText(1, 2, String("a\0b", 3));
    book.WriteText(2, 0, "");
    book.WriteNumber(2, 1, Currency::FromRaw(980250), "￥#,##0.00");
    book.WriteText(2, 2, Repeat("中", 40000));
    book.WriteNumber(3, 1, -0.5);
    book.SetColumnWidthPixels(0, 150);
    book.Close();

    const TReadWorkbook read = ReadWorkbook(file);
    ASSERT_TRUE(read.Ok) << read.Output;
    EXPECT_EQ(read.Sheets, std::vector<std::string>{"房屋列表"});
    EXPECT_EQ(read.TextAt(0, 1), "合同金额");
    EXPECT_EQ(read.At(1, 0)->Kind, "s");
    EXPECT_EQ(read.TextAt(1, 0), "007");
    ASSERT_NE(read.At(1, 1), nullptr);
    EXPECT_EQ(read.At(1, 1)->Kind, "n");
    EXPECT_EQ(read.At(1, 1)->Number, 1234.5);
    EXPECT_EQ(read.At(1, 1)->Format, "￥#,##0.00");
    EXPECT_EQ(read.TextAt(1, 2), "ab"); // the NUL dropped
    EXPECT_EQ(read.At(2, 1)->Number, 98.025);
    EXPECT_EQ(read.TextAt(2, 2), Repeat("中", WorkbookMaxCellChars)); // cut at the cell's limit
    EXPECT_EQ(read.At(3, 1)->Format, "General");
    EXPECT_EQ(read.At(3, 1)->Number, -0.5);
    EXPECT_GT(read.Widths.at(0), 15.0);
}

TEST(WorkbookWriter, SheetNamesFromAnyText) {
    const struct {
        const char* Text;
        const char* Name;
    } cases[] = {
        {"房屋资料统计列表", "房屋资料统计列表"},
        {"2024/03 [收费]: a*b?c\\d", "2024_03 _收费__ a_b_c_d"},
        {"'引用'", "引用"},
        {"", "Sheet1"},
        {"一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三",
         "一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一"},
    };
    TempDir dir;
    TWorkbookWriter book(dir.File("names.xlsx"));
    for (const auto& c : cases) {
        EXPECT_EQ(TWorkbookWriter::SheetNameFor(c.Text), c.Name) << c.Text;
        book.AddSheet(TWorkbookWriter::SheetNameFor(c.Text)); // each one accepted
    }
}

TEST(WorkbookWriter, FailuresRaiseAndLeaveNoFile) {
    TempDir dir;
    const String file = dir.File("unfinished.xlsx");
    {
        TWorkbookWriter book(file);
        EXPECT_THROW(book.WriteText(0, 0, "no sheet yet"), EWorkbookError);
        EXPECT_THROW(book.AddSheet("a/b"), EWorkbookError);
        book.AddSheet("ok");
        EXPECT_THROW(book.WriteText(-1, 0, "x"), EWorkbookError);
        EXPECT_THROW(book.WriteNumber(0, 20000, 1.0), EWorkbookError);
        book.WriteText(0, 0, "x");
    } // destroyed before Close
    EXPECT_FALSE(FileExists(file));

    TWorkbookWriter nowhere(dir.File("missing/folder/book.xlsx"));
    nowhere.AddSheet("s");
    nowhere.WriteText(0, 0, "x");
    EXPECT_THROW(nowhere.Close(), EWorkbookError);
    EXPECT_THROW(nowhere.WriteText(1, 0, "closed"), EWorkbookError);
}

} // namespace
