// Reading and writing a 5 MB document of the report library's XML dialect, and Python's
// xml.etree on the same file in the same run for comparison.
#include "report/vrXML.h"

#include "rtl/FileUtils.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Files of this run, removed when the program ends.
struct TBenchFiles {
    String xml = GetTempDir() + "vrXMLBench.xml";
    String script = GetTempDir() + "vrXMLBench.py";
    ~TBenchFiles() {
        DeleteFile(xml);
        DeleteFile(script);
    }
} Files;

// A prepared-report-like document of about 5 MB: pages of bands of text objects whose
// attributes hold Chinese text, quotes, ampersands and line breaks.
const String& SampleFile() {
    static const String file = [] {
        TvrXMLDocument doc;
        doc.IndentOutput = true;
        TvrXMLItem* root = doc.RootItem();
        root->Name = "preparedreport";
        TvrXMLItem* pages = root->Add();
        pages->Name = "previewpages";
        int page = 0;
        for (Int64 size = 0; size < 5450000; ++page) { // gives a file of about 5 MB
            TvrXMLItem* p = pages->Add();
            p->Name = "page" + std::to_string(page);
            for (int b = 0; b < 8; ++b) {
                TvrXMLItem* band = p->Add();
                band->Name = "b" + std::to_string(b);
                band->SetProp("t", std::to_string(b * 40));
                for (int m = 0; m < 6; ++m) {
                    TvrXMLItem* memo = band->Add();
                    memo->Name = "m" + std::to_string(m);
                    memo->SetProp("l", std::to_string(m * 95));
                    memo->SetProp("w", "94.5");
                    memo->SetProp("Memo.UTF8W", "\xE6\x88\xBF\xE5\xB1\x8B\xE7\xBC\x96\xE5\x8F\xB7 A-" +
                                                    std::to_string(page * 100 + m) + " \"R&D\"\r\n<x>");
                    size += 120;
                }
            }
        }
        doc.SaveToFile(Files.xml);
        return Files.xml;
    }();
    return file;
}

void LoadFileInto(TMemoryStream& stream) {
    stream.LoadFromFile(SampleFile());
}

void BM_vrXMLRead(benchmark::State& state) {
    TMemoryStream input;
    LoadFileInto(input);
    for (auto _ : state) {
        input.SetPosition(0);
        TvrXMLDocument doc;
        doc.LoadFromStream(input);
        benchmark::DoNotOptimize(doc.RootItem()->ItemCount());
    }
    state.SetBytesProcessed(state.iterations() * input.Size());
}
BENCHMARK(BM_vrXMLRead)->Unit(benchmark::kMillisecond);

void BM_vrXMLWrite(benchmark::State& state) {
    TMemoryStream input;
    LoadFileInto(input);
    TvrXMLDocument doc;
    doc.LoadFromStream(input);
    doc.IndentOutput = true;
    for (auto _ : state) {
        TMemoryStream out;
        doc.SaveToStream(out);
        benchmark::DoNotOptimize(out.Size());
    }
    state.SetBytesProcessed(state.iterations() * input.Size());
}
BENCHMARK(BM_vrXMLWrite)->Unit(benchmark::kMillisecond);

void BM_vrXMLReadAttributes(benchmark::State& state) {
    TMemoryStream input;
    LoadFileInto(input);
    TvrXMLDocument doc;
    doc.LoadFromStream(input);
    for (auto _ : state) {
        size_t total = 0;
        TvrXMLItem* pages = doc.RootItem()->GetItem(0);
        for (int p = 0; p < pages->ItemCount(); ++p)
            for (int b = 0; b < pages->GetItem(p)->ItemCount(); ++b) {
                TvrXMLItem* band = pages->GetItem(p)->GetItem(b);
                for (int m = 0; m < band->ItemCount(); ++m)
                    total += band->GetItem(m)->GetProp("Memo.UTF8W").size();
            }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_vrXMLReadAttributes)->Unit(benchmark::kMillisecond);

// Runs Python's xml.etree on the same file: "parse" or "write" (of the parsed tree), timed inside
// Python so that its start-up is not counted; the time of one run is the iteration time.
void RunPython(benchmark::State& state, const char* what) {
    const String script =
        String("import sys,time,io,xml.etree.ElementTree as E\n"
               "t=E.parse(sys.argv[1])\n"
               "s=time.perf_counter()\n") +
        (String(what) == "parse" ? "E.parse(sys.argv[1])\n" : "t.write(io.BytesIO(),encoding='utf-8')\n") +
        "print(time.perf_counter()-s)\n";
    const String& scriptFile = Files.script;
    if (std::FILE* f = std::fopen(scriptFile.c_str(), "w")) {
        std::fputs(script.c_str(), f);
        std::fclose(f);
    }
    const String command = "python3 " + scriptFile + " " + SampleFile() + " 2>/dev/null";
    for (auto _ : state) {
        std::FILE* pipe = ::popen(command.c_str(), "r");
        char line[64] = {0};
        const bool ok = pipe && std::fgets(line, sizeof line, pipe);
        if (pipe) ::pclose(pipe);
        if (!ok) {
            state.SkipWithError("python3 with xml.etree is not available");
            break;
        }
        state.SetIterationTime(std::strtod(line, nullptr));
    }
    state.SetBytesProcessed(state.iterations() * FileSize(SampleFile()));
}

void BM_PythonEtreeRead(benchmark::State& state) {
    RunPython(state, "parse");
}
BENCHMARK(BM_PythonEtreeRead)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_PythonEtreeWrite(benchmark::State& state) {
    RunPython(state, "write");
}
BENCHMARK(BM_PythonEtreeWrite)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace
