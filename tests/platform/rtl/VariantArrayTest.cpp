// Variant arrays: creation, bounds, element access with conversion and bounds checks, resizing,
// and copy-on-assign.
#include "VariantTestSupport.h"
#include "rtl/Variant.h"

#include <gtest/gtest.h>

TEST(VariantArray, OneDimensionalTypedArray) {
    Variant a = VarArrayCreate({1, 3}, varInteger);
    EXPECT_EQ(VarType(a), varArray | varInteger);
    EXPECT_EQ(VarTypeAsText(VarType(a)), "Array Integer");
    EXPECT_EQ(VarArrayDimCount(a), 1);
    EXPECT_EQ(VarArrayLowBound(a, 1), 1);
    EXPECT_EQ(VarArrayHighBound(a, 1), 3);
    EXPECT_TRUE(SameTypeAndValue(VarArrayGet(a, {2}), 0)); // elements start at the type's zero
    VarArrayPut(a, "5", {2});                              // stored converted to the element type
    EXPECT_TRUE(SameTypeAndValue(VarArrayGet(a, {2}), 5));
    EXPECT_THROW(VarArrayPut(a, "x", {2}), EVariantTypeCastError);
    EXPECT_TRUE(SameTypeAndValue(VarArrayGet(a, {2}), 5)); // a failed store changes nothing

    Variant d = VarArrayCreate({0, 1}, varDouble);
    VarArrayPut(d, 1, {0});
    EXPECT_TRUE(SameTypeAndValue(VarArrayGet(d, {0}), 1.0));
    Variant s = VarArrayCreate({0, 0}, varOleStr);
    EXPECT_TRUE(SameTypeAndValue(VarArrayGet(s, {0}), u""));
}

TEST(VariantArray, TwoDimensionsKeepEveryElementApart) {
    Variant a = VarArrayCreate({1, 2, 0, 3}, varVariant);
    EXPECT_EQ(VarArrayDimCount(a), 2);
    EXPECT_EQ(VarArrayLowBound(a, 1), 1);
    EXPECT_EQ(VarArrayHighBound(a, 1), 2);
    EXPECT_EQ(VarArrayLowBound(a, 2), 0);
    EXPECT_EQ(VarArrayHighBound(a, 2), 3);
    EXPECT_TRUE(VarIsEmpty(VarArrayGet(a, {1, 0})));
    for (int i = 1; i <= 2; ++i)
        for (int j = 0; j <= 3; ++j)
            VarArrayPut(a, i * 10 + j, {i, j});
    for (int i = 1; i <= 2; ++i)
        for (int j = 0; j <= 3; ++j)
            EXPECT_TRUE(SameTypeAndValue(VarArrayGet(a, {i, j}), i * 10 + j));
}

TEST(VariantArray, IndexAndArgumentErrors) {
    Variant a = VarArrayCreate({0, 2, 1, 1}, varVariant);
    const char* bounds = "Variant or safe array index out of bounds";
    EXPECT_TRUE(Check([&] { return VarArrayGet(a, {3, 1}); }, Raises<EVariantBadIndexError>(bounds)));
    EXPECT_TRUE(Check([&] { return VarArrayGet(a, {-1, 1}); }, Raises<EVariantBadIndexError>(bounds)));
    EXPECT_TRUE(Check([&] { return VarArrayGet(a, {0, 0}); }, Raises<EVariantBadIndexError>(bounds)));
    EXPECT_TRUE(Check([&] { return VarArrayGet(a, {0}); }, Raises<EVariantBadIndexError>(bounds)));
    EXPECT_THROW(VarArrayPut(a, 1, {0, 2}), EVariantBadIndexError);
    EXPECT_THROW(VarArrayLowBound(a, 3), EVariantBadIndexError);
    EXPECT_THROW(VarArrayHighBound(a, 0), EVariantBadIndexError);

    EXPECT_EQ(VarArrayDimCount(1), 0);
    EXPECT_TRUE(Check([] { return VarArrayGet(1, {0}); },
                      Raises<EVariantNotAnArrayError>("Variant is not an array")));
    Variant notArray = 1;
    EXPECT_THROW(VarArrayRedim(notArray, 3), EVariantNotAnArrayError);

    const char* create = "Error creating variant or safe array";
    EXPECT_TRUE(
        Check([] { return VarArrayCreate({}, varVariant); }, Raises<EVariantArrayCreateError>(create)));
    EXPECT_TRUE(
        Check([] { return VarArrayCreate({0}, varVariant); }, Raises<EVariantArrayCreateError>(create)));
    EXPECT_TRUE(Check(
        [] {
            return VarArrayCreate({3, 1}, varVariant);
        },
        Raises<EVariantArrayCreateError>(create)));
    EXPECT_TRUE(Check(
        [] {
            return VarArrayCreate({0, 1}, varString);
        },
        Raises<EVariantArrayCreateError>(create)));
    EXPECT_TRUE(Check(
        [] {
            return VarArrayCreate({0, 1}, varEmpty);
        },
        Raises<EVariantArrayCreateError>(create)));
    Variant empty = VarArrayCreate({0, -1}, varVariant); // an array without elements
    EXPECT_EQ(VarArrayHighBound(empty, 1), -1);
    EXPECT_THROW(VarArrayGet(empty, {0}), EVariantBadIndexError);
}

TEST(VariantArray, ArrayOfHoldsAnyValuesFromZero) {
    Variant a = VarArrayOf({1, "a", Null(), VarArrayOf({2.5})});
    EXPECT_EQ(VarType(a), varArray | varVariant);
    EXPECT_EQ(VarArrayLowBound(a, 1), 0);
    EXPECT_EQ(VarArrayHighBound(a, 1), 3);
    EXPECT_TRUE(SameTypeAndValue(VarArrayGet(a, {0}), 1));
    EXPECT_TRUE(SameTypeAndValue(VarArrayGet(a, {1}), "a"));
    EXPECT_TRUE(VarIsNull(VarArrayGet(a, {2})));
    EXPECT_TRUE(SameTypeAndValue(VarArrayGet(VarArrayGet(a, {3}), {0}), 2.5));
    EXPECT_EQ(VarArrayHighBound(VarArrayOf({}), 1), -1);
}

TEST(VariantArray, AssignmentCopiesTheArray) {
    Variant a = VarArrayOf({1, 2});
    Variant b = a;
    VarArrayPut(b, 9, {0});
    EXPECT_TRUE(SameTypeAndValue(VarArrayGet(a, {0}), 1));
    EXPECT_TRUE(SameTypeAndValue(VarArrayGet(b, {0}), 9));
    VarArrayPut(a, 7, {1});
    EXPECT_TRUE(SameTypeAndValue(VarArrayGet(b, {1}), 2));

    Variant c = a;
    VarArrayRedim(c, 5);
    EXPECT_EQ(VarArrayHighBound(a, 1), 1);
    EXPECT_EQ(VarArrayHighBound(c, 1), 5);

    VarArrayPut(a, a, {0}); // an array stored into itself keeps the value it had
    Variant inner = VarArrayGet(a, {0});
    EXPECT_TRUE(SameTypeAndValue(VarArrayGet(inner, {0}), 1));
    EXPECT_TRUE(VarIsArray(VarArrayGet(a, {0})));
}

TEST(VariantArray, RedimChangesTheLastDimension) {
    Variant a = VarArrayCreate({1, 2}, varInteger);
    VarArrayPut(a, 11, {1});
    VarArrayPut(a, 22, {2});
    VarArrayRedim(a, 4);
    EXPECT_EQ(VarArrayHighBound(a, 1), 4);
    EXPECT_TRUE(SameTypeAndValue(VarArrayGet(a, {2}), 22));
    EXPECT_TRUE(SameTypeAndValue(VarArrayGet(a, {4}), 0));
    VarArrayRedim(a, 1);
    EXPECT_TRUE(SameTypeAndValue(VarArrayGet(a, {1}), 11));
    EXPECT_THROW(VarArrayGet(a, {2}), EVariantBadIndexError);
    VarArrayRedim(a, 0); // no elements left
    EXPECT_THROW(VarArrayGet(a, {1}), EVariantBadIndexError);
    EXPECT_TRUE(Check(
        [&] {
            VarArrayRedim(a, -1);
            return a;
        },
        Raises<EVariantInvalidArgError>("Invalid argument")));

    Variant m = VarArrayCreate({0, 1, 0, 1}, varVariant);
    for (int i = 0; i <= 1; ++i)
        for (int j = 0; j <= 1; ++j)
            VarArrayPut(m, i * 10 + j, {i, j});
    VarArrayRedim(m, 2);
    EXPECT_EQ(VarArrayHighBound(m, 1), 1);
    EXPECT_EQ(VarArrayHighBound(m, 2), 2);
    for (int i = 0; i <= 1; ++i)
        for (int j = 0; j <= 1; ++j)
            EXPECT_TRUE(SameTypeAndValue(VarArrayGet(m, {i, j}), i * 10 + j));
    EXPECT_TRUE(VarIsEmpty(VarArrayGet(m, {1, 2})));
}
