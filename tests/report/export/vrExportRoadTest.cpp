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
    ASSERT_EQ(written.size(), 3u);
    const String book = TempDir::ReadAll(written[0]);
    EXPECT_NE(book.find("<Worksheet ss:Name=\"Houses\">"), String::npos);
    EXPECT_NE(book.find("<Worksheet ss:Name=\"Notes\">"), String::npos);
    EXPECT_NE(TempDir::ReadAll(written[1]).find(AnsiFromUtf8("A-101;张三;12,345.60")), String::npos);
    const String table = TempDir::ReadAll(written[2]);
    EXPECT_EQ(table.substr(32, 5), "HOUSE");
    EXPECT_NE(table.find(AnsiFromUtf8("李四")), String::npos);
}
