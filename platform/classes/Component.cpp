#include "classes/Component.h"

#include "classes/MetaBuilder.h"
#include "classes/ObjectHandles.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <algorithm>
#include <map>
#include <mutex>

ORV_META_IMPL(TComponent)

void TComponent::DeclareMeta(meta::Class<TComponent>& c) {
    // The name is written by component streams on its own, not as a property.
    c.Property("Name", &TComponent::Name, &TComponent::SetName).Stored(false);
    c.Property("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
}

bool IsValidIdent(const String& Name) {
    if (Name.empty()) return false;
    auto isAlpha = [](char ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || ch == '_'; };
    if (!isAlpha(Name[0])) return false;
    return std::all_of(Name.begin() + 1, Name.end(),
                       [&](char ch) { return isAlpha(ch) || (ch >= '0' && ch <= '9'); });
}

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    // A script holding this component's handle gets an error from now on, not a dying object.
    ReleaseObjectHandle(this);
    Destroying();
    RemoveFreeNotifications();
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int Index) const {
    if (Index < 0 || Index >= ComponentCount()) ListIndexError(Index);
    return FComponents[static_cast<size_t>(Index)];
}

int TComponent::ComponentIndex() const {
    if (!FOwner) return -1;
    auto& list = FOwner->FComponents;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::SetComponentIndex(int Value) {
    int current = ComponentIndex();
    if (current < 0) return;
    auto& list = FOwner->FComponents;
    Value = std::clamp(Value, 0, static_cast<int>(list.size()) - 1);
    if (Value == current) return;
    list.erase(list.begin() + current);
    list.insert(list.begin() + Value, this);
}

TComponent* TComponent::FindComponent(const String& AName) const {
    if (AName.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, AName)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->FOwner == this) return;
    // An owner cycle would free its members twice.
    for (const TComponent* o = this; o; o = o->FOwner)
        if (o == AComponent) throw EComponentError("A component cannot own itself or its owner");
    AComponent->ValidateContainer(this);
    ValidateRename(AComponent, String(), AComponent->FName);
    if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
    Insert(AComponent);
    if (FComponentState.Contains(csDesigning)) AComponent->SetDesigning(true);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->FOwner != this) return;
    Notification(AComponent, opRemove);
    Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
    auto it = std::find(FComponents.rbegin(), FComponents.rend(), AComponent);
    if (it != FComponents.rend()) FComponents.erase(std::next(it).base());
    AComponent->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* instance = FComponents.back();
        // Components others wait for leave with a notification to the rest; others just leave.
        if (instance->FComponentState.Contains(csFreeNotification))
            RemoveComponent(instance);
        else
            Remove(instance);
        delete instance;
    }
}

void TComponent::Destroying() {
    if (FComponentState.Contains(csDestroying)) return;
    FComponentState.Include(csDestroying);
    for (TComponent* c : FComponents)
        c->Destroying();
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    if (!FOwner || AComponent->FOwner != FOwner) {
        if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
            FFreeNotifies.push_back(AComponent);
            AComponent->FreeNotification(this);
        }
    }
    FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveNotification(TComponent* AComponent) {
    auto it = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent);
    if (it == FFreeNotifies.end()) return;
    FFreeNotifies.erase(it);
    if (FFreeNotifies.empty()) FComponentState.Exclude(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (!AComponent) return;
    RemoveNotification(AComponent);
    AComponent->RemoveNotification(this);
}

void TComponent::RemoveFreeNotifications() {
    // Each partner is unlinked before it is told, so an override that forgets the base call
    // cannot keep this loop going.
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        other->RemoveNotification(this);
        other->Notification(this, opRemove);
    }
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
    // Owned components may leave while they are told; walk from the end and re-check the bound.
    for (size_t i = FComponents.size(); i > 0; --i) {
        if (i - 1 >= FComponents.size()) continue;
        FComponents[i - 1]->Notification(AComponent, Operation);
    }
}

void TComponent::SetName(const String& NewName) {
    if (FName == NewName) return;
    if (!NewName.empty() && !IsValidIdent(NewName))
        throw EComponentError("'" + NewName + "' is not a valid component name");
    if (FOwner)
        FOwner->ValidateRename(this, FName, NewName);
    else
        ValidateRename(nullptr, FName, NewName);
    ChangeName(NewName);
}

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) {
    if (AComponent && !SameText(CurName, NewName)) {
        TComponent* existing = FindComponent(NewName);
        if (existing && existing != AComponent)
            throw EComponentError("A component named " + NewName + " already exists");
    }
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
    if (Value)
        FComponentState.Include(csDesigning);
    else
        FComponentState.Exclude(csDesigning);
    if (SetChildren)
        for (TComponent* c : FComponents)
            c->SetDesigning(Value);
}

void TComponent::SetAncestor(bool Value) {
    if (Value)
        FComponentState.Include(csAncestor);
    else
        FComponentState.Exclude(csAncestor);
    for (TComponent* c : FComponents)
        c->SetAncestor(Value);
}

void TComponent::BeginLoading() {
    FComponentState << csLoading << csReading;
}

void TComponent::EndReading() {
    FComponentState.Exclude(csReading);
}

void TComponent::Loaded() {
    FComponentState.Exclude(csLoading);
}

void TComponent::SetWriting(bool Value) {
    if (Value)
        FComponentState.Include(csWriting);
    else
        FComponentState.Exclude(csWriting);
}

// ---- Global component lookup -------------------------------------------------------------------

namespace {
struct TGlobalLookup {
    std::mutex Lock;
    int NextId = 1;
    std::map<int, TFindGlobalComponent> Procs; // ordered by id, that is by registration
};
TGlobalLookup& GlobalLookup() {
    static TGlobalLookup lookup;
    return lookup;
}
} // namespace

int RegisterFindGlobalComponentProc(TFindGlobalComponent Proc) {
    auto& g = GlobalLookup();
    std::lock_guard lock(g.Lock);
    int id = g.NextId++;
    g.Procs.emplace(id, std::move(Proc));
    return id;
}

void UnregisterFindGlobalComponentProc(int Id) {
    auto& g = GlobalLookup();
    std::lock_guard lock(g.Lock);
    g.Procs.erase(Id);
}

TComponent* FindGlobalComponent(const String& Name) {
    std::vector<TFindGlobalComponent> procs;
    {
        auto& g = GlobalLookup();
        std::lock_guard lock(g.Lock);
        for (auto& [id, proc] : g.Procs)
            procs.push_back(proc);
    }
    for (auto& proc : procs)
        if (TComponent* c = proc(Name)) return c;
    return nullptr;
}
