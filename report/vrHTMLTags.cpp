// Format records and tag lines: appending a record with the current format, finding the one
// before, and carrying the records of a line over a line break.
#include "report/vrHTMLTags.h"

void TvrHTMLTag::AssignFormat(const TvrHTMLTag& other) {
    SourcePos = other.SourcePos;
    SizePt = other.SizePt;
    Lowered = other.Lowered;
    StyleSet = other.StyleSet;
    TagColor = other.TagColor;
    SameFormat = other.SameFormat;
    Reduced = other.Reduced;
}

TvrHTMLTagsList::TvrHTMLTagsList() : FMeasurer(&DefaultTextMeasurer()) {}

TvrHTMLTagsList::~TvrHTMLTagsList() = default;

void TvrHTMLTagsList::NewLine() {
    if (!FLines.empty()) FLines.push_back(std::make_unique<TvrHTMLTags>());
}

void TvrHTMLTagsList::SetDefaults(TColor color, Integer sizePt, TFontStyles style) {
    DefaultColor = FColor = color;
    DefaultSize = FSize = sizePt;
    DefaultStyle = FStyle = style;
    FLowered = 0;
    FNoBreak = false;
    NextPos = 1;
    FLines.clear();
}

TvrHTMLTag* TvrHTMLTagsList::PreviousTag() const {
    if (FLines.empty()) return nullptr;
    const TvrHTMLTags& last = *FLines.back();
    if (last.ItemCount() >= 2) return last.GetItem(last.ItemCount() - 2);
    if (FLines.size() < 2) return nullptr;
    const TvrHTMLTags& before = *FLines[FLines.size() - 2];
    return before.ItemCount() == 0 ? nullptr : before.GetItem(before.ItemCount() - 1);
}

void TvrHTMLTagsList::AppendTag() {
    if (FLines.empty()) FLines.push_back(std::make_unique<TvrHTMLTags>());
    auto tag = std::make_unique<TvrHTMLTag>();
    tag->SourcePos = NextPos;
    tag->SizePt = FSize;
    tag->StyleSet = FStyle;
    tag->TagColor = FColor;
    tag->Lowered = FLowered;
    tag->NoBreak = FNoBreak;
    tag->Reduced = FSize != DefaultSize;
    TvrHTMLTag& t = *tag;
    FLines.back()->Add(std::move(tag));
    const TvrHTMLTag* previous = PreviousTag();
    t.SameFormat =
        !TagsAllowed ||
        (previous ? previous->StyleSet == t.StyleSet && previous->TagColor == t.TagColor &&
                        previous->SizePt == t.SizePt && previous->Lowered == t.Lowered &&
                        previous->NoBreak == t.NoBreak
                  : t.StyleSet == DefaultStyle && t.TagColor == DefaultColor && t.SizePt == DefaultSize);
}

void TvrHTMLTagsList::SplitLastLine(Integer count, bool hyphen) {
    if (FLines.empty() || count < 0) return;
    TvrHTMLTags& old = *FLines.back();
    if (old.ItemCount() <= count) return;
    // The new line takes the vector from the split point on; the old line keeps its first count.
    auto line = std::make_unique<TvrHTMLTags>();
    const size_t split = old.FFirst + static_cast<size_t>(count);
    std::vector<std::unique_ptr<TvrHTMLTag>> kept;
    kept.reserve(static_cast<size_t>(count) + 1);
    for (size_t k = old.FFirst; k < split; ++k)
        kept.push_back(std::move(old.FItems[k]));
    line->FItems = std::move(old.FItems);
    line->FFirst = split;
    old.FItems = std::move(kept);
    old.FFirst = 0;
    if (hyphen && count > 0) {
        auto copy = std::make_unique<TvrHTMLTag>();
        copy->AssignFormat(*old.FItems.back());
        old.FItems.push_back(std::move(copy));
    } else if (!hyphen && count > 0 && line->GetItem(0)->SameFormat) {
        line->GetItem(0)->AssignFormat(*old.FItems.back());
    }
    FLines.push_back(std::move(line));
}
