#include "app/fees/RepairLines.h"

#include "db/DataSet.h"
#include "db/Field.h"
#include "grid/DBGridGx.h"
#include "rtl/Currency.h"

#include <vector>

namespace {

struct TLineColumn {
    const char* Field;
    const char* Caption;
    int Width;
    TFooterValueType Footer;
    const char* FooterText;
    const char* Format;
};

} // namespace

void BuildRepairLineColumns(TDBGridGx* grid, bool withUnit) {
    std::vector<TLineColumn> columns = {
        {"F_PJcode", "配件编号", 70, fvtStaticText, "合  计", ""},
        {"F_PJname", "配件名称", 110, fvtNon, "", ""},
        {"F_type", "类型", 60, fvtNon, "", ""},
        {"F_spec", "规格", 60, fvtNon, "", ""},
        {"F_pinpai", "品牌", 60, fvtNon, "", ""},
        {"F_address", "产地", 70, fvtNon, "", ""},
        {"F_amount", "数量", 60, fvtSum, "", ",0.##;-,0.##"},
        {"F_price", "单价", 80, fvtNon, "", "￥,0.00##;-￥,0.00##"},
        {"F_totalprice", "金额", 80, fvtSum, "", "￥,0.00;-￥,0.00"},
        {"F_mem", "备注", 120, fvtNon, "", ""},
    };
    if (withUnit) columns.insert(columns.begin() + 6, {"F_unit", "单位", 44, fvtNon, "", ""});
    grid->BeginLayout();
    for (const TLineColumn& spec : columns) {
        TColumnGx* column = grid->Columns()->AddColumn();
        column->SetFieldName(spec.Field);
        column->Title()->SetCaption(spec.Caption);
        column->Title()->SetAlignment(taCenter);
        column->SetWidth(spec.Width);
        column->Footer()->SetValueType(spec.Footer);
        if (*spec.FooterText) column->Footer()->SetValue(spec.FooterText);
        if (*spec.Format) {
            column->SetDisplayFormat(spec.Format);
            if (spec.Footer == fvtSum) column->Footer()->SetDisplayFormat(spec.Format);
        }
    }
    grid->EndLayout();
}

void AttachRepairLineRules(TDataSet* dataSet) {
    TField* amount = dataSet->FindField("F_amount");
    TField* price = dataSet->FindField("F_price");
    TField* total = dataSet->FindField("F_totalprice");
    if (amount && price && total) {
        const auto due = [=](TField*) { total->SetAsCurrency(MulQuantity(price->AsCurrency(), amount->AsFloat())); };
        amount->OnChange = due;
        price->OnChange = due;
    }
    TField* code = dataSet->FindField("F_PJcode");
    TField* part = dataSet->FindField("F_PJid");
    if (code && part) code->OnChange = [part](TField*) { part->Clear(); };
}
