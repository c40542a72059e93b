#include "gui/DialogWatch.h"

#include "gui/qt/QtSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
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

} // namespace

void WatchToolkitDialog(std::function<bool(const TToolkitDialog&)> Seen, const String& Press, int TimeoutMs) {
    EnsureQtApp();
    auto* timer = new QTimer(qApp);
    auto clock = std::make_shared<QElapsedTimer>();
    auto exposedFor = std::make_shared<int>(0);
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
        // the screen when it is looked at.
        if (++*exposedFor < 8) return;
        timer->stop();
        timer->deleteLater();
        TToolkitDialog shown;
        shown.Title = FromQString(dialog->windowTitle());
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) shown.Text = FromQString(box->text());
        shown.Buttons = Buttons(dialog);
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
