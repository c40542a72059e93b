// TPicture: holds one graphic of any registered kind. Files are read by their extension, streams
// by their first bytes, clipboard data by its format, through a registry of graphic classes that
// picture kinds add themselves to (BMP and JPEG here; GIF, PNG and others from their own units).
#pragma once

#include "gui/Bitmap.h"

#include <functional>
#include <memory>
#include <vector>

using TGraphicFactory = std::function<std::unique_ptr<TGraphic>()>;
// True when the first bytes of a stream (as many as there are, up to 64) are of this kind.
using TGraphicSignature = std::function<bool(const Byte* data, size_t size)>;

struct TPictureFileFormat {
    String Extension; // lower case, without the dot
    String Description;
    String ClassName;
    TGraphicFactory Factory;
    TGraphicSignature Signature;
};

class TPicture : public TPersistent {
    ORV_META(TPicture, TPersistent)
    TPicture();
    ~TPicture() override;

    // The graphic (nullptr when there is none).
    TGraphic* Graphic() const { return FGraphic.get(); }
    // Keeps a copy of the graphic (nullptr clears the picture).
    void SetGraphic(const TGraphic* graphic);
    // Takes the graphic over.
    void SetGraphic(std::unique_ptr<TGraphic> graphic);
    // The graphic as a bitmap: a graphic of another kind is replaced by a new, empty bitmap.
    TBitmap* Bitmap();
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }

    // By the file's extension; an unregistered one raises EInvalidGraphic
    // "Unknown picture file extension (.ext)".
    void LoadFromFile(const String& fileName);
    // The graphic writes itself in its own format, whatever the extension.
    void SaveToFile(const String& fileName);
    // By the first bytes of the stream; data of no registered kind raises EInvalidGraphic
    // "Unknown picture format".
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream);
    // Clipboard data of a registered format (CF_DIB / CF_BITMAP for bitmaps).
    void LoadFromClipboardFormat(Word format, const std::vector<Byte>& data);
    void SaveToClipboardFormat(Word& format, std::vector<Byte>& data);
    static bool SupportsClipboardFormat(Word format);

    void Assign(const TPicture& source);
    // A picture or a graphic (nullptr clears the picture); others as TPersistent does.
    void Assign(const TPersistent* Source) override;

    TNotifyEvent OnChange;

    // The registry. A later registration of an extension replaces the earlier one.
    static void RegisterFileFormat(const String& extension, const String& description,
                                   const String& className, TGraphicFactory factory,
                                   TGraphicSignature signature = nullptr);
    static void RegisterClipboardFormat(Word format, const String& className, TGraphicFactory factory);
    // Removes every registration (files and clipboard) of a graphic class.
    static void UnregisterGraphicClass(const String& className);
    static std::vector<TPictureFileFormat> FileFormats();
    // The open-dialog filter: "All (*.bmp;*.jpg;...)|*.bmp;*.jpg;...|Bitmaps (*.bmp)|*.bmp|...";
    // with a class name only that class's formats.
    static String GraphicFilter(const String& className = String());

private:
    void Changed();
    std::unique_ptr<TGraphic> FGraphic;
};
