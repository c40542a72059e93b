// Expressions: operator trees built by priority as the builder feeds operands and operators,
// type-checked when completed, evaluated on variants.
#include "rtl/StrUtils.h"
#include "script/vs_iinterpreter_prog.h"
#include "script/vs_istack.h"
#include "script/vs_itools_script.h"
#include "script/vs_ivalue.h"

#include <climits>
#include <type_traits>

namespace {

struct TOperatorText {
    const char* Text;
    TvsOperator Op;
    bool StrCat;
};

const TOperatorText kOperators[] = {
    {" ", opNone, false},    {">", opGreat, false},         {"<", opLess, false},
    {"<=", opLessEq, false}, {">=", opGreatEq, false},      {"<>", opNonEq, false},
    {"=", opEq, false},      {"+", opPlus, false},          {"STRCAT", opPlus, true},
    {"-", opMinus, false},   {"OR", opOr, false},           {"XOR", opXor, false},
    {"*", opMul, false},     {"/", opDivFloat, false},      {"DIV", opDivInt, false},
    {"MOD", opMod, false},   {"AND", opAnd, false},         {"SHL", opShl, false},
    {"SHR", opShr, false},   {"(", opLeftBracket, false},   {")", opRightBracket, false},
    {"NOT", opNot, false},   {"UNMINUS", opUnMinus, false}, {"IN", opIn, false},
    {"IS", opIs, false},
};

constexpr Integer kPriority[] = {7, 4, 4, 4, 4, 4, 4, 3, 3, 3, 3, 2, 2, 2, 2, 2, 2, 2, 6, 5, 1, 1, 4, 4};

const char* const kNodeNames[] = {
    "TNoneNode",        "TGreatNode",        "TLessNode",  "TLessEqNode",  "TGreatEqNode", "TNonEqNode",
    "TEqNode",          "TPlusNode",         "TMinusNode", "TOrNode",      "TXorNode",     "TMulNode",
    "TDivFloatNode",    "TDivIntNode",       "TModNode",   "TAndNode",     "TShlNode",     "TShrNode",
    "TLeftBracketNode", "TRightBracketNode", "TNotNode",   "TUnMinusNode", "TInNode",      "TIsNode"};

bool IsComparison(TvsOperator Op) {
    return Op >= opGreat && Op <= opEq;
}

// Integer arithmetic and comparison of two varInteger values with the results of the variant
// operations: an integer (Out) or a boolean (Out 0 or 1); none where those give something else
// (an overflow becomes a 64-bit integer, a division by zero an error), which the general path
// then produces.
enum class TIntResult { None, Integer, Boolean };

inline TIntResult IntegerOp(TvsOperator Op, Int64 A, Int64 B, Int64& Out) {
    switch (Op) {
    case opPlus:
    case opMinus:
    case opMul:
        Out = Op == opPlus ? A + B : Op == opMinus ? A - B : A * B;
        return Out < INT_MIN || Out > INT_MAX ? TIntResult::None : TIntResult::Integer;
    case opGreat:
        Out = A > B;
        return TIntResult::Boolean;
    case opLess:
        Out = A < B;
        return TIntResult::Boolean;
    case opLessEq:
        Out = A <= B;
        return TIntResult::Boolean;
    case opGreatEq:
        Out = A >= B;
        return TIntResult::Boolean;
    case opNonEq:
        Out = A != B;
        return TIntResult::Boolean;
    case opEq:
        Out = A == B;
        return TIntResult::Boolean;
    case opDivInt:
    case opMod:
        if (B == 0 || (A == INT_MIN && B == -1)) return TIntResult::None;
        Out = Op == opDivInt ? A / B : A % B;
        return TIntResult::Integer;
    default:
        return TIntResult::None;
    }
}

TVarOp CompareOp(TvsOperator Op) {
    switch (Op) {
    case opGreat:
        return TVarOp::CmpGT;
    case opLess:
        return TVarOp::CmpLT;
    case opLessEq:
        return TVarOp::CmpLE;
    case opGreatEq:
        return TVarOp::CmpGE;
    case opNonEq:
        return TVarOp::CmpNE;
    default:
        return TVarOp::CmpEQ;
    }
}

} // namespace

// --- nodes ---------------------------------------------------------------------------------------

TvsOperandNode::TvsOperandNode(const Variant& V) {
    FValue = TvsValue(V);
    FDirect = &FValue;
    switch (V.VType()) {
    case varBoolean:
        FTyp = fvtBool;
        break;
    case varSingle:
    case varDouble:
    case varCurrency:
        FTyp = fvtFloat;
        break;
    case varString:
    case varOleStr:
        FTyp = fvtString;
        break;
    default:
        FTyp = fvtInt;
        break;
    }
}

TvsDesignatorNode::TvsDesignatorNode(TvsDesignator* D) : FDesignator(D) {
    FSource = D->DesignatorKind() == dkVariable ? D->RefItem() : D;
    // A plain variable is read where it is stored.
    const TvsItemKind kind = FSource->Kind();
    FDirect = kind == TvsItemKind::ikVariable || kind == TvsItemKind::ikParam ||
                      kind == TvsItemKind::ikStringVariable
                  ? &FSource->Stored()
                  : nullptr;
    if (FDirect) FHookFlag = FSource->HookFlag();
    FTyp = D->Typ();
    FTypeName = D->TypeName();
    FReadOnly = D->ReadOnly();
}

TvsDesignatorNode::~TvsDesignatorNode() {
    delete FDesignator;
}

Variant TvsDesignatorNode::FetchValue() {
    return FSource->FetchValue();
}

TvsSetNode::TvsSetNode(TvsSetExpression* S) : FSet(S) {
    FTyp = fvtVariant;
    FDirect = nullptr;
}

TvsSetNode::~TvsSetNode() {
    delete FSet;
}

Variant TvsSetNode::FetchValue() {
    return FSet->FetchValue();
}

TvsOperatorNode::TvsOperatorNode(TvsOperator Op, bool StrCat) : FOp(Op), FStrCat(StrCat) {}

String TvsOperatorNode::ClassName() const {
    return FStrCat ? "TStrCatNode" : kNodeNames[FOp];
}

Integer TvsOperatorNode::Precedence() const {
    return FOp <= opIs ? kPriority[FOp] : 0;
}

Variant TvsOperatorNode::InValue() {
    if (Right && !Right->IsOperator()) {
        if (auto* set = dynamic_cast<TvsSetNode*>(Right))
            return Variant(set->Set()->Contains(Left->FetchValue()));
    }
    const Variant r = Right->FetchValue();
    const Variant x = Left->FetchValue();
    const int high = VarArrayHighBound(r, 1);
    bool result = false;
    for (int i = 0; i <= high && !result; ++i) {
        const Variant ri = VarArrayGet(r, {i});
        result = VarCompare(TVarOp::CmpEQ, x, ri);
        if (!result && i < high - 1 && VarIsNull(VarArrayGet(r, {i + 1}))) {
            result =
                VarCompare(TVarOp::CmpGE, x, ri) && VarCompare(TVarOp::CmpLE, x, VarArrayGet(r, {i + 2}));
            i += 2;
        }
    }
    return Variant(result);
}

namespace {

// The results of the operators as compact values or as variants.
template <class TResult> TResult ResultOf(TvsValue&& value) {
    if constexpr (std::is_same_v<TResult, TvsValue>)
        return std::move(value);
    else
        return std::move(value).ToVariant();
}
template <class TResult> TResult ResultOf(Variant&& value) {
    if constexpr (std::is_same_v<TResult, TvsValue>)
        return TvsValue(std::move(value));
    else
        return std::move(value);
}
template <class TResult> TResult IntegerResult(TIntResult kind, Int64 out) {
    if constexpr (std::is_same_v<TResult, TvsValue>)
        return kind == TIntResult::Integer ? TvsValue::OfInteger(static_cast<Integer>(out))
                                           : TvsValue::OfBoolean(out != 0);
    else
        return kind == TIntResult::Integer ? Variant(static_cast<Integer>(out)) : Variant(out != 0);
}
template <class TResult> TResult Fetch(TvsExpressionNode* node) {
    if constexpr (std::is_same_v<TResult, TvsValue>)
        return node->FetchCompact();
    else
        return node->FetchValue();
}

bool AsBoolean(const TvsValue& value) {
    if (value.IsBoolean()) return value.IntPayload() != 0;
    Variant temp;
    return vsVariantOf(value, temp).AsBoolean();
}

} // namespace

template <class TResult>
[[gnu::always_inline]] inline TResult TvsOperatorNode::Binary(const TvsValue& l, const TvsValue& r) const {
    if (l.IsInteger() && r.IsInteger()) {
        Int64 out = 0;
        const TIntResult kind = IntegerOp(FOp, l.IntPayload(), r.IntPayload(), out);
        if (kind != TIntResult::None) return IntegerResult<TResult>(kind, out);
    }
    return BinarySlow<TResult>(l, r);
}

template <class TResult> TResult TvsOperatorNode::BinarySlow(const TvsValue& l, const TvsValue& r) const {
    Variant lt, rt;
    return ResultOf<TResult>(Apply(vsVariantOf(l, lt), vsVariantOf(r, rt)));
}

template <class TResult> TResult TvsOperatorNode::EvaluateOther() {
    switch (FOp) {
    case opNone:
        return Fetch<TResult>(Left);
    case opNot:
        return ResultOf<TResult>(VarUnaryOp(TVarOp::Not, Left->FetchValue()));
    case opUnMinus:
        return ResultOf<TResult>(VarUnaryOp(TVarOp::Negate, Left->FetchValue()));
    case opIn:
        return ResultOf<TResult>(InValue());
    case opIs: {
        TObject* obj = vsVariantToObject(Left->FetchValue());
        return ResultOf<TResult>(Variant(obj != nullptr && IsClass && IsClass->ClassRef()->IsInstance(obj)));
    }
    case opOr:
    case opAnd:
        if (BoolShortcut) {
            TvsValue l = Left->FetchCompact();
            const bool b = AsBoolean(l);
            if (FOp == opOr ? !b : b) return Fetch<TResult>(Right);
            return ResultOf<TResult>(std::move(l));
        }
        break;
    default:
        break;
    }
    vsCheckStack();
    const TvsValue l = Left->FetchCompact();
    return Binary<TResult>(l, Right->FetchCompact());
}

template <class TResult> [[gnu::always_inline]] inline TResult TvsOperatorNode::Evaluate() {
    // A stored integer and an integer constant (a counter against a limit, N - 1) are computed
    // without further tests.
    if (RightIntConst) {
        const TvsValue* ld = Left->Direct();
        if (ld && ld->IsInteger()) {
            Int64 out = 0;
            const TIntResult kind = IntegerOp(FOp, ld->IntPayload(), RightInt, out);
            if (kind != TIntResult::None) return IntegerResult<TResult>(kind, out);
        }
    }
    return EvaluateGeneral<TResult>();
}

template <class TResult> TResult TvsOperatorNode::EvaluateGeneral() {
    if (!PlainBinary) [[unlikely]]
        return EvaluateOther<TResult>();
    const TvsValue* ld = Left->Direct();
    // Stored operands (a counter against a limit, a variable and a constant) are read in place;
    // the left one only when evaluating the right one cannot change it.
    if (const TvsValue* rd = Right->Direct()) {
        if (ld) return Binary<TResult>(*ld, *rd);
        vsCheckStack();
        return Binary<TResult>(Left->FetchCompact(), *rd);
    }
    vsCheckStack();
    if (ld && RightPure) {
        const TvsValue r = Right->FetchCompact();
        return Binary<TResult>(*ld, r);
    }
    const TvsValue l = Left->FetchCompact();
    return Binary<TResult>(l, Right->FetchCompact());
}

Variant TvsOperatorNode::FetchValue() {
    return Evaluate<Variant>();
}

TvsValue TvsOperatorNode::FetchCompact() {
    return Evaluate<TvsValue>();
}

Variant TvsOperatorNode::Apply(const Variant& l, const Variant& r) const {
    switch (FOp) {
    case opGreat:
    case opLess:
    case opLessEq:
    case opGreatEq:
    case opNonEq:
    case opEq:
        return Variant(VarCompare(CompareOp(FOp), l, r));
    case opPlus:
        if (FStrCat && l.VType() == varString) return Variant(l.AsString() + VarToStr(r));
        return VarBinaryOp(TVarOp::Add, l, r);
    case opMinus:
        return VarBinaryOp(TVarOp::Subtract, l, r);
    case opMul:
        return VarBinaryOp(TVarOp::Multiply, l, r);
    case opDivFloat:
        return VarBinaryOp(TVarOp::Divide, l, r);
    case opDivInt:
        return VarBinaryOp(TVarOp::IntDivide, l, r);
    case opMod:
        return VarBinaryOp(TVarOp::Modulus, l, r);
    case opShl:
        return VarBinaryOp(TVarOp::ShiftLeft, l, r);
    case opShr:
        return VarBinaryOp(TVarOp::ShiftRight, l, r);
    case opXor:
        return VarBinaryOp(TVarOp::Xor, l, r);
    case opOr:
        return VarBinaryOp(TVarOp::Or, l, r);
    case opAnd:
        return VarBinaryOp(TVarOp::And, l, r);
    default:
        return Null();
    }
}

// --- TvsExpression ---------------------------------------------------------------------------------

TvsExpression::TvsExpression(TvsScript* Script) : FScript(Script) {
    FRoot = NewNode(new TvsOperatorNode(opNone, false));
    FCurrent = FRoot;
}

TvsExpression::~TvsExpression() = default;

TvsExpressionNode* TvsExpression::NewNode(TvsExpressionNode* Node) {
    FNodes.emplace_back(Node);
    Node->Pos = CurrentPos;
    return Node;
}

void TvsExpression::AttachOperand(TvsExpressionNode* N) {
    if (!FCurrent->Left)
        FCurrent->Left = N;
    else if (!FCurrent->Right)
        FCurrent->Right = N;
    N->Parent = FCurrent;
    FCurrent = N;
}

void TvsExpression::AppendConstant(const Variant& V) {
    AttachOperand(NewNode(new TvsOperandNode(V)));
}

void TvsExpression::AppendDesignator(TvsDesignator* D) {
    AttachOperand(NewNode(D->DesignatorKind() == dkCall ? new TvsCallNode(D) : new TvsDesignatorNode(D)));
}

void TvsExpression::AppendSet(TvsSetExpression* S) {
    AttachOperand(NewNode(new TvsSetNode(S)));
}

void TvsExpression::AppendOperator(const String& Text) {
    const String upper = UpperCase(Text);
    const TOperatorText* found = nullptr;
    for (const TOperatorText& o : kOperators)
        if (upper == o.Text) {
            found = &o;
            break;
        }
    if (!found) return;
    auto* n = static_cast<TvsOperatorNode*>(NewNode(new TvsOperatorNode(found->Op, found->StrCat)));

    if (Text == "(" || Text == "unminus" || Text == "not") {
        AttachOperand(n);
        return;
    }
    if (found->Op == opRightBracket) {
        TvsExpressionNode* b = FCurrent;
        while (b && b->Precedence() <= n->Precedence())
            b = b->Parent;
        if (!b || b == FRoot) return; // an unbalanced ")": nothing to close
        TvsExpressionNode* parent = b->Parent;
        TvsExpressionNode* inner = b->Left;
        if (parent->Left == b)
            parent->Left = inner;
        else
            parent->Right = inner;
        if (inner) inner->Parent = parent;
        FCurrent = inner ? inner : parent;
        return;
    }
    if (FCurrent == FRoot) {
        AttachOperand(n);
        return;
    }
    TvsExpressionNode* a = nullptr;
    TvsExpressionNode* c = FCurrent;
    if (!(c->IsOperator() && static_cast<TvsOperatorNode*>(c)->Op() == opLeftBracket)) {
        a = c;
        c = c->Parent;
    }
    while (c->Precedence() <= n->Precedence() && c->Parent) {
        a = c;
        c = c->Parent;
    }
    // Detach A from C and put N in its place, A becoming N's left child.
    if (a) {
        if (c->Left == a)
            c->Left = n;
        else if (c->Right == a)
            c->Right = n;
        a->Parent = n;
        n->Left = a;
    } else if (!c->Left) {
        c->Left = n;
    } else {
        c->Right = n;
    }
    n->Parent = c;
    FCurrent = n;
}

namespace {

// Evaluating the node changes nothing and calls nothing: a constant, a plain variable without a
// host hook, or a plain operator on such operands.
bool IsPure(const TvsExpressionNode* node) {
    if (!node) return true;
    if (node->IsDirect()) return node->Direct() != nullptr;
    if (!node->IsOperator()) return false;
    auto* op = static_cast<const TvsOperatorNode*>(node);
    return (op->PlainBinary && op->RightPure && IsPure(op->Left)) ||
           ((op->Op() == opNot || op->Op() == opUnMinus) && IsPure(op->Left));
}

} // namespace

void TvsExpression::MarkPlain(TvsOperatorNode& node) {
    const TvsOperator op = node.Op();
    const bool shortcut = (op == opOr || op == opAnd) && node.BoolShortcut;
    node.PlainBinary = node.Left && node.Right && !shortcut && op != opNone && op != opNot &&
                       op != opUnMinus && op != opIn && op != opIs && op != opLeftBracket &&
                       op != opRightBracket;
    node.RightPure = node.PlainBinary && IsPure(node.Right);
    const TvsValue* constant = node.PlainBinary && dynamic_cast<const TvsOperandNode*>(node.Right) &&
                                       !dynamic_cast<const TvsDesignatorNode*>(node.Right) &&
                                       !dynamic_cast<const TvsSetNode*>(node.Right)
                                   ? node.Right->Direct()
                                   : nullptr;
    node.RightIntConst = constant && constant->IsInteger();
    node.RightInt = node.RightIntConst ? constant->IntPayload() : 0;
}

TvsVarType TvsExpression::NodeType(TvsExpressionNode* Node, String& TypeName) const {
    if (!Node) {
        TypeName.clear();
        return fvtVariant;
    }
    TypeName = Node->TypeName();
    return Node->Typ();
}

bool TvsExpression::CheckNode(TvsExpressionNode* Node) {
    if (!Node->IsOperator()) return true;
    auto* op = static_cast<TvsOperatorNode*>(Node);
    String ln, rn;
    const TvsVarType l = NodeType(Node->Left, ln);
    const TvsVarType r = NodeType(Node->Right, rn);
    if (l == fvtBool && r == fvtBool) op->BoolShortcut = true;
    const TvsOperator code = op->Op();
    if (code == opIs && Node->Right && Node->Right->Typ() == fvtClass) {
        if (auto* dn = dynamic_cast<TvsDesignatorNode*>(Node->Right))
            if (dn->Designator()->Count() > 0)
                op->IsClass = dynamic_cast<TvsClassVariable*>(dn->Designator()->Step(0)->Ref);
    }
    bool ok;
    if (code == opIs && l == fvtClass && r == fvtClass) {
        ok = true;
    } else {
        ok = TypesCompatible(l, ln, r, rn, FScript);
        if (ok) switch (l) {
            case fvtBool:
                ok = code == opNonEq || code == opEq || code == opOr || code == opXor || code == opAnd ||
                     code == opNot;
                break;
            case fvtChar:
            case fvtString:
                ok = IsComparison(code) || code == opPlus || code == opIn;
                break;
            case fvtClass:
            case fvtArray:
                ok = code == opNonEq || code == opEq;
                break;
            default:
                break;
            }
    }
    TvsVarType t = l;
    String tn = ln;
    if ((l == fvtInt && r == fvtFloat) || (l == fvtFloat && r == fvtInt)) {
        t = fvtFloat;
        tn.clear();
    } else if (l == fvtInt && r == fvtInt && code == opDivFloat) {
        t = fvtFloat;
    }
    if (IsComparison(code) || code == opIn || code == opIs) {
        t = fvtBool;
        tn.clear();
    }
    Node->SetTyp(t);
    Node->SetTypeName(tn);
    return ok;
}

void TvsExpression::CompleteTree(String& ErrorPos) {
    ErrorPos.clear();
    TvsExpressionNode* sentinel = FRoot;
    FRoot = sentinel->Left;
    if (!FRoot) {
        // No operand at all: an empty expression is Null.
        FRoot = NewNode(new TvsOperandNode(Null()));
        FRoot->SetTyp(fvtVariant);
    }
    FRoot->Parent = nullptr;
    sentinel->Left = nullptr;

    // Post-order walk without recursion: the tree may be deep (a long chain of operators).
    struct TFrame {
        TvsExpressionNode* Node;
        int Depth;
        bool Visited;
    };
    std::vector<TFrame> stack{{FRoot, 1, false}};
    while (!stack.empty()) {
        TFrame& f = stack.back();
        if (f.Depth > vsMaxExpressionDepth) throw EvsScriptError(STooDeep);
        if (!f.Visited) {
            f.Visited = true;
            TvsExpressionNode* node = f.Node;
            const int depth = f.Depth;
            if (node->Right) stack.push_back({node->Right, depth + 1, false});
            if (node->Left) stack.push_back({node->Left, depth + 1, false});
            continue;
        }
        TvsExpressionNode* node = f.Node;
        stack.pop_back();
        if (!CheckNode(node) && ErrorPos.empty()) ErrorPos = node->Pos.empty() ? String("0:0") : node->Pos;
        if (node->IsOperator()) MarkPlain(*static_cast<TvsOperatorNode*>(node));
    }
    SetRoot(FRoot);
    auto* dn = dynamic_cast<TvsDesignatorNode*>(FRoot);
    FReadOnly = !(dn && !dn->Designator()->ReadOnly());
}

bool TvsExpression::Test() {
    // A comparison of two stored integers is decided in place.
    if (FCompare) {
        const TvsValue* l = FCompare->Left->Direct();
        if (FCompare->RightIntConst && l && l->IsInteger()) {
            Int64 out = 0;
            IntegerOp(FCompare->Op(), l->IntPayload(), FCompare->RightInt, out);
            return out != 0;
        }
        const TvsValue* r = FCompare->Right->Direct();
        if (l && r && l->IsInteger() && r->IsInteger()) {
            Int64 out = 0;
            IntegerOp(FCompare->Op(), l->IntPayload(), r->IntPayload(), out);
            return out != 0;
        }
    }
    return AsBoolean(FRoot->FetchCompact());
}

void TvsExpression::SetRoot(TvsExpressionNode* node) {
    FRoot = node;
    FRoot->Parent = nullptr;
    FTyp = FRoot->Typ();
    FTypeName = FRoot->TypeName();
    FCompare = nullptr;
    if (FRoot->IsOperator()) {
        auto* op = static_cast<TvsOperatorNode*>(FRoot);
        if (op->PlainBinary && IsComparison(op->Op())) FCompare = op;
    }
}

void TvsExpression::StoreValue(const Variant& V) {
    if (FReadOnly) return;
    if (auto* dn = dynamic_cast<TvsDesignatorNode*>(FRoot)) dn->Designator()->StoreValue(V);
}

TvsCustomVariable* TvsExpression::SoleOperand() const {
    if (auto* dn = dynamic_cast<TvsDesignatorNode*>(FRoot)) return dn->Source();
    if (FRoot && !FRoot->IsOperator() && !dynamic_cast<TvsSetNode*>(FRoot)) return FRoot;
    return nullptr;
}

void TvsExpression::FoldAssignment(TvsDesignator* Target, String& Modifier) {
    Modifier = " ";
    if (!Target || Target->DesignatorKind() != dkVariable || !FRoot->IsOperator()) return;
    auto* op = static_cast<TvsOperatorNode*>(FRoot);
    const TvsOperator code = op->Op();
    if (code != opPlus && code != opMinus && code != opMul && code != opDivFloat) return;
    TvsCustomVariable* var = Target->RefItem();
    auto sameVariable = [var](TvsExpressionNode* n) {
        auto* dn = dynamic_cast<TvsDesignatorNode*>(n);
        return dn && dn->Designator()->DesignatorKind() == dkVariable && dn->Designator()->RefItem() == var;
    };
    auto makeRoot = [this](TvsExpressionNode* n) { SetRoot(n); };
    // X := X & E joins texts (the compound add would add numbers): it folds into the joining kind.
    if (op->IsStrCat()) {
        if (sameVariable(op->Left) && op->Right) {
            makeRoot(op->Right);
            Modifier = "&";
        }
        return;
    }
    if (sameVariable(op->Left) && op->Right) {
        makeRoot(op->Right);
        Modifier = code == opPlus ? "+" : code == opMinus ? "-" : code == opMul ? "*" : "/";
    } else if ((code == opPlus || code == opMul) && sameVariable(op->Right) && op->Left &&
               var->Typ() != fvtString && var->Typ() != fvtVariant) {
        makeRoot(op->Left);
        Modifier = code == opPlus ? "+" : "*";
    }
}
