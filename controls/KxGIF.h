// The GIF picture: a list of frames with their extensions, read from and written to the GIF87a and
// GIF89a file formats. Each frame keeps its LZW-encoded data as read (written back unchanged) and is
// decoded on demand into a bottom-up bitmap of 1, 4 or 8 bits per pixel; frames built from bitmaps
// are encoded when the picture is written.
#pragma once

#include "controls/KxGIFLzw.h"
#include "controls/KxGraph.h"
#include "gui/Bitmap.h"
#include "rtl/Object.h"

#include <functional>
#include <memory>
#include <vector>

// Errors of the GIF picture (the platform's invalid-graphic-operation kind).
ORV_DECLARE_EXCEPTION(EGIFImageError, Exception)

enum TGIFVersion : Byte { verNone = 0, ver87a = 1, ver89a = 2 };
enum TExtKind : Byte { ekGraphicControl = 0, ekPlainText = 1, ekApplication = 2, ekComment = 3 };

// Label bytes of the extensions and the block introducers.
constexpr Byte GifLabelGraphicControl = 0xF9;
constexpr Byte GifLabelPlainText = 0x01;
constexpr Byte GifLabelApplication = 0xFF;
constexpr Byte GifLabelComment = 0xFE;
constexpr Byte GifExtensionIntroducer = '!';
constexpr Byte GifImageIntroducer = ',';
constexpr Byte GifTrailer = ';';

// A colour table: up to 256 entries of red, green, blue (file order).
struct TGifPalette {
    Integer Count = 0;
    Byte Entries[256][3] = {};
    TKxColor Color(Integer index) const {
        return KxRGB(Entries[index][0], Entries[index][1], Entries[index][2]);
    }
    // The first entry of that colour, or -1 (kxColorNone matches none).
    Integer IndexOf(TKxColor color) const;
    void Clear() { *this = TGifPalette(); }
};

// The bits for a palette size 2, 4, … 256; any other size raises
// "Wrong number of colors; must be a power of 2".
Integer BitsForColorCount(Integer count);
// The smallest bits from 1 up with 2^bits ≥ count (at most 8).
Integer BitsToHoldColors(Integer count);

// One extension block: its kind, the fixed bytes after the label and one line per data sub-block.
class TExtension : public TObject {
public:
    String ClassName() const override { return "TExtension"; }
    void Assign(const TExtension& source);

    TExtKind ExtKind = ekComment;
    std::vector<Byte> ExtHeader;
    std::vector<String> ExtLines;
};

// Data shared by images after assignment.
class TGIFData {
public:
    std::vector<String> Remarks; // the image comment
    Byte AspectRatio = 0;
    Integer BitsPerPixel = 0;
    Integer ColorResolution = 0;
    TGifPalette GlobalPalette;
};

// The encoded data of a frame, shared by frames after assignment.
class TGIFItem {
public:
    std::vector<Byte> EncodedData; // code size byte, sub-blocks and terminator, as in the file
    Integer Width = 0;             // ImageSize
    Integer Height = 0;
    Byte DescriptorFlags = 0;
    Integer BitsPerPixel = 0;
    TGifPalette FramePalette;
};

class TGIFImage;
class TStream;

class TGIFFrame : public TObject {
public:
    explicit TGIFFrame(TGIFImage* owner);
    ~TGIFFrame() override;
    String ClassName() const override { return "TGIFFrame"; }

    TGIFImage* Owner() const { return FOwner; }
    TGIFItem& Item() { return *FItem; }
    const TGIFItem& Item() const { return *FItem; }
    const std::shared_ptr<TGIFItem>& SharedItem() const { return FItem; }
    void NewItem();

    // The decoded bitmap, made on demand (decoded from the encoded data when there is any).
    TDibBitmap& FrameBitmap();
    bool HasBitmap() const { return FBitmap != nullptr; }
    void ReleaseBitmap() { FBitmap.reset(); }
    // The frame decoded into a bottom-up bitmap of 1, 4 or 8 bits; ORs the damaged result into
    // DamagedData. Raises "Wrong number of colors; must be a power of 2" for bits outside 1..8.
    TDibBitmap DecodeFrameBitmap();
    // Encodes the frame's bitmap into its encoded data ("No GIF Data to write" without one).
    void EncodeBitmap();

    Integer FrameWidth();
    Integer FrameHeight();
    // The lines of the frame's comment extension; created when asked, else nullptr when none.
    std::vector<String>* CommentList(bool create);
    // The frame's last graphic control extension, or nullptr.
    TExtension* GraphicControl();

    // Assignment from nothing, another frame, an image (its active frame) or a bitmap.
    void AssignNothing();
    void Assign(const TGIFFrame& source);
    void Assign(TGIFImage& source);
    void Assign(const TDibBitmap& source);
    // The frame's bitmap with its transparency, as a bitmap destination receives it.
    TDibBitmap AssignTo();
    // Stretch-draws the frame's bitmap into the rectangle of the canvas; with `transparent` and a key
    // colour, the pixels of that colour leave the canvas as it was.
    void DrawFrame(TCanvas& canvas, const TRect& r, bool transparent);
    // Stretches the frame's bitmap into the rectangle of a 24- or 32-bit surface; with `transparent`
    // and a key colour, pixels of exactly that colour leave the surface as it was.
    void DrawOnto(TDibBitmap& surface, Integer left, Integer top, Integer width, Integer height,
                  bool transparent);

    std::vector<std::unique_ptr<TExtension>> FrameExtensions;
    Integer FrameLeft = 0; // FrameOffset
    Integer FrameTop = 0;
    bool InterlacedRows = false;
    bool DamagedData = false;
    bool GrayOnly = false;
    TKxColor KeyColor = kxColorNone;
    Integer DelayMs = 0; // milliseconds, full range (the file keeps hundredths in 16 bits)
    Byte DisposalCode = 0;
    bool OwnPalette = false;
    // The transparent index read from the file; kept when its entry still has the key colour, so
    // that a frame written back stays transparent where it was.
    Integer TransparentIndex = -1;

private:
    TGIFImage* FOwner;
    std::unique_ptr<TDibBitmap> FBitmap;
    std::shared_ptr<TGIFItem> FItem;
};

// The clipboard formats registered at start-up: "GIF Image" and "Quorna Icon".
Word GifClipboardFormat();
Word QuornaIconFormat();
// Registers the GIF picture with the picture class (extension "gif", its clipboard format) and the
// icon clipboard format; done once at start-up, callable again without effect.
void RegisterGIFImage();

class TGIFImage : public TGraphic {
    ORV_META(TGIFImage, TGraphic)
public:
    TGIFImage();
    ~TGIFImage() override;

    void Reset();
    // Reads `count` bytes of GIF; decodes frame 0 when asked. Raises EGIFImageError for what cannot
    // be read; damaged image data only marks its frame.
    void LoadGif(const Byte* data, Int64 count, bool decodeFirstFrame);
    // The GIF file, with a 32-bit little-endian size prefix when asked.
    std::vector<Byte> StoreGif(bool withSizePrefix);

    // The stream forms: LoadFromStream reads from the position to the end; ReadData and WriteData
    // carry a 32-bit little-endian byte count first (the form-resource storage of a picture).
    void LoadGif(Int64 count, TStream& stream, bool decodeFirstFrame);
    void StoreGif(TStream& stream, bool withSizePrefix);
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override { StoreGif(stream, false); }
    void ReadData(TStream& stream);
    void WriteData(TStream& stream) { StoreGif(stream, true); }

    void LoadFromBytes(const std::vector<Byte>& data) {
        LoadGif(data.data(), static_cast<Int64>(data.size()), true);
    }
    std::vector<Byte> SaveToBytes() { return StoreGif(false); }

    Integer FrameCount() const { return static_cast<Integer>(FrameList.size()); }
    TGIFFrame* FrameAt(Integer index) const { return FrameList.at(index).get(); }
    // Appends a frame assigned from the bitmap, makes it active and returns its index.
    Integer AddFrame(const TDibBitmap& bitmap);
    TDibBitmap& CurrentBitmap();

    void AssignNothing();
    void Assign(const TGIFImage& source);
    void Assign(const TGIFFrame& source);
    void Assign(const TDibBitmap& source);
    // Nothing (nullptr) resets the image; anything else as for the picture class.
    void Assign(const TPersistent* source) override;

    bool GetEmpty() const;
    // The colour table of CurrentBitmap (none for a true-colour frame); none without frames.
    std::vector<TDibColor> GetPalette();
    Integer GetWidth();
    Integer GetHeight();
    bool GetTransparent() const;
    // Draws the active frame (nothing when there is none) into the rectangle of the surface.
    void DrawOnto(TDibBitmap& surface, Integer left, Integer top, Integer width, Integer height);
    // The size follows the frames: setting it raises "Cannot change the Size of a GIF image".
    void SetWidth(Integer value) override;
    void SetHeight(Integer value) override;

    // The picture class's operations.
    int Width() const override { return const_cast<TGIFImage*>(this)->GetWidth(); }
    int Height() const override { return const_cast<TGIFImage*>(this)->GetHeight(); }
    bool Empty() const override { return GetEmpty(); }
    // Draws the active frame stretched into r, leaving its key colour out when transparent.
    void Draw(TCanvas& canvas, const TRect& r) override;
    // Nothing (nullptr), another GIF picture, a bitmap; others raise the conversion error.
    void Assign(const TGraphic& source) override;
    using TGraphic::Assign;
    // Hands the active frame (with its transparency) to a bitmap or another picture.
    void AssignTo(TGraphic& dest);
    // Appends a frame from any picture: a bitmap as it is, another picture drawn into a bitmap.
    Integer AddFrame(const TGraphic& graphic);
    std::unique_ptr<TGraphic> NewOfSameClass() const override { return std::make_unique<TGIFImage>(); }
    void SaveToClipboardFormat(Word& format, std::vector<Byte>& data) override;
    void LoadFromClipboardFormat(Word format, const std::vector<Byte>& data) override;
    bool Equals(const TGIFImage& other) const { return GifData == other.GifData; }
    // The logical screen: the largest frame offset plus frame size.
    void UpdateLogicalSize();

    std::shared_ptr<TGIFData> GifData;
    TGIFVersion GifVersion = verNone;
    std::vector<std::unique_ptr<TGIFFrame>> FrameList;
    Integer ActiveFrame = -1;
    Integer LogicalWidth = 0;
    Integer LogicalHeight = 0;
    TKxColor BackdropColor = kxColorNone;
    bool LoopAnimation = false;
    bool Damaged = false;
    Word LoopCount = 1;
    bool PaletteModified = false;

    TLzwProgress OnProgress;

private:
    void ReadFrame(class TGifByteReader& in, TGIFFrame& frame);
    std::unique_ptr<TExtension> ReadExtension(class TGifByteReader& in);
};
