// Variant kinds, type queries, type texts, value semantics and dispatch objects.
#include "rtl/Variant.h"
#include "VariantTestSupport.h"
#include "rtl/DispatchObject.h"

#include <gtest/gtest.h>
#include <map>

TEST(Variant, TypeCodesAreThePlatformsOwn) {
    EXPECT_EQ(varEmpty, 0);
    EXPECT_EQ(varNull, 1);
    EXPECT_EQ(varSmallint, 2);
    EXPECT_EQ(varInteger, 3);
    EXPECT_EQ(varSingle, 4);
    EXPECT_EQ(varDouble, 5);
    EXPECT_EQ(varCurrency, 6);
    EXPECT_EQ(varDate, 7);
    EXPECT_EQ(varOleStr, 8);
    EXPECT_EQ(varDispatch, 9);
    EXPECT_EQ(varError, 10);
    EXPECT_EQ(varBoolean, 11);
    EXPECT_EQ(varVariant, 12);
    EXPECT_EQ(varUnknown, 13);
    EXPECT_EQ(varShortInt, 16);
    EXPECT_EQ(varByte, 17);
    EXPECT_EQ(varWord, 18);
    EXPECT_EQ(varLongWord, 19);
    EXPECT_EQ(varInt64, 20);
    EXPECT_EQ(varString, 256);
    EXPECT_EQ(varArray, 0x2000);
    EXPECT_EQ(varByRef, 0x4000);
}

TEST(Variant, ConstructorsChooseTheKind) {
    struct Case {
        Variant value;
        TVarType type;
    };
    const Case cases[] = {
        {Variant(), varEmpty},
        {Unassigned(), varEmpty},
        {Null(), varNull},
        {true, varBoolean},
        {'a', varString},
        {ShortInt(-1), varShortInt},
        {Byte(1), varByte},
        {SmallInt(1), varSmallint},
        {Word(1), varWord},
        {1, varInteger},
        {1u, varLongWord},
        {Int64(1), varInt64},
        {1LL, varInt64},
        {1.0f, varSingle},
        {1.0, varDouble},
        {Extended(1.0), varDouble},
        {Currency::FromRaw(10000), varCurrency},
        {"x", varString},
        {String("x"), varString},
        {u"x", varOleStr},
        {WideString(u"x"), varOleStr},
        {VarFromDateTime(1.5), varDate},
        {IDispatchPtr(), varDispatch},
        {VarAsError(3), varError},
        {VarArrayOf({}), varArray | varVariant},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Describe(c.value));
        EXPECT_EQ(VarType(c.value), c.type);
        EXPECT_EQ(c.value.VType(), c.type);
    }
    EXPECT_EQ(Variant('a').AsString(), "a");
    EXPECT_DOUBLE_EQ(Variant(Extended(2.5L)).AsDouble(), 2.5);
}

TEST(Variant, TypeQueries) {
    struct Case {
        Variant value;
        bool empty, null, clear, ordinal, isFloat, numeric, str, array;
    };
    const Case cases[] = {
        {Unassigned(), true, false, true, false, false, false, false, false},
        {Null(), false, true, false, false, false, false, false, false},
        {IDispatchPtr(), false, false, true, false, false, false, false, false},
        {1, false, false, false, true, false, true, false, false},
        {true, false, false, false, true, false, true, false, false},
        {Int64(1), false, false, false, true, false, true, false, false},
        {1.5, false, false, false, false, true, true, false, false},
        {Currency(), false, false, false, false, true, true, false, false},
        {VarFromDateTime(1), false, false, false, false, false, false, false, false},
        {"1", false, false, false, false, false, false, true, false},
        {u"1", false, false, false, false, false, false, true, false},
        {VarArrayOf({1}), false, false, false, false, false, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Describe(c.value));
        EXPECT_EQ(VarIsEmpty(c.value), c.empty);
        EXPECT_EQ(VarIsNull(c.value), c.null);
        EXPECT_EQ(VarIsClear(c.value), c.clear);
        EXPECT_EQ(VarIsOrdinal(c.value), c.ordinal);
        EXPECT_EQ(VarIsFloat(c.value), c.isFloat);
        EXPECT_EQ(VarIsNumeric(c.value), c.numeric);
        EXPECT_EQ(VarIsStr(c.value), c.str);
        EXPECT_EQ(VarIsArray(c.value), c.array);
    }
}

TEST(Variant, TypeTexts) {
    EXPECT_EQ(VarTypeAsText(varEmpty), "Empty");
    EXPECT_EQ(VarTypeAsText(varSmallint), "Smallint");
    EXPECT_EQ(VarTypeAsText(varOleStr), "OleStr");
    EXPECT_EQ(VarTypeAsText(varLongWord), "LongWord");
    EXPECT_EQ(VarTypeAsText(varInt64), "Int64");
    EXPECT_EQ(VarTypeAsText(varString), "String");
    EXPECT_EQ(VarTypeAsText(varArray | varVariant), "Array Variant");
    EXPECT_EQ(VarTypeAsText(varByRef | varInteger), "ByRef Integer");
    EXPECT_EQ(VarTypeAsText(0x48), "$0048");
}

TEST(Variant, CopiesAreIndependentValues) {
    Variant a = "text";
    Variant b = a;
    b = b + "more";
    EXPECT_EQ(a.AsString(), "text");
    EXPECT_EQ(b.AsString(), "textmore");
    VarClear(b);
    EXPECT_TRUE(VarIsEmpty(b));
    EXPECT_EQ(a.AsString(), "text");
    Variant c = std::move(a);
    EXPECT_EQ(c.AsString(), "text");
}

namespace {

// A small automation object: properties in a map, one method.
class TFakeAutomation : public IDispatchObject {
public:
    Variant GetProperty(const String& name, const std::vector<Variant>&) override {
        auto it = Props.find(name);
        if (it == Props.end()) throw EOleException("Unknown name.", DISP_E_UNKNOWNNAME);
        return it->second;
    }
    void PutProperty(const String& name, const std::vector<Variant>&, const Variant& value) override {
        Props[name] = value;
    }
    Variant CallMethod(const String& name, const std::vector<Variant>& args) override {
        if (name != "Sum") throw EOleException("Unknown name.", DISP_E_UNKNOWNNAME);
        Variant total = 0;
        for (const Variant& a : args)
            total = total + a;
        return total;
    }
    std::map<String, Variant> Props;
};

} // namespace

TEST(Variant, DispatchHoldsASharedAutomationObject) {
    std::weak_ptr<TFakeAutomation> watch;
    {
        auto object = std::make_shared<TFakeAutomation>();
        watch = object;
        Variant v = object;
        object.reset();
        EXPECT_EQ(VarType(v), varDispatch);
        EXPECT_FALSE(VarIsClear(v));
        Variant copy = v;
        copy.AsDispatch()->PutProperty("Caption", {}, "Hello");
        EXPECT_EQ(v.AsDispatch()->GetProperty("Caption", {}).AsString(), "Hello"); // the same object
        EXPECT_TRUE(SameTypeAndValue(v.AsDispatch()->CallMethod("Sum", {1, 2, 3}), 6));
        EXPECT_FALSE(watch.expired());
    }
    EXPECT_TRUE(watch.expired()); // the last Variant released it
}
