// The Jet dialect over SQLite: the one module that turns the program's statements, written for
// the Jet provider, into statements SQLite runs with the same meaning. The rule: a construct
// either gives Jet's answer or fails with a message naming it, never a silent wrong answer.
//
//   dates between "#" (#2026-03-01#, #3/1/2026 10:30#)  -> ISO text literals '2026-03-01'
//   True / False                                        -> -1 / 0 (Jet's Yes is -1; see below)
//   a & b & c                                           -> orv_concat(a, b, c) (Null counts as "")
//   a + b                                               -> orv_add(a, b): two texts join ('1' + '2'
//                                                          is "12"), a date plus a number is that
//                                                          many days later, numbers add, text
//                                                          beside a number reads as a number,
//                                                          Null when either is Null
//   a - b                                               -> orv_sub(a, b): date - date is the days
//                                                          between, date - n is a date, numbers
//   a / b, a \ b, a Mod b, a ^ b                        -> orv_div, orv_idiv, orv_mod, orv_pow:
//                                                          Jet's "Division by zero" and "Overflow"
//                                                          instead of Null or infinity; \ and Mod
//                                                          round their operands first
//   (the operators keep Jet's binding: ^, * /, \, Mod, + -, &, then comparisons; "*" stays SQLite's)
//   [bracketed name], "text"                            -> "bracketed name", 'text'
//   IIF Nz Format Val Len Left Right Mid InStr Year Month Day Date() Now() DateAdd DateDiff ...
//                                                       -> functions the connection registers;
//                                                          out-of-range results (CLng(1e30),
//                                                          DateAdd('m', 1e9, d), DateSerial(99999,
//                                                          1, 1), Val('1e99999')) raise "Overflow",
//                                                          Space/String beyond the longest text
//                                                          "Out of string space"
//   Format(x, 'Fixed' 'Standard' 'Percent' 'Currency' 'General Number' 'Scientific' 'Yes/No'
//          'True/False' 'On/Off' 'Short Date' 'Long Date' ...)
//                                                       -> the named format, before any pattern
//   a function's result compared (=, <>, <, >, IN, BETWEEN, LIKE)
//                                                       -> call COLLATE NOCASE: text compares
//                                                          without regard to case, as for columns
//   SELECT TOP n ... (no ORDER BY)                      -> SELECT ... LIMIT n
//   SELECT TOP n list FROM ... ORDER BY keys            -> SELECT * FROM (SELECT list, RANK() OVER
//                                                          (ORDER BY keys) AS "orv$rank" FROM ...)
//                                                          WHERE "orv$rank" <= n ORDER BY
//                                                          "orv$rank": the ties of the last row
//                                                          come too; the rank column is hidden
//                                                          from data sets (HiddenColumns), whose
//                                                          rows stay editable (the inner SELECT
//                                                          carries the rowid)
//   TOP with ORDER BY in a subquery, with DISTINCT, UNION or INTO; TOP n PERCENT
//                                                       -> refused ("... is not supported")
//   SELECT DISTINCTROW over one table                   -> the word is dropped (rows are distinct)
//   SELECT DISTINCTROW ... A JOIN B ...                 -> GROUP BY the rowid of each table left
//                                                          of the last JOIN: one row per row of
//                                                          those tables; FROM A, B refused
//   UPDATE (a LEFT JOIN b ON c) SET a.x = b.y WHERE w   -> UPDATE a SET x = (SELECT b.y FROM b
//                                                          WHERE c) WHERE w
//   SELECT list INTO t FROM ...                         -> the SELECT; the connection creates t with
//                                                          the source columns' types and the
//                                                          case-insensitive collation, fills it and
//                                                          reports the rows written (IntoTable)
//   LIKE 'a*b?'                                         -> LIKE 'a%b_' (only when the pattern has
//                                                          no "%" or "_" of its own)
//   LIKE '*' & :p & '*' (a pattern built from parts)    -> each literal part as above, the whole in
//                                                          orv_likewild(...): the "*" and "?" of a
//                                                          parameter's or column's value are
//                                                          wildcards too, as Jet takes them (they
//                                                          are part of the pattern)
//   DELETE * FROM t, DELETE t.* FROM t                  -> DELETE FROM t
//   TRANSFORM ... PIVOT                                 -> refused: "TRANSFORM is not supported."
//   text after the statement's ";"                      -> refused: "Characters found after end of
//                                                          SQL statement."
//   :name parameters                                    -> ?1, ?2 ... one number per name, names
//                                                          matched without regard to case
//   with the column kinds of the database (TranslateJetSql with a TJetColumnKindOf), arithmetic
//   where a CURRENCY column takes part stays exact money:
//   SUM(money)                                          -> orv_csum(money): the exact sum
//   money + n, money - n (n money, whole or a parameter)-> orv_cadd / orv_csub: exact
//   money * x, x * money (x any number, a quantity)     -> orv_cmul(money, x): x as it reads (its
//                                                          shortest decimal form), the product
//                                                          rounded once to the ten-thousandth, a
//                                                          tie to the even neighbour
//   (a result beyond what a money column holds raises "Overflow: ..."; the result columns that
//   hold money are named in MoneyColumns, an expression without an alias keeps its name)
//   CREATE TABLE / ALTER TABLE ... ADD column types     -> SQLite declarations the field layer
//                                                          maps back to field classes (below);
//                                                          the connection then installs the
//                                                          table's column rules (DefinedTable)
//
// Jet column types in CREATE TABLE map to these SQLite declarations:
//   TEXT(n) VARCHAR(n) CHAR(n)       VARCHAR(n) COLLATE NOCASE     string field of size n
//   MEMO LONGTEXT TEXT               LONGTEXT COLLATE NOCASE       memo field
//   LONG INTEGER INT                 INTEGER                       integer field
//   SHORT SMALLINT / BYTE            SMALLINT / TINYINT            small integer field
//   DOUBLE FLOAT NUMBER / SINGLE     DOUBLE / FLOAT                float field
//   CURRENCY MONEY                   CURRENCY                      currency (BCD) field
//   DECIMAL(p,s) NUMERIC(p,s)        DECIMAL(p,s)                  BCD field
//   DATETIME DATE TIME               DATETIME                      date-time field
//   YESNO BIT LOGICAL BOOLEAN        BOOLEAN                       boolean field
//   COUNTER AUTOINCREMENT IDENTITY   INTEGER PRIMARY KEY AUTOINCREMENT   auto-increment field
//   LONGBINARY OLEOBJECT BINARY      BLOB                          blob field
// Text columns compare without regard to case (COLLATE NOCASE), as Jet compares text.
//
// The column rules the connection keeps on each table (TSqliteDatabase::InstallColumnRules):
//   a text longer than a TEXT(n) column     refused: "The field is too small to accept ..."
//   text written into a date column         stored as a date when it reads as one ('2024-1-5',
//                                           '2024/01/06', a text parameter); refused with "Data
//                                           type mismatch in criteria expression." otherwise
//   any non-zero value in a yes/no column   stored as -1
//   a number in a CURRENCY column           stored as the nearest ten-thousandth (a whole amount
//                                           as an integer); an amount beyond what the column
//                                           holds exactly, or a text, is refused
//
// Yes/No: one representation, Jet's own. Yes is stored as -1 and No as 0; True is -1, a Boolean
// parameter binds as -1, and a column rule turns any other non-zero value written (1 from another
// program, Not of a comparison) into -1. So "= True", "= -1", "<> 0", "Not x" and IIF(x, ...)
// all agree on every row, and the statements the program sends (which compare yes/no columns
// with True, False and 0) select the rows they mean. "= 1" on a yes/no column finds nothing, as in
// Jet; the program compares 1 and -1 only on integer columns.
//
// `WHERE x IN ()` is valid and selects nothing. Dates are stored as "yyyy-mm-dd" or
// "yyyy-mm-dd hh:nn:ss".
#pragma once

#include "rtl/SysUtils.h"
#include "rtl/Types.h"

#include <functional>
#include <memory>
#include <vector>

ORV_DECLARE_EXCEPTION(EJetSqlError, Exception)

// What the translation learnt about a statement.
struct TJetStatement {
    String Sql;                     // the SQLite statement
    std::vector<String> ParamNames; // names of ?1, ?2 ... in order ("" for an unnamed "?")
    bool IsSelect = false;          // the statement returns rows
    // A plain SELECT over one table (no join, grouping, DISTINCT or union): its rows can be
    // written back to UpdateTable, located by rowid. RowIdSql is then the statement with the
    // table's rowid as an extra first column named "orv$rowid".
    String UpdateTable;
    String RowIdSql;
    // SELECT ... INTO: the table to create; Sql is then the SELECT alone (see the table above).
    String IntoTable;
    // CREATE TABLE / ALTER TABLE: the table, whose column rules the connection then installs.
    String DefinedTable;
    bool AltersTable = false; // ALTER TABLE: the rules give way while the columns change
    // Extra last columns the statement computes for itself (the rank of TOP n ... ORDER BY) that
    // a data set does not show.
    int HiddenColumns = 0;
    // CREATE, ALTER or DROP, or SELECT ... INTO: what the database knows of its tables changes.
    bool ChangesSchema = false;
    // The names of the result columns whose values are money (translated with column kinds).
    std::vector<String> MoneyColumns;
};

// Translates one Jet statement. Raises EJetSqlError for a construct the translation cannot give
// the same meaning (those refused above, a malformed date literal, an unclosed quote or bracket).
TJetStatement TranslateJetSql(const String& jetSql);
// Only the SQLite text.
String JetToSqlite(const String& jetSql);
// TranslateJetSql through a small cache keyed by the Jet text: a statement run again (an insert
// in a loop, a query reopened) is translated once. Errors are not cached.
std::shared_ptr<const TJetStatement> TranslateJetSqlCached(const String& jetSql);

// The most recently used translations by their Jet text.
class TJetTranslationCache {
public:
    static constexpr size_t kLimit = 128;
    // The translation of the text, now the most recently used; nullptr when there is none.
    std::shared_ptr<const TJetStatement> Find(const String& jetSql);
    // Keeps a translation, forgetting the least recently used beyond kLimit.
    void Add(const String& jetSql, std::shared_ptr<const TJetStatement> statement);
    void Clear() { FEntries.clear(); }

private:
    std::vector<std::pair<String, std::shared_ptr<const TJetStatement>>> FEntries;
};

// The name of the result column that carries the rowid in TJetStatement::RowIdSql.
inline constexpr const char* JetRowIdColumn = "orv$rowid";
// The name of the rank column of TOP n ... ORDER BY.
inline constexpr const char* JetRankColumn = "orv$rank";

// The field class a declared SQLite column type stands for (see the table above).
enum class TJetColumnKind {
    Unknown, // no declaration (an expression): decided from the values
    String,  // Size = the declared length
    WideString,
    Memo,
    Integer,
    SmallInt,
    LargeInt,
    Float,
    Currency,
    Bcd,
    Boolean,
    DateTime,
    Date,
    Time,
    Blob
};
TJetColumnKind JetColumnKindOf(const String& declaredType, int& size);

// The kind of a table's column as the database declares it; Unknown when there is no such table
// or column.
using TJetColumnKindOf = std::function<TJetColumnKind(const String& table, const String& column)>;
// TranslateJetSql with the money arithmetic of the table above.
TJetStatement TranslateJetSql(const String& jetSql, const TJetColumnKindOf& columnKind);

// A literal for a statement: text between single quotes with quotes doubled (QuotedStr), so a
// value never breaks or changes the statement it is put into.
String JetQuoted(const String& text);
// A date literal "#yyyy-mm-dd#" (with " hh:nn:ss" when the value has a time part).
String JetDateLiteral(TDateTime value);
