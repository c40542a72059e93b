#include "report/vrXML.h"

#include <gtest/gtest.h>

namespace {

struct TCase {
    const char* in;
    const char* out;
};

String Repeat(const String& s, int n) {
    String r;
    for (int i = 0; i < n; ++i)
        r += s;
    return r;
}

} // namespace

TEST(vrXMLEscape, EscapesTheSixSpecialCharactersAsDecimalReferences) {
    const TCase cases[] = {
        {"", ""},
        {"plain", "plain"},
        {"a<b", "a&#60;b"},
        {"a>b", "a&#62;b"},
        {"A&B", "A&#38;B"}, // a lone ampersand is escaped in short texts too
        {"say \"hi\"", "say &#34;hi&#34;"},
        {"l1\r\nl2", "l1&#13;&#10;l2"},
        {"it's\ttab", "it's\ttab"}, // apostrophe and tab are not special
        {"&quot;", "&#38;quot;"},   // reads back as the six characters it was
        {"&lt;", "&#38;lt;"},
        {"&#65;", "&#38;#65;"},
        {"\xE4\xB8\xAD\xE6\x96\x87<", "\xE4\xB8\xAD\xE6\x96\x87&#60;"}, // 中文<
    };
    for (const TCase& c : cases)
        EXPECT_EQ(EscapeXMLText(c.in), c.out) << c.in;
}

TEST(vrXMLEscape, LongTextsFollowTheSameRules) {
    const String body = Repeat("x", 40);
    EXPECT_EQ(EscapeXMLText(body + "&" + body), body + "&#38;" + body);
    EXPECT_EQ(EscapeXMLText(body + "&quot;"), body + "&#38;quot;");
    EXPECT_EQ(EscapeXMLText(Repeat("<>", 300)), Repeat("&#60;&#62;", 300));
}

TEST(vrXMLEscape, UnescapesReferencesAndTheFourNamedEntities) {
    const TCase cases[] = {
        {"&#65;&amp;&lt;", "A&<"},
        {"&quot;x&gt;", "\"x>"},
        {"&amp;lt;", "&lt;"}, // a decoded character is not looked at again
        {"&apos;", "&apos;"}, // unknown entity stays
        {"&QUOT;", "&QUOT;"}, // entities compare with case
        {"A&B", "A&B"},       // lone ampersand, as files of the old rule hold it
        {"&#13;&#10;", "\r\n"},
        {"&#065;", "A"},
        {"&#20013;&#25991;", "\xE4\xB8\xAD\xE6\x96\x87"}, // 中文 as UTF-8
        {"&#128512;", "\xF0\x9F\x98\x80"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(UnescapeXMLText(c.in), String(c.out)) << c.in;
    EXPECT_EQ(UnescapeXMLText("a&#0;b"), String("a\0b", 3));
}

TEST(vrXMLEscape, LeavesReferencesItDoesNotKnowAndNeverReadsPastTheEnd) {
    const char* unchanged[] = {
        "&#x41;",
        "&#;",
        "&#65",
        "&#",
        "&",
        "x&",
        "&#65 ;",
        "&# 65;",
        "&#-1;",
        "&#99999999999;", // beyond any character
        "&#55296;",       // a lone surrogate
        "&#1114112;",     // one past the last character
        "&am",
        "&l",
        "&quot",
    };
    for (const char* s : unchanged)
        EXPECT_EQ(UnescapeXMLText(s), s) << s;
    EXPECT_EQ(UnescapeXMLText("&#65&#66;"), "&#65B");
    EXPECT_EQ(UnescapeXMLText(Repeat("&#", 5000)), Repeat("&#", 5000));
}

TEST(vrXMLEscape, EveryTextReadsBackAsWritten) {
    std::vector<String> texts = {
        "",
        "&lt;",
        "&#65;",
        "&quot;",
        "&amp;amp;",
        "a & b & c",
        "\"quoted\" 'single'",
        "\r\n\r\n",
        "\x01\x02\x1F\x7F",
        "\xE6\x8A\xA5\xE8\xA1\xA8 <\xE6\xA0\x87\xE9\xA2\x98> & \"\xE5\xBC\x95\xE5\x8F\xB7\"", // 报表 <标题> &
                                                                                              // "引号"
    };
    String all;
    for (int c = 1; c < 256; ++c)
        all += static_cast<char>(c);
    texts.push_back(all);
    const size_t count = texts.size();
    for (size_t i = 0; i < count; ++i)
        texts.push_back(Repeat(texts[i], 20) + "&#"); // long forms
    for (const String& t : texts)
        EXPECT_EQ(UnescapeXMLText(EscapeXMLText(t)), t) << t;
}
