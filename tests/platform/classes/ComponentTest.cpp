#include "TestClasses.h"

#include <gtest/gtest.h>

using Log = std::vector<String>;

TEST(Component, OwnerFreesOwnedComponentsLastFirst) {
    Log log;
    {
        TLogComponent owner(nullptr, "Owner", &log);
        new TLogComponent(&owner, "A", &log);
        new TLogComponent(&owner, "B", &log);
        new TLogComponent(&owner, "C", &log);
        ASSERT_EQ(owner.ComponentCount(), 3);
        log.clear();
    }
    // (The owner's own destructor body runs first; its owned components go after it.)
    EXPECT_EQ(log, (Log{"free Owner", "free C", "free B", "free A"}));
}

TEST(Component, OwnedComponentFreedFirstLeavesItsOwner) {
    Log log;
    TLogComponent owner(nullptr, "Owner", &log);
    auto* a = new TLogComponent(&owner, "A", &log);
    auto* b = new TLogComponent(&owner, "B", &log);
    log.clear();
    delete a;
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0), b);
    EXPECT_EQ(b->ComponentIndex(), 0);
    // The owner and its other components hear of the removal.
    EXPECT_EQ(log, (Log{"free A", "B remove A", "Owner remove A"}));
}

TEST(Component, InsertionIsAnnouncedToOwnerAndSiblings) {
    Log log;
    TLogComponent owner(nullptr, "Owner", &log);
    new TLogComponent(&owner, "A", &log);
    log.clear();
    auto* b = new TLogComponent(nullptr, "B", &log);
    owner.InsertComponent(b);
    EXPECT_EQ(log, (Log{"A insert B", "Owner insert B"}));
    EXPECT_EQ(b->Owner(), &owner);
}

TEST(Component, NameRules) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    a->SetName("Edit1");

    struct Case {
        const char* name;
        const char* error; // nullptr: accepted
    } cases[] = {
        {"_x9", nullptr},
        {"", nullptr},
        {"1abc", "'1abc' is not a valid component name"},
        {"a b", "'a b' is not a valid component name"},
        {"a.b", "'a.b' is not a valid component name"},
        {"EDIT1", "A component named EDIT1 already exists"},
        {"Edit1", "A component named Edit1 already exists"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.error) {
            try {
                b->SetName(c.name);
                FAIL() << "accepted";
            } catch (const EComponentError& e) {
                EXPECT_EQ(e.Message(), c.error);
            }
        } else {
            EXPECT_NO_THROW(b->SetName(c.name));
            EXPECT_EQ(b->Name(), c.name);
        }
    }
    // Changing only the case of its own name is no clash; two components may both be unnamed.
    EXPECT_NO_THROW(a->SetName("EDIT1"));
    b->SetName("");
    auto* c = new TComponent(&owner);
    EXPECT_EQ(c->Name(), "");
    // Components of different owners may share a name.
    TComponent other(nullptr);
    other.SetName("EDIT1");
    EXPECT_EQ(other.Name(), "EDIT1");
}

TEST(Component, InsertRefusesANameClashAndKeepsTheFormerOwner) {
    TComponent owner1(nullptr), owner2(nullptr);
    auto* a = new TComponent(&owner1);
    a->SetName("Grid");
    auto* b = new TComponent(&owner2);
    b->SetName("grid");
    EXPECT_THROW(owner1.InsertComponent(b), EComponentError);
    EXPECT_EQ(b->Owner(), &owner2);
    EXPECT_EQ(owner2.ComponentCount(), 1);
}

TEST(Component, FindComponentIgnoresCase) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    a->SetName("QryPub");
    EXPECT_EQ(owner.FindComponent("qrypub"), a);
    EXPECT_EQ(owner.FindComponent("QRYPUB"), a);
    EXPECT_EQ(owner.FindComponent("Qry"), nullptr);
    EXPECT_EQ(owner.FindComponent(""), nullptr);
}

TEST(Component, InsertTakesFromFormerOwnerAndRemoveHandsOver) {
    TComponent owner1(nullptr), owner2(nullptr);
    auto* a = new TComponent(&owner1);
    owner2.InsertComponent(a);
    EXPECT_EQ(owner1.ComponentCount(), 0);
    EXPECT_EQ(owner2.ComponentCount(), 1);
    EXPECT_EQ(a->Owner(), &owner2);
    owner2.RemoveComponent(a);
    EXPECT_EQ(a->Owner(), nullptr);
    EXPECT_EQ(owner2.ComponentCount(), 0);
    delete a; // no owner any more: the caller frees it
}

TEST(Component, OwnerCyclesAreRefused) {
    TComponent root(nullptr);
    auto* child = new TComponent(&root);
    auto* grandChild = new TComponent(child);
    EXPECT_THROW(grandChild->InsertComponent(&root), EComponentError);
    EXPECT_THROW(child->InsertComponent(child), EComponentError);
    EXPECT_EQ(grandChild->Owner(), child);
}

TEST(Component, ComponentsIndexAndMove) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    auto* c = new TComponent(&owner);
    EXPECT_EQ(c->ComponentIndex(), 2);
    c->SetComponentIndex(0);
    EXPECT_EQ(owner.Components(0), c);
    EXPECT_EQ(owner.Components(1), a);
    EXPECT_EQ(owner.Components(2), b);
    b->SetComponentIndex(99); // clamped to the end
    EXPECT_EQ(b->ComponentIndex(), 2);
    try {
        owner.Components(3);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (3)");
    }
    TComponent loose(nullptr);
    EXPECT_EQ(loose.ComponentIndex(), -1);
}

TEST(Component, FreeNotificationAcrossOwnersClearsTheReference) {
    TComponent form1(nullptr), form2(nullptr);
    auto* thing = new TTestThing(&form1);
    auto* target = new TComponent(&form2);
    thing->SetLink(target);
    delete target;
    EXPECT_EQ(thing->Link(), nullptr);

    // Either side may go first: the partner's list forgets the freed one.
    auto* target2 = new TComponent(&form2);
    thing->SetLink(target2);
    delete thing;
    delete target2;
}

TEST(Component, FreeNotificationBetweenSiblingsGoesThroughTheOwner) {
    auto* owner = new TComponent(nullptr);
    auto* thing = new TTestThing(owner);
    auto* target = new TComponent(owner);
    thing->SetLink(target);
    EXPECT_TRUE(target->ComponentState().Contains(csFreeNotification));
    delete target;
    EXPECT_EQ(thing->Link(), nullptr);

    // While the owner frees its components (the last first), a sibling others wait for is
    // announced before the ones that refer to it are freed.
    struct TLinkWatch : TTestThing {
        using TTestThing::TTestThing;
        TComponent** LinkAtFree = nullptr;
        ~TLinkWatch() override { *LinkAtFree = Link(); }
    };
    TComponent* linkAtFree = thing;
    auto* watch = new TLinkWatch(owner);
    watch->LinkAtFree = &linkAtFree;
    auto* target2 = new TComponent(owner);
    watch->SetLink(target2);
    delete owner;
    EXPECT_EQ(linkAtFree, nullptr);
}

TEST(Component, RemoveFreeNotificationStopsTheNotice) {
    Log log;
    TLogComponent a(nullptr, "A", &log);
    auto* b = new TLogComponent(nullptr, "B", &log);
    b->FreeNotification(&a);
    b->RemoveFreeNotification(&a);
    log.clear();
    delete b;
    EXPECT_EQ(log, (Log{"free B"}));

    auto* c = new TLogComponent(nullptr, "C", &log);
    c->FreeNotification(&a);
    log.clear();
    delete c;
    EXPECT_EQ(log, (Log{"free C", "A remove C"}));
}

TEST(Component, StateFlags) {
    auto* owner = new TComponent(nullptr);
    auto* child = new TComponent(owner);
    owner->SetDesigning(true);
    EXPECT_TRUE(child->ComponentState().Contains(csDesigning));
    auto* late = new TComponent(owner);
    EXPECT_TRUE(late->ComponentState().Contains(csDesigning)); // joins a designed owner
    owner->SetDesigning(false, false);
    EXPECT_FALSE(owner->ComponentState().Contains(csDesigning));
    EXPECT_TRUE(child->ComponentState().Contains(csDesigning));

    owner->SetAncestor(true);
    EXPECT_TRUE(late->ComponentState().Contains(csAncestor));

    Log log;
    TLogComponent loading(nullptr, "L", &log);
    loading.BeginLoading();
    EXPECT_EQ(loading.ComponentState(), (TComponentState{csLoading, csReading}));
    loading.EndReading();
    loading.Loaded();
    EXPECT_TRUE(loading.ComponentState().Empty());
    EXPECT_EQ(log, (Log{"loaded L"}));
    loading.SetWriting(true);
    EXPECT_TRUE(loading.ComponentState().Contains(csWriting));

    // Owned components see csDestroying on their owner while they are freed.
    struct TWatch : TComponent {
        using TComponent::TComponent;
        bool* OwnerDestroying;
        ~TWatch() override {
            *OwnerDestroying = Owner() == nullptr || Owner()->ComponentState().Contains(csDestroying);
        }
    };
    bool seen = false;
    auto* watch = new TWatch(owner);
    watch->OwnerDestroying = &seen;
    delete owner;
    EXPECT_TRUE(seen);
}

TEST(Component, AssignWithoutSupportRaises) {
    TComponent a(nullptr);
    TTestFont font;
    try {
        a.Assign(&font);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TTestFont to a TComponent");
    }
    try {
        font.Assign(nullptr);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a nil to a TTestFont");
    }
    // A class that knows the source copies it.
    TTestFont other;
    other.FaceName = "Tahoma";
    font.Assign(&other);
    EXPECT_EQ(font.FaceName, "Tahoma");
}

TEST(Component, NamePaths) {
    TComponent form(nullptr);
    form.SetName("Form1");
    auto* thing = new TTestThing(&form);
    thing->SetName("Thing1");
    EXPECT_EQ(thing->GetNamePath(), "Thing1");
    TTestFont loose;
    EXPECT_EQ(loose.GetNamePath(), "TTestFont");
}

TEST(Component, InheritsFromByName) {
    TTestThing thing(nullptr);
    EXPECT_TRUE(thing.InheritsFrom("TTestThing"));
    EXPECT_TRUE(thing.InheritsFrom("tcomponent"));
    EXPECT_TRUE(thing.InheritsFrom("TPersistent"));
    EXPECT_TRUE(thing.InheritsFrom("TObject"));
    EXPECT_FALSE(thing.InheritsFrom("TCollection"));
    EXPECT_FALSE(thing.InheritsFrom("TTestDerived"));
    TStringList list; // a runtime class without a class record
    EXPECT_TRUE(list.InheritsFrom("TStringList"));
    EXPECT_TRUE(list.InheritsFrom("TObject"));
}

TEST(Component, GlobalComponentLookup) {
    TComponent form(nullptr);
    form.SetName("frmMain");
    int id = RegisterFindGlobalComponentProc(
        [&](const String& name) -> TComponent* { return name == "frmMain" ? &form : nullptr; });
    EXPECT_EQ(FindGlobalComponent("frmMain"), &form);
    EXPECT_EQ(FindGlobalComponent("frmOther"), nullptr);
    UnregisterFindGlobalComponentProc(id);
    EXPECT_EQ(FindGlobalComponent("frmMain"), nullptr);
}
