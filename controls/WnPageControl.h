// The tab control with pages: each TWnTabSheet child is one page whose caption, colour, images
// and enabled and visible flags make up one tab; choosing a tab shows its page and hides the one
// before.
#pragma once

#include "controls/WnTabs.h"

class TWnPageControl;

class TWnTabSheet : public TCustomControl {
    ORV_META(TWnTabSheet, TCustomControl)
    explicit TWnTabSheet(TComponent* AOwner);
    ~TWnTabSheet() override;

    TWnPageControl* PageControl() const { return FPageControl; }
    virtual void SetPageControl(TWnPageControl* Value);
    // The place in the page control's order (-1 without page control).
    virtual int PageIndex() const;
    // Raises EWnTabControlError outside 0 .. page count - 1; does nothing without page control.
    virtual void SetPageIndex(int Value);
    bool TabEnabled() const { return FTabEnabled; }
    virtual void SetTabEnabled(bool Value);
    bool TabVisible() const { return FTabVisible; }
    virtual void SetTabVisible(bool Value);
    int ImageIndex() const { return FImageIndex; }
    virtual void SetImageIndex(int Value);
    int DisabledIndex() const { return FDisabledIndex; }
    virtual void SetDisabledIndex(int Value);
    // The tab's index among the visible tabs, -1 while the tab is hidden.
    virtual int SheetTabIndex() const;
    void SetColor(TColor Value) override;
    // The page control owns the pages' visibility: writing it raises EWnTabControlError.
    void SetVisible(bool Value) override;

    TWnPaintBackgroundEvent OnPaintBackground;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

protected:
    void Paint() override;
    void SetTextValue(const String& v) override;

private:
    friend class TWnPageControl;
    // Shows or hides the page (the page control's own switch), reporting OnShow and OnHide.
    void ShowSheet(bool Value);
    void Changed();
    TWnPageControl* FPageControl = nullptr;
    bool FTabEnabled = true;
    bool FTabVisible = true;
    int FImageIndex = -1;
    int FDisabledIndex = -1;
};

class TWnPageControl : public TWnCustomTabControl {
    ORV_META(TWnPageControl, TWnCustomTabControl)
    explicit TWnPageControl(TComponent* AOwner);
    ~TWnPageControl() override;

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TWnTabSheet* Pages(int Index) const;
    TWnTabSheet* ActivePage() const { return FActivePage; }
    // A sheet of another page control is ignored.
    virtual void SetActivePage(TWnTabSheet* Value);
    virtual int ActivePageIndex() const;
    // Outside 0 .. page count - 1 only the current tab is cleared.
    virtual void SetActivePageIndex(int Value);
    TWnTabSheet* ActivePageDefault = nullptr;
    bool SaveResources() const { return FSaveResources; }
    virtual void SetSaveResources(bool Value) { FSaveResources = Value; }

    // The sheet of a tab (nullptr for none).
    TWnTabSheet* PageForTab(int TabIndex) const;
    // The next page from Start, cyclically; nullptr after a full circle.
    TWnTabSheet* FindNextPage(TWnTabSheet* Start, bool GoForward, bool CheckTabVisible) const;
    void SelectNextPage(bool GoForward);
    void HideAllTabs() override;
    void ShowAllTabs() override;
    void RequestLayout() override;
    void SetUseColoredTabs(bool Value) override;
    void ColorChangedNotice() override;
    void Loaded() override;
    bool DialogKey(Word Key, TShiftState Shift) override;

protected:
    void DoChanging(int NewIndex, bool& AllowChange) override;
    void DoChange() override;
    void DoPageChange() override;
    void DoPaintCardBackground(TCanvas* ACanvas, int ARow, const TRect& ARect, bool& Handled) override;
    // Frees the active page and makes the tab before it current.
    void CloseActiveTab() override;
    // Moves the active page to the page of the tab dropped on.
    void MoveActiveTab(int NewIndex) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void DoEnter() override;

private:
    friend class TWnTabSheet;
    void InsertPage(TWnTabSheet* Page);
    void RemovePage(TWnTabSheet* Page);
    void MovePage(TWnTabSheet* Page, int NewIndex);
    void ShowPage(TWnTabSheet* Page);
    std::vector<TWnTabSheet*> FPages;
    TWnTabSheet* FActivePage = nullptr;
    bool FSaveResources = false;
    bool FLoadingGuard = false;
};
