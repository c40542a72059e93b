// Collections in the layout files' property data: a list of items, each a nested list holding
// the item's attribute text as one long string, in the binary value stream of classes/Filer.h.
#include "classes/Collection.h"
#include "classes/Filer.h"
#include "report/vrUtils.h"

#include <vector>

void WriteCollectionAsXML(TCollection& collection, TStream& writer, const TvrItemTextWriter& itemText) {
    TWriter w(writer);
    w.WriteListBegin();
    for (int i = 0; i < collection.Count(); ++i) {
        w.WriteListBegin();
        w.WriteLongString(itemText(*collection.Items(i)));
        w.WriteListEnd();
    }
    w.WriteListEnd();
}

void ReadCollectionAsXML(TCollection& collection, TStream& reader, const TvrItemTextReader& readItem) {
    // The whole list is read before the collection changes, so damaged data leaves it as it was.
    TReader r(reader);
    const TValueType start = r.ReadValue();
    if (start == vaCollection)
        throw EReadError("A collection in the component-stream form cannot be read here");
    if (start != vaList) throw EReadError("Invalid collection data");
    std::vector<String> texts;
    for (TValueType b = r.ReadValue(); b != vaNull; b = r.ReadValue()) {
        if (b != vaList) throw EReadError("Invalid collection data");
        const TValueType t = r.NextValue();
        if (t != vaString && t != vaLString && t != vaUTF8String && t != vaWString)
            throw EReadError("Invalid property value type " + std::to_string(t) + " in a collection item");
        texts.push_back(r.ReadString());
        if (r.ReadValue() != vaNull) throw EReadError("Invalid collection data");
    }
    collection.BeginUpdate();
    try {
        collection.Clear();
        for (const String& text : texts)
            readItem(*collection.Add(), text);
    } catch (...) {
        collection.EndUpdate();
        throw;
    }
    collection.EndUpdate();
}
