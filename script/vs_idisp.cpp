#include "script/vs_idisp.h"

#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <map>
#include <mutex>

namespace {

std::vector<Variant> InOrder(const TvsDispParams& Params) {
    std::vector<Variant> args(Params.Args.rbegin(), Params.Args.rend());
    return args;
}

TvsDispParams FromOrder(const std::vector<Variant>& Args) {
    TvsDispParams p;
    p.Args.assign(Args.rbegin(), Args.rend());
    return p;
}

// The system's message texts of the dispatch failure codes.
String SysErrorMessage(Integer Code) {
    switch (static_cast<UInt64>(static_cast<Cardinal>(Code))) {
    case 0x80020003u:
        return "Member not found";
    case 0x80020006u:
        return "Unknown name";
    case 0x80020009u:
        return "Exception occurred";
    case 0x8002000Eu:
        return "Invalid number of parameters";
    case 0x80020005u:
        return "Type mismatch";
    case 0x800401F3u:
        return "Invalid class string";
    default:
        return "Unspecified error";
    }
}

struct TRegistry {
    std::mutex Lock;
    std::map<String, TvsAutomationFactory> Factories;
};

TRegistry& Registry() {
    static TRegistry r;
    return r;
}

} // namespace

Variant IvsDispatch::GetProperty(const String& name, const std::vector<Variant>& args) {
    return Invoke(name, DISPATCH_PROPERTYGET, FromOrder(args), true);
}

void IvsDispatch::PutProperty(const String& name, const std::vector<Variant>& args, const Variant& value) {
    std::vector<Variant> all = args;
    all.push_back(value);
    TvsDispParams p = FromOrder(all);
    p.NamedArgs.push_back(DISPID_PROPERTYPUT);
    Invoke(name, DISPATCH_PROPERTYPUT, p, false);
}

Variant IvsDispatch::CallMethod(const String& name, const std::vector<Variant>& args) {
    return Invoke(name, DISPATCH_METHOD, FromOrder(args), true);
}

TvsOLEHelper::TvsOLEHelper(const String& Name)
    : TvsCustomHelper(Name, fvtVariant, String(), TvsItemKind::ikOLE) {}

TvsCustomVariable* vsNewOLEHelper(const String& Name) {
    return new TvsOLEHelper(Name);
}

Variant TvsOLEHelper::FetchValue() {
    std::vector<Variant> args;
    args.reserve(static_cast<size_t>(Count()));
    for (Integer i = 0; i < Count(); ++i)
        args.push_back(Param(i)->Value());
    return InvokeByName(args, DISPATCH_METHOD);
}

void TvsOLEHelper::StoreValue(const Variant& V) {
    std::vector<Variant> args;
    for (Integer i = 0; i < Count(); ++i)
        args.push_back(Param(i)->Value());
    args.push_back(V);
    InvokeByName(args, DISPATCH_PROPERTYPUT);
}

Variant TvsOLEHelper::InvokeByName(const std::vector<Variant>& Arguments, Word Flags) {
    IDispatchPtr object = ParentValue.AsDispatch();
    if (!object)
        throw EOleException(Format("OLE error %.8X: %s: %s", {static_cast<unsigned>(DISP_E_MEMBERNOTFOUND),
                                                              FName, SysErrorMessage(DISP_E_MEMBERNOTFOUND)}),
                            DISP_E_MEMBERNOTFOUND);
    if (Arguments.size() > 64) throw EOleException("Too many automation arguments", DISP_E_BADPARAMCOUNT);
    TvsDispParams params;
    params.Args.assign(Arguments.rbegin(), Arguments.rend());
    if (Flags == DISPATCH_PROPERTYPUT) params.NamedArgs.push_back(DISPID_PROPERTYPUT);
    const bool wantResult = FNeedResult && Flags != DISPATCH_PROPERTYPUT;
    if (Flags == DISPATCH_METHOD && wantResult) Flags = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
    try {
        if (auto* dispatch = dynamic_cast<IvsDispatch*>(object.get()))
            return dispatch->Invoke(FName, Flags, params, wantResult);
        const std::vector<Variant> args = InOrder(params);
        if (Flags == DISPATCH_PROPERTYPUT) {
            std::vector<Variant> indexes(Arguments.begin(), Arguments.end() - 1);
            object->PutProperty(FName, indexes, Arguments.back());
            return Variant();
        }
        if (Flags & DISPATCH_PROPERTYGET) {
            try {
                return object->GetProperty(FName, args);
            } catch (const EOleException& e) {
                if (e.ErrorCode != DISP_E_MEMBERNOTFOUND && e.ErrorCode != DISP_E_UNKNOWNNAME) throw;
            }
        }
        return object->CallMethod(FName, args);
    } catch (const EOleException& e) {
        const bool hasInfo = e.ErrorCode == DISP_E_EXCEPTION;
        String text = Format("OLE error %.8X: %s: %s",
                             {static_cast<unsigned>(e.ErrorCode), FName,
                              hasInfo || e.Message().empty() ? SysErrorMessage(e.ErrorCode) : e.Message()});
        if (hasInfo) {
            if (!e.Source.empty()) text += "\r\nSource        ::  " + e.Source;
            if (!e.Message().empty()) text += "\r\nDescription ::  " + e.Message();
            if (!e.HelpFile.empty()) text += "\r\nHelp File     ::  " + e.HelpFile;
        }
        throw EOleException(text, e.ErrorCode, e.Source, e.HelpFile);
    }
}

void RegisterAutomationObject(const String& ProgID, const TvsAutomationFactory& Factory) {
    std::lock_guard lock(Registry().Lock);
    Registry().Factories[UpperCase(ProgID)] = Factory;
}

void UnregisterAutomationObject(const String& ProgID) {
    std::lock_guard lock(Registry().Lock);
    Registry().Factories.erase(UpperCase(ProgID));
}

IDispatchPtr CreateOleObject(const String& ClassName) {
    TvsAutomationFactory factory;
    {
        std::lock_guard lock(Registry().Lock);
        auto it = Registry().Factories.find(UpperCase(ClassName));
        if (it != Registry().Factories.end()) factory = it->second;
    }
    if (!factory) throw EOleException(SysErrorMessage(CO_E_CLASSSTRING), CO_E_CLASSSTRING);
    return factory();
}
