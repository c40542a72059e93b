// The cleaning and greening register (action 204, 保洁绿化): the family's list window over
// T_BJinfo with five search columns; records in TfrmBJinfoEdit.
#pragma once

#include "app/registers/ListWindow.h"

class TfrmBJinfoGL : public TListWindow {
public:
    explicit TfrmBJinfoGL(TComponent* AOwner);
    String ClassName() const override { return "TfrmBJinfoGL"; }

protected:
    bool BuildListStatement(TSqlStatement& statement) override;
    void OpenEditor(bool editMode) override;
    String DeleteQuestion() const override;
};
