// The owners' suggestions register (action 308, 建议意见): the family's list window over T_YJinfo
// with five search columns and the side grouping list (content type, handling state, owner,
// receiving and handling staff); records in TfrmYJinfoEdit.
#pragma once

#include "app/registers/ListWindow.h"

class TfrmYJinfoGL : public TListWindow {
public:
    explicit TfrmYJinfoGL(TComponent* AOwner);
    String ClassName() const override { return "TfrmYJinfoGL"; }

protected:
    bool BuildListStatement(TSqlStatement& statement) override;
    void OpenEditor(bool editMode) override;
    String DeleteQuestion() const override;
};
