// The report engine: turns a loaded report and its data sets into prepared pages in the store. It
// runs one or two passes over the report pages, prints the bands of each page in their order,
// stretches, splits and keeps bands together, breaks pages and columns, reprints headers, walks
// data bands, groups and vertical bands, and feeds the aggregates.
#pragma once

#include "report/vrAggregate.h"
#include "report/vrClass.h"
#include "report/vrClassObjects.h"

#include <functional>
#include <map>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class TvrPreviewPages;
class TvrSubreport;

struct TvrHeaderListItem {
    TvrBand* Band = nullptr;
    Extended Offset = 0;
    bool EnteredWhileKeeping = false;
};

class TvrHeaderList {
public:
    void Clear() { FItems.clear(); }
    int Count() const { return static_cast<int>(FItems.size()); }
    TvrHeaderListItem& Items(int Index) { return FItems[Index]; }
    void Add(TvrBand* Band, bool Keeping, Extended Offset) { FItems.push_back({Band, Offset, Keeping}); }
    void Remove(TvrBand* Band);

private:
    std::vector<TvrHeaderListItem> FItems;
};

class TvrEngine : public TvrCustomEngine {
    ORV_META(TvrEngine, TvrCustomEngine)
    explicit TvrEngine(TvrReport* Report);
    ~TvrEngine() override;

    Extended PageHeight() const override;
    void FinishPage() override;
    void ResetKeeping() override;
    void NewColumn() override;
    void NewPage() override;
    void ShowBand(TvrComponent* Band) override;
    void ShowBandByClass(const meta::TClassInfo& BandClass);
    Extended TopBandsHeight() override;
    Extended BottomBandsHeight() override;
    Extended FreeSpace() override;
    Variant CalcAggregate(const String& Name, const String& Expression, TvrComponent* Band,
                          Integer Flags) override;
    bool BuildReport() override;

    TvrAggregateList* Aggregates() const { return FAggregates.get(); }
    TvrReportPage* CurrentPage() const { return FPage; }
    TvrBand* CurrentBand() const { return FCurBand; }
    // The top-level data bands LinkBands found on a page (horizontal or vertical).
    const std::vector<TvrBand*>& TopLevelBands(TvrReportPage* Page, bool Vertical);
    // Called with a dialog page instead of showing it; returns its modal result (2 cancels).
    std::function<int(TvrPage* Page)> OnDialogPage;

    // --- band tree (vrEngineData) ---
    void LinkBands(TStrings* Errors, bool Vertical);
    void ShowDataBands(TvrComponent* Owner);
    bool DetailHasRows(TvrComponent* BandOrPage, bool PrintIfEmpty);

private:
    TvrPreviewPages* Store() const;
    // --- run (vrEngine) ---
    bool StartRun();
    void EndRun();
    bool ShowDialogPages();
    void BuildAllPages();
    void BuildAllPagesOnce();
    void BuildPage(TvrReportPage* Page);
    void BuildPageInstance();
    void BeginPage();
    void OpenPage();
    void PlaceFooter(TvrBand* Band);
    void OpenColumn();
    // Takes the block kept since the keep began off the page, before a break.
    void CutKeptBlock();
    // The offset of a page column (its ColumnPositions entry in millimetres); 0 for column 1.
    Extended ColumnPosition(Integer Column) const;
    void CloseColumn();
    void PlaceHeaderChain(TvrBand* Band);
    void SetEndlessPageSize();
    bool IsSubreportPage(TvrReportPage* Page) const;
    void AddPageToOutline();
    void AddBandToOutline(TvrBand* Band);
    void LeaveBandOutline(TvrBand* Band);
    void RememberHeader(TvrBand* Band);
    void ForgetHeader(TvrBand* Band);
    bool Terminated() const;
    void ProcessMessages();

    // --- output of one band (vrEngineBands) ---
    void PlaceBand(TvrBand* Band);
    void StretchBand(TvrBand* Band);
    void RestoreBand(TvrBand* Band);
    void ShiftBelow(TvrComponent* Obj, Extended Amount);
    void BuildShiftLinks(TvrBand* Band);
    void RecalcRepeatedValues(TvrBand* Band);
    void SplitBand(TvrBand* Band);
    void BeginKeep(TvrBand* Band, Integer Position = 0);
    void StopKeep(TvrBand* Band);
    void RunSubreports(TvrBand* Band);
    void InlineSubreports(TvrBand* Band);
    void CopyIntoOutputBand(TvrBand* Band);
    void ClearRepeatMemory(TvrBand* Band);
    void SetLineNumbers(TvrBand* Band);
    bool IsHeaderPrintOfPage(TvrBand* Band) const;

    // --- data bands and groups (vrEngineData) ---
    void AdvanceBandColumn(TvrDataBand* D, Integer ColumnMark, Extended Y0);
    void OpenGroups(TvrDataBand* D, TvrBand* FirstHeader, bool Resetting, int FromIndex);
    void TestGroupBreak(TvrDataBand* D, TvrBand* FirstHeader, Integer ColumnMark, Extended Y0);
    void CloseGroups(TvrBand* FirstHeader, int FromIndex, TvrDataBand* D);
    void ApplyDrillDown(TvrDataBand* D, TvrBand* FirstHeader);
    void NotifyListeners(TvrBand* D);

    // --- vertical bands (vrEngineVertical) ---
    void ShowVerticalBands(TvrBand* Master);
    void ShowVerticalDataBands(const std::vector<TvrBand*>& Bands);
    void PlaceVerticalBand(TvrBand* Band);
    void PlaceVerticalCells(TvrBand* Master);

    std::unique_ptr<TvrAggregateList> FAggregates;
    TvrHeaderList FHeaders;
    std::vector<TvrBand*> FVHeaders;
    std::vector<Integer> FVPageMarks;
    TvrBand* FVMaster = nullptr;
    std::vector<std::pair<String, Integer>> FBandTrail;
    std::map<TvrReportPage*, std::vector<TvrBand*>> FTopHorizontal, FTopVertical;
    std::unordered_set<TvrBand*> FShiftLinksBuilt;

    TvrReportPage* FPage = nullptr;
    TvrBand* FCurBand = nullptr;
    TvrBand* FLastBandOnPage = nullptr;
    TvrBand* FForcingBand = nullptr;
    bool FFirstReportPage = false, FFirstPage = false, FLastPage = false, FFirstBand = false;
    bool FFromPageStart = false, FFromPageEnd = false, FFromPageHeader = false, FSuppressHeaders = false;
    Extended FColumnOffset = 0, FFirstColumnY = 0, FPrevFooterHeight = 0;
    bool FKeeping = false, FKeepHeader = false, FKeepFooter = false;
    TvrBand* FKeepBand = nullptr;
    Extended FKeepStartY = 0;
    Integer FKeepPosition = 0, FKeepAnchorPosition = 0;
    Integer FKeepOutlineCount = 0;
    TvrBand* FOutputBand = nullptr;
    // Each band's shift amount while it is stretched.
    std::unordered_map<TvrComponent*, std::vector<TvrComponent*>> FShiftChildren;
};

// Installs an engine and a prepared-pages store into the report.
void vrInstallEngine(TvrReport* Report);
