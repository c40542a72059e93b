#include "rtl/ScopeGuards.h"
#include "rtl/StringList.h"
#include "rtl/SysUtils.h"

#include <gtest/gtest.h>

namespace {

// Counts its update brackets; EndUpdate raises when asked to.
struct TCounted {
    int Depth = 0;
    int Ended = 0;
    bool FailEnd = false;
    void BeginUpdate() { ++Depth; }
    void EndUpdate() {
        --Depth;
        ++Ended;
        if (FailEnd) throw EListError("end failed");
    }
};

} // namespace

TEST(ScopeGuards, UpdateEndsOnANormalExitAndWhenAnErrorPasses) {
    TCounted target;
    {
        const TUpdateGuard updating(target);
        EXPECT_EQ(target.Depth, 1);
    }
    EXPECT_EQ(target.Depth, 0);
    EXPECT_THROW(
        {
            const TUpdateGuard updating(target);
            throw EConvertError("body failed");
        },
        EConvertError);
    EXPECT_EQ(target.Depth, 0);
    EXPECT_EQ(target.Ended, 2);
}

TEST(ScopeGuards, AFailingCloseReachesTheCallerUnlessAnotherErrorIsPassing) {
    TCounted target;
    target.FailEnd = true;
    // Nothing else failed: the closing call's error is the caller's.
    EXPECT_THROW({ const TUpdateGuard updating(target); }, EListError);
    // The body failed first: that error reaches the caller, the closing one is dropped.
    try {
        const TUpdateGuard updating(target);
        throw EConvertError("body failed");
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "body failed");
    }
    EXPECT_EQ(target.Ended, 2);
    EXPECT_EQ(target.Depth, 0);
}

TEST(ScopeGuards, AStringListLeavesItsUpdateStateWhenAssignFails) {
    TStringList source, dest;
    source.Add("b");
    source.Add("a");
    dest.SetSorted(true);
    dest.SetDuplicates(TDuplicates::dupError);
    source.Add("a"); // a duplicate the sorted destination refuses
    int changes = 0;
    dest.OnChange = [&](TObject*) { ++changes; };
    EXPECT_THROW(dest.Assign(source), EStringListError);
    // The update bracket was closed: the next change is reported at once.
    changes = 0;
    dest.Clear();
    dest.Add("c");
    EXPECT_EQ(changes, 2);
}

TEST(ScopeGuards, ScopeExitRunsItsCallOnEveryExit) {
    int calls = 0;
    { const TScopeExit count([&] { ++calls; }); }
    EXPECT_THROW(
        {
            const TScopeExit count([&] { ++calls; });
            throw EConvertError("x");
        },
        EConvertError);
    EXPECT_EQ(calls, 2);
}
