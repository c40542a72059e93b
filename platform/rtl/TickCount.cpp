// The settable millisecond tick count.
#include "rtl/TickCount.h"

#include <mutex>
#include <time.h>

namespace {

std::mutex TickLock;
TTickSource& CurrentTickSource() {
    static TTickSource source;
    return source;
}

TTickSource ExchangeTickSource(TTickSource source) {
    std::lock_guard<std::mutex> lock(TickLock);
    std::swap(CurrentTickSource(), source);
    return source;
}

} // namespace

Cardinal SystemTickCount() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    const unsigned long long ms =
        static_cast<unsigned long long>(ts.tv_sec) * 1000ULL + static_cast<unsigned long long>(ts.tv_nsec) / 1000000ULL;
    return static_cast<Cardinal>(ms);
}

Cardinal GetTickCount() {
    TTickSource source;
    {
        std::lock_guard<std::mutex> lock(TickLock);
        source = CurrentTickSource();
    }
    return source ? source() : SystemTickCount();
}

void SetTickSource(TTickSource source) {
    ExchangeTickSource(std::move(source));
}

TTickOverride::TTickOverride(TTickSource source) : FPrevious(ExchangeTickSource(std::move(source))) {}
TTickOverride::~TTickOverride() {
    ExchangeTickSource(std::move(FPrevious));
}
