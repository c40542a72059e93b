// The meter picker of the shared-fee dialog ("公摊表选择"): the meters within the operator's
// estate scope and, beside them, the households of the current one narrowed by estate and
// building. A double click on a meter or "确定" closes it with OK.
#pragma once

#include "gui/Forms.h"

class TADOQuery;
class TBitBtn;
class TComboBox;
class TDataSource;
class TDBGridGx;
class TEdit;
class TPanel;

class TDLGgtbXZ : public TForm {
public:
    explicit TDLGgtbXZ(TComponent* AOwner);
    ~TDLGgtbXZ() override;
    String ClassName() const override { return "TDLGgtbXZ"; }

    TPanel* PanelFilter;
    TComboBox* cbbXQname;
    TEdit* edtLDcode;
    TBitBtn* BitBtn3; // 查询
    TDBGridGx* DBGridGx1; // meters
    TDBGridGx* DBGridGx2; // households
    TADOQuery* QryMeters;
    TADOQuery* QryHouseholds;
    TDataSource* dsMeters;
    TDataSource* dsHouseholds;
    TPanel* PanelButtons;
    TBitBtn* BitBtn1; // 确定
    TBitBtn* BitBtn2; // 关闭

    void QuerySharedMeters();
};
