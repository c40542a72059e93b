#include "vrClassTestObjects.h"

#include "classes/ClassRegistry.h"
#include "classes/Filer.h"
#include "classes/MetaBuilder.h"

ORV_META_IMPL(TTestView)
void TTestView::DeclareMeta(meta::Class<TTestView>& c) {
    using T = TTestView;
    c.Property("Left", &T::Left, &T::SetLeft);
    c.Property("Top", &T::Top, &T::SetTop);
    c.Property("Width", &T::Width, &T::SetWidth);
    c.Property("Height", &T::Height, &T::SetHeight);
    c.Property("Align", &T::Align, &T::Align).Default(baNone);
    c.Property("Font", &T::Font, &T::SetFont).Stored(&T::IsFontStored);
    c.Property("ParentFont", &T::ParentFont, &T::SetParentFont).Default(true);
    c.Property("Visible", &T::Visible, &T::SetVisible).Default(true);
    c.Property("Number", &T::Number, &T::Number).Default(0);
    c.Property("Flag", &T::Flag, &T::Flag).Default(false);
    c.Property("Kind", &T::Kind, &T::Kind).Default(tkOne);
    c.Property("Kinds", &T::Kinds, &T::Kinds).Default(TTestKinds());
    c.Property("Ratio", &T::Ratio, &T::Ratio);
    c.Property("Caption", &T::Caption, &T::Caption);
    c.Property("Wide", &T::Wide, &T::Wide);
    c.Property("Data", &T::Data, &T::Data);
    c.Property("Link", &T::Link, &T::Link);
    c.Property("Lines", &T::Lines, &T::SetLines);
    c.Property("Style", &T::Style, &T::SetStyle);
}

TTestView::TTestView(TComponent* AOwner) : TvrReportComponent(AOwner), FLines(std::make_unique<TStringList>()) {}
TTestView::~TTestView() = default;

void TTestView::DefineProperties(TFiler& Filer) {
    TvrReportComponent::DefineProperties(Filer);
    Filer.DefineProperty(
        "Blob", [this](TReader& r) { Blob = r.ReadString(); }, [this](TWriter& w) {
            if (Blob == "fail") throw EWriteError("Cannot write " + Name());
            w.WriteString(Blob);
        },
        !Blob.empty());
}

ORV_META_IMPL(TTestBand)
void TTestBand::DeclareMeta(meta::Class<TTestBand>&) {}
ORV_META_IMPL(TTestDialogPage)
void TTestDialogPage::DeclareMeta(meta::Class<TTestDialogPage>&) {}
ORV_META_IMPL(TTestReportPage)
void TTestReportPage::DeclareMeta(meta::Class<TTestReportPage>&) {}

void RegisterTestObjects() {
    static const bool done = [] {
        vrStartUp();
        RegisterClasses({&TTestView::StaticClassInfo(), &TTestBand::StaticClassInfo(),
                         &TTestDialogPage::StaticClassInfo(), &TTestReportPage::StaticClassInfo(),
                         &TvrUserDataSet::StaticClassInfo()});
        return true;
    }();
    (void)done;
}
