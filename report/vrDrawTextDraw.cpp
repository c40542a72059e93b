// Drawing the wrapped lines: placing the (rotated) block in the device box, spreading the
// rounding left between lines and between characters, and one text output per format run with
// explicit advances, so every line keeps its 600-dpi width on any device.
#include "report/vrDrawText.h"

#include "report/vrDrawTextLock.h"
#include "rtl/MathUtils.h"

#include <cmath>
#include <cstdlib>

namespace {

int R(Extended x) {
    return static_cast<int>(Round(x));
}

// Cosine and sine of a rotation in degrees, exact at the right angles.
void Direction(Integer degrees, Extended& c, Extended& s) {
    const Integer d = ((degrees % 360) + 360) % 360;
    switch (d) {
    case 0:
        c = 1, s = 0;
        return;
    case 90:
        c = 0, s = 1;
        return;
    case 180:
        c = -1, s = 0;
        return;
    case 270:
        c = 0, s = -1;
        return;
    default:
        c = std::cos(d * M_PI / 180);
        s = std::sin(d * M_PI / 180);
    }
}

void Spread(std::vector<int>& values, Integer first, Integer n, Integer extra) {
    if (extra == 0 || n <= 0) return;
    const Integer unit = extra > 0 ? 1 : -1;
    Integer count = std::abs(extra);
    if (count >= n) {
        for (Integer k = 0; k < n; ++k)
            values[static_cast<size_t>(first + k)] += (count / n) * unit;
        count %= n;
    }
    SpreadIncrements(values, first, first + n - 1, count, unit);
}

} // namespace

void SpreadIncrements(std::vector<int>& values, Integer first, Integer last, Integer count, Integer unit) {
    if (count <= 0 || first > last) return;
    const Integer half = std::max<Integer>(1, (last - first + 1) / 2);
    if (count == 1) {
        values[static_cast<size_t>(first + half - 1)] += unit;
        return;
    }
    SpreadIncrements(values, first, first + half - 1, count / 2, unit);
    SpreadIncrements(values, first + half, last, count - count / 2, unit);
}

struct TvrDrawText::TBlock {
    Integer X = 0, Y = 0, W = 0;
    Extended Cos = 1, Sin = 0;
};

Integer TvrDrawText::DeviceFontHeight(TCanvas& canvas, Integer sizePt, bool horizontal) {
    if (IsPrinterCanvas(canvas)) {
        const int dpi = canvas.GetDeviceCaps(horizontal ? LOGPIXELSX : LOGPIXELSY);
        return -R(sizePt * static_cast<Extended>(dpi) * PrintZoom / 72);
    }
    return -R(sizePt * VertScale * 96 / 72);
}

TvrDrawText::TBlock TvrDrawText::PlaceBlock(Integer H, TvrVAlign vAlign) {
    Rotation = (Rotation + 360) % 360;
    const Integer L = DeviceBox.Left, T = DeviceBox.Top, Rt = DeviceBox.Right, B = DeviceBox.Bottom;
    TBlock b;
    Direction(Rotation, b.Cos, b.Sin);
    const Extended ac = std::fabs(b.Cos), as = std::fabs(b.Sin);
    auto slanted = [&] { return R((Rt - L - as * H) / ac); };
    Integer m = 0;
    const Integer r = Rotation;
    if (r == 0) {
        b.W = Rt - L, b.X = L, b.Y = T, m = B - T;
    } else if (r < 90) {
        b.W = slanted(), b.X = L, b.Y = T + R(b.W * as), m = B - b.Y - R(H * ac) + H;
    } else if (r == 90) {
        b.W = B - T, b.X = L, b.Y = B, m = Rt - L;
    } else if (r < 180) {
        b.W = slanted(), b.X = L + R(b.W * ac), b.Y = B, m = (B - T) - R(H * ac + b.W * as) + H;
    } else if (r == 180) {
        b.W = Rt - L, b.X = Rt, b.Y = B, m = B - T;
    } else if (r < 270) {
        b.W = slanted(), b.X = Rt, b.Y = B - R(b.W * as), m = b.Y - T - R(H * ac) + H;
    } else if (r == 270) {
        b.W = B - T, b.X = Rt, b.Y = T, m = Rt - L;
    } else {
        b.W = slanted(), b.X = L + R(H * as), b.Y = T, m = (B - T) - R(b.W * as + H * ac) + H;
    }
    // Vertical alignment moves the block along the direction the lines advance in.
    Extended c = 1, s = 0;
    if (r == 90 || r == 180 || r == 270)
        Direction(r, c, s);
    else if (r > 90 && r < 270)
        c = -1;
    const Integer d = m - H;
    if (vAlign == vaBottom) {
        b.Y += R(d * c);
        b.X += R(d * s);
    } else if (vAlign == vaCenter) {
        b.Y += R(d * c / 2);
        b.X += R(d * s / 2);
    }
    return b;
}

void TvrDrawText::DrawLayout(TCanvas& canvas, TvrHAlign hAlign, TvrVAlign vAlign) {
    const Integer n = WrappedLines.Count();
    if (n == 0 || FTags.ItemCount() == 0) return;
    TCanvasLock lock(MeasureCanvas());
    const bool printer = IsPrinterCanvas(canvas);
    const int dpiY = canvas.GetDeviceCaps(LOGPIXELSY);
    TFont& font = *canvas.Font();
    const int previousOrientation = font.Orientation();
    font.Assign(*MeasureCanvas().Font());
    font.SetHeight(DeviceFontHeight(canvas, FontSizePt, false));
    TvrHTMLTags* first = FTags.GetItem(0);
    if (first->ItemCount() > 0 && !first->GetItem(0)->SameFormat) {
        TvrHTMLTag* tag = first->GetItem(0);
        font.SetStyle(tag->StyleSet);
        font.SetColor(tag->TagColor);
        font.SetHeight(DeviceFontHeight(canvas, tag->SizePt, false));
        tag->SameFormat = true;
    }
    if (Rotation != 0) font.SetOrientation((((Rotation % 360) + 360) % 360) * 10);

    const Integer outH = -font.Height();
    const Integer measH = -MeasureCanvas().Font()->Height();
    const Integer H =
        printer ? R(LineSpacing * VertScale * n + static_cast<Extended>(measH) * n * dpiY * PrintZoom / 600)
                : R((LineSpacing * n + measH * n / 6.25L) * VertScale);
    const Integer pitch = R(LineSpacing * VertScale) + outH;
    const Integer gap = Wysiwyg ? H - n * pitch : 0;

    TBlock b = PlaceBlock(H, vAlign);
    std::vector<int> adv(static_cast<size_t>(std::max<Integer>(0, n - 1)), pitch);
    if (n > 1) Spread(adv, 0, n - 1, gap);
    canvas.SetBkMode(TRANSPARENT);
    Integer x = b.X, y = b.Y;
    for (Integer k = 0; k < n; ++k) {
        const std::intptr_t value = WrappedLines.Objects(k);
        Integer indent = 0;
        TvrHAlign align = hAlign;
        if ((value & 1) && (hAlign == haLeft || hAlign == haBlock)) indent = R(ParagraphGap * HorzScale);
        if ((value & 2) && hAlign == haBlock) align = RTLReading ? haRight : haLeft;
        DrawLayoutLine(canvas, k, align, x + indent, y, b.W - indent);
        if (k < n - 1) {
            y += R(adv[static_cast<size_t>(k)] * b.Cos);
            x += R(adv[static_cast<size_t>(k)] * b.Sin);
        }
    }
    font.SetOrientation(previousOrientation);
}

void TvrDrawText::DrawLayoutLine(TCanvas& canvas, Integer k, TvrHAlign align, Integer x, Integer y,
                                 Integer w) {
    TFont& font = *canvas.Font();
    const WideString line = WrappedLines.Strings(k);
    const TvrTextUnits units = MakeTextUnits(line, font.Charset(), UseDefaultCharset);
    const Integer n = units.Count();
    if (n == 0) return;
    TCanvasLock lock(MeasureCanvas());
    const TFontStyles style = font.Style();
    FTags.DefaultStyle = style;
    MeasureCanvas().Font()->SetStyle(style);
    const Integer layoutSpacing = R(CharSpacing * 6.25L);
    Integer w1 =
        FTags.MeasureChars(Advances, line, MeasureCanvas(), k, layoutSpacing, false, UseDefaultCharset) -
        layoutSpacing;
    const Integer deviceSpacing = R(CharSpacing * HorzScale);
    const Integer w2 =
        FTags.MeasureChars(Advances, line, canvas, k, deviceSpacing, false, UseDefaultCharset) -
        deviceSpacing;
    font.SetStyle(style);

    int dpiX = canvas.GetDeviceCaps(LOGPIXELSX);
    if (dpiX == 0) dpiX = 96;
    const bool printer = IsPrinterCanvas(canvas);
    w1 = printer ? R(w1 * PrintZoom / (600.0L / dpiX)) : R(w1 / 6.25L * HorzScale);
    if (!Wysiwyg) w1 = w2;
    Integer extra = w1 - w2;

    Extended c = 1, s = 0;
    Direction(Rotation, c, s);
    std::vector<Integer> spaces;
    if (align == haBlock) {
        for (Integer u = 0; u < n; ++u)
            if (units.Text[static_cast<size_t>(u)] == u' ' || units.Text[static_cast<size_t>(u)] == u'\u00A0')
                spaces.push_back(u);
        if (spaces.empty())
            align = haLeft;
        else
            extra = std::abs(w) - w2;
    }
    if (align == haRight) {
        x += R((w - w1 + 1) * c);
        y -= R((w - w1 + 1) * s);
        x -= 1;
        if ((style.Contains(fsBold) || style.Contains(fsItalic)) && Rotation == 0) x -= 1;
    } else if (align == haCenter) {
        x += R((w - w1) / 2.0L * c);
        y -= R((w - w1) / 2.0L * s);
    }
    if (align == haBlock) {
        const Integer unit = extra > 0 ? 1 : -1;
        const Integer count = std::abs(extra);
        const Integer each = count / static_cast<Integer>(spaces.size());
        const Integer rest = count % static_cast<Integer>(spaces.size());
        for (size_t j = 0; j < spaces.size(); ++j)
            Advances[static_cast<size_t>(spaces[j])] +=
                (each + (static_cast<Integer>(j) < rest ? 1 : 0)) * unit;
    } else {
        Spread(Advances, 0, n, extra);
    }

    // Format runs: one text output each, with the run's advances.
    TvrHTMLTags* tags =
        k < FTags.ItemCount() && FTags.GetItem(k)->ItemCount() > 0 ? FTags.GetItem(k) : nullptr;
    auto record = [&](Integer u) -> TvrHTMLTag* {
        if (!tags) return nullptr;
        return tags->GetItem(std::min(units.Record[static_cast<size_t>(u)], tags->ItemCount() - 1));
    };
    auto applyRecord = [&](TvrHTMLTag* tag) {
        font.SetHeight(DeviceFontHeight(canvas, tag->SizePt, true));
        font.SetStyle(tag->StyleSet);
        font.SetColor(tag->TagColor);
        tag->SameFormat = true;
    };
    TvrHTMLTag* current = record(0);
    // A line that starts with a change of format (a wrapped line beginning right after a tag)
    // takes that format before its first run.
    if (current && !current->SameFormat) applyRecord(current);
    Integer shift = current ? R(current->Lowered * current->SizePt * VertScale) : 0;
    Integer start = 0;
    while (start < n) {
        Integer end = start + 1;
        while (end < n) {
            TvrHTMLTag* tag = record(end);
            if (tag && !tag->SameFormat && tag != record(end - 1)) break;
            ++end;
        }
        const WideString run =
            units.Text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
        canvas.ExtTextOut(x + R(shift * s), y + R(shift * c), TextOutFlags, &DeviceBox, run,
                          Wysiwyg ? &Advances[static_cast<size_t>(start)] : nullptr);
        if (end < n) {
            TvrHTMLTag* tag = record(end);
            applyRecord(tag);
            shift = R(tag->Lowered * tag->SizePt * VertScale);
            Integer width = 0;
            for (Integer u = start; u < end; ++u)
                width += Advances[static_cast<size_t>(u)];
            if (Rotation == 0) {
                x += width;
            } else {
                x += R(width * c);
                y -= R(width * s);
            }
        }
        start = end;
    }
}
