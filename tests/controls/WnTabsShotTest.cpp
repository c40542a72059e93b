// Pictures of the two configurations the program uses: the desktop (five tabs down the left side,
// round corners, coloured tabs) and the fee ledger (two tabs at the bottom, cut corners), checked at
// the points the drawing rules fix; the pictures are kept as PNG files for a look by eye.
#include "controls/WnCommon.h"
#include "controls/WnPageControl.h"

#include "gui/Bitmap.h"
#include "gui/ControlShot.h"
#include "gui/Forms.h"
#include "gui/InputSimulation.h"
#include "gui/Screenshot.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::string ShotFile(const std::string& name) {
    const auto dir = std::filesystem::temp_directory_path() / "orv_wntabs_shots";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

TColorRef At(TBitmap& b, int x, int y) {
    return ColorToRGB(b.Canvas()->Pixels(x, y)) & 0xFFFFFF;
}

int Distance(TColorRef a, TColorRef b) {
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

// The dark (text) pixels inside r: their count and centre.
struct Ink {
    int Count = 0;
    double X = 0, Y = 0;
};
Ink InkIn(TBitmap& b, const TRect& r) {
    Ink ink;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            const TColorRef c = At(b, x, y);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) {
                ++ink.Count;
                ink.X += x;
                ink.Y += y;
            }
        }
    if (ink.Count) ink.X /= ink.Count, ink.Y /= ink.Count;
    return ink;
}

constexpr TColor DesktopColor = 15330541;

} // namespace

TEST(WnTabsShot, DesktopConfiguration) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 620, 430);
    auto* pc = new TWnPageControl(&form);
    pc->SetParent(&form);
    pc->SetAlign(alClient);
    pc->SetAlignTabs(true);
    pc->SetBackgroundColor(clTeal);
    pc->SetBoldCurrentTab(true);
    pc->SetColor(DesktopColor);
    pc->SetUseColoredTabs(true);
    pc->Font()->SetName("宋体");
    pc->Font()->SetHeight(-14);
    pc->Font()->SetCharset(GB2312_CHARSET);
    pc->SetFlatColor(clBackground);
    pc->SetImageMargin(8);
    pc->SetHotTrackStyle(htsText);
    pc->SetMultiLine(true);
    pc->SetShowFocusRect(false);
    pc->TabColors()->SetShadow(clWindow);
    pc->TabColors()->SetUnselected(clBtnFace);
    pc->SetTabHeight(60);
    pc->SetTabOrientation(toLeft);
    pc->SetTabSequence(tsReverse);
    pc->SetTabStyle(tsRoundCorners);
    pc->SetFixedDimension(132);
    const char* captions[] = {"日常管理", "信息查询", "报表中心", "基本资料", "系统管理"};
    const int images[] = {29, 12, 38, 30, 31};
    for (int i = 0; i < 5; ++i) {
        auto* sheet = new TWnTabSheet(&form);
        sheet->SetPageControl(pc);
        sheet->SetCaption(captions[i]);
        sheet->SetColor(DesktopColor);
        sheet->SetImageIndex(images[i]);
    }
    pc->SetActivePageIndex(0);
    form.Show();
    TBitmap shot;
    GrabControl(pc, shot);
    ASSERT_TRUE(SaveBitmapAsPng(shot, ShotFile("desktop.png")));

    // Five tabs, 60 long, down the left side from the top; the strip as deep as the widest.
    const int depth = pc->TabAreaDepth();
    EXPECT_EQ(pc->RowCount(), 1);
    EXPECT_EQ(pc->GetTabRect(1), TRect(3, 64, depth, 124));
    EXPECT_EQ(pc->GetTabRect(4), TRect(3, 250, depth, 310));
    EXPECT_EQ(pc->GetTabRect(0), TRect(1, 0, depth, 64)); // current: grown by 2

    const TColorRef sheet = ColorToRGB(DesktopColor);
    // The current tab in its sheet's colour, joined to the page in the same colour.
    EXPECT_EQ(At(shot, 6, 32), sheet);
    EXPECT_EQ(At(shot, depth + 60, 200), sheet);
    // Unselected tabs run from the tab colour at the outer edge to its shade by the card.
    const TColorRef shade = ColorToRGB(ShadeColor(DesktopColor, 30));
    EXPECT_LE(Distance(At(shot, 5, 94), sheet), 6);
    EXPECT_LE(Distance(At(shot, depth - 3, 94), shade), 6);
    // Strip background below the tabs, the card's frame in the flat colour, no shadow.
    EXPECT_EQ(At(shot, 5, 400), ColorToRGB(clTeal));
    EXPECT_EQ(At(shot, depth, 300), ColorToRGB(clBackground));
    EXPECT_EQ(At(shot, pc->Width() - 1, 300), ColorToRGB(clBackground));
    // The bold caption stands centred in the current tab.
    const TRect tab0 = pc->GetTabRect(0);
    const Ink ink = InkIn(shot, TRect(tab0.Left + 3, tab0.Top + 3, tab0.Right - 3, tab0.Bottom - 3));
    EXPECT_GT(ink.Count, 40);
    EXPECT_NEAR(ink.X, (tab0.Left + tab0.Right) / 2.0, 8);
    EXPECT_NEAR(ink.Y, (tab0.Top + tab0.Bottom) / 2.0, 6);
    form.Hide();
}

TEST(WnTabsShot, FeeLedgerConfiguration) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 500, 300);
    auto* pc = new TWnPageControl(&form);
    pc->SetParent(&form);
    pc->SetAlign(alClient);
    pc->SetBackgroundColor(10930928);
    pc->SetCutCornerSize(0);
    pc->SetFlatColor(clBlue);
    pc->SetImageAlignment(haLeft);
    pc->SetImageMargin(0);
    pc->SetImagePosition(ipBottom);
    pc->SetHotTrackColor(clGradientActiveCaption);
    pc->SetRowIndent(0);
    pc->SetRowOverlap(0);
    pc->SetShowCardFrame(false);
    pc->SetShowFocusRect(false);
    pc->SetShowShadow(false);
    pc->TabColors()->SetHighlightBar(clBtnFace);
    pc->SetTabOrientation(toBottom);
    pc->SetTabStyle(tsCutCorner);
    pc->SetFixedDimension(19);
    for (const char* caption : {" 按 用 量 ", " 按 面 积 "}) {
        auto* sheet = new TWnTabSheet(&form);
        sheet->SetPageControl(pc);
        sheet->SetCaption(caption);
    }
    pc->SetActivePageIndex(0);
    form.Show();
    TBitmap shot;
    GrabControl(pc, shot);
    ASSERT_TRUE(SaveBitmapAsPng(shot, ShotFile("feeledger.png")));

    const TRect t0 = pc->GetTabRect(0), t1 = pc->GetTabRect(1);
    EXPECT_EQ(t0.Bottom, pc->Height() - 1);
    EXPECT_EQ(t1.Left, t0.Right + 2); // cut corners stand apart by one blank pixel
    // The current tab in the control's colour, the other from the shadow colour at the card down
    // to the unselected colour at the outer edge.
    const int midY = (t0.Top + t0.Bottom) / 2;
    EXPECT_EQ(At(shot, t0.Left + 3, midY), ColorToRGB(clBtnFace));
    EXPECT_LE(Distance(At(shot, t1.Left + 3, t1.Top + 2), ColorToRGB(clBtnFace)), 8);
    EXPECT_LE(Distance(At(shot, t1.Left + 3, t1.Bottom - 2), ColorToRGB(clWindow)), 8);
    // Outlines in the flat colour; the strip background right of the tabs.
    EXPECT_EQ(At(shot, t1.Left, midY), ColorToRGB(clBlue));
    EXPECT_EQ(At(shot, pc->Width() - 5, pc->Height() - 4), ColorToRGB(10930928));
    const Ink ink = InkIn(shot, TRect(t0.Left + 2, t0.Top + 2, t0.Right - 2, t0.Bottom - 2));
    EXPECT_GT(ink.Count, 20);
    EXPECT_NEAR(ink.X, (t0.Left + t0.Right) / 2.0, 6);

    // The window hides every tab: the page fills the control.
    pc->HideAllTabs();
    pc->SetActivePageIndex(1);
    GrabControl(pc, shot);
    EXPECT_EQ(At(shot, 10, pc->Height() - 3), ColorToRGB(clBtnFace));
    EXPECT_EQ(pc->ActivePageIndex(), 1);
    form.Hide();
}

TEST(WnTabsShot, ShadowOfTabsOnTop) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    form.SetColor(clWhite);
    auto* pc = new TWnPageControl(&form);
    pc->SetParent(&form);
    pc->SetBounds(0, 0, 260, 160);
    for (const char* caption : {"One", "Two"}) {
        auto* sheet = new TWnTabSheet(&form);
        sheet->SetPageControl(pc);
        sheet->SetCaption(caption);
    }
    pc->SetActivePageIndex(0);
    form.Show();
    TBitmap shot;
    GrabControl(pc, shot);
    ASSERT_TRUE(SaveBitmapAsPng(shot, ShotFile("shadow.png")));
    // Two shades over the parent's white: 30/255 of black one pixel in, 15/255 at the edge.
    EXPECT_EQ(At(shot, 258, 80), ColorToRGB(MixColors(clBlack, clWhite, 30)));
    EXPECT_EQ(At(shot, 259, 80), ColorToRGB(MixColors(clBlack, clWhite, 15)));
    EXPECT_EQ(At(shot, 130, 159), ColorToRGB(MixColors(clBlack, clWhite, 15)));
    // The frame stands 2 pixels inside for it.
    EXPECT_EQ(At(shot, 257, 80), ColorToRGB(clBtnShadow));
    // A hot tab repaints the whole picture, shadow included.
    const TRect two = pc->GetTabRect(1);
    SimulateMouseMove(pc, (two.Left + two.Right) / 2, (two.Top + two.Bottom) / 2 + 2);
    ASSERT_EQ(pc->HotTab(), 1);
    GrabControl(pc, shot);
    EXPECT_EQ(At(shot, 258, 80), ColorToRGB(MixColors(clBlack, clWhite, 30)));
    form.Hide();
}
