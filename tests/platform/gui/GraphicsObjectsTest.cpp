#include "gui/Graphics.h"

#include "classes/MetaProps.h"
#include "rtl/SysUtils.h"

#include <gtest/gtest.h>

TEST(Colors, SystemColoursResolveThroughTheFixedTable) {
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(clWindow), RGB(255, 255, 255));
    EXPECT_EQ(ColorToRGB(clWindowText), RGB(0, 0, 0));
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(10, 36, 106));
    EXPECT_EQ(ColorToRGB(clInfoBk), RGB(255, 255, 225));
    EXPECT_EQ(ColorToRGB(clBtnShadow), RGB(128, 128, 128));
    // Plain colours and the special values pass unchanged.
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
    EXPECT_EQ(ColorToRGB(clNone), 0x1FFFFFFFu);
    EXPECT_EQ(static_cast<Cardinal>(clBtnFace), 0xFF00000Fu);
}

TEST(Colors, NamesRoundTrip) {
    struct Case {
        TColor Color;
        const char* Text;
    } cases[] = {{clRed, "clRed"},        {clBtnFace, "clBtnFace"}, {clNone, "clNone"},
                 {0x123456, "$00123456"}, {clSilver, "clSilver"},   {clDefault, "clDefault"}};
    for (const auto& c : cases) {
        EXPECT_EQ(ColorToString(c.Color), c.Text);
        EXPECT_EQ(StringToColor(c.Text), c.Color);
    }
    EXPECT_EQ(StringToColor("CLRED"), clRed);
    EXPECT_EQ(StringToColor("255"), clRed);
    EXPECT_THROW(StringToColor("reddish"), EConvertError);
}

TEST(Geometry, RectHelpers) {
    TRect r;
    EXPECT_TRUE(IntersectRect(r, Rect(0, 0, 10, 10), Rect(5, 5, 20, 20)));
    EXPECT_EQ(r, Rect(5, 5, 10, 10));
    EXPECT_FALSE(IntersectRect(r, Rect(0, 0, 10, 10), Rect(10, 0, 20, 10)));
    EXPECT_EQ(r, TRect());
    EXPECT_TRUE(UnionRect(r, Rect(0, 0, 0, 0), Rect(1, 2, 3, 4)));
    EXPECT_EQ(r, Rect(1, 2, 3, 4));
    EXPECT_TRUE(UnionRect(r, Rect(0, 0, 2, 2), Rect(1, 2, 3, 4)));
    EXPECT_EQ(r, Rect(0, 0, 3, 4));
    EXPECT_EQ(Bounds(10, 20, 30, 40), Rect(10, 20, 40, 60));
    EXPECT_TRUE(PtInRect(Rect(0, 0, 10, 10), Point(0, 9)));
    EXPECT_FALSE(PtInRect(Rect(0, 0, 10, 10), Point(10, 5)));
    TRect g = Rect(10, 10, 20, 20);
    InflateRect(g, 2, -3);
    EXPECT_EQ(g, Rect(8, 13, 22, 17));
    OffsetRect(g, -8, 1);
    EXPECT_EQ(g, Rect(0, 14, 14, 18));
    EXPECT_TRUE(IsRectEmpty(Rect(5, 5, 5, 10)));
    EXPECT_EQ(MulDiv(8, 96, 72), 11);
    EXPECT_EQ(MulDiv(-9, 96, 72), -12);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

TEST(Font, SizeAndHeightFollowTheResolution) {
    TFont f;
    EXPECT_EQ(f.Name(), "MS Sans Serif");
    EXPECT_EQ(f.Height(), -11);
    EXPECT_EQ(f.Size(), 8);
    int changes = 0;
    f.OnChange = [&](TObject*) { ++changes; };
    f.SetSize(9);
    EXPECT_EQ(f.Height(), -12);
    f.SetHeight(-16);
    EXPECT_EQ(f.Size(), 12);
    f.SetStyle({fsBold, fsUnderline});
    EXPECT_TRUE(f.Style().Contains(fsBold));
    EXPECT_FALSE(f.Style().Contains(fsItalic));
    EXPECT_EQ(f.Style().Bits(), 0x05u);
    f.SetHeight(-16); // unchanged: no event
    EXPECT_EQ(changes, 3);

    // Assigning to a printer font keeps the point size.
    TFont printerFont;
    printerFont.SetPixelsPerInch(600);
    printerFont.Assign(f);
    EXPECT_EQ(printerFont.Size(), 12);
    EXPECT_EQ(printerFont.Height(), -100);
}

TEST(Brush, ColourMakesAClearBrushSolid) {
    TBrush b;
    b.SetStyle(bsClear);
    b.SetColor(clRed);
    EXPECT_EQ(b.Style(), bsSolid);
    EXPECT_EQ(b.Color(), clRed);
}

TEST(GraphicsMeta, FontPenAndBrushPublishTheirProperties) {
    TCanvas canvas;
    TFont* font = canvas.Font();
    SetPropValue(font, "Style", "[fsBold,fsItalic]");
    EXPECT_TRUE(font->Style().Contains(fsBold));
    EXPECT_TRUE(font->Style().Contains(fsItalic));
    SetPropValue(font, "Name", "宋体");
    SetOrdProp(font, "Height", -16);
    EXPECT_EQ(GetOrdProp(font, "Size"), 12);
    EXPECT_EQ(GetStrProp(font, "Name"), "宋体");
    EXPECT_EQ(GetPropInfo(font, "Color")->TypeName, "TColor");
    SetPropValue(canvas.Pen(), "Style", "psDot");
    EXPECT_EQ(canvas.Pen()->Style(), psDot);
    TObject* holder = nullptr;
    const meta::TPropInfo* prop = FindPropPath(&canvas, "Brush.Color", holder);
    ASSERT_NE(prop, nullptr);
    SetOrdProp(holder, *prop, clRed);
    EXPECT_EQ(canvas.Brush()->Color(), clRed);
    // A canvas of its own measures but does not draw.
    EXPECT_GT(canvas.TextWidth("abc"), 0);
    EXPECT_THROW(canvas.Rectangle(0, 0, 5, 5), EInvalidOperation);

    TFont other;
    other.Assign(static_cast<const TPersistent*>(font));
    EXPECT_EQ(other.Name(), "宋体");
    EXPECT_THROW(other.Assign(static_cast<const TPersistent*>(canvas.Pen())), EConvertError);
}
