// The household picker of the meter dialog ("房屋信息选择"): the houses of the pool (tempCode, the
// connection's own work table: two stations picking at once keep their own pools) within the
// operator's estate scope, narrowed by estate, building and "只显示有住户房间". A double click adds
// the current house to the meter and moves on to the next one.
#pragma once

#include "gui/Forms.h"

class TADOQuery;
class TBitBtn;
class TCheckBox;
class TComboBox;
class TDataSource;
class TDBGridGx;
class TEdit;
class TfrmGTFYinfoEdit;
class TPanel;

class TDLGgtcltXZ : public TForm {
public:
    explicit TDLGgtcltXZ(TfrmGTFYinfoEdit* meter);
    ~TDLGgtcltXZ() override;
    String ClassName() const override { return "TDLGgtcltXZ"; }

    TPanel* PanelFilter;
    TComboBox* cbbXQname;
    TEdit* edtLDcode;
    TBitBtn* BitBtn3;    // 查询
    TCheckBox* CheckBox1; // 只显示有住户房间
    TDBGridGx* DBGridGx1;
    TADOQuery* QryTable;
    TDataSource* dsTable;
    TPanel* PanelButtons;
    TBitBtn* BitBtn1; // 确定 (closes)
    TBitBtn* BitBtn2; // 关闭

    // The houses of the pool as filtered.
    void QueryMeterHouses();
    // The current house onto the meter, out of the pool, and the next one current.
    void AddPickedHousehold();

private:
    TfrmGTFYinfoEdit* FMeter;
};
