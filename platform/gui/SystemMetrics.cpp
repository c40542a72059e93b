#include "gui/SystemMetrics.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QInputEvent>
#include <QScreen>
#include <QStyle>
#include <QStyleHints>

namespace {

QElapsedTimer& Clock() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock;
}

// Notes the arrival of every input event so that its handlers can ask for it.
class TInputTimeFilter : public QObject {
public:
    Cardinal Last = 0;
    int Depth = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
            Last = static_cast<Cardinal>(Clock().elapsed());
            break;
        default:
            break;
        }
        return false;
    }
};

TInputTimeFilter* InputTimes() {
    static TInputTimeFilter* filter = [] {
        auto* f = new TInputTimeFilter();
        if (QCoreApplication* app = QCoreApplication::instance()) {
            f->setParent(app);
            app->installEventFilter(f);
        }
        return f;
    }();
    return filter;
}

} // namespace

int GetSystemMetrics(int Index) {
    InputTimes();
    switch (Index) {
    case SM_CXSCREEN:
    case SM_CYSCREEN: {
        QScreen* s = QGuiApplication::primaryScreen();
        if (!s) return 0;
        return Index == SM_CXSCREEN ? s->geometry().width() : s->geometry().height();
    }
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL: // the arrow buttons of the style's scroll bars are square
        return QApplication::style() ? QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 16;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: {
        const int d =
            QGuiApplication::styleHints() ? QGuiApplication::styleHints()->mouseDoubleClickDistance() : 2;
        return 2 * d;
    }
    default:
        return 0;
    }
}

Cardinal GetDoubleClickTime() {
    return QGuiApplication::styleHints()
               ? static_cast<Cardinal>(QGuiApplication::styleHints()->mouseDoubleClickInterval())
               : 500;
}

Cardinal GetMessageTime() {
    TInputTimeFilter* f = InputTimes();
    return f->Last ? f->Last : static_cast<Cardinal>(Clock().elapsed());
}

void SetCursorPos(const TPoint& P) {
    QCursor::setPos(P.X, P.Y);
}
