// The question for the password of a layout file: a dialog with a masked edit, OK and Cancel.
#pragma once

#include "gui/Forms.h"

class TLabel;
class TImage;
class TEdit;
class TButton;

class TvrPasswordForm : public TForm {
    ORV_META(TvrPasswordForm, TForm)
    explicit TvrPasswordForm(TComponent* AOwner);

    TLabel* PasswordL;
    TImage* Image1;
    TEdit* PasswordE;
    TButton* OkB;
    TButton* CancelB;
};

// Asks for a password: true and the typed text when the user confirmed with OK.
bool vrAskPassword(String& typed);
