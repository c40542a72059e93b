// Component references by name path: "Name", "Form.Name" and "Form.Frame.Name".
#include "report/vrUtils.h"

#include "classes/Component.h"

namespace {

bool IsReport(const TComponent* c) {
    return c && c->InheritsFrom("TvrReport");
}

bool IsFrame(const TComponent* c) {
    return c && (c->InheritsFrom("TCustomFrame") || c->InheritsFrom("TFrame"));
}

bool IsFormOrDataModule(const TComponent* c) {
    return c &&
           (c->InheritsFrom("TCustomForm") || c->InheritsFrom("TForm") || c->InheritsFrom("TDataModule"));
}

TComponent* Lookup(TComponent* owner, const String& name) {
    const size_t dot = name.find('.');
    if (dot == String::npos) {
        if (!owner) return nullptr;
        TComponent* found = owner->FindComponent(name);
        if (!found && IsReport(owner) && owner->Owner()) found = owner->Owner()->FindComponent(name);
        return found;
    }
    TComponent* form = FindGlobalComponent(name.substr(0, dot));
    if (!form) return nullptr;
    const String rest = name.substr(dot + 1, 255);
    const size_t dot2 = rest.find('.');
    if (dot2 == String::npos) return form->FindComponent(rest);
    TComponent* frame = form->FindComponent(rest.substr(0, dot2));
    return frame ? frame->FindComponent(rest.substr(dot2 + 1)) : nullptr;
}

} // namespace

TComponent* FindComponentByPath(TComponent* owner, const String& name) {
    try {
        return Lookup(owner, name);
    } catch (...) {
        throw EClassNotFound("Missing " + name);
    }
}

String ComponentPathName(TComponent* context, TComponent* component) {
    if (!component) return String();
    TComponent* owner = component->Owner();
    if (!owner || owner == context || (IsReport(context) && owner == context->Owner()))
        return component->Name();
    if (IsFrame(owner)) {
        if (TComponent* frameOwner = owner->Owner())
            return frameOwner->Name() + "." + owner->Name() + "." + component->Name();
        return owner->Name() + "." + component->Name();
    }
    if (IsFormOrDataModule(owner)) return owner->Name() + "." + component->Name();
    return String();
}
