// The root of every class of the system. The classes layer adds reflection (meta) on top; the
// runtime only needs a common base with a virtual destructor and a class name, so lists and
// string lists can carry objects.
#pragma once

#include "rtl/Types.h"

class TObject {
public:
    TObject() = default;
    virtual ~TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;

    // Overridden by every class that registers with the reflection facility.
    virtual String ClassName() const { return "TObject"; }
};
