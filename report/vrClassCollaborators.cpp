// The abstract collaborators of a report and the little behaviour their bases have.
#include "classes/MetaBuilder.h"
#include "report/vrClass.h"
#include "report/vrDsgnIntf.h"
#include "rtl/Lists.h"

namespace {
[[noreturn]] void Abstract() {
    throw EAbstractError("Abstract Error");
}

TvrCustomExportFilter*& DotMatrixFilter() {
    static TvrCustomExportFilter* filter = nullptr;
    return filter;
}
} // namespace

TvrCustomExportFilter* vrDotMatrixExportFilter() {
    return DotMatrixFilter();
}

ORV_META_IMPL(TvrCustomEngine)
void TvrCustomEngine::DeclareMeta(meta::Class<TvrCustomEngine>& c) {
    using T = TvrCustomEngine;
    c.Property("CurColumn", &T::CurColumn, &T::CurColumn);
    c.Property("CurVColumn", &T::CurVColumn, &T::CurVColumn);
    c.Property("CurX", &T::CurX, &T::CurX);
    c.Property("CurY", &T::CurY, &T::CurY);
    c.Property("DoublePass", &T::DoublePass);
    c.Property("FinalPass", &T::FinalPass, &T::FinalPass);
    c.Property("PageHeight", &T::PageHeight);
    c.Property("PageWidth", &T::PageWidth, &T::PageWidth);
    c.Property("StartDate", &T::StartDate, &T::StartDate).TypeName("TDateTime");
    c.Property("StartTime", &T::StartTime, &T::StartTime).TypeName("TDateTime");
    c.Property("TotalPages", &T::TotalPages, &T::TotalPages);
    c.Property("SecondScriptCall", &T::SecondScriptCall, &T::SecondScriptCall);
}

TvrCustomEngine::TvrCustomEngine(TvrReport* Report) : FReport(Report), FNotifyList(std::make_unique<TList>()) {}
TvrCustomEngine::~TvrCustomEngine() = default;

bool TvrCustomEngine::DoublePass() const {
    return FReport && FReport->EngineOptions()->DoublePass;
}

void TvrCustomEngine::StopReport() {
    if (FReport) FReport->Terminated = true;
}

void TvrCustomEngine::FinishPage() {
    Abstract();
}
void TvrCustomEngine::NewColumn() {
    Abstract();
}
void TvrCustomEngine::NewPage() {
    Abstract();
}
void TvrCustomEngine::ShowBand(TvrComponent*) {
    Abstract();
}
Extended TvrCustomEngine::TopBandsHeight() {
    Abstract();
}
Extended TvrCustomEngine::BottomBandsHeight() {
    Abstract();
}
Extended TvrCustomEngine::FreeSpace() {
    Abstract();
}
Variant TvrCustomEngine::CalcAggregate(const String&, const String&, TvrComponent*, Integer) {
    Abstract();
}
bool TvrCustomEngine::BuildReport() {
    Abstract();
}

ORV_META_IMPL(TvrCustomOutline)
void TvrCustomOutline::DeclareMeta(meta::Class<TvrCustomOutline>&) {}
Integer TvrCustomOutline::ChildCount() {
    Abstract();
}
void TvrCustomOutline::AddItem(const String&, Integer) {
    Abstract();
}
void TvrCustomOutline::LevelRoot() {
    Abstract();
}
void TvrCustomOutline::LevelUp() {
    Abstract();
}

TvrCustomPreviewPages::TvrCustomPreviewPages(TvrReport* Report)
    : FReport(Report), FOutline(std::make_unique<TvrCustomOutline>(this)) {}
TvrCustomPreviewPages::~TvrCustomPreviewPages() = default;
Integer TvrCustomPreviewPages::GetPageCount() {
    Abstract();
}
void TvrCustomPreviewPages::ClearAll() {
    Abstract();
}
Integer TvrCustomPreviewPages::LogicalPageNumber() {
    Abstract();
}
Integer TvrCustomPreviewPages::LogicalPageTotal() {
    Abstract();
}
bool TvrCustomPreviewPages::SendToPrinter() {
    Abstract();
}
bool TvrCustomPreviewPages::SendToExportFilter(TvrCustomExportFilter*) {
    Abstract();
}

ORV_META_IMPL(TvrCustomPreview)
void TvrCustomPreview::DeclareMeta(meta::Class<TvrCustomPreview>&) {}
void TvrCustomPreview::InitPreview() {
    Abstract();
}
void TvrCustomPreview::BuildStarted() {
    Abstract();
}
void TvrCustomPreview::BuildStep(Integer) {
    Abstract();
}
void TvrCustomPreview::BuildFinished() {
    Abstract();
}

ORV_META_IMPL(TvrCustomExportFilter)
void TvrCustomExportFilter::DeclareMeta(meta::Class<TvrCustomExportFilter>& c) {
    using T = TvrCustomExportFilter;
    c.Property("ShowDialog", &T::ShowDialog, &T::ShowDialog).Default(true);
    c.Property("FileName", &T::FileName, &T::FileName);
    c.Property("ExportNotPrintable", &T::ExportNotPrintable, &T::ExportNotPrintable).Default(false);
    c.Property("UseFileCache", &T::UseFileCache, &T::UseFileCache);
    c.Property("DefaultPath", &T::DefaultPath, &T::DefaultPath);
    c.Property("ShowProgress", &T::ShowProgress, &T::ShowProgress);
    c.Property("OverwritePrompt", &T::OverwritePrompt, &T::OverwritePrompt);
    c.Event("OnBeginExport", &T::OnBeginExport);
}

TvrCustomExportFilter::TvrCustomExportFilter(TComponent* AOwner) : TComponent(AOwner) {
    ExportFilterRegistry()->Register(this);
}

TvrCustomExportFilter::TvrCustomExportFilter(TUnlisted) : TComponent(nullptr) {
    Unlisted = true;
}

TvrCustomExportFilter::~TvrCustomExportFilter() {
    // Only when it is this one: a later dot-matrix filter stays the one.
    if (DotMatrixFilter() == this) DotMatrixFilter() = nullptr;
    if (!Unlisted) ExportFilterRegistry()->Unregister(this);
}

void TvrCustomExportFilter::BecomeDotMatrixFilter() {
    DotMatrixFilter() = this;
}

void TvrCustomExportFilter::ExportObject(TvrComponent*) {
    Abstract();
}
