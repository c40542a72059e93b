// The report component: the root of a layout's object tree and owner of everything a report run
// uses (script, expression cache, data-set lists, variables, styles, options, error list).
#pragma once

#include "report/vrClassBase.h"
#include "report/vrClassCollaborators.h"
#include "report/vrClassDataSets.h"
#include "report/vrClassOptions.h"
#include "report/vrVariables.h"

#include <functional>
#include <memory>
#include <unordered_map>

class TvsScript;
class TvsCustomVariable;
class TvrXMLSerializer;
class TvrView;
class TvrReportPage;
class TCustomIniFile;
class TvrProgress;
class TTimer;
class TvrCustomDesigner;
class TCustomForm;

enum TvrProgressType { ptRunning, ptExporting, ptPrinting };
ORV_ENUM(TvrProgressType, ptRunning, ptExporting, ptPrinting)

using TvrObjectEvent = std::function<void(TvrReportComponent* Obj)>;
using TvrGetValueEvent = std::function<void(const String& Name, Variant& Value)>;
using TvrNewGetValueEvent = std::function<void(TObject* Sender, const String& Name, Variant& Value)>;
using TvrBeforeConnectEvent = std::function<void(TvrCustomDatabase* Database, bool& Connected)>;
using TvrAfterDisconnectEvent = std::function<void(TvrCustomDatabase* Database)>;
using TvrManualBuildEvent = std::function<void(TvrPage* Page)>;
using TvrProgressEvent = std::function<void(TvrReport* Report, TvrProgressType Kind, Integer Progress)>;
using TvrLoadTemplateEvent = std::function<void(TvrReport* Report, const String& TemplateName)>;
using TvrUserFunctionEvent = std::function<Variant(const String& MethodName, Variant& Params)>;
using TvrPrintPageEvent = std::function<void(TvrComponent* Page, Integer CopyNo)>;
using TvrMouseOverObjectEvent = std::function<void(TvrComponent* View)>;
// A click or double click on an object in the preview; Modified asks the preview to redraw it.
using TvrPreviewClickEvent =
    std::function<void(TvrComponent* View, TMouseButton Button, TShiftState Shift, bool& Modified)>;

// The mark Calc receives from the script's own Calc function.
TvsScript* vrScriptCallMark();

class TvrReport : public TvrComponent {
    ORV_META(TvrReport, TvrComponent)
    explicit TvrReport(TComponent* AOwner);
    ~TvrReport() override;

    // --- published ---
    String Version() const { return "4.9.32"; }
    void SetVersion(const String&) {}
    const String& ParentReport() const { return FParentReport; }
    void SetParentReport(const String& Value);
    TvrDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TvrDataSet* Value);
    String DataSetName() const;
    void SetDataSetName(const String& Value);
    bool DotMatrixReport = false;
    TvrEngineOptions* EngineOptions() const { return FEngineOptions.get(); }
    void SetEngineOptions(TvrEngineOptions* Value) { FEngineOptions->Assign(Value); }
    String IniFile = "\\Software\\Vure Vuviror";
    bool OldStyleProgress = false;
    TvrCustomPreview* Preview() const { return FPreview; }
    void SetPreview(TvrCustomPreview* Value);
    TvrPreviewOptions* PreviewOptions() const { return FPreviewOptions.get(); }
    void SetPreviewOptions(TvrPreviewOptions* Value) { FPreviewOptions->Assign(Value); }
    TvrPrintOptions* PrintOptions() const { return FPrintOptions.get(); }
    void SetPrintOptions(TvrPrintOptions* Value) { FPrintOptions->Assign(Value); }
    TvrReportOptions* ReportOptions() const { return FReportOptions.get(); }
    void SetReportOptions(TvrReportOptions* Value) { FReportOptions->Assign(Value); }
    String ScriptLanguage = "PascalScript";
    TStringList* ScriptText() const { return FScriptText.get(); }
    void SetScriptText(TStringList* Value) { if (Value) FScriptText->Assign(*Value); }
    bool ShowProgress = true;
    bool StoreInDFM = true;
    TvrObjectEvent OnAfterPrint, OnBeforePrint;
    TvrBeforeConnectEvent OnBeforeConnect;
    TvrAfterDisconnectEvent OnAfterDisconnect;
    TNotifyEvent OnBeginDoc, OnEndDoc, OnPreview, OnPrintReport, OnAfterPrintReport, OnClosePreview,
        OnAfterScriptCompile;
    TvrGetValueEvent OnGetValue;
    TvrNewGetValueEvent OnNewGetValue;
    TvrManualBuildEvent OnManualBuild;
    TvrMouseOverObjectEvent OnMouseOverObject;
    TvrPreviewClickEvent OnClickObject, OnDblClickObject;
    TvrPrintPageEvent OnPrintPage;
    TvrProgressEvent OnProgressStart, OnProgress, OnProgressStop;
    String OnRunDialogs, OnStartReport, OnStopReport, OnReportPrint;
    TvrUserFunctionEvent OnUserFunction;
    TvrLoadTemplateEvent OnLoadTemplate;

    // --- owned objects ---
    TvrReportDataSets* Datasets() const { return FDatasets.get(); }
    TvrReportDataSets* AllowedDataSets() const { return FAllowedDataSets.get(); }
    TvrVariables* Variables() const { return FVariables.get(); }
    TvrStyles* Styles() const { return FStyles.get(); }
    TvsScript* ReportScript() const { return FScript.get(); }
    TvrExpressionCache* ExpressionCache() const { return FCache.get(); }
    TStringList* ErrorList() const { return FErrorList.get(); }
    TStringList* SystemVariables() const { return FSystemVariables.get(); }
    TStringList* DrillDownNames() const { return FDrillDownNames.get(); }
    // The engine and the prepared-pages store; the engine issue installs the concrete ones.
    TvrCustomEngine* Engine() const { return FEngine.get(); }
    TvrCustomPreviewPages* PreparedPages() const { return FPreparedPages.get(); }
    void SetEngine(std::unique_ptr<TvrCustomEngine> Engine, std::unique_ptr<TvrCustomPreviewPages> Pages);

    // --- further state ---
    String LayoutFileName;
    String CurrentObjectName;
    bool Terminated = false;
    // True while PrepareReport runs: scripts may not load, clear or show the report then.
    bool Preparing = false;
    bool DesignerModified = false;
    TvrXMLSerializer* CurrentSerializer = nullptr;
    bool InternalReload = false;
    TvrReport* AncestorCopy() const { return FAncestorCopy.get(); }
    // The component of that name the report owns (case ignored), without a linear search.
    TComponent* FindOwnedComponent(const String& AName) const;

    // --- files and structure ---
    void Clear() override;
    // False (and an empty report) when the file does not exist and Force is off.
    bool LoadFromFile(const String& FileName, bool Force = false);
    void LoadFromStream(TStream& Stream) override;
    // Writes a temporary file beside FileName and renames it over FileName when complete.
    void SaveToFile(const String& FileName);
    void SaveToStream(TStream& Stream, bool SaveChildren = true, bool SaveDefaultValues = false,
                      bool KeepClassNames = false) override;
    TvrPage* GetPage(int Index) const;
    int GetPagesCount() const { return static_cast<int>(Children().size()); }
    void CheckDataPage();
    void SetStyles(TvrStyles* Value);
    String GetDescription() const override;
    // The report's three collections: "Datasets", "Variables", "Style".
    void DefineProperties(TFiler& Filer) override;
    // Makes the report inherit from another layout file; ClashMode decides about objects whose
    // names the parent uses too: 1 drops them, 2 renames them, 0 asks. False when the file is
    // the report's own or the question was cancelled.
    bool InheritFromFile(const String& FileName, int ClashMode);
    // The ancestor object of that name (for writing an inherited report).
    TvrComponent* FindAncestorObject(const String& AName) const;
    String GetApplicationFolder() const;
    // The settings store of the report library named by IniFile: the registry (the current user's
    // key of that path) for a name beginning "\Software\", else an ini file of that name.
    std::unique_ptr<TCustomIniFile> GetIniFile() const;
    // Makes the printer named by PrintOptions.Printer current when the printer list has it.
    void SelectPrinter();

    // --- data sets ---
    TvrDataSet* GetDataset(const String& Alias) const;
    String GetAlias(const TvrDataSet* DataSet) const;
    void GetDatasetAndField(const String& Text, TvrDataSet*& DataSet, String& Field) const;
    void GetDataSetList(TStrings& List, bool SkipUserDataSets) const;
    void GetActiveDataSetList(TStrings& List) const;

    // --- preparing ---
    // Builds the prepared pages: checks the data sets, compiles and runs the script, lets the
    // engine build, and reports the collected errors; false when any arose.
    bool PrepareReport(bool ClearLastReport = true);
    // Hands the prepared pages to the export filter (TvrCustomPreviewPages::SendToExportFilter).
    bool Export(TvrCustomExportFilter* Filter);

    // --- showing ---
    // Shows the preview at once and builds the report 50 ms later from PrepareTimer inside the
    // preview's message loop; with OldStyleProgress builds first and shows nothing on failure.
    void ShowReport(bool ClearLastReport = true);
    // An attached Preview shows the pages; otherwise a preview window owned by the application,
    // modal (freed when it closes) or freeing itself on close.
    void ShowPreparedReport();
    // The deferred preparation of ShowReport (nullptr before the first ShowReport).
    TTimer* PrepareTimer() const { return FPrepareTimer; }
    // The preview window open now (nullptr when none).
    TCustomForm* PreviewWindow() const { return FPreviewWindow; }
    // A text of the engine or a script for the progress window or the preview window's status.
    void SetProgressMessage(const String& Text, Integer Position);
    // The view's script event, then OnDblClickObject or OnClickObject.
    void DoPreviewClick(TvrComponent* View, TMouseButton Button, TShiftState Shift, bool& Modified,
                        bool DoubleClick);
    // The designer (nothing while one is open or no designer class is registered).
    void DesignReport(bool Modal = true, bool MDIChild = false);
    // The designer on this (one-page) report in preview-designer mode; whether it changed the page.
    bool DesignPreviewPage();
    TvrCustomDesigner* DesignerWindow() const { return FDesignerWindow; }

    // --- evaluation ---
    bool GetValueByName(const String& Name, Variant& Value);
    // AScript: nullptr or the report's script, or vrScriptCallMark() for the script's own Calc.
    Variant Calc(const String& Expression, TvsScript* AScript = nullptr);
    bool PrepareScript();
    // The value of an aggregate call shown in the engine's current band; BandText names the data
    // band (or is evaluated to one), FlagsText is evaluated.
    Variant CalcAggregateCall(const String& Function, const String& Expression, const String& BandText,
                              const String& FlagsText);
    void SetValueVariable(const Variant& Value);
    void SetSelfVariable(TvrComponent* View);

    // --- dispatch ---
    void DoNotifyEvent(TObject* Obj, const String& ProcName, bool Force = false);
    void DoParamEvent(const String& ProcName, Variant& Params, bool Force = false);
    void DoBeforePrint(TvrReportComponent* Obj);
    void DoAfterPrint(TvrReportComponent* Obj);
    void ProgressStart(TvrProgressType Kind);
    void ProgressStep(TvrProgressType Kind, Integer Progress);
    void ProgressStop(TvrProgressType Kind);
    // The progress window open now (nullptr when none).
    TvrProgress* ProgressWindow() const { return FProgressWindow.get(); }

    // The error text "clErrors" + CR LF + the list, reported through NewSilentMode.
    void ReportErrors();

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // A second object of the same name: "prDupl".
    void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) override;

private:
    bool UsesProgressWindow(TvrProgressType Kind) const;
    // Frees the tree (all of it, or all but the inherited objects) telling only the components
    // that stay.
    void FreeTree(bool KeepInherited);
    // Every owned component by its upper-case name; kept by ValidateRename and Notification.
    std::unordered_map<String, TComponent*> FNameIndex;
    // The components that stay while Clear frees the tree; nullptr outside Clear.
    std::vector<TComponent*>* FClearSurvivors = nullptr;
    // The variable being evaluated, to stop a variable naming itself.
    int FVariableDepth = 0;
    friend class TvrXMLSerializer;

    String FParentReport;
    TvrDataSet* FDataSet = nullptr;
    String FDataSetName;
    TvrCustomPreview* FPreview = nullptr;
    std::unique_ptr<TvrEngineOptions> FEngineOptions;
    std::unique_ptr<TvrPreviewOptions> FPreviewOptions;
    std::unique_ptr<TvrPrintOptions> FPrintOptions;
    std::unique_ptr<TvrReportOptions> FReportOptions;
    std::unique_ptr<TStringList> FScriptText;
    std::unique_ptr<TvrReportDataSets> FDatasets;
    std::unique_ptr<TvrReportDataSets> FAllowedDataSets;
    std::unique_ptr<TvrVariables> FVariables;
    std::unique_ptr<TvrStyles> FStyles;
    std::unique_ptr<TvsScript> FScript;
    std::unique_ptr<TvrExpressionCache> FCache;
    std::unique_ptr<TStringList> FErrorList;
    std::unique_ptr<TStringList> FSystemVariables;
    std::unique_ptr<TStringList> FDrillDownNames;
    std::unique_ptr<TvrCustomPreviewPages> FPreparedPages;
    std::unique_ptr<TvrCustomEngine> FEngine;
    std::unique_ptr<TvrReport> FAncestorCopy;
    std::unique_ptr<TvrProgress> FProgressWindow;
    TTimer* FPrepareTimer = nullptr;
    TCustomForm* FPreviewWindow = nullptr;
    TvrCustomDesigner* FDesignerWindow = nullptr;
    // The preparation PrepareTimer runs. While it builds, the report's owner going away (its
    // window closed during a modeless preview) cancels the build; the report then leaves that
    // owner and frees itself once the engine has returned.
    void RunDeferredPreparation();
    bool FOwnerGone = false;
    // Runs the registered designer; false when none could be made.
    bool RunDesigner(bool Modal, bool MDIChild, bool PreviewDesigner);
    void BindPreviewClicks();
    TvsCustomVariable* FValueVariable = nullptr;
    TvsCustomVariable* FSelfVariable = nullptr;
};

// The maximum depth of report variables evaluating other report variables; deeper means a
// variable names itself, directly or through others.
constexpr int vrMaxVariableDepth = 64;

// The process-wide lock around loading when a report runs headless.
std::recursive_mutex& LoadingLock();
