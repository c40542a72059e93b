#include "controls/WnTabs.h"

#include "controls/WnCommon.h"
#include "controls/WnTabButtons.h"

#include "gui/ExtCtrls.h"
#include "gui/MouseTracking.h"

TWnCustomTabControl::TWnCustomTabControl(TComponent* AOwner) : TCustomControl(AOwner), FRegionCache(1) {
    SetBounds(Left(), Top(), 300, 100);
    SetTabStop(true);
    PaintWithBackground(false);
    SetMouseTracking(this, true); // hot tracking follows the pointer without a button down
    FBitmap.SetSize(300, 100);
    FWorkFont.Assign(*Font());
    FImageChangeLink.OnChange = [this](TObject*) { InvalidateTabs(); };
}

TWnCustomTabControl::~TWnCustomTabControl() {
    StopHotTrackTimer();
    if (FImages) FImages->UnRegisterChanges(&FImageChangeLink);
}

// ---- events and steps

void TWnCustomTabControl::DoChanging(int NewIndex, bool& AllowChange) {
    if (OnChanging) OnChanging(this, NewIndex, AllowChange);
}

void TWnCustomTabControl::DoGetTextColor(int TabIndex, TWnTextStyle Style, bool& Handled, TColor& Color) {
    if (OnGetTextColor) OnGetTextColor(this, TabIndex, Style, Color, Handled);
}

void TWnCustomTabControl::DoTabClick() {
    if (OnTabClick) OnTabClick(this);
}

void TWnCustomTabControl::DoChange() {
    if (OnChange) OnChange(this);
}

void TWnCustomTabControl::DoTabOrderChange(int OldIndex, int NewIndex) {
    if (OnTabOrderChange) OnTabOrderChange(this, OldIndex, NewIndex);
}

void TWnCustomTabControl::DoPageChange() {
    if (OnPageChange) OnPageChange(this);
}

bool TWnCustomTabControl::DoClose() {
    bool allow = false;
    if (OnClose) OnClose(this, allow);
    return allow;
}

void TWnCustomTabControl::RequestLayout() {
    SetLayoutDirty(true);
}

void TWnCustomTabControl::SetLayoutDirty(bool Value) {
    FLayoutDirty = Value;
    if (Value) InvalidateTabs();
}

void TWnCustomTabControl::InvalidateTabs() {
    Invalidate();
}

void TWnCustomTabControl::Loaded() {
    TCustomControl::Loaded();
    FSavedHint = Hint();
    SetLayoutDirty(true);
    FTabIndex = 0;
    if (FTextOrientation == orVertical && !FontIsTrueType(Font())) Font()->SetName("Verdana");
    const int index = FTabIndex;
    FTabIndex = -1;
    SetTabIndex(index);
}

void TWnCustomTabControl::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) {
        FImages = nullptr;
        RequestLayout();
    }
}

void TWnCustomTabControl::FontChanged() {
    TCustomControl::FontChanged();
    FWorkFont.Assign(*Font());
    RequestLayout();
}

void TWnCustomTabControl::Resize() {
    TCustomControl::Resize();
    RequestLayout();
}

void TWnCustomTabControl::SetColor(TColor Value) {
    if (Value == Color()) return;
    TCustomControl::SetColor(Value);
    ColorChangedNotice();
}

void TWnCustomTabControl::SetParent(TWinControl* NewParent) {
    TCustomControl::SetParent(NewParent);
    if (FParentBackgroundColor && Parent()) {
        FBackgroundColor = Parent()->Color();
        InvalidateTabs();
    }
}

void TWnCustomTabControl::ColorChangedNotice() {
    if (FUseColoredTabs) return; // the children follow the colour themselves
    InvalidateTabs();
}

// ---- properties

#define WN_SETTER(Name, Type, Field, After)                                                                  \
    void TWnCustomTabControl::Set##Name(Type Value) {                                                        \
        if (Value == Field) return;                                                                          \
        Field = Value;                                                                                       \
        After;                                                                                               \
    }
#define WN_SETTER_NONNEG(Name, Field, After)                                                                 \
    void TWnCustomTabControl::Set##Name(int Value) {                                                         \
        if (Value < 0 || Value == Field) return;                                                             \
        Field = Value;                                                                                       \
        After;                                                                                               \
    }

WN_SETTER(AlignTabs, bool, FAlignTabs, if (FMultiLine) RequestLayout())
WN_SETTER(BoldCurrentTab, bool, FBoldCurrentTab, RequestLayout())
WN_SETTER(UseColoredTabs, bool, FUseColoredTabs, InvalidateTabs())
WN_SETTER(ImagePosition, TWnImagePosition, FImagePosition, RequestLayout())
WN_SETTER(ImageAlignment, TWnHorizontalAlignment, FImageAlignment, RequestLayout())
WN_SETTER(ImageAlignmentVertical, TWnVerticalAlignment, FImageAlignmentVertical, RequestLayout())
WN_SETTER(HotTrackColor, TColor, FHotTrackColor, InvalidateTabs())
WN_SETTER(HotTrackColorType, TWnHotTrackColorType, FHotTrackColorType, InvalidateTabs())
WN_SETTER(HotTrackStyle, TWnTabHotTrackStyle, FHotTrackStyle, InvalidateTabs())
WN_SETTER(MultiLine, bool, FMultiLine, RequestLayout())
WN_SETTER(ShowCard, bool, FShowCard, RequestLayout())
WN_SETTER(ShowCardFrame, bool, FShowCardFrame, RequestLayout())
WN_SETTER(ShowFocusRect, bool, FShowFocusRect, Invalidate())
WN_SETTER(SoftCorners, bool, FSoftCorners, RequestLayout())
WN_SETTER(TabOverlap, int, FTabOverlap, RequestLayout())
WN_SETTER(TabSequence, TWnTabSequence, FTabSequence, RequestLayout())
WN_SETTER(TabStyle, TWnTabStyle, FTabStyle, RequestLayout())
WN_SETTER(TextAlignment, TWnHorizontalAlignment, FTextAlignment, RequestLayout())
WN_SETTER(TextAlignmentVertical, TWnVerticalAlignment, FTextAlignmentVertical, RequestLayout())
WN_SETTER(Transparent, bool, FTransparent, InvalidateTabs())
WN_SETTER(UseGradients, bool, FUseGradients, InvalidateTabs())
WN_SETTER_NONNEG(ImageMargin, FImageMargin, RequestLayout())
WN_SETTER_NONNEG(Margin, FMargin, RequestLayout())
WN_SETTER_NONNEG(RowIndent, FRowIndent, RequestLayout())
WN_SETTER_NONNEG(RowOverlap, FRowOverlap, RequestLayout())
WN_SETTER_NONNEG(TabHeight, FTabHeight, RequestLayout())
WN_SETTER_NONNEG(TabWidth, FTabWidth, RequestLayout())
WN_SETTER_NONNEG(CutCornerSize, FCutCornerSize, if (FTabStyle == tsCutCorner) RequestLayout())

#undef WN_SETTER
#undef WN_SETTER_NONNEG

void TWnCustomTabControl::SetBackgroundColor(TColor Value) {
    FParentBackgroundColor = false;
    if (Value == FBackgroundColor) return;
    FBackgroundColor = Value;
    InvalidateTabs();
}

void TWnCustomTabControl::SetParentBackgroundColor(bool Value) {
    if (Value == FParentBackgroundColor) return;
    FParentBackgroundColor = Value;
    if (Value && Parent()) {
        FBackgroundColor = Parent()->Color();
        InvalidateTabs();
    }
}

void TWnCustomTabControl::SetFlatColor(TColor Value) {
    if (Value == FFlatColor) return;
    FFlatColor = Value;
    StripButtonsChanged();
    InvalidateTabs();
}

void TWnCustomTabControl::SetFlatColorAdjustment(int Value) {
    // Held inside the range the luminance shift takes, so that no paint can fail on it.
    Value = ClampLuminanceShift(Value);
    if (Value == FFlatColorAdjustment) return;
    FFlatColorAdjustment = Value;
    StripButtonsChanged();
    InvalidateTabs();
}

void TWnCustomTabControl::SetShowFullFrame(bool Value) {
    if (Value == FShowFullFrame) return;
    FShowFullFrame = Value;
    if (!Value) FShowShadow = false;
    RequestLayout();
}

void TWnCustomTabControl::SetShowShadow(bool Value) {
    if (Value == FShowShadow) return;
    FShowShadow = Value;
    if (Value) FShowFullFrame = true;
    RequestLayout();
}

void TWnCustomTabControl::SetShowCloseButton(bool Value) {
    if (Value == FShowCloseButton) return;
    FShowCloseButton = Value;
    if (Value && !FCloseButton) {
        FCloseButton = new TWnTabCloseButton(this);
        FCloseButton->SetParent(this);
        FCloseButton->OnClose = [this](TObject*) { CloseTab(); };
        StripButtonsChanged();
    }
    if (FCloseButton) FCloseButton->SetVisible(Value);
    RequestLayout();
}

void TWnCustomTabControl::SetShowMenuButton(bool Value) {
    if (Value == FShowMenuButton) return;
    FShowMenuButton = Value;
    if (Value && !FMenuButton) {
        FMenuButton = new TWnTabMenuButton(this);
        FMenuButton->SetParent(this);
        StripButtonsChanged();
    }
    if (FMenuButton) FMenuButton->SetVisible(Value);
    RequestLayout();
}

void TWnCustomTabControl::StripButtonsChanged() {
    const TColor frame = ShiftLuminance(FFlatColor, FFlatColorAdjustment);
    if (FScroller) FScroller->SetFrameColor(frame);
    if (FCloseButton) FCloseButton->SetFrameColor(frame);
    if (FMenuButton) FMenuButton->SetFrameColor(frame);
}

void TWnCustomTabControl::SetHotTrack(bool Value) {
    if (Value == FHotTrack) return;
    FHotTrack = Value;
    if (!Value && !FTabHints) StopHotTrackTimer();
}

void TWnCustomTabControl::SetTabHints(bool Value) {
    if (Value == FTabHints) return;
    FTabHints = Value;
    if (!Value && !FHotTrack) StopHotTrackTimer();
}

void TWnCustomTabControl::SetImages(TCustomImageList* Value) {
    if (Value == FImages) return;
    if (FImages) {
        FImages->UnRegisterChanges(&FImageChangeLink);
        FImages->RemoveFreeNotification(this);
    }
    FImages = Value;
    if (FImages) {
        FImages->RegisterChanges(&FImageChangeLink);
        FImages->FreeNotification(this);
    }
    RequestLayout();
}

void TWnCustomTabControl::SetTextOrientation(TOrientation Value) {
    if (Value == FTextOrientation) return;
    FTextOrientation = Value;
    if (!FLoading && !FontIsTrueType(Font())) Font()->SetName("Verdana");
    RequestLayout();
}

void TWnCustomTabControl::SetTabColors(TWnTabColors* Value) {
    FTabColors.Assign(Value);
}

void TWnCustomTabControl::SetTextColors(TWnTextColors* Value) {
    FTextColors.Assign(Value);
}

void TWnCustomTabControl::SetTabOrientation(TWnTabOrientation Value) {
    if (Value == FTabOrientation) return;
    FTabOrientation = Value;
    if (!FLoading) RequestLayout();
}

void TWnCustomTabControl::SetRegionCacheSize(int Value) {
    FRegionCache.SetCapacity(Value);
}
