// Program objects of a compiled script: expressions (operator trees on variants), designators
// (access paths such as Form1.Edit1.Text or List.Items[I]) and statements.
#pragma once

#include "script/vs_iinterpreter.h"

class TvsXMLItem;
class TvsDesignator;

// --- expressions -------------------------------------------------------------------------------

class TvsCustomExpression : public TvsCustomVariable {
public:
    TvsCustomExpression() : TvsCustomVariable(String(), fvtVariant, String(), TvsItemKind::ikExpression) {}
    String ClassName() const override { return "TvsCustomExpression"; }
};

// Operator codes; the text handed to AppendOperator selects one.
enum TvsOperator : Byte {
    opNone = 0,
    opGreat = 1,
    opLess = 2,
    opLessEq = 3,
    opGreatEq = 4,
    opNonEq = 5,
    opEq = 6,
    opPlus = 7, // also STRCAT
    opMinus = 8,
    opOr = 9,
    opXor = 10,
    opMul = 11,
    opDivFloat = 12,
    opDivInt = 13,
    opMod = 14,
    opAnd = 15,
    opShl = 16,
    opShr = 17,
    opLeftBracket = 18,
    opRightBracket = 19,
    opNot = 20,
    opUnMinus = 21,
    opIn = 22,
    opIs = 23,
};

class TvsExpressionNode : public TvsCustomVariable {
public:
    TvsExpressionNode() : TvsCustomVariable(String(), fvtVariant, String()) {}
    String ClassName() const override { return "TvsExpressionNode"; }
    virtual Integer Precedence() const { return 0; }
    virtual bool IsOperator() const { return false; }
    TvsExpressionNode* Left = nullptr;
    TvsExpressionNode* Right = nullptr;
    TvsExpressionNode* Parent = nullptr;
    String Pos; // source position of the operand or operator

    // The stored value when the node has one now (a constant, or a plain variable without a
    // host hook), read in place; else nullptr.
    const TvsValue* Direct() const { return FDirect && !*FHookFlag ? FDirect : nullptr; }
    // Reading the node changes nothing (a constant or a plain variable).
    bool IsDirect() const { return FDirect != nullptr; }

protected:
    static constexpr bool kNoHook = false;
    const TvsValue* FDirect = nullptr;
    const bool* FHookFlag = &kNoHook; // set when a host hook replaces the value FDirect reads
};

// A constant leaf.
class TvsOperandNode : public TvsExpressionNode {
public:
    TvsOperandNode() = default;
    explicit TvsOperandNode(const Variant& V);
    String ClassName() const override { return "TvsOperandNode"; }
    Variant FetchValue() override { return FValue.ToVariant(); }
    TvsValue FetchCompact() override { return FValue; }
};

// A designator leaf; reads its value source (the target variable of a variable designator).
class TvsDesignatorNode : public TvsOperandNode {
public:
    explicit TvsDesignatorNode(TvsDesignator* D);
    ~TvsDesignatorNode() override;
    String ClassName() const override { return "TvsDesignatorNode"; }
    Variant FetchValue() override;
    TvsValue FetchCompact() override { return FSource->FetchCompact(); }
    TvsDesignator* Designator() const { return FDesignator; }
    TvsCustomVariable* Source() const { return FSource; }

private:
    TvsDesignator* FDesignator;
    TvsCustomVariable* FSource;
};

// A call of a script function as an operand: it runs here, not through its designator.
class TvsCallNode : public TvsDesignatorNode {
public:
    using TvsDesignatorNode::TvsDesignatorNode;
    TvsValue FetchCompact() override;
};

// A set-literal leaf.
class TvsSetNode : public TvsOperandNode {
public:
    explicit TvsSetNode(TvsSetExpression* S);
    ~TvsSetNode() override;
    String ClassName() const override { return "TvsSetNode"; }
    Variant FetchValue() override;
    TvsValue FetchCompact() override { return TvsValue(FetchValue()); }
    TvsSetExpression* Set() const { return FSet; }

private:
    TvsSetExpression* FSet;
};

class TvsOperatorNode : public TvsExpressionNode {
public:
    TvsOperatorNode(TvsOperator Op, bool StrCat);
    String ClassName() const override;
    Integer Precedence() const override;
    bool IsOperator() const override { return true; }
    Variant FetchValue() override;
    TvsValue FetchCompact() override;
    TvsOperator Op() const { return FOp; }
    bool IsStrCat() const { return FStrCat; }
    bool BoolShortcut = false;
    // Set on an IS node: the class registration of its right operand.
    TvsClassVariable* IsClass = nullptr;
    // Set when the tree is complete (see TvsExpression::CompleteTree): the node applies a binary
    // operator to both values (no shortcut, set or class test), and evaluating its right operand
    // changes nothing (constants, plain variables and such operators on them).
    bool PlainBinary = false;
    bool RightPure = false;
    // The right operand of a plain binary node is an integer constant: its value.
    bool RightIntConst = false;
    Int64 RightInt = 0;

private:
    template <class TResult> TResult Evaluate();
    template <class TResult> [[gnu::noinline]] TResult EvaluateGeneral();
    template <class TResult> [[gnu::noinline]] TResult EvaluateOther();
    template <class TResult> TResult Binary(const TvsValue& l, const TvsValue& r) const;
    template <class TResult> [[gnu::noinline]] TResult BinarySlow(const TvsValue& l, const TvsValue& r) const;
    Variant InValue();
    // The binary operator on two values (after the integer fast path).
    Variant Apply(const Variant& L, const Variant& R) const;
    TvsOperator FOp;
    bool FStrCat;
};

class TvsExpression : public TvsCustomExpression {
public:
    explicit TvsExpression(TvsScript* Script);
    ~TvsExpression() override;
    String ClassName() const override { return "TvsExpression"; }

    void AppendConstant(const Variant& V);
    void AppendDesignator(TvsDesignator* D);
    void AppendSet(TvsSetExpression* S);
    void AppendOperator(const String& Text);
    // Removes the sentinel root and type-checks the tree: ErrorPos gets the position of the first
    // node that fails, empty when all pass. Raises EvsScriptError STooDeep for a tree deeper than
    // vsMaxExpressionDepth.
    void CompleteTree(String& ErrorPos);
    Variant FetchValue() override { return FRoot->FetchValue(); }
    TvsValue FetchCompact() override { return FRoot->FetchCompact(); }
    // The value as a condition (AsBoolean); a comparison of two stored integers is decided
    // without building a value.
    bool Test();
    void StoreValue(const Variant& V) override;
    TvsCustomVariable* SoleOperand() const;
    void FoldAssignment(TvsDesignator* Target, String& Modifier);

    String CurrentPos; // source position given to the next operand or operator
    String SourceText; // the expression as written (passed to macro functions)
    TvsExpressionNode* Root() const { return FRoot; }

private:
    TvsExpressionNode* NewNode(TvsExpressionNode* Node);
    void AttachOperand(TvsExpressionNode* N);
    bool CheckNode(TvsExpressionNode* Node);
    // Sets the evaluation hints of an operator node whose operands are complete.
    static void MarkPlain(TvsOperatorNode& node);
    TvsVarType NodeType(TvsExpressionNode* Node, String& TypeName) const;
    // Makes node the root and takes its type.
    void SetRoot(TvsExpressionNode* node);

    TvsScript* FScript;
    TvsExpressionNode* FRoot;
    TvsExpressionNode* FCurrent;
    TvsOperatorNode* FCompare = nullptr;                    // the root when it is a plain comparison
    std::vector<std::unique_ptr<TvsExpressionNode>> FNodes; // every node the tree ever held
};

// Deeper operator trees fail to compile instead of exhausting the stack when evaluated.
constexpr int vsMaxExpressionDepth = 1000;

// --- designators -------------------------------------------------------------------------------

// One step of an access path: the item it names and its argument expressions (owned).
class TvsDesignatorItem : public TvsItemList {
public:
    String ClassName() const override { return "TvsDesignatorItem"; }
    TvsCustomVariable* Ref = nullptr;
    String Pos;
    bool Indexed = false;
    TvsCustomExpression* Arg(Integer Index) const { return static_cast<TvsCustomExpression*>(Item(Index)); }
};

// dkCall: a call of a procedure of the script (one step), run without the general path's steps.
enum TvsDesignatorKind : Byte { dkGeneral = 0, dkVariable = 1, dkString = 2, dkArray = 3, dkCall = 4 };

class TvsDesignator : public TvsCustomVariable {
public:
    explicit TvsDesignator(TvsScript* Script);
    ~TvsDesignator() override;
    String ClassName() const override { return "TvsDesignator"; }

    Variant FetchValue() override;
    void StoreValue(const Variant& V) override;

    TvsDesignatorItem* Step(Integer Index) const { return static_cast<TvsDesignatorItem*>(Item(Index)); }
    TvsDesignatorItem* LastStep() const { return Count() ? Step(Count() - 1) : nullptr; }
    TvsDesignatorItem* AddStep(TvsCustomVariable* Ref, const String& Pos);
    void RemoveLastStep();

    void ResolveKind();
    void Borrow(TvsDesignator& Other);
    TvsDesignatorKind DesignatorKind() const { return FDKind; }
    TvsScript* Script() const { return FScript; }
    // Late binding: the kept intermediate-form element, resolved at the first use.
    void SetLateBinding(std::unique_ptr<TvsXMLItem> Element);
    bool IsLateBound() const { return FLateElement != nullptr; }

protected:
    void ResolveLateBinding();
    Variant Evaluate(const Variant* Assign);

    TvsDesignatorKind FDKind = dkGeneral;
    TvsScript* FScript;
    void* FRef1 = nullptr;
    void* FRef2 = nullptr;
    std::unique_ptr<TvsXMLItem> FLateElement;
};

class TvsVariableDesignator : public TvsDesignator {
public:
    using TvsDesignator::TvsDesignator;
    String ClassName() const override { return "TvsVariableDesignator"; }
    Variant FetchValue() override { return FRefItem->FetchValue(); }
    TvsValue FetchCompact() override { return FRefItem->FetchCompact(); }
    void StoreValue(const Variant& V) override { FRefItem->StoreValue(V); }
};

class TvsStringDesignator : public TvsDesignator {
public:
    using TvsDesignator::TvsDesignator;
    String ClassName() const override { return "TvsStringDesignator"; }
    Variant FetchValue() override;
    void StoreValue(const Variant& V) override;
};

class TvsArrayDesignator : public TvsDesignator {
public:
    using TvsDesignator::TvsDesignator;
    String ClassName() const override { return "TvsArrayDesignator"; }
    Variant FetchValue() override;
    TvsValue FetchCompact() override;
    void StoreValue(const Variant& V) override;
    void StoreCompact(TvsValue&& V) override;

private:
    // The element of a compact one-dimensional array at the stored integer index of a
    // single-index access; nullptr when the access is not of that form now.
    TvsValue* CompactElement(bool forWriting) {
        if (!FIndexKnown) [[unlikely]]
            FindIndexNode();
        if (!FIndexNode) return nullptr;
        const TvsValue* index = FIndexNode->Direct();
        const TvsCompactArray* a = FRefItem->Stored().Array();
        if (!index || !a || !index->IsInteger() || a->Low.size() != 1) return nullptr;
        TvsCompactArray* target =
            forWriting ? FRefItem->Stored().MutableArray() : const_cast<TvsCompactArray*>(a);
        return target->At1(index->IntPayload());
    }
    void FindIndexNode();
    [[gnu::noinline]] TvsValue FetchGeneral();
    [[gnu::noinline]] void StoreGeneral(TvsValue&& value);
    TvsExpressionNode* FIndexNode = nullptr; // the sole index when it may be stored
    bool FIndexKnown = false;
    // An element reached directly: one of the two is set, or neither.
    struct TElement {
        TvsValue* Compact = nullptr;
        Variant* Item = nullptr;
    };
    TElement Element(const TvsValue& index, bool forWriting);
    TElement Locate(bool forWriting);
    Integer Prepare(TvsValue (&indexes)[3]);
    void HandOver(TvsValue (&indexes)[3], Integer count);
    bool SingleIndex() const;
    TvsExpressionNode* FirstIndex() const;
};

class TvsCallDesignator : public TvsDesignator {
public:
    using TvsDesignator::TvsDesignator;
    String ClassName() const override { return "TvsCallDesignator"; }
    Variant FetchValue() override;
    TvsValue FetchCompact() override;

private:
    friend class TvsCallNode;
    template <class TResult> TResult Call();
};

// --- statements --------------------------------------------------------------------------------

// A statement list: runs its children in order on the control-flow flags of its script.
class TvsStatement : public TvsItemList {
public:
    TvsStatement(TvsScript* Script, const String& SourcePos, const String& UnitName);
    String ClassName() const override { return "TvsStatement"; }
    virtual void Perform();
    TvsStatement* Child(Integer Index) const { return static_cast<TvsStatement*>(Item(Index)); }
    TvsScript* Script() const { return FScript; }
    const String& SourcePos() const { return FSourcePos; }
    const String& UnitName() const { return FUnitName; }

    // Runs the statements of the list (Perform of the base), a sole statement without the loop.
    void PerformList() {
        const size_t n = FList.size();
        if (n == 1) {
            if (!FScript->TerminateRequested) RunChild(static_cast<TvsStatement*>(FList[0]));
        } else if (n) {
            TvsStatement::Perform();
        }
    }
    // Runs one statement; an error passing it is recorded as arising there (when no statement
    // inside recorded it first).
    static void RunChild(TvsStatement* child) {
        try {
            child->Perform();
        } catch (...) {
            child->RecordError();
            throw;
        }
    }
    [[gnu::cold]] void RecordError() const;
    // A script of the chain has OnRunLine: the statements report each line they run.
    bool Traced() const {
        if (!TvsRunLineHook::AnySet()) return false;
        for (const TvsScript* s = FScript; s; s = s->ParentScript)
            if (s->OnRunLine) return true;
        return false;
    }

protected:
    // The line hook: NotifyRunLine when a script of the chain has OnRunLine (a host that follows
    // or debugs the run), then false when the script is to stop.
    bool Hook() {
        if (Traced()) FScript->NotifyRunLine(FUnitName, FSourcePos);
        return !FScript->TerminateRequested;
    }

    TvsScript* FScript;
    String FSourcePos;
    String FUnitName;
};

class TvsAssignmentStmt : public TvsStatement {
public:
    using TvsStatement::TvsStatement;
    ~TvsAssignmentStmt() override;
    String ClassName() const override { return "TvsAssignmentStmt"; }
    void Perform() override;
    void SelectOperands();
    TvsDesignator* Designator = nullptr;
    TvsExpression* Expression = nullptr;

protected:
    TvsCustomVariable* FTarget = nullptr;
    TvsCustomVariable* FSource = nullptr;
    bool FSourcePure = false;         // reading the source changes nothing (a constant or a plain variable)
    bool FStepTarget = false;         // the target is an Integer or Variant variable (integers step in place)
    bool FTargetTakesAny = false;     // the target stores any value as it comes
    bool FTargetTakesInteger = false; // ... an integer as it comes
    static constexpr bool kNoHook = false;
    const TvsValue* FSourceValue = nullptr; // the source's value, read in place unless *FSourceHook
    const bool* FSourceHook = &kNoHook;
};

// X := X op E, with op one of + - * / and & (the joining of texts of the line-oriented languages).
class TvsAssignOpStmt : public TvsAssignmentStmt {
public:
    TvsAssignOpStmt(TvsScript* Script, const String& SourcePos, const String& UnitName, char Op)
        : TvsAssignmentStmt(Script, SourcePos, UnitName), FOp(Op) {}
    String ClassName() const override;
    void Perform() override;

private:
    [[gnu::noinline]] void PerformGeneral();
    bool AppendInPlace();
    // Target := v op e.
    void Apply(const Variant& v, const Variant& e);
    char FOp;
};

class TvsCallStmt : public TvsStatement {
public:
    using TvsStatement::TvsStatement;
    ~TvsCallStmt() override;
    String ClassName() const override { return "TvsCallStmt"; }
    void Perform() override;
    // Called by the builder once Designator and Modifier are set.
    void Prepare();
    // I++ or I-- on an integer kept in a plain variable, stepped in place without the line hook;
    // false (nothing done) for anything else.
    bool StepInPlace() {
        if (!FCounter || !FCounter->Stored().IsInteger() || FCounter->ReadOnly() || FCounter->HasHook())
            return false;
        const Int64 n = FCounter->Stored().IntPayload() + FDelta;
        if (n < INT32_MIN || n > INT32_MAX) return false;
        FCounter->Stored().SetInteger(static_cast<Integer>(n));
        return true;
    }
    TvsDesignator* Designator = nullptr;
    String Modifier; // "", "+" or "-"

private:
    [[gnu::noinline]] void Step(Int64 delta);
    Int64 FDelta = 0;                      // of the modifier: 1, -1, or 0 for a plain call
    TvsCustomVariable* FCounter = nullptr; // a variable that may step in place
};

class TvsIfStmt : public TvsStatement {
public:
    TvsIfStmt(TvsScript* Script, const String& SourcePos, const String& UnitName);
    ~TvsIfStmt() override;
    String ClassName() const override { return "TvsIfStmt"; }
    void Perform() override;
    TvsExpression* Condition = nullptr;
    std::unique_ptr<TvsStatement> ElseStmt;
};

class TvsCaseSelector : public TvsStatement {
public:
    using TvsStatement::TvsStatement;
    ~TvsCaseSelector() override;
    String ClassName() const override { return "TvsCaseSelector"; }
    TvsSetExpression* SetExpression = nullptr;
};

class TvsCaseStmt : public TvsStatement {
public:
    TvsCaseStmt(TvsScript* Script, const String& SourcePos, const String& UnitName);
    ~TvsCaseStmt() override;
    String ClassName() const override { return "TvsCaseStmt"; }
    void Perform() override;
    TvsExpression* Condition = nullptr;
    std::unique_ptr<TvsStatement> ElseStmt;
    // In the C-like languages a break ends the switch, not the loop around it.
    bool BreakEndsCase = false;
};

class TvsRepeatStmt : public TvsStatement {
public:
    using TvsStatement::TvsStatement;
    ~TvsRepeatStmt() override;
    String ClassName() const override { return "TvsRepeatStmt"; }
    void Perform() override;
    TvsExpression* Condition = nullptr;
    bool Inverse = false;
};

class TvsWhileStmt : public TvsStatement {
public:
    using TvsStatement::TvsStatement;
    ~TvsWhileStmt() override;
    String ClassName() const override { return "TvsWhileStmt"; }
    void Perform() override;
    TvsExpression* Condition = nullptr;
};

class TvsForStmt : public TvsStatement {
public:
    using TvsStatement::TvsStatement;
    ~TvsForStmt() override;
    String ClassName() const override { return "TvsForStmt"; }
    void Perform() override;
    TvsExpression* BeginValue = nullptr;
    bool Down = false;
    TvsExpression* EndValue = nullptr;
    TvsCustomVariable* Variable = nullptr;
};

class TvsVbForStmt : public TvsStatement {
public:
    using TvsStatement::TvsStatement;
    ~TvsVbForStmt() override;
    String ClassName() const override { return "TvsVbForStmt"; }
    void Perform() override;
    TvsExpression* BeginValue = nullptr;
    TvsExpression* EndValue = nullptr;
    TvsExpression* StepValue = nullptr;
    TvsCustomVariable* Variable = nullptr;
};

class TvsCppForStmt : public TvsStatement {
public:
    TvsCppForStmt(TvsScript* Script, const String& SourcePos, const String& UnitName);
    ~TvsCppForStmt() override;
    String ClassName() const override { return "TvsCppForStmt"; }
    void Perform() override;
    std::unique_ptr<TvsStatement> FirstStmt;
    TvsExpression* Condition = nullptr;
    std::unique_ptr<TvsStatement> SecondStmt;

private:
    // The second list's sole statement when it is I++ or I-- (see TvsCallStmt::StepInPlace).
    TvsCallStmt* Counter();
    TvsCallStmt* FCounter = nullptr;
    bool FCounterKnown = false;
};

class TvsTryStmt : public TvsStatement {
public:
    TvsTryStmt(TvsScript* Script, const String& SourcePos, const String& UnitName);
    String ClassName() const override { return "TvsTryStmt"; }
    void Perform() override;
    bool IsExcept = false;
    std::unique_ptr<TvsStatement> ExceptStmt;

private:
    void RunFinally();
};

class TvsBreakStmt : public TvsStatement {
public:
    using TvsStatement::TvsStatement;
    String ClassName() const override { return "TvsBreakStmt"; }
    void Perform() override;
};

class TvsContinueStmt : public TvsStatement {
public:
    using TvsStatement::TvsStatement;
    String ClassName() const override { return "TvsContinueStmt"; }
    void Perform() override;
};

class TvsExitStmt : public TvsStatement {
public:
    using TvsStatement::TvsStatement;
    String ClassName() const override { return "TvsExitStmt"; }
    void Perform() override;
};

class TvsWithStmt : public TvsStatement {
public:
    using TvsStatement::TvsStatement;
    ~TvsWithStmt() override;
    String ClassName() const override { return "TvsWithStmt"; }
    void Perform() override;
    TvsDesignator* Designator = nullptr;
    TvsCustomVariable* Variable = nullptr;
};

// The class name of an exception as scripts see it in ExceptionClassName ("EConvertError").
String vsExceptionClassName(const std::exception& E);
