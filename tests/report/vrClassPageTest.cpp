// Report pages: paper sizes from the table, orientation with rotating margins, columns, the width
// of bands, and the data page's size.
#include "report/vrClassPage.h"
#include "report/vrClass.h"

#include <gtest/gtest.h>

TEST(ReportPage, DefaultsAreA4PortraitWithTenMillimetreMargins) {
    TvrReportPage p(nullptr);
    p.SetDefaults();
    EXPECT_EQ(p.PaperSize(), 9);
    EXPECT_DOUBLE_EQ(static_cast<double>(p.Width()), 794);
    EXPECT_DOUBLE_EQ(static_cast<double>(p.Height()), 1123);
    EXPECT_EQ(p.LeftMargin, 10);
    EXPECT_EQ(p.NamePrefix, "Page");
}

TEST(ReportPage, LandscapeRotatesPaperAndMarginsAndBack) {
    TvrReportPage p(nullptr);
    p.SetDefaults();
    p.LeftMargin = 1;
    p.TopMargin = 2;
    p.RightMargin = 3;
    p.BottomMargin = 4;
    p.SetOrientation(poLandscape);
    EXPECT_EQ(p.PaperWidth(), 297);
    EXPECT_EQ(p.PaperHeight(), 210);
    EXPECT_EQ((std::vector<Extended>{p.LeftMargin, p.RightMargin, p.TopMargin, p.BottomMargin}),
              (std::vector<Extended>{2, 4, 3, 1}));
    EXPECT_DOUBLE_EQ(static_cast<double>(p.Width()), 1123);
    p.SetOrientation(poPortrait);
    EXPECT_EQ((std::vector<Extended>{p.LeftMargin, p.RightMargin, p.TopMargin, p.BottomMargin}),
              (std::vector<Extended>{1, 3, 2, 4}));
    // A paper code in landscape takes the table's size swapped.
    p.SetOrientation(poLandscape);
    p.SetPaperSize(11);
    EXPECT_EQ(p.PaperWidth(), 210);
    EXPECT_EQ(p.PaperHeight(), 148);
}

TEST(ReportPage, PaperSizesAndCustomSizes) {
    TvrReportPage p(nullptr);
    p.SetPaperWidth(100);
    EXPECT_EQ(p.PaperSize(), 256);
    EXPECT_DOUBLE_EQ(static_cast<double>(p.Width()), 378);
    p.SetPaperSize(48); // not in the table: the size stays
    EXPECT_EQ(p.PaperWidth(), 100);
    Extended w = 0, h = 0;
    EXPECT_TRUE(PaperSizeFromTable(26, w, h));
    EXPECT_EQ(w, 863.6L);
    EXPECT_FALSE(PaperSizeFromTable(49, w, h));
}

TEST(ReportPage, ColumnsDivideThePrintableWidth) {
    TvrReportPage p(nullptr);
    p.SetDefaults();
    p.SetColumns(3);
    EXPECT_NEAR(static_cast<double>(p.ColumnWidth), 63.3333, 0.0001);
    ASSERT_EQ(p.ColumnPositions()->Count(), 3);
    EXPECT_EQ(p.ColumnPositions()->Strings(0), "0");
    EXPECT_EQ(p.ColumnPositions()->Strings(1).rfind("63.333", 0), 0u);
    p.SetPageCount(0);
    EXPECT_EQ(p.PageCount(), 1);
}

TEST(ReportPage, BandsTakeThePrintableOrTheColumnWidth) {
    vrStartUp();
    TvrReport report(nullptr);
    auto* p = new TvrReportPage(&report);
    p->SetDefaults();
    auto* title = new TvrReportTitle(p);
    auto* data = new TvrMasterData(p);
    data->SetLeft(20);
    p->AlignChildren();
    EXPECT_NEAR(static_cast<double>(title->Width()), 190 * 3.77953, 1e-6);
    EXPECT_NEAR(static_cast<double>(data->Width()), 190 * 3.77953 - 20, 1e-6);
    p->SetColumns(2);
    p->AlignChildren();
    EXPECT_NEAR(static_cast<double>(data->Width()), 95 * 3.77953, 1e-6);
    EXPECT_NEAR(static_cast<double>(title->Width()), 190 * 3.77953, 1e-6);
    EXPECT_DOUBLE_EQ(static_cast<double>(p->Width()), 794);
    EXPECT_EQ(p->FindBand(TvrDataBand::StaticClassInfo()), data);
}
