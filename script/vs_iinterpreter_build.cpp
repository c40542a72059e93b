#include "script/vs_iinterpreter_build.h"

#include "rtl/StrUtils.h"
#include "script/vs_idisp.h"
#include "script/vs_iilparser.h"
#include "script/vs_itools_script.h"
#include "script/vs_xml.h"

namespace {

Variant InitialValue(TvsVarType Typ) {
    switch (Typ) {
    case fvtBool:
        return Variant(false);
    case fvtChar:
    case fvtString:
        return Variant(String());
    case fvtInt:
    case fvtFloat:
    case fvtClass:
        return Variant(0);
    default:
        return Null();
    }
}

} // namespace

String TvsProgramBuilder::Quoted(const String& Name) {
    return "'" + Name + "'";
}

bool TvsProgramBuilder::Is(const TvsXMLItem& E, const char* Name) {
    return SameText(E.Name(), Name);
}

TvsProgramBuilder::TvsProgramBuilder(TvsILParser* Parser, TvsScript* Script)
    : FParser(Parser), FScript(Script) {
    if (Parser) {
        FDeclareVars = Parser->DeclareVars();
        FCaseBreaks =
            SameText(Parser->LanguageName(), "JScript") || SameText(Parser->LanguageName(), "D++Idezer");
    }
}

void TvsProgramBuilder::SetPos(const TvsXMLItem& Element) {
    String pos = Element.Prop("pos");
    if (!pos.empty()) FErrorPos = pos;
}

void TvsProgramBuilder::Error(const String& Message) {
    throw EvsScriptError(Message);
}

void TvsProgramBuilder::BuildProgram() {
    FWithList.clear();
    FScript->ErrorUnitName.clear();
    FUnitName.clear();
    try {
        BuildProgramElement(*FParser->Intermediate().Root(), FScript);
        FScript->ErrorPosition.clear();
    } catch (const std::exception& e) {
        FScript->ErrorText = e.what();
        if (FScript->ErrorText.empty()) FScript->ErrorText = vsExceptionClassName(e);
        FScript->ErrorPosition = FErrorPos;
        FScript->ErrorUnitName = FUnitName;
    }
}

// --- program elements and declarations ----------------------------------------------------------------

void TvsProgramBuilder::BuildProgramElement(TvsXMLItem& Element, TvsScript* Script) {
    TvsXMLItem* saved = FCurrentProgram;
    FCurrentProgram = &Element;
    try {
        DeclareProcedures(Element, Script);
        for (Integer i = 0; i < Element.Count(); ++i)
            BuildStatement(*Element.Items(i), Script, Script->RootStatement());
    } catch (...) {
        FCurrentProgram = saved;
        throw;
    }
    FCurrentProgram = saved;
}

void TvsProgramBuilder::DeclareProcedures(TvsXMLItem& Element, TvsScript* Script) {
    for (Integer i = 0; i < Element.Count(); ++i) {
        TvsXMLItem& child = *Element.Items(i);
        if (Is(child, "procedure") || Is(child, "function"))
            DeclareProcedure(child, Script);
        else if (Is(child, "compoundstmt"))
            DeclareProcedures(child, Script);
    }
}

void TvsProgramBuilder::DeclareProcedure(TvsXMLItem& Element, TvsScript* Script) {
    SetPos(Element);
    String name;
    String typeName;
    TvsVarType typ = fvtInt;
    bool isFunction = false;
    if (Is(Element, "procedure")) {
        if (Element.Count() > 0) name = Element.Items(0)->Prop("text");
    } else {
        isFunction = true;
        const Integer t = Element.Find("type");
        const Integer n = Element.Find("name");
        if (n >= 0) name = Element.Items(n)->Prop("text");
        if (t >= 0) {
            SetPos(*Element.Items(t));
            typeName = Element.Items(t)->Prop("text");
            if (SameText(typeName, "void")) {
                isFunction = false;
                typeName.clear();
            } else {
                typ = TypeCode(typeName, Script);
            }
        } else {
            typ = fvtVariant;
        }
    }
    SetPos(Element);
    if (Script->FindLocal(name)) Error(SIdRedeclared + Quoted(name));
    auto* proc = new TvsProcVariable(name, isFunction ? typ : fvtInt, typeName, Script, isFunction);
    proc->SetSourcePos(Element.Prop("pos"));
    proc->SetSourceUnit(FUnitName);
    Script->Add(name, proc);

    const Integer p = Element.Find("parameters");
    if (p < 0) return;
    TvsXMLItem& params = *Element.Items(p);
    bool varGroup = false;
    for (Integer i = 0; i < params.Count(); ++i) {
        TvsXMLItem& child = *params.Items(i);
        if (Is(child, "varparams")) {
            varGroup = true;
        } else if (Is(child, "var")) {
            if (varGroup) child.SetData(1);
            BuildVar(child, Script, nullptr, proc);
            varGroup = false;
        }
    }
}

void TvsProgramBuilder::BuildVar(TvsXMLItem& Element, TvsScript* Script, TvsStatement* List,
                                 TvsProcVariable* Proc) {
    SetPos(Element);
    const Integer typeIndex = Element.Find("type");
    String typeName = "Variant";
    if (typeIndex >= 0) {
        SetPos(*Element.Items(typeIndex));
        typeName = Element.Items(typeIndex)->Prop("text");
    }
    const bool typeFirst = typeIndex == 0;
    const bool typeAfter = typeIndex > 0;
    const TvsVarType baseTyp = TypeCode(typeName, Script);
    const bool groupVar = Element.Data() == 1;
    TvsScript* target = Proc ? Proc->LocalScript() : Script;
    bool nextIsVar = false;

    for (Integer i = 0; i < Element.Count(); ++i) {
        TvsXMLItem& n = *Element.Items(i);
        if (Is(n, "varparam")) {
            nextIsVar = true;
            continue;
        }
        if (!Is(n, "ident")) continue;
        SetPos(n);
        const String name = n.Prop("text");
        if (target->FindLocal(name)) Error(SIdRedeclared + Quoted(name));
        const bool isVar = groupVar || nextIsVar;
        nextIsVar = false;

        TvsVarType typ = baseTyp;
        Variant value = InitialValue(typ);
        TvsArrayHelper* arrayHelper = nullptr;
        TvsXMLItem* init = nullptr;
        Integer end = Element.Count();
        if (!typeAfter || typeFirst) {
            for (Integer j = i + 1; j < Element.Count(); ++j)
                if (Is(*Element.Items(j), "ident")) {
                    end = j;
                    break;
                }
        }
        for (Integer j = i + 1; j < end; ++j) {
            TvsXMLItem& a = *Element.Items(j);
            if (Is(a, "array")) {
                SetPos(a);
                std::vector<int> bounds;
                for (Integer k = 0; k < a.Count(); ++k) {
                    TvsXMLItem& dim = *a.Items(k);
                    if (!Is(dim, "dim")) continue;
                    std::vector<Variant> values;
                    for (Integer m = 0; m < dim.Count() && values.size() < 2; ++m)
                        if (Is(*dim.Items(m), "expr"))
                            values.push_back(BuildExpression(*dim.Items(m), Script)->FetchValue());
                    if (values.size() == 2) {
                        bounds.push_back(values[0].AsInteger());
                        bounds.push_back(values[1].AsInteger());
                    } else if (values.size() == 1) {
                        bounds.push_back(0);
                        bounds.push_back(values[0].AsInteger() - 1);
                    }
                }
                if (bounds.empty()) bounds = {0, 0};
                value = VarArrayCreate(bounds, varVariant);
                arrayHelper =
                    new TvsArrayHelper(String(), typeName, typ, static_cast<Integer>(bounds.size() / 2));
                Script->Add(String(), arrayHelper);
                typ = fvtArray;
            } else if (Is(a, "init")) {
                init = &a;
            }
        }

        if (Proc) {
            bool optional = false;
            if (init) {
                const Integer e = init->Find("expr");
                if (e >= 0) {
                    SetPos(*init->Items(e));
                    std::unique_ptr<TvsExpression> x = BuildExpression(*init->Items(e), Script);
                    TvsParamItem probe(name, false, false, typeName, typ);
                    CheckTypes(&probe, x.get(), Script);
                    value = TvsVariable::Convert(x->FetchValue(), typ);
                    optional = true;
                }
            }
            auto* param = new TvsParamItem(name, isVar, optional, typeName, typ);
            param->Stored() = TvsValue(value);
            param->SetDefValue(value);
            param->SetRefItem(arrayHelper);
            param->SetSourcePos(n.Prop("pos"));
            param->SetSourceUnit(FUnitName);
            Proc->Add(param);
            target->Add(name, param);
            continue;
        }

        TvsVariable* var = nullptr;
        if (arrayHelper)
            var = new TvsArrayVariable(name, typeName, value);
        else if (typ == fvtString || typ == fvtChar)
            var = new TvsStringVariable(name, typ, typeName);
        else
            var = new TvsVariable(name, typ, typeName);
        if (var->Kind() == TvsItemKind::ikStringVariable)
            static_cast<TvsStringVariable*>(var)->SetText(value.AsString());
        else if (!arrayHelper)
            var->Stored() = TvsValue(value);
        var->SetRefItem(arrayHelper);
        var->SetSourcePos(n.Prop("pos"));
        var->SetSourceUnit(FUnitName);
        var->SetOnGetVarValue(Script->OnGetVarValue);
        target->Add(name, var);

        if (init && List) {
            const Integer e = init->Find("expr");
            if (e < 0) continue;
            auto stmt = std::make_unique<TvsAssignmentStmt>(Script, Element.Prop("pos"), FUnitName);
            auto d = std::make_unique<TvsDesignator>(Script);
            d->AddStep(var, n.Prop("pos"));
            Finish(d);
            stmt->Designator = d.release();
            std::unique_ptr<TvsExpression> x = BuildExpression(*init->Items(e), Script);
            SetPos(*init->Items(e));
            CheckTypes(stmt->Designator, x.get(), Script);
            stmt->Expression = x.release();
            stmt->SelectOperands();
            TvsStatement* s = stmt.release();
            List->Add(s);
            FScript->RecordStatementLine(FUnitName, s->SourcePos());
        }
    }
}

void TvsProgramBuilder::BuildConst(TvsXMLItem& Element, TvsScript* Script) {
    SetPos(Element);
    if (Element.Count() < 2) return;
    const String name = Element.Items(0)->Prop("text");
    if (Script->FindLocal(name)) Error(SIdRedeclared + Quoted(name));
    SetPos(*Element.Items(1));
    std::unique_ptr<TvsExpression> x = BuildExpression(*Element.Items(1), Script);
    const Variant value = x->FetchValue();
    TvsVariable* var = x->Typ() == fvtString || x->Typ() == fvtChar
                           ? new TvsStringVariable(name, x->Typ(), x->TypeName())
                           : new TvsVariable(name, x->Typ(), x->TypeName());
    var->StoreValue(value);
    var->SetReadOnly(true);
    var->SetSourcePos(Element.Prop("pos"));
    var->SetSourceUnit(FUnitName);
    Script->Add(name, var);
}

TvsCustomVariable* TvsProgramBuilder::FindOrDeclare(const String& Name, TvsScript* Script) {
    if (TvsCustomVariable* v = Script->Find(Name)) return v;
    if (FDeclareVars) Error(SIdUndeclared + Quoted(Name));
    auto* v = new TvsVariable(Name, fvtVariant, String());
    FScript->Add(Name, v);
    return v;
}

TvsVarType TvsProgramBuilder::TypeCode(String& TypeName, TvsScript* Script) {
    const TvsXMLItem* mapped = nullptr;
    if (FCurrentProgram) {
        const Integer t = FCurrentProgram->Find("types");
        if (t >= 0) {
            const TvsXMLItem* types = FCurrentProgram->Items(t);
            const Integer k = types->Find(TypeName);
            if (k >= 0) mapped = types->Items(k);
        }
    }
    if (!mapped && FParser && FParser->GrammarTypes()) {
        const Integer k = FParser->GrammarTypes()->Find(TypeName);
        if (k >= 0) mapped = FParser->GrammarTypes()->Items(k);
    }
    if (mapped) TypeName = mapped->Prop("type");
    const TvsVarType typ = TypeCodeOf(TypeName, Script);
    if (typ == fvtClass && !Script->LookupClass(TypeName)) Error(SUnknownType + Quoted(TypeName));
    return typ;
}

void TvsProgramBuilder::CheckTypes(const TvsCustomVariable* Var, const TvsCustomVariable* Expr,
                                   TvsScript* Script) {
    if (!AssignCompatible(Var, Expr, Script))
        Error(SIncompatibleTypes + ": '" + Var->TypeNameText() + "', '" + Expr->TypeNameText() + "'");
}

// --- statements --------------------------------------------------------------------------------------------

void TvsProgramBuilder::AddStatement(TvsStatement* List, TvsStatement* Stmt, TvsXMLItem& Element) {
    (void)Element;
    List->Add(Stmt);
    FScript->RecordStatementLine(FUnitName, Stmt->SourcePos());
}

void TvsProgramBuilder::BuildStatements(TvsXMLItem& Element, TvsScript* Script, TvsStatement* List) {
    for (Integer i = 0; i < Element.Count(); ++i)
        BuildStatement(*Element.Items(i), Script, List);
}

// --- expressions ------------------------------------------------------------------------------------------

std::unique_ptr<TvsExpression> TvsProgramBuilder::BuildExpression(const TvsXMLItem& Element,
                                                                  TvsScript* Script) {
    auto x = std::make_unique<TvsExpression>(Script);
    x->SetSourcePos(Element.Prop("pos"));
    AppendExpressionItems(*x, Element, Script);
    if (FParser) {
        const TvsPoint p0 = ScriptPosToPoint(Element.Prop("pos"));
        const TvsPoint p1 = ScriptPosToPoint(Element.Prop("pos1"));
        const String& text = FParser->SourceText();
        const Integer a = FParser->Lexer().GetPlainPosition(p0.X, p0.Y);
        const Integer b = FParser->Lexer().GetPlainPosition(p1.X, p1.Y);
        if (a >= 1 && b >= a && static_cast<size_t>(b) <= text.size() + 1)
            x->SourceText = Trim(text.substr(static_cast<size_t>(a - 1), static_cast<size_t>(b - a)));
    }
    String errorPos;
    x->CompleteTree(errorPos);
    if (!errorPos.empty()) {
        FErrorPos = errorPos;
        Error(SIncompatibleTypes);
    }
    return x;
}

void TvsProgramBuilder::AppendExpressionItems(TvsExpression& E, const TvsXMLItem& Element,
                                              TvsScript* Script) {
    for (Integer i = 0; i < Element.Count(); ++i) {
        const TvsXMLItem& c = *Element.Items(i);
        SetPos(c);
        E.CurrentPos = c.Prop("pos");
        if (Is(c, "op")) {
            const String text = LowerCase(c.Prop("text"));
            if (i == Element.Count() - 1 && text != ")") continue;
            E.AppendOperator(text);
        } else if (Is(c, "number") || Is(c, "string")) {
            E.AppendConstant(ParseConstant(c.Prop("text")));
        } else if (Is(c, "dsgn")) {
            E.AppendDesignator(BuildDesignator(c, Script, bmNormal).release());
        } else if (Is(c, "set")) {
            E.AppendSet(BuildSet(c, Script));
        } else if (Is(c, "new")) {
            if (c.Count() > 0)
                E.AppendDesignator(BuildDesignator(*c.Items(0), Script, bmConstructor).release());
        } else if (Is(c, "expr")) {
            AppendExpressionItems(E, c, Script);
        }
    }
}

TvsSetExpression* TvsProgramBuilder::BuildSet(const TvsXMLItem& Element, TvsScript* Script) {
    auto set = std::make_unique<TvsSetExpression>();
    for (Integer i = 0; i < Element.Count(); ++i) {
        const TvsXMLItem& c = *Element.Items(i);
        if (Is(c, "expr"))
            set->AddExpression(BuildExpression(c, Script).release());
        else if (Is(c, "range"))
            set->AddRangeMark();
    }
    return set.release();
}
