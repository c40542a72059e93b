// The progress window a report shows while it prepares, prints or exports: a borderless window
// with a message, an optional bar and a Cancel button. The form that was active when it was made
// stays disabled until the window hides or goes.
#pragma once

#include "gui/Forms.h"

class TPanel;
class TLabel;
class TProgressBar;
class TButton;

class TvrProgress : public TForm {
    ORV_META(TvrProgress, TForm)
    explicit TvrProgress(TComponent* AOwner);
    ~TvrProgress() override;

    TPanel* Panel1;
    TLabel* LMessage;
    TProgressBar* Bar;
    TButton* CancelB;

    // Starts a new run: the bar's range 0 .. maximum at 0, the message, the bar and the Cancel
    // button shown as asked; shows the window (fully on the monitor of the form that was active)
    // and lets pending messages run.
    void StartProgress(int maximum, const String& message, bool showBar, bool showCancel);
    // One step, while the bar is inside its range.
    void StepProgress();

    int BarPosition() const { return FBarPosition; }
    // Shows the position on the bar, brings the window to the front and lets messages run.
    void SetBarPosition(int value);
    const String& MessageText() const { return FMessageText; }
    void SetMessageText(const String& value);
    bool CancelRequested() const { return FCancelRequested; }
    // Setting it closes the window; the Cancel button sets it.
    void SetCancelRequested(bool value);
    bool ShowBar() const { return FShowBar; }
    // The form disabled while the window shows (nullptr when none, or once it is freed).
    TCustomForm* DisabledForm() const { return FDisabledForm; }

    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    void DoHide() override;

private:
    void EnableDisabledForm();
    TCustomForm* FDisabledForm = nullptr;
    int FBarPosition = 0;
    String FMessageText;
    bool FCancelRequested = false;
    bool FShowBar = false;
};
