#include "script/vs_itools_script.h"

#include "rtl/CodePage.h"
#include "rtl/StrUtils.h"
#include "script/vs_iinterpreter.h"
#include "script/vs_itools.h"
#include "script/vs_xml.h"

#include <map>

TvsVarType TypeCodeOf(const String& Name, const TvsScript* Script) {
    const TvsCustomVariable* v = Script ? Script->Find(Name) : nullptr;
    return v ? v->Typ() : fvtClass;
}

bool ClassInherits(const String& TargetName, const String& SourceName, const TvsScript* Script) {
    if (!Script) return false;
    const TvsClassVariable* target = Script->LookupClass(TargetName);
    const TvsClassVariable* source = Script->LookupClass(SourceName);
    if (!target || !source) return false;
    for (int guard = 0; source && guard < 1000; ++guard) {
        if (source == target) return true;
        if (source->AncestorName().empty()) return false;
        source = Script->LookupClass(source->AncestorName());
    }
    return false;
}

namespace {

String Cut31(const String& Name) {
    return Name.size() > 31 ? Name.substr(0, 31) : Name;
}

} // namespace

bool TypesCompatible(TvsVarType TargetTyp, const String& TargetName, TvsVarType SourceTyp,
                     const String& SourceName, const TvsScript* Script) {
    switch (TargetTyp) {
    case fvtInt:
        return SourceTyp == fvtInt || SourceTyp == fvtFloat || SourceTyp == fvtVariant ||
               SourceTyp == fvtEnum;
    case fvtBool:
        return SourceTyp == fvtBool || SourceTyp == fvtVariant;
    case fvtFloat:
        return SourceTyp == fvtInt || SourceTyp == fvtFloat || SourceTyp == fvtVariant;
    case fvtChar:
    case fvtString:
        return SourceTyp == fvtChar || SourceTyp == fvtString || SourceTyp == fvtVariant;
    case fvtClass:
        return SourceTyp == fvtVariant ||
               (SourceTyp == fvtClass && ClassInherits(Cut31(TargetName), Cut31(SourceName), Script));
    case fvtArray:
        return SourceTyp == fvtArray || SourceTyp == fvtVariant;
    case fvtVariant:
        return true;
    case fvtEnum:
        return (SourceTyp == fvtEnum && SameText(Cut31(TargetName), Cut31(SourceName))) ||
               SourceTyp == fvtInt || SourceTyp == fvtVariant;
    default:
        return false;
    }
}

bool AssignCompatible(const TvsCustomVariable* Variable, const TvsCustomVariable* Expression,
                      const TvsScript* Script) {
    if (Variable->Typ() == fvtInt && Expression->Typ() == fvtFloat) return false;
    return TypesCompatible(Variable->Typ(), Variable->TypeName(), Expression->Typ(), Expression->TypeName(),
                           Script);
}

std::unique_ptr<TvsCustomVariable> ParseMethodHeader(const String& Header, const TvsScript* Script) {
    const TvsMethodHeader h = ParseMethodHeaderText(Header, Script && Script->ExtendedIdentifiers);
    const String typeName = h.IsFunction ? h.TypeName : String();
    auto method = std::make_unique<TvsCustomVariable>(
        h.Name, h.IsFunction ? TypeCodeOf(typeName, Script) : fvtInt, typeName);
    method->SetIsMacro(h.IsMacro);
    for (const TvsHeaderParam& p : h.Params) {
        auto* param =
            new TvsParamItem(p.Name, p.IsVar, p.Optional(), p.TypeName, TypeCodeOf(p.TypeName, Script));
        Variant def = Null();
        switch (p.DefaultKind) {
        case TvsHeaderParam::TDefaultKind::Number:
            def = ParseConstant(p.DefaultText);
            break;
        case TvsHeaderParam::TDefaultKind::String:
            def = ParseConstant(p.DefaultText);
            break;
        case TvsHeaderParam::TDefaultKind::Name:
            if (const TvsCustomVariable* item = Script ? Script->Find(p.DefaultText) : nullptr)
                def = item->Value();
            break;
        default:
            break;
        }
        param->SetDefValue(def);
        param->Stored() = TvsValue(def);
        method->Add(param);
    }
    return method;
}

std::vector<TFormatArg> VariantToFormatArgs(const Variant& Args) {
    std::vector<TFormatArg> result;
    if (!VarIsArray(Args)) return result;
    const int low = VarArrayLowBound(Args, 1);
    const int high = VarArrayHighBound(Args, 1);
    for (int i = low; i <= high; ++i) {
        const Variant v = VarArrayGet(Args, {i});
        switch (VarType(v)) {
        case varSmallint:
        case varInteger:
        case varShortInt:
        case varByte:
        case varWord:
            result.emplace_back(static_cast<int>(v.AsInteger()));
            break;
        case varLongWord:
            result.emplace_back(static_cast<unsigned>(v.AsInt64()));
            break;
        case varInt64:
            result.emplace_back(static_cast<long long>(v.AsInt64()));
            break;
        case varSingle:
        case varDouble:
        case varCurrency:
        case varDate:
            result.emplace_back(static_cast<long double>(v.AsDouble()));
            break;
        case varString:
        case varOleStr:
            result.emplace_back(AnsiCopy(v.AsString(), 1, 255));
            break;
        case varBoolean:
            result.emplace_back(v.AsBoolean());
            break;
        default:
            result.emplace_back(0);
            break;
        }
    }
    return result;
}

TvsPoint ScriptPosToPoint(const String& Text) {
    TvsPoint p;
    if (Text.empty()) return p;
    const size_t colon = Text.find(':');
    p.Y = StrToInt(Text.substr(0, colon));
    p.X = colon == String::npos ? 0 : StrToInt(Text.substr(colon + 1));
    return p;
}

namespace {

String MemberText(const TvsCustomVariable* m) {
    if (m->Kind() == TvsItemKind::ikProperty) return "property " + m->Name() + ": " + m->TypeNameText();
    if (m->Kind() == TvsItemKind::ikMethod) {
        auto* method = static_cast<const TvsMethodHelper*>(m);
        String text = method->Declaration();
        if (method->IndexMethod) {
            const size_t blank = text.find(' ');
            text = "index property" + (blank == String::npos ? String() : text.substr(blank));
        }
        return text;
    }
    return "event " + m->Name();
}

void AddClassMembers(const TvsClassVariable* cls, TvsXMLItem* Item) {
    for (Integer i = 0; i < cls->MemberCount(); ++i) {
        TvsXMLItem* child = Item->Add();
        child->SetName("item");
        child->SetText("text=\"" + MemberText(cls->Member(i)) + "\"");
    }
}

} // namespace

void BuildScriptContentsXML(const TvsScript* Script, TvsXMLItem* Item, bool FunctionsOnly) {
    TvsXMLItem* functions = Item->FindItem("Functions");
    TvsXMLItem* classes = Item->FindItem("Classes");
    TvsXMLItem* types = Item->FindItem("Types");
    TvsXMLItem* variables = Item->FindItem("Variables");
    TvsXMLItem* constants = Item->FindItem("Constants");
    std::map<String, String> typeNames;
    for (Integer i = 0; i < Script->Count(); ++i) {
        auto* v = dynamic_cast<TvsCustomVariable*>(Script->Items(i));
        if (!v) continue;
        if (v->Kind() == TvsItemKind::ikMethod) {
            auto* m = static_cast<TvsMethodHelper*>(v);
            TvsXMLItem* category = functions->FindItem(m->Category);
            category->SetText("text=\"" + m->Category + "\"");
            TvsXMLItem* item = category->Add();
            item->SetName("item");
            item->SetText("text=\"" + m->Declaration() + "\" description=\"" + m->Description + "\"");
            continue;
        }
        if (FunctionsOnly) continue;
        if (v->Kind() == TvsItemKind::ikClass) {
            auto* cls = static_cast<TvsClassVariable*>(v);
            TvsXMLItem* item = classes->Add();
            item->SetName("item");
            item->SetText("text=\"" + cls->Name() + " = class(" + cls->AncestorName() + ")\"");
            AddClassMembers(cls, item);
        } else if (v->Kind() == TvsItemKind::ikVariable || v->Kind() == TvsItemKind::ikStringVariable ||
                   v->Kind() == TvsItemKind::ikArrayVariable) {
            if (v->Typ() == fvtEnum) {
                if (SameText(v->Name(), v->TypeName())) continue;
                TvsXMLItem* t = types->FindItem(v->TypeName());
                String names = t->Prop("names");
                t->SetProp("names", names.empty() ? v->Name() : names + "," + v->Name());
            } else {
                TvsXMLItem* item = (v->ReadOnly() ? constants : variables)->Add();
                item->SetName("item");
                String text = v->Name() + ": " + v->TypeNameText();
                if (v->ReadOnly()) text += " = " + VarToStr(v->FetchValue());
                item->SetText("text=\"" + text + "\"");
            }
        }
    }
    for (Integer i = 0; i < types->Count(); ++i) {
        TvsXMLItem* t = types->Items(i);
        if (SameText(t->Name(), "item")) continue;
        const String text = t->Name() + ": (" + t->Prop("names") + ")";
        t->SetName("item");
        t->SetText("text=\"" + text + "\"");
    }
}

void BuildClassMembersXML(const TvsScript* Script, const TvsClassRef* ClassRef, TvsXMLItem* Item) {
    if (!ClassRef) return;
    const TvsClassVariable* target = nullptr;
    for (Integer i = 0; i < Script->Count() && !target; ++i) {
        auto* v = dynamic_cast<TvsClassVariable*>(Script->Items(i));
        if (v && v->ClassRef() == ClassRef) target = v;
    }
    if (!target) return;
    for (Integer i = 0; i < Script->Count(); ++i) {
        auto* cls = dynamic_cast<TvsClassVariable*>(Script->Items(i));
        if (cls && ClassInherits(cls->Name(), target->Name(), Script)) AddClassMembers(cls, Item);
    }
}
