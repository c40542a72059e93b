// Internal to platform/office: the workbook libraries, loaded the first time a workbook is
// written or read. Linked into the program they would be loaded (libxlsxwriter with its zip and
// cryptography libraries) at every start, before any workbook is touched.
#pragma once

#include <freexl.h>
#include <xlsxwriter.h>

// The functions of libxlsxwriter that the workbook writer calls, named as the library names them.
struct TXlsxWriterLibrary {
    decltype(&::workbook_new_opt) workbook_new_opt = nullptr;
    decltype(&::lxw_workbook_free) lxw_workbook_free = nullptr;
    decltype(&::workbook_validate_sheet_name) workbook_validate_sheet_name = nullptr;
    decltype(&::workbook_add_worksheet) workbook_add_worksheet = nullptr;
    decltype(&::workbook_add_format) workbook_add_format = nullptr;
    decltype(&::workbook_close) workbook_close = nullptr;
    decltype(&::format_set_num_format) format_set_num_format = nullptr;
    decltype(&::worksheet_write_string) worksheet_write_string = nullptr;
    decltype(&::worksheet_write_number) worksheet_write_number = nullptr;
    decltype(&::worksheet_set_column_pixels) worksheet_set_column_pixels = nullptr;
    decltype(&::lxw_strerror) lxw_strerror = nullptr;
};

// The functions of FreeXL that the workbook reader calls.
struct TFreeXLLibrary {
    decltype(&::freexl_open) freexl_open = nullptr;
    decltype(&::freexl_close) freexl_close = nullptr;
    decltype(&::freexl_get_info) freexl_get_info = nullptr;
    decltype(&::freexl_get_worksheet_name) freexl_get_worksheet_name = nullptr;
    decltype(&::freexl_select_active_worksheet) freexl_select_active_worksheet = nullptr;
    decltype(&::freexl_worksheet_dimensions) freexl_worksheet_dimensions = nullptr;
    decltype(&::freexl_get_cell_value) freexl_get_cell_value = nullptr;
};

// Each library, loaded on the first call and kept for the rest of the run; EWorkbookError when
// it is not installed.
const TXlsxWriterLibrary& XlsxWriterLibrary();
const TFreeXLLibrary& FreeXLLibrary();
