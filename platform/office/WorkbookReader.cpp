#include "office/WorkbookReader.h"

#include "office/OfficeLibraries.h"

#include "rtl/FileUtils.h"
#include "rtl/Format.h"


#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// The workbook as the child sends it: "K", then per sheet its name, rows, columns and cells
// (a flag byte, then the text); or "E" and the reason.
void PutNumber(String& out, size_t value) {
    const uint32_t n = static_cast<uint32_t>(value);
    out.append(reinterpret_cast<const char*>(&n), sizeof n);
}

void PutText(String& out, const String& text) {
    PutNumber(out, text.size());
    out += text;
}

String CellTextOf(const FreeXL_CellValue& value) {
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

// Reads the whole workbook through FreeXL into the form above (run in the child).
String ReadWorkbook(const String& fileName) {
    const TFreeXLLibrary& xl = FreeXLLibrary();
    const void* handle = nullptr;
    const int opened = xl.freexl_open(fileName.c_str(), &handle);
    if (opened != FREEXL_OK) {
        if (handle) xl.freexl_close(handle);
        return "E" + Reason(opened);
    }
    // FreeXL answers a string record of more than two continuations (a cell text beyond some
    // 16,400 characters) with success and no workbook.
    if (!handle) return "Ethe workbook is damaged or holds a text longer than the reader takes";
    String out = "K";
    unsigned int info = 0;
    unsigned int sheets = 0;
    if (xl.freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &info) != FREEXL_OK)
        out = "Ethe workbook is damaged";
    else if (info == FREEXL_BIFF_OBFUSCATED)
        out = "Eit is protected by a password";
    else if (xl.freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK)
        out = "Ethe workbook is damaged";
    for (unsigned int s = 0; out[0] == 'K' && s < sheets; ++s) {
        const char* name = nullptr;
        unsigned int rows = 0;
        unsigned short cols = 0;
        if (xl.freexl_get_worksheet_name(handle, static_cast<unsigned short>(s), &name) != FREEXL_OK ||
            xl.freexl_select_active_worksheet(handle, static_cast<unsigned short>(s)) != FREEXL_OK ||
            xl.freexl_worksheet_dimensions(handle, &rows, &cols) != FREEXL_OK) {
            out = "Ethe workbook is damaged";
            break;
        }
        PutText(out, name ? name : "");
        PutNumber(out, rows);
        PutNumber(out, cols);
        for (unsigned int r = 0; r < rows && out[0] == 'K'; ++r)
            for (unsigned short c = 0; c < cols; ++c) {
                FreeXL_CellValue value{};
                if (xl.freexl_get_cell_value(handle, r, c, &value) != FREEXL_OK) {
                    out = "Ethe cell " + IntToStr(r + 1) + "," + IntToStr(c + 1) + " is damaged";
                    break;
                }
                const String text = CellTextOf(value);
                out += text.empty() ? '\0' : '\1';
                if (!text.empty()) PutText(out, text);
            }
    }
    xl.freexl_close(handle);
    return out;
}

bool WriteAll(int fd, const String& data) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Runs ReadWorkbook in a child and collects what it sends. A crash, a failed fork or a child
// still at work after the timeout gives an "E" answer.
String ReadInChild(const String& fileName) {
    FreeXLLibrary(); // loaded here, not in the child
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return "Ecannot read the workbook (no pipe)";
    const pid_t child = fork();
    if (child < 0) {
        close(fds[0]);
        close(fds[1]);
        return "Ecannot read the workbook (no process)";
    }
    if (child == 0) {
        close(fds[0]);
        signal(SIGPIPE, SIG_IGN);
        const bool written = WriteAll(fds[1], ReadWorkbook(fileName));
        _exit(written ? 0 : 1);
    }
    close(fds[1]);
    String data;
    // What the child sends is about as large as the file: room for it saves copying it over.
    struct stat info {};
    if (::stat(fileName.c_str(), &info) == 0) data.reserve(static_cast<size_t>(info.st_size) * 2);
    char buffer[65536];
    bool timedOut = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(WorkbookReadTimeoutMs);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            timedOut = true;
            break;
        }
        pollfd waitFor{fds[0], POLLIN, 0};
        const int ready = poll(&waitFor, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) {
            timedOut = ready == 0;
            break;
        }
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        data.append(buffer, static_cast<size_t>(n));
    }
    close(fds[0]);
    if (timedOut) kill(child, SIGKILL);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (timedOut) return "Ethe workbook could not be read in time";
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || data.empty()) return "Ethe workbook is damaged";
    return data;
}

// Reads what ReadInChild collected; false when it is cut short.
class TWorkbookData {
public:
    explicit TWorkbookData(const String& data) : FData(data) {}
    bool Number(size_t& value) {
        uint32_t n = 0;
        if (FAt + sizeof n > FData.size()) return false;
        std::memcpy(&n, FData.data() + FAt, sizeof n);
        FAt += sizeof n;
        value = n;
        return true;
    }
    bool Text(String& text) {
        size_t length = 0;
        if (!Number(length) || FAt + length > FData.size()) return false;
        text.assign(FData, FAt, length);
        FAt += length;
        return true;
    }
    bool Byte(char& value) {
        if (FAt >= FData.size()) return false;
        value = FData[FAt++];
        return true;
    }
    bool AtEnd() const { return FAt == FData.size(); }
    size_t Position() const { return FAt; }
    // Passes over a text.
    bool Skip() {
        size_t length = 0;
        if (!Number(length) || FAt + length > FData.size()) return false;
        FAt += length;
        return true;
    }

private:
    const String& FData;
    size_t FAt = 1;
};

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
    const String cannot = "Cannot open the workbook " + fileName + ": ";
    if (fileName.empty() || !FileExists(fileName)) throw EWorkbookError(cannot + "the file does not exist");
    if (!HasWorkbookSignature(fileName)) throw EWorkbookError(cannot + "the file is not a workbook");
    FData = ReadInChild(fileName);
    if (FData[0] != 'K') throw EWorkbookError(cannot + FData.substr(1));
    if (FData.size() > UINT32_MAX) throw EWorkbookError(cannot + "the workbook is too large");
    TWorkbookData in(FData);
    while (!in.AtEnd()) {
        TSheet sheet;
        size_t rows = 0, cols = 0;
        if (!in.Text(sheet.Name) || !in.Number(rows) || !in.Number(cols))
            throw EWorkbookError(cannot + "the workbook is damaged");
        sheet.Rows = static_cast<int>(rows);
        sheet.Cols = static_cast<int>(cols);
        const size_t cells = rows * cols;
        sheet.At.assign(cells, 0);
        for (size_t i = 0; i < cells; ++i) {
            char flag = 0;
            if (!in.Byte(flag)) throw EWorkbookError(cannot + "the workbook is damaged");
            if (flag != '\1') continue;
            sheet.At[i] = static_cast<uint32_t>(in.Position());
            if (!in.Skip()) throw EWorkbookError(cannot + "the workbook is damaged");
        }
        FSheets.push_back(std::move(sheet));
    }
}

TWorkbookReader::~TWorkbookReader() = default;

int TWorkbookReader::SheetCount() const {
    return static_cast<int>(FSheets.size());
}

String TWorkbookReader::SheetName(int index) const {
    if (index < 0 || index >= SheetCount()) throw EWorkbookError("Sheet index out of range: " + IntToStr(index));
    return FSheets[static_cast<size_t>(index)].Name;
}

void TWorkbookReader::SelectSheet(int index) {
    if (index < 0 || index >= SheetCount()) throw EWorkbookError("Sheet index out of range: " + IntToStr(index));
    FSheet = &FSheets[static_cast<size_t>(index)];
    FRows = FSheet->Rows;
    FCols = FSheet->Cols;
}

String TWorkbookReader::CellText(int row, int col) const {
    if (CellEmpty(row, col)) return String();
    const uint32_t at = FSheet->At[static_cast<size_t>(row) * static_cast<size_t>(FCols) + static_cast<size_t>(col)];
    uint32_t length = 0;
    std::memcpy(&length, FData.data() + at, sizeof length);
    return FData.substr(at + sizeof length, length);
}

bool TWorkbookReader::CellEmpty(int row, int col) const {
    if (!FSheet || row < 0 || row >= FRows || col < 0 || col >= FCols) return true;
    return FSheet->At[static_cast<size_t>(row) * static_cast<size_t>(FCols) + static_cast<size_t>(col)] == 0;
}
