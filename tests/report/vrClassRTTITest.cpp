// The report classes in report scripts of the four languages: constants, enumerations, report
// functions, objects, data sets, variables, memo texts and the engine's calls, run inside a
// report over a real SQLite table; and the refusals of nil objects, cycles and rebuilding while
// the report is prepared.
#include "../script/ScriptTestSupport.h"
#include "vrEngineFixture.h"

#include "chart/Chart.h"
#include "report/vrChart.h"
#include "report/vrClassRTTI.h"

namespace {

const std::vector<std::tuple<String, String, double>> TableRows{
    {"A001", "G1", 100}, {"A002", "G1", 200.5}, {"A003", "G2", 50}};

class ReportScript : public EngineTest {
protected:
    void SetUp() override {
        vrStartUp();
        EngineTest::SetUp();
        MakeTable(TableRows);
    }

    // The layout: a title, one row per record with a script event after each, a summary.
    void Load(const String& Language, const String& Script, const String& RowEvent = String()) {
        LoadLayout(LayoutText(BandXml("TvrReportTitle", "ReportTitle1", 0, 40, "T") +
                              BandXml("TvrMasterData", "MasterData1", 60, 20, "[vrDM.&#34;F_code&#34;]",
                                      "DataSetName=\"vrDM\"" +
                                          (RowEvent.empty() ? String() : " OnBeforePrint=\"" + RowEvent + "\"")) +
                              BandXml("TvrReportSummary", "ReportSummary1", 100, 20, "[SUM(Money)]",
                                      "")));
        Report->Variables()->SetVariable("Money", "vrDM.\"F_money\"");
        Report->ScriptLanguage = Language;
        Report->ScriptText()->SetText(Script);
        Report->ReportScript()->AddMethod("procedure Print(V: Variant)",
                                          [this](TObject*, const TvsClassRef*, const String&, TvsMethodHelper* C) {
                                              Out += VarToStr(C->GetParamValue(0)) + "\n";
                                              return Variant();
                                          });
    }

    // Prepares the report; the printed lines, then the report's errors, if any.
    String Run() {
        const bool ok = Prepare();
        String errors;
        for (int i = 0; i < Report->ErrorList()->Count(); ++i)
            errors += "error: " + Report->ErrorList()->Strings(i) + "\n";
        return Out + errors + (ok || !errors.empty() ? String() : "not prepared\n");
    }

    String Out;
};

// A script's text from its lines.
String Src(std::initializer_list<const char*> lines) {
    return ::Lines(lines);
}

// Constants, enumerations, the report functions and the report's own IIF.
const String ConstantsOut = "37.7953\n3.77953\n96\n150\nTrue\n5\n5\n8\n64\n0\n16384\n29\n2\n2024\nb\n0\n";

const TScriptProgram ConstantsScripts[] = {
    {"Pascal", "PascalScript",
     Src({"begin", "  Print(fr1cm); Print(fr01cm); Print(fr1in); Print(crHand); Print(clTransparent = clNone);",
            "  Print(baBottom); Print(fsDouble); Print(rfDontDelete);",
            "  Print(pbTree); Print(pbRefresh); Print(pbNoEmail);",
            "  Print(DayOf(EncodeDate(2024, 2, 29))); Print(MonthOf(EncodeDate(2024, 2, 29)));",
            "  Print(YearOf(EncodeDate(2024, 2, 29)));", "  Print(IIF(1 > 2, 1 div 0, 'b'));",
            "  Print(Report.GetDataset('Nothing'));", "end."}),
     ConstantsOut},
    {"JScript", "JScript",
     Src({"print(fr1cm); print(fr01cm); print(fr1in); print(crHand); print(clTransparent == clNone);",
          "print(baBottom); print(fsDouble); print(rfDontDelete);", "print(pbTree); print(pbRefresh); print(pbNoEmail);",
          "print(DayOf(EncodeDate(2024, 2, 29))); print(MonthOf(EncodeDate(2024, 2, 29)));",
          "print(YearOf(EncodeDate(2024, 2, 29)));", "print(IIF(1 > 2, 1 / 0, \"b\"));",
          "print(Report.GetDataset(\"Nothing\"));"}),
     ConstantsOut},
    {"Cpp", "D++Idezer",
     Src({"{", "  Print(fr1cm); Print(fr01cm); Print(fr1in); Print(crHand); Print(clTransparent == clNone);",
          "  Print(baBottom); Print(fsDouble); Print(rfDontDelete);",
          "  Print(pbTree); Print(pbRefresh); Print(pbNoEmail);",
          "  Print(DayOf(EncodeDate(2024, 2, 29))); Print(MonthOf(EncodeDate(2024, 2, 29)));",
          "  Print(YearOf(EncodeDate(2024, 2, 29)));", "  Print(IIF(1 > 2, 1 / 0, \"b\"));",
          "  Print(Report.GetDataset(\"Nothing\"));", "}"}),
     ConstantsOut},
    {"Basic", "VuzirUzezid",
     Src({"Print(fr1cm)", "Print(fr01cm)", "Print(fr1in)", "Print(crHand)", "Print(clTransparent = clNone)",
          "Print(baBottom)", "Print(fsDouble)", "Print(rfDontDelete)", "Print(pbTree)", "Print(pbRefresh)",
          "Print(pbNoEmail)", "Print(DayOf(EncodeDate(2024, 2, 29)))", "Print(MonthOf(EncodeDate(2024, 2, 29)))",
          "Print(YearOf(EncodeDate(2024, 2, 29)))", "Print(IIF(1 > 2, 1 / 0, \"b\"))",
          "Print(Report.GetDataset(\"Nothing\"))"}),
     ConstantsOut},
};

// Objects, memo texts and lines, variables, arrays and a walk of the data set.
const String ObjectsOut = "0\n12.5\nReportTitle1\nPage1\n1\nT\nchanged\nFalse\n你好\n你好\none\n"
                          "0 A001 100 0\n1 A002 200.5 0\n2 A003 50 0\nfrom one\n";

const TScriptProgram ObjectsScripts[] = {
    {"Pascal", "PascalScript",
     Src({"var L1, L2: TList; M: TvrMemoView; A: TvrArray; D: TvrDataSet; S: String;", "begin",
          "  Print(ReportTitle1Memo.Left); ReportTitle1Memo.Left := 12.5; Print(ReportTitle1Memo.Left);",
          "  Print(ReportTitle1Memo.Parent.Name); Print(ReportTitle1Memo.Page.Name);",
          "  L1 := Page1.AllObjects; M := TvrMemoView.Create(ReportTitle1); M.Name := 'Added';",
          "  L2 := Page1.AllObjects; Print(L2.Count - L1.Count);",
          "  M.Lines := ReportTitle1Memo.Lines; ReportTitle1Memo.Text := 'changed';",
          "  Print(Trim(M.Text)); Print(Trim(ReportTitle1Memo.Text));",
          "  M.Font.Charset := 134; M.Text := '你好'; S := M.AnsiText; Print(S = '你好');",
          "  M.Text := ''; M.Text := S; Print(Trim(M.Text)); M.Text := ''; M.AnsiText := S; Print(Trim(M.Text));",
          "  A := TvrArray.Create; A[1] := 'one'; Print(A['1']); A.Free;",
          "  D := Report.GetDataset('vrDM'); D.Open; D.First;", "  while not D.Eof do begin",
          "    Print(IntToStr(D.RecNo) + ' ' + D.Value['F_code'] + ' ' + D.DisplayText['F_money'] + ' ' + IntToStr(D.FieldType['F_money']));",
          "    D.Next;", "  end;", "  vrGlobalVariables['Shared'] := 'from one'; Print(vrGlobalVariables['Shared']);",
          "end."}),
     ObjectsOut},
    {"JScript", "JScript",
     Src({"var L1, L2, M, A, D, S;",
          "print(ReportTitle1Memo.Left); ReportTitle1Memo.Left = 12.5; print(ReportTitle1Memo.Left);",
          "print(ReportTitle1Memo.Parent.Name); print(ReportTitle1Memo.Page.Name);",
          "L1 = Page1.AllObjects; M = new TvrMemoView(ReportTitle1); M.Name = \"Added\";",
          "L2 = Page1.AllObjects; print(L2.Count - L1.Count);",
          "M.Lines = ReportTitle1Memo.Lines; ReportTitle1Memo.Text = \"changed\";",
          "print(Trim(M.Text)); print(Trim(ReportTitle1Memo.Text));",
          "M.Font.Charset = 134; M.Text = \"你好\"; S = M.AnsiText; print(S == \"你好\");",
          "M.Text = \"\"; M.Text = S; print(Trim(M.Text)); M.Text = \"\"; M.AnsiText = S; print(Trim(M.Text));",
          "A = new TvrArray(); A[1] = \"one\"; print(A[\"1\"]); A.Free();",
          "D = Report.GetDataset(\"vrDM\"); D.Open(); D.First();", "while (!D.Eof) {",
          "  print(IntToStr(D.RecNo) + \" \" + D.Value[\"F_code\"] + \" \" + D.DisplayText[\"F_money\"] + \" \" + IntToStr(D.FieldType[\"F_money\"]));",
          "  D.Next();", "}", "vrGlobalVariables[\"Shared\"] = \"from one\"; print(vrGlobalVariables[\"Shared\"]);"}),
     ObjectsOut},
    {"Cpp", "D++Idezer",
     Src({"TList L1, L2; TvrMemoView M; TvrArray A; TvrDataSet D; String S;", "{",
          "  Print(ReportTitle1Memo.Left); ReportTitle1Memo.Left = 12.5; Print(ReportTitle1Memo.Left);",
          "  Print(ReportTitle1Memo.Parent.Name); Print(ReportTitle1Memo.Page.Name);",
          "  L1 = Page1.AllObjects; M = new TvrMemoView(ReportTitle1); M.Name = \"Added\";",
          "  L2 = Page1.AllObjects; Print(L2.Count - L1.Count);",
          "  M.Lines = ReportTitle1Memo.Lines; ReportTitle1Memo.Text = \"changed\";",
          "  Print(Trim(M.Text)); Print(Trim(ReportTitle1Memo.Text));",
          "  M.Font.Charset = 134; M.Text = \"你好\"; S = M.AnsiText; Print(S == \"你好\");",
          "  M.Text = \"\"; M.Text = S; Print(Trim(M.Text)); M.Text = \"\"; M.AnsiText = S; Print(Trim(M.Text));",
          "  A = new TvrArray(); A[1] = \"one\"; Print(A[\"1\"]); A.Free();",
          "  D = Report.GetDataset(\"vrDM\"); D.Open(); D.First();", "  while (!D.Eof) {",
          "    Print(IntToStr(D.RecNo) + \" \" + D.Value[\"F_code\"] + \" \" + D.DisplayText[\"F_money\"] + \" \" + IntToStr(D.FieldType[\"F_money\"]));",
          "    D.Next();", "  }", "  vrGlobalVariables[\"Shared\"] = \"from one\"; Print(vrGlobalVariables[\"Shared\"]);",
          "}"}),
     ObjectsOut},
    {"Basic", "VuzirUzezid",
     Src({"Dim L1, L2, M, A, D, S", "Print(ReportTitle1Memo.Left)", "ReportTitle1Memo.Left = 12.5",
          "Print(ReportTitle1Memo.Left)", "Print(ReportTitle1Memo.Parent.Name)", "Print(ReportTitle1Memo.Page.Name)",
          "L1 = Page1.AllObjects", "M = New TvrMemoView(ReportTitle1)", "M.Name = \"Added\"", "L2 = Page1.AllObjects",
          "Print(L2.Count - L1.Count)", "M.Lines = ReportTitle1Memo.Lines", "ReportTitle1Memo.Text = \"changed\"",
          "Print(Trim(M.Text))", "Print(Trim(ReportTitle1Memo.Text))", "M.Font.Charset = 134", "M.Text = \"你好\"",
          "S = M.AnsiText", "Print(S = \"你好\")", "M.Text = \"\"", "M.Text = S", "Print(Trim(M.Text))",
          "M.Text = \"\"", "M.AnsiText = S", "Print(Trim(M.Text))", "A = New TvrArray", "A[1] = \"one\"",
          "Print(A[\"1\"])", "A.Free", "D = Report.GetDataset(\"vrDM\")", "D.Open", "D.First", "Do",
          "  Print(IntToStr(D.RecNo) & \" \" & D.Value[\"F_code\"] & \" \" & D.DisplayText[\"F_money\"] & \" \" & IntToStr(D.FieldType[\"F_money\"]))",
          "  D.Next", "Loop While Not D.Eof", "vrGlobalVariables[\"Shared\"] = \"from one\"",
          "Print(vrGlobalVariables[\"Shared\"])"}),
     ObjectsOut},
};

} // namespace

class ReportConstants : public ReportScript, public ::testing::WithParamInterface<TScriptProgram> {};

TEST_P(ReportConstants, RunWithExactOutput) {
    const TScriptProgram& p = GetParam();
    Load(p.Language, p.Text);
    EXPECT_EQ(Run(), p.Output);
}

INSTANTIATE_TEST_SUITE_P(Report, ReportConstants, ::testing::ValuesIn(ConstantsScripts), ProgramName);

class ReportObjects : public ReportScript, public ::testing::WithParamInterface<TScriptProgram> {};

TEST_P(ReportObjects, RunWithExactOutput) {
    const TScriptProgram& p = GetParam();
    Load(p.Language, p.Text);
    EXPECT_EQ(Run(), p.Output);
    // The process-wide variables are shared: another report's script reads what this one wrote.
    TvrReport other(nullptr);
    EXPECT_EQ(other.Calc("Shared").AsString(), "from one");
    vrGlobalVariables()->DeleteVariable("Shared");
}

INSTANTIATE_TEST_SUITE_P(Report, ReportObjects, ::testing::ValuesIn(ObjectsScripts), ProgramName);

namespace {

// The engine's calls from a band event while the report is built: aggregates, anchors, outline
// entries, the free space, and the refusals while the report is prepared.
const String EngineScript = Src({
    "var Money: Variant;", "procedure AfterRow(Sender: TObject);", "var Code: String;", "begin",
    "  Code := Get('vrDM.\"F_code\"');",
    "  Engine.AddAnchor('row' + Code); Outline.LevelRoot; Outline.AddItem(Code);",
    "  Print(Engine.FreeSpace > 0);", "  if Code = 'A003' then begin",
    "    try Report.LoadFromFile('other.di3') except Print(ExceptionMessage) end;",
    "    try Report.Clear except Print(ExceptionMessage) end;",
    "    try ReportTitle1.LoadFromStream(nil) except Print(ExceptionMessage) end;",
    "    try Engine.ShowBand(nil) except Print(ExceptionMessage) end;",
    "    try Report.Calc('1 +') except Print(Copy(ExceptionMessage, 1, 26)) end;", "  end;", "end;", "begin",
    "end."});

} // namespace

TEST_F(ReportScript, EngineCallsFromABandEvent) {
    Load("PascalScript", EngineScript, "AfterRow");
    EXPECT_EQ(Run(), "True\nTrue\nTrue\n"
                     "LoadFromFile: not allowed while the report is being prepared\n"
                     "Clear: not allowed while the report is being prepared\n"
                     "TvrComponent.LoadFromStream: Stream is nil\n"
                     "TvrCustomEngine.ShowBand: Band is nil\n"
                     "Error in Calc expression: \n");
    // The script's Calc error is the script's: it is not in the report's error list.
    EXPECT_EQ(Report->ErrorList()->Count(), 0);
    EXPECT_EQ(Texts(0, "ReportSummary"), (std::vector<String>{"350.5"}));
    EXPECT_EQ(Pages()->GetAnchorPage("rowA002"), 1);
    auto* outline = static_cast<TvrOutline*>(Pages()->Outline());
    outline->LevelRoot();
    EXPECT_EQ(outline->ChildCount(), 3);
    String text;
    Integer page = 0, top = 0;
    outline->ReadChild(0, text, page, top);
    EXPECT_EQ(text, "A001");
}

namespace {

// A script of its own (not the report's), with the report and its objects as variables.
struct PlainScript {
    TScriptRunner Runner;
    explicit PlainScript(TvrReport& Report) {
        Runner.Script.AddObject("Report", &Report);
        for (TvrComponent* o : Report.AllObjects())
            if (!o->Name().empty()) Runner.Script.AddObject(o->Name(), o);
    }
};

} // namespace

TEST_F(ReportScript, MendsAndPlainScripts) {
    Load("PascalScript", "begin end.");
    // The object tree refuses a ring whoever asks.
    TvrComponent* title = Report->FindObject("ReportTitle1");
    EXPECT_THROW(title->SetParent(Report->FindObject("ReportTitle1Memo")), EComponentError);
    EXPECT_THROW(title->SetParent(title), EComponentError);
    EXPECT_EQ(title->Parent(), Report->FindObject("Page1"));
    PlainScript plain(*Report);
    const String out = plain.Runner.Run(Src({
        "var L: TStringList; S: TvrStyles; A, B: TvrStyleItem; C: TvrChartView; K: TvrCheckBoxView;", "begin",
        "  Print(SUM(1)); Print(COUNT); Print(IIF(True, 1, 2));",
        "  try ReportTitle1.Parent := ReportTitle1Memo except Print(ExceptionMessage) end;",
        "  try ReportTitle1.Parent := ReportTitle1 except Print(ExceptionMessage) end;",
        "  Print(ReportTitle1.Parent.Name);",
        "  try ReportTitle1Memo.Lines := nil except Print(ExceptionMessage) end;",
        "  try Report.GetDataset('vrDM').GetFieldList(nil) except Print(ExceptionMessage) end;",
        "  try ReportTitle1.SaveToStream(nil) except Print(ExceptionMessage) end;",
        "  L := TStringList.Create; Report.GetDataset('vrDM').Open; Report.GetDataset('vrDM').GetFieldList(L); Print(L.Count); L.Free;",
        "  S := Report.Styles; A := S.Add; A.Name := 'a'; B := S.Add; B.Name := 'b'; S[0] := B; Print(S[0].Name);",
        "  Report.PreviewOptions.Buttons := pbTree + pbEdit + pbRefresh; Print(Report.PreviewOptions.Buttons);",
        "  C := TvrChartView.Create(ReportTitle1); C.AddSeries(csPie); Print(C.SeriesCount);",
        "  Print(C.SeriesData.Count); C.SeriesData.Add; Print(C.SeriesData[1].ClassName);",
        "  try C.AddSeries(csHorizArea) except Print(ExceptionMessage) end;",
        "  try C.AddSeries(csBar3D) except Print(ExceptionMessage) end;",
        "  try Print(C.SeriesData[5].ClassName) except Print(ExceptionMessage) end;",
        "  K := TvrCheckBoxView.Create(ReportTitle1); K.CheckStyle := csPlus; K.UncheckStyle := usMinus;",
        "  Print(K.CheckStyle); Print(K.UncheckStyle);",
        "  Print(Report.LoadFromFile('missing.di3')); Print(Report.AllObjects.Count);", "end."}));
    EXPECT_EQ(out, "0\n0\n0\nA report object cannot have one of its own objects as its parent\n"
                   "A report object cannot be its own parent\nPage1\nTvrCustomMemoView.Lines: Value is nil\n"
                   "TvrDataSet.GetFieldList: List is nil\nTvrComponent.SaveToStream: Stream is nil\n4\nb\n576\n1\n1\n"
                   "TvrSeriesItem\nUnsupported series kind\nUnsupported series kind\nList index out of bounds (5)\n3\n3\nFalse\n0\n");
    // pbTree is the preview's outline button, pbEdit its edit button; pbRefresh selects nothing.
    EXPECT_EQ(Report->PreviewOptions()->Buttons, (TvrPreviewButtons{pbOutline, pbEdit}));
}

TEST_F(ReportScript, TerminatedStopsTheScriptAndTheBuild) {
    Load("PascalScript", Src({"begin", "  Print('before'); Report.Terminated := True; Print('after');", "end."}));
    EXPECT_EQ(Run(), "before\nnot prepared\n");
    EXPECT_EQ(Pages()->GetPageCount(), 0);
}

// Charts filled by a script: series kinds switch the axes and walls, a series' points, title and
// activity, the chart's title, and indexes outside the points or series refused.
TEST_F(ReportScript, ChartsInScripts) {
    Load("PascalScript", "begin end.");
    PlainScript plain(*Report);
    const String out = plain.Runner.Run(Src({
        "var C: TvrChartView; S: TChartSeries;", "begin", "  C := TvrChartView.Create(ReportTitle1); C.Name := 'Chart1';",
        "  C.AddSeries(csPie); Print(C.SeriesCount); Print(C.SeriesData.Count); Print(C.Chart.AxesVisible);",
        "  C.AddSeries(csBar); Print(C.Chart.AxesVisible);",
        "  S := C.Series[1]; Print(S.ClassName); S.Title := 'Fees'; Print(C.Series[1].Title);",
        "  S.Add(1, 'a', clRed); S.Add(2, 'b', clRed); S.Add(3, 'c', clRed); Print(S.Count);",
        "  S.Delete(0); Print(S.Count);", "  try S.Delete(5) except Print(ExceptionMessage) end;",
        "  S.Clear; Print(S.Count); S.Active := False; Print(C.Series[1].Active);",
        "  C.Chart.Title := 'Chart title'; Print(C.Chart.Title);",
        "  try Print(C.Series[7].Title) except Print(ExceptionMessage) end;", "end."}));
    EXPECT_EQ(out, "1\n1\nFalse\nTrue\nTBarSeries\nFees\n3\n2\nList index out of bounds (5)\n0\nFalse\nChart title\n"
                   "List index out of bounds (7)\n");
    auto* chart = dynamic_cast<TvrChartView*>(Report->FindObject("Chart1"));
    ASSERT_NE(chart, nullptr);
    EXPECT_TRUE(chart->Chart()->Walls3D);
    EXPECT_FALSE(chart->Chart()->Series(1)->Active);
}
