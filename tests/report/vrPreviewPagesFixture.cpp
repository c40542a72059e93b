#include "vrPreviewPagesFixture.h"

#include "classes/ClassRegistry.h"
#include "classes/MetaBuilder.h"

ORV_META_IMPL(TPPTestPage)
void TPPTestPage::DeclareMeta(meta::Class<TPPTestPage>& c) {
    using T = TPPTestPage;
    c.Property("Width", &T::Width, &T::SetWidth);
    c.Property("Height", &T::Height, &T::SetHeight);
    c.Property("PaperSize", &T::PaperSize, &T::PaperSize).Default(9);
    c.Property("PaperWidth", &T::PaperWidth, &T::PaperWidth);
    c.Property("PaperHeight", &T::PaperHeight, &T::PaperHeight);
    c.Property("LeftMargin", &T::LeftMargin, &T::LeftMargin);
    c.Property("RightMargin", &T::RightMargin, &T::RightMargin);
    c.Property("TopMargin", &T::TopMargin, &T::TopMargin);
    c.Property("MirrorMargins", &T::MirrorMargins, &T::MirrorMargins).Default(false);
}

ORV_META_IMPL(TvrLinkTestView)
void TvrLinkTestView::DeclareMeta(meta::Class<TvrLinkTestView>& c) {
    using T = TvrLinkTestView;
    c.Property("Left", &T::Left, &T::SetLeft);
    c.Property("Top", &T::Top, &T::SetTop);
    c.Property("Width", &T::Width, &T::SetWidth);
    c.Property("Height", &T::Height, &T::SetHeight);
    c.Property("URL", &T::URL, &T::URL);
    c.Property("Hint", &T::Hint, &T::Hint);
    c.Property("ShowHint", &T::ShowHint, &T::ShowHint).Default(false);
    c.Property("Printable", &T::Printable, &T::Printable).Default(true);
    c.Property("Cursor", &T::Cursor, &T::Cursor).Default(0);
    c.Property("TotalPages", &T::TotalPages, &T::TotalPages).Default(0);
}

TvrLinkTestView::TvrLinkTestView(TComponent* AOwner) : TvrReportComponent(AOwner) {
    Flags = TvrObjectFlags{ofPreviewCopy, ofAttributeDiff};
}

std::vector<TvrLinkTestView::TDrawn>& TvrLinkTestView::Drawn() {
    static std::vector<TDrawn> drawn;
    return drawn;
}

String& TvrLinkTestView::RaiseIn() {
    static String name;
    return name;
}

void TvrLinkTestView::Draw(TCanvas* Canvas, Extended, Extended, Extended OffsetX, Extended) {
    Drawn().push_back({Name(), OffsetX, TotalPages});
    if (Name() == RaiseIn()) throw Exception("Cannot draw " + Name());
    (void)Canvas;
}

ORV_META_IMPL(TvrMemoTestView)
void TvrMemoTestView::DeclareMeta(meta::Class<TvrMemoTestView>& c) {
    using T = TvrMemoTestView;
    c.Property("Left", &T::Left, &T::SetLeft);
    c.Property("Top", &T::Top, &T::SetTop);
    c.Property("Width", &T::Width, &T::SetWidth);
    c.Property("Height", &T::Height, &T::SetHeight);
    c.Property("Font", &T::Font, &T::SetFont).Stored(&T::IsFontStored);
    c.Property("ParentFont", &T::ParentFont, &T::SetParentFont).Default(true);
    c.Property("Visible", &T::Visible, &T::SetVisible).Default(true);
    c.Property("DataField", &T::DataField, &T::DataField);
}

ORV_META_IMPL(TBandTestView)
void TBandTestView::DeclareMeta(meta::Class<TBandTestView>& c) {
    using T = TBandTestView;
    c.Property("Left", &T::Left, &T::SetLeft);
    c.Property("Top", &T::Top, &T::SetTop);
    c.Property("Width", &T::Width, &T::SetWidth);
    c.Property("Height", &T::Height, &T::SetHeight);
    c.Property("Visible", &T::Visible, &T::SetVisible).Default(true);
}

ORV_META_IMPL(TvrOwnDiffTestView)
void TvrOwnDiffTestView::DeclareMeta(meta::Class<TvrOwnDiffTestView>& c) {
    using T = TvrOwnDiffTestView;
    c.Property("Left", &T::Left, &T::SetLeft);
    c.Property("Width", &T::Width, &T::SetWidth);
}

ORV_META_IMPL(TvrPicTestView)
void TvrPicTestView::DeclareMeta(meta::Class<TvrPicTestView>& c) {
    using T = TvrPicTestView;
    c.Property("Left", &T::Left, &T::SetLeft);
    c.Property("Top", &T::Top, &T::SetTop);
    c.Property("Width", &T::Width, &T::SetWidth);
    c.Property("Height", &T::Height, &T::SetHeight);
    c.Property("ImageIndex", &T::ImageIndex, &T::ImageIndex).Default(0);
    c.Property("Picture", &T::Picture, &T::SetPicture).Stored(false);
}

TvrPicTestView::TvrPicTestView(TComponent* AOwner)
    : TvrReportComponent(AOwner), FPicture(std::make_unique<TPicture>()) {
    Flags = TvrObjectFlags{ofPreviewCopy, ofAttributeDiff};
}
TvrPicTestView::~TvrPicTestView() = default;
void TvrPicTestView::SetPicture(TPicture* Value) {
    FPicture->Assign(Value);
}

void RegisterPreviewPagesTestObjects() {
    static const bool done = [] {
        vrStartUp();
        RegisterClasses({&TPPTestPage::StaticClassInfo(), &TvrMemoTestView::StaticClassInfo(),
                         &TBandTestView::StaticClassInfo(), &TvrPicTestView::StaticClassInfo(),
                         &TvrLinkTestView::StaticClassInfo(), &TvrOwnDiffTestView::StaticClassInfo()});
        return true;
    }();
    (void)done;
}

TPreparedFixture::TPreparedFixture() {
    RegisterPreviewPagesTestObjects();
    auto engine = std::make_unique<TvrCustomEngine>(&Report);
    auto pages = std::make_unique<TvrPreviewPages>(&Report);
    Engine = engine.get();
    Pages = pages.get();
    Report.SetEngine(std::move(engine), std::move(pages));
    Engine->FinalPass = true;
    Page = new TPPTestPage(&Report);
    Page->SetName("Page1");
    Page->SetBounds(0, 0, 794, 1123);
    Band = new TBandTestView(Page);
    Band->SetName("Band1");
    Band->SetBounds(0, 20, 700, 40);
    Memo1 = new TvrMemoTestView(Band);
    Memo1->SetName("Memo1");
    Memo1->SetBounds(10, 0, 100, 20);
    Memo1->Memo = "Template";
    Memo1->DataField = "Name";
    Memo2 = new TvrMemoTestView(Band);
    Memo2->SetName("Memo2");
    Memo2->SetBounds(200, 0, 100, 20);
}

TPreparedFixture::~TPreparedFixture() = default;

void TPreparedFixture::AddPage(Extended Top, const String& Text) {
    Pages->StartPreparedPage(Page);
    Band->SetTop(Top);
    Memo1->Memo = Text;
    Pages->AddBandToPage(Band);
}

void TPreparedFixture::Build(int Count) {
    Pages->ClearAll();
    Pages->RegisterSourcePage(Page);
    Pages->AddPageAction = TvrPreviewPages::apAdd;
    for (int i = 0; i < Count; ++i) {
        Pages->AddPageAction = TvrPreviewPages::apAdd;
        AddPage(20, "Row " + IntToStr(i));
    }
}
