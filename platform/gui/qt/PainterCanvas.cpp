#include "gui/qt/PainterCanvas.h"

#include "gui/Bitmap.h"
#include "gui/qt/BitmapImpl.h"
#include "gui/qt/QtSupport.h"
#include "gui/qt/RegionImpl.h"

#include <QGlyphRun>
#include <QPaintEngine>

#include <cmath>

namespace {

// Characters at the given advances drawn as one run of glyphs for each stretch that one face of
// the font draws, instead of one text item per character: a printed or PDF page then holds a
// text item per stretch. False, with nothing drawn, when a character is in none of the faces (the
// toolkit's own fallback then draws it character by character).
bool DrawGlyphRuns(QPainter* p, const TRealFont& font, const QString& text, const int* dx, int x, int baseline) {
    if (font.Faces.empty() || font.Symbol) return false;
    struct TGlyph {
        quint32 Index;
        size_t Face;
        int X;
    };
    std::vector<TGlyph> glyphs;
    glyphs.reserve(static_cast<size_t>(text.size()));
    int cx = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QString ch = text.mid(i, len);
        bool found = false;
        for (size_t f = 0; f < font.Faces.size() && !found; ++f) {
            const QList<quint32> index = font.Faces[f].glyphIndexesForString(ch);
            if (index.size() == 1 && index[0] != 0) {
                glyphs.push_back({index[0], f, cx});
                found = true;
            }
        }
        if (!found) {
            // A blank or control character that no face draws takes only its room.
            if (ch.size() == 1 && (ch[0].isSpace() || ch[0].category() == QChar::Other_Control)) {
            } else
                return false;
        }
        for (qsizetype k = 0; k < len; ++k)
            cx += dx[i + k];
        i += len - 1;
    }
    const QFont& qf = font.Font;
    for (size_t start = 0; start < glyphs.size();) {
        size_t end = start;
        QList<quint32> indexes;
        QList<QPointF> positions;
        while (end < glyphs.size() && glyphs[end].Face == glyphs[start].Face) {
            indexes.push_back(glyphs[end].Index);
            positions.push_back(QPointF(glyphs[end].X, 0));
            ++end;
        }
        QGlyphRun run;
        run.setRawFont(font.Faces[glyphs[start].Face]);
        run.setGlyphIndexes(indexes);
        run.setPositions(positions);
        run.setUnderline(qf.underline());
        run.setStrikeOut(qf.strikeOut());
        p->drawGlyphRun(QPointF(x, baseline), run);
        start = end;
    }
    return true;
}

QPainter::CompositionMode PenComposition(TPenMode mode) {
    switch (mode) {
    case pmBlack:
        return QPainter::RasterOp_ClearDestination;
    case pmWhite:
        return QPainter::RasterOp_SetDestination;
    case pmNot:
        return QPainter::RasterOp_NotDestination;
    case pmNotCopy:
        return QPainter::RasterOp_NotSource;
    case pmMergePenNot:
        return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot:
        return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen:
        return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen:
        return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge:
        return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask:
        return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask:
        return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor:
        return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor:
        return QPainter::RasterOp_NotSourceXorDestination;
    default:
        return QPainter::CompositionMode_SourceOver;
    }
}

// Composition of a bit-block transfer; false for operations done another way.
bool BltComposition(TCopyMode rop, QPainter::CompositionMode& mode) {
    switch (rop) {
    case cmSrcCopy:
        mode = QPainter::CompositionMode_SourceOver;
        return true;
    case cmSrcAnd:
        mode = QPainter::RasterOp_SourceAndDestination;
        return true;
    case cmSrcPaint:
        mode = QPainter::RasterOp_SourceOrDestination;
        return true;
    case cmSrcInvert:
        mode = QPainter::RasterOp_SourceXorDestination;
        return true;
    case cmNotSrcCopy:
        mode = QPainter::RasterOp_NotSource;
        return true;
    case cmMergePaint:
        mode = QPainter::RasterOp_NotSourceOrDestination;
        return true;
    case cmSrcErase:
        mode = QPainter::RasterOp_SourceAndNotDestination;
        return true;
    case cmNotSrcErase:
        mode = QPainter::RasterOp_NotSourceAndNotDestination;
        return true;
    case cmMergeCopy:
        mode = QPainter::RasterOp_SourceAndDestination;
        return true;
    default:
        return false;
    }
}

QRect Q(const TRect& r) {
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

double AngleOf(const TRect& r, const TPoint& p) {
    double cx = (r.Left + r.Right) / 2.0, cy = (r.Top + r.Bottom) / 2.0;
    return std::atan2(-(p.Y - cy), p.X - cx) * 180.0 / M_PI;
}

} // namespace

TPainterCanvas::TPainterCanvas() = default;

TPainterCanvas::~TPainterCanvas() {
    ReleasePainter();
}

void TPainterCanvas::ReleasePainter() {
    if (FExternal) return;
    if (FOwnPainter) {
        if (FOwnPainter->isActive()) FOwnPainter->end();
        FOwnPainter.reset();
    }
    FPainter = nullptr;
}

void TPainterCanvas::AttachPainter(QPainter* painter) {
    ReleasePainter();
    FPainter = painter;
    FExternal = painter != nullptr;
    if (FPainter) {
        FPainter->setRenderHint(QPainter::Antialiasing, false);
        FPainter->setRenderHint(QPainter::TextAntialiasing, true);
        FPainter->setRenderHint(QPainter::SmoothPixmapTransform, false);
        DevSetClip(CurrentClip());
    }
}

void TPainterCanvas::DetachPainter() {
    FPainter = nullptr;
    FExternal = false;
}

QPainter* TPainterCanvas::ActivePainter() {
    if (FPainter) return FPainter;
    FOwnPainter = BeginPaint();
    if (!FOwnPainter || !FOwnPainter->isActive()) {
        FOwnPainter.reset();
        return nullptr;
    }
    FPainter = FOwnPainter.get();
    FPainter->setRenderHint(QPainter::Antialiasing, false);
    FPainter->setRenderHint(QPainter::TextAntialiasing, true);
    FPainter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    DevSetClip(CurrentClip());
    return FPainter;
}

bool TPainterCanvas::RasterOps(QPainter* p) const {
    return p->paintEngine() && p->paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
}

// Sets the composition for the pen mode; false when nothing is to be drawn (pmNop).
bool TPainterCanvas::SetPenMode(QPainter* p) {
    TPenMode mode = Pen()->Mode();
    if (mode == pmNop) return false;
    if (mode == pmCopy || !RasterOps(p))
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    else
        p->setCompositionMode(PenComposition(mode));
    return true;
}

QPen TPainterCanvas::MakePen() {
    TPen* pen = Pen();
    if (pen->Style() == psClear) return QPen(Qt::NoPen);
    int w = DevicePenWidth();
    QPen q(ToQColor(pen->Color()));
    q.setWidth(w);
    static const Qt::PenCapStyle caps[] = {Qt::RoundCap, Qt::SquareCap, Qt::FlatCap};
    static const Qt::PenJoinStyle joins[] = {Qt::RoundJoin, Qt::BevelJoin, Qt::MiterJoin};
    q.setCapStyle(w > 1 ? caps[pen->EndCap()] : Qt::FlatCap);
    q.setJoinStyle(w > 1 ? joins[pen->JoinStyle()] : Qt::MiterJoin);
    // Styled lines are drawn only by thin pens; wider ones are solid.
    if (w == 1) {
        switch (pen->Style()) {
        case psDash:
            q.setDashPattern({18, 6});
            break;
        case psDot:
            q.setDashPattern({3, 3});
            break;
        case psDashDot:
            q.setDashPattern({9, 6, 3, 6});
            break;
        case psDashDotDot:
            q.setDashPattern({9, 3, 3, 3, 3, 3});
            break;
        default:
            break;
        }
    }
    const std::vector<int> dash = DeviceUserDash();
    if (!dash.empty()) {
        // A geometric pen: the pattern (in units of the pen's width) and the cap at every width.
        // Zero-length dashes are dots of the cap's shape.
        QVector<qreal> pattern;
        for (int d : dash)
            pattern << std::max<qreal>(d, 0.001) / w;
        if (pattern.size() % 2) pattern << pattern;
        q.setDashPattern(pattern);
        q.setCapStyle(caps[pen->EndCap()]);
    }
    return q;
}

QBrush TPainterCanvas::MakeBrush() {
    TBrush* b = Brush();
    if (b->Bitmap() && !b->Bitmap()->Empty()) return QBrush(b->Bitmap()->impl().SurfaceForRead());
    QColor c = ToQColor(b->Color());
    switch (b->Style()) {
    case bsSolid:
        return QBrush(c);
    case bsClear:
        return QBrush(Qt::NoBrush);
    case bsHorizontal:
        return QBrush(c, Qt::HorPattern);
    case bsVertical:
        return QBrush(c, Qt::VerPattern);
    case bsFDiagonal:
        return QBrush(c, Qt::FDiagPattern);
    case bsBDiagonal:
        return QBrush(c, Qt::BDiagPattern);
    case bsCross:
        return QBrush(c, Qt::CrossPattern);
    case bsDiagCross:
        return QBrush(c, Qt::DiagCrossPattern);
    }
    return QBrush(c);
}

namespace {

void SetBackground(QPainter* p, TCanvas* canvas) {
    bool opaque = canvas->GetBkMode() == OPAQUE;
    p->setBackgroundMode(opaque ? Qt::OpaqueMode : Qt::TransparentMode);
    p->setBackground(QBrush(ToQColor(canvas->GetBkColor())));
}

// A thin line as the platform draws it: Qt's flat-capped one-pixel lines already leave the last
// point out.
QLine ThinLine(const TPoint& a, const TPoint& b) {
    return QLine(a.X, a.Y, b.X, b.Y);
}

} // namespace

void TPainterCanvas::DevPolyline(const TPoint* pts, int n) {
    QPainter* p = ActivePainter();
    if (!p || n < 2 || !SetPenMode(p)) return;
    QPen pen = MakePen();
    if (pen.style() == Qt::NoPen) return;
    p->setPen(pen);
    p->setBrush(Qt::NoBrush);
    SetBackground(p, this);
    if (pen.width() == 1) {
        if (pts[0] == pts[n - 1] && n == 2) return;
        // Thin polylines: every segment without its last point, so joints are not drawn twice
        // (which matters for the exclusive-or modes) and the final point is left out.
        QVector<QLine> lines;
        for (int i = 0; i + 1 < n; ++i) {
            if (pts[i] == pts[i + 1]) continue;
            lines.append(ThinLine(pts[i], pts[i + 1]));
        }
        if (pen.style() == Qt::SolidLine) {
            p->drawLines(lines);
        } else {
            QPolygon poly;
            for (int i = 0; i < n; ++i)
                poly << QPoint(pts[i].X, pts[i].Y);
            p->drawPolyline(poly);
        }
        return;
    }
    QPolygon poly;
    for (int i = 0; i < n; ++i)
        poly << QPoint(pts[i].X, pts[i].Y);
    p->drawPolyline(poly);
}

void TPainterCanvas::DevPolygon(const TPoint* pts, int n, int fillMode) {
    QPainter* p = ActivePainter();
    if (!p || n < 2 || !SetPenMode(p)) return;
    QPolygon poly;
    for (int i = 0; i < n; ++i)
        poly << QPoint(pts[i].X, pts[i].Y);
    p->setPen(MakePen());
    p->setBrush(MakeBrush());
    SetBackground(p, this);
    p->drawPolygon(poly, fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
}

void TPainterCanvas::DevRectangle(const TRect& r) {
    QPainter* p = ActivePainter();
    if (!p || IsRectEmpty(r) || !SetPenMode(p)) return;
    QPen pen = MakePen();
    p->setBrush(MakeBrush());
    SetBackground(p, this);
    if (pen.style() == Qt::NoPen || pen.width() == 1) {
        // Outline on the outermost pixels; without a pen the fill is one pixel smaller, as the
        // platform draws it.
        p->setPen(pen);
        p->drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
        return;
    }
    int w = pen.width();
    if (Pen()->Style() == psInsideFrame) {
        p->setPen(pen);
        p->drawRect(QRectF(r.Left + w / 2.0, r.Top + w / 2.0, r.Width() - w, r.Height() - w));
        return;
    }
    p->setPen(pen);
    p->drawRect(QRectF(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
}

void TPainterCanvas::DevRoundRect(const TRect& r, int ew, int eh) {
    QPainter* p = ActivePainter();
    if (!p || IsRectEmpty(r) || !SetPenMode(p)) return;
    p->setPen(MakePen());
    p->setBrush(MakeBrush());
    SetBackground(p, this);
    p->drawRoundedRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1), ew / 2.0, eh / 2.0);
}

void TPainterCanvas::DevEllipse(const TRect& r) {
    QPainter* p = ActivePainter();
    if (!p || IsRectEmpty(r) || !SetPenMode(p)) return;
    p->setPen(MakePen());
    p->setBrush(MakeBrush());
    SetBackground(p, this);
    p->drawEllipse(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
}

void TPainterCanvas::DevArc(int kind, const TRect& r, const TPoint& start, const TPoint& end) {
    QPainter* p = ActivePainter();
    if (!p || IsRectEmpty(r) || !SetPenMode(p)) return;
    double a1 = AngleOf(r, start), a2 = AngleOf(r, end);
    double span = a2 - a1;
    while (span <= 0)
        span += 360.0;
    int qa = static_cast<int>(std::lround(a1 * 16)), qs = static_cast<int>(std::lround(span * 16));
    QRect q(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
    p->setPen(MakePen());
    SetBackground(p, this);
    if (kind == 0) {
        p->setBrush(Qt::NoBrush);
        p->drawArc(q, qa, qs);
    } else {
        p->setBrush(MakeBrush());
        if (kind == 1)
            p->drawPie(q, qa, qs);
        else
            p->drawChord(q, qa, qs);
    }
}

void TPainterCanvas::DevFillRect(const TRect& r) {
    QPainter* p = ActivePainter();
    if (!p || IsRectEmpty(r)) return;
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    SetBackground(p, this);
    p->fillRect(Q(r), MakeBrush());
}

void TPainterCanvas::DevFocusRect(const TRect& r) {
    QPainter* p = ActivePainter();
    if (!p || IsRectEmpty(r)) return;
    QImage* img = RasterImage();
    if (img && RasterOps(p)) {
        // The border pixels of the checkerboard pattern inverted (exclusive-or with white), as
        // the platform's pattern fill does; drawing the same rectangle again removes it.
        p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        QColor white(255, 255, 255);
        auto dot = [&](int x, int y) {
            if (((x + y) & 1) == 0) p->fillRect(QRect(x, y, 1, 1), white);
        };
        for (int x = r.Left; x < r.Right; ++x) {
            dot(x, r.Top);
            if (r.Bottom - 1 > r.Top) dot(x, r.Bottom - 1);
        }
        for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
            dot(r.Left, y);
            if (r.Right - 1 > r.Left) dot(r.Right - 1, y);
        }
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        return;
    }
    QPen pen(Qt::black);
    pen.setDashPattern({1, 1});
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->setPen(pen);
    p->setBrush(Qt::NoBrush);
    p->drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
}

void TPainterCanvas::DevPatBlt(const TRect& r, TCopyMode rop) {
    QPainter* p = ActivePainter();
    if (!p || IsRectEmpty(r)) return;
    bool raster = RasterOps(p);
    SetBackground(p, this);
    switch (rop) {
    case cmBlackness:
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        p->fillRect(Q(r), Qt::black);
        break;
    case cmWhiteness:
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        p->fillRect(Q(r), Qt::white);
        break;
    case cmDstInvert:
        if (!raster) break;
        p->setCompositionMode(QPainter::RasterOp_NotDestination);
        p->fillRect(Q(r), Qt::white);
        break;
    case cmPatInvert:
        if (!raster) break;
        p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p->fillRect(Q(r), MakeBrush());
        break;
    default:
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        p->fillRect(Q(r), MakeBrush());
        break;
    }
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TPainterCanvas::DevTextOut(int x, int y, Cardinal options, const TRect* rect, const WideString& text,
                                const int* dx, bool bkOpaque, TColor bkColor) {
    QPainter* p = ActivePainter();
    if (!p) return;
    auto rf = RealizeFont(*Font(), DeviceFontHeight());
    QString qs = DrawnText(*rf, ToQString(text));
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    QColor bk = ToQColor(bkColor);
    if (rect && (options & ETO_OPAQUE)) p->fillRect(Q(*rect), bk);
    // The font is set before any save, so that it outlives the restore below: a painter given a
    // new font looks its glyph engine up again, which cost more than drawing a short text.
    if (!(p->font() == rf->Font)) p->setFont(rf->Font);
    bool clipped = rect && (options & ETO_CLIPPED);
    if (clipped) {
        p->save();
        p->setClipRect(Q(*rect), p->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    }
    int width = 0;
    if (dx)
        for (qsizetype i = 0; i < qs.size(); ++i)
            width += dx[i];
    else
        width = rf->Metrics.horizontalAdvance(qs);
    const TTextMetric& tm = rf->TM;
    bool rotated = rf->Escapement % 3600 != 0;
    if (rotated) {
        if (!clipped) p->save();
        p->translate(x, y);
        p->rotate(-rf->Escapement / 10.0);
        x = 0;
        y = 0;
    }
    if (bkOpaque && width > 0) p->fillRect(QRect(x, y, width, tm.tmHeight), bk);
    p->setPen(ToQColor(Font()->Color()));
    p->setBackgroundMode(Qt::TransparentMode);
    int baseline = y + tm.tmAscent;
    if (dx && DrawGlyphRuns(p, *rf, qs, dx, x, baseline)) {
        // drawn as runs of glyphs
    } else if (dx) {
        int cx = x;
        for (qsizetype i = 0; i < qs.size(); ++i) {
            qsizetype len = (qs[i].isHighSurrogate() && i + 1 < qs.size()) ? 2 : 1;
            p->drawText(QPoint(cx, baseline), qs.mid(i, len));
            for (qsizetype k = 0; k < len; ++k)
                cx += dx[i + k];
            i += len - 1;
        }
    } else {
        p->drawText(QPoint(x, baseline), qs);
    }
    if (rotated || clipped) p->restore();
}

void TPainterCanvas::DevStretchBlt(const TRect& dest, const TBitmap& bitmap, const TRect& src, TCopyMode rop,
                                   TColor transparentColor) {
    QPainter* p = ActivePainter();
    if (!p || IsRectEmpty(dest) || bitmap.Empty()) return;
    if (rop == cmBlackness || rop == cmWhiteness || rop == cmDstInvert || rop == cmPatCopy ||
        rop == cmPatInvert) {
        DevPatBlt(dest, rop);
        return;
    }
    QPainter::CompositionMode mode;
    if (!BltComposition(rop, mode)) mode = QPainter::CompositionMode_SourceOver;
    if (!RasterOps(p)) mode = QPainter::CompositionMode_SourceOver;
    // The bitmap's own pixels are drawn from where they are: a copy of the image (which the
    // image's copy makes while its canvas paints) would cost a whole bitmap on every draw. Only a
    // bitmap drawn onto itself is copied first.
    const QImage& surface = bitmap.impl().SurfaceForRead();
    QImage img;
    if (RasterImage() == &surface) img = surface.copy();
    const QImage& source = img.isNull() ? surface : img;
    if (transparentColor != clNone) {
        QRgb key = ToQRgb(transparentColor) & 0xFFFFFF;
        QImage masked = source.convertToFormat(QImage::Format_ARGB32);
        for (int yy = 0; yy < masked.height(); ++yy) {
            auto* row = reinterpret_cast<QRgb*>(masked.scanLine(yy));
            for (int xx = 0; xx < masked.width(); ++xx)
                if ((row[xx] & 0xFFFFFF) == key) row[xx] = 0;
        }
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        p->setRenderHint(QPainter::SmoothPixmapTransform, false);
        p->drawImage(Q(dest), masked, Q(src));
        return;
    }
    p->setCompositionMode(mode);
    p->setRenderHint(QPainter::SmoothPixmapTransform, false);
    p->drawImage(Q(dest), source, Q(src));
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

bool TPainterCanvas::ClipContains(int x, int y) {
    const TRegion* clip = CurrentClip();
    return !clip || clip->Contains({x, y});
}

TColor TPainterCanvas::DevGetPixel(int x, int y) {
    ActivePainter();
    QImage* img = RasterImage();
    if (!img || !img->valid(x, y) || !ClipContains(x, y)) return CLR_INVALID;
    return FromQRgb(img->pixel(x, y));
}

void TPainterCanvas::DevSetPixel(int x, int y, TColor color) {
    QPainter* p = ActivePainter();
    if (!p || !ClipContains(x, y)) return;
    QImage* img = RasterImage();
    if (img && img->valid(x, y) && img->format() == QImage::Format_RGB32) {
        reinterpret_cast<QRgb*>(img->scanLine(y))[x] = ToQRgb(color);
        return;
    }
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->fillRect(QRect(x, y, 1, 1), ToQColor(color));
}

void TPainterCanvas::DevSetClip(const TRegion* rgn) {
    if (!FPainter) return; // applied when painting begins
    if (rgn)
        FPainter->setClipRegion(rgn->impl().Region);
    else
        FPainter->setClipping(false);
}

bool TPainterCanvas::DevGrab(const TRect& r, TBitmap& bitmap) {
    ActivePainter();
    QImage* img = RasterImage();
    if (!img) return false;
    bitmap.impl().SetSurface(img->copy(Q(r)).convertToFormat(QImage::Format_RGB32));
    return true;
}

int TPainterCanvas::DevCaps(int index) {
    int dpi = Resolution();
    TSize size = DevSize();
    switch (index) {
    case TECHNOLOGY:
        return DT_RASDISPLAY;
    case HORZRES:
        return size.cx;
    case VERTRES:
        return size.cy;
    case HORZSIZE:
        return MulDiv(size.cx, 254, dpi * 10);
    case VERTSIZE:
        return MulDiv(size.cy, 254, dpi * 10);
    case BITSPIXEL:
        return 32;
    case PLANES:
        return 1;
    case NUMCOLORS:
        return -1;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return dpi;
    default:
        return 0;
    }
}

TSize TPainterCanvas::DevSize() {
    if (QImage* img = RasterImage()) return {img->width(), img->height()};
    if (FPainter && FPainter->device()) return {FPainter->device()->width(), FPainter->device()->height()};
    return {0, 0};
}

std::unique_ptr<QPainter> TImageCanvas::BeginPaint() {
    if (!FImage || FImage->isNull()) return nullptr;
    return std::make_unique<QPainter>(FImage);
}
