// The graphics, forms and dialog bindings in the four languages: constants, a bitmap drawn on and
// read back, pictures through files, list selection, events, modal forms, message and input boxes
// and common dialogs answered through the interaction responder.
#include "script/ScriptTestSupport.h"

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

} // namespace
