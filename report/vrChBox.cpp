// The check-box object: data, drawing of the marks and published properties.
#include "report/vrChBox.h"

#include "classes/MetaBuilder.h"
#include "report/vrClassDataSets.h"
#include "report/vrClassReport.h"
#include "report/vrDsgnIntf.h"
#include "rtl/Variant.h"

ORV_META_IMPL(TvrCheckBoxView)
void TvrCheckBoxView::DeclareMeta(meta::Class<TvrCheckBoxView>& c) {
    using T = TvrCheckBoxView;
    c.Property("BrushStyle", &T::BrushStyle, &T::BrushStyle).Default(bsSolid);
    c.Property("CheckColor", &T::CheckColor, &T::CheckColor).TypeName("TColor").Default(clBlack);
    c.Property("Checked", &T::Checked, &T::Checked).Default(true);
    c.Property("CheckStyle", &T::CheckStyle, &T::CheckStyle).Default(csCross);
    c.Property("Color", &T::Color, &T::Color).TypeName("TColor").Default(clTransparent);
    c.Property("Cursor", &T::Cursor, &T::Cursor).TypeName("TCursor").Default(0);
    c.Property("DataField", &T::DataField, &T::DataField);
    c.Property("DataSetName", &T::DataSetName, &T::SetDataSetName);
    c.Property("Expression", &T::Expression, &T::Expression);
    c.Property("Frame", &T::Frame, &T::SetFrame);
    c.Property("TagStr", &T::TagStr, &T::TagStr);
    c.Property("UncheckStyle", &T::UncheckStyle, &T::UncheckStyle).Default(usEmpty);
    c.Property("URL", &T::URL, &T::URL);
}

ORV_META_IMPL(TvrCheckBoxObject)
void TvrCheckBoxObject::DeclareMeta(meta::Class<TvrCheckBoxObject>&) {}

TvrCheckBoxView::TvrCheckBoxView(TComponent* AOwner) : TvrView(AOwner) {
    SetWidth(5 * fr01cm);
    SetHeight(5 * fr01cm);
}

namespace {
// Null and values that are no Boolean count as unchecked.
bool AsChecked(const Variant& v) {
    if (VarIsNull(v) || VarIsEmpty(v)) return false;
    try {
        return v.AsBoolean();
    } catch (const Exception&) {
        return false;
    }
}
} // namespace

void TvrCheckBoxView::GetData() {
    TvrView::GetData();
    if (IsDataField())
        Checked = AsChecked(DataSet()->Value(DataField));
    else if (!Expression.empty())
        if (TvrReport* report = GetReport()) Checked = AsChecked(report->Calc(Expression));
}

void TvrCheckBoxView::DrawMark() {
    const int l = X, t = Y, r = X1, b = Y1, w = FramePixels;
    TPen* pen = Canvas->Pen();
    pen->SetColor(CheckColor);
    pen->SetStyle(psSolid);
    pen->SetWidth(1);
    auto cross = [&] {
        DrawThickLine(Canvas, l, t, r, b, w);
        DrawThickLine(Canvas, l, b, r, t, w);
    };
    auto horizontal = [&] { DrawThickLine(Canvas, l + 3, t + (b - t) / 2, r - 2, t + (b - t) / 2, w); };
    auto character = [&](char16_t code) {
        TFont* font = Canvas->Font();
        font->SetName("Wingdings");
        font->SetColor(CheckColor);
        font->SetStyle(TFontStyles());
        font->SetCharset(SYMBOL_CHARSET);
        font->SetHeight(b - t);
        Canvas->SetBkMode(TRANSPARENT);
        const WideString text(1, code);
        const int cw = Canvas->TextExtent(text).cx;
        const TRect clip{l, t, r, b};
        Canvas->ExtTextOut(l + (r - l - cw) / 2, t, ETO_CLIPPED, &clip, text);
    };
    if (Checked) {
        switch (CheckStyle) {
        case csCross:
            character(0xFB);
            break;
        case csCheck:
            character(0xFC);
            break;
        case csLineCross:
            cross();
            break;
        case csPlus:
            horizontal();
            DrawThickLine(Canvas, l + (r - l) / 2, t + 3, l + (r - l) / 2, b - 2, w);
            break;
        }
    } else {
        switch (UncheckStyle) {
        case usEmpty:
            break;
        case usCross:
            character(0xFB);
            break;
        case usLineCross:
            cross();
            break;
        case usMinus:
            horizontal();
            break;
        }
    }
}

void TvrCheckBoxView::Draw(TCanvas* ACanvas, Extended AScaleX, Extended AScaleY, Extended AOffsetX,
                           Extended AOffsetY) {
    BeginDraw(ACanvas, AScaleX, AScaleY, AOffsetX, AOffsetY);
    DrawBackground();
    DrawMark();
    DrawFrame();
}

void vrRegisterCheckBoxClasses() {
    ReportObjectRegistry()->RegisterObject(&TvrCheckBoxView::StaticClassInfo(), nullptr, String(), String(),
                                           0, 24);
}

void vrUnregisterCheckBoxClasses() {
    ReportObjectRegistry()->Unregister(&TvrCheckBoxView::StaticClassInfo());
}
