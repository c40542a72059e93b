// The record navigator of the edit dialogs: four buttons (first, prior, next, last) that move the
// data set of a data source and then tell OnClick which button it was. A button that cannot move
// (first and prior on the first record, next and last on the last, all four without an open data
// set) is disabled, following every move of the data set, whoever makes it.
#pragma once

#include "gui/ExtCtrls.h"

#include <functional>
#include <memory>

class TDataSource;
class TSpeedButton;

enum TNavigateBtn { nbFirst, nbPrior, nbNext, nbLast };
ORV_ENUM(TNavigateBtn, nbFirst, nbPrior, nbNext, nbLast)

class TDBNavigator : public TCustomPanel {
    ORV_META(TDBNavigator, TCustomPanel)
    explicit TDBNavigator(TComponent* AOwner);
    ~TDBNavigator() override;

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* Value);
    TSpeedButton* Button(TNavigateBtn Which) const { return FButtons[Which]; }

    // Moves the data set as the button does (nothing when it is disabled), then OnClick.
    void BtnClick(TNavigateBtn Which);
    std::function<void(TObject* Sender, TNavigateBtn Button)> OnClick;

    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    void Resize() override;

private:
    class TNavDataLink;
    friend class TNavDataLink;
    void UpdateButtons();
    std::unique_ptr<TNavDataLink> FDataLink;
    TSpeedButton* FButtons[4] = {};
};
