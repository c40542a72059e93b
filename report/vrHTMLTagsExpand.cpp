// Markup expansion: recognised tags leave the text and change the current format; every other
// character gets one format record whose SourcePos points into the text as it was given.
#include "report/vrHTMLTags.h"

#include "gui/Colors.h"
#include "rtl/CodePage.h"
#include "rtl/MathUtils.h"

namespace {

char16_t Upper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

// The text at 0-based index from, upper-cased, begins with word.
bool StartsWithWord(const WideString& text, size_t from, const char16_t* word) {
    for (size_t k = 0; word[k]; ++k)
        if (from + k >= text.size() || Upper(text[from + k]) != word[k]) return false;
    return true;
}

// The style a one-letter tag stands for ("b", "i", "u").
bool LetterStyle(char16_t letter, TFontStyle& style) {
    switch (Upper(letter)) {
    case u'B':
        style = fsBold;
        return true;
    case u'I':
        style = fsItalic;
        return true;
    case u'U':
        style = fsUnderline;
        return true;
    default:
        return false;
    }
}

bool IsHexDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// A colour value: a double-quoted "#RRGGBB" or a colour name without "cl". False for anything
// else, a quoted value whose digits are not hexadecimal included (it stays text, as an unknown
// name does).
bool ParseColorValue(const WideString& value, TColor& color) {
    if (value.size() > 3 && value[0] == u'"' && value[1] == u'#' && value.back() == u'"') {
        const WideString digits = value.substr(2, value.size() - 3);
        if (digits.empty() || digits.size() > 8) return false;
        UInt64 v = 0;
        for (char16_t c : digits) {
            if (!IsHexDigit(c)) return false;
            v = v * 16 + static_cast<UInt64>(c <= u'9' ? c - u'0' : Upper(c) - u'A' + 10);
        }
        color = static_cast<TColor>(((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF));
        return true;
    }
    return IdentToColor("cl" + WideToUtf8(value), color);
}

} // namespace

Integer TvrHTMLTagsList::TakeColorTag(const WideString& text, size_t i) {
    if (!StartsWithWord(text, i + 1, u"FONT COLOR")) return 0;
    size_t p = text.find(u'=', i + 11);
    if (p == WideString::npos) return 0;
    ++p;
    while (p < text.size() && text[p] == u' ')
        ++p;
    size_t close = text.find(u'>', p);
    const size_t end = close == WideString::npos ? text.size() : close;
    const WideString value = text.substr(p, end - p);
    TColor color = clBlack;
    if (value.empty() || !ParseColorValue(value, color)) return 0;
    FColor = color;
    return static_cast<Integer>((close == WideString::npos ? text.size() : close + 1) - i);
}

Integer TvrHTMLTagsList::TakeTag(const WideString& text, size_t i) {
    const size_t len = text.size();
    // Positions as 1-based i + n lie at 0-based i + n.
    TFontStyle style;
    if (i + 2 < len && text[i + 2] == u'>') {
        if (!LetterStyle(text[i + 1], style)) return 0;
        FStyle.Include(style);
        return 3;
    }
    if (i + 4 < len && text[i + 4] == u'>') {
        const bool sub = StartsWithWord(text, i + 1, u"SUB>");
        if (sub || StartsWithWord(text, i + 1, u"SUP>")) {
            FSize = static_cast<Integer>(Round(DefaultSize / 1.5L));
            FLowered = sub ? 1 : 0;
        }
        return 5; // any other five-character tag goes without effect
    }
    if (i + 7 < len && Upper(text[i + 1]) == u'N') {
        if (!StartsWithWord(text, i + 1, u"NOWRAP>")) return 0;
        FNoBreak = true;
        return 8;
    }
    if (i + 1 < len && Upper(text[i + 1]) == u'S') {
        if (!StartsWithWord(text, i + 1, u"STRIKE>")) return 0;
        FStyle.Include(fsStrikeOut);
        return 8;
    }
    if (i + 1 < len && text[i + 1] == u'/') {
        if (i + 3 < len && text[i + 3] == u'>') {
            if (!LetterStyle(text[i + 2], style)) return 0;
            FStyle.Exclude(style);
            return 4;
        }
        if (StartsWithWord(text, i + 2, u"STRIKE>")) {
            FStyle.Exclude(fsStrikeOut);
            return 9;
        }
        if (StartsWithWord(text, i + 2, u"NOWRAP>")) {
            FNoBreak = false;
            return 9;
        }
        if (StartsWithWord(text, i + 2, u"FONT>")) {
            FColor = DefaultColor;
            return 7;
        }
        if (StartsWithWord(text, i + 2, u"SUB>") || StartsWithWord(text, i + 2, u"SUP>")) {
            FSize = DefaultSize;
            FLowered = 0;
            return 6;
        }
        return 0;
    }
    return TakeColorTag(text, i);
}

void TvrHTMLTagsList::ExpandTags(WideString& text) {
    size_t i = 0;
    while (i < text.size()) {
        if (TagsAllowed && text[i] == u'<') {
            const Integer length = TakeTag(text, i);
            if (length > 0) {
                text.erase(i, static_cast<size_t>(length));
                NextPos += length;
                continue;
            }
        }
        AppendTag();
        ++i;
        ++NextPos;
    }
    if (text.empty()) {
        text.assign(1, u' ');
        AppendTag();
    }
}
