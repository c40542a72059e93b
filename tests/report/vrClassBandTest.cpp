// Bands: the kind table, names, the child chain, the diff, the virtual data set and columns.
#include "report/vrClassBand.h"
#include "report/vrClass.h"

#include <gtest/gtest.h>

TEST(Band, KindIndexAndName) {
    TvrGroupFooter gf(nullptr);
    TvrOverlay ov(nullptr);
    TvrNullBand nb(nullptr);
    TvrDataBand db(nullptr);
    TvrMasterData md(nullptr);
    EXPECT_EQ(gf.BandKindIndex(), 13);
    EXPECT_EQ(ov.BandKindIndex(), 17);
    EXPECT_EQ(nb.BandKindIndex(), 0);
    EXPECT_EQ(db.BandKindIndex(), 0);
    EXPECT_EQ(md.BandKindIndex(), 6);
    TvrReportTitle rt(nullptr);
    TvrChild ch(nullptr);
    TvrDataBand4 d4(nullptr);
    EXPECT_EQ(rt.GetBandName(), "ReportTitle");
    EXPECT_EQ(ch.GetBandName(), "Child");
    EXPECT_EQ(md.GetBandName(), "MasterData");
    EXPECT_EQ(d4.GetBandName(), "Data4");
    EXPECT_EQ(md.GetDescription(), "obDataBand");
    EXPECT_EQ(rt.GetDescription(), "obBand");
}

TEST(Band, ChildChainNeverCloses) {
    TvrChild a(nullptr), b(nullptr), c(nullptr);
    EXPECT_THROW(a.SetChild(&a), Exception);
    EXPECT_EQ(a.Child(), nullptr);
    a.SetChild(&b);
    try {
        b.SetChild(&a);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Circular child reference is not allowed");
    }
    EXPECT_EQ(b.Child(), nullptr);
    b.SetChild(&c);
    EXPECT_EQ(a.Child()->Child(), &c);
    EXPECT_THROW(c.SetChild(&a), Exception);
}

TEST(Band, AChildFreedIsDropped) {
    vrStartUp();
    TvrReport report(nullptr);
    auto* a = new TvrReportTitle(&report);
    auto* b = new TvrChild(&report);
    a->SetChild(b);
    delete b;
    EXPECT_EQ(a->Child(), nullptr);
}

TEST(Band, ABandEqualToItsTemplateDiffsToItsTopOnly) {
    TvrMasterData a(nullptr), t(nullptr);
    a.SetBounds(0, 40, 700, 20);
    t.SetBounds(0, 40, 700, 20);
    EXPECT_EQ(a.Diff(&t), " t=\"40\"");
    TvrGroupHeader g(nullptr), gt(nullptr);
    g.DrillDown = true;
    g.DrillName = "d1";
    EXPECT_EQ(g.Diff(&gt), " t=\"0\" DrillName=\"d1\"");
}

TEST(Band, RowCountAndColumns) {
    TvrDataBand b(nullptr);
    b.SetRowCount(3);
    EXPECT_EQ(b.RowCountDataSet()->RangeEnd, reCount);
    EXPECT_EQ(b.RowCountDataSet()->RangeEndCount, 3);
    b.Columns = 2;
    b.ColumnWidth = 100;
    b.ColumnGap = 10;
    b.LowestBottom = 50;
    b.SetCurColumn(2);
    EXPECT_EQ(b.CurColumn(), 2);
    EXPECT_DOUBLE_EQ(static_cast<double>(b.Left()), 110);
    EXPECT_EQ(b.LowestBottom, 50);
    b.SetCurColumn(3);
    EXPECT_EQ(b.CurColumn(), 1);
    EXPECT_DOUBLE_EQ(static_cast<double>(b.Left()), 0);
    EXPECT_EQ(b.LowestBottom, 0);
}
