// The ini-file bindings in the four languages: a string list kept in a section, a section's values
// alone, whole files to and from streams, and the calls that need an object.
#include "ScriptTestSupport.h"

#include "rtl/FileUtils.h"
#include "rtl/SysUtils.h"

#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

const char* const IniSeed = "[V]\na=1\nb=2\n[D]\nCount=2000000000\nItems0=p\nItems1=q\n";

String IniTestFile(const String& name) {
    return GetTempDir() + "vs_ini_" + std::to_string(::getpid()) + "_" + name + ".ini";
}

String ReadWhole(const String& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Each program runs on a file seeded with IniSeed, named by the script variable IniName.
class IniPrograms : public ::testing::TestWithParam<TScriptProgram> {};

TEST_P(IniPrograms, RunWithExactOutput) {
    const TScriptProgram& p = GetParam();
    const String file = IniTestFile(p.Name);
    std::ofstream(file, std::ios::binary) << IniSeed;
    TScriptRunner r(p.Language);
    r.Script.AddVariable("IniName", "String", Variant(file));
    EXPECT_EQ(r.Run(p.Text), p.Output);
    if (String(p.Name).find("IniFileStreams") == 0) EXPECT_EQ(ReadWhole(file), "[T]\r\nk=v\r\n");
    else EXPECT_EQ(ReadWhole(file), IniSeed) << "a memory ini file writes nothing back";
    ::unlink(file.c_str());
}

const String ListsOut = "3\nonethree\nx,one,two,three\nTrue\n0\np,q,\n";
const String ValuesExOut = "1,2\n";
const String MemStreamsOut = "[V]\r\na=1\r\nb=2\r\n\nv?\n";
const String FileStreamsOut = "58\nv?\n";
const String NilOut = "run: ReadSection: Strings is nil at ";

const TScriptProgram IniScripts[] = {
    // WriteTStrings and ReadTStrings; a section without Count adds nothing; a damaged Count of
    // 2000000000 reads no more lines than the section has keys.
    {"PascalLists", "PascalScript",
     Lines({"var Ini: TMemIniFile; L: TStringList;", "begin", "  Ini := TMemIniFile.Create(IniName);",
            "  L := TStringList.Create;", "  L.Add('one'); L.Add('two'); L.Add('three');",
            "  Ini.WriteTStrings('S', L, True);", "  Print(Ini.ReadInteger('S', 'Count', -1));",
            "  Print(Ini.ReadString('S', 'Items0', '') + Ini.ReadString('S', 'Items2', ''));",
            "  L.Clear; L.Add('x');", "  Ini.ReadTStrings('S', L, False); Print(L.CommaText);",
            "  Print(Ini.ReadTStrings('V', L, True) = ''); Print(L.Count);",
            "  Ini.ReadTStrings('D', L, True); Print(L.CommaText);", "  L.Free; Ini.Free;", "end."}),
     ListsOut},
    {"CppLists", "D++Idezer",
     Lines({"TMemIniFile Ini; TStringList L;", "{", "  Ini = new TMemIniFile(IniName);", "  L = new TStringList();",
            "  L.Add(\"one\"); L.Add(\"two\"); L.Add(\"three\");", "  Ini.WriteTStrings(\"S\", L, true);",
            "  Print(Ini.ReadInteger(\"S\", \"Count\", -1));",
            "  Print(Ini.ReadString(\"S\", \"Items0\", \"\") + Ini.ReadString(\"S\", \"Items2\", \"\"));",
            "  L.Clear(); L.Add(\"x\");", "  Ini.ReadTStrings(\"S\", L, false); Print(L.CommaText);",
            "  Print(Ini.ReadTStrings(\"V\", L, true) == \"\"); Print(L.Count);",
            "  Ini.ReadTStrings(\"D\", L, true); Print(L.CommaText);", "  L.Free(); Ini.Free();", "}"}),
     ListsOut},
    {"BasicLists", "VuzirUzezid",
     Lines({"Dim Ini As TMemIniFile", "Dim L As TStringList", "Ini = New TMemIniFile(IniName)",
            "L = New TStringList", "L.Add(\"one\")", "L.Add(\"two\")", "L.Add(\"three\")",
            "Ini.WriteTStrings(\"S\", L, True)", "Print(Ini.ReadInteger(\"S\", \"Count\", -1))",
            "Print(Ini.ReadString(\"S\", \"Items0\", \"\") & Ini.ReadString(\"S\", \"Items2\", \"\"))", "L.Clear",
            "L.Add(\"x\")", "Ini.ReadTStrings(\"S\", L, False)", "Print(L.CommaText)",
            "Print(Ini.ReadTStrings(\"V\", L, True) = \"\")", "Print(L.Count)", "Ini.ReadTStrings(\"D\", L, True)",
            "Print(L.CommaText)", "L.Free", "Ini.Free"}),
     ListsOut},
    {"JScriptLists", "JScript",
     Lines({"var Ini, L;", "Ini = new TMemIniFile(IniName);", "L = new TStringList();",
            "L.Add(\"one\"); L.Add(\"two\"); L.Add(\"three\");", "Ini.WriteTStrings(\"S\", L, true);",
            "print(Ini.ReadInteger(\"S\", \"Count\", -1));",
            "print(Ini.ReadString(\"S\", \"Items0\", \"\") + Ini.ReadString(\"S\", \"Items2\", \"\"));",
            "L.Clear(); L.Add(\"x\");", "Ini.ReadTStrings(\"S\", L, false); print(L.CommaText);",
            "print(Ini.ReadTStrings(\"V\", L, true) == \"\"); print(L.Count);",
            "Ini.ReadTStrings(\"D\", L, true); print(L.CommaText);", "L.Free(); Ini.Free();"}),
     ListsOut},
    // ReadSectionValuesEx of a=1, b=2.
    {"PascalValuesEx", "PascalScript",
     Lines({"var Ini: TMemIniFile; L: TStringList;", "begin", "  Ini := TMemIniFile.Create(IniName);",
            "  L := TStringList.Create; L.Add('old');", "  Ini.ReadSectionValuesEx('V', L); Print(L.CommaText);",
            "  L.Free; Ini.Free;", "end."}),
     ValuesExOut},
    {"CppValuesEx", "D++Idezer",
     Lines({"TMemIniFile Ini; TStringList L;", "{", "  Ini = new TMemIniFile(IniName);",
            "  L = new TStringList(); L.Add(\"old\");", "  Ini.ReadSectionValuesEx(\"V\", L); Print(L.CommaText);",
            "  L.Free(); Ini.Free();", "}"}),
     ValuesExOut},
    {"BasicValuesEx", "VuzirUzezid",
     Lines({"Dim Ini As TMemIniFile", "Dim L As TStringList", "Ini = New TMemIniFile(IniName)",
            "L = New TStringList", "L.Add(\"old\")", "Ini.ReadSectionValuesEx(\"V\", L)", "Print(L.CommaText)",
            "L.Free", "Ini.Free"}),
     ValuesExOut},
    {"JScriptValuesEx", "JScript",
     Lines({"var Ini = new TMemIniFile(IniName), L = new TStringList();", "L.Add(\"old\");",
            "Ini.ReadSectionValuesEx(\"V\", L); print(L.CommaText);", "L.Free(); Ini.Free();"}),
     ValuesExOut},
    // A memory ini file to and from a stream: its copy in memory, the file untouched.
    {"PascalMemStreams", "PascalScript",
     Lines({"var Ini: TMemIniFile; M: TMemoryStream; s: String;", "begin", "  Ini := TMemIniFile.Create(IniName);",
            "  M := TMemoryStream.Create;", "  Ini.EraseSection('D'); Ini.SaveIniFileToStream(M);",
            "  M.Position := 0; M.Read(s, M.Size); Print(s);",
            "  M.Clear; s := '[T]' + Chr(10) + 'k=v'; M.Write(s, Length(s)); M.Position := 0;",
            "  Ini.LoadIniFileFromStream(M);", "  Print(Ini.ReadString('T', 'k', '?') + Ini.ReadString('V', 'a', '?'));",
            "  M.Free; Ini.Free;", "end."}),
     MemStreamsOut},
    {"CppMemStreams", "D++Idezer",
     Lines({"TMemIniFile Ini; TMemoryStream M; string s;", "{", "  Ini = new TMemIniFile(IniName);",
            "  M = new TMemoryStream();", "  Ini.EraseSection(\"D\"); Ini.SaveIniFileToStream(M);",
            "  M.Position = 0; M.Read(s, M.Size); Print(s);",
            "  M.Clear(); s = \"[T]\" + Chr(10) + \"k=v\"; M.Write(s, Length(s)); M.Position = 0;",
            "  Ini.LoadIniFileFromStream(M);",
            "  Print(Ini.ReadString(\"T\", \"k\", \"?\") + Ini.ReadString(\"V\", \"a\", \"?\"));",
            "  M.Free(); Ini.Free();", "}"}),
     MemStreamsOut},
    {"BasicMemStreams", "VuzirUzezid",
     Lines({"Dim Ini As TMemIniFile", "Dim M As TMemoryStream", "Dim s", "Ini = New TMemIniFile(IniName)",
            "M = New TMemoryStream", "Ini.EraseSection(\"D\")", "Ini.SaveIniFileToStream(M)", "M.Position = 0",
            "M.Read(s, M.Size)", "Print(s)", "M.Clear", "s = \"[T]\" & Chr(10) & \"k=v\"", "M.Write(s, Length(s))",
            "M.Position = 0", "Ini.LoadIniFileFromStream(M)",
            "Print(Ini.ReadString(\"T\", \"k\", \"?\") & Ini.ReadString(\"V\", \"a\", \"?\"))", "M.Free",
            "Ini.Free"}),
     MemStreamsOut},
    {"JScriptMemStreams", "JScript",
     Lines({"var Ini = new TMemIniFile(IniName), M = new TMemoryStream(), s;",
            "Ini.EraseSection(\"D\"); Ini.SaveIniFileToStream(M);", "M.Position = 0; M.Read(s, M.Size); print(s);",
            "M.Clear(); s = \"[T]\" + Chr(10) + \"k=v\"; M.Write(s, Length(s)); M.Position = 0;",
            "Ini.LoadIniFileFromStream(M);",
            "print(Ini.ReadString(\"T\", \"k\", \"?\") + Ini.ReadString(\"V\", \"a\", \"?\"));", "M.Free(); Ini.Free();"}),
     MemStreamsOut},
    // An ini file to and from a stream: the file as it is, then replaced whole.
    {"IniFileStreamsPascal", "PascalScript",
     Lines({"var Ini: TIniFile; M: TMemoryStream; s: String;", "begin", "  Ini := TIniFile.Create(IniName);",
            "  M := TMemoryStream.Create;", "  Ini.SaveIniFileToStream(M); Print(M.Size);",
            "  M.Clear; s := '[T]' + Chr(10) + 'k=v'; M.Write(s, Length(s)); M.Position := 0;",
            "  Ini.LoadIniFileFromStream(M);", "  Print(Ini.ReadString('T', 'k', '?') + Ini.ReadString('V', 'a', '?'));",
            "  M.Free; Ini.Free;", "end."}),
     FileStreamsOut},
    {"IniFileStreamsCpp", "D++Idezer",
     Lines({"TIniFile Ini; TMemoryStream M; string s;", "{", "  Ini = new TIniFile(IniName);",
            "  M = new TMemoryStream();", "  Ini.SaveIniFileToStream(M); Print(M.Size);",
            "  M.Clear(); s = \"[T]\" + Chr(10) + \"k=v\"; M.Write(s, Length(s)); M.Position = 0;",
            "  Ini.LoadIniFileFromStream(M);",
            "  Print(Ini.ReadString(\"T\", \"k\", \"?\") + Ini.ReadString(\"V\", \"a\", \"?\"));",
            "  M.Free(); Ini.Free();", "}"}),
     FileStreamsOut},
    {"IniFileStreamsBasic", "VuzirUzezid",
     Lines({"Dim Ini As TIniFile", "Dim M As TMemoryStream", "Dim s", "Ini = New TIniFile(IniName)",
            "M = New TMemoryStream", "Ini.SaveIniFileToStream(M)", "Print(M.Size)", "M.Clear",
            "s = \"[T]\" & Chr(10) & \"k=v\"", "M.Write(s, Length(s))", "M.Position = 0",
            "Ini.LoadIniFileFromStream(M)",
            "Print(Ini.ReadString(\"T\", \"k\", \"?\") & Ini.ReadString(\"V\", \"a\", \"?\"))", "M.Free",
            "Ini.Free"}),
     FileStreamsOut},
    {"IniFileStreamsJScript", "JScript",
     Lines({"var Ini = new TIniFile(IniName), M = new TMemoryStream(), s;",
            "Ini.SaveIniFileToStream(M); print(M.Size);",
            "M.Clear(); s = \"[T]\" + Chr(10) + \"k=v\"; M.Write(s, Length(s)); M.Position = 0;",
            "Ini.LoadIniFileFromStream(M);",
            "print(Ini.ReadString(\"T\", \"k\", \"?\") + Ini.ReadString(\"V\", \"a\", \"?\"));", "M.Free(); Ini.Free();"}),
     FileStreamsOut},
    // A list the call needs, left nil, raises naming the call.
    {"PascalNil", "PascalScript",
     Lines({"var Ini: TMemIniFile; L: TStringList;", "begin", "  Ini := TMemIniFile.Create(IniName);",
            "  Ini.ReadSection('V', L);", "end."}),
     NilOut + "4:3"},
    {"CppNil", "D++Idezer",
     Lines({"TMemIniFile Ini; TStringList L;", "{", "  Ini = new TMemIniFile(IniName);",
            "  Ini.ReadSection(\"V\", L);", "}"}),
     NilOut + "4:3"},
    {"BasicNil", "VuzirUzezid",
     Lines({"Dim Ini As TMemIniFile", "Dim L As TStringList", "Ini = New TMemIniFile(IniName)",
            "Ini.ReadSection(\"V\", L)"}),
     NilOut + "4:1"},
    {"JScriptNil", "JScript",
     Lines({"var Ini = new TMemIniFile(IniName), L;", "Ini.ReadSection(\"V\", L);"}), NilOut + "2:1"},
};

INSTANTIATE_TEST_SUITE_P(IniFiles, IniPrograms, ::testing::ValuesIn(IniScripts), ProgramName);

// A TIniFile whose file does not exist has nothing to copy: the platform's file-open error.
TEST(IniFiles, SavingAMissingIniFileToAStreamRaisesTheOpenError) {
    TScriptRunner r;
    r.Script.AddVariable("IniName", "String", Variant(IniTestFile("missing")));
    const String out = r.Run(Lines({"var Ini: TIniFile; M: TMemoryStream;", "begin",
                                    "  Ini := TIniFile.Create(IniName); M := TMemoryStream.Create;",
                                    "  Ini.SaveIniFileToStream(M);", "end."}));
    EXPECT_EQ(out.rfind("run: Cannot open file", 0), 0u) << out;
}

} // namespace
