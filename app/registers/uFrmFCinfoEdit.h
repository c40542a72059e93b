// The house dialog (TfrmFCinfoEdit): adds, edits, copies, sells and moves residents into houses
// of T_FCinfo, in five modes (SetHouseEditMode):
//   0 新增 "房产住户档案 - 新增"  fields empty, "未销售" proposed            insert
//   1 修改 "房产住户档案 - 修改"  the list's row, navigator shown             update
//   2 复制 "房产住户档案 - 复制"  the list's row                               insert
//   3 销售 "房产销售 - 编辑"      basic data locked, state "已销售"            update
//   4 入住 "住户入住 - 编辑"      basic and contract data locked, "已入住"     update
// 连续新增 is offered in the inserting modes only. Both dates have a check box: an unticked date
// is stored as not set.
//
//   uFrmFCinfoEdit.cpp      controls, modes, locks, loading
//   uFrmFCinfoEditSave.cpp  确定
#pragma once

#include "app/registers/EditDialog.h"

#include "app/core/HouseChecks.h"

class TfrmFCinfoGL;
class TGroupBox;
class TEdit;
class TComboBox;
class TMemo;
class TKxCalcEdit;
class TCurrencyEdit;
class TDateTimePicker;
class TPageControl;
class TTabSheet;


class TfrmFCinfoEdit : public TEditDialog {
public:
    explicit TfrmFCinfoEdit(TfrmFCinfoGL* list);
    String ClassName() const override { return "TfrmFCinfoEdit"; }

    TGroupBox* GroupBox1; // 基本信息
    TComboBox* cbbXQname;
    TEdit* edtLDcode;
    TEdit* edtDYcode;
    TEdit* edtcode;
    TEdit* edtLouceng;
    TComboBox* cbbFXtype;
    TComboBox* cbbChaoXiang;
    TComboBox* cbbCurStatus;
    TKxCalcEdit* rcebuildarea;
    TKxCalcEdit* rceusearea;
    TComboBox* cbbChanquan;
    TMemo* mem1;
    TPageControl* PageControl1;
    TTabSheet* TabSheet1; // 合同信息
    TEdit* edtHTcode;
    TCurrencyEdit* ceHTprice;
    TDateTimePicker* dtpHTDate;
    TComboBox* cbbHTtype;
    TEdit* edtFZname;
    TEdit* edtSFZcode;
    TComboBox* cbbFZsex;
    TEdit* edtFZphone;
    TEdit* edthandphone;
    TEdit* edtFZaddress;
    TEdit* edtFZunit;
    TMemo* Mem2;
    TTabSheet* TabSheet2; // 住户信息
    TDateTimePicker* dtpRZdate;
    TEdit* edtZHname;
    TEdit* edtZHsfzCode;
    TEdit* edtZHphone;
    TEdit* edtZHhandphone;
    TEdit* edtZHwork;
    TMemo* Mem3;
    TKxCalcEdit* rceZHnum;

    // Sets the mode (caption, locks, what shows, the state written), loads the fields and shows
    // the dialog modally. Returns the modal result.
    int SetHouseEditMode(int mode);
    int Mode() const { return FMode; }
    void LoadEditorFields(bool fromList) override;

protected:
    void DoShow() override;
    bool CheckFields() override;
    int WriteRecord() override;
    bool Inserting() const override { return FMode == 0 || FMode == 2; }
    bool ContinuousAddAllowed() const override { return Inserting(); }
    void AfterSave(int id) override;
    TWinControl* FirstField() const override;

private:
    void BuildBasicGroup();
    void BuildContractPage();
    void BuildResidentPage();
    void LockHouseFields(bool basic, bool contract);
    void ProposeState();
    TfrmFCinfoGL* FHouseList;
    int FMode = 0;
};
