// The spreadsheet number format that shows a number as a display format of the program does.
#pragma once

#include "rtl/Types.h"

// Translates a display format of the formatting module (FormatFloat: sections split by ";", "0"
// and "#" digits, "." the decimal point, a "," anywhere groups thousands, "E+"/"E-" exponents,
// literals in '...' or "...", any other character shown as it is) into the spreadsheet's:
//   "￥,0.00##;-￥,0.00##" → "￥#,##0.00##;-￥#,##0.00##",  ",0.##" → "#,##0.##",
//   "0.##" → "0.##",  "￥,0." → "￥#,##0".
// Grouping becomes a "," inside the integer digits, a decimal point without decimals is dropped,
// quoted literals keep their quotes (as "..."), and ASCII characters the spreadsheet would read as
// codes (letters, %, @, *, _, ?, [, ], \) are escaped with "\". A blank format is "General".
// What has no exact equal comes out as the nearest format the spreadsheet accepts.
String ExcelNumberFormat(const String& displayFormat);
