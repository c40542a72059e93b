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
    const auto& last = FLines.back()->FItems;
    if (last.size() >= 2) return last[last.size() - 2].get();
    if (FLines.size() < 2) return nullptr;
    const auto& before = FLines[FLines.size() - 2]->FItems;
    return before.empty() ? nullptr : before.back().get();
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
    FLines.back()->Add(std::move(tag));
    const TvrHTMLTag& t = *FLines.back()->FItems.back();
    TvrHTMLTag* previous = PreviousTag();
    FLines.back()->FItems.back()->SameFormat =
        !TagsAllowed ||
        (previous ? previous->StyleSet == t.StyleSet && previous->TagColor == t.TagColor &&
                        previous->SizePt == t.SizePt && previous->Lowered == t.Lowered &&
                        previous->NoBreak == t.NoBreak
                  : t.StyleSet == DefaultStyle && t.TagColor == DefaultColor && t.SizePt == DefaultSize);
}

void TvrHTMLTagsList::SplitLastLine(Integer count, bool hyphen) {
    if (FLines.empty() || count < 0) return;
    auto& old = FLines.back()->FItems;
    if (static_cast<Integer>(old.size()) <= count) return;
    auto line = std::make_unique<TvrHTMLTags>();
    for (size_t k = static_cast<size_t>(count); k < old.size(); ++k)
        line->FItems.push_back(std::move(old[k]));
    old.resize(static_cast<size_t>(count));
    if (hyphen && count > 0) {
        auto copy = std::make_unique<TvrHTMLTag>();
        copy->AssignFormat(*old.back());
        old.push_back(std::move(copy));
    } else if (!hyphen && count > 0 && line->FItems.front()->SameFormat) {
        line->FItems.front()->AssignFormat(*old.back());
    }
    FLines.push_back(std::move(line));
}
