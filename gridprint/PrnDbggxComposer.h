// The page composition of one print of TPrintDBGridGx: page metrics, printed columns and their
// widths, fitting to the page width, column groups, header and footer blocks, title lines and
// column titles, row bands, footer rows and the rich text before and after the grid. A row taller
// than the space of a page continues on the next page. Exists only during PrintToPrinter.
#pragma once

#include "gridprint/PrnDbggx.h"
#include "gridprint/PrnDbggxMacros.h"

#include "db/DataSet.h"
#include "gui/Controls.h"
#include "gui/Metafile.h"
#include "gui/StdCtrls.h"

#include <memory>
#include <vector>

class TCustomDBGridGx;
class TColumnGx;
class THeadTreeNode;
class TDataSource;
class TPrintWatch;

// Position in the row sequence: the records, then the footer rows, then the end.
struct TRowCursor {
    bool IsRecord = false;
    TBookmark Key;
    int FooterRow = 0;
    bool End = false;
};

class TGridPageComposer {
public:
    TGridPageComposer(TPrintDBGridGx& owner, TVirtualPrinter& printer, TDBGridGx* grid);
    ~TGridPageComposer();
    void Run();

    // Writes or measures one text; returns the height when measuring, 0 when drawing.
    int WriteCellText(const TRect& rect, bool fill, int hInset, int vInset, const String& text,
                      TAlignment alignment, TTextLayout layout, bool wordWrap, bool endEllipsis,
                      int leftMargin, int rightMargin, bool measureOnly, bool clip = true);

    int PageCount() const { return FPageCount; }

private:
    friend class TGridPageComposerAccess;
    // Whole print.
    void PageMetrics();
    void ColumnWidths();
    void OptimalWidths();
    void FitByScaling();
    void ColumnGroups();
    void PrepareCanvas();
    void ApplyScaling(TCanvas* canvas);
    void Body();
    void NewPage();
    void DrawBlocks();
    void CountingPass();
    void PrintRichText(TRichEditStrings* text);
    void CheckAlive();
    void CleanUp();

    // Rows and columns of the selection.
    void PrintedColumns();
    TDBGridGxSelectionType SelectionKind() const;
    void ToFooterRows(TRowCursor& c);
    TRowCursor StartCursor();
    void Advance(TRowCursor& c);
    void GoTo(const TRowCursor& c);
    struct TBand {
        TRowCursor First;
        TRowCursor After;
        std::vector<int> Heights;
    };
    TBand MeasureBand(const TRowCursor& from, int start, int limit);
    // Prints the band at top + yOffset for every column group; returns the used height on the
    // last page.
    int PrintBand(const TBand& band);

    // Cells (cell painting).
    int PaintCell(int col, const TRect& rect, const TRowCursor& c, int rowInBand, bool measure);
    int RowHeight();
    void AccumulateFooters();
    String FooterText(int footerRow, int col);
    TField* FooterField(const TPrintFooterCell& f, TColumnGx* column);
    void AddLine(std::vector<TPoint> points, bool title);
    void DrawLines();
    void DrawCheckBox(const TRect& textRect, TCheckBoxState state);

    // Titles.
    int TitleLinesHeight();
    void DrawTitleLines(int a, int b);
    int TitleHeight();
    void DrawTitles(int a, int b);
    String TitleCaption(TColumnGx* column) const;
    // Multi-level titles through the grid's title tree.
    THeadTreeNode* PrintTitleTree();
    int MultiTitleWidths(THeadTreeNode* node);
    int MultiTitleHeight(THeadTreeNode* node);
    void DrawMultiTitles(int a, int b);

    // Header and footer blocks.
    int Colontitle(const TRect& rect, TPageColontitle& block, bool header, bool measure);

    void SetFont(const TFont* font);
    int Round(double v) const;

    TPrintDBGridGx& FOwner;
    TVirtualPrinter& FPrinter;
    TDBGridGx* FGrid;
    TDataSet* FDataSet = nullptr;
    TDataSource* FSource = nullptr;
    std::unique_ptr<TPrintWatch> FWatch;
    TCanvas* FCanvas = nullptr;
    std::unique_ptr<TMetafile> FCountingMetafile;
    std::unique_ptr<TMetafileCanvas> FCountingCanvas;
    TPageMacroValues FMacros;

    std::vector<TColumnGx*> FColumns;
    std::vector<int> FWidths;
    std::vector<int> FClipped;
    std::vector<int> FGroupEnds;
    double FScaleX = 1, FScaleY = 1;
    int FPrinterX = 600, FPrinterY = 600;
    int FHPad = 0, FVPad = 0, FLineExtra = 0, FLineWidth = 1;
    int FLeft = 0, FTop = 0, FRight = 0, FBottom = 0;
    TRect FHeaderRect, FFooterRect, FContentRect;
    bool FScaled = false;
    int FScaleTotal = 0, FScaleW = 0;
    int FRowHeight = 0, FTitleHeight = 0, FTitleLinesHeight = 0;
    int FYOffset = 0;
    int FPageCount = 1;
    bool FCounting = false;
    bool FFresh = true;
    int FFooterRows = 0;
    std::vector<Int64> FFooterValues; // Currency units, row x column count + column
    std::vector<TPoint> FTitlePoints, FRowPoints;
    std::vector<int> FTitleCounts, FRowCounts;
    bool FDocStarted = false;
    TBookmark FSavedBookmark;
    bool FControlsDisabled = false;
    bool FFirstGroupPass = true; // footer values are summed while the first column group prints
};
