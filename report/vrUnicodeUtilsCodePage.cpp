// Conversions between UTF-16 and 8-bit text by font character set, over the runtime's code pages.
#include "report/vrUnicodeUtils.h"

#include "rtl/CodePage.h"

namespace {

constexpr Integer OemCodePage = CP_OEM; // the runtime's OEM code page (936)
constexpr Integer MacCodePage = 10000;    // Macintosh Roman
constexpr Integer ThreadLocale = 2052;    // Chinese (PRC), the locale the program runs in

struct TCharsetEntry {
    Integer charset;
    Integer value;
};

// The ANSI code page of each character set, as the platform translates them.
constexpr TCharsetEntry CharsetCodePages[] = {
    {ANSI_CHARSET, 1252},       {SYMBOL_CHARSET, 42},    {SHIFTJIS_CHARSET, 932},
    {HANGEUL_CHARSET, 949},     {JOHAB_CHARSET, 1361},   {GB2312_CHARSET, 936},
    {CHINESEBIG5_CHARSET, 950}, {GREEK_CHARSET, 1253},   {TURKISH_CHARSET, 1254},
    {VIETNAMESE_CHARSET, 1258}, {HEBREW_CHARSET, 1255},  {ARABIC_CHARSET, 1256},
    {BALTIC_CHARSET, 1257},     {RUSSIAN_CHARSET, 1251}, {THAI_CHARSET, 874},
    {EASTEUROPE_CHARSET, 1250},
};

constexpr TCharsetEntry CharsetLocales[] = {
    {SHIFTJIS_CHARSET, 1041}, {HANGEUL_CHARSET, 1042},     {JOHAB_CHARSET, 2066},
    {GB2312_CHARSET, 2052},   {CHINESEBIG5_CHARSET, 3076}, {GREEK_CHARSET, 1032},
    {TURKISH_CHARSET, 1055},  {VIETNAMESE_CHARSET, 1066},  {HEBREW_CHARSET, 1037},
    {ARABIC_CHARSET, 13313},  {BALTIC_CHARSET, 1061},      {RUSSIAN_CHARSET, 1049},
    {THAI_CHARSET, 1054},     {EASTEUROPE_CHARSET, 1029},
};

// The code page the runtime converts with: the pseudo code pages resolved.
Integer RealCodePage(Integer codePage) {
    switch (codePage) {
    case CP_ACP:
        return DefaultAnsiCodePage();
    case CP_OEMCP:
        return OemCodePage;
    case CP_MACCP:
        return MacCodePage;
    default:
        return codePage;
    }
}

Integer ResolveCodePage(Integer charset, Integer codePage) {
    return RealCodePage(codePage == 0 ? CharsetToCodePage(charset) : codePage);
}

// The symbol code page (fonts of SYMBOL_CHARSET) has no table of its own: bytes 0x20 to 0xFF stand
// for the private-use characters U+F020 to U+F0FF, control bytes for themselves.
constexpr Integer CP_SYMBOL = 42;

WideString SymbolToWide(const AnsiString& text) {
    WideString result;
    result.reserve(text.size());
    for (const char c : text) {
        const Byte b = static_cast<Byte>(c);
        result += static_cast<char16_t>(b < 0x20 ? b : 0xF000 + b);
    }
    return result;
}

AnsiString WideToSymbol(const WideString& text) {
    AnsiString result;
    result.reserve(text.size());
    for (const char16_t c : text) {
        if (c < 0x20)
            result += static_cast<char>(c);
        else if (c >= 0xF020 && c <= 0xF0FF)
            result += static_cast<char>(c - 0xF000);
        else if (c >= 0x20 && c <= 0xFF)
            result += static_cast<char>(c); // plain Latin-1 letters keep their byte
        else
            result += '?';
    }
    return result;
}

} // namespace

Integer CharsetToCodePage(Integer charset) {
    switch (charset) {
    case DEFAULT_CHARSET:
        return DefaultAnsiCodePage();
    case MAC_CHARSET:
        return CP_MACCP;
    case OEM_CHARSET:
        return CP_OEMCP;
    default:
        for (const TCharsetEntry& e : CharsetCodePages)
            if (e.charset == charset) return e.value;
        throw EOSError("System Error.  Code: 87.\r\nThe parameter is incorrect");
    }
}

WideString AnsiToWideByCharset(const AnsiString& text, Integer charset, Integer codePage) {
    if (text.empty()) return WideString();
    const Integer resolved = ResolveCodePage(charset, codePage);
    if (resolved == CP_SYMBOL) return SymbolToWide(text);
    return Utf8ToWide(ConvertFromCodePage(text, resolved));
}

AnsiString WideToAnsiByCharset(const WideString& text, Integer charset, Integer codePage) {
    if (text.empty()) return AnsiString();
    const Integer resolved = ResolveCodePage(charset, codePage);
    if (resolved == CP_SYMBOL) return WideToSymbol(text);
    return ConvertToCodePage(WideToUtf8(text), resolved);
}

Integer CharsetToLocaleId(Integer charset) {
    for (const TCharsetEntry& e : CharsetLocales)
        if (e.charset == charset) return e.value;
    return ThreadLocale;
}

AnsiString OemToAnsiText(const AnsiString& text) {
    if (text.empty()) return AnsiString();
    return ConvertToCodePage(ConvertFromCodePage(text, OemCodePage), DefaultAnsiCodePage());
}
