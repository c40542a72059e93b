// The markup of text objects (bold, italic, underline, strike-out, sub- and superscript, no-break
// runs, font colours): TvrHTMLTagsList removes it from a paragraph and keeps one format record
// (TvrHTMLTag) per remaining character, grouped per wrapped line (TvrHTMLTags), and measures a
// line of characters with their formats. The text layout object (vrDrawText) drives it; exports
// use it alone to read the format of marked-up text.
#pragma once

#include "gui/Graphics.h"
#include "rtl/Object.h"
#include "rtl/SysUtils.h"

#include <memory>
#include <vector>

class TCanvas;

// The format of one character of a wrapped line.
class TvrHTMLTag : public TObject {
public:
    String ClassName() const override { return "TvrHTMLTag"; }
    // Copies every field but NoBreak.
    void AssignFormat(const TvrHTMLTag& other);

    // 1-based position of the character in the text as given to the layout (markup and the
    // CR LF after each paragraph counted).
    Integer SourcePos = 0;
    Integer SizePt = 0;
    // 1: drawn lower by SizePt times the vertical scale (subscript).
    Integer Lowered = 0;
    TFontStyles StyleSet;
    TColor TagColor = clBlack;
    // The format equals the previous character's; drawing and width measuring set it once they
    // have applied the format.
    bool SameFormat = false;
    // SizePt differs from the layout's default size.
    bool Reduced = false;
    // A space with this flag is no break opportunity.
    bool NoBreak = false;
};

// The records of one wrapped line, owned. A line split off the end of another takes over its
// record vector from the split point on (FFirst), so splitting a long paragraph line after line
// costs the length of each line, not of the rest of the paragraph.
class TvrHTMLTags : public TObject {
public:
    String ClassName() const override { return "TvrHTMLTags"; }
    Integer ItemCount() const { return static_cast<Integer>(FItems.size() - FFirst); }
    TvrHTMLTag* GetItem(Integer index) const { return FItems[FFirst + static_cast<size_t>(index)].get(); }
    void Add(std::unique_ptr<TvrHTMLTag> tag) { FItems.push_back(std::move(tag)); }
    void Clear() {
        FItems.clear();
        FFirst = 0;
    }

private:
    friend class TvrHTMLTagsList;
    std::vector<std::unique_ptr<TvrHTMLTag>> FItems;
    size_t FFirst = 0;
};

// Running text extents of a text in a canvas's current font: extents[k] is the width of the
// units 0..k. The product measures with the canvas itself (TCanvas::TextExtentEx); tests put a
// measurer of fixed advances in its place so that breaks come out exactly.
class TvrTextMeasurer {
public:
    virtual ~TvrTextMeasurer() = default;
    virtual void RunningExtents(TCanvas& canvas, const WideString& text, std::vector<int>& extents) = 0;
};

class TvrCanvasMeasurer : public TvrTextMeasurer {
public:
    void RunningExtents(TCanvas& canvas, const WideString& text, std::vector<int>& extents) override;
};

// The process-wide canvas measurer, the default of every tag list.
TvrTextMeasurer& DefaultTextMeasurer();

// The units a line is measured and drawn in. On the UTF-16 path they are the line's own code
// units; on the byte path the line goes through the code page of the font's character set and the
// units are the characters as that code page gives them back (a character the code page lacks
// becomes "?", a double-byte character is one unit). Record[k] is the index of unit k's format
// record in the line.
struct TvrTextUnits {
    WideString Text;
    std::vector<Integer> Record;
    Integer Count() const { return static_cast<Integer>(Text.size()); }
};
// The byte path is taken when the font's character set is not DEFAULT_CHARSET and the caller does
// not ask for the default character set.
TvrTextUnits MakeTextUnits(const WideString& line, TFontCharset charset, bool useDefaultCharset);

class TvrHTMLTagsList : public TObject {
public:
    TvrHTMLTagsList();
    ~TvrHTMLTagsList() override;
    String ClassName() const override { return "TvrHTMLTagsList"; }

    Integer ItemCount() const { return static_cast<Integer>(FLines.size()); }
    TvrHTMLTags* GetItem(Integer index) const { return FLines[static_cast<size_t>(index)].get(); }
    void Clear() { FLines.clear(); }

    // Starts a new empty tag line when at least one exists (the first line comes with the first
    // record).
    void NewLine();
    // Default and current format := these (not lowered, no-break off); NextPos := 1; no lines.
    void SetDefaults(TColor color, Integer sizePt, TFontStyles style);
    // Removes the markup from text and appends one record per remaining character to the last
    // tag line; a text left empty becomes " " with one record.
    void ExpandTags(WideString& text);
    // Appends one record with the current format.
    void AppendTag();
    // The record before the newest one (in the last line, else the last of the line before).
    TvrHTMLTag* PreviousTag() const;
    // Moves the records of the last line from index count on to a new line; with a hyphen the old
    // line gets a copy of its last kept record, without one a continuing record takes the format
    // (and SourcePos) of the old line's last record.
    void SplitLastLine(Integer count, bool hyphen);
    // Per-unit advances of line lineIndex's text on the canvas into advances (grown as needed),
    // each with spacing added and reduced characters divided by 1.5; with running set the
    // advances become running sums. Returns the total of the advances.
    Integer MeasureChars(std::vector<int>& advances, const WideString& text, TCanvas& canvas,
                         Integer lineIndex, Integer spacing, bool running, bool useDefaultCharset);

    bool TagsAllowed = true;
    Integer NextPos = 1;
    TColor DefaultColor = clBlack;
    Integer DefaultSize = 10;
    TFontStyles DefaultStyle;

    // The measurer MeasureChars uses (not owned; DefaultTextMeasurer unless set).
    TvrTextMeasurer* Measurer() const { return FMeasurer; }
    void SetMeasurer(TvrTextMeasurer* measurer) { FMeasurer = measurer ? measurer : &DefaultTextMeasurer(); }

private:
    // One recognised tag at 0-based index i: applies it and returns its length, or 0.
    Integer TakeTag(const WideString& text, size_t i);
    Integer TakeColorTag(const WideString& text, size_t i);
    // Running extents of text from unit from on, added to the extent before it.
    void MeasureFrom(TCanvas& canvas, const WideString& text, size_t from);

    std::vector<std::unique_ptr<TvrHTMLTags>> FLines;
    Integer FLowered = 0;
    TColor FColor = clBlack;
    Integer FSize = 10;
    TFontStyles FStyle;
    bool FNoBreak = false;
    std::vector<int> FExtents;
    std::vector<int> FPiece;
    TvrTextMeasurer* FMeasurer;
};
