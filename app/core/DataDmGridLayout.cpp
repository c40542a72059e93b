// Grid layouts kept in cfg_Grid: one row per window key and field, shipped with the database and
// only updated. Keys, field names and captions travel as statement parameters, so a quote in a
// caption ("O'Neil") is stored as typed.
#include "app/core/DataDm.h"

#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"

namespace {

// F_FooterType: 0 no footer value, 1 static text, 2 sum.
TFooterValueType FooterTypeOf(int stored) {
    return stored == 1 ? fvtStaticText : stored == 2 ? fvtSum : fvtNon;
}

int StoredFooterType(TFooterValueType type) {
    return type == fvtStaticText ? 1 : type == fvtSum ? 2 : 0;
}

// F_Alignment: 0 left, 1 centre, 2 right; other values keep the grid's default.
bool AlignmentOf(int stored, TAlignment& alignment) {
    static const TAlignment alignments[] = {taLeftJustify, taCenter, taRightJustify};
    if (stored < 0 || stored > 2) return false;
    alignment = alignments[stored];
    return true;
}

int StoredAlignment(TAlignment alignment) {
    return alignment == taCenter ? 1 : alignment == taRightJustify ? 2 : 0;
}

void ReadColumn(TColumnGx& column, TADOQuery& row) {
    const String format = row.FieldByName("F_DisplayFormat")->AsString();
    column.SetFieldName(row.FieldByName("F_FieldName")->AsString());
    column.Title()->SetCaption(row.FieldByName("F_Caption")->AsString());
    column.Title()->SetAlignment(taCenter);
    column.SetWidth(row.FieldByName("F_Width")->AsInteger());
    column.SetVisible(row.FieldByName("F_Visible")->AsBoolean());
    column.SetReadOnly(row.FieldByName("F_ReadOnly")->AsBoolean());
    column.SetDisplayFormat(format);
    column.Footer()->SetDisplayFormat(format);
    column.Footer()->SetValue(row.FieldByName("F_FooterValue")->AsString());
    column.Footer()->SetValueType(FooterTypeOf(row.FieldByName("F_FooterType")->AsInteger()));
    TAlignment alignment = taLeftJustify;
    if (AlignmentOf(row.FieldByName("F_Alignment")->AsInteger(), alignment)) {
        column.SetAlignment(alignment);
        column.Footer()->SetAlignment(alignment);
    }
}

} // namespace

void TdmData::LoadGridLayout(TDBGridGx* grid, const String& key) {
    try {
        EnsureConnected();
        FQryTemp->Close();
        FQryTemp->SQL()->SetText(
            "Select * from cfg_Grid Where (F_name = :name and F_fieldname <> '') order by F_Order");
        FQryTemp->Parameters()->ParamByName("name")->SetValue(key);
        FQryTemp->Open();
        if (FQryTemp->IsEmpty()) return;
        grid->BeginLayout();
        const TScopeExit endLayout([grid] { grid->EndLayout(); });
        grid->Columns()->Clear();
        for (FQryTemp->First(); !FQryTemp->Eof(); FQryTemp->Next())
            ReadColumn(*grid->Columns()->AddColumn(), *FQryTemp);
    } catch (const Exception&) {
        ShowMess(MsgOperationFailed, 3);
    }
}

void TdmData::SaveGridLayout(TDBGridGx* grid, const String& key) {
    const String lowerKey = LowerCase(key);
    for (int i = 0; i < grid->Columns()->Count(); ++i) {
        TColumnGx* column = grid->Columns()->ColumnAt(i);
        try {
            EnsureConnected();
            FQryPub->Close();
            FQryPub->SQL()->SetText(
                "update cfg_grid set F_caption = :caption,F_width = :width,F_readonly = :readonly,"
                "F_visible = :visible,F_order = :order,F_alignMent = :alignment,F_displayFormat = "
                ":displayFormat,"
                "F_footerValue = :footerValue,F_footerType = :footerType "
                "where (F_name = :name and F_fieldname = :fieldname) ");
            TParameters* p = FQryPub->Parameters();
            p->ParamByName("caption")->SetValue(column->Title()->Caption());
            p->ParamByName("width")->SetValue(column->Width());
            p->ParamByName("readonly")->SetValue(column->ReadOnly());
            p->ParamByName("visible")->SetValue(column->Visible());
            p->ParamByName("order")->SetValue(i);
            p->ParamByName("alignment")->SetValue(StoredAlignment(column->Alignment()));
            p->ParamByName("displayFormat")->SetValue(column->DisplayFormat());
            p->ParamByName("footerValue")->SetValue(column->Footer()->Value());
            p->ParamByName("footerType")->SetValue(StoredFooterType(column->Footer()->ValueType()));
            p->ParamByName("name")->SetValue(lowerKey);
            p->ParamByName("fieldname")->SetValue(column->FieldName());
            FQryPub->ExecSQL();
        } catch (const Exception&) {
            ShowMess(MsgOperationFailed, 3); // this row only; the others are still written
        }
    }
}
