// The subreport object: a placeholder in a band that makes the engine print another report page
// at its place.
#pragma once

#include "report/vrClassPage.h"
#include "report/vrClassView.h"

class TvrSubreport : public TvrView {
    ORV_META(TvrSubreport, TvrView)
    explicit TvrSubreport(TComponent* AOwner);

    TvrReportPage* Page() const { return FPage; }
    void SetPage(TvrReportPage* Value);
    bool PrintOnParent = false;
    String GetDescription() const override { return "obSubRep"; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TvrReportPage* FPage = nullptr;
};
