// The one road of every modal interaction with the user: message boxes, input boxes, file,
// folder, colour, font and print dialogs, popup menus and modal forms all ask through Interaction.
// Without a responder the real Qt dialog is shown (a modal form runs its own loop). A test
// installs a responder that plays the user: it answers in order and records what was asked, so
// no test ever blocks on a window.
//
//   TScriptedResponder user;
//   TInteractionScope scope(user);                 // installed until the scope ends
//   user.Answer(mrYes).Input("42").Form([](TCustomForm* f) {
//       static_cast<TMyDialog*>(f)->edName->SetText("x");
//       return mrOk;                              // or click a button and return mrNone
//   });
//   ... code under test ...
//   EXPECT_EQ(user.Requests()[0].Text, "真的要删除吗？");
#pragma once

#include "gui/Graphics.h"

#include <deque>
#include <functional>
#include <vector>

class TCustomForm;
class TPopupMenu;

ORV_DECLARE_EXCEPTION(EInteractionError, Exception)

enum class TInteractionKind {
    MessageBox,      // MessageBox, MessageDlg, ShowMessage, exceptions shown by the application
    InputQuery,      // InputBox, InputQuery
    OpenFile,        // TOpenDialog
    SaveFile,        // TSaveDialog
    SelectDirectory, // SelectDirectory
    Color,           // TColorDialog
    Font,            // TFontDialog
    Print,           // TPrintDialog
    PrinterSetup,    // TPrinterSetupDialog
    PopupMenu,       // TPopupMenu::Popup
    ModalForm,       // TCustomForm::ShowModal
};

// The name of a kind, for messages ("MessageBox", "ModalForm" ...).
String InteractionKindName(TInteractionKind kind);

// What was asked.
struct TInteractionRequest {
    TInteractionKind Kind = TInteractionKind::MessageBox;
    String Caption; // title of the box or dialog, caption of a modal form
    String Text;    // the message; the prompt of an input box
    String Value;   // the preset text of an input box, file name or folder of a dialog
    // Message boxes: the MB_* flags (buttons, icon, default button). MessageDlg also gives its
    // type (TMsgDlgType, -1 for other boxes) and its buttons (TMsgDlgButtons bits).
    Cardinal Flags = 0;
    int DlgType = -1;
    UInt64 Buttons = 0;
    // File dialogs.
    String Filter;
    int FilterIndex = 1;
    String DefaultExt;
    String InitialDir;
    UInt64 Options = 0;
    // Colour dialog: the colour shown first; font dialog: the font's name and size.
    TColor Color = clNone;
    int FontSize = 0;
    // Modal forms: the form (valid during the call) and its class name.
    TCustomForm* Form = nullptr;
    String FormClass;
    // Popup menus: the captions of the visible items (sub-items as "Parent/Child"); print and
    // printer-setup dialogs: the printers to choose from (Value is the current one).
    std::vector<String> Items;
    // Popup menus: the screen point the menu opens at.
    TPoint Position;
    // Print and printer-setup dialogs: the settings shown (PrintRange a TPrintRange, Orientation a
    // TPrinterOrientation, Paper a DMPAPER number; Options the TPrintDialogOptions bits).
    int Copies = 0;
    bool Collate = false;
    int FromPage = 0;
    int ToPage = 0;
    int MinPage = 0;
    int MaxPage = 0;
    int PrintRange = 0;
    bool PrintToFile = false;
    int Orientation = 0;
    int Paper = 0;
};

// The user's answer.
struct TInteractionAnswer {
    // Boxes: the button (IDOK/mrOk ... , the same numbers); dialogs and input boxes: non-zero when
    // confirmed; modal forms: the modal result (mrNone lets the form's own ModalResult stand).
    int Result = 0;
    // An input box's text, a file name, a folder; a popup menu item's caption path ("" dismisses).
    String Text;
    std::vector<String> Files;
    int FilterIndex = 0; // 0 keeps the dialog's
    TColor Color = clNone;
    String FontName;
    int FontSize = 0;
    // Plays the user on a modal form: sets fields, clicks buttons, returns a modal result.
    std::function<int(TCustomForm* Form)> FormHandler;
    // Print and printer-setup dialogs: the printer chosen is Text ("" keeps the current one); a
    // setting left at -1 (Copies and Paper at 0) keeps the dialog's value.
    int Copies = 0;
    int Collate = -1;
    int FromPage = -1;
    int ToPage = -1;
    int PrintRange = -1;
    int PrintToFile = -1;
    int Orientation = -1;
    int Paper = 0;
};

class TInteractionResponder {
public:
    virtual ~TInteractionResponder() = default;
    virtual TInteractionAnswer Respond(const TInteractionRequest& Request) = 0;
};

// Answers from a queue, in order, and records every request. A request with no answer left
// raises EInteractionError naming what was asked.
class TScriptedResponder : public TInteractionResponder {
public:
    TScriptedResponder& Add(TInteractionAnswer Answer);
    // A box's button or a dialog's result (a non-zero result confirms a dialog).
    TScriptedResponder& Answer(int Result);
    // An input box confirmed with the text (or cancelled with Ok false).
    TScriptedResponder& Input(const String& Text, bool Ok = true);
    // A file or folder dialog confirmed with the name (FilterIndex 0 keeps the dialog's).
    TScriptedResponder& File(const String& FileName, int FilterIndex = 0);
    TScriptedResponder& Files(const std::vector<String>& FileNames);
    // A dialog or input box cancelled.
    TScriptedResponder& Cancel();
    TScriptedResponder& PickColor(TColor Color);
    // A popup menu item chosen by its caption path ("" dismisses the menu).
    TScriptedResponder& MenuItem(const String& CaptionPath);
    // A modal form played by the handler.
    TScriptedResponder& Form(std::function<int(TCustomForm* Form)> Handler);

    const std::vector<TInteractionRequest>& Requests() const { return FRequests; }
    int Pending() const { return static_cast<int>(FAnswers.size()); }
    void Clear();

    TInteractionAnswer Respond(const TInteractionRequest& Request) override;

private:
    std::deque<TInteractionAnswer> FAnswers;
    std::vector<TInteractionRequest> FRequests;
};

class Interaction {
public:
    static TInteractionResponder* Responder();
    // Installs a responder (nullptr: real dialogs); returns the one installed before.
    static TInteractionResponder* SetResponder(TInteractionResponder* Responder);
    static bool HasResponder() { return Responder() != nullptr; }
    // The responder's answer. Without one: the real dialog's answer for boxes and dialogs; modal
    // forms and popup menus run their own loop instead (callers check HasResponder first).
    static TInteractionAnswer Ask(const TInteractionRequest& Request);
};

// Installs a responder for the scope's lifetime.
class TInteractionScope {
public:
    explicit TInteractionScope(TInteractionResponder& Responder)
        : FPrevious(Interaction::SetResponder(&Responder)) {}
    ~TInteractionScope() { Interaction::SetResponder(FPrevious); }
    TInteractionScope(const TInteractionScope&) = delete;
    TInteractionScope& operator=(const TInteractionScope&) = delete;

private:
    TInteractionResponder* FPrevious;
};
