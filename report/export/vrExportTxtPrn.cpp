// Printer types, printer initialisation files, raw printing of a file and the printer dialog.
#include "report/export/vrExportTxtPrn.h"

#include "classes/MetaBuilder.h"
#include "gui/CheckLst.h"
#include "gui/ComCtrls.h"
#include "gui/Dialogs.h"
#include "gui/Mask.h"
#include "report/export/vrExportTXT.h"
#include "report/export/vrrcExports.h"
#include "report/vrPrinter.h"
#include "report/vrRes.h"
#include "report/vrUtils.h"
#include "report/vrWindows.h"
#include "rtl/Format.h"
#include "rtl/StringList.h"
#include "rtl/Streams.h"
#include "rtl/SysUtils.h"

std::vector<TvrTXTPrinterType> vrDefaultTXTPrinterTypes() {
    return {
        {"NONE", {}},
        {"EPSON ESC/P2 Matrix/Stylus)",
         {{"Reset", "\x1B\x40", ""},
          {"Normal", AnsiString("\x1B\x78\x00", 3), ""},
          {"Pica", AnsiString("\x1B\x78\x01\x1B\x6B\x00", 6), ""},
          {"Elite", AnsiString("\x1B\x78\x01\x1B\x6B\x01", 6), ""},
          {"Condensed", "\x0F", "\x12"},
          {"Bold", "\x1B\x47", "\x1B\x48"},
          {"Italic", "\x1B\x34", "\x1B\x35"},
          {"Wide", "\x1B\x57\x01", AnsiString("\x1B\x57\x00", 3)},
          {"12cpi", "\x1B\x4D", "\x1B\x50"},
          {"Linefeed 1/8\"", "\x1B\x30", ""},
          {"Linefeed 7/72\"", "\x1B\x31", ""},
          {"Linefeed 1/6\"", "\x1B\x32", ""}}},
        {"HP PCL (LaserJet/DeskJet)",
         {{"Reset", "\x1B\x45", ""},
          {"Landscape orientation", "\x1B\x26\x6C\x31\x4F", "\x1B\x26\x6C\x30\x4F"},
          {"Italic", "\x1B\x28\x73\x31\x53", "\x1B\x28\x73\x30\x53"},
          {"Bold", "\x1B\x28\x73\x33\x42", "\x1B\x28\x73\x30\x42"},
          {"Draft EconoMode", "\x1B\x28\x73\x31\x51", "\x1B\x28\x73\x32\x51"},
          {"Condenced", "\x1B\x28\x73\x31\x32\x48\x1B\x26\x6C\x38\x44", "\x1B\x28\x73\x31\x30\x48"}}},
        {"CANON/IBM (Matrix)",
         {{"Reset", "\x1B\x40", ""},
          {"Normal", AnsiString("\x1B\x78\x00", 3), ""},
          {"Pica", "\x1B\x30\x49", ""},
          {"Elite", "\x1B\x38\x49", ""},
          {"Condensed", "\x0F", "\x12"},
          {"Bold", "\x1B\x47", "\x1B\x48"},
          {"Italic", "\x1B\x34", "\x1B\x35"},
          {"12cpi", "\x1B\x4D", "\x1B\x50"}}},
    };
}

void SavePrinterInitFile(TvrTXTExport& exportFilter, const String& fileName) {
    String text = IntToStr(exportFilter.SelectedType) + "\r\n";
    const auto type = static_cast<size_t>(exportFilter.SelectedType);
    if (type < exportFilter.PrinterTypes.size())
        for (const TvrTXTPrinterCommand& command : exportFilter.PrinterTypes[type].Commands)
            text += String(command.Enabled ? "True" : "False") + "\r\n";
    WriteFileReplacing(fileName, [&text](TStream& stream) {
        stream.WriteBuffer(text.data(), static_cast<Int64>(text.size()));
    });
}

void LoadPrinterInitFile(TvrTXTExport& exportFilter, const String& fileName) {
    TStringList lines;
    lines.LoadFromFile(fileName);
    const String first = lines.Count() > 0 ? lines[0] : String();
    const Integer type = StrToInt(Trim(first));
    // A type the export does not know is refused like a first line that is no number.
    if (type < 0 || type >= static_cast<Integer>(exportFilter.PrinterTypes.size()))
        throw EConvertError("'" + first + "' is not a valid printer type");
    exportFilter.SelectedType = type;
    std::vector<TvrTXTPrinterCommand>& commands = exportFilter.PrinterTypes[static_cast<size_t>(type)].Commands;
    for (size_t i = 0; i < commands.size() && static_cast<Integer>(i) + 1 < lines.Count(); ++i)
        commands[i].Enabled = lines[static_cast<Integer>(i) + 1].find("True") != String::npos;
    exportFilter.BuildInitString();
}

void vrSendRawFile(const String& title, const String& fileName, const AnsiString& prefix) {
    TvrCustomPrinter* printer = GetPrinters().CurrentPrinter();
    if (!printer) return;
    TFileStream in(fileName, fmOpenRead | fmShareDenyNone);
    printer->Title = title;
    printer->StartRawDocument();
    if (!prefix.empty()) printer->WriteRawData(prefix);
    char block[1024];
    for (;;) {
        const Int64 got = in.Read(block, sizeof block);
        printer->WriteRawData(std::string(block, static_cast<size_t>(got)));
        if (got < static_cast<Int64>(sizeof block)) break;
    }
    printer->EndRawDocument();
}

// --- the printer dialog --------------------------------------------------------------------------

ORV_META_IMPL(TvrPrnInit)
void TvrPrnInit::DeclareMeta(meta::Class<TvrPrnInit>&) {}

namespace {
template <class T> T* PutPrn(TForm* form, TWinControl* parent, const String& name, int x, int y, int w, int h) {
    auto* c = new T(form);
    c->SetName(name);
    c->SetParent(parent ? parent : form);
    c->SetBounds(x, y, w, h);
    return c;
}
} // namespace

TvrPrnInit::TvrPrnInit(TvrTXTExport* owner) : TForm(nullptr), FExport(owner) {
    vrLoadExportStrings();
    SetName("vrPrnInit");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetKeyPreview(true);
    TvrPrinters& printers = GetPrinters();
    FOldPrinter = printers.ActivePrinterIndex();
    GroupBox1 = PutPrn<TGroupBox>(this, nullptr, "GroupBox1", 8, 4, 380, 52);
    Label4 = PutPrn<TLabel>(this, GroupBox1, "Label4", 12, 24, 40, 13);
    CB1 = PutPrn<TComboBox>(this, GroupBox1, "CB1", 56, 20, 230, 21);
    CB1->SetStyle(csDropDownList);
    for (Integer i = 0; i < printers.PrinterNames().Count(); ++i) CB1->Items()->Add(printers.PrinterNames()[i]);
    CB1->SetItemIndex(FOldPrinter);
    CB1->OnChange = [this](TObject*) { GetPrinters().SetActivePrinterIndex(CB1->ItemIndex()); };
    PropButton = PutPrn<TButton>(this, GroupBox1, "PropButton", 294, 18, 75, 25);
    PropButton->OnClick = [](TObject*) {
        if (TvrCustomPrinter* p = GetPrinters().CurrentPrinter()) p->ShowPropertiesDialog();
    };
    GroupBox3 = PutPrn<TGroupBox>(this, nullptr, "GroupBox3", 8, 60, 380, 52);
    Label2 = PutPrn<TLabel>(this, GroupBox3, "Label2", 12, 24, 60, 13);
    E1 = PutPrn<TMaskEdit>(this, GroupBox3, "E1", 80, 20, 60, 21);
    E1->SetEditMask("!99999;0;_");
    UpDown1 = PutPrn<TUpDown>(this, GroupBox3, "UpDown1", 140, 20, 16, 21);
    UpDown1->SetMin(1);
    UpDown1->SetMax(9999);
    UpDown1->SetAssociate(E1);
    UpDown1->SetPosition(1);
    GroupBox2 = PutPrn<TGroupBox>(this, nullptr, "GroupBox2", 8, 116, 380, 200);
    Label1 = PutPrn<TLabel>(this, GroupBox2, "Label1", 12, 24, 80, 13);
    ComboBox1 = PutPrn<TComboBox>(this, GroupBox2, "ComboBox1", 96, 20, 210, 21);
    ComboBox1->SetStyle(csDropDownList);
    for (const TvrTXTPrinterType& type : FExport->PrinterTypes) ComboBox1->Items()->Add(type.Name);
    ComboBox1->OnChange = [this](TObject*) {
        if (ComboBox1->ItemIndex() >= 0) FExport->SelectedType = ComboBox1->ItemIndex();
        ShowType();
    };
    Button1 = PutPrn<TButton>(this, GroupBox2, "Button1", 312, 18, 25, 25);
    Button1->SetCaption("...");
    Button1->OnClick = [this](TObject*) { LoadClick(); };
    Button2 = PutPrn<TButton>(this, GroupBox2, "Button2", 342, 18, 25, 25);
    Button2->SetCaption("+");
    Button2->OnClick = [this](TObject*) { SaveClick(); };
    CheckListBox1 = PutPrn<TCheckListBox>(this, GroupBox2, "CheckListBox1", 12, 50, 356, 140);
    CheckListBox1->OnClickCheck = [this](TObject*) {
        const auto type = static_cast<size_t>(FExport->SelectedType);
        if (type >= FExport->PrinterTypes.size()) return;
        auto& commands = FExport->PrinterTypes[type].Commands;
        for (size_t i = 0; i < commands.size() && static_cast<int>(i) < CheckListBox1->Items()->Count(); ++i)
            commands[i].Enabled = CheckListBox1->Checked(static_cast<int>(i));
    };
    OpenDialog1 = new TOpenDialog(this);
    SaveDialog1 = new TSaveDialog(this);
    OK = PutPrn<TButton>(this, nullptr, "OK", 232, 324, 75, 25);
    OK->SetDefault(true);
    OK->SetModalResult(mrOk);
    Cancel = PutPrn<TButton>(this, nullptr, "Cancel", 313, 324, 75, 25);
    Cancel->SetCancel(true);
    Cancel->SetModalResult(mrCancel);
    OnKeyDown = [this](TObject*, Word& key, TShiftState) {
        if (key == VK_F1) GetResources().ShowHelp(this);
    };
    SetCaption(GetResourceStringById(8400));
    GroupBox1->SetCaption(GetResourceStringById(8401));
    Label4->SetCaption(GetResourceStringById(8402));
    PropButton->SetCaption(GetResourceStringById(8403));
    GroupBox3->SetCaption(GetResourceStringById(8404));
    Label2->SetCaption(GetResourceStringById(8405));
    GroupBox2->SetCaption(GetResourceStringById(8406));
    Label1->SetCaption(GetResourceStringById(8407));
    OpenDialog1->SetDefaultExt(GetResourceStringById(8408));
    OpenDialog1->SetFilter(GetResourceStringById(8409));
    SaveDialog1->SetDefaultExt(GetResourceStringById(8410));
    SaveDialog1->SetFilter(GetResourceStringById(8411));
    OK->SetCaption(GetResourceStringById(1));
    Cancel->SetCaption(GetResourceStringById(2));
    SetClientWidth(396);
    SetClientHeight(357);
    vrMirrorForReadingOrder(this);
    ShowType();
}

TvrPrnInit::~TvrPrnInit() {
    if (ModalResult() != mrOk) GetPrinters().SetActivePrinterIndex(FOldPrinter);
}

Integer TvrPrnInit::Copies() const {
    return StrToInt(Trim(E1->Text()));
}

void TvrPrnInit::ShowType() {
    const auto type = static_cast<size_t>(FExport->SelectedType);
    ComboBox1->SetItemIndex(type < FExport->PrinterTypes.size() ? static_cast<int>(type) : -1);
    CheckListBox1->Items()->Clear();
    if (type >= FExport->PrinterTypes.size()) return;
    const auto& commands = FExport->PrinterTypes[type].Commands;
    for (size_t i = 0; i < commands.size(); ++i) {
        CheckListBox1->Items()->Add(commands[i].Name);
        CheckListBox1->SetChecked(static_cast<int>(i), commands[i].Enabled);
    }
}

void TvrPrnInit::LoadClick() {
    if (!OpenDialog1->Execute()) return;
    try {
        LoadPrinterInitFile(*FExport, OpenDialog1->FileName());
    } catch (const Exception& e) {
        ShowErrorMessage(e.Message());
    }
    ShowType();
}

void TvrPrnInit::SaveClick() {
    if (SaveDialog1->Execute()) SavePrinterInitFile(*FExport, SaveDialog1->FileName());
}
