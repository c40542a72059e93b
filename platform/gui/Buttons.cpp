// Picture buttons: the glyph layout shared by TBitBtn and TSpeedButton, the glyphs of the
// standard kinds, and the bit button over a push button it paints itself.
#include "gui/Buttons.h"

#include "gui/Bitmap.h"
#include "gui/Forms.h"
#include "gui/qt/BitmapImpl.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/ImageListIcons.h"
#include "gui/qt/QtSupport.h"

#include "classes/MetaBuilder.h"
#include "rtl/ScopeGuards.h"

#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

// ---------------------------------------------------------------------------------------------
// Layout

void CalcButtonLayout(TCanvas* Canvas, const TRect& Client, const TPoint& Offset, const String& Caption,
                      TButtonLayout Layout, int Margin, int Spacing, const TSize& GlyphSize, TPoint& GlyphPos,
                      TRect& TextBounds) {
    const TPoint client(Client.Width(), Client.Height());
    TPoint text;
    if (!Caption.empty()) {
        TextBounds = TRect(0, 0, client.X, 0);
        Canvas->DrawText(Caption, TextBounds, DT_CALCRECT);
        text = TPoint(TextBounds.Width(), TextBounds.Height());
    } else {
        TextBounds = TRect(0, 0, 0, 0);
    }
    const TPoint glyph(GlyphSize.cx, GlyphSize.cy);
    TPoint textPos;
    const bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
    // Side by side: both centred vertically; one over the other: both centred horizontally.
    if (horizontal) {
        GlyphPos.Y = (client.Y - glyph.Y + 1) / 2;
        textPos.Y = (client.Y - text.Y + 1) / 2;
    } else {
        GlyphPos.X = (client.X - glyph.X + 1) / 2;
        textPos.X = (client.X - text.X + 1) / 2;
    }
    if (text.X == 0 || glyph.X == 0) Spacing = 0;
    if (Margin == -1) {
        if (Spacing == -1) {
            const TPoint total(glyph.X + text.X, glyph.Y + text.Y);
            Margin = horizontal ? (client.X - total.X) / 3 : (client.Y - total.Y) / 3;
            Spacing = Margin;
        } else {
            const TPoint total(glyph.X + Spacing + text.X, glyph.Y + Spacing + text.Y);
            Margin = horizontal ? (client.X - total.X + 1) / 2 : (client.Y - total.Y + 1) / 2;
        }
    } else if (Spacing == -1) {
        const TPoint total(client.X - (Margin + glyph.X), client.Y - (Margin + glyph.Y));
        Spacing = horizontal ? (total.X - text.X) / 2 : (total.Y - text.Y) / 2;
    }
    switch (Layout) {
    case blGlyphLeft:
        GlyphPos.X = Margin;
        textPos.X = GlyphPos.X + glyph.X + Spacing;
        break;
    case blGlyphRight:
        GlyphPos.X = client.X - Margin - glyph.X;
        textPos.X = GlyphPos.X - Spacing - text.X;
        break;
    case blGlyphTop:
        GlyphPos.Y = Margin;
        textPos.Y = GlyphPos.Y + glyph.Y + Spacing;
        break;
    case blGlyphBottom:
        GlyphPos.Y = client.Y - Margin - glyph.Y;
        textPos.Y = GlyphPos.Y - Spacing - text.Y;
        break;
    }
    GlyphPos.X += Client.Left + Offset.X;
    GlyphPos.Y += Client.Top + Offset.Y;
    OffsetRect(TextBounds, textPos.X + Client.Left + Offset.X, textPos.Y + Client.Top + Offset.Y);
}

// ---------------------------------------------------------------------------------------------
// Glyphs

TButtonGlyphs::TButtonGlyphs() : FGlyph(std::make_unique<TBitmap>()) {
    FGlyph->OnChange = [this](TObject*) { GlyphChanged(); };
}

TButtonGlyphs::~TButtonGlyphs() {
    FGlyph->OnChange = nullptr;
}

void TButtonGlyphs::SetGlyph(TBitmap* v) {
    if (v)
        FGlyph->Assign(*v);
    else
        FGlyph->SetSize(0, 0);
}

void TButtonGlyphs::SetNumGlyphs(TNumGlyphs v) {
    v = std::clamp(v, 1, 4);
    if (v == FNumGlyphs) return;
    FNumGlyphs = v;
    if (OnChange) OnChange(nullptr);
}

void TButtonGlyphs::GlyphChanged() {
    // A glyph as many times wider than high as it has images (at most 4) gives its image count.
    if (FGlyph->Height() > 0 && FGlyph->Width() % FGlyph->Height() == 0) {
        int n = FGlyph->Width() / FGlyph->Height();
        FNumGlyphs = n > 4 ? 1 : std::max(1, n);
    }
    if (OnChange) OnChange(nullptr);
}

void TButtonGlyphs::Draw(TCanvas* Canvas, const TRect& Client, const TPoint& Offset, const String& Caption,
                         TButtonLayout Layout, int Margin, int Spacing, TButtonState State) {
    TSize glyphSize;
    if (!FGlyph->Empty()) glyphSize = TSize{FGlyph->Width() / FNumGlyphs, FGlyph->Height()};
    TPoint glyphPos;
    TRect textBounds;
    CalcButtonLayout(Canvas, Client, Offset, Caption, Layout, Margin, Spacing, glyphSize, glyphPos,
                     textBounds);
    if (glyphSize.cx > 0 && glyphSize.cy > 0) {
        // The image of the state (the up image when the glyph has none for it), its
        // transparent colour taken out; a missing disabled image is made greyed.
        int index = State;
        bool greyed = false;
        if (index >= FNumGlyphs) {
            greyed = State == bsDisabled;
            index = 0;
        }
        const QImage& surface = FGlyph->impl().SurfaceForRead();
        QImage image = surface.copy(index * glyphSize.cx, 0, glyphSize.cx, glyphSize.cy)
                           .convertToFormat(QImage::Format_ARGB32);
        const QRgb key = ToQRgb(FGlyph->TransparentColor()) & 0xFFFFFF;
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
        }
        if (greyed) image = GreyedImage(image);
        auto bmp = BitmapWithAlpha(image);
        Canvas->StretchBlt(Bounds(glyphPos.X, glyphPos.Y, image.width(), image.height()), *bmp,
                           TRect(0, 0, image.width(), image.height()), cmSrcCopy);
    }
    if (!Caption.empty()) {
        Canvas->Brush()->SetStyle(bsClear);
        TRect r = textBounds;
        if (State == bsDisabled) {
            // Embossed: the highlight one pixel down and right, the shadow over it.
            OffsetRect(r, 1, 1);
            Canvas->Font()->SetColor(clBtnHighlight);
            Canvas->DrawText(Caption, r, DT_CENTER | DT_VCENTER);
            OffsetRect(r, -1, -1);
            Canvas->Font()->SetColor(clBtnShadow);
        }
        Canvas->DrawText(Caption, r, DT_CENTER | DT_VCENTER);
    }
}

// ---------------------------------------------------------------------------------------------
// The glyphs of the standard kinds: two images of 18 x 18 (up and disabled) on olive, the
// transparent colour.

namespace {

constexpr int KindCell = 18;

void DrawKindPicture(TCanvas* c, TBitBtnKind kind) {
    auto line = [&](TColor colour, int width, std::initializer_list<TPoint> points) {
        c->Pen()->SetColor(colour);
        c->Pen()->SetWidth(width);
        std::vector<TPoint> p(points);
        c->Polyline(p);
    };
    auto check = [&](int dx) { line(clGreen, 3, {{3 + dx, 9}, {7 + dx, 13}, {14 + dx, 4}}); };
    switch (kind) {
    case bkOK:
    case bkYes:
        check(0);
        break;
    case bkAll:
        check(-2);
        check(2);
        break;
    case bkCancel:
    case bkAbort:
        line(clRed, 3, {{4, 4}, {14, 14}});
        line(clRed, 3, {{14, 4}, {4, 14}});
        if (kind == bkAbort) {
            c->Pen()->SetWidth(1);
            c->Brush()->SetStyle(bsClear);
            c->Ellipse(1, 1, 18, 18);
        }
        break;
    case bkNo:
        c->Pen()->SetColor(clRed);
        c->Pen()->SetWidth(2);
        c->Brush()->SetStyle(bsClear);
        c->Ellipse(2, 2, 16, 16);
        line(clRed, 2, {{4, 13}, {13, 4}});
        break;
    case bkHelp:
        line(clNavy, 2, {{5, 6}, {6, 3}, {11, 3}, {12, 6}, {9, 9}, {9, 12}});
        c->Brush()->SetColor(clNavy);
        c->FillRect(TRect(8, 14, 11, 17));
        break;
    case bkClose:
        // A door ajar.
        c->Pen()->SetColor(clBlack);
        c->Pen()->SetWidth(1);
        c->Brush()->SetColor(clTeal);
        c->Rectangle(4, 2, 14, 17);
        c->Brush()->SetColor(clYellow);
        c->FillRect(TRect(11, 9, 13, 11));
        break;
    case bkRetry:
        c->Pen()->SetColor(clGreen);
        c->Pen()->SetWidth(2);
        c->Arc(3, 3, 16, 16, 16, 3, 3, 9);
        line(clGreen, 2, {{12, 1}, {15, 5}, {11, 7}});
        break;
    case bkIgnore:
        line(clNavy, 2, {{3, 9}, {14, 9}});
        line(clNavy, 2, {{10, 5}, {14, 9}, {10, 13}});
        break;
    case bkCustom:
        break;
    }
    c->Pen()->SetWidth(1);
}

std::unique_ptr<TBitmap> KindGlyph(TBitBtnKind kind) {
    auto bmp = std::make_unique<TBitmap>(KindCell * 2, KindCell);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetColor(clOlive);
    c->FillRect(TRect(0, 0, KindCell * 2, KindCell));
    DrawKindPicture(c, kind);
    // The second image: the first one greyed.
    QImage up =
        bmp->impl().SurfaceForRead().copy(0, 0, KindCell, KindCell).convertToFormat(QImage::Format_ARGB32);
    const QRgb olive = ToQRgb(clOlive) & 0xFFFFFF;
    for (int y = 0; y < up.height(); ++y)
        for (int x = 0; x < up.width(); ++x)
            if ((up.pixel(x, y) & 0xFFFFFF) == olive) up.setPixel(x, y, 0);
    auto grey = BitmapWithAlpha(GreyedImage(up).copy(0, 0, KindCell, KindCell));
    c->StretchBlt(Bounds(KindCell, 0, KindCell, KindCell), *grey, TRect(0, 0, KindCell, KindCell), cmSrcCopy);
    return bmp;
}

const char* KindCaption(TBitBtnKind kind) {
    switch (kind) {
    case bkOK:
        return "OK";
    case bkCancel:
        return "Cancel";
    case bkHelp:
        return "&Help";
    case bkYes:
        return "&Yes";
    case bkNo:
        return "&No";
    case bkClose:
        return "&Close";
    case bkAbort:
        return "Abort";
    case bkRetry:
        return "&Retry";
    case bkIgnore:
        return "&Ignore";
    case bkAll:
        return "&All";
    case bkCustom:
        break;
    }
    return nullptr;
}

TModalResult KindModalResult(TBitBtnKind kind) {
    switch (kind) {
    case bkOK:
        return mrOk;
    case bkCancel:
        return mrCancel;
    case bkYes:
        return mrYes;
    case bkNo:
        return mrNo;
    case bkAbort:
        return mrAbort;
    case bkRetry:
        return mrRetry;
    case bkIgnore:
        return mrIgnore;
    case bkAll:
        return mrAll;
    default:
        return mrNone;
    }
}

bool KindIsDefault(TBitBtnKind kind) {
    return kind == bkOK || kind == bkYes;
}
bool KindIsCancel(TBitBtnKind kind) {
    return kind == bkCancel || kind == bkNo;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Bit button

struct TBitBtnAccess {
    static void Paint(TBitBtn* b, QPainter* p) { b->Paint(p); }
};

namespace {

// A push button whose face the bit button paints: the style's bevel, then glyph and caption.
class TBitBtnWidget : public QPushButton {
public:
    explicit TBitBtnWidget(TBitBtn* owner) : FOwner(owner) {}

protected:
    void paintEvent(QPaintEvent*) override {
        if (FOwner->ComponentState().Contains(csDestroying)) return;
        QStylePainter p(this);
        QStyleOptionButton opt;
        initStyleOption(&opt);
        opt.text.clear();
        opt.icon = QIcon();
        p.drawControl(QStyle::CE_PushButtonBevel, opt);
        TBitBtnAccess::Paint(FOwner, &p);
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &opt, this);
            p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
    }

private:
    TBitBtn* FOwner;
};

} // namespace

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner) {
    auto* b = new TBitBtnWidget(this);
    b->setAutoDefault(false);
    TControlAccess::SetWidget(this, b);
    FCanvas = std::make_unique<TControlCanvas>(this);
    QObject::connect(b, &QPushButton::clicked, b, [this] {
        if (IsApplying(this)) return;
        try {
            Click();
        } catch (...) {
            Application()->HandleException(this);
        }
    });
    FGlyphs.OnChange = [this](TObject*) { Invalidate(); };
}

TBitBtn::~TBitBtn() {
    FGlyphs.OnChange = nullptr;
}

TBitBtnKind TBitBtn::Kind() const {
    // Any part of the kind changed by hand makes the button a custom one.
    if (FKind != bkCustom && (KindIsDefault(FKind) != Default() || KindIsCancel(FKind) != Cancel() ||
                              ModalResult() != KindModalResult(FKind) || FModifiedGlyph))
        FKind = bkCustom;
    return FKind;
}

void TBitBtn::SetKind(TBitBtnKind v) {
    if (v == FKind) return;
    if (v != bkCustom) {
        SetDefault(KindIsDefault(v));
        SetCancel(KindIsCancel(v));
        // While the form is read, a caption of its own stays.
        if (const char* caption = KindCaption(v);
            caption && (!ComponentState().Contains(csLoading) || Caption().empty()))
            SetCaption(caption);
        SetModalResult(KindModalResult(v));
        auto glyph = KindGlyph(v);
        FGlyphs.SetGlyph(glyph.get());
        FGlyphs.SetNumGlyphs(2);
        FModifiedGlyph = false;
    }
    FKind = v;
    Invalidate();
}

void TBitBtn::SetGlyph(TBitmap* v) {
    FGlyphs.SetGlyph(v);
    FModifiedGlyph = true;
    Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout v) {
    FLayout = v;
    Invalidate();
}

void TBitBtn::SetMargin(int v) {
    if (v < -1) return;
    FMargin = v;
    Invalidate();
}

void TBitBtn::SetSpacing(int v) {
    FSpacing = v;
    Invalidate();
}

void TBitBtn::Click() {
    if (Kind() == bkClose) {
        if (TCustomForm* f = GetParentForm()) {
            f->Close();
            return;
        }
    }
    TButton::Click();
}

void TBitBtn::Paint(void* painter) {
    auto* button = TControlAccess::As<QPushButton>(this);
    auto* canvas = static_cast<TControlCanvas*>(FCanvas.get());
    canvas->Font()->Assign(*Font());
    canvas->Brush()->SetColor(Color());
    canvas->AttachPainter(static_cast<QPainter*>(painter));
    const TScopeExit detach([canvas] { canvas->DetachPainter(); });
    const bool down = button->isDown() || button->isChecked();
    const TButtonState state = !Enabled() ? bsDisabled : down ? bsDown : bsUp;
    TRect r = ClientRect();
    InflateRect(r, -2, -2);
    FGlyphs.Draw(canvas, r, down ? TPoint(1, 1) : TPoint(0, 0), Caption(), FLayout, FMargin, FSpacing, state);
}

// ---------------------------------------------------------------------------------------------
// Published properties

namespace {
// The parts a standard kind sets are stored only when the button is a custom one.
bool IsCustomBitBtn(TBitBtn& b) {
    return b.Kind() == bkCustom;
}
} // namespace

ORV_META_IMPL(TBitBtn)
void TBitBtn::DeclareMeta(meta::Class<TBitBtn>& c) {
    c.Redeclare("Cancel").Stored(&IsCustomBitBtn);
    c.Redeclare("Caption").Stored([](TBitBtn& b) {
        // A standard kind's own caption is not stored.
        const char* own = KindCaption(b.Kind());
        return !own || b.Caption() != own;
    });
    c.Redeclare("Default").Stored(&IsCustomBitBtn);
    c.Property("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph).Stored(&IsCustomBitBtn);
    c.Property("Kind", &TBitBtn::Kind, &TBitBtn::SetKind).Default(bkCustom);
    c.Property("Layout", &TBitBtn::Layout, &TBitBtn::SetLayout).Default(blGlyphLeft);
    c.Property("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin).Default(-1);
    c.Redeclare("ModalResult").Stored(&IsCustomBitBtn);
    c.Property("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs)
        .TypeName("TNumGlyphs")
        .Stored(&IsCustomBitBtn)
        .Default(1);
    c.Property("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing).Default(4);
}
