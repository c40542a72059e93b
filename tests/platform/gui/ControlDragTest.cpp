// Dragging a control: a drag that waits for the pointer to pass the threshold, one that starts at
// once, the automatic drag mode that starts one on every left press, and the end on release.
#include "gui/ControlDrag.h"
#include "gui/Forms.h"
#include "gui/InputSimulation.h"

#include <gtest/gtest.h>

namespace {

class TDragProbe : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Presses = 0;
    int Releases = 0;
    // Begins a drag on every left press (as a control with its own drag rule does).
    bool DragOnPress = false;
    bool Immediate = false;
    int Threshold = -1;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
        ++Presses;
        if (DragOnPress && Button == mbLeft) BeginDrag(Immediate, Threshold);
        TCustomControl::MouseDown(Button, Shift, X, Y);
    }
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override {
        ++Releases;
        TCustomControl::MouseUp(Button, Shift, X, Y);
    }
};

class ControlDragTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.SetBounds(0, 0, 300, 200);
        probe = new TDragProbe(&form);
        probe->SetParent(&form);
        probe->SetBounds(0, 0, 200, 150);
        probe->OnStartDrag = [this](TObject*) { ++starts; };
        probe->OnEndDrag = [this](TObject*, TObject* Target, int X, int Y) {
            ++ends;
            endTarget = Target;
            endPoint = TPoint(X, Y);
        };
        form.Show();
    }
    TForm form{nullptr};
    TDragProbe* probe = nullptr;
    int starts = 0, ends = 0;
    TObject* endTarget = nullptr;
    TPoint endPoint;
};

} // namespace

TEST_F(ControlDragTest, AWaitingDragStartsOncePastTheThreshold) {
    struct Case {
        int Threshold, Dx, Dy;
        bool Started;
    };
    const Case cases[] = {
        {5, 4, 0, false}, {5, 5, 0, true}, {5, 0, -5, true},
        {5, 3, 4, false}, {0, 0, 0, true}, {-1, 4, 0, false}, // the mouse's threshold, 5
    };
    probe->DragOnPress = true;
    for (const Case& c : cases) {
        starts = ends = 0;
        probe->Threshold = c.Threshold;
        SimulateMouseDown(probe, mbLeft, 50, 50);
        EXPECT_FALSE(probe->Dragging());
        SimulateMouseMove(probe, 50 + c.Dx, 50 + c.Dy, TShiftState{ssLeft});
        EXPECT_EQ(probe->Dragging(), c.Started) << c.Threshold << " " << c.Dx << "," << c.Dy;
        EXPECT_EQ(starts, c.Started ? 1 : 0);
        SimulateMouseUp(probe, mbLeft, 50 + c.Dx, 50 + c.Dy);
        EXPECT_FALSE(probe->Dragging());
        EXPECT_EQ(ends, c.Started ? 1 : 0);
    }
}

TEST_F(ControlDragTest, AStartedDragTakesTheReleaseAndEndsOverTheTarget) {
    probe->DragOnPress = true;
    probe->Immediate = true;
    SimulateMouseDown(probe, mbLeft, 20, 30);
    EXPECT_TRUE(probe->Dragging());
    EXPECT_EQ(starts, 1);
    probe->Releases = 0;
    SimulateMouseUp(probe, mbLeft, 40, 60);
    EXPECT_EQ(probe->Releases, 0); // the drag ended instead of a release of the control
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(endTarget, probe);
    EXPECT_EQ(endPoint, TPoint(40, 60));
    // A drag that never passed its threshold leaves the release to the control.
    probe->Immediate = false;
    probe->Threshold = 50;
    SimulateMouseDown(probe, mbLeft, 20, 30);
    SimulateMouseUp(probe, mbLeft, 22, 30);
    EXPECT_EQ(probe->Releases, 1);
    EXPECT_EQ(ends, 1);
}

TEST_F(ControlDragTest, AutomaticModeStartsADragInsteadOfThePress) {
    probe->SetDragMode(dmAutomatic);
    Mouse()->SetDragImmediate(false);
    SimulateMouseDown(probe, mbLeft, 10, 10);
    EXPECT_EQ(probe->Presses, 0);
    SimulateMouseMove(probe, 10, 10 + Mouse()->DragThreshold(), TShiftState{ssLeft});
    EXPECT_TRUE(probe->Dragging());
    SimulateMouseUp(probe, mbLeft, 10, 20);
    Mouse()->SetDragImmediate(true);
    // The right button still reaches the control.
    SimulateMouseDown(probe, mbRight, 10, 10);
    SimulateMouseUp(probe, mbRight, 10, 10);
    EXPECT_EQ(probe->Presses, 1);
    EXPECT_EQ(starts, 1);
}

TEST_F(ControlDragTest, AFreedControlLeavesNoDragBehind) {
    probe->DragOnPress = true;
    probe->Immediate = true;
    SimulateMouseDown(probe, mbLeft, 10, 10);
    delete probe;
    auto* other = new TDragProbe(&form);
    other->SetParent(&form);
    other->SetBounds(0, 0, 100, 100);
    other->DragOnPress = true;
    other->Immediate = true;
    SimulateMouseDown(other, mbLeft, 10, 10);
    EXPECT_TRUE(other->Dragging());
    SimulateMouseUp(other, mbLeft, 10, 10);
}

TEST_F(ControlDragTest, TheControlUnderTheDragDecidesAndTakesTheDrop) {
    auto* target = new TPanel(&form);
    target->SetParent(&form);
    target->SetBounds(210, 0, 90, 150);
    std::vector<TDragState> states;
    bool accept = false;
    TObject* dropped = nullptr;
    TPoint dropPoint;
    target->OnDragOver = [&](TObject*, TObject* source, int, int, TDragState state, bool& accepted) {
        EXPECT_EQ(source, probe);
        states.push_back(state);
        accepted = accept;
    };
    target->OnDragDrop = [&](TObject*, TObject* source, int x, int y) {
        dropped = source;
        dropPoint = TPoint(x, y);
    };
    probe->DragOnPress = true;
    probe->Immediate = true;
    for (bool accepting : {false, true}) {
        SCOPED_TRACE(accepting);
        accept = accepting;
        states.clear();
        dropped = nullptr;
        SimulateMouseDown(probe, mbLeft, 50, 50);
        SimulateMouseMove(probe, 100, 50, TShiftState{ssLeft});
        EXPECT_EQ(DragCursor(), crNoDrop) << "nothing takes it over the source";
        SimulateMouseMove(probe, 230, 60, TShiftState{ssLeft});
        SimulateMouseMove(probe, 240, 70, TShiftState{ssLeft});
        EXPECT_EQ(DragCursor(), accepting ? crDrag : crNoDrop);
        SimulateMouseUp(probe, mbLeft, 240, 70);
        EXPECT_EQ(DragCursor(), crDefault);
        ASSERT_GE(states.size(), 2u);
        EXPECT_EQ(states[0], dsDragEnter);
        EXPECT_EQ(states[1], dsDragMove);
        EXPECT_EQ(dropped, accepting ? probe : nullptr);
        EXPECT_EQ(endTarget, target) << "the drag ends over it either way";
        if (accepting) {
            EXPECT_EQ(dropPoint, TPoint(30, 70));
        }
    }
}
