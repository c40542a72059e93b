// The public-facility register (action 203, 小区公共设施): the family's list window over
// T_publicSet with seven search columns, "包含已停用", stopped rows in red, footer sums of
// quantity and amount; records in TfrmPublicSetEdit.
#pragma once

#include "app/registers/ListWindow.h"

class TfrmPublicSetGL : public TListWindow {
public:
    explicit TfrmPublicSetGL(TComponent* AOwner);
    String ClassName() const override { return "TfrmPublicSetGL"; }

protected:
    bool BuildListStatement(TSqlStatement& statement) override;
    void OpenEditor(bool editMode) override;
    String DeleteQuestion() const override;
};
