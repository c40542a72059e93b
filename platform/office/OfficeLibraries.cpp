#include "office/OfficeLibraries.h"

#include "office/WorkbookWriter.h"

#include <dlfcn.h>
#include <initializer_list>
#include <memory>
#include <type_traits>

namespace {

// Opens the first of the library's names that loads; nullptr when none does.
void* OpenLibrary(std::initializer_list<const char*> names) {
    for (const char* name : names)
        if (void* library = dlopen(name, RTLD_NOW | RTLD_LOCAL)) return library;
    return nullptr;
}

// Binds each function by its name; false when one is missing (another version of the library).
class TBinder {
public:
    explicit TBinder(void* library) : FLibrary(library) {}
    template <typename F> void operator()(F& function, const char* name) {
        function = reinterpret_cast<std::remove_reference_t<F>>(dlsym(FLibrary, name));
        FComplete = FComplete && function;
    }
    bool Complete() const { return FComplete; }

private:
    void* FLibrary;
    bool FComplete = true;
};

std::unique_ptr<TXlsxWriterLibrary> LoadXlsxWriter() {
    void* library = OpenLibrary({"libxlsxwriter.so.4", "libxlsxwriter.so"});
    if (!library) return nullptr;
    auto lib = std::make_unique<TXlsxWriterLibrary>();
    TBinder bind(library);
    bind(lib->workbook_new_opt, "workbook_new_opt");
    bind(lib->lxw_workbook_free, "lxw_workbook_free");
    bind(lib->workbook_validate_sheet_name, "workbook_validate_sheet_name");
    bind(lib->workbook_add_worksheet, "workbook_add_worksheet");
    bind(lib->workbook_add_format, "workbook_add_format");
    bind(lib->workbook_close, "workbook_close");
    bind(lib->format_set_num_format, "format_set_num_format");
    bind(lib->worksheet_write_string, "worksheet_write_string");
    bind(lib->worksheet_write_number, "worksheet_write_number");
    bind(lib->worksheet_set_column_pixels, "worksheet_set_column_pixels");
    bind(lib->lxw_strerror, "lxw_strerror");
    return bind.Complete() ? std::move(lib) : nullptr;
}

std::unique_ptr<TFreeXLLibrary> LoadFreeXL() {
    void* library = OpenLibrary({"libfreexl.so.1", "libfreexl.so"});
    if (!library) return nullptr;
    auto lib = std::make_unique<TFreeXLLibrary>();
    TBinder bind(library);
    bind(lib->freexl_open, "freexl_open");
    bind(lib->freexl_close, "freexl_close");
    bind(lib->freexl_get_info, "freexl_get_info");
    bind(lib->freexl_get_worksheet_name, "freexl_get_worksheet_name");
    bind(lib->freexl_select_active_worksheet, "freexl_select_active_worksheet");
    bind(lib->freexl_worksheet_dimensions, "freexl_worksheet_dimensions");
    bind(lib->freexl_get_cell_value, "freexl_get_cell_value");
    return bind.Complete() ? std::move(lib) : nullptr;
}

} // namespace

const TXlsxWriterLibrary& XlsxWriterLibrary() {
    static const std::unique_ptr<TXlsxWriterLibrary> lib = LoadXlsxWriter();
    if (!lib) throw EWorkbookError("Cannot write workbooks: the library libxlsxwriter is not installed");
    return *lib;
}

const TFreeXLLibrary& FreeXLLibrary() {
    static const std::unique_ptr<TFreeXLLibrary> lib = LoadFreeXL();
    if (!lib) throw EWorkbookError("Cannot read workbooks: the library FreeXL is not installed");
    return *lib;
}
