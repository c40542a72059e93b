// TWorkbookReader: reads a spreadsheet workbook of the older binary kind (".xls", Excel 97-2003)
// through FreeXL: its sheets in workbook order and their cells as text.
//
//   TWorkbookReader book(fileName);          // EWorkbookError: not a workbook, damaged, protected
//   for (int s = 0; s < book.SheetCount(); ++s) {
//       book.SelectSheet(s);
//       for (int r = 0; r < book.RowCount(); ++r)
//           use(book.CellText(r, 0));
//   }
//
// The workbook is read whole when it is opened, in a child process: FreeXL trusts the lengths a
// file states, so a damaged workbook can make it read beyond its buffers. A child that crashes,
// or does not finish within WorkbookReadTimeoutMs, only tells that the workbook is unreadable.
//
// Cells read as text: numbers with up to 15 significant digits ("101", "85.5", "13800138000"),
// dates as "yyyy-mm-dd", dates with a time as "yyyy-mm-dd hh:nn:ss", times as "hh:nn:ss", text as
// it stands; an empty cell reads as "" (CellEmpty tells it apart). Rows and columns count from 0.
#pragma once

#include "office/WorkbookWriter.h"
#include "rtl/Types.h"

#include <cstdint>
#include <memory>
#include <vector>

inline constexpr int WorkbookReadTimeoutMs = 60000;

class TWorkbookReader {
public:
    // Opens the workbook. EWorkbookError when the file is missing, is not a workbook of that kind
    // (its signature tells, not its name), is damaged or protected by a password.
    explicit TWorkbookReader(const String& fileName);
    ~TWorkbookReader();
    TWorkbookReader(const TWorkbookReader&) = delete;
    TWorkbookReader& operator=(const TWorkbookReader&) = delete;

    int SheetCount() const;
    String SheetName(int index) const;
    // Makes a sheet the one RowCount, ColCount and the cells read.
    void SelectSheet(int index);
    int RowCount() const { return FRows; }
    int ColCount() const { return FCols; }
    String CellText(int row, int col) const;
    bool CellEmpty(int row, int col) const;

    // True when the file starts with the signature of the binary workbook container.
    static bool HasWorkbookSignature(const String& fileName);

    struct TSheet {
        String Name;
        int Rows = 0;
        int Cols = 0;
        // Row by row, where the cell's text (its length, then its bytes) stands in FData; 0 for
        // an empty cell.
        std::vector<uint32_t> At;
    };

private:
    String FData; // the workbook as the reading process sent it
    std::vector<TSheet> FSheets;
    const TSheet* FSheet = nullptr;
    int FRows = 0;
    int FCols = 0;
};

// The text of a number cell: up to 15 significant digits, no exponent for the numbers a sheet of
// the office holds ("13800138000"), "." as the decimal point.
String WorkbookNumberText(double value);
