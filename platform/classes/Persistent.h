// TPersistent: an object that can copy its state from another (Assign) and has published
// properties the reflection facility reads and writes.
#pragma once

#include "classes/Meta.h"

class TFiler;

class TPersistent : public TObject {
    ORV_META(TPersistent, TObject)

    TPersistent() = default;

    // Copies the state of Source into this object. Unless a class overrides it for the sources it
    // knows, it asks Source to do it (AssignTo); that fails with EConvertError
    // "Cannot assign a TSource to a TDest" ("nil" for no source).
    virtual void Assign(const TPersistent* Source);
    // Copies this object's state into Dest; the default raises the error above.
    virtual void AssignTo(TPersistent* Dest) const;
    // The object's name as a designer shows it: its class name, after its owner's name path and a
    // "." when it has an owner with one.
    virtual String GetNamePath() const;
    // The object this one belongs to for name paths and change notifications; none here.
    virtual TPersistent* GetOwner() const { return nullptr; }
    // Names the object's extra properties beside its published ones, with their read and write
    // procedures (classes/Filer.h); none here.
    virtual void DefineProperties(TFiler& Filer) { (void)Filer; }

protected:
    [[noreturn]] void AssignError(const TPersistent* Source) const;
};
