// TStrings: the behaviour every string list shares.
#include "rtl/CodePage.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"
#include "rtl/Streams.h"
#include "rtl/StringList.h"

namespace {

inline bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}
inline bool IsSkippable(char c) {
    return c != '\0' && IsBlank(c);
}

// Text from bytes read from a file or stream.
String DecodeText(const std::string& bytes, int codePage) {
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return SanitizeUtf8(bytes.substr(3));
    if (bytes.size() >= 2 && bytes.compare(0, 2, "\xFF\xFE") == 0)
        return ConvertFromCodePage(bytes.substr(2), CP_UTF16LE);
    if (bytes.size() >= 2 && bytes.compare(0, 2, "\xFE\xFF") == 0)
        return ConvertFromCodePage(bytes.substr(2), CP_UTF16BE);
    if (codePage == CP_AUTODETECT) return IsValidUtf8(bytes) ? bytes : Utf8FromAnsi(bytes);
    return ConvertFromCodePage(bytes, codePage);
}

} // namespace

void TStrings::Error(const char* message, Integer data) {
    String text = message;
    const auto p = text.find("%d");
    if (p != String::npos) text.replace(p, 2, std::to_string(data));
    throw EStringListError(text);
}

void TStrings::Put(Integer index, const String& s) {
    TObject* obj = GetObject(index);
    Delete(index);
    InsertObject(index, s, obj);
}

TObject* TStrings::GetObject(Integer) const {
    return nullptr;
}
void TStrings::PutObject(Integer, TObject*) {}
void TStrings::SetUpdateState(bool) {}

int TStrings::CompareStrings(const String& a, const String& b) const {
    return AnsiCompareText(a, b);
}

Integer TStrings::Add(const String& s) {
    const Integer index = Count();
    Insert(index, s);
    return index;
}

Integer TStrings::AddObject(const String& s, TObject* obj) {
    const Integer index = Add(s);
    PutObject(index, obj);
    return index;
}

void TStrings::InsertObject(Integer index, const String& s, TObject* obj) {
    Insert(index, s);
    PutObject(index, obj);
}

void TStrings::AddStrings(const TStrings& strings) {
    const TUpdateGuard updating(*this);
    // Counted first, so adding a list to itself ends.
    const Integer n = strings.Count();
    for (Integer i = 0; i < n; ++i)
        AddObject(strings.Get(i), strings.GetObject(i));
}

void TStrings::Assign(const TStrings& source) {
    if (&source == this) return;
    const TUpdateGuard updating(*this);
    Clear();
    FDelimiter = source.FDelimiter;
    FQuoteChar = source.FQuoteChar;
    FStrictDelimiter = source.FStrictDelimiter;
    FNameValueSeparator = source.FNameValueSeparator;
    AddStrings(source);
}

void TStrings::Exchange(Integer index1, Integer index2) {
    const TUpdateGuard updating(*this);
    const String s = Get(index1);
    TObject* obj = GetObject(index1);
    Put(index1, Get(index2));
    PutObject(index1, GetObject(index2));
    Put(index2, s);
    PutObject(index2, obj);
}

void TStrings::Move(Integer curIndex, Integer newIndex) {
    if (curIndex == newIndex) return;
    const TUpdateGuard updating(*this);
    const String s = Get(curIndex);
    TObject* obj = GetObject(curIndex);
    PutObject(curIndex, nullptr); // so a list that owns its objects does not free it
    Delete(curIndex);
    InsertObject(newIndex, s, obj);
}

Integer TStrings::IndexOf(const String& s) const {
    const Integer n = Count();
    for (Integer i = 0; i < n; ++i)
        if (CompareStrings(Get(i), s) == 0) return i;
    return -1;
}

Integer TStrings::IndexOfName(const String& name) const {
    const Integer n = Count();
    for (Integer i = 0; i < n; ++i) {
        const String s = Get(i);
        const auto p = s.find(FNameValueSeparator);
        if (p != String::npos && CompareStrings(s.substr(0, p), name) == 0) return i;
    }
    return -1;
}

Integer TStrings::IndexOfObject(TObject* obj) const {
    const Integer n = Count();
    for (Integer i = 0; i < n; ++i)
        if (GetObject(i) == obj) return i;
    return -1;
}

bool TStrings::Equals(const TStrings& other) const {
    const Integer n = Count();
    if (n != other.Count()) return false;
    for (Integer i = 0; i < n; ++i)
        if (Get(i) != other.Get(i)) return false;
    return true;
}

void TStrings::BeginUpdate() {
    if (FUpdateCount == 0) SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate() {
    if (FUpdateCount <= 0) return;
    --FUpdateCount;
    if (FUpdateCount == 0) SetUpdateState(false);
}

// --- text forms --------------------------------------------------------------------------------

String TStrings::Text() const {
    String r;
    const Integer n = Count();
    for (Integer i = 0; i < n; ++i) {
        r += Get(i);
        r += "\r\n";
    }
    return r;
}

void TStrings::SetText(const String& text) {
    const TUpdateGuard updating(*this);
    Clear();
    size_t i = 0;
    while (i < text.size()) {
        const size_t start = i;
        while (i < text.size() && text[i] != '\r' && text[i] != '\n')
            ++i;
        Add(text.substr(start, i - start));
        if (i < text.size() && text[i] == '\r') ++i;
        if (i < text.size() && text[i] == '\n') ++i;
    }
}

String TStrings::GetDelimitedText(char delimiter, char quote, bool strict) const {
    const Integer n = Count();
    if (n == 1 && Get(0).empty()) return String(2, quote);
    String r;
    for (Integer i = 0; i < n; ++i) {
        const String s = Get(i);
        bool needsQuotes = false;
        for (char c : s)
            if (c == quote || c == delimiter || (!strict && IsBlank(c)) || c == '\0') {
                needsQuotes = true;
                break;
            }
        if (i > 0) r += delimiter;
        r += needsQuotes ? AnsiQuotedStr(s, quote) : s;
    }
    return r;
}

void TStrings::SetDelimitedTextWith(const String& text, char delimiter, char quote, bool strict) {
    const TUpdateGuard updating(*this);
    Clear();
    size_t p = 0;
    const size_t n = text.size();
    if (!strict)
        while (p < n && IsSkippable(text[p]))
            ++p;
    while (p < n) {
        String s;
        if (text[p] == quote) {
            s = AnsiExtractQuotedStr(text, p, quote);
        } else {
            const size_t start = p;
            while (p < n && (strict || !IsBlank(text[p])) && text[p] != delimiter)
                ++p;
            s = text.substr(start, p - start);
        }
        Add(s);
        if (!strict)
            while (p < n && IsSkippable(text[p]))
                ++p;
        if (p < n && text[p] == delimiter) {
            // A delimiter at the very end stands for one more, empty, string.
            if (p + 1 == n) Add(String());
            do {
                ++p;
            } while (!strict && p < n && IsSkippable(text[p]));
        }
    }
}

String TStrings::CommaText() const {
    return GetDelimitedText(',', '"', false);
}
void TStrings::SetCommaText(const String& text) {
    SetDelimitedTextWith(text, ',', '"', false);
}
String TStrings::DelimitedText() const {
    return GetDelimitedText(FDelimiter, FQuoteChar, FStrictDelimiter);
}
void TStrings::SetDelimitedText(const String& text) {
    SetDelimitedTextWith(text, FDelimiter, FQuoteChar, FStrictDelimiter);
}

// --- name=value pairs ----------------------------------------------------------------------------

String TStrings::Names(Integer index) const {
    const String s = Get(index);
    const auto p = s.find(FNameValueSeparator);
    return p == String::npos ? String() : s.substr(0, p);
}

String TStrings::Values(const String& name) const {
    const Integer i = IndexOfName(name);
    return i < 0 ? String() : ValueFromIndex(i);
}

void TStrings::SetValues(const String& name, const String& value) {
    Integer i = IndexOfName(name);
    if (!value.empty()) {
        const String line = name + FNameValueSeparator + value;
        if (i < 0)
            Add(line);
        else
            Put(i, line);
    } else if (i >= 0) {
        Delete(i);
    }
}

String TStrings::ValueFromIndex(Integer index) const {
    if (index < 0) return String();
    const String s = Get(index);
    const auto p = s.find(FNameValueSeparator);
    return p == String::npos ? String() : s.substr(p + 1);
}

void TStrings::SetValueFromIndex(Integer index, const String& value) {
    if (!value.empty()) {
        if (index < 0) index = Add(String());
        Put(index, Names(index) + FNameValueSeparator + value);
    } else if (index >= 0) {
        Delete(index);
    }
}

// --- files and streams -----------------------------------------------------------------------------

void TStrings::LoadFromFile(const String& fileName, int codePage) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file, codePage);
}

void TStrings::LoadFromStream(TStream& stream, int codePage) {
    const Int64 size = stream.Size() - stream.Position();
    std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (!bytes.empty()) bytes.resize(static_cast<size_t>(stream.Read(bytes.data(), size)));
    SetText(DecodeText(bytes, codePage));
}

void TStrings::SaveToFile(const String& fileName, int codePage) const {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file, codePage);
}

void TStrings::SaveToStream(TStream& stream, int codePage) const {
    const String text = Text();
    const std::string bytes = codePage == CP_UTF8 ? text : ConvertToCodePage(text, codePage);
    stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
}
