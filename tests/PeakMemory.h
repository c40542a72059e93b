// The process's peak resident memory, for tests that a reader does not allocate what a damaged
// file promises. Linux only: read from /proc/self/status, reset through /proc/self/clear_refs.
#pragma once

#include <cstdio>

// Peak resident memory in kB since the last ResetPeakMemory (-1 when it cannot be read).
inline long PeakMemoryKb() {
    FILE* f = std::fopen("/proc/self/status", "r");
    long kb = -1;
    char line[256];
    while (f && std::fgets(line, sizeof line, f))
        if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1) break;
    if (f) std::fclose(f);
    return kb;
}

inline void ResetPeakMemory() {
    if (FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}
