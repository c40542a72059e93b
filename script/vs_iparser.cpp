#include "script/vs_iparser.h"

#include "rtl/StrUtils.h"

#include <algorithm>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsHexDigit(char c) {
    return HexDigitValue(c) >= 0;
}
// Characters that end a quoted part unless it was closed first: codes 0-8 and 10-31.
bool IsStringBreak(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 32 && u != 9;
}
bool IsPunctuation(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 33 && u <= 47) || (u >= 58 && u <= 64) || (u >= 91 && u <= 96) || (u >= 123 && u <= 126);
}

void SplitMarks(const String& Text, String& Open, String& Close) {
    const size_t comma = Text.find(',');
    Open = Text.substr(0, comma);
    Close = comma == String::npos ? String() : Text.substr(comma + 1);
    const size_t more = Close.find(',');
    if (more != String::npos) Close.erase(more);
}

} // namespace

TvsParser::TvsParser() {
    FKeywords.SetSorted(true);
    SetDefaults();
    LoadText(String());
}

void TvsParser::SetDefaults() {
    FKeywords.Clear();
    CommentLine1 = "//";
    CommentLine2.clear();
    SetCommentBlock1("{,}");
    SetCommentBlock2("(*,*)");
    StringQuotes = "'";
    HexSequence = "$";
    SetIdentChars("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz");
    CaseSensitive = false;
    SpecStrChar = false;
    SkipEOL = true;
    SkipChar.clear();
    SkipBlanks = true;
}

void TvsParser::SetCommentBlock1(const String& Text) {
    FCommentBlock1 = Text;
    SplitMarks(Text, FBlock1Open, FBlock1Close);
}

void TvsParser::SetCommentBlock2(const String& Text) {
    FCommentBlock2 = Text;
    SplitMarks(Text, FBlock2Open, FBlock2Close);
}

void TvsParser::SetIdentChars(const String& Text) {
    FIdentChars.reset();
    for (char c : Text)
        FIdentChars.set(static_cast<unsigned char>(c));
}

bool TvsParser::IsKeyword(const String& Word) const {
    if (CaseSensitive) {
        for (Integer i = 0; i < FKeywords.Count(); ++i)
            if (FKeywords[i] == Word) return true;
        return false;
    }
    Integer index = 0;
    return FKeywords.Find(Word, index);
}

void TvsParser::LoadText(const String& Text) {
    FSource = Text;
    FText = Text;
    FText.push_back('\0');
    FPosition = 1;
    FLastPosition = 1;
    FLineStarts.assign(1, 0);
    if (TrackLines)
        for (size_t i = 0; i < Text.size(); ++i)
            if (Text[i] == '\n') FLineStarts.push_back(static_cast<Integer>(i + 1));
}

void TvsParser::SetPosition(Integer Index) {
    FPosition = std::clamp(Index, 1, Size() + 1);
    FLastPosition = FPosition;
}

bool TvsParser::IsBlank(char C) const {
    const auto u = static_cast<unsigned char>(C);
    return u <= 32 && (SkipEOL || C != '\r');
}

bool TvsParser::MatchesAt(Integer Pos, const String& Mark) const {
    if (Mark.empty() || Pos < 1 || Pos - 1 + static_cast<Integer>(Mark.size()) > Size() || At(Pos) != Mark[0])
        return false;
    return FSource.compare(static_cast<size_t>(Pos - 1), Mark.size(), Mark) == 0;
}

Integer TvsParser::ContinuationEnd(Integer Pos) const {
    // A continuation character counts only before the line end (blanks and more continuation
    // characters may follow it), so that it can also start a name ("_x").
    while (Pos <= Size() && (At(Pos) == ' ' || At(Pos) == '\t' || At(Pos) == SkipChar[0]))
        ++Pos;
    return Pos > Size() || At(Pos) == '\r' || At(Pos) == '\n' ? Pos : 0;
}

void TvsParser::SkipEOLRun() {
    while (FPosition <= Size() && (At(FPosition) == '\n' || At(FPosition) == '\r'))
        ++FPosition;
}

void TvsParser::SkipSpaces() {
    // A continuation character asks for the line end that follows it to be skipped as well.
    // The count of such requests replaces a recursion per continuation character.
    int pendingLineEnds = 0;
    const Integer size = Size();
    for (;;) {
        while (FPosition <= size && IsBlank(At(FPosition)))
            ++FPosition;
        if (!SkipChar.empty() && FPosition <= size && At(FPosition) == SkipChar[0]) {
            const Integer lineEnd = ContinuationEnd(FPosition);
            if (lineEnd) {
                FPosition = lineEnd;
                ++pendingLineEnds;
                continue;
            }
        }
        if (FPosition < size && (MatchesAt(FPosition, CommentLine1) || MatchesAt(FPosition, CommentLine2))) {
            // A comment after code on the same line leaves that line's end for GetEOL.
            const bool afterCode = FPosition > 1 && At(FPosition - 1) != '\n';
            const bool stopAtCR = !SkipEOL && afterCode;
            while (FPosition <= size && At(FPosition) != '\n' && !(stopAtCR && At(FPosition) == '\r'))
                ++FPosition;
            continue;
        }
        if (FPosition <= size) {
            const String* close = nullptr;
            if (MatchesAt(FPosition, FBlock1Open)) {
                FPosition += static_cast<Integer>(FBlock1Open.size());
                close = &FBlock1Close;
            } else if (MatchesAt(FPosition, FBlock2Open)) {
                FPosition += static_cast<Integer>(FBlock2Open.size());
                close = &FBlock2Close;
            }
            if (close) {
                while (FPosition <= size && !close->empty() && !MatchesAt(FPosition, *close))
                    ++FPosition;
                if (FPosition <= size) FPosition += static_cast<Integer>(close->size());
                FPosition = std::min(FPosition, size + 1);
                continue;
            }
        }
        if (pendingLineEnds > 0 && FPosition <= size && (At(FPosition) == '\n' || At(FPosition) == '\r')) {
            SkipEOLRun();
            --pendingLineEnds;
            continue;
        }
        break;
    }
    FLastPosition = FPosition;
}

bool TvsParser::GetEOL() {
    SkipSpaces();
    if (FPosition <= Size() && (At(FPosition) == '\n' || At(FPosition) == '\r')) {
        SkipEOLRun();
        return true;
    }
    return false;
}

String TvsParser::GetWord() {
    if (SkipBlanks) SkipSpaces();
    const Integer start = FPosition;
    const Integer size = Size();
    if (FPosition > size) return String();
    const char c = At(FPosition);
    if (!IsIdentChar(static_cast<unsigned char>(c)) || IsDigit(c)) return String();
    while (FPosition <= size && IsIdentChar(static_cast<unsigned char>(At(FPosition))))
        ++FPosition;
    return FSource.substr(static_cast<size_t>(start - 1), static_cast<size_t>(FPosition - start));
}

String TvsParser::GetIdent() {
    String word = GetWord();
    if (!word.empty() && IsKeyword(word)) word.clear();
    return word;
}

String TvsParser::GetKeyword() {
    return GetWord();
}

String TvsParser::GetChar() {
    if (FPosition <= Size() && IsPunctuation(At(FPosition))) {
        ++FPosition;
        return String(1, At(FPosition - 1));
    }
    return String();
}

bool TvsParser::ReadQuotedPart(String& Value) {
    const char quote = At(FPosition);
    const Integer start = FPosition;
    const Integer size = Size();
    String part;
    ++FPosition;
    for (;;) {
        if (FPosition > size || IsStringBreak(At(FPosition))) {
            FPosition = start;
            return false;
        }
        const char c = At(FPosition);
        if (SpecStrChar && c == '\\') {
            ++FPosition;
            if (FPosition > size || IsStringBreak(At(FPosition))) {
                FPosition = start;
                return false;
            }
            const char d = At(FPosition);
            ++FPosition;
            switch (d | 0x20) {
            case 'n':
                part += '\n';
                break;
            case 'r':
                part += '\r';
                break;
            case 'x': {
                if (d != 'x' && d != 'X') {
                    part += d;
                    break;
                }
                unsigned code = 0;
                bool any = false;
                while (FPosition <= size && IsHexDigit(At(FPosition))) {
                    code = (code * 16 + static_cast<unsigned>(HexDigitValue(At(FPosition)))) & 0xFF;
                    any = true;
                    ++FPosition;
                }
                if (any) part += static_cast<char>(code);
                break;
            }
            default:
                part += d;
            }
            continue;
        }
        if (c == quote) {
            if (!SpecStrChar && FPosition + 1 <= size && At(FPosition + 1) == quote) {
                part += quote;
                FPosition += 2;
                continue;
            }
            ++FPosition;
            Value += part;
            return true;
        }
        part += c;
        ++FPosition;
    }
}

bool TvsParser::ReadInteger(Integer& Pos) const {
    const Integer size = Size();
    const auto ch = [&](Integer p) { return p <= size ? At(p) : '\0'; };
    if (MatchesAt(Pos, HexSequence) && IsHexDigit(ch(Pos + static_cast<Integer>(HexSequence.size())))) {
        Pos += static_cast<Integer>(HexSequence.size());
        while (IsHexDigit(ch(Pos)))
            ++Pos;
        return true;
    }
    if (!IsDigit(ch(Pos))) return false;
    while (IsDigit(ch(Pos)))
        ++Pos;
    return true;
}

bool TvsParser::ReadCharCode(String& Value) {
    // "#" and a decimal number, or "#" and a hexadecimal number with the language's prefix.
    const Integer size = Size();
    const auto ch = [&](Integer p) { return p <= size ? At(p) : '\0'; };
    Integer p = FPosition + 1;
    unsigned code = 0;
    const auto prefix = static_cast<Integer>(HexSequence.size());
    if (MatchesAt(p, HexSequence) && IsHexDigit(ch(p + prefix))) {
        for (p += prefix; IsHexDigit(ch(p)); ++p)
            code = (code * 16 + static_cast<unsigned>(HexDigitValue(ch(p)))) & 0xFF;
    } else if (IsDigit(ch(p))) {
        for (; IsDigit(ch(p)); ++p)
            code = (code * 10 + static_cast<unsigned>(ch(p) - '0')) & 0xFF;
    } else {
        return false;
    }
    Value += static_cast<char>(code);
    FPosition = p;
    return true;
}

String TvsParser::GetString() {
    if (SkipBlanks) SkipSpaces();
    const char quote = StringQuotes.empty() ? '\0' : StringQuotes[0];
    String value;
    int parts = 0;
    while (FPosition <= Size()) {
        const char c = At(FPosition);
        if (quote != '\0' && c == quote) {
            if (!ReadQuotedPart(value)) break;
        } else if (c == '#') {
            if (!ReadCharCode(value)) break;
        } else {
            break;
        }
        ++parts;
    }
    if (parts == 0) return String();
    return "'" + value + "'";
}

String TvsParser::GetNumber() {
    if (SkipBlanks) SkipSpaces();
    const Integer size = Size();
    const auto ch = [&](Integer p) { return p <= size ? At(p) : '\0'; };
    const Integer start = FPosition;
    Integer p = FPosition;
    if (!ReadInteger(p)) return String();
    if (ch(p) == '.' && IsDigit(ch(p + 1))) {
        p += 2;
        while (IsDigit(ch(p)))
            ++p;
    }
    if (ch(p) == 'E' || ch(p) == 'e') {
        Integer q = p + 1;
        if (ch(q) == '+' || ch(q) == '-') ++q;
        if (IsDigit(ch(q))) {
            while (IsDigit(ch(q)))
                ++q;
            p = q;
        }
    }
    FPosition = p;
    String text = FSource.substr(static_cast<size_t>(start - 1), static_cast<size_t>(p - start));
    if (HexSequence != "$" && !HexSequence.empty()) text = ReplaceStr(text, HexSequence, "$");
    return text;
}

String TvsParser::GetBracketText() {
    const Integer start = FPosition;
    const Integer size = Size();
    int depth = 1;
    bool inSingle = false;
    bool inDouble = false;
    while (FPosition <= size) {
        const char c = At(FPosition);
        if (c == '"' && !inSingle) {
            inDouble = !inDouble;
        } else if (c == '\'' && !inDouble) {
            inSingle = !inSingle;
        } else if (!inSingle && !inDouble) {
            if (c == '<' || c == '[') {
                ++depth;
            } else if (c == '>' || c == ']') {
                if (--depth == 0) break;
            }
        }
        ++FPosition;
    }
    return FSource.substr(static_cast<size_t>(start - 1), static_cast<size_t>(FPosition - start));
}

String TvsParser::PositionText(Integer Pos) const {
    // The line whose start offset is the greatest one below the position.
    auto it = std::lower_bound(FLineStarts.begin(), FLineStarts.end(), Pos);
    const auto line = static_cast<Integer>(it - FLineStarts.begin()); // 1-based: entries before it
    const Integer column = Pos - FLineStarts[static_cast<size_t>(line - 1)];
    return std::to_string(line) + ":" + std::to_string(column);
}

String TvsParser::GetXYPosition() const {
    return PositionText(FPosition);
}

Integer TvsParser::GetPlainPosition(Integer X, Integer Y) const {
    if (Y < 1 || Y > static_cast<Integer>(FLineStarts.size())) return -1;
    return FLineStarts[static_cast<size_t>(Y - 1)] + X;
}
