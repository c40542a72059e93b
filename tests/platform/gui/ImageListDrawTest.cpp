// Images of an image list shown where the list is attached: menu items, tool buttons (greyed or
// from DisabledImages while disabled), tree nodes (selected image while selected), list items and
// tabs; the controls follow changes of the list and let go of it when it is freed.
#include "gui/Bitmap.h"
#include "gui/ComCtrls.h"
#include "gui/ControlShot.h"
#include "gui/Forms.h"
#include "gui/ImgList.h"
#include "gui/Menus.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// A list of solid 16 x 16 images in the given colours.
void AddSolid(TImageList& list, std::initializer_list<TColor> colours) {
    for (TColor c : colours) {
        TBitmap bmp(16, 16);
        bmp.Canvas()->Brush()->SetColor(c);
        bmp.Canvas()->FillRect(TRect(0, 0, 16, 16));
        list.Add(&bmp, nullptr);
    }
}

int CountColour(const TBitmap& bmp, TColor colour) {
    int n = 0;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            if (bmp.Pixel(x, y) == colour) ++n;
    return n;
}

int CountIn(TControl* control, TColor colour) {
    TBitmap bmp;
    GrabControl(control, bmp);
    return CountColour(bmp, colour);
}

const TColor Red = clRed, Green = clLime, Blue = clBlue;

} // namespace

TEST(ImageListDraw, MenuItemsShowTheirImagesGreyedWhenDisabled) {
    TForm form(nullptr);
    TImageList images(16, 16, &form);
    AddSolid(images, {Red, Green});
    TMainMenu menu(&form);
    TMenuItem* file = NewItem(&form, "&File", scNone, false, true, nullptr);
    TMenuItem* open = NewItem(&form, "&Open", scNone, false, true, nullptr);
    open->SetImageIndex(0); // set before the item joins the menu
    file->Add(open);
    menu.Items()->Add(file);
    menu.SetImages(&images);

    TBitmap shot;
    GrabMenu(file, shot);
    EXPECT_EQ(CountColour(shot, Red), 256);

    open->SetImageIndex(1);
    GrabMenu(file, shot);
    EXPECT_EQ(CountColour(shot, Red), 0);
    EXPECT_EQ(CountColour(shot, Green), 256);

    // Disabled: the image's shape in the shadow colour, no colour of its own.
    open->SetEnabled(false);
    GrabMenu(file, shot);
    EXPECT_EQ(CountColour(shot, Green), 0);
    EXPECT_GE(CountColour(shot, static_cast<TColor>(ColorToRGB(clBtnShadow))), 200);

    // A popup menu's items too.
    TPopupMenu popup(&form);
    TMenuItem* sub = NewItem(&form, "Sub", scNone, false, true, nullptr);
    TMenuItem* leaf = NewItem(&form, "Leaf", scNone, false, true, nullptr);
    sub->Add(leaf);
    popup.Items()->Add(sub);
    popup.SetImages(&images);
    leaf->SetImageIndex(0);
    GrabMenu(sub, shot);
    EXPECT_EQ(CountColour(shot, Red), 256);
}

TEST(ImageListDraw, ToolButtonsShowImagesAndDisabledImages) {
    TForm form(nullptr);
    TImageList images(16, 16, &form);
    AddSolid(images, {Red, Green});
    TImageList disabled(16, 16, &form);
    AddSolid(disabled, {Blue});
    auto* bar = new TToolBar(&form);
    bar->SetParent(&form);
    bar->SetImages(&images);
    auto* b = new TToolButton(&form);
    b->SetParent(bar);
    b->SetImageIndex(0);
    form.Show();
    EXPECT_EQ(CountIn(b, Red), 256);

    // Greyed while disabled...
    b->SetEnabled(false);
    EXPECT_EQ(CountIn(b, Red), 0);
    EXPECT_GE(CountIn(b, static_cast<TColor>(ColorToRGB(clBtnShadow))), 200);
    // ...or the entry of DisabledImages.
    bar->SetDisabledImages(&disabled);
    EXPECT_EQ(CountIn(b, Blue), 256);
    b->SetEnabled(true);
    EXPECT_EQ(CountIn(b, Blue), 0);
    EXPECT_EQ(CountIn(b, Red), 256);

    // A change of the list shows at once.
    TBitmap green(16, 16);
    green.Canvas()->Brush()->SetColor(Green);
    green.Canvas()->FillRect(TRect(0, 0, 16, 16));
    images.Replace(0, &green, nullptr);
    EXPECT_EQ(CountIn(b, Red), 0);
    EXPECT_EQ(CountIn(b, Green), 256);
}

TEST(ImageListDraw, TreeNodesShowTheirSelectedImageWhileSelected) {
    TForm form(nullptr);
    TImageList images(16, 16, &form);
    AddSolid(images, {Red, Green, Blue});
    auto* tree = new TTreeView(&form);
    tree->SetParent(&form);
    tree->SetBounds(0, 0, 200, 100);
    TTreeNode* a = tree->Items()->Add(nullptr, "a");
    a->SetImageIndex(0);
    a->SetSelectedIndex(2);
    TTreeNode* b = tree->Items()->Add(nullptr, "b");
    b->SetImageIndex(1);
    tree->SetImages(&images); // after the nodes: they take their images then
    form.Show();

    tree->SetSelected(a);
    EXPECT_EQ(CountIn(tree, Red), 0);
    EXPECT_EQ(CountIn(tree, Blue), 256);
    EXPECT_EQ(CountIn(tree, Green), 256);

    // A selected node without a selected image shows none, as the platform does.
    tree->SetSelected(b);
    EXPECT_EQ(CountIn(tree, Red), 256);
    EXPECT_EQ(CountIn(tree, Blue), 0);
    EXPECT_EQ(CountIn(tree, Green), 0);

    // New nodes take their image from the list already attached.
    TTreeNode* c = tree->Items()->AddChild(a, "c");
    c->SetImageIndex(2);
    a->Expand(false);
    EXPECT_EQ(CountIn(tree, Blue), 256);
}

TEST(ImageListDraw, ListItemsAndTabsShowTheirImages) {
    TForm form(nullptr);
    form.SetClientWidth(300);
    form.SetClientHeight(200);
    TImageList images(16, 16, &form);
    AddSolid(images, {Red, Green});
    auto* list = new TListView(&form);
    list->SetParent(&form);
    list->SetViewStyle(vsReport);
    list->AddColumn()->SetCaption("Name");
    TListItem* item = list->AddItem();
    item->SetCaption("one");
    item->SetImageIndex(0);
    list->SetSmallImages(&images);
    auto* pages = new TPageControl(&form);
    pages->SetParent(&form);
    pages->SetBounds(0, 160, 300, 40);
    auto* sheet = new TTabSheet(&form);
    sheet->SetPageControl(pages);
    sheet->SetCaption("Page");
    sheet->SetImageIndex(1);
    pages->SetImages(&images);
    form.Show();

    EXPECT_EQ(CountIn(list, Red), 256);
    item->SetImageIndex(1);
    EXPECT_EQ(CountIn(list, Red), 0);
    EXPECT_EQ(CountIn(list, Green), 256);
    EXPECT_EQ(CountIn(pages, Green), 256);
    sheet->SetImageIndex(0);
    EXPECT_EQ(CountIn(pages, Red), 256);
}

TEST(ImageListDraw, FreeingTheListClearsEveryReferenceToIt) {
    TForm form(nullptr);
    auto* images = new TImageList(16, 16, &form);
    AddSolid(*images, {Red});
    auto* bar = new TToolBar(&form);
    bar->SetParent(&form);
    auto* b = new TToolButton(&form);
    b->SetParent(bar);
    b->SetImageIndex(0);
    auto* tree = new TTreeView(&form);
    tree->SetParent(&form);
    tree->Items()->Add(nullptr, "a")->SetImageIndex(0);
    TMainMenu menu(&form);
    bar->SetImages(images);
    bar->SetDisabledImages(images);
    tree->SetImages(images);
    menu.SetImages(images);
    form.Show();
    ASSERT_EQ(CountIn(b, Red), 256);

    delete images;
    EXPECT_EQ(bar->Images(), nullptr);
    EXPECT_EQ(bar->DisabledImages(), nullptr);
    EXPECT_EQ(tree->Images(), nullptr);
    EXPECT_EQ(menu.Images(), nullptr);
    EXPECT_EQ(CountIn(b, Red), 0);
    EXPECT_EQ(CountIn(tree, Red), 0);
}

TEST(ImageListDraw, ChangeLinksHearOneListAtATime) {
    TImageList a(16, 16), b(16, 16);
    std::vector<TObject*> senders;
    {
        TChangeLink link;
        link.OnChange = [&](TObject* s) { senders.push_back(s); };
        a.RegisterChanges(&link);
        AddSolid(a, {Red});
        b.RegisterChanges(&link); // moves to b
        EXPECT_EQ(link.Sender(), &b);
        AddSolid(a, {Green});
        AddSolid(b, {Blue});
        a.Delete(0);
        b.Clear();
        ASSERT_EQ(senders.size(), 3u);
        EXPECT_EQ(senders[0], &a);
        EXPECT_EQ(senders[1], &b);
        EXPECT_EQ(senders[2], &b);
    } // the link unregisters itself
    AddSolid(b, {Red});
    EXPECT_EQ(senders.size(), 3u);
}

namespace {

// A 16 x 16 picture in the key colour with an 8 x 8 red square at its top left.
std::unique_ptr<TBitmap> KeyedPicture(TColor key) {
    auto bmp = std::make_unique<TBitmap>(16, 16);
    bmp->Canvas()->Brush()->SetColor(key);
    bmp->Canvas()->FillRect(TRect(0, 0, 16, 16));
    bmp->Canvas()->Brush()->SetColor(Red);
    bmp->Canvas()->FillRect(TRect(0, 0, 8, 8));
    return bmp;
}

} // namespace

// The mask colour is compared as the pixel colour it stands for: the transparent colour a bitmap
// gives (with the platform's palette-relative flag byte), a plain colour and a system colour.
TEST(ImageListDraw, AddMaskedLeavesOutThePixelsOfTheMaskColourHoweverItIsWritten) {
    struct TCase {
        const char* Name;
        TColor Key;                                // the colour the picture is painted in
        std::function<TColor(TBitmap&)> MaskColor; // what AddMasked is given
    };
    const TColor face = static_cast<TColor>(ColorToRGB(clBtnFace));
    const TCase cases[] = {
        {"the bitmap's transparent colour", clFuchsia, [](TBitmap& b) { return b.TransparentColor(); }},
        {"a plain colour", clFuchsia, [](TBitmap&) { return clFuchsia; }},
        {"the bottom-left pixel", clFuchsia, [](TBitmap&) { return clDefault; }},
        {"a system colour", face, [](TBitmap&) { return clBtnFace; }},
        {"a fixed system transparent colour", face,
         [](TBitmap& b) {
             b.SetTransparentColor(clBtnFace);
             return b.TransparentColor();
         }},
    };
    EXPECT_EQ(KeyedPicture(clFuchsia)->TransparentColor(), clFuchsia | 0x02000000);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto picture = KeyedPicture(c.Key);
        TImageList list(16, 16);
        list.AddMasked(picture.get(), c.MaskColor(*picture));
        TBitmap target(16, 16);
        target.Canvas()->Brush()->SetColor(Green);
        target.Canvas()->FillRect(TRect(0, 0, 16, 16));
        list.Draw(target.Canvas(), 0, 0, 0);
        EXPECT_EQ(CountColour(target, Red), 64);
        EXPECT_EQ(CountColour(target, Green), 256 - 64);
    }
}

TEST(ImageListDraw, ATransparentBitmapDrawsWithoutItsSystemTransparentColour) {
    auto picture = KeyedPicture(static_cast<TColor>(ColorToRGB(clBtnFace)));
    picture->SetTransparentColor(clBtnFace);
    picture->SetTransparent(true);
    TBitmap target(16, 16);
    target.Canvas()->Brush()->SetColor(Green);
    target.Canvas()->FillRect(TRect(0, 0, 16, 16));
    target.Canvas()->Draw(0, 0, picture.get());
    EXPECT_EQ(CountColour(target, Red), 64);
    EXPECT_EQ(CountColour(target, Green), 256 - 64);
}
