// Integer, string and memory routines.
#include "controls/kxStrUtils.h"

#include "gui/Graphics.h"
#include "rtl/CodePage.h"
#include "rtl/StrUtils.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

int MaxOf(int A, int B) {
    return A > B ? A : B;
}

int MinOf(int A, int B) {
    return A < B ? A : B;
}

String ReplaceAll(const String& S, const String& Find, const String& Replacement) {
    if (Find.empty()) return S;
    return ReplaceStr(S, Find, Replacement);
}

String RemoveChar(const String& S, char C) {
    String r = S;
    r.erase(std::remove(r.begin(), r.end(), C), r.end());
    return r;
}

String TrimLeadingSpaces(const String& S) {
    const size_t first = S.find_first_not_of(' ');
    return first == String::npos ? String() : S.substr(first);
}

String TrimTrailingSpaces(const String& S) {
    const size_t last = S.find_last_not_of(' ');
    return last == String::npos ? String() : S.substr(0, last + 1);
}

String TrimSpaces(const String& S) {
    return TrimTrailingSpaces(TrimLeadingSpaces(S));
}

String RepeatChar(char C, int N) {
    return N <= 0 ? String() : StringOfChar(C, N);
}

String ResourceText(const String& S) {
    return S;
}

void* AllocZeroedBlock(std::ptrdiff_t Size) {
    if (Size <= 0) return nullptr;
    return std::calloc(1, static_cast<size_t>(Size));
}

void FreeBlock(void*& P) {
    if (!P) return;
    std::free(P);
    P = nullptr;
}

bool SameBytes(const void* P1, const void* P2, std::ptrdiff_t Count) {
    if (Count <= 0) return true;
    return std::memcmp(P1, P2, static_cast<size_t>(Count)) == 0;
}

void* OffsetPointer(void* P, std::ptrdiff_t N) {
    return static_cast<Byte*>(P) + N;
}

void CopyBytes(void* Dest, const void* Source, std::ptrdiff_t Count) {
    if (Count > 0) std::memmove(Dest, Source, static_cast<size_t>(Count));
}

String ShortenToWidth(const String& S, TCanvas* Canvas, int MaxWidth) {
    if (Canvas->TextWidth(S) <= MaxWidth) return S;
    // Counted in characters, so a Chinese character is never cut in half.
    const WideString wide = Utf8ToWide(S);
    const int n = static_cast<int>(wide.size());
    String candidate = S;
    for (int i = 1; i <= n; ++i) {
        candidate = WideToUtf8(wide.substr(0, static_cast<size_t>(std::max(0, n - i - 1)))) + "...";
        if (Canvas->TextWidth(candidate) <= MaxWidth) break;
    }
    return candidate;
}
