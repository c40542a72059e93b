// Remembered texts, the special row's cells, drop-down placement, grip corners, type-ahead, the
// size grip, pop-ups, the drop-down list box and the drop-down calendar.
#include "grid/ToolCtrlsGxLists.h"
#include "grid/ToolCtrlsGxCalendar.h"
#include "grid/ToolCtrlsGxDropDown.h"
#include "grid/ToolCtrlsGxGrip.h"
#include "grid/ToolCtrlsGxListBox.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/InputQueue.h"
#include "gui/InputSimulation.h"
#include "gui/PopupWindows.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"

#include <gtest/gtest.h>

namespace {

String Items(const TStrings& s) {
    String r;
    for (int i = 0; i < s.Count(); ++i)
        r += (i ? "|" : "") + s[i];
    return r;
}

TEST(MRUListTest, AddRecentMovesAnEqualItemAndTrimsTheOldest) {
    TMRUListGx mru;
    mru.SetLimit(3);
    for (const char* t : {"Apple", "pear", "plum"})
        mru.AddRecent(t);
    mru.AddRecent("APPLE"); // equal without regard to case: moved with its stored text
    EXPECT_EQ(Items(*mru.Items()), "pear|plum|Apple");
    mru.AddRecent("   ");
    EXPECT_EQ(Items(*mru.Items()), "pear|plum|Apple");
    mru.AddRecent("fig");
    EXPECT_EQ(Items(*mru.Items()), "plum|Apple|fig");
    mru.SetCaseSensitive(true);
    mru.AddRecent("FIG");
    EXPECT_EQ(Items(*mru.Items()), "Apple|fig|FIG");
    mru.SetLimit(1);
    EXPECT_EQ(Items(*mru.Items()), "FIG");
}

TEST(MRUListTest, NegativeLimitEmptiesTheListAndTrimsAnEmptyOneSafely) {
    TMRUListGx mru;
    mru.AddRecent("a");
    mru.SetLimit(-2);
    EXPECT_EQ(mru.Items()->Count(), 0);
    mru.TrimToLimit();
    mru.AddRecent("b");
    EXPECT_EQ(mru.Items()->Count(), 0);
}

TEST(MRUListTest, FilterIntoAndItsHook) {
    TMRUListGx mru;
    for (const char* t : {"abc", "Abd", "xyz", "ab"})
        mru.AddRecent(t);
    TStringList out;
    EXPECT_TRUE(mru.FilterInto(&out, "ab"));
    EXPECT_EQ(Items(out), "abc|Abd|ab");
    mru.SetCaseSensitive(true);
    EXPECT_TRUE(mru.FilterInto(&out, "Ab"));
    EXPECT_EQ(Items(out), "Abd");
    mru.FilterItemHook = [](TObject*, bool& accept) { accept = !accept; };
    EXPECT_TRUE(mru.FilterInto(&out, "Ab"));
    EXPECT_EQ(Items(out), "abc|xyz|ab");
}

TEST(MRUListTest, FilterIntoStopsAtAWaitingKeyPress) {
    TForm form(nullptr);
    TEdit edit(&form);
    edit.SetParent(&form);
    TMRUListGx mru;
    for (int i = 0; i < 250; ++i)
        mru.Items()->Add("item" + std::to_string(i));
    TStringList out;
    PostKeyDown(&edit, 'A');
    EXPECT_TRUE(KeyDownWaiting());
    EXPECT_FALSE(mru.FilterInto(&out, "item"));
    EXPECT_EQ(out.Count(), 1);
    mru.StopOnKeyInQueue = false;
    EXPECT_TRUE(mru.FilterInto(&out, "item"));
    EXPECT_EQ(out.Count(), 250);
    Application()->ProcessMessages();
    EXPECT_FALSE(KeyDownWaiting());
    mru.StopOnKeyInQueue = true;
    EXPECT_TRUE(mru.FilterInto(&out, "item1"));
}

TEST(MRUListTest, AssignKeepsAutoAddAndRefusesOtherClasses) {
    TMRUListGx a, b;
    a.SetAutoAdd(false);
    a.SetLimit(2);
    a.SetRows(3);
    a.SetActive(true);
    a.Items()->Add("x");
    int activeChanges = 0;
    b.ActiveChangedHook = [&](TObject*) { ++activeChanges; };
    b.Assign(&a);
    EXPECT_TRUE(b.AutoAdd());
    EXPECT_TRUE(b.Active());
    EXPECT_EQ(activeChanges, 1);
    EXPECT_EQ(b.Limit(), 2);
    EXPECT_EQ(b.Rows(), 3);
    EXPECT_EQ(Items(*b.Items()), "x");
    TSpecRowGx row;
    EXPECT_THROW(b.Assign(&row), Exception);
}

TEST(SpecRowTest, CellsTextSplitsIntoCells) {
    struct Case {
        const char* Text;
        const char* Cells;
    } cases[] = {
        {"a;\"b;c\";d", "a|b;c|d"},
        {";a", "|a"},
        {"a;", "a"},
        {"a;;b", "a||b"},
        {"\"say \"\"hi\"\"\";x", "say \"hi\"|x"},
        {"\x01\x02 a;\tb", " a|b"},
        {"住户;\"编号;号\"", "住户|编号;号"},
        {"", ""},
    };
    TSpecRowGx row;
    for (const Case& c : cases) {
        row.SetCellsText(c.Text);
        EXPECT_EQ(Items(*row.CellTexts()), c.Cells) << c.Text;
    }
    row.SetCellsText("a;b");
    EXPECT_EQ(row.CellText(-1), "");
    EXPECT_EQ(row.CellText(1), "b");
    EXPECT_EQ(row.CellText(2), "");
}

TEST(SpecRowTest, ChangesReportOnceOutsideUpdatesAndFontFollowsTheOwner) {
    TForm form(nullptr);
    form.Font()->SetName("Tahoma");
    TSpecRowGx row(&form);
    int reports = 0;
    row.RowChangedHook = [&](TObject*) { ++reports; };
    row.SetVisible(true);
    row.SetVisible(true);
    row.SetValue(Variant(5));
    row.SetValue(Variant(5));
    row.SetShortCut(0);
    EXPECT_EQ(reports, 2);
    EXPECT_EQ(row.Font()->Name(), "Tahoma");
    form.Font()->SetName("Arial");
    EXPECT_EQ(row.Font()->Name(), "Arial");
    EXPECT_EQ(reports, 2);
    TFont own;
    own.SetName("Courier New");
    row.SetFont(&own);
    EXPECT_TRUE(row.FontSet());
    form.Font()->SetName("Tahoma");
    EXPECT_EQ(row.Font()->Name(), "Courier New");
    reports = 0;
    TSpecRowGx other;
    other.SetCellsText("x;y");
    other.SetColor(clRed);
    row.Assign(&other);
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(row.Color(), clRed);
    EXPECT_EQ(row.CellText(1), "y");
    EXPECT_EQ(row.Font()->Name(), "Courier New"); // the source's font was never set
}

TEST(DropDownPlacementTest, Cases) {
    const TRect work = Rect(0, 0, 800, 600);
    struct Case {
        TRect Master;
        int Width, Height, Align;
        TPoint Pos;
        int W, H, VSide, HSide;
    } cases[] = {
        // room below: under the master, grip bottom-right
        {Rect(100, 100, 200, 120), 150, 200, ddaLeftGx, Point(100, 120), 150, 200, 3, 1},
        // no room below but room above: over the master, grip top
        {Rect(100, 500, 200, 520), 150, 200, ddaLeftGx, Point(100, 300), 150, 200, 2, 1},
        // room on neither side: the side with more room, height cut to it
        {Rect(100, 350, 200, 370), 150, 400, ddaLeftGx, Point(100, 0), 150, 350, 2, 1},
        {Rect(100, 230, 200, 250), 150, 400, ddaLeftGx, Point(100, 250), 150, 350, 3, 1},
        // right aligned at the right edge: the grip goes left
        {Rect(700, 100, 800, 120), 150, 100, ddaRightGx, Point(650, 120), 150, 100, 3, 0},
        // right aligned past the right edge of the work area: clamped, grip left
        {Rect(700, 100, 820, 120), 150, 100, ddaRightGx, Point(650, 120), 150, 100, 3, 0},
        // clamped at the left edge: grip right
        {Rect(-20, 100, 40, 120), 150, 100, ddaRightGx, Point(0, 120), 150, 100, 3, 1},
        // centred (division toward zero)
        {Rect(100, 100, 201, 120), 150, 100, ddaCenterGx, Point(76, 120), 150, 100, 3, 1},
        // wider than the work area
        {Rect(100, 100, 200, 120), 900, 100, ddaLeftGx, Point(0, 120), 800, 100, 3, 0},
    };
    for (const Case& c : cases) {
        TDropDownPlaceGx p = PlaceDropDownIn(c.Master, work, c.Width, c.Height, c.Align);
        EXPECT_EQ(p.Pos, c.Pos) << c.Master.Left << "," << c.Master.Top;
        EXPECT_EQ(p.Width, c.W);
        EXPECT_EQ(p.Height, c.H);
        EXPECT_EQ(p.VerticalSide, c.VSide);
        EXPECT_EQ(p.HorizontalSide, c.HSide);
    }
}

TEST(DropDownPlacementTest, GripCornersAndRows) {
    EXPECT_EQ(GripCornerAfterMove(3, 2), 0); // bottom-left to top-left
    EXPECT_EQ(GripCornerAfterMove(1, 2), 1); // top-right stays
    EXPECT_EQ(GripCornerAfterMove(2, 0), 3);
    EXPECT_EQ(GripCornerAfterMove(0, 1), 1);
    EXPECT_EQ(GripCornerAfterMove(1, 3), 2);
    EXPECT_EQ(ListHeightForRows(0, 16, 4), 20);
    EXPECT_EQ(ListRowsForHeight(4 + 16 * 3 + 8, 16, 4), 3);
    EXPECT_EQ(ListRowsForHeight(2, 16, 4), 1);
}

TEST(DropDownPlacementTest, TypeAheadWithinAndAfterTwoSeconds) {
    TTypeAheadGx t;
    EXPECT_TRUE(t.KeyPress('b', 10000));
    EXPECT_TRUE(t.KeyPress('a', 12000));
    EXPECT_EQ(t.Prefix(), "ba");
    EXPECT_TRUE(t.KeyPress('c', 14001));
    EXPECT_EQ(t.Prefix(), "c");
    EXPECT_FALSE(t.KeyPress(8, 14002));
    EXPECT_EQ(t.Prefix(), "");
    for (int i = 0; i < 32; ++i)
        t.KeyPress('x', 15000);
    EXPECT_TRUE(t.KeyPress('y', 15001)); // a 33rd character is consumed but not added
    EXPECT_EQ(t.Prefix(), String(32, 'x'));
    EXPECT_FALSE(t.KeyPress('\r', 15002));
}

} // namespace

namespace {

TEST(DropDownClickTest, TheClickThatClosedADropDownIsDropped) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    TEdit edit(&form);
    edit.SetParent(&form);
    edit.SetBounds(10, 10, 100, 20);
    TLabel label(&form);
    label.SetParent(&form);
    label.SetBounds(120, 10, 40, 20);
    int presses = 0;
    edit.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++presses; };

    PostMouseDown(&form, mbLeft, 130, 15); // on the label, drawn on the form
    EXPECT_FALSE(DiscardClickInControl(&edit));
    EXPECT_TRUE(DiscardClickOnControl(&label));
    EXPECT_FALSE(DiscardClickOnControl(&label));

    PostMouseDown(&edit, mbLeft, 5, 5);
    EXPECT_FALSE(DiscardClickOnControl(&edit)); // a windowed control never
    EXPECT_TRUE(DiscardClickInControl(&edit));
    Application()->ProcessMessages();
    EXPECT_EQ(presses, 0);
    PostMouseDown(&edit, mbLeft, 5, 5);
    Application()->ProcessMessages();
    EXPECT_EQ(presses, 1);

    EXPECT_TRUE(IsDoubleClickPair(Point(10, 10), Point(12, 11), 100));
    EXPECT_FALSE(IsDoubleClickPair(Point(10, 10), Point(40, 11), 100));
    EXPECT_FALSE(IsDoubleClickPair(Point(10, 10), Point(10, 10), 100000));
}

} // namespace

namespace {

TEST(SizeGripTest, CornersShapeAndDrag) {
    TForm form(nullptr);
    form.SetBounds(100, 100, 300, 200);
    TPanel drop(&form);
    drop.SetParent(&form);
    drop.SetBounds(10, 10, 150, 120);
    TSizeGripGx grip(&drop);
    grip.SetParent(&drop);
    grip.ApplyShape();
    const int w = grip.Width(), h = grip.Height();
    EXPECT_EQ(grip.Left(), drop.ClientWidth() - w);
    EXPECT_EQ(grip.Top(), drop.ClientHeight() - h);
    EXPECT_TRUE(WindowRegionContains(&grip, Point(w - 2, h - 2)));
    EXPECT_FALSE(WindowRegionContains(&grip, Point(1, 1)));
    grip.MoveGripToSide(2); // bottom-right to top-right
    EXPECT_EQ(grip.GripCorner(), 1);
    EXPECT_EQ(grip.Top(), 0);
    EXPECT_EQ(grip.Left(), drop.ClientWidth() - w);
    grip.MoveGripToSide(2);
    EXPECT_EQ(grip.GripCorner(), 1);
    grip.SetTriangleShape(false);
    EXPECT_TRUE(WindowRegionContains(&grip, Point(1, h - 2)));
    grip.SetGripCorner(2);

    int resized = 0;
    grip.ResizedHook = [&](TObject*) { ++resized; };
    const int width = drop.Width(), height = drop.Height();
    SimulateMouseDown(&grip, mbLeft, 2, 2);
    SimulateMouseMove(&grip, 22, 12, TShiftState{ssLeft});
    EXPECT_EQ(drop.Width(), width + 20);
    EXPECT_EQ(drop.Height(), height + 10);
    EXPECT_EQ(resized, 1);
    EXPECT_EQ(grip.Left(), drop.ClientWidth() - w); // the grip follows its corner
    EXPECT_EQ(GripTriangle(3, 10, 10), (std::array<TPoint, 3>{Point(10, 10), Point(0, 10), Point(0, 0)}));
}

TEST(PopupWindowTest, APopupShowsWithoutTakingTheFocus) {
    TForm form(nullptr);
    form.SetBounds(100, 100, 300, 200);
    TEdit edit(&form);
    edit.SetParent(&form);
    form.Show();
    edit.SetFocus();
    Application()->ProcessMessages();
    TListBox list(&form);
    list.SetParent(&form);
    list.SetBounds(0, 0, 120, 80);
    ASSERT_TRUE(edit.Focused());
    ShowPopupNoActivate(&list, 150, 150);
    Application()->ProcessMessages();
    EXPECT_TRUE(PopupShowing(&list));
    EXPECT_TRUE(edit.Focused());
    EXPECT_FALSE(list.Focused());
    HidePopup(&list);
    EXPECT_FALSE(PopupShowing(&list));
    form.Hide();
}

} // namespace

namespace {

TEST(PopupListboxTest, TypeAheadRowsAndGripSide) {
    TForm form(nullptr);
    TPopupListboxGx list(&form);
    list.SetParent(&form);
    list.SetItemHeight(16);
    for (const char* t : {"apple", "apricot", "banana", "Blueberry", "cherry"})
        list.Items()->Add(t);
    unsigned long long now = 100000;
    list.Clock = [&] { return now; };
    SimulateTyping(&list, "b");
    EXPECT_EQ(list.ItemIndex(), 2);
    now += 1500;
    SimulateTyping(&list, "l");
    EXPECT_EQ(list.ItemIndex(), 3);
    EXPECT_EQ(list.TypedPrefix(), "bl");
    now += 2001;
    SimulateTyping(&list, "c");
    EXPECT_EQ(list.ItemIndex(), 4);
    EXPECT_EQ(list.TypedPrefix(), "c");
    SimulateTyping(&list, String(31, 'x'));
    EXPECT_EQ(list.TypedPrefix().size(), 32u);
    SimulateTyping(&list, "y"); // consumed, not added
    EXPECT_EQ(list.TypedPrefix(), "c" + String(31, 'x'));
    EXPECT_EQ(list.ItemIndex(), 4);
    SimulateKey(&list, VK_BACK);
    EXPECT_EQ(list.TypedPrefix(), "");

    const int frame = list.NonClientHeight();
    list.ShowRows(0);
    EXPECT_EQ(list.Height(), frame + 16);
    list.SetBounds(0, 0, 100, frame + 16 * 3 + 8);
    EXPECT_EQ(list.VisibleRows(), 3);
    EXPECT_EQ(list.Height(), frame + 48);

    EXPECT_EQ(list.Grip()->GripCorner(), 2);
    list.Perform(GripSideMessage, 0, 0);
    EXPECT_EQ(list.Grip()->GripCorner(), 3);
    EXPECT_EQ(list.Grip()->Left(), 0);
}

} // namespace

namespace {

class TDateOwner : public TForm, public IDropDownCloseGx {
public:
    TDateOwner() : TForm(nullptr) {}
    void CloseDropDown(bool Accept) override { Closes.push_back(Accept); }
    std::vector<bool> Closes;
};

TEST(PopupCalendarTest, HitAreasAndClosing) {
    TDateOwner owner;
    owner.SetBounds(0, 0, 300, 260);
    TPopupMonthCalendarGx calendar(&owner);
    calendar.SetParent(&owner);
    calendar.SetDate(EncodeDate(2026, 3, 15));
    calendar.SetDate(-1e9); // refused without an error
    EXPECT_EQ(calendar.Date(), EncodeDate(2026, 3, 15));
    owner.Show();
    Application()->ProcessMessages();

    const TPoint day = calendar.DateCellPoint(EncodeDate(2026, 3, 18));
    ASSERT_GE(day.X, 0);
    EXPECT_EQ(calendar.HitTest(day), MCHT_CALENDARDATE);
    EXPECT_EQ(calendar.HitTest(calendar.TitleButtonPoint(true)), MCHT_TITLEBTNNEXT);
    EXPECT_EQ(calendar.HitTest(calendar.TitleButtonPoint(false)), MCHT_TITLEBTNPREV);
    EXPECT_EQ(calendar.HitTest(Point(-5, 5)), MCHT_NOWHERE);

    struct {
        Cardinal Code;
        bool Closes;
    } rules[] = {{MCHT_CALENDARDATE, true},  {MCHT_CALENDARDATENEXT, true}, {MCHT_CALENDARDATEPREV, true},
                 {MCHT_CALENDARBK, true},    {MCHT_CALENDARWEEKNUM, true},  {MCHT_TODAYLINK, true},
                 {MCHT_TITLEMONTH, true},    {MCHT_CALENDARDAY, false},     {MCHT_TITLEBTNNEXT, false},
                 {MCHT_TITLEBTNPREV, false}, {MCHT_TITLEYEAR, false},       {MCHT_TITLEBK, false},
                 {MCHT_NOWHERE, false}};
    for (auto& r : rules)
        EXPECT_EQ(CalendarHitCloses(r.Code), r.Closes) << std::hex << r.Code;

    calendar.ReleasedAt(day);
    calendar.ReleasedAt(calendar.TitleButtonPoint(true));
    calendar.Perform(DropDownCloseMessage, 0, 0);
    SimulateKey(&calendar, VK_RETURN);
    SimulateKey(&calendar, VK_ESCAPE);
    EXPECT_EQ(owner.Closes, (std::vector<bool>{true, false, true, false}));
    owner.Hide();
}

} // namespace
