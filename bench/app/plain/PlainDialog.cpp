// The yardstick of the program's start: a plain dialog of the toolkit with three line edits and
// two buttons, titled and captioned in Chinese like the login (so the same fonts load), shown at
// once. Nothing else: no database, no settings, no other window.
#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("登录窗口"));
    auto* rows = new QVBoxLayout(&dialog);
    for (int i = 0; i < 3; ++i)
        rows->addWidget(new QLineEdit(&dialog));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QPushButton(QStringLiteral("确定"), &dialog));
    buttons->addWidget(new QPushButton(QStringLiteral("取消"), &dialog));
    rows->addLayout(buttons);
    dialog.show();
    return application.exec();
}
