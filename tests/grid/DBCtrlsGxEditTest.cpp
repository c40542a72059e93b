// The data-aware edit on a shown form over a query on a temporary database, driven by simulated
// keys and focus changes, its painting read back from the control's picture.
#include "grid/DBCtrlsGxEdit.h"
#include "gui/Bitmap.h"
#include "gui/Colors.h"
#include "gui/ControlShot.h"
#include "gui/Forms.h"
#include "gui/HintWindow.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"
#include "gui/StdCtrls.h"
#include "platform/db/DbFixture.h"

namespace {

class DBEditTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        Run("create table T_house (F_ID counter, F_name text(20), F_code text(8), F_area double)");
        Run("insert into T_house (F_name, F_code, F_area) values ('East', 'E1', 12.5)");
        Q = Query("select * from T_house");
        Q->Open();
        Source.SetDataSet(Q.get());
        form.SetBounds(0, 0, 400, 200);
        Edit = new TCustomDBEditGx(&form);
        Edit->SetParent(&form);
        Edit->SetBounds(10, 10, 150, 24);
        Other = new TEdit(&form);
        Other->SetParent(&form);
        Other->SetBounds(10, 50, 150, 24);
        CancelButton = new TButton(&form);
        CancelButton->SetParent(&form);
        CancelButton->SetBounds(10, 90, 80, 24);
        CancelButton->SetCancel(true);
        CancelButton->OnClick = [this](TObject*) { ++Cancels; };
        form.Show();
        Focus(Other); // the edit is entered by the tests themselves
    }
    void Bind(const String& Field) {
        Edit->SetDataSource(&Source);
        Edit->SetDataField(Field);
    }
    void Focus(TWinControl* c) {
        c->SetFocus();
        Application()->ProcessMessages();
    }
    // The leftmost and rightmost columns inside the edit's client area holding a dark pixel.
    std::pair<int, int> InkColumns() {
        TBitmap shot;
        GrabControl(Edit, shot);
        int left = -1, right = -1;
        for (int x = 2; x < shot.Width() - 2; ++x)
            for (int y = 3; y < shot.Height() - 3; ++y) {
                const TColor c = shot.Canvas()->Pixels(x, y);
                if ((c & 0xFF) < 0x60 && ((c >> 8) & 0xFF) < 0x60 && ((c >> 16) & 0xFF) < 0x60) {
                    if (left < 0) left = x;
                    right = x;
                    break;
                }
            }
        return {left, right};
    }
    std::unique_ptr<TADOQuery> Q;
    TDataSource Source;
    TForm form{nullptr};
    TCustomDBEditGx* Edit = nullptr;
    TEdit* Other = nullptr;
    TButton* CancelButton = nullptr;
    int Cancels = 0;
};

TEST_F(DBEditTest, AnUnfocusedRightAlignedEditPaintsAtTheTextAreasRightEdgeAndFocusedAtTheLeft) {
    Bind("F_code");
    Edit->SetAlignment(taRightJustify);
    Focus(Other);
    Application()->ProcessMessages();
    auto [left, right] = InkColumns();
    TRect area;
    Edit->TextAreaRect(area);
    ASSERT_GE(left, 0);
    EXPECT_GT(left, area.Width() / 2);
    EXPECT_GE(right, area.Right - 10);
    Focus(Edit);
    Edit->SetSelLength(0); // no selection highlight
    Application()->ProcessMessages();
    std::tie(left, right) = InkColumns();
    ASSERT_GE(left, 0);
    EXPECT_LT(left, 12);
    EXPECT_LT(right, area.Width() / 2);
}

TEST_F(DBEditTest, AStringFieldsSizeLimitsTheLengthUntilAnotherFieldIsBound) {
    Bind("F_name");
    EXPECT_EQ(Edit->MaxLength(), 20);
    Edit->SetDataField("F_area");
    EXPECT_EQ(Edit->MaxLength(), 0);
    Edit->SetDataField("F_code");
    EXPECT_EQ(Edit->MaxLength(), 8);
    Edit->SetMaxLength(5); // a limit of the program's own stays
    Edit->SetDataField("F_name");
    EXPECT_EQ(Edit->MaxLength(), 5);
}

TEST_F(DBEditTest, EscAfterAChangeReloadsUnseenByTheFormAndUnchangedReachesTheCancelButton) {
    Bind("F_name");
    Focus(Edit);
    Edit->SelectAll();
    SimulateTyping(Edit, "x");
    EXPECT_EQ(Edit->Text(), "x");
    EXPECT_EQ(Q->State(), dsEdit);
    SimulateKey(Edit, VK_ESCAPE);
    EXPECT_EQ(Edit->Text(), "East");
    EXPECT_EQ(Edit->SelLength(), 4);
    EXPECT_EQ(Cancels, 0);
    SimulateKey(Edit, VK_ESCAPE);
    EXPECT_EQ(Cancels, 1);
}

TEST_F(DBEditTest, ABoundModifiableEditIsWritableOnEntry) {
    Bind("F_name");
    EXPECT_TRUE(Edit->NativeReadOnly());
    Focus(Edit);
    EXPECT_FALSE(Edit->NativeReadOnly());
    EXPECT_EQ(Q->State(), dsBrowse);
    Edit->SetReadOnly(true);
    Focus(Other);
    Focus(Edit);
    EXPECT_TRUE(Edit->NativeReadOnly());
}

// While a character is handled TypedChars holds all of it (a Chinese character too); Enter, Tab
// and line feed are never typed into the text.
TEST_F(DBEditTest, TypedCharsHoldsTheWholeCharacterAndEnterTabAndLineFeedAreNotTyped) {
    Bind("F_name");
    std::vector<String> seen;
    Edit->OnKeyPress = [&](TObject*, char16_t&) { seen.push_back(Edit->TypedChars()); };
    Focus(Edit);
    Edit->SelectAll();
    struct {
        const char* Typed;
        const char* Seen;
        const char* Text;
    } steps[] = {{"东", "东", "东"}, {"a", "a", "东a"}, {"\r", "", "东a"}, {"\t", "", "东a"}, {"\n", "", "东a"}};
    for (const auto& s : steps) {
        seen.clear();
        SimulateTyping(Edit, s.Typed);
        ASSERT_EQ(seen.size(), 1u) << int(s.Typed[0]);
        EXPECT_EQ(seen[0], s.Seen) << int(s.Typed[0]);
        EXPECT_EQ(Edit->Text(), s.Text) << int(s.Typed[0]);
        EXPECT_EQ(Edit->TypedChars(), "");
    }
    Focus(Other);
    EXPECT_EQ(Q->FieldByName("F_name")->AsString(), "东a");
}

TEST_F(DBEditTest, HandledInOnUpdateDataLeavesTheFieldAndClearsModified) {
    Bind("F_name");
    int calls = 0;
    Edit->OnUpdateData = [&](TObject*, bool& Handled) {
        ++calls;
        Handled = true;
    };
    Focus(Edit);
    SimulateTyping(Edit, "W");
    EXPECT_TRUE(Edit->Modified());
    Focus(Other);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(Edit->Modified());
    EXPECT_EQ(Q->FieldByName("F_name")->AsString(), "East");
}

TEST_F(DBEditTest, LeavingStoresTheTypedValue) {
    Bind("F_name");
    Focus(Edit);
    Edit->SelectAll();
    SimulateTyping(Edit, "West");
    Focus(Other);
    EXPECT_EQ(Q->FieldByName("F_name")->AsString(), "West");
    Q->Post();
    EXPECT_EQ(Rows("select F_name from T_house"), "West");
}

TEST_F(DBEditTest, ANonModifiableFieldIsWritableInEditStateOnlyWithOnUpdateData) {
    Bind("F_code");
    Q->FieldByName("F_code")->SetReadOnly(true);
    struct {
        bool Hook;
        bool EditState;
        bool ReadOnly;
    } cases[] = {{false, false, true}, {false, true, true}, {true, false, true}, {true, true, false}};
    for (const auto& c : cases) {
        Edit->OnUpdateData = c.Hook ? TUpdateDataEventGx([](TObject*, bool&) {}) : TUpdateDataEventGx();
        if (c.EditState)
            Q->Edit();
        else if (Q->State() != dsBrowse)
            Q->Cancel();
        Edit->RefreshReadOnly();
        EXPECT_EQ(Edit->NativeReadOnly(), c.ReadOnly) << c.Hook << c.EditState;
    }
}

TEST_F(DBEditTest, TheRedDottedLineMarksAnEmptyRequiredFieldOnlyWithHighlightRequired) {
    Bind("F_name");
    Q->FieldByName("F_name")->SetRequired(true);
    Q->Insert();
    for (bool highlight : {false, true}) {
        Edit->SetHighlightRequired(highlight);
        Application()->ProcessMessages();
        TBitmap shot;
        GrabControl(Edit, shot);
        int red = 0;
        const int y = Edit->ClientHeight() - 1;
        for (int x = 0; x < shot.Width(); ++x)
            if (shot.Canvas()->Pixels(x, y) == clRed) ++red;
        if (highlight) {
            EXPECT_GT(red, 20);
            EXPECT_LT(red, Edit->ClientWidth() - 10); // dotted, not solid
        } else {
            EXPECT_EQ(red, 0);
        }
    }
    Q->FieldByName("F_name")->SetAsString("N");
    Application()->ProcessMessages();
    TBitmap shot;
    GrabControl(Edit, shot);
    EXPECT_NE(shot.Canvas()->Pixels(20, Edit->ClientHeight() - 1), clRed);
}

TEST(DBEditStandalone, TextWrittenInCodeIsStoredInTheLink) {
    TForm form(nullptr);
    auto* edit = new TCustomDBEditGx(&form);
    edit->SetParent(&form);
    edit->SetText("abc");
    EXPECT_EQ(VarToStr(edit->DataLink()->StandaloneValue()), "abc");
    EXPECT_EQ(edit->Text(), "abc");
    EXPECT_FALSE(edit->Modified());
    edit->SetValue(Variant(7));
    EXPECT_EQ(edit->Text(), "7");
}

} // namespace

namespace {

TEST(DBEditTips, ALongTextShowsWholeInTheEditsFontWithTooltipsEvenWithShowHintOff) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 100);
    auto* edit = new TCustomDBEditGx(&form);
    edit->SetParent(&form);
    edit->SetBounds(10, 10, 80, 24);
    edit->Font()->SetSize(14);
    edit->SetHint("own hint");
    form.Show();
    struct {
        bool Tooltips, ShowHint;
        const char* Text;
        const char* Shown; // nullptr: no hint
    } cases[] = {
        {true, false, "a text far too long for the edit", "a text far too long for the edit"},
        {true, false, "ok", nullptr},
        {true, true, "ok", "own hint"},
        {false, false, "a text far too long for the edit", nullptr},
        {false, true, "a text far too long for the edit", "own hint"},
    };
    for (const auto& c : cases) {
        edit->SetTooltips(c.Tooltips);
        edit->SetShowHint(c.ShowHint);
        edit->SetText(c.Text);
        EXPECT_EQ(edit->TControl::ShowHint(), c.Tooltips || c.ShowHint);
        THintWindow* hint = ShowControlHint(edit, TPoint(5, 5));
        if (!c.Shown) {
            EXPECT_EQ(hint, nullptr) << c.Text;
            continue;
        }
        ASSERT_NE(hint, nullptr) << c.Text;
        EXPECT_EQ(hint->HintText(), c.Shown);
        if (c.Tooltips && !c.ShowHint) {
            EXPECT_NE(dynamic_cast<TToolTipsWindow*>(hint), nullptr);
            EXPECT_EQ(hint->Font()->Size(), 14);
            EXPECT_EQ(hint->Top(), edit->ClientToScreen(TPoint(0, edit->Height())).Y);
            // Measured in the edit's font: wider than the same text in the default font.
            THintWindow plain;
            EXPECT_GT(hint->Width(), plain.CalcHintRect(1000, c.Shown, nullptr).Width());
        }
    }
    HideControlHint();
}

} // namespace

namespace {

TEST_F(DBEditTest, AFlatBorderLightsUpWhileFocusedOrAlwaysShown) {
    Edit->SetFlat(true);
    auto edgeColour = [&] {
        Application()->ProcessMessages();
        TBitmap shot;
        GrabControl(Edit, shot);
        return ColorToRGB(shot.Canvas()->Pixels(0, Edit->ClientHeight() / 2));
    };
    const TColorRef face = ColorToRGB(clBtnFace), shadow = ColorToRGB(clBtnShadow);
    EXPECT_FALSE(Edit->BorderLit());
    EXPECT_EQ(edgeColour(), face);
    Focus(Edit);
    EXPECT_TRUE(Edit->BorderLit());
    EXPECT_EQ(edgeColour(), shadow);
    Focus(Other);
    EXPECT_EQ(edgeColour(), face);
    Edit->SetAlwaysShowBorder(true);
    EXPECT_TRUE(Edit->BorderLit());
    EXPECT_EQ(edgeColour(), shadow);
    Edit->SetAlignment(taRightJustify); // the text painted by the edit itself keeps the border
    EXPECT_EQ(edgeColour(), shadow);
}

} // namespace
