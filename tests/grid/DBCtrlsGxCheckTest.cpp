// The data-aware check box on a shown form over a query on a temporary database: value lists,
// the three states of a Boolean field, the toggle by Space and by a click, standalone values.
#include "grid/DBCtrlsGxCheck.h"
#include "gui/Bitmap.h"
#include "gui/ClassicEdges.h"
#include "gui/ControlShot.h"
#include "gui/Forms.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"
#include "platform/db/DbFixture.h"

namespace {

class CheckTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        Run("create table T_flag (F_ID counter, F_text text(10), F_ok bit)");
        Run("insert into T_flag (F_text) values ('x')");
        Q = Query("select * from T_flag");
        Q->Open();
        Source.SetDataSet(Q.get());
        form.SetBounds(0, 0, 300, 150);
        Box = new TDBCheckBoxGx(&form);
        Box->SetParent(&form);
        Box->SetBounds(10, 10, 120, 20);
        Box->SetText("Paid");
        Other = new TEdit(&form);
        Other->SetParent(&form);
        Other->SetBounds(10, 50, 100, 24);
        form.Show();
        Focus(Other);
    }
    void Focus(TWinControl* c) {
        c->SetFocus();
        Application()->ProcessMessages();
    }
    void Bind(const String& Field) {
        Box->SetDataSource(&Source);
        Box->SetDataField(Field);
    }
    // Sets the field's text outside the box (in edit state) and returns the box's state.
    TCheckBoxState StateFor(const String& Text) {
        if (Q->State() == dsBrowse) Q->Edit();
        Q->FieldByName("F_text")->SetAsString(Text);
        return Box->State();
    }
    std::unique_ptr<TADOQuery> Q;
    TDataSource Source;
    TForm form{nullptr};
    TDBCheckBoxGx* Box = nullptr;
    TEdit* Other = nullptr;
};

TEST_F(CheckTest, ValueListsAcceptTheirEntriesWithoutRegardToCase) {
    Bind("F_text");
    Box->SetValueChecked("Y;Yes;1");
    Box->SetValueUnchecked("N;");
    struct {
        const char* Text;
        TCheckBoxState State;
    } cases[] = {{"y", cbChecked},  {"YES", cbChecked},   {"1", cbChecked},     {"N", cbUnchecked},
                 {"", cbUnchecked}, {"maybe", cbGrayed}, {"Yes ", cbGrayed}};
    for (const auto& c : cases)
        EXPECT_EQ(StateFor(c.Text), c.State) << c.Text;
    Q->Cancel();
    EXPECT_FALSE(TCustomDBCheckBoxGx::MatchesValueList("", "N"));
    EXPECT_TRUE(TCustomDBCheckBoxGx::MatchesValueList("yes", " Y ; Yes "));
}

TEST_F(CheckTest, AnotherFieldStoresTheFirstEntryOfItsList) {
    Bind("F_text");
    Box->SetValueChecked("Y;Yes;1");
    Box->SetValueUnchecked("N;");
    Focus(Box);
    SimulateKey(Box, VK_SPACE); // "x" is grayed: a toggle checks it
    EXPECT_EQ(Box->State(), cbChecked);
    Focus(Other);
    EXPECT_EQ(Q->FieldByName("F_text")->AsString(), "Y");
    Box->SetChecked(false);
    EXPECT_EQ(Q->FieldByName("F_text")->AsString(), "N");
}

TEST_F(CheckTest, ANullBooleanIsGrayedAndAToggleChecksAndStoresTrue) {
    Bind("F_ok");
    EXPECT_EQ(Box->State(), cbUnchecked); // a new yes/no column holds false
    Q->Edit();
    Q->FieldByName("F_ok")->Clear();
    EXPECT_EQ(Box->State(), cbGrayed);
    Focus(Box);
    SimulateKey(Box, VK_SPACE);
    EXPECT_EQ(Box->State(), cbChecked);
    EXPECT_EQ(Q->State(), dsEdit);
    Focus(Other);
    EXPECT_TRUE(Q->FieldByName("F_ok")->AsBoolean());
    Q->Post();
    EXPECT_EQ(Rows("select F_ok from T_flag"), "True");
}

TEST_F(CheckTest, YesOnABooleanFieldIsReadThroughItsTextAndWrittenAsTrue) {
    Bind("F_ok");
    auto* f = dynamic_cast<TBooleanField*>(Q->FieldByName("F_ok"));
    ASSERT_NE(f, nullptr);
    f->SetDisplayValues("Yes;No");
    Q->Edit();
    f->SetAsBoolean(true);
    Box->SetValueChecked("Yes");
    Box->SetValueUnchecked("No");
    EXPECT_EQ(Box->State(), cbChecked);
    Box->SetChecked(false);
    EXPECT_FALSE(f->AsBoolean());
    Box->SetChecked(true);
    EXPECT_TRUE(f->AsBoolean());
    EXPECT_FALSE(f->IsNull());
}

TEST_F(CheckTest, TogglingGoesThroughGrayedOnlyWithAllowGrayed) {
    for (bool allow : {false, true}) {
        TDBCheckBoxGx box(nullptr);
        box.SetParent(&form);
        box.SetAllowGrayed(allow);
        box.SetVisible(true);
        Focus(&box);
        std::vector<TCheckBoxState> seen;
        for (int i = 0; i < 3; ++i) {
            SimulateKey(&box, VK_SPACE);
            seen.push_back(box.State());
        }
        const std::vector<TCheckBoxState> expected =
            allow ? std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}
                  : std::vector<TCheckBoxState>{cbChecked, cbUnchecked, cbChecked};
        EXPECT_EQ(seen, expected) << allow;
        Focus(Other);
    }
}

TEST_F(CheckTest, AStandaloneBoxStartsFalseAndStoresTrueWhenClicked) {
    EXPECT_TRUE(Box->DataLink()->Standalone());
    EXPECT_EQ(Box->DataLink()->StandaloneValue().VType(), varBoolean);
    EXPECT_FALSE(Box->DataLink()->StandaloneValue().AsBoolean());
    EXPECT_EQ(Box->State(), cbUnchecked);
    int clicks = 0;
    Box->OnClick = [&](TObject*) { ++clicks; };
    SimulateClick(Box, 5, 10);
    EXPECT_EQ(Box->State(), cbChecked);
    EXPECT_EQ(clicks, 1);
    Focus(Other);
    EXPECT_TRUE(Box->DataLink()->StandaloneValue().AsBoolean());
}

TEST_F(CheckTest, SpaceOnAReadOnlyBoxDoesNothing) {
    Box->SetReadOnly(true);
    Focus(Box);
    SimulateKey(Box, VK_SPACE);
    EXPECT_EQ(Box->State(), cbUnchecked);
    Bind("F_ok");
    SimulateKey(Box, VK_SPACE);
    EXPECT_EQ(Box->State(), cbUnchecked);
    EXPECT_EQ(Q->State(), dsBrowse);
}

} // namespace

namespace {

// The inside of the box (2 pixels in from its edge) as drawn: dark pixels and distinct colours.
struct TBoxInk {
    int Dark = 0;
    int Grey = 0;
};

TBoxInk InkOfBox(TDBCheckBoxGx* Box) {
    TBitmap shot;
    GrabControl(Box, shot);
    const TSize size = StandardCheckBoxSize();
    const int top = (Box->ClientHeight() - size.cy) / 2;
    TBoxInk ink;
    for (int x = 2; x < size.cx - 2; ++x)
        for (int y = top + 2; y < top + size.cy - 2; ++y) {
            const TColor c = shot.Canvas()->Pixels(x, y);
            const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
            if (r < 0x50 && g < 0x50 && b < 0x50) ++ink.Dark;
            if (r == g && g == b && r >= 0x50 && r < 0xE0) ++ink.Grey;
        }
    return ink;
}

TEST(CheckPaint, TheThreeStatesPaintTheirOwnBoxesFlatAnd3D) {
    for (bool flat : {false, true}) {
        TForm form(nullptr);
        form.SetBounds(0, 0, 200, 60);
        auto* box = new TDBCheckBoxGx(&form);
        box->SetParent(&form);
        box->SetBounds(4, 4, 120, 20);
        box->SetFlat(flat);
        box->SetAllowGrayed(true);
        form.Show();
        box->SetState(cbUnchecked);
        Application()->ProcessMessages();
        const TBoxInk unchecked = InkOfBox(box);
        box->SetState(cbChecked);
        Application()->ProcessMessages();
        const TBoxInk checked = InkOfBox(box);
        box->SetState(cbGrayed);
        Application()->ProcessMessages();
        const TBoxInk grayed = InkOfBox(box);
        EXPECT_EQ(unchecked.Dark, 0) << flat;
        EXPECT_GT(checked.Dark, 5) << flat;
        EXPECT_GT(grayed.Grey + grayed.Dark, 5) << flat;
        EXPECT_NE(grayed.Dark, checked.Dark) << flat;
    }
}

// A caption's "&" marks the access key, as on every other control: "Match &Case" paints as wide
// as "Match Case" (the '&' itself was painted), and "&&" paints one '&'.
TEST(CheckPaint, AmpersandsInTheCaptionMarkTheAccessKey) {
    auto inkWidth = [](const String& Caption) {
        TForm form(nullptr);
        form.SetBounds(0, 0, 300, 60);
        auto* box = new TDBCheckBoxGx(&form);
        box->SetParent(&form);
        box->SetBounds(4, 4, 240, 20);
        box->SetText(Caption);
        form.Show();
        Application()->ProcessMessages();
        TBitmap shot;
        GrabControl(box, shot);
        const TColor back = shot.Canvas()->Pixels(shot.Width() - 1, 0);
        int left = shot.Width(), right = -1;
        for (int y = 0; y < shot.Height(); ++y)
            for (int x = 20; x < shot.Width(); ++x) // right of the box
                if (shot.Canvas()->Pixels(x, y) != back) left = std::min(left, x), right = std::max(right, x);
        return right - left;
    };
    EXPECT_NEAR(inkWidth("Match &Case"), inkWidth("Match Case"), 1);
    EXPECT_LT(inkWidth("Match Case") + 4, inkWidth("Match &&Case")); // one '&' painted
}

} // namespace
