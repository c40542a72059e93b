// Escaping of attribute values and element content of the report library's XML dialect.
#include "report/vrXML.h"

#include "rtl/CodePage.h"

#include <cstring>

namespace {

bool IsSpecial(unsigned char c) {
    return c == '\n' || c == '\r' || c == '"' || c == '&' || c == '<' || c == '>';
}

void AppendReference(String& out, unsigned char c) {
    out += "&#";
    if (c >= 10) out += static_cast<char>('0' + c / 10);
    out += static_cast<char>('0' + c % 10);
    out += ';';
}

// A decimal character reference "&#digits;" starting at i (text[i] == '&', text[i + 1] == '#').
// Returns the length of the reference and its code point, or 0 when it is not one this reader
// knows (hexadecimal forms, no digits, no ";", a code beyond Unicode or a surrogate).
size_t ParseCharReference(const String& text, size_t i, unsigned long& cp) {
    const size_t n = text.size();
    size_t j = i + 2;
    cp = 0;
    while (j < n && j - (i + 2) < 8 && text[j] >= '0' && text[j] <= '9') {
        cp = cp * 10 + static_cast<unsigned long>(text[j] - '0');
        ++j;
    }
    if (j == i + 2 || j >= n || text[j] != ';') return 0;
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return j + 1 - i;
}

bool StartsWithAt(const String& text, size_t i, const char* word, size_t len) {
    return text.size() - i >= len && std::memcmp(text.data() + i, word, len) == 0;
}

} // namespace

String EscapeXMLText(const String& text) {
    size_t first = 0;
    while (first < text.size() && !IsSpecial(static_cast<unsigned char>(text[first])))
        ++first;
    if (first == text.size()) return text;

    String result;
    result.reserve(text.size() + 16);
    result.append(text, 0, first);
    for (size_t i = first; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (IsSpecial(c))
            AppendReference(result, c);
        else
            result += static_cast<char>(c);
    }
    return result;
}

String UnescapeXMLText(const String& text) {
    const size_t n = text.size();
    size_t amp = text.find('&');
    if (amp == String::npos) return text;

    String result;
    result.reserve(n);
    size_t done = 0; // text before this index is in result already
    while (amp != String::npos && amp + 1 < n) {
        size_t len = 0;
        unsigned long cp = 0;
        char plain = 0;
        if (text[amp + 1] == '#') {
            len = ParseCharReference(text, amp, cp);
        } else if (StartsWithAt(text, amp, "&quot;", 6)) {
            len = 6, plain = '"';
        } else if (StartsWithAt(text, amp, "&amp;", 5)) {
            len = 5, plain = '&';
        } else if (StartsWithAt(text, amp, "&lt;", 4)) {
            len = 4, plain = '<';
        } else if (StartsWithAt(text, amp, "&gt;", 4)) {
            len = 4, plain = '>';
        }
        if (len == 0) {
            amp = text.find('&', amp + 1);
            continue;
        }
        result.append(text, done, amp - done);
        if (plain)
            result += plain;
        else
            Utf8Append(result, static_cast<char32_t>(cp));
        done = amp + len;
        amp = text.find('&', done);
    }
    result.append(text, done, String::npos);
    return result;
}
