// Bands: the child chain, the band-kind table, band names, dot-matrix snapping, the data band's
// virtual data set and columns, and the published properties of the twenty band classes.
#include "report/vrClassBand.h"
#include "report/vrClassView.h"

#include "classes/ClassRegistry.h"
#include "classes/MetaBuilder.h"
#include "report/vrClassDiffText.h"
#include "report/vrXML.h"
#include "rtl/StrUtils.h"

#include <cmath>

const char* const vrBandKinds[18] = {
    "TvrReportTitle",  "TvrReportSummary", "TvrPageHeader",  "TvrPageFooter",    "TvrHeader",
    "TvrFooter",       "TvrMasterData",    "TvrDetailData",  "TvrSubdetailData", "TvrDataBand4",
    "TvrDataBand5",    "TvrDataBand6",     "TvrGroupHeader", "TvrGroupFooter",   "TvrChild",
    "TvrColumnHeader", "TvrColumnFooter",  "TvrOverlay"};

ORV_META_IMPL(TvrBand)
void TvrBand::DeclareMeta(meta::Class<TvrBand>& c) {
    using T = TvrBand;
    c.Property("Font", &T::Font, &T::SetFont).Stored(&T::IsFontStored);
    c.Property("Height", &T::Height, &T::SetHeight);
    c.Property("Left", &T::Left, &T::SetLeft);
    c.Property("Top", &T::Top, &T::SetTop);
    c.Property("Width", &T::Width, &T::SetWidth);
    c.Property("ParentFont", &T::ParentFont, &T::SetParentFont).Default(true);
    c.Property("Restrictions", &T::Restrictions, &T::Restrictions).Default(TvrRestrictions());
    c.Property("Vertical", &T::Vertical, &T::Vertical).Default(false);
    c.Property("Visible", &T::Visible, &T::SetVisible).Default(true);
    c.Property("OnAfterCalcHeight", &T::OnAfterCalcHeight, &T::OnAfterCalcHeight).TypeName("TvrNotifyEvent");
    c.Property("OnAfterPrint", &T::OnAfterPrint, &T::OnAfterPrint).TypeName("TvrNotifyEvent");
    c.Property("OnBeforePrint", &T::OnBeforePrint, &T::OnBeforePrint).TypeName("TvrNotifyEvent");
}

TvrBand::TvrBand(TComponent* AOwner) : TvrReportComponent(AOwner) {
    Flags.Include(ofPreviewCopy);
}

void TvrBand::SetChild(TvrChild* Value) {
    for (TvrBand* b = Value; b; b = b->Child())
        if (b == this) throw Exception("Circular child reference is not allowed");
    FChild = Value;
    if (Value) Value->FreeNotification(this);
}

void TvrBand::Notification(TComponent* AComponent, TOperation Operation) {
    TvrReportComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FChild) FChild = nullptr;
}

int TvrBand::BandKindIndex() const {
    // The last table class the band belongs to: its most derived one.
    for (const meta::TClassInfo* ci = ClassInfo(); ci; ci = ci->Parent())
        for (int i = 0; i < 18; ++i)
            if (ci->Name() == vrBandKinds[i]) return i;
    return 0;
}

String TvrBand::GetBandName() const {
    String s = ClassName();
    size_t at = s.find("Tvr");
    if (at != String::npos) s.erase(at, 3);
    at = s.find("Band");
    if (at != String::npos) s.erase(at, 4);
    return s;
}

bool TvrBand::OnDotMatrixPage() const {
    return Parent() && Parent()->InheritsFrom("TvrDMPPage");
}

void TvrBand::SetLeft(Extended Value) {
    if (OnDotMatrixPage()) Value = std::round(Value / fr1CharX) * fr1CharX;
    TvrReportComponent::SetLeft(Value);
}

void TvrBand::SetTop(Extended Value) {
    if (OnDotMatrixPage()) Value = std::round(Value / fr1CharY) * fr1CharY;
    TvrReportComponent::SetTop(Value);
}

void TvrBand::SetHeight(Extended Value) {
    if (OnDotMatrixPage()) Value = std::round(Value / fr1CharY) * fr1CharY;
    TvrReportComponent::SetHeight(Value);
}

// --- data band ----------------------------------------------------------------------------------

ORV_META_IMPL(TvrDataBand)
void TvrDataBand::DeclareMeta(meta::Class<TvrDataBand>& c) {
    using T = TvrDataBand;
    c.Property("AllowSplit", &T::AllowSplit, &T::AllowSplit).Default(false);
    c.Property("Child", &T::Child, &T::SetChild);
    c.Property("Columns", &T::Columns, &T::Columns).Default(0);
    c.Property("ColumnWidth", &T::ColumnWidth, &T::ColumnWidth);
    c.Property("ColumnGap", &T::ColumnGap, &T::ColumnGap);
    c.Property("DataSet", &T::DataSet, &T::SetDataSet);
    c.Property("DataSetName", &T::DataSetName, &T::SetDataSetName);
    c.Property("FooterAfterEach", &T::FooterAfterEach, &T::FooterAfterEach).Default(false);
    c.Property("KeepChild", &T::KeepChild, &T::KeepChild).Default(false);
    c.Property("KeepFooter", &T::KeepFooter, &T::KeepFooter).Default(false);
    c.Property("KeepHeader", &T::KeepHeader, &T::KeepHeader).Default(false);
    c.Property("KeepTogether", &T::KeepTogether, &T::KeepTogether).Default(false);
    c.Property("OutlineText", &T::OutlineText, &T::OutlineText);
    c.Property("PrintChildIfInvisible", &T::PrintChildIfInvisible, &T::PrintChildIfInvisible).Default(false);
    c.Property("PrintIfDetailEmpty", &T::PrintIfDetailEmpty, &T::PrintIfDetailEmpty).Default(false);
    c.Property("RowCount", &T::RowCount, &T::SetRowCount).Default(0);
    c.Property("StartNewPage", &T::StartNewPage, &T::StartNewPage).Default(false);
    c.Property("Stretched", &T::Stretched, &T::Stretched).Default(false);
    c.Property("OnMasterDetail", &T::OnMasterDetail, &T::OnMasterDetail);
}

TvrDataBand::TvrDataBand(TComponent* AOwner)
    : TvrBand(AOwner), FVirtualDataSet(std::make_unique<TvrUserDataSet>(nullptr)) {
    FVirtualDataSet->RangeEnd = reCount;
}

TvrDataBand::~TvrDataBand() = default;

void TvrDataBand::SetCurColumn(Integer Value) {
    if (Value > Columns) Value = 1;
    FCurColumn = Value;
    if (Value == 1) LowestBottom = 0;
    SetLeft((Value - 1) * (ColumnWidth + ColumnGap));
}

void TvrDataBand::SetDataSet(TvrDataSet* Value) {
    vrBindDataSet(this, FDataSet, FDataSetName, Value);
}

String TvrDataBand::DataSetName() const {
    return FDataSet ? FDataSet->UserName() : FDataSetName;
}

void TvrDataBand::SetDataSetName(const String& Value) {
    vrBindDataSetName(this, FDataSet, FDataSetName, Value);
}

void TvrDataBand::SetRowCount(Integer Value) {
    FRowCount = Value;
    FVirtualDataSet->RangeEndCount = Value;
}

void TvrDataBand::Notification(TComponent* AComponent, TOperation Operation) {
    TvrBand::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDataSet) FDataSet = nullptr;
}

String TvrGroupHeader::Diff(TvrComponent* Template) {
    String s = TvrBand::Diff(Template);
    if (DrillDown) s += vrDiffAttr("DrillName", EscapeXMLText(DrillName));
    return s;
}

// --- published properties of the kinds ---------------------------------------------------------

namespace {
template <class T> void ChildProps(meta::Class<T>& c) {
    c.Property("AllowSplit", &T::AllowSplit, &T::AllowSplit).Default(false);
    c.Property("Child", &T::Child, &T::SetChild);
    c.Property("KeepChild", &T::KeepChild, &T::KeepChild).Default(false);
    c.Property("PrintChildIfInvisible", &T::PrintChildIfInvisible, &T::PrintChildIfInvisible).Default(false);
    c.Property("StartNewPage", &T::StartNewPage, &T::StartNewPage).Default(false);
    c.Property("Stretched", &T::Stretched, &T::Stretched).Default(false);
}
} // namespace

#define VR_PLAIN_DATA(Name)                                                                                  \
    ORV_META_IMPL(Name)                                                                                      \
    void Name::DeclareMeta(meta::Class<Name>&) {}
VR_PLAIN_DATA(TvrMasterData)
VR_PLAIN_DATA(TvrDetailData)
VR_PLAIN_DATA(TvrSubdetailData)
VR_PLAIN_DATA(TvrDataBand4)
VR_PLAIN_DATA(TvrDataBand5)
VR_PLAIN_DATA(TvrDataBand6)
VR_PLAIN_DATA(TvrColumnFooter)
VR_PLAIN_DATA(TvrNullBand)
#undef VR_PLAIN_DATA

ORV_META_IMPL(TvrReportTitle)
void TvrReportTitle::DeclareMeta(meta::Class<TvrReportTitle>& c) {
    ChildProps(c);
}
ORV_META_IMPL(TvrReportSummary)
void TvrReportSummary::DeclareMeta(meta::Class<TvrReportSummary>& c) {
    ChildProps(c);
}
ORV_META_IMPL(TvrFooter)
void TvrFooter::DeclareMeta(meta::Class<TvrFooter>& c) {
    ChildProps(c);
}
ORV_META_IMPL(TvrChild)
void TvrChild::DeclareMeta(meta::Class<TvrChild>& c) {
    ChildProps(c);
}
ORV_META_IMPL(TvrHeader)
void TvrHeader::DeclareMeta(meta::Class<TvrHeader>& c) {
    ChildProps(c);
    c.Property("ReprintOnNewPage", &TvrHeader::ReprintOnNewPage, &TvrHeader::ReprintOnNewPage).Default(false);
}
ORV_META_IMPL(TvrGroupFooter)
void TvrGroupFooter::DeclareMeta(meta::Class<TvrGroupFooter>& c) {
    ChildProps(c);
    c.Property("HideIfSingleDataRecord", &TvrGroupFooter::HideIfSingleDataRecord,
               &TvrGroupFooter::HideIfSingleDataRecord)
        .Default(false);
}
ORV_META_IMPL(TvrColumnHeader)
void TvrColumnHeader::DeclareMeta(meta::Class<TvrColumnHeader>& c) {
    c.Property("Child", &TvrColumnHeader::Child, &TvrColumnHeader::SetChild);
    c.Property("Stretched", &TvrColumnHeader::Stretched, &TvrColumnHeader::Stretched).Default(false);
}
ORV_META_IMPL(TvrOverlay)
void TvrOverlay::DeclareMeta(meta::Class<TvrOverlay>& c) {
    c.Property("PrintOnTop", &TvrOverlay::PrintOnTop, &TvrOverlay::PrintOnTop).Default(false);
}
ORV_META_IMPL(TvrPageHeader)
void TvrPageHeader::DeclareMeta(meta::Class<TvrPageHeader>& c) {
    using T = TvrPageHeader;
    c.Property("Child", &T::Child, &T::SetChild);
    c.Property("PrintChildIfInvisible", &T::PrintChildIfInvisible, &T::PrintChildIfInvisible).Default(false);
    c.Property("PrintOnFirstPage", &T::PrintOnFirstPage, &T::PrintOnFirstPage).Default(true);
    c.Property("Stretched", &T::Stretched, &T::Stretched).Default(false);
}
ORV_META_IMPL(TvrPageFooter)
void TvrPageFooter::DeclareMeta(meta::Class<TvrPageFooter>& c) {
    using T = TvrPageFooter;
    c.Property("PrintOnFirstPage", &T::PrintOnFirstPage, &T::PrintOnFirstPage).Default(true);
    c.Property("PrintOnLastPage", &T::PrintOnLastPage, &T::PrintOnLastPage).Default(true);
}
ORV_META_IMPL(TvrGroupHeader)
void TvrGroupHeader::DeclareMeta(meta::Class<TvrGroupHeader>& c) {
    using T = TvrGroupHeader;
    ChildProps(c);
    c.Property("Condition", &T::Condition, &T::Condition);
    c.Property("DrillDown", &T::DrillDown, &T::DrillDown).Default(false);
    c.Property("ExpandDrillDown", &T::ExpandDrillDown, &T::ExpandDrillDown).Default(false);
    c.Property("KeepTogether", &T::KeepTogether, &T::KeepTogether).Default(false);
    c.Property("ReprintOnNewPage", &T::ReprintOnNewPage, &T::ReprintOnNewPage).Default(false);
    c.Property("OutlineText", &T::OutlineText, &T::OutlineText);
    c.Property("ResetPageNumbers", &T::ResetPageNumbers, &T::ResetPageNumbers).Default(false);
    c.Property("ShowFooterIfDrillDown", &T::ShowFooterIfDrillDown, &T::ShowFooterIfDrillDown).Default(false);
    c.Property("ShowChildIfDrillDown", &T::ShowChildIfDrillDown, &T::ShowChildIfDrillDown).Default(false);
    c.Property("DrillName", &T::DrillName, &T::DrillName);
}

void vrRegisterBandClasses() {
    RegisterClasses({&TvrReportTitle::StaticClassInfo(),   &TvrReportSummary::StaticClassInfo(),
                     &TvrPageHeader::StaticClassInfo(),    &TvrPageFooter::StaticClassInfo(),
                     &TvrHeader::StaticClassInfo(),        &TvrFooter::StaticClassInfo(),
                     &TvrMasterData::StaticClassInfo(),    &TvrDetailData::StaticClassInfo(),
                     &TvrSubdetailData::StaticClassInfo(), &TvrDataBand4::StaticClassInfo(),
                     &TvrDataBand5::StaticClassInfo(),     &TvrDataBand6::StaticClassInfo(),
                     &TvrGroupHeader::StaticClassInfo(),   &TvrGroupFooter::StaticClassInfo(),
                     &TvrChild::StaticClassInfo(),         &TvrColumnHeader::StaticClassInfo(),
                     &TvrColumnFooter::StaticClassInfo(),  &TvrOverlay::StaticClassInfo(),
                     &TvrNullBand::StaticClassInfo(),      &TvrDataBand::StaticClassInfo()});
}
