// Combo box and list box over Qt's, with their entries kept in the widget.
#include "gui/StdCtrls.h"

#include "gui/Forms.h"
#include "gui/qt/ComboWidget.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/ItemStrings.h"
#include "gui/qt/QtSupport.h"
#include "rtl/ScopeGuards.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QStyle>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace {

// Draws one owner-drawn entry of a list or combo box on the control's canvas: the handler's
// drawing, or the entry's text on the entry's colour when there is none.
void DrawOwnerItem(TWinControl* control, TCanvas* controlCanvas, const TDrawItemEvent& handler,
                   const String& text, QPainter* p, const QRect& rect, int index, TOwnerDrawState state) {
    auto* canvas = static_cast<TControlCanvas*>(controlCanvas);
    canvas->Font()->Assign(*control->Font());
    const bool selected = state.Contains(odSelected);
    canvas->Brush()->SetColor(selected ? clHighlight : control->Color());
    if (selected) canvas->Font()->SetColor(clHighlightText);
    const TRect r = Bounds(rect.x(), rect.y(), rect.width(), rect.height());
    canvas->AttachPainter(p);
    const TScopeExit detach([canvas] { canvas->DetachPainter(); });
    if (handler) {
        handler(control, index, r, state);
    } else {
        canvas->FillRect(r);
        canvas->TextOut(r.Left + 2, r.Top, text);
    }
}

TOwnerDrawState StateOf(const QStyle::State& s) {
    TOwnerDrawState state;
    if (s & QStyle::State_Selected) state << odSelected;
    if (s & QStyle::State_HasFocus) state << odFocused;
    if (!(s & QStyle::State_Enabled)) state << odDisabled;
    return state;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Combo box

namespace {

QString CaseOf(const QString& s, TEditCharCase c) {
    return c == ecUpperCase ? s.toUpper() : c == ecLowerCase ? s.toLower() : s;
}

// Puts the entries of a list control that has just become sorted in order: they are cleared and
// added again, and the control inserts each at its place. Objects stay with their strings.
void ReinsertSorted(TStrings& items) {
    std::vector<std::pair<String, TObject*>> entries;
    for (int i = 0; i < items.Count(); ++i)
        entries.emplace_back(items.Strings(i), items.Objects(i));
    const TUpdateGuard updating(items);
    items.Clear();
    for (auto& [s, o] : entries)
        items.AddObject(s, o);
}

} // namespace

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TWinControl(AOwner) {
    auto* box = new TOrvComboBox(this);
    box->setInsertPolicy(QComboBox::NoInsert);
    TControlAccess::SetWidget(this, box);
    FCanvas = std::make_unique<TControlCanvas>(this);
    FCanvas->Font()->Assign(*Font());
    auto items = std::make_unique<TComboItemStrings>(box);
    items->IsSorted = [this] { return FSorted; };
    FItems = std::move(items);
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 145, 21);
    SetStyle(csDropDown);
    QObject::connect(box, &QComboBox::activated, box, [this](int) {
        if (IsApplying(this)) return;
        try {
            TComboAccess::Selected(this);
        } catch (...) {
            Application()->HandleException(this);
        }
    });
}

TCustomComboBox::~TCustomComboBox() = default;

void TCustomComboBox::SetItems(TStrings* v) {
    if (v) FItems->Assign(*v);
}

void TCustomComboBox::SetItemHeight(int v) {
    FItemHeight = std::max(1, v);
    if (TComboAccess::OwnerDrawnStyle(this)) SetHeight(FItemHeight + 6);
    if (QAbstractItemView* view = TControlAccess::As<QComboBox>(this)->view()) view->doItemsLayout();
}

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
    FStyle = v;
    if (TComboAccess::OwnerDrawnStyle(this)) SetHeight(FItemHeight + 6);
    auto* box = TControlAccess::As<QComboBox>(this);
    const bool editable = v == csDropDown || v == csSimple;
    TApplyGuard guard(this);
    box->setEditable(editable);
    if (QLineEdit* e = box->lineEdit()) {
        TControlAccess::Watch(this, e);
        QObject::connect(e, &QLineEdit::textEdited, e, [this, e](const QString& s) {
            if (FCharCase != ecNormal && CaseOf(s, FCharCase) != s) {
                int pos = e->cursorPosition();
                e->setText(CaseOf(s, FCharCase));
                e->setCursorPosition(pos);
            }
            try {
                TComboAccess::Change(this);
            } catch (...) {
                Application()->HandleException(this);
            }
        });
        if (FMaxLength > 0) e->setMaxLength(FMaxLength);
        static_cast<TOrvComboBox*>(box)->PlaceEdit();
    }
}

int TCustomComboBox::ItemIndex() const {
    auto* box = TControlAccess::As<QComboBox>(this);
    if (box->isEditable() && box->currentIndex() >= 0 &&
        box->currentText() != box->itemText(box->currentIndex()))
        return -1;
    return box->currentIndex();
}

void TCustomComboBox::SetItemIndex(int v) {
    auto* box = TControlAccess::As<QComboBox>(this);
    TApplyGuard guard(this);
    box->setCurrentIndex(v < 0 || v >= box->count() ? -1 : v);
    if (v < 0 && box->isEditable()) box->setEditText(QString());
}

void TCustomComboBox::SetDropDownCount(int v) {
    FDropDownCount = v;
    TControlAccess::As<QComboBox>(this)->setMaxVisibleItems(std::max(1, v));
}

void TCustomComboBox::SetSorted(bool v) {
    FSorted = v;
    if (!v) return;
    const String text = Text(); // the current text stays
    ReinsertSorted(*FItems);
    SetTextValue(text);
}

void TCustomComboBox::SetMaxLength(int v) {
    FMaxLength = std::max(0, v);
    if (QLineEdit* e = TControlAccess::As<QComboBox>(this)->lineEdit())
        e->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
}

bool TCustomComboBox::DroppedDown() const {
    return TControlAccess::As<QComboBox>(this)->view()->isVisible();
}

void TCustomComboBox::SetDroppedDown(bool v) {
    auto* box = TControlAccess::As<QComboBox>(this);
    if (v)
        box->showPopup();
    else
        box->hidePopup();
}

String TCustomComboBox::GetText() const {
    return FromQString(TControlAccess::As<QComboBox>(this)->currentText());
}

void TCustomComboBox::SetTextValue(const String& v) {
    auto* box = TControlAccess::As<QComboBox>(this);
    TApplyGuard guard(this);
    if (box->isEditable()) {
        // The entry with that text becomes current (none when no entry has it).
        int i = box->findText(ToQString(v), Qt::MatchFixedString);
        box->setCurrentIndex(i);
        box->setEditText(ToQString(v));
    } else {
        box->setCurrentIndex(box->findText(ToQString(v), Qt::MatchFixedString));
    }
}

int TCustomComboBox::SelStart() const {
    QLineEdit* e = TControlAccess::As<QComboBox>(this)->lineEdit();
    return e ? (e->hasSelectedText() ? e->selectionStart() : e->cursorPosition()) : 0;
}
void TCustomComboBox::SetSelStart(int v) {
    if (QLineEdit* e = TControlAccess::As<QComboBox>(this)->lineEdit()) e->setCursorPosition(v);
}
int TCustomComboBox::SelLength() const {
    QLineEdit* e = TControlAccess::As<QComboBox>(this)->lineEdit();
    return e ? static_cast<int>(e->selectedText().size()) : 0;
}
void TCustomComboBox::SetSelLength(int v) {
    if (QLineEdit* e = TControlAccess::As<QComboBox>(this)->lineEdit()) e->setSelection(SelStart(), v);
}
String TCustomComboBox::SelText() const {
    QLineEdit* e = TControlAccess::As<QComboBox>(this)->lineEdit();
    return e ? FromQString(e->selectedText()) : String();
}
void TCustomComboBox::SelectAll() {
    if (QLineEdit* e = TControlAccess::As<QComboBox>(this)->lineEdit()) e->selectAll();
}

void TCustomComboBox::Clear() {
    FItems->Clear();
    SetTextValue(String());
}

void TCustomComboBox::Change() {
    if (OnChange) OnChange(this);
}
void TCustomComboBox::Select() {
    if (OnSelect)
        OnSelect(this);
    else
        Change();
}
void TCustomComboBox::DropDown() {
    if (OnDropDown) OnDropDown(this);
}
void TCustomComboBox::CloseUp() {
    if (OnCloseUp) OnCloseUp(this);
}

bool TCustomComboBox::WantsKey(Word Key, TShiftState) const {
    if (Key == VK_RETURN || Key == VK_ESCAPE) return DroppedDown();
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

// ---------------------------------------------------------------------------------------------
// List box

struct TListBoxAccess {
    static void DrawItem(TCustomListBox* l, QPainter* p, const QStyleOptionViewItem& opt, int index) {
        DrawOwnerItem(l, l->FCanvas.get(), l->OnDrawItem, l->Items()->Strings(index), p, opt.rect, index,
                      StateOf(opt.state));
    }
};

namespace {

class TOwnerDrawDelegate : public QStyledItemDelegate {
public:
    explicit TOwnerDrawDelegate(TCustomListBox* list) : FList(list) {}
    void paint(QPainter* p, const QStyleOptionViewItem& opt, const QModelIndex& index) const override {
        if (FList->Style() == lbStandard) {
            QStyledItemDelegate::paint(p, opt, index);
            return;
        }
        TListBoxAccess::DrawItem(FList, p, opt, index.row());
    }
    QSize sizeHint(const QStyleOptionViewItem& opt, const QModelIndex& index) const override {
        if (FList->Style() == lbStandard) return QStyledItemDelegate::sizeHint(opt, index);
        return QSize(opt.rect.width(), FList->ItemHeight());
    }

private:
    TCustomListBox* FList;
};

} // namespace

TCustomListBox::TCustomListBox(TComponent* AOwner) : TWinControl(AOwner) {
    auto* list = new QListWidget();
    list->setItemDelegate(new TOwnerDrawDelegate(this)); // owned by the list widget
    TControlAccess::SetWidget(this, list);
    FCanvas = std::make_unique<TControlCanvas>(this);
    FCanvas->Font()->Assign(*Font());
    auto items = std::make_unique<TListItemStrings>(list);
    items->IsSorted = [this] { return FSorted; };
    FItems = std::move(items);
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 121, 97);
    QObject::connect(list, &QListWidget::itemSelectionChanged, list, [this] {
        if (IsApplying(this)) return;
        try {
            Click();
        } catch (...) {
            Application()->HandleException(this);
        }
    });
}

TCustomListBox::~TCustomListBox() = default;

void TCustomListBox::FontChanged() {
    TWinControl::FontChanged();
    if (FCanvas) FCanvas->Font()->Assign(*Font());
    if (FColumns > 0) ApplyColumns();
}

void TCustomListBox::Resize() {
    TWinControl::Resize();
    if (FColumns > 0) ApplyColumns();
}

void TCustomListBox::SetColumns(int v) {
    v = std::max(0, v);
    if (v == FColumns) return;
    FColumns = v;
    ApplyColumns();
}

void TCustomListBox::ApplyColumns() {
    auto* list = TControlAccess::As<QListWidget>(this);
    if (FColumns == 0) {
        list->setWrapping(false);
        list->setGridSize(QSize());
        list->setFlow(QListView::TopToBottom);
        return;
    }
    // Every entry gets one cell of the grid: a column's width, and a row as high as an entry's
    // text or its check box.
    QStyle* style = list->style();
    const int rowHeight = std::max({FItemHeight, list->fontMetrics().height() + 4,
                                    style->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, list) + 4});
    const int frame = 2 * list->frameWidth();
    const int width = std::max(1, (Width() - frame) / FColumns);
    list->setFlow(QListView::TopToBottom);
    list->setWrapping(true);
    list->setResizeMode(QListView::Adjust);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setGridSize(QSize(width, rowHeight));
    list->doItemsLayout();
}

void TCustomListBox::SetItems(TStrings* v) {
    if (v) FItems->Assign(*v);
}

int TCustomListBox::Count() const {
    return FItems->Count();
}

int TCustomListBox::ItemIndex() const {
    return TControlAccess::As<QListWidget>(this)->currentRow();
}

void TCustomListBox::SetItemIndex(int v) {
    auto* list = TControlAccess::As<QListWidget>(this);
    TApplyGuard guard(this);
    if (v < 0 || v >= list->count()) {
        list->setCurrentRow(-1);
        if (!FMultiSelect) list->clearSelection();
        return;
    }
    if (FMultiSelect)
        list->setCurrentRow(v, QItemSelectionModel::NoUpdate);
    else
        list->setCurrentRow(v);
}

void TCustomListBox::SetMultiSelect(bool v) {
    FMultiSelect = v;
    TControlAccess::As<QListWidget>(this)->setSelectionMode(
        v ? (FExtendedSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::MultiSelection)
          : QAbstractItemView::SingleSelection);
}

void TCustomListBox::SetExtendedSelect(bool v) {
    FExtendedSelect = v;
    SetMultiSelect(FMultiSelect);
}

bool TCustomListBox::Selected(int Index) const {
    auto* list = TControlAccess::As<QListWidget>(this);
    if (Index < 0 || Index >= list->count()) ListIndexError(Index);
    return list->item(Index)->isSelected();
}

void TCustomListBox::SetSelected(int Index, bool v) {
    auto* list = TControlAccess::As<QListWidget>(this);
    if (Index < 0 || Index >= list->count()) ListIndexError(Index);
    TApplyGuard guard(this);
    if (!FMultiSelect && v) list->setCurrentRow(Index);
    list->item(Index)->setSelected(v);
}

int TCustomListBox::SelCount() const {
    if (!FMultiSelect) return -1;
    return static_cast<int>(TControlAccess::As<QListWidget>(this)->selectedItems().size());
}

void TCustomListBox::SetSorted(bool v) {
    FSorted = v;
    if (!v) return;
    ReinsertSorted(*FItems);
}

void TCustomListBox::SetStyle(TListBoxStyle v) {
    FStyle = v;
    auto* list = TControlAccess::As<QListWidget>(this);
    list->setUniformItemSizes(v == lbOwnerDrawFixed);
    list->doItemsLayout();
    list->viewport()->update();
}

void TCustomListBox::SetItemHeight(int v) {
    FItemHeight = std::max(1, v);
    TControlAccess::As<QListWidget>(this)->doItemsLayout();
}

int TCustomListBox::TopIndex() const {
    auto* list = TControlAccess::As<QListWidget>(this);
    QListWidgetItem* item = list->itemAt(0, 0);
    return item ? list->row(item) : 0;
}

void TCustomListBox::SetTopIndex(int v) {
    auto* list = TControlAccess::As<QListWidget>(this);
    if (QListWidgetItem* item = list->item(v)) list->scrollToItem(item, QAbstractItemView::PositionAtTop);
}

int TCustomListBox::ItemAtPos(const TPoint& Pos, bool Existing) const {
    auto* list = TControlAccess::As<QListWidget>(this);
    if (QListWidgetItem* item = list->itemAt(Pos.X, Pos.Y)) return list->row(item);
    return Existing ? -1 : list->count();
}

TRect TCustomListBox::ItemRect(int Index) const {
    auto* list = TControlAccess::As<QListWidget>(this);
    QListWidgetItem* item = list->item(Index);
    if (!item) return {};
    QRect r = list->visualItemRect(item);
    return Bounds(r.x(), r.y(), r.width(), r.height());
}

void TCustomListBox::Clear() {
    FItems->Clear();
}

void TCustomListBox::ClearSelection() {
    TApplyGuard guard(this);
    TControlAccess::As<QListWidget>(this)->clearSelection();
}

void TCustomListBox::SelectAll() {
    if (!FMultiSelect) return;
    TApplyGuard guard(this);
    TControlAccess::As<QListWidget>(this)->selectAll();
}

bool TCustomListBox::WantsKey(Word Key, TShiftState) const {
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}
