#include "db/ValueCompare.h"

#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <cctype>

namespace {

bool IsNumberLike(const Variant& v) {
    const TVarType t = VarType(v);
    return VarIsNumeric(v) || t == varDate || t == varBoolean;
}

double NumberOf(const Variant& v) {
    if (VarType(v) == varBoolean) return v.AsBoolean() ? 1 : 0;
    return v.AsDouble();
}

// The runtime's byte-order comparisons: with ASCII letters folded, or exact.
int CompareTexts(const String& a, const String& b, bool ci) {
    const int c = ci ? CompareText(a, b) : CompareStr(a, b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// Length in bytes of the UTF-8 character starting with c.
size_t CharLen(unsigned char c) {
    if (c < 0x80) return 1;
    if ((c >> 5) == 6) return 2;
    if ((c >> 4) == 14) return 3;
    if ((c >> 3) == 30) return 4;
    return 1;
}

bool SameChar(const char* a, const char* b, size_t n, bool ci) {
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (ci) {
            x = static_cast<unsigned char>(std::toupper(x));
            y = static_cast<unsigned char>(std::toupper(y));
        }
        if (x != y) return false;
    }
    return true;
}

bool Like(const char* t, const char* tEnd, const char* p, const char* pEnd, bool ci) {
    while (p < pEnd) {
        if (*p == '%' || *p == '*') {
            while (p < pEnd && (*p == '%' || *p == '*'))
                ++p;
            if (p == pEnd) return true;
            for (const char* s = t; s <= tEnd; s += (s < tEnd ? CharLen(static_cast<unsigned char>(*s)) : 1))
                if (Like(s, tEnd, p, pEnd, ci)) return true;
            return false;
        }
        if (t >= tEnd) return false;
        const size_t tl = CharLen(static_cast<unsigned char>(*t));
        if (*p == '_' || *p == '?') {
            t += tl;
            ++p;
            continue;
        }
        const size_t pl = CharLen(static_cast<unsigned char>(*p));
        if (tl != pl || !SameChar(t, p, tl, ci)) return false;
        t += tl;
        p += pl;
    }
    return t == tEnd;
}

} // namespace

int CompareFieldValues(const Variant& a, const Variant& b, bool caseInsensitive) {
    const bool an = VarIsNull(a) || VarIsEmpty(a), bn = VarIsNull(b) || VarIsEmpty(b);
    if (an || bn) return an == bn ? 0 : (an ? -1 : 1);
    if (IsNumberLike(a) && IsNumberLike(b)) {
        const double x = NumberOf(a), y = NumberOf(b);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (IsNumberLike(a) || IsNumberLike(b)) {
        Extended x = 0, y = 0;
        const String sa = VarToStr(a), sb = VarToStr(b);
        if (IsNumberLike(a) && TryStrToFloat(sb, y)) {
            x = NumberOf(a);
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        if (IsNumberLike(b) && TryStrToFloat(sa, x)) {
            y = NumberOf(b);
            return x < y ? -1 : (x > y ? 1 : 0);
        }
    }
    return CompareTexts(VarToStr(a), VarToStr(b), caseInsensitive);
}

bool LocateMatch(const Variant& value, const Variant& key, bool caseInsensitive, bool partial) {
    const bool vn = VarIsNull(value) || VarIsEmpty(value), kn = VarIsNull(key) || VarIsEmpty(key);
    if (vn || kn) return vn && kn;
    if (partial && VarIsStr(key)) {
        const String v = VarToStr(value), k = VarToStr(key);
        if (k.size() > v.size()) return false;
        return CompareTexts(v.substr(0, k.size()), k, caseInsensitive) == 0;
    }
    if (VarIsStr(key) && VarIsStr(value))
        return CompareTexts(VarToStr(value), VarToStr(key), caseInsensitive) == 0;
    if (VarType(value) == varDate && VarIsStr(key)) {
        try {
            return CompareFieldValues(value, VarFromDateTime(VarToDateTime(key)), false) == 0;
        } catch (const Exception&) {
            return false;
        }
    }
    return CompareFieldValues(value, key, caseInsensitive) == 0;
}

bool LikeMatch(const String& text, const String& pattern, bool caseInsensitive) {
    return Like(text.data(), text.data() + text.size(), pattern.data(), pattern.data() + pattern.size(),
                caseInsensitive);
}
