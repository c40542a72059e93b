// The data-aware edits as the user sees them: flat and 3D edits, lit and unlit, with an image, a
// button strip and the required mark, a combo box with its list open, and check boxes in their
// three states. Checked at the strip's and the border's pixels. Run under a (virtual) X server with
// ORV_SCREENSHOT_DIR set, the pictures are read back from the screen and written there as PNG
// files to look at; otherwise the controls are drawn offscreen.
#include "grid/DBCtrlsGxCheck.h"
#include "grid/DBCtrlsGxCombo.h"
#include "grid/ToolCtrlsGxListBox.h"
#include "gui/Bitmap.h"
#include "gui/Colors.h"
#include "gui/ControlShot.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/ImgList.h"
#include "gui/ScreenGrab.h"
#include "gui/Screenshot.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TColor PixelAt(TBitmap& b, int x, int y) {
    return static_cast<TColor>(ColorToPixelRGB(b.Canvas()->Pixels(x, y)));
}
TColor Rgb(TColor c) {
    return static_cast<TColor>(ColorToPixelRGB(c));
}

class EditsShot : public ::testing::Test {
protected:
    void SetUp() override {
        form.SetCaption("Edits");
        form.SetBounds(40, 40, 460, 330);
        form.SetColor(clBtnFace);
        Images = new TImageList(16, 16, &form);
        TBitmap green(16, 16);
        green.Canvas()->Brush()->SetColor(clGreen);
        green.Canvas()->FillRect(TRect(2, 2, 14, 14));
        Images->AddMasked(&green, clWhite);
        Other = new TEdit(&form);
        Other->SetParent(&form);
        Other->SetBounds(250, 10, 150, 24);
    }
    TCustomDBEditGx* AddEdit(int Top, bool Flat, bool AlwaysLit, const String& Text) {
        auto* e = new TCustomDBEditGx(&form);
        e->SetParent(&form);
        e->SetBounds(10, Top, 220, 24);
        e->SetFlat(Flat);
        e->SetAlwaysShowBorder(AlwaysLit);
        e->EditButton()->SetVisible(true);
        e->EditButtons()->AddButton()->SetStyle(ebsEllipsisGx);
        e->ImageSettings()->SetImages(Images);
        e->ImageSettings()->SetVisible(true);
        e->ImageSettings()->SetImageIndex(0);
        e->SetText(Text);
        return e;
    }
    void Shot(TControl* Control, TBitmap& Bitmap, const String& Name) {
        const char* dir = std::getenv("ORV_SCREENSHOT_DIR");
        const bool fromScreen = dir && GrabControlFromScreen(Control, Bitmap);
        if (!fromScreen) GrabControl(Control, Bitmap);
        if (dir) SaveBitmapAsPng(Bitmap, String(dir) + "/" + Name);
    }
    TForm form{nullptr};
    TImageList* Images = nullptr;
    TEdit* Other = nullptr;
};

TEST_F(EditsShot, FlatAnd3DEditsLitAndUnlitWithImageButtonsAndTheRequiredMark) {
    TCustomDBEditGx* unlit = AddEdit(10, true, false, "flat, unlit");
    TCustomDBEditGx* lit = AddEdit(44, true, true, "flat, lit");
    TCustomDBEditGx* classic = AddEdit(78, false, false, "3D");
    TCustomDBEditGx* required = AddEdit(112, true, false, "");
    required->SetHighlightRequired(true);
    auto* combo = new TDBComboBoxGx(&form);
    combo->SetParent(&form);
    combo->SetBounds(10, 146, 220, 24);
    combo->SetFlat(true);
    for (const char* s : {"Beijing", "Berlin", "Bern", "Cairo"})
        combo->Items()->Add(s);
    TCheckBoxState states[] = {cbChecked, cbUnchecked, cbGrayed};
    for (int i = 0; i < 3; ++i) {
        auto* box = new TDBCheckBoxGx(&form);
        box->SetParent(&form);
        box->SetBounds(250, 50 + i * 26, 150, 22);
        box->SetAllowGrayed(true);
        box->SetFlat(i == 1);
        box->SetCaption(i == 0 ? "checked" : i == 1 ? "unchecked, flat" : "grayed");
        box->SetState(states[i]);
    }
    form.Show();
    Other->SetFocus();
    Application()->ProcessMessages();
    combo->SetFocus();
    combo->OpenDropDown();
    combo->ItemListBox()->SetItemIndex(1);
    Application()->ProcessMessages();
    ASSERT_TRUE(combo->ListShown());

    // The strip: main button, then the ellipsis button, each after a line only when flat.
    for (TCustomDBEditGx* e : {unlit, lit, classic}) {
        ASSERT_EQ(e->ButtonStripCount(), 2);
        EXPECT_EQ(e->ButtonLine(0)->Width(), e->Flat() ? 1 : 0);
        TRect area;
        e->TextAreaRect(area);
        EXPECT_EQ(area.Left, Images->Width() + 4);
        EXPECT_EQ(area.Right, e->ClientWidth() - e->StripWidth());
    }
    EXPECT_FALSE(unlit->BorderLit());
    EXPECT_TRUE(lit->BorderLit());

    TBitmap unlitShot, litShot, requiredShot, formShot;
    Shot(unlit, unlitShot, "edit_flat_unlit.png");
    Shot(lit, litShot, "edit_flat_lit.png");
    Shot(required, requiredShot, "edit_required.png");
    Shot(&form, formShot, "edits.png");
    if (const char* dir = std::getenv("ORV_SCREENSHOT_DIR"))
        SaveScreenAsPng(String(dir) + "/edits_screen.png");

    // The separator shows only on a lit border: face-coloured there, the edit's colour otherwise.
    const int lineX = unlit->ButtonLine(0)->Left(), midY = unlit->ClientHeight() / 2;
    EXPECT_EQ(PixelAt(unlitShot, lineX, midY), Rgb(unlit->Color()));
    EXPECT_EQ(PixelAt(litShot, lit->ButtonLine(0)->Left(), midY), Rgb(clBtnFace));
    // The flat border: a face-coloured frame when unlit, a sunken edge (shadow top-left) when lit.
    EXPECT_EQ(PixelAt(unlitShot, 0, midY), Rgb(clBtnFace));
    EXPECT_EQ(PixelAt(litShot, 0, midY), Rgb(clBtnShadow));
    // The image at the left, centred in its room.
    EXPECT_EQ(PixelAt(unlitShot, 2 + 8, midY), Rgb(clGreen));
    // The required mark: red dots along the bottom of the text area.
    int red = 0;
    for (int x = 0; x < required->ClientWidth(); ++x)
        if (PixelAt(requiredShot, x, required->ClientHeight() - 1) == Rgb(clRed)) ++red;
    EXPECT_GT(red, 10);
    combo->CloseDropDown(false);
}

} // namespace
