// TGraphic: the abstract picture (bitmap, JPEG, metafile, icon, GIF, PNG ...). A graphic knows its
// size, loads and saves itself through streams and files, and draws itself onto a canvas.
#pragma once

#include "gui/Graphics.h"

#include <memory>
#include <vector>

class TStream;

// The picture readers (BMP, GIF, PNG) refuse pictures larger than this many pixels, or whose planes
// together need more memory than this many bytes, before they allocate anything.
constexpr Int64 MaxPicturePixels = Int64(1) << 27;
constexpr Int64 MaxPictureBytes = Int64(1) << 29;

class TGraphic : public TPersistent {
    ORV_META(TGraphic, TPersistent)

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int width) = 0;
    virtual void SetHeight(int height) = 0;
    virtual bool Empty() const = 0;
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value);
    bool Modified() const { return FModified; }
    void SetModified(bool value) { FModified = value; }

    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) = 0;
    // Through a file stream; errors raise EFOpenError/EFCreateError or the format's own error.
    virtual void LoadFromFile(const String& fileName);
    virtual void SaveToFile(const String& fileName);

    // Draws the picture into r (stretched to it) on the canvas. TCanvas::Draw and StretchDraw
    // call this.
    virtual void Draw(TCanvas& canvas, const TRect& r) = 0;
    // Copies source; a graphic that cannot take the source's kind raises EConvertError
    // "Cannot assign a <source class> to a <this class>".
    virtual void Assign(const TGraphic& source);
    // A graphic source goes to Assign(const TGraphic&); others as TPersistent does.
    void Assign(const TPersistent* Source) override;
    // A new, empty graphic of the same class (TPicture copies graphics through it).
    virtual std::unique_ptr<TGraphic> NewOfSameClass() const = 0;

    // Clipboard: the format the graphic puts on the clipboard with its bytes, and reading it back
    // from a format it knows. The default raises EInvalidGraphic "Unsupported clipboard format".
    virtual void SaveToClipboardFormat(Word& format, std::vector<Byte>& data);
    virtual void LoadFromClipboardFormat(Word format, const std::vector<Byte>& data);

    TNotifyEvent OnChange;

protected:
    // Marks the graphic modified and fires OnChange.
    virtual void Changed();
    bool FTransparent = false;
    bool FModified = false;
};
