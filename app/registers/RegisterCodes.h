// Business codes of the registers: the statement that finds the highest code whose counter is
// made of digits (a code such as "A-01X" typed by hand is passed over instead of stopping every
// later numbering), and whether a code is taken by another row.
#pragma once

#include "app/core/DataDm.h"
#include "rtl/Types.h"

// "select max(F_code) from <table> where ..." over the codes whose last `digits` characters are
// digits, or that are digits through and through (shorter ones).
String DigitCounterCodeSql(const String& table, int digits);
// The F_ID of the row of the table holding the code (0 when none), read on the connection inside
// the caller's transaction.
int RowWithCode(const String& table, const String& code);

// The code an edited row (`id`) saves under: its own, unless another row of the table holds it,
// then the next free one.
String CodeForEdit(const String& table, int digits, const String& code, int id);
// Inserts through `insert` under the code or, when another row holds it, under the next free one,
// numbered in the same write transaction so that two stations never write one code. Returns the
// code written.
String InsertUnderFreeCode(const String& table, int digits, const String& code,
                           const TdmData::TCodeInsert& insert);
