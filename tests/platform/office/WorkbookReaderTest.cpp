#include "TempDir.h"
#include "XlsFixture.h"
#include "office/WorkbookReader.h"

#include <gtest/gtest.h>

namespace {

class WorkbookReaderTest : public testing::Test {
protected:
    TempDir Dir;
    std::string Book = Dir.File("book.xls");
};

TEST_F(WorkbookReaderTest, SheetsInWorkbookOrderAndCellsAsText) {
    ASSERT_TRUE(WriteXls(Book, {{"房屋", {{XlsText("小区名称"), XlsText("建筑面积"), XlsText("手机"), XlsText("日期")},
                                         {XlsText("阳光小区"), XlsNumber(85.5), XlsNumber(13800138000.0), XlsDate("2021-05-01")},
                                         {XlsEmpty(), XlsNumber(101), XlsNumber(0.1 + 0.2), XlsText("")}}},
                                {"B表", {{XlsText("x")}}},
                                {"A表", {}}}));
    TWorkbookReader book(Book);
    ASSERT_EQ(book.SheetCount(), 3);
    EXPECT_EQ(book.SheetName(0), "房屋");
    EXPECT_EQ(book.SheetName(1), "B表");
    EXPECT_EQ(book.SheetName(2), "A表");
    book.SelectSheet(0);
    ASSERT_EQ(book.RowCount(), 3);
    ASSERT_EQ(book.ColCount(), 4);
    EXPECT_EQ(book.CellText(0, 0), "小区名称");
    EXPECT_EQ(book.CellText(1, 0), "阳光小区");
    EXPECT_EQ(book.CellText(1, 1), "85.5");
    EXPECT_EQ(book.CellText(1, 2), "13800138000");
    EXPECT_EQ(book.CellText(1, 3), "2021-05-01");
    EXPECT_EQ(book.CellText(2, 1), "101");
    EXPECT_EQ(book.CellText(2, 2), "0.3"); // 15 significant digits
    EXPECT_TRUE(book.CellEmpty(2, 0));
    EXPECT_TRUE(book.CellEmpty(2, 3));
    EXPECT_FALSE(book.CellEmpty(2, 1));
    EXPECT_EQ(book.CellText(9, 9), ""); // beyond the sheet
    book.SelectSheet(2);
    EXPECT_EQ(book.RowCount(), 0);
    EXPECT_THROW(book.SelectSheet(3), EWorkbookError);
}

TEST_F(WorkbookReaderTest, NumberTexts) {
    const struct {
        double Value;
        const char* Text;
    } cases[] = {{101, "101"}, {85.5, "85.5"}, {13800138000.0, "13800138000"}, {-3, "-3"},
                 {0, "0"},     {-0.0, "0"},   {1.0 / 3, "0.333333333333333"},   {440301198001011.0, "440301198001011"}};
    for (const auto& c : cases)
        EXPECT_EQ(WorkbookNumberText(c.Value), c.Text) << c.Value;
}

TEST_F(WorkbookReaderTest, WhatIsNotAReadableWorkbookIsRefused) {
    ASSERT_TRUE(WriteXls(Book, {{"S", {{XlsText("a"), XlsText("b")}, {XlsNumber(1), XlsText("x")}}}}));
    const std::string good = TempDir::ReadAll(Book);
    ASSERT_GT(good.size(), 1024u);
    const std::string protectedBook = Dir.File("protected.xls");
    ASSERT_TRUE(WriteXls(protectedBook, {{"S", {{XlsText("a")}}}}, true));
    // A cell record whose length says more than the file holds (FreeXL reads past its buffer).
    std::string longRecord = good;
    const size_t label = longRecord.find(std::string("\xfd\x00\x0a\x00", 4));
    ASSERT_NE(label, std::string::npos);
    longRecord[label + 2] = '\xf5';
    longRecord[label + 3] = '\xff';
    std::string flipped = good;
    for (size_t i = 512; i < flipped.size(); i += 7)
        flipped[i] = static_cast<char>(~flipped[i]);
    const struct {
        const char* Name;
        std::string Data;
    } cases[] = {{"truncated.xls", good.substr(0, good.size() / 3)},
                 {"header-only.xls", good.substr(0, 512)},
                 {"flipped.xls", flipped},
                 {"long-record.xls", longRecord},
                 {"text.xls", "小区名称,房间编号\n阳光小区,101\n"},
                 {"empty.xls", ""},
                 {"newer.xls", std::string("PK\x03\x04", 4) + std::string(200, 'x')}};
    for (const auto& c : cases) {
        const std::string file = Dir.File(c.Name);
        TempDir::WriteAll(file, c.Data);
        EXPECT_THROW(
            {
                TWorkbookReader book(file);
                for (int s = 0; s < book.SheetCount(); ++s) {
                    book.SelectSheet(s);
                    for (int r = 0; r < book.RowCount(); ++r)
                        for (int col = 0; col < book.ColCount(); ++col)
                            book.CellText(r, col);
                }
                throw EWorkbookError("read without a complaint");
            },
            EWorkbookError)
            << c.Name;
    }
    for (const std::string& file : {protectedBook, Dir.File("missing.xls"), std::string()})
        EXPECT_THROW(TWorkbookReader{file}, EWorkbookError) << file;
    EXPECT_TRUE(TWorkbookReader::HasWorkbookSignature(Book));
    // One byte flipped anywhere: read or refused, never a crash of the program.
    const std::string one = Dir.File("one.xls");
    int refused = 0;
    for (size_t i = 0; i < good.size(); i += 61) {
        std::string damaged = good;
        damaged[i] = static_cast<char>(~damaged[i]);
        TempDir::WriteAll(one, damaged);
        try {
            TWorkbookReader book(one);
        } catch (const EWorkbookError&) {
            ++refused;
        }
    }
    EXPECT_GT(refused, 0);
    EXPECT_FALSE(TWorkbookReader::HasWorkbookSignature(Dir.File("text.xls")));
}

} // namespace
