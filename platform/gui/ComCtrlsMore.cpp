// List view (report style) over QTreeWidget, the date and time picker, and the tool bar.
#include "gui/ComCtrls.h"

#include "gui/ActnList.h"
#include "gui/Forms.h"
#include "gui/ImgList.h"
#include "gui/Menus.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/ImageListIcons.h"
#include "gui/qt/QtSupport.h"

#include "rtl/StringList.h"

#include <QDateTimeEdit>
#include <QHeaderView>
#include <QToolButton>
#include <QTreeWidget>

#include <cmath>

// ---------------------------------------------------------------------------------------------
// List view

struct TListViewAccess {
    static QTreeWidget* Tree(const TListView* v) { return TControlAccess::As<QTreeWidget>(v); }
    static QTreeWidgetItem* Item(const TListItem* i) {
        QTreeWidget* t = Tree(i->FOwner);
        int idx = i->Index();
        return idx >= 0 ? t->topLevelItem(idx) : nullptr;
    }
};

TListItem::TListItem(TListView* owner) : FOwner(owner) {
    auto sub = std::make_unique<TStringList>();
    sub->OnChange = [this](TObject*) { Update(); };
    FSubItems = std::move(sub);
}
TListItem::~TListItem() = default;

void TListItem::SetCaption(const String& v) {
    FCaption = v;
    Update();
}
void TListItem::SetImageIndex(int v) {
    FImageIndex = v;
    Update();
}
int TListItem::Index() const {
    for (int i = 0; i < FOwner->ItemCount(); ++i)
        if (FOwner->Items(i) == this) return i;
    return -1;
}
bool TListItem::Checked() const {
    QTreeWidgetItem* it = TListViewAccess::Item(this);
    return it && it->checkState(0) == Qt::Checked;
}
void TListItem::SetChecked(bool v) {
    if (QTreeWidgetItem* it = TListViewAccess::Item(this))
        it->setCheckState(0, v ? Qt::Checked : Qt::Unchecked);
}
bool TListItem::Selected() const {
    QTreeWidgetItem* it = TListViewAccess::Item(this);
    return it && it->isSelected();
}
void TListItem::SetSelected(bool v) {
    if (QTreeWidgetItem* it = TListViewAccess::Item(this)) {
        if (v && !FOwner->MultiSelect()) TListViewAccess::Tree(FOwner)->setCurrentItem(it);
        it->setSelected(v);
    }
}
void TListItem::Delete() {
    FOwner->DeleteItem(Index());
}
void TListItem::Update() {
    FOwner->UpdateItem(this);
}

void TListColumn::SetCaption(const String& v) {
    FCaption = v;
    FOwner->UpdateColumns();
}
void TListColumn::SetWidth(int v) {
    FWidth = v;
    FOwner->UpdateColumns();
}
void TListColumn::SetAlignment(TAlignment v) {
    FAlignment = v;
    FOwner->UpdateColumns();
}
int TListColumn::Index() const {
    for (int i = 0; i < FOwner->ColumnCount(); ++i)
        if (FOwner->Column(i) == this) return i;
    return -1;
}

TListView::TListView(TComponent* AOwner) : TWinControl(AOwner) {
    auto* tree = new QTreeWidget();
    tree->setRootIsDecorated(false);
    tree->setColumnCount(1);
    tree->setHeaderHidden(true);
    TControlAccess::SetWidget(this, tree);
    TControlAccess::I(this).ClickEvents = true;
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 250, 150);
    QObject::connect(tree, &QTreeWidget::currentItemChanged, tree,
                     [this](QTreeWidgetItem* cur, QTreeWidgetItem* prev) {
                         if (IsApplying(this) || !OnSelectItem) return;
                         QTreeWidget* t = TListViewAccess::Tree(this);
                         try {
                             if (prev && t->indexOfTopLevelItem(prev) >= 0)
                                 OnSelectItem(this, Items(t->indexOfTopLevelItem(prev)), false);
                             if (cur) OnSelectItem(this, Items(t->indexOfTopLevelItem(cur)), true);
                         } catch (...) {
                             Application()->HandleException(this);
                         }
                     });
}

TListView::~TListView() {
    Destroying();
    TControlAccess::Widget(this)->blockSignals(true);
}

TListColumn* TListView::Column(int Index) const {
    if (Index < 0 || Index >= ColumnCount()) ListIndexError(Index);
    return FColumns[static_cast<size_t>(Index)].get();
}

TListColumn* TListView::AddColumn() {
    FColumns.push_back(std::make_unique<TListColumn>(this));
    UpdateColumns();
    return FColumns.back().get();
}

void TListView::ClearColumns() {
    FColumns.clear();
    UpdateColumns();
}

void TListView::UpdateColumns() {
    QTreeWidget* t = TListViewAccess::Tree(this);
    const int n = std::max(1, ColumnCount());
    t->setColumnCount(n);
    t->setHeaderHidden(FColumns.empty());
    QStringList labels;
    for (int i = 0; i < ColumnCount(); ++i) {
        labels << ToQString(FColumns[static_cast<size_t>(i)]->Caption());
        t->setColumnWidth(i, FColumns[static_cast<size_t>(i)]->Width());
    }
    t->setHeaderLabels(labels);
    for (auto& item : FItems)
        UpdateItem(item.get());
}

TListItem* TListView::Items(int Index) const {
    if (Index < 0 || Index >= ItemCount()) ListIndexError(Index);
    return FItems[static_cast<size_t>(Index)].get();
}

TListItem* TListView::AddItem() {
    return InsertItem(ItemCount());
}

TListItem* TListView::InsertItem(int Index) {
    Index = std::clamp(Index, 0, ItemCount());
    std::unique_ptr<TListItem> item(new TListItem(this));
    TListItem* raw = item.get();
    FItems.insert(FItems.begin() + Index, std::move(item));
    {
        TApplyGuard guard(this);
        auto* qi = new QTreeWidgetItem(); // owned by the tree widget
        if (FCheckboxes) qi->setCheckState(0, Qt::Unchecked);
        TListViewAccess::Tree(this)->insertTopLevelItem(Index, qi);
    }
    UpdateItem(raw);
    return raw;
}

void TListView::DeleteItem(int Index) {
    Items(Index);
    {
        TApplyGuard guard(this);
        delete TListViewAccess::Tree(this)->takeTopLevelItem(Index);
    }
    FItems.erase(FItems.begin() + Index);
}

void TListView::ClearItems() {
    TApplyGuard guard(this);
    TListViewAccess::Tree(this)->clear();
    FItems.clear();
}

void TListView::SetSmallImages(TCustomImageList* v) {
    FollowImageList(FSmallImages, v, FImageLink, [this] {
        if (ComponentState().Contains(csDestroying)) return;
        QTreeWidget* t = TListViewAccess::Tree(this);
        t->setIconSize(FSmallImages ? QSize(FSmallImages->Width(), FSmallImages->Height()) : QSize());
        for (auto& item : FItems)
            UpdateItem(item.get());
    });
}

void TListView::UpdateItem(TListItem* item) {
    QTreeWidgetItem* qi = TListViewAccess::Item(item);
    if (!qi) return;
    TApplyGuard guard(this);
    qi->setText(0, ToQString(item->Caption()));
    qi->setIcon(0, ImageListIcon(FSmallImages, item->ImageIndex()));
    for (int c = 1; c < std::max(1, ColumnCount()); ++c) {
        int s = c - 1;
        qi->setText(c, s < item->SubItems()->Count() ? ToQString(item->SubItems()->Strings(s)) : QString());
    }
    for (int c = 0; c < ColumnCount(); ++c) {
        TAlignment a = FColumns[static_cast<size_t>(c)]->Alignment();
        qi->setTextAlignment(c, (a == taRightJustify ? Qt::AlignRight
                                 : a == taCenter     ? Qt::AlignHCenter
                                                     : Qt::AlignLeft) |
                                    Qt::AlignVCenter);
    }
}

TListItem* TListView::Selected() const {
    QTreeWidget* t = TListViewAccess::Tree(this);
    auto sel = t->selectedItems();
    if (sel.isEmpty()) return nullptr;
    int idx = t->indexOfTopLevelItem(sel.first());
    for (QTreeWidgetItem* s : sel)
        idx = std::min(idx, t->indexOfTopLevelItem(s));
    return idx >= 0 ? Items(idx) : nullptr;
}

void TListView::SetSelected(TListItem* v) {
    QTreeWidget* t = TListViewAccess::Tree(this);
    t->clearSelection();
    if (v) v->SetSelected(true);
}

int TListView::SelCount() const {
    return static_cast<int>(TListViewAccess::Tree(this)->selectedItems().size());
}

int TListView::ItemIndex() const {
    TListItem* s = Selected();
    return s ? s->Index() : -1;
}

void TListView::SetItemIndex(int v) {
    SetSelected(v >= 0 && v < ItemCount() ? Items(v) : nullptr);
}

void TListView::SetCheckboxes(bool v) {
    FCheckboxes = v;
    QTreeWidget* t = TListViewAccess::Tree(this);
    for (int i = 0; i < t->topLevelItemCount(); ++i)
        if (v)
            t->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
        else
            t->topLevelItem(i)->setData(0, Qt::CheckStateRole, QVariant());
}

void TListView::SetMultiSelect(bool v) {
    FMultiSelect = v;
    TListViewAccess::Tree(this)->setSelectionMode(v ? QAbstractItemView::ExtendedSelection
                                                    : QAbstractItemView::SingleSelection);
}

TListItem* TListView::GetItemAt(int X, int Y) const {
    QTreeWidget* t = TListViewAccess::Tree(this);
    QTreeWidgetItem* qi = t->itemAt(X, Y);
    return qi ? Items(t->indexOfTopLevelItem(qi)) : nullptr;
}

bool TListView::WantsKey(Word Key, TShiftState) const {
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

// ---------------------------------------------------------------------------------------------
// Date and time picker

namespace {

// The platform's format letters to Qt's ("yyyy-MM-dd", "hh:nn:ss" with n for minutes).
QString QtFormat(const String& f) {
    QString s = ToQString(f);
    s.replace("nn", "mm");
    s.replace("ampm", "AP");
    return s;
}

} // namespace

struct TPickerAccess {
    static void Edited(TDateTimePicker* p, const QDateTime& dt) {
        if (IsApplying(p)) return;
        TDateTime v = FromQtDateTime(dt);
        if (p->FKind == dtkDate)
            v = std::floor(v) + std::fabs(p->FDateTime - std::floor(p->FDateTime));
        else
            v = std::floor(p->FDateTime) + (v - std::floor(v));
        p->FDateTime = v;
        if (p->OnChange) p->OnChange(p);
    }
};

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner) {
    auto* e = new QDateTimeEdit();
    e->setCalendarPopup(true);
    TControlAccess::SetWidget(this, e);
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 186, 21);
    FDateTime = FromQtDateTime(QDateTime::currentDateTime());
    Apply();
    QObject::connect(e, &QDateTimeEdit::dateTimeChanged, e, [this](const QDateTime& dt) {
        try {
            TPickerAccess::Edited(this, dt);
        } catch (...) {
            Application()->HandleException(this);
        }
    });
}

void TDateTimePicker::Apply() {
    auto* e = TControlAccess::As<QDateTimeEdit>(this);
    TApplyGuard guard(this);
    QString fmt = !FFormat.empty()        ? QtFormat(FFormat)
                  : FKind == dtkTime      ? QStringLiteral("HH:mm:ss")
                  : FDateFormat == dfLong ? QStringLiteral("yyyy'年'M'月'd'日'")
                                          : QStringLiteral("yyyy-MM-dd");
    e->setDisplayFormat(fmt);
    e->setCalendarPopup(FKind == dtkDate && FDateMode == dmComboBox);
    if (FMinDate != 0) e->setMinimumDateTime(QtDateTime(FMinDate));
    if (FMaxDate != 0) e->setMaximumDateTime(QtDateTime(FMaxDate));
    e->setDateTime(QtDateTime(FDateTime));
    e->setEnabled(Enabled() && (!FShowCheckbox || FChecked));
}

void TDateTimePicker::SetKind(TDateTimeKind v) {
    FKind = v;
    Apply();
}
void TDateTimePicker::SetDateTime(TDateTime v) {
    FDateTime = v;
    Apply();
}
TDateTime TDateTimePicker::Date() const {
    return std::floor(FDateTime);
}
void TDateTimePicker::SetDate(TDateTime v) {
    SetDateTime(std::floor(v) + std::fabs(FDateTime - std::floor(FDateTime)));
}
TDateTime TDateTimePicker::Time() const {
    return FDateTime - std::floor(FDateTime);
}
void TDateTimePicker::SetTime(TDateTime v) {
    SetDateTime(std::floor(FDateTime) + std::fabs(v - std::floor(v)));
}
void TDateTimePicker::SetShowCheckbox(bool v) {
    FShowCheckbox = v;
    Apply();
}
void TDateTimePicker::SetChecked(bool v) {
    FChecked = v;
    Apply();
}
void TDateTimePicker::SetFormat(const String& v) {
    FFormat = v;
    Apply();
}
void TDateTimePicker::SetDateFormat(TDTDateFormat v) {
    FDateFormat = v;
    Apply();
}
void TDateTimePicker::SetDateMode(TDTDateMode v) {
    FDateMode = v;
    Apply();
}
void TDateTimePicker::SetMinDate(TDateTime v) {
    FMinDate = v;
    Apply();
}
void TDateTimePicker::SetMaxDate(TDateTime v) {
    FMaxDate = v;
    Apply();
}
bool TDateTimePicker::WantsKey(Word Key, TShiftState) const {
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

// ---------------------------------------------------------------------------------------------
// Tool bar

struct TToolAccess {
    static QToolButton* Button(const TToolButton* b) { return TControlAccess::As<QToolButton>(b); }
};

TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner) {
    auto* b = new QToolButton();
    TControlAccess::SetWidget(this, b);
    TControlAccess::I(this).ClickEvents = false;
    SetBounds(0, 0, 23, 22);
    QObject::connect(b, &QToolButton::clicked, b, [this] {
        if (IsApplying(this)) return;
        try {
            Click();
        } catch (...) {
            Application()->HandleException(this);
        }
    });
    Apply();
}

TToolButton::~TToolButton() = default;

TToolBar* TToolButton::ToolBar() const {
    return dynamic_cast<TToolBar*>(Parent());
}

int TToolButton::Index() const {
    TToolBar* bar = ToolBar();
    if (!bar) return -1;
    for (int i = 0; i < bar->ButtonCount(); ++i)
        if (bar->Buttons(i) == this) return i;
    return -1;
}

void TToolButton::Apply() {
    QToolButton* b = TToolAccess::Button(this);
    TApplyGuard guard(this);
    const bool sep = FStyle == tbsSeparator || FStyle == tbsDivider;
    b->setText(sep ? QString() : ToQString(TControlAccess::TextField(this)));
    b->setEnabled(!sep && Enabled());
    b->setCheckable(FStyle == tbsCheck);
    b->setChecked(FDown);
    b->setDown(FDown && FStyle != tbsCheck);
    b->setAutoRaise(true);
    b->setPopupMode(FStyle == tbsDropDown ? QToolButton::MenuButtonPopup : QToolButton::DelayedPopup);
    TToolBar* bar = ToolBar();
    TCustomImageList* images = bar ? bar->Images() : nullptr;
    // With images a button shows its image, and its caption under it only with ShowCaptions.
    QIcon icon;
    if (images && !sep && FImageIndex >= 0) icon = ImageListIcon(images, FImageIndex, bar->DisabledImages());
    b->setIcon(icon);
    if (images) b->setIconSize(QSize(images->Width(), images->Height()));
    const bool captions = bar && bar->ShowCaptions();
    b->setToolButtonStyle(images ? (captions ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly)
                                 : (captions ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonTextOnly));
}

void TToolButton::SetParent(TWinControl* NewParent) {
    TGraphicControl::SetParent(NewParent);
    Apply();
}

void TToolButton::SetStyle(TToolButtonStyle v) {
    FStyle = v;
    if ((v == tbsSeparator || v == tbsDivider) && Width() > 8) SetWidth(8);
    Apply();
    if (ToolBar()) ToolBar()->ArrangeButtons();
}
void TToolButton::SetImageIndex(int v) {
    FImageIndex = v;
    Apply();
}

void TToolButton::SetDown(bool v) {
    if (v == FDown) return;
    // The last down button of a group stays down unless AllowAllUp.
    if (!v && FGrouped && !FAllowAllUp && FStyle == tbsCheck) {
        Apply();
        return;
    }
    FDown = v;
    if (v && FGrouped && ToolBar()) {
        // Neighbouring grouped check buttons form one group.
        TToolBar* bar = ToolBar();
        int i = Index();
        auto release = [&](int j) {
            TToolButton* o = bar->Buttons(j);
            if (!o->FGrouped || o->FStyle != tbsCheck) return false;
            if (o->FDown) {
                o->FDown = false;
                o->Apply();
            }
            return true;
        };
        for (int j = i - 1; j >= 0 && release(j); --j) {
        }
        for (int j = i + 1; j < bar->ButtonCount() && release(j); ++j) {
        }
    }
    Apply();
}

void TToolButton::SetDropdownMenu(TPopupMenu* v) {
    FDropdownMenu = v;
    if (v) v->FreeNotification(this);
}

void TToolButton::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDropdownMenu) FDropdownMenu = nullptr;
}

void TToolButton::Click() {
    if (FStyle == tbsCheck) {
        if (FGrouped && FDown && !FAllowAllUp) {
            Apply();
        } else {
            SetDown(!FDown);
        }
    }
    TGraphicControl::Click();
}

void TToolButton::ActionChange(TBasicAction* Sender, bool CheckDefaults) {
    TGraphicControl::ActionChange(Sender, CheckDefaults);
    if (auto* a = dynamic_cast<TCustomAction*>(Sender)) {
        FImageIndex = a->ImageIndex();
        if (FStyle == tbsCheck || a->Checked()) FDown = a->Checked();
        Apply();
    }
}

void TToolButton::SetTextValue(const String& v) {
    TControlAccess::SetTextField(this, v);
    Apply();
}

void TToolButton::EnabledChanged() {
    Apply();
    TGraphicControl::EnabledChanged();
}

TToolBar::TToolBar(TComponent* AOwner) : TWinControl(AOwner) {
    SetColor(clBtnFace);
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
}

TToolBar::~TToolBar() {
    Destroying();
    FImageLink.reset();
    FDisabledImageLink.reset();
}

int TToolBar::ButtonCount() const {
    int n = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (dynamic_cast<TToolButton*>(Controls(i))) ++n;
    return n;
}

TToolButton* TToolBar::Buttons(int Index) const {
    int n = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TToolButton*>(Controls(i))) {
            if (n == Index) return b;
            ++n;
        }
    ListIndexError(Index);
}

void TToolBar::SetShowCaptions(bool v) {
    FShowCaptions = v;
    UpdateButtons();
    ArrangeButtons();
}
void TToolBar::SetImages(TCustomImageList* v) {
    FollowImageList(FImages, v, FImageLink, [this] { UpdateButtons(); });
}
void TToolBar::SetDisabledImages(TCustomImageList* v) {
    FollowImageList(FDisabledImages, v, FDisabledImageLink, [this] { UpdateButtons(); });
}
void TToolBar::UpdateButtons() {
    if (ComponentState().Contains(csDestroying)) return;
    for (int i = 0; i < ButtonCount(); ++i)
        Buttons(i)->Apply();
}
void TToolBar::SetButtonWidth(int v) {
    FButtonWidth = v;
    ArrangeButtons();
}
void TToolBar::SetButtonHeight(int v) {
    FButtonHeight = v;
    ArrangeButtons();
}

void TToolBar::ArrangeButtons() {
    int x = 0;
    for (int i = 0; i < ButtonCount(); ++i) {
        TToolButton* b = Buttons(i);
        if (!b->Visible()) continue;
        const bool sep = b->Style() == tbsSeparator || b->Style() == tbsDivider;
        int w = sep ? 8 : FButtonWidth;
        if (!sep && FShowCaptions) {
            QFontMetrics fm(TControlAccess::Widget(b)->font());
            w = std::max(FButtonWidth, fm.horizontalAdvance(ToQString(StripHotkey(b->Caption()))) + 12);
        }
        b->SetBounds(x, 2, w, FButtonHeight);
        x += w;
    }
}

void TToolBar::Resize() {
    TWinControl::Resize();
    ArrangeButtons();
}
