// Named styles, style files (root "style") and style sheets (root "stylesheet").
#include "classes/MetaBuilder.h"
#include "classes/MetaProps.h"
#include "report/vrClass.h"
#include "report/vrClassView.h"
#include "report/vrXMLSerializer.h"
#include "rtl/CodePage.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

ORV_META_IMPL(TvrStyleItem)
void TvrStyleItem::DeclareMeta(meta::Class<TvrStyleItem>& c) {
    c.Property("Name", &TvrStyleItem::Name, &TvrStyleItem::SetName);
    c.Property("Color", &TvrStyleItem::Color, &TvrStyleItem::Color).TypeName("TColor");
    c.Property("Font", &TvrStyleItem::Font, &TvrStyleItem::SetFont);
    c.Property("Frame", &TvrStyleItem::Frame, &TvrStyleItem::SetFrame);
}

TvrStyleItem::TvrStyleItem(TCollection* Collection)
    : TCollectionItem(Collection), FFont(std::make_unique<TFont>()), FFrame(std::make_unique<TvrFrame>()) {
    FFont->SetName("Arial");
    FFont->SetSize(10);
    FFont->SetCharset(DEFAULT_CHARSET);
}

TvrStyleItem::~TvrStyleItem() = default;

void TvrStyleItem::Assign(const TPersistent* Source) {
    auto* s = dynamic_cast<const TvrStyleItem*>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    FName = s->FName;
    Color = s->Color;
    FFont->Assign(*s->FFont);
    FFrame->Assign(s->FFrame.get());
}

void TvrStyleItem::SetName(const String& Value) {
    if (TCollection* c = Collection())
        for (int i = 0; i < c->Count(); ++i) {
            auto* other = static_cast<TvrStyleItem*>(c->Items(i));
            if (other != this && AnsiSameText(other->FName, Value)) throw Exception("Duplicate name");
        }
    FName = Value;
}

void TvrStyleItem::CreateUniqueName() {
    TCollection* c = Collection();
    for (int n = 1;; ++n) {
        const String candidate = "Style" + IntToStr(n);
        bool used = false;
        for (int i = 0; c && i < c->Count() && !used; ++i)
            used = AnsiSameText(static_cast<TvrStyleItem*>(c->Items(i))->FName, candidate);
        if (!used) {
            FName = candidate;
            return;
        }
    }
}

void TvrStyleItem::SetFont(TFont* Value) {
    if (Value) FFont->Assign(*Value);
}

void TvrStyleItem::SetFrame(TvrFrame* Value) {
    if (Value) FFrame->Assign(Value);
}

// --- TvrStyles ------------------------------------------------------------------------------------

ORV_META_IMPL(TvrStyles)
void TvrStyles::DeclareMeta(meta::Class<TvrStyles>&) {}

TvrStyles::TvrStyles(TvrReport* Report) : TCollection(TvrStyleItem::StaticClassInfo()), FReport(Report) {}

TvrStyleItem* TvrStyles::Find(const String& AName) const {
    for (int i = 0; i < Count(); ++i)
        if (AnsiSameText(Items(i)->Name(), AName)) return Items(i);
    return nullptr;
}

void TvrStyles::GetList(TStrings& List) const {
    List.Clear();
    for (int i = 0; i < Count(); ++i)
        List.Add(Items(i)->Name());
}

void TvrStyles::Apply() {
    if (!FReport) return;
    for (TvrComponent* obj : FReport->AllObjects()) {
        const meta::TPropInfo* style = GetPropInfo(obj, "Style");
        if (!style || style->Kind != meta::TPropKind::String || !style->IsWritable()) continue;
        const String name = GetStrProp(obj, *style);
        SetStrProp(obj, *style, Find(name) ? name : String());
    }
}

void TvrStyles::LoadFromFile(const String& FileName) {
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TvrStyles::LoadFromStream(TStream& Stream) {
    Clear();
    vrReadXMLRoot(Stream, "style", [this](TvrXMLItem& root, bool legacy) { LoadFromXMLItem(root, legacy); });
}

void TvrStyles::SaveToFile(const String& FileName) {
    WriteFileReplacing(FileName, [this](TStream& stream) { SaveToStream(stream); });
}

void TvrStyles::SaveToStream(TStream& Stream) {
    vrWriteXMLRoot(Stream, "style", [this](TvrXMLItem& root) { SaveToXMLItem(root); });
}

void TvrStyles::LoadFromXMLItem(TvrXMLItem& Item, bool LegacyFormat) {
    Clear();
    TvrXMLSerializer serializer;
    serializer.LegacyFormat = LegacyFormat;
    Name = Item.GetProp("Name");
    if (LegacyFormat) Name = Utf8FromAnsi(Name);
    for (int i = 0; i < Item.ItemCount(); ++i) {
        TvrXMLItem* child = Item.GetItem(i);
        if (!SameText(child->Name, "item")) continue;
        serializer.ReadProps(child->AttrText, Add());
    }
    Apply();
}

void TvrStyles::SaveToXMLItem(TvrXMLItem& Item) {
    Item.Name = "style";
    Item.SetProp("Name", Name);
    for (int i = 0; i < Count(); ++i) {
        TvrXMLItem* child = Item.Add();
        child->Name = "item";
        child->AttrText = vrItemText(*Items(i), FReport);
    }
}

// --- TvrStyleSheet ------------------------------------------------------------------------------

void TvrStyleSheet::Delete(int Index) {
    if (Index < 0 || Index >= Count()) ListIndexError(Index);
    FItems.erase(FItems.begin() + Index);
}

TvrStyles* TvrStyleSheet::Add() {
    FItems.push_back(std::make_unique<TvrStyles>(nullptr));
    return FItems.back().get();
}

TvrStyles* TvrStyleSheet::Items(int Index) const {
    if (Index < 0 || Index >= Count()) ListIndexError(Index);
    return FItems[static_cast<size_t>(Index)].get();
}

TvrStyles* TvrStyleSheet::Find(const String& AName) const {
    for (const auto& s : FItems)
        if (AnsiSameText(s->Name, AName)) return s.get();
    return nullptr;
}

void TvrStyleSheet::GetList(TStrings& List) const {
    List.Clear();
    for (const auto& s : FItems)
        List.Add(s->Name);
}

void TvrStyleSheet::LoadFromFile(const String& FileName) {
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TvrStyleSheet::LoadFromStream(TStream& Stream) {
    Clear();
    vrReadXMLRoot(Stream, "stylesheet", [this](TvrXMLItem& root, bool legacy) {
        for (int i = 0; i < root.ItemCount(); ++i) {
            TvrXMLItem* child = root.GetItem(i);
            if (SameText(child->Name, "style")) Add()->LoadFromXMLItem(*child, legacy);
        }
    });
}
