// The export cell matrix: placing objects, building styles, and preparing edges, spans, cells
// and fragments.
#include "report/export/vrExportMatrix.h"

#include "gui/Bitmap.h"
#include "gui/FontFamilies.h"
#include "gui/Metafile.h"
#include "report/export/vrrcExports.h"
#include "report/vrClassLine.h"
#include "report/vrClassPage.h"
#include "report/vrClassPicture.h"
#include "report/vrClassReport.h"
#include "report/vrPreviewPages.h"
#include "report/vrProgress.h"
#include "report/vrRes.h"
#include "rtl/CodePage.h"
#include "rtl/ScopeGuards.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <new>

// --- TvrIEMStyle ---------------------------------------------------------------------------------

TvrIEMStyle::TvrIEMStyle() : FFont(std::make_unique<TFont>()), FDisplayFormat(std::make_unique<TvrFormat>()) {}

TvrIEMStyle::~TvrIEMStyle() = default;

void TvrIEMStyle::Assign(const TvrIEMStyle& s) {
    FFont->Assign(*s.FFont);
    FDisplayFormat->Assign(s.FDisplayFormat.get());
    LineSpacing = s.LineSpacing;
    VAlign = s.VAlign;
    HAlign = s.HAlign;
    Frame = s.Frame;
    Color = s.Color;
    Rotation = s.Rotation;
    BrushStyle = s.BrushStyle;
    ParagraphGap = s.ParagraphGap;
    GapX = s.GapX;
    GapY = s.GapY;
    CharSpacing = s.CharSpacing;
    WordBreak = s.WordBreak;
    Charset = s.Charset;
    WordWrap = s.WordWrap;
}

bool TvrIEMStyle::SameAs(const TvrIEMStyle& s) const {
    const TFont &a = *FFont, &b = *s.FFont;
    const TvrFormat &fa = *FDisplayFormat, &fb = *s.FDisplayFormat;
    return a.Size() == b.Size() && HAlign == s.HAlign && VAlign == s.VAlign && a.Color() == b.Color() &&
           a.Name() == b.Name() && a.Style() == b.Style() && Frame.Typ == s.Frame.Typ &&
           Frame.Width == s.Frame.Width && Frame.Color == s.Frame.Color && Frame.Style == s.Frame.Style &&
           Color == s.Color && fa.Kind == fb.Kind && fa.DecimalSeparator == fb.DecimalSeparator &&
           fa.FormatStr == fb.FormatStr && LineSpacing == s.LineSpacing && GapX == s.GapX && GapY == s.GapY &&
           ParagraphGap == s.ParagraphGap && CharSpacing == s.CharSpacing && Charset == s.Charset &&
           WordBreak == s.WordBreak && Rotation == s.Rotation && WordWrap == s.WordWrap &&
           BrushStyle == s.BrushStyle;
}

// --- TvrIEMObject --------------------------------------------------------------------------------

TvrIEMObject::TvrIEMObject() = default;

TvrIEMObject::~TvrIEMObject() = default;

String TvrIEMObject::Text() const {
    String text;
    for (Integer i = 0; i < Lines.Count(); ++i) {
        if (i > 0) text += "\r\n";
        text += WideToUtf8(Lines.Strings(i));
    }
    return text;
}

// --- TvrIEMatrix ---------------------------------------------------------------------------------

struct TvrIEMatrix::TPools {
    // Objects made in blocks of room for 1024, each built when it is handed out, and freed together.
    template <class T> class TBlockPool {
    public:
        TBlockPool() = default;
        TBlockPool(const TBlockPool&) = delete;
        TBlockPool& operator=(const TBlockPool&) = delete;
        ~TBlockPool() { Clear(); }
        T* New() {
            if (FUsed == BlockSize) {
                FBlocks.push_back(std::make_unique_for_overwrite<TSlot[]>(BlockSize));
                FUsed = 0;
            }
            T* item = ::new (static_cast<void*>(FBlocks.back()[FUsed].Bytes)) T();
            ++FUsed;
            return item;
        }
        void Clear() {
            for (size_t b = 0; b < FBlocks.size(); ++b) {
                const size_t built = b + 1 == FBlocks.size() ? FUsed : BlockSize;
                for (size_t i = 0; i < built; ++i) std::launder(reinterpret_cast<T*>(FBlocks[b][i].Bytes))->~T();
            }
            FBlocks.clear();
            FUsed = BlockSize;
        }

    private:
        struct TSlot {
            alignas(T) std::byte Bytes[sizeof(T)];
        };
        static constexpr size_t BlockSize = 1024;
        std::vector<std::unique_ptr<TSlot[]>> FBlocks;
        size_t FUsed = BlockSize;
    };
    TBlockPool<TvrIEMObject> Objects;
    TBlockPool<TvrIEMObjectList> Entries;
};

TvrIEMatrix::TvrIEMatrix() : FPools(std::make_unique<TPools>()) {
    vrLoadExportStrings();
}

TvrIEMObjectList* TvrIEMatrix::NewEntry(TvrIEMObject* item) {
    TvrIEMObjectList* entry = FPools->Entries.New();
    entry->Item = item;
    return entry;
}

TvrIEMatrix::~TvrIEMatrix() {
    Clear();
}

void TvrIEMatrix::Clear() {
    FEntries.clear();
    FPools->Entries.Clear();
    FPools->Objects.Clear();
    FStyles.clear();
    FColumnEdges.clear();
    FRowEdges.clear();
    FPages.clear();
    FFontCharsets.clear();
    FCells.clear();
    PageOffsetY = 0;
}

Integer TvrIEMatrix::RealCharset(const TFont& font) {
    if (font.Charset() != DEFAULT_CHARSET) return font.Charset();
    for (const auto& [name, charset] : FFontCharsets)
        if (name == font.Name()) return charset;
    const Integer charset = FontRealCharset(font.Name());
    FFontCharsets.emplace_back(font.Name(), charset);
    return charset;
}

Integer TvrIEMatrix::AddStyle(std::unique_ptr<TvrIEMStyle> style) {
    for (size_t i = 0; i < FStyles.size(); ++i)
        if (FStyles[i]->SameAs(*style)) return static_cast<Integer>(i);
    FStyles.push_back(std::move(style));
    return static_cast<Integer>(FStyles.size()) - 1;
}

Integer TvrIEMatrix::StyleWithFill(Integer styleNo, TColor fill) {
    auto copy = std::make_unique<TvrIEMStyle>();
    copy->Assign(*FStyles[static_cast<size_t>(styleNo)]);
    copy->Color = fill;
    return AddStyle(std::move(copy));
}

Integer TvrIEMatrix::StyleWithSides(Integer styleNo, TvrFrameTypes sides) {
    auto copy = std::make_unique<TvrIEMStyle>();
    copy->Assign(*FStyles[static_cast<size_t>(styleNo)]);
    copy->Frame.Typ = sides;
    return AddStyle(std::move(copy));
}

Integer TvrIEMatrix::BuildStyle(TvrReportComponent* view) {
    // Built in a scratch style that is reset first; only a new look is kept (and replaced).
    if (!FScratchStyle) FScratchStyle = std::make_unique<TvrIEMStyle>();
    static const TvrIEMStyle blank;
    FScratchStyle->Assign(blank);
    TvrIEMStyle* style = FScratchStyle.get();
    auto* v = dynamic_cast<TvrView*>(view);
    const TvrFrame* frame = v ? v->Frame() : nullptr;
    if (frame) {
        style->Frame.Width = static_cast<float>(frame->Width());
        style->Frame.Color = frame->Color();
        style->Frame.Style = frame->Style();
    }
    if (auto* memo = dynamic_cast<TvrCustomMemoView*>(view)) {
        const bool lit = memo->Highlight()->Active;
        style->Font()->Assign(lit ? *memo->Highlight()->Font() : *memo->Font());
        style->Color = lit ? memo->Highlight()->Color : memo->Color;
        style->DisplayFormat()->Assign(memo->DisplayFormat());
        style->HAlign = memo->HAlign;
        style->VAlign = memo->VAlign;
        style->LineSpacing = memo->LineSpacing;
        style->GapX = memo->GapX;
        style->GapY = memo->GapY;
        style->CharSpacing = memo->CharSpacing;
        style->ParagraphGap = memo->ParagraphGap;
        style->WordBreak = memo->WordBreak;
        style->Rotation = memo->Rotation();
        style->BrushStyle = memo->BrushStyle;
        style->WordWrap = memo->WordWrap;
        style->Frame.Typ = frame->Typ;
        style->Charset = RealCharset(*style->Font());
    } else if (auto* line = dynamic_cast<TvrCustomLineView*>(view);
               line && !line->Diagonal && (line->Width() == 0 || line->Height() == 0)) {
        style->Color = line->Color;
        style->Frame.Typ = line->Width() == 0 ? TvrFrameTypes{ftLeft} : TvrFrameTypes{ftTop};
        style->Font()->SetName("Arial");
        style->Font()->SetSize(1);
    } else {
        style->Font()->Assign(*view->Font());
        if (v) style->Color = v->Color;
        const auto* diagonal = dynamic_cast<TvrCustomLineView*>(view);
        if (frame && !diagonal) style->Frame.Typ = frame->Typ;
    }
    if (DotMatrixFonts) style->Font()->SetSize(9);
    for (size_t i = 0; i < FStyles.size(); ++i)
        if (FStyles[i]->SameAs(*style)) return static_cast<Integer>(i);
    FStyles.push_back(std::move(FScratchStyle));
    return static_cast<Integer>(FStyles.size()) - 1;
}

void TvrIEMatrix::AddEdge(std::vector<Extended>& edges, Extended value) {
    // The last 100 edges, newest first: a repeated edge is usually among the newest.
    const size_t n = edges.size();
    const size_t stop = n > 100 ? n - 100 : 0;
    for (size_t i = n; i > stop; --i)
        if (edges[i - 1] == value) return;
    edges.push_back(value);
}

void TvrIEMatrix::AddShadow(TvrCustomMemoView* memo) {
    TvrFrame* frame = memo->Frame();
    const Extended sw = frame->ShadowWidth, w = memo->Width(), h = memo->Height();
    {
        memo->SetWidth(w - sw);
        memo->SetHeight(h - sw);
        frame->DropShadow = false;
        const TScopeExit restore([&] {
            memo->SetWidth(w);
            memo->SetHeight(h);
            frame->DropShadow = true;
        });
        AddObject(memo);
    }
    TvrMemoView shadow(nullptr);
    shadow.SetName("Shadow");
    shadow.Font()->SetSize(1);
    shadow.Color = frame->ShadowColor;
    const Extended l = memo->AbsLeft(), t = memo->AbsTop();
    shadow.SetBounds(l + w - sw, t + sw, sw, h - sw);
    AddObject(&shadow);
    shadow.SetBounds(l + sw, t + h - sw, w - sw, sw);
    AddObject(&shadow);
}

void TvrIEMatrix::AddRectangle(TvrShapeView* shape) {
    const Extended l = shape->AbsLeft(), t = shape->AbsTop(), w = shape->Width(), h = shape->Height();
    if (shape->Color == clTransparent) {
        TvrLineView line(nullptr);
        line.SetName("Line");
        line.SetFrame(shape->Frame());
        const Extended edges[4][4] = {{l, t, w, 0}, {l, t, 0, h}, {l, t + h, w, 0}, {l + w, t, 0, h}};
        for (const auto& e : edges) {
            line.SetBounds(e[0], e[1], e[2], e[3]);
            AddObject(&line);
        }
        return;
    }
    TvrMemoView rect(nullptr);
    rect.SetName("Rect");
    rect.SetFrame(shape->Frame());
    rect.Frame()->Typ = TvrFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
    rect.Color = shape->Color;
    rect.Font()->SetSize(1);
    rect.SetBounds(l, t, w, h);
    AddObject(&rect);
}

void TvrIEMatrix::DrawPicture(TvrReportComponent* view, TvrIEMObject& obj) {
    obj.HoldsText = false;
    auto* v = dynamic_cast<TvrView*>(view);
    TvrFrame* frame = v ? v->Frame() : nullptr;
    const auto* line = dynamic_cast<TvrCustomLineView*>(view);
    const bool diagonal = line && line->Diagonal;
    const Extended savedWidth = frame ? frame->Width() : 0;
    const bool thin = frame && !frame->Typ.Empty() && savedWidth > 0 && !diagonal;
    if (thin) frame->SetWidth(0);
    const TScopeExit restore([&] {
        if (thin) frame->SetWidth(savedWidth);
    });
    const TvrFloatRect r = view->GetRealBounds();
    Extended dx = r.Right - r.Left, dy = r.Bottom - r.Top;
    const Extended absLeft = view->AbsLeft(), absTop = view->AbsTop();
    if (dx != view->Width() && r.Left != absLeft)
        obj.Left -= r.Right != absLeft + view->Width() ? (dx - view->Width()) / 2 : dx - view->Width();
    if (dy != view->Height() && r.Top != absTop)
        obj.Top -= r.Bottom != absTop + view->Height() ? (dy - view->Height()) / 2 : dy - view->Height();
    if (std::lround(static_cast<double>(dx)) == 0) dx = 1;
    if (std::lround(static_cast<double>(dy)) == 0) dy = 1;
    if (dx < 0) {
        dx = -dx;
        obj.Left -= dx;
    }
    if (dy < 0) {
        dy = -dy;
        obj.Top -= dy;
    }
    obj.Width = dx;
    obj.Height = dy;
    const int w = static_cast<int>(std::lround(static_cast<double>(dx)));
    const int h = static_cast<int>(std::lround(static_cast<double>(dy)));
    if (MetafilePictures) {
        obj.MetaPicture = std::make_unique<TMetafile>();
        obj.MetaPicture->SetWidth(w);
        obj.MetaPicture->SetHeight(h);
        TMetafileCanvas canvas(obj.MetaPicture.get());
        view->Draw(&canvas, 1, 1, -r.Left, -r.Top);
        return;
    }
    obj.Bitmap = std::make_unique<TBitmap>(w + 1, h + 1, pf24bit);
    TCanvas* canvas = obj.Bitmap->Canvas();
    canvas->Brush()->SetColor(clWhite);
    canvas->FillRect(TRect(0, 0, w + 1, h + 1));
    view->Draw(canvas, 1, 1, -r.Left, -r.Top);
}

void TvrIEMatrix::AddObject(TvrReportComponent* view) {
    if (!view) return;
    const bool background = view->Name() == "_pagebackground";
    if (background && !PageBackground) return;
    auto* memo = dynamic_cast<TvrCustomMemoView*>(view);
    if (memo && memo->Frame()->DropShadow) {
        AddShadow(memo);
        return;
    }
    if (auto* shape = dynamic_cast<TvrShapeView*>(view); shape && shape->Shape == skRectangle) {
        AddRectangle(shape);
        return;
    }
    TvrIEMObject* obj = FPools->Objects.New();
    obj->StyleNo = BuildStyle(view);
    obj->CellStyle = FStyles[static_cast<size_t>(obj->StyleNo)].get();
    if (auto* v = dynamic_cast<TvrView*>(view)) obj->Hyperlink = v->URL;
    if (OwnerReport && !obj->Hyperlink.empty() && obj->Hyperlink[0] == '#') {
        auto* pages = dynamic_cast<TvrPreviewPages*>(OwnerReport->PreparedPages());
        const Integer page = pages ? pages->GetAnchorPage(obj->Hyperlink.substr(1)) : 1;
        obj->Hyperlink = "@" + IntToStr(page);
    }
    const Extended absLeft = view->AbsLeft(), absTop = view->AbsTop();
    obj->Left = absLeft < 0 ? 0 : absLeft;
    obj->Top = absTop < 0 ? PageOffsetY : absTop + PageOffsetY;
    obj->Width = view->Width();
    obj->Height = view->Height();

    auto* line = dynamic_cast<TvrCustomLineView*>(view);
    const bool textObject = memo && !(PatternAsPicture && memo->BrushStyle > bsClear) &&
                            !(RotatedAsPicture && memo->Rotation() != 0);
    if (textObject) {
        memo->GetWrappedText(obj->Lines, WrapLines || (StripHtmlTags && memo->AllowHTMLTags));
        if (!StripHtmlTags) obj->HtmlMarkup = memo->AllowHTMLTags;
        if (memo->Font()->Charset() == OEM_CHARSET) {
            for (Integer i = 0; i < obj->Lines.Count(); ++i) {
                const AnsiString oem = WideToAnsiByCharset(obj->Lines.Strings(i), OEM_CHARSET, 0);
                obj->Lines.SetStrings(i, AnsiToWideByCharset(OemToAnsiText(oem), DEFAULT_CHARSET, 0));
            }
        }
        obj->HoldsText = true;
    } else if (line && !line->Diagonal && (line->Width() == 0 || line->Height() == 0)) {
        if (obj->Width < 0) {
            obj->Left += obj->Width;
            obj->Width = -obj->Width;
        }
        if (obj->Height < 0) {
            obj->Top += obj->Height;
            obj->Height = -obj->Height;
        }
        if (obj->Width == 0) obj->Width = 1;
        if (obj->Height == 0) obj->Height = 1;
    } else if (TakePictures && (!background || PageBackgroundPicture)) {
        DrawPicture(view, *obj);
    }

    if ((FHeaderBand || FFooterBand) && view->Parent()) {
        obj->InHeader = view->Parent() == reinterpret_cast<TvrComponent*>(FHeaderBand);
        obj->InFooter = view->Parent() == reinterpret_cast<TvrComponent*>(FFooterBand);
    }
    const Extended l = obj->Left, t = obj->Top, w = obj->Width, h = obj->Height;
    MaxBottom = std::max(MaxBottom, t + h);
    MaxRight = std::max(MaxRight, l + w);
    if (l < LeastLeft) LeastLeft = l;
    if (t < LeastTop) LeastTop = t;
    if (l < ContentLeft || ContentLeft == 0) ContentLeft = l;
    AddEdge(FColumnEdges, l);
    AddEdge(FColumnEdges, l + w);
    AddEdge(FRowEdges, t);
    AddEdge(FRowEdges, t + h);
    FEntries.push_back(NewEntry(obj));
}

Integer TvrIEMatrix::AddPage(TPrinterOrientation orientation, bool mirrorMargins, Integer pageIndex,
                             Extended bottom, Extended right, Extended top, Extended left, Extended height,
                             Extended width) {
    PageOffsetY = MaxBottom;
    auto page = std::make_unique<TvrIEMPage>();
    page->BottomY = MaxBottom;
    page->Orientation = orientation;
    page->Width = width;
    page->Height = height;
    page->TopMargin = top;
    page->BottomMargin = bottom;
    page->Mirrored = mirrorMargins && (pageIndex + 1) % 2 == 0;
    page->LeftMargin = page->Mirrored ? right : left;
    page->RightMargin = page->Mirrored ? left : right;
    FPages.push_back(std::move(page));
    return static_cast<Integer>(FPages.size()) - 1;
}

// --- Prepare -------------------------------------------------------------------------------------

void TvrIEMatrix::Step() {
    if (FProgress) FProgress->StepProgress();
}

void TvrIEMatrix::MergeEdges(std::vector<Extended>& edges, Extended limit) {
    std::sort(edges.begin(), edges.end());
    // Of two edges closer than the tolerance the later one survives.
    std::vector<Extended> merged;
    merged.reserve(edges.size());
    for (size_t i = 0; i < edges.size(); ++i)
        if (i + 1 >= edges.size() || edges[i + 1] - edges[i] >= MergeTolerance) merged.push_back(edges[i]);
    edges.swap(merged);
    if (limit <= 0) return;
    bool added = false;
    const size_t n = edges.size();
    for (size_t i = 0; i + 1 < n; ++i) {
        const Extended a = edges[i], b = edges[i + 1];
        if (b - a <= limit) continue;
        const auto parts = static_cast<long long>(std::trunc((b - a) / limit));
        for (long long k = 1; k <= parts; ++k) {
            AddEdge(edges, a + static_cast<Extended>(k) * limit);
            added = true;
        }
    }
    if (added) std::sort(edges.begin(), edges.end());
}

namespace {

// Index of the first edge not below value and the number of edges after it up to and including
// the first edge at or beyond value + size; false when no edge lies at or beyond value.
bool FindSpan(const std::vector<Extended>& edges, Extended value, Extended size, Integer& index, Integer& span) {
    const auto it = std::lower_bound(edges.begin(), edges.end(), value);
    if (it == edges.end()) return false;
    index = static_cast<Integer>(it - edges.begin());
    span = 0;
    if (size <= 0) return true;
    const Extended end = value + size;
    for (size_t k = static_cast<size_t>(index) + 1; k < edges.size(); ++k) {
        ++span;
        if (edges[k] >= end) break;
    }
    return true;
}

} // namespace

void TvrIEMatrix::Spans() {
    for (auto& e : FEntries) {
        const TvrIEMObject& o = *e->Item;
        Integer col = 0, colSpan = 1, row = 0, rowSpan = 1;
        if (FindSpan(FColumnEdges, o.Left, o.Width, col, colSpan)) {
            e->Col = col;
            e->ColSpan = colSpan;
        }
        if (FindSpan(FRowEdges, o.Top, o.Height, row, rowSpan)) {
            e->Row = row;
            e->RowSpan = rowSpan;
        }
    }
}

void TvrIEMatrix::PaintCells() {
    FCells.assign(static_cast<size_t>(ColumnCount) * static_cast<size_t>(RowCount), -1);
    for (size_t i = 0; i < FEntries.size(); ++i) {
        TvrIEMObjectList& e = *FEntries[i];
        TvrIEMObject& o = *e.Item;
        if (o.CellStyle && o.CellStyle->Color == clTransparent) {
            const Integer under = CellAt(e.Col, e.Row);
            if (under >= 0) {
                const TvrIEMStyle* s = FEntries[static_cast<size_t>(under)]->Item->CellStyle;
                if (s && s->Color != o.CellStyle->Color && s->Color != o.CellStyle->Font()->Color()) {
                    o.StyleNo = StyleWithFill(o.StyleNo, s->Color);
                    o.CellStyle = FStyles[static_cast<size_t>(o.StyleNo)].get();
                }
            }
        }
        for (Integer r = e.Row; r < e.Row + e.RowSpan && r < RowCount; ++r)
            for (Integer c = e.Col; c < e.Col + e.ColSpan && c < ColumnCount; ++c)
                if (r >= 0 && c >= 0) Cell(c, r) = static_cast<Integer>(i);
    }
}

void TvrIEMatrix::Fragments() {
    for (Integer row = 0; row < RowCount; ++row)
        for (Integer col = 0; col < ColumnCount; ++col) {
            const Integer index = Cell(col, row);
            if (index < 0) continue;
            TvrIEMObjectList& e = *FEntries[static_cast<size_t>(index)];
            if (e.Settled) continue;
            Integer w = 0;
            while (col + w < ColumnCount && Cell(col + w, row) == index)
                ++w;
            Integer h = 1;
            for (;;) {
                if (row + h >= RowCount) break;
                Integer run = 0;
                while (col + run < ColumnCount && Cell(col + run, row + h) == index)
                    ++run;
                if (run < w) break;
                ++h;
            }
            if (col == e.Col && row == e.Row && w == e.ColSpan && h == e.RowSpan) {
                e.Settled = true;
                continue;
            }
            // Partly covered: a fragment takes this rectangle.
            TvrIEMObject& origin = *e.Item;
            TvrIEMObject* frag = FPools->Objects.New();
            frag->StyleNo = origin.StyleNo;
            frag->CellStyle = origin.CellStyle;
            frag->HoldsText = origin.HoldsText;
            frag->HtmlMarkup = origin.HtmlMarkup;
            frag->Left = FColumnEdges[static_cast<size_t>(col)];
            frag->Width = FColumnEdges[static_cast<size_t>(std::min(col + w, ColumnCount - 1))] - frag->Left;
            frag->Top = FRowEdges[static_cast<size_t>(row)];
            frag->Height = FRowEdges[static_cast<size_t>(std::min(row + h, RowCount - 1))] - frag->Top;
            if (origin.Top + origin.Height - frag->Top > origin.Height / 3 &&
                origin.Left + origin.Width - frag->Left > origin.Width / 3) {
                frag->Bitmap = std::move(origin.Bitmap);
                frag->Lines.Assign(origin.Lines);
                frag->HoldsText = origin.HoldsText;
                origin.Lines.Clear();
                origin.HoldsText = true;
            }
            if (origin.CellStyle) {
                TvrFrameTypes sides;
                const TvrFrameTypes& typ = origin.CellStyle->Frame.Typ;
                if (typ.Contains(ftLeft) && frag->Left == origin.Left) sides.Include(ftLeft);
                if (typ.Contains(ftTop) && frag->Top == origin.Top) sides.Include(ftTop);
                if (typ.Contains(ftRight) && frag->Left + frag->Width == origin.Left + origin.Width)
                    sides.Include(ftRight);
                if (typ.Contains(ftBottom) && frag->Top + frag->Height == origin.Top + origin.Height)
                    sides.Include(ftBottom);
                if (sides != typ) {
                    frag->StyleNo = StyleWithSides(origin.StyleNo, sides);
                    frag->CellStyle = FStyles[static_cast<size_t>(frag->StyleNo)].get();
                }
            }
            TvrIEMObjectList* entry = NewEntry(frag);
            entry->Col = col;
            entry->Row = row;
            entry->ColSpan = w;
            entry->RowSpan = h;
            entry->Settled = true;
            const auto fragIndex = static_cast<Integer>(FEntries.size());
            FEntries.push_back(entry);
            for (Integer r = row; r < row + h; ++r)
                for (Integer c = col; c < col + w; ++c)
                    Cell(c, r) = fragIndex;
        }
}

void TvrIEMatrix::MergeFrameLines() {
    for (Integer row = 0; row < RowCount; ++row)
        for (Integer col = 0; col < ColumnCount; ++col) {
            const Integer index = Cell(col, row);
            if (index < 0) continue;
            TvrIEMObject& o = *FEntries[static_cast<size_t>(index)]->Item;
            if (!o.CellStyle) continue;
            TvrFrameTypes sides = o.CellStyle->Frame.Typ;
            const auto sameLine = [&](Integer other, TvrFrameType side) {
                if (other < 0 || other == index) return false;
                const TvrIEMStyle* s = FEntries[static_cast<size_t>(other)]->Item->CellStyle;
                return s && s->Frame.Typ.Contains(side) && s->Frame.Width == o.CellStyle->Frame.Width &&
                       s->Frame.Color == o.CellStyle->Frame.Color;
            };
            if (sides.Contains(ftTop) && row > 0 && sameLine(Cell(col, row - 1), ftBottom)) sides.Exclude(ftTop);
            if (sides.Contains(ftLeft) && col > 0 && sameLine(Cell(col - 1, row), ftRight)) sides.Exclude(ftLeft);
            if (sides != o.CellStyle->Frame.Typ) {
                o.StyleNo = StyleWithSides(o.StyleNo, sides);
                o.CellStyle = FStyles[static_cast<size_t>(o.StyleNo)].get();
            }
        }
}

void TvrIEMatrix::RemoveEmptyRows() {
    Integer i = 0;
    while (i < RowCount - 1) {
        bool covered = false;
        for (Integer c = 0; c < ColumnCount && !covered; ++c)
            covered = Cell(c, i) >= 0;
        if (covered) {
            ++i;
            continue;
        }
        const Extended height = FRowEdges[static_cast<size_t>(i) + 1] - FRowEdges[static_cast<size_t>(i)];
        for (size_t k = static_cast<size_t>(i) + 1; k < FRowEdges.size(); ++k)
            FRowEdges[k] -= height;
        // A page ends where its last row ends: the pages below move up with their rows.
        const Extended removedAt = FRowEdges[static_cast<size_t>(i)];
        for (auto& page : FPages)
            if (page->BottomY > removedAt) page->BottomY = std::max(removedAt, page->BottomY - height);
        FRowEdges.erase(FRowEdges.begin() + i);
        FCells.erase(FCells.begin() + static_cast<std::ptrdiff_t>(i) * ColumnCount,
                     FCells.begin() + static_cast<std::ptrdiff_t>(i + 1) * ColumnCount);
        --RowCount;
    }
}

void TvrIEMatrix::Prepare() {
    std::unique_ptr<TvrProgress> progress;
    if (ProgressWindow) {
        progress = std::make_unique<TvrProgress>(nullptr);
        progress->StartProgress(11, GetResources().GetString("ProgressWait"), true, false);
        FProgress = progress.get();
    }
    const TScopeExit forget([&] { FProgress = nullptr; });
    if (Backdrop) {
        auto style = std::make_unique<TvrIEMStyle>();
        style->Color = clWhite;
        TvrIEMObject* obj = FPools->Objects.New();
        obj->StyleNo = AddStyle(std::move(style));
        obj->CellStyle = FStyles[static_cast<size_t>(obj->StyleNo)].get();
        obj->Left = BackdropCropped ? LeastLeft : 0;
        obj->Top = BackdropCropped ? LeastTop : 0;
        obj->Width = MaxRight;
        obj->Height = MaxBottom;
        AddEdge(FColumnEdges, 0);
        AddEdge(FRowEdges, 0);
        AddEdge(FColumnEdges, obj->Left + obj->Width);
        AddEdge(FRowEdges, obj->Top + obj->Height);
        FEntries.insert(FEntries.begin(), NewEntry(obj));
    }
    Step();
    MergeEdges(FColumnEdges, MaxColumnWidth);
    Step();
    MergeEdges(FRowEdges, MaxRowHeight);
    Step();
    Spans();
    Step();
    ColumnCount = static_cast<Integer>(FColumnEdges.size());
    RowCount = static_cast<Integer>(FRowEdges.size());
    PaintCells();
    Step();
    Fragments();
    Step();
    if (MergeFrames) MergeFrameLines();
    Step();
    progress.reset();
    if (!KeepEmptyRows) RemoveEmptyRows();
}

// --- reading -------------------------------------------------------------------------------------

Integer TvrIEMatrix::CellAt(Integer col, Integer row) const {
    if (col < 0 || row < 0 || col >= ColumnCount || row >= RowCount) return -1;
    const size_t i = static_cast<size_t>(col + row * ColumnCount);
    return i < FCells.size() ? FCells[i] : -1;
}

TvrIEMObject* TvrIEMatrix::ObjectAt(Integer col, Integer row) const {
    return ObjectByIndex(CellAt(col, row));
}

TvrIEMObject* TvrIEMatrix::ObjectByIndex(Integer index) const {
    if (index < 0 || index >= ObjectCount()) return nullptr;
    return FEntries[static_cast<size_t>(index)]->Item;
}

void TvrIEMatrix::ObjectPlacement(Integer index, Integer& col, Integer& row, Integer& colSpan,
                                  Integer& rowSpan) const {
    if (index < 0 || index >= ObjectCount()) {
        col = row = 0;
        colSpan = rowSpan = 0;
        return;
    }
    const TvrIEMObjectList& e = *FEntries[static_cast<size_t>(index)];
    col = e.Col;
    row = e.Row;
    colSpan = e.ColSpan;
    rowSpan = e.RowSpan;
}

TvrIEMStyle* TvrIEMatrix::StyleByIndex(Integer index) const {
    if (index < 0 || index >= StyleCount()) return nullptr;
    return FStyles[static_cast<size_t>(index)].get();
}

Extended TvrIEMatrix::ColumnPos(Integer index) const {
    if (index < 0 || static_cast<size_t>(index) >= FColumnEdges.size()) return 0;
    return FColumnEdges[static_cast<size_t>(index)];
}

Extended TvrIEMatrix::RowPos(Integer index) const {
    if (index < 0 || static_cast<size_t>(index) >= FRowEdges.size()) return 0;
    return FRowEdges[static_cast<size_t>(index)];
}

TvrIEMPage* TvrIEMatrix::PageByIndex(Integer index) const {
    if (index < 0 || index >= PageCount()) return nullptr;
    return FPages[static_cast<size_t>(index)].get();
}

Extended TvrIEMatrix::PageBottom(Integer index) const {
    const TvrIEMPage* p = PageByIndex(index);
    return p ? p->BottomY : 0;
}
Extended TvrIEMatrix::PageWidth(Integer index) const {
    const TvrIEMPage* p = PageByIndex(index);
    return p ? p->Width : 0;
}
Extended TvrIEMatrix::PageHeight(Integer index) const {
    const TvrIEMPage* p = PageByIndex(index);
    return p ? p->Height : 0;
}
Extended TvrIEMatrix::PageLeftMargin(Integer index) const {
    const TvrIEMPage* p = PageByIndex(index);
    return p ? p->LeftMargin : 0;
}
Extended TvrIEMatrix::PageTopMargin(Integer index) const {
    const TvrIEMPage* p = PageByIndex(index);
    return p ? p->TopMargin : 0;
}
Extended TvrIEMatrix::PageRightMargin(Integer index) const {
    const TvrIEMPage* p = PageByIndex(index);
    return p ? p->RightMargin : 0;
}
Extended TvrIEMatrix::PageBottomMargin(Integer index) const {
    const TvrIEMPage* p = PageByIndex(index);
    return p ? p->BottomMargin : 0;
}
TPrinterOrientation TvrIEMatrix::PageOrientation(Integer index) const {
    const TvrIEMPage* p = PageByIndex(index);
    return p ? p->Orientation : poPortrait;
}

std::unique_ptr<TvrIEMatrix> vrNewTextMatrix(Extended mergeTolerance, bool plainText) {
    auto m = std::make_unique<TvrIEMatrix>();
    m->PageBackground = false;
    m->PageBackgroundPicture = false;
    m->Backdrop = false;
    m->BackdropCropped = true;
    m->MergeTolerance = mergeTolerance;
    m->StripHtmlTags = plainText;
    m->TakePictures = false;
    m->WrapLines = plainText;
    m->ProgressWindow = false;
    m->MergeFrames = true;
    return m;
}
