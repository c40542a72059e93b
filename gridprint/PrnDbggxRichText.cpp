#include "gridprint/PrnDbggxRichText.h"

#include "rtl/Streams.h"

int TRichEditStrings::RawLineCount() const {
    const String& t = FHolder.Text();
    int n = 1;
    for (size_t p = t.find("\r\n"); p != String::npos; p = t.find("\r\n", p + 2))
        ++n;
    return n;
}

int TRichEditStrings::LineIndex(Integer index) const {
    if (index < 0 || index >= RawLineCount()) return -1;
    const String& t = FHolder.Text();
    size_t pos = 0;
    for (Integer i = 0; i < index; ++i)
        pos = t.find("\r\n", pos) + 2;
    return static_cast<int>(pos);
}

int TRichEditStrings::LineLength(Integer index) const {
    int start = LineIndex(index);
    if (start < 0) return 0;
    size_t end = FHolder.Text().find("\r\n", static_cast<size_t>(start));
    if (end == String::npos) end = FHolder.Text().size();
    return static_cast<int>(end) - start;
}

Integer TRichEditStrings::Count() const {
    int n = RawLineCount();
    if (LineLength(n - 1) == 0) --n;
    return n;
}

String TRichEditStrings::Get(Integer index) const {
    int start = LineIndex(index);
    if (start < 0) return String();
    return FHolder.Text().substr(static_cast<size_t>(start), static_cast<size_t>(LineLength(index)));
}

void TRichEditStrings::Put(Integer index, const String& s) {
    int start = LineIndex(index);
    if (start < 0) return;
    FHolder.Replace(start, LineLength(index), s);
}

void TRichEditStrings::Insert(Integer index, const String& s) {
    if (index < 0) return;
    int start = LineIndex(index);
    String inserted;
    int at;
    if (start >= 0) {
        at = start;
        inserted = s + "\r\n";
    } else {
        int prev = LineIndex(index - 1);
        if (prev < 0) return;
        int len = LineLength(index - 1);
        if (len == 0) return;
        at = prev + len;
        inserted = "\r\n" + s;
    }
    int before = FHolder.TextLength();
    FHolder.Replace(at, 0, inserted);
    if (FHolder.TextLength() != before + static_cast<int>(inserted.size()))
        throw EOutOfResources("RichEdit line insertion error");
}

void TRichEditStrings::Delete(Integer index) {
    int start = LineIndex(index);
    if (start < 0) return;
    int next = LineIndex(index + 1);
    int end = next >= 0 ? next : start + LineLength(index);
    FHolder.Replace(start, end - start, String());
}

void TRichEditStrings::Clear() {
    FHolder.SetText(String());
}

void TRichEditStrings::SetText(const String& text) {
    FHolder.SetText(text);
}

void TRichEditStrings::LoadFromStream(TStream& stream) {
    Int64 start = stream.Position();
    std::string bytes;
    try {
        Int64 size = stream.Size() - start;
        bytes.resize(static_cast<size_t>(std::max<Int64>(size, 0)));
        if (!bytes.empty()) stream.ReadBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
    } catch (const Exception&) {
        throw EOutOfResources("Failed to Load Stream");
    }
    if (FHolder.LoadRichText(bytes)) return;
    FHolder.LoadPlainText(bytes);
}

void TRichEditStrings::SaveToStream(TStream& stream) const {
    std::string bytes = FHolder.SaveRichText();
    try {
        stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
    } catch (const Exception&) {
        throw EOutOfResources("Failed to Save Stream");
    }
}

void TRichEditStrings::LoadFromFile(const String& fileName) {
    TFileStream stream(fileName, fmOpenRead);
    LoadFromStream(stream);
}

void TRichEditStrings::SaveToFile(const String& fileName) const {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}
