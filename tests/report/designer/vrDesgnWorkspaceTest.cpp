// The page workspace under the mouse: hit tests and hover, drags of every mode, selection,
// insertion and deletion, with the announcements they make.
#include "WorkspaceFixture.h"

#include "gui/ScreenStrokes.h"

#include <cmath>

namespace {

TShiftState Alt() { return TShiftState{ssAlt}; }
TShiftState Ctrl() { return TShiftState{ssCtrl}; }
TShiftState ShiftKey() { return TShiftState{ssShift}; }

// A control of a dialog page that holds other controls.
class TTestContainerControl : public TvrDialogControl {
public:
    using TvrDialogControl::TvrDialogControl;
    String ClassName() const override { return "TTestContainerControl"; }
    bool AcceptChild(TvrComponent* Obj) override { return dynamic_cast<TvrDialogControl*>(Obj) != nullptr; }
};

} // namespace

// --- hit tests and hover ------------------------------------------------------------------------

TEST_F(WorkspaceTest, HitTestsWidenThinObjectsBandsAndDiagonals) {
    auto* vertical = Add<TvrLineView>(Page, 100, 50, 0, 100);
    auto* flat = Add<TvrLineView>(Page, 300, 200, 100, 0);
    auto* diagonal = Add<TvrLineView>(Page, 0, 400, 100, 100);
    diagonal->Diagonal = true;
    auto* band = Add<TvrMasterData>(Page, 0, 600, 700, 40);
    Ws->FreeBands = true;
    struct Case {
        TvrComponent* Object;
        Extended X, Y;
        bool Hit;
    } cases[] = {
        {vertical, 96, 100, true},   {vertical, 104, 100, true},  {vertical, 95, 100, false},
        {vertical, 105, 100, false}, {flat, 350, 196, true},      {flat, 350, 195, false},
        {flat, 350, 204, true},      {diagonal, 50, 456, true},   {diagonal, 50, 458, false},
        {diagonal, 104, 504, true},  {diagonal, 106, 506, false}, {band, 10, 582, true},
        {band, 10, 581, false},      {band, 10, 640, true},       {band, 10, 641, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Ws->HitTest(c.Object, c.X, c.Y), c.Hit) << c.Object->ClassName() << " " << c.X << "," << c.Y;
    // The mouse finds them the same way.
    Click(96, 100);
    ASSERT_EQ(Selected.size(), 1u);
    EXPECT_EQ(Selected[0], vertical);
    Click(10, 582);
    EXPECT_EQ(Selected[0], band);
    Click(50, 456);
    EXPECT_EQ(Selected[0], diagonal);
    Click(50, 460);
    EXPECT_EQ(Selected[0], Page);
}

TEST_F(WorkspaceTest, HoverFindsHandlesByTheirNearRule) {
    auto* memo = Add<TvrMemoView>(Page, 100, 100, 50, 30);
    SelectOnly(memo);
    struct Case {
        int X, Y;
        Byte Handle;
        TCursor Cursor;
    } cases[] = {
        {98, 98, 1, crSizeNWSE},  {103, 103, 1, crSizeNWSE}, {97, 100, 0, crDefault},  {104, 100, 0, crDefault},
        {150, 130, 2, crSizeNWSE}, {150, 100, 3, crSizeNESW}, {100, 130, 4, crSizeNESW}, {150, 115, 5, crSizeWE},
        {100, 115, 6, crSizeWE},  {125, 100, 7, crSizeNS},   {125, 130, 8, crSizeNS},   {125, 115, 0, crDefault},
    };
    for (const Case& c : cases) {
        Move(c.X, c.Y);
        EXPECT_EQ(Ws->ResizeHandle, c.Handle) << c.X << "," << c.Y;
        EXPECT_EQ(Ws->Mode, c.Handle ? wmResize : wmNone) << c.X << "," << c.Y;
        EXPECT_EQ(Ws->Cursor(), c.Cursor) << c.X << "," << c.Y;
    }
}

TEST_F(WorkspaceTest, LinesOfferTheirOwnHandles) {
    auto* vertical = Add<TvrLineView>(Page, 100, 100, 0, 80);
    auto* flat = Add<TvrLineView>(Page, 300, 100, 80, 0);
    auto* diagonal = Add<TvrLineView>(Page, 500, 100, 80, 80);
    diagonal->Diagonal = true;
    struct Case {
        TvrComponent* Line;
        int X, Y;
        Byte Handle;
    } cases[] = {
        {vertical, 100, 100, 7}, {vertical, 100, 180, 8}, {vertical, 100, 140, 0}, {flat, 300, 100, 6},
        {flat, 380, 100, 5},     {flat, 340, 100, 0},     {diagonal, 500, 100, 9}, {diagonal, 580, 180, 10},
        {diagonal, 580, 100, 0},
    };
    for (const Case& c : cases) {
        SelectOnly(c.Line);
        Move(c.X, c.Y);
        EXPECT_EQ(Ws->ResizeHandle, c.Handle) << c.X << "," << c.Y;
    }
}

TEST_F(WorkspaceTest, BandEdgesAreFoundWithinTwoUnits) {
    auto* band = Add<TvrMasterData>(Page, 0, 100, 700, 40);
    Ws->FreeBands = true;
    struct Case {
        int Y;
        bool Edge;
    } cases[] = {{140, true}, {138, true}, {142, true}, {137, false}, {143, false}};
    for (const Case& c : cases) {
        Ws->SizedBand = nullptr;
        Move(300, c.Y);
        EXPECT_EQ(Ws->Mode == wmBandEdge, c.Edge) << c.Y;
        EXPECT_EQ(Ws->SizedBand == band, c.Edge) << c.Y;
        if (c.Edge) {
            EXPECT_EQ(Ws->Cursor(), crVSplit);
        }
    }
    // Dragging the edge makes the band taller and announces it once.
    Drag(300, 140, 300, 170);
    EXPECT_NEAR(band->Height(), 70, Eps);
    EXPECT_EQ(Modified, 1);
}

// --- drags ----------------------------------------------------------------------------------------

TEST_F(WorkspaceTest, SnappingSkipsSmallStepsAndAltReversesIt) {
    auto* memo = Add<TvrMemoView>(Page, 100, 100, 50, 30);
    Ws->GridAlign = true;
    Move(120, 110);
    Down(120, 110);
    Move(123, 110);
    EXPECT_NEAR(memo->Left(), 100, Eps) << "a step under one grid step is skipped";
    Move(128, 110);
    EXPECT_NEAR(memo->Left(), 100 + 2 * fr01cm, Eps);
    Up(128, 110);
    EXPECT_EQ(Modified, 1);
    // (Alt over a text object edits it in place, so a shape here.)
    auto* shape = Add<TvrShapeView>(Page, 100, 200, 50, 30);
    Move(120, 210, Alt());
    Down(120, 210, Alt());
    Move(128, 210, Alt());
    EXPECT_NEAR(shape->Left(), 108, Eps) << "Alt turns snapping off";
    Up(128, 210, Alt());
}

TEST_F(WorkspaceTest, ResizeByAHandleFlipsItPastTheOppositeCorner) {
    auto* memo = Add<TvrMemoView>(Page, 100, 100, 50, 30);
    SelectOnly(memo);
    Move(100, 100);
    ASSERT_EQ(Ws->ResizeHandle, 1);
    Down(100, 100);
    Move(170, 140);
    EXPECT_EQ(Ws->ResizeHandle, 2);
    Up(170, 140);
    EXPECT_NEAR(memo->Left(), 150, Eps);
    EXPECT_NEAR(memo->Top(), 130, Eps);
    EXPECT_NEAR(memo->Width(), 20, Eps);
    EXPECT_NEAR(memo->Height(), 10, Eps);
    EXPECT_EQ(Ws->Mode, wmNone);
}

TEST_F(WorkspaceTest, ADiagonalLineKeepsNegativeExtents) {
    auto* line = Add<TvrLineView>(Page, 100, 100, 100, 100);
    line->Diagonal = true;
    SelectOnly(line);
    Move(200, 200);
    ASSERT_EQ(Ws->ResizeHandle, 10);
    Down(200, 200);
    Move(50, 60);
    Up(50, 60);
    EXPECT_NEAR(line->Left(), 100, Eps);
    EXPECT_NEAR(line->Width(), -50, Eps);
    EXPECT_NEAR(line->Height(), -40, Eps);
}

TEST_F(WorkspaceTest, TheGroupHandleScalesTheSelection) {
    auto* a = Add<TvrMemoView>(Page, 0, 0, 100, 50);
    auto* b = Add<TvrMemoView>(Page, 100, 50, 100, 50);
    Selected = {a, b};
    EXPECT_EQ(Ws->GetGroupHandleObject(), b);
    Move(200, 100);
    ASSERT_EQ(Ws->Mode, wmGroupResize);
    Down(200, 100);
    Move(300, 150);
    EXPECT_NEAR(LastInfo.Right, 1.5, Eps) << "the status shows the factors";
    Up(300, 150);
    const Extended want[2][4] = {{0, 0, 150, 75}, {150, 75, 150, 75}};
    TvrComponent* objects[] = {a, b};
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(objects[i]->Left(), want[i][0], Eps);
        EXPECT_NEAR(objects[i]->Top(), want[i][1], Eps);
        EXPECT_NEAR(objects[i]->Width(), want[i][2], Eps);
        EXPECT_NEAR(objects[i]->Height(), want[i][3], Eps);
    }
}

TEST_F(WorkspaceTest, AGroupWithoutWidthKeepsThatAxis) {
    auto* a = Add<TvrLineView>(Page, 100, 0, 0, 50);
    auto* b = Add<TvrLineView>(Page, 100, 100, 0, 100);
    Selected = {a, b};
    Move(100, 200);
    ASSERT_EQ(Ws->Mode, wmGroupResize);
    Down(100, 200);
    Move(120, 400);
    Up(120, 400);
    EXPECT_NEAR(a->Left(), 100, Eps);
    EXPECT_NEAR(b->Left(), 100, Eps);
    EXPECT_NEAR(a->Width(), 0, Eps);
    EXPECT_FALSE(std::isnan(b->Width()));
    EXPECT_NEAR(b->Top(), 200, Eps);
    EXPECT_NEAR(b->Height(), 200, Eps);
}

TEST_F(WorkspaceTest, AnInheritedViewStaysInsideItsBandVertically) {
    Ws->FreeBands = true;
    auto* band = Add<TvrMasterData>(Page, 0, 100, 700, 60);
    auto* memo = Add<TvrMemoView>(band, 10, 10, 50, 20);
    memo->FromAncestor = true;
    Reload();
    Drag(20, 115, 20, 185);
    EXPECT_NEAR(memo->Top(), 10, Eps) << "a move out of the band is refused";
    Drag(20, 115, 60, 125);
    EXPECT_NEAR(memo->Top(), 20, Eps);
    EXPECT_NEAR(memo->Left(), 50, Eps);
}

// --- selection ------------------------------------------------------------------------------------

TEST_F(WorkspaceTest, ShiftClickTogglesAndAnEmptySelectionIsThePage) {
    auto* a = Add<TvrMemoView>(Page, 100, 100, 50, 30);
    auto* b = Add<TvrMemoView>(Page, 300, 100, 50, 30);
    Click(120, 110);
    EXPECT_EQ(Selected, TvrObjectList{a});
    Click(320, 110, ShiftKey());
    EXPECT_EQ(Selected, (TvrObjectList{a, b}));
    Click(320, 110, ShiftKey());
    Click(120, 110, ShiftKey());
    EXPECT_EQ(Selected, TvrObjectList{Page});
    EXPECT_EQ(Ws->SelectedCount(), 0);
}

TEST_F(WorkspaceTest, CtrlDragRubberBandsOverObjectsAndEdgesTouch) {
    auto* a = Add<TvrMemoView>(Page, 100, 100, 50, 30);
    auto* b = Add<TvrMemoView>(Page, 200, 100, 50, 30);
    auto* c = Add<TvrMemoView>(Page, 400, 100, 50, 30);
    Move(120, 110, Ctrl());
    Down(120, 110, Ctrl());
    EXPECT_EQ(Ws->Mode, wmRubberBand) << "Ctrl on an object starts a rubber band";
    Move(200, 300, Ctrl());
    EXPECT_EQ(XorStrokes(Ws).size(), 4u) << "the band is drawn in exclusive-or mode";
    EXPECT_NEAR(a->Left(), 100, Eps) << "nothing moves";
    Up(200, 300, Ctrl());
    EXPECT_TRUE(XorStrokes(Ws).empty());
    EXPECT_EQ(Selected, (TvrObjectList{a, b})) << "b is touched at its left edge only";
    (void)c;
    // A band from empty paper selects what it touches.
    Drag(390, 90, 460, 95);
    EXPECT_EQ(Selected, TvrObjectList{Page});
    Drag(390, 90, 460, 100);
    EXPECT_EQ(Selected, TvrObjectList{c});
}

TEST_F(WorkspaceTest, RubberBandPicksAContainersChildrenAndCrossedDiagonals) {
    auto* box = Add<TvrMemoView>(Page, 100, 100, 200, 200);
    box->Flags = TvrObjectFlags{ofContainer};
    auto* inner = Add<TvrMemoView>(box, 10, 10, 40, 20);
    auto* diagonal = Add<TvrLineView>(Page, 400, 100, 100, 100);
    diagonal->Diagonal = true;
    Reload();
    Drag(90, 90, 130, 130);
    EXPECT_EQ(Selected, TvrObjectList{inner});
    // The band's corner lies in the diagonal's rectangle but off the line: not selected.
    Drag(480, 90, 510, 110);
    EXPECT_EQ(Selected, TvrObjectList{Page});
    Drag(430, 90, 460, 140);
    EXPECT_EQ(Selected, TvrObjectList{diagonal});
}

TEST_F(WorkspaceTest, GroupedObjectsAreSelectedTogether) {
    auto* a = Add<TvrMemoView>(Page, 100, 100, 50, 30);
    auto* b = Add<TvrMemoView>(Page, 300, 100, 50, 30);
    Add<TvrMemoView>(Page, 500, 100, 50, 30);
    Selected = {a, b};
    Ws->GroupSelection();
    EXPECT_EQ(a->GroupIndex, 1);
    SelectOnly(Page);
    Click(120, 110);
    EXPECT_EQ(Selected, (TvrObjectList{a, b}));
    EXPECT_EQ(SelectionChanges, 1);
}

// --- insertion ------------------------------------------------------------------------------------

TEST_F(WorkspaceTest, InsertionTakesTheDefaultSizeForAClickOrASmallDrag) {
    struct Case {
        int DragX, DragY;
        Extended Width, Height;
    } cases[] = {{0, 0, 94.48825, 18.89765}, {3, 0, 94.48825, 18.89765}, {10, 0, 10, 0},
                 {40, 2, 94.48825, 18.89765}, {-40, -30, 40, 30}};
    for (const Case& c : cases) {
        Ws->SetInsertion(&TvrMemoView::StaticClassInfo(), 94.48825, 18.89765, 0);
        EXPECT_EQ(Ws->Mode, wmInsert);
        EXPECT_EQ(Ws->Cursor(), crCross);
        Inserts = 0;
        Drag(200, 300, 200 + c.DragX, 300 + c.DragY);
        EXPECT_EQ(Inserts, 1);
        const Extended left = c.DragX < 0 ? 200 + c.DragX : 200, top = c.DragY < 0 ? 300 + c.DragY : 300;
        EXPECT_NEAR(Ws->Insertion.Left, left, Eps) << c.DragX;
        EXPECT_NEAR(Ws->Insertion.Top, top, Eps) << c.DragX;
        EXPECT_NEAR(Ws->Insertion.Width, c.Width, Eps) << c.DragX;
        EXPECT_NEAR(Ws->Insertion.Height, c.Height, Eps) << c.DragX;
        EXPECT_EQ(Ws->Mode, wmInsert) << "the palette's insertion stays armed";
    }
    Ws->SetInsertion(nullptr, 0, 0, 0);
    EXPECT_EQ(Ws->Mode, wmNone);
    EXPECT_EQ(Ws->InsertionState, 0);
}

TEST_F(WorkspaceTest, InsertionSnapsToTheGrid) {
    Ws->GridAlign = true;
    Ws->SetInsertion(&TvrMemoView::StaticClassInfo(), 94.48825, 18.89765, 0);
    Move(201, 301);
    const Extended left = Ws->Insertion.Left / fr01cm, top = Ws->Insertion.Top / fr01cm;
    EXPECT_NEAR(left, std::round(left), 1e-6) << "a whole number of grid steps";
    EXPECT_NEAR(top, std::round(top), 1e-6);
    EXPECT_LE(std::fabs(Ws->Insertion.Left - 201), fr01cm);
    // Leaving parks the outline out of sight again.
    SimulateMouseLeave(Ws);
    EXPECT_LT(Ws->Insertion.Left, -1000);
}

TEST_F(WorkspaceTest, LinesAreDrawnFromTheirStartPoint) {
    Ws->SetInsertion(&TvrLineView::StaticClassInfo(), 0, 0, 0);
    EXPECT_EQ(Ws->Mode, wmInsertLine);
    EXPECT_EQ(Ws->Cursor(), crPencil);
    EXPECT_NEAR(Ws->Insertion.Left, -fr01cm, Eps);
    Move(100, 100);
    EXPECT_EQ(XorStrokes(Ws).size(), 2u) << "the cross-hair";
    Down(100, 100);
    Move(40, 110);
    EXPECT_EQ(XorStrokes(Ws).size(), 3u) << "the cross-hair and the line";
    Up(40, 110);
    EXPECT_TRUE(XorStrokes(Ws).empty());
    EXPECT_NEAR(Ws->Insertion.Left, 40, Eps);
    EXPECT_NEAR(Ws->Insertion.Width, 60, Eps);
    EXPECT_EQ(Inserts, 1);
    // A diagonal keeps the direction it was drawn in.
    Ws->SetInsertion(&TvrLineView::StaticClassInfo(), 0, 0, 1);
    Drag(100, 100, 40, 160);
    EXPECT_NEAR(Ws->Insertion.Left, 100, Eps);
    EXPECT_NEAR(Ws->Insertion.Width, -60, Eps);
    EXPECT_NEAR(Ws->Insertion.Height, 60, Eps);
}

// --- deletion -------------------------------------------------------------------------------------

TEST_F(WorkspaceTest, DeletingAContainerLeavesNothingOfItInEitherList) {
    auto* page = new TvrDialogPage(Report.get());
    UsePage(page);
    auto* groupBox = Add<TTestContainerControl>(page, 10, 10, 300, 200);
    auto* panel = Add<TTestContainerControl>(groupBox, 10, 20, 200, 100);
    auto* button = Add<TTestContainerControl>(panel, 10, 10, 60, 24);
    Reload();
    Ws->AdjustBands(true);
    EXPECT_EQ(button->Parent(), panel);
    Selected = {groupBox, button, panel};
    Ws->DeleteSelected();
    EXPECT_EQ(Objects, (TvrObjectList{Report.get(), Page}));
    EXPECT_EQ(Selected, TvrObjectList{Page});
    EXPECT_EQ(Modified, 1);
    EXPECT_TRUE(Page->Children().empty());
}

TEST_F(WorkspaceTest, DeleteKeepsObjectsThatMayNotBeDeleted) {
    auto* kept = Add<TvrMemoView>(Page, 100, 100, 50, 30);
    auto* gone = Add<TvrMemoView>(Page, 300, 100, 50, 30);
    kept->Restrictions = TvrRestrictions{rfDontDelete};
    Selected = {kept, gone};
    Key(VK_DELETE);
    EXPECT_EQ(Selected, TvrObjectList{kept});
    EXPECT_EQ(Page->Children(), std::vector<TvrComponent*>{kept});
    Selected = {kept};
    Key(VK_DELETE);
    EXPECT_EQ(Page->Children().size(), 1u);
}

// The designer learns of what an interrupted deletion did before the error reaches it.
TEST_F(WorkspaceTest, AnAncestorObjectStopsTheDeletionAfterAnnouncingWhatWent) {
    auto* first = Add<TvrMemoView>(Page, 100, 100, 50, 30);
    first->SetName("Memo1");
    auto* inherited = Add<TvrMemoView>(Page, 300, 100, 50, 30);
    inherited->SetName("Memo2");
    inherited->FromAncestor = true;
    auto* last = Add<TvrMemoView>(Page, 500, 100, 50, 30);
    Selected = {first, inherited, last};
    try {
        Ws->DeleteSelected();
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Could not delete Memo2, it was introduced in the ancestor report");
    }
    EXPECT_EQ(Modified, 1);
    EXPECT_EQ(SelectionChanges, 1);
    EXPECT_EQ(Selected, (TvrObjectList{inherited, last}));
    EXPECT_EQ(std::count(Objects.begin(), Objects.end(), first), 0);
    EXPECT_EQ(Page->Children().size(), 2u);
}

// No click after a deletion reaches an object the deletion freed.
TEST_F(WorkspaceTest, DeletionDropsTheReferencesOfTheInteraction) {
    Ws->FreeBands = true;
    auto* band = Add<TvrMasterData>(Page, 0, 100, 700, 40);
    auto* memo = Add<TvrMemoView>(band, 10, 5, 50, 20);
    Reload();
    Move(300, 140);
    ASSERT_EQ(Ws->SizedBand, band);
    Move(20, 110, Alt());
    ASSERT_EQ(Ws->MemoUnderMouse, memo);
    Move(300, 140);
    Selected = {band};
    Ws->DeleteSelected();
    EXPECT_EQ(Ws->SizedBand, nullptr);
    EXPECT_EQ(Ws->MemoUnderMouse, nullptr);
    EXPECT_EQ(Ws->Mode, wmNone);
    Down(300, 140);
    Move(300, 160);
    Up(300, 160);
    EXPECT_EQ(Selected, TvrObjectList{Page});
}

TEST_F(WorkspaceTest, EnterAndDoubleClickAskToEditOneEntry) {
    auto* a = Add<TvrMemoView>(Page, 100, 100, 50, 30);
    auto* b = Add<TvrMemoView>(Page, 300, 100, 50, 30);
    Selected = {a, b};
    Key(VK_RETURN);
    EXPECT_EQ(Edits, 0);
    Selected = {a};
    Key(VK_RETURN);
    EXPECT_EQ(Edits, 1);
    SimulateDblClick(Ws, 700, 700);
    EXPECT_EQ(Edits, 2) << "a double click on paper edits the page";
    EXPECT_EQ(Selected, TvrObjectList{Page});
}

// The designer's lock comes before it empties the lists and frees the page's objects (undo,
// redo, another page): no editor or hover may still point at one afterwards, and a press cut
// short by the lock leaves the workspace listening.
TEST_F(WorkspaceTest, LockingDropsEveryReferenceToThePagesObjects) {
    Ws->FreeBands = true;
    auto* band = Add<TvrMasterData>(Page, 0, 100, 700, 40);
    auto* memo = Add<TvrMemoView>(band, 10, 5, 50, 20);
    memo->SetText(u"old");
    Reload();
    Move(300, 140);
    ASSERT_EQ(Ws->SizedBand, band);
    Move(20, 110, Alt());
    ASSERT_EQ(Ws->MemoUnderMouse, memo);
    Ws->OpenInplaceEditor(memo);
    SimulateTyping(Ws->InplaceMemo, "new");

    Ws->Lock();
    EXPECT_FALSE(Ws->InplaceMemo->IsOpen());
    EXPECT_EQ(memo->Text(), u"old\r\n") << "typing is dropped as by Escape";
    EXPECT_EQ(Ws->SizedBand, nullptr);
    EXPECT_EQ(Ws->MemoUnderMouse, nullptr);
    EXPECT_EQ(Ws->Mode, wmNone);
    EXPECT_EQ(Modified, 0);

    // The designer frees the page's objects and refills the lists.
    Objects.clear();
    Selected.clear();
    delete band;
    Reload();
    Selected = {Page};
    Ws->Unlock();
    Click(300, 140);
    EXPECT_EQ(Selected, TvrObjectList{Page});

    // A press, the lock, its release while locked: the next click is heard.
    auto* other = Add<TvrMemoView>(Page, 100, 300, 50, 30);
    Down(400, 400);
    Ws->Lock();
    Up(400, 400);
    Ws->Unlock();
    Click(110, 310);
    EXPECT_EQ(Selected, TvrObjectList{other});
}
