// Two stations on one database file: what one saves, the other reads at its next opening or start.
#include "GridServicesFixture.h"
#include "app/core/uFrmSysInfoGl.h"

#include "controls/kxCurrEdit.h"
#include "gui/Interaction.h"
#include "gui/StdCtrls.h"

namespace {

class TwoStations : public GridServices {
protected:
    void SetUp() override {
        GridServices::SetUp();
        Other = std::make_unique<TdmData>(nullptr);
        ASSERT_TRUE(Other->DataModuleCreate());
    }
    void TearDown() override {
        Other.reset();
        GridServices::TearDown();
    }
    std::unique_ptr<TdmData> Other; // the second station
};

TEST_F(TwoStations, ALayoutSavedOnOneIsReadAtTheOthersNextOpening) {
    TDBGridGx* open = NewGrid(); // the other station's window, open meanwhile
    Other->LoadGridLayout(open, "CarPosGL");
    Dm->LoadGridLayout(Grid, "CarPosGL");
    Grid->Columns()->ColumnAt(3)->SetIndex(0);
    Grid->Columns()->ColumnAt(0)->SetWidth(150);
    Grid->Columns()->ColumnAt(1)->Title()->SetCaption("车位 'A'");
    Dm->SaveGridLayout(Grid, "CarPosGL");

    TDBGridGx* next = NewGrid();
    Other->LoadGridLayout(next, "CarPosGL");
    EXPECT_EQ(Fields(next), Fields(Grid));
    EXPECT_NE(Fields(open), Fields(Grid)); // an open window keeps what it loaded
    EXPECT_EQ(next->Columns()->ColumnAt(0)->Width(), 150);
    EXPECT_EQ(next->Columns()->ColumnAt(1)->Title()->Caption(), "车位 'A'");
    EXPECT_TRUE(Messages.empty());
}

TEST_F(TwoStations, ADecimalChangeReachesTheOtherAtItsNextStart) {
    Dm->ReadDecimalPlaces(DecAmount, DecPrice, DecTotal);
    BuildDisplayFormats();
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Form([](TCustomForm* form) {
        auto* window = static_cast<TfrmSysInfoGl*>(form);
        window->rceTotal->SetText("4");
        window->btnOk->Click();
        return static_cast<int>(mrNone);
    });
    TfrmSysInfoGl window(nullptr);
    window.ShowModal();
    EXPECT_EQ(FmtTotal, "￥,0.00##");

    // The other station's next start reads the decimal places and builds its formats.
    ResetOperatorState();
    int amount = 0, price = 0, total = 0;
    Other->ReadDecimalPlaces(amount, price, total);
    EXPECT_EQ(total, 4);
    DecAmount = amount;
    DecPrice = price;
    DecTotal = total;
    BuildDisplayFormats();
    EXPECT_EQ(FmtTotal, "￥,0.00##");
    EXPECT_EQ(FmtPrice, "￥,0.00");
}

} // namespace
