#include "gui/qt/FileDialogLook.h"

#include "gui/qt/QtSupport.h"
#include "rtl/Format.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QListView>
#include <QScreen>
#include <QSplitter>
#include <QTreeView>

#include <algorithm>

namespace {

// The column of the file list that holds the date of the last change.
constexpr int DateColumn = 3;
// The side panel never takes more than this of the dialog, however long an entry.
constexpr int MaxSidePanelWidth = 260;
// Room for the side panel, the names and the three columns beside them (at most nine tenths of
// the screen).
constexpr int FileDialogWidth = 820;

// The width the side panel needs for its longest entry (0 when there is none).
int FitSidePanel(QFileDialog& dialog) {
    auto* panel = dialog.findChild<QListView*>(QStringLiteral("sidebar"));
    if (!panel || !panel->model()) return 0;
    panel->setTextElideMode(Qt::ElideNone);
    int widest = 0;
    for (int row = 0; row < panel->model()->rowCount(); ++row)
        widest = std::max(widest, panel->sizeHintForIndex(panel->model()->index(row, 0)).width());
    const int frame = 2 * panel->frameWidth() + panel->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int width = std::min(widest + frame, MaxSidePanelWidth);
    panel->setMinimumWidth(width);
    return width;
}

void FitFileList(QFileDialog& dialog) {
    auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!list) return;
    list->setItemDelegate(new TFileListDelegate(list));
    QHeaderView* header = list->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < header->count(); ++column)
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
}

} // namespace

QString TFileListDelegate::ShownText(const QModelIndex& index) const {
    QStyleOptionViewItem option;
    initStyleOption(&option, index);
    return option.text;
}

void TFileListDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.column() != DateColumn) return;
    const auto* model = qobject_cast<const QFileSystemModel*>(index.model());
    if (!model) return;
    const QDateTime changed = model->lastModified(index);
    if (!changed.isValid()) return;
    const TFormatSettings& settings = FormatSettings();
    option->text = ToQString(
        FormatDateTime(settings.ShortDateFormat + " " + settings.ShortTimeFormat, FromQtDateTime(changed)));
}

void FitFileDialog(QFileDialog& dialog) {
    const int panel = FitSidePanel(dialog);
    FitFileList(dialog);
    int width = std::max(dialog.width(), FileDialogWidth);
    if (const QScreen* screen = dialog.screen())
        width = std::min(width, screen->availableGeometry().width() * 9 / 10);
    dialog.resize(width, dialog.height());
    // The side panel keeps its width; the file list takes the rest.
    if (auto* splitter = dialog.findChild<QSplitter*>(QStringLiteral("splitter")); splitter && panel > 0) {
        splitter->setStretchFactor(0, 0);
        splitter->setStretchFactor(1, 1);
        splitter->setSizes({panel, std::max(0, splitter->width() - panel)});
    }
}
