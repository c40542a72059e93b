// ShowMess through a replaceable handler: the windowing layer installs the message box at start;
// until then (and in programs without windows) messages go to the standard error stream and a
// question is answered with the negative answer.
#include "app/core/Vardessa.h"

#include <cstdio>

namespace {

TShowMessHandler& Handler() {
    static TShowMessHandler handler;
    return handler;
}

} // namespace

TShowMessHandler SetShowMessHandler(TShowMessHandler handler) {
    TShowMessHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

int ShowMess(const String& text, int kind) {
    if (Handler()) return Handler()(text, kind);
    std::fprintf(stderr, "%s\n", text.c_str());
    return kind == 1 ? 2 : 1;
}
