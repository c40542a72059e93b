// TvrPreviewForm: the preview window: tool bar, status bar, the commands the report's preview
// options allow, the export menu, the right-click menu, full screen and the keys.
#include "report/vrPreview.h"

#include "classes/MetaBuilder.h"
#include "gui/Buttons.h"
#include "gui/ImgList.h"
#include "report/vrClassBand.h"
#include "report/vrClassReport.h"
#include "report/vrDock.h"
#include "report/vrDsgnIntf.h"
#include "report/vrPreviewPages.h"
#include "report/vrRes.h"
#include "report/vrUtils.h"
#include "report/vrWindows.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"
#include "rtl/SysUtils.h"

#include <cmath>

ORV_META_IMPL(TvrPreviewForm)
void TvrPreviewForm::DeclareMeta(meta::Class<TvrPreviewForm>&) {}

namespace {

bool HasDrillDownGroups(TvrReport* report) {
    if (!report) return false;
    for (TvrComponent* obj : report->AllObjects())
        if (auto* h = dynamic_cast<TvrGroupHeader*>(obj); h && h->DrillDown) return true;
    return false;
}

} // namespace

TvrPreviewForm::TvrPreviewForm(TComponent* AOwner) : TForm(AOwner) {
    SetName("vrPreviewForm");
    SetCaption("Preview");
    SetClientWidth(803);
    SetClientHeight(584);
    Font()->SetName("Tahoma");
    Font()->SetHeight(-11);
    SetKeyPreview(true);
    SetPosition(poScreenCenter);
    SetShowHint(true);
    CreateControls();
    SetCaptions();
    FPreview = new TvrPreview(this);
    FPreview->SetParent(this);
    FPreview->SetAlign(alClient);
    FPreview->SetBorderStyle(bsNone);
    FPreview->OnPageChanged = [this](TvrPreview*, Integer pageNo) { PageChanged(pageNo); };
    FPreview->OnDblClick = [this](TObject*) {
        if (FFullScreen) SetFullScreen(false);
    };
    PageE->SetNumbersOnly(true);
    if (Screen()->PixelsPerInch() > 96) StatusBar->SetHeight(24);
    vrMirrorForReadingOrder(this);
    DoCreate();
    if (FPreview->Workspace()->CanFocus()) SetActiveControl(FPreview->Workspace());
}

TvrPreviewForm::~TvrPreviewForm() {
    if (Report() && Report()->Preview() == FPreview) Report()->SetPreview(nullptr);
}

TvrReport* TvrPreviewForm::Report() const {
    return FPreview ? FPreview->Report : nullptr;
}

TToolButton* TvrPreviewForm::AddButton(const String& Name, int Image, TToolButtonStyle Style) {
    auto* b = new TToolButton(this);
    b->SetName(Name);
    b->SetStyle(Style);
    if (Image >= 0) b->SetImageIndex(Image);
    b->SetParent(ToolBar);
    return b;
}

void TvrPreviewForm::CreateControls() {
    ToolBar = new TToolBar(this);
    ToolBar->SetName("ToolBar");
    ToolBar->SetParent(this);
    ToolBar->SetAlign(alTop);
    ToolBar->SetHeight(27);
    ToolBar->SetButtonHeight(23);
    ToolBar->SetFlat(true);
    ToolBar->SetImages(GetResources().GetPreviewImages());

    ExportPopup = new TPopupMenu(this);
    ExportPopup->SetName("ExportPopup");
    HiddenMenu = new TPopupMenu(this);
    HiddenMenu->SetName("HiddenMenu");
    Showtemplate1 = new TMenuItem(HiddenMenu);
    Showtemplate1->SetName("Showtemplate1");
    Showtemplate1->SetCaption("Show template");
    Showtemplate1->OnClick = [this](TObject*) { FPreview->DesignTemplate(); };
    HiddenMenu->Items()->Add(Showtemplate1);
    RightMenu = new TPopupMenu(this);
    RightMenu->SetName("RightMenu");
    CollapseMI = new TMenuItem(RightMenu);
    CollapseMI->SetName("CollapseMI");
    CollapseMI->SetCaption("Collapse all");
    CollapseMI->SetImageIndex(13);
    CollapseMI->OnClick = [this](TObject*) { CollapseAll(false); };
    ExpandMI = new TMenuItem(RightMenu);
    ExpandMI->SetName("ExpandMI");
    ExpandMI->SetCaption("Expand all");
    ExpandMI->SetImageIndex(14);
    ExpandMI->OnClick = [this](TObject*) { CollapseAll(true); };
    N1 = new TMenuItem(RightMenu);
    N1->SetName("N1");
    N1->SetCaption("-");
    RightMenu->Items()->Add(CollapseMI);
    RightMenu->Items()->Add(ExpandMI);
    RightMenu->Items()->Add(N1);

    PrintB = AddButton("PrintB", 2);
    PrintB->OnClick = [this](TObject*) {
        FPreview->PrintPages();
        SetEnabled(true);
    };
    OpenB = AddButton("OpenB", 0);
    OpenB->OnClick = [this](TObject*) {
        FPreview->LoadFromFileDialog();
        const String name = Report() ? Report()->ReportOptions()->Name : String();
        SetCaption(name.empty() ? GetResources().GetString("100") : name);
    };
    SaveB = AddButton("SaveB", 1);
    SaveB->OnClick = [this](TObject*) { FPreview->SaveToFileDialog(); };
    ExportB = AddButton("ExportB", 3, tbsDropDown);
    ExportB->SetDropdownMenu(ExportPopup);
    PdfB = AddButton("PdfB", 24);
    PdfB->SetVisible(false);
    PdfB->OnClick = [this](TObject*) {
        if (PdfFilter) FPreview->ExportPages(PdfFilter);
    };
    EmailB = AddButton("EmailB", 23);
    EmailB->SetVisible(false);
    EmailB->OnClick = [this](TObject*) {
        if (EmailFilter) FPreview->ExportPages(EmailFilter);
    };
    FindB = AddButton("FindB", 4);
    FindB->OnClick = [this](TObject*) { FPreview->FindTextDialog(); };
    Sep1 = AddButton("Sep1", -1, tbsSeparator);
    Sep1->SetWidth(8);
    ZoomPlusB = AddButton("ZoomPlusB", 15);
    ZoomPlusB->OnClick = [this](TObject*) { FPreview->SetZoom(FPreview->Zoom() + 0.25); };
    Sep3 = new TvrTBPanel(this);
    Sep3->SetName("Sep3");
    Sep3->SetParent(ToolBar);
    Sep3->SetWidth(56);
    Sep3->SetCaption(String());
    ZoomCB = new TvrComboBox(this);
    ZoomCB->SetName("ZoomCB");
    ZoomCB->SetParent(Sep3);
    ZoomCB->SetBounds(4, 2, 49, 21);
    ZoomCB->SetListWidth(100);
    ZoomCB->SetText("100%");
    ZoomCB->OnClick = [this](TObject*) { ZoomChoice(); };
    ZoomMinusB = AddButton("ZoomMinusB", 16);
    ZoomMinusB->OnClick = [this](TObject*) { FPreview->SetZoom(FPreview->Zoom() - 0.25); };
    FullScreenBtn = AddButton("FullScreenBtn", 22);
    FullScreenBtn->OnClick = [this](TObject*) { SetFullScreen(!FFullScreen); };
    Sep2 = AddButton("Sep2", -1, tbsSeparator);
    OutlineB = AddButton("OutlineB", 12, tbsCheck);
    OutlineB->SetGrouped(true);
    OutlineB->SetAllowAllUp(true);
    OutlineB->OnClick = [this](TObject*) { FPreview->SetOutlineVisible(OutlineB->Down()); };
    ThumbB = AddButton("ThumbB", 5, tbsCheck);
    ThumbB->SetGrouped(true);
    ThumbB->SetAllowAllUp(true);
    ThumbB->OnClick = [this](TObject*) { FPreview->SetThumbnailVisible(ThumbB->Down()); };
    PageSettingsB = AddButton("PageSettingsB", 7);
    PageSettingsB->OnClick = [this](TObject*) { FPreview->PageSettingsDialog(); };
    DesignerB = AddButton("DesignerB", 21);
    DesignerB->OnClick = [this](TObject*) { FPreview->EditCurrentPage(); };
    DesignerB->OnMouseUp = [this](TObject*, TMouseButton button, TShiftState, int, int) {
        if (button != mbRight) return;
        const TPoint p = DesignerB->ClientToScreen(TPoint(0, 0));
        HiddenMenu->Popup(p.X, p.Y);
    };
    Sep5 = AddButton("Sep5", -1, tbsSeparator);
    FirstB = AddButton("FirstB", 8);
    FirstB->OnClick = [this](TObject*) { FPreview->GoToFirstPage(); };
    PriorB = AddButton("PriorB", 9);
    PriorB->OnClick = [this](TObject*) { FPreview->GoToPriorPage(); };
    Sep4 = new TvrTBPanel(this);
    Sep4->SetName("Sep4");
    Sep4->SetParent(ToolBar);
    Sep4->SetWidth(47);
    Sep4->SetCaption(String());
    PageE = new TEdit(this);
    PageE->SetName("PageE");
    PageE->SetParent(Sep4);
    PageE->SetBounds(2, 2, 43, 19);
    PageE->SetText("1");
    NextB = AddButton("NextB", 10);
    NextB->OnClick = [this](TObject*) { FPreview->GoToNextPage(); };
    LastB = AddButton("LastB", 11);
    LastB->OnClick = [this](TObject*) { FPreview->GoToLastPage(); };
    frTBPanel1 = new TvrTBPanel(this);
    frTBPanel1->SetName("frTBPanel1");
    frTBPanel1->SetParent(ToolBar);
    frTBPanel1->SetWidth(35);
    frTBPanel1->SetCaption(String());
    CancelB = new TSpeedButton(this);
    CancelB->SetName("CancelB");
    CancelB->SetParent(ToolBar);
    CancelB->SetWidth(68);
    CancelB->SetHeight(23);
    CancelB->SetFlat(true);
    CancelB->OnClick = [this](TObject*) { CloseOrCancel(); };
    ToolBar->ArrangeButtons();

    StatusBar = new TStatusBar(this);
    StatusBar->SetName("StatusBar");
    StatusBar->SetParent(this);
    StatusBar->SetAlign(alBottom);
    for (int w : {200, 50, 50})
        StatusBar->AddPanel()->SetWidth(w);
    SetPopupMenu(RightMenu);
}

void TvrPreviewForm::SetCaptions() {
    const TvrResources& res = GetResources();
    SetCaption(res.GetString("100"));
    struct TText {
        TControl* Control;
        const char* Caption;
        const char* Hint;
    } texts[] = {{PrintB, "101", "102"},        {OpenB, "103", "104"},         {SaveB, "105", "106"},
                 {ExportB, "107", "108"},       {FindB, "109", "110"},         {ZoomCB, nullptr, "119"},
                 {PageSettingsB, "120", "121"}, {DesignerB, "132", "133"},     {FirstB, "134", "135"},
                 {PriorB, "136", "137"},        {NextB, "138", "139"},         {LastB, "140", "141"},
                 {CancelB, "clClose", nullptr}, {PageE, nullptr, "142"},       {FullScreenBtn, nullptr, "150"},
                 {PdfB, nullptr, "151"},        {EmailB, nullptr, "152"},      {ZoomPlusB, "124", "125"},
                 {ZoomMinusB, "126", "127"},    {OutlineB, "128", "129"},      {ThumbB, "130", "131"}};
    for (const TText& t : texts) {
        if (t.Caption) t.Control->SetCaption(res.GetString(t.Caption));
        if (t.Hint) t.Control->SetHint(res.GetString(t.Hint));
    }
    ExpandMI->SetCaption(res.GetString("600"));
    CollapseMI->SetCaption(res.GetString("601"));
    ZoomCB->Items()->Clear();
    for (const char* z : {"25%", "50%", "75%", "100%", "150%", "200%"})
        ZoomCB->Items()->Add(z);
    ZoomCB->Items()->Add(res.GetString("zmPageWidth"));
    ZoomCB->Items()->Add(res.GetString("zmWholePage"));
    ZoomCB->SetText("100%");
}

void TvrPreviewForm::Init() {
    FPreview->InitPreview();
    TvrReport* report = Report();
    if (!report) return;
    TvrPreviewOptions* o = report->PreviewOptions();
    if (o->Maximized) SetWindowState(wsMaximized);
    if (o->MDIChild) SetFormStyle(fsMDIChild);
    FPreview->SetZoom(o->Zoom);
    FPreview->SetZoomMode(o->ZoomMode);
    FPreview->Workspace()->RightToLeftPreview = o->RTLPreview;
    FPreview->Thumbnails()->RightToLeftPreview = o->RTLPreview;

    const TvrPreviewButtons b = o->Buttons;
    PrintB->SetVisible(b.Contains(pbPrint));
    OpenB->SetVisible(b.Contains(pbLoad));
    SaveB->SetVisible(b.Contains(pbSave));
    ExportB->SetVisible(b.Contains(pbExport));
    FindB->SetVisible(b.Contains(pbFind));
    PdfB->SetVisible(false);
    EmailB->SetVisible(false);
    ZoomPlusB->SetVisible(b.Contains(pbZoom));
    ZoomMinusB->SetVisible(b.Contains(pbZoom));
    Sep3->SetVisible(b.Contains(pbZoom));
    FullScreenBtn->SetVisible(b.Contains(pbZoom) && !b.Contains(pbNoFullScreen));
    if (!b.Contains(pbZoom)) Sep1->SetVisible(false);
    OutlineB->SetVisible(b.Contains(pbOutline));
    ThumbB->SetVisible(b.Contains(pbOutline));
    PageSettingsB->SetVisible(b.Contains(pbPageSetup));
    DesignerB->SetVisible(b.Contains(pbEdit));
    if (!PageSettingsB->Visible() && !DesignerB->Visible()) Sep2->SetVisible(false);
    for (TControl* c : std::initializer_list<TControl*>{FirstB, PriorB, NextB, LastB, Sep4})
        c->SetVisible(b.Contains(pbNavigator));
    if (!b.Contains(pbNavigator)) Sep5->SetVisible(false);
    CancelB->SetVisible(!b.Contains(pbNoClose));
    ToolBar->SetShowCaptions(o->ShowCaptions);

    // The export menu.
    TvrExportFilterCollection* filters = ExportFilterRegistry();
    TvrCustomExportFilter* dotMatrix = vrDotMatrixExportFilter();
    if (filters->Count() == 0 || (filters->Count() == 1 && filters->Items(0)->Filter == dotMatrix))
        ExportB->SetVisible(false);
    ExportPopup->Items()->Clear();
    for (int i = 0; i < filters->Count(); ++i) {
        TvrCustomExportFilter* f = filters->Items(i)->Filter;
        if (!f || f == dotMatrix) continue;
        auto* item = new TMenuItem(ExportPopup);
        item->SetCaption(f->GetDescription() + "...");
        item->SetTag(i);
        item->OnClick = [this, i](TObject*) { ExportThrough(i); };
        ExportPopup->Items()->Add(item);
        if (f->ClassName() == "TvrPDFExport") {
            PdfFilter = f;
            PdfB->SetVisible(b.Contains(pbExport));
        }
        if (!b.Contains(pbNoEmail) && f->ClassName() == "TvrMailExport") {
            EmailFilter = f;
            EmailB->SetVisible(b.Contains(pbExport));
        }
    }
    if (!report->ReportOptions()->Name.empty()) SetCaption(report->ReportOptions()->Name);
    BuildRightMenu();
    ToolBar->ArrangeButtons();
    UpdateControls();
    SetPopupMenu(RightMenu);
}

// Visible buttons with a hint become items of the right-click menu, up to the second separator.
void TvrPreviewForm::BuildRightMenu() {
    RightMenu->SetImages(ToolBar->Images());
    bool separatorAdded = false;
    for (int i = 0; i < ToolBar->ButtonCount(); ++i) {
        TToolButton* b = ToolBar->Buttons(i);
        if (b->Style() == tbsSeparator || b->Style() == tbsDivider) {
            if (separatorAdded) break;
            auto* line = new TMenuItem(RightMenu);
            line->SetCaption("-");
            RightMenu->Items()->Add(line);
            separatorAdded = true;
            continue;
        }
        if (!b->Visible() || b->Style() == tbsCheck || b->Hint().empty()) continue;
        auto* item = new TMenuItem(RightMenu);
        item->SetCaption(b->Hint());
        item->SetImageIndex(b->ImageIndex());
        item->OnClick = [b](TObject*) { b->Click(); };
        FButtonItems.emplace_back(b, item);
        RightMenu->Items()->Add(item);
        if (TPopupMenu* drop = b->DropdownMenu()) {
            for (int k = 0; k < drop->Items()->Count(); ++k) {
                TMenuItem* source = drop->Items()->Items(k);
                auto* sub = new TMenuItem(RightMenu);
                sub->SetCaption(source->Caption());
                sub->SetTag(source->Tag());
                sub->OnClick = source->OnClick;
                item->Add(sub);
            }
        }
    }
}

void TvrPreviewForm::UpdateControls() {
    const bool running = FPreview->Running();
    const bool pages = FPreview->PageCount() > 0;
    auto apply = [this](TToolButton* b, bool enabled) {
        b->SetEnabled(enabled);
        b->SetDown(false);
        if (TMenuItem* item = MenuItemOf(b)) item->SetEnabled(enabled);
    };
    for (TToolButton* b : {PrintB, OpenB, SaveB, ExportB, PdfB, EmailB, FindB, PageSettingsB})
        apply(b, !running && pages);
    TvrReport* report = Report();
    apply(DesignerB, !running && report && report->PreviewOptions()->AllowEdit);
    const bool drill = !running && HasDrillDownGroups(report);
    ExpandMI->SetVisible(drill);
    CollapseMI->SetVisible(drill);
    N1->SetVisible(drill);
}

TMenuItem* TvrPreviewForm::MenuItemOf(const TToolButton* Button) const {
    for (const auto& [b, item] : FButtonItems)
        if (b == Button) return item;
    return nullptr;
}

void TvrPreviewForm::ShowZoom() {
    if (ZoomCB) ZoomCB->SetText(IntToStr(static_cast<int>(std::nearbyint(FPreview->Zoom() * 100))) + "%");
}

void TvrPreviewForm::PageChanged(Integer PageNo) {
    TvrPreviewPages* pages = FPreview->Pages();
    const Integer count = FPreview->PageCount();
    if (pages && !pages->FinalPass() && FPreview->Running())
        StatusBar->Panels(0)->SetText(GetResources().GetString("clFirstPass") + " " + IntToStr(count));
    else
        StatusBar->Panels(0)->SetText(Format(GetResources().GetString("clPageOf"), {PageNo, count}));
    PageE->SetText(IntToStr(PageNo));
}

void TvrPreviewForm::SetStatusText(const String& Text, bool Hint) {
    if (!Hint)
        StatusBar->Panels(1)->SetText(Text);
    else if (!Text.empty() || !StatusBar->Panels(2)->Text().empty())
        StatusBar->Panels(2)->SetText(Text);
    Application()->ProcessMessages();
}

void TvrPreviewForm::Resize() {
    TForm::Resize();
    if (!StatusBar || StatusBar->PanelCount() < 3) return;
    const int w = static_cast<int>(std::nearbyint((ClientWidth() - StatusBar->Panels(0)->Width()) / 2.0));
    StatusBar->Panels(1)->SetWidth(w);
    StatusBar->Panels(2)->SetWidth(w);
}

void TvrPreviewForm::SetFullScreen(bool Value) {
    if (Value == FFullScreen) return;
    FFullScreen = Value;
    if (Value) {
        StatusBar->Hide();
        ToolBar->Hide();
        FSavedBorderStyle = BorderStyle();
        FSavedWindowState = WindowState();
        SetBorderStyle(bsNone);
        SetWindowState(wsMaximized);
    } else {
        SetBorderStyle(FSavedBorderStyle);
        SetWindowState(FSavedWindowState);
        ToolBar->Show();
        StatusBar->Show();
    }
}

void TvrPreviewForm::ZoomChoice() {
    if (FPreview->CanFocus()) FPreview->SetFocus();
    const int index = ZoomCB->ItemIndex();
    const String text = ZoomCB->Text();
    if (index == 6 && text == ZoomCB->Items()->Strings(6)) {
        FPreview->SetZoomMode(zmPageWidth);
    } else if (index == 7 && text == ZoomCB->Items()->Strings(7)) {
        FPreview->SetZoomMode(zmWholePage);
    } else {
        String rest = text;
        const size_t percent = rest.find('%');
        if (percent != String::npos) rest[percent] = ' ';
        rest = StringReplace(rest, " ", "", TReplaceFlags{rfReplaceAll});
        if (!rest.empty()) FPreview->SetZoom(StrToFloatLoose(rest) / 100);
    }
    ShowZoom();
}

void TvrPreviewForm::GoToTypedPage() {
    FPreview->SetPageNo(StrToInt(PageE->Text()));
    if (FPreview->Workspace()->CanFocus()) FPreview->Workspace()->SetFocus();
}

void TvrPreviewForm::CollapseAll(bool Expand) {
    TvrReport* report = Report();
    if (!report) return;
    FPreview->LockView();
    for (TvrComponent* obj : report->AllObjects())
        if (auto* h = dynamic_cast<TvrGroupHeader*>(obj); h && h->DrillDown) h->ExpandDrillDown = Expand;
    report->DrillDownNames()->Clear();
    FPreview->RebuildReport();
    if (!Expand) FPreview->ShowPosition(1, 0);
}

void TvrPreviewForm::CloseOrCancel() {
    if (FPreview->Running())
        FPreview->CancelBuild();
    else
        Close();
}

void TvrPreviewForm::ExportThrough(Integer Index) {
    TvrExportFilterCollection* filters = ExportFilterRegistry();
    if (Index < 0 || Index >= filters->Count()) return;
    FPreview->ExportPages(filters->Items(Index)->Filter);
    SetEnabled(true);
}

bool TvrPreviewForm::CloseQuery() {
    if (FPreview->Running()) return false;
    return TForm::CloseQuery();
}

void TvrPreviewForm::DoClose(TCloseAction& Action) {
    TForm::DoClose(Action);
    if (FreeOnClose) Action = caFree;
    if (TvrReport* report = Report(); report && report->OnClosePreview) report->OnClosePreview(this);
}

void TvrPreviewForm::KeyDown(Word& Key, TShiftState Shift) {
    TForm::KeyDown(Key, Shift);
    switch (Key) {
    case VK_ESCAPE:
        CloseOrCancel();
        Key = 0;
        break;
    case VK_F11:
        SetFullScreen(!FFullScreen);
        Key = 0;
        break;
    case VK_F1:
        GetResources().ShowHelp(this);
        Key = 0;
        break;
    default: break;
    }
}

void TvrPreviewForm::KeyPress(char16_t& Key) {
    TForm::KeyPress(Key);
    if (Key != u'\r') return;
    if (ActiveControl() == ZoomCB) {
        ZoomChoice();
        Key = 0;
    } else if (ActiveControl() == PageE) {
        GoToTypedPage();
        Key = 0;
    }
}
