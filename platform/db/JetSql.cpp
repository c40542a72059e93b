// The Jet-to-SQLite translation: a tokenizer, then rewriting passes over the token list. Each
// token keeps the blanks that stood before it, so a translated statement reads like the original.
#include "db/JetSql.h"

#include "db/JetSqlTokens.h"

#include "db/DateStorage.h"
#include "rtl/StrUtils.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>

namespace jetsql {

bool IsIdentStart(unsigned char c) {
    return std::isalpha(c) || c == '_' || c >= 0x80;
}
bool IsIdentChar(unsigned char c) {
    return std::isalnum(c) || c == '_' || c == '$' || c >= 0x80;
}

bool Is(const TToken& t, const char* word) {
    return t.Kind == TTok::Ident && SameText(t.Text, word);
}
bool IsOp(const TToken& t, const char* op) {
    return t.Kind == TTok::Op && t.Text == op;
}

String DoubleQuoted(const String& name) {
    return AnsiQuotedStr(name, '"');
}

// "#...#" contents to the ISO storage form. Accepts y-m-d, y/m/d and m/d/y (the US order Jet
// reads when the year comes last), each with an optional time "h:n[:s]" and AM/PM.
String JetDateToIso(const String& raw) {
    String s = Trim(raw);
    String datePart = s, timePart;
    const size_t sp = s.find(' ');
    if (sp != String::npos) {
        datePart = s.substr(0, sp);
        timePart = Trim(s.substr(sp + 1));
    }
    auto fail = [&]() -> String {
        throw EJetSqlError("Syntax error in date in query expression '#" + raw + "#'.");
    };
    TDateTime value = 0;
    if (datePart.find(':') != String::npos && timePart.empty()) {
        timePart = datePart;
        datePart.clear();
    }
    if (!datePart.empty()) {
        std::vector<int> parts;
        String cur;
        for (char c : datePart + "/") {
            if (c == '-' || c == '/' || c == '.') {
                if (cur.empty() || cur.size() > 4) fail();
                parts.push_back(std::stoi(cur));
                cur.clear();
            } else if (std::isdigit(static_cast<unsigned char>(c)))
                cur += c;
            else
                fail();
        }
        if (parts.size() != 3) fail();
        int y, m, d;
        if (parts[0] > 31) {
            y = parts[0], m = parts[1], d = parts[2];
        } else {
            m = parts[0], d = parts[1], y = parts[2];
            if (y < 100) y += y < 30 ? 2000 : 1900;
        }
        if (!StorageIsValidDate(y, m, d)) fail();
        value = StorageEncodeDate(y, m, d);
    }
    if (!timePart.empty()) {
        String t = UpperCase(timePart);
        int pm = 0;
        if (EndsStr("PM", t)) pm = 1;
        if (EndsStr("AM", t) || pm) t = Trim(t.substr(0, t.size() - 2));
        TDateTime fraction = 0;
        if (!StorageToDateTime(t, fraction) || fraction >= 1) fail();
        long secs = std::lround(fraction * 86400.0);
        if (pm && secs < 12 * 3600) secs += 12 * 3600;
        if (!pm && EndsText("AM", timePart) && secs >= 12 * 3600) secs -= 12 * 3600;
        value += secs / 86400.0;
        if (datePart.empty()) value += 0; // a time alone is a time on 1899-12-30
    }
    if (datePart.empty()) {
        // Only a time: keep it as "hh:nn:ss".
        const long secs = std::lround(value * 86400.0);
        char buf[48];
        std::snprintf(buf, sizeof buf, "%02ld:%02ld:%02ld", secs / 3600, secs / 60 % 60, secs % 60);
        return buf;
    }
    return DateTimeToStorage(value);
}

TTokens Tokenize(const String& sql) {
    TTokens out;
    size_t i = 0;
    const size_t n = sql.size();
    String lead;
    auto push = [&](TTok kind, String text) {
        out.push_back({kind, std::move(text), lead});
        lead.clear();
    };
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(sql[i]);
        if (std::isspace(c)) {
            lead += sql[i++];
            continue;
        }
        if (IsIdentStart(c)) {
            size_t j = i + 1;
            while (j < n && IsIdentChar(static_cast<unsigned char>(sql[j])))
                ++j;
            push(TTok::Ident, sql.substr(i, j - i));
            i = j;
        } else if (std::isdigit(c) ||
                   (c == '.' && i + 1 < n && std::isdigit(static_cast<unsigned char>(sql[i + 1])))) {
            size_t j = i;
            while (j < n && (std::isdigit(static_cast<unsigned char>(sql[j])) || sql[j] == '.'))
                ++j;
            if (j < n && (sql[j] == 'e' || sql[j] == 'E')) {
                size_t k = j + 1;
                if (k < n && (sql[k] == '+' || sql[k] == '-')) ++k;
                if (k < n && std::isdigit(static_cast<unsigned char>(sql[k]))) {
                    j = k;
                    while (j < n && std::isdigit(static_cast<unsigned char>(sql[j])))
                        ++j;
                }
            }
            push(TTok::Num, sql.substr(i, j - i));
            i = j;
        } else if (c == '\'' || c == '"') {
            // A string literal; Jet takes "..." as text too. Doubled quotes stand for one.
            String value;
            size_t j = i + 1;
            bool closed = false;
            while (j < n) {
                if (sql[j] == static_cast<char>(c)) {
                    if (j + 1 < n && sql[j + 1] == static_cast<char>(c)) {
                        value += sql[j];
                        j += 2;
                        continue;
                    }
                    closed = true;
                    break;
                }
                value += sql[j++];
            }
            if (!closed) throw EJetSqlError("Syntax error in string in query expression.");
            push(TTok::Str, QuotedStr(value));
            i = j + 1;
        } else if (c == '[') {
            const size_t j = sql.find(']', i + 1);
            if (j == String::npos) throw EJetSqlError("Invalid bracketing of name '" + sql.substr(i) + "'.");
            push(TTok::QIdent, DoubleQuoted(sql.substr(i + 1, j - i - 1)));
            i = j + 1;
        } else if (c == '`') {
            const size_t j = sql.find('`', i + 1);
            if (j == String::npos) throw EJetSqlError("Invalid bracketing of name '" + sql.substr(i) + "'.");
            push(TTok::QIdent, DoubleQuoted(sql.substr(i + 1, j - i - 1)));
            i = j + 1;
        } else if (c == '#') {
            const size_t j = sql.find('#', i + 1);
            if (j == String::npos) throw EJetSqlError("Syntax error in date in query expression.");
            push(TTok::Date, QuotedStr(JetDateToIso(sql.substr(i + 1, j - i - 1))));
            i = j + 1;
        } else if ((c == ':' || c == '@') && i + 1 < n &&
                   IsIdentStart(static_cast<unsigned char>(sql[i + 1]))) {
            size_t j = i + 1;
            while (j < n && IsIdentChar(static_cast<unsigned char>(sql[j])))
                ++j;
            push(TTok::Param, sql.substr(i + 1, j - i - 1));
            i = j;
        } else if (c == '?') {
            push(TTok::Param, String());
            ++i;
        } else {
            static const char* twoChar[] = {"<>", "<=", ">=", "!=", "||", "=="};
            String op(1, static_cast<char>(c));
            if (i + 1 < n)
                for (const char* t : twoChar)
                    if (sql[i] == t[0] && sql[i + 1] == t[1]) op = t;
            push(TTok::Op, op);
            i += op.size();
        }
    }
    if (!lead.empty() && !out.empty()) {
        // Trailing blanks are dropped.
    }
    return out;
}

String Join(const TTokens& tokens, size_t from, size_t to) {
    String out;
    to = std::min(to, tokens.size());
    for (size_t i = from; i < to; ++i) {
        if (i > from || !out.empty()) out += tokens[i].Lead;
        out += tokens[i].Text;
    }
    return out;
}

TToken Make(TTok kind, const String& text, const String& lead) {
    return {kind, text, lead};
}

size_t MatchParen(const TTokens& t, size_t open) {
    int depth = 0;
    for (size_t i = open; i < t.size(); ++i) {
        if (IsOp(t[i], "(")) ++depth;
        if (IsOp(t[i], ")") && --depth == 0) return i;
    }
    return t.size();
}

// Jet functions and what SQLite calls them; the orv_ ones are registered by the connection.
const std::map<String, String>& FunctionMap() {
    static const std::map<String, String> map = {
        {"IIF", "iif"},
        {"NZ", "orv_nz"},
        {"FORMAT", "orv_format"},
        {"VAL", "orv_val"},
        {"LEN", "orv_len"},
        {"LEFT", "orv_left"},
        {"RIGHT", "orv_right"},
        {"MID", "orv_mid"},
        {"TRIM", "trim"},
        {"LTRIM", "ltrim"},
        {"RTRIM", "rtrim"},
        {"UCASE", "upper"},
        {"LCASE", "lower"},
        {"INSTR", "orv_instr"},
        {"YEAR", "orv_year"},
        {"MONTH", "orv_month"},
        {"DAY", "orv_day"},
        {"HOUR", "orv_hour"},
        {"MINUTE", "orv_minute"},
        {"SECOND", "orv_second"},
        {"WEEKDAY", "orv_weekday"},
        {"DATE", "orv_date"},
        {"NOW", "orv_now"},
        {"TIME", "orv_time"},
        {"DATEADD", "orv_dateadd"},
        {"DATEDIFF", "orv_datediff"},
        {"DATEPART", "orv_datepart"},
        {"DATESERIAL", "orv_dateserial"},
        {"DATEVALUE", "orv_cdate"},
        {"CDATE", "orv_cdate"},
        {"CSTR", "orv_cstr"},
        {"CDBL", "orv_cdbl"},
        {"CSNG", "orv_cdbl"},
        {"CCUR", "orv_ccur"},
        {"CLNG", "orv_clng"},
        {"CINT", "orv_cint"},
        {"CBOOL", "orv_cbool"},
        {"INT", "orv_int"},
        {"FIX", "orv_fix"},
        {"SGN", "orv_sgn"},
        {"ISNULL", "orv_isnull"},
        {"SPACE", "orv_space"},
        {"STRING", "orv_string"},
        {"ASC", "orv_asc"},
        {"CHR", "orv_chr"},
        {"STRCOMP", "orv_strcomp"},
        {"SQR", "orv_sqr"},
    };
    return map;
}

bool IsBoundaryWord(const TToken& t) {
    static const char* words[] = {"AND",  "OR",   "NOT",   "SELECT", "WHERE",  "SET",      "AS",    "ON",
                                  "WHEN", "THEN", "ELSE",  "CASE",   "END",    "LIKE",     "IS",    "BETWEEN",
                                  "IN",   "FROM", "BY",    "VALUES", "HAVING", "DISTINCT", "ORDER", "GROUP",
                                  "XOR",  "EQV",  "LIMIT", "ASC",    "DESC",   "INTO",     "UNION", "JOIN"};
    if (t.Kind != TTok::Ident) return false;
    for (const char* w : words)
        if (SameText(t.Text, w)) return true;
    return false;
}

bool IsBoundaryOp(const TToken& t) {
    if (t.Kind != TTok::Op) return false;
    static const char* ops[] = {",", "=", "<>", "<", ">", "<=", ">=", "!=", "==", ";"};
    for (const char* o : ops)
        if (t.Text == o) return true;
    return false;
}

String Unquoted(const TToken& t) {
    return t.Kind == TTok::QIdent ? AnsiDequotedStr(t.Text, '"') : t.Text;
}

// ---- passes --------------------------------------------------------------------------------------
// Words that are never an operand: where an expression starts or ends.
bool IsKeyword(const TToken& t) {
    static const char* words[] = {
        "TOP",         "PERCENT",   "ALL",   "ESCAPE", "EXISTS", "UPDATE",  "DELETE", "INSERT",    "LEFT",
        "RIGHT",       "INNER",     "OUTER", "CROSS",  "OFFSET", "COLLATE", "WITH",   "INTERSECT", "EXCEPT",
        "DISTINCTROW", "TRANSFORM", "PIVOT", "TABLE",  "INDEX",  "CREATE",  "DROP",   "ALTER",     "DEFAULT"};
    if (IsBoundaryWord(t)) return true;
    if (t.Kind != TTok::Ident) return false;
    for (const char* w : words)
        if (SameText(t.Text, w)) return true;
    return false;
}

// A token an operand can end with.
bool EndsOperand(const TToken& t) {
    switch (t.Kind) {
    case TTok::Num:
    case TTok::Str:
    case TTok::Date:
    case TTok::Param:
    case TTok::QIdent:
        return true;
    case TTok::Ident:
        return !IsKeyword(t);
    case TTok::Op:
        return t.Text == ")";
    }
    return false;
}

// The binding strength of an arithmetic operator at i (0 when it is none): ^ 6, * / 5, \ 4,
// Mod 3, binary + - 2. A "-" or "+" after an operator or at the start of an operand is a sign.
int Precedence(const TTokens& t, size_t i) {
    const TToken& tok = t[i];
    if (tok.Kind == TTok::Ident) return SameText(tok.Text, "MOD") ? 3 : 0;
    if (tok.Kind != TTok::Op) return 0;
    if (tok.Text == "^") return 6;
    if (tok.Text == "*" || tok.Text == "/") return 5;
    if (tok.Text == "\\") return 4;
    if (tok.Text == "+" || tok.Text == "-") return i > 0 && EndsOperand(t[i - 1]) ? 2 : 0;
    return 0;
}

bool IsSign(const TTokens& t, size_t i) {
    return (IsOp(t[i], "-") || IsOp(t[i], "+")) && Precedence(t, i) == 0;
}

// Index of the "(" that the ")" at close closes.
size_t MatchParenBack(const TTokens& t, size_t close) {
    int depth = 0;
    for (size_t i = close + 1; i-- > 0;) {
        if (IsOp(t[i], ")")) ++depth;
        if (IsOp(t[i], "(") && --depth == 0) return i;
    }
    throw EJetSqlError("Syntax error (missing operator) in query expression.");
}

// The operand that ends just before the operator at op, of an operator binding with strength p:
// its first index.
size_t LeftOperand(const TTokens& t, size_t op, int p) {
    size_t k = op;
    bool expectOperand = true;
    while (k > 0) {
        const size_t j = k - 1;
        const TToken& tok = t[j];
        if (expectOperand) {
            if (IsOp(tok, ")")) {
                k = MatchParenBack(t, j);
                if (k > 0 && t[k - 1].Kind == TTok::Ident && !IsKeyword(t[k - 1])) --k; // a function's name
            } else if (EndsOperand(tok)) {
                k = j;
                while (k >= 2 && IsOp(t[k - 1], ".") && EndsOperand(t[k - 2]))
                    k -= 2; // a qualified name
            } else
                break;
            expectOperand = false;
            continue;
        }
        if (IsSign(t, j)) {
            if (p == 6) break; // -a ^ 2 is -(a ^ 2)
            k = j;
            continue;
        }
        const int q = Precedence(t, j);
        if (q == 0 || q < p) break;
        k = j;
        expectOperand = true;
    }
    if (k == op)
        throw EJetSqlError("Syntax error (missing operand) in query expression '" + t[op].Text + "'.");
    return k;
}

// The operand that starts just after the operator at op: one past its last index.
size_t RightOperand(const TTokens& t, size_t op, int p) {
    size_t j = op + 1;
    bool expectOperand = true;
    while (j < t.size()) {
        const TToken& tok = t[j];
        if (expectOperand) {
            if (IsOp(tok, "-") || IsOp(tok, "+")) {
                ++j;
                continue;
            }
            if (IsOp(tok, "(")) {
                j = MatchParen(t, j) + 1;
            } else if (EndsOperand(tok)) {
                ++j;
                if (tok.Kind == TTok::Ident && j < t.size() && IsOp(t[j], "(")) j = MatchParen(t, j) + 1;
                while (j + 1 < t.size() && IsOp(t[j], ".") && EndsOperand(t[j + 1]))
                    j += 2;
            } else
                break;
            expectOperand = false;
            continue;
        }
        const int q = Precedence(t, j);
        if (q == 0 || q <= p) break;
        ++j;
        expectOperand = true;
    }
    if (expectOperand)
        throw EJetSqlError("Syntax error (missing operand) in query expression '" + t[op].Text + "'.");
    return std::min(j, t.size());
}

// Replaces the tokens [begin, end) by name(left, right), left = [begin, op), right = (op, end).
void MakeCall(TTokens& t, size_t begin, size_t op, size_t end, const char* name) {
    TTokens call{Make(TTok::Ident, name, t[begin].Lead), Make(TTok::Op, "(", "")};
    for (size_t m = begin; m < op; ++m) {
        call.push_back(t[m]);
        if (m == begin) call.back().Lead.clear();
    }
    call.push_back(Make(TTok::Op, ",", ""));
    for (size_t m = op + 1; m < end; ++m) {
        call.push_back(t[m]);
        if (m == op + 1) call.back().Lead = " ";
    }
    call.push_back(Make(TTok::Op, ")", ""));
    t.erase(t.begin() + static_cast<std::ptrdiff_t>(begin), t.begin() + static_cast<std::ptrdiff_t>(end));
    t.insert(t.begin() + static_cast<std::ptrdiff_t>(begin), call.begin(), call.end());
}

// Arithmetic with Jet's meaning: "+" joins two texts and adds to a date, "-" between dates counts
// days, "/" and "\" and Mod raise "Division by zero", "^" raises "Overflow". Each operator becomes a
// call of a function the connection registers, strongest binding first, left to right; "*" stays
// SQLite's own.
void RewriteArithmetic(TTokens& t) {
    if (!t.empty() && (Is(t[0], "CREATE") || Is(t[0], "ALTER") || Is(t[0], "DROP"))) return;
    struct TLevel {
        int P;
        const char* Op;
        const char* Fn;
    };
    static const TLevel levels[] = {{6, "^", "orv_pow"},   {5, "/", "orv_div"}, {4, "\\", "orv_idiv"},
                                    {3, "MOD", "orv_mod"}, {2, "+", "orv_add"}, {2, "-", "orv_sub"}};
    for (int p = 6; p >= 2; --p) {
        for (;;) {
            size_t op = t.size();
            const char* fn = nullptr;
            for (size_t i = 0; i < t.size() && !fn; ++i) {
                if (Precedence(t, i) != p || IsOp(t[i], "*")) continue;
                for (const TLevel& l : levels)
                    if (l.P == p &&
                        (t[i].Kind == TTok::Ident ? SameText(t[i].Text, l.Op) : t[i].Text == l.Op)) {
                        op = i;
                        fn = l.Fn;
                    }
            }
            if (!fn) break;
            const size_t begin = LeftOperand(t, op, p), end = RightOperand(t, op, p);
            MakeCall(t, begin, op, end, fn);
        }
    }
}

// True/False, Mod, "/", function names, DISTINCTROW.
void RewriteWords(TTokens& t) {
    for (size_t i = 0; i < t.size(); ++i) {
        TToken& tok = t[i];
        const bool afterDot = i > 0 && IsOp(t[i - 1], ".");
        const bool call = i + 1 < t.size() && IsOp(t[i + 1], "(");
        if (tok.Kind != TTok::Ident || afterDot) continue;
        const String up = UpperCase(tok.Text);
        if (!call && (up == "TRUE" || up == "FALSE")) {
            tok.Kind = TTok::Num;
            tok.Text = up == "TRUE" ? "-1" : "0";
        } else if (call) {
            const auto it = FunctionMap().find(up);
            if (it != FunctionMap().end()) tok.Text = it->second;
        }
    }
}

// Jet's wildcards "*" and "?" in a pattern literal to "%" and "_", when the literal has none of
// "%" and "_" (a pattern written with those is taken as it stands).
void TranslateWildcards(String& lit) {
    if (lit.find_first_of("%_") != String::npos) return;
    std::replace(lit.begin(), lit.end(), '*', '%');
    std::replace(lit.begin(), lit.end(), '?', '_');
}

void RewriteLikePatterns(TTokens& t) {
    for (size_t i = 0; i + 1 < t.size(); ++i)
        if (Is(t[i], "LIKE") && t[i + 1].Kind == TTok::Str) TranslateWildcards(t[i + 1].Text);
}

// The end of the SELECT that starts at i: an unmatched ")" or the end of the statement.
size_t SelectEnd(const TTokens& t, size_t i) {
    int depth = 0;
    size_t end = i + 1;
    for (; end < t.size(); ++end) {
        if (IsOp(t[end], "(")) ++depth;
        if (IsOp(t[end], ")") && depth-- == 0) break;
    }
    return end;
}

// The first token of the word at depth 0 in [from, to), or to.
size_t FindTopLevel(const TTokens& t, size_t from, size_t to, const char* word) {
    int depth = 0;
    for (size_t i = from; i < to; ++i) {
        if (IsOp(t[i], "(")) ++depth;
        if (IsOp(t[i], ")")) --depth;
        if (depth == 0 && Is(t[i], word)) return i;
    }
    return to;
}

// SELECT TOP n ... without ORDER BY -> SELECT ... LIMIT n (any n rows, as Jet gives).
// SELECT TOP n list FROM ... ORDER BY keys -> the rows ranked within the first n by the keys, so
// the ties of the last row come too, as Jet gives them:
//   SELECT * FROM (SELECT list, RANK() OVER (ORDER BY keys) AS "orv$rank" FROM ...)
//   WHERE "orv$rank" <= n ORDER BY "orv$rank"
// The rank is one extra last column that the data sets do not show (returns true then). A key
// naming a column alias of the list is replaced by the aliased expression.
bool RewriteTop(TTokens& t) {
    bool ranked = false;
    for (size_t i = 0; i < t.size(); ++i) {
        if (!Is(t[i], "SELECT")) continue;
        size_t k = i + 1;
        const bool distinct = k < t.size() && Is(t[k], "DISTINCT");
        if (k < t.size() && (Is(t[k], "DISTINCT") || Is(t[k], "ALL"))) ++k;
        if (k + 1 >= t.size() || !Is(t[k], "TOP") || t[k + 1].Kind != TTok::Num) continue;
        const String count = t[k + 1].Text;
        if (k + 2 < t.size() && Is(t[k + 2], "PERCENT"))
            throw EJetSqlError("TOP n PERCENT is not supported.");
        const String lead = t[k].Lead;
        t.erase(t.begin() + static_cast<std::ptrdiff_t>(k), t.begin() + static_cast<std::ptrdiff_t>(k + 2));
        if (k < t.size()) t[k].Lead = lead.empty() ? " " : lead;
        const size_t end = SelectEnd(t, i);
        const size_t order = FindTopLevel(t, k, end, "ORDER");
        if (order == end) {
            t.insert(t.begin() + static_cast<std::ptrdiff_t>(end), Make(TTok::Ident, "LIMIT"));
            t.insert(t.begin() + static_cast<std::ptrdiff_t>(end + 1), Make(TTok::Num, count));
            continue;
        }
        if (i != 0 || end != t.size())
            throw EJetSqlError("TOP with ORDER BY in a subquery is not supported.");
        if (distinct) throw EJetSqlError("TOP with DISTINCT and ORDER BY is not supported.");
        if (FindTopLevel(t, k, end, "UNION") != end) throw EJetSqlError("TOP with UNION is not supported.");
        const size_t from = FindTopLevel(t, k, end, "FROM");
        if (from > order) throw EJetSqlError("Syntax error in ORDER BY clause.");
        // The list's aliases: name -> the expression's tokens.
        std::vector<std::pair<String, TTokens>> aliases;
        {
            size_t itemStart = k;
            int depth = 0;
            for (size_t m = k; m <= from; ++m) {
                if (m < from && IsOp(t[m], "(")) ++depth;
                if (m < from && IsOp(t[m], ")")) --depth;
                if (m == from || (depth == 0 && IsOp(t[m], ","))) {
                    if (m >= itemStart + 3 && Is(t[m - 2], "AS"))
                        aliases.push_back(
                            {Unquoted(t[m - 1]), TTokens(t.begin() + static_cast<std::ptrdiff_t>(itemStart),
                                                         t.begin() + static_cast<std::ptrdiff_t>(m - 2))});
                    itemStart = m + 1;
                }
            }
        }
        size_t keysFrom = order + 1;
        if (keysFrom < end && Is(t[keysFrom], "BY")) ++keysFrom;
        TTokens keys;
        for (size_t m = keysFrom; m < end; ++m) {
            const bool bare =
                (t[m].Kind == TTok::Ident || t[m].Kind == TTok::QIdent) &&
                (m == keysFrom || IsOp(t[m - 1], ",")) &&
                (m + 1 == end || IsOp(t[m + 1], ",") || Is(t[m + 1], "ASC") || Is(t[m + 1], "DESC"));
            const std::pair<String, TTokens>* alias = nullptr;
            for (const auto& a : aliases)
                if (bare && SameText(a.first, Unquoted(t[m]))) alias = &a;
            if (alias) {
                keys.push_back(Make(TTok::Op, "(", t[m].Lead));
                keys.insert(keys.end(), alias->second.begin(), alias->second.end());
                keys.push_back(Make(TTok::Op, ")", ""));
            } else
                keys.push_back(t[m]);
        }
        TTokens out{Make(TTok::Ident, "SELECT", t[0].Lead), Make(TTok::Op, "*"), Make(TTok::Ident, "FROM"),
                    Make(TTok::Op, "(")};
        out.insert(out.end(), t.begin(), t.begin() + static_cast<std::ptrdiff_t>(from));
        out.front().Lead = t[0].Lead;
        out[4].Lead = "";
        TTokens rank{Make(TTok::Op, ",", ""),        Make(TTok::Ident, "RANK"), Make(TTok::Op, "(", ""),
                     Make(TTok::Op, ")", ""),        Make(TTok::Ident, "OVER"), Make(TTok::Op, "("),
                     Make(TTok::Ident, "ORDER", ""), Make(TTok::Ident, "BY")};
        out.insert(out.end(), rank.begin(), rank.end());
        out.insert(out.end(), keys.begin(), keys.end());
        TTokens tail{Make(TTok::Op, ")", ""), Make(TTok::Ident, "AS"),
                     Make(TTok::QIdent, DoubleQuoted(JetRankColumn))};
        out.insert(out.end(), tail.begin(), tail.end());
        out.insert(out.end(), t.begin() + static_cast<std::ptrdiff_t>(from),
                   t.begin() + static_cast<std::ptrdiff_t>(order));
        TTokens outer{Make(TTok::Op, ")", ""),
                      Make(TTok::Ident, "WHERE"),
                      Make(TTok::QIdent, DoubleQuoted(JetRankColumn)),
                      Make(TTok::Op, "<="),
                      Make(TTok::Num, count),
                      Make(TTok::Ident, "ORDER"),
                      Make(TTok::Ident, "BY"),
                      Make(TTok::QIdent, DoubleQuoted(JetRankColumn))};
        out.insert(out.end(), outer.begin(), outer.end());
        t = std::move(out);
        ranked = true;
        break;
    }
    return ranked;
}

// SELECT DISTINCTROW keeps one row per distinct row of the tables on the left side of the join:
//   one table                     -> the word is dropped (its rows are distinct already)
//   A JOIN B ... / (A JOIN B) JOIN C ...
//                                 -> GROUP BY the rowid of each table before the last JOIN
//   grouped already               -> dropped (each group is one row)
//   FROM A, B without JOIN        -> refused
void RewriteDistinctRow(TTokens& t) {
    if (t.size() < 2 || !Is(t[0], "SELECT") || !Is(t[1], "DISTINCTROW")) return;
    const String lead = t[1].Lead;
    t.erase(t.begin() + 1);
    if (t.size() > 1) t[1].Lead = lead.empty() ? " " : lead;
    const size_t end = SelectEnd(t, 0);
    const size_t from = FindTopLevel(t, 1, end, "FROM");
    if (from == end || FindTopLevel(t, from, end, "GROUP") != end) return;
    size_t stop = end;
    for (const char* w : {"WHERE", "HAVING", "ORDER", "UNION"})
        stop = std::min(stop, FindTopLevel(t, from, end, w));
    size_t lastJoin = stop;
    bool comma = false;
    for (size_t m = from + 1; m < stop; ++m) {
        if (Is(t[m], "JOIN")) lastJoin = m;
        if (IsOp(t[m], ",")) comma = true;
    }
    if (lastJoin == stop) {
        if (comma) throw EJetSqlError("DISTINCTROW over tables listed without JOIN is not supported.");
        return;
    }
    // The tables (by alias when they have one) left of the last JOIN.
    std::vector<String> names;
    for (size_t m = from + 1; m < lastJoin; ++m) {
        const TToken& p = t[m - 1];
        if (!(Is(p, "FROM") || Is(p, "JOIN") || IsOp(p, "(")) ||
            !(t[m].Kind == TTok::Ident || t[m].Kind == TTok::QIdent))
            continue;
        size_t n = m + 1;
        if (n < lastJoin && Is(t[n], "AS")) ++n;
        if (n < lastJoin && (t[n].Kind == TTok::QIdent || (t[n].Kind == TTok::Ident && !IsKeyword(t[n]))))
            names.push_back(t[n].Text);
        else
            names.push_back(t[m].Text);
    }
    if (names.empty()) throw EJetSqlError("DISTINCTROW with this FROM clause is not supported.");
    size_t at = std::min(FindTopLevel(t, from, end, "HAVING"), FindTopLevel(t, from, end, "ORDER"));
    TTokens group{Make(TTok::Ident, "GROUP"), Make(TTok::Ident, "BY")};
    for (size_t n = 0; n < names.size(); ++n) {
        if (n) group.push_back(Make(TTok::Op, ",", ""));
        group.push_back(Make(TTok::Ident, names[n]));
        group.push_back(Make(TTok::Op, ".", ""));
        group.push_back(Make(TTok::Ident, "rowid", ""));
    }
    t.insert(t.begin() + static_cast<std::ptrdiff_t>(at), group.begin(), group.end());
}

// LIKE with a pattern built from several parts (LIKE '*' & :p & '*'): the wildcards of every
// literal part are translated as in a lone literal, and the whole pattern goes through
// orv_likewild, which also takes the "*" and "?" of a parameter's or column's value as wildcards,
// as Jet does (they are part of the pattern).
void RewriteLikeExpressions(TTokens& t) {
    for (size_t i = 0; i + 1 < t.size(); ++i) {
        if (!Is(t[i], "LIKE")) continue;
        if (t[i + 1].Kind == TTok::Str && (i + 2 == t.size() || !IsOp(t[i + 2], "("))) {
            const size_t after = i + 2;
            if (after == t.size() || Precedence(t, after) == 0) continue; // a lone literal, done already
        }
        const size_t end = RightOperand(t, i, 1);
        for (size_t m = i + 1; m < end; ++m)
            if (t[m].Kind == TTok::Str) TranslateWildcards(t[m].Text);
        t.insert(t.begin() + static_cast<std::ptrdiff_t>(end), Make(TTok::Op, ")", ""));
        t.insert(t.begin() + static_cast<std::ptrdiff_t>(i + 1), Make(TTok::Op, "(", ""));
        t.insert(t.begin() + static_cast<std::ptrdiff_t>(i + 1),
                 Make(TTok::Ident, "orv_likewild", t[i + 2].Lead));
        t[i + 3].Lead.clear();
    }
}

// Text comparison ignores case also for the result of a function or an expression
// (Trim(F_XQname) = 'a', F_XQname & '' = 'a'): a call compared with something gets COLLATE NOCASE.
// Columns carry the collation themselves.
void CollateComparedCalls(TTokens& t) {
    auto isComparison = [&](size_t i) {
        if (i >= t.size()) return false;
        if (t[i].Kind == TTok::Op) {
            for (const char* o : {"=", "<>", "<", ">", "<=", ">=", "!=", "=="})
                if (t[i].Text == o) return true;
            return false;
        }
        return Is(t[i], "IN") || Is(t[i], "BETWEEN") || Is(t[i], "LIKE") ||
               (Is(t[i], "NOT") && i + 1 < t.size() &&
                (Is(t[i + 1], "IN") || Is(t[i + 1], "BETWEEN") || Is(t[i + 1], "LIKE")));
    };
    for (size_t i = 0; i + 1 < t.size(); ++i) {
        if (t[i].Kind != TTok::Ident || !IsOp(t[i + 1], "(") || IsKeyword(t[i])) continue;
        if (i > 0 && IsOp(t[i - 1], ".")) continue;
        const size_t close = MatchParen(t, i + 1);
        if (close >= t.size()) continue;
        const bool before = i > 0 && isComparison(i - 1) && !Is(t[i - 1], "IN") && !Is(t[i - 1], "BETWEEN");
        if (!isComparison(close + 1) && !before) continue;
        // Compared with a number: no text is compared, and a column's index stays usable.
        const bool withNumber = before ? i >= 2 && t[i - 2].Kind == TTok::Num
                                       : close + 2 < t.size() && t[close + 2].Kind == TTok::Num;
        if (withNumber) continue;
        if (close + 1 < t.size() && Is(t[close + 1], "COLLATE")) continue;
        t.insert(t.begin() + static_cast<std::ptrdiff_t>(close + 1),
                 {Make(TTok::Ident, "COLLATE"), Make(TTok::Ident, "NOCASE")});
    }
}

// a & b & c -> orv_concat(a, b, c). Operands reach to the nearest boundary at their own depth:
// comparison, comma, a keyword, or an unmatched parenthesis.
void RewriteConcat(TTokens& t) {
    for (;;) {
        size_t amp = t.size();
        for (size_t i = 0; i < t.size(); ++i)
            if (IsOp(t[i], "&")) {
                amp = i;
                break;
            }
        if (amp == t.size()) return;
        // Left operand.
        size_t begin = amp;
        int depth = 0;
        while (begin > 0) {
            const TToken& p = t[begin - 1];
            if (IsOp(p, ")"))
                ++depth;
            else if (IsOp(p, "(")) {
                if (depth == 0) break;
                --depth;
            } else if (depth == 0 && (IsBoundaryOp(p) || IsBoundaryWord(p)))
                break;
            --begin;
        }
        // The chain of operands to the right.
        std::vector<std::pair<size_t, size_t>> operands{{begin, amp}};
        size_t pos = amp;
        for (;;) {
            size_t j = pos + 1;
            depth = 0;
            while (j < t.size()) {
                const TToken& p = t[j];
                if (IsOp(p, "("))
                    ++depth;
                else if (IsOp(p, ")")) {
                    if (depth == 0) break;
                    --depth;
                } else if (depth == 0 && (IsBoundaryOp(p) || IsBoundaryWord(p) || IsOp(p, "&")))
                    break;
                ++j;
            }
            if (j == pos + 1) throw EJetSqlError("Syntax error in query expression: '&' without an operand.");
            operands.push_back({pos + 1, j});
            if (j < t.size() && IsOp(t[j], "&")) {
                pos = j;
                continue;
            }
            break;
        }
        if (operands.front().first == operands.front().second)
            throw EJetSqlError("Syntax error in query expression: '&' without an operand.");
        TTokens call;
        call.push_back(Make(TTok::Ident, "orv_concat", t[begin].Lead));
        call.push_back(Make(TTok::Op, "(", ""));
        for (size_t k = 0; k < operands.size(); ++k) {
            if (k) call.push_back(Make(TTok::Op, ",", ""));
            for (size_t m = operands[k].first; m < operands[k].second; ++m) {
                TToken tok = t[m];
                if (m == operands[k].first) tok.Lead = k ? " " : "";
                call.push_back(tok);
            }
        }
        call.push_back(Make(TTok::Op, ")", ""));
        const size_t end = operands.back().second;
        t.erase(t.begin() + static_cast<std::ptrdiff_t>(begin), t.begin() + static_cast<std::ptrdiff_t>(end));
        t.insert(t.begin() + static_cast<std::ptrdiff_t>(begin), call.begin(), call.end());
    }
}

// SELECT list INTO name FROM ... -> the SELECT alone; the connection creates the table with the
// source columns' types (see TJetStatement::IntoTable).
String RewriteSelectInto(TTokens& t) {
    if (t.empty() || !Is(t[0], "SELECT")) return String();
    int depth = 0;
    for (size_t i = 1; i + 1 < t.size(); ++i) {
        if (IsOp(t[i], "(")) ++depth;
        if (IsOp(t[i], ")")) --depth;
        if (depth != 0) continue;
        if (Is(t[i], "FROM")) return String();
        if (Is(t[i], "INTO")) {
            const String name = Unquoted(t[i + 1]);
            t.erase(t.begin() + static_cast<std::ptrdiff_t>(i),
                    t.begin() + static_cast<std::ptrdiff_t>(i + 2));
            return name;
        }
    }
    return String();
}

// UPDATE (A [AS] a [LEFT|RIGHT|INNER] [OUTER] JOIN B [AS] b ON cond) SET a.x = e, ... [WHERE w]
//   -> UPDATE A AS a SET x = e', ... [WHERE [EXISTS(SELECT 1 FROM B AS b WHERE cond) AND] (w')]
// where e' and w' read each b.col through (SELECT b.col FROM B AS b WHERE cond). Rows of the
// updated table without a partner get Null from the other table, as the outer join gives them.
void RewriteUpdateJoin(TTokens& t) {
    if (t.size() < 3 || !Is(t[0], "UPDATE")) return;
    // The join: between parentheses, or bare up to SET.
    size_t begin = 1, close = 0;
    if (IsOp(t[1], "(")) {
        close = MatchParen(t, 1);
        if (close >= t.size()) throw EJetSqlError("Syntax error in UPDATE statement.");
        begin = 2;
    } else {
        bool join = false;
        for (close = 1; close < t.size() && !Is(t[close], "SET"); ++close)
            if (Is(t[close], "JOIN")) join = true;
        if (!join || close >= t.size()) return;
    }
    size_t i = begin;
    auto readTable = [&](String& table, String& alias) {
        if (i >= close) throw EJetSqlError("Syntax error in JOIN operation.");
        table = t[i++].Text;
        if (i < close && Is(t[i], "AS")) ++i;
        alias = table;
        if (i < close && (t[i].Kind == TTok::Ident || t[i].Kind == TTok::QIdent) && !Is(t[i], "LEFT") &&
            !Is(t[i], "RIGHT") && !Is(t[i], "INNER") && !Is(t[i], "JOIN") && !Is(t[i], "ON"))
            alias = t[i++].Text;
    };
    String tableA, aliasA, tableB, aliasB;
    readTable(tableA, aliasA);
    String kind = "INNER";
    if (i < close && (Is(t[i], "LEFT") || Is(t[i], "RIGHT") || Is(t[i], "INNER")))
        kind = UpperCase(t[i++].Text);
    if (i < close && Is(t[i], "OUTER")) ++i;
    if (i >= close || !Is(t[i], "JOIN")) throw EJetSqlError("Syntax error in JOIN operation.");
    ++i;
    readTable(tableB, aliasB);
    if (i >= close || !Is(t[i], "ON")) throw EJetSqlError("Syntax error in JOIN operation.");
    const TTokens cond(t.begin() + static_cast<std::ptrdiff_t>(i + 1),
                       t.begin() + static_cast<std::ptrdiff_t>(close));
    const size_t setPos = begin == 2 ? close + 1 : close;
    if (setPos >= t.size() || !Is(t[setPos], "SET")) throw EJetSqlError("Syntax error in UPDATE statement.");
    // The target is the table that qualifies the first assignment (the first table otherwise).
    bool targetIsA = true;
    if (setPos + 2 < t.size() && IsOp(t[setPos + 2], ".") && SameText(t[setPos + 1].Text, aliasB))
        targetIsA = false;
    const String tTable = targetIsA ? tableA : tableB, tAlias = targetIsA ? aliasA : aliasB;
    const String oTable = targetIsA ? tableB : tableA, oAlias = targetIsA ? aliasB : aliasA;
    const bool outerForTarget = (kind == "LEFT" && targetIsA) || (kind == "RIGHT" && !targetIsA);

    auto subquery = [&](const TToken& column, const String& lead) {
        TTokens q{Make(TTok::Op, "(", lead),
                  Make(TTok::Ident, "SELECT", ""),
                  Make(TTok::Ident, oAlias),
                  Make(TTok::Op, ".", ""),
                  column,
                  Make(TTok::Ident, "FROM"),
                  Make(TTok::Ident, oTable),
                  Make(TTok::Ident, "AS"),
                  Make(TTok::Ident, oAlias),
                  Make(TTok::Ident, "WHERE")};
        q[4].Lead = "";
        for (const TToken& c : cond)
            q.push_back(c);
        q.push_back(Make(TTok::Op, ")", ""));
        return q;
    };
    TTokens out{Make(TTok::Ident, "UPDATE", t[0].Lead), Make(TTok::Ident, tTable), Make(TTok::Ident, "AS"),
                Make(TTok::Ident, tAlias), Make(TTok::Ident, "SET")};
    size_t j = setPos + 1;
    bool inWhere = false;
    bool lhs = true; // at the start of an assignment
    int depth = 0;
    for (; j < t.size(); ++j) {
        const TToken& tok = t[j];
        if (depth == 0 && Is(tok, "WHERE")) {
            inWhere = true;
            out.push_back(Make(TTok::Ident, "WHERE"));
            if (!outerForTarget) {
                TTokens ex{
                    Make(TTok::Ident, "EXISTS"), Make(TTok::Op, "(", ""),   Make(TTok::Ident, "SELECT", ""),
                    Make(TTok::Num, "1"),        Make(TTok::Ident, "FROM"), Make(TTok::Ident, oTable),
                    Make(TTok::Ident, "AS"),     Make(TTok::Ident, oAlias), Make(TTok::Ident, "WHERE")};
                out.insert(out.end(), ex.begin(), ex.end());
                out.insert(out.end(), cond.begin(), cond.end());
                out.push_back(Make(TTok::Op, ")", ""));
                out.push_back(Make(TTok::Ident, "AND"));
            }
            out.push_back(Make(TTok::Op, "("));
            continue;
        }
        if (IsOp(tok, "(")) ++depth;
        if (IsOp(tok, ")")) --depth;
        if (!inWhere && depth == 0 && IsOp(tok, ",")) {
            out.push_back(tok);
            lhs = true;
            continue;
        }
        if (!inWhere && lhs) {
            // The assigned column loses its qualifier.
            if (j + 2 < t.size() && IsOp(t[j + 1], ".")) {
                TToken col = t[j + 2];
                col.Lead = tok.Lead.empty() ? " " : tok.Lead;
                out.push_back(col);
                j += 2;
            } else
                out.push_back(tok);
            lhs = false;
            continue;
        }
        if (j + 2 < t.size() && IsOp(t[j + 1], ".") &&
            (tok.Kind == TTok::Ident || tok.Kind == TTok::QIdent) && SameText(tok.Text, oAlias)) {
            TTokens q = subquery(t[j + 2], tok.Lead.empty() ? "" : tok.Lead);
            out.insert(out.end(), q.begin(), q.end());
            j += 2;
            continue;
        }
        out.push_back(tok);
    }
    if (inWhere)
        out.push_back(Make(TTok::Op, ")", ""));
    else if (!outerForTarget) {
        TTokens ex{Make(TTok::Ident, "WHERE"),      Make(TTok::Ident, "EXISTS"), Make(TTok::Op, "(", ""),
                   Make(TTok::Ident, "SELECT", ""), Make(TTok::Num, "1"),        Make(TTok::Ident, "FROM"),
                   Make(TTok::Ident, oTable),       Make(TTok::Ident, "AS"),     Make(TTok::Ident, oAlias),
                   Make(TTok::Ident, "WHERE")};
        out.insert(out.end(), ex.begin(), ex.end());
        out.insert(out.end(), cond.begin(), cond.end());
        out.push_back(Make(TTok::Op, ")", ""));
    }
    t = std::move(out);
}

// One Jet column type (with its arguments) to the SQLite declaration.
String MapColumnType(const String& type, const std::vector<String>& args, bool& autoIncrement) {
    const String up = UpperCase(type);
    autoIncrement = false;
    auto in = [&](std::initializer_list<const char*> names) {
        for (const char* n : names)
            if (up == n) return true;
        return false;
    };
    if (in({"TEXT", "VARCHAR", "CHAR", "CHARACTER", "STRING", "ALPHANUMERIC", "NVARCHAR", "NCHAR",
            "VARYING"})) {
        if (args.empty()) {
            if (up == "TEXT") return "LONGTEXT COLLATE NOCASE";
            return "VARCHAR(255) COLLATE NOCASE";
        }
        return (up == "NVARCHAR" || up == "NCHAR" ? "NVARCHAR(" : "VARCHAR(") + args[0] + ") COLLATE NOCASE";
    }
    if (in({"MEMO", "LONGTEXT", "LONGCHAR", "NOTE", "NTEXT"})) return "LONGTEXT COLLATE NOCASE";
    if (in({"LONG", "INTEGER", "INT", "INTEGER4"})) return "INTEGER";
    if (in({"SHORT", "SMALLINT", "INTEGER2"})) return "SMALLINT";
    if (in({"BYTE", "TINYINT", "INTEGER1"})) return "TINYINT";
    if (in({"BIGINT"})) return "BIGINT";
    if (in({"DOUBLE", "FLOAT", "FLOAT8", "NUMBER", "IEEEDOUBLE"})) return "DOUBLE";
    if (in({"SINGLE", "REAL", "FLOAT4", "IEEESINGLE"})) return "FLOAT";
    if (in({"CURRENCY", "MONEY"})) return "CURRENCY";
    if (in({"DECIMAL", "NUMERIC", "DEC"})) {
        String r = "DECIMAL";
        if (!args.empty()) r += "(" + args[0] + (args.size() > 1 ? "," + args[1] : String()) + ")";
        return r;
    }
    if (in({"DATETIME", "DATE", "TIME", "TIMESTAMP"})) return "DATETIME";
    // Jet yes/no columns are never empty: a new row holds No.
    if (in({"YESNO", "BIT", "LOGICAL", "LOGICAL1", "BOOLEAN"})) return "BOOLEAN DEFAULT 0";
    if (in({"COUNTER", "AUTOINCREMENT", "IDENTITY"})) {
        autoIncrement = true;
        return "INTEGER PRIMARY KEY AUTOINCREMENT";
    }
    if (in({"BINARY", "VARBINARY", "LONGBINARY", "OLEOBJECT", "GENERAL", "IMAGE", "BLOB"})) return "BLOB";
    if (in({"GUID", "UNIQUEIDENTIFIER"})) return "VARCHAR(38) COLLATE NOCASE";
    return type;
}

// Rewrites one column definition t[from, to): name type[(args)] rest.
TTokens RewriteColumnDef(const TTokens& t, size_t from, size_t to, String& autoIncColumn) {
    TTokens out;
    if (from >= to) return out;
    const TToken& first = t[from];
    if (Is(first, "CONSTRAINT") || Is(first, "PRIMARY") || Is(first, "UNIQUE") || Is(first, "FOREIGN") ||
        Is(first, "CHECK")) {
        out.assign(t.begin() + static_cast<std::ptrdiff_t>(from),
                   t.begin() + static_cast<std::ptrdiff_t>(to));
        return out;
    }
    out.push_back(first);
    size_t i = from + 1;
    if (i >= to) return out;
    String type = t[i].Text;
    const String typeLead = t[i].Lead;
    ++i;
    // Two-word types: "CHARACTER VARYING", "DOUBLE PRECISION".
    if (i < to && (Is(t[i], "VARYING") || Is(t[i], "PRECISION"))) ++i;
    std::vector<String> args;
    if (i < to && IsOp(t[i], "(")) {
        const size_t close = MatchParen(t, i);
        for (size_t k = i + 1; k < close && k < to; ++k)
            if (t[k].Kind == TTok::Num) args.push_back(t[k].Text);
        i = std::min(close, to - 1) + 1;
    }
    bool autoInc = false;
    out.push_back(Make(TTok::Ident, MapColumnType(type, args, autoInc), typeLead.empty() ? " " : typeLead));
    if (autoInc) autoIncColumn = first.Text;
    for (; i < to; ++i) {
        // An auto-number is already the primary key.
        if (autoInc && Is(t[i], "PRIMARY") && i + 1 < to && Is(t[i + 1], "KEY")) {
            ++i;
            continue;
        }
        out.push_back(t[i]);
    }
    return out;
}

void RewriteCreateTable(TTokens& t) {
    if (t.size() < 4 || !Is(t[0], "CREATE") || !Is(t[1], "TABLE")) return;
    size_t open = 2;
    while (open < t.size() && !IsOp(t[open], "("))
        ++open;
    if (open >= t.size()) return;
    if (open + 1 < t.size() && Is(t[open + 1], "SELECT")) return;
    const size_t close = MatchParen(t, open);
    std::vector<std::pair<size_t, size_t>> defs;
    int depth = 0;
    size_t start = open + 1;
    for (size_t i = open + 1; i < close; ++i) {
        if (IsOp(t[i], "(")) ++depth;
        if (IsOp(t[i], ")")) --depth;
        if (depth == 0 && IsOp(t[i], ",")) {
            defs.push_back({start, i});
            start = i + 1;
        }
    }
    defs.push_back({start, close});
    String autoIncColumn;
    std::vector<TTokens> rewritten;
    for (auto [a, b] : defs)
        rewritten.push_back(RewriteColumnDef(t, a, b, autoIncColumn));
    if (!autoIncColumn.empty()) {
        // A table constraint PRIMARY KEY (that one column) would be a second key: drop it.
        for (auto it = rewritten.begin(); it != rewritten.end();) {
            const TTokens& d = *it;
            size_t k = 0;
            if (!d.empty() && Is(d[0], "CONSTRAINT")) k = 2;
            if (k + 4 < d.size() + 1 && k + 1 < d.size() && Is(d[k], "PRIMARY") && Is(d[k + 1], "KEY")) {
                std::vector<String> cols;
                for (size_t m = k + 2; m < d.size(); ++m)
                    if (d[m].Kind == TTok::Ident || d[m].Kind == TTok::QIdent) cols.push_back(Unquoted(d[m]));
                if (cols.size() == 1 && SameText(cols[0], autoIncColumn)) {
                    it = rewritten.erase(it);
                    continue;
                }
            }
            ++it;
        }
    }
    TTokens out(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(open + 1));
    for (size_t k = 0; k < rewritten.size(); ++k) {
        if (k) out.push_back(Make(TTok::Op, ",", ""));
        out.insert(out.end(), rewritten[k].begin(), rewritten[k].end());
    }
    out.insert(out.end(), t.begin() + static_cast<std::ptrdiff_t>(close), t.end());
    t = std::move(out);
}

// ALTER TABLE t ADD [COLUMN] name type ... -> SQLite's ADD COLUMN with the mapped type.
void RewriteAlterTable(TTokens& t) {
    if (t.size() < 5 || !Is(t[0], "ALTER") || !Is(t[1], "TABLE")) return;
    size_t i = 3;
    if (!Is(t[i], "ADD")) return;
    ++i;
    if (i < t.size() && Is(t[i], "COLUMN"))
        ++i;
    else {
        t.insert(t.begin() + static_cast<std::ptrdiff_t>(i), Make(TTok::Ident, "COLUMN"));
        ++i;
    }
    String autoInc;
    TTokens def = RewriteColumnDef(t, i, t.size(), autoInc);
    if (!autoInc.empty()) throw EJetSqlError("An auto-number column cannot be added to an existing table.");
    t.erase(t.begin() + static_cast<std::ptrdiff_t>(i), t.end());
    t.insert(t.end(), def.begin(), def.end());
}

// :name and ? to numbered parameters.
void NumberParams(TTokens& t, std::vector<String>& names) {
    for (TToken& tok : t) {
        if (tok.Kind != TTok::Param) continue;
        size_t index = names.size();
        if (!tok.Text.empty())
            for (size_t k = 0; k < names.size(); ++k)
                if (!names[k].empty() && SameText(names[k], tok.Text)) {
                    index = k;
                    break;
                }
        if (index == names.size()) names.push_back(tok.Text);
        tok.Kind = TTok::Op;
        tok.Text = "?" + std::to_string(index + 1);
    }
}

bool IsAggregateName(const TToken& t) {
    return Is(t, "COUNT") || Is(t, "SUM") || Is(t, "AVG") || Is(t, "MIN") || Is(t, "MAX") || Is(t, "FIRST") ||
           Is(t, "LAST") || Is(t, "STDEV") || Is(t, "VAR") || Is(t, "GROUP_CONCAT") || Is(t, "TOTAL");
}

// A plain SELECT over one table: its name, or "" when the rows cannot be written back.
String SingleTableOf(const TTokens& t) {
    if (t.empty() || !Is(t[0], "SELECT")) return String();
    if (t.size() > 1 && (Is(t[1], "DISTINCT"))) return String();
    int depth = 0;
    size_t from = 0;
    for (size_t i = 1; i < t.size(); ++i) {
        if (IsOp(t[i], "(")) ++depth;
        if (IsOp(t[i], ")")) --depth;
        if (depth != 0) continue;
        if (from == 0 && IsAggregateName(t[i]) && i + 1 < t.size() && IsOp(t[i + 1], "(")) return String();
        if (Is(t[i], "FROM") && from == 0) from = i;
        if (Is(t[i], "GROUP") || Is(t[i], "UNION") || Is(t[i], "JOIN") || Is(t[i], "HAVING") ||
            Is(t[i], "INTERSECT") || Is(t[i], "EXCEPT"))
            return String();
    }
    if (from == 0 || from + 1 >= t.size()) return String();
    const TToken& table = t[from + 1];
    if (table.Kind != TTok::Ident && table.Kind != TTok::QIdent) return String();
    // The FROM clause holds that table alone, with an optional alias.
    depth = 0;
    for (size_t i = from + 2; i < t.size(); ++i) {
        if (IsOp(t[i], "(")) ++depth;
        if (IsOp(t[i], ")")) --depth;
        if (depth != 0) continue;
        if (Is(t[i], "WHERE") || Is(t[i], "ORDER") || Is(t[i], "LIMIT") || IsOp(t[i], ";")) break;
        if (IsOp(t[i], ",") || IsOp(t[i], "(")) return String();
    }
    return Unquoted(table);
}

} // namespace jetsql

using namespace jetsql;

TJetStatement TranslateJetSql(const String& jetSql) {
    return TranslateJetSql(jetSql, TJetColumnKindOf());
}

TJetStatement TranslateJetSql(const String& jetSql, const TJetColumnKindOf& columnKind) {
    TJetStatement result;
    TTokens t = Tokenize(jetSql);
    // One statement: a ";" may only end it.
    for (size_t i = 0; i < t.size(); ++i)
        if (IsOp(t[i], ";")) {
            if (i + 1 < t.size()) throw EJetSqlError("Characters found after end of SQL statement.");
            t.pop_back();
        }
    if (!t.empty() && Is(t[0], "TRANSFORM")) throw EJetSqlError("TRANSFORM is not supported.");
    // DELETE * FROM t, DELETE t.* FROM t -> DELETE FROM t.
    if (t.size() > 2 && Is(t[0], "DELETE")) {
        if (IsOp(t[1], "*"))
            t.erase(t.begin() + 1);
        else if (t.size() > 4 && IsOp(t[2], ".") && IsOp(t[3], "*") && Is(t[4], "FROM"))
            t.erase(t.begin() + 1, t.begin() + 4);
    }
    RewriteCreateTable(t);
    RewriteAlterTable(t);
    RewriteWords(t);
    RewriteLikePatterns(t);
    RewriteUpdateJoin(t);
    if (t.size() > 2 && Is(t[0], "CREATE") && Is(t[1], "TABLE")) result.DefinedTable = Unquoted(t[2]);
    if (t.size() > 3 && Is(t[0], "ALTER") && Is(t[1], "TABLE") && !Is(t[3], "RENAME")) {
        result.DefinedTable = Unquoted(t[2]);
        result.AltersTable = true;
    }
    result.IntoTable = RewriteSelectInto(t);
    result.ChangesSchema = !result.DefinedTable.empty() || !result.IntoTable.empty() ||
                           (!t.empty() && (Is(t[0], "DROP") || Is(t[0], "CREATE")));
    RewriteDistinctRow(t);
    // TOP with ORDER BY wraps the statement: its table is the one the inner SELECT reads.
    const String innerTable = result.IntoTable.empty() ? SingleTableOf(t) : String();
    const bool ranked = RewriteTop(t);
    result.HiddenColumns = ranked ? 1 : 0;
    if (result.HiddenColumns && !result.IntoTable.empty())
        throw EJetSqlError("TOP with ORDER BY in SELECT INTO is not supported.");
    RewriteArithmetic(t);
    if (columnKind) RewriteMoney(t, columnKind, result.MoneyColumns);
    RewriteConcat(t);
    RewriteLikeExpressions(t);
    CollateComparedCalls(t);
    NumberParams(t, result.ParamNames);
    if (!t.empty()) t[0].Lead.clear();
    result.Sql = Join(t);
    result.IsSelect = result.IntoTable.empty() && !t.empty() &&
                      (Is(t[0], "SELECT") || Is(t[0], "WITH") || Is(t[0], "PRAGMA") || Is(t[0], "VALUES"));
    result.UpdateTable = ranked ? innerTable : result.IntoTable.empty() ? SingleTableOf(t) : String();
    if (!result.UpdateTable.empty()) {
        // The rowid goes first into the SELECT that reads the table: "SELECT * FROM (SELECT" when
        // ranked.
        const size_t select = ranked ? 4 : 0;
        TTokens withRowId = t;
        withRowId.insert(withRowId.begin() + static_cast<std::ptrdiff_t>(select) + 1,
                         {Make(TTok::Ident, "rowid"), Make(TTok::Ident, "AS"),
                          Make(TTok::QIdent, DoubleQuoted(JetRowIdColumn)), Make(TTok::Op, ",", "")});
        result.RowIdSql = Join(withRowId);
    }
    return result;
}

String JetToSqlite(const String& jetSql) {
    return TranslateJetSql(jetSql).Sql;
}

std::shared_ptr<const TJetStatement> TJetTranslationCache::Find(const String& jetSql) {
    for (size_t i = FEntries.size(); i-- > 0;)
        if (FEntries[i].first == jetSql) {
            auto hit = FEntries[i].second;
            if (i + 1 != FEntries.size()) {
                auto entry = std::move(FEntries[i]);
                FEntries.erase(FEntries.begin() + static_cast<std::ptrdiff_t>(i));
                FEntries.push_back(std::move(entry));
            }
            return hit;
        }
    return nullptr;
}

void TJetTranslationCache::Add(const String& jetSql, std::shared_ptr<const TJetStatement> statement) {
    if (FEntries.size() >= kLimit) FEntries.erase(FEntries.begin());
    FEntries.emplace_back(jetSql, std::move(statement));
}

std::shared_ptr<const TJetStatement> TranslateJetSqlCached(const String& jetSql) {
    // One thread uses the data sets.
    thread_local TJetTranslationCache cache;
    if (auto hit = cache.Find(jetSql)) return hit;
    auto made = std::make_shared<const TJetStatement>(TranslateJetSql(jetSql));
    cache.Add(jetSql, made);
    return made;
}

TJetColumnKind JetColumnKindOf(const String& declaredType, int& size) {
    size = 0;
    String up = UpperCase(Trim(declaredType));
    String base = up;
    const size_t paren = up.find('(');
    if (paren != String::npos) {
        base = Trim(up.substr(0, paren));
        size = std::atoi(up.c_str() + paren + 1);
    }
    if (base.empty()) return TJetColumnKind::Unknown;
    if (base == "VARCHAR" || base == "CHAR" || base == "CHARACTER" || base == "STRING") {
        if (size <= 0) size = 255;
        return TJetColumnKind::String;
    }
    if (base == "NVARCHAR" || base == "NCHAR") {
        if (size <= 0) size = 255;
        return TJetColumnKind::WideString;
    }
    if (base == "TEXT") {
        if (size > 0) return TJetColumnKind::String;
        return TJetColumnKind::Memo;
    }
    if (base == "LONGTEXT" || base == "MEMO" || base == "CLOB" || base == "NTEXT")
        return TJetColumnKind::Memo;
    if (base == "INTEGER" || base == "INT" || base == "LONG" || base == "MEDIUMINT")
        return TJetColumnKind::Integer;
    if (base == "SMALLINT" || base == "TINYINT" || base == "SHORT" || base == "BYTE")
        return TJetColumnKind::SmallInt;
    if (base == "BIGINT" || base == "INT64" || base == "LARGEINT") return TJetColumnKind::LargeInt;
    if (base == "DOUBLE" || base == "FLOAT" || base == "REAL" || base == "NUMBER" ||
        base == "DOUBLE PRECISION")
        return TJetColumnKind::Float;
    if (base == "CURRENCY" || base == "MONEY") return TJetColumnKind::Currency;
    if (base == "DECIMAL" || base == "NUMERIC") return TJetColumnKind::Bcd;
    if (base == "BOOLEAN" || base == "YESNO" || base == "BIT" || base == "LOGICAL")
        return TJetColumnKind::Boolean;
    if (base == "DATETIME" || base == "TIMESTAMP") return TJetColumnKind::DateTime;
    if (base == "DATE") return TJetColumnKind::Date;
    if (base == "TIME") return TJetColumnKind::Time;
    if (base == "BLOB" || base == "LONGBINARY" || base == "BINARY" || base == "VARBINARY" || base == "IMAGE")
        return TJetColumnKind::Blob;
    // SQLite's own affinity rules for anything else.
    if (up.find("INT") != String::npos) return TJetColumnKind::Integer;
    if (up.find("CHAR") != String::npos || up.find("CLOB") != String::npos) return TJetColumnKind::Memo;
    if (up.find("TEXT") != String::npos) return TJetColumnKind::Memo;
    if (up.find("REAL") != String::npos || up.find("FLOA") != String::npos || up.find("DOUB") != String::npos)
        return TJetColumnKind::Float;
    if (base == "NUM") return TJetColumnKind::Float;
    return TJetColumnKind::Unknown;
}

String JetQuoted(const String& text) {
    return QuotedStr(text);
}

String JetDateLiteral(TDateTime value) {
    return "#" + DateTimeToStorage(value) + "#";
}
