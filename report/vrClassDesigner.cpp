// The designer's base as the report sees it, and the process-wide designer class reference.
#include "report/vrClassDesigner.h"

#include "classes/MetaBuilder.h"
#include "report/vrClassReport.h"

ORV_META_IMPL(TvrCustomDesigner)
void TvrCustomDesigner::DeclareMeta(meta::Class<TvrCustomDesigner>&) {}

TvrCustomDesigner::TvrCustomDesigner(TComponent* AOwner, TvrReport* Report, bool PreviewDesigner)
    : TForm(AOwner), FReport(Report), FPreviewDesigner(PreviewDesigner), FObjects(std::make_unique<TList>()),
      FSelectedObjects(std::make_unique<TList>()) {}

TvrCustomDesigner::~TvrCustomDesigner() = default;

void TvrCustomDesigner::SetModified(bool Value) {
    FModified = Value;
    if (Value && FReport) FReport->DesignerModified = true;
}

TvrDesignerClass& vrDesignerClass() {
    static TvrDesignerClass designerClass;
    return designerClass;
}
