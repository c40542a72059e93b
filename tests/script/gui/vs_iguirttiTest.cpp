// The graphics, forms and dialog bindings in the four languages: constants, a bitmap drawn on and
// read back, pictures through files, list selection, events, modal forms, message and input boxes
// and common dialogs answered through the interaction responder.
#include "script/ScriptTestSupport.h"

#include "gui/Dialogs.h"
#include "gui/Forms.h"
#include "gui/IdentTables.h"
#include "gui/Interaction.h"
#include "gui/StdCtrls.h"
#include "platform/gui/GuiTestSupport.h"
#include "script/gui/vs_iguimodules.h"

namespace {

// The windowing modules enter the module list as the report library's start-up enters them.
const bool GuiModulesRegistered = (vsRegisterGuiModules(), true);

struct GuiPrograms : ::testing::TestWithParam<TScriptProgram> {
    TTempDir Dir;
};

// The 52 colour names in table order, each a constant of its value.
TEST(GuiBindings, ColourConstantsFollowTheColourNameTable) {
    std::vector<String> names;
    GetColorValues([&](const String& n) { names.push_back(n); });
    ASSERT_EQ(names.size(), 52u);
    EXPECT_EQ(names.front(), "clBlack");
    EXPECT_EQ(names.back(), "clWindowText");
    TScriptRunner r;
    for (const String& n : names) {
        Variant v;
        r.Script.Evaluate(n, v);
        TColor c = 0;
        IdentToColor(n, c);
        EXPECT_EQ(v.AsInteger(), c) << n;
    }
}

// A picture saved by one script is read back by the next; the file is checked too.
TEST_P(GuiPrograms, GraphicsRunWithExactOutput) {
    const TScriptProgram& p = GetParam();
    TScriptRunner r(p.Language);
    r.Script.AddVariable("FileName", "String", Variant(Dir.File("pic.bmp")));
    EXPECT_EQ(r.Run(p.Text), p.Output);
}

const String GraphicsOut =
    "536870911\n536870912\nTrue\n15\n-22\n-22\n20\n10\n255\n16711680\nTrue\nTrue\n3\n3\n20\n10\n";

const TScriptProgram GraphicsScripts[] = {
    {"Pascal", "PascalScript",
     Lines({"var B: TBitmap; P: TPicture;", "begin",
            "  Print(clNone); Print(clDefault); Print(clBtnFace < 0); Print(clBtnFace + 16777216);",
            "  Print(crSize); Print(crSizeAll);", "  B := TBitmap.Create; B.Width := 20; B.Height := 10;",
            "  Print(B.Width); Print(B.Height);",
            "  B.Canvas.Brush.Color := clRed; B.Canvas.Pen.Color := clRed; B.Canvas.Rectangle(0, 0, 20, 10);",
            "  Print(B.Canvas.Pixels[5, 5]);", "  B.Canvas.Pixels[1, 2] := clBlue; Print(B.Canvas.Pixels[1, 2]);",
            "  Print(B.Canvas.TextWidth('abc') > 0); Print(B.Canvas.TextWidth('abcabc') > B.Canvas.TextWidth('abc'));",
            "  B.Canvas.Font.Style := fsBold + fsItalic;",
            "  Print(B.Canvas.Font.Style); Print(fsBold + fsItalic);",
            "  B.SaveToFile(FileName); B.Free;", "  P := TPicture.Create; P.LoadFromFile(FileName);",
            "  Print(P.Width); Print(P.Height); P.SaveToFile(FileName); P.Free;", "end."}),
     GraphicsOut},
    {"JScript", "JScript",
     Lines({"var B, P;", "print(clNone); print(clDefault); print(clBtnFace < 0); print(clBtnFace + 16777216);",
            "print(crSize); print(crSizeAll);", "B = new TBitmap(); B.Width = 20; B.Height = 10;",
            "print(B.Width); print(B.Height);",
            "B.Canvas.Brush.Color = clRed; B.Canvas.Pen.Color = clRed; B.Canvas.Rectangle(0, 0, 20, 10);",
            "print(B.Canvas.Pixels[5, 5]);", "B.Canvas.Pixels[1, 2] = clBlue; print(B.Canvas.Pixels[1, 2]);",
            "print(B.Canvas.TextWidth(\"abc\") > 0); print(B.Canvas.TextWidth(\"abcabc\") > B.Canvas.TextWidth(\"abc\"));",
            "B.Canvas.Font.Style = fsBold + fsItalic;", "print(B.Canvas.Font.Style); print(fsBold + fsItalic);",
            "B.SaveToFile(FileName); B.Free();", "P = new TPicture(); P.LoadFromFile(FileName);",
            "print(P.Width); print(P.Height); P.SaveToFile(FileName); P.Free();"}),
     GraphicsOut},
    {"Cpp", "D++Idezer",
     Lines({"TBitmap B; TPicture P;", "{",
            "  Print(clNone); Print(clDefault); Print(clBtnFace < 0); Print(clBtnFace + 16777216);",
            "  Print(crSize); Print(crSizeAll);", "  B = new TBitmap(); B.Width = 20; B.Height = 10;",
            "  Print(B.Width); Print(B.Height);",
            "  B.Canvas.Brush.Color = clRed; B.Canvas.Pen.Color = clRed; B.Canvas.Rectangle(0, 0, 20, 10);",
            "  Print(B.Canvas.Pixels[5, 5]);", "  B.Canvas.Pixels[1, 2] = clBlue; Print(B.Canvas.Pixels[1, 2]);",
            "  Print(B.Canvas.TextWidth(\"abc\") > 0); Print(B.Canvas.TextWidth(\"abcabc\") > B.Canvas.TextWidth(\"abc\"));",
            "  B.Canvas.Font.Style = fsBold + fsItalic;", "  Print(B.Canvas.Font.Style); Print(fsBold + fsItalic);",
            "  B.SaveToFile(FileName); B.Free();", "  P = new TPicture(); P.LoadFromFile(FileName);",
            "  Print(P.Width); Print(P.Height); P.SaveToFile(FileName); P.Free();", "}"}),
     GraphicsOut},
    {"Basic", "VuzirUzezid",
     Lines({"Dim B As TBitmap", "Dim P As TPicture", "Print(clNone)", "Print(clDefault)", "Print(clBtnFace < 0)",
            "Print(clBtnFace + 16777216)", "Print(crSize)", "Print(crSizeAll)", "B = New TBitmap", "B.Width = 20",
            "B.Height = 10", "Print(B.Width)", "Print(B.Height)", "B.Canvas.Brush.Color = clRed",
            "B.Canvas.Pen.Color = clRed", "B.Canvas.Rectangle(0, 0, 20, 10)", "Print(B.Canvas.Pixels[5, 5])",
            "B.Canvas.Pixels[1, 2] = clBlue", "Print(B.Canvas.Pixels[1, 2])", "Print(B.Canvas.TextWidth(\"abc\") > 0)",
            "Print(B.Canvas.TextWidth(\"abcabc\") > B.Canvas.TextWidth(\"abc\"))",
            "B.Canvas.Font.Style = fsBold + fsItalic", "Print(B.Canvas.Font.Style)", "Print(fsBold + fsItalic)",
            "B.SaveToFile(FileName)", "B.Free", "P = New TPicture", "P.LoadFromFile(FileName)", "Print(P.Width)",
            "Print(P.Height)", "P.SaveToFile(FileName)", "P.Free"}),
     GraphicsOut},
};

INSTANTIATE_TEST_SUITE_P(Graphics, GuiPrograms, ::testing::ValuesIn(GraphicsScripts), ProgramName);

// Forms: Parent moves a control and refuses a circle, list selection, a script OnClick with its
// sender, ShowModal answered through the responder, Application.ExeName.
struct FormPrograms : ::testing::TestWithParam<TScriptProgram> {};

TEST_P(FormPrograms, RunWithExactOutput) {
    const TScriptProgram& p = GetParam();
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Form([](TCustomForm* f) {
        auto* button = dynamic_cast<TButton*>(f->FindComponent("btnGo"));
        if (button) button->Click();
        return mrOk;
    });
    TScriptRunner r(p.Language);
    EXPECT_EQ(r.Run(p.Text), p.Output);
    ASSERT_EQ(user.Requests().size(), 1u);
    EXPECT_EQ(user.Requests()[0].Kind, TInteractionKind::ModalForm);
    EXPECT_EQ(user.Requests()[0].Caption, "Script form");
}

const String FormsOut = "TGroupBox\nA control cannot have one of its own controls as its parent\n"
                        "A control cannot have itself as its parent\n2\nFalse\nTrue\nclick Go\nTrue\nTrue\n";

const TScriptProgram FormScripts[] = {
    {"Pascal", "PascalScript",
     Lines({"var F: TForm; E: TEdit; G: TGroupBox; L: TListBox; B: TButton;",
            "procedure Clicked(Sender: TObject);", "begin Print('click ' + TButton(Sender).Caption) end;", "begin",
            "  F := TForm.Create(nil); F.Caption := 'Script form';", "  G := TGroupBox.Create(F); G.Parent := F;",
            "  E := TEdit.Create(F); E.Parent := F; E.Parent := G; Print(E.Parent.ClassName);",
            "  try G.Parent := E except Print(ExceptionMessage) end;",
            "  try G.Parent := G except Print(ExceptionMessage) end;",
            "  L := TListBox.Create(F); L.Parent := F; L.MultiSelect := True;",
            "  L.Items.Add('a'); L.Items.Add('b'); L.Items.Add('c');",
            "  L.Selected[0] := True; L.Selected[2] := True;",
            "  Print(L.SelCount); Print(L.Selected[1]); Print(L.Selected[2]);",
            "  B := TButton.Create(F); B.Parent := F; B.Caption := 'Go'; B.Name := 'btnGo'; B.OnClick := 'Clicked';",
            "  Print(F.ShowModal = mrOk);", "  Print(Length(Application.ExeName) > 0);", "  F.Free;", "end."}),
     FormsOut},
    {"JScript", "JScript",
     Lines({"var F, E, G, L, B;", "function Clicked(Sender) { print(\"click \" + Sender.Caption); }",
            "F = new TForm(nil); F.Caption = \"Script form\";", "G = new TGroupBox(F); G.Parent = F;",
            "E = new TEdit(F); E.Parent = F; E.Parent = G; print(E.Parent.ClassName);",
            "try { G.Parent = E; } except { print(ExceptionMessage); }",
            "try { G.Parent = G; } except { print(ExceptionMessage); }",
            "L = new TListBox(F); L.Parent = F; L.MultiSelect = true;",
            "L.Items.Add(\"a\"); L.Items.Add(\"b\"); L.Items.Add(\"c\");", "L.Selected[0] = true; L.Selected[2] = true;",
            "print(L.SelCount); print(L.Selected[1]); print(L.Selected[2]);",
            "B = new TButton(F); B.Parent = F; B.Caption = \"Go\"; B.Name = \"btnGo\"; B.OnClick = \"Clicked\";",
            "print(F.ShowModal() == mrOk);", "print(Length(Application.ExeName) > 0);", "F.Free();"}),
     FormsOut},
    {"Cpp", "D++Idezer",
     Lines({"TForm F; TEdit E; TGroupBox G; TListBox L; TButton B;",
            "void Clicked(TButton Sender) { Print(\"click \" + Sender.Caption); }", "{",
            "  F = new TForm(nil); F.Caption = \"Script form\";", "  G = new TGroupBox(F); G.Parent = F;",
            "  E = new TEdit(F); E.Parent = F; E.Parent = G; Print(E.Parent.ClassName);",
            "  try { G.Parent = E; } except { Print(ExceptionMessage); }",
            "  try { G.Parent = G; } except { Print(ExceptionMessage); }",
            "  L = new TListBox(F); L.Parent = F; L.MultiSelect = true;",
            "  L.Items.Add(\"a\"); L.Items.Add(\"b\"); L.Items.Add(\"c\");",
            "  L.Selected[0] = true; L.Selected[2] = true;",
            "  Print(L.SelCount); Print(L.Selected[1]); Print(L.Selected[2]);",
            "  B = new TButton(F); B.Parent = F; B.Caption = \"Go\"; B.Name = \"btnGo\"; B.OnClick = \"Clicked\";",
            "  Print(F.ShowModal() == mrOk);", "  Print(Length(Application.ExeName) > 0);", "  F.Free();", "}"}),
     FormsOut},
    {"Basic", "VuzirUzezid",
     Lines({"Dim F As TForm", "Dim E As TEdit", "Dim G As TGroupBox", "Dim L As TListBox", "Dim B As TButton",
            "Sub Clicked(Sender)", "  Print(\"click \" & Sender.Caption)", "End Sub", "F = New TForm(nil)",
            "F.Caption = \"Script form\"", "G = New TGroupBox(F)", "G.Parent = F", "E = New TEdit(F)", "E.Parent = F",
            "E.Parent = G", "Print(E.Parent.ClassName)", "Try", "  G.Parent = E", "Catch", "  Print(ExceptionMessage)",
            "End Try", "Try", "  G.Parent = G", "Catch", "  Print(ExceptionMessage)", "End Try", "L = New TListBox(F)",
            "L.Parent = F", "L.MultiSelect = True", "L.Items.Add(\"a\")", "L.Items.Add(\"b\")", "L.Items.Add(\"c\")",
            "L.Selected[0] = True", "L.Selected[2] = True", "Print(L.SelCount)", "Print(L.Selected[1])",
            "Print(L.Selected[2])", "B = New TButton(F)", "B.Parent = F", "B.Caption = \"Go\"", "B.Name = \"btnGo\"",
            "B.OnClick = \"Clicked\"", "Print(F.ShowModal = mrOk)", "Print(Length(Application.ExeName) > 0)",
            "F.Free"}),
     FormsOut},
};

INSTANTIATE_TEST_SUITE_P(Forms, FormPrograms, ::testing::ValuesIn(FormScripts), ProgramName);

// Dialogs: MessageDlg with mbYes + mbNo shows two buttons and gives the button's result, the input
// boxes give their text (InputQuery writes it back), Execute gives true and then false.
struct DialogPrograms : ::testing::TestWithParam<TScriptProgram> {};

TEST_P(DialogPrograms, RunWithExactOutput) {
    const TScriptProgram& p = GetParam();
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Answer(mrYes).Answer(mrNo).Input("typed").Input("new").File("/tmp/chosen.txt").Cancel();
    TScriptRunner r(p.Language);
    EXPECT_EQ(r.Run(p.Text), p.Output);
    ASSERT_EQ(user.Requests().size(), 6u);
    EXPECT_EQ(user.Requests()[0].Kind, TInteractionKind::MessageBox);
    EXPECT_EQ(user.Requests()[0].Buttons, 3u) << "two buttons, Yes and No";
    EXPECT_EQ(user.Requests()[0].DlgType, mtConfirmation);
    EXPECT_EQ(user.Requests()[2].Value, "def");
    EXPECT_EQ(user.Requests()[3].Value, "old");
    EXPECT_EQ(user.Requests()[4].Kind, TInteractionKind::OpenFile);
}

const String DialogsOut = "6\n7\ntyped\nTrue\nnew\nTrue\n/tmp/chosen.txt\nFalse\n";

const TScriptProgram DialogScripts[] = {
    {"Pascal", "PascalScript",
     Lines({"var s: String; D: TOpenDialog;", "begin",
            "  Print(MessageDlg('Sure?', mtConfirmation, mbYes + mbNo, 0));",
            "  Print(MessageDlg('Sure?', mtConfirmation, mbYes + mbNo, 0));",
            "  Print(InputBox('Cap', 'Prompt', 'def'));", "  s := 'old'; Print(InputQuery('Cap', 'Prompt', s)); Print(s);",
            "  D := TOpenDialog.Create(nil); Print(D.Execute); Print(D.FileName); Print(D.Execute); D.Free;", "end."}),
     DialogsOut},
    {"JScript", "JScript",
     Lines({"var s, D;", "print(MessageDlg(\"Sure?\", mtConfirmation, mbYes + mbNo, 0));",
            "print(MessageDlg(\"Sure?\", mtConfirmation, mbYes + mbNo, 0));",
            "print(InputBox(\"Cap\", \"Prompt\", \"def\"));",
            "s = \"old\"; print(InputQuery(\"Cap\", \"Prompt\", s)); print(s);",
            "D = new TOpenDialog(nil); print(D.Execute()); print(D.FileName); print(D.Execute()); D.Free();"}),
     DialogsOut},
    {"Cpp", "D++Idezer",
     Lines({"string s; TOpenDialog D;", "{", "  Print(MessageDlg(\"Sure?\", mtConfirmation, mbYes + mbNo, 0));",
            "  Print(MessageDlg(\"Sure?\", mtConfirmation, mbYes + mbNo, 0));",
            "  Print(InputBox(\"Cap\", \"Prompt\", \"def\"));",
            "  s = \"old\"; Print(InputQuery(\"Cap\", \"Prompt\", s)); Print(s);",
            "  D = new TOpenDialog(nil); Print(D.Execute()); Print(D.FileName); Print(D.Execute()); D.Free();", "}"}),
     DialogsOut},
    {"Basic", "VuzirUzezid",
     Lines({"Dim s", "Dim D As TOpenDialog", "Print(MessageDlg(\"Sure?\", mtConfirmation, mbYes + mbNo, 0))",
            "Print(MessageDlg(\"Sure?\", mtConfirmation, mbYes + mbNo, 0))", "Print(InputBox(\"Cap\", \"Prompt\", \"def\"))",
            "s = \"old\"", "Print(InputQuery(\"Cap\", \"Prompt\", s))", "Print(s)", "D = New TOpenDialog(nil)",
            "Print(D.Execute)", "Print(D.FileName)", "Print(D.Execute)", "D.Free"}),
     DialogsOut},
};

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogPrograms, ::testing::ValuesIn(DialogScripts), ProgramName);

// A nil object where the call needs one, and a reference device that is neither 0 nor a canvas,
// raise script errors naming the call; 0 and a canvas record.
TEST(GuiFaults, NilObjectsAndForeignReferenceDevicesRaiseNamingTheCall) {
    struct TCase {
        const char* Statements;
        const char* Output;
    };
    const TCase cases[] = {
        {"B.Canvas.Draw(0, 0, nil);", "run: TCanvas.Draw: Graphic is nil at 3:"},
        {"B.Canvas.StretchDraw(0, 0, 5, 5, nil);", "run: TCanvas.StretchDraw: Graphic is nil at 3:"},
        {"M := TMetafileCanvas.Create(nil, 0);", "run: TMetafileCanvas.Create: AMetafile is nil at 3:"},
        {"M := TMetafileCanvas.Create(MF, 12345);",
         "run: TMetafileCanvas.Create: ReferenceDevice is neither 0 nor a canvas at 3:"},
        {"V := B; M := TMetafileCanvas.Create(MF, V);",
         "run: TMetafileCanvas.Create: ReferenceDevice is neither 0 nor a canvas at 3:"},
        {"B.Assign(nil);", "run: TPersistent.Assign: Source is nil at 3:"},
        {"M := TMetafileCanvas.Create(MF, 0); M.Rectangle(0, 0, 8, 4); M.Free; Print(MF.Width);", "8\n"},
        {"V := B.Canvas; M := TMetafileCanvas.Create(MF, V); M.Rectangle(0, 0, 8, 4); M.Free; Print(MF.Height);", "4\n"},
    };
    for (const TCase& c : cases) {
        TScriptRunner r;
        const String out = r.Run(Lines({"var B: TBitmap; MF: TMetafile; M: TMetafileCanvas; V: Variant;",
                                        "begin B := TBitmap.Create; B.Width := 4; B.Height := 4; MF := TMetafile.Create;",
                                        c.Statements, "end."}));
        EXPECT_EQ(out.rfind(c.Output, 0), 0u) << c.Statements << " gave " << out;
    }
}

// The same refusals in each language: a graphic left unassigned, a reference device that is a
// plain number, a source left unassigned.
struct GuiFaultPrograms : ::testing::TestWithParam<TScriptProgram> {};

TEST_P(GuiFaultPrograms, RaiseNamingTheCall) {
    const TScriptProgram& p = GetParam();
    TScriptRunner r(p.Language);
    EXPECT_EQ(r.Run(p.Text), p.Output);
}

const String FaultsOut = "TCanvas.Draw: Graphic is nil\nTMetafileCanvas.Create: ReferenceDevice is neither 0 nor a "
                         "canvas\nTPersistent.Assign: Source is nil\n";

const TScriptProgram FaultScripts[] = {
    {"Pascal", "PascalScript",
     Lines({"var B, G: TBitmap; MF: TMetafile; M: TMetafileCanvas;", "begin",
            "  B := TBitmap.Create; MF := TMetafile.Create;",
            "  try B.Canvas.Draw(0, 0, G) except Print(ExceptionMessage) end;",
            "  try M := TMetafileCanvas.Create(MF, 12345) except Print(ExceptionMessage) end;",
            "  try B.Assign(G) except Print(ExceptionMessage) end;", "end."}),
     FaultsOut},
    {"JScript", "JScript",
     Lines({"var B, G, MF, M;", "B = new TBitmap(); MF = new TMetafile();",
            "try { B.Canvas.Draw(0, 0, G); } except { print(ExceptionMessage); }",
            "try { M = new TMetafileCanvas(MF, 12345); } except { print(ExceptionMessage); }",
            "try { B.Assign(G); } except { print(ExceptionMessage); }"}),
     FaultsOut},
    {"Cpp", "D++Idezer",
     Lines({"TBitmap B, G; TMetafile MF; TMetafileCanvas M;", "{", "  B = new TBitmap(); MF = new TMetafile();",
            "  try { B.Canvas.Draw(0, 0, G); } except { Print(ExceptionMessage); }",
            "  try { M = new TMetafileCanvas(MF, 12345); } except { Print(ExceptionMessage); }",
            "  try { B.Assign(G); } except { Print(ExceptionMessage); }", "}"}),
     FaultsOut},
    {"Basic", "VuzirUzezid",
     Lines({"Dim B As TBitmap", "Dim G As TBitmap", "Dim MF As TMetafile", "Dim M As TMetafileCanvas",
            "B = New TBitmap", "MF = New TMetafile", "Try", "  B.Canvas.Draw(0, 0, G)", "Catch",
            "  Print(ExceptionMessage)", "End Try", "Try", "  M = New TMetafileCanvas(MF, 12345)", "Catch",
            "  Print(ExceptionMessage)", "End Try", "Try", "  B.Assign(G)", "Catch", "  Print(ExceptionMessage)",
            "End Try"}),
     FaultsOut},
};

INSTANTIATE_TEST_SUITE_P(GuiFaults, GuiFaultPrograms, ::testing::ValuesIn(FaultScripts), ProgramName);

} // namespace
