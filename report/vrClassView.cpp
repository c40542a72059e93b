// The view base: geometry of drawing, fill, frame sides and shadow, data binding, tag and URL
// expressions, and its text diff; frames, frame lines and the highlight record.
#include "report/vrClassView.h"

#include "classes/MetaBuilder.h"
#include "gui/Graphics.h"
#include "report/vrClassDiffText.h"
#include "report/vrClassReport.h"
#include "report/vrXML.h"
#include "rtl/Format.h"
#include "rtl/SysUtils.h"
#include "rtl/Variant.h"

#include <cmath>
#include <cstdlib>

namespace {
int Rnd(Extended v) {
    return static_cast<int>(std::lround(v));
}
} // namespace

Integer vrFrameTypBits(const TvrFrameTypes& Typ) {
    Integer bits = 0;
    if (Typ.Contains(ftLeft)) bits |= 1;
    if (Typ.Contains(ftRight)) bits |= 2;
    if (Typ.Contains(ftTop)) bits |= 4;
    if (Typ.Contains(ftBottom)) bits |= 8;
    return bits;
}

TvrFrameTypes vrFrameTypFromBits(Integer Bits) {
    TvrFrameTypes t;
    if (Bits & 1) t.Include(ftLeft);
    if (Bits & 2) t.Include(ftRight);
    if (Bits & 4) t.Include(ftTop);
    if (Bits & 8) t.Include(ftBottom);
    return t;
}

// --- frame line ---------------------------------------------------------------------------------

ORV_META_IMPL(TvrFrameLine)
void TvrFrameLine::DeclareMeta(meta::Class<TvrFrameLine>& c) {
    using T = TvrFrameLine;
    c.Property("Color", &T::Color, &T::Color).TypeName("TColor").Stored(&T::IsColorStored);
    c.Property("Style", &T::Style, &T::Style).Stored(&T::IsStyleStored);
    c.Property("Width", &T::Width, &T::Width).Stored(&T::IsWidthStored);
}

void TvrFrameLine::Assign(const TPersistent* Source) {
    auto* s = dynamic_cast<const TvrFrameLine*>(Source);
    if (!s) return;
    Color = s->Color;
    Style = s->Style;
    Width = s->Width;
}

bool TvrFrameLine::IsColorStored() const {
    return !FFrame || Color != FFrame->Color();
}
bool TvrFrameLine::IsStyleStored() const {
    return !FFrame || Style != FFrame->Style();
}
bool TvrFrameLine::IsWidthStored() const {
    return !FFrame || vrDiffers(Width, FFrame->Width());
}

// --- frame --------------------------------------------------------------------------------------

ORV_META_IMPL(TvrFrame)
void TvrFrame::DeclareMeta(meta::Class<TvrFrame>& c) {
    using T = TvrFrame;
    c.Property("Color", &T::Color, &T::SetColor).TypeName("TColor").Default(clBlack);
    c.Property("DropShadow", &T::DropShadow, &T::DropShadow).Default(false);
    c.Property("ShadowColor", &T::ShadowColor, &T::ShadowColor).TypeName("TColor").Default(clBlack);
    c.Property("ShadowWidth", &T::ShadowWidth, &T::ShadowWidth).Stored(+[](const T& f) {
        return vrDiffers(f.ShadowWidth, 4);
    });
    c.Property("Style", &T::Style, &T::SetStyle).Default(fsSolid);
    c.Property("Typ", &T::TypBits, &T::SetTypBits).Default(0);
    c.Property("Width", &T::Width, &T::SetWidth).Stored(+[](const T& f) { return vrDiffers(f.Width(), 1); });
    c.Property("LeftLine", &T::LeftLine, &T::SetLeftLine);
    c.Property("TopLine", &T::TopLine, &T::SetTopLine);
    c.Property("RightLine", &T::RightLine, &T::SetRightLine);
    c.Property("BottomLine", &T::BottomLine, &T::SetBottomLine);
}

TvrFrame::TvrFrame() {
    for (auto& l : FLines)
        l = std::make_unique<TvrFrameLine>(this);
}

void TvrFrame::Assign(const TPersistent* Source) {
    auto* s = dynamic_cast<const TvrFrame*>(Source);
    if (!s) return;
    FColor = s->FColor;
    FStyle = s->FStyle;
    FWidth = s->FWidth;
    DropShadow = s->DropShadow;
    ShadowWidth = s->ShadowWidth;
    ShadowColor = s->ShadowColor;
    Typ = s->Typ;
    for (int i = 0; i < 4; ++i)
        FLines[i]->Assign(s->FLines[i].get());
}

void TvrFrame::SetColor(TColor Value) {
    FColor = Value;
    for (auto& l : FLines)
        l->Color = Value;
}
void TvrFrame::SetStyle(TvrFrameStyle Value) {
    FStyle = Value;
    for (auto& l : FLines)
        l->Style = Value;
}
void TvrFrame::SetWidth(Extended Value) {
    FWidth = Value;
    for (auto& l : FLines)
        l->Width = Value;
}

// --- highlight ----------------------------------------------------------------------------------

ORV_META_IMPL(TvrHighlight)
void TvrHighlight::DeclareMeta(meta::Class<TvrHighlight>& c) {
    using T = TvrHighlight;
    c.Property("Active", &T::Active, &T::Active).Stored(false);
    c.Property("Color", &T::Color, &T::Color).TypeName("TColor").Default(clTransparent);
    c.Property("Condition", &T::Condition, &T::Condition);
    c.Property("Font", &T::Font, &T::SetFont);
}

TvrHighlight::TvrHighlight() : FFont(std::make_unique<TFont>()) {
    FFont->SetName("Arial");
    FFont->SetSize(10);
    FFont->SetColor(clRed);
    FFont->SetCharset(DEFAULT_CHARSET);
}

void TvrHighlight::Assign(const TPersistent* Source) {
    auto* s = dynamic_cast<const TvrHighlight*>(Source);
    if (!s) return;
    FFont->Assign(*s->FFont);
    Color = s->Color;
    Condition = s->Condition;
}

// --- view ---------------------------------------------------------------------------------------

ORV_META_IMPL(TvrView)
void TvrView::DeclareMeta(meta::Class<TvrView>& c) {
    using T = TvrView;
    c.Property("Align", &T::Align, &T::Align).Default(baNone);
    c.Property("Printable", &T::Printable, &T::Printable).Default(true);
    c.Property("ShiftMode", &T::ShiftMode, &T::ShiftMode).Default(smAlways);
    c.Property("Left", &T::Left, &T::SetLeft);
    c.Property("Top", &T::Top, &T::SetTop);
    c.Property("Width", &T::Width, &T::SetWidth);
    c.Property("Height", &T::Height, &T::SetHeight);
    c.Property("GroupIndex", &T::GroupIndex, &T::GroupIndex).Default(0);
    c.Property("Restrictions", &T::Restrictions, &T::Restrictions).Default(TvrRestrictions());
    c.Property("Visible", &T::Visible, &T::SetVisible).Default(true);
    c.Property("OnAfterData", &T::OnAfterData, &T::OnAfterData).TypeName("TvrNotifyEvent");
    c.Property("OnAfterPrint", &T::OnAfterPrint, &T::OnAfterPrint).TypeName("TvrNotifyEvent");
    c.Property("OnBeforePrint", &T::OnBeforePrint, &T::OnBeforePrint).TypeName("TvrNotifyEvent");
    c.Property("OnPreviewClick", &T::OnPreviewClick, &T::OnPreviewClick).TypeName("TvrPreviewClickEvent");
    c.Property("OnPreviewDblClick", &T::OnPreviewDblClick, &T::OnPreviewDblClick).TypeName("TvrPreviewClickEvent");
    c.Property("Hint", &T::Hint, &T::Hint);
    c.Property("ShowHint", &T::ShowHint, &T::ShowHint).Default(false);
}

TvrView::TvrView(TComponent* AOwner) : TvrReportComponent(AOwner), FFrame(std::make_unique<TvrFrame>()) {
    Flags.Include(ofAttributeDiff);
}

TvrView::~TvrView() = default;

void vrBindDataSet(TvrComponent* Obj, TvrDataSet*& DataSet, String& Name, TvrDataSet* Value) {
    DataSet = Value;
    Name = Value ? Value->UserName() : String();
    if (Value) Value->FreeNotification(Obj);
}

void vrBindDataSetName(TvrComponent* Obj, TvrDataSet*& DataSet, String& Name, const String& Value) {
    Name = Value;
    DataSet = Obj->FindDataSet(DataSet, Value);
    if (DataSet) DataSet->FreeNotification(Obj);
}

void TvrView::SetDataSet(TvrDataSet* Value) {
    vrBindDataSet(this, FDataSet, FDataSetName, Value);
}

String TvrView::DataSetName() const {
    return FDataSet ? FDataSet->UserName() : FDataSetName;
}

void TvrView::SetDataSetName(const String& Value) {
    vrBindDataSetName(this, FDataSet, FDataSetName, Value);
}

void TvrView::Notification(TComponent* AComponent, TOperation Operation) {
    TvrReportComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDataSet) FDataSet = nullptr;
}

void TvrView::BeginDraw(TCanvas* ACanvas, Extended AScaleX, Extended AScaleY, Extended AOffsetX,
                        Extended AOffsetY) {
    Canvas = ACanvas;
    ScaleX = AScaleX;
    ScaleY = AScaleY;
    OffsetX = AOffsetX;
    OffsetY = AOffsetY;
    const Extended l = AbsLeft(), t = AbsTop();
    X = Rnd(AOffsetX + AScaleX * l);
    Y = Rnd(AOffsetY + AScaleY * t);
    X1 = Rnd(AOffsetX + AScaleX * (l + Width()));
    Y1 = Rnd(AOffsetY + AScaleY * (t + Height()));
    if (FFrame->DropShadow) {
        X1 -= Rnd(AScaleX * FFrame->ShadowWidth);
        Y1 -= Rnd(AScaleY * FFrame->ShadowWidth);
    }
    DX = X1 - X;
    DY = Y1 - Y;
    FramePixels = Rnd(AScaleX * FFrame->Width());
}

void TvrView::DrawBackground() {
    if (Color != clTransparent) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(Color);
        Canvas->FillRect(TRect{X, Y, X1, Y1});
    }
    Canvas->Brush()->SetStyle(BrushStyle);
    if (BrushStyle != bsSolid && BrushStyle != bsClear) {
        Canvas->Brush()->SetColor(FFrame->Color());
        Canvas->SetBkMode(TRANSPARENT);
        Canvas->FillRect(TRect{X, Y, X1 + 1, Y1 + 1});
    }
}

void DrawThickLine(TCanvas* Canvas, int X1, int Y1, int X2, int Y2, int Width) {
    if (Width <= 0) Width = 1;
    const bool horizontal = std::abs(X2 - X1) >= std::abs(Y2 - Y1);
    const int from = -(Width / 2), to = (Width - 1) - Width / 2;
    for (int d = from; d <= to; ++d) {
        if (horizontal) {
            Canvas->MoveTo(X1, Y1 + d);
            Canvas->LineTo(X2, Y2 + d);
        } else {
            Canvas->MoveTo(X1 + d, Y1);
            Canvas->LineTo(X2 + d, Y2);
        }
    }
}

TPenStyle vrFramePenStyle(TvrFrameStyle s) {
    switch (s) {
    case fsDash:
        return psDash;
    case fsDot:
        return psDot;
    case fsDashDot:
        return psDashDot;
    case fsDashDotDot:
        return psDashDotDot;
    default:
        return psSolid;
    }
}

namespace {

// One side of the frame from (x1, y1) to (x2, y2); startFree / endFree: no neighbouring side is
// drawn at that end; outer: the direction (+1 / -1) that points away from the object.
void DrawSide(TCanvas* c, const TvrFrameLine& line, TvrFrameStyle frameStyle, Extended scale, TColor fill,
              int x1, int y1, int x2, int y2, bool startNeighbour, bool endNeighbour, int outer) {
    const int w = Rnd(line.Width * scale);
    const bool horizontal = y1 == y2;
    TPen* pen = c->Pen();
    pen->SetColor(line.Color);
    const TvrFrameStyle style = line.Style;
    (void)frameStyle;
    if (style == fsSolid || style == fsDouble) {
        // Pull free ends in so that the pen's caps stay inside the rectangle.
        const int pull = w / 2;
        if (horizontal) {
            if (!startNeighbour) x1 += x1 <= x2 ? pull : -pull;
            if (!endNeighbour) x2 -= x1 <= x2 ? pull : -pull;
        } else {
            if (!startNeighbour) y1 += y1 <= y2 ? pull : -pull;
            if (!endNeighbour) y2 -= y1 <= y2 ? pull : -pull;
        }
    }
    switch (style) {
    case fsSolid:
        // A geometric pen with square caps, so the corners of neighbouring sides are filled.
        pen->SetStyle(psSolid);
        pen->SetWidth(w);
        pen->SetEndCap(pecSquare);
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
        pen->SetEndCap(pecRound);
        break;
    case fsDouble: {
        pen->SetStyle(psSolid);
        pen->SetWidth(1);
        auto lineAt = [&](int offset, int lengthen) {
            // lengthen applies at ends with a neighbour only
            int a1 = x1, b1 = y1, a2 = x2, b2 = y2;
            if (horizontal) {
                b1 += offset;
                b2 += offset;
                if (startNeighbour) a1 -= lengthen;
                if (endNeighbour) a2 += lengthen;
            } else {
                a1 += offset;
                a2 += offset;
                if (startNeighbour) b1 -= lengthen;
                if (endNeighbour) b2 += lengthen;
            }
            c->MoveTo(a1, b1);
            c->LineTo(a2, b2);
        };
        lineAt(outer * w, w);
        lineAt(-outer * w, -w);
        if (fill != clTransparent) {
            pen->SetColor(fill);
            lineAt(0, 0);
        }
        break;
    }
    case fsAltDot:
    case fsSquare: {
        if (fill != clTransparent) {
            pen->SetStyle(psSolid);
            pen->SetWidth(1);
            pen->SetColor(fill);
            DrawThickLine(c, x1, y1, x2, y2, w);
            pen->SetColor(line.Color);
        }
        // A geometric pen with a user pattern: one on, one off for thin sides, squares of w
        // every 2w, or round dots 2w apart.
        pen->SetStyle(psSolid);
        pen->SetWidth(std::max(1, w));
        if (w <= 1) {
            pen->SetUserDash({1, 1});
            pen->SetEndCap(pecFlat);
        } else if (style == fsSquare) {
            pen->SetUserDash({w, w});
            pen->SetEndCap(pecFlat);
        } else {
            pen->SetUserDash({0, 2 * w});
            pen->SetEndCap(pecRound);
        }
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
        pen->SetUserDash({});
        pen->SetEndCap(pecRound);
        break;
    }
    default:
        pen->SetStyle(vrFramePenStyle(style));
        pen->SetWidth(1);
        DrawThickLine(c, x1, y1, x2, y2, w);
        break;
    }
}
} // namespace

void TvrView::DrawFrame() {
    TvrFrame& f = *FFrame;
    if (f.DropShadow) {
        TPen* pen = Canvas->Pen();
        pen->SetStyle(psSolid);
        pen->SetWidth(1);
        pen->SetColor(f.ShadowColor);
        const int s = Rnd(f.ShadowWidth * ScaleX);
        DrawThickLine(Canvas, X1 + s / 2, Y + s, X1 + s / 2, Y1, s);
        const int t = Rnd(f.ShadowWidth * ScaleY);
        DrawThickLine(Canvas, X + t, Y1 + t / 2, X1 + t, Y1 + t / 2, t);
    }
    if (f.Typ.Empty() || f.Color() == clTransparent || !vrDiffers(f.Width(), 0)) return;
    Canvas->Brush()->SetStyle(bsSolid);
    if (f.Style() != fsSolid) {
        if (Color != clTransparent) {
            Canvas->Brush()->SetColor(Color);
            Canvas->SetBkMode(OPAQUE);
            Canvas->SetBkColor(Color);
        } else {
            Canvas->SetBkMode(TRANSPARENT);
        }
    }
    const bool l = f.Typ.Contains(ftLeft), r = f.Typ.Contains(ftRight), t = f.Typ.Contains(ftTop),
               b = f.Typ.Contains(ftBottom);
    const bool dashed = f.Style() != fsSolid;
    if (l) {
        const int e = Rnd(f.LeftLine()->Width * ScaleX) == 2 && dashed ? 1 : 0;
        DrawSide(Canvas, *f.LeftLine(), f.Style(), ScaleX, Color, X, Y - e, X, Y1, t, b, -1);
    }
    if (r) DrawSide(Canvas, *f.RightLine(), f.Style(), ScaleX, Color, X1, Y, X1, Y1, t, b, 1);
    if (t) DrawSide(Canvas, *f.TopLine(), f.Style(), ScaleX, Color, X, Y, X1, Y, l, r, -1);
    if (b) {
        const int e = Rnd(f.BottomLine()->Width * ScaleX) == 1 && dashed ? 1 : 0;
        DrawSide(Canvas, *f.BottomLine(), f.Style(), ScaleX, Color, X, Y1, X1 + e, Y1, l, r, 1);
    }
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetStyle(psSolid);
}

void TvrView::Draw(TCanvas* ACanvas, Extended AScaleX, Extended AScaleY, Extended AOffsetX,
                   Extended AOffsetY) {
    BeginDraw(ACanvas, AScaleX, AScaleY, AOffsetX, AOffsetY);
    DrawBackground();
    DrawFrame();
}

void TvrView::BeforePrint() {
    TvrReportComponent::BeforePrint();
    FSavedTagStr = TagStr;
    FSavedURL = URL;
    if (TvrReport* report = GetReport()) report->SetSelfVariable(this);
}

String TvrView::ExpandBrackets(const String& Text) {
    String s = Text;
    Integer pos = 1;
    while (pos <= static_cast<Integer>(s.size())) {
        const unsigned char ch = static_cast<unsigned char>(s[static_cast<size_t>(pos - 1)]);
        if (ch != '[') {
            // Multi-byte characters are stepped over as a whole.
            pos += ch < 0x80 ? 1 : ch >= 0xF0 ? 4 : ch >= 0xE0 ? 3 : 2;
            continue;
        }
        String inner;
        Integer endPos = pos, start = pos;
        ExtractBracketedText(s, "[", "]", inner, endPos, start);
        // An open bracket without its close bracket stays literal text.
        if (endPos == start || s[static_cast<size_t>(endPos - 1)] != ']') break;
        String value;
        if (TvrReport* report = GetReport()) value = VarToStr(report->Calc(inner));
        s = s.substr(0, static_cast<size_t>(pos - 1)) + value + s.substr(static_cast<size_t>(endPos));
        pos += static_cast<Integer>(value.size());
    }
    return s;
}

void TvrView::GetData() {
    if (TagStr.find('[') != String::npos) TagStr = ExpandBrackets(TagStr);
    if (URL.find('[') != String::npos) URL = ExpandBrackets(URL);
}

void TvrView::AfterPrint() {
    TvrReportComponent::AfterPrint();
    TagStr = FSavedTagStr;
    URL = FSavedURL;
}

String TvrView::Diff(TvrComponent* Template) {
    String s = TvrReportComponent::Diff(Template);
    auto* t = dynamic_cast<TvrView*>(Template);
    if (!t) return s;
    if (BrushStyle != t->BrushStyle) s += vrDiffAttr("BrushStyle", vrDiffEnum<TBrushStyle>(BrushStyle));
    if (Align != t->Align) s += vrDiffAttr("Align", vrDiffEnum<TvrBandAlign>(Align));
    if (Color != t->Color) s += vrDiffAttr("Color", IntToStr(Color));
    const TvrFrame& f = *FFrame;
    const TvrFrame& g = *t->FFrame;
    if (f.Color() != g.Color()) s += vrDiffAttr("Frame.Color", IntToStr(f.Color()));
    if (f.DropShadow != g.DropShadow) s += vrDiffAttr("Frame.DropShadow", vrDiffBool(f.DropShadow));
    if (f.ShadowColor != g.ShadowColor) s += vrDiffAttr("Frame.ShadowColor", IntToStr(f.ShadowColor));
    if (vrDiffers(f.ShadowWidth, g.ShadowWidth))
        s += vrDiffAttr("Frame.ShadowWidth", FloatToStr(f.ShadowWidth));
    if (f.Style() != g.Style()) s += vrDiffAttr("Frame.Style", vrDiffEnum<TvrFrameStyle>(f.Style()));
    if (f.Typ != g.Typ) s += vrDiffAttr("Frame.Typ", IntToStr(f.TypBits()));
    if (vrDiffers(f.Width(), g.Width())) s += vrDiffAttr("Frame.Width", FloatToStr(f.Width()));
    const char* names[4] = {"Frame.LeftLine", "Frame.TopLine", "Frame.RightLine", "Frame.BottomLine"};
    const TvrFrameLine* mine[4] = {f.LeftLine(), f.TopLine(), f.RightLine(), f.BottomLine()};
    const TvrFrameLine* theirs[4] = {g.LeftLine(), g.TopLine(), g.RightLine(), g.BottomLine()};
    const bool colorChanged = f.Color() != g.Color(), styleChanged = f.Style() != g.Style(),
               widthChanged = vrDiffers(f.Width(), g.Width());
    for (int i = 0; i < 4; ++i) {
        const TvrFrameLine& m = *mine[i];
        const TvrFrameLine& o = *theirs[i];
        const String n = names[i];
        if (colorChanged ? m.Color != f.Color() : m.Color != o.Color)
            s += vrDiffAttr(n + ".Color", IntToStr(m.Color));
        if (styleChanged ? m.Style != f.Style() : m.Style != o.Style)
            s += vrDiffAttr(n + ".Style", vrDiffEnum<TvrFrameStyle>(m.Style));
        if (widthChanged ? vrDiffers(m.Width, f.Width()) : vrDiffers(m.Width, o.Width))
            s += vrDiffAttr(n + ".Width", FloatToStr(m.Width));
    }
    if (Cursor != t->Cursor) s += vrDiffAttr("Cursor", IntToStr(Cursor));
    if (Printable != t->Printable) s += vrDiffAttr("Printable", vrDiffBool(Printable));
    if (TagStr != t->TagStr) s += vrDiffAttr("TagStr", EscapeXMLText(TagStr));
    if (URL != t->URL) s += vrDiffAttr("URL", EscapeXMLText(URL));
    return s;
}
