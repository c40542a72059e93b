#include "app/fees/StatisticsPivot.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"
#include "rtl/SysUtils.h"

TStatisticsPivot::TStatisticsPivot(TComponent* AOwner, const String& memberClass)
    : TStatisticsWindow(AOwner, memberClass) {
    PivotGrids.push_back(DBGridGx1);
}

std::vector<TGridColumnSpec> TStatisticsPivot::PivotColumns(std::vector<TGridColumnSpec> keys) {
    for (int i = 1; i <= PivotColumnCount; ++i)
        keys.push_back({"F_SZ" + IntToStr(i), "", 80, fvtSum});
    keys.push_back({"F_totalPrice", "费用合计", 90, fvtSum});
    return keys;
}

void TStatisticsPivot::Opened() {
    ReadFeeItems();
    for (TDBGridGx* grid : PivotGrids) TitleColumns(grid);
}

void TStatisticsPivot::ReadFeeItems() {
    FFeeItems.clear();
    std::vector<String> leftOut;
    TADOQuery* query = dmData->QryPub();
    query->Close();
    query->SQL()->SetText("select * from t_FYinfo ");
    query->Open();
    for (query->First(); !query->Eof(); query->Next()) {
        const String name = query->FieldByName("F_name")->AsString();
        if (static_cast<int>(FFeeItems.size()) < PivotColumnCount)
            FFeeItems.push_back(name);
        else
            leftOut.push_back(name);
    }
    query->Close();
    if (!leftOut.empty()) {
        String text = MsgPivotItemsLeftOut;
        for (const String& name : leftOut) text += "\n" + name;
        ShowMess(text, 2);
    }
}

void TStatisticsPivot::TitleColumns(TDBGridGx* grid) const {
    for (int i = 0; i < grid->Columns()->Count(); ++i) {
        TColumnGx* column = grid->Columns()->ColumnAt(i);
        for (int position = 1; position <= PivotColumnCount; ++position) {
            if (!SameText(column->FieldName(), "f_sz" + IntToStr(position))) continue;
            const bool listed = position <= static_cast<int>(FFeeItems.size());
            column->Title()->SetCaption(listed ? FFeeItems[position - 1] : String());
            column->SetVisible(listed);
        }
    }
}

std::vector<TSqlStatement> TStatisticsPivot::StageStatements() {
    std::vector<TSqlStatement> statements;
    statements.push_back(TSqlStatement{"delete from tempFYrec", {}});
    for (size_t i = 0; i < FFeeItems.size(); ++i)
        statements.push_back(ItemStatement(static_cast<int>(i) + 1, FFeeItems[i]));
    return statements;
}

String TStatisticsPivot::PivotSums() {
    String sums;
    String total;
    for (int i = 1; i <= PivotColumnCount; ++i) {
        const String field = "F_SZ" + IntToStr(i);
        sums += "sum(" + field + ") as " + field + ",";
        total += (i > 1 ? " + " : "") + field;
    }
    return sums + "sum(" + total + ") as F_totalPrice";
}

String TStatisticsPivot::PivotFields() {
    String fields;
    for (int i = 1; i <= PivotColumnCount; ++i) fields += ",F_SZ" + IntToStr(i);
    return fields;
}

TStatisticsPivot::TReceivableFilters TStatisticsPivot::AddReceivableFilters() {
    TReceivableFilters filters;
    filters.Estate = AddEstateCombo(10, 16);
    filters.Building = AddEdit("edtLDcode", "楼 幢 号：", 200, 16);
    filters.Room = AddEdit("edtFZcode", "房间编号：", 390, 16);
    filters.Owner = AddEdit("edtFZname", "业主姓名：", 580, 16);
    filters.Handler = AddCombo("cbbEmpName", "经 手 人：", 10, 42, [] {
        return String("select distinct F_name from t_code where (F_name <> '') and F_type = 'empname' ");
    });
    filters.Memo = AddEdit("edtMemo1", "备    注：", 200, 42);
    filters.From = AddDatePicker("dtpFromDate", "交费限期：自", 390, 42, true);
    filters.To = AddDatePicker("dtptoDate", "至", 574, 42, false);
    PeriodFrom = filters.From;
    PeriodTo = filters.To;
    return filters;
}

TSqlStatement TStatisticsPivot::ReceivableItemStatement(int position, const String& name,
                                                        const TReceivableFilters& filters, const String& extra) {
    TSqlStatement statement;
    statement.Add("insert into tempFYrec(F_MainID,F_XQname,F_LDcode,F_FZcode,F_FZname, F_SFdate,F_Month,F_SZ" +
                  IntToStr(position) +
                  ",F_flag) select F_MainID,F_XQname,F_LDcode,F_FZcode,F_FZname,F_SFdate,F_fromDate,F_totalPrice,0 "
                  "from T_wyFYrec where (F_SFname = :" +
                  statement.NewParam(name) + ") " + XQScopeSQL);
    AddContains(statement, "And F_XQname Like", filters.Estate->Text());
    AddPrefix(statement, "And F_LDcode Like", filters.Building->Text());
    AddPrefix(statement, "and F_FZcode Like", filters.Room->Text());
    AddContains(statement, "and F_FZname Like", filters.Owner->Text());
    AddContains(statement, "and F_empName Like", filters.Handler->Text());
    AddContains(statement, "and F_memo1 Like", filters.Memo->Text());
    statement.Add(extra);
    AddDateBound(statement, "and F_SFdate >=", filters.From);
    AddDateBound(statement, "and F_SFdate <=", filters.To);
    return statement;
}

std::vector<TSqlStatement> TStatisticsPivot::HouseStatements(bool byDeadline) {
    const String keys = String("F_MainID,F_XQname,F_LDcode,F_FZcode,F_FZname") + (byDeadline ? ",F_SFdate" : "");
    return {
        TSqlStatement{"insert into tempFYrec(" + keys + PivotFields() + ",F_totalPrice,F_flag) select " + keys + "," +
                          PivotSums() + ",1 from tempFYrec where F_flag = 0 group by " + keys,
                      {}},
        TSqlStatement{"delete from tempFYrec where F_flag =0", {}},
    };
}
