// Objects of reports for character printers: the character grid, the fixed printer font, the
// truncated text, printer commands and the page paper in whole cells.
#include "ReportTextTools.h"
#include "classes/ClassRegistry.h"
#include "report/vrClass.h"
#include "report/vrClassObjects.h"
#include "report/vrDsgnIntf.h"

#include <gtest/gtest.h>

namespace {
struct TDMPFixture : ::testing::Test {
    TDMPFixture() {
        vrStartUp();
        Page = new TvrDMPPage(&Report);
        Page->SetName("Page1");
        Band = new TvrMasterData(Page);
        Band->SetName("MasterData1");
    }
    TvrReport Report{nullptr};
    TvrDMPPage* Page;
    TvrMasterData* Band;
};
} // namespace

TEST_F(TDMPFixture, ObjectsSnapToTheCharacterGrid) {
    struct TCase {
        const char* Name;
        TvrBandAlign Align;
        Extended Left, Top, Width;
        Extended ExpectLeft, ExpectTop, ExpectWidth;
    };
    const TCase memoCases[] = {
        {"memo", baNone, 100, 20, 50, 96, 17, 48},
        {"memo right 105", baRight, 105, 40, 20, 96, 34, 19.2},
        {"memo right 110", baRight, 110, 0, 0, 105.6, 0, 0},
    };
    for (const TCase& c : memoCases) {
        SCOPED_TRACE(c.Name);
        auto* m = new TvrDMPMemoView(Band);
        m->Align = c.Align;
        m->SetBounds(c.Left, c.Top, c.Width, 30);
        EXPECT_NEAR(m->Left(), c.ExpectLeft, 1e-9);
        EXPECT_NEAR(m->Top(), c.ExpectTop, 1e-9);
        EXPECT_NEAR(m->Width(), c.ExpectWidth, 1e-9);
        EXPECT_NEAR(m->Height(), 34, 1e-9);
    }
    const TCase lineCases[] = {
        {"line", baNone, 20, 40, 50, 24, 42.5, 48},
        {"line left of the band", baNone, -20, 0, 0, -24, 8.5, 0},
        {"line right", baRight, 20, 17, 0, 14.4, 25.5, 0},
        {"line width", baWidth, 0, 0, 50, 4.8, 8.5, 48},
    };
    for (const TCase& c : lineCases) {
        SCOPED_TRACE(c.Name);
        auto* l = new TvrDMPLineView(Band);
        l->Align = c.Align;
        l->SetBounds(c.Left, c.Top, c.Width, 3);
        EXPECT_NEAR(l->Left(), c.ExpectLeft, 1e-9);
        EXPECT_NEAR(l->Top(), c.ExpectTop, 1e-9);
        EXPECT_NEAR(l->Width(), c.ExpectWidth, 1e-9);
        EXPECT_NEAR(l->Height(), 3, 1e-9);
    }
    auto* cmd = new TvrDMPCommand(Band);
    cmd->SetBounds(14, 26, 7, 5);
    EXPECT_NEAR(cmd->Left(), 9.6, 1e-9);
    EXPECT_NEAR(cmd->Top(), 34, 1e-9);
    EXPECT_NEAR(cmd->Width(), 7, 1e-9);
}

TEST(DMPCommand, DecimalAndHexadecimalCommandsGiveTheSameBytes) {
    struct TCase {
        const char* Command;
        std::vector<Byte> Bytes;
    } cases[] = {{"#27#64", {27, 64}}, {"1B40", {27, 64}}, {"1B4", {27}}, {"", {}}, {"#7", {7}}};
    for (const TCase& c : cases) {
        TvrDMPCommand cmd(nullptr);
        cmd.Command = c.Command;
        EXPECT_EQ(cmd.DecodeCommand(), c.Bytes) << c.Command;
    }
    for (const char* bad : {"#27#x", "1G", "#"}) {
        TvrDMPCommand cmd(nullptr);
        cmd.Command = bad;
        EXPECT_THROW(cmd.DecodeCommand(), EConvertError) << bad;
    }
}

TEST_F(TDMPFixture, TruncatedTextIsCutToTheCharacterBox) {
    auto* m = new TvrDMPMemoView(Band);
    m->SetBounds(0, 0, 5 * fr1CharX, 3 * fr1CharY);
    m->SetText(u"ABCDEFGH\r\n12\r\nx\r\ny");
    EXPECT_EQ(m->GetTruncatedText(), "ABCDE\r\n12\r\nx\r\n");
    // Chinese characters count as one each and become two bytes of the program's code page.
    m->SetText(u"合计金额总数");
    EXPECT_EQ(m->GetTruncatedText().size(), 12u);
}

TEST_F(TDMPFixture, ThePageStyleReachesTheTextsThatFollowTheirParent) {
    auto* follows = new TvrDMPMemoView(Band);
    auto* own = new TvrDMPMemoView(Band);
    own->SetFontStyle(TvrDMPFontStyles{fsxItalic});
    auto* line = new TvrDMPLineView(Band);
    EXPECT_EQ(follows->Font()->Name(), "Courier New");
    EXPECT_EQ(follows->Font()->Size(), 12);
    EXPECT_EQ(follows->GapX, 0);
    EXPECT_EQ(follows->LineSpacing, 1);
    EXPECT_FALSE(own->ParentFont());
    Page->SetFontStyle(TvrDMPFontStyles{fsxBold});
    EXPECT_TRUE(follows->FontStyle().Contains(fsxBold));
    EXPECT_TRUE(follows->Font()->Style().Contains(fsBold));
    EXPECT_TRUE(follows->ParentFont());
    EXPECT_TRUE(line->FontStyle().Contains(fsxBold));
    EXPECT_FALSE(own->Font()->Style().Contains(fsBold));
    EXPECT_TRUE(own->Font()->Style().Contains(fsItalic));
    // A text created on the bold page starts bold.
    auto* later = new TvrDMPMemoView(Band);
    EXPECT_TRUE(later->Font()->Style().Contains(fsBold));
}

TEST_F(TDMPFixture, PaperInWholeCells) {
    Page->SetDefaults();
    EXPECT_NEAR(Page->PaperWidth() * fr01cm, 82 * fr1CharX, 1e-4);
    EXPECT_NEAR(Page->PaperWidth(), 208.28, 0.01);
    EXPECT_NEAR(Page->LeftMargin, fr1CharX / fr01cm, 1e-9);
    EXPECT_NEAR(Page->TopMargin, fr1CharY / fr01cm, 1e-9);
    EXPECT_NEAR(Page->PaperHeight() * fr01cm, 66 * fr1CharY, 1e-4);
    Page->SetPaperWidth(210); // rounded: 82.68 characters make 83
    EXPECT_NEAR(Page->PaperWidth() * fr01cm, 83 * fr1CharX, 1e-4);
    EXPECT_EQ(Page->PaperSize(), 256);
}

TEST_F(TDMPFixture, PreparedRecordsAndLayoutsKeepStylesAndCommands) {
    auto* m = new TvrDMPMemoView(Band);
    m->SetName("Text1");
    m->SetFontStyle(TvrDMPFontStyles{fsxBold, fsxWide});
    auto* cmd = new TvrDMPCommand(Band);
    cmd->SetName("Cmd1");
    cmd->Command = "#27#64";
    TvrDMPMemoView mt(nullptr);
    TvrDMPCommand ct(nullptr);
    EXPECT_NE(m->Diff(&mt).find(" FontStyle=\"65\""), String::npos);
    EXPECT_NE(cmd->Diff(&ct).find(" Command=\"#27#64\""), String::npos);
    Page->SetFontStyle(TvrDMPFontStyles{fsxUnderline});

    const String text = SaveReportText(Report);
    TvrReport loaded(nullptr);
    LoadReportText(loaded, text);
    auto* page = dynamic_cast<TvrDMPPage*>(loaded.FindObject("Page1"));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->FontStyle(), TvrDMPFontStyles{fsxUnderline});
    auto* lm = dynamic_cast<TvrDMPMemoView*>(loaded.FindObject("Text1"));
    ASSERT_NE(lm, nullptr);
    EXPECT_EQ(lm->FontStyle(), (TvrDMPFontStyles{fsxBold, fsxWide}));
    auto* lc = dynamic_cast<TvrDMPCommand*>(loaded.FindObject("Cmd1"));
    ASSERT_NE(lc, nullptr);
    EXPECT_EQ(lc->Command, "#27#64");
    EXPECT_EQ(m->GetDescription(), "obDMPText");
}

TEST(DMPRegistration, TheObjectsAreInTheDotMatrixGroup) {
    vrStartUp();
    struct TCase {
        const meta::TClassInfo* Class;
        Integer Image;
    } cases[] = {{&TvrDMPMemoView::StaticClassInfo(), 2},
                 {&TvrDMPLineView::StaticClassInfo(), 5},
                 {&TvrDMPCommand::StaticClassInfo(), 21}};
    for (const TCase& c : cases) {
        TvrObjectItem* found = nullptr;
        for (int i = 0; i < ReportObjectRegistry()->Count(); ++i)
            if (ReportObjectRegistry()->Items(i)->ClassRef == c.Class)
                found = ReportObjectRegistry()->Items(i);
        ASSERT_NE(found, nullptr) << c.Class->Name();
        EXPECT_EQ(found->CategoryFlags, vrcfDotMatrix);
        EXPECT_EQ(found->ButtonImageIndex, c.Image);
    }
    EXPECT_NE(GetClass("TvrDMPPage"), nullptr);
}

TEST_F(TDMPFixture, BandsOnTheDotMatrixPageSnapToo) {
    Band->SetTop(20);
    Band->SetHeight(40);
    Band->SetLeft(5);
    EXPECT_NEAR(Band->Top(), 17, 1e-9);
    EXPECT_NEAR(Band->Height(), 34, 1e-9);
    EXPECT_NEAR(Band->Left(), 9.6, 1e-9);
}
