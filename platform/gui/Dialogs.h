// Message boxes, input boxes and the common dialogs (open and save file, folder, colour, font,
// print, printer setup). All of them ask the user through the Interaction service.
#pragma once

#include "classes/Component.h"
#include "gui/Graphics.h"

#include <memory>

class TStrings;
class TStringList;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
ORV_ENUM(TMsgDlgType, mtWarning, mtError, mtInformation, mtConfirmation, mtCustom)
enum TMsgDlgBtn {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp
};
ORV_ENUM(TMsgDlgBtn, mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll,
         mbHelp)
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
ORV_SET(TMsgDlgButtons)
inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbYesAllNoAllCancel{mbYes, mbYesToAll, mbNo, mbNoToAll, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// A message box with an icon for the type and one button per member of Buttons; returns the modal
// result of the button pressed. The caption is "Warning", "Error", "Information", "Confirm", or the
// application's title for mtCustom.
int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
int MessageDlgPos(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, int X, int Y);
// A box with the message and OK, captioned with the application's title.
void ShowMessage(const String& Msg);
// An input box; returns the text typed, or ADefault when cancelled.
String InputBox(const String& ACaption, const String& APrompt, const String& ADefault);
// An input box preset with Value; true and the text in Value when confirmed.
bool InputQuery(const String& ACaption, const String& APrompt, String& Value);
// A folder chooser; true and the folder in Directory when confirmed.
bool SelectDirectory(const String& Caption, const String& Root, String& Directory);

class TCommonDialog : public TComponent {
    ORV_META(TCommonDialog, TComponent)
    explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
    // Shows the dialog modally; true when the user confirmed.
    virtual bool Execute() = 0;
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int v) { FHelpContext = v; }
    TNotifyEvent OnShow;
    TNotifyEvent OnClose;

protected:
    int FHelpContext = 0;
};

enum TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofNoNetworkButton,
    ofNoLongNames,
    ofOldStyleDialog,
    ofNoDereferenceLinks,
    ofEnableIncludeNotify,
    ofEnableSizing
};
ORV_ENUM(TOpenOption, ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
         ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt,
         ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames,
         ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing)
using TOpenOptions = TSet<TOpenOption>;
ORV_SET(TOpenOptions)
enum TFileEditStyle { fsEdit, fsComboBox };
ORV_ENUM(TFileEditStyle, fsEdit, fsComboBox)

class TOpenDialog : public TCommonDialog {
    ORV_META(TOpenDialog, TCommonDialog)
    explicit TOpenDialog(TComponent* AOwner);
    ~TOpenDialog() override;
    bool Execute() override;

    const String& FileName() const { return FFileName; }
    void SetFileName(const String& v) { FFileName = v; }
    // "Description|*.ext;*.ext2|Description|*.*": pairs of a description and its masks.
    const String& Filter() const { return FFilter; }
    void SetFilter(const String& v) { FFilter = v; }
    // 1-based index of the filter chosen.
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int v) { FFilterIndex = v; }
    // Added to a file name typed without an extension.
    const String& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const String& v) { FDefaultExt = v; }
    const String& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const String& v) { FInitialDir = v; }
    const String& Title() const { return FTitle; }
    void SetTitle(const String& v) { FTitle = v; }
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions v) { FOptions = v; }
    // Every file chosen (several with ofAllowMultiSelect).
    TStrings* Files() const;

protected:
    bool DoExecute(bool save);

private:
    String FFileName, FFilter, FDefaultExt, FInitialDir, FTitle;
    int FFilterIndex = 1;
    TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
    std::unique_ptr<TStringList> FFiles;
};

class TSaveDialog : public TOpenDialog {
    ORV_META(TSaveDialog, TOpenDialog)
    explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}
    bool Execute() override;
};

enum TColorDialogOption { cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor };
ORV_ENUM(TColorDialogOption, cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor)
using TColorDialogOptions = TSet<TColorDialogOption>;
ORV_SET(TColorDialogOptions)

class TColorDialog : public TCommonDialog {
    ORV_META(TColorDialog, TCommonDialog)
    explicit TColorDialog(TComponent* AOwner);
    ~TColorDialog() override;
    bool Execute() override;
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { FColor = v; }
    TColorDialogOptions Options() const { return FOptions; }
    void SetOptions(TColorDialogOptions v) { FOptions = v; }
    TStrings* CustomColors() const;

private:
    TColor FColor = clBlack;
    TColorDialogOptions FOptions;
    std::unique_ptr<TStringList> FCustomColors;
};

enum TFontDialogOption {
    fdAnsiOnly,
    fdTrueTypeOnly,
    fdEffects,
    fdFixedPitchOnly,
    fdForceFontExist,
    fdNoFaceSel,
    fdNoOEMFonts,
    fdNoSimulations,
    fdNoSizeSel,
    fdNoStyleSel,
    fdNoVectorFonts,
    fdShowHelp,
    fdWysiwyg,
    fdLimitSize,
    fdScalableOnly,
    fdApplyButton
};
ORV_ENUM(TFontDialogOption, fdAnsiOnly, fdTrueTypeOnly, fdEffects, fdFixedPitchOnly, fdForceFontExist,
         fdNoFaceSel, fdNoOEMFonts, fdNoSimulations, fdNoSizeSel, fdNoStyleSel, fdNoVectorFonts, fdShowHelp,
         fdWysiwyg, fdLimitSize, fdScalableOnly, fdApplyButton)
using TFontDialogOptions = TSet<TFontDialogOption>;
ORV_SET(TFontDialogOptions)
enum TFontDialogDevice { fdScreen, fdPrinter, fdBoth };
ORV_ENUM(TFontDialogDevice, fdScreen, fdPrinter, fdBoth)

class TFontDialog : public TCommonDialog {
    ORV_META(TFontDialog, TCommonDialog)
    explicit TFontDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
    bool Execute() override;
    TFont* Font() { return &FFont; }
    void SetFont(TFont* v) {
        if (v) FFont.Assign(*v);
    }
    TFontDialogOptions Options() const { return FOptions; }
    void SetOptions(TFontDialogOptions v) { FOptions = v; }
    TFontDialogDevice Device() const { return FDevice; }
    void SetDevice(TFontDialogDevice v) { FDevice = v; }
    int MinFontSize() const { return FMinFontSize; }
    void SetMinFontSize(int v) { FMinFontSize = v; }
    int MaxFontSize() const { return FMaxFontSize; }
    void SetMaxFontSize(int v) { FMaxFontSize = v; }

private:
    TFont FFont;
    TFontDialogOptions FOptions{fdEffects};
    TFontDialogDevice FDevice = fdScreen;
    int FMinFontSize = 0, FMaxFontSize = 0;
};

enum TPrintRange { prAllPages, prSelection, prPageNums };
ORV_ENUM(TPrintRange, prAllPages, prSelection, prPageNums)
enum TPrintDialogOption { poPrintToFile, poPageNums, poSelection, poWarning, poHelp, poDisablePrintToFile };
ORV_ENUM(TPrintDialogOption, poPrintToFile, poPageNums, poSelection, poWarning, poHelp, poDisablePrintToFile)
using TPrintDialogOptions = TSet<TPrintDialogOption>;
ORV_SET(TPrintDialogOptions)

// The print dialog: the user picks the printer, copies and the range. The chosen printer's name
// is in PrinterName (the printer object of the program selects it by that name).
class TPrintDialog : public TCommonDialog {
    ORV_META(TPrintDialog, TCommonDialog)
    explicit TPrintDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
    bool Execute() override;
    int Copies() const { return FCopies; }
    void SetCopies(int v) { FCopies = v; }
    bool Collate() const { return FCollate; }
    void SetCollate(bool v) { FCollate = v; }
    int FromPage() const { return FFromPage; }
    void SetFromPage(int v) { FFromPage = v; }
    int ToPage() const { return FToPage; }
    void SetToPage(int v) { FToPage = v; }
    int MinPage() const { return FMinPage; }
    void SetMinPage(int v) { FMinPage = v; }
    int MaxPage() const { return FMaxPage; }
    void SetMaxPage(int v) { FMaxPage = v; }
    TPrintRange PrintRange() const { return FPrintRange; }
    void SetPrintRange(TPrintRange v) { FPrintRange = v; }
    TPrintDialogOptions Options() const { return FOptions; }
    void SetOptions(TPrintDialogOptions v) { FOptions = v; }
    bool PrintToFile() const { return FPrintToFile; }
    void SetPrintToFile(bool v) { FPrintToFile = v; }
    const String& PrinterName() const { return FPrinterName; }

private:
    int FCopies = 1;
    bool FCollate = false;
    int FFromPage = 0, FToPage = 0, FMinPage = 0, FMaxPage = 0;
    TPrintRange FPrintRange = prAllPages;
    TPrintDialogOptions FOptions;
    bool FPrintToFile = false;
    String FPrinterName;
};

class TPrinterSetupDialog : public TCommonDialog {
    ORV_META(TPrinterSetupDialog, TCommonDialog)
    explicit TPrinterSetupDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
    bool Execute() override;
    const String& PrinterName() const { return FPrinterName; }

private:
    String FPrinterName;
};
