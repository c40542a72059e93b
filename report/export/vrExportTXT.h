// TvrTXTExport: any prepared report as printer text. Each page is laid on a grid of characters at
// a fixed scale (7 × 8 report units a character at 100 %), its text objects written into it with
// frames of ASCII or OEM box-drawing characters joined where they meet, and the grid written line
// by line, pages separated by form feeds. The file is written under a temporary name and renamed
// when complete; with PrintAfter a copy of it, behind the chosen printer type's InitString, goes
// raw to a printer (vrExportTxtPrn.h). The dialog TvrTXTExportDialog previews one page with the
// options chosen.
#pragma once

#include "report/export/vrExportDialog.h"
#include "report/export/vrExportTxtPrn.h"
#include "report/vrClassCollaborators.h"
#include "report/vrClassMemo.h"

#include <memory>
#include <vector>

class TvrExportFile;
class TUpDown;
class TMemo;
class TPanel;
class TSpeedButton;

// Word wrap of the text grid: at most mostLines lines of width characters, each ended by CR LF
// (a line keeps its own CR LF); a line ends after the last tab, blank or hyphen that fits, or is
// cut hard (never inside a double-byte character); a tab, blank or hyphen just beyond the width
// is dropped. The remainder that fits is appended whole.
AnsiString WrapTextToWidth(const AnsiString& text, Integer width, Integer mostLines);

class TvrTXTExport : public TvrCustomExportFilter {
    ORV_META(TvrTXTExport, TvrCustomExportFilter)
    explicit TvrTXTExport(TComponent* AOwner);
    explicit TvrTXTExport(TUnlisted);
    ~TvrTXTExport() override;

    Extended ScaleWidth = 1.0, ScaleHeight = 1.0;
    bool Borders = false;
    bool Pseudogrpahic = false;
    bool PageBreaks = true;
    bool OEMCodepage = false;
    bool EmptyLines = false;
    bool LeadSpaces = false;
    bool PrintAfter = false;
    bool PrinterDialog = true;
    bool UseSavedProps = true;
    String InitString;
    String CustomFrameSet; // 11 characters or more; a shorter set is ignored

    // The printer types (not stored), the one selected and the copies printed.
    std::vector<TvrTXTPrinterType> PrinterTypes;
    Integer SelectedType = 0;
    Integer Copies = 1;
    // Set on the dialog's private instance: no InitString and no closing form feed.
    bool IsPreview = false;
    // Of the last page written: the longest line and the number of lines.
    Integer MaxWidth = 0, LinesCount = 0;

    String GetDescription() override;
    int ShowModal() override;
    bool Start() override;
    void StartPage(TvrComponent* Page, Integer Index) override;
    void ExportObject(TvrComponent* Obj) override;
    void FinishPage(TvrComponent* Page, Integer Index) override;
    void Finish() override;

    // InitString := per command of the selected type, On when enabled, else Off.
    void BuildInitString();
    // Prints the written file as PrintAfter asks (the printer dialog first with PrinterDialog).
    void PrintAfterExport(const String& fileName);
    // One raw document of the file, titled with its name.
    void PrintRawFile(const String& fileName);

    // The frame set in use (11 characters).
    AnsiString FrameSet() const;

private:
    struct TPlaced {
        Extended Left, Top, Width, Height;
        AnsiString Text; // in the file's code page
        TvrHAlign HAlign;
        TvrVAlign VAlign;
        TvrFrameTypes Sides;
    };
    void Init();
    void Write(const AnsiString& bytes);
    void DrawObject(const TPlaced& obj, const AnsiString& frames);
    void JoinFrames(const AnsiString& frames);
    void WritePage();
    char Cell(Integer col, Integer row) const;
    void SetCell(Integer col, Integer row, char c);

    std::vector<TPlaced> FObjects;
    Extended FRight = 0, FBottom = 0;
    Integer FWidth = 0, FHeight = 0;
    std::vector<char> FGrid;
    std::unique_ptr<TvrExportFile> FFile;
    String FTarget;
    AnsiString FWrittenInit; // what Start wrote ahead of the pages
};

class TvrTXTExportDialog : public TForm {
    ORV_META(TvrTXTExportDialog, TForm)
    TvrTXTExportDialog(TComponent* AOwner, TvrTXTExport* exportFilter);
    ~TvrTXTExportDialog() override;

    TButton *OK = nullptr, *Cancel = nullptr;
    TSpeedButton* BtnPreview = nullptr;
    TGroupBox *GroupCellProp = nullptr, *GroupPageRange = nullptr, *GroupScaleSettings = nullptr,
              *GroupFramesSettings = nullptr, *GroupBox1 = nullptr;
    TCheckBox *CB_PageBreaks = nullptr, *CB_OEM = nullptr, *CB_EmptyLines = nullptr, *CB_LeadSpaces = nullptr,
              *CB_PrintAfter = nullptr;
    TLabel *Pages = nullptr, *Descr = nullptr, *ScX = nullptr, *ScY = nullptr, *Label1 = nullptr, *PgWidth = nullptr,
           *Label3 = nullptr, *PgHeight = nullptr, *LBPage = nullptr;
    TEdit *E_Range = nullptr, *E_ScaleX = nullptr, *E_ScaleY = nullptr, *EPage = nullptr;
    TUpDown *UpDown1 = nullptr, *UpDown2 = nullptr, *PageUpDown = nullptr;
    TRadioButton *RB_NoneFrames = nullptr, *RB_Simple = nullptr, *RB_Graph = nullptr;
    TButton *ToolButton1 = nullptr, *ToolButton2 = nullptr;
    TMemo* Preview = nullptr;
    TSaveDialog* SaveDialog1 = nullptr;

    // The number of prepared pages (the page spin's maximum).
    void SetPageCount(Integer count);
    // Shows or hides the preview panel (the dialog widens to 631 pixels, 177 to the left).
    void SetPreviewShown(bool shown);
    bool PreviewShown() const { return FPreviewShown; }
    // Exports the chosen page with the dialog's options into a temporary file and shows it.
    void RefreshClick();
    bool Busy() const { return FBusy; }
    void OemClick();

private:
    TvrTXTExport* FExport;
    std::unique_ptr<TvrTXTExport> FPreviewExport;
    bool FPreviewShown = false;
    bool FWidened = false;
    bool FBusy = false;
};
