#include "report/vrXML.h"

#include <gtest/gtest.h>

TEST(vrXMLVariant, ValuesBecomeAttributeTexts) {
    const std::pair<Variant, const char*> cases[] = {
        {Variant(static_cast<short>(-5)), "-5"},
        {Variant(42), "42"},
        {Variant(static_cast<unsigned char>(200)), "200"},
        {Variant(static_cast<unsigned short>(65535)), "65535"},
        {Variant(static_cast<long long>(1) << 40), "1099511627776"},
        {Variant(2.5), "2.5"},
        {Variant(0.1f), "0.100000001490116"},
        {Variant(Currency::FromRaw(12345)), "1.2345"},
        {VarFromDateTime(45000.75), "2023-03-15"},
        {Variant("a<\"b\"&c"), "a&#60;&#34;b&#34;&#38;c"},
        {Variant(u"\u4E2D&"), "\xE4\xB8\xAD&#38;"},
        {Variant(true), "1"},
        {Variant(false), "0"},
        {Variant(), ""},
        {Null(), ""},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(VariantToXMLText(value), text) << text;
}
