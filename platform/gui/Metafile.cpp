#include "gui/Metafile.h"

#include "gui/qt/MetafileData.h"
#include "gui/qt/QtSupport.h"

#include <algorithm>

// ---- TMetafile

TMetafile::TMetafile() : FData(std::make_shared<Data>()) {}
TMetafile::~TMetafile() = default;

void TMetafile::SetWidth(int width) {
    FWidth = std::max(0, width);
    Changed();
}

void TMetafile::SetHeight(int height) {
    FHeight = std::max(0, height);
    Changed();
}

int TMetafile::MMWidth() const {
    return MulDiv(FWidth, 2540, 96);
}
int TMetafile::MMHeight() const {
    return MulDiv(FHeight, 2540, 96);
}
void TMetafile::SetMMWidth(int value) {
    SetWidth(MulDiv(value, 96, 2540));
}
void TMetafile::SetMMHeight(int value) {
    SetHeight(MulDiv(value, 96, 2540));
}

bool TMetafile::Empty() const {
    return FData->Records.empty();
}

void TMetafile::Clear() {
    FData = std::make_shared<Data>();
    FWidth = FHeight = 0;
    Changed();
}

int TMetafile::RecordCount() const {
    return static_cast<int>(FData->Records.size());
}

TRect TMetafile::DrawnBounds() const {
    return FData->Bounds;
}

std::vector<TMetaTextRecord> TMetafile::TextRecords() const {
    std::vector<TMetaTextRecord> out;
    for (const auto& rec : FData->Records) {
        if (rec.Op != TMetaOp::Text) continue;
        const TMetaState& st = FData->States[static_cast<size_t>(rec.State)];
        TMetaTextRecord t;
        t.X = rec.P1.X;
        t.Y = rec.P1.Y;
        t.WideText = rec.Text;
        t.Text = FromQString(ToQString(rec.Text));
        t.Bounds = Bounds(rec.P1.X, rec.P1.Y, rec.TextW, rec.TextH);
        t.ClipRect = rec.HasRect ? rec.TextRect : TRect();
        t.Options = rec.Options;
        t.FontName = st.FontName;
        t.FontHeight = st.FontHeight;
        t.FontStyle = TFontStyles::FromBits(st.FontStyle);
        t.FontColor = st.FontColor;
        t.Orientation = st.Orientation;
        out.push_back(std::move(t));
    }
    return out;
}

void TMetafile::Assign(const TGraphic& source) {
    if (&source == this) return;
    if (auto* mf = dynamic_cast<const TMetafile*>(&source)) {
        FData = std::make_shared<Data>(*mf->FData);
        FWidth = mf->FWidth;
        FHeight = mf->FHeight;
        FEnhanced = mf->FEnhanced;
        FTransparent = mf->FTransparent;
        Changed();
        return;
    }
    if (source.Empty()) {
        Clear();
        return;
    }
    // Any other picture becomes a metafile that draws it.
    Clear();
    SetWidth(source.Width());
    SetHeight(source.Height());
    TMetafileCanvas canvas(this);
    canvas.StretchDraw(TRect(0, 0, source.Width(), source.Height()), const_cast<TGraphic*>(&source));
}

void TMetafile::Draw(TCanvas& t, const TRect& r) {
    const Data& d = *FData;
    if (d.Records.empty() || IsRectEmpty(r)) return;
    int W = FWidth > 0 ? FWidth : d.Bounds.Right;
    int H = FHeight > 0 ? FHeight : d.Bounds.Bottom;
    if (W <= 0 || H <= 0) return;
    auto X = [&](int x) { return r.Left + MulDiv(x, r.Width(), W); };
    auto Y = [&](int y) { return r.Top + MulDiv(y, r.Height(), H); };
    auto R = [&](const TRect& q) { return TRect(X(q.Left), Y(q.Top), X(q.Right), Y(q.Bottom)); };
    auto SX = [&](int cx) { return MulDiv(cx, r.Width(), W); };
    auto SY = [&](int cy) { return MulDiv(cy, r.Height(), H); };

    TPen savedPen;
    TBrush savedBrush;
    TFont savedFont;
    savedPen.Assign(*t.Pen());
    savedBrush.Assign(*t.Brush());
    savedFont.SetPixelsPerInch(t.Font()->PixelsPerInch());
    savedFont.Assign(*t.Font());
    int saved = t.SaveDC();
    TRegion base;
    bool hasBase = t.GetClipRgn(base);
    t.SetTextAlign(TA_LEFT | TA_TOP);
    int current = -1;

    for (const TMetaRec& rec : d.Records) {
        if (rec.State != current && rec.Op != TMetaOp::Clip) {
            current = rec.State;
            const TMetaState& st = d.States[static_cast<size_t>(current)];
            TPen* pen = t.Pen();
            pen->SetColor(st.PenColor);
            pen->SetWidth(st.PenWidth == 0 ? 0 : std::max(1, SX(st.PenWidth)));
            pen->SetStyle(st.PenStyle);
            pen->SetMode(st.PenMode);
            pen->SetEndCap(st.PenCap);
            std::vector<int> dash;
            for (int d : st.PenDash)
                dash.push_back(d == 0 ? 0 : std::max(1, SX(d)));
            pen->SetUserDash(dash);
            TBrush* brush = t.Brush();
            brush->SetBitmap(st.BrushBitmap.get());
            brush->SetColor(st.BrushColor);
            brush->SetStyle(st.BrushStyle);
            TFont* font = t.Font();
            font->SetName(st.FontName);
            int fh = SY(std::abs(st.FontHeight));
            if (fh == 0) fh = 1;
            font->SetHeight(st.FontHeight < 0 ? -fh : fh);
            font->SetStyle(TFontStyles::FromBits(st.FontStyle));
            font->SetColor(st.FontColor);
            font->SetCharset(st.Charset);
            font->SetPitch(st.Pitch);
            font->SetOrientation(st.Orientation);
            t.SetBkMode(st.BkMode);
            t.SetBkColor(st.BkColor);
        }
        switch (rec.Op) {
        case TMetaOp::Polyline:
        case TMetaOp::Polygon: {
            std::vector<TPoint> pts;
            pts.reserve(rec.Points.size());
            for (const TPoint& p : rec.Points)
                pts.push_back({X(p.X), Y(p.Y)});
            if (rec.Op == TMetaOp::Polyline) {
                t.Polyline(pts);
            } else {
                t.PolyFillMode(rec.A);
                t.Polygon(pts);
            }
            break;
        }
        case TMetaOp::Rectangle:
            t.Rectangle(R(rec.R));
            break;
        case TMetaOp::RoundRect: {
            TRect q = R(rec.R);
            t.RoundRect(q.Left, q.Top, q.Right, q.Bottom, SX(rec.A), SY(rec.B));
            break;
        }
        case TMetaOp::Ellipse:
            t.Ellipse(R(rec.R));
            break;
        case TMetaOp::Arc: {
            TRect q = R(rec.R);
            int x3 = X(rec.P1.X), y3 = Y(rec.P1.Y), x4 = X(rec.P2.X), y4 = Y(rec.P2.Y);
            if (rec.A == 0)
                t.Arc(q.Left, q.Top, q.Right, q.Bottom, x3, y3, x4, y4);
            else if (rec.A == 1)
                t.Pie(q.Left, q.Top, q.Right, q.Bottom, x3, y3, x4, y4);
            else
                t.Chord(q.Left, q.Top, q.Right, q.Bottom, x3, y3, x4, y4);
            break;
        }
        case TMetaOp::FillRect:
            t.FillRect(R(rec.R));
            break;
        case TMetaOp::FocusRect:
            t.DrawFocusRect(R(rec.R));
            break;
        case TMetaOp::PatBlt:
            t.PatBlt(R(rec.R), rec.A);
            break;
        case TMetaOp::Text: {
            TRect q = R(rec.TextRect);
            std::vector<int> dx;
            if (!rec.Dx.empty()) {
                // Scale the running positions, so rounding does not add up along the text.
                int pos = 0, prev = 0;
                for (int a : rec.Dx) {
                    pos += a;
                    int scaled = SX(pos);
                    dx.push_back(scaled - prev);
                    prev = scaled;
                }
            }
            t.ExtTextOut(X(rec.P1.X), Y(rec.P1.Y), rec.Options, rec.HasRect ? &q : nullptr, rec.Text,
                         dx.empty() ? nullptr : dx.data());
            break;
        }
        case TMetaOp::Blt:
            if (rec.Bitmap) t.StretchBlt(R(rec.R), *rec.Bitmap, rec.Src, rec.A, rec.Transparent);
            break;
        case TMetaOp::SetPixel:
            t.SetPixels(X(rec.P1.X), Y(rec.P1.Y), rec.A);
            break;
        case TMetaOp::Clip: {
            if (!rec.Clip) {
                t.SelectClipRgn(hasBase ? &base : nullptr);
                break;
            }
            TRegion region;
            for (const TRect& q : rec.Clip->Rects())
                region.Combine(TRegion(t.LPtoDP(R(q))), RGN_OR);
            if (hasBase) region.Combine(base, RGN_AND);
            t.SelectClipRgn(&region);
            break;
        }
        }
    }
    t.Pen()->Assign(savedPen);
    t.Brush()->Assign(savedBrush);
    t.Font()->Assign(savedFont);
    t.RestoreDC(saved);
}

// ---- TMetafileCanvas

struct TMetafileCanvas::Recorder {
    static int State(TMetafileCanvas& c) {
        TMetafile::Data& d = *c.FMetafile->FData;
        TMetaState st;
        TPen* pen = c.Pen();
        st.PenColor = pen->Color();
        st.PenWidth = pen->Width() == 0 ? 0 : c.DevicePenWidth();
        st.PenStyle = pen->Style();
        st.PenMode = pen->Mode();
        st.PenCap = pen->EndCap();
        st.PenDash = c.DeviceUserDash();
        TBrush* brush = c.Brush();
        st.BrushColor = brush->Color();
        st.BrushStyle = brush->Style();
        st.BrushSource = brush->Bitmap();
        TFont* font = c.Font();
        st.FontName = font->Name();
        st.FontHeight = c.DeviceFontHeight();
        st.FontStyle = static_cast<Byte>(font->Style().Bits());
        st.FontColor = font->Color();
        st.Charset = font->Charset();
        st.Pitch = font->Pitch();
        st.Orientation = font->Orientation();
        st.BkMode = c.GetBkMode();
        st.BkColor = c.GetBkColor();
        if (!d.States.empty() && d.States.back().SameAs(st)) return static_cast<int>(d.States.size()) - 1;
        if (st.BrushSource) {
            st.BrushBitmap = std::make_shared<TBitmap>();
            st.BrushBitmap->Assign(*st.BrushSource);
        }
        d.States.push_back(std::move(st));
        return static_cast<int>(d.States.size()) - 1;
    }

    static TMetaRec& Add(TMetafileCanvas& c, TMetaOp op, const TRect& extent) {
        TMetafile::Data& d = *c.FMetafile->FData;
        TMetaRec rec;
        rec.Op = op;
        rec.State = op == TMetaOp::Clip ? -1 : State(c);
        TRect e = extent;
        if (e.Right < e.Left) std::swap(e.Left, e.Right);
        if (e.Bottom < e.Top) std::swap(e.Top, e.Bottom);
        if (op != TMetaOp::Clip) {
            if (IsRectEmpty(d.Bounds))
                d.Bounds = e;
            else
                UnionRect(d.Bounds, d.Bounds, e);
        }
        d.Records.push_back(std::move(rec));
        c.FMetafile->SetModified(true);
        return d.Records.back();
    }

    static TRect PointsExtent(const TPoint* p, int n, int pad) {
        TRect e(p[0].X, p[0].Y, p[0].X, p[0].Y);
        for (int i = 1; i < n; ++i) {
            e.Left = std::min(e.Left, p[i].X);
            e.Top = std::min(e.Top, p[i].Y);
            e.Right = std::max(e.Right, p[i].X);
            e.Bottom = std::max(e.Bottom, p[i].Y);
        }
        InflateRect(e, pad, pad);
        e.Right += 1;
        e.Bottom += 1;
        return e;
    }
};

TMetafileCanvas::TMetafileCanvas(TMetafile* metafile, TCanvas* reference) : FMetafile(metafile) {
    if (reference) {
        FResolution = reference->GetDeviceCaps(LOGPIXELSY);
        if (FResolution <= 0) FResolution = 96;
        FReferenceSize = {reference->GetDeviceCaps(HORZRES), reference->GetDeviceCaps(VERTRES)};
    }
    Font()->SetPixelsPerInch(FResolution);
}

TMetafileCanvas::TMetafileCanvas(TMetafile* metafile, int resolution, TSize deviceSize)
    : FMetafile(metafile), FResolution(resolution > 0 ? resolution : 96), FReferenceSize(deviceSize) {
    Font()->SetPixelsPerInch(FResolution);
}

TMetafileCanvas::~TMetafileCanvas() {
    if (!FMetafile) return;
    const TRect& b = FMetafile->FData->Bounds;
    if (FMetafile->FWidth == 0 && FMetafile->FHeight == 0 && !IsRectEmpty(b)) {
        FMetafile->FWidth = b.Right;
        FMetafile->FHeight = b.Bottom;
    }
    FMetafile->Changed();
}

void TMetafileCanvas::DevPolyline(const TPoint* p, int n) {
    TMetaRec& rec =
        Recorder::Add(*this, TMetaOp::Polyline, Recorder::PointsExtent(p, n, DevicePenWidth() / 2));
    rec.Points.assign(p, p + n);
}

void TMetafileCanvas::DevPolygon(const TPoint* p, int n, int fillMode) {
    TMetaRec& rec =
        Recorder::Add(*this, TMetaOp::Polygon, Recorder::PointsExtent(p, n, DevicePenWidth() / 2));
    rec.Points.assign(p, p + n);
    rec.A = fillMode;
}

void TMetafileCanvas::DevRectangle(const TRect& r) {
    Recorder::Add(*this, TMetaOp::Rectangle, r).R = r;
}

void TMetafileCanvas::DevRoundRect(const TRect& r, int ew, int eh) {
    TMetaRec& rec = Recorder::Add(*this, TMetaOp::RoundRect, r);
    rec.R = r;
    rec.A = ew;
    rec.B = eh;
}

void TMetafileCanvas::DevEllipse(const TRect& r) {
    Recorder::Add(*this, TMetaOp::Ellipse, r).R = r;
}

void TMetafileCanvas::DevArc(int kind, const TRect& r, const TPoint& start, const TPoint& end) {
    TMetaRec& rec = Recorder::Add(*this, TMetaOp::Arc, r);
    rec.R = r;
    rec.A = kind;
    rec.P1 = start;
    rec.P2 = end;
}

void TMetafileCanvas::DevFillRect(const TRect& r) {
    Recorder::Add(*this, TMetaOp::FillRect, r).R = r;
}

void TMetafileCanvas::DevFocusRect(const TRect& r) {
    Recorder::Add(*this, TMetaOp::FocusRect, r).R = r;
}

void TMetafileCanvas::DevPatBlt(const TRect& r, TCopyMode rop) {
    TMetaRec& rec = Recorder::Add(*this, TMetaOp::PatBlt, r);
    rec.R = r;
    rec.A = rop;
}

void TMetafileCanvas::DevTextOut(int x, int y, Cardinal options, const TRect* rect, const WideString& text,
                                 const int* dx, bool bkOpaque, TColor bkColor) {
    auto rf = RealizeFont(*Font(), DeviceFontHeight());
    int width = 0;
    std::vector<int> adv;
    if (dx) {
        adv.assign(dx, dx + text.size());
        for (int a : adv)
            width += a;
    } else {
        width = TextAdvances(*rf, DrawnText(*rf, ToQString(text)), nullptr);
    }
    int height = rf->TM.tmHeight;
    TRect cell = Bounds(x, y, width, height);
    TRect extent = cell;
    if (rect && (options & ETO_CLIPPED)) IntersectRect(extent, cell, *rect);
    if (rect && (options & ETO_OPAQUE)) UnionRect(extent, extent, *rect);
    // The background the text is drawn with is part of the record's state.
    int mode = GetBkMode();
    TColor colour = GetBkColor();
    SetBkMode(bkOpaque ? OPAQUE : TRANSPARENT);
    SetBkColor(bkColor);
    TMetaRec& rec = Recorder::Add(*this, TMetaOp::Text, IsRectEmpty(extent) ? cell : extent);
    SetBkMode(mode);
    SetBkColor(colour);
    rec.P1 = {x, y};
    rec.Text = text;
    rec.Dx = std::move(adv);
    rec.Options = options;
    rec.HasRect = rect != nullptr;
    if (rect) rec.TextRect = *rect;
    rec.TextW = width;
    rec.TextH = height;
}

void TMetafileCanvas::DevStretchBlt(const TRect& dest, const TBitmap& bitmap, const TRect& src, TCopyMode rop,
                                    TColor transparentColor) {
    TMetaRec& rec = Recorder::Add(*this, TMetaOp::Blt, dest);
    rec.R = dest;
    rec.Bitmap = std::make_shared<TBitmap>();
    rec.Bitmap->Assign(bitmap);
    rec.Src = src;
    rec.A = rop;
    rec.Transparent = transparentColor;
}

TColor TMetafileCanvas::DevGetPixel(int, int) {
    return CLR_INVALID;
}

void TMetafileCanvas::DevSetPixel(int x, int y, TColor color) {
    TMetaRec& rec = Recorder::Add(*this, TMetaOp::SetPixel, TRect(x, y, x + 1, y + 1));
    rec.P1 = {x, y};
    rec.A = color;
}

void TMetafileCanvas::DevSetClip(const TRegion* rgn) {
    TMetaRec& rec = Recorder::Add(*this, TMetaOp::Clip, TRect());
    if (rgn) rec.Clip = std::make_shared<TRegion>(*rgn);
}

bool TMetafileCanvas::DevGrab(const TRect&, TBitmap&) {
    return false;
}

int TMetafileCanvas::DevCaps(int index) {
    TSize size = DevSize();
    switch (index) {
    case TECHNOLOGY:
        return DT_RASDISPLAY;
    case HORZRES:
        return FReferenceSize.cx > 0 ? FReferenceSize.cx : size.cx;
    case VERTRES:
        return FReferenceSize.cy > 0 ? FReferenceSize.cy : size.cy;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return FResolution;
    case BITSPIXEL:
        return 32;
    case PLANES:
        return 1;
    case NUMCOLORS:
        return -1;
    case HORZSIZE:
        return MulDiv(DevCaps(HORZRES), 254, FResolution * 10);
    case VERTSIZE:
        return MulDiv(DevCaps(VERTRES), 254, FResolution * 10);
    default:
        return 0;
    }
}

TSize TMetafileCanvas::DevSize() {
    if (FMetafile && FMetafile->FWidth > 0 && FMetafile->FHeight > 0)
        return {FMetafile->FWidth, FMetafile->FHeight};
    return {32767, 32767};
}
