#include "gui/Display.h"

#include <cstdlib>
#include <dlfcn.h>

namespace {

String Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? String(value) : String();
}

// The toolkit would show its windows on the X display of DISPLAY.
bool ToolkitUsesX() {
    const String platform = Environment("QT_QPA_PLATFORM");
    if (!platform.empty()) return platform.rfind("xcb", 0) == 0;
    return Environment("WAYLAND_DISPLAY").empty() && !Environment("DISPLAY").empty();
}

// Opens the X display and closes it again. The X client library is the one the toolkit itself
// loads for X; it is looked up at run time, so nothing more is linked. Where it is missing the
// toolkit could not use X either, and is left to say so.
bool XDisplayAnswers(const String& display) {
    void* library = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_LOCAL);
    if (!library) return true;
    using TConnect = void* (*)(const char* name, int* screen);
    using THasError = int (*)(void* connection);
    using TDisconnect = void (*)(void* connection);
    auto connect = reinterpret_cast<TConnect>(dlsym(library, "xcb_connect"));
    auto hasError = reinterpret_cast<THasError>(dlsym(library, "xcb_connection_has_error"));
    auto disconnect = reinterpret_cast<TDisconnect>(dlsym(library, "xcb_disconnect"));
    if (!connect || !hasError || !disconnect) return true;
    void* connection = connect(display.c_str(), nullptr);
    // A failed connection is an error object of the library, which disconnect also frees.
    const bool answers = connection && hasError(connection) == 0;
    if (connection) disconnect(connection);
    return answers;
}

} // namespace

bool DisplayAvailable() {
    return !Environment("QT_QPA_PLATFORM").empty() || !Environment("DISPLAY").empty() ||
           !Environment("WAYLAND_DISPLAY").empty();
}

String DisplayProblem() {
    if (!DisplayAvailable()) return NoDisplayMessage;
    if (!ToolkitUsesX()) return String();
    const String display = Environment("DISPLAY");
    if (display.empty()) return NoDisplayMessage;
    if (XDisplayAnswers(display)) return String();
    return "cannot open display \"" + display +
           "\" (DISPLAY): start its X server or allow this user on it, run under a desktop session, "
           "or set DISPLAY to a display that runs (such as one of Xvfb)";
}
