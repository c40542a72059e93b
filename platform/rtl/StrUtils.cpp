#include "rtl/StrUtils.h"

#include "rtl/CodePage.h"

#include <algorithm>
#include <array>

namespace {

inline unsigned char U(char c) {
    return static_cast<unsigned char>(c);
}

// Case mappings of the letters the platform's locale folds. Every mapping keeps the length of the
// character's UTF-8 form, so an upper-cased text has its characters at the same byte offsets.
char32_t ToUpperChar(char32_t c) {
    if (c < 0x80) return c >= 'a' && c <= 'z' ? c - 32 : c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
    if (c == 0xFF) return 0x178;
    if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return c & ~1u;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1u) ? c : c - 1;
    if ((c >= 0x3B1 && c <= 0x3C1) || (c >= 0x3C3 && c <= 0x3CB)) return c - 0x20;
    if (c == 0x3C2) return 0x3A3;
    if (c == 0x3AC) return 0x386;
    if (c >= 0x3AD && c <= 0x3AF) return c - 0x25;
    if (c == 0x3CC) return 0x38C;
    if (c == 0x3CD || c == 0x3CE) return c - 0x3F;
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;
    return c;
}

char32_t ToLowerChar(char32_t c) {
    if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + 32 : c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
    if (c == 0x178) return 0xFF;
    if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c | 1u;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1u) ? c + 1 : c;
    if ((c >= 0x391 && c <= 0x3A1) || (c >= 0x3A3 && c <= 0x3AB)) return c + 0x20;
    if (c == 0x386) return 0x3AC;
    if (c >= 0x388 && c <= 0x38A) return c + 0x25;
    if (c == 0x38C) return 0x3CC;
    if (c == 0x38E || c == 0x38F) return c + 0x3F;
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;
    return c;
}

template <typename F> String MapChars(const String& s, F&& map) {
    String out;
    out.reserve(s.size());
    char32_t cp;
    for (size_t i = 0; i < s.size();) {
        if (U(s[i]) < 0x80) {
            out += static_cast<char>(map(static_cast<char32_t>(s[i])));
            ++i;
            continue;
        }
        const size_t len = Utf8Decode(s, i, cp);
        if (len == 0) {
            out += s[i++];
            continue;
        }
        Utf8Append(out, map(cp));
        i += len;
    }
    return out;
}

// Sort weights of ASCII characters: controls, then punctuation and symbols, then digits, then
// letters (folded to lower case). Characters above ASCII weigh more than all of them.
const std::array<Word, 128>& AsciiWeights() {
    static const std::array<Word, 128> table = [] {
        std::array<Word, 128> t{};
        Word w = 1;
        for (int c = 0; c < 32; ++c)
            t[c] = w++;
        t[127] = w++;
        for (int c = 32; c < 127; ++c)
            if (!(c >= '0' && c <= '9') && !(c >= 'A' && c <= 'Z') && !(c >= 'a' && c <= 'z')) t[c] = w++;
        for (int c = '0'; c <= '9'; ++c)
            t[c] = w++;
        for (int c = 'a'; c <= 'z'; ++c)
            t[c] = t[c - 32] = w++;
        return t;
    }();
    return table;
}

// The weight of one character for locale-ordered comparison without regard to case.
UInt64 CollationWeight(char32_t cp) {
    if (cp < 0x80) return AsciiWeights()[cp];
    cp = ToLowerChar(cp);
    const Word code = AnsiCharCode(cp);
    if (code != 0) return 0x100 + code;
    return 0x10100 + static_cast<UInt64>(cp);
}

// Reads the next character (ill-formed bytes stand for themselves).
char32_t NextChar(const String& s, size_t& i) {
    char32_t cp;
    if (U(s[i]) < 0x80) return static_cast<char32_t>(s[i++]);
    const size_t len = Utf8Decode(s, i, cp);
    if (len == 0) return 0xDC00 + U(s[i++]); // a lone byte, ordered among the unmappable
    i += len;
    return cp;
}

int Sign(Int64 v) {
    return v < 0 ? -1 : v > 0 ? 1 : 0;
}

// Byte offset of sub in s from byte offset from, with or without regard to case.
size_t FindFrom(const String& s, const String& sub, size_t from, bool ignoreCase, const String& upperS) {
    if (!ignoreCase) return s.find(sub, from);
    return upperS.find(AnsiUpperCase(sub), from);
}

} // namespace

// --- case ---------------------------------------------------------------------------------------

String UpperCase(const String& s) {
    String r = s;
    for (char& c : r)
        c = UpCase(c);
    return r;
}

String LowerCase(const String& s) {
    String r = s;
    for (char& c : r)
        c = LowCase(c);
    return r;
}

String AnsiUpperCase(const String& s) {
    return MapChars(s, ToUpperChar);
}
String AnsiLowerCase(const String& s) {
    return MapChars(s, ToLowerChar);
}

// --- comparison ---------------------------------------------------------------------------------

int CompareStr(const String& a, const String& b) {
    const int r = a.compare(b);
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

int CompareText(const String& a, const String& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int d = U(UpCase(a[i])) - U(UpCase(b[i]));
        if (d != 0) return d < 0 ? -1 : 1;
    }
    return Sign(static_cast<Int64>(a.size()) - static_cast<Int64>(b.size()));
}

bool SameStr(const String& a, const String& b) {
    return a == b;
}

bool SameText(const String& a, const String& b) {
    return a.size() == b.size() && CompareText(a, b) == 0;
}

int AnsiCompareText(const String& a, const String& b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        // Fast path: equal ASCII bytes weigh the same.
        if (a[i] == b[j] && U(a[i]) < 0x80) {
            ++i, ++j;
            continue;
        }
        const UInt64 wa = CollationWeight(NextChar(a, i));
        const UInt64 wb = CollationWeight(NextChar(b, j));
        if (wa != wb) return wa < wb ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

int AnsiCompareStr(const String& a, const String& b) {
    const int r = AnsiCompareText(a, b);
    if (r != 0 || a == b) return r;
    // Equal but for case: at the first difference, lower case sorts first.
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t ca = NextChar(a, i), cb = NextChar(b, j);
        if (ca == cb) continue;
        const bool aLower = ToLowerChar(ca) == ca, bLower = ToLowerChar(cb) == cb;
        if (aLower != bLower) return aLower ? -1 : 1;
        return ca < cb ? -1 : 1;
    }
    return CompareStr(a, b);
}

bool AnsiSameStr(const String& a, const String& b) {
    return a == b;
}
bool AnsiSameText(const String& a, const String& b) {
    return AnsiCompareText(a, b) == 0;
}

// As on the platform, an empty sub-string is contained nowhere.
bool ContainsStr(const String& text, const String& sub) {
    return !sub.empty() && text.find(sub) != String::npos;
}
bool ContainsText(const String& text, const String& sub) {
    return !sub.empty() && AnsiUpperCase(text).find(AnsiUpperCase(sub)) != String::npos;
}
bool StartsStr(const String& sub, const String& text) {
    return text.compare(0, sub.size(), sub) == 0;
}
bool StartsText(const String& sub, const String& text) {
    return sub.size() <= text.size() && AnsiSameText(text.substr(0, sub.size()), sub);
}
bool EndsStr(const String& sub, const String& text) {
    return sub.size() <= text.size() && text.compare(text.size() - sub.size(), sub.size(), sub) == 0;
}
bool EndsText(const String& sub, const String& text) {
    return sub.size() <= text.size() && AnsiSameText(text.substr(text.size() - sub.size()), sub);
}

int IndexStr(const String& text, std::initializer_list<String> values) {
    int i = 0;
    for (const auto& v : values) {
        if (v == text) return i;
        ++i;
    }
    return -1;
}

int IndexText(const String& text, std::initializer_list<String> values) {
    int i = 0;
    for (const auto& v : values) {
        if (AnsiSameText(v, text)) return i;
        ++i;
    }
    return -1;
}

// --- trimming -----------------------------------------------------------------------------------

String Trim(const String& s) {
    size_t b = 0, e = s.size();
    while (b < e && U(s[b]) <= ' ')
        ++b;
    while (e > b && U(s[e - 1]) <= ' ')
        --e;
    return s.substr(b, e - b);
}

String TrimLeft(const String& s) {
    size_t b = 0;
    while (b < s.size() && U(s[b]) <= ' ')
        ++b;
    return s.substr(b);
}

String TrimRight(const String& s) {
    size_t e = s.size();
    while (e > 0 && U(s[e - 1]) <= ' ')
        --e;
    return s.substr(0, e);
}

// --- searching and cutting ------------------------------------------------------------------------

Integer Pos(const String& sub, const String& s) {
    return PosEx(sub, s, 1);
}

Integer PosEx(const String& sub, const String& s, Integer offset) {
    if (sub.empty() || offset < 1 || static_cast<size_t>(offset) > s.size()) return 0;
    const size_t p = s.find(sub, static_cast<size_t>(offset - 1));
    return p == String::npos ? 0 : static_cast<Integer>(p + 1);
}

String Copy(const String& s, Integer index, Integer count) {
    if (index < 1) index = 1;
    if (count <= 0 || static_cast<size_t>(index) > s.size()) return String();
    return s.substr(static_cast<size_t>(index - 1), static_cast<size_t>(count));
}

String Copy(const String& s, Integer index) {
    return Copy(s, index, static_cast<Integer>(s.size()));
}

void Delete(String& s, Integer index, Integer count) {
    if (index < 1 || static_cast<size_t>(index) > s.size() || count <= 0) return;
    s.erase(static_cast<size_t>(index - 1), static_cast<size_t>(count));
}

void Insert(const String& sub, String& s, Integer index) {
    if (index < 1) index = 1;
    const size_t at = std::min(static_cast<size_t>(index - 1), s.size());
    s.insert(at, sub);
}

String LeftStr(const String& s, Integer count) {
    return Utf8Copy(s, 1, count);
}

String RightStr(const String& s, Integer count) {
    const Integer len = Utf8Length(s);
    if (count >= len) return s;
    return Utf8Copy(s, len - count + 1, count);
}

String MidStr(const String& s, Integer start, Integer count) {
    return Utf8Copy(s, start, count);
}

Integer LastDelimiter(const String& delimiters, const String& s) {
    const size_t p = s.find_last_of(delimiters);
    return p == String::npos ? 0 : static_cast<Integer>(p + 1);
}

bool IsDelimiter(const String& delimiters, const String& s, Integer index) {
    if (index < 1 || static_cast<size_t>(index) > s.size()) return false;
    return delimiters.find(s[static_cast<size_t>(index - 1)]) != String::npos;
}

std::vector<String> SplitString(const String& s, const String& delimiters) {
    std::vector<String> parts;
    if (s.empty()) return parts;
    size_t start = 0;
    for (;;) {
        const size_t p = s.find_first_of(delimiters, start);
        if (p == String::npos) {
            parts.push_back(s.substr(start));
            return parts;
        }
        parts.push_back(s.substr(start, p - start));
        start = p + 1;
    }
}

// --- replacing and building -----------------------------------------------------------------------

String StringReplace(const String& s, const String& oldPattern, const String& newPattern,
                     TReplaceFlags flags) {
    if (oldPattern.empty()) return s;
    const bool ignoreCase = (flags & rfIgnoreCase) != 0;
    const String upper = ignoreCase ? AnsiUpperCase(s) : String();
    String out;
    size_t from = 0;
    for (;;) {
        const size_t p = FindFrom(s, oldPattern, from, ignoreCase, upper);
        if (p == String::npos) break;
        out.append(s, from, p - from);
        out += newPattern;
        from = p + oldPattern.size();
        if (!(flags & rfReplaceAll)) break;
    }
    out.append(s, from, String::npos);
    return out;
}

String ReplaceStr(const String& text, const String& from, const String& to) {
    return StringReplace(text, from, to, rfReplaceAll);
}

String ReplaceText(const String& text, const String& from, const String& to) {
    return StringReplace(text, from, to, rfReplaceAll | rfIgnoreCase);
}

String StringOfChar(char c, Integer count) {
    return count > 0 ? String(static_cast<size_t>(count), c) : String();
}

String DupeString(const String& s, Integer count) {
    String r;
    if (count <= 0) return r;
    r.reserve(s.size() * static_cast<size_t>(count));
    for (Integer i = 0; i < count; ++i)
        r += s;
    return r;
}

// --- quoting ------------------------------------------------------------------------------------

String AnsiQuotedStr(const String& s, char quote) {
    String r;
    r.reserve(s.size() + 2);
    r += quote;
    for (char c : s) {
        r += c;
        if (c == quote) r += quote;
    }
    r += quote;
    return r;
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

String QuotedStr(const String& s) {
    return AnsiQuotedStr(s, '\'');
}

String AnsiExtractQuotedStr(const String& s, size_t& pos, char quote) {
    if (pos >= s.size() || s[pos] != quote) return String();
    String r;
    size_t i = pos + 1;
    while (i < s.size()) {
        if (s[i] == quote) {
            if (i + 1 < s.size() && s[i + 1] == quote) {
                r += quote;
                i += 2;
                continue;
            }
            ++i; // the closing quote
            break;
        }
        r += s[i++];
    }
    pos = i;
    return r;
}

String AnsiDequotedStr(const String& s, char quote) {
    size_t pos = 0;
    const String r = AnsiExtractQuotedStr(s, pos, quote);
    // Not a quoted string (or one without its closing quote): the text as it stands.
    if ((r.empty() || pos >= s.size()) && !s.empty() && (s.front() != quote || s.back() != quote)) return s;
    return r;
}

// --- lines --------------------------------------------------------------------------------------

String AdjustLineBreaks(const String& s, TTextLineBreakStyle style) {
    const char* brk = style == TTextLineBreakStyle::tlbsCRLF ? "\r\n" : "\n";
    String r;
    r.reserve(s.size() + s.size() / 16);
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '\r') {
            r += brk;
            if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            r += brk;
        } else {
            r += c;
        }
    }
    return r;
}
