// The GIF writer of the picture exports.
#include "report/export/vrExportImage.h"

#include "gui/Bitmap.h"
#include "gui/Graphic.h"
#include "gui/Graphics.h"
#include "classes/MetaBuilder.h"
#include "gui/Jpeg.h"
#include "report/export/vrExportFile.h"
#include "report/export/vrrcExports.h"
#include "report/vrClassPage.h"
#include "report/vrClassReport.h"
#include "report/vrClassView.h"
#include "report/vrRes.h"
#include "report/vrUtils.h"
#include "rtl/FileUtils.h"
#include "rtl/Format.h"
#include "rtl/SysUtils.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>
#include <vector>

namespace {

// LZW codes packed least-significant bit first into sub-blocks of at most 254 bytes.
class TGifCodeWriter {
public:
    explicit TGifCodeWriter(std::vector<Byte>& out) : FOut(out) {}
    void Code(int code, int bits) {
        FAcc |= static_cast<unsigned long>(code) << FBits;
        FBits += bits;
        while (FBits >= 8) {
            Put(static_cast<Byte>(FAcc & 0xFF));
            FAcc >>= 8;
            FBits -= 8;
        }
    }
    void Finish() {
        if (FBits > 0) Put(static_cast<Byte>(FAcc & 0xFF));
        FAcc = 0;
        FBits = 0;
        FlushBlock();
    }

private:
    void Put(Byte b) {
        FBlock[FCount++] = b;
        if (FCount == 254) FlushBlock();
    }
    void FlushBlock() {
        if (FCount == 0) return;
        FOut.push_back(static_cast<Byte>(FCount));
        FOut.insert(FOut.end(), FBlock.begin(), FBlock.begin() + FCount);
        FCount = 0;
    }
    std::vector<Byte>& FOut;
    std::array<Byte, 254> FBlock{};
    int FCount = 0;
    unsigned long FAcc = 0;
    int FBits = 0;
};

constexpr int HashSize = 5003;
constexpr int ClearCode = 256, EndCode = 257, FirstFree = 258, MaxCodes = 4096;

void EncodeLzw(const std::vector<Byte>& pixels, std::vector<Byte>& out) {
    TGifCodeWriter writer(out);
    std::vector<long> keys(HashSize, -1);
    std::vector<int> codes(HashSize, 0);
    int bits = 9, maxCode = (1 << bits) - 1, freeCode = FirstFree;
    bool clearRequested = false;
    const auto output = [&](int code) {
        writer.Code(code, bits);
        if (clearRequested) {
            bits = 9;
            maxCode = (1 << bits) - 1;
            clearRequested = false;
        } else if (freeCode > maxCode) {
            ++bits;
            maxCode = bits == 12 ? MaxCodes : (1 << bits) - 1;
        }
    };
    output(ClearCode);
    if (pixels.empty()) {
        output(EndCode);
        writer.Finish();
        return;
    }
    int prefix = pixels[0];
    for (size_t i = 1; i < pixels.size(); ++i) {
        const int pixel = pixels[i];
        const long key = (static_cast<long>(pixel) << 12) + prefix;
        int slot = (pixel << 4) ^ prefix;
        const int step = slot == 0 ? 1 : HashSize - slot;
        bool found = false;
        while (keys[static_cast<size_t>(slot)] >= 0) {
            if (keys[static_cast<size_t>(slot)] == key) {
                prefix = codes[static_cast<size_t>(slot)];
                found = true;
                break;
            }
            slot -= step;
            if (slot < 0) slot += HashSize;
        }
        if (found) continue;
        output(prefix);
        if (freeCode < MaxCodes) {
            keys[static_cast<size_t>(slot)] = key;
            codes[static_cast<size_t>(slot)] = freeCode++;
        } else {
            std::fill(keys.begin(), keys.end(), -1);
            freeCode = FirstFree;
            clearRequested = true;
            output(ClearCode);
        }
        prefix = pixel;
    }
    output(prefix);
    output(EndCode);
    writer.Finish();
}

void Word16(std::vector<Byte>& out, int v) {
    out.push_back(static_cast<Byte>(v & 0xFF));
    out.push_back(static_cast<Byte>((v >> 8) & 0xFF));
}

} // namespace

void WriteGif(TStream& stream, TBitmap& bitmap) {
    const int w = bitmap.Width(), h = bitmap.Height();
    if (w > 65535 || h > 65535)
        throw EInvalidGraphicOperation("A GIF picture holds at most 65535 pixels a side (" + IntToStr(w) + " x " +
                                       IntToStr(h) + ")");
    bitmap.SetPixelFormat(pf8bit);
    std::vector<Byte> out{'G', 'I', 'F', '8', '9', 'a'};
    out.reserve(1024);
    Word16(out, w);
    Word16(out, h);
    out.push_back(0xE7);
    out.push_back(0);
    out.push_back(0);
    const std::vector<TColor> palette = bitmap.Palette();
    for (size_t i = 0; i < 256; ++i) {
        const TColor c = i < palette.size() ? palette[i] : 0;
        out.push_back(static_cast<Byte>(c & 0xFF));
        out.push_back(static_cast<Byte>((c >> 8) & 0xFF));
        out.push_back(static_cast<Byte>((c >> 16) & 0xFF));
    }
    for (const Byte b : {0x21, 0xF9, 4, 0, 0, 0, 0, 0}) out.push_back(b);
    for (const Byte b : {0x21, 0xFE, 10}) out.push_back(b);
    const char* comment = "ZezuDerevu";
    out.insert(out.end(), comment, comment + 10);
    out.push_back(0);
    out.push_back(0x2C);
    Word16(out, 0);
    Word16(out, 0);
    Word16(out, w);
    Word16(out, h);
    out.push_back(0);
    out.push_back(8);
    std::vector<Byte> pixels;
    pixels.reserve(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) {
        const Byte* row = bitmap.ScanLine(y);
        pixels.insert(pixels.end(), row, row + w);
    }
    EncodeLzw(pixels, out);
    out.push_back(0);
    out.push_back(0x3B);
    stream.WriteBuffer(out.data(), static_cast<Int64>(out.size()));
}

void SaveBitmapAsGif(const String& fileName, TBitmap& bitmap) {
    TvrExportFile file(fileName);
    WriteGif(file.Stream(), bitmap);
    file.Commit();
}

// --- the picture exports -------------------------------------------------------------------------

namespace {

int RoundPx(Extended v) {
    return static_cast<int>(std::lround(v));
}

} // namespace

ORV_META_IMPL(TvrCustomImageExport)
void TvrCustomImageExport::DeclareMeta(meta::Class<TvrCustomImageExport>&) {}

TvrCustomImageExport::TvrCustomImageExport(TComponent* AOwner) : TvrCustomExportFilter(AOwner) {
    vrLoadExportStrings();
}

TvrCustomImageExport::TvrCustomImageExport(TUnlisted tag) : TvrCustomExportFilter(tag) {
    vrLoadExportStrings();
}

TvrCustomImageExport::~TvrCustomImageExport() = default;

void TvrCustomImageExport::NewBitmap(int width, int height) {
    FBitmap = std::make_unique<TBitmap>();
    FScreenDpi = FBitmap->Canvas()->Font()->PixelsPerInch();
    FScale = static_cast<Extended>(ImageDpi) / FScreenDpi;
    if (Monochrome) FBitmap->SetMonochrome(true);
    FBitmap->SetSize(width, height);
    FBitmap->Canvas()->Brush()->SetColor(clWhite);
    FBitmap->Canvas()->FillRect(TRect(0, 0, width, height));
}

void TvrCustomImageExport::NoteCut(int width, int height) {
    if (width <= MaxSide && height <= MaxSide) return;
    if (!FCutPages.empty()) FCutPages += ", ";
    FCutPages += IntToStr(FPageCount);
}

bool TvrCustomImageExport::Start() {
    FTarget = vrExportTarget(*this);
    if (FTarget.empty()) return false;
    if (ImageDpi <= 0) throw EConvertError("The resolution must be a positive number of dots per inch");
    CurrentPageOnly = false;
    FPageCount = 0;
    FPageOffset = 0;
    FCutPages.clear();
    FFailed = false;
    FBitmap.reset();
    FScale = static_cast<Extended>(ImageDpi) / 96;
    return true;
}

void TvrCustomImageExport::StartPage(TvrComponent* Page, Integer) {
    ++FPageCount;
    const Extended scale = static_cast<Extended>(ImageDpi) / (FBitmap ? FScreenDpi : 96);
    const int w = Page ? RoundPx(Page->Width() * scale) : 0, h = Page ? RoundPx(Page->Height() * scale) : 0;
    if (SeparateFiles) {
        NoteCut(w, h);
        NewBitmap(std::min(w, MaxSide), std::min(h, MaxSide));
        FMaxX = FMaxY = 0;
        FMinX = FBitmap->Width();
        FMinY = FBitmap->Height();
        return;
    }
    // The tall picture grows by each chosen page, up to the cap.
    if (!FBitmap) {
        NewBitmap(0, 0);
        FMaxX = FMaxY = 0;
        FMinX = FMinY = MaxSide;
    }
    NoteCut(std::max(w, FBitmap->Width()), FPageOffset + h);
    const int width = std::min(std::max(w, FBitmap->Width()), MaxSide);
    const int height = std::min(FPageOffset + h, MaxSide);
    if (width != FBitmap->Width() || height != FBitmap->Height()) FBitmap->SetSize(width, height);
}

void TvrCustomImageExport::ExportObject(TvrComponent* Obj) {
    if (!FBitmap) return;
    auto* view = dynamic_cast<TvrView*>(Obj);
    if (!view || !view->Printable) return;
    if (view->Name() != "_pagebackground") {
        FMinX = std::min(FMinX, RoundPx(view->AbsLeft() * FScale));
        FMinY = std::min(FMinY, RoundPx(view->AbsTop() * FScale) + FPageOffset);
        FMaxX = std::max(FMaxX, RoundPx((view->AbsLeft() + view->Width()) * FScale) + 1);
        FMaxY = std::max(FMaxY, RoundPx((view->AbsTop() + view->Height()) * FScale) + FPageOffset + 1);
    }
    view->Draw(FBitmap->Canvas(), FScale, FScale, 0, FPageOffset);
}

void TvrCustomImageExport::FinishPage(TvrComponent* Page, Integer) {
    if (SeparateFiles) {
        if (std::uncaught_exceptions() > 0) {
            FBitmap.reset();
            return;
        }
        FinishBitmap();
    } else if (Page) {
        FPageOffset += RoundPx(Page->Height() * FScale);
    }
}

void TvrCustomImageExport::Finish() {
    if (!SeparateFiles && FBitmap) {
        if (std::uncaught_exceptions() > 0) {
            FBitmap.reset();
            return;
        }
        FinishBitmap();
    }
    if (!FCutPages.empty() && std::uncaught_exceptions() == 0)
        vrExportError(Report, "A picture side is limited to " + IntToStr(MaxSide) + " pixels; pages cut: " + FCutPages);
}

void TvrCustomImageExport::FinishBitmap() {
    std::unique_ptr<TBitmap> bitmap = std::move(FBitmap);
    if (!bitmap || FFailed) return;
    // A page with nothing drawn keeps its whole area.
    const int right = std::min(FMaxX, bitmap->Width()), bottom = std::min(FMaxY, bitmap->Height());
    const int left = std::max(FMinX, 0), top = std::max(FMinY, 0);
    if (CropImages && right > left && bottom > top) {
        auto cropped = std::make_unique<TBitmap>(right - left, bottom - top, bitmap->PixelFormat());
        cropped->Canvas()->CopyRect(TRect(0, 0, right - left, bottom - top), bitmap->Canvas(),
                                    TRect(left, top, right, bottom));
        bitmap = std::move(cropped);
    }
    const String suffix = SeparateFiles ? "." + IntToStr(FPageCount) : String();
    const String name = ChangeFileExt(FTarget, suffix + Extension());
    try {
        SaveBitmap(*bitmap, name);
    } catch (const Exception& e) {
        FFailed = true;
        vrExportError(Report, e.Message());
    }
}

#define ORV_IMAGE_EXPORT(T, filterRes, descRes)                                                                \
    ORV_META_IMPL(T)                                                                                           \
    T::T(TComponent* AOwner) : TvrCustomImageExport(AOwner) {                                                  \
        FilterDescription = GetResources().GetString(filterRes);                                               \
        DefaultExtension = Extension();                                                                        \
    }                                                                                                          \
    T::T(TUnlisted tag) : TvrCustomImageExport(tag) {                                                          \
        FilterDescription = GetResources().GetString(filterRes);                                               \
        DefaultExtension = Extension();                                                                        \
    }                                                                                                          \
    String T::GetDescription() { return GetResources().GetString(descRes); }

ORV_IMAGE_EXPORT(TvrBMPExport, "BMPexportFilter", "BMPexport")
ORV_IMAGE_EXPORT(TvrJPEGExport, "JPEGexportFilter", "JPEGexport")
ORV_IMAGE_EXPORT(TvrGIFExport, "GifexportFilter", "GIFexport")

void TvrBMPExport::DeclareMeta(meta::Class<TvrBMPExport>& c) {
    using T = TvrBMPExport;
    c.Property("CropImages", &T::CropImages, &T::CropImages).Default(false);
    c.Property("Monochrome", &T::Monochrome, &T::Monochrome).Default(false);
}

void TvrJPEGExport::DeclareMeta(meta::Class<TvrJPEGExport>& c) {
    using T = TvrJPEGExport;
    c.Property("CropImages", &T::CropImages, &T::CropImages).Default(false);
    c.Property("JPEGQuality", &T::JPEGQuality, &T::JPEGQuality).Default(90);
    c.Property("Monochrome", &T::Monochrome, &T::Monochrome).Default(false);
}

void TvrGIFExport::DeclareMeta(meta::Class<TvrGIFExport>& c) {
    using T = TvrGIFExport;
    c.Property("CropImages", &T::CropImages, &T::CropImages).Default(false);
    c.Property("Monochrome", &T::Monochrome, &T::Monochrome).Default(false);
}

void TvrBMPExport::SaveBitmap(TBitmap& bitmap, const String& fileName) {
    WriteFileReplacing(fileName, [&](TStream& s) { bitmap.SaveToStream(s); });
}

void TvrJPEGExport::SaveBitmap(TBitmap& bitmap, const String& fileName) {
    TJPEGImage jpeg;
    jpeg.Assign(bitmap);
    jpeg.SetCompressionQuality(JPEGQuality);
    WriteFileReplacing(fileName, [&](TStream& s) { jpeg.SaveToStream(s); });
}

void TvrGIFExport::SaveBitmap(TBitmap& bitmap, const String& fileName) {
    SaveBitmapAsGif(fileName, bitmap);
}

int TvrCustomImageExport::ShowModal() {
    TvrIMGExportDialog dialog(nullptr);
    dialog.Fill(*this);
    if (dialog.ShowModal() != mrOk) return mrCancel;
    dialog.Apply(*this);
    return dialog.ChooseFile(*this) ? mrOk : mrCancel;
}

// --- the dialog ----------------------------------------------------------------------------------

ORV_META_IMPL(TvrIMGExportDialog)
void TvrIMGExportDialog::DeclareMeta(meta::Class<TvrIMGExportDialog>&) {}

TvrIMGExportDialog::TvrIMGExportDialog(TComponent* AOwner) : TvrExportDialog(AOwner) {
    SetName("vrIMGExportDialog");
    SeparateCB = Place<TCheckBox>(GroupPageRange, "SeparateCB", 12, 116, 240, 17);
    GroupBox1 = Place<TGroupBox>(nullptr, "GroupBox1", 276, 4, 200, 136);
    Label2 = Place<TLabel>(GroupBox1, "Label2", 12, 24, 100, 13);
    Quality = Place<TEdit>(GroupBox1, "Quality", 124, 20, 60, 21);
    Label1 = Place<TLabel>(GroupBox1, "Label1", 12, 52, 100, 13);
    Resolution = Place<TEdit>(GroupBox1, "Resolution", 124, 48, 60, 21);
    CropPage = Place<TCheckBox>(GroupBox1, "CropPage", 12, 80, 176, 17);
    Mono = Place<TCheckBox>(GroupBox1, "Mono", 12, 104, 176, 17);
    const TvrResources& res = GetResources();
    SetCaption(res.GetString("8600"));
    GroupBox1->SetCaption(res.GetString("8601"));
    Label2->SetCaption(res.GetString("8602"));
    Label1->SetCaption(res.GetString("8603"));
    SeparateCB->SetCaption(res.GetString("8604"));
    CropPage->SetCaption(res.GetString("8605"));
    Mono->SetCaption(res.GetString("8606"));
    FinishCreate(484, 214);
}

void TvrIMGExportDialog::Fill(TvrCustomImageExport& filter) {
    SaveDialog1->SetFilter(filter.FilterDescription);
    SaveDialog1->SetDefaultExt(filter.DefaultExtension);
    FillPageRange(filter);
    Quality->SetText(IntToStr(filter.JPEGQuality));
    Quality->SetEnabled(dynamic_cast<TvrJPEGExport*>(&filter) != nullptr);
    CropPage->SetChecked(filter.CropImages);
    Mono->SetChecked(filter.Monochrome);
    Mono->SetEnabled(dynamic_cast<TvrGIFExport*>(&filter) == nullptr);
    Resolution->SetText(IntToStr(filter.ImageDpi));
    SeparateCB->SetChecked(filter.SeparateFiles);
}

bool TvrIMGExportDialog::CanClose() {
    int value = 0;
    if (!TryStrToInt(Trim(Quality->Text()), value) || !TryStrToInt(Trim(Resolution->Text()), value)) {
        ShowErrorMessage("The quality and the resolution must be whole numbers");
        return false;
    }
    return true;
}

void TvrIMGExportDialog::Apply(TvrCustomImageExport& filter) {
    int value = 0;
    if (TryStrToInt(Trim(Quality->Text()), value)) filter.JPEGQuality = value;
    filter.CropImages = CropPage->Checked();
    filter.Monochrome = Mono->Checked();
    if (TryStrToInt(Trim(Resolution->Text()), value)) filter.ImageDpi = value;
    filter.SeparateFiles = SeparateCB->Checked();
    ReadPageRange(filter);
}
