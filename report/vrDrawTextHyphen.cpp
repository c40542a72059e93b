// The syllable rule of word breaking: capital Cyrillic letters in classes held as Windows-1251
// bytes, read in a given code page.
#include "report/vrDrawText.h"

#include "rtl/CodePage.h"
#include "rtl/StrUtils.h"

#include <algorithm>

namespace {

const char Vowels[] = "\xC0\xC5\xA8\xC8\xCE\xD3\xDB\xDD\xDE\xDF";
const char Consonants[] =
    "\xC1\xC2\xC3\xC4\xC6\xC7\xC9\xCA\xCB\xCC\xCD\xCF\xD0\xD1\xD2\xD4\xD5\xD6\xD7\xD8\xD9\xDC\xDA";
const char Signs[] = "\xDC\xDA";
const char ShortI[] = "\xC9";

// The letter's form in the code page when it is one byte, else 0 (no class holds it).
char SingleByte(char16_t c, Integer codePage) {
    const std::string bytes = ConvertToCodePage(WideToUtf8(WideString(1, c)), codePage);
    return bytes.size() == 1 ? bytes[0] : 0;
}

bool In(const char* cls, char b) {
    if (b == 0) return false;
    for (const char* p = cls; *p; ++p)
        if (*p == b) return true;
    return false;
}

// At least 2 characters, one of them a vowel.
bool IsSyllable(const std::vector<char>& w, size_t from, size_t count) {
    if (count < 2) return false;
    for (size_t k = from; k < from + count; ++k)
        if (In(Vowels, w[k])) return true;
    return false;
}

} // namespace

std::vector<Integer> SyllableBreaks(const WideString& word, Integer codePage) {
    std::vector<Integer> breaks;
    const size_t L = word.size();
    // Break positions are kept as 8-bit values: words of 128 characters or more get none.
    if (L < 4 || L >= 128) return breaks;
    std::vector<char> w(L);
    for (size_t k = 0; k < L; ++k)
        w[k] = SingleByte(word[k], codePage);
    for (size_t p = 1; p <= L; ++p) {
        const char c = w[p - 1];
        const bool hasNext = p < L;
        const char next = hasNext ? w[p] : 0;
        bool candidate = false;
        if (In(Consonants, c)) {
            candidate = !(hasNext && (In(Vowels, next) || In(Signs, next)));
        } else if (In(Vowels, c)) {
            candidate = !(hasNext && In(ShortI, next)) &&
                        !(p + 2 < L && In(Consonants, next) && next == w[p + 1] && In(Vowels, w[p + 2]));
        }
        if (!candidate) continue;
        const size_t rest = std::min<size_t>(L - p, 255);
        if (IsSyllable(w, 0, p) && IsSyllable(w, p, rest)) breaks.push_back(static_cast<Integer>(p));
    }
    return breaks;
}

WideString HyphenPrefix(const WideString& text, Integer start, Integer i, Integer length, Integer codePage) {
    static const WideString stops = u" .,-;";
    Integer end = i;
    while (end <= length && stops.find(text[static_cast<size_t>(end - 1)]) == WideString::npos)
        ++end;
    if (start > end - 1) return WideString();
    const WideString word = text.substr(static_cast<size_t>(start - 1), static_cast<size_t>(end - start));
    const WideString upper = Utf8ToWide(AnsiUpperCase(WideToUtf8(word)));
    const Integer room = i - start;
    Integer best = 0;
    for (Integer p : SyllableBreaks(upper.size() == word.size() ? upper : word, codePage))
        if (p < room) best = p;
    return best > 0 ? word.substr(0, static_cast<size_t>(best)) : WideString();
}
