#include "gui/Display.h"

#include "rtl/StrUtils.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

String Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? String(value) : String();
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

// The toolkit's Wayland platform is installed where it looks for its platforms.
bool ToolkitHasWayland() {
    // Asked before the application exists: the built-in folder and those of QT_PLUGIN_PATH.
    const QStringList folders = QCoreApplication::libraryPaths();
    for (const QString& folder : folders)
        if (!QDir(folder + QStringLiteral("/platforms")).entryList({QStringLiteral("libqwayland*")}, QDir::Files).isEmpty())
            return true;
    return false;
}

// Connects to the Wayland display's socket (WAYLAND_DISPLAY: a name under XDG_RUNTIME_DIR or a
// full path) and closes it again; a socket file left by a compositor that ended does not answer.
bool WaylandDisplayAnswers(const String& display) {
    String path = display;
    if (path[0] != '/') {
        const String runtime = Environment("XDG_RUNTIME_DIR");
        if (runtime.empty()) return false;
        path = runtime + "/" + display;
    }
    sockaddr_un address{};
    if (path.size() >= sizeof address.sun_path) return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size());
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool answers = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return answers;
}

// The toolkit's platform name without its options ("xcb:foo" is "xcb").
String PlatformName(const String& entry) {
    return Trim(entry.substr(0, entry.find(':')));
}

} // namespace

bool DisplayAvailable() {
    return !Environment("QT_QPA_PLATFORM").empty() || !Environment("DISPLAY").empty() ||
           !Environment("WAYLAND_DISPLAY").empty();
}

String DisplayProblem() {
    if (!DisplayAvailable()) return NoDisplayMessage;
    // The platforms the toolkit tries in turn: those chosen in QT_QPA_PLATFORM, else Wayland
    // where a Wayland display is named, then X.
    const String chosen = Environment("QT_QPA_PLATFORM");
    const String display = Environment("DISPLAY");
    const String wayland = Environment("WAYLAND_DISPLAY");
    std::vector<String> platforms;
    if (!chosen.empty())
        platforms = SplitString(chosen, ";");
    else if (!wayland.empty())
        platforms = {"wayland", "xcb"};
    else
        platforms = {"xcb"};
    bool triedX = false, triedWayland = false;
    for (const String& entry : platforms) {
        const String name = PlatformName(entry);
        if (name == "xcb") {
            if (!display.empty() && XDisplayAnswers(display)) return String();
            triedX = true;
        } else if (name.rfind("wayland", 0) == 0) {
            if (!wayland.empty() && ToolkitHasWayland() && WaylandDisplayAnswers(wayland)) return String();
            triedWayland = true;
        } else if (!name.empty()) {
            return String(); // another platform of the toolkit (offscreen, a framebuffer, VNC)
        }
    }
    if (!triedWayland && display.empty()) return NoDisplayMessage;
    String what;
    if (triedX && !display.empty()) what = "cannot open display \"" + display + "\" (DISPLAY)";
    if (triedWayland) {
        if (!what.empty()) what += " nor";
        else what = "cannot open";
        if (wayland.empty())
            what += " a Wayland display (WAYLAND_DISPLAY is not set)";
        else if (!ToolkitHasWayland())
            what += " the Wayland display \"" + wayland + "\" (the toolkit's Wayland platform is not installed)";
        else
            what += " the Wayland display \"" + wayland + "\" (WAYLAND_DISPLAY)";
        if (triedX && display.empty()) what += ", and DISPLAY is not set";
    }
    return what + ": start its server or allow this user on it, run under a desktop session, "
                  "or set DISPLAY to an X display that runs (such as one of Xvfb)";
}
