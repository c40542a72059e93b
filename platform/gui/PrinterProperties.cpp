#include "gui/PrinterProperties.h"

#include "classes/MetaBuilder.h"
#include "gui/Printers.h"
#include "rtl/StringList.h"

#include <algorithm>
#include <memory>

ORV_META_IMPL(TPrinterPropertiesForm)
void TPrinterPropertiesForm::DeclareMeta(meta::Class<TPrinterPropertiesForm>&) {}

TPrinterPropertiesForm::TPrinterPropertiesForm(TComponent* AOwner) : TForm(AOwner) {
    SetName("PrinterPropertiesForm");
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poScreenCenter);
    SetClientWidth(320);
    SetClientHeight(196);
    Font()->SetName("宋体");
    Font()->SetHeight(-12);

    auto label = [this](const String& caption, int y) {
        auto* l = new TLabel(this);
        l->SetParent(this);
        l->SetBounds(12, y + 4, 70, 16);
        l->SetCaption(caption);
        return l;
    };
    auto combo = [this](const String& name, int y) {
        auto* c = new TComboBox(this);
        c->SetName(name);
        c->SetParent(this);
        c->SetStyle(csDropDownList);
        c->SetBounds(86, y, 222, 21);
        return c;
    };
    lblPaper = label("纸张(&Z):", 12);
    cbPaper = combo("cbPaper", 12);
    lblPaper->SetFocusControl(cbPaper);
    rgOrientation = new TRadioGroup(this);
    rgOrientation->SetName("rgOrientation");
    rgOrientation->SetParent(this);
    rgOrientation->SetBounds(12, 42, 296, 44);
    rgOrientation->SetCaption("方向");
    rgOrientation->SetColumns(2);
    rgOrientation->Items()->Add("纵向");
    rgOrientation->Items()->Add("横向");
    lblDuplex = label("双面(&D):", 96);
    cbDuplex = combo("cbDuplex", 96);
    lblDuplex->SetFocusControl(cbDuplex);
    for (const char* text : {"单面", "长边翻转", "短边翻转"})
        cbDuplex->Items()->Add(text);
    lblTray = label("纸盒(&T):", 126);
    cbTray = combo("cbTray", 126);
    lblTray->SetFocusControl(cbTray);

    btnOk = new TButton(this);
    btnOk->SetName("btnOk");
    btnOk->SetParent(this);
    btnOk->SetBounds(152, 162, 75, 25);
    btnOk->SetCaption("确定");
    btnOk->SetDefault(true);
    btnOk->SetModalResult(mrOk);
    btnCancel = new TButton(this);
    btnCancel->SetName("btnCancel");
    btnCancel->SetParent(this);
    btnCancel->SetBounds(234, 162, 75, 25);
    btnCancel->SetCaption("取消");
    btnCancel->SetCancel(true);
    btnCancel->SetModalResult(mrCancel);
    DoCreate();
}

void TPrinterPropertiesForm::Fill(TPrinter& printer) {
    SetCaption(printer.PrinterName() + " 属性");
    cbPaper->Items()->Clear();
    FPapers.clear();
    for (const TPaperInfo& paper : printer.Papers()) {
        cbPaper->Items()->Add(paper.Name);
        FPapers.push_back(paper.Number);
    }
    cbPaper->SetItemIndex(-1);
    for (size_t i = 0; i < FPapers.size(); ++i)
        if (FPapers[i] == printer.Paper()) cbPaper->SetItemIndex(static_cast<int>(i));
    rgOrientation->SetItemIndex(printer.Orientation() == poLandscape ? 1 : 0);
    cbDuplex->SetItemIndex(std::clamp<int>(printer.Duplex(), DMDUP_SIMPLEX, DMDUP_HORIZONTAL) - 1);
    cbDuplex->SetEnabled(printer.CanDuplex());
    lblDuplex->SetEnabled(printer.CanDuplex());
    cbTray->Items()->Clear();
    FTrays = {String()};
    cbTray->Items()->Add("自动选择");
    for (const TTrayInfo& tray : printer.Trays()) {
        cbTray->Items()->Add(tray.Text);
        FTrays.push_back(tray.Name);
    }
    cbTray->SetItemIndex(0);
    for (size_t i = 1; i < FTrays.size(); ++i)
        if (FTrays[i] == printer.Tray()) cbTray->SetItemIndex(static_cast<int>(i));
    cbTray->SetEnabled(FTrays.size() > 1);
    lblTray->SetEnabled(FTrays.size() > 1);
}

void TPrinterPropertiesForm::WriteBack(TPrinter& printer) const {
    const int paper = cbPaper->ItemIndex();
    if (paper >= 0) printer.SetPaper(FPapers[static_cast<size_t>(paper)]);
    printer.SetOrientation(rgOrientation->ItemIndex() == 1 ? poLandscape : poPortrait);
    if (cbDuplex->ItemIndex() >= 0) printer.SetDuplex(cbDuplex->ItemIndex() + 1);
    const int tray = cbTray->ItemIndex();
    printer.SetTray(tray > 0 ? FTrays[static_cast<size_t>(tray)] : String());
}

bool ShowPrinterProperties(TPrinter& printer) {
    auto form = std::make_unique<TPrinterPropertiesForm>(nullptr);
    form->Fill(printer);
    if (form->ShowModal() != mrOk) return false;
    form->WriteBack(printer);
    return true;
}
