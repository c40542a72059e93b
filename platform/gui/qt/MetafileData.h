// Internal: the records of a TMetafile.
#pragma once

#include "gui/Bitmap.h"
#include "gui/Metafile.h"

#include <memory>
#include <vector>

// Pen, brush, font and background in force for a record.
struct TMetaState {
    TColor PenColor = clBlack;
    int PenWidth = 1;
    TPenStyle PenStyle = psSolid;
    TPenMode PenMode = pmCopy;
    TPenEndCap PenCap = pecRound;
    std::vector<int> PenDash; // device pixels; empty for none
    TColor BrushColor = clWhite;
    TBrushStyle BrushStyle = bsSolid;
    std::shared_ptr<TBitmap> BrushBitmap;
    const TBitmap* BrushSource = nullptr; // the brush's bitmap when recorded (not kept)
    String FontName;
    int FontHeight = -11;
    Byte FontStyle = 0;
    TColor FontColor = clBlack;
    Byte Charset = DEFAULT_CHARSET;
    TFontPitch Pitch = fpDefault;
    int Orientation = 0;
    int BkMode = OPAQUE;
    TColor BkColor = clWhite;

    bool SameAs(const TMetaState& o) const {
        return PenColor == o.PenColor && PenWidth == o.PenWidth && PenStyle == o.PenStyle &&
               PenMode == o.PenMode && PenCap == o.PenCap && PenDash == o.PenDash &&
               BrushColor == o.BrushColor && BrushStyle == o.BrushStyle && BrushSource == o.BrushSource &&
               FontName == o.FontName && FontHeight == o.FontHeight && FontStyle == o.FontStyle &&
               FontColor == o.FontColor && Charset == o.Charset && Pitch == o.Pitch &&
               Orientation == o.Orientation && BkMode == o.BkMode && BkColor == o.BkColor;
    }
};

enum class TMetaOp : Byte {
    Polyline,
    Polygon,
    Rectangle,
    RoundRect,
    Ellipse,
    Arc,
    FillRect,
    FocusRect,
    PatBlt,
    Text,
    Blt,
    SetPixel,
    Clip
};

struct TMetaRec {
    TMetaOp Op = TMetaOp::Polyline;
    int State = 0;
    std::vector<TPoint> Points;
    TRect R;
    int A = 0; // corner width, fill mode, arc kind, raster operation, pixel colour
    int B = 0; // corner height
    TPoint P1, P2;
    WideString Text;
    std::vector<int> Dx;
    Cardinal Options = 0;
    bool HasRect = false;
    TRect TextRect;
    int TextW = 0;
    int TextH = 0;
    std::shared_ptr<TBitmap> Bitmap;
    TRect Src;
    TColor Transparent = clNone;
    std::shared_ptr<TRegion> Clip; // Op Clip: nullptr removes the clip
};

struct TMetafile::Data {
    std::vector<TMetaState> States;
    std::vector<TMetaRec> Records;
    TRect Bounds;
};
