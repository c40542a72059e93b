#include "office/WorkbookWriter.h"

#include "office/OfficeLibraries.h"

#include "rtl/CodePage.h"
#include "rtl/FileUtils.h"
#include "rtl/Format.h"

struct TWorkbookWriter::TBook {
    lxw_workbook* Workbook = nullptr;
    lxw_worksheet* Sheet = nullptr;
    String TempFolder;
};

namespace {

[[noreturn]] void Fail(const String& what, lxw_error error) {
    throw EWorkbookError(what + ": " + XlsxWriterLibrary().lxw_strerror(error));
}

void Check(const String& what, lxw_error error) {
    if (error != LXW_NO_ERROR) Fail(what, error);
}

} // namespace

TWorkbookWriter::TWorkbookWriter(const String& fileName)
    : FBook(std::make_unique<TBook>()), FFileName(fileName) {
    // Rows go to a temporary file as they are completed (constant memory), in the program's
    // temporary folder rather than wherever the library would pick.
    FBook->TempFolder = GetTempDir();
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = FBook->TempFolder.data();
    options.use_zip64 = LXW_TRUE;
    FBook->Workbook = XlsxWriterLibrary().workbook_new_opt(fileName.c_str(), &options);
    if (!FBook->Workbook) throw EWorkbookError("Cannot create the workbook " + fileName);
}

TWorkbookWriter::~TWorkbookWriter() {
    if (FBook->Workbook) XlsxWriterLibrary().lxw_workbook_free(FBook->Workbook);
}

void TWorkbookWriter::CheckOpen() const {
    if (!FBook->Workbook) throw EWorkbookError("The workbook " + FFileName + " is closed");
}

void TWorkbookWriter::CheckCell(int row, int col) const {
    CheckOpen();
    if (!FBook->Sheet) throw EWorkbookError("The workbook has no sheet to write to");
    if (row < 0 || row >= LXW_ROW_MAX || col < 0 || col >= LXW_COL_MAX)
        throw EWorkbookError(Format("Cell (%d, %d) is outside a sheet", {row, col}));
}

void TWorkbookWriter::AddSheet(const String& name) {
    CheckOpen();
    Check("Sheet name \"" + name + "\"",
          XlsxWriterLibrary().workbook_validate_sheet_name(FBook->Workbook, name.c_str()));
    lxw_worksheet* sheet = XlsxWriterLibrary().workbook_add_worksheet(FBook->Workbook, name.c_str());
    if (!sheet) throw EWorkbookError("Cannot add the sheet \"" + name + "\"");
    FBook->Sheet = sheet;
}

String TWorkbookWriter::CellText(const String& text) {
    String cell = text;
    if (cell.find('\0') != String::npos) std::erase(cell, '\0');
    if (!IsValidUtf8(cell)) cell = SanitizeUtf8(cell);
    // A character takes at least one byte: only a text this long can have too many.
    if (cell.size() > static_cast<size_t>(WorkbookMaxCellChars) && Utf8Length(cell) > WorkbookMaxCellChars)
        cell = Utf8Copy(cell, 1, WorkbookMaxCellChars);
    return cell;
}

void TWorkbookWriter::WriteText(int row, int col, const String& text) {
    CheckCell(row, col);
    const String cell = CellText(text);
    Check(Format("Text cell (%d, %d)", {row, col}),
          XlsxWriterLibrary().worksheet_write_string(FBook->Sheet, static_cast<lxw_row_t>(row),
                                                     static_cast<lxw_col_t>(col), cell.c_str(), nullptr));
}

void* TWorkbookWriter::FormatFor(const String& numberFormat) {
    if (numberFormat.empty()) return nullptr;
    auto found = FFormats.find(numberFormat);
    if (found != FFormats.end()) return found->second;
    lxw_format* format = XlsxWriterLibrary().workbook_add_format(FBook->Workbook);
    if (!format) throw EWorkbookError("Cannot add the number format " + numberFormat);
    XlsxWriterLibrary().format_set_num_format(format, numberFormat.c_str());
    FFormats.emplace(numberFormat, format);
    return format;
}

void TWorkbookWriter::WriteNumber(int row, int col, double value, const String& numberFormat) {
    CheckCell(row, col);
    auto* format = static_cast<lxw_format*>(FormatFor(numberFormat));
    Check(Format("Number cell (%d, %d)", {row, col}),
          XlsxWriterLibrary().worksheet_write_number(FBook->Sheet, static_cast<lxw_row_t>(row),
                                                     static_cast<lxw_col_t>(col), value, format));
}

void TWorkbookWriter::WriteNumber(int row, int col, Currency value, const String& numberFormat) {
    WriteNumber(row, col, static_cast<double>(value.ToDouble()), numberFormat);
}

void TWorkbookWriter::SetColumnWidthPixels(int col, int pixels) {
    CheckCell(0, col);
    Check(Format("Width of column %d", {col}),
          XlsxWriterLibrary().worksheet_set_column_pixels(
              FBook->Sheet, static_cast<lxw_col_t>(col), static_cast<lxw_col_t>(col),
              static_cast<uint32_t>(pixels < 0 ? 0 : pixels), nullptr));
}

void TWorkbookWriter::Close() {
    CheckOpen();
    lxw_workbook* workbook = FBook->Workbook;
    FBook->Workbook = nullptr;
    FBook->Sheet = nullptr;
    FFormats.clear();
    // workbook_close frees the workbook whatever it returns.
    Check("Writing " + FFileName, XlsxWriterLibrary().workbook_close(workbook));
}

String TWorkbookWriter::SheetNameFor(const String& text) {
    String name;
    for (char c : text)
        name += String("[]:*?/\\").find(c) == String::npos ? c : '_';
    name = CellText(name);
    while (!name.empty() && name.front() == '\'')
        name.erase(0, 1);
    if (Utf8Length(name) > 31) name = Utf8Copy(name, 1, 31);
    while (!name.empty() && name.back() == '\'')
        name.pop_back();
    return name.empty() ? String("Sheet1") : name;
}
