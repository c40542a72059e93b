// Conversions of Variant (VarAsType and the As... accessors), tested from one table of cases.
#include "VariantTestSupport.h"
#include "rtl/DispatchObject.h"
#include "rtl/Variant.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

Variant Cur(double v) {
    return Variant(Currency::FromRaw(std::llround(v * 10000)));
}
Variant Dt(double v) {
    return VarFromDateTime(v);
}

struct ConvertCase {
    Variant value;
    TVarType target;
    Outcome expected;
};

String Cast(const char* from, const char* to) {
    return String("Could not convert variant of type (") + from + ") into type (" + to + ")";
}
String Overflow(const char* from, const char* to) {
    return String("Overflow while converting variant of type (") + from + ") into type (" + to + ")";
}

// Messages live as long as the table.
template <class E> Outcome RaisesText(const String& text) {
    static std::vector<std::unique_ptr<String>> keep;
    keep.push_back(std::make_unique<String>(text));
    return Raises<E>(keep.back()->c_str());
}

const std::vector<ConvertCase>& Cases() {
    static const std::vector<ConvertCase> cases = {
        // Empty converts to zero values
        {Unassigned(), varInteger, Gives(0)},
        {Unassigned(), varString, Gives("")},
        {Unassigned(), varBoolean, Gives(false)},
        {Unassigned(), varDouble, Gives(0.0)},
        {Unassigned(), varDate, Gives(Dt(0))},
        // Null converts to nothing else
        {Null(), varInteger, RaisesText<EVariantTypeCastError>(Cast("Null", "Integer"))},
        {Null(), varDouble, RaisesText<EVariantTypeCastError>(Cast("Null", "Double"))},
        {Null(), varString, RaisesText<EVariantTypeCastError>(Cast("Null", "String"))},
        {Null(), varBoolean, RaisesText<EVariantTypeCastError>(Cast("Null", "Boolean"))},
        {Null(), varNull, Gives(Null())},
        // Boolean
        {true, varInteger, Gives(-1)},
        {true, varDouble, Gives(-1.0)},
        {true, varCurrency, Gives(Cur(-1))},
        {true, varString, Gives("True")},
        {false, varString, Gives("False")},
        {5, varBoolean, Gives(true)},
        {0.0, varBoolean, Gives(false)},
        {"True", varBoolean, Gives(true)},
        {"fAlSe", varBoolean, Gives(false)},
        {"0", varBoolean, Gives(false)},
        {"2.5", varBoolean, Gives(true)},
        {"yes", varBoolean, RaisesText<EVariantTypeCastError>(Cast("String", "Boolean"))},
        // Strings to numbers
        {"42", varInteger, Gives(42)},
        {"2.5", varInteger, Gives(2)},
        {"3.5", varInteger, Gives(4)},
        {"TRUE", varInteger, Gives(-1)},
        {"abc", varInteger, RaisesText<EVariantTypeCastError>(Cast("String", "Integer"))},
        {"3000000000", varInteger, RaisesText<EVariantOverflowError>(Overflow("String", "Integer"))},
        {"3000000000", varInt64, Gives(Int64(3000000000LL))},
        {"2.25", varDouble, Gives(2.25)},
        {u"2.25", varDouble, Gives(2.25)},
        {"x", varDouble, RaisesText<EVariantTypeCastError>(Cast("String", "Double"))},
        {u"x", varDouble, RaisesText<EVariantTypeCastError>(Cast("OleStr", "Double"))},
        {"12.3456", varCurrency, Gives(Cur(12.3456))},
        {"x", varCurrency, RaisesText<EVariantTypeCastError>(Cast("String", "Currency"))},
        // Floats and currency to integers round half to even
        {2.5, varInteger, Gives(2)},
        {3.5, varInteger, Gives(4)},
        {-2.5, varInteger, Gives(-2)},
        {1e10, varInteger, RaisesText<EVariantOverflowError>(Overflow("Double", "Integer"))},
        {Cur(2.5), varInteger, Gives(2)},
        {Cur(3.5), varInteger, Gives(4)},
        {Cur(-3.5), varInteger, Gives(-4)},
        {Dt(45000.75), varInteger, Gives(45001)},
        // Range of the small integer types
        {255, varByte, Gives(Byte(255))},
        {300, varByte, RaisesText<EVariantOverflowError>(Overflow("Integer", "Byte"))},
        {-1, varWord, RaisesText<EVariantOverflowError>(Overflow("Integer", "Word"))},
        {70000, varSmallint, RaisesText<EVariantOverflowError>(Overflow("Integer", "Smallint"))},
        {-128, varShortInt, Gives(ShortInt(-128))},
        {4294967295LL, varLongWord, Gives(4294967295u)},
        {Int64(5000000000LL), varInteger, RaisesText<EVariantOverflowError>(Overflow("Int64", "Integer"))},
        // Numbers to text and other numbers
        {42, varString, Gives("42")},
        {Int64(-5000000000LL), varString, Gives("-5000000000")},
        {1.5, varString, Gives("1.5")},
        {Cur(12.5), varString, Gives("12.5")},
        {123, varOleStr, Gives(u"123")},
        {1.5, varCurrency, Gives(Cur(1.5))},
        {1e300, varCurrency, RaisesText<EVariantOverflowError>(Overflow("Double", "Currency"))},
        {0.1, varSingle, Gives(0.1f)},
        {1e300, varSingle, RaisesText<EVariantOverflowError>(Overflow("Double", "Single"))},
        {45000, varDate, Gives(Dt(45000))},
        // Dates and text
        {Dt(45000), varString, Gives("2023-03-15")},
        {Dt(45000.5), varString, Gives("2023-03-15 12:00:00")},
        {Dt(45000.25), varDouble, Gives(45000.25)},
        {"2023-03-15", varDate, Gives(Dt(45000))},
        {"not a date", varDate, RaisesText<EVariantTypeCastError>(Cast("String", "Date"))},
        // UTF-8 and UTF-16 text
        {u"\u4E2D\u6587", varString, Gives("\xE4\xB8\xAD\xE6\x96\x87")},
        {"\xE4\xB8\xAD\xE6\x96\x87", varOleStr, Gives(u"\u4E2D\u6587")},
        {"\xF0\x9F\x98\x80", varOleStr, Gives(u"\U0001F600")},
        {u"\U0001F600", varString, Gives("\xF0\x9F\x98\x80")},
        // Kinds that do not convert
        {Variant(IDispatchPtr()), varString, RaisesText<EVariantTypeCastError>(Cast("Dispatch", "String"))},
        {VarArrayOf({1}), varInteger, RaisesText<EVariantTypeCastError>(Cast("Array Variant", "Integer"))},
        {VarAsError(5), varInteger, RaisesText<EVariantTypeCastError>(Cast("Error", "Integer"))},
        {1, varVariant, Raises<EVariantBadVarTypeError>("Invalid variant type")},
        {1, varArray | varVariant, RaisesText<EVariantTypeCastError>(Cast("Integer", "Array Variant"))},
        {Unassigned(), varDispatch, Gives(Variant(IDispatchPtr()))},
    };
    return cases;
}

} // namespace

TEST(VariantConvert, TableOfCases) {
    for (const ConvertCase& c : Cases()) {
        SCOPED_TRACE(Describe(c.value) + " as " + VarTypeAsText(c.target));
        EXPECT_TRUE(Check([&] { return VarAsType(c.value, c.target); }, c.expected));
    }
}

TEST(VariantConvert, AccessorsFollowTheSameRules) {
    EXPECT_EQ(Variant("12").AsInteger(), 12);
    EXPECT_EQ(Variant(3000000000u).AsInt64(), 3000000000LL);
    EXPECT_DOUBLE_EQ(Variant("2.5").AsDouble(), 2.5);
    EXPECT_EQ(Variant(2.5).AsCurrency().Value, 25000);
    EXPECT_TRUE(Variant("true").AsBoolean());
    EXPECT_EQ(Variant(true).AsString(), "True");
    EXPECT_EQ(Variant("ab").AsWideString(), u"ab");
    EXPECT_DOUBLE_EQ(Variant("2023-03-15").AsDateTime(), 45000.0);
    EXPECT_EQ(Variant().AsDispatch(), nullptr);
    try {
        (void)Null().AsDouble();
        FAIL() << "Null converted to a number";
    } catch (const EVariantTypeCastError& e) {
        EXPECT_EQ(e.Message(), "Could not convert variant of type (Null) into type (Double)");
    }
    EXPECT_THROW((void)Variant("x").AsInteger(), EVariantError);
    EXPECT_THROW((void)Null().AsString(), EVariantTypeCastError);
}

TEST(VariantConvert, TextHelpersTreatNullAsEmptyText) {
    EXPECT_EQ(VarToStr(Null()), "");
    EXPECT_EQ(VarToStr(Unassigned()), "");
    EXPECT_EQ(VarToStr(7), "7");
    EXPECT_EQ(VarToStrDef(Null(), "none"), "none");
    EXPECT_EQ(VarToStrDef(Unassigned(), "none"), "");
    EXPECT_EQ(VarToStrDef(1.5, "none"), "1.5");
    EXPECT_EQ(VarToWideStr(Null()), u"");
    EXPECT_EQ(VarToWideStr("x"), u"x");
    EXPECT_DOUBLE_EQ(VarToDateTime(VarFromDateTime(45000.5)), 45000.5);
    EXPECT_THROW(VarToDateTime(Null()), EVariantTypeCastError);
}
