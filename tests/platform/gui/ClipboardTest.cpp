#include "gui/Clipbrd.h"
#include "gui/Picture.h"
#include "rtl/CodePage.h"

#include <gtest/gtest.h>

TEST(Clipboard, TextRoundTripsInUtf8AndGivesGbkBytes) {
    TClipboard* c = Clipboard();
    c->SetAsText("物业费 fee");
    EXPECT_TRUE(c->HasFormat(CF_TEXT));
    EXPECT_EQ(c->AsText(), "物业费 fee");
    std::string gbk = AnsiFromUtf8("物业费 fee");
    EXPECT_EQ(c->GetAsBytes(CF_TEXT), std::vector<Byte>(gbk.begin(), gbk.end()));
    std::vector<Byte> utf16 = c->GetAsBytes(CF_UNICODETEXT);
    ASSERT_EQ(utf16.size(), 14u);
    EXPECT_EQ(utf16[0], 0x69); // 物 U+7269
    EXPECT_EQ(utf16[1], 0x72);

    std::string in = AnsiFromUtf8("收据");
    in.push_back('\0');
    c->SetAsBytes(CF_TEXT, std::vector<Byte>(in.begin(), in.end()));
    EXPECT_EQ(c->AsText(), "收据");
}

TEST(Clipboard, RegisteredFormatsCarryTheirBytes) {
    Word grid = RegisterClipboardFormat("VCLDBIF");
    EXPECT_GE(grid, 0xC000);
    EXPECT_EQ(RegisterClipboardFormat("vcldbif"), grid);
    EXPECT_EQ(GetClipboardFormatName(grid), "VCLDBIF");
    Word csv = RegisterClipboardFormat("Csv");
    EXPECT_NE(csv, grid);
    EXPECT_EQ(RegisterClipboardFormat(""), 0);

    TClipboard* c = Clipboard();
    std::vector<Byte> data = {0, 1, 2, 0xFF, 0, 'x'};
    c->SetAsBytes(grid, data);
    EXPECT_TRUE(c->HasFormat(grid));
    EXPECT_FALSE(c->HasFormat(CF_TEXT)); // a setting outside Open replaces the contents
    EXPECT_EQ(c->GetAsBytes(grid), data);
    EXPECT_TRUE(c->GetAsBytes(csv).empty());

    // Between Open and Close the formats go on together.
    c->Open();
    c->SetAsText("a\tb");
    std::string line = "\"a\";\"b\"";
    c->SetAsBytes(csv, std::vector<Byte>(line.begin(), line.end()));
    c->SetAsBytes(grid, data);
    c->Close();
    EXPECT_EQ(c->AsText(), "a\tb");
    EXPECT_EQ(c->GetAsBytes(csv), std::vector<Byte>(line.begin(), line.end()));
    EXPECT_EQ(c->GetAsBytes(grid), data);
    auto formats = c->Formats();
    EXPECT_NE(std::find(formats.begin(), formats.end(), csv), formats.end());

    c->Clear();
    EXPECT_FALSE(c->HasFormat(grid));
    EXPECT_EQ(c->AsText(), "");
}

TEST(Clipboard, PicturesTravelAsBitmaps) {
    TBitmap b(6, 4, pf24bit);
    b.Canvas()->Brush()->SetColor(clTeal);
    b.Canvas()->FillRect(Rect(0, 0, 6, 4));
    b.Canvas()->SetPixels(5, 3, clRed);
    TClipboard* c = Clipboard();
    c->Assign(b);
    EXPECT_TRUE(c->HasFormat(CF_DIB));
    TPicture pic;
    ASSERT_TRUE(c->GetPicture(pic));
    ASSERT_NE(dynamic_cast<TBitmap*>(pic.Graphic()), nullptr);
    EXPECT_EQ(pic.Width(), 6);
    EXPECT_EQ(pic.Bitmap()->Pixel(0, 0), clTeal);
    EXPECT_EQ(pic.Bitmap()->Pixel(5, 3), clRed);
    c->SetAsText("no picture");
    EXPECT_FALSE(c->GetPicture(pic));
}
