#include "gui/Display.h"

#include <cstdlib>

namespace {

bool EnvironmentSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

} // namespace

bool DisplayAvailable() {
    return EnvironmentSet("QT_QPA_PLATFORM") || EnvironmentSet("DISPLAY") ||
           EnvironmentSet("WAYLAND_DISPLAY");
}
