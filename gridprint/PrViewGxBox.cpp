#include "gridprint/PrViewGxBox.h"

#include "classes/MetaBuilder.h"
#include "gridprint/PrnDbggx.h"
#include "gui/Dialogs.h"
#include "gui/Input.h"
#include "gui/SystemMetrics.h"

namespace {

constexpr int ZoomPercents[8] = {500, 200, 150, 100, 75, 50, 25, 10};
constexpr TCursor crMagnifier = crDefault;

// Lends the recorder's own printer to the print dialogs and puts the previous one back.
class TLentPrinter {
public:
    explicit TLentPrinter(TPrinter* printer) : FPrevious(SetPrinter(printer)) {}
    ~TLentPrinter() { SetPrinter(FPrevious); }
    TLentPrinter(const TLentPrinter&) = delete;
    TLentPrinter& operator=(const TLentPrinter&) = delete;

private:
    TPrinter* FPrevious;
};

} // namespace

// ---- TDrawPanel ---------------------------------------------------------------------------------

ORV_META_IMPL(TDrawPanel)
void TDrawPanel::DeclareMeta(meta::Class<TDrawPanel>&) {}

TDrawPanel::TDrawPanel(TComponent* AOwner) : TPanel(AOwner) {
    SetColor(clWhite);
    SetCursor(crMagnifier);
    SetBevelOuter(bvNone);
    SetBorderStyle(bsSingle);
}

TPreviewBox* TDrawPanel::Box() const {
    return dynamic_cast<TPreviewBox*>(Parent());
}

void TDrawPanel::Paint() {
    TCanvas* c = Canvas();
    TRect client = ClientRect();
    c->Brush()->SetColor(clWhite);
    c->FillRect(client);
    TPreviewBox* box = Box();
    if (!box) return;
    TPrinterPreview* rec = box->Recorder();
    int paperW = rec->PaperWidth(), paperH = rec->PaperHeight();
    if (paperW <= 0 || paperH <= 0 || client.Width() <= 0 || client.Height() <= 0) return;
    int saved = c->SaveDC();
    c->SetMapMode(MM_ANISOTROPIC);
    c->SetWindowExtEx(paperW, paperH);
    c->SetViewportExtEx(client.Width(), client.Height());
    c->SetViewportOrgEx(static_cast<int>(static_cast<long long>(rec->OffsetX()) * client.Width() / paperW),
                        static_cast<int>(static_cast<long long>(rec->OffsetY()) * client.Height() / paperH));
    c->Font()->SetPixelsPerInch(std::min(rec->DpiX(), rec->DpiY()));
    if (box->PageCount() > 0) rec->DrawPage(c, box->CurrentPage());
    c->RestoreDC(saved);
}

void TDrawPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TPanel::MouseDown(Button, Shift, X, Y);
    FLastX = X;
    FLastY = Y;
    FDragging = false;
    SetMouseCapture(true);
}

void TDrawPanel::MouseMove(TShiftState Shift, int X, int Y) {
    TPanel::MouseMove(Shift, X, Y);
    TPreviewBox* box = Box();
    if (!box || !Shift.Contains(ssLeft)) return;
    if (X == FLastX && Y == FLastY && !FDragging) return;
    FDragging = true;
    SetCursor(crHandPoint);
    TControlScrollBar* v = box->VertScrollBar();
    TControlScrollBar* h = box->HorzScrollBar();
    int oldV = v->Position(), oldH = h->Position();
    v->SetPosition(oldV + FLastY - Y);
    h->SetPosition(oldH + FLastX - X);
    if (v->Position() == oldV) FLastY = Y;
    if (h->Position() == oldH) FLastX = X;
}

void TDrawPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TPanel::MouseUp(Button, Shift, X, Y);
    SetMouseCapture(false);
    bool wasDrag = FDragging;
    FDragging = false;
    SetCursor(crMagnifier);
    if (Button == mbLeft && !wasDrag && Box()) Box()->PageClicked(X, Y);
}

// ---- TPreviewBox --------------------------------------------------------------------------------

ORV_META_IMPL(TPreviewBox)
void TPreviewBox::DeclareMeta(meta::Class<TPreviewBox>& c) {
    c.Event("OnOpenPreviewer", &TPreviewBox::OnOpenPreviewer);
    c.Event("OnPrinterPreviewChanged", &TPreviewBox::OnPrinterPreviewChanged);
}

TPreviewBox::TPreviewBox(TComponent* AOwner)
    : TScrollBox(AOwner), FRecorder(std::make_unique<TPrinterPreview>()) {
    SetColor(clBtnFace);
    FShadowPanel = new TPanel(this);
    FShadowPanel->SetParent(this);
    FShadowPanel->SetBevelOuter(bvNone);
    FShadowPanel->SetColor(static_cast<TColor>(4210752));
    FShadowPanel->SetEnabled(false);
    FPagePanel = new TDrawPanel(this);
    FPagePanel->SetParent(this);
    FPagePanel->SetBounds(8, 8, FPagePanel->Width(), FPagePanel->Height());
    FRecorder->SetPreviewBox(this);
}

TPreviewBox::~TPreviewBox() {
    if (FGridPrinter) FGridPrinter->RemoveFreeNotification(this);
    FRecorder->SetPreviewBox(nullptr);
}

void TPreviewBox::DoOpenPreviewer() {
    if (OnOpenPreviewer) OnOpenPreviewer(this);
}

void TPreviewBox::DoPrinterPreviewChanged() {
    if (OnPrinterPreviewChanged) OnPrinterPreviewChanged(this);
}

void TPreviewBox::GoToPage(int n) {
    if (n > FPageCount) n = FPageCount;
    if (n < 1) n = 1;
    if (n == FCurrentPage) return;
    FCurrentPage = n;
    Invalidate();
    FPagePanel->Invalidate();
    DoPrinterPreviewChanged();
}

void TPreviewBox::SetZoomIndex(int index) {
    if (index < 0 || index > zoomWholePage) return;
    if (index != FZoomIndex) {
        FZoomIndex = index;
        RecomputeLayout();
    }
    DoPrinterPreviewChanged();
}

void TPreviewBox::SetGridPrinter(TPrintDBGridGx* component) {
    if (component == FGridPrinter) return;
    if (FGridPrinter) FGridPrinter->RemoveFreeNotification(this);
    FGridPrinter = component;
    if (FGridPrinter) FGridPrinter->FreeNotification(this);
    DoPrinterPreviewChanged();
}

void TPreviewBox::Notification(TComponent* AComponent, TOperation Operation) {
    TScrollBox::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FGridPrinter) {
        FGridPrinter = nullptr;
        FSetupHook = nullptr; // the hook belonged to the component that is gone
        DoPrinterPreviewChanged();
    }
}

int TPreviewBox::PageSizeMMX() {
    if (!FRecorder->HasPrinter()) return 198;
    return FRecorder->OwnPrinter()->Canvas()->GetDeviceCaps(HORZSIZE);
}

int TPreviewBox::PageSizeMMY() {
    if (!FRecorder->HasPrinter()) return 285;
    return FRecorder->OwnPrinter()->Canvas()->GetDeviceCaps(VERTSIZE);
}

void TPreviewBox::RecomputeLayout() {
    int W = ClientWidth(), H = ClientHeight();
    int sizeX = std::max(1, PageSizeMMX()), sizeY = std::max(1, PageSizeMMY());
    int dpiX = std::max(1, FRecorder->DpiX());
    int x = 8, y = 8, w = 0, h = 0;
    TControlScrollBar* v = VertScrollBar();
    TControlScrollBar* hz = HorzScrollBar();
    if (FZoomIndex < zoomPageWidth) {
        int p = ZoomPercents[FZoomIndex];
        v->SetPosition(0);
        hz->SetPosition(0);
        w = FRecorder->PageWidth() * p * 96 / dpiX / 100;
        h = w * sizeY / sizeX;
        v->SetRange(h + 16);
        hz->SetRange(w + 16);
        x = W > w + 16 ? (W - w) / 2 : 8;
        y = H > h + 16 ? (H - h) / 2 : 8;
        FZoomPercent = p;
    } else if (FZoomIndex == zoomPageWidth) {
        v->SetPosition(0);
        hz->SetPosition(0);
        w = Width() - 20 - GetSystemMetrics(SM_CXVSCROLL);
        h = w * sizeY / sizeX;
        int full = FRecorder->PageWidth() * 96 / dpiX;
        FZoomPercent = full > 0 ? w * 100 / full : 100;
        v->SetRange(h + 16);
        hz->SetRange(0);
    } else {
        v->SetRange(0);
        hz->SetRange(0);
        v->SetPosition(0);
        hz->SetPosition(0);
        h = H - 16;
        w = h * sizeX / sizeY;
        if (w > W - 16) {
            w = W - 16;
            h = w * sizeY / sizeX;
        }
        x = (W - w) / 2;
        y = (H - h) / 2;
        FZoomPercent = 100;
    }
    FPagePanel->Invalidate();
    FPagePanel->SetBounds(x, y, std::max(w, 0), std::max(h, 0));
    FShadowPanel->SetBounds(x + 4, y + 4, std::max(w, 0), std::max(h, 0));
}

void TPreviewBox::Resize() {
    TScrollBox::Resize();
    if (FZoomIndex >= zoomPageWidth || FPagePanel->Width() + 16 < ClientWidth() ||
        FPagePanel->Height() + 16 < ClientHeight())
        RecomputeLayout();
}

void TPreviewBox::PageClicked(int X, int Y) {
    if (FZoomIndex == zoomWholePage) {
        int oldW = std::max(1, FPagePanel->Width()), oldH = std::max(1, FPagePanel->Height());
        int oldLeft = FPagePanel->Left(), oldTop = FPagePanel->Top();
        SetZoomIndex(2);
        VertScrollBar()->SetPosition(FPagePanel->Height() * Y / oldH + 16 - oldTop - Y);
        HorzScrollBar()->SetPosition(FPagePanel->Width() * X / oldW + 16 - oldLeft - X);
    } else {
        SetZoomIndex(zoomWholePage);
    }
}

void TPreviewBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TScrollBox::MouseDown(Button, Shift, X, Y);
    if (CanFocus()) SetFocus();
}

bool TPreviewBox::WantsKey(Word Key, TShiftState Shift) const {
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
        return true;
    default:
        return TScrollBox::WantsKey(Key, Shift);
    }
}

void TPreviewBox::KeyDown(Word& Key, TShiftState Shift) {
    TScrollBox::KeyDown(Key, Shift);
    TControlScrollBar* v = VertScrollBar();
    TControlScrollBar* h = HorzScrollBar();
    bool ctrl = Shift.Contains(ssCtrl);
    int vStep = v->Increment(), hStep = h->Increment();
    int vPage = ClientHeight() - vStep, hPage = ClientWidth() - hStep;
    switch (Key) {
    case VK_PRIOR:
        v->SetPosition(ctrl ? 0 : v->Position() - vPage);
        break;
    case VK_NEXT:
        v->SetPosition(ctrl ? v->Range() : v->Position() + vPage);
        break;
    case VK_UP:
        v->SetPosition(v->Position() - (ctrl ? vPage : vStep));
        break;
    case VK_DOWN:
        v->SetPosition(v->Position() + (ctrl ? vPage : vStep));
        break;
    case VK_HOME:
        h->SetPosition(0);
        if (ctrl) v->SetPosition(0);
        break;
    case VK_END:
        h->SetPosition(h->Range());
        if (ctrl) v->SetPosition(v->Range());
        break;
    case VK_LEFT:
        h->SetPosition(h->Position() - (ctrl ? hPage : hStep));
        break;
    case VK_RIGHT:
        h->SetPosition(h->Position() + (ctrl ? hPage : hStep));
        break;
    default:
        break;
    }
}

bool TPreviewBox::DoMouseWheel(TShiftState, int WheelDelta, TPoint) {
    TControlScrollBar* v = VertScrollBar();
    if (v->Range() < ClientHeight()) {
        GoToPage(WheelDelta < 0 ? FCurrentPage + 1 : FCurrentPage - 1);
    } else {
        int lines = 3;
        int step = v->Increment() * lines * FZoomPercent / 100;
        v->SetPosition(v->Position() + (WheelDelta < 0 ? step : -step));
    }
    return true;
}

void TPreviewBox::PrintPages() {
    TLentPrinter lent(FRecorder->OwnPrinter());
    TPrintDialog dialog(nullptr);
    dialog.SetOptions(TPrintDialogOptions{poPageNums});
    dialog.SetMinPage(1);
    dialog.SetMaxPage(std::max(1, FPageCount));
    dialog.SetFromPage(1);
    dialog.SetToPage(std::max(1, FPageCount));
    if (!dialog.Execute() || FPageCount < 1) return;
    int from = dialog.PrintRange() == prPageNums ? dialog.FromPage() : 1;
    int to = dialog.PrintRange() == prPageNums ? dialog.ToPage() : FPageCount;
    from = std::max(1, from);
    to = std::min(FPageCount, to);
    if (from > to) return;
    TPrinter* printer = Printer();
    printer->BeginDoc();
    try {
        for (int n = from; n <= to; ++n) {
            if (n > from) printer->NewPage();
            FRecorder->DrawPage(printer->Canvas(), n);
        }
    } catch (...) {
        printer->Abort();
        throw;
    }
    printer->EndDoc();
}

void TPreviewBox::PrinterSetup() {
    TLentPrinter lent(FRecorder->OwnPrinter());
    if (FSetupHook) {
        TNotifyEvent hook = FSetupHook;
        hook(this);
        return;
    }
    TPrinterSetupDialog dialog(nullptr);
    if (dialog.Execute()) RecomputeLayout();
}
