#include "gridprint/PrvFrmGx.h"

#include "classes/MetaBuilder.h"
#include "gridprint/PrnDbggx.h"
#include "gui/Input.h"
#include "rtl/Format.h"

namespace {
TPreviewFormGx* SharedForm = nullptr;
const char* const ZoomCaptions[10] = {"500%", "200%", "150%", "100%",     "75%",
                                      "50%",  "25%",  "10%",  "页面宽度", "整页"};
const char* const ZoomNames[10] = {"mni500", "mni200", "mni150", "mni100",   "mni75",
                                   "mni50",  "mni25",  "mni10",  "mniWidth", "mniFull"};
} // namespace

ORV_META_IMPL(TPreviewFormGx)
void TPreviewFormGx::DeclareMeta(meta::Class<TPreviewFormGx>&) {}

TToolButton* TPreviewFormGx::AddButton(const String& name, const String& caption) {
    auto* b = new TToolButton(this);
    b->SetName(name);
    b->SetParent(tbrMain);
    b->SetCaption(caption);
    b->SetHint(StripHotkey(caption));
    return b;
}

TPreviewFormGx::TPreviewFormGx(TComponent* AOwner) : TForm(AOwner) {
    SetName("PreviewFormGx");
    SetCaption("预览");
    SetKeyPreview(true);
    SetBounds(0, 0, 800, 600);
    Font()->SetName("Tahoma");
    Font()->SetHeight(-11);

    tbrMain = new TToolBar(this);
    tbrMain->SetName("tbrMain");
    tbrMain->SetParent(this);
    tbrMain->SetAlign(alTop);
    tbrMain->SetFlat(true);
    tbrMain->SetShowCaptions(true);
    tbrMain->SetButtonWidth(55);
    tbrMain->SetButtonHeight(36);
    tbrMain->SetHeight(38);
    tbtPrint = AddButton("tbtPrint", "打印(&P)");
    tbtPrinterSetupDialog = AddButton("tbtPrinterSetupDialog", "打印设置");
    tbtScale = AddButton("tbtScale", "缩放(&S)");
    tbtPrevPage = AddButton("tbtPrevPage", "上一页");
    tbtNextPage = AddButton("tbtNextPage", "下一页");
    tbStop = AddButton("tbStop", "停止(&T)");
    tbClose = AddButton("tbClose", "关闭(&C)");

    pmnScale = new TPopupMenu(this);
    pmnScale->SetName("pmnScale");
    for (int i = 0; i < 10; ++i) {
        TMenuItem* item = NewItem(this, ZoomCaptions[i], 0, i == zoomWholePage, true, nullptr, ZoomNames[i]);
        item->SetRadioItem(true);
        item->SetTag(i);
        item->OnClick = [this, item](TObject*) {
            item->SetChecked(true);
            PreviewGx1->SetZoomIndex(static_cast<int>(item->Tag()));
        };
        pmnScale->Items()->Add(item);
        ZoomItems[i] = item;
    }

    stbMain = new TStatusBar(this);
    stbMain->SetName("stbMain");
    stbMain->SetParent(this);
    stbMain->SetSimplePanel(true);

    PreviewGx1 = new TPreviewBox(this);
    PreviewGx1->SetName("PreviewGx1");
    PreviewGx1->SetParent(this);
    PreviewGx1->SetAlign(alClient);
    PreviewGx1->OnPrinterPreviewChanged = [this](TObject*) { PreviewChanged(); };
    PreviewGx1->OnOpenPreviewer = [this](TObject*) { OpenPreviewer(); };

    Timer1 = new TTimer(this);
    Timer1->SetName("Timer1");
    Timer1->SetEnabled(false);
    Timer1->OnTimer = [this](TObject*) { TimerTick(); };

    tbtPrint->OnClick = [this](TObject*) { PreviewGx1->PrintPages(); };
    tbtPrinterSetupDialog->OnClick = [this](TObject*) { PreviewGx1->PrinterSetup(); };
    tbtScale->OnClick = [this](TObject*) {
        TPoint p = tbtScale->ClientToScreen(TPoint{0, tbtScale->Height()});
        pmnScale->Popup(p.X, p.Y);
    };
    tbtPrevPage->OnClick = [this](TObject* s) { PageButtonClick(s, -1); };
    tbtNextPage->OnClick = [this](TObject* s) { PageButtonClick(s, 1); };
    for (TToolButton* b : {tbtPrevPage, tbtNextPage}) {
        b->OnMouseDown = [this, b](TObject*, TMouseButton, TShiftState, int, int) { StartAutoRepeat(b); };
        b->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { StopAutoRepeat(); };
    }
    tbStop->OnClick = [this](TObject*) { PreviewGx1->Recorder()->Abort(); };
    tbClose->OnClick = [this](TObject*) { Close(); };

    OnKeyDown = [this](TObject*, Word& key, TShiftState) {
        if (key != VK_ESCAPE) return;
        key = 0;
        if (PreviewGx1->Recorder()->Printing())
            PreviewGx1->Recorder()->Abort();
        else
            Close();
    };
    // Closing while pages are being composed stops the composition; the window closes when the
    // recorder reports the end of the document.
    OnCloseQuery = [this](TObject*, bool& canClose) {
        if (!PreviewGx1->Recorder()->Printing()) return;
        PreviewGx1->Recorder()->Abort();
        FClosePending = true;
        canClose = false;
    };
    PreviewChanged();
    DoCreate();
}

void TPreviewFormGx::PageButtonClick(TObject* Sender, int step) {
    // The click that follows an auto-repeat is not another step.
    if (Sender && Timer1->Interval() == 100) {
        Timer1->SetInterval(400);
        return;
    }
    PreviewGx1->GoToPage(PreviewGx1->CurrentPage() + step);
}

void TPreviewFormGx::StartAutoRepeat(TToolButton* button) {
    FRepeatButton = button;
    Timer1->SetInterval(400);
    Timer1->SetEnabled(true);
}

void TPreviewFormGx::StopAutoRepeat() {
    Timer1->SetEnabled(false);
    FRepeatButton = nullptr;
}

void TPreviewFormGx::TimerTick() {
    Timer1->SetInterval(100);
    if (!FRepeatButton) return;
    try {
        PageButtonClick(nullptr, FRepeatButton == tbtPrevPage ? -1 : 1);
    } catch (...) {
        StopAutoRepeat();
        throw;
    }
}

void TPreviewFormGx::OpenPreviewer() {
    if (WindowState() == wsMinimized) SetWindowState(wsNormal);
    if (!Visible()) Show();
    BringToFront();
}

void TPreviewFormGx::PreviewChanged() {
    TPrinterPreview* rec = PreviewGx1->Recorder();
    bool printing = rec->Printing();
    if (!printing && FClosePending) {
        FClosePending = false;
        Close();
    }
    tbStop->SetEnabled(printing);
    tbClose->SetEnabled(!printing);
    tbtPrint->SetEnabled(!printing && rec->HasPrinter());
    tbtPrinterSetupDialog->SetEnabled(!printing && PreviewGx1->SetupHook() && PreviewGx1->GridPrinter());
    tbtPrevPage->SetEnabled(PreviewGx1->CurrentPage() > 1);
    tbtNextPage->SetEnabled(PreviewGx1->CurrentPage() < PreviewGx1->PageCount());
    stbMain->SetSimpleText(Format("Page %d of %d", {PreviewGx1->CurrentPage(), PreviewGx1->PageCount()}));
    ZoomItems[PreviewGx1->ZoomIndex()]->SetChecked(true);
    SetCaption("预览");
}

TPrinterPreview* SharedPrinterPreview() {
    if (!SharedForm) {
        SharedForm = new TPreviewFormGx(Application());
        SharedForm->SetWindowState(wsMaximized);
    }
    return SharedForm->PreviewGx1->Recorder();
}

TPreviewFormGx* SharedPreviewForm() {
    return SharedForm;
}
