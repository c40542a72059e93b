// Extra properties through DefineProperties and the binary value stream.
#include "TestClasses.h"
#include "classes/Filer.h"

#include <gtest/gtest.h>

namespace {

// An object with one extra property of each kind the stream carries.
class TExtras : public TPersistent {
public:
    String ClassName() const override { return "TExtras"; }
    std::vector<String> Lines;
    String Long;
    Int64 Numbers[4] = {0, 0, 0, 0};
    String Bytes;
    bool Flag = false;
    Extended Ratio = 0;
    TCollection Items{TTestItem::StaticClassInfo()};

    void DefineProperties(TFiler& Filer) override {
        Filer.DefineProperty(
            "Lines",
            [this](TReader& r) {
                Lines.clear();
                r.ReadListBegin();
                while (!r.EndOfList())
                    Lines.push_back(r.ReadString());
                r.ReadListEnd();
            },
            [this](TWriter& w) {
                w.WriteListBegin();
                for (const String& s : Lines)
                    w.WriteString(s);
                w.WriteListEnd();
            },
            !Lines.empty());
        Filer.DefineProperty(
            "Long", [this](TReader& r) { Long = r.ReadString(); }, [this](TWriter& w) { w.WriteLongString(Long); },
            !Long.empty());
        Filer.DefineProperty(
            "Numbers",
            [this](TReader& r) {
                r.ReadListBegin();
                for (Int64& n : Numbers)
                    n = r.ReadInt64();
                r.ReadListEnd();
            },
            [this](TWriter& w) {
                w.WriteListBegin();
                for (Int64 n : Numbers)
                    w.WriteInteger(n);
                w.WriteListEnd();
            },
            true);
        Filer.DefineBinaryProperty(
            "Bytes",
            [this](TStream& s) {
                Bytes.assign(static_cast<size_t>(s.Size()), '\0');
                if (!Bytes.empty()) s.ReadBuffer(Bytes.data(), s.Size());
            },
            [this](TStream& s) { s.WriteBuffer(Bytes.data(), static_cast<Int64>(Bytes.size())); }, !Bytes.empty());
        Filer.DefineProperty(
            "Misc",
            [this](TReader& r) {
                Flag = r.ReadBoolean();
                Ratio = r.ReadFloat();
            },
            [this](TWriter& w) {
                w.WriteBoolean(Flag);
                w.WriteFloat(Ratio);
            },
            Flag);
        Filer.DefineProperty(
            "Items", [this](TReader& r) { r.ReadCollection(Items); }, [this](TWriter& w) { w.WriteCollection(Items); },
            Items.Count() > 0);
    }
};

String Hex(TMemoryStream& m) {
    static const char* digits = "0123456789ABCDEF";
    String s;
    const Byte* p = static_cast<const Byte*>(m.Memory());
    for (Int64 i = 0; i < m.Size(); ++i) {
        s += digits[p[i] >> 4];
        s += digits[p[i] & 15];
    }
    return s;
}

TEST(Filer, EveryKindOfExtraPropertyRoundTrips) {
    TExtras a;
    a.Lines = {"one", "二"};
    a.Long = String(70000, 'z');
    a.Numbers[0] = -5;
    a.Numbers[1] = 1000;
    a.Numbers[2] = 100000;
    a.Numbers[3] = Int64(1) << 40;
    a.Bytes = String("\0\1\2\377", 4);
    a.Flag = true;
    a.Ratio = 2.5;
    auto* item = static_cast<TTestItem*>(a.Items.Add());
    item->Title = "first";
    item->Width = 10;
    a.Items.Add();
    TMemoryStream m;
    TWriter w(m);
    w.WriteProperties(a);
    m.SetPosition(0);
    TExtras b;
    TReader r(m);
    r.ReadProperties(b);
    EXPECT_EQ(b.Lines, a.Lines);
    EXPECT_EQ(b.Long, a.Long);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(b.Numbers[i], a.Numbers[i]);
    EXPECT_EQ(b.Bytes, a.Bytes);
    EXPECT_TRUE(b.Flag);
    EXPECT_DOUBLE_EQ(static_cast<double>(b.Ratio), 2.5);
    ASSERT_EQ(b.Items.Count(), 2);
    EXPECT_EQ(static_cast<TTestItem*>(b.Items.Items(0))->Title, "first");
    EXPECT_EQ(static_cast<TTestItem*>(b.Items.Items(0))->Width, 10);
    EXPECT_EQ(static_cast<TTestItem*>(b.Items.Items(1))->Width, 64);
}

TEST(Filer, NamesAndValuesInTheirByteForm) {
    TExtras a; // only Numbers has data
    TMemoryStream m;
    TWriter w(m);
    w.WriteProperties(a);
    EXPECT_EQ(Hex(m), "074E756D6265727301020002000200020000");
    a.Numbers[0] = 200;
    a.Numbers[1] = 70000;
    TMemoryStream m2;
    TWriter w2(m2);
    w2.WriteProperties(a);
    EXPECT_EQ(Hex(m2), "074E756D6265727301" "03C800" "0470110100" "0200" "0200" "00");
}

TEST(Filer, DamageAndUnknownNamesRaise) {
    struct TCase {
        const char* Name;
        String Bytes;
    };
    const std::vector<TCase> cases = {
        {"unknown name", String("\x04None\x02\x01", 7)},
        {"length past the end", String("\x04Long\x0C\xFF\x00\x00\x00" "ab", 12)},
        {"wrong tag", String("\x07Numbers\x06\x01x", 11)},
        {"cut short", String("\x07Numbers\x01\x02", 10)},
    };
    for (const TCase& c : cases) {
        TMemoryStream m;
        m.WriteBuffer(c.Bytes.data(), static_cast<Int64>(c.Bytes.size()));
        m.SetPosition(0);
        TExtras b;
        TReader r(m);
        EXPECT_THROW(r.ReadProperties(b), EReadError) << c.Name;
    }
}

} // namespace
