// Every picture of the program's table (app/core/IconNames.h) resolves at the sizes the controls
// ask for: the main window's actions (menu items and desktop buttons), the desktop's pages, the list
// windows' toolbar buttons and the estate tree's node kinds, from the icon theme when it is
// installed and from the built-in pictures when the themes are hidden from the search.
#include "app/core/ActionImages.h"
#include "app/core/IconNames.h"
#include "app/core/Rights.h"
#include "app/registers/RegisterImages.h"

#include "gui/Bitmap.h"
#include "gui/IconTheme.h"
#include "gui/ImgList.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace {

// The pixels an entry draws on, shown on a white and on a black background.
int Covered(TImageList& list, int index) {
    TBitmap white(list.Width(), list.Height()), black(list.Width(), list.Height());
    white.Canvas()->Brush()->SetColor(clWhite);
    white.Canvas()->FillRect(TRect(0, 0, list.Width(), list.Height()));
    black.Canvas()->Brush()->SetColor(clBlack);
    black.Canvas()->FillRect(TRect(0, 0, list.Width(), list.Height()));
    list.Draw(white.Canvas(), 0, 0, index, true);
    list.Draw(black.Canvas(), 0, 0, index, true);
    int n = 0;
    for (int y = 0; y < list.Height(); ++y)
        for (int x = 0; x < list.Width(); ++x)
            if (white.Pixel(x, y) != clWhite || black.Pixel(x, y) != clBlack) ++n;
    return n;
}

enum TKind { kActions, kTools, kTree };

std::unique_ptr<TImageList> Filled(TKind kind, int size) {
    auto list = std::make_unique<TImageList>(size, size);
    switch (kind) {
    case kActions:
        LoadActionImages(*list);
        break;
    case kTools:
        LoadPackedImages(*list, ToolImagesPacked, ToolImagesPackedSize);
        NameToolImages(*list);
        break;
    case kTree:
        LoadPackedImages(*list, TreeImagesPacked, TreeImagesPackedSize);
        NameTreeImages(*list);
        break;
    }
    return list;
}

const struct {
    TKind Kind;
    const char* What;
    int Count;
} Lists[] = {{kActions, "actions", 34}, {kTools, "toolbar", ToolImageCount}, {kTree, "tree", TreeImageCount}};

// Checks every entry of every list at 16, 24 and 32 pixels: named, a picture (not an empty cell),
// from the theme or not as expected.
void CheckAll(bool fromTheme) {
    for (const auto& l : Lists)
        for (int size : {16, 24, 32}) {
            auto list = Filled(l.Kind, size);
            ASSERT_EQ(list->Count(), l.Count) << l.What;
            for (int i = 0; i < list->Count(); ++i) {
                SCOPED_TRACE(testing::Message() << l.What << " " << i << " at " << size);
                EXPECT_FALSE(list->IconName(i).empty());
                EXPECT_EQ(list->FromIconTheme(i), fromTheme) << list->IconName(i);
                // Thin line pictures cover little: at least a tenth of a line per pixel row.
                EXPECT_GE(Covered(*list, i), size * 3 / 2) << list->IconName(i);
            }
        }
}

} // namespace

TEST(PictureTable, EveryActionToolbarButtonAndTreeNodeHasAThemePictureAtEachSize) {
    CheckAll(true);
    // The desktop's pages too.
    for (const TDesktopPage& page : DesktopPages()) {
        SCOPED_TRACE(page.Caption);
        EXPECT_TRUE(HasThemeIcon(DesktopPageIconName(page.Caption)));
    }
}

TEST(PictureTable, WithTheThemesHiddenTheBuiltInPicturesShow) {
    const std::vector<String> saved = IconThemeSearchPaths();
    SetIconThemeSearchPaths({});
    CheckAll(false);
    SetIconThemeSearchPaths(saved);
}

TEST(PictureTable, EachActionHasAPictureOfItsOwnAndUnknownKeysNone) {
    std::set<String> names;
    for (const TActionInfo& action : AppActions()) {
        const String name = ActionIconName(action.Code);
        EXPECT_FALSE(name.empty()) << action.Code;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), AppActions().size());
    EXPECT_EQ(ActionIconName(202), "");
    EXPECT_EQ(DesktopPageIconName("窗体"), "");
    EXPECT_EQ(ToolIconName(ToolImageCount), "");
    EXPECT_EQ(TreeIconName(TreeImageCount), "");
    // The toolbar and the tree in the windows are the lists of the table.
    EXPECT_EQ(RegisterToolImages()->IconName(tiNext), "go-next");
    EXPECT_EQ(ImageTree()->IconName(tiEstate), TreeIconName(tiEstate));
}
