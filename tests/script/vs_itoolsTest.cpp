// The language registry and the reading of method headers.
#include "script/vs_itools.h"
#include "rtl/Format.h"
#include "rtl/StringList.h"
#include "script/vs_iconst.h"
#include "script/vs_ipascal.h"

#include <gtest/gtest.h>

namespace {

TEST(LanguageRegistry, BuiltInLanguagesInOrder) {
    TStringList list;
    list.Add("stale");
    GetLanguageList(list);
    ASSERT_GE(list.Count(), 4);
    EXPECT_EQ(list[0], "PascalScript");
    EXPECT_EQ(list[1], "D++Idezer");
    EXPECT_EQ(list[2], "VuzirUzezid");
    EXPECT_EQ(list[3], "JScript");
    EXPECT_EQ(GetLanguageGrammar("pascalSCRIPT"), vsPascalScriptGrammar);
}

TEST(LanguageRegistry, NamesStartingWithAtAreHidden) {
    RegisterLanguage("@Internal", "<?xml version=\"1.0\"?><language/>");
    TStringList list;
    GetLanguageList(list);
    EXPECT_EQ(list.IndexOf("@Internal"), -1);
    EXPECT_EQ(GetLanguageGrammar("@internal"), "<?xml version=\"1.0\"?><language/>");
}

TEST(LanguageRegistry, RegisteringAgainReplacesInPlace) {
    TStringList before;
    GetLanguageList(before);
    RegisterLanguage("pascalscript", vsPascalScriptGrammar);
    TStringList after;
    GetLanguageList(after);
    EXPECT_EQ(after.Count(), before.Count());
    EXPECT_EQ(after[0], "pascalscript");
    RegisterLanguage("PascalScript", vsPascalScriptGrammar);
    GetLanguageList(after);
    EXPECT_EQ(after[0], "PascalScript");
}

TEST(LanguageRegistry, UnknownLanguageRaises) {
    try {
        GetLanguageGrammar("Fortran");
        FAIL() << "no exception";
    } catch (const EvsScriptError& e) {
        EXPECT_EQ(e.Message(), "Language 'Fortran' not found");
    }
}

TEST(Constants, Parsing) {
    EXPECT_EQ(ParseConstant("'12'").VType(), varString);
    EXPECT_EQ(ParseConstant("'12'").AsString(), "12");
    EXPECT_EQ(ParseConstant("''").AsString(), "");
    EXPECT_EQ(ParseConstant("2147483647").VType(), varInteger);
    EXPECT_EQ(ParseConstant("2147483648").VType(), varInt64);
    EXPECT_EQ(ParseConstant("2147483648").AsInt64(), 2147483648LL);
    EXPECT_EQ(ParseConstant("$FF").VType(), varInteger);
    EXPECT_EQ(ParseConstant("$FF").AsInt64(), 255);
    EXPECT_EQ(ParseConstant("").VType(), varNull);
    const char saved = FormatSettings().DecimalSeparator;
    for (char separator : {'.', ','}) {
        FormatSettings().DecimalSeparator = separator;
        const Variant v = ParseConstant("1.5");
        EXPECT_EQ(v.VType(), varDouble);
        EXPECT_DOUBLE_EQ(v.AsDouble(), 1.5);
        EXPECT_DOUBLE_EQ(ParseConstant("2.5e3").AsDouble(), 2500.0);
    }
    FormatSettings().DecimalSeparator = saved;
}

String Describe(const TvsMethodHeader& h) {
    String s = String(h.IsMacro ? "macro " : "") + (h.IsFunction ? "function " : "procedure ") + h.Name;
    s += "(";
    for (size_t i = 0; i < h.Params.size(); ++i) {
        const TvsHeaderParam& p = h.Params[i];
        s += (i ? "; " : "") + String(p.IsVar ? "var " : "") + p.Name + ": " + p.TypeName;
        if (p.Optional()) s += " = " + p.DefaultText;
    }
    return s + "): " + h.TypeName;
}

TEST(MethodHeaders, Parsing) {
    struct {
        String Header;
        String Described;
    } cases[] = {
        {"function Copy(S: String; Index, Count: Integer): String",
         "function Copy(S: String; Index: Integer; Count: Integer): String"},
        {"procedure Inc(var X: Integer; N: Integer = 1)", "procedure Inc(var X: Integer; N: Integer = 1): "},
        {"function F: Integer", "function F(): Integer"},
        {"procedure P(a, b)", "procedure P(): "},
        {"macrofunction IIF(Cond: Boolean; V1, V2: Variant): Variant",
         "macro function IIF(Cond: Boolean; V1: Variant; V2: Variant): Variant"},
        {"function Fmt(const S: String; A, B: Integer = -5; C: String = 'x'; D: Integer = $10; E: TColor = "
         "clRed): String",
         "function Fmt(S: String; A: Integer; B: Integer = -5; C: String = 'x'; D: Integer = $10; E: TColor "
         "= clRed): String"},
        {"FUNCTION Now: TDateTime", "function Now(): TDateTime"},
        {"function NoType(a: Integer)", "function NoType(a: Integer): Integer"},
        {"procedure Swap(var a, b: Variant)", "procedure Swap(var a: Variant; var b: Variant): "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Describe(ParseMethodHeaderText(c.Header, false)), c.Described) << c.Header;
}

TEST(MethodHeaders, DefaultKinds) {
    const TvsMethodHeader h =
        ParseMethodHeaderText("procedure P(a: Integer = 3; b: String = 'x'; c: TColor = clRed)", false);
    ASSERT_EQ(h.Params.size(), 3u);
    EXPECT_EQ(h.Params[0].DefaultKind, TvsHeaderParam::TDefaultKind::Number);
    EXPECT_EQ(h.Params[1].DefaultKind, TvsHeaderParam::TDefaultKind::String);
    EXPECT_EQ(h.Params[2].DefaultKind, TvsHeaderParam::TDefaultKind::Name);
}

TEST(MethodHeaders, ExtendedIdentifiers) {
    const String header = "function \xE5\x90\x88\xE8\xAE\xA1(\xE5\x80\xBC: Integer): Integer";
    EXPECT_EQ(ParseMethodHeaderText(header, false).Name, "");
    const TvsMethodHeader h = ParseMethodHeaderText(header, true);
    EXPECT_EQ(h.Name, "\xE5\x90\x88\xE8\xAE\xA1");
    ASSERT_EQ(h.Params.size(), 1u);
    EXPECT_EQ(h.Params[0].Name, "\xE5\x80\xBC");
}

} // namespace
