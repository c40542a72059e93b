// TPreviewFormGx: the grid preview window, one for the whole run, created on first use by
// SharedPrinterPreview. A tool bar (print, setup, zoom, previous, next, stop, close), the preview
// box and a status bar with "Page %d of %d"; it shows itself when the recorder has pages.
#pragma once

#include "gridprint/PrViewGxBox.h"
#include "gui/ComCtrls.h"
#include "gui/Forms.h"
#include "gui/Menus.h"

class TPreviewFormGx : public TForm {
    ORV_META(TPreviewFormGx, TForm)
    explicit TPreviewFormGx(TComponent* AOwner);

    TToolBar* tbrMain = nullptr;
    TToolButton* tbtPrint = nullptr;
    TToolButton* tbtPrinterSetupDialog = nullptr;
    TToolButton* tbtScale = nullptr;
    TToolButton* tbtPrevPage = nullptr;
    TToolButton* tbtNextPage = nullptr;
    TToolButton* tbStop = nullptr;
    TToolButton* tbClose = nullptr;
    TPopupMenu* pmnScale = nullptr;
    TMenuItem* ZoomItems[10] = {};
    TPreviewBox* PreviewGx1 = nullptr;
    TStatusBar* stbMain = nullptr;
    TTimer* Timer1 = nullptr;

    // Auto-repeat of the previous and next buttons: pressing starts the timer (400 ms, then every
    // 100 ms), releasing stops it.
    void StartAutoRepeat(TToolButton* button);
    void StopAutoRepeat();
    void TimerTick();
    bool ClosePending() const { return FClosePending; }

private:
    void PreviewChanged();
    void OpenPreviewer();
    void PageButtonClick(TObject* Sender, int step);
    TToolButton* AddButton(const String& name, const String& caption);
    TToolButton* FRepeatButton = nullptr;
    bool FClosePending = false;
};

// The shared recorder of grid printing; the first call creates the preview window.
TPrinterPreview* SharedPrinterPreview();
// The preview window, nullptr before the first SharedPrinterPreview.
TPreviewFormGx* SharedPreviewForm();
