// Painting the chart through Qt Charts: the chart is built as a Qt chart for the rectangle,
// rendered into a picture of the canvas's resolution and drawn onto the canvas. Kinds Qt Charts
// lacks (Gantt bars, arrows, bubbles, shapes) are drawn from its line and scatter series.
#include "chart/Chart.h"

#include "gui/Bitmap.h"
#include "gui/qt/QtSupport.h"

#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QHorizontalBarSeries>
#include <QtCharts/QLineSeries>
#include <QtCharts/QPieSeries>
#include <QtCharts/QScatterSeries>

#include <cstring>

namespace {

// Colours of series whose points use the automatic colour, in the order series are added.
const TColor Palette[] = {0x0000FF, 0x008000, 0xFF0000, 0x00FFFF, 0xFF00FF, 0x808000, 0x800080, 0x808080};

TColor PointColor(const TChartSeries& s, const TChartPoint& p, int index) {
    if (p.Color != clChartAutomatic) return p.Color;
    if (s.SeriesColor != clChartAutomatic) return s.SeriesColor;
    return Palette[index % 8];
}

double XOf(const TChartPoint& p, int i) {
    return p.HasX ? p.X : i;
}

QString Q(const String& s) {
    return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

void AddQtSeries(QChart& chart, const TChartSeries& s, int seriesIndex) {
    const QColor color =
        ToQColor(s.SeriesColor != clChartAutomatic ? s.SeriesColor : Palette[seriesIndex % 8]);
    const auto& pts = s.Points();
    switch (s.Kind()) {
    case ckLine:
    case ckFastLine:
    case ckArea: {
        auto* line = new QLineSeries();
        for (int i = 0; i < static_cast<int>(pts.size()); ++i)
            if (!pts[i].Null) line->append(XOf(pts[i], i), pts[i].Y);
        line->setColor(color);
        if (s.Kind() == ckArea) {
            auto* area = new QAreaSeries(line);
            area->setColor(color);
            chart.addSeries(area);
        } else {
            chart.addSeries(line);
        }
        break;
    }
    case ckPoint: {
        auto* points = new QScatterSeries();
        for (int i = 0; i < static_cast<int>(pts.size()); ++i)
            if (!pts[i].Null) points->append(XOf(pts[i], i), pts[i].Y);
        points->setColor(color);
        chart.addSeries(points);
        break;
    }
    case ckBar:
    case ckHorizBar: {
        auto* set = new QBarSet(Q(s.Title));
        set->setColor(color);
        QStringList labels;
        for (const TChartPoint& p : pts) {
            *set << (p.Null ? 0.0 : p.Y);
            labels << Q(p.Label);
        }
        QAbstractBarSeries* bars = s.Kind() == ckBar ? static_cast<QAbstractBarSeries*>(new QBarSeries())
                                                     : new QHorizontalBarSeries();
        bars->append(set);
        chart.addSeries(bars);
        auto* axis = new QBarCategoryAxis();
        axis->append(labels);
        chart.addAxis(axis, s.Kind() == ckBar ? Qt::AlignBottom : Qt::AlignLeft);
        bars->attachAxis(axis);
        break;
    }
    case ckPie: {
        auto* pie = new QPieSeries();
        for (int i = 0; i < static_cast<int>(pts.size()); ++i) {
            if (pts[i].Null) continue;
            QPieSlice* slice = pie->append(Q(pts[i].Label), pts[i].Y);
            slice->setColor(ToQColor(PointColor(s, pts[i], i)));
        }
        chart.addSeries(pie);
        break;
    }
    case ckGantt:
    case ckArrow:
    case ckShape:
        // Each bar or arrow is a line of its own.
        for (int i = 0; i < static_cast<int>(pts.size()); ++i) {
            if (pts[i].Null) continue;
            auto* line = new QLineSeries();
            const double y1 = s.Kind() == ckGantt ? pts[i].Y : pts[i].Y1;
            line->append(pts[i].X, pts[i].Y);
            line->append(pts[i].X1, y1);
            QPen pen(ToQColor(PointColor(s, pts[i], seriesIndex)));
            pen.setWidth(s.Kind() == ckGantt ? 8 : 2);
            line->setPen(pen);
            chart.addSeries(line);
        }
        break;
    case ckBubble:
        for (int i = 0; i < static_cast<int>(pts.size()); ++i) {
            if (pts[i].Null) continue;
            auto* bubble = new QScatterSeries();
            bubble->append(pts[i].X, pts[i].Y);
            bubble->setMarkerSize(std::max(4.0, 2 * pts[i].Radius));
            bubble->setColor(ToQColor(PointColor(s, pts[i], i)));
            chart.addSeries(bubble);
        }
        break;
    }
}

} // namespace

void TChart::Paint(TCanvas& Canvas, const TRect& Rect) const {
    const int w = Rect.Width(), h = Rect.Height();
    if (w <= 0 || h <= 0) return;
    EnsureQtApp();
    QGraphicsScene scene;
    auto* chart = new QChart();
    scene.addItem(chart);
    chart->setGeometry(0, 0, w, h);
    chart->setBackgroundRoundness(0);
    chart->setBackgroundBrush(QBrush(ToQColor(Color)));
    chart->setBackgroundPen(FrameVisible ? QPen(Qt::black) : QPen(Qt::NoPen));
    chart->setTitle(Q(Title));
    chart->legend()->setVisible(false);
    chart->setAnimationOptions(QChart::NoAnimation);
    for (int i = 0; i < SeriesCount(); ++i)
        if (Series(i)->Active) AddQtSeries(*chart, *Series(i), i);
    bool pieOnly = SeriesCount() > 0;
    for (int i = 0; i < SeriesCount(); ++i)
        pieOnly = pieOnly && Series(i)->Kind() == ckPie;
    if (!pieOnly) {
        chart->createDefaultAxes();
        for (QAbstractAxis* axis : chart->axes())
            axis->setVisible(AxesVisible);
    }
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(ToQColor(Color));
    {
        QPainter painter(&image);
        scene.render(&painter, QRectF(0, 0, w, h), QRectF(0, 0, w, h));
    }
    TBitmap bitmap(w, h, pf32bit);
    for (int y = 0; y < h; ++y)
        std::memcpy(bitmap.ScanLine(y), image.constScanLine(y), static_cast<size_t>(w) * 4);
    Canvas.StretchDraw(Rect, &bitmap);
}
