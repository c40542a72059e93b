// A new user's road through the exports on a real display (Xvfb with a window manager): the
// sample report's preview window, each export's dialog shown for a look, each file written and
// handed after the export to the desktop's opener (a stand-in here that notes the file), and
// the workbook and the separated values then read by LibreOffice. The package list's LibreOffice has no windows of its own
// (the "nogui" build aborts on a display), so it reads the files headless, converting them to
// xlsx. Screenshots are kept in ScreenshotFolder() to be looked at.
#include "../app/desktop/XServer.h"
#include "../report/export/ExportFixture.h"
#include "../report/export/vrExportRoad.h"

#include "gui/Screenshot.h"

#include <fstream>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

namespace {

// PATH leads to a stand-in xdg-open that notes each file in opened.txt; the old PATH comes back.
class TOpenerScope {
public:
    explicit TOpenerScope(const TempDir& dir) : FLog(dir.File("opened.txt")) {
        const String opener = dir.File("xdg-open");
        std::ofstream(opener) << "#!/bin/sh\necho \"$1\" >> '" << FLog << "'\nexit 0\n";
        ::chmod(opener.c_str(), 0755);
        const char* path = getenv("PATH");
        FPath = path ? path : "";
        setenv("PATH", (dir.Path() + ":" + FPath).c_str(), 1);
    }
    ~TOpenerScope() { setenv("PATH", FPath.c_str(), 1); }
    String Opened() const { return TempDir::ReadAll(FLog); }

private:
    String FLog, FPath;
};

} // namespace

TEST(ExportDesktop, ANewUserExportsTheReportAndOpensEachFile) {
    if (!XServerRunning()) GTEST_SKIP() << XServerProblem();
    TExportReport made;
    made.BuildSample();
    TempDir dir;
    TOpenerScope opener(dir);
    TScriptedResponder user;
    TInteractionScope scope(user);
    TExportRoad road;
    road.Report = &made.Report;
    road.User = &user;
    road.Folder = dir.Path();
    road.OpenAfter = true;
    road.ShowWindow = true;
    const auto shot = [](const String& name) {
        Settle(400);
        EXPECT_TRUE(SaveScreenAsPng(ScreenshotFolder() + "report_export_" + name + ".png")) << name;
    };
    road.Shot = shot;
    road.Look = [&](TCustomForm* dialog) {
        dialog->Show();
        WaitFor([&] { return dialog->Visible(); }, 2000);
        shot(dialog->ClassName());
        dialog->Hide();
    };
    std::vector<String> written;
    road.Written = [&](const String& file) { written.push_back(file); };
    road.Run();
    ASSERT_EQ(written.size(), 5u);
    EXPECT_EQ(opener.Opened(), written[0] + "\n" + written[1] + "\n" + written[2] + "\n" + written[3] + "\n");
    // LibreOffice reads the workbook and the separated values (as ";" and GBK, its number 67); the
    // installed one has no dBASE driver, so the table is read by dbfread in the export tests.
    const String office = "soffice -env:UserInstallation=file://" + dir.File("profile") +
                          " --headless --convert-to xlsx --outdir '" + dir.File("out") + "' ";
    const String filters[] = {"", "--infilter='Text - txt - csv (StarCalc):59,34,67,1' "};
    const String outputs[] = {"收费清单.xlsx", "收费清单.xlsx"};
    for (size_t i = 0; i < 2; ++i) {
        String output;
        std::filesystem::remove(dir.File("out/" + outputs[i]));
        EXPECT_EQ(RunProgram(office + filters[i] + "'" + written[i] + "'", &output), 0) << output;
        EXPECT_TRUE(std::filesystem::exists(dir.File("out/" + outputs[i]))) << written[i] << output;
    }
}
