// The cleaning and greening dialog ("保洁绿化资料"): one record of T_BJinfo. The code box is
// read-only (the next six-digit code is proposed; a code another record holds gives way to the
// next free one); a continuous add keeps the estate, takes today's date and starts at 区域.
#pragma once

#include "app/registers/EditDialog.h"

class TfrmBJinfoGL;
class TEdit;
class TComboBox;
class TMemo;
class TDateTimePicker;
class TGroupBox;
struct TSqlStatement;

class TfrmBJinfoEdit : public TEditDialog {
public:
    explicit TfrmBJinfoEdit(TfrmBJinfoGL* list);
    String ClassName() const override { return "TfrmBJinfoEdit"; }

    TGroupBox* GroupBox1;
    TEdit* edtCode;
    TComboBox* cbbArea;
    TEdit* edtFZRemp;
    TComboBox* cbbtype;
    TDateTimePicker* dtpDate;
    TMemo* YSmem;
    TMemo* Memo1;
    TComboBox* cbbXQname;

    void LoadEditorFields(bool fromList) override;

protected:
    int WriteRecord() override;
    TWinControl* FirstField() const override;

private:
    void SetParams(TSqlStatement& statement, const String& code);
};
