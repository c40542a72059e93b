// The layout serializer: published properties as attributes, object trees as elements.
#include "report/vrXMLSerializer.h"

#include "classes/ClassRegistry.h"
#include "classes/Collection.h"
#include "classes/Filer.h"
#include "classes/MetaProps.h"
#include "gui/Graphic.h"
#include "gui/Picture.h"
#include "report/vrClass.h"
#include "report/vrRes.h"
#include "rtl/CodePage.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <cmath>

using meta::TPropKind;

namespace {

// A property whose stored value is a byte string that no code-page conversion may touch.
bool IsRawBytes(const meta::TPropInfo& prop) {
    return prop.TypeName == "TvrPasswordText";
}

// A list's text ends with a line break after its last line; the file keeps the lines only, so
// that what is read back is the same list.
String WithoutFinalBreak(String s) {
    if (s.size() >= 2 && s.compare(s.size() - 2, 2, "\r\n") == 0)
        s.erase(s.size() - 2);
    else if (!s.empty() && s.back() == '\n')
        s.pop_back();
    return s;
}

String ListText(TStrings* list) {
    return WithoutFinalBreak(list ? list->Text() : String());
}

String Attribute(const String& name, const String& value) {
    return " " + name + "=\"" + value + "\"";
}

// A picture's data in our own form: the extra property "Data", a block holding the graphic's
// class name (one length byte, then the characters) and then the graphic as it saves itself.
void WritePictureData(TPicture& picture, TWriter& w) {
    TGraphic* graphic = picture.Graphic();
    if (!graphic || graphic->Empty()) return;
    TMemoryStream data;
    picture.SaveToStream(data);
    const String className = graphic->ClassName().substr(0, 255);
    String block(1, static_cast<char>(className.size()));
    block += className;
    block.append(reinterpret_cast<const char*>(data.Memory()), static_cast<size_t>(data.Size()));
    w.WriteStr("Data");
    w.WriteBinary(block);
}

void ReadPictureData(TPicture& picture, TReader& r) {
    if (!SameText(r.ReadStr(), "Data")) throw EReadError("Invalid picture data");
    const String block = r.ReadBinary();
    const size_t nameLength = block.empty() ? 0 : static_cast<Byte>(block[0]);
    if (block.size() < 1 + nameLength) throw EReadError("Invalid picture data");
    TMemoryStream data;
    data.WriteBuffer(block.data() + 1 + nameLength, static_cast<Int64>(block.size() - 1 - nameLength));
    data.SetPosition(0);
    picture.LoadFromStream(data);
}

String PropDataBytes(TPersistent* obj, TComponent* root) {
    TMemoryStream m;
    TWriter w(m);
    w.Root = root;
    if (auto* picture = dynamic_cast<TPicture*>(obj))
        WritePictureData(*picture, w);
    else
        w.WriteProperties(*obj);
    return m.Size() > 0 ? StreamToHex(m) : String();
}

struct TWritingFlag {
    TvrComponent* Obj;
    bool Old;
    explicit TWritingFlag(TPersistent* o) : Obj(dynamic_cast<TvrComponent*>(o)), Old(Obj && Obj->InWriting) {
        if (Obj) Obj->InWriting = true;
    }
    ~TWritingFlag() {
        if (Obj) Obj->InWriting = Old;
    }
};

} // namespace

TvrXMLSerializer::TvrXMLSerializer(TStream* Stream) : FStream(Stream) {
    FErrorList.SetSorted(true);
    FErrorList.SetDuplicates(TDuplicates::dupIgnore);
}

TvrXMLSerializer::~TvrXMLSerializer() = default;

String TvrXMLSerializer::DecodeText(const String& Unescaped) const {
    return LegacyFormat ? Utf8FromAnsi(Unescaped) : Unescaped;
}

// --- writing --------------------------------------------------------------------------------------

String TvrXMLSerializer::ValueText(TPersistent* Obj, const meta::TPropInfo& Prop, const String& Prefix,
                                   TPersistent* Ancestor) {
    const String name = Prefix + Prop.Name;
    switch (Prop.Kind) {
    case TPropKind::Integer:
    case TPropKind::Char:
    case TPropKind::Set:
    case TPropKind::Enumeration:
    case TPropKind::Boolean: {
        const Int64 v = GetOrdProp(Obj, Prop);
        const bool write = WriteDefaults || (Ancestor ? v != GetOrdProp(Ancestor, Prop)
                                                      : (!Prop.HasDefault || v != Prop.Default));
        if (!write) return String();
        const bool named = Prop.Kind == TPropKind::Enumeration || Prop.Kind == TPropKind::Boolean;
        return Attribute(name, named ? Prop.EnumInfo->NameOf(v) : IntToStr(v));
    }
    case TPropKind::Float: {
        const Extended v = GetFloatProp(Obj, Prop);
        const bool write = WriteDefaults || !Ancestor ||
                           std::fabs(static_cast<double>(v - GetFloatProp(Ancestor, Prop))) >= 0.000001;
        return write ? Attribute(name, FloatToStr(v)) : String();
    }
    case TPropKind::String:
    case TPropKind::WideString: {
        const String v = GetStrProp(Obj, Prop);
        const bool write = WriteDefaults || (Ancestor ? v != GetStrProp(Ancestor, Prop) : !v.empty());
        return write && !v.empty() ? Attribute(name, EscapeXMLText(v)) : String();
    }
    case TPropKind::Variant: {
        const Variant v = GetVariantProp(Obj, Prop);
        const String text = VariantToXMLText(v);
        const bool write = WriteDefaults || !Ancestor || text != VariantToXMLText(GetVariantProp(Ancestor, Prop));
        return write && !text.empty() ? Attribute(name, text) : String();
    }
    case TPropKind::Component: {
        auto* ref = dynamic_cast<TComponent*>(GetObjectProp(Obj, Prop));
        String text;
        if (!Ancestor) {
            if (ref) text = ComponentPathName(OwnerReport, ref);
        } else {
            auto* anc = dynamic_cast<TComponent*>(GetObjectProp(Ancestor, Prop));
            if ((ref && anc && SameText(ref->Name(), anc->Name())) || (!ref && !anc))
                text.clear();
            else if (!ref)
                text = "nil";
            else
                text = ComponentPathName(OwnerReport, ref);
        }
        return text.empty() ? String() : Attribute(name, text);
    }
    case TPropKind::Strings: {
        auto* list = dynamic_cast<TStrings*>(GetObjectProp(Obj, Prop));
        const String text = ListText(list);
        if (Ancestor && !WriteDefaults &&
            text == ListText(dynamic_cast<TStrings*>(GetObjectProp(Ancestor, Prop))))
            return String();
        return Attribute(name + ".Text", EscapeXMLText(text));
    }
    case TPropKind::Object: {
        auto* sub = dynamic_cast<TPersistent*>(GetObjectProp(Obj, Prop));
        auto* subAncestor = Ancestor ? dynamic_cast<TPersistent*>(GetObjectProp(Ancestor, Prop)) : nullptr;
        return sub ? WritePropsText(sub, name + ".", subAncestor) : String();
    }
    default:
        return String();
    }
}

String TvrXMLSerializer::WritePropsText(TPersistent* Obj, const String& Prefix, TPersistent* Ancestor) {
    if (!Obj) return String();
    TWritingFlag writing(Obj);
    TWritingFlag ancestorWriting(Ancestor);
    auto* comp = dynamic_cast<TvrComponent*>(Obj);
    if (!Ancestor && AncestorLookup && comp && Prefix.empty()) Ancestor = AncestorLookup(comp->Name());
    if (Ancestor && &meta::ClassInfoOf(*Ancestor) != &meta::ClassInfoOf(*Obj)) Ancestor = nullptr;
    String s;
    for (const meta::TPropInfo* prop : GetPropList(Obj)) {
        if (!IsStoredProp(Obj, *prop)) continue;
        s += ValueText(Obj, *prop, Prefix, Ancestor);
    }
    String text;
    if (comp && comp->GetLayoutText(text)) {
        text = WithoutFinalBreak(text);
        String ancestorText;
        auto* ancComp = dynamic_cast<TvrComponent*>(Ancestor);
        if (!(ancComp && ancComp->GetLayoutText(ancestorText) && WithoutFinalBreak(ancestorText) == text))
            s += Attribute(Prefix + "Text", EscapeXMLText(text));
    }
    const String data = PropDataBytes(Obj, OwnerReport);
    if (!data.empty() && !(Ancestor && PropDataBytes(Ancestor, OwnerReport) == data))
        s += Attribute(Prefix + "PropData", data);
    return s;
}

void TvrXMLSerializer::WriteItem(TvrComponent* Obj, bool SaveChildren, bool KeepClassNames, TvrXMLItem& Item,
                                 bool IsRoot) {
    Item.Name = Obj->IsInherited() && !KeepClassNames ? String("inherited") : Obj->ClassName();
    const String props = WritePropsText(Obj, String(), nullptr);
    Item.AttrText = IsRoot ? props : Attribute("Name", Obj->Name()) + props;
    if (!SaveChildren) return;
    for (TvrComponent* child : Obj->Children())
        WriteItem(child, true, KeepClassNames, *Item.Add(), false);
}

void TvrXMLSerializer::WriteComponentTree(TvrComponent* Obj, bool SaveChildren, bool KeepClassNames,
                                          TvrXMLItem* Item) {
    if (!OwnerReport) OwnerReport = Obj;
    if (Item) {
        WriteItem(Obj, SaveChildren, KeepClassNames, *Item, true);
        return;
    }
    TvrXMLDocument doc;
    doc.IndentOutput = true;
    doc.DeclareUtf8Texts = true;
    WriteItem(Obj, SaveChildren, KeepClassNames, *doc.Root(), true);
    if (FStream) doc.SaveToStream(*FStream);
}

String TvrXMLSerializer::WriteObjectText(TvrComponent* Obj) {
    return Obj->ClassName() + WritePropsText(Obj, String(), nullptr);
}

// --- reading --------------------------------------------------------------------------------------

void TvrXMLSerializer::ReadPropData(TPersistent* Obj, const String& Hex) {
    TMemoryStream m;
    HexToStream(Hex, m);
    m.SetPosition(0);
    TReader reader(m);
    reader.Root = OwnerReport;
    try {
        if (auto* picture = dynamic_cast<TPicture*>(Obj))
            ReadPictureData(*picture, reader);
        else
            reader.ReadProperties(*Obj);
    } catch (const Exception& e) {
        // A damaged value ends this attribute, and the loss is reported.
        FErrorList.Add(e.Message());
    }
}

void TvrXMLSerializer::SetProp(TPersistent* Obj, const String& Name, const String& RawValue) {
    TObject* cur = Obj;
    String name = Name;
    for (size_t dot = name.find('.'); dot != String::npos; dot = name.find('.')) {
        const meta::TPropInfo* p = GetPropInfo(cur, name.substr(0, dot));
        if (!p || !(p->Kind == TPropKind::Object || p->Kind == TPropKind::Strings)) break;
        TObject* sub = GetObjectProp(cur, *p);
        if (!sub) return;
        cur = sub;
        name.erase(0, dot + 1);
    }
    auto* comp = dynamic_cast<TvrComponent*>(cur);
    if (name.size() == 1 && comp) {
        switch (name[0]) {
        case 'h':
            comp->SetHeight(StrToFloatLoose(RawValue));
            return;
        case 'l':
            comp->SetLeft(StrToFloatLoose(RawValue));
            return;
        case 't':
            comp->SetTop(StrToFloatLoose(RawValue));
            return;
        case 'w':
            comp->SetWidth(StrToFloatLoose(RawValue));
            return;
        case 'u':
            comp->SetLayoutText(UnescapeXMLText(RawValue));
            return;
        case 'x':
            comp->SetLayoutText(Utf8FromAnsi(UnescapeXMLText(RawValue)));
            return;
        default:
            break;
        }
    }
    if (name == "Text") {
        if (auto* list = dynamic_cast<TStrings*>(cur)) {
            list->SetText(DecodeText(UnescapeXMLText(RawValue)));
            return;
        }
        if (comp && comp->SetLayoutText(UnescapeXMLText(RawValue))) return;
    }
    if (name == "PropData") {
        if (auto* persistent = dynamic_cast<TPersistent*>(cur)) ReadPropData(persistent, RawValue);
        return;
    }
    if (name == "Name" && dynamic_cast<TvrReport*>(cur)) return;
    const meta::TPropInfo* prop = GetPropInfo(cur, name);
    if (!prop || !prop->IsWritable()) return;
    switch (prop->Kind) {
    case TPropKind::Integer:
    case TPropKind::Char:
    case TPropKind::Set:
        SetOrdProp(cur, *prop, StrToInt64(Trim(RawValue)));
        return;
    case TPropKind::Enumeration:
    case TPropKind::Boolean: {
        Int64 v = 0;
        if (!TryStrToInt64(RawValue, v)) {
            const auto named = prop->EnumInfo->ValueOf(RawValue);
            if (!named) throw EPropertyConvertError("Invalid property value");
            v = *named;
        }
        SetOrdProp(cur, *prop, v);
        return;
    }
    case TPropKind::Float:
        SetFloatProp(cur, *prop, StrToFloatLoose(RawValue));
        return;
    case TPropKind::String:
        SetStrProp(cur, *prop, IsRawBytes(*prop) ? UnescapeXMLText(RawValue) : DecodeText(UnescapeXMLText(RawValue)));
        return;
    case TPropKind::WideString:
        SetWideStrProp(cur, *prop, Utf8ToWide(DecodeText(UnescapeXMLText(RawValue))));
        return;
    case TPropKind::Component:
        FFixups.push_back(TvrFixupItem{cur, prop, RawValue});
        return;
    case TPropKind::Variant:
        SetVariantProp(cur, *prop, Variant(DecodeText(UnescapeXMLText(RawValue))));
        return;
    default:
        return;
    }
}

void TvrXMLSerializer::ReadProps(const String& Text, TPersistent* Obj) {
    size_t i = 0;
    const size_t n = Text.size();
    while (true) {
        while (i < n && Text[i] == ' ')
            ++i;
        const size_t eq = Text.find('=', i);
        if (eq == String::npos) break;
        const String name = Trim(Text.substr(i, eq - i));
        if (name.empty()) break;
        const size_t q1 = Text.find('"', eq + 1);
        if (q1 == String::npos) break;
        size_t q2 = Text.find('"', q1 + 1);
        if (q2 == String::npos) q2 = n;
        const String value = Text.substr(q1 + 1, q2 - q1 - 1);
        i = q2 + 1;
        try {
            SetProp(Obj, name, value);
        } catch (const Exception& e) {
            FErrorList.Add(e.Message());
        }
        if (i >= n) break;
    }
}

void TvrXMLSerializer::IndexOwnedComponents() {
    FOwnedByName.clear();
    if (!OwnerReport) return;
    for (int i = 0; i < OwnerReport->ComponentCount(); ++i) {
        TComponent* c = OwnerReport->Components(i);
        if (!c->Name().empty()) FOwnedByName[UpperCase(c->Name())] = c;
    }
}

void TvrXMLSerializer::ReadItem(TvrComponent* Obj, TvrXMLItem& Item) {
    Obj->InLoading = true;
    FReadObjects.push_back(Obj);
    ReadProps(Item.AttrText, Obj);
    // Reading the report's attributes may have loaded its parent layout (ParentReport).
    if (Obj == OwnerReport) IndexOwnedComponents();
    for (int i = 0; i < Item.ItemCount(); ++i) {
        TvrXMLItem& element = *Item.GetItem(i);
        const bool inherited = SameText(element.Name, "inherited");
        const meta::TClassInfo* cls = nullptr;
        if (!inherited) {
            cls = GetClass(element.Name);
            if (!cls) {
                FErrorList.Add(GetResources().GetString("xrCantFindClass") + " " + element.Name);
                continue;
            }
        }
        const String name = element.GetProp("Name");
        TvrComponent* child = nullptr;
        if (!name.empty()) {
            if (auto* report = dynamic_cast<TvrReport*>(OwnerReport)) {
                child = dynamic_cast<TvrComponent*>(report->FindOwnedComponent(name));
            } else {
                auto it = FOwnedByName.find(UpperCase(name));
                if (it != FOwnedByName.end() && it->second->Owner() == OwnerReport &&
                    SameText(it->second->Name(), name))
                    child = dynamic_cast<TvrComponent*>(it->second);
            }
        }
        if (!child) {
            if (inherited) continue;
            if (!cls->IsComponentClass() || !cls->InheritsFrom(TvrComponent::StaticClassInfo())) {
                FErrorList.Add(GetResources().GetString("xrCantFindClass") + " " + element.Name);
                continue;
            }
            child = static_cast<TvrComponent*>(cls->CreateComponent(Obj));
        }
        ReadItem(child, element);
        if (!child->Name().empty() && child->Owner() == OwnerReport) FOwnedByName[UpperCase(child->Name())] = child;
    }
}

void TvrXMLSerializer::ReadComponentTree(TvrComponent* Root, TvrXMLItem* Item) {
    if (!OwnerReport) OwnerReport = Root;
    std::unique_ptr<TvrXMLDocument> doc;
    if (!Item) {
        doc = std::make_unique<TvrXMLDocument>();
        doc->LoadFromStream(*FStream);
        LegacyFormat = doc->LegacyFormat;
        Item = doc->Root();
    }
    IndexOwnedComponents();
    if (!SameText(Item->Name, "inherited") && !GetClass(Item->Name))
        FErrorList.Add(GetResources().GetString("xrCantFindClass") + " " + Item->Name);
    else
        ReadItem(Root, *Item);
    ResolveReferences();
    for (TvrComponent* o : FReadObjects) {
        o->InLoading = false;
        if (!dynamic_cast<TvrReport*>(o)) o->Loaded();
    }
    FReadObjects.clear();
    FOwnedByName.clear();
}

void TvrXMLSerializer::ResolveReferences() {
    std::vector<TvrFixupItem> fixups;
    fixups.swap(FFixups);
    for (const TvrFixupItem& f : fixups) {
        TComponent* found = nullptr;
        if (!SameText(f.Reference, "nil")) {
            if (auto* root = dynamic_cast<TvrComponent*>(OwnerReport)) found = root->FindObject(f.Reference);
            if (!found) found = FindComponentByPath(OwnerReport, f.Reference);
        }
        // A reference that names nothing leaves the property as it is.
        if (!found && !SameText(f.Reference, "nil")) continue;
        try {
            SetObjectProp(f.Instance, *f.Prop, found);
        } catch (const Exception& e) {
            FErrorList.Add(e.Message());
        }
    }
}

void TvrXMLSerializer::CopyPendingReferences(std::vector<TvrFixupItem>& List) const {
    List.insert(List.end(), FFixups.begin(), FFixups.end());
}

TvrComponent* TvrXMLSerializer::ReadObjectText(TComponent* Owner, const String& Text) {
    const String text = Trim(Text);
    if (text.empty()) return nullptr;
    const size_t blank = text.find(' ');
    const String className = text.substr(0, blank);
    const meta::TClassInfo& cls = FindClass(className);
    auto* obj = dynamic_cast<TvrComponent*>(cls.CreateComponent(Owner));
    if (!obj) throw EClassNotFound("Class " + className + " not found");
    obj->InLoading = true;
    ReadProps(blank == String::npos ? String() : text.substr(blank + 1), obj);
    TComponent* oldOwner = OwnerReport;
    if (!OwnerReport) OwnerReport = Owner;
    ResolveReferences();
    OwnerReport = oldOwner;
    obj->InLoading = false;
    if (!dynamic_cast<TvrReport*>(obj)) obj->Loaded();
    return obj;
}

void TvrXMLSerializer::ReadItemText(TComponent* Owner, TCollectionItem* Item, const String& Text) {
    TComponent* oldOwner = OwnerReport;
    if (!OwnerReport) OwnerReport = Owner;
    ReadProps(Text, Item);
    ResolveReferences();
    OwnerReport = oldOwner;
}

String vrItemText(TCollectionItem& Item, TComponent* OwnerReport) {
    TvrXMLSerializer serializer;
    serializer.OwnerReport = OwnerReport;
    return serializer.WritePropsText(&Item, String(), nullptr);
}

void vrReadXMLRoot(TStream& Stream, const String& RootName,
                   const std::function<void(TvrXMLItem& Root, bool LegacyFormat)>& Read) {
    TvrXMLDocument doc;
    doc.LoadFromStream(Stream);
    if (SameText(doc.Root()->Name, RootName)) Read(*doc.Root(), doc.LegacyFormat);
}

void vrWriteXMLRoot(TStream& Stream, const String& RootName, const std::function<void(TvrXMLItem& Root)>& Write) {
    TvrXMLDocument doc;
    doc.IndentOutput = true;
    doc.DeclareUtf8Texts = true;
    doc.Root()->Name = RootName;
    Write(*doc.Root());
    doc.SaveToStream(Stream);
}
