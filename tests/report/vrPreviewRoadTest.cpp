// The new user's road through the preview window, headless: the dialogs are answered by the
// responder and the print goes to the recording printer.
#include "vrEngineFixture.h"
#include "vrPreviewRoad.h"
#include "vrPrintTools.h"

#include "gui/Forms.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

class PreviewRoad : public EngineTest {
protected:
    TRecorderScope Printers;
    TScriptedResponder User;
    TInteractionScope Scope{User};
};

TEST_F(PreviewRoad, ANewUserWalksThroughThePreviewWindow) {
    MakeTable(GroupedRows());
    LoadLayout(GroupedOutlineLayout());
    TPreviewRoad road;
    road.Report = Report.get();
    road.User = &User;
    road.Folder = Dir.File("");
    road.PrinterName = "Recorder";
    road.Shot = [](const String&) {};
    road.WaitFor = [](const std::function<bool()>& condition, int ms) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (!condition()) {
            if (std::chrono::steady_clock::now() > end) return false;
            Application()->ProcessMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return true;
    };
    road.Run();
    // Three pages went to the printer, the second in landscape.
    TRecordingPrinter* printer = Printers.Printer();
    EXPECT_EQ(printer->Sheets.size(), 3u);
    EXPECT_NE(printer->LogText().find("paper 9 L"), String::npos) << printer->LogText();
}

} // namespace
