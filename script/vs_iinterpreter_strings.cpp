#include "script/vs_iinterpreter_strings.h"

#include "rtl/CodePage.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"
#include "rtl/StringList.h"
#include "rtl/VariantInternal.h"

String SMemberClassError = "Object of class %s does not have the member %s";
String SStringIndexError = "String index out of bounds (%d)";
String SForStepError = "For loop step must not be zero";
String SCannotCreate = "Cannot create an instance of class %s";
String SNegativeCount = "Invalid count (%d)";

namespace {

bool IsAscii(const String& Text) {
    for (unsigned char c : Text)
        if (c >= 0x80) return false;
    return true;
}

// Byte positions of GBK text: a character takes one or two bytes, and both bytes of a two-byte
// character address it as one unit at its first byte; its trailing byte addresses nothing. So
// indexing or copying every byte position from 1 to Length in turn rebuilds the text exactly.

// The character covering byte I: its UTF-8 offset and length (0 at a trailing byte); false when I
// is outside.
bool LocateByte(const String& Text, Integer I, size_t& Offset, size_t& Length) {
    if (I < 1) return false;
    if (IsAscii(Text)) {
        if (static_cast<size_t>(I) > Text.size()) return false;
        Offset = static_cast<size_t>(I - 1);
        Length = 1;
        return true;
    }
    Integer byte = 1;
    for (size_t i = 0; i < Text.size();) {
        char32_t cp = 0;
        size_t n = Utf8Decode(Text, i, cp);
        const int width = n ? AnsiCharWidth(cp) : 1;
        if (!n) n = 1;
        if (I >= byte && I < byte + width) {
            Offset = i;
            Length = I == byte ? n : 0;
            return true;
        }
        byte += width;
        i += n;
    }
    return false;
}

// The UTF-8 offset of the first character whose first byte is at or after byte position I.
size_t OffsetOfByte(const String& Text, Integer I) {
    Integer byte = 1;
    size_t i = 0;
    while (i < Text.size() && byte < I) {
        char32_t cp = 0;
        size_t n = Utf8Decode(Text, i, cp);
        byte += n ? AnsiCharWidth(cp) : 1;
        i += n ? n : 1;
    }
    return i;
}

String FirstChar(const String& Text) {
    if (Text.empty()) return Text;
    char32_t cp = 0;
    size_t n = Utf8Decode(Text, 0, cp);
    return Text.substr(0, n ? n : 1);
}

} // namespace

String vsCharAt(const String& Text, Integer I) {
    size_t offset = 0, length = 0;
    if (!LocateByte(Text, I, offset, length)) throw ERangeError(Format(SStringIndexError, {I}));
    return Text.substr(offset, length);
}

void vsSetCharAt(String& Text, Integer I, const String& Ch) {
    size_t offset = 0, length = 0;
    if (!LocateByte(Text, I, offset, length)) throw ERangeError(Format(SStringIndexError, {I}));
    const String c = FirstChar(Ch);
    if (c.empty() || length == 0) return;
    Text.replace(offset, length, c);
}

String* vsMutableString(Variant& V) {
    // The variant owns its text alone (texts are not shared between variants), so changing it in
    // place changes no other value.
    if (V.VType() != varString) return nullptr;
    return const_cast<String*>(&TVariantAccess::Str(V));
}

const String& vsStringOf(const Variant& V) {
    return TVariantAccess::Str(V);
}

Integer vsLength(const String& Text) {
    return IsAscii(Text) ? static_cast<Integer>(Text.size()) : AnsiLength(Text);
}

String vsCopy(const String& Text, Integer From, Integer Count) {
    if (From < 1) From = 1;
    if (Count < 1) return String();
    if (IsAscii(Text)) {
        if (static_cast<size_t>(From) > Text.size()) return String();
        return Text.substr(static_cast<size_t>(From - 1), static_cast<size_t>(Count));
    }
    // The characters whose first byte lies in From .. From + Count - 1.
    const size_t begin = OffsetOfByte(Text, From);
    const Int64 end = Int64(From) + Count;
    const size_t stop = end > Int64(INT32_MAX) ? Text.size() : OffsetOfByte(Text, static_cast<Integer>(end));
    return stop > begin ? Text.substr(begin, stop - begin) : String();
}

void vsDelete(String& Text, Integer From, Integer Count) {
    const Integer length = vsLength(Text);
    if (From < 1 || From > length || Count < 1) return;
    if (IsAscii(Text)) {
        Text.erase(static_cast<size_t>(From - 1), static_cast<size_t>(Count));
        return;
    }
    Text =
        vsCopy(Text, 1, From - 1) + (Count > length - From ? String() : vsCopy(Text, From + Count, length));
}

void vsInsert(const String& Sub, String& Text, Integer Pos) {
    const Integer length = vsLength(Text);
    if (Pos < 1) Pos = 1;
    if (Pos > length) {
        Text += Sub;
        return;
    }
    if (IsAscii(Text)) {
        Text.insert(static_cast<size_t>(Pos - 1), Sub);
        return;
    }
    Text.insert(OffsetOfByte(Text, Pos), Sub);
}

String vsSetLength(const String& Text, Integer Length) {
    if (Length < 0) Length = 0;
    const Integer current = vsLength(Text);
    if (Length >= current) return Text + String(static_cast<size_t>(Length - current), ' ');
    // Only characters that fit whole: the new length never exceeds the one asked for.
    return IsAscii(Text) ? Text.substr(0, static_cast<size_t>(Length)) : AnsiCopy(Text, 1, Length);
}

std::vector<String> vsSplitCommaList(const String& Text) {
    TStringList list;
    list.SetCommaText(Text);
    std::vector<String> result;
    for (Integer i = 0; i < list.Count(); ++i) {
        const String name = Trim(list.Strings(i));
        if (!name.empty()) result.push_back(name);
    }
    return result;
}
