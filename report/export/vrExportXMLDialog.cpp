// The settings dialog of the spreadsheet XML export.
#include "classes/MetaBuilder.h"
#include "report/export/vrExportXML.h"
#include "report/vrRes.h"
#include "report/vrUtils.h"
#include "rtl/Format.h"

ORV_META_IMPL(TvrXMLExportDialog)
void TvrXMLExportDialog::DeclareMeta(meta::Class<TvrXMLExportDialog>&) {}

TvrXMLExportDialog::TvrXMLExportDialog(TComponent* AOwner) : TvrExportDialog(AOwner) {
    SetName("vrXMLExportDialog");
    GroupQuality = Place<TGroupBox>(nullptr, "GroupQuality", 276, 4, 236, 136);
    ContinuousCB = Place<TCheckBox>(GroupQuality, "ContinuousCB", 12, 20, 212, 17);
    PageBreaksCB = Place<TCheckBox>(GroupQuality, "PageBreaksCB", 12, 46, 212, 17);
    WCB = Place<TCheckBox>(GroupQuality, "WCB", 12, 72, 212, 17);
    BackgrCB = Place<TCheckBox>(GroupQuality, "BackgrCB", 12, 98, 212, 17);
    SplitToSheetGB = Place<TGroupBox>(nullptr, "SplitToSheetGB", 8, 146, 504, 76);
    NotSplitRB = Place<TRadioButton>(SplitToSheetGB, "NotSplitRB", 12, 20, 160, 17);
    NotSplitRB->SetChecked(true);
    RPagesRB = Place<TRadioButton>(SplitToSheetGB, "RPagesRB", 12, 46, 160, 17);
    PrintOnPrevRB = Place<TRadioButton>(SplitToSheetGB, "PrintOnPrevRB", 180, 20, 200, 17);
    RowsCountRB = Place<TRadioButton>(SplitToSheetGB, "RowsCountRB", 180, 46, 110, 17);
    ERows = Place<TEdit>(SplitToSheetGB, "ERows", 296, 44, 80, 21);
    FilterKeys(ERows, RowsCountRB, "0123456789");
    OpenExcelCB = Place<TCheckBox>(nullptr, "OpenExcelCB", 8, 232, 300, 17);
    const TvrResources& res = GetResources();
    SetCaption(res.GetString("8100"));
    GroupQuality->SetCaption(res.GetString("8"));
    ContinuousCB->SetCaption(res.GetString("8950"));
    PageBreaksCB->SetCaption(res.GetString("6"));
    WCB->SetCaption(res.GetString("8102"));
    BackgrCB->SetCaption(res.GetString("8103"));
    OpenExcelCB->SetCaption(res.GetString("8104"));
    SplitToSheetGB->SetCaption("Split pages to sheets");
    NotSplitRB->SetCaption("Don't split");
    RPagesRB->SetCaption("Use report pages");
    PrintOnPrevRB->SetCaption("Use print on previous page");
    RowsCountRB->SetCaption("Rows count:");
    SaveDialog1->SetFilter(res.GetString("8105"));
    SaveDialog1->SetDefaultExt(res.GetString("8106"));
    FinishCreate(520, 292);
}

void TvrXMLExportDialog::Fill(TvrXMLExport& filter) {
    FillPageRange(filter);
    const bool continuous = !filter.EmptyLines || filter.SuppressPageHeadersFooters;
    ContinuousCB->SetChecked(continuous);
    PageBreaksCB->SetChecked(filter.ExportPageBreaks && !continuous);
    NotSplitRB->SetChecked(filter.Split == ssNotSplit);
    RPagesRB->SetChecked(filter.Split == ssRPages);
    PrintOnPrevRB->SetChecked(filter.Split == ssPrintOnPrev);
    RowsCountRB->SetChecked(filter.Split == ssRowsCount);
    if (filter.RowsCount() != 0) {
        ERows->SetText(IntToStr(filter.RowsCount()));
        RowsCountRB->SetChecked(true);
    }
    WCB->SetChecked(filter.Wysiwyg);
    OpenExcelCB->SetChecked(filter.OpenExcelAfterExport);
    BackgrCB->SetChecked(filter.Background);
}

bool TvrXMLExportDialog::CanClose() {
    Integer rows = 0;
    if (RowsCountRB->Checked() && !TryStrToInt(ERows->Text(), rows)) {
        ShowErrorMessage("'" + ERows->Text() + "' is not a valid integer value");
        return false;
    }
    return true;
}

void TvrXMLExportDialog::Apply(TvrXMLExport& filter) {
    ReadPageRange(filter);
    if (RowsCountRB->Checked()) {
        filter.SetRowsCount(StrToIntDef(ERows->Text(), 0));
        filter.Split = ssRowsCount;
    } else if (RPagesRB->Checked())
        filter.Split = ssRPages;
    else if (PrintOnPrevRB->Checked())
        filter.Split = ssPrintOnPrev;
    else
        filter.Split = ssNotSplit;
    filter.ExportPageBreaks = PageBreaksCB->Checked() && !ContinuousCB->Checked();
    filter.EmptyLines = !ContinuousCB->Checked();
    filter.SuppressPageHeadersFooters = ContinuousCB->Checked();
    filter.Wysiwyg = WCB->Checked();
    filter.OpenExcelAfterExport = OpenExcelCB->Checked();
    filter.Background = BackgrCB->Checked();
}
