// A new user's road through the preview window on a real display (Xvfb with a window manager):
// the engine tests' 120-row report with its outline and drill-down groups, paged, zoomed, with
// thumbnails and outline, collapsed and expanded, searched, a page turned landscape, a page
// inserted and deleted, saved and reopened, full screen, printed to the PDF printer. Screenshots
// are kept in ScreenshotFolder() to be looked at.
#include "../app/desktop/XServer.h"
#include "../platform/gui/CupsTestServer.h"
#include "../report/vrEngineFixture.h"
#include "../report/vrPreviewRoad.h"
#include "PdfInfo.h"

#include "gui/Printers.h"
#include "gui/Screenshot.h"
#include "report/vrPrinter.h"

#include <gtest/gtest.h>

namespace {

class PreviewWindowDesktop : public EngineTest {};

TEST_F(PreviewWindowDesktop, ANewUserWalksThroughThePreviewWindow) {
    if (!XServerRunning()) GTEST_SKIP() << XServerProblem();
    ASSERT_NE(TCupsTestServer::Shared(), nullptr) << TCupsTestServer::Problem();
    GetPrinters().Fill();
    MakeTable(GroupedRows());
    LoadLayout(GroupedOutlineLayout());
    TScriptedResponder user;
    TInteractionScope scope(user);
    TPreviewRoad road;
    road.Report = Report.get();
    road.User = &user;
    road.Folder = Dir.File("");
    road.PrinterName = TPrinter::PdfPrinterName;
    road.PrintFile = Dir.File("收费清单打印");
    road.Shot = [](const String& name) {
        Settle(300);
        EXPECT_TRUE(SaveScreenAsPng(ScreenshotFolder() + "report_preview_" + name + ".png")) << name;
    };
    road.WaitFor = [](const std::function<bool()>& condition, int ms) { return WaitFor(condition, ms); };
    road.Run();
    // The PDF holds the three pages, the second in landscape.
    EXPECT_EQ(PdfPageSizes(Dir.File("收费清单打印.prn"), 3),
              (std::vector<std::string>{"595x842", "842x595", "595x842"}));
}

} // namespace
