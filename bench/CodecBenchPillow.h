// Times the same work done by Pillow (python3) so the codec benchmarks show both in one run.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace codecbench {

// Runs the python snippet (which prints seconds per operation) and returns that number, or -1.
inline double PillowSeconds(const std::string& body) {
    const std::string script = "/tmp/orv_codec_bench_" + std::to_string(getpid()) + ".py";
    if (FILE* f = std::fopen(script.c_str(), "w")) {
        std::fputs(body.c_str(), f);
        std::fclose(f);
    }
    for (const char* python : {"/usr/bin/python3", "python3"}) {
        FILE* pipe = popen((std::string(python) + " " + script + " 2>/dev/null").c_str(), "r");
        if (!pipe) continue;
        char buf[128] = {0};
        const bool got = std::fgets(buf, sizeof buf, pipe) != nullptr;
        const int status = pclose(pipe);
        if (got && status == 0) {
            std::remove(script.c_str());
            return std::atof(buf);
        }
    }
    return -1;
}

// A benchmark entry whose time is Pillow's per-operation time.
inline void ReportPillow(benchmark::State& state, const std::string& body) {
    const double seconds = PillowSeconds(body);
    for (auto _ : state)
        state.SetIterationTime(seconds > 0 ? seconds : 0);
    if (seconds < 0) state.SkipWithError("python3 with Pillow not found");
}

} // namespace codecbench
