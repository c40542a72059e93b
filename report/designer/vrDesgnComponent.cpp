// The designer component and the restriction test every designer gate goes through.
#include "report/designer/vrDesgnComponent.h"

#include "classes/MetaBuilder.h"

TvrDesigner* DesignerComponent = nullptr;

ORV_META_IMPL(TvrDesigner)
void TvrDesigner::DeclareMeta(meta::Class<TvrDesigner>& c) {
    using T = TvrDesigner;
    c.Property("CloseQuery", &T::CloseQuery, &T::CloseQuery).Default(true);
    c.Property("DefaultScriptLanguage", &T::DefaultScriptLanguage, &T::DefaultScriptLanguage);
    c.Property("DefaultFont", &T::DefaultFont, &T::SetDefaultFont);
    c.Property("DefaultLeftMargin", &T::DefaultLeftMargin, &T::DefaultLeftMargin);
    c.Property("DefaultRightMargin", &T::DefaultRightMargin, &T::DefaultRightMargin);
    c.Property("DefaultTopMargin", &T::DefaultTopMargin, &T::DefaultTopMargin);
    c.Property("DefaultBottomMargin", &T::DefaultBottomMargin, &T::DefaultBottomMargin);
    c.Property("DefaultPaperSize", &T::DefaultPaperSize, &T::DefaultPaperSize);
    c.Property("DefaultOrientation", &T::DefaultOrientation, &T::DefaultOrientation).Default(poPortrait);
    c.Property("OpenDir", &T::OpenDir, &T::OpenDir);
    c.Property("SaveDir", &T::SaveDir, &T::SaveDir);
    c.Property("TemplatesExt", &T::TemplatesExt, &T::TemplatesExt);
    c.Property("TemplateDir", &T::TemplateDir, &T::TemplateDir);
    c.Property("Standalone", &T::Standalone, &T::Standalone).Default(false);
    c.Property("Restrictions", &T::Restrictions, &T::Restrictions).Default(TvrDesignerRestrictions());
    c.Property("RTLLanguage", &T::RTLLanguage, &T::RTLLanguage).Default(false);
    c.Property("MemoParentFont", &T::MemoParentFont, &T::MemoParentFont).Default(false);
}

TvrDesigner::TvrDesigner(TComponent* AOwner) : TComponent(AOwner), FDefaultFont(std::make_unique<TFont>()) {
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetSize(10);
    DesignerComponent = this;
}

TvrDesigner::~TvrDesigner() {
    FDefaultFont.reset();
    if (DesignerComponent == this) DesignerComponent = nullptr;
}

void TvrDesigner::SetDefaultFont(const TFont* Value) {
    if (Value) FDefaultFont->Assign(Value);
}

bool IsAllowed(TvrDesignerRestriction restriction) {
    return !DesignerComponent || !DesignerComponent->Restrictions.Contains(restriction);
}
