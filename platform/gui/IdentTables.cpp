#include "gui/IdentTables.h"

#include "rtl/StrUtils.h"

namespace {

struct TIdentEntry {
    Integer Value;
    const char* Name;
};

constexpr TIdentEntry Charsets[] = {
    {0, "ANSI_CHARSET"},          {1, "DEFAULT_CHARSET"},     {2, "SYMBOL_CHARSET"},
    {77, "MAC_CHARSET"},          {128, "SHIFTJIS_CHARSET"},  {129, "HANGEUL_CHARSET"},
    {130, "JOHAB_CHARSET"},       {134, "GB2312_CHARSET"},    {136, "CHINESEBIG5_CHARSET"},
    {161, "GREEK_CHARSET"},       {162, "TURKISH_CHARSET"},   {163, "VIETNAMESE_CHARSET"},
    {177, "HEBREW_CHARSET"},      {178, "ARABIC_CHARSET"},    {186, "BALTIC_CHARSET"},
    {204, "RUSSIAN_CHARSET"},     {222, "THAI_CHARSET"},      {238, "EASTEUROPE_CHARSET"},
    {255, "OEM_CHARSET"},
};

constexpr TIdentEntry Cursors[] = {
    {0, "crDefault"},     {-1, "crNone"},       {-2, "crArrow"},      {-3, "crCross"},
    {-4, "crIBeam"},      {-22, "crSizeAll"},   {-6, "crSizeNESW"},   {-7, "crSizeNS"},
    {-8, "crSizeNWSE"},   {-9, "crSizeWE"},     {-10, "crUpArrow"},   {-11, "crHourGlass"},
    {-12, "crDrag"},      {-13, "crNoDrop"},    {-14, "crHSplit"},    {-15, "crVSplit"},
    {-16, "crMultiDrag"}, {-17, "crSQLWait"},   {-18, "crNo"},        {-19, "crAppStart"},
    {-20, "crHelp"},      {-21, "crHandPoint"},
};

template <size_t N> bool ToIdent(const TIdentEntry (&table)[N], Integer value, String& ident) {
    for (const TIdentEntry& e : table)
        if (e.Value == value) {
            ident = e.Name;
            return true;
        }
    return false;
}

template <size_t N> bool FromIdent(const TIdentEntry (&table)[N], const String& ident, Integer& value) {
    for (const TIdentEntry& e : table)
        if (SameText(ident, e.Name)) {
            value = e.Value;
            return true;
        }
    return false;
}

} // namespace

bool CharsetToIdent(Integer charset, String& ident) {
    return ToIdent(Charsets, charset, ident);
}

bool IdentToCharset(const String& ident, Integer& charset) {
    return FromIdent(Charsets, ident, charset);
}

void GetCharsetValues(const TGetStrProc& proc) {
    for (const TIdentEntry& e : Charsets)
        proc(e.Name);
}

bool CursorToIdent(Integer cursor, String& ident) {
    return ToIdent(Cursors, cursor, ident);
}

bool IdentToCursor(const String& ident, Integer& cursor) {
    if (SameText(ident, "crSize")) {
        cursor = -22;
        return true;
    }
    return FromIdent(Cursors, ident, cursor);
}

void GetCursorValues(const TGetStrProc& proc) {
    for (const TIdentEntry& e : Cursors)
        proc(e.Name);
}
