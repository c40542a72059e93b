#include "rtl/StringList.h"
#include "rtl/CodePage.h"
#include "rtl/Streams.h"

#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

std::vector<String> Lines(const TStrings& l) {
    std::vector<String> v;
    for (Integer i = 0; i < l.Count(); ++i)
        v.push_back(l.Strings(i));
    return v;
}

void Fill(TStrings& l, std::initializer_list<String> items) {
    l.Clear();
    for (const auto& s : items)
        l.Add(s);
}

const String kZhong = "\xE4\xB8\xAD"; // 中
const String kA = "\xE9\x98\xBF";     // 阿

// An object that records its destruction.
class TTracked : public TObject {
public:
    explicit TTracked(int& counter) : FCounter(counter) {}
    ~TTracked() override { ++FCounter; }

private:
    int& FCounter;
};

} // namespace

TEST(StringList, TextJoinsWithCrLfAndSplitsAtAnyBreak) {
    struct Case {
        String text;
        std::vector<String> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\rc", {"a", "b", "c"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"a\n\rb", {"a", "", "b"}},
        {"\n\n", {"", ""}},
        {" x \r\n" + kZhong, {" x ", kZhong}},
    };
    TStringList l;
    for (const auto& c : cases) {
        l.SetText(c.text);
        EXPECT_EQ(Lines(l), c.lines) << c.text;
    }
    Fill(l, {"a", "", "b"});
    EXPECT_EQ(l.Text(), "a\r\n\r\nb\r\n");
    l.Clear();
    EXPECT_EQ(l.Text(), "");
}

TEST(StringList, CommaTextWriting) {
    struct Case {
        std::vector<String> lines;
        String text;
    };
    const Case cases[] = {
        {{}, ""},
        {{""}, "\"\""},
        {{"a", "b"}, "a,b"},
        {{"a b", "c"}, "\"a b\",c"},
        {{"a,b"}, "\"a,b\""},
        {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
        {{"", "x", ""}, ",x,"},
        {{"tab\there"}, "\"tab\there\""},
        {{kZhong, "x=y"}, kZhong + ",x=y"},
    };
    TStringList l;
    for (const auto& c : cases) {
        l.Clear();
        for (const auto& s : c.lines)
            l.Add(s);
        EXPECT_EQ(l.CommaText(), c.text);
        // And back again.
        TStringList back;
        back.SetCommaText(c.text);
        EXPECT_EQ(Lines(back), c.lines) << c.text;
    }
}

TEST(StringList, CommaTextParsing) {
    struct Case {
        String text;
        std::vector<String> lines;
    };
    const Case cases[] = {
        {"a,b,c", {"a", "b", "c"}},
        {"a b,c", {"a", "b", "c"}}, // blanks separate too
        {"  a  ,  b  ", {"a", "b"}},
        {"a,,b", {"a", "", "b"}},
        {"a,", {"a", ""}},
        {",", {"", ""}},
        {"a, ", {"a"}},
        {"\"a b\",\"c,d\"", {"a b", "c,d"}},
        {"\"it\"\"s\"", {"it\"s"}},
        {"\"ab\"cd,e", {"ab", "cd", "e"}},
        {"\"open", {"open"}}, // an unclosed quote runs to the end
        {"", {}},
        {"   ", {}},
    };
    TStringList l;
    for (const auto& c : cases) {
        l.SetCommaText(c.text);
        EXPECT_EQ(Lines(l), c.lines) << c.text;
    }
}

TEST(StringList, DelimitedTextWithStrictDelimiter) {
    TStringList l;
    l.SetDelimiter(';');
    l.SetQuoteChar('\'');
    l.SetDelimitedText("a b;'c;d';e");
    EXPECT_EQ(Lines(l), (std::vector<String>{"a", "b", "c;d", "e"}));
    EXPECT_EQ(l.DelimitedText(), "a;b;'c;d';e");
    EXPECT_EQ(l.CommaText(), "a,b,c;d,e"); // CommaText keeps ',' and '"'

    l.SetStrictDelimiter(true);
    l.SetDelimitedText(" a b ;c;;'x;y' ");
    EXPECT_EQ(Lines(l), (std::vector<String>{" a b ", "c", "", "x;y", " "}));
    EXPECT_EQ(l.DelimitedText(), " a b ;c;;'x;y'; ");
    l.SetDelimiter('|');
    l.SetDelimitedText("1|2|");
    EXPECT_EQ(Lines(l), (std::vector<String>{"1", "2", ""}));
}

TEST(StringList, NamesAndValues) {
    TStringList l;
    Fill(l, {"Host=server", "port=1433", "plain", "Empty=", "a=b=c"});
    EXPECT_EQ(l.Names(0), "Host");
    EXPECT_EQ(l.Names(2), "");
    EXPECT_EQ(l.Values("HOST"), "server"); // names without regard to case
    EXPECT_EQ(l.Values("a"), "b=c");
    EXPECT_EQ(l.Values("missing"), "");
    EXPECT_EQ(l.IndexOfName("Port"), 1);
    EXPECT_EQ(l.IndexOfName("plain"), -1);
    EXPECT_EQ(l.ValueFromIndex(1), "1433");
    EXPECT_EQ(l.ValueFromIndex(2), "");
    EXPECT_EQ(l.ValueFromIndex(3), "");
    l.SetValues("PORT", "1434");
    EXPECT_EQ(l.Strings(1), "PORT=1434");
    l.SetValues("User", "sa");
    EXPECT_EQ(l.Strings(5), "User=sa");
    l.SetValues("host", "");
    EXPECT_EQ(l.IndexOfName("Host"), -1);
    EXPECT_EQ(l.Count(), 5);
    l.SetValueFromIndex(0, "9");
    EXPECT_EQ(l.Strings(0), "PORT=9");
    l.SetNameValueSeparator(':');
    l.Add("k:v");
    EXPECT_EQ(l.Values("K"), "v");
}

TEST(StringList, IndexOfIsCaseInsensitiveUnlessAsked) {
    TStringList l;
    Fill(l, {"Alpha", "beta", "caf\xC3\xA9"});
    EXPECT_EQ(l.IndexOf("BETA"), 1);
    EXPECT_EQ(l.IndexOf("CAF\xC3\x89"), 2);
    EXPECT_EQ(l.IndexOf("gamma"), -1);
    l.SetCaseSensitive(true);
    EXPECT_EQ(l.IndexOf("BETA"), -1);
    EXPECT_EQ(l.IndexOf("beta"), 1);
}

TEST(StringList, SortedFindAndDuplicates) {
    TStringList l;
    l.SetSorted(true);
    Fill(l, {"a", "c"});
    Integer index = -1;
    EXPECT_FALSE(l.Find("b", index));
    EXPECT_EQ(index, 1);
    EXPECT_TRUE(l.Find("C", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(l.Find("z", index));
    EXPECT_EQ(index, 2);

    Fill(l, {"pear", kZhong, "Apple", kA, "fig"});
    EXPECT_EQ(Lines(l), (std::vector<String>{"Apple", "fig", "pear", kA, kZhong}));
    EXPECT_EQ(l.Add("FIG"), 1); // dupIgnore: the index of the one there
    EXPECT_EQ(l.Count(), 5);
    EXPECT_EQ(l.IndexOf("PEAR"), 2);
    l.SetDuplicates(TDuplicates::dupAccept);
    l.Add("FIG");
    EXPECT_EQ(l.Count(), 6);
    EXPECT_EQ(l.IndexOf("fig"), 1);
    l.SetDuplicates(TDuplicates::dupError);
    try {
        l.Add("apple");
        FAIL() << "no exception";
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "String list does not allow duplicates");
    }
    EXPECT_THROW(l.Insert(0, "x"), EStringListError);
    EXPECT_THROW(l.SetStrings(0, "x"), EStringListError);
    EXPECT_THROW(l.Move(0, 1), EStringListError);
    EXPECT_EQ(l.Count(), 6);

    // Case-sensitive sorting puts lower case first.
    TStringList cs;
    cs.SetCaseSensitive(true);
    cs.SetDuplicates(TDuplicates::dupError);
    Fill(cs, {"B", "a", "A", "b"});
    cs.SetSorted(true);
    EXPECT_EQ(Lines(cs), (std::vector<String>{"a", "A", "b", "B"}));
    EXPECT_TRUE(cs.Find("A", index));
    EXPECT_EQ(index, 1);
}

TEST(StringList, CustomSortSeesTheListAsItWas) {
    TStringList l;
    Fill(l, {"10", "9", "100", "1"});
    l.CustomSort([](TStringList& list, Integer a, Integer b) {
        return std::stoi(list.Strings(a)) - std::stoi(list.Strings(b));
    });
    EXPECT_EQ(Lines(l), (std::vector<String>{"1", "9", "10", "100"}));
    l.Sort();
    EXPECT_EQ(Lines(l), (std::vector<String>{"1", "10", "100", "9"}));
}

TEST(StringList, IndexErrorsAndEditing) {
    TStringList l;
    Fill(l, {"a", "b", "c"});
    try {
        l.Strings(3);
        FAIL() << "no exception";
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (3)");
    }
    EXPECT_THROW(l.Delete(-1), EStringListError);
    EXPECT_THROW(l.Insert(4, "x"), EStringListError);
    EXPECT_THROW(l.Objects(9), EStringListError);
    EXPECT_THROW(l.Move(0, 3), EStringListError);
    EXPECT_EQ(Lines(l), (std::vector<String>{"a", "b", "c"}));
    l.Insert(3, "d");
    l.Move(3, 0);
    EXPECT_EQ(Lines(l), (std::vector<String>{"d", "a", "b", "c"}));
    l.Exchange(0, 3);
    EXPECT_EQ(Lines(l), (std::vector<String>{"c", "a", "b", "d"}));
    l.Delete(1);
    l.SetStrings(0, "C");
    EXPECT_EQ(Lines(l), (std::vector<String>{"C", "b", "d"}));
}

TEST(StringList, ObjectsAndOwnership) {
    int freed = 0;
    {
        TStringList l(true);
        auto* x = new TTracked(freed);
        auto* y = new TTracked(freed);
        l.AddObject("x", x);
        l.AddObject("y", y);
        l.InsertObject(0, "z", new TTracked(freed));
        EXPECT_EQ(l.IndexOfObject(y), 2);
        l.Move(2, 0); // moving keeps the object alive
        EXPECT_EQ(freed, 0);
        EXPECT_EQ(l.Objects(0), y);
        l.Delete(0);
        EXPECT_EQ(freed, 1);
        l.Clear();
        EXPECT_EQ(freed, 3);
        l.AddObject("w", new TTracked(freed));
    }
    EXPECT_EQ(freed, 4);

    TStringList notOwning;
    TTracked kept(freed);
    notOwning.AddObject("k", &kept);
    notOwning.Clear();
    EXPECT_EQ(freed, 4);
}

TEST(StringList, AssignAddStringsAndEquals) {
    TStringList a, b;
    Fill(a, {"1", "2"});
    a.SetDelimiter(';');
    b.Assign(a);
    EXPECT_TRUE(b.Equals(a));
    EXPECT_EQ(b.Delimiter(), ';');
    b.AddStrings(b);
    EXPECT_EQ(Lines(b), (std::vector<String>{"1", "2", "1", "2"}));
    EXPECT_FALSE(b.Equals(a));
    Fill(b, {"1", "X"});
    EXPECT_FALSE(b.Equals(a));
}

TEST(StringList, ChangeEventsAndUpdates) {
    TStringList l;
    std::vector<String> log;
    l.OnChanging = [&](TObject* sender) {
        EXPECT_EQ(sender, &l);
        log.push_back("changing");
    };
    l.OnChange = [&](TObject*) { log.push_back("change"); };
    l.Add("a");
    EXPECT_EQ(log, (std::vector<String>{"changing", "change"}));
    log.clear();
    l.BeginUpdate();
    l.Add("b");
    l.Add("c");
    l.BeginUpdate();
    l.Delete(0);
    l.EndUpdate();
    EXPECT_EQ(log, (std::vector<String>{"changing"}));
    l.EndUpdate();
    EXPECT_EQ(log, (std::vector<String>{"changing", "change"}));
    log.clear();
    l.SetText("x\r\ny");
    EXPECT_EQ(log, (std::vector<String>{"changing", "change"})); // one pair for the whole text
}

TEST(StringList, FilesInUtf8AndCodePage936) {
    TempDir dir;
    TStringList l;
    Fill(l, {"name=" + kZhong, "plain"});
    l.SaveToFile(dir.File("utf8.txt"));
    EXPECT_EQ(TempDir::ReadAll(dir.File("utf8.txt")), "name=" + kZhong + "\r\nplain\r\n");
    l.SaveToFile(dir.File("gbk.txt"), 936);
    EXPECT_EQ(TempDir::ReadAll(dir.File("gbk.txt")), "name=\xD6\xD0\r\nplain\r\n");

    TStringList r;
    r.LoadFromFile(dir.File("utf8.txt"));
    EXPECT_TRUE(r.Equals(l));
    r.LoadFromFile(dir.File("gbk.txt")); // not UTF-8: read as code page 936
    EXPECT_TRUE(r.Equals(l));
    r.LoadFromFile(dir.File("gbk.txt"), 936);
    EXPECT_TRUE(r.Equals(l));

    TempDir::WriteAll(dir.File("bom.txt"), "\xEF\xBB\xBF"
                                           "first\nsecond");
    r.LoadFromFile(dir.File("bom.txt"));
    EXPECT_EQ(Lines(r), (std::vector<String>{"first", "second"}));
    TempDir::WriteAll(dir.File("utf16.txt"), std::string("\xFF\xFE"
                                                         "a\0\r\0\n\0\x2D\x4E",
                                                         10));
    r.LoadFromFile(dir.File("utf16.txt"));
    EXPECT_EQ(Lines(r), (std::vector<String>{"a", kZhong}));

    EXPECT_THROW(r.LoadFromFile(dir.File("missing.txt")), EFOpenError);
}

TEST(StringList, StreamsReadFromThePosition) {
    TStringStream s("skip|a\r\nb");
    s.SetPosition(5);
    TStringList l;
    l.LoadFromStream(s);
    EXPECT_EQ(Lines(l), (std::vector<String>{"a", "b"}));
    TMemoryStream m;
    l.SaveToStream(m);
    EXPECT_EQ(m.Size(), 6);
}
