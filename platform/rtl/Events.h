// Event types shared by the runtime and the libraries above it: events are std::function slots.
#pragma once

#include <functional>

class TObject;

using TNotifyEvent = std::function<void(TObject* Sender)>;
