// The abstract collaborators of a report (engine, prepared-pages store, outline, preview control,
// export filter) and the expression cache, which compiles each expression of a report once.
#pragma once

#include "classes/Persistent.h"
#include "report/vrClassBase.h"
#include "rtl/Lists.h"
#include "rtl/StringList.h"

#include <memory>

class TvrReport;
class TvrBand;
class TvsScript;
class TvrCustomPreviewPages;

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

protected:
    void SetOutline(std::unique_ptr<TvrCustomOutline> Outline) { FOutline = std::move(Outline); }

private:
    TvrReport* FReport;
    std::unique_ptr<TvrCustomOutline> FOutline;
};

// A control that shows a report's prepared pages.
class TvrCustomPreview : public TComponent {
    ORV_META(TvrCustomPreview, TComponent)
    explicit TvrCustomPreview(TComponent* AOwner) : TComponent(AOwner) {}
    TvrCustomPreviewPages* PreviewPages = nullptr;
    TvrReport* Report = nullptr;
    bool UseReportHints = true;
    virtual void InitPreview();
    virtual void BuildStarted();
    virtual void BuildStep(Integer PageIndex);
    virtual void BuildFinished();
};

class TvrCustomExportFilter : public TComponent {
    ORV_META(TvrCustomExportFilter, TComponent)
    explicit TvrCustomExportFilter(TComponent* AOwner);
    // Never listed in the export filter registry.
    static std::unique_ptr<TvrCustomExportFilter> CreateNoRegister();
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

    virtual String GetDescription() { return String(); }
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

private:
    struct TUnlisted {};
    explicit TvrCustomExportFilter(TUnlisted);
};

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
