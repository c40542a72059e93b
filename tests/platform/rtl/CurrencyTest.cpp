// Currency: exact ten-thousandths, the platform's rounding, overflow.
#include "rtl/Currency.h"
#include "rtl/Format.h"
#include "rtl/ShortestDecimal.h"
#include "rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

Currency C(Int64 raw) {
    return Currency::FromRaw(raw);
}

TEST(Currency, FromDoubleRoundsToNearestTiesToEven) {
    const struct {
        long double value;
        Int64 raw;
    } cases[] = {
        {12.5, 125000},
        {0.1, 1000},
        {-0.1, -1000},
        {1234.56789, 12345679},
        {0.03125, 312},
        {-0.03125, -312},
        {0.09375, 938},
        {0.00004, 0},
        {0.00015, 1} /* the double is 0.000149999... */,
        {0.0001, 1},
        {922337203685477.0L, 9223372036854770000LL},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Currency::FromDouble(c.value).Value, c.raw) << (double)c.value;
    EXPECT_EQ(Currency::FromDouble(12.5).ToDouble(), 12.5L);
}

TEST(Currency, FromDoubleRaisesOutsideTheRange) {
    for (long double v : {1e15L, -1e15L, 922337203685477.6L, (long double)NAN, (long double)INFINITY}) {
        try {
            Currency::FromDouble(v);
            ADD_FAILURE() << (double)v;
        } catch (const EOverflow& e) {
            EXPECT_EQ(e.Message(), "Floating point overflow");
        }
    }
    EXPECT_THROW(Currency::FromInt(922337203685478LL), EOverflow);
    EXPECT_EQ(Currency::FromInt(-5).Value, -50000);
}

TEST(Currency, Arithmetic) {
    EXPECT_EQ(C(125000) + C(5), C(125005));
    EXPECT_EQ(C(125000) - C(125001), C(-1));
    EXPECT_EQ(-C(3), C(-3));
    EXPECT_EQ(C(15000) * C(3), C(4)) << "1.5 x 0.0003 = 0.00045, a tie to the even 0.0004";
    EXPECT_EQ(C(15000) * C(5), C(8)) << "0.00075 goes to 0.0008";
    EXPECT_EQ(C(-15000) * C(3), C(-4));
    EXPECT_EQ(C(25000) * C(40000), C(100000)) << "2.5 x 4 = 10";
    EXPECT_EQ(C(125000) * 3, C(375000));
    EXPECT_EQ(3 * C(125000), C(375000));
    EXPECT_EQ(C(10000) / C(30000), C(3333));
    EXPECT_EQ(C(20000) / C(30000), C(6667));
    EXPECT_EQ(C(-20000) / C(30000), C(-6667));
    EXPECT_EQ(C(100000) / 4, C(25000));
    EXPECT_EQ(C(10) / 4, C(2)) << "0.00025 is a tie and goes to the even 0.0002";
    EXPECT_EQ(C(14) / 4, C(4)) << "0.00035 goes to 0.0004";
    Currency x = C(10000);
    x += C(5000);
    x *= 2;
    x -= C(1);
    x /= C(10000);
    EXPECT_EQ(x, C(29999));
    EXPECT_TRUE(C(1) < C(2));
    EXPECT_TRUE(C(-1) < C(0));
    EXPECT_TRUE(C(5) >= C(5));
    EXPECT_EQ(C(25000).Round(), 3);
    EXPECT_EQ(C(-25000).Round(), -3);
    EXPECT_EQ(C(24999).Round(), 2);
    EXPECT_EQ(C(-29999).Trunc(), -2);
}

TEST(Currency, OverflowAndDivisionByZeroRaise) {
    EXPECT_THROW(Currency::MaxValue() + C(1), EOverflow);
    EXPECT_THROW(Currency::MinValue() - C(1), EOverflow);
    EXPECT_THROW(-Currency::MinValue(), EOverflow);
    EXPECT_THROW(Currency::MaxValue() * 2, EOverflow);
    EXPECT_THROW(Currency::FromInt(1000000000) * Currency::FromInt(1000000), EOverflow);
    EXPECT_THROW(C(1) / C(0), EZeroDivide);
    EXPECT_THROW(C(1) / 0, EZeroDivide);
    EXPECT_EQ(Currency::MaxValue() - C(1), C(INT64_MAX - 1));
}

TEST(Currency, TextRoundTrip) {
    EXPECT_EQ(CurrToStr(Currency::FromDouble(12.5)), "12.5");
    for (Int64 raw : {Int64(0), Int64(1), Int64(-1), Int64(125000), Int64(-987654321), INT64_MAX, INT64_MIN})
        EXPECT_EQ(StrToCurr(CurrToStr(C(raw))), C(raw)) << raw;
}

} // namespace

// An amount times a quantity as the quantity reads, rounded once, a tie to the even neighbour.
TEST(Currency, MulQuantityRoundsTheDecimalProductOnce) {
    const struct {
        Int64 amount;
        double quantity;
        Int64 raw;
    } cases[] = {
        {15000, 65.35, 980250},   // the double product 98.024999999999991 would round the same
        {15000, -65.35, -980250}, //
        {5, 0.3, 2},              // 0.00015: a tie, to the even 0.0002 (the double product is below)
        {5, 0.5, 2},              // 0.00025: a tie, to the even 0.0002
        {5, 0.7, 4},              // 0.00035: a tie, to the even 0.0004
        {10050, 1, 10050},        //
        {333333, 3, 999999},      //
        {1, 1e-30, 0},            //
        {10000, 1e14, 1000000000000000000LL},
        {0, 1e300, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MulQuantity(C(c.amount), c.quantity).Value, c.raw) << c.amount << " x " << c.quantity;
    EXPECT_THROW(MulQuantity(C(10000), 1e15), EOverflow);
    EXPECT_THROW(MulQuantity(C(10000), NAN), EOverflow);
}

// A double formats as it reads: its binary neighbour never decides a half.
TEST(Currency, ShortestDecimalValueKeepsAHalfAHalf) {
    const struct {
        double value;
        const char* shown;
    } cases[] = {
        {1.005, "1.01"},
        {2.675, "2.68"},
        {-98.025, "-98.03"},
        {0.1 + 0.2, "0.30"},
        {65.35 * 1.5, "98.02"} /* the product reads 98.02499999999999 */,
        {1e300, "1E300"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFloat("0.00", ShortestDecimalValue(c.value)), c.shown) << c.value;
    EXPECT_EQ(FormatFloat("0.00", 1.005), "1.00"); // the platform's own rounding of the binary value
    const TShortestDecimal d = ShortestDecimalOf(-65.35);
    EXPECT_TRUE(d.Negative);
    EXPECT_EQ(d.Digits, 6535u);
    EXPECT_EQ(d.Exponent, -2);
}

// Leaves digits in the stack where the next call's buffers lie.
[[gnu::noinline]] int LeaveDigitsOnTheStack() {
    volatile char digits[512];
    for (auto& c : digits)
        c = '7';
    return digits[3];
}

TEST(Currency, AQuantitysExponentIsReadFromItsOwnTextOnly) {
    // The exponent of the quantity's text once ran on into whatever followed it in the buffer,
    // so 65.35 m² at 1.5 could owe 98,025,000,000,000.
    for (int i = 0; i < 20; ++i) {
        LeaveDigitsOnTheStack();
        EXPECT_EQ(MulQuantity(C(15000), 65.35).Value, 980250);
        LeaveDigitsOnTheStack();
        EXPECT_EQ(ShortestDecimalOf(1234.5).Exponent, -1);
    }
}
