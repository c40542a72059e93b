// The login dialog: the operator is chosen or typed, the password typed; a successful login sets
// the operator state, remembers the name in config.ini and applies the operator's rights to the
// main window. Mode 0 runs at start-up (cancelling or failing ends the program), mode 1 from the
// menu item 重新登录 (cancelling or failing keeps the previous operator).
#pragma once

#include "app/core/LoginCheck.h"

#include "gui/Forms.h"

#include <memory>

class TLabel;
class TEdit;
class TComboBox;
class TButton;

class TfrmOperLogin : public TForm {
public:
    explicit TfrmOperLogin(TComponent* AOwner);
    String ClassName() const override { return "TfrmOperLogin"; }

    TLabel* Label1;
    TLabel* Label2;
    TLabel* Label3;
    TComboBox* cbbOperName;
    TEdit* edtPassWord;
    TButton* btnOk;
    TButton* btnCancel;

    // 0 start-up, 1 re-login.
    int Mode = 0;
    // Fills the operator list and presets the last operator's name.
    void PrepareLogin();
    void btnOkClick();
    void btnCancelClick();

protected:
    // The remembered name shows selected, so a name typed over it replaces it.
    void DoShow() override;

private:
    TLoginCheck FCheck;
    bool FClosingByButton = false;
    void CloseWith(TModalResult result);
};

// Runs the login dialog in a mode (0 start-up, 1 re-login) and frees it.
// True when an operator logged in.
bool ShowLogin(int mode);
// ShowLogin in two steps: the dialog made ready (created, its operators filled, the last
// operator preset), then run and freed.
std::unique_ptr<TfrmOperLogin> PrepareLoginDialog(int mode);
bool RunLogin(std::unique_ptr<TfrmOperLogin> dialog);
// Sets the operator state after a successful password check (ApplyLogin). False, with the state
// unchanged, when the operator's estate scope cannot be read.
bool ApplyLogin(const String& typedName);
