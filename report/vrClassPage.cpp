// The report page: paper sizes, orientation with rotating margins, columns, and the width of its
// bands when it aligns its children.
#include "report/vrClassPage.h"

#include "classes/MetaBuilder.h"
#include "gui/Picture.h"
#include "report/vrPrinter.h"
#include "report/vrUtils.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuards.h"

#include <cmath>

namespace {
Extended Round8(Extended v) {
    return std::round(v * 1e8L) / 1e8L;
}

[[noreturn]] void PageValueError(const String& property, const String& value) {
    throw EPropertyError("Invalid property value: " + property + "=\"" + value + "\" cannot describe a printable page");
}

// The column positions of a page: a text that cannot describe the page's columns is refused
// before it replaces the positions.
class TvrColumnPositions : public TStringList {
public:
    explicit TvrColumnPositions(const TvrReportPage& page) : FPage(page) {}
    void SetText(const String& text) override {
        TStringList lines;
        lines.SetText(text);
        Check(lines);
        TStringList::SetText(text);
    }
    void Check(const TStrings& lines) const {
        if (lines.Count() > vrMaxPageColumns)
            PageValueError("ColumnPositions", IntToStr(lines.Count()) + " lines");
        for (Integer i = 0; i < lines.Count(); ++i) {
            Extended x = 0;
            const String line = lines.Strings(i);
            try {
                x = StrToFloatLoose(line);
            } catch (const Exception&) {
                PageValueError("ColumnPositions", line);
            }
            if (!(x >= 0 && x <= FPage.PaperWidth())) PageValueError("ColumnPositions", line);
        }
    }

private:
    const TvrReportPage& FPage;
};
} // namespace

ORV_META_IMPL(TvrReportPage)
void TvrReportPage::DeclareMeta(meta::Class<TvrReportPage>& c) {
    using T = TvrReportPage;
    c.Property("Font", &T::Font, &T::SetFont).Stored(&T::IsFontStored);
    c.Property("Visible", &T::Visible, &T::SetVisible).Default(true);
    c.Property("Orientation", &T::Orientation, &T::SetOrientation).Default(poPortrait);
    c.Property("PaperWidth", &T::PaperWidth, &T::SetPaperWidth);
    c.Property("PaperHeight", &T::PaperHeight, &T::SetPaperHeight);
    c.Property("PaperSize", &T::PaperSize, &T::SetPaperSize);
    c.Property("LeftMargin", &T::LeftMargin, &T::LeftMargin);
    c.Property("RightMargin", &T::RightMargin, &T::RightMargin);
    c.Property("TopMargin", &T::TopMargin, &T::TopMargin);
    c.Property("BottomMargin", &T::BottomMargin, &T::BottomMargin);
    c.Property("MirrorMargins", &T::MirrorMargins, &T::MirrorMargins).Default(false);
    c.Property("Columns", &T::Columns, &T::SetColumns).Default(0);
    c.Property("ColumnWidth", &T::ColumnWidth, &T::SetColumnWidth);
    c.Property("ColumnPositions", &T::ColumnPositions, &T::SetColumnPositions);
    c.Property("Bin", &T::Bin, &T::Bin).Default(7);
    c.Property("BinOtherPages", &T::BinOtherPages, &T::BinOtherPages).Default(7);
    c.Property("BackPicture", &T::BackPicture, &T::SetBackPicture);
    c.Property("BackPictureVisible", &T::BackPictureVisible, &T::BackPictureVisible).Default(true);
    c.Property("BackPicturePrintable", &T::BackPicturePrintable, &T::BackPicturePrintable).Default(true);
    c.Property("PageCount", &T::PageCount, &T::SetPageCount).Default(1);
    c.Property("Color", &T::Color, &T::SetColor).TypeName("TColor").Default(clTransparent);
    c.Property("Duplex", &T::Duplex, &T::Duplex).Default(dmNone);
    c.Property("Frame", &T::Frame, &T::SetFrame);
    c.Property("EndlessHeight", &T::EndlessHeight, &T::EndlessHeight).Default(false);
    c.Property("EndlessWidth", &T::EndlessWidth, &T::EndlessWidth).Default(false);
    c.Property("LargeDesignHeight", &T::LargeDesignHeight, &T::LargeDesignHeight).Default(false);
    c.Property("OutlineText", &T::OutlineText, &T::OutlineText);
    c.Property("PrintIfEmpty", &T::PrintIfEmpty, &T::PrintIfEmpty).Default(true);
    c.Property("PrintOnPreviousPage", &T::PrintOnPreviousPage, &T::PrintOnPreviousPage).Default(false);
    c.Property("ResetPageNumbers", &T::ResetPageNumbers, &T::ResetPageNumbers).Default(false);
    c.Property("TitleBeforeHeader", &T::TitleBeforeHeader, &T::TitleBeforeHeader).Default(true);
    c.Property("HGuides", &T::HGuides, &T::SetHGuides);
    c.Property("VGuides", &T::VGuides, &T::SetVGuides);
    c.Property("OnAfterPrint", &T::OnAfterPrint, &T::OnAfterPrint).TypeName("TvrNotifyEvent");
    c.Property("OnBeforePrint", &T::OnBeforePrint, &T::OnBeforePrint).TypeName("TvrNotifyEvent");
    c.Property("OnManualBuild", &T::OnManualBuild, &T::OnManualBuild).TypeName("TvrNotifyEvent");
}

TvrReportPage::TvrReportPage(TComponent* AOwner)
    : TvrPage(AOwner), FBackPicture(std::make_unique<TvrPictureView>(nullptr)),
      FColumnPositions(std::make_unique<TvrColumnPositions>(*this)), FHGuides(std::make_unique<TStringList>()),
      FVGuides(std::make_unique<TStringList>()) {
    NamePrefix = "Page";
    FBackPicture->KeepAspectRatio = false;
    SetPaperSize(9);
}

TvrReportPage::~TvrReportPage() = default;

void TvrReportPage::UpdateDimensions() {
    SetWidth(std::round(FPaperWidth * fr01cm));
    SetHeight(std::round(FPaperHeight * fr01cm));
}

void TvrReportPage::SetPaperWidth(Extended Value) {
    FPaperWidth = Round8(Value);
    FPaperSize = 256;
    UpdateDimensions();
}

void TvrReportPage::SetPaperHeight(Extended Value) {
    FPaperHeight = Round8(Value);
    FPaperSize = 256;
    UpdateDimensions();
}

void TvrReportPage::SetPaperSize(Integer Value) {
    FPaperSize = Value;
    Extended w = 0, h = 0;
    if (Value < 256 && PaperSizeFromTable(Value, w, h)) {
        if (FOrientation == poLandscape) std::swap(w, h);
        FPaperWidth = w;
        FPaperHeight = h;
    }
    UpdateDimensions();
}

void TvrReportPage::SetSizeAndDimensions(Integer ASize, Extended AWidth, Extended AHeight) {
    FPaperSize = ASize;
    FPaperWidth = Round8(AWidth);
    FPaperHeight = Round8(AHeight);
    UpdateDimensions();
}

void TvrReportPage::SetOrientation(TPrinterOrientation Value) {
    if (Value == FOrientation) return;
    FOrientation = Value;
    std::swap(FPaperWidth, FPaperHeight);
    const Extended l = LeftMargin, r = RightMargin, t = TopMargin, b = BottomMargin;
    if (Value == poLandscape) {
        LeftMargin = t;
        RightMargin = b;
        TopMargin = r;
        BottomMargin = l;
    } else {
        LeftMargin = b;
        RightMargin = t;
        TopMargin = l;
        BottomMargin = r;
    }
    UpdateDimensions();
}

void TvrReportPage::SetColumns(Integer Value) {
    if (Value > vrMaxPageColumns) PageValueError("Columns", IntToStr(Value));
    FColumns = Value;
    FColumnPositions->Clear();
    if (Value <= 0) return;
    ColumnWidth = (FPaperWidth - LeftMargin - RightMargin) / Value;
    for (Integer i = 0; i < Value; ++i)
        FColumnPositions->Add(FloatToStr(i * ColumnWidth));
}

void TvrReportPage::SetColumnWidth(Extended Value) {
    if (!(Value >= 0 && Value <= FPaperWidth)) PageValueError("ColumnWidth", FloatToStr(Value));
    ColumnWidth = Value;
}

void TvrReportPage::SetColumnPositions(TStringList* Value) {
    if (!Value) return;
    static_cast<TvrColumnPositions*>(FColumnPositions.get())->Check(*Value);
    FColumnPositions->Assign(*Value);
}

void TvrReportPage::SetDefaults() {
    LeftMargin = RightMargin = TopMargin = BottomMargin = 10;
    const TvrCustomPrinter* printer = GetPrinters().CurrentPrinter();
    if (!printer || !printer->Initialized()) {
        FOrientation = poPortrait;
        SetPaperSize(9);
        return;
    }
    FPaperSize = printer->DefPaper();
    FPaperWidth = printer->DefPaperWidth();
    FPaperHeight = printer->DefPaperHeight();
    FOrientation = printer->DefOrientation();
    UpdateDimensions();
}

TvrBand* TvrReportPage::FindBand(const meta::TClassInfo& BandClass) const {
    for (TvrComponent* c : Children())
        if (c->ClassInfo()->InheritsFrom(BandClass)) return dynamic_cast<TvrBand*>(c);
    return nullptr;
}

void TvrReportPage::ClearGuides() {
    FHGuides->Clear();
    FVGuides->Clear();
}

void TvrReportPage::DrawBackground(TCanvas* ACanvas, Extended AScaleX, Extended AScaleY, Extended AOffsetX,
                                   Extended AOffsetY) {
    FBackPicture->SetBounds(0, 0, (FPaperWidth - LeftMargin - RightMargin) * fr01cm,
                            (FPaperHeight - TopMargin - BottomMargin) * fr01cm);
    if (!BackPictureVisible || (InPrinting && !BackPicturePrintable)) return;
    FBackPicture->InPrinting = InPrinting;
    const TScopeExit notPrinting([this] { FBackPicture->InPrinting = false; });
    FBackPicture->Draw(ACanvas, AScaleX, AScaleY, AOffsetX + AScaleX * LeftMargin * fr01cm,
                       AOffsetY + AScaleY * TopMargin * fr01cm);
}

void TvrReportPage::AlignChildren() {
    const Extended printableWidth = (FPaperWidth - LeftMargin - RightMargin) * fr01cm;
    const Extended printableHeight = (FPaperHeight - TopMargin - BottomMargin) * fr01cm;
    SetWidth(printableWidth);
    SetHeight(printableHeight);
    TvrPage::AlignChildren();
    for (TvrComponent* c : Children()) {
        auto* band = dynamic_cast<TvrBand*>(c);
        if (!band) continue;
        const bool pageWide = dynamic_cast<TvrNullBand*>(band) || dynamic_cast<TvrReportSummary*>(band) ||
                              dynamic_cast<TvrPageHeader*>(band) || dynamic_cast<TvrPageFooter*>(band) ||
                              dynamic_cast<TvrReportTitle*>(band) || dynamic_cast<TvrOverlay*>(band);
        if (band->Vertical)
            band->SetHeight(printableHeight - band->Top());
        else if (FColumns > 1 && !pageWide)
            band->SetWidth(ColumnWidth * fr01cm);
        else
            band->SetWidth(printableWidth - band->Left());
        band->AlignChildren();
    }
    UpdateDimensions();
}
