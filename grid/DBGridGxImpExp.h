// The data grid's export, import and clipboard formats: tab-separated text, CSV, an RTF table and
// the grid-data stream "VCLDBIF" (a typed binary record of the cell values that pastes back
// without loss). Each exporter walks the grid's selection (or all rows) and writes prefix, titles,
// one record after the other, the footer rows and a suffix; the importers read text and the
// grid-data stream back into the grid's data set; the clipboard actions copy all four formats at
// once, cut, paste and delete.
//
// The exporters and importers reach the grid only through TDBGridGxImpExpSource, which the data
// grid implements: its data set, selection, columns with their fields, titles, cell and footer
// parameters (after the grid's own events), options and row position. Texts are UTF-8 inside the
// system; every format writes and reads them as GBK bytes (GB18030 for what GBK lacks).
#pragma once

#include "grid/GxLibVCL.h"
#include "grid/DBGridGxFooters.h"
#include "grid/ToolCtrlsGxData.h"
#include "gui/Graphics.h"
#include "rtl/Streams.h"

#include <functional>
#include <memory>
#include <vector>

enum TDBGridGxSelectionType { gstNon, gstRecordBookmarks, gstRectangle, gstColumns, gstAll };
using TFooterValueTypeGx = TFooterValueType;

// The look and text of one cell as the grid would paint it.
struct TCellParamsGx {
    String Text;
    TFont Font;
    TColor Background = clWindow;
    TAlignment Alignment = taLeftJustify;
};

// What the exporters, importers and clipboard actions use of a data grid. Columns are numbered
// as in the grid's Columns (hidden ones included).
class TDBGridGxImpExpSource {
public:
    virtual ~TDBGridGxImpExpSource() = default;

    virtual TDataSet* DataSet() const = 0;
    // ---- selection -------------------------------------------------------------------------------
    virtual TDBGridGxSelectionType SelectionKind() const = 0;
    virtual TBMListGx* MarkedRows() const = 0;
    virtual int RectLeftCol() const = 0;
    virtual int RectRightCol() const = 0;
    virtual TBookmark RectTopRow() const = 0;
    virtual TBookmark RectBottomRow() const = 0;
    virtual std::vector<int> SelectedColumns() const = 0;
    virtual void ClearSelection() = 0;
    // ---- columns ---------------------------------------------------------------------------------
    virtual int ColumnCount() const = 0;
    virtual bool ColumnVisible(int Col) const = 0;
    // The column's field; nullptr for a column without one.
    virtual TField* ColumnField(int Col) const = 0;
    virtual int ColumnWidth(int Col) const = 0;
    virtual void TitleParams(int Col, TCellParamsGx& Params) const = 0;
    // The current record's cell after the grid's and the column's cell-parameter events.
    virtual void DataCellParams(int Col, TCellParamsGx& Params) = 0;
    virtual bool CanModifyCell(int Col) const = 0;
    // 3: a key list with a pick list (KeyList and PickList below).
    virtual int CellKind(int Col) const = 0;
    virtual const TStrings* PickList(int Col) const = 0;
    virtual const TStrings* KeyList(int Col) const = 0;
    virtual int FocusedColumnIndex() const = 0;
    virtual void FocusColumnAt(int Col) = 0;
    // ---- footers ---------------------------------------------------------------------------------
    virtual int FooterRowCount() const = 0;
    virtual TFooterValueTypeGx FooterValueType(int Col, int Row) const = 0;
    virtual String FooterFieldName(int Col, int Row) const = 0;
    // The footer's own display format (totals are written as the grid shows them).
    virtual String FooterDisplayFormat(int Col, int Row) const {
        (void)Col, (void)Row;
        return String();
    }
    // The grid's own footer text, font, colour and alignment; Params.Text comes in preset with
    // the exporter's total for sums and counts (the grid leaves it) and empty otherwise; then the
    // grid's footer-parameter event runs.
    virtual void FooterCellParams(int Col, int Row, TCellParamsGx& Params) = 0;
    // ---- options and position --------------------------------------------------------------------
    virtual bool ShowTitles() const = 0;    // dgTitles
    virtual bool ConfirmDelete() const = 0; // dgConfirmDelete
    virtual bool AllowAppend() const = 0;   // alopAppendGx
    virtual bool Flat() const = 0;
    virtual int PixelsPerInch() const = 0; // of the grid's canvas
    virtual void SaveRowPosition() = 0;
    virtual void RestoreRowPosition() = 0;
};

// The visible columns from From to To (both included, clamped to the columns).
std::vector<int> VisibleColumnsBetween(TDBGridGxImpExpSource* Grid, int From, int To);
// The field a cell's value goes to: the column's field, or for a lookup column the data-set
// field its key fields name; nullptr when there is none.
TField* CellTargetField(TDBGridGxImpExpSource* Grid, int Col);
// Visits the rows of the rectangle selection from its top corner row to its bottom one (or the
// data set's end), the current record being the row visited.
void ForEachRectangleRow(TDBGridGxImpExpSource* Grid, const std::function<void()>& Visit);

// Writes the bytes of an 8-bit string, without length or terminator.
void StreamWriteText(TStream& Stream, const AnsiString& Text);

// ---- exporters ---------------------------------------------------------------------------------

class TDBGridGxExport : public TObject {
public:
    TDBGridGxExport() = default;
    String ClassName() const override { return "TDBGridGxExport"; }
    TDBGridGxImpExpSource* Grid = nullptr;

    // Writes the selection (or, with ExportAll, all rows) at the stream's position; a grid
    // without a selection gets nothing at all.
    virtual void WriteToStream(TStream& Stream, bool ExportAll);
    void WriteToFile(const String& FileName, bool ExportAll);

protected:
    virtual void PutPrefix() {}
    virtual void PutSuffix() {}
    virtual void PutTitles(const std::vector<int>& Columns) { (void)Columns; }
    virtual void PutRecord(const std::vector<int>& Columns);
    virtual void PutDataCell(int Col, const TCellParamsGx& Params) { (void)Col, (void)Params; }
    virtual void PutFooter(const std::vector<int>& Columns, int FooterRow);
    virtual void PutFooterCell(int Position, int FooterRow, int Col, const TCellParamsGx& Params) {
        (void)Position, (void)FooterRow, (void)Col, (void)Params;
    }
    // The exporter's total of a sum or count footer as text.
    String TotalText(int Position, int FooterRow);
    void Write(const String& Utf8Text); // as GBK
    void WriteBytes(const AnsiString& Bytes);

    TStream* Stream = nullptr;
    std::vector<int> ExportColumns;
    std::vector<Int64> FooterTotals; // ten-thousandths; position + footer row x column count

private:
    void AddToTotals();
    TField* FooterField(int Col, int FooterRow) const;
};

class TDBGridGxExportAsText : public TDBGridGxExport {
public:
    String ClassName() const override { return "TDBGridGxExportAsText"; }
    void WriteToStream(TStream& Stream, bool ExportAll) override;

protected:
    virtual void StartRecordLine();
    virtual void StartCell();
    void PutTitles(const std::vector<int>& Columns) override;
    void PutRecord(const std::vector<int>& Columns) override;
    void PutDataCell(int Col, const TCellParamsGx& Params) override;
    void PutFooter(const std::vector<int>& Columns, int FooterRow) override;
    void PutFooterCell(int Position, int FooterRow, int Col, const TCellParamsGx& Params) override;
    bool FirstRecord = true;
    bool FirstCell = true;
};

// The separator of the CSV export.
constexpr char CsvSeparator = ';';

class TDBGridGxExportAsCSV : public TDBGridGxExportAsText {
public:
    String ClassName() const override { return "TDBGridGxExportAsCSV"; }
    char Separator = CsvSeparator;

protected:
    void StartCell() override;
    void PutTitles(const std::vector<int>& Columns) override;
    void PutDataCell(int Col, const TCellParamsGx& Params) override;
    void PutFooterCell(int Position, int FooterRow, int Col, const TCellParamsGx& Params) override;
};

// The RTF table. Texts and font names are escaped ("\", "{", "}" and characters beyond ASCII as
// \uN?), so the document holds only ASCII bytes whatever the cells hold.
class TDBGridGxExportAsRTF : public TDBGridGxExport {
public:
    String ClassName() const override { return "TDBGridGxExportAsRTF"; }
    void WriteToStream(TStream& Stream, bool ExportAll) override;

protected:
    void PutTitles(const std::vector<int>& Columns) override;
    void PutRecord(const std::vector<int>& Columns) override;
    void PutFooter(const std::vector<int>& Columns, int FooterRow) override;
    void PutSuffix() override;

private:
    int ColorIndex(TColor Color);
    int FontIndex(const String& Name);
    String EmitText(const TFont& Font, const String& Text, TColor Background);
    void WriteRow(const std::vector<const TCellParamsGx*>& Cells, const std::vector<int>& Columns);
    std::vector<String> FColorTable;
    std::vector<String> FFontTable;
};

class TDBGridGxExportAsVCLDBIF : public TDBGridGxExport {
public:
    String ClassName() const override { return "TDBGridGxExportAsVCLDBIF"; }

protected:
    void PutPrefix() override;
    void PutSuffix() override;
    void PutRecord(const std::vector<int>& Columns) override;
};

// Creates an exporter of the class, runs it on the stream and frees it.
template <class TExporter>
void WriteGridExport(TDBGridGxImpExpSource* Grid, TStream& Stream, bool ExportAll) {
    TExporter exporter;
    exporter.Grid = Grid;
    exporter.WriteToStream(Stream, ExportAll);
}

// ---- importers ---------------------------------------------------------------------------------

class TDBGridGxImport : public TObject {
public:
    String ClassName() const override { return "TDBGridGxImport"; }
    TDBGridGxImpExpSource* Grid = nullptr;

    virtual void ReadFromStream(TStream& Stream, bool ImportAll);
    void ReadFromFile(const String& FileName, bool ImportAll);

protected:
    virtual void ReadPrefix() {}
    virtual void ReadTrailer() {}
    virtual void ReadRow(const std::vector<int>& Columns);
    // Col -1: no column (the value is read and dropped).
    virtual void ReadCell(int Col) { (void)Col; }
    // Stores into the column's field (or, for a lookup column, its key field), putting the data
    // set into edit state; errors go through the error trap. Store does the storing itself.
    void StoreCell(int Col, const std::function<void(TField* Target, TField* Field)>& Store);

    TStream* Stream = nullptr;
    std::vector<int> ImportColumns;
    bool AtEnd = false;
    bool IgnoreAllErrors = false;

private:
    void InsertRemainingRows(bool Append);
};

class TDBGridGxImportAsText : public TDBGridGxImport {
public:
    String ClassName() const override { return "TDBGridGxImportAsText"; }
    void ReadFromStream(TStream& Stream, bool ImportAll) override;

protected:
    void ReadPrefix() override;
    void ReadRow(const std::vector<int>& Columns) override;
    void ReadCell(int Col) override;

private:
    bool NextChar();
    int CheckState();
    int ReadCellText();
    char LastChar = 0;
    int LastState = 0;
    AnsiString LastString;
    Int64 FPosition = 0; // the stream's position and size, followed here rather than asked per byte
    Int64 FSize = 0;
};

class TDBGridGxImportAsVCLDBIF : public TDBGridGxImport {
public:
    String ClassName() const override { return "TDBGridGxImportAsVCLDBIF"; }
    void ReadFromStream(TStream& Stream, bool ImportAll) override;

protected:
    void ReadPrefix() override;
    void ReadRow(const std::vector<int>& Columns) override;
    void ReadCell(int Col) override;

private:
    void ReadNextValue();
    [[noreturn]] void FormatError() const;
    void ReadExact(void* Buffer, Int64 Count);
    int FColumnCount = 0;
    Variant LastValue;
    bool LastIsBinary = false;
};

template <class TImporter> void ReadGridImport(TDBGridGxImpExpSource* Grid, TStream& Stream, bool ImportAll) {
    TImporter importer;
    importer.Grid = Grid;
    importer.ReadFromStream(Stream, ImportAll);
}

// ---- clipboard ---------------------------------------------------------------------------------

Word GridDataClipboardFormat(); // "VCLDBIF"
Word CsvClipboardFormat();      // "Csv"
Word RtfClipboardFormat();      // "Rich Text Format"

void CopyGridToClipboard(TDBGridGxImpExpSource* Grid, bool AllRows);
void CutGridToClipboard(TDBGridGxImpExpSource* Grid, bool AllRows);
void PasteGridFromClipboard(TDBGridGxImpExpSource* Grid, bool AllRows);
void DeleteGridSelection(TDBGridGxImpExpSource* Grid, bool AllRows);
