// The exports' road through the preview window, headless: the menu, the dialogs through the
// responder, the files.
#include "ExportFixture.h"
#include "vrExportRoad.h"

#include "rtl/CodePage.h"

#include <gtest/gtest.h>

TEST(vrExportRoad, EachExportOfThePreviewWritesItsFile) {
    TExportReport made;
    made.BuildSample();
    TempDir dir;
    TScriptedResponder user;
    TInteractionScope scope(user);
    TExportRoad road;
    road.Report = &made.Report;
    road.User = &user;
    road.Folder = dir.Path();
    std::vector<String> written;
    road.Written = [&](const String& file) { written.push_back(file); };
    road.Run();
    ASSERT_EQ(written.size(), 5u);
    const String book = TempDir::ReadAll(written[0]);
    EXPECT_NE(book.find("<Worksheet ss:Name=\"Houses\">"), String::npos);
    EXPECT_NE(book.find("<Worksheet ss:Name=\"Notes\">"), String::npos);
    EXPECT_NE(TempDir::ReadAll(written[1]).find(AnsiFromUtf8("A-101;张三;12,345.60")), String::npos);
    const String table = TempDir::ReadAll(written[2]);
    EXPECT_EQ(table.substr(32, 5), "HOUSE");
    EXPECT_NE(table.find(AnsiFromUtf8("李四")), String::npos);
    const String frames = TempDir::ReadAll(written[3]);
    EXPECT_NE(frames.find("src=\"收费清单.files/nav.html\""), String::npos) << frames;
    const String first = TempDir::ReadAll(dir.File("收费清单.files/1.html"));
    EXPECT_NE(first.find("张三"), String::npos);
    const String second = TempDir::ReadAll(dir.File("收费清单.files/2.html"));
    EXPECT_NE(second.find("<img src=\"img0.gif\""), String::npos) << second; // the note's picture
    EXPECT_TRUE(FileExists(dir.File("收费清单.files/img0.gif")));
    EXPECT_EQ(TempDir::ReadAll(written[4]).substr(0, 2), "BM");
}
