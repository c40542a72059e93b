// The password change of the logged-in operator (action 102, 更改用户密码): the old password as
// stored must be typed exactly; the new one and its repetition must be equal, exactly as typed,
// and are stored through SavePass as typed. The window closes after every "确定".
#pragma once

#include "gui/Forms.h"

class TButton;
class TEdit;
class TLabel;

inline const String MsgOldPasswordWrong = "旧口令输入错误，不能更改！";
inline const String MsgNewPasswordWrong = "新口令错误，不能更改！";
inline const String MsgPasswordChanged = "更改口令成功！";
// A password whose stored form would not fit OperList.F_PassWord.
inline const String MsgPasswordTooLong = "口令太长，不能更改！";

// The longest password (in bytes) whose stored form fits the 255 characters of F_PassWord.
inline constexpr int MaxPasswordBytes = 127;
// True when the stored form of the password fits F_PassWord.
bool PasswordFits(const String& clear);

class TfrmModPass : public TForm {
public:
    explicit TfrmModPass(TComponent* AOwner);
    String ClassName() const override { return "TfrmModPass"; }

    TLabel* lblOper;
    TEdit* edtOldPass;
    TEdit* edtNewPass;
    TEdit* edtAdjustPass;
    TButton* btnOk;
    TButton* btnCancel;

    // "确定(&O)": errors of the write reach the caller; the window closes in every case.
    void btnOkClick();

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;
};
