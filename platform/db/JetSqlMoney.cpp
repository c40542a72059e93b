// The money pass of the Jet translation. With the column kinds of the database it finds where a
// CURRENCY column takes part in arithmetic and makes that arithmetic exact (the table in
// JetSql.h): products become orv_cmul, sums and differences orv_cadd and orv_csub, SUM orv_csum.
// It runs after "+" and "-" became orv_add and orv_sub calls; "*" is still SQLite's own operator.
// It also names the result columns whose values are money, which a data set reads as Currency.
#include "db/JetSqlTokens.h"

#include "rtl/StrUtils.h"

#include <map>

namespace jetsql {
namespace {

// What an operand is, as far as money goes.
enum class TValueKind { Unknown, Money, Whole, Number, Parameter };

bool IsNameToken(const TToken& t) {
    return t.Kind == TTok::QIdent || (t.Kind == TTok::Ident && !IsKeyword(t));
}

bool IsWholeLiteral(const TToken& t) {
    return t.Kind == TTok::Num && t.Text.find_first_of(".eE") == String::npos;
}

TValueKind ValueKindOf(TJetColumnKind kind) {
    switch (kind) {
    case TJetColumnKind::Currency:
        return TValueKind::Money;
    case TJetColumnKind::Integer:
    case TJetColumnKind::SmallInt:
    case TJetColumnKind::LargeInt:
    case TJetColumnKind::Boolean:
        return TValueKind::Whole;
    case TJetColumnKind::Float:
    case TJetColumnKind::Bcd:
        return TValueKind::Number;
    default:
        return TValueKind::Unknown;
    }
}

// A token range [Begin, End).
struct TRange {
    size_t Begin, End;
};

// The ranges of the comma-separated items in [begin, end) at the depth of begin.
std::vector<TRange> SplitItems(const TTokens& t, size_t begin, size_t end) {
    std::vector<TRange> items;
    int depth = 0;
    size_t start = begin;
    for (size_t i = begin; i < end; ++i) {
        if (IsOp(t[i], "(")) ++depth;
        if (IsOp(t[i], ")")) --depth;
        if (depth == 0 && IsOp(t[i], ",")) {
            items.push_back({start, i});
            start = i + 1;
        }
    }
    if (start < end) items.push_back({start, end});
    return items;
}

class TMoneyPass {
public:
    TMoneyPass(TTokens& t, const TJetColumnKindOf& columnKind) : T(t), ColumnKind(columnKind) {
        CollectTables();
    }

    // Rewrites until nothing more changes: an inner rewrite can make its caller's operand money.
    void Rewrite() {
        for (bool changed = true; changed;) {
            changed = false;
            for (size_t i = 0; i < T.size() && !changed; ++i)
                changed = RewriteProduct(i) || RewriteSumOrDifference(i) || RewriteAggregate(i);
        }
    }

    // The items of the statement's result list (the inner SELECT's of a ranked TOP); empty for a
    // statement without one.
    std::vector<TRange> ResultItems() const {
        if (T.empty() || !Is(T[0], "SELECT")) return {};
        if (T.size() > 4 && IsOp(T[1], "*") && Is(T[2], "FROM") && IsOp(T[3], "(") && Is(T[4], "SELECT"))
            return SelectList(4);
        return SelectList(0);
    }

    // The items of the SELECT at index select, up to its FROM (or the end of its parentheses).
    std::vector<TRange> SelectList(size_t select) const {
        size_t start = select + 1;
        while (start < T.size() && (Is(T[start], "DISTINCT") || Is(T[start], "ALL")))
            ++start;
        size_t end = start;
        for (int depth = 0; end < T.size(); ++end) {
            if (IsOp(T[end], "(")) ++depth;
            if (IsOp(T[end], ")") && --depth < 0) break;
            if (depth == 0 && (Is(T[end], "FROM") || Is(T[end], "UNION") || Is(T[end], "WHERE") ||
                               Is(T[end], "ORDER") || Is(T[end], "GROUP")))
                break;
        }
        return SplitItems(T, start, end);
    }

    // The expression of a result item without its alias, and the alias ("" when none).
    TRange ItemExpression(const TRange& item, String& alias) const {
        alias.clear();
        const size_t n = item.End - item.Begin;
        if (n >= 3 && Is(T[item.End - 2], "AS")) {
            alias = Unquoted(T[item.End - 1]);
            return {item.Begin, item.End - 2};
        }
        if (n >= 2 && IsNameToken(T[item.End - 1]) && EndsOperand(T[item.End - 2])) {
            alias = Unquoted(T[item.End - 1]);
            return {item.Begin, item.End - 1};
        }
        return item;
    }

    // The name SQLite gives a result item that is a plain column ("" for any other expression).
    String ColumnNameOf(const TRange& r) const {
        if (r.End - r.Begin == 1 && IsNameToken(T[r.Begin])) return Unquoted(T[r.Begin]);
        if (r.End - r.Begin == 3 && IsNameToken(T[r.Begin]) && IsOp(T[r.Begin + 1], ".") &&
            IsNameToken(T[r.Begin + 2]))
            return Unquoted(T[r.Begin + 2]);
        return String();
    }

    TValueKind KindOf(size_t b, size_t e) const {
        while (e - b >= 2 && IsOp(T[b], "(") && MatchParen(T, b) == e - 1) {
            ++b;
            --e;
        }
        if (b >= e) return TValueKind::Unknown;
        if (IsOp(T[b], "-") || IsOp(T[b], "+")) return KindOf(b + 1, e);
        if (Is(T[b], "SELECT")) { // a subquery of one value
            const std::vector<TRange> items = SelectList(b);
            if (items.size() != 1) return TValueKind::Unknown;
            String alias;
            const TRange expr = ItemExpression(items[0], alias);
            return KindOf(expr.Begin, expr.End);
        }
        const TToken& first = T[b];
        if (e - b == 1 && first.Kind == TTok::Num)
            return IsWholeLiteral(first) ? TValueKind::Whole : TValueKind::Number;
        if (e - b == 1 && first.Kind == TTok::Param) return TValueKind::Parameter;
        if (!IsNameToken(first) && first.Kind != TTok::Ident) return TValueKind::Unknown;
        if (b + 1 < e && IsOp(T[b + 1], "(") && MatchParen(T, b + 1) == e - 1) return CallKind(b, e);
        if (e - b == 1 && IsNameToken(first)) return ValueKindOf(ColumnKindOf(String(), Unquoted(first)));
        if (e - b == 3 && IsNameToken(first) && IsOp(T[b + 1], ".") && IsNameToken(T[b + 2]))
            return ValueKindOf(ColumnKindOf(Unquoted(first), Unquoted(T[b + 2])));
        return TValueKind::Unknown;
    }

private:
    // The tables the statement reads or writes, each also under its alias.
    void CollectTables() {
        for (size_t i = 0; i < T.size(); ++i) {
            const bool fromList = Is(T[i], "FROM");
            if (!fromList && !Is(T[i], "JOIN") && !Is(T[i], "UPDATE") && !Is(T[i], "INTO")) continue;
            size_t j = i + 1;
            for (;;) {
                while (j < T.size() && IsOp(T[j], "("))
                    ++j; // FROM (A AS a LEFT JOIN B AS b ON ...)
                if (j >= T.size() || !IsNameToken(T[j])) break;
                const String table = Unquoted(T[j]);
                Tables.push_back(table);
                Aliases[LowerCase(table)] = table;
                size_t k = j + 1;
                if (k < T.size() && Is(T[k], "AS")) ++k;
                if (k < T.size() && IsNameToken(T[k]) && !(k + 1 < T.size() && IsOp(T[k + 1], "."))) {
                    Aliases[LowerCase(Unquoted(T[k]))] = table;
                    ++k;
                }
                if (!fromList || k >= T.size() || !IsOp(T[k], ",")) break;
                j = k + 1;
            }
        }
    }

    // The kind of a column, qualified by a table or alias or not; Unknown when the tables that
    // have a column of that name disagree.
    TJetColumnKind ColumnKindOf(const String& qualifier, const String& column) const {
        if (!qualifier.empty()) {
            const auto it = Aliases.find(LowerCase(qualifier));
            return it == Aliases.end() ? TJetColumnKind::Unknown : ColumnKind(it->second, column);
        }
        TJetColumnKind found = TJetColumnKind::Unknown;
        for (const String& table : Tables) {
            const TJetColumnKind k = ColumnKind(table, column);
            if (k == TJetColumnKind::Unknown) continue;
            if (found != TJetColumnKind::Unknown && found != k) return TJetColumnKind::Unknown;
            found = k;
        }
        return found;
    }

    std::vector<TRange> Arguments(size_t name) const {
        return SplitItems(T, name + 2, MatchParen(T, name + 1));
    }

    TValueKind CallKind(size_t b, size_t) const {
        const String name = LowerCase(T[b].Text);
        if (name == "orv_csum" || name == "orv_cadd" || name == "orv_csub" || name == "orv_cmul" ||
            name == "orv_ccur")
            return TValueKind::Money;
        const std::vector<TRange> args = Arguments(b);
        auto kind = [&](size_t k) {
            return k < args.size() ? KindOf(args[k].Begin, args[k].End) : TValueKind::Unknown;
        };
        if (name == "sum" || name == "min" || name == "max" || name == "abs" || name == "orv_nz") {
            for (size_t k = 0; k < args.size(); ++k)
                if (kind(k) != TValueKind::Money) return TValueKind::Unknown;
            return args.empty() ? TValueKind::Unknown : TValueKind::Money;
        }
        if (name == "iif" && args.size() == 3) return Combined(kind(1), kind(2), false);
        return TValueKind::Unknown;
    }

    // Money when one side is money and the other money or a whole number (or a parameter, when
    // it may be one): the kinds whose sum stays money.
    static TValueKind Combined(TValueKind a, TValueKind b, bool parameters) {
        auto fits = [&](TValueKind k) {
            return k == TValueKind::Money || k == TValueKind::Whole ||
                   (parameters && k == TValueKind::Parameter);
        };
        return (a == TValueKind::Money && fits(b)) || (b == TValueKind::Money && fits(a))
                   ? TValueKind::Money
                   : TValueKind::Unknown;
    }

    // T[b, e) becomes name(T[first), T[second)).
    void ReplaceByCall(size_t b, size_t e, const char* name, TRange first, TRange second) {
        TTokens call{Make(TTok::Ident, name, T[b].Lead), Make(TTok::Op, "(", "")};
        for (size_t m = first.Begin; m < first.End; ++m) {
            call.push_back(T[m]);
            if (m == first.Begin) call.back().Lead.clear();
        }
        call.push_back(Make(TTok::Op, ",", ""));
        for (size_t m = second.Begin; m < second.End; ++m) {
            call.push_back(T[m]);
            if (m == second.Begin) call.back().Lead = " ";
        }
        call.push_back(Make(TTok::Op, ")", ""));
        T.erase(T.begin() + static_cast<std::ptrdiff_t>(b), T.begin() + static_cast<std::ptrdiff_t>(e));
        T.insert(T.begin() + static_cast<std::ptrdiff_t>(b), call.begin(), call.end());
    }

    // a * b with money on one side -> orv_cmul(money, other).
    bool RewriteProduct(size_t op) {
        if (!IsOp(T[op], "*") || op == 0 || op + 1 >= T.size() || !EndsOperand(T[op - 1])) return false;
        size_t b = 0, e = 0;
        try {
            b = LeftOperand(T, op, 5);
            e = RightOperand(T, op, 5);
        } catch (const EJetSqlError&) {
            return false;
        }
        const TRange left{b, op}, right{op + 1, e};
        if (KindOf(left.Begin, left.End) == TValueKind::Money)
            ReplaceByCall(b, e, "orv_cmul", left, right);
        else if (KindOf(right.Begin, right.End) == TValueKind::Money)
            ReplaceByCall(b, e, "orv_cmul", right, left);
        else
            return false;
        return true;
    }

    // orv_add / orv_sub of money and money or a whole number -> orv_cadd / orv_csub.
    bool RewriteSumOrDifference(size_t name) {
        const bool add = Is(T[name], "orv_add");
        if ((!add && !Is(T[name], "orv_sub")) || name + 1 >= T.size() || !IsOp(T[name + 1], "("))
            return false;
        const std::vector<TRange> args = Arguments(name);
        if (args.size() != 2) return false;
        if (Combined(KindOf(args[0].Begin, args[0].End), KindOf(args[1].Begin, args[1].End), true) !=
            TValueKind::Money)
            return false;
        T[name].Text = add ? "orv_cadd" : "orv_csub";
        return true;
    }

    // SUM(money) -> orv_csum(money).
    bool RewriteAggregate(size_t name) {
        if (!Is(T[name], "SUM") || name + 1 >= T.size() || !IsOp(T[name + 1], "(")) return false;
        const std::vector<TRange> args = Arguments(name);
        if (args.size() != 1 || Is(T[args[0].Begin], "DISTINCT") || Is(T[args[0].Begin], "ALL")) return false;
        if (KindOf(args[0].Begin, args[0].End) != TValueKind::Money) return false;
        T[name].Text = "orv_csum";
        return true;
    }

    TTokens& T;
    const TJetColumnKindOf& ColumnKind;
    std::vector<String> Tables;
    std::map<String, String> Aliases; // lower-case alias or table name -> table
};

} // namespace

void RewriteMoney(TTokens& t, const TJetColumnKindOf& columnKind, std::vector<String>& moneyColumns) {
    if (t.empty() || Is(t[0], "CREATE") || Is(t[0], "ALTER") || Is(t[0], "DROP")) return;
    TMoneyPass pass(t, columnKind);
    // The result columns keep the names they had: an expression without an alias is named after
    // its text, so the text before the rewrite becomes its alias.
    std::vector<String> namesBefore;
    for (const TRange& item : pass.ResultItems()) {
        String alias;
        const TRange expr = pass.ItemExpression(item, alias);
        namesBefore.push_back(alias.empty() ? Join(t, expr.Begin, expr.End) : String());
    }
    pass.Rewrite();
    const std::vector<TRange> items = pass.ResultItems();
    if (items.size() != namesBefore.size()) return;
    for (size_t k = items.size(); k-- > 0;) {
        String alias;
        const TRange expr = pass.ItemExpression(items[k], alias);
        if (pass.KindOf(expr.Begin, expr.End) != TValueKind::Money) continue;
        String name = alias.empty() ? pass.ColumnNameOf(expr) : alias;
        if (name.empty()) {
            name = namesBefore[k];
            t.insert(t.begin() + static_cast<std::ptrdiff_t>(expr.End),
                     {Make(TTok::Ident, "AS"), Make(TTok::QIdent, DoubleQuoted(name))});
        }
        moneyColumns.insert(moneyColumns.begin(), name);
    }
}

} // namespace jetsql
