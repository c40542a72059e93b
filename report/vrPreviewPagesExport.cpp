// Handing prepared pages to an export filter: the filter's dialog and page choice, then each
// chosen page as its background, its bands and their objects (the protocol is described at
// TvrCustomExportFilter).
#include "report/vrPreviewPagesPrint.h"

#include "gui/Bitmap.h"
#include "gui/Forms.h"
#include "report/vrClassBand.h"
#include "report/vrClassMemo.h"
#include "report/vrClassPage.h"
#include "report/vrClassReport.h"
#include "rtl/ScopeGuards.h"

namespace {

// A text object as an export reads it: its highlight's font when the highlight is on, the page
// macros filled in for copy 1, and, with AutoWidth, the width it takes when drawn.
void PrepareForExport(TvrComponent* obj, Integer pageCount) {
    auto* memo = dynamic_cast<TvrCustomMemoView*>(obj);
    if (!memo) return;
    if (memo->Highlight()->Active) memo->SetFont(memo->Highlight()->Font());
    memo->TotalPages = pageCount;
    memo->CopyNo = 1;
    memo->ApplyPrintMacros();
    if (memo->AutoWidth) {
        TBitmap scratch(1, 1);
        memo->Draw(scratch.Canvas(), 1, 1, 0, 0);
    }
}

bool SuppressedBand(TvrComponent* band, Integer index, Integer pageCount) {
    return (dynamic_cast<TvrPageHeader*>(band) && index > 0) ||
           (dynamic_cast<TvrPageFooter*>(band) && index < pageCount - 1);
}

} // namespace

bool TvrPreviewPages::SendToExportFilter(TvrCustomExportFilter* Filter) {
    CopyNo = 0;
    TvrReport* report = Report();
    if (!Filter || !report) return false;
    Filter->Report = report;
    if (Filter->ShowDialog && Filter->ShowModal() != mrOk) return false;
    // CurPreviewPage is the page number the preview shows.
    if (Filter->CurrentPageOnly)
        Filter->PageRange = report->Preview() ? IntToStr(CurPreviewPage) : String("1");
    report->Terminated = false;
    const TvrPageNumbers pages = vrPageList(Filter->PageRange, GetPageCount());
    const bool dotMatrix = Filter == vrDotMatrixExportFilter();
    if (dotMatrix && report->OnPrintReport) report->OnPrintReport(report);
    bool result = true;
    try {
        ExportPages(Filter, pages);
    } catch (const Exception& e) {
        result = false;
        report->ErrorList()->Add(e.Message());
        report->ReportErrors();
    }
    if (dotMatrix && report->OnAfterPrintReport) report->OnAfterPrintReport(report);
    return result;
}

void TvrPreviewPages::ExportPages(TvrCustomExportFilter* Filter, const TvrPageNumbers& Pages) {
    TvrReport* report = Report();
    if (Filter->OnBeginExport) Filter->OnBeginExport(Filter);
    if (!Filter->Start()) return;
    const bool progress = Filter->ShowProgress;
    if (progress) report->ProgressStart(ptExporting);
    const TScopeExit finish([&] {
        if (progress) report->ProgressStop(ptExporting);
        Filter->Finish();
    });
    const Integer pageCount = GetPageCount();
    for (Integer index = 0; index < pageCount && !report->Terminated; ++index) {
        if (Pages.Given && !Pages.Contains(index + 1)) continue;
        TvrComponent* page = GetPreparedPage(index);
        if (!page) continue;
        if (progress) report->ProgressStep(ptExporting, index + 1);
        Filter->StartPage(page, index);
        {
            const TScopeExit finishPage([&] {
                Filter->FinishPage(page, index);
                // A preview keeps drawing the cached page from its paper's corner.
                if (report->Preview()) {
                    page->SetLeft(0);
                    page->SetTop(0);
                } else {
                    ClearPageCache();
                }
            });
            ExportPage(Filter, page, index);
        }
        if (!report->EngineOptions()->HeadlessMode) Application()->ProcessMessages();
    }
}

void TvrPreviewPages::ExportPage(TvrCustomExportFilter* Filter, TvrComponent* Page, Integer Index) {
    const Integer pageCount = GetPageCount();
    if (auto* reportPage = dynamic_cast<TvrReportPage*>(Page)) {
        const bool mirrored = Index % 2 == 1 && reportPage->MirrorMargins;
        const Extended left = mirrored ? reportPage->RightMargin : reportPage->LeftMargin;
        const Extended right = mirrored ? reportPage->LeftMargin : reportPage->RightMargin;
        Page->SetLeft(left * fr01cm);
        Page->SetTop(reportPage->TopMargin * fr01cm);
        TvrPictureView background(nullptr);
        background.SetName("_pagebackground");
        background.Color = reportPage->Color();
        background.SetFrame(reportPage->Frame());
        background.SetPicture(reportPage->BackPicture());
        background.Stretched = true;
        background.KeepAspectRatio = false;
        background.SetBounds(Page->Left(), Page->Top(), (reportPage->PaperWidth() - left - right) * fr01cm,
                             (reportPage->PaperHeight() - reportPage->TopMargin - reportPage->BottomMargin) *
                                 fr01cm);
        Filter->ExportObject(&background);
    }
    const std::vector<TvrComponent*> bands = Page->Children();
    for (TvrComponent* band : bands) {
        if (Filter->SuppressPageHeadersFooters && SuppressedBand(band, Index, pageCount)) continue;
        PrepareForExport(band, pageCount);
        Filter->ExportObject(band);
        for (TvrComponent* obj : band->AllObjects()) {
            PrepareForExport(obj, pageCount);
            Filter->ExportObject(obj);
        }
    }
}
