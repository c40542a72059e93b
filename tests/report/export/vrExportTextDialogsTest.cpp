// The dialogs of the dot-matrix, text-grid, plain text and RTF exports and the printer dialog,
// played through the responder: filling, OK writing back, the preview panel, the printer put back
// on Cancel, and a cancelled save dialog.
#include "ExportFixture.h"

#include "gui/Buttons.h"
#include "gui/CheckLst.h"
#include "gui/ComCtrls.h"
#include "gui/Forms.h"
#include "gui/Interaction.h"
#include "gui/Mask.h"
#include "report/export/vrDMPExport.h"
#include "report/export/vrExportRTF.h"
#include "report/export/vrExportTXT.h"
#include "report/export/vrExportText.h"
#include "report/vrPrinter.h"
#include "report/vrRes.h"
#include "rtl/Format.h"
#include "vrPrintTools.h"

#include <gtest/gtest.h>

namespace {

class TextDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        Made.AddGridPage("P1", 3, 2);
        Made.AddGridPage("P2", 3, 2);
        Made.Prepare();
        Made.Report.LayoutFileName = "/srv/qr/月报.di3";
    }
    TExportReport Made;
    TempDir Dir;
    TScriptedResponder User;
    TInteractionScope Scope{User};
};

template <class T> std::unique_ptr<T> NewFilter() {
    auto filter = TvrCustomExportFilter::CreateNoRegister<T>();
    filter->ShowProgress = false;
    return filter;
}

} // namespace

TEST_F(TextDialogs, TextGridDialogPreviewsAndWritesBack) {
    auto txt = NewFilter<TvrTXTExport>();
    txt->Borders = true;
    const String file = Dir.File("out.prn");
    int wide = 0, narrow = 0;
    User.Form([&](TCustomForm* form) {
            auto* d = static_cast<TvrTXTExportDialog*>(form);
            EXPECT_EQ(d->Caption(), "导出到纯文本 (点阵式打印机)");
            EXPECT_TRUE(d->RB_Simple->Checked());
            EXPECT_FALSE(d->RB_Graph->Enabled()); // "图像" only with the OEM code page
            EXPECT_EQ(d->E_ScaleX->Text(), "100");
            EXPECT_FALSE(d->GroupBox1->Visible());
            EXPECT_EQ(d->ClientWidth(), 277);
            // Pressed the way the mouse presses it: down, then the click.
            d->BtnPreview->SetDown(true);
            d->BtnPreview->Click();
            EXPECT_TRUE(d->PreviewShown());
            EXPECT_EQ(d->ClientWidth(), 631);
            EXPECT_GT(d->Preview->Lines()->Count(), 0);
            wide = StrToInt(d->PgWidth->Caption());
            d->E_ScaleX->SetText("50");
            d->RefreshClick();
            narrow = StrToInt(d->PgWidth->Caption());
            EXPECT_FALSE(d->Busy());
            d->CB_OEM->SetChecked(true);
            d->OemClick();
            EXPECT_TRUE(d->RB_Graph->Enabled());
            d->RB_Graph->SetChecked(true);
            d->CB_OEM->SetChecked(false);
            d->OemClick(); // the choice moves to "简单"
            EXPECT_TRUE(d->RB_Simple->Checked());
            d->BtnPreview->SetDown(false);
            d->BtnPreview->Click();
            EXPECT_EQ(d->ClientWidth(), 277);
            d->CB_PageBreaks->SetChecked(false);
            d->E_Range->SetText("2");
            return mrOk;
        })
        .File(file);
    ASSERT_TRUE(Made.Report.Export(txt.get()));
    EXPECT_EQ(User.Requests()[1].Value, "月报.prn");
    EXPECT_EQ(User.Requests()[1].Filter, GetResourceStringById(8325));
    // Half the scale, about half the columns.
    EXPECT_GT(wide, 0);
    EXPECT_LE(narrow, wide / 2 + 2);
    EXPECT_LT(narrow, wide);
    EXPECT_DOUBLE_EQ(static_cast<double>(txt->ScaleWidth), 0.5);
    EXPECT_FALSE(txt->PageBreaks);
    EXPECT_TRUE(txt->Borders);
    EXPECT_FALSE(txt->Pseudogrpahic);
    EXPECT_EQ(txt->PageRange, "2");
    EXPECT_EQ(txt->FileName, file);
    EXPECT_NE(TempDir::ReadAll(file).find("r0c0"), String::npos);
}

TEST_F(TextDialogs, CancelledSaveDialogKeepsTheOptions) {
    auto txt = NewFilter<TvrTXTExport>();
    User.Form([](TCustomForm* form) {
            auto* d = static_cast<TvrTXTExportDialog*>(form);
            d->RB_NoneFrames->SetChecked(true);
            d->CB_EmptyLines->SetChecked(true);
            return mrOk;
        })
        .Cancel();
    EXPECT_FALSE(Made.Report.Export(txt.get()));
    EXPECT_TRUE(txt->EmptyLines);
    EXPECT_FALSE(txt->Borders);
    EXPECT_TRUE(txt->FileName.empty());
}

TEST_F(TextDialogs, DotMatrixDialogPutsThePrinterBackOnCancel) {
    TRecorderScope printers({"A", "B"});
    auto dmp = NewFilter<TvrDotMatrixExport>();
    dmp->UseIniSettings = false;
    dmp->EscModel = 2;
    User.Form([](TCustomForm* form) {
        auto* d = static_cast<TvrDMPExportDialog*>(form);
        EXPECT_EQ(d->Caption(), "打印t");
        EXPECT_EQ(d->EscCB->Items()->Count(), 4);
        EXPECT_EQ(d->EscCB->ItemIndex(), 2);
        d->PrinterCB->SetItemIndex(1);
        d->PrinterCB->OnChange(d->PrinterCB);
        EXPECT_EQ(GetPrinters().ActivePrinterIndex(), 1);
        return mrCancel;
    });
    EXPECT_FALSE(Made.Report.Export(dmp.get()));
    EXPECT_EQ(GetPrinters().ActivePrinterIndex(), 0);

    // OK with printing to a file: the options and the file are taken.
    const String file = Dir.File("dmp.prn");
    User.Clear();
    User.Form([](TCustomForm* form) {
            auto* d = static_cast<TvrDMPExportDialog*>(form);
            d->SaveToFileCB->SetChecked(true);
            d->PseudoCB->SetChecked(true);
            d->EscCB->SetItemIndex(1);
            d->CopiesE->SetText("3");
            return mrOk;
        })
        .File(file);
    EXPECT_TRUE(Made.Report.Export(dmp.get()));
    EXPECT_EQ(User.Requests()[1].Filter, "打印机文件 (*.prn)|*.prn");
    EXPECT_TRUE(dmp->GraphicFrames);
    EXPECT_EQ(dmp->EscModel, 1);
    EXPECT_EQ(dmp->Copies, 3);
    EXPECT_EQ(dmp->FileName, file);
    EXPECT_TRUE(FileExists(file));
}

TEST_F(TextDialogs, PrinterDialogKeepsTypeChangesAndPutsThePrinterBack) {
    TRecorderScope printers({"A", "B"});
    auto txt = NewFilter<TvrTXTExport>();
    {
        TvrPrnInit dialog(txt.get());
        EXPECT_EQ(dialog.Caption(), "打印");
        EXPECT_EQ(dialog.ComboBox1->Items()->Count(), 4);
        EXPECT_EQ(dialog.CheckListBox1->Items()->Count(), 0);
        dialog.ComboBox1->SetItemIndex(1);
        dialog.ComboBox1->OnChange(dialog.ComboBox1);
        EXPECT_EQ(dialog.CheckListBox1->Items()->Count(), 12);
        dialog.CheckListBox1->SetChecked(5, true);
        dialog.CheckListBox1->OnClickCheck(dialog.CheckListBox1);
        dialog.CB1->SetItemIndex(1);
        dialog.CB1->OnChange(dialog.CB1);
        EXPECT_EQ(GetPrinters().ActivePrinterIndex(), 1);
        EXPECT_EQ(dialog.E1->EditMask(), "!99999;0;_");
        EXPECT_EQ(dialog.Copies(), 1);
        User.Answer(mrCancel);
        EXPECT_EQ(dialog.ShowModal(), mrCancel);
    }
    EXPECT_EQ(GetPrinters().ActivePrinterIndex(), 0);
    EXPECT_EQ(txt->SelectedType, 1);
    EXPECT_TRUE(txt->PrinterTypes[1].Commands[5].Enabled);
}

TEST_F(TextDialogs, PlainTextAndRtfDialogs) {
    auto text = NewFilter<TvrSimpleTextExport>();
    User.Form([](TCustomForm* form) {
            auto* d = static_cast<TvrSimpleTextExportDialog*>(form);
            EXPECT_EQ(d->Caption(), "导出到文本");
            EXPECT_TRUE(d->PageBreaksCB->Checked());
            d->FramesCB->SetChecked(true);
            d->PageBreaksCB->SetChecked(false);
            return mrOk;
        })
        .File(Dir.File("t.txt"));
    ASSERT_TRUE(Made.Report.Export(text.get()));
    EXPECT_EQ(User.Requests()[1].Value, "月报.txt");
    EXPECT_TRUE(text->Frames);
    EXPECT_FALSE(text->PageBreaks);

    auto rtf = NewFilter<TvrRTFExport>();
    User.Clear();
    User.Form([](TCustomForm* form) {
            auto* d = static_cast<TvrRTFExportDialog*>(form);
            EXPECT_EQ(d->Caption(), "导出到 RTF");
            EXPECT_EQ(d->PColontitulCB->ItemIndex(), 0);
            EXPECT_TRUE(d->PicturesCB->Checked());
            d->PColontitulCB->SetItemIndex(1);
            d->PicturesCB->SetChecked(false);
            return mrOk;
        })
        .File(Dir.File("t.rtf"));
    ASSERT_TRUE(Made.Report.Export(rtf.get()));
    EXPECT_EQ(User.Requests()[1].Value, "月报.rtf");
    EXPECT_EQ(User.Requests()[1].Filter, "RTF 文件 (*.rtf)|*.rtf");
    EXPECT_EQ(rtf->HeaderFooterMode, hfPrint);
    EXPECT_TRUE(rtf->SuppressPageHeadersFooters); // forced with the header and footer mode
    EXPECT_FALSE(rtf->ExportPictures);
}
