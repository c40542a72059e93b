// The up-down control beside its edit, edits that take digits only, and owner-drawn combo boxes.
#include "gui/Bitmap.h"
#include "gui/ComCtrls.h"
#include "gui/ControlShot.h"
#include "gui/Forms.h"
#include "gui/InputSimulation.h"
#include "gui/StdCtrls.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

TEST(UpDown, SitsBesideItsEditAndStepsTheNumberShown) {
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    edit->SetBounds(10, 10, 80, 21);
    auto* upDown = new TUpDown(&form);
    upDown->SetMin(1);
    upDown->SetMax(5);
    upDown->SetAssociate(edit);
    EXPECT_EQ(upDown->Parent(), &form);
    EXPECT_EQ(edit->Width(), 80 - upDown->Width());
    EXPECT_EQ(upDown->Left(), edit->Left() + edit->Width());
    EXPECT_EQ(upDown->Top(), 10);
    EXPECT_EQ(upDown->Height(), 21);
    EXPECT_EQ(edit->Text(), "1"); // the position, kept within Min and Max
    std::vector<TUDBtnType> clicks;
    upDown->OnClick = [&clicks](TObject*, TUDBtnType button) { clicks.push_back(button); };
    struct TStep {
        const char* Shown;
        TUDBtnType Button;
        const char* After;
    } steps[] = {{"1", btNext, "2"}, {"4", btNext, "5"}, {"5", btNext, "5"},
                 {"1", btPrev, "1"}, {"", btNext, "2"},  {"3", btPrev, "2"}};
    for (const TStep& s : steps) {
        edit->SetText(s.Shown);
        upDown->Click(s.Button);
        EXPECT_EQ(edit->Text(), s.After) << s.Shown;
        EXPECT_EQ(upDown->Position(), std::stoi(s.After));
    }
    EXPECT_EQ(clicks.size(), 6u);
    EXPECT_EQ(clicks[3], btPrev);
    delete edit; // the up-down lets go of it
    EXPECT_EQ(upDown->Associate(), nullptr);
    upDown->Click(btNext);
    EXPECT_EQ(upDown->Position(), 3);
}

TEST(EditNumbersOnly, TypingTakesDigitsOnly) {
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    edit->SetNumbersOnly(true);
    SimulateTyping(edit, "1a2-3 ");
    EXPECT_EQ(edit->Text(), "123");
    edit->SetText("abc"); // the program's own text is not checked
    EXPECT_EQ(edit->Text(), "abc");
    edit->SetText("");
    edit->SetNumbersOnly(false);
    SimulateTyping(edit, "a1");
    EXPECT_EQ(edit->Text(), "a1");
}

TEST(ComboBoxOwnerDrawn, TheHandlerDrawsTheBoxAndTheEntries) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* box = new TComboBox(&form);
    box->SetParent(&form);
    box->SetBounds(10, 10, 200, 21);
    box->Items()->Add("first");
    box->Items()->Add("second");
    box->SetItemIndex(1);
    std::vector<std::pair<int, bool>> drawn;
    box->OnDrawItem = [&](TWinControl*, int index, TRect rect, TOwnerDrawState state) {
        drawn.emplace_back(index, state.Contains(odComboBoxEdit));
        box->Canvas()->Brush()->SetColor(clRed);
        box->Canvas()->FillRect(rect);
    };
    box->SetStyle(csOwnerDrawFixed);
    box->SetItemHeight(34);
    EXPECT_EQ(box->Height(), 40);
    form.Show();
    TBitmap shot;
    GrabControl(box, shot);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back(), std::make_pair(1, true));
    EXPECT_EQ(shot.Canvas()->Pixels(20, 20), clRed);
}
