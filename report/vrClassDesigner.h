// The designer as the report sees it: the window class the designer registers when its units
// start. Without a registered class DesignReport does nothing and DesignPreviewPage answers
// false.
#pragma once

#include "gui/Forms.h"
#include "rtl/Lists.h"
#include "rtl/StringList.h"

#include <functional>
#include <memory>

class TvrReport;
class TvrPage;

// The message a designer finishes its start-up on, posted right after it is made.
inline constexpr Cardinal vrDesignerStartUpMessage = 0x0400 + 1;

class TvrCustomDesigner : public TForm {
    ORV_META(TvrCustomDesigner, TForm)
    // PreviewDesigner: the designer edits one page of a prepared report.
    TvrCustomDesigner(TComponent* AOwner, TvrReport* Report, bool PreviewDesigner);
    ~TvrCustomDesigner() override;

    TvrReport* Report() const { return FReport; }
    bool PreviewDesigner() const { return FPreviewDesigner; }
    bool Modified() const { return FModified; }
    TvrPage* Page() const { return FPage; }
    TList* Objects() const { return FObjects.get(); }
    TList* SelectedObjects() const { return FSelectedObjects.get(); }

    // Stores the flag; a set flag marks the report's DesignerModified as well.
    virtual void SetModified(bool Value);
    virtual void SelectPage(TvrPage* Page) { FPage = Page; }
    virtual std::unique_ptr<TStringList> GetCode() = 0;
    virtual String InsertExpression(const String& Expression) = 0;
    virtual void LockDesigner() = 0;
    virtual void ReloadPages(Integer Index) = 0;
    virtual void ReloadReport() = 0;
    virtual void UpdateDataTree() = 0;
    virtual void UpdatePage() = 0;

private:
    TvrReport* FReport;
    bool FPreviewDesigner;
    bool FModified = false;
    TvrPage* FPage = nullptr;
    std::unique_ptr<TList> FObjects, FSelectedObjects;
};

// The designer class reference: makes a designer window (owner, report, preview-designer flag).
// Empty until the designer registers itself.
using TvrDesignerClass = std::function<TvrCustomDesigner*(TComponent* Owner, TvrReport* Report, bool PreviewDesigner)>;
TvrDesignerClass& vrDesignerClass();
