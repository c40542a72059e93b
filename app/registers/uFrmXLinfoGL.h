// The security patrol register (action 205, 保安巡逻): the family's list window over T_XLinfo with
// five search columns; records in TfrmXLinfoEdit.
#pragma once

#include "app/registers/ListWindow.h"

class TfrmXLinfoGL : public TListWindow {
public:
    explicit TfrmXLinfoGL(TComponent* AOwner);
    String ClassName() const override { return "TfrmXLinfoGL"; }

protected:
    bool BuildListStatement(TSqlStatement& statement) override;
    void OpenEditor(bool editMode) override;
    String DeleteQuestion() const override;
};
