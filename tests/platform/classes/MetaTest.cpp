#include "TestClasses.h"

#include "classes/MetaBuilder.h"
#include "classes/MetaProps.h"
#include "classes/ObjectHandles.h"

#include <gtest/gtest.h>

using meta::TPropInfo;
using meta::TPropKind;

namespace {

std::vector<String> Names(const TPropList& list) {
    std::vector<String> names;
    for (const TPropInfo* p : list)
        names.push_back(p->Name);
    return names;
}

// A "Path = value" dump of every stored property that is not at its default; events are not
// written, sub-objects are written through their own properties, references by name, string
// lists as comma text.
void Dump(const TObject* obj, const String& prefix, std::vector<String>& out) {
    for (const TPropInfo* p : GetPropList(obj)) {
        if (!p->IsWritable() || !IsStoredProp(obj, *p) || IsDefaultPropValue(obj, *p)) continue;
        const String name = prefix + p->Name;
        switch (p->Kind) {
        case TPropKind::Method:
            break;
        case TPropKind::Object:
            Dump(GetObjectProp(obj, *p), name + ".", out);
            break;
        case TPropKind::Component:
            out.push_back(name + " = " + static_cast<TComponent*>(GetObjectProp(obj, *p))->Name());
            break;
        case TPropKind::Strings:
            out.push_back(name + " = " + static_cast<TStrings*>(GetObjectProp(obj, *p))->CommaText());
            break;
        case TPropKind::Char:
            out.push_back(name + " = " + String(1, static_cast<char>(GetOrdProp(obj, *p))));
            break;
        default:
            out.push_back(name + " = " + VarToStr(GetPropValue(obj, *p)));
        }
    }
}

// Reads a dump back; references are looked up among the root's components.
void Restore(TComponent* root, TObject* obj, const std::vector<String>& lines) {
    for (const String& line : lines) {
        size_t eq = line.find(" = ");
        ASSERT_NE(eq, String::npos) << line;
        String name = line.substr(0, eq), value = line.substr(eq + 3);
        TObject* holder = nullptr;
        const TPropInfo* prop = FindPropPath(obj, name, holder);
        ASSERT_NE(prop, nullptr) << name;
        if (prop->Kind == TPropKind::Component)
            SetObjectProp(holder, *prop, root->FindComponent(value));
        else if (prop->Kind == TPropKind::Strings)
            static_cast<TStrings*>(GetObjectProp(holder, *prop))->SetCommaText(value);
        else
            SetPropValue(holder, *prop, Variant(value));
    }
}

} // namespace

TEST(Meta, PropertiesInDeclarationOrderBaseFirst) {
    EXPECT_EQ(Names(GetPropList(TTestFont::StaticClassInfo())),
              (std::vector<String>{"Name", "Size", "Style"}));
    std::vector<String> thing{"Name",    "Tag",         "Left",  "Small",    "Letter",  "Align",
                              "Styles",  "Ratio",       "When",  "Amount",   "Caption", "WideCaption",
                              "Enabled", "Font",        "Link",  "Lines",    "Value",   "Big",
                              "Hidden",  "Conditional", "Count", "OnChange", "OnKey"};
    EXPECT_EQ(Names(GetPropList(TTestThing::StaticClassInfo())), thing);
    // A redeclared property keeps its place; new ones follow the base's.
    thing.push_back("Extra");
    EXPECT_EQ(Names(GetPropList(TTestDerived::StaticClassInfo())), thing);
    EXPECT_EQ(TTestDerived::StaticClassInfo().Parent(), &TTestThing::StaticClassInfo());
    EXPECT_EQ(TTestThing::StaticClassInfo().Parent()->Name(), "TComponent");
    EXPECT_EQ(meta::TObjectClassInfo().Parent(), nullptr);
}

TEST(Meta, KindsAndTypeNames) {
    struct Case {
        const char* name;
        TPropKind kind;
        const char* typeName;
    } cases[] = {
        {"Tag", TPropKind::Integer, "Integer"},
        {"Small", TPropKind::Integer, "Byte"},
        {"Letter", TPropKind::Char, "Char"},
        {"Align", TPropKind::Enumeration, "TTestAlign"},
        {"Styles", TPropKind::Set, "TTestStyles"},
        {"Ratio", TPropKind::Float, "Double"},
        {"When", TPropKind::Float, "TDateTime"},
        {"Amount", TPropKind::Float, "Currency"},
        {"Caption", TPropKind::String, "String"},
        {"WideCaption", TPropKind::WideString, "WideString"},
        {"Enabled", TPropKind::Boolean, "Boolean"},
        {"Font", TPropKind::Object, "TTestFont"},
        {"Link", TPropKind::Component, "TComponent"},
        {"Lines", TPropKind::Strings, "TStrings"},
        {"Value", TPropKind::Variant, "Variant"},
        {"Big", TPropKind::Int64, "Int64"},
        {"OnChange", TPropKind::Method, "TNotifyEvent"},
        {"OnKey", TPropKind::Method, "TTestKeyEvent"},
    };
    TTestThing thing(nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TPropInfo* p = GetPropInfo(&thing, c.name);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->Kind, c.kind);
        EXPECT_EQ(p->TypeName, c.typeName);
    }
    EXPECT_EQ(GetPropInfo(&thing, "Font")->PropClass(), &TTestFont::StaticClassInfo());
    EXPECT_EQ(GetPropInfo(&thing, "Align")->EnumInfo->NameOf(taClient), "taClient");
    EXPECT_EQ(GetPropInfo(&thing, "Styles")->EnumInfo->NameOf(1), "tsItalic"); // qualification dropped
    EXPECT_EQ(GetPropInfo(&thing, "Enabled")->EnumInfo->NameOf(1), "True");
    EXPECT_EQ(GetPropInfo(&thing, "enabled"), GetPropInfo(&thing, "ENABLED")); // case ignored
    EXPECT_EQ(GetPropInfo(&thing, "Missing"), nullptr);
    EXPECT_FALSE(GetPropInfo(&thing, "Count")->IsWritable());
}

TEST(Meta, EveryKindSurvivesADumpAndRestore) {
    TComponent form(nullptr);
    auto* target = new TComponent(&form);
    target->SetName("dsHouses");
    auto* source = new TTestThing(&form);
    source->SetName("Source");
    source->SetTag(-12);
    source->Left = 300;
    source->Small = 200;
    source->Letter = 'Z';
    source->Align = taClient;
    source->Styles = {TTestStyle::tsBold, TTestStyle::tsStrikeOut};
    source->Ratio = 0.375;
    source->When = 45000.5; // 2023-03-15 12:00
    source->Amount = Currency::FromRaw(12345678);
    source->Caption = "房号 A-1";
    source->WideCaption = u"楼栋 \u00e9";
    source->Enabled = false;
    source->Value = Variant(String("hello"));
    source->Big = 9000000000LL;
    source->Hidden = 5;
    source->Conditional = 9; // not stored: Enabled is False
    source->Font()->FaceName = "宋体";
    source->Font()->Size = 9;
    source->Font()->Style = {TTestStyle::tsItalic};
    source->SetLink(target);
    source->Lines()->SetCommaText("one,\"two three\"");

    std::vector<String> lines;
    Dump(source, "", lines);
    EXPECT_EQ(lines,
              (std::vector<String>{"Tag = -12", "Left = 300", "Small = 200", "Letter = Z", "Align = taClient",
                                   "Styles = [tsBold,tsStrikeOut]", "Ratio = 0.375",
                                   "When = 2023-03-15 12:00:00", "Amount = 1234.5678", "Caption = 房号 A-1",
                                   "WideCaption = 楼栋 \u00e9", "Enabled = False", "Font.Name = 宋体",
                                   "Font.Size = 9", "Font.Style = [tsItalic]", "Link = dsHouses",
                                   "Lines = one,\"two three\"", "Value = hello", "Big = 9000000000"}));

    auto* copy = new TTestThing(&form);
    Restore(&form, copy, lines);
    EXPECT_EQ(copy->Tag(), -12);
    EXPECT_EQ(copy->Left, 300);
    EXPECT_EQ(copy->Small, 200);
    EXPECT_EQ(copy->Letter, 'Z');
    EXPECT_EQ(copy->Align, taClient);
    EXPECT_EQ(copy->Styles, source->Styles);
    EXPECT_EQ(copy->Ratio, 0.375);
    EXPECT_EQ(copy->When, 45000.5);
    EXPECT_EQ(copy->Amount, source->Amount);
    EXPECT_EQ(copy->Caption, source->Caption);
    EXPECT_EQ(copy->WideCaption, source->WideCaption);
    EXPECT_FALSE(copy->Enabled);
    EXPECT_EQ(VarType(copy->Value), varString);
    EXPECT_EQ(copy->Value.AsString(), "hello");
    EXPECT_EQ(copy->Big, 9000000000LL);
    EXPECT_EQ(copy->Hidden, 0);
    EXPECT_EQ(copy->Conditional, 0);
    EXPECT_EQ(copy->Font()->FaceName, "宋体");
    EXPECT_EQ(copy->Font()->Size, 9);
    EXPECT_EQ(copy->Font()->Style, source->Font()->Style);
    EXPECT_EQ(copy->Link(), target);
    EXPECT_TRUE(copy->Lines()->Equals(*source->Lines()));

    // The copy dumps the same, and the default-valued object dumps nothing.
    std::vector<String> again;
    Dump(copy, "", again);
    EXPECT_EQ(again, lines);
    // A fresh object writes only what has no default.
    TTestThing fresh(nullptr);
    std::vector<String> freshLines;
    Dump(&fresh, "", freshLines);
    EXPECT_EQ(freshLines, (std::vector<String>{"Small = 0", "Font.Name = Arial"}));
}

TEST(Meta, StoredAndDefaultRules) {
    TTestThing t(nullptr);
    auto isDefault = [&](const char* name) { return IsDefaultPropValue(&t, *GetPropInfo(&t, name)); };
    // Ordinal properties compare with their declared default; one without a default never is.
    EXPECT_TRUE(isDefault("Left"));
    EXPECT_TRUE(isDefault("Letter"));
    EXPECT_TRUE(isDefault("Enabled"));
    EXPECT_TRUE(isDefault("Styles"));
    EXPECT_FALSE(isDefault("Small"));
    t.Enabled = false;
    EXPECT_FALSE(isDefault("Enabled"));
    // Other kinds are at their default when empty, zero or unassigned.
    for (const char* name : {"Ratio", "Caption", "WideCaption", "Value", "Big", "Link", "Lines", "OnChange"})
        EXPECT_TRUE(isDefault(name)) << name;
    // A sub-object is at its default when all its stored properties are.
    EXPECT_FALSE(isDefault("Font")); // Name "Arial" is no empty string
    t.Font()->FaceName.clear();
    EXPECT_TRUE(isDefault("Font"));
    t.Value = Variant(0);
    t.Lines()->Add("x");
    t.Font()->Size = 11;
    t.OnChange = [](TObject*) {};
    for (const char* name : {"Value", "Lines", "Font", "OnChange"})
        EXPECT_FALSE(isDefault(name)) << name;

    EXPECT_FALSE(IsStoredProp(&t, "Hidden"));
    EXPECT_FALSE(IsStoredProp(&t, "Name")); // written by streams on its own
    EXPECT_FALSE(IsStoredProp(&t, "Conditional"));
    t.Enabled = true;
    EXPECT_TRUE(IsStoredProp(&t, "Conditional"));

    // A redeclared default: 5 is the default of TTestDerived's Left, 0 is not.
    TTestDerived d(nullptr);
    const TPropInfo* left = GetPropInfo(&d, "Left");
    EXPECT_TRUE(IsDefaultPropValue(&d, *left));
    d.Left = 0;
    EXPECT_FALSE(IsDefaultPropValue(&d, *left));
    EXPECT_TRUE(GetPropInfo(&t, "Left")->HasDefault);
    EXPECT_EQ(GetPropInfo(&t, "Left")->Default, 0);
}

TEST(Meta, EnumerationsAndSetsByName) {
    TTestThing t(nullptr);
    SetPropValue(&t, "Align", Variant("TACLIENT"));
    EXPECT_EQ(t.Align, taClient);
    EXPECT_EQ(GetPropValue(&t, "Align").AsString(), "taClient");
    EXPECT_EQ(GetPropValue(&t, "Align", false).AsInteger(), 3);
    SetEnumProp(&t, "Align", "taTop");
    EXPECT_EQ(GetEnumProp(&t, "Align"), "taTop");
    SetPropValue(&t, "Align", Variant(2));
    EXPECT_EQ(t.Align, taBottom);

    SetPropValue(&t, "Styles", Variant(" [ tsItalic , TSBOLD ] "));
    EXPECT_EQ(t.Styles, (TTestStyles{TTestStyle::tsBold, TTestStyle::tsItalic}));
    EXPECT_EQ(GetPropValue(&t, "Styles").AsString(), "[tsBold,tsItalic]");
    EXPECT_EQ(GetSetProp(&t, "Styles", false), "tsBold,tsItalic");
    EXPECT_EQ(GetOrdProp(&t, "Styles"), 3);
    SetSetProp(&t, "Styles", "[]");
    EXPECT_TRUE(t.Styles.Empty());
    SetPropValue(&t, "Styles", Variant(8));
    EXPECT_EQ(t.Styles, (TTestStyles{TTestStyle::tsStrikeOut}));

    SetEnumProp(&t, "Enabled", "false");
    EXPECT_FALSE(t.Enabled);
    SetPropValue(&t, "Enabled", Variant("True"));
    EXPECT_TRUE(t.Enabled);

    try {
        SetPropValue(&t, "Align", Variant("alClient"));
        FAIL();
    } catch (const EPropertyConvertError& e) {
        EXPECT_EQ(e.Message(), "Invalid property element: alClient");
    }
    EXPECT_THROW(SetSetProp(&t, "Styles", "[tsBold,tsWavy]"), EPropertyConvertError);
    EXPECT_EQ(t.Styles, (TTestStyles{TTestStyle::tsStrikeOut}));
}

TEST(Meta, ValuesOutsideTheTypeAreRefused) {
    TTestThing t(nullptr);
    struct Case {
        const char* name;
        Int64 value;
    } cases[] = {{"Align", 4},  {"Align", -1},       {"Styles", 16}, {"Small", 256},
                 {"Small", -1}, {"Left", 1LL << 40}, {"Letter", 300}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            SetOrdProp(&t, c.name, c.value);
            FAIL();
        } catch (const EPropertyConvertError& e) {
            EXPECT_EQ(e.Message(), "Invalid property value");
        }
    }
    EXPECT_EQ(t.Align, taNone);
    EXPECT_EQ(t.Small, 0);
    SetOrdProp(&t, "Small", 255);
    EXPECT_EQ(t.Small, 255);
}

TEST(Meta, AccessErrors) {
    TTestThing t(nullptr);
    try {
        GetPropValue(&t, "Nope");
        FAIL();
    } catch (const EPropertyError& e) {
        EXPECT_EQ(e.Message(), "Property Nope does not exist");
    }
    try {
        SetPropValue(&t, "Count", Variant(1));
        FAIL();
    } catch (const EPropertyError& e) {
        EXPECT_EQ(e.Message(), "Property Count is read-only");
    }
    try {
        GetStrProp(&t, "Left");
        FAIL();
    } catch (const EPropertyError& e) {
        EXPECT_EQ(e.Message(), "Invalid property type: Integer");
    }
    EXPECT_THROW(GetPropValue(&t, "OnChange"), EPropertyError);
    EXPECT_THROW(GetFloatProp(&t, "Caption"), EPropertyError);
    // A property record of one class used on an object of another.
    TTestFont font;
    EXPECT_THROW(GetOrdProp(&font, *GetPropInfo(&t, "Left")), EPropertyError);
    // An object of the wrong class for an object property.
    EXPECT_THROW(SetObjectProp(&t, "Font", &t), EPropertyConvertError);
    EXPECT_THROW(SetObjectProp(&t, "Link", &font), EPropertyConvertError);
    EXPECT_EQ(GetPropValue(&t, "Count").AsInteger(), 7);
}

TEST(Meta, TypedAccessors) {
    TTestThing t(nullptr);
    SetStrProp(&t, "Caption", "abc");
    EXPECT_EQ(GetStrProp(&t, "caption"), "abc");
    SetStrProp(&t, "WideCaption", "宋体");
    EXPECT_EQ(t.WideCaption, u"宋体");
    EXPECT_EQ(GetStrProp(&t, "WideCaption"), "宋体");
    SetOrdProp(&t, "Letter", 'q');
    EXPECT_EQ(t.Letter, 'q');
    SetPropValue(&t, "Letter", Variant("xyz"));
    EXPECT_EQ(t.Letter, 'x');
    SetFloatProp(&t, "Amount", 12.34567);
    EXPECT_EQ(t.Amount.Value, 123457); // rounded to ten-thousandths
    EXPECT_EQ(VarType(GetPropValue(&t, "Amount")), varCurrency);
    EXPECT_EQ(VarType(GetPropValue(&t, "When")), varDate);
    SetInt64Prop(&t, "Big", -(1LL << 50));
    EXPECT_EQ(GetInt64Prop(&t, "Big"), -(1LL << 50));
    EXPECT_EQ(VarType(GetPropValue(&t, "Big")), varInt64);
    SetVariantProp(&t, "Value", Null());
    EXPECT_TRUE(VarIsNull(GetVariantProp(&t, "Value")));
    SetPropValue(&t, "Left", Variant("42"));
    EXPECT_EQ(t.Left, 42);
    SetPropValue(&t, "Tag", Variant(7));
    EXPECT_EQ(t.Tag(), 7);
    SetPropValue(&t, "Name", Variant("Thing9"));
    EXPECT_EQ(t.Name(), "Thing9");
    EXPECT_THROW(SetPropValue(&t, "Name", Variant("9x")), EComponentError); // the setter's own check
}

TEST(Meta, ObjectPropertiesAndPaths) {
    TComponent form(nullptr);
    auto* t = new TTestThing(&form);
    auto* other = new TComponent(&form);
    SetObjectProp(t, "Link", other);
    EXPECT_EQ(t->Link(), other);
    EXPECT_EQ(GetObjectProp(t, "Link"), other);
    // Through Variants, objects travel as handles.
    Variant h = GetPropValue(t, "Link");
    EXPECT_EQ(HandleToObject(h.AsInteger()), other);
    SetPropValue(t, "Link", Variant(0));
    EXPECT_EQ(t->Link(), nullptr);
    SetPropValue(t, "Link", h);
    EXPECT_EQ(t->Link(), other);
    delete other;
    EXPECT_EQ(t->Link(), nullptr);
    EXPECT_THROW(SetPropValue(t, "Link", h), EInvalidHandle);

    // Sub-object assignment copies into the owned object.
    TTestFont font;
    font.Size = 14;
    SetObjectProp(t, "Font", &font);
    EXPECT_NE(t->Font(), &font);
    EXPECT_EQ(t->Font()->Size, 14);

    // Dotted paths.
    SetPropValue(t, "Font.Style", Variant("[tsUnderline]"));
    EXPECT_EQ(t->Font()->Style, (TTestStyles{TTestStyle::tsUnderline}));
    EXPECT_EQ(GetPropValue(t, "font.size").AsInteger(), 14);
    SetStrProp(t, "Font.Name", "Tahoma");
    EXPECT_EQ(t->Font()->FaceName, "Tahoma");
    TObject* holder = nullptr;
    EXPECT_EQ(FindPropPath(t, "Font.Size", holder), GetPropInfo(t->Font(), "Size"));
    EXPECT_EQ(holder, t->Font());
    EXPECT_EQ(FindPropPath(t, "Font.Nope", holder), nullptr);
    EXPECT_EQ(FindPropPath(t, "Left.Size", holder), nullptr); // Left is no object
    EXPECT_EQ(FindPropPath(t, "Link.Name", holder), nullptr); // Link is nil
    EXPECT_THROW(GetPropValue(t, "Font.Nope"), EPropertyError);
}

TEST(Meta, EventsByName) {
    TTestThing t(nullptr);
    EXPECT_EQ(GetEventNames(TTestThing::StaticClassInfo()), (std::vector<String>{"OnChange", "OnKey"}));
    EXPECT_FALSE(IsEventAssigned(&t, "OnChange"));
    TObject* sender = nullptr;
    SetEvent(&t, "onchange", TNotifyEvent([&](TObject* s) { sender = s; }));
    EXPECT_TRUE(IsEventAssigned(&t, "OnChange"));
    t.OnChange(&t);
    EXPECT_EQ(sender, &t);

    // A handler read out can be put on another object.
    TTestThing other(nullptr);
    SetMethodProp(&other, "OnChange", GetMethodProp(&t, "OnChange"));
    other.OnChange(&other);
    EXPECT_EQ(sender, &other);

    int key = 0;
    SetEvent(&t, "OnKey", std::function<void(TObject*, int&)>([](TObject*, int& k) { k = 13; }));
    t.OnKey(&t, key);
    EXPECT_EQ(key, 13);
    try {
        SetEvent(&t, "OnKey", TNotifyEvent([](TObject*) {}));
        FAIL();
    } catch (const EPropertyConvertError& e) {
        EXPECT_EQ(e.Message(), "Invalid handler type for event OnKey (TTestKeyEvent)");
    }
    EXPECT_TRUE(IsEventAssigned(&t, "OnKey")); // the old handler stays

    ClearEvent(&t, "OnChange");
    EXPECT_FALSE(IsEventAssigned(&t, "OnChange"));
    EXPECT_FALSE(GetMethodProp(&t, "OnChange").has_value());
    EXPECT_THROW(SetEvent(&t, "Left", TNotifyEvent()), EPropertyError);
}

namespace {
// A runtime class without a class record, extended with a published property.
class TTestLines : public TStringList {
    ORV_META(TTestLines, TStringList)
    int Columns = 1;
};
} // namespace
ORV_META_IMPL(TTestLines)
void TTestLines::DeclareMeta(meta::Class<TTestLines>& c) {
    c.Property("Columns", &TTestLines::Columns, &TTestLines::Columns).Default(1);
}

TEST(Meta, ARuntimeClassCanBeExtended) {
    TTestLines lines;
    EXPECT_EQ(TTestLines::StaticClassInfo().Parent(), &meta::TObjectClassInfo());
    EXPECT_EQ(lines.ClassName(), "TTestLines");
    EXPECT_TRUE(lines.InheritsFrom("TObject"));
    SetOrdProp(&lines, "Columns", 3);
    EXPECT_EQ(lines.Columns, 3);
    EXPECT_EQ(Names(GetPropList(&lines)), (std::vector<String>{"Columns"}));
}
