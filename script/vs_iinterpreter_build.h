// The compiler's second phase: the intermediate form becomes program objects inside a script —
// items for the declarations, statements, expressions and designators — with declarations,
// types and argument counts checked. The first error ends the build; its message, position and
// unit are stored in the script.
#pragma once

#include "script/vs_iinterpreter_prog.h"

#include <memory>
#include <vector>

class TvsILParser;
class TvsXMLItem;

class TvsProgramBuilder {
public:
    enum TMode { bmNormal, bmConstructor, bmRelease };

    // Parser: the first phase that produced the intermediate form (null for resolving a
    // late-bound designator at run time).
    TvsProgramBuilder(TvsILParser* Parser, TvsScript* Script);
    TvsProgramBuilder(TvsILParser& Parser, TvsScript* Script) : TvsProgramBuilder(&Parser, Script) {}

    // Builds the parser's intermediate form into the script; never raises.
    void BuildProgram();
    // One dsgn element; raises on errors.
    std::unique_ptr<TvsDesignator> BuildDesignator(const TvsXMLItem& Element, TvsScript* Script, TMode Mode);

private:
    struct TWithEntry {
        String Name;
        TvsWithStmt* Statement;
        TvsCustomVariable* Variable;
    };

    void BuildProgramElement(TvsXMLItem& Element, TvsScript* Script);
    void DeclareProcedures(TvsXMLItem& Element, TvsScript* Script);
    void DeclareProcedure(TvsXMLItem& Element, TvsScript* Script);
    void BuildStatement(TvsXMLItem& Element, TvsScript* Script, TvsStatement* List);
    // The builders of the statement kinds (see BuildStatement).
    void BuildVarStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List);
    void BuildConstStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List);
    void BuildNestedProc(TvsXMLItem& E, TvsScript* S, TvsStatement* List);
    void BuildUsesStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List);
    void BuildAssignStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List);
    void BuildCallStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List);
    void BuildIfStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List);
    void BuildCaseStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List);
    void BuildForStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List);
    void BuildCppForStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List);
    void BuildWhileStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List);
    void BuildRepeatStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List);
    void BuildTryStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List);
    void BuildBreakStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List);
    void BuildContinueStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List);
    void BuildExitStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List);
    void BuildReturnStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List);
    void BuildDeleteStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List);
    void BuildStatements(TvsXMLItem& Element, TvsScript* Script, TvsStatement* List);
    void BuildVar(TvsXMLItem& Element, TvsScript* Script, TvsStatement* List, TvsProcVariable* Proc);
    void BuildConst(TvsXMLItem& Element, TvsScript* Script);
    void BuildWith(TvsXMLItem& Element, TvsScript* Script, TvsStatement* List);
    void BuildUses(TvsXMLItem& Element, TvsScript* Script);
    void AddStatement(TvsStatement* List, TvsStatement* Stmt, TvsXMLItem& Element);

    std::unique_ptr<TvsExpression> BuildExpression(const TvsXMLItem& Element, TvsScript* Script);
    void AppendExpressionItems(TvsExpression& E, const TvsXMLItem& Element, TvsScript* Script);
    TvsSetExpression* BuildSet(const TvsXMLItem& Element, TvsScript* Script);
    std::unique_ptr<TvsDesignator> BuildResultDesignator(const String& Pos, TvsScript* Script);
    void CheckArguments(TvsDesignator& D, TvsScript* Script);
    bool TryWith(TvsDesignator& D, const String& Name, const String& Pos, const TvsXMLItem& Element,
                 TvsScript* Script, bool& Finished);
    TvsDesignator* Finish(std::unique_ptr<TvsDesignator>& D);
    // The phases of BuildDesignator (see there).
    void AddressStep(TvsDesignator& D, const TvsXMLItem& Element, TvsScript* Script);
    bool FirstStep(TvsDesignator& D, const TvsXMLItem& Node, const TvsXMLItem& Element, TvsScript* Script,
                   TMode Mode);
    bool NextStep(TvsDesignator& D, Integer I, const TvsXMLItem& Element, TvsScript* Script);
    void DispatchSteps(TvsDesignator& D, Integer I, const TvsXMLItem& Element, TvsScript* Script);
    bool MemberStep(TvsDesignator& D, const String& Text, const String& Pos, const String& ClassName,
                    const Variant& Value, const TvsXMLItem& Element, TvsScript* Script);
    void LateBind(TvsDesignator& D, const TvsXMLItem& Element, bool KeepFirstOnly);
    void FinishDesignator(TvsDesignator& D, TvsScript* Script, TMode Mode);

    TvsCustomVariable* FindOrDeclare(const String& Name, TvsScript* Script);
    TvsVarType TypeCode(String& TypeName, TvsScript* Script);
    void CheckTypes(const TvsCustomVariable* Var, const TvsCustomVariable* Expr, TvsScript* Script);
    void SetPos(const TvsXMLItem& Element);
    static String Quoted(const String& Name);              // 'Name'
    static bool Is(const TvsXMLItem& E, const char* Name); // the element's name, without regard to case
    [[noreturn]] void Error(const String& Message);

    TvsILParser* FParser;
    TvsScript* FScript; // the compilation's own script
    String FErrorPos;
    String FUnitName;
    std::vector<TWithEntry> FWithList;
    TvsXMLItem* FCurrentProgram = nullptr;
    bool FDeclareVars = true;
    bool FCaseBreaks = false; // break in a case branch ends the case (C-like languages)
    bool FResolving = false;  // building a late-bound designator while the program runs
};

// Resolves a late-bound designator's kept element against the values the variables have now.
std::unique_ptr<TvsDesignator> vsBuildDesignator(const TvsXMLItem& Element, TvsScript* Script);
