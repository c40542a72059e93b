// The edit-mask reader shared by the masked edit and the script library's FormatMaskText.
#include "rtl/EditMask.h"

#include <gtest/gtest.h>

TEST(EditMask, ReadsThePictureAndItsSections) {
    const TEditMaskInfo m = ReadEditMask(">LL\\-00;0;*");
    EXPECT_EQ(m.Picture, ">LL\\-00");
    EXPECT_FALSE(m.KeepLiterals);
    EXPECT_EQ(m.Blank, '*');
    ASSERT_EQ(m.Slots.size(), 5u);
    EXPECT_EQ(m.Slots[0].Kind, 'L');
    EXPECT_EQ(m.Slots[0].Case, 1);
    EXPECT_EQ(m.Slots[2].Kind, 0);
    EXPECT_EQ(m.Slots[2].Literal, '-');
    const TEditMaskInfo plain = ReadEditMask("99/99");
    EXPECT_TRUE(plain.KeepLiterals);
    EXPECT_EQ(plain.Blank, ' ');
}

TEST(EditMask, FormatsValuesIntoTheMask) {
    struct {
        const char* Mask;
        const char* Value;
        const char* Result;
    } cases[] = {
        {"000-0000;0;_", "5551234", "555-1234"}, {"000-0000;1;_", "555-1234", "555-1234"},
        {"000-0000;1;_", "55", "55_-____"},      {">ll<ll", "abCD", "ABcd"},
        {"\\(000\\)", "123", "(123)"},           {"", "abc", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatMaskText(c.Mask, c.Value), c.Result) << c.Mask << " " << c.Value;
}
