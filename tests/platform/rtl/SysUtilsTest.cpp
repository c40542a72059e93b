#include "rtl/SysUtils.h"

#include <gtest/gtest.h>

TEST(SysUtils, AbortRaisesTheSilentException) {
    EXPECT_THROW(Abort(), EAbort);
    try {
        throw EFOpenError("Cannot open file \"x\"");
    } catch (const EStreamError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"x\"");
        EXPECT_STREQ(e.what(), "Cannot open file \"x\"");
    }
}
