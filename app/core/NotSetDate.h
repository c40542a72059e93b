// The date that is not set. Dialogs write "1900-08-14" for a date the user left unticked; every
// reader takes a date before 1901-08-14 (and a Null date) as not set: lists show it empty, dialogs
// show today's date unticked, the Excel export leaves the cell empty.
#pragma once

#include "rtl/Types.h"

class TDateTimePicker;
class TField;

inline const String NotSetDateText = "1900-08-14";

// A date read back as text "yyyy-MM-dd": true when it sorts before "1901-08-14" (an empty text,
// which is how a Null date reads, included).
bool IsDateNotSet(const String& dateText);
// A field: a date field that is Null or before 1901-08-14; a field of another kind whose text,
// trimmed, is "1900-08-14".
bool IsDateNotSet(const TField& field);
// Lists: the field's text is empty for a date that is not set (its OnGetText).
void ShowNotSetDateEmpty(TField& field);
// Dialogs: the picker shows the stored date ticked, or today's date unticked when it is not set;
// and what the picker holds as the text to store ("yyyy-MM-dd", or "1900-08-14" when unticked).
void DateToPicker(TDateTimePicker& picker, const String& dateText);
String DateFromPicker(const TDateTimePicker& picker);
