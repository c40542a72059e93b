#include "gridprint/PrnDbggx.h"

#include "classes/Filer.h"
#include "classes/MetaBuilder.h"
#include "grid/DBGridGx.h"
#include "gridprint/PrvFrmGx.h"
#include "rtl/Streams.h"

// ---- TPageParams --------------------------------------------------------------------------------

ORV_META_IMPL(TPageParams)
void TPageParams::DeclareMeta(meta::Class<TPageParams>& c) {
    c.Property("BottomMargin", &TPageParams::BottomMargin, &TPageParams::SetBottomMargin)
        .Stored([](TPageParams& p) { return p.IsMarginStored(0); });
    c.Property("RightMargin", &TPageParams::RightMargin, &TPageParams::SetRightMargin)
        .Stored([](TPageParams& p) { return p.IsMarginStored(1); });
    c.Property("LeftMargin", &TPageParams::LeftMargin, &TPageParams::SetLeftMargin)
        .Stored([](TPageParams& p) { return p.IsMarginStored(2); });
    c.Property("TopMargin", &TPageParams::TopMargin, &TPageParams::SetTopMargin).Stored([](TPageParams& p) {
        return p.IsMarginStored(3);
    });
}

TPageParams::TPageParams() {
    for (Currency& m : FMargins)
        m = Currency::FromInt(2);
}

void TPageParams::Assign(const TPersistent* Source) {
    if (auto* p = dynamic_cast<const TPageParams*>(Source)) {
        for (int i = 0; i < 4; ++i)
            FMargins[i] = p->FMargins[i];
        return;
    }
    TPersistent::Assign(Source);
}

// ---- TPageColontitle ----------------------------------------------------------------------------

ORV_META_IMPL(TPageColontitle)
void TPageColontitle::DeclareMeta(meta::Class<TPageColontitle>& c) {
    c.Property("CenterText", &TPageColontitle::CenterText, &TPageColontitle::SetCenterText);
    c.Property("Font", &TPageColontitle::Font, &TPageColontitle::SetFont);
    c.Property("LeftText", &TPageColontitle::LeftText, &TPageColontitle::SetLeftText);
    c.Property("LineType", &TPageColontitle::LineType, &TPageColontitle::SetLineType).Default(pcltNon);
    c.Property("RightText", &TPageColontitle::RightText, &TPageColontitle::SetRightText);
}

TPageColontitle::TPageColontitle()
    : FCenterText(std::make_unique<TStringList>()), FFont(std::make_unique<TFont>()),
      FLeftText(std::make_unique<TStringList>()), FRightText(std::make_unique<TStringList>()) {}

void TPageColontitle::Assign(const TPersistent* Source) {
    if (auto* p = dynamic_cast<const TPageColontitle*>(Source)) {
        FLeftText->Assign(*p->FLeftText);
        FCenterText->Assign(*p->FCenterText);
        FRightText->Assign(*p->FRightText);
        FFont->Assign(*p->FFont);
        FLineType = p->FLineType;
        return;
    }
    TPersistent::Assign(Source);
}

// ---- TPrintDBGridGx -----------------------------------------------------------------------------

ORV_META_IMPL(TPrintDBGridGx)
void TPrintDBGridGx::DeclareMeta(meta::Class<TPrintDBGridGx>& c) {
    c.Property("DBGridGx", &TPrintDBGridGx::DBGridGx, &TPrintDBGridGx::SetDBGridGx);
    c.Property("Options", &TPrintDBGridGx::Options, &TPrintDBGridGx::SetOptions).NoDefault();
    c.Property("Page", &TPrintDBGridGx::Page, &TPrintDBGridGx::SetPage);
    c.Property("PageFooter", &TPrintDBGridGx::PageFooter, &TPrintDBGridGx::SetPageFooter);
    c.Property("PageHeader", &TPrintDBGridGx::PageHeader, &TPrintDBGridGx::SetPageHeader);
    c.Property("PrintFontName", &TPrintDBGridGx::PrintFontName, &TPrintDBGridGx::SetPrintFontName)
        .NoDefault();
    c.Property("Title", &TPrintDBGridGx::Title, &TPrintDBGridGx::SetTitle);
    c.Property("Units", &TPrintDBGridGx::Units, &TPrintDBGridGx::SetUnits).NoDefault();
    c.Event("OnAfterPrint", &TPrintDBGridGx::OnAfterPrint);
    c.Event("OnBeforePrint", &TPrintDBGridGx::OnBeforePrint);
    c.Event("OnPrinterSetupDialog", &TPrintDBGridGx::OnPrinterSetupDialog);
}

TPrintDBGridGx::TPrintDBGridGx(TComponent* AOwner)
    : TComponent(AOwner), FPage(std::make_unique<TPageParams>()),
      FPageFooter(std::make_unique<TPageColontitle>()), FPageHeader(std::make_unique<TPageColontitle>()),
      FTitle(std::make_unique<TStringList>()) {}

TPrintDBGridGx::~TPrintDBGridGx() {
    if (FDBGridGx) FDBGridGx->RemoveFreeNotification(this);
}

TRichEditStrings* TPrintDBGridGx::AfterGridText() {
    if (!FAfterGridText) FAfterGridText = std::make_unique<TRichEditStrings>();
    return FAfterGridText.get();
}

TRichEditStrings* TPrintDBGridGx::BeforeGridText() {
    if (!FBeforeGridText) FBeforeGridText = std::make_unique<TRichEditStrings>();
    return FBeforeGridText.get();
}

namespace {

// A rich text source keeps its formatting: it saves itself and the target loads the stream.
void CopyRichText(TStrings* source, TRichEditStrings* target) {
    TMemoryStream stream;
    if (auto* rich = dynamic_cast<TRichEditStrings*>(source))
        rich->SaveToStream(stream);
    else if (source)
        source->SaveToStream(stream);
    stream.SetPosition(0);
    target->LoadFromStream(stream);
}

} // namespace

void TPrintDBGridGx::SetAfterGridText(TStrings* source) {
    CopyRichText(source, AfterGridText());
}

void TPrintDBGridGx::SetBeforeGridText(TStrings* source) {
    CopyRichText(source, BeforeGridText());
}

void TPrintDBGridGx::SetDBGridGx(TDBGridGx* grid) {
    if (grid == FDBGridGx) return;
    if (FDBGridGx) FDBGridGx->RemoveFreeNotification(this);
    FDBGridGx = grid;
    if (FDBGridGx) FDBGridGx->FreeNotification(this);
}

void TPrintDBGridGx::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDBGridGx) FDBGridGx = nullptr;
}

void TPrintDBGridGx::SetUnits(TMeasureUnits v) {
    if (v == FUnits) return;
    FUnits = v;
    if (ComponentState().Contains(csLoading)) return;
    // To inches: x 0.3937; to centimetres: x 2.54; each rounded to the nearest 0.0001.
    Currency factor = v == Inches ? Currency::FromRaw(3937) : Currency::FromRaw(25400);
    FPage->SetTopMargin(FPage->TopMargin() * factor);
    FPage->SetBottomMargin(FPage->BottomMargin() * factor);
    FPage->SetLeftMargin(FPage->LeftMargin() * factor);
    FPage->SetRightMargin(FPage->RightMargin() * factor);
}

void TPrintDBGridGx::DefineProperties(TFiler& Filer) {
    TComponent::DefineProperties(Filer);
    auto reader = [](TRichEditStrings* list) { return [list](TStream& s) { list->LoadFromStream(s); }; };
    auto writer = [](TRichEditStrings* list) { return [list](TStream& s) { list->SaveToStream(s); }; };
    Filer.DefineBinaryProperty("BeforeGridText_Data", reader(BeforeGridText()), writer(BeforeGridText()),
                               HasBeforeGridText());
    Filer.DefineBinaryProperty("AfterGridText_Data", reader(AfterGridText()), writer(AfterGridText()),
                               HasAfterGridText());
}

void TPrintDBGridGx::ApplyPrintFont(TFont& font) const {
    if (!FPrintFontName.empty()) font.SetName(FPrintFontName);
}

TPrintFooterCell TPrintDBGridGx::FooterCell(TColumnGx* Column, int Row) {
    TPrintFooterCell cell;
    if (!FDBGridGx) return cell;
    cell.Color = FDBGridGx->FooterColor();
    cell.Font = FDBGridGx->FooterFont();
    TColumnFooterGx* footer = Column ? Column->FooterForRow(Row) : nullptr;
    if (!footer) return cell;
    cell.ValueType = footer->ValueType();
    cell.FieldName = footer->FieldName();
    cell.DisplayFormat = footer->DisplayFormat();
    cell.Alignment = footer->Alignment();
    cell.Color = footer->Color();
    cell.Font = footer->Font();
    cell.EndEllipsis = footer->EndEllipsis();
    if (cell.ValueType == fvtStaticText || cell.ValueType == fvtFieldValue)
        cell.ShownText = FDBGridGx->FooterValueText(Row, Column);
    return cell;
}

void TPrintDBGridGx::ShowPreview() {
    TPrinterPreview* recorder = SharedPrinterPreview();
    if (OnPrinterSetupDialog)
        recorder->SetSetupHook(OnPrinterSetupDialog);
    else
        recorder->SetSetupHook([this](TObject*) { SetupAndPreview(); });
    recorder->SetPendingGridPrinter(this);
    try {
        PrintToPrinter(recorder);
    } catch (...) {
        ForgetPendingPrint(recorder);
        throw;
    }
    ForgetPendingPrint(recorder);
}

// When nothing was composed the recorder still holds this component and its hook: drop them.
void TPrintDBGridGx::ForgetPendingPrint(TPrinterPreview* recorder) {
    if (recorder->PendingGridPrinter() != this) return;
    recorder->SetPendingGridPrinter(nullptr);
    recorder->SetSetupHook(nullptr);
}

void TPrintDBGridGx::SetupAndPreview() {
    if (ShowSetupDialog()) ShowPreview();
}
