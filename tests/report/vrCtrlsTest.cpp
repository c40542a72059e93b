// The shared controls: the scrolling window's offsets and scroll codes, the colour mix, the flat
// combo's list and look, the font combo's recently used fonts and preview, and the combo with a
// button.
#include "report/vrCtrls.h"
#include "TempDir.h"
#include "gui/Bitmap.h"
#include "gui/Buttons.h"
#include "gui/Colors.h"
#include "gui/ControlShot.h"
#include "gui/CursorTable.h"
#include "gui/InputSimulation.h"
#include "gui/PopupWindows.h"
#include "report/vrClass.h"
#include "report/vrRes.h"
#include "rtl/Format.h"
#include "rtl/Registry.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

namespace {

// --- the scrolling window -------------------------------------------------------------------

struct TCountingScrollWin : TvrScrollWin {
    using TvrScrollWin::TvrScrollWin;
    int Horz = 0, Vert = 0;

protected:
    void HorzScrollChanged() override { ++Horz; }
    void VertScrollChanged() override { ++Vert; }
};

TEST(vrScrollWin, OffsetsStayInsideExtentMinusPage) {
    TForm form(nullptr);
    TCountingScrollWin win(&form);
    win.SetParent(&form);
    win.SetBounds(0, 0, 200, 150);
    struct Case {
        int Extent, Page, Offset, Expected;
    } cases[] = {
        {300, 100, 500, 200}, {300, 100, 150, 150}, {300, 100, -5, 0}, {50, 100, 500, 0}, {50, 100, 20, 0}};
    for (const Case& c : cases) {
        win.SetHorzScrollOffset(0);
        win.SetHorzPageSize(c.Page);
        win.SetHorzExtent(c.Extent);
        win.SetHorzScrollOffset(c.Offset);
        EXPECT_EQ(win.HorzScrollOffset(), c.Expected) << c.Extent << " " << c.Page << " " << c.Offset;
        EXPECT_EQ(win.GetScrollPos(SB_HORZ), c.Expected);
    }
    // A range below the page gives the bar no range.
    TScrollInfo info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    ASSERT_TRUE(win.GetScrollInfo(SB_HORZ, info));
    EXPECT_EQ(info.nMax, 0);
    win.SetVertPageSize(100);
    win.SetVertExtent(300);
    info.fMask = SIF_RANGE | SIF_PAGE;
    win.GetScrollInfo(SB_VERT, info);
    EXPECT_EQ(info.nMax, 300);
    EXPECT_EQ(info.nPage, 100u);
    // Only a change tells the descendant.
    win.Horz = win.Vert = 0;
    win.SetVertScrollOffset(40);
    win.SetVertScrollOffset(40);
    win.SetHorzScrollOffset(0);
    EXPECT_EQ(win.Vert, 1);
    EXPECT_EQ(win.Horz, 0);
}

TEST(vrScrollWin, ScrollCodesMoveByLinesPagesAndToTheEnds) {
    TForm form(nullptr);
    TvrScrollWin win(&form);
    win.SetParent(&form);
    win.SetSmallChange(3);
    win.SetLargeChange(40);
    win.SetVertPageSize(100);
    win.SetVertExtent(1000);
    struct Case {
        TScrollCode Code;
        int Expected;
    } cases[] = {{scLineUp, 97}, {scLineDown, 103}, {scPageUp, 60},    {scPageDown, 140},
                 {scTop, 0},     {scBottom, 900},   {scEndScroll, 100}};
    for (const Case& c : cases) {
        win.SetVertScrollOffset(100);
        int pos = 0;
        win.Scroll(sbVertical, c.Code, pos);
        EXPECT_EQ(win.VertScrollOffset(), c.Expected) << c.Code;
    }
    win.SetHorzPageSize(10);
    win.SetHorzExtent(30);
    int pos = 0;
    win.Scroll(sbHorizontal, scPageDown, pos);
    EXPECT_EQ(win.HorzScrollOffset(), 20);
}

// --- colours --------------------------------------------------------------------------------

TEST(vrCtrls, MixColorsWeighsByPercentOrPerMille) {
    struct Case {
        TColor C1, C2;
        int A;
        TColorRef Expected;
    } cases[] = {{clRed, clWhite, 30, RGB(255, 179, 179)},
                 {clRed, clWhite, 150, RGB(255, 217, 217)},
                 {clWhite, clBlack, 50, RGB(128, 128, 128)},
                 {clBlue, clLime, 0, RGB(0, 255, 0)},
                 {clHighlight, clWindow, 0, ColorToPixelRGB(clWindow)}};
    for (const Case& c : cases)
        EXPECT_EQ(static_cast<TColorRef>(MixColors(c.C1, c.C2, c.A)), c.Expected) << c.A;
}

// The library's three cursors and the font combo's pictures come from the program's resources.
TEST(vrCtrls, StartUpRegistersTheCursorsAndThePicturesLoad) {
    vrStartUp();
    for (TCursor id : {crHand, crZoom, crFormat})
        EXPECT_TRUE(ScreenCursorRegistered(id)) << id;
    for (const char* name : {"VRTRUETYPE_FNT", "VRDEVICE_FNT"}) {
        TBitmap picture;
        picture.LoadFromBytes(ReadProgramResource(name));
        EXPECT_EQ(picture.Width(), 15) << name;
        EXPECT_EQ(picture.Height(), 12) << name;
    }
}

// --- the flat combo -------------------------------------------------------------------------

struct FlatCombo : ::testing::Test {
    void SetUp() override {
        form.SetBounds(50, 50, 400, 200);
        combo = new TvrComboBox(&form);
        combo->SetParent(&form);
        combo->SetBounds(10, 10, 120, 22);
        form.Show();
    }
    void TearDown() override { combo->SetDroppedDown(false); }
    void Fill(int count) {
        combo->Items()->Clear();
        for (int i = 0; i < count; ++i)
            combo->Items()->Add("第 " + IntToStr(i + 1) + " 项");
    }
    TForm form{nullptr};
    TvrComboBox* combo = nullptr;
};

TEST_F(FlatCombo, ListTakesListWidthAndTheHeightOfItsEntries) {
    const int h = combo->ItemHeight();
    ASSERT_GT(h, 0);
    struct Case {
        int Count, DropDownCount, ListWidth, Width, Height;
    } cases[] = {{3, 8, 0, 120, 3 * h + 2},
                 {20, 8, 100, 100, 8 * h + 2},
                 {20, 5, 200, 200, 5 * h + 2},
                 {0, 8, 0, 120, h + 2}};
    for (const Case& c : cases) {
        Fill(c.Count);
        combo->SetDropDownCount(c.DropDownCount);
        combo->SetListWidth(c.ListWidth);
        EXPECT_EQ(combo->ListHeight(), c.Height);
        if (c.Count == 0) continue; // an empty list does not open
        combo->SetDroppedDown(true);
        const TRect list = combo->DroppedListRect();
        EXPECT_EQ(list.Width(), c.Width) << c.Count;
        EXPECT_EQ(list.Height(), c.Height) << c.Count;
        EXPECT_FALSE(combo->ListOpensUpward());
        EXPECT_EQ(list.Top, combo->ClientToScreen(Point(0, combo->Height())).Y);
        combo->SetDroppedDown(false);
    }
}

TEST_F(FlatCombo, NearTheScreenBottomTheListOpensUpward) {
    Fill(10);
    form.SetBounds(50, Screen()->Height() - 60, 400, 50);
    Application()->ProcessMessages();
    combo->SetDroppedDown(true);
    EXPECT_TRUE(combo->ListOpensUpward());
    const TRect list = combo->DroppedListRect();
    EXPECT_EQ(list.Bottom, combo->ClientToScreen(Point(0, 0)).Y);
}

TEST_F(FlatCombo, FrameAndButtonShowTheState) {
    Fill(4);
    const int w = combo->Width(), h = combo->Height(), bw = combo->ButtonWidth();
    const TPoint buttonInside(w - bw - 1, 3);
    const TPoint arrow(bw / 2 + w - bw - 4 + 2, (h - 4) / 2 + 1);
    auto shot = [this](TBitmap& b) { GrabControl(combo, b); };
    auto pixel = [](TBitmap& b, TPoint p) { return static_cast<TColorRef>(b.Canvas()->Pixels(p.X, p.Y)); };
    struct Case {
        const char* State;
        std::function<void()> Enter;
        TColor Frame, Button, Arrow;
    } cases[] = {
        {"flat", [] {}, clBtnFace, clBtnFace, clBtnText},
        {"hot", [this] { SimulateMouseEnter(combo); }, clHighlight, MixColors(clHighlight, clWindow, 30),
         clBtnText},
        {"dropped", [this] { combo->SetDroppedDown(true); }, clHighlight,
         MixColors(clHighlight, clWindow, 50), clCaptionText},
        {"disabled", [this] { combo->SetEnabled(false); }, clBtnShadow, clBtnFace, clGrayText},
    };
    for (const Case& c : cases) {
        c.Enter();
        TBitmap b;
        shot(b);
        EXPECT_EQ(pixel(b, TPoint(0, 0)), ColorToPixelRGB(c.Frame)) << c.State;
        EXPECT_EQ(pixel(b, buttonInside), ColorToPixelRGB(c.Button)) << c.State;
        EXPECT_EQ(pixel(b, arrow), ColorToPixelRGB(c.Arrow)) << c.State;
        combo->SetDroppedDown(false);
        SimulateMouseLeave(combo);
        combo->SetEnabled(true);
    }
}

// --- the font combo -------------------------------------------------------------------------

struct FontCombo : ::testing::Test {
    void SetUp() override {
        TRegistry::SetStorageFile(dir.File("registry.ini"));
        form.SetBounds(50, 50, 500, 300);
        form.Show();
    }
    void TearDown() override {
        if (combo) combo->SetDroppedDown(false);
        TRegistry::SetStorageFile("");
    }
    TvrFontComboBox* Make(int left = 10, int top = 10) {
        combo = new TvrFontComboBox(&form);
        combo->SetMRURegKey("\\Software\\Test\\MRUFont");
        combo->SetBounds(left, top, 150, 22);
        combo->SetParent(&form);
        return combo;
    }
    // Chooses the font of that name in the open list (its last entry of that name).
    void Choose(const String& name) {
        int index = -1;
        for (int i = 0; i < combo->Items()->Count(); ++i)
            if (combo->Items()->Strings(i) == name) index = i;
        ASSERT_GE(index, 0) << name;
        combo->SetDroppedDown(true);
        combo->ChooseListEntry(index);
    }
    std::vector<String> Recent() {
        std::vector<String> v;
        for (int i = 0; i <= combo->LastMRUIndex(); ++i)
            v.push_back(combo->Items()->Strings(i));
        return v;
    }
    String Stored(const String& name) {
        TRegistry r;
        r.OpenKey("\\Software\\Test\\MRUFont", false);
        return r.GetDataType(name) == TRegDataType::rdInteger ? IntToStr(r.ReadInteger(name))
                                                              : r.ReadString(name);
    }
    // The families after the recent block, as the list shows them.
    std::vector<String> Families() {
        std::vector<String> v;
        for (int i = combo->LastMRUIndex() + 1; i < combo->Items()->Count(); ++i)
            v.push_back(combo->Items()->Strings(i));
        return v;
    }
    TempDir dir;
    TForm form{nullptr};
    TvrFontComboBox* combo = nullptr;
};

TEST_F(FontCombo, ChosenFontsGoOnTopAndASixthDropsTheOldest) {
    Make();
    const std::vector<String> families = Families();
    ASSERT_GE(families.size(), 7u);
    EXPECT_EQ(combo->LastMRUIndex(), -1);
    EXPECT_EQ(combo->ItemIndex(), 0);
    const String a = families[1], b = families[2], c = families[3];
    Choose(a);
    Choose(b);
    Choose(c);
    EXPECT_EQ(Recent(), (std::vector<String>{c, b, a}));
    EXPECT_EQ(combo->Text(), c);
    // One of the block moves to the top without a new entry.
    Choose(a);
    EXPECT_EQ(Recent(), (std::vector<String>{a, c, b}));
    EXPECT_EQ(combo->Items()->Count(), static_cast<int>(families.size()) + 3);
    EXPECT_EQ(Stored("Font0"), a);
    EXPECT_EQ(Stored("Font2"), b);
    EXPECT_EQ(Stored("Font3"), "");
    EXPECT_EQ(Stored("FontType0"), IntToStr(combo->FontTypeOf(0)));
    EXPECT_EQ(Stored("FontType3"), "0");
    // Three more new ones: five kept, the oldest (b) gone.
    for (size_t i = 4; i <= 6; ++i)
        Choose(families[i]);
    EXPECT_EQ(Recent(), (std::vector<String>{families[6], families[5], families[4], a, c}));
    EXPECT_EQ(combo->Items()->Count(), static_cast<int>(families.size()) + 5);
    EXPECT_EQ(Stored("Font4"), c);
    // Item 0 changes nothing.
    Choose(families[6]);
    EXPECT_EQ(Recent(), (std::vector<String>{families[6], families[5], families[4], a, c}));
}

TEST_F(FontCombo, RecentFontsComeBackAndUninstalledOnesLeaveTheSettings) {
    Make();
    const String installed = Families()[0];
    const int installedType = combo->FontTypeOf(0);
    delete combo;
    combo = nullptr;
    {
        TRegistry r;
        r.OpenKey("\\Software\\Test\\MRUFont", true);
        r.WriteString("Font0", installed);
        r.WriteInteger("FontType0", installedType);
        r.WriteString("Font1", "No Such Font 9");
        r.WriteInteger("FontType1", 4);
    }
    int clicks = 0;
    Make();
    combo->OnClick = [&clicks](TObject*) { ++clicks; };
    EXPECT_EQ(Recent(), std::vector<String>{installed});
    EXPECT_EQ(combo->FontTypeOf(0), installedType);
    EXPECT_EQ(Stored("Font1"), "");
    EXPECT_EQ(Stored("FontType1"), "0");
    EXPECT_EQ(Stored("Font0"), installed);
    combo->Populate();
    EXPECT_EQ(clicks, 0);
    Choose(Families()[2]);
    EXPECT_EQ(clicks, 1);
}

TEST_F(FontCombo, PreviewShowsBesideTheList) {
    struct Case {
        const char* Where;
        int Left, Top;
        bool LeftSide, Above;
    } cases[] = {
        {"middle", 10, 10, false, false}, {"right edge", 0, 10, true, false}, {"bottom", 10, 0, false, true}};
    for (const Case& c : cases) {
        form.SetBounds(c.Left ? 50 : Screen()->Width() - 200, c.Top ? 50 : Screen()->Height() - 70, 180, 60);
        Application()->ProcessMessages();
        Make(5, 5);
        combo->SetDroppedDown(true);
        // The list marks its first entry.
        EXPECT_EQ(combo->ListSelection(), 0);
        EXPECT_EQ(combo->ListOpensUpward(), c.Above) << c.Where;
        TvrFontPreview* preview = combo->Preview();
        ASSERT_TRUE(PopupShowing(preview)) << c.Where;
        // The offscreen platform puts a few pixels of window frame around the point a window is
        // moved to; the side is what counts.
        const TPoint origin = combo->ClientToScreen(Point(0, 0));
        EXPECT_NEAR(preview->Left(), c.LeftSide ? origin.X - 200 - 1 : origin.X + combo->Width() + 1, 4)
            << c.Where;
        EXPECT_NEAR(preview->Top(), c.Above ? origin.Y - 50 : origin.Y + combo->Height(), 4) << c.Where;
        combo->SetDroppedDown(false);
        EXPECT_FALSE(PopupShowing(preview));
        delete combo;
        combo = nullptr;
    }
}

// --- the combo with a button ----------------------------------------------------------------

TEST(vrComboEdit, TheButtonFocusesThenClicksAndDialogKeysReachTheForm) {
    TForm form(nullptr);
    form.SetBounds(50, 50, 300, 150);
    auto* other = new TEdit(&form);
    other->SetParent(&form);
    other->SetBounds(10, 60, 100, 21);
    auto* edit = new TvrComboEdit(&form);
    edit->SetParent(&form);
    edit->SetBounds(10, 10, 150, 21);
    auto* ok = new TButton(&form);
    ok->SetParent(&form);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    auto* cancel = new TButton(&form);
    cancel->SetParent(&form);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    form.Show();
    form.SetActiveControl(other);
    EXPECT_EQ(edit->Height(), 21);
    EXPECT_EQ(edit->Style(), csSimple);
    bool focusedFirst = false;
    int clicks = 0;
    edit->OnButtonClick = [&](TObject* sender) {
        EXPECT_EQ(sender, edit);
        focusedFirst = form.ActiveControl() == edit;
        ++clicks;
    };
    SimulateClick(edit->Button(), 3, 3);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(focusedFirst);
    edit->SetButtonEnabled(false);
    SimulateClick(edit->Button(), 3, 3);
    EXPECT_EQ(clicks, 1);
    struct Case {
        Word Key;
        TModalResult Result;
    } cases[] = {{VK_RETURN, mrOk}, {VK_ESCAPE, mrCancel}};
    for (const Case& c : cases) {
        form.SetModalResult(mrNone);
        SimulateKey(edit, c.Key);
        EXPECT_EQ(form.ModalResult(), c.Result) << c.Key;
    }
    form.Hide();
}

} // namespace
