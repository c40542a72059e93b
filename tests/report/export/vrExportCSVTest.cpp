// The separated-values export: fields, quoting, spanning objects, separators, the OEM code page,
// failures.
#include "ExportFixture.h"

#include "report/export/vrExportCSV.h"
#include "rtl/StrUtils.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TvrCSVExport> NewCsv() {
    return TvrCustomExportFilter::CreateNoRegister<TvrCSVExport>();
}

String CsvWritten(THandPages& pages, TvrCSVExport& csv) {
    TempDir dir;
    const String file = dir.File("data.csv");
    EXPECT_TRUE(pages.Drive(csv, file));
    return TempDir::ReadAll(file);
}

} // namespace

TEST(vrCSVExport, RowsBecomeLinesOfFields) {
    const struct {
        const char* Name;
        std::vector<TTextSpec> Texts;
        const char* Separator;
        const char* Expected;
    } cases[] = {
        {"three cells", {{0, 0, 100, 20, "a"}, {100, 0, 100, 20, "b"}, {200, 0, 100, 20, "c"}}, ";", "a;b;c\r\n"},
        {"quoted",
         {{0, 0, 100, 20, "x;y"}, {100, 0, 100, 20, "say \"hi\""}, {200, 0, 100, 20, "c"}},
         ";",
         "\"x;y\";\"say \"\"hi\"\"\";c\r\n"},
        {"a spanning text keeps later fields in their columns",
         {{0, 0, 200, 20, "wide"}, {200, 0, 100, 20, "c"}, {0, 20, 100, 20, "a"}, {100, 20, 100, 20, "b"}},
         ";",
         "wide;;c\r\na;b\r\n"},
        {"two-character separator",
         {{0, 0, 200, 20, "wide"}, {200, 0, 100, 20, "c"}, {0, 20, 100, 20, "a"}, {100, 20, 100, 20, "b"}},
         ";|",
         "wide;;|c\r\na;b\r\n"},
        {"an empty text is a lone separator", {{0, 0, 100, 20, ""}, {100, 0, 100, 20, "b"}}, ";", ";b\r\n"},
        {"two lines run together", {{0, 0, 100, 40, "one\r\ntwo"}, {100, 0, 100, 40, "b"}}, ";", "onetwo;b\r\n"},
        {"a row without cells is an empty line",
         {{0, 0, 100, 20, "a"}, {0, 40, 100, 20, "b"}},
         ";",
         "a\r\n\r\nb\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        THandPages pages;
        pages.AddPage("P", c.Texts);
        auto csv = NewCsv();
        csv->Separator = c.Separator;
        EXPECT_EQ(CsvWritten(pages, *csv), c.Expected);
    }
}

TEST(vrCSVExport, FieldsFormat) {
    auto csv = NewCsv();
    EXPECT_EQ(csv->FormatField("a\r\n"), "a;");
    csv->ForcedQuotes = true;
    EXPECT_EQ(csv->FormatField("a"), "\"a\";");
    EXPECT_EQ(csv->FormatField(""), ";");
    csv->NoSysSymbols = false;
    EXPECT_EQ(csv->FormatField("a\tb"), "\"a\tb\";");
    csv->Separator = "";
    EXPECT_EQ(csv->FormatField("b"), "\"b\";");
}

TEST(vrCSVExport, PagesFollowEachOtherAndChineseIsGbk) {
    for (const bool oem : {false, true}) {
        THandPages pages;
        pages.AddPage("P1", {{0, 0, 100, 20, "张三"}, {100, 0, 100, 20, "12,345.60"}});
        pages.AddPage("P2", {{0, 0, 100, 20, "请稍候"}});
        auto csv = NewCsv();
        csv->OEMCodepage = oem;
        EXPECT_EQ(CsvWritten(pages, *csv), "\xD5\xC5\xC8\xFD;12,345.60\r\n\xC7\xEB\xC9\xD4\xBA\xF2\r\n") << oem;
    }
}

TEST(vrCSVExport, AFileThatCannotBeCreatedIsReported) {
    TExportReport made;
    made.AddGridPage("P", 2, 2);
    made.Prepare();
    made.Report.EngineOptions()->NewSilentMode = simSilent;
    TempDir dir;
    auto csv = NewCsv();
    EXPECT_FALSE(ExportWithoutDialog(made.Report, *csv, dir.File("missing/data.csv")));
    ASSERT_GE(made.Report.ErrorList()->Count(), 1);
    EXPECT_NE(made.Report.ErrorList()->Text().find("Cannot create file"), String::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.File("missing")));
}

TEST(vrCSVExport, AFailedExportKeepsTheOldFile) {
    class TFailingCsv : public TvrCSVExport {
    public:
        explicit TFailingCsv(TUnlisted tag) : TvrCSVExport(tag) {}
        void ExportObject(TvrComponent* obj) override {
            if (obj->Name() == "Pr1c1") throw Exception("the disk is full");
            TvrCSVExport::ExportObject(obj);
        }
    };
    TExportReport made;
    made.AddGridPage("P", 3, 2);
    made.Prepare();
    made.Report.EngineOptions()->NewSilentMode = simSilent;
    TempDir dir;
    const String file = dir.File("data.csv");
    std::ofstream(file) << "old";
    auto csv = TvrCustomExportFilter::CreateNoRegister<TFailingCsv>();
    EXPECT_FALSE(ExportWithoutDialog(made.Report, *csv, file));
    EXPECT_EQ(TempDir::ReadAll(file), "old");
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 1u);
    EXPECT_NE(made.Report.ErrorList()->Text().find("the disk is full"), String::npos);
}

TEST(vrCSVExport, Defaults) {
    auto csv = NewCsv();
    EXPECT_EQ(csv->GetDescription(), "CSV 文件");
    EXPECT_EQ(csv->DefaultExtension, ".csv");
    EXPECT_EQ(csv->FilterDescription, "CSV file (*.csv)|*.csv");
    EXPECT_EQ(csv->Separator, ";");
    EXPECT_TRUE(csv->NoSysSymbols);
    EXPECT_FALSE(csv->ForcedQuotes || csv->OEMCodepage || csv->OpenAfterExport);
    const meta::TClassInfo& info = TvrCSVExport::StaticClassInfo();
    for (const char* name : {"Separator", "OEMCodepage", "OpenAfterExport", "OverwritePrompt", "NoSysSymbols",
                             "ForcedQuotes"})
        EXPECT_NE(info.FindProperty(name), nullptr) << name;
}
