// The house picker (TDLGfcinfoCX, "房屋信息选择"): chooses one house for a record that belongs to
// a house (a parking sale, a repair, a fee record, a prepayment). It offers the estate/building
// tree of the house list and lists only houses that are not unsold (a Null state is not offered
// either), within the operator's estate scope.
//
// How callers use it:
//   TDLGfcinfoCX picker(this);
//   const int id = picker.SelectHouse(currentId);      // -1 when the caller holds no house
//   if (id != currentId) { ... read the house by id (its state not "未销售") ... }
#pragma once

#include "app/registers/RegisterStatement.h"

#include "gui/Forms.h"

class TADOQuery;
class TBitBtn;
class TComboBox;
class TDataSource;
class TDBGridGx;
class TEdit;
class TPanel;
class TTreeView;

class TDLGfcinfoCX : public TForm {
public:
    explicit TDLGfcinfoCX(TComponent* AOwner);
    ~TDLGfcinfoCX() override;
    String ClassName() const override { return "TDLGfcinfoCX"; }

    TPanel* PanelFilter;
    TComboBox* cbbXQname;   // 小区名称
    TEdit* edtLDcode;       // 楼幢号
    TEdit* edtCode;         // 门牌编号: every change runs the query
    TComboBox* cbbChanquan; // 产权状况
    TBitBtn* BitBtn3;       // 查询
    TTreeView* tvTree;
    TDBGridGx* DBGridGx1;
    TADOQuery* QryTable;
    TDataSource* dsTable;
    TPanel* PanelButtons;
    TBitBtn* BitBtn1; // 确定
    TBitBtn* BitBtn2; // 关闭

    // Builds the tree, shows the dialog modally and returns the F_ID of the house chosen with
    // 确定 (or a double click in the list); the given id when the dialog was closed, when no list
    // was run, or when the list is empty.
    int SelectHouse(int currentHouseId);
    // Runs the list for the selected node and the filled filters (nothing without a node).
    void QueryPickerHouses();
};
