// Rounding and powers.
#include "rtl/MathUtils.h"
#include "rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(MathUtils, RoundingToIntegers) {
    const struct {
        Extended x;
        Int64 round, halfAway, trunc;
    } cases[] = {
        {2.5, 2, 3, 2},     {3.5, 4, 4, 3},
        {-2.5, -2, -3, -2}, {-3.5, -4, -4, -3},
        {2.4999, 2, 2, 2},  {-2.7, -3, -3, -2},
        {0.5, 0, 1, 0},     {1e15 + 0.5, 1000000000000000, 1000000000000001, 1000000000000000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Round(c.x), c.round) << (double)c.x;
        EXPECT_EQ(RoundHalfAway(c.x), c.halfAway) << (double)c.x;
        EXPECT_EQ(Trunc(c.x), c.trunc) << (double)c.x;
    }
    EXPECT_THROW(Trunc(1e30), EInvalidOp);
    EXPECT_THROW(Round(NAN), EInvalidOp);
    EXPECT_THROW(RoundHalfAway(-1e19), EInvalidOp);
    EXPECT_EQ(Int(-2.7L), -2.0L);
    EXPECT_EQ(Frac(-2.5L), -0.5L);
    EXPECT_EQ(Frac(3.75L), 0.75L);
    EXPECT_EQ(Ceil(1.2), 2);
    EXPECT_EQ(Ceil(-1.2), -1);
    EXPECT_EQ(Floor(-1.2), -2);
    EXPECT_EQ(Floor(3.0), 3);
    EXPECT_THROW(Floor(3e9), EInvalidOp);
}

TEST(MathUtils, RoundToPowersOfTen) {
    const struct {
        Extended value;
        int digit;
        Extended roundTo, simpleRoundTo;
    } cases[] = {
        {2.5, 0, 2, 3},
        {3.5, 0, 4, 4},
        {-2.5, 0, -2, -3},
        {0.125, -2, 0.12L, 0.13L},
        {-0.125, -2, -0.12L, -0.13L},
        {1.235, -2, 1.24L, 1.24L}, // the double is 1.23500000000000010...
        {1.005, -2, 1.0L, 1.0L},   // the double is 1.00499999999999989...
        {1234.5678, -2, 1234.57L, 1234.57L},
        {1234, 2, 1200, 1200},
        {1250, 2, 1200, 1300},
        {1350, 2, 1400, 1400},
        {49, 2, 0, 0},
        {99.996, -2, 100, 100},
        {0, -2, 0, 0},
        {1e300, -2, 1e300, 1e300},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RoundTo(c.value, c.digit), c.roundTo) << (double)c.value << " at " << c.digit;
        EXPECT_EQ(SimpleRoundTo(c.value, c.digit), c.simpleRoundTo) << (double)c.value << " at " << c.digit;
    }
    EXPECT_EQ(SimpleRoundTo(2.345), 2.35L) << "two places by default";
    EXPECT_TRUE(std::isnan(RoundTo(NAN, -2)));
}

TEST(MathUtils, Powers) {
    EXPECT_EQ(Power(2, 10), 1024);
    EXPECT_EQ(Power(-2, 3), -8);
    EXPECT_EQ(Power(5, 0), 1);
    EXPECT_EQ(Power(0, 3), 0);
    EXPECT_EQ(Power(4, 0.5), 2);
    EXPECT_EQ(IntPower(10, -2), 0.01L);
    EXPECT_EQ(IntPower(2, -1), 0.5L);
    EXPECT_THROW(Power(-8, 1.0 / 3), EInvalidOp);
    EXPECT_THROW(Power(0, -1), EZeroDivide);
    EXPECT_THROW(Power(10, 5000), EOverflow);
}

} // namespace
