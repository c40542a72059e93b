#include "script/vs_iilparser.h"

#include "rtl/FileUtils.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"
#include "rtl/StringList.h"
#include "script/vs_iconst.h"
#include "script/vs_iilparser_grammar.h"
#include "script/vs_itools.h"

struct TvsILParser::TAbort {
    String Message;
    String Position;
};

namespace {

// Counts the nesting of matches and ends the walk when it grows too deep for the stack.
class TDepthGuard {
public:
    explicit TDepthGuard(int& Depth) : FDepth(Depth) { ++FDepth; }
    ~TDepthGuard() { --FDepth; }
    TDepthGuard(const TDepthGuard&) = delete;
    TDepthGuard& operator=(const TDepthGuard&) = delete;

private:
    int& FDepth;
};

// The value of attribute Name in one output line (a tag), decoded.
String LineAttribute(const String& Line, const String& Name) {
    const String key = " " + Name + "=\"";
    const size_t at = Line.find(key);
    if (at == String::npos) return String();
    const size_t start = at + key.size();
    const size_t end = Line.find('"', start);
    return vsXMLUnescape(Line.substr(start, end == String::npos ? String::npos : end - start));
}

} // namespace

TvsILParser::TvsILParser(TvsILHost* Host) : FHost(Host ? Host : &FDefaultHost) {}

TvsILParser::~TvsILParser() = default;

const TvsXMLItem* TvsILParser::GrammarTypes() const {
    return FGrammar ? FGrammar->Types() : nullptr;
}

void TvsILParser::SelectLanguage(const String& Name) {
    std::shared_ptr<const TvsGrammar> grammar = TvsGrammar::ForText(GetLanguageGrammar(Name));
    FGrammar = std::move(grammar);
    FLanguageName = Name;
    ApplyLanguage();
}

void TvsILParser::ApplyLanguage() {
    FLexer.SetDefaults();
    FDeclareVars = true;
    for (const String& word : FGrammar->Keywords())
        FLexer.Keywords().Add(word);
    for (const auto& [key, value] : FGrammar->Keys()) {
        if (key == "commentline1")
            FLexer.CommentLine1 = value;
        else if (key == "commentline2")
            FLexer.CommentLine2 = value;
        else if (key == "commentblock1")
            FLexer.SetCommentBlock1(value);
        else if (key == "commentblock2")
            FLexer.SetCommentBlock2(value);
        else if (key == "stringquotes")
            FLexer.StringQuotes = value;
        else if (key == "hexsequence")
            FLexer.HexSequence = value;
        else if (key == "skipchar")
            FLexer.SkipChar = value;
        else if (key == "identchars")
            FLexer.SetIdentChars(value);
        else if (key == "specstrchar" && value == "1")
            FLexer.SpecStrChar = true;
        else if (key == "casesensitive" && value == "1")
            FLexer.CaseSensitive = true;
        else if (key == "skipeol" && value == "0")
            FLexer.SkipEOL = false;
        else if (key == "declarevars" && value == "0")
            FDeclareVars = false;
    }
    if (FHost->ExtendedIdentifiers())
        for (int c = 128; c < 256; ++c)
            FLexer.AddIdentChar(static_cast<unsigned char>(c));
}

// --- the walk --------------------------------------------------------------------------------------

bool TvsILParser::BuildIntermediate(const String& Text) {
    FLines.clear();
    FErrorText.clear();
    FErrorPosition.clear();
    FErrorUnitName.clear();
    FTermFlag = false;
    FErrorSerial = 0;
    FIntermediate.Root()->Clear();
    FLexer.LoadText(Text);
    bool matched = false;
    try {
        if (!FGrammar) throw TAbort{Format(SLangNotFound, {String()}), "1:1"};
        Integer start = 1;
        if (!Text.empty() && Text[0] == '#') {
            FLexer.SetPosition(2);
            if (SameText(FLexer.GetIdent(), "language")) {
                const Integer nameStart = FLexer.Position();
                const size_t cr = Text.find('\r', static_cast<size_t>(nameStart - 1));
                const String name = Trim(
                    Text.substr(static_cast<size_t>(nameStart - 1),
                                cr == String::npos ? String::npos : cr - static_cast<size_t>(nameStart - 1)));
                FLexer.SetPosition(nameStart);
                FLexer.SkipSpaces();
                const String namePosition = FLexer.GetXYPosition();
                try {
                    SelectLanguage(name);
                } catch (const Exception& e) {
                    throw TAbort{e.Message(), namePosition};
                }
                start = cr == String::npos ? FLexer.Size() + 1 : static_cast<Integer>(cr) + 3;
            }
        }
        FLexer.SetPosition(start);
        const TvsGrammarNode* program = FGrammar->Program();
        if (!program) throw TAbort{SInvalidLanguage, FLexer.GetXYPosition()};
        matched = Match(*program);
        if (matched && FErrorText.empty()) FinishDocument();
    } catch (const TAbort& abort) {
        SetError(abort.Message, abort.Position, FUnitName);
    } catch (const Exception& e) {
        SetError(e.Message(), FLexer.GetXYPosition(), FUnitName);
    }
    FLines.clear();
    return matched && FErrorText.empty();
}

void TvsILParser::FinishDocument() {
    String text = "<?xml version=\"1.0\"?>\r\n<program>\r\n";
    for (const String& line : FLines) {
        text += line;
        text += "\r\n";
    }
    text += "</program>";
    FIntermediate.LoadFromString(text);
    FIntermediate.Root()->Add()->Assign(FGrammar->Types());
}

bool TvsILParser::TokenMatches(const TvsGrammarNode& E, const String& Token) const {
    if (Token.empty()) return false;
    if (E.Text.empty()) return true;
    return FLexer.CaseSensitive ? Token == E.Text : SameText(Token, E.Text);
}

bool TvsILParser::Match(const TvsGrammarNode& E) {
    TDepthGuard guard(FDepth);
    if (FDepth > vsMaxGrammarDepth) throw TAbort{STooDeep, FLexer.GetXYPosition()};
    const Integer P0 = FLexer.Position();
    size_t C0 = FLines.size();

    switch (E.Kind) {
    case TvsGrammarNode::gkSwitch:
    case TvsGrammarNode::gkOptionalSwitch:
        if (E.Children.empty()) return true;
        for (const TvsGrammarNode* child : E.Children)
            if (Match(*child)) return true;
        if (E.Kind == TvsGrammarNode::gkOptionalSwitch) return true;
        RecordError(E, P0);
        return false;
    case TvsGrammarNode::gkOptional:
        for (const TvsGrammarNode* child : E.Children)
            if (!Match(*child)) {
                FLexer.SetPosition(P0);
                break;
            }
        return true;
    case TvsGrammarNode::gkLoop:
    case TvsGrammarNode::gkOptionalLoop:
        return MatchLoop(E, P0);
    default:
        break;
    }

    bool ok = true;
    String token;
    if (E.Kind == TvsGrammarNode::gkReference) {
        if (!E.Target) throw TAbort{SInvalidLanguage, StartPosition(P0)};
        ok = Match(*E.Target);
    } else if (E.IsToken()) {
        ok = ReadToken(E, token);
    }

    const bool isRule = E.Kind == TvsGrammarNode::gkRule;
    if (ok) {
        if (!isRule && !E.Node.empty()) Wrap(E, true, P0, C0);
        if (!E.Add.empty()) EmitLeaf(E.Add, E.HasAddText ? E.AddText : token);
        for (const TvsGrammarNode* child : E.Children)
            if (!Match(*child)) {
                ok = false;
                break;
            }
    } else if (E.IsToken() || E.Kind == TvsGrammarNode::gkReference) {
        RecordError(E, P0);
    }
    if (!ok) FLexer.SetPosition(P0);
    if (!E.Node.empty() && (isRule || !ok)) Wrap(E, ok, P0, C0);
    return ok;
}

bool TvsILParser::ReadToken(const TvsGrammarNode& E, String& Token) {
    switch (E.Kind) {
    case TvsGrammarNode::gkChar:
        if (!E.NoSkip) FLexer.SkipSpaces();
        Token = FLexer.GetChar();
        return TokenMatches(E, Token);
    case TvsGrammarNode::gkKeyword:
        Token = FLexer.GetKeyword();
        return TokenMatches(E, Token);
    case TvsGrammarNode::gkIdent:
        Token = FLexer.GetIdent();
        return TokenMatches(E, Token);
    case TvsGrammarNode::gkNumber:
        Token = FLexer.GetNumber();
        return TokenMatches(E, Token);
    case TvsGrammarNode::gkString:
        Token = FLexer.GetString();
        return TokenMatches(E, Token);
    case TvsGrammarNode::gkFrString: {
        // The bracketed text becomes a call of the host function Get with the text as a string.
        Token = FLexer.GetBracketText();
        const String pos = " pos=\"" + FLexer.GetXYPosition() + "\"";
        FLines.push_back("<dsgn" + pos + ">");
        FLines.push_back("<node text=\"Get\"" + pos + "/>");
        FLines.push_back("<expr" + pos + ">");
        FLines.push_back("<string text=\"" + vsXMLEscape("'" + Token + "'") + "\"" + pos + "/>");
        FLines.push_back("</expr>");
        FLines.push_back("</dsgn>");
        return !Token.empty();
    }
    case TvsGrammarNode::gkEOL:
        return FLexer.GetEOL();
    default:
        return true;
    }
}

bool TvsILParser::MatchLoop(const TvsGrammarNode& E, Integer P0) {
    const unsigned serialAtEntry = FErrorCount;
    int passes = 0;
    bool passOk = false;
    Integer passEnd = P0;
    for (;;) {
        ++passes;
        const Integer passStart = FLexer.Position();
        passOk = true;
        for (const TvsGrammarNode* child : E.Children)
            if (!Match(*child)) {
                passOk = false;
                break;
            }
        passEnd = FLexer.Position();
        if (!passOk) break;
        if (!E.Text.empty()) {
            FLexer.SkipSpaces();
            if (!TokenMatches(E, FLexer.GetChar())) {
                FLexer.SetPosition(passEnd);
                break;
            }
        }
        if (FLexer.Position() == passStart) break;
    }
    bool ok;
    if (passes > 1) {
        ok = true;
        // Forgive an error recorded inside this loop (never one recorded before it began).
        if ((E.Forgive || FTermFlag) && !FErrorText.empty() && FErrorSerial > serialAtEntry) {
            FErrorText.clear();
            FErrorPosition.clear();
            FErrorUnitName.clear();
        }
        FLexer.SetPosition(passEnd);
    } else {
        ok = passOk;
    }
    if (!ok) {
        FLexer.SetPosition(P0);
        if (E.Kind == TvsGrammarNode::gkOptionalLoop) ok = true;
    }
    return ok;
}

String TvsILParser::StartPosition(Integer P0) {
    const Integer saved = FLexer.Position();
    FLexer.SetPosition(P0);
    FLexer.SkipSpaces();
    String position = FLexer.GetXYPosition();
    FLexer.SetPosition(saved);
    return position;
}

void TvsILParser::Wrap(const TvsGrammarNode& E, bool Success, Integer P0, size_t& C0) {
    if (E.Node == "uses") {
        LoadUnits(C0);
        return;
    }
    if (!Success) {
        FLines.resize(C0);
        return;
    }
    String open = "<" + E.Node + " pos=\"" + StartPosition(P0) + "\"";
    if (E.Node == "expr") open += " pos1=\"" + FLexer.GetXYPosition() + "\"";
    open += ">";
    FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(C0), open);
    FLines.push_back("</" + E.Node + ">");
}

void TvsILParser::EmitLeaf(const String& Name, const String& Text) {
    FLines.push_back("<" + Name + " text=\"" + vsXMLEscape(Text) + "\" pos=\"" + FLexer.GetXYPosition() +
                     "\"/>");
}

void TvsILParser::RecordError(const TvsGrammarNode& E, Integer P0) {
    // An "err" naming no entry of the error list records nothing.
    if (!E.HasErr || !FErrorText.empty() || E.ErrMessage.empty()) return;
    FErrorText = E.ErrMessage;
    FErrorPosition = StartPosition(P0);
    FErrorUnitName = FUnitName;
    FTermFlag = E.Term;
    FErrorSerial = ++FErrorCount;
}

void TvsILParser::SetError(const String& Message, const String& Position, const String& UnitName) {
    FErrorText = Message;
    FErrorPosition = Position;
    FErrorUnitName = UnitName;
    FTermFlag = false;
    FErrorSerial = ++FErrorCount;
}

// --- units -------------------------------------------------------------------------------------------

void TvsILParser::LoadUnits(size_t C0) {
    // The unit names are the string leaves the uses clause emitted; taken from the last to the
    // first, so the units stand in the reverse order of the clause.
    while (FLines.size() > C0) {
        const String line = FLines.back();
        FLines.pop_back();
        String name = LineAttribute(line, "text");
        name = name.size() >= 2 ? name.substr(1, name.size() - 2) : String();
        String intermediate;
        if (!LoadUnit(name, LineAttribute(line, "pos"), intermediate)) continue;
        const String lines[3] = {"<uses unit=\"" + vsXMLEscape(name) + "\">", intermediate, "</uses>"};
        FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(C0), std::begin(lines), std::end(lines));
        C0 += 3;
    }
}

bool TvsILParser::LoadUnit(const String& Name, const String& Position, String& Intermediate) {
    for (const String& read : FUnitsRead)
        if (SameText(read, Name)) return false;
    FUnitsRead.push_back(Name);

    // The unit's lines, each followed by CR LF, as the script's own text is compiled.
    TStringList lines;
    try {
        String text;
        if (FHost->GetUnitText(Name, text))
            lines.SetText(text);
        else
            lines.LoadFromFile(UnitFileName(Name));
    } catch (const Exception& e) {
        SetError(e.Message(), Position, FUnitName);
        return true;
    }
    if (lines.Count() == 0) return true;

    // On the heap: units that use units nest these calls.
    auto nestedParser = std::make_unique<TvsILParser>(FHost);
    TvsILParser& nested = *nestedParser;
    // A nested unit takes as much stack as a dozen matches: count it so.
    nested.FDepth = FDepth + 12;
    nested.FUnitName = Name;
    nested.FGrammar = FGrammar;
    nested.FLanguageName = FLanguageName;
    nested.ApplyLanguage();
    nested.FUnitsRead = FUnitsRead;
    if (nested.BuildIntermediate(lines.Text())) {
        FUnitsRead = nested.FUnitsRead;
        Intermediate = nested.FIntermediate.SaveToString();
        const size_t declEnd = Intermediate.find("?>");
        if (declEnd != String::npos) Intermediate.erase(0, declEnd + 2);
    } else if (!nested.FErrorText.empty()) {
        SetError(nested.FErrorText, nested.FErrorPosition, nested.FErrorUnitName);
    }
    return true;
}

String TvsILParser::UnitFileName(const String& Name) const {
    // The first folder under which the file exists; the last folder when there is none. An empty
    // folder stands for the bare name.
    String fileName = Name;
    for (const String& folder : FHost->IncludeFolders()) {
        fileName = folder.empty() ? Name : IncludeTrailingPathDelimiter(folder) + Name;
        if (FileExists(fileName)) break;
    }
    return fileName;
}
