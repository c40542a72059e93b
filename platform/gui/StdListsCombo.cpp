// The combo box's widget: the list opening and closing, a frame and button the control paints
// itself, the open list placed as the control asks, and owner-drawn entries.
#include "gui/Forms.h"
#include "gui/qt/ComboWidget.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/QtSupport.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StringList.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace {

// Draws an entry through the control on its canvas, with the entry's colours set.
void DrawEntry(TCustomComboBox* combo, QPainter* p, const QRect& rect, int index, TOwnerDrawState state) {
    if (index < 0 || index >= combo->Items()->Count()) return;
    auto* canvas = static_cast<TControlCanvas*>(combo->Canvas());
    canvas->Font()->Assign(*combo->Font());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(state.Contains(odSelected) ? clHighlight : combo->Color());
    if (state.Contains(odSelected)) canvas->Font()->SetColor(clHighlightText);
    canvas->AttachPainter(p);
    const TScopeExit detach([canvas] { canvas->DetachPainter(); });
    TComboAccess::DrawItem(combo, index, Bounds(rect.x(), rect.y(), rect.width(), rect.height()), state);
}

// Draws the entries of an owner-drawn list through the control.
class TComboItemDelegate : public QStyledItemDelegate {
public:
    explicit TComboItemDelegate(TCustomComboBox* combo, QObject* parent)
        : QStyledItemDelegate(parent), FCombo(combo) {}
    void paint(QPainter* p, const QStyleOptionViewItem& opt, const QModelIndex& index) const override {
        if (!TComboAccess::OwnerDrawnItems(FCombo)) {
            QStyledItemDelegate::paint(p, opt, index);
            return;
        }
        TOwnerDrawState state;
        if (opt.state & QStyle::State_Selected) state << odSelected;
        if (opt.state & QStyle::State_HasFocus) state << odFocused;
        if (!(opt.state & QStyle::State_Enabled)) state << odDisabled;
        DrawEntry(FCombo, p, opt.rect, index.row(), state);
    }
    QSize sizeHint(const QStyleOptionViewItem& opt, const QModelIndex& index) const override {
        if (!TComboAccess::OwnerDrawnItems(FCombo)) return QStyledItemDelegate::sizeHint(opt, index);
        return QSize(opt.rect.width(), FCombo->ItemHeight());
    }

private:
    TCustomComboBox* FCombo;
};

} // namespace

TOrvComboBox::TOrvComboBox(TCustomComboBox* owner) : FOwner(owner) {
    setItemDelegate(new TComboItemDelegate(owner, this));
}

void TOrvComboBox::showPopup() {
    // A simple combo box is an edit without a list.
    if (FOwner->Style() == csSimple) return;
    TComboAccess::DropDown(FOwner);
    ChosenRow = -1;
    QComboBox::showPopup();
    if (!FWatchingList) {
        // Ahead of the list's own handling: the entry a click or Enter chooses.
        view()->installEventFilter(this);
        view()->viewport()->installEventFilter(this);
        FWatchingList = true;
    }
    PlacePopup();
}

void TOrvComboBox::hidePopup() {
    QComboBox::hidePopup();
    // The choice is the combo's entry before the list tells that it closed (the list announces
    // the choice only afterwards).
    if (ChosenRow >= 0 && ChosenRow < count() && ChosenRow != currentIndex()) {
        TApplyGuard guard(FOwner);
        setCurrentIndex(ChosenRow);
    }
    ChosenRow = -1;
    TComboAccess::CloseUp(FOwner);
}

bool TOrvComboBox::eventFilter(QObject* watched, QEvent* event) {
    // The combo lays its edit out again on many occasions: a control with its own frame keeps it
    // where it put it.
    if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) && watched == lineEdit()) {
        PlaceEdit();
        return QComboBox::eventFilter(watched, event);
    }
    if (event->type() == QEvent::MouseButtonRelease && watched == view()->viewport()) {
        const QModelIndex i = view()->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (i.isValid()) ChosenRow = i.row();
    } else if (event->type() == QEvent::KeyPress && watched == view()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && view()->currentIndex().isValid())
            ChosenRow = view()->currentIndex().row();
    }
    return QComboBox::eventFilter(watched, event);
}

// The list's window takes the width, height and side the control gives it.
void TOrvComboBox::PlacePopup() {
    QWidget* popup = view()->window();
    if (!popup || popup == window()) return;
    TCustomComboBox::TListPlacement p;
    p.Width = popup->width();
    p.Height = popup->height();
    const QPoint below = mapToGlobal(QPoint(0, height()));
    const QRect screenArea = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    p.Above = below.y() + p.Height > screenArea.bottom() + 1;
    TComboAccess::PlaceList(FOwner, p);
    const QPoint origin = p.Above ? mapToGlobal(QPoint(0, -p.Height)) : below;
    popup->setGeometry(origin.x(), origin.y(), std::max(1, p.Width), std::max(1, p.Height));
    if (p.Selection >= 0 && p.Selection < count())
        view()->setCurrentIndex(model()->index(p.Selection, modelColumn(), rootModelIndex()));
    if (p.TopIndex >= 0 && p.TopIndex < count())
        view()->scrollTo(model()->index(p.TopIndex, modelColumn(), rootModelIndex()),
                         QAbstractItemView::PositionAtTop);
}

void TOrvComboBox::PlaceEdit() {
    if (!TComboAccess::OwnFrame(FOwner)) return;
    if (QLineEdit* e = lineEdit()) {
        if (e != FWatchedEdit) {
            e->installEventFilter(this);
            FWatchedEdit = e;
        }
        const TRect& r = TComboAccess::EditBounds(FOwner);
        const QRect wanted(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
        if (e->geometry() != wanted) e->setGeometry(wanted);
    }
}

void TOrvComboBox::paintEvent(QPaintEvent* e) {
    if (!TComboAccess::OwnFrame(FOwner) && TComboAccess::OwnerDrawnStyle(FOwner)) {
        // An owner-drawn box shows its current entry as the control draws it.
        QStylePainter painter(this);
        QStyleOptionComboBox opt;
        initStyleOption(&opt);
        opt.currentText.clear();
        opt.currentIcon = QIcon();
        painter.drawComplexControl(QStyle::CC_ComboBox, opt);
        const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
        TOwnerDrawState state{odComboBoxEdit};
        if (hasFocus()) state << odSelected << odFocused;
        if (!isEnabled()) state << odDisabled;
        DrawEntry(FOwner, &painter, field, currentIndex(), state);
        return;
    }
    if (!TComboAccess::OwnFrame(FOwner)) {
        QComboBox::paintEvent(e);
        return;
    }
    QPainter p(this);
    auto* canvas = static_cast<TControlCanvas*>(FOwner->Canvas());
    canvas->AttachPainter(&p);
    const TScopeExit detach([canvas] { canvas->DetachPainter(); });
    TComboAccess::PaintFrame(FOwner);
}

void TOrvComboBox::resizeEvent(QResizeEvent* e) {
    QComboBox::resizeEvent(e);
    PlaceEdit();
}

void TOrvComboBox::showEvent(QShowEvent* e) {
    QComboBox::showEvent(e);
    PlaceEdit();
}

// ---------------------------------------------------------------------------------------------

void TCustomComboBox::FontChanged() {
    TWinControl::FontChanged();
    if (FCanvas) FCanvas->Font()->Assign(*Font());
}

TRect TCustomComboBox::DroppedListRect() const {
    auto* box = TControlAccess::As<QComboBox>(this);
    QWidget* popup = box->view()->window();
    if (!popup || popup == box->window() || !popup->isVisible()) return TRect();
    const QRect g = popup->geometry();
    return Bounds(g.x(), g.y(), g.width(), g.height());
}

int TCustomComboBox::ListSelection() const {
    auto* box = TControlAccess::As<QComboBox>(this);
    if (!DroppedDown()) return -1;
    const QModelIndex i = box->view()->currentIndex();
    return i.isValid() ? i.row() : -1;
}

bool TCustomComboBox::EditFocused() const {
    QLineEdit* e = TControlAccess::As<QComboBox>(this)->lineEdit();
    return e && e->hasFocus();
}

void TCustomComboBox::ChooseListEntry(int Index) {
    auto* box = static_cast<TOrvComboBox*>(TControlAccess::As<QComboBox>(this));
    if (Index < 0 || Index >= box->count()) ListIndexError(Index);
    if (!DroppedDown()) SetDroppedDown(true);
    QAbstractItemView* view = box->view();
    const QModelIndex i = box->model()->index(Index, box->modelColumn(), box->rootModelIndex());
    view->setCurrentIndex(i);
    view->scrollTo(i);
    const QPoint at = view->visualRect(i).center();
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), view->viewport()->mapToGlobal(QPointF(at)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view->viewport(), &release);
    // The list ignores a release too soon after it opened: then it closes with the choice here.
    if (DroppedDown()) {
        box->ChosenRow = Index;
        box->hidePopup();
        TComboAccess::Selected(this);
    }
}

void TCustomComboBox::SetOwnFrame(bool v) {
    FOwnFrame = v;
    auto* box = static_cast<TOrvComboBox*>(TControlAccess::As<QComboBox>(this));
    box->setFrame(!v);
    box->PlaceEdit();
    box->update();
}

void TCustomComboBox::SetEditBounds(const TRect& r) {
    FEditBounds = r;
    static_cast<TOrvComboBox*>(TControlAccess::As<QComboBox>(this))->PlaceEdit();
}

void TCustomComboBox::SetEditReadOnly(bool v) {
    if (QLineEdit* e = TControlAccess::As<QComboBox>(this)->lineEdit()) e->setReadOnly(v);
}

void TCustomComboBox::SetOwnerDrawnItems(bool v) {
    FOwnerDrawnItems = v;
    TControlAccess::As<QComboBox>(this)->view()->doItemsLayout();
}

void TCustomComboBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    FCanvas->FillRect(Rect);
    if (Index >= 0 && Index < FItems->Count())
        FCanvas->TextOut(Rect.Left + 2, Rect.Top, FItems->Strings(Index));
}
