// The GIF picture's model: palettes, extensions, frames as bitmaps and assignment.
#include "controls/KxGIF.h"

#include <algorithm>

namespace {
const char* const WrongColorCount = "Wrong number of colors; must be a power of 2";
}

Integer TGifPalette::IndexOf(TKxColor color) const {
    if (color == kxColorNone) return -1;
    for (Integer i = 0; i < Count && i < 256; ++i)
        if (Color(i) == (color & 0xFFFFFF)) return i;
    return -1;
}

Integer BitsForColorCount(Integer count) {
    for (Integer bits = 1; bits <= 8; ++bits)
        if (count == (1 << bits)) return bits;
    throw EGIFImageError(WrongColorCount);
}

Integer BitsToHoldColors(Integer count) {
    Integer bits = 1;
    while (bits < 8 && (1 << bits) < count)
        ++bits;
    return bits;
}

void TExtension::Assign(const TExtension& source) {
    ExtKind = source.ExtKind;
    ExtHeader = source.ExtHeader;
    ExtLines = source.ExtLines;
}

// ---- Frames ----

TGIFFrame::TGIFFrame(TGIFImage* owner) : FOwner(owner), FItem(std::make_shared<TGIFItem>()) {}

TGIFFrame::~TGIFFrame() = default;

void TGIFFrame::NewItem() {
    FItem = std::make_shared<TGIFItem>();
}

TDibBitmap TGIFFrame::DecodeFrameBitmap() {
    const TGIFItem& item = *FItem;
    Integer bitCount;
    if (item.BitsPerPixel == 1)
        bitCount = 1;
    else if (item.BitsPerPixel >= 2 && item.BitsPerPixel <= 4)
        bitCount = 4;
    else if (item.BitsPerPixel >= 5 && item.BitsPerPixel <= 8)
        bitCount = 8;
    else
        throw EGIFImageError(WrongColorCount);
    TDibBitmap bmp(item.Width, item.Height, bitCount);
    const Integer colors = 1 << bitCount;
    bmp.Colors.assign(colors, TDibColor{128, 128, 128, 128});
    for (Integer i = 0; i < item.FramePalette.Count && i < colors; ++i)
        bmp.Colors[i] = TDibColor::FromRGB(item.FramePalette.Entries[i][0], item.FramePalette.Entries[i][1],
                                           item.FramePalette.Entries[i][2]);
    if (!item.EncodedData.empty() && !bmp.Empty()) {
        bool damaged = false;
        TLzwImageHeader header{item.Width, item.Height, bitCount};
        DecodeLzwImage(item.EncodedData.data(), item.EncodedData.size(), header, InterlacedRows,
                       FOwner ? FOwner->OnProgress : TLzwProgress(), damaged, bmp.Bits().data(),
                       item.BitsPerPixel);
        DamagedData = DamagedData || damaged;
    }
    bmp.Monochrome = false;
    return bmp;
}

TDibBitmap& TGIFFrame::FrameBitmap() {
    if (FBitmap && !FBitmap->Empty()) return *FBitmap;
    if (!FItem->EncodedData.empty())
        FBitmap = std::make_unique<TDibBitmap>(DecodeFrameBitmap());
    else
        FBitmap = std::make_unique<TDibBitmap>();
    return *FBitmap;
}

void TGIFFrame::EncodeBitmap() {
    if (!FBitmap || FBitmap->Empty()) throw EGIFImageError("No GIF Data to write");
    const TDibBitmap* source = FBitmap.get();
    TDibBitmap reduced;
    const Integer depth = source->BitCount();
    if (depth != 1 && depth != 4 && depth != 8) {
        const ReductionMethod method = GrayOnly ? rdGrayLevels : DefaultReduction();
        reduced = ConvertToIndexed(*source, kxpf8bit, method);
        if (method == rdGrayLevels) GrayOnly = true;
        source = &reduced;
    }
    const Integer bitCount = source->BitCount();
    Integer colors;
    switch (bitCount) {
    case 1:
        colors = 2;
        break;
    case 4:
        colors = 16;
        break;
    case 8:
        colors = 256;
        break;
    default:
        throw EGIFImageError("GIF image encoding error");
    }
    if (source->Width() > 0xFFFF || source->Height() > 0xFFFF)
        throw EGIFImageError("GIF image encoding error");
    InterlacedRows = false;
    auto item = std::make_shared<TGIFItem>();
    item->FramePalette.Count = std::min<Integer>(colors, 256);
    for (Integer i = 0; i < item->FramePalette.Count; ++i) {
        const TDibColor c = i < static_cast<Integer>(source->Colors.size()) ? source->Colors[i] : TDibColor{};
        item->FramePalette.Entries[i][0] = c.Red;
        item->FramePalette.Entries[i][1] = c.Green;
        item->FramePalette.Entries[i][2] = c.Blue;
    }
    TLzwImageHeader header{source->Width(), source->Height(), bitCount};
    try {
        EncodeLzwImage(item->EncodedData, header, false, FOwner ? FOwner->OnProgress : TLzwProgress(),
                       source->Bits().data());
    } catch (const EAbort&) {
        NewItem();
        throw;
    }
    item->BitsPerPixel = BitsToHoldColors(item->FramePalette.Count);
    item->Width = source->Width();
    item->Height = source->Height();
    FItem = item;
    if (FOwner) {
        TGIFData& data = *FOwner->GifData;
        if (data.GlobalPalette.Count == 0) {
            data.GlobalPalette = item->FramePalette;
            data.BitsPerPixel = item->BitsPerPixel;
            OwnPalette = false;
        } else {
            OwnPalette = true;
        }
        FOwner->LogicalWidth = std::max(FOwner->LogicalWidth, FrameLeft + item->Width);
        FOwner->LogicalHeight = std::max(FOwner->LogicalHeight, FrameTop + item->Height);
    } else {
        OwnPalette = true;
    }
}

Integer TGIFFrame::FrameWidth() {
    if (!FBitmap && FItem->EncodedData.empty()) return 0;
    return FrameBitmap().Width();
}

Integer TGIFFrame::FrameHeight() {
    if (!FBitmap && FItem->EncodedData.empty()) return 0;
    return FrameBitmap().Height();
}

std::vector<String>* TGIFFrame::CommentList(bool create) {
    for (auto& ext : FrameExtensions)
        if (ext->ExtKind == ekComment) return &ext->ExtLines;
    if (!create) return nullptr;
    auto ext = std::make_unique<TExtension>();
    ext->ExtKind = ekComment;
    FrameExtensions.push_back(std::move(ext));
    return &FrameExtensions.back()->ExtLines;
}

TExtension* TGIFFrame::GraphicControl() {
    for (auto it = FrameExtensions.rbegin(); it != FrameExtensions.rend(); ++it)
        if ((*it)->ExtKind == ekGraphicControl) return it->get();
    return nullptr;
}

void TGIFFrame::AssignNothing() {
    NewItem();
    FBitmap.reset();
}

void TGIFFrame::Assign(const TGIFFrame& source) {
    if (&source != this) {
        FItem = source.FItem;
        OwnPalette = source.FOwner == FOwner ? source.OwnPalette : true;
        FrameLeft = source.FrameLeft;
        FrameTop = source.FrameTop;
        InterlacedRows = source.InterlacedRows;
        if (source.FBitmap) FBitmap = std::make_unique<TDibBitmap>(*source.FBitmap);
        KeyColor = source.KeyColor;
        TransparentIndex = source.TransparentIndex;
        DelayMs = source.DelayMs;
        DisposalCode = source.DisposalCode;
        GrayOnly = source.GrayOnly;
        DamagedData = source.DamagedData;
        for (auto& ext : source.FrameExtensions)
            if (ext->ExtKind == ekComment && !ext->ExtLines.empty()) {
                *CommentList(true) = ext->ExtLines;
                break;
            }
    }
    if (FOwner) FOwner->UpdateLogicalSize();
}

void TGIFFrame::Assign(TGIFImage& source) {
    if (source.FrameCount() == 0) return;
    const Integer index = source.ActiveFrame < 0 ? 0 : std::min(source.ActiveFrame, source.FrameCount() - 1);
    Assign(*source.FrameAt(index));
}

void TGIFFrame::Assign(const TDibBitmap& source) {
    if (source.Empty()) {
        AssignNothing();
    } else {
        NewItem();
        FBitmap = std::make_unique<TDibBitmap>(source);
        if (source.Transparent) {
            KeyColor = source.TransparentColor != kxColorNone ? source.TransparentColor
                                                              : source.Pixel(0, source.Height() - 1);
            TransparentIndex = -1;
        }
    }
    if (FOwner) FOwner->UpdateLogicalSize();
}

TDibBitmap TGIFFrame::AssignTo() {
    TDibBitmap result = FrameBitmap();
    if (KeyColor != kxColorNone) {
        result.TransparentColor = KeyColor & 0xFFFFFF;
        result.Transparent = true;
    }
    return result;
}

// ---- Image ----

TGIFImage::TGIFImage() {
    Reset();
    FTransparent = true; // the picture's transparency switch is on from the start
}

TGIFImage::~TGIFImage() {
    OnChange = nullptr;
    FrameList.clear();
}

void TGIFImage::Reset() {
    GifData = std::make_shared<TGIFData>();
    FrameList.clear();
    Damaged = false;
    ActiveFrame = -1;
    BackdropColor = kxColorNone;
    LoopCount = 1;
    LoopAnimation = false;
    GifVersion = verNone;
    LogicalWidth = 0;
    LogicalHeight = 0;
}

void TGIFImage::UpdateLogicalSize() {
    Integer w = 0, h = 0;
    for (auto& frame : FrameList) {
        Integer fw, fh;
        if (frame->HasBitmap() && !frame->FrameBitmap().Empty()) {
            fw = frame->FrameBitmap().Width();
            fh = frame->FrameBitmap().Height();
        } else {
            fw = frame->Item().EncodedData.empty() ? 0 : frame->Item().Width;
            fh = frame->Item().EncodedData.empty() ? 0 : frame->Item().Height;
        }
        w = std::max(w, frame->FrameLeft + fw);
        h = std::max(h, frame->FrameTop + fh);
    }
    LogicalWidth = w;
    LogicalHeight = h;
}

Integer TGIFImage::AddFrame(const TDibBitmap& bitmap) {
    FrameList.push_back(std::make_unique<TGIFFrame>(this));
    ActiveFrame = FrameCount() - 1;
    FrameList.back()->Assign(bitmap);
    if (GifVersion == verNone) GifVersion = ver87a;
    if (FrameCount() > 1) GifVersion = ver89a;
    return ActiveFrame;
}

TDibBitmap& TGIFImage::CurrentBitmap() {
    if (FrameCount() > 0) {
        const Integer index = (ActiveFrame >= 0 && ActiveFrame < FrameCount()) ? ActiveFrame : 0;
        return FrameList[index]->FrameBitmap();
    }
    ActiveFrame = 0;
    Assign(TDibBitmap());
    return FrameList[0]->FrameBitmap();
}

void TGIFImage::AssignNothing() {
    Reset();
    Changed();
}

void TGIFImage::Assign(const TGIFImage& source) {
    if (&source == this) return;
    GifData = source.GifData;
    GifVersion = source.GifVersion;
    BackdropColor = source.BackdropColor;
    LoopCount = source.LoopCount;
    LoopAnimation = source.LoopAnimation;
    Damaged = source.Damaged;
    FrameList.clear();
    for (auto& frame : source.FrameList) {
        auto copy = std::make_unique<TGIFFrame>(this);
        copy->Assign(*frame);
        copy->OwnPalette = frame->OwnPalette;
        FrameList.push_back(std::move(copy));
    }
    LogicalWidth = source.LogicalWidth;
    LogicalHeight = source.LogicalHeight;
    ActiveFrame = source.ActiveFrame;
    Changed();
}

void TGIFImage::Assign(const TGIFFrame& source) {
    // Keep the source's owner data before the reset drops ours (the source may be our own frame).
    std::shared_ptr<TGIFData> ownerData = source.Owner() ? source.Owner()->GifData : nullptr;
    auto keep = std::make_unique<TGIFFrame>(nullptr);
    keep->Assign(source);
    Reset();
    if (ownerData) {
        GifData->AspectRatio = ownerData->AspectRatio;
        GifData->BitsPerPixel = ownerData->BitsPerPixel;
        GifData->ColorResolution = ownerData->ColorResolution;
        GifData->GlobalPalette = ownerData->GlobalPalette;
    }
    FrameList.push_back(std::make_unique<TGIFFrame>(this));
    ActiveFrame = 0;
    FrameList[0]->Assign(*keep);
    if (GifVersion == verNone) GifVersion = ver87a;
    Changed();
}

void TGIFImage::Assign(const TDibBitmap& source) {
    Reset();
    AddFrame(source);
    Changed();
}

bool TGIFImage::GetEmpty() const {
    if (FrameList.empty()) return true;
    const Integer index = std::max(ActiveFrame, 0);
    if (index >= FrameCount()) return true;
    const TGIFFrame& frame = *FrameList[index];
    if (frame.HasBitmap()) return false;
    return frame.Item().EncodedData.empty();
}

Integer TGIFImage::GetWidth() {
    if (GetEmpty() || ActiveFrame < 0 || ActiveFrame >= FrameCount()) return 0;
    return FrameList[ActiveFrame]->FrameBitmap().Width();
}

Integer TGIFImage::GetHeight() {
    if (GetEmpty() || ActiveFrame < 0 || ActiveFrame >= FrameCount()) return 0;
    return FrameList[ActiveFrame]->FrameBitmap().Height();
}

bool TGIFImage::GetTransparent() const {
    if (!Transparent()) return false;
    for (auto& frame : FrameList)
        if (frame->KeyColor != kxColorNone) return true;
    return false;
}

void TGIFImage::SetWidth(Integer) {
    throw EGIFImageError("Cannot change the Size of a GIF image");
}

void TGIFImage::SetHeight(Integer) {
    throw EGIFImageError("Cannot change the Size of a GIF image");
}
