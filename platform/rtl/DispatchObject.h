// The late-bound automation interface a varDispatch Variant holds: properties and methods reached by
// name with Variant arguments. Objects are shared through std::shared_ptr (IDispatchPtr), which
// stands for the platform's reference counting.
#pragma once

#include "rtl/Variant.h"

#include <vector>

class IDispatchObject {
public:
    virtual ~IDispatchObject() = default;

    // Reads a property; args are the indexes of an indexed property (empty otherwise).
    virtual Variant GetProperty(const String& name, const std::vector<Variant>& args) = 0;
    // Writes a property.
    virtual void PutProperty(const String& name, const std::vector<Variant>& args, const Variant& value) = 0;
    // Calls a method; a procedure returns Unassigned.
    virtual Variant CallMethod(const String& name, const std::vector<Variant>& args) = 0;
};

// Raised by an automation object whose call fails. ErrorCode is the failure code (an HRESULT, such
// as DISP_E_UNKNOWNNAME for a name the object does not have); the message is the description.
class EOleException : public Exception {
public:
    EOleException(String message, Integer errorCode, String source = String(), String helpFile = String())
        : Exception(std::move(message)), ErrorCode(errorCode), Source(std::move(source)),
          HelpFile(std::move(helpFile)) {}
    Integer ErrorCode;
    String Source;
    String HelpFile;
};

constexpr Integer DISP_E_MEMBERNOTFOUND = static_cast<Integer>(0x80020003u);
constexpr Integer DISP_E_UNKNOWNNAME = static_cast<Integer>(0x80020006u);
constexpr Integer DISP_E_BADPARAMCOUNT = static_cast<Integer>(0x8002000Eu);
