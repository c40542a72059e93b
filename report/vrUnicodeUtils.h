// TWideStrings, the report library's list of UTF-16 strings (texts of text objects, resource
// texts, wrapped lines), and the conversions between UTF-16 and 8-bit text by font character set.
#pragma once

#include "classes/Persistent.h"
#include "gui/Graphics.h"
#include "rtl/StringList.h"
#include "rtl/SysUtils.h"

#include <cstdint>
#include <vector>

class TStream;

// An ordered list of UTF-16 strings, each with an object value (0 when added by Add). No sorting,
// no duplicate check, no change notification.
class TWideStrings : public TPersistent {
    ORV_META(TWideStrings, TPersistent)

    TWideStrings() = default;
    ~TWideStrings() override = default;

    void Clear() { FItems.clear(); }
    Integer Add(const WideString& s);
    Integer AddObject(const WideString& s, std::intptr_t object);
    // Below Count replaces the string at index (its object stays); at Count appends; anywhere else
    // raises Exception "Wide String Out of Bounds". Nothing is shifted.
    void Insert(Integer index, const WideString& s);
    // EListError "List index out of bounds (%d)" for an index outside the list.
    void Delete(Integer index);
    // First entry equal to s code unit by code unit; -1 when none.
    Integer IndexOf(const WideString& s) const;
    Integer Count() const { return static_cast<Integer>(FItems.size()); }

    // Empty out of range.
    WideString Strings(Integer index) const;
    void SetStrings(Integer index, const WideString& s) { Insert(index, s); }
    // 0 out of range; writing out of range is ignored.
    std::intptr_t Objects(Integer index) const;
    void SetObjects(Integer index, std::intptr_t object);

    // The strings, each followed by CR LF.
    WideString Text() const;
    // Cuts the text at CR, LF and U+2028 (CR LF, CR LF U+2028, LF U+2028 and CR U+2028 each end
    // one line) and stops at the first NUL; a final line break adds no empty line.
    void SetText(const WideString& text);
    void SetText(const char16_t* text);

    // From the stream's position to its end: UTF-16LE after the mark FF FE, else 8-bit text in
    // the program's code page.
    void LoadFromStream(TStream& stream);
    void LoadFromFile(const String& fileName);
    // Text as UTF-16LE code units without a byte-order mark.
    void SaveToStream(TStream& stream) const;
    // The file gets the byte-order mark FF FE before the text, so LoadFromFile reads it back as
    // UTF-16; it is written to a new file that then replaces the old one.
    void SaveToFile(const String& fileName) const;

    // From another TWideStrings: its strings and objects; from anything else the platform's
    // EConvertError "Cannot assign a %s to a %s".
    void Assign(const TPersistent* source) override;
    void AssignTo(TPersistent* dest) const override;
    void Assign(const TWideStrings& source) { Assign(static_cast<const TPersistent*>(&source)); }
    // The platform's string lists hold UTF-8; each string is widened, its object kept as value.
    void Assign(const TStrings& source);
    void AssignTo(TStrings& dest) const;

private:
    struct TItem {
        WideString s;
        std::intptr_t object = 0;
    };
    std::vector<TItem> FItems;
};

// Font character sets of the platform beyond those the windowing layer names (ANSI_CHARSET,
// DEFAULT_CHARSET, SYMBOL_CHARSET, SHIFTJIS_CHARSET, HANGEUL_CHARSET, GB2312_CHARSET,
// CHINESEBIG5_CHARSET, OEM_CHARSET in gui/Graphics.h).
enum : TFontCharset {
    MAC_CHARSET = 77,
    JOHAB_CHARSET = 130,
    GREEK_CHARSET = 161,
    TURKISH_CHARSET = 162,
    VIETNAMESE_CHARSET = 163,
    HEBREW_CHARSET = 177,
    ARABIC_CHARSET = 178,
    BALTIC_CHARSET = 186,
    RUSSIAN_CHARSET = 204,
    THAI_CHARSET = 222,
    EASTEUROPE_CHARSET = 238,
};

// Pseudo code pages: the system's OEM (CP_OEM, 936, as on the Chinese system the program
// serves) and Macintosh code pages.
constexpr Integer CP_OEMCP = 1;
constexpr Integer CP_MACCP = 2;

// DEFAULT_CHARSET gives the program's ANSI code page (936), MAC_CHARSET 2, OEM_CHARSET 1, every
// other character set its Windows ANSI code page; an unknown one raises EOSError
// "System Error.  Code: 87." with the system's message.
Integer CharsetToCodePage(Integer charset);
// 8-bit text in the code page (0: the code page of the character set) to UTF-16 and back.
// Characters the target lacks become "?". The symbol code page 42 (SYMBOL_CHARSET) maps the bytes
// 0x20 to 0xFF to U+F020 to U+F0FF, as the platform does for symbol fonts.
WideString AnsiToWideByCharset(const AnsiString& text, Integer charset, Integer codePage);
AnsiString WideToAnsiByCharset(const WideString& text, Integer charset, Integer codePage);
// The locale of a character set (134 gives 2052); any other the thread's locale (2052).
Integer CharsetToLocaleId(Integer charset);
// Bytes of the OEM code page (CP_OEM) to the program's ANSI code page.
AnsiString OemToAnsiText(const AnsiString& text);
