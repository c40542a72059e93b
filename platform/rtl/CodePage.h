// Code pages: text is UTF-8 inside the system; bytes in the program's 8-bit code page (936, GBK)
// or another code page are converted where they enter or leave. Conversions never fail: a
// character the target cannot hold becomes '?', and bytes that are not valid in the source
// become '?' (U+FFFD for the UTF-16 conversions). The program's own page (CP_ACP, 936) loses nothing: a character GBK lacks
// is written as its GB18030 bytes (four bytes, or the two GB18030 gives it, such as FE9F for
// «䶮»), and a GB18030 four-byte sequence reads as its character; every GBK character keeps its
// own bytes.
//
// The Ansi* counting helpers take and return UTF-8 but count positions and lengths in bytes of
// the 8-bit code page, as the platform's 8-bit string functions do: a Chinese character counts
// 2, and no helper ever returns half of one.
#pragma once

#include "rtl/Types.h"

#include <cstddef>

constexpr int CP_ACP = 0; // the program's 8-bit code page (936)
constexpr int CP_GBK = 936;
constexpr int CP_OEMUS = 437;
constexpr int CP_WESTERN = 1252;
constexpr int CP_UTF16LE = 1200;
constexpr int CP_UTF16BE = 1201;
constexpr int CP_UTF8 = 65001;
// The OEM code page of the Chinese system the program serves: GBK, like its ANSI page.
constexpr int CP_OEM = 936;

// The program's 8-bit code page: 936.
int DefaultAnsiCodePage();

// GBK bytes to UTF-8 and back.
String Utf8FromAnsi(const AnsiString& bytes);
AnsiString AnsiFromUtf8(const String& utf8);

// UTF-8 text as bytes of the OEM code page (CP_OEM) and back: the one road of every "OEM" option
// (exports, the report library's OEM character set). Chinese keeps its GBK bytes.
AnsiString CharToOem(const String& utf8);
String OemToChar(const AnsiString& bytes);

// Bytes in any code page iconv knows (CP_ACP, 936, 437, 1252, 65001, 1200, 1201, 54936 = GB18030,
// 28591.. = ISO-8859-n, 20127 = ASCII, otherwise "CP<n>") to UTF-8 and back. Raises
// EConvertError "Code page %d is not supported" for one iconv does not know.
String ConvertFromCodePage(const std::string& bytes, int codePage);
std::string ConvertToCodePage(const String& utf8, int codePage);
bool IsCodePageSupported(int codePage);

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(const std::string& bytes);
// Replaces every ill-formed sequence by U+FFFD.
String SanitizeUtf8(const std::string& bytes);

// Decodes the character at byte offset i (i < s.size()): returns its length in bytes, or 0 when
// the byte there does not start a well-formed character.
size_t Utf8Decode(const std::string& s, size_t i, char32_t& cp);
// Appends the UTF-8 form of a code point.
void Utf8Append(String& out, char32_t cp);

// UTF-8 and UTF-16. Ill-formed input becomes U+FFFD; never raises.
WideString Utf8ToWide(const String& utf8);
String WideToUtf8(const WideString& wide);

// Number of characters (code points) of UTF-8 text; each ill-formed byte counts as one.
Integer Utf8Length(const String& utf8);
// Characters from 1-based character index, as Copy does on wide strings; never splits one.
String Utf8Copy(const String& utf8, Integer index, Integer count);

// Length of the text in bytes of the 8-bit code page ("中文" is 4, "a中" is 3).
Integer AnsiLength(const String& utf8);
// The character's code in page 936: one byte (below 0x100) or two (lead byte high); 0 when the
// page lacks it.
Word AnsiCharCode(char32_t codePoint);
// Bytes of one character in the 8-bit code page: 1 or 2, or the length of the GB18030 bytes a
// character GBK lacks is written as (4, or 2 for the few GB18030 gives two bytes).
int AnsiCharWidth(char32_t codePoint);
// The characters that lie wholly within count bytes from the 1-based byte position index of the
// text's 8-bit form. A character the range cuts at either end is left out.
String AnsiCopy(const String& utf8, Integer index, Integer count);
String AnsiLeft(const String& utf8, Integer count);
String AnsiRight(const String& utf8, Integer count);
// 1-based byte position (in the 8-bit form) of sub in s; 0 when absent.
Integer AnsiPos(const String& sub, const String& s);

// What the byte at 1-based index of a string of 8-bit bytes (code page 936) is.
enum class TMbcsByteType { mbSingleByte, mbLeadByte, mbTrailByte };
TMbcsByteType ByteType(const AnsiString& bytes, Integer index);
// True for a byte that starts a double-byte character in code page 936.
inline bool IsLeadByte(Byte b) {
    return b >= 0x81 && b <= 0xFE;
}
