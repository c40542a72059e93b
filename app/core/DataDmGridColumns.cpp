// The columns a grid shows and how money, price and quantity columns are formatted.
#include "app/core/DataDm.h"

#include "app/core/PubUnit.h"
#include "app/core/uFrmDispFieldXZ.h"

#include "grid/DBGridGx.h"
#include "gui/CheckLst.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"

#include <memory>

namespace {

// A part of a lower-cased field name and the display format its columns get.
struct TFormatRule {
    const char* NamePart;
    const String* Format;
};

// The rules of each mode of ApplyColumnFormats, tested in order.
const std::vector<TFormatRule>& FormatRules(int mode) {
    static const std::vector<TFormatRule> rules[] = {
        {},
        {{"_price", &FmtPrice}, {"totalprice", &FmtTotal}, {"amount", &FmtAmount}},
        {{"area", &FmtAmount}, {"price", &FmtTotal}},
        {{"price", &FmtTotal}},
        {{"sz", &FmtTotal}, {"totalprice", &FmtTotal}},
        {{"price", &FmtPrice}},
    };
    return mode >= 1 && mode <= 5 ? rules[mode] : rules[0];
}

} // namespace

void TdmData::ChooseGridColumns(TDBGridGx* grid) {
    auto chooser = std::make_unique<TFrmDispFieldXZ>(this);
    TDBGridColumnsGx* columns = grid->Columns();
    for (int i = 0; i < columns->Count(); ++i) {
        chooser->CheckListBox1->Items()->Add(columns->ColumnAt(i)->Title()->Caption());
        chooser->CheckListBox1->SetChecked(i, columns->ColumnAt(i)->Visible());
    }
    if (chooser->ShowModal() != mrOk) return;
    grid->BeginLayout();
    const TScopeExit endLayout([grid] { grid->EndLayout(); });
    for (int i = 0; i < columns->Count(); ++i)
        columns->ColumnAt(i)->SetVisible(chooser->CheckListBox1->Checked(i));
}

void TdmData::ApplyColumnFormats(TDBGridGx* grid, int mode) {
    const std::vector<TFormatRule>& rules = FormatRules(mode);
    for (int i = 0; i < grid->Columns()->Count(); ++i) {
        TColumnGx* column = grid->Columns()->ColumnAt(i);
        const String name = LowerCase(column->FieldName());
        for (const TFormatRule& rule : rules) {
            if (name.find(rule.NamePart) == String::npos) continue;
            column->SetDisplayFormat(*rule.Format);
            column->Footer()->SetDisplayFormat(*rule.Format);
        }
    }
}
