// Printing after the text-grid export: the printer types with their command sets that compose the
// export's InitString, printer initialisation files (".fpi": the type's index, then "True" or
// "False" per command, lines ending in CR LF), raw printing of a file in blocks of 1024 bytes,
// and the printer dialog TvrPrnInit.
#pragma once

#include "gui/Forms.h"
#include "gui/StdCtrls.h"

#include <vector>

class TvrTXTExport;
class TComboBox;
class TCheckListBox;
class TMaskEdit;
class TUpDown;
class TOpenDialog;
class TSaveDialog;
class TSpeedButton;

struct TvrTXTPrinterCommand {
    String Name;
    AnsiString On, Off; // Off may be empty
    bool Enabled = false;
};

struct TvrTXTPrinterType {
    String Name;
    std::vector<TvrTXTPrinterCommand> Commands;
};

// The four built-in types: "NONE", "EPSON ESC/P2 Matrix/Stylus)", "HP PCL (LaserJet/DeskJet)",
// "CANON/IBM (Matrix)".
std::vector<TvrTXTPrinterType> vrDefaultTXTPrinterTypes();

// Writes the selected type and its commands' flags.
void SavePrinterInitFile(TvrTXTExport& exportFilter, const String& fileName);
// Reads them back and builds the InitString. A first line that is no number, or names no type,
// raises EConvertError and changes nothing; missing flag lines leave the flags as they were.
void LoadPrinterInitFile(TvrTXTExport& exportFilter, const String& fileName);

// Sends a file raw to the current printer as one document titled title: prefix first, then the
// file in blocks of 1024 bytes (the last, shorter block too).
void vrSendRawFile(const String& title, const String& fileName, const AnsiString& prefix = AnsiString());

class TvrPrnInit : public TForm {
    ORV_META(TvrPrnInit, TForm)
    // The export is the dialog's owner; its types and flags change at once.
    explicit TvrPrnInit(TvrTXTExport* owner);
    ~TvrPrnInit() override;

    TGroupBox *GroupBox1 = nullptr, *GroupBox2 = nullptr, *GroupBox3 = nullptr;
    TLabel *Label1 = nullptr, *Label2 = nullptr, *Label4 = nullptr;
    TComboBox* CB1 = nullptr;
    TButton* PropButton = nullptr;
    TMaskEdit* E1 = nullptr;
    TUpDown* UpDown1 = nullptr;
    TComboBox* ComboBox1 = nullptr;
    TCheckListBox* CheckListBox1 = nullptr;
    TButton *Button1 = nullptr, *Button2 = nullptr;
    TButton *OK = nullptr, *Cancel = nullptr;
    TOpenDialog* OpenDialog1 = nullptr;
    TSaveDialog* SaveDialog1 = nullptr;

    // The copies the dialog shows.
    Integer Copies() const;
    // Shows the selected type and its flags.
    void ShowType();
    void LoadClick();
    void SaveClick();

private:
    TvrTXTExport* FExport;
    Integer FOldPrinter = -1;
};
