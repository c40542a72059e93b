// Small helpers shared by the report library: geometry records, texts, numbers, streams as hex
// and checksums, the library's message boxes and error policy, temporary files, page lists,
// bracket-aware expression scanning, picture drawing, image strips and collection streaming.
#pragma once

#include "classes/Meta.h"
#include "gui/Colors.h"
#include "gui/Geometry.h"
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
// Decodes pairs of hexadecimal digits and writes them into the stream from position 0; a pair that
// is not two hexadecimal digits raises EConvertError (nothing is written), and an odd last digit is
// dropped.
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
// "#RRGGBB" of a colour (red in the low byte of an RGB value; system colours resolved first).
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

// A file written under a temporary name in the target's folder and renamed over the target by
// Commit, so a failed or cancelled write never leaves a half-written file over an old one (the old
// file's permissions are kept). Destroyed uncommitted, it removes the temporary file.
class TvrReplacingFile {
public:
    // Creates the temporary file; raises EFCreateError naming fileName when the folder refuses it.
    explicit TvrReplacingFile(const String& fileName);
    ~TvrReplacingFile();
    TvrReplacingFile(const TvrReplacingFile&) = delete;
    TvrReplacingFile& operator=(const TvrReplacingFile&) = delete;

    TStream& Stream() { return *FStream; }
    const String& FileName() const { return FFileName; }
    // Writes out, closes and renames the file over the target; raises on failure (the target
    // then stays as it was).
    void Commit();

private:
    String FFileName, FTempName;
    std::unique_ptr<TFileStream> FStream;
    bool FCommitted = false;
};

// Writes a file through write into a TvrReplacingFile and commits it when everything is written.
// On any failure the temporary file is removed, the old file stays as it was, and the error
// passes on.
void WriteFileReplacing(const String& fileName, const std::function<void(TStream&)>& write);

// --- Messages and errors --------------------------------------------------------------------

// The library's three message boxes, through the application's message box (and so through the
// Interaction service): captioned with the resource texts "mbError", "mbConfirm" and "mbInfo".
// ShowErrorMessage: error icon and OK.
void ShowErrorMessage(const String& text);
// The question icon added to the MB_* button flags; returns the ID* of the button pressed.
int ShowConfirmMessage(const String& text, Cardinal buttons);
// Information icon and OK.
void ShowInfoMessage(const String& text);

// How the report library reports its errors (the report's engine option NewSilentMode).
enum TvrSilentMode { simMessageBoxes, simSilent, simReThrow };
ORV_ENUM(TvrSilentMode, simMessageBoxes, simSilent, simReThrow)

// The one place where the silent mode decides: simMessageBoxes shows the text with
// ShowErrorMessage, simReThrow raises an Exception with it, simSilent drops it.
void ReportLibraryError(TvrSilentMode mode, const String& text);

// --- Pictures and images --------------------------------------------------------------------

class TBitmap;
class TCanvas;
class TGraphic;
class TImageList;

// Draws a picture object's graphic into rect. The brush becomes white. A graphic that is not a
// metafile is first drawn at its own size into a temporary bitmap (32 bits per pixel when
// printing, 24 otherwise) when printing, in high quality, or when it is transparent and no
// bitmap; that bitmap then goes into rect with BlitTransparent when transparent is set, else
// with StretchBitmapAsDIB when printing, else with StretchBitmapHalftone. Other graphics take
// transparent as their transparency and are drawn with BlitTransparent when they are a
// transparent bitmap, else stretched into rect by the canvas.
void DrawPictureGraphic(TCanvas* canvas, const TRect& rect, TGraphic* graphic, bool isPrinting,
                        bool highQuality, bool transparent, TColor transparentColor);
// The graphic shrunk to width x height by the halftone rule, for drawing a large picture into a
// small box again and again: it is sampled at up to four times that size (no copy at its own
// size), then averaged. With key >= 0 (an RGB value) that colour stays out of the averages and
// marks the transparent pixels, as BlitTransparent takes them.
std::unique_ptr<TBitmap> ShrinkGraphic(TGraphic* graphic, int width, int height, TColor key);
// Stretches the whole bitmap into rect; where it shrinks, each device pixel takes the average of
// the bitmap pixels it covers (the halftone stretch).
void StretchBitmapHalftone(TCanvas* canvas, const TRect& rect, TBitmap* bitmap);
// The same for printers. The platform's bitmaps are device-independent already, so this is the
// halftone stretch of the bitmap's RGB pixels.
void StretchBitmapAsDIB(TCanvas* canvas, const TRect& rect, TBitmap* bitmap);
// Stretches the bitmap into rect leaving the destination under the pixels of transparentColor
// untouched. Shrinking averages the opaque pixels (monochrome bitmaps are not averaged: black
// wins, as the black-on-white stretch does); a device pixel stays untouched when most of what it
// covers is transparent. useDIB is kept for the callers: the bitmap is device-independent.
void BlitTransparent(TCanvas* canvas, const TRect& rect, TBitmap* bitmap, TColor transparentColor,
                     bool useDIB);
// Draws the bitmap at (x, y) masked by its own transparent colour (nothing for no bitmap).
void DrawMaskedBitmap(TCanvas* canvas, int x, int y, TBitmap* bitmap);
// Cuts the bitmap into cellWidth x cellHeight cells, left to right and row by row, and adds each
// to images masked by the cell's own transparent colour (its bottom-left pixel). With
// secondImages the cells go in pairs: the first to images, the one to its right to secondImages.
// Parts of a cell beyond the bitmap are white.
void SplitBitmapIntoImageLists(TBitmap* bitmap, int cellWidth, int cellHeight, TImageList* images,
                               TImageList* secondImages);

// --- Collections ----------------------------------------------------------------------------

class TCollection;
class TCollectionItem;

// The attribute text of one collection item, as the layout serializer writes it, and filling an
// item from such a text.
using TvrItemTextWriter = std::function<String(TCollectionItem& item)>;
using TvrItemTextReader = std::function<void(TCollectionItem& item, const String& text)>;

// Writes the collection in the layout files' property-data form: list start (1); for each item a
// nested list (1) holding one long string (12, the text's length as 4 bytes little-endian, the
// text's bytes) and its list end (0); the list end (0).
void WriteCollectionAsXML(TCollection& collection, TStream& writer, const TvrItemTextWriter& itemText);
// Reads that form at the stream's position: the collection is emptied and every string becomes
// a new item filled by readItem. Short strings (6), UTF-8 (20) and UTF-16 (18) strings are taken
// as well. A value in the component-stream collection form (14), or anything else that is not
// this list, raises EReadError and leaves the collection as it was.
void ReadCollectionAsXML(TCollection& collection, TStream& reader, const TvrItemTextReader& readItem);
