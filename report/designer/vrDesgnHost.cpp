#include "report/designer/vrDesgnHost.h"

#include "classes/MetaBuilder.h"
#include "report/vrClassBase.h"

ORV_META_IMPL(TvrDesignerHost)
void TvrDesignerHost::DeclareMeta(meta::Class<TvrDesignerHost>&) {}

TvrDesignerHost::TvrDesignerHost(TComponent* AOwner, TvrReport* Report, bool PreviewDesigner)
    : TvrCustomDesigner(AOwner, Report, PreviewDesigner) {}

TvrDesignerHost::~TvrDesignerHost() = default;

Extended TvrDesignerHost::DefaultObjectHeight() const { return 5 * fr01cm; }
