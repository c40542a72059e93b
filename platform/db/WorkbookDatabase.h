// A workbook read as a database: TADOConnection opens a connection string with "Extended
// Properties=Excel 8.0" (the Jet provider's workbook support) through LoadWorkbook, which reads
// an ".xls" workbook (office/WorkbookReader.h) into a database in memory:
//   - one table per sheet, named as the sheet, in workbook order;
//   - its columns named by the sheet's first row; a column whose title is empty, or repeats a
//     title to its left, is named "F" + its position (F1, F2 ...);
//   - one row per later row of the sheet (blank rows included, up to the sheet's last used row),
//     every cell as text (as the reader gives it), an empty cell Null; columns are text of up to
//     255 characters, or long text when a cell of the column is longer;
//   - a sheet without any cell is a table of one column F1 and no rows.
// The database is read-only once loaded. The file's signature, not its name, tells a workbook:
// anything else (a text file named ".xls", a newer workbook, a damaged or password-protected
// one) raises EDatabaseError "External table is not in the expected format.".
#pragma once

#include "rtl/Types.h"

#include <vector>

class TSqliteDatabase;

// Loads the workbook into db (opened here, in memory); returns the sheet names in workbook order.
std::vector<String> LoadWorkbook(TSqliteDatabase& db, const String& fileName);
