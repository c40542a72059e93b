// The edit and the combo box hosted by a holder control on a shown form: attaching, placing and
// hiding, the focus staying with the holder, keys the holder consumes and the double click made
// of a press on the holder and one on the edit.
#include "grid/DBCtrlsGxCombo.h"
#include "gui/Forms.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"
#include "gui/SystemMetrics.h"

#include <gtest/gtest.h>

namespace {

class THolder : public TCustomControl, public IInplaceEditHolderGx {
public:
    explicit THolder(TComponent* AOwner) : TCustomControl(AOwner) { SetTabStop(true); }
    bool HolderAllowsEdit(TWinControl*) override { return AllowEdit; }
    void LastMouseDown(TPoint& Pos, Cardinal& Time) override {
        Pos = LastPress;
        Time = LastPressTime;
    }
    void PreviewMessage(TWinControl*, TControlMessage& Message) override { Seen.push_back(Message.Msg); }
    void EditorKeyDown(TObject*, Word& Key, TShiftState) override {
        if (Key == ConsumedKey) Key = 0;
    }
    void EditorKeyPress(TObject*, char16_t&) override {}
    void EditorKeyUp(TObject*, Word&, TShiftState) override {}

    bool AllowEdit = true;
    TPoint LastPress;
    Cardinal LastPressTime = 0;
    Word ConsumedKey = 0;
    std::vector<Cardinal> Seen;
};

struct HolderTest : ::testing::Test {
    void SetUp() override {
        form.SetBounds(0, 0, 400, 300);
        Holder = new THolder(&form);
        Holder->SetParent(&form);
        Holder->SetBounds(10, 10, 300, 200);
        Combo = new TDBComboBoxGx(&form);
        Combo->SetParent(Holder);
        Combo->AttachHolder(Holder);
        form.Show();
        Holder->SetFocus();
        Application()->ProcessMessages();
        Combo->PlaceOver(Rect(20, 20, 140, 44));
        Application()->ProcessMessages();
    }
    TForm form{nullptr};
    THolder* Holder = nullptr;
    TDBComboBoxGx* Combo = nullptr;
};

TEST(HolderAttach, AHolderWithoutTheInterfaceIsRefused) {
    TForm form(nullptr);
    auto* edit = new TCustomDBEditGx(&form);
    auto* plain = new TCustomControl(&form);
    try {
        edit->AttachHolder(plain);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "InplaceEditHolder have to support IInplaceEditHolderGx interface");
    }
    EXPECT_FALSE(edit->InHolderMode());
    EXPECT_EQ(edit->InplaceEditHolder(), nullptr);
}

TEST_F(HolderTest, PlacedTheEditTakesTheKeyboardWhileTheHolderStaysActive) {
    EXPECT_TRUE(Combo->InHolderMode());
    EXPECT_TRUE(Combo->Visible());
    EXPECT_TRUE(ControlWindowFocused(Combo));
    EXPECT_EQ(form.ActiveControl(), Holder);
    EXPECT_TRUE(Combo->EditFocused());
}

TEST_F(HolderTest, AnEmptyRectangleHidesTheEditAndFocusesTheHolder) {
    Combo->PlaceOver(TRect());
    Application()->ProcessMessages();
    EXPECT_FALSE(Combo->Visible());
    EXPECT_TRUE(Combo->TControl::Visible()); // the platform flag stays
    EXPECT_TRUE(ControlWindowFocused(Holder));
    Combo->PlaceOver(Rect(20, 60, 140, 84));
    EXPECT_TRUE(Combo->Visible());
    Combo->SetVisible(false);
    EXPECT_FALSE(Combo->Visible());
}

TEST_F(HolderTest, AHolderConsumingDownKeepsTheComboFromStepping) {
    Combo->Items()->Add("One");
    Combo->Items()->Add("Two");
    Holder->ConsumedKey = VK_DOWN;
    SimulateKey(Combo, VK_DOWN);
    EXPECT_EQ(Combo->ItemIndex(), -1);
    Holder->ConsumedKey = 0;
    SimulateKey(Combo, VK_DOWN);
    EXPECT_EQ(Combo->Text(), "One");
    EXPECT_NE(std::find(Holder->Seen.begin(), Holder->Seen.end(), Cardinal(WM_KEYDOWN)), Holder->Seen.end());
}

TEST_F(HolderTest, APressOnTheHolderAndOneOnTheEditMakeADoubleClick) {
    int doubles = 0;
    Combo->OnDblClick = [&](TObject*) { ++doubles; };
    const TPoint at(30, 10);
    struct {
        Cardinal Age; // how long ago the holder's press was
        int Offset;   // how far from the edit's press
        int Doubles;
    } cases[] = {{0, 0, 1}, {GetDoubleClickTime() + 200, 0, 0}, {0, GetSystemMetrics(SM_CXDOUBLECLK) + 4, 0}};
    for (const auto& c : cases) {
        doubles = 0;
        Holder->LastPress = Combo->ClientToScreen(at);
        Holder->LastPress.X += c.Offset;
        Holder->LastPressTime = GetMessageTime() - c.Age;
        SimulateMouseDown(Combo, mbLeft, at.X, at.Y);
        SimulateMouseUp(Combo, mbLeft, at.X, at.Y);
        EXPECT_EQ(doubles, c.Doubles) << c.Age << " " << c.Offset;
    }
}

TEST_F(HolderTest, TheEditLetsGoOfAFreedHolderAndAHolderMayForbidEditing) {
    Combo->DataLink()->StartEdit();
    Holder->AllowEdit = false;
    Combo->RefreshReadOnly();
    EXPECT_TRUE(Combo->NativeReadOnly());
    auto* edit = new TCustomDBEditGx(&form);
    auto* holder = new THolder(&form);
    edit->SetParent(&form);
    edit->AttachHolder(holder);
    delete holder;
    EXPECT_FALSE(edit->InHolderMode());
    EXPECT_EQ(edit->InplaceEditHolder(), nullptr);
}

} // namespace
