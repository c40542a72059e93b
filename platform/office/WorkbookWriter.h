// TWorkbookWriter: writes a spreadsheet workbook (.xlsx) that the desktop's spreadsheet program
// opens: sheets, text cells, number cells shown through a number format, and column widths.
//
//   TWorkbookWriter book(fileName);
//   book.AddSheet("房屋列表");
//   book.WriteText(0, 0, "房间编号");
//   book.WriteNumber(1, 1, 1234.5, "￥#,##0.00");   // a spreadsheet number format
//   book.Close();                                    // the file is complete only now
//
// Rows and columns count from 0. Cells of a sheet are written row by row: a row once left is
// complete (the writer keeps only the current row in memory, so a workbook of any size costs
// little memory). Every failure raises EWorkbookError with the reason; a writer destroyed before
// Close leaves no file behind.
#pragma once

#include "rtl/Currency.h"
#include "rtl/SysUtils.h"
#include "rtl/Types.h"

#include <map>
#include <memory>

ORV_DECLARE_EXCEPTION(EWorkbookError, Exception)

// The longest text a cell holds, in characters.
inline constexpr int WorkbookMaxCellChars = 32767;

class TWorkbookWriter {
public:
    explicit TWorkbookWriter(const String& fileName);
    ~TWorkbookWriter();
    TWorkbookWriter(const TWorkbookWriter&) = delete;
    TWorkbookWriter& operator=(const TWorkbookWriter&) = delete;

    // Adds a sheet and makes it the one the cells go to. The name must be a valid sheet name
    // (SheetNameFor makes one of any text).
    void AddSheet(const String& name);
    // A text cell. The text is taken as a cell can hold it: NUL characters are dropped, an
    // ill-formed UTF-8 sequence becomes U+FFFD, and a text beyond WorkbookMaxCellChars characters
    // is cut there.
    void WriteText(int row, int col, const String& text);
    // A number cell shown through a number format of the spreadsheet ("" for the general one).
    void WriteNumber(int row, int col, double value, const String& numberFormat = String());
    // Money: the amount's nearest binary number (what a cell stores), through the format.
    void WriteNumber(int row, int col, Currency value, const String& numberFormat = String());
    // Width of a column in pixels of the spreadsheet's default font.
    void SetColumnWidthPixels(int col, int pixels);
    // Writes the file; the writer takes no further cells.
    void Close();

    // A valid sheet name for any text: the characters a sheet name cannot hold ([ ] : * ? / \)
    // become "_", apostrophes at either end are dropped, the name is cut to 31 characters, and an
    // empty result is "Sheet1".
    static String SheetNameFor(const String& text);
    // The text as a cell holds it (see WriteText).
    static String CellText(const String& text);

private:
    struct TBook;
    void CheckOpen() const;
    void CheckCell(int row, int col) const;
    void* FormatFor(const String& numberFormat);
    std::unique_ptr<TBook> FBook;
    std::map<String, void*> FFormats;
    String FFileName;
};
