// The security patrol dialog ("保安巡逻资料"): one record of T_XLinfo with the date and the time of
// day of the event (the time kept to the second, "hh:nn:ss"). The next six-digit code is proposed
// and may be typed over while adding; a code another record holds gives way to the next free one.
#pragma once

#include "app/registers/EditDialog.h"

class TfrmXLinfoGL;
class TEdit;
class TComboBox;
class TMemo;
class TDateTimePicker;
class TGroupBox;
struct TSqlStatement;

class TfrmXLinfoEdit : public TEditDialog {
public:
    explicit TfrmXLinfoEdit(TfrmXLinfoGL* list);
    String ClassName() const override { return "TfrmXLinfoEdit"; }

    TGroupBox* GroupBox1;
    TEdit* edtCode;
    TEdit* edtDSRemp;
    TComboBox* cbbXLtype;
    TComboBox* cbbArea;
    TEdit* edtCLRemp;
    TDateTimePicker* dtpDate;
    TDateTimePicker* dtpTime;
    TEdit* edtCLmem;
    TMemo* Memo1;
    TComboBox* cbbXQname;

    void LoadEditorFields(bool fromList) override;
    void SetEditorMode(bool editMode) override;

protected:
    int WriteRecord() override;
    TWinControl* FirstField() const override;

private:
    void SetParams(TSqlStatement& statement, const String& code);
};
