// Dot-matrix printing: the table of character printers with their escape sequences
// (DMPrinterTable), and TvrDotMatrixExport, which turns the pages of a dot-matrix report into the
// byte stream of such a printer. Each page becomes a grid of character cells that the report's
// dot-matrix objects write characters, frame pieces and style marks into; the grid goes out line
// by line with the chosen printer's sequences, into a file (SaveToFile) or raw to the current
// printer once per copy. Dot-matrix reports print through the one instance GlobalDotMatrixExport.
#pragma once

#include "classes/Collection.h"
#include "report/export/vrExportDialog.h"
#include "report/vrClassCollaborators.h"
#include "report/vrDMPClass.h"

#include <functional>
#include <memory>
#include <vector>

class TvrXMLDocument;
class TComboBox;
class TUpDown;
class TStream;
class TvrExportFile;

// One printer entry: its name and 22 byte strings, by position (the XML attribute names in
// vrDMPrinterFieldNames order).
class TvrDMPrinter : public TCollectionItem {
    ORV_META(TvrDMPrinter, TCollectionItem)
    explicit TvrDMPrinter(TCollection* Collection);

    enum TField {
        pfName, pfReset, pfFormFeed, pfLandscape, pfPortrait,
        pfBoldOn, pfBoldOff, pfItalicOn, pfItalicOff, pfUnderlineOn, pfUnderlineOff,
        pfSuperscriptOn, pfSuperscriptOff, pfSubscriptOn, pfSubscriptOff,
        pfCondensedOn, pfCondensedOff, pfWideOn, pfWideOff,
        pfcpi12On, pfcpi12Off, pfcpi15On, pfcpi15Off,
        pfCount
    };
    // The name as written (UTF-8); the others raw bytes.
    String Fields[pfCount];
    const String& Name() const { return Fields[pfName]; }
    // The On (or Off) sequence of a style bit.
    const String& StyleOn(TvrDMPFontStyle style) const { return Fields[pfBoldOn + 2 * static_cast<int>(style)]; }
    const String& StyleOff(TvrDMPFontStyle style) const { return Fields[pfBoldOff + 2 * static_cast<int>(style)]; }

    // From another TvrDMPrinter: all fields; any other source changes nothing.
    void Assign(const TPersistent* Source) override;
};

// The 23 field names in table order.
extern const char* const vrDMPrinterFieldNames[TvrDMPrinter::pfCount];

class TvrDMPrinters : public TCollection {
    ORV_META(TvrDMPrinters, TCollection)
    TvrDMPrinters();

    TvrDMPrinter* Add() { return static_cast<TvrDMPrinter*>(TCollection::Add()); }
    // EListError outside 0..Count-1.
    TvrDMPrinter* GetItem(int index) const { return static_cast<TvrDMPrinter*>(Items(index)); }

    // Clears the table, then one entry per child of the root: "Inherit" copies an entry read
    // before (or the entry itself, still empty), then each present attribute sets its field.
    // A bad command or Inherit raises, the entries read so far staying.
    void LoadFromXML(TvrXMLDocument& document);
    // The built-in four printers.
    void LoadDefaultPrinters();
    // "printers.xml" in the program's folder, when it exists (see the overload).
    void LoadPrintersFile();
    // Replaces the table with the file's printers only when the whole file loads; otherwise the
    // message "Error in file printers.xml" and the table stays as it was. Raises nothing.
    void LoadPrintersFile(const String& fileName);
};

// The process-wide table: the built-in printers, then "printers.xml" beside the program.
TvrDMPrinters& DMPrinterTable();

// A printer command text as bytes (the rule of TvrDMPCommand's commands); EConvertError for a bad
// number.
AnsiString DecodePrinterCommand(const String& text);

// The dot-matrix text operations, shared with the plain text export. Centre: left blanks = width
// div 2 - length div 2, the rest up to the width; a text not shorter than the width is unchanged.
AnsiString vrDupChar(char c, Integer count);
AnsiString vrPadLeft(const AnsiString& text, char c, Integer length);
AnsiString vrPadRight(const AnsiString& text, char c, Integer length);
AnsiString vrCentre(const AnsiString& text, Integer width);
AnsiString vrStripTrailingBlanks(const AnsiString& text);

// (Sender, var text): may change each text line and command before it enters the grid.
using TvrTranslateEvent = std::function<void(TObject* sender, AnsiString& text)>;

class TvrDotMatrixExport : public TvrCustomExportFilter {
    ORV_META(TvrDotMatrixExport, TvrCustomExportFilter)
    explicit TvrDotMatrixExport(TComponent* AOwner);
    explicit TvrDotMatrixExport(TUnlisted);
    ~TvrDotMatrixExport() override;

    String CustomFrameSet;     // 15 characters, else ignored
    Integer EscModel = 0;      // index into DMPrinterTable
    bool GraphicFrames = false;
    String InitString;         // raw bytes after the printer's Reset
    bool OEMConvert = true;
    bool PageBreaks = true;
    bool SaveToFile = false;
    bool UseIniSettings = true;
    TvrTranslateEvent OnTranslate;

    // The number of times the output is spooled.
    Integer Copies = 1;

    int ShowModal() override;
    bool Start() override;
    void StartPage(TvrComponent* Page, Integer Index) override;
    void ExportObject(TvrComponent* Obj) override;
    void FinishPage(TvrComponent* Page, Integer Index) override;
    void Finish() override;

    // Command lookups on the chosen printer (empty without one).
    AnsiString StyleOnCommands(const TvrDMPFontStyles& style) const;
    AnsiString StyleOffCommands(const TvrDMPFontStyles& style) const;
    AnsiString StyleChangeCommands(const TvrDMPFontStyles& oldStyle, const TvrDMPFontStyles& newStyle) const;

    // Grid operations (cells outside the page are ignored).
    void PutText(Integer col, Integer row, AnsiString text);
    void SetFrameBits(Integer col, Integer row, Byte bits);
    void SetCellStyle(Integer col, Integer row, const TvrDMPFontStyles& style);
    void DrawFrameLine(Integer col, Integer row, const TvrDMPFontStyles& style, Integer rows, Integer cols);

    // The chosen printer entry; nullptr when the table is empty.
    const TvrDMPrinter* PrinterEntry() const;

private:
    void Init();
    void Write(const AnsiString& bytes);
    void ExportMemo(TvrDMPMemoView* memo);
    void ExportLine(TvrDMPLineView* line);
    void RenderPage();
    void PrintOutput();
    size_t CellIndex(Integer col, Integer row) const {
        return static_cast<size_t>(row) * static_cast<size_t>(FWidth) + static_cast<size_t>(col);
    }
    bool Inside(Integer col, Integer row) const { return col >= 0 && row >= 0 && col < FWidth && row < FHeight; }

    Integer FWidth = 0, FHeight = 0, FUsedRows = 0;
    std::vector<char> FChars;
    std::vector<TvrDMPFontStyles> FStyles;
    std::vector<Byte> FFrames;
    TvrDMPFontStyles FPageStyle;
    std::unique_ptr<TvrExportFile> FFile; // SaveToFile: the target, replaced when complete
    std::unique_ptr<TStream> FTempStream; // printing: the temporary output
    TStream* FOut = nullptr;
    String FOutName;
};

// The process-wide dot-matrix export: the last one made, nullptr after any is destroyed.
TvrDotMatrixExport* GlobalDotMatrixExport();

class TvrDMPExportDialog : public TvrExportDialog {
    ORV_META(TvrDMPExportDialog, TvrExportDialog)
    explicit TvrDMPExportDialog(TComponent* AOwner);
    ~TvrDMPExportDialog() override;

    TGroupBox *PrinterL = nullptr, *EscL = nullptr, *CopiesL = nullptr, *OptionsL = nullptr;
    TComboBox *PrinterCB = nullptr, *EscCB = nullptr;
    TLabel* CopiesNL = nullptr;
    TEdit* CopiesE = nullptr;
    TUpDown* CopiesUD = nullptr;
    TCheckBox *SaveToFileCB = nullptr, *PageBreaksCB = nullptr, *OemCB = nullptr, *PseudoCB = nullptr;

    // The printer current when the dialog opened; it becomes current again unless OK closes it.
    Integer OldPrinter = -1;
};
