// Option defaults, what Clear and Assign carry, named styles and style files.
#include "TempDir.h"
#include "report/vrClass.h"
#include "report/vrRes.h"
#include "vrClassTestObjects.h"

#include <gtest/gtest.h>

namespace {

TEST(Options, Defaults) {
    TvrEngineOptions e;
    TvrPreviewOptions p;
    TvrPrintOptions pr;
    EXPECT_EQ(e.MaxMemSize, 10);
    EXPECT_TRUE(e.ConvertNulls);
    EXPECT_TRUE(e.PrintIfEmpty);
    EXPECT_EQ(p.PagesInCache, 50);
    EXPECT_EQ(p.OutlineWidth, 120);
    EXPECT_EQ(p.Buttons.Bits(), 4095u);
    EXPECT_FALSE(p.Buttons.Contains(pbNoClose));
    EXPECT_EQ(pr.SpliceOverlap, 3);
    EXPECT_EQ(pr.Copies, 1);
    EXPECT_EQ(pr.Printer, GetResources().GetString("prDefault"));
}

TEST(Options, SilentModeIsAViewOfNewSilentMode) {
    TvrEngineOptions e;
    EXPECT_FALSE(e.SilentMode());
    e.NewSilentMode = simSilent;
    EXPECT_TRUE(e.SilentMode());
    e.NewSilentMode = simReThrow;
    e.SetSilentMode(false);
    EXPECT_EQ(e.NewSilentMode, simMessageBoxes);
    e.SetSilentMode(true);
    EXPECT_EQ(e.NewSilentMode, simSilent);
}

TEST(Options, ClearAndAssignCarryOnlyTheirValues) {
    TvrPreviewOptions p;
    p.Zoom = 2;
    p.Modal = false;
    p.OutlineWidth = 7;
    p.Clear();
    EXPECT_DOUBLE_EQ(static_cast<double>(p.Zoom), 2);
    EXPECT_FALSE(p.Modal);
    EXPECT_EQ(p.OutlineWidth, 120);

    TvrPrintOptions a, b;
    a.DuplexOverride = dmVertical;
    a.Copies = 3;
    b.Assign(&a);
    EXPECT_EQ(b.Copies, 3);
    EXPECT_EQ(b.DuplexOverride, dmNone);

    TvrEngineOptions e, f;
    e.HeadlessMode = true;
    e.MaxMemSize = 4;
    f.Assign(&e);
    EXPECT_EQ(f.MaxMemSize, 4);
    EXPECT_FALSE(f.HeadlessMode);
    f.Assign(&p); // another class changes nothing
    EXPECT_EQ(f.MaxMemSize, 4);
}

TEST(Styles, UniqueNamesAndDuplicates) {
    TvrStyles styles;
    for (int i = 0; i < 3; ++i)
        styles.Add()->CreateUniqueName();
    EXPECT_EQ(styles.Items(0)->Name(), "Style1");
    EXPECT_EQ(styles.Items(2)->Name(), "Style3");
    styles.Delete(1);
    styles.Add()->CreateUniqueName();
    EXPECT_EQ(styles.Items(2)->Name(), "Style2");
    try {
        styles.Items(1)->SetName("style1");
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Duplicate name");
    }
    EXPECT_EQ(styles.Items(1)->Name(), "Style3");
    styles.Items(0)->SetName("Style1"); // its own name again
    EXPECT_EQ(styles.Find("STYLE2"), styles.Items(2));
}

TEST(Styles, FileRoundTripAndApplyToTheReport) {
    RegisterTestObjects();
    TempDir dir;
    TvrReport report(nullptr);
    auto* page = new TTestReportPage(&report);
    auto* kept = new TTestView(page);
    kept->Style = "Heading";
    auto* dropped = new TTestView(page);
    dropped->Style = "Gone";

    TvrStyles file;
    file.Name = "收费";
    TvrStyleItem* item = file.Add();
    item->SetName("Heading");
    item->Color = 255;
    item->Font()->SetName("宋体");
    file.SaveToFile(dir.File("s.ds3"));

    report.Styles()->LoadFromFile(dir.File("s.ds3"));
    EXPECT_EQ(report.Styles()->Name, "收费");
    ASSERT_EQ(report.Styles()->Count(), 1);
    EXPECT_EQ(report.Styles()->Items(0)->Color, 255);
    EXPECT_EQ(report.Styles()->Items(0)->Font()->Name(), "宋体");
    EXPECT_EQ(kept->Style, "Heading");
    EXPECT_EQ(kept->StyleApplied, 1);
    EXPECT_EQ(dropped->Style, "");

    TvrStyleSheet sheet;
    sheet.LoadFromFile(dir.File("s.ds3")); // the root is "style", not "stylesheet"
    EXPECT_EQ(sheet.Count(), 0);
}

} // namespace
