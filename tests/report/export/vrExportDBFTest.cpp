// The dBASE export: the header, field descriptors and records, field names, cut texts, the OEM
// code page, and the mends (an empty table, a table too wide, failures).
#include "ExportFixture.h"

#include "report/export/vrExportDBF.h"
#include "rtl/CodePage.h"
#include "rtl/DateUtils.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TvrDBFExport> NewDbf() {
    return TvrCustomExportFilter::CreateNoRegister<TvrDBFExport>();
}

String DbfWritten(THandPages& pages, TvrDBFExport& dbf) {
    TempDir dir;
    const String file = dir.File("table.dbf");
    EXPECT_TRUE(pages.Drive(dbf, file));
    return TempDir::ReadAll(file);
}

unsigned Word16(const String& b, size_t at) {
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}

unsigned Long32(const String& b, size_t at) {
    return Word16(b, at) | Word16(b, at + 2) << 16;
}

// The field's name as written (up to the first zero).
String NameOf(const String& b, Integer field) {
    const String raw = b.substr(32 + 32 * static_cast<size_t>(field), 11);
    return raw.substr(0, raw.find('\0'));
}

// Field k of record r, blanks included.
String FieldOf(const String& b, Integer record, Integer field) {
    const size_t header = Word16(b, 8), length = Word16(b, 10);
    return b.substr(header + length * static_cast<size_t>(record) + 1 + 255 * static_cast<size_t>(field), 255);
}

String Trimmed(const String& s) {
    return s.substr(0, s.find_last_not_of(' ') + 1);
}

} // namespace

TEST(vrDBFExport, TheHeaderDescribesTheMatrix) {
    TClockOverride clock(EncodeDate(2026, 12, 8) + EncodeTime(9, 0, 0, 0));
    THandPages pages;
    pages.AddGridPage("P", 10, 3); // 4 column edges, 11 row edges
    auto dbf = NewDbf();
    dbf->SetFieldPrefix("COL");
    const String b = DbfWritten(pages, *dbf);
    ASSERT_GE(b.size(), 32u);
    EXPECT_EQ(b[0], '\x03');
    EXPECT_EQ(static_cast<unsigned char>(b[1]), 126);
    EXPECT_EQ(b[2], 12);
    EXPECT_EQ(b[3], 8);
    EXPECT_EQ(Long32(b, 4), 10u);
    EXPECT_EQ(Word16(b, 8), 129u);
    EXPECT_EQ(Word16(b, 10), 766u);
    ASSERT_EQ(b.size(), 129u + 10 * 766 + 1);
    EXPECT_EQ(b[128], '\x0D');
    EXPECT_EQ(b.back(), '\x1A');
    for (Integer k = 0; k < 3; ++k) {
        const size_t d = 32 + 32 * static_cast<size_t>(k);
        EXPECT_EQ(NameOf(b, k), "COL" + IntToStr(k + 1));
        EXPECT_EQ(b[d + 11], 'C');
        EXPECT_EQ(Long32(b, d + 12), 1u + 255 * static_cast<unsigned>(k));
        EXPECT_EQ(static_cast<unsigned char>(b[d + 16]), 255);
        EXPECT_EQ(b[d + 23], 1);
    }
    EXPECT_EQ(b[129], ' ');
    EXPECT_EQ(Trimmed(FieldOf(b, 0, 0)), "r0c0");
    EXPECT_EQ(Trimmed(FieldOf(b, 9, 2)), "r9c2");
}

TEST(vrDBFExport, FieldNames) {
    const struct {
        const char* Prefix;
        std::vector<String> Names;
        std::vector<String> Expected;
    } cases[] = {
        {"COL", {}, {"COL1", "COL2", "COL3"}},
        {"", {}, {"1", "2", "3"}},
        {"ABCDEFGH", {}, {"ABCDEF1", "ABCDEF2", "ABCDEF3"}}, // the prefix keeps six characters
        {"F", {"HOUSE"}, {"HOUSE", "F2", "F3"}},
        {"", {"AMOUNT_OF_MONEY", "房屋编号名称", "a房屋编号名"}, {"AMOUNT_OF_", "\xB7\xBF\xCE\xDD\xB1\xE0\xBA\xC5\xC3\xFB",
                                                           "a\xB7\xBF\xCE\xDD\xB1\xE0\xBA\xC5"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Prefix);
        THandPages pages;
        pages.AddGridPage("P", 1, 3);
        auto dbf = NewDbf();
        dbf->SetFieldPrefix(c.Prefix);
        TStringList names;
        for (const String& n : c.Names)
            names.Add(n);
        dbf->SetFieldNames(&names);
        const String b = DbfWritten(pages, *dbf);
        for (Integer k = 0; k < 3; ++k)
            EXPECT_EQ(NameOf(b, k), c.Expected[static_cast<size_t>(k)]) << k;
    }
    auto dbf = NewDbf();
    dbf->SetFieldNames(nullptr);
    EXPECT_EQ(dbf->FieldNames()->Count(), 0);
}

TEST(vrDBFExport, TextsAreCutAt255BytesWithoutSplittingACharacter) {
    THandPages pages;
    pages.AddPage("P", {{0, 0, 100, 20, String(300, 'x')}, {100, 0, 100, 20, "a" + [] {
                                                                 String s;
                                                                 for (int i = 0; i < 200; ++i)
                                                                     s += "房";
                                                                 return s;
                                                             }()}});
    for (const bool oem : {false, true}) {
        auto dbf = NewDbf();
        dbf->OEMCodepage = oem;
        const String b = DbfWritten(pages, *dbf);
        EXPECT_EQ(FieldOf(b, 0, 0), String(255, 'x'));
        const String second = FieldOf(b, 0, 1);
        // "a" and 127 characters of two bytes: 255 bytes, the 128th character left out whole.
        String expected = "a";
        for (int i = 0; i < 127; ++i)
            expected += "\xB7\xBF";
        EXPECT_EQ(second, expected) << oem;
    }
}

TEST(vrDBFExport, AnEmptyReportGivesAValidEmptyTable) {
    THandPages pages;
    pages.AddPage("P", {});
    auto dbf = NewDbf();
    const String b = DbfWritten(pages, *dbf);
    ASSERT_EQ(b.size(), 34u);
    EXPECT_EQ(Long32(b, 4), 0u);
    EXPECT_EQ(Word16(b, 8), 33u);
    EXPECT_EQ(Word16(b, 10), 1u);
    EXPECT_EQ(b[32], '\x0D');
    EXPECT_EQ(b[33], '\x1A');
}

TEST(vrDBFExport, ATableTooWideIsRefusedAndTheOldFileStays) {
    THandPages pages;
    std::vector<TTextSpec> texts;
    for (int c = 0; c < 257; ++c)
        texts.push_back({10.0L * c, 0, 10, 20, "x"});
    pages.AddPage("P", texts);
    TempDir dir;
    const String file = dir.File("table.dbf");
    std::ofstream(file) << "old";
    auto dbf = NewDbf();
    try {
        pages.Drive(*dbf, file);
        ADD_FAILURE() << "a table of 257 fields was written";
    } catch (const EvrDBFTooWide& e) {
        EXPECT_NE(e.Message().find("at most 256 fields"), String::npos);
    }
    EXPECT_EQ(TempDir::ReadAll(file), "old");
    // 256 fields still fit: a record of 1 + 255 × 256 bytes.
    THandPages fits;
    texts.pop_back();
    fits.AddPage("P", texts);
    const String b = DbfWritten(fits, *dbf);
    EXPECT_EQ(Word16(b, 10), 65281u);
}

TEST(vrDBFExport, AFileThatCannotBeCreatedIsReported) {
    TExportReport made;
    made.AddGridPage("P", 2, 2);
    made.Prepare();
    made.Report.EngineOptions()->NewSilentMode = simSilent;
    TempDir dir;
    auto dbf = NewDbf();
    EXPECT_FALSE(ExportWithoutDialog(made.Report, *dbf, dir.File("missing/table.dbf")));
    EXPECT_NE(made.Report.ErrorList()->Text().find("Cannot create file"), String::npos);
}

TEST(vrDBFExport, Defaults) {
    auto dbf = NewDbf();
    EXPECT_EQ(dbf->GetDescription(), "dBase (DBF) export");
    EXPECT_EQ(dbf->DefaultExtension, ".dbf");
    const meta::TClassInfo& info = TvrDBFExport::StaticClassInfo();
    for (const char* name : {"OEMCodepage", "OpenAfterExport", "OverwritePrompt", "FieldPrefix", "FieldNames"})
        EXPECT_NE(info.FindProperty(name), nullptr) << name;
}
