// Showing a report: the preview (an attached control or the preview window), the deferred
// preparation, the status texts, the preview's clicks on objects, and the designer.
#include "report/vrClassReport.h"

#include "gui/ExtCtrls.h"
#include "report/vrClassDesigner.h"
#include "report/vrPreview.h"
#include "report/vrPreviewPages.h"
#include "report/vrProgress.h"
#include "script/vs_iinterpreter.h"
#include "rtl/ScopeGuards.h"

void TvrReport::BindPreviewClicks() {
    auto* pages = dynamic_cast<TvrPreviewPages*>(FPreparedPages.get());
    if (!pages) return;
    pages->OnClickObject = [this](TvrComponent* view, TMouseButton button, TShiftState shift, bool& modified) {
        DoPreviewClick(view, button, shift, modified, false);
    };
    pages->OnDblClickObject = [this](TvrComponent* view, TMouseButton button, TShiftState shift, bool& modified) {
        DoPreviewClick(view, button, shift, modified, true);
    };
}

void TvrReport::ShowReport(bool ClearLastReport) {
    if (ClearLastReport && FPreparedPages) FPreparedPages->ClearAll();
    if (OldStyleProgress) {
        if (!PrepareReport(false)) return;
        ShowPreparedReport();
        return;
    }
    if (!FPrepareTimer) {
        FPrepareTimer = new TTimer(nullptr);
        FPrepareTimer->SetEnabled(false);
        FPrepareTimer->SetInterval(50);
        FPrepareTimer->OnTimer = [this](TObject*) {
            FPrepareTimer->SetEnabled(false);
            PrepareReport(false);
        };
    }
    FPrepareTimer->SetEnabled(true);
    ShowPreparedReport();
}

void TvrReport::ShowPreparedReport() {
    FPreviewWindow = nullptr;
    BindPreviewClicks();
    if (FPreview) {
        FPreview->Report = this;
        FPreview->PreviewPages = FPreparedPages.get();
        FPreview->InitPreview();
        return;
    }
    auto* form = new TvrPreviewForm(Application());
    FPreviewWindow = form;
    form->FreeNotification(this);
    SetPreview(form->Preview());
    form->Init();
    if (OnPreview) OnPreview(this);
    if (FPreviewOptions->Modal) {
        TScopeExit free([this, form] {
            if (FPreviewWindow == form) {
                SetPreview(nullptr);
                FPreviewWindow = nullptr;
                delete form;
            }
        });
        form->ShowModal();
    } else {
        form->FreeOnClose = true;
        form->Show();
    }
}

void TvrReport::SetProgressMessage(const String& Text, Integer Position) {
    (void)Position;
    if (FEngineOptions->HeadlessMode) return;
    if (OldStyleProgress && FEngine && FEngine->Running && ShowProgress && FProgressWindow)
        FProgressWindow->SetMessageText(Text);
    if (auto* form = dynamic_cast<TvrPreviewForm*>(FPreviewWindow)) form->SetStatusText(Text, false);
    Application()->ProcessMessages();
}

void TvrReport::DoPreviewClick(TvrComponent* View, TMouseButton Button, TShiftState Shift, bool& Modified,
                               bool DoubleClick) {
    if (auto* view = dynamic_cast<TvrReportComponent*>(View)) {
        const String& proc = DoubleClick ? view->OnPreviewDblClick : view->OnPreviewClick;
        if (!proc.empty()) {
            Variant params = VarArrayOf({vsObjectToVariant(View), Variant(static_cast<Integer>(Button)),
                                         Variant(static_cast<Integer>(Shift.Bits())), Variant(Modified)});
            DoParamEvent(proc, params, true);
            Modified = VarArrayGet(params, {3}).AsBoolean();
        }
    }
    const TvrPreviewClickEvent& handler = DoubleClick ? OnDblClickObject : OnClickObject;
    if (handler) handler(View, Button, Shift, Modified);
}

// Runs the registered designer on this report; after a modal run the designer has gone and told
// DesignerModified.
bool TvrReport::RunDesigner(bool Modal, bool MDIChild, bool PreviewDesigner) {
    if (FDesignerWindow || !vrDesignerClass()) return false;
    DesignerModified = false;
    TvrCustomDesigner* designer = vrDesignerClass()(nullptr, this, PreviewDesigner);
    if (!designer) return false;
    FDesignerWindow = designer;
    designer->FreeNotification(this);
    if (MDIChild) designer->SetFormStyle(fsMDIChild);
    designer->Perform(vrDesignerStartUpMessage, 0, 0);
    if (!Modal) {
        designer->Show();
        return true;
    }
    designer->ShowModal();
    // A designer that did not free itself on closing is freed here, its flag taken first.
    if (FDesignerWindow == designer) {
        if (designer->Modified()) DesignerModified = true;
        FDesignerWindow = nullptr;
        designer->RemoveFreeNotification(this);
        delete designer;
    }
    Application()->ProcessMessages();
    return true;
}

void TvrReport::DesignReport(bool Modal, bool MDIChild) {
    RunDesigner(Modal, MDIChild, false);
}

bool TvrReport::DesignPreviewPage() {
    if (!RunDesigner(true, false, true)) return false;
    return DesignerModified;
}
