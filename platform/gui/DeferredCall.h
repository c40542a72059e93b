// A call deferred to the next turn of the event loop, at most one pending per control: posting
// again while one waits does nothing; a pending call can be tested and discarded (a control
// discards its call before it goes away).
#pragma once

#include <functional>

class TControl;

// Queues Call for Control unless one is already queued; answers whether it queued.
bool PostDeferredCall(TControl* Control, std::function<void()> Call);
bool DeferredCallPending(const TControl* Control);
void DiscardDeferredCall(const TControl* Control);
