// The arrears query (action 403, 个人欠费查询统计): the unpaid fee rows totalled per household,
// and under it the unpaid rows of the household at the cursor, both under the same filters, so a
// household's totals are the sums of exactly the rows listed for it.
#pragma once

#include "app/fees/StatisticsWindow.h"

class TfrmWYQKbillTJ : public TStatisticsWindow {
public:
    explicit TfrmWYQKbillTJ(TComponent* AOwner);
    ~TfrmWYQKbillTJ() override;

    TDateTimePicker* dtpFromDate;
    TDateTimePicker* dtptoDate;
    TComboBox* cbbXQname;
    TEdit* edtLDcode;
    TEdit* edtFZcode;
    TEdit* edtFZname;
    TComboBox* cbbOperName;
    TComboBox* cbbSFname;
    TDBGridGx* DBGridGx2;
    TADOQuery* QryDetail;
    TDataSource* dsDetail;
    TPopupMenu* PopupMenu4;
    TMenuItem* MenuItem1; // 显示字段列表
    TMenuItem* MenuItem2; // 保存当前设置

    // "打印" and "打印住户欠费列表"; "打印住户欠费表格"; the two design entries.
    void tbprint1Click();
    void tbprint2Click();
    void tbset1Click();
    void tbset2Click();
    void PrintClick() override { tbprint1Click(); }
    void SetClick() override { tbset1Click(); }

protected:
    TSqlStatement ResultStatement() override;
    void ResultOpened() override;
    String CountText() const override { return "欠费住户数/"; }
    void Opened() override;

private:
    // The filter text both statements share, with its parameters.
    TSqlStatement Filters();
    TSqlStatement FFilters;
};
