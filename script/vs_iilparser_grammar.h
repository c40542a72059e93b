// A language grammar read once into a tree the grammar interpreter walks quickly: element kinds
// decided, attributes decoded, error messages and rule references resolved. Grammars are cached
// process-wide by their text, so compiling many small scripts reads each grammar only once.
#pragma once

#include "rtl/Types.h"
#include "script/vs_xml.h"

#include <memory>
#include <utility>
#include <vector>

struct TvsGrammarNode {
    enum TKind : Byte {
        gkRule, // a rule definition (a child of the grammar's root)
        gkChar,
        gkKeyword,
        gkIdent,
        gkNumber,
        gkString,
        gkFrString,
        gkEOL,
        gkSequence,
        gkSwitch,
        gkOptionalSwitch,
        gkOptional,
        gkLoop,
        gkOptionalLoop,
        gkReference, // any other name: the rule of that name
    };
    TKind Kind = gkRule;
    String Name;          // element name, lower case
    String Text;          // expected token or loop separator, lower case; empty: none
    bool HasErr = false;  // the element names an error entry
    String ErrMessage;    // that entry's message (empty when the entry is missing)
    bool Term = false;    // term="1"
    bool NoSkip = false;  // char with skip="0"
    bool Forgive = false; // loop with skip="1"
    String Add;           // name of the leaf to emit; empty: none
    bool HasAddText = false;
    String AddText;                         // text of that leaf instead of the token
    String Node;                            // wrapping element, lower case; empty: none
    const TvsGrammarNode* Target = nullptr; // a reference's rule; null when there is no such rule
    std::vector<const TvsGrammarNode*> Children;

    bool IsToken() const { return Kind >= gkChar && Kind <= gkEOL; }
};

class TvsGrammar {
public:
    // Reads a grammar text; raises EvsScriptError for a text that is not a script XML document.
    explicit TvsGrammar(const String& Text);

    // The grammar's rule "program"; null when the grammar has none.
    const TvsGrammarNode* Program() const { return FProgram; }
    // The keys of the "parser" section in document order (names in lower case), without the
    // keyword and error lists.
    const std::vector<std::pair<String, String>>& Keys() const { return FKeys; }
    const std::vector<String>& Keywords() const { return FKeywords; }
    // The grammar's "types" element; an empty one when the grammar has none.
    const TvsXMLItem* Types() const { return FTypes; }
    const TvsXMLItem* Root() const { return FDocument.Root(); }

    // The compiled grammar for a text, read on first use and kept for the life of the process.
    static std::shared_ptr<const TvsGrammar> ForText(const String& Text);

private:
    TvsGrammarNode* Compile(const TvsXMLItem& Item, bool IsRule,
                            const std::vector<std::pair<String, String>>& Errors);

    TvsXMLDocument FDocument;
    std::vector<std::unique_ptr<TvsGrammarNode>> FNodes;
    const TvsGrammarNode* FProgram = nullptr;
    std::vector<std::pair<String, String>> FKeys;
    std::vector<String> FKeywords;
    const TvsXMLItem* FTypes = nullptr;
    TvsXMLItem FEmptyTypes;
};
