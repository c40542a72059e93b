#include "gui/ScreenColors.h"

namespace {
int Override = 0;
}

int ScreenColorCount() { return Override != 0 ? Override : -1; }

void SetScreenColorCountOverride(int Count) { Override = Count; }
