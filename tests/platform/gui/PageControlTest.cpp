// The tabs of a page control: on the edge TabPosition names, TabHeight across their row and
// TabWidth along it (0: fitted to the caption), with the active page beside them.
#include "gui/ComCtrls.h"
#include "gui/ControlShot.h"
#include "gui/Forms.h"
#include "gui/Graphics.h"

#include <gtest/gtest.h>

namespace {

struct TPages {
    TForm Form{nullptr};
    TPageControl* Control;
    TPages() {
        Form.SetBounds(0, 0, 400, 300);
        Control = new TPageControl(&Form);
        Control->SetParent(&Form);
        Control->SetAlign(alClient);
        for (const char* caption : {"日常管理", "信息查询", "报表中心"}) {
            auto* sheet = new TTabSheet(&Form);
            sheet->SetPageControl(Control);
            sheet->SetCaption(caption);
        }
        Form.Show();
    }
    TRect Page() const {
        TTabSheet* p = Control->ActivePage();
        return Bounds(p->Left(), p->Top(), p->Width(), p->Height());
    }
};

} // namespace

TEST(PageControl, TabsStandOnTheEdgeTheirPositionNamesWithThePageBesideThem) {
    struct TCase {
        TTabPosition Position;
        bool Vertical; // the tabs follow each other down the edge
    };
    for (TCase c : {TCase{tpTop, false}, {tpBottom, false}, {tpLeft, true}, {tpRight, true}}) {
        SCOPED_TRACE(static_cast<int>(c.Position));
        TPages pages;
        TPageControl* pc = pages.Control;
        pc->SetTabPosition(c.Position);
        EXPECT_EQ(pc->TabPosition(), c.Position);
        const TRect first = pc->TabRect(0), second = pc->TabRect(1);
        ASSERT_FALSE(IsRectEmpty(first));
        if (c.Vertical) {
            EXPECT_EQ(first.Left, second.Left);
            EXPECT_GE(second.Top, first.Bottom);
        } else {
            EXPECT_EQ(first.Top, second.Top);
            EXPECT_GE(second.Left, first.Right);
        }
        const TRect page = pages.Page();
        switch (c.Position) {
        case tpTop:
            EXPECT_EQ(first.Top, 0);
            EXPECT_GE(page.Top, first.Bottom);
            break;
        case tpBottom:
            EXPECT_EQ(first.Bottom, pc->Height());
            EXPECT_LE(page.Bottom, first.Top);
            break;
        case tpLeft:
            EXPECT_EQ(first.Left, 0);
            EXPECT_GE(page.Left, first.Right);
            EXPECT_GT(page.Height(), pc->Height() - 10);
            break;
        case tpRight:
            EXPECT_EQ(first.Right, pc->Width());
            EXPECT_LE(page.Right, first.Left);
            EXPECT_GT(page.Height(), pc->Height() - 10);
            break;
        }
        // The page keeps its place when the control is resized or another page is shown.
        pages.Form.SetBounds(0, 0, 500, 360);
        pc->SetActivePageIndex(2);
        const TRect later = pages.Page();
        EXPECT_EQ(later.Width() - page.Width(), 100);
        EXPECT_EQ(later.Height() - page.Height(), 60);
    }
}

TEST(PageControl, TabHeightIsAcrossTheRowAndTabWidthAlongIt) {
    TPages pages;
    TPageControl* pc = pages.Control;
    const int fitted = pc->TabRect(0).Width();
    pc->SetTabHeight(40);
    EXPECT_EQ(pc->TabRect(0).Height(), 40);
    EXPECT_EQ(pc->TabRect(0).Width(), fitted);
    EXPECT_GE(pages.Page().Top, 40);
    pc->SetTabWidth(90);
    EXPECT_EQ(pc->TabRect(1).Width(), 90);
    EXPECT_EQ(pc->TabRect(1).Left, pc->TabRect(0).Right);

    // On the left edge the height is the tabs' width; the width goes down the edge.
    pc->SetTabPosition(tpLeft);
    pc->SetTabHeight(60);
    pc->SetTabWidth(0);
    EXPECT_EQ(pc->TabRect(0).Width(), 60);
    EXPECT_GE(pages.Page().Left, 60);
    EXPECT_LT(pages.Page().Left, 70);
    pc->SetTabWidth(80);
    EXPECT_EQ(pc->TabRect(2).Height(), 80);
    EXPECT_EQ(pc->TabRect(3), TRect()); // no such tab
    EXPECT_THROW(pc->SetTabHeight(-1), EInvalidOperation);
}

// In button style the tabs are a row of buttons and the page stands without the frame the tabs
// style draws round it; the style can go back to tabs.
TEST(PageControl, ButtonStyleDropsThePageFrame) {
    TPages pages;
    TPageControl* pc = pages.Control;
    EXPECT_EQ(pc->Style(), tsTabs);
    // Pixels of the left edge beside the page that differ from the control's colour.
    auto framed = [&] {
        TBitmap bmp;
        GrabControl(pc, bmp);
        const TRect page = pages.Page();
        int n = 0;
        for (int x = 0; x < page.Left; ++x)
            for (int y = page.Top + 10; y < page.Bottom - 10; ++y)
                if (bmp.Pixel(x, y) != bmp.Pixel(page.Left + 40, page.Top + 40)) ++n;
        return n;
    };
    EXPECT_GT(framed(), 0) << "the tabs style frames the page";
    pc->SetStyle(tsButtons);
    EXPECT_EQ(framed(), 0);
    EXPECT_EQ(pc->TabRect(1).Left, pc->TabRect(0).Right) << "the buttons stand in the tabs' row";
    pc->SetActivePageIndex(2);
    EXPECT_EQ(pc->ActivePageIndex(), 2);
    pc->SetStyle(tsTabs);
    EXPECT_GT(framed(), 0);
}
