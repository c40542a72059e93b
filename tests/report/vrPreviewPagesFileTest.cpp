// Prepared report files: saving and loading, the outline and anchors, and damaged files.
#include "TempDir.h"
#include "report/vrClassOptions.h"
#include "vrPreviewPagesFixture.h"

#include <gtest/gtest.h>

namespace {

struct PreparedFile : ::testing::Test, TPreparedFixture {
    String Save() {
        TStringStream s;
        Pages->WriteToStream(s);
        return s.DataString();
    }
    void Load(const String& data, bool partial = false) {
        TStringStream s(data);
        Pages->ReadFromStream(s, partial);
    }
    static String Replace(String text, const String& from, const String& to) {
        const size_t p = text.find(from);
        EXPECT_NE(p, String::npos) << from;
        if (p != String::npos) text.replace(p, from.size(), to);
        return text;
    }
    TempDir Dir;
};

TEST_F(PreparedFile, SaveLoadAndSaveAgainGiveTheSameBytes) {
    Report.PreviewOptions()->OutlineVisible = true;
    Report.ReportOptions()->Name = "Rent <roll> & fees";
    Build(4);
    Pages->CurPage = 1;
    Pages->AddAnchor("Totals");
    Pages->PagesOutline()->AddItem("Chapter \"1\"", 12);
    const String first = Save();
    EXPECT_NE(first.find("<TvrReport DotMatrixReport=\"0\" PreviewOptions.OutlineVisible=\"1\" "
                         "PreviewOptions.OutlineWidth=\"120\" ReportOptions.Name=\"Rent &#60;roll&#62; &#38; fees\""),
              String::npos)
        << first;
    EXPECT_NE(first.find("<b1 name=\"Page0.Band1\"/>"), String::npos);
    EXPECT_NE(first.find("<m1 name=\"Page0.Memo1\"/>"), String::npos);
    EXPECT_EQ(first.find("<page0", first.find("<previewpages>")), first.find("<page0>"));

    Report.PreviewOptions()->OutlineVisible = false;
    Report.ReportOptions()->Name = "";
    Load(first);
    EXPECT_TRUE(Report.PreviewOptions()->OutlineVisible);
    EXPECT_EQ(Report.ReportOptions()->Name, "Rent <roll> & fees");
    EXPECT_EQ(Pages->GetPageCount(), 4);
    EXPECT_EQ(Pages->GetAnchorPage("TOTALS"), 2);
    EXPECT_EQ(Pages->GetAnchorPage("unknown"), 1);
    EXPECT_EQ(Save(), first);
    TvrComponent* page = Pages->GetPreparedPage(3);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(static_cast<TvrMemoTestView*>(page->Children()[0]->Children()[0])->Memo, "Row 3");
}

TEST_F(PreparedFile, PagesFromTheThirdOnAreUnloadableAndAFullLoadReadsThemAll) {
    Build(4);
    const String data = Save();
    TvrXMLItem* pages = Pages->XMLDoc()->Root()->FindItem("previewpages");
    EXPECT_FALSE(pages->GetItem(1)->IsUnloadable);
    EXPECT_TRUE(pages->GetItem(2)->IsUnloadable);
    // Pages three and four, and nothing else, carry the mark.
    const size_t third = data.find("<page0 ld=\"0\">");
    ASSERT_NE(third, String::npos);
    EXPECT_EQ(data.find(" ld="), third + 6);
    EXPECT_NE(data.find("<page0 ld=\"0\">", third + 1), String::npos);
    EXPECT_EQ(data.find("<page0 ld=\"0\">", data.find("<page0 ld=\"0\">", third + 1) + 1), String::npos);

    Load(data, false);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(Pages->PageItem(i)->IsLoaded) << i;
    EXPECT_EQ(Pages->PageItem(3)->ItemCount(), 1);
    Load(data, true);
    EXPECT_FALSE(Pages->PageItem(3)->IsLoaded);
    TvrComponent* page = Pages->GetPreparedPage(3);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(static_cast<TvrMemoTestView*>(page->Children()[0]->Children()[0])->Memo, "Row 3");
}

TEST_F(PreparedFile, WriteToFileKeepsTheOldFileWhenTheSaveFails) {
    Build(2);
    const String name = Dir.File("report.dp3");
    Pages->WriteToFile(name);
    const String saved = TempDir::ReadAll(name);
    EXPECT_EQ(saved, Save());
    TPreparedFixture other;
    EXPECT_TRUE(other.Pages->ReadFromFile(name, false));
    EXPECT_EQ(other.Pages->GetPageCount(), 2);
    EXPECT_FALSE(other.Pages->ReadFromFile(Dir.File("none.dp3"), false));
    EXPECT_THROW(other.Pages->ReadFromFile(Dir.File("none.dp3"), true), Exception);
    // A save into a folder that is gone fails and leaves nothing behind.
    EXPECT_THROW(Pages->WriteToFile(Dir.File("gone/report.dp3")), Exception);
    EXPECT_EQ(TempDir::ReadAll(name), saved);
}

TEST_F(PreparedFile, OutlineNestsAndAKeptBlockShiftsTheItemAfterTheMark) {
    Build(2);
    TvrOutline* outline = Pages->PagesOutline();
    Pages->CurPage = 0;
    outline->AddItem("A", 10);
    outline->LevelUp();
    TvrXMLItem* mark = outline->LastChildItem();
    outline->AddItem("B", 500);
    outline->AddItem("B.1", 520);
    outline->LevelUp();
    outline->LevelUp();
    outline->ShiftFollowing(mark, 30);
    outline->LevelRoot();
    EXPECT_EQ(outline->ChildCount(), 2);
    String text;
    Integer page = -1, top = -1;
    outline->ReadChild(1, text, page, top);
    EXPECT_EQ(text, "B");
    EXPECT_EQ(page, 1);
    EXPECT_EQ(top, 30);
    outline->EnterChild(1);
    outline->ReadChild(0, text, page, top);
    EXPECT_EQ(page, 1);
    EXPECT_EQ(top, 50);
    // Nothing follows the last item: nothing moves.
    outline->LevelRoot();
    outline->ShiftFollowing(outline->LastChildItem(), 0);
    outline->ShiftFollowing(nullptr, 0);
    outline->ReadChild(1, text, page, top);
    EXPECT_EQ(top, 30);
}

TEST_F(PreparedFile, AnchorsShiftWithAKeptBlock) {
    Build(1);
    Engine->CurY = 99.6;
    Pages->AddAnchor("a");
    const Integer mark = Pages->AnchorPosition();
    Engine->CurY = 700;
    Pages->AddAnchor("b");
    Pages->AddAnchor("B");
    Pages->ShiftAnchorTops(mark, 40);
    EXPECT_EQ(Pages->FindAnchor("a")->GetProp("top"), "100");
    EXPECT_EQ(Pages->FindAnchor("b")->GetProp("top"), "40");
    EXPECT_EQ(Pages->FindAnchor("b")->GetProp("text"), "B"); // the last of equal texts
    EXPECT_EQ(Pages->GetAnchorPage("b"), 2);
}

TEST_F(PreparedFile, AnchorTopsRoundHalvesToEven) {
    Build(1);
    const std::pair<Extended, const char*> cases[] = {{10.5, "10"}, {11.5, "12"}, {12.4999, "12"}, {0.5, "0"}};
    for (const auto& [y, top] : cases) {
        Engine->CurY = y;
        Pages->AddAnchor("a");
        EXPECT_EQ(Pages->FindAnchor("a")->GetProp("top"), top) << static_cast<double>(y);
    }
}

TEST_F(PreparedFile, PicturesAreKeptOnceAndComeBackWithTheFile) {
    auto* view = new TvrPicTestView(Band);
    view->SetName("Picture1");
    Pages->RegisterSourcePage(Page);
    auto bmp = std::make_unique<TBitmap>(4, 3);
    view->Picture()->SetGraphic(std::move(bmp));
    Pages->StorePicture(view);
    EXPECT_EQ(view->ImageIndex, 1);
    AddPage(20, "with picture");
    view->Picture()->SetGraphic(nullptr);
    Pages->StorePicture(view);
    EXPECT_EQ(view->ImageIndex, 0);
    Pages->AddPageAction = TvrPreviewPages::apAdd;
    AddPage(20, "without");
    const String data = Save();
    EXPECT_EQ(data.find("PropData"), String::npos); // the page holds no picture data
    Load(data);
    auto* rebuilt = dynamic_cast<TvrPicTestView*>(Pages->GetPreparedPage(0)->Children()[0]->Children()[2]);
    ASSERT_NE(rebuilt, nullptr);
    EXPECT_EQ(rebuilt->Picture()->Width(), 4);
    rebuilt = dynamic_cast<TvrPicTestView*>(Pages->GetPreparedPage(1)->Children()[0]->Children()[2]);
    ASSERT_NE(rebuilt, nullptr);
    EXPECT_EQ(rebuilt->Picture()->Graphic(), nullptr);
}

TEST_F(PreparedFile, DamagedFilesAreRejectedAndLeaveTheStoreCleared) {
    Report.PreviewOptions()->OutlineVisible = true;
    Build(3);
    Pages->CurPage = 0;
    Pages->AddAnchor("x");
    Pages->PagesOutline()->AddItem("o", 1);
    const String good = Save();
    struct TCase {
        const char* what;
        String data;
    };
    const std::vector<TCase> cases = {
        {"unknown source page", Replace(good, "<page0>", "<page7>")},
        {"page name without a number", Replace(good, "<page0>", "<pagex>")},
        {"unknown page class", Replace(good, "<page0>", "<TTotallyUnknown>")},
        {"dictionary page out of range", Replace(good, "name=\"Page0.Memo1\"", "name=\"Page99.Memo1\"")},
        {"dictionary page not a number", Replace(good, "name=\"Page0.Memo1\"", "name=\"PageX.Memo1\"")},
        {"dictionary entry without a dot", Replace(good, "name=\"Page0.Memo1\"", "name=\"Page0\"")},
        {"short dictionary attribute", Replace(good, "name=\"Page0.Memo1\"", "n=\"\"")},
        {"anchor page out of range", Replace(good, "text=\"x\" page=\"0\"", "text=\"x\" page=\"9\"")},
        {"outline top not a number", Replace(good, "top=\"1\"", "top=\"1x\"")},
        {"anchor without page", Replace(good, "text=\"x\" page=\"0\"", "text=\"x\"")},
        {"odd picture data", Replace(good, "<picturecache/>", "<picturecache><item stream=\"424\"/></picturecache>")},
        {"non-hexadecimal picture data",
         Replace(good, "<picturecache/>", "<picturecache><item stream=\"42G0\"/></picturecache>")},
        {"outline width not a number", Replace(good, "OutlineWidth=\"120\"", "OutlineWidth=\"wide\"")},
        {"truncated file", good.substr(0, good.size() / 2)},
        {"not a prepared report", "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<other/>"},
        {"empty", ""},
    };
    for (const TCase& c : cases) {
        Build(2);
        try {
            Load(c.data);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "Invalid file format") << c.what;
        }
        EXPECT_EQ(Pages->GetPageCount(), 0) << c.what;
        EXPECT_TRUE(Pages->SourcePages().empty()) << c.what;
        EXPECT_EQ(Pages->Dictionary()->Count(), 0) << c.what;
        EXPECT_EQ(Pages->GetPreparedPage(0), nullptr) << c.what;
    }
    Load(good);
    EXPECT_EQ(Pages->GetPageCount(), 3);
    // The report element sets those four properties and nothing else.
    Report.EngineOptions()->DoublePass = false;
    Load(Replace(good, "ReportOptions.Name=", "EngineOptions.DoublePass=\"1\" ReportOptions.Name="));
    EXPECT_FALSE(Report.EngineOptions()->DoublePass);
    EXPECT_TRUE(Report.PreviewOptions()->OutlineVisible);
}

} // namespace
