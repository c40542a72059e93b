// The export of what a grid shows into a workbook that the desktop's spreadsheet program opens.
#include "app/core/DataDm.h"

#include "app/core/NotSetDate.h"
#include "app/core/ShellRunMime.h"

#include "db/DataSet.h"
#include "db/Field.h"
#include "grid/DBGridGx.h"
#include "gui/Desktop.h"
#include "gui/Forms.h"
#include "office/ExcelNumberFormat.h"
#include "office/WorkbookWriter.h"
#include "rtl/DateUtils.h"
#include "rtl/FileUtils.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"

#include <vector>

namespace {

const String XlsxMimeType = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";

// What one grid column writes: its field (none when the data set lacks it) and, for a display
// format over a numeric field, the number format of its cells.
struct TExportColumn {
    TField* Field = nullptr;
    bool Number = false;
    String NumberFormat;
};

bool IsNumberField(const TField* field) {
    return dynamic_cast<const TNumericField*>(field) != nullptr;
}

bool IsMoneyField(const TField* field) {
    return field->DataType() == ftCurrency || field->DataType() == ftBCD;
}

std::vector<TExportColumn> ExportColumns(TDBGridGx* grid, TDataSet* data) {
    std::vector<TExportColumn> columns;
    for (int i = 0; i < grid->Columns()->Count(); ++i) {
        TColumnGx* column = grid->Columns()->ColumnAt(i);
        TExportColumn c;
        c.Field = data ? data->FindField(column->FieldName()) : nullptr;
        const String format = Trim(column->DisplayFormat());
        c.Number = c.Field && !format.empty() && IsNumberField(c.Field);
        if (c.Number) c.NumberFormat = ExcelNumberFormat(column->DisplayFormat());
        columns.push_back(c);
    }
    return columns;
}

void WriteRecord(TWorkbookWriter& book, int row, const std::vector<TExportColumn>& columns) {
    for (size_t j = 0; j < columns.size(); ++j) {
        const TExportColumn& c = columns[j];
        const int col = static_cast<int>(j);
        if (!c.Field || c.Field->IsNull() || IsDateNotSet(*c.Field)) continue;
        if (c.Number) {
            if (IsMoneyField(c.Field))
                book.WriteNumber(row, col, c.Field->AsCurrency(), c.NumberFormat);
            else
                book.WriteNumber(row, col, c.Field->AsFloat(), c.NumberFormat);
        } else {
            book.WriteText(row, col, c.Field->IsBlob() ? c.Field->AsString() : c.Field->Text());
        }
    }
}

// The title row, then a row per record from the first on, read with the controls disabled; the
// data set is left on its first record.
void WriteGridWorkbook(TDBGridGx* grid, const String& title, const String& fileName) {
    TWorkbookWriter book(fileName);
    book.AddSheet(TWorkbookWriter::SheetNameFor(title));
    for (int j = 0; j < grid->Columns()->Count(); ++j) {
        book.WriteText(0, j, grid->Columns()->ColumnAt(j)->Title()->Caption());
        book.SetColumnWidthPixels(j, grid->Columns()->ColumnAt(j)->Width());
    }
    TDataSet* data = grid->DataSource() ? grid->DataSource()->DataSet() : nullptr;
    if (data && data->Active()) {
        const std::vector<TExportColumn> columns = ExportColumns(grid, data);
        data->DisableControls();
        const TScopeExit enableControls([data] { data->EnableControls(); });
        int row = 1;
        for (data->First(); !data->Eof(); data->Next())
            WriteRecord(book, row++, columns);
        data->First();
    }
    book.Close();
}

// The title as a file name: no folder separators and no control characters.
String ExportFileName(const String& title) {
    String name = title;
    for (char& c : name)
        if (c == '/' || (static_cast<unsigned char>(c) < 0x20)) c = '_';
    // Two exports of one title in the same second (two windows, two copies of the program) each
    // get a file of their own: the name is taken by creating the file, "-2", "-3", ... after it.
    const String base = GetTempDir() + name + FormatDateTime("-yyyymmdd-hhnnss", Now());
    for (int n = 1; n < 1000; ++n) {
        const String candidate = base + (n > 1 ? "-" + IntToStr(n) : String()) + ".xlsx";
        if (CreateNewFile(candidate)) return candidate;
    }
    return base + ".xlsx";
}

void ShowExcelMissing() {
    Application()->MessageBox(MsgExcelMissing, "错误", MB_OK | MB_ICONERROR);
}

} // namespace

String TdmData::ExportGridToExcel(TDBGridGx* grid, const String& title, bool visible) {
    // The spreadsheet program stands in for the automation object: without one nothing is written.
    if (visible && DefaultDesktopProgram(XlsxMimeType).empty()) {
        ShowExcelMissing();
        return String();
    }
    const String fileName = ExportFileName(title);
    // The name was taken by an empty file: a failed write leaves nothing behind.
    bool written = false;
    const TScopeExit dropEmpty([&] {
        if (!written) DeleteFile(fileName);
    });
    WriteGridWorkbook(grid, title, fileName);
    written = true;
    if (visible && !ShellOpen(fileName)) ShowExcelMissing();
    return fileName;
}
