#include "rtl/CodePage.h"

#include "rtl/SysUtils.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <map>
#include <memory>

namespace {

// --- UTF-8 decoding ---------------------------------------------------------------------------

constexpr char32_t kReplacement = 0xFFFD;

} // namespace

size_t Utf8Decode(const std::string& s, size_t i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    size_t len;
    char32_t min;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > s.size()) return 0;
    for (size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

void Utf8Append(String& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

namespace {

// --- iconv ------------------------------------------------------------------------------------

String IconvName(int codePage) {
    switch (codePage) {
    case CP_ACP:
    case CP_GBK:
        return "CP936";
    case CP_UTF8:
        return "UTF-8";
    case CP_UTF16LE:
        return "UTF-16LE";
    case CP_UTF16BE:
        return "UTF-16BE";
    case 12000:
        return "UTF-32LE";
    case 12001:
        return "UTF-32BE";
    case 20127:
        return "ASCII";
    case 20932:
        return "EUC-JP";
    case 20936:
        return "GB2312";
    case 51949:
        return "EUC-KR";
    case 52936:
        return "HZ";
    case 54936:
        return "GB18030";
    case 20866:
        return "KOI8-R";
    case 21866:
        return "KOI8-U";
    case 10000:
        return "MACINTOSH";
    default:
        break;
    }
    if (codePage >= 28591 && codePage <= 28606) return "ISO-8859-" + std::to_string(codePage - 28590);
    return "CP" + std::to_string(codePage);
}

// One open conversion descriptor, kept per thread (iconv_t is not safe to share).
class TConverter {
public:
    TConverter(const String& to, const String& from) : FCd(::iconv_open(to.c_str(), from.c_str())) {}
    ~TConverter() {
        if (Valid()) ::iconv_close(FCd);
    }
    TConverter(const TConverter&) = delete;
    TConverter& operator=(const TConverter&) = delete;
    bool Valid() const { return FCd != reinterpret_cast<iconv_t>(-1); }

    // Converts, replacing what cannot be converted: an input unit (skipUnit bytes, or a whole
    // UTF-8 character when the source is UTF-8) that fails becomes the replacement text, unless
    // the fallback takes it (it appends its own output and answers the input bytes it took, or 0).
    using TFallback = size_t (*)(const std::string& in, size_t offset, std::string& out);
    std::string Run(const std::string& in, const std::string& replacement, bool fromUtf8, size_t skipUnit,
                    TFallback fallback = nullptr) {
        ::iconv(FCd, nullptr, nullptr, nullptr, nullptr);
        std::string out;
        out.reserve(in.size() * 2 + 16);
        char buf[4096];
        char* inPtr = const_cast<char*>(in.data());
        size_t inLeft = in.size();
        while (inLeft > 0) {
            char* outPtr = buf;
            size_t outLeft = sizeof buf;
            const size_t r = ::iconv(FCd, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buf, static_cast<size_t>(outPtr - buf));
            if (r != static_cast<size_t>(-1)) continue;
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL (truncated input): skip one unit and put the replacement.
            if (fallback) {
                const size_t taken = fallback(in, in.size() - inLeft, out);
                if (taken > 0 && taken <= inLeft) {
                    inPtr += taken;
                    inLeft -= taken;
                    ::iconv(FCd, nullptr, nullptr, nullptr, nullptr);
                    continue;
                }
            }
            size_t skip = skipUnit;
            if (fromUtf8) {
                const size_t offset = in.size() - inLeft;
                char32_t cp;
                skip = Utf8Decode(in, offset, cp);
                if (skip == 0) skip = 1;
            }
            if (skip > inLeft) skip = inLeft;
            inPtr += skip;
            inLeft -= skip;
            out += replacement;
            ::iconv(FCd, nullptr, nullptr, nullptr, nullptr);
        }
        // Flush any shift state of stateful encodings.
        char* outPtr = buf;
        size_t outLeft = sizeof buf;
        ::iconv(FCd, nullptr, nullptr, &outPtr, &outLeft);
        out.append(buf, static_cast<size_t>(outPtr - buf));
        return out;
    }

private:
    iconv_t FCd;
};

TConverter* Converter(const String& to, const String& from) {
    thread_local std::map<std::pair<String, String>, std::unique_ptr<TConverter>> cache;
    auto& slot = cache[{to, from}];
    if (!slot) slot = std::make_unique<TConverter>(to, from);
    return slot->Valid() ? slot.get() : nullptr;
}

[[noreturn]] void Unsupported(int codePage) {
    throw EConvertError("Code page " + std::to_string(codePage) + " is not supported");
}

// The program's own 8-bit text (CP_ACP: AnsiFromUtf8 and Utf8FromAnsi, the files, exports and
// clipboard formats it writes and reads back). Page 936 asked for by number (a font's character
// set) keeps GBK alone.
bool IsPage936(int codePage) {
    return codePage == CP_ACP;
}

// Page 936 written by the program: a character GBK lacks («䶮», U+4DAE, or one beyond the Basic
// Multilingual Plane) goes out as its GB18030 bytes instead of '?', so that nothing is lost;
// every GBK character keeps its own bytes.
size_t Gb18030CharOut(const std::string& in, size_t offset, std::string& out) {
    char32_t cp;
    const size_t len = Utf8Decode(in, offset, cp);
    if (len == 0) return 0;
    TConverter* gb = Converter("GB18030", "UTF-8");
    if (!gb) return 0;
    const std::string bytes = gb->Run(in.substr(offset, len), std::string(), true, 1);
    if (bytes.empty()) return 0;
    out += bytes;
    return len;
}

// Page 936 read by the program: what GBK cannot read but GB18030 can (a four-byte sequence, whose
// second byte is a digit, or one of the two-byte codes GB18030 adds, such as FE9F for «䶮») reads
// as its character.
size_t Gb18030CharIn(const std::string& in, size_t offset, std::string& out) {
    auto b = [&](size_t i) { return static_cast<unsigned char>(in[offset + i]); };
    auto lead = [](unsigned char c) { return c >= 0x81 && c <= 0xFE; };
    auto digit = [](unsigned char c) { return c >= 0x30 && c <= 0x39; };
    size_t n = 0;
    if (offset + 4 <= in.size() && lead(b(0)) && digit(b(1)) && lead(b(2)) && digit(b(3)))
        n = 4;
    else if (offset + 2 <= in.size() && lead(b(0)) && b(1) >= 0x40 && b(1) <= 0xFE && b(1) != 0x7F)
        n = 2;
    if (n == 0) return 0;
    TConverter* gb = Converter("UTF-8", "GB18030");
    if (!gb) return 0;
    const std::string text = gb->Run(in.substr(offset, n), std::string(), false, n);
    if (text.empty()) return 0;
    out += text;
    return n;
}

// Bytes of a unit whose conversion fails, for sources of fixed-width units.
size_t SourceUnit(int codePage) {
    switch (codePage) {
    case CP_UTF16LE:
    case CP_UTF16BE:
        return 2;
    case 12000:
    case 12001:
        return 4;
    default:
        return 1;
    }
}

std::string ReplacementIn(int codePage) {
    switch (codePage) {
    case CP_UTF16LE:
        return std::string("?\0", 2);
    case CP_UTF16BE:
        return std::string("\0?", 2);
    case 12000:
        return std::string("?\0\0\0", 4);
    case 12001:
        return std::string("\0\0\0?", 4);
    default:
        return "?";
    }
}

// Code pages whose bytes below 0x80 are ASCII, so pure ASCII input needs no conversion.
bool AsciiCompatible(int codePage) {
    switch (codePage) {
    case CP_ACP:
    case CP_GBK:
    case CP_OEMUS:
    case 850:
    case 950:
    case 20127:
    case 20936:
    case 54936:
        return true;
    default:
        return (codePage >= 1250 && codePage <= 1258) || (codePage >= 28591 && codePage <= 28606);
    }
}

// Code in page 936 of every character of the Basic Multilingual Plane (0 where it has none),
// built once.
const std::array<Word, 0x10000>& GbkCodes() {
    static const std::array<Word, 0x10000> table = [] {
        std::array<Word, 0x10000> t{};
        iconv_t cd = ::iconv_open("CP936", "UTF-32LE");
        const bool ok = cd != reinterpret_cast<iconv_t>(-1);
        for (char32_t cp = 0; cp < 0x10000; ++cp) {
            if (cp < 0x80) {
                t[cp] = static_cast<Word>(cp);
                continue;
            }
            if (!ok || (cp >= 0xD800 && cp <= 0xDFFF)) continue;
            char in[4] = {static_cast<char>(cp & 0xFF), static_cast<char>((cp >> 8) & 0xFF), 0, 0};
            unsigned char out[8];
            char* inPtr = in;
            size_t inLeft = 4;
            char* outPtr = reinterpret_cast<char*>(out);
            size_t outLeft = sizeof out;
            ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (::iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) continue;
            const auto n = static_cast<size_t>(outPtr - reinterpret_cast<char*>(out));
            if (n == 1) t[cp] = out[0];
            if (n == 2) t[cp] = static_cast<Word>((out[0] << 8) | out[1]);
        }
        if (ok) ::iconv_close(cd);
        return t;
    }();
    return table;
}

// One character of UTF-8 text with its place and width in the 8-bit form.
struct TAnsiChar {
    size_t offset; // byte offset in the UTF-8 text
    size_t length; // UTF-8 bytes
    int width;     // 8-bit bytes
};

template <typename F> void ForEachAnsiChar(const String& s, F&& f) {
    size_t i = 0;
    while (i < s.size()) {
        char32_t cp;
        size_t len = Utf8Decode(s, i, cp);
        int width = 1;
        if (len == 0) {
            len = 1;
        } else {
            width = AnsiCharWidth(cp);
        }
        if (!f(TAnsiChar{i, len, width})) return;
        i += len;
    }
}

} // namespace

int DefaultAnsiCodePage() {
    return CP_GBK;
}

String Utf8FromAnsi(const AnsiString& bytes) {
    return ConvertFromCodePage(bytes, CP_ACP);
}

AnsiString AnsiFromUtf8(const String& utf8) {
    return ConvertToCodePage(utf8, CP_ACP);
}

AnsiString CharToOem(const String& utf8) {
    return ConvertToCodePage(utf8, CP_OEM);
}

String OemToChar(const AnsiString& bytes) {
    return ConvertFromCodePage(bytes, CP_OEM);
}

bool IsCodePageSupported(int codePage) {
    if (codePage == CP_UTF8) return true;
    return Converter("UTF-8", IconvName(codePage)) != nullptr;
}

String ConvertFromCodePage(const std::string& bytes, int codePage) {
    if (codePage == CP_UTF8) return SanitizeUtf8(bytes);
    bool ascii = true;
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    const String name = IconvName(codePage);
    TConverter* conv = Converter("UTF-8", name);
    if (!conv) Unsupported(codePage);
    if (ascii && AsciiCompatible(codePage)) return bytes;
    return conv->Run(bytes, "?", false, SourceUnit(codePage), IsPage936(codePage) ? Gb18030CharIn : nullptr);
}

std::string ConvertToCodePage(const String& utf8, int codePage) {
    if (codePage == CP_UTF8) return SanitizeUtf8(utf8);
    TConverter* conv = Converter(IconvName(codePage), "UTF-8");
    if (!conv) Unsupported(codePage);
    return conv->Run(utf8, ReplacementIn(codePage), true, 1, IsPage936(codePage) ? Gb18030CharOut : nullptr);
}

bool IsValidUtf8(const std::string& bytes) {
    char32_t cp;
    for (size_t i = 0; i < bytes.size();) {
        const size_t len = Utf8Decode(bytes, i, cp);
        if (len == 0) return false;
        i += len;
    }
    return true;
}

String SanitizeUtf8(const std::string& bytes) {
    if (IsValidUtf8(bytes)) return bytes;
    String out;
    out.reserve(bytes.size() + 8);
    char32_t cp;
    for (size_t i = 0; i < bytes.size();) {
        const size_t len = Utf8Decode(bytes, i, cp);
        if (len == 0) {
            Utf8Append(out, kReplacement);
            ++i;
        } else {
            out.append(bytes, i, len);
            i += len;
        }
    }
    return out;
}

WideString Utf8ToWide(const String& utf8) {
    WideString out;
    out.reserve(utf8.size());
    char32_t cp;
    for (size_t i = 0; i < utf8.size();) {
        size_t len = Utf8Decode(utf8, i, cp);
        if (len == 0) {
            cp = kReplacement;
            len = 1;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += len;
    }
    return out;
}

String WideToUtf8(const WideString& wide) {
    String out;
    out.reserve(wide.size() * 3);
    for (size_t i = 0; i < wide.size(); ++i) {
        char32_t cp = wide[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement;
        }
        Utf8Append(out, cp);
    }
    return out;
}

Integer Utf8Length(const String& utf8) {
    Integer n = 0;
    char32_t cp;
    for (size_t i = 0; i < utf8.size(); ++n) {
        const size_t len = Utf8Decode(utf8, i, cp);
        i += len == 0 ? 1 : len;
    }
    return n;
}

String Utf8Copy(const String& utf8, Integer index, Integer count) {
    if (index < 1) index = 1;
    if (count <= 0) return String();
    Integer n = 1;
    size_t start = utf8.size(), end = utf8.size();
    char32_t cp;
    for (size_t i = 0; i < utf8.size(); ++n) {
        if (n == index) start = i;
        if (n == index + count) {
            end = i;
            break;
        }
        const size_t len = Utf8Decode(utf8, i, cp);
        i += len == 0 ? 1 : len;
    }
    return start >= end ? String() : utf8.substr(start, end - start);
}

Word AnsiCharCode(char32_t codePoint) {
    if (codePoint < 0x80) return static_cast<Word>(codePoint);
    if (codePoint >= 0x10000) return 0;
    return GbkCodes()[codePoint];
}

int AnsiCharWidth(char32_t codePoint) {
    const Word code = AnsiCharCode(codePoint);
    if (code > 0xFF) return 2;
    if (code > 0 || codePoint == 0) return 1;
    // A character GBK lacks is written as its GB18030 bytes (AnsiFromUtf8).
    String utf8;
    Utf8Append(utf8, codePoint);
    const size_t n = AnsiFromUtf8(utf8).size();
    return n > 0 ? static_cast<int>(n) : 1;
}

Integer AnsiLength(const String& utf8) {
    Integer n = 0;
    ForEachAnsiChar(utf8, [&](const TAnsiChar& c) {
        n += c.width;
        return true;
    });
    return n;
}

String AnsiCopy(const String& utf8, Integer index, Integer count) {
    if (index < 1) index = 1;
    if (count <= 0) return String();
    const Int64 first = index;                                // first byte wanted, 1-based
    const Int64 last = static_cast<Int64>(index) + count - 1; // last byte wanted
    Int64 pos = 1;                                            // 8-bit position of the current character
    size_t start = String::npos, end = 0;
    ForEachAnsiChar(utf8, [&](const TAnsiChar& c) {
        const Int64 charLast = pos + c.width - 1;
        if (charLast > last) return false;
        if (pos >= first) {
            if (start == String::npos) start = c.offset;
            end = c.offset + c.length;
        }
        pos += c.width;
        return true;
    });
    return start == String::npos ? String() : utf8.substr(start, end - start);
}

String AnsiLeft(const String& utf8, Integer count) {
    return AnsiCopy(utf8, 1, count);
}

String AnsiRight(const String& utf8, Integer count) {
    if (count <= 0) return String();
    const Integer len = AnsiLength(utf8);
    if (count >= len) return utf8;
    return AnsiCopy(utf8, len - count + 1, count);
}

Integer AnsiPos(const String& sub, const String& s) {
    if (sub.empty() || sub.size() > s.size()) return 0;
    Integer pos = 1;
    Integer result = 0;
    ForEachAnsiChar(s, [&](const TAnsiChar& c) {
        if (s.compare(c.offset, sub.size(), sub) == 0) {
            result = pos;
            return false;
        }
        pos += c.width;
        return true;
    });
    return result;
}

TMbcsByteType ByteType(const AnsiString& bytes, Integer index) {
    if (index < 1 || static_cast<size_t>(index) > bytes.size()) return TMbcsByteType::mbSingleByte;
    size_t i = 0;
    const size_t target = static_cast<size_t>(index - 1);
    while (i < bytes.size()) {
        const bool lead = IsLeadByte(static_cast<Byte>(bytes[i])) && i + 1 < bytes.size();
        if (i == target) return lead ? TMbcsByteType::mbLeadByte : TMbcsByteType::mbSingleByte;
        if (lead) {
            if (i + 1 == target) return TMbcsByteType::mbTrailByte;
            i += 2;
        } else {
            ++i;
        }
    }
    return TMbcsByteType::mbSingleByte;
}
