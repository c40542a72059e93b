// The part picker ("设备配件选择"): chooses spare parts for the material lines of a new repair. In
// material mode (1) every pick appends a line to the repair register's lines at once and the
// picker stays open, so that several parts are picked one after another; a part picked leaves the
// list until the picker opens again. The codes picked are kept in tempCode, a temporary table of
// the connection, so two stations picking at once never share them.
#pragma once

#include "gui/Forms.h"

class TADOQuery;
class TBitBtn;
class TComboBox;
class TDataSource;
class TDBGridGx;
class TEdit;
class TfrmCltBXedit;
class TPanel;
class TPopupMenu;

class TDLGpjInfoXZ : public TForm {
public:
    // The repair dialog whose lines the picks go to (its register's lines, its record code).
    explicit TDLGpjInfoXZ(TfrmCltBXedit* repair);
    ~TDLGpjInfoXZ() override;
    String ClassName() const override { return "TDLGpjInfoXZ"; }

    TPanel* PanelFilter;
    TComboBox* cbbType;  // 按类别过滤：
    TEdit* edtQryCode;   // 请输入配件的编号、名称或产地：
    TBitBtn* BitBtn3;    // 查询
    TDBGridGx* DBGridGx1;
    TADOQuery* QryTable;
    TDataSource* dsTable;
    TPanel* PanelButtons;
    TBitBtn* BitBtn1; // 确定: the pick; it does not close the picker
    TBitBtn* BitBtn4; // 新增配件: the part card, then the list again
    TBitBtn* BitBtn2; // 关闭
    TPopupMenu* PopupMenu1;

    // 1: material mode (the only one the program uses); otherwise a double click closes with OK.
    int Mode = 1;

    // Empties tempCode, runs the list (with the layout saved under "dlggoodxz") and shows the
    // picker modally.
    int ShowPartPicker();
    // The list: parts not yet picked, narrowed by the search text (code from the start, name
    // anywhere) and the category.
    void QueryPickerParts();
    // A pick (double click or 确定) in material mode: the current part as a new line of the repair,
    // remembered in tempCode, and the list again without it. Nothing on an empty list.
    void AddMaterialLine();
    // 新增配件: the part card for a new part; the list again after it.
    void NewPartClick();

private:
    void RememberPickedPart(const String& code);
    TfrmCltBXedit* FRepair;
    bool FLayoutLoaded = false;
};
