// The GIF picture among the windowing layer's pictures: loading through TPicture, drawing on a
// canvas, bitmaps in and out, the clipboard.
#include "CodecTestTools.h"
#include "controls/KxGIF.h"
#include "gui/Clipbrd.h"
#include "gui/Picture.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<TBitmap> Indexed() {
    auto result = std::make_unique<TBitmap>(3, 2, pf8bit);
    TBitmap& bmp = *result;
    std::vector<TColor> palette(256, 0);
    palette[1] = KxRGB(255, 255, 255);
    palette[2] = KxRGB(200, 10, 20);
    bmp.SetPalette(palette);
    bmp.ScanLine(0)[0] = 1;
    bmp.ScanLine(0)[1] = 2;
    bmp.ScanLine(1)[2] = 2;
    return result;
}

} // namespace

TEST(GifPicture, PicturesLoadGifByExtensionAndBySignature) {
    RegisterGIFImage();
    codectest::TempFolder dir;
    TGIFImage gif;
    gif.Assign(*Indexed());
    const std::vector<Byte> file = gif.SaveToBytes();
    codectest::WriteFile(dir / "pic.gif", file);
    TPicture picture;
    picture.LoadFromFile(dir / "pic.gif");
    ASSERT_NE(dynamic_cast<TGIFImage*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 3);
    TMemoryStream stream;
    stream.WriteBuffer(file.data(), static_cast<Int64>(file.size()));
    stream.SetPosition(0);
    TPicture byContent;
    byContent.LoadFromStream(stream);
    ASSERT_NE(dynamic_cast<TGIFImage*>(byContent.Graphic()), nullptr);
    EXPECT_EQ(byContent.Height(), 2);
    bool listed = false;
    for (const auto& f : TPicture::FileFormats())
        if (f.Extension == "gif") listed = f.Description == "CompuServe GIF Image";
    EXPECT_TRUE(listed);
}

TEST(GifPicture, DrawsOnACanvasLeavingTheKeyColourOut) {
    TGIFImage gif;
    gif.Assign(*Indexed());
    TBitmap target(6, 4, pf24bit);
    target.Canvas()->Brush()->SetColor(KxRGB(0, 0, 255));
    target.Canvas()->FillRect(TRect(0, 0, 6, 4));
    target.Canvas()->StretchDraw(TRect(0, 0, 6, 4), &gif);
    EXPECT_EQ(target.Pixel(1, 1), KxRGB(255, 255, 255));
    EXPECT_EQ(target.Pixel(3, 1), KxRGB(200, 10, 20));
    gif.FrameAt(0)->KeyColor = KxRGB(255, 255, 255);
    TBitmap under(3, 2, pf24bit);
    under.Canvas()->Brush()->SetColor(KxRGB(0, 0, 255));
    under.Canvas()->FillRect(TRect(0, 0, 3, 2));
    under.Canvas()->Draw(0, 0, &gif);
    EXPECT_EQ(under.Pixel(0, 0), KxRGB(0, 0, 255));
    EXPECT_EQ(under.Pixel(1, 0), KxRGB(200, 10, 20));
}

TEST(GifPicture, BitmapsInAndOut) {
    TBitmap rgb(4, 3, pf24bit);
    rgb.Canvas()->Brush()->SetColor(KxRGB(9, 99, 199));
    rgb.Canvas()->FillRect(TRect(0, 0, 4, 3));
    TGIFImage gif;
    gif.Assign(rgb);
    TGIFImage back;
    back.LoadFromBytes(gif.SaveToBytes());
    TBitmap out;
    back.AssignTo(out);
    EXPECT_EQ(out.Width(), 4);
    EXPECT_EQ(out.Pixel(2, 2), KxRGB(9, 99, 199));
    back.FrameAt(0)->KeyColor = KxRGB(9, 99, 199);
    TBitmap keyed;
    back.AssignTo(keyed);
    EXPECT_TRUE(keyed.Transparent());
    EXPECT_EQ(keyed.TransparentColor(), KxRGB(9, 99, 199));
    EXPECT_THROW(gif.SetWidth(2), EGIFImageError);
}

TEST(GifPicture, ClipboardCarriesTheGifAndABitmap) {
    TGIFImage gif;
    gif.Assign(*Indexed());
    Word format = 0;
    std::vector<Byte> data;
    // Frames made from bitmaps and never written: only a bitmap.
    gif.SaveToClipboardFormat(format, data);
    EXPECT_EQ(format, CF_DIB);
    gif.SaveToBytes();
    gif.SaveToClipboardFormat(format, data);
    EXPECT_EQ(format, GifClipboardFormat());
    EXPECT_EQ(GetClipboardFormatName(format), "GIF Image");
    TGIFImage back;
    back.LoadFromClipboardFormat(format, data);
    ASSERT_EQ(back.FrameCount(), 1);
    EXPECT_EQ(back.ActiveFrame, 0);
    EXPECT_EQ(back.FrameAt(0)->FrameBitmap().Pixel(1, 0), KxRGB(200, 10, 20));
    EXPECT_TRUE(TPicture::SupportsClipboardFormat(GifClipboardFormat()));
    EXPECT_TRUE(TPicture::SupportsClipboardFormat(QuornaIconFormat()));
}

TEST(GifPicture, AssigningNothingResetsAndThePaletteFollowsTheCurrentBitmap) {
    TGIFImage gif;
    EXPECT_TRUE(gif.GetPalette().empty()); // no frames, no palette
    gif.Assign(*Indexed());
    const std::vector<TDibColor> palette = gif.GetPalette();
    ASSERT_EQ(palette.size(), 256u);
    EXPECT_EQ(palette[2].Color(), KxRGB(200, 10, 20));

    int changes = 0;
    gif.OnChange = [&](TObject*) { ++changes; };
    gif.Assign(static_cast<const TPersistent*>(nullptr));
    EXPECT_EQ(gif.FrameCount(), 0);
    EXPECT_TRUE(gif.Empty());
    EXPECT_EQ(gif.ActiveFrame, -1);
    EXPECT_EQ(changes, 1);
}

TEST(GifPicture, FramesDrawThemselvesOnACanvas) {
    TGIFImage gif;
    gif.Assign(*Indexed());
    TGIFFrame& frame = *gif.FrameAt(0);
    frame.KeyColor = KxRGB(255, 255, 255);
    for (bool transparent : {false, true}) {
        TBitmap target(3, 2, pf24bit);
        target.Canvas()->Brush()->SetColor(KxRGB(0, 0, 255));
        target.Canvas()->FillRect(TRect(0, 0, 3, 2));
        frame.DrawFrame(*target.Canvas(), TRect(0, 0, 3, 2), transparent);
        EXPECT_EQ(target.Pixel(0, 0), transparent ? KxRGB(0, 0, 255) : KxRGB(255, 255, 255));
        EXPECT_EQ(target.Pixel(1, 0), KxRGB(200, 10, 20));
    }
}
