// One fuzz target per file reader. ORV_FUZZ_TARGET(Name) { ... } defines the target's body over
// `data` and `size`; the body may let the reader's own exceptions out, nothing else.
//
// Built with clang's libFuzzer (ORV_LIBFUZZER, one target per executable) the body becomes the
// fuzzer's entry point; in every other build it is registered, and the seed-corpus test runs it
// over the files of tests/fuzz/corpus/<name>, so the reproducers kept there stay fixed.
#pragma once

#include "rtl/SysUtils.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

using TFuzzBody = void (*)(const Byte* data, std::size_t size);

// The registered targets by lower-case name (the corpus folder's name).
inline std::map<std::string, TFuzzBody>& FuzzTargets() {
    static std::map<std::string, TFuzzBody> targets;
    return targets;
}

inline bool RegisterFuzzTarget(const char* name, TFuzzBody body) {
    FuzzTargets()[name] = body;
    return true;
}

// Runs a body, taking the reader's exceptions as the answer to bad input.
inline void RunFuzzBody(TFuzzBody body, const Byte* data, std::size_t size) {
    try {
        body(data, size);
    } catch (const Exception&) {
    }
}

#ifdef ORV_LIBFUZZER
#define ORV_FUZZ_ENTRY(name)                                                                                 \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {                     \
        RunFuzzBody(Fuzz_##name, data, size);                                                               \
        return 0;                                                                                            \
    }
#else
#define ORV_FUZZ_ENTRY(name) static const bool Registered_##name = RegisterFuzzTarget(#name, Fuzz_##name);
#endif

#define ORV_FUZZ_TARGET(name)                                                                                \
    static void Fuzz_##name(const Byte* data, std::size_t size);                                             \
    ORV_FUZZ_ENTRY(name)                                                                                     \
    static void Fuzz_##name(const Byte* data, std::size_t size)
