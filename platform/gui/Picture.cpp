#include "gui/Picture.h"

#include "gui/Icon.h"
#include "gui/Jpeg.h"
#include "rtl/FileUtils.h"
#include "rtl/StrUtils.h"
#include "rtl/Streams.h"

#include <algorithm>
#include <cctype>
#include <mutex>

namespace {

struct ClipFormat {
    Word Format;
    String ClassName;
    TGraphicFactory Factory;
};

struct Registry {
    std::mutex Lock;
    std::vector<TPictureFileFormat> Files;
    std::vector<ClipFormat> Clips;
};

String LowerExt(const String& ext) {
    return LowerCase(!ext.empty() && ext[0] == '.' ? ext.substr(1) : ext);
}

void RegisterFile(Registry& r, const String& ext, const String& description, const String& className,
                  TGraphicFactory factory, TGraphicSignature signature) {
    String e = LowerExt(ext);
    auto it = std::find_if(r.Files.begin(), r.Files.end(), [&](const auto& f) { return f.Extension == e; });
    TPictureFileFormat f{e, description, className, std::move(factory), std::move(signature)};
    if (it != r.Files.end())
        *it = std::move(f);
    else
        r.Files.push_back(std::move(f));
}

Registry& Reg() {
    static Registry* registry = [] {
        auto* r = new Registry;
        RegisterFile(
            *r, "bmp", "Bitmaps", "TBitmap", [] { return std::make_unique<TBitmap>(); },
            [](const Byte* d, size_t n) { return n >= 2 && d[0] == 'B' && d[1] == 'M'; });
        TGraphicSignature jpeg = [](const Byte* d, size_t n) {
            return n >= 3 && d[0] == 0xFF && d[1] == 0xD8 && d[2] == 0xFF;
        };
        auto jpegFactory = [] { return std::make_unique<TJPEGImage>(); };
        RegisterFile(*r, "jpg", "JPEG Image File", "TJPEGImage", jpegFactory, jpeg);
        RegisterFile(*r, "jpeg", "JPEG Image File", "TJPEGImage", jpegFactory, jpeg);
        RegisterFile(
            *r, "ico", "Icons", "TIcon", [] { return std::make_unique<TIcon>(); },
            [](const Byte* d, size_t n) {
                return n >= 4 && d[0] == 0 && d[1] == 0 && d[2] == 1 && d[3] == 0;
            });
        r->Clips.push_back({8, "TBitmap", [] { return std::make_unique<TBitmap>(); }});
        r->Clips.push_back({2, "TBitmap", [] { return std::make_unique<TBitmap>(); }});
        return r;
    }();
    return *registry;
}

} // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed() {
    if (OnChange) OnChange(this);
}

void TPicture::SetGraphic(const TGraphic* graphic) {
    if (graphic == FGraphic.get()) return;
    if (!graphic) {
        FGraphic.reset();
        Changed();
        return;
    }
    std::unique_ptr<TGraphic> copy = graphic->NewOfSameClass();
    copy->Assign(*graphic);
    SetGraphic(std::move(copy));
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
    FGraphic = std::move(graphic);
    if (FGraphic) FGraphic->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

TBitmap* TPicture::Bitmap() {
    if (!dynamic_cast<TBitmap*>(FGraphic.get())) SetGraphic(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(FGraphic.get());
}

void TPicture::LoadFromFile(const String& fileName) {
    String ext = LowerExt(ExtractFileExt(fileName));
    TGraphicFactory factory;
    {
        Registry& r = Reg();
        std::lock_guard<std::mutex> guard(r.Lock);
        for (const auto& f : r.Files)
            if (f.Extension == ext) factory = f.Factory;
    }
    if (!factory) throw EInvalidGraphic("Unknown picture file extension (." + ext + ")");
    std::unique_ptr<TGraphic> g = factory();
    g->LoadFromFile(fileName);
    SetGraphic(std::move(g));
}

void TPicture::SaveToFile(const String& fileName) {
    if (FGraphic) FGraphic->SaveToFile(fileName);
}

void TPicture::LoadFromStream(TStream& stream) {
    Byte head[64];
    Int64 n = stream.Read(head, sizeof head);
    if (n > 0) stream.Seek(-n, TSeekOrigin::soCurrent);
    TGraphicFactory factory;
    {
        Registry& r = Reg();
        std::lock_guard<std::mutex> guard(r.Lock);
        for (const auto& f : r.Files)
            if (f.Signature && f.Signature(head, static_cast<size_t>(std::max<Int64>(n, 0)))) {
                factory = f.Factory;
                break;
            }
    }
    if (!factory) throw EInvalidGraphic("Unknown picture format");
    std::unique_ptr<TGraphic> g = factory();
    g->LoadFromStream(stream);
    SetGraphic(std::move(g));
}

void TPicture::SaveToStream(TStream& stream) {
    if (FGraphic) FGraphic->SaveToStream(stream);
}

bool TPicture::SupportsClipboardFormat(Word format) {
    Registry& r = Reg();
    std::lock_guard<std::mutex> guard(r.Lock);
    return std::any_of(r.Clips.begin(), r.Clips.end(), [&](const auto& c) { return c.Format == format; });
}

void TPicture::LoadFromClipboardFormat(Word format, const std::vector<Byte>& data) {
    TGraphicFactory factory;
    {
        Registry& r = Reg();
        std::lock_guard<std::mutex> guard(r.Lock);
        for (const auto& c : r.Clips)
            if (c.Format == format) factory = c.Factory;
    }
    if (!factory) throw EInvalidGraphic("Unsupported clipboard format");
    std::unique_ptr<TGraphic> g = factory();
    g->LoadFromClipboardFormat(format, data);
    SetGraphic(std::move(g));
}

void TPicture::SaveToClipboardFormat(Word& format, std::vector<Byte>& data) {
    if (!FGraphic) throw EInvalidGraphic("Unsupported clipboard format");
    FGraphic->SaveToClipboardFormat(format, data);
}

void TPicture::Assign(const TPersistent* Source) {
    if (!Source)
        SetGraphic(static_cast<const TGraphic*>(nullptr));
    else if (auto* p = dynamic_cast<const TPicture*>(Source))
        Assign(*p);
    else if (auto* g = dynamic_cast<const TGraphic*>(Source))
        SetGraphic(g);
    else
        TPersistent::Assign(Source);
}

void TPicture::Assign(const TPicture& source) {
    if (&source != this) SetGraphic(source.Graphic());
}

void TPicture::RegisterFileFormat(const String& extension, const String& description, const String& className,
                                  TGraphicFactory factory, TGraphicSignature signature) {
    Registry& r = Reg();
    std::lock_guard<std::mutex> guard(r.Lock);
    RegisterFile(r, extension, description, className, std::move(factory), std::move(signature));
}

void TPicture::RegisterClipboardFormat(Word format, const String& className, TGraphicFactory factory) {
    Registry& r = Reg();
    std::lock_guard<std::mutex> guard(r.Lock);
    r.Clips.insert(r.Clips.begin(), {format, className, std::move(factory)});
}

void TPicture::UnregisterGraphicClass(const String& className) {
    Registry& r = Reg();
    std::lock_guard<std::mutex> guard(r.Lock);
    std::erase_if(r.Files, [&](const auto& f) { return f.ClassName == className; });
    std::erase_if(r.Clips, [&](const auto& c) { return c.ClassName == className; });
}

std::vector<TPictureFileFormat> TPicture::FileFormats() {
    Registry& r = Reg();
    std::lock_guard<std::mutex> guard(r.Lock);
    return r.Files;
}

String TPicture::GraphicFilter(const String& className) {
    String all, parts;
    for (const auto& f : FileFormats()) {
        if (!className.empty() && f.ClassName != className) continue;
        if (!all.empty()) all += ";";
        all += "*." + f.Extension;
        parts += "|" + f.Description + " (*." + f.Extension + ")|*." + f.Extension;
    }
    if (all.empty()) return String();
    return "All (" + all + ")|" + all + parts;
}
