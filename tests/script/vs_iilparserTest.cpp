// The grammar interpreter: the exact intermediate form, units, language switches and the
// failures that come back as compile errors.
#include "ILTestSupport.h"

#include "rtl/FileUtils.h"
#include "rtl/StringList.h"
#include "script/vs_iconst.h"
#include "script/vs_ipascal.h"
#include "script/vs_itools.h"

#include <map>

namespace {

// A compact form of an element tree: name, [text] when it has one, {children}; positions left out.
String Shape(const TvsXMLItem& Item) {
    String s = Item.Name();
    const String text = Item.Prop("text");
    if (!text.empty()) s += "[" + text + "]";
    if (Item.Count() > 0) {
        s += "{";
        for (Integer i = 0; i < Item.Count(); ++i)
            s += (i ? " " : "") + Shape(*Item.Items(i));
        s += "}";
    }
    return s;
}

String ShapeOf(const String& Language, const String& Text) {
    TvsILParser parser;
    parser.SelectLanguage(Language);
    EXPECT_TRUE(parser.BuildIntermediate(Text)) << parser.ErrorText() << " at " << parser.ErrorPosition();
    return Shape(*parser.Intermediate().Root());
}

// Units served by name, as a script's OnGetUnit handler serves them.
class TUnitHost : public TvsILHost {
public:
    std::map<String, String> Units;
    std::vector<String> Asked;
    bool GetUnitText(const String& UnitName, String& UnitText) override {
        Asked.push_back(UnitName);
        const auto it = Units.find(UnitName);
        if (it != Units.end()) UnitText = it->second;
        return true;
    }
};

TEST(Intermediate, GoldenExampleByteForByte) {
    const TILResult r =
        CompileIL("PascalScript", ScriptText({"var a: Integer;", "begin", "  a := 1 + (a * 2)", "end."}));
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(r.XML, "<?xml version=\"1.0\"?>\r\n"
                     "<program>\r\n"
                     "  <var pos=\"1:5\">\r\n"
                     "    <ident text=\"a\" pos=\"1:6\"/>\r\n"
                     "    <type text=\"Integer\" pos=\"1:15\"/>\r\n"
                     "  </var>\r\n"
                     "  <compoundstmt pos=\"2:1\">\r\n"
                     "    <assignstmt pos=\"3:3\">\r\n"
                     "      <dsgn pos=\"3:3\">\r\n"
                     "        <node text=\"a\" pos=\"3:4\"/>\r\n"
                     "      </dsgn>\r\n"
                     "      <expr pos=\"3:8\" pos1=\"3:19\">\r\n"
                     "        <number text=\"1\" pos=\"3:9\"/>\r\n"
                     "        <op text=\"+\" pos=\"3:11\"/>\r\n"
                     "        <op text=\"(\" pos=\"3:13\"/>\r\n"
                     "        <expr pos=\"3:13\" pos1=\"3:18\">\r\n"
                     "          <dsgn pos=\"3:13\">\r\n"
                     "            <node text=\"a\" pos=\"3:14\"/>\r\n"
                     "          </dsgn>\r\n"
                     "          <op text=\"*\" pos=\"3:16\"/>\r\n"
                     "          <number text=\"2\" pos=\"3:18\"/>\r\n"
                     "        </expr>\r\n"
                     "        <op text=\")\" pos=\"3:19\"/>\r\n"
                     "      </expr>\r\n"
                     "    </assignstmt>\r\n"
                     "  </compoundstmt>\r\n"
                     "  <types/>\r\n"
                     "</program>\r\n");
}

TEST(Intermediate, StatementShapes) {
    struct TCase {
        const char* Language;
        String Text;
        String Shape;
    };
    const TCase cases[] = {
        {"PascalScript", "begin for i := 10 downto 1 do x := i end.",
         "program{compoundstmt{forstmt{ident[i] expr{number[10]} downto[downto] expr{number[1]} "
         "assignstmt{dsgn{node[x]} expr{dsgn{node[i]}}}}} types}"},
        {"PascalScript", "begin case x of 1: ; 2..3: y := 1 else y := 2 end end.",
         "program{compoundstmt{casestmt{expr{dsgn{node[x]}} caseselector{set{expr{number[1]}}} "
         "caseselector{set{expr{number[2]} range[.] expr{number[3]}} assignstmt{dsgn{node[y]} "
         "expr{number[1]}}} "
         "assignstmt{dsgn{node[y]} expr{number[2]}}}} types}"},
        {"PascalScript", "var a, b: Integer = 5; begin end.",
         "program{var{ident[a] ident[b] type[Integer] init{expr{number[5]}}} compoundstmt types}"},
        {"PascalScript", "procedure P(var a: Integer; b: String = 'x'); begin end; begin P(a) end.",
         "program{procedure{name[P] parameters{varparams var{ident[a] type[Integer]} var{ident[b] "
         "type[String] "
         "init{expr{string['x']}}}} compoundstmt} compoundstmt{callstmt{dsgn{node[P] expr{dsgn{node[a]}}}}} "
         "types}"},
        {"PascalScript", "begin x := a.b[1, 2](3) end.",
         "program{compoundstmt{assignstmt{dsgn{node[x]} expr{dsgn{node[a] node[b] node[[] expr{number[1]} "
         "expr{number[2]} expr{number[3]}}}}} types}"},
        {"PascalScript", "begin x := @P end.",
         "program{compoundstmt{assignstmt{dsgn{node[x]} expr{dsgn{addr[@] node[P]}}}} types}"},
        {"D++Idezer", "int a, b = 5; { do x++; while (x < 3); }",
         "program{var{type[int] ident[a] ident[b] init{expr{number[5]}}} "
         "compoundstmt{repeatstmt{callstmt{dsgn{node[x]} "
         "modificator[+]} expr{dsgn{node[x]} op[<] number[3]} inverse}} types{int long void bool float}}"},
        {"D++Idezer", "{ x -= 0x1F; }",
         "program{compoundstmt{assignstmt{dsgn{node[x]} modificator[-] expr{number[$1F]}}} types{int long "
         "void "
         "bool float}}"},
        {"VuzirUzezid", "If a Then\r\nElse\r\n  b = 1\r\nEnd If\r\n",
         "program{compoundstmt{ifstmt{expr{dsgn{node[a]}} elsestmt{compoundstmt{assignstmt{dsgn{node[b]} "
         "expr{number[1]}}}}}} types{decimal}}"},
        {"VuzirUzezid", "Sub P(ByRef a)\r\nEnd Sub\r\n",
         "program{compoundstmt{procedure{name[P] parameters{varparams var{ident[a]}} exit}} types{decimal}}"},
        {"JScript", "var a = 1, b[3]; a = b[0]",
         "program{compoundstmt{var{ident[a] init{expr{number[1]}}} var{ident[b] array{dim{expr{number[3]}}}} "
         "assignstmt{dsgn{node[a]} expr{dsgn{node[b] node[[] expr{number[0]}}}}} types}"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ShapeOf(c.Language, c.Text), c.Shape) << c.Text;
}

TEST(Intermediate, BracketedTextBecomesACallOfGet) {
    TvsILParser parser;
    parser.SelectLanguage("PascalScript");
    ASSERT_TRUE(parser.BuildIntermediate("begin x := <Data.\"Name\"> end."));
    const TvsXMLItem* expr = parser.Intermediate().Root()->Items(0)->Items(0)->Items(1);
    EXPECT_EQ(Shape(*expr), "expr{dsgn{node[Get] expr{string['Data.\"Name\"']}}}");
    const TvsXMLItem* dsgn = expr->Items(0);
    EXPECT_EQ(dsgn->Prop("pos"), "1:24");
    EXPECT_EQ(dsgn->Items(0)->Prop("pos"), "1:24");
    EXPECT_EQ(dsgn->Items(1)->Items(0)->Prop("pos"), "1:24");
}

TEST(Intermediate, AmpersandInLiteralsSurvives) {
    TvsILParser parser;
    parser.SelectLanguage("PascalScript");
    ASSERT_TRUE(parser.BuildIntermediate("begin s := '&#65;&quot;&amp;' end."));
    const TvsXMLItem* str = parser.Intermediate().Root()->Items(0)->Items(0)->Items(1)->Items(0);
    EXPECT_EQ(str->Name(), "string");
    EXPECT_EQ(str->Prop("text"), "'&#65;&quot;&amp;'");
    // Written and read again, the literal stays the same.
    TvsXMLDocument copy;
    copy.LoadFromString(parser.Intermediate().SaveToString());
    EXPECT_EQ(copy.Root()->Items(0)->Items(0)->Items(1)->Items(0)->Prop("text"), "'&#65;&quot;&amp;'");
}

TEST(Intermediate, TypesOfTheGrammarCloseTheDocument) {
    TvsILParser parser;
    parser.SelectLanguage("D++Idezer");
    ASSERT_TRUE(parser.BuildIntermediate("{ }"));
    const TvsXMLItem* root = parser.Intermediate().Root();
    const TvsXMLItem* types = root->Items(root->Count() - 1);
    EXPECT_EQ(types->Name(), "types");
    ASSERT_EQ(types->Count(), 5);
    EXPECT_EQ(types->Items(4)->Name(), "float");
    EXPECT_EQ(types->Items(4)->Prop("type"), "extended");
    EXPECT_EQ(parser.GrammarTypes()->Count(), 5);
    EXPECT_TRUE(parser.DeclareVars());
    parser.SelectLanguage("JScript");
    EXPECT_FALSE(parser.DeclareVars());
}

// --- language switch ---------------------------------------------------------------------------

TEST(LanguageSwitch, FirstLineNamesTheLanguage) {
    const TILResult r = CompileIL("PascalScript", "#language JScript\r\na = 1");
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_NE(r.XML.find("<assignstmt pos=\"2:1\">"), String::npos);
}

TEST(LanguageSwitch, OnlyAtTheVeryFirstCharacter) {
    const TILResult r = CompileIL("PascalScript", " #language VuzirUzezid\r\na = 1\r\n");
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Error, "'BEGIN' expected");
}

TEST(LanguageSwitch, LeavesNothingOfTheFirstLanguageBehind) {
    // Selected VuzirUzezid: "rem" opens comments, line ends are tokens, undeclared names are
    // variables. After the switch none of that holds.
    TvsILParser parser;
    parser.SelectLanguage("VuzirUzezid");
    ASSERT_TRUE(parser.BuildIntermediate("#language PascalScript\r\nbegin\r\n  remark := 1\r\nend."))
        << parser.ErrorText();
    EXPECT_TRUE(parser.DeclareVars());
    EXPECT_EQ(parser.LanguageName(), "PascalScript");
    EXPECT_NE(Shape(*parser.Intermediate().Root()).find("node[remark]"), String::npos);
}

TEST(LanguageSwitch, UnknownLanguageIsACompileError) {
    const TILResult r = CompileIL("PascalScript", "#language Klingon\r\nbegin end.");
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Error, "Language 'Klingon' not found");
    EXPECT_EQ(r.Position, "1:11");
}

// --- units -------------------------------------------------------------------------------------

TEST(Units, ReadInReverseOrderOfTheClauseAndOnlyOnce) {
    TUnitHost host;
    host.Units["a"] = "uses 'b';\r\nbegin x := 1 end.";
    host.Units["b"] = "begin y := 2 end.";
    const TILResult r = CompileIL("PascalScript", "uses 'a', 'b', 'a';\r\nbegin end.", &host);
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(host.Asked, (std::vector<String>{"a", "b"}));
    TvsXMLDocument doc;
    doc.LoadFromString(r.XML);
    const TvsXMLItem* root = doc.Root();
    // 'a' twice: the second (read first) is the one kept; b was read by a first.
    ASSERT_GE(root->Count(), 2);
    EXPECT_EQ(root->Items(0)->Name(), "uses");
    EXPECT_EQ(root->Items(0)->Prop("unit"), "a");
    EXPECT_EQ(Shape(*root->Items(0)),
              "uses{program{uses{program{compoundstmt{assignstmt{dsgn{node[y]} expr{number[2]}}} types}} "
              "compoundstmt{assignstmt{dsgn{node[x]} expr{number[1]}}} types}}");
    EXPECT_EQ(root->Items(1)->Name(), "compoundstmt");
}

TEST(Units, TwoUnitsStandInReverseOrder) {
    TUnitHost host;
    host.Units["a"] = "begin end.";
    host.Units["b"] = "begin end.";
    const TILResult r = CompileIL("PascalScript", "uses 'a', 'b';\r\nbegin end.", &host);
    ASSERT_TRUE(r.Ok) << r.Error;
    const size_t a = r.XML.find("<uses unit=\"a\">");
    const size_t b = r.XML.find("<uses unit=\"b\">");
    ASSERT_NE(a, String::npos);
    ASSERT_NE(b, String::npos);
    EXPECT_LT(b, a);
}

TEST(Units, EveryLanguageHasItsClause) {
    struct TCase {
        const char* Language;
        String Text;
        String Unit;
    };
    const TCase cases[] = {
        {"PascalScript", "uses 'u';\r\nbegin end.\r\n", "begin x := 1 end."},
        {"D++Idezer", "#include \"u\"\r\n{ }\r\n", "{ x = 1; }"},
        {"VuzirUzezid", "Imports \"u\"\r\n", "x = 1"},
        {"JScript", "import \"u\";\r\n", "x = 1;"},
    };
    for (const TCase& c : cases) {
        TUnitHost host;
        host.Units["u"] = c.Unit;
        const TILResult r = CompileIL(c.Language, c.Text, &host);
        ASSERT_TRUE(r.Ok) << c.Language << ": " << r.Error;
        TvsXMLDocument doc;
        doc.LoadFromString(r.XML);
        EXPECT_NE(Shape(*doc.Root()).find("uses{program{"), String::npos) << c.Language;
        EXPECT_NE(Shape(*doc.Root()).find("assignstmt{dsgn{node[x]} expr{number[1]}}"), String::npos)
            << c.Language;
    }
}

TEST(Units, AnErrorInsideAUnitNamesTheUnit) {
    TUnitHost host;
    host.Units["lib"] = "uses 'deep';\r\nbegin end.";
    host.Units["deep"] = "begin\r\n  x := \r\nend.";
    const TILResult r = CompileIL("PascalScript", "uses 'lib';\r\nbegin end.", &host);
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Error, "Expression expected");
    EXPECT_EQ(r.Position, "3:1");
    EXPECT_EQ(r.Unit, "deep");
}

TEST(Units, EmptyUnitTextAddsAnEmptyUnit) {
    TUnitHost host;
    const TILResult r = CompileIL("PascalScript", "uses 'none';\r\nbegin end.", &host);
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_NE(r.XML.find("<uses unit=\"none\"/>"), String::npos);
}

class TFolderHost : public TvsILHost {
public:
    std::vector<String> Folders;
    std::vector<String> IncludeFolders() const override { return Folders; }
};

TEST(Units, FilesAreFoundInTheIncludeFolders) {
    const String dir = GetTempDir() + "vs_units_" + std::to_string(::getpid());
    ForceDirectories(dir + "/second");
    TStringList unit;
    unit.SetText("begin z := 3 end.");
    unit.SaveToFile(dir + "/second/u.pas");
    TFolderHost host;
    host.Folders = {dir + "\\first", dir + "\\second\\"};
    const TILResult r = CompileIL("PascalScript", "uses 'u.pas';\r\nbegin end.", &host);
    EXPECT_TRUE(r.Ok) << r.Error;
    EXPECT_NE(r.XML.find("node text=\"z\""), String::npos);
    DeleteFile(dir + "/second/u.pas");
    RemoveDir(dir + "/second");
    RemoveDir(dir);
}

TEST(Units, AnUnreadableUnitIsACompileError) {
    TFolderHost host;
    host.Folders = {"/nonexistent-folder-of-units"};
    const TILResult missing = CompileIL("PascalScript", "uses\r\n  'missing.pas';\r\nbegin end.", &host);
    EXPECT_FALSE(missing.Ok);
    EXPECT_NE(missing.Error.find("missing.pas"), String::npos) << missing.Error;
    EXPECT_EQ(missing.Position, "2:16");
    EXPECT_EQ(missing.Unit, "");
}

// --- failures that end the walk ------------------------------------------------------------------

TEST(Failures, AMissingRuleIsAnInvalidLanguageDefinition) {
    RegisterLanguage("@Broken", "<?xml version=\"1.0\"?><language><parser/><types/>"
                                "<program><keyword text=\"go\"/><nowhere/></program></language>");
    const TILResult r = CompileIL("@Broken", "go on");
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Error, "Invalid language definition");
    EXPECT_EQ(r.Position, "1:4");
}

TEST(Failures, AGrammarWithoutProgramIsInvalid) {
    RegisterLanguage("@Empty", "<?xml version=\"1.0\"?><language><parser/></language>");
    const TILResult r = CompileIL("@Empty", "x");
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Error, "Invalid language definition");
}

TEST(Failures, ABadGrammarTextRaisesOnSelection) {
    RegisterLanguage("@NotXML", "language");
    TvsILParser parser;
    EXPECT_THROW(parser.SelectLanguage("@NotXML"), EvsScriptError);
    // Reached through a language switch it is a compile error.
    const TILResult r = CompileIL("PascalScript", "#language @NotXML\r\nbegin end.");
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Error, "Invalid file format");
}

TEST(Failures, UnknownSyntaxTypeRaises) {
    TvsILParser parser;
    try {
        parser.SelectLanguage("Cobol");
        FAIL() << "no exception";
    } catch (const EvsScriptError& e) {
        EXPECT_EQ(e.Message(), "Language 'Cobol' not found");
    }
}

TEST(Failures, DeepNestingIsACompileErrorNotAStackOverflow) {
    const String deep = "begin x := " + String(5000, '(') + "1" + String(5000, ')') + " end.";
    const TILResult r = CompileIL("PascalScript", deep);
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Error, STooDeep);
    // Nesting that real scripts use stays well inside the limit.
    const String fine = "begin x := " + String(60, '(') + "1" + String(60, ')') + " end.";
    EXPECT_TRUE(CompileIL("PascalScript", fine).Ok);
}

TEST(Failures, DeepUnitChainsShareTheLimit) {
    TUnitHost host;
    for (int i = 0; i < 1000; ++i)
        host.Units["u" + std::to_string(i)] = "uses 'u" + std::to_string(i + 1) + "'; begin end.";
    const TILResult r = CompileIL("PascalScript", "uses 'u0'; begin end.", &host);
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Error, STooDeep);
}

TEST(Loops, ForgiveOnlyTheErrorsRecordedInsideThem) {
    // "@ 1": the optional part records "Identifier expected" and gives way; the forgiving loop
    // that follows reads the rest. Its passes must not wipe the error recorded before it began.
    RegisterLanguage("@Forgive",
                     "<?xml version=\"1.0\"?><language><parser><errors>"
                     "<err1 text=\"Identifier expected\"/><err2 text=\"Number expected\"/>"
                     "</errors></parser><types/><empty/><program>"
                     "<optional><char text=\"@\"/><ident err=\"err1\"/></optional>"
                     "<loop skip=\"1\"><switch><char text=\"@\"/><number/>"
                     "<sequence><char text=\"#\"/><number err=\"err2\"/></sequence></switch></loop>"
                     "</program></language>");
    TILResult r = CompileIL("@Forgive", "@ 1 2");
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Error, "Identifier expected");
    EXPECT_EQ(r.Position, "1:3");
    // An error recorded in a later pass is forgiven.
    r = CompileIL("@Forgive", "1 2 # x");
    EXPECT_TRUE(r.Ok) << r.Error;
    // One pass forgives nothing.
    r = CompileIL("@Forgive", "# x");
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Error, "Number expected");
}

TEST(Failures, ProgramRuleFailingWithoutErrorBuildsNothing) {
    TvsILParser parser;
    parser.SelectLanguage("VuzirUzezid");
    EXPECT_FALSE(parser.BuildIntermediate(""));
    EXPECT_EQ(parser.ErrorText(), "");
    EXPECT_EQ(parser.Intermediate().Root()->Count(), 0);
}

} // namespace
