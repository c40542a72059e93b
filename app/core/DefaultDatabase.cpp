#include "app/core/DefaultDatabase.h"

#include "rtl/StrUtils.h"

std::vector<String> SplitSqlStatements(const String& text) {
    std::vector<String> statements;
    String current;
    char quote = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        // A line starting (after blanks) with "--" outside quotes is a comment.
        if (!quote) {
            size_t first = pos;
            while (first < text.size() && (text[first] == ' ' || text[first] == '\t'))
                ++first;
            if (text.compare(first, 2, "--") == 0) {
                size_t end = text.find('\n', first);
                pos = end == String::npos ? text.size() : end + 1;
                continue;
            }
        }
        size_t end = text.find('\n', pos);
        if (end == String::npos) end = text.size();
        for (size_t i = pos; i < end; ++i) {
            char c = text[i];
            if (quote) {
                if (c == quote) quote = 0; // a doubled quote closes and opens again
                current += c;
            } else if (c == '\'' || c == '"') {
                quote = c;
                current += c;
            } else if (c == ';') {
                String statement = Trim(current);
                if (!statement.empty()) statements.push_back(statement);
                current.clear();
            } else {
                current += c;
            }
        }
        if (end < text.size()) current += '\n';
        pos = end + 1;
    }
    String statement = Trim(current);
    if (!statement.empty()) statements.push_back(statement);
    return statements;
}

std::vector<String> DefaultDatabaseStatements() {
    return SplitSqlStatements(WuyeglSchemaText());
}

std::vector<String> DefaultDatabaseTables() {
    std::vector<String> tables;
    for (const String& statement : DefaultDatabaseStatements()) {
        if (!StartsText("CREATE TABLE ", statement)) continue;
        const String rest = TrimLeft(statement.substr(13));
        const size_t end = rest.find_first_of(" (\t\n");
        tables.push_back(rest.substr(0, end));
    }
    return tables;
}
