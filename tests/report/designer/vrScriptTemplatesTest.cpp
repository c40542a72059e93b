// The script code templates: empty scripts, template values and parameter lists of every language,
// and handlers listed, found and inserted in small scripts of each language.
#include "report/designer/vrScriptTemplates.h"
#include "report/vrRes.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

const char* const Languages[] = {"PascalScript", "D++Idezer", "VuzirUzezid", "JScript"};

using TLines = std::vector<String>;

// The script lines as the designer keeps them.
std::unique_ptr<TStringList> Script(const TLines& lines) {
    auto out = std::make_unique<TStringList>();
    for (const String& line : lines)
        out->Add(line);
    return out;
}

std::vector<String> Items(const TStrings& list) {
    std::vector<String> out;
    for (Integer i = 0; i < list.Count(); ++i)
        out.push_back(list.Strings(i));
    return out;
}

} // namespace

class ScriptTemplatesTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterScriptTemplates(); }
};

TEST_F(ScriptTemplatesTest, EmptyScripts) {
    const std::pair<const char*, TLines> cases[] = {
        {"PascalScript", {"begin", "", "end."}},
        {"D++Idezer", {"{", "", "}"}},
        {"VuzirUzezid", {}},
        {"JScript", {}},
        {"NoSuchLanguage", {}},
    };
    for (const auto& [language, expected] : cases) {
        auto lines = Script({"old line"});
        EmptyScript(*lines, language);
        EXPECT_EQ(Items(*lines), expected) << language;
    }
}

TEST_F(ScriptTemplatesTest, TemplateValuesOfEveryKeyAndLanguage) {
    const char* const keys[] = {"proc", "begin", "end", "lastend", "openquote", "closequote"};
    const char* const values[4][6] = {
        {"procedure", "begin", "end;", "end.", "{", "}"},
        {"void", "{", "}", "}", "/*", "*/"},
        {"sub", "", "end sub", "", "/\\", "/\\"},
        {"function", "{", "}", "", "/*", "*/"},
    };
    for (int l = 0; l < 4; ++l)
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(GetTemplateValue(Languages[l], keys[k]), values[l][k])
                << Languages[l] << " " << keys[k];
    EXPECT_EQ(GetTemplateValue("PascalScript", "PROC"), "procedure") << "keys ignore case";
    EXPECT_EQ(GetTemplateValue("PascalScript", "nokey"), "");
    EXPECT_EQ(GetTemplateValue("PascalScript", "quote"), "") << "a key must start an attribute";
    EXPECT_EQ(GetTemplateValue("NoSuchLanguage", "proc"), "");
}

TEST_F(ScriptTemplatesTest, ParameterListsOfEveryEventTypeAndLanguage) {
    struct TCase {
        const char* EventType;
        const char* Params[4];
    } cases[] = {
        {"TvrNotifyEvent", {"(Sender: TvrComponent);", "(TvrComponent Sender)", "(Sender)", "(Sender)"}},
        {"TvrCloseQueryEvent",
         {"(Sender: TvrComponent; var CanClose: Boolean);", "(TvrComponent Sender, bool &CanClose)",
          "(Sender, byref CanClose)", "(Sender, &CanClose)"}},
        {"TvrKeyEvent",
         {"(Sender: TvrComponent; var Key: Word; Shift: Integer);",
          "(TvrComponent Sender, word &Key, int Shift)", "(Sender, byref Key, Shift)",
          "(Sender, &Key, Shift)"}},
        {"TvrKeyPressEvent",
         {"(Sender: TvrComponent; var Key: Char);", "(TvrComponent Sender, char &Key)", "(Sender, byref Key)",
          "(Sender, &Key)"}},
        {"TvrMouseEvent",
         {"(Sender: TvrComponent; Button: TMouseButton; Shift: Integer; X, Y: Integer);",
          "(TvrComponent Sender, TMouseButton Button, int Shift, int X, int Y)",
          "(Sender, Button, Shift, X, Y)", "(Sender, Button, Shift, X, Y)"}},
        {"TvrMouseMoveEvent",
         {"(Sender: TvrComponent; Shift: Integer; X, Y: Integer);",
          "(TvrComponent Sender, int Shift, int X, int Y)", "(Sender, Shift, X, Y)",
          "(Sender, Shift, X, Y)"}},
        {"TvrPreviewClickEvent",
         {"(Sender: TvrView; Button: TMouseButton; Shift: Integer; var Modified: Boolean);",
          "(TvrView Sender, TMouseButton Button, int Shift, bool &Modified)",
          "(Sender, Button, Shift, byref Modified)", "(Sender, Button, Shift, &Modified)"}},
        {"TvrRunDialogsEvent", {"(var Result: Boolean);", "(bool &Result)", "(byref Result)", "(&Result)"}},
    };
    for (const TCase& c : cases)
        for (int l = 0; l < 4; ++l)
            EXPECT_EQ(GetEventParams(c.EventType, Languages[l]), c.Params[l]) << c.EventType;
    EXPECT_EQ(GetEventParams("TvrNoSuchEvent", "PascalScript"), "");
    EXPECT_EQ(GetEventParams("TvrNotifyEvent", "NoSuchLanguage"), "");
}

TEST_F(ScriptTemplatesTest, HandlersAreListedAndFoundOutsideComments) {
    struct TCase {
        const char* Language;
        TLines Script;
        std::vector<String> Handlers; // of TvrNotifyEvent
        Integer FoundAt;              // of "Memo1OnBeforePrint"
    } cases[] = {
        {"PascalScript",
         TLines({"procedure Memo1OnBeforePrint(Sender: TvrComponent);", "begin", "end;", "",
                 "procedure Memo1Click(sender: tvrcomponent);", "begin", "end;", "{",
                 "procedure InComment(Sender: TvrComponent);", "}",
                 "  procedure Indented(Sender: TvrComponent);", "procedure Spaced(Sender: TvrComponent) ;",
                 "procedure Key(Sender: TvrComponent; var Key: Char);", "begin", "", "end."}),
         {"Memo1OnBeforePrint", "Memo1Click"},
         0},
        {"D++Idezer",
         TLines({"/*", "void InComment(TvrComponent Sender)", "*/",
                 "void Memo1OnBeforePrint(TvrComponent Sender)", "{", "}", "VOID Upper(TvrComponent Sender)",
                 "{", "", "}"}),
         {"Memo1OnBeforePrint", "Upper"},
         3},
        {"VuzirUzezid",
         TLines({"sub Memo1OnBeforePrint(Sender)", "end sub", " sub Indented(Sender)", "end sub",
                 "ShowMessage 1"}),
         {"Memo1OnBeforePrint"},
         0},
        {"JScript",
         TLines({"function Other(Sender, &Key)", "{", "}", "/*", "function InComment(Sender)", "*/",
                 "function Memo1OnBeforePrint(Sender)", "{", "}", "ShowMessage(1);"}),
         {"Memo1OnBeforePrint"},
         6},
    };
    for (const TCase& c : cases) {
        const auto script = Script(c.Script);
        TStringList found;
        found.Add("stale");
        GetEventHandlers(*script, c.Language, "TvrNotifyEvent", found);
        EXPECT_EQ(Items(found), c.Handlers) << c.Language;
        EXPECT_EQ(FindEventHandler(*script, c.Language, "Memo1OnBeforePrint"), c.FoundAt) << c.Language;
        EXPECT_EQ(FindEventHandler(*script, c.Language, "memo1onbeforeprint"), c.FoundAt) << c.Language;
        EXPECT_EQ(FindEventHandler(*script, c.Language, "InComment"), -1) << c.Language;
        EXPECT_EQ(FindEventHandler(*script, c.Language, "Indented"), -1) << c.Language;
        EXPECT_EQ(FindEventHandler(*script, c.Language, "Memo1OnBefore"), -1)
            << "the name ends at the bracket";
    }
    const auto pascal = Script({"procedure Key(Sender: TvrComponent; var Key: Char);", "begin", "end;"});
    TStringList keys;
    GetEventHandlers(*pascal, "PascalScript", "TvrKeyPressEvent", keys);
    EXPECT_EQ(Items(keys), TLines{"Key"});
    GetEventHandlers(*pascal, "PascalScript", "TvrNoSuchEvent", keys);
    EXPECT_TRUE(Items(keys).empty());
}

TEST_F(ScriptTemplatesTest, HandlersGoBeforeTheMainBlock) {
    struct TCase {
        const char* Language;
        TLines Script;
        Integer MainBlock;
        TLines After; // the script after adding "Memo1OnBeforePrint"
    } cases[] = {
        {"PascalScript",
         TLines({"procedure A(Sender: TvrComponent);", "begin", "  if True then", "  begin", "  end;", "end;",
                 "", "begin", "  A(nil);", "end.", "{", "end.", "}"}),
         7,
         {"procedure A(Sender: TvrComponent);", "begin", "  if True then", "  begin", "  end;", "end;", "",
          "procedure Memo1OnBeforePrint(Sender: TvrComponent);", "begin", "", "end;", "", "begin",
          "  A(nil);", "end.", "{", "end.", "}"}},
        {"D++Idezer",
         TLines({"void A(TvrComponent Sender)", "{", "}", "{", "  A(null);", "}"}),
         3,
         {"void A(TvrComponent Sender)", "{", "}", "void Memo1OnBeforePrint(TvrComponent Sender)", "{", "",
          "}", "", "{", "  A(null);", "}"}},
        {"JScript",
         TLines({"function A(Sender)", "{", "}", "A(null);"}),
         3,
         {"function A(Sender)", "{", "}", "function Memo1OnBeforePrint(Sender)", "{", "", "}", "",
          "A(null);"}},
        {"VuzirUzezid",
         TLines({"ShowMessage 1"}),
         0,
         {"sub Memo1OnBeforePrint(Sender)", "", "", "end sub", "", "ShowMessage 1"}},
    };
    for (const TCase& c : cases) {
        const auto script = Script(c.Script);
        EXPECT_EQ(FindMainBlock(*script, c.Language), c.MainBlock) << c.Language;
        EXPECT_EQ(AddEventHandler(*script, c.Language, "TvrNotifyEvent", "Memo1OnBeforePrint"),
                  c.MainBlock + 3)
            << c.Language;
        EXPECT_EQ(Items(*script), c.After) << c.Language;
        EXPECT_EQ(script->Strings(c.MainBlock + 3 - 1), "") << "the result is the empty body line, 1-based";
        EXPECT_EQ(FindEventHandler(*script, c.Language, "Memo1OnBeforePrint"), c.MainBlock) << c.Language;
    }
}

TEST_F(ScriptTemplatesTest, NoPlaceForAHandlerChangesNothing) {
    const std::pair<const char*, TLines> cases[] = {
        {"PascalScript", TLines({"procedure A(Sender: TvrComponent);", "begin", "end;", "begin", "end;"})},
        {"PascalScript", TLines({"end."})},
        {"PascalScript", TLines({"begin", "{", "end.", "}"})},
        {"PascalScript", TLines()},
    };
    for (const auto& [language, lines] : cases) {
        const auto script = Script(lines);
        EXPECT_EQ(FindMainBlock(*script, language), -1) << script->Text();
        EXPECT_EQ(AddEventHandler(*script, language, "TvrNotifyEvent", "X"), -1);
        EXPECT_EQ(Items(*script), lines);
    }
    // A main block whose begin is missing starts at the first line.
    EXPECT_EQ(FindMainBlock(*Script({"  A(nil);", "end."}), "PascalScript"), 0);
}

TEST_F(ScriptTemplatesTest, ANewReportInALanguageWithoutMainBlockTakesAHandler) {
    // The empty script of a new JScript report has no last line to go before.
    for (const char* language : {"JScript", "VuzirUzezid"}) {
        TStringList lines;
        EmptyScript(lines, language);
        EXPECT_EQ(FindMainBlock(lines, language), 0) << language;
        EXPECT_EQ(AddEventHandler(lines, language, "TvrNotifyEvent", "Memo1OnBeforePrint"), 3) << language;
        EXPECT_EQ(FindEventHandler(lines, language, "Memo1OnBeforePrint"), 0) << language;
    }
}

TEST_F(ScriptTemplatesTest, ALanguageFileMayChangeATemplate) {
    GetResources().AddAnsiString("JScript", "proc=\"function\" begin=\"{\" end=\"}\" lastend=\"}\" "
                                            "openquote=\"/*\" closequote=\"*/\"");
    TStringList lines;
    EmptyScript(lines, "JScript");
    EXPECT_EQ(Items(lines), (TLines{"{", "", "}"}));
    RegisterScriptTemplates();
    EmptyScript(lines, "JScript");
    EXPECT_TRUE(Items(lines).empty()) << "registering again puts the built-in template back";
}
