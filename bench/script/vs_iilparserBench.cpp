// Speed of the compiler's first phase: source text to intermediate form.
#include "script/vs_iilparser.h"
#include "script/vs_iparser.h"

#include <benchmark/benchmark.h>

namespace {

// A report script of the usual kind: a few declarations and event procedures.
String PascalScript(int Procedures) {
    String text = "var Total, Count: Integer; Names: array[0..9] of String;\r\n";
    for (int i = 0; i < Procedures; ++i) {
        const String n = std::to_string(i);
        text += "procedure Band" + n +
                "OnBeforePrint(Sender: TObject);\r\n"
                "var s: String; k: Integer;\r\n"
                "begin\r\n"
                "  s := <Data.\"Name\"> + ' (' + IntToStr(Count) + ')';\r\n"
                "  if (Total > 100) and not (Count = 0) then\r\n"
                "    Memo" +
                n +
                ".Text := FormatFloat('#,##0.00', Total / Count)\r\n"
                "  else\r\n"
                "    Memo" +
                n +
                ".Text := '';\r\n"
                "  for k := 0 to 9 do\r\n"
                "    if Names[k] = s then break;\r\n"
                "  case Count of\r\n"
                "    0: Count := 1;\r\n"
                "    1..5: Inc(Count)\r\n"
                "  end;\r\n"
                "  Total := Total + Count * 2\r\n"
                "end;\r\n\r\n";
    }
    return text + "begin\r\n  Total := 0;\r\n  Count := 0\r\nend.\r\n";
}

void BM_PascalToIntermediate(benchmark::State& state) {
    const String text = PascalScript(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TvsILParser parser;
        parser.SelectLanguage("PascalScript");
        bool ok = parser.BuildIntermediate(text);
        benchmark::DoNotOptimize(ok);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_PascalToIntermediate)->Arg(1)->Arg(20);

// The report's expression cache compiles many one-line functions.
void BM_SmallExpression(benchmark::State& state) {
    const String text =
        "function vsEvaluateFUNC: Variant; begin Result := [Data.\"Amount\"] * 1.05 end; begin end.\r\n";
    for (auto _ : state) {
        TvsILParser parser;
        parser.SelectLanguage("PascalScript");
        bool ok = parser.BuildIntermediate(text);
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(BM_SmallExpression);

void BM_LexerWords(benchmark::State& state) {
    String text;
    for (int i = 0; i < 1000; ++i)
        text += "begin Value" + std::to_string(i) + " end ";
    TvsParser lexer;
    for (const char* word : {"begin", "end", "if", "then", "else", "while", "do", "for", "to", "var"})
        lexer.Keywords().Add(word);
    for (auto _ : state) {
        lexer.LoadText(text);
        int words = 0;
        while (!lexer.GetKeyword().empty())
            ++words;
        benchmark::DoNotOptimize(words);
    }
}
BENCHMARK(BM_LexerWords);

} // namespace
