#include "gui/DrawTextEx.h"

#include "qt/QtSupport.h"

#include <QRawFont>

#include <cmath>

int DrawTextEx(TCanvas* Canvas, const String& Text, TRect& R, Cardinal Format, const TDrawTextParams* Params) {
    if (!Canvas) return 0;
    const int left = Params ? Params->iLeftMargin : 0, right = Params ? Params->iRightMargin : 0;
    TRect layout(R.Left + left, R.Top, R.Right - right, R.Bottom);
    if (Format & DT_CALCRECT) {
        int h = Canvas->DrawText(Text, layout, Format);
        R.Right = layout.Right + right;
        R.Bottom = layout.Bottom;
        return h;
    }
    if (Format & DT_NOCLIP) return Canvas->DrawText(Text, layout, Format);
    // The layout area may reach beyond R; the output stays inside R.
    int saved = Canvas->SaveDC();
    int h = 0;
    try {
        Canvas->IntersectClipRect(R);
        h = Canvas->DrawText(Text, layout, Format | DT_NOCLIP);
    } catch (...) {
        Canvas->RestoreDC(saved);
        throw;
    }
    Canvas->RestoreDC(saved);
    return h;
}

TCharSlope FontCharSlope(TCanvas* Canvas) {
    TCharSlope slope;
    if (!Canvas || !Canvas->Font()->Style().Contains(fsItalic)) return slope;
    auto rf = RealizeFont(*Canvas->Font(), Canvas->DeviceFontHeight());
    // The italic angle of the face's PostScript table (16.16 degrees, negative leaning right).
    double angle = 0;
    QByteArray post = QRawFont::fromFont(rf->Font).fontTable("post");
    if (post.size() >= 8) {
        auto b = reinterpret_cast<const unsigned char*>(post.constData());
        int32_t fixed = static_cast<int32_t>((uint32_t(b[4]) << 24) | (uint32_t(b[5]) << 16) |
                                             (uint32_t(b[6]) << 8) | uint32_t(b[7]));
        angle = -fixed / 65536.0;
    }
    // A face without an italic style is slanted by the renderer (about 12 degrees).
    if (angle <= 0) angle = 12.0;
    slope.Rise = 1000;
    slope.Run = static_cast<int>(std::lround(std::tan(angle * M_PI / 180.0) * 1000));
    return slope;
}
