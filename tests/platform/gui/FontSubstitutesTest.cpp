#include "gui/FontFamilies.h"
#include "gui/FontSubstitutes.h"
#include "gui/Bitmap.h"

#include <gtest/gtest.h>

TEST(FontSubstitutes, WindowsFacesMapToInstalledFonts) {
    struct {
        const char* Asked;
        const char* Installed;
    } cases[] = {
        {"宋体", "WenQuanYi Micro Hei"},
        {"SimSun", "WenQuanYi Micro Hei"},
        {"新宋体", "WenQuanYi Micro Hei"},
        {"黑体", "WenQuanYi Micro Hei"},
        {"Arial", "Liberation Sans"},
        {"tahoma", "Liberation Sans"},
        {"MS Sans Serif", "Liberation Sans"},
        {"Verdana", "Liberation Sans"},
        {"System", "Liberation Sans"},
        {"Courier New", "Liberation Mono"},
        {"Times New Roman", "Liberation Serif"},
        {"Wingdings", "WenQuanYi Micro Hei"},
        {"No Such Face", "Liberation Sans"},
        {"", "Liberation Sans"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SubstituteFontName(c.Asked), c.Installed) << c.Asked;
    // Every family the table names is installed (an installed family stands for itself).
    for (const auto& [asked, installed] : FontSubstitutionTable())
        EXPECT_EQ(SubstituteFontName(installed), installed);
    EXPECT_TRUE(IsSymbolFontName("WINGDINGS"));
    EXPECT_FALSE(IsSymbolFontName("Arial"));
}

TEST(FontSubstitutes, EveryTableFaceDrawsChineseAndLatinText) {
    for (const auto& [asked, installed] : FontSubstitutionTable()) {
        if (IsSymbolFontName(asked)) continue;
        TBitmap b(120, 24, pf24bit);
        TCanvas* c = b.Canvas();
        c->Brush()->SetColor(clWhite);
        c->FillRect(Rect(0, 0, 120, 24));
        c->Font()->SetName(asked);
        c->Font()->SetHeight(-16);
        c->TextOut(0, 0, "收费 Fee");
        int ink = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 120; ++x)
                if (b.Pixel(x, y) != clWhite) ++ink;
        EXPECT_GT(ink, 60) << asked;
        EXPECT_GT(c->TextWidth("收费"), 2 * 12) << asked;
    }
}

TEST(FontRealCharset, ChineseFamiliesReport134) {
    // The package list installs WenQuanYi Micro Hei (Chinese) and the Liberation fonts (Latin).
    struct TCase {
        const char* Name;
        int Charset;
    } cases[] = {{"WenQuanYi Micro Hei", 134}, {"宋体", 134}, {"Liberation Serif", 0}};
    for (const TCase& c : cases)
        EXPECT_EQ(FontRealCharset(c.Name), c.Charset) << c.Name;
}
