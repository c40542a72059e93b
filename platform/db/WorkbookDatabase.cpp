#include "db/WorkbookDatabase.h"

#include "db/DB.h"
#include "db/SqliteDatabase.h"
#include "office/WorkbookReader.h"
#include "rtl/CodePage.h"
#include "rtl/FileUtils.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <set>

namespace {

const char* const kNotAWorkbook = "External table is not in the expected format.";

String SheetIdent(const String& name) {
    return AnsiQuotedStr(name, '"');
}

// The column names of a sheet from its first row.
std::vector<String> SheetColumnNames(const TWorkbookReader& book) {
    std::vector<String> names;
    std::set<String> taken; // upper-cased: names compare without regard to case
    const int cols = std::max(book.ColCount(), 1);
    for (int c = 0; c < cols; ++c) {
        String title = book.RowCount() > 0 ? Trim(book.CellText(0, c)) : String();
        title.erase(std::remove(title.begin(), title.end(), '\0'), title.end());
        if (title.empty() || taken.count(AnsiUpperCase(title))) title = "F" + IntToStr(c + 1);
        // A generated name may meet a title further right; count on until it is free.
        for (int n = c + 1; taken.count(AnsiUpperCase(title)); ++n)
            title = "F" + IntToStr(n + 1);
        taken.insert(AnsiUpperCase(title));
        names.push_back(title);
    }
    return names;
}

void LoadSheet(TSqliteDatabase& db, TWorkbookReader& book, int index, const String& table) {
    book.SelectSheet(index);
    const std::vector<String> names = SheetColumnNames(book);
    const int cols = static_cast<int>(names.size());
    // The cells first: a column's type depends on its longest text.
    std::vector<std::vector<Variant>> rows;
    std::vector<size_t> longest(names.size(), 0);
    for (int r = 1; r < book.RowCount(); ++r) {
        std::vector<Variant> row(names.size(), Null());
        for (int c = 0; c < book.ColCount() && c < cols; ++c) {
            if (book.CellEmpty(r, c)) continue;
            const String text = book.CellText(r, c);
            longest[static_cast<size_t>(c)] = std::max(longest[static_cast<size_t>(c)], static_cast<size_t>(Utf8Length(text)));
            row[static_cast<size_t>(c)] = Variant(text);
        }
        rows.push_back(std::move(row));
    }
    String create = "CREATE TABLE " + SheetIdent(table) + " (";
    String insert = "INSERT INTO " + SheetIdent(table) + " VALUES (";
    for (int c = 0; c < cols; ++c) {
        if (c > 0) {
            create += ", ";
            insert += ", ";
        }
        create += SheetIdent(names[static_cast<size_t>(c)]) +
                  (longest[static_cast<size_t>(c)] > 255 ? " LONGTEXT" : " VARCHAR(255)") + " COLLATE NOCASE";
        insert += "?";
    }
    db.ExecuteSql(create + ")");
    auto statement = db.Prepare(insert + ")");
    for (const std::vector<Variant>& row : rows) {
        statement->Reset();
        for (int c = 0; c < cols; ++c)
            statement->Bind(c + 1, row[static_cast<size_t>(c)]);
        while (statement->Step()) {
        }
    }
}

} // namespace

std::vector<String> LoadWorkbook(TSqliteDatabase& db, const String& fileName) {
    if (fileName.empty() || !FileExists(fileName)) throw EDatabaseError("Could not find file '" + fileName + "'.");
    std::vector<String> sheets;
    try {
        TWorkbookReader book(fileName);
        db.OpenMemory(fileName);
        db.BeginTransaction();
        std::set<String> taken;
        for (int s = 0; s < book.SheetCount(); ++s) {
            const String name = book.SheetName(s);
            // Two sheets cannot share a table; a repeated (or empty) name keeps the first.
            if (name.empty() || !taken.insert(AnsiUpperCase(name)).second) continue;
            LoadSheet(db, book, s, name);
            sheets.push_back(name);
        }
        db.CommitTransaction();
        db.ExecuteSql("PRAGMA query_only = 1");
    } catch (const EWorkbookError&) {
        db.Close();
        throw EDatabaseError(kNotAWorkbook);
    } catch (...) {
        db.Close();
        throw;
    }
    return sheets;
}
