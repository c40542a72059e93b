// Image list entries named after pictures of the desktop's icon theme: the theme's picture at the
// list's size, drawn disabled as the theme renders it; the entry's own image where no theme has
// the name or the themes are hidden from the search. Needs the icon theme of scripts/packages.txt.
#include "gui/IconTheme.h"
#include "gui/Bitmap.h"
#include "gui/ImgList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

const TColor Back = clWhite;

// The entry drawn on white, enabled or not.
std::unique_ptr<TBitmap> Drawn(TImageList& list, int index, bool enabled) {
    auto bmp = std::make_unique<TBitmap>(list.Width(), list.Height());
    bmp->Canvas()->Brush()->SetColor(Back);
    bmp->Canvas()->FillRect(TRect(0, 0, list.Width(), list.Height()));
    list.Draw(bmp->Canvas(), 0, 0, index, enabled);
    return bmp;
}

int Covered(const std::unique_ptr<TBitmap>& bmp) {
    int n = 0;
    for (int y = 0; y < bmp->Height(); ++y)
        for (int x = 0; x < bmp->Width(); ++x)
            if (bmp->Pixel(x, y) != Back) ++n;
    return n;
}

bool SamePixels(const std::unique_ptr<TBitmap>& a, const std::unique_ptr<TBitmap>& b) {
    for (int y = 0; y < a->Height(); ++y)
        for (int x = 0; x < a->Width(); ++x)
            if (a->Pixel(x, y) != b->Pixel(x, y)) return false;
    return true;
}

// A solid red square of the size: the entry's own picture.
std::unique_ptr<TBitmap> RedSquare(int size) {
    auto bmp = std::make_unique<TBitmap>(size, size);
    bmp->Canvas()->Brush()->SetColor(clRed);
    bmp->Canvas()->FillRect(TRect(0, 0, size, size));
    return bmp;
}

// Hides every theme from the search while it lives.
struct HiddenThemes {
    std::vector<String> Saved = IconThemeSearchPaths();
    HiddenThemes() { SetIconThemeSearchPaths({}); }
    ~HiddenThemes() { SetIconThemeSearchPaths(Saved); }
};

} // namespace

TEST(IconTheme, TheInstalledThemeIsSearchedWithoutADesktopThatNamesOne) {
    EXPECT_FALSE(IconThemeName().empty());
    EXPECT_NE(IconThemeName(), "hicolor");
    const std::vector<String> paths = IconThemeSearchPaths();
    EXPECT_NE(std::find(paths.begin(), paths.end(), "/usr/share/icons"), paths.end());
    EXPECT_TRUE(HasThemeIcon("document-new")) << "is " << DefaultIconTheme << " installed?";
    EXPECT_FALSE(HasThemeIcon("no-such-picture-anywhere"));
    EXPECT_FALSE(HasThemeIcon(""));
}

TEST(IconTheme, ANamedEntryShowsTheThemesPictureAtEachSize) {
    for (int size : {16, 24, 32}) {
        SCOPED_TRACE(size);
        TImageList list(size, size);
        auto own = RedSquare(size);
        list.AddMasked(own.get(), clNone);
        list.SetIconName(0, "document-print");
        EXPECT_EQ(list.IconName(0), "document-print");
        EXPECT_TRUE(list.FromIconTheme(0));
        const auto shown = Drawn(list, 0, true);
        EXPECT_GE(Covered(shown), size);        // a picture, not an empty cell
        EXPECT_LT(Covered(shown), size * size); // and not the red square
        EXPECT_NE(shown->Pixel(0, 0), clRed);
    }
}

TEST(IconTheme, DisabledThemePicturesAreTheThemesRenderingNotAGreySquare) {
    TImageList list(32, 32);
    list.AddIconName("folder"); // a coloured picture
    const auto normal = Drawn(list, 0, true);
    const auto disabled = Drawn(list, 0, false);
    ASSERT_GT(Covered(normal), 200);
    // Faded in the same outline: no pixel outside the picture, most of it still there, and
    // none as strongly coloured as the picture's own.
    int outside = 0, colourful = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const TColor c = disabled->Pixel(x, y);
            if (normal->Pixel(x, y) == Back && c != Back) ++outside;
            const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
            if (std::max({r, g, b}) - std::min({r, g, b}) > 60) ++colourful;
        }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(Covered(disabled), Covered(normal) / 2);
    EXPECT_EQ(colourful, 0);
    EXPECT_FALSE(SamePixels(normal, disabled));
}

TEST(IconTheme, WithoutThePictureTheEntryKeepsItsOwnImage) {
    TImageList list(16, 16);
    auto own = RedSquare(16);
    list.AddMasked(own.get(), clNone);
    list.SetIconName(0, "no-such-picture-anywhere");
    EXPECT_FALSE(list.FromIconTheme(0));
    EXPECT_EQ(Covered(Drawn(list, 0, true)), 16 * 16);
    // An added name with a fallback picture, and one without: nothing drawn.
    // The fallback is masked by its bottom-left pixel's colour: a red square on white.
    auto fallback = RedSquare(32);
    fallback->Canvas()->Brush()->SetColor(clWhite);
    fallback->Canvas()->FillRect(TRect(0, 28, 32, 32));
    EXPECT_EQ(list.AddIconName("no-such-picture-anywhere", fallback.get()), 1);
    EXPECT_EQ(Drawn(list, 1, true)->Pixel(8, 6), clRed);
    EXPECT_EQ(Drawn(list, 1, true)->Pixel(8, 15), Back); // scaled to 16: the white rows masked
    EXPECT_EQ(list.AddIconName("no-such-picture-anywhere"), 2);
    EXPECT_EQ(Covered(Drawn(list, 2, true)), 0);
}

TEST(IconTheme, HiddenThemesLeaveTheBuiltInPictures) {
    HiddenThemes hidden;
    EXPECT_FALSE(HasThemeIcon("document-new"));
    TImageList list(24, 24);
    auto own = RedSquare(24);
    list.AddMasked(own.get(), clNone);
    list.SetIconName(0, "document-new");
    EXPECT_FALSE(list.FromIconTheme(0));
    EXPECT_EQ(Covered(Drawn(list, 0, true)), 24 * 24);
}

TEST(IconTheme, RenamingOrClearingTheNameFollows) {
    TImageList list(16, 16);
    auto own = RedSquare(16);
    list.AddMasked(own.get(), clNone);
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.SetIconName(0, "go-next");
    EXPECT_TRUE(list.FromIconTheme(0));
    const auto next = Drawn(list, 0, true);
    list.SetIconName(0, "go-previous");
    EXPECT_TRUE(list.FromIconTheme(0));
    EXPECT_FALSE(SamePixels(next, Drawn(list, 0, true)));
    list.SetIconName(0, "go-previous"); // unchanged: no change announced
    EXPECT_EQ(changes, 2);
    // Cleared after a theme picture showed: the picture goes, nothing of its own is left.
    list.SetIconName(0, "");
    EXPECT_FALSE(list.FromIconTheme(0));
    EXPECT_EQ(Covered(Drawn(list, 0, true)), 0);
    EXPECT_THROW(list.SetIconName(5, "go-next"), EInvalidOperation);
}
