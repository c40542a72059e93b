// String lists kept in widgets: combo box and list box entries with their objects, memo lines.
#include "gui/qt/ItemStrings.h"

#include "gui/qt/QtSupport.h"

#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace {
QVariant ObjectData(TObject* obj) {
    return QVariant::fromValue(static_cast<void*>(obj));
}
TObject* DataObject(const QVariant& v) {
    return v.isValid() ? static_cast<TObject*>(v.value<void*>()) : nullptr;
}
} // namespace

void TWidgetItemStrings::CheckIndex(Integer index) const {
    if (index < 0 || index >= Count()) StringListIndexError(index);
}

Integer TWidgetItemStrings::AddObject(const String& s, TObject* obj) {
    Integer index = Count();
    if (IsSorted && IsSorted()) {
        // The first position whose entry sorts after s.
        Integer lo = 0, hi = Count();
        while (lo < hi) {
            Integer mid = (lo + hi) / 2;
            if (CompareStrings(Get(mid), s) <= 0)
                lo = mid + 1;
            else
                hi = mid;
        }
        index = lo;
    }
    DoInsert(index, s, obj);
    NotifyChanged();
    return index;
}

void TWidgetItemStrings::InsertObject(Integer index, const String& s, TObject* obj) {
    if (index < 0 || index > Count()) StringListIndexError(index);
    DoInsert(index, s, obj);
    NotifyChanged();
}

// ---------------------------------------------------------------------------------------------

Integer TComboItemStrings::Count() const {
    return FBox->count();
}
// Changing the entries never changes what the box shows: an editable box keeps its text, and
// entries added to an empty box select none of them (the toolkit would select the first).
void TComboItemStrings::Clear() {
    const QString text = FBox->currentText();
    FBox->clear();
    if (FBox->isEditable()) FBox->setEditText(text);
    NotifyChanged();
}
void TComboItemStrings::Delete(Integer index) {
    CheckIndex(index);
    FBox->removeItem(index);
    NotifyChanged();
}
void TComboItemStrings::DoInsert(Integer index, const String& s, TObject* obj) {
    const bool wasEmpty = FBox->count() == 0;
    const QString text = FBox->currentText();
    FBox->insertItem(index, ToQString(s), ObjectData(obj));
    if (!wasEmpty) return;
    FBox->setCurrentIndex(-1);
    if (FBox->isEditable()) FBox->setEditText(text);
}
String TComboItemStrings::Get(Integer index) const {
    CheckIndex(index);
    return FromQString(FBox->itemText(index));
}
void TComboItemStrings::Put(Integer index, const String& s) {
    CheckIndex(index);
    FBox->setItemText(index, ToQString(s));
}
TObject* TComboItemStrings::GetObject(Integer index) const {
    CheckIndex(index);
    return DataObject(FBox->itemData(index));
}
void TComboItemStrings::PutObject(Integer index, TObject* obj) {
    CheckIndex(index);
    FBox->setItemData(index, ObjectData(obj));
}

// ---------------------------------------------------------------------------------------------

Integer TListItemStrings::Count() const {
    return FList->count();
}
void TListItemStrings::Clear() {
    FList->clear();
    NotifyChanged();
}
void TListItemStrings::Delete(Integer index) {
    CheckIndex(index);
    delete FList->takeItem(index);
    NotifyChanged();
}
void TListItemStrings::DoInsert(Integer index, const String& s, TObject* obj) {
    auto* item = new QListWidgetItem(ToQString(s)); // the list widget owns it
    item->setData(Qt::UserRole, ObjectData(obj));
    // The box shows; toggling it is left to the control (check list boxes toggle by their rules),
    // so the view must not toggle it as well.
    if (FCheckable) {
        item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    FList->insertItem(index, item);
}
String TListItemStrings::Get(Integer index) const {
    CheckIndex(index);
    return FromQString(FList->item(index)->text());
}
void TListItemStrings::Put(Integer index, const String& s) {
    CheckIndex(index);
    FList->item(index)->setText(ToQString(s));
}
TObject* TListItemStrings::GetObject(Integer index) const {
    CheckIndex(index);
    return DataObject(FList->item(index)->data(Qt::UserRole));
}
void TListItemStrings::PutObject(Integer index, TObject* obj) {
    CheckIndex(index);
    FList->item(index)->setData(Qt::UserRole, ObjectData(obj));
}

// ---------------------------------------------------------------------------------------------

QStringList TMemoStrings::Lines() const {
    QString text = FEdit->toPlainText();
    if (text.isEmpty()) return {};
    QStringList lines = text.split('\n');
    if (lines.last().isEmpty()) lines.removeLast();
    return lines;
}

void TMemoStrings::SetLines(const QStringList& lines) {
    FEdit->setPlainText(lines.join('\n'));
}

Integer TMemoStrings::Count() const {
    return static_cast<Integer>(Lines().size());
}
void TMemoStrings::Clear() {
    FEdit->clear();
}
void TMemoStrings::Delete(Integer index) {
    QStringList l = Lines();
    if (index < 0 || index >= l.size()) StringListIndexError(index);
    l.removeAt(index);
    SetLines(l);
}
void TMemoStrings::Insert(Integer index, const String& s) {
    QStringList l = Lines();
    if (index < 0 || index > l.size()) StringListIndexError(index);
    // A line holding line breaks becomes several lines, as in the edit control.
    QString text = ToQString(s);
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    l.insert(index, text);
    SetLines(l);
}
String TMemoStrings::Get(Integer index) const {
    QStringList l = Lines();
    if (index < 0 || index >= l.size()) StringListIndexError(index);
    return FromQString(l[index]);
}
void TMemoStrings::Put(Integer index, const String& s) {
    QStringList l = Lines();
    if (index < 0 || index >= l.size()) StringListIndexError(index);
    l[index] = ToQString(s);
    SetLines(l);
}
String TMemoStrings::Text() const {
    String r;
    for (const QString& line : Lines())
        r += FromQString(line) + "\r\n";
    return r;
}
void TMemoStrings::SetText(const String& text) {
    QString t = ToQString(text);
    t.replace("\r\n", "\n");
    t.replace('\r', '\n');
    if (t.endsWith('\n')) t.chop(1);
    FEdit->setPlainText(t);
}
