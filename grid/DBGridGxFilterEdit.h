// The editor the grid places over a filter cell: a combo box whose text sits one pixel lower, and
// which can hold a list key while it shows the text the user typed.
#pragma once

#include "grid/DBCtrlsGxCombo.h"

class TInplaceFilterEditGx : public TDBComboBoxGx {
public:
    explicit TInplaceFilterEditGx(TComponent* AOwner) : TDBComboBoxGx(AOwner) {}
    String ClassName() const override { return "TInplaceFilterEditGx"; }
    // The value becomes the key (selecting its item), the text shown the typed text.
    void ShowKeyAndText(const Variant& KeyValue, const String& Text);

protected:
    void TextAreaRect(TRect& Rect) const override;
};
