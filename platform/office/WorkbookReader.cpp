#include "office/WorkbookReader.h"

#include "rtl/FileUtils.h"
#include "rtl/Format.h"

#include <freexl.h>

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

String Reason(int code) {
    switch (code) {
    case FREEXL_FILE_NOT_FOUND:
        return "the file does not exist";
    case FREEXL_INSUFFICIENT_MEMORY:
        return "not enough memory";
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE:
        return "the file is not a workbook";
    default:
        return "the workbook is damaged (" + IntToStr(code) + ")";
    }
}

} // namespace

String WorkbookNumberText(double value) {
    if (!std::isfinite(value)) return String();
    // Whole numbers of up to 15 digits as integers (phone numbers, room codes).
    if (value == std::trunc(value) && std::fabs(value) < 1e15) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
        return buffer == String("-0") ? String("0") : String(buffer);
    }
    TFormatSettings fs = FormatSettings();
    fs.DecimalSeparator = '.';
    fs.ThousandSeparator = ',';
    return FloatToStr(value, fs);
}

bool TWorkbookReader::HasWorkbookSignature(const String& fileName) {
    static const unsigned char signature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    FILE* file = std::fopen(fileName.c_str(), "rb");
    if (!file) return false;
    unsigned char head[8] = {};
    const size_t read = std::fread(head, 1, sizeof head, file);
    std::fclose(file);
    return read == sizeof head && std::memcmp(head, signature, sizeof head) == 0;
}

TWorkbookReader::TWorkbookReader(const String& fileName) {
    if (fileName.empty() || !FileExists(fileName)) throw EWorkbookError("Cannot open the workbook " + fileName + ": the file does not exist");
    if (!HasWorkbookSignature(fileName))
        throw EWorkbookError("Cannot open the workbook " + fileName + ": the file is not a workbook");
    const void* handle = nullptr;
    const int opened = freexl_open(fileName.c_str(), &handle);
    if (opened != FREEXL_OK) {
        if (handle) freexl_close(handle);
        throw EWorkbookError("Cannot open the workbook " + fileName + ": " + Reason(opened));
    }
    // FreeXL answers a string record of more than two continuations (a cell text beyond some
    // 16,400 characters) with success and no workbook.
    if (!handle)
        throw EWorkbookError("Cannot open the workbook " + fileName +
                             ": the workbook is damaged or holds a text longer than the reader takes");
    FHandle = handle;
    try {
        unsigned int info = 0;
        if (freexl_get_info(FHandle, FREEXL_BIFF_PASSWORD, &info) != FREEXL_OK)
            throw EWorkbookError("Cannot open the workbook " + fileName + ": the workbook is damaged");
        if (info == FREEXL_BIFF_OBFUSCATED)
            throw EWorkbookError("Cannot open the workbook " + fileName + ": it is protected by a password");
        unsigned int sheets = 0;
        if (freexl_get_info(FHandle, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK)
            throw EWorkbookError("Cannot open the workbook " + fileName + ": the workbook is damaged");
        for (unsigned int i = 0; i < sheets; ++i) {
            const char* name = nullptr;
            if (freexl_get_worksheet_name(FHandle, static_cast<unsigned short>(i), &name) != FREEXL_OK)
                throw EWorkbookError("Cannot open the workbook " + fileName + ": the workbook is damaged");
            FSheets.emplace_back(name ? name : "");
        }
    } catch (...) {
        freexl_close(FHandle);
        FHandle = nullptr;
        throw;
    }
}

TWorkbookReader::~TWorkbookReader() {
    if (FHandle) freexl_close(FHandle);
}

int TWorkbookReader::SheetCount() const {
    return static_cast<int>(FSheets.size());
}

String TWorkbookReader::SheetName(int index) const {
    if (index < 0 || index >= SheetCount()) throw EWorkbookError("Sheet index out of range: " + IntToStr(index));
    return FSheets[static_cast<size_t>(index)];
}

void TWorkbookReader::SelectSheet(int index) {
    if (index < 0 || index >= SheetCount()) throw EWorkbookError("Sheet index out of range: " + IntToStr(index));
    FRows = FCols = 0;
    unsigned int rows = 0;
    unsigned short cols = 0;
    if (freexl_select_active_worksheet(FHandle, static_cast<unsigned short>(index)) != FREEXL_OK ||
        freexl_worksheet_dimensions(FHandle, &rows, &cols) != FREEXL_OK)
        throw EWorkbookError("The sheet " + FSheets[static_cast<size_t>(index)] + " is damaged");
    FRows = static_cast<int>(rows);
    FCols = cols;
}

String TWorkbookReader::CellText(int row, int col) const {
    if (row < 0 || row >= FRows || col < 0 || col >= FCols) return String();
    FreeXL_CellValue value{};
    if (freexl_get_cell_value(FHandle, static_cast<unsigned int>(row), static_cast<unsigned short>(col), &value) !=
        FREEXL_OK)
        throw EWorkbookError("The cell " + IntToStr(row + 1) + "," + IntToStr(col + 1) + " is damaged");
    switch (value.type) {
    case FREEXL_CELL_INT:
        return IntToStr(value.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return WorkbookNumberText(value.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        return value.value.text_value ? String(value.value.text_value) : String();
    default:
        return String();
    }
}

bool TWorkbookReader::CellEmpty(int row, int col) const {
    if (row < 0 || row >= FRows || col < 0 || col >= FCols) return true;
    FreeXL_CellValue value{};
    if (freexl_get_cell_value(FHandle, static_cast<unsigned int>(row), static_cast<unsigned short>(col), &value) !=
        FREEXL_OK)
        return true;
    if (value.type == FREEXL_CELL_NULL) return true;
    if (value.type == FREEXL_CELL_TEXT || value.type == FREEXL_CELL_SST_TEXT)
        return !value.value.text_value || !*value.value.text_value;
    return false;
}
