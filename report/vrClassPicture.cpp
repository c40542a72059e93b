// The picture object: format recognition, data from files and BLOB fields, drawing and the
// prepared-page record that keeps only the picture's number in the picture cache.
#include "report/vrClassPicture.h"

#include "classes/MetaBuilder.h"
#include "gui/Bitmap.h"
#include "gui/Icon.h"
#include "gui/ImgList.h"
#include "gui/Jpeg.h"
#include "gui/Metafile.h"
#include "gui/Picture.h"
#include "report/vrClassDataSets.h"
#include "report/vrClassDiffText.h"
#include "report/vrClassReport.h"
#include "report/vrPreviewPages.h"
#include "report/vrRes.h"
#include "report/vrUtils.h"
#include "report/vrpngimage.h"
#include "rtl/FileUtils.h"
#include "rtl/MathUtils.h"
#include "rtl/ScopeGuards.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

ORV_META_IMPL(TvrPictureView)
void TvrPictureView::DeclareMeta(meta::Class<TvrPictureView>& c) {
    using T = TvrPictureView;
    c.Property("Cursor", &T::Cursor, &T::Cursor).TypeName("TCursor").Default(0);
    c.Property("AutoSize", &T::AutoSize, &T::SetAutoSize).Default(false);
    c.Property("Center", &T::Center, &T::Center).Default(false);
    c.Property("DataField", &T::DataField, &T::DataField);
    c.Property("DataSetName", &T::DataSetName, &T::SetDataSetName);
    c.Property("Frame", &T::Frame, &T::SetFrame);
    c.Property("FileLink", &T::FileLink, &T::FileLink);
    c.Property("ImageIndex", &T::ImageIndex, &T::ImageIndex).Stored(+[](const T& o) {
        return o.IsImageIndexStored;
    });
    c.Property("KeepAspectRatio", &T::KeepAspectRatio, &T::KeepAspectRatio).Default(true);
    c.Property("Picture", &T::Picture, &T::SetPicture).Stored(+[](const T& o) { return o.IsPictureStored; });
    c.Property("Stretched", &T::Stretched, &T::Stretched).Default(true);
    c.Property("TagStr", &T::TagStr, &T::TagStr);
    c.Property("URL", &T::URL, &T::URL);
    c.Property("HightQuality", &T::HightQuality, &T::HightQuality).Default(false);
    c.Property("Transparent", &T::Transparent, &T::Transparent).Default(false);
    c.Property("TransparentColor", &T::TransparentColor, &T::TransparentColor)
        .TypeName("TColor")
        .Default(clWhite);
}

TvrPictureView::TvrPictureView(TComponent* AOwner) : TvrView(AOwner), FPicture(std::make_unique<TPicture>()) {
    Color = clTransparent;
    Flags.Exclude(ofAttributeDiff);
    FPicture->OnChange = [this](TObject*) { PictureChangedEvent(); };
}

TvrPictureView::~TvrPictureView() {
    FPicture->OnChange = nullptr;
}

void TvrPictureView::SetAutoSize(bool Value) {
    FAutoSize = Value;
    if (FAutoSize && FPicture->Graphic() && !FPicture->Graphic()->Empty()) {
        SetWidth(FPicture->Width());
        SetHeight(FPicture->Height());
    }
}

void TvrPictureView::PictureChangedEvent() {
    SetAutoSize(FAutoSize);
    FPictureChanged = true;
    FScaled.reset();
    FScaledSource = nullptr;
}

void TvrPictureView::SetPicture(TPicture* Value) {
    FPicture->Assign(Value);
}

void TvrPictureView::LoadFromFile(const String& FileName) {
    FPicture->LoadFromFile(FileName);
}

namespace {
uint32_t ReadLE32(const Byte* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
Word ReadLE16(const Byte* p) {
    return static_cast<Word>(p[0] | p[1] << 8);
}
} // namespace

Integer TvrPictureView::LoadPictureFromStream(TStream& Stream, bool FromStart) {
    if (FromStart) Stream.SetPosition(0);
    const Int64 size = Stream.Size();
    Int64 pos = Stream.Position();
    if (size - pos <= 0) {
        FPicture->SetGraphic(static_cast<const TGraphic*>(nullptr));
        return 0;
    }
    Byte head[100] = {};
    auto peek = [&](Int64 at) {
        Stream.SetPosition(at);
        const Int64 n = std::min<Int64>(size - at, sizeof head);
        std::memset(head, 0, sizeof head);
        Stream.ReadBuffer(head, n);
        Stream.SetPosition(at);
        return n;
    };
    Int64 avail = peek(pos);
    // The header a database puts before a stored picture: the words 1 and 256 and the length of
    // what follows.
    if (avail >= 8 && ReadLE16(head) == 1 && ReadLE16(head + 2) == 256 &&
        static_cast<Int64>(ReadLE32(head + 4)) == size - 8) {
        pos += 8;
        avail = peek(pos);
    }
    static const Byte png[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::unique_ptr<TGraphic> graphic;
    bool metafile = false;
    if (avail >= 14 && head[0] == 'B' && head[1] == 'M')
        graphic = std::make_unique<TBitmap>();
    else if (avail >= 2 && head[0] == 0xFF && head[1] == 0xD8)
        graphic = std::make_unique<TJPEGImage>();
    else if (avail >= 8 && std::memcmp(head, png, 8) == 0)
        graphic = std::make_unique<TPNGObject>();
    else if (avail >= 22 && ReadLE32(head) == 0x9AC6CDD7u)
        metafile = true;
    else if (avail >= 100 && std::memcmp(head + 40, " EMF", 4) == 0)
        metafile = true;
    else if (avail >= 6 && ReadLE16(head + 2) < 2)
        graphic = std::make_unique<TIcon>();
    // Windows metafiles are known but there is no player for them here: they clear the picture
    // as data of no known kind does.
    if (!graphic || metafile) {
        FPicture->SetGraphic(static_cast<const TGraphic*>(nullptr));
        return vrPictureInvalidArg;
    }
    graphic->LoadFromStream(Stream);
    FPicture->SetGraphic(std::move(graphic));
    return 0;
}

void TvrPictureView::GetData() {
    TvrView::GetData();
    if (!FileLink.empty()) {
        String name = FileLink;
        if (name.find('[') != String::npos) name = ExpandBrackets(name);
        if (FileExists(name))
            FPicture->LoadFromFile(name);
        else
            FPicture->SetGraphic(static_cast<const TGraphic*>(nullptr));
    } else if (IsDataField() && DataSet()->IsBlobField(DataField)) {
        TMemoryStream stream;
        DataSet()->AssignBlobTo(DataField, &stream);
        LoadPictureFromStream(stream, true);
    }
}

String TvrPictureView::Diff(TvrComponent* Template) {
    if (FPictureChanged) {
        if (TvrReport* report = GetReport())
            if (auto* pages = dynamic_cast<TvrPreviewPages*>(report->PreparedPages()))
                pages->StorePicture(this);
        FPictureChanged = false;
    }
    String s = TvrView::Diff(Template);
    s += vrDiffAttr("ImageIndex", IntToStr(ImageIndex));
    if (Transparent) s += vrDiffAttr("Transparent", vrDiffBool(true));
    if (TransparentColor != clWhite) s += vrDiffAttr("TransparentColor", IntToStr(TransparentColor));
    return s;
}

TRect TvrPictureView::PictureRect() const {
    TRect r{X, Y, X1, Y1};
    const TGraphic* g = FPicture->Graphic();
    if (!g || g->Empty() || g->Width() <= 0 || g->Height() <= 0) return r;
    const Extended pw = g->Width(), ph = g->Height();
    if (Stretched) {
        if (KeepAspectRatio) {
            const Extended kx = DX / pw, ky = DY / ph;
            if (ky > kx)
                r.Bottom = r.Top + static_cast<int>(Round(ph * kx));
            else
                r.Right = r.Left + static_cast<int>(Round(pw * ky));
        }
    } else {
        r.Right = r.Left + static_cast<int>(Round(ScaleX * pw));
        r.Bottom = r.Top + static_cast<int>(Round(ScaleY * ph));
    }
    if (Center) {
        const int dx = (DX - (r.Right - r.Left)) / 2, dy = (DY - (r.Bottom - r.Top)) / 2;
        r.Left += dx;
        r.Right += dx;
        r.Top += dy;
        r.Bottom += dy;
    }
    return r;
}

TGraphic* TvrPictureView::GraphicFor(TGraphic* Graphic, const TRect& Rect) {
    // A metafile keeps what it records at any zoom; vector graphics draw at any size anyway.
    if (dynamic_cast<TMetafile*>(Graphic) || dynamic_cast<TMetafileCanvas*>(Canvas)) return Graphic;
    const TRect dev = Canvas->LPtoDP(Rect);
    const int w = std::abs(dev.Right - dev.Left), h = std::abs(dev.Bottom - dev.Top);
    if (w <= 0 || h <= 0 || (w >= Graphic->Width() && h >= Graphic->Height())) return Graphic;
    const TColor key =
        Transparent && TransparentColor != clNone ? static_cast<TColor>(ColorToPixelRGB(TransparentColor)) : -1;
    if (!FScaled || FScaledSource != Graphic || FScaledWidth != w || FScaledHeight != h || FScaledKey != key) {
        FScaled = ShrinkGraphic(Graphic, w, h, key);
        FScaledSource = Graphic;
        FScaledWidth = w;
        FScaledHeight = h;
        FScaledKey = key;
    }
    return FScaled ? FScaled.get() : Graphic;
}

void TvrPictureView::DrawPicture() {
    const TRect r = PictureRect();
    TGraphic* g = GraphicFor(FPicture->Graphic(), r);
    if (Stretched) {
        DrawPictureGraphic(Canvas, r, g, InPrinting, HightQuality, Transparent, TransparentColor);
        return;
    }
    // At natural size the picture is cut at the object's edges.
    TRegion saved;
    const bool hadClip = Canvas->GetClipRgn(saved);
    const TScopeExit restoreClip([&] { Canvas->SelectClipRgn(hadClip ? &saved : nullptr); });
    Canvas->IntersectClipRect(TRect{X, Y, X1, Y1});
    DrawPictureGraphic(Canvas, r, g, InPrinting, HightQuality, Transparent, TransparentColor);
}

void TvrPictureView::Draw(TCanvas* ACanvas, Extended AScaleX, Extended AScaleY, Extended AOffsetX,
                          Extended AOffsetY) {
    BeginDraw(ACanvas, AScaleX, AScaleY, AOffsetX, AOffsetY);
    DrawBackground();
    const TGraphic* g = FPicture->Graphic();
    if (g && !g->Empty())
        DrawPicture();
    else if (InDesigner)
        GetResources().GetObjectImages()->Draw(Canvas, X + 1, Y + 2, 3);
    DrawFrame();
}
