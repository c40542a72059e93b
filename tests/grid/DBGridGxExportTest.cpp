// The four export formats over the fixture: exact bytes, the selection kinds, footers, and the
// CSV and RTF outputs read back by independent readers (Python's csv module, LibreOffice).
#include "ImpExpFixture.h"
#include "rtl/CodePage.h"

#include <cstdio>
#include <cstdlib>

namespace {

std::string Hex(const std::string& s) {
    std::string out;
    char b[4];
    for (unsigned char c : s) {
        std::snprintf(b, sizeof b, "%02X ", c);
        out += b;
    }
    if (!out.empty()) out.pop_back();
    return out;
}

std::string RunCommand(const std::string& command) {
    std::string out;
    FILE* p = ::popen(command.c_str(), "r");
    if (!p) return out;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        out.append(buf, n);
    ::pclose(p);
    return out;
}

const char* const FixtureText = "F_ID\tF_int\tF_float\tF_date\tF_text\tF_blob\r\n"
                                "1\t7\t1.5\t2026-03-01\tsay \"hi\"; ok\t(BLOB)\r\n"
                                "2\t-3\t2.25\t\ta\tb\r\nc}\t(blob)\r\n"
                                "3\t\t\t2026-03-02 10:30:00\t物业费\t(blob)";

TEST_F(ImpExpTest, TextIsTabSeparatedGbkWithCrLfBetweenLines) {
    EXPECT_EQ(Export<TDBGridGxExportAsText>(true), AnsiFromUtf8(FixtureText));
    Grid->Titles = false;
    Grid->Kind = gstColumns;
    Grid->Selected = {4, 1};
    EXPECT_EQ(Utf8FromAnsi(Export<TDBGridGxExportAsText>()),
              "say \"hi\"; ok\t7\r\na\tb\r\nc}\t-3\r\n物业费\t");
}

TEST_F(ImpExpTest, NoSelectionWritesNothingInAnyFormat) {
    Grid->Kind = gstNon;
    EXPECT_EQ(Export<TDBGridGxExportAsText>(), "");
    EXPECT_EQ(Export<TDBGridGxExportAsCSV>(), "");
    EXPECT_EQ(Export<TDBGridGxExportAsRTF>(), "");
    EXPECT_EQ(Export<TDBGridGxExportAsVCLDBIF>(), "");
}

TEST_F(ImpExpTest, SelectionKindsAndTheRowPosition) {
    Grid->Titles = false;
    Grid->Visible = {false, true, false, false, false, false};
    Q->SetRecNo(3);
    Grid->Marks.SetCurrentRowMarked(true);
    Q->SetRecNo(1);
    Grid->Marks.SetCurrentRowMarked(true);
    Q->SetRecNo(2);
    Grid->Kind = gstRecordBookmarks;
    EXPECT_EQ(Export<TDBGridGxExportAsText>(), "7\r\n");
    EXPECT_EQ(Q->RecNo(), 2);

    Grid->Kind = gstRectangle;
    Grid->Left = 1;
    Grid->Right = 3;
    Grid->Visible = {true, true, false, true, true, true};
    Q->SetRecNo(2);
    Grid->Top = Q->GetBookmark();
    Q->SetRecNo(3);
    Grid->Bottom = Q->GetBookmark();
    Q->First();
    EXPECT_EQ(Export<TDBGridGxExportAsText>(), "-3\t\r\n\t2026-03-02 10:30:00");
    EXPECT_EQ(Q->RecNo(), 1);
    // a bottom corner above the top one: the rows run to the end of the data set
    std::swap(Grid->Top, Grid->Bottom);
    EXPECT_EQ(Export<TDBGridGxExportAsText>(), "\t2026-03-02 10:30:00");
}

TEST_F(ImpExpTest, FooterTotalsFollowTheExportedRows) {
    Grid->Titles = false;
    Grid->FooterRows = 2;
    Grid->Visible = {false, true, true, false, true, false};
    Grid->Footers[{1, 0}] = fvtSum;
    Grid->Footers[{2, 0}] = fvtCount;
    Grid->Footers[{4, 0}] = fvtStaticText;
    Grid->Footers[{2, 1}] = fvtSum;
    const std::string text = Utf8FromAnsi(Export<TDBGridGxExportAsText>(true));
    EXPECT_EQ(text.substr(text.rfind("\r\n", text.rfind("\r\n") - 1) + 2), "4\t3\tTotal\r\n\t3.75\t");
    Grid->Kind = gstRecordBookmarks;
    Q->SetRecNo(2);
    Grid->Marks.SetCurrentRowMarked(true);
    EXPECT_EQ(Utf8FromAnsi(Export<TDBGridGxExportAsText>()),
              "-3\t2.25\ta\tb\r\nc}\r\n-3\t1\tTotal\r\n\t2.25\t");
    EXPECT_EQ(Export<TDBGridGxExportAsCSV>(),
              "\"-3\";\"2.25\";\"a\tb\r\nc}\"\r\n\"-3\";\"1\";\"Total\"\r\n\"\";\"2.25\";\"\"");
}

TEST_F(ImpExpTest, GridDataStreamBytes) {
    Run("create table T_one (F_ID counter, F_s text(10))");
    Run("insert into T_one (F_ID, F_s) values (5, 'ab')");
    auto one = Query("select * from T_one");
    one->Open();
    TTestImpExpGrid grid(one.get());
    TMemoryStream s;
    WriteGridExport<TDBGridGxExportAsVCLDBIF>(&grid, s, true);
    EXPECT_EQ(Hex(std::string(reinterpret_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()))),
              "56 43 4C 44 42 49 46 01 02 00 00 00 01 00 01 00 03 05 00 00 00 05 02 00 00 00 61 62 00");

    const std::string all = Hex(Export<TDBGridGxExportAsVCLDBIF>(true));
    EXPECT_NE(all.find("04 00 00 00 00 00 00 F8 3F"), std::string::npos);       // 1.5
    EXPECT_NE(all.find("06 03 00 00 00 01 00 FF"), std::string::npos);          // the blob, byte for byte
    EXPECT_NE(all.find("05 06 00 00 00 CE EF D2 B5 B7 D1"), std::string::npos); // 物业费 in GBK
    EXPECT_EQ(all.substr(all.size() - 2), "00");

    // An empty data set: the header, two bytes per column and the end byte.
    one->Close();
    Run("delete from T_one");
    one->Open();
    TMemoryStream e;
    WriteGridExport<TDBGridGxExportAsVCLDBIF>(&grid, e, true);
    EXPECT_EQ(Hex(std::string(reinterpret_cast<const char*>(e.Memory()), static_cast<size_t>(e.Size()))),
              "56 43 4C 44 42 49 46 01 02 00 00 00 01 00 01 00 00");
}

TEST_F(ImpExpTest, CsvReadsBackThroughPythonsCsvModule) {
    const std::string file = Dir.File("grid.csv");
    TempDir::WriteAll(file, Export<TDBGridGxExportAsCSV>(true));
    const std::string out = RunCommand(
        "python3 -c \"import csv,json,sys; "
        "print(json.dumps(list(csv.reader(open(sys.argv[1], encoding='gbk', newline=''), delimiter=';')), "
        "ensure_ascii=True))\" " +
        file);
    EXPECT_EQ(out, "[[\"F_ID\", \"F_int\", \"F_float\", \"F_date\", \"F_text\", \"F_blob\"], "
                   "[\"1\", \"7\", \"1.5\", \"2026-03-01\", \"say \\\"hi\\\"; ok\", \"(BLOB)\"], "
                   "[\"2\", \"-3\", \"2.25\", \"\", \"a\\tb\\r\\nc}\", \"(blob)\"], "
                   "[\"3\", \"\", \"\", \"2026-03-02 10:30:00\", \"\\u7269\\u4e1a\\u8d39\", \"(blob)\"]]\n");
}

// Balanced groups outside escapes and nothing but ASCII.
void ExpectStrictRtf(const std::string& rtf) {
    int depth = 0;
    for (size_t i = 0; i < rtf.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(rtf[i]);
        ASSERT_LT(c, 128u) << "at " << i;
        if (c == '\\') {
            ++i;
            continue;
        }
        if (c == '{') ++depth;
        if (c == '}') {
            --depth;
            ASSERT_GE(depth, 0) << "at " << i;
            if (depth == 0) {
                EXPECT_EQ(i, rtf.size() - 1) << "the document closes early";
            }
        }
    }
    EXPECT_EQ(depth, 0);
}

TEST_F(ImpExpTest, RtfEscapesBackslashAndBracesInTextsAndFontNames) {
    struct Case {
        const char* Text;
        const char* Font;
        const char* Cell;      // the cell as written
        const char* FontEntry; // the font table entry as written
    } cases[] = {
        {"a\\b", "Back\\slash", " a\\\\b\\cell}", "\\f0\\fnil Back\\\\slash;"},
        {"{x}", "{Brace}", " \\{x\\}\\cell}", "\\f0\\fnil \\{Brace\\};"},
        {"}{\\", "宋体}", " \\}\\{\\\\\\cell}", "\\f0\\fnil \\u23435?\\u20307?\\};"},
    };
    Grid->Titles = false;
    Grid->Kind = gstColumns;
    Grid->Selected = {4};
    for (const Case& c : cases) {
        Grid->OnCell = [&c](int, TCellParamsGx& p) {
            p.Text = c.Text;
            p.Font.SetName(c.Font);
        };
        const std::string rtf = Export<TDBGridGxExportAsRTF>();
        ExpectStrictRtf(rtf);
        EXPECT_NE(rtf.find(c.Cell), std::string::npos) << c.Text << " in\n" << rtf;
        EXPECT_NE(rtf.find(c.FontEntry), std::string::npos) << c.Font << " in\n" << rtf;
    }
}

TEST_F(ImpExpTest, RtfEscapesItsTextsAndReadsBackInLibreOffice) {
    Grid->Widths[0] = 64;
    Grid->Widths[1] = 100;
    Grid->Visible = {true, true, false, false, true, false};
    const std::string rtf = Export<TDBGridGxExportAsRTF>(true);
    ExpectStrictRtf(rtf);
    EXPECT_EQ(rtf.rfind("{\\rtf0\\ansi\r\n{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue255;", 0),
              0u);
    EXPECT_NE(rtf.find("\\cellx960\r\n"), std::string::npos);
    EXPECT_NE(rtf.find("\\cellx2460\r\n"), std::string::npos);
    EXPECT_NE(rtf.find(" a\\tab b\\line c\\}\\cell}"), std::string::npos);
    EXPECT_NE(rtf.find(" \\u29289?\\u19994?\\u-29383?\\cell}"), std::string::npos); // 物业费; 费 is U+8D39
    EXPECT_NE(rtf.find("\\f1\\fnil \\u23435?\\u20307?;"), std::string::npos);       // the font 宋体
    EXPECT_EQ(rtf.substr(rtf.size() - 1), "}");

    // Several documents converted to text in one LibreOffice run.
    Grid->Kind = gstColumns;
    Grid->Selected = {4};
    Grid->Titles = false;
    const std::string column = Export<TDBGridGxExportAsRTF>();
    ExpectStrictRtf(column);
    TempDir::WriteAll(Dir.File("all.rtf"), rtf);
    TempDir::WriteAll(Dir.File("column.rtf"), column);
    ASSERT_EQ(std::system("command -v soffice > /dev/null 2>&1"), 0)
        << "LibreOffice Writer is needed to read the RTF back (scripts/packages.txt installs it)";
    RunCommand("cd " + Dir.Path() + " && HOME=" + Dir.Path() +
               " soffice --headless --convert-to 'txt:Text (encoded):UTF8' --outdir out all.rtf column.rtf > "
               "/dev/null 2>&1");
    const std::string all = TempDir::ReadAll(Dir.File("out/all.txt"));
    const std::string col = TempDir::ReadAll(Dir.File("out/column.txt"));
    for (const char* text : {"F_ID", "F_text", "say \"hi\"; ok", "c}", "物业费"})
        EXPECT_NE(all.find(text), std::string::npos) << text << " in\n" << all;
    EXPECT_NE(col.find("物业费"), std::string::npos) << col;
    EXPECT_EQ(col.find("F_text"), std::string::npos);
}

} // namespace
