// How the workspace paints: selection handles, the grid, band frames and strips, captions,
// column outlines and the corner marks of frameless views, read from the pixels it shows.
#include "WorkspaceFixture.h"

#include "gui/Bitmap.h"
#include "gui/ControlShot.h"

namespace {

TColor PixelAt(TBitmap& b, int x, int y) { return b.Canvas()->Pixels(x, y) & 0xFFFFFF; }

// The run of pixels other than white through (x, y) along the row.
int RunWidth(TBitmap& b, int x, int y) {
    int l = x, r = x;
    while (l > 0 && PixelAt(b, l - 1, y) != 0xFFFFFF) --l;
    while (r + 1 < b.Width() && PixelAt(b, r + 1, y) != 0xFFFFFF) ++r;
    return PixelAt(b, x, y) == 0xFFFFFF ? 0 : r - l + 1;
}

int DarkPixels(TBitmap& b, const TRect& r) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if ((PixelAt(b, x, y) & 0xFF) < 0x80) ++n;
    return n;
}

} // namespace

class PaintTest : public WorkspaceTest {
protected:
    void SetUp() override {
        WorkspaceTest::SetUp();
        Ws->ShowGrid = false;
        Ws->ShowEdges = false;
    }
    TBitmap& Shot() {
        FShot = std::make_unique<TBitmap>();
        GrabControl(Ws, *FShot);
        return *FShot;
    }
    std::unique_ptr<TBitmap> FShot;
};

TEST_F(PaintTest, HandlesGrowWithTheScale) {
    auto* memo = Add<TvrMemoView>(Page, 100, 100, 50, 30);
    SelectOnly(memo);
    struct Case {
        Extended Scale;
        int Size;
    } cases[] = {{0.6, 3}, {1, 5}, {1.7, 5}, {2, 7}};
    for (const Case& c : cases) {
        Ws->Scale = c.Scale;
        TBitmap& b = Shot();
        const int x = static_cast<int>(std::nearbyint(100 * c.Scale));
        EXPECT_EQ(RunWidth(b, x, x), c.Size) << c.Scale;
        EXPECT_EQ(PixelAt(b, x, x), 0x000000u) << "white exclusive-or on white paper";
        const int mid = static_cast<int>(std::nearbyint(125 * c.Scale));
        EXPECT_EQ(RunWidth(b, mid, x), c.Size) << "a single object has edge handles";
    }
}

TEST_F(PaintTest, TheGroupHandleIsTealAndNoHandleShowsWhileTheMouseIsDown) {
    auto* a = Add<TvrMemoView>(Page, 100, 100, 50, 30);
    auto* b = Add<TvrMemoView>(Page, 200, 200, 50, 30);
    Selected = {a, b};
    TBitmap& shot = Shot();
    EXPECT_EQ(PixelAt(shot, 250, 230), 0xFFFFFFu ^ 0x808000u);
    EXPECT_EQ(PixelAt(shot, 150, 130), 0x000000u);
    EXPECT_EQ(RunWidth(shot, 125, 100), 0) << "no edge handles for several objects";
    Move(120, 110);
    Down(120, 110);
    TBitmap& held = Shot();
    EXPECT_EQ(PixelAt(held, 150, 130), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(held, 250, 230), 0xFFFFFFu);
    Up(120, 110);
}

TEST_F(PaintTest, TheLineGridDrawsHalfCentimetresLighter) {
    Ws->ShowGrid = true;
    struct Case {
        Byte Type;
        bool Lcd;
        int X;
        TColor Color;
    } cases[] = {
        {1, false, 38, 0xE8E8E8}, {1, false, 19, 0xF8F8F8}, {1, false, 4, 0xFFFFFF}, {1, false, 8, 0xFFFFFF},
        {1, true, 38, 0xE2E2E2},  {1, true, 19, 0xF2F2F2},  {2, false, 96, 0xE8E8E8}, {2, false, 10, 0xF8F8F8},
    };
    for (const Case& c : cases) {
        Ws->GridType = c.Type;
        Ws->GridLCD = c.Lcd;
        TBitmap& b = Shot();
        EXPECT_EQ(PixelAt(b, c.X, 3), c.Color) << int(c.Type) << " " << c.Lcd << " " << c.X;
    }
}

TEST_F(PaintTest, ADotGridIsDrawnOnlyAboveTwoPixels) {
    Ws->ShowGrid = true;
    Ws->GridType = 0;
    Ws->GridX = Ws->GridY = 8;
    EXPECT_EQ(PixelAt(Shot(), 16, 16), 0x808080u);
    Ws->GridX = Ws->GridY = 2;
    TBitmap& b = Shot();
    EXPECT_EQ(PixelAt(b, 16, 16), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(b, 2, 2), 0xFFFFFFu);
    Ws->GridType = 3;
    Ws->GridX = Ws->GridY = 8;
    EXPECT_EQ(PixelAt(Shot(), 16, 16), 0x000000u) << "a dialog page's dots are black";
}

TEST_F(PaintTest, BandsShowTheirStripAndCaption) {
    Ws->FreeBands = true;
    auto* data = Add<TvrMasterData>(Page, 0, 100, 700, 40);
    data->SetName("MasterData1");
    auto* header = Add<TvrPageHeader>(Page, 0, 300, 700, 40);
    TBitmap& b = Shot();
    EXPECT_EQ(PixelAt(b, 400, 90), 0x30A7E0u) << "the data band's strip";
    EXPECT_NE(PixelAt(b, 400, 290), 0x30A7E0u);
    EXPECT_NE(PixelAt(b, 400, 290), 0xFFFFFFu) << "the other bands' strip";
    EXPECT_EQ(PixelAt(b, 0, 120), 0x808080u) << "the grey outline";
    EXPECT_GT(DarkPixels(b, Rect(6, 83, 200, 99)), 20) << "the caption";
    (void)header;
    // Without captions the strip goes and the caption moves into the band.
    Ws->SetShowBandCaptions(false);
    EXPECT_EQ(Ws->BandHeader, 0);
    TBitmap& off = Shot();
    EXPECT_EQ(PixelAt(off, 400, 90), 0xFFFFFFu);
    EXPECT_EQ(DarkPixels(off, Rect(6, 83, 200, 99)), 0);
    EXPECT_GT(DarkPixels(off, Rect(6, 102, 200, 116)), 20);
}

TEST_F(PaintTest, ADataBandShowsItsColumnsDotted) {
    Ws->FreeBands = true;
    auto* data = Add<TvrMasterData>(Page, 0, 100, 700, 40);
    data->Columns = 3;
    data->ColumnWidth = 100;
    data->ColumnGap = 10;
    for (bool captions : {true, false}) {
        Ws->ShowBandCaptions = captions;
        TBitmap& b = Shot();
        for (int x : {99, 110, 209, 220, 319}) {
            int dark = 0, light = 0;
            for (int y = 105; y < 135; ++y) (PixelAt(b, x, y) == 0 ? dark : light)++;
            EXPECT_GT(dark, 5) << x;
            EXPECT_GT(light, 5) << x << " dotted";
        }
        EXPECT_EQ(PixelAt(b, 330, 120), 0xFFFFFFu) << "no fourth column";
    }
}

TEST_F(PaintTest, CornerMarksShowWhereTheFrameDoesNot) {
    Ws->ShowEdges = true;
    Add<TvrMemoView>(Page, 100, 100, 50, 30);
    auto* framed = Add<TvrMemoView>(Page, 300, 100, 50, 30);
    framed->Frame()->Typ = TvrFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
    framed->Frame()->SetColor(clRed);
    auto* line = Add<TvrLineView>(Page, 100, 300, 100, 0);
    line->Frame()->SetColor(clRed);
    TBitmap& b = Shot();
    EXPECT_EQ(PixelAt(b, 101, 100), 0x000000u);
    EXPECT_EQ(PixelAt(b, 100, 101), 0x000000u);
    EXPECT_EQ(PixelAt(b, 148, 130), 0x000000u);
    EXPECT_EQ(PixelAt(b, 110, 100), 0xFFFFFFu) << "a mark, not a line";
    EXPECT_NE(PixelAt(b, 301, 100), 0x000000u) << "a full frame has no marks";
    EXPECT_NE(PixelAt(b, 100, 301), 0x000000u) << "nor has a line";
}
