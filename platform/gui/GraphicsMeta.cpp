// Class records of the graphics classes: their published properties for layouts, scripts and
// the object inspector.
#include "gui/Bitmap.h"
#include "gui/Graphics.h"
#include "gui/Icon.h"
#include "gui/Jpeg.h"
#include "gui/Metafile.h"
#include "gui/Picture.h"

#include "classes/MetaBuilder.h"

ORV_META_IMPL(TGraphicsObject)
void TGraphicsObject::DeclareMeta(meta::Class<TGraphicsObject>&) {}

ORV_META_IMPL(TFont)
void TFont::DeclareMeta(meta::Class<TFont>& c) {
    c.Property("Charset", &TFont::Charset, &TFont::SetCharset).TypeName("TFontCharset").NoDefault();
    c.Property("Color", &TFont::Color, &TFont::SetColor).TypeName("TColor").NoDefault();
    c.Property("Height", &TFont::Height, &TFont::SetHeight).NoDefault();
    c.Property("Name", &TFont::Name, &TFont::SetName).TypeName("TFontName");
    c.Property("Orientation", &TFont::Orientation, &TFont::SetOrientation).Default(0);
    c.Property("Pitch", &TFont::Pitch, &TFont::SetPitch).Default(fpDefault);
    c.Property("Size", &TFont::Size, &TFont::SetSize).Stored(false);
    c.Property("Style", &TFont::Style, &TFont::SetStyle);
}

ORV_META_IMPL(TPen)
void TPen::DeclareMeta(meta::Class<TPen>& c) {
    c.Property("Color", &TPen::Color, &TPen::SetColor).TypeName("TColor").Default(clBlack);
    c.Property("Mode", &TPen::Mode, &TPen::SetMode).Default(pmCopy);
    c.Property("Style", &TPen::Style, &TPen::SetStyle).Default(psSolid);
    c.Property("Width", &TPen::Width, &TPen::SetWidth).Default(1);
}

ORV_META_IMPL(TBrush)
void TBrush::DeclareMeta(meta::Class<TBrush>& c) {
    c.Property("Color", &TBrush::Color, &TBrush::SetColor).TypeName("TColor").Default(clWhite);
    c.Property("Style", &TBrush::Style, &TBrush::SetStyle).Default(bsSolid);
}

ORV_META_IMPL(TCanvas)
void TCanvas::DeclareMeta(meta::Class<TCanvas>& c) {
    c.Property("Brush", &TCanvas::Brush, [](TCanvas& t, TBrush* b) {
        if (b) t.SetBrush(*b);
    });
    c.Property("CopyMode", &TCanvas::CopyMode, &TCanvas::SetCopyMode)
        .TypeName("TCopyMode")
        .Default(cmSrcCopy);
    c.Property("Font", &TCanvas::Font, [](TCanvas& t, TFont* f) {
        if (f) t.SetFont(*f);
    });
    c.Property("Pen", &TCanvas::Pen, [](TCanvas& t, TPen* p) {
        if (p) t.SetPen(*p);
    });
}

ORV_META_IMPL(TGraphic)
void TGraphic::DeclareMeta(meta::Class<TGraphic>&) {}

ORV_META_IMPL(TBitmap)
void TBitmap::DeclareMeta(meta::Class<TBitmap>&) {}

ORV_META_IMPL(TJPEGImage)
void TJPEGImage::DeclareMeta(meta::Class<TJPEGImage>&) {}

ORV_META_IMPL(TIcon)
void TIcon::DeclareMeta(meta::Class<TIcon>&) {}

ORV_META_IMPL(TMetafile)
void TMetafile::DeclareMeta(meta::Class<TMetafile>&) {}

ORV_META_IMPL(TMetafileCanvas)
void TMetafileCanvas::DeclareMeta(meta::Class<TMetafileCanvas>&) {}

ORV_META_IMPL(TPicture)
void TPicture::DeclareMeta(meta::Class<TPicture>&) {}
