// The dot-matrix printer table and the dot-matrix export.
#include "report/export/vrDMPExport.h"

#include "classes/MetaBuilder.h"
#include "gui/ComCtrls.h"
#include "gui/Dialogs.h"
#include "report/export/vrExportFile.h"
#include "report/export/vrExportTxtPrn.h"
#include "report/vrClassReport.h"
#include "report/vrPrinter.h"
#include "report/vrRes.h"
#include "report/vrUtils.h"
#include "report/vrXML.h"
#include "rtl/CodePage.h"
#include "rtl/FileUtils.h"
#include "rtl/Format.h"
#include "rtl/IniFiles.h"
#include "rtl/ScopeGuards.h"
#include "rtl/Streams.h"
#include "rtl/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <exception>

// --- the printer table ---------------------------------------------------------------------------

const char* const vrDMPrinterFieldNames[TvrDMPrinter::pfCount] = {
    "Name",          "Reset",          "FormFeed",    "Landscape",    "Portrait",      "BoldOn",
    "BoldOff",       "ItalicOn",       "ItalicOff",   "UnderlineOn",  "UnderlineOff",  "SuperscriptOn",
    "SuperscriptOff", "SubscriptOn",   "SubscriptOff", "CondensedOn", "CondensedOff",  "WideOn",
    "WideOff",       "cpi12On",        "cpi12Off",    "cpi15On",      "cpi15Off"};

namespace {

const char* const BuiltInPrinters =
    R"(<?xml version="1.0" encoding="utf-8"?>)"
    "\n<printers>\n"
    R"(<printer id="0" Name="None" FormFeed="0C"/>)"
    "\n"
    R"(<printer id="1" Name="Epson Generic" Inherit="0" Reset="1B40" BoldOn="1B45" BoldOff="1B46" )"
    R"(ItalicOn="1B34" ItalicOff="1B35" UnderlineOn="1B2D01" UnderlineOff="1B2D00" )"
    R"(SuperscriptOn="#27#83#01" SuperscriptOff="#27#84" SubscriptOn="#27#83#00" SubscriptOff="#27#84" )"
    R"(CondensedOn="0F" CondensedOff="12" WideOn="1B5701" WideOff="1B5700" cpi12On="1B4D" cpi12Off="1B50" )"
    R"(cpi15On="1B67" cpi15Off="1B50"/>)"
    "\n"
    R"(<printer id="2" Name="HP Generic" Inherit="0" Reset="1B45" Landscape="1B266C314F" Portrait="1B266C304F" )"
    R"(BoldOn="1B28733342" BoldOff="1B28733042" ItalicOn="1B28733153" ItalicOff="1B28733053" )"
    R"(UnderlineOn="1B26643144" UnderlineOff="1B266440" SuperscriptOn="#27#38#97#45#46#53#82" )"
    R"(SuperscriptOff="#27#38#97#43#46#53#82" SubscriptOn="#27#38#97#43#46#53#82" )"
    R"(SubscriptOff="#27#38#97#45#46#53#82" CondensedOn="1B2873313648" CondensedOff="1B2873313048" )"
    R"(WideOn="1B28733548" WideOff="1B2873313048" cpi12On="1B266B313048" cpi12Off="1B266B313248" )"
    R"(cpi15On="" cpi15Off=""/>)"
    "\n"
    R"(<printer id="3" Name="IBM Generic" Inherit="1" Reset="" cpi12On="1B3A" cpi12Off="12" cpi15On="1B67" )"
    R"(cpi15Off="12"/>)"
    "\n</printers>\n";

} // namespace

ORV_META_IMPL(TvrDMPrinter)
void TvrDMPrinter::DeclareMeta(meta::Class<TvrDMPrinter>&) {}

TvrDMPrinter::TvrDMPrinter(TCollection* Collection) : TCollectionItem(Collection) {}

void TvrDMPrinter::Assign(const TPersistent* Source) {
    if (auto* source = dynamic_cast<const TvrDMPrinter*>(Source))
        for (int i = 0; i < pfCount; ++i) Fields[i] = source->Fields[i];
}

ORV_META_IMPL(TvrDMPrinters)
void TvrDMPrinters::DeclareMeta(meta::Class<TvrDMPrinters>&) {}

TvrDMPrinters::TvrDMPrinters() : TCollection(TvrDMPrinter::StaticClassInfo()) {}

AnsiString DecodePrinterCommand(const String& text) {
    const std::vector<Byte> bytes = vrDecodeDMPCommand(text);
    return AnsiString(bytes.begin(), bytes.end());
}

void TvrDMPrinters::LoadFromXML(TvrXMLDocument& document) {
    Clear();
    TvrXMLItem* root = document.Root();
    for (int i = 0; i < root->GetCount(); ++i) {
        TvrXMLItem* child = root->GetItem(i);
        TvrDMPrinter* entry = Add();
        const String inherit = child->GetProp("Inherit");
        if (!inherit.empty()) entry->Assign(GetItem(StrToInt(inherit)));
        for (int f = 0; f < TvrDMPrinter::pfCount; ++f) {
            if (!child->PropExists(vrDMPrinterFieldNames[f])) continue;
            const String value = child->GetProp(vrDMPrinterFieldNames[f]);
            entry->Fields[f] = f == TvrDMPrinter::pfName ? value : DecodePrinterCommand(value);
        }
    }
}

void TvrDMPrinters::LoadDefaultPrinters() {
    TvrXMLDocument document;
    document.LoadFromStream(std::make_unique<TStringStream>(BuiltInPrinters), false);
    LoadFromXML(document);
}

void TvrDMPrinters::LoadPrintersFile() {
    LoadPrintersFile(GetModulePath() + "printers.xml");
}

void TvrDMPrinters::LoadPrintersFile(const String& fileName) {
    if (!FileExists(fileName)) return;
    // Read into a table of its own: a file that fails part way leaves the table as it was.
    TvrDMPrinters loaded;
    try {
        TvrXMLDocument document;
        document.LoadFromFile(fileName);
        loaded.LoadFromXML(document);
    } catch (const std::exception&) {
        ShowMessage("Error in file printers.xml");
        return;
    }
    Assign(&loaded);
}

TvrDMPrinters& DMPrinterTable() {
    static TvrDMPrinters* table = [] {
        auto* t = new TvrDMPrinters();
        t->LoadDefaultPrinters();
        t->LoadPrintersFile();
        return t;
    }();
    return *table;
}

// --- text operations -----------------------------------------------------------------------------

AnsiString vrDupChar(char c, Integer count) {
    return count <= 0 ? AnsiString() : AnsiString(static_cast<size_t>(count), c);
}

AnsiString vrPadLeft(const AnsiString& text, char c, Integer length) {
    return vrDupChar(c, length - static_cast<Integer>(text.size())) + text;
}

AnsiString vrPadRight(const AnsiString& text, char c, Integer length) {
    return text + vrDupChar(c, length - static_cast<Integer>(text.size()));
}

AnsiString vrCentre(const AnsiString& text, Integer width) {
    const auto length = static_cast<Integer>(text.size());
    if (length >= width) return text;
    return vrPadRight(vrDupChar(' ', width / 2 - length / 2) + text, ' ', width);
}

AnsiString vrStripTrailingBlanks(const AnsiString& text) {
    size_t end = text.size();
    while (end > 0 && text[end - 1] == ' ') --end;
    return text.substr(0, end);
}

// --- the export ----------------------------------------------------------------------------------

namespace {

const char AsciiFrames[] = "  + |++ +-+++++";
const char OemFrames[] = "\x20\x20\xC0\x20\xB3\xDA\xC3\x20\xD9\xC4\xC1\xBF\xB4\xC2\xC5";

Integer Nearest(Extended value) {
    return static_cast<Integer>(std::nearbyint(value));
}

// The lines of a text in the 8-bit code page, a no-break space a blank with oem.
std::vector<AnsiString> SplitLines(const AnsiString& text) {
    std::vector<AnsiString> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == AnsiString::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

AnsiString LineBytes(String utf8, bool oem) {
    if (!oem) return AnsiFromUtf8(utf8);
    for (size_t p; (p = utf8.find("\xC2\xA0")) != String::npos;) utf8.replace(p, 2, " ");
    return CharToOem(utf8);
}

} // namespace

ORV_META_IMPL(TvrDotMatrixExport)
void TvrDotMatrixExport::DeclareMeta(meta::Class<TvrDotMatrixExport>& c) {
    using T = TvrDotMatrixExport;
    c.Property("CustomFrameSet", &T::CustomFrameSet, &T::CustomFrameSet);
    c.Property("EscModel", &T::EscModel, &T::EscModel).Default(0);
    c.Property("GraphicFrames", &T::GraphicFrames, &T::GraphicFrames).Default(false);
    c.Property("InitString", &T::InitString, &T::InitString);
    c.Property("OEMConvert", &T::OEMConvert, &T::OEMConvert).Default(true);
    c.Property("PageBreaks", &T::PageBreaks, &T::PageBreaks).Default(true);
    c.Property("SaveToFile", &T::SaveToFile, &T::SaveToFile).Default(false);
    c.Property("UseIniSettings", &T::UseIniSettings, &T::UseIniSettings).Default(true);
}

TvrDotMatrixExport::TvrDotMatrixExport(TComponent* AOwner) : TvrCustomExportFilter(AOwner) {
    Init();
    BecomeDotMatrixFilter();
}

TvrDotMatrixExport::TvrDotMatrixExport(TUnlisted tag) : TvrCustomExportFilter(tag) {
    Init();
}

TvrDotMatrixExport::~TvrDotMatrixExport() = default;

void TvrDotMatrixExport::Init() {
    DMPrinterTable();
}

TvrDotMatrixExport* GlobalDotMatrixExport() {
    return dynamic_cast<TvrDotMatrixExport*>(vrDotMatrixExportFilter());
}

const TvrDMPrinter* TvrDotMatrixExport::PrinterEntry() const {
    const TvrDMPrinters& table = DMPrinterTable();
    if (table.Count() == 0) return nullptr;
    return table.GetItem(EscModel >= 0 && EscModel < table.Count() ? EscModel : 0);
}

AnsiString TvrDotMatrixExport::StyleOnCommands(const TvrDMPFontStyles& style) const {
    AnsiString out;
    if (const TvrDMPrinter* p = PrinterEntry())
        for (int bit = fsxBold; bit <= fsx15cpi; ++bit)
            if (style.Contains(static_cast<TvrDMPFontStyle>(bit))) out += p->StyleOn(static_cast<TvrDMPFontStyle>(bit));
    return out;
}

AnsiString TvrDotMatrixExport::StyleOffCommands(const TvrDMPFontStyles& style) const {
    AnsiString out;
    if (const TvrDMPrinter* p = PrinterEntry())
        for (int bit = fsxBold; bit <= fsx15cpi; ++bit)
            if (style.Contains(static_cast<TvrDMPFontStyle>(bit))) out += p->StyleOff(static_cast<TvrDMPFontStyle>(bit));
    return out;
}

AnsiString TvrDotMatrixExport::StyleChangeCommands(const TvrDMPFontStyles& oldStyle,
                                                   const TvrDMPFontStyles& newStyle) const {
    return StyleOffCommands(oldStyle) + StyleOnCommands(newStyle);
}

void TvrDotMatrixExport::PutText(Integer col, Integer row, AnsiString text) {
    if (col < 0 || row < 0 || row >= FHeight) return;
    if (OnTranslate) OnTranslate(this, text);
    for (size_t i = 0; i < text.size() && col + static_cast<Integer>(i) < FWidth; ++i)
        FChars[CellIndex(col + static_cast<Integer>(i), row)] = text[i];
}

void TvrDotMatrixExport::SetFrameBits(Integer col, Integer row, Byte bits) {
    if (Inside(col, row)) FFrames[CellIndex(col, row)] |= bits;
}

void TvrDotMatrixExport::SetCellStyle(Integer col, Integer row, const TvrDMPFontStyles& style) {
    if (Inside(col, row)) FStyles[CellIndex(col, row)] = style;
}

void TvrDotMatrixExport::DrawFrameLine(Integer col, Integer row, const TvrDMPFontStyles& style, Integer rows,
                                       Integer cols) {
    if (cols == 1) {
        SetFrameBits(col, row, 4);
        for (Integer r = row + 1; r < row + rows - 1; ++r) SetFrameBits(col, r, 4 | 1);
        SetFrameBits(col, row + rows - 1, 1);
    } else {
        SetFrameBits(col, row, 2);
        for (Integer c = col + 1; c < col + cols - 1; ++c) SetFrameBits(c, row, 2 | 8);
        SetFrameBits(col + cols - 1, row, 8);
    }
    for (Integer r = row; r < row + rows; ++r)
        for (Integer c = col; c < col + cols; ++c) SetCellStyle(c, r, style);
    FUsedRows = std::max(FUsedRows, row + rows);
}

void TvrDotMatrixExport::Write(const AnsiString& bytes) {
    if (FOut && !bytes.empty()) FOut->WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
}

bool TvrDotMatrixExport::Start() {
    if (!ShowDialog && Report) Copies = Report->PrintOptions()->Copies;
    // A printer type the table does not hold (or an empty table) counts as the first.
    if (EscModel < 0 || EscModel >= DMPrinterTable().Count()) EscModel = 0;
    FFile.reset();
    FTempStream.reset();
    FOut = nullptr;
    if (!SaveToFile) {
        const String folder = Report ? Report->EngineOptions()->TempDir : String();
        FileName = GetTempFileInFolder(folder);
    }
    if (FileName.empty()) return false;
    FOutName = NormalizePath(FileName);
    if (SaveToFile) {
        FFile = std::make_unique<TvrExportFile>(FOutName);
        FOut = &FFile->Stream();
    } else {
        FTempStream = std::make_unique<TFileStream>(FOutName, fmCreate);
        FOut = FTempStream.get();
    }
    if (const TvrDMPrinter* p = PrinterEntry()) Write(p->Fields[TvrDMPrinter::pfReset]);
    Write(InitString);
    if (Report) Write(Report->ReportOptions()->InitString);
    return true;
}

void TvrDotMatrixExport::StartPage(TvrComponent* Page, Integer) {
    FUsedRows = 0;
    auto* dmpPage = dynamic_cast<TvrDMPPage*>(Page);
    FPageStyle = dmpPage ? dmpPage->FontStyle() : TvrDMPFontStyles();
    FWidth = std::max<Integer>(0, Nearest(Page->Width() / fr1CharX) + 1);
    FHeight = std::max<Integer>(0, Nearest(Page->Height() / fr1CharY) + 1);
    const size_t cells = static_cast<size_t>(FWidth) * static_cast<size_t>(FHeight);
    FChars.assign(cells, ' ');
    FStyles.assign(cells, FPageStyle);
    FFrames.assign(cells, 0);
    const TvrDMPrinter* p = PrinterEntry();
    auto* reportPage = dynamic_cast<TvrReportPage*>(Page);
    if (p)
        Write(reportPage && reportPage->Orientation() == poLandscape ? p->Fields[TvrDMPrinter::pfLandscape]
                                                                     : p->Fields[TvrDMPrinter::pfPortrait]);
}

void TvrDotMatrixExport::ExportObject(TvrComponent* Obj) {
    if (auto* view = dynamic_cast<TvrView*>(Obj); view && !view->Printable) return;
    if (auto* memo = dynamic_cast<TvrDMPMemoView*>(Obj)) {
        ExportMemo(memo);
    } else if (auto* line = dynamic_cast<TvrDMPLineView*>(Obj)) {
        ExportLine(line);
    } else if (auto* command = dynamic_cast<TvrDMPCommand*>(Obj)) {
        const std::vector<Byte> bytes = command->DecodeCommand();
        PutText(Nearest(command->AbsLeft() / fr1CharX), Nearest(command->AbsTop() / fr1CharY),
                AnsiString(bytes.begin(), bytes.end()));
    }
}

void TvrDotMatrixExport::ExportMemo(TvrDMPMemoView* memo) {
    const Extended x = memo->AbsLeft() / fr1CharX, y = memo->AbsTop() / fr1CharY;
    const Integer col = Nearest(x), row = Nearest(y);
    const Integer cols = Nearest(memo->Width() / fr1CharX), rows = Nearest(memo->Height() / fr1CharY);
    const TvrDMPFontStyles style = memo->FontStyle();

    std::vector<AnsiString> lines;
    if (!memo->WordWrap && memo->TruncOutboundText) {
        const AnsiString text = memo->GetTruncatedText();
        lines = SplitLines(OEMConvert ? LineBytes(Utf8FromAnsi(text), true) : text);
    } else {
        TWideStrings wrapped;
        memo->GetWrappedText(wrapped, true);
        for (Integer i = 0; i < wrapped.Count(); ++i) lines.push_back(LineBytes(WideToUtf8(wrapped.Strings(i)), OEMConvert));
    }
    const auto count = static_cast<Integer>(lines.size());
    Integer first = row;
    if (count < rows) {
        if (memo->VAlign == vaBottom)
            first = row + rows - count;
        else if (memo->VAlign == vaCenter)
            first = row + (rows - count) / 2;
    }
    for (Integer i = 0; i < std::min(count, rows); ++i) {
        const AnsiString& line = lines[static_cast<size_t>(i)];
        AnsiString aligned;
        switch (memo->HAlign) {
        case haRight: aligned = vrPadLeft(line, ' ', cols); break;
        case haCenter: aligned = vrCentre(line, cols); break;
        default: aligned = vrPadRight(line, ' ', cols); break;
        }
        PutText(col, first + i, aligned);
    }
    for (Integer r = row; r < row + rows; ++r)
        for (Integer c = col; c < col + cols; ++c) SetCellStyle(c, r, style);
    FUsedRows = std::max(FUsedRows, row + rows);

    const TvrFrameTypes& sides = memo->Frame()->Typ;
    if (sides.Contains(ftLeft)) DrawFrameLine(col - 1, row - 1, style, rows + 2, 1);
    if (sides.Contains(ftRight))
        DrawFrameLine(Nearest((memo->AbsLeft() + memo->Width()) / fr1CharX), row - 1, style, rows + 2, 1);
    if (sides.Contains(ftTop)) DrawFrameLine(col - 1, row - 1, style, 1, cols + 2);
    if (sides.Contains(ftBottom))
        DrawFrameLine(col - 1, Nearest((memo->AbsTop() + memo->Height()) / fr1CharY), style, 1, cols + 2);
}

void TvrDotMatrixExport::ExportLine(TvrDMPLineView* line) {
    const auto col = static_cast<Integer>(std::trunc(line->AbsLeft() / fr1CharX));
    const auto row = static_cast<Integer>(std::trunc(line->AbsTop() / fr1CharY));
    const TvrDMPFontStyles style = line->FontStyle();
    if (line->Width() == 0) {
        DrawFrameLine(col, row, style, Nearest(line->Height() / fr1CharY) + 1, 1);
    } else if (line->Height() == 0) {
        const Integer w = Nearest(line->Width() / fr1CharX);
        switch (line->Align) {
        case baWidth: DrawFrameLine(col - 1, row, style, 1, w + 3); break;
        case baLeft: DrawFrameLine(col - 1, row, style, 1, w + 1); break;
        case baRight: DrawFrameLine(col, row, style, 1, w + 2); break;
        default: DrawFrameLine(col, row, style, 1, w + 1); break;
        }
    }
}

void TvrDotMatrixExport::RenderPage() {
    const AnsiString custom = AnsiFromUtf8(CustomFrameSet);
    const char* frames = custom.size() == 15 ? custom.c_str() : GraphicFrames ? OemFrames : AsciiFrames;
    TvrDMPFontStyles current = FPageStyle;
    for (Integer r = 0; r < std::min(FUsedRows, FHeight); ++r) {
        AnsiString line = StyleOnCommands(current);
        for (Integer c = 0; c < FWidth; ++c) {
            const size_t i = CellIndex(c, r);
            if (FStyles[i] != current) {
                line += StyleChangeCommands(current, FStyles[i]);
                current = FStyles[i];
            }
            line += FFrames[i] ? frames[FFrames[i] - 1] : FChars[i];
        }
        Write(vrStripTrailingBlanks(line) + StyleOffCommands(current) + "\r\n");
    }
}

void TvrDotMatrixExport::FinishPage(TvrComponent*, Integer) {
    if (std::uncaught_exceptions() == 0) {
        RenderPage();
        if (PageBreaks)
            if (const TvrDMPrinter* p = PrinterEntry()) Write(p->Fields[TvrDMPrinter::pfFormFeed]);
    }
    FChars.clear();
    FStyles.clear();
    FFrames.clear();
    FWidth = FHeight = 0;
}

void TvrDotMatrixExport::Finish() {
    FOut = nullptr;
    std::unique_ptr<TvrExportFile> file = std::move(FFile);
    FTempStream.reset();
    if (std::uncaught_exceptions() > 0) {
        // A failed print leaves no temporary output behind; a failed save keeps the old file.
        if (!SaveToFile && !FOutName.empty()) DeleteFile(FOutName);
        return;
    }
    if (SaveToFile) {
        if (file) file->Commit();
        return;
    }
    if (!GetPrinters().PhysicalPrintersFound()) return;
    PrintOutput();
}

void TvrDotMatrixExport::PrintOutput() {
    // The printed data begins with InitString, ahead of the Reset sequence as well as after it.
    const TScopeExit removeOutput([this] { DeleteFile(FOutName); });
    String title = Report ? Report->ReportOptions()->Name : String();
    if (title.empty() && Report) title = Report->LayoutFileName;
    for (Integer copy = 0; copy < Copies; ++copy) vrSendRawFile(title, FOutName, InitString);
}

int TvrDotMatrixExport::ShowModal() {
    std::unique_ptr<TCustomIniFile> ini = Report ? Report->GetIniFile() : nullptr;
    if (ini && UseIniSettings) {
        PageBreaks = ini->ReadBool("DMP", "PageBreaks", true);
        OEMConvert = ini->ReadBool("DMP", "OEM", true);
        GraphicFrames = ini->ReadBool("DMP", "GraphFrame", false);
        EscModel = ini->ReadInteger("DMP", "PrinterType", 0);
    }
    if (EscModel < 0 || EscModel >= DMPrinterTable().Count()) EscModel = 0;
    TvrDMPExportDialog dialog(nullptr);
    const TvrDMPrinters& table = DMPrinterTable();
    for (int i = 0; i < table.Count(); ++i) dialog.EscCB->Items()->Add(table.GetItem(i)->Name());
    dialog.EscCB->SetItemIndex(table.Count() ? EscModel : -1);
    dialog.SaveToFileCB->SetChecked(SaveToFile);
    dialog.PageBreaksCB->SetChecked(PageBreaks);
    dialog.OemCB->SetChecked(OEMConvert);
    dialog.PseudoCB->SetChecked(GraphicFrames);
    dialog.CopiesUD->SetPosition(Report ? Report->PrintOptions()->Copies : Copies);
    String pages = Report ? Report->PrintOptions()->PageNumbers : PageRange;
    if (!pages.empty()) {
        dialog.PageNumbersE->SetText(pages);
        dialog.PageNumbersRB->SetChecked(true);
    }
    int result = dialog.ShowModal();
    if (result == mrOk) {
        SaveToFile = dialog.SaveToFileCB->Checked();
        if (SaveToFile) {
            dialog.SaveDialog1->SetFileName(FileName);
            if (!dialog.ChooseFile(*this)) result = mrCancel;
        }
        dialog.ReadPageRange(*this);
        Copies = StrToInt(dialog.CopiesE->Text());
        PageBreaks = dialog.PageBreaksCB->Checked();
        OEMConvert = dialog.OemCB->Checked();
        GraphicFrames = dialog.PseudoCB->Checked();
        if (dialog.EscCB->ItemIndex() >= 0) EscModel = dialog.EscCB->ItemIndex();
        if (ini) {
            ini->WriteBool("DMP", "PageBreaks", PageBreaks);
            ini->WriteBool("DMP", "OEM", OEMConvert);
            ini->WriteBool("DMP", "GraphFrame", GraphicFrames);
            ini->WriteInteger("DMP", "PrinterType", EscModel);
        }
    }
    return result;
}

// --- the dialog ----------------------------------------------------------------------------------

ORV_META_IMPL(TvrDMPExportDialog)
void TvrDMPExportDialog::DeclareMeta(meta::Class<TvrDMPExportDialog>&) {}

TvrDMPExportDialog::TvrDMPExportDialog(TComponent* AOwner) : TvrExportDialog(AOwner) {
    SetName("vrDMPExportDialog");
    TvrPrinters& printers = GetPrinters();
    OldPrinter = printers.ActivePrinterIndex();
    // The shared page range group moves below the printer group.
    PrinterL = Place<TGroupBox>(nullptr, "PrinterL", 8, 4, 468, 52);
    PrinterCB = Place<TComboBox>(PrinterL, "PrinterCB", 12, 20, 444, 21);
    PrinterCB->SetStyle(csDropDownList);
    for (Integer i = 0; i < printers.PrinterNames().Count(); ++i) PrinterCB->Items()->Add(printers.PrinterNames()[i]);
    PrinterCB->SetItemIndex(OldPrinter);
    PrinterCB->OnChange = [this](TObject*) { GetPrinters().SetActivePrinterIndex(PrinterCB->ItemIndex()); };
    EscL = Place<TGroupBox>(nullptr, "EscL", 8, 60, 260, 52);
    EscCB = Place<TComboBox>(EscL, "EscCB", 12, 20, 236, 21);
    EscCB->SetStyle(csDropDownList);
    CopiesL = Place<TGroupBox>(nullptr, "CopiesL", 276, 60, 200, 52);
    CopiesNL = Place<TLabel>(CopiesL, "CopiesNL", 12, 24, 60, 13);
    CopiesE = Place<TEdit>(CopiesL, "CopiesE", 80, 20, 60, 21);
    CopiesE->SetMaxLength(5);
    FilterKeys(CopiesE, nullptr, "0123456789");
    CopiesUD = Place<TUpDown>(CopiesL, "CopiesUD", 140, 20, 16, 21);
    CopiesUD->SetMin(1);
    CopiesUD->SetMax(9999);
    CopiesUD->SetAssociate(CopiesE);
    CopiesUD->SetPosition(1);
    GroupPageRange->SetTop(116);
    PageNumbersE->OnEnter = [this](TObject*) { PageNumbersRB->SetChecked(true); };
    OptionsL = Place<TGroupBox>(nullptr, "OptionsL", 276, 116, 200, 136);
    SaveToFileCB = Place<TCheckBox>(OptionsL, "SaveToFileCB", 12, 20, 180, 17);
    PageBreaksCB = Place<TCheckBox>(OptionsL, "PageBreaksCB", 12, 44, 180, 17);
    OemCB = Place<TCheckBox>(OptionsL, "OemCB", 12, 68, 180, 17);
    PseudoCB = Place<TCheckBox>(OptionsL, "PseudoCB", 12, 92, 180, 17);
    const TvrResources& res = GetResources();
    SetCaption(res.GetString("500"));
    PrinterL->SetCaption(res.GetString("501"));
    GroupPageRange->SetCaption(res.GetString("502"));
    CopiesL->SetCaption(res.GetString("503"));
    CopiesNL->SetCaption(res.GetString("504"));
    OptionsL->SetCaption(res.GetString("505"));
    EscL->SetCaption(res.GetString("506"));
    SaveToFileCB->SetCaption(res.GetString("507"));
    PageBreaksCB->SetCaption(res.GetString("6"));
    OemCB->SetCaption(res.GetString("508"));
    PseudoCB->SetCaption(res.GetString("509"));
    SaveDialog1->SetFilter(res.GetString("510"));
    SaveDialog1->SetDefaultExt(".prn");
    FinishCreate(484, 300);
    GroupPageRange->SetCaption(res.GetString("502"));
}

TvrDMPExportDialog::~TvrDMPExportDialog() {
    // Anything but OK puts the printer back.
    if (ModalResult() != mrOk) GetPrinters().SetActivePrinterIndex(OldPrinter);
}
