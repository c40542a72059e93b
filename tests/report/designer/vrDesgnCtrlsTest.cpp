// The rulers' marks, the colour and line-style drop-downs, and the scroll box that passes keys on
// to the workspace.
#include "WorkspaceFixture.h"

#include "gui/Interaction.h"
#include "gui/StdCtrls.h"
#include "report/designer/vrDesgnCtrls.h"

namespace {

struct TRulerForm {
    TRulerForm() {
        form.SetBounds(0, 0, 800, 600);
        ruler = new TvrRuler(&form);
        ruler->SetParent(&form);
        ruler->SetBounds(0, 0, 600, 24);
    }
    std::vector<String> Labels() {
        std::vector<String> labels;
        for (const TvrRulerMark& m : ruler->Marks())
            if (!m.Label.empty()) labels.push_back(m.Label);
        return labels;
    }
    int Ticks(int length) {
        int n = 0;
        for (const TvrRulerMark& m : ruler->Marks()) n += m.Tick == length;
        return n;
    }
    TForm form{nullptr};
    TvrRuler* ruler;
};

} // namespace

TEST(Ruler, CentimetresAreLabelledWithHalvesTickedAndMillimetresOnlyWhenWideEnough) {
    TRulerForm f;
    f.ruler->SetUnits(ruCM);
    const std::vector<String> labels = f.Labels();
    ASSERT_GE(labels.size(), 3u);
    EXPECT_EQ(labels[0], "1");
    EXPECT_EQ(labels[1], "2");
    EXPECT_EQ(labels[2], "3");
    EXPECT_GT(f.Ticks(4), 10);
    EXPECT_EQ(f.Ticks(2), 0) << "a centimetre of 37.8 pixels has no millimetre ticks";
    // The first label sits on the first centimetre.
    const std::vector<TvrRulerMark> marks = f.ruler->Marks();
    auto one = std::find_if(marks.begin(), marks.end(), [](const TvrRulerMark& m) { return m.Label == "1"; });
    ASSERT_NE(one, marks.end());
    EXPECT_EQ(one->Pos, 38);
    f.ruler->SetScale(1.5);
    EXPECT_GT(f.Ticks(2), 50);
    f.ruler->SetScale(1);
    f.ruler->SetOffset(100);
    for (const TvrRulerMark& m : f.ruler->Marks()) EXPECT_GE(m.Pos, 100);
}

TEST(Ruler, PixelsAreLabelledInHundredsWithoutMinorTicks) {
    TRulerForm f;
    f.ruler->SetUnits(ruPixels);
    EXPECT_EQ(f.Labels(), (std::vector<String>{"100", "200", "300", "400", "500"}));
    EXPECT_EQ(f.Ticks(2), 0);
    EXPECT_EQ(f.Ticks(4), 6) << "at 50, 150, ... 550";
}

TEST(Ruler, CharacterCellsAreTickedInTheirMiddles) {
    TRulerForm f;
    f.ruler->SetUnits(ruChars);
    int sixes = 0;
    for (const TvrRulerMark& m : f.ruler->Marks()) {
        EXPECT_TRUE(m.Tick == 6 || m.Tick == 0) << m.Tick;
        if (m.Tick == 6) {
            ++sixes;
            // Cell k's middle: round(k * 9.6) + 5.
            const int cell = static_cast<int>(std::lround((m.Pos - 5) / 9.6));
            EXPECT_NEAR(m.Pos, std::nearbyint(cell * 9.6) + 5, 1);
        }
    }
    EXPECT_GT(sixes, 20);
    const std::vector<String> labels = f.Labels();
    ASSERT_GE(labels.size(), 2u);
    EXPECT_EQ(std::stoi(labels[1]) - std::stoi(labels[0]), labels[0] == "2" ? 2 : 4);
}

class SelectorTest : public ::testing::Test {
protected:
    void SetUp() override {
        vrResetColorPalette();
        form.SetBounds(0, 0, 300, 200);
        button = new TButton(&form);
        button->SetParent(&form);
        button->SetBounds(10, 10, 60, 24);
        form.Show();
    }
    void TearDown() override { vrResetColorPalette(); }
    TColor Pick(int x, int y) {
        auto* selector = new TvrColorSelector(button);
        int selected = 0;
        selector->OnSelected = [&](TObject*) { ++selected; };
        SimulateClick(selector, x, y);
        EXPECT_EQ(selected, 1);
        const TColor color = selector->SelectedColor;
        delete selector->PopupForm();
        return color;
    }
    TForm form{nullptr};
    TButton* button = nullptr;
};

TEST_F(SelectorTest, CellsGiveTheirColoursAndTheFirstIsTransparent) {
    struct Case {
        int X, Y;
        TColor Color;
    } cases[] = {{14, 14, clTransparent}, {32, 14, 0xFFFFFF}, {140, 14, 0x800080}, {14, 32, 0x808080},
                 {50, 32, 0x808000},      {150, 14, 0x800080}};
    for (const Case& c : cases) EXPECT_EQ(Pick(c.X, c.Y), c.Color) << c.X << "," << c.Y;
}

TEST_F(SelectorTest, OtherColoursFillTheCustomSlotsThenPushTheRow) {
    TScriptedResponder user;
    TInteractionScope scope(user);
    const TColor picks[] = {0x102030, 0x405060, 0x708090, 0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x010203};
    user.PickColor(picks[0]).PickColor(picks[1]);
    EXPECT_EQ(Pick(70, 125), picks[0]);
    EXPECT_EQ(Pick(70, 125), picks[1]);
    auto& palette = vrColorPalette();
    EXPECT_EQ(palette[40], picks[0]);
    EXPECT_EQ(palette[41], picks[1]);
    for (int i = 2; i < 9; ++i) {
        user.PickColor(picks[i]);
        EXPECT_EQ(Pick(70, 125), picks[i]);
    }
    EXPECT_EQ(palette[47], picks[8]);
    EXPECT_EQ(palette[46], picks[7]);
    EXPECT_EQ(palette[40], picks[1]) << "the oldest custom colour dropped";
    // A colour the palette holds is not added again; a cancelled dialog changes nothing.
    const auto before = palette;
    user.PickColor(0x800080);
    EXPECT_EQ(Pick(70, 125), 0x800080);
    EXPECT_EQ(palette, before);
    user.Cancel();
    auto* selector = new TvrColorSelector(button);
    int selected = 0;
    selector->OnSelected = [&](TObject*) { ++selected; };
    SimulateClick(selector, 70, 125);
    EXPECT_EQ(selected, 0);
    delete selector->PopupForm();
}

TEST_F(SelectorTest, TheLineSelectorGivesTheRowUnderTheMouse) {
    struct Case {
        int Y;
        Integer Style;
    } cases[] = {{6, 0}, {20, 0}, {22, 1}, {60, 3}, {90, 5}, {104, 5}};
    for (const Case& c : cases) {
        auto* selector = new TvrLineSelector(button);
        SimulateClick(selector, 40, c.Y);
        EXPECT_EQ(selector->SelectedStyle, c.Style) << c.Y;
        delete selector->PopupForm();
    }
    // The popup window sits below its owner.
    auto* selector = new TvrLineSelector(button);
    const TPoint below = button->ClientToScreen(Point(0, button->Height() + 2));
    EXPECT_EQ(selector->PopupForm()->Left(), below.X);
    EXPECT_EQ(selector->PopupForm()->Top(), below.Y);
    EXPECT_EQ(selector->PopupForm()->ClientWidth(), 98);
    delete selector->PopupForm();
}

TEST_F(WorkspaceTest, TheScrollBoxPassesKeysToTheWorkspace) {
    auto* box = new TvrScrollBox(Form.get());
    box->SetParent(Form.get());
    box->SetBounds(0, 0, 600, 400);
    Ws->SetParent(box);
    auto* memo = Add<TvrMemoView>(Page, 100, 100, 50, 30);
    SelectOnly(memo);
    EXPECT_TRUE(box->WantsKey(VK_RIGHT, TShiftState()));
    EXPECT_TRUE(box->WantsKey(VK_TAB, TShiftState()));
    SimulateKey(box, VK_RIGHT, Keys({ssCtrl}));
    EXPECT_NEAR(memo->Left(), 101, Eps);
    EXPECT_EQ(Modified, 1);
}
