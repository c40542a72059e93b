// The image control: where the picture goes (top-left, centred, stretched, proportional), its
// transparent colour, the size it gives with AutoSize, and drawing on it through its canvas.
#include "gui/Bitmap.h"
#include "gui/ControlShot.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/Icon.h"
#include "gui/InputSimulation.h"
#include "gui/Picture.h"

#include "classes/MetaProps.h"

#include <gtest/gtest.h>

namespace {

// A solid picture.
std::unique_ptr<TBitmap> Solid(int w, int h, TColor colour) {
    auto bmp = std::make_unique<TBitmap>(w, h);
    bmp->Canvas()->Brush()->SetColor(colour);
    bmp->Canvas()->FillRect(TRect(0, 0, w, h));
    return bmp;
}

// The rectangle of the pixels of that colour in a picture of the control (empty when none).
TRect Extent(TControl* c, TColor colour) {
    TBitmap bmp;
    GrabControl(c, bmp);
    TRect r(bmp.Width(), bmp.Height(), 0, 0);
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            if (bmp.Pixel(x, y) == colour) {
                r.Left = std::min(r.Left, x);
                r.Top = std::min(r.Top, y);
                r.Right = std::max(r.Right, x + 1);
                r.Bottom = std::max(r.Bottom, y + 1);
            }
    return r.Left < r.Right ? r : TRect();
}

struct TImageFixture : ::testing::Test {
    TForm Form{nullptr};
    TImage* Image = nullptr;
    void SetUp() override {
        Form.SetClientWidth(200);
        Form.SetClientHeight(100);
        Form.SetColor(clWhite);
        Image = new TImage(&Form);
        Image->SetParent(&Form);
        Image->SetBounds(0, 0, 100, 50);
        Form.Show();
    }
};

} // namespace

TEST_F(TImageFixture, PlacesThePictureAsItsOptionsSay) {
    struct Case {
        const char* Name;
        int W, H;
        bool Center, Stretch, Proportional;
        TRect Dest;
    };
    const Case cases[] = {
        {"top-left", 20, 10, false, false, false, {0, 0, 20, 10}},
        {"centred", 20, 10, true, false, false, {40, 20, 60, 30}},
        {"stretched", 20, 10, false, true, false, {0, 0, 100, 50}},
        // Proportional alone only shrinks a picture too large.
        {"small proportional", 20, 10, false, false, true, {0, 0, 20, 10}},
        {"large proportional", 400, 100, false, false, true, {0, 0, 100, 25}},
        {"tall proportional", 50, 200, true, false, true, {44, 0, 56, 50}},
        // With Stretch it grows to fit, keeping its aspect.
        {"grown", 10, 20, false, true, true, {0, 0, 25, 50}},
        {"grown and centred", 10, 20, true, true, true, {37, 0, 62, 50}},
    };
    for (const Case& k : cases) {
        auto pic = Solid(k.W, k.H, clRed);
        Image->Picture()->SetGraphic(pic.get());
        Image->SetCenter(k.Center);
        Image->SetStretch(k.Stretch);
        Image->SetProportional(k.Proportional);
        EXPECT_EQ(Image->DestRect(), k.Dest) << k.Name;
        EXPECT_EQ(Extent(Image, clRed), k.Dest) << k.Name;
    }
}

TEST_F(TImageFixture, TransparentPicturesLetTheParentShowThrough) {
    // Lime background (the bottom-left pixel) around a blue square.
    auto pic = Solid(20, 20, clLime);
    pic->Canvas()->Brush()->SetColor(clBlue);
    pic->Canvas()->FillRect(TRect(5, 5, 15, 15));
    Image->Picture()->SetGraphic(pic.get());
    EXPECT_EQ(Extent(Image, clLime), TRect(0, 0, 20, 20));
    Image->SetTransparent(true);
    EXPECT_TRUE(Image->Picture()->Graphic()->Transparent());
    EXPECT_EQ(Extent(Image, clLime), TRect());
    EXPECT_EQ(Extent(Image, clBlue), TRect(5, 5, 15, 15));
    // A picture loaded later takes the image's transparency.
    auto other = Solid(20, 20, clLime);
    Image->Picture()->SetGraphic(other.get());
    EXPECT_TRUE(Image->Picture()->Graphic()->Transparent());
    EXPECT_EQ(Extent(Image, clLime), TRect());
}

TEST_F(TImageFixture, AutoSizeTakesThePicturesSize) {
    auto pic = Solid(30, 40, clRed);
    Image->Picture()->SetGraphic(pic.get());
    EXPECT_EQ(Image->Width(), 100);
    Image->SetAutoSize(true);
    EXPECT_EQ(Image->Width(), 30);
    EXPECT_EQ(Image->Height(), 40);
    Image->Picture()->Bitmap()->SetSize(60, 20);
    EXPECT_EQ(Image->Width(), 60);
    EXPECT_EQ(Image->Height(), 20);
    // An empty picture leaves the size.
    Image->Picture()->SetGraphic(static_cast<const TGraphic*>(nullptr));
    EXPECT_EQ(Image->Width(), 60);
}

TEST_F(TImageFixture, CanvasDrawsOnTheBitmap) {
    // An empty picture becomes a bitmap of the control's size.
    TCanvas* c = Image->Canvas();
    ASSERT_NE(dynamic_cast<TBitmap*>(Image->Picture()->Graphic()), nullptr);
    EXPECT_EQ(Image->Picture()->Width(), 100);
    EXPECT_EQ(Image->Picture()->Height(), 50);
    c->Brush()->SetColor(clNavy);
    c->FillRect(TRect(10, 10, 30, 20));
    EXPECT_EQ(Extent(Image, clNavy), TRect(10, 10, 30, 20));
    EXPECT_EQ(Image->Picture()->Bitmap()->Pixel(10, 10), clNavy);

    // Other kinds of picture cannot be drawn on.
    Image->Picture()->SetGraphic(std::make_unique<TIcon>());
    try {
        Image->Canvas();
        FAIL() << "drawing on an icon";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "Can only modify an image if it contains a bitmap");
    }
}

TEST_F(TImageFixture, ClicksAndPublishedProperties) {
    int clicks = 0;
    Image->OnClick = [&](TObject*) { ++clicks; };
    SimulateClick(Image, 5, 5);
    EXPECT_EQ(clicks, 1);
    SetPropValue(Image, "Stretch", true);
    SetPropValue(Image, "Center", true);
    EXPECT_TRUE(Image->Stretch());
    EXPECT_TRUE(Image->Center());
    TPicture pic;
    pic.SetGraphic(Solid(8, 8, clRed));
    SetObjectProp(Image, "Picture", &pic);
    EXPECT_EQ(Image->Picture()->Width(), 8);
    EXPECT_NE(Image->Picture()->Graphic(), pic.Graphic()); // a copy
}
