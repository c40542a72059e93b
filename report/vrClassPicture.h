// The picture object: a platform picture from the layout, a file named by an expression or a BLOB
// field, drawn stretched (optionally keeping its proportions), or at its natural size.
#pragma once

#include "report/vrClassView.h"

#include <memory>

class TBitmap;
class TGraphic;
class TPicture;
class TStream;

// The result of LoadPictureFromStream when no picture format is recognised (invalid argument).
constexpr Integer vrPictureInvalidArg = static_cast<Integer>(0x80070057u);

class TvrPictureView : public TvrView {
    ORV_META(TvrPictureView, TvrView)
    explicit TvrPictureView(TComponent* AOwner);
    ~TvrPictureView() override;

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    bool Center = false;
    String FileLink;
    // The picture's number in the prepared report's picture cache.
    Integer ImageIndex = 0;
    // Whether ImageIndex and Picture are written to a layout or prepared page.
    bool IsImageIndexStored = false;
    bool IsPictureStored = true;
    bool KeepAspectRatio = true;
    bool Stretched = true;
    bool HightQuality = false;
    bool Transparent = false;
    TColor TransparentColor = clWhite;

    TPicture* Picture() const { return FPicture.get(); }
    // Copies the given picture (nullptr clears it).
    void SetPicture(TPicture* Value);
    // Set when the picture changed since the last Diff put it into the picture cache.
    bool PictureChanged() const { return FPictureChanged; }

    // Reads a picture whose format the first bytes tell; 0 on success, vrPictureInvalidArg (and a
    // cleared picture) when no format is known. FromStart reads from position 0, else from the
    // stream's position.
    Integer LoadPictureFromStream(TStream& Stream, bool FromStart);
    void LoadFromFile(const String& FileName);

    void Draw(TCanvas* ACanvas, Extended AScaleX, Extended AScaleY, Extended AOffsetX,
              Extended AOffsetY) override;
    void GetData() override;
    String Diff(TvrComponent* Template) override;
    String GetDescription() const override { return "obPicture"; }

    // The rectangle the picture is drawn into, from the pixel rectangle of the last BeginDraw.
    TRect PictureRect() const;

private:
    void PictureChangedEvent();
    void DrawPicture();
    // The graphic to draw into the device rectangle: the picture itself, or, when it is larger
    // than the rectangle, the picture shrunk to it once and kept for the drawings that follow.
    TGraphic* GraphicFor(TGraphic* Graphic, const TRect& Rect);

    std::unique_ptr<TPicture> FPicture;
    // The picture at the size last drawn, and what it was made for.
    std::unique_ptr<TBitmap> FScaled;
    TGraphic* FScaledSource = nullptr;
    int FScaledWidth = 0, FScaledHeight = 0;
    TColor FScaledKey = -1;
    bool FAutoSize = false;
    bool FPictureChanged = false;
};
