// The published properties of the shared controls.
#include "classes/MetaBuilder.h"
#include "gui/Bitmap.h"
#include "report/vrCtrls.h"

ORV_META_IMPL(TvrScrollWin)
void TvrScrollWin::DeclareMeta(meta::Class<TvrScrollWin>&) {}

ORV_META_IMPL(TvrCustomComboBox)
void TvrCustomComboBox::DeclareMeta(meta::Class<TvrCustomComboBox>&) {}

ORV_META_IMPL(TvrComboBox)
void TvrComboBox::DeclareMeta(meta::Class<TvrComboBox>& c) {
    c.Property("ListWidth", &TvrComboBox::ListWidth, &TvrComboBox::SetListWidth).Default(0);
    c.Property("ReadOnly", &TvrComboBox::ReadOnly, &TvrComboBox::SetReadOnly).Default(false);
}

ORV_META_IMPL(TvrFontPreview)
void TvrFontPreview::DeclareMeta(meta::Class<TvrFontPreview>&) {}

ORV_META_IMPL(TvrFontComboBox)
void TvrFontComboBox::DeclareMeta(meta::Class<TvrFontComboBox>& c) {
    c.Property("ShowMRU", &TvrFontComboBox::ShowMRU, &TvrFontComboBox::SetShowMRU).Default(true);
    c.Property("MRURegKey", &TvrFontComboBox::MRURegKey, &TvrFontComboBox::SetMRURegKey);
}

ORV_META_IMPL(TvrComboEdit)
void TvrComboEdit::DeclareMeta(meta::Class<TvrComboEdit>& c) {
    c.Property("Glyph", &TvrComboEdit::Glyph, &TvrComboEdit::SetGlyph);
    c.Property("ButtonEnabled", &TvrComboEdit::ButtonEnabled, &TvrComboEdit::SetButtonEnabled).Default(true);
    c.Property("ButtonHint", &TvrComboEdit::ButtonHint, &TvrComboEdit::SetButtonHint);
    c.Event("OnButtonClick", &TvrComboEdit::OnButtonClick);
}
