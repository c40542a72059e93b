// The data grid's columns. Most values of a column follow a default (its field, its grid, the
// grid's column default values) until they are set on the column itself; each such value keeps an
// assigned flag, a read gives the own value when flagged and the current default otherwise, and a
// form stores the value only when it is flagged and unlike its default.
#pragma once

#include "classes/Alignment.h"
#include "classes/Collection.h"
#include "db/Field.h"
#include "grid/GridsGx.h"
#include "grid/ToolCtrlsGxButtons.h"
#include "grid/ToolCtrlsGxLists.h"
#include "gui/Graphics.h"
#include "gui/ImgList.h"
#include "gui/ReadingOrder.h"
#include "gui/StdCtrls.h"
#include "rtl/StringList.h"
#include "rtl/Variant.h"

#include <memory>
#include <vector>

class TCustomDBGridGx;
class TPopupMenu;
class TColumnGx;
class TPopupDataGridGx;
class TColumnFooterGx;
class TColumnFootersGx;
class TSTColumnFilterGx;
class IDistinctValuesGx;
class TColumnDropDownBoxGx;

enum TSortMarkerGx { smNoneGx, smDownGx, smUpGx };
ORV_ENUM(TSortMarkerGx, smNoneGx, smDownGx, smUpGx)
enum TTextOrientationGx { tohHorizontal, tohVertical };
ORV_ENUM(TTextOrientationGx, tohHorizontal, tohVertical)
enum TColumnButtonStyleGx { cbsAuto, cbsEllipsis, cbsNone, cbsUpDown, cbsDropDown };
ORV_ENUM(TColumnButtonStyleGx, cbsAuto, cbsEllipsis, cbsNone, cbsUpDown, cbsDropDown)
// In-place editor: how a column's cells are edited (the editor's main button and drop-down).
enum TInplaceEditStyleGx {
    iesSimple, iesEllipsis, iesPickList, iesDataList, iesDateCalendar, iesUpDown, iesDropDown
};
ORV_ENUM(TInplaceEditStyleGx, iesSimple, iesEllipsis, iesPickList, iesDataList, iesDateCalendar, iesUpDown,
         iesDropDown)
// The look of the main edit button of an edit style: ellipsis, up-down, else a drop-down arrow.
TEditButtonStyleGx MainEditButtonStyle(TInplaceEditStyleGx Style);

// The options of a lookup grid (TDBLookupGridGx), which its drop-down box reaches through the column.
enum TDBLookupGridGxOption : uint8_t {
    dlgColumnResizeGx = 0x01,
    dlgColLinesGx = 0x02,
    dlgRowLinesGx = 0x04,
    dlgAutoSortMarkingGx = 0x08,
    dlgMultiSortMarkingGx = 0x10
};
using TDBLookupGridGxOptions = uint8_t;

// The assigned flags of a column, its title's among them.
enum TColumnGxValue {
    cvColor, cvWidth, cvFont, cvAlignment, cvReadOnly, cvTitleColor, cvTitleCaption, cvTitleAlignment,
    cvTitleFont, cvTitleButton, cvTitleEndEllipsis, cvTitleToolTips, cvTitleOrientation, cvImeMode,
    cvImeName, cvWordWrap, cvLookupDisplayFields, cvCheckboxes, cvAlwaysShowEditButton, cvEndEllipsis,
    cvAutoDropDown, cvDblClickNextVal, cvToolTips, cvDropDownSizing, cvDropDownShowTitles, cvLayout,
    cvHighlightRequired, cvBiDiMode
};
using TColumnGxValues = uint32_t;

// The parameters of one cell, handed between the column, its handler, painting and printing.
class TColCellParamsGx : public TObject {
public:
    String ClassName() const override { return "TColCellParamsGx"; }
    int Row = -1;
    int Col = -1;
    TGridDrawState State;
    TFont* Font = nullptr;
    TColor Background = clWindow;
    TAlignment Alignment = taLeftJustify;
    int ImageIndex = -1;
    String Text;
    TCheckBoxState CheckState = cbUnchecked;
    bool ReadOnly = false;
};

using TGetColCellParamsEventGx = std::function<void(TObject* Sender, bool EditMode, TColCellParamsGx* Params)>;
using TColCellUpdateDataEventGx =
    std::function<void(TObject* Sender, String& Text, Variant& Value, bool& UseText, bool& Handled)>;

// Grid-wide defaults of the titles.
class TColumnTitleDefValuesGx : public TPersistent {
    ORV_META(TColumnTitleDefValuesGx, TPersistent)
    explicit TColumnTitleDefValuesGx(TCustomDBGridGx* Grid = nullptr) : FGrid(Grid) {}
    TAlignment Alignment() const;
    void SetAlignment(TAlignment Value);
    bool IsAlignmentStored() const { return FAlignmentAssigned && FAlignment != DefaultAlignment(); }
    TAlignment DefaultAlignment() const;
    TColor Color() const;
    void SetColor(TColor Value);
    bool IsColorStored() const { return FColorAssigned && FColor != DefaultColor(); }
    TColor DefaultColor() const;
    bool EndEllipsis() const { return FEndEllipsis; }
    void SetEndEllipsis(bool Value);
    TTextOrientationGx Orientation() const { return FOrientation; }
    void SetOrientation(TTextOrientationGx Value);
    bool TitleButton = false;
    bool ToolTips = false;
    void Assign(const TPersistent* Source) override;

private:
    TCustomDBGridGx* FGrid;
    TColor FColor = clBtnFace;
    TAlignment FAlignment = taLeftJustify;
    bool FColorAssigned = false, FAlignmentAssigned = false;
    bool FEndEllipsis = false;
    TTextOrientationGx FOrientation = tohHorizontal;
};

class TColumnFooterDefValuesGx : public TPersistent {
    ORV_META(TColumnFooterDefValuesGx, TPersistent)
    bool ToolTips = false;
    void Assign(const TPersistent* Source) override;
};

// Grid-wide defaults of the columns.
class TColumnDefValuesGx : public TPersistent {
    ORV_META(TColumnDefValuesGx, TPersistent)
    explicit TColumnDefValuesGx(TCustomDBGridGx* Grid = nullptr);
    TCustomDBGridGx* Grid() const { return FGrid; }
    TColumnTitleDefValuesGx* Title() const { return FTitle.get(); }
    TColumnFooterDefValuesGx* Footer() const { return FFooter.get(); }
    bool AlwaysShowEditButton() const { return FAlwaysShowEditButton; }
    void SetAlwaysShowEditButton(bool Value);
    bool EndEllipsis() const { return FEndEllipsis; }
    void SetEndEllipsis(bool Value);
    bool HighlightRequired() const { return FHighlightRequired; }
    void SetHighlightRequired(bool Value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool AutoDropDown = false;
    bool DblClickNextVal = false;
    bool DropDownShowTitles = false;
    bool DropDownSizing = false;
    bool ToolTips = false;
    void Assign(const TPersistent* Source) override;

private:
    void Repaint();
    TCustomDBGridGx* FGrid;
    std::unique_ptr<TColumnTitleDefValuesGx> FTitle;
    std::unique_ptr<TColumnFooterDefValuesGx> FFooter;
    bool FAlwaysShowEditButton = false, FEndEllipsis = false, FHighlightRequired = false;
    TTextLayout FLayout = tlTop;
};

class TDBGridGxColumnDefValuesGx : public TColumnDefValuesGx {
    ORV_META(TDBGridGxColumnDefValuesGx, TColumnDefValuesGx)
    using TColumnDefValuesGx::TColumnDefValuesGx;
};

// The title of one column; its assigned flags live in the column.
class TColumnTitleGx : public TPersistent {
    ORV_META(TColumnTitleGx, TPersistent)
    explicit TColumnTitleGx(TColumnGx* Column = nullptr);
    TColumnGx* Column() const { return FColumn; }
    String Caption() const;
    virtual void SetCaption(const String& Value);
    String DefaultCaption() const;
    bool IsCaptionStored() const;
    TAlignment Alignment() const;
    void SetAlignment(TAlignment Value);
    TAlignment DefaultAlignment() const;
    TColor Color() const;
    void SetColor(TColor Value);
    TColor DefaultColor() const;
    bool TitleButton() const;
    void SetTitleButton(bool Value);
    bool EndEllipsis() const;
    void SetEndEllipsis(bool Value);
    bool ToolTips() const;
    void SetToolTips(bool Value);
    TTextOrientationGx Orientation() const;
    void SetOrientation(TTextOrientationGx Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    String Hint;
    TSortMarkerGx SortMarker() const { return FSortMarker; }
    void SetSortMarker(TSortMarkerGx Value);
    int SortIndex() const { return FSortIndex; }
    void SetSortIndex(int Value);
    // A title click's step: none, down, up, then down again (without KeepOthers) or none (with it).
    void StepSortMarker(bool KeepOthers);
    virtual void ResetToDefaults();
    void Assign(const TPersistent* Source) override;

    // ---- the title's own font ------------------------------------------------------------------
    // Follows the grid's TitleFont (the column's Font without grid) until it is set or changed.
    TFont* Font() const;
    void SetFont(const TFont* Value);
    TFont* DefaultFont() const;
    // Copies the default font into the own font object while the font is not own.
    void SyncDefaultFont() const;

private:
    std::unique_ptr<TFont> FFont;
    friend class TColumnGx;
    bool Flagged(TColumnGxValue V) const;
    void Flag(TColumnGxValue V);
    void Notify(bool AllItems);
    TColumnGx* FColumn;
    String FCaption;
    TAlignment FAlignment = taLeftJustify;
    TColor FColor = clBtnFace;
    bool FTitleButton = false, FEndEllipsis = false, FToolTips = false;
    TTextOrientationGx FOrientation = tohHorizontal;
    int FImageIndex = -1;
    TSortMarkerGx FSortMarker = smNoneGx;
    int FSortIndex = 0;
};

// What a column's drop-down box reaches its column by: the column's lookup list grid (made on
// first use) and that grid's options.
class IColumnLookupOwnerGx {
public:
    // The column's grid is told when the component is freed; nullptr is ignored.
    virtual void NotifyOnFree(TComponent* AComponent) = 0;
    virtual TPopupDataGridGx* GetLookupGrid() = 0;
    virtual TDBLookupGridGxOptions GetLookupOptions() = 0;
    virtual void SetLookupOptions(TDBLookupGridGxOptions Value) = 0;

protected:
    ~IColumnLookupOwnerGx() = default;
};

class TColumnGx : public TCollectionItem, public IColumnLookupOwnerGx {
    ORV_META(TColumnGx, TCollectionItem)
    explicit TColumnGx(TCollection* Collection);
    ~TColumnGx() override;

    TCustomDBGridGx* Grid() const;
    TColumnTitleGx* Title() const { return FTitle.get(); }
    String DisplayName() const override;

    // ---- field binding -------------------------------------------------------------------------
    const String& FieldName() const { return FFieldName; }
    void SetFieldName(const String& Value);
    TField* Field();
    virtual void BindField(TField* F);
    TField* BoundField() const { return FField; }
    void ForgetField();
    virtual bool IsAutoColumn() const { return !FUserDefined; }
    void SetUserDefined(bool Value) { FUserDefined = Value; }

    // ---- own values ----------------------------------------------------------------------------
    bool Flagged(TColumnGxValue V) const { return (FAssigned >> V) & 1u; }
    TColumnGxValues AssignedValues() const { return FAssigned; }
    TColor Color() const;
    void SetColor(TColor Value);
    TColor DefaultColor() const;
    bool IsColorStored() const { return Flagged(cvColor) && FColor != DefaultColor(); }
    int Width() const;
    virtual void SetWidth(int Value);
    int DefaultWidth() const;
    bool IsWidthStored() const { return Flagged(cvWidth) && FWidth != DefaultWidth(); }
    TFont* Font() const;
    void SetFont(const TFont* Value);
    TAlignment Alignment() const;
    virtual void SetAlignment(TAlignment Value);
    TAlignment DefaultAlignment() const;
    bool IsAlignmentStored() const { return Flagged(cvAlignment) && FAlignment != DefaultAlignment(); }
    bool ReadOnly() const;
    virtual void SetReadOnly(bool Value);
    bool DefaultReadOnly() const;
    bool IsReadOnlyStored() const { return Flagged(cvReadOnly) && FReadOnly != DefaultReadOnly(); }
    bool Checkboxes() const;
    void SetCheckboxes(bool Value);
    bool DefaultCheckboxes() const;
    // Reading order: the column's own, else the grid's. It takes effect only under a right-to-left
    // (Middle East) system locale.
    TBiDiMode BiDiMode() const;
    void SetBiDiMode(TBiDiMode Value);
    bool ReadsRightToLeft() const;
    bool AlignsRightToLeft() const;
    bool WordWrap() const;
    virtual void SetWordWrap(bool Value);
    bool DefaultWordWrap() const;
    bool IsWordWrapStored() const { return Flagged(cvWordWrap) && FWordWrap != DefaultWordWrap(); }
    bool EndEllipsis() const;
    void SetEndEllipsis(bool Value);
    bool ToolTips() const;
    void SetToolTips(bool Value);
    bool AlwaysShowEditButton() const;
    void SetAlwaysShowEditButton(bool Value);
    TTextLayout Layout() const;
    void SetLayout(TTextLayout Value);
    // Marks an empty required field of the record being edited.
    bool HighlightRequired() const;
    void SetHighlightRequired(bool Value);
    // A data cell showing the same text as the record above it is left blank, and the row line
    // between the two is painted over, so a run of equal values reads as one block.
    bool HideDuplicates() const { return FHideDuplicates; }
    virtual void SetHideDuplicates(bool Value);

    // ---- plain values --------------------------------------------------------------------------
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int Value);
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int Value);
    int ClampWidth(int W) const;
    bool AutoFitColWidth() const { return FAutoFitColWidth; }
    void SetAutoFitColWidth(bool Value);
    TColumnButtonStyleGx ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TColumnButtonStyleGx Value);
    const String& DisplayFormat() const { return FDisplayFormat; }
    void SetDisplayFormat(const String& Value);
    TStrings* KeyList();
    TStrings* PickList();
    bool HasKeyList() const { return FKeyList && FKeyList->Count() > 0; }
    bool HasPickList() const { return FPickList && FPickList->Count() > 0; }
    int NotInKeyListIndex() const { return FNotInKeyListIndex; }
    void SetNotInKeyListIndex(int Value);
    double Increment = 1.0;
    bool IsIncrementStored() const { return Increment != 1.0; }
    int Tag = 0;
    int DropDownRows = 7;
    // Share weight when the grid fits its columns into its client width.
    int AutoFitBaseWidth = 64;
    bool HeldByLimits = false;

    TGetColCellParamsEventGx OnGetCellParams;
    TColCellUpdateDataEventGx OnUpdateData;

    // ---- in-place editing ----------------------------------------------------------------------
    // The editor's mask; empty takes the field's.
    String EditMask;
    // Text typed that is in none of the column's lists; set RecheckInList when it was added.
    std::function<void(TObject* Sender, const String& NewText, bool& RecheckInList)> OnNotInList;
    // The special first row of the column's lookup drop-down.
    TSpecRowGx* DropDownSpecRow();
    // The data set the column's drop-down lists: the drop-down box's list source, else the lookup
    // field's lookup data set.
    TDataSet* ListDataSet();
    TDataSet* FieldLookupDataSet();

    // ---- lookup list grid ------------------------------------------------------------------------
    // The drop-down grid of the column's lookup list: made on first use without owner, named
    // "DataList", freed with the column.
    TPopupDataGridGx* LookupGrid();
    // The list fields the lookup drop-down shows ("A;B"): the lookup field's result field until set.
    String LookupDisplayFields() const;
    virtual void SetLookupDisplayFields(const String& Value);
    bool IsLookupDisplayFieldsStored() const;
    void NotifyOnFree(TComponent* AComponent) override;
    TPopupDataGridGx* GetLookupGrid() override { return LookupGrid(); }
    TDBLookupGridGxOptions GetLookupOptions() override;
    void SetLookupOptions(TDBLookupGridGxOptions Value) override;

    // ---- in-place editor: edit style, edit buttons, drop-downs, remembered texts ---------------
    // How the cells are edited: the ButtonStyle, or with cbsAuto what the field asks for (a
    // modifiable lookup field drops down its list, a pick list its entries, a date the calendar).
    TInplaceEditStyleGx DefaultEditStyle();
    // The width the edit buttons take at a cell's right end: the main button (when the style has
    // one) and the visible items of EditButtons.
    int EditButtonsWidth();
    // Further buttons of the editor, right of its main button.
    TEditButtonsGx* EditButtons() const { return FEditButtons.get(); }
    // Settings of the lookup drop-down.
    TColumnDropDownBoxGx* DropDownBox() const;
    // Texts recently entered in the column; UpdateData remembers each written one.
    TMRUListGx* MRUList() const { return FMRUList.get(); }
    // Width of the drop-down list: 0 the editor's, -1 the list columns' (never below the editor's).
    int DropDownWidth() const { return FDropDownWidth; }
    void SetDropDownWidth(int Value);
    bool AutoDropDown() const;
    void SetAutoDropDown(bool Value);
    bool DblClickNextVal() const;
    void SetDblClickNextVal(bool Value);
    bool DropDownSizing() const;
    void SetDropDownSizing(bool Value);
    bool DropDownShowTitles() const;
    void SetDropDownShowTitles(bool Value);
    TButtonClickEventGx OnEditButtonClick;
    TButtonDownEventGx OnEditButtonDown;
    // The editor asks whether to mark an empty required field (Sender: the editor).
    std::function<void(TObject* Sender, const String& Text, bool& DrawState)> OnCheckDrawRequiredState;

    virtual void ResetToDefaults();
    void Assign(const TPersistent* Source) override;

    // ---- context menu of the column's cells ------------------------------------------------------
    // Opens instead of the grid's own menu over the column's cells; the grid forgets a freed menu.
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);

    // ---- images in the cells ---------------------------------------------------------------------
    // The images the cells show: key images instead of text, or beside the text with
    // ShowImageAndText. A change of the list repaints the grid; a freed list is let go.
    TCustomImageList* ImageList() const { return FImageList; }
    void SetImageList(TCustomImageList* Value);
    bool ShowImageAndText() const { return FShowImageAndText; }
    void SetShowImageAndText(bool Value);

    // ---- footers ------------------------------------------------------------------------------
    TColumnFooterGx* Footer() const { return FFooter.get(); }
    TColumnFootersGx* Footers() const { return FFooters.get(); }
    // The footer of footer row N: item N of Footers when there is one, else Footer.
    TColumnFooterGx* FooterForRow(int Row) const;
    // Registers the aggregates of Footer and of every item of Footers.
    void UpdateFooterSums();

    // Footers stored with the column's other properties: writing copies into the owned ones.
    void SetFooter(const TColumnFooterGx* Value);
    void SetFooters(const TColumnFootersGx* Value);

    // ---- filter row ----------------------------------------------------------------------------
    TSTColumnFilterGx* STFilter() const { return FSTFilter.get(); }
    void SetSTFilter(const TSTColumnFilterGx* Value);
    // The values the filter row's drop-down lists, fetched once and kept until the field changes.
    IDistinctValuesGx* FilterValueList() const { return FFilterValueList.get(); }
    void SetFilterValueList(std::unique_ptr<IDistinctValuesGx> List);

    // ---- moving a column the grid made: its field moves along, so the next layout keeps it -------
    void SetIndex(int Value) override;

    // ---- cell values (the current record of the grid's data set) ------------------------------
    int GetCellKind();
    String CurrentCellText();
    static String FormatFieldText(TField* F, const String& Format);
    int CurrentImageIndex();
    TCheckBoxState CurrentCheckboxState();
    void SetCheckboxState(TCheckBoxState State);
    static bool KeyTextMatches(const String& KeyText, const String& Value);
    void InitCellParams(TColCellParamsGx* Params);
    virtual void GetColCellParams(bool EditMode, TColCellParamsGx* Params);
    bool CanModify(bool TryEdit);
    // The single path of every value written into the field.
    void UpdateData(String Text, Variant Value, bool UseText);
    void StepValue(double Increment);

private:
    friend class TColumnTitleGx;
    friend class TColumnFooterGx;
    void Flag(TColumnGxValue V) { FAssigned |= (1u << V); }
    bool HasGrid() const { return Grid() != nullptr; }
    bool ModifyAllowed(bool BlobByTextHandlerOnly);

    std::unique_ptr<TColumnTitleGx> FTitle;
    std::unique_ptr<TColumnFooterGx> FFooter;
    std::unique_ptr<TColumnFootersGx> FFooters;
    TColumnGxValues FAssigned = 0;
    String FFieldName;
    TField* FField = nullptr;
    bool FUserDefined = true;
    TColor FColor = clWindow;
    int FWidth = 64;
    std::unique_ptr<TFont> FFont;
    TAlignment FAlignment = taLeftJustify;
    bool FReadOnly = false, FCheckboxes = false, FWordWrap = false, FEndEllipsis = false, FToolTips = false;
    bool FAlwaysShowEditButton = false;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FHighlightRequired = false;
    bool FHideDuplicates = false;
    TTextLayout FLayout = tlTop;
    bool FVisible = true;
    int FMinWidth = 0, FMaxWidth = 0;
    bool FAutoFitColWidth = true;
    TColumnButtonStyleGx FButtonStyle = cbsAuto;
    String FDisplayFormat;
    std::unique_ptr<TStringList> FKeyList, FPickList;
    int FNotInKeyListIndex = -1;
    std::unique_ptr<TSpecRowGx> FDropDownSpecRow;
    // filter row
    std::unique_ptr<TSTColumnFilterGx> FSTFilter;
    std::unique_ptr<IDistinctValuesGx> FFilterValueList;
    // lookup list grid
    std::unique_ptr<TComponent> FLookupGrid;
    String FLookupDisplayFields;
    // in-place editor
    void AssignEditorSettings(const TColumnGx* Source);
    std::unique_ptr<TEditButtonsGx> NewEditButtons();
    std::unique_ptr<TEditButtonsGx> FEditButtons = NewEditButtons();
    mutable std::unique_ptr<TColumnDropDownBoxGx> FDropDownBox; // made on first use
    std::unique_ptr<TMRUListGx> FMRUList = std::make_unique<TMRUListGx>(this);
    int FDropDownWidth = 0;
    bool FAutoDropDown = false, FDblClickNextVal = false, FDropDownSizing = false, FDropDownShowTitles = false;
    TPopupMenu* FPopupMenu = nullptr;
    // images in the cells
    TCustomImageList* FImageList = nullptr;
    std::unique_ptr<TChangeLink> FImageLink;
    bool FShowImageAndText = false;
};

class TDBGridColumnGx : public TColumnGx {
    ORV_META(TDBGridColumnGx, TColumnGx)
    using TColumnGx::TColumnGx;
};

// Columns held without being owned: the grid's visible and sort-marked columns.
class TColumnsGxList {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    TColumnGx* ColumnAt(int Index) const { return FItems.at(static_cast<size_t>(Index)); }
    void SetColumnAt(int Index, TColumnGx* Column) { FItems.at(static_cast<size_t>(Index)) = Column; }
    void Add(TColumnGx* Column) { FItems.push_back(Column); }
    void Remove(TColumnGx* Column);
    int IndexOf(const TColumnGx* Column) const;
    void Clear() { FItems.clear(); }
    void Resize(int N) { FItems.resize(static_cast<size_t>(N), nullptr); }
    void Exchange(int A, int B) { std::swap(FItems.at(static_cast<size_t>(A)), FItems.at(static_cast<size_t>(B))); }
    const std::vector<TColumnGx*>& Items() const { return FItems; }

private:
    std::vector<TColumnGx*> FItems;
};

enum TDBGridColumnsStateGx { csDefaultGx, csCustomizedGx };

class TDBGridColumnsGx : public TCollection {
    ORV_META(TDBGridColumnsGx, TCollection)
    explicit TDBGridColumnsGx(TCustomDBGridGx* Grid = nullptr);
    TDBGridColumnsGx(TCustomDBGridGx* Grid, const meta::TClassInfo& ItemClass);
    TCustomDBGridGx* Grid() const { return FGrid; }
    TColumnGx* ColumnAt(int Index) const { return static_cast<TColumnGx*>(Items(Index)); }
    TColumnGx* AddColumn();
    TColumnGx* AddAutoColumn();
    TDBGridColumnsStateGx State() const {
        return Count() > 0 && !ColumnAt(0)->IsAutoColumn() ? csCustomizedGx : csDefaultGx;
    }
    void ResetFieldBindings();
    // The field names in collection order as quoted comma text; writing moves columns to match.
    String ColumnsIndex() const;
    void SetColumnsIndex(const String& Value);

protected:
    void Update(TCollectionItem* Item) override;

private:
    TCustomDBGridGx* FGrid;
};
