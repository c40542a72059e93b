// The caret of custom-drawn controls: one at a time, shown only while its control has the focus,
// and the input method's text and caret rectangle for its owner.
#include "gui/Caret.h"

#include "gui/Controls.h"
#include "gui/Forms.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TTypingControl : public TCustomControl {
public:
    explicit TTypingControl(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
    WideString Typed;

protected:
    void KeyPress(char16_t& key) override {
        TCustomControl::KeyPress(key);
        Typed += key;
    }
};

} // namespace

class CaretTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 300, 200);
        A = new TTypingControl(Form.get());
        A->SetParent(Form.get());
        A->SetBounds(0, 0, 150, 100);
        B = new TTypingControl(Form.get());
        B->SetParent(Form.get());
        B->SetBounds(150, 0, 150, 100);
        Form->Show();
    }
    void TearDown() override {
        TControlCaret::Destroy(A);
        TControlCaret::Destroy(B);
    }
    std::unique_ptr<TForm> Form;
    TTypingControl* A = nullptr;
    TTypingControl* B = nullptr;
};

TEST_F(CaretTest, ShownWhileItsControlHasTheFocus) {
    A->SetFocus();
    TControlCaret::Create(A, 2, 14);
    EXPECT_EQ(TControlCaret::State().Control, A);
    EXPECT_FALSE(TControlCaret::State().Shown); // hidden until shown
    TControlCaret::Show(A);
    TControlCaret::SetPos(A, 30, 16);
    EXPECT_TRUE(TControlCaret::State().Shown);
    EXPECT_EQ(TControlCaret::State().Bounds, Rect(30, 16, 32, 30));
    // A control that does not own it moves nothing.
    TControlCaret::SetPos(B, 1, 1);
    EXPECT_EQ(TControlCaret::State().Bounds, Rect(30, 16, 32, 30));
    B->SetFocus();
    EXPECT_FALSE(TControlCaret::State().Shown);
    A->SetFocus();
    EXPECT_TRUE(TControlCaret::State().Shown);
    TControlCaret::Hide(A);
    EXPECT_FALSE(TControlCaret::State().Shown);
    // Making one for another control takes it away.
    TControlCaret::Create(B, 1, 10);
    EXPECT_EQ(TControlCaret::State().Control, B);
    TControlCaret::Destroy(A);
    EXPECT_EQ(TControlCaret::State().Control, B);
    TControlCaret::Destroy(B);
    EXPECT_EQ(TControlCaret::State().Control, nullptr);
}

TEST_F(CaretTest, InputMethodTextReachesTheCaretOwnerAsTypedCharacters) {
    A->SetFocus();
    SimulateInputMethodText(A, u"中");
    EXPECT_EQ(A->Typed, u"");
    TControlCaret::Create(A, 2, 14);
    TControlCaret::SetPos(A, 40, 28);
    SimulateInputMethodText(A, u"费用😀");
    EXPECT_EQ(A->Typed, u"费用😀");
    EXPECT_EQ(InputMethodCaretRect(A), Rect(40, 28, 42, 42));
    // Hidden off the control: the rectangle tells the input method so.
    TControlCaret::SetPos(A, -100, -100);
    EXPECT_EQ(InputMethodCaretRect(A), Rect(-100, -100, -98, -86));
}
