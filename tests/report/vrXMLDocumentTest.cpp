#include "report/vrXML.h"

#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

const String Decl = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";

String Save(TvrXMLDocument& doc) {
    TStringStream out;
    doc.SaveToStream(out);
    return out.DataString();
}

void Load(TvrXMLDocument& doc, const String& text, bool partial = false) {
    if (partial)
        doc.LoadFromStream(std::make_unique<TStringStream>(text), true);
    else {
        TStringStream in(text);
        doc.LoadFromStream(in);
    }
}

// A report-like tree: root with attributes, a page holding a band, a childless element with content.
void BuildSample(TvrXMLDocument& doc) {
    TvrXMLItem* root = doc.RootItem();
    root->Name = "report";
    root->SetProp("a", "1");
    TvrXMLItem* page = root->Add();
    page->Name = "page";
    page->Add()->Name = "band";
    TvrXMLItem* memo = root->Add();
    memo->Name = "memo";
    memo->Content = "hi";
}

size_t FilesIn(const String& folder) {
    size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder))
        ++n;
    return n;
}

} // namespace

TEST(vrXMLDocument, WritesOneLineWithoutIndentAndIndentedCrLfLinesWithIt) {
    TvrXMLDocument doc;
    BuildSample(doc);
    EXPECT_EQ(Save(doc), Decl + "<report a=\"1\"><page><band/></page><memo>hi</memo></report>");
    doc.IndentOutput = true;
    EXPECT_EQ(Save(doc), Decl + "\r\n<report a=\"1\">\r\n  <page>\r\n    <band/>\r\n  </page>\r\n"
                                "  <memo>hi</memo>\r\n</report>\r\n");
}

TEST(vrXMLDocument, RoundTripKeepsNamesAttributesAndStructureButNotContent) {
    const String values[] = {"&lt;",
                             "&#65;",
                             "&quot;",
                             "a & b",
                             "say \"x\" <y>",
                             "\r\nline\r\n",
                             "\xE6\x8A\xA5\xE8\xA1\xA8\xE6\xA0\x87\xE9\xA2\x98",
                             String(100, '&')};
    for (bool indent : {false, true}) {
        TvrXMLDocument doc;
        doc.IndentOutput = indent;
        BuildSample(doc);
        TvrXMLItem* page = doc.RootItem()->GetItem(0);
        for (size_t i = 0; i < std::size(values); ++i)
            page->SetProp("v" + std::to_string(i), values[i]);
        const String text = Save(doc);

        TvrXMLDocument back;
        Load(back, text);
        EXPECT_TRUE(back.LegacyFormat);
        TvrXMLItem* root = back.RootItem();
        EXPECT_EQ(root->Name, "report");
        EXPECT_EQ(root->GetProp("a"), "1");
        ASSERT_EQ(root->ItemCount(), 2);
        TvrXMLItem* page2 = root->GetItem(0);
        for (size_t i = 0; i < std::size(values); ++i)
            EXPECT_EQ(page2->GetProp("v" + std::to_string(i)), values[i]) << i;
        EXPECT_EQ(page2->GetItem(0)->Name, "band");
        EXPECT_EQ(root->GetItem(1)->Name, "memo");
        EXPECT_EQ(root->GetItem(1)->Content, ""); // content is written, never read
        EXPECT_EQ(back.RootItem()->GetItem(0)->AttrText, page->AttrText);
    }
}

TEST(vrXMLDocument, DeclarationDecidesTheLegacyFormat) {
    TvrXMLDocument doc;
    Load(doc, "<!-- before --><?xml version=\"1.0\" encoding=\"utf-8\"?><r/>");
    EXPECT_TRUE(doc.LegacyFormat);
    Load(doc, "<?xml version=\"1.1\" encoding=\"utf-8\"?><r/>");
    EXPECT_FALSE(doc.LegacyFormat);
    Load(doc, "<?xml version=\"1.0\" standalone=\"yes\"?><r/>");
    EXPECT_FALSE(doc.LegacyFormat);
    Load(doc, "<?xml?><r/>");
    EXPECT_FALSE(doc.LegacyFormat);
    EXPECT_EQ(doc.RootItem()->Name, "r");
}

TEST(vrXMLDocument, CommentsEndOnlyAtTwoDashesAndAngle) {
    TvrXMLDocument doc;
    Load(doc, Decl + "<!-- x ---><skipped/> --><r/>");
    EXPECT_EQ(doc.RootItem()->Name, "r");
    Load(doc, Decl + "<!----><r><!-- <c> --><c/></r>");
    EXPECT_EQ(doc.RootItem()->Name, "r");
    EXPECT_EQ(doc.RootItem()->ItemCount(), 1);
}

TEST(vrXMLDocument, TagsSplitAtTheFirstBlankOnly) {
    TvrXMLDocument doc;
    Load(doc, Decl + "<r a=\"1\"\tb=\"2\" ><c x=\"1\" /><d/></r>");
    EXPECT_EQ(doc.RootItem()->AttrText, "a=\"1\"\tb=\"2\"");
    EXPECT_EQ(doc.RootItem()->ItemCount(), 2);
    EXPECT_EQ(doc.RootItem()->GetItem(0)->GetProp("x"), "1");
}

TEST(vrXMLDocument, MalformedInputRaisesInvalidFileFormat) {
    const String bad[] = {
        "",
        "<r/>",                               // no declaration
        Decl + "<r><a b=\"1\"",               // ends inside a tag
        Decl + "<r><a <b/></r>",              // "<" inside a tag
        Decl + "<r><a></b></r>",              // closing tag of another element
        Decl + "<r><></r>",                   // an empty tag closes nothing
        Decl + String(300000, '<'),           // runs of "<"
        Decl + "<r><a " + String(50000, 'x'), // a long tag that never ends
    };
    for (const String& text : bad) {
        TvrXMLDocument doc;
        try {
            Load(doc, text);
            ADD_FAILURE() << text.substr(0, 60);
        } catch (const TvrInvalidXMLException& e) {
            EXPECT_EQ(e.Message(), "Invalid file format");
        }
    }
}

TEST(vrXMLDocument, AbsurdNestingIsRejectedWithoutExhaustingTheStack) {
    String deep = Decl;
    for (int i = 0; i < 200000; ++i)
        deep += "<a>";
    TvrXMLDocument doc;
    EXPECT_THROW(Load(doc, deep), TvrInvalidXMLException);

    String fine = Decl;
    for (int i = 0; i < TvrXMLReader::MaxDepth; ++i)
        fine += "<a>";
    Load(doc, fine);
    int levels = 1;
    for (TvrXMLItem* item = doc.RootItem(); item->ItemCount() > 0; item = item->GetItem(0))
        ++levels;
    EXPECT_EQ(levels, TvrXMLReader::MaxDepth);
    EXPECT_THROW(Load(doc, fine + "<a>"), TvrInvalidXMLException);
}

TEST(vrXMLDocument, MissingClosingTagsAndUnknownReferencesLoadWhatIsThere) {
    TvrXMLDocument doc;
    Load(doc, Decl + "<r><a t=\"&#x41;\" u=\"&#;\" v=\"&#65\" w=\"&#\"><b/><c/>");
    TvrXMLItem* a = doc.RootItem()->GetItem(0);
    EXPECT_EQ(a->ItemCount(), 2);
    EXPECT_EQ(a->GetProp("t"), "&#x41;");
    EXPECT_EQ(a->GetProp("u"), "&#;");
    EXPECT_EQ(a->GetProp("v"), "&#65");
    EXPECT_EQ(a->GetProp("w"), "&#");

    Load(doc, Decl);
    EXPECT_EQ(doc.RootItem()->Name, "");
    EXPECT_EQ(doc.RootItem()->ItemCount(), 0);
}

TEST(vrXMLDocument, ReaderLeavesTheStreamAfterTheLastCharacterItConsumed) {
    const String text = Decl + "<r><a/></r>";
    TStringStream in(text + String(10000, ' ') + "TAIL");
    {
        TvrXMLReader reader(in);
        reader.ReadDeclaration();
        TvrXMLItem item;
        EXPECT_TRUE(reader.ReadRootItem(item, true));
    }
    EXPECT_EQ(in.Position(), static_cast<Int64>(text.size()));
}

TEST(vrXMLDocument, PartialLoadingLeavesMarkedElementsInTheStream) {
    const String text = Decl + "<pages><page1 n=\"1\"><b/></page1>"
                               "<page3 n=\"1\" ld=\"0\"><b x=\"2\"/><c/></page3>"
                               "<page4 ld=\"0\"><d/></page4>"
                               "<old a=\"1\"ld=\"0\"><e/></old></pages>";
    TvrXMLDocument doc;
    Load(doc, text, true);
    TvrXMLItem* root = doc.RootItem();
    ASSERT_EQ(root->ItemCount(), 4);
    EXPECT_TRUE(root->GetItem(0)->IsLoaded);
    EXPECT_FALSE(root->GetItem(0)->IsUnloadable);
    for (int i = 1; i < 4; ++i) {
        TvrXMLItem* page = root->GetItem(i);
        EXPECT_FALSE(page->IsLoaded) << i;
        EXPECT_TRUE(page->IsUnloadable) << i;
        EXPECT_EQ(page->ItemCount(), 0) << i;
    }
    EXPECT_EQ(root->GetItem(1)->AttrText, "n=\"1\"");
    EXPECT_EQ(root->GetItem(2)->AttrText, "");
    EXPECT_EQ(root->GetItem(3)->AttrText, "a=\"1\"");

    TvrXMLItem* page3 = root->GetItem(1);
    page3->SetProp("n", "changed");
    doc.LoadItem(*page3);
    EXPECT_TRUE(page3->IsLoaded);
    ASSERT_EQ(page3->ItemCount(), 2);
    EXPECT_EQ(page3->GetItem(0)->GetProp("x"), "2");
    EXPECT_EQ(page3->GetProp("n"), "changed"); // changes made while swapped out survive

    // Writing reads the swapped-out pages back, keeps their in-memory attributes and the marker.
    root->GetItem(2)->SetProp("k", "v");
    EXPECT_EQ(Save(doc), Decl + "<pages><page1 n=\"1\"><b/></page1>"
                                "<page3 n=\"changed\" ld=\"0\"><b x=\"2\"/><c/></page3>"
                                "<page4 k=\"v\" ld=\"0\"><d/></page4>"
                                "<old a=\"1\" ld=\"0\"><e/></old></pages>");
    EXPECT_FALSE(root->GetItem(2)->IsLoaded); // swapped out again after writing

    TvrXMLDocument full;
    Load(full, text, false);
    for (int i = 1; i < 4; ++i) {
        EXPECT_TRUE(full.RootItem()->GetItem(i)->IsLoaded);
        EXPECT_EQ(full.RootItem()->GetItem(i)->ItemCount(), 1 + (i == 1));
        EXPECT_EQ(full.RootItem()->GetItem(i)->AttrText.find("ld="), String::npos);
    }
}

TEST(vrXMLDocument, MarkerWrittenByThisLayerIsRecognisedWhenReadBack) {
    TvrXMLDocument doc;
    doc.RootItem()->Name = "preparedreport";
    for (const char* attr : {"", "a=\"1\""}) {
        TvrXMLItem* page = doc.RootItem()->Add();
        page->Name = "page3";
        page->AttrText = attr;
        page->IsUnloadable = true;
        page->Add()->Name = "band";
    }
    const String text = Save(doc);
    EXPECT_NE(text.find("<page3 ld=\"0\">"), String::npos);
    EXPECT_NE(text.find("<page3 a=\"1\" ld=\"0\">"), String::npos);

    TvrXMLDocument back;
    Load(back, text, true);
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(back.RootItem()->GetItem(i)->IsLoaded);
        back.LoadItem(*back.RootItem()->GetItem(i));
        EXPECT_EQ(back.RootItem()->GetItem(i)->ItemCount(), 1);
    }
    EXPECT_EQ(back.RootItem()->GetItem(0)->AttrText, "");
    EXPECT_EQ(back.RootItem()->GetItem(1)->AttrText, "a=\"1\"");
    EXPECT_EQ(Save(back), text);
}

TEST(vrXMLDocument, UnloadItemSwapsToATemporaryFileBesidePartiallyLoadedPages) {
    TempDir dir;
    const String text = Decl + "<pages><p1 ld=\"0\"><a/></p1><p2><b/><c/></p2></pages>";
    TvrXMLDocument doc;
    doc.TempFolder = dir.Path();
    Load(doc, text, true);
    TvrXMLItem* p1 = doc.RootItem()->GetItem(0);
    TvrXMLItem* p2 = doc.RootItem()->GetItem(1);
    EXPECT_FALSE(p1->IsLoaded);

    doc.UnloadItem(*p2); // not unloadable: nothing happens
    EXPECT_EQ(p2->ItemCount(), 2);
    p2->IsUnloadable = true;
    doc.UnloadItem(*p2);
    EXPECT_FALSE(p2->IsLoaded);
    EXPECT_EQ(p2->ItemCount(), 0);
    ASSERT_EQ(FilesIn(dir.Path()), 1u);
    const String swapName = std::filesystem::directory_iterator(dir.Path())->path().filename().string();
    EXPECT_EQ(swapName.substr(0, 2), "fr");
    EXPECT_EQ(swapName.substr(swapName.size() - 4), ".tmp");

    // Both the kept input stream and the swap file serve reading back.
    EXPECT_EQ(Save(doc), Decl + "<pages><p1 ld=\"0\"><a/></p1><p2 ld=\"0\"><b/><c/></p2></pages>");

    doc.LoadItem(*p2);
    p2->GetItem(0)->Name = "changed";
    doc.UnloadItem(*p2); // appended again; the latest offset counts
    doc.LoadItem(*p1);
    doc.UnloadItem(*p1); // its children move from the input stream to the swap file
    doc.LoadItem(*p2);
    EXPECT_EQ(p2->GetItem(0)->Name, "changed");
    doc.LoadItem(*p1);
    EXPECT_EQ(p1->GetItem(0)->Name, "a");

    doc.Clear();
    EXPECT_EQ(FilesIn(dir.Path()), 0u); // the swap file is deleted
}

TEST(vrXMLDocument, SaveToFileReplacesTheFileAndAFailedSaveLeavesItIntact) {
    TempDir dir;
    const String file = dir.File("layout.di3");
    TempDir::WriteAll(file, "old contents");

    TvrXMLDocument doc;
    BuildSample(doc);
    doc.SaveToFile(file);
    EXPECT_EQ(TempDir::ReadAll(file), Save(doc));
    const String good = TempDir::ReadAll(file);

    // A document whose swapped-out page cannot be read back fails half-way through writing.
    auto stream = std::make_unique<TStringStream>(Decl + "<r><p ld=\"0\"><a/></p></r>");
    TStringStream* raw = stream.get();
    TvrXMLDocument broken;
    broken.LoadFromStream(std::move(stream), true);
    raw->SetSize(0);
    EXPECT_ANY_THROW(broken.SaveToFile(file));
    EXPECT_EQ(TempDir::ReadAll(file), good);
    EXPECT_EQ(FilesIn(dir.Path()), 1u); // no temporary file left behind

    EXPECT_ANY_THROW(doc.SaveToFile(dir.File("missing/folder/x.di3")));
}

TEST(vrXMLDocument, LoadFromFileLoadsPartiallyAndKeepsTheFileForReadingBack) {
    TempDir dir;
    const String file = dir.File("report.dp3");
    TempDir::WriteAll(file, Decl + "<preparedreport><previewpages><page0><b/></page0>"
                                   "<page0 ld=\"0\"><b x=\"1\"/></page0></previewpages></preparedreport>");
    TvrXMLDocument doc;
    doc.LoadFromFile(file);
    TvrXMLItem* pages = doc.RootItem()->FindItem("PreviewPages");
    ASSERT_EQ(pages->ItemCount(), 2);
    TvrXMLItem* second = pages->GetItem(1);
    EXPECT_FALSE(second->IsLoaded);
    doc.LoadItem(*second);
    EXPECT_EQ(second->GetItem(0)->GetProp("x"), "1");

    // Saving over the file it was partly loaded from reads the swapped-out pages back first.
    TvrXMLDocument again;
    again.LoadFromFile(file);
    again.RootItem()->SetProp("saved", "1");
    again.SaveToFile(file);
    TvrXMLDocument check;
    check.LoadFromFile(file);
    EXPECT_EQ(check.RootItem()->GetProp("saved"), "1");
    TvrXMLItem* page = check.RootItem()->GetItem(0)->GetItem(1);
    check.LoadItem(*page);
    EXPECT_EQ(page->GetItem(0)->GetProp("x"), "1");
    again.LoadItem(*again.RootItem()->GetItem(0)->GetItem(1)); // still reads its own stream
    EXPECT_EQ(again.RootItem()->GetItem(0)->GetItem(1)->GetItem(0)->GetProp("x"), "1");

    EXPECT_THROW(doc.LoadFromFile(dir.File("none.dp3")), EFOpenError);
}

namespace {

// Loads text, saves it, loads what was saved and saves again: whatever the reader accepts must
// come back as the same tree, so both saves are equal. Returns false when the text is refused.
bool SavesBackTheSameTree(const String& text, String& first, String& second) {
    TvrXMLDocument doc;
    try {
        Load(doc, text);
    } catch (const TvrInvalidXMLException&) {
        return false;
    }
    first = Save(doc);
    TvrXMLDocument again;
    Load(again, first);
    second = Save(again);
    return true;
}

} // namespace

TEST(vrXMLDocument, WhatTheReaderAcceptsIsWrittenSoThatItReadsBackTheSame) {
    struct Case {
        String tag;
        bool accepted;
    };
    const Case cases[] = {
        {"<a x=\"1\" /  >", true},              // a slash, then two blanks: self-closing
        {"<a x=\"1\"/ >", true},
        {"<a/>", true},
        {"<a/ x=\"1\">", false},                // a "/" left in the name cannot be written back
        {"<a// >", false},
        {"<a x=\"1\" ld=\"0\" ld=\"0\"/>", true}, // two partial-load markers
        {"<a ld=\"0\"x=\"1\" LD=\"0\"/>", true},
    };
    for (const Case& c : cases) {
        String first, second;
        const bool accepted = SavesBackTheSameTree(Decl + "<r>" + c.tag + "</r>", first, second);
        EXPECT_EQ(accepted, c.accepted) << c.tag;
        if (accepted) {
            EXPECT_EQ(first, second) << c.tag;
        }
    }
    // Tags built at random from the characters that matter to the tag reader.
    const char alphabet[] = "ab/ =\"1ld0L";
    UInt64 seed = 12345;
    auto next = [&] {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<size_t>(seed >> 33);
    };
    for (int n = 0; n < 3000; ++n) {
        String tag = "<a";
        const size_t length = next() % 14;
        for (size_t i = 0; i < length; ++i)
            tag += alphabet[next() % (sizeof(alphabet) - 1)];
        tag += next() % 2 ? ">" : "/>";
        String text = Decl + "<r>" + tag + (tag.ends_with("/>") ? "" : "</a>") + "</r>";
        String first, second;
        if (SavesBackTheSameTree(text, first, second)) {
            EXPECT_EQ(first, second) << tag;
        }
    }
}
