// TPreviewBox: the scroll box of the grid preview window. It owns the page recorder, lays the
// white page panel (TDrawPanel) out at the chosen zoom on a dark shadow, pages, scrolls, zooms
// with a click and prints the recorded pages on a printer chosen in the print dialog.
#pragma once

#include "gridprint/PrViewGx.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"

#include <memory>

class TPreviewBox;

// The page: paints the current recorded page mapped onto its client area.
class TDrawPanel : public TPanel {
    ORV_META(TDrawPanel, TPanel)
    explicit TDrawPanel(TComponent* AOwner);
    TPreviewBox* Box() const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    int FLastX = 0, FLastY = 0;
    bool FDragging = false;
};

// Zoom indexes: 0 500 %, 1 200 %, 2 150 %, 3 100 %, 4 75 %, 5 50 %, 6 25 %, 7 10 %, 8 page width,
// 9 whole page.
enum : int { zoomPageWidth = 8, zoomWholePage = 9 };

class TPreviewBox : public TScrollBox {
    ORV_META(TPreviewBox, TScrollBox)
    explicit TPreviewBox(TComponent* AOwner);
    ~TPreviewBox() override;

    TNotifyEvent OnOpenPreviewer;
    TNotifyEvent OnPrinterPreviewChanged;

    TPrinterPreview* Recorder() const { return FRecorder.get(); }
    TDrawPanel* PagePanel() const { return FPagePanel; }
    TPanel* ShadowPanel() const { return FShadowPanel; }
    int PageCount() const { return FPageCount; }
    int CurrentPage() const { return FCurrentPage; }
    int ZoomIndex() const { return FZoomIndex; }
    int ZoomPercent() const { return FZoomPercent; }
    const TNotifyEvent& SetupHook() const { return FSetupHook; }
    TPrintDBGridGx* GridPrinter() const { return FGridPrinter; }

    void GoToPage(int n);
    void SetZoomIndex(int index);
    void SetGridPrinter(TPrintDBGridGx* component);
    // Prints recorded pages on the printer chosen in the print dialog.
    void PrintPages();
    // Runs the setup hook, or the printer setup dialog when there is none.
    void PrinterSetup();
    void RecomputeLayout();

    // What the recorder sets directly.
    void SetPageCountValue(int n) { FPageCount = n; }
    void SetCurrentPageValue(int n) { FCurrentPage = n; }
    void SetSetupHook(const TNotifyEvent& hook) { FSetupHook = hook; }
    void DoOpenPreviewer();
    void DoPrinterPreviewChanged();

    // The physical printable size of the page in millimetres.
    int PageSizeMMX();
    int PageSizeMMY();

    // Keys and the wheel as the window passes them on (also used by the tests).
    void KeyDown(Word& Key, TShiftState Shift) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    // A click on the page at (x, y) of the page panel: whole page zooms to 150 % around it,
    // any other zoom returns to whole page.
    void PageClicked(int X, int Y);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Resize() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool WantsKey(Word Key, TShiftState Shift) const override;

private:
    TDrawPanel* FPagePanel = nullptr;
    TPanel* FShadowPanel = nullptr;
    TNotifyEvent FSetupHook;
    int FPageCount = 0;
    int FCurrentPage = 1;
    std::unique_ptr<TPrinterPreview> FRecorder;
    TPrintDBGridGx* FGridPrinter = nullptr;
    int FZoomIndex = zoomWholePage;
    int FZoomPercent = 100;
};
