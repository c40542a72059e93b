// The report's option objects: defaults, copying and what Clear resets.
#include "classes/MetaBuilder.h"
#include "gui/Picture.h"
#include "report/vrClassOptions.h"
#include "report/vrRes.h"
#include "rtl/DateUtils.h"

// --- engine options -----------------------------------------------------------------------------

ORV_META_IMPL(TvrEngineOptions)
void TvrEngineOptions::DeclareMeta(meta::Class<TvrEngineOptions>& c) {
    using T = TvrEngineOptions;
    c.Property("ConvertNulls", &T::ConvertNulls, &T::ConvertNulls).Default(true);
    c.Property("DoublePass", &T::DoublePass, &T::DoublePass).Default(false);
    c.Property("MaxMemSize", &T::MaxMemSize, &T::MaxMemSize).Default(10);
    c.Property("PrintIfEmpty", &T::PrintIfEmpty, &T::PrintIfEmpty).Default(true);
    c.Property("SilentMode", &T::SilentMode, &T::SetSilentMode).Default(false);
    c.Property("NewSilentMode", &T::NewSilentMode, &T::NewSilentMode).Default(simMessageBoxes);
    c.Property("TempDir", &T::TempDir, &T::TempDir);
    c.Property("UseFileCache", &T::UseFileCache, &T::UseFileCache).Default(false);
    c.Property("IgnoreDevByZero", &T::IgnoreDevByZero, &T::IgnoreDevByZero).Default(false);
}

TvrEngineOptions::TvrEngineOptions() {
    Clear();
}

void TvrEngineOptions::Assign(const TPersistent* Source) {
    auto* s = dynamic_cast<const TvrEngineOptions*>(Source);
    if (!s) return;
    ConvertNulls = s->ConvertNulls;
    DoublePass = s->DoublePass;
    MaxMemSize = s->MaxMemSize;
    PrintIfEmpty = s->PrintIfEmpty;
    NewSilentMode = s->NewSilentMode;
    TempDir = s->TempDir;
    UseFileCache = s->UseFileCache;
    IgnoreDevByZero = s->IgnoreDevByZero;
}

void TvrEngineOptions::Clear() {
    ConvertNulls = true;
    IgnoreDevByZero = false;
    DoublePass = false;
}

// --- print options ------------------------------------------------------------------------------

ORV_META_IMPL(TvrPrintOptions)
void TvrPrintOptions::DeclareMeta(meta::Class<TvrPrintOptions>& c) {
    using T = TvrPrintOptions;
    c.Property("Copies", &T::Copies, &T::Copies).Default(1);
    c.Property("Collate", &T::Collate, &T::Collate).Default(true);
    c.Property("PageNumbers", &T::PageNumbers, &T::PageNumbers);
    c.Property("Printer", &T::Printer, &T::Printer);
    c.Property("PrintMode", &T::PrintMode, &T::PrintMode).Default(pmDefault);
    c.Property("PrintOnSheet", &T::PrintOnSheet, &T::PrintOnSheet);
    c.Property("PrintPages", &T::PrintPages, &T::PrintPages).Default(ppAll);
    c.Property("Reverse", &T::Reverse, &T::Reverse).Default(false);
    c.Property("ShowDialog", &T::ShowDialog, &T::ShowDialog).Default(true);
    c.Property("SwapPageSize", &T::SwapPageSize, &T::SwapPageSize).Stored(false);
}

TvrPrintOptions::TvrPrintOptions() {
    Clear();
}

void TvrPrintOptions::Assign(const TPersistent* Source) {
    auto* s = dynamic_cast<const TvrPrintOptions*>(Source);
    if (!s) return;
    Copies = s->Copies;
    Collate = s->Collate;
    PageNumbers = s->PageNumbers;
    Printer = s->Printer;
    PrintMode = s->PrintMode;
    PrintOnSheet = s->PrintOnSheet;
    PrintPages = s->PrintPages;
    Reverse = s->Reverse;
    ShowDialog = s->ShowDialog;
    SpliceOverlap = s->SpliceOverlap;
}

void TvrPrintOptions::Clear() {
    Copies = 1;
    Collate = true;
    PageNumbers.clear();
    Printer = GetResources().GetString("prDefault");
    PrintMode = pmDefault;
    PrintOnSheet = 0;
    PrintPages = ppAll;
    Reverse = false;
    ShowDialog = true;
}

// --- preview options ----------------------------------------------------------------------------

ORV_META_IMPL(TvrPreviewOptions)
void TvrPreviewOptions::DeclareMeta(meta::Class<TvrPreviewOptions>& c) {
    using T = TvrPreviewOptions;
    c.Property("AllowEdit", &T::AllowEdit, &T::AllowEdit).Default(true);
    c.Property("Buttons", &T::Buttons, &T::Buttons);
    c.Property("DoubleBuffered", &T::DoubleBuffered, &T::DoubleBuffered).Default(true);
    c.Property("Maximized", &T::Maximized, &T::Maximized).Default(true);
    c.Property("MDIChild", &T::MDIChild, &T::MDIChild).Default(false);
    c.Property("Modal", &T::Modal, &T::Modal).Default(true);
    c.Property("OutlineExpand", &T::OutlineExpand, &T::OutlineExpand).Default(true);
    c.Property("OutlineVisible", &T::OutlineVisible, &T::OutlineVisible).Default(false);
    c.Property("OutlineWidth", &T::OutlineWidth, &T::OutlineWidth).Default(120);
    c.Property("PagesInCache", &T::PagesInCache, &T::PagesInCache).Default(50);
    c.Property("ThumbnailVisible", &T::ThumbnailVisible, &T::ThumbnailVisible).Default(false);
    c.Property("ShowCaptions", &T::ShowCaptions, &T::ShowCaptions).Default(false);
    c.Property("Zoom", &T::Zoom, &T::Zoom);
    c.Property("ZoomMode", &T::ZoomMode, &T::ZoomMode).Default(zmDefault);
    c.Property("PictureCacheInFile", &T::PictureCacheInFile, &T::PictureCacheInFile).Default(false);
}

TvrPreviewOptions::TvrPreviewOptions() {
    Buttons = TvrPreviewButtons::FromBits(4095);
    Clear();
}

void TvrPreviewOptions::Assign(const TPersistent* Source) {
    auto* s = dynamic_cast<const TvrPreviewOptions*>(Source);
    if (!s) return;
    AllowEdit = s->AllowEdit;
    Buttons = s->Buttons;
    DoubleBuffered = s->DoubleBuffered;
    Maximized = s->Maximized;
    MDIChild = s->MDIChild;
    Modal = s->Modal;
    OutlineExpand = s->OutlineExpand;
    OutlineVisible = s->OutlineVisible;
    OutlineWidth = s->OutlineWidth;
    PagesInCache = s->PagesInCache;
    ThumbnailVisible = s->ThumbnailVisible;
    ShowCaptions = s->ShowCaptions;
    Zoom = s->Zoom;
    ZoomMode = s->ZoomMode;
    PictureCacheInFile = s->PictureCacheInFile;
    RTLPreview = s->RTLPreview;
}

void TvrPreviewOptions::Clear() {
    OutlineExpand = true;
    OutlineVisible = false;
    OutlineWidth = 120;
    PagesInCache = 50;
    ThumbnailVisible = false;
}

// --- report options -----------------------------------------------------------------------------

ORV_META_IMPL(TvrReportOptions)
void TvrReportOptions::DeclareMeta(meta::Class<TvrReportOptions>& c) {
    using T = TvrReportOptions;
    c.Property("Author", &T::Author, &T::Author);
    c.Property("Compressed", &T::Compressed, &T::Compressed).Default(false);
    c.Property("ConnectionName", &T::ConnectionName, &T::ConnectionName);
    c.Property("CreateDate", &T::CreateDate, &T::CreateDate).TypeName("TDateTime");
    c.Property("Description", &T::Description, &T::SetDescription);
    c.Property("InitString", &T::InitString, &T::InitString);
    c.Property("Name", &T::Name, &T::Name);
    c.Property("LastChange", &T::LastChange, &T::LastChange).TypeName("TDateTime");
    // The stored form is a byte string: never converted between code pages.
    c.Property("Password", &T::Password, &T::Password).TypeName("TvrPasswordText");
    c.Property("Picture", &T::Picture, &T::SetPicture);
    c.Property("VersionBuild", &T::VersionBuild, &T::VersionBuild);
    c.Property("VersionMajor", &T::VersionMajor, &T::VersionMajor);
    c.Property("VersionMinor", &T::VersionMinor, &T::VersionMinor);
    c.Property("VersionRelease", &T::VersionRelease, &T::VersionRelease);
}

TvrReportOptions::TvrReportOptions(TvrReport* Report)
    : FReport(Report), FDescription(std::make_unique<TStringList>()), FPicture(std::make_unique<TPicture>()) {
    Clear();
}

TvrReportOptions::~TvrReportOptions() = default;

void TvrReportOptions::SetDescription(TStringList* Value) {
    if (Value)
        FDescription->Assign(*Value);
    else
        FDescription->Clear();
}

void TvrReportOptions::SetPicture(TPicture* Value) {
    if (Value)
        FPicture->Assign(Value);
    else
        FPicture->SetGraphic(static_cast<const TGraphic*>(nullptr));
}

void TvrReportOptions::Assign(const TPersistent* Source) {
    auto* s = dynamic_cast<const TvrReportOptions*>(Source);
    if (!s) return;
    Author = s->Author;
    Compressed = s->Compressed;
    ConnectionName = s->ConnectionName;
    CreateDate = s->CreateDate;
    FDescription->Assign(*s->FDescription);
    InitString = s->InitString;
    Name = s->Name;
    LastChange = s->LastChange;
    Password = s->Password;
    FPicture->Assign(s->FPicture.get());
    VersionBuild = s->VersionBuild;
    VersionMajor = s->VersionMajor;
    VersionMinor = s->VersionMinor;
    VersionRelease = s->VersionRelease;
}

void TvrReportOptions::Clear() {
    Author.clear();
    Compressed = false;
    ConnectionName.clear();
    CreateDate = Now();
    LastChange = CreateDate;
    FDescription->Clear();
    InitString.clear();
    Name.clear();
    Password.clear();
    FPicture->SetGraphic(static_cast<const TGraphic*>(nullptr));
    VersionBuild.clear();
    VersionMajor.clear();
    VersionMinor.clear();
    VersionRelease.clear();
    AcceptedPassword.clear();
}
