// Text objects: published properties, the text rectangle, measuring, drawing, splitting and the
// text diff of prepared pages.
#include "report/vrClassMemo.h"

#include "classes/MetaBuilder.h"
#include "gui/Bitmap.h"
#include "report/vrClassDiffText.h"
#include "report/vrClassOptions.h"
#include "report/vrClassReport.h"
#include "report/vrXML.h"
#include "rtl/CodePage.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"
#include "rtl/SysUtils.h"

#include <cmath>

namespace {
int Rnd(Extended v) {
    return static_cast<int>(std::lround(v));
}
// Holds the layout lock for a scope.
struct TLayoutUse {
    TvrDrawText& Layout;
    explicit TLayoutUse(TvrDrawText& l) : Layout(l) { Layout.LockLayout(); }
    ~TLayoutUse() { Layout.UnlockLayout(); }
};
} // namespace

ORV_META_IMPL(TvrFormat)
void TvrFormat::DeclareMeta(meta::Class<TvrFormat>& c) {
    using T = TvrFormat;
    c.Property("DecimalSeparator", &T::DecimalSeparator, &T::DecimalSeparator);
    c.Property("FormatStr", &T::FormatStr, &T::FormatStr);
    c.Property("Kind", &T::Kind, &T::Kind).Default(fkText);
    c.Property("ThousandSeparator", &T::ThousandSeparator, &T::ThousandSeparator);
}

ORV_META_IMPL(TvrStretcheable)
void TvrStretcheable::DeclareMeta(meta::Class<TvrStretcheable>& c) {
    c.Property("StretchMode", &TvrStretcheable::StretchMode, &TvrStretcheable::StretchMode)
        .Default(smDontStretch);
}

ORV_META_IMPL(TvrCustomMemoView)
void TvrCustomMemoView::DeclareMeta(meta::Class<TvrCustomMemoView>& c) {
    using T = TvrCustomMemoView;
    c.Property("FirstParaBreak", &T::FirstParaBreak, &T::FirstParaBreak).Default(false);
    c.Property("LastParaBreak", &T::LastParaBreak, &T::LastParaBreak).Default(false);
    c.Property("Cursor", &T::Cursor, &T::Cursor).TypeName("TCursor").Default(0);
    c.Property("TagStr", &T::TagStr, &T::TagStr);
    c.Property("URL", &T::URL, &T::URL);
}

namespace {
// The properties both published text objects have.
template <class T> void DeclareCommonMemo(meta::Class<T>& c) {
    c.Property("AutoWidth", &T::AutoWidth, &T::AutoWidth).Default(false);
    c.Property("BrushStyle", &T::BrushStyle, &T::BrushStyle).Default(bsSolid);
    c.Property("CharSpacing", &T::CharSpacing, &T::CharSpacing).Stored(+[](const T& o) {
        return vrDiffers(o.CharSpacing, 0);
    });
    c.Property("Color", &T::Color, &T::Color).TypeName("TColor").Default(clTransparent);
    c.Property("DisplayFormat", &T::DisplayFormat, &T::SetDisplayFormat);
    c.Property("Font", &T::Font, &T::SetFont).Stored(&T::IsFontStored);
    c.Property("Frame", &T::Frame, &T::SetFrame);
    c.Property("GapX", &T::GapX, &T::GapX).Stored(+[](const T& o) { return vrDiffers(o.GapX, 2); });
    c.Property("GapY", &T::GapY, &T::GapY).Stored(+[](const T& o) { return vrDiffers(o.GapY, 1); });
    c.Property("HAlign", &T::HAlign, &T::HAlign).Default(haLeft);
    c.Property("HideZeros", &T::HideZeros, &T::HideZeros).Default(false);
    c.Property("Highlight", &T::Highlight, &T::SetHighlight).Stored(+[](const T& o) {
        return !Trim(o.Highlight()->Condition).empty();
    });
    c.Property("ParentFont", &T::ParentFont, &T::SetParentFont).Default(true);
    c.Property("Rotation", &T::Rotation, &T::SetRotation).Default(0);
    c.Property("RTLReading", &T::RTLReading, &T::RTLReading).Default(false);
    c.Property("Style", &T::Style, &T::SetStyle);
    c.Property("SuppressRepeated", &T::SuppressRepeated, &T::SuppressRepeated).Default(false);
    c.Property("VAlign", &T::VAlign, &T::VAlign).Default(vaTop);
    c.Property("WordWrap", &T::WordWrap, &T::WordWrap).Default(true);
}
} // namespace

ORV_META_IMPL(TvrMemoView)
void TvrMemoView::DeclareMeta(meta::Class<TvrMemoView>& c) {
    using T = TvrMemoView;
    DeclareCommonMemo(c);
    c.Property("AllowExpressions", &T::AllowExpressions, &T::AllowExpressions).Default(true);
    c.Property("AllowHTMLTags", &T::AllowHTMLTags, &T::AllowHTMLTags).Default(false);
    c.Property("Clipped", &T::Clipped, &T::Clipped).Default(true);
    c.Property("DataField", &T::DataField, &T::DataField);
    c.Property("DataSetName", &T::DataSetName, &T::SetDataSetName);
    c.Property("ExpressionDelimiters", &T::ExpressionDelimiters, &T::ExpressionDelimiters)
        .Stored(+[](const T& o) { return o.ExpressionDelimiters != "[,]"; });
    c.Property("FlowTo", &T::FlowTo, &T::SetFlowTo);
    c.Property("LineSpacing", &T::LineSpacing, &T::LineSpacing).Stored(+[](const T& o) {
        return vrDiffers(o.LineSpacing, 2);
    });
    c.Property("ParagraphGap", &T::ParagraphGap, &T::ParagraphGap).Stored(+[](const T& o) {
        return vrDiffers(o.ParagraphGap, 0);
    });
    c.Property("Underlines", &T::Underlines, &T::Underlines).Default(false);
    c.Property("UseDefaultCharset", &T::UseDefaultCharset, &T::UseDefaultCharset).Default(false);
    c.Property("WordBreak", &T::WordBreak, &T::WordBreak).Default(false);
    c.Property("Wysiwyg", &T::Wysiwyg, &T::Wysiwyg).Default(true);
}

ORV_META_IMPL(TvrSysMemoView)
void TvrSysMemoView::DeclareMeta(meta::Class<TvrSysMemoView>& c) {
    DeclareCommonMemo(c);
}

TvrCustomMemoView::TvrCustomMemoView(TComponent* AOwner)
    : TvrStretcheable(AOwner), FDisplayFormat(std::make_unique<TvrFormat>()),
      FHighlight(std::make_unique<TvrHighlight>()), FMemo(std::make_unique<TWideStrings>()) {
    Flags.Exclude(ofAttributeDiff);
    PreviousValue = Null();
    SetParentFont(true);
}

TvrCustomMemoView::~TvrCustomMemoView() = default;

void TvrCustomMemoView::SetFlowTo(TvrCustomMemoView* Value) {
    FFlowTo = Value == this ? nullptr : Value;
    if (FFlowTo) FFlowTo->FreeNotification(this);
}

void TvrCustomMemoView::Notification(TComponent* AComponent, TOperation Operation) {
    TvrStretcheable::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFlowTo) FFlowTo = nullptr;
}

void TvrCustomMemoView::SetStyle(const String& Value) {
    FStyle = Value;
    if (TvrReport* report = GetReport())
        if (TvrStyleItem* item = report->Styles()->Find(Value)) ApplyStyle(item);
}

void TvrCustomMemoView::ApplyStyle(TvrStyleItem* Item) {
    if (!Item) return;
    Color = Item->Color;
    SetFont(Item->Font());
    SetFrame(Item->Frame());
}

AnsiString TvrCustomMemoView::AnsiText() const {
    return WideToAnsiByCharset(Text(), Font()->Charset(), 0);
}

void TvrCustomMemoView::SetAnsiText(const AnsiString& Value) {
    SetText(AnsiToWideByCharset(Value, Font()->Charset(), 0));
}

bool TvrCustomMemoView::GetLayoutText(String& Utf8) const {
    Utf8 = WideToUtf8(FMemo->Text());
    return true;
}

bool TvrCustomMemoView::SetLayoutText(const String& Utf8) {
    FMemo->SetText(Utf8ToWide(Utf8));
    return true;
}

String TvrCustomMemoView::GetDescription() const {
    return ClassName() + ": " + Name();
}

// --- geometry -----------------------------------------------------------------------------------

void TvrCustomMemoView::BeginDraw(TCanvas* ACanvas, Extended AScaleX, Extended AScaleY, Extended AOffsetX,
                                  Extended AOffsetY) {
    TvrStretcheable::BeginDraw(ACanvas, AScaleX, AScaleY, AOffsetX, AOffsetY);
    const TvrFrame& f = *Frame();
    const Extended w = f.Width();
    int l = X, t = Y, r = X1, b = Y1;
    if (f.Typ.Contains(ftLeft)) l += Rnd((AScaleX * w - 1) / 2);
    l += Rnd(AScaleX * GapX);
    if (f.Typ.Contains(ftTop)) t += Rnd((AScaleY * w - 1) / 2);
    t += Rnd(AScaleY * GapY);
    if (f.Typ.Contains(ftRight)) r -= Rnd(AScaleX * w / 2);
    r = r - Rnd(AScaleX * GapX) + 1;
    if (f.Typ.Contains(ftBottom)) b -= Rnd(AScaleY * w / 2);
    b = b - Rnd(AScaleY * GapY) + 1;
    TextArea = TRect{l, t, r, b};
}

Extended TvrCustomMemoView::ExtraWidth() const {
    const TvrFrame& f = *Frame();
    Extended e = 2 * GapX;
    if (f.Typ.Contains(ftLeft)) e += (f.Width() - 1) / 2;
    if (f.Typ.Contains(ftRight)) e += f.Width() / 2;
    if (f.DropShadow) e += f.ShadowWidth;
    return e;
}

Extended TvrCustomMemoView::ExtraHeight() const {
    const TvrFrame& f = *Frame();
    Extended e = 2 * GapY;
    if (f.Typ.Contains(ftTop)) e += (f.Width() - 1) / 2;
    if (f.Typ.Contains(ftBottom)) e += f.Width() / 2;
    if (f.DropShadow) e += f.ShadowWidth;
    return e;
}

void TvrCustomMemoView::ApplyLayoutSettings(TvrDrawText& L) {
    L.UseDefaultCharset = UseDefaultCharset;
    L.ApplyFont(FHighlight->Active ? *FHighlight->Font() : *Font());
    L.ApplyOptions(WordWrap, AllowHTMLTags, RTLReading, WordBreak, Clipped, Wysiwyg, FRotation);
    L.ApplySpacing(ParagraphGap, CharSpacing, LineSpacing);
}

Extended TvrCustomMemoView::CalcHeight() {
    TvrDrawText& L = SharedLayout();
    TLayoutUse use(L);
    ApplyLayoutSettings(L);
    TRect box{0, 0, 10000, 10000};
    if (!AutoWidth) {
        TCanvas* saved = Canvas;
        BeginDraw(saved, 1, 1, 0, 0);
        box = TextArea;
    }
    L.ApplyRects(box, box, 1, 1, 1);
    L.LayoutText(*FMemo);
    return Rnd(L.LayoutHeight() + ExtraHeight());
}

Extended TvrCustomMemoView::CalcWidth() {
    TvrDrawText& L = SharedLayout();
    TLayoutUse use(L);
    ApplyLayoutSettings(L);
    const TRect box{0, 0, 10000, 10000};
    L.ApplyRects(box, box, 1, 1, 1);
    L.LayoutText(*FMemo);
    return Rnd(L.LayoutWidth() + ExtraWidth());
}

void TvrCustomMemoView::GetWrappedText(TWideStrings& lines, bool wrapped) {
    if (!wrapped) {
        lines.Assign(*FMemo);
        return;
    }
    TvrDrawText& L = SharedLayout();
    TLayoutUse use(L);
    ApplyLayoutSettings(L);
    TCanvas* saved = Canvas;
    BeginDraw(saved, 1, 1, 0, 0);
    L.ApplyRects(TextArea, TextArea, 1, 1, 1);
    L.LayoutText(*FMemo);
    lines.Assign(L.WrappedLines);
}

void TvrCustomMemoView::InitPart() {
    PartText = FMemo->Text();
    FirstParaBreak = false;
    LastParaBreak = false;
}

Extended TvrCustomMemoView::DrawPart() {
    TvrDrawText& L = SharedLayout();
    TLayoutUse use(L);
    const TColor savedColor = Color;
    FMemo->SetText(PartText);
    ApplyLayoutSettings(L);
    BeginDraw(Canvas, 1, 1, 0, 0);
    L.ApplyRects(TextArea, TextArea, 1, 1, 1);
    L.LayoutText(*FMemo);
    L.ApplyPartBreaks(FirstParaBreak, LastParaBreak);
    bool inside = false;
    PartText = L.SplitLayout(inside);
    FMemo->SetText(L.FittedText());
    LastParaBreak = inside;
    const Extended space = L.RemainingSpace();
    Color = savedColor;
    return FMemo->Count() == 0 || space == 0 ? Height() : space;
}

// --- drawing ------------------------------------------------------------------------------------

void TvrCustomMemoView::Draw(TCanvas* ACanvas, Extended AScaleX, Extended AScaleY, Extended AOffsetX,
                             Extended AOffsetY) {
    TvrDrawText& L = SharedLayout();
    // The page macros are filled in for this drawing only: the next copy, or the next drawing
    // of a cached page, starts again from the text as prepared.
    WideString prepared, filled;
    const bool macros = !InDesigner && PrintMacroText(filled);
    if (macros) {
        prepared = Text();
        SetText(filled);
    } else if (InDesigner && DataSet() && !DataField.empty())
        SetText(Utf8ToWide("[" + DataSetName() + ".\"" + DataField + "\"]"));
    const TScopeExit restoreText([&] {
        if (macros) SetText(prepared);
    });
    const TColor savedColor = Color;
    TLayoutUse use(L);
    ApplyLayoutSettings(L);
    if (FHighlight->Active) Color = FHighlight->Color;
    if (!InDesigner && AutoWidth) {
        const TRect box{0, 0, 10000, 10000};
        L.ApplyRects(box, box, 1, 1, 1);
        L.LayoutText(*FMemo);
        const Extended oldWidth = Width(), oldLeft = Left();
        const Extended newWidth = L.LayoutWidth() + ExtraWidth();
        SetWidth(newWidth);
        if (HAlign == haRight)
            SetLeft(oldLeft + oldWidth - newWidth);
        else if (HAlign == haCenter)
            SetLeft(oldLeft + (oldWidth - newWidth) / 2);
        if (Parent()) Parent()->AlignChildren();
    }
    BeginDraw(ACanvas, 1, 1, 0, 0);
    const TRect layoutBox = TextArea;
    BeginDraw(ACanvas, AScaleX, AScaleY, AOffsetX, AOffsetY);
    if (!InPrinting) PrintScale = 0;
    L.ApplyRects(layoutBox, TextArea, AScaleX, AScaleY, PrintScale == 0 ? 1 : PrintScale);
    L.LayoutText(*FMemo);
    L.ApplyPartBreaks(FirstParaBreak, LastParaBreak);
    DrawBackground();
    DrawFrame();
    if (Underlines && FRotation == 0) {
        TPen* pen = ACanvas->Pen();
        pen->SetColor(Frame()->Color());
        pen->SetWidth(std::max(1, FramePixels));
        pen->SetStyle(psSolid);
        const Extended step = L.LineHeight() * AScaleY;
        if (step > 0)
            for (int k = 1;; ++k) {
                const int y = Rnd(Y + (GapY - LineSpacing + 1) * AScaleY + k * step);
                if (y >= Y1) break;
                ACanvas->MoveTo(X, y);
                ACanvas->LineTo(X1, y);
            }
    }
    L.DrawLayout(*ACanvas, HAlign, VAlign);
    Color = savedColor;
}

// --- printing -----------------------------------------------------------------------------------

void TvrCustomMemoView::BeforePrint() {
    TvrStretcheable::BeforePrint();
    if (!IsDataField()) SavedText = FMemo->Text();
}

void TvrCustomMemoView::AfterPrint() {
    TvrStretcheable::AfterPrint();
    if (!IsDataField()) FMemo->SetText(SavedText);
}

String TvrCustomMemoView::Diff(TvrComponent* Template) {
    String s = TvrStretcheable::Diff(Template);
    auto* t = dynamic_cast<TvrCustomMemoView*>(Template);
    if (t) {
        if (AutoWidth != t->AutoWidth) s += vrDiffAttr("AutoWidth", vrDiffBool(AutoWidth));
        if (vrDiffers(CharSpacing, t->CharSpacing)) s += vrDiffAttr("CharSpacing", FloatToStr(CharSpacing));
        if (vrDiffers(GapX, t->GapX)) s += vrDiffAttr("GapX", FloatToStr(GapX));
        if (vrDiffers(GapY, t->GapY)) s += vrDiffAttr("GapY", FloatToStr(GapY));
        if (HAlign != t->HAlign) s += vrDiffAttr("HAlign", vrDiffEnum(HAlign));
        if (FHighlight->Active != t->FHighlight->Active)
            s += vrDiffAttr("Highlight.Active", vrDiffBool(FHighlight->Active));
        if (vrDiffers(LineSpacing, t->LineSpacing)) s += vrDiffAttr("LineSpacing", FloatToStr(LineSpacing));
        if (UseDefaultCharset != t->UseDefaultCharset)
            s += vrDiffAttr("UseDefaultCharset", vrDiffBool(UseDefaultCharset));
    }
    WideString text;
    for (Integer i = 0; i < FMemo->Count(); ++i) {
        if (i) text += u"\r\n";
        text += FMemo->Strings(i);
    }
    s += vrDiffAttr("u", EscapeXMLText(WideToUtf8(text)));
    if (t) {
        if (vrDiffers(ParagraphGap, t->ParagraphGap))
            s += vrDiffAttr("ParagraphGap", FloatToStr(ParagraphGap));
        if (FRotation != t->FRotation) s += vrDiffAttr("Rotation", IntToStr(FRotation));
        if (RTLReading != t->RTLReading) s += vrDiffAttr("RTLReading", vrDiffBool(RTLReading));
        if (Underlines != t->Underlines) s += vrDiffAttr("Underlines", vrDiffBool(Underlines));
        if (VAlign != t->VAlign) s += vrDiffAttr("VAlign", vrDiffEnum(VAlign));
        if (WordWrap != t->WordWrap) s += vrDiffAttr("WordWrap", vrDiffBool(WordWrap));
        const TvrFormat& f = *FDisplayFormat;
        const TvrFormat& g = *t->FDisplayFormat;
        if (f.Kind != g.Kind) s += vrDiffAttr("DisplayFormat.Kind", vrDiffEnum(f.Kind));
        if (f.DecimalSeparator != g.DecimalSeparator)
            s += vrDiffAttr("DisplayFormat.DecimalSeparator", EscapeXMLText(f.DecimalSeparator));
        if (f.ThousandSeparator != g.ThousandSeparator)
            s += vrDiffAttr("DisplayFormat.ThousandSeparator", EscapeXMLText(f.ThousandSeparator));
        if (f.FormatStr != g.FormatStr)
            s += vrDiffAttr("DisplayFormat.FormatStr", EscapeXMLText(f.FormatStr));
    }
    if (FirstParaBreak) s += vrDiffAttr("FirstParaBreak", "1");
    if (LastParaBreak) s += vrDiffAttr("LastParaBreak", "1");
    FirstParaBreak = LastParaBreak;
    LastParaBreak = false;
    return s;
}
