// The preview window: captions and hints, the buttons the preview options allow, the menus, the
// page and zoom displays, the status bar, full screen, keys; and the page settings dialog.
#include "vrPreviewFixture.h"

#include "gui/Buttons.h"
#include "report/vrDsgnIntf.h"
#include "report/vrPreviewPageSettings.h"
#include "report/vrPreviewPages.h"
#include "report/vrRes.h"
#include "rtl/IniFiles.h"
#include "rtl/StrUtils.h"
#include "vrPrintTools.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class PreviewWindow : public PreviewTest {};

std::vector<String> MenuCaptions(TMenuItem* root, bool visibleOnly = true) {
    std::vector<String> out;
    for (int i = 0; i < root->Count(); ++i) {
        TMenuItem* item = root->Items(i);
        if (visibleOnly && !item->Visible()) continue;
        out.push_back(item->Caption());
        for (int k = 0; k < item->Count(); ++k)
            out.push_back(item->Caption() + "/" + item->Items(k)->Caption());
    }
    return out;
}

TEST_F(PreviewWindow, CaptionsAndHintsComeFromTheResources) {
    Build();
    TvrPreviewForm* w = OpenWindow();
    EXPECT_EQ(w->Caption(), "预览");
    struct {
        TControl* Control;
        const char *Caption, *Hint;
    } texts[] = {{w->PrintB, "打印", "打印"},         {w->OpenB, "打开", "打开"},
                 {w->SaveB, "保存", "保存"},          {w->ExportB, "导出", "导出"},
                 {w->FindB, "寻找", "寻找"},          {w->ZoomCB, nullptr, "显示比例"},
                 {w->PageSettingsB, "页面设置", "页面设置"}, {w->DesignerB, "编辑页", "编辑页"},
                 {w->FirstB, "首页", "首页"},         {w->PriorB, "前页", "前页"},
                 {w->NextB, "次页", "次页"},          {w->LastB, "末页", "末页"},
                 {w->CancelB, "关闭(&X)", nullptr},   {w->PageE, nullptr, "页数"},
                 {w->FullScreenBtn, nullptr, "全屏"}, {w->PdfB, nullptr, "导出PDF格式"},
                 {w->EmailB, nullptr, "发送E-mail"},  {w->ZoomPlusB, "放大", "放大"},
                 {w->ZoomMinusB, "缩小", "缩小"},     {w->OutlineB, "大纲", "报表大纲"},
                 {w->ThumbB, "缩略图", "缩略图"}};
    for (const auto& t : texts) {
        if (t.Caption) {
            EXPECT_EQ(t.Control->Caption(), t.Caption) << t.Control->Name();
        }
        if (t.Hint) {
            EXPECT_EQ(t.Control->Hint(), t.Hint) << t.Control->Name();
        }
    }
    EXPECT_EQ(w->ExpandMI->Caption(), "全部展开");
    EXPECT_EQ(w->CollapseMI->Caption(), "全部闭合");
    std::vector<String> zooms;
    for (int i = 0; i < w->ZoomCB->Items()->Count(); ++i)
        zooms.push_back(w->ZoomCB->Items()->Strings(i));
    EXPECT_EQ(zooms, (std::vector<String>{"25%", "50%", "75%", "100%", "150%", "200%", "页宽", "整页"}));
    EXPECT_EQ(w->StatusBar->PanelCount(), 3);
    EXPECT_EQ(w->StatusBar->Panels(0)->Width(), 200);
    EXPECT_EQ(w->StatusBar->Panels(0)->Text(), "页 1 / 3");
    EXPECT_EQ(w->PageE->Text(), "1");
    EXPECT_EQ(w->ZoomCB->Text(), "100%");
    // The outline popup of the control.
    EXPECT_EQ(MenuCaptions(Control->OutlinePopup()->Items()), (std::vector<String>{"全部闭合", "全部展开"}));
}

TEST_F(PreviewWindow, TheButtonsShowAsThePreviewOptionsAllow) {
    Build();
    struct TCase {
        TvrPreviewButtons Buttons;
        std::vector<const char*> Hidden, Shown;
    } cases[] = {
        {TvrPreviewButtons::FromBits(4095) - TvrPreviewButtons{pbZoom},
         {"ZoomPlusB", "ZoomMinusB", "Sep3", "FullScreenBtn", "Sep1"},
         {"PrintB", "FindB", "FirstB", "Sep2", "Sep5"}},
        {TvrPreviewButtons{pbZoom, pbNoFullScreen, pbNoClose}, {"FullScreenBtn", "CancelB", "PrintB", "Sep2", "Sep5", "Sep4"},
         {"ZoomPlusB", "Sep3", "Sep1"}},
        {TvrPreviewButtons{pbNavigator, pbEdit}, {"PageSettingsB", "OutlineB", "ThumbB"}, {"DesignerB", "Sep2", "Sep5", "LastB"}},
    };
    for (const TCase& c : cases) {
        Report->PreviewOptions()->Buttons = c.Buttons;
        OpenWindow();
        for (const char* name : c.Hidden)
            EXPECT_FALSE(static_cast<TControl*>(Window->FindComponent(name))->Visible()) << name;
        for (const char* name : c.Shown)
            EXPECT_TRUE(static_cast<TControl*>(Window->FindComponent(name))->Visible()) << name;
        // No export filter is registered: the export button hides whatever the options say.
        EXPECT_FALSE(Window->ExportB->Visible());
        Report->SetPreview(nullptr);
    }
}

TEST_F(PreviewWindow, TheRightClickMenuCopiesTheVisibleButtonsUpToTheSecondSeparator) {
    Build();
    TvrPreviewForm* w = OpenWindow();
    EXPECT_EQ(w->PopupMenu(), w->RightMenu);
    EXPECT_EQ(MenuCaptions(w->RightMenu->Items()),
              (std::vector<String>{"打印", "打开", "保存", "寻找", "-", "放大", "缩小", "全屏"}));
    // Enabling a button enables its copy.
    TMenuItem* print = w->MenuItemOf(w->PrintB);
    ASSERT_NE(print, nullptr);
    EXPECT_TRUE(print->Enabled());
    Control->ClearPreview();
    w->UpdateControls();
    EXPECT_FALSE(w->PrintB->Enabled());
    EXPECT_FALSE(print->Enabled());
}

// An export filter of the test: listed while it lives.
class TNamedFilter : public TvrCustomExportFilter {
public:
    using TvrCustomExportFilter::TvrCustomExportFilter;
    String GetDescription() override { return "文本文件"; }
    int ShowModal() override { return 2; }
    int Shown = 0;
    bool Start() override { return false; }
};

TEST_F(PreviewWindow, TheExportMenuListsTheRegisteredFilters) {
    Build();
    TNamedFilter filter(nullptr);
    filter.ShowDialog = false;
    TvrPreviewForm* w = OpenWindow();
    EXPECT_TRUE(w->ExportB->Visible());
    EXPECT_EQ(MenuCaptions(w->ExportPopup->Items()), (std::vector<String>{"文本文件..."}));
    const std::vector<String> right = MenuCaptions(w->RightMenu->Items());
    EXPECT_NE(std::find(right.begin(), right.end(), "导出/文本文件..."), right.end());
    EXPECT_EQ(w->ExportPopup->Items()->Items(0)->Tag(), ExportFilterRegistry()->Count() - 1);
    EXPECT_FALSE(w->PdfB->Visible());
    EXPECT_FALSE(w->EmailB->Visible());
    w->ExportPopup->Items()->Items(0)->Click();
    EXPECT_EQ(Pages()->CurPreviewPage, 1);
}

TEST_F(PreviewWindow, TheZoomChoiceReadsTheCombosText) {
    Build();
    TvrPreviewForm* w = OpenWindow();
    struct {
        const char* Text;
        int Index;
        Extended Zoom;
        TvrZoomMode Mode;
        const char* Shown;
    } cases[] = {{"150 %", -1, 1.5, zmDefault, "150%"},
                 {"75,5%", -1, 0.755, zmDefault, "76%"},
                 {"10%", -1, 0.25, zmDefault, "25%"},
                 {"页宽", 6, -1, zmPageWidth, nullptr},
                 {"整页", 7, -1, zmWholePage, nullptr}};
    for (const auto& c : cases) {
        w->ZoomCB->SetText(c.Text);
        if (c.Index >= 0) w->ZoomCB->SetItemIndex(c.Index);
        w->ZoomChoice();
        EXPECT_EQ(Control->ZoomMode(), c.Mode) << c.Text;
        if (c.Zoom > 0) {
            EXPECT_NEAR(static_cast<double>(Control->Zoom()), static_cast<double>(c.Zoom), 1e-9) << c.Text;
        }
        if (c.Shown) {
            EXPECT_EQ(w->ZoomCB->Text(), c.Shown);
        }
        if (c.Mode != zmDefault) {
            EXPECT_EQ(w->ZoomCB->Text(), IntToStr(static_cast<int>(std::nearbyint(Control->Zoom() * 100))) + "%");
        }
    }
    // Not a number: the error reaches the user and the zoom stays; nothing at all changes nothing.
    Control->SetZoom(1.5);
    w->ZoomCB->SetText("abc");
    EXPECT_ANY_THROW(w->ZoomChoice());
    EXPECT_DOUBLE_EQ(static_cast<double>(Control->Zoom()), 1.5);
    w->ZoomCB->SetText(" % ");
    w->ZoomChoice();
    EXPECT_DOUBLE_EQ(static_cast<double>(Control->Zoom()), 1.5);
    // The zoom buttons step by a quarter.
    w->ZoomPlusB->Click();
    EXPECT_DOUBLE_EQ(static_cast<double>(Control->Zoom()), 1.75);
    w->ZoomMinusB->Click();
    w->ZoomMinusB->Click();
    EXPECT_DOUBLE_EQ(static_cast<double>(Control->Zoom()), 1.25);
    EXPECT_EQ(w->ZoomCB->Text(), "125%");
}

TEST_F(PreviewWindow, TheNavigationButtonsAndThePageEdit) {
    Build();
    TvrPreviewForm* w = OpenWindow();
    w->LastB->Click();
    EXPECT_EQ(w->StatusBar->Panels(0)->Text(), "页 3 / 3");
    EXPECT_EQ(w->PageE->Text(), "3");
    w->PriorB->Click();
    EXPECT_EQ(Control->PageNo(), 2);
    w->FirstB->Click();
    w->NextB->Click();
    EXPECT_EQ(Control->PageNo(), 2);
    w->PageE->SetText("3");
    w->GoToTypedPage();
    EXPECT_EQ(Control->PageNo(), 3);
    w->PageE->SetText("x");
    EXPECT_ANY_THROW(w->GoToTypedPage());
    EXPECT_EQ(Control->PageNo(), 3);
}

TEST_F(PreviewWindow, TheStatusTextsGoToTheirPanels) {
    Build();
    TvrPreviewForm* w = OpenWindow();
    w->SetStatusText("链接", false);
    EXPECT_EQ(w->StatusBar->Panels(1)->Text(), "链接");
    w->SetStatusText("提示", true);
    EXPECT_EQ(w->StatusBar->Panels(2)->Text(), "提示");
    w->SetStatusText("", true);
    EXPECT_EQ(w->StatusBar->Panels(2)->Text(), "");
    w->SetStatusText("", false);
    EXPECT_EQ(w->StatusBar->Panels(1)->Text(), "");
    // The report's progress message reaches the window's status.
    Report->SetPreview(nullptr);
    Window.reset();
    Report->PreviewOptions()->Modal = true;
    User.Form([&](TCustomForm* f) {
        Report->SetProgressMessage("正在处理", 0);
        EXPECT_EQ(static_cast<TvrPreviewForm*>(f)->StatusBar->Panels(1)->Text(), "正在处理");
        return mrCancel;
    });
    Report->ShowPreparedReport();
    EXPECT_EQ(Report->PreviewWindow(), nullptr);
}

TEST_F(PreviewWindow, FullScreenHidesTheBarsAndADoubleClickLeavesIt) {
    Build();
    TvrPreviewForm* w = OpenWindow();
    const TFormBorderStyle border = w->BorderStyle();
    Word key = VK_F11;
    w->KeyDown(key, {});
    EXPECT_TRUE(w->FullScreen());
    EXPECT_FALSE(w->ToolBar->Visible());
    EXPECT_FALSE(w->StatusBar->Visible());
    EXPECT_EQ(w->BorderStyle(), bsNone);
    EXPECT_EQ(w->WindowState(), wsMaximized);
    Control->Workspace()->DblClick();
    EXPECT_FALSE(w->FullScreen());
    EXPECT_TRUE(w->ToolBar->Visible());
    EXPECT_TRUE(w->StatusBar->Visible());
    EXPECT_EQ(w->BorderStyle(), border);
    EXPECT_EQ(w->WindowState(), wsNormal);
}

TEST_F(PreviewWindow, F1ShowsTheWindowsHelpTopic) {
    Build();
    TvrPreviewForm* w = OpenWindow();
    std::vector<String> topics;
    TvrHelpViewer previous = SetHelpViewer([&](const String&, const String& topic) { topics.push_back(topic); });
    Word key = VK_F1;
    w->KeyDown(key, {});
    SetHelpViewer(previous);
    EXPECT_EQ(key, 0);
    ASSERT_EQ(topics.size(), 1u);
}

TEST_F(PreviewWindow, TheOutlineAndThumbnailButtonsFollowTheControl) {
    Build(GroupedOutlineLayout());
    TvrPreviewForm* w = OpenWindow();
    w->OutlineB->Click();
    EXPECT_TRUE(w->OutlineB->Down());
    EXPECT_TRUE(Control->OutlineVisible());
    Control->SetThumbnailVisible(true);
    EXPECT_TRUE(w->ThumbB->Down());
    EXPECT_FALSE(w->OutlineB->Down());
    EXPECT_FALSE(Control->OutlineVisible());
}

// --- the page settings dialog ---------------------------------------------------------------------

class PageSettings : public PreviewTest {
protected:
    void SetUp() override {
        PreviewTest::SetUp();
        TRecordingPrinter::Margins() = TvrSheetMargins{};
    }
    TvrReportPage* PageShown() const { return static_cast<TvrReportPage*>(Pages()->GetPreparedPage(Control->PageNo() - 1)); }
    TRecorderScope Printers;
};

TEST_F(PageSettings, ShowsThePageInCentimetresAndAPaperFillsTheSizes) {
    Build();
    Attach();
    User.Form([&](TCustomForm* f) {
        auto* d = static_cast<TvrPageSettingsForm*>(f);
        EXPECT_EQ(d->Caption(), "页面设置");
        EXPECT_EQ(d->UnitL1->Caption(), "cm");
        EXPECT_EQ(d->WidthE->Text(), "21");
        EXPECT_EQ(d->HeightE->Text(), "29.70");
        EXPECT_EQ(d->MarginLeftE->Text(), "1");
        EXPECT_EQ(d->SizeCB->Text(), Printers.Printer()->PaperList()->Strings(Printers.Printer()->IndexOfPaper(9)));
        EXPECT_TRUE(d->PortraitRB->Checked());
        EXPECT_TRUE(d->PortraitImg->Visible());
        EXPECT_FALSE(d->LandscapeImg->Visible());
        // Typing a width chooses the custom size.
        d->WidthE->SetText("20");
        EXPECT_EQ(d->SizeCB->ItemIndex(), 0);
        // A listed paper fills the sizes.
        d->SizeCB->SetItemIndex(Printers.Printer()->IndexOfPaper(DMPAPER_A5));
        d->SizeChanged();
        EXPECT_EQ(d->WidthE->Text(), "14.80");
        EXPECT_EQ(d->HeightE->Text(), "21");
        d->LandscapeRB->SetChecked(true);
        d->OrientationClick();
        EXPECT_TRUE(d->LandscapeImg->Visible());
        EXPECT_EQ(d->WidthE->Text(), "21");
        d->OKB->Click();
        return mrNone;
    });
    Control->PageSettingsDialog();
    TvrReportPage* page = PageShown();
    EXPECT_EQ(page->Orientation(), poLandscape);
    EXPECT_DOUBLE_EQ(static_cast<double>(page->PaperWidth()), 210);
    EXPECT_DOUBLE_EQ(static_cast<double>(page->PaperHeight()), 148);
    EXPECT_EQ(page->PaperSize(), DMPAPER_A5);
    EXPECT_EQ(Pages()->GetPreparedPageSize(0), TPoint(794, 559));
    // The other pages keep theirs.
    EXPECT_EQ(Pages()->GetPreparedPageSize(1), TPoint(794, 1123));
}

TEST_F(PageSettings, InchesWhenTheDesignerUsesThem) {
    Build();
    Report->IniFile = Dir.File("report.ini");
    {
        TIniFile ini(Report->IniFile);
        ini.WriteInteger("Form4.TvrDesignerForm", "Units", 1);
    }
    Attach();
    User.Form([&](TCustomForm* f) {
        auto* d = static_cast<TvrPageSettingsForm*>(f);
        EXPECT_EQ(d->UnitL6->Caption(), "in");
        EXPECT_EQ(d->MarginTopE->Text(), "0.39");
        d->MarginTopE->SetText("1");
        d->OKB->Click();
        return mrNone;
    });
    Control->PageSettingsDialog();
    EXPECT_NEAR(static_cast<double>(PageShown()->TopMargin), 25.4, 1e-9);
}

TEST_F(PageSettings, UnsoundNumbersKeepTheDialogOpenAndWriteNothing) {
    Build();
    Attach();
    struct {
        const char* Field;
        const char* Text;
        const char* Named;
    } cases[] = {{"WidthE", "abc", "宽度"},      {"HeightE", "0", "高度"},   {"MarginLeftE", "-1", "左"},
                 {"MarginRightE", "20", "右"}, {"MarginBottomE", "28", "下"}};
    for (const auto& c : cases) {
        User.Clear();
        int turns = 0;
        User.Form([&](TCustomForm* f) {
            auto* d = static_cast<TvrPageSettingsForm*>(f);
            d->MarginTopE->SetText("3"); // a sound change before the unsound one
            static_cast<TEdit*>(d->FindComponent(c.Field))->SetText(c.Text);
            ++turns;
            d->OKB->Click();
            return mrNone;
        });
        User.Answer(IDOK); // the error box
        User.Answer(mrCancel); // the dialog is still open: the user gives up
        Control->PageSettingsDialog();
        EXPECT_EQ(turns, 1) << c.Field;
        ASSERT_EQ(User.Requests().size(), 3u) << c.Field;
        EXPECT_EQ(User.Requests()[1].Kind, TInteractionKind::MessageBox);
        EXPECT_TRUE(StartsText(String(c.Named) + ":", User.Requests()[1].Text)) << User.Requests()[1].Text;
        EXPECT_EQ(User.Requests()[2].Kind, TInteractionKind::ModalForm);
        EXPECT_DOUBLE_EQ(static_cast<double>(PageShown()->TopMargin), 10) << c.Field;
        EXPECT_DOUBLE_EQ(static_cast<double>(PageShown()->PaperWidth()), 210) << c.Field;
    }
}

TEST_F(PageSettings, AllPagesChangesTheLayoutAndPreparesAgain) {
    Build();
    Attach();
    User.Form([&](TCustomForm* f) {
        auto* d = static_cast<TvrPageSettingsForm*>(f);
        d->MarginLeftE->SetText("3");
        d->ApplyToAllRB->SetChecked(true);
        d->OKB->Click();
        return mrNone;
    });
    Control->PageSettingsDialog();
    int layoutPages = 0;
    for (int i = 0; i < Report->GetPagesCount(); ++i)
        if (auto* p = dynamic_cast<TvrReportPage*>(Report->GetPage(i))) {
            EXPECT_DOUBLE_EQ(static_cast<double>(p->LeftMargin), 30);
            ++layoutPages;
        }
    EXPECT_EQ(layoutPages, 1);
    for (Integer i = 0; i < Control->PageCount(); ++i)
        EXPECT_DOUBLE_EQ(static_cast<double>(static_cast<TvrReportPage*>(Pages()->GetPreparedPage(i))->LeftMargin), 30);
}

} // namespace
