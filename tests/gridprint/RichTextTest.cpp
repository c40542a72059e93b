// The rich text line list: lines over a rich text holder, rich text in and out, plain text as the
// fallback.
#include "gridprint/PrnDbggxRichText.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

namespace {

// The lines as comma text (through a plain list, so Count and Get are what is tested).
struct Lines {
    explicit Lines(const TStrings& s) {
        for (int i = 0; i < s.Count(); ++i)
            List.Add(s[i]);
    }
    String CommaText() const { return List.CommaText(); }
    String Text() const { return List.Text(); }
    TStringList List;
};

void Load(TRichEditStrings& list, const std::string& bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
    stream.SetPosition(0);
    list.LoadFromStream(stream);
}

TEST(RichEditStrings, AddCountsOnlyRealLines) {
    TRichEditStrings list;
    EXPECT_EQ(list.Count(), 0);
    list.Add("one");
    EXPECT_EQ(list.Count(), 1);
    list.Add("two");
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list[1], "two");
    EXPECT_EQ(list.Holder().Text(), "one\r\ntwo\r\n");
}

TEST(RichEditStrings, InsertPutDelete) {
    TRichEditStrings list;
    list.SetText("a\r\nb");
    EXPECT_EQ(list.Count(), 2);
    list.Insert(2, "c"); // at the count: appended after the last line
    EXPECT_EQ(list.Holder().Text(), "a\r\nb\r\nc");
    list.Insert(5, "x"); // beyond the count: nothing
    list.Insert(-1, "x");
    EXPECT_EQ(list.Count(), 3);
    list.Insert(0, "z");
    EXPECT_EQ(Lines(list).CommaText(), "z,a,b,c");
    list.SetStrings(1, "A");
    list.SetStrings(9, "nothing");
    list.Delete(3);
    list.Delete(0);
    EXPECT_EQ(Lines(list).CommaText(), "A,b");
    // After an empty last line an insertion beyond it does nothing.
    list.SetText("a\r\n");
    list.Insert(2, "x");
    EXPECT_EQ(list.Holder().Text(), "a\r\n");
}

TEST(RichEditStrings, PlainTextStreamWithAnyLineBreaks) {
    TRichEditStrings list;
    Load(list, "one\rtwo\nthree\r\nfour");
    EXPECT_EQ(Lines(list).CommaText(), "one,two,three,four");
}

TEST(RichEditStrings, RichTextStreamReadsItsText) {
    TRichEditStrings list;
    Load(list, "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
               "\\f0\\b Bold\\b0  text\\par Second \\'c4\\'e3\\u22909?\\u-10179?\\u-8704?\\par\r\n}");
    EXPECT_EQ(Lines(list).CommaText(), "\"Bold text\",\"Second 你好😀\"");
}

TEST(RichEditStrings, SavesRichTextAndKeepsLoadedFormatting) {
    TRichEditStrings list;
    list.Add("第一 {x}");
    list.Add("two\\");
    TStringStream out;
    list.SaveToStream(out);
    std::string bytes = out.DataString();
    EXPECT_EQ(bytes.compare(0, 5, "{\\rtf"), 0);
    TRichEditStrings back;
    Load(back, bytes);
    EXPECT_EQ(Lines(back).Text(), Lines(list).Text());

    // A document loaded and not changed is saved as it came.
    const std::string doc = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\b kept\\b0\\par}";
    TRichEditStrings rich;
    Load(rich, doc);
    TStringStream again;
    rich.SaveToStream(again);
    EXPECT_EQ(again.DataString(), doc);

    // An empty list saves an empty rich text document.
    TRichEditStrings empty;
    TStringStream e;
    empty.SaveToStream(e);
    TRichEditStrings emptyBack;
    Load(emptyBack, e.DataString());
    EXPECT_EQ(emptyBack.Count(), 0);
}

} // namespace
