#include "gridprint/PrnDgDlg.h"

#include "classes/MetaBuilder.h"
#include "gridprint/PrnDbggx.h"
#include "gui/Printers.h"
#include "rtl/Format.h"

ORV_META_IMPL(TfPrnDBGridGxSetupDialog)
void TfPrnDBGridGxSetupDialog::DeclareMeta(meta::Class<TfPrnDBGridGxSetupDialog>&) {}

TEdit* TfPrnDBGridGxSetupDialog::AddMarginEdit(const String& name, const String& caption, TLabel*& label,
                                               int x, int y) {
    label = new TLabel(this);
    label->SetParent(gbPrintFields);
    label->SetBounds(x, y + 3, 20, 16);
    label->SetCaption(caption);
    auto* edit = new TEdit(this);
    edit->SetName(name);
    edit->SetParent(gbPrintFields);
    edit->SetBounds(x + 22, y, 50, 21);
    edit->SetText("0");
    // Leaving a margin edit checks its number, while the dialog is up (not when the focus leaves
    // the closed dialog's edit later).
    edit->OnExit = [this, edit](TObject*) {
        if (Modal()) StrToFloat(edit->Text());
    };
    return edit;
}

TfPrnDBGridGxSetupDialog::TfPrnDBGridGxSetupDialog(TComponent* AOwner) : TForm(AOwner) {
    SetName("fPrnDBGridGXSetupDialog");
    SetCaption("打印机设置");
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poScreenCenter);
    SetClientWidth(368);
    SetClientHeight(185);
    Font()->SetName("宋体");
    Font()->SetHeight(-12);

    gbPrintFields = new TGroupBox(this);
    gbPrintFields->SetName("gbPrintFields");
    gbPrintFields->SetParent(this);
    gbPrintFields->SetBounds(8, 4, 170, 80);
    gbPrintFields->SetCaption("边");
    seUpMargin = AddMarginEdit("seUpMargin", "顶", Label5, 8, 20);
    seLowMargin = AddMarginEdit("seLowMargin", "底", Label6, 8, 48);
    seLeftMargin = AddMarginEdit("seLeftMargin", "左", Label7, 88, 20);
    seRightMargin = AddMarginEdit("seRightMargin", "右", Label8, 88, 48);

    auto check = [this](const String& name, const String& caption, int y) {
        auto* c = new TCheckBox(this);
        c->SetName(name);
        c->SetParent(this);
        c->SetBounds(190, y, 170, 18);
        c->SetCaption(caption);
        c->SetAlignment(taLeftJustify);
        return c;
    };
    cbFitWidthToPage = check("cbFitWidthToPage", "适合一页的宽度", 8);
    cbFitWidthToPage->OnClick = [this](TObject*) { cbFitWidthToPageClick(); };
    rgFitingType = new TRadioGroup(this);
    rgFitingType->SetName("rgFitingType");
    rgFitingType->SetParent(this);
    rgFitingType->SetBounds(190, 28, 170, 56);
    rgFitingType->Items()->Add("整个表格比例");
    rgFitingType->Items()->Add("改变列宽度");
    rgFitingType->SetItemIndex(0);
    rgFitingType->SetEnabled(false);
    cbOptimalColWidths = check("cbOptimalColWidths", "适合的列宽度", 88);
    cbAutoStretch = check("cbAutoStretch", "延长线", 108);
    cbColored = check("cbColored", "颜色", 128);

    ePrintFont = new TEdit(this);
    ePrintFont->SetName("ePrintFont");
    ePrintFont->SetParent(this);
    ePrintFont->SetBounds(8, 92, 140, 21);
    ePrintFont->SetText("打印字体");
    bPrintFont = new TButton(this);
    bPrintFont->SetName("bPrintFont");
    bPrintFont->SetParent(this);
    bPrintFont->SetBounds(152, 92, 24, 21);
    bPrintFont->SetCaption("...");
    bPrintFont->Font()->SetStyle(TFontStyles{fsBold});
    bPrintFont->OnClick = [this](TObject*) { bPrintFontClick(); };
    bPrinterSetupDialog = new TButton(this);
    bPrinterSetupDialog->SetName("bPrinterSetupDialog");
    bPrinterSetupDialog->SetParent(this);
    bPrinterSetupDialog->SetBounds(8, 122, 168, 25);
    bPrinterSetupDialog->SetCaption("打印机设置");
    bPrinterSetupDialog->OnClick = [this](TObject*) { bPrinterSetupDialogClick(); };

    bOk = new TButton(this);
    bOk->SetName("bOk");
    bOk->SetParent(this);
    bOk->SetBounds(200, 152, 75, 25);
    bOk->SetCaption("确定");
    bOk->SetDefault(true);
    bOk->OnClick = [this](TObject*) { bOkClick(); };
    bCancel = new TButton(this);
    bCancel->SetName("bCancel");
    bCancel->SetParent(this);
    bCancel->SetBounds(284, 152, 75, 25);
    bCancel->SetCaption("取消");
    bCancel->SetCancel(true);
    bCancel->SetModalResult(mrCancel);

    FontDialog1 = new TFontDialog(this);
    FontDialog1->SetName("FontDialog1");
    PrinterSetupDialog1 = new TPrinterSetupDialog(this);
    PrinterSetupDialog1->SetName("PrinterSetupDialog1");

    OnShow = [this](TObject*) { bPrinterSetupDialog->SetEnabled(!Printer()->Printers().empty()); };
    DoCreate();
}

void TfPrnDBGridGxSetupDialog::cbFitWidthToPageClick() {
    rgFitingType->SetEnabled(cbFitWidthToPage->Checked());
}

void TfPrnDBGridGxSetupDialog::bPrintFontClick() {
    FontDialog1->Font()->SetName(ePrintFont->Text());
    if (FontDialog1->Execute()) ePrintFont->SetText(FontDialog1->Font()->Name());
}

void TfPrnDBGridGxSetupDialog::bPrinterSetupDialogClick() {
    PrinterSetupDialog1->Execute();
}

void TfPrnDBGridGxSetupDialog::Fill(const TPrintDBGridGx& c) {
    const TPageParams* p = c.Page();
    seUpMargin->SetText(FloatToStr(p->TopMargin().ToDouble()));
    seLowMargin->SetText(FloatToStr(p->BottomMargin().ToDouble()));
    seLeftMargin->SetText(FloatToStr(p->LeftMargin().ToDouble()));
    seRightMargin->SetText(FloatToStr(p->RightMargin().ToDouble()));
    cbFitWidthToPage->SetChecked(c.HasOption(pghFitGridToPageWidth));
    cbFitWidthToPageClick();
    cbAutoStretch->SetChecked(c.HasOption(pghRowAutoStretch));
    cbColored->SetChecked(c.HasOption(pghColored));
    cbOptimalColWidths->SetChecked(c.HasOption(pghOptimalColWidths));
    rgFitingType->SetItemIndex(c.HasOption(pghFitingByColWidths) ? 1 : 0);
    ePrintFont->SetText(c.PrintFontName());
}

void TfPrnDBGridGxSetupDialog::ReadMargins(Currency (&margins)[4]) const {
    TEdit* edits[4] = {seUpMargin, seLowMargin, seLeftMargin, seRightMargin};
    for (int i = 0; i < 4; ++i) {
        try {
            margins[i] = Currency::FromDouble(StrToFloat(edits[i]->Text()));
        } catch (const EConvertError&) {
            if (Modal() && edits[i]->CanFocus()) edits[i]->SetFocus();
            throw;
        }
    }
}

void TfPrnDBGridGxSetupDialog::WriteBack(TPrintDBGridGx& c) const {
    Currency m[4];
    ReadMargins(m);
    TPageParams* p = c.Page();
    p->SetTopMargin(m[0]);
    p->SetBottomMargin(m[1]);
    p->SetLeftMargin(m[2]);
    p->SetRightMargin(m[3]);
    TPrintDBGridGxOptions o = c.Options();
    auto set = [&o](TPrintDBGridGxOption bit, bool on) { o = on ? (o | bit) : (o & ~bit); };
    set(pghFitGridToPageWidth, cbFitWidthToPage->Checked());
    set(pghRowAutoStretch, cbAutoStretch->Checked());
    set(pghColored, cbColored->Checked());
    set(pghFitingByColWidths, rgFitingType->ItemIndex() == 1);
    set(pghOptimalColWidths, cbOptimalColWidths->Checked());
    c.SetPrintFontName(ePrintFont->Text());
    c.SetOptions(o);
}

// OK closes only when all four margins are numbers; otherwise the user is told and stays.
void TfPrnDBGridGxSetupDialog::bOkClick() {
    Currency m[4];
    try {
        ReadMargins(m);
    } catch (const EConvertError& e) {
        ShowMessage(e.Message());
        return;
    }
    SetModalResult(mrOk);
}

TfPrnDBGridGxSetupDialog* PrnDBGridGxSetupDialog() {
    static TfPrnDBGridGxSetupDialog* dialog = nullptr;
    if (!dialog) dialog = new TfPrnDBGridGxSetupDialog(Application());
    return dialog;
}

bool TPrintDBGridGx::ShowSetupDialog() {
    TfPrnDBGridGxSetupDialog* dialog = PrnDBGridGxSetupDialog();
    dialog->Fill(*this);
    if (dialog->ShowModal() != mrOk) return false;
    dialog->WriteBack(*this);
    return true;
}
