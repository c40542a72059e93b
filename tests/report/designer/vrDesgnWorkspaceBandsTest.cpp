// Band layout in the workspace: stacking order and positions, child chains, views attached to
// the band that holds them, bands grown for their children and dragged alone.
#include "WorkspaceFixture.h"

#include "report/vrClassDialogPage.h"

namespace {

// The bands' names from the top of the page down.
std::vector<String> NamesOfBands(const TvrObjectList& objects) {
    std::vector<TvrComponent*> bands;
    for (TvrComponent* o : objects)
        if (dynamic_cast<TvrBand*>(o)) bands.push_back(o);
    std::stable_sort(bands.begin(), bands.end(), [](TvrComponent* a, TvrComponent* b) { return a->Top() < b->Top(); });
    std::vector<String> names;
    for (TvrComponent* o : bands) names.push_back(o->Name());
    return names;
}

// A control of a dialog page that holds other controls.
class TBoxControl : public TvrDialogControl {
public:
    using TvrDialogControl::TvrDialogControl;
    String ClassName() const override { return "TBoxControl"; }
    bool AcceptChild(TvrComponent* Obj) override { return dynamic_cast<TvrDialogControl*>(Obj) != nullptr; }
};

} // namespace

TEST_F(WorkspaceTest, BandsStackInTheOrderOfTheirKinds) {
    struct Case {
        bool TitleBeforeHeader;
        std::vector<String> Order;
    } cases[] = {{false, {"PageHeader1", "ReportTitle1", "MasterData1", "PageFooter1"}},
                 {true, {"ReportTitle1", "PageHeader1", "MasterData1", "PageFooter1"}}};
    for (const Case& c : cases) {
        delete Page;
        UsePage(new TvrReportPage(Report.get()));
        static_cast<TvrReportPage*>(Page)->TitleBeforeHeader = c.TitleBeforeHeader;
        // Created in a jumbled order at jumbled places.
        Add<TvrPageFooter>(Page, 0, 10, 700, 30)->SetName("PageFooter1");
        Add<TvrMasterData>(Page, 0, 5, 700, 30)->SetName("MasterData1");
        Add<TvrReportTitle>(Page, 0, 500, 700, 30)->SetName("ReportTitle1");
        Add<TvrPageHeader>(Page, 0, 900, 700, 30)->SetName("PageHeader1");
        Ws->AdjustBands(true);
        EXPECT_EQ(NamesOfBands(Objects), c.Order) << c.TitleBeforeHeader;
    }
}

TEST_F(WorkspaceTest, StackedBandsSitOnTheGridWithAGapBetweenGroups) {
    auto* header = Add<TvrPageHeader>(Page, 0, 0, 700, 40);
    auto* data = Add<TvrMasterData>(Page, 0, 100, 700, 30);
    auto* detail = Add<TvrDetailData>(Page, 0, 200, 700, 30);
    Ws->AdjustBands(true);
    EXPECT_NEAR(header->Top(), 18.89765, Eps);
    EXPECT_NEAR(data->Top(), 120.94496, Eps) << "22 grid steps, then a centimetre between the groups";
    // A second band of the middle group follows without that gap.
    const Extended want = std::nearbyint((data->Top() + 30 + 18.89765 + 4) / fr01cm) * fr01cm;
    EXPECT_NEAR(detail->Top(), vrRound8(want), Eps);
}

TEST_F(WorkspaceTest, ChildBandsFollowTheirMaster) {
    auto* grandChild = Add<TvrChild>(Page, 0, 10, 700, 20);
    auto* master = Add<TvrMasterData>(Page, 0, 300, 700, 20);
    auto* other = Add<TvrDetailData>(Page, 0, 400, 700, 20);
    auto* child = Add<TvrChild>(Page, 0, 900, 700, 20);
    master->SetChild(child);
    child->SetChild(grandChild);
    master->SetName("Master");
    child->SetName("Child");
    grandChild->SetName("GrandChild");
    other->SetName("Other");
    Ws->AdjustBands(true);
    EXPECT_EQ(NamesOfBands(Objects), (std::vector<String>{"Master", "Child", "GrandChild", "Other"}));
}

// Keys are numbers rounded to hundredths, so bands far down the page keep their order.
TEST_F(WorkspaceTest, BandsFarDownThePageKeepTheirOrder) {
    Ws->FreeBands = true;
    auto* a = Add<TvrMasterData>(Page, 0, 1500000, 700, 20);
    auto* b = Add<TvrDetailData>(Page, 0, 999999.5, 700, 20);
    auto* c = Add<TvrDetailData>(Page, 0, 20000000, 700, 20);
    a->SetName("A");
    b->SetName("B");
    c->SetName("C");
    Ws->FreeBands = false;
    Ws->AdjustBands(true);
    EXPECT_EQ(NamesOfBands(Objects), (std::vector<String>{"B", "A", "C"}));
    EXPECT_NEAR(b->Top(), 18.89765, Eps);
}

TEST_F(WorkspaceTest, ViewsGoToTheBandThatHoldsThem) {
    Ws->FreeBands = true;
    auto* first = Add<TvrMasterData>(Page, 0, 100, 700, 50);
    auto* second = Add<TvrDetailData>(Page, 0, 130, 700, 50);
    auto* inOverlap = Add<TvrMemoView>(Page, 10, 140, 40, 10);
    auto* justAbove = Add<TvrMemoView>(Page, 10, 100 - 0.00005, 40, 10);
    auto* outside = Add<TvrMemoView>(Page, 10, 400, 40, 10);
    Ws->AdjustBands(true);
    EXPECT_EQ(inOverlap->Parent(), second) << "the later band takes it";
    EXPECT_NEAR(inOverlap->Top(), 10, Eps);
    EXPECT_EQ(justAbove->Parent(), first);
    EXPECT_EQ(outside->Parent(), Page);
    EXPECT_NEAR(first->Top(), 100, Eps) << "free bands stay where they are";
    // Bands come first in the list, the order of drawing.
    EXPECT_TRUE(dynamic_cast<TvrBand*>(Objects[0]) && dynamic_cast<TvrBand*>(Objects[1]));
}

TEST_F(WorkspaceTest, ABandGrowsForItsChildren) {
    Ws->FreeBands = true;
    auto* band = Add<TvrMasterData>(Page, 0, 100, 700, 20);
    auto* low = Add<TvrMemoView>(band, 10, 10, 40, 30);
    auto* high = Add<TvrMemoView>(band, 60, -5, 40, 10);
    Ws->FitBandToChildren(band);
    EXPECT_NEAR(band->Height(), 45, Eps);
    EXPECT_NEAR(high->Top(), 0, Eps);
    EXPECT_NEAR(low->Top(), 15, Eps);
    // Resized by its edge, it does not get smaller than its children.
    Reload();
    Drag(300, 145, 300, 115);
    EXPECT_NEAR(band->Height(), 45, Eps);
}

TEST_F(WorkspaceTest, ABandDraggedWithAltLeavesItsObjects) {
    Ws->FreeBands = true;
    Ws->GridAlign = true;
    auto* band = Add<TvrMasterData>(Page, 0, 100, 700, 40);
    auto* memo = Add<TvrMemoView>(band, 10, 10, 40, 10);
    Reload();
    // Alt also turns snapping off.
    Drag(300, 90, 300, 300, TShiftState{ssAlt});
    EXPECT_NEAR(band->Top(), 310, Eps);
    EXPECT_EQ(memo->Parent(), Page);
    EXPECT_NEAR(memo->AbsTop(), 110, Eps);
    // Without Alt the band takes its objects along.
    auto* other = Add<TvrMemoView>(band, 10, 10, 40, 10);
    Reload();
    Drag(300, 300, 300, 400);
    EXPECT_EQ(other->Parent(), band);
    EXPECT_GT(band->Top(), 400);
    EXPECT_NEAR(other->AbsTop(), band->Top() + 10, Eps);
}

// On a dialog page a control goes into the container under its top-left corner (left and top
// edges inside, right and bottom outside) and back to the page when moved out, keeping its
// place on the form.
TEST_F(WorkspaceTest, DialogControlsGoIntoTheContainerUnderTheirCorner) {
    UsePage(new TvrDialogPage(Report.get()));
    auto* box = Add<TBoxControl>(Page, 100, 100, 200, 100);
    auto* button = Add<TBoxControl>(Page, 0, 0, 60, 24);
    struct Case {
        Extended X, Y;
        bool Inside;
    } cases[] = {
        {100, 100, true}, {299.9, 199.9, true}, {300, 150, false}, {150, 200, false}, {99.9, 150, false}, {150, 120, true},
    };
    for (const Case& c : cases) {
        // Placed by its absolute position, wherever it is now.
        const Extended ox = button->AbsLeft() - button->Left(), oy = button->AbsTop() - button->Top();
        button->SetLeft(c.X - ox);
        button->SetTop(c.Y - oy);
        Ws->AdjustBands(true);
        EXPECT_EQ(button->Parent(), c.Inside ? static_cast<TvrComponent*>(box) : Page) << c.X << "," << c.Y;
        EXPECT_NEAR(button->AbsLeft(), c.X, Eps) << c.X << "," << c.Y;
        EXPECT_NEAR(button->AbsTop(), c.Y, Eps) << c.X << "," << c.Y;
    }
}
