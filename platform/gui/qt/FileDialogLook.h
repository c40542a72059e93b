// Internal to platform/gui: the toolkit's own file dialog as the program shows it.
#pragma once

#include <QStyledItemDelegate>

class QFileDialog;

// Sizes the side panel to its longest entry and the file list's columns to their texts (the
// name column takes the rest), and shows the files' dates in the program's date format
// (ShortDateFormat and ShortTimeFormat). Call before the dialog is shown.
void FitFileDialog(QFileDialog& dialog);

// Draws and measures the cells of the file list; the date column in the program's format.
class TFileListDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    // The text the cell shows.
    QString ShownText(const QModelIndex& index) const;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
