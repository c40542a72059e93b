#include "app/fees/uFrmWYQKbillTJ.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "db/DataSource.h"
#include "grid/DBGridGx.h"
#include "gui/Menus.h"
#include "gui/StdCtrls.h"

namespace {

const String ArrearsList = "frWYQKbillTJ.di3";
const String ArrearsTable = "frWYQKbillTJ1.di3";
const String DetailKey = "WYQKbillTJ1";

std::vector<TGridColumnSpec> HouseholdColumns() {
    return {
        {"F_XQname", "小区名称", 100, fvtStaticText, "合  计"},
        {"F_LDcode", "楼幢号", 70},
        {"F_FZcode", "房间编号", 80},
        {"F_FZname", "业主姓名", 90},
        {"F_amount", "计费单位合计", 100, fvtSum},
        {"F_totalPrice", "应交费用合计", 110, fvtSum},
    };
}

std::vector<TGridColumnSpec> FeeRowColumns() {
    return {
        {"F_SFname", "费项名称", 90, fvtStaticText, "合  计"},
        {"F_fromDate", "上次报表日期", 84},
        {"F_toDate", "本次报表日期", 84},
        {"F_SFdate", "交费限期", 80},
        {"F_amount", "计费单位", 70, fvtSum},
        {"F_price", "单位价格", 70},
        {"F_totalPrice", "应交费用", 80, fvtSum},
        {"F_editDate", "编辑日期", 80},
        {"F_memo1", "备注", 120},
    };
}

} // namespace

TfrmWYQKbillTJ::TfrmWYQKbillTJ(TComponent* AOwner) : TStatisticsWindow(AOwner, "TfrmWYQKbillTJ") {
    SetName("frmWYQKbillTJ");
    dtpFromDate = AddDatePicker("dtpFromDate", "交费限期：自", 10, 16, true);
    dtptoDate = AddDatePicker("dtptoDate", "至", 194, 16, false);
    cbbXQname = AddEstateCombo(10, 42);
    edtLDcode = AddEdit("edtLDcode", "楼 幢 号：", 200, 42);
    edtFZcode = AddEdit("edtFZcode", "房间编号：", 390, 42);
    edtFZname = AddEdit("edtFZname", "业主姓名：", 580, 42);
    cbbOperName = AddCombo("cbbOperName", "制单人员：", 10, 68, [] {
        return String("select distinct F_OperName from T_wyFYrec where F_OperName <> '' group by F_OperName");
    });
    cbbSFname = AddCombo("cbbSFname", "费项名称：", 200, 68, [] {
        return String("select distinct F_name from T_FYinfo where F_name <> '' group by F_name ");
    });
    PeriodFrom = dtpFromDate;
    PeriodTo = dtptoDate;
    BuildColumns(HouseholdColumns());

    QryDetail = new TADOQuery(this);
    QryDetail->SetName("QryDetail");
    QryDetail->SetConnection(dmData->ADOcnn());
    QryDetail->SetDataSource(dsTable);
    dsDetail = new TDataSource(this);
    dsDetail->SetName("dsDetail");
    dsDetail->SetDataSet(QryDetail);
    DBGridGx2 = new TDBGridGx(this);
    DBGridGx2->SetName("DBGridGx2");
    DBGridGx2->SetParent(this);
    DBGridGx2->SetAlign(alBottom);
    DBGridGx2->SetHeight(180);
    // The status bar stays under the fee rows.
    StatusBar->SetTop(ClientHeight() + 20);
    DBGridGx2->SetReadOnly(true);
    DBGridGx2->DrawMemoText = true;
    DBGridGx2->SetOptions(DBGridGx2->Options() | dgRowSelect | dgAlwaysShowSelection);
    DBGridGx2->SetFooterRowCount(1);
    DBGridGx2->SumList()->SetActive(true);
    DBGridGx2->SetDataSource(dsDetail);
    BuildColumns(FeeRowColumns(), DBGridGx2);
    PopupMenu4 = new TPopupMenu(this);
    PopupMenu4->SetName("PopupMenu4");
    MenuItem1 = new TMenuItem(this);
    MenuItem1->SetName("MenuItem1");
    MenuItem1->SetCaption("显示字段列表");
    MenuItem1->OnClick = [this](TObject*) { dmData->ChooseGridColumns(DBGridGx2); };
    PopupMenu4->Items()->Add(MenuItem1);
    MenuItem2 = new TMenuItem(this);
    MenuItem2->SetName("MenuItem2");
    MenuItem2->SetCaption("保存当前设置");
    MenuItem2->OnClick = [this](TObject*) {
        if (ShowMess(MsgSaveStatisticsGrid, 1) == 1) dmData->SaveGridLayout(DBGridGx2, DetailKey);
    };
    PopupMenu4->Items()->Add(MenuItem2);
    DBGridGx2->SetPopupMenu(PopupMenu4);

    AddPrintEntry("nPrint1", "打印住户欠费列表", [this] { tbprint1Click(); });
    AddPrintEntry("nPrint2", "打印住户欠费表格", [this] { tbprint2Click(); });
    AddSetEntry("nSet1", "设置住户欠费列表", [this] { tbset1Click(); });
    AddSetEntry("nSet2", "设置住户欠费表格", [this] { tbset2Click(); });
}

TfrmWYQKbillTJ::~TfrmWYQKbillTJ() {
    // The detail closes first: it follows the household query.
    QryDetail->Close();
    QryDetail->SetDataSource(nullptr);
}

void TfrmWYQKbillTJ::Opened() {
    dmData->LoadGridLayout(DBGridGx2, DetailKey);
    dmData->ApplyColumnFormats(DBGridGx2, 1);
}

TSqlStatement TfrmWYQKbillTJ::Filters() {
    TSqlStatement filters;
    AddContains(filters, "And F_XQname Like", cbbXQname->Text());
    AddPrefix(filters, "And F_LDcode Like", edtLDcode->Text());
    AddContains(filters, "and F_FZcode Like", edtFZcode->Text());
    AddContains(filters, "and F_FZname Like", edtFZname->Text());
    AddContains(filters, "and F_OperName Like", cbbOperName->Text());
    AddContains(filters, "and F_SFname Like", cbbSFname->Text());
    AddDateBound(filters, "and F_SFdate >=", dtpFromDate);
    AddDateBound(filters, "and F_SFdate <=", dtptoDate);
    return filters;
}

TSqlStatement TfrmWYQKbillTJ::ResultStatement() {
    QryDetail->Close();
    FFilters = Filters();
    TSqlStatement statement = FFilters;
    statement.Text = "select F_mainID,F_XQname,F_LDcode,F_FZcode,F_FZname, sum(F_amount) as F_amount,"
                     "sum(F_totalPrice) as F_totalprice from T_wyFYrec where (F_JFflag=false)" +
                     XQScopeSQL + FFilters.Text +
                     " Group by F_mainID,F_XQname,F_LDcode,F_FZcode, F_FZname Order By F_XQname,F_LDcode,F_FZcode ";
    return statement;
}

void TfrmWYQKbillTJ::ResultOpened() {
    // The estate scope is not repeated: the household list carries it.
    TSqlStatement detail = FFilters;
    detail.Text = "select * from T_wyFYrec where (F_JFflag=false) and (F_mainID = :F_mainID)" + FFilters.Text +
                  " Order by F_editDate";
    detail.Param("F_mainID", QryTable->IsEmpty() ? Variant(-1) : QryTable->FieldByName("F_mainID")->AsVariant());
    OpenStatement(QryDetail, detail);
}

void TfrmWYQKbillTJ::tbprint1Click() {
    ShowLayout(ArrearsList, QryDetail);
}

void TfrmWYQKbillTJ::tbprint2Click() {
    ShowLayout(ArrearsTable, QryDetail);
}

void TfrmWYQKbillTJ::tbset1Click() {
    DesignLayout(ArrearsList, QryDetail);
}

void TfrmWYQKbillTJ::tbset2Click() {
    DesignLayout(ArrearsTable, QryDetail);
}
