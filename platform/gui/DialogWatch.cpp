#include "gui/DialogWatch.h"

#include "gui/qt/FileDialogLook.h"
#include "gui/qt/QtSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QTreeView>
#include <QWindow>

#include <algorithm>
#include <memory>

namespace {

String ButtonCaption(const QAbstractButton* button) {
    QString text = button->text();
    text.remove('&');
    return FromQString(text);
}

// The visible buttons of the dialog, left to right and top to bottom.
std::vector<String> Buttons(QDialog* dialog) {
    QList<QAbstractButton*> buttons = dialog->findChildren<QAbstractButton*>();
    buttons.erase(std::remove_if(
                      buttons.begin(), buttons.end(),
                      [](QAbstractButton* b) { return !b->isVisibleTo(b->window()) || b->text().isEmpty(); }),
                  buttons.end());
    std::sort(buttons.begin(), buttons.end(), [dialog](QAbstractButton* a, QAbstractButton* b) {
        const QPoint pa = a->mapTo(dialog, QPoint()), pb = b->mapTo(dialog, QPoint());
        return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
    });
    std::vector<String> out;
    for (QAbstractButton* b : buttons)
        out.push_back(ButtonCaption(b));
    return out;
}

// The rows of the dialog's visible lists, left to right, as TToolkitDialog::Rows has them.
std::vector<String> ListRows(QDialog* dialog) {
    QList<QAbstractItemView*> views = dialog->findChildren<QAbstractItemView*>();
    views.erase(
        std::remove_if(views.begin(), views.end(),
                       [dialog](QAbstractItemView* v) { return !v->isVisibleTo(dialog) || !v->model(); }),
        views.end());
    std::sort(views.begin(), views.end(), [dialog](QAbstractItemView* a, QAbstractItemView* b) {
        return a->mapTo(dialog, QPoint()).x() < b->mapTo(dialog, QPoint()).x();
    });
    std::vector<String> rows;
    for (QAbstractItemView* view : views) {
        const QAbstractItemModel* model = view->model();
        const QModelIndex root = view->rootIndex();
        const auto* files = dynamic_cast<const TFileListDelegate*>(view->itemDelegate());
        for (int row = 0; row < model->rowCount(root); ++row) {
            String line;
            for (int column = 0; column < model->columnCount(root); ++column) {
                const QModelIndex index = model->index(row, column, root);
                const QRect cell = view->visualRect(index);
                if (cell.isEmpty() || !cell.intersects(view->viewport()->rect())) continue;
                String text = FromQString(files ? files->ShownText(index) : index.data().toString());
                if (view->sizeHintForIndex(index).width() > cell.width()) text += "…";
                line += (line.empty() ? "" : "\t") + text;
            }
            if (!line.empty()) rows.push_back(line);
        }
    }
    return rows;
}

// A file dialog whose file list is still empty is reading its folder.
bool ReadingFolder(QDialog* dialog) {
    auto* files = qobject_cast<QFileDialog*>(dialog);
    if (!files) return false;
    auto* list = files->findChild<QTreeView*>(QStringLiteral("treeView"));
    return list && list->isVisibleTo(dialog) && list->model() &&
           list->model()->rowCount(list->rootIndex()) == 0;
}

} // namespace

void WatchToolkitDialog(std::function<bool(const TToolkitDialog&)> Seen, const String& Press, int TimeoutMs) {
    EnsureQtApp();
    auto* timer = new QTimer(qApp);
    auto clock = std::make_shared<QElapsedTimer>();
    auto exposedFor = std::make_shared<int>(0);
    auto readingFor = std::make_shared<int>(0);
    clock->start();
    timer->setInterval(25);
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QWindow* window = dialog ? dialog->windowHandle() : nullptr;
        if (!window || !window->isExposed()) {
            if (clock->elapsed() > TimeoutMs) timer->deleteLater();
            return;
        }
        // A few turns more, so the window manager's frame and the dialog's own painting are on
        // the screen when it is looked at (and a file dialog's columns have taken their widths).
        if (ReadingFolder(dialog) && ++*readingFor < 80) return;
        if (++*exposedFor < 8) return;
        timer->stop();
        timer->deleteLater();
        TToolkitDialog shown;
        shown.Title = FromQString(dialog->windowTitle());
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) shown.Text = FromQString(box->text());
        shown.Buttons = Buttons(dialog);
        shown.Rows = ListRows(dialog);
        shown.WindowId = std::to_string(static_cast<unsigned long long>(dialog->winId()));
        const bool answer = Seen ? Seen(shown) : true;
        if (answer)
            for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
                if (b->isVisibleTo(dialog) && ButtonCaption(b) == Press) {
                    b->click();
                    return;
                }
        dialog->reject();
    });
    timer->start();
}
