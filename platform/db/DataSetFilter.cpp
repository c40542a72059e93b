#include "db/DataSetFilter.h"

#include "db/DataSet.h"
#include "db/DateStorage.h"
#include "db/ValueCompare.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <cctype>

struct TFilterExpression::TNode {
    enum TKind { And, Or, Not, Compare, IsNull, IsNotNull, Like, In } Kind = Compare;
    String Op;                 // for Compare
    String Field;              // the field of a comparison
    Variant Literal;           // the value compared with
    std::vector<Variant> List; // for In
    std::unique_ptr<TNode> Left, Right;
};

namespace {

using TNode = TFilterExpression::TNode;

struct TTok {
    enum TKind { Name, Str, Num, Date, Op, End } Kind = End;
    String Text;
};

[[noreturn]] void Fail(const String& text) {
    throw EDatabaseError("Invalid filter: " + text);
}

class TParser {
public:
    explicit TParser(const String& text) : FText(text) { Advance(); }

    std::unique_ptr<TNode> ParseAll() {
        auto n = ParseOr();
        if (FTok.Kind != TTok::End) Fail(FText);
        return n;
    }

private:
    bool IsWord(const char* w) const { return FTok.Kind == TTok::Name && SameText(FTok.Text, w); }
    bool IsOp(const char* o) const { return FTok.Kind == TTok::Op && FTok.Text == o; }

    void Advance() {
        const String& s = FText;
        while (FPos < s.size() && std::isspace(static_cast<unsigned char>(s[FPos])))
            ++FPos;
        FTok = TTok();
        if (FPos >= s.size()) return;
        const unsigned char c = static_cast<unsigned char>(s[FPos]);
        if (c == '\'' || c == '"') {
            String v;
            size_t i = FPos + 1;
            bool closed = false;
            while (i < s.size()) {
                if (s[i] == static_cast<char>(c)) {
                    if (i + 1 < s.size() && s[i + 1] == static_cast<char>(c)) {
                        v += s[i];
                        i += 2;
                        continue;
                    }
                    closed = true;
                    break;
                }
                v += s[i++];
            }
            if (!closed) Fail(FText);
            FTok = {TTok::Str, v};
            FPos = i + 1;
        } else if (c == '#') {
            const size_t j = s.find('#', FPos + 1);
            if (j == String::npos) Fail(FText);
            FTok = {TTok::Date, s.substr(FPos + 1, j - FPos - 1)};
            FPos = j + 1;
        } else if (c == '[') {
            const size_t j = s.find(']', FPos + 1);
            if (j == String::npos) Fail(FText);
            FTok = {TTok::Name, s.substr(FPos + 1, j - FPos - 1)};
            FPos = j + 1;
        } else if (std::isdigit(c) || ((c == '-' || c == '.') && FPos + 1 < s.size() &&
                                       std::isdigit(static_cast<unsigned char>(s[FPos + 1])))) {
            size_t j = FPos + 1;
            while (j < s.size() && (std::isdigit(static_cast<unsigned char>(s[j])) || s[j] == '.' ||
                                    s[j] == 'e' || s[j] == 'E'))
                ++j;
            FTok = {TTok::Num, s.substr(FPos, j - FPos)};
            FPos = j;
        } else if (std::isalpha(c) || c == '_' || c >= 0x80) {
            size_t j = FPos + 1;
            while (j < s.size() && (std::isalnum(static_cast<unsigned char>(s[j])) || s[j] == '_' ||
                                    static_cast<unsigned char>(s[j]) >= 0x80))
                ++j;
            FTok = {TTok::Name, s.substr(FPos, j - FPos)};
            FPos = j;
        } else {
            static const char* two[] = {"<>", "<=", ">=", "!="};
            String op(1, static_cast<char>(c));
            if (FPos + 1 < s.size())
                for (const char* t : two)
                    if (s[FPos] == t[0] && s[FPos + 1] == t[1]) op = t;
            FTok = {TTok::Op, op};
            FPos += op.size();
        }
    }

    std::unique_ptr<TNode> ParseOr() {
        auto left = ParseAnd();
        while (IsWord("OR")) {
            Advance();
            auto n = std::make_unique<TNode>();
            n->Kind = TNode::Or;
            n->Left = std::move(left);
            n->Right = ParseAnd();
            left = std::move(n);
        }
        return left;
    }

    std::unique_ptr<TNode> ParseAnd() {
        auto left = ParseNot();
        while (IsWord("AND")) {
            Advance();
            auto n = std::make_unique<TNode>();
            n->Kind = TNode::And;
            n->Left = std::move(left);
            n->Right = ParseNot();
            left = std::move(n);
        }
        return left;
    }

    std::unique_ptr<TNode> ParseNot() {
        if (IsWord("NOT")) {
            Advance();
            auto n = std::make_unique<TNode>();
            n->Kind = TNode::Not;
            n->Left = ParseNot();
            return n;
        }
        if (IsOp("(")) {
            Advance();
            auto n = ParseOr();
            if (!IsOp(")")) Fail(FText);
            Advance();
            return n;
        }
        return ParseComparison();
    }

    Variant ParseLiteral() {
        Variant v;
        switch (FTok.Kind) {
        case TTok::Str:
            v = FTok.Text;
            break;
        case TTok::Num: {
            Extended e = 0;
            if (!TryStrToFloat(FTok.Text, e)) Fail(FText);
            v = static_cast<double>(e);
            break;
        }
        case TTok::Date: {
            TDateTime d = 0;
            if (!StorageToDateTime(Trim(FTok.Text), d)) Fail(FText);
            v = VarFromDateTime(d);
            break;
        }
        case TTok::Name:
            if (SameText(FTok.Text, "NULL"))
                v = Null();
            else if (SameText(FTok.Text, "TRUE"))
                v = true;
            else if (SameText(FTok.Text, "FALSE"))
                v = false;
            else
                Fail(FText);
            break;
        default:
            Fail(FText);
        }
        Advance();
        return v;
    }

    std::unique_ptr<TNode> ParseComparison() {
        if (FTok.Kind != TTok::Name) Fail(FText);
        auto n = std::make_unique<TNode>();
        n->Field = FTok.Text;
        Advance();
        if (IsWord("IS")) {
            Advance();
            n->Kind = TNode::IsNull;
            if (IsWord("NOT")) {
                Advance();
                n->Kind = TNode::IsNotNull;
            }
            if (!IsWord("NULL")) Fail(FText);
            Advance();
            return n;
        }
        if (IsWord("LIKE")) {
            Advance();
            n->Kind = TNode::Like;
            n->Literal = ParseLiteral();
            return n;
        }
        if (IsWord("IN")) {
            Advance();
            n->Kind = TNode::In;
            if (!IsOp("(")) Fail(FText);
            Advance();
            while (!IsOp(")")) {
                n->List.push_back(ParseLiteral());
                if (IsOp(","))
                    Advance();
                else if (!IsOp(")"))
                    Fail(FText);
            }
            Advance();
            return n;
        }
        if (FTok.Kind != TTok::Op) Fail(FText);
        n->Op = FTok.Text == "!=" ? "<>" : FTok.Text;
        if (n->Op != "=" && n->Op != "<>" && n->Op != "<" && n->Op != ">" && n->Op != "<=" && n->Op != ">=")
            Fail(FText);
        Advance();
        n->Kind = TNode::Compare;
        n->Literal = ParseLiteral();
        return n;
    }

    String FText;
    size_t FPos = 0;
    TTok FTok;
};

bool Eval(const TNode& n, const TDataSet& ds) {
    switch (n.Kind) {
    case TNode::And:
        return Eval(*n.Left, ds) && Eval(*n.Right, ds);
    case TNode::Or:
        return Eval(*n.Left, ds) || Eval(*n.Right, ds);
    case TNode::Not:
        return !Eval(*n.Left, ds);
    default:
        break;
    }
    const Variant v = ds.FieldByName(n.Field)->AsVariant();
    const bool isNull = VarIsNull(v) || VarIsEmpty(v);
    switch (n.Kind) {
    case TNode::IsNull:
        return isNull;
    case TNode::IsNotNull:
        return !isNull;
    case TNode::Like:
        return !isNull && !VarIsNull(n.Literal) && LikeMatch(VarToStr(v), VarToStr(n.Literal), true);
    case TNode::In:
        if (isNull) return false;
        for (const Variant& item : n.List)
            if (!VarIsNull(item) && LocateMatch(v, item, true, false)) return true;
        return false;
    default:
        break;
    }
    if (isNull || VarIsNull(n.Literal)) return false;
    Variant lit = n.Literal;
    if (VarType(v) == varDate && VarIsStr(lit)) {
        TDateTime d = 0;
        if (StorageToDateTime(VarToStr(lit), d)) lit = VarFromDateTime(d);
    }
    const int c = CompareFieldValues(v, lit, true);
    if (n.Op == "=") return c == 0;
    if (n.Op == "<>") return c != 0;
    if (n.Op == "<") return c < 0;
    if (n.Op == ">") return c > 0;
    if (n.Op == "<=") return c <= 0;
    return c >= 0;
}

} // namespace

TFilterExpression::TFilterExpression(const String& Text) {
    FRoot = TParser(Text).ParseAll();
}

TFilterExpression::~TFilterExpression() = default;

bool TFilterExpression::Evaluate(const TDataSet& DataSet) const {
    return FRoot ? Eval(*FRoot, DataSet) : true;
}
