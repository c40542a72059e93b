// The setup dialog: filled from the component, written back only on OK, and only when every
// margin is a number.
#include "gridprint/PrnDgDlg.h"
#include "gridprint/PrnDbggx.h"

#include "gui/Interaction.h"
#include "rtl/Format.h"

#include <gtest/gtest.h>

namespace {

TfPrnDBGridGxSetupDialog* Dlg(TCustomForm* f) {
    return static_cast<TfPrnDBGridGxSetupDialog*>(f);
}

TEST(SetupDialog, FillsFromTheComponentAndWritesBackOnOk) {
    TPrintDBGridGx c(nullptr);
    c.SetOptions(pghFitGridToPageWidth | pghFitingByColWidths | pghColored);
    c.SetPrintFontName("Arial");
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Form([](TCustomForm* f) {
        auto* d = Dlg(f);
        EXPECT_EQ(d->seUpMargin->Text(), "2");
        EXPECT_TRUE(d->cbFitWidthToPage->Checked());
        EXPECT_TRUE(d->rgFitingType->Enabled());
        EXPECT_EQ(d->rgFitingType->ItemIndex(), 1);
        EXPECT_EQ(d->ePrintFont->Text(), "Arial");
        d->seUpMargin->SetText("1.5");
        d->cbFitWidthToPage->SetChecked(false); // the fitting kind still follows the radio group
        EXPECT_FALSE(d->rgFitingType->Enabled());
        d->cbAutoStretch->SetChecked(true);
        d->bOk->Click();
        return mrNone;
    });
    EXPECT_TRUE(c.ShowSetupDialog());
    EXPECT_EQ(CurrToStr(c.Page()->TopMargin()), "1.5");
    EXPECT_EQ(c.Options(), pghFitingByColWidths | pghColored | pghRowAutoStretch);
    // Shown again, the margin reads as it was entered.
    user.Form([](TCustomForm* f) {
        EXPECT_EQ(Dlg(f)->seUpMargin->Text(), "1.5");
        return mrCancel;
    });
    EXPECT_FALSE(c.ShowSetupDialog());
}

TEST(SetupDialog, CancelChangesNothing) {
    TPrintDBGridGx c(nullptr);
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Form([](TCustomForm* f) {
        Dlg(f)->seLeftMargin->SetText("5");
        Dlg(f)->cbColored->SetChecked(true);
        return mrCancel;
    });
    EXPECT_FALSE(c.ShowSetupDialog());
    EXPECT_EQ(CurrToStr(c.Page()->LeftMargin()), "2");
    EXPECT_EQ(c.Options(), 0);
}

// A bad number keeps the dialog open with a message; forcing OK anyway writes nothing at all.
TEST(SetupDialog, BadMarginWritesNothing) {
    TPrintDBGridGx c(nullptr);
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Form([](TCustomForm* f) {
        auto* d = Dlg(f);
        d->seUpMargin->SetText("1");
        d->seLeftMargin->SetText("abc");
        d->cbColored->SetChecked(true);
        d->bOk->Click();
        EXPECT_EQ(d->ModalResult(), mrNone);
        return mrOk;
    });
    user.Answer(IDOK); // the message about the bad number
    EXPECT_THROW(c.ShowSetupDialog(), EConvertError);
    ASSERT_EQ(user.Requests().size(), 2u);
    EXPECT_EQ(user.Requests()[1].Kind, TInteractionKind::MessageBox);
    EXPECT_EQ(CurrToStr(c.Page()->TopMargin()), "2");
    EXPECT_EQ(c.Options(), 0);
}

} // namespace
