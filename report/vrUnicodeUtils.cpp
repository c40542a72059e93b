// TWideStrings: the list of UTF-16 strings.
#include "report/vrUnicodeUtils.h"

#include "classes/MetaBuilder.h"
#include "report/vrUtils.h"
#include "rtl/CodePage.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuards.h"
#include "rtl/Streams.h"

ORV_META_IMPL(TWideStrings)

void TWideStrings::DeclareMeta(meta::Class<TWideStrings>&) {}

Integer TWideStrings::Add(const WideString& s) {
    FItems.push_back(TItem{s, 0});
    return Count() - 1;
}

Integer TWideStrings::AddObject(const WideString& s, std::intptr_t object) {
    const Integer index = Add(s);
    FItems.back().object = object;
    return index;
}

void TWideStrings::Insert(Integer index, const WideString& s) {
    if (index < 0 || index > Count()) throw Exception("Wide String Out of Bounds");
    if (index == Count())
        Add(s);
    else
        FItems[static_cast<size_t>(index)].s = s;
}

void TWideStrings::Delete(Integer index) {
    if (index < 0 || index >= Count()) ListIndexError(index);
    FItems.erase(FItems.begin() + index);
}

Integer TWideStrings::IndexOf(const WideString& s) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].s == s) return static_cast<Integer>(i);
    return -1;
}

WideString TWideStrings::Strings(Integer index) const {
    if (index < 0 || index >= Count()) return WideString();
    return FItems[static_cast<size_t>(index)].s;
}

std::intptr_t TWideStrings::Objects(Integer index) const {
    if (index < 0 || index >= Count()) return 0;
    return FItems[static_cast<size_t>(index)].object;
}

void TWideStrings::SetObjects(Integer index, std::intptr_t object) {
    if (index < 0 || index >= Count()) return;
    FItems[static_cast<size_t>(index)].object = object;
}

WideString TWideStrings::Text() const {
    size_t length = 0;
    for (const TItem& item : FItems)
        length += item.s.size() + 2;
    WideString result;
    result.reserve(length);
    for (const TItem& item : FItems) {
        result += item.s;
        result += u"\r\n";
    }
    return result;
}

void TWideStrings::SetText(const WideString& text) {
    Clear();
    const char16_t* p = text.c_str();
    const char16_t* end = p + text.size();
    while (p < end && *p != 0) {
        const char16_t* start = p;
        while (p < end && *p != 0 && *p != u'\r' && *p != u'\n' && *p != u'\u2028')
            ++p;
        Add(WideString(start, static_cast<size_t>(p - start)));
        if (p < end && *p == u'\r') ++p;
        if (p < end && *p == u'\n') ++p;
        if (p < end && *p == u'\u2028') ++p;
    }
}

void TWideStrings::SetText(const char16_t* text) {
    if (!text) {
        Clear();
        return;
    }
    SetText(WideString(text));
}

void TWideStrings::LoadFromStream(TStream& stream) {
    const Int64 start = stream.Position();
    const Int64 n = stream.Size() - start;
    if (n > 2) {
        Byte mark[2] = {0, 0};
        stream.ReadBuffer(mark, 2);
        if (mark[0] == 0xFF && mark[1] == 0xFE) {
            std::vector<Byte> bytes(static_cast<size_t>(n - 2));
            stream.ReadBuffer(bytes.data(), n - 2);
            WideString text(bytes.size() / 2, u'\0');
            for (size_t i = 0; i < text.size(); ++i)
                text[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
            SetText(text);
            return;
        }
        stream.Seek(-2, TSeekOrigin::soCurrent);
    }
    AnsiString bytes(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) stream.ReadBuffer(bytes.data(), n);
    SetText(Utf8ToWide(Utf8FromAnsi(bytes)));
}

void TWideStrings::LoadFromFile(const String& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TWideStrings::SaveToStream(TStream& stream) const {
    const WideString text = Text();
    std::vector<Byte> bytes(text.size() * 2);
    for (size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = static_cast<Byte>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<Byte>(text[i] >> 8);
    }
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
}

void TWideStrings::SaveToFile(const String& fileName) const {
    WriteFileReplacing(fileName, [this](TStream& stream) {
        static const Byte mark[2] = {0xFF, 0xFE};
        stream.WriteBuffer(mark, 2);
        SaveToStream(stream);
    });
}

void TWideStrings::Assign(const TPersistent* source) {
    const auto* list = dynamic_cast<const TWideStrings*>(source);
    if (!list) {
        TPersistent::Assign(source);
        return;
    }
    if (list == this) return;
    Clear();
    for (const TItem& item : list->FItems)
        AddObject(item.s, item.object);
}

void TWideStrings::AssignTo(TPersistent* dest) const {
    if (auto* list = dynamic_cast<TWideStrings*>(dest))
        list->Assign(this);
    else
        TPersistent::AssignTo(dest);
}

void TWideStrings::Assign(const TStrings& source) {
    Clear();
    for (Integer i = 0; i < source.Count(); ++i)
        AddObject(Utf8ToWide(source.Strings(i)), reinterpret_cast<std::intptr_t>(source.Objects(i)));
}

void TWideStrings::AssignTo(TStrings& dest) const {
    const TUpdateGuard updating(dest);
    dest.Clear();
    for (const TItem& item : FItems)
        dest.AddObject(WideToUtf8(item.s), reinterpret_cast<TObject*>(item.object));
}
