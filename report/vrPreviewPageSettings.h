// TvrPageSettingsForm: paper size, orientation and margins of one prepared page, shown in the
// unit the designer uses ("Units" of "Form4.TvrDesignerForm" in the report's settings: 0, 2 and
// 3 centimetres, 1 inches). OK checks all six numbers first and writes them only when every one
// is sound; otherwise the dialog stays open and names the field.
#pragma once

#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

class TvrReport;
class TvrReportPage;

class TvrPageSettingsForm : public TForm {
    ORV_META(TvrPageSettingsForm, TForm)
    explicit TvrPageSettingsForm(TComponent* AOwner);

    TButton *OKB = nullptr, *CancelB = nullptr;
    TGroupBox* SizeL = nullptr;
    TLabel *WidthL = nullptr, *HeightL = nullptr, *UnitL1 = nullptr, *UnitL2 = nullptr;
    TEdit *WidthE = nullptr, *HeightE = nullptr;
    TComboBox* SizeCB = nullptr;
    TGroupBox* OrientationL = nullptr;
    TImage *PortraitImg = nullptr, *LandscapeImg = nullptr;
    TRadioButton *PortraitRB = nullptr, *LandscapeRB = nullptr;
    TGroupBox* MarginsL = nullptr;
    TLabel *LeftL = nullptr, *TopL = nullptr, *RightL = nullptr, *BottomL = nullptr;
    TEdit *MarginLeftE = nullptr, *MarginTopE = nullptr, *MarginRightE = nullptr, *MarginBottomE = nullptr;
    TLabel *UnitL3 = nullptr, *UnitL4 = nullptr, *UnitL5 = nullptr, *UnitL6 = nullptr;
    TGroupBox* OtherL = nullptr;
    TRadioButton *ApplyToCurRB = nullptr, *ApplyToAllRB = nullptr;

    // The page edited and the report whose settings give the unit.
    TvrReportPage* Page = nullptr;
    TvrReport* Report = nullptr;
    Integer Units() const { return FUnits; }

    // Fills the controls from the page, shows the dialog, and after OK writes the page.
    int ShowModal() override;

    // The handlers, callable as the controls call them.
    void OrientationClick();
    void SizeChanged();
    void SizeTyped();
    // Checks the six numbers; on success closes with OK, else names the field and stays open.
    void OKClick();

    // A millimetre value in the dialog's unit, and back.
    String ToUnits(Extended mm) const;
    Extended FromUnits(const String& text) const;

private:
    void SetCaptions();
    void FillFromPage();
    void WritePage();
    Integer FUnits = 0;
    bool FUpdating = false;
    Extended FValues[6] = {};
};
