// Message boxes, input boxes and the common dialogs, asked through the Interaction service.
#include "gui/Dialogs.h"

#include "gui/Controls.h"
#include "gui/Forms.h"
#include "gui/Interaction.h"
#include "gui/Printers.h"

#include "rtl/FileUtils.h"
#include "rtl/StringList.h"

#include <algorithm>

namespace {

String DlgCaption(TMsgDlgType t) {
    switch (t) {
    case mtWarning:
        return "Warning";
    case mtError:
        return "Error";
    case mtInformation:
        return "Information";
    case mtConfirmation:
        return "Confirm";
    default:
        return Application()->Title();
    }
}

} // namespace

int MessageDlgPos(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, int, int) {
    (void)HelpCtx;
    TInteractionRequest r;
    r.Kind = TInteractionKind::MessageBox;
    r.Caption = DlgCaption(DlgType);
    r.Text = Msg;
    r.DlgType = DlgType;
    r.Buttons = Buttons.Bits();
    return Interaction::Ask(r).Result;
}

int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
    return MessageDlgPos(Msg, DlgType, Buttons, HelpCtx, -1, -1);
}

void ShowMessage(const String& Msg) {
    MessageDlg(Msg, mtCustom, TMsgDlgButtons{mbOK}, 0);
}

bool InputQuery(const String& ACaption, const String& APrompt, String& Value) {
    TInteractionRequest r;
    r.Kind = TInteractionKind::InputQuery;
    r.Caption = ACaption;
    r.Text = APrompt;
    r.Value = Value;
    TInteractionAnswer a = Interaction::Ask(r);
    if (a.Result == 0) return false;
    Value = a.Text;
    return true;
}

String InputBox(const String& ACaption, const String& APrompt, const String& ADefault) {
    String v = ADefault;
    return InputQuery(ACaption, APrompt, v) ? v : ADefault;
}

bool SelectDirectory(const String& Caption, const String& Root, String& Directory) {
    TInteractionRequest r;
    r.Kind = TInteractionKind::SelectDirectory;
    r.Caption = Caption;
    r.InitialDir = Root;
    r.Value = Directory;
    TInteractionAnswer a = Interaction::Ask(r);
    if (a.Result == 0 || a.Text.empty()) return false;
    Directory = a.Text;
    return true;
}

// ---------------------------------------------------------------------------------------------

TOpenDialog::TOpenDialog(TComponent* AOwner)
    : TCommonDialog(AOwner), FFiles(std::make_unique<TStringList>()) {}
TOpenDialog::~TOpenDialog() = default;

TStrings* TOpenDialog::Files() const {
    return FFiles.get();
}

bool TOpenDialog::Execute() {
    return DoExecute(false);
}
bool TSaveDialog::Execute() {
    return DoExecute(true);
}

bool TOpenDialog::DoExecute(bool save) {
    TInteractionRequest r;
    r.Kind = save ? TInteractionKind::SaveFile : TInteractionKind::OpenFile;
    r.Caption = FTitle;
    r.Value = FFileName;
    r.Filter = FFilter;
    r.FilterIndex = FFilterIndex;
    r.DefaultExt = FDefaultExt;
    r.InitialDir = FInitialDir;
    r.Options = FOptions.Bits();
    if (OnShow) OnShow(this);
    TInteractionAnswer a = Interaction::Ask(r);
    if (OnClose) OnClose(this);
    if (a.Result == 0) return false;
    FFiles->Clear();
    std::vector<String> files = a.Files;
    if (files.empty() && !a.Text.empty()) files.push_back(a.Text);
    if (files.empty()) return false;
    for (String& f : files) {
        // A name typed without an extension gets the default one.
        if (!FDefaultExt.empty() && ExtractFileExt(f).empty()) {
            String ext = FDefaultExt;
            if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
            f += "." + ext;
        }
        FFiles->Add(f);
    }
    FFileName = files.front();
    if (a.FilterIndex > 0) FFilterIndex = a.FilterIndex;
    return true;
}

TColorDialog::TColorDialog(TComponent* AOwner)
    : TCommonDialog(AOwner), FCustomColors(std::make_unique<TStringList>()) {}
TColorDialog::~TColorDialog() = default;
TStrings* TColorDialog::CustomColors() const {
    return FCustomColors.get();
}

bool TColorDialog::Execute() {
    TInteractionRequest r;
    r.Kind = TInteractionKind::Color;
    r.Color = FColor;
    TInteractionAnswer a = Interaction::Ask(r);
    if (a.Result == 0) return false;
    if (a.Color != clNone) FColor = a.Color;
    return true;
}

bool TFontDialog::Execute() {
    TInteractionRequest r;
    r.Kind = TInteractionKind::Font;
    r.Value = FFont.Name();
    r.FontSize = FFont.Size();
    TInteractionAnswer a = Interaction::Ask(r);
    if (a.Result == 0) return false;
    if (!a.FontName.empty()) FFont.SetName(a.FontName);
    if (a.FontSize > 0) FFont.SetSize(a.FontSize);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Print and printer-setup dialogs: the program's printer is the one shown and the one set.

namespace {

void AskPrinter(TInteractionRequest& r) {
    TPrinter* p = Printer();
    r.Items = p->Printers();
    r.Value = p->PrinterName();
    r.Copies = p->Copies();
    r.Orientation = p->Orientation();
    r.Paper = p->Paper();
}

// Selects the printer chosen and takes over its settings; returns the printer's name.
String ApplyPrinter(const TInteractionAnswer& a) {
    TPrinter* p = Printer();
    if (!a.Text.empty() && a.Text != p->PrinterName()) {
        auto indexOf = [&] {
            const std::vector<String>& names = p->Printers();
            auto it = std::find(names.begin(), names.end(), a.Text);
            return it == names.end() ? -1 : static_cast<int>(it - names.begin());
        };
        int index = indexOf();
        if (index < 0) {
            p->Refresh(); // a queue added since the list was read
            index = indexOf();
        }
        if (index < 0) throw EPrinter("Printer selected is not valid");
        p->SetPrinterIndex(index);
    }
    // The PDF printer writes where the dialog said.
    if (p->IsPdfPrinter() && !a.Files.empty() && !a.Files.front().empty()) p->SetOutputFile(a.Files.front());
    if (a.Orientation >= 0) p->SetOrientation(a.Orientation == poLandscape ? poLandscape : poPortrait);
    if (a.Paper > 0) p->SetPaper(a.Paper);
    if (a.Copies > 0) p->SetCopies(a.Copies);
    return p->PrinterName();
}

} // namespace

bool TPrintDialog::Execute() {
    TInteractionRequest r;
    r.Kind = TInteractionKind::Print;
    r.Options = FOptions.Bits();
    AskPrinter(r);
    if (FCopies > 0) r.Copies = FCopies;
    r.Collate = FCollate;
    r.FromPage = FFromPage;
    r.ToPage = FToPage;
    r.MinPage = FMinPage;
    r.MaxPage = FMaxPage;
    r.PrintRange = FPrintRange;
    r.PrintToFile = FPrintToFile;
    if (OnShow) OnShow(this);
    TInteractionAnswer a = Interaction::Ask(r);
    if (OnClose) OnClose(this);
    if (a.Result == 0) return false;
    // The copies confirmed are those shown unless the user changed them.
    TInteractionAnswer chosen = a;
    if (chosen.Copies <= 0) chosen.Copies = r.Copies;
    FPrinterName = ApplyPrinter(chosen);
    FCopies = Printer()->Copies();
    if (a.Collate >= 0) FCollate = a.Collate != 0;
    if (a.PrintRange >= prAllPages && a.PrintRange <= prPageNums)
        FPrintRange = static_cast<TPrintRange>(a.PrintRange);
    if (a.FromPage >= 0) FFromPage = a.FromPage;
    if (a.ToPage >= 0) FToPage = a.ToPage;
    if (a.PrintToFile >= 0) FPrintToFile = a.PrintToFile != 0;
    return true;
}

bool TPrinterSetupDialog::Execute() {
    TInteractionRequest r;
    r.Kind = TInteractionKind::PrinterSetup;
    AskPrinter(r);
    if (OnShow) OnShow(this);
    TInteractionAnswer a = Interaction::Ask(r);
    if (OnClose) OnClose(this);
    if (a.Result == 0) return false;
    FPrinterName = ApplyPrinter(a);
    return true;
}
