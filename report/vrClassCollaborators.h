// The abstract collaborators of a report (engine, prepared-pages store, outline, preview control,
// export filter) and the expression cache, which compiles each expression of a report once.
#pragma once

#include "classes/Persistent.h"
#include "gui/Controls.h"
#include "report/vrClassBase.h"
#include "rtl/Lists.h"
#include "rtl/StringList.h"

#include <memory>

class TvrReport;
class TvrBand;
class TvsScript;
class TvrCustomPreviewPages;
class TvrCustomExportFilter;

class TvrCustomEngine : public TPersistent {
    ORV_META(TvrCustomEngine, TPersistent)
    explicit TvrCustomEngine(TvrReport* Report);
    ~TvrCustomEngine() override;

    Integer CurColumn = 0, CurVColumn = 0;
    Extended CurX = 0, CurY = 0;
    bool FinalPass = false;
    Extended FPageHeight = 0, PageWidth = 0;
    TDateTime StartDate = 0, StartTime = 0;
    Integer TotalPages = 0;
    bool SecondScriptCall = false;
    Integer CurLine = 0, CurLineThrough = 0;
    TList* NotifyList() const { return FNotifyList.get(); }
    TvrCustomPreviewPages* PreviewPages = nullptr;
    TvrReport* Report() const { return FReport; }
    bool Running = false;

    bool DoublePass() const;
    void StopReport();

    virtual Extended PageHeight() const { return FPageHeight; }
    virtual void FinishPage();
    virtual void ResetKeeping() {}
    virtual void NewColumn();
    virtual void NewPage();
    virtual void ShowBand(TvrComponent* Band);
    virtual Extended TopBandsHeight();
    virtual Extended BottomBandsHeight();
    virtual Extended FreeSpace();
    virtual Variant CalcAggregate(const String& Name, const String& Expression, TvrComponent* Band,
                                  Integer Flags);
    virtual bool BuildReport();

private:
    TvrReport* FReport;
    std::unique_ptr<TList> FNotifyList;
};

class TvrCustomOutline : public TPersistent {
    ORV_META(TvrCustomOutline, TPersistent)
    explicit TvrCustomOutline(TvrCustomPreviewPages* PreviewPages) : FPreviewPages(PreviewPages) {}
    TvrCustomPreviewPages* PreviewPages() const { return FPreviewPages; }
    virtual Integer ChildCount();
    virtual void AddItem(const String& Text, Integer Top);
    virtual void LevelRoot();
    virtual void LevelUp();

private:
    TvrCustomPreviewPages* FPreviewPages;
};

// The prepared-pages store as the report sees it; the engine issue supplies the store itself.
class TvrCustomPreviewPages : public TObject {
public:
    explicit TvrCustomPreviewPages(TvrReport* Report);
    ~TvrCustomPreviewPages() override;
    String ClassName() const override { return "TvrCustomPreviewPages"; }

    TvrReport* Report() const { return FReport; }
    TvrCustomEngine* Engine = nullptr;
    Integer CurPage = 0, CurPreviewPage = 0, FirstPage = 0;
    TvrCustomOutline* Outline() const { return FOutline.get(); }

    virtual Integer GetPageCount();
    virtual void ClearAll();
    virtual Integer LogicalPageNumber();
    virtual Integer LogicalPageTotal();
    // Prints the pages on the current printer as the report's PrintOptions say (the print dialog
    // first when ShowDialog is set); false when no printer is installed, the dialog was cancelled
    // or nothing could be printed. A caller that shows a page sets CurPreviewPage first.
    virtual bool SendToPrinter();
    // Hands the pages to the filter (see TvrCustomExportFilter); false without a filter, when its
    // dialog was cancelled or when the export raised an error (then reported with the report's
    // error list). CurPreviewPage is the page a current-page-only export takes.
    virtual bool SendToExportFilter(TvrCustomExportFilter* Filter);

protected:
    void SetOutline(std::unique_ptr<TvrCustomOutline> Outline) { FOutline = std::move(Outline); }

private:
    TvrReport* FReport;
    std::unique_ptr<TvrCustomOutline> FOutline;
};

// A control that shows a report's prepared pages.
class TvrCustomPreview : public TCustomControl {
    ORV_META(TvrCustomPreview, TCustomControl)
    explicit TvrCustomPreview(TComponent* AOwner) : TCustomControl(AOwner) {}
    TvrCustomPreviewPages* PreviewPages = nullptr;
    TvrReport* Report = nullptr;
    bool UseReportHints = true;
    virtual void InitPreview();
    // The view shows only its background and ignores the mouse until unlocked.
    virtual void LockView() {}
    virtual void UnlockView() {}
    // Prepares the report again in place (a drill-down group was toggled).
    virtual void RebuildReport() {}
    virtual void BuildStarted();
    virtual void BuildStep(Integer PageIndex);
    virtual void BuildFinished();
};

// The base of every export filter. A filter is listed in ExportFilterRegistry() from its
// construction to its destruction, unless it was made unlisted: CreateNoRegister<TFilter>(), which
// calls the filter's constructor taking TUnlisted (descendants pass it on to this base).
//
// The prepared pages drive a filter in this order (TvrCustomPreviewPages::SendToExportFilter):
//   ShowModal (only with ShowDialog; anything but 1, OK, stops before anything else),
//   OnBeginExport(filter), Start (false ends the export there),
//   per page: StartPage(page, index); ExportObject for the page's background, a picture view
//     named "_pagebackground" with the page's Color, Frame and BackPicture over its printable
//     area, then for each band the band itself and each of its objects, depth first;
//     FinishPage(page, index), also after an error;
//   Finish, also after an error.
// From the page's first ExportObject to its FinishPage, its Left and Top are its left (on odd
// indexes of mirrored pages the right) and top margins in report units, so AbsLeft and AbsTop of
// its objects are positions on the paper (in StartPage they are still 0); text objects have
// their page macros filled in. Report is set before ShowModal. PageRange (a page-number text,
// empty for all pages) chooses the pages, CurrentPageOnly the page the preview shows (the first
// without a preview); SuppressPageHeadersFooters leaves page headers out after the first page
// and page footers before the last. Errors a filter raises end the export and reach the user
// with the report's error list. The dot-matrix export calls BecomeDotMatrixFilter when it is
// made: dot-matrix reports then print through it as raw documents.
class TvrCustomExportFilter : public TComponent {
    ORV_META(TvrCustomExportFilter, TComponent)
    explicit TvrCustomExportFilter(TComponent* AOwner);
    // The tag of the unlisted constructors.
    struct TUnlisted {};
    // A filter never listed in the export filter registry.
    template <class TFilter = TvrCustomExportFilter> static std::unique_ptr<TFilter> CreateNoRegister() {
        return std::unique_ptr<TFilter>(new TFilter(TUnlisted{}));
    }
    ~TvrCustomExportFilter() override;

    bool ShowDialog = true;
    String FileName;
    bool ExportNotPrintable = false;
    bool UseFileCache = true;
    String DefaultPath;
    bool ShowProgress = true;
    bool OverwritePrompt = false;
    TNotifyEvent OnBeginExport;
    bool CurrentPageOnly = false;
    bool Unlisted = false;
    String PageRange;
    TvrReport* Report = nullptr;
    TStream* OutputStream = nullptr;
    bool DelegatedExport = false;
    String DefaultExtension, FilterDescription, DocumentTitle;
    bool SuppressPageHeadersFooters = false;
    std::unique_ptr<TStringList> OutputFiles;

    // The filter's entry in the preview's export menu.
    virtual String GetDescription() { return String(); }
    // The filter's options dialog; 1 (OK) lets the export go on.
    virtual int ShowModal() { return 1; }
    virtual bool Start() { return true; }
    virtual void ExportObject(TvrComponent* Obj);
    virtual void Finish() {}
    virtual void FinishPage(TvrComponent* Page, Integer Index) {
        (void)Page;
        (void)Index;
    }
    virtual void StartPage(TvrComponent* Page, Integer Index) {
        (void)Page;
        (void)Index;
    }

protected:
    explicit TvrCustomExportFilter(TUnlisted);
    // Makes this filter the one dot-matrix reports print through (the last one made wins); the
    // reference is cleared when this filter goes.
    void BecomeDotMatrixFilter();
};

// The filter dot-matrix reports print through; nullptr while there is none.
TvrCustomExportFilter* vrDotMatrixExportFilter();

// Compiles each expression of a report once into a function of its own script and calls it.
// Expressions that differ only in letter case are told apart.
class TvrExpressionCache : public TObject {
public:
    explicit TvrExpressionCache(TvsScript* MainScript);
    ~TvrExpressionCache() override;
    String ClassName() const override { return "TvrExpressionCache"; }

    String ScriptLanguage = "PascalScript";
    TvsScript* Script() const { return FScript.get(); }
    int Count() const { return FExpressions.Count(); }

    // Evaluates Expression in the context of AScript; ErrorText is empty on success.
    void Calc(const String& Expression, String& ErrorText, Variant& Value, TvsScript* AScript);
    void Clear();

private:
    std::unique_ptr<TvsScript> FScript;
    TvsScript* FMainScript;
    TStringList FExpressions; // sorted, case-sensitive; objects: the compiled functions
};
