// The subreport placeholder: its page reference and its look in the designer.
#include "report/vrClassSubreport.h"

#include "classes/MetaBuilder.h"

ORV_META_IMPL(TvrSubreport)
void TvrSubreport::DeclareMeta(meta::Class<TvrSubreport>& c) {
    c.Property("Page", &TvrSubreport::Page, &TvrSubreport::SetPage);
    c.Property("PrintOnParent", &TvrSubreport::PrintOnParent, &TvrSubreport::PrintOnParent).Default(false);
}

TvrSubreport::TvrSubreport(TComponent* AOwner) : TvrView(AOwner) {
    // The placeholder itself is never copied onto prepared pages.
    Flags.Exclude(ofPreviewCopy);
    Frame()->Typ = TvrFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
    TFont font;
    font.SetName("Tahoma");
    font.SetSize(8);
    font.SetCharset(DEFAULT_CHARSET);
    SetFont(&font);
    Color = 0xC0C0C0;
}

void TvrSubreport::SetPage(TvrReportPage* Value) {
    FPage = Value;
    if (Value) Value->FreeNotification(this);
}

void TvrSubreport::Notification(TComponent* AComponent, TOperation Operation) {
    TvrView::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPage) FPage = nullptr;
}
