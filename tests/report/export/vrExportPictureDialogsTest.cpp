// The HTML and picture export dialogs played through the responder: filling, OK writing back,
// the picture-format list, the default file name, a quality or resolution that is no number.
#include "ExportFixture.h"

#include "gui/Forms.h"
#include "gui/Interaction.h"
#include "report/export/vrExportHTML.h"
#include "report/export/vrExportImage.h"

#include <gtest/gtest.h>

namespace {

class PictureDialogs : public ::testing::Test {
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

} // namespace

TEST_F(PictureDialogs, TheHtmlDialogFillsWritesBackAndNamesTheFile) {
    auto html = TvrCustomExportFilter::CreateNoRegister<TvrHTMLExport>();
    html->ShowProgress = false;
    const String file = Dir.File("r.html");
    User.Form([](TCustomForm* form) {
            auto* d = static_cast<TvrHTMLExportDialog*>(form);
            EXPECT_EQ(d->Caption(), "导出到 HTML table");
            EXPECT_EQ(d->PFormatCB->ItemIndex(), 1);
            EXPECT_EQ(d->PFormatCB->Items()->Strings(0), "无");
            EXPECT_EQ(d->PFormatCB->Items()->Strings(3), "GIF");
            EXPECT_TRUE(d->StylesCB->Checked());
            d->PFormatCB->SetItemIndex(3);
            d->MultipageCB->SetChecked(true);
            d->OkB->Click();
            return mrNone;
        })
        .File(file);
    ASSERT_TRUE(Made.Report.Export(html.get()));
    ASSERT_EQ(User.Requests().size(), 2u);
    EXPECT_EQ(User.Requests()[1].Value, "月报.html");
    EXPECT_TRUE(html->UseGif() && !html->UseJpeg() && html->Multipage);
    EXPECT_TRUE(std::filesystem::exists(Dir.File("r.files/2.html")));
}

TEST_F(PictureDialogs, ThePictureDialogFillsAndWritesBack) {
    auto jpeg = TvrCustomExportFilter::CreateNoRegister<TvrJPEGExport>();
    const String file = Dir.File("p.jpg");
    User.Form([](TCustomForm* form) {
            auto* d = static_cast<TvrIMGExportDialog*>(form);
            EXPECT_EQ(d->Caption(), "导出设置");
            EXPECT_EQ(d->Quality->Text(), "90");
            EXPECT_TRUE(d->Quality->Enabled());
            EXPECT_EQ(d->Resolution->Text(), "96");
            EXPECT_TRUE(d->SeparateCB->Checked());
            d->Quality->SetText("50");
            d->Resolution->SetText("48");
            d->SeparateCB->SetChecked(false);
            d->OkB->Click();
            return mrNone;
        })
        .File(file);
    ASSERT_TRUE(Made.Report.Export(jpeg.get()));
    EXPECT_EQ(User.Requests()[1].Value, "月报.jpg");
    EXPECT_EQ(jpeg->JPEGQuality, 50);
    EXPECT_EQ(jpeg->ImageDpi, 48);
    EXPECT_FALSE(jpeg->SeparateFiles);
    EXPECT_TRUE(std::filesystem::exists(file));

    auto gif = TvrCustomExportFilter::CreateNoRegister<TvrGIFExport>();
    User.Clear();
    User.Form([](TCustomForm* form) {
        auto* d = static_cast<TvrIMGExportDialog*>(form);
        EXPECT_FALSE(d->Quality->Enabled());
        EXPECT_FALSE(d->Mono->Enabled());
        return mrCancel;
    });
    EXPECT_FALSE(Made.Report.Export(gif.get()));
}

TEST_F(PictureDialogs, AQualityOrResolutionThatIsNoNumberKeepsTheDialogOpen) {
    for (const bool quality : {true, false}) {
        auto jpeg = TvrCustomExportFilter::CreateNoRegister<TvrJPEGExport>();
        User.Clear();
        User.Form([quality](TCustomForm* form) {
                auto* d = static_cast<TvrIMGExportDialog*>(form);
                (quality ? d->Quality : d->Resolution)->SetText("x");
                d->Resolution->SetText(quality ? "300" : "x");
                d->OkB->Click();
                EXPECT_EQ(d->ModalResult(), mrNone);
                return mrCancel;
            })
            .Answer(mrOk);
        EXPECT_FALSE(Made.Report.Export(jpeg.get()));
        ASSERT_EQ(User.Requests().size(), 2u);
        EXPECT_EQ(User.Requests()[1].Kind, TInteractionKind::MessageBox);
        EXPECT_EQ(jpeg->JPEGQuality, 90);
        EXPECT_EQ(jpeg->ImageDpi, 96);
    }
}
