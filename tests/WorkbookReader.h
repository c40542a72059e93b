// Reads a written workbook back with an independent reader (python3-openpyxl): the sheet names,
// and every cell of the first sheet that holds a value, with its kind ("s" text, "n" number), its
// number format and its value. Texts travel from the reader as hexadecimal UTF-8, so any
// character comes back exactly.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

struct TReadCell {
    std::string Kind; // "s" or "n"
    std::string Format;
    std::string Text; // the value of a text cell
    double Number = 0;
};

struct TReadWorkbook {
    bool Ok = false;
    std::string Output; // what the reader printed, for failure messages
    std::vector<std::string> Sheets;
    int MaxRow = 0, MaxCol = 0; // of the first sheet
    std::map<std::pair<int, int>, TReadCell> Cells;
    std::map<int, double> Widths; // column -> width in characters

    const TReadCell* At(int row, int col) const {
        auto it = Cells.find({row, col});
        return it == Cells.end() ? nullptr : &it->second;
    }
    std::string TextAt(int row, int col) const {
        const TReadCell* cell = At(row, col);
        return cell && cell->Kind == "s" ? cell->Text : std::string();
    }
};

inline std::string WorkbookHexDecode(const std::string& hex) {
    std::string out;
    if (hex == "-") return out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out += static_cast<char>(std::strtol(hex.substr(i, 2).c_str(), nullptr, 16));
    return out;
}

// The Debian python3 (which has openpyxl) before whatever python3 comes first on the PATH.
inline const std::string& WorkbookPython() {
    static const std::string python = [] {
        for (const char* candidate : {"/usr/bin/python3", "python3"})
            if (std::system((std::string(candidate) + " -c 'import openpyxl' 2>/dev/null").c_str()) == 0)
                return std::string(candidate);
        return std::string("python3");
    }();
    return python;
}

inline TReadWorkbook ReadWorkbook(const std::string& file) {
    static const char* const script = R"PY(
import sys, openpyxl
from openpyxl.utils import column_index_from_string
def hx(s):
    return s.encode('utf-8').hex() or '-'
wb = openpyxl.load_workbook(sys.argv[1])
for ws in wb.worksheets:
    print('sheet', hx(ws.title))
ws = wb.worksheets[0]
print('size', ws.max_row, ws.max_column)
for row in ws.iter_rows():
    for c in row:
        if c.value is None:
            continue
        if isinstance(c.value, str):
            print('cell', c.row - 1, c.column - 1, 's', hx(c.number_format), hx(c.value))
        else:
            print('cell', c.row - 1, c.column - 1, 'n', hx(c.number_format), repr(float(c.value)))
for key, d in ws.column_dimensions.items():
    if d.width:
        for col in range(d.min or column_index_from_string(key), (d.max or column_index_from_string(key)) + 1):
            print('width', col - 1, d.width)
print('end')
)PY";
    TReadWorkbook book;
    const std::string scriptFile = file + ".read.py";
    if (FILE* f = std::fopen(scriptFile.c_str(), "w")) {
        std::fputs(script, f);
        std::fclose(f);
    }
    FILE* p = popen((WorkbookPython() + " '" + scriptFile + "' '" + file + "' 2>&1").c_str(), "r");
    if (!p) return book;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0)
        book.Output.append(buffer, n);
    pclose(p);
    std::remove(scriptFile.c_str());
    std::istringstream lines(book.Output);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream in(line);
        std::string what;
        in >> what;
        if (what == "sheet") {
            std::string hex;
            in >> hex;
            book.Sheets.push_back(WorkbookHexDecode(hex));
        } else if (what == "size") {
            in >> book.MaxRow >> book.MaxCol;
        } else if (what == "cell") {
            int row = 0, col = 0;
            TReadCell cell;
            std::string format, value;
            in >> row >> col >> cell.Kind >> format >> value;
            cell.Format = WorkbookHexDecode(format);
            if (cell.Kind == "s")
                cell.Text = WorkbookHexDecode(value);
            else
                cell.Number = std::strtod(value.c_str(), nullptr);
            book.Cells[{row, col}] = cell;
        } else if (what == "width") {
            int col = 0;
            double width = 0;
            in >> col >> width;
            book.Widths[col] = width;
        } else if (what == "end") {
            book.Ok = true;
        }
    }
    return book;
}
