// TMetafile: a recorded picture. A TMetafileCanvas records drawing operations into it; the
// metafile replays them on any canvas at any scale (TCanvas::Draw / StretchDraw), lists its text
// records with their rectangles, and saves and loads itself in its own binary format.
#pragma once

#include "gui/Graphic.h"

#include <memory>
#include <vector>

class TMetafileCanvas;

// One text output of a metafile, in the metafile's units.
struct TMetaTextRecord {
    int X = 0; // top-left of the text cell
    int Y = 0;
    String Text;
    WideString WideText;
    TRect Bounds;         // the text cell: X, Y, X + width, Y + height
    TRect ClipRect;       // the clipping/opaque rectangle given with the text (empty when none)
    Cardinal Options = 0; // ETO_CLIPPED, ETO_OPAQUE
    String FontName;
    int FontHeight = 0; // device height (negative: em height)
    TFontStyles FontStyle;
    TColor FontColor = clBlack;
    int Orientation = 0;
};

class TMetafile : public TGraphic {
    ORV_META(TMetafile, TGraphic)
    TMetafile();
    ~TMetafile() override;

    // The picture's size in its units (pixels at 96 per inch unless recorded otherwise). When
    // left 0, closing the recording canvas sets it from the extent of what was drawn.
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    // The size in hundredths of a millimetre.
    int MMWidth() const;
    int MMHeight() const;
    void SetMMWidth(int value);
    void SetMMHeight(int value);
    bool Enhanced() const { return FEnhanced; }
    void SetEnhanced(bool value) { FEnhanced = value; }
    bool Empty() const override;
    // Drops every record and the size.
    void Clear();
    int RecordCount() const;
    // The extent of everything drawn (empty when nothing was).
    TRect DrawnBounds() const;

    std::vector<TMetaTextRecord> TextRecords() const;

    // The metafile's own format: "ORVMETA1", the size and the records. Anything else raises
    // EInvalidGraphic "Metafile is not valid".
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;

    // Replays the records onto the canvas, scaled from the metafile's size to r.
    void Draw(TCanvas& canvas, const TRect& r) override;
    void Assign(const TGraphic& source) override;
    using TGraphic::Assign;
    std::unique_ptr<TGraphic> NewOfSameClass() const override { return std::make_unique<TMetafile>(); }

    struct Data;

private:
    friend class TMetafileCanvas;
    std::shared_ptr<Data> FData;
    int FWidth = 0;
    int FHeight = 0;
    bool FEnhanced = true;
};

// A canvas that records into a metafile. The records are in the metafile as soon as they are
// drawn; destroying the canvas closes the recording and sizes an unsized metafile. The reference
// canvas, when given, supplies the resolution the recording measures with (96 otherwise).
class TMetafileCanvas : public TCanvas {
    ORV_META(TMetafileCanvas, TCanvas)
    TMetafileCanvas(TMetafile* metafile, TCanvas* reference = nullptr);
    // Records for a device that is not there: its resolution and printable size in pixels.
    TMetafileCanvas(TMetafile* metafile, int resolution, TSize deviceSize);
    ~TMetafileCanvas() override;

protected:
    void DevPolyline(const TPoint* p, int n) override;
    void DevPolygon(const TPoint* p, int n, int fillMode) override;
    void DevRectangle(const TRect& r) override;
    void DevRoundRect(const TRect& r, int ew, int eh) override;
    void DevEllipse(const TRect& r) override;
    void DevArc(int kind, const TRect& r, const TPoint& start, const TPoint& end) override;
    void DevFillRect(const TRect& r) override;
    void DevFocusRect(const TRect& r) override;
    void DevPatBlt(const TRect& r, TCopyMode rop) override;
    void DevTextOut(int x, int y, Cardinal options, const TRect* rect, const WideString& text, const int* dx,
                    bool bkOpaque, TColor bkColor) override;
    void DevStretchBlt(const TRect& dest, const TBitmap& bitmap, const TRect& src, TCopyMode rop,
                       TColor transparentColor) override;
    TColor DevGetPixel(int x, int y) override;
    void DevSetPixel(int x, int y, TColor color) override;
    void DevSetClip(const TRegion* rgn) override;
    bool DevGrab(const TRect& r, TBitmap& bitmap) override;
    int DevCaps(int index) override;
    TSize DevSize() override;

private:
    struct Recorder;
    TMetafile* FMetafile;
    int FResolution = 96;
    TSize FReferenceSize;
};

// The picture as an enhanced metafile (EMF) of its own: the header, one stretch-DIB record of the
// picture drawn on white at its size (24 bits a pixel), and the end record. An empty picture
// gives a 1 × 1 white one.
std::string EnhancedMetafileBytes(TMetafile& metafile);
