// The page workspace on a real display (Xvfb with a window manager, started by the test), walked
// as a new user would: the pictures of its steps are kept in ScreenshotFolder() to be looked at.
#include "../../app/desktop/XServer.h"
#include "../designer/DesignerRoad.h"
#include "../designer/DesignerToolsRoad.h"

#include "gui/Screenshot.h"

TEST(DesignerRoadOnScreen, ANewUsersRoadWithPictures) {
    if (!XServerRunning()) GTEST_SKIP() << XServerProblem();
    TDesignerRoadForm road;
    ASSERT_TRUE(WaitFor([&] { return road.Form->Active(); }));
    Settle();
    int shots = 0;
    road.Walk([&](const String& name) {
        Settle(100);
        EXPECT_TRUE(SaveScreenAsPng(ScreenshotFolder() + name + ".png")) << name;
        ++shots;
    });
    EXPECT_EQ(shots, 5);
}

TEST(DesignerRoadOnScreen, ToolsGuidesDropsPasteAndUndoWithPictures) {
    if (!XServerRunning()) GTEST_SKIP() << XServerProblem();
    TToolsRoadForm road;
    ASSERT_TRUE(WaitFor([&] { return road.Designer->Active(); }));
    Settle();
    int shots = 0;
    road.Walk([&](const String& name) {
        Settle(100);
        EXPECT_TRUE(SaveScreenAsPng(ScreenshotFolder() + name + ".png")) << name;
        ++shots;
    });
    EXPECT_EQ(shots, 9);
}
