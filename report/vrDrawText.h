// TvrDrawText: the text layout object every text object of a report is measured, wrapped, split
// and drawn through. Layout is done at 600 dots per inch on a private measuring canvas; when
// drawing, each character's device advance is corrected so that every line keeps the width the
// layout gave it, so lines break at the same places on screen, printer and PDF.
//
// One object serves many texts in turn: the caller applies all settings before each use, and
// brackets the whole use with LockLayout/UnlockLayout (one process-wide lock, TextLayoutLock).
#pragma once

#include "report/vrHTMLTags.h"
#include "report/vrUnicodeUtils.h"

#include <memory>
#include <mutex>
#include <vector>

class TBitmap;

enum TvrHAlign { haLeft, haRight, haCenter, haBlock };
enum TvrVAlign { vaTop, vaBottom, vaCenter };

// The lock every use of any layout object holds (re-entrant).
std::recursive_mutex& TextLayoutLock();

class TvrDrawText : public TObject {
public:
    TvrDrawText();
    ~TvrDrawText() override;
    String ClassName() const override { return "TvrDrawText"; }

    void LockLayout();
    void UnlockLayout();

    // FontSizePt := the font's size; the measuring font takes its name, a height of
    // -Round(size * 600 / 72), style, character set and colour.
    void ApplyFont(const TFont& font);
    void ApplyOptions(bool wordWrap, bool tagsAllowed, bool rtlReading, bool wordBreak, bool clipped,
                      bool wysiwyg, Integer rotation);
    void ApplySpacing(Extended paragraphGap, Extended charSpacing, Extended lineSpacing);
    void ApplyRects(const TRect& layoutBox, const TRect& deviceBox, Extended horzScale, Extended vertScale,
                    Extended printZoom);
    // Builds SourceText, WrappedLines and the tag list from the paragraphs.
    void LayoutText(const TWideStrings& source);
    // A part that continues a paragraph has no first-line indent; a part whose last paragraph
    // goes on in the next part justifies its last line like an inner one.
    void ApplyPartBreaks(bool firstParaBreak, bool lastParaBreak);
    void DrawLayout(TCanvas& canvas, TvrHAlign hAlign, TvrVAlign vAlign);

    Extended LayoutWidth();
    Extended LayoutHeight() const;
    Extended LineHeight() const;
    Extended RemainingSpace() const;
    // Keeps the lines that fit LayoutBox and returns the rest, prefixed with the markup that
    // carries its format; insideParagraph tells that the cut lies inside a paragraph.
    WideString SplitLayout(bool& insideParagraph);
    WideString FittedText() const { return SourceText; }
    WideString WrappedText() const { return WrappedLines.Text(); }
    WideString StripTags(const WideString& text);
    static bool IsPrinterCanvas(TCanvas& canvas);

    // The measuring canvas and the measurer it is read through (tests give a fixed-advance one).
    TCanvas& MeasureCanvas() const;
    void SetMeasurer(TvrTextMeasurer* measurer) { FTags.SetMeasurer(measurer); }
    TvrHTMLTagsList& Tags() { return FTags; }

    static constexpr Integer LayoutDpi = 600;
    static constexpr Integer ScreenDpi = 96;

    std::vector<int> Advances;
    Integer FontSizePt = 10;
    Extended CharSpacing = 0;
    Extended LineSpacing = 0;
    Cardinal TextOutFlags = 0;
    TRect LayoutBox;
    Extended ParagraphGap = 0;
    WideString SourceText;
    Extended PrintZoom = 1;
    Integer Rotation = 0;
    bool RTLReading = false;
    TRect DeviceBox;
    Extended HorzScale = 1;
    Extended VertScale = 1;
    TWideStrings WrappedLines;
    bool WordBreak = false;
    bool WordWrap = false;
    bool Wysiwyg = true;
    bool UseDefaultCharset = false;
    // The code page the syllable rule reads letters in: the program's (936) unless set.
    Integer HyphenCodePage;

private:
    void WrapParagraph(WideString paragraph, Integer fullWidth, Integer firstWidth, Integer spacing);
    void AddWrappedLine(const WideString& text);
    struct TBlock;
    // Start point, line width and direction of the block of text height H in DeviceBox.
    TBlock PlaceBlock(Integer textHeight, TvrVAlign vAlign);
    void DrawLayoutLine(TCanvas& canvas, Integer k, TvrHAlign align, Integer x, Integer y, Integer w);
    // Height of a record's size on the output canvas.
    Integer DeviceFontHeight(TCanvas& canvas, Integer sizePt, bool horizontal);

    std::unique_ptr<TBitmap> FMeasureBitmap;
    TvrHTMLTagsList FTags;
};

// The process-wide layout object of text objects that belong to no report.
TvrDrawText& SharedLayout();

// Adds count increments of unit to the entries first..last, spread evenly (over 0..9, three go to
// 1, 5 and 7).
void SpreadIncrements(std::vector<int>& values, Integer first, Integer last, Integer count, Integer unit);

// The syllable rule: the positions after which a word may be hyphenated, ascending. A letter
// belongs to a class when its form in codePage is one of the class's Windows-1251 bytes, so the
// rule finds breaks where that code page is 1251 and none under the program's 936. Words shorter
// than 4 or of 128 characters and more have none.
std::vector<Integer> SyllableBreaks(const WideString& word, Integer codePage);
// The part of the word starting at 1-based start that fits room = i - start characters, cut at
// its last syllable break; empty when none fits.
WideString HyphenPrefix(const WideString& text, Integer start, Integer i, Integer length, Integer codePage);
