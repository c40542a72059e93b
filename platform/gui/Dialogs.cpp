// Message boxes, input boxes and the common dialogs, asked through the Interaction service.
#include "gui/Dialogs.h"

#include "gui/Controls.h"
#include "gui/Forms.h"
#include "gui/Interaction.h"

#include "rtl/FileUtils.h"
#include "rtl/StringList.h"

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

bool TPrintDialog::Execute() {
    TInteractionRequest r;
    r.Kind = TInteractionKind::Print;
    r.Options = FOptions.Bits();
    TInteractionAnswer a = Interaction::Ask(r);
    if (a.Result == 0) return false;
    if (!a.Text.empty()) FPrinterName = a.Text;
    return true;
}

bool TPrinterSetupDialog::Execute() {
    TInteractionRequest r;
    r.Kind = TInteractionKind::PrinterSetup;
    TInteractionAnswer a = Interaction::Ask(r);
    if (a.Result == 0) return false;
    if (!a.Text.empty()) FPrinterName = a.Text;
    return true;
}
