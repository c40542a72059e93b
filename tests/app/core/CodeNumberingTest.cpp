#include "app/core/CodeNumbering.h"

#include "rtl/DateUtils.h"

#include <gtest/gtest.h>

namespace {

struct NextCase {
    const char* highest;
    int digits;
    const char* next;
};

class NextCodeCases : public testing::TestWithParam<NextCase> {};

TEST_P(NextCodeCases, CountsUpTheLastDigits) {
    const NextCase& c = GetParam();
    EXPECT_EQ(NextCodeAfter(c.highest, c.digits), c.next);
}

INSTANTIATE_TEST_SUITE_P(Table, NextCodeCases,
                         testing::Values(NextCase{"", 3, "001"}, NextCase{"", 6, "000001"},
                                         NextCase{"", 8, "00000001"}, NextCase{"009", 3, "010"},
                                         NextCase{"998", 3, "999"}, NextCase{"12", 3, "13"},
                                         NextCase{"A-019", 3, "A-020"},
                                         NextCase{"20260301017", 3, "20260301018"},
                                         NextCase{"000000099", 9, "000000100"}));

TEST(NextCode, AFullCounterStopsInsteadOfWrapping) {
    // Wrapping "999" to "000" would hand out a code that may exist already.
    EXPECT_THROW(NextCodeAfter("999", 3), ECodeNumberingError);
    EXPECT_THROW(NextCodeAfter("X99999999", 8), ECodeNumberingError);
    EXPECT_THROW(NextCodeAfter("99", 3), ECodeNumberingError);
    try {
        NextCodeAfter("20260301999", 3);
        FAIL();
    } catch (const ECodeNumberingError& e) {
        EXPECT_NE(e.Message().find("20260301999"), String::npos);
    }
}

TEST(NextCode, ATailThatIsNotADigitRaisesAConversionError) {
    EXPECT_THROW(NextCodeAfter("0A1", 3), EConvertError);
    EXPECT_THROW(NextCodeAfter("12 ", 3), EConvertError);
}

TEST(NewDatedCode, StartsFromTodayAndCountsOnFromTheHighest) {
    const TDateTime day = EncodeDateTime(2026, 3, 1, 15, 4, 5, 0);
    EXPECT_EQ(NewDatedCodeAfter("", "", 3, day), "20260301001");
    EXPECT_EQ(NewDatedCodeAfter("", "SK", 4, day), "SK202603010001");
    EXPECT_EQ(NewDatedCodeAfter("20260301017", "", 3, day), "20260301018");
    // The thousandth receipt of a day stops instead of repeating the first number.
    EXPECT_THROW(NewDatedCodeAfter("20260301999", "", 3, day), ECodeNumberingError);
}

} // namespace
