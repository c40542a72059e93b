// Small helpers shared by the report library: geometry records, texts, numbers, streams as hex
// and checksums, temporary files, page lists and bracket-aware expression scanning.
#pragma once

#include "rtl/FileUtils.h"
#include "rtl/Streams.h"
#include "rtl/StringList.h"
#include "rtl/SysUtils.h"

#include <functional>
#include <memory>

struct TvrFloatRect {
    Extended Left = 0, Top = 0, Right = 0, Bottom = 0;
};
struct TvrFloatPoint {
    Extended X = 0, Y = 0;
};
TvrFloatRect MakeFloatRect(Extended left, Extended top, Extended right, Extended bottom);
TvrFloatPoint MakeFloatPoint(Extended x, Extended y);

// A rectangle in report units: X left, Y top, X1 right, Y1 bottom.
class TvrRectArea : public TObject {
public:
    TvrRectArea(Extended x, Extended y, Extended x1, Extended y1) : X(x), Y(y), X1(x1), Y1(y1) {}
    String ClassName() const override { return "TvrRectArea"; }
    Extended X, Y, X1, Y1;

    // Overlaps by more than 0.0001 in that direction.
    bool OverlapsHorizontally(const TvrRectArea& a) const;
    bool OverlapsVertically(const TvrRectArea& a) const;
    // The horizontal overlap (Y = Y1 = 0), or none.
    std::unique_ptr<TvrRectArea> HorizontalIntersection(const TvrRectArea& a) const;
};

// --- Components and names -------------------------------------------------------------------

class TComponent;

// Finds a component by a name as the report library stores references: a plain name among the
// owner's components (for a report, then among its owner's), or "Form.Name" / "Form.Frame.Name"
// through the platform's global lookup of forms and data modules. Nothing found gives nullptr;
// any error during the lookup becomes EClassNotFound "Missing " + name.
TComponent* FindComponentByPath(TComponent* owner, const String& name);
// The text FindComponentByPath resolves back to component when used from context.
String ComponentPathName(TComponent* context, TComponent* component);

// --- Texts ----------------------------------------------------------------------------------

// Field := the characters from the 1-based position up to the next separator or the end; the
// position moves past the separator when there is one.
void TakeNextField(const String& text, Integer& position, String& field, char separator);
// Empties list and adds each field: "a,,b" gives a, an empty field and b; "a," gives only a.
void SplitTextToList(const String& text, TStrings& list, char separator);
String ReplaceCharacter(const String& text, char from, char to);
String SlashesToBackslashes(const String& text);

// The whole stream as two upper-case hexadecimal digits per byte.
String StreamToHex(TMemoryStream& stream);
// Decodes pairs of hexadecimal digits and writes them into the stream from position 0; decoding
// stops at the first pair that is not two hexadecimal digits, and an odd last digit is dropped.
void HexToStream(const String& text, TStream& stream);
// CRC-32 (as zlib and PNG compute it) of the stream's bytes from its start to its end; the
// stream's position is restored.
Cardinal StreamChecksum(TStream& stream);

// Finds the bracketed text that starts with open at the 1-based startPos: nested pairs balance,
// brackets inside single- or double-quoted strings are ignored, multi-byte characters are
// stepped over whole. inner receives the text between the brackets; endPos the position of the
// last character of the closing bracket (the last character of the text when it has none).
// When open does not start at startPos, inner is empty and endPos = startPos.
void ExtractBracketedText(const String& text, const String& open, const String& close, String& inner,
                          Integer& endPos, Integer& startPos);
void ExtractBracketedTextW(const WideString& text, const WideString& open, const WideString& close,
                           WideString& inner, Integer& endPos, Integer& startPos);

// --- Numbers --------------------------------------------------------------------------------

// "," and "." both count as the decimal separator and blanks are ignored ("1,5", "1.5" and
// "1 5" give 1.5); raises EConvertError for text that is still no number.
Extended StrToFloatLoose(const String& text);
bool IsFloatText(const String& text);
// Two decimals when the value has a fraction ("2.50"), else the plain form ("2").
String FloatToDisplayStr(Extended value);
// Exactly decimals decimals with the given separator and no thousands separator.
String FormatFloatFixed(int decimals, char decimalSeparator, Extended value);
// "#rrggbb" of an RGB colour value (red in the low byte).
String ColorToHTMLColor(Integer color);

// --- Page lists -----------------------------------------------------------------------------

// Fills list with the page numbers of a text such as "1,3,5-7" (blanks ignored, "5-" runs to the
// last page), in the order written, duplicates kept. A range ends at pageCount at the latest, so
// "1-2000000000" of a 10-page report gives 1 to 10. A piece that is no number raises
// EConvertError.
void ParsePageList(const String& text, TStrings& list, Integer pageCount);

// --- Files and folders ----------------------------------------------------------------------

// The system's temporary folder is the runtime's GetTempDir.
// A new, empty file with the prefix "fr" and the extension ".tmp" in the system's temporary
// folder, or in folder; returns its full name.
String GetTempFile();
String GetTempFileInFolder(const String& folder);
// The program's file and its folder (with a trailing separator; the runtime's ProgramFolder).
String GetProgramFileName();
String GetModulePath();

// Writes a file through write into a new temporary file in the same folder and renames it over
// fileName when everything is written. On any failure the temporary file is removed, the old
// file stays as it was, and the error passes on.
void WriteFileReplacing(const String& fileName, const std::function<void(TStream&)>& write);
