// The fee-item register (action 207, 费用项目设置): the family's list window over T_FYinfo with the
// price column in the price format; items in TfrmFYinfoEdit.
#pragma once

#include "app/registers/ListWindow.h"

class TfrmFYinfoGL : public TListWindow {
public:
    explicit TfrmFYinfoGL(TComponent* AOwner);
    String ClassName() const override { return "TfrmFYinfoGL"; }

protected:
    bool BuildListStatement(TSqlStatement& statement) override;
    void OpenEditor(bool editMode) override;
    String DeleteQuestion() const override;
};
