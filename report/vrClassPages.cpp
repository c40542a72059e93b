// Pages of the report and the base of its non-visual data components.
#include "classes/Filer.h"
#include "classes/MetaBuilder.h"
#include "gui/Graphics.h"
#include "report/vrClass.h"
#include "report/vrRes.h"

#include <cmath>

ORV_META_IMPL(TvrPage)
void TvrPage::DeclareMeta(meta::Class<TvrPage>& c) {
    c.Property("Font", &TvrPage::Font, &TvrPage::SetFont).Stored(&TvrPage::IsFontStored);
    c.Property("Visible", &TvrPage::Visible, &TvrPage::SetVisible).Default(true);
}

TvrPage::TvrPage(TComponent* AOwner) : TvrComponent(AOwner) {}

ORV_META_IMPL(TvrDataPage)
void TvrDataPage::DeclareMeta(meta::Class<TvrDataPage>& c) {
    c.Property("Left", &TvrDataPage::Left, &TvrDataPage::SetLeft);
    c.Property("Top", &TvrDataPage::Top, &TvrDataPage::SetTop);
    c.Property("Width", &TvrDataPage::Width, &TvrDataPage::SetWidth);
    c.Property("Height", &TvrDataPage::Height, &TvrDataPage::SetHeight);
}

TvrDataPage::TvrDataPage(TComponent* AOwner) : TvrPage(AOwner) {
    SetWidth(1000);
    SetHeight(1000);
}

String TvrDataPage::GetDescription() const {
    return GetResources().GetString("obDataPage");
}

ORV_META_IMPL(TvrDialogComponent)
void TvrDialogComponent::DeclareMeta(meta::Class<TvrDialogComponent>&) {}

TvrDialogComponent::TvrDialogComponent(TComponent* AOwner) : TvrReportComponent(AOwner) {
    Flags.Exclude(ofPreviewCopy);
    SetWidth(28);
    SetHeight(28);
}

TvrDialogComponent::~TvrDialogComponent() = default;

void TvrDialogComponent::DefineProperties(TFiler& Filer) {
    TvrReportComponent::DefineProperties(Filer);
    if (!GetReport()) return;
    Filer.DefineProperty(
        "pLeft", [this](TReader& r) { SetLeft(r.ReadInteger()); },
        [this](TWriter& w) {
            w.WriteInteger(static_cast<Int64>(std::nearbyint(static_cast<double>(Left()))));
        },
        true);
    Filer.DefineProperty(
        "pTop", [this](TReader& r) { SetTop(r.ReadInteger()); },
        [this](TWriter& w) {
            w.WriteInteger(static_cast<Int64>(std::nearbyint(static_cast<double>(Top()))));
        },
        true);
}

void TvrDialogComponent::Draw(TCanvas* Canvas, Extended, Extended, Extended, Extended) {
    SetWidth(28);
    SetHeight(28);
    if (!Canvas) return;
    const int x = static_cast<int>(Left());
    const int y = static_cast<int>(Top());
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->FillRect(TRect{x, y, x + 28, y + 28});
    Canvas->Font()->SetName("Tahoma");
    Canvas->Font()->SetSize(8);
    Canvas->Font()->SetColor(clBlack);
    const int w = Canvas->TextWidth(Name());
    Canvas->TextOut(x - (w - 28) / 2, y + 28 + 4, Name());
}
