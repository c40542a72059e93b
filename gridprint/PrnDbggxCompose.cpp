#include "gridprint/PrnDbggxComposer.h"

#include "grid/DBGridGx.h"
#include "grid/DBGridGxSelection.h"
#include "gui/Forms.h"
#include "rtl/ScopeGuards.h"

#include <cmath>

// Watches the grid, its data source and its data set while a print runs: the message processing
// between rows lets the user close the window that owns them.
class TPrintWatch : public TComponent {
public:
    TPrintWatch() : TComponent(nullptr) {}
    ~TPrintWatch() override {
        for (TComponent* c : FWatched)
            if (c) c->RemoveFreeNotification(this);
    }
    void Watch(TComponent* c) {
        if (!c) return;
        FWatched.push_back(c);
        c->FreeNotification(this);
    }
    bool Gone(const TComponent* c) const { return std::find(FGone.begin(), FGone.end(), c) != FGone.end(); }
    bool AnyGone() const { return !FGone.empty(); }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation != opRemove) return;
        for (TComponent*& c : FWatched)
            if (c == AComponent) {
                FGone.push_back(c);
                c = nullptr;
            }
    }

private:
    std::vector<TComponent*> FWatched;
    std::vector<const TComponent*> FGone;
};

void TPrintDBGridGx::PrintToPrinter(TVirtualPrinter* printer) {
    if (FBusy) throw EGridPrintBusy("The grid is already being printed");
    if (!printer || !FDBGridGx || !FDBGridGx->DataSource() || !FDBGridGx->DataSource()->DataSet() ||
        !FDBGridGx->DataSource()->DataSet()->Active())
        return;
    FBusy = true;
    TScopeExit notBusy([this] { FBusy = false; });
    TGridPageComposer composer(*this, *printer, FDBGridGx);
    composer.Run();
}

TGridPageComposer::TGridPageComposer(TPrintDBGridGx& owner, TVirtualPrinter& printer, TDBGridGx* grid)
    : FOwner(owner), FPrinter(printer), FGrid(grid), FWatch(std::make_unique<TPrintWatch>()) {
    FSource = grid->DataSource();
    FDataSet = FSource->DataSet();
    FWatch->Watch(grid);
    FWatch->Watch(FSource);
    FWatch->Watch(FDataSet);
    FWatch->Watch(&owner);
}

TGridPageComposer::~TGridPageComposer() = default;

int TGridPageComposer::Round(double v) const {
    return static_cast<int>(std::nearbyint(v));
}

void TGridPageComposer::SetFont(const TFont* font) {
    if (font) FCanvas->Font()->Assign(*font);
    FOwner.ApplyPrintFont(*FCanvas->Font());
}

// Stops the print cleanly when the grid, its data or the printer component went away while
// messages were processed.
void TGridPageComposer::CheckAlive() {
    if (FWatch->AnyGone() || FOwner.DBGridGx() != FGrid || FGrid->DataSource() != FSource ||
        FSource->DataSet() != FDataSet || !FDataSet->Active())
        Abort();
}

void TGridPageComposer::Run() {
    FMacros = ComputePageMacroValues(1);
    PrintedColumns();
    FFooterRows = FGrid->FooterRowCount();
    FFooterValues.assign(static_cast<size_t>(FFooterRows) * FColumns.size(), 0);

    FPrinter.BeginDoc();
    FDocStarted = true;
    FCanvas = FPrinter.Canvas();
    FFresh = true;
    FSavedBookmark = FDataSet->GetBookmark();
    if (FOwner.OnBeforePrint) {
        try {
            FOwner.OnBeforePrint(&FOwner);
        } catch (...) {
            CleanUp();
            throw;
        }
    }
    try {
        FDataSet->DisableControls();
        FControlsDisabled = true;
        FDataSet->First();
        FPrinter.SetTitle("Tabular information");
        FCanvas->Brush()->SetStyle(bsClear);
        FCanvas->Brush()->SetColor(clWhite);
        SetFont(FGrid->Font());
        PageMetrics();
        ColumnWidths();
        FitByScaling();
        ColumnGroups();
        PrepareCanvas();

        // Header and footer blocks, then the content area between them.
        int h = Colontitle(TRect(FLeft, FTop, FRight, FTop), *FOwner.PageHeader(), true, true);
        FHeaderRect = TRect(FLeft, FTop, FRight, FTop + h);
        FTop += h;
        h = Colontitle(TRect(FLeft, FBottom, FRight, FBottom), *FOwner.PageFooter(), false, true);
        FFooterRect = TRect(FLeft, FBottom - h, FRight, FBottom);
        FBottom -= h;
        FContentRect = TRect(FLeft, FTop, FRight, FBottom);

        FRowHeight = RowHeight();
        FTitleHeight = TitleHeight();
        FTitleLinesHeight = TitleLinesHeight();
        FTop += FTitleHeight + FTitleLinesHeight;

        if (UsesPageCountMacro(*FOwner.PageHeader(), *FOwner.PageFooter())) CountingPass();
        DrawBlocks();
        Body();
    } catch (...) {
        CleanUp();
        throw;
    }
    CleanUp();
}

void TGridPageComposer::CleanUp() {
    auto step = [](auto&& fn) {
        try {
            fn();
        } catch (...) {
            // Clean-up goes on; the print's own error is the one the caller sees.
        }
    };
    if (!FWatch->Gone(&FOwner) && FOwner.OnAfterPrint) step([this] { FOwner.OnAfterPrint(&FOwner); });
    if (!FWatch->Gone(FDataSet) && FDataSet->Active() && !FSavedBookmark.empty())
        step([this] {
            if (FDataSet->BookmarkValid(FSavedBookmark)) FDataSet->GotoBookmark(FSavedBookmark);
        });
    if (!FWatch->Gone(FDataSet) && FControlsDisabled) step([this] { FDataSet->EnableControls(); });
    FControlsDisabled = false;
    FCounting = false;
    FCountingCanvas.reset();
    FCountingMetafile.reset();
    if (FDocStarted) {
        FDocStarted = false;
        FPrinter.EndDoc();
    }
}

void TGridPageComposer::PageMetrics() {
    int offX = (FPrinter.PaperWidth() - FPrinter.PageWidth()) / 2;
    int offY = (FPrinter.PaperHeight() - FPrinter.PageHeight()) / 2;
    int screenX = 96, screenY = 96;
    if (FGrid->Canvas()) {
        screenX = std::max(1, FGrid->Canvas()->GetDeviceCaps(LOGPIXELSX));
        screenY = std::max(1, FGrid->Canvas()->GetDeviceCaps(LOGPIXELSY));
    }
    if (FPrinter.Printers().empty()) {
        FPrinterX = FPrinterY = 600;
    } else {
        FPrinterX = std::max(1, FPrinter.DpiX());
        FPrinterY = std::max(1, FPrinter.DpiY());
    }
    FScaleX = static_cast<double>(std::max(screenX, FPrinterX)) / std::min(screenX, FPrinterX);
    FScaleY = static_cast<double>(std::max(screenY, FPrinterY)) / std::min(screenY, FPrinterY);
    double u = FOwner.Units() == MM ? 2.54 : 1.0;
    const TPageParams& p = *FOwner.Page();
    FLeft = Round(FPrinterX * static_cast<double>(p.LeftMargin().ToDouble()) / u) - offX;
    FTop = Round(FPrinterY * static_cast<double>(p.TopMargin().ToDouble()) / u) - offY;
    FRight =
        FPrinter.PageWidth() + offX - Round(FPrinterX * static_cast<double>(p.RightMargin().ToDouble()) / u);
    FBottom = FPrinter.PageHeight() + offY -
              Round(FPrinterY * static_cast<double>(p.BottomMargin().ToDouble()) / u);
    FHPad = Round(2 * FScaleX);
    if (FGrid->Flat()) {
        FVPad = Round(FScaleY);
        FLineExtra = Round(FScaleY / 2);
    } else {
        FVPad = Round(2 * FScaleY);
        FLineExtra = Round(FScaleY);
    }
    FLineWidth = std::max(1, (FPrinterX + FPrinterY) / 200);
}

void TGridPageComposer::ColumnWidths() {
    FWidths.clear();
    for (TColumnGx* c : FColumns)
        FWidths.push_back(Round((c->Width() + 1) * FScaleX));
    if (FOwner.HasOption(pghOptimalColWidths)) OptimalWidths();
    if (FOwner.HasOption(pghFitGridToPageWidth) && FOwner.HasOption(pghFitingByColWidths) &&
        !FWidths.empty()) {
        long long sum = 0;
        for (int w : FWidths)
            sum += w;
        int avail = FRight - FLeft - FLineWidth;
        if (sum > avail && sum > 0) {
            long long total = 0;
            for (int& w : FWidths) {
                w = MulDiv(w, avail, static_cast<int>(sum));
                total += w;
            }
            if (avail < total) FWidths.back() -= static_cast<int>(total - avail);
        }
    }
}

// Each width from the widest printed text of its column (title, cells and footers).
void TGridPageComposer::OptimalWidths() {
    FCountingMetafile = std::make_unique<TMetafile>();
    FCountingCanvas = std::make_unique<TMetafileCanvas>(FCountingMetafile.get(), FCanvas);
    TCanvas* printerCanvas = FCanvas;
    FCanvas = FCountingCanvas.get();
    bool wasCounting = FCounting;
    FCounting = true;
    for (size_t i = 0; i < FColumns.size(); ++i) {
        TColumnGx* c = FColumns[i];
        FWidths[i] = 10;
        SetFont(FGrid->TitleFont());
        FWidths[i] = std::max(FWidths[i], FCanvas->TextWidth(TitleCaption(c)) + 2 * FHPad);
    }
    TRowCursor cur = StartCursor();
    TColCellParamsGx params;
    while (!cur.End) {
        GoTo(cur);
        for (size_t i = 0; i < FColumns.size(); ++i) {
            TColumnGx* c = FColumns[i];
            int w = 0;
            if (cur.IsRecord) {
                SetFont(c->Font());
                c->InitCellParams(&params);
                params.Font = FCanvas->Font();
                c->GetColCellParams(false, &params);
                w = FCanvas->TextWidth(params.Text) + 2 * FHPad;
            } else {
                TPrintFooterCell f = FOwner.FooterCell(c, cur.FooterRow);
                SetFont(f.Font ? f.Font : FGrid->FooterFont());
                w = FCanvas->TextWidth(f.ShownText) + 2 * FHPad;
            }
            FWidths[i] = std::max(FWidths[i], w);
        }
        Advance(cur);
    }
    FDataSet->First();
    FCounting = wasCounting;
    FCanvas = printerCanvas;
    FCountingCanvas.reset();
    FCountingMetafile.reset();
}

void TGridPageComposer::FitByScaling() {
    if (!FOwner.HasOption(pghFitGridToPageWidth)) return;
    int total = FLineWidth;
    for (int w : FWidths)
        total += w;
    int w = FRight - FLeft;
    if (w <= 0 || w >= total) return;
    FScaled = true;
    FScaleTotal = total;
    FScaleW = w;
    FRight = MulDiv(FRight, total, w);
    FLeft = MulDiv(FLeft, total, w);
    FTop = MulDiv(FTop, total, w);
    FBottom = MulDiv(FBottom, total, w);
}

void TGridPageComposer::ApplyScaling(TCanvas* canvas) {
    if (!FScaled) return;
    int mode = FPrinterX == FPrinterY ? MM_ISOTROPIC : MM_ANISOTROPIC;
    if (canvas->SetMapMode(mode) == 0)
        throw Exception(" function SetMapMode(Handle, MM_ISOTROPIC) has returned 0 ");
    canvas->SetWindowOrgEx(0, 0);
    canvas->SetWindowExtEx(FScaleTotal,
                           static_cast<int>(static_cast<long long>(FScaleTotal) * FPrinterX / FPrinterY));
    canvas->SetViewportExtEx(FScaleW,
                             static_cast<int>(static_cast<long long>(FScaleW) * FPrinterX / FPrinterY));
}

void TGridPageComposer::ColumnGroups() {
    FClipped.assign(FWidths.size(), 0);
    FGroupEnds.clear();
    int x = FLeft + FLineWidth;
    for (size_t i = 0; i < FWidths.size(); ++i) {
        int c = std::min(FWidths[i], FRight - FLeft);
        FClipped[i] = c;
        x += c;
        if (x > FRight && i > 0) {
            FGroupEnds.push_back(static_cast<int>(i) - 1);
            x = FLeft + c + FLineWidth;
        }
    }
    FGroupEnds.push_back(static_cast<int>(FWidths.size()) - 1);
}

void TGridPageComposer::PrepareCanvas() {
    FCanvas->Pen()->SetWidth(FLineWidth);
    FCanvas->Brush()->SetStyle(bsClear);
    FCanvas->Brush()->SetColor(clWhite);
    SetFont(FGrid->Font());
    ApplyScaling(FCanvas);
}

void TGridPageComposer::DrawBlocks() {
    if (FCounting) return;
    Colontitle(FHeaderRect, *FOwner.PageHeader(), true, false);
    Colontitle(FFooterRect, *FOwner.PageFooter(), false, false);
}

void TGridPageComposer::NewPage() {
    if (FCounting) {
        ++FPageCount;
        PrepareCanvas();
        return;
    }
    FPrinter.NewPage();
    FCanvas = FPrinter.Canvas();
    PrepareCanvas();
    DrawBlocks();
}

// The body once on a counting canvas: counts the pages, then everything starts again.
void TGridPageComposer::CountingPass() {
    TCursor saved = Screen()->Cursor();
    Screen()->SetCursor(crHourGlass);
    TScopeExit restoreCursor([saved] { Screen()->SetCursor(saved); });
    FCounting = true;
    TCanvas* printerCanvas = FCanvas;
    FCountingMetafile = std::make_unique<TMetafile>();
    FCountingCanvas = std::make_unique<TMetafileCanvas>(FCountingMetafile.get(), printerCanvas);
    FCountingCanvas->Font()->SetPixelsPerInch(printerCanvas->Font()->PixelsPerInch());
    FCanvas = FCountingCanvas.get();
    PrepareCanvas();
    Body();
    FCanvas = printerCanvas;
    FCountingCanvas.reset();
    FCountingMetafile.reset();
    FMacros = ComputePageMacroValues(FPageCount);
    FCounting = false;
    FFresh = true;
    FYOffset = 0;
    FDataSet->First();
    std::fill(FFooterValues.begin(), FFooterValues.end(), 0);
}

void TGridPageComposer::Body() {
    if (FOwner.HasBeforeGridText()) PrintRichText(FOwner.BeforeGridText());
    if (FYOffset >= FBottom - FTop) {
        NewPage();
        FYOffset = 0;
    }
    TRowCursor cursor = StartCursor();
    while (true) {
        TBand band = MeasureBand(cursor, FTop + FYOffset, FBottom);
        // A first row that would fit a page of its own does not start in the little space left
        // below earlier content: it moves to the next page.
        if (FYOffset > 0 && !band.Heights.empty() && band.Heights.front() > FBottom - FTop - FYOffset &&
            band.Heights.front() <= FBottom - FTop) {
            NewPage();
            FYOffset = 0;
            band = MeasureBand(cursor, FTop, FBottom);
        }
        int used = PrintBand(band);
        FYOffset = used + FLineWidth;
        if (band.After.End) break;
        FYOffset = 0;
        cursor = band.After;
    }
    FCanvas->Brush()->SetStyle(bsClear);
    FCanvas->Brush()->SetColor(clWhite);
    if (FOwner.HasAfterGridText()) PrintRichText(FOwner.AfterGridText());
}

void TGridPageComposer::PrintRichText(TRichEditStrings* text) {
    const TRichTextHolder& holder = text->Holder();
    int length = holder.TextLength();
    int first = 0;
    SetFont(FGrid->Font());
    while (first < length) {
        TRect area(FContentRect.Left, FContentRect.Top + FYOffset, FContentRect.Right, FContentRect.Bottom);
        int used = 0;
        int next = holder.FormatRange(*FCanvas, area, first, FCounting, used);
        FYOffset += used;
        if (next >= length) break;
        NewPage();
        FYOffset = 0;
        first = next;
    }
}

// ---- rows ---------------------------------------------------------------------------------------

// Rectangle selection: its columns (visible ones); column selection: the selected columns;
// otherwise every visible column.
void TGridPageComposer::PrintedColumns() {
    TDBGridGxSelection* sel = FGrid->Selection();
    TDBGridGxSelectionType kind = sel ? sel->SelectionType() : gstNon;
    if (kind == gstRectangle) {
        int from = sel->Rect()->GetLeftmostCol(), to = sel->Rect()->GetRightmostCol();
        for (int i = std::max(0, from); i <= to && i < FGrid->Columns()->Count(); ++i)
            if (FGrid->Columns()->ColumnAt(i)->Visible()) FColumns.push_back(FGrid->Columns()->ColumnAt(i));
    } else if (kind == gstColumns) {
        for (int i = 0; i < sel->Columns()->Count(); ++i)
            FColumns.push_back(sel->Columns()->Items(i));
    } else {
        for (TColumnGx* c : FGrid->VisibleColumns().Items())
            if (c) FColumns.push_back(c);
    }
}

TDBGridGxSelectionType TGridPageComposer::SelectionKind() const {
    return FGrid->Selection() ? FGrid->Selection()->SelectionType() : gstNon;
}

void TGridPageComposer::ToFooterRows(TRowCursor& c) {
    c.IsRecord = false;
    c.Key.clear();
    c.FooterRow = 0;
    c.End = FFooterRows == 0;
}

// The row sequence: the selected records (marked ones, or the rectangle's rows) or all records
// in data set order, then the footer rows.
TRowCursor TGridPageComposer::StartCursor() {
    TRowCursor c;
    FDataSet->First();
    if (FDataSet->Eof()) {
        ToFooterRows(c);
        return c;
    }
    TDBGridGxSelection* sel = FGrid->Selection();
    switch (SelectionKind()) {
    case gstRecordBookmarks: {
        TBookmarkListGx* rows = sel->Rows();
        if (!rows->CurrentRowSelected()) {
            if (rows->BookmarkCount() == 0) {
                ToFooterRows(c);
                return c;
            }
            FDataSet->GotoBookmark(rows->BookmarkAt(0));
        }
        break;
    }
    case gstRectangle:
        FDataSet->GotoBookmark(sel->Rect()->GetTopmostRow());
        break;
    default:
        break;
    }
    c.IsRecord = true;
    c.Key = FDataSet->GetBookmark();
    return c;
}

void TGridPageComposer::Advance(TRowCursor& c) {
    if (c.End) return;
    if (c.IsRecord) {
        GoTo(c);
        TDBGridGxSelection* sel = FGrid->Selection();
        TDBGridGxSelectionType kind = SelectionKind();
        if (kind == gstRecordBookmarks) {
            TBookmarkListGx* rows = sel->Rows();
            int index = 0;
            int next = rows->LocateBookmark(c.Key, index) ? index + 1 : 0;
            if (next >= rows->BookmarkCount()) {
                ToFooterRows(c);
                return;
            }
            c.Key = rows->BookmarkAt(next);
            FDataSet->GotoBookmark(c.Key);
            return;
        }
        FDataSet->Next();
        if (!FDataSet->Eof() &&
            (kind != gstRectangle ||
             sel->Rows()->CompareMarks(FDataSet->GetBookmark(), sel->Rect()->GetBottomRow()) <= 0)) {
            c.Key = FDataSet->GetBookmark();
            return;
        }
        ToFooterRows(c);
        return;
    }
    if (c.FooterRow + 1 < FFooterRows) {
        ++c.FooterRow;
    } else {
        c.End = true;
        c.FooterRow = 0;
    }
}

void TGridPageComposer::GoTo(const TRowCursor& c) {
    if (c.IsRecord && FDataSet->GetBookmark() != c.Key) FDataSet->GotoBookmark(c.Key);
}

TGridPageComposer::TBand TGridPageComposer::MeasureBand(const TRowCursor& from, int start, int limit) {
    TBand band;
    band.First = from;
    TRowCursor cur = from;
    int y = start;
    while (true) {
        GoTo(cur);
        int h = FRowHeight;
        int x = FLeft;
        for (size_t i = 0; i < FColumns.size(); ++i) {
            TRect r(x, 0, x + FClipped[i], FRowHeight);
            h = std::max(h,
                         PaintCell(static_cast<int>(i), r, cur, static_cast<int>(band.Heights.size()), true));
            x += FClipped[i];
        }
        y += h;
        if ((y > limit || cur.End) && !band.Heights.empty()) break;
        bool wasEnd = cur.End;
        Advance(cur);
        band.Heights.push_back(h);
        if (wasEnd) break;
    }
    band.After = cur;
    return band;
}

int TGridPageComposer::PrintBand(const TBand& band) {
    int used = 0;
    int groupStart = 0;
    for (size_t g = 0; g < FGroupEnds.size(); ++g) {
        int a = groupStart, b = FGroupEnds[g];
        groupStart = b + 1;
        if (FPrinter.Aborted()) Abort();
        if (FFresh)
            FFresh = false;
        else
            NewPage();
        // The first group continues where the previous content ended; each further group takes
        // a page of its own from the top.
        int pageTop = g == 0 ? FTop + FYOffset : FTop;
        int rowsHeight = 0;
        for (int h : band.Heights)
            rowsHeight += h;
        int shown = 0; // height of the band already printed on earlier pages
        while (true) {
            FTitlePoints.clear();
            FTitleCounts.clear();
            FRowPoints.clear();
            FRowCounts.clear();
            int savedYOffset = FYOffset;
            FYOffset = pageTop - FTop;
            DrawTitleLines(a, b);
            DrawTitles(a, b);
            FYOffset = savedYOffset;
            int saved = 0;
            if (!FCounting) {
                saved = FCanvas->SaveDC();
                FCanvas->IntersectClipRect(TRect(FLeft - FLineWidth, pageTop - FLineWidth,
                                                 FRight + FLineWidth, FBottom + FLineWidth));
            }
            TRowCursor cur = band.First;
            int y = pageTop - shown;
            for (size_t r = 0; r < band.Heights.size(); ++r) {
                GoTo(cur);
                int h = band.Heights[r];
                if (y + h > pageTop - FLineWidth && y < FBottom + FLineWidth) {
                    int x = FLeft;
                    for (int i = a; i <= b; ++i) {
                        TRect cell(x, y, x + FClipped[static_cast<size_t>(i)], y + h);
                        if (FGrid->UseRightToLeftAlignment())
                            cell =
                                TRect(FRight - (cell.Right - FLeft), y, FRight - (cell.Left - FLeft), y + h);
                        PaintCell(i, cell, cur, static_cast<int>(r), false);
                        x += FClipped[static_cast<size_t>(i)];
                    }
                }
                if (g == 0 && shown == 0 && cur.IsRecord) AccumulateFooters();
                if (!FCounting) {
                    Application()->ProcessMessages();
                    CheckAlive();
                }
                y += h;
                Advance(cur);
            }
            if (!FCounting) {
                DrawLines();
                FCanvas->RestoreDC(saved);
            }
            int bottomOfRows = pageTop - shown + rowsHeight;
            if (bottomOfRows <= FBottom) {
                used = bottomOfRows - FContentRect.Top;
                break;
            }
            // The rows go on below the page: the rest continues on the next one.
            shown += FBottom - pageTop;
            NewPage();
            pageTop = FTop;
        }
    }
    return used;
}
