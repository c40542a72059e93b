// The shared-meter register (action 208, "公摊费用项目设置"): the meters of t_GTinfo on the register
// family's list window, with the households of the current meter (t_GTdetail) in a second grid at
// the right. Meters are added and edited in TfrmGTFYinfoEdit.
//
// The households live in QryDetail, a client batch (ltBatchOptimistic) that follows the current
// meter while the list is shown. The meter dialog detaches it for a new meter (DetachHouseholds),
// adds and deletes households as pending changes and writes them with UpdateBatch inside its
// save's transaction, with the meter; a cancelled dialog attaches it again and drops them.
#pragma once

#include "app/registers/ListWindow.h"

class TSplitter;

inline const String MeterRegisterCaption = "公摊费用项目设置";
inline const String MsgMeterDeleteFailed = "操作失败，请检查连接...";
// The statement of the household list tied to the meter list.
inline const String MeterHouseholdsStatement = "select * from t_GTdetail where F_code = :F_code order by F_ID";

class TfrmGTFYinfoGL : public TListWindow {
public:
    explicit TfrmGTFYinfoGL(TComponent* AOwner);
    ~TfrmGTFYinfoGL() override;
    String ClassName() const override { return "TfrmGTFYinfoGL"; }

    TDBGridGx* DBGridGx2; // the households of the current meter
    TADOQuery* QryDetail;
    TDataSource* dsDetail;
    TSplitter* Splitter1;

    // The household list cut loose from the meter list, holding the households of the code (none
    // for a new meter's placeholder code).
    void DetachHouseholds(const String& code);
    // The household list follows the meter list again.
    void AttachHouseholds();
    // "删除": the question, then the meter and its households in one transaction.
    void DeleteMeter();

    void RefreshList() override;
    void DeleteClick() override { DeleteMeter(); }
    void PrintClick() override;
    void SetClick() override;

protected:
    void DoShow() override;
    bool BuildListStatement(TSqlStatement& statement) override;
    void OpenEditor(bool editMode) override;

private:
    void BuildHouseholdGrid();
    bool FDetailLayoutLoaded = false;
};
