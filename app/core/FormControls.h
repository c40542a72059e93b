// The boxes of the dialogs, each with its label to the left: text boxes, combo boxes
// filled from the option codes when they are entered, memos, number edits and date pickers; and
// money read from a number edit as Currency.
#pragma once

#include "rtl/Currency.h"
#include "rtl/Types.h"

class TComponent;
class TWinControl;
class TLabel;
class TBitBtn;
class TEdit;
class TComboBox;
class TMemo;
class TCheckBox;
class TKxCalcEdit;
class TCurrencyEdit;
class TCustomNumEdit;
class TDateTimePicker;

// The display format of the money edits with four decimal places (prices of spaces and parts).
inline const String PriceEditFormat = "￥,0.00##;-￥,0.00##";

// The width of the labels the boxes stand behind.
inline constexpr int DialogLabelWidth = 70;

TLabel* AddLabel(TComponent* owner, TWinControl* parent, const String& caption, int left, int top,
                 int width = DialogLabelWidth);
// A button of a picker's filter or button panel: 28 pixels high, left out of the tab order.
TBitBtn* AddPanelButton(TComponent* owner, TWinControl* parent, const String& name, const String& caption, int left,
                        int top, int width = 80);
TEdit* AddEdit(TComponent* owner, TWinControl* parent, const String& name, const String& caption, int left,
               int top, int width);
// fillSql: filled through FillCombo each time the box is entered ("" keeps its items).
TComboBox* AddCombo(TComponent* owner, TWinControl* parent, const String& name, const String& caption,
                    int left, int top, int width, const String& fillSql = String());
// The estate box of the dialogs: filled each time it is entered with the estates of the operator's
// scope ("select f_name from T_XQinfo where f_name <> '' " + XQNameScopeSQL), keeping its text.
TComboBox* AddEstateCombo(TComponent* owner, TWinControl* parent, const String& name, const String& caption,
                          int left, int top, int width);
TMemo* AddMemo(TComponent* owner, TWinControl* parent, const String& name, const String& caption, int left,
               int top, int width, int height);
TCheckBox* AddCheck(TComponent* owner, TWinControl* parent, const String& name, const String& caption,
                    int left, int top);
TKxCalcEdit* AddCalcEdit(TComponent* owner, TWinControl* parent, const String& name, const String& caption,
                         int left, int top, int width);
TCurrencyEdit* AddCurrencyEdit(TComponent* owner, TWinControl* parent, const String& name,
                               const String& caption, int left, int top, int width);
TDateTimePicker* AddDatePicker(TComponent* owner, TWinControl* parent, const String& name,
                               const String& caption, int left, int top, int width);

// A picker showing a date field of the list's row (today when the field is Null or not set), and
// the picker's date as the text the dialogs store ("yyyy-mm-dd").
void DateFieldToPicker(TDateTimePicker& picker, const class TField& field);
String PickerDateText(const TDateTimePicker& picker);

// The edit's value as money (rounded to the ten-thousandth).
Currency MoneyOf(TCustomNumEdit* edit);
