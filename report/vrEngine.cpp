// The report engine's run: passes, report pages and their instances, physical pages and columns,
// the header list, page footers and overlays, free space and the outline.
#include "report/vrEngine.h"

#include "classes/MetaBuilder.h"
#include "classes/MetaProps.h"
#include "gui/Forms.h"
#include "report/vrPreviewPages.h"
#include "report/vrRes.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"
#include "rtl/MathUtils.h"
#include "rtl/StrUtils.h"

#include <cmath>

namespace {
constexpr Extended mmFactor = 3.77953;

// The data set over whose records a report page is built, when the page has one.
TvrDataSet* PageDataSet(TvrReportPage* Page) {
    if (!GetPropInfo(Page, "DataSet")) return nullptr;
    return dynamic_cast<TvrDataSet*>(GetObjectProp(Page, "DataSet"));
}
} // namespace

void TvrHeaderList::Remove(TvrBand* Band) {
    for (auto it = FItems.begin(); it != FItems.end(); ++it)
        if (it->Band == Band) {
            FItems.erase(it);
            return;
        }
}

ORV_META_IMPL(TvrEngine)
void TvrEngine::DeclareMeta(meta::Class<TvrEngine>&) {}

TvrEngine::TvrEngine(TvrReport* Report)
    : TvrCustomEngine(Report), FAggregates(std::make_unique<TvrAggregateList>(Report)) {}
TvrEngine::~TvrEngine() = default;

void vrInstallEngine(TvrReport* Report) {
    Report->SetEngine(std::make_unique<TvrEngine>(Report), std::make_unique<TvrPreviewPages>(Report));
}

TvrPreviewPages* TvrEngine::Store() const {
    return static_cast<TvrPreviewPages*>(PreviewPages);
}

bool TvrEngine::Terminated() const {
    return Report()->Terminated;
}

void TvrEngine::ProcessMessages() {
    if (!Report()->EngineOptions()->HeadlessMode) Application()->ProcessMessages();
}

const std::vector<TvrBand*>& TvrEngine::TopLevelBands(TvrReportPage* Page, bool Vertical) {
    return Vertical ? FTopVertical[Page] : FTopHorizontal[Page];
}

Extended TvrEngine::PageHeight() const {
    if (FPage && FPage->EndlessHeight) return const_cast<TvrEngine*>(this)->BottomBandsHeight() + CurY;
    return FPageHeight;
}

Extended TvrEngine::TopBandsHeight() {
    if (!FPage) return 0;
    Extended h = 0;
    for (const meta::TClassInfo* cls :
         {&TvrColumnHeader::StaticClassInfo(), &TvrPageHeader::StaticClassInfo()})
        for (TvrBand* b = FPage->FindBand(*cls); b; b = b->Child())
            h += b->Height();
    return h;
}

Extended TvrEngine::BottomBandsHeight() {
    if (!FPage) return 0;
    Extended h = 0;
    if (TvrBand* b = FPage->FindBand(TvrColumnFooter::StaticClassInfo())) h += b->Height();
    if (TvrBand* b = FPage->FindBand(TvrPageFooter::StaticClassInfo())) h += b->Height();
    return h;
}

Extended TvrEngine::FreeSpace() {
    if (FPage && FPage->EndlessHeight) return 1000000;
    if (FPrevFooterHeight != 0) return PageHeight() - FPrevFooterHeight - CurY;
    return PageHeight() - BottomBandsHeight() - CurY;
}

Variant TvrEngine::CalcAggregate(const String& Name, const String& Expression, TvrComponent* Band,
                                 Integer Flags) {
    return FAggregates->AggregateValue(FCurBand, CurVColumn, Flags, Band, Expression, Name);
}

// --- the run ---

bool TvrEngine::StartRun() {
    TvrReport* r = Report();
    FPrevFooterHeight = 0;
    Store()->PrepareForRun();
    Store()->AddPageAction = TvrPreviewPages::apAdd;
    StartDate = Date();
    StartTime = Now();
    Running = true;
    FKeeping = false;
    CurVColumn = 0;
    FOutputBand = nullptr;
    FAggregates->Clear();
    FTopHorizontal.clear();
    FTopVertical.clear();
    std::vector<TvrReportPage*> pages;
    for (int i = 0; i < r->GetPagesCount(); ++i)
        if (auto* p = dynamic_cast<TvrReportPage*>(r->GetPage(i))) pages.push_back(p);
    for (TvrReportPage* p : pages) {
        FPage = p;
        LinkBands(r->ErrorList(), false);
        LinkBands(r->ErrorList(), true);
    }
    TvrDataSet* reportDs = r->DataSet();
    for (TvrReportPage* p : pages) {
        TvrDataSet* pageDs = PageDataSet(p);
        if (reportDs && reportDs == pageDs) {
            r->ErrorList()->Add("Cannot use the same dataset for Report.DataSet and Page.DataSet");
            break;
        }
        for (TvrBand* b : FTopHorizontal[p]) {
            auto* d = dynamic_cast<TvrDataBand*>(b);
            if (!d || !d->DataSet()) continue;
            if (reportDs && d->DataSet() == reportDs) {
                r->ErrorList()->Add("Cannot use the same dataset for Report.DataSet and Band.DataSet");
                break;
            }
            if (pageDs && d->DataSet() == pageDs) {
                r->ErrorList()->Add("Cannot use the same dataset for Page.DataSet and Band.DataSet");
                break;
            }
        }
    }
    return r->ErrorList()->Count() == 0;
}

void TvrEngine::EndRun() {
    Report()->Datasets()->FinalizeAll();
    Store()->EndRunCleanup();
    Running = false;
}

bool TvrEngine::BuildReport() {
    TvrReport* r = Report();
    if (!StartRun()) {
        Running = false;
        return false;
    }
    struct TEndRun {
        TvrEngine* E;
        ~TEndRun() { E->EndRun(); }
    } endRun{this};
    r->Datasets()->InitializeAll();
    r->DoNotifyEvent(r, r->OnStartReport);
    struct TStopEvent {
        TvrReport* R;
        ~TStopEvent() {
            try {
                R->DoNotifyEvent(R, R->OnStopReport);
            } catch (const Exception&) {
            }
        }
    } stopEvent{r};
    if (!ShowDialogPages()) return false;
    for (int i = 0; i < r->GetPagesCount(); ++i)
        if (auto* p = dynamic_cast<TvrReportPage*>(r->GetPage(i))) {
            Store()->RegisterSourcePage(p);
            FAggregates->AddItemsOfPage(p, FTopHorizontal[p], FTopVertical[p]);
        }
    FinalPass = !DoublePass();
    TotalPages = 0;
    Store()->MarkPassStart();
    BuildAllPages();
    if (DoublePass() && !Terminated()) {
        TotalPages = Store()->GetPageCount();
        Store()->CurPage = Store()->GetPageCount() - 1;
        Store()->DropPassOutput();
        FAggregates->ResetAll();
        FinalPass = true;
        BuildAllPages();
    }
    return true;
}

bool TvrEngine::ShowDialogPages() {
    TvrReport* r = Report();
    if (!Trim(r->OnRunDialogs).empty()) {
        Variant params = VarArrayOf({Variant(true)});
        r->DoParamEvent(Trim(r->OnRunDialogs), params, true);
        const Variant v = VarArrayGet(params, {0});
        return !VarIsNull(v) && v.AsBoolean();
    }
    for (int i = 0; i < r->GetPagesCount(); ++i) {
        TvrPage* p = r->GetPage(i);
        if (!p->Visible() || !meta::ClassInfoOf(*p).InheritsFrom(String("TvrDialogPage"))) continue;
        if (p->Children().empty()) continue;
        const int result = OnDialogPage ? OnDialogPage(p) : 1;
        if (result == 2) return false;
    }
    return true;
}

void TvrEngine::BuildAllPages() {
    TvrReport* r = Report();
    FFirstReportPage = true;
    if (TvrDataSet* ds = r->DataSet()) {
        ds->First();
        while (!ds->Eof() && !Terminated()) {
            BuildAllPagesOnce();
            ds->Next();
        }
    } else {
        BuildAllPagesOnce();
    }
}

void TvrEngine::BuildAllPagesOnce() {
    TvrReport* r = Report();
    for (int i = 0; i < r->GetPagesCount() && !Terminated(); ++i) {
        auto* p = dynamic_cast<TvrReportPage*>(r->GetPage(i));
        if (!p) continue;
        FPage = p;
        if (!IsSubreportPage(p) && p->Visible()) BuildPage(p);
        FFirstReportPage = false;
    }
}

bool TvrEngine::IsSubreportPage(TvrReportPage* Page) const {
    for (TvrComponent* obj : Report()->AllObjects())
        if (auto* s = dynamic_cast<TvrSubreport*>(obj); s && s->Page() == Page) return true;
    return false;
}

void TvrEngine::BuildPage(TvrReportPage* Page) {
    TvrReport* r = Report();
    FPage = Page;
    if (IsSubreportPage(Page)) {
        ShowDataBands(Page);
        return;
    }
    FFirstBand = true;
    r->DoNotifyEvent(Page, Page->OnBeforePrint);
    if (TvrDataSet* ds = PageDataSet(Page)) {
        ds->First();
        while (!ds->Eof() && !Terminated()) {
            FPage = Page;
            BuildPageInstance();
            ds->Next();
        }
    } else {
        for (int i = 0; i < Page->PageCount() && !Terminated(); ++i) {
            FPage = Page;
            BuildPageInstance();
        }
    }
    r->DoNotifyEvent(Page, Page->OnAfterPrint);
}

void TvrEngine::SetEndlessPageSize() {
    if (!FPage->EndlessHeight && !FPage->EndlessWidth) return;
    const Extended width = FPage->EndlessWidth
                               ? FPage->LeftMargin * mmFactor + PageWidth + FPage->RightMargin * mmFactor
                               : FPage->PaperWidth() * mmFactor;
    Extended height = FPage->PaperHeight() * mmFactor;
    if (FPage->EndlessHeight) {
        FPageHeight = BottomBandsHeight() + CurY;
        height = FPageHeight + (FPage->TopMargin + FPage->BottomMargin) * mmFactor;
    }
    Store()->SetSourcePageSize(FPage, height, width);
}

void TvrEngine::BuildPageInstance() {
    TvrReport* r = Report();
    if (!DetailHasRows(FPage, r->EngineOptions()->PrintIfEmpty)) return;
    BeginPage();
    // The objects placed on the page itself print once, through a band as large as the page.
    std::vector<TvrComponent*> own;
    for (TvrComponent* c : FPage->Children())
        if (!c->IsBand()) own.push_back(c);
    if (!own.empty()) {
        const Extended y = CurY;
        TvrNullBand holder(nullptr);
        holder.SetBounds(0, 0, PageWidth, PageHeight());
        for (TvrComponent* c : own)
            c->SetParent(&holder);
        holder.AlignChildren();
        try {
            ShowBand(&holder);
        } catch (...) {
            for (TvrComponent* c : own)
                c->SetParent(FPage);
            throw;
        }
        for (TvrComponent* c : own)
            c->SetParent(FPage);
        CurY = y;
    }
    if (r->OnManualBuild)
        r->OnManualBuild(FPage);
    else if (!Trim(FPage->OnManualBuild).empty())
        r->DoNotifyEvent(FPage, Trim(FPage->OnManualBuild));
    else
        ShowDataBands(FPage);
    FLastPage = true;
    SetEndlessPageSize();
    FinishPage();
    FLastPage = false;
}

void TvrEngine::BeginPage() {
    FHeaders.Clear();
    TvrBand* header = FPage->FindBand(TvrPageHeader::StaticClassInfo());
    TvrBand* title = FPage->FindBand(TvrReportTitle::StaticClassInfo());
    if (FPage->TitleBeforeHeader) {
        FHeaders.Add(title, false, 0);
        FHeaders.Add(header, false, 0);
    } else {
        FHeaders.Add(header, false, 0);
        FHeaders.Add(title, false, 0);
    }
    FPageHeight = (FPage->PaperHeight() - FPage->TopMargin - FPage->BottomMargin) * mmFactor;
    PageWidth = (FPage->PaperWidth() - FPage->LeftMargin - FPage->RightMargin) * mmFactor;
    CurX = 0;
    CurY = 0;
    CurColumn = 1;
    FColumnOffset = 0;
    FVMaster = nullptr;
    FFirstPage = true;
    FLastPage = false;
    if (Store()->Outline()) Store()->Outline()->LevelRoot();
    if (FPage->ResetPageNumbers) Store()->RestartLogicalPages();
    if (Store()->GetPageCount() > 0 && FPage->PrintOnPreviousPage) {
        Store()->CurPage = Store()->GetPageCount() - 1;
        CurY = Store()->LastBandBottom(0);
        FHeaders.Remove(title);
        if (title) ShowBandByClass(TvrReportTitle::StaticClassInfo());
    } else {
        OpenPage();
    }
    if (FFirstReportPage) Store()->FirstPage = Store()->CurPage;
    FFirstColumnY = CurY;
    if (TvrBand* ch = FPage->FindBand(TvrColumnHeader::StaticClassInfo())) {
        ShowBand(ch);
        FHeaders.Add(ch, false, 0);
    }
    FHeaders.Remove(title);
    AddPageToOutline();
}

void TvrEngine::OpenPage() {
    FPrevFooterHeight = 0;
    Store()->StartPreparedPage(FPage);
    CurY = 0;
    if (auto* overlay = dynamic_cast<TvrOverlay*>(FPage->FindBand(TvrOverlay::StaticClassInfo()));
        overlay && !overlay->PrintOnTop) {
        ShowBand(overlay);
    }
    CurY = 0;
    FFirstColumnY = 0;
    const Extended savedX = CurX;
    for (int i = 0; i < FHeaders.Count(); ++i) {
        TvrHeaderListItem& entry = FHeaders.Items(i);
        TvrBand* b = entry.Band;
        if (!b || b == FForcingBand) continue;
        CurX = entry.Offset;
        if (auto* ph = dynamic_cast<TvrPageHeader*>(b); ph && FFirstPage && !ph->PrintOnFirstPage) {
            if (ph->PrintChildIfInvisible && ph->Child()) {
                FFromPageStart = true;
                ShowBand(ph->Child());
                FFromPageStart = false;
            }
            continue;
        }
        const bool isHeader = dynamic_cast<TvrHeader*>(b) != nullptr;
        if ((isHeader && FKeepHeader) || (entry.EnteredWhileKeeping && !FKeepFooter)) continue;
        if ((isHeader || dynamic_cast<TvrGroupHeader*>(b)) && FSuppressHeaders) continue;
        if (isHeader && b == FLastBandOnPage) continue;
        const bool isPageHeader = dynamic_cast<TvrPageHeader*>(b) != nullptr;
        const Integer line = CurLine, through = CurLineThrough;
        b->Overflow = true;
        SetLineNumbers(b);
        FFromPageStart = true;
        FFromPageHeader = isPageHeader;
        ShowBand(b);
        FFromPageStart = false;
        FFromPageHeader = false;
        b->Overflow = false;
        CurLine = line;
        CurLineThrough = through;
        if (dynamic_cast<TvrReportTitle*>(b)) {
            FHeaders.Items(i).Band = nullptr;
            FFirstBand = false;
        }
        if (isPageHeader) FFirstColumnY = b->GrownHeight;
    }
    CurX = savedX;
}

void TvrEngine::FinishPage() {
    if (!FFromPageEnd) CloseColumn();
    if (!FLastPage) {
        CurX = FColumnOffset;
        CurColumn = 1;
    }
    if (FLastPage && !FFromPageEnd) {
        FFromPageEnd = true;
        TvrBand* summary = FPage->FindBand(TvrReportSummary::StaticClassInfo());
        ShowBand(summary);
        FFromPageEnd = false;
        if (summary && FPage->EndlessHeight) SetEndlessPageSize();
    }
    if (auto* footer = dynamic_cast<TvrPageFooter*>(FPage->FindBand(TvrPageFooter::StaticClassInfo()))) {
        CurY = PageHeight() - footer->Height();
        FPrevFooterHeight = FLastPage && footer->PrintOnLastPage && !FFromPageEnd ? footer->Height() : 0;
        PlaceFooter(footer);
    }
    if (auto* overlay = dynamic_cast<TvrOverlay*>(FPage->FindBand(TvrOverlay::StaticClassInfo()));
        overlay && overlay->PrintOnTop) {
        CurY = 0;
        PlaceFooter(overlay);
    }
    FFirstPage = false;
}

void TvrEngine::PlaceFooter(TvrBand* Band) {
    if (!Band) return;
    StretchBand(Band);
    if (Band->Visible()) {
        Band->SetLeft(0);
        Band->SetTop(CurY);
        if (auto* pf = dynamic_cast<TvrPageFooter*>(Band)) {
            if ((FFirstPage && !pf->PrintOnFirstPage) ||
                (FLastPage && !pf->PrintOnLastPage && !FFromPageEnd)) {
                // The footer does not show here: its aggregates run on into the next page.
                RestoreBand(Band);
                return;
            }
        }
        if (!Store()->HasBandOnPage(Band)) Store()->AddBandToPage(Band);
        CurY += Band->Height();
    }
    RestoreBand(Band);
    FAggregates->ResetBand(Band);
}

void TvrEngine::CutKeptBlock() {
    if (!FKeeping) return;
    // The row whose footer is kept with it counts again where the block lands.
    if (FKeepFooter && FKeepBand) FAggregates->UndoLast(FKeepBand);
    Store()->CutFromPosition(FKeepPosition);
    CurY = Store()->LastBandBottom(CurX);
}

Extended TvrEngine::ColumnPosition(Integer Column) const {
    TStringList* positions = FPage->ColumnPositions();
    if (Column < 2 || Column - 1 >= positions->Count()) return 0;
    try {
        return StrToFloatLoose((*positions)[Column - 1]) * mmFactor;
    } catch (const Exception&) {
        return 0;
    }
}

void TvrEngine::NewPage() {
    if (FKeepBand && (CurY - FKeepStartY) + FKeepBand->Height() > PageHeight() - BottomBandsHeight()) {
        // The kept block cannot fit on any page: it stays where it is.
        FKeeping = false;
        FAggregates->EndKeepAll();
    }
    CutKeptBlock();
    FLastBandOnPage = FCurBand;
    FinishPage();
    if (FPage->EndlessHeight || FPage->EndlessWidth) {
        const Integer index = Store()->GetPageCount() - 1;
        if (auto* page = dynamic_cast<TvrReportPage*>(Store()->GetPreparedPage(index))) {
            page->SetPaperWidth(PageWidth / mmFactor + FPage->LeftMargin + FPage->RightMargin);
            page->SetPaperHeight((CurY + BottomBandsHeight()) / mmFactor + FPage->TopMargin +
                                 FPage->BottomMargin);
            page->SetPaperSize(256);
            Store()->ReplacePage(index, page);
        }
    }
    OpenPage();
    FLastBandOnPage = nullptr;
    if (FKeeping) {
        FAggregates->EndKeepAll();
        Store()->PasteCutObjects(0, CurY);
        const Integer top = static_cast<Integer>(Round(CurY));
        Store()->ShiftAnchorTops(FKeepAnchorPosition, top);
        TvrOutline* outline = Store()->PagesOutline();
        TvrXMLItem* cur = outline->CurItem();
        if (cur->ItemCount() > FKeepOutlineCount && FKeepOutlineCount > 0)
            outline->ShiftFollowing(cur->GetItem(FKeepOutlineCount - 1), top);
        CurY = Store()->LastBandBottom(CurX);
        if (FKeepFooter && FKeepBand) FAggregates->AccumulateValue(FKeepBand, 0);
    }
    FKeeping = false;
    FKeepHeader = false;
    FKeepStartY = 0;
    AddPageToOutline();
}

void TvrEngine::NewColumn() {
    if (CurColumn >= FPage->Columns()) {
        NewPage();
        return;
    }
    CutKeptBlock();
    FLastBandOnPage = FCurBand;
    CloseColumn();
    OpenColumn();
    FLastBandOnPage = nullptr;
    if (FKeeping) {
        FAggregates->EndKeepAll();
        Store()->PasteCutObjects(CurX, CurY);
        CurY = Store()->LastBandBottom(CurX);
        if (FKeepFooter && FKeepBand) FAggregates->AccumulateValue(FKeepBand, 0);
    }
    FKeeping = false;
    FKeepHeader = false;
}

void TvrEngine::OpenColumn() {
    ++CurColumn;
    const Extended x = ColumnPosition(CurColumn);
    CurY = FFirstColumnY;
    for (int i = 0; i < FHeaders.Count(); ++i) {
        const TvrHeaderListItem entry = FHeaders.Items(i);
        if (!entry.Band || dynamic_cast<TvrPageHeader*>(entry.Band) || entry.Band == FLastBandOnPage ||
            entry.EnteredWhileKeeping || FKeepHeader)
            continue;
        CurX = entry.Offset + x;
        PlaceHeaderChain(entry.Band);
    }
    CurX = FColumnOffset + x;
}

void TvrEngine::PlaceHeaderChain(TvrBand* Band) {
    for (TvrBand* b = Band; b;) {
        b->Overflow = true;
        StretchBand(b);
        if (b->Visible()) {
            b->SetLeft(CurX);
            b->SetTop(CurY);
            Store()->AddBandToPage(b);
            CurY += b->Height();
        }
        RestoreBand(b);
        b->Overflow = false;
        if (!(b->Visible() || b->PrintChildIfInvisible)) break;
        b = b->Child();
        if (b == Band) break;
    }
}

void TvrEngine::CloseColumn() {
    TvrBand* footer = FPage->FindBand(TvrColumnFooter::StaticClassInfo());
    if (!footer) return;
    StretchBand(footer);
    if (footer->Visible()) {
        footer->SetLeft(CurX - FColumnOffset);
        footer->SetTop(CurY);
        Store()->AddBandToPage(footer);
        CurY += footer->Height();
    }
    RestoreBand(footer);
    FAggregates->ResetBand(footer);
}

void TvrEngine::ShowBandByClass(const meta::TClassInfo& BandClass) {
    if (FPage) ShowBand(FPage->FindBand(BandClass));
}

// --- outline and header lists ---

void TvrEngine::AddPageToOutline() {
    if (FPage->OutlineText.empty() || !Store()->Outline()) return;
    Store()->Outline()->LevelRoot();
    Store()->Outline()->AddItem(VarToStr(Report()->Calc(FPage->OutlineText)), 0);
}

void TvrEngine::AddBandToOutline(TvrBand* Band) {
    if (Band->OutlineText.empty() || !Band->Visible() || !Store()->Outline()) return;
    const Extended h = Band->Stretched ? Band->GrownHeight : Band->Height();
    Store()->Outline()->AddItem(VarToStr(Report()->Calc(Band->OutlineText)),
                                static_cast<Integer>(Round(CurY - h)));
}

void TvrEngine::LeaveBandOutline(TvrBand* Band) {
    if (!Band->OutlineText.empty() && Store()->Outline()) Store()->Outline()->LevelUp();
}

void TvrEngine::RememberHeader(TvrBand* Band) {
    if (!Band) return;
    if (Band->Vertical) {
        FVHeaders.push_back(Band);
        return;
    }
    bool reprint = false;
    if (auto* h = dynamic_cast<TvrHeader*>(Band)) reprint = h->ReprintOnNewPage;
    if (auto* g = dynamic_cast<TvrGroupHeader*>(Band)) reprint = g->ReprintOnNewPage;
    if (reprint) FHeaders.Add(Band, FKeeping, CurX);
}

void TvrEngine::ForgetHeader(TvrBand* Band) {
    if (!Band) return;
    if (Band->Vertical) {
        std::erase(FVHeaders, Band);
        return;
    }
    FHeaders.Remove(Band);
}
