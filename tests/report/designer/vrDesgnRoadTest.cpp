// A new user's road on the page workspace, played offscreen (the desktop tests play it on a real
// display and keep its pictures).
#include "DesignerRoad.h"

TEST(DesignerRoad, ANewUsersRoadOffscreen) {
    TDesignerRoadForm road;
    road.Walk([](const String&) {});
}
