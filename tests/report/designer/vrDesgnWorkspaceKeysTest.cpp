// The workspace from the keyboard: moving, sizing, pushing against the neighbour, selecting the
// nearest object, walking a band, and one announcement per key.
#include "WorkspaceFixture.h"

TEST_F(WorkspaceTest, CtrlArrowsMoveByAUnitOrAGridStep) {
    auto* memo = Add<TvrMemoView>(Page, 100, 100, 50, 30);
    SelectOnly(memo);
    struct Case {
        Word Key;
        TShiftState Shift;
        Extended Dx, Dy;
    } cases[] = {
        {VK_RIGHT, Keys({ssCtrl}), 1, 0},
        {VK_RIGHT, Keys({ssCtrl, ssShift}), fr01cm, 0},
        {VK_UP, Keys({ssCtrl}), 0, -1},
        {VK_DOWN, Keys({ssCtrl, ssShift}), 0, fr01cm},
    };
    for (const Case& c : cases) {
        const Extended l = memo->Left(), t = memo->Top();
        Key(c.Key, c.Shift);
        EXPECT_NEAR(memo->Left() - l, c.Dx, Eps);
        EXPECT_NEAR(memo->Top() - t, c.Dy, Eps);
    }
    EXPECT_EQ(Modified, 4);
}

TEST_F(WorkspaceTest, OnACharacterPageCtrlArrowsMoveByACell) {
    delete Page;
    UsePage(new TvrDMPPage(Report.get()));
    Ws->GridType = 4;
    Ws->GridX = fr1CharX;
    Ws->GridY = fr1CharY;
    auto* memo = Add<TvrDMPMemoView>(Page, 96, 170, 96, 17);
    SelectOnly(memo);
    Key(VK_RIGHT, Keys({ssCtrl}));
    EXPECT_NEAR(memo->Left(), 96 + 9.6, Eps);
    Key(VK_RIGHT, Keys({ssCtrl, ssShift}));
    EXPECT_NEAR(memo->Left(), 96 + 19.2, Eps);
}

TEST_F(WorkspaceTest, ShiftArrowsSizeButNeverBelowZero) {
    auto* memo = Add<TvrMemoView>(Page, 100, 100, fr01cm, 30);
    SelectOnly(memo);
    Key(VK_LEFT, Keys({ssShift}));
    EXPECT_NEAR(memo->Width(), 0, Eps);
    Key(VK_LEFT, Keys({ssShift}));
    EXPECT_NEAR(memo->Width(), 0, Eps);
    Key(VK_DOWN, Keys({ssShift}));
    EXPECT_NEAR(memo->Height(), 30 + fr01cm, Eps);
}

TEST_F(WorkspaceTest, ArrowsSelectTheNearestObject) {
    auto* s = Add<TvrMemoView>(Page, 100, 100, 50, 30);
    auto* lane = Add<TvrMemoView>(Page, 400, 110, 50, 30);
    // Above and to the right, out of the lane: a horizontal gap of 10, a vertical one of 20.
    auto* aboveRight = Add<TvrMemoView>(Page, 160, 50, 30, 30);
    SelectOnly(s);
    Key(VK_RIGHT);
    EXPECT_EQ(Selected, TvrObjectList{lane}) << "the lane neighbour wins while gx < gy";
    // With the gap the other way round the object competes, with a weighted distance that
    // normally puts it behind the lane.
    aboveRight->SetBounds(200, 60, 30, 30);
    SelectOnly(s);
    Key(VK_RIGHT);
    EXPECT_EQ(Selected, TvrObjectList{lane});
    delete lane;
    Reload();
    SelectOnly(s);
    Key(VK_RIGHT);
    EXPECT_EQ(Selected, TvrObjectList{aboveRight});
    aboveRight->SetBounds(160, 50, 30, 30);
    SelectOnly(s);
    Key(VK_RIGHT);
    EXPECT_EQ(Selected, TvrObjectList{s}) << "gx < gy: out of the race";
    Key(VK_UP);
    EXPECT_EQ(Selected, TvrObjectList{aboveRight}) << "upwards it competes";
}

TEST_F(WorkspaceTest, AltArrowsPushAgainstTheNeighbourLeavingACellBetweenFramedCharacterTexts) {
    auto* top = Add<TvrMemoView>(Page, 100, 100, 50, 30);
    auto* below = Add<TvrMemoView>(Page, 100, 300, 50, 30);
    SelectOnly(top);
    Key(VK_DOWN, Keys({ssAlt}));
    EXPECT_NEAR(top->Top(), 270, Eps);
    (void)below;
    delete Page;
    UsePage(new TvrDMPPage(Report.get()));
    auto* a = Add<TvrDMPMemoView>(Page, 96, 170, 96, 17);
    auto* b = Add<TvrDMPMemoView>(Page, 96, 340, 96, 17);
    b->Frame()->Typ = TvrFrameTypes{ftTop};
    SelectOnly(a);
    Key(VK_DOWN, Keys({ssAlt}));
    EXPECT_NEAR(a->Top(), 340 - 17 - 17, Eps);
}

TEST_F(WorkspaceTest, TabWalksTheChildrenOfABand) {
    Ws->FreeBands = true;
    auto* band = Add<TvrMasterData>(Page, 0, 100, 700, 40);
    auto* first = Add<TvrMemoView>(band, 10, 5, 40, 10);
    auto* second = Add<TvrMemoView>(band, 100, 5, 40, 10);
    Reload();
    SelectOnly(band);
    Key(VK_TAB);
    EXPECT_EQ(Selected, TvrObjectList{first});
    Key(VK_TAB);
    EXPECT_EQ(Selected, TvrObjectList{second});
    Key(VK_TAB);
    EXPECT_EQ(Selected, TvrObjectList{first}) << "after the last the first";
}

TEST_F(WorkspaceTest, AHeldKeyIsAnnouncedOnceAtRelease) {
    auto* memo = Add<TvrMemoView>(Page, 100, 100, 50, 30);
    SelectOnly(memo);
    for (int i = 0; i < 5; ++i) SimulateKeyDown(Ws, VK_RIGHT, Keys({ssCtrl}));
    EXPECT_EQ(Modified, 0);
    SimulateKeyUp(Ws, VK_RIGHT, Keys({ssCtrl}));
    EXPECT_EQ(Modified, 1);
    EXPECT_NEAR(memo->Left(), 105, Eps);
    EXPECT_NEAR(LastInfo.Left, 105, Eps) << "the status follows";
}
