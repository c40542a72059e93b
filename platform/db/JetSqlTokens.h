// The token list the Jet translation rewrites, and the helpers its passes share. Internal to the
// translation (JetSql*.cpp); nothing outside platform/db includes it.
#pragma once

#include "db/JetSql.h"

#include <vector>

namespace jetsql {

enum class TTok { Ident, QIdent, Str, Num, Date, Param, Op };

struct TToken {
    TTok Kind;
    String Text; // as it goes out (identifiers keep their spelling, strings their quotes)
    String Lead; // blanks before the token
};

using TTokens = std::vector<TToken>;

bool Is(const TToken& t, const char* word);
bool IsOp(const TToken& t, const char* op);
String DoubleQuoted(const String& name);
String Unquoted(const TToken& t);
// The tokens [from, to) as text, without the blanks before the first.
String Join(const TTokens& tokens, size_t from = 0, size_t to = String::npos);
TToken Make(TTok kind, const String& text, const String& lead = " ");
// Index of the token that closes the parenthesis opened at open, or tokens.size().
size_t MatchParen(const TTokens& t, size_t open);
// Words that are never an operand; a token an operand can end with.
bool IsKeyword(const TToken& t);
bool EndsOperand(const TToken& t);
// The operands of the operator at op that binds with strength p: the first index of the left
// one, one past the last index of the right one. EJetSqlError when one is missing.
size_t LeftOperand(const TTokens& t, size_t op, int p);
size_t RightOperand(const TTokens& t, size_t op, int p);

// The money pass (JetSqlMoney.cpp): arithmetic over CURRENCY columns made exact, and the names
// of the result columns that hold money.
void RewriteMoney(TTokens& t, const TJetColumnKindOf& columnKind, std::vector<String>& moneyColumns);

} // namespace jetsql
