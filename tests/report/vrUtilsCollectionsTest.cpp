// Collections in the layout files' property data: one long string of attributes per item.
#include "report/vrUtils.h"

#include "classes/Collection.h"
#include "classes/MetaBuilder.h"
#include "rtl/Format.h"

#include <gtest/gtest.h>

namespace {

class TvrTestStyle : public TCollectionItem {
    ORV_META(TvrTestStyle, TCollectionItem)
    explicit TvrTestStyle(TCollection* Collection) : TCollectionItem(Collection) {}
    String Name;
};

// The item texts as the serializer would give them: ' Name="..."'.
String WriteName(TCollectionItem& item) {
    return " Name=\"" + static_cast<TvrTestStyle&>(item).Name + "\"";
}

void ReadName(TCollectionItem& item, const String& text) {
    const size_t open = text.find('"'), close = text.rfind('"');
    static_cast<TvrTestStyle&>(item).Name = text.substr(open + 1, close - open - 1);
}

String Hex(const TMemoryStream& m) {
    String s;
    for (Byte b : m.Bytes())
        s += Format("%.2X", {b});
    return s;
}

void FromHex(const String& hex, TMemoryStream& m) {
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        const Byte b = static_cast<Byte>(std::stoi(hex.substr(i, 2), nullptr, 16));
        m.WriteBuffer(&b, 1);
    }
    m.SetPosition(0);
}

} // namespace

ORV_META_IMPL(TvrTestStyle)
void TvrTestStyle::DeclareMeta(meta::Class<TvrTestStyle>& c) {
    c.Property("Name", &TvrTestStyle::Name, &TvrTestStyle::Name);
}

TEST(vrUtilsCollections, WritesTheLayoutByteForm) {
    TCollection styles(TvrTestStyle::StaticClassInfo());
    TMemoryStream empty;
    WriteCollectionAsXML(styles, empty, WriteName);
    EXPECT_EQ(Hex(empty), "0100");

    static_cast<TvrTestStyle*>(styles.Add())->Name = "Title";
    static_cast<TvrTestStyle*>(styles.Add())->Name = "标题";
    TMemoryStream m;
    WriteCollectionAsXML(styles, m, WriteName);
    // 1; per item 1, 12, the length (little-endian), ' Name="Title"', 0; then 0.
    EXPECT_EQ(Hex(m), "01010C0D000000204E616D653D225469746C652200010C0E000000204E616D653D22"
                      "E6A087E9A298220000");

    m.SetPosition(0);
    TCollection copy(TvrTestStyle::StaticClassInfo());
    copy.Add();
    ReadCollectionAsXML(copy, m, ReadName);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(static_cast<TvrTestStyle*>(copy.Items(0))->Name, "Title");
    EXPECT_EQ(static_cast<TvrTestStyle*>(copy.Items(1))->Name, "标题");
    EXPECT_EQ(m.Position(), m.Size());
}

TEST(vrUtilsCollections, ReadsTheOtherStringForms) {
    // A short string (6), a UTF-8 string (20) and a UTF-16 string (18) of ' Name="A"'.
    TMemoryStream m;
    FromHex("0101"
            "0609204E616D653D22412200"
            "01"
            "1409000000204E616D653D22422200"
            "01"
            "120900000020004E0061006D0065003D0022004300220000"
            "00",
            m);
    TCollection styles(TvrTestStyle::StaticClassInfo());
    ReadCollectionAsXML(styles, m, ReadName);
    ASSERT_EQ(styles.Count(), 3);
    EXPECT_EQ(static_cast<TvrTestStyle*>(styles.Items(0))->Name, "A");
    EXPECT_EQ(static_cast<TvrTestStyle*>(styles.Items(1))->Name, "B");
    EXPECT_EQ(static_cast<TvrTestStyle*>(styles.Items(2))->Name, "C");
}

TEST(vrUtilsCollections, DamagedDataRaisesAndLeavesTheCollection) {
    const String damaged[] = {
        "",                         // nothing
        "0E0000",                   // the component-stream collection form
        "01010C0D000000204E616D65", // cut inside a string
        "01010CFFFFFF7F20",         // a length far beyond the data
        "0101020500",               // an integer where the text should be
        "01010C01000000410101",     // no list end after the string
        "01010C0100000041",         // no end at all
    };
    for (const String& hex : damaged) {
        TCollection styles(TvrTestStyle::StaticClassInfo());
        static_cast<TvrTestStyle*>(styles.Add())->Name = "kept";
        TMemoryStream m;
        FromHex(hex, m);
        EXPECT_THROW(ReadCollectionAsXML(styles, m, ReadName), EReadError) << hex;
        ASSERT_EQ(styles.Count(), 1) << hex;
        EXPECT_EQ(static_cast<TvrTestStyle*>(styles.Items(0))->Name, "kept");
    }
}
