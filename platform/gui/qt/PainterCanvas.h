// Internal: the canvas back end over QPainter (bitmaps, the printer, PDF files, and the controls'
// paint events). Coordinates reaching the Dev* operations are device pixels; the painter draws
// with no transformation, so what a canvas draws at a scale is what a metafile replays at it.
#pragma once

#include "gui/Graphics.h"

#include <QImage>
#include <QPainter>

#include <memory>

class TPainterCanvas : public TCanvas {
public:
    TPainterCanvas();
    ~TPainterCanvas() override;
    // Ends painting so the device can be read or changed; the next drawing begins anew.
    void ReleasePainter();
    // Draws on a painter begun by someone else (a paint event) until DetachPainter.
    void AttachPainter(QPainter* painter);
    void DetachPainter();
    // The painter, begun and set up (clip applied); nullptr when the canvas has no device.
    QPainter* ActivePainter();

protected:
    // Begins painting on the device: a new painter, or nullptr when there is nothing to paint on.
    virtual std::unique_ptr<QPainter> BeginPaint() { return nullptr; }
    // The image behind the canvas when it is a raster image (pixels, grabbing), else nullptr.
    virtual QImage* RasterImage() { return nullptr; }
    // Dots per inch of the device.
    virtual int Resolution() { return 96; }

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
    bool SetPenMode(QPainter* p);
    QPen MakePen();
    QBrush MakeBrush();
    bool RasterOps(QPainter* p) const;
    bool ClipContains(int x, int y);

    std::unique_ptr<QPainter> FOwnPainter;
    QPainter* FPainter = nullptr;
    bool FExternal = false;
};

// A canvas on an image owned elsewhere (the image must outlive the canvas or be released first).
class TImageCanvas : public TPainterCanvas {
public:
    explicit TImageCanvas(QImage* image = nullptr) : FImage(image) {}
    void SetImage(QImage* image) {
        ReleasePainter();
        FImage = image;
    }

protected:
    std::unique_ptr<QPainter> BeginPaint() override;
    QImage* RasterImage() override { return FImage; }

private:
    QImage* FImage;
};
