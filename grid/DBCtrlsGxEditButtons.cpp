// The data-aware edit's surroundings of the text: the strip of edit buttons at the right (the
// main button and the further buttons), what pressing and clicking them does, the base of the
// drop-down protocol and the image at the left.
#include "grid/DBCtrlsGxEdit.h"

#include "grid/ToolCtrlsGxDropDown.h"
#include "gui/ControlPreview.h"
#include "gui/ExtCtrls.h"
#include "gui/ImgList.h"
#include "gui/Menus.h"
#include "gui/SystemMetrics.h"

#include <algorithm>
#include <climits>
#include <cmath>

TEditButtonControlGx* TCustomDBEditGx::NewButtonControl() {
    auto* control = new TEditButtonControlGx(this);
    control->SetParent(this);
    control->SetBounds(0, 0, 10, 17);
    control->SetVisible(true);
    return control;
}

TEditButtonControlGx* TCustomDBEditGx::ButtonControl(int Entry) const {
    return FButtonStrip.at(static_cast<size_t>(Entry)).Control;
}

TShape* TCustomDBEditGx::ButtonLine(int Entry) const {
    return FButtonStrip.at(static_cast<size_t>(Entry)).Line;
}

TEditButtonGx* TCustomDBEditGx::StripButton(int Entry) const {
    return Entry == 0 ? FEditButton.get() : FEditButtons->ButtonAt(Entry - 1);
}

int TCustomDBEditGx::ImageRoom() const {
    if (!FImageSettings->Visible() || !FImageSettings->Images()) return 0;
    if (FImageSettings->Width() > 0) return FImageSettings->Width() + 4;
    return FImageSettings->Images()->Width() + 4;
}

TRect TCustomDBEditGx::ButtonStripRect() const {
    const int w = ClientWidth(), h = ClientHeight();
    return TRect(w - FStripWidth, 0, w, h);
}

TRect TCustomDBEditGx::ImageRect() const {
    return TRect(0, 0, ImageRoom(), ClientHeight());
}

bool TCustomDBEditGx::ButtonsUsable() const {
    return Enabled() && FDataLink->IsLinkActive();
}

void TCustomDBEditGx::ButtonsChanged() {
    if (FInRebuild) return;
    RebuildButtonStrip();
    RefreshButtonStates();
    ApplyTextRect();
    Invalidate();
}

void TCustomDBEditGx::RebuildButtonStrip() {
    FInRebuild = true;
    const size_t want = static_cast<size_t>(FEditButtons->Count()) + 1;
    while (FButtonStrip.size() > want) {
        delete FButtonStrip.back().Control;
        delete FButtonStrip.back().Line;
        FButtonStrip.pop_back();
    }
    while (FButtonStrip.size() < want) {
        TStripEntry entry;
        entry.Control = NewButtonControl();
        entry.Line = new TShape(this);
        entry.Line->SetParent(this);
        FButtonStrip.push_back(entry);
    }
    const int available = ClientHeight();
    int common = INT_MAX;
    std::vector<int> widths(want), lineWidths(want);
    for (size_t i = 0; i < want; ++i) {
        TEditButtonGx* button = StripButton(static_cast<int>(i));
        TEditButtonControlGx* control = FButtonStrip[i].Control;
        control->SetVisible(button->Visible());
        control->SetEnabled(button->Enabled());
        control->SetStyle(button->Style());
        control->SetNumGlyphs(static_cast<TNumGlyphs>(button->NumGlyphs()));
        control->SetHint(button->Hint());
        control->SetFlat(FFlat);
        int width = 0;
        if (button->Visible()) {
            width = button->Width() > 0 ? button->Width()
                                        : (FFlat ? FlatButtonWidth() : GetSystemMetrics(SM_CXVSCROLL));
            int candidate = available;
            const int tallest = EditButtonHeightFor(width, true);
            if (candidate > tallest) candidate = FFlat ? tallest : width;
            common = std::min(common, candidate);
        }
        widths[i] = width;
        lineWidths[i] = FFlat && button->Visible() ? 1 : 0;
        FButtonStrip[i].Line->SetVisible(lineWidths[i] > 0);
        control->SetTag(static_cast<Integer>(i));
        control->DownHook = [this, control](TObject*, bool Top, bool& AutoRepeat, bool& Handled) {
            ButtonPressed(control, Top, AutoRepeat, Handled);
        };
        control->OnClick = [this, control](TObject*) { ButtonClicked(control); };
        control->OnMouseMove = [this, control](TObject*, TShiftState Shift, int X, int Y) {
            ButtonMouseMoved(control, Shift, X, Y);
        };
        control->OnMouseUp = [this, control](TObject*, TMouseButton, TShiftState, int X, int Y) {
            ButtonReleased(control, X, Y);
        };
    }
    if (common == INT_MAX) common = 0;
    // From the last entry inward: the control, then its line on the inner side.
    const int right = ClientWidth();
    int x = right;
    for (size_t i = want; i-- > 0;) {
        x -= widths[i];
        FButtonStrip[i].Control->SetBounds(x, 0, widths[i], common);
        x -= lineWidths[i];
        FButtonStrip[i].Line->SetBounds(x, 0, lineWidths[i], common);
    }
    FStripWidth = right - x;
    FStripButtonHeight = common;
    FInRebuild = false;
}

void TCustomDBEditGx::RefreshButtonStates() {
    for (size_t i = 0; i < FButtonStrip.size(); ++i) {
        TEditButtonGx* button = StripButton(static_cast<int>(i));
        FButtonStrip[i].Control->SetEnabled(Enabled() && button->Enabled());
        FButtonStrip[i].Control->SetActive(FBorderLit);
        TShape* line = FButtonStrip[i].Line;
        line->Pen()->SetColor(FBorderLit ? clBtnFace : Color());
        line->Brush()->SetColor(FBorderLit ? clBtnFace : Color());
        line->Invalidate();
    }
}

void TCustomDBEditGx::EnabledChanged() {
    TCustomMaskEdit::EnabledChanged();
    RefreshButtonStates();
}

TEditButtonGx* TCustomDBEditGx::ButtonForShortCut(TShortCut Key) const {
    if (Key == 0) return nullptr;
    if (FEditButton->ShortCut() == Key) return FEditButton.get();
    for (int i = 0; i < FEditButtons->Count(); ++i)
        if (FEditButtons->ButtonAt(i)->ShortCut() == Key) return FEditButtons->ButtonAt(i);
    return nullptr;
}

void TCustomDBEditGx::PopDropdownMenu(TEditButtonGx* Button, TEditButtonControlGx* Control) {
    TPopupMenu* menu = Button->DropdownMenu();
    const bool right = menu->Alignment() == paRight;
    const TPoint p = Control->ClientToScreen(TPoint(right ? Control->Width() : 0, Control->Height()));
    menu->SetPopupComponent(this);
    menu->Popup(p.X, p.Y);
    // The click that ends this press must not act, and the button must not stay down.
    FMenuShown = true;
    Control->SetHeldDown(false);
}

void TCustomDBEditGx::ButtonPressed(TEditButtonControlGx* Control, bool TopButton, bool& AutoRepeat,
                                    bool& Handled) {
    if (CanFocus() && !Focused()) SetFocus();
    Handled = false;
    FMenuShown = false;
    const int entry = static_cast<int>(Control->Tag());
    TEditButtonGx* button = StripButton(entry);
    if (entry == 0) {
        if (OnButtonDown) OnButtonDown(Control, TopButton, AutoRepeat, Handled);
        if (Handled) return;
        if (button->DropdownMenu())
            PopDropdownMenu(button, Control);
        else
            MainButtonPressed(!TopButton);
        return;
    }
    if (button->OnDown) button->OnDown(Control, TopButton, AutoRepeat, Handled);
    if (!Handled && button->DropdownMenu()) PopDropdownMenu(button, Control);
}

void TCustomDBEditGx::MainButtonPressed(bool Lower) {
    (void)Lower;
    if (FEditButton->Style() == ebsUpDownGx || FDropDownShown) return;
    OpenDropDown();
    FKeepOpenOnClick = true;
}

void TCustomDBEditGx::ButtonClicked(TEditButtonControlGx* Control) {
    if (FMenuShown) {
        FMenuShown = false;
        FKeepOpenOnClick = false;
        return;
    }
    bool handled = false;
    const int entry = static_cast<int>(Control->Tag());
    StripButton(entry)->ExecuteClick(Control, handled);
    if (entry == 0 && !handled && OnButtonClick) OnButtonClick(Control, handled);
    if (!handled && FDropDownShown && !FKeepOpenOnClick && entry == 0) CloseDropDown(false);
    FKeepOpenOnClick = false;
}

void TCustomDBEditGx::ButtonReleased(TEditButtonControlGx* Control, int X, int Y) {
    if (!PtInRect(TRect(0, 0, Control->Width(), Control->Height()), TPoint(X, Y))) FKeepOpenOnClick = false;
}

void TCustomDBEditGx::OpenDropDown() {
    HideMRUList(false);
    if (!FButtonStrip.empty()) FButtonStrip[0].Control->SetHeldDown(true);
}

void TCustomDBEditGx::CloseDropDown(bool Accept) {
    (void)Accept;
    if (!FButtonStrip.empty()) FButtonStrip[0].Control->SetHeldDown(false);
}

void TCustomDBEditGx::PreviewStripMouse(TControlMessage& Message) {
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        break;
    default:
        return;
    }
    if (MouseCapture()) return;
    if (PtInRect(ButtonStripRect(), Message.Pos) || PtInRect(ImageRect(), Message.Pos)) Message.Result = 1;
}

void TCustomDBEditGx::RefreshImageIndex() {
    if (!FImageSettings->Visible() || !FImageSettings->Images()) return;
    int index = ImageIndexByDefault();
    const Variant v = Value();
    switch (v.VType()) {
    case varSmallint:
    case varInteger:
    case varSingle:
    case varDouble:
    case varCurrency:
        index = static_cast<int>(std::nearbyint(v.AsDouble()));
        break;
    default:
        break;
    }
    if (OnGetImageIndex) OnGetImageIndex(this, index);
    FImageSettings->SetImageIndex(index);
}

void TCustomDBEditGx::DrawEditImage(TCanvas* Canvas) {
    TCustomImageList* images = FImageSettings->Images();
    const int index = FImageSettings->ImageIndex();
    if (!FImageSettings->Visible() || !images || index < 0) return;
    TRect area = ImageRect();
    area.Left += 2;
    area.Right -= 2;
    area.Top += 1;
    area.Bottom -= 1;
    if (area.Width() <= 0 || area.Height() <= 0) return;
    Canvas->IntersectClipRect(area);
    images->Draw(Canvas, area.Left + (area.Width() - images->Width()) / 2,
                 area.Top + (area.Height() - images->Height()) / 2, index, Enabled());
}
