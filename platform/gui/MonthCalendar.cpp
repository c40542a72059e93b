#include "gui/MonthCalendar.h"

#include "classes/MetaBuilder.h"
#include "gui/qt/ControlImpl.h"
#include "rtl/DateUtils.h"

#include <QCalendarWidget>
#include <QTableView>
#include <QToolButton>

ORV_META_IMPL(TMonthCalendar)
void TMonthCalendar::DeclareMeta(meta::Class<TMonthCalendar>&) {}

namespace {

QCalendarWidget* Calendar(const TMonthCalendar* c) {
    return static_cast<QCalendarWidget*>(TControlAccess::Widget(c));
}

QTableView* View(const TMonthCalendar* c) {
    return Calendar(c)->findChild<QTableView*>("qt_calendar_calendarview");
}

QDate ToQDate(TDateTime d) {
    Word y, m, day;
    DecodeDate(d, y, m, day);
    return QDate(y, m, day);
}

bool HasDayHeader(const QCalendarWidget* w) {
    return w->horizontalHeaderFormat() != QCalendarWidget::NoHorizontalHeader;
}

bool HasWeekColumn(const QCalendarWidget* w) {
    return w->verticalHeaderFormat() == QCalendarWidget::ISOWeekNumbers;
}

} // namespace

TMonthCalendar::TMonthCalendar(TComponent* AOwner) : TWinControl(AOwner) {
    auto* w = new QCalendarWidget();
    w->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    w->setGridVisible(false);
    TControlAccess::SetWidget(this, w);
    SetBounds(0, 0, 250, 190);
    QObject::connect(w, &QCalendarWidget::clicked, w, [this](QDate) {
        if (OnDateClick) OnDateClick(this);
    });
}

TDateTime TMonthCalendar::Date() const {
    const QDate d = Calendar(this)->selectedDate();
    return EncodeDate(static_cast<Word>(d.year()), static_cast<Word>(d.month()), static_cast<Word>(d.day()));
}

void TMonthCalendar::SetDate(TDateTime Value) {
    const QDate d = ToQDate(Value);
    QCalendarWidget* w = Calendar(this);
    if (!d.isValid() || d < w->minimumDate() || d > w->maximumDate()) return;
    w->setSelectedDate(d);
}

TPoint TMonthCalendar::MinimumMonthSize() const {
    const QSize s = Calendar(this)->minimumSizeHint();
    return TPoint(s.width(), s.height());
}

bool TMonthCalendar::WeekNumbers() const {
    return HasWeekColumn(Calendar(this));
}

void TMonthCalendar::SetWeekNumbers(bool Value) {
    Calendar(this)->setVerticalHeaderFormat(Value ? QCalendarWidget::ISOWeekNumbers
                                                  : QCalendarWidget::NoVerticalHeader);
}

Cardinal TMonthCalendar::HitTest(const TPoint& Point) const {
    QCalendarWidget* w = Calendar(this);
    const QPoint p(Point.X, Point.Y);
    if (!w->rect().contains(p)) return MCHT_NOWHERE;
    QWidget* child = w->childAt(p);
    for (QWidget* c = child; c && c != w; c = c->parentWidget()) {
        const QString name = c->objectName();
        if (name == "qt_calendar_prevmonth") return MCHT_TITLEBTNPREV;
        if (name == "qt_calendar_nextmonth") return MCHT_TITLEBTNNEXT;
        if (name == "qt_calendar_monthbutton") return MCHT_TITLEMONTH;
        if (name == "qt_calendar_yearbutton" || name == "qt_calendar_yearedit") return MCHT_TITLEYEAR;
        if (name == "qt_calendar_navigationbar") return MCHT_TITLEBK;
        if (name == "qt_calendar_calendarview") {
            QTableView* view = View(this);
            const QModelIndex index = view->indexAt(view->viewport()->mapFrom(w, p));
            if (!index.isValid()) return MCHT_CALENDARBK;
            const int firstRow = HasDayHeader(w) ? 1 : 0;
            const int firstCol = HasWeekColumn(w) ? 1 : 0;
            if (index.row() < firstRow) return MCHT_CALENDARDAY;
            if (index.column() < firstCol) return MCHT_CALENDARWEEKNUM;
            const int day = index.data(Qt::DisplayRole).toInt();
            const int row = index.row() - firstRow;
            if (row <= 1 && day > 20) return MCHT_CALENDARDATEPREV;
            if (row >= 4 && day < 15) return MCHT_CALENDARDATENEXT;
            return MCHT_CALENDARDATE;
        }
    }
    return MCHT_CALENDARBK;
}

TPoint TMonthCalendar::DateCellPoint(TDateTime Date) const {
    QCalendarWidget* w = Calendar(this);
    QTableView* view = View(this);
    const QDate d = ToQDate(Date);
    const int firstRow = HasDayHeader(w) ? 1 : 0;
    const int firstCol = HasWeekColumn(w) ? 1 : 0;
    QAbstractItemModel* model = view->model();
    for (int r = firstRow; r < model->rowCount(); ++r)
        for (int c = firstCol; c < model->columnCount(); ++c) {
            const QModelIndex index = model->index(r, c);
            const int day = index.data(Qt::DisplayRole).toInt();
            const int row = r - firstRow;
            if (day != d.day() || (row <= 1 && day > 20) || (row >= 4 && day < 15)) continue;
            const QPoint p = view->viewport()->mapTo(w, view->visualRect(index).center());
            return TPoint(p.x(), p.y());
        }
    return TPoint(-1, -1);
}

TPoint TMonthCalendar::TitleButtonPoint(bool Next) const {
    QCalendarWidget* w = Calendar(this);
    auto* b = w->findChild<QToolButton*>(Next ? "qt_calendar_nextmonth" : "qt_calendar_prevmonth");
    if (!b) return TPoint(-1, -1);
    const QPoint p = b->mapTo(w, b->rect().center());
    return TPoint(p.x(), p.y());
}
