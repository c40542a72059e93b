// The about box: the product and its version, the maker's web and e-mail addresses as links.
#pragma once

#include "gui/Forms.h"

class TLabel;
class TButton;

class TfrmAboutInfo : public TForm {
public:
    explicit TfrmAboutInfo(TComponent* AOwner);
    String ClassName() const override { return "TfrmAboutInfo"; }

    TLabel* lblProduct;
    TLabel* lblWeb;
    TLabel* lblEmail;
    TButton* btnOk;

protected:
    void DoShow() override;
};

// Creates the about box with the owner, shows it modally and frees it.
void ShowAboutBox(TComponent* owner);
