// The road through the workspace's tools, played offscreen (the desktop tests play it on a real
// display and keep its pictures).
#include "DesignerToolsRoad.h"

TEST(DesignerToolsRoad, ToolsGuidesDropsPasteAndUndoOffscreen) {
    TToolsRoadForm road;
    road.Walk([](const String&) {});
}
