// The Jet dialect over SQLite: the one module that turns the program's statements, written for
// the Jet provider, into statements SQLite runs with the same meaning.
//
//   dates between "#" (#2026-03-01#, #3/1/2026 10:30#)  -> ISO text literals '2026-03-01'
//   True / False                                        -> 1 / 0 (yes/no columns hold 0 and 1)
//   a & b & c                                           -> orv_concat(a, b, c) (Null counts as "")
//   [bracketed name], "text"                            -> "bracketed name", 'text'
//   IIF Nz Format Val Len Left Right Mid InStr Year Month Day Date() Now() DateAdd DateDiff ...
//                                                       -> functions the connection registers
//   SELECT TOP n ...                                    -> SELECT ... LIMIT n
//   DISTINCTROW                                         -> dropped (one table: rows are distinct)
//   UPDATE (a LEFT JOIN b ON c) SET a.x = b.y WHERE w   -> UPDATE a SET x = (SELECT b.y FROM b
//                                                          WHERE c) WHERE w
//   SELECT list INTO t FROM ...                         -> CREATE TABLE t AS SELECT list FROM ...
//   LIKE 'a*b?'                                         -> LIKE 'a%b_' (only when the pattern has
//                                                          no "%" or "_" of its own)
//   x / y                                               -> x * 1.0 / y (division never truncates)
//   Mod                                                 -> %
//   :name parameters                                    -> ?1, ?2 ... one number per name, names
//                                                          matched without regard to case
//   CREATE TABLE / ALTER TABLE ... ADD column types     -> SQLite declarations the field layer
//                                                          maps back to field classes (below)
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
// `WHERE x IN ()` is valid and selects nothing. Text compared in a statement keeps Jet's case rule
// through the column's collation. Dates are stored as "yyyy-mm-dd" or "yyyy-mm-dd hh:nn:ss".
#pragma once

#include "rtl/SysUtils.h"
#include "rtl/Types.h"

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
    // Extra last columns the statement computes for itself (the rank of TOP n ... ORDER BY) that
    // a data set does not show.
    int HiddenColumns = 0;
};

// Translates one Jet statement. Raises EJetSqlError for a construct the translation cannot give
// the same meaning (TOP n PERCENT, a malformed date literal, an unclosed quote or bracket).
TJetStatement TranslateJetSql(const String& jetSql);
// Only the SQLite text.
String JetToSqlite(const String& jetSql);

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

// A literal for a statement: text between single quotes with quotes doubled (QuotedStr), so a
// value never breaks or changes the statement it is put into.
String JetQuoted(const String& text);
// A date literal "#yyyy-mm-dd#" (with " hh:nn:ss" when the value has a time part).
String JetDateLiteral(TDateTime value);
