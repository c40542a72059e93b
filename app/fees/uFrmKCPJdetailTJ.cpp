#include "app/fees/uFrmKCPJdetailTJ.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"

#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "gui/StdCtrls.h"
#include "rtl/StrUtils.h"

namespace {

std::vector<TGridColumnSpec> StockColumns() {
    return {
        {"F_code", "商品编号", 80, fvtStaticText, "合  计"},
        {"F_name", "商品名称", 100},
        {"F_type", "类型", 60},
        {"F_spec", "规格", 60},
        {"F_address", "产地", 70},
        {"F_unit", "单位", 40},
        {"F_price1", "预售单价", 70},
        {"F_price2", "进货单价", 70},
        {"F_amount", "库存总量", 70, fvtSum},
        {"F_totalprice", "库存总价", 80, fvtSum},
        {"F_enter", "进货总量", 70, fvtSum},
        {"F_out", "退货总量", 70, fvtSum},
        {"F_sale", "使用总量", 70, fvtSum},
        {"F_salePrice", "使用总价", 80, fvtSum},
        {"F_rate", "折扣比率", 60},
    };
}

const String DepotColumns =
    "insert into tempDepot(F_PJid,F_PJcode,F_amount,F_totalprice,F_enter, F_out,F_sale,F_salePrice,F_rate,F_flag) ";
// A movement or repair belongs to the part of its code in its estate; no estate matches a part
// without one.
String EstateMatch(const String& qualifier) {
    return "(Nz(" + qualifier + ".F_XQname,'') = Nz(g.F_XQname,'')) ";
}

// Whether the repair lines keep the row of their part (F_PJid), as the repairs write them.
bool LinesKeepPartRow() {
    TADOQuery probe;
    probe.SetConnection(dmData->ADOcnn());
    probe.SQL()->SetText("select F_PJid from t_ZHBXdetail where 1=0");
    try {
        probe.Open();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

TfrmKCPJdetailTJ::TfrmKCPJdetailTJ(TComponent* AOwner) : TStatisticsWindow(AOwner, "TfrmKCPJdetailTJ") {
    SetName("frmKCPJdetailTJ");
    cbbPJtype = AddCombo("cbbPJtype", "配件类型：", 10, 22, [] {
        return String("select distinct F_name from t_code where (F_name <> '') and F_type = 'pjtype' ");
    });
    edtPJcode = AddEdit("edtPJcode", "配件编号：", 200, 22);
    edtPJname = AddEdit("edtPJname", "配件名称：", 390, 22);
    cbbXQname = AddEstateCombo(580, 22);
    Panel1->SetHeight(64);
    BuildColumns(StockColumns());
}

void TfrmKCPJdetailTJ::Opened() {
    // Quantities taken in, returned and used show in the money format.
    for (int i = 0; i < DBGridGx1->Columns()->Count(); ++i) {
        TColumnGx* column = DBGridGx1->Columns()->ColumnAt(i);
        for (const char* field : {"F_enter", "F_out", "F_sale"})
            if (SameText(column->FieldName(), field)) {
                column->SetDisplayFormat(FmtTotal);
                column->Footer()->SetDisplayFormat(FmtTotal);
            }
    }
}

std::vector<TSqlStatement> TfrmKCPJdetailTJ::WorkStatements() {
    std::vector<String> texts = {
        "delete from tempDepot",
        DepotColumns + "select F_ID,F_code,F_amount,0,0,0,0,0,0,0 from T_PJinfo order by F_code",
        DepotColumns + "select g.F_ID,j.F_PJcode,0,0,j.F_Amount,0,0,0,0,0 from T_pjJHrec as j inner join "
                       "T_PJinfo as g on j.F_PJcode = g.F_code where (j.F_operFlag=1) and " +
            EstateMatch("j"),
        DepotColumns + "select g.F_ID,j.F_PJcode,0,0,0,j.F_Amount,0,0,0,0 from T_pjJHrec as j inner join "
                       "T_PJinfo as g on j.F_PJcode = g.F_code where (j.F_operFlag=-1) and " +
            EstateMatch("j"),
    };
    const bool byRow = LinesKeepPartRow();
    if (byRow)
        texts.push_back(DepotColumns + "select d.F_PJid,d.F_PJcode,0,0,0,0,d.F_amount,d.F_totalprice,0,0 "
                                       "from t_ZHBXdetail as d where d.F_PJid > 0");
    texts.push_back(DepotColumns +
                    "select g.F_ID,d.F_PJcode,0,0,0,0,d.F_amount,d.F_totalprice,0,0 from (t_ZHBXdetail as d "
                    "inner join T_ZHBX as r on d.F_code = r.F_code) inner join T_PJinfo as g on d.F_PJcode = "
                    "g.F_code where " +
                    EstateMatch("r") + (byRow ? "and (d.F_PJid Is Null or d.F_PJid <= 0) " : ""));
    texts.insert(texts.end(),
                 {DepotColumns + "select F_PJid,F_PJcode,sum(F_amount) as F_amount,0,sum(F_enter) as F_enter, "
                                 "sum(F_out) as F_out,sum(F_sale) as F_sale,sum(F_salePrice) as F_salePrice, 0,1 "
                                 "from tempDepot group by F_PJid,F_PJcode",
                  "delete from tempDepot where F_flag = 0",
                  "update (tempDepot as td inner join T_PJinfo as g on td.F_PJid = g.F_ID) set td.F_totalprice = "
                  "td.F_amount * g.F_price2,td.F_beginPrice = td.F_sale*g.F_price1 ",
                  "update tempDepot set F_rate = F_salePrice/F_beginPrice where F_beginPrice <> 0 "});
    std::vector<TSqlStatement> statements;
    for (const String& text : texts)
        statements.push_back(TSqlStatement{text, {}});
    return statements;
}

TSqlStatement TfrmKCPJdetailTJ::ResultStatement() {
    TSqlStatement statement;
    statement.Add("select g.F_code,g.F_name,g.F_type,g.F_spec,g.F_address,g.F_unit, g.F_price1,g.F_price2,"
                  "g.F_amount,g.F_XQname, td.F_totalprice,td.F_begin,td.F_beginPrice,td.F_enter,td.F_out,"
                  "td.F_sale, td.F_salePrice,td.F_rate from T_PJinfo as g Left join tempDepot as td on g.F_ID = "
                  "td.F_PJid Where (1=1) ");
    statement.Add(QualifiedScope("g."));
    AddContains(statement, "and g.F_code Like", edtPJcode->Text());
    AddContains(statement, "and g.F_Name Like", edtPJname->Text());
    AddContains(statement, "and g.F_type Like", cbbPJtype->Text());
    AddContains(statement, "and g.F_XQname Like", cbbXQname->Text());
    statement.Add(" ");
    return statement;
}
