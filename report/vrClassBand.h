// Bands: horizontal (or vertical) strips of a report page that the engine prints as a whole, the
// child-band chain, the data band's virtual data set and columns, and the band-kind table.
#pragma once

#include "report/vrClassBase.h"
#include "report/vrClassDataSets.h"

#include <memory>
#include <vector>

class TvrChild;

class TvrBand : public TvrReportComponent {
    ORV_META(TvrBand, TvrReportComponent)
    explicit TvrBand(TComponent* AOwner);

    bool AllowSplit = false, KeepChild = false, Overflow = false, StartNewPage = false, Stretched = false,
         PrintChildIfInvisible = false, Vertical = false;
    String OnAfterCalcHeight;
    String OutlineText;
    std::vector<TvrBand*> NestedBands;
    TvrBand *Header = nullptr, *Footer = nullptr, *Group = nullptr;
    Integer RowNumber = 0, OverallRowNumber = 0, BaseObjectCount = -1;
    bool HasVerticalBands = false;
    Extended GrownHeight = 0;

    TvrChild* Child() const { return FChild; }
    // Refuses a child that would close a circle: "Circular child reference is not allowed".
    void SetChild(TvrChild* Value);

    // The position in the band-kind table; 0 for a band of no table class.
    int BandKindIndex() const;
    // The class name without its first "Tvr" and then its first "Band".
    String GetBandName() const;

    // On a dot-matrix page Left snaps to whole characters, Top and Height to whole lines.
    void SetLeft(Extended Value) override;
    void SetTop(Extended Value) override;
    void SetHeight(Extended Value) override;

    void Draw(TCanvas*, Extended, Extended, Extended, Extended) override {}
    String GetDescription() const override { return "obBand"; }
    bool IsBand() const override { return true; }
    bool IsFontStored() const { return !ParentFont(); }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool OnDotMatrixPage() const;
    TvrChild* FChild = nullptr;
};

// The eighteen classes of the band-kind table, in its order.
extern const char* const vrBandKinds[18];

class TvrDataBand : public TvrBand {
    ORV_META(TvrDataBand, TvrBand)
    explicit TvrDataBand(TComponent* AOwner);
    ~TvrDataBand() override;

    Extended ColumnGap = 0, ColumnWidth = 0;
    Integer Columns = 0;
    Integer CurColumn() const { return FCurColumn; }
    // Column n (beyond Columns: 1); column 1 resets LowestBottom; Left moves to the column.
    void SetCurColumn(Integer Value);
    TvrDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TvrDataSet* Value);
    String DataSetName() const;
    void SetDataSetName(const String& Value);
    bool FooterAfterEach = false, KeepFooter = false, KeepHeader = false, KeepTogether = false,
         PrintIfDetailEmpty = false;
    Integer RowCount() const { return FRowCount; }
    void SetRowCount(Integer Value);
    String OnMasterDetail;
    TvrUserDataSet* RowCountDataSet() const { return FVirtualDataSet.get(); }
    Extended LowestBottom = 0;
    String GetDescription() const override { return "obDataBand"; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    Integer FCurColumn = 0;
    Integer FRowCount = 0;
    TvrDataSet* FDataSet = nullptr;
    String FDataSetName;
    std::unique_ptr<TvrUserDataSet> FVirtualDataSet;
};

#define VR_BAND_CLASS(Name, Base)                                                                            \
    class Name : public Base {                                                                               \
        ORV_META(Name, Base)                                                                                 \
        explicit Name(TComponent* AOwner) : Base(AOwner) {}                                                  \
    };

VR_BAND_CLASS(TvrReportTitle, TvrBand)
VR_BAND_CLASS(TvrReportSummary, TvrBand)
VR_BAND_CLASS(TvrFooter, TvrBand)
VR_BAND_CLASS(TvrMasterData, TvrDataBand)
VR_BAND_CLASS(TvrDetailData, TvrDataBand)
VR_BAND_CLASS(TvrSubdetailData, TvrDataBand)
VR_BAND_CLASS(TvrDataBand4, TvrDataBand)
VR_BAND_CLASS(TvrDataBand5, TvrDataBand)
VR_BAND_CLASS(TvrDataBand6, TvrDataBand)
VR_BAND_CLASS(TvrChild, TvrBand)
VR_BAND_CLASS(TvrColumnHeader, TvrBand)
VR_BAND_CLASS(TvrColumnFooter, TvrBand)
VR_BAND_CLASS(TvrNullBand, TvrBand)
#undef VR_BAND_CLASS

class TvrHeader : public TvrBand {
    ORV_META(TvrHeader, TvrBand)
    explicit TvrHeader(TComponent* AOwner) : TvrBand(AOwner) {}
    bool ReprintOnNewPage = false;
};

class TvrGroupFooter : public TvrBand {
    ORV_META(TvrGroupFooter, TvrBand)
    explicit TvrGroupFooter(TComponent* AOwner) : TvrBand(AOwner) {}
    bool HideIfSingleDataRecord = false;
};

class TvrOverlay : public TvrBand {
    ORV_META(TvrOverlay, TvrBand)
    explicit TvrOverlay(TComponent* AOwner) : TvrBand(AOwner) {}
    bool PrintOnTop = false;
};

class TvrPageHeader : public TvrBand {
    ORV_META(TvrPageHeader, TvrBand)
    explicit TvrPageHeader(TComponent* AOwner) : TvrBand(AOwner) {}
    bool PrintOnFirstPage = true;
};

class TvrPageFooter : public TvrBand {
    ORV_META(TvrPageFooter, TvrBand)
    explicit TvrPageFooter(TComponent* AOwner) : TvrBand(AOwner) {}
    bool PrintOnFirstPage = true, PrintOnLastPage = true;
};

class TvrGroupHeader : public TvrBand {
    ORV_META(TvrGroupHeader, TvrBand)
    explicit TvrGroupHeader(TComponent* AOwner) : TvrBand(AOwner) {}
    String Condition, DrillName;
    bool DrillDown = false, ExpandDrillDown = false, ShowFooterIfDrillDown = false,
         ShowChildIfDrillDown = false, KeepTogether = false, ReprintOnNewPage = false,
         ResetPageNumbers = false;
    Variant LastValue;
    String Diff(TvrComponent* Template) override;
};

// Registers the band classes by name.
void vrRegisterBandClasses();
