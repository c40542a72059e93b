// How the database keeps dates: ISO text "yyyy-mm-dd", with " hh:nn:ss" when there is a time
// part, so stored dates compare correctly both as text and as dates. These are the storage codec
// only; dates shown to the user go through the formatting module (rtl/Format.h).
#pragma once

#include "rtl/Types.h"

// "2026-03-01" or "2026-03-01 10:30:00"; the time is rounded to the second.
String DateTimeToStorage(TDateTime value);
// Reads "yyyy-mm-dd", "yyyy-m-d", "yyyy/mm/dd", each optionally followed by " " or "T" and
// "hh:nn" or "hh:nn:ss" (fractions of a second ignored), or a time alone "hh:nn[:ss]". Surrounding
// blanks are allowed. False for anything else or an impossible date.
bool StorageToDateTime(const char* text, size_t length, TDateTime& value);
inline bool StorageToDateTime(const String& text, TDateTime& value) {
    return StorageToDateTime(text.data(), text.size(), value);
}

// Calendar arithmetic on TDateTime (days since 1899-12-30, time as the fraction).
TDateTime StorageEncodeDate(int year, int month, int day);
void StorageDecodeDate(TDateTime value, int& year, int& month, int& day);
bool StorageIsValidDate(int year, int month, int day);
int StorageDaysInMonth(int year, int month);
// The current local date and time.
TDateTime StorageNow();
