#include "classes/Persistent.h"

#include "classes/MetaBuilder.h"

ORV_META_IMPL(TPersistent)

void TPersistent::DeclareMeta(meta::Class<TPersistent>&) {}

void TPersistent::Assign(const TPersistent* Source) {
    if (Source)
        Source->AssignTo(this);
    else
        AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) const {
    Dest->AssignError(this);
}

void TPersistent::AssignError(const TPersistent* Source) const {
    String sourceName = Source ? Source->ClassName() : String("nil");
    throw EConvertError("Cannot assign a " + sourceName + " to a " + ClassName());
}

String TPersistent::GetNamePath() const {
    String result = ClassName();
    if (TPersistent* owner = GetOwner()) {
        String ownerPath = owner->GetNamePath();
        if (!ownerPath.empty()) result = ownerPath + "." + result;
    }
    return result;
}
