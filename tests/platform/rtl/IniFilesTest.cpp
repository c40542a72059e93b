#include "rtl/IniFiles.h"
#include "rtl/Streams.h"
#include "rtl/StringList.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <sys/stat.h>

namespace {

const String kZhong = "\xE4\xB8\xAD"; // 中

std::vector<String> Items(const TStrings& l) {
    std::vector<String> v;
    for (Integer i = 0; i < l.Count(); ++i)
        v.push_back(l.Strings(i));
    return v;
}

const char* const kSample = "; settings of the program\r\n"
                            "[Database]\r\n"
                            "Path = data\\main.mdb \r\n"
                            "; the user name\r\n"
                            "User=admin\r\n"
                            "\r\n"
                            "# report options\r\n"
                            "[Report]\r\n"
                            "Title=\"Monthly fees\"\r\n"
                            "Note=a=b;c\r\n";

// Both kinds of ini file must behave the same for reads and writes.
enum class Kind { File, Mem };

std::unique_ptr<TCustomIniFile> Open(Kind kind, const String& name) {
    if (kind == Kind::File) return std::make_unique<TIniFile>(name);
    return std::make_unique<TMemIniFile>(name);
}

class IniKinds : public ::testing::TestWithParam<Kind> {};

} // namespace

TEST_P(IniKinds, ReadsNamesWithoutRegardToCaseAndValuesAsWritten) {
    TempDir dir;
    TempDir::WriteAll(dir.File("a.ini"), kSample);
    auto ini = Open(GetParam(), dir.File("a.ini"));
    EXPECT_EQ(ini->ReadString("database", "PATH", "?"), "data\\main.mdb");
    EXPECT_EQ(ini->ReadString("DATABASE", "user", "?"), "admin");
    EXPECT_EQ(ini->ReadString("Report", "Title", "?"), "\"Monthly fees\"");
    EXPECT_EQ(ini->ReadString("Report", "Note", "?"), "a=b;c");
    EXPECT_EQ(ini->ReadString("Report", "Missing", "dflt"), "dflt");
    EXPECT_EQ(ini->ReadString("Nowhere", "User", "dflt"), "dflt");
    EXPECT_TRUE(ini->SectionExists("report"));
    EXPECT_FALSE(ini->SectionExists("nowhere"));
    EXPECT_TRUE(ini->ValueExists("Database", "USER"));
    EXPECT_FALSE(ini->ValueExists("Database", "Title"));

    TStringList l;
    ini->ReadSections(l);
    EXPECT_EQ(Items(l), (std::vector<String>{"Database", "Report"}));
    ini->ReadSection("database", l);
    EXPECT_EQ(Items(l), (std::vector<String>{"Path", "User"}));
    ini->ReadSectionValues("Report", l);
    EXPECT_EQ(Items(l), (std::vector<String>{"Title=\"Monthly fees\"", "Note=a=b;c"}));
}

TEST_P(IniKinds, RewriteKeepsOrderAndComments) {
    TempDir dir;
    const String name = dir.File("a.ini");
    TempDir::WriteAll(name, kSample);
    auto ini = Open(GetParam(), name);
    ini->WriteString("DATABASE", "user", "guest"); // replaced in place, key keeps its spelling
    ini->WriteString("database", "Timeout", "30"); // after the section's last key
    ini->WriteString("New", "Key", kZhong);        // a new section at the end
    ini->DeleteKey("report", "NOTE");
    ini->UpdateFile();
    EXPECT_EQ(TempDir::ReadAll(name), "; settings of the program\r\n"
                                      "[Database]\r\n"
                                      "Path = data\\main.mdb \r\n"
                                      "; the user name\r\n"
                                      "User=guest\r\n"
                                      "Timeout=30\r\n"
                                      "\r\n"
                                      "# report options\r\n"
                                      "[Report]\r\n"
                                      "Title=\"Monthly fees\"\r\n"
                                      "\r\n"
                                      "[New]\r\n"
                                      "Key=" +
                                          kZhong + "\r\n");
    ini->EraseSection("REPORT");
    ini->UpdateFile();
    auto again = Open(GetParam(), name);
    EXPECT_FALSE(again->SectionExists("Report"));
    EXPECT_EQ(again->ReadString("New", "key", ""), kZhong);
    EXPECT_EQ(again->ReadString("Database", "Timeout", ""), "30");
}

TEST_P(IniKinds, TypedValues) {
    TempDir dir;
    auto ini = Open(GetParam(), dir.File("t.ini"));
    ini->WriteInteger("S", "I", -42);
    ini->WriteBool("S", "B", true);
    ini->WriteBool("S", "F", false);
    ini->WriteFloat("S", "X", 2.5);
    ini->WriteString("S", "Hex", "0x1F");
    ini->WriteString("S", "Dollar", "$10");
    ini->WriteString("S", "Bad", "12abc");
    EXPECT_EQ(ini->ReadString("S", "I", ""), "-42");
    EXPECT_EQ(ini->ReadString("S", "B", ""), "1");
    EXPECT_EQ(ini->ReadString("S", "F", ""), "0");
    EXPECT_EQ(ini->ReadInteger("S", "I", 0), -42);
    EXPECT_EQ(ini->ReadInteger("S", "Hex", 0), 31);
    EXPECT_EQ(ini->ReadInteger("S", "Dollar", 0), 16);
    EXPECT_EQ(ini->ReadInteger("S", "Bad", 7), 7);
    EXPECT_EQ(ini->ReadInteger("S", "None", 7), 7);
    EXPECT_TRUE(ini->ReadBool("S", "B", false));
    EXPECT_FALSE(ini->ReadBool("S", "F", true));
    EXPECT_TRUE(ini->ReadBool("S", "I", false)); // any integer but 0
    EXPECT_TRUE(ini->ReadBool("S", "None", true));
    EXPECT_DOUBLE_EQ(ini->ReadFloat("S", "X", 0), 2.5);
    EXPECT_DOUBLE_EQ(ini->ReadFloat("S", "Bad", 1.5), 1.5);

    const TDateTime day = 45292;       // 2024-01-01
    const TDateTime moment = 45292.75; // 18:00
    ini->WriteDate("D", "Day", day);
    ini->WriteDateTime("D", "Moment", moment);
    ini->WriteTime("D", "Time", 0.5);
    EXPECT_DOUBLE_EQ(ini->ReadDate("D", "Day", 0), day);
    EXPECT_NEAR(ini->ReadDateTime("D", "Moment", 0), moment, 1e-6);
    EXPECT_NEAR(ini->ReadTime("D", "Time", 0), 0.5, 1e-6);
    EXPECT_DOUBLE_EQ(ini->ReadDate("S", "Bad", 3), 3);

    TMemoryStream bytes;
    bytes.WriteBuffer("\x01\xAB\xFF", 3);
    bytes.SetPosition(1);
    ini->WriteBinaryStream("B", "Data", bytes);
    EXPECT_EQ(ini->ReadString("B", "Data", ""), "ABFF");
    TMemoryStream out;
    out.WriteBuffer("z", 1);
    EXPECT_EQ(ini->ReadBinaryStream("B", "Data", out), 2);
    EXPECT_EQ(out.Position(), 1);
    EXPECT_EQ(out.Size(), 3);
    EXPECT_EQ(ini->ReadBinaryStream("B", "None", out), 0);
}

TEST_P(IniKinds, EncodingsAndLineBreaks) {
    TempDir dir;
    // Code page 936 bytes are read as such; a UTF-8 byte-order mark is dropped; LF-only files stay LF.
    TempDir::WriteAll(dir.File("gbk.ini"), "[\xD6\xD0]\nName=\xD6\xD0\n");
    TempDir::WriteAll(dir.File("bom.ini"), "\xEF\xBB\xBF[A]\r\nK=" + kZhong + "\r\n");
    auto gbk = Open(GetParam(), dir.File("gbk.ini"));
    EXPECT_EQ(gbk->ReadString(kZhong, "name", ""), kZhong);
    gbk->WriteString(kZhong, "More", "x");
    gbk->UpdateFile();
    EXPECT_EQ(TempDir::ReadAll(dir.File("gbk.ini")), "[" + kZhong + "]\nName=" + kZhong + "\nMore=x\n");
    auto bom = Open(GetParam(), dir.File("bom.ini"));
    EXPECT_EQ(bom->ReadString("a", "k", ""), kZhong);
    // A value is one line: line breaks in it must not make lines of their own.
    bom->WriteString("A", "Multi", "one\r\ntwo");
    bom->UpdateFile();
    auto back = Open(GetParam(), dir.File("bom.ini"));
    EXPECT_EQ(back->ReadString("A", "Multi", ""), "one  two");
    TStringList keys;
    back->ReadSection("A", keys);
    EXPECT_EQ(Items(keys), (std::vector<String>{"K", "Multi"}));
    // The file keeps its byte-order mark; a second mark belongs to the first line and stays there
    // through a save and a reload.
    EXPECT_EQ(TempDir::ReadAll(dir.File("bom.ini")).substr(0, 7), "\xEF\xBB\xBF[A]\r");
    const String twice = "\xEF\xBB\xBF\xEF\xBB\xBF; note\r\n[A]\r\nK=1\r\n";
    TempDir::WriteAll(dir.File("twice.ini"), twice);
    for (int round = 0; round < 2; ++round) {
        auto file = Open(GetParam(), dir.File("twice.ini"));
        file->WriteString("A", "K", "1");
        file->UpdateFile();
    }
    EXPECT_EQ(TempDir::ReadAll(dir.File("twice.ini")), twice);
}

INSTANTIATE_TEST_SUITE_P(Both, IniKinds, ::testing::Values(Kind::File, Kind::Mem));

TEST(IniFile, WritesThroughAndSeesOtherWriters) {
    TempDir dir;
    const String name = dir.File("w.ini");
    TIniFile a(name), b(name);
    EXPECT_EQ(a.ReadString("S", "K", "none"), "none");
    a.WriteString("S", "K", "1");
    EXPECT_EQ(TempDir::ReadAll(name), "[S]\r\nK=1\r\n"); // in the file at once
    EXPECT_EQ(b.ReadString("s", "k", ""), "1");
    b.WriteString("S", "K2", "2");
    a.WriteString("S", "K3", "3"); // a reads b's change before writing
    EXPECT_EQ(TempDir::ReadAll(name), "[S]\r\nK=1\r\nK2=2\r\nK3=3\r\n");
    TempDir::WriteAll(name, "[S]\r\nK=changed outside\r\n");
    EXPECT_EQ(a.ReadString("S", "K", ""), "changed outside");
    a.DeleteKey("S", "missing"); // changes nothing, writes nothing
    a.EraseSection("S");
    EXPECT_EQ(TempDir::ReadAll(name), "");
}

TEST(IniFile, WriteErrorsLeaveTheFileAlone) {
    TempDir dir;
    TIniFile noFolder(dir.File("missing/x.ini"));
    try {
        noFolder.WriteString("S", "K", "V");
        FAIL() << "no exception";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), "Unable to write to " + dir.File("missing/x.ini"));
    }
    // The file is replaced as a whole: no temporary file is left behind and the mode is kept.
    const String name = dir.File("keep.ini");
    TempDir::WriteAll(name, "[S]\nK=1\n");
    ::chmod(name.c_str(), 0640);
    TIniFile ini(name);
    ini.WriteString("S", "K", "2");
    struct stat st {};
    ASSERT_EQ(::stat(name.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(TempDir::ReadAll(name), "[S]\nK=2\n");
    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path())) {
        EXPECT_EQ(e.path().filename(), "keep.ini");
        ++entries;
    }
    EXPECT_EQ(entries, 1);
    // A file marked read-only in that folder (also for the administrator) is not replaced.
    ::chmod(name.c_str(), 0444);
    EXPECT_THROW(ini.WriteString("S", "K", "3"), EIniFileException);
    EXPECT_EQ(TempDir::ReadAll(name), "[S]\nK=2\n");
    ASSERT_EQ(::stat(name.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u);
}

TEST(MemIniFile, KeepsChangesInMemoryUntilUpdateFile) {
    TempDir dir;
    const String name = dir.File("m.ini");
    TempDir::WriteAll(name, "[S]\r\nK=1\r\n");
    TMemIniFile ini(name);
    ini.WriteString("S", "K", "2");
    EXPECT_EQ(TempDir::ReadAll(name), "[S]\r\nK=1\r\n");
    EXPECT_EQ(ini.ReadString("S", "K", ""), "2");
    ini.UpdateFile();
    EXPECT_EQ(TempDir::ReadAll(name), "[S]\r\nK=2\r\n");

    TStringList lines;
    ini.GetStrings(lines);
    EXPECT_EQ(Items(lines), (std::vector<String>{"[S]", "K=2"}));
    lines.SetText("; c\r\n[T]\r\nA=b\r\n");
    ini.SetStrings(lines);
    EXPECT_EQ(ini.ReadString("t", "a", ""), "b");
    EXPECT_EQ(TempDir::ReadAll(name), "[S]\r\nK=2\r\n"); // not written
    ini.Clear();
    EXPECT_FALSE(ini.SectionExists("T"));
    ini.Rename(name, true);
    EXPECT_EQ(ini.ReadString("S", "K", ""), "2");

    TMemIniFile missing(dir.File("new.ini"));
    EXPECT_EQ(missing.ReadString("S", "K", "d"), "d");
    missing.WriteString("S", "K", "v");
    missing.UpdateFile();
    EXPECT_EQ(TempDir::ReadAll(dir.File("new.ini")), "[S]\r\nK=v\r\n");

    TMemIniFile broken(dir.File("no/dir/x.ini"));
    broken.WriteString("S", "K", "v");
    EXPECT_THROW(broken.UpdateFile(), EIniFileException);
}

TEST(MemIniFile, DuplicateSectionsAndKeysUseTheFirst) {
    TempDir dir;
    TempDir::WriteAll(dir.File("d.ini"), "[A]\nK=1\nK=2\n[a]\nK=3\nJ=4\n");
    TMemIniFile ini(dir.File("d.ini"));
    EXPECT_EQ(ini.ReadString("A", "K", ""), "1");
    EXPECT_EQ(ini.ReadString("A", "J", "none"), "none");
    TStringList l;
    ini.ReadSections(l);
    EXPECT_EQ(Items(l), (std::vector<String>{"A"}));
    ini.WriteString("A", "K", "x");
    ini.EraseSection("a"); // every section of the name goes
    EXPECT_FALSE(ini.SectionExists("A"));
    ini.GetStrings(l);
    EXPECT_EQ(l.Count(), 0);
}
