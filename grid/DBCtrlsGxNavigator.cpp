#include "grid/DBCtrlsGxNavigator.h"

#include "classes/MetaBuilder.h"
#include "db/DataSet.h"
#include "db/DataSource.h"
#include "gui/Buttons.h"

ORV_META_IMPL(TDBNavigator)
void TDBNavigator::DeclareMeta(meta::Class<TDBNavigator>&) {}

class TDBNavigator::TNavDataLink : public TDataLink {
public:
    explicit TNavDataLink(TDBNavigator* navigator) : FNavigator(navigator) {}
    String ClassName() const override { return "TNavDataLink"; }

protected:
    void ActiveChanged() override { FNavigator->UpdateButtons(); }
    void DataSetChanged() override { FNavigator->UpdateButtons(); }
    void EditingChanged() override { FNavigator->UpdateButtons(); }

private:
    TDBNavigator* FNavigator;
};

namespace {

// The captions stand for the arrows of the four buttons.
const char* const ButtonCaptions[] = {"|◀", "◀", "▶", "▶|"};
const char* const ButtonHints[] = {"第一条", "上一条", "下一条", "最后一条"};

} // namespace

TDBNavigator::TDBNavigator(TComponent* AOwner)
    : TCustomPanel(AOwner), FDataLink(std::make_unique<TNavDataLink>(this)) {
    SetBevelOuter(bvNone);
    SetCaption("");
    SetBounds(0, 0, 120, 25);
    for (int i = nbFirst; i <= nbLast; ++i) {
        auto* button = new TSpeedButton(this);
        button->SetParent(this);
        button->SetCaption(ButtonCaptions[i]);
        button->SetHint(ButtonHints[i]);
        button->SetShowHint(true);
        const auto which = static_cast<TNavigateBtn>(i);
        button->OnClick = [this, which](TObject*) { BtnClick(which); };
        FButtons[i] = button;
    }
    Resize();
    UpdateButtons();
}

TDBNavigator::~TDBNavigator() {
    FDataLink->SetDataSource(nullptr);
    DestroyComponents();
}

TDataSource* TDBNavigator::DataSource() const {
    return FDataLink->DataSource();
}

void TDBNavigator::SetDataSource(TDataSource* Value) {
    if (DataSource()) DataSource()->RemoveFreeNotification(this);
    FDataLink->SetDataSource(Value);
    if (Value) Value->FreeNotification(this);
    UpdateButtons();
}

void TDBNavigator::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomPanel::Notification(AComponent, Operation);
    if (Operation == opRemove && FDataLink && AComponent == DataSource()) FDataLink->SetDataSource(nullptr);
}

void TDBNavigator::Resize() {
    TCustomPanel::Resize();
    const int width = ClientWidth() / 4;
    for (int i = 0; i < 4; ++i)
        if (FButtons[i])
            FButtons[i]->SetBounds(i * width, 0, i == 3 ? ClientWidth() - 3 * width : width, ClientHeight());
}

void TDBNavigator::UpdateButtons() {
    TDataSet* dataSet = FDataLink->Active() ? FDataLink->DataSet() : nullptr;
    const bool open = dataSet && !dataSet->IsEmpty();
    const bool atFirst = !open || dataSet->Bof() || dataSet->RecNo() <= 1;
    const bool atLast = !open || dataSet->Eof() || dataSet->RecNo() >= dataSet->RecordCount();
    if (FButtons[nbFirst]) {
        FButtons[nbFirst]->SetEnabled(!atFirst);
        FButtons[nbPrior]->SetEnabled(!atFirst);
        FButtons[nbNext]->SetEnabled(!atLast);
        FButtons[nbLast]->SetEnabled(!atLast);
    }
}

void TDBNavigator::BtnClick(TNavigateBtn Which) {
    if (!FButtons[Which]->Enabled()) return;
    TDataSet* dataSet = FDataLink->DataSet();
    if (!dataSet || !dataSet->Active()) return;
    switch (Which) {
    case nbFirst:
        dataSet->First();
        break;
    case nbPrior:
        dataSet->Prior();
        break;
    case nbNext:
        dataSet->Next();
        break;
    case nbLast:
        dataSet->Last();
        break;
    }
    UpdateButtons();
    if (OnClick) OnClick(this, Which);
}
