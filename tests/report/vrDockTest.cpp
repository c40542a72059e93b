// Docking of the report windows: the dock site's welcome and sizes, its splitter (grip, cursors,
// dragging, collapsing), the tool-bar panel, and the settings of forms, tool bars and dock sites.
#include "report/vrDock.h"
#include "TempDir.h"
#include "gui/Bitmap.h"
#include "gui/ComCtrls.h"
#include "gui/ControlShot.h"
#include "gui/InputSimulation.h"
#include "gui/Monitors.h"
#include "report/vrUtils.h"
#include "rtl/IniFiles.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

namespace {

// A tool window of the test designer: its class name names its settings section.
class TToolWindowForm : public TForm {
public:
    using TForm::TForm;
    String ClassName() const override { return "TToolWindowForm"; }
};

class TOtherToolForm : public TForm {
public:
    using TForm::TForm;
    String ClassName() const override { return "TOtherToolForm"; }
};

// A designer form with a dock site on its left and two tool windows it owns.
struct DockTest : ::testing::Test {
    void SetUp() override {
        designer = std::make_unique<TForm>(nullptr);
        designer->SetName("DesignForm");
        designer->SetBounds(40, 40, 600, 400);
        site = new TvrDockSite(designer.get());
        site->SetName("LeftDock");
        site->SetParent(designer.get());
        site->SetDockSite(true);
        site->SetDesignerForm(designer.get());
        tool = new TToolWindowForm(designer.get());
        tool->SetName("ReportTree");
        tool->SetCaption("报表树");
        tool->SetBounds(0, 0, 150, 200);
        other = new TOtherToolForm(designer.get());
        other->SetName("Inspector");
        other->SetBounds(0, 0, 170, 120);
        designer->Show();
    }
    std::vector<String> Keys(TMemIniFile& ini, const String& section) {
        TStringList keys;
        ini.ReadSection(section, keys);
        std::vector<String> v;
        for (int i = 0; i < keys.Count(); ++i)
            v.push_back(keys.Strings(i));
        return v;
    }
    TempDir dir;
    std::unique_ptr<TForm> designer;
    TvrDockSite* site = nullptr;
    TToolWindowForm* tool = nullptr;
    TOtherToolForm* other = nullptr;
};

TEST_F(DockTest, ToolWindowsOfTheDesignerDockAndTheSiteTakesTheirSize) {
    EXPECT_EQ(site->Align(), alLeft);
    EXPECT_EQ(site->Caption(), " ");
    EXPECT_TRUE(site->AutoSize());
    EXPECT_FALSE(site->Splitter()->Visible());
    EXPECT_EQ(site->Splitter()->Parent(), designer.get());
    ASSERT_TRUE(tool->ManualDock(site));
    tool->Show();
    EXPECT_EQ(tool->HostDockSite(), site);
    EXPECT_EQ(tool->Parent(), site);
    EXPECT_EQ(site->Width(), 150);
    EXPECT_TRUE(site->Splitter()->Visible());
    EXPECT_EQ(site->Splitter()->Align(), alLeft);
    EXPECT_EQ(site->Splitter()->Left(), site->Left() + site->Width());
    // Docked below the first one, both share the site's height, each after its grabber.
    ASSERT_TRUE(other->ManualDock(site, tool, alBottom));
    other->Show();
    EXPECT_EQ(site->DockManager()->Controls(), (std::vector<TControl*>{tool, other}));
    EXPECT_EQ(tool->Top(), TDockTree::GrabberSize);
    EXPECT_EQ(other->Top(), tool->Top() + tool->Height() + TDockTree::GrabberSize);
    EXPECT_EQ(other->Top() + other->Height(), site->ClientHeight());
    EXPECT_EQ(tool->Width(), site->ClientWidth());
    // Undocked one by one: the splitter hides with the last, and the site shrinks to nothing.
    ASSERT_TRUE(other->ManualFloat(Bounds(300, 200, 170, 120)));
    EXPECT_TRUE(site->Splitter()->Visible());
    EXPECT_TRUE(other->Floating());
    EXPECT_EQ(other->Parent(), nullptr);
    ASSERT_TRUE(tool->ManualFloat(Bounds(320, 220, 150, 200)));
    EXPECT_FALSE(site->Splitter()->Visible());
    EXPECT_EQ(site->Width(), 0);
}

TEST_F(DockTest, ControlsOfAnotherFormNeitherDockNorUndockAcross) {
    TForm stranger(nullptr);
    stranger.SetName("OtherForm");
    auto* foreign = new TToolWindowForm(&stranger);
    foreign->SetName("Foreign");
    EXPECT_FALSE(foreign->ManualDock(site));
    EXPECT_EQ(foreign->HostDockSite(), nullptr);
    // No feedback over the site either: a drag there finds no target.
    TDragDockObject source(foreign);
    bool accept = true;
    site->DockOver(source, 5, 5, accept);
    EXPECT_FALSE(accept);

    auto* strangerSite = new TvrDockSite(&stranger);
    strangerSite->SetName("StrangerDock");
    strangerSite->SetParent(&stranger);
    strangerSite->SetDockSite(true);
    strangerSite->SetDesignerForm(designer.get()); // would welcome the tool, but lies elsewhere
    ASSERT_TRUE(tool->ManualDock(site));
    EXPECT_FALSE(tool->ManualDock(strangerSite));
    EXPECT_EQ(tool->HostDockSite(), site);
    EXPECT_EQ(site->DraggedSize(), 0);
}

TEST_F(DockTest, ADraggedSizeComesBackAfterTheDrop) {
    site->SetAlign(alTop);
    TDragDockObject source(tool);
    bool accept = true;
    site->DockOver(source, 5, 5, accept);
    EXPECT_TRUE(accept);
    EXPECT_EQ(site->DraggedSize(), 200); // the height, for a site on the top
    site->SetAutoSize(false);
    site->SetHeight(40);
    site->SetAutoSize(true);
    site->DockDrop(source, 5, 5);
    EXPECT_EQ(tool->HostDockSite(), site);
    EXPECT_EQ(site->Height(), 200);
    EXPECT_TRUE(site->Splitter()->Visible());
    EXPECT_EQ(site->Splitter()->Align(), alTop);
}

TEST_F(DockTest, TheSplitterGripAndItsCursorZones) {
    ASSERT_TRUE(tool->ManualDock(site));
    tool->Show();
    TDockSplitter* splitter = site->Splitter();
    ASSERT_EQ(splitter->Width(), 6);
    const int h = splitter->Height(), half = h / 2;
    TBitmap shot;
    GrabControl(splitter, shot);
    auto pixel = [&shot](int x, int y) { return static_cast<TColorRef>(shot.Canvas()->Pixels(x, y)); };
    EXPECT_EQ(pixel(0, half - 14), 0xC0D0D0u);
    EXPECT_EQ(pixel(5, half + 14), 0xC0D0D0u);
    EXPECT_EQ(pixel(0, half - 15), ColorToPixelRGB(clBtnFace));
    EXPECT_EQ(pixel(0, half + 15), ColorToPixelRGB(clBtnFace));
    for (int i = 0; i < 7; ++i) {
        const int y = half - 9 + 3 * i;
        EXPECT_EQ(pixel(2, y), 0xFFFFFFu) << i;
        EXPECT_EQ(pixel(3, y), 0x808080u) << i;
        EXPECT_EQ(pixel(2, y + 1), 0x808080u) << i;
        EXPECT_EQ(pixel(3, y + 1), 0x808080u) << i;
        EXPECT_EQ(pixel(2, y + 2), 0xC0D0D0u) << i;
    }
    struct Case {
        int Y;
        TCursor Cursor;
    } cases[] = {{half, crHandPoint},   {half - 19, crHandPoint}, {half + 19, crHandPoint},
                 {half - 20, crHSplit}, {half + 20, crHSplit},    {0, crHSplit}};
    for (const Case& c : cases) {
        SimulateMouseMove(splitter, 3, c.Y);
        EXPECT_EQ(splitter->Cursor(), c.Cursor) << c.Y;
    }
    site->SetAlign(alBottom);
    EXPECT_TRUE(splitter->Horizontal());
    EXPECT_EQ(splitter->CursorAt(splitter->Width() / 2 + 25, 3), crVSplit);
    EXPECT_EQ(splitter->CursorAt(splitter->Width() / 2 - 5, 3), crHandPoint);
}

TEST_F(DockTest, AClickOnTheGripCollapsesAndRestoresTheSite) {
    ASSERT_TRUE(tool->ManualDock(site));
    tool->Show();
    TDockSplitter* splitter = site->Splitter();
    EXPECT_EQ(site->Width(), 150);
    SimulateClick(splitter, 3, splitter->Height() / 2);
    EXPECT_EQ(site->Width(), 0);
    EXPECT_EQ(site->Size(), 150);
    EXPECT_FALSE(site->AutoSize());
    SimulateClick(splitter, 3, splitter->Height() / 2);
    EXPECT_EQ(site->Width(), 150);
    EXPECT_TRUE(site->AutoSize());
    EXPECT_EQ(splitter->Left(), site->Left() + site->Width());
}

// Each move while the button is held adds the pointer's offset within the bar to the site.
TEST_F(DockTest, DraggingTheSplitterResizesTheSite) {
    ASSERT_TRUE(tool->ManualDock(site));
    tool->Show();
    TDockSplitter* splitter = site->Splitter();
    SimulateMouseDown(splitter, mbLeft, 3, 5);
    SimulateMouseMove(splitter, 33, 5, TShiftState{ssLeft});
    EXPECT_EQ(site->Width(), 183);
    SimulateMouseMove(splitter, -17, 5, TShiftState{ssLeft});
    EXPECT_EQ(site->Width(), 166);
    SimulateMouseUp(splitter, mbLeft, -17, 5);
    EXPECT_TRUE(site->AutoSize());
    EXPECT_EQ(tool->Width(), 166);
    SimulateMouseMove(splitter, 40, 5);
    EXPECT_EQ(site->Width(), 166); // the button is up
    // A site on the right grows as the pointer moves left.
    site->SetAlign(alRight);
    SimulateMouseDown(splitter, mbLeft, 3, 5);
    SimulateMouseMove(splitter, -10, 5, TShiftState{ssLeft});
    SimulateMouseUp(splitter, mbLeft, -10, 5);
    EXPECT_EQ(site->Width(), 176);
}

// The user's drags: a tool window by its grabber to the other side, then out to float; a tool
// bar by its grip out of its control bar, and by itself back into it.
TEST_F(DockTest, UserDragsDockAndFloat) {
    auto* right = new TvrDockSite(designer.get());
    right->SetName("RightDock");
    right->SetParent(designer.get());
    right->SetAlign(alRight);
    right->SetDockSite(true);
    right->SetDesignerForm(designer.get());
    ASSERT_TRUE(tool->ManualDock(site));
    tool->Show();
    int starts = 0;
    TObject* ended = nullptr;
    tool->OnStartDock = [&starts](TObject*) { ++starts; };
    tool->OnEndDock = [&ended](TObject*, TObject* target, int, int) { ended = target; };
    SimulateDockDrag(tool, right->ClientToScreen(Point(right->Width() / 2, 60)));
    EXPECT_EQ(tool->HostDockSite(), right);
    EXPECT_EQ(right->Width(), 150);
    EXPECT_EQ(site->Width(), 0);
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(ended, right);
    EXPECT_EQ(DockDragControl(), nullptr);
    const TPoint away = designer->ClientToScreen(Point(designer->Width() + 100, 20));
    SimulateDockDrag(tool, away);
    EXPECT_EQ(tool->HostDockSite(), nullptr);
    EXPECT_TRUE(tool->Floating());
    EXPECT_EQ(tool->Left(), away.X);
    EXPECT_FALSE(right->Splitter()->Visible());

    auto* controlBar = new TControlBar(designer.get());
    controlBar->SetName("ControlBar1");
    controlBar->SetParent(designer.get());
    controlBar->SetAlign(alTop);
    auto* toolBar = new TToolBar(designer.get());
    toolBar->SetName("TBStandard");
    toolBar->SetBounds(0, 0, 120, 26);
    toolBar->SetDragKind(dkDock);
    toolBar->SetDragMode(dmAutomatic);
    ASSERT_TRUE(toolBar->ManualDock(controlBar));
    EXPECT_EQ(controlBar->Height(), 30);
    EXPECT_EQ(toolBar->Left(), TControlBar::GripWidth);
    SimulateDockDrag(toolBar, away);
    ASSERT_NE(toolBar->FloatHost(), nullptr);
    EXPECT_TRUE(toolBar->FloatHost()->Visible());
    EXPECT_EQ(toolBar->FloatHost()->ClientWidth(), 120);
    EXPECT_EQ(controlBar->Height(), 4); // empty: a thin strip to drop into
    SimulateDockDrag(toolBar, controlBar->ClientToScreen(Point(40, 2)));
    EXPECT_EQ(toolBar->HostDockSite(), controlBar);
    EXPECT_EQ(toolBar->FloatHost(), nullptr);
    EXPECT_EQ(toolBar->Width(), 120);
}

TEST_F(DockTest, ToolBarPanelLiesAlongItsToolBar) {
    struct Case {
        TAlign ToolBarAlign;
        TAlign Expected;
    } cases[] = {{alTop, alLeft}, {alLeft, alTop}, {alRight, alTop}, {alBottom, alLeft}};
    for (const Case& c : cases) {
        auto* bar = new TPanel(designer.get());
        bar->SetParent(designer.get());
        bar->SetAlign(c.ToolBarAlign);
        auto* inner = new TPanel(designer.get());
        inner->SetParent(bar);
        auto* panel = new TvrTBPanel(designer.get());
        EXPECT_EQ(panel->Align(), alLeft);
        EXPECT_EQ(panel->Width(), 8);
        panel->SetParent(inner);
        EXPECT_EQ(panel->Align(), c.Expected) << c.ToolBarAlign;
    }
}

// --- settings ---------------------------------------------------------------------------------

TEST_F(DockTest, SettingsSectionsAndKeys) {
    TMemIniFile ini(dir.File("vr.ini"));
    ASSERT_TRUE(tool->ManualDock(site));
    tool->Show();
    SaveFormState(&ini, tool);
    SaveFormState(&ini, designer.get());
    EXPECT_EQ(Keys(ini, "Form4.TToolWindowForm"),
              (std::vector<String>{"Left", "Top", "Width", "Height", "Maximized", "Visible", "Dock4"}));
    EXPECT_EQ(ini.ReadString("Form4.TToolWindowForm", "Dock4", ""), "LeftDock");
    EXPECT_EQ(ini.ReadString("Form4.TForm", "Dock4", "x"), "");
    EXPECT_EQ(ini.ReadInteger("Form4.TForm", "Left", 0), 40);

    auto* controlBar = new TControlBar(designer.get());
    controlBar->SetName("ControlBar1");
    controlBar->SetParent(designer.get());
    controlBar->SetAlign(alTop);
    auto* docked = new TToolBar(designer.get());
    docked->SetName("TBStandard");
    docked->SetBounds(0, 0, 120, 26);
    ASSERT_TRUE(docked->ManualDock(controlBar));
    auto* loose = new TToolBar(designer.get());
    loose->SetName("TBLoose");
    loose->SetParent(designer.get());
    SaveToolBarState(&ini, docked);
    SaveToolBarState(&ini, loose);
    EXPECT_EQ(Keys(ini, "ToolBar4.TBStandard"),
              (std::vector<String>{"Float", "Visible", "Left", "Top", "Width", "Height", "Dock4"}));
    EXPECT_EQ(ini.ReadString("ToolBar4.TBStandard", "Dock4", ""), "ControlBar1");
    EXPECT_EQ(Keys(ini, "ToolBar4.TBLoose"),
              (std::vector<String>{"Float", "Visible", "Left", "Top", "Width", "Height"}));

    SaveDockSiteLayout(&ini, site);
    EXPECT_EQ(Keys(ini, "Dock4.LeftDock"), (std::vector<String>{"Data", "Width", "Height", "Size"}));
    const String data = ini.ReadString("Dock4.LeftDock", "Data", "");
    EXPECT_FALSE(data.empty());
    EXPECT_EQ(data.find_first_not_of("0123456789ABCDEF"), String::npos);
}

TEST_F(DockTest, AMaximizedFormKeepsItsBoundsUnderneath) {
    TMemIniFile ini(dir.File("vr.ini"));
    ini.WriteBool("Form4.TOtherToolForm", "Maximized", true);
    ini.WriteInteger("Form4.TOtherToolForm", "Left", 7);
    other->SetBounds(30, 30, 170, 120);
    RestoreFormState(&ini, other);
    EXPECT_EQ(other->WindowState(), wsMaximized);
    EXPECT_EQ(other->Left(), 30);
    EXPECT_TRUE(other->Visible());
    other->Hide();
}

TEST_F(DockTest, ArrangementAndFormsComeBack) {
    TMemIniFile ini(dir.File("vr.ini"));
    ASSERT_TRUE(other->ManualDock(site));
    ASSERT_TRUE(tool->ManualDock(site, other, alBottom));
    other->Show();
    tool->Show();
    site->SetAutoSize(false);
    site->SetWidth(210);
    site->SetAutoSize(true);
    site->SetSize(210);
    const int otherHeight = other->Height();
    SaveDockSiteLayout(&ini, site);
    SaveFormState(&ini, tool);
    SaveFormState(&ini, other);
    // A fresh designer with its tool windows floating, as at the next start.
    SetUp();
    EXPECT_EQ(tool->HostDockSite(), nullptr);
    RestoreDockSiteLayout(&ini, site);
    RestoreFormState(&ini, tool);
    RestoreFormState(&ini, other);
    EXPECT_EQ(site->DockManager()->Controls(), (std::vector<TControl*>{other, tool}));
    EXPECT_EQ(site->Width(), 210);
    EXPECT_EQ(site->Size(), 210);
    EXPECT_TRUE(tool->Visible());
    EXPECT_EQ(other->Height(), otherHeight);
}

// The mend: "Data" that is not all hexadecimal, or no arrangement, leaves the docked controls
// as they are; the sizes apply all the same.
TEST_F(DockTest, BadDataLeavesTheDockedControlsAndSizesStillApply) {
    const String cases[] = {"", "0A1Bzz", "00112233445566", "4F444B31FFFFFFFF"};
    for (const String& data : cases) {
        ASSERT_TRUE(tool->ManualDock(site));
        ASSERT_TRUE(other->ManualDock(site, tool, alBottom));
        tool->Show();
        other->Show();
        TMemIniFile ini(dir.File("bad.ini"));
        ini.Clear();
        if (!data.empty()) ini.WriteString("Dock4.LeftDock", "Data", data);
        ini.WriteInteger("Dock4.LeftDock", "Width", 120);
        RestoreDockSiteLayout(&ini, site);
        EXPECT_EQ(site->DockManager()->Controls(), (std::vector<TControl*>{tool, other})) << data;
        EXPECT_TRUE(tool->Visible() && other->Visible()) << data;
        EXPECT_EQ(site->Width(), 120) << data;
        EXPECT_EQ(site->Size(), 100) << data;
        ASSERT_TRUE(tool->ManualFloat(Bounds(300, 200, 150, 200)));
        ASSERT_TRUE(other->ManualFloat(Bounds(300, 200, 170, 120)));
    }
}

TEST_F(DockTest, ToolBarsComeBackFloatingOrDocked) {
    TMemIniFile ini(dir.File("vr.ini"));
    auto* controlBar = new TControlBar(designer.get());
    controlBar->SetName("ControlBar1");
    controlBar->SetParent(designer.get());
    controlBar->SetAlign(alTop);
    auto* toolBar = new TToolBar(designer.get());
    toolBar->SetName("TBText");
    toolBar->SetBounds(0, 0, 140, 26);
    ASSERT_TRUE(toolBar->ManualDock(controlBar));
    ASSERT_TRUE(toolBar->ManualFloat(Bounds(250, 180, 140, 26)));
    SaveToolBarState(&ini, toolBar);
    EXPECT_TRUE(ini.ReadBool("ToolBar4.TBText", "Float", false));
    EXPECT_EQ(ini.ReadInteger("ToolBar4.TBText", "Left", 0), toolBar->FloatHost()->Left());
    ASSERT_TRUE(toolBar->ManualDock(controlBar));
    EXPECT_EQ(toolBar->FloatHost(), nullptr);
    RestoreToolBarState(&ini, toolBar);
    ASSERT_NE(toolBar->FloatHost(), nullptr);
    EXPECT_TRUE(toolBar->Floating());
    EXPECT_EQ(toolBar->FloatHost()->Left(), ini.ReadInteger("ToolBar4.TBText", "Left", 0));
    EXPECT_TRUE(toolBar->FloatHost()->Visible());

    // Docked in a control bar that no longer exists: stays where it is, with the saved bounds.
    ini.WriteBool("ToolBar4.TBText", "Float", false);
    ini.WriteString("ToolBar4.TBText", "Dock4", "GoneBar");
    ini.WriteInteger("ToolBar4.TBText", "Width", 90);
    ASSERT_TRUE(toolBar->ManualDock(controlBar));
    RestoreToolBarState(&ini, toolBar);
    EXPECT_EQ(toolBar->Parent(), controlBar);
    EXPECT_EQ(toolBar->Width(), 90);
    EXPECT_TRUE(toolBar->Visible());
}

// The mend: bounds that no monitor shows any more come back inside the nearest work area.
TEST_F(DockTest, BoundsOffEveryMonitorComeBackOnScreen) {
    TMemIniFile ini(dir.File("vr.ini"));
    const TRect area = WorkAreaNearestRect(Bounds(9000, 9000, 200, 150));
    ini.WriteInteger("Form4.TOtherToolForm", "Left", 9000);
    ini.WriteInteger("Form4.TOtherToolForm", "Top", 9000);
    ini.WriteInteger("Form4.TOtherToolForm", "Width", 200);
    ini.WriteInteger("Form4.TOtherToolForm", "Height", 150);
    ini.WriteBool("Form4.TOtherToolForm", "Visible", false);
    RestoreFormState(&ini, other);
    EXPECT_EQ(other->Left(), area.Right - 200);
    EXPECT_EQ(other->Top(), area.Bottom - 150);
    EXPECT_EQ(other->Width(), 200);

    auto* toolBar = new TToolBar(designer.get());
    toolBar->SetName("TBFar");
    toolBar->SetParent(designer.get());
    ini.WriteBool("ToolBar4.TBFar", "Float", true);
    ini.WriteInteger("ToolBar4.TBFar", "Left", -5000);
    ini.WriteInteger("ToolBar4.TBFar", "Top", 40);
    ini.WriteInteger("ToolBar4.TBFar", "Width", 100);
    ini.WriteInteger("ToolBar4.TBFar", "Height", 26);
    ini.WriteBool("ToolBar4.TBFar", "Visible", false);
    RestoreToolBarState(&ini, toolBar);
    ASSERT_NE(toolBar->FloatHost(), nullptr);
    const TRect nearest = WorkAreaNearestRect(Bounds(-5000, 40, 100, 26));
    EXPECT_EQ(toolBar->FloatHost()->Left(), nearest.Left);
    EXPECT_EQ(toolBar->FloatHost()->Top(), 40);
    // Bounds some monitor still shows stay as they were.
    EXPECT_EQ(RectOnSomeMonitor(Bounds(-20, 10, 100, 50)), Bounds(-20, 10, 100, 50));
}

} // namespace
