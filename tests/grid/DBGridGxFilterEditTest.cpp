// The filter cell's editor: its text one pixel lower, a key held while the typed text shows.
#include "grid/DBGridGxFilterEdit.h"

#include "gui/Forms.h"

#include <gtest/gtest.h>

namespace {
class TProbeFilterEdit : public TInplaceFilterEditGx {
public:
    using TInplaceFilterEditGx::TInplaceFilterEditGx;
    TRect Area() const {
        TRect r;
        TextAreaRect(r);
        return r;
    }
};
} // namespace

TEST(InplaceFilterEdit, TextSitsOnePixelLower) {
    TForm form(nullptr);
    auto* edit = new TProbeFilterEdit(&form);
    edit->SetParent(&form);
    edit->SetBounds(0, 0, 120, 21);
    EXPECT_EQ(edit->Area().Top, edit->ClientRect().Top + 1);
    EXPECT_EQ(edit->Area().Bottom, edit->ClientRect().Bottom);
}

TEST(InplaceFilterEdit, HoldsAKeyWhileShowingTheTypedText) {
    TForm form(nullptr);
    auto* edit = new TInplaceFilterEditGx(&form);
    edit->SetParent(&form);
    edit->Items()->SetCommaText("Berlin,Paris");
    edit->KeyItems()->SetCommaText("1,2");
    edit->ShowKeyAndText("2", "Par");
    EXPECT_EQ(edit->Text(), "Par");
    EXPECT_EQ(VarToStr(edit->Value()), "2");
    EXPECT_EQ(edit->ItemIndex(), 1);
}
