// The filter expression language: lexemes, values and the parser of at most two conditions.
#include "grid/DBGridGxFilter.h"

#include "grid/GxLibConsts.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Characters that end an operator word.
bool IsWordChar(unsigned char C) {
    return C >= 32 && !std::strchr(" !\"&'()+,-.<=>|~", C);
}

// Walks one trimmed filter text. Positions count from 0.
class TFilterLexer {
public:
    TFilterLexer(const String& Text, TSTExpressionTypeGx Kind) : FText(Text), FKind(Kind) {
        ResetListCommas();
    }

    size_t Pos = 0;
    bool AtEnd() const { return Pos >= FText.size(); }
    char Current() const { return AtEnd() ? '\0' : FText[Pos]; }

    // Commas separate list items, unless a number column's decimal separator is the comma.
    void ResetListCommas() {
        FListCommas = !(FKind == stetNumber && FormatSettings().DecimalSeparator == ',');
    }
    void SetListCommas() { FListCommas = true; }

    void SkipSpaces() { Pos = SkipSpacesFrom(Pos); }

    [[noreturn]] void Fail(int Id) const { throw Exception(GxLibText(Id) + FText); }

    // The next lexeme: an operator (its code), a value (stoValue) or nothing (stoNone).
    TSTFilterOpGx NextLexeme(Variant& Value) {
        Value = String();
        if (AtEnd()) return stoNone;
        if (Current() == '\'') {
            Value = ReadValues();
            return stoValue;
        }
        TLex lex = ScanOperator();
        if (lex == lxNone) {
            Value = ReadValues();
            return VarIsNull(Value) ? stoNone : stoValue;
        }
        SkipSpaces();
        switch (lex) {
        case lxNot: {
            // NOT takes the lexeme after it; NOT NOT ... gives none. The chain is walked in a loop,
            // so a text of a million "!" does not nest a million calls.
            bool twice = false;
            while (ScanNot()) {
                twice = true;
                SkipSpaces();
            }
            Variant ignored;
            TSTFilterOpGx next = NextLexeme(ignored);
            return twice ? stoNone : Negated(next);
        }
        case lxIn:
            if (Current() != '(') Fail(SLeftBracketExpectedGx);
            ++Pos;
            return stoIn;
        default:
            return OperatorOf(lex);
        }
    }

    // One value, or several separated by commas as an array.
    Variant ReadValues() {
        Variant v = ReadValue();
        if (!FListCommas) return v;
        std::vector<Variant> items{v};
        while (!VarIsNull(v) && Current() == ',') {
            ++Pos;
            // Blanks after a comma separate items; they are not part of the next one.
            SkipSpaces();
            // A trailing comma («8,», «In (1,2,)») ends the list: it adds no empty item.
            if (AtEnd() || Current() == ')') break;
            v = ReadValue();
            items.push_back(v);
        }
        return items.size() == 1 ? items.front() : VarArrayOf(items);
    }

private:
    enum TLex {
        lxNone,
        lxNot,
        lxAnd,
        lxOr,
        lxOpenBracket,
        lxEqual,
        lxNotEqual,
        lxLess,
        lxLessEqual,
        lxGreater,
        lxGreaterEqual,
        lxLike,
        lxIn,
        lxNull
    };

    size_t SkipSpacesFrom(size_t P) const {
        while (P < FText.size() && FText[P] == ' ')
            ++P;
        return P;
    }

    // An operator sign or word at the position; the position moves past it when one is found.
    TLex ScanOperator() {
        char c = Current(), next = Pos + 1 < FText.size() ? FText[Pos + 1] : '\0';
        auto sign = [&](TLex Lex, size_t Length) {
            Pos += Length;
            return Lex;
        };
        switch (c) {
        case '!':
            return next == '=' ? sign(lxNotEqual, 2) : sign(lxNot, 1);
        case '&':
            return sign(lxAnd, 1);
        case '(':
            return sign(lxOpenBracket, 1);
        case '=':
            return sign(lxEqual, 1);
        case '|':
            return sign(lxOr, 1);
        case '~':
            return sign(lxLike, 1);
        case '<':
            return next == '=' ? sign(lxLessEqual, 2) : next == '>' ? sign(lxNotEqual, 2) : sign(lxLess, 1);
        case '>':
            return next == '=' ? sign(lxGreaterEqual, 2) : sign(lxGreater, 1);
        default:
            break;
        }
        size_t end = Pos;
        while (end < FText.size() && IsWordChar(static_cast<unsigned char>(FText[end])))
            ++end;
        if (end == Pos) return lxNone;
        String word = AnsiUpperCase(FText.substr(Pos, end - Pos));
        auto is = [&](const char* Plain, int Id) {
            String res = GxLibText(Id);
            return word == Plain || (!res.empty() && word == AnsiUpperCase(res));
        };
        TLex lex = is("NOT", SNotWordGx)     ? lxNot
                   : is("AND", SAndWordGx)   ? lxAnd
                   : is("OR", SOrWordGx)     ? lxOr
                   : is("LIKE", SLikeWordGx) ? lxLike
                   : is("IN", SInWordGx)     ? lxIn
                   : is("NULL", SNullGx)     ? lxNull
                                             : lxNone;
        if (lex != lxNone) Pos = end;
        return lex;
    }

    // One value: quoted (two quotes inside stand for one), or plain up to a bracket, a list comma,
    // the end, or a blank after which an operator follows. Null past the end.
    Variant ReadValue() {
        if (AtEnd()) return Null();
        if (Current() == '\'') {
            String s;
            size_t p = Pos + 1;
            for (;;) {
                size_t q = FText.find('\'', p);
                if (q == String::npos) Fail(SQuoteIsAbsentGx);
                s += FText.substr(p, q - p);
                if (q + 1 < FText.size() && FText[q + 1] == '\'') {
                    s += '\'';
                    p = q + 2;
                    continue;
                }
                Pos = q + 1;
                return s;
            }
        }
        size_t start = Pos;
        while (!AtEnd()) {
            char c = Current();
            if (c == '(' || c == ')' || (c == ',' && FListCommas)) break;
            if (c == ' ') {
                // Every blank of a run is followed by the same lexeme: look once, past the run.
                size_t next = SkipSpacesFrom(Pos);
                if (OperatorAt(next)) break;
                Pos = next;
                continue;
            }
            ++Pos;
        }
        return TrimRight(FText.substr(start, Pos - start));
    }

    // Whether an operator with a code from stoEqual to stoOr starts at P. Only operator signs and
    // words are looked at, never a value, so that a value of many words is read in one pass (looking
    // ahead through the following values made each further word double the time).
    bool OperatorAt(size_t P) {
        size_t saved = Pos;
        Pos = P;
        TSTFilterOpGx op;
        try {
            op = PeekOperator();
        } catch (...) {
            Pos = saved;
            throw;
        }
        Pos = saved;
        return op >= stoEqual && op <= stoOr;
    }

    // The operator NextLexeme would give at the position (stoValue for a value, which is not
    // read), raising the errors it would raise for a missing bracket or closing quote there.
    TSTFilterOpGx PeekOperator() {
        if (AtEnd()) return stoNone;
        if (Current() == '\'') {
            if (!QuoteCloses(Pos)) Fail(SQuoteIsAbsentGx);
            return stoValue;
        }
        TLex lex = ScanOperator();
        if (lex == lxNone) return stoValue;
        SkipSpaces();
        switch (lex) {
        case lxNot: {
            bool twice = false;
            while (ScanNot()) {
                twice = true;
                SkipSpaces();
            }
            TSTFilterOpGx next = PeekOperator();
            return twice ? stoNone : Negated(next);
        }
        case lxIn:
            if (Current() != '(') Fail(SLeftBracketExpectedGx);
            return stoIn;
        default:
            return OperatorOf(lex);
        }
    }

    // Moves past a NOT at the position when there is one.
    bool ScanNot() {
        size_t at = Pos;
        if (ScanOperator() == lxNot) return true;
        Pos = at;
        return false;
    }

    static TSTFilterOpGx Negated(TSTFilterOpGx Op) {
        switch (Op) {
        case stoLike:
            return stoNotLike;
        case stoIn:
            return stoNotIn;
        case stoIsNull:
            return stoIsNotNull;
        default:
            return stoNone;
        }
    }

    static TSTFilterOpGx OperatorOf(TLex Lex) {
        switch (Lex) {
        case lxEqual:
            return stoEqual;
        case lxNotEqual:
            return stoNotEqual;
        case lxGreater:
            return stoGreater;
        case lxLess:
            return stoLess;
        case lxGreaterEqual:
            return stoGreaterEqual;
        case lxLessEqual:
            return stoLessEqual;
        case lxLike:
            return stoLike;
        case lxAnd:
            return stoAnd;
        case lxOr:
            return stoOr;
        case lxNull:
            return stoIsNull;
        default:
            return stoNone; // an opening bracket on its own
        }
    }

    // Whether the quoted value opening at Q has its closing quote. Two quotes stand for one, so the
    // value closes at the first run of quotes of odd length after Q. The runs are counted once for
    // the whole text, so each look is constant time.
    bool QuoteCloses(size_t Q) {
        if (FOddRunFrom.empty()) {
            const size_t n = FText.size();
            FOddRunFrom.assign(n + 1, 0);
            for (size_t i = n; i-- > 0;) {
                bool odd = false;
                if (FText[i] == '\'' && (i == 0 || FText[i - 1] != '\'')) {
                    size_t e = i;
                    while (e < n && FText[e] == '\'')
                        ++e;
                    odd = (e - i) % 2 == 1;
                }
                FOddRunFrom[i] = odd || FOddRunFrom[i + 1];
            }
        }
        size_t j = Q + 1;
        if (j < FText.size() && FText[j] == '\'') {
            size_t e = j;
            while (e < FText.size() && FText[e] == '\'')
                ++e;
            if ((e - j) % 2 == 1) return true;
            j = e;
        }
        return FOddRunFrom[std::min(j, FText.size())] != 0;
    }

    const String& FText;
    TSTExpressionTypeGx FKind;
    bool FListCommas = true;
    std::vector<uint8_t> FOddRunFrom; // per position: a run of quotes of odd length starts there or later
};

bool IsComparison(TSTFilterOpGx Op) {
    return Op >= stoEqual && Op <= stoNotIn;
}

// One condition whose first lexeme was read: a value alone, or an operator and its operand.
void ReadCondition(TFilterLexer& Lexer, TSTFilterOpGx Lexeme, const Variant& LexValue,
                   TSTExpressionTypeGx Kind, TSTFilterOpGx& Op, Variant& Value) {
    if (Lexeme == stoValue) {
        Op = VarIsArray(LexValue) ? stoIn : Kind == stetString ? stoLike : stoEqual;
        Value = LexValue;
        return;
    }
    if (Lexeme == stoNone) Lexer.Fail(SErrorInExpressionGx);
    bool inList = Lexeme == stoIn || Lexeme == stoNotIn;
    if (inList) Lexer.SetListCommas();
    Lexer.SkipSpaces();
    Variant operand;
    TSTFilterOpGx operandOp = Lexer.NextLexeme(operand);
    if (operandOp == stoIsNull) {
        if (Lexeme == stoEqual)
            Lexeme = stoIsNull;
        else if (Lexeme == stoNotEqual)
            Lexeme = stoIsNotNull;
        else
            Lexer.Fail(SUnexpectedExpressionBeforeNullGx);
    } else if (operandOp != stoValue || (!inList && VarIsArray(operand))) {
        // A list is an operand only of In and Not In: «> 1,2» compares with no single value.
        Lexer.Fail(SUnexpectedExpressionAfterOperatorGx);
    }
    Op = Lexeme;
    Value = operand;
    if (inList) {
        Lexer.SkipSpaces();
        if (Lexer.Current() != ')') Lexer.Fail(SRightBracketExpectedGx);
        ++Lexer.Pos;
        Lexer.ResetListCommas();
    }
}

void ConvertCondition(TSTFilterOpGx Op, Variant& Value, TSTExpressionTypeGx Kind) {
    if (IsComparison(Op))
        ConvertFilterOperands(Value, Kind);
    else
        Value = Null();
}

} // namespace

void ClearFilterExpression(TSTFilterExpressionGx& Expression) {
    Expression.FirstOp = stoNone;
    Expression.FirstValue = Null();
    Expression.Junction = stoNone;
    Expression.SecondOp = stoNone;
    Expression.SecondValue = Null();
}

bool ParseFilterExpression(const String& Text, TSTFilterExpressionGx& Expression) {
    ClearFilterExpression(Expression);
    String text = Trim(Text);
    if (text.empty()) return false;
    TSTFilterExpressionGx& e = Expression;
    TFilterLexer lexer(text, e.ValueKind);
    bool both = false;
    Variant value;
    TSTFilterOpGx lexeme = lexer.NextLexeme(value);
    ReadCondition(lexer, lexeme, value, e.ValueKind, e.FirstOp, e.FirstValue);

    auto endOrFail = [&]() {
        if (!lexer.AtEnd()) lexer.Fail(SIncorrectExpressionGx);
    };
    lexer.SkipSpaces();
    lexeme = lexer.NextLexeme(value);
    if (lexeme == stoNone) {
        endOrFail();
    } else {
        if (lexeme != stoAnd && lexeme != stoOr) lexer.Fail(SUnexpectedANDorORGx);
        e.Junction = lexeme;
        lexer.SkipSpaces();
        lexeme = lexer.NextLexeme(value);
        if (lexeme == stoNone) {
            endOrFail();
        } else {
            ReadCondition(lexer, lexeme, value, e.ValueKind, e.SecondOp, e.SecondValue);
            // A third condition would silently widen the filter: whatever follows is an error.
            lexer.SkipSpaces();
            endOrFail();
            both = true;
        }
    }
    ConvertCondition(e.FirstOp, e.FirstValue, e.ValueKind);
    ConvertCondition(e.SecondOp, e.SecondValue, e.ValueKind);
    return both;
}

void ConvertFilterOperands(Variant& Operand, TSTExpressionTypeGx Kind) {
    if (VarIsNull(Operand) || (Kind != stetNumber && Kind != stetDateTime)) return;
    auto convert = [Kind](const Variant& V) -> Variant {
        if (VarIsNull(V)) return V;
        if (Kind == stetNumber) return static_cast<double>(StrToFloat(VarToStr(V)));
        return VarFromDateTime(StrToDateTime(VarToStr(V)));
    };
    if (!VarIsArray(Operand)) {
        Operand = convert(Operand);
        return;
    }
    for (int i = VarArrayLowBound(Operand, 1); i <= VarArrayHighBound(Operand, 1); ++i)
        VarArrayPut(Operand, convert(VarArrayGet(Operand, {i})), {i});
}
