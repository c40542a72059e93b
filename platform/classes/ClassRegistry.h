// The class registry: classes that can be found by name (for creating objects read from a stream
// or named by a script). Names are compared without regard to case.
#pragma once

#include "classes/Meta.h"

#include <initializer_list>

// Registers a class; registering it again does nothing. EFilerError "A class named X already
// exists" when another class of that name is registered.
void RegisterClass(const meta::TClassInfo& cls);
template <class T> void RegisterClass() {
    RegisterClass(T::StaticClassInfo());
}
void RegisterClasses(std::initializer_list<const meta::TClassInfo*> classes);
void UnRegisterClass(const meta::TClassInfo& cls);
// The registered class of that name, nullptr when none.
const meta::TClassInfo* GetClass(const String& name);
// The registered class of that name; EClassNotFound "Class X not found" when none.
const meta::TClassInfo& FindClass(const String& name);

// Registers T when the program starts; for a class defined in a source file that is always linked.
#define ORV_REGISTER_CLASS(T)                                                                                \
    [[maybe_unused]] static const bool orvClassRegistered_##T = (RegisterClass(T::StaticClassInfo()), true);
