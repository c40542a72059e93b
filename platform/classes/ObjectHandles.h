// The object handle table. Objects handed to scripts as integers go through it: a handle names
// one live object, dies with it, and is never given to another object during the run, so a stale
// or forged number raises EInvalidHandle instead of reaching freed memory.
#pragma once

#include "rtl/Object.h"
#include "rtl/SysUtils.h"

ORV_DECLARE_EXCEPTION(EInvalidHandle, Exception)

// The object's handle, issued on first request and the same afterwards; 0 for nullptr.
Integer ObjectToHandle(TObject* obj);
// The live object of a handle; nullptr for 0. Raises EInvalidHandle "Invalid object handle" for
// a handle whose object was freed or that was never issued.
TObject* HandleToObject(Integer handle);
// The object as T; raises EInvalidHandle as above and EInvalidCast "Invalid class typecast" when
// it is not a T. nullptr for 0.
template <class T> T* HandleToObjectAs(Integer handle) {
    TObject* obj = HandleToObject(handle);
    if (!obj) return nullptr;
    T* typed = dynamic_cast<T*>(obj);
    if (!typed) throw EInvalidCast("Invalid class typecast");
    return typed;
}
bool IsValidObjectHandle(Integer handle);
// Ends the object's handle before the object is freed (TComponent does so as its destruction
// begins); TObject's destructor does it otherwise.
void ReleaseObjectHandle(TObject* obj) noexcept;

class TObjectHandleTable {
public:
    static Integer Acquire(TObject* obj);
    static TObject* Lookup(Integer handle);
    static void Release(TObject* obj) noexcept;
};
