// TRichTextHolder: the text behind a rich text line list. It keeps the text as lines separated
// by CR LF and, when it was loaded from a rich text document that has not been changed since, that
// document, so saving gives back the formatting it came with. Loading accepts rich text (read as
// its plain text: paragraphs, line breaks, tabs, escaped and Unicode characters) and, when the
// bytes are not rich text, plain text in UTF-8 or code page 936.
#pragma once

#include "rtl/SysUtils.h"

#include <string>

class TCanvas;
struct TRect;

class TRichTextHolder {
public:
    // The text, lines separated by CR LF.
    const String& Text() const { return FText; }
    // Replaces the text; every line break (CR, LF, CR LF) becomes CR LF.
    void SetText(const String& text);
    int TextLength() const { return static_cast<int>(FText.size()); }
    // Replaces the characters [start, start + length) with text (a plain edit of the text).
    void Replace(int start, int length, const String& text);

    // Rich text in, false when the bytes are not a rich text document.
    bool LoadRichText(const std::string& bytes);
    // Plain text in (UTF-8, or code page 936 when the bytes are not UTF-8).
    void LoadPlainText(const std::string& bytes);
    // The text as a rich text document (the document it was loaded from when unchanged).
    std::string SaveRichText() const;

    // Lays the text out from character first in r (word-wrapped lines in the canvas font) and
    // draws the lines that fit unless measureOnly. Returns the character after the last line
    // that fitted (the text length when all did) and sets usedHeight to the height taken. At
    // least one line is taken when r has any height, so the text always makes progress.
    int FormatRange(TCanvas& canvas, const TRect& r, int first, bool measureOnly, int& usedHeight) const;

    // Line breaks to CR LF.
    static String NormalizeBreaks(const String& text);

private:
    String FText;
    std::string FRichText; // the loaded document while the text is unchanged
};
