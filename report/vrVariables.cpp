// Report variables with categories, variables files and the script's associative array.
#include "report/vrVariables.h"

#include "classes/MetaBuilder.h"
#include "report/vrUtils.h"
#include "report/vrXML.h"
#include "report/vrXMLSerializer.h"
#include "rtl/StrUtils.h"

ORV_META_IMPL(TvrVariable)
void TvrVariable::DeclareMeta(meta::Class<TvrVariable>& c) {
    c.Property("Name", &TvrVariable::Name, &TvrVariable::Name);
    c.Property("Value", &TvrVariable::Value, &TvrVariable::Value);
}

void TvrVariable::Assign(const TPersistent* Source) {
    auto* s = dynamic_cast<const TvrVariable*>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    Name = s->Name;
    Value = s->Value;
}

ORV_META_IMPL(TvrVariables)
void TvrVariables::DeclareMeta(meta::Class<TvrVariables>&) {}

TvrVariables::TvrVariables() : TCollection(TvrVariable::StaticClassInfo()) {}

namespace {
bool IsCategory(const String& name) {
    return !name.empty() && name[0] == ' ';
}
} // namespace

int TvrVariables::IndexOf(const String& Name) const {
    for (int i = 0; i < Count(); ++i)
        if (AnsiSameText(GetItem(i)->Name, Name)) return i;
    return -1;
}

Variant TvrVariables::Variables(const String& Name) const {
    const int i = IndexOf(Name);
    return i < 0 ? Null() : GetItem(i)->Value;
}

void TvrVariables::SetVariable(const String& Name, const Variant& Value) {
    int i = IndexOf(Name);
    if (i < 0) {
        TvrVariable* v = Add();
        v->Name = Name;
        v->Value = Value;
        return;
    }
    GetItem(i)->Value = Value;
}

int TvrVariables::CategoryIndex(const String& Category) const {
    return IndexOf(" " + Category);
}

void TvrVariables::GetCategoriesList(TStrings& List, bool ClearFirst) const {
    if (ClearFirst) List.Clear();
    for (int i = 0; i < Count(); ++i) {
        const String& name = GetItem(i)->Name;
        if (IsCategory(name)) List.Add(name.substr(1, 255));
    }
}

void TvrVariables::GetVariablesList(const String& Category, TStrings& List) const {
    List.Clear();
    int i = 0;
    if (!Category.empty()) {
        i = CategoryIndex(Category);
        if (i < 0) return;
        ++i;
    }
    for (; i < Count(); ++i) {
        const String& name = GetItem(i)->Name;
        if (name.empty() || IsCategory(name)) break;
        List.Add(name);
    }
}

void TvrVariables::DeleteCategory(const String& Category) {
    const int i = CategoryIndex(Category);
    if (i < 0) return;
    BeginUpdate();
    Delete(i);
    while (i < Count() && !IsCategory(GetItem(i)->Name))
        Delete(i);
    EndUpdate();
}

void TvrVariables::DeleteVariable(const String& Name) {
    const int i = IndexOf(Name);
    if (i >= 0) Delete(i);
}

void TvrVariables::AddVariable(const String& Category, const String& Name, const Variant& Value) {
    int i = CategoryIndex(Category);
    if (i < 0) return;
    const int existing = IndexOf(Name);
    if (existing >= 0) {
        GetItem(existing)->Value = Value;
        return;
    }
    ++i;
    while (i < Count() && !IsCategory(GetItem(i)->Name))
        ++i;
    TvrVariable* v = Insert(i);
    v->Name = Name;
    v->Value = Value;
}

void TvrVariables::LoadFromFile(const String& FileName) {
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TvrVariables::LoadFromStream(TStream& Stream) {
    Clear();
    vrReadXMLRoot(Stream, "variables", [this](TvrXMLItem& root, bool legacy) { LoadFromXMLItem(root, legacy); });
}

void TvrVariables::SaveToFile(const String& FileName) {
    WriteFileReplacing(FileName, [this](TStream& stream) { SaveToStream(stream); });
}

void TvrVariables::SaveToStream(TStream& Stream) {
    vrWriteXMLRoot(Stream, "variables", [this](TvrXMLItem& root) { SaveToXMLItem(root); });
}

void TvrVariables::LoadFromXMLItem(TvrXMLItem& Item, bool LegacyFormat) {
    Clear();
    TvrXMLSerializer serializer;
    serializer.LegacyFormat = LegacyFormat;
    for (int i = 0; i < Item.ItemCount(); ++i) {
        TvrXMLItem* child = Item.GetItem(i);
        if (SameText(child->Name, "item")) serializer.ReadProps(child->AttrText, Add());
    }
}

void TvrVariables::SaveToXMLItem(TvrXMLItem& Item) {
    for (int i = 0; i < Count(); ++i) {
        TvrXMLItem* child = Item.Add();
        child->Name = "item";
        child->AttrText = vrItemText(*GetItem(i), nullptr);
    }
}

// --- TvrArray -------------------------------------------------------------------------------------

ORV_META_IMPL(TvrArray)
void TvrArray::DeclareMeta(meta::Class<TvrArray>&) {}

TvrArray::TvrArray() : TCollection(TvrVariable::StaticClassInfo()) {}

int TvrArray::IndexOf(const Variant& Index) const {
    const String key = VarIsNull(Index) ? String() : Index.AsString();
    for (int i = 0; i < Count(); ++i)
        if (AnsiSameText(static_cast<TvrVariable*>(Items(i))->Name, key)) return i;
    return -1;
}

Variant TvrArray::Variables(const Variant& Index) const {
    const int i = IndexOf(Index);
    return i < 0 ? Null() : static_cast<TvrVariable*>(Items(i))->Value;
}

void TvrArray::SetVariable(const Variant& Index, const Variant& Value) {
    int i = IndexOf(Index);
    TvrVariable* v;
    if (i < 0) {
        v = static_cast<TvrVariable*>(Add());
        v->Name = VarIsNull(Index) ? String() : Index.AsString();
    } else {
        v = static_cast<TvrVariable*>(Items(i));
    }
    v->Value = Value;
}

TvrVariables* vrGlobalVariables() {
    static TvrVariables variables;
    return &variables;
}
