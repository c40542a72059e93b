// The colour routines the tab control paints with: hue, saturation and luminance on the 0..240
// scale, tint, shade, luminance shift, mixing and the opposite hue; checked as tables and, for a
// sample of colours, against Python's colorsys.
#include "controls/WnCommon.h"
#include "TempDir.h"
#include "gui/Bitmap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

struct Hsl {
    int H, S, L;
};

Hsl Split(TColor c) {
    Byte h, s, l;
    SplitColorHSL(c, h, s, l);
    return {h, s, l};
}

// Runs a Python script over the input and returns what it printed.
std::string Python(const std::string& script, const std::string& input) {
    TempDir dir;
    {
        std::ofstream(dir.File("in.txt")) << input;
        std::ofstream(dir.File("run.py")) << script;
    }
    const std::string cmd = "python3 " + dir.File("run.py") + " < " + dir.File("in.txt");
    std::string out;
    if (FILE* p = ::popen(cmd.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
            out.append(buf, n);
        ::pclose(p);
    }
    return out;
}

std::vector<TColor> SampleColours() {
    std::vector<TColor> colours = {clRed,  clLime, clBlue,   clWhite,  clBlack,
                                   clTeal, clGray, 15330541, 10930928, 1350640};
    unsigned seed = 12345;
    for (int i = 0; i < 60; ++i) {
        seed = seed * 1103515245u + 12345u;
        colours.push_back(static_cast<TColor>((seed >> 8) & 0xFFFFFF));
    }
    return colours;
}

} // namespace

TEST(WnCommon, SplitColorHslTable) {
    struct Case {
        TColor Colour;
        Hsl Expected;
    } cases[] = {
        {clRed, {0, 240, 120}},     {clWhite, {0, 0, 240}},    {clBlack, {0, 0, 0}},
        {clLime, {80, 240, 120}},   {clBlue, {160, 240, 120}}, {clGray, {0, 0, 120}},
        {clBtnFace, {27, 29, 194}}, // a system colour is resolved first (212, 208, 200)
    };
    for (const Case& c : cases) {
        const Hsl got = Split(c.Colour);
        EXPECT_EQ(got.H, c.Expected.H) << std::hex << c.Colour;
        EXPECT_EQ(got.S, c.Expected.S) << std::hex << c.Colour;
        EXPECT_EQ(got.L, c.Expected.L) << std::hex << c.Colour;
    }
    EXPECT_EQ(HueOfColor(clBlue), 160);
}

TEST(WnCommon, MakeColorHslDividesHueBy239) {
    struct Case {
        int H, S, L;
        TColor Expected;
    } cases[] = {
        {0, 240, 120, clRed},
        {239, 240, 120, clRed},                              // 239 / 239 = 1.0 wraps to the red sextant
        {80, 240, 120, static_cast<TColor>(RGB(0, 255, 2))}, // 80 / 239 is a little past a third
        {0, 0, 240, clWhite},
        {0, 0, 0, clBlack},
        {160, 0, 120, static_cast<TColor>(RGB(128, 128, 128))},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MakeColorHSL(Byte(c.H), Byte(c.S), Byte(c.L)), c.Expected)
            << c.H << "," << c.S << "," << c.L;
}

TEST(WnCommon, TintShadeShiftAndMix) {
    // A grey tinted past 240 holds its channels at 255.
    EXPECT_EQ(TintColor(static_cast<TColor>(RGB(200, 200, 200)), 100), clWhite);
    EXPECT_EQ(ShadeColor(clRed, 200), clBlack);
    EXPECT_EQ(ShadeColor(clRed, 60), MakeColorHSL(0, 240, 60));
    // Zero returns a system colour as it is; other amounts work on its RGB value.
    EXPECT_EQ(ShiftLuminance(clBtnFace, 0), clBtnFace);
    EXPECT_EQ(ShiftLuminance(clBtnFace, -30), ShadeColor(clBtnFace, 30));
    EXPECT_EQ(ShiftLuminance(clBtnFace, 30), TintColor(clBtnFace, 30));
    EXPECT_EQ(ShiftLuminance(clRed, 255), clWhite);
    EXPECT_THROW(ShiftLuminance(clRed, 256), ERangeError);
    EXPECT_THROW(ShiftLuminance(clRed, -256), ERangeError);
    EXPECT_EQ(ClampLuminanceShift(1000), 255);
    EXPECT_EQ(ClampLuminanceShift(-1000), -255);
    EXPECT_EQ(ClampLuminanceShift(-12), -12);

    EXPECT_EQ(MixColors(clBlack, clWhite, 0), clWhite);
    EXPECT_EQ(MixColors(clBlack, clWhite, 255), clBlack);
    // 30/255 of black over white: 255 * 225/255 = 225.
    EXPECT_EQ(MixColors(clBlack, clWhite, 30), static_cast<TColor>(RGB(225, 225, 225)));
    EXPECT_EQ(MixColors(clRed, clBlue, 128), static_cast<TColor>(RGB(128, 0, 127)));
}

TEST(WnCommon, OppositeHueAndLikeness) {
    // Hue below 120 goes up by 120, else down by 120; always fully saturated.
    EXPECT_EQ(OppositeHueColor(clRed, 120), MakeColorHSL(120, 240, 120));
    EXPECT_EQ(OppositeHueColor(clBlue, 120), MakeColorHSL(40, 240, 120));
    // Hue 200 is built over 239 and read back over 240: one step further.
    EXPECT_EQ(HueOfColor(OppositeHueColor(clLime, 120)), 201);
    EXPECT_TRUE(ColorsAlike(clRed, static_cast<TColor>(RGB(230, 20, 10))));
    EXPECT_FALSE(
        ColorsAlike(clRed, MakeColorHSL(239, 240, 120) == clRed ? MakeColorHSL(235, 240, 120) : clRed));
    EXPECT_FALSE(ColorsAlike(clBlack, clWhite));
    // Hue 0 and hue 239 are unlike: differences do not wrap around.
    EXPECT_FALSE(ColorsAlike(clRed, static_cast<TColor>(RGB(255, 0, 8))));
    EXPECT_TRUE(FullColorScreen);
}

TEST(WnCommon, SplitAndMakeAgreeWithPythonColorsys) {
    const std::vector<TColor> colours = SampleColours();
    std::ostringstream in;
    for (TColor c : colours)
        in << GetRValue(c) << ' ' << GetGValue(c) << ' ' << GetBValue(c) << '\n';
    const std::string out = Python("import colorsys,sys\n"
                                   "for line in sys.stdin:\n"
                                   "    r,g,b=[int(v)/255 for v in line.split()]\n"
                                   "    h,l,s=colorsys.rgb_to_hls(r,g,b)\n"
                                   "    print(h*240, s*240, l*240)\n",
                                   in.str());
    std::istringstream got(out);
    size_t n = 0;
    for (TColor c : colours) {
        double h, s, l;
        ASSERT_TRUE(got >> h >> s >> l) << "colorsys gave no answer for " << n;
        const Hsl ours = Split(c);
        int dh = std::abs(ours.H - static_cast<int>(std::lround(h)));
        dh = std::min(dh, 240 - dh); // hue 240 is hue 0
        EXPECT_LE(dh, 1) << std::hex << c;
        EXPECT_LE(std::abs(ours.S - static_cast<int>(std::lround(s))), 1) << std::hex << c;
        EXPECT_LE(std::abs(ours.L - static_cast<int>(std::lround(l))), 1) << std::hex << c;
        ++n;
    }
    EXPECT_EQ(n, colours.size());

    // Back from HSL: hue over 239, saturation and luminance over 240.
    std::ostringstream in2;
    std::vector<Hsl> hsl;
    for (TColor c : colours) {
        const Hsl v = Split(c);
        hsl.push_back(v);
        in2 << v.H << ' ' << v.S << ' ' << v.L << '\n';
    }
    const std::string out2 = Python("import colorsys,sys\n"
                                    "for line in sys.stdin:\n"
                                    "    h,s,l=[int(v) for v in line.split()]\n"
                                    "    r,g,b=colorsys.hls_to_rgb(h/239,l/240,s/240)\n"
                                    "    print(round(r*255),round(g*255),round(b*255))\n",
                                    in2.str());
    std::istringstream got2(out2);
    for (const Hsl& v : hsl) {
        int r, g, b;
        ASSERT_TRUE(got2 >> r >> g >> b);
        const TColorRef ours = ColorToRGB(MakeColorHSL(Byte(v.H), Byte(v.S), Byte(v.L)));
        EXPECT_LE(std::abs(GetRValue(ours) - r), 1) << v.H << "," << v.S << "," << v.L;
        EXPECT_LE(std::abs(GetGValue(ours) - g), 1) << v.H << "," << v.S << "," << v.L;
        EXPECT_LE(std::abs(GetBValue(ours) - b), 1) << v.H << "," << v.S << "," << v.L;
    }
}

TEST(WnCommon, ArrowAndCrossGlyphsPaintTheirPixels) {
    TBitmap bmp(16, 16, pf32bit);
    TCanvas* c = bmp.Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(TRect(0, 0, 16, 16));
    // Style 0, down: rows cy .. cy - 3 carry 1, 3, 5, 7 pixels (cy = 7 + 1 for an even height).
    DrawArrowGlyph(c, TRect(0, 0, 16, 16), 0, adDown, false, true);
    const int cx = 8, cy = 8;
    EXPECT_EQ(bmp.Canvas()->Pixels(cx, cy), clBlack);
    EXPECT_EQ(bmp.Canvas()->Pixels(cx + 1, cy), clWhite);
    EXPECT_EQ(bmp.Canvas()->Pixels(cx - 3, cy - 3), clBlack);
    EXPECT_EQ(bmp.Canvas()->Pixels(cx - 4, cy - 3), clWhite);
    EXPECT_EQ(c->Brush()->Color(), clWhite); // the brush colour is kept
    EXPECT_EQ(c->Pen()->Style(), psSolid);

    c->FillRect(TRect(0, 0, 16, 16));
    DrawCrossGlyph(c, TRect(0, 0, 16, 16), 0, false, false);
    const TColor shadow = static_cast<TColor>(ColorToRGB(clBtnShadow));
    EXPECT_EQ(bmp.Canvas()->Pixels(7, 7), shadow); // centre of the cross, disabled colour
    EXPECT_EQ(bmp.Canvas()->Pixels(1, 7), clWhite);
}
