// TvrPreview: the control around the two workspaces: page number, zoom, keys, outline, the build
// protocol, and the commands on the prepared pages.
#include "report/vrPreview.h"

#include "classes/MetaBuilder.h"
#include "gui/Buttons.h"
#include "gui/Dialogs.h"
#include "gui/ImgList.h"
#include "gui/ExtCtrls.h"
#include "gui/SystemMetrics.h"
#include "report/vrClassBand.h"
#include "report/vrClassPage.h"
#include "report/vrClassReport.h"
#include "report/vrClassView.h"
#include "report/vrDMPClass.h"
#include "report/vrPreviewPageSettings.h"
#include "report/vrPreviewPages.h"
#include "report/vrRes.h"
#include "report/vrSearchDialog.h"
#include "rtl/FileUtils.h"
#include "rtl/ScopeGuards.h"
#include "rtl/TickCount.h"

#include <algorithm>
#include <cmath>

ORV_META_IMPL(TvrPreview)
void TvrPreview::DeclareMeta(meta::Class<TvrPreview>& c) {
    using T = TvrPreview;
    c.Property("ActiveFrameColor", &T::ActiveFrameColor, &T::SetActiveFrameColor).Default(8405024);
    c.Property("BackColor", &T::BackColor, &T::SetBackColor).Default(8421504);
    c.Property("FrameColor", &T::FrameColor, &T::SetFrameColor).Default(0);
    c.Property("OutlineColor", &T::OutlineColor, &T::SetOutlineColor).Default(clWindow);
    c.Property("OutlineVisible", &T::OutlineVisible, &T::SetOutlineVisible);
    c.Property("OutlineWidth", &T::OutlineWidth, &T::SetOutlineWidth);
    c.Property("ThumbnailVisible", &T::ThumbnailVisible, &T::SetThumbnailVisible);
    c.Property("UseReportHints", &T::UseReportHints, &T::UseReportHints);
}

namespace {

} // namespace

TvrPreview::TvrPreview(TComponent* AOwner) : TvrCustomPreview(AOwner) {
    TvrResources& res = GetResources();
    FOutlinePopup = new TPopupMenu(this);
    FOutlinePopup->SetImages(res.GetPreviewImages());
    auto* collapse = new TMenuItem(FOutlinePopup);
    collapse->SetCaption(res.GetString("601"));
    collapse->SetImageIndex(13);
    collapse->OnClick = [this](TObject*) {
        FOutline->FullCollapse();
        if (FWorkspace->CanFocus()) FWorkspace->SetFocus();
    };
    FOutlinePopup->Items()->Add(collapse);
    auto* expand = new TMenuItem(FOutlinePopup);
    expand->SetCaption(res.GetString("600"));
    expand->SetImageIndex(14);
    expand->OnClick = [this](TObject*) {
        FOutline->FullExpand();
        if (TTreeNode* first = FOutline->Items()->GetFirstNode()) first->MakeVisible();
        if (FWorkspace->CanFocus()) FWorkspace->SetFocus();
    };
    FOutlinePopup->Items()->Add(expand);

    FOutline = new TTreeView(this);
    FOutline->SetParent(this);
    FOutline->SetAlign(alLeft);
    FOutline->SetHideSelection(false);
    FOutline->SetPopupMenu(FOutlinePopup);
    FOutline->SetReadOnly(true);
    FOutline->SetVisible(false);
    FOutline->OnChange = [this](TObject*, TTreeNode* node) { OutlineClick(node); };

    FThumbnails = new TvrPreviewWorkspace(this);
    FThumbnails->SetParent(this);
    FThumbnails->SetAlign(alLeft);
    FThumbnails->SetVisible(false);
    FThumbnails->ThumbnailMode = true;
    FThumbnails->Zoom = 0.1;
    FThumbnails->Preview = this;

    FSplitter = new TSplitter(this);
    FSplitter->SetParent(this);
    FSplitter->SetAlign(alLeft);
    FSplitter->SetWidth(4);
    FSplitter->SetLeft(FOutline->Width() + 1);
    FSplitter->SetVisible(false);
    FSplitter->OnMoved = [this](TObject*) { RelayoutPages(); };

    FWorkspace = new TvrPreviewWorkspace(this);
    FWorkspace->SetParent(this);
    FWorkspace->SetAlign(alClient);
    FWorkspace->Preview = this;

    FMessagePanel = new TPanel(this);
    FMessagePanel->SetParent(this);
    FMessagePanel->SetVisible(false);
    FMessagePanel->SetBounds(0, 0, 260, 75);
    FMessageLabel = new TLabel(this);
    FMessageLabel->SetParent(FMessagePanel);
    FMessageLabel->SetAutoSize(false);
    FMessageLabel->SetAlignment(taCenter);
    FMessageLabel->SetBounds(4, 20, 255, 20);
    FCancelButton = new TButton(this);
    FCancelButton->SetParent(FMessagePanel);
    FCancelButton->SetBounds(92, 44, 75, 25);
    FCancelButton->SetCaption(res.GetString("clCancel"));
    FCancelButton->SetVisible(false);
    FCancelButton->OnClick = [this](TObject*) { CancelBuild(); };

    SetBounds(0, 0, 100, 100);
    SetTabStop(true);
}

TvrPreview::~TvrPreview() {
    if (Report && Report->Preview() == this) Report->SetPreview(nullptr);
}

void TvrPreview::Notification(TComponent* AComponent, TOperation Operation) {
    TvrCustomPreview::Notification(AComponent, Operation);
    if (Operation == opRemove && Report && AComponent == Report) {
        FWorkspace->ClearPages();
        FThumbnails->ClearPages();
        FWorkspace->PreviewPages = FThumbnails->PreviewPages = nullptr;
        Report = nullptr;
        PreviewPages = nullptr;
    }
}

TvrPreviewPages* TvrPreview::Pages() const {
    return dynamic_cast<TvrPreviewPages*>(PreviewPages);
}

TvrPreviewForm* TvrPreview::PreviewForm() const {
    return dynamic_cast<TvrPreviewForm*>(Owner());
}

Integer TvrPreview::PageCount() const {
    return PreviewPages ? PreviewPages->GetPageCount() : 0;
}

// --- published ------------------------------------------------------------------------------------

TColor TvrPreview::ActiveFrameColor() const {
    return FWorkspace->ActiveFrameColor;
}
void TvrPreview::SetActiveFrameColor(TColor Value) {
    FWorkspace->ActiveFrameColor = Value;
}
TColor TvrPreview::BackColor() const {
    return FWorkspace->BackColor;
}
void TvrPreview::SetBackColor(TColor Value) {
    FWorkspace->BackColor = Value;
}
TColor TvrPreview::FrameColor() const {
    return FWorkspace->FrameColor;
}
void TvrPreview::SetFrameColor(TColor Value) {
    FWorkspace->FrameColor = Value;
}
void TvrPreview::SetOutlineColor(TColor Value) {
    FOutlineColor = Value;
    FOutline->SetColor(Value);
}
bool TvrPreview::OutlineVisible() const {
    return FOutline->Visible();
}
Integer TvrPreview::OutlineWidth() const {
    return FOutline->Width();
}
void TvrPreview::SetOutlineWidth(Integer Value) {
    FOutline->SetWidth(Value);
    FThumbnails->SetWidth(Value);
}
bool TvrPreview::ThumbnailVisible() const {
    return FThumbnails->Visible();
}
TMouseEvent& TvrPreview::WorkspaceMouseDown() {
    return FWorkspace->OnWorkspaceMouseDown;
}

void TvrPreview::SetOutlineVisible(bool Value) {
    const bool changed = Value != FOutline->Visible();
    FSplitter->SetVisible(Value || FThumbnails->Visible());
    FOutline->SetVisible(Value);
    if (Value) FThumbnails->SetVisible(false);
    FSplitter->SetLeft(FOutline->Left() + FOutline->Width() + 1);
    if (TvrPreviewForm* form = PreviewForm(); form && form->OutlineB) form->OutlineB->SetDown(Value);
    if (changed) RelayoutPages();
}

void TvrPreview::SetThumbnailVisible(bool Value) {
    const bool changed = Value != FThumbnails->Visible();
    FSplitter->SetVisible(Value || FOutline->Visible());
    FThumbnails->SetVisible(Value);
    if (Value) FOutline->SetVisible(false);
    FSplitter->SetLeft(FThumbnails->Left() + FThumbnails->Width() + 1);
    if (TvrPreviewForm* form = PreviewForm(); form && form->ThumbB) form->ThumbB->SetDown(Value);
    if (changed) RelayoutPages();
    FThumbnails->SetVertScrollOffset(FThumbnails->VertScrollOffset());
}

// --- page and zoom -------------------------------------------------------------------------------

void TvrPreview::SetPageNo(Integer Value) {
    const Integer count = PageCount();
    if (Value > count) Value = count;
    if (Value < 1 && count > 0) Value = 1;
    if (count == 0) Value = 0;
    const Integer old = FPageNo;
    FPageNo = Value;
    FWorkspace->PageNo = Value;
    FThumbnails->PageNo = Value;
    if (Value != old) {
        FWorkspace->RepaintFrames();
        FThumbnails->RepaintFrames();
    }
    FWorkspace->ScrollToPage(Value);
    FThumbnails->ScrollToPage(Value);
    if (OnPageChanged) OnPageChanged(this, Value);
}

void TvrPreview::ShowPosition(Integer PageNumber, Integer Y) {
    PageNumber = std::max<Integer>(1, std::min(PageNumber, PageCount()));
    FWorkspace->ScrollToPageOffset(PageNumber, Y);
}

void TvrPreview::SetZoom(Extended Value) {
    FZoom = Value < 0.25 ? 0.25 : Value;
    FZoomMode = zmDefault;
    RelayoutPages();
}

void TvrPreview::SetZoomMode(TvrZoomMode Value) {
    FZoomMode = Value;
    RelayoutPages();
}

void TvrPreview::RelayoutPages() {
    if (FLocked || !PreviewPages || !Pages() || PageCount() == 0) return;
    FAllowFindNext = false;
    FWorkspace->InvalidateSearchCache();
    const TPoint size = Pages()->GetPreparedPageSize(FPageNo - 1);
    if (size.Y == 0) return;
    const Integer fitWidth = FWorkspace->Width() - GetSystemMetrics(SM_CXVSCROLL) - 26;
    if (FZoomMode == zmWholePage) {
        if (static_cast<Extended>(size.Y) / std::max(1, ClientHeight()) >=
            static_cast<Extended>(size.X) / std::max(1, ClientWidth()))
            FZoom = static_cast<Extended>(FWorkspace->Height() - 26) / size.Y;
        else
            FZoom = static_cast<Extended>(fitWidth) / size.X;
    } else if (FZoomMode == zmPageWidth) {
        FZoom = static_cast<Extended>(fitWidth) / size.X;
    }
    // A fitted zoom in a small window stays readable, as a typed one does.
    if (FZoom < 0.25) FZoom = 0.25;

    FWorkspace->Zoom = FZoom;
    FThumbnails->Zoom = 0.1;
    FWorkspace->ClearPages();
    FThumbnails->ClearPages();
    for (Integer i = 0; i < PageCount(); ++i) {
        const TPoint s = Pages()->GetPreparedPageSize(i);
        FWorkspace->AppendPage(s.X, s.Y);
        if (!FRunning) FThumbnails->AppendPage(s.X, s.Y);
    }
    FWorkspace->LayoutPages();
    if (!FRunning) FThumbnails->LayoutPages();
    FWorkspace->UpdateScrollRanges();
    FThumbnails->UpdateScrollRanges();
    FWorkspace->SetHorzScrollOffset(FWorkspace->HorzScrollOffset());
    FWorkspace->SetVertScrollOffset(FWorkspace->VertScrollOffset());
    if (FZoomMode == zmWholePage) ShowPosition(FPageNo, 0);
    if (!FRefreshing) {
        FWorkspace->RepaintAll();
        FThumbnails->RepaintAll();
    }
    if (TvrPreviewForm* form = PreviewForm()) form->ShowZoom();
}

void TvrPreview::WheelScroll(int Delta, bool Horizontal, bool Zoom) {
    if (Delta == 0) return;
    const int sign = Delta > 0 ? 1 : -1;
    if (Zoom) {
        Extended z = FZoom + sign / 10.0L;
        if (z < 0.3) z = 0.3;
        SetZoom(z);
    } else if (Horizontal) {
        FWorkspace->SetHorzScrollOffset(FWorkspace->HorzScrollOffset() - sign * 20);
    } else {
        FWorkspace->SetVertScrollOffset(FWorkspace->VertScrollOffset() - sign * 20);
    }
}

bool TvrPreview::WantsKey(Word Key, TShiftState Shift) const {
    if (Key == VK_UP || Key == VK_DOWN || Key == VK_LEFT || Key == VK_RIGHT) return true;
    return TvrCustomPreview::WantsKey(Key, Shift);
}

void TvrPreview::KeyDown(Word& Key, TShiftState Shift) {
    TvrCustomPreview::KeyDown(Key, Shift);
    const TvrPreviewButtons buttons = Report ? Report->PreviewOptions()->Buttons : TvrPreviewButtons{};
    const bool ctrl = Shift.Contains(ssCtrl);
    switch (Key) {
    case VK_UP: FWorkspace->SetVertScrollOffset(FWorkspace->VertScrollOffset() - 8); break;
    case VK_DOWN: FWorkspace->SetVertScrollOffset(FWorkspace->VertScrollOffset() + 8); break;
    case VK_LEFT: FWorkspace->SetHorzScrollOffset(FWorkspace->HorzScrollOffset() - 8); break;
    case VK_RIGHT: FWorkspace->SetHorzScrollOffset(FWorkspace->HorzScrollOffset() + 8); break;
    case VK_PRIOR:
        if (ctrl) GoToPriorPage();
        else FWorkspace->SetVertScrollOffset(FWorkspace->VertScrollOffset() - 300);
        break;
    case VK_NEXT:
        if (ctrl) GoToNextPage();
        else FWorkspace->SetVertScrollOffset(FWorkspace->VertScrollOffset() + 300);
        break;
    case VK_HOME: GoToFirstPage(); break;
    case VK_END: GoToLastPage(); break;
    case VK_F3:
        if (buttons.Contains(pbFind)) FindAgain();
        break;
    case 'P':
        if (ctrl && buttons.Contains(pbPrint)) PrintPages();
        break;
    case 'S':
        if (ctrl && buttons.Contains(pbSave)) SaveToFileDialog();
        break;
    case 'F':
        if (ctrl && buttons.Contains(pbFind)) FindTextDialog();
        break;
    case 'O':
        if (ctrl && buttons.Contains(pbLoad)) LoadFromFileDialog();
        break;
    default: break;
    }
}

// --- outline -------------------------------------------------------------------------------------

void TvrPreview::RebuildOutline() {
    TTreeNodes* nodes = FOutline->Items();
    nodes->BeginUpdate();
    TScopeExit end([nodes] { nodes->EndUpdate(); });
    nodes->Clear();
    TvrPreviewPages* pages = Pages();
    if (!pages) return;
    TvrOutline* outline = pages->PagesOutline();
    if (!outline) return;
    outline->LevelRoot();
    std::function<void(TTreeNode*)> add = [&](TTreeNode* parent) {
        const Integer n = outline->ChildCount();
        for (Integer i = 0; i < n; ++i) {
            String text;
            Integer page = 0, top = 0;
            outline->ReadChild(i, text, page, top);
            TTreeNode* node = nodes->AddChild(parent, text);
            node->SetImageIndex(page + 1);
            node->SetData(reinterpret_cast<void*>(static_cast<std::intptr_t>(top)));
            outline->EnterChild(i);
            add(node);
            outline->LevelUp();
        }
    };
    add(nullptr);
    if (Report && Report->PreviewOptions()->OutlineExpand) FOutline->FullExpand();
    if (TTreeNode* first = nodes->GetFirstNode()) first->MakeVisible();
}

void TvrPreview::OutlineClick(TTreeNode* Node) {
    if (!Node) return;
    ShowPosition(Node->ImageIndex(), static_cast<Integer>(reinterpret_cast<std::intptr_t>(Node->Data())));
    if (CanFocus()) SetFocus();
}

// --- the build -----------------------------------------------------------------------------------

void TvrPreview::InitPreview() {
    FWorkspace->PreviewPages = FThumbnails->PreviewPages = Pages();
    TvrSearchState& search = vrPreviewSearch();
    search.Found = false;
    search.LastFoundRecord = -1;
    FWorkspace->SearchPage = 0;
    FAllowFindNext = false;
    if (Report) {
        TvrPreviewOptions* o = Report->PreviewOptions();
        SetOutlineWidth(o->OutlineWidth);
        SetOutlineVisible(o->OutlineVisible);
        SetThumbnailVisible(o->ThumbnailVisible);
        FZoomMode = o->ZoomMode;
        FZoom = o->Zoom < 0.25 ? 0.25 : o->Zoom;
    }
    RelayoutPages();
    RebuildOutline();
    GoToFirstPage();
}

void TvrPreview::LockView() {
    FLocked = true;
    FWorkspace->Locked = true;
    FThumbnails->Locked = true;
}

void TvrPreview::UnlockView() {
    HideMessagePanel();
    FLocked = false;
    FWorkspace->Locked = false;
    FThumbnails->Locked = false;
    RelayoutPages();
    FWorkspace->RepaintAll();
    FThumbnails->RepaintAll();
}

void TvrPreview::BuildStarted() {
    if (FRefreshing) return;
    ClearPreview();
    if (Report) Report->DrillDownNames()->Clear();
    FRunning = true;
    if (TvrPreviewForm* form = PreviewForm()) form->UpdateControls();
}

void TvrPreview::BuildStep(Integer PageIndex) {
    if (FRefreshing) {
        if (OnPageChanged) OnPageChanged(this, FPageNo);
        return;
    }
    TvrPreviewPages* pages = Pages();
    const bool finalPass = pages && pages->FinalPass();
    if (finalPass && PageIndex < 50) {
        const TPoint s = pages->GetPreparedPageSize(PageIndex);
        FWorkspace->AppendPage(s.X, s.Y);
        FWorkspace->LayoutPages();
    }
    if (PageIndex == 0) {
        SetPageNo(1);
        if (finalPass) RelayoutPages();
        if (TvrPreviewForm* form = PreviewForm(); form && form->CancelB)
            form->CancelB->SetCaption(GetResources().GetString("clCancel"));
        FFirstPageTick = GetTickCount();
    } else if (PageIndex == 1) {
        const Cardinal elapsed = GetTickCount() - FFirstPageTick;
        FInterval = elapsed < 5 ? 50 : elapsed < 10 ? 20 : 5;
        SetPageNo(1);
        if (finalPass) RelayoutPages();
    } else if (FInterval > 0 && PageIndex % FInterval == 0) {
        if (OnPageChanged) OnPageChanged(this, FPageNo);
        if (finalPass) {
            RelayoutPages();
            FWorkspace->UpdateScrollRanges();
        }
    }
    Application()->ProcessMessages();
}

void TvrPreview::BuildFinished() {
    if (FRefreshing) return;
    FRunning = false;
    if (OnPageChanged) OnPageChanged(this, FPageNo);
    FWorkspace->UpdateScrollRanges();
    FThumbnails->UpdateScrollRanges();
    RelayoutPages();
    RebuildOutline();
    if (TvrPreviewForm* form = PreviewForm()) {
        if (form->CancelB) form->CancelB->SetCaption(GetResources().GetString("clClose"));
        if (form->StatusBar && form->StatusBar->PanelCount() > 1) form->StatusBar->Panels(1)->SetText(String());
        form->UpdateControls();
    }
}

void TvrPreview::RebuildReport() {
    if (!Report) return;
    const TPoint offset = FWorkspace->ScrollOffset();
    const Integer savedPage = FPageNo;
    LockView();
    FRefreshing = true;
    {
        TScopeExit done([this] { FRefreshing = false; });
        Report->PrepareReport(true);
        FLocked = false;
        FThumbnails->Locked = false;
        FPageNo = PageCount() < savedPage ? 1 : savedPage;
        FWorkspace->PageNo = FThumbnails->PageNo = FPageNo;
        RelayoutPages();
        RebuildOutline();
    }
    FWorkspace->SetHorzScrollOffset(offset.X);
    FWorkspace->SetVertScrollOffset(offset.Y);
    FWorkspace->Locked = false;
    FWorkspace->RepaintAll();
    FThumbnails->RepaintAll();
    if (PageCount() < savedPage) SetPageNo(1);
}

void TvrPreview::CancelBuild() {
    if (Report) Report->Terminated = true;
}

// --- hit tests -----------------------------------------------------------------------------------

void TvrPreview::ApplyHitTest(TvrPreviewWorkspace* Sender) {
    TvrPreviewPages* pages = Pages();
    if (!pages) return;
    const TvrHitTestResult hit = pages->LastHitTest();
    if (UseReportHints) {
        Sender->SetHint(hit.ShortHint);
        Sender->SetShowHint(hit.ShowHint);
    }
    if (TvrPreviewForm* form = PreviewForm()) {
        form->SetStatusText(hit.LinkText, false);
        form->SetStatusText(hit.HintText, true);
    }
    if (hit.JumpPage >= 0) {
        if (!hit.LinkText.empty() && hit.LinkText[0] == '#')
            ShowPosition(hit.JumpPage + 1, hit.JumpTop);
        else
            SetPageNo(hit.JumpPage + 1);
    }
    if (hit.Repaint) FWorkspace->RepaintAll();
    if (hit.Rebuild) RebuildReport();
}

// --- files, print, export ------------------------------------------------------------------------

namespace {

String PreparedReportFilter() {
    return GetResources().GetString("clDP3files") + " (*.dp3)|*.dp3";
}

} // namespace

void TvrPreview::SaveToFileDialog() {
    if (FRunning || !Pages()) return;
    TSaveDialog dialog(nullptr);
    TOpenOptions options = dialog.Options();
    options.Include(ofNoChangeDir);
    dialog.SetOptions(options);
    dialog.SetFilter(PreparedReportFilter());
    if (!dialog.Execute()) return;
    FWorkspace->RepaintAll();
    SaveToFile(ChangeFileExt(dialog.FileName(), ".dp3"));
}

void TvrPreview::SaveToFile(const String& FileName) {
    if (FRunning || !Pages()) return;
    LockView();
    TScopeExit unlock([this] { UnlockView(); });
    ShowMessagePanel(GetResources().GetString("clSaving"));
    Pages()->WriteToFile(FileName);
}

void TvrPreview::LoadFromFileDialog() {
    if (FRunning || !Pages()) return;
    TOpenDialog dialog(nullptr);
    dialog.SetOptions(TOpenOptions{ofHideReadOnly, ofNoChangeDir});
    dialog.SetFilter(PreparedReportFilter());
    if (!dialog.Execute()) return;
    FWorkspace->RepaintAll();
    LoadFromFile(dialog.FileName());
}

void TvrPreview::LoadFromFile(const String& FileName) {
    if (FRunning || !Pages()) return;
    LockView();
    TScopeExit finish([this] {
        FPageNo = 1;
        FWorkspace->PageNo = FThumbnails->PageNo = 1;
        RebuildOutline();
        UnlockView();
    });
    ShowMessagePanel(GetResources().GetString("clLoading"));
    // The store empties itself before it reads; a file that is no prepared report must not take
    // the pages shown with it, so it is read into a store of its own first.
    if (!FileExists(FileName)) {
        Pages()->ReadFromFile(FileName, false);
        return;
    }
    TvrPreviewPages probe(Report);
    probe.ReadFromFile(FileName, true);
    Pages()->ReadFromFile(FileName, false);
}

void TvrPreview::PrintPages() {
    if (FRunning || !Pages()) return;
    Pages()->CurPreviewPage = FPageNo;
    TScopeExit unlock([this] { UnlockView(); });
    Pages()->SendToPrinter();
}

void TvrPreview::ExportPages(TvrCustomExportFilter* Filter) {
    if (FRunning || !Pages() || !Filter) return;
    Pages()->CurPreviewPage = FPageNo;
    TScopeExit unlock([this] { UnlockView(); });
    if (Report && Report->DotMatrixReport && vrDotMatrixExportFilter() && Filter->ClassName() == "TvrTextExport")
        Filter = vrDotMatrixExportFilter();
    Pages()->SendToExportFilter(Filter);
}

// --- search --------------------------------------------------------------------------------------

void TvrPreview::FindTextDialog() {
    if (!Pages()) return;
    TvrSearchDialog dialog(nullptr);
    const int result = dialog.ShowModal();
    if (result == mrOk) {
        TvrSearchState& search = vrPreviewSearch();
        search.Text = dialog.TextE->Text();
        search.CaseSensitive = dialog.CaseCB->Checked();
        FWorkspace->SearchPage = dialog.TopCB->Checked() ? 0 : std::max<Integer>(0, FPageNo - 1);
        search.LastFoundRecord = -1;
        FWorkspace->FindNextText();
    }
    FAllowFindNext = true;
}

void TvrPreview::FindAgain() {
    if (FAllowFindNext) FWorkspace->FindNextText();
}

// --- page editing --------------------------------------------------------------------------------

void TvrPreview::PageSettingsDialog() {
    if (FRunning || !Pages()) return;
    auto* page = dynamic_cast<TvrReportPage*>(Pages()->GetPreparedPage(FPageNo - 1));
    if (!page) return;
    TvrPageSettingsForm dialog(nullptr);
    dialog.Page = page;
    dialog.Report = Report;
    if (dialog.ShowModal() != mrOk) return;
    if (dialog.ApplyToAllRB->Checked()) {
        if (!Report) return;
        for (int i = 0; i < Report->GetPagesCount(); ++i) {
            auto* p = dynamic_cast<TvrReportPage*>(Report->GetPage(i));
            if (!p) continue;
            p->SetOrientation(page->Orientation());
            p->SetPaperWidth(page->PaperWidth());
            p->SetPaperHeight(page->PaperHeight());
            p->SetPaperSize(page->PaperSize());
            p->LeftMargin = page->LeftMargin;
            p->RightMargin = page->RightMargin;
            p->TopMargin = page->TopMargin;
            p->BottomMargin = page->BottomMargin;
        }
        Report->PrepareReport(true);
        RelayoutPages();
    } else {
        LockView();
        TScopeExit unlock([this] { UnlockView(); });
        Pages()->ReplacePage(FPageNo - 1, page);
    }
}

void TvrPreview::EditCurrentPage() {
    if (FRunning || !Pages() || !Report) return;
    TvrComponent* page = Pages()->GetPreparedPage(FPageNo - 1);
    if (!page) return;
    try {
        auto temp = std::make_unique<TvrReport>(nullptr);
        TvrReportPage* copy = dynamic_cast<TvrDMPPage*>(page) ? new TvrDMPPage(temp.get())
                                                               : new TvrReportPage(temp.get());
        copy->CopyFrom(page);
        std::vector<TvrComponent*> bands;
        for (TvrComponent* obj : copy->AllObjects()) {
            if (dynamic_cast<TvrBand*>(obj)) {
                bands.push_back(obj);
                continue;
            }
            if (obj->Parent() != copy) {
                const Extended left = obj->AbsLeft(), top = obj->AbsTop();
                obj->SetParentFont(false);
                obj->SetParent(copy);
                obj->SetLeft(left);
                obj->SetTop(top);
            }
        }
        for (TvrComponent* obj : copy->AllObjects()) {
            if (auto* view = dynamic_cast<TvrView*>(obj)) {
                view->DataField.clear();
                view->SetDataSet(nullptr);
                view->Restrictions = TvrRestrictions{};
                if (view->Align == baBottom || view->Align == baClient) view->Align = baNone;
            }
        }
        for (TvrComponent* band : bands)
            delete band;
        if (temp->DesignPreviewPage()) {
            LockView();
            TScopeExit unlock([this] { UnlockView(); });
            Pages()->ReplacePage(FPageNo - 1, temp->GetPage(0));
        }
    } catch (...) {
        // The designer and the temporary report may fail in any way; the preview stays as it was.
    }
}

void TvrPreview::DesignTemplate() {
    if (!Pages()) return;
    auto temp = std::make_unique<TvrReport>(nullptr);
    // The source pages join the temporary report's tree only while the designer shows them.
    const std::vector<TvrComponent*> sources = Pages()->SourcePages();
    for (TvrComponent* p : sources)
        p->SetParent(temp.get());
    TScopeExit give([&sources] {
        for (TvrComponent* p : sources)
            p->SetParent(nullptr);
    });
    temp->DesignReport(true, false);
}

void TvrPreview::ClearPreview() {
    if (FRunning || !Pages()) return;
    {
        LockView();
        TScopeExit unlock([this] { UnlockView(); });
        Pages()->ClearAll();
    }
    FWorkspace->ClearPages();
    FThumbnails->ClearPages();
    RebuildOutline();
    SetPageNo(1);
    FWorkspace->SetHorzExtent(0);
    FWorkspace->SetVertExtent(0);
    if (FThumbnails->Visible()) {
        FThumbnails->SetHorzExtent(0);
        FThumbnails->SetVertExtent(0);
    }
}

void TvrPreview::InsertEmptyPage() {
    if (FRunning || !Pages()) return;
    Pages()->InsertBlankPage(FPageNo - 1);
    RelayoutPages();
    SetPageNo(FPageNo);
}

void TvrPreview::DeleteCurrentPage() {
    if (FRunning || !Pages()) return;
    Pages()->RemovePage(FPageNo - 1);
    // Only when the last page went does the one before it become current; a middle page's place
    // is taken by the page after it.
    if (FPageNo > PageCount()) FPageNo = PageCount();
    FWorkspace->PageNo = FThumbnails->PageNo = FPageNo;
    RelayoutPages();
    if (OnPageChanged) OnPageChanged(this, FPageNo);
}

// --- message panel -------------------------------------------------------------------------------

void TvrPreview::ShowMessagePanel(const String& Text) {
    FMessagePanel->SetBounds((Width() - 260) / 2, (Height() - 75) / 3, 260, 75);
    FMessageLabel->SetCaption(Text);
    FMessagePanel->BringToFront();
    FMessagePanel->Show();
    FMessagePanel->Repaint();
}

void TvrPreview::HideMessagePanel() {
    FMessagePanel->Hide();
    FCancelButton->Hide();
}
