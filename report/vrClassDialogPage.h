// The dialog page: a window shown to the user before the report is built, whose events run the
// report's script; and the base of the report objects that wrap a platform control on it.
#pragma once

#include "report/vrClassBase.h"
#include "report/vrDialogForm.h"

#include <functional>
#include <memory>

class TvrDialogPage : public TvrPage {
    ORV_META(TvrDialogPage, TvrPage)
    explicit TvrDialogPage(TComponent* AOwner);
    ~TvrDialogPage() override;

    // The run-time window.
    TvrDialogForm* Form() const { return FForm.get(); }

    TFormBorderStyle BorderStyle = bsSizeable;
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TPosition Position = poScreenCenter;
    TWindowState WindowState = wsNormal;
    String OnActivate, OnClick, OnDeactivate, OnHide, OnKeyDown, OnKeyPress, OnKeyUp, OnResize, OnShow,
        OnCloseQuery;
    // Lets the window's events run outside a report run.
    bool EventsOutsideRun = false;

    // The window's client size; setting it makes Width (Height) the window's outer size.
    Extended ClientWidth() const;
    Extended ClientHeight() const;
    void SetClientWidth(Extended Value);
    void SetClientHeight(Extended Value);
    bool IsClientWidthStored() const { return vrDiffers(FClientWidth, 0); }
    bool IsClientHeightStored() const { return vrDiffers(FClientHeight, 0); }

    void SetLeft(Extended Value) override;
    void SetTop(Extended Value) override;
    void SetWidth(Extended Value) override;
    void SetHeight(Extended Value) override;
    void FontChanged() override;

    // Prepares the window, shows it modally (through the interaction service) and returns its
    // modal result; the window's bounds come back into the page.
    Integer ShowModal();
    Integer ModalResult() const;
    void SetModalResult(Integer Value);
    // The window's bounds into the page, without the setters.
    void TakeWindowBounds();

    bool AddsPositionToChildren() const override { return false; }
    String GetDescription() const override { return "obDlgPage"; }

private:
    void PrepareWindow();
    void RunEvent(const String& ProcName);
    bool EventsAllowed() const;

    std::unique_ptr<TvrDialogForm> FForm;
    String FCaption;
    TColor FColor = clBtnFace;
    Extended FClientWidth = 0, FClientHeight = 0;
};

// A report object that wraps a platform control of a dialog page. No concrete control is part of
// the system; the base is what the script bindings and the registries work with.
class TvrDialogControl : public TvrReportComponent {
    ORV_META(TvrDialogControl, TvrReportComponent)
    explicit TvrDialogControl(TComponent* AOwner);
    ~TvrDialogControl() override;

    TControl* Control() const { return FControl.get(); }
    String OnClick, OnDblClick, OnEnter, OnExit, OnKeyDown, OnKeyPress, OnKeyUp, OnMouseDown, OnMouseMove,
        OnMouseUp;
    // Called with the page when the page's window is activated.
    std::function<void(TvrDialogPage* Page)> OnActivate;
    // The class name without "Tvr" and "Control".
    String NamePrefix() const;

    bool Enabled() const;
    void SetEnabled(bool Value);
    String Hint() const;
    void SetHint(const String& Value);
    bool ShowHint() const;
    void SetShowHint(bool Value);
    void SetVisible(bool Value) override;
    void SetLeft(Extended Value) override;
    void SetTop(Extended Value) override;
    void SetWidth(Extended Value) override;
    void SetHeight(Extended Value) override;
    void SetParent(TvrComponent* Value) override;
    void FontChanged() override;
    void SetParentFont(bool Value) override;
    void SetColor(TColor Value);
    String Text() const;
    void SetText(const String& Value);

    // Paints the control into a bitmap of its size on a button-face ground and draws that at
    // AbsLeft, AbsTop.
    void Draw(TCanvas* Canvas, Extended ScaleX, Extended ScaleY, Extended OffsetX, Extended OffsetY) override;
    bool IsFontStored() const { return !ParentFont(); }

protected:
    // A descendant makes its control; the base places it and keeps it in step.
    void SetControl(std::unique_ptr<TControl> Control);

private:
    void UpdateBounds();
    void UpdateParent();
    std::unique_ptr<TControl> FControl;
};
