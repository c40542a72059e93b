#include "app/fees/uFrmWYJYtotalTJ.h"

#include "app/core/PubUnit.h"

#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "gui/StdCtrls.h"
#include "rtl/SysUtils.h"

namespace {

std::vector<TGridColumnSpec> AnalysisColumns() {
    return {
        {"F_name", "费项名称", 110, fvtStaticText, "合  计"},
        {"F_beginYS", "期初费用|应收", 80, fvtSum},
        {"F_beginSS", "期初费用|已收", 80, fvtSum},
        {"F_beginWS", "期初费用|未收", 80, fvtSum},
        {"F_enterYS", "本期费用|应收", 80, fvtSum},
        {"F_enterSS", "本期费用|已收", 80, fvtSum},
        {"F_enterWS", "本期费用|未收", 80, fvtSum},
        {"F_endYS", "期末合计|应收", 80, fvtSum},
        {"F_endSS", "期末合计|已收", 80, fvtSum},
        {"F_endWS", "期末合计|未收", 80, fvtSum},
    };
}

const char* const InsertHead =
    "insert into tempJYrec(F_name,F_beginYS,F_beginSS,F_beginWS,F_enterYS, F_enterSS,F_enterWS,F_endYS,"
    "F_endSS,F_endWS,F_flag) select FY.F_SFname,";

String DateText(const TDateTimePicker* picker) {
    return "#" + FormatDateTime("yyyy-mm-dd", picker->Date()) + "#";
}

} // namespace

TfrmWYJYtotalTJ::TfrmWYJYtotalTJ(TComponent* AOwner) : TStatisticsWindow(AOwner, "TfrmWYJYtotalTJ") {
    SetName("frmWYJYtotalTJ");
    cbbXQname = AddEstateCombo(10, 16);
    edtLDcode = AddEdit("edtLDcode", "楼 幢 号：", 200, 16);
    edtFZcode = AddEdit("edtFZcode", "房间编号：", 390, 16);
    edtFZname = AddEdit("edtFZname", "业主姓名：", 580, 16);
    cbbEmpName = AddCombo("cbbEmpName", "经 手 人：", 10, 42, [] {
        return String("select distinct F_name from t_code where (F_name <> '') and F_type = 'empname' ");
    });
    dtpFromDate = AddDatePicker("dtpFromDate", "交费日期：自", 200, 42, true);
    dtptoDate = AddDatePicker("dtptoDate", "至", 384, 42, false);
    PeriodFrom = dtpFromDate;
    PeriodTo = dtptoDate;
    DBGridGx1->SetUseMultiTitle(true);
    BuildColumns(AnalysisColumns());
    AddPrintEntry("nPrint", "打印格式一", [this] { PrintClick(); });
    AddPrintEntry("nPrint1", "打印格式二", [this] { PrintSecondClick(); });
}

void TfrmWYJYtotalTJ::Opened() {
    for (int i = 0; i < DBGridGx1->Columns()->Count(); ++i) {
        TColumnGx* column = DBGridGx1->Columns()->ColumnAt(i);
        const String field = LowerCase(column->FieldName());
        if (field.find("ys") == String::npos && field.find("ss") == String::npos && field.find("ws") == String::npos)
            continue;
        column->SetDisplayFormat(FmtAmount);
        column->Footer()->SetDisplayFormat(FmtAmount);
    }
}

void TfrmWYJYtotalTJ::AddFilters(TSqlStatement& statement) const {
    AddContains(statement, "And FY.F_XQname Like", cbbXQname->Text());
    AddPrefix(statement, "And FY.F_LDcode Like", edtLDcode->Text());
    AddPrefix(statement, "and FY.F_FZcode Like", edtFZcode->Text());
    AddContains(statement, "and FY.F_FZname Like", edtFZname->Text());
    AddContains(statement, "and FY.F_empName Like", cbbEmpName->Text());
    statement.Add(QualifiedScope("FY."));
}

std::vector<TSqlStatement> TfrmWYJYtotalTJ::WorkStatements() {
    std::vector<TSqlStatement> statements;
    statements.push_back(TSqlStatement{"delete from tempJYrec", {}});
    const bool from = dtpFromDate->Checked();
    const bool to = dtptoDate->Checked();
    // The blocks by the date of a row: the receipt's payment date of a paid row, the deadline of
    // an unpaid one. A block that has no bound still asks for the date, so a row without one
    // counts nowhere rather than in one block alone.
    enum TBlock { Opening, Period, Closing };
    auto bounds = [&](TBlock block, const String& date) -> String {
        String text = "and (" + date + " is not null) ";
        if (block == Opening) return from ? text + "and " + date + " < " + DateText(dtpFromDate) + " " : String();
        if (block == Period && from) text += "and " + date + " >= " + DateText(dtpFromDate) + " ";
        if (to) text += "and " + date + " <= " + DateText(dtptoDate) + " ";
        return text;
    };
    struct TClass {
        TBlock Block;
        bool Paid;
        const char* Values;
    };
    const TClass classes[] = {
        {Opening, false, "FY.F_totalprice,0,FY.F_totalPrice,0,0,0,0,0,0,0"},
        {Opening, true, "FY.F_totalprice,FY.F_totalPrice,0,0,0,0,0,0,0,0"},
        {Period, false, "0,0,0,FY.F_totalprice,0,FY.F_totalPrice,0,0,0,0"},
        {Period, true, "0,0,0,FY.F_totalprice,FY.F_totalPrice,0,0,0,0,0"},
        {Closing, false, "0,0,0,0,0,0,FY.F_totalprice,0,FY.F_totalPrice,0"},
        {Closing, true, "0,0,0,0,0,0,FY.F_totalprice,FY.F_totalPrice,0,0"},
    };
    for (const TClass& c : classes) {
        // Without "from" the opening holds nothing.
        if (c.Block == Opening && !from) continue;
        TSqlStatement statement;
        statement.Add(String(InsertHead) + c.Values + " ");
        statement.Add("from T_wyFYrec as FY left join T_wyFKrec as FK on FY.F_JFcode = FK.F_code where (FY.F_JFflag = ");
        statement.Add(c.Paid ? "true) " : "false) ");
        statement.Add(bounds(c.Block, c.Paid ? "FK.F_JFdate" : "FY.F_SFdate"));
        AddFilters(statement);
        statements.push_back(statement);
    }
    statements.push_back(TSqlStatement{
        "insert into tempJYrec(F_name,F_beginYS,F_beginSS,F_beginWS,F_enterYS, F_enterSS,F_enterWS,F_endYS,F_endSS,"
        "F_endWS,F_flag) select F_name,sum(F_beginYS) as F_beginYS1,sum(F_beginSS) as F_beginSS1, sum(F_beginWS) "
        "as F_beginWS1,sum(F_enterYS) as F_enterYS1,sum(F_enterSS) as F_enterSS1, sum(F_enterWS) as F_enterWS1,"
        "sum(F_endYS) as F_endYS1,sum(F_endSS) as F_endSS1, sum(F_endWS) as F_endWS1,1 from tempJYrec where "
        "F_flag = 0 group by F_name ",
        {}});
    statements.push_back(TSqlStatement{"delete from tempJYrec where F_flag =0", {}});
    return statements;
}

TSqlStatement TfrmWYJYtotalTJ::ResultStatement() {
    return TSqlStatement{"select * from tempJYrec order by F_name ", {}};
}
