#include "grid/DBGridGxFilterEdit.h"

void TInplaceFilterEditGx::TextAreaRect(TRect& Rect) const {
    TDBComboBoxGx::TextAreaRect(Rect);
    Rect.Top += 1;
}

void TInplaceFilterEditGx::ShowKeyAndText(const Variant& KeyValue, const String& Text) {
    SetValue(KeyValue);
    TCustomEdit::SetText(Text);
}
