// How the standard controls look: disabled controls show their text in the system's grey whatever
// their font colour, labels and the button-like controls take their parent's colour, and a
// transparent label paints nothing behind its text.
#include "gui/ActnList.h"
#include "gui/Bitmap.h"
#include "gui/ControlShot.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

namespace {

// Pixels of a kind: text is antialiased, so its pixels are counted by their look.
using TPixelKind = bool (*)(TColor);
bool Reddish(TColor c) {
    return GetRValue(c) >= 0xC0 && GetGValue(c) < 0x60 && GetBValue(c) < 0x60;
}
// The system's grey text (0x808080) and its antialiased edges, not the light greys of frames.
bool GreyText(TColor c) {
    const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    return std::abs(r - g) < 8 && std::abs(g - b) < 8 && r >= 0x60 && r <= 0xA0;
}
bool Dark(TColor c) {
    return GetRValue(c) < 0x50 && GetGValue(c) < 0x50 && GetBValue(c) < 0x50;
}
bool White(TColor c) {
    return c == clWhite;
}

int Count(const TBitmap& bmp, TPixelKind kind) {
    int n = 0;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            if (kind(bmp.Pixel(x, y))) ++n;
    return n;
}

int CountIn(TControl* control, TPixelKind kind) {
    TBitmap bmp;
    GrabControl(control, bmp);
    return Count(bmp, kind);
}

// The places of the control's picture whose pixels are of the kind.
std::vector<std::pair<int, int>> PlacesIn(TControl* control, TPixelKind kind) {
    TBitmap bmp;
    GrabControl(control, bmp);
    std::vector<std::pair<int, int>> places;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            if (kind(bmp.Pixel(x, y))) places.emplace_back(x, y);
    return places;
}

struct TDisabledCase {
    const char* Name;
    // Makes the control on the form; Disable switches it off (directly or through its action).
    std::function<TControl*(TForm&)> Make;
    std::function<void(TControl*)> Disable;
};

void DisableDirectly(TControl* c) {
    c->SetEnabled(false);
}

template <class T> TControl* MakeWithCaption(TForm& form) {
    auto* c = new T(&form);
    c->SetParent(&form);
    c->SetBounds(8, 8, 160, 40);
    c->SetCaption("田田田田");
    return c;
}

} // namespace

// The text of a control is drawn in its font colour while enabled and in the system's grey while
// disabled; a red font must not stay red on a disabled control.
TEST(ControlLook, DisabledControlsShowTheirTextInGrey) {
    const TDisabledCase cases[] = {
        {"button", MakeWithCaption<TButton>, DisableDirectly},
        {"button of an action",
         [](TForm& form) -> TControl* {
             auto* action = new TAction(&form);
             action->SetCaption("田田田田");
             action->OnExecute = [](TObject*) {};
             TControl* button = MakeWithCaption<TButton>(form);
             button->SetAction(action);
             return button;
         },
         [](TControl* c) { static_cast<TAction*>(c->Action())->SetEnabled(false); }},
        {"check box", MakeWithCaption<TCheckBox>, DisableDirectly},
        {"radio button", MakeWithCaption<TRadioButton>, DisableDirectly},
        {"group box", MakeWithCaption<TGroupBox>, DisableDirectly},
        {"label", MakeWithCaption<TLabel>, DisableDirectly},
        {"edit",
         [](TForm& form) -> TControl* {
             auto* e = new TEdit(&form);
             e->SetParent(&form);
             e->SetBounds(8, 8, 160, 24);
             e->SetText("田田田田");
             e->SetSelLength(0);
             return e;
         },
         DisableDirectly},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.Name);
        TForm form(nullptr);
        form.SetBounds(0, 0, 200, 80);
        TControl* c = test.Make(form);
        c->Font()->SetColor(clRed);
        form.Show();
        if (auto* e = dynamic_cast<TEdit*>(c)) e->SetSelLength(0);
        const auto text = PlacesIn(c, Reddish);
        EXPECT_GT(text.size(), 20u);
        test.Disable(c);
        EXPECT_FALSE(c->Enabled());
        EXPECT_EQ(CountIn(c, Reddish), 0);
        // Where the red text was, the grey text is now.
        TBitmap disabled;
        GrabControl(c, disabled);
        size_t grey = 0;
        for (auto [x, y] : text)
            if (GreyText(disabled.Pixel(x, y))) ++grey;
        EXPECT_GT(grey, text.size() / 2);
        c->SetEnabled(true);
        if (c->Action()) static_cast<TAction*>(c->Action())->SetEnabled(true);
        EXPECT_GT(CountIn(c, Reddish), 20);
    }
}

TEST(ControlLook, LabelsAndButtonControlsTakeTheirParentsColour) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 300, 200);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clYellow);
    auto* label = new TLabel(&form);
    auto* check = new TCheckBox(&form);
    auto* radio = new TRadioButton(&form);
    auto* group = new TGroupBox(&form);
    auto* edit = new TEdit(&form);
    for (TControl* c : std::initializer_list<TControl*>{label, check, radio, group, edit})
        c->SetParent(panel);
    EXPECT_TRUE(label->ParentColor());
    EXPECT_EQ(label->Color(), clYellow);
    EXPECT_EQ(check->Color(), clYellow);
    EXPECT_EQ(radio->Color(), clYellow);
    EXPECT_EQ(group->Color(), clYellow);
    EXPECT_EQ(edit->Color(), clWindow); // an edit keeps its own window colour
    panel->SetColor(clAqua);
    EXPECT_EQ(label->Color(), clAqua);
    EXPECT_EQ(group->Color(), clAqua);
    // A colour of its own ends following the parent.
    label->SetColor(clLime);
    EXPECT_FALSE(label->ParentColor());
    panel->SetColor(clYellow);
    EXPECT_EQ(label->Color(), clLime);
    EXPECT_EQ(check->Color(), clYellow);
}

TEST(ControlLook, ALabelPaintsItsParentsColourOrNothingWhenTransparent) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 200, 100);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clYellow);
    auto* label = new TLabel(&form);
    label->SetParent(panel);
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 120, 30);
    label->SetCaption("姓 名:");
    form.Show();
    EXPECT_EQ(CountIn(panel, White), 0); // no white box behind the caption
    EXPECT_GT(CountIn(panel, Dark), 10);

    // Its own colour fills its box; made transparent it shows the panel again.
    label->SetColor(clWhite);
    EXPECT_GT(CountIn(panel, White), 120 * 30 / 2);
    label->SetTransparent(true);
    EXPECT_EQ(CountIn(panel, White), 0);
    EXPECT_GT(CountIn(panel, Dark), 10);
}
