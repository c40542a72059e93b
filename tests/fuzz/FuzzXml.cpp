// XML documents of the report library: load, save, and load what was saved, which must read back
// as the same document.
#include "FuzzTarget.h"
#include "report/vrXML.h"
#include "rtl/Streams.h"

#include <cstdlib>
#include <string>

ORV_FUZZ_TARGET(xml) {
    TvrXMLDocument doc;
    {
        TStringStream in(std::string(reinterpret_cast<const char*>(data), size));
        doc.LoadFromStream(in);
    }
    TStringStream first;
    doc.SaveToStream(first);
    TvrXMLDocument again;
    TStringStream in(first.DataString());
    again.LoadFromStream(in);
    TStringStream second;
    again.SaveToStream(second);
    if (first.DataString() != second.DataString()) std::abort(); // what was written must read back
}
