// TComponent: a named persistent object in an ownership tree. An owner frees the components it
// owns when it is destroyed (the last one first); a component destroyed first leaves its owner's
// list. Components can ask to be told when another one is freed (FreeNotification/Notification).
//
// The owned components are freed by ~TComponent, that is after the destructor bodies and members
// of the derived classes are gone. A class whose owned components use its own state while they
// are freed (windows and their controls, for instance) calls DestroyComponents() first in its own
// destructor.
#pragma once

#include "classes/Persistent.h"
#include "classes/Set.h"

#include <functional>
#include <vector>

ORV_DECLARE_EXCEPTION(EComponentError, Exception)

enum TOperation { opInsert, opRemove };

// csLoading: read from a stream, Loaded not yet called; csReading: its properties are being read;
// csWriting: being written; csDestroying: its destruction has begun; csDesigning: in a designer;
// csAncestor: taken over from an ancestor layout; csFreeNotification: another component waits
// for its destruction.
enum TComponentStateItem {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csFreeNotification
};
using TComponentState = TSet<TComponentStateItem>;

class TComponent : public TPersistent {
    ORV_META(TComponent, TPersistent)

    // With an owner, the owner keeps the component in its list and frees it.
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    TComponent* Owner() const { return FOwner; }
    TPersistent* GetOwner() const override { return FOwner; }

    // The name: empty or an identifier (letter or "_", then letters, digits, "_"), unique among
    // the owner's components without regard to case. EComponentError "'X' is not a valid
    // component name" or "A component named X already exists".
    const String& Name() const { return FName; }
    virtual void SetName(const String& NewName);
    String GetNamePath() const override { return FName; }

    Integer Tag() const { return FTag; }
    void SetTag(Integer Value) { FTag = Value; }

    // The owned components in insertion order.
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int Index) const; // EListError "List index out of bounds (n)"
    // This component's position in its owner's list (-1 without owner); setting it moves it there.
    int ComponentIndex() const;
    void SetComponentIndex(int Value);
    // The owned component of that name, compared without regard to case; nullptr when none.
    TComponent* FindComponent(const String& AName) const;
    // Makes this component the owner of AComponent (taking it from its former owner).
    void InsertComponent(TComponent* AComponent);
    // Takes AComponent out of this component's list; the caller then owns it.
    void RemoveComponent(TComponent* AComponent);
    // Frees every owned component, the last one first.
    void DestroyComponents();
    // Marks this component and everything it owns csDestroying. The destructor calls it; a
    // derived destructor that must stop work in its owned components early may call it first.
    void Destroying();

    // Asks that AComponent be told (Notification opRemove) when this component is freed, and this
    // one when AComponent is. Components of the same owner are told through their owner.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);
    // Called on every owned component and free-notification partner when a component is
    // inserted into or removed from this one's list, or freed. Overrides must call the base.
    virtual void Notification(TComponent* AComponent, TOperation Operation);

    TComponentState ComponentState() const { return FComponentState; }
    // csDesigning for this component and, with SetChildren, everything it owns.
    void SetDesigning(bool Value, bool SetChildren = true);
    // csAncestor for this component and everything it owns.
    void SetAncestor(bool Value);
    // For readers and writers of component streams: BeginLoading sets csLoading and csReading,
    // EndReading clears csReading once the properties are read, Loaded (called when the whole tree
    // is read) clears csLoading; SetWriting sets or clears csWriting.
    void BeginLoading();
    void EndReading();
    virtual void Loaded();
    void SetWriting(bool Value);

protected:
    // Checks NewName for AComponent among this component's components; raises EComponentError
    // for a duplicate.
    virtual void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName);
    // Called by InsertComponent before this component joins AOwner; containers that accept only
    // some owners raise here.
    virtual void ValidateContainer(TComponent* AOwner) { (void)AOwner; }
    virtual void ChangeName(const String& NewName) { FName = NewName; }

private:
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    void RemoveNotification(TComponent* AComponent);
    void RemoveFreeNotifications();

    TComponent* FOwner = nullptr;
    String FName;
    Integer FTag = 0;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    TComponentState FComponentState;
};

// True when Name is an identifier: a letter or "_" followed by letters, digits and "_".
bool IsValidIdent(const String& Name);

// The global component lookup: forms and data modules make themselves known by name through
// procedures registered here (the window layer registers one); FindGlobalComponent asks them in
// registration order and gives the first component found, or nullptr.
using TFindGlobalComponent = std::function<TComponent*(const String& Name)>;
int RegisterFindGlobalComponentProc(TFindGlobalComponent Proc);
void UnregisterFindGlobalComponentProc(int Id);
TComponent* FindGlobalComponent(const String& Name);
