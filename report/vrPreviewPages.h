// The prepared report: every printed page kept in one XML document as the differences between its
// objects and copies of the layout's objects, rebuilt into real objects for drawing, with a cache
// of rebuilt pages, logical page numbers, the outline and anchors, and the prepared report file.
#pragma once

#include "report/vrClassCollaborators.h"
#include "report/vrPictureCache.h"
#include "report/vrXML.h"
#include "gui/Input.h"
#include "rtl/Format.h"
#include "rtl/StringList.h"

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <unordered_map>
#include <vector>

// Aliases of the objects of a prepared report: "m1" → "Page0.Memo1" → the source copy.
class TvrDictionary : public TObject {
public:
    TvrDictionary();
    ~TvrDictionary() override;
    String ClassName() const override { return "TvrDictionary"; }

    void Clear();
    void Add(const String& Alias, const String& SourceName, TvrComponent* Obj);
    String AddUnique(const String& Prefix, const String& SourceName, TvrComponent* Obj);
    // Prefix followed by the first free number, found by halving from 10000.
    String CreateUniqueName(const String& Prefix) const;
    TvrComponent* GetObject(const String& Alias) const;
    String GetSourceName(const String& Alias) const;
    // Aliases in sorted order.
    int Count() const { return static_cast<int>(FNames.size()); }
    // Visits the aliases in sorted order with their source names.
    template <class F> void ForEach(F&& f) const {
        for (const auto& [alias, index] : FNames) f(alias, FSourceNames[index]);
    }

private:
    struct TLess {
        bool operator()(const String& a, const String& b) const;
    };
    int SourceIndex(const String& Alias) const;
    std::map<String, int, TLess> FNames; // alias (case-blind) -> index into FSourceNames
    TStringList FSourceNames;            // insertion order: source name -> source copy
};

class TvrPreviewPages;

// The outline of a prepared report, kept as "item" elements under the document's "outline".
class TvrOutline : public TvrCustomOutline {
    ORV_META(TvrOutline, TvrCustomOutline)
    explicit TvrOutline(TvrCustomPreviewPages* PreviewPages);

    Integer ChildCount() override;
    void AddItem(const String& Text, Integer Top) override;
    void EnterChild(Integer Index);
    void LevelRoot() override;
    void LevelUp() override;
    void ReadChild(Integer Index, String& Text, Integer& Page, Integer& Top);
    // Moves the item after From, with its descendants, to the next page at NewTop.
    void ShiftFollowing(TvrXMLItem* From, Integer NewTop);
    TvrXMLItem* LastChildItem();
    TvrXMLItem* Root();
    TvrXMLItem* CurItem() { return FCurItem ? FCurItem : Root(); }

private:
    TvrPreviewPages* Pages() const;
    TvrXMLItem* FCurItem = nullptr;
};

class TCanvas;
struct TvrPageNumbers;

// What a hit test asks of the preview that shows the page.
struct TvrHitTestResult {
    TvrComponent* Object = nullptr; // the topmost view under the point
    String LinkText, HintText;      // the preview's two status texts
    String ShortHint;               // shown as the preview's hint
    bool ShowHint = false;
    Integer JumpPage = -1, JumpTop = 0; // a link asks to show this page at this top
    bool Repaint = false;               // a click handler changed the page
    bool Rebuild = false;               // a drill-down was toggled: prepare the report again
};

using TvrClickObjectEvent =
    std::function<void(TvrComponent* View, TMouseButton Button, TShiftState Shift, bool& Modified)>;

class TvrPreviewPages : public TvrCustomPreviewPages {
public:
    explicit TvrPreviewPages(TvrReport* Report);
    ~TvrPreviewPages() override;
    String ClassName() const override { return "TvrPreviewPages"; }

    enum TAddPageAction { apWriteOver, apAdd };
    TAddPageAction AddPageAction = apAdd;
    Integer CopyNo = 0;
    Extended PrintScale = 1;
    bool AllowPartialLoading = false;

    TvrXMLDocument* XMLDoc() const { return FXMLDoc.get(); }
    TvrDictionary* Dictionary() const { return FDictionary.get(); }
    TvrPictureCache* PictureCache() const { return FPictureCache.get(); }
    TvrOutline* PagesOutline() const;
    const std::vector<TvrComponent*>& SourcePages() const { return FSourcePages; }
    // The text an object is rebuilt from: its class name and, unless it uses the generic diff,
    // its full attribute text.
    String BaseText(TvrComponent* Copy) const;
    Integer PagesInCacheCount() const { return FPageCache.Count(); }
    bool PageInCache(Integer Index) const { return FPageCache.IndexOf(IntToStr(Index)) >= 0; }
    Int64 XMLSize() const { return FXMLSize; }
    // The page element at index ("previewpages" child).
    TvrXMLItem* PageItem(Integer Index);
    TvrXMLItem* RootChild(const String& Name) { return FXMLDoc->Root()->FindItem(Name); }

    // --- the store's operations ---
    Integer GetPageCount() override;
    TvrComponent* GetPreparedPage(Integer Index);
    TPoint GetPreparedPageSize(Integer Index);
    void ClearAll() override;
    void ClearPageCache();
    void PrepareForRun();
    void AddBandToPage(TvrComponent* Band);
    void StartPreparedPage(TvrComponent* ReportPage);
    void RegisterSourcePage(TvrComponent* ReportPage);
    void RegisterRuntimeObject(TvrComponent* Obj);
    void MarkPassStart();
    void DropPassOutput();
    void CutFromPosition(Integer Position);
    void EndRunCleanup();
    void NextLogicalPage();
    void RestartLogicalPages();
    void PasteCutObjects(Extended X, Extended Y);
    void ShiftAnchorTops(Integer From, Integer NewTop);
    bool HasBandOnPage(TvrComponent* Band);
    Integer CurrentPosition();
    Integer AnchorPosition();
    Extended LastBandBottom(Extended X);
    Integer LogicalPageNumber() override;
    Integer LogicalPageTotal() override;
    void InsertBlankPage(Integer Index);
    void RemovePage(Integer Index);
    void ReplacePage(Integer Index, TvrComponent* Page);
    void AppendReport(TvrReport* Other);
    // Keeps the view's graphic once in the picture cache and sets its ImageIndex.
    void StorePicture(TvrComponent* View);
    void SetSourcePageSize(TvrComponent* ReportPage, Extended Height, Extended Width);

    // --- drawing and the preview ---
    // Draws page Index; views outside the canvas's visible area are skipped.
    void PaintPage(Integer Index, TCanvas* Canvas, Extended ScaleX, Extended ScaleY, Extended OffsetX,
                   Extended OffsetY);
    // The number of views the last PaintPage drew.
    Integer PaintedViews() const { return FPaintedViews; }
    // Finds the view under (X, Y) of page Index and acts on a click; false when nothing was hit.
    bool HitTestObject(Integer Index, Integer X, Integer Y, TMouseButton Button, TShiftState Shift, Extended Scale,
                       Extended OffsetX, Extended OffsetY, bool Click, int& Cursor, bool DoubleClick);
    const TvrHitTestResult& LastHitTest() const { return FHit; }
    bool PreviewShowsHints = true;
    TvrClickObjectEvent OnClickObject, OnDblClickObject;
    // Opens a confirmed web or mail link; the desktop's ShellOpen unless a test sets another.
    std::function<bool(const String& URL)> OpenLink;

    // --- printing and exporting ---
    // The interfaces are described at TvrCustomPreviewPages. CopyNo and PrintScale are those of
    // the sheet being printed while a job runs (0 and 1 outside).
    bool SendToPrinter() override;
    bool SendToExportFilter(TvrCustomExportFilter* Filter) override;

    // --- anchors ---
    void AddAnchor(const String& Text);
    Integer GetAnchorPage(const String& Text);
    TvrXMLItem* FindAnchor(const String& Text);

    // --- prepared report files ---
    void ReadFromStream(TStream& Stream, bool AllowPartial);
    void WriteToStream(TStream& Stream);
    bool ReadFromFile(const String& FileName, bool RaiseIfMissing);
    void WriteToFile(const String& FileName);

    // Set by the engine while a pass that is not the last one of two runs.
    bool FinalPass() const;
    bool EngineRunning() const;

private:
    void WriteObject(TvrComponent* Obj, TvrXMLItem* Parent);
    TvrComponent* SourceCopyOf(TvrComponent* ReportPage, int* Index = nullptr) const;
    TvrComponent* CopyObject(TvrComponent* Obj, TvrComponent* ParentCopy);
    void AddToDictionary(TvrComponent* Copy, TvrComponent* Original, int PageIndex);
    void ReadPageChildren(TvrXMLItem* Item, TvrComponent* Parent, bool Legacy);
    TvrComponent* BuildPage(TvrXMLItem* Item);
    void WritePageInFull(TvrComponent* Page, TvrXMLItem* Item);
    void ReadFile(TStream& Stream, bool AllowPartial, std::unique_ptr<TStream> Owned);
    void SetBaseText(TvrComponent* Copy);
    void FillFileSections();
    void ClearFileSections();
    // Saves through Save with the file sections filled, and empties them again in any case.
    void SaveWithFileSections(const std::function<void()>& Save);
    void FreeSourcePages();
    Integer TwoPassRunning() const;

    // A picture that cannot be read or drawn: its view is left empty, and the error goes to the
    // report's error list once for each picture of the prepared report.
    void PictureFailed(TvrComponent* View, const String& Message);
    void FollowURL(const String& URL);
    void ToggleDrillDown(const String& Name, bool Click, TMouseButton Button, int& Cursor);
    void ExportPages(TvrCustomExportFilter* Filter, const TvrPageNumbers& Pages);
    void ExportPage(TvrCustomExportFilter* Filter, TvrComponent* Page, Integer Index);
    Integer FPaintedViews = 0;
    std::set<String> FFailedPictures;
    TvrHitTestResult FHit;
    std::unique_ptr<TvrXMLDocument> FXMLDoc;
    std::unique_ptr<TvrDictionary> FDictionary;
    std::unique_ptr<TvrPictureCache> FPictureCache;
    std::vector<TvrComponent*> FSourcePages; // owned
    std::unordered_map<const TvrComponent*, String> FBaseTexts;
    TStringList FPageCache; // "index" -> rebuilt page, most recently used first (owned)
    TvrXMLItem* FPagesItem = nullptr;
    Integer FFirstPageIndex = -1, FFirstObjectIndex = 0, FFirstOutlineIndex = 0;
    Integer FLogicalPageCounter = 0;
    Int64 FXMLSize = 0;
    bool FLegacyFormat = false;
};

// A picture object among the source copies writes no picture (prepared pages take pictures from
// the picture cache by ImageIndex); other objects are left as they are.
void vrDropStoredPictures(TvrComponent* Obj);

// The attribute text of an outline or anchor item: text (escaped), page and top, in this order.
String vrPageItemText(const String& Text, Integer Page, Integer Top);

// The file-format error of prepared report files.
inline constexpr const char* vrInvalidFileFormat = "Invalid file format";
