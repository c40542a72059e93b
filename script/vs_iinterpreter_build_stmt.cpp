// The statement phase of the program builder: each kind of statement element of the intermediate
// form has its own builder; BuildStatement picks it by the element's name.
#include "rtl/Format.h"
#include "rtl/StrUtils.h"
#include "script/vs_iinterpreter_build.h"
#include "script/vs_xml.h"

#include <map>

// One statement element of the intermediate form becomes a statement appended to List (or, for
// declarations, items of S). The element's name selects the builder of its kind; an element of no
// known kind builds nothing. Each builder checks what its kind requires and raises (Error) on the
// first fault, with the position set from the element being read.
void TvsProgramBuilder::BuildStatement(TvsXMLItem& E, TvsScript* S, TvsStatement* List) {
    using TBuild = void (TvsProgramBuilder::*)(TvsXMLItem&, TvsScript*, TvsStatement*);
    static const std::map<String, TBuild> builders{
        {"compoundstmt", &TvsProgramBuilder::BuildStatements},
        {"var", &TvsProgramBuilder::BuildVarStmt},
        {"const", &TvsProgramBuilder::BuildConstStmt},
        {"procedure", &TvsProgramBuilder::BuildNestedProc},
        {"function", &TvsProgramBuilder::BuildNestedProc},
        {"uses", &TvsProgramBuilder::BuildUsesStmt},
        {"with", &TvsProgramBuilder::BuildWith},
        {"assignstmt", &TvsProgramBuilder::BuildAssignStmt},
        {"callstmt", &TvsProgramBuilder::BuildCallStmt},
        {"ifstmt", &TvsProgramBuilder::BuildIfStmt},
        {"casestmt", &TvsProgramBuilder::BuildCaseStmt},
        {"forstmt", &TvsProgramBuilder::BuildForStmt},
        {"vbforstmt", &TvsProgramBuilder::BuildForStmt},
        {"cppforstmt", &TvsProgramBuilder::BuildCppForStmt},
        {"whilestmt", &TvsProgramBuilder::BuildWhileStmt},
        {"repeatstmt", &TvsProgramBuilder::BuildRepeatStmt},
        {"trystmt", &TvsProgramBuilder::BuildTryStmt},
        {"break", &TvsProgramBuilder::BuildBreakStmt},
        {"continue", &TvsProgramBuilder::BuildContinueStmt},
        {"exit", &TvsProgramBuilder::BuildExitStmt},
        {"return", &TvsProgramBuilder::BuildReturnStmt},
        {"delete", &TvsProgramBuilder::BuildDeleteStmt},
    };
    SetPos(E);
    const auto it = builders.find(LowerCase(E.Name()));
    if (it != builders.end()) (this->*it->second)(E, S, List);
}

// Declarations of variables; those with an initial value add an assignment to List.
void TvsProgramBuilder::BuildVarStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List) {
    BuildVar(E, S, List, nullptr);
}

// Declarations of constants; nothing is added to List.
void TvsProgramBuilder::BuildConstStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* /*List*/) {
    BuildConst(E, S);
}

// A procedure declared among statements: its body is built into its own local script (declared
// beforehand by DeclareProcedures); with-scopes of the enclosing code do not reach into it.
void TvsProgramBuilder::BuildNestedProc(TvsXMLItem& E, TvsScript* S, TvsStatement* /*List*/) {
    const String name = LowerCase(E.Name());
    const Integer n = name == "procedure" ? 0 : E.Find("name");
    if (n < 0 || n >= E.Count()) return;
    TvsCustomVariable* v = FindOrDeclare(E.Items(n)->Prop("text"), S);
    if (v->Kind() != TvsItemKind::ikProc) Error(SIdRedeclared + Quoted(v->Name()));
    auto* proc = static_cast<TvsProcVariable*>(v);
    std::vector<TWithEntry> savedWith;
    savedWith.swap(FWithList);
    try {
        BuildProgramElement(E, proc->LocalScript());
    } catch (...) {
        FWithList.swap(savedWith);
        throw;
    }
    FWithList.swap(savedWith);
}

// A used unit: its declarations and code are built into S.
void TvsProgramBuilder::BuildUsesStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* /*List*/) {
    BuildUses(E, S);
}

// D := E, D op= E: the target must be writable and E of a compatible type; X := X op E folds into
// the compound kind (in place for appends and integer sums).
void TvsProgramBuilder::BuildAssignStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List) {
    const String pos = E.Prop("pos");
    if (E.Count() < 2) return;
    auto stmtDesignator = BuildDesignator(*E.Items(0), S, bmNormal);
    Integer k = 1;
    String modifier;
    if (Is(*E.Items(k), "modificator")) {
        modifier = E.Items(k)->Prop("text");
        ++k;
    }
    if (k >= E.Count()) return;
    SetPos(*E.Items(0));
    if (stmtDesignator->ReadOnly()) Error(SLeftCantAssigned);
    std::unique_ptr<TvsExpression> x = BuildExpression(*E.Items(k), S);
    SetPos(*E.Items(k));
    CheckTypes(stmtDesignator.get(), x.get(), S);
    if (modifier.empty()) {
        String folded;
        x->FoldAssignment(stmtDesignator.get(), folded);
        if (folded != " ") modifier = folded;
    }
    std::unique_ptr<TvsAssignmentStmt> stmt;
    if (modifier.empty())
        stmt = std::make_unique<TvsAssignmentStmt>(S, pos, FUnitName);
    else
        stmt = std::make_unique<TvsAssignOpStmt>(S, pos, FUnitName, modifier[0]);
    stmt->Designator = stmtDesignator.release();
    stmt->Expression = x.release();
    stmt->SelectOperands();
    AddStatement(List, stmt.release(), E);
}

// A call (or D++ / D-- with a modifier): the designator run for its effect.
void TvsProgramBuilder::BuildCallStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List) {
    const String pos = E.Prop("pos");
    if (E.Count() < 1) return;
    auto stmt = std::make_unique<TvsCallStmt>(S, pos, FUnitName);
    stmt->Designator = BuildDesignator(*E.Items(0), S, bmNormal).release();
    if (E.Count() > 1) {
        stmt->Modifier = E.Items(1)->Prop("text");
        if (stmt->Designator->ReadOnly()) Error(SLeftCantAssigned);
    }
    stmt->Prepare();
    AddStatement(List, stmt.release(), E);
}

// if C then ... else ...: the condition and both branch lists.
void TvsProgramBuilder::BuildIfStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List) {
    const String pos = E.Prop("pos");
    if (E.Count() < 1) return;
    auto stmt = std::make_unique<TvsIfStmt>(S, pos, FUnitName);
    stmt->Condition = BuildExpression(*E.Items(0), S).release();
    for (Integer i = 1; i < E.Count(); ++i) {
        TvsXMLItem& c = *E.Items(i);
        if (Is(c, "thenstmt"))
            BuildStatements(c, S, stmt.get());
        else if (Is(c, "elsestmt"))
            BuildStatements(c, S, stmt->ElseStmt.get());
    }
    AddStatement(List, stmt.release(), E);
}

// case/switch/select: the selector, one selector statement per branch (its labels as a set)
// and the else branch (the last element when it is not a branch).
void TvsProgramBuilder::BuildCaseStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List) {
    const String pos = E.Prop("pos");
    if (E.Count() < 1) return;
    auto stmt = std::make_unique<TvsCaseStmt>(S, pos, FUnitName);
    stmt->BreakEndsCase = FCaseBreaks;
    stmt->Condition = BuildExpression(*E.Items(0), S).release();
    for (Integer i = 1; i < E.Count(); ++i) {
        TvsXMLItem& c = *E.Items(i);
        if (Is(c, "caseselector")) {
            // A branch whose statement is empty keeps its labels: the value then runs nothing
            // instead of falling to the else part.
            if (c.Count() < 1 || c.Count() > 2) continue;
            auto sel = std::make_unique<TvsCaseSelector>(S, c.Prop("pos"), FUnitName);
            sel->SetExpression = BuildSet(*c.Items(0), S);
            if (c.Count() == 2) BuildStatement(*c.Items(1), S, sel.get());
            stmt->Add(sel.release());
        } else if (i == E.Count() - 1) {
            BuildStatement(c, S, stmt->ElseStmt.get());
        }
    }
    AddStatement(List, stmt.release(), E);
}

// for V := A to/downto B, and the line-oriented For V = A To B [Step C]: V must be a numeric
// variable and the bounds compatible with it.
void TvsProgramBuilder::BuildForStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List) {
    const String pos = E.Prop("pos");
    const String name = LowerCase(E.Name());
    if (E.Count() < 3) return;
    SetPos(*E.Items(0));
    TvsCustomVariable* var = FindOrDeclare(E.Items(0)->Prop("text"), S);
    if (var->Kind() != TvsItemKind::ikVariable ||
        !(var->Typ() == fvtInt || var->Typ() == fvtFloat || var->Typ() == fvtVariant))
        Error(SForError);
    Integer k = 1;
    std::unique_ptr<TvsExpression> first = BuildExpression(*E.Items(k), S);
    CheckTypes(var, first.get(), S);
    ++k;
    bool down = false;
    if (name == "forstmt" && k < E.Count() && Is(*E.Items(k), "downto")) {
        down = true;
        ++k;
    }
    if (k >= E.Count()) return;
    std::unique_ptr<TvsExpression> last = BuildExpression(*E.Items(k), S);
    CheckTypes(var, last.get(), S);
    ++k;
    if (name == "forstmt") {
        auto stmt = std::make_unique<TvsForStmt>(S, pos, FUnitName);
        stmt->Variable = var;
        stmt->Down = down;
        stmt->BeginValue = first.release();
        stmt->EndValue = last.release();
        if (k < E.Count()) BuildStatement(*E.Items(k), S, stmt.get());
        AddStatement(List, stmt.release(), E);
    } else {
        auto stmt = std::make_unique<TvsVbForStmt>(S, pos, FUnitName);
        stmt->Variable = var;
        stmt->BeginValue = first.release();
        stmt->EndValue = last.release();
        if (k < E.Count() && Is(*E.Items(k), "expr")) {
            std::unique_ptr<TvsExpression> step = BuildExpression(*E.Items(k), S);
            CheckTypes(var, step.get(), S);
            stmt->StepValue = step.release();
            ++k;
        }
        for (; k < E.Count(); ++k)
            BuildStatement(*E.Items(k), S, stmt.get());
        AddStatement(List, stmt.release(), E);
    }
}

// for (first; condition; second) body of the C-like languages.
void TvsProgramBuilder::BuildCppForStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List) {
    const String pos = E.Prop("pos");
    if (E.Count() < 3) return;
    auto stmt = std::make_unique<TvsCppForStmt>(S, pos, FUnitName);
    BuildStatement(*E.Items(0), S, stmt->FirstStmt.get());
    stmt->Condition = BuildExpression(*E.Items(1), S).release();
    BuildStatement(*E.Items(2), S, stmt->SecondStmt.get());
    if (E.Count() > 3) BuildStatement(*E.Items(3), S, stmt.get());
    AddStatement(List, stmt.release(), E);
}

// while C do body.
void TvsProgramBuilder::BuildWhileStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List) {
    const String pos = E.Prop("pos");
    if (E.Count() < 1) return;
    auto stmt = std::make_unique<TvsWhileStmt>(S, pos, FUnitName);
    stmt->Condition = BuildExpression(*E.Items(0), S).release();
    if (E.Count() > 1) BuildStatement(*E.Items(1), S, stmt.get());
    AddStatement(List, stmt.release(), E);
}

// repeat ... until C, and the loops that test at the end (do ... while C: inverse).
void TvsProgramBuilder::BuildRepeatStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List) {
    const String pos = E.Prop("pos");
    if (E.Count() < 1) return;
    auto stmt = std::make_unique<TvsRepeatStmt>(S, pos, FUnitName);
    Integer cond = E.Count() - 1;
    if (Is(*E.Items(cond), "inverse")) {
        stmt->Inverse = true;
        --cond;
    }
    if (cond < 0) return;
    for (Integer i = 0; i < cond; ++i)
        BuildStatement(*E.Items(i), S, stmt.get());
    stmt->Condition = BuildExpression(*E.Items(cond), S).release();
    AddStatement(List, stmt.release(), E);
}

// try ... except/finally ... end: the protected part and the handler list.
void TvsProgramBuilder::BuildTryStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List) {
    const String pos = E.Prop("pos");
    auto stmt = std::make_unique<TvsTryStmt>(S, pos, FUnitName);
    for (Integer i = 0; i < E.Count(); ++i) {
        TvsXMLItem& c = *E.Items(i);
        if (Is(c, "finallystmt")) {
            BuildStatements(c, S, stmt->ExceptStmt.get());
        } else if (Is(c, "exceptstmt")) {
            stmt->IsExcept = true;
            BuildStatements(c, S, stmt->ExceptStmt.get());
        } else {
            BuildStatement(c, S, stmt.get());
        }
    }
    AddStatement(List, stmt.release(), E);
}

// break: ends the innermost loop (or switch in the C-like languages).
void TvsProgramBuilder::BuildBreakStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List) {
    const String pos = E.Prop("pos");
    AddStatement(List, new TvsBreakStmt(S, pos, FUnitName), E);
}

// continue: goes on with the next turn of the innermost loop.
void TvsProgramBuilder::BuildContinueStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List) {
    const String pos = E.Prop("pos");
    AddStatement(List, new TvsContinueStmt(S, pos, FUnitName), E);
}

// exit: leaves the procedure or program.
void TvsProgramBuilder::BuildExitStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List) {
    const String pos = E.Prop("pos");
    AddStatement(List, new TvsExitStmt(S, pos, FUnitName), E);
}

// return [E]: assigns E to the function's Result (when given), then exits.
void TvsProgramBuilder::BuildReturnStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List) {
    const String pos = E.Prop("pos");
    if (E.Count() == 1) {
        const String xpos = E.Items(0)->Prop("pos");
        auto stmt = std::make_unique<TvsAssignmentStmt>(S, pos, FUnitName);
        std::unique_ptr<TvsDesignator> d = BuildResultDesignator(xpos, S);
        std::unique_ptr<TvsExpression> x = BuildExpression(*E.Items(0), S);
        SetPos(*E.Items(0));
        CheckTypes(d.get(), x.get(), S);
        stmt->Designator = d.release();
        stmt->Expression = x.release();
        stmt->SelectOperands();
        AddStatement(List, stmt.release(), E);
    }
    AddStatement(List, new TvsExitStmt(S, pos, FUnitName), E);
}

// delete X of the C-like languages: frees the object (X.Free).
void TvsProgramBuilder::BuildDeleteStmt(TvsXMLItem& E, TvsScript* S, TvsStatement* List) {
    const String pos = E.Prop("pos");
    if (E.Count() < 1) return;
    auto stmt = std::make_unique<TvsCallStmt>(S, pos, FUnitName);
    stmt->Designator = BuildDesignator(*E.Items(0), S, bmRelease).release();
    stmt->Prepare();
    AddStatement(List, stmt.release(), E);
}

std::unique_ptr<TvsDesignator> TvsProgramBuilder::BuildResultDesignator(const String& Pos,
                                                                        TvsScript* Script) {
    auto d = std::make_unique<TvsDesignator>(Script);
    d->AddStep(FindOrDeclare("Result", Script), Pos);
    Finish(d);
    return d;
}

void TvsProgramBuilder::BuildWith(TvsXMLItem& Element, TvsScript* Script, TvsStatement* List) {
    const size_t entries = FWithList.size();
    try {
        for (Integer i = 0; i + 1 < Element.Count(); ++i) {
            TvsXMLItem& c = *Element.Items(i);
            SetPos(c);
            std::unique_ptr<TvsDesignator> d = BuildDesignator(c, Script, bmNormal);
            if (d->Typ() != fvtClass && d->Typ() != fvtVariant) Error(SClassRequired);
            String name;
            for (Integer n = 1;; ++n) {
                name = "_WithList_" + IntToStr(n);
                bool used = Script->FindLocal(name) != nullptr;
                for (const TWithEntry& w : FWithList)
                    used = used || SameText(w.Name, name);
                if (!used) break;
            }
            auto* var = new TvsVariable(name, d->Typ(), d->TypeName());
            Script->Add(name, var);
            auto* stmt = new TvsWithStmt(Script, c.Prop("pos"), FUnitName);
            stmt->Designator = d.release();
            stmt->Variable = var;
            List->Add(stmt);
            FWithList.push_back({name, stmt, var});
        }
        if (Element.Count() > 0) BuildStatement(*Element.Items(Element.Count() - 1), Script, List);
    } catch (...) {
        FWithList.resize(entries);
        throw;
    }
    FWithList.resize(entries);
}

void TvsProgramBuilder::BuildUses(TvsXMLItem& Element, TvsScript* Script) {
    const String saved = FUnitName;
    FUnitName = Element.Prop("unit");
    if (FScript->OnGetILUnit) {
        String text;
        FScript->OnGetILUnit(FScript, FUnitName, text);
        if (!text.empty()) {
            TvsXMLDocument doc;
            doc.LoadFromString(text);
            BuildProgramElement(*doc.Root(), Script);
        }
    } else {
        for (Integer i = 0; i < Element.Count(); ++i)
            BuildProgramElement(*Element.Items(i), Script);
    }
    FUnitName = saved;
}
