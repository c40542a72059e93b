// The spreadsheet XML export: numbers, texts, merges, sheets, styles and units of the document,
// and the mends (escaped report texts, sheet names, the creation time, page splits without empty
// lines, the rows count past the last page, failures).
#include "ExportFixture.h"

#include "report/export/vrExportFile.h"
#include "report/export/vrExportXML.h"
#include "rtl/DateUtils.h"
#include "rtl/StrUtils.h"

#include <gtest/gtest.h>
#include <regex>
#include <stdlib.h>
#include <time.h>

namespace {

std::unique_ptr<TvrXMLExport> NewXml() {
    return TvrCustomExportFilter::CreateNoRegister<TvrXMLExport>();
}

// The values of every match of the pattern's first group, in order.
std::vector<String> All(const String& text, const String& pattern) {
    std::vector<String> found;
    const std::regex re(pattern);
    for (std::sregex_iterator it(text.begin(), text.end(), re), end; it != end; ++it)
        found.push_back((*it)[1].str());
    return found;
}

size_t Count(const String& text, const String& piece) {
    size_t n = 0;
    for (size_t at = text.find(piece); at != String::npos; at = text.find(piece, at + 1))
        ++n;
    return n;
}

// The document written for the pages.
String XmlWritten(THandPages& pages, TvrXMLExport& xml) {
    TempDir dir;
    const String file = dir.File("book.xls");
    EXPECT_TRUE(pages.Drive(xml, file));
    return TempDir::ReadAll(file);
}

// The worksheets of a document: each sheet's name and its text.
std::vector<std::pair<String, String>> Sheets(const String& doc) {
    std::vector<std::pair<String, String>> sheets;
    size_t at = 0;
    while ((at = doc.find("<Worksheet ss:Name=\"", at)) != String::npos) {
        const size_t nameEnd = doc.find('"', at + 20);
        const size_t end = doc.find("</Worksheet>", at);
        sheets.emplace_back(doc.substr(at + 20, nameEnd - at - 20), doc.substr(at, end - at));
        at = end;
    }
    return sheets;
}

} // namespace

TEST(vrXMLExport, ANumericCellIsANumberOnlyWhenItsTextIsOne) {
    const struct {
        const char* Text;
        TvrFormatKind Kind;
        const char* Data;
    } cases[] = {
        {"1,234.50", fkNumeric, "<Data ss:Type=\"Number\">1234.50</Data>"},
        {"-7.05", fkNumeric, "<Data ss:Type=\"Number\">-7.05</Data>"},
        {" 12 ", fkNumeric, "<Data ss:Type=\"Number\">12</Data>"},
        {"1,234.50", fkText, "<Data ss:Type=\"String\">1,234.50</Data>"},
        {"a", fkNumeric, "<Data ss:Type=\"String\">a</Data>"},
        {"", fkNumeric, "<Data ss:Type=\"String\"></Data>"},
        {"-", fkNumeric, "<Data ss:Type=\"String\">-</Data>"},
        {"1-2", fkNumeric, "<Data ss:Type=\"String\">1-2</Data>"},
        {"1.2.3", fkNumeric, "<Data ss:Type=\"String\">1.2.3</Data>"},
        {",", fkNumeric, "<Data ss:Type=\"String\">,</Data>"},
    };
    auto xml = NewXml();
    for (const auto& c : cases) {
        TLooseObjects objects;
        TvrIEMatrix m;
        m.ProgressWindow = false;
        TvrMemoView* memo = objects.Memo(0, 0, 100, 20, c.Text);
        memo->DisplayFormat()->Kind = c.Kind;
        m.AddObject(memo);
        m.Prepare();
        EXPECT_EQ(xml->DataElement(*m.ObjectByIndex(0)), c.Data) << c.Text;
    }
}

TEST(vrXMLExport, TextsAreEscaped) {
    const struct {
        const char* Text;
        const char* Cell;
        const char* Plain;
    } cases[] = {
        {"a\r\n12", "a&#10;&#49;&#50;", "a\r\n12"},
        {"a\r\n1b2", "a&#10;&#49;b2", "a\r\n1b2"},
        {"A & B < C; \"D\" >", "A &amp; B &lt; C; &quot;D&quot; &gt;", "A &amp; B &lt; C; &quot;D&quot; &gt;"},
        {"x\ny", "xy", "x\ny"},                 // a lone LF is dropped from cells
        {"a\x01" "b\x1F" "c\tz", "abc\tz", "abc\tz"}, // characters XML forbids
        {"房屋", "房屋", "房屋"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TvrXMLExport::EscapeCell(c.Text), c.Cell) << c.Text;
        EXPECT_EQ(TvrXMLExport::EscapeText(c.Text), c.Plain) << c.Text;
    }
}

TEST(vrXMLExport, NumberFormatsConvert) {
    const struct {
        const char* Format;
        const char* Sheet;
    } cases[] = {{"%2.2f", "0.00"},   {"%2.2m", "#,##0.00"}, {"%2.0n", "#,##0"},   {"%2.3n", "#,##0.000"},
                 {"%2.2g", "0.##"},   {"%2.2x", "#,##0.00"}, {"%2.0f", "0"}};
    for (const auto& c : cases)
        EXPECT_EQ(TvrXMLExport::ConvertNumberFormat(c.Format), c.Sheet) << c.Format;

    // In the document: "%2.2n" and an empty format write none.
    THandPages pages;
    pages.AddPage("P", {{0, 0, 100, 20, "1"}, {100, 0, 100, 20, "2"}, {200, 0, 100, 20, "3"}, {300, 0, 100, 20, "4"}});
    const char* const formats[] = {"%2.2f", "%2.2n", "", "%2.0n"};
    for (size_t i = 0; i < 4; ++i) {
        pages.Texts[i]->DisplayFormat()->Kind = fkNumeric;
        pages.Texts[i]->DisplayFormat()->FormatStr = formats[i];
    }
    auto xml = NewXml();
    EXPECT_EQ(All(XmlWritten(pages, *xml), "<NumberFormat ss:Format=\"([^\"]*)\"/>"),
              (std::vector<String>{"0.00", "#,##0"}));
}

TEST(vrXMLExport, SpanningTextsMergeAndTheCellsTheyCoverWriteNothing) {
    THandPages pages;
    std::vector<TTextSpec> texts;
    for (int c = 0; c < 3; ++c)
        texts.push_back({100.0L * c, 0, 100, 20, "h" + IntToStr(c)});
    texts.push_back({0, 20, 300, 40, "wide"});
    texts.push_back({300, 20, 100, 20, "side"});
    for (int c = 0; c < 3; ++c)
        texts.push_back({100.0L * c, 60, 100, 20, "f" + IntToStr(c)});
    pages.AddPage("P", texts);
    texts.clear();
    auto xml = NewXml();
    const String doc = XmlWritten(pages, *xml);
    EXPECT_EQ(Count(doc, "ss:MergeAcross=\"2\" ss:MergeDown=\"1\" "), 1u);
    const std::vector<String> rows = All(doc, "<Row ss:Height=\"[0-9.]+\">\r\n((?:<Cell[^\n]*\n)*)</Row>");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_NE(rows[1].find(">wide<"), String::npos);
    // The covered row writes only the closing column's empty cell.
    EXPECT_EQ(rows[2], "<Cell ss:Index=\"4\" />\r\n<Cell ss:Index=\"5\" />\r\n");
}

TEST(vrXMLExport, SheetsSplitAsAsked) {
    const struct {
        const char* Name;
        TvrSplitToSheet Split;
        Integer RowsCount;
        std::vector<String> SheetNames;
        std::vector<String> FirstBreaks;
    } cases[] = {
        {"report pages", ssRPages, 0, {"Page1", "Page2", "Page1 (2)"}, {"4"}},
        // Each page ends with the gap of the merge tolerance below it: a row of its own.
        {"no split", ssNotSplit, 0, {"Page1"}, {"4", "8"}},
        {"print on previous page", ssPrintOnPrev, 0, {"Page1", "Page2", "Page1 (2)"}, {"4"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        THandPages pages;
        pages.AddGridPage("Page1", 3, 2);
        pages.AddGridPage("Page2", 3, 2);
        pages.AddGridPage("Page1", 3, 2);
        auto xml = NewXml();
        xml->Split = c.Split;
        const String doc = XmlWritten(pages, *xml);
        const auto sheets = Sheets(doc);
        std::vector<String> names;
        for (const auto& s : sheets)
            names.push_back(s.first);
        EXPECT_EQ(names, c.SheetNames);
        EXPECT_EQ(All(sheets[0].second, "<Row>([0-9]+)</Row>"), c.FirstBreaks);
        EXPECT_EQ(Count(doc, "</Workbook>"), 1u);
    }
}

TEST(vrXMLExport, ARowsCountCutsSheetsOfThatManyRows) {
    THandPages pages;
    pages.AddGridPage("Page1", 60, 1);
    auto xml = NewXml();
    xml->SetRowsCount(50);
    EXPECT_EQ(xml->Split, ssRowsCount);
    const auto sheets = Sheets(XmlWritten(pages, *xml));
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[0].first, "Page1");
    EXPECT_EQ(Count(sheets[0].second, "<Row ss:Height"), 50u);
    EXPECT_NE(sheets[0].second.find(">r49c0<"), String::npos);
    EXPECT_EQ(sheets[1].first, "UnnamedPage_1");
    EXPECT_NE(sheets[1].second.find(">r50c0<"), String::npos);
    // Past the last page no row ends a page: one break where the sheet was cut, none after.
    EXPECT_EQ(All(sheets[0].second, "<Row>([0-9]+)</Row>"), (std::vector<String>{"50"}));
    EXPECT_EQ(All(sheets[1].second, "<Row>([0-9]+)</Row>"), (std::vector<String>{}));
    // A rows count of 0 or less is no split.
    xml->SetRowsCount(-3);
    EXPECT_EQ(xml->RowsCount(), 0);
    EXPECT_EQ(xml->Split, ssNotSplit);
}

TEST(vrXMLExport, WithoutEmptyLinesASheetOfAPageBeginsWithItsFirstRow) {
    THandPages pages;
    pages.AddGridPage("Page1", 3, 1);
    pages.AddGridPage("Page2", 3, 1);
    auto xml = NewXml();
    xml->Split = ssRPages;
    xml->EmptyLines = false;
    const auto sheets = Sheets(XmlWritten(pages, *xml));
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(All(sheets[0].second, ">(r[0-9]c0)<"), (std::vector<String>{"r0c0", "r1c0", "r2c0"}));
    EXPECT_EQ(All(sheets[1].second, ">(r[0-9]c0)<"), (std::vector<String>{"r0c0", "r1c0", "r2c0"}));
}

TEST(vrXMLExport, SheetNamesAreValidAndUnique) {
    THandPages pages;
    pages.AddGridPage("MonthlyFeeStatementOfEveryHouseInTheEstate", 1, 1);
    pages.AddGridPage("Houses", 1, 1);
    pages.AddGridPage("MonthlyFeeStatementOfEveryHouseInTheEstate", 1, 1);
    pages.AddGridPage("", 1, 1);
    auto xml = NewXml();
    xml->Split = ssRPages;
    std::vector<String> names;
    for (const auto& s : Sheets(XmlWritten(pages, *xml)))
        names.push_back(s.first);
    EXPECT_EQ(names, (std::vector<String>{"MonthlyFeeStatementOfEveryHouse", "Houses", "MonthlyFeeStatementOfEveryH (2)",
                                          "UnnamedPage_3"}));
}

TEST(vrXMLExport, StylesWriteRotationFontsAndFrames) {
    THandPages pages;
    pages.AddPage("P", {{0, 0, 100, 20, "a"}, {100, 0, 100, 20, "b"}, {200, 0, 100, 20, "c"}, {300, 0, 100, 20, "d"}});
    pages.Texts[0]->SetRotation(300);
    pages.Texts[1]->SetRotation(180);
    pages.Texts[2]->SetRotation(90);
    pages.Texts[3]->Font()->SetName("A&B\"<");
    pages.Texts[3]->Frame()->Typ = TvrFrameTypes{ftLeft, ftBottom};
    pages.Texts[3]->Frame()->SetWidth(2);
    auto xml = NewXml();
    const String doc = XmlWritten(pages, *xml);
    EXPECT_EQ(All(doc, "ss:Rotate=\"(-?[0-9]+)\""), (std::vector<String>{"-60", "90"}));
    EXPECT_EQ(Count(doc, "ss:FontName=\"A&amp;B&quot;&lt;\""), 1u);
    EXPECT_EQ(All(doc, "<Border ss:Position=\"([A-Za-z]+)\" ss:LineStyle=\"Continuous\" ss:Weight=\"3\""),
              (std::vector<String>{"Left", "Bottom"}));
    xml->ExportStyles = false;
    const String plain = XmlWritten(pages, *xml);
    EXPECT_EQ(Count(plain, "<Styles>"), 0u);
    EXPECT_EQ(Count(plain, "ss:StyleID"), 0u);
}

TEST(vrXMLExport, LengthsAndMarginsAreInTheSheetsUnits) {
    THandPages pages;
    TvrReportPage* page = pages.AddPage("P", {{0, 0, 100, 20, "a"}, {100, 0, 200, 40, "b"}});
    page->LeftMargin = 25;
    page->SetOrientation(poLandscape);
    page->LeftMargin = 25;
    page->TopMargin = 10;
    page->RightMargin = 5;
    page->BottomMargin = 26.6L;
    auto xml = NewXml();
    const String doc = XmlWritten(pages, *xml);
    // Report units ÷ 1.376: 100 → 72.67, 200 → 145.35, 20 → 14.53; millimetres ÷ 26.6.
    EXPECT_EQ(All(doc, "ss:Width=\"([0-9.]+)\""), (std::vector<String>{"72.67", "145.35"}));
    EXPECT_EQ(All(doc, "<Row ss:Height=\"([0-9.]+)\""), (std::vector<String>{"14.53", "14.53"}));
    EXPECT_NE(doc.find("<PageMargins x:Bottom=\"1.00\" x:Left=\"0.94\" x:Right=\"0.19\" x:Top=\"0.38\"/>"),
              String::npos);
    EXPECT_NE(doc.find("<Layout x:Orientation=\"Landscape\"/>"), String::npos);
}

TEST(vrXMLExport, ReportTextsAreEscapedAndTheCreationTimeIsUtc) {
    const char* savedTz = getenv("TZ");
    const String oldTz = savedTz ? savedTz : "";
    setenv("TZ", "Asia/Shanghai", 1);
    tzset();
    {
        TClockOverride clock(EncodeDate(2026, 12, 8) + EncodeTime(10, 5, 9, 0));
        THandPages pages;
        pages.AddGridPage("P", 1, 1);
        pages.Report.ReportOptions()->Name = "月报 <A&B>";
        pages.Report.ReportOptions()->Author = "\"张\"\x01";
        pages.Report.ReportOptions()->VersionMajor = "1<";
        auto xml = NewXml();
        xml->Creator = "x\"y";
        const String doc = XmlWritten(pages, *xml);
        EXPECT_NE(doc.find("<Title>月报 &lt;A&amp;B&gt;</Title>"), String::npos);
        EXPECT_NE(doc.find("<Author>&quot;张&quot;</Author>"), String::npos);
        EXPECT_NE(doc.find("<Version>1&lt;...</Version>"), String::npos);
        EXPECT_NE(doc.find("<?fr-application created=\"x&quot;y\"?>"), String::npos);
        EXPECT_NE(doc.find("<Created>2026-12-08T02:05:09Z</Created>"), String::npos);
    }
    if (savedTz)
        setenv("TZ", oldTz.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TEST(vrXMLExport, AFileThatCannotBeWrittenIsReportedAndTheOldFileStays) {
    TempDir dir;
    THandPages pages;
    pages.AddGridPage("P", 2, 2);
    pages.Report.EngineOptions()->NewSilentMode = simSilent;
    auto xml = NewXml();
    EXPECT_TRUE(pages.Drive(*xml, dir.File("missing/book.xls")));
    ASSERT_EQ(pages.Report.ErrorList()->Count(), 1);
    EXPECT_TRUE(StartsStr("Cannot create file", pages.Report.ErrorList()->Strings(0)));
    EXPECT_FALSE(pages.Drive(*xml, "")); // no file name: nothing runs
}

TEST(vrExportFile, AnUncommittedFileLeavesTheOldOneAndNoTemporaryFile) {
    TempDir dir;
    const String target = dir.File("out.csv");
    {
        std::ofstream(target) << "old";
    }
    {
        TvrExportFile file(target);
        file.Stream().WriteBuffer("half", 4);
    }
    EXPECT_EQ(TempDir::ReadAll(target), "old");
    {
        TvrExportFile file(target);
        file.Stream().WriteBuffer("new", 3);
        file.Commit();
    }
    EXPECT_EQ(TempDir::ReadAll(target), "new");
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 1u);
    EXPECT_THROW(TvrExportFile(dir.File("no/such/folder/x.csv")), EFCreateError);
}

TEST(vrXMLExport, PropertiesThroughMeta) {
    auto xml = NewXml();
    EXPECT_EQ(xml->GetDescription(), "Excel 表格 (XML)");
    EXPECT_EQ(xml->DefaultExtension, ".xls");
    EXPECT_EQ(xml->Creator, "ZezuDerevu");
    const meta::TClassInfo& info = TvrXMLExport::StaticClassInfo();
    for (const char* name : {"ExportStyles", "ExportPageBreaks", "OpenExcelAfterExport", "ShowProgress", "Wysiwyg",
                             "Background", "Creator", "EmptyLines", "SuppressPageHeadersFooters", "OverwritePrompt",
                             "RowsCount", "Split"})
        EXPECT_NE(info.FindProperty(name), nullptr) << name;
}

TEST(vrXMLExport, AnErrorDuringTheRunKeepsTheOldFile) {
    class TFailingXml : public TvrXMLExport {
    public:
        explicit TFailingXml(TUnlisted tag) : TvrXMLExport(tag) {}
        void ExportObject(TvrComponent* obj) override {
            if (obj->Name() == "Pr1c1") throw Exception("the disk is full");
            TvrXMLExport::ExportObject(obj);
        }
    };
    TExportReport made;
    made.AddGridPage("P", 3, 2);
    made.Prepare();
    made.Report.EngineOptions()->NewSilentMode = simSilent;
    TempDir dir;
    const String file = dir.File("book.xls");
    std::ofstream(file) << "old";
    auto xml = TvrCustomExportFilter::CreateNoRegister<TFailingXml>();
    EXPECT_FALSE(ExportWithoutDialog(made.Report, *xml, file));
    EXPECT_EQ(TempDir::ReadAll(file), "old");
    EXPECT_NE(made.Report.ErrorList()->Text().find("the disk is full"), String::npos);
}
