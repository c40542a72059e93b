#include "vrPreviewRoad.h"

#include "gui/Buttons.h"
#include "report/vrPreview.h"
#include "report/vrPreviewPageSettings.h"
#include "report/vrPreviewPages.h"
#include "report/vrPrintDialog.h"
#include "report/vrPrinter.h"
#include "report/vrSearchDialog.h"
#include "rtl/FileUtils.h"

#include <gtest/gtest.h>

void TPreviewRoad::Run() {
    TvrReport* report = Report;
    report->PreviewOptions()->Modal = false;
    report->PreviewOptions()->Maximized = false;
    report->PreviewOptions()->OutlineExpand = true;
    report->ReportOptions()->Name = "物业收费清单";
    report->ShowReport();
    auto* w = static_cast<TvrPreviewForm*>(report->PreviewWindow());
    ASSERT_NE(w, nullptr);
    TvrPreview* p = w->Preview();
    EXPECT_EQ(w->Caption(), "物业收费清单");
    ASSERT_TRUE(WaitFor([&] { return !p->Running() && p->PageCount() == 3; }, 10000));
    WaitFor([] { return false; }, 200);
    EXPECT_EQ(w->StatusBar->Panels(0)->Text(), "页 1 / 3");
    Shot("opened");

    // Paging.
    w->NextB->Click();
    EXPECT_EQ(w->PageE->Text(), "2");
    w->LastB->Click();
    EXPECT_EQ(w->StatusBar->Panels(0)->Text(), "页 3 / 3");
    w->PriorB->Click();
    w->FirstB->Click();
    EXPECT_EQ(p->PageNo(), 1);

    // Every zoom choice.
    const char* shown[] = {"25%", "50%", "75%", "100%", "150%", "200%"};
    for (int i = 0; i < w->ZoomCB->Items()->Count(); ++i) {
        w->ZoomCB->SetItemIndex(i);
        w->ZoomChoice();
        if (i < 6) {
            EXPECT_EQ(w->ZoomCB->Text(), shown[i]);
        } else {
            EXPECT_EQ(p->ZoomMode(), i == 6 ? zmPageWidth : zmWholePage);
        }
        if (i == 1) Shot("zoom_50");
        if (i == 6) Shot("zoom_page_width");
        if (i == 7) Shot("zoom_whole_page");
    }
    w->ZoomCB->SetItemIndex(3);
    w->ZoomChoice();

    // Thumbnails, and a click on the third.
    w->ThumbB->Click();
    EXPECT_TRUE(p->ThumbnailVisible());
    WaitFor([] { return false; }, 100);
    const TRect third = p->Thumbnails()->ScreenBounds(2);
    p->Thumbnails()->MouseUp(mbLeft, {}, third.Left + 4, third.Top + 4);
    EXPECT_EQ(p->PageNo(), 3);
    Shot("thumbnails");

    // The outline and a jump to the last group.
    w->OutlineB->Click();
    EXPECT_TRUE(p->OutlineVisible());
    EXPECT_FALSE(p->ThumbnailVisible());
    TTreeNodes* nodes = p->OutlineTree()->Items();
    EXPECT_EQ(nodes->Count(), 3);
    if (nodes->Count() == 3) {
        p->OutlineClick(nodes->Item(2));
        EXPECT_EQ(p->PageNo(), nodes->Item(2)->ImageIndex());
    }
    Shot("outline");

    // Collapse and expand the groups.
    ASSERT_TRUE(w->CollapseMI->Visible());
    w->CollapseMI->Click();
    EXPECT_EQ(p->PageCount(), 1);
    Shot("collapsed");
    w->ExpandMI->Click();
    EXPECT_EQ(p->PageCount(), 3);
    w->OutlineB->Click();
    EXPECT_FALSE(p->OutlineVisible());

    // Find a code on the second page.
    User->Form([&](TCustomForm* f) {
        auto* d = static_cast<TvrSearchDialog*>(f);
        d->TextE->SetText("A060");
        d->TopCB->SetChecked(true);
        return mrOk;
    });
    w->FindB->Click();
    EXPECT_TRUE(vrPreviewSearch().Found);
    EXPECT_EQ(p->Workspace()->SearchPage, 1);
    WaitFor([] { return false; }, 100);
    Shot("found");

    // This page in landscape.
    p->SetPageNo(2);
    User->Form([&](TCustomForm* f) {
        auto* d = static_cast<TvrPageSettingsForm*>(f);
        d->LandscapeRB->SetChecked(true);
        d->OrientationClick();
        d->OKB->Click();
        return mrNone;
    });
    w->PageSettingsB->Click();
    auto* pages = static_cast<TvrPreviewPages*>(report->PreparedPages());
    EXPECT_EQ(pages->GetPreparedPageSize(1), TPoint(1123, 794));
    EXPECT_EQ(pages->GetPreparedPageSize(0), TPoint(794, 1123));
    WaitFor([] { return false; }, 100);
    Shot("landscape");

    // A blank page before the second, and away again.
    p->InsertEmptyPage();
    EXPECT_EQ(p->PageCount(), 4);
    EXPECT_EQ(w->StatusBar->Panels(0)->Text(), "页 2 / 4");
    p->DeleteCurrentPage();
    EXPECT_EQ(p->PageCount(), 3);

    // Save and reopen.
    const String file = Folder + "收费清单.dp3";
    User->File(Folder + "收费清单");
    w->SaveB->Click();
    EXPECT_TRUE(FileExists(file));
    User->File(file);
    w->OpenB->Click();
    EXPECT_EQ(p->PageCount(), 3);
    EXPECT_EQ(p->PageNo(), 1);
    EXPECT_EQ(pages->GetPreparedPageSize(1), TPoint(1123, 794));

    // Full screen and back.
    w->FullScreenBtn->Click();
    EXPECT_TRUE(w->FullScreen());
    WaitFor([] { return false; }, 300);
    Shot("full_screen");
    Word key = VK_F11;
    w->KeyDown(key, {});
    EXPECT_FALSE(w->FullScreen());

    // Print through the dialog.
    User->Form([&](TCustomForm* f) {
        auto* d = static_cast<TvrPrintDialog*>(f);
        d->PrintersCB->SetItemIndex(GetPrinters().IndexOf(PrinterName));
        d->PrintersCBClick();
        d->FileCB->SetChecked(!PrintFile.empty());
        return mrOk;
    });
    if (!PrintFile.empty()) User->File(PrintFile);
    w->PrintB->Click();
    EXPECT_TRUE(w->Enabled());

    // Close.
    w->CancelB->Click();
    WaitFor([&] { return report->PreviewWindow() == nullptr; }, 3000);
    EXPECT_EQ(report->PreviewWindow(), nullptr);
    EXPECT_EQ(User->Pending(), 0);
}
