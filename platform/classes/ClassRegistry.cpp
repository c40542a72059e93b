#include "classes/ClassRegistry.h"

#include "rtl/StrUtils.h"

#include <map>
#include <mutex>

namespace {

struct TRegistry {
    std::mutex Lock;
    std::map<String, const meta::TClassInfo*> Classes; // by upper-case name
};

TRegistry& Registry() {
    static TRegistry registry;
    return registry;
}

} // namespace

void RegisterClass(const meta::TClassInfo& cls) {
    auto& r = Registry();
    std::lock_guard lock(r.Lock);
    auto [it, inserted] = r.Classes.emplace(UpperCase(cls.Name()), &cls);
    if (!inserted && it->second != &cls) throw EFilerError("A class named " + cls.Name() + " already exists");
}

void RegisterClasses(std::initializer_list<const meta::TClassInfo*> classes) {
    for (const meta::TClassInfo* cls : classes)
        if (cls) RegisterClass(*cls);
}

void UnRegisterClass(const meta::TClassInfo& cls) {
    auto& r = Registry();
    std::lock_guard lock(r.Lock);
    auto it = r.Classes.find(UpperCase(cls.Name()));
    if (it != r.Classes.end() && it->second == &cls) r.Classes.erase(it);
}

const meta::TClassInfo* GetClass(const String& name) {
    auto& r = Registry();
    std::lock_guard lock(r.Lock);
    auto it = r.Classes.find(UpperCase(name));
    return it == r.Classes.end() ? nullptr : it->second;
}

const meta::TClassInfo& FindClass(const String& name) {
    const meta::TClassInfo* cls = GetClass(name);
    if (!cls) throw EClassNotFound("Class " + name + " not found");
    return *cls;
}
