#include "TestClasses.h"

#include "classes/ObjectHandles.h"

#include <gtest/gtest.h>

#include <set>

TEST(ObjectHandles, StableHandleForALiveObject) {
    TTestFont font;
    Integer h = ObjectToHandle(&font);
    EXPECT_GT(h, 0);
    EXPECT_EQ(ObjectToHandle(&font), h);
    EXPECT_EQ(HandleToObject(h), &font);
    EXPECT_EQ(HandleToObjectAs<TTestFont>(h), &font);
    EXPECT_TRUE(IsValidObjectHandle(h));
    EXPECT_EQ(ObjectToHandle(nullptr), 0);
    EXPECT_EQ(HandleToObject(0), nullptr);
}

TEST(ObjectHandles, FreedAndForgedHandlesRaise) {
    Integer stale;
    {
        TTestFont font;
        stale = ObjectToHandle(&font);
    }
    TTestFont alive;
    Integer live = ObjectToHandle(&alive);
    for (Integer h : {stale, live + 1000, -7, 0x7ffffff0}) {
        SCOPED_TRACE(h);
        EXPECT_FALSE(IsValidObjectHandle(h));
        try {
            HandleToObject(h);
            FAIL();
        } catch (const EInvalidHandle& e) {
            EXPECT_EQ(e.Message(), "Invalid object handle");
        }
    }
    EXPECT_THROW(HandleToObjectAs<TComponent>(live), EInvalidCast);
}

TEST(ObjectHandles, HandlesAreNeverReused) {
    std::set<Integer> seen;
    for (int i = 0; i < 100; ++i) {
        // Objects of the same size at the same address still get new handles.
        auto font = std::make_unique<TTestFont>();
        EXPECT_TRUE(seen.insert(ObjectToHandle(font.get())).second);
    }
}

TEST(ObjectHandles, ComponentHandleDiesWhenItsDestructionBegins) {
    Integer ownerHandle = 0;
    bool ownerValidDuringFree = true;
    struct TProbe : TComponent {
        using TComponent::TComponent;
        Integer* OwnerHandle = nullptr;
        bool* OwnerValid = nullptr;
        ~TProbe() override { *OwnerValid = IsValidObjectHandle(*OwnerHandle); }
    };
    auto* owner = new TComponent(nullptr);
    auto* probe = new TProbe(owner);
    ownerHandle = ObjectToHandle(owner);
    Integer probeHandle = ObjectToHandle(probe);
    probe->OwnerHandle = &ownerHandle;
    probe->OwnerValid = &ownerValidDuringFree;
    delete owner;
    EXPECT_FALSE(ownerValidDuringFree);
    EXPECT_FALSE(IsValidObjectHandle(probeHandle));
}
