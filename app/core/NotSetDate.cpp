#include "app/core/NotSetDate.h"

#include "db/Field.h"
#include "gui/ComCtrls.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

namespace {

const String FirstSetDate = "1901-08-14";

bool IsDateField(const TField& field) {
    return field.DataType() == ftDate || field.DataType() == ftDateTime;
}

} // namespace

bool IsDateNotSet(const String& dateText) {
    return Trim(dateText) < FirstSetDate;
}

bool IsDateNotSet(const TField& field) {
    if (IsDateField(field))
        return field.IsNull() || IsDateNotSet(FormatDateTime("yyyy-MM-dd", field.AsDateTime()));
    return Trim(field.AsString()) == NotSetDateText;
}

void ShowNotSetDateEmpty(TField& field) {
    field.OnGetText = [](TField* sender, String& text, bool displayText) {
        (void)displayText;
        text = IsDateNotSet(*sender) ? String() : sender->AsString();
    };
}

void DateToPicker(TDateTimePicker& picker, const String& dateText) {
    if (IsDateNotSet(dateText)) {
        picker.SetDateTime(Now());
        picker.SetChecked(false);
    } else {
        picker.SetDateTime(StrToDateTime(Trim(dateText)));
        picker.SetChecked(true);
    }
}

String DateFromPicker(const TDateTimePicker& picker) {
    return picker.Checked() ? FormatDateTime("yyyy-MM-dd", picker.Date()) : NotSetDateText;
}
