// Cell painting of the grid printer: the one text writer of all printed text, data and footer
// cells with their colours and check boxes, the printer's own footer sums and counts, the data
// row height and the grid lines of a page.
#include "gridprint/PrnDbggxComposer.h"

#include "db/Field.h"
#include "grid/DBGridGx.h"
#include "grid/DBGridGxFooters.h"
#include "grid/DBGridGxText.h"
#include "gui/ClassicEdges.h"
#include "gui/DrawTextEx.h"
#include "rtl/Format.h"

#include <cmath>

int TGridPageComposer::WriteCellText(const TRect& rect, bool fill, int hInset, int vInset, const String& text,
                                     TAlignment alignment, TTextLayout layout, bool wordWrap,
                                     bool endEllipsis, int leftMargin, int rightMargin, bool measureOnly,
                                     bool clip) {
    bool rtl = FGrid->UseRightToLeftAlignment();
    if (rtl) MirrorCellTextPlacement(alignment, leftMargin, rightMargin);
    TRect tr(rect.Left + hInset, rect.Top + vInset, rect.Right - hInset, rect.Bottom - vInset);
    Cardinal base = DT_NOPREFIX | DT_EXPANDTABS | (wordWrap ? Cardinal(DT_WORDBREAK) : 0u);
    if (measureOnly) {
        TRect m = tr;
        m.Bottom = m.Top;
        int h = text.empty() ? 0 : FCanvas->DrawText(text, m, base | DT_CALCRECT);
        return h + FCanvas->TextMetrics().tmExternalLeading + 2 * vInset;
    }
    if (fill) {
        FCanvas->FillRect(rect);
    }
    if (text.empty()) return 0;
    Cardinal flags = base | (endEllipsis ? Cardinal(DT_END_ELLIPSIS) : 0u);
    if (alignment == taRightJustify) flags |= DT_RIGHT;
    if (alignment == taCenter) flags |= DT_CENTER;
    // The text runs between the margins (negative ones widen it beyond the rect, which still
    // clips); centre and bottom layouts move its top down.
    int top = tr.Top;
    if (layout == tlCenter || layout == tlBottom) {
        TRect m(tr.Left + leftMargin, tr.Top, tr.Right - rightMargin, tr.Top);
        int h = FCanvas->DrawText(text, m, (flags & ~DT_END_ELLIPSIS) | DT_CALCRECT);
        top = layout == tlCenter ? tr.Top + tr.Height() / 2 - h / 2 : tr.Bottom - h;
    }
    if (hInset > 0) ++tr.Bottom;
    int bkMode = FCanvas->SetBkMode(TRANSPARENT);
    TRect box(tr.Left, top, tr.Right, tr.Bottom);
    if (!clip) {
        TRect area(tr.Left + leftMargin, top, tr.Right - rightMargin, tr.Bottom);
        FCanvas->DrawText(text, area, flags | DT_NOCLIP);
    } else if (leftMargin == 0 && rightMargin == 0 && top >= tr.Top) {
        FCanvas->DrawText(text, box, flags); // each text output clips itself
    } else {
        TDrawTextParams margins{leftMargin, rightMargin};
        DrawTextEx(FCanvas, text, box, flags, &margins);
    }
    FCanvas->SetBkMode(bkMode);
    return 0;
}

int TGridPageComposer::RowHeight() {
    SetFont(FGrid->Font());
    if (FGrid->RowHeight() == 0 && FGrid->RowLines() == 0) return FCanvas->TextHeight("Wg") + 2 * FVPad;
    TTextMetric tm = FCanvas->TextMetrics();
    return FGrid->RowLines() * (tm.tmHeight + tm.tmExternalLeading) + Round(FGrid->RowHeight() * FScaleY);
}

void TGridPageComposer::AddLine(std::vector<TPoint> points, bool title) {
    auto& pts = title ? FTitlePoints : FRowPoints;
    auto& counts = title ? FTitleCounts : FRowCounts;
    pts.insert(pts.end(), points.begin(), points.end());
    counts.push_back(static_cast<int>(points.size()));
}

void TGridPageComposer::DrawLines() {
    FCanvas->Pen()->SetWidth(FLineWidth);
    FCanvas->Pen()->SetColor(clBlack);
    if (!FRowCounts.empty())
        FCanvas->PolyPolyline(FRowPoints.data(), FRowCounts.data(), static_cast<int>(FRowCounts.size()));
    FRowPoints.clear();
    FRowCounts.clear();
}

void TGridPageComposer::DrawCheckBox(const TRect& textRect, TCheckBoxState state) {
    int w = std::min(textRect.Width(), static_cast<int>(13 * FScaleX));
    int h = std::min(textRect.Height(), static_cast<int>(13 * FScaleY));
    int x = (textRect.Left + textRect.Right - w) / 2;
    int y = (textRect.Top + textRect.Bottom - h) / 2;
    unsigned kind = state == cbGrayed    ? DFCS_BUTTON3STATE | DFCS_CHECKED
                    : state == cbChecked ? DFCS_BUTTONCHECK | DFCS_CHECKED
                                         : DFCS_BUTTONCHECK;
    DrawFrameControl(FCanvas, TRect(x, y, x + w, y + h), DFC_BUTTON, kind);
}

int TGridPageComposer::PaintCell(int col, const TRect& rect, const TRowCursor& c, int rowInBand,
                                 bool measure) {
    (void)rowInBand;
    if (c.End) return 0;
    TColumnGx* column = FColumns[static_cast<size_t>(col)];
    bool colored = FOwner.HasOption(pghColored);
    bool stretch = FOwner.HasOption(pghRowAutoStretch);
    TRect textRect(rect.Left + FHPad, rect.Top + FVPad, rect.Right - FHPad, rect.Bottom - FVPad);
    int height = 0;
    bool measuring = measure || FCounting;
    auto fillBackground = [&] {
        if (!measure && !FCounting && FCanvas->Brush()->Color() != clWhite) {
            FCanvas->Brush()->SetStyle(bsSolid);
            FCanvas->FillRect(rect);
        }
    };
    auto wordWrapFor = [&] {
        if (measure) return stretch;
        TTextMetric tm = FCanvas->TextMetrics();
        return stretch || FRowHeight > tm.tmHeight + tm.tmExternalLeading + 2 * FVPad;
    };
    if (c.IsRecord) {
        SetFont(column->Font());
        TColCellParamsGx params;
        column->InitCellParams(&params);
        params.Font = FCanvas->Font();
        params.Background = colored ? column->Color() : clWhite;
        column->GetColCellParams(false, &params);
        FCanvas->Brush()->SetColor(params.Background);
        fillBackground();
        if (column->GetCellKind() == 5 && !measuring) {
            DrawCheckBox(textRect, params.CheckState);
        } else {
            // A number too wide for its cell prints as '#', never cut into another number.
            const bool number = dynamic_cast<TNumericField*>(column->Field()) && column->GetCellKind() == 0;
            const String text = number && !measuring ? FitNumberText(FCanvas, params.Text, textRect.Width())
                                                     : params.Text;
            height = WriteCellText(textRect, false, 0, 0, text, params.Alignment, column->Layout(),
                                   wordWrapFor(), column->EndEllipsis(), 0, 0, measuring);
        }
        height += 2 * FVPad;
    } else {
        TPrintFooterCell f = FOwner.FooterCell(column, c.FooterRow);
        String text =
            f.ValueType == fvtSum || f.ValueType == fvtCount ? FooterText(c.FooterRow, col) : f.ShownText;
        SetFont(f.Font ? f.Font : FGrid->FooterFont());
        FCanvas->Brush()->SetColor(colored ? f.Color : clWhite);
        fillBackground();
        const bool number = f.ValueType == fvtSum || f.ValueType == fvtAvg || f.ValueType == fvtCount ||
                            (f.ValueType == fvtFieldValue && dynamic_cast<TNumericField*>(FooterField(f, column)));
        if (number && !measuring) text = FitNumberText(FCanvas, text, textRect.Width());
        height = WriteCellText(textRect, false, 0, 0, text, f.Alignment, column->Layout(), wordWrapFor(),
                               f.EndEllipsis, 0, 0, measuring) +
                 2 * FVPad;
    }
    if (!measure && !FCounting) {
        bool first = FGrid->UseRightToLeftAlignment()
                         ? col == static_cast<int>(FColumns.size()) - 1 ||
                               std::find(FGroupEnds.begin(), FGroupEnds.end(), col) != FGroupEnds.end()
                         : rect.Left == FLeft || rect.Right == FRight;
        if (first && !FGrid->UseRightToLeftAlignment())
            AddLine({{rect.Left, rect.Top},
                     {rect.Left, rect.Bottom},
                     {rect.Right, rect.Bottom},
                     {rect.Right, rect.Top}},
                    false);
        else if (first)
            AddLine({{rect.Right, rect.Top},
                     {rect.Right, rect.Bottom},
                     {rect.Left, rect.Bottom},
                     {rect.Left, rect.Top}},
                    false);
        else
            AddLine({{rect.Left, rect.Bottom}, {rect.Right, rect.Bottom}, {rect.Right, rect.Top}}, false);
    }
    FCanvas->Brush()->SetStyle(bsClear);
    return height;
}

TField* TGridPageComposer::FooterField(const TPrintFooterCell& f, TColumnGx* column) {
    const String& name = f.FieldName.empty() ? column->FieldName() : f.FieldName;
    return name.empty() ? nullptr : FDataSet->FindField(name);
}

// The printer sums and counts exactly the records it prints, in Currency units.
void TGridPageComposer::AccumulateFooters() {
    for (int row = 0; row < FFooterRows; ++row)
        for (size_t i = 0; i < FColumns.size(); ++i) {
            TPrintFooterCell f = FOwner.FooterCell(FColumns[i], row);
            if (f.ValueType != fvtSum && f.ValueType != fvtCount) continue;
            TField* field = FooterField(f, FColumns[i]);
            if (!field) continue;
            Int64& v = FFooterValues[static_cast<size_t>(row) * FColumns.size() + i];
            if (f.ValueType == fvtCount)
                v += 10000;
            else if (!field->IsNull())
                v +=
                    static_cast<Int64>(std::nearbyint(static_cast<long double>(field->AsFloat()) * 10000.0L));
        }
}

String TGridPageComposer::FooterText(int footerRow, int col) {
    TColumnGx* column = FColumns[static_cast<size_t>(col)];
    TPrintFooterCell f = FOwner.FooterCell(column, footerRow);
    Currency value = Currency::FromRaw(FFooterValues[static_cast<size_t>(footerRow) * FColumns.size() + col]);
    // Written as the grid's own footer writes the total, so a money sum prints "￥62,706.83".
    if (f.ValueType == fvtCount) return FooterCountText(f.DisplayFormat, value);
    TField* field = FooterField(f, column);
    if (!field) return String();
    return FooterAggregateText(field, f.DisplayFormat, value);
}
