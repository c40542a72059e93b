// The script XML document: attributes kept as raw text, reading and writing.
#include "script/vs_xml.h"
#include "rtl/FileUtils.h"
#include "rtl/Streams.h"
#include "rtl/SysUtils.h"
#include "script/vs_iconst.h"

#include <gtest/gtest.h>

namespace {

TEST(XMLEscape, RoundTripsEveryByte) {
    String all;
    for (int c = 0; c < 256; ++c)
        all += static_cast<char>(c);
    const String escaped = vsXMLEscape(all);
    EXPECT_EQ(escaped.find_first_of("\r\n\"<>"), String::npos);
    EXPECT_EQ(vsXMLUnescape(escaped), all);
    EXPECT_EQ(vsXMLEscape("a&b<c>\"\r\n"), "a&#38;b&#60;c&#62;&#34;&#13;&#10;");
}

TEST(XMLEscape, Decoding) {
    EXPECT_EQ(vsXMLUnescape("a&#60;b&quot;c"), "a<b\"c");
    EXPECT_EQ(vsXMLUnescape("&amp;&lt;"), "&amp;&lt;"); // other entities stay
    EXPECT_EQ(vsXMLUnescape("&#321;"), "A");            // low 8 bits
    EXPECT_EQ(vsXMLUnescape("&#65"), "&#65");           // no ";": kept
    EXPECT_THROW(vsXMLUnescape("&#x41;"), EConvertError);
}

TEST(XMLItem, Attributes) {
    TvsXMLItem item;
    item.SetText("pos=\"1:1\" text=\"a&#60;b\"");
    EXPECT_EQ(item.Prop("text"), "a<b");
    EXPECT_EQ(item.Prop("TEXT"), "a<b");
    EXPECT_EQ(item.Prop("pos"), "1:1");
    EXPECT_EQ(item.Prop("missing"), "");
    item.SetProp("pos", "2:3");
    EXPECT_EQ(item.Text(), "pos=\"2:3\" text=\"a&#60;b\"");
    item.SetProp("text", "x&y");
    EXPECT_EQ(item.Prop("text"), "x&y");
    EXPECT_EQ(item.Text(), "pos=\"2:3\" text=\"x&#38;y\"");
    item.SetProp("new", "v");
    EXPECT_EQ(item.Text(), "pos=\"2:3\" text=\"x&#38;y\" new=\"v\"");
    TvsXMLItem fresh;
    fresh.SetProp("a", "1");
    EXPECT_EQ(fresh.Text(), "a=\"1\"");
    // An entity-like literal survives a write and a read unchanged.
    fresh.SetProp("a", "'&#65;'");
    EXPECT_EQ(fresh.Prop("a"), "'&#65;'");
}

TEST(XMLItem, Tree) {
    TvsXMLItem root;
    TvsXMLItem* a = root.Add();
    a->SetName("a");
    TvsXMLItem* b = root.FindItem("B");
    EXPECT_EQ(root.Count(), 2);
    EXPECT_EQ(b->Name(), "B");
    EXPECT_EQ(root.FindItem("b"), b);
    EXPECT_EQ(root.Find("A"), 0);
    EXPECT_EQ(root.Find("c"), -1);
    TvsXMLItem* c = a->Add();
    EXPECT_EQ(c->Root(), &root);
    // Moving an item takes it out of its parent.
    b->AddItem(c);
    EXPECT_EQ(a->Count(), 0);
    EXPECT_EQ(c->Parent(), b);
    root.InsertItem(0, c);
    EXPECT_EQ(root.Items(0), c);
    EXPECT_EQ(b->Count(), 0);
    EXPECT_THROW(root.Items(5), EListError);
    EXPECT_THROW(c->AddItem(&root), EvsScriptError);
    // Destroying an item takes it out of its parent.
    delete root.Items(1);
    EXPECT_EQ(root.Count(), 2);
    EXPECT_EQ(root.Items(1), b);
    // A free item is adopted.
    auto free = std::make_unique<TvsXMLItem>();
    root.AddItem(free.release());
    EXPECT_EQ(root.Count(), 3);
}

TEST(XMLItem, Assign) {
    TvsXMLItem source;
    source.SetName("s");
    source.SetText("k=\"v\"");
    source.SetData(7);
    source.Add()->SetName("child");
    source.Items(0)->Add()->SetName("grandchild");
    TvsXMLItem copy;
    copy.Add();
    copy.Assign(&source);
    EXPECT_EQ(copy.Name(), "s");
    EXPECT_EQ(copy.Text(), "k=\"v\"");
    EXPECT_EQ(copy.Data(), 7);
    ASSERT_EQ(copy.Count(), 1);
    EXPECT_EQ(copy.Items(0)->Items(0)->Name(), "grandchild");
    copy.Assign(nullptr);
    EXPECT_EQ(copy.Count(), 0);
}

TEST(XMLDocument, Writing) {
    TvsXMLDocument doc;
    doc.Root()->SetName("x");
    doc.Root()->SetText("a=\"1\"");
    EXPECT_EQ(doc.SaveToString(), "<?xml version=\"1.0\"?><x a=\"1\"/>");
    TvsXMLItem* child = doc.Root()->Add();
    child->SetName("c");
    child->SetText(" b=\"2\"");
    doc.AutoIndent = true;
    EXPECT_EQ(doc.SaveToString(), "<?xml version=\"1.0\"?>\r\n<x a=\"1\">\r\n  <c b=\"2\"/>\r\n</x>\r\n");
}

TEST(XMLDocument, Reading) {
    TvsXMLDocument doc;
    doc.LoadFromString(
        "<!-- before --><?xml version=\"1.0\"?>\r\n<root a=\"1\">\r\n  <!-- a < b -->\r\n"
        "  <empty/>\r\n  <other x=\"y\" />\r\n  <open>\r\n    <in/>\r\n  </OPEN>\r\n</root>\r\n"
        "<ignored/>");
    const TvsXMLItem* root = doc.Root();
    EXPECT_EQ(root->Name(), "root");
    EXPECT_EQ(root->Prop("a"), "1");
    ASSERT_EQ(root->Count(), 3);
    EXPECT_EQ(root->Items(0)->Name(), "empty");
    EXPECT_EQ(root->Items(1)->Prop("x"), "y");
    EXPECT_EQ(root->Items(2)->Count(), 1);
}

TEST(XMLDocument, ADocumentEndingEarlyLoads) {
    TvsXMLDocument doc;
    doc.LoadFromString("<?xml version=\"1.0\"?><a><b><c/>");
    EXPECT_EQ(doc.Root()->Items(0)->Items(0)->Name(), "c");
}

TEST(XMLDocument, InvalidFormats) {
    const char* bad[] = {
        "<a/>",                                  // no declaration
        "",                                      // nothing
        "<?xml version=\"1.0\"?><a <b/></a>",    // "<" inside a tag
        "<?xml version=\"1.0\"?><a",             // unterminated tag
        "<?xml version=\"1.0\"?><a><b></a></b>", // mismatched closing tag
    };
    for (const char* text : bad) {
        TvsXMLDocument doc;
        try {
            doc.LoadFromString(text);
            ADD_FAILURE() << text;
        } catch (const EvsScriptError& e) {
            EXPECT_EQ(e.Message(), "Invalid file format") << text;
        }
    }
}

TEST(XMLDocument, DeepNestingIsAnErrorNotAStackOverflow) {
    String text = "<?xml version=\"1.0\"?>";
    for (int i = 0; i < 100000; ++i)
        text += "<a>";
    TvsXMLDocument doc;
    try {
        doc.LoadFromString(text);
        FAIL() << "no exception";
    } catch (const EvsScriptError& e) {
        EXPECT_EQ(e.Message(), STooDeep);
    }
}

// Trees built item by item (as scripts can) nest no deeper than documents read: freeing, copying
// and writing walk them recursively.
TEST(XMLItem, DeepChainsAreAnErrorNotAStackOverflow) {
    auto root = std::make_unique<TvsXMLItem>();
    TvsXMLItem* last = root.get();
    try {
        for (int i = 0; i < 100000; ++i)
            last = last->Add();
        FAIL() << "no exception";
    } catch (const EvsScriptError& e) {
        EXPECT_EQ(e.Message(), STooDeep);
    }
    // A subtree that fits on its own does not fit below a deep item.
    auto chain = std::make_unique<TvsXMLItem>();
    chain->Add()->Add();
    EXPECT_THROW(last->Parent()->AddItem(chain.get()), EvsScriptError);
    EXPECT_EQ(chain->Parent(), nullptr);
    root->AddItem(chain.release());
    EXPECT_EQ(root->Count(), 2);
    TvsXMLDocument doc;
    doc.Root()->Assign(root.get());
    EXPECT_FALSE(doc.SaveToString().empty());
}

TEST(XMLDocument, StreamsAndFiles) {
    // The reader leaves the stream just after the root element, though it reads in blocks.
    String big = "<?xml version=\"1.0\"?><r>";
    for (int i = 0; i < 1000; ++i)
        big += "<item text=\"" + std::to_string(i) + "\"/>";
    big += "</r>TAIL";
    TStringStream stream(big);
    TvsXMLDocument doc;
    doc.LoadFromStream(stream);
    EXPECT_EQ(doc.Root()->Count(), 1000);
    EXPECT_EQ(stream.Position(), static_cast<Int64>(big.size() - 4));
    EXPECT_EQ(stream.ReadString(4), "TAIL");

    const String file = GetTempDir() + "vs_xml_" + std::to_string(::getpid()) + ".xml";
    doc.AutoIndent = true;
    doc.SaveToFile(file);
    TvsXMLDocument again;
    again.LoadFromFile(file);
    EXPECT_EQ(again.Root()->Count(), 1000);
    EXPECT_EQ(again.Root()->Items(999)->Prop("text"), "999");
    DeleteFile(file);
    EXPECT_THROW(again.LoadFromFile(file), EFOpenError);
}

} // namespace
