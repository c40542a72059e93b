// The data grid's in-place editor: loading for a cell, the edit style and its drop-down, the text
// area beside the buttons, the required-field mark, focus and the text changes the user makes.
#include "grid/DBGridGxInplaceEdit.h"

#include "grid/CalculatorGx.h"
#include "grid/DBGridGx.h"
#include "grid/DBLookupGridsGx.h"
#include "grid/ToolCtrlsGxListBox.h"
#include "grid/ToolCtrlsGxMRUListBox.h"

#include "classes/MetaBuilder.h"
#include "db/DataSource.h"
#include "gui/ControlPaintHook.h"
#include "gui/ControlPreview.h"
#include "gui/ExtCtrls.h"
#include "rtl/EditMask.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuards.h"

#include <algorithm>

namespace {

// The literal text before the first digit of a number format's positive section: "￥" of
// "￥,0.00", "RMB " of "'RMB '0.00".
String AmountFormatPrefix(const String& format) {
    String prefix;
    for (size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '0' || c == '#' || c == '.' || c == ',' || c == ';') break;
        if (c == '"' || c == '\'') {
            const size_t end = format.find(c, i + 1);
            if (end == String::npos) break;
            prefix += format.substr(i + 1, end - i - 1);
            i = end;
        } else {
            prefix += c;
        }
    }
    return prefix;
}

// What a plain number column shows before the digits of its amounts: the column's or the field's
// display format, else the currency string that a money field shows first.
String AmountPrefixOf(TColumnGx* column) {
    auto* field = dynamic_cast<TNumericField*>(column->Field());
    if (!field || column->GetCellKind() != 0) return String();
    if (!column->DisplayFormat().empty()) return AmountFormatPrefix(column->DisplayFormat());
    if (!field->DisplayFormat().empty()) return AmountFormatPrefix(field->DisplayFormat());
    auto* money = dynamic_cast<TFloatField*>(field);
    auto* bcd = dynamic_cast<TBCDField*>(field);
    const TFormatSettings& fs = FormatSettings();
    if ((money && money->Currency()) || (bcd && bcd->Currency())) {
        if (fs.CurrencyFormat == 0) return fs.CurrencyString;
        if (fs.CurrencyFormat == 2) return fs.CurrencyString + " ";
    }
    return String();
}

} // namespace

ORV_META_IMPL(TDBGridInplaceEdit)
void TDBGridInplaceEdit::DeclareMeta(meta::Class<TDBGridInplaceEdit>&) {}

TDBGridInplaceEdit::TDBGridInplaceEdit(TComponent* AOwner) : TInplaceEdit(AOwner) {
    FLookupSource = std::make_unique<TDataSource>();
    SetControlPaintHook(this, {nullptr, [this](TCanvas* c) {
                                   PaintAmountPrefix(c);
                                   PaintRequiredMark(c);
                               }});
    SetControlMessagePreview(this, [this](TWinControl*, TControlMessage& m) { PreviewMessage(m); });
}

TDBGridInplaceEdit::~TDBGridInplaceEdit() {
    SetControlPaintHook(this, {});
    SetControlMessagePreview(this, {});
    ForgetDataList();
    if (FMRUList) {
        FMRUList->DropDownHook = nullptr;
        FMRUList->CloseUpHook = nullptr;
        FMRUList->ListDroppedDown = false;
    }
}

TCustomDBGridGx* TDBGridInplaceEdit::DBGrid() const {
    return dynamic_cast<TCustomDBGridGx*>(Grid());
}

TColumnGx* TDBGridInplaceEdit::Column() const {
    TCustomDBGridGx* g = DBGrid();
    if (!g || !g->Columns()) return nullptr;
    const int i = g->FocusedColumnIndex();
    return i >= 0 && i < g->Columns()->Count() ? g->Columns()->ColumnAt(i) : nullptr;
}

IInplaceDataListGx* TDBGridInplaceEdit::ColumnDataList(TColumnGx* Column) {
    return Column->LookupGrid();
}

// ---- style ---------------------------------------------------------------------------------------

void TDBGridInplaceEdit::ForgetDataList() {
    if (!FDataList) return;
    FDataList->SetCloseUpHook(nullptr);
    FDataList->SetColumnMovedHook(nullptr);
    if (TWinControl* list = FDataList->ListControl()) {
        // The list belongs to its column: the editor lets go of it without freeing it.
        list->RemoveFreeNotification(this);
        if (list->Parent() == this) list->SetParent(nullptr);
    }
    if (FActiveList && FActiveList == FDataList->ListControl()) FActiveList = nullptr;
    FDataList = nullptr;
}

void TDBGridInplaceEdit::ApplyEditStyle(TInplaceEditStyleGx Style) {
    FEditStyle = Style;
    TColumnGx* column = Column();
    TWinControl* list = nullptr;
    switch (Style) {
    case iesPickList:
        if (!FPickList) {
            FPickList = new TPopupListboxGx(this);
            FPickList->SetVisible(false);
            FPickList->SetParent(this);
            FPickList->OnMouseUp = [this](TObject*, TMouseButton Button, TShiftState, int X, int Y) {
                if (Button != mbLeft) return;
                CloseUp(
                    PtInRect(TRect(0, 0, FPickList->ClientWidth(), FPickList->ClientHeight()), TPoint(X, Y)));
            };
        }
        list = FPickList;
        break;
    case iesDataList: {
        IInplaceDataListGx* dataList = column ? ColumnDataList(column) : nullptr;
        if (dataList != FDataList) {
            ForgetDataList();
            FDataList = dataList;
            if (FDataList) {
                TWinControl* control = FDataList->ListControl();
                control->SetVisible(false);
                control->SetParent(this);
                control->FreeNotification(this);
                FDataList->SetCloseUpHook([this](bool Accept) { CloseUp(Accept); });
            }
        }
        list = FDataList ? FDataList->ListControl() : nullptr;
        break;
    }
    case iesDateCalendar:
        if (!FCalendar) {
            FCalendar = new TPopupMonthCalendarGx(this);
            FCalendar->SetVisible(false);
            FCalendar->SetParent(this);
        }
        list = FCalendar;
        break;
    case iesDropDown:
        if (column && dynamic_cast<TNumericField*>(column->Field())) list = CalculatorPopup();
        break;
    default:
        break;
    }
    FActiveList = list;
    SetReadOnly(column && column->ReadOnly());
    Invalidate();
}

TPopupCalculatorGx* TDBGridInplaceEdit::CalculatorPopup() {
    if (!FCalculator) {
        FCalculator = new TPopupCalculatorGx(this);
        FCalculator->SetVisible(false);
        FCalculator->SetParent(this);
        FCalculator->CloseDropDown = [this](bool Accept) { CloseUp(Accept); };
    }
    return FCalculator;
}

// ---- loading -------------------------------------------------------------------------------------

void TDBGridInplaceEdit::LoadFromColumn() {
    TCustomDBGridGx* g = DBGrid();
    TColumnGx* column = Column();
    if (!g || !column) {
        TInplaceEdit::LoadCellContents();
        return;
    }
    ApplyEditStyle(column->DefaultEditStyle());
    Font()->Assign(*column->Font());
    const TGridCoord cell = g->CurrentCell();
    TColCellParamsGx params;
    column->InitCellParams(&params);
    params.Background = column->Color();
    params.Font = Font();
    params.State = TGridDrawState{gdFocused};
    params.Text = g->EditTextOf(cell.X, cell.Y);
    const bool readOnly = !column->CanModify(false);
    params.ReadOnly = readOnly;
    if (g->OnGetCellParams) g->OnGetCellParams(g, column, params.Font, params.Background, params.State);
    column->GetColCellParams(true, &params);
    SetColor(params.Background);
    // The text stays where the cell shows it: a money column's amount stays on the right.
    TAlignment alignment = params.Alignment;
    if (g->UseRightToLeftAlignment() && alignment != taCenter)
        alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
    SetAlignment(alignment);
    FImageIndex = params.ImageIndex;
    // The edited text is the amount alone; the money sign stays shown beside it.
    FAmountPrefix = AmountPrefixOf(column);
    if (params.Text.rfind(FAmountPrefix, 0) == 0) FAmountPrefix.clear();
    FReadOnlyFromParams = params.ReadOnly != readOnly;
    if (FReadOnlyFromParams) SetReadOnly(params.ReadOnly);
    g->EditorReadOnlyByParams = FReadOnlyFromParams;
    g->EditorReadOnly = ReadOnly();
    FWordWrap = column->WordWrap() && g->MultiLineRows();
    {
        BeginLoading();
        const TScopeExit loaded([this] { EndLoading(); });
        SetText(String());
        SetEditMask(g->EditTextMask(cell.X));
        SetText(params.Text);
        SetMaxLength(g->EditTextLimit());
    }
    ArrangeControls();
    TMRUListGx* mru = column->MRUList();
    if (mru != FMRUList) {
        MRUCloseUp(false);
        if (FMRUList) {
            FMRUList->DropDownHook = nullptr;
            FMRUList->CloseUpHook = nullptr;
        }
        FMRUList = mru;
        FMRUList->DropDownHook = [this](TObject*) { MRUDropDown(); };
        FMRUList->CloseUpHook = [this](TObject*, bool Accept) { MRUCloseUp(Accept); };
    }
}

// ---- text area -----------------------------------------------------------------------------------

TRect TDBGridInplaceEdit::TextArea() const {
    TCustomDBGridGx* g = DBGrid();
    const int w = ClientWidth(), h = ClientHeight();
    TRect r = g && g->Flat() ? TRect(2, 1, w - 2, h - 1) : TRect(2, 2, w - 2, h);
    if (g && r.Bottom < h &&
        r.Height() < g->MeasureTextHeight(const_cast<TDBGridInplaceEdit*>(this)->Font(), "Wg"))
        ++r.Bottom;
    if (FButtonsWidth > 0) {
        if (g && g->UseRightToLeftAlignment())
            r.Left += FButtonsWidth;
        else
            r.Right -= FButtonsWidth;
    }
    // Room for the money sign before the amount.
    if (g && !FAmountPrefix.empty()) {
        const int room = g->MeasureTextWidth(const_cast<TDBGridInplaceEdit*>(this)->Font(), FAmountPrefix);
        if (g->UseRightToLeftAlignment())
            r.Right -= room;
        else
            r.Left += room;
    }
    return r;
}

// The money sign right before the amount's first digit, as the cell shows it (at the text area's
// edge when the amount fills the area).
void TDBGridInplaceEdit::PaintAmountPrefix(TCanvas* Canvas) {
    TCustomDBGridGx* g = DBGrid();
    if (!g || FAmountPrefix.empty()) return;
    const TRect area = TextArea();
    Canvas->Font()->Assign(*Font());
    const int room = Canvas->TextWidth(FAmountPrefix);
    const int textWidth = Canvas->TextWidth(Text());
    const bool rtl = g->UseRightToLeftAlignment();
    int x = rtl ? area.Right : area.Left - room;
    if (!rtl && Alignment() == taRightJustify) x = std::max(x, area.Right - textWidth - room);
    if (!rtl && Alignment() == taCenter) x = std::max(x, (area.Left + area.Right - textWidth) / 2 - room);
    const int y = area.Top + (area.Height() - Canvas->TextHeight(FAmountPrefix)) / 2;
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->TextOut(x, y, FAmountPrefix);
}

void TDBGridInplaceEdit::ArrangeControls() {
    LayoutButtons();
    SetTextRect(TextArea());
}

// ---- image index ---------------------------------------------------------------------------------

void TDBGridInplaceEdit::RefreshImageIndex() {
    TColumnGx* column = Column();
    if (!column || !column->ImageList()) return;
    int index = FImageIndex;
    if (column->HasPickList()) {
        index = column->PickList()->IndexOf(Text());
    } else if (TField* f = column->Field(); f && dynamic_cast<TNumericField*>(f)) {
        const double v = f->IsNull() ? -1.0 : f->AsFloat();
        index = v >= -2147483648.0 && v <= 2147483647.0 ? static_cast<int>(v) : -1;
    }
    if (index == -1) index = column->NotInKeyListIndex();
    if (index == FImageIndex) return;
    FImageIndex = index;
    Invalidate();
}

// ---- painting ------------------------------------------------------------------------------------

void TDBGridInplaceEdit::PaintRequiredMark(TCanvas* Canvas) {
    TCustomDBGridGx* g = DBGrid();
    TColumnGx* column = Column();
    if (!g || !column) return;
    bool draw = false;
    if (column->HighlightRequired() && g->DataLink()->Active()) {
        TDataSet* ds = g->DataLink()->DataSet();
        TField* f = column->Field();
        draw = (ds->State() == dsEdit || ds->State() == dsInsert) && f && f->Required() && f->IsNull();
    }
    if (column->OnCheckDrawRequiredState) column->OnCheckDrawRequiredState(this, Text(), draw);
    if (!draw) return;
    const TRect area = TextArea();
    DrawRequiredLine(Canvas, area.Left + 2, area.Right - 3, ClientHeight() - 1);
}

// ---- text changes --------------------------------------------------------------------------------

void TDBGridInplaceEdit::PutText(const String& Text) {
    TControl::SetText(Text);
}

void TDBGridInplaceEdit::TextChangedByUser() {
    FUserChangedText = true;
    RefreshImageIndex();
}

void TDBGridInplaceEdit::Change() {
    TInplaceEdit::Change();
    if (Loading()) return;
    TextChangedByUser();
    const TScopeExit consumed([this] { FUserChangedText = false; });
    if (!FMRUList || FTakingListText) return;
    const String blank = IsMasked() ? FormatMaskText(EditMask(), String()) : String();
    const String text = Text();
    if (MRUDroppedDown() && text == blank)
        MRUCloseUp(false);
    else if (FMRUList->Active() && IsShowing() && !FDroppedDown && text != blank)
        MRUDropDown();
}

// ---- visibility and focus ------------------------------------------------------------------------

void TDBGridInplaceEdit::SetVisible(bool Value) {
    if (!Value && !CloseLock) {
        CloseUp(false);
        MRUCloseUp(false);
    }
    TInplaceEdit::SetVisible(Value);
}

bool TDBGridInplaceEdit::FocusInside(TWinControl* Window) const {
    if (!Window) return false;
    for (TWinControl* w = FindFocusedControl(); w; w = w->Parent())
        if (w == Window) return true;
    return false;
}

void TDBGridInplaceEdit::DoEnter() {
    TInplaceEdit::DoEnter();
    if (TCustomDBGridGx* g = DBGrid()) g->EditorFocusChanged();
}

void TDBGridInplaceEdit::DoExit() {
    TInplaceEdit::DoExit();
    if (FListVisible) {
        if (!FocusInside(FActiveList)) CloseUp(false);
    } else if (MRUDroppedDown() && !FocusInside(FMRUBox)) {
        MRUCloseUp(false);
    }
    if (TCustomDBGridGx* g = DBGrid()) g->EditorFocusChanged();
}

void TDBGridInplaceEdit::Notification(TComponent* AComponent, TOperation Operation) {
    TInplaceEdit::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (FDataList && AComponent == FDataList->ListControl()) {
        const bool active = FActiveList == AComponent;
        FDataList = nullptr;
        if (active) {
            FActiveList = nullptr;
            FListVisible = false;
            FDroppedDown = false;
        }
        // A grid freeing its columns is going itself: the editor only forgets the style.
        TCustomDBGridGx* g = DBGrid();
        if (FEditStyle == iesDataList) {
            if (g && !g->ComponentState().Contains(csDestroying))
                ApplyEditStyle(iesSimple);
            else
                FEditStyle = iesSimple;
        }
    }
    if (AComponent == FPickList) FPickList = nullptr;
    if (AComponent == FCalendar) FCalendar = nullptr;
    if (AComponent == FCalculator) FCalculator = nullptr;
    if (AComponent == FMRUBox) FMRUBox = nullptr;
    if (AComponent == FActiveList) FActiveList = nullptr;
}
