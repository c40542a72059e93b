// The stack guard of the interpreter: evaluating a script recurses on the machine's stack (calls,
// operator trees, access paths), so before going deeper the interpreter compares the address of
// its current frame with a floor kept per thread, a safety margin above the low end of the
// thread's stack. Below the floor the script gets the error "Stack overflow" instead of the
// process dying, whatever the size of each script frame.
#pragma once

#include <cstdint>

namespace vsdetail {
// The lowest frame address a script may reach on this thread; the highest address until the
// thread's first check has measured its stack.
inline constinit thread_local std::uintptr_t tStackFloor = ~std::uintptr_t(0);
// Measures the stack on the first call of a thread; raises EvsScriptError SStackOverflow when
// Frame is below the floor.
[[gnu::noinline, gnu::cold]] void StackExhausted(std::uintptr_t Frame);
} // namespace vsdetail

// Raises EvsScriptError SStackOverflow when the thread's stack is used up to the safety margin.
inline void vsCheckStack() {
    const auto frame = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    if (frame < vsdetail::tStackFloor) [[unlikely]]
        vsdetail::StackExhausted(frame);
}
