#include "vrExportRoad.h"

#include "gui/Menus.h"
#include "report/export/vrExportCSV.h"
#include "report/export/vrExportDBF.h"
#include "report/export/vrExportHTML.h"
#include "report/export/vrExportImage.h"
#include "report/export/vrExportXML.h"
#include "report/vrPreview.h"
#include "rtl/FileUtils.h"

#include <gtest/gtest.h>

namespace {

// The export menu's item with that caption.
TMenuItem* ExportItem(TvrPreviewForm* w, const String& caption) {
    w->UpdateControls();
    TMenuItem* items = w->ExportPopup->Items();
    for (int i = 0; i < items->Count(); ++i)
        if (items->Items(i)->Caption() == caption) return items->Items(i);
    return nullptr;
}

} // namespace

void TExportRoad::Run() {
    // The filters the data module holds, listed in the preview's export menu while they live.
    TvrXMLExport xml(nullptr);
    TvrCSVExport csv(nullptr);
    TvrDBFExport dbf(nullptr);
    TvrHTMLExport html(nullptr);
    TvrBMPExport bmp(nullptr);
    for (TvrCustomExportFilter* f : std::initializer_list<TvrCustomExportFilter*>{&xml, &csv, &dbf, &html, &bmp})
        f->ShowProgress = false;
    Report->LayoutFileName = IncludeTrailingPathDelimiter(Folder) + "收费清单.di3";
    auto window = std::make_unique<TvrPreviewForm>(nullptr);
    TvrPreviewForm* w = window.get();
    w->SetWindowState(wsNormal);
    Report->PreviewOptions()->Maximized = false;
    Report->SetPreview(w->Preview());
    w->Init();
    if (ShowWindow) w->Show();
    if (Shot) Shot("preview");

    const auto look = [this](TCustomForm* f) {
        if (Look) Look(f);
    };
    const String base = IncludeTrailingPathDelimiter(Folder) + "收费清单";

    // The spreadsheet, one sheet per report page.
    User->Form([&](TCustomForm* f) {
            auto* d = static_cast<TvrXMLExportDialog*>(f);
            d->RPagesRB->SetChecked(true);
            d->OpenExcelCB->SetChecked(OpenAfter);
            look(d);
            d->OkB->Click();
            return mrNone;
        })
        .File(base + ".xls");
    TMenuItem* item = ExportItem(w, "Excel 表格 (XML)...");
    ASSERT_NE(item, nullptr);
    item->Click();
    EXPECT_TRUE(FileExists(base + ".xls"));
    if (Written) Written(base + ".xls");

    // The separated values in the OEM code page.
    User->Form([&](TCustomForm* f) {
            auto* d = static_cast<TvrCSVExportDialog*>(f);
            d->OEMCB->SetChecked(true);
            d->OpenCB->SetChecked(OpenAfter);
            look(d);
            d->OkB->Click();
            return mrNone;
        })
        .File(base + ".csv");
    item = ExportItem(w, "CSV 文件...");
    ASSERT_NE(item, nullptr);
    item->Click();
    EXPECT_TRUE(FileExists(base + ".csv"));
    if (Written) Written(base + ".csv");

    // The table with field names typed in.
    User->Form([&](TCustomForm* f) {
            auto* d = static_cast<TvrDBFExportDialog*>(f);
            d->rbFNManual->SetChecked(true);
            d->mmFN->Lines()->SetText("HOUSE\nOWNER\nAMOUNT");
            d->OpenCB->SetChecked(OpenAfter);
            look(d);
            d->OkB->Click();
            return mrNone;
        })
        .File(base + ".dbf");
    item = ExportItem(w, "dBase (DBF) export...");
    ASSERT_NE(item, nullptr);
    item->Click();
    EXPECT_TRUE(FileExists(base + ".dbf"));
    if (Written) Written(base + ".dbf");

    // The web pages, one file per report page with the navigator, pictures as GIF.
    User->Form([&](TCustomForm* f) {
            auto* d = static_cast<TvrHTMLExportDialog*>(f);
            d->MultipageCB->SetChecked(true);
            d->NavigatorCB->SetChecked(true);
            d->PFormatCB->SetItemIndex(3);
            d->OpenAfterCB->SetChecked(OpenAfter);
            look(d);
            d->OkB->Click();
            return mrNone;
        })
        .File(base + ".html");
    item = ExportItem(w, "HTML 文件...");
    ASSERT_NE(item, nullptr);
    item->Click();
    EXPECT_TRUE(FileExists(base + ".html"));
    EXPECT_TRUE(FileExists(base + ".files/2.html"));
    if (Written) Written(base + ".html");

    // The pages as pictures, one file each, at twice the screen's resolution.
    User->Form([&](TCustomForm* f) {
            auto* d = static_cast<TvrIMGExportDialog*>(f);
            d->Resolution->SetText("192");
            look(d);
            d->OkB->Click();
            return mrNone;
        })
        .File(base + ".bmp");
    item = ExportItem(w, "BMP 图...");
    ASSERT_NE(item, nullptr);
    item->Click();
    EXPECT_TRUE(FileExists(base + ".1.bmp"));
    EXPECT_TRUE(FileExists(base + ".2.bmp"));
    if (Written) Written(base + ".1.bmp");
    EXPECT_EQ(User->Pending(), 0);
    window.reset();
}
