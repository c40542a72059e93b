// The print dialog at work: choosing a printer and its properties, the print mode and its sheet,
// showing the report's print options and writing them back.
#include "report/vrClassReport.h"
#include "report/vrPrintDialog.h"
#include "report/vrPrinter.h"
#include "report/vrRes.h"
#include "rtl/FileUtils.h"
#include "rtl/Format.h"

namespace {

TvrCustomPrinter* Current() {
    return GetPrinters().CurrentPrinter();
}

} // namespace

void TvrPrintDialog::FillPaperList() {
    PagPageSizeCB->Items()->Clear();
    PagPageSizeCB->Items()->Add(GetResources().GetString("pgDefault"));
    if (TvrCustomPrinter* p = Current()) {
        const TStringList& papers = *p->PaperList();
        for (Integer i = 0; i < papers.Count(); ++i)
            if (p->IndexOfPaper(DMPAPER_USER) != i) PagPageSizeCB->Items()->Add(papers.Strings(i));
    }
}

void TvrPrintDialog::PrintersCBClick() {
    TvrPrinters& printers = GetPrinters();
    Integer remembered = -1;
    if (PagPageSizeCB->ItemIndex() > 0 && Current())
        remembered = Current()->PaperNameToNumber(PagPageSizeCB->Text());
    printers.SetActivePrinterIndex(PrintersCB->ItemIndex());
    TvrCustomPrinter* p = Current();
    WhereL1->SetCaption(p ? p->PortName() : String());
    FillPaperList();
    // The sheet chosen stays when the new printer has it.
    const Integer listed = p && remembered != -1 ? p->IndexOfPaper(remembered) : -1;
    PagPageSizeCB->SetItemIndex(listed > 0 ? listed : 0);
}

void TvrPrintDialog::PrintModeCBClick() {
    if (PrintModeCB->ItemIndex() <= 0) {
        PagPageSizeCB->SetItemIndex(0);
        PagPageSizeCB->SetEnabled(false);
        return;
    }
    PagPageSizeCB->SetEnabled(true);
    if (PagPageSizeCB->ItemIndex() == 0 && Current()) {
        const Integer a4 = Current()->IndexOfPaper(DMPAPER_A4);
        if (a4 > 0) PagPageSizeCB->SetItemIndex(a4);
    }
}

void TvrPrintDialog::PropButtonClick() {
    TvrCustomPrinter* p = Current();
    if (!p) return;
    p->ShowPropertiesDialog();
    const TvrDuplexMode byDuplex[] = {dmNone, dmSimplex, dmVertical, dmHorizontal};
    if (p->ChosenDuplex >= DMDUP_SIMPLEX && p->ChosenDuplex <= DMDUP_HORIZONTAL) {
        DuplexChoice = byDuplex[p->ChosenDuplex];
        DuplexCB->SetItemIndex(static_cast<int>(DuplexChoice));
    }
}

void TvrPrintDialog::CollateCBClick() {
    CopiesPB->Invalidate();
}

void TvrPrintDialog::DoShow() {
    if (EditedReport) {
        const TvrPrintOptions& o = *EditedReport->PrintOptions();
        UpDown1->SetPosition(o.Copies);
        CollateCB->SetChecked(o.Collate);
        PageNumbersE->SetText(o.PageNumbers);
        if (!o.PageNumbers.empty()) PageNumbersRB->SetChecked(true);
        PrintPagesCB->SetItemIndex(static_cast<int>(o.PrintPages));
        OrderCB->SetItemIndex(o.Reverse ? 1 : 0);
        PrintModeCB->SetItemIndex(static_cast<int>(o.PrintMode));
        DuplexCB->SetItemIndex(static_cast<int>(DuplexChoice));
        PrintModeCBClick();
        if (o.PrintMode != pmDefault && Current()) {
            // The sheet's own entry; an unlisted one "默认"; 256 the printer's first real paper.
            const Integer k = Current()->IndexOfPaper(o.PrintOnSheet);
            const Integer custom = Current()->IndexOfPaper(DMPAPER_USER);
            PagPageSizeCB->SetItemIndex(k + 1 - (custom >= 0 && custom < k ? 1 : 0));
        }
    }
    TForm::DoShow();
}

int TvrPrintDialog::ShowModal() {
    const int result = Finish(TForm::ShowModal());
    SetModalResult(result);
    return result;
}

int TvrPrintDialog::Finish(int result) {
    TvrCustomPrinter* p = Current();
    if (result == mrOk) {
        if (p) p->FileName.clear();
        if (FileCB->Checked()) {
            if (FileDlg->Execute()) {
                if (p) p->FileName = ChangeFileExt(FileDlg->FileName(), ".prn");
            } else {
                result = mrCancel; // the printer chosen stays current
            }
        }
    } else {
        GetPrinters().SetActivePrinterIndex(PreviousPrinterIndex);
    }
    if (result == mrOk && EditedReport) {
        try {
            WriteOptions();
        } catch (const Exception&) {
            // A copies text that is no number: the error is shown, the options stay as they were.
            Application()->HandleException(this);
        }
    }
    return result;
}

void TvrPrintDialog::WriteOptions() {
    TvrPrintOptions& o = *EditedReport->PrintOptions();
    const Integer copies = StrToInt(CopiesE->Text());
    o.Copies = copies;
    o.Collate = CollateCB->Checked();
    if (AllRB->Checked())
        o.PageNumbers.clear();
    else if (CurPageRB->Checked())
        o.PageNumbers =
            IntToStr(EditedReport->PreparedPages() ? EditedReport->PreparedPages()->CurPreviewPage : 0);
    else
        o.PageNumbers = PageNumbersE->Text();
    o.PrintPages = static_cast<TvrPrintPages>(std::max(0, PrintPagesCB->ItemIndex()));
    DuplexChoice = static_cast<TvrDuplexMode>(std::max(0, DuplexCB->ItemIndex()));
    o.Reverse = OrderCB->ItemIndex() == 1;
    o.PrintMode = static_cast<TvrPrintMode>(std::max(0, PrintModeCB->ItemIndex()));
    if (TvrCustomPrinter* p = Current()) o.PrintOnSheet = p->PaperNameToNumber(PagPageSizeCB->Text());
}
