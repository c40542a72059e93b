// The export string table as the resources hand it out.
#include "report/export/vrrcExports.h"
#include "report/vrRes.h"
#include "rtl/CodePage.h"

#include <gtest/gtest.h>

TEST(vrrcExports, TextsComeFromTheResources) {
    vrLoadExportStrings();
    vrLoadExportStrings(); // a second load changes nothing
    const struct {
        const char* Key;
        const char* Text;
    } cases[] = {
        {"8852", ".csv"},         {"8999", "8999"}, // a key the table lacks is its own text
        {"XlsXMLexport", "Excel 表格 (XML)"}, {"CSVExport", "CSV 文件"}, {"9102", "dBase (DBF) export"},
        {"8105", "XML Excel 文件 (*.xls)|*.xls"}, {"9111", "DBF files (*.dbf)|*.dbf|All files|*.*"},
        {"8706", "在导出后打开"},   {"HTMLNavTotal", "全部页"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetResources().GetString(c.Key), c.Text) << c.Key;
    EXPECT_EQ(GetResourceStringById(8852), ".csv");
    // In the program's code page the texts are GBK.
    EXPECT_EQ(AnsiFromUtf8(GetResources().GetString("ProgressWait")), "\xC7\xEB\xC9\xD4\xBA\xF2");
}

TEST(vrrcExports, TheTableHoldsItsKeysOnce) {
    const String table = vrExportResourceTable;
    size_t count = 0;
    for (size_t at = table.find("<StrRes "); at != String::npos; at = table.find("<StrRes ", at + 1))
        ++count;
    EXPECT_EQ(count, 203u);
    EXPECT_EQ(table.rfind("<?xml version=\"1.1\" encoding=\"utf-8\"?><Resources CodePage=\"936\">", 0), 0u);
    EXPECT_EQ(table.substr(table.size() - 13), "</Resources> ");
}
