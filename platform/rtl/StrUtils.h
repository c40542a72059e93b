// String functions of the runtime over UTF-8 `String`.
//
// Positions and counts of Pos, PosEx, Copy, Delete, Insert, LastDelimiter and IsDelimiter are
// 1-based byte positions in the UTF-8 text, so they combine with each other as the platform's do
// (Copy(s, 1, Pos("=", s) - 1)). LeftStr, RightStr and MidStr count characters and never split
// one. For positions counted in bytes of the 8-bit code page see AnsiCopy and friends in
// rtl/CodePage.h.
//
// The plain forms (UpperCase, SameText, CompareText) fold ASCII letters only; the Ansi forms also
// fold accented Latin, Greek, Cyrillic and full-width letters, and AnsiCompareText/AnsiCompareStr
// order text as the platform's Chinese locale does: punctuation, then digits, then letters, then
// other characters in code page 936 order (which puts the common Chinese characters in pinyin
// order).
#pragma once

#include "rtl/Types.h"

#include <initializer_list>
#include <vector>

// --- case ---------------------------------------------------------------------------------------
// One character, ASCII letters only: every other byte (UTF-8 sequences too) stays as it is.
inline char UpCase(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
inline char LowCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
String UpperCase(const String& s);
String LowerCase(const String& s);
String AnsiUpperCase(const String& s);
String AnsiLowerCase(const String& s);

// --- comparison ---------------------------------------------------------------------------------
// Negative, zero or positive as a sorts before, with or after b.
int CompareStr(const String& a, const String& b);  // byte order
int CompareText(const String& a, const String& b); // byte order, ASCII letters folded to upper case
bool SameStr(const String& a, const String& b);
bool SameText(const String& a, const String& b);
int AnsiCompareStr(const String& a, const String& b);  // locale order; lower case before upper case
int AnsiCompareText(const String& a, const String& b); // locale order without regard to case
bool AnsiSameStr(const String& a, const String& b);
bool AnsiSameText(const String& a, const String& b);

bool ContainsStr(const String& text, const String& sub);
bool ContainsText(const String& text, const String& sub);
bool StartsStr(const String& sub, const String& text);
bool StartsText(const String& sub, const String& text);
bool EndsStr(const String& sub, const String& text);
bool EndsText(const String& sub, const String& text);
inline bool AnsiContainsText(const String& text, const String& sub) {
    return ContainsText(text, sub);
}
inline bool AnsiContainsStr(const String& text, const String& sub) {
    return ContainsStr(text, sub);
}
inline bool AnsiStartsText(const String& sub, const String& text) {
    return StartsText(sub, text);
}
inline bool AnsiStartsStr(const String& sub, const String& text) {
    return StartsStr(sub, text);
}
inline bool AnsiEndsText(const String& sub, const String& text) {
    return EndsText(sub, text);
}
inline bool AnsiEndsStr(const String& sub, const String& text) {
    return EndsStr(sub, text);
}

// Index of the first of values equal to text (-1 when none), with or without regard to case.
int IndexStr(const String& text, std::initializer_list<String> values);
int IndexText(const String& text, std::initializer_list<String> values);
inline bool MatchStr(const String& text, std::initializer_list<String> values) {
    return IndexStr(text, values) >= 0;
}
inline bool MatchText(const String& text, std::initializer_list<String> values) {
    return IndexText(text, values) >= 0;
}

// --- trimming -----------------------------------------------------------------------------------
// Remove leading and/or trailing characters up to and including the space (control characters).
String Trim(const String& s);
String TrimLeft(const String& s);
String TrimRight(const String& s);

// --- searching and cutting ------------------------------------------------------------------------
Integer Pos(const String& sub, const String& s);                       // 0 when absent or sub empty
Integer PosEx(const String& sub, const String& s, Integer offset = 1); // from byte offset on
String Copy(const String& s, Integer index, Integer count);            // clamps index and count
String Copy(const String& s, Integer index);                           // to the end
void Delete(String& s, Integer index, Integer count);                  // nothing when index is outside
void Insert(const String& sub, String& s, Integer index);              // clamps index
String LeftStr(const String& s, Integer count);                        // characters
String RightStr(const String& s, Integer count);                       // characters
String MidStr(const String& s, Integer start, Integer count);          // characters, 1-based

// 1-based byte index of the last character of s that is one of delimiters; 0 when none.
Integer LastDelimiter(const String& delimiters, const String& s);
// True when the byte at 1-based index is one of delimiters.
bool IsDelimiter(const String& delimiters, const String& s, Integer index);
// Parts of s between any of the delimiter characters; empty parts are kept; none for "".
std::vector<String> SplitString(const String& s, const String& delimiters);

// The value of a hexadecimal digit ('0'-'9', 'a'-'f', 'A'-'F'); -1 for any other character.
int HexDigitValue(char c);

// --- replacing and building -----------------------------------------------------------------------
enum TReplaceFlag : unsigned { rfReplaceAll = 1, rfIgnoreCase = 2 };
using TReplaceFlags = unsigned;
String StringReplace(const String& s, const String& oldPattern, const String& newPattern,
                     TReplaceFlags flags);
String ReplaceStr(const String& text, const String& from, const String& to);  // all, with case
String ReplaceText(const String& text, const String& from, const String& to); // all, without case
inline String AnsiReplaceStr(const String& text, const String& from, const String& to) {
    return ReplaceStr(text, from, to);
}
inline String AnsiReplaceText(const String& text, const String& from, const String& to) {
    return ReplaceText(text, from, to);
}
String StringOfChar(char c, Integer count);
String DupeString(const String& s, Integer count);

// --- quoting ------------------------------------------------------------------------------------
String QuotedStr(const String& s);                 // 'it''s'
String AnsiQuotedStr(const String& s, char quote); // quote chars inside doubled
// Reads a quoted string at pos (an index into s): returns its text with doubled quotes made single
// and moves pos past the closing quote. Returns "" and leaves pos when s[pos] is not the quote.
String AnsiExtractQuotedStr(const String& s, size_t& pos, char quote);
// The text of a quoted string; s itself when it is not one.
String AnsiDequotedStr(const String& s, char quote);

// --- lines --------------------------------------------------------------------------------------
enum class TTextLineBreakStyle { tlbsLF, tlbsCRLF };
// Every CR, LF and CR LF becomes the style's line break.
String AdjustLineBreaks(const String& s, TTextLineBreakStyle style = TTextLineBreakStyle::tlbsCRLF);
constexpr const char* sLineBreak = "\r\n";
