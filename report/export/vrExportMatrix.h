// TvrIEMatrix, the cell matrix of the table-like exports (spreadsheet, HTML, separated values,
// dBASE, plain text, RTF): it lays the freely placed objects of prepared pages out on a grid of
// sorted column and row edges, one cell per grid square naming the object that covers it, with
// de-duplicated cell styles and one record per page. It knows nothing of files.
//
// How an export uses it:
//
//   TvrIEMatrix m;                       // set the switches below first
//   per page:  m.AddObject(view) for every object of the page (the matrix stacks the pages:
//              each page's objects lie below the lowest object of the pages before it),
//              m.AddPage(...) at the end of the page;
//   m.Prepare();                         // once: edges, spans, cells, fragments
//   for (row = 0; row < m.RowCount - 1; ++row)          // the last edges only close the table
//       for (col = 0; col < m.ColumnCount - 1; ++col) {  // (some exports also visit the last)
//           TvrIEMObject* obj = m.ObjectAt(col, row);    // nullptr: an empty cell
//           if (!obj || obj->Written) continue;          // a spanning object is met once per cell
//           obj->Written = 1;
//           m.ObjectPlacement(m.CellAt(col, row), c, r, colSpan, rowSpan);
//           ... obj->Lines, obj->CellStyle, obj->Bitmap ...
//       }
//   m.Clear();                           // empty for the next run, the switches stay
//
// Row k spans RowPos(k) .. RowPos(k + 1), column k ColumnPos(k) .. ColumnPos(k + 1); positions
// are report units (1/96 inch). PageBottom(q) is the y at which page q + 1 begins: a row whose
// RowPos is at or below it starts a new page. Cells may be read only between Prepare and Clear.
#pragma once

#include "gui/Graphics.h"
#include "gui/Printers.h"
#include "report/vrClassMemo.h"
#include "report/vrClassView.h"
#include "report/vrUnicodeUtils.h"

#include <memory>
#include <vector>

class TBitmap;
class TMetafile;
class TvrReport;
class TvrBand;
class TvrProgress;

// The frame of a cell style: sides (ftLeft, ftRight, ftTop, ftBottom), width, colour, line style.
struct TvrIEMFrame {
    TvrFrameTypes Typ;
    float Width = 0;
    TColor Color = 0;
    TvrFrameStyle Style = fsSolid;
};

// One cell style: copies of the look of the object (its highlight's font and fill when active).
class TvrIEMStyle : public TObject {
public:
    TvrIEMStyle();
    ~TvrIEMStyle() override;
    String ClassName() const override { return "TvrIEMStyle"; }

    TFont* Font() const { return FFont.get(); }
    TvrFormat* DisplayFormat() const { return FDisplayFormat.get(); }
    Extended LineSpacing = 0;
    TvrVAlign VAlign = vaTop;
    TvrHAlign HAlign = haLeft;
    TvrIEMFrame Frame;
    TColor Color = 0; // the fill; clTransparent (0x1FFFFFFF): none
    Integer Rotation = 0;
    TBrushStyle BrushStyle = bsSolid;
    Extended ParagraphGap = 0, GapX = 0, GapY = 0, CharSpacing = 0;
    bool WordBreak = false;
    Integer Charset = 0;
    bool WordWrap = false;

    // Copies every value of another style.
    void Assign(const TvrIEMStyle& source);
    // Equal in every compared value: font size, alignments, font colour, name and style, the
    // frame, fill, display format (kind, decimal separator, format), spacings, charset, word
    // break, rotation, word wrap and brush (not the font's charset and pitch, nor the format's
    // thousands separator).
    bool SameAs(const TvrIEMStyle& other) const;

private:
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TvrFormat> FDisplayFormat;
};

// One placed object: its text or picture, its style and its place in matrix coordinates.
class TvrIEMObject : public TObject {
public:
    TvrIEMObject();
    ~TvrIEMObject() override;
    String ClassName() const override { return "TvrIEMObject"; }

    TWideStrings Lines;       // the text, one string per line
    String Hyperlink;         // the object's URL; "#anchor" becomes "@" + the anchor's page
    Integer StyleNo = -1;     // index into the matrix's styles, -1 for none
    TvrIEMStyle* CellStyle = nullptr;
    bool HoldsText = true;    // false for pictures
    Extended Left = 0, Top = 0, Width = 0, Height = 0;
    std::unique_ptr<TBitmap> Bitmap;        // the picture of a picture cell
    // The picture of a picture cell with MetafilePictures; made only then (nullptr otherwise).
    std::unique_ptr<TMetafile> MetaPicture;
    // Left to the exports: 0 when made; they set it when they write the object.
    Integer Written = 0;
    bool InFooter = false, InHeader = false;
    bool HtmlMarkup = false; // the source text allows markup tags

    // The lines joined by CR LF (no final line break).
    String Text() const;
};

// One entry of the matrix: the object and the cells it covers.
class TvrIEMObjectList : public TObject {
public:
    String ClassName() const override { return "TvrIEMObjectList"; }
    TvrIEMObject* Item = nullptr; // owned by the matrix, freed by Clear
    Integer Col = 0, Row = 0, ColSpan = 1, RowSpan = 1;
    bool Settled = false;
};

// One edge.
struct TvrIEMPos {
    Extended Coord = 0;
};

// One page record.
class TvrIEMPage : public TObject {
public:
    String ClassName() const override { return "TvrIEMPage"; }
    Extended BottomY = 0; // the y where the next page begins
    TPrinterOrientation Orientation = poPortrait;
    Extended Width = 0, Height = 0;                                     // report units
    Extended LeftMargin = 0, TopMargin = 0, BottomMargin = 0, RightMargin = 0; // millimetres
    bool Mirrored = false;
    // Filled by the exports that need them after AddPage.
    bool PrintOnPreviousPage = false;
    String Name;
};

class TvrIEMatrix : public TObject {
public:
    TvrIEMatrix();
    ~TvrIEMatrix() override;
    String ClassName() const override { return "TvrIEMatrix"; }

    // --- switches (set before the first AddObject) ---
    bool ProgressWindow = true;     // a progress window during Prepare
    Extended MaxRowHeight = 0;      // > 0: taller row gaps are cut into rows of this height
    Extended MaxColumnWidth = 0;    // > 0: wider column gaps are cut likewise
    Extended MergeTolerance = 0;    // edges closer than this are merged
    bool RotatedAsPicture = false;  // rotated texts become pictures
    bool BackdropCropped = false;   // the backdrop starts at (LeastLeft, LeastTop)
    bool Backdrop = false;          // one white frameless cell under everything
    bool MergeFrames = false;       // drop frame lines the neighbour cell already draws
    bool StripHtmlTags = false;     // texts as laid-out lines, markup flag not passed on
    bool PageBackgroundPicture = false;
    bool PageBackground = false;    // the "_pagebackground" object is taken at all
    TvrReport* OwnerReport = nullptr; // resolves "#" links through its prepared pages
    bool TakePictures = true;       // other objects are drawn into pictures
    bool WrapLines = false;         // texts as laid-out lines
    bool KeepEmptyRows = true;      // false: Prepare removes rows no cell covers
    bool PatternAsPicture = true;   // hatched texts become pictures
    bool MetafilePictures = false;  // pictures into MetaPicture instead of Bitmap
    bool DotMatrixFonts = false;    // every style font gets size 9

    // --- extents (report units) ---
    Extended MaxRight = 0, MaxBottom = 0;
    Extended LeastLeft = 99999, LeastTop = 99999;
    Extended ContentLeft = 0;
    Extended PageOffsetY = 0;

    // --- counts after Prepare ---
    Integer ColumnCount = 0;
    Integer RowCount = 0;

    // Places one object of the current page (a copy of it: the matrix keeps no reference).
    void AddObject(TvrReportComponent* view);
    // Ends the current page; the margins are millimetres, height and width report units. Returns
    // the new record's index.
    Integer AddPage(TPrinterOrientation orientation, bool mirrorMargins, Integer pageIndex, Extended bottom,
                    Extended right, Extended top, Extended left, Extended height, Extended width);
    void Prepare();
    // Frees entries, styles, edges and pages, the cells and the charset cache; PageOffsetY := 0.
    // Extents, counts and switches stay.
    void Clear();

    // Entry index at the cell; -1 when empty or outside.
    Integer CellAt(Integer col, Integer row) const;
    TvrIEMObject* ObjectAt(Integer col, Integer row) const;
    TvrIEMObject* ObjectByIndex(Integer index) const;
    void ObjectPlacement(Integer index, Integer& col, Integer& row, Integer& colSpan, Integer& rowSpan) const;
    Integer ObjectCount() const { return static_cast<Integer>(FEntries.size()); }
    TvrIEMStyle* StyleByIndex(Integer index) const;
    Integer StyleCount() const { return static_cast<Integer>(FStyles.size()); }
    Extended ColumnPos(Integer index) const;
    Extended RowPos(Integer index) const;
    Integer PageCount() const { return static_cast<Integer>(FPages.size()); }
    TvrIEMPage* PageByIndex(Integer index) const;
    Extended PageBottom(Integer index) const;
    Extended PageWidth(Integer index) const;
    Extended PageHeight(Integer index) const;
    Extended PageLeftMargin(Integer index) const;
    Extended PageTopMargin(Integer index) const;
    Extended PageRightMargin(Integer index) const;
    Extended PageBottomMargin(Integer index) const;
    TPrinterOrientation PageOrientation(Integer index) const;
    void SetHeaderBand(TvrBand* band) { FHeaderBand = band; }
    void SetFooterBand(TvrBand* band) { FFooterBand = band; }

    // The character set a font really covers (the font's own unless DEFAULT_CHARSET), cached.
    Integer RealCharset(const TFont& font);

private:
    struct TBuiltStyle;
    Integer BuildStyle(TvrReportComponent* view);
    Integer AddStyle(std::unique_ptr<TvrIEMStyle> style);
    // A de-duplicated copy of style number styleNo with another fill or other frame sides.
    Integer StyleWithFill(Integer styleNo, TColor fill);
    Integer StyleWithSides(Integer styleNo, TvrFrameTypes sides);
    void AddEdge(std::vector<Extended>& edges, Extended value);
    void AddShadow(TvrCustomMemoView* memo);
    void AddRectangle(TvrShapeView* shape);
    void DrawPicture(TvrReportComponent* view, TvrIEMObject& obj);
    void MergeEdges(std::vector<Extended>& edges, Extended limit);
    void Spans();
    void PaintCells();
    void Fragments();
    void MergeFrameLines();
    void RemoveEmptyRows();
    void Step();
    Integer& Cell(Integer col, Integer row) { return FCells[static_cast<size_t>(col + row * ColumnCount)]; }

    // Entries and objects are made in blocks (a report has hundreds of thousands of them).
    struct TPools;
    std::unique_ptr<TPools> FPools;
    TvrIEMObjectList* NewEntry(TvrIEMObject* item);
    std::vector<TvrIEMObjectList*> FEntries;
    std::vector<std::unique_ptr<TvrIEMStyle>> FStyles;
    std::vector<Extended> FColumnEdges;
    std::vector<Extended> FRowEdges;
    std::vector<std::unique_ptr<TvrIEMPage>> FPages;
    std::vector<Integer> FCells;
    std::vector<std::pair<String, Integer>> FFontCharsets;
    // The style being built for the next object, kept when an equal one exists already.
    std::unique_ptr<TvrIEMStyle> FScratchStyle;
    TvrBand* FHeaderBand = nullptr;
    TvrBand* FFooterBand = nullptr;
    TvrProgress* FProgress = nullptr;
};

// A matrix for the exports that write text only (separated values, tables, plain text): no page
// background, backdrop or pictures, frames merged, no progress window of its own. `mergeTolerance`
// is how close edges merge; `plainText` strips markup tags and wraps lines as the objects show them.
std::unique_ptr<TvrIEMatrix> vrNewTextMatrix(Extended mergeTolerance, bool plainText);
