// The chart component: a chart with its look (colour, bevels, frame, 3D view, axes and walls,
// title) and its series of eleven kinds, each a list of points (values with labels and colours,
// null points, Gantt bars with a next task, arrows, bubbles). It paints itself onto any canvas.
#pragma once

#include "classes/Persistent.h"
#include "gui/Graphics.h"

#include <memory>
#include <vector>

class TStream;

// The chart's automatic colour: the series' own colour is used.
constexpr TColor clChartAutomatic = 0x20000000;

enum TChartSeriesKind {
    ckLine,
    ckArea,
    ckPoint,
    ckBar,
    ckHorizBar,
    ckPie,
    ckGantt,
    ckFastLine,
    ckArrow,
    ckBubble,
    ckShape
};

struct TChartPoint {
    bool Null = false;
    String Label;
    TColor Color = clChartAutomatic;
    bool HasX = false;
    double X = 0, Y = 0;
    double X1 = 0, Y1 = 0; // the end of an arrow; the end (X1) of a Gantt bar
    double Radius = 0;     // a bubble's radius
    int NextTask = -1;     // a Gantt bar's next task
};

// Series and charts are objects of the class library: scripts hold them by handle and reach
// Title, Active and SeriesColor (series) and Title (chart) by name.
class TChartSeries : public TPersistent {
public:
    using inherited = TPersistent;
    static constexpr const char* MetaClassName() { return "TChartSeries"; }
    static const meta::TClassInfo& StaticClassInfo();
    const meta::TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
    static void DeclareMeta(meta::Class<TChartSeries>& c);

    explicit TChartSeries(TChartSeriesKind Kind) : FKind(Kind) {}
    TChartSeriesKind Kind() const { return FKind; }
    // The platform's name of the series class ("TLineSeries", "TPieSeries", ...).
    String ClassName() const override;
    String Title;
    TColor SeriesColor = clChartAutomatic;
    // An inactive series is not painted.
    bool Active = true;
    // The number of points.
    int Count() const { return static_cast<int>(FPoints.size()); }
    // Removes one point; EListError "List index out of bounds (n)" outside the points.
    void Delete(int Index);
    // Whether the value lists hold date-times.
    bool XDateTime = false, YDateTime = false;

    void Clear() { FPoints.clear(); }
    void Add(double Y, const String& Label, TColor Color = clChartAutomatic);
    void AddXY(double X, double Y, const String& Label, TColor Color = clChartAutomatic);
    void AddNull(const String& Label);
    void AddGanttBar(double Start, double End, double Y, const String& Label);
    // The next-task value of the last bar added.
    void SetNextTask(int Value);
    void AddArrow(double X0, double Y0, double X1, double Y1, const String& Label, TColor Color);
    void AddBubble(double X, double Y, double Radius, const String& Label, TColor Color);
    const std::vector<TChartPoint>& Points() const { return FPoints; }
    // The last point added (nullptr when there is none).
    TChartPoint* LastPoint() { return FPoints.empty() ? nullptr : &FPoints.back(); }

private:
    TChartSeriesKind FKind;
    std::vector<TChartPoint> FPoints;
};

class TChart : public TPersistent {
    ORV_META(TChart, TPersistent)
    TChart();
    ~TChart() override;

    String Name;
    TColor Color = clWhite;
    bool BevelInner = false, BevelOuter = false;
    bool FrameVisible = true;
    int Rotation = 0, Elevation = 345;
    bool Orthogonal = true;
    bool AxesVisible = true, Walls3D = true;
    String Title;
    bool BufferedDisplay = false;

    int SeriesCount() const { return static_cast<int>(FSeries.size()); }
    TChartSeries* Series(int Index) const;
    TChartSeries* AddSeries(TChartSeriesKind Kind);
    void ClearSeries() { FSeries.clear(); }

    // The chart's own stream: its look and its series with their points.
    void SaveToStream(TStream& Stream) const;
    // Raises EReadError for data that is not such a stream.
    void LoadFromStream(TStream& Stream);

    // Paints the chart into Rect of the canvas: through the canvas's painter where it has one,
    // as a picture at the canvas's resolution on a recording canvas.
    void Paint(TCanvas& Canvas, const TRect& Rect) const;

private:
    std::vector<std::unique_ptr<TChartSeries>> FSeries;
};
