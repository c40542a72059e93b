// The millisecond tick count: the time since an arbitrary start that wraps after 49.7 days, for
// measuring short intervals (how fast a first page was built). It comes from a settable source
// so that tests can make time pass as they need.
#pragma once

#include "rtl/Types.h"

#include <functional>

// Milliseconds from the source set by SetTickSource (the system's monotonic clock by default).
Cardinal GetTickCount();
// The system's milliseconds, whatever source is set.
Cardinal SystemTickCount();

// An empty function puts the system's source back.
using TTickSource = std::function<Cardinal()>;
void SetTickSource(TTickSource source);

// Sets a tick source for its own lifetime and puts the previous one back.
class TTickOverride {
public:
    explicit TTickOverride(TTickSource source);
    ~TTickOverride();
    TTickOverride(const TTickOverride&) = delete;
    TTickOverride& operator=(const TTickOverride&) = delete;

private:
    TTickSource FPrevious;
};
