// The splash window shown while the program starts: borderless, centred on the screen, with the
// product's title and one status line.
#pragma once

#include "gui/Forms.h"

class TLabel;
class TPanel;

class TfrmSplash : public TForm {
public:
    explicit TfrmSplash(TComponent* AOwner);
    String ClassName() const override { return "TfrmSplash"; }

    TLabel* lblTitle;
    TLabel* Label1;

    // Sets the status line and paints it at once.
    void SetStatus(const String& text);
};
