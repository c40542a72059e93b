// Speed of the interpreter on the two classic loads: recursive fib(25) and a loop of one million
// turns, in PascalScript and JScript. Compilation is outside the timed part.
#include "script/vs_iinterpreter.h"

#include <benchmark/benchmark.h>

namespace {

void RunScript(benchmark::State& State, const char* Language, const char* Text) {
    TvsScript script(nullptr);
    script.SyntaxType = Language;
    script.AddRTTI();
    script.Lines().SetText(Text);
    if (!script.Compile()) {
        State.SkipWithError((script.ErrorText + " at " + script.ErrorPosition).c_str());
        return;
    }
    for (auto _ : State)
        script.Execute();
}

const char* const PascalFib = "var r: Integer;\n"
                              "function Fib(n: Integer): Integer;\n"
                              "begin if n < 2 then Result := n else Result := Fib(n - 1) + Fib(n - 2) end;\n"
                              "begin r := Fib(25) end.\n";
const char* const PascalLoop = "var i, s: Integer;\n"
                               "begin s := 0; for i := 1 to 1000000 do s := s + i mod 7 end.\n";
const char* const JScriptFib = "function fib(n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2); }\n"
                               "var r = fib(25);\n";
const char* const JScriptLoop = "var i, s = 0;\n"
                                "for (i = 0; i < 1000000; i++) s = s + i % 7;\n";

void BM_PascalFib25(benchmark::State& State) {
    RunScript(State, "PascalScript", PascalFib);
}
void BM_PascalLoop1M(benchmark::State& State) {
    RunScript(State, "PascalScript", PascalLoop);
}
void BM_JScriptFib25(benchmark::State& State) {
    RunScript(State, "JScript", JScriptFib);
}
void BM_JScriptLoop1M(benchmark::State& State) {
    RunScript(State, "JScript", JScriptLoop);
}

} // namespace

BENCHMARK(BM_PascalFib25)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PascalLoop1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JScriptFib25)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JScriptLoop1M)->Unit(benchmark::kMillisecond);
