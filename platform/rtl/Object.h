// The root of every class of the system. The classes layer adds reflection (meta) on top; the
// runtime only needs a common base with a virtual destructor and a class name, so lists and
// string lists can carry objects.
#pragma once

#include "rtl/Types.h"

namespace meta {
class TClassInfo;
}

class TObject;

// Set by the object handle table (classes/ObjectHandles) when it issues its first handle; an
// object that has a handle calls it on destruction so the handle dies with the object.
inline void (*ObjectHandleReleaseHook)(TObject* object) noexcept = nullptr;

class TObject {
public:
    TObject() = default;
    virtual ~TObject() {
        if (FObjectHandle != 0 && ObjectHandleReleaseHook) ObjectHandleReleaseHook(this);
    }
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;

    // Overridden by every class that registers with the reflection facility.
    virtual String ClassName() const { return "TObject"; }

    // The class's reflection record (published properties, base class, factory). Classes declared
    // with ORV_META (classes/Meta.h) override it; nullptr stands for a class without one, which
    // reflection treats as TObject.
    virtual const meta::TClassInfo* ClassInfo() const { return nullptr; }

    // True when the object's class is the named class or descends from it (names compared without
    // regard to case). Defined by the classes library, which holds the class records.
    bool InheritsFrom(const String& className) const;

    // The object's entry in the handle table (classes/ObjectHandles.h), 0 when it has none.
    Integer ObjectHandle() const { return FObjectHandle; }

private:
    friend class TObjectHandleTable;
    Integer FObjectHandle = 0;
};
