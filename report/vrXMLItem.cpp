// Elements of the report library's XML dialect: the child list and attribute access on the raw
// attribute text.
#include "report/vrXML.h"

#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <algorithm>

TvrXMLItem::~TvrXMLItem() {
    Clear();
    if (FParent) FParent->DetachChild(this);
}

void TvrXMLItem::DetachChild(TvrXMLItem* item) {
    auto it = std::find(FItems.rbegin(), FItems.rend(), item);
    if (it != FItems.rend()) FItems.erase(std::next(it).base());
    item->FParent = nullptr;
}

void TvrXMLItem::Clear() {
    std::vector<TvrXMLItem*> items;
    items.swap(FItems);
    for (TvrXMLItem* item : items) {
        item->FParent = nullptr;
        delete item;
    }
    if (IsUnloadable) IsLoaded = false;
}

TvrXMLItem* TvrXMLItem::GetItem(int index) const {
    if (index < 0 || index >= ItemCount()) ListIndexError(index);
    return FItems[static_cast<size_t>(index)];
}

TvrXMLItem* TvrXMLItem::Add() {
    auto item = std::make_unique<TvrXMLItem>();
    AppendItem(item.get());
    return item.release();
}

void TvrXMLItem::AppendItem(TvrXMLItem* item) {
    if (!item) return;
    if (item->FParent) item->FParent->DetachChild(item);
    FItems.push_back(item);
    item->FParent = this;
}

void TvrXMLItem::InsertItemAt(int index, TvrXMLItem* item) {
    AppendItem(item);
    if (index < 0 || index >= ItemCount()) {
        // Moving to a position outside the list is the list's index error; the item stays last.
        ListIndexError(index);
    }
    FItems.pop_back();
    FItems.insert(FItems.begin() + index, item);
}

int TvrXMLItem::IndexOfName(const String& name) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (AnsiSameText(FItems[i]->Name, name)) return static_cast<int>(i);
    return -1;
}

TvrXMLItem* TvrXMLItem::FindItem(const String& name) {
    const int i = IndexOfName(name);
    if (i >= 0) return FItems[static_cast<size_t>(i)];
    TvrXMLItem* item = Add();
    item->Name = name;
    return item;
}

int TvrXMLItem::IndexOfItem(const TvrXMLItem* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

// Searches " " + AttrText for " " + name + "=\"" without regard to case; the blank in front keeps
// "Name" from matching inside "Font.Name". Values hold no raw double quote, so a match never
// lies inside a value.
size_t TvrXMLItem::FindProp(const String& name) const {
    const String& s = AttrText;
    const size_t len = name.size();
    if (len == 0 || s.size() < len + 2) return String::npos;
    for (size_t p = 0; p + len + 2 <= s.size(); ++p) {
        if (p > 0 && s[p - 1] != ' ') continue;
        if (s[p + len] != '=' || s[p + len + 1] != '"') continue;
        size_t k = 0;
        while (k < len && UpCase(s[p + k]) == UpCase(name[k]))
            ++k;
        if (k == len) return p;
    }
    return String::npos;
}

String TvrXMLItem::GetProp(const String& name) const {
    const size_t p = FindProp(name);
    if (p == String::npos) return String();
    const size_t start = p + name.size() + 2;
    const size_t end = AttrText.find('"', start);
    return UnescapeXMLText(AttrText.substr(start, end == String::npos ? String::npos : end - start));
}

bool TvrXMLItem::PropExists(const String& name) const {
    return FindProp(name) != String::npos;
}

void TvrXMLItem::SetProp(const String& name, const String& value) {
    size_t p = FindProp(name);
    if (p != String::npos) {
        const size_t close = AttrText.find('"', p + name.size() + 2);
        AttrText.erase(p, close == String::npos ? String::npos : close + 1 - p);
    } else {
        p = AttrText.size();
    }
    String attr;
    attr.reserve(name.size() + value.size() + 4);
    if (p > 0 && AttrText[p - 1] != ' ') attr += ' ';
    attr += name;
    attr += "=\"";
    attr += EscapeXMLText(value);
    attr += '"';
    AttrText.insert(p, attr);
}
