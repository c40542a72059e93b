// The interpreter against a small embedded language of the kind users know (Lua 5.4), on the same
// five programs in PascalScript, JScript and Lua in one run: recursive fib(27); a loop of 3,000,000
// turns summing i mod 7; appending "x" 200,000 times; 1,000,000 calls of a small function; filling
// and summing an array of 100,000 integers. Compilation is outside the timed part. BM_ArrayMemory*
// report the heap bytes one element of an array of 100,000 integers costs.
#include "rtl/Format.h"
#include "script/vs_iinterpreter.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#ifdef ORV_HAVE_LUA
#include <lua5.4/lauxlib.h>
#include <lua5.4/lua.h>
#include <lua5.4/lualib.h>
#endif

namespace {

struct TProgram {
    const char* Pascal;
    const char* JScript;
    const char* Lua;
};

const TProgram Fib{"var r: Integer;\n"
                   "function Fib(n: Integer): Integer;\n"
                   "begin if n < 2 then Result := n else Result := Fib(n - 1) + Fib(n - 2) end;\n"
                   "begin r := Fib(27) end.\n",
                   "function fib(n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2); }\n"
                   "var r = fib(27);\n",
                   "local function fib(n) if n < 2 then return n end return fib(n - 1) + fib(n - 2) end\n"
                   "local r = fib(27)\n"};

const TProgram Loop{"var i, s: Integer;\n"
                    "begin s := 0; for i := 1 to 3000000 do s := s + i mod 7 end.\n",
                    "var i, s = 0;\n"
                    "for (i = 1; i <= 3000000; i++) s = s + i % 7;\n",
                    "local s = 0\n"
                    "for i = 1, 3000000 do s = s + i % 7 end\n"};

const TProgram Append{"var s: String; i: Integer;\n"
                      "begin s := ''; for i := 1 to 200000 do s := s + 'x' end.\n",
                      "var i, s = \"\";\n"
                      "for (i = 0; i < 200000; i++) s = s + \"x\";\n",
                      "local s = ''\n"
                      "for i = 1, 200000 do s = s .. 'x' end\n"};

const TProgram Calls{"var i, s: Integer;\n"
                     "function Next(x: Integer): Integer; begin Result := x + 1 end;\n"
                     "begin s := 0; for i := 1 to 1000000 do s := Next(s) end.\n",
                     "function next(x) { return x + 1; }\n"
                     "var i, s = 0;\n"
                     "for (i = 0; i < 1000000; i++) s = next(s);\n",
                     "local function next(x) return x + 1 end\n"
                     "local s = 0\n"
                     "for i = 1, 1000000 do s = next(s) end\n"};

const TProgram Array{"var a: array[0..99999] of Integer; i, s: Integer;\n"
                     "begin\n"
                     "  for i := 0 to 99999 do a[i] := i mod 1000;\n"
                     "  s := 0; for i := 0 to 99999 do s := s + a[i];\n"
                     "end.\n",
                     "var a[100000], i, s = 0;\n"
                     "for (i = 0; i < 100000; i++) a[i] = i % 1000;\n"
                     "for (i = 0; i < 100000; i++) s = s + a[i];\n",
                     "local a = {}\n"
                     "for i = 0, 99999 do a[i] = i % 1000 end\n"
                     "local s = 0\n"
                     "for i = 0, 99999 do s = s + a[i] end\n"};

bool Prepare(benchmark::State& State, TvsScript& Script, const char* Language, const char* Text) {
    Script.SyntaxType = Language;
    Script.AddRTTI();
    Script.Lines().SetText(Text);
    if (Script.Compile()) return true;
    State.SkipWithError((Script.ErrorText + " at " + Script.ErrorPosition).c_str());
    return false;
}

void RunScript(benchmark::State& State, const char* Language, const char* Text) {
    TvsScript script(nullptr);
    if (!Prepare(State, script, Language, Text)) return;
    for (auto _ : State)
        script.Execute();
}

#ifdef ORV_HAVE_LUA
void RunLua(benchmark::State& State, const char* Text) {
    lua_State* L = luaL_newstate();
    luaL_openlibs(L);
    if (luaL_loadstring(L, Text) != LUA_OK) {
        State.SkipWithError(lua_tostring(L, -1));
        lua_close(L);
        return;
    }
    for (auto _ : State) {
        lua_pushvalue(L, -1);
        if (lua_pcall(L, 0, 0, 0) != LUA_OK) {
            State.SkipWithError(lua_tostring(L, -1));
            break;
        }
    }
    lua_close(L);
}
#endif

#define ORV_PROGRAM(Name, Program)                                                                           \
    void BM_##Name##_Pascal(benchmark::State& State) {                                                       \
        RunScript(State, "PascalScript", Program.Pascal);                                                    \
    }                                                                                                        \
    void BM_##Name##_JScript(benchmark::State& State) {                                                      \
        RunScript(State, "JScript", Program.JScript);                                                        \
    }                                                                                                        \
    BENCHMARK(BM_##Name##_Pascal)->Unit(benchmark::kMillisecond);                                            \
    BENCHMARK(BM_##Name##_JScript)->Unit(benchmark::kMillisecond);

ORV_PROGRAM(Fib27, Fib)
ORV_PROGRAM(Loop3M, Loop)
ORV_PROGRAM(Append200K, Append)
ORV_PROGRAM(Calls1M, Calls)
ORV_PROGRAM(Array100K, Array)

#ifdef ORV_HAVE_LUA
#define ORV_LUA_PROGRAM(Name, Program)                                                                       \
    void BM_##Name##_Lua(benchmark::State& State) {                                                          \
        RunLua(State, Program.Lua);                                                                          \
    }                                                                                                        \
    BENCHMARK(BM_##Name##_Lua)->Unit(benchmark::kMillisecond);

ORV_LUA_PROGRAM(Fib27, Fib)
ORV_LUA_PROGRAM(Loop3M, Loop)
ORV_LUA_PROGRAM(Append200K, Append)
ORV_LUA_PROGRAM(Calls1M, Calls)
ORV_LUA_PROGRAM(Array100K, Array)
#endif

// --- memory of an array of integers ----------------------------------------------------------------

// The bytes allocated now: those in the heap and those in chunks of their own (a large array may
// get one, depending on what was freed before).
size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The heap a script holds after filling an array of Count integers.
size_t ScriptArrayHeap(benchmark::State& State, const char* Language, int Count) {
    const size_t before = HeapInUse();
    TvsScript script(nullptr);
    const String n = IntToStr(Count);
    const String text = String(Language) == "JScript"
                            ? "var a[" + n + "], i;\nfor (i = 0; i < " + n + "; i++) a[i] = i;\n"
                            : "var a: array[0.." + IntToStr(Count - 1) +
                                  "] of Integer; i: Integer;\nbegin for i := 0 to " + IntToStr(Count - 1) +
                                  " do a[i] := i end.\n";
    if (!Prepare(State, script, Language, text.c_str())) return 0;
    script.Execute();
    return HeapInUse() - before;
}

void ArrayMemory(benchmark::State& State, const char* Language) {
    double perElement = 0;
    // What the first compilation of a language keeps for the whole process (its grammar) is not
    // counted: it is made before the measured runs.
    ScriptArrayHeap(State, Language, 1);
    for (auto _ : State) {
        const size_t small = ScriptArrayHeap(State, Language, 1);
        const size_t large = ScriptArrayHeap(State, Language, 100001);
        perElement = double(large - small) / 100000.0;
    }
    State.counters["bytes_per_element"] = perElement;
}

void BM_ArrayMemory_Pascal(benchmark::State& State) {
    ArrayMemory(State, "PascalScript");
}
void BM_ArrayMemory_JScript(benchmark::State& State) {
    ArrayMemory(State, "JScript");
}
BENCHMARK(BM_ArrayMemory_Pascal)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArrayMemory_JScript)->Iterations(1)->Unit(benchmark::kMillisecond);

#ifdef ORV_HAVE_LUA
void BM_ArrayMemory_Lua(benchmark::State& State) {
    double perElement = 0;
    for (auto _ : State) {
        lua_State* L = luaL_newstate();
        const int before = lua_gc(L, LUA_GCCOUNT, 0) * 1024 + lua_gc(L, LUA_GCCOUNTB, 0);
        luaL_dostring(L, "a = {} for i = 1, 100000 do a[i] = i end");
        lua_gc(L, LUA_GCCOLLECT, 0);
        const int after = lua_gc(L, LUA_GCCOUNT, 0) * 1024 + lua_gc(L, LUA_GCCOUNTB, 0);
        perElement = double(after - before) / 100000.0;
        lua_close(L);
    }
    State.counters["bytes_per_element"] = perElement;
}
BENCHMARK(BM_ArrayMemory_Lua)->Iterations(1)->Unit(benchmark::kMillisecond);
#endif

} // namespace
