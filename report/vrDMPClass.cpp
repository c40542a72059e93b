// Objects of reports for character printers: grid snapping, the fixed printer font, truncated
// text, printer commands and their registration.
#include "report/vrDMPClass.h"

#include "classes/ClassRegistry.h"
#include "classes/MetaBuilder.h"
#include "report/vrClassDiffText.h"
#include "report/vrClassLineMeta.h"
#include "report/vrDsgnIntf.h"
#include "report/vrXML.h"
#include "rtl/Format.h"

#include <cmath>

namespace {
constexpr Extended C = fr1CharX, R = fr1CharY;

Extended SnapRound(Extended x, Extended cell) {
    return std::nearbyint(x / cell) * cell;
}
Extended SnapTrunc(Extended x, Extended cell) {
    return std::trunc(x / cell) * cell;
}
String StyleBits(const TvrDMPFontStyles& s) {
    return IntToStr(static_cast<Int64>(s.Bits()));
}
TvrDMPPage* DMPPageOf(TvrComponent* Obj) {
    return dynamic_cast<TvrDMPPage*>(Obj->Page());
}
} // namespace

void vrApplyDMPFontStyle(TFont* Font, const TvrDMPFontStyles& Style) {
    Font->SetName("Courier New");
    Font->SetSize(12);
    TFontStyles fs;
    if (Style.Contains(fsxBold)) fs.Include(fsBold);
    if (Style.Contains(fsxItalic)) fs.Include(fsItalic);
    if (Style.Contains(fsxUnderline)) fs.Include(fsUnderline);
    Font->SetStyle(fs);
}

// --- page -----------------------------------------------------------------------------------------

ORV_META_IMPL(TvrDMPPage)
void TvrDMPPage::DeclareMeta(meta::Class<TvrDMPPage>& c) {
    c.Property("FontStyle", &TvrDMPPage::FontStyle, &TvrDMPPage::SetFontStyle).Default(TvrDMPFontStyles());
}

TvrDMPPage::TvrDMPPage(TComponent* AOwner) : TvrReportPage(AOwner) {
    ApplyPageFont();
}

void TvrDMPPage::ApplyPageFont() {
    Font()->OnChange = nullptr;
    vrApplyDMPFontStyle(Font(), FFontStyle);
}

void TvrDMPPage::SetFontStyle(const TvrDMPFontStyles& Value) {
    FFontStyle = Value;
    ApplyPageFont();
    for (TvrComponent* c : AllObjects())
        if (c->ParentFont()) c->SetParentFont(true);
}

void TvrDMPPage::RoundPaperToCells() {
    SetSizeAndDimensions(PaperSize(), SnapRound(PaperWidth() * fr01cm, C) / fr01cm,
                         SnapRound(PaperHeight() * fr01cm, R) / fr01cm);
}

void TvrDMPPage::SetDefaults() {
    TvrReportPage::SetDefaults();
    // The paper of the table, not the one the setter already rounded, is cut to whole cells.
    TvrReportPage::SetPaperSize(PaperSize());
    LeftMargin = RightMargin = C / fr01cm;
    TopMargin = BottomMargin = R / fr01cm;
    SetSizeAndDimensions(PaperSize(), SnapTrunc(PaperWidth() * fr01cm, C) / fr01cm,
                         SnapTrunc(PaperHeight() * fr01cm, R) / fr01cm);
}

void TvrDMPPage::SetPaperWidth(Extended Value) {
    TvrReportPage::SetPaperWidth(Value);
    RoundPaperToCells();
}

void TvrDMPPage::SetPaperHeight(Extended Value) {
    TvrReportPage::SetPaperHeight(Value);
    RoundPaperToCells();
}

void TvrDMPPage::SetPaperSize(Integer Value) {
    TvrReportPage::SetPaperSize(Value);
    RoundPaperToCells();
}

// --- text object ----------------------------------------------------------------------------------

ORV_META_IMPL(TvrDMPMemoView)
void TvrDMPMemoView::DeclareMeta(meta::Class<TvrDMPMemoView>& c) {
    using T = TvrDMPMemoView;
    c.Property("AutoWidth", &T::AutoWidth, &T::AutoWidth).Default(false);
    c.Property("AllowExpressions", &T::AllowExpressions, &T::AllowExpressions).Default(true);
    c.Property("BrushStyle", &T::BrushStyle, &T::BrushStyle).Default(bsSolid);
    c.Property("Color", &T::Color, &T::Color).TypeName("TColor").Default(clTransparent);
    c.Property("DataField", &T::DataField, &T::DataField);
    c.Property("DataSetName", &T::DataSetName, &T::SetDataSetName);
    c.Property("DisplayFormat", &T::DisplayFormat, &T::SetDisplayFormat);
    c.Property("ExpressionDelimiters", &T::ExpressionDelimiters, &T::ExpressionDelimiters)
        .Stored(+[](const T& o) { return o.ExpressionDelimiters != "[,]"; });
    c.Property("FontStyle", &T::FontStyle, &T::SetFontStyle).Stored(+[](const T& o) {
        return !o.ParentFont();
    });
    c.Property("Frame", &T::Frame, &T::SetFrame);
    c.Property("HAlign", &T::HAlign, &T::HAlign).Default(haLeft);
    c.Property("HideZeros", &T::HideZeros, &T::HideZeros).Default(false);
    c.Property("ParentFont", &T::ParentFont, &T::SetParentFont).Default(true);
    c.Property("RTLReading", &T::RTLReading, &T::RTLReading).Default(false);
    c.Property("SuppressRepeated", &T::SuppressRepeated, &T::SuppressRepeated).Default(false);
    c.Property("WordWrap", &T::WordWrap, &T::WordWrap).Default(true);
    c.Property("TruncOutboundText", &T::TruncOutboundText, &T::TruncOutboundText).Default(false);
    c.Property("VAlign", &T::VAlign, &T::VAlign).Default(vaTop);
}

TvrDMPMemoView::TvrDMPMemoView(TComponent* AOwner) : TvrCustomMemoView(AOwner) {
    ApplyDMPFont();
    if (ParentFont()) SetParentFont(true);
}

void TvrDMPMemoView::ApplyDMPFont() {
    Font()->OnChange = nullptr;
    vrApplyDMPFontStyle(Font(), FFontStyle);
    CharSpacing = 0;
    LineSpacing = 1;
    GapX = 0;
    GapY = 0;
}

void TvrDMPMemoView::SetFontStyle(const TvrDMPFontStyles& Value) {
    FFontStyle = Value;
    TvrCustomMemoView::SetParentFont(false);
    ApplyDMPFont();
}

void TvrDMPMemoView::SetParentFont(bool Value) {
    TvrCustomMemoView::SetParentFont(Value);
    if (!Value) return;
    if (TvrDMPPage* page = DMPPageOf(this)) {
        FFontStyle = page->FontStyle();
        ApplyDMPFont();
    }
}

void TvrDMPMemoView::SetLeft(Extended Value) {
    TvrCustomMemoView::SetLeft(Align == baRight ? SnapTrunc(Value, C) : SnapRound(Value, C));
}
void TvrDMPMemoView::SetTop(Extended Value) {
    TvrCustomMemoView::SetTop(SnapRound(Value, R));
}
void TvrDMPMemoView::SetWidth(Extended Value) {
    TvrCustomMemoView::SetWidth(SnapRound(Value, C));
}
void TvrDMPMemoView::SetHeight(Extended Value) {
    TvrCustomMemoView::SetHeight(SnapRound(Value, R));
}

Extended TvrDMPMemoView::CalcHeight() {
    return SnapRound(TvrCustomMemoView::CalcHeight(), R);
}

Extended TvrDMPMemoView::CalcWidth() {
    return SnapRound(TvrCustomMemoView::CalcWidth(), C);
}

void TvrDMPMemoView::DrawFrame() {
    // The frame goes through the cells around the text.
    auto px = [](Extended v) { return static_cast<int>(std::lround(v)); };
    X = px((AbsLeft() - C / 2) * ScaleX + OffsetX);
    Y = px((AbsTop() - R / 2) * ScaleY + OffsetY);
    X1 = px((AbsLeft() + Width() + C / 2) * ScaleX + OffsetX);
    Y1 = px((AbsTop() + Height() + R / 2) * ScaleY + OffsetY);
    TvrCustomMemoView::DrawFrame();
}

AnsiString TvrDMPMemoView::GetTruncatedText() {
    const Integer rows = static_cast<Integer>(std::nearbyint(Height() / R));
    const auto cols = static_cast<size_t>(std::max<Extended>(0, std::nearbyint(Width() / C)));
    WideString text;
    for (Integer i = 0; i < std::min(rows, Memo()->Count()); ++i)
        text += Memo()->Strings(i).substr(0, cols) + u"\r\n";
    return WideToAnsiByCharset(text, DEFAULT_CHARSET, 0);
}

String TvrDMPMemoView::Diff(TvrComponent* Template) {
    String s = TvrCustomMemoView::Diff(Template);
    if (auto* t = dynamic_cast<TvrDMPMemoView*>(Template); t && t->FFontStyle != FFontStyle)
        s += vrDiffAttr("FontStyle", StyleBits(FFontStyle));
    return s;
}

// --- line -----------------------------------------------------------------------------------------

ORV_META_IMPL(TvrDMPLineView)
void TvrDMPLineView::DeclareMeta(meta::Class<TvrDMPLineView>& c) {
    using T = TvrDMPLineView;
    vrDeclareLineArrowProperties(c);
    c.Property("FontStyle", &T::FontStyle, &T::SetFontStyle).Stored(&T::IsFontStored);
    c.Property("Frame", &T::Frame, &T::SetFrame);
    c.Property("ParentFont", &T::ParentFont, &T::SetParentFont).Default(true);
}

TvrDMPLineView::TvrDMPLineView(TComponent* AOwner) : TvrCustomLineView(AOwner) {
    if (ParentFont()) SetParentFont(true);
}

void TvrDMPLineView::SetFontStyle(const TvrDMPFontStyles& Value) {
    FFontStyle = Value;
    TvrCustomLineView::SetParentFont(false);
}

void TvrDMPLineView::SetParentFont(bool Value) {
    TvrCustomLineView::SetParentFont(Value);
    if (!Value) return;
    if (TvrDMPPage* page = DMPPageOf(this)) FFontStyle = page->FontStyle();
}

void TvrDMPLineView::SetLeft(Extended Value) {
    // Lines run through the middle of character cells.
    if (Value < 0)
        Value = SnapTrunc(Value, C) - C / 2;
    else if (Align == baRight)
        Value = SnapRound(Value, C) - C / 2;
    else
        Value = SnapTrunc(Value, C) + C / 2;
    TvrCustomLineView::SetLeft(Value);
}
void TvrDMPLineView::SetTop(Extended Value) {
    TvrCustomLineView::SetTop(SnapTrunc(Value, R) + R / 2);
}
void TvrDMPLineView::SetWidth(Extended Value) {
    TvrCustomLineView::SetWidth(Align == baWidth ? SnapTrunc(Value, C) : SnapRound(Value, C));
}

String TvrDMPLineView::Diff(TvrComponent* Template) {
    String s = TvrCustomLineView::Diff(Template);
    if (auto* t = dynamic_cast<TvrDMPLineView*>(Template); t && t->FFontStyle != FFontStyle)
        s += vrDiffAttr("FontStyle", StyleBits(FFontStyle));
    return s;
}

// --- command --------------------------------------------------------------------------------------

ORV_META_IMPL(TvrDMPCommand)
void TvrDMPCommand::DeclareMeta(meta::Class<TvrDMPCommand>& c) {
    c.Property("Command", &TvrDMPCommand::Command, &TvrDMPCommand::Command);
}

std::vector<Byte> vrDecodeDMPCommand(const String& text) {
    std::vector<Byte> out;
    if (!text.empty() && text[0] == '#') {
        size_t pos = 1;
        while (pos <= text.size()) {
            const size_t next = std::min(text.find('#', pos), text.size());
            out.push_back(static_cast<Byte>(StrToInt(text.substr(pos, next - pos))));
            pos = next + 1;
        }
    } else {
        for (size_t i = 0; i + 1 < text.size(); i += 2)
            out.push_back(static_cast<Byte>(StrToInt("$" + text.substr(i, 2))));
    }
    return out;
}

std::vector<Byte> TvrDMPCommand::DecodeCommand() const {
    return vrDecodeDMPCommand(Command);
}

void TvrDMPCommand::SetLeft(Extended Value) {
    TvrView::SetLeft(SnapRound(Value, C));
}
void TvrDMPCommand::SetTop(Extended Value) {
    TvrView::SetTop(SnapRound(Value, R));
}

String TvrDMPCommand::Diff(TvrComponent* Template) {
    String s = TvrView::Diff(Template);
    if (auto* t = dynamic_cast<TvrDMPCommand*>(Template); t && t->Command != Command)
        s += vrDiffAttr("Command", EscapeXMLText(Command));
    return s;
}

// --- registration ---------------------------------------------------------------------------------

void vrRegisterDMPClasses() {
    RegisterClass(TvrDMPPage::StaticClassInfo());
    TvrObjectCollection* r = ReportObjectRegistry();
    r->RegisterObject(&TvrDMPMemoView::StaticClassInfo(), nullptr, String(), String(), 0, 2, vrcfDotMatrix);
    r->RegisterObject(&TvrDMPLineView::StaticClassInfo(), nullptr, String(), String(), 0, 5, vrcfDotMatrix);
    r->RegisterObject(&TvrDMPCommand::StaticClassInfo(), nullptr, String(), String(), 0, 21, vrcfDotMatrix);
}

void vrUnregisterDMPClasses() {
    TvrObjectCollection* r = ReportObjectRegistry();
    r->Unregister(&TvrDMPMemoView::StaticClassInfo());
    r->Unregister(&TvrDMPLineView::StaticClassInfo());
    r->Unregister(&TvrDMPCommand::StaticClassInfo());
}
