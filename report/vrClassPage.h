// The report page: paper, orientation, margins and columns, and the layout of its bands; and the
// paper table the virtual printer answers from.
#pragma once

#include "gui/Printers.h"
#include "report/vrClassBand.h"
#include "report/vrClassOptions.h"
#include "report/vrClassPicture.h"
#include "rtl/StringList.h"

#include <memory>
#include <vector>

// The paper of that platform number in the paper table, in millimetres, portrait; false for a
// number the table does not hold.
bool PaperSizeFromTable(Integer Paper, Extended& Width, Extended& Height);

// The most columns a report page takes: a page a metre wide still has columns of a millimetre.
inline constexpr Integer vrMaxPageColumns = 1000;
// The paper numbers of the table, in its order.
std::vector<Integer> PaperTableNumbers();

class TvrReportPage : public TvrPage {
    ORV_META(TvrReportPage, TvrPage)
    explicit TvrReportPage(TComponent* AOwner);
    ~TvrReportPage() override;

    Integer Bin = 7, BinOtherPages = 7;
    Extended LeftMargin = 0, RightMargin = 0, TopMargin = 0, BottomMargin = 0;
    bool MirrorMargins = false;
    Integer Columns() const { return FColumns; }
    // Clears the column positions; above 0 divides the printable width into equal columns. More
    // than vrMaxPageColumns columns cannot describe a printable page: EPropertyError, nothing
    // changes.
    void SetColumns(Integer Value);
    Extended ColumnWidth = 0;
    // A width below 0 or beyond the paper raises EPropertyError and changes nothing.
    void SetColumnWidth(Extended Value);
    TStringList* ColumnPositions() const { return FColumnPositions.get(); }
    // Positions are millimetres from the printable area's left edge, one a line; a text with more
    // than vrMaxPageColumns lines, or a line that is no number from 0 to the paper's width, raises
    // EPropertyError naming the property and leaves the positions as they were (so a layout is
    // refused it at loading, with the error in the report's error list).
    void SetColumnPositions(TStringList* Value);
    TvrDuplexMode Duplex = dmNone;
    bool EndlessHeight = false, EndlessWidth = false, LargeDesignHeight = false;
    TStringList* HGuides() const { return FHGuides.get(); }
    void SetHGuides(TStringList* Value) {
        if (Value) FHGuides->Assign(*Value);
    }
    TStringList* VGuides() const { return FVGuides.get(); }
    void SetVGuides(TStringList* Value) {
        if (Value) FVGuides->Assign(*Value);
    }
    TPrinterOrientation Orientation() const { return FOrientation; }
    // Swaps the paper and rotates the margins.
    void SetOrientation(TPrinterOrientation Value);
    String OutlineText;
    bool PrintIfEmpty = true, PrintOnPreviousPage = false, ResetPageNumbers = false, TitleBeforeHeader = true;
    bool BackPictureVisible = true, BackPicturePrintable = true;
    // The background: a picture object, owned by the page, that fills the printable area with
    // its colour, stretched picture and frame. The page's Color, Frame and BackPicture are its.
    TvrPictureView* BackPictureView() const { return FBackPicture.get(); }
    TPicture* BackPicture() const { return FBackPicture->Picture(); }
    void SetBackPicture(TPicture* Value) { FBackPicture->SetPicture(Value); }
    TColor Color() const { return FBackPicture->Color; }
    void SetColor(TColor Value) { FBackPicture->Color = Value; }
    TvrFrame* Frame() const { return FBackPicture->Frame(); }
    void SetFrame(TvrFrame* Value) { FBackPicture->SetFrame(Value); }
    // Sizes the background to the printable area and draws it there (the offsets are those of
    // the paper's corner), unless it is hidden, or not printable and the page is being printed.
    void DrawBackground(TCanvas* ACanvas, Extended AScaleX, Extended AScaleY, Extended AOffsetX,
                        Extended AOffsetY);
    String OnAfterPrint, OnBeforePrint, OnManualBuild;
    Integer PageCount() const { return FPageCount; }
    void SetPageCount(Integer Value) {
        if (Value > 0) FPageCount = Value;
    }
    Extended PaperWidth() const { return FPaperWidth; }
    Extended PaperHeight() const { return FPaperHeight; }
    Integer PaperSize() const { return FPaperSize; }
    virtual void SetPaperWidth(Extended Value);
    virtual void SetPaperHeight(Extended Value);
    virtual void SetPaperSize(Integer Value);
    // Margins of 10 mm and the current printer's default paper and orientation.
    virtual void SetDefaults();
    void SetSizeAndDimensions(Integer ASize, Extended AWidth, Extended AHeight);
    TvrBand* FindBand(const meta::TClassInfo& BandClass) const;
    void ClearGuides();

    void AlignChildren() override;
    String GetDescription() const override { return "obRepPage"; }
    bool AcceptChild(TvrComponent* Obj) override { return dynamic_cast<TvrBand*>(Obj) != nullptr; }

private:
    void UpdateDimensions();
    std::unique_ptr<TvrPictureView> FBackPicture;
    std::unique_ptr<TStringList> FColumnPositions, FHGuides, FVGuides;
    Integer FColumns = 0;
    TPrinterOrientation FOrientation = poPortrait;
    Integer FPageCount = 1;
    Extended FPaperWidth = 210, FPaperHeight = 297;
    Integer FPaperSize = 9;
};
