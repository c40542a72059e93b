// A password edit hides each character behind its own PasswordChar, not the toolkit's bullet.
#include "gui/Bitmap.h"
#include "gui/ControlShot.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

#include <gtest/gtest.h>

namespace {

bool SamePixels(TBitmap& a, TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    return true;
}

TEST(EditPasswordChar, ShowsThePasswordCharForEveryCharacterTyped) {
    TForm form(nullptr);
    auto edit = [&form](int top) {
        TEdit* e = new TEdit(&form);
        e->SetParent(&form);
        e->SetBounds(8, top, 160, 24);
        return e;
    };
    TEdit* hidden = edit(8);
    TEdit* shown = edit(40);
    for (char c : {'*', '#'}) {
        hidden->SetPasswordChar(c);
        hidden->SetText("abc");
        EXPECT_EQ(hidden->Text(), "abc");
        shown->SetText(String(3, c));
        TBitmap a, b;
        GrabControl(hidden, a);
        GrabControl(shown, b);
        EXPECT_TRUE(SamePixels(a, b)) << c;
    }
    // Without a PasswordChar the text shows again.
    hidden->SetPasswordChar(0);
    shown->SetText("abc");
    TBitmap a, b;
    GrabControl(hidden, a);
    GrabControl(shown, b);
    EXPECT_TRUE(SamePixels(a, b));
}

} // namespace
