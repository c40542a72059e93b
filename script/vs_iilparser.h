// The compiler's first phase: the grammar interpreter. It walks the selected language's grammar
// over a source text with the lexer and writes the intermediate form, an XML document whose
// elements the grammar's "node" and "add" attributes name (root "program", then the program's
// declarations and statements in source order, then a copy of the grammar's "types"). Every
// element carries "pos", the 1-based "line:column" of its start (wrapping elements) or of the
// character after its token (leaves); an "expr" also carries "pos1", where it ends.
//
// Use:
//     TvsILParser parser(&host);            // host: the script being compiled (may be null)
//     parser.SelectLanguage("PascalScript"); // raises for an unknown language or a bad grammar
//     if (parser.BuildIntermediate(text))    // text: the script's lines, each followed by CR LF
//         use(parser.Intermediate().Root());
//     else if (!parser.ErrorText().empty())
//         report(parser.ErrorText(), parser.ErrorPosition(), parser.ErrorUnitName());
//
// BuildIntermediate never raises. Errors in the text, and also a language switch to an unknown
// language, a unit that cannot be read, a grammar that names a missing rule and text nested too
// deeply, come back as ErrorText, ErrorPosition ("line:col") and ErrorUnitName (empty for the
// main text). It returns false without an error text when the rule "program" failed with no
// recorded error; nothing should then be built.
//
// The second phase (turning the intermediate form into program objects) reads Intermediate(),
// GrammarTypes(), DeclareVars(), SourceText() and the lexer's GetPlainPosition.
#pragma once

#include "rtl/Object.h"
#include "rtl/Types.h"
#include "script/vs_iparser.h"
#include "script/vs_xml.h"

#include <memory>
#include <vector>

class TvsGrammar;
struct TvsGrammarNode;

// What the grammar interpreter needs of the script it compiles for.
class TvsILHost {
public:
    virtual ~TvsILHost() = default;
    // Characters 128 to 255 count as identifier characters.
    virtual bool ExtendedIdentifiers() const { return false; }
    // The script's OnGetUnit event: false when no handler is assigned; otherwise the handler
    // fills UnitText with the source of the unit named in a uses clause.
    virtual bool GetUnitText(const String& UnitName, String& UnitText) {
        (void)UnitName;
        (void)UnitText;
        return false;
    }
    // The folders searched in order for a unit's file when no OnGetUnit handler is assigned. An
    // empty entry stands for the bare name (the current folder).
    virtual std::vector<String> IncludeFolders() const { return {String()}; }
};

class TvsILParser : public TObject {
public:
    explicit TvsILParser(TvsILHost* Host = nullptr);
    ~TvsILParser() override;
    String ClassName() const override { return "TvsILParser"; }

    // Loads a language's grammar: the lexer back to its defaults, then the grammar's keywords
    // and keys; DeclareVars on unless the grammar says "0". Raises EvsScriptError with
    // SLangNotFound for an unknown name, or "Invalid file format" for a grammar text that is no
    // script XML document.
    void SelectLanguage(const String& Name);

    // Walks the grammar over Text. True when the rule "program" matched and no error was
    // recorded; the intermediate form is then in Intermediate(). A text whose first characters
    // are "#language Name" is read in that language from the next line on.
    bool BuildIntermediate(const String& Text);

    const String& ErrorText() const { return FErrorText; }
    const String& ErrorPosition() const { return FErrorPosition; }
    const String& ErrorUnitName() const { return FErrorUnitName; }

    TvsXMLDocument& Intermediate() { return FIntermediate; }
    // The grammar's "types" element (type names of the language mapped to the interpreter's
    // through the attribute "type"); null before a language is selected.
    const TvsXMLItem* GrammarTypes() const;
    // Undeclared identifiers are errors (on) or become variant variables of the program (off).
    bool DeclareVars() const { return FDeclareVars; }
    const String& LanguageName() const { return FLanguageName; }
    // Empty for the script's own text; the unit's name in a nested interpreter.
    const String& UnitName() const { return FUnitName; }
    void SetUnitName(const String& Value) { FUnitName = Value; }
    // The units read during this compilation (each unit is read once).
    std::vector<String>& UnitsRead() { return FUnitsRead; }
    // The text compiled last and the lexer that read it (positions to text offsets).
    const String& SourceText() const { return FLexer.Text(); }
    TvsParser& Lexer() { return FLexer; }

private:
    struct TAbort; // a failure that ends the walk: an invalid grammar, too deep nesting

    bool Match(const TvsGrammarNode& E);
    bool MatchLoop(const TvsGrammarNode& E, Integer P0);
    bool ReadToken(const TvsGrammarNode& E, String& Token);
    bool TokenMatches(const TvsGrammarNode& E, const String& Token) const;
    void Wrap(const TvsGrammarNode& E, bool Success, Integer P0, size_t& C0);
    void EmitLeaf(const String& Name, const String& Text);
    void RecordError(const TvsGrammarNode& E, Integer P0);
    void SetError(const String& Message, const String& Position, const String& UnitName);
    String StartPosition(Integer P0);
    void LoadUnits(size_t C0);
    bool LoadUnit(const String& Name, const String& Position, String& Intermediate);
    String UnitFileName(const String& Name) const;
    void FinishDocument();
    void ApplyLanguage();

    TvsILHost* FHost;
    TvsILHost FDefaultHost;
    std::shared_ptr<const TvsGrammar> FGrammar;
    TvsXMLDocument FIntermediate;
    TvsParser FLexer;
    String FLanguageName;
    String FUnitName;
    std::vector<String> FUnitsRead;
    bool FDeclareVars = true;

    // State of one walk.
    std::vector<String> FLines;
    String FErrorText;
    String FErrorPosition;
    String FErrorUnitName;
    bool FTermFlag = false;
    unsigned FErrorSerial = 0; // counts recorded errors; a loop forgives only those of its own
    unsigned FErrorCount = 0;
    int FDepth = 0;
};
