// The host's side: registering functions, variables and classes, evaluating expressions, calling
// script functions, the line hook and stopping, events, late-bound automation objects, and the
// safety rules (object handles, flow flags, recursion depth).
#include "ScriptTestSupport.h"

#include "classes/MetaBuilder.h"
#include "classes/ObjectHandles.h"
#include "rtl/Format.h"
#include "script/vs_idisp.h"
#include "script/vs_ievents.h"

namespace {

// A component with published properties and an event, for the class bindings.
class TTestWidget : public TComponent {
    ORV_META(TTestWidget, TComponent)
    explicit TTestWidget(TComponent* AOwner) : TComponent(AOwner) {}
    String Caption;
    Integer Width = 10;
    bool Checked = false;
    TNotifyEvent OnClick;
    std::function<void(TObject* Sender, char16_t& Key)> OnKeyPress;
    void Click() {
        if (OnClick) OnClick(this);
    }
    char16_t KeyPress(char16_t Key) {
        if (OnKeyPress) OnKeyPress(this, Key);
        return Key;
    }
};

} // namespace

ORV_META_IMPL(TTestWidget)
void TTestWidget::DeclareMeta(meta::Class<TTestWidget>& c) {
    c.Property("Caption", &TTestWidget::Caption, &TTestWidget::Caption);
    c.Property("Width", &TTestWidget::Width, &TTestWidget::Width);
    c.Property("Checked", &TTestWidget::Checked, &TTestWidget::Checked);
    c.Event("OnClick", &TTestWidget::OnClick);
    c.Event("OnKeyPress", &TTestWidget::OnKeyPress, "TKeyPressEvent");
}

namespace {

TEST(ScriptHost, FunctionsVariablesAndHooks) {
    TScriptRunner r;
    r.Script.AddMethodParamArray(
        "procedure Twice(var X: Integer; Times: Integer = 2)",
        [](TObject*, const TvsClassRef*, const String& Name, Variant& Params) {
            EXPECT_EQ(Name, "TWICE");
            VarArrayPut(Params, VarArrayGet(Params, {0}).AsInteger() * VarArrayGet(Params, {1}).AsInteger(),
                        {0});
            return Variant();
        });
    Integer reads = 0;
    r.Script.OnGetVarValue = [&](const String& Name, TvsVarType, const Variant& Old) {
        ++reads;
        return Name == "Hooked" ? Variant(41) : Old;
    };
    r.Script.AddVariable("Hooked", "Integer", 0);
    r.Script.AddVariable("Total", "Integer", 0);
    r.Script.AddConst("Limit", "Integer", 3);
    r.Script.AddEnum("TColorKind", "ckRed, ckGreen, ckBlue");
    r.Script.AddEnumSet("TFlags", "fA, fB, fC");
    EXPECT_EQ(r.Run(Lines({"var x: Integer;", "begin", "  x := 5; Twice(x); Print(x); Twice(x, 3); Print(x);",
                           "  Total := Hooked + 1; Print(Total);", "  Inc(Limit); Print(Limit);",
                           "  Print(ckBlue); Print(fC);", "end."})),
              "10\n30\n42\n3\n2\n4\n");
    EXPECT_GT(reads, 0);
}

TEST(ScriptHost, EvaluateAndCallFunction) {
    TScriptRunner r;
    Variant v;
    r.Script.Evaluate("2 * 3", v);
    EXPECT_EQ(VarToStr(v), "6");
    EXPECT_FALSE(r.Script.EvaluateFailed);
    r.Script.Evaluate("1 +", v);
    EXPECT_TRUE(r.Script.EvaluateFailed);
    EXPECT_FALSE(VarToStr(v).empty());

    ASSERT_TRUE(r.Compile(Lines({"function Add(a, b: Integer): Integer;", "begin Result := a + b end;",
                                 "procedure Swap(var a, b: Variant);", "var t: Variant;",
                                 "begin t := a; a := b; b := t end;", "begin end."})));
    r.Script.CallFunction("Add", VarArrayOf({Variant(2), Variant(40)}), v);
    EXPECT_EQ(VarToStr(v), "42");
    Variant params = VarArrayOf({Variant("x"), Variant("y")});
    r.Script.CallFunctionVar("Swap", params, v);
    EXPECT_EQ(VarToStr(VarArrayGet(params, {0})), "y");
    r.Script.CallFunction("NoSuch", Null(), v);
    EXPECT_TRUE(VarIsNull(v));
    EXPECT_THROW(r.Script.CallFunction("Add", VarArrayOf({Variant(1), Variant(2), Variant(3)}), v),
                 EListError);
}

TEST(ScriptHost, EvaluateInsideARunningProcedureSeesItsLocals) {
    TScriptRunner r;
    std::vector<String> seen;
    r.Script.OnRunLine = [&](TvsScript*, const String&, const String& Pos) {
        if (Pos == "4:3") {
            Variant v;
            r.Script.Evaluate("n * 10 + Local", v);
            seen.push_back(VarToStr(v));
        }
    };
    EXPECT_EQ(r.Run(Lines({"procedure P(n: Integer);", "var Local: Integer;", "begin Local := 1;",
                           "  Print(n) end;", "begin P(4) end."})),
              "4\n");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], "41");
    EXPECT_TRUE(r.Script.IsExecutableLine(3, ""));
    EXPECT_FALSE(r.Script.IsExecutableLine(2, ""));
}

TEST(ScriptHost, RequestStopFromTheLineHookEndsTheProgram) {
    TScriptRunner r;
    r.Script.OnRunLine = [&](TvsScript*, const String&, const String& Pos) {
        if (Pos.rfind("4:", 0) == 0) r.Script.RequestStop();
    };
    EXPECT_EQ(r.Run(Lines({"procedure P;", "begin", "  Print('in P');", "  Print('stop here');",
                           "  Print('never') end;", "begin P; Print('never either') end."})),
              "in P\n");
    EXPECT_FALSE(r.Script.TerminateRequested);
    r.Script.OnRunLine = nullptr;
    r.Out.clear();
    r.Script.Execute();
    EXPECT_EQ(r.Out, "in P\nstop here\nnever\nnever either\n");
}

// The line hook sees every statement a loop runs, its step (I++) included; without the hook the
// same loops give the same results.
TEST(ScriptHost, TheLineHookSeesEveryTurnOfALoop) {
    const String text = Lines({"var i, n = 0;", "for (i = 0; i < 3; i++)", "  n = n + i;", "print(n);"});
    TScriptRunner traced("JScript");
    std::vector<String> lines;
    traced.Script.OnRunLine = [&](TvsScript*, const String&, const String& Pos) { lines.push_back(Pos); };
    EXPECT_EQ(traced.Run(text), "3\n");
    // The declaration's assignment, the loop and its first part, then body and step each turn.
    const std::vector<String> expected{"1:8", "2:1",  "2:6", "3:3",  "2:20",
                                       "3:3", "2:20", "3:3", "2:20", "4:1"};
    EXPECT_EQ(lines, expected);
    TScriptRunner plain("JScript");
    EXPECT_EQ(plain.Run(text), "3\n");
}

TEST(ScriptFaults, FlowFlagsAreClearedWhenARunOrCallStarts) {
    TScriptRunner r;
    ASSERT_TRUE(r.Compile(
        Lines({"procedure P;", "begin Print('p1'); Print('p2') end;", "begin Print('a'); Print('b') end."})));
    // A stray flag left by a host or an earlier run must not cut the next run short.
    r.Script.BreakRequested = true;
    r.Script.ExitRequested = true;
    r.Script.Execute();
    EXPECT_EQ(r.Out, "a\nb\n");
    auto* p = static_cast<TvsProcVariable*>(r.Script.FindLocal("P"));
    p->LocalScript()->BreakRequested = true;
    p->LocalScript()->ContinueRequested = true;
    Variant v;
    r.Out.clear();
    r.Script.CallFunction("P", Null(), v);
    EXPECT_EQ(r.Out, "p1\np2\n");
}

TEST(ScriptFaults, DeepRecursionIsAScriptError) {
    TScriptRunner r;
    EXPECT_EQ(r.Run(Lines(
                  {"function F(n: Integer): Integer;", "begin Result := F(n + 1) end;", "begin F(0) end."})),
              "run: Stack overflow at 2:7");
    // The interpreter is usable afterwards, and a script can catch the error.
    TScriptRunner c;
    EXPECT_EQ(c.Run(Lines({"procedure F(n: Integer);", "begin F(n + 1) end;",
                           "begin try F(0) except Print(ExceptionMessage) end; Print('ok') end."})),
              "Stack overflow\nok\n");
}

TEST(ScriptFaults, DeepExpressionsFailToCompile) {
    TScriptRunner r;
    String text = "var x: Integer; begin x := 1";
    for (int i = 0; i < 5000; ++i)
        text += " + 1";
    EXPECT_FALSE(r.Compile(text + " end."));
    EXPECT_EQ(r.Script.ErrorText, STooDeep);
}

TEST(ScriptFaults, ForgedAndFreedObjectsRaiseInsteadOfCrashing) {
    TScriptRunner r;
    EXPECT_EQ(r.Run(Lines({"var L: TStringList;", "begin", "  L := TStringList.Create;", "  L.Free;",
                           "  L.Add('x');", "end."})),
              "run: Invalid object handle at 5:3");
    TScriptRunner f;
    EXPECT_EQ(f.Run(Lines({"var L: Variant;", "begin", "  L := 123456;", "  Print(L.Count);", "end."})),
              "run: Invalid object handle at 4:3");
    // An object of another class behind a path resolved for a string list.
    TScriptRunner w;
    EXPECT_EQ(w.Run(Lines({"var L: TStringList; M: Variant;", "begin", "  M := TMemoryStream.Create;",
                           "  L := M;", "  Print(L.Count);", "end."})),
              "run: Object of class TMemoryStream does not have the member Count at 5:3");
}

TEST(ScriptFaults, LateBoundPathsAreCheckedOnEveryUse) {
    TScriptRunner r("JScript");
    r.Script.AddClass(vsClassOf<TTestWidget>(), "TComponent");
    r.Script.AddObject("W", new TTestWidget(&r.Script));
    EXPECT_EQ(r.Run(Lines({"var o, i;", "for (i = 0; i < 2; i++) {",
                           "  if (i == 0) o = W; else o = new TStringList();", "  print(o.Width);", "}"})),
              "10\nrun: Object of class TStringList does not have the member Width at 4:3");
}

// A path resolved while a procedure runs recursively may give the procedure's local script a new
// item (here a variable for the component Inner); the callers' saved locals still come back to
// the variables they were saved from.
TEST(ScriptFaults, LocalsGainedDuringRecursionKeepTheCallersValues) {
    TScriptRunner r;
    r.Script.AddClass(vsClassOf<TTestWidget>(), "TComponent");
    auto* outer = new TTestWidget(&r.Script);
    outer->SetName("Outer");
    auto* inner = new TTestWidget(outer);
    inner->SetName("Inner");
    inner->Width = 7;
    r.Script.AddObject("W", outer);
    EXPECT_EQ(r.Run(Lines({"function F(n: Integer): Integer;", "var v: Variant; a, b: Integer;", "begin",
                           "  a := n; b := n * 10;", "  if n > 0 then begin F(n - 1); F(0) end;", "  v := W;",
                           "  Result := a * 100 + b + v.Inner.Width;", "end;", "begin Print(F(2)) end."})),
              "227\n");
}

// A path through a variable that holds nothing usable fails at its first use; it is resolved
// again at the next one instead of reading as the bare variable from then on.
TEST(ScriptFaults, ALateBoundPathThatFailedResolvesAtItsNextUse) {
    TScriptRunner r("JScript");
    EXPECT_EQ(r.Run(Lines({"var o, i;", "for (i = 0; i < 3; i++) {",
                           "  try { print(o.Count); } except { print(\"none\"); }",
                           "  o = new TStringList(); o.Add(\"x\");", "}"})),
              "none\n1\n1\n");
}

// Stream bytes are those of the texts' 8-bit form, the unit Length counts in.
TEST(ScriptClasses, StreamsReadAndWriteTheBytesOfThe8BitText) {
    TScriptRunner r;
    EXPECT_EQ(r.Run(Lines({"var M: TMemoryStream; s: String;", "begin", "  M := TMemoryStream.Create;",
                           "  s := '\xE4\xB8\xAD\xE6\x96\x87' + 'ab';",
                           "  Print(M.Write(s, Length(s))); Print(M.Size);",
                           "  M.Position := 0; Print(M.Read(s, 2)); Print(s);",
                           "  Print(M.Read(s, 100)); Print(s); Print(Length(s));", "  M.Free;", "end."})),
              "6\n6\n2\n\xE4\xB8\xAD\n4\n\xE6\x96\x87"
              "ab\n4\n");
}

TEST(ScriptFaults, IndexAndCountArgumentsAreRangeChecked) {
    TScriptRunner r;
    EXPECT_EQ(r.Run(Lines({"var M: TMemoryStream; s: String; n: Integer;", "begin",
                           "  M := TMemoryStream.Create;", "  M.Write('abcd', 4); M.Position := 0;",
                           "  n := M.Read(s, 10); Print(n); Print(s);", "  Print(M.Write('ab', 5)); Print(M.Size);",
                           "end."})),
              "4\nabcd\n2\n6\n"); // a count beyond the text is clipped to it
    TScriptRunner s;
    EXPECT_EQ(s.Run(Lines({"var M: TMemoryStream; s: String;", "begin", "  M := TMemoryStream.Create;",
                           "  M.Read(s, -1);", "end."})),
              "run: Invalid count (-1) at 4:3");
}

TEST(ScriptClasses, PublishedPropertiesMethodsAndEvents) {
    TScriptRunner r;
    r.Script.AddClass(vsClassOf<TTestWidget>(), "TComponent")
        ->AddEvent("OnClick", vsEventAdapter<TNotifyEvent>());
    auto* widget = new TTestWidget(&r.Script);
    widget->SetName("Widget1");
    r.Script.AddObject("Widget1", widget);
    ASSERT_EQ(r.Run(Lines(
                  {"var n: Integer;", "procedure Clicked(Sender: TObject);",
                   "begin n := n + 1; Print('click ' + TTestWidget(Sender).Caption + ' ' + IntToStr(n)) end;",
                   "begin", "  Widget1.Caption := 'Go'; Widget1.Width := Widget1.Width * 3;",
                   "  Widget1.Checked := True; Print(Widget1.Checked); Print(Widget1.ClassName);",
                   "  Print(Widget1 is TComponent); Print(Widget1 is TStringList);",
                   "  Widget1.OnClick := 'Clicked';", "end."})),
              "True\nTTestWidget\nTrue\nFalse\n");
    EXPECT_EQ(widget->Caption, "Go");
    EXPECT_EQ(widget->Width, 30);
    r.Out.clear();
    widget->Click();
    widget->Click();
    EXPECT_EQ(r.Out, "click Go 1\nclick Go 2\n");

    TScriptRunner bad;
    bad.Script.AddClass(vsClassOf<TTestWidget>(), "TComponent")
        ->AddEvent("OnClick", vsEventAdapter<TNotifyEvent>());
    bad.Script.AddObject("W", new TTestWidget(&bad.Script));
    EXPECT_EQ(bad.Run(Lines({"begin W.OnClick := 'NoSuchProc' end."})),
              "run: Event handler must be a procedure at 1:7");
}

// A key-press handler sees Key as a one-character text, and the character it assigns is the
// one the control receives.
TEST(ScriptClasses, KeyPressHandlersTakeAndGiveCharacters) {
    TScriptRunner r;
    r.Script.AddClass(vsClassOf<TTestWidget>(), "TComponent")
        ->AddEvent("OnKeyPress", vsEventAdapter<decltype(TTestWidget::OnKeyPress)>());
    auto* widget = new TTestWidget(&r.Script);
    r.Script.AddObject("W", widget);
    ASSERT_EQ(r.Run(Lines({"procedure KeyPressed(Sender: TObject; var Key: Char);",
                           "begin Print(Key); if Key = 'a' then Key := 'B' else Key := '\xE4\xB8\xAD' end;",
                           "begin W.OnKeyPress := 'KeyPressed' end."})),
              "");
    EXPECT_EQ(widget->KeyPress(u'a'), u'B');
    EXPECT_EQ(widget->KeyPress(u'\u6587'), u'\u4E2D');
    EXPECT_EQ(r.Out, "a\n\xE6\x96\x87\n");
}

TEST(ScriptClasses, EventsOfAFreedScriptDoNothing) {
    TTestWidget widget(nullptr);
    {
        TScriptRunner r;
        r.Script.AddClass(vsClassOf<TTestWidget>(), "TComponent")
            ->AddEvent("OnClick", vsEventAdapter<TNotifyEvent>());
        r.Script.AddObject("W", &widget);
        ASSERT_EQ(r.Run(Lines({"procedure C(Sender: TObject); begin Print('c') end;",
                               "begin W.OnClick := 'C' end."})),
                  "");
        widget.Click();
        EXPECT_EQ(r.Out, "c\n");
    }
    widget.Click(); // the adapter is gone with its script
}

TEST(ScriptClasses, ListsAndTheObjectsTheyHold) {
    TScriptRunner r;
    EXPECT_EQ(r.Run(Lines({"var T: TList; A, B: TStringList;", "begin",
                           "  T := TList.Create; A := TStringList.Create; B := TStringList.Create;",
                           "  Print(T.Add(A)); Print(T.Add(B)); Print(T.Remove(T)); Print(T.IndexOf(B));",
                           "  TStringList(T[1]).Add('via list'); Print(B.Text);", "  B.Free;",
                           "  Print(T.Count);", "  Print(TStringList(T[1]).Count);", "end."})),
              "0\n1\n-1\n1\nvia list\r\n\n2\nrun: Invalid object handle at 8:3");
}

// An automation object that records the late-bound calls it receives.
class TRecordingDispatch : public IvsDispatch {
public:
    std::vector<String> Calls;
    Variant Invoke(const String& Name, Word Flags, const TvsDispParams& Params, bool WantResult) override {
        String call = Name + " flags=" + IntToStr(Flags) + " result=" + (WantResult ? "1" : "0") + " args=";
        for (const Variant& a : Params.Args)
            call += VarToStr(a) + ";";
        if (!Params.NamedArgs.empty()) call += " named=" + IntToStr(Params.NamedArgs[0]);
        Calls.push_back(call);
        if (Name == "Boom") throw EOleException("It broke", DISP_E_EXCEPTION, "Recorder", "help.chm");
        if (Name == "Nope") throw EOleException("Unknown name", DISP_E_UNKNOWNNAME);
        return Variant(Name + "!");
    }
};

TEST(ScriptAutomation, LateBoundCallsPassFlagsArgumentsAndErrors) {
    auto recorder = std::make_shared<TRecordingDispatch>();
    RegisterAutomationObject("Test.Recorder", [recorder] { return IDispatchPtr(recorder); });
    TScriptRunner r;
    EXPECT_EQ(r.Run(Lines({"var X: Variant;", "begin", "  X := CreateOleObject('Test.Recorder');",
                           "  X.Open('a', 2);", "  Print(X.Name);", "  X.Visible := True;",
                           "  try X.Boom except Print(ExceptionMessage) end;", "  X.Nope;", "end."})),
              "Name!\nOLE error 80020009: Boom: Exception occurred\r\nSource        ::  "
              "Recorder\r\nDescription ::  "
              "It broke\r\nHelp File     ::  help.chm\nrun: OLE error 80020006: Nope: Unknown name at 8:3");
    ASSERT_GE(recorder->Calls.size(), 3u);
    EXPECT_EQ(recorder->Calls[0], "Open flags=1 result=0 args=2;a;");
    EXPECT_EQ(recorder->Calls[1], "Name flags=3 result=1 args=");
    EXPECT_EQ(recorder->Calls[2], "Visible flags=4 result=0 args=True; named=-3");
    UnregisterAutomationObject("Test.Recorder");

    TScriptRunner none;
    EXPECT_EQ(none.Run(Lines({"var X: Variant;", "begin X := CreateOleObject('Word.Application') end."})),
              "run: Invalid class string at 2:7");
}

} // namespace
