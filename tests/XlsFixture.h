// ".xls" workbooks for the tests, written by python3-xlwt through tools/xls_workbook.py:
//
//   WriteXls(file, {{"房屋", {{XlsText("小区名称"), XlsText("建筑面积")},
//                             {XlsText("阳光小区"), XlsNumber(85.5)}}}});
//
// A cell is a text, a number, a date ("yyyy-mm-dd", shown in that format) or empty.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

struct TXlsCell {
    std::string Json = "null";
};

inline TXlsCell XlsText(const std::string& text) {
    std::string json = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += static_cast<char>(c);
        } else if (c < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
            json += buffer;
        } else {
            json += static_cast<char>(c);
        }
    }
    return {json + "\""};
}

inline TXlsCell XlsNumber(double value) {
    std::ostringstream out;
    out.precision(17);
    out << value;
    return {out.str()};
}

inline TXlsCell XlsDate(const std::string& date) {
    return {"{\"date\": \"" + date + "\"}"};
}

inline TXlsCell XlsEmpty() {
    return {};
}

using TXlsRow = std::vector<TXlsCell>;

struct TXlsSheet {
    std::string Name;
    std::vector<TXlsRow> Rows;
};

// The Debian python3, which has xlwt.
inline const char* XlsPython() {
    return "/usr/bin/python3";
}

// Writes the workbook; false when the writer failed (its output is then on stderr). With
// password the workbook is marked as protected by a password.
inline bool WriteXls(const std::string& file, const std::vector<TXlsSheet>& sheets, bool password = false) {
    std::string json = "{\"password\": " + std::string(password ? "true" : "false") + ", \"sheets\": [";
    for (size_t s = 0; s < sheets.size(); ++s) {
        if (s) json += ", ";
        json += "{\"name\": " + XlsText(sheets[s].Name).Json + ", \"rows\": [";
        for (size_t r = 0; r < sheets[s].Rows.size(); ++r) {
            if (r) json += ", ";
            json += "[";
            for (size_t c = 0; c < sheets[s].Rows[r].size(); ++c) {
                if (c) json += ", ";
                json += sheets[s].Rows[r][c].Json;
            }
            json += "]";
        }
        json += "]}";
    }
    json += "]}";
    const std::string spec = file + ".json";
    {
        std::ofstream out(spec, std::ios::binary | std::ios::trunc);
        out << json;
    }
    const std::string command = std::string(XlsPython()) + " " ORV_SOURCE_DIR "/tools/xls_workbook.py --json '" +
                                file + "' < '" + spec + "'";
    const int status = std::system(command.c_str());
    std::remove(spec.c_str());
    return status == 0;
}
