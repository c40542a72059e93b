// Business codes of the registers: the statement that finds the highest code whose counter is
// made of digits (a code such as "A-01X" typed by hand is passed over instead of stopping every
// later numbering), and whether a code is taken by another row.
#pragma once

#include "rtl/Types.h"

// "select max(F_code) from <table> where ..." over the codes whose last `digits` characters are
// digits, or that are digits through and through (shorter ones).
String DigitCounterCodeSql(const String& table, int digits);
// The F_ID of the row of the table holding the code (0 when none), read on the connection inside
// the caller's transaction.
int RowWithCode(const String& table, const String& code);
