// Late-bound automation objects: a path through a variant that holds an automation object goes
// to the object by name, with the dispatch flags of a method call, a property read or a property
// write. OLE automation does not exist here: CreateOleObject finds its object in a registry of
// automation objects, empty in the product, that tests and hosts may fill.
#pragma once

#include "rtl/DispatchObject.h"
#include "script/vs_iinterpreter_items.h"

#include <functional>

// Dispatch flags.
constexpr Word DISPATCH_METHOD = 1;
constexpr Word DISPATCH_PROPERTYGET = 2;
constexpr Word DISPATCH_PROPERTYPUT = 4;
constexpr Integer DISPID_PROPERTYPUT = -3;
constexpr Integer DISP_E_EXCEPTION = static_cast<Integer>(0x80020009u);
constexpr Integer CO_E_CLASSSTRING = static_cast<Integer>(0x800401F3u);

// The parameter block of one late-bound call: the arguments in dispatch order (the last one
// first) and, for a property write, the one named argument DISPID_PROPERTYPUT (the value, first
// in Args).
struct TvsDispParams {
    std::vector<Variant> Args;
    std::vector<Integer> NamedArgs;
};

// An automation object that takes the calls as the dispatch interface does: by name, flags and
// parameter block. Objects that implement only IDispatchObject are called through its methods.
class IvsDispatch : public IDispatchObject {
public:
    // WantResult is false for a call whose value is discarded and for property writes. Failures
    // raise EOleException with the failure code.
    virtual Variant Invoke(const String& Name, Word Flags, const TvsDispParams& Params, bool WantResult) = 0;

    Variant GetProperty(const String& name, const std::vector<Variant>& args) override;
    void PutProperty(const String& name, const std::vector<Variant>& args, const Variant& value) override;
    Variant CallMethod(const String& name, const std::vector<Variant>& args) override;
};

// One step of a late-bound path: a member named in the script, its arguments untyped parameters.
class TvsOLEHelper : public TvsCustomHelper {
public:
    explicit TvsOLEHelper(const String& Name);
    String ClassName() const override { return "TvsOLEHelper"; }
    Variant FetchValue() override;
    void StoreValue(const Variant& V) override;

private:
    Variant InvokeByName(const std::vector<Variant>& Arguments, Word Flags);
};

TvsCustomVariable* vsNewOLEHelper(const String& Name);

// The registry of automation objects by programmatic identifier (compared without regard to case).
using TvsAutomationFactory = std::function<IDispatchPtr()>;
void RegisterAutomationObject(const String& ProgID, const TvsAutomationFactory& Factory);
void UnregisterAutomationObject(const String& ProgID);
// A new object of the identifier; EOleException "Invalid class string" when none is registered.
IDispatchPtr CreateOleObject(const String& ClassName);
