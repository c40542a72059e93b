#include "TestClasses.h"

#include "classes/ClassRegistry.h"
#include "classes/MetaBuilder.h"

#include <gtest/gtest.h>

namespace {
// Another class under a name that differs from TTestThing's only in case.
class TTESTTHING2 : public TComponent {
    ORV_META(TTESTTHING2, TComponent)
    using TComponent::TComponent;
};
} // namespace
ORV_META_IMPL(TTESTTHING2)
void TTESTTHING2::DeclareMeta(meta::Class<TTESTTHING2>&) {}

TEST(ClassRegistry, FindsRegisteredClassesWithoutRegardToCase) {
    RegisterClass<TTestThing>();
    RegisterClasses({&TTestFont::StaticClassInfo(), &TTestItem::StaticClassInfo()});
    RegisterClass<TTestThing>(); // again: nothing happens
    EXPECT_EQ(GetClass("TTestThing"), &TTestThing::StaticClassInfo());
    EXPECT_EQ(GetClass("ttestthing"), &TTestThing::StaticClassInfo());
    EXPECT_EQ(&FindClass("TTESTFONT"), &TTestFont::StaticClassInfo());
    EXPECT_EQ(GetClass("TTestNothing"), nullptr);
    try {
        FindClass("TTestNothing");
        FAIL();
    } catch (const EClassNotFound& e) {
        EXPECT_EQ(e.Message(), "Class TTestNothing not found");
    }
}

TEST(ClassRegistry, ADifferentClassOfTheSameNameIsRefused) {
    RegisterClass<TTESTTHING2>();
    // A class record under the registered name, as two libraries might both declare.
    meta::TClassInfo clash("tTestThing2", &TComponent::StaticClassInfo(), meta::TFactory{}, nullptr);
    try {
        RegisterClass(clash);
        FAIL();
    } catch (const EFilerError& e) {
        EXPECT_EQ(e.Message(), "A class named tTestThing2 already exists");
    }
    UnRegisterClass(clash); // not the registered one: nothing happens
    EXPECT_EQ(GetClass("TTestThing2"), &TTESTTHING2::StaticClassInfo());
    UnRegisterClass(TTESTTHING2::StaticClassInfo());
    EXPECT_EQ(GetClass("TTestThing2"), nullptr);
}

TEST(ClassRegistry, CreatesByName) {
    RegisterClasses({&TTestThing::StaticClassInfo(), &TTestFont::StaticClassInfo(),
                     &TTestItem::StaticClassInfo(), &TTestAbstract::StaticClassInfo()});
    TComponent owner(nullptr);
    TComponent* c = FindClass("ttestthing").CreateComponent(&owner);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->ClassName(), "TTestThing");
    EXPECT_EQ(c->Owner(), &owner);
    EXPECT_EQ(owner.ComponentCount(), 1);

    std::unique_ptr<TObject> font = FindClass("TTestFont").CreateInstance();
    EXPECT_NE(dynamic_cast<TTestFont*>(font.get()), nullptr);
    std::unique_ptr<TObject> loose = FindClass("TTestThing").CreateInstance(); // a component without owner
    EXPECT_NE(dynamic_cast<TTestThing*>(loose.get()), nullptr);

    TCollection items(TTestItem::StaticClassInfo());
    TCollectionItem* item = FindClass("TTestItem").CreateItem(&items);
    EXPECT_EQ(items.Count(), 1);
    EXPECT_EQ(item->Collection(), &items);

    EXPECT_FALSE(FindClass("TTestAbstract").CanCreate());
    EXPECT_THROW(FindClass("TTestAbstract").CreateInstance(), EPropertyError);
    EXPECT_THROW(FindClass("TTestFont").CreateComponent(&owner), EPropertyError);
    EXPECT_THROW(FindClass("TTestThing").CreateItem(&items), EPropertyError);
}
