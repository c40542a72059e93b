// The designer component: one per process configures every designer window (defaults for new
// reports, folders, template extension, restrictions and events). Without one the designer
// works with built-in defaults and allows everything.
#pragma once

#include "classes/Component.h"
#include "classes/Set.h"
#include "gui/Graphics.h"
#include "gui/Printers.h"

#include <functional>
#include <memory>

class TvrReport;
class TStrings;

enum TvrDesignerRestriction {
    drDontInsertObject,
    drDontDeletePage,
    drDontCreatePage,
    drDontChangePageOptions,
    drDontCreateReport,
    drDontLoadReport,
    drDontSaveReport,
    drDontPreviewReport,
    drDontEditVariables,
    drDontChangeReportOptions,
    drDontEditReportData,
    drDontShowRecentFiles,
    drDontEditReportScript,
    drDontEditInternalDatasets
};
ORV_ENUM(TvrDesignerRestriction, drDontInsertObject, drDontDeletePage, drDontCreatePage, drDontChangePageOptions,
         drDontCreateReport, drDontLoadReport, drDontSaveReport, drDontPreviewReport, drDontEditVariables,
         drDontChangeReportOptions, drDontEditReportData, drDontShowRecentFiles, drDontEditReportScript,
         drDontEditInternalDatasets)
using TvrDesignerRestrictions = TSet<TvrDesignerRestriction>;
ORV_SET(TvrDesignerRestrictions)

using TvrLoadReportEvent = std::function<bool(TvrReport* Report)>;
using TvrLoadRecentReportEvent = std::function<bool(TvrReport* Report, const String& FileName)>;
using TvrSaveReportEvent = std::function<bool(TvrReport* Report, bool SaveAs)>;
using TvrGetTemplateListEvent = std::function<void(TStrings* List)>;

class TvrDesigner : public TComponent {
    ORV_META(TvrDesigner, TComponent)
    explicit TvrDesigner(TComponent* AOwner);
    ~TvrDesigner() override;

    bool CloseQuery = true;
    String DefaultScriptLanguage = "PascalScript";
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    // Copies the given font.
    void SetDefaultFont(const TFont* Value);
    Extended DefaultLeftMargin = 10, DefaultRightMargin = 10, DefaultTopMargin = 10, DefaultBottomMargin = 10;
    Integer DefaultPaperSize = 9;
    TPrinterOrientation DefaultOrientation = poPortrait;
    String OpenDir, SaveDir;
    String TemplatesExt = "di3";
    String TemplateDir;
    bool Standalone = false;
    TvrDesignerRestrictions Restrictions;
    bool RTLLanguage = false;
    bool MemoParentFont = false;

    TvrLoadReportEvent OnLoadReport;
    TvrLoadRecentReportEvent OnLoadRecentReport;
    TvrSaveReportEvent OnSaveReport;
    TNotifyEvent OnShow, OnInsertObject, OnShowStartupScreen;
    TvrGetTemplateListEvent OnGetTemplateList;

private:
    std::unique_ptr<TFont> FDefaultFont;
};

// The designer component made last (nullptr when there is none).
extern TvrDesigner* DesignerComponent;

// True when there is no designer component or its Restrictions lack the value.
bool IsAllowed(TvrDesignerRestriction restriction);
