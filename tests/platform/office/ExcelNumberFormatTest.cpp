// The program's display formats as the spreadsheet's number formats.
#include "office/ExcelNumberFormat.h"

#include <gtest/gtest.h>

namespace {

TEST(ExcelNumberFormat, DisplayFormatsTranslate) {
    const struct {
        const char* Display;
        const char* Excel;
    } cases[] = {
        // the money and quantity formats of the decimal places
        {"￥,0.00##;-￥,0.00##", "￥#,##0.00##;-￥#,##0.00##"},
        {",0.##", "#,##0.##"},
        {"0.##", "0.##"},
        {"￥,0.", "￥#,##0"},
        {"￥,0.00", "￥#,##0.00"},
        {"￥,0.00###", "￥#,##0.00###"},
        {"0.", "0"},
        // grouping already in the spreadsheet's place, and zero padding kept
        {"#,##0.00", "#,##0.00"},
        {"000000", "000000"},
        {"0,000", "0,000"},
        // exponents, a third section, quoted literals and characters that are codes there
        {"0.00E+00", "0.00E+00"},
        {"0.00;-0.00;'零'", "0.00;-0.00;\"零\""},
        {"\"合计 \"0.00", "\"合计 \"0.00"},
        {"'say \"hi\"'0", "\"say \"\\\"\"hi\"\\\"0"},
        {"0.0%", "0.0\\%"},
        {"0.00 kg", "0.00 \\k\\g"},
        {"", "General"},
        {"  ", "General"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExcelNumberFormat(c.Display), c.Excel) << c.Display;
}

} // namespace
