// The chart component's model: series and their points, and the chart's own stream.
#include "chart/Chart.h"

#include "classes/MetaBuilder.h"

#include "rtl/Streams.h"

#include <cstring>

namespace {
const char* const SeriesClassNames[] = {"TLineSeries",     "TAreaSeries",   "TPointSeries", "TBarSeries",
                                        "THorizBarSeries", "TPieSeries",    "TGanttSeries", "TFastLineSeries",
                                        "TArrowSeries",    "TBubbleSeries", "TChartShape"};
const char Magic[8] = {'O', 'R', 'V', 'C', 'H', 'R', 'T', '1'};

class TOut {
public:
    explicit TOut(TStream& s) : S(s) {}
    TStream& S;
    void I32(Int64 v) {
        Byte b[4];
        for (int i = 0; i < 4; ++i)
            b[i] = static_cast<Byte>(static_cast<UInt64>(v) >> (8 * i));
        S.WriteBuffer(b, 4);
    }
    void F64(double v) { S.WriteBuffer(&v, 8); }
    void Str(const String& v) {
        I32(static_cast<Int64>(v.size()));
        if (!v.empty()) S.WriteBuffer(v.data(), static_cast<Int64>(v.size()));
    }
};

class TIn {
public:
    explicit TIn(TStream& s) : S(s) {}
    TStream& S;
    int I32() {
        Byte b[4];
        S.ReadBuffer(b, 4);
        return static_cast<int>(b[0] | b[1] << 8 | b[2] << 16 | static_cast<UInt64>(b[3]) << 24);
    }
    double F64() {
        double v;
        S.ReadBuffer(&v, 8);
        return v;
    }
    String Str() {
        const int n = I32();
        if (n < 0 || n > S.Size() - S.Position()) throw EReadError("Chart data is not valid");
        String v(static_cast<size_t>(n), '\0');
        if (n) S.ReadBuffer(v.data(), n);
        return v;
    }
};
} // namespace

ORV_META_IMPL(TChartSeries)
void TChartSeries::DeclareMeta(meta::Class<TChartSeries>& c) {
    using T = TChartSeries;
    c.Property("Active", &T::Active, &T::Active).Default(true);
    c.Property("SeriesColor", &T::SeriesColor, &T::SeriesColor).TypeName("TColor");
    c.Property("Title", &T::Title, &T::Title);
}

ORV_META_IMPL(TChart)
void TChart::DeclareMeta(meta::Class<TChart>& c) {
    using T = TChart;
    c.Property("AxesVisible", &T::AxesVisible, &T::AxesVisible).Default(true);
    c.Property("Color", &T::Color, &T::Color).TypeName("TColor");
    c.Property("Title", &T::Title, &T::Title);
}

void TChartSeries::Delete(int Index) {
    if (Index < 0 || Index >= Count()) ListIndexError(Index);
    FPoints.erase(FPoints.begin() + Index);
}

String TChartSeries::ClassName() const {
    return SeriesClassNames[FKind];
}

void TChartSeries::Add(double Y, const String& Label, TColor Color) {
    TChartPoint p;
    p.Y = Y;
    p.Label = Label;
    p.Color = Color;
    FPoints.push_back(p);
}

void TChartSeries::AddXY(double X, double Y, const String& Label, TColor Color) {
    Add(Y, Label, Color);
    FPoints.back().HasX = true;
    FPoints.back().X = X;
}

void TChartSeries::AddNull(const String& Label) {
    TChartPoint p;
    p.Null = true;
    p.Label = Label;
    FPoints.push_back(p);
}

void TChartSeries::AddGanttBar(double Start, double End, double Y, const String& Label) {
    AddXY(Start, Y, Label);
    FPoints.back().X1 = End;
}

void TChartSeries::SetNextTask(int Value) {
    if (!FPoints.empty()) FPoints.back().NextTask = Value;
}

void TChartSeries::AddArrow(double X0, double Y0, double X1, double Y1, const String& Label, TColor Color) {
    AddXY(X0, Y0, Label, Color);
    FPoints.back().X1 = X1;
    FPoints.back().Y1 = Y1;
}

void TChartSeries::AddBubble(double X, double Y, double Radius, const String& Label, TColor Color) {
    AddXY(X, Y, Label, Color);
    FPoints.back().Radius = Radius;
}

TChart::TChart() = default;
TChart::~TChart() = default;

TChartSeries* TChart::Series(int Index) const {
    if (Index < 0 || Index >= SeriesCount()) return nullptr;
    return FSeries[static_cast<size_t>(Index)].get();
}

TChartSeries* TChart::AddSeries(TChartSeriesKind Kind) {
    FSeries.push_back(std::make_unique<TChartSeries>(Kind));
    return FSeries.back().get();
}

void TChart::SaveToStream(TStream& Stream) const {
    Stream.WriteBuffer(Magic, 8);
    TOut o(Stream);
    o.Str(Name);
    o.I32(Color);
    o.I32((BevelInner ? 1 : 0) | (BevelOuter ? 2 : 0) | (FrameVisible ? 4 : 0) | (Orthogonal ? 8 : 0) |
          (AxesVisible ? 16 : 0) | (Walls3D ? 32 : 0));
    o.I32(Rotation);
    o.I32(Elevation);
    o.Str(Title);
    o.I32(SeriesCount());
    for (const auto& s : FSeries) {
        o.I32(s->Kind());
        o.Str(s->Title);
        o.I32(s->SeriesColor);
        o.I32((s->XDateTime ? 1 : 0) | (s->YDateTime ? 2 : 0));
        o.I32(static_cast<Int64>(s->Points().size()));
        for (const TChartPoint& p : s->Points()) {
            o.I32((p.Null ? 1 : 0) | (p.HasX ? 2 : 0));
            o.Str(p.Label);
            o.I32(p.Color);
            for (double v : {p.X, p.Y, p.X1, p.Y1, p.Radius})
                o.F64(v);
            o.I32(p.NextTask);
        }
    }
}

void TChart::LoadFromStream(TStream& Stream) {
    char head[8];
    if (Stream.Read(head, 8) != 8 || std::memcmp(head, Magic, 8) != 0)
        throw EReadError("Chart data is not valid");
    TIn in(Stream);
    TChart c;
    c.Name = in.Str();
    c.Color = in.I32();
    const int flags = in.I32();
    c.BevelInner = flags & 1;
    c.BevelOuter = flags & 2;
    c.FrameVisible = flags & 4;
    c.Orthogonal = flags & 8;
    c.AxesVisible = flags & 16;
    c.Walls3D = flags & 32;
    c.Rotation = in.I32();
    c.Elevation = in.I32();
    c.Title = in.Str();
    const int count = in.I32();
    for (int i = 0; i < count; ++i) {
        const int kind = in.I32();
        if (kind < ckLine || kind > ckShape) throw EReadError("Chart data is not valid");
        TChartSeries* s = c.AddSeries(static_cast<TChartSeriesKind>(kind));
        s->Title = in.Str();
        s->SeriesColor = in.I32();
        const int sf = in.I32();
        s->XDateTime = sf & 1;
        s->YDateTime = sf & 2;
        const int points = in.I32();
        if (points < 0) throw EReadError("Chart data is not valid");
        for (int k = 0; k < points; ++k) {
            const int pf = in.I32();
            const String label = in.Str();
            const TColor color = in.I32();
            double v[5];
            for (double& x : v)
                x = in.F64();
            const int next = in.I32();
            if (pf & 1) {
                s->AddNull(label);
                continue;
            }
            s->AddXY(v[0], v[1], label, color);
            TChartPoint& p = *s->LastPoint();
            p.HasX = pf & 2;
            p.X1 = v[2];
            p.Y1 = v[3];
            p.Radius = v[4];
            p.NextTask = next;
        }
    }
    Name = c.Name;
    Color = c.Color;
    BevelInner = c.BevelInner;
    BevelOuter = c.BevelOuter;
    FrameVisible = c.FrameVisible;
    Orthogonal = c.Orthogonal;
    AxesVisible = c.AxesVisible;
    Walls3D = c.Walls3D;
    Rotation = c.Rotation;
    Elevation = c.Elevation;
    Title = c.Title;
    FSeries = std::move(c.FSeries);
}
