// Saving a report to its layout text and loading it back, for tests of the layout file format.
#pragma once

#include "report/vrClass.h"
#include "rtl/Streams.h"

inline String SaveReportText(TvrReport& r) {
    TMemoryStream m;
    r.SaveToStream(m);
    String s(static_cast<size_t>(m.Size()), '\0');
    m.SetPosition(0);
    if (!s.empty()) m.ReadBuffer(s.data(), m.Size());
    return s;
}

inline void LoadReportText(TvrReport& r, const String& text) {
    TMemoryStream m;
    m.WriteBuffer(text.data(), static_cast<Int64>(text.size()));
    m.SetPosition(0);
    r.LoadFromStream(m);
}
