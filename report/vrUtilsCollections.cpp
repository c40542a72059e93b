// Collections in the layout files' property data: a list of items, each a nested list holding
// the item's attribute text as one long string.
#include "classes/Collection.h"
#include "report/vrUtils.h"
#include "rtl/CodePage.h"
#include "rtl/ScopeGuards.h"

#include <vector>

namespace {

// Value-type bytes of the component stream.
enum : Byte {
    vaNull = 0,
    vaList = 1,
    vaString = 6,
    vaLString = 12,
    vaCollection = 14,
    vaWString = 18,
    vaUTF8String = 20,
};

void WriteByte(TStream& stream, Byte b) {
    stream.WriteBuffer(&b, 1);
}

Byte ReadByte(TStream& stream) {
    Byte b = 0;
    if (stream.Read(&b, 1) != 1) throw EReadError("Stream read error");
    return b;
}

Cardinal ReadLength(TStream& stream) {
    Byte b[4];
    if (stream.Read(b, 4) != 4) throw EReadError("Stream read error");
    return static_cast<Cardinal>(b[0]) | static_cast<Cardinal>(b[1]) << 8 |
           static_cast<Cardinal>(b[2]) << 16 | static_cast<Cardinal>(b[3]) << 24;
}

String ReadBytes(TStream& stream, Int64 count) {
    // A length beyond the stream's end is damage, not a reason to allocate it.
    if (count < 0 || count > stream.Size() - stream.Position()) throw EReadError("Stream read error");
    String s(static_cast<size_t>(count), '\0');
    if (count > 0) stream.ReadBuffer(s.data(), count);
    return s;
}

String ReadItemString(TStream& stream) {
    switch (const Byte type = ReadByte(stream)) {
    case vaString:
        return ReadBytes(stream, ReadByte(stream));
    case vaLString:
    case vaUTF8String:
        return ReadBytes(stream, ReadLength(stream));
    case vaWString: {
        const String bytes = ReadBytes(stream, static_cast<Int64>(ReadLength(stream)) * 2);
        WideString w(bytes.size() / 2, u'\0');
        for (size_t i = 0; i < w.size(); ++i)
            w[i] = static_cast<char16_t>(static_cast<Byte>(bytes[2 * i]) | static_cast<Byte>(bytes[2 * i + 1])
                                                                               << 8);
        return WideToUtf8(w);
    }
    default:
        throw EReadError("Invalid property value type " + std::to_string(type) + " in a collection item");
    }
}

} // namespace

void WriteCollectionAsXML(TCollection& collection, TStream& writer, const TvrItemTextWriter& itemText) {
    WriteByte(writer, vaList);
    for (int i = 0; i < collection.Count(); ++i) {
        const String text = itemText(*collection.Items(i));
        WriteByte(writer, vaList);
        WriteByte(writer, vaLString);
        const Cardinal n = static_cast<Cardinal>(text.size());
        const Byte length[4] = {static_cast<Byte>(n), static_cast<Byte>(n >> 8), static_cast<Byte>(n >> 16),
                                static_cast<Byte>(n >> 24)};
        writer.WriteBuffer(length, 4);
        if (n > 0) writer.WriteBuffer(text.data(), n);
        WriteByte(writer, vaNull);
    }
    WriteByte(writer, vaNull);
}

void ReadCollectionAsXML(TCollection& collection, TStream& reader, const TvrItemTextReader& readItem) {
    // The whole list is read before the collection changes, so damaged data leaves it as it was.
    const Byte start = ReadByte(reader);
    if (start == vaCollection)
        throw EReadError("A collection in the component-stream form cannot be read here");
    if (start != vaList) throw EReadError("Invalid collection data");
    std::vector<String> texts;
    for (Byte b = ReadByte(reader); b != vaNull; b = ReadByte(reader)) {
        if (b != vaList) throw EReadError("Invalid collection data");
        texts.push_back(ReadItemString(reader));
        if (ReadByte(reader) != vaNull) throw EReadError("Invalid collection data");
    }
    const TUpdateGuard updating(collection);
    collection.Clear();
    for (const String& text : texts)
        readItem(*collection.Add(), text);
}
