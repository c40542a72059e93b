// Exceptions of the runtime. Every library raises these (or subclasses of its own) with a message.
#pragma once

#include "rtl/Types.h"

#include <exception>

class Exception : public std::exception {
public:
    explicit Exception(String message) : FMessage(std::move(message)) {}
    ~Exception() override = default;
    const char* what() const noexcept override { return FMessage.c_str(); }
    const String& Message() const noexcept { return FMessage; }
    void SetMessage(const String& message) { FMessage = message; }
    int HelpContext = 0;

private:
    String FMessage;
};

#define ORV_DECLARE_EXCEPTION(Name, Base)                                                              \
    class Name : public Base {                                                                         \
    public:                                                                                            \
        using Base::Base;                                                                              \
    };

// The silent exception: handlers that show messages ignore it. Raised by Abort().
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
    using Exception::Exception;
};

ORV_DECLARE_EXCEPTION(EConvertError, Exception)
ORV_DECLARE_EXCEPTION(EInOutError, Exception)
ORV_DECLARE_EXCEPTION(EStreamError, Exception)
ORV_DECLARE_EXCEPTION(EFCreateError, EStreamError)
ORV_DECLARE_EXCEPTION(EFOpenError, EStreamError)
ORV_DECLARE_EXCEPTION(EReadError, EStreamError)
ORV_DECLARE_EXCEPTION(EWriteError, EStreamError)
ORV_DECLARE_EXCEPTION(EListError, Exception)
ORV_DECLARE_EXCEPTION(EStringListError, Exception)
ORV_DECLARE_EXCEPTION(EIniFileException, Exception)
ORV_DECLARE_EXCEPTION(ERegistryException, Exception)
ORV_DECLARE_EXCEPTION(EMathError, Exception)
ORV_DECLARE_EXCEPTION(EZeroDivide, EMathError)
ORV_DECLARE_EXCEPTION(EOverflow, EMathError)
ORV_DECLARE_EXCEPTION(EInvalidOp, EMathError)
ORV_DECLARE_EXCEPTION(EIntOverflow, Exception)
ORV_DECLARE_EXCEPTION(EDivByZero, Exception)
ORV_DECLARE_EXCEPTION(ERangeError, Exception)
ORV_DECLARE_EXCEPTION(EInvalidCast, Exception)
ORV_DECLARE_EXCEPTION(EInvalidOperation, Exception)
ORV_DECLARE_EXCEPTION(EInvalidPointer, Exception)
ORV_DECLARE_EXCEPTION(EOutOfMemory, Exception)
ORV_DECLARE_EXCEPTION(ENotSupportedException, Exception)
ORV_DECLARE_EXCEPTION(EVariantError, Exception)
ORV_DECLARE_EXCEPTION(EOSError, Exception)

// Raises the silent exception.
[[noreturn]] void Abort();

// The list errors many places raise; each message is built here and nowhere else.
[[noreturn]] void ListIndexError(Int64 index);       // EListError "List index out of bounds (n)"
[[noreturn]] void StringListIndexError(Int64 index); // EStringListError "List index out of bounds (n)"
[[noreturn]] void ListCountError(Int64 count);       // EListError "List count out of bounds (n)"
[[noreturn]] void ListCapacityError(Int64 capacity); // EListError "List capacity out of bounds (n)"
[[noreturn]] void SortedListError(); // EStringListError "Operation not allowed on sorted list"
