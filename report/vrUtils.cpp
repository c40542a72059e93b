// Geometry records, texts, hexadecimal transfer of streams, checksums and bracket scanning.
#include "report/vrUtils.h"

#include "rtl/StrUtils.h"
#include "rtl/Format.h"

#include <zlib.h>

TvrFloatRect MakeFloatRect(Extended left, Extended top, Extended right, Extended bottom) {
    return TvrFloatRect{left, top, right, bottom};
}

TvrFloatPoint MakeFloatPoint(Extended x, Extended y) {
    return TvrFloatPoint{x, y};
}

bool TvrRectArea::OverlapsHorizontally(const TvrRectArea& a) const {
    return a.X < X1 - 0.0001L && a.X1 > X + 0.0001L;
}

bool TvrRectArea::OverlapsVertically(const TvrRectArea& a) const {
    return a.Y < Y1 - 0.0001L && a.Y1 > Y + 0.0001L;
}

std::unique_ptr<TvrRectArea> TvrRectArea::HorizontalIntersection(const TvrRectArea& a) const {
    if (!OverlapsHorizontally(a)) return nullptr;
    return std::make_unique<TvrRectArea>(std::max(X, a.X), 0, std::min(X1, a.X1), 0);
}

void TakeNextField(const String& text, Integer& position, String& field, char separator) {
    const size_t from = position > 0 ? static_cast<size_t>(position - 1) : 0;
    if (from >= text.size()) {
        field.clear();
        return;
    }
    const size_t sep = text.find(separator, from);
    if (sep == String::npos) {
        field.assign(text, from, String::npos);
        position = static_cast<Integer>(text.size()) + 1;
    } else {
        field.assign(text, from, sep - from);
        position = static_cast<Integer>(sep) + 2;
    }
}

void SplitTextToList(const String& text, TStrings& list, char separator) {
    list.Clear();
    Integer position = 1;
    String field;
    while (position <= static_cast<Integer>(text.size())) {
        TakeNextField(text, position, field, separator);
        list.Add(field);
    }
}

void ParsePageList(const String& text, TStrings& list, Integer pageCount) {
    list.Clear();
    String s;
    for (char c : text)
        if (c != ' ') s += c;
    if (s.empty()) return;
    if (s.back() == '-') s += IntToStr(pageCount);
    s += ',';
    size_t last = 0;
    bool inRange = false;
    Integer rangeStart = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '-') {
            rangeStart = StrToInt(s.substr(last, i - last));
            inRange = true;
            last = i + 1;
        } else if (s[i] == ',') {
            const Integer number = StrToInt(s.substr(last, i - last));
            if (!inRange) {
                list.Add(IntToStr(number));
            } else {
                const Integer rangeEnd = std::min(number, pageCount);
                for (Int64 page = rangeStart; page <= rangeEnd; ++page)
                    list.Add(IntToStr(page));
                inRange = false;
            }
            last = i + 1;
        }
    }
}

String ReplaceCharacter(const String& text, char from, char to) {
    String result = text;
    for (char& c : result)
        if (c == from) c = to;
    return result;
}

String SlashesToBackslashes(const String& text) {
    return ReplaceCharacter(text, '/', '\\');
}

String StreamToHex(TMemoryStream& stream) {
    static const char digits[] = "0123456789ABCDEF";
    const std::vector<Byte>& bytes = stream.Bytes();
    String result;
    result.reserve(bytes.size() * 2);
    for (Byte b : bytes) {
        result += digits[b >> 4];
        result += digits[b & 15];
    }
    return result;
}

void HexToStream(const String& text, TStream& stream) {
    std::vector<Byte> bytes;
    bytes.reserve(text.size() / 2);
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        const int hi = HexDigitValue(text[i]), lo = HexDigitValue(text[i + 1]);
        // A damaged digit would silently lose everything after it.
        if (hi < 0 || lo < 0)
            throw EConvertError("'" + text.substr(i, 2) + "' is not a valid hexadecimal value");
        bytes.push_back(static_cast<Byte>(hi * 16 + lo));
    }
    stream.SetPosition(0);
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
}

Cardinal StreamChecksum(TStream& stream) {
    const Int64 saved = stream.Position();
    uLong crc = crc32(0L, Z_NULL, 0);
    stream.SetPosition(0);
    std::vector<Byte> buffer(65536);
    for (;;) {
        const Int64 got = stream.Read(buffer.data(), static_cast<Int64>(buffer.size()));
        if (got <= 0) break;
        crc = crc32(crc, buffer.data(), static_cast<uInt>(got));
    }
    stream.SetPosition(saved);
    return static_cast<Cardinal>(crc);
}

namespace {

// Length of the UTF-8 sequence that starts with byte c (1 for ASCII and stray bytes).
size_t SequenceLength(unsigned char c) {
    if (c >= 0xF0 && c <= 0xF4) return 4;
    if (c >= 0xE0) return c <= 0xEF ? 3 : 1;
    if (c >= 0xC2) return 2;
    return 1;
}

size_t CharStep(const String& text, size_t i) {
    const size_t len = SequenceLength(static_cast<unsigned char>(text[i]));
    if (len == 1 || i + len > text.size()) return 1;
    for (size_t k = 1; k < len; ++k)
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 1;
    return len;
}

size_t CharStep(const WideString&, size_t) {
    return 1;
}

template <class S> bool StartsAt(const S& text, size_t i, const S& word) {
    return !word.empty() && text.compare(i, word.size(), word) == 0;
}

template <class S>
void ExtractBracketed(const S& text, const S& open, const S& close, S& inner, Integer& endPos,
                      Integer& startPos) {
    inner.clear();
    endPos = startPos;
    const Integer n = static_cast<Integer>(text.size());
    if (text.empty() || endPos < 1 || endPos > n) return;
    // Only an opening bracket starts a scan; a closing one there must not run on to the end.
    if (!StartsAt(text, static_cast<size_t>(startPos - 1), open)) return;
    int level = 0;
    bool inSingle = false, inDouble = false;
    size_t i = static_cast<size_t>(startPos - 1);
    while (i < text.size()) {
        const size_t step = CharStep(text, i);
        if (step == 1) {
            if (!inSingle && !inDouble) {
                if (StartsAt(text, i, open)) {
                    if (level == 0) startPos = static_cast<Integer>(i) + 1;
                    ++level;
                } else if (StartsAt(text, i, close)) {
                    --level;
                }
            }
            if (text[i] == '"' && !inSingle)
                inDouble = !inDouble;
            else if (text[i] == '\'' && !inDouble)
                inSingle = !inSingle;
        }
        if (level == 0) break;
        i += step;
    }
    const Integer stop = static_cast<Integer>(std::min(i, text.size())) + 1; // 1-based
    const Integer innerStart = startPos + static_cast<Integer>(open.size());
    if (stop > innerStart)
        inner = text.substr(static_cast<size_t>(innerStart - 1), static_cast<size_t>(stop - innerStart));
    if (stop != startPos) {
        // Without a closing bracket the scan ran to the end; endPos then stays inside the text.
        endPos = std::min<Integer>(stop + static_cast<Integer>(close.size()) - 1, n);
    }
}

} // namespace

void ExtractBracketedText(const String& text, const String& open, const String& close, String& inner,
                          Integer& endPos, Integer& startPos) {
    ExtractBracketed(text, open, close, inner, endPos, startPos);
}

void ExtractBracketedTextW(const WideString& text, const WideString& open, const WideString& close,
                           WideString& inner, Integer& endPos, Integer& startPos) {
    ExtractBracketed(text, open, close, inner, endPos, startPos);
}
