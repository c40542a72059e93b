// The export dialogs played through the responder: filling from the filter, OK writing back, the
// save dialog (its default file name, cancelling it), a rows count that is no number, the names
// file of the dBASE dialog that fails to load, F1 and right-to-left mirroring.
#include "ExportFixture.h"

#include "gui/Forms.h"
#include "gui/Interaction.h"
#include "gui/ReadingOrder.h"
#include "report/export/vrExportCSV.h"
#include "report/export/vrExportDBF.h"
#include "report/export/vrExportXML.h"
#include "report/vrRes.h"
#include "rtl/CodePage.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

class ExportDialogs : public ::testing::Test {
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

TEST_F(ExportDialogs, TheSpreadsheetDialogFillsAndWritesBack) {
    auto xml = NewFilter<TvrXMLExport>();
    xml->Split = ssRPages;
    xml->Wysiwyg = false;
    xml->PageRange = "1,3";
    const String file = Dir.File("book.xls");
    User.Form([](TCustomForm* form) {
            auto* d = static_cast<TvrXMLExportDialog*>(form);
            EXPECT_EQ(d->Caption(), "导出到 Excel");
            EXPECT_EQ(d->OpenExcelCB->Caption(), "在导出后打开 Excel");
            EXPECT_TRUE(d->RPagesRB->Checked());
            EXPECT_TRUE(d->PageNumbersRB->Checked());
            EXPECT_EQ(d->PageNumbersE->Text(), "1,3");
            EXPECT_FALSE(d->WCB->Checked());
            EXPECT_FALSE(d->ContinuousCB->Checked());
            EXPECT_TRUE(d->PageBreaksCB->Checked());
            EXPECT_TRUE(d->BackgrCB->Checked());
            d->ContinuousCB->SetChecked(true);
            d->RowsCountRB->SetChecked(true);
            d->ERows->SetText("30");
            d->AllRB->SetChecked(true);
            d->OkB->Click();
            return mrNone;
        })
        .File(file);
    ASSERT_TRUE(Made.Report.Export(xml.get()));
    ASSERT_EQ(User.Requests().size(), 2u);
    const TInteractionRequest& save = User.Requests()[1];
    EXPECT_EQ(save.Kind, TInteractionKind::SaveFile);
    EXPECT_EQ(save.Value, "月报.xls");
    EXPECT_EQ(save.Filter, "XML Excel 文件 (*.xls)|*.xls");
    EXPECT_EQ(save.DefaultExt, ".xls");
    EXPECT_EQ(xml->FileName, file);
    EXPECT_EQ(xml->Split, ssRowsCount);
    EXPECT_EQ(xml->RowsCount(), 30);
    EXPECT_FALSE(xml->EmptyLines);
    EXPECT_TRUE(xml->SuppressPageHeadersFooters);
    EXPECT_FALSE(xml->ExportPageBreaks);
    EXPECT_TRUE(xml->PageRange.empty());
    EXPECT_FALSE(xml->CurrentPageOnly);
    EXPECT_TRUE(std::filesystem::exists(file));
}

TEST_F(ExportDialogs, ACancelledSaveDialogExportsNothing) {
    auto xml = NewFilter<TvrXMLExport>();
    User.Form([](TCustomForm* form) {
            auto* d = static_cast<TvrXMLExportDialog*>(form);
            d->CurPageRB->SetChecked(true);
            return mrOk;
        })
        .Cancel();
    EXPECT_FALSE(Made.Report.Export(xml.get()));
    EXPECT_TRUE(xml->FileName.empty());
    EXPECT_TRUE(xml->CurrentPageOnly);
    // Cancelling the dialog itself asks for no file.
    User.Clear();
    User.Form([](TCustomForm*) { return mrCancel; });
    EXPECT_FALSE(Made.Report.Export(xml.get()));
    EXPECT_EQ(User.Requests().size(), 1u);
}

TEST_F(ExportDialogs, ARowsCountThatIsNoNumberKeepsTheDialogOpen) {
    auto xml = NewFilter<TvrXMLExport>();
    xml->SetRowsCount(12);
    User.Form([](TCustomForm* form) {
            auto* d = static_cast<TvrXMLExportDialog*>(form);
            EXPECT_TRUE(d->RowsCountRB->Checked());
            EXPECT_EQ(d->ERows->Text(), "12");
            d->ERows->SetText("");
            d->OkB->Click();
            EXPECT_EQ(d->ModalResult(), mrNone);
            return mrCancel;
        })
        .Answer(mrOk);
    EXPECT_FALSE(Made.Report.Export(xml.get()));
    ASSERT_EQ(User.Requests().size(), 2u);
    EXPECT_EQ(User.Requests()[1].Kind, TInteractionKind::MessageBox);
    EXPECT_EQ(User.Requests()[1].Text, "'' is not a valid integer value");
    EXPECT_EQ(xml->RowsCount(), 12); // nothing written back
}

TEST_F(ExportDialogs, TheCsvDialogTakesSeparatorAndCodePage) {
    auto csv = NewFilter<TvrCSVExport>();
    const String file = Dir.File("data.csv");
    User.Form([](TCustomForm* form) {
            auto* d = static_cast<TvrCSVExportDialog*>(form);
            EXPECT_EQ(d->Caption(), "导出为CSV");
            EXPECT_EQ(d->SeparatorE->Text(), ";");
            EXPECT_FALSE(d->OEMCB->Checked());
            d->SeparatorE->SetText(",");
            d->OEMCB->SetChecked(true);
            d->PageNumbersRB->SetChecked(true);
            d->PageNumbersE->SetText("2");
            return mrOk;
        })
        .File(file);
    ASSERT_TRUE(Made.Report.Export(csv.get()));
    EXPECT_EQ(User.Requests()[1].Value, "月报.csv");
    EXPECT_EQ(User.Requests()[1].Filter, "CSV file (*.csv)|*.csv");
    EXPECT_EQ(csv->Separator, ",");
    EXPECT_TRUE(csv->OEMCodepage);
    EXPECT_EQ(csv->PageRange, "2");
    EXPECT_EQ(TempDir::ReadAll(file), "r0c0,r0c1\r\nr1c0,r1c1\r\nr2c0,r2c1\r\n");
}

TEST_F(ExportDialogs, TheDbfDialogLoadsFieldNamesAndTellsWhenItCannot) {
    auto dbf = NewFilter<TvrDBFExport>();
    const String names = Dir.File("names.txt");
    std::ofstream(names) << "HOUSE\nOWNER\n";
    const String file = Dir.File("table.dbf");
    User.Form([&](TCustomForm* form) {
            auto* d = static_cast<TvrDBFExportDialog*>(form);
            EXPECT_EQ(d->Caption(), "Export to DBF");
            EXPECT_TRUE(d->rbFNAuto->Checked());
            EXPECT_EQ(d->mmFN->Lines()->Count(), 0);
            d->btFNLoad->Click(); // a file that is not there
            EXPECT_EQ(d->mmFN->Lines()->Count(), 0);
            d->btFNLoad->Click();
            EXPECT_EQ(d->mmFN->Lines()->Count(), 2);
            return mrOk;
        })
        .File(Dir.File("no such names.txt"))
        .Answer(mrOk)
        .File(names)
        .File(file);
    ASSERT_TRUE(Made.Report.Export(dbf.get()));
    const auto& asked = User.Requests();
    ASSERT_EQ(asked.size(), 5u);
    EXPECT_EQ(asked[1].Kind, TInteractionKind::OpenFile);
    EXPECT_EQ(asked[1].Filter, "Text files (*.txt)|*.txt|All files|*.*");
    EXPECT_EQ(asked[2].Kind, TInteractionKind::MessageBox);
    EXPECT_EQ(asked[2].Text, "Failed to load the file");
    EXPECT_EQ(asked[2].Caption, "Failure");
    EXPECT_EQ(asked[2].Flags & MB_ICONERROR, static_cast<Cardinal>(MB_ICONERROR));
    EXPECT_EQ(asked[4].Value, "月报.dbf");
    EXPECT_EQ(asked[4].Filter, "DBF files (*.dbf)|*.dbf|All files|*.*");
    ASSERT_EQ(dbf->FieldNames()->Count(), 2);
    EXPECT_EQ(dbf->FieldNames()->Strings(1), "OWNER");
    const String b = TempDir::ReadAll(file);
    EXPECT_EQ(b.substr(32, 5), "HOUSE");
    EXPECT_EQ(b.substr(64, 5), "OWNER");
}

TEST_F(ExportDialogs, F1OpensTheHelpAndTheDialogsMirror) {
    std::vector<String> helped;
    const TvrHelpViewer previous = SetHelpViewer([&](const String& file, const String&) { helped.push_back(file); });
    {
        TvrCSVExportDialog dialog(nullptr);
        Word key = VK_F1;
        dialog.OnKeyDown(&dialog, key, TShiftState{});
    }
    SetHelpViewer(previous);
    EXPECT_EQ(helped.size(), 1u);

    SetApplicationBiDiMode(bdRightToLeft);
    TvrDBFExportDialog mirrored(nullptr);
    SetApplicationBiDiMode(bdLeftToRight);
    TvrDBFExportDialog plain(nullptr);
    EXPECT_EQ(plain.GroupPageRange->Left(), 8);
    EXPECT_EQ(mirrored.GroupPageRange->Left(), mirrored.ClientWidth() - 8 - mirrored.GroupPageRange->Width());
}
